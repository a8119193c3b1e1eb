#include "core/messages.h"

namespace vf::core {

std::string WithArgument(std::string_view pattern, std::string_view value) {
  std::string out(pattern);
  const std::size_t at = out.find("%1");
  if (at != std::string::npos) out.replace(at, 2, value);
  return out;
}

std::string Compose(const UserMessage &message, const Translate &translate) {
  const auto inLanguage = [&](const char *text) {
    return translate ? translate(text) : std::string(text);
  };
  std::string out = WithArgument(inLanguage(message.text), message.argument);
  if (message.lead != nullptr) out = inLanguage(message.lead) + " " + out;
  return out;
}

}  // namespace vf::core
