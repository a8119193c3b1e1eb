// Switches that let the tests take failure paths a running system rarely
// takes, and hold the receive buffer to what an ordinary user gets. They
// exist only in the engine's test build (DEVSEARCH_TEST_SEAMS); in the
// shipped library every switch is a constant and no trace of them remains.
#pragma once

#if defined(DEVSEARCH_TEST_SEAMS)
#include <atomic>
#endif

namespace devsearch {

// The session's two threads, as the thread-start switch names them.
enum class EngineThread { kNone, kReceive, kWorker };

}  // namespace devsearch

namespace devsearch::seams {

#if defined(DEVSEARCH_TEST_SEAMS)

// The next session allocation fails.
extern std::atomic<bool> failNextAllocation;
// The next start of this thread fails.
extern std::atomic<EngineThread> failThreadStart;
// The most the group socket may ask the kernel for, in bytes; 0 for no
// limit. An ordinary user's request is cut to the system's cap
// (net.core.rmem_max) in the same way.
extern std::atomic<int> receiveBufferCap;

inline bool TakeAllocationFailure() {
  return failNextAllocation.exchange(false);
}
inline bool TakeThreadStartFailure(EngineThread which) {
  EngineThread expected = which;
  return failThreadStart.compare_exchange_strong(expected, EngineThread::kNone);
}
inline int CappedReceiveBuffer(int bytes) {
  int cap = receiveBufferCap.load();
  return cap > 0 && cap < bytes ? cap : bytes;
}

#else

constexpr bool TakeAllocationFailure() {
  return false;
}
constexpr bool TakeThreadStartFailure(EngineThread) {
  return false;
}
constexpr int CappedReceiveBuffer(int bytes) {
  return bytes;
}

#endif

}  // namespace devsearch::seams
