// The Win32 backend's own part: the dialog the window system made from the
// in-memory template (font, places, classes and styles) at the DPI the test
// runs at (VF_TEST_DPI, 96 unless told), the labels laid out on one line,
// what a one-line edit shows of a line break, and messages of the dialog
// manager that share the restart message's number.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/windows_text.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"
#include "ui/window/dialog_window.h"
#include "ui/window/list_view.h"

// Last: the window system's macros would clash with the names above.
#include <windows.h>
// The common controls build on the declarations above.
#include <commctrl.h>

namespace vf::ui {
namespace {

// The DPI that tests/ui/window/at_dpi_windows.sh set for this run.
int ExpectedDpi() {
  const char *dpi = std::getenv("VF_TEST_DPI");
  return dpi != nullptr ? std::atoi(dpi) : 96;
}

struct UserMessages final : DialogHandler {
  void OnUserMessage(unsigned offset) override { ++count[offset % 4]; }
  int count[4] = {};
};

class Win32DialogTest : public ::testing::Test {
 protected:
  Win32DialogTest() {
    EXPECT_TRUE(m_window->Create());
    m_dialog = static_cast<HWND>(m_window->NativeHandle());
  }

  // A rectangle of the template in the dialog's pixels: the place and the
  // size each converted, as the dialog manager does.
  RECT Pixels(int x, int y, int w, int h) const {
    RECT rect{x, y, w, h};
    MapDialogRect(m_dialog, &rect);
    return {rect.left, rect.top, rect.left + rect.right, rect.top + rect.bottom};
  }
  // Where a control is, in the dialog's client coordinates.
  RECT Placed(HWND control) const {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT *>(&rect), 2);
    return rect;
  }
  HWND Label(const char *text) const {
    for (HWND child = GetWindow(m_dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t buffer[128] = {};
      GetWindowTextW(child, buffer, 128);
      if (platform::Utf8FromWide(buffer) == text) return child;
    }
    return nullptr;
  }

  UserMessages m_handler;
  std::unique_ptr<DialogWindow> m_window =
      CreateDialogWindow(res::SearchDialogTemplate(), m_handler);
  HWND m_dialog = nullptr;
};

TEST_F(Win32DialogTest, FontSizeAndControlsComeFromTheTemplate) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(m_dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(std::wstring(font.lfFaceName), L"Arial");
  const int dpi = ExpectedDpi();
  HDC screen = GetDC(m_dialog);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), dpi) << "the program sees the DPI it runs at";
  ReleaseDC(m_dialog, screen);
  EXPECT_EQ(font.lfHeight, -MulDiv(8, dpi, 72)) << "8 points at " << dpi << " dots per inch";
  RECT client{};
  GetClientRect(m_dialog, &client);
  const RECT size = Pixels(0, 0, 376, 316);
  EXPECT_EQ(client.right, size.right);
  EXPECT_EQ(client.bottom, size.bottom);
  EXPECT_NE(GetWindowLongW(m_dialog, GWL_STYLE) & WS_MINIMIZEBOX, 0);
  EXPECT_NE(GetWindowLongW(m_dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0) << "in the task bar";

  int checked = 0;
  for (const DialogItem &entry : res::SearchDialogTemplate().controls) {
    if (entry.id == res::IDC_STATIC) continue;
    SCOPED_TRACE(entry.name);
    HWND control = GetDlgItem(m_dialog, entry.id);
    ASSERT_NE(control, nullptr);
    ++checked;
    // The up-down control places itself at its buddy's edge.
    if (entry.cls == ControlClass::kUpDown) continue;
    const RECT want = Pixels(entry.x, entry.y, entry.w, entry.h);
    const RECT got = Placed(control);
    // A label is as wide as its text (LabelsKeepTheirAlignedEdgeOnOneLine).
    if (entry.cls != ControlClass::kStatic) {
      EXPECT_EQ(got.left, want.left);
    }
    EXPECT_EQ(got.top, want.top);
    // An icon's control takes the size of its icon; a drop-down list is as high as its closed
    // box, where the template gives the open list's height.
    if (entry.cls != ControlClass::kIcon) {
      EXPECT_EQ(got.right, want.right);
      if (entry.cls != ControlClass::kDropDownList) {
        EXPECT_EQ(got.bottom, want.bottom);
      }
    }
    const bool hidden = (entry.style & kStyleHidden) != 0;
    EXPECT_EQ((GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) == 0, hidden);
  }
  EXPECT_EQ(checked, 36);

  const LONG list = GetWindowLongW(GetDlgItem(m_dialog, res::IDC_DEVICE_LIST), GWL_STYLE);
  const LONG want = LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
  EXPECT_EQ(list & want, want);
  EXPECT_EQ(list & LVS_NOSORTHEADER, 0) << "a click on a heading sorts";
  EXPECT_NE(
      GetWindowLongW(GetDlgItem(m_dialog, res::IDC_DEVICE_LIST), GWL_EXSTYLE) & WS_EX_STATICEDGE,
      0);
  EXPECT_NE(GetWindowLongW(GetDlgItem(m_dialog, res::IDC_PASSWORD), GWL_STYLE) & ES_PASSWORD, 0);
  EXPECT_NE(GetWindowLongW(GetDlgItem(m_dialog, res::IDC_HTTP_PORT), GWL_STYLE) & ES_NUMBER, 0);
  const LONG spin = GetWindowLongW(GetDlgItem(m_dialog, res::IDC_HTTP_PORT_SPIN), GWL_STYLE);
  EXPECT_EQ(spin & (UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_SETBUDDYINT),
            UDS_ALIGNRIGHT | UDS_ARROWKEYS)
      << "the control writes nothing into its buddy";
}

TEST_F(Win32DialogTest, LabelsKeepTheirAlignedEdgeOnOneLine) {
  // Right-aligned: ends where the template's rectangle ends, whole.
  HWND label = Label("FirmwareApp-Ver:");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(Placed(label).right, Pixels(186, 38, 62, 8).right);
  HDC dc = GetDC(label);
  SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
  SIZE text{};
  GetTextExtentPoint32W(dc, L"FirmwareApp-Ver:", 16, &text);
  ReleaseDC(label, dc);
  RECT client{};
  GetClientRect(label, &client);
  EXPECT_GE(client.right, text.cx);
  // A new text keeps the same right edge.
  ASSERT_TRUE(m_window->Item(res::IDC_DEVICE_COUNT).SetText("100000 pcs"));
  EXPECT_EQ(Placed(GetDlgItem(m_dialog, res::IDC_DEVICE_COUNT)).right,
            Pixels(108, 111, 56, 8).right);
  // Left-aligned and short enough: as the template has it.
  EXPECT_EQ(Placed(Label("Tips:")).left, Pixels(203, 235, 21, 8).left);
  EXPECT_EQ(Placed(Label("Tips:")).right, Pixels(203, 235, 21, 8).right);
}

// The list's columns are given in pixels at 96 DPI, as the Qt window takes them: at any other
// DPI they are as wide in inches, and they follow the window to a monitor of another DPI.
TEST_F(Win32DialogTest, ColumnWidthsFollowTheDpi) {
  const int dpi = ExpectedDpi();
  HWND list = GetDlgItem(m_dialog, res::IDC_DEVICE_LIST);
  ASSERT_EQ(m_window->Find<ListView>(res::IDC_DEVICE_LIST)->InsertColumn(0, {"MAC", 115}), 0);
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), MulDiv(115, dpi, 96));
  EXPECT_EQ(m_window->Find<ListView>(res::IDC_DEVICE_LIST)->ColumnWidth(0), 115);
  RECT suggested{};
  GetWindowRect(m_dialog, &suggested);
  SendMessageW(m_dialog, WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 2 * MulDiv(115, dpi, 96));
  EXPECT_EQ(m_window->Find<ListView>(res::IDC_DEVICE_LIST)->ColumnWidth(0), 115);
}

