#include "ui/window/qt/qt_list_view.h"

#include "ui/window/dialog_window.h"
#include "ui/window/qt/report_list.h"

namespace vf::ui {

QtListView::QtListView(int id, ReportList *list, DialogHandler &handler)
    : QtControl(id, list), m_list(list) {
  QObject::connect(list, &ReportList::rowClicked, list,
                   [&handler, id](int row) { handler.OnListClick(id, row); });
  QObject::connect(list, &ReportList::markMovedByKey, list,
                   [&handler, id](int row) { handler.OnListKeyMoved(id, row); });
  QObject::connect(list, &ReportList::headerClicked, list,
                   [&handler, id](int column) { handler.OnListHeaderClick(id, column); });
  QObject::connect(list, &ReportList::contextMenuRequested, list,
                   [&handler, id](int row) { handler.OnListContextMenu(id, row); });
  QObject::connect(list, &ReportList::checkToggled, list,
                   [&handler, id](int row) { handler.OnListCheckChanged(id, row); });
}

int QtListView::InsertColumn(int index, const ListColumn &column) {
  return m_list->InsertColumn(index, ToQt(column.heading), column.widthPx, column.rightAligned);
}

int QtListView::ColumnCount() const {
  return m_list->ColumnCount();
}

std::string QtListView::ColumnHeading(int column) const {
  return m_list->ColumnHeading(column).toStdString();
}

int QtListView::ColumnWidth(int column) const {
  return column >= 0 && column < m_list->ColumnCount() ? m_list->columnWidth(column) : 0;
}

void QtListView::SetFullRowSelect(bool fullRow) {
  m_list->SetFullRowSelect(fullRow);
}

bool QtListView::IsFullRowSelect() const {
  return m_list->selectionBehavior() == QAbstractItemView::SelectRows;
}

void QtListView::SetFindColumn(int column) {
  m_list->SetFindColumn(column);
}

void QtListView::DeleteAllItems() {
  m_list->DeleteAllItems();
}

int QtListView::InsertItem(int row, std::string_view text) {
  return m_list->InsertItem(row, ToQt(text));
}

bool QtListView::SetItemText(int row, int column, std::string_view text) {
  return m_list->SetItemText(row, column, ToQt(text));
}

std::string QtListView::ItemText(int row, int column) const {
  return m_list->ItemText(row, column).toStdString();
}

void QtListView::SetSuppliedItems(int count, CellText text) {
  m_list->SetSuppliedItems(count, std::move(text));
}

int QtListView::ItemCount() const {
  return m_list->ItemCount();
}

void QtListView::SetCheckBoxes(bool on) {
  m_list->SetCheckBoxes(on);
}

bool QtListView::HasCheckBoxes() const {
  return m_list->HasCheckBoxes();
}

bool QtListView::IsItemChecked(int row) const {
  return m_list->IsChecked(row);
}

bool QtListView::SetItemChecked(int row, bool checked) {
  return m_list->SetChecked(row, checked);
}

int QtListView::SelectionMark() const {
  return m_list->SelectionMark();
}

int QtListView::SetSelectionMark(int row) {
  return m_list->SetSelectionMark(row);
}

void QtListView::SetSortIndicator(int column, SortIndicator indicator) {
  m_list->SetSortIndicator(column, indicator);
}

void QtListView::SetRowLook(RowLookOf look) {
  m_list->SetRowLook(std::move(look));
}

int QtListView::ShowContextMenu(const std::vector<MenuEntry> &entries) {
  return m_list->ShowContextMenu(entries);
}

}  // namespace vf::ui
