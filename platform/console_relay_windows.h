// A pipe between the C runtime's streams and a console: a program writes its UTF-8 text to the
// pipe through ordinary FILE streams, and a thread of the relay writes what arrives to the console
// as UTF-16 (ConsoleTextWriter), in the order it was written.
#pragma once

#include <chrono>
#include <memory>

namespace vf::platform {

class ConsoleRelay {
 public:
  // Starts the relay to the console of the C runtime's descriptor `consoleFd` (a copy of the
  // descriptor is kept, so `consoleFd` may be closed or redirected afterwards). Null when the pipe
  // or the thread cannot be made.
  static std::unique_ptr<ConsoleRelay> Start(int consoleFd);
  ~ConsoleRelay();
  ConsoleRelay(const ConsoleRelay &) = delete;
  ConsoleRelay &operator=(const ConsoleRelay &) = delete;

  // A new descriptor (text mode) that writes into the relay; -1 on failure. The relay ends when
  // every such descriptor is closed.
  int NewDescriptor() const;
  // The relay's own copy of the console's descriptor, for what is written after the relay ended.
  int ConsoleDescriptor() const { return m_consoleFd; }
  // Closes the relay's own writing end and waits at most `limit` for the thread to write what
  // the closed descriptors left in the pipe. False when the thread did not end in time (a console
  // can be held still, by a selection with the mouse for instance).
  bool Finish(std::chrono::milliseconds limit);

 private:
  ConsoleRelay() = default;

  int m_writeFd = -1;
  int m_consoleFd = -1;
  void *m_read = nullptr;    // HANDLE of the pipe's reading end
  void *m_thread = nullptr;  // HANDLE
  bool m_finished = false;
};

}  // namespace vf::platform
