// A control of a dialog bound to its id, so that code reads as what it does
// ("m_deviceList.SelectionMark()") rather than which id it asks. These hold
// no state of their own: every call goes to the dialog, which must outlive
// them. A binding to an id the dialog lacks does nothing (see DialogWindow).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "ui/window/dialog_window.h"

namespace vf::ui {

class Control {
 public:
  Control(DialogWindow &window, int id) : m_window(&window), m_id(id) {}

  int Id() const { return m_id; }
  bool Exists() const { return m_window->HasControl(m_id); }
  bool SetText(std::string_view text) const { return m_window->SetText(m_id, text); }
  std::string Text() const { return m_window->Text(m_id); }
  bool Enable(bool enable) const { return m_window->Enable(m_id, enable); }
  bool IsEnabled() const { return m_window->IsEnabled(m_id); }
  bool Show(bool show) const { return m_window->Show(m_id, show); }
  bool IsVisible() const { return m_window->IsVisible(m_id); }

 protected:
  DialogWindow &Window() const { return *m_window; }

 private:
  DialogWindow *m_window;
  int m_id;
};

class CheckBox : public Control {
 public:
  using Control::Control;
  int GetCheck() const { return Window().GetCheck(Id()); }
  bool SetCheck(int state) const { return Window().SetCheck(Id(), state); }
};

class ListView : public Control {
 public:
  using Control::Control;
  int InsertColumn(int index, std::string_view heading, int widthPx) const {
    return Window().InsertColumn(Id(), index, heading, widthPx);
  }
  int ColumnCount() const { return Window().ColumnCount(Id()); }
  std::string ColumnHeading(int column) const { return Window().ColumnHeading(Id(), column); }
  int ColumnWidth(int column) const { return Window().ColumnWidth(Id(), column); }
  bool SetFullRowSelect(bool fullRow) const { return Window().SetFullRowSelect(Id(), fullRow); }
  bool IsFullRowSelect() const { return Window().IsFullRowSelect(Id()); }
  bool SetFindColumn(int column) const { return Window().SetFindColumn(Id(), column); }
  bool DeleteAllItems() const { return Window().DeleteAllItems(Id()); }
  int InsertItem(int row, std::string_view text) const {
    return Window().InsertItem(Id(), row, text);
  }
  bool SetItemText(int row, int column, std::string_view text) const {
    return Window().SetItemText(Id(), row, column, text);
  }
  std::string ItemText(int row, int column) const { return Window().ItemText(Id(), row, column); }
  bool SetSuppliedItems(int count, DialogWindow::CellText text) const {
    return Window().SetSuppliedItems(Id(), count, std::move(text));
  }
  int ItemCount() const { return Window().ItemCount(Id()); }
  int SelectionMark() const { return Window().SelectionMark(Id()); }
  int SetSelectionMark(int row) const { return Window().SetSelectionMark(Id(), row); }
};

class ComboBox : public Control {
 public:
  using Control::Control;
  bool ResetContent() const { return Window().ResetContent(Id()); }
  int AddString(std::string_view text) const { return Window().AddString(Id(), text); }
  int Count() const { return Window().ComboCount(Id()); }
  std::string ItemText(int index) const { return Window().ComboText(Id(), index); }
  bool SetItemData(int index, std::uintptr_t value) const {
    return Window().SetItemData(Id(), index, value);
  }
  std::uintptr_t ItemData(int index) const { return Window().ItemData(Id(), index); }
  int SelectString(int after, std::string_view prefix) const {
    return Window().SelectString(Id(), after, prefix);
  }
  int CurSel() const { return Window().CurSel(Id()); }
  bool SetCurSel(int index) const { return Window().SetCurSel(Id(), index); }
};

class UpDown : public Control {
 public:
  using Control::Control;
  int SetBuddy(int buddyId) const { return Window().SetBuddy(Id(), buddyId); }
  int Buddy() const { return Window().Buddy(Id()); }
  bool SetRange(int lower, int upper) const { return Window().SetRange(Id(), lower, upper); }
  std::pair<int, int> Range() const { return Window().Range(Id()); }
  int SetPos(int pos) const { return Window().SetPos(Id(), pos); }
  int Pos() const { return Window().Pos(Id()); }
};

class ProgressBar : public Control {
 public:
  using Control::Control;
  bool SetRange(int lower, int upper) const {
    return Window().SetProgressRange(Id(), lower, upper);
  }
  std::pair<int, int> Range() const { return Window().ProgressRange(Id()); }
  int SetPos(int pos) const { return Window().SetProgressPos(Id(), pos); }
  int Pos() const { return Window().ProgressPos(Id()); }
  bool SetStep(int step) const { return Window().SetProgressStep(Id(), step); }
  int StepIt() const { return Window().StepIt(Id()); }
};

}  // namespace vf::ui
