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
#include <QClipboard>
#include <QHeaderView>
#include <QTest>
#include <algorithm>
#include <fstream>
#include <numeric>
#include <sstream>

#include "core/ipv4.h"

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
    ASSERT_NE(vf::testing::Session(*m_dialog), nullptr);
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

  QDialog *Dialog() { return static_cast<QDialog *>(vf::testing::Window(*m_dialog).NativeHandle()); }
  vf::ui::DialogWindow &Controls() { return vf::testing::Window(*m_dialog); }
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
  // The device a row shows: the one its number names (rows keep their numbers across a sort).
  int StoreIndexOf(int row) { return List()->ItemText(row, 0).toInt() - 1; }
  std::vector<int> ShownOrder() {
    std::vector<int> order;
    for (int row = 0; row < List()->model()->rowCount(); ++row) order.push_back(StoreIndexOf(row));
    return order;
  }
  // A left click on a column's heading, through the X server.
  void ClickHeading(int column) {
    QHeaderView *header = List()->horizontalHeader();
    const QPoint centre(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    const QPoint global = header->viewport()->mapToGlobal(centre);
    int clicks = 0;
    QObject done;
    QObject::connect(List(), &vf::ui::ReportList::headerClicked, &done, [&] { ++clicks; });
    ASSERT_TRUE(RunXdotool(
        {"mousemove", std::to_string(global.x()), std::to_string(global.y()), "click", "1"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return clicks > 0; }, 5000)) << column;
  }
  // Resizes the window as a window manager would, and waits for it to take the size it keeps.
  QSize ResizeTo(int width, int height) {
    const QSize before = Dialog()->size();
    const QString id = QString::number(Dialog()->winId());
    EXPECT_TRUE(RunXdotool({"windowsize", id.toStdString(), std::to_string(width),
                            std::to_string(height)}));
    // A size it refuses leaves it as it was: then the wait runs out.
    (void)QTest::qWaitFor([&] { return Dialog()->size() != before; }, 2000);
    QTest::qWait(200);
    return Dialog()->size();
  }

  // F3 as the user presses it, then the collection tick.
  void SearchByKey() {
    Key("F3");
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_dialog->IsControlEnabled(IDC_SEARCH); }, 5000));
    ASSERT_EQ(Controls().Item(IDC_DEVICE_COUNT).Text(), std::to_string(kCameras) + " pcs");
  }

  DeviceRecord Device(int row) {
    DeviceRecord record{};
    EXPECT_TRUE(vf::testing::Devices(*m_dialog).CopyAt(row, record));
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
    const DeviceRecord device = Device(StoreIndexOf(row));
    EXPECT_EQ(Controls().Item(IDC_DEVICE_NAME).Text(), device.deviceName);
    EXPECT_EQ(list->ItemText(row, 1), QString::fromLatin1(device.deviceName));
    EXPECT_EQ(Controls().Item(IDC_DEV_IP).Text(), device.network.ipAddress);
    EXPECT_EQ(Controls().Item(IDC_HTTP_PORT).Text(), device.httpPort);
    EXPECT_EQ(vf::testing::DeviceSelected(*m_dialog), 1);
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

// Whether the list's column `column` reads in order, by what it holds: numbers and addresses as
// numbers, texts without regard to case.
bool ReadsInOrder(vf::ui::ReportList &list, int column, bool descending) {
  auto key = [&](int row) -> std::pair<std::uint64_t, QString> {
    const QString text = list.ItemText(row, column);
    if (column == 0 || column == 4) return {text.toULongLong(), {}};
    if (column == 3) {
      const auto address = vf::core::Ipv4::Parse(text.toStdString());
      return {address ? address->Value() : ~0ULL, {}};
    }
    return {0, text.toCaseFolded()};
  };
  for (int row = 1; row < list.model()->rowCount(); ++row) {
    const auto before = key(row - 1), after = key(row);
    if (descending ? after > before : before > after) return false;
  }
  return true;
}

TEST_F(ShownWindow, TheListGrowsWithTheWindowAndNeverShrinksBelowTheTemplate) {
  const QSize initial = Dialog()->size();
  const QRect listBefore = List()->geometry();
  QWidget *close = Dialog()->findChild<QWidget *>(QStringLiteral("IDC_CLOSE"));
  ASSERT_NE(close, nullptr);
  const QPoint closeBefore = close->pos();
  const QSize grown = ResizeTo(initial.width() + 400, initial.height() + 200);
  ASSERT_EQ(grown, initial + QSize(400, 200));
  EXPECT_EQ(List()->size(), listBefore.size() + QSize(400, 200)) << "the list takes the room";
  EXPECT_EQ(List()->pos(), listBefore.topLeft());
  EXPECT_EQ(close->pos(), closeBefore + QPoint(400, 200))
      << "Close keeps its place at the bottom right";

  // Without a window manager the X server takes any size, so the hint is what can be seen.
  EXPECT_EQ(Dialog()->minimumSize(), initial) << "never below the template's size";
}

TEST_F(ShownWindow, HeadingClicksSortAndUpdateCopyAndArrowsKeepToTheHighlightedCamera) {
  ResizeTo(Dialog()->width() + 500, Dialog()->height());  // every column in sight
  SearchByKey();
  Click(RowCentre(1));
  const int chosen = StoreIndexOf(1);
  for (int column = 0; column < List()->model()->columnCount(); ++column) {
    SCOPED_TRACE(column);
    ClickHeading(column);
    EXPECT_TRUE(ReadsInOrder(*List(), column, false));
    ClickHeading(column);
    EXPECT_TRUE(ReadsInOrder(*List(), column, true)) << "a second click reverses";
    const std::vector<int> order = ShownOrder();
    const int row = static_cast<int>(std::find(order.begin(), order.end(), chosen) - order.begin());
    ExpectAgreement(row, "after a sort");
  }
  // A picture of the grown window for the documentation, when asked for one.
  if (const char *shot = getenv("VF_SCREENSHOT")) Dialog()->grab().save(QString::fromLocal8Bit(shot));
  // Sorted by name, Z to A: Down goes to the row below, whichever camera that is.
  ClickHeading(1);
  ClickHeading(1);
  ASSERT_EQ(StoreIndexOf(0), kCameras - 1);
  const std::vector<int> byName = ShownOrder();
  const int row = static_cast<int>(std::find(byName.begin(), byName.end(), chosen) - byName.begin());
  Key("Down");
  ExpectAgreement(row + 1, "Down after a sort");
  const DeviceRecord below = Device(StoreIndexOf(row + 1));

  Key("ctrl+c");
  const QStringList fields = QApplication::clipboard()->text().split(QLatin1Char('\t'));
  ASSERT_EQ(fields.size(), 7) << fields.join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(fields[0], QString::number(StoreIndexOf(row + 1) + 1));
  EXPECT_EQ(fields[1], QString::fromLatin1(below.deviceName));
  EXPECT_EQ(fields[2], QString::fromLatin1(below.network.macAddress));
  EXPECT_EQ(fields[3], QString::fromLatin1(below.network.ipAddress));
  EXPECT_EQ(fields[4], QString::fromLatin1(below.httpPort));
  EXPECT_EQ(fields[5], QString::fromLatin1(below.deviceModel));
  EXPECT_EQ(fields[6], QString::fromLatin1(below.softwareVersion) + QLatin1Char('\n'));

  const std::string command = UpdateByKey();
  EXPECT_NE(command.find(std::string("device=") + below.deviceId), std::string::npos) << command;

  Key("F3");
  ASSERT_TRUE(QTest::qWaitFor([&] { return m_dialog->IsControlEnabled(IDC_SEARCH); }, 5000));
  std::vector<int> arrival(kCameras);
  std::iota(arrival.begin(), arrival.end(), 0);
  EXPECT_EQ(ShownOrder(), arrival) << "a new search lists in order of arrival";
}

TEST_F(ShownWindow, AnAddressGivenTwiceMarksBothRowsAndTheMovedCameraIsBold) {
  SearchByKey();
  // A camera on a fixed address takes the address of another.
  int row = 0;
  while (row < kCameras && Device(StoreIndexOf(row)).network.dhcp != 0) ++row;
  ASSERT_LT(row, kCameras) << "a camera without DHCP";
  Click(RowCentre(row));
  const DeviceRecord moved = Device(StoreIndexOf(row));
  const DeviceRecord other = Device(StoreIndexOf((row + 1) % kCameras));
  Controls().Item(IDC_DEV_IP).SetText(other.network.ipAddress);
  Controls().Item(IDC_ACCOUNT).SetText("admin");
  Controls().Item(IDC_PASSWORD).SetText("admin");
  m_boxes.Script({vf::ui::IDYES, vf::ui::IDYES});  // sure, and sure despite the other camera
  Key("F5");
  ASSERT_TRUE(QTest::qWaitFor([&] { return m_boxes.Count() >= 3; }, 7000));
  EXPECT_EQ(m_boxes.Requests()[2].text, "Device information successfully updated!");

  SearchByKey();
  const QString shared = QStringLiteral("Another device in the list announces the same IP address.");
  QAbstractItemModel &rows = *List()->model();
  for (int row = 0; row < kCameras; ++row) {
    const DeviceRecord device = Device(StoreIndexOf(row));
    const bool sharing = std::string(device.network.macAddress) == moved.network.macAddress ||
                         std::string(device.network.macAddress) == other.network.macAddress;
    const QString tip = rows.data(rows.index(row, 0), Qt::ToolTipRole).toString();
    EXPECT_EQ(tip.contains(shared), sharing) << device.deviceName;
    EXPECT_FALSE(rows.data(rows.index(row, 0), Qt::DecorationRole).isNull()) << "outside every subnet";
    const bool bold = rows.data(rows.index(row, 1), Qt::FontRole).value<QFont>().bold();
    EXPECT_EQ(bold, std::string(device.network.macAddress) == moved.network.macAddress)
        << device.deviceName << ": new since the search before only when its address changed";
    if (sharing) {
      Click(RowCentre(row));
      EXPECT_EQ(QString::fromStdString(Controls().Item(IDC_DEVICE_CONCERN).Text()), tip)
          << "the panel tells the same reason";
    }
  }
}

}  // namespace

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
