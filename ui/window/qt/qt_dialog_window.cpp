#include "ui/window/qt/qt_dialog_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QResizeEvent>

#include "ui/window/qt/anchored_layout.h"
#include "ui/window/qt/control_id.h"
#include "ui/window/qt/dialog_builder.h"
#include "ui/window/qt/icons.h"
#include "ui/window/qt/qt_control.h"
#include "ui/window/qt/qt_control_set.h"
#include "ui/window/qt/system_menu.h"
#include "ui/window/qt/timers.h"
#include "ui/window/virtual_keys.h"
#include "ui/window/window_thread.h"

namespace vf::ui {
namespace {

// The window system's code of a Qt key; 0 for one it has none for.
int VirtualKeyOf(const QKeyEvent &event) {
  const int key = event.key();
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return vk::kF1 + (key - Qt::Key_F1);
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
    return key;  // Qt numbers them as ASCII upper case too.
  }
  switch (key) {
    case Qt::Key_Escape:
      return vk::kEscape;
    case Qt::Key_Space:
      return vk::kSpace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return vk::kReturn;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return vk::kTab;
    case Qt::Key_Up:
      return vk::kUp;
    case Qt::Key_Down:
      return vk::kDown;
    case Qt::Key_Left:
      return vk::kLeft;
    case Qt::Key_Right:
      return vk::kRight;
    case Qt::Key_Home:
      return vk::kHome;
    case Qt::Key_End:
      return vk::kEnd;
    case Qt::Key_PageUp:
      return vk::kPageUp;
    case Qt::Key_PageDown:
      return vk::kPageDown;
    default:
      return 0;
  }
}

unsigned ModifiersOf(const QKeyEvent &event) {
  const Qt::KeyboardModifiers held = event.modifiers();
  unsigned modifiers = 0;
  if (held & Qt::ShiftModifier) modifiers |= vk::kModShift;
  if (held & Qt::ControlModifier) modifiers |= vk::kModControl;
  if (held & Qt::AltModifier) modifiers |= vk::kModAlt;
  return modifiers;
}

}  // namespace

std::unique_ptr<DialogWindow> CreateDialogWindow(const DialogTemplate &dialogTemplate,
                                                 DialogHandler &handler,
                                                 const DialogWindow *owner) {
  return std::make_unique<QtDialogWindow>(dialogTemplate, handler, owner);
}

// --- HostDialog ------------------------------------------------------------

HostDialog::HostDialog(QtDialogWindow &window, QWidget *owner)
    : QDialog(owner), m_window(window) {
  qApp->installEventFilter(this);
}

HostDialog::~HostDialog() {
  qApp->removeEventFilter(this);
}

void HostDialog::reject() {
  // Escape is the key hook's to consume; what gets here is a close request.
  m_window.RequestClose();
}

void HostDialog::closeEvent(QCloseEvent *event) {
  // Closing ends the dialog through RequestClose or not at all.
  event->ignore();
  m_window.RequestClose();
}

void HostDialog::resizeEvent(QResizeEvent *event) {
  QDialog::resizeEvent(event);
  if (!m_laidOut.isValid()) return;
  FollowDialogEdges(this, size() - m_laidOut);
  m_laidOut = size();
}

bool HostDialog::eventFilter(QObject *watched, QEvent *event) {
  if (m_window.PreTranslateKey(watched, event)) return true;
  return QDialog::eventFilter(watched, event);
}

// --- QtDialogWindow ----------------------------------------------------------

QtDialogWindow::QtDialogWindow(const DialogTemplate &dialogTemplate, DialogHandler &handler,
                               const DialogWindow *owner)
    : m_template(dialogTemplate), m_handler(handler), m_owner(owner) {}

QtDialogWindow::~QtDialogWindow() {
  Destroy();
  m_controls.reset();
  m_dialog.reset();
}

