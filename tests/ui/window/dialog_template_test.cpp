// The main dialog as built from its template: units, every control's id,
// class, text and state, and a layout in which nothing collides.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QValidator>
#include <QWidget>

#include "res/dialog_templates.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "ui/window/controls.h"
#include "ui/window/dialog_window.h"
#include "ui/window/qt/dialog_builder.h"
#include "ui/window/qt/qt_control_set.h"
#include "ui/window/qt/up_down_control.h"

namespace vf::ui {
namespace {

using namespace vf::res;

TEST(DialogUnits, MulDivRoundsHalfAwayFromZeroAndRefusesZeroDivisor) {
  EXPECT_EQ(MulDiv(8, 96, 72), 11);  // 10.67
  EXPECT_EQ(MulDiv(3, 1, 2), 2);     // 1.5
  EXPECT_EQ(MulDiv(-3, 1, 2), -2);
  EXPECT_EQ(MulDiv(5, 1, 4), 1);  // 1.25
  EXPECT_EQ(MulDiv(7, 1, -2), -4);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
  EXPECT_EQ(MulDiv(2000000000, 3, 3), 2000000000);  // No 32-bit overflow.
}

TEST(DialogUnits, RectangleConvertsFieldByField) {
  const DialogBaseUnits units{6, 13};
  // The device list: x 19*6/4 = 28.5, y 124*13/8 = 201.5, 154*6/4 = 231, 168*13/8 = 273.
  EXPECT_EQ(DialogUnitsToPixels(QRect(19, 124, 154, 168), units), QRect(29, 202, 231, 273));
  EXPECT_EQ(DialogUnitsToPixels(QSize(376, 316), units), QSize(564, 514));
}

TEST(DialogUnits, DialogFontIsElevenPixelsWithSensibleBaseUnits) {
  const QFont font = DialogFont("Arial", 8);
  EXPECT_EQ(font.pixelSize(), 11);
  const DialogBaseUnits units = BaseUnitsOf(font);
  EXPECT_GE(units.x, 5);
  EXPECT_LE(units.x, 7);
  EXPECT_GE(units.y, 12);
  EXPECT_LE(units.y, 14);
}

class SearchDialogTest : public ::testing::Test {
 protected:
  SearchDialogTest()
      : m_built(BuildDialog(&m_dialog, SearchDialogTemplate())), m_controls(&m_dialog, m_handler) {}

  QWidget *Widget(int id) const { return m_controls.WidgetOf(m_controls.Find(id)); }
  template <typename Kind>
  Kind *Find(int id) const {
    return dynamic_cast<Kind *>(m_controls.Find(id));
  }

