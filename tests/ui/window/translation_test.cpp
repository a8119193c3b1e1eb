// The window in German and back: translated where widgets and message boxes
// get their texts, and English byte for byte whenever no translation is in.
#include "ui/window/translation.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>

#include "core/text_marker.h"
#include "message_box_recorder.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "res/translations.h"
#include "ui/window/message_box.h"
#include "ui/window/qt/dialog_builder.h"
#include "ui/window/qt/translation_qt.h"

namespace vf::ui {
namespace {

using namespace vf::res;

const QString kName = QLatin1String(kTranslationName);

// What the user reads: the caption, the main dialog's labels, buttons and
// group boxes, and one message box with its caption.
QStringList WhatTheUserReads() {
  QDialog dialog;
  BuildDialog(&dialog, SearchDialogTemplate());
  QStringList texts{dialog.windowTitle()};
  for (const QObject *child : dialog.findChildren<QObject *>()) {
    if (const auto *label = qobject_cast<const QLabel *>(child)) texts << label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(child)) texts << button->text();
    if (const auto *group = qobject_cast<const QGroupBox *>(child)) texts << group->title();
  }
  MessageBoxRecorder recorder;
  ShowMessageBox(nullptr, LoadString(IDS_SELECT_DEVICE), LoadString(IDS_TIPS), MB_ICONINFORMATION);
  texts << QString::fromStdString(recorder.Requests().at(0).text)
        << QString::fromStdString(recorder.Requests().at(0).caption);
  return texts;
}

class TranslationTest : public ::testing::Test {
 protected:
  ~TranslationTest() override { RemoveTranslation(); }
};

TEST_F(TranslationTest, GermanChangesTheWindowAndItsMessagesAndEnglishComesBackUnchanged) {
  const QStringList english = WhatTheUserReads();
  EXPECT_TRUE(english.contains(QString::fromUtf8("Search(F3)")));
  EXPECT_EQ(english.last(), "Tips");
  EXPECT_EQ(english.at(english.size() - 2), "Please select one device from list.");

  ASSERT_TRUE(InstallTranslation(QLocale(QLocale::German, QLocale::Germany), kName));
  const QStringList german = WhatTheUserReads();
  EXPECT_EQ(german.size(), english.size());
  EXPECT_TRUE(german.contains(QString::fromUtf8("Suchen(F3)")));
  EXPECT_FALSE(german.contains(QString::fromUtf8("Search(F3)")));
  EXPECT_EQ(german.last(), "Hinweis");
  EXPECT_EQ(german.at(german.size() - 2),
            QString::fromUtf8("Bitte ein Gerät aus der Liste wählen."));

  RemoveTranslation();
  EXPECT_EQ(WhatTheUserReads(), english);
  // A language without a translation keeps English too.
  EXPECT_FALSE(InstallTranslation(QLocale(QLocale::French, QLocale::France), kName));
  EXPECT_EQ(WhatTheUserReads(), english);
}

TEST_F(TranslationTest, GermanKeepsMnemonicsAndPlaceholdersAndTranslatesEveryMessage) {
  ASSERT_TRUE(InstallTranslation(QLocale(QLocale::German, QLocale::Austria), kName));
  // A label's "&" names the key that jumps to the field after it.
  for (const DialogTemplate *dialog : {&SearchDialogTemplate(), &AboutDialogTemplate()}) {
    for (const DialogItem &control : dialog->controls) {
      const QString text = QString::fromUtf8(control.text);
      if (text.contains('&')) {
        EXPECT_TRUE(TranslatedText(text).contains('&')) << control.text;
      }
    }
  }
  EXPECT_EQ(WithArgument(Translated(VF_TEXT("%1 pcs")), "12"), "12 Stk.");
  for (int id = IDS_ABOUTBOX; id <= IDS_ABOUTBOX + 100; ++id) {
    const QString text = QString::fromStdString(LoadString(id));
    if (text.isEmpty()) continue;
    EXPECT_NE(TranslatedText(text), text) << "no German for string " << id;
    EXPECT_EQ(text.contains("%1"), TranslatedText(text).contains("%1")) << id;
  }
  // Texts that are no marked text, such as a camera's name, stay as they are.
  EXPECT_EQ(Translated("Kamera Süd-Tor"), "Kamera Süd-Tor");
}

}  // namespace
}  // namespace vf::ui
