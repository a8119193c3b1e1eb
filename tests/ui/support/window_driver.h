// What the window tests do to a dialog the way the user and the window
// system would: keys, clicks, the close box, the system menu, waiting while
// the window thread runs its events. One implementation per backend
// (window_driver_qt.cpp, window_driver_win32.cpp), so the same tests drive
// the Qt window on Linux and the Win32 window under Wine.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/window/dialog_window.h"

namespace vf::testing {

// Runs the window thread's events until `done` holds or `ms` pass.
bool PumpUntil(const std::function<bool()> &done, int ms = 5000);
// Runs the window thread's events for `ms`.
void Pump(int ms);

// A key pressed and released with the focus on control `id` (0: the dialog
// itself), as the keyboard sends it: through the dialog's key hook, then to
// the control; held down meanwhile, the modifier keys of `modifiers`
// (vk::kModControl, ...).
void PressKey(ui::DialogWindow &window, int id, int virtualKey, unsigned modifiers = 0);
// A left click on a button or check box.
void Click(ui::DialogWindow &window, int id);
// A left click on the check box of row `row` of list view `id`.
void ClickRowCheckBox(ui::DialogWindow &window, int id, int row);
// Empties one of the four fields of an IP address control, as the user
// does with the keyboard.
void ClearAddressField(ui::DialogWindow &window, int id, int field);
// The close box of the title bar.
void RequestClose(ui::DialogWindow &window);
// The dialog's cancel command (what Escape would give, were it not consumed).
void Cancel(ui::DialogWindow &window);

struct MenuItem {
  int commandId = 0;  // 0 for a separator.
  std::string text;
};

// A left click on the heading of `column` of list view `id`, where the
// heading is drawn.
void ClickListHeading(ui::DialogWindow &window, int id, int column);
// A right click on the first cell of `row` of list view `id`. Once the
// context menu it opens is up, reads its entries and chooses the one with
// `commandId` by the keyboard (0: closes the menu with Escape); a further
// menu is closed. The entries of every menu that opened, one after another.
std::vector<MenuItem> RightClickRow(ui::DialogWindow &window, int id, int row, int commandId);
std::vector<MenuItem> SystemMenuItems(const ui::DialogWindow &window);
bool HasIcon(const ui::DialogWindow &window);

// Saves a picture of the dialog as the screen shows it (the Qt window without its frame, as PNG;
// the Win32 window with it, as BMP). False when none was saved.
bool SavePicture(const ui::DialogWindow &window, const std::string &path);

// Runs `action`, which opens a modal dialog; once it is up, reads its
// caption and closes it with its OK button. The caption, empty when none
// opened.
std::string CaptionOfModalOpenedBy(const std::function<void()> &action);

}  // namespace vf::testing
