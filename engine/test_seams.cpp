// The switches of the engine's test build; see test_seams.h. Compiled into
// the test library only.
#include "test_seams.h"

namespace devsearch::seams {

std::atomic<bool> failNextAllocation{false};
std::atomic<EngineThread> failThreadStart{EngineThread::kNone};
std::atomic<int> receiveBufferCap{0};

}  // namespace devsearch::seams