bool QtDialogWindow::Create() {
  if (m_dialog) return false;
  auto *owner = m_owner != nullptr ? static_cast<QWidget *>(m_owner->NativeHandle()) : nullptr;
  m_dialog = std::make_unique<HostDialog>(*this, owner);
  const BuiltDialog built = BuildDialog(m_dialog.get(), m_template);
  m_dialog->SetLaidOutSize(built.clientSize);
  m_controls = std::make_unique<QtControlSet>(m_dialog.get(), m_handler);
  m_timers = new DialogTimers(m_dialog.get());
  m_systemMenu = new SystemMenu(m_dialog.get());
  m_wakeReceiver = new QObject(m_dialog.get());
  // The receiver goes with the dialog, and Qt drops what was queued for it.
  m_thread = std::make_unique<WindowThread>(this, [this] {
    QMetaObject::invokeMethod(
        m_wakeReceiver, [this] { m_thread->Channel()->Drain(); }, Qt::QueuedConnection);
  });
  ConnectDialog();
  m_handler.OnInitDialog();
  return true;
}

int QtDialogWindow::RunModal() {
  if (!m_dialog) Create();
  if (m_ended) return m_dialog->result();
  return m_dialog->exec();
}

void QtDialogWindow::EndDialog(int result) {
  if (!m_dialog) return;
  m_ended = true;
  m_dialog->done(result);
}

void QtDialogWindow::RequestClose() {
  if (m_handler.OnCloseRequest()) EndDialog(IDCANCEL);
}

void QtDialogWindow::Destroy() {
  if (m_destroyed || !m_dialog) return;
  m_destroyed = true;
  m_handler.OnDestroy();
  m_thread->BeginClosing();
}

void QtDialogWindow::ConnectDialog() {
  // The controls' own notifications are connected where they are made (QtControlSet).
  QObject *context = m_dialog.get();
  QObject::connect(m_timers, &DialogTimers::timeout, context,
                   [this](int id) { m_handler.OnTimer(id); });
  QObject::connect(m_systemMenu, &SystemMenu::commandChosen, context, [this](int id) {
    if (!m_handler.OnSysCommand(static_cast<unsigned>(id))) {
      SystemMenu::RunDefaultCommand(m_dialog.get(), id);
    }
  });
}

bool QtDialogWindow::PreTranslateKey(QObject *receiver, QEvent *event) {
  if (event->type() != QEvent::KeyPress || !receiver->isWidgetType()) return false;
  auto *widget = static_cast<QWidget *>(receiver);
  if (widget->window() != m_dialog.get()) return false;
  // A key the focus widget leaves unused travels on to its parents; the hook
  // sees it at its first stop only.
  const QWidget *focus = m_dialog->focusWidget();
  if (focus != nullptr && widget != focus && widget->isAncestorOf(focus)) return false;
  const int controlId = ControlIdOf(widget);
  const auto &key = *static_cast<QKeyEvent *>(event);
  return m_handler.OnKeyDown(controlId > 0 ? controlId : 0, VirtualKeyOf(key), ModifiersOf(key));
}

void QtDialogWindow::SetTitle(std::string_view title) {
  if (m_dialog) m_dialog->setWindowTitle(ToQt(title));
}

std::string QtDialogWindow::Title() const {
  return m_dialog ? m_dialog->windowTitle().toStdString() : std::string();
}

void QtDialogWindow::SetIcon(int iconId) {
  if (m_dialog) m_dialog->setWindowIcon(LoadIcon(iconId));
}

bool QtDialogWindow::AppendSystemMenuSeparator() {
  if (!m_systemMenu) return false;
  m_systemMenu->AppendSeparator();
  return true;
}

bool QtDialogWindow::AppendSystemMenuItem(int commandId, std::string_view text) {
  if (!m_systemMenu) return false;
  m_systemMenu->AppendItem(commandId, ToQt(text));
  return true;
}

// --- Controls ----------------------------------------------------------------

Control *QtDialogWindow::FindControl(int id) const {
  return m_controls ? m_controls->Find(id) : nullptr;
}

// --- Timers, threads -----------------------------------------------------------

bool QtDialogWindow::StartTimer(int id, int periodMs) {
  return m_timers && m_timers->StartTimer(id, periodMs);
}

bool QtDialogWindow::KillTimer(int id) {
  return m_timers && m_timers->KillTimer(id);
}

bool QtDialogWindow::IsTimerActive(int id) const {
  return m_timers && m_timers->IsActive(id);
}

bool QtDialogWindow::PostUserMessage(unsigned offset) {
  return m_thread && m_thread->Post([this, offset] { m_handler.OnUserMessage(offset); });
}

}  // namespace vf::ui
