// One simulated camera: the settings it announces and that commands change.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vf::camsim {

struct Camera {
  int number = 0;         // 1-based; shown in "Camera-0001", used by --forbid-camera and the log
  std::string device_id;  // 32 letters and digits
  std::string model;
  std::string software_version;
  std::string web_version;
  std::string name;
  std::string http_port;

  // Network settings (netconf).
  std::string ip;
  std::string netmask;
  std::string mac;
  std::string gateway;
  int dhcp = 0;
  int dns_stat = 0;
  std::string primary_dns;
  std::string secondary_dns;

  // Dynamic DNS account (ddnsset).
  int ddns_enable = 0;
  std::string ddns_host;
  int ddns_port = 0;
  std::string ddns_user;
  std::string ddns_password;
  std::string ddns_domain;

  // Vendor identity (identifyset).
  std::string vendor;
  std::string product;
  std::string device_type;
};

// Largest camera count: addresses and MACs stay distinct up to here.
inline constexpr int kMaxCameras = 1'000'000;

// Builds camera `number` (1..count) of a fleet of `count`. Same seed, same
// camera: runs are reproducible, and MACs, device ids (in practice) and
// addresses differ between cameras of one fleet.
Camera make_camera(std::uint64_t seed, int number, int count);

// The announcement datagram with which a camera answers a SEARCH. It never
// contains any of the three command status texts, since receivers tell
// announcements from command replies by their absence.
std::string compose_announcement(const Camera &camera, std::uint32_t cseq,
                                 std::string_view client_id);

}  // namespace vf::camsim
