// The window on a real X server, driven through it: keys and clicks go in
// through the server's test extension (xdotool), reach the window that has
// the input focus and travel Qt's whole way to the focused control. Simulated
// cameras on the private LAN log every command they receive.
//
// Runs on the private LAN with an X server of its own (see CMakeLists.txt).
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTest>
#include <fstream>
#include <sstream>

#include "dialog_probe.h"
#include "message_box_recorder.h"
#include "private_lan.h"
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"
#include "ui/window/qt/report_list.h"

extern char **environ;

namespace {

using namespace vf::res;

constexpr int kCameras = 5;

// Counts the key releases the application receives: a key has been handled
// once its release arrives, even when it changed nothing.
class KeyReleaseCounter final : public QObject {
 public:
  int Count() const { return m_count; }
  bool eventFilter(QObject *, QEvent *event) override {
    if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent *>(event)->isAutoRepeat()) {
      ++m_count;
    }
    return false;
  }

 private:
  int m_count = 0;
};

bool RunXdotool(std::vector<std::string> words) {
  words.insert(words.begin(), "xdotool");
  std::vector<char *> argv;
  for (auto &word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawnp(&pid, "xdotool", nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class ShownWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!vf::testing::InPrivateLan()) GTEST_SKIP() << "needs the private LAN";
    if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs X";
    char path[] = "/tmp/vf-camsim-log-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    m_logPath = path;
    m_camsim = std::make_unique<vf::testing::Camsim>(std::vector<std::string>{
        "--count", std::to_string(kCameras), "--quiet", "--log", m_logPath});
    ASSERT_TRUE(m_camsim->ready());

    m_dialog = std::make_unique<CSearchDlg>();
    ASSERT_TRUE(m_dialog->Create());
    ASSERT_NE(vf::test::Session(*m_dialog), nullptr);
    QDialog *window = Dialog();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    qApp->installEventFilter(&m_releases);
  }
  void TearDown() override {
    qApp->removeEventFilter(&m_releases);
    m_dialog.reset();
    m_camsim.reset();
    if (!m_logPath.empty()) unlink(m_logPath.c_str());
  }

  QDialog *Dialog() { return static_cast<QDialog *>(vf::test::Window(*m_dialog).NativeHandle()); }
  vf::ui::DialogWindow &Controls() { return vf::test::Window(*m_dialog); }
  vf::ui::ReportList *List() {
    return Dialog()->findChild<vf::ui::ReportList *>(QStringLiteral("IDC_DEVICE_LIST"));
  }

  // One key pressed and released on the X server; returns once the window
  // has handled it.
  void Key(const char *name) {
    const int before = m_releases.Count();
    ASSERT_TRUE(RunXdotool({"key", name})) << name;
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_releases.Count() > before; }, 5000)) << name;
  }
  // A left click at a point of the list's rows.
  void Click(const QPoint &inViewport) {
    const QPoint global = List()->viewport()->mapToGlobal(inViewport);
    int releases = 0;
    QObject done;
    QObject::connect(List(), &vf::ui::ReportList::rowClicked, &done, [&] { ++releases; });
    ASSERT_TRUE(RunXdotool(
        {"mousemove", std::to_string(global.x()), std::to_string(global.y()), "click", "1"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return releases > 0; }, 5000));
  }
  QPoint RowCentre(int row) { return List()->visualRect(List()->model()->index(row, 1)).center(); }

  // F3 as the user presses it, then the collection tick.
  void SearchByKey() {
    Key("F3");
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_dialog->IsControlEnabled(IDC_SEARCH); }, 5000));
    ASSERT_EQ(Controls().Item(IDC_DEVICE_COUNT).Text(), std::to_string(kCameras) + " pcs");
  }

  DeviceRecord Device(int row) {
    DeviceRecord record{};
    EXPECT_TRUE(vf::test::Devices(*m_dialog).CopyAt(row, record));
    return record;
  }

  // The highlighted row, the selection mark and the device in the panel are
  // the same; `row` is that row, -1 for none.
  void ExpectAgreement(int row, const char *step) {
    SCOPED_TRACE(step);
    vf::ui::ReportList *list = List();
    EXPECT_EQ(list->SelectionMark(), row);
    const QModelIndexList highlighted = list->selectionModel()->selectedRows();
    if (row < 0) {
      EXPECT_TRUE(highlighted.isEmpty());
      return;
    }
    ASSERT_EQ(highlighted.size(), 1);
    EXPECT_EQ(highlighted[0].row(), row);
    EXPECT_EQ(list->currentIndex().row(), row);
    const DeviceRecord device = Device(row);
    EXPECT_EQ(Controls().Item(IDC_DEVICE_NAME).Text(), device.deviceName);
    EXPECT_EQ(list->ItemText(row, 1), QString::fromLatin1(device.deviceName));
    EXPECT_EQ(Controls().Item(IDC_DEV_IP).Text(), device.network.ipAddress);
    EXPECT_EQ(Controls().Item(IDC_HTTP_PORT).Text(), device.httpPort);
    EXPECT_EQ(vf::test::DeviceSelected(*m_dialog), 1);
  }

  // F5, answered Yes, and the netconf command the cameras received for it.
  std::string UpdateByKey() {
    const size_t before = CommandLines().size();
    Controls().Item(IDC_ACCOUNT).SetText("admin");
    Controls().Item(IDC_PASSWORD).SetText("admin");
    m_boxes.Script({vf::ui::IDYES});
    Key("F5");
    EXPECT_TRUE(QTest::qWaitFor([&] { return CommandLines().size() > before; }, 5000));
    const auto lines = CommandLines();
    return lines.size() > before ? lines[before] : std::string();
  }
  std::vector<std::string> CommandLines() const {
    std::ifstream in(m_logPath);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("CMD ", 0) == 0) lines.push_back(line);
    }
    return lines;
  }

  std::string m_logPath;
  std::unique_ptr<vf::testing::Camsim> m_camsim;
  vf::ui::MessageBoxRecorder m_boxes;
  KeyReleaseCounter m_releases;
  std::unique_ptr<CSearchDlg> m_dialog;
};

