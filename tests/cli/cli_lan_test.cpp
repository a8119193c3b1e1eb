// vellafind-cli against simulated cameras on the private LAN, run as a user runs it: each test
// starts its cameras, runs the program and reads what it printed and what the cameras got.
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "cli_runner.h"
#include "private_lan.h"

namespace vf::testing {
namespace {

using nlohmann::json;

const std::string kAccount[] = {"--user", "admin", "--password", "admin"};

// A small RFC 4180 reader of the test's own, so that the program's writer is checked by code
// that does not share its mistakes: quoted fields, doubled quotes, CR LF between records.
std::vector<std::vector<std::string>> ParseCsv(const std::string &text) {
  std::vector<std::vector<std::string>> records(1);
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      records.back().push_back(field);
      field.clear();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      records.back().push_back(field);
      field.clear();
      records.emplace_back();
      ++i;
    } else {
      field += c;
    }
  }
  if (records.back().empty()) records.pop_back();
  return records;
}

std::vector<std::vector<std::string>> ParseTsv(const std::string &text) {
  std::vector<std::vector<std::string>> records;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
      fields.push_back(line.substr(start, tab - start));
    }
    fields.push_back(line.substr(start));
    records.push_back(fields);
  }
  return records;
}

// A JSON value of a device as the other forms write it.
std::string AsText(const json &value) {
  return value.is_string() ? value.get<std::string>() : value.dump();
}

std::string Member(const json &device, const std::string &dottedKey) {
  std::string path = "/" + dottedKey;
  for (char &c : path) {
    if (c == '.') c = '/';
  }
  return AsText(device.at(json::json_pointer(path)));
}

// A host on the camera side that answers every search with the announcements it is given, each
// body sent with the request's Client-ID, and keeps every other request it hears.
class ScriptedPeer {
 public:
  explicit ScriptedPeer(std::vector<std::string> bodies)
      : m_socket(CameraAddresses().at(0), 8002), m_bodies(std::move(bodies)) {
    m_thread = std::thread([this] { Run(); });
  }
  ~ScriptedPeer() {
    m_stop = true;
    m_thread.join();
  }
  ScriptedPeer(const ScriptedPeer &) = delete;
  ScriptedPeer &operator=(const ScriptedPeer &) = delete;

  bool ok() const { return m_socket.ok(); }
  std::string Heard() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_heard;
  }

 private:
  void Run() {
    while (!m_stop) {
      const std::string request = m_socket.Receive(std::chrono::milliseconds(100));
      const std::size_t at = request.find("Client-ID:");
      if (request.rfind("SEARCH", 0) != 0 || at == std::string::npos) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_heard += request;
        continue;
      }
      const std::string client = request.substr(at + 10, 32);
      for (const std::string &body : m_bodies) {
        m_socket.Send("HTTP/1.1 200\r\nCSeq:1\r\nClient-ID:" + client + "\r\n\r\n" + body, 8002);
      }
    }
  }

  CameraSocket m_socket;
  std::vector<std::string> m_bodies;
  std::atomic<bool> m_stop{false};
  std::mutex m_mutex;
  std::string m_heard;  // Guarded by m_mutex.
  std::thread m_thread;
};

std::string Announcement(const char *id, const char *ip, const char *mac) {
  return std::string("Device-ID=") + id + "\r\nDevice-Name=cam\r\nIP=" + ip + "\r\nMAC=" + mac +
         "\r\n";
}

