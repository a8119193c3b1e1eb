#include "camera.h"

#include <array>
#include <cstdio>

namespace vf::camsim {
namespace {

// splitmix64: small, portable and the same on every standard library, unlike
// the <random> distributions.
class Rng {
 public:
  explicit Rng(std::uint64_t state) : m_state(state) {}
  std::uint64_t next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int below(int bound) { return static_cast<int>(next() % static_cast<std::uint64_t>(bound)); }
  bool chance(int percent) { return below(100) < percent; }

 private:
  std::uint64_t m_state;
};

template <typename... Args>
std::string format(const char *pattern, Args... args) {
  std::array<char, 128> buffer{};
  std::snprintf(buffer.data(), buffer.size(), pattern, args...);
  return buffer.data();
}

std::string dotted(int a, int b, int c, int d) {
  return format("%d.%d.%d.%d", a, b, c, d);
}

std::string random_device_id(Rng &rng) {
  static constexpr std::string_view kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::string id(32, '0');
  for (char &c : id) c = kAlphabet[rng.below(static_cast<int>(kAlphabet.size()))];
  return id;
}

// A /24 holds hosts .2 to .254 (.1 is the gateway), 253 cameras.
constexpr int kHostsPerSubnet = 253;
constexpr int kPrivate16Capacity = 256 * kHostsPerSubnet;

void assign_addresses(Camera &camera, std::uint64_t seed, int slot, int count) {
  int subnet = slot / kHostsPerSubnet;
  int host = slot % kHostsPerSubnet + 2;
  if (count <= kPrivate16Capacity) {
    // Small fleets live in 192.168.0.0/16, starting at a seed-chosen subnet.
    int third = static_cast<int>((subnet + seed % 256) % 256);
    camera.ip = dotted(192, 168, third, host);
    camera.gateway = dotted(192, 168, third, 1);
  } else {
    camera.ip = dotted(10, subnet / 256, subnet % 256, host);
    camera.gateway = dotted(10, subnet / 256, subnet % 256, 1);
  }
}

}  // namespace

Camera make_camera(std::uint64_t seed, int number, int count) {
  static constexpr std::array kModels = {"QC-720P", "QC-1080P", "QC-2MP-D", "QB-4MP", "QD-5MP-PTZ"};
  static constexpr std::array kTypes = {"IPCAM", "IPCAM", "NVR", "PTZ"};

  Camera camera;
  camera.number = number;
  int index = number - 1;
  Rng rng(seed * 0x100000001B3ull + static_cast<std::uint64_t>(number));

  camera.device_id = random_device_id(rng);
  camera.model = kModels[rng.below(kModels.size())];
  camera.software_version = format("V%d.%d.%d", 2 + rng.below(3), rng.below(10), rng.below(40));
  camera.web_version = format("W1.%d.%d", rng.below(10), rng.below(100));
  camera.name = format("Camera-%04d", number);
  static constexpr std::array kPorts = {80, 80, 80, 81, 8080, 8000};
  int port = kPorts[rng.below(kPorts.size())];
  if (port == 8000) port += rng.below(100);
  camera.http_port = std::to_string(port);

  assign_addresses(camera, seed, index, count);
  camera.netmask = rng.chance(15) ? "255.255.0.0" : "255.255.255.0";
  // 24 bits of MAC from the index through an odd multiplier: a bijection on
  // 0..2^24-1, so MACs never repeat within a fleet whatever the seed.
  std::uint32_t tail =
      (static_cast<std::uint32_t>(index) * 0x9E3779u + static_cast<std::uint32_t>(seed)) &
      0xFFFFFFu;
  camera.mac = format("00:1A:3F:%02X:%02X:%02X", tail >> 16, (tail >> 8) & 0xFF, tail & 0xFF);
  camera.dhcp = rng.chance(20) ? 1 : 0;
  camera.dns_stat = rng.chance(70) ? 1 : 0;
  camera.primary_dns = camera.gateway;
  camera.secondary_dns = rng.chance(50) ? "8.8.4.4" : "1.0.0.1";

  camera.ddns_enable = rng.chance(30) ? 1 : 0;
  camera.ddns_host = "ddns.vellacam.example";
  camera.ddns_port = 8245;
  camera.ddns_user = format("user%d", number);
  camera.ddns_password = format("pw%04d", rng.below(10000));
  camera.ddns_domain = format("cam%d.vellacam.example", number);

  camera.vendor = "Vellacam";
  camera.product = camera.model;
  camera.device_type = kTypes[rng.below(kTypes.size())];
  return camera;
}

std::string compose_announcement(const Camera &camera, std::uint32_t cseq,
                                 std::string_view client_id) {
  std::string body;
  body.reserve(640);
  auto line = [&body](std::string_view key, std::string_view value) {
    body.append(key).append(value).append("\r\n");
  };
  line("Device-ID=", camera.device_id);
  line("Device-Model=", camera.model);
  line("Software-Version=", camera.software_version);
  line("Web-Version=", camera.web_version);
  line("Device-Name=", camera.name);
  line("Http-Port=", camera.http_port);
  line("IP=", camera.ip);
  line("MASK=", camera.netmask);
  line("MAC=", camera.mac);
  line("Gateway=", camera.gateway);
  line("Dhcp=", std::to_string(camera.dhcp));
  line("Ddns=", std::to_string(camera.dns_stat));
  line("Fdns=", camera.primary_dns);
  line("Sdns=", camera.secondary_dns);
  line("DDNS-Enable=", std::to_string(camera.ddns_enable));
  line("DDNS-Host=", camera.ddns_host);
  line("DDNS-Port=", std::to_string(camera.ddns_port));
  line("DDNS-User=", camera.ddns_user);
  line("DDNS-Passwd=", camera.ddns_password);
  line("DDNS-Domain=", camera.ddns_domain);
  line("C_Vendor=", camera.vendor);
  line("C_Product=", camera.product);
  line("Device-Type=", camera.device_type);

  std::string datagram = "QNS/1.0 200 OK\r\n";
  datagram.append("CSeq:").append(std::to_string(cseq)).append("\r\n");
  datagram.append("Client-ID:").append(client_id).append("\r\n");
  datagram.append("Content-Type:text/QNP\r\n");
  datagram.append("Content-Length:").append(std::to_string(body.size())).append("\r\n\r\n");
  datagram.append(body);
  return datagram;
}

}  // namespace vf::camsim
