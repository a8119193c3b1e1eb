// Opens a web page in the user's browser.
#pragma once

#include <string>

namespace vf::platform {

class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  // Starts the browser on `url` and returns at once; false when it could not
  // be started. Whether the page then loads is not known.
  virtual bool Open(const std::string &url) = 0;
};

// The system's way of opening a page; lives as long as the process.
UrlOpener &SystemUrlOpener();

}  // namespace vf::platform
