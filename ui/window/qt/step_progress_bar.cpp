#include "ui/window/qt/step_progress_bar.h"

namespace vf::ui {

StepProgressBar::StepProgressBar(QWidget *parent) : QProgressBar(parent) {
  setTextVisible(false);
  setRange(0, 100);
  setValue(0);
}

int StepProgressBar::SetPos(int pos) {
  const int previous = value();
  setValue(qBound(minimum(), pos, maximum()));
  return previous;
}

int StepProgressBar::StepIt() {
  const int previous = value();
  const int span = maximum() - minimum();
  int next = previous + m_step;
  if (span > 0 && (next > maximum() || next < minimum())) {
    next = minimum() + ((next - minimum()) % span + span) % span;
  }
  setValue(qBound(minimum(), next, maximum()));
  return previous;
}

}  // namespace vf::ui
