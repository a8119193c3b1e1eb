// An up-down control: two arrow buttons beside a buddy edit. It only reports
// a step (+1 or -1); it changes neither its position nor the buddy's text, so
// the handler of the step decides everything.
#pragma once

#include <QPointer>
#include <QWidget>

class QToolButton;

namespace vf::ui {

class UpDownControl final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(UpDownControl)

 public:
  // `alignRight`: SetBuddy places the control at the buddy's right edge.
  // `arrowKeys`: the buddy's Up and Down keys step like the arrows.
  UpDownControl(bool alignRight, bool arrowKeys, QWidget *parent = nullptr);

  // Returns the previous buddy.
  QWidget *SetBuddy(QWidget *buddy);
  QWidget *Buddy() const { return m_buddy; }
  void SetRange(int lower, int upper);
  int Lower() const { return m_lower; }
  int Upper() const { return m_upper; }
  // Returns the previous position.
  int SetPos(int pos);
  int Pos() const { return m_pos; }

 signals:
  // The up arrow proposes +1 when the range rises, -1 when it is inverted.
  void deltaPos(int delta);

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

 private:
  void Step(bool up);

  QToolButton *m_up;
  QToolButton *m_down;
  QPointer<QWidget> m_buddy;
  bool m_alignRight;
  bool m_arrowKeys;
  // The window system's default range runs from 100 down to 0.
  int m_lower = 100;
  int m_upper = 0;
  int m_pos = 0;
};

}  // namespace vf::ui
