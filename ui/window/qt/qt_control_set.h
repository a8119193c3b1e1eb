// The controls of a dialog built from a template (BuildDialog): for every
// widget with an id, one object of the window layer's kind for its class,
// reporting its notifications to the dialog's handler. Made once the widgets
// exist; the widgets must outlive it.
#pragma once

#include <memory>
#include <unordered_map>

#include "ui/window/control.h"

class QWidget;

namespace vf::ui {

class DialogHandler;

class QtControlSet final {
 public:
  QtControlSet(QWidget *dialog, DialogHandler &handler);
  ~QtControlSet();
  QtControlSet(const QtControlSet &) = delete;
  QtControlSet &operator=(const QtControlSet &) = delete;

  // Null for an id the dialog lacks.
  Control *Find(int id) const;
  // The widget of one of these controls; null for none.
  QWidget *WidgetOf(const Control *control) const;

 private:
  struct Entry {
    std::unique_ptr<Control> control;
    QWidget *widget;
  };
  std::unordered_map<int, Entry> m_controls;
};

}  // namespace vf::ui
