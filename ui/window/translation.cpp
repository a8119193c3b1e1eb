#include "ui/window/translation.h"

namespace vf::ui {

std::string WithArgument(std::string_view pattern, std::string_view value) {
  std::string text(pattern);
  const std::size_t at = text.find("%1");
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

}  // namespace vf::ui
