#include "wire_format.h"

#include <array>
#include <bit>
#include <climits>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace devsearch::wire {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kEmptyAddress = "0.0.0.0";

// ---- TextWriter helpers -----------------------------------------------------

std::string_view CStringView(const char *text, size_t limit) {
  if (text == nullptr) return {};
  return {text, strnlen(text, limit)};
}

// ---- Announcement keys ------------------------------------------------------

enum class FieldType : uint8_t { kText, kAddress, kInt };

struct KeySpec {
  std::string_view key;  // Includes its '='.
  FieldType type;
  size_t offset;  // Of the field inside DeviceRecord.
  size_t size;    // Of the field, in bytes.
};

#define VF_FIELD(member) offsetof(DeviceRecord, member), sizeof(DeviceRecord::member)
#define VF_NET(member)                                                 \
  offsetof(DeviceRecord, network) + offsetof(NetworkSettings, member), \
      sizeof(NetworkSettings::member)
#define VF_DDNS(member) \
  offsetof(DeviceRecord, ddns) + offsetof(DdnsSettings, member), sizeof(DdnsSettings::member)
#define VF_ID(member)                                                  \
  offsetof(DeviceRecord, identity) + offsetof(VendorIdentity, member), \
      sizeof(VendorIdentity::member)

// Device-ID= comes first: without it the announcement is dropped.
constexpr KeySpec kKeys[] = {
    {"Device-ID=", FieldType::kText, VF_FIELD(deviceId)},
    {"IP=", FieldType::kAddress, VF_NET(ipAddress)},
    {"Device-Name=", FieldType::kText, VF_FIELD(deviceName)},
    {"Http-Port=", FieldType::kText, VF_FIELD(httpPort)},
    {"Software-Version=", FieldType::kText, VF_FIELD(softwareVersion)},
    {"Device-Model=", FieldType::kText, VF_FIELD(deviceModel)},
    {"MAC=", FieldType::kText, VF_NET(macAddress)},
    {"MASK=", FieldType::kAddress, VF_NET(netmask)},
    {"Gateway=", FieldType::kAddress, VF_NET(gateway)},
    {"Fdns=", FieldType::kAddress, VF_NET(primaryDns)},
    {"Sdns=", FieldType::kAddress, VF_NET(secondaryDns)},
    {"Dhcp=", FieldType::kInt, VF_NET(dhcp)},
    {"Ddns=", FieldType::kInt, VF_NET(dnsStat)},
    {"Web-Version=", FieldType::kText, VF_FIELD(webVersion)},
    {"DDNS-Enable=", FieldType::kInt, VF_DDNS(enable)},
    {"DDNS-Host=", FieldType::kText, VF_DDNS(server)},
    {"DDNS-Port=", FieldType::kInt, VF_DDNS(port)},
    {"DDNS-User=", FieldType::kText, VF_DDNS(user)},
    {"DDNS-Passwd=", FieldType::kText, VF_DDNS(password)},
    {"DDNS-Domain=", FieldType::kText, VF_DDNS(domain)},
    {"C_Vendor=", FieldType::kText, VF_ID(vendor)},
    {"C_Product=", FieldType::kText, VF_ID(product)},
    {"Device-Type=", FieldType::kText, VF_ID(deviceType)},
};
constexpr size_t kKeyCount = sizeof(kKeys) / sizeof(kKeys[0]);

#undef VF_FIELD
#undef VF_NET
#undef VF_DDNS
#undef VF_ID

static_assert(kKeyCount < 32, "found-key mask is 32 bits");

// The value that starts right after a key: it ends before the next CR LF, and
// a leading double quote takes the value's last character with it.
std::optional<std::string_view> ValueAt(std::string_view text, size_t start) {
  size_t end = text.find(kLineEnd, start);
  if (end == std::string_view::npos) return std::nullopt;
  std::string_view value = text.substr(start, end - start);
  if (!value.empty() && value.front() == '"') {
    // A lone quote leaves nothing; substr keeps the pointer valid either way.
    value = value.substr(1, value.size() >= 2 ? value.size() - 2 : 0);
  }
  return value;
}

