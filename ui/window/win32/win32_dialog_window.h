// The dialog on Win32: the template as an in-memory DLGTEMPLATEEX, shown
// modally with DialogBoxIndirectParamW (or made modeless for tests), the real
// common controls, timers of the window, the system menu, and a message hook
// that sees every key before it is dispatched. Texts are converted between
// UTF-8 and UTF-16 here and nowhere else.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ui/window/dialog_window.h"
#include "ui/window/report_rows.h"

namespace vf::ui::win32 {

class Win32DialogWindow final : public DialogWindow {
 public:
  Win32DialogWindow(const DialogTemplate &dialogTemplate, DialogHandler &handler);
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

  bool HasControl(int id) const override;
  bool SetText(int id, std::string_view text) override;
  std::string Text(int id) const override;
  bool Enable(int id, bool enable) override;
  bool IsEnabled(int id) const override;
  bool Show(int id, bool show) override;
  bool IsVisible(int id) const override;
  std::string ClassName(int id) const override;
  bool SetReadOnly(int id, bool readOnly) override;
  bool IsReadOnly(int id) const override;
  bool IsAddressPartlyBlank(int id) const override;
  int GetCheck(int id) const override;
  bool SetCheck(int id, int state) override;

  int InsertColumn(int id, int index, std::string_view heading, int widthPx) override;
  int ColumnCount(int id) const override;
  std::string ColumnHeading(int id, int column) const override;
  int ColumnWidth(int id, int column) const override;
  bool SetFullRowSelect(int id, bool fullRow) override;
  bool IsFullRowSelect(int id) const override;
  bool SetFindColumn(int id, int column) override;
  bool DeleteAllItems(int id) override;
  int InsertItem(int id, int row, std::string_view text) override;
  bool SetItemText(int id, int row, int column, std::string_view text) override;
  std::string ItemText(int id, int row, int column) const override;
  bool SetSuppliedItems(int id, int count, CellText text) override;
  int ItemCount(int id) const override;
  int SelectionMark(int id) const override;
  int SetSelectionMark(int id, int row) override;

  bool ResetContent(int id) override;
  int AddString(int id, std::string_view text) override;
  int ComboCount(int id) const override;
  std::string ComboText(int id, int index) const override;
  bool SetItemData(int id, int index, std::uintptr_t value) override;
  std::uintptr_t ItemData(int id, int index) const override;
  int SelectString(int id, int after, std::string_view prefix) override;
  int CurSel(int id) const override;
  bool SetCurSel(int id, int index) override;

  int SetBuddy(int id, int buddyId) override;
  int Buddy(int id) const override;
  bool SetRange(int id, int lower, int upper) override;
  std::pair<int, int> Range(int id) const override;
  int SetPos(int id, int pos) override;
  int Pos(int id) const override;

  bool SetProgressRange(int id, int lower, int upper) override;
  std::pair<int, int> ProgressRange(int id) const override;
  int SetProgressPos(int id, int pos) override;
  int ProgressPos(int id) const override;
  bool SetProgressStep(int id, int step) override;
  int StepIt(int id) override;

  bool StartTimer(int id, int periodMs) override;
  bool KillTimer(int id) override;
  bool IsTimerActive(int id) const override;
  WindowThread &Thread() const override { return *m_thread; }
  bool PostUserMessage(unsigned offset) override;
  void *NativeHandle() const override { return m_hwnd; }

  // For the window procedure and the key hook (win32_dialog_window.cpp).
  struct Native;

 private:
  // What was set into a one-line edit that shows it otherwise (line breaks as spaces): the text
  // reads back as set while the edit still shows it so.
  struct EditText {
    std::string set;
    std::wstring shown;
  };
  // A list view's rows: the list itself holds none (owner data).
  struct ListRows {
    ReportRows rows;
    int findColumn = 0;
  };

  void *Control(int id) const;  // The HWND of control `id`; null for none.
  ListRows *Rows(int id);
  const ListRows *Rows(int id) const;
  void *ListControl(int id) const;  // The HWND of list view `id`; null for none.
  // The list shows `count` rows anew, none of them marked.
  void ResetListRows(int id);

  const DialogTemplate &m_template;
  DialogHandler &m_handler;
  std::vector<std::uint32_t> m_templateData;
  void *m_hwnd = nullptr;       // HWND
  void *m_bigIcon = nullptr;    // HICON, destroyed with the window object.
  void *m_smallIcon = nullptr;  // HICON
  std::unique_ptr<WindowThread> m_thread;
  std::map<int, ListRows> m_lists;
  std::set<int> m_timers;
  std::map<int, EditText> m_editTexts;
  unsigned m_dpi = 96;  // The DPI the dialog is laid out for.
  int m_iconId = 0;
  bool m_inDialogBox = false;  // Run by DialogBoxIndirectParamW.
  bool m_inOwnLoop = false;    // Run modally by RunModal's own loop.
  bool m_ended = false;
  int m_result = 0;
  bool m_destroyed = false;
};

}  // namespace vf::ui::win32
