#include "core/address_plan.h"

#include <cstdint>
#include <map>
#include <set>

namespace vf::core {

std::optional<std::vector<Ipv4>> PlanAddresses(const AddressPlanRequest &request,
                                               std::string &error) {
  const Ipv4 network = NetworkOf(request.first, request.mask);
  const Ipv4 broadcast = BroadcastOf(request.first, request.mask);
  const bool reservesEnds = ReservesEnds(request.mask);

  std::map<std::string, int> announced;
  for (const std::string &address : request.announcedAddresses) ++announced[address];
  std::set<std::string> taken(request.pcAddresses.begin(), request.pcAddresses.end());
  taken.insert(request.reservedAddresses.begin(), request.reservedAddresses.end());

  std::vector<Ipv4> plan;
  std::uint64_t candidate = request.first.Value();
  for (const std::string &own : request.cameraAddresses) {
    for (;; ++candidate) {
      if (candidate > broadcast.Value()) {
        error = "The subnet of " + request.first.Text() + " has no free address left for " +
                std::to_string(request.cameraAddresses.size() - plan.size()) + " more camera(s).";
        return std::nullopt;
      }
      const Ipv4 address(static_cast<std::uint32_t>(candidate));
      if (reservesEnds && (address == network || address == broadcast)) continue;
      const std::string text = address.Text();
      if (taken.count(text) != 0) continue;
      const auto found = announced.find(text);
      const int others = found == announced.end() ? 0 : found->second - (text == own ? 1 : 0);
      if (others > 0) continue;
      break;
    }
    const Ipv4 address(static_cast<std::uint32_t>(candidate));
    plan.push_back(address);
    taken.insert(address.Text());
    ++candidate;
  }
  return plan;
}

std::optional<PcSubnet> PcSubnetOf(platform::AdapterSource &adapters, Ipv4 address) {
  const auto list = adapters.ReadAdapters();
  if (!list) return std::nullopt;
  for (const platform::Adapter &adapter : *list) {
    for (const platform::AdapterAddress &own : adapter.addresses) {
      const auto value = Ipv4::Parse(own.address);
      const auto mask = Ipv4::Parse(own.mask);
      if (!value || !mask || value->IsUnspecified() ||
          NetworkOf(*value, *mask) != NetworkOf(address, *mask)) {
        continue;
      }
      PcSubnet subnet{own.mask, {}};
      if (!adapter.gateways.empty()) subnet.gateway = adapter.gateways.front();
      return subnet;
    }
  }
  return std::nullopt;
}

}  // namespace vf::core