// ---- Fast key matching ------------------------------------------------------

constexpr uint32_t kAllKeys = (1u << kKeyCount) - 1;

// Eight bytes of text as a word in the machine's byte order; the key words
// below are built in the same order, so a word compare is a byte compare.
uint64_t LoadWord(const char *at) {
  uint64_t word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

constexpr uint64_t WordOf(const std::array<unsigned char, 8> &bytes) {
  uint64_t word = 0;
  for (size_t i = 0; i < 8; ++i) {
    size_t shift = std::endian::native == std::endian::little ? 8 * i : 8 * (7 - i);
    word |= uint64_t{bytes[i]} << shift;
  }
  return word;
}

// A key ready for comparing at an '=' sign: `tail` is the word that ends at
// its '=' (a key shorter than eight bytes sits at the word's end, `tailMask`
// keeping only its bytes), `head` is its first eight bytes.
struct Candidate {
  uint64_t tail = 0;
  uint64_t tailMask = 0;
  uint64_t head = 0;
  uint8_t length = 0;  // Of the key, '=' included.
  uint8_t key = 0;     // Index into kKeys.
};

// Candidates grouped by the character before their '=': every occurrence of
// a key ends in '=', so a scan over the '=' signs meets each key's first
// occurrence first, and only the few candidates of one group need comparing at
// each sign. Group c is candidates[first[c]] up to candidates[first[c + 1]].
struct KeyIndex {
  std::array<Candidate, kKeyCount> candidates{};
  std::array<uint8_t, 257> first{};
};

constexpr KeyIndex MakeKeyIndex() {
  KeyIndex index{};
  auto lastOf = [](size_t k) {
    return static_cast<unsigned char>(kKeys[k].key[kKeys[k].key.size() - 2]);
  };
  size_t next = 0;
  for (size_t c = 0; c < 256; ++c) {
    index.first[c] = static_cast<uint8_t>(next);
    for (size_t k = 0; k < kKeyCount; ++k) {
      if (lastOf(k) != c) continue;
      std::string_view key = kKeys[k].key;
      size_t length = key.size();
      std::array<unsigned char, 8> tail{}, mask{}, head{};
      for (size_t i = 0; i < 8; ++i) {
        // Byte i of the word that ends at the '=' is key byte length - 8 + i.
        if (i + length >= 8) {
          tail[i] = static_cast<unsigned char>(key[i + length - 8]);
          mask[i] = 0xFF;
        }
        if (i < length) head[i] = static_cast<unsigned char>(key[i]);
      }
      index.candidates[next++] = {WordOf(tail), WordOf(mask), WordOf(head),
                                  static_cast<uint8_t>(length), static_cast<uint8_t>(k)};
    }
  }
  index.first[256] = static_cast<uint8_t>(next);
  return index;
}
constexpr KeyIndex kKeyIndex = MakeKeyIndex();

// Whether candidate `c` ends with the '=' at data[eq]; `tail` holds the 8
// bytes ending there when eq >= 7. Reads only the bytes the key would cover.
inline bool KeyEndsAt(const char *data, size_t eq, uint64_t tail, const Candidate &c) {
  size_t length = c.length;
  if (eq + 1 < length) return false;
  const char *start = data + eq + 1 - length;
  const char *key = kKeys[c.key].key.data();
  // Too near the start of the text for a word ending at the '='.
  if (eq < 7) return std::memcmp(start, key, length) == 0;
  if ((tail & c.tailMask) != c.tail) return false;
  if (length <= 8) return true;
  if (LoadWord(start) != c.head) return false;
  if (length <= 16) return true;
  // Only the middle of a long key is left: bytes 8 up to its last eight.
  return std::memcmp(start + 8, key + 8, length - 16) == 0;
}

// Where the CR LF ending a value that starts at `start` is, or size when none
// follows. Values are short, so one 16-byte block usually settles it.
inline size_t LineEndFrom(const char *data, size_t size, size_t start) {
  size_t pos = start;
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r');
  for (; pos + 16 <= size; pos += 16) {
    __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + pos));
    auto bits = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, cr)));
    for (; bits != 0; bits &= bits - 1) {
      size_t at = pos + static_cast<size_t>(__builtin_ctz(bits));
      if (at + 1 < size && data[at + 1] == '\n') return at;
    }
  }
