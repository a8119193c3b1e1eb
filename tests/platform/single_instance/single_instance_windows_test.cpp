// Finding a running copy by its window title and restoring it, on real top-level windows of this
// test's own.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/single_instance/single_instance.h"

namespace vf::single_instance {
namespace {

// A top-level window with a title that no other test uses: the process id is in it.
class TopLevelWindow {
 public:
  explicit TopLevelWindow(const std::wstring &title) {
    m_window = CreateWindowExW(0, L"STATIC", title.c_str(), WS_OVERLAPPEDWINDOW, 10, 10, 200, 100,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~TopLevelWindow() {
    if (m_window != nullptr) DestroyWindow(m_window);
  }
  TopLevelWindow(const TopLevelWindow &) = delete;
  TopLevelWindow &operator=(const TopLevelWindow &) = delete;

  HWND get() const { return m_window; }

 private:
  HWND m_window = nullptr;
};

std::string Title(const char *what) {
  return std::string("Vellafind single-instance test ") + what + " " +
         std::to_string(GetCurrentProcessId());
}

std::wstring Wide(const std::string &ascii) {
  return std::wstring(ascii.begin(), ascii.end());
}

TEST(SingleInstanceWin32, FindsATopLevelWindowByItsExactTitleOnly) {
  const std::string title = Title("exact (V1.0.0.1)");
  EXPECT_FALSE(FindWindowByTitle(title).has_value());
  TopLevelWindow window(Wide(title));
  ASSERT_NE(window.get(), nullptr);

  std::optional<WindowHandle> found = FindWindowByTitle(title);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->source, WindowHandle::Source::kWin32);
  EXPECT_EQ(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(found->window)), window.get());
  // Another version's title is another title.
  EXPECT_FALSE(FindWindowByTitle(Title("exact (V1.0.0.2)")).has_value());
  EXPECT_FALSE(FindWindowByTitle(title.substr(0, title.size() - 1)).has_value());
}

TEST(SingleInstanceWin32, NonAsciiTitleIsMatchedAsUnicode) {
  const std::string title = Title("Kamera \xC3\xBC\xE2\x82\xAC");  // "Kamera ü€"
  TopLevelWindow window(L"Vellafind single-instance test Kamera \u00FC\u20AC " +
                        std::to_wstring(GetCurrentProcessId()));
  ASSERT_NE(window.get(), nullptr);
  EXPECT_TRUE(FindWindowByTitle(title).has_value());
}

TEST(SingleInstanceWin32, MinimisedWindowIsRestoredAndAShownOneLeftAlone) {
  const std::string title = Title("restore");
  TopLevelWindow window(Wide(title));
  ASSERT_NE(window.get(), nullptr);
  ShowWindow(window.get(), SW_SHOWNORMAL);
  std::optional<WindowHandle> found = FindWindowByTitle(title);
  ASSERT_TRUE(found.has_value());
  EXPECT_FALSE(IsIconic(*found));

  ShowWindow(window.get(), SW_MINIMIZE);
  ASSERT_TRUE(::IsIconic(window.get()));
  EXPECT_TRUE(IsIconic(*found));
  EXPECT_TRUE(RestoreWindow(*found));
  EXPECT_FALSE(::IsIconic(window.get()));
  EXPECT_TRUE(IsWindowVisible(window.get()));
}

TEST(SingleInstanceWin32, HandlesOfWindowsThatAreGoneAskNothing) {
  std::optional<WindowHandle> found;
  {
    TopLevelWindow window(Wide(Title("gone")));
    ASSERT_NE(window.get(), nullptr);
    found = FindWindowByTitle(Title("gone"));
    ASSERT_TRUE(found.has_value());
  }
  EXPECT_FALSE(IsIconic(*found));
  EXPECT_FALSE(RestoreWindow(*found));
  EXPECT_FALSE(RestoreWindow(WindowHandle{WindowHandle::Source::kLockFile, 0}));
}

}  // namespace
}  // namespace vf::single_instance
