// The dialog on Win32: the template as an in-memory DLGTEMPLATEEX, shown
// modally with DialogBoxIndirectParamW (or made modeless for tests), the real
// common controls (Win32ControlSet, one family of them a file), timers of the
// window, the system menu, and a message hook that sees every key before it
// is dispatched. Texts are converted between UTF-8 and UTF-16 at the edge of
// the window system and nowhere else.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ui/window/dialog_window.h"

namespace vf::ui::win32 {

class Win32ControlSet;

class Win32DialogWindow final : public DialogWindow {
 public:
  Win32DialogWindow(const DialogTemplate &dialogTemplate, DialogHandler &handler,
                    const DialogWindow *owner);
  ~Win32DialogWindow() override;

  bool Create() override;
  int RunModal() override;
  void EndDialog(int result) override;
  bool Ended() const override { return m_ended; }
  bool IsCreated() const override { return m_hwnd != nullptr || m_destroyed; }
  void SetTitle(std::string_view title) override;
  std::string Title() const override;
  void SetIcon(int iconId) override;
  bool AppendSystemMenuSeparator() override;
  bool AppendSystemMenuItem(int commandId, std::string_view text) override;

  bool StartTimer(int id, int periodMs) override;
  bool KillTimer(int id) override;
  bool IsTimerActive(int id) const override;
  WindowThread &Thread() const override { return *m_thread; }
  bool PostUserMessage(unsigned offset) override;
  void *NativeHandle() const override { return m_hwnd; }

  // For its controls (win32_control.h): the window (HWND) of control `id`,
  // null for none and while the dialog's window does not exist; the DPI the
  // dialog is laid out for; where their notifications go.
  void *ControlHandle(int id) const;
  unsigned Dpi() const { return m_dpi; }
  DialogHandler &Handler() const { return m_handler; }
  // The tip of control `id` (empty: none), shown by the dialog's tooltip.
  bool SetToolTip(int id, std::string_view text);
  std::string ToolTip(int id) const;

  // For the window procedure and the key hook (win32_dialog_window.cpp).
  struct Native;

 protected:
  Control *FindControl(int id) const override;

 private:
  const DialogTemplate &m_template;
  DialogHandler &m_handler;
  const DialogWindow *m_owner;
  std::vector<std::uint32_t> m_templateData;
  void *m_hwnd = nullptr;       // HWND
  void *m_bigIcon = nullptr;    // HICON, destroyed with the window object.
  void *m_smallIcon = nullptr;  // HICON
  std::unique_ptr<WindowThread> m_thread;
  // Made when the dialog's window is, kept as long as this object.
  std::unique_ptr<Win32ControlSet> m_controls;
  std::set<int> m_timers;
  unsigned m_dpi = 96;  // The DPI the dialog is laid out for.
  int m_iconId = 0;
  bool m_inDialogBox = false;  // Run by DialogBoxIndirectParamW.
  bool m_inOwnLoop = false;    // Run modally by RunModal's own loop.
  bool m_ended = false;
  int m_result = 0;
  bool m_destroyed = false;

  // A resizable dialog: each control that follows an edge with its anchor
  // (HWND, ControlAnchor), the client size they are placed for (0 until the
  // first WM_SIZE), and the smallest window, the template's.
  std::vector<std::pair<void *, std::uint8_t>> m_anchored;
  int m_laidOutWidth = 0;
  int m_laidOutHeight = 0;
  int m_minWidth = 0;
  int m_minHeight = 0;

  void *m_toolTip = nullptr;  // HWND of the tooltip, made with the first tip.
  std::map<int, std::string> m_toolTips;
};

}  // namespace vf::ui::win32
