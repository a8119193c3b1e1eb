#include "ui/window/file_dialog.h"

#include <mutex>

#include "ui/window/translation.h"

namespace vf::ui {
namespace {

std::mutex g_interceptorMutex;
FileDialogInterceptor g_interceptor;

std::optional<FileChoice> Ask(const DialogWindow *owner, FileDialogRequest request) {
  FileDialogInterceptor interceptor;
  {
    const std::lock_guard lock(g_interceptorMutex);
    interceptor = g_interceptor;
  }
  std::optional<FileChoice> choice =
      interceptor ? interceptor(request) : backend::ShowFileDialog(owner, request);
  if (!choice || !request.save || request.kinds.empty()) return choice;
  // A name typed without an extension gets the chosen kind's.
  const std::size_t kind =
      choice->kind >= 0 && static_cast<std::size_t>(choice->kind) < request.kinds.size()
          ? static_cast<std::size_t>(choice->kind)
          : 0;
  const std::size_t slash = choice->path.find_last_of("/\\");
  const std::string name = choice->path.substr(slash == std::string::npos ? 0 : slash + 1);
  if (name.find('.') == std::string::npos) choice->path += "." + request.kinds[kind].extension;
  return choice;
}

}  // namespace

std::optional<FileChoice> AskSaveFile(const DialogWindow *owner, std::string_view title,
                                      const std::vector<FileKind> &kinds,
                                      std::string_view suggestedName) {
  return Ask(owner, {true, Translated(title), kinds, std::string(suggestedName)});
}

std::optional<FileChoice> AskOpenFile(const DialogWindow *owner, std::string_view title,
                                      const std::vector<FileKind> &kinds) {
  return Ask(owner, {false, Translated(title), kinds, {}});
}

void SetFileDialogInterceptor(FileDialogInterceptor interceptor) {
  const std::lock_guard lock(g_interceptorMutex);
  g_interceptor = std::move(interceptor);
}

}  // namespace vf::ui
