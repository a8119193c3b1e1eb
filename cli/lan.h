// The engine session of one command, with the devices its searches found.
#pragma once

#include <string>

#include "core/device_store.h"
#include "core/lan_session.h"
#include "platform/adapters.h"

namespace vf::cli {

struct Lan {
  // Searches from every adapter, or from `interfaceAddress` alone when it is not empty. Nothing
  // runs before session.Open().
  Lan(platform::AdapterSource &adapters, const std::string &interfaceAddress)
      : session(adapters, devices, interfaceAddress) {}

  core::DeviceStore devices;
  core::LanSession session;  // after the store it records into, and closed before it
};

// The exit status for an outcome.
int OutcomeExitCode(core::Outcome outcome);

}  // namespace vf::cli
