#include "ui/window/qt/ip_address_edit.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStringList>

namespace vf::ui {

IpAddressEdit::IpAddressEdit(QWidget *parent) : QFrame(parent) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::StrongFocus);

  const QRegularExpression octet(QStringLiteral("25[0-5]|2[0-4][0-9]|1?[0-9]?[0-9]|"));
  for (size_t i = 0; i < m_fields.size(); ++i) {
    auto *field = new QLineEdit(this);
    field->setFrame(false);
    field->setAlignment(Qt::AlignCenter);
    field->setMaxLength(3);
    field->setValidator(new QRegularExpressionValidator(octet, field));
    field->setTextMargins(0, 0, 0, 0);
    field->setContentsMargins(0, 0, 0, 0);
    field->installEventFilter(this);
    connect(field, &QLineEdit::textEdited, this, [this, i](const QString &text) {
      if (text.size() == 3 && i + 1 < m_fields.size()) FocusField(static_cast<int>(i) + 1);
    });
    m_fields[i] = field;
  }
  for (QLabel *&dot : m_dots) {
    dot = new QLabel(QStringLiteral("."), this);
    dot->setAlignment(Qt::AlignCenter);
  }
  setFocusProxy(m_fields[0]);
}

void IpAddressEdit::SetText(const QString &dotted) {
  Clear();
  if (dotted.isEmpty()) return;
  const QStringList parts = dotted.split(QLatin1Char('.'));
  for (qsizetype i = 0; i < parts.size() && i < 4; ++i) {
    bool ok = false;
    const QString part = parts[i].trimmed();
    const int value = part.toInt(&ok);
    if (!ok || part.isEmpty() || value < 0) continue;
    m_fields[static_cast<size_t>(i)]->setText(QString::number(qMin(value, 255)));
  }
}

QString IpAddressEdit::Text() const {
  QStringList octets;
  for (const QLineEdit *field : m_fields) {
    octets << QString::number(field->text().isEmpty() ? 0 : field->text().toInt());
  }
  return octets.join(QLatin1Char('.'));
}

bool IpAddressEdit::IsBlank() const {
  for (const QLineEdit *field : m_fields) {
    if (!field->text().isEmpty()) return false;
  }
  return true;
}

bool IpAddressEdit::IsPartlyBlank() const {
  int blank = 0;
  for (const QLineEdit *field : m_fields) {
    if (field->text().isEmpty()) ++blank;
  }
  return blank > 0 && blank < static_cast<int>(m_fields.size());
}

void IpAddressEdit::Clear() {
  for (QLineEdit *field : m_fields) field->clear();
}

int IpAddressEdit::IndexOf(const QObject *field) const {
  for (size_t i = 0; i < m_fields.size(); ++i) {
    if (m_fields[i] == field) return static_cast<int>(i);
  }
  return -1;
}

void IpAddressEdit::FocusField(int index) {
  QLineEdit *field = m_fields.at(static_cast<size_t>(index));
  field->setFocus(Qt::OtherFocusReason);
  field->selectAll();
}

bool IpAddressEdit::eventFilter(QObject *watched, QEvent *event) {
  const int index = IndexOf(watched);
  if (index >= 0 && event->type() == QEvent::KeyPress) {
    const auto *key = static_cast<QKeyEvent *>(event);
    const QLineEdit *field = m_fields[static_cast<size_t>(index)];
    // "." moves on to the next octet; Backspace in an empty one moves back.
    if (key->text() == QLatin1String(".")) {
      if (index < 3 && !field->text().isEmpty()) FocusField(index + 1);
      return true;
    }
    if (key->key() == Qt::Key_Backspace && field->text().isEmpty() && index > 0) {
      FocusField(index - 1);
      return true;
    }
  }
  return QFrame::eventFilter(watched, event);
}

void IpAddressEdit::resizeEvent(QResizeEvent *event) {
  QFrame::resizeEvent(event);
  const QRect inner = contentsRect();
  const int dotWidth = qMax(3, fontMetrics().horizontalAdvance(QLatin1Char('.')) + 2);
  const int fieldWidth = qMax(1, (inner.width() - 3 * dotWidth) / 4);
  int x = inner.x();
  for (size_t i = 0; i < m_fields.size(); ++i) {
    m_fields[i]->setGeometry(x, inner.y(), fieldWidth, inner.height());
    x += fieldWidth;
    if (i < m_dots.size()) {
      m_dots[i]->setGeometry(x, inner.y(), dotWidth, inner.height());
      x += dotWidth;
    }
  }
}

}  // namespace vf::ui