TEST_F(ShownWindow, ListMarkAndPanelAgreeAfterEveryKeyAndUpdateGoesToTheHighlightedCamera) {
  SearchByKey();
  ExpectAgreement(-1, "after the search");
  // Tab to the list, as a user does: gaining the focus selects nothing.
  for (int tab = 0; tab < 40 && QApplication::focusWidget() != List(); ++tab) Key("Tab");
  ASSERT_EQ(QApplication::focusWidget(), List());
  ExpectAgreement(-1, "list focused");

  Key("Down");
  ExpectAgreement(0, "Down with no selection");
  Key("Down");
  ExpectAgreement(1, "Down");
  Key("Up");
  ExpectAgreement(0, "Up");
  Key("End");
  ExpectAgreement(kCameras - 1, "End");
  Key("Home");
  ExpectAgreement(0, "Home");
  Key("Next");
  ExpectAgreement(kCameras - 1, "Page Down (the page holds every row)");
  Key("Prior");
  ExpectAgreement(0, "Page Up");
  Key("c");  // Every name begins with "Camera": the next one.
  ExpectAgreement(1, "a letter");
  Key("End");
  Key("c");  // From the last row it wraps to the first.
  ExpectAgreement(0, "a letter at the end");

  Click(RowCentre(2));
  ExpectAgreement(2, "click");
  Key("Down");
  ExpectAgreement(3, "Down after a click");

  const DeviceRecord highlighted = Device(3);
  const std::string command = UpdateByKey();
  EXPECT_NE(command.find(std::string("device=") + highlighted.deviceId), std::string::npos)
      << command;
  EXPECT_NE(command.find(std::string("-hwaddr ") + highlighted.network.macAddress),
            std::string::npos)
      << command;
  EXPECT_NE(command.find(std::string("-ipaddr ") + highlighted.network.ipAddress),
            std::string::npos)
      << command;

  // Beside the rows: the panel keeps its device, no row is marked, and
  // Update sends nothing.
  const QPoint below(10, List()->viewport()->height() - 3);
  ASSERT_FALSE(List()->indexAt(below).isValid());
  Click(below);
  EXPECT_EQ(List()->SelectionMark(), -1);
  EXPECT_TRUE(List()->selectionModel()->selectedRows().isEmpty());
  EXPECT_EQ(Controls().Item(IDC_DEVICE_NAME).Text(), highlighted.deviceName);
  const int boxes = m_boxes.Count();
  Key("F5");
  ASSERT_EQ(m_boxes.Count(), boxes + 1);
  EXPECT_EQ(m_boxes.Requests().back().text, "Please select one device from list.");

  Key("F3");
  ExpectAgreement(-1, "F3");
  EXPECT_EQ(Controls().Item(IDC_DEVICE_NAME).Text(), "");
  ASSERT_TRUE(QTest::qWaitFor([&] { return m_dialog->IsControlEnabled(IDC_SEARCH); }, 5000));
  EXPECT_EQ(CommandLines().size(), 1u) << "one Update, one command";
}

}  // namespace

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
