// File dialogs on Qt: QFileDialog, with the platform's own dialog where there is one.
#include <QFileDialog>
#include <QStringList>

#include "ui/window/dialog_window.h"
#include "ui/window/file_dialog.h"

namespace vf::ui::backend {

std::optional<FileChoice> ShowFileDialog(const DialogWindow *owner,
                                         const FileDialogRequest &request) {
  QWidget *parent = owner != nullptr ? static_cast<QWidget *>(owner->NativeHandle()) : nullptr;
  QStringList filters;
  for (const FileKind &kind : request.kinds) {
    filters << QString::fromStdString(kind.name) + QStringLiteral(" (*.") +
                   QString::fromStdString(kind.extension) + QStringLiteral(")");
  }
  QFileDialog dialog(parent, QString::fromStdString(request.title));
  dialog.setNameFilters(filters);
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (request.save) dialog.selectFile(QString::fromStdString(request.suggestedName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  FileChoice choice;
  choice.path = dialog.selectedFiles().front().toStdString();
  choice.kind = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
  if (choice.kind < 0) choice.kind = 0;
  return choice;
}

}  // namespace vf::ui::backend
