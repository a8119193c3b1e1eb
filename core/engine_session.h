// Starting the engine as both front ends do: the usual port or the fallback port, the two
// callbacks, and this PC's addresses.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "devsearch.h"
#include "platform/adapters.h"

namespace vf::core {

struct SessionStart {
  // The session, owned by the caller from here on; null when neither port could be used.
  SearchSession *session = nullptr;
  // The port the session listens and sends on; 0 without a session.
  int port = 0;
  // The addresses handed to the engine, in table order; the addresses the PC holds.
  std::vector<std::string> localAddresses;
  // Both callbacks registered and the addresses handed over.
  bool ready = false;
};

// Creates a session on the group and the usual port, or on the fallback port when that fails,
// registers `onDevice` for announcements, hands the engine the first address of every adapter
// (see CollectLocalAddresses), and registers `onCommand` for command answers; `user` goes to both
// callbacks. Stops at the first step that fails: a session that exists stays in the result (and
// with the caller) even when `ready` is false.
SessionStart StartSession(platform::AdapterSource &adapters, DevSearchCallback onDevice,
                          DevSearchCallback onCommand, void *user);

// Closes a session when it goes out of scope.
struct SessionCloser {
  void operator()(SearchSession *session) const { DevSearch_Destroy(session); }
};
using SessionHandle = std::unique_ptr<SearchSession, SessionCloser>;

}  // namespace vf::core
