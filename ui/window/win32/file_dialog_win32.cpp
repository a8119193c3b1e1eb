// File dialogs on Win32: the common dialogs GetSaveFileNameW and GetOpenFileNameW.
#include "platform/windows_text.h"
#include "ui/window/dialog_window.h"
#include "ui/window/file_dialog.h"

// Last: the window system's macros would clash with the names above.
#include <windows.h>
// clang-format off: the common dialogs need what windows.h declares.
#include <commdlg.h>
// clang-format on

namespace vf::ui::backend {

std::optional<FileChoice> ShowFileDialog(const DialogWindow *owner,
                                         const FileDialogRequest &request) {
  // "CSV files (*.csv)\0*.csv\0...\0\0"
  std::wstring filter;
  for (const FileKind &kind : request.kinds) {
    const std::wstring pattern = L"*." + platform::WideFromUtf8(kind.extension);
    filter += platform::WideFromUtf8(kind.name) + L" (" + pattern + L")";
    filter.push_back(L'\0');
    filter += pattern;
    filter.push_back(L'\0');
  }
  filter.push_back(L'\0');
  std::wstring file(32768, L'\0');
  const std::wstring suggested = platform::WideFromUtf8(request.suggestedName);
  suggested.copy(file.data(), file.size() - 1);
  const std::wstring title = platform::WideFromUtf8(request.title);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner != nullptr ? static_cast<HWND>(owner->NativeHandle()) : nullptr;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                 (request.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  const BOOL chosen = request.save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  FileChoice choice;
  choice.path = platform::Utf8FromWide(file.c_str());
  choice.kind = dialog.nFilterIndex > 0 ? static_cast<int>(dialog.nFilterIndex) - 1 : 0;
  return choice;
}

}  // namespace vf::ui::backend
