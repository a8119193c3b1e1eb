#include "fleet.h"

#include <cstdio>

namespace vf::camsim {

Fleet::Fleet(std::uint64_t seed, int count) {
  cameras_.reserve(static_cast<std::size_t>(count));
  by_device_id_.reserve(static_cast<std::size_t>(count));
  for (int number = 1; number <= count; ++number) {
    Camera camera = make_camera(seed, number, count);
    // Random 32-character ids practically never collide; if one does, stamp
    // the camera number into its tail, which stays reproducible.
    for (int attempt = 0; by_device_id_.count(camera.device_id) != 0; ++attempt) {
      char tail[17];
      std::snprintf(tail, sizeof tail, "%08X%08X", static_cast<unsigned>(number),
                    static_cast<unsigned>(attempt));
      camera.device_id.replace(16, 16, tail);
    }
    by_device_id_.emplace(camera.device_id, cameras_.size());
    cameras_.push_back(std::move(camera));
  }
}

std::optional<std::size_t> Fleet::find(const std::string &device_id) const {
  auto it = by_device_id_.find(device_id);
  if (it == by_device_id_.end()) return std::nullopt;
  return it->second;
}

bool Fleet::change_device_id(std::size_t index, const std::string &new_id) {
  Camera &camera = cameras_[index];
  if (new_id == camera.device_id) return true;
  if (by_device_id_.count(new_id) != 0) return false;
  by_device_id_.erase(camera.device_id);
  by_device_id_.emplace(new_id, index);
  camera.device_id = new_id;
  return true;
}

}  // namespace vf::camsim
