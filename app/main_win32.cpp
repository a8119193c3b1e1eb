// The program on Windows: one modal window that finds the cameras and changes
// them. No message loop runs outside that window.
#include "search_app.h"

// Last: the window system's macros would clash with the names above.
#include <windows.h>

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
  CSearchApp theApp;
  theApp.InitInstance();
  return theApp.ExitInstance();
}
