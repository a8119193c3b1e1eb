// The plan of the "Assign addresses" dialog: the rows it shows, the address plan or DHCP for the
// checked cameras (made by the core, as vellafind-cli assign makes it), an imported apply file,
// and the plan written as one.
#include <algorithm>
#include <map>

#include "core/apply_file.h"
#include "core/device_export.h"
#include "core/display_text.h"
#include "core/messages.h"
#include "core/record_text.h"
#include "core/text_marker.h"
#include "res/resource_ids.h"
#include "ui/dialog/assign_dlg.h"
#include "ui/dialog/assign_texts.h"
#include "ui/window/file_dialog.h"
#include "ui/window/message_box.h"
#include "ui/window/translation.h"

using namespace vf::res;
using assign_text::Say;
namespace text = assign_text;

namespace {

// A value of the plan's fields: std::nullopt when left blank, or when it is the default the
// dialog filled in itself.
std::optional<std::string> Given(const std::string &value, const std::string &filledIn) {
  if (value == "0.0.0.0" || value.empty() || value == filledIn) return std::nullopt;
  return value;
}

std::vector<vf::ui::FileKind> CsvKinds() {
  return {{vf::ui::Translated(text::kCsvFiles), "csv"}};
}

}  // namespace

// --- The rows ------------------------------------------------------------------

void CAssignDlg::ShowCameraRows() {
  m_imported = false;
  m_rows.clear();
  m_list->DeleteAllItems();
  for (std::size_t i = 0; i < m_setup.cameras.size(); ++i) {
    Row row;
    row.number = std::to_string(i + 1);
    row.plan.found = true;
    row.plan.device = m_setup.cameras[i];
    m_rows.push_back(std::move(row));
  }
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    const int at = m_list->InsertItem(static_cast<int>(i), m_rows[i].number);
    m_list->SetItemChecked(at, true);
    ShowRow(i);
  }
}

void CAssignDlg::ShowImportedRows() {
  m_imported = true;
  m_list->DeleteAllItems();
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    const int at = m_list->InsertItem(static_cast<int>(i), m_rows[i].number);
    m_list->SetItemChecked(at, m_rows[i].plan.Sendable());
    ShowRow(i);
  }
}

void CAssignDlg::ShowRow(std::size_t index) {
  const Row &row = m_rows[index];
  const int at = static_cast<int>(index);
  const DeviceRecord &device = row.plan.device;
  // Texts of the network, and of a file, are shown escaped.
  m_list->SetItemText(at, kName,
                      row.plan.found ? vf::core::DisplayField(device.deviceName)
                                     : vf::core::DisplayText(row.plan.name));
  m_list->SetItemText(at, kMac, row.plan.found ? vf::core::DisplayField(device.network.macAddress)
                                               : std::string());
  m_list->SetItemText(at, kAddress,
                      row.plan.found ? vf::core::DisplayField(device.network.ipAddress)
                                     : std::string());
  m_list->SetItemText(at, kNewAddress, NewAddressText(row));
  m_list->SetItemText(at, kResult, ResultText(index));
}

std::string CAssignDlg::NewAddressText(const Row &row) const {
  if (!row.planned || !row.plan.Sendable()) return {};
  if (row.plan.change.settings.dhcp != 0) return vf::ui::Translated(text::kDhcp);
  return row.plan.NewAddress();
}

std::string CAssignDlg::ResultText(std::size_t index) const {
  const Row &row = m_rows[index];
  if (!row.result.empty()) return row.result;
  if (!row.planned) return {};
  if (row.plan.problem) {
    return Say(text::kNotSentBecause, vf::core::Compose(*row.plan.problem, vf::ui::Translated));
  }
  return m_list->IsItemChecked(static_cast<int>(index)) ? vf::ui::Translated(text::kToBeSent)
                                                        : std::string();
}