#endif
  for (; pos + 1 < size; ++pos) {
    if (data[pos] == '\r' && data[pos + 1] == '\n') return pos;
  }
  return size;
}

// ValueAt over raw bytes: the same value, without string_view::find.
inline std::optional<std::string_view> ValueFrom(const char *data, size_t size, size_t start) {
  size_t end = LineEndFrom(data, size, start);
  if (end == size) return std::nullopt;
  std::string_view value(data + start, end - start);
  if (!value.empty() && value.front() == '"') {
    value = value.substr(1, value.size() >= 2 ? value.size() - 2 : 0);
  }
  return value;
}

void StoreValue(const KeySpec &entry, std::string_view value, DeviceRecord *record) {
  auto *base = reinterpret_cast<char *>(record);
  switch (entry.type) {
    case FieldType::kText:
      FillField(value, base + entry.offset, entry.size);
      break;
    case FieldType::kAddress:
      FillField(value.empty() ? kEmptyAddress : value, base + entry.offset, entry.size);
      break;
    case FieldType::kInt: {
      int32_t number = ValueToInt(value);
      std::memcpy(base + entry.offset, &number, sizeof number);
      break;
    }
  }
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

// ---- TextWriter -------------------------------------------------------------

TextWriter::TextWriter(char *buffer, size_t capacity) : m_buffer(buffer), m_capacity(capacity) {
  if (m_capacity > 0)
    m_buffer[0] = '\0';
  else
    m_overflowed = true;
}

TextWriter &TextWriter::Put(std::string_view text) {
  // An empty view may carry a null pointer, which memcpy must never see.
  if (m_overflowed || text.empty()) return *this;
  if (text.size() >= m_capacity - m_length) {
    m_overflowed = true;
    return *this;
  }
  std::memcpy(m_buffer + m_length, text.data(), text.size());
  m_length += text.size();
  m_buffer[m_length] = '\0';
  return *this;
}

TextWriter &TextWriter::PutInt(int64_t value) {
  char digits[24];
  size_t n = 0;
  // Work on the magnitude as unsigned so that INT64_MIN has one too.
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  do {
    digits[sizeof digits - 1 - n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) digits[sizeof digits - 1 - n++] = '-';
  return Put({digits + sizeof digits - n, n});
}

// ---- Requests ---------------------------------------------------------------

uint32_t NextCseq(uint32_t current) {
  uint32_t next = current + 1;
  return (next >= kCseqLimit || next == 0) ? 1 : next;
}

size_t ComposeSearch(char *buffer, size_t capacity, uint32_t cseq, std::string_view clientId) {
  TextWriter out(buffer, capacity);
  out.Put("SEARCH * QNS/1.0\r\n")
      .Put("CSeq:")
      .PutInt(cseq)
      .Put(kLineEnd)
      .Put("Client-ID:")
      .Put(clientId)
      .Put(kLineEnd)
      .Put("Accept-Type:text/QNP\r\n")
      .Put("Content-Length:0\r\n\r\n");
  return out.overflowed() ? 0 : out.length();
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

int ComposeCommandLine(int kind, const void *params, TextWriter &out) {
  if (params == nullptr) return DEVSEARCH_ERR_INVALID_ARG;
  bool unsafe = false;
  // Every text value goes in unchanged; one holding a line break would end the
  // request early and let the rest pass as headers, so it refuses the command.
  auto value = [&](std::string_view text) -> std::string_view {
    unsafe = unsafe || HasLineBreak(text);
    return text;
  };

  switch (kind) {
    case CMD_NETCONF: {
      const auto &n = *static_cast<const NetworkSettings *>(params);
      out.Put("netconf set -ipaddr ").Put(value(FieldView(n.ipAddress)));
      out.Put(" -netmask ").Put(value(FieldView(n.netmask)));
      out.Put(" -gateway ").Put(value(FieldView(n.gateway)));
      out.Put(" -dhcp ").Put(n.dhcp == 1 ? "on" : "off");
      out.Put(" -fdnsip ").Put(value(FieldView(n.primaryDns)));
      out.Put(" -sdnsip ").Put(value(FieldView(n.secondaryDns)));
      out.Put(" -dnsstat ").PutInt(n.dnsStat);
      out.Put(" -hwaddr ").Put(value(FieldView(n.macAddress)));
      break;
    }
    case CMD_HTTPPORT:
      out.Put("httpport set -httpport ")
          .Put(value(CStringView(static_cast<const char *>(params), kRequestCapacity)));
      break;
    case CMD_DDNSSET: {
      const auto &d = *static_cast<const DdnsSettings *>(params);
      out.Put("ddnsset set -our_enable ").PutInt(d.enable);
      out.Put(" -our_server ").Put(value(FieldView(d.server)));
      out.Put(" -our_port ").PutInt(d.port);
      out.Put(" -our_uname ").Put(value(FieldView(d.user)));
      out.Put(" -our_passwd ").Put(value(FieldView(d.password)));
      out.Put(" -our_domain ").Put(value(FieldView(d.domain)));
      break;
    }
    case CMD_DEVIDSET:
      out.Put("devidset set -devid ")
          .Put(value(CStringView(static_cast<const char *>(params), kRequestCapacity)));
      break;
    case CMD_IDENTIFYSET: {
      const auto &v = *static_cast<const VendorIdentity *>(params);
      out.Put("identifyset set -cvendor ").Put(value(FieldView(v.vendor)));
      out.Put(" -cproduct ").Put(value(FieldView(v.product)));
      out.Put(" -product ").Put(value(FieldView(v.deviceType)));
      break;
    }
    default:
      return DEVSEARCH_ERR_INVALID_ARG;
  }
  return (unsafe || out.overflowed()) ? DEVSEARCH_ERR_INVALID_ARG : DEVSEARCH_OK;
}

size_t ComposeCommand(char *buffer, size_t capacity, uint32_t cseq, std::string_view clientId,
                      std::string_view user, std::string_view password, std::string_view deviceId,
                      std::string_view commandLine) {
  TextWriter out(buffer, capacity);
  out.Put("CMD * QNS/1.0\r\n")
      .Put("CSeq:")
      .PutInt(cseq)
      .Put(kLineEnd)
      .Put("Client-ID:")
      .Put(clientId)
      .Put(kLineEnd)
      .Put("Accept-Type:text/QNP\r\n")
      .Put("Authorization:Basic ")
      .Put(user)
      .Put(":")
      .Put(password)
      .Put(kLineEnd)
      .Put("Device-ID:")
      .Put(deviceId)
      .Put(kLineEnd)
      .Put("Content-Length:")
      .PutInt(static_cast<int64_t>(commandLine.size()))
      .Put("\r\n\r\n")
      .Put(commandLine)
      .Put("\r\n\r\n");
  return out.overflowed() ? 0 : out.length();
}

// ---- Reading values ---------------------------------------------------------

std::optional<std::string_view> FindValue(std::string_view text, std::string_view key) {
  if (text.empty() || key.empty()) return std::nullopt;
  size_t at = text.find(key);
  if (at == std::string_view::npos) return std::nullopt;
  return ValueAt(text, at + key.size());
}

int32_t ValueToInt(std::string_view value) {
  value = value.substr(0, 31);
  size_t i = 0;
  while (i < value.size() && IsSpace(value[i])) ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == '+' || value[i] == '-')) negative = value[i++] == '-';
  int64_t magnitude = 0;
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (value[i] - '0');
    if (magnitude > static_cast<int64_t>(INT32_MAX) + 1) break;  // Saturates below.
  }
  int64_t number = negative ? -magnitude : magnitude;
  if (number > INT32_MAX) return INT32_MAX;
  if (number < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(number);
}

uint32_t ValueToCseq(std::string_view value) {
  value = value.substr(0, 31);
  size_t i = 0;
  while (i < value.size() && IsSpace(value[i])) ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == '+' || value[i] == '-')) negative = value[i++] == '-';
  constexpr int64_t kLimit = int64_t{1} << 32;
  int64_t magnitude = 0;
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (value[i] - '0');
    if (magnitude >= kLimit) return 0;
  }
  if (negative) {
    // A peer that echoes the number as a signed 32-bit value sends this form.
    if (magnitude > (int64_t{1} << 31)) return 0;
    return static_cast<uint32_t>(kLimit - magnitude);
  }
  return static_cast<uint32_t>(magnitude);
}

