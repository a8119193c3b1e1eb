#include "ui/dialog/window_title.h"

std::string g_windowTitle;
