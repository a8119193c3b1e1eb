#include "ui/window/qt/icons.h"

#include <QApplication>
#include <QStyle>
#include <map>
#include <mutex>

#include "ui/window/dialog_template.h"

namespace vf::ui {
namespace {

struct IconTable {
  std::mutex mutex;
  std::map<int, IconMaker> makers;
};

// Made on first use, so that registrations during static initialisation find it.
IconTable &Icons() {
  static IconTable table;
  return table;
}

}  // namespace

bool RegisterIcon(int id, IconMaker maker) {
  IconTable &table = Icons();
  const std::lock_guard lock(table.mutex);
  table.makers[id] = maker;
  return true;
}

QIcon LoadIcon(int id) {
  IconMaker maker = nullptr;
  {
    IconTable &table = Icons();
    const std::lock_guard lock(table.mutex);
    const auto found = table.makers.find(id);
    if (found != table.makers.end()) maker = found->second;
  }
  if (maker != nullptr) return maker();
  if (id == kSystemWarningIcon)
    return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
  return {};
}

}  // namespace vf::ui
