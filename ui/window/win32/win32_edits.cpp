#include "ui/window/win32/win32_edits.h"

#include <algorithm>
#include <vector>

#include "platform/windows_text.h"

// Last: the window system's macros would clash with the names above.
#include <windows.h>
// The common controls build on the declarations above.
#include <commctrl.h>

#include "ui/window/win32/win32_native.h"

namespace vf::ui::win32 {
namespace {

std::wstring OneLineText(std::wstring text) {
  for (wchar_t &c : text) {
    if ((c < 0x20 && c != L'\t') || c == 0x2028 || c == 0x2029) c = L' ';
  }
  return text;
}

// A field of dotted text as the IP address control takes it: 0 to 255 (more
// is cut to 255), or blank (-1) when missing or not a number.
std::vector<int> AddressParts(std::string_view dotted) {
  std::vector<int> parts(4, -1);
  std::size_t start = 0;
  for (int i = 0; i < 4 && start <= dotted.size(); ++i) {
    const std::size_t end = std::min(dotted.find('.', start), dotted.size());
    std::string_view part = dotted.substr(start, end - start);
    while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
    while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
    const bool digits =
        !part.empty() && part.size() <= 9 &&
        std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digits) parts[static_cast<std::size_t>(i)] = std::min(std::stoi(std::string(part)), 255);
    if (end == dotted.size()) break;
    start = end + 1;
  }
  return parts;
}

}  // namespace

// --- One-line edit -------------------------------------------------------------

bool Win32Edit::SetText(std::string_view text) {
  HWND edit = static_cast<HWND>(Handle());
  if (edit == nullptr) return false;
  const std::wstring wide = platform::WideFromUtf8(text);
  const bool multiLine = (GetWindowLongW(edit, GWL_STYLE) & ES_MULTILINE) != 0;
  const std::wstring shown = multiLine ? wide : OneLineText(wide);
  if (SetWindowTextW(edit, shown.c_str()) == FALSE) return false;
  m_set = shown != wide ? std::string(text) : std::string();
  m_shown = shown != wide ? shown : std::wstring();
  return true;
}

std::string Win32Edit::Text() const {
  HWND edit = static_cast<HWND>(Handle());
  if (edit == nullptr) return {};
  if (!m_shown.empty() && WideTextOf(edit) == m_shown) return m_set;
  return WindowText(edit);
}

void Win32Edit::SetReadOnly(bool readOnly) {
  SendMessageW(static_cast<HWND>(Handle()), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

bool Win32Edit::IsReadOnly() const {
  HWND edit = static_cast<HWND>(Handle());
  return edit != nullptr && (GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) != 0;
}

// --- IP address control ----------------------------------------------------------

bool Win32IpAddress::SetText(std::string_view text) {
  HWND control = static_cast<HWND>(Handle());
  if (control == nullptr) return false;
  const std::vector<int> parts = AddressParts(text);
  if (std::all_of(parts.begin(), parts.end(), [](int part) { return part >= 0; })) {
    SendMessageW(control, IPM_SETADDRESS, 0,
                 static_cast<LPARAM>(MAKEIPADDRESS(parts[0], parts[1], parts[2], parts[3])));
    return true;
  }
  // Fields that are missing or no number stay blank.
  SendMessageW(control, IPM_CLEARADDRESS, 0, 0);
  const std::vector<HWND> fields = AddressFields(control);
  for (std::size_t i = 0; i < fields.size() && i < parts.size(); ++i) {
    if (parts[i] >= 0) SetWindowTextW(fields[i], std::to_wstring(parts[i]).c_str());
  }
  return true;
}

std::string Win32IpAddress::Text() const {
  HWND control = static_cast<HWND>(Handle());
  if (control == nullptr) return {};
  DWORD address = 0;
  SendMessageW(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
  return std::to_string(FIRST_IPADDRESS(address)) + "." +
         std::to_string(SECOND_IPADDRESS(address)) + "." +
         std::to_string(THIRD_IPADDRESS(address)) + "." + std::to_string(FOURTH_IPADDRESS(address));
}

bool Win32IpAddress::IsPartlyBlank() const {
  HWND control = static_cast<HWND>(Handle());
  if (control == nullptr) return false;
  DWORD address = 0;
  // The number of fields that are not blank.
  const auto filled = SendMessageW(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
  return filled > 0 && filled < 4;
}

}  // namespace vf::ui::win32
