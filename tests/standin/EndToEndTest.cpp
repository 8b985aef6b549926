// The whole engine against the stand-in: a show on the primary monitor, the slide before it on
// the left monitor and the four slides before that on the right one, driven by key presses as a
// presenter makes them, with the driver playing the add-in's part.
#include <windows.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "ApplicationObject.h"
#include "CommandLine.h"
#include "Deck.h"
#include "Driver.h"
#include "MessagePump.h"
#include "Monitors.h"
#include "PresentationObject.h"
#include "SlideShowWindowObject.h"
#include "StandinTestSupport.h"
#include "TestWindows.h"
#include "WindowPixels.h"

namespace tandry::standin {
namespace {

using wintest::DispatchPendingMessages;
using wintest::VisibleThreadWindows;
using wintest::WholeWindowPixels;
using wintest::WindowPixels;
using wintest::WindowRectOf;

constexpr int kSlides = 8;  // with 0, 1, 2, 3, 0, 1, 2 and 3 build steps

// The slide bitmaps that exist now: files named by a braced GUID in the temporary directory.
std::set<std::string> SlideBitmaps() {
  char directory[MAX_PATH + 1] = {};
  GetTempPathA(sizeof directory, directory);
  std::set<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((std::string(directory) + "{*}.bmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.insert(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

// The visible window of this thread, other than `except`, that covers `monitor` exactly.
HWND WindowOver(const RECT& monitor, HWND except) {
  for (HWND window : VisibleThreadWindows(except)) {
    const RECT rect = WindowRectOf(window);
    if (EqualRect(&rect, &monitor)) return window;
  }
  return nullptr;
}

class EndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    before_ = SlideBitmaps();
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(MonitorRectByIndex(i, monitors_[i]));
    app_ = ApplicationObject::Create("11.0");
    show_ = app_->Open("end to end", GenerateDeck(kSlides)).RunShow(monitors_[0]);
    ASSERT_TRUE(show_);
    window_ = show_->window();
    driver_ = Driver::Start(*app_.get(), *show_.get(), "end to end", kSlides,
                            PlanSession({0, 1, 2}, true));
    ASSERT_TRUE(driver_) << "tandrycore.dll or its session calls are missing";
    DispatchPendingMessages();
  }

  void TearDown() override {
    if (show_) show_->show().End();
    DispatchPendingMessages();
  }

  // Key presses, each followed by what they set off.
  void Press(unsigned virtualKey, int times = 1) {
    for (int i = 0; i < times; ++i) {
      PressKey(window_, virtualKey);
      DispatchPendingMessages();
    }
  }

  // Expects the earlier-slide window to show `slide` (0: none) and the four-slide window the
  // slides in `four`, told apart by their background colours; the current slide shows nowhere.
  void ExpectShown(int slide, std::vector<int> four) {
    const HWND screen = WindowOver(monitors_[1], window_);
    const HWND fourSlides = WindowOver(monitors_[2], window_);
    ASSERT_TRUE(screen);
    ASSERT_TRUE(fourSlides);
    const WindowPixels one = WholeWindowPixels(screen);
    const WindowPixels many = WholeWindowPixels(fourSlides);
    const int onePixels = one.Width() * one.Height();
    const int manyPixels = many.Width() * many.Height();
    for (int n = 1; n <= kSlides; ++n) {
      const COLORREF colour = BackgroundColour(n);
      if (n == slide) {
        EXPECT_GT(one.Count(colour), onePixels / 3) << "slide " << n << " on the left monitor";
      } else {
        EXPECT_EQ(one.Count(colour), 0) << "slide " << n << " on the left monitor";
      }
      if (std::find(four.begin(), four.end(), n) != four.end()) {
        EXPECT_GT(many.Count(colour), manyPixels / 12) << "slide " << n << " in the four";
      } else {
        EXPECT_EQ(many.Count(colour), 0) << "slide " << n << " in the four";
      }
    }
  }

  std::set<std::string> before_;
  RECT monitors_[3]{};
  ScopedComPtr<ApplicationObject> app_;
  ScopedComPtr<SlideShowWindowObject> show_;
  ScopedComPtr<Driver> driver_;
  HWND window_ = nullptr;
};

TEST_F(EndToEndTest, EarlierSlidesFollowTheShowAndNothingIsLeftAfterItsEnd) {
  const HWND screen = WindowOver(monitors_[1], window_);
  const HWND fourSlides = WindowOver(monitors_[2], window_);
  ASSERT_TRUE(screen);
  ASSERT_TRUE(fourSlides);

  Press(VK_RIGHT, 13);  // through every build step to slide 7
  ASSERT_EQ(show_->show().slide(), 7);
  ExpectShown(6, {5, 4, 3, 2});

  Press(VK_LEFT);  // slide 6 again
  ExpectShown(5, {4, 3, 2, 1});

  Press(VK_END);  // slide 8
  ExpectShown(7, {6, 5, 4, 3});

  Press(VK_HOME);  // slide 1: nothing came before it
  ExpectShown(0, {});

  Press(VK_NEXT);  // slide 2 again: its own bitmap is still there from the first pass
  ExpectShown(1, {});

  std::set<std::string> during = SlideBitmaps();
  int made = 0;
  for (const std::string& name : during) made += before_.count(name) == 0;
  EXPECT_EQ(made, kSlides);  // every slide was shown, so every slide was captured

  Press(VK_ESCAPE);
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_FALSE(driver_->running());
  EXPECT_FALSE(IsWindow(screen));
  EXPECT_FALSE(IsWindow(fourSlides));
  for (const std::string& name : SlideBitmaps()) {
    EXPECT_EQ(before_.count(name), 1u) << name << " left behind";
  }
}

}  // namespace
}  // namespace tandry::standin
