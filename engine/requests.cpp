// The two requests a caller sends through a session: SEARCH to every device,
// CMD to one device. Both go to the group over every send socket.
#include <cstdio>
#include <cstring>

#include "local_addresses.h"
#include "session.h"

namespace devsearch {
namespace {

void Say(const char *line) {
  std::fputs(line, stdout);
  std::fflush(stdout);
}

// An unconfigured adapter's address: joining on it is the wildcard join the
// group socket made when it was opened.
bool IsUnsetAddress(const char *address) {
  return address[0] == '\0' || std::strcmp(address, "0.0.0.0") == 0;
}

// Opens one send socket per local address, once per session; an address
// whose socket fails is skipped. The group socket also joins the group on
// each address, so that answers are heard on every adapter a search goes out
// on, not only on the one the wildcard join picked by route; a failed join
// skips only that address. False when the table is empty, in which case
// nothing is done and a later search tries again.
bool EnsureSendSockets(SearchSession *s) {
  if (s->sendSocketsOpen.load(std::memory_order_acquire)) return true;
  std::lock_guard lock(s->sendSocketsMutex);
  if (s->sendSocketsOpen.load(std::memory_order_relaxed)) return true;

  LocalAddressTable table = SnapshotLocalAddresses();
  if (table.count == 0) return false;
  for (size_t i = 0; i < table.count; ++i) {
    const char *address = table.addresses[i].data();
    if (!IsUnsetAddress(address)) net::JoinGroupOn(s->groupSocket, s->groupAddress, address);
    net::Socket socket = net::OpenSendSocket(address, s->port);
    if (socket == net::kNoSocket) {
      Say("<DevSearch>create socket error.\n");
      continue;
    }
    s->sendSockets[s->sendSocketCount++] = socket;
  }
  // Marked open even when none opened: they are never opened again.
  s->sendSocketsOpen.store(1, std::memory_order_release);
  return true;
}

// Sends over every open send socket in slot order; failures stay silent.
void SendToGroup(SearchSession *s, std::string_view request) {
  if (!s->sendSocketsOpen.load(std::memory_order_acquire)) return;
  for (size_t i = 0; i < s->sendSocketCount; ++i) {
    net::SendTo(s->sendSockets[i], request, s->groupAddress, s->port, s->sendTimeoutSec);
  }
}

// Takes the next request number, but only if `compose` manages to build the
// request with it: a request that cannot be built leaves the counter as it
// was. Two threads never get the same number.
template <typename Compose>
bool TakeCseqAndCompose(SearchSession *s, Compose compose, uint32_t *taken) {
  uint32_t current = s->cseq.load(std::memory_order_relaxed);
  for (;;) {
    uint32_t next = wire::NextCseq(current);
    if (!compose(next)) return false;
    if (s->cseq.compare_exchange_weak(current, next, std::memory_order_acq_rel)) {
      *taken = next;
      return true;
    }
  }
}

// Enters a command's request number into the pending table, overwriting the
// oldest entry. Taking the position and advancing it is one atomic step.
void RememberPending(SearchSession *s, uint32_t cseq) {
  uint32_t pos = s->pendingWritePos.load(std::memory_order_relaxed);
  while (!s->pendingWritePos.compare_exchange_weak(pos, (pos + 1) % kPendingSize,
                                                   std::memory_order_acq_rel)) {
  }
  s->pendingCseq[pos].store(cseq, std::memory_order_release);
}

std::string_view Text(const char *text) {
  return text == nullptr ? std::string_view{}
                         : std::string_view{text, strnlen(text, wire::kRequestCapacity)};
}

}  // namespace
}  // namespace devsearch

extern "C" DEVSEARCH_API int DevSearch_Search(SearchSession *session) {
  using namespace devsearch;
  if (session == nullptr) return DEVSEARCH_ERR_INVALID_ARG;
  if (session->clientId[0] == '\0') return DEVSEARCH_ERR_NOT_READY;
  if (!EnsureSendSockets(session)) return DEVSEARCH_ERR_NOT_READY;

  char request[wire::kRequestCapacity];
  size_t length = 0;
  uint32_t cseq = 0;
  TakeCseqAndCompose(
      session,
      [&](uint32_t next) {
        length = wire::ComposeSearch(request, sizeof request, next, session->clientId);
        return length != 0;
      },
      &cseq);
  SendToGroup(session, {request, length});
  return DEVSEARCH_OK;
}

extern "C" DEVSEARCH_API int DevSearch_SendCommand(SearchSession *session,
                                                   const CommandTarget *target, int kind,
                                                   const void *params) {
  using namespace devsearch;
  if (session == nullptr || target == nullptr || target->deviceId == nullptr || params == nullptr) {
    return DEVSEARCH_ERR_INVALID_ARG;
  }
  std::string_view deviceId = Text(target->deviceId);
  if (deviceId.size() != wire::kDeviceIdLength) return DEVSEARCH_ERR_INVALID_ARG;
  if (session->clientId[0] == '\0') return DEVSEARCH_ERR_NOT_READY;

  std::string_view user = Text(target->user);
  std::string_view password = Text(target->password);
  // A line break in any of these would let the text add headers of its own.
  if (wire::HasLineBreak(deviceId) || wire::HasLineBreak(user) || wire::HasLineBreak(password)) {
    return DEVSEARCH_ERR_INVALID_ARG;
  }

  char line[wire::kRequestCapacity];
  wire::TextWriter lineWriter(line, sizeof line);
  int result = wire::ComposeCommandLine(kind, params, lineWriter);
  if (result != DEVSEARCH_OK) return result;

  char request[wire::kRequestCapacity];
  size_t length = 0;
  uint32_t cseq = 0;
  bool composed = TakeCseqAndCompose(
      session,
      [&](uint32_t next) {
        length = wire::ComposeCommand(request, sizeof request, next, session->clientId, user,
                                      password, deviceId, lineWriter.text());
        return length != 0;
      },
      &cseq);
  if (!composed) return DEVSEARCH_ERR_INVALID_ARG;

  // Entered before the request leaves, so that an answer that comes at once
  // finds it.
  RememberPending(session, cseq);
  SendToGroup(session, {request, length});
  return DEVSEARCH_OK;
}