// An adapter with two addresses: the one-line edit shows them apart (it draws nothing for a
// line break), and the text reads back as it was set until the user changes it.
TEST_F(Win32DialogTest, OneLineEditShowsLineBreaksAsSpaces) {
  HWND field = GetDlgItem(m_dialog, res::IDC_LOCAL_IP);
  ASSERT_TRUE(m_window->Item(res::IDC_LOCAL_IP).SetText("10.77.0.1\r\n10.77.9.1"));
  wchar_t shown[64] = {};
  GetWindowTextW(field, shown, 64);
  EXPECT_EQ(std::wstring(shown), L"10.77.0.1  10.77.9.1");
  EXPECT_EQ(m_window->Item(res::IDC_LOCAL_IP).Text(), "10.77.0.1\r\n10.77.9.1");
  SetWindowTextW(field, L"10.77.0.7");
  EXPECT_EQ(m_window->Item(res::IDC_LOCAL_IP).Text(), "10.77.0.7");
  ASSERT_TRUE(m_window->Item(res::IDC_LOCAL_IP).SetText("10.77.0.1"));
  EXPECT_EQ(m_window->Item(res::IDC_LOCAL_IP).Text(), "10.77.0.1");
}

// Every program with the window carries the manifest: the common controls of version 6 and
// awareness of each monitor's DPI, which the system (and Wine) applies to the process.
TEST(Win32Manifest, AsksForCommonControlsAndPerMonitorDpi) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr);
  const auto *data = static_cast<const char *>(LockResource(LoadResource(nullptr, found)));
  const std::string manifest(data, SizeofResource(nullptr, found));
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
  EXPECT_NE(manifest.find(">PerMonitorV2, System</dpiAwareness>"), std::string::npos);

  using GetThreadContext = void *(WINAPI *)();
  using AwarenessOf = int(WINAPI *)(void *);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const auto context = reinterpret_cast<GetThreadContext>(
      reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
  const auto awareness = reinterpret_cast<AwarenessOf>(
      reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
  ASSERT_TRUE(context != nullptr && awareness != nullptr);
  EXPECT_EQ(awareness(context()), 2) << "DPI_AWARENESS_PER_MONITOR_AWARE";
}

// Maximised, the device list takes the room and every other control keeps its place to its
// edges; restored, the template's size comes back, and the window system is told to go no
// smaller.
TEST_F(Win32DialogTest, MaximisedTheListTakesTheRoomAndNeverLessThanTheTemplate) {
  auto placed = [&](int id) { return Placed(GetDlgItem(m_dialog, id)); };
  RECT client{}, window{};
  GetClientRect(m_dialog, &client);
  GetWindowRect(m_dialog, &window);
  const RECT list = placed(res::IDC_DEVICE_LIST), close = placed(res::IDC_CLOSE),
             search = placed(res::IDC_SEARCH), name = placed(res::IDC_DEVICE_NAME);

  ShowWindow(m_dialog, SW_MAXIMIZE);
  RECT grown{};
  GetClientRect(m_dialog, &grown);
  const LONG dx = grown.right - client.right, dy = grown.bottom - client.bottom;
  ASSERT_GT(dx, 0);
  ASSERT_GT(dy, 0);
  const RECT bigList = placed(res::IDC_DEVICE_LIST);
  EXPECT_EQ(bigList.left, list.left);
  EXPECT_EQ(bigList.top, list.top);
  EXPECT_EQ(bigList.right, list.right + dx);
  EXPECT_EQ(bigList.bottom, list.bottom + dy);
  EXPECT_EQ(placed(res::IDC_CLOSE).left, close.left + dx);
  EXPECT_EQ(placed(res::IDC_CLOSE).top, close.top + dy);
  EXPECT_EQ(placed(res::IDC_SEARCH).left, search.left);
  EXPECT_EQ(placed(res::IDC_SEARCH).top, search.top + dy);
  EXPECT_EQ(placed(res::IDC_DEVICE_NAME).left, name.left + dx);
  EXPECT_EQ(placed(res::IDC_DEVICE_NAME).top, name.top);

  ShowWindow(m_dialog, SW_RESTORE);
  RECT restored{};
  GetClientRect(m_dialog, &restored);
  EXPECT_EQ(restored.right, client.right);
  EXPECT_EQ(restored.bottom, client.bottom);
  EXPECT_EQ(placed(res::IDC_DEVICE_LIST).right, list.right);
  MINMAXINFO limits{};
  SendMessageW(m_dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, window.right - window.left);
  EXPECT_EQ(limits.ptMinTrackSize.y, window.bottom - window.top);
}

// The dialog manager's DM_SETDEFID is WM_USER + 1 too, the restart message's number: only
// what PostUserMessage posted reaches the handler.
TEST_F(Win32DialogTest, DialogManagerMessagesAreNoUserMessages) {
  SendMessageW(m_dialog, DM_SETDEFID, res::IDC_SEARCH, 0);
  ASSERT_TRUE(m_window->PostUserMessage(1));
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  EXPECT_EQ(m_handler.count[1], 1);
}

}  // namespace
}  // namespace vf::ui
