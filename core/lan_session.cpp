#include "core/lan_session.h"

#include <future>
#include <utility>

#include "core/local_address_table.h"
#include "core/record_text.h"

namespace vf::core {
namespace {

// The PC's adapters as the engine sees them when it searches from one address only: that
// address, as the one adapter.
class OneAddressSource final : public platform::AdapterSource {
 public:
  OneAddressSource(platform::AdapterSource &all, std::string address)
      : m_all(all), m_address(std::move(address)) {}

  std::optional<std::vector<platform::Adapter>> ReadAdapters() override {
    auto adapters = m_all.ReadAdapters();
    if (!adapters) return adapters;
    for (platform::Adapter &adapter : *adapters) {
      for (const platform::AdapterAddress &address : adapter.addresses) {
        if (address.address != m_address) continue;
        platform::Adapter only = adapter;
        only.addresses = {address};
        return std::vector<platform::Adapter>{only};
      }
    }
    return std::vector<platform::Adapter>{};
  }

  std::optional<std::vector<std::string>> ReadDnsServers(std::uint32_t index) override {
    return m_all.ReadDnsServers(index);
  }

 private:
  platform::AdapterSource &m_all;
  std::string m_address;
};

std::vector<std::string> EveryAddress(platform::AdapterSource &adapters) {
  std::vector<std::string> addresses;
  if (const auto list = adapters.ReadAdapters()) {
    for (const platform::Adapter &adapter : *list) {
      for (const platform::AdapterAddress &address : adapter.addresses) {
        if (address.address != platform::kUnconfiguredAddress) {
          addresses.push_back(address.address);
        }
      }
    }
  }
  return addresses;
}

std::vector<std::string> SearchTable(platform::AdapterSource &adapters,
                                     char table[kLocalAddressSlots][kLocalAddressSize]) {
  const int count = CollectLocalAddresses(adapters, table);
  std::vector<std::string> addresses;
  for (int i = 0; i < count; ++i) addresses.emplace_back(table[i]);
  return addresses;
}

}  // namespace

// The command that awaits its answer.
struct LanSession::Pending {
  LanSession::AnswerHandler done;
  std::chrono::steady_clock::time_point deadline;
};

// An Update under way: what the port command needs once the settings are accepted.
struct LanSession::UpdateRun {
  std::string deviceId;
  std::string user;
  std::string password;
  std::string port;
  std::chrono::milliseconds timeout{};
  UpdateEvents events;
};

LanSession::LanSession(platform::AdapterSource &adapters, DeviceStore &devices,
                       std::string interfaceAddress)
    : m_adapters(adapters), m_devices(devices), m_interfaceAddress(std::move(interfaceAddress)) {
  if (!m_interfaceAddress.empty()) {
    m_oneAddress = std::make_unique<OneAddressSource>(adapters, m_interfaceAddress);
  }
  m_watch = std::thread([this] { Watch(); });
}

LanSession::~LanSession() {
  CloseEngine();
  {
    const std::lock_guard lock(m_mutex);
    m_stopping = true;
    m_pending.reset();
  }
  m_changed.notify_all();
  m_watch.join();
}

bool LanSession::Open() {
  CloseEngine();
  return StartEngine();
}

void LanSession::Close() {
  CloseEngine();
}

bool LanSession::IsOpen() const {
  return Engine() != nullptr;
}

SearchSession *LanSession::Engine() const {
  const std::lock_guard lock(m_mutex);
  return m_engine;
}

bool LanSession::StartEngine() {
  m_pcAddresses = EveryAddress(m_adapters);
  char table[kLocalAddressSlots][kLocalAddressSize] = {};
  m_searchAddresses = SearchTable(m_oneAddress ? *m_oneAddress : m_adapters, table);
  if (m_oneAddress && !IsLocalAddress(m_interfaceAddress)) return false;

  SearchSession *engine = nullptr;
  for (const int port : {kPort, kFallbackPort}) {
    if (DevSearch_Create(kGroupAddress, port, kSendTimeoutSec, &engine) == DEVSEARCH_OK &&
        engine != nullptr) {
      m_port = port;
      break;
    }
    engine = nullptr;
  }
  if (engine == nullptr) return false;

  // With no address the engine refuses the table; searches then find nothing.
  if (!m_searchAddresses.empty()) {
    DevSearch_SetLocalAddresses(table, static_cast<int>(m_searchAddresses.size()));
  }
  if (DevSearch_SetSearchCallback(engine, &LanSession::EngineAnnouncement, this) != DEVSEARCH_OK ||
      DevSearch_SetCommandCallback(engine, &LanSession::EngineAnswer, this) != DEVSEARCH_OK) {
    DevSearch_Destroy(engine);
    m_port = 0;
    return false;
  }
  const std::lock_guard lock(m_mutex);
  m_engine = engine;
  m_renewBeforeNextCommand = false;
  return true;
}

void LanSession::CloseEngine() {
  SearchSession *engine = nullptr;
  {
    const std::lock_guard lock(m_mutex);
    engine = std::exchange(m_engine, nullptr);
  }
  // Joins the engine's threads: no callback of it runs after this.
  if (engine != nullptr) DevSearch_Destroy(engine);
  m_port = 0;
}

bool LanSession::InterfaceIsLocal() const {
  return m_interfaceAddress.empty() || IsLocalAddress(m_interfaceAddress);
}

bool LanSession::IsLocalAddress(const std::string &address) const {
  for (const std::string &local : m_pcAddresses) {
    if (local == address) return true;
  }
  return false;
}

LanSession::Refresh LanSession::RefreshAddresses() {
  if (CommandPending()) return Refresh::Busy;
  std::vector<std::string> pcAddresses = EveryAddress(m_adapters);
  char table[kLocalAddressSlots][kLocalAddressSize] = {};
  const std::vector<std::string> searched =
      SearchTable(m_oneAddress ? *m_oneAddress : m_adapters, table);
  // An engine that could not start is tried again only on new addresses, which may be why.
  const bool changed = searched != m_searchAddresses;
  m_pcAddresses = std::move(pcAddresses);
  if (!changed) return Refresh::Unchanged;
  return Open() ? Refresh::Renewed : Refresh::Failed;
}

int LanSession::Search() {
  m_devices.Clear();
  return SearchAgain();
}

int LanSession::SearchAgain() {
  // Without an engine this reports an invalid argument, as the engine does for a null session.
  return DevSearch_Search(Engine());
}

int LanSession::Collect(const SearchSettings &settings) {
  const int first = Search();
  int result = first;
  for (int i = 1; i < settings.repeat && result == DEVSEARCH_OK; ++i) {
    std::this_thread::sleep_for(settings.spacing);
    result = SearchAgain();
  }
  if (first == DEVSEARCH_OK) std::this_thread::sleep_for(settings.wait);
  // Announcements after the cycle are not kept.
  m_devices.Close();
  return first;
}

bool LanSession::CommandPending() const {
  const std::lock_guard lock(m_mutex);
  return m_pending != nullptr || m_updateRunning;
}

bool LanSession::RenewIfDue() {
  {
    const std::lock_guard lock(m_mutex);
    if (!m_renewBeforeNextCommand) return m_engine != nullptr;
  }
  // A new engine session has a new identity on the wire; its first search opens its sockets.
  // Whatever answers that search is not kept: the store holds the devices the user chose from.
  const bool closed = m_devices.IsClosed();
  if (!Open()) return false;
  const bool searched = SearchAgain() == DEVSEARCH_OK;
  if (closed) m_devices.Close();
  return searched;
}

Dispatch LanSession::Send(const CommandTarget &target, int kind, const void *params,
                          std::chrono::milliseconds timeout, AnswerHandler done) {
  if (CommandPending()) return Dispatch::Busy;
  if (!RenewIfDue()) return Dispatch::NotSent;
  std::unique_lock lock(m_mutex);
  return SendLocked(lock, target, kind, params, timeout, std::move(done));
}

Dispatch LanSession::SendLocked(std::unique_lock<std::mutex> &lock, const CommandTarget &target,
                                int kind, const void *params, std::chrono::milliseconds timeout,
                                AnswerHandler done) {
  if (m_pending != nullptr) return Dispatch::Busy;
  if (m_engine == nullptr) return Dispatch::NotSent;
  // In place before the request leaves, since the answer may come before the send returns; its
  // time runs from when the send is done, which may itself wait for a socket.
  m_pending = std::make_unique<Pending>(
      Pending{std::move(done), std::chrono::steady_clock::time_point::max()});
  const Pending *sent = m_pending.get();
  SearchSession *engine = m_engine;
  lock.unlock();
  const int result = DevSearch_SendCommand(engine, &target, kind, params);
  lock.lock();
  if (m_pending.get() != sent) return Dispatch::Sent;  // answered already
  if (result != DEVSEARCH_OK) {
    m_pending.reset();
    return Dispatch::NotSent;
  }
  m_pending->deadline = std::chrono::steady_clock::now() + timeout;
  m_changed.notify_all();  // the watch learns the deadline
  return Dispatch::Sent;
}

Outcome LanSession::SendAndWait(const CommandTarget &target, int kind, const void *params,
                                std::chrono::milliseconds timeout) {
  auto outcome = std::make_shared<std::promise<Outcome>>();
  std::future<Outcome> answered = outcome->get_future();
  const Dispatch dispatch = Send(target, kind, params, timeout,
                                 [outcome](Outcome result) { outcome->set_value(result); });
  if (dispatch != Dispatch::Sent) return Outcome::NotSent;
  return answered.get();
}

void LanSession::OnAnnouncement(const DeviceRecord &record) {
  m_devices.Record(record);
}

void LanSession::OnCommandAnswer(std::string_view status) {
  std::unique_ptr<Pending> answered;
  {
    const std::lock_guard lock(m_mutex);
    answered = std::move(m_pending);
  }
  // An answer nothing waits for (after its time-out) is dropped.
  if (answered != nullptr) answered->done(OutcomeOfStatus(status));
}

void LanSession::Watch() {
  std::unique_lock lock(m_mutex);
  while (!m_stopping) {
    // Nothing awaits an answer, or the command is still being sent: no time runs yet.
    if (m_pending == nullptr ||
        m_pending->deadline == std::chrono::steady_clock::time_point::max()) {
      m_changed.wait(lock);
      continue;
    }
    const auto deadline = m_pending->deadline;
    if (m_changed.wait_until(lock, deadline) != std::cv_status::timeout) continue;
    if (m_pending == nullptr || m_pending->deadline != deadline) continue;
    std::unique_ptr<Pending> expired = std::move(m_pending);
    m_renewBeforeNextCommand = true;
    lock.unlock();
    expired->done(Outcome::NoAnswer);
    lock.lock();
  }
}

Dispatch LanSession::StartUpdate(const DeviceRecord &device, const std::string &user,
                                 const std::string &password, const NetworkChange &change,
                                 std::chrono::milliseconds timeout, UpdateEvents events) {
  auto run = std::make_shared<UpdateRun>();
  run->deviceId = FieldText(device.deviceId);
  run->user = user;
  run->password = password;
  if (change.portCommand) run->port = change.portCommand->Text();
  run->timeout = timeout;
  run->events = std::move(events);

  if (CommandPending()) return Dispatch::Busy;
  if (!RenewIfDue()) return Dispatch::NotSent;
  const CommandTarget target{run->deviceId.c_str(), run->user.c_str(), run->password.c_str()};
  std::unique_lock lock(m_mutex);
  m_updateRunning = true;
  const Dispatch dispatch = SendLocked(lock, target, CMD_NETCONF, &change.settings, timeout,
                                       [this, run](Outcome outcome) {
                                         if (outcome == Outcome::Accepted && !run->port.empty()) {
                                           SendPortCommand(run);
                                           return;
                                         }
                                         {
                                           const std::lock_guard done(m_mutex);
                                           m_updateRunning = false;
                                         }
                                         run->events.finished({outcome, false});
                                       });
  if (dispatch != Dispatch::Sent) m_updateRunning = false;
  return dispatch;
}

void LanSession::SendPortCommand(const std::shared_ptr<UpdateRun> &run) {
  const CommandTarget target{run->deviceId.c_str(), run->user.c_str(), run->password.c_str()};
  const auto finish = [this, run](Outcome outcome) {
    {
      const std::lock_guard done(m_mutex);
      m_updateRunning = false;
    }
    run->events.finished({outcome, true});
  };
  std::unique_lock lock(m_mutex);
  const Dispatch dispatch =
      SendLocked(lock, target, CMD_HTTPPORT, run->port.c_str(), run->timeout, finish);
  lock.unlock();
  if (dispatch != Dispatch::Sent) {
    finish(Outcome::NotSent);
    return;
  }
  if (run->events.restarting) run->events.restarting();
}

UpdateResult LanSession::RunUpdate(const DeviceRecord &device, const std::string &user,
                                   const std::string &password, const NetworkChange &change,
                                   std::chrono::milliseconds timeout) {
  auto result = std::make_shared<std::promise<UpdateResult>>();
  std::future<UpdateResult> finished = result->get_future();
  UpdateEvents events;
  events.finished = [result](const UpdateResult &end) { result->set_value(end); };
  if (StartUpdate(device, user, password, change, timeout, std::move(events)) != Dispatch::Sent) {
    return {};
  }
  return finished.get();
}

int LanSession::EngineAnnouncement(SearchSession *, const char *, const void *data, void *user) {
  if (user != nullptr && data != nullptr) {
    static_cast<LanSession *>(user)->OnAnnouncement(*static_cast<const DeviceRecord *>(data));
  }
  return 0;
}

int LanSession::EngineAnswer(SearchSession *, const char *status, const void *, void *user) {
  if (user != nullptr && status != nullptr)
    static_cast<LanSession *>(user)->OnCommandAnswer(status);
  return 0;
}

}  // namespace vf::core
