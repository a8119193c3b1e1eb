// The main window's caption, made once by the application at start-up and
// taken by the window when it opens. Empty until then.
#pragma once

#include <string>

extern std::string g_windowTitle;
