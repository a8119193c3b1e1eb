// The dialog's system menu. X11 frames have no menu the program can extend,
// so the menu opens on a right click on the dialog's background instead.
// Every command chosen is reported; the dialog routes it to its
// system-command handler, which passes unknown ones to RunDefaultCommand.
#pragma once

#include <QObject>

class QDialog;
class QMenu;

namespace vf::ui {

inline constexpr int SC_MINIMIZE = 0xF020;
inline constexpr int SC_CLOSE = 0xF060;

// The dynamic property that carries an item's command id on its action.
inline constexpr char kCommandIdProperty[] = "commandId";

class SystemMenu final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(SystemMenu)

 public:
  // Starts with the frame's own commands: Minimize (when the dialog has a
  // minimise button) and Close.
  explicit SystemMenu(QDialog *dialog);

  void AppendSeparator();
  void AppendItem(int commandId, const QString &text);
  QMenu *Menu() const { return m_menu; }

  // Minimise or close the window; false for a command it does not know.
  static bool RunDefaultCommand(QWidget *window, int commandId);

 signals:
  void commandChosen(int commandId);

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  QDialog *m_dialog;
  QMenu *m_menu;
};

}  // namespace vf::ui
