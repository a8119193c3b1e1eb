// The program: one modal window that finds the cameras and changes them.
#include <QApplication>

#include "search_dlg.h"
#include "window_title.h"

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  g_windowTitle =
      QStringLiteral("Zelmor Serial Intranet search and settings(V" VF_PRODUCT_VERSION ")");
  CSearchDlg dialog;
  dialog.exec();
  return 0;
}
