// The window tests under Windows: the engine's sockets need Winsock started,
// as the program's start-up does.
#include <gtest/gtest.h>

#include "platform/program_info/program_info.h"

int main(int argc, char **argv) {
  if (vf::program_info::StartSockets() == 0) return 1;
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  vf::program_info::StopSockets();
  return result;
}