void FillField(std::string_view value, char *field, size_t fieldSize) {
  if (fieldSize == 0) return;
  size_t n = value.size() < fieldSize - 1 ? value.size() : fieldSize - 1;
  if (n > 0) std::memcpy(field, value.data(), n);
  field[n] = '\0';
}

bool ClientIdMatches(std::string_view datagram, std::string_view clientId) {
  auto value = FindValue(datagram, "Client-ID:");
  return value.has_value() && !clientId.empty() && *value == clientId;
}

// ---- Replies ----------------------------------------------------------------

ReplyKind Classify(std::string_view datagram) {
  if (datagram.find("MCTP/1.0 200 OK") != std::string_view::npos) return ReplyKind::kAccepted;
  if (datagram.find("QNS/1.0 401 Unauthorized") != std::string_view::npos) {
    return ReplyKind::kUnauthorized;
  }
  if (datagram.find("QNS/1.0 403 Forbidden") != std::string_view::npos) {
    return ReplyKind::kForbidden;
  }
  return ReplyKind::kAnnouncement;
}

const char *StatusText(ReplyKind kind) {
  switch (kind) {
    case ReplyKind::kUnauthorized:
      return "401";
    case ReplyKind::kForbidden:
      return "403";
    default:
      return "200";
  }
}

