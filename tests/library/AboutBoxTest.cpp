// The about box through the library's export: its texts and size, its closing by Enter and by
// Escape while clicks on its links leave it open, and its modality over the thread's windows.
#include <windows.h>

#include <gmock/gmock.h>

#include <string>
#include <thread>
#include <vector>

#include "LibraryTestSupport.h"
#include "ScopedWin.h"
#include "TestBinding.h"
#include "TestWindows.h"
#include "tandrycore.h"

namespace {

using ::testing::Contains;
using ::testing::Each;
using tandry::ScopedModule;
using tandry::wintest::ExportOf;
using tandry::wintest::TestWindow;

// What a second thread saw of one display of the about box, which it then closed with `key`.
struct AboutBoxSeen {
  HWND box = nullptr;
  RECT client{};
  std::vector<std::string> texts;
  bool okHasFocus = false;
  bool openAfterLinkClicks = false;
  HWND owner = nullptr;
  // Of the watched windows of the box's thread, while the box was up.
  std::vector<bool> enabled;
  std::vector<bool> behindTheBox;
};

// Clicks a label as the mouse would.
void Click(HWND control) {
  ::PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

HWND ChildWithText(HWND parent, const char* text) {
  return ::FindWindowExA(parent, nullptr, nullptr, text);
}

bool Behind(HWND front, HWND window) {
  for (HWND next = ::GetWindow(front, GW_HWNDNEXT); next; next = ::GetWindow(next, GW_HWNDNEXT)) {
    if (next == window) return true;
  }
  return false;
}

void ObserveAndClose(AboutBoxSeen& seen, WPARAM key, bool clickLinks,
                     const std::vector<HWND>& watched) {
  seen.box = tandry_test::WaitForOwnWindow("#32770", "About");
  if (!seen.box) return;
  ::GetClientRect(seen.box, &seen.client);
  seen.texts = tandry_test::ChildTexts(seen.box);
  seen.owner = ::GetWindow(seen.box, GW_OWNER);
  for (HWND window : watched) {
    seen.enabled.push_back(::IsWindowEnabled(window) != FALSE);
    seen.behindTheBox.push_back(Behind(seen.box, window));
  }

  GUITHREADINFO focus{};
  focus.cbSize = sizeof focus;
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(seen.box, nullptr), &focus);
  seen.okHasFocus = focus.hwndFocus == ::GetDlgItem(seen.box, IDOK);

  if (clickLinks) {
    Click(ChildWithText(seen.box, "Tandry"));
    Click(ChildWithText(seen.box, "Copyright (C) 2003-2025 The Tandry Team"));
    ::Sleep(500);
    seen.openAfterLinkClicks = ::IsWindowVisible(seen.box) != FALSE;
  }
  ::PostMessageA(focus.hwndFocus ? focus.hwndFocus : seen.box, WM_KEYDOWN, key, 1);
}

class AboutBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(library_);
    show_ = ExportOf<decltype(&::ShowAboutForm)>(library_.get(), "ShowAboutForm");
    ASSERT_TRUE(show_);
  }

  // Shows the box; returns when the other thread has closed it.
  AboutBoxSeen ShowAndClose(WPARAM key, bool clickLinks = false,
                            const std::vector<HWND>& watched = {}) {
    AboutBoxSeen seen;
    std::thread closer(ObserveAndClose, std::ref(seen), key, clickLinks, std::cref(watched));
    show_();
    closer.join();
    return seen;
  }

  ScopedModule library_{::LoadLibraryA("tandrycore.dll")};
  decltype(&::ShowAboutForm) show_ = nullptr;
};

TEST_F(AboutBoxTest, ShowsItsTextsAndClosesOnEnter) {
  const AboutBoxSeen seen = ShowAndClose(VK_RETURN);
  ASSERT_NE(seen.box, nullptr);
  EXPECT_EQ(seen.client.right, 434);
  EXPECT_EQ(seen.client.bottom, 241);
  EXPECT_THAT(seen.texts, Contains("Tandry"));
  EXPECT_THAT(seen.texts, Contains("Version 4.2"));
  EXPECT_THAT(seen.texts, Contains("Copyright (C) 2003-2025 The Tandry Team"));
  EXPECT_THAT(seen.texts, Contains("OK"));
  EXPECT_TRUE(seen.okHasFocus);
  EXPECT_FALSE(::IsWindow(seen.box));
}

TEST_F(AboutBoxTest, StaysOpenWhenItsLinksAreClickedAndClosesOnEscape) {
  const AboutBoxSeen seen = ShowAndClose(VK_ESCAPE, true);
  ASSERT_NE(seen.box, nullptr);
  EXPECT_TRUE(seen.openAfterLinkClicks);
  EXPECT_FALSE(::IsWindow(seen.box));
}

TEST_F(AboutBoxTest, EachCallShowsAFreshBox) {
  const AboutBoxSeen first = ShowAndClose(VK_ESCAPE);
  const AboutBoxSeen second = ShowAndClose(VK_RETURN);
  ASSERT_NE(first.box, nullptr);
  ASSERT_NE(second.box, nullptr);
  EXPECT_FALSE(::IsWindow(second.box));
  EXPECT_EQ(second.texts, first.texts);
}

// A visible window of this thread that is left to the end of the process: on this desktop
// every hiding of a visible window waits two seconds for a window manager that is not there,
// and the process's end takes its windows without that wait.
HWND LastingWindow(const char* className, DWORD style) {
  return (new TestWindow(className, style, RECT{200, 200, 600, 500}))->get();
}

TEST_F(AboutBoxTest, IsModalOverEveryWindowOfTheCallingThread) {
  const HWND active = LastingWindow("AboutTestActive", WS_OVERLAPPEDWINDOW);
  const HWND other = LastingWindow("AboutTestOther", WS_POPUP);
  const HWND disabled = LastingWindow("AboutTestDisabled", WS_POPUP);
  ::EnableWindow(disabled, FALSE);
  ASSERT_TRUE(tandry_test::BringToFront(active));

  const AboutBoxSeen seen = ShowAndClose(VK_ESCAPE, false, {active, other, disabled});
  ASSERT_NE(seen.box, nullptr);
  EXPECT_EQ(seen.owner, active);
  EXPECT_THAT(seen.enabled, Each(false));
  EXPECT_THAT(seen.behindTheBox, Each(true));
  // Exactly the windows that the box disabled take input again.
  EXPECT_TRUE(::IsWindowEnabled(active));
  EXPECT_TRUE(::IsWindowEnabled(other));
  EXPECT_FALSE(::IsWindowEnabled(disabled));
}

}  // namespace
