// The system page opener, with a stand-in xdg-open found first on PATH that
// writes down the arguments it was given.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/url_opener.h"
#include "private_lan.h"

namespace {

class SystemUrlOpenerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/vf-opener-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    m_dir = dir;
    m_record = m_dir + "/args";
    const char *path = std::getenv("PATH");
    m_oldPath = path ? path : "";
  }
  void TearDown() override {
    setenv("PATH", m_oldPath.c_str(), 1);
    unlink((m_dir + "/xdg-open").c_str());
    unlink(m_record.c_str());
    rmdir(m_dir.c_str());
  }
  void InstallStandIn() {
    const std::string script = m_dir + "/xdg-open";
    std::ofstream out(script);
    out << "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > " << m_record
        << ".tmp\nmv " << m_record << ".tmp " << m_record << "\n";
    out.close();
    chmod(script.c_str(), 0755);
  }
  std::string Recorded() const {
    std::ifstream in(m_record);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::string m_dir, m_record, m_oldPath;
};

TEST_F(SystemUrlOpenerTest, PassesTheUrlAsOneArgumentWithoutAShell) {
  InstallStandIn();
  setenv("PATH", (m_dir + ":/usr/bin:/bin").c_str(), 1);
  const std::string url = "http://192.168.1.20:80 $(touch x);b";
  ASSERT_TRUE(vf::platform::SystemUrlOpener().Open(url));
  ASSERT_TRUE(vf::testing::WaitFor([&] { return !Recorded().empty(); }));
  EXPECT_EQ(Recorded(), "[" + url + "]\n");
}

TEST_F(SystemUrlOpenerTest, MissingProgramIsReported) {
  setenv("PATH", m_dir.c_str(), 1);
  EXPECT_FALSE(vf::platform::SystemUrlOpener().Open("http://192.168.1.20:80"));
}

}  // namespace
