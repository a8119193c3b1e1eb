// The window's texts in the user's language. Texts are marked where they are
// written (VF_TEXT, res/text_marker.h) and translated here, where a widget or
// a message box receives them. A text without a translation, and every text
// while no translation is installed, comes back byte for byte.
#pragma once

#include <QLocale>
#include <QString>

namespace vf::ui {

// `text` in the installed translation. Texts that come from the network are
// never passed here, so a camera cannot be named after a translated text.
QString Translated(const QString &text);
QString Translated(const char *text);

// Installs the translation of the program for `locale` (vellafind_de.qm for
// German, ...) from the folder beside the program (a build) or
// ../share/vellafind/translations (an installation). Replaces the one
// installed before; false, and English, when there is none for `locale`.
bool InstallTranslation(const QLocale &locale);

// Back to English.
void RemoveTranslation();

}  // namespace vf::ui
