#include "fleet.h"

#include <cstdio>

namespace vf::camsim {

Fleet::Fleet(std::uint64_t seed, int count) {
  m_cameras.reserve(static_cast<std::size_t>(count));
  m_byDeviceId.reserve(static_cast<std::size_t>(count));
  for (int number = 1; number <= count; ++number) {
    Camera camera = make_camera(seed, number, count);
    // Random 32-character ids practically never collide; if one does, stamp
    // the camera number into its tail, which stays reproducible.
    for (int attempt = 0; m_byDeviceId.count(camera.device_id) != 0; ++attempt) {
      char tail[17];
      std::snprintf(tail, sizeof tail, "%08X%08X", static_cast<unsigned>(number),
                    static_cast<unsigned>(attempt));
      camera.device_id.replace(16, 16, tail);
    }
    m_byDeviceId.emplace(camera.device_id, m_cameras.size());
    m_cameras.push_back(std::move(camera));
  }
}

std::optional<std::size_t> Fleet::find(const std::string &device_id) const {
  auto it = m_byDeviceId.find(device_id);
  if (it == m_byDeviceId.end()) return std::nullopt;
  return it->second;
}

bool Fleet::change_device_id(std::size_t index, const std::string &new_id) {
  Camera &camera = m_cameras[index];
  if (new_id == camera.device_id) return true;
  if (m_byDeviceId.count(new_id) != 0) return false;
  m_byDeviceId.erase(camera.device_id);
  m_byDeviceId.emplace(new_id, index);
  camera.device_id = new_id;
  return true;
}

}  // namespace vf::camsim
