#include "report_list.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>

namespace vf::ui {

ReportList::ReportList(QWidget *parent) : QTableWidget(parent) {
  setColumnCount(0);
  setRowCount(0);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(false);
  setWordWrap(false);
  setTabKeyNavigation(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setStretchLastSection(false);

  // The selection stays visible while another control has the focus.
  QPalette pal = palette();
  pal.setColor(QPalette::Inactive, QPalette::Highlight,
               pal.color(QPalette::Active, QPalette::Highlight));
  pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
               pal.color(QPalette::Active, QPalette::HighlightedText));
  setPalette(pal);
}

int ReportList::InsertColumn(int index, const QString &heading, int widthPx) {
  if (index < 0 || index > columnCount()) return -1;
  insertColumn(index);
  setHorizontalHeaderItem(index, new QTableWidgetItem(heading));
  setColumnWidth(index, widthPx);
  return index;
}

void ReportList::SetFullRowSelect(bool fullRow) {
  setSelectionBehavior(fullRow ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void ReportList::DeleteAllItems() {
  setRowCount(0);
  m_selectionMark = -1;
  m_pressedRow = -1;
}

int ReportList::InsertItem(int row, const QString &text) {
  if (row < 0) return -1;
  if (row > rowCount()) row = rowCount();
  insertRow(row);
  if (m_selectionMark >= row) ++m_selectionMark;
  if (columnCount() > 0) SetItemText(row, 0, text);
  return row;
}

bool ReportList::SetItemText(int row, int column, const QString &text) {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return false;
  QTableWidgetItem *cell = item(row, column);
  if (cell == nullptr) {
    cell = new QTableWidgetItem;
    cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    setItem(row, column, cell);
  }
  cell->setText(text);
  return true;
}

QString ReportList::ItemText(int row, int column) const {
  const QTableWidgetItem *cell = item(row, column);
  return cell != nullptr ? cell->text() : QString();
}

int ReportList::SetSelectionMark(int row) {
  const int previous = m_selectionMark;
  m_selectionMark = row;
  return previous;
}

void ReportList::mousePressEvent(QMouseEvent *event) {
  const QModelIndex hit = indexAt(event->position().toPoint());
  QTableWidget::mousePressEvent(event);
  if (event->button() != Qt::LeftButton) return;
  m_leftPressed = true;
  m_pressedRow = hit.isValid() ? hit.row() : -1;
  if (hit.isValid()) {
    m_selectionMark = hit.row();
  } else {
    // A click beside the rows leaves no row selected, the mark untouched.
    clearSelection();
  }
}

void ReportList::mouseReleaseEvent(QMouseEvent *event) {
  QTableWidget::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || !m_leftPressed) return;
  m_leftPressed = false;
  emit rowClicked(m_pressedRow);
}

void ReportList::keyPressEvent(QKeyEvent *event) {
  const int before = currentRow();
  QTableWidget::keyPressEvent(event);
  const int after = currentRow();
  if (after != before && after >= 0) m_selectionMark = after;
}

}  // namespace vf::ui
