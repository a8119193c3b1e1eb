// An IPv4 address control: four octet fields with dots between them. A blank
// field reads as 0, so a blank control reads "0.0.0.0".
#pragma once

#include <QFrame>
#include <array>

class QLineEdit;
class QLabel;

namespace vf::ui {

class IpAddressEdit final : public QFrame {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(IpAddressEdit)

 public:
  explicit IpAddressEdit(QWidget *parent = nullptr);

  // Fills the fields from dotted text; fields that are missing or not a
  // number stay blank, values above 255 become 255. "" blanks the control.
  void SetText(const QString &dotted);
  QString Text() const;
  bool IsBlank() const;
  // Some fields are blank and some are not: Text() would read the blank
  // ones as 0.
  bool IsPartlyBlank() const;
  void Clear();
  QLineEdit *Field(int index) const { return m_fields.at(static_cast<size_t>(index)); }

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

 private:
  int IndexOf(const QObject *field) const;
  void FocusField(int index);

  std::array<QLineEdit *, 4> m_fields{};
  std::array<QLabel *, 3> m_dots{};
};

}  // namespace vf::ui
