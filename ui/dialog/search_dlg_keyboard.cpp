// The window's keys: Enter and Escape do nothing anywhere, the arrows in the
// device list keep the detail panel with the row they move to, and F3, F4
// and F5 press Search, Browse and Update while those are enabled.
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "control_id.h"
#include "report_list.h"
#include "resource_ids.h"
#include "search_dlg.h"

using namespace vf::res;

bool CSearchDlg::eventFilter(QObject *watched, QEvent *event) {
  if (PreTranslateMessage(watched, event)) return true;
  return QDialog::eventFilter(watched, event);
}

bool CSearchDlg::PreTranslateMessage(QObject *receiver, QEvent *event) {
  if (event->type() != QEvent::KeyPress || !receiver->isWidgetType()) return false;
  auto *widget = static_cast<QWidget *>(receiver);
  if (widget->window() != this) return false;
  const auto *key = static_cast<QKeyEvent *>(event);

  switch (key->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return true;
    default:
      break;
  }

  // A key the focus widget leaves unused travels on to its parents; only its
  // first stop counts.
  QWidget *first = focusWidget() ? focusWidget() : this;
  if (widget != first) return false;

  if (vf::ui::ControlIdOf(widget) == IDC_DEVICE_LIST && m_deviceList != nullptr) {
    const int mark = m_deviceList->SelectionMark();
    const int count = m_deviceList->ItemCount();
    if (key->key() == Qt::Key_Up) {
      const int target = mark - 1;
      OnDeviceListClick(target > 0 ? target : 0);
    } else if (key->key() == Qt::Key_Down) {
      const int target = mark + 1;
      OnDeviceListClick(target < count ? target : count - 1);
    }
  }

  if (key->key() == Qt::Key_F3) {
    if (IsControlEnabled(IDC_SEARCH)) OnSearch();
  } else if (key->key() == Qt::Key_F4) {
    if (IsControlEnabled(IDC_BROWSE)) OnBrowse();
  } else if (key->key() == Qt::Key_F5) {
    if (IsControlEnabled(IDC_UPDATE)) OnUpdate();
  }
  return false;
}
