// Translation on Qt: the program's texts are looked up in the installed
// translator (one context for every text, kTranslationContext), where the
// widgets and message boxes of this backend get them.
#pragma once

#include <QLocale>
#include <QString>

namespace vf::ui {

// The context of every text in a translation: a program's translation files
// have all their contexts renamed to it when they are compiled
// (cmake/OneTranslationContext.cmake), so a text translates the same
// wherever it was marked and wherever it is shown.
inline constexpr char kTranslationContext[] = "texts";

QString TranslatedText(const QString &text);
QString TranslatedText(const char *text);

// Installs the program's translation `name` for `locale` (<name>_de.qm for
// German, ...) from the folder translations beside the program (a build) or
// ../share/<name>/translations (an installation). Replaces the one installed
// before; false, and English, when there is none for `locale`.
bool InstallTranslation(const QLocale &locale, const QString &name);

// Back to English.
void RemoveTranslation();

}  // namespace vf::ui
