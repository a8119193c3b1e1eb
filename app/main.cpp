// The program: one modal window that finds the cameras and changes them.
#include <QApplication>

#include "search_app.h"

int main(int argc, char **argv) {
  QApplication application(argc, argv);
  CSearchApp theApp;
  theApp.InitInstance();
  return theApp.ExitInstance();
}