class CliOnTheLan : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!InPrivateLan()) GTEST_SKIP() << "needs the private LAN of tools/privlan.sh";
  }

  // Cameras with `arguments`, logging what they receive.
  void StartCameras(std::vector<std::string> arguments) {
    arguments.insert(arguments.end(), {"--quiet", "--log", m_log});
    m_camsim = std::make_unique<Camsim>(arguments);
    ASSERT_TRUE(m_camsim->ready());
  }

  // Whether the cameras heard a command after the first `from` bytes of their log: a line that
  // begins with CMD (a search's random Client-ID may hold those letters too).
  bool CommandSince(std::size_t from = 0) const {
    const std::string log = CameraLog();
    for (std::size_t at = log.find("CMD ", from); at != std::string::npos;
         at = log.find("CMD ", at + 1)) {
      if (at == 0 || log[at - 1] == '\n') return true;
    }
    return false;
  }

  // What the cameras logged: one line per request and per command applied.
  std::string CameraLog() const {
    std::ifstream file(m_log);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

  json SearchJson() {
    const CliRun run = RunCli({"search", "--format", "json", "--wait", "1"});
    EXPECT_EQ(run.status, 0) << run.err;
    return json::parse(run.out);
  }

  json DeviceAt(const std::string &ip) {
    for (const json &device : SearchJson()) {
      if (device["network"]["ipAddress"] == ip) return device;
    }
    return json();
  }

  static std::vector<std::string> With(std::vector<std::string> arguments) {
    arguments.insert(arguments.end(), std::begin(kAccount), std::end(kAccount));
    return arguments;
  }

  void TearDown() override {
    m_camsim.reset();
    std::remove(m_log.c_str());
  }

  std::string m_log = "/tmp/cli-lan-test-" + std::to_string(getpid()) + ".log";
  std::unique_ptr<Camsim> m_camsim;
};

// The machine formats carry each announced value exactly, with their own
// escaping; the forms meant for a terminal show it escaped.
TEST_F(CliOnTheLan, MachineFormatsCarryExactValuesTerminalFormsEscapeThem) {
  StartCameras({"--count", "5", "--name", "1=Door, \"front\" 1", "--name",
                "2=evil\\x1B[2J\\rrow\\nfake", "--name", "3=Caf\\xC3\\xA9 \\xE2\\x80\\xAEgnp.exe",
                "--name", "4=Caf\\xE9", "--name", "5=back\\\\slash"});
  const CliRun table = RunCli({"search", "--wait", "1"});
  const CliRun tsv = RunCli({"search", "--wait", "1", "--format", "tsv"});
  const CliRun csv = RunCli({"search", "--wait", "1", "--format", "csv"});
  const CliRun jsonRun = RunCli({"search", "--wait", "1", "--format", "json"});
  for (const CliRun *run : {&table, &tsv, &csv, &jsonRun}) {
    EXPECT_EQ(run->status, 0) << run->err;
    EXPECT_NE(run->err.find("5 pcs"), std::string::npos) << "the summary goes to stderr";
    EXPECT_EQ(run->out.find("pcs"), std::string::npos) << "and never among the data";
  }
  for (const CliRun *run : {&table, &tsv, &jsonRun}) {
    EXPECT_EQ(run->out.find('\x1B'), std::string::npos) << "no terminal escape reaches it";
    EXPECT_EQ(run->out.find("\xE2\x80\xAE"), std::string::npos) << "no direction override";
  }

  const json devices = json::parse(jsonRun.out);
  ASSERT_EQ(devices.size(), 5u);
  std::map<std::string, std::string> names;
  for (const json &device : devices) names[device["network"]["macAddress"]] = device["deviceName"];
  EXPECT_EQ(names["00:1A:3F:00:00:01"], "Door, \"front\" 1");
  std::set<std::string> exact;
  for (const auto &entry : names) exact.insert(entry.second);
  EXPECT_EQ(exact, (std::set<std::string>{"Door, \"front\" 1", "evil\x1B[2J\rrow\nfake",
                                          "Caf\xC3\xA9 \xE2\x80\xAEgnp.exe", "Caf\xC3\xA9",
                                          "back\\slash"}))
      << "as announced; the Latin-1 name decoded";

  // CSV: a header of the JSON members' paths, then the same values, row for row.
  const auto records = ParseCsv(csv.out);
  ASSERT_EQ(records.size(), devices.size() + 1);
  const std::vector<std::string> &header = records[0];
  EXPECT_EQ(header.size(), 23u) << "every field of the record";
  for (std::size_t row = 0; row < devices.size(); ++row) {
    ASSERT_EQ(records[row + 1].size(), header.size());
    for (std::size_t c = 0; c < header.size(); ++c) {
      EXPECT_EQ(records[row + 1][c], Member(devices[row], header[c])) << header[c];
    }
  }
  // TSV: the same header and rows, each value escaped so that no field or line splits.
  const auto tsvRecords = ParseTsv(tsv.out);
  ASSERT_EQ(tsvRecords.size(), devices.size() + 1);
  EXPECT_EQ(tsvRecords[0], header);
  std::set<std::string> shown;
  for (std::size_t row = 1; row < tsvRecords.size(); ++row) shown.insert(tsvRecords[row][4]);
  EXPECT_EQ(shown,
            (std::set<std::string>{"Door, \"front\" 1", "evil\\x1B[2J\\x0Drow\\x0Afake",
                                   "Caf\xC3\xA9 \\u202Egnp.exe", "Caf\xC3\xA9", "back\\\\slash"}));

  // The table: a heading and one line per camera, in 100 columns.
  std::istringstream lines(table.out);
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    std::size_t cells = 0;
    for (unsigned char c : line) cells += (c & 0xC0) != 0x80;
    EXPECT_LE(cells, 100u) << line;
  }
  EXPECT_EQ(count, 6);
}

