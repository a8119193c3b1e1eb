// All simulated cameras, with lookup by device id.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "camera.h"

namespace vf::camsim {

class Fleet {
 public:
  Fleet(std::uint64_t seed, int count);

  std::size_t size() const { return m_cameras.size(); }
  Camera &at(std::size_t index) { return m_cameras[index]; }
  const Camera &at(std::size_t index) const { return m_cameras[index]; }

  // Index of the camera with this device id (exact, case-sensitive).
  std::optional<std::size_t> find(const std::string &device_id) const;

  // Gives camera `index` a new device id. Refused (false) when another camera
  // already carries it, so that commands keep naming exactly one camera.
  bool change_device_id(std::size_t index, const std::string &new_id);

 private:
  std::vector<Camera> m_cameras;
  std::unordered_map<std::string, std::size_t> m_byDeviceId;
};

}  // namespace vf::camsim
