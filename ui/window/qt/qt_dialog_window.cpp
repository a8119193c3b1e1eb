#include "ui/window/qt/qt_dialog_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>

#include "ui/window/qt/control_id.h"
#include "ui/window/qt/dialog_builder.h"
#include "ui/window/qt/dialog_controls.h"
#include "ui/window/qt/drop_down_list.h"
#include "ui/window/qt/icons.h"
#include "ui/window/qt/ip_address_edit.h"
#include "ui/window/qt/report_list.h"
#include "ui/window/qt/step_progress_bar.h"
#include "ui/window/qt/system_menu.h"
#include "ui/window/qt/timers.h"
#include "ui/window/qt/up_down_control.h"
#include "ui/window/virtual_keys.h"
#include "ui/window/window_thread.h"

namespace vf::ui {
namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string S(const QString &text) {
  return text.toStdString();
}

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

}  // namespace

std::unique_ptr<DialogWindow> CreateDialogWindow(const DialogTemplate &dialogTemplate,
                                                 DialogHandler &handler) {
  return std::make_unique<QtDialogWindow>(dialogTemplate, handler);
}

// --- HostDialog ------------------------------------------------------------

HostDialog::HostDialog(QtDialogWindow &window) : m_window(window) {
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

bool HostDialog::eventFilter(QObject *watched, QEvent *event) {
  if (m_window.PreTranslateKey(watched, event)) return true;
  return QDialog::eventFilter(watched, event);
}

// --- QtDialogWindow ----------------------------------------------------------

QtDialogWindow::QtDialogWindow(const DialogTemplate &dialogTemplate, DialogHandler &handler)
    : m_template(dialogTemplate), m_handler(handler) {}

QtDialogWindow::~QtDialogWindow() {
  Destroy();
  m_controls.reset();
  m_dialog.reset();
}

bool QtDialogWindow::Create() {
  if (m_dialog) return false;
  m_dialog = std::make_unique<HostDialog>(*this);
  BuildDialog(m_dialog.get(), m_template);
  m_controls = std::make_unique<DialogControls>(m_dialog.get());
  m_timers = new DialogTimers(m_dialog.get());
  m_systemMenu = new SystemMenu(m_dialog.get());
  m_wakeReceiver = new QObject(m_dialog.get());
  // The receiver goes with the dialog, and Qt drops what was queued for it.
  m_thread = std::make_unique<WindowThread>(this, [this] {
    QMetaObject::invokeMethod(
        m_wakeReceiver, [this] { m_thread->Channel()->Drain(); }, Qt::QueuedConnection);
  });
  ConnectControls();
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

void QtDialogWindow::ConnectControls() {
  DialogControls *controls = m_controls.get();
  QObject *context = m_dialog.get();
  QObject::connect(controls, &DialogControls::buttonClicked, context,
                   [this](int id) { m_handler.OnCommand(id); });
  QObject::connect(controls, &DialogControls::checkBoxClicked, context,
                   [this](int id) { m_handler.OnCommand(id); });
  QObject::connect(controls, &DialogControls::listClicked, context,
                   [this](int id, int row) { m_handler.OnListClick(id, row); });
  QObject::connect(controls, &DialogControls::listKeyMoved, context,
                   [this](int id, int row) { m_handler.OnListKeyMoved(id, row); });
  QObject::connect(controls, &DialogControls::comboSelChanged, context,
                   [this](int id) { m_handler.OnComboSelChange(id); });
  QObject::connect(controls, &DialogControls::upDownDelta, context,
                   [this](int id, int delta) { m_handler.OnUpDownDelta(id, delta); });
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
  return m_handler.OnKeyDown(controlId > 0 ? controlId : 0,
                             VirtualKeyOf(*static_cast<QKeyEvent *>(event)));
}

void QtDialogWindow::SetTitle(std::string_view title) {
  if (m_dialog) m_dialog->setWindowTitle(Q(title));
}

std::string QtDialogWindow::Title() const {
  return m_dialog ? S(m_dialog->windowTitle()) : std::string();
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
  m_systemMenu->AppendItem(commandId, Q(text));
  return true;
}

// --- Controls ----------------------------------------------------------------

ReportList *QtDialogWindow::List(int id) const {
  return m_controls ? m_controls->List(id) : nullptr;
}

DropDownList *QtDialogWindow::Combo(int id) const {
  return m_controls ? m_controls->Combo(id) : nullptr;
}

UpDownControl *QtDialogWindow::UpDown(int id) const {
  return m_controls ? m_controls->UpDown(id) : nullptr;
}

StepProgressBar *QtDialogWindow::Progress(int id) const {
  return m_controls ? m_controls->Progress(id) : nullptr;
}

bool QtDialogWindow::HasControl(int id) const {
  return m_controls && m_controls->Control(id) != nullptr;
}

bool QtDialogWindow::SetText(int id, std::string_view text) {
  return m_controls && m_controls->SetText(id, Q(text));
}

std::string QtDialogWindow::Text(int id) const {
  return m_controls ? S(m_controls->Text(id)) : std::string();
}

bool QtDialogWindow::Enable(int id, bool enable) {
  return m_controls && m_controls->Enable(id, enable);
}

bool QtDialogWindow::IsEnabled(int id) const {
  return m_controls && m_controls->IsEnabled(id);
}

bool QtDialogWindow::Show(int id, bool show) {
  return m_controls && m_controls->Show(id, show);
}

bool QtDialogWindow::IsVisible(int id) const {
  return m_controls && m_controls->IsVisible(id);
}

std::string QtDialogWindow::ClassName(int id) const {
  return m_controls ? S(m_controls->ClassName(id)) : std::string();
}

bool QtDialogWindow::SetReadOnly(int id, bool readOnly) {
  return m_controls && m_controls->SetReadOnly(id, readOnly);
}

bool QtDialogWindow::IsReadOnly(int id) const {
  return m_controls && m_controls->IsReadOnly(id);
}

bool QtDialogWindow::IsAddressPartlyBlank(int id) const {
  return m_controls && m_controls->IsAddressPartlyBlank(id);
}

int QtDialogWindow::GetCheck(int id) const {
  return m_controls ? m_controls->GetCheck(id) : 0;
}

bool QtDialogWindow::SetCheck(int id, int state) {
  return m_controls && m_controls->SetCheck(id, state);
}

// --- List view ---------------------------------------------------------------

int QtDialogWindow::InsertColumn(int id, int index, std::string_view heading, int widthPx) {
  ReportList *list = List(id);
  return list ? list->InsertColumn(index, Q(heading), widthPx) : -1;
}

int QtDialogWindow::ColumnCount(int id) const {
  ReportList *list = List(id);
  return list ? list->ColumnCount() : 0;
}

std::string QtDialogWindow::ColumnHeading(int id, int column) const {
  ReportList *list = List(id);
  return list ? S(list->ColumnHeading(column)) : std::string();
}

int QtDialogWindow::ColumnWidth(int id, int column) const {
  ReportList *list = List(id);
  return list && column >= 0 && column < list->ColumnCount() ? list->columnWidth(column) : 0;
}

bool QtDialogWindow::SetFullRowSelect(int id, bool fullRow) {
  ReportList *list = List(id);
  if (list) list->SetFullRowSelect(fullRow);
  return list != nullptr;
}

bool QtDialogWindow::IsFullRowSelect(int id) const {
  ReportList *list = List(id);
  return list && list->selectionBehavior() == QAbstractItemView::SelectRows;
}

bool QtDialogWindow::SetFindColumn(int id, int column) {
  ReportList *list = List(id);
  if (list) list->SetFindColumn(column);
  return list != nullptr;
}

bool QtDialogWindow::DeleteAllItems(int id) {
  ReportList *list = List(id);
  if (list) list->DeleteAllItems();
  return list != nullptr;
}

int QtDialogWindow::InsertItem(int id, int row, std::string_view text) {
  ReportList *list = List(id);
  return list ? list->InsertItem(row, Q(text)) : -1;
}

bool QtDialogWindow::SetItemText(int id, int row, int column, std::string_view text) {
  ReportList *list = List(id);
  return list && list->SetItemText(row, column, Q(text));
}

std::string QtDialogWindow::ItemText(int id, int row, int column) const {
  ReportList *list = List(id);
  return list ? S(list->ItemText(row, column)) : std::string();
}

bool QtDialogWindow::SetSuppliedItems(int id, int count, CellText text) {
  ReportList *list = List(id);
  if (list) list->SetSuppliedItems(count, std::move(text));
  return list != nullptr;
}

int QtDialogWindow::ItemCount(int id) const {
  ReportList *list = List(id);
  return list ? list->ItemCount() : 0;
}

int QtDialogWindow::SelectionMark(int id) const {
  ReportList *list = List(id);
  return list ? list->SelectionMark() : -1;
}

int QtDialogWindow::SetSelectionMark(int id, int row) {
  ReportList *list = List(id);
  return list ? list->SetSelectionMark(row) : -1;
}

// --- Drop-down list ----------------------------------------------------------

bool QtDialogWindow::ResetContent(int id) {
  DropDownList *combo = Combo(id);
  if (combo) combo->ResetContent();
  return combo != nullptr;
}

int QtDialogWindow::AddString(int id, std::string_view text) {
  DropDownList *combo = Combo(id);
  return combo ? combo->AddString(Q(text)) : -1;
}

int QtDialogWindow::ComboCount(int id) const {
  DropDownList *combo = Combo(id);
  return combo ? combo->Count() : 0;
}

std::string QtDialogWindow::ComboText(int id, int index) const {
  DropDownList *combo = Combo(id);
  return combo && index >= 0 && index < combo->Count() ? S(combo->itemText(index)) : std::string();
}

bool QtDialogWindow::SetItemData(int id, int index, std::uintptr_t value) {
  DropDownList *combo = Combo(id);
  return combo && combo->SetItemData(index, value);
}

std::uintptr_t QtDialogWindow::ItemData(int id, int index) const {
  DropDownList *combo = Combo(id);
  return combo ? combo->ItemData(index) : 0;
}

int QtDialogWindow::SelectString(int id, int after, std::string_view prefix) {
  DropDownList *combo = Combo(id);
  return combo ? combo->SelectString(after, Q(prefix)) : -1;
}

int QtDialogWindow::CurSel(int id) const {
  DropDownList *combo = Combo(id);
  return combo ? combo->CurSel() : -1;
}

bool QtDialogWindow::SetCurSel(int id, int index) {
  DropDownList *combo = Combo(id);
  if (combo) combo->SetCurSel(index);
  return combo != nullptr;
}

// --- Up-down control -----------------------------------------------------------

int QtDialogWindow::SetBuddy(int id, int buddyId) {
  UpDownControl *spin = UpDown(id);
  if (spin == nullptr) return 0;
  return ControlIdOf(spin->SetBuddy(m_controls->Control(buddyId)));
}

int QtDialogWindow::Buddy(int id) const {
  UpDownControl *spin = UpDown(id);
  return spin ? ControlIdOf(spin->Buddy()) : 0;
}

bool QtDialogWindow::SetRange(int id, int lower, int upper) {
  UpDownControl *spin = UpDown(id);
  if (spin) spin->SetRange(lower, upper);
  return spin != nullptr;
}

std::pair<int, int> QtDialogWindow::Range(int id) const {
  UpDownControl *spin = UpDown(id);
  return spin ? std::pair{spin->Lower(), spin->Upper()} : std::pair{0, 0};
}

int QtDialogWindow::SetPos(int id, int pos) {
  UpDownControl *spin = UpDown(id);
  return spin ? spin->SetPos(pos) : 0;
}

int QtDialogWindow::Pos(int id) const {
  UpDownControl *spin = UpDown(id);
  return spin ? spin->Pos() : 0;
}

// --- Progress bar --------------------------------------------------------------

bool QtDialogWindow::SetProgressRange(int id, int lower, int upper) {
  StepProgressBar *bar = Progress(id);
  if (bar) bar->SetRange(lower, upper);
  return bar != nullptr;
}

std::pair<int, int> QtDialogWindow::ProgressRange(int id) const {
  StepProgressBar *bar = Progress(id);
  return bar ? std::pair{bar->minimum(), bar->maximum()} : std::pair{0, 0};
}

int QtDialogWindow::SetProgressPos(int id, int pos) {
  StepProgressBar *bar = Progress(id);
  return bar ? bar->SetPos(pos) : 0;
}

int QtDialogWindow::ProgressPos(int id) const {
  StepProgressBar *bar = Progress(id);
  return bar ? bar->Pos() : 0;
}

bool QtDialogWindow::SetProgressStep(int id, int step) {
  StepProgressBar *bar = Progress(id);
  if (bar) bar->SetStep(step);
  return bar != nullptr;
}

int QtDialogWindow::StepIt(int id) {
  StepProgressBar *bar = Progress(id);
  return bar ? bar->StepIt() : 0;
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
