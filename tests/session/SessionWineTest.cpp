// The session over a real window: the subclass chain, the captures it triggers, the bitmap
// files, and larkpane's windows on the monitors.
#include <windows.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "MainUnit.h"
#include "PrintWindow.h"
#include "SharedUnit.h"
#include "ShowWindowFake.h"
#include "TestBinding.h"
#include "TestFiles.h"
#include "TestWindows.h"

namespace tandry::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAreArray;
using wintest::BitmapFilePixel;
using wintest::DispatchVariant;
using wintest::FileExists;
using wintest::VisibleThreadWindows;
using wintest::WindowRectOf;

RECT MonitorRectAt(std::int32_t index) {
  std::int32_t left = 0, top = 0, width = 0, height = 0;
  GetMonitorInfo(index, &left, &top, &width, &height);
  return RECT{left, top, left + width, top + height};
}

std::vector<std::string> RectTexts(const std::vector<RECT>& rects) {
  std::vector<std::string> texts;
  for (const RECT& r : rects)
    texts.push_back(std::to_string(r.left) + "," + std::to_string(r.top) + "-" +
                    std::to_string(r.right) + "," + std::to_string(r.bottom));
  return texts;
}

class SessionWineTest : public ::testing::Test {
 protected:
  // What the library's load does; these tests link the units without it.
  static void SetUpTestSuite() { BindPrintWindow(); }
  void TearDown() override {
    StopTandrySession();
    DestroyTandrySession();
    EXPECT_EQ(object.references(), 1u);
  }

  VARIANT Object() { return DispatchVariant(&object); }
  std::vector<std::string> Paths() { return SessionState().bitmapPaths.value_or(std::vector<std::string>{}); }
  LONG_PTR ShowProcedure() { return ::GetWindowLongPtrW(show.handle(), GWLP_WNDPROC); }
  std::vector<HWND> LarkpaneWindows() { return VisibleThreadWindows(show.handle()); }
  int Prints(UINT message, WPARAM wParam) {
    const int before = show.printClientCount;
    ::SendMessageW(show.handle(), message, wParam, 0);
    return show.printClientCount - before;
  }

  FakeShowWindow show{RECT{0, 0, 320, 240}};
  FakeSlideShowWindow object{show.handle()};
};

TEST_F(SessionWineTest, BitmapNamesAreNewGuidsInTheTemporaryDirectory) {
  CreateTandrySession("Talk", Object(), 0, 3, -1);
  const std::vector<std::string> paths = Paths();
  ASSERT_EQ(paths.size(), 3u);
  const std::string dir = GetTempDir();
  for (const std::string& path : paths) {
    ASSERT_EQ(path.size(), dir.size() + 38 + 4) << path;
    EXPECT_EQ(path.compare(0, dir.size(), dir), 0) << path;
    EXPECT_EQ(path[dir.size()], '{');
    EXPECT_EQ(path.substr(dir.size() + 37), "}.bmp");
    EXPECT_EQ(path.substr(dir.size(), 38).find_first_of("abcdef"), std::string::npos) << path;
    EXPECT_FALSE(FileExists(path));
  }
  EXPECT_EQ(std::set<std::string>(paths.begin(), paths.end()).size(), 3u);
  EXPECT_EQ(SessionState().hostWindow, reinterpret_cast<WindowId>(show.handle()));
}

TEST_F(SessionWineTest, CreateCallsWhileTheSessionRunsLeaveTheirObjectUntouched) {
  CreateTandrySession("Talk", Object(), 1, 2, -1);
  StartTandrySession();
  const std::vector<std::string> paths = Paths();
  FakeSlideShowWindow other{show.handle()};
  CreateTandrySession("Other", DispatchVariant(&other), 2, 5, -1);
  CreateTandrySharedScreenSession("Other", DispatchVariant(&other), 0, 5, 1);
  EXPECT_EQ(other.calls(), 0);
  EXPECT_EQ(other.references(), 1u);
  EXPECT_EQ(Paths(), paths);
  EXPECT_EQ(SessionState().presentationName, "Talk");
}

