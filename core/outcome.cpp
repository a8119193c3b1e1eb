#include "core/outcome.h"

#include <string>

#include "core/protocol.h"

namespace vf::core {
namespace {

UserMessage Fixed(const char *text) {
  UserMessage message;
  message.text = text;
  return message;
}

// "5", "0.25": seconds without trailing zeros.
std::string Seconds(std::chrono::milliseconds duration) {
  const long long ms = duration.count();
  std::string text = std::to_string(ms / 1000);
  if (ms % 1000 != 0) {
    std::string fraction = std::to_string(1000 + ms % 1000).substr(1);  // three digits
    while (fraction.back() == '0') fraction.pop_back();
    text += "." + fraction;
  }
  return text;
}

}  // namespace

Outcome OutcomeOfStatus(std::string_view status) {
  if (status.find(kStatusAccepted) != std::string_view::npos) return Outcome::Accepted;
  if (status.find(kStatusUnauthorized) != std::string_view::npos) return Outcome::Unauthorized;
  return Outcome::Forbidden;
}

UserMessage OutcomeMessage(Outcome outcome, const char *accepted,
                           std::chrono::milliseconds timeout) {
  switch (outcome) {
    case Outcome::Accepted:
      return Fixed(accepted);
    case Outcome::Unauthorized:
      return Fixed(text::kWrongAccount);
    case Outcome::Forbidden:
      return Fixed(text::kRefused);
    case Outcome::NoAnswer:
      return {text::kNoAnswer, Seconds(timeout), nullptr};
    case Outcome::NotSent:
      return Fixed(text::kNotSent);
  }
  return Fixed(text::kNotSent);
}

UserMessage UpdateMessage(const UpdateResult &result, std::chrono::milliseconds timeout) {
  UserMessage message = OutcomeMessage(result.outcome, text::kUpdateOk, timeout);
  if (result.portStep && result.outcome != Outcome::Accepted) message.lead = text::kPortNotTaken;
  return message;
}

}  // namespace vf::core
