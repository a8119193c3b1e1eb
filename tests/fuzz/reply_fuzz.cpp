// Reply handling on arbitrary datagrams: the input is cut as the receiver cuts
// a datagram (to 2047 bytes, then to its first NUL) and goes through every
// step the receive and worker threads apply. Traps when the fast announcement
// parser and the key-by-key reference disagree, or when a text field of the
// record is left without its terminating NUL.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "wire_format.h"

namespace {

using namespace devsearch::wire;

constexpr char kClientId[] = "QwErTyUiOpAsDfGhJkLzXcVbNmQwErTy";

template <size_t N>
void CheckTerminated(const char (&field)[N]) {
  if (std::memchr(field, '\0', N) == nullptr) __builtin_trap();
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // The receiver keeps at most kMaxDatagramText characters and reads them as
  // C text. The kept bytes are copied to a block of exactly their size, so
  // that ASan reports any read past the text the engine is given.
  size_t kept = size < kMaxDatagramText ? size : kMaxDatagramText;
  size_t length = strnlen(reinterpret_cast<const char *>(data), kept);
  std::unique_ptr<char[]> copy(new char[length]);
  std::memcpy(copy.get(), data, length);
  std::string_view text(copy.get(), length);

  volatile bool accepted = ClientIdMatches(text, kClientId);
  (void)accepted;

  ReplyKind kind = Classify(text);
  if (std::strlen(StatusText(kind)) != 3) __builtin_trap();

  if (auto cseq = FindValue(text, "CSeq:")) {
    // A non-empty value is a piece of the datagram itself.
    if (!cseq->empty() && (cseq->data() < text.data() ||
                           cseq->data() + cseq->size() > text.data() + text.size())) {
      __builtin_trap();
    }
    volatile uint32_t number = ValueToCseq(*cseq);
    (void)number;
  }

  // Both parsers run on every input, announcement or not, so that the
  // comparison also covers texts the worker would classify otherwise.
  DeviceRecord fast, byKeys;
  std::memset(&fast, 0xA5, sizeof fast);
  std::memset(&byKeys, 0x5A, sizeof byKeys);
  bool okFast = ParseAnnouncement(text, &fast);
  bool okKeys = ParseAnnouncementByKeys(text, &byKeys);
  if (okFast != okKeys) __builtin_trap();
  if (std::memcmp(&fast, &byKeys, sizeof fast) != 0) __builtin_trap();
  CheckTextFields(fast);
  return 0;
}
