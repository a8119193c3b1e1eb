// The window's texts in the user's language. Texts are marked where they are
// written and translated where a control or a message box receives them. A text without a
// translation, and every text while no translation is installed, comes back byte for byte.
#pragma once

#include <string>
#include <string_view>

namespace vf::ui {

// `text` (UTF-8) in the installed translation. Texts from outside the
// program (the network, say) are never passed here, so that nothing out
// there can be named after a translated text. Provided by the window's
// backend.
std::string Translated(std::string_view text);

// `pattern` with its first "%1" replaced by `value`.
std::string WithArgument(std::string_view pattern, std::string_view value);

}  // namespace vf::ui
