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

  std::size_t size() const { return cameras_.size(); }
  Camera &at(std::size_t index) { return cameras_[index]; }
  const Camera &at(std::size_t index) const { return cameras_[index]; }

  // Index of the camera with this device id (exact, case-sensitive).
  std::optional<std::size_t> find(const std::string &device_id) const;

  // Gives camera `index` a new device id. Refused (false) when another camera
  // already carries it, so that commands keep naming exactly one camera.
  bool change_device_id(std::size_t index, const std::string &new_id);

 private:
  std::vector<Camera> cameras_;
  std::unordered_map<std::string, std::size_t> by_device_id_;
};

}  // namespace vf::camsim
