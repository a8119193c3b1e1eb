// Reply handling on arbitrary datagrams, along the path a datagram takes in a
// running session: cut as the receive thread cuts it (to 2047 bytes, then at
// its first NUL), filtered by Client-ID, queued in the ring, swept by the
// worker into the pending-command table and both callbacks. One thread plays
// both engine threads on a session without sockets.
//
// The input is a series of chunks: one control byte, a two-byte length (little
// endian, cut to what remains), then that many bytes of datagram. Control bit
// 0 sends a command first (entering its request number in the pending table),
// bit 1 sweeps the ring after the datagram.
//
// Traps when the callbacks differ from what the literal rules expect (the
// record of the literal reading, each pending command answered at most once
// with its status), when a record's text field lacks its NUL, or when the
// announcement parser and the literal reading disagree on any cut datagram.
#include <sanitizer/asan_interface.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "announcement_oracle.h"
#include "session.h"
#include "wire_format.h"

namespace {

using namespace devsearch;

constexpr char kClientId[] = "QwErTyUiOpAsDfGhJkLzXcVbNmQwErTy";
constexpr char kDeviceId[] = "0123456789abcdef0123456789ABCDEF";

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

template <size_t N>
void CheckTerminated(const char (&field)[N]) {
  Check(std::memchr(field, '\0', N) != nullptr);
}

void CheckTextFields(const DeviceRecord &r) {
  CheckTerminated(r.deviceId);
  CheckTerminated(r.deviceModel);
  CheckTerminated(r.softwareVersion);
  CheckTerminated(r.webVersion);
  CheckTerminated(r.deviceName);
  CheckTerminated(r.httpPort);
  CheckTerminated(r.network.ipAddress);
  CheckTerminated(r.network.netmask);
  CheckTerminated(r.network.macAddress);
  CheckTerminated(r.network.gateway);
  CheckTerminated(r.network.primaryDns);
  CheckTerminated(r.network.secondaryDns);
  CheckTerminated(r.ddns.server);
  CheckTerminated(r.ddns.user);
  CheckTerminated(r.ddns.password);
  CheckTerminated(r.ddns.domain);
  CheckTerminated(r.identity.vendor);
  CheckTerminated(r.identity.product);
  CheckTerminated(r.identity.deviceType);
}

// One callback as it happened or as the rules expect it.
struct Report {
  std::string status;
  DeviceRecord record;  // Zero-filled for command answers.
  bool operator==(const Report &other) const {
    return status == other.status && std::memcmp(&record, &other.record, sizeof record) == 0;
  }
};

int Record(SearchSession *, const char *status, const void *data, void *user) {
  auto *reports = static_cast<std::vector<Report> *>(user);
  const auto &record = *static_cast<const DeviceRecord *>(data);
  CheckTextFields(record);
  reports->push_back({status, record});
  return 0;
}

// The session's queue and pending table as the rules describe them.
class Expectation {
 public:
  void Command(uint32_t cseq) {
    pending_[next_] = cseq;
    next_ = (next_ + 1) % kPendingSize;
  }
  // A datagram that passed the Client-ID test, queued at ring slot `slot`.
  void Queued(size_t slot, std::string text) { queue_.push_back({slot, std::move(text)}); }
  // The worker's sweep: slots in index order, which after the write position
  // wrapped is not the order of arrival.
  void Sweep(std::vector<Report> &out) {
    std::sort(queue_.begin(), queue_.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &entry : queue_) Handle(entry.second, out);
    queue_.clear();
  }
  size_t queued() const { return queue_.size(); }