std::vector<std::size_t> CAssignDlg::RowsToSend() const {
  std::vector<std::size_t> rows;
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    const Row &row = m_rows[i];
    if (row.planned && row.plan.Sendable() && !row.accepted &&
        m_list->IsItemChecked(static_cast<int>(i))) {
      rows.push_back(i);
    }
  }
  return rows;
}

// --- Making the plan ---------------------------------------------------------------

void CAssignDlg::OnMakePlan() {
  // From an imported file back to the cameras of the list.
  if (m_imported) ShowCameraRows();
  MakePlan();
}

void CAssignDlg::OnDhcpCheck() {
  MakePlan();
}

void CAssignDlg::OnListCheck(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size()) return;
  if (m_applying) {
    // The batch sends what was checked when it began.
    m_list->SetItemChecked(row, !m_list->IsItemChecked(row));
    return;
  }
  // The cameras close up in a plan of addresses; an imported plan, or one already sent, only
  // takes the row in or leaves it out.
  if (m_imported || m_sent.any) {
    ShowRow(static_cast<std::size_t>(row));
    ShowPlanStatus();
    return;
  }
  MakePlan();
}

void CAssignDlg::MakePlan() {
  std::string problem;
  const std::optional<vf::core::BatchPlan> plan = PlanFromFields(problem);
  if (!plan || plan->error) {
    ForgetPlan();
    SetStatus(plan ? vf::core::Compose(*plan->error, vf::ui::Translated) : problem);
  } else {
    TakePlan(*plan);
    ShowPlanStatus();
  }
  EnableControls();
}

std::optional<vf::core::BatchPlan> CAssignDlg::PlanFromFields(std::string &problem) {
  std::vector<DeviceRecord> checked;
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    if (m_list->IsItemChecked(static_cast<int>(i))) checked.push_back(m_rows[i].plan.device);
  }
  if (checked.empty()) {
    problem = vf::ui::Translated(text::kNoneChecked);
    return std::nullopt;
  }
  const std::vector<std::string> &pcAddresses = m_setup.session.PcAddresses();
  if (m_dhcpCheck->GetCheck() != 0) {
    return vf::core::PlanDhcp(checked, m_setup.devices, pcAddresses, false);
  }

  // A field filled in only partly would plan with zeros in its blank fields.
  const struct {
    int id;
    const char *message;
  } fields[] = {
      {IDC_ASSIGN_FIRST, vf::core::text::kWrongIp},
      {IDC_ASSIGN_MASK, vf::core::text::kWrongMask},
      {IDC_ASSIGN_GATEWAY, vf::core::text::kWrongGateway},
      {IDC_ASSIGN_DNS1, vf::core::text::kWrongDns},
      {IDC_ASSIGN_DNS2, vf::core::text::kWrongDns},
  };
  for (const auto &field : fields) {
    const auto *address = m_window->Find<vf::ui::IpAddressControl>(field.id);
    if (address != nullptr && address->IsPartlyBlank()) {
      problem = vf::ui::Translated(field.message);
      return std::nullopt;
    }
  }
  const std::string first = m_window->Item(IDC_ASSIGN_FIRST).Text();
  if (!Given(first, {})) {
    problem = vf::ui::Translated(text::kEnterFirst);
    return std::nullopt;
  }
  vf::core::AssignSettings settings;
  settings.first = first;
  settings.mask = Given(m_window->Item(IDC_ASSIGN_MASK).Text(), m_defaultMask);
  settings.gateway = Given(m_window->Item(IDC_ASSIGN_GATEWAY).Text(), m_defaultGateway);
  settings.primaryDns = Given(m_window->Item(IDC_ASSIGN_DNS1).Text(), {});
  settings.secondaryDns = Given(m_window->Item(IDC_ASSIGN_DNS2).Text(), {});

  vf::core::UserMessage error;
  const std::optional<vf::core::AssignSettings> complete =
      vf::core::CompleteAssign(settings, m_setup.adapters, error);
  if (!complete) {
    problem = vf::core::Compose(error, vf::ui::Translated);
    return std::nullopt;
  }
  // The defaults the adapter gave are shown where the user would have typed them.
  m_defaultMask = settings.mask ? std::string() : *complete->mask;
  m_defaultGateway = settings.gateway ? std::string() : *complete->gateway;
  if (!settings.mask) m_window->Item(IDC_ASSIGN_MASK).SetText(m_defaultMask);
  if (!settings.gateway) m_window->Item(IDC_ASSIGN_GATEWAY).SetText(m_defaultGateway);
  return vf::core::PlanAssign(checked, *complete, m_setup.devices, pcAddresses, false);
}

