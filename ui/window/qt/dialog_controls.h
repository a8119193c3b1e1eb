// Every operation the dialog's logic performs on a control, by control id, and
// the controls' notifications as signals that carry the id.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QDialog;
class QWidget;

namespace vf::ui {

class DropDownList;
class IpAddressEdit;
class ReportList;
class StepProgressBar;
class UpDownControl;

class DialogControls final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(DialogControls)

 public:
  // Binds to the controls already built on `dialog` (BuildDialog).
  explicit DialogControls(QDialog *dialog);

  QDialog *Dialog() const { return m_dialog; }
  // Null when the dialog has no control `id`.
  QWidget *Control(int id) const;

  // Text of an edit, static, button, group box, IP address control (dotted)
  // or the current entry of a drop-down list. False/empty without a control.
  bool SetText(int id, const QString &text);
  QString Text(int id) const;

  bool Enable(int id, bool enable);
  // False when there is no such control.
  bool IsEnabled(int id) const;
  bool Show(int id, bool show);
  // Whether the control itself is shown, whether or not the dialog is.
  bool IsVisible(int id) const;
  // The window system's class name ("Edit", "Button", ...); empty for none.
  QString ClassName(int id) const;
  // Edits only. A read-only edit stays enabled: focusable, text selectable.
  bool SetReadOnly(int id, bool readOnly);
  bool IsReadOnly(int id) const;

  // IP address controls only: some of the four fields are blank, not all.
  bool IsAddressPartlyBlank(int id) const;

  // Check box state: 1 checked, 0 not (also for no check box).
  int GetCheck(int id) const;
  bool SetCheck(int id, int state);

  // Typed access; null when `id` is missing or of another class.
  ReportList *List(int id) const;
  DropDownList *Combo(int id) const;
  UpDownControl *UpDown(int id) const;
  StepProgressBar *Progress(int id) const;
  IpAddressEdit *IpAddress(int id) const;

 signals:
  void buttonClicked(int id);          // Push buttons.
  void checkBoxClicked(int id);        // Check boxes, after they toggled.
  void listClicked(int id, int row);   // Row -1: the click hit no row.
  void listKeyMoved(int id, int row);  // A key moved the list's mark to `row`.
  void comboSelChanged(int id);        // Changed by the user only.
  void upDownDelta(int id, int delta);

 private:
  void Connect(int id, QWidget *widget);

  QDialog *m_dialog;
  QHash<int, QWidget *> m_controls;
};

}  // namespace vf::ui
