// SIGINT and SIGTERM turned into a readable descriptor (self-pipe), so the
// main loop notices them in its poll instead of being interrupted mid-send.
#pragma once

namespace vf::camsim {

// Installs the handlers; returns the read end of the pipe, or -1 on failure.
int install_stop_signals();

}  // namespace vf::camsim
