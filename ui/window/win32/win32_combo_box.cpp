#include "ui/window/win32/win32_combo_box.h"

#include <algorithm>

#include "platform/windows_text.h"

// Last: the window system's macros would clash with the names above.
#include <windows.h>

namespace vf::ui::win32 {
namespace {

HWND H(void *window) {
  return static_cast<HWND>(window);
}

}  // namespace

void Win32ComboBox::ResetContent() {
  SendMessageW(H(Handle()), CB_RESETCONTENT, 0, 0);
}

int Win32ComboBox::AddString(std::string_view text) {
  HWND combo = H(Handle());
  if (combo == nullptr) return -1;
  const auto index = SendMessageW(combo, CB_ADDSTRING, 0,
                                  reinterpret_cast<LPARAM>(platform::WideFromUtf8(text).c_str()));
  return index < 0 ? -1 : static_cast<int>(index);
}

int Win32ComboBox::Count() const {
  return static_cast<int>(SendMessageW(H(Handle()), CB_GETCOUNT, 0, 0));
}

std::string Win32ComboBox::ItemText(int index) const {
  HWND combo = H(Handle());
  if (combo == nullptr || index < 0 || index >= Count()) return {};
  const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
  const auto copied = SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
  return platform::Utf8FromWide(text);
}

bool Win32ComboBox::SetItemData(int index, std::uintptr_t value) {
  HWND combo = H(Handle());
  return combo != nullptr && SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index),
                                          static_cast<LPARAM>(value)) != CB_ERR;
}

std::uintptr_t Win32ComboBox::ItemData(int index) const {
  HWND combo = H(Handle());
  if (combo == nullptr || index < 0 || index >= Count()) return 0;
  return static_cast<std::uintptr_t>(
      SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

int Win32ComboBox::SelectString(int after, std::string_view prefix) {
  HWND combo = H(Handle());
  if (combo == nullptr) return -1;
  const auto selected =
      SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(after),
                   reinterpret_cast<LPARAM>(platform::WideFromUtf8(prefix).c_str()));
  return selected == CB_ERR ? -1 : static_cast<int>(selected);
}

int Win32ComboBox::CurSel() const {
  HWND combo = H(Handle());
  return combo != nullptr ? static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)) : -1;
}

void Win32ComboBox::SetCurSel(int index) {
  SendMessageW(H(Handle()), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool Win32ComboBox::OnCommand(int code) {
  if (code != CBN_SELCHANGE) return false;
  Dialog().Handler().OnComboSelChange(Id());
  return true;
}

}  // namespace vf::ui::win32
