#include "lan.h"

#include <cstring>
#include <thread>

#include "core/messages.h"
#include "core/protocol.h"
#include "core/update_checks.h"
#include "exit_codes.h"

namespace vf::cli {
namespace {

// The PC's adapters as the engine should see them when the search goes out from one address
// only: that address, as the one adapter.
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

  std::optional<std::vector<std::string>> ReadDnsServers(uint32_t index) override {
    return m_all.ReadDnsServers(index);
  }

 private:
  platform::AdapterSource &m_all;
  std::string m_address;
};

std::vector<std::string> EveryAddress(platform::AdapterSource &adapters) {
  std::vector<std::string> addresses;
  if (auto list = adapters.ReadAdapters()) {
    for (const platform::Adapter &adapter : *list) {
      for (const platform::AdapterAddress &address : adapter.addresses) {
        addresses.push_back(address.address);
      }
    }
  }
  return addresses;
}

std::string Seconds(std::chrono::milliseconds duration) {
  const long long ms = duration.count();
  std::string text = std::to_string(ms / 1000);
  if (ms % 1000 != 0) {
    char fraction[8];
    std::snprintf(fraction, sizeof fraction, ".%03lld", ms % 1000);
    std::string digits = fraction;
    while (digits.back() == '0') digits.pop_back();
    text += digits;
  }
  return text + " s";
}

}  // namespace

Lan::~Lan() {
  // The session goes first: no callback may run on the members below once they are gone.
  m_session.reset();
}

std::unique_ptr<Lan> Lan::Start(platform::AdapterSource &adapters,
                                const std::string &interfaceAddress, std::string &error) {
  std::unique_ptr<platform::AdapterSource> filtered;
  platform::AdapterSource *source = &adapters;
  std::vector<std::string> pcAddresses = EveryAddress(adapters);
  if (!interfaceAddress.empty()) {
    if (!core::IsLocalAddress(interfaceAddress, pcAddresses)) {
      error = interfaceAddress + " is not an address of this PC.";
      return nullptr;
    }
    filtered = std::make_unique<OneAddressSource>(adapters, interfaceAddress);
    source = filtered.get();
  }
  std::unique_ptr<Lan> lan(new Lan(*source));
  lan->m_pcAddresses = std::move(pcAddresses);
  lan->m_ownedSource = std::move(filtered);
  if (!lan->Open(error)) return nullptr;
  return lan;
}

bool Lan::Open(std::string &error) {
  m_session.reset();
  core::SessionStart start = core::StartSession(m_adapters, &Lan::OnDevice, &Lan::OnAnswer, this);
  m_session.reset(start.session);
  m_port = start.port;
  if (!start.ready) {
    error = core::text::kInitFailed;
    return false;
  }
  return true;
}

int Lan::Search(const SearchSettings &settings) {
  m_devices.Clear();
  int first = DEVSEARCH_OK;
  for (int i = 0; i < settings.repeat; ++i) {
    if (i > 0) std::this_thread::sleep_for(settings.spacing);
    const int result = DevSearch_Search(m_session.get());
    if (i == 0) first = result;
    if (result != DEVSEARCH_OK) break;
  }
  if (first == DEVSEARCH_OK) std::this_thread::sleep_for(settings.wait);
  // Announcements after the cycle are not kept: later searches of a renewed session only open
  // its sockets.
  m_devices.Close();
  return first;
}

Outcome Lan::Send(const CommandTarget &target, int kind, const void *params,
                  std::chrono::milliseconds timeout) {
  if (m_renewBeforeNextCommand) {
    std::string error;
    // A new session has a new identity on the wire; its first search opens its sockets.
    if (!Open(error) || DevSearch_Search(m_session.get()) != DEVSEARCH_OK) return Outcome::NotSent;
    m_renewBeforeNextCommand = false;
  }
  std::unique_lock lock(m_answerMutex);
  m_answers.clear();
  lock.unlock();
  if (DevSearch_SendCommand(m_session.get(), &target, kind, params) != DEVSEARCH_OK) {
    return Outcome::NotSent;
  }
  lock.lock();
  if (!m_answerArrived.wait_for(lock, timeout, [this] { return !m_answers.empty(); })) {
    m_renewBeforeNextCommand = true;
    return Outcome::NoAnswer;
  }
  const std::string status = m_answers.front();
  m_answers.pop_front();
  if (status.find(core::kStatusAccepted) != std::string::npos) return Outcome::Accepted;
  if (status.find(core::kStatusUnauthorized) != std::string::npos) return Outcome::Unauthorized;
  return Outcome::Forbidden;
}

int Lan::OnDevice(SearchSession *, const char *, const void *data, void *user) {
  if (user == nullptr || data == nullptr) return 0;
  static_cast<Lan *>(user)->m_devices.Record(*static_cast<const DeviceRecord *>(data));
  return 0;
}

int Lan::OnAnswer(SearchSession *, const char *status, const void *, void *user) {
  if (user == nullptr || status == nullptr) return 0;
  auto *self = static_cast<Lan *>(user);
  {
    const std::lock_guard lock(self->m_answerMutex);
    self->m_answers.emplace_back(status);
  }
  self->m_answerArrived.notify_one();
  return 0;
}

std::string OutcomeText(Outcome outcome, const char *accepted, std::chrono::milliseconds timeout) {
  switch (outcome) {
    case Outcome::Accepted:
      return accepted;
    case Outcome::Unauthorized:
      return core::text::kWrongAccount;
    case Outcome::Forbidden:
      return core::text::kRefused;
    case Outcome::NoAnswer:
      return "No answer from the device within " + Seconds(timeout) + ".";
    case Outcome::NotSent:
      return core::text::kNotSent;
  }
  return {};
}

int OutcomeExitCode(Outcome outcome) {
  switch (outcome) {
    case Outcome::Accepted:
      return kExitSuccess;
    case Outcome::Unauthorized:
      return kExitUnauthorized;
    case Outcome::Forbidden:
      return kExitForbidden;
    case Outcome::NoAnswer:
      return kExitNoAnswer;
    case Outcome::NotSent:
      return kExitFailure;
  }
  return kExitFailure;
}

}  // namespace vf::cli
