#include "ui/window/win32/dialog_template_win32.h"

#include <cstring>

#include "platform/windows_text.h"

// Last: the window system's macros (IDOK, MB_OK, ...) would clash with the names of
// ui/window/command_ids.h and ui/window/message_box.h above.
#include <windows.h>
// The common controls build on the declarations above.
#include <commctrl.h>

namespace vf::ui::win32 {
namespace {

bool Has(const DialogItem &control, std::uint32_t flag) {
  return (control.style & flag) != 0;
}

// The template as the WORDs it is made of.
class Writer {
 public:
  void Word(std::uint16_t value) { m_words.push_back(value); }
  void Dword(std::uint32_t value) {
    Word(static_cast<std::uint16_t>(value & 0xFFFF));
    Word(static_cast<std::uint16_t>(value >> 16));
  }
  void Short(int value) { Word(static_cast<std::uint16_t>(static_cast<std::int16_t>(value))); }
  void Text(const std::wstring &text) {
    for (wchar_t c : text) Word(static_cast<std::uint16_t>(c));
    Word(0);
  }
  // A resource number in place of a text.
  void Ordinal(std::uint16_t number) {
    Word(0xFFFF);
    Word(number);
  }
  void AlignToDword() {
    if (m_words.size() % 2 != 0) Word(0);
  }
  std::vector<std::uint32_t> Dwords() {
    AlignToDword();
    std::vector<std::uint32_t> out(m_words.size() / 2);
    std::memcpy(out.data(), m_words.data(), m_words.size() * sizeof(std::uint16_t));
    return out;
  }

 private:
  std::vector<std::uint16_t> m_words;
};

void WriteControl(Writer &writer, const DialogItem &control) {
  const ControlStyles styles = StylesOf(control);
  writer.AlignToDword();
  writer.Dword(0);  // No help context.
  writer.Dword(styles.exStyle);
  writer.Dword(styles.style);
  writer.Short(control.x);
  writer.Short(control.y);
  writer.Short(control.w);
  writer.Short(control.h);
  writer.Dword(static_cast<std::uint32_t>(control.id));
  writer.Text(styles.className);
  if (control.cls == ControlClass::kIcon) {
    writer.Ordinal(static_cast<std::uint16_t>(control.icon));
  } else {
    writer.Text(platform::WideFromUtf8(control.text));
  }
  writer.Word(0);  // No creation data.
}

}  // namespace

ControlStyles StylesOf(const DialogItem &control) {
  ControlStyles out;
  out.className = platform::WideFromUtf8(WindowsClassName(control.cls));
  std::uint32_t style = WS_CHILD;
  if (!Has(control, kStyleHidden)) style |= WS_VISIBLE;
  if (Has(control, kStyleDisabled)) style |= WS_DISABLED;
  if (Has(control, kStyleTransparent)) out.exStyle |= WS_EX_TRANSPARENT;
  switch (control.cls) {
    case ControlClass::kStatic:
      style |= Has(control, kStyleRightAlign) ? SS_RIGHT : SS_LEFT;
      if (Has(control, kStyleNoPrefix)) style |= SS_NOPREFIX;
      // Breaks its lines as an edit control does; the labels' one-line fitting leaves it alone.
      if (Has(control, kStyleWordWrap)) style |= SS_EDITCONTROL;
      break;
    case ControlClass::kIcon:
      style |= SS_ICON;
      break;
    case ControlClass::kGroupBox:
      style |= BS_GROUPBOX;
      break;
    case ControlClass::kEdit:
      style |= ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
      if (Has(control, kStyleReadOnly)) style |= ES_READONLY;
      if (Has(control, kStylePassword)) style |= ES_PASSWORD;
      if (Has(control, kStyleDigitsOnly)) style |= ES_NUMBER;
      break;
    case ControlClass::kPushButton:
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ControlClass::kDefPushButton:
      style |= BS_DEFPUSHBUTTON | WS_TABSTOP;
      break;
    case ControlClass::kCheckBox:
      style |= BS_AUTOCHECKBOX | WS_TABSTOP;
      break;
    case ControlClass::kDropDownList:
      style |= CBS_DROPDOWNLIST | WS_TABSTOP;
      if (Has(control, kStyleVScroll)) style |= WS_VSCROLL;
      break;
    case ControlClass::kListView:
      // The rows come from the window's store when they are shown: the list
      // holds no copy, so 100,000 rows cost what the visible ones do.
      style |= LVS_REPORT | LVS_OWNERDATA | WS_TABSTOP;
      if (Has(control, kStyleSingleSel)) style |= LVS_SINGLESEL;
      if (Has(control, kStyleShowSelAlways)) style |= LVS_SHOWSELALWAYS;
      if (Has(control, kStyleNoSortHeader)) style |= LVS_NOSORTHEADER;
      if (Has(control, kStyleStaticEdge)) out.exStyle |= WS_EX_STATICEDGE;
      break;
    case ControlClass::kUpDown:
      if (Has(control, kStyleAlignRight)) style |= UDS_ALIGNRIGHT;
      if (Has(control, kStyleArrowKeys)) style |= UDS_ARROWKEYS;
      break;
    case ControlClass::kProgressBar:
      if (Has(control, kStyleBorder)) style |= WS_BORDER;
      break;
    case ControlClass::kIpAddress:
      style |= WS_TABSTOP;
      break;
  }
  out.style = style;
  return out;
}

std::vector<std::uint32_t> BuildDialogTemplate(const DialogTemplate &dialogTemplate) {
  Writer writer;
  writer.Word(1);  // DLGTEMPLATEEX
  writer.Word(0xFFFF);
  writer.Dword(0);  // No help context.
  writer.Dword(dialogTemplate.taskBar ? WS_EX_APPWINDOW : 0);
  std::uint32_t style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
  if (dialogTemplate.minimizeBox) style |= WS_MINIMIZEBOX;
  if (dialogTemplate.resizable) style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
  writer.Dword(style);
  writer.Word(static_cast<std::uint16_t>(dialogTemplate.controls.size()));
  writer.Short(0);
  writer.Short(0);
  writer.Short(dialogTemplate.width);
  writer.Short(dialogTemplate.height);
  writer.Word(0);  // No menu.
  writer.Word(0);  // The dialog class.
  writer.Text(platform::WideFromUtf8(dialogTemplate.caption));
  writer.Word(static_cast<std::uint16_t>(dialogTemplate.pointSize));
  writer.Word(FW_NORMAL);
  writer.Word(MAKEWORD(FALSE, DEFAULT_CHARSET));  // Not italic; the default character set.
  writer.Text(platform::WideFromUtf8(dialogTemplate.fontFace));
  for (const DialogItem &control : dialogTemplate.controls) WriteControl(writer, control);
  return writer.Dwords();
}

}  // namespace vf::ui::win32
