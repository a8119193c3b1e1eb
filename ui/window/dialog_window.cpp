#include "ui/window/dialog_window.h"

namespace vf::ui {
namespace {

// What Item() gives for an id the dialog lacks.
class NoControl final : public Control {
 public:
  NoControl() : Control(0) {}
  bool SetText(std::string_view) override { return false; }
  std::string Text() const override { return {}; }
  bool Enable(bool) override { return false; }
  bool IsEnabled() const override { return false; }
  bool Show(bool) override { return false; }
  bool IsVisible() const override { return false; }
  std::string ClassName() const override { return {}; }
  bool SetToolTip(std::string_view) override { return false; }
  std::string ToolTip() const override { return {}; }
};

}  // namespace

Control &DialogWindow::Item(int id) const {
  static NoControl none;
  Control *control = FindControl(id);
  return control != nullptr ? *control : none;
}

}  // namespace vf::ui
