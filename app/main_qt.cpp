// The program: one modal window that finds the cameras and changes them.
#include <QApplication>
#include <QLocale>
#include <cstdio>
#include <memory>

#include "res/translations.h"
#include "search_app.h"
#include "ui/window/qt/translation_qt.h"
#ifdef VF_DISPLAY_CHECK
#include "display_check.h"
#endif

int main(int argc, char **argv) {
#ifdef VF_DISPLAY_CHECK
  if (!vf::app::HasGraphicalDisplay()) {
    std::fprintf(stderr, "%s\n", vf::app::kNoDisplayMessage);
    return 1;
  }
  auto guard = std::make_unique<vf::app::PlatformFailureGuard>();
#endif
  QApplication application(argc, argv);
#ifdef VF_DISPLAY_CHECK
  guard.reset();
#endif
  // The window speaks the user's language where a translation exists.
  vf::ui::InstallTranslation(QLocale::system(), QLatin1String(vf::res::kTranslationName));
  CSearchApp theApp;
  theApp.InitInstance();
  return theApp.ExitInstance();
}