TEST_F(SessionWineTest, EveryMessageReachesTheWindowsOwnProcedureWithItsResult) {
  const LONG_PTR own = ShowProcedure();
  ASSERT_EQ(own, FakeShowWindow::OwnProcedure());
  CreateTandrySession("Talk", Object(), 0, 2, -1);
  StartTandrySession();
  EXPECT_EQ(::GetWindowLongPtrA(show.handle(), GWLP_WNDPROC),
            reinterpret_cast<LONG_PTR>(&SlideShowWindowProc));

  for (UINT message = WM_APP; message < WM_APP + 8; ++message) {
    show.received.clear();
    EXPECT_EQ(::SendMessageW(show.handle(), message, message * 2, 0),
              FakeShowWindow::ResultFor(message));
    ASSERT_EQ(show.received.size(), 1u);
    EXPECT_EQ(show.received[0].message, message);
    EXPECT_EQ(show.received[0].wParam, message * 2);
  }
  // A capturing message reaches it too, after the capture.
  show.received.clear();
  EXPECT_EQ(::SendMessageW(show.handle(), WM_KEYUP, VK_SPACE, 0), 0x77);
  EXPECT_EQ(show.received.back().message, static_cast<UINT>(WM_KEYUP));
  EXPECT_EQ(::SendMessageW(show.handle(), WM_LBUTTONUP, 0, 0), 0x78);

  StopTandrySession();
  EXPECT_EQ(ShowProcedure(), own);
  EXPECT_TRUE(::IsWindowUnicode(show.handle()));
  EXPECT_EQ(Prints(WM_KEYUP, VK_SPACE), 0);
}

TEST_F(SessionWineTest, ExactlyTheNavigationKeyUpsAndLeftAndRightButtonUpsCapture) {
  CreateTandrySession("Talk", Object(), 0, 1, -1);
  StartTandrySession();
  std::vector<WPARAM> capturing;
  for (WPARAM key = 0; key < 256; ++key) {
    if (Prints(WM_KEYUP, key) > 0) capturing.push_back(key);
    EXPECT_EQ(Prints(WM_KEYDOWN, key), 0);
    EXPECT_EQ(Prints(WM_SYSKEYUP, key), 0);
  }
  EXPECT_THAT(capturing, ElementsAre(VK_BACK, VK_RETURN, VK_SPACE, VK_PRIOR, VK_NEXT, VK_LEFT,
                                     VK_UP, VK_RIGHT, VK_DOWN, 'N', 'P'));
  EXPECT_EQ(Prints(WM_LBUTTONUP, 0), 1);
  EXPECT_EQ(Prints(WM_RBUTTONUP, 0), 1);
  EXPECT_EQ(Prints(WM_MBUTTONUP, 0), 0);
  EXPECT_EQ(Prints(WM_MOUSEWHEEL, 0), 0);
  EXPECT_EQ(Prints(WM_LBUTTONDOWN, 0), 0);
}