bool ParseAnnouncement(std::string_view datagram, DeviceRecord *record) {
  std::memset(record, 0, sizeof *record);
  const char *data = datagram.data();
  size_t size = datagram.size();
  size_t valueStart[kKeyCount];
  uint32_t found = 0;

  // Every occurrence of a key ends in '=', so visiting the '=' signs in order
  // meets each key's first occurrence first. At each sign only the keys of its
  // bucket that are still missing get compared.
  auto visit = [&](size_t eq) {
    if (eq == 0) return;
    auto before = static_cast<unsigned char>(data[eq - 1]);
    size_t begin = kKeyIndex.first[before], end = kKeyIndex.first[before + 1];
    if (begin == end) return;
    // The 8 bytes ending at the '=' serve every candidate of the group; a sign
    // that close to the start goes through KeyEndsAt's byte compare instead.
    uint64_t tail = eq >= 7 ? LoadWord(data + eq - 7) : 0;
    for (size_t j = begin; j < end; ++j) {
      const Candidate &c = kKeyIndex.candidates[j];
      size_t k = c.key;
      if (found & (1u << k)) continue;
      if (!KeyEndsAt(data, eq, tail, c)) continue;
      found |= 1u << k;
      valueStart[k] = eq + 1;
    }
  };

  size_t pos = 0;
#if defined(__SSE2__)
  const __m128i equals = _mm_set1_epi8('=');
  for (; pos + 16 <= size && found != kAllKeys; pos += 16) {
    __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + pos));
    auto bits = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, equals)));
    for (; bits != 0; bits &= bits - 1) visit(pos + static_cast<size_t>(__builtin_ctz(bits)));
  }
#endif
  // The last partial block (or all of the text without SSE2), byte by byte.
  for (; pos < size && found != kAllKeys; ++pos) {
    if (data[pos] == '=') visit(pos);
  }

  if (!(found & 1u)) return false;
  auto id = ValueFrom(data, size, valueStart[0]);
  if (!id) return false;
  StoreValue(kKeys[0], *id, record);
  for (size_t k = 1; k < kKeyCount; ++k) {
    if (!(found & (1u << k))) continue;
    if (auto value = ValueFrom(data, size, valueStart[k])) StoreValue(kKeys[k], *value, record);
  }
  return true;
}

}  // namespace devsearch::wire