 private:
  void Handle(std::string_view text, std::vector<Report> &out) {
    bool accepted = text.find("MCTP/1.0 200 OK") != std::string_view::npos;
    bool unauthorized =
        !accepted && text.find("QNS/1.0 401 Unauthorized") != std::string_view::npos;
    bool forbidden =
        !accepted && !unauthorized && text.find("QNS/1.0 403 Forbidden") != std::string_view::npos;
    if (accepted || unauthorized || forbidden) {
      auto value = wire::FindValue(text, "CSeq:");
      if (!value) return;
      uint32_t cseq = wire::ValueToCseq(*value);
      for (uint32_t &entry : pending_) {
        if (cseq == 0 || entry != cseq) continue;
        entry = 0;
        out.push_back({accepted ? "200" : unauthorized ? "401" : "403", DeviceRecord{}});
        return;
      }
      return;
    }
    Report report{"200", {}};
    if (vf::testing::ParseAnnouncementLiterally(text, &report.record)) out.push_back(report);
  }

  uint32_t pending_[kPendingSize] = {};
  size_t next_ = 0;
  std::vector<std::pair<size_t, std::string>> queue_;
};

// The parser against the literal reading on one cut datagram, whatever the
// worker would make of it.
void CompareParsers(std::string_view text) {
  DeviceRecord fast, literal;
  std::memset(&fast, 0xA5, sizeof fast);
  std::memset(&literal, 0x5A, sizeof literal);
  bool okFast = wire::ParseAnnouncement(text, &fast);
  Check(okFast == vf::testing::ParseAnnouncementLiterally(text, &literal));
  Check(std::memcmp(&fast, &literal, sizeof fast) == 0);
  CheckTextFields(fast);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  auto session = std::make_unique<SearchSession>();
  session->sendSockets.fill(net::kNoSocket);
  std::memcpy(session->clientId, kClientId, sizeof kClientId);
  std::vector<Report> reported, expected;
  DevSearch_SetSearchCallback(session.get(), Record, &reported);
  DevSearch_SetCommandCallback(session.get(), Record, &reported);
  Expectation rules;
  char port[] = "80";
  const CommandTarget target{kDeviceId, "admin", "admin"};

  while (size >= 3) {
    uint8_t control = data[0];
    size_t length = data[1] | (size_t{data[2]} << 8);
    data += 3;
    size -= 3;
    if (length > size) length = size;
    // The datagram in a block of exactly its size, so that ASan reports any
    // read past it.
    std::unique_ptr<char[]> datagram(new char[length]);
    std::memcpy(datagram.get(), data, length);
    data += length;
    size -= length;
    // And as the receive leaves it in a ring slot: what fits, cut one byte
    // short of the slot; the rest of the slot poisoned but for the one byte
    // after the datagram, where the receive thread may end the text.
    size_t kept = length < wire::kMaxDatagramText ? length : wire::kMaxDatagramText;
    auto *slot = new ReceiveSlot;
    std::memcpy(slot->text, datagram.get(), kept);
    ASAN_POISON_MEMORY_REGION(slot->text + kept + 1, sizeof slot->text - kept - 1);

    if (control & 1) {
      // No send socket is open: the command goes nowhere but is remembered.
      Check(DevSearch_SendCommand(session.get(), &target, CMD_HTTPPORT, port) == DEVSEARCH_OK);
      rules.Command(session->cseq.load());
    }
    // Room for one more in the ring, so that queueing never waits for a worker.
    if (rules.queued() == kRingSize - 1) {
      SweepRing(session.get());
      rules.Sweep(expected);
    }

    std::string_view text(datagram.get(), strnlen(datagram.get(), kept));
    CompareParsers(text);
    size_t position = session->ringWritePos;
    bool queued = AdmitDatagram(session.get(), slot, length);
    // The slot's text is what the worker will hand on.
    ASAN_UNPOISON_MEMORY_REGION(slot->text, sizeof slot->text);
    if (!text.empty() && wire::ClientIdMatches(text, kClientId)) {
      Check(queued && std::string_view(slot->text) == text);
      rules.Queued(position, std::string(text));
      Check(session->ringWritePos == (position + 1) % kRingSize);
    } else {
      Check(!queued && session->ringWritePos == position);
      delete slot;
    }

    if (control & 2) {
      SweepRing(session.get());
      rules.Sweep(expected);
      Check(reported == expected);
    }
  }
  SweepRing(session.get());
  rules.Sweep(expected);
  Check(reported == expected);
  return 0;
}
