// The text protocol on the wire: composing requests, reading values out of
// replies, telling reply kinds apart and parsing announcements. Pure functions
// over byte ranges; no sockets, no threads, no allocation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "devsearch.h"

namespace devsearch::wire {

// Every request is composed in a buffer of this size, so a request holds at
// most kRequestCapacity - 1 characters.
inline constexpr size_t kRequestCapacity = 1024;
// A received datagram is kept as text of at most this many characters.
inline constexpr size_t kMaxDatagramText = 2047;
inline constexpr size_t kClientIdLength = 32;
inline constexpr size_t kDeviceIdLength = 32;
// The CSeq counter starts again at 1 once it would reach this value.
inline constexpr uint32_t kCseqLimit = 4000000000u;

// Appends text to a fixed buffer and remembers whether anything did not fit;
// the buffer always stays NUL-terminated.
class TextWriter {
 public:
  TextWriter(char *buffer, size_t capacity);
  TextWriter &Put(std::string_view text);
  TextWriter &PutInt(int64_t value);
  size_t length() const { return m_length; }
  bool overflowed() const { return m_overflowed; }
  std::string_view text() const { return {m_buffer, m_length}; }

 private:
  char *m_buffer;
  size_t m_capacity;
  size_t m_length = 0;
  bool m_overflowed = false;
};

// The CSeq that follows `current`: one more, and 1 again once it would reach
// kCseqLimit, so 0 is never sent.
uint32_t NextCseq(uint32_t current);

// "SEARCH" request. Returns its length, or 0 when it does not fit.
size_t ComposeSearch(char *buffer, size_t capacity, uint32_t cseq, std::string_view clientId);

// The command line of one command kind ("netconf set -ipaddr …").
// Returns DEVSEARCH_OK, or DEVSEARCH_ERR_INVALID_ARG for an unknown kind, a
// text value holding CR or LF, or a line that does not fit.
int ComposeCommandLine(int kind, const void *params, TextWriter &out);

// "CMD" request around an already composed command line. The device id, user
// and password must hold no CR or LF (checked by the caller through
// HasLineBreak). Returns the request's length, or 0 when it does not fit.
size_t ComposeCommand(char *buffer, size_t capacity, uint32_t cseq, std::string_view clientId,
                      std::string_view user, std::string_view password, std::string_view deviceId,
                      std::string_view commandLine);

bool HasLineBreak(std::string_view text);

// A fixed-size text field read up to its NUL or its end, whichever comes first,
// so that a caller's unterminated field is never read past.
template <size_t N>
std::string_view FieldView(const char (&field)[N]) {
  size_t n = 0;
  while (n < N && field[n] != '\0') ++n;
  return {field, n};
}

// The value of `key` in `text`: found at the key's first occurrence anywhere
// (case-sensitive, not tied to a line start), ending before the next CR LF.
// A value that starts with a double quote loses that quote and its last
// character. nullopt when the key is missing or no CR LF follows it.
std::optional<std::string_view> FindValue(std::string_view text, std::string_view key);

// Integer reading of a value: leading white space, an optional sign, then
// digits; no digits gives 0. Only the first 31 characters take part; the
// result saturates at the int32 range.
int32_t ValueToInt(std::string_view value);

// The request number in a command reply's "CSeq:" value, read like an
// integer value but as the unsigned 32-bit counter it echoes: a negative echo
// is taken modulo 2^32, a number beyond 32 bits or none at all gives 0, which
// matches no request.
uint32_t ValueToCseq(std::string_view value);

// Copies a value into a fixed field, cut to the field's size minus one.
void FillField(std::string_view value, char *field, size_t fieldSize);

// Whether the datagram's "Client-ID:" value is exactly `clientId`.
bool ClientIdMatches(std::string_view datagram, std::string_view clientId);

enum class ReplyKind { kAccepted, kUnauthorized, kForbidden, kAnnouncement };

// The kind of a reply: the first of the three status texts found anywhere
// decides; none makes it an announcement.
ReplyKind Classify(std::string_view datagram);
// "200", "401" or "403".
const char *StatusText(ReplyKind kind);

// Parses an announcement into a zero-filled record. False when it carries no
// "Device-ID=" value, which drops it.
bool ParseAnnouncement(std::string_view datagram, DeviceRecord *record);

}  // namespace devsearch::wire
