// The inside of a SearchSession: its sockets, its two threads and the ring of
// received datagrams that joins them, its identity and request counter, and
// the table of commands still waiting for their answer.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string_view>
#include <thread>

#include "devsearch.h"
#include "socket_shim.h"
#include "wire_format.h"

namespace devsearch {

inline constexpr size_t kRingSize = 512;
inline constexpr size_t kPendingSize = 50;
inline constexpr size_t kMaxSendSockets = 20;
inline constexpr size_t kReceiveBufferSize = 2048;
// What the engine asks the kernel to buffer for the group socket, so that a
// burst of thousands of announcements waits there rather than being dropped.
inline constexpr int kGroupReceiveBufferBytes = 8 * 1024 * 1024;

// One received datagram on its way from the receive thread to the worker.
struct ReceiveSlot {
  // Set to 1 (release) once `text` is complete; read (acquire) before it.
  std::atomic<int32_t> ready{0};
  // The datagram as text, NUL-terminated; the receive writes into it directly.
  char text[kReceiveBufferSize];
};

// A registered callback with its user pointer. `claimed` lets exactly one
// registration win; the callback pointer is published (release) after `user`,
// so a worker that sees the callback (acquire) sees its user pointer too.
struct CallbackSlot {
  std::atomic<bool> claimed{false};
  void *user = nullptr;
  std::atomic<DevSearchCallback> callback{nullptr};

  void Register(DevSearchCallback cb, void *userPointer);
  // Calls the callback if one is registered.
  void Invoke(SearchSession *session, const char *status, const void *data) const;
};

}  // namespace devsearch

struct SearchSession {
  devsearch::net::Socket groupSocket = devsearch::net::kNoSocket;
  char groupAddress[32] = {};
  uint16_t port = 0;
  int32_t sendTimeoutSec = 0;
  // Set once by Destroy; both threads poll it.
  std::atomic<int32_t> stopRequested{0};

  // Send sockets: opened once, by the first search, under `sendSocketsMutex`;
  // `sendSocketsOpen` is published (release) after the slots are filled and
  // never cleared, so readers that see it (acquire) may use the slots freely.
  std::mutex sendSocketsMutex;
  std::atomic<int32_t> sendSocketsOpen{0};
  std::array<devsearch::net::Socket, devsearch::kMaxSendSockets> sendSockets{};
  size_t sendSocketCount = 0;

  // The last request number used; advanced by compare-and-swap so that two
  // threads sending at once get distinct numbers.
  std::atomic<uint32_t> cseq{0};

  devsearch::CallbackSlot commandCallback;
  devsearch::CallbackSlot searchCallback;

  std::thread receiveThread;
  std::thread workerThread;

  char clientId[devsearch::wire::kClientIdLength + 1] = {};

  // Slot pointers, null when free. The receive thread fills only free slots
  // and publishes them; the worker frees only ready ones. No lock on this path.
  std::array<std::atomic<devsearch::ReceiveSlot *>, devsearch::kRingSize> ring{};
  // Only the receive thread touches it.
  size_t ringWritePos = 0;

  // Request numbers of the last 50 commands, 0 when empty. An entry is taken
  // and cleared by compare-and-swap, so a reply is reported at most once.
  std::array<std::atomic<uint32_t>, devsearch::kPendingSize> pendingCseq{};
  std::atomic<uint32_t> pendingWritePos{0};

  // Wake-ups between the threads. The ring itself needs no lock; the mutex
  // only orders a flag check against a wait so that no wake-up is lost.
  std::mutex wakeMutex;
  std::condition_variable workerWake;  // A slot became ready, or stop.
  std::condition_variable slotFreed;   // The worker freed slots, or stop.
  std::atomic<bool> workerKick{false};
};

namespace devsearch {

// What the receive thread does with each datagram it has read into `slot`
// (`size` bytes, as the receive reported them): keeps the text before the
// first NUL within the first 2047 bytes, and queues the slot in the ring if
// the text carries the session's Client-ID, waiting for the worker to free the
// next ring slot if need be. True when the slot was queued and the ring owns
// it; false leaves it with the caller. Only call this from the receive thread
// (or, in tests, from the one thread that stands in for both).
bool AdmitDatagram(SearchSession *session, ReceiveSlot *slot, size_t size);

// One sweep of the worker: hands every ready slot, in index order, to
// HandleDatagram and frees it; true when it freed any. Only call this from the
// worker thread (or, in tests, from the one thread that stands in for both).
bool SweepRing(SearchSession *session);

// Handles one accepted datagram on the worker thread: matches a command reply
// against the pending table, or parses an announcement, and calls the
// matching callback. Only call this from the worker thread.
void HandleDatagram(SearchSession *session, std::string_view text);

// Makes a 32-letter Client-ID from the operating system's entropy.
void MakeClientId(char (&out)[wire::kClientIdLength + 1]);

}  // namespace devsearch
