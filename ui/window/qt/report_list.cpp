#include "ui/window/qt/report_list.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <algorithm>

#include "ui/window/qt/translation_qt.h"

namespace vf::ui {
namespace {

constexpr int kNotNavigation = -2;

}  // namespace

ReportList::ReportList(QWidget *parent) : QTableView(parent), m_model(new ReportListModel(this)) {
  setModel(m_model);
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
  horizontalHeader()->setSortIndicatorShown(false);
  connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &ReportList::headerClicked);
  // A second click soon after the first arrives as a double click, with no click of its own: it
  // is still the click that reverses the order, as the list view of the other backend has it.
  connect(horizontalHeader(), &QHeaderView::sectionDoubleClicked, this, &ReportList::headerClicked);
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

int ReportList::InsertColumn(int index, const QString &heading, int widthPx, bool rightAligned) {
  if (m_model->InsertColumn(index, TranslatedText(heading), rightAligned) < 0) return -1;
  setColumnWidth(index, widthPx);
  return index;
}

QString ReportList::ColumnHeading(int column) const {
  return m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

void ReportList::SetHeadingsClickable(bool clickable) {
  horizontalHeader()->setSectionsClickable(clickable);
}

void ReportList::SetSortIndicator(int column, SortIndicator indicator) {
  QHeaderView *header = horizontalHeader();
  if (indicator == SortIndicator::None || column < 0 || column >= ColumnCount()) {
    header->setSortIndicatorShown(false);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    return;
  }
  header->setSortIndicator(
      column, indicator == SortIndicator::Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
  header->setSortIndicatorShown(true);
}

void ReportList::SetRowLook(ListView::RowLookOf look) {
  QFont bold = font();
  bold.setBold(true);
  m_model->SetRowLook(std::move(look), bold);
}

int ReportList::ShowContextMenu(const std::vector<MenuEntry> &entries) {
  QMenu menu(this);
  for (const MenuEntry &entry : entries) {
    if (entry.commandId == 0) {
      menu.addSeparator();
      continue;
    }
    QAction *action = menu.addAction(TranslatedText(
        QString::fromUtf8(entry.text.data(), static_cast<qsizetype>(entry.text.size()))));
    action->setData(entry.commandId);
    action->setEnabled(entry.enabled);
  }
  const QAction *chosen = menu.exec(m_menuAt);
  return chosen != nullptr ? chosen->data().toInt() : 0;
}

void ReportList::contextMenuEvent(QContextMenuEvent *event) {
  if (event->reason() == QContextMenuEvent::Mouse) {
    // The right button's press has marked the row hit already.
    m_menuAt = event->globalPos();
  } else {
    // From the keyboard: below the marked row, or at the top of the rows.
    const QRect rect = m_selectionMark >= 0 && m_selectionMark < ItemCount()
                           ? visualRect(m_model->index(m_selectionMark, 0))
                           : QRect(0, 0, 1, 1);
    m_menuAt = viewport()->mapToGlobal(rect.bottomLeft());
  }
  event->accept();
  emit contextMenuRequested(m_selectionMark);
}

void ReportList::SetFullRowSelect(bool fullRow) {
  setSelectionBehavior(fullRow ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
  ShowMark();
}

void ReportList::DeleteAllItems() {
  m_model->RemoveAllRows();
  m_selectionMark = -1;
  m_pressedRow = -1;
  ShowMark();
}

int ReportList::InsertItem(int row, const QString &text) {
  const int inserted = m_model->InsertRow(row, text);
  if (inserted >= 0 && m_selectionMark >= inserted) ++m_selectionMark;
  return inserted;
}

bool ReportList::SetItemText(int row, int column, const QString &text) {
  return m_model->SetText(row, column, text);
}

QString ReportList::ItemText(int row, int column) const {
  return m_model->Text(row, column);
}

void ReportList::SetSuppliedItems(int count, ReportListModel::CellText text) {
  m_model->SetSuppliedRows(count, std::move(text));
  m_selectionMark = -1;
  m_pressedRow = -1;
  ShowMark();
}

int ReportList::SetSelectionMark(int row) {
  const int previous = m_selectionMark;
  m_selectionMark = row;
  ShowMark();
  return previous;
}

void ReportList::ShowMark() {
  QItemSelectionModel *selection = selectionModel();
  if (m_selectionMark < 0 || m_selectionMark >= ItemCount()) {
    selection->clearSelection();
    selection->clearCurrentIndex();
    return;
  }
  const QModelIndex index = m_model->index(m_selectionMark, 0);
  QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
  if (selectionBehavior() == QAbstractItemView::SelectRows) flags |= QItemSelectionModel::Rows;
  selection->setCurrentIndex(index, flags);
  scrollTo(index);
}

QRect ReportList::CheckBoxRect(int row) const {
  if (!HasCheckBoxes() || row < 0 || row >= ItemCount()) return {};
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = visualRect(m_model->index(row, 0));
  option.features |= QStyleOptionViewItem::HasCheckIndicator;
  return style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this);
}

void ReportList::ToggleCheck(int row) {
  if (SetChecked(row, !IsChecked(row))) emit checkToggled(row);
}

void ReportList::mousePressEvent(QMouseEvent *event) {
  // The left button selects, and the right one before its menu; the list has
  // no use for the others.
  const Qt::MouseButton button = event->button();
  if (button != Qt::LeftButton && button != Qt::RightButton) return;
  setFocus(Qt::MouseFocusReason);
  const QPoint pos = event->position().toPoint();
  const QModelIndex hit = indexAt(pos);
  m_pressedRow = hit.isValid() ? hit.row() : -1;
  m_selectionMark = m_pressedRow;
  ShowMark();
  if (button == Qt::LeftButton) {
    m_leftPressed = true;
    if (hit.isValid() && CheckBoxRect(hit.row()).contains(pos)) ToggleCheck(hit.row());
  } else {
    // As a left click: the row is the one acted on when the menu's command runs.
    m_leftPressed = false;
    emit rowClicked(m_pressedRow);
  }
}

void ReportList::mouseMoveEvent(QMouseEvent * /*event*/) {
  // Dragging does not carry the selection along: the row pressed stays it.
}

void ReportList::mouseReleaseEvent(QMouseEvent *event) {
  if (event->button() != Qt::LeftButton || !m_leftPressed) return;
  m_leftPressed = false;
  emit rowClicked(m_pressedRow);
}

void ReportList::mouseDoubleClickEvent(QMouseEvent *event) {
  // The second press of a double click is a press like the first.
  mousePressEvent(event);
}

void ReportList::focusInEvent(QFocusEvent *event) {
  // The base view makes the first row current when the list gains the focus;
  // here the current row stays the marked one, or none.
  QTableView::focusInEvent(event);
  ShowMark();
}

int ReportList::RowsPerPage() const {
  const int rowHeight = std::max(1, verticalHeader()->defaultSectionSize());
  return std::max(1, viewport()->height() / rowHeight);
}

int ReportList::KeyTarget(int key) const {
  const int last = ItemCount() - 1;
  const int mark = m_selectionMark;
  // A page moves by the rows on screen less one, which stays in view.
  const int page = std::max(1, RowsPerPage() - 1);
  switch (key) {
    case Qt::Key_Up:
      return std::max(mark - 1, 0);
    case Qt::Key_Down:
      return mark < 0 ? 0 : std::min(mark + 1, last);
    case Qt::Key_Home:
      return 0;
    case Qt::Key_End:
      return last;
    case Qt::Key_PageUp:
      return std::max(mark - page, 0);
    case Qt::Key_PageDown:
      return mark < 0 ? std::min(page, last) : std::min(mark + page, last);
    default:
      return kNotNavigation;
  }
}

int ReportList::TypeAheadTarget(const QString &typed) {
  if (!m_sinceTyped.isValid() || m_sinceTyped.elapsed() > QApplication::keyboardInputInterval()) {
    m_typed.clear();
  }
  m_sinceTyped.start();
  m_typed += typed;
  // One character typed again and again steps through the rows that begin
  // with it; a longer text is looked for from the marked row on.
  const bool oneCharacter = m_typed.count(m_typed.front()) == m_typed.size();
  const QString wanted = oneCharacter ? m_typed.left(1) : m_typed;
  const int count = ItemCount();
  const int first = oneCharacter ? m_selectionMark + 1 : std::max(m_selectionMark, 0);
  for (int step = 0; step < count; ++step) {
    const int row = (first + step) % count;
    if (ItemText(row, m_findColumn).startsWith(wanted, Qt::CaseInsensitive)) return row;
  }
  return -1;
}

void ReportList::MoveMarkByKey(int row) {
  if (row < 0 || row >= ItemCount()) return;
  const bool moved = row != m_selectionMark;
  m_selectionMark = row;
  ShowMark();
  if (moved) emit markMovedByKey(row);
}

void ReportList::keyPressEvent(QKeyEvent *event) {
  const int key = event->key();
  if (key == Qt::Key_Space && HasCheckBoxes()) {
    ToggleCheck(m_selectionMark);
    return;
  }
  if (const int target = KeyTarget(key); target != kNotNavigation) {
    MoveMarkByKey(target);
    return;
  }
  if (key == Qt::Key_Left || key == Qt::Key_Right) {
    horizontalScrollBar()->triggerAction(key == Qt::Key_Left
                                             ? QAbstractSlider::SliderSingleStepSub
                                             : QAbstractSlider::SliderSingleStepAdd);
    return;
  }
  const QString text = event->text();
  const bool typing = !text.isEmpty() && text.front().isPrint() &&
                      !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (typing && ItemCount() > 0) {
    MoveMarkByKey(TypeAheadTarget(text));
    return;
  }
  // Tab, shortcuts and the rest belong to the window.
  event->ignore();
}

}  // namespace vf::ui
