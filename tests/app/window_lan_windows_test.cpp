// vellafind.exe under Wine on the private LAN, against the Linux camsim on
// the camera side, used the way a user does: the mouse and the keyboard go
// in through the window system's input queue (SendInput), and what the
// window shows is read from its controls. The cameras log every command.
//
// Run by tests/cli/search_lan_windows.sh --log, which starts camsim and names
// its log in VF_CAMSIM_LOG (a Windows path). With VF_WINDOW_SHOT set to a file
// name, the window is saved there as a BMP once it shows a camera
// (tools/windows_screenshot.sh).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/program_info/program_info.h"
#include "platform/windows_text.h"
#include "res/resource_ids.h"
#include "screen_picture_win32.h"
#include "search_app.h"

// Last: the window system's macros would clash with the names above.
#include <windows.h>
// The common controls build on the declarations above.
#include <commctrl.h>

namespace {

using namespace std::chrono_literals;
using vf::platform::Utf8FromWide;
using vf::platform::WideFromUtf8;
namespace res = vf::res;

constexpr int kCameras = 5;

template <typename Predicate>
bool Eventually(Predicate done, std::chrono::milliseconds limit = 15s) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

std::string TextOf(HWND window) {
  wchar_t text[512] = {};
  // WM_GETTEXT crosses into the other process with its buffer.
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000,
                      nullptr);
  return Utf8FromWide(text);
}

// Memory in the window's process, for the list messages that carry a pointer.
class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, std::size_t size)
      : m_process(process),
        m_at(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
  ~RemoteMemory() {
    if (m_at != nullptr) VirtualFreeEx(m_process, m_at, 0, MEM_RELEASE);
  }
  RemoteMemory(const RemoteMemory &) = delete;
  RemoteMemory &operator=(const RemoteMemory &) = delete;

  char *At(std::size_t offset = 0) const { return static_cast<char *>(m_at) + offset; }
  bool Write(const void *data, std::size_t size, std::size_t offset = 0) const {
    return WriteProcessMemory(m_process, At(offset), data, size, nullptr) != FALSE;
  }
  bool Read(void *data, std::size_t size, std::size_t offset = 0) const {
    return ReadProcessMemory(m_process, At(offset), data, size, nullptr) != FALSE;
  }

 private:
  HANDLE m_process;
  void *m_at;
};

class Program {
 public:
  // Starts vellafind.exe from the test's own folder.
  Program() {
    std::wstring path =
        WideFromUtf8(vf::program_info::DirectoryOfPath(vf::program_info::GetModulePath())) +
        L"vellafind.exe";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + path + L"\"";
    m_started = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &m_info) != FALSE;
    if (m_started) CloseHandle(m_info.hThread);
  }
  ~Program() {
    if (!m_started) return;
    if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(m_info.hProcess, 1);
      WaitForSingleObject(m_info.hProcess, 5000);
    }
    CloseHandle(m_info.hProcess);
  }
  Program(const Program &) = delete;
  Program &operator=(const Program &) = delete;

  bool Started() const { return m_started; }
  HANDLE Process() const { return m_info.hProcess; }
  // The exit code once it ended within `limit`; -1 while it runs.
  long ExitCode(std::chrono::milliseconds limit) const {
    if (WaitForSingleObject(m_info.hProcess, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) {
      return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(m_info.hProcess, &code);
    return static_cast<long>(code);
  }

 private:
  PROCESS_INFORMATION m_info{};
  bool m_started = false;
};

// Real input, as the keyboard and the mouse give it.
void PressKey(WORD key) {
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[1].ki.wVk = key;
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof(INPUT));
}

// Both events carry the place: a click that relied on the cursor set just before it could land
// where a late report of the pointer from the X server put it instead.
void ClickAt(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT inputs[2] = {};
  for (INPUT &input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN));
  }
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof(INPUT));
}

POINT CentreOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// A message box of the window's process, by its caption.
HWND FindBox(const wchar_t *caption) {
  HWND box = nullptr;
  Eventually([&] { return (box = FindWindowW(L"#32770", caption)) != nullptr; }, 10s);
  return box;
}

// Its text (the static with the id 0xFFFF that every message box has).
std::string BoxText(HWND box) {
  return TextOf(GetDlgItem(box, 0xFFFF));
}

void Answer(HWND box, int button) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

// The colour most pixels of `rect` (screen coordinates) have on the screen now: a list row's
// background.
COLORREF MostCommonColour(const RECT &rect) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  std::map<COLORREF, int> counts;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) ++counts[GetPixel(memory, x, y)];
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  COLORREF most = CLR_INVALID;
  int mostCount = 0;
  for (const auto &[colour, count] : counts) {
    if (count > mostCount) {
      most = colour;
      mostCount = count;
    }
  }
  return most;
}