TEST_F(CliOnTheLan, NothingAnsweringIsAnEmptyListButASearchNotSentFails) {
  const CliRun empty = RunCli({"search", "--format", "json", "--wait", "0.5"});
  EXPECT_EQ(empty.status, 0);
  EXPECT_EQ(empty.out, "[]\n");
  // Without any IPv4 adapter there is nothing to search from.
  const CliRun alone =
      RunProgram({"unshare", "--net", "--", VF_CLI_PATH, "search", "--wait", "0.5"}, "",
                 std::chrono::seconds(30));
  EXPECT_EQ(alone.status, 1) << alone.err;
  EXPECT_NE(alone.err.find("could not be sent"), std::string::npos) << alone.err;
  const CliRun elsewhere = RunCli({"search", "--interface", "192.0.2.1", "--wait", "0.5"});
  EXPECT_EQ(elsewhere.status, 2) << "not an address of this PC";

  // The adapter panel's view of the PC side of the LAN.
  const CliRun adapters = RunCli({"adapters", "--format", "json"});
  EXPECT_EQ(adapters.status, 0);
  const json list = json::parse(adapters.out);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0]["ip"], PcAddresses().at(0));
  EXPECT_EQ(list[0]["mask"], "255.255.255.0");
  EXPECT_EQ(list[0]["default"], true);
}

TEST_F(CliOnTheLan, SetNetworkAcceptedWrongPasswordRefusedUnansweredAndBadInput) {
  StartCameras({"--count", "3", "--forbid-camera", "3"});
  // Accepted: the camera takes the address, and the new search shows it.
  CliRun run = RunCli(With({"set-network", "192.168.1.2", "--ip", "192.168.1.40", "--dns2",
                            "0.0.0.0", "--yes", "--wait", "1"}));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("Device information successfully updated!"), std::string::npos);
  EXPECT_NE(run.out.find("192.168.1.40"), std::string::npos) << "the new settings are shown";
  const json moved = DeviceAt("192.168.1.40");
  ASSERT_FALSE(moved.is_null());
  EXPECT_EQ(moved["network"]["secondaryDns"], "0.0.0.0") << "sent empty, announced blank";
  EXPECT_EQ(moved["network"]["gateway"], "192.168.1.1") << "values not given stay";

  run = RunCli({"set-network", "192.168.1.3", "--gateway", "192.168.1.254", "--yes", "--user",
                "admin", "--password", "wrong", "--wait", "1"});
  EXPECT_EQ(run.status, 5);
  EXPECT_NE(run.err.find("The account or password for watching is wrong!"), std::string::npos);

  run = RunCli(
      With({"set-network", "192.168.1.4", "--gateway", "192.168.1.254", "--yes", "--wait", "1"}));
  EXPECT_EQ(run.status, 6) << run.err;
  EXPECT_NE(run.err.find("refused"), std::string::npos);

  // Input the checks refuse: nothing reaches the cameras.
  const std::string before = CameraLog();
  const struct {
    std::vector<std::string> arguments;
    int status;
    const char *message;
  } refused[] = {
      {{"--ip", "10.77"}, 2, "Entered the wrong IP address."},
      {{"--ip", "10.77.0.1"}, 2, "The same as one IP among of this local PC."},
      {{"--http-port", "0"}, 2, "Entered the wrong http port"},
      {{"--http-port", "8002"}, 2, "The http ports 8002 and 55555 are kept by the devices"},
      {{"--ip", "192.168.1.255"}, 2, "the network or broadcast address of the subnet"},
      {{"--ip", "224.0.0.1"}, 2, "no device can use"},
      {{"--mask", "255.0.255.0"}, 2, "Entered the wrong subnet mask."},
      {{"--dhcp", "maybe"}, 2, "--dhcp"},
  };
  for (const auto &c : refused) {
    std::vector<std::string> arguments = {"set-network", "192.168.1.3", "--yes", "--wait", "1"};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    run = RunCli(With(arguments));
    EXPECT_EQ(run.status, c.status) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  run = RunCli(With({"set-network", "192.168.1.3", "--gateway", "192.168.1.9", "--wait", "1"}));
  EXPECT_EQ(run.status, 2) << "no terminal to confirm on, and no --yes";
  const std::string after = CameraLog();
  EXPECT_FALSE(CommandSince(before.size())) << after.substr(before.size());
}

