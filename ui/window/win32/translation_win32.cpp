// The Windows build has no translations: every text is shown as written.
#include "ui/window/translation.h"

namespace vf::ui {

std::string Translated(std::string_view text) {
  return std::string(text);
}

}  // namespace vf::ui
