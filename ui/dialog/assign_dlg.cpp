// The "Assign addresses" dialog: its window, the message map, start-up, closing, and what its
// state lets the user reach.
#include "ui/dialog/assign_dlg.h"

#include <utility>

#include "core/text_marker.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "ui/window/message_box.h"

using namespace vf::res;

namespace {

// Widths in pixels: the check box shares the first column.
constexpr vf::ui::ListColumn kColumns[] = {
    {VF_TEXT("No."), 52},        {VF_TEXT("DeviceName"), 90},     {VF_TEXT("MAC"), 115},
    {VF_TEXT("IP address"), 95}, {VF_TEXT("New IP address"), 95}, {VF_TEXT("Result"), 240},
};

// The fields of the address plan, which DHCP leaves out.
constexpr int kAddressFields[] = {IDC_ASSIGN_FIRST, IDC_ASSIGN_MASK, IDC_ASSIGN_GATEWAY,
                                  IDC_ASSIGN_DNS1, IDC_ASSIGN_DNS2};

}  // namespace

CAssignDlg::CAssignDlg(Setup setup)
    : m_setup(std::move(setup)),
      m_window(vf::ui::CreateDialogWindow(AssignDialogTemplate(), m_messageMap, m_setup.owner)) {}

CAssignDlg::~CAssignDlg() {
  // What the session tells from now on finds the window closed and is dropped.
  m_window.reset();
}

bool CAssignDlg::Create() {
  return m_window->Create();
}

int CAssignDlg::DoModal() {
  return m_window->RunModal();
}

// --- Message map -------------------------------------------------------------

void CAssignDlg::MessageMap::OnInitDialog() {
  m_dialog.OnInitDialog();
}

void CAssignDlg::MessageMap::OnCommand(int id) {
  switch (id) {
    case IDC_ASSIGN_PLAN:
      m_dialog.OnMakePlan();
      break;
    case IDC_ASSIGN_DHCP:
      m_dialog.OnDhcpCheck();
      break;
    case IDC_ASSIGN_IMPORT:
      m_dialog.OnImport();
      break;
    case IDC_ASSIGN_EXPORT:
      m_dialog.OnExport();
      break;
    case IDC_ASSIGN_APPLY:
      m_dialog.OnApply();
      break;
    case IDC_ASSIGN_CANCEL:
      m_dialog.OnCancelBatch();
      break;
    case IDC_ASSIGN_CLOSE:
      m_dialog.OnCloseButton();
      break;
    default:
      break;
  }
}

void CAssignDlg::MessageMap::OnListCheckChanged(int id, int row) {
  if (id == IDC_ASSIGN_LIST) m_dialog.OnListCheck(row);
}

bool CAssignDlg::MessageMap::OnCloseRequest() {
  return m_dialog.OnCloseRequest();
}

// --- Start-up and closing ------------------------------------------------------

void CAssignDlg::OnInitDialog() {
  m_list = m_window->Find<vf::ui::ListView>(IDC_ASSIGN_LIST);
  m_dhcpCheck = m_window->Find<vf::ui::CheckBox>(IDC_ASSIGN_DHCP);
  m_progress = m_window->Find<vf::ui::ProgressBar>(IDC_ASSIGN_PROGRESS);
  m_window->SetIcon(IDR_MAINFRAME);

  int index = 0;
  for (const vf::ui::ListColumn &column : kColumns) m_list->InsertColumn(index++, column);
  m_list->SetFullRowSelect(true);
  m_list->SetCheckBoxes(true);

  m_window->Item(IDC_ASSIGN_FIRST).SetText(m_setup.firstAddress);
  m_window->Item(IDC_ASSIGN_ACCOUNT).SetText(m_setup.account);
  m_window->Item(IDC_ASSIGN_PASSWORD).SetText(m_setup.password);

  ShowCameraRows();
  // The plan the proposal gives is shown at once; nothing is sent before Apply.
  MakePlan();
}

bool CAssignDlg::OnCloseRequest() {
  if (!m_applying) return true;
  m_closeWhenDone = true;
  OnCancelBatch();
  return false;
}

void CAssignDlg::OnCloseButton() {
  if (OnCloseRequest()) m_window->EndDialog(vf::ui::IDCANCEL);
}

// --- Window ------------------------------------------------------------------

void CAssignDlg::EnableControls() {
  // Once a batch has changed cameras, the search the plan was made from is out of date: only the
  // plan made is still sent (to the cameras that did not take it) or written.
  const bool planning = !m_applying && !m_sent.any;
  const bool dhcp = m_dhcpCheck->GetCheck() != 0;
  m_window->Item(IDC_ASSIGN_DHCP).Enable(planning);
  for (int id : kAddressFields) m_window->Item(id).Enable(planning && !dhcp);
  m_window->Item(IDC_ASSIGN_PLAN).Enable(planning);
  m_window->Item(IDC_ASSIGN_IMPORT).Enable(planning);
  for (int id : {IDC_ASSIGN_EXPORT, IDC_ASSIGN_APPLY, IDC_ASSIGN_CLOSE, IDC_ASSIGN_ACCOUNT,
                 IDC_ASSIGN_PASSWORD}) {
    m_window->Item(id).Enable(!m_applying);
  }
  m_window->Item(IDC_ASSIGN_CANCEL).Enable(m_applying && !m_cancelling);
}

void CAssignDlg::SetStatus(const std::string &text) {
  m_window->Item(IDC_ASSIGN_STATUS).SetText(text);
}

int CAssignDlg::Tell(const std::string &text, unsigned type) {
  return vf::ui::ShowMessageBox(m_window.get(), text, LoadString(IDS_TIPS), type);
}
