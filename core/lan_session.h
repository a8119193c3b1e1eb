// The engine session as both front ends use it: started on this PC's addresses (the usual port,
// or the fallback port), renewed when the adapters change or after a command that got no answer,
// recording every announcement into a device store, and sending commands that each end in exactly
// one outcome, an answer or its absence after a time-out. The Update sequence (the network
// settings, then on acceptance the port command) runs here too.
//
// Threads: the front end calls from one thread of its own (the window's, or the command line's
// main thread). Announcements and answers arrive on the engine's worker thread; a time-out is told
// on the session's watch thread. Handlers given to Send() and StartUpdate() run on those two
// threads and must not block: a window posts what it shows to its own thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/device_store.h"
#include "core/messages.h"
#include "core/network_change.h"
#include "core/outcome.h"
#include "core/protocol.h"
#include "devsearch.h"
#include "platform/adapters.h"

namespace vf::core {

// How a search collects answers, for a front end that waits for them.
struct SearchSettings {
  // How long answers are collected after the last request.
  std::chrono::milliseconds wait = kCollectPeriod;
  // Requests sent, `spacing` apart; their answers are merged by MAC.
  int repeat = 1;
  std::chrono::milliseconds spacing = kRepeatSpacing;
};

// Whether a command went out. Only a Sent command has its handler called.
enum class Dispatch {
  Sent,     // the handler gets the outcome later, exactly once
  Busy,     // another command awaits its answer; nothing was sent
  NotSent,  // the engine refused the request, or no engine runs; nothing was sent
};

class LanSession {
 public:
  using AnswerHandler = std::function<void(Outcome)>;

  // A session on the PC's adapters; with `interfaceAddress` set, only that address of the PC is
  // searched from. Announcements go into `devices`; both must outlive the session. Nothing starts
  // before Open().
  LanSession(platform::AdapterSource &adapters, DeviceStore &devices,
             std::string interfaceAddress = {});
  // Closes the engine session first, so that no callback runs afterwards, then the watch thread.
  // A handler still waiting for its outcome is dropped without being called.
  ~LanSession();
  LanSession(const LanSession &) = delete;
  LanSession &operator=(const LanSession &) = delete;

  // Reads the adapters and starts the engine on them: the usual port, or the fallback port when
  // another program holds it. False when it could not start (or the interface address is not one
  // of the PC's); the session then searches and sends nothing until a later Open() succeeds.
  bool Open();
  // Closes the engine session; Open() starts a new one.
  void Close();
  bool IsOpen() const;
  // The engine's handle, for tests and diagnostics; null when none runs.
  SearchSession *Engine() const;
  // The port the engine listens and sends on; 0 without an engine.
  int Port() const { return m_port; }

  // Every IPv4 address of every adapter of this PC, as read at the last Open() or refresh: no
  // camera may be given one of them.
  const std::vector<std::string> &PcAddresses() const { return m_pcAddresses; }
  // False when the session was to search from one address that the PC does not hold.
  bool InterfaceIsLocal() const;
  // The addresses the engine searches from: the first of each adapter.
  const std::vector<std::string> &SearchAddresses() const { return m_searchAddresses; }

  enum class Refresh {
    Unchanged,  // the engine searches from the addresses the PC has
    Renewed,    // they changed: a new engine session runs on the new ones
    Failed,     // they changed and the new engine did not start
    Busy,       // a command awaits its answer: nothing was read or changed
  };
  // Reads the adapters again. An engine session reads its addresses once, at its first search,
  // so when they changed a new one takes its place. Not while a command awaits its answer, which
  // would be lost with the old session.
  Refresh RefreshAddresses();

  // Forgets the devices of the last search and sends one request. The engine's result.
  int Search();
  // One more request of the same search; the devices found stay.
  int SearchAgain();
  // A whole search for a front end that waits: the requests, the wait, then the store closed.
  // The engine's result of the first request.
  int Collect(const SearchSettings &settings);

  // Sends one command to `target`. When Sent, `done` gets the outcome exactly once: the answer,
  // or NoAnswer after `timeout`, after which the next command goes out from a new engine session
  // so that a late answer cannot pass for its own. One command at a time: while one awaits its
  // answer (or an Update runs) others are Busy.
  Dispatch Send(const CommandTarget &target, int kind, const void *params,
                std::chrono::milliseconds timeout, AnswerHandler done);
  // Send() that waits for the outcome; NotSent when nothing went out.
  Outcome SendAndWait(const CommandTarget &target, int kind, const void *params,
                      std::chrono::milliseconds timeout);
  // Whether a command or an Update awaits an answer.
  bool CommandPending() const;

  // The Update: the network settings; when the device accepts them and the port changes, the port
  // command (`restarting` is told as it goes out: the device restarts for it); `finished` gets how
  // it ended, exactly once. The account may be empty. Handlers run as Send()'s do.
  struct UpdateEvents {
    std::function<void()> restarting;
    std::function<void(const UpdateResult &)> finished;
  };
  Dispatch StartUpdate(const DeviceRecord &device, const std::string &user,
                       const std::string &password, const NetworkChange &change,
                       std::chrono::milliseconds timeout, UpdateEvents events);
  // StartUpdate() that waits for the end. NotSent when nothing went out.
  UpdateResult RunUpdate(const DeviceRecord &device, const std::string &user,
                         const std::string &password, const NetworkChange &change,
                         std::chrono::milliseconds timeout);

  // The engine's side, as its worker thread calls it: an announcement, an answer to a command.
  // Public so that tests can play the engine.
  void OnAnnouncement(const DeviceRecord &record);
  void OnCommandAnswer(std::string_view status);

 private:
  struct Pending;
  struct UpdateRun;

  bool StartEngine();
  void CloseEngine();
  bool IsLocalAddress(const std::string &address) const;
  // Before a command: a new engine session when the last command got no answer.
  bool RenewIfDue();
  Dispatch SendLocked(std::unique_lock<std::mutex> &lock, const CommandTarget &target, int kind,
                      const void *params, std::chrono::milliseconds timeout, AnswerHandler done);
  void SendPortCommand(const std::shared_ptr<UpdateRun> &run);
  void Watch();

  static int EngineAnnouncement(SearchSession *, const char *, const void *data, void *user);
  static int EngineAnswer(SearchSession *, const char *status, const void *, void *user);

  platform::AdapterSource &m_adapters;
  std::unique_ptr<platform::AdapterSource> m_oneAddress;  // the view for `interfaceAddress`
  DeviceStore &m_devices;
  std::string m_interfaceAddress;
  std::vector<std::string> m_pcAddresses;
  std::vector<std::string> m_searchAddresses;
  int m_port = 0;

  // Everything below is guarded by m_mutex. The engine handle changes only on the front end's
  // thread, and only while no command awaits its answer, so the worker (which sends the port
  // command) never meets a handle being replaced.
  mutable std::mutex m_mutex;
  std::condition_variable m_changed;
  SearchSession *m_engine = nullptr;
  std::unique_ptr<Pending> m_pending;
  bool m_updateRunning = false;
  bool m_renewBeforeNextCommand = false;
  bool m_stopping = false;
  std::thread m_watch;
};

}  // namespace vf::core
