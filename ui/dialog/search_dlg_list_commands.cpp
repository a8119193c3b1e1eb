// What the device list offers beside choosing a device: its context menu,
// copying the highlighted device's row or values, exporting the list through
// the command line's own writer, and "Assign addresses..." for the cameras
// listed (search_dlg_assign.cpp).
#include <algorithm>
#include <cctype>
#include <optional>

#include "core/device_export.h"
#include "core/messages.h"
#include "core/text_marker.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "ui/dialog/search_dlg.h"
#include "ui/window/clipboard.h"
#include "ui/window/file_dialog.h"
#include "ui/window/message_box.h"
#include "ui/window/translation.h"

using namespace vf::res;
namespace core = vf::core;

// In a namespace with a name, which the translation tools need to collect the texts.
namespace device_list_menu {

// The context menu of the device list, in its order. A command that acts on
// the highlighted device is offered only over a row; an id of 0 is a
// separator. The text after a tab names the command's key.
struct ListCommand {
  int id;
  const char *text;
  void (CSearchDlg::*run)();
  bool onDevice;
};

constexpr ListCommand kListCommands[] = {
    {IDM_COPY_ROW, VF_TEXT("Copy row\tCtrl+C"), &CSearchDlg::OnCopyRow, true},
    {IDM_COPY_IP, VF_TEXT("Copy IP address"), &CSearchDlg::OnCopyAddress, true},
    {IDM_COPY_MAC, VF_TEXT("Copy MAC address"), &CSearchDlg::OnCopyMac, true},
    {IDM_OPEN_PAGE, VF_TEXT("Open web page\tF4"), &CSearchDlg::OnBrowse, true},
    {0, "", nullptr, false},
    {IDM_EXPORT_LIST, VF_TEXT("Export list...\tCtrl+S"), &CSearchDlg::OnExportList, false},
    {IDM_ASSIGN_LISTED, VF_TEXT("Assign addresses..."), &CSearchDlg::OnAssignAddresses, false},
};

}  // namespace device_list_menu

namespace {

using device_list_menu::kListCommands;
using device_list_menu::ListCommand;

// CSV unless the user chose JSON: by the name's extension, else by the kind chosen.
core::Format ExportFormatOf(const vf::ui::FileChoice &choice, int jsonKind) {
  const std::size_t dot = choice.path.find_last_of('.');
  std::string extension = dot == std::string::npos ? std::string() : choice.path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == "json") return core::Format::Json;
  if (extension == "csv") return core::Format::Csv;
  return choice.kind == jsonKind ? core::Format::Json : core::Format::Csv;
}

}  // namespace

void CSearchDlg::OnDeviceListContextMenu(int row) {
  const bool overDevice = StoreIndexOf(row) >= 0;
  std::vector<vf::ui::MenuEntry> entries;
  for (const ListCommand &command : kListCommands) {
    entries.push_back({command.id, command.text, overDevice || !command.onDevice});
  }
  const int chosen = m_deviceList->ShowContextMenu(entries);
  for (const ListCommand &command : kListCommands) {
    if (chosen != 0 && command.id == chosen && command.run != nullptr) {
      (this->*command.run)();
      return;
    }
  }
}

void CSearchDlg::OnCopyRow() {
  const int index = SelectedDevice();
  DeviceRecord device{};
  if (!m_devices.CopyAt(index, device)) {
    Tell(LoadString(IDS_SELECT_DEVICE), vf::ui::MB_ICONINFORMATION);
    return;
  }
  // As the list shows it, so that it pastes into a spreadsheet as one row: the texts are
  // escaped for display, which leaves no tab or line break inside one.
  std::string row;
  for (int column = 0; column < core::kDeviceColumnCount; ++column) {
    if (column > 0) row += '\t';
    row += core::ColumnText(device, core::ColumnAt(column), index + 1);
  }
  CopyToClipboard(row + "\n");
}

void CSearchDlg::OnCopyAddress() {
  CopyColumn(core::DeviceColumn::Address);
}

void CSearchDlg::OnCopyMac() {
  CopyColumn(core::DeviceColumn::Mac);
}

void CSearchDlg::CopyColumn(core::DeviceColumn column) {
  const int index = SelectedDevice();
  DeviceRecord device{};
  if (!m_devices.CopyAt(index, device)) {
    Tell(LoadString(IDS_SELECT_DEVICE), vf::ui::MB_ICONINFORMATION);
    return;
  }
  CopyToClipboard(core::ColumnText(device, column, index + 1));
}

void CSearchDlg::CopyToClipboard(const std::string &text) {
  if (vf::ui::SetClipboardText(text)) return;
  Tell(VF_TEXT("The clipboard is in use by another program; please try again."),
       vf::ui::MB_ICONEXCLAMATION);
}

void CSearchDlg::OnExportList() {
  constexpr int kJsonKind = 1;
  const std::vector<vf::ui::FileKind> kinds = {
      {vf::ui::Translated(VF_TEXT("CSV files")), "csv"},
      {vf::ui::Translated(VF_TEXT("JSON files")), "json"},
  };
  const std::optional<vf::ui::FileChoice> choice =
      vf::ui::AskSaveFile(m_window.get(), VF_TEXT("Export list"), kinds, "devices.csv");
  // Cancelled: the dialog's closing is the answer the user sees.
  if (!choice) return;
  const std::vector<DeviceRecord> devices = ListedDevices();
  const auto failure =
      core::ExportDevices(devices, ExportFormatOf(*choice, kJsonKind), choice->path);
  if (failure) {
    Tell(core::Compose(*failure, vf::ui::Translated), vf::ui::MB_ICONEXCLAMATION);
    return;
  }
  Tell(vf::ui::WithArgument(vf::ui::Translated(VF_TEXT("The list was written to %1.")),
                            choice->path),
       vf::ui::MB_ICONINFORMATION);
}
