// What every control of the Qt window does, over its widget: QtControl<Kind>
// implements Control's operations for any kind of the window layer and
// leaves the kind's own to the class that derives it (qt_controls.h,
// qt_list_view.h). The widget belongs to the dialog, which outlives it.
#pragma once

#include <QString>
#include <QWidget>
#include <string>
#include <string_view>

namespace vf::ui {

QString ToQt(std::string_view text);

// The text of a label, button, group box, edit or IP address control (dotted),
// or the current entry of a drop-down list (which only reads).
bool SetWidgetText(QWidget *widget, const QString &text);
QString WidgetText(const QWidget *widget);
// The window system's class name of a control widget (TagControl).
QString WidgetClassName(const QWidget *widget);

template <typename Kind>
class QtControl : public Kind {
 public:
  QtControl(int id, QWidget *widget) : Kind(id), m_widget(widget) {}

  bool SetText(std::string_view text) override { return SetWidgetText(m_widget, ToQt(text)); }
  std::string Text() const override { return WidgetText(m_widget).toStdString(); }
  bool Enable(bool enable) override {
    m_widget->setEnabled(enable);
    return true;
  }
  bool IsEnabled() const override { return m_widget->isEnabled(); }
  bool Show(bool show) override {
    m_widget->setVisible(show);
    return true;
  }
  bool IsVisible() const override { return m_widget->isVisibleTo(m_widget->window()); }
  std::string ClassName() const override { return WidgetClassName(m_widget).toStdString(); }
  bool SetToolTip(std::string_view text) override {
    m_widget->setToolTip(ToQt(text));
    return true;
  }
  std::string ToolTip() const override { return m_widget->toolTip().toStdString(); }

  QWidget *Widget() const { return m_widget; }

 private:
  QWidget *m_widget;
};

}  // namespace vf::ui