TEST_F(CliOnTheLan, OnATerminalItAsksOnceAndNoSendsNothing) {
  StartCameras({"--count", "1"});
  // script(1) gives the program a terminal and types the answer into it.
  const std::string command = std::string(VF_CLI_PATH) +
                              " set-network 192.168.1.2 --gateway 192.168.1.9 --user admin "
                              "--password admin --wait 1";
  CliRun run =
      RunProgram({"script", "-qec", command, "/dev/null"}, "n\n", std::chrono::seconds(30));
  EXPECT_EQ(run.status, 8) << run.out;
  EXPECT_NE(run.out.find("Are you sure to update the selected device? [y/N]"), std::string::npos);
  EXPECT_FALSE(CommandSince());
  run = RunProgram({"script", "-qec", command, "/dev/null"}, "y\n", std::chrono::seconds(30));
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(DeviceAt("192.168.1.2")["network"]["gateway"], "192.168.1.9");
}

TEST_F(CliOnTheLan, ACommandWithoutAnswerTimesOut) {
  // Each answer comes 1.5 s late: in time for the search, too late for a 0.5 s command wait.
  StartCameras({"--count", "1", "--delay", "1500"});
  const CliRun run =
      RunCli(With({"set-ddns", "192.168.1.2", "--domain", "late.example", "--timeout", "0.5"}));
  EXPECT_EQ(run.status, 4) << run.err;
  EXPECT_NE(run.err.find("No answer from the device within 0.5 s."), std::string::npos) << run.err;
}

TEST_F(CliOnTheLan, PortChangeWaitsForTheRestartThenShowsTheCamera) {
  StartCameras({"--count", "2"});
  CliRun run =
      RunCli({"set-network", "00:1a:3f:00:00:01", "--http-port", "8090", "--yes", "--wait", "1",
              "--restart-wait", "1", "--format", "json", "--user", "admin", "--password-stdin"},
             "admin\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("Device restarting... waiting 1 s"), std::string::npos) << run.err;
  const json shown = json::parse(run.out);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0]["httpPort"], "8090");
  const std::string log = CameraLog();
  EXPECT_LT(log.find("netconf"), log.find("httpport")) << "settings first, then the port";

  // --no-wait: the port goes out, nobody waits and nothing is shown.
  run = RunCli(With({"set-network", "00:1A:3F:00:00:01", "--http-port", "8091", "--yes", "--wait",
                     "1", "--no-wait"}));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(DeviceAt("192.168.1.2")["httpPort"], "8091");
}

TEST_F(CliOnTheLan, TheOtherCommandsFindTheDeviceByMacIdOrAddress) {
  StartCameras({"--count", "2"});
  const json camera = DeviceAt("192.168.1.3");
  ASSERT_FALSE(camera.is_null());
  const std::string id = camera["deviceId"];
  const std::string mac = camera["network"]["macAddress"];

  CliRun run = RunCli(With({"set-ddns", id, "--domain", "by-id.example", "--wait", "1"}));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("DDNS is setted successfully."), std::string::npos);
  run = RunCli(With({"set-identity", "192.168.1.3", "--vendor", "V", "--product", "P", "--type",
                     "T", "--wait", "1"}));
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string newId(32, 'Z');
  run = RunCli(With({"set-id", mac, newId, "--wait", "1"}));
  EXPECT_EQ(run.status, 0) << run.err;

  const json changed = DeviceAt("192.168.1.3");
  EXPECT_EQ(changed["ddns"]["domain"], "by-id.example");
  EXPECT_EQ(changed["ddns"]["user"], camera["ddns"]["user"]) << "DDNS values not given stay";
  EXPECT_EQ(changed["identity"]["vendor"], "V");
  EXPECT_EQ(changed["deviceId"], newId);

  EXPECT_EQ(RunCli(With({"set-id", mac, "short", "--wait", "1"})).status, 2);
  EXPECT_EQ(RunCli(With({"set-ddns", newId, "--domain", "two words", "--wait", "1"})).status, 2);
  run = RunCli(With({"set-ddns", "00:1A:3F:99:99:99", "--domain", "x", "--wait", "1"}));
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("No device answered as 00:1A:3F:99:99:99"), std::string::npos);
}

