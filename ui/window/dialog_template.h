// A dialog template as data: every control with its id, class, style, text
// and rectangle in dialog units, as the window system's dialog templates hold
// them. Each backend builds its widgets from these tables; a program brings
// its own templates.
#pragma once

#include <cstdint>
#include <span>

#include "ui/window/command_ids.h"

namespace vf::ui {

enum class ControlClass : std::uint8_t {
  kStatic,
  kGroupBox,
  kEdit,
  kPushButton,
  kDefPushButton,
  kCheckBox,
  kDropDownList,  // Height in the template is that of the open list.
  kListView,      // Report view.
  kUpDown,
  kProgressBar,
  kIpAddress,
  kIcon,
};

// The window system's class of a control class ("Edit", "Button", ...): the
// class the Win32 window makes each control of, and the one the Qt window
// reports for it.
const char *WindowsClassName(ControlClass cls);

// Style flags that change how a control behaves or looks.
enum ControlStyle : std::uint32_t {
  kStyleNone = 0,
  kStyleHidden = 1u << 0,       // Created without the visible style.
  kStyleDisabled = 1u << 1,     // Created disabled (statics and group boxes draw grey).
  kStyleReadOnly = 1u << 2,     // Edit: read-only, still focusable.
  kStyleRightAlign = 1u << 3,   // Static: text right-aligned.
  kStylePassword = 1u << 4,     // Edit: shows password characters.
  kStyleDigitsOnly = 1u << 5,   // Edit: accepts digits only.
  kStyleNoPrefix = 1u << 6,     // Static: "&" is shown, not a mnemonic.
  kStyleTransparent = 1u << 7,  // Drawn over the parent's background.
  kStyleAlignRight = 1u << 8,   // Up-down: placed at the right edge of its buddy.
  kStyleArrowKeys = 1u << 9,    // Up-down: the buddy's arrow keys step it.
  kStyleVScroll = 1u << 10,     // Drop-down list: vertical scroll bar.
  kStyleBorder = 1u << 11,      // Progress bar: framed.
  kStyleSingleSel = 1u << 12,   // List view: one row at a time.
  kStyleShowSelAlways = 1u << 13,
  kStyleNoSortHeader = 1u << 14,  // List view: headings are not buttons.
  kStyleStaticEdge = 1u << 15,
  kStyleWordWrap = 1u << 16,  // Static: wraps its text over the lines its rectangle holds.
};

// How a control follows the edges of a resizable dialog: by default it keeps
// its place from the top and left edges; it may move with the right or the
// bottom edge instead, or stretch with them (keeping both its edges' places).
enum ControlAnchor : std::uint8_t {
  kAnchorTopLeft = 0,
  kMoveWithRight = 1u << 0,
  kMoveWithBottom = 1u << 1,
  kStretchRight = 1u << 2,
  kStretchDown = 1u << 3,
};

// The window system's own warning icon, for a kIcon control (its number
// among the system's icons).
inline constexpr int kSystemWarningIcon = 32515;

// One control of a dialog template, where the dialog manager places it.
struct DialogItem {
  int id;            // IDC_STATIC for controls the code never reaches.
  const char *name;  // Symbolic name of the id, or "" for IDC_STATIC.
  ControlClass cls;
  std::uint32_t style;
  const char *text;
  int x, y, w, h;           // Dialog units.
  std::uint8_t anchor = 0;  // ControlAnchor flags, for a resizable dialog.
  int icon = 0;             // Icon resource shown by a kIcon control.
};

struct DialogTemplate {
  int id;
  const char *caption;
  const char *fontFace;
  int pointSize;
  bool minimizeBox;   // The frame offers a minimise button.
  int width, height;  // Client area in dialog units.
  std::span<const DialogItem> controls;
  bool taskBar = false;  // Shown in the task bar as a window of its own.
  // The user may resize and maximise the dialog, never below the template's
  // size, at which it opens; its controls follow their anchors.
  bool resizable = false;
};

}  // namespace vf::ui
