// How a command to a camera ended, and what the user reads about it.
#pragma once

#include <chrono>
#include <string_view>

#include "core/messages.h"

namespace vf::core {

enum class Outcome {
  Accepted,      // the device answered 200
  Unauthorized,  // 401: wrong account or password
  Forbidden,     // 403: the device refused
  NoAnswer,      // nothing came back in time
  NotSent,       // the engine refused the request (a value it cannot carry, no session)
};

// The engine's status text as an outcome: it carries "200", "401" or "403".
Outcome OutcomeOfStatus(std::string_view status);

// What the user reads for an outcome; `accepted` is what an accepted command did.
UserMessage OutcomeMessage(Outcome outcome, const char *accepted,
                           std::chrono::milliseconds timeout);

// How an Update ended.
struct UpdateResult {
  Outcome outcome = Outcome::NotSent;
  // The outcome is the port command's: the settings were accepted before it.
  bool portStep = false;
};

// What the user reads at the end of an Update: "Device information successfully updated!" when
// it was accepted; when the port command was not, that the settings were taken but the port not.
UserMessage UpdateMessage(const UpdateResult &result, std::chrono::milliseconds timeout);

}  // namespace vf::core
