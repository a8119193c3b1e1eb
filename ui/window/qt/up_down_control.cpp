#include "ui/window/qt/up_down_control.h"

#include <QEvent>
#include <QKeyEvent>
#include <QToolButton>

namespace vf::ui {

UpDownControl::UpDownControl(bool alignRight, bool arrowKeys, QWidget *parent)
    : QWidget(parent),
      m_up(new QToolButton(this)),
      m_down(new QToolButton(this)),
      m_alignRight(alignRight),
      m_arrowKeys(arrowKeys) {
  for (QToolButton *button : {m_up, m_down}) {
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(6, 6));
  }
  m_up->setArrowType(Qt::UpArrow);
  m_down->setArrowType(Qt::DownArrow);
  connect(m_up, &QToolButton::clicked, this, [this] { Step(true); });
  connect(m_down, &QToolButton::clicked, this, [this] { Step(false); });
}

QWidget *UpDownControl::SetBuddy(QWidget *buddy) {
  QWidget *previous = m_buddy;
  if (previous != nullptr) previous->removeEventFilter(this);
  m_buddy = buddy;
  if (buddy == nullptr) return previous;
  if (m_arrowKeys) buddy->installEventFilter(this);
  if (m_alignRight && buddy->parentWidget() == parentWidget()) {
    // The buddy gives up room for the arrows, which take its height.
    QRect area = buddy->geometry();
    area.setWidth(qMax(0, area.width() - width()));
    buddy->setGeometry(area);
    setGeometry(area.right() + 1, area.y(), width(), area.height());
  }
  return previous;
}

void UpDownControl::SetRange(int lower, int upper) {
  m_lower = lower;
  m_upper = upper;
}

int UpDownControl::SetPos(int pos) {
  const int previous = m_pos;
  m_pos = pos;
  return previous;
}

void UpDownControl::Step(bool up) {
  if (!isEnabled()) return;
  const int rising = m_lower <= m_upper ? 1 : -1;
  emit deltaPos(up ? rising : -rising);
}

bool UpDownControl::eventFilter(QObject *watched, QEvent *event) {
  if (watched == m_buddy && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      Step(key == Qt::Key_Up);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void UpDownControl::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  const int half = height() / 2;
  m_up->setGeometry(0, 0, width(), half);
  m_down->setGeometry(0, half, width(), height() - half);
}

}  // namespace vf::ui
