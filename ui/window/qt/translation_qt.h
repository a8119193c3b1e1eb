// Translation on Qt: the program's texts are looked up in the installed
// translator (one context for every text), where the widgets and message
// boxes of this backend get them.
#pragma once

#include <QLocale>
#include <QString>

namespace vf::ui {

QString TranslatedText(const QString &text);
QString TranslatedText(const char *text);

// Installs the translation of the program for `locale` (vellafind_de.qm for
// German, ...) from the folder beside the program (a build) or
// ../share/vellafind/translations (an installation). Replaces the one
// installed before; false, and English, when there is none for `locale`.
bool InstallTranslation(const QLocale &locale);

// Back to English.
void RemoveTranslation();

}  // namespace vf::ui
