#include "core/receive_losses.h"

#include "core/protocol.h"

namespace vf::core {
namespace {

// The buffer the engine asks for; only a smaller one is the system's limit at work.
constexpr int kEngineRequestBytes = 8 * 1024 * 1024;

std::string Kibibytes(int bytes) {
  return std::to_string((bytes + 512) / 1024) + " KiB";
}

// Interface names that may stand in a shell command as they are.
bool IsPlainName(const std::string &name) {
  if (name.empty()) return false;
  for (const char c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '_' || c == '-' || c == '.';
    if (!plain) return false;
  }
  return true;
}

}  // namespace

void LossMeter::Start(int port) {
  m_receive = platform::ReadReceiveStats(port);
  m_reversePath = platform::ReadReversePathFilterDrops();
}

ReceiveLosses LossMeter::Finish(int port) const {
  ReceiveLosses losses;
  if (const auto receive = platform::ReadReceiveStats(port)) {
    losses.bufferBytes = receive->bufferBytes;
    const std::uint64_t before = m_receive ? m_receive->drops : 0;
    losses.drops = receive->drops > before ? receive->drops - before : 0;
  }
  const auto reversePath = platform::ReadReversePathFilterDrops();
  if (m_reversePath && reversePath && *reversePath > *m_reversePath) {
    losses.reversePathDrops = *reversePath - *m_reversePath;
  }
  return losses;
}

std::vector<std::string> LossWarnings(const ReceiveLosses &losses,
                                      platform::AdapterSource &adapters) {
  std::vector<std::string> warnings;
  if (losses.drops.value_or(0) > 0 && losses.bufferBytes) {
    const std::string remedy =
        *losses.bufferBytes < kEngineRequestBytes
            ? "Raise the system's limit to the 8 MiB the engine asks for (sudo sysctl -w "
              "net.core.rmem_max=8388608), or search with --repeat 3."
            : "The buffer has the full size the engine asks for, so a higher "
              "net.core.rmem_max does not help: search with --repeat 3, which merges three "
              "searches " +
                  std::to_string(kRepeatSpacing.count()) +
                  " ms apart, and give the PC less other work while it searches.";
    warnings.push_back("The kernel dropped " + std::to_string(*losses.drops) +
                       " datagrams on the engine's socket during the search: its receive "
                       "buffer of " +
                       Kibibytes(*losses.bufferBytes) + " was full, and answers are missing. " +
                       remedy);
  }
  if (losses.reversePathDrops > 0) {
    std::string settings = "net.ipv4.conf.all.rp_filter=0";
    if (const auto list = adapters.ReadAdapters()) {
      for (const platform::Adapter &adapter : *list) {
        if (IsPlainName(adapter.description)) {
          settings += " net.ipv4.conf." + adapter.description + ".rp_filter=0";
        }
      }
    }
    warnings.push_back("The kernel's reverse-path filter dropped " +
                       std::to_string(losses.reversePathDrops) +
                       " packets during the search: cameras outside this PC's subnets (at a "
                       "factory address, say) may have answered, and the PC has no route back to "
                       "them. To let their answers in, give the PC an address or a route in "
                       "their subnet, or switch the filter off: sudo sysctl -w " +
                       settings);
  }
  return warnings;
}

}  // namespace vf::core