TEST_F(CliOnTheLan, AssignSkipsAddressesInUseAndReportsEachCamera) {
  // Cameras on .2 to .5; the PC holds 10.77.0.1.
  StartCameras({"--count", "4", "--forbid-camera", "4"});
  CliRun run = RunCli(With({"assign", "--first", "192.168.1.3", "--mask", "255.255.255.0",
                            "--gateway", "192.168.1.1", "--only", "192.168.1.2", "--only",
                            "192.168.1.5", "--yes", "--wait", "1", "--format", "csv"}));
  EXPECT_EQ(run.status, 7) << run.err << run.out;  // camera 4 refuses: a partial success
  const auto rows = ParseCsv(run.out);
  ASSERT_EQ(rows.size(), 3u) << run.out;
  EXPECT_EQ(rows[0], (std::vector<std::string>{"device", "mac", "old_ip", "new_ip", "result"}));
  EXPECT_EQ(rows[1][2], "192.168.1.2");
  EXPECT_EQ(rows[1][3], "192.168.1.6") << ".3, .4 and .5 are announced by others";
  EXPECT_EQ(rows[1][4], "Device information successfully updated!");
  EXPECT_EQ(rows[2][3], "192.168.1.7");
  EXPECT_EQ(rows[2][4], "The device refused the command.");
  EXPECT_FALSE(DeviceAt("192.168.1.6").is_null());

  // The PC's own address is skipped as well; a dry run sends nothing.
  const std::string before = CameraLog();
  run = RunCli(With({"assign", "--first", "10.77.0.1", "--gateway", "10.77.0.254", "--dry-run",
                     "--wait", "1", "--format", "json"}));
  EXPECT_EQ(run.status, 0) << run.err;
  const json plan = json::parse(run.out);
  ASSERT_EQ(plan.size(), 4u);
  EXPECT_EQ(plan[0]["new_ip"], "10.77.0.2") << "mask of the PC's adapter, its address skipped";
  EXPECT_FALSE(CommandSince(before.size()));
}

TEST_F(CliOnTheLan, ApplyReportsABadRowAndSendsTheOthers) {
  StartCameras({"--count", "3"});
  const std::string file = "/tmp/cli-apply-" + std::to_string(getpid()) + ".csv";
  std::ofstream(file) << "device,ip,dhcp,http_port\r\n"
                         "192.168.1.2,192.168.1.30,,\r\n"
                         "192.168.1.3,192.168.1.300,,\r\n"
                         "\"nobody, here\",,,\r\n"
                         "00:1a:3f:00:00:01,192.168.1.31,,\r\n"
                         "192.168.1.4,,on,81\r\n";
  const CliRun run = RunCli(With({"apply", file, "--yes", "--wait", "1", "--format", "csv"}));
  std::remove(file.c_str());
  EXPECT_EQ(run.status, 7) << run.err;
  const auto rows = ParseCsv(run.out);
  ASSERT_EQ(rows.size(), 6u) << run.out;
  EXPECT_EQ(rows[1][5], "Device information successfully updated!");
  EXPECT_EQ(rows[2][5], "not sent: Entered the wrong IP address.");
  EXPECT_EQ(rows[3][5], "not sent: no device answered as nobody, here");
  EXPECT_EQ(rows[4][5], "not sent: the device is on row 2 already");
  EXPECT_EQ(rows[5][5],
            "Device information successfully updated! Restarting for the new http port.");
  const json devices = SearchJson();
  int found = 0;
  for (const json &device : devices) {
    if (device["network"]["ipAddress"] == "192.168.1.30") ++found;
    if (device["network"]["ipAddress"] == "192.168.1.4") {
      EXPECT_EQ(device["network"]["dhcp"], 1);
      EXPECT_EQ(device["httpPort"], "81");
      ++found;
    }
  }
  EXPECT_EQ(found, 2);
}

