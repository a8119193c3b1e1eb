#include "ui/window/qt/translation_qt.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>
#include <memory>

#include "ui/window/translation.h"

namespace vf::ui {
namespace {

// Owned here, installed in the application while it lives.
std::unique_ptr<QTranslator> g_translator;

}  // namespace

QString TranslatedText(const QString &text) {
  return QCoreApplication::translate(kTranslationContext, text.toUtf8().constData());
}

QString TranslatedText(const char *text) {
  return QCoreApplication::translate(kTranslationContext, text);
}

std::string Translated(std::string_view text) {
  return TranslatedText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())))
      .toStdString();
}

bool InstallTranslation(const QLocale &locale, const QString &name) {
  RemoveTranslation();
  const QString programDir = QCoreApplication::applicationDirPath();
  const QStringList folders = {
      programDir + QStringLiteral("/translations"),
      programDir + QStringLiteral("/../share/") + name + QStringLiteral("/translations")};
  auto translator = std::make_unique<QTranslator>();
  for (const QString &folder : folders) {
    if (translator->load(locale, name, QStringLiteral("_"), QDir::cleanPath(folder))) {
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
