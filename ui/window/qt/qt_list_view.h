// The list view of the Qt window, over a ReportList: a click, a move by the
// list's own keys, a click on a heading and a request for the context menu
// reach the dialog's handler.
#pragma once

#include "ui/window/list_view.h"
#include "ui/window/qt/qt_control.h"

namespace vf::ui {

class DialogHandler;
class ReportList;

class QtListView final : public QtControl<ListView> {
 public:
  QtListView(int id, ReportList *list, DialogHandler &handler);

  int InsertColumn(int index, const ListColumn &column) override;
  int ColumnCount() const override;
  std::string ColumnHeading(int column) const override;
  int ColumnWidth(int column) const override;
  void SetFullRowSelect(bool fullRow) override;
  bool IsFullRowSelect() const override;
  void SetFindColumn(int column) override;
  void DeleteAllItems() override;
  int InsertItem(int row, std::string_view text) override;
  bool SetItemText(int row, int column, std::string_view text) override;
  std::string ItemText(int row, int column) const override;
  void SetSuppliedItems(int count, CellText text) override;
  int ItemCount() const override;
  void SetCheckBoxes(bool on) override;
  bool HasCheckBoxes() const override;
  bool IsItemChecked(int row) const override;
  bool SetItemChecked(int row, bool checked) override;
  int SelectionMark() const override;
  int SetSelectionMark(int row) override;
  void SetSortIndicator(int column, SortIndicator indicator) override;
  void SetRowLook(RowLookOf look) override;
  int ShowContextMenu(const std::vector<MenuEntry> &entries) override;

 private:
  ReportList *m_list;
};

}  // namespace vf::ui