TEST_F(SessionWineTest, CapturesShowTheWindowBeforeItHandlesTheKeyAndAfterTheSlideChange) {
  CreateTandrySession("Talk", Object(), 0, 3, -1);
  StartTandrySession();
  const std::vector<std::string> paths = Paths();
  // The window moves on to slide 2 when it handles the key; the capture came first.
  ::SendMessageW(show.handle(), WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(show.slide, 2);
  EXPECT_EQ(BitmapFilePixel(paths[0], 10, 10), QuadrantsOf(1).topLeft);

  NextSlide(2, L"");
  EXPECT_EQ(BitmapFilePixel(paths[1], 10, 10), QuadrantsOf(2).topLeft);
  EXPECT_EQ(BitmapFilePixel(paths[1], 310, 230), QuadrantsOf(2).bottomRight);
  EXPECT_FALSE(FileExists(paths[2]));

  // Back to slide 1: nothing captured; a build step captures again.
  show.slide = 5;
  NextSlide(1, L"");
  EXPECT_EQ(BitmapFilePixel(paths[0], 10, 10), QuadrantsOf(1).topLeft);
  NextBuild();
  EXPECT_EQ(BitmapFilePixel(paths[0], 10, 10), QuadrantsOf(5).topLeft);
}

TEST_F(SessionWineTest, BitmapFilesGoAtStartAndAtStop) {
  CreateTandrySession("Talk", Object(), 0, 3, -1);
  const std::vector<std::string> paths = Paths();
  std::ofstream(paths[0]) << "left over";
  std::ofstream(paths[2]) << "left over";
  StartTandrySession();
  for (const std::string& path : paths) EXPECT_FALSE(FileExists(path)) << path;

  NextBuild();
  NextSlide(2, L"");
  EXPECT_TRUE(FileExists(paths[0]));
  EXPECT_TRUE(FileExists(paths[1]));
  StopTandrySession();
  for (const std::string& path : paths) EXPECT_FALSE(FileExists(path)) << path;

  // Started again, the same names serve.
  StartTandrySession();
  NextBuild();
  EXPECT_TRUE(FileExists(paths[0]));
  EXPECT_EQ(Paths(), paths);
}

TEST_F(SessionWineTest, LarkpaneWindowsOpenOnTheirMonitorsAndGoAtStop) {
  CreateTandrySession("Talk", Object(), 2, 6, 0);
  AddSessionInfo(0, 1);
  AddSessionInfo(1, 2);
  StartTandrySession();
  std::vector<RECT> rects;
  for (HWND window : LarkpaneWindows()) rects.push_back(WindowRectOf(window));
  EXPECT_THAT(RectTexts(rects), UnorderedElementsAreArray(RectTexts(
                                    {MonitorRectAt(1), MonitorRectAt(2), MonitorRectAt(0)})));
  for (std::int32_t slide = 2; slide <= 7; ++slide) NextSlide(slide, L"");
  NextSlide(3, L"");

  StopTandrySession();
  EXPECT_THAT(LarkpaneWindows(), IsEmpty());
}

TEST_F(SessionWineTest, TheSharedScreenOpensOnTheShowWindowsMonitor) {
  CreateTandrySharedScreenSession("Talk", Object(), 0, 4, 1);
  StartTandrySession();
  const std::vector<HWND> windows = LarkpaneWindows();
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(::MonitorFromWindow(windows[0], MONITOR_DEFAULTTONULL),
            ::MonitorFromWindow(show.handle(), MONITOR_DEFAULTTONULL));
  NextSlide(2, L"Notes of slide 2\r\nsecond line");
  NextSlide(3, nullptr);
  StopTandrySession();
  EXPECT_THAT(LarkpaneWindows(), IsEmpty());
}

TEST_F(SessionWineTest, MonitorsOutsideTheListOpenNoWindows) {
  CreateTandrySession("Talk", Object(), 2, 3, 9);
  AddSessionInfo(0, -1);
  AddSessionInfo(1, 3);
  StartTandrySession();
  EXPECT_THAT(LarkpaneWindows(), IsEmpty());
  EXPECT_THAT(SessionState().screenHandles, ElementsAre(0, 0));
  NextSlide(2, L"");
  EXPECT_TRUE(FileExists(Paths()[1]));
}

TEST_F(SessionWineTest, AnObjectThatIsNoSlideShowWindowIsNeitherSubclassedNorCaptured) {
  PlainDispatch plain;
  const LONG_PTR own = ShowProcedure();
  CreateTandrySession(nullptr, DispatchVariant(&plain), 1, 2, -1);
  EXPECT_EQ(SessionState().hostWindow, 0u);
  StartTandrySession();
  NextSlide(2, nullptr);
  NextBuild();
  EXPECT_EQ(ShowProcedure(), own);
  for (const std::string& path : Paths()) EXPECT_FALSE(FileExists(path));
  StopTandrySession();
  EXPECT_EQ(plain.references(), 1u);
}

TEST_F(SessionWineTest, DestroyingARunningSessionGivesTheWindowItsProcedureBack) {
  const LONG_PTR own = ShowProcedure();
  CreateTandrySession("Talk", Object(), 1, 2, -1);
  StartTandrySession();
  NextSlide(2, L"");
  const std::vector<std::string> paths = Paths();
  DestroyTandrySession();
  EXPECT_EQ(ShowProcedure(), own);
  EXPECT_THAT(LarkpaneWindows(), IsEmpty());
  for (const std::string& path : paths) EXPECT_FALSE(FileExists(path));
  EXPECT_FALSE(SessionState().bitmapPaths);
  EXPECT_EQ(::SendMessageW(show.handle(), WM_APP, 0, 0), FakeShowWindow::ResultFor(WM_APP));
}

TEST_F(SessionWineTest, UnloadingWithARunningSessionGivesTheWindowItsProcedureBack) {
  const LONG_PTR own = ShowProcedure();
  CreateTandrySharedScreenSession("Talk", Object(), 0, 2, 0);
  StartTandrySession();
  ReleaseSession(false);
  EXPECT_EQ(ShowProcedure(), own);
  EXPECT_THAT(LarkpaneWindows(), IsEmpty());
  EXPECT_FALSE(SessionState().bitmapPaths);
}

}  // namespace
}  // namespace tandry::testing
