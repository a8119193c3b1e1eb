#include "core/engine_session.h"

#include "core/local_address_table.h"
#include "core/protocol.h"

namespace vf::core {

SessionStart StartSession(platform::AdapterSource &adapters, DevSearchCallback onDevice,
                          DevSearchCallback onCommand, void *user) {
  SessionStart start;
  for (const int port : {kPort, kFallbackPort}) {
    SearchSession *session = nullptr;
    if (DevSearch_Create(kGroupAddress, port, kSendTimeoutSec, &session) == DEVSEARCH_OK &&
        session != nullptr) {
      start.session = session;
      start.port = port;
      break;
    }
  }
  if (start.session == nullptr) return start;

  if (DevSearch_SetSearchCallback(start.session, onDevice, user) != DEVSEARCH_OK) return start;

  char table[kLocalAddressSlots][kLocalAddressSize] = {};
  const int count = CollectLocalAddresses(adapters, table);
  for (int i = 0; i < count; ++i) start.localAddresses.emplace_back(table[i]);
  // With no address the engine refuses the table; searches then find nothing.
  if (count > 0) DevSearch_SetLocalAddresses(table, count);

  if (DevSearch_SetCommandCallback(start.session, onCommand, user) != DEVSEARCH_OK) return start;
  start.ready = true;
  return start;
}

}  // namespace vf::core
