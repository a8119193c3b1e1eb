#include "ui/window/qt/report_list_model.h"

#include <QApplication>
#include <QStyle>
#include <algorithm>

namespace vf::ui {

ReportListModel::ReportListModel(QObject *parent) : QAbstractTableModel(parent) {}

int ReportListModel::rowCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : m_rows.RowCount();
}

int ReportListModel::columnCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : m_rows.ColumnCount();
}

QVariant ReportListModel::data(const QModelIndex &index, int role) const {
  if (!index.isValid()) return {};
  const int row = index.row();
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return Text(row, column);
    case Qt::CheckStateRole:
      if (!m_checkBoxes || column != 0) return {};
      return IsChecked(row) ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole:
      return m_rows.IsRightAligned(column) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                           : QVariant();
    case Qt::FontRole:
      return m_rows.Look(row).bold ? QVariant(m_bold) : QVariant();
    case Qt::DecorationRole:
      // The icon and its tip belong to the first column.
      return column == 0 && m_rows.Look(row).warning ? QVariant(m_warning) : QVariant();
    case Qt::ToolTipRole: {
      if (column != 0) return {};
      const std::string tip = m_rows.Look(row).toolTip;
      return tip.empty() ? QVariant() : QVariant(QString::fromStdString(tip));
    }
    default:
      return {};
  }
}

QVariant ReportListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  if (role == Qt::TextAlignmentRole && m_rows.IsRightAligned(section)) {
    return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  }
  if (role != Qt::DisplayRole) return {};
  return QString::fromStdString(m_rows.Heading(section));
}

Qt::ItemFlags ReportListModel::flags(const QModelIndex &index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  // The list toggles the box itself (ReportList), never the view's editing.
  if (m_checkBoxes && index.column() == 0) flags |= Qt::ItemIsUserCheckable;
  return flags;
}

int ReportListModel::InsertColumn(int index, const QString &heading, bool rightAligned) {
  if (index < 0 || index > columnCount()) return -1;
  beginInsertColumns({}, index, index);
  m_rows.InsertColumn(index, heading.toStdString(), rightAligned);
  endInsertColumns();
  return index;
}

void ReportListModel::RemoveAllRows() {
  beginResetModel();
  m_rows.RemoveAllRows();
  endResetModel();
}

int ReportListModel::InsertRow(int row, const QString &firstColumn) {
  if (row < 0) return -1;
  // Supplied rows become stored ones with the same texts: the view needs no
  // notice of that, only of the new row.
  row = std::min(row, rowCount());
  beginInsertRows({}, row, row);
  m_rows.InsertRow(row, firstColumn.toStdString());
  endInsertRows();
  return row;
}

bool ReportListModel::SetText(int row, int column, const QString &text) {
  if (!m_rows.SetText(row, column, text.toStdString())) return false;
  const QModelIndex cell = index(row, column);
  emit dataChanged(cell, cell, {Qt::DisplayRole});
  return true;
}

QString ReportListModel::Text(int row, int column) const {
  return QString::fromStdString(m_rows.Text(row, column));
}

void ReportListModel::SetRowLook(ListView::RowLookOf look, const QFont &bold) {
  if (m_warning.isNull()) {
    m_warning = QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
  }
  m_bold = bold;
  m_rows.SetLook(std::move(look));
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void ReportListModel::SetCheckBoxes(bool on) {
  m_checkBoxes = on;
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

bool ReportListModel::SetChecked(int row, bool checked) {
  if (!m_rows.SetChecked(row, checked)) return false;
  const QModelIndex cell = index(row, 0);
  emit dataChanged(cell, cell, {Qt::CheckStateRole});
  return true;
}

void ReportListModel::SetSuppliedRows(int count, CellText text) {
  beginResetModel();
  m_rows.SetSuppliedRows(count, std::move(text));
  endResetModel();
}

}  // namespace vf::ui
