#include "translation_qt.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>
#include <memory>

#include "translation.h"

namespace vf::ui {
namespace {

// Owned here, installed in the application while it lives.
std::unique_ptr<QTranslator> g_translator;

// Every text is in this one context (cmake/OneTranslationContext.cmake), so
// a text translates the same wherever it was marked and wherever it is shown.
constexpr char kContext[] = "Vellafind";

}  // namespace

QString TranslatedText(const QString &text) {
  return QCoreApplication::translate(kContext, text.toUtf8().constData());
}

QString TranslatedText(const char *text) {
  return QCoreApplication::translate(kContext, text);
}

std::string Translated(std::string_view text) {
  return TranslatedText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())))
      .toStdString();
}

bool InstallTranslation(const QLocale &locale) {
  RemoveTranslation();
  const QString programDir = QCoreApplication::applicationDirPath();
  const QStringList folders = {programDir + QStringLiteral("/translations"),
                               programDir + QStringLiteral("/../share/vellafind/translations")};
  auto translator = std::make_unique<QTranslator>();
  for (const QString &folder : folders) {
    if (translator->load(locale, QStringLiteral("vellafind"), QStringLiteral("_"),
                         QDir::cleanPath(folder))) {
      QCoreApplication::installTranslator(translator.get());
      g_translator = std::move(translator);
      return true;
    }
  }
  return false;
}

void RemoveTranslation() {
  if (g_translator) QCoreApplication::removeTranslator(g_translator.get());
  g_translator.reset();
}

}  // namespace vf::ui
