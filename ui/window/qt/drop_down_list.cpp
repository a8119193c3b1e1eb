#include "ui/window/qt/drop_down_list.h"

#include <QVariant>

namespace vf::ui {

namespace {
constexpr int kDataRole = Qt::UserRole + 1;
}

DropDownList::DropDownList(QWidget *parent) : QComboBox(parent) {
  setEditable(false);
  setInsertPolicy(QComboBox::NoInsert);
}

int DropDownList::AddString(const QString &text) {
  addItem(text);
  return count() - 1;
}

bool DropDownList::SetItemData(int index, std::uintptr_t value) {
  if (index < 0 || index >= count()) return false;
  setItemData(index, QVariant::fromValue<quintptr>(value), kDataRole);
  return true;
}

std::uintptr_t DropDownList::ItemData(int index) const {
  if (index < 0 || index >= count()) return 0;
  return itemData(index, kDataRole).value<quintptr>();
}

bool DropDownList::SetItemDataPtr(int index, const void *pointer) {
  return SetItemData(index, reinterpret_cast<std::uintptr_t>(pointer));
}

const void *DropDownList::ItemDataPtr(int index) const {
  return reinterpret_cast<const void *>(ItemData(index));
}

int DropDownList::SelectString(int after, const QString &prefix) {
  const int n = count();
  if (n == 0) return -1;
  const int start = (after < 0 || after >= n) ? 0 : after + 1;
  for (int step = 0; step < n; ++step) {
    const int index = (start + step) % n;
    if (itemText(index).startsWith(prefix, Qt::CaseInsensitive)) {
      setCurrentIndex(index);
      return index;
    }
  }
  return -1;
}

}  // namespace vf::ui
