// The exit status of vellafind-cli: one number per kind of ending, so that a script can tell
// them apart. --help and the man page list them.
#pragma once

namespace vf::cli {

enum ExitCode : int {
  kExitSuccess = 0,       // done; for a search, whatever it found
  kExitFailure = 1,       // the engine or the network failed: nothing could be sent
  kExitUsage = 2,         // usage or invalid input; nothing was sent
  kExitNotFound = 3,      // the device named did not answer the search
  kExitNoAnswer = 4,      // the device did not answer the command in time
  kExitUnauthorized = 5,  // wrong account or password (401)
  kExitForbidden = 6,     // the device refused the command (403)
  kExitPartial = 7,       // a batch where some cameras took their settings and some did not
  kExitDeclined = 8,      // the confirmation was answered no; nothing was sent
};

// The list as --help shows it.
inline constexpr const char *kExitCodeHelp =
    "Exit status:\n"
    "  0  success (a search succeeds whatever it finds)\n"
    "  1  engine or network failure: the search or the command could not be sent\n"
    "  2  usage or invalid input: nothing was sent\n"
    "  3  the device named did not answer the search\n"
    "  4  the device did not answer the command in time (--timeout)\n"
    "  5  wrong account or password (the device answered 401)\n"
    "  6  the device refused the command (403)\n"
    "  7  partial success of a batch (assign, apply): see the result column\n"
    "  8  the confirmation was answered no: nothing was sent\n";

}  // namespace vf::cli
