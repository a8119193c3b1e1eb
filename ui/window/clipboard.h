// The system's clipboard, holding text. Texts are UTF-8 with "\n" for a line
// break; each backend writes line breaks as its platform's programs expect
// them ("\r\n" on Windows) and reads them back as "\n".
#pragma once

#include <string>
#include <string_view>

namespace vf::ui {

// Puts `text` on the clipboard in place of what it held; false when the
// clipboard could not be taken. On the window's thread.
bool SetClipboardText(std::string_view text);

// The text on the clipboard; empty when it holds none.
std::string ClipboardText();

}  // namespace vf::ui