  QDialog m_dialog;
  BuiltDialog m_built;
  DialogHandler m_handler;
  QtControlSet m_controls;
};

TEST_F(SearchDialogTest, ClientSizeComesFromTheTemplateInDialogUnits) {
  EXPECT_EQ(m_built.clientSize, DialogUnitsToPixels(QSize(376, 316), m_built.units));
  EXPECT_EQ(m_dialog.size(), m_built.clientSize);
  // It opens at the template's size, the least it may be resized to.
  EXPECT_EQ(m_dialog.minimumSize(), m_built.clientSize);
  EXPECT_GT(m_dialog.maximumSize().width(), m_built.clientSize.width());
  EXPECT_EQ(m_dialog.windowTitle(), "Search and configuration tool for Quorin series");
  EXPECT_TRUE(m_dialog.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
}

TEST_F(SearchDialogTest, ControlsAreWhereTheTemplateSays) {
  const QWidget *list = Widget(IDC_DEVICE_LIST);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->geometry(), DialogUnitsToPixels(QRect(19, 124, 154, 168), m_built.units));
  // A drop-down list's template height is its open list; closed it is one line.
  const QWidget *combo = Widget(IDC_ADAPTER);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->x(), DialogUnitsToPixels(QRect(74, 16, 100, 110), m_built.units).x());
  EXPECT_LT(combo->height(), DialogUnitsToPixels(QSize(0, 30), m_built.units).height());
  EXPECT_LE(combo->geometry().bottom(), Widget(IDC_LOCAL_IP)->y());
}

// Every control with an id is built as its row of the template says: its
// class, its text (a blank IP address control reads 0.0.0.0), shown and
// enabled unless the row's style says otherwise, its id and its name.
TEST_F(SearchDialogTest, EveryControlIsBuiltAsItsTemplateRowSays) {
  int checked = 0;
  for (const DialogItem &row : SearchDialogTemplate().controls) {
    if (row.id == IDC_STATIC) continue;
    SCOPED_TRACE(row.name);
    const Control *control = m_controls.Find(row.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->ClassName(), WindowsClassName(row.cls));
    EXPECT_EQ(control->Text(), row.cls == ControlClass::kIpAddress ? "0.0.0.0" : row.text);
    EXPECT_EQ(control->IsVisible(), (row.style & kStyleHidden) == 0);
    EXPECT_EQ(control->IsEnabled(), (row.style & kStyleDisabled) == 0);
    EXPECT_EQ(Widget(row.id)->property("controlId").toInt(), row.id);
    EXPECT_EQ(Widget(row.id)->objectName().toStdString(), row.name);
    ++checked;
  }
  EXPECT_GT(checked, 0) << "the template has controls with ids";
  // The template ids span 1005..1072 and nothing else answers.
  EXPECT_EQ(Widget(1025), nullptr);
  EXPECT_EQ(m_controls.Find(1025), nullptr);
}

TEST_F(SearchDialogTest, EditStylesFollowTheTemplate) {
  EXPECT_TRUE(Find<Edit>(IDC_LOCAL_IP)->IsReadOnly());
  EXPECT_TRUE(Find<Edit>(IDC_DEVICE_NAME)->IsReadOnly());
  EXPECT_FALSE(Find<Edit>(IDC_ACCOUNT)->IsReadOnly());
  auto *password = qobject_cast<QLineEdit *>(Widget(IDC_PASSWORD));
  ASSERT_NE(password, nullptr);
  EXPECT_EQ(password->echoMode(), QLineEdit::Password);
  // The DDNS password is typed in the clear.
  auto *ddnsPassword = qobject_cast<QLineEdit *>(Widget(IDC_DDNS_PASSWORD));
  ASSERT_NE(ddnsPassword, nullptr);
  EXPECT_EQ(ddnsPassword->echoMode(), QLineEdit::Normal);
  auto *port = qobject_cast<QLineEdit *>(Widget(IDC_HTTP_PORT));
  ASSERT_NE(port, nullptr);
  ASSERT_NE(port->validator(), nullptr);
  QString typed = QStringLiteral("80a");
  int pos = 0;
  EXPECT_EQ(port->validator()->validate(typed, pos), QValidator::Invalid);
}

TEST_F(SearchDialogTest, LabelsGroupsAndTipsCarryTheirTexts) {
  QStringList texts;
  for (const QWidget *child :
       m_dialog.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
    if (child->property("controlId").toInt() != IDC_STATIC) continue;
    const QVariant title = child->property("title");  // Group boxes.
    texts << (title.isValid() ? title.toString() : child->property("text").toString());
  }
  for (const DialogItem &row : SearchDialogTemplate().controls) {
    if (row.id != IDC_STATIC || row.cls == ControlClass::kIcon) continue;
    EXPECT_TRUE(texts.contains(QString::fromUtf8(row.text))) << row.text;
  }
}

// What the user can see must not collide: two shown controls overlap only
// when one is a group box around the other, and every control lies inside.
void ExpectShownControlsApartAndInside(const QDialog &dialog, const QSize &clientSize) {
  const QRect client(QPoint(0, 0), clientSize);
  std::vector<const QWidget *> shown;
  for (const QWidget *child :
       dialog.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
    if (!child->property("controlId").isValid()) continue;
    EXPECT_TRUE(client.contains(child->geometry())) << child->objectName().toStdString();
    if (child->isVisibleTo(&dialog)) shown.push_back(child);
  }
  auto describe = [](const QWidget *w) {
    return (w->objectName() + "/" + w->property("text").toString() + "/" +
            w->property("title").toString())
        .toStdString();
  };
  auto isGroup = [](const QWidget *w) { return w->property("title").isValid(); };
  for (size_t i = 0; i < shown.size(); ++i) {
    for (size_t j = i + 1; j < shown.size(); ++j) {
      const QRect a = shown[i]->geometry();
      const QRect b = shown[j]->geometry();
      if (!a.intersects(b)) continue;
      const bool nested =
          (isGroup(shown[i]) && a.contains(b)) || (isGroup(shown[j]) && b.contains(a));
      EXPECT_TRUE(nested) << describe(shown[i]) << " overlaps " << describe(shown[j]);
    }
  }
}

// Checked as the dialog runs it, with the port edit as the spin's buddy.
TEST_F(SearchDialogTest, ShownControlsDoNotOverlapAndAllLieInside) {
  qobject_cast<UpDownControl *>(Widget(IDC_HTTP_PORT_SPIN))->SetBuddy(Widget(IDC_HTTP_PORT));
  ExpectShownControlsApartAndInside(m_dialog, m_built.clientSize);
}

TEST(AssignDialog, ShownControlsDoNotOverlapAndAllLieInside) {
  QDialog dialog;
  const BuiltDialog built = BuildDialog(&dialog, AssignDialogTemplate());
  EXPECT_EQ(FindDialogTemplate(IDD_ASSIGN_DIALOG), &AssignDialogTemplate());
  ExpectShownControlsApartAndInside(dialog, built.clientSize);
}

TEST(AboutDialog, TemplateBuildsTheBoxWithItsOkButton) {
  QDialog dialog;
  const BuiltDialog built = BuildDialog(&dialog, AboutDialogTemplate());
  DialogHandler handler;
  const QtControlSet controls(&dialog, handler);
  EXPECT_EQ(dialog.windowTitle(), "About Vellafind");
  EXPECT_EQ(built.clientSize, DialogUnitsToPixels(QSize(235, 55), built.units));
  EXPECT_EQ(controls.Find(IDOK)->ClassName(), "Button");
  EXPECT_EQ(controls.Find(IDOK)->Text(), "Ok");
  EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_EQ(FindDialogTemplate(IDD_ABOUTBOX), &AboutDialogTemplate());
  EXPECT_EQ(FindDialogTemplate(IDD_SEARCH_DIALOG), &SearchDialogTemplate());
  EXPECT_EQ(FindDialogTemplate(101), nullptr);
}

TEST(StringTable, HoldsEveryUserTextByNumber) {
  EXPECT_EQ(LoadString(IDS_ABOUTBOX), "About Vellafind(&A)...");
  EXPECT_EQ(LoadString(105), "Tips");
  EXPECT_EQ(LoadString(106), "Ask");
  EXPECT_EQ(LoadString(107), "Failed to initialize.");
  EXPECT_EQ(LoadString(108), "Please select one device from list.");
  EXPECT_EQ(LoadString(109), "Are you sure to update the selected device?");
  EXPECT_EQ(LoadString(110), "Entered the wrong IP address.");
  EXPECT_EQ(LoadString(111), "Entered the wrong subnet mask.");
  EXPECT_EQ(LoadString(112), "Entered the wrong gateway.");
  EXPECT_EQ(LoadString(113), "The same as one IP among of this local PC.");
  EXPECT_EQ(LoadString(116), "Device information successfully updated!");
  EXPECT_EQ(LoadString(117), "The account or password for watching is wrong!");
  EXPECT_EQ(LoadString(118), "Device is restarting...,Please try again later.");
  EXPECT_TRUE(LoadString(114).empty());
  EXPECT_TRUE(LoadString(0).empty());
}

}  // namespace
}  // namespace vf::ui
