#include "lan.h"

#include "exit_codes.h"

namespace vf::cli {

int OutcomeExitCode(core::Outcome outcome) {
  switch (outcome) {
    case core::Outcome::Accepted:
      return kExitSuccess;
    case core::Outcome::Unauthorized:
      return kExitUnauthorized;
    case core::Outcome::Forbidden:
      return kExitForbidden;
    case core::Outcome::NoAnswer:
      return kExitNoAnswer;
    case core::Outcome::NotSent:
      return kExitFailure;
  }
  return kExitFailure;
}

}  // namespace vf::cli