class WindowOnTheLan : public ::testing::Test {
 protected:
  void SetUp() override {
    const char *log = std::getenv("VF_CAMSIM_LOG");
    if (log == nullptr) GTEST_SKIP() << "needs the cameras of search_lan_windows.sh --log";
    m_logPath = log;
    ASSERT_TRUE(m_program.Started());
    ASSERT_TRUE(Eventually(
        [&] { return (m_window = FindWindowW(nullptr, m_title.c_str())) != nullptr; }, 60s))
        << "no window titled " << Utf8FromWide(m_title);
    // It has its title before it is shown, in its place.
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(m_window) != FALSE; }));
  }
  void TearDown() override {
    if (m_window != nullptr && IsWindow(m_window)) PostMessageW(m_window, WM_CLOSE, 0, 0);
  }

  HWND Item(int id) const { return GetDlgItem(m_window, id); }
  // The control with the keyboard's focus in the window's thread.
  HWND Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(m_window, nullptr), &info);
    return info.hwndFocus;
  }
  HWND List() const { return Item(res::IDC_DEVICE_LIST); }
  int ListMessage(UINT message, WPARAM wParam = 0) const {
    return static_cast<int>(SendMessageW(List(), message, wParam, 0));
  }
  int Mark() const { return ListMessage(LVM_GETSELECTIONMARK); }
  int Highlighted() const {
    return static_cast<int>(
        SendMessageW(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  }

  std::string Cell(int row, int column) const {
    RemoteMemory memory(m_program.Process(), sizeof(LVITEMW) + 512);
    LVITEMW item{};
    item.iSubItem = column;
    item.cchTextMax = 256;
    item.pszText = reinterpret_cast<LPWSTR>(memory.At(sizeof(LVITEMW)));
    memory.Write(&item, sizeof item);
    SendMessageW(List(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(memory.At()));
    wchar_t text[256] = {};
    memory.Read(text, sizeof text - sizeof(wchar_t), sizeof(LVITEMW));
    return Utf8FromWide(text);
  }
  // A row's rectangle on the screen.
  RECT RowOnScreen(int row) const {
    RemoteMemory memory(m_program.Process(), sizeof(RECT));
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    memory.Write(&rect, sizeof rect);
    SendMessageW(List(), LVM_GETITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(memory.At()));
    memory.Read(&rect, sizeof rect);
    // Only the part in sight: the row runs on under the columns past the list's right edge.
    RECT client{};
    GetClientRect(List(), &client);
    rect.right = std::min(rect.right, client.right);
    MapWindowPoints(List(), nullptr, reinterpret_cast<POINT *>(&rect), 2);
    return rect;
  }
  POINT RowCentre(int row) const {
    const RECT rect = RowOnScreen(row);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  // A row's background as the screen shows it, the window on top of every other.
  COLORREF RowBackground(int row) const {
    SetWindowPos(m_window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    std::this_thread::sleep_for(500ms);  // Painted.
    const COLORREF colour = MostCommonColour(RowOnScreen(row));
    SetWindowPos(m_window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return colour;
  }

  void SearchAndWait() {
    ASSERT_TRUE(Eventually([&] { return IsWindowEnabled(Item(res::IDC_SEARCH)) != FALSE; }));
    ClickAt(CentreOf(Item(res::IDC_SEARCH)));
    ASSERT_TRUE(Eventually([&] { return IsWindowEnabled(Item(res::IDC_SEARCH)) == FALSE; }, 5s));
    ASSERT_TRUE(Eventually([&] { return IsWindowEnabled(Item(res::IDC_SEARCH)) != FALSE; }, 10s));
  }

  // The panel shows the camera of the marked, highlighted row.
  void ExpectAgreement(int row, const char *step) {
    SCOPED_TRACE(step);
    ASSERT_TRUE(Eventually([&] { return Mark() == row; }, 5s)) << Mark();
    EXPECT_EQ(Highlighted(), row);
    EXPECT_EQ(TextOf(Item(res::IDC_DEVICE_NAME)), Cell(row, 1));
  }

  std::vector<std::string> LogLines(const std::string &with) const {
    std::ifstream in(m_logPath);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
      if (line.find(with) != std::string::npos) lines.push_back(line);
    }
    return lines;
  }

  const std::wstring m_title = WideFromUtf8(MakeWindowTitle(VF_PROJECT_VERSION));
  std::string m_logPath;
  Program m_program;
  HWND m_window = nullptr;
};

TEST_F(WindowOnTheLan, SearchesShowsUpdatesAndKeepsToOneCopy) {
  EXPECT_EQ(TextOf(m_window), Utf8FromWide(m_title));
  EXPECT_EQ(TextOf(Item(res::IDC_DEVICE_COUNT)), "0 pcs");

  // Search lists every camera, once.
  SearchAndWait();
  EXPECT_EQ(TextOf(Item(res::IDC_DEVICE_COUNT)), std::to_string(kCameras) + " pcs");
  ASSERT_EQ(ListMessage(LVM_GETITEMCOUNT), kCameras);
  for (int row = 0; row < kCameras; ++row) EXPECT_EQ(Cell(row, 0), std::to_string(row + 1));

  // A click on a row fills the panel from that camera.
  ClickAt(RowCentre(2));
  ExpectAgreement(2, "click");
  EXPECT_NE(TextOf(Item(res::IDC_DEV_IP)), "");
  EXPECT_TRUE(IsWindowEnabled(Item(res::IDC_UPDATE)));

  // A new search leaves nothing marked; the first Down marks the first row
  // and the panel shows that camera.
  PressKey(VK_F3);
  ASSERT_TRUE(Eventually([&] { return IsWindowEnabled(Item(res::IDC_SEARCH)) == FALSE; }, 5s));
  ASSERT_TRUE(Eventually([&] { return IsWindowEnabled(Item(res::IDC_SEARCH)) != FALSE; }, 10s));
  ASSERT_EQ(Mark(), -1);
  ASSERT_EQ(Focus(), List()) << "the list keeps the focus the click gave it";
  PressKey(VK_DOWN);
  ExpectAgreement(0, "first Down");
  PressKey(VK_DOWN);
  ExpectAgreement(1, "second Down");
  if (const char *picture = std::getenv("VF_WINDOW_SHOT")) {
    std::this_thread::sleep_for(500ms);  // Painted.
    EXPECT_TRUE(vf::testing::SaveScreenPicture(m_window, picture));
  }

  // The focus moves on to the account field, as when the user types there: the row Update acts
  // on stays drawn in the colour of a selection, not in a shade next to the list's white.
  ClickAt(CentreOf(Item(res::IDC_ACCOUNT)));
  ASSERT_TRUE(Eventually([&] { return Focus() == Item(res::IDC_ACCOUNT); }, 5s));
  EXPECT_EQ(RowBackground(1), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(RowBackground(0), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(Mark(), 1);

  // Update sends the panel's settings to the camera of that row.
  const std::string deviceName = Cell(1, 1);
  const std::string mac = Cell(1, 2);
  SendMessageW(Item(res::IDC_ACCOUNT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"admin"));
  SendMessageW(Item(res::IDC_PASSWORD), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"admin"));
  const std::string ip = TextOf(Item(res::IDC_DEV_IP));
  PressKey(VK_F5);
  HWND question = FindBox(L"Ask");
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(BoxText(question), "Are you sure to update the selected device?");
  Answer(question, IDYES);
  HWND told = FindBox(L"Tips");
  ASSERT_NE(told, nullptr);
  EXPECT_EQ(BoxText(told), "Device information successfully updated!");
  Answer(told, IDOK);
  // The command goes out through each of the PC's addresses; the camera takes it once.
  const std::vector<std::string> commands = LogLines("line=netconf");
  ASSERT_FALSE(commands.empty());
  EXPECT_NE(commands[0].find(" -hwaddr " + mac), std::string::npos) << commands[0];
  EXPECT_NE(commands[0].find(" -ipaddr " + ip), std::string::npos) << commands[0];
  ASSERT_EQ(LogLines("APPLIED").size(), 1u);
  EXPECT_EQ(TextOf(Item(res::IDC_DEVICE_NAME)), deviceName);

  // A second start restores the first window, minimised, and ends.
  ShowWindow(m_window, SW_MINIMIZE);
  ASSERT_TRUE(Eventually([&] { return IsIconic(m_window) != FALSE; }, 5s));
  Program second;
  ASSERT_TRUE(second.Started());
  EXPECT_EQ(second.ExitCode(60s), 0);
  EXPECT_TRUE(Eventually([&] { return IsIconic(m_window) == FALSE; }, 5s));
  EXPECT_EQ(FindWindowW(nullptr, m_title.c_str()), m_window) << "one window of that title";

  // Closing the window ends the program.
  PostMessageW(m_window, WM_CLOSE, 0, 0);
  EXPECT_EQ(m_program.ExitCode(15s), 0);
}

}  // namespace
