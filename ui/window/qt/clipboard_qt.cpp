#include <QClipboard>
#include <QGuiApplication>

#include "ui/window/clipboard.h"
#include "ui/window/qt/qt_control.h"

namespace vf::ui {

bool SetClipboardText(std::string_view text) {
  QClipboard *clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  clipboard->setText(ToQt(text));
  return true;
}

std::string ClipboardText() {
  const QClipboard *clipboard = QGuiApplication::clipboard();
  return clipboard != nullptr ? clipboard->text().toStdString() : std::string();
}

}  // namespace vf::ui