TEST_F(CliOnTheLan, WarnsWhenOneMacAnswersWithTwoIdentities) {
  ScriptedPeer forger(
      {Announcement("AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA", "192.168.1.9", "00:1A:3F:00:00:09"),
       Announcement("BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB", "192.168.1.9", "00:1A:3F:00:00:09")});
  ASSERT_TRUE(forger.ok());
  const CliRun run = RunCli({"search", "--wait", "1"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(
      run.err.find("warning: two answers claim one camera (id "
                   "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA, MAC 00:1A:3F:00:00:09, IP 192.168.1.9 / "
                   "id BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB, MAC 00:1A:3F:00:00:09"),
      std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("1 pcs"), std::string::npos) << "the first answer is the one listed";
}

// A host that announces camera A's MAC with its own device id, answering before A or after it,
// or camera B's device id with its own MAC: whichever answer the list keeps, no command goes to
// a camera two answers claim, unless --force.
TEST_F(CliOnTheLan, NoCommandGoesToACameraThatTwoAnswersClaim) {
  const struct {
    std::vector<std::string> impostor;
    const char *target;  // the camera named, by the name its listed record has
  } cases[] = {
      {{"--announce-mac", "1=3"}, "Camera-0001"},  // answers first with camera 3's MAC
      {{"--announce-mac", "3=1"}, "Camera-0001"},  // answers after camera 1 with its MAC
      {{"--announce-id", "2=1"}, "Camera-0001"},   // camera 1's id from another MAC
      {{"--announce-id", "2=1"}, "Camera-0002"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.impostor[0] + " " + c.impostor[1] + " -> " + c.target);
    std::vector<std::string> arguments = {"--count", "3"};
    arguments.insert(arguments.end(), c.impostor.begin(), c.impostor.end());
    StartCameras(arguments);
    std::string mac;
    for (const json &device : SearchJson()) {
      if (device["deviceName"] == c.target) mac = device["network"]["macAddress"];
    }
    ASSERT_FALSE(mac.empty());
    CliRun run = RunCli(With({"set-ddns", mac, "--domain", "x.example", "--wait", "1"}));
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_NE(run.err.find("Two answers claim this camera (id "), std::string::npos) << run.err;
    EXPECT_FALSE(CommandSince()) << CameraLog();
    run = RunCli(With({"set-ddns", mac, "--domain", "x.example", "--wait", "1", "--force"}));
    EXPECT_TRUE(CommandSince()) << "--force sends it: " << run.err;
    m_camsim.reset();
    std::remove(m_log.c_str());
  }
}

// An answer under a CSeq the command did not carry is no answer.
TEST_F(CliOnTheLan, ASuccessClaimedUnderAnotherCSeqIsNoAnswer) {
  StartCameras({"--count", "1", "--forged-camera", "1"});
  const CliRun run =
      RunCli(With({"set-ddns", "192.168.1.2", "--domain", "x.example", "--timeout", "1"}));
  EXPECT_EQ(run.status, 4) << run.err;
  EXPECT_NE(run.err.find("No answer from the device within 1 s."), std::string::npos) << run.err;
}

// No two cameras end on one address: another camera's address needs --force, two rows of one
// apply with one address are refused either way, and assign keeps off its own gateway and DNS
// servers and gives a camera named twice one row.
TEST_F(CliOnTheLan, NoTwoCamerasAreSentOneAddress) {
  StartCameras({"--count", "8"});  // on .2 to .9
  CliRun run =
      RunCli(With({"set-network", "192.168.1.2", "--ip", "192.168.1.3", "--yes", "--wait", "1"}));
  EXPECT_EQ(run.status, 2) << run.err;
  EXPECT_NE(run.err.find("The IP address 192.168.1.3 (Camera-0002"), std::string::npos) << run.err;
  EXPECT_FALSE(CommandSince());

  const std::string file = "/tmp/cli-apply-" + std::to_string(getpid()) + ".csv";
  std::ofstream(file) << "device,ip\n192.168.1.2,192.168.1.50\n192.168.1.4,192.168.1.50\n"
                         "192.168.1.5,192.168.1.6\n";
  run = RunCli(With({"apply", file, "--yes", "--force", "--wait", "1", "--format", "csv"}));
  std::remove(file.c_str());
  EXPECT_EQ(run.status, 7) << run.err << run.out;
  const auto rows = ParseCsv(run.out);
  ASSERT_EQ(rows.size(), 4u) << run.out;
  EXPECT_EQ(rows[1][5], "not sent: row 3 gives the same address");
  EXPECT_EQ(rows[2][5], "not sent: row 2 gives the same address");
  EXPECT_EQ(rows[3][5], "Device information successfully updated!") << "--force: .6 is taken";

  run = RunCli(
      With({"assign",        "--first", "192.168.1.240", "--gateway", "192.168.1.241", "--dns1",
            "192.168.1.243", "--mask",  "255.255.255.0", "--only",    "192.168.1.7",   "--only",
            "192.168.1.8",   "--only",  "192.168.1.9",   "--only",    "192.168.1.7",   "--dry-run",
            "--wait",        "1",       "--format",      "csv"}));
  EXPECT_EQ(run.status, 0) << run.err;
  const auto plan = ParseCsv(run.out);
  ASSERT_EQ(plan.size(), 4u) << "one row per camera: " << run.out;
  EXPECT_EQ(plan[1][3], "192.168.1.240");
  EXPECT_EQ(plan[2][3], "192.168.1.242") << "not its gateway";
  EXPECT_EQ(plan[3][3], "192.168.1.244") << "nor its DNS server";
}

// What a request cannot carry unambiguously is refused as invalid input; the account before the
// search even goes out.
TEST_F(CliOnTheLan, ValuesACommandCannotCarryAreRefused) {
  StartCameras({"--count", "1"});
  const struct {
    std::vector<std::string> arguments;
    const char *stdinText;
    const char *message;
  } cases[] = {
      {{"set-ddns", "192.168.1.2", "--domain", "x", "--user", "a:b", "--password", "p"},
       "",
       "cannot hold a colon"},
      {{"set-ddns", "192.168.1.2", "--domain", "x", "--user", "admin", "--password",
        std::string(5000, 'p')},
       "",
       "at most 64 characters"},
      {{"set-ddns", "192.168.1.2", "--domain", "x", "--user", "admin", "--password-stdin"},
       "\n",
       "No password came on standard input"},
  };
  for (const auto &c : cases) {
    const CliRun run = RunCli(c.arguments, c.stdinText);
    EXPECT_EQ(run.status, 2) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_EQ(CameraLog().find("SEARCH"), std::string::npos) << "refused before searching";

  const struct {
    std::vector<std::string> arguments;
    const char *message;
  } refused[] = {
      {{"set-identity", "192.168.1.2", "--vendor", "", "--product", "p", "--type", "t"},
       "--vendor is empty"},
      {{"set-ddns", "192.168.1.2", "--domain", "x", "--ddns-password", ""},
       "--ddns-password is empty"},
      {{"set-id", "192.168.1.2", "0123456789abcdef0123456789abcd-!"}, "32 letters and digits"},
  };
  for (const auto &c : refused) {
    std::vector<std::string> arguments = c.arguments;
    arguments.insert(arguments.end(), {"--wait", "1"});
    const CliRun run = RunCli(With(arguments));
    EXPECT_EQ(run.status, 2) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_FALSE(CommandSince());
}

// Two MACs that differ only in letter case are two devices, so a MAC names neither: the command
// names both and asks for a device id, and nothing is sent.
TEST_F(CliOnTheLan, MacsThatDifferOnlyInCaseAreTwoDevicesToldApartByTheirIds) {
  ScriptedPeer peer(
      {Announcement("AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA", "192.168.1.8", "00:1A:3F:00:00:0A"),
       Announcement("BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB", "192.168.1.9", "00:1a:3f:00:00:0a")});
  ASSERT_TRUE(peer.ok());
  EXPECT_EQ(SearchJson().size(), 2u);
  const CliRun run =
      RunCli(With({"set-ddns", "00:1a:3F:00:00:0A", "--domain", "x", "--wait", "1"}));
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("2 devices answered with the MAC address 00:1a:3F:00:00:0A in different "
                         "letter case: 00:1A:3F:00:00:0A (device AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA "
                         "at 192.168.1.8) and 00:1a:3f:00:00:0a (device "
                         "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB at 192.168.1.9). They are different "
                         "devices: name one by its device id."),
            std::string::npos)
      << run.err;
  EXPECT_EQ(peer.Heard().find("CMD"), std::string::npos) << peer.Heard();
}

TEST_F(CliOnTheLan, SaysWhenTheReversePathFilterDropsAnswers) {
  // A camera at a factory address outside the PC's subnet, and a PC without a default route:
  // its answers fail the reverse-path check.
  const std::string cam = std::string("nsenter --net=") + std::getenv("VF_CAM_NETNS") + " ";
  ASSERT_EQ(std::system((cam + "ip addr replace 192.168.1.2/24 dev cam0 && " + cam +
                         "ip addr del 10.77.0.2/24 dev cam0 && "
                         "sysctl -qw net.ipv4.conf.all.rp_filter=1 net.ipv4.conf.pc0.rp_filter=1")
                            .c_str()),
            0);
  StartCameras({"--count", "2"});
  const CliRun run = RunCli({"search", "--wait", "1"});
  EXPECT_EQ(std::system((cam + "ip addr replace 10.77.0.2/24 dev cam0 && " + cam +
                         "ip addr del 192.168.1.2/24 dev cam0")
                            .c_str()),
            0);
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.err.find("reverse-path filter dropped 2 packets"), std::string::npos) << run.err;
  EXPECT_NE(
      run.err.find("sudo sysctl -w net.ipv4.conf.all.rp_filter=0 net.ipv4.conf.pc0.rp_filter=0"),
      std::string::npos);
  EXPECT_NE(run.err.find("0 pcs (receive buffer"), std::string::npos) << run.err;
}

TEST(CliHelp, VersionHelpAndUsageErrors) {
  CliRun run = RunCli({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("vellafind-cli ", 0), 0u) << run.out;
  run = RunCli({"set-network", "--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("--http-port"), std::string::npos);
  EXPECT_NE(run.out.find("7  partial success"), std::string::npos) << "exit codes in every help";
  EXPECT_EQ(run.out.find("--restart-wait"), std::string::npos) << "the tests' option stays hidden";
  EXPECT_EQ(RunCli({"frobnicate"}).status, 2);
  EXPECT_EQ(RunCli({"search", "--format", "xml"}).status, 2);
  EXPECT_EQ(RunCli({"set-id", "x", "y", "--user", "u"}).status, 2) << "a password is required";
  EXPECT_EQ(
      RunCli({"set-id", "x", "y", "--user", "u", "--password", "p", "--password-stdin"}).status, 2);
}

// Input the program cannot use ends in a message and status 2, never in an abort: numbers that
// are no finite values within their range, and files that cannot be read whole.
TEST(CliInput, RefusesNumbersAndFilesItCannotUse) {
  const struct {
    std::vector<std::string> arguments;
    const char *message;
  } refused[] = {
      {{"search", "--wait", "nan"}, "--wait: expects a number from 0.1 to 600, not nan"},
      {{"search", "--repeat", "1e9"}, "--repeat: expects a whole number from 1 to 20"},
      {{"set-ddns", "x", "--domain", "d", "--timeout", "nan", "--user", "u", "--password", "p"},
       "--timeout: expects a number from 0.1 to 600, not nan"},
      {{"set-ddns", "x", "--port", "65536", "--user", "u", "--password", "p"},
       "--port: expects a whole number from 0 to 65535"},
      {{"set-network", "x", "--restart-wait", "-inf", "--user", "u", "--password", "p"},
       "expects a number from 0.1 to 600, not -inf"},
      {{"apply", "/tmp", "--user", "u", "--password", "p"}, "Cannot read /tmp: it is a directory"},
      {{"apply", "/dev/zero", "--user", "u", "--password", "p"}, "/dev/zero holds more than 4 MiB"},
  };
  for (const auto &c : refused) {
    const CliRun run = RunCli(c.arguments);
    EXPECT_EQ(run.status, 2) << c.message << "\n" << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace vf::testing
