// The about box through the library's export: its texts and size, and its closing by Enter and
// by Escape while clicks on its links leave it open.
#include <windows.h>

#include <gmock/gmock.h>

#include <string>
#include <thread>
#include <vector>

#include "LibraryTestSupport.h"
#include "ScopedWin.h"
#include "TestBinding.h"
#include "tandrycore.h"

namespace {

using ::testing::Contains;
using tandry::ScopedModule;
using tandry::wintest::ExportOf;

// What a second thread saw of one display of the about box, which it then closed with `key`.
struct AboutBoxSeen {
  HWND box = nullptr;
  RECT client{};
  std::vector<std::string> texts;
  bool okHasFocus = false;
  bool openAfterLinkClicks = false;
};

// Clicks a label as the mouse would.
void Click(HWND control) {
  ::PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

HWND ChildWithText(HWND parent, const char* text) {
  return ::FindWindowExA(parent, nullptr, nullptr, text);
}

void ObserveAndClose(AboutBoxSeen& seen, WPARAM key, bool clickLinks) {
  seen.box = tandry_test::WaitForOwnWindow("#32770", "About");
  if (!seen.box) return;
  ::GetClientRect(seen.box, &seen.client);
  seen.texts = tandry_test::ChildTexts(seen.box);

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
  AboutBoxSeen ShowAndClose(WPARAM key, bool clickLinks = false) {
    AboutBoxSeen seen;
    std::thread closer(ObserveAndClose, std::ref(seen), key, clickLinks);
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

}  // namespace
