// A drop-down list (no typing) with a value per entry and the window system's
// prefix search.
#pragma once

#include <QComboBox>
#include <cstdint>

namespace vf::ui {

class DropDownList final : public QComboBox {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(DropDownList)

 public:
  explicit DropDownList(QWidget *parent = nullptr);

  void ResetContent() { clear(); }
  // Returns the new entry's index.
  int AddString(const QString &text);
  int Count() const { return count(); }
  bool SetItemData(int index, std::uintptr_t value);
  // 0 for an entry without data or no such entry.
  std::uintptr_t ItemData(int index) const;
  bool SetItemDataPtr(int index, const void *pointer);
  const void *ItemDataPtr(int index) const;
  // Selects the first entry whose text begins with `prefix`, ignoring case,
  // searching from the entry after `after` to the end and then from the top
  // back to `after` (-1 searches everything). Returns the entry selected, or
  // -1 leaving the selection as it was. Emits no selection-change.
  int SelectString(int after, const QString &prefix);
  int CurSel() const { return currentIndex(); }
  void SetCurSel(int index) { setCurrentIndex(index); }
};

}  // namespace vf::ui
