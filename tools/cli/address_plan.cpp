#include "address_plan.h"

#include <map>
#include <set>

#include "core/update_checks.h"

namespace vf::cli {

std::optional<std::uint32_t> Ipv4Value(const std::string &text) {
  if (!core::IsIpv4Text(text)) return std::nullopt;
  std::uint32_t value = 0;
  std::uint32_t part = 0;
  for (char c : text) {
    if (c == '.') {
      value = (value << 8) | part;
      part = 0;
    } else {
      part = part * 10 + static_cast<std::uint32_t>(c - '0');
    }
  }
  return (value << 8) | part;
}

std::string Ipv4Text(std::uint32_t value) {
  return std::to_string(value >> 24) + "." + std::to_string((value >> 16) & 0xFF) + "." +
         std::to_string((value >> 8) & 0xFF) + "." + std::to_string(value & 0xFF);
}

bool IsContiguousMask(std::uint32_t mask) {
  const std::uint32_t hosts = ~mask;
  return (hosts & (hosts + 1)) == 0;
}

std::optional<std::vector<std::string>> PlanAddresses(const AddressPlanRequest &request,
                                                      std::string &error) {
  const std::uint32_t network = request.first & request.mask;
  const std::uint32_t broadcast = network | ~request.mask;
  // /31 and /32 subnets have no network and broadcast address to keep free.
  const bool reservesEnds = (~request.mask) > 1;

  std::map<std::string, int> announced;
  for (const std::string &address : request.announcedAddresses) ++announced[address];
  std::set<std::string> taken(request.pcAddresses.begin(), request.pcAddresses.end());

  std::vector<std::string> plan;
  std::uint64_t candidate = request.first;
  for (const std::string &own : request.cameraAddresses) {
    for (;; ++candidate) {
      if (candidate > broadcast) {
        error = "The subnet of " + Ipv4Text(request.first) + " has no free address left for " +
                std::to_string(request.cameraAddresses.size() - plan.size()) + " more camera(s).";
        return std::nullopt;
      }
      const auto value = static_cast<std::uint32_t>(candidate);
      if (reservesEnds && (value == network || value == broadcast)) continue;
      const std::string text = Ipv4Text(value);
      if (taken.count(text) != 0) continue;
      const auto found = announced.find(text);
      const int others = found == announced.end() ? 0 : found->second - (text == own ? 1 : 0);
      if (others > 0) continue;
      break;
    }
    const std::string text = Ipv4Text(static_cast<std::uint32_t>(candidate));
    plan.push_back(text);
    taken.insert(text);
    ++candidate;
  }
  return plan;
}

}  // namespace vf::cli