void CAssignDlg::TakePlan(const vf::core::BatchPlan &plan) {
  // One planned row per checked camera, found again by its MAC.
  std::map<std::string, const vf::core::BatchRow *> byMac;
  for (const vf::core::BatchRow &planned : plan.rows) {
    byMac.emplace(vf::core::FieldText(planned.device.network.macAddress), &planned);
  }
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    Row &row = m_rows[i];
    const auto found = byMac.find(vf::core::FieldText(row.plan.device.network.macAddress));
    row.planned = m_list->IsItemChecked(static_cast<int>(i)) && found != byMac.end();
    if (row.planned) row.plan = *found->second;
    ShowRow(i);
  }
}

void CAssignDlg::ForgetPlan() {
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    m_rows[i].planned = false;
    ShowRow(i);
  }
}

void CAssignDlg::ShowPlanStatus() {
  std::size_t checked = 0;
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    if (m_list->IsItemChecked(static_cast<int>(i))) ++checked;
  }
  SetStatus(Say(text::kPlanReady, std::to_string(RowsToSend().size()), std::to_string(checked)));
}

// --- Files -------------------------------------------------------------------------

void CAssignDlg::OnImport() {
  const std::optional<vf::ui::FileChoice> choice =
      vf::ui::AskOpenFile(m_window.get(), text::kImportTitle, CsvKinds());
  if (!choice) return;
  std::string error;
  const std::optional<vf::core::ApplyFile> file = vf::core::LoadApplyFile(choice->path, error);
  if (!file) {
    Tell(error, vf::ui::MB_ICONEXCLAMATION);
    return;
  }
  const std::vector<vf::core::BatchRow> rows = vf::core::PlanApply(
      *file, m_setup.devices, m_setup.session.PcAddresses(), false);
  m_rows.clear();
  for (const vf::core::BatchRow &planned : rows) {
    Row row;
    row.number = planned.row;
    row.plan = planned;
    row.planned = true;
    m_rows.push_back(std::move(row));
  }
  ShowImportedRows();
  SetStatus(Say(text::kImported, vf::core::DisplayText(choice->path)));
  EnableControls();
}

void CAssignDlg::OnExport() {
  std::vector<vf::core::BatchRow> rows;
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    if (m_rows[i].planned && m_list->IsItemChecked(static_cast<int>(i))) {
      rows.push_back(m_rows[i].plan);
    }
  }
  const bool anySendable = std::any_of(rows.begin(), rows.end(),
                                       [](const vf::core::BatchRow &row) { return row.Sendable(); });
  if (!anySendable) {
    Tell(text::kNothingToSend, vf::ui::MB_ICONINFORMATION);
    return;
  }
  const std::optional<vf::ui::FileChoice> choice =
      vf::ui::AskSaveFile(m_window.get(), text::kExportTitle, CsvKinds(), "plan.csv");
  if (!choice) return;
  if (const auto failed = vf::core::WriteTextFile(choice->path, vf::core::PlanCsv(rows))) {
    Tell(vf::core::Compose(*failed, vf::ui::Translated), vf::ui::MB_ICONEXCLAMATION);
    return;
  }
  SetStatus(Say(text::kExported, vf::core::DisplayText(choice->path)));
}
