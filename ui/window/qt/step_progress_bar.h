// A progress bar with the window system's step: StepIt advances by the step
// and starts over from the bottom once it passes the top.
#pragma once

#include <QProgressBar>

namespace vf::ui {

class StepProgressBar final : public QProgressBar {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(StepProgressBar)

 public:
  explicit StepProgressBar(QWidget *parent = nullptr);

  void SetRange(int lower, int upper) { setRange(lower, upper); }
  // Returns the previous position.
  int SetPos(int pos);
  int Pos() const { return value(); }
  void SetStep(int step) { m_step = step; }
  int Step() const { return m_step; }
  // Returns the previous position.
  int StepIt();

 private:
  int m_step = 10;
};

}  // namespace vf::ui
