// The one place that picks the adapter backend for the platform being built.
#include "platform/adapters.h"

#if defined(__linux__)
#include "platform/linux_adapter_source.h"
#elif defined(_WIN32)
#include "platform/windows_adapter_source.h"
#endif

namespace vf::platform {

#if defined(__linux__)
std::unique_ptr<AdapterSource> MakeSystemAdapterSource() {
  return std::make_unique<LinuxAdapterSource>();
}
#elif defined(_WIN32)
std::unique_ptr<AdapterSource> MakeSystemAdapterSource() {
  return std::make_unique<WindowsAdapterSource>();
}
#else
#error "No adapter backend for this platform."
#endif

}  // namespace vf::platform
