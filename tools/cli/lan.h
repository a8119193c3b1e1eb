// The engine as the command line uses it: one session, searches that collect every device once,
// and commands that wait for their answer.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/device_store.h"
#include "core/engine_session.h"
#include "devsearch.h"
#include "platform/adapters.h"

namespace vf::cli {

// How a command ended.
enum class Outcome {
  Accepted,      // the device answered 200
  Unauthorized,  // 401: wrong account or password
  Forbidden,     // 403: the device refused
  NoAnswer,      // nothing came back in time
  NotSent,       // the engine refused the request (a value it cannot carry)
};

struct SearchSettings {
  // How long answers are collected after the last request.
  std::chrono::milliseconds wait{2500};
  // Requests sent, `spacing` apart; the answers of all of them are merged by MAC.
  int repeat = 1;
  std::chrono::milliseconds spacing{300};
};

class Lan {
 public:
  Lan(const Lan &) = delete;
  Lan &operator=(const Lan &) = delete;
  ~Lan();

  // Starts a session that searches from every adapter, or from `interfaceAddress` alone when it
  // is not empty. Null, with `error` set, when the engine cannot start or the address is not
  // one of this PC's.
  static std::unique_ptr<Lan> Start(platform::AdapterSource &adapters,
                                    const std::string &interfaceAddress, std::string &error);

  // One collection cycle: forgets the devices of the last one, sends the requests, waits and
  // closes the cycle. Returns the engine's result of the first request; DEVSEARCH_OK when sent.
  int Search(const SearchSettings &settings);

  // The devices of the last cycle, first answer per MAC, in order of arrival.
  std::vector<DeviceRecord> Devices() const { return m_devices.Records(); }
  std::vector<core::MacConflict> Conflicts() const { return m_devices.Conflicts(); }

  // The port the session listens on.
  int Port() const { return m_port; }

  // Every IPv4 address of every adapter of this PC (not only those searched from).
  const std::vector<std::string> &PcAddresses() const { return m_pcAddresses; }

  // Sends one command and waits up to `timeout` for the device's answer. After a command that
  // got no answer, the next one goes out from a new session, so that a late answer to the
  // first cannot pass for the answer to the second.
  Outcome Send(const CommandTarget &target, int kind, const void *params,
               std::chrono::milliseconds timeout);

 private:
  explicit Lan(platform::AdapterSource &adapters) : m_adapters(adapters) {}
  bool Open(std::string &error);

  static int OnDevice(SearchSession *session, const char *status, const void *data, void *user);
  static int OnAnswer(SearchSession *session, const char *status, const void *data, void *user);

  // The adapters searched from: the system's, or a view of one address of them that m_ownedSource
  // holds.
  platform::AdapterSource &m_adapters;
  std::unique_ptr<platform::AdapterSource> m_ownedSource;
  core::SessionHandle m_session;
  std::vector<std::string> m_pcAddresses;
  int m_port = 0;
  core::DeviceStore m_devices;
  bool m_renewBeforeNextCommand = false;

  std::mutex m_answerMutex;
  std::condition_variable m_answerArrived;
  std::deque<std::string> m_answers;  // Guarded by m_answerMutex.
};

// The text the user reads for an outcome; `accepted` is what an accepted command did.
std::string OutcomeText(Outcome outcome, const char *accepted, std::chrono::milliseconds timeout);

// The exit status for an outcome.
int OutcomeExitCode(Outcome outcome);

}  // namespace vf::cli
