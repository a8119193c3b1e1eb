// Creating and destroying a session, and its two threads: the receive thread
// that filters datagrams by Client-ID into the ring, and the worker that
// sweeps the ring and turns datagrams into callbacks.
#include "session.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <random>
#include <system_error>

#include "test_seams.h"

namespace devsearch {

namespace {

constexpr auto kSweepInterval = std::chrono::milliseconds(100);
// Datagrams the receive thread takes from the socket in one call, at most.
constexpr size_t kReceiveBatch = 64;

void Say(const char *line) {
  std::fputs(line, stdout);
  std::fflush(stdout);
}

bool IsStopping(const SearchSession *s) {
  return s->stopRequested.load(std::memory_order_acquire) != 0;
}

// Only call this from the receive thread.
void KickWorker(SearchSession *s) {
  if (s->workerKick.exchange(true, std::memory_order_acq_rel)) return;  // Already woken.
  // Taking the lock orders the flag before the worker's check-and-wait.
  { std::lock_guard lock(s->wakeMutex); }
  s->workerWake.notify_one();
}

// Waits until the worker has freed ring slot `pos`; false when the session
// stops first. Only call this from the receive thread.
bool WaitForFreeSlot(SearchSession *s, size_t pos) {
  std::unique_lock lock(s->wakeMutex);
  s->workerKick.store(true, std::memory_order_release);
  s->workerWake.notify_one();
  s->slotFreed.wait(lock, [&] {
    return s->ring[pos].load(std::memory_order_acquire) == nullptr || IsStopping(s);
  });
  return !IsStopping(s);
}

// Queues one accepted datagram's slot. A held ring slot is waited for, never
// overwritten and never skipped, so nothing that passed the Client-ID test is
// lost while the worker catches up. False when the session stops first.
// Only call this from the receive thread.
bool Enqueue(SearchSession *s, ReceiveSlot *slot) {
  size_t pos = s->ringWritePos;
  if (s->ring[pos].load(std::memory_order_acquire) != nullptr && !WaitForFreeSlot(s, pos)) {
    return false;
  }
  s->ring[pos].store(slot, std::memory_order_release);
  slot->ready.store(1, std::memory_order_release);
  s->ringWritePos = (pos + 1) % kRingSize;
  return true;
}

// The receive thread reads datagrams straight into slots, as many as have
// arrived in one call, and wakes the worker once per such batch: a wake-up per
// datagram would take the CPU from draining the socket just when a burst
// fills it.
void ReceiveLoop(SearchSession *s) {
  std::array<ReceiveSlot *, kReceiveBatch> spare{};
  std::array<char *, kReceiveBatch> buffers{};
  std::array<size_t, kReceiveBatch> sizes{};
  while (!IsStopping(s)) {
    size_t ready = 0;
    for (; ready < kReceiveBatch; ++ready) {
      if (spare[ready] == nullptr) spare[ready] = new (std::nothrow) ReceiveSlot;
      if (spare[ready] == nullptr) break;
      buffers[ready] = spare[ready]->text;
    }
    // Without memory the datagrams wait in the socket until there is some.
    if (ready == 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      continue;
    }
    // One byte short of the slot: a longer datagram is cut there.
    int n = net::ReceiveBatch(s->groupSocket, buffers.data(), sizeof(ReceiveSlot::text) - 1,
                              sizes.data(), static_cast<int>(ready));
    if (IsStopping(s)) break;
    if (n < 0) {
      // A failed receive is not an error, but a socket that keeps failing must
      // not turn this loop into a busy one.
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      continue;
    }
    for (int i = 0; i < n; ++i) {
      if (AdmitDatagram(s, spare[i], sizes[i])) spare[i] = nullptr;
    }
    KickWorker(s);
  }
  for (ReceiveSlot *slot : spare) delete slot;
}

}  // namespace

bool AdmitDatagram(SearchSession *s, ReceiveSlot *slot, size_t size) {
  // The text is what precedes the first NUL within the first 2047 bytes.
  size_t length =
      strnlen(slot->text, size < wire::kMaxDatagramText ? size : wire::kMaxDatagramText);
  if (length == 0) return false;
  slot->text[length] = '\0';
  if (!wire::ClientIdMatches({slot->text, length}, s->clientId)) return false;
  return Enqueue(s, slot);
}

bool SweepRing(SearchSession *s) {
  bool freed = false;
  for (size_t i = 0; i < kRingSize; ++i) {
    ReceiveSlot *slot = s->ring[i].load(std::memory_order_acquire);
    if (slot == nullptr || slot->ready.load(std::memory_order_acquire) == 0) continue;
    if (!IsStopping(s)) HandleDatagram(s, {slot->text, strnlen(slot->text, sizeof slot->text)});
    s->ring[i].store(nullptr, std::memory_order_release);
    delete slot;
    freed = true;
  }
  return freed;
}

namespace {

void WorkerLoop(SearchSession *s) {
  while (!IsStopping(s)) {
    // Clear the kick before sweeping: a datagram published after this point
    // sets it again, and the wait below then returns at once.
    s->workerKick.store(false, std::memory_order_release);
    if (SweepRing(s)) {
      { std::lock_guard lock(s->wakeMutex); }
      s->slotFreed.notify_all();
    }
    std::unique_lock lock(s->wakeMutex);
    s->workerWake.wait_for(lock, kSweepInterval, [&] {
      return s->workerKick.load(std::memory_order_acquire) || IsStopping(s);
    });
  }
}

bool StartThread(std::thread &thread, EngineThread which, void (*body)(SearchSession *),
                 SearchSession *s) {
  if (seams::TakeThreadStartFailure(which)) return false;
  try {
    thread = std::thread(body, s);
  } catch (const std::system_error &) {
    return false;
  }
  return true;
}

// Ends both threads and releases everything the session holds. The threads
// are joined before any socket is closed, so neither a receive nor a callback
// that sends can ever use a descriptor that has been closed and reused.
void Teardown(SearchSession *s) {
  s->stopRequested.store(1, std::memory_order_release);
  // Release the receive thread from its blocking receive.
  net::WakeReceiver(s->groupSocket);
  // Release both threads from their waits; the lock orders the stop flag
  // against their check-and-wait.
  { std::lock_guard lock(s->wakeMutex); }
  s->workerWake.notify_all();
  s->slotFreed.notify_all();
  // Joined without holding any lock of the session: both threads take one.
  if (s->receiveThread.joinable()) s->receiveThread.join();
  if (s->workerThread.joinable()) s->workerThread.join();

  for (size_t i = 0; i < kMaxSendSockets; ++i) {
    net::Close(s->sendSockets[i]);
    s->sendSockets[i] = net::kNoSocket;
  }
  net::Close(s->groupSocket);
  s->groupSocket = net::kNoSocket;
  // Datagrams not handled yet are discarded without callbacks.
  for (auto &entry : s->ring) delete entry.exchange(nullptr);
  delete s;
}

}  // namespace

void CallbackSlot::Register(DevSearchCallback cb, void *userPointer) {
  if (cb == nullptr || claimed.exchange(true, std::memory_order_acq_rel)) return;
  user = userPointer;
  callback.store(cb, std::memory_order_release);
}

void CallbackSlot::Invoke(SearchSession *session, const char *status, const void *data) const {
  DevSearchCallback cb = callback.load(std::memory_order_acquire);
  if (cb != nullptr) cb(session, status, data, user);
}

void HandleDatagram(SearchSession *s, std::string_view text) {
  wire::ReplyKind kind = wire::Classify(text);
  if (kind != wire::ReplyKind::kAnnouncement) {
    auto value = wire::FindValue(text, "CSeq:");
    if (!value) return;
    uint32_t cseq = wire::ValueToCseq(*value);
    if (cseq == 0) return;
    for (auto &entry : s->pendingCseq) {
      uint32_t expected = cseq;
      // Clearing the entry as it matches reports each command at most once.
      if (entry.compare_exchange_strong(expected, 0, std::memory_order_acq_rel)) {
        DeviceRecord nothing{};
        s->commandCallback.Invoke(s, wire::StatusText(kind), &nothing);
        return;
      }
    }
    return;
  }
  DeviceRecord record;
  if (wire::ParseAnnouncement(text, &record)) s->searchCallback.Invoke(s, "200", &record);
}

void MakeClientId(char (&out)[wire::kClientIdLength + 1]) {
  std::uniform_int_distribution<int> letter(0, 25);
  std::uniform_int_distribution<int> capital(0, 1);
  auto fill = [&](auto &generator) {
    for (size_t i = 0; i < wire::kClientIdLength; ++i) {
      char base = capital(generator) ? 'A' : 'a';
      out[i] = static_cast<char>(base + letter(generator));
    }
  };
  try {
    std::random_device entropy;
    fill(entropy);
  } catch (...) {
    // No entropy device: fall back to a generator seeded from the fine clock
    // and this object's address, which still differs between two sessions.
    std::seed_seq seed{
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()),
        static_cast<uint64_t>(reinterpret_cast<uintptr_t>(&out))};
    std::mt19937_64 generator(seed);
    fill(generator);
  }
  out[wire::kClientIdLength] = '\0';
}

}  // namespace devsearch

