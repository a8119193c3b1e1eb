// The platform's own dialogs that ask for a file to save to or to open, in one place that tests
// can answer instead of a user, as message boxes are.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vf::ui {

class DialogWindow;

// A kind of file the dialog offers: its name as the user reads it ("CSV files") and its
// extension without the dot ("csv").
struct FileKind {
  std::string name;
  std::string extension;
};

struct FileDialogRequest {
  bool save = true;   // false: a file to open
  std::string title;  // translated
  std::vector<FileKind> kinds;
  std::string suggestedName;  // a save dialog's proposed file name
};

struct FileChoice {
  std::string path;  // UTF-8, as the file system names it
  int kind = 0;      // the index of the kind the user chose (a save dialog's)
};

// Asks, on the window's thread, for a file to save `kinds` to: the path the user chose, with the
// chosen kind's extension added when the name has none; std::nullopt when the user cancelled.
std::optional<FileChoice> AskSaveFile(const DialogWindow *owner, std::string_view title,
                                      const std::vector<FileKind> &kinds,
                                      std::string_view suggestedName);
// Asks for an existing file of one of `kinds` to open.
std::optional<FileChoice> AskOpenFile(const DialogWindow *owner, std::string_view title,
                                      const std::vector<FileKind> &kinds);

// Answers every file dialog instead of showing it; an empty function shows them again.
using FileDialogInterceptor = std::function<std::optional<FileChoice>(const FileDialogRequest &)>;
void SetFileDialogInterceptor(FileDialogInterceptor interceptor);

namespace backend {
// Shows the platform's dialog for `request`, owned by `owner` (null for none).
std::optional<FileChoice> ShowFileDialog(const DialogWindow *owner,
                                         const FileDialogRequest &request);
}  // namespace backend

}  // namespace vf::ui
