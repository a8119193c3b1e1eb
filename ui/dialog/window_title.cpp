#include "window_title.h"

QString g_windowTitle;
