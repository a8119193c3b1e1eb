#include "options.h"

#include <gtest/gtest.h>

namespace vf::camsim {
namespace {

ParsedOptions parse(std::vector<std::string> arguments) {
  return parse_options(arguments);
}

TEST(OptionsTest, Defaults) {
  ParsedOptions parsed = parse({});
  ASSERT_EQ(parsed.error, "");
  const Options &options = parsed.options;
  EXPECT_EQ(options.count, 3);
  EXPECT_EQ(options.group, "239.255.255.250");
  EXPECT_EQ(options.port, 8002);
  EXPECT_EQ(options.user, "admin");
  EXPECT_EQ(options.password, "admin");
  EXPECT_EQ(options.rate, 0);
  EXPECT_EQ(options.repeat, 1);
  EXPECT_FALSE(options.forbid_all);
}

TEST(OptionsTest, ReadsEveryOptionInBothSpellings) {
  ParsedOptions parsed = parse(
      {"--count",         "50000",  "--seed=9",    "--group",    "239.1.2.3",       "--port=12109",
       "--user",          "u",      "--password=", "--forbid",   "--forbid-camera", "7",
       "--rate",          "180000", "--delay",     "250",        "--repeat",        "3",
       "--repeat-camera", "4",      "--log",       "/tmp/x.log", "--quiet",
       "--interface",     "cam1",   "--interface=cam0"});
  ASSERT_EQ(parsed.error, "");
  const Options &options = parsed.options;
  EXPECT_EQ(options.count, 50000);
  EXPECT_EQ(options.seed, 9u);
  EXPECT_EQ(options.group, "239.1.2.3");
  EXPECT_EQ(options.port, 12109);
  EXPECT_EQ(options.user, "u");
  EXPECT_EQ(options.password, "");
  EXPECT_TRUE(options.forbid_all);
  EXPECT_EQ(options.forbidden_cameras, std::set<int>{7});
  EXPECT_EQ(options.rate, 180000);
  EXPECT_EQ(options.delay_ms, 250);
  EXPECT_EQ(options.repeat, 3);
  EXPECT_EQ(options.repeat_camera, 4);
  EXPECT_EQ(options.log_path, "/tmp/x.log");
  EXPECT_TRUE(options.quiet);
  EXPECT_EQ(options.interfaces, (std::vector<std::string>{"cam1", "cam0"}));
}

TEST(OptionsTest, RepeatCameraAloneMeansTwoCopies) {
  EXPECT_EQ(parse({"--repeat-camera", "2"}).options.repeat, 2);
  EXPECT_EQ(parse({"--repeat", "5", "--repeat-camera", "2"}).options.repeat, 5);
}

TEST(OptionsTest, CameraPasswordsSplitAtTheFirstEqualsSign) {
  ParsedOptions parsed = parse({"--password-camera", "2=a=b", "--password-camera=3="});
  ASSERT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options.camera_passwords,
            (std::map<int, std::string>{{2, "a=b"}, {3, ""}}));
  for (const char *bad : {"2", "0=x", "x=y", "4=x"}) {
    EXPECT_NE(parse({"--password-camera", bad}).error, "") << bad;
  }
}

TEST(OptionsTest, NamesTakeEscapesForAnyByte) {
  ParsedOptions parsed = parse({"--name", "2=a,\\x1B[1m\\r\\n\\t\\\\b=c", "--name=1=plain"});
  ASSERT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options.names.at(2), "a,\x1B[1m\r\n\t\\b=c");
  EXPECT_EQ(parsed.options.names.at(1), "plain");
}

TEST(OptionsTest, RefusesBadValues) {
  for (std::vector<std::string> arguments :
       std::vector<std::vector<std::string>>{{"--port", "0"},
                                             {"--port", "65536"},
                                             {"--group", "10.0.0.1"},
                                             {"--group", "239.1.2"},
                                             {"--count", "-1"},
                                             {"--count", "2000000"},
                                             {"--rate", "-5"},
                                             {"--rate", "fast"},
                                             {"--repeat", "0"},
                                             {"--forbid-camera", "4"},
                                             {"--repeat-camera", "9", "--count", "3"},
                                             {"--count"},
                                             {"--name", "4=x"},
                                             {"--name", "x"},
                                             {"--name", "1=\\x4"},
                                             {"--name", "1=\\q"},
                                             {"--bogus", "1"}}) {
    EXPECT_NE(parse(arguments).error, "") << arguments[0];
  }
}

}  // namespace
}  // namespace vf::camsim
