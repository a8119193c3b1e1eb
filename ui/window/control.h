// A control of a dialog, as the dialog's logic holds it: what every control
// does (its text, enabling, showing) here, and what a kind of control does
// besides in a class of its own (controls.h, list_view.h). Each backend
// implements each kind once. A dialog makes its controls from its template
// when it is created and keeps them as long as it lives; once its window is
// gone they do nothing (false, -1, 0 or an empty text).
#pragma once

#include <string>
#include <string_view>

namespace vf::ui {

class Control {
 public:
  virtual ~Control() = default;
  Control(const Control &) = delete;
  Control &operator=(const Control &) = delete;

  // The control's id in its dialog's template.
  int Id() const { return m_id; }

  // Edits, statics, buttons, group boxes, IP address controls (dotted text),
  // and a drop-down list's current entry (which only reads). False when the
  // text could not be set.
  virtual bool SetText(std::string_view text) = 0;
  virtual std::string Text() const = 0;
  // False once the window is gone, as for the other operations.
  virtual bool Enable(bool enable) = 0;
  virtual bool IsEnabled() const = 0;
  virtual bool Show(bool show) = 0;
  // Whether the control itself is shown, whether or not the dialog is.
  virtual bool IsVisible() const = 0;
  // The window system's class name ("Edit", "Button", "SysListView32", ...).
  virtual std::string ClassName() const = 0;
  // The tip shown while the pointer rests on the control (already
  // translated; may hold line breaks); empty for none.
  virtual bool SetToolTip(std::string_view text) = 0;
  virtual std::string ToolTip() const = 0;

 protected:
  explicit Control(int id) : m_id(id) {}

 private:
  const int m_id;
};

}  // namespace vf::ui