extern "C" DEVSEARCH_API int DevSearch_Create(const char *groupAddress, int port,
                                              int sendTimeoutSec, SearchSession **outSession) {
  using namespace devsearch;
  if (groupAddress == nullptr || outSession == nullptr) return DEVSEARCH_ERR_INVALID_ARG;

  auto portNumber = static_cast<uint16_t>(port & 0xFFFF);
  net::Socket group = net::OpenGroupSocket(groupAddress, portNumber);
  if (group == net::kNoSocket) {
    Say("<DevSearch>create socket error.\n");
    return DEVSEARCH_ERR_SOCKET;
  }

  SearchSession *s = seams::TakeAllocationFailure() ? nullptr : new (std::nothrow) SearchSession;
  if (s == nullptr) {
    Say("<DevSearch>malloc error.\n");
    net::Close(group);
    return DEVSEARCH_ERR_NO_MEMORY;
  }

  wire::FillField(groupAddress, s->groupAddress, sizeof s->groupAddress);
  s->port = portNumber;
  s->sendTimeoutSec = sendTimeoutSec < 0 ? 0 : sendTimeoutSec;
  s->groupSocket = group;
  s->sendSockets.fill(net::kNoSocket);
  net::RequestReceiveBuffer(group, seams::CappedReceiveBuffer(kGroupReceiveBufferBytes));
  MakeClientId(s->clientId);

  if (!StartThread(s->receiveThread, EngineThread::kReceive, ReceiveLoop, s)) {
    net::Close(s->groupSocket);
    delete s;
    return DEVSEARCH_ERR_THREAD;
  }
  if (!StartThread(s->workerThread, EngineThread::kWorker, WorkerLoop, s)) {
    Teardown(s);
    return DEVSEARCH_ERR_THREAD;
  }
  *outSession = s;
  return DEVSEARCH_OK;
}

extern "C" DEVSEARCH_API int DevSearch_Destroy(SearchSession *session) {
  if (session == nullptr) return DEVSEARCH_ERR_INVALID_ARG;
  if (session->clientId[0] == '\0') return DEVSEARCH_ERR_NOT_READY;
  // Joining the worker from the worker itself would never return.
  if (std::this_thread::get_id() == session->workerThread.get_id()) {
    return DEVSEARCH_ERR_INVALID_ARG;
  }
  devsearch::Teardown(session);
  return DEVSEARCH_OK;
}

extern "C" DEVSEARCH_API int DevSearch_SetSearchCallback(SearchSession *session,
                                                         DevSearchCallback callback, void *user) {
  if (session == nullptr) return DEVSEARCH_ERR_INVALID_ARG;
  if (session->clientId[0] == '\0') return DEVSEARCH_ERR_NOT_READY;
  session->searchCallback.Register(callback, user);
  return DEVSEARCH_OK;
}

extern "C" DEVSEARCH_API int DevSearch_SetCommandCallback(SearchSession *session,
                                                          DevSearchCallback callback, void *user) {
  if (session == nullptr) return DEVSEARCH_ERR_INVALID_ARG;
  if (session->clientId[0] == '\0') return DEVSEARCH_ERR_NOT_READY;
  session->commandCallback.Register(callback, user);
  return DEVSEARCH_OK;
}
