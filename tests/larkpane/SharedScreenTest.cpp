// The shared-screen window: three earlier slides, and the notes, beside the show window on the
// show's own monitor.
#include <gmock/gmock.h>

#include "LarkTestSupport.h"
#include "ScopedWin.h"

namespace larktest {
namespace {

using tandry::wintest::WindowRectOf;

class SharedScreen : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_THAT(LarkWindows(), ::testing::IsEmpty()); }

  HWND Open(HWND show, bool notes, LarkScreenHandle& handle, int monitorIndex = 0) {
    return CreatedWindow(
        [&] { return CreateSlideShowSharedSingleScreen(monitorIndex, show, notes ? 1 : 0); },
        handle);
  }

  std::string Solid(const std::string& name, COLORREF colour) {
    const std::string path = temp_.Path(name);
    WriteSolidBmp(path, 192, 108, colour);
    return path;
  }

  TempFolder temp_;
};

TEST_F(SharedScreen, WithNotesLeavesTheShowTheTopLeftAndStacksTheSlidesBesideIt) {
  // The show window somewhere on the right monitor; it is the foreground window.
  ForegroundWindow show({2020, 50, 800, 600});
  LarkScreenHandle handle = 0;
  // The index is not what places the window: the show window's monitor is.
  HWND window = Open(show.get(), true, handle, 7);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WindowRectIs(window, kRight));
  EXPECT_TRUE(::IsWindowVisible(window));
  EXPECT_TRUE(::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_NOACTIVATE);
  EXPECT_TRUE(SameRect(WindowRectOf(show.get()), {1920, 0, 1920 + 1440, 810}));
  // The show's part is cut out of the window, so the show stays visible in any z-order.
  tandry::ScopedGdiObj<HRGN> region(::CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(::GetWindowRgn(window, region.get()), ERROR);
  EXPECT_FALSE(::PtInRegion(region.get(), 700, 400));
  EXPECT_TRUE(::PtInRegion(region.get(), 1700, 400));
  EXPECT_TRUE(::PtInRegion(region.get(), 700, 1000));

  ::LockWindowUpdate(::GetDesktopWindow());
  LoadNotesSingleScreen(5, handle, L"Mention the budget\rThen the timeline\vand the risks");
  LoadSlideSharedSingleScreen(1, 4, handle, Solid("p1.bmp", kRed).c_str(), 0);
  LoadSlideSharedSingleScreen(2, 3, handle, Solid("p2.bmp", kGreen).c_str(), 0);
  LoadSlideSharedSingleScreen(3, 2, handle, Solid("p3.bmp", kBlue).c_str(), 0);
  LoadSlideSharedSingleScreen(4, 1, handle, Solid("p4.bmp", kYellow).c_str(), 0);
  ::LockWindowUpdate(nullptr);
  const WindowPixels shot = ClientPixels(window);
  EXPECT_EQ(shot.At(1680, 135), kRed);
  EXPECT_EQ(shot.At(1680, 405), kGreen);
  EXPECT_EQ(shot.At(1680, 675), kBlue);
  EXPECT_EQ(shot.Count({1440, 0, 1920, 1080}, [](COLORREF c) { return c == kYellow; }), 0);
  const RECT band{0, 810, 1920, 1080};
  EXPECT_GT(shot.Count(band, IsBright), 200) << "notes text";

  LoadNotesSingleScreen(6, handle, nullptr);
  LoadSlideSharedSingleScreen(2, -1, handle, nullptr, 1);
  const WindowPixels after = ClientPixels(window);
  EXPECT_EQ(after.Count(band, IsBright), 0);
  EXPECT_EQ(after.At(1680, 405), kBlack);
  EXPECT_EQ(after.At(1680, 135), kRed);

  // A shaded slide looks as stretching it did, and what the paint puts on the screen, the
  // notes band included, is what the window prints.
  const std::string shaded = temp_.Path("shaded.bmp");
  WriteShadedBmp(shaded, 1920, 1080, 32, false);
  LoadNotesSingleScreen(7, handle, L"The shaded slide");
  LoadSlideSharedSingleScreen(3, 5, handle, shaded.c_str(), 0);
  PumpMessagesBriefly();
  const WindowPixels printed = ClientPixels(window);
  ExpectLooksStretched(printed, ShownArea(printed, {1440, 540, 1920, 810}), shaded, 4);
  const WindowPixels screen = ScreenPixels(window);
  EXPECT_TRUE(SamePixels(screen, printed, {1440, 0, 1920, 810}));
  EXPECT_TRUE(SamePixels(screen, printed, band));
  EXPECT_GT(printed.Count(band, IsBright), 200);

  DestroySlideShowSharedSingleScreen(handle);
  EXPECT_FALSE(::IsWindow(window));
  // The show gets back the rectangle it had.
  EXPECT_TRUE(SameRect(WindowRectOf(show.get()), {2020, 50, 2820, 650}));
  EXPECT_EQ(::GetForegroundWindow(), show.get());
}

TEST_F(SharedScreen, WithoutNotesTheSlidesFillTheRightThirdOfANegativeLeftMonitor) {
  ForegroundWindow show({-1200, 40, 800, 600});
  LarkScreenHandle handle = 0;
  HWND window = Open(show.get(), false, handle);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WindowRectIs(window, kLeft));
  // Two thirds of each side, centred vertically: the captures keep the monitor's shape.
  EXPECT_TRUE(SameRect(WindowRectOf(show.get()), {-1280, 171, -1280 + 853, 171 + 682}));
  LoadNotesSingleScreen(1, handle, L"not shown without the notes flag");
  LoadSlideSharedSingleScreen(1, 3, handle, Solid("a.bmp", kGreen).c_str(), 0);
  LoadSlideSharedSingleScreen(3, 1, handle, Solid("c.bmp", kYellow).c_str(), 0);
  const WindowPixels shot = ClientPixels(window);
  EXPECT_EQ(shot.At(1066, 170), kGreen);
  EXPECT_EQ(shot.At(1066, 511), kBlack);
  EXPECT_EQ(shot.At(1066, 853), kYellow);
  EXPECT_EQ(shot.Count({0, 860, 850, 1024}, IsBright), 0);
  DestroySlideShowSharedSingleScreen(handle);
  EXPECT_TRUE(SameRect(WindowRectOf(show.get()), {-1200, 40, -400, 640}));
}

TEST_F(SharedScreen, NeedsAShowWindow) {
  LarkScreenHandle handle = -1;
  EXPECT_EQ(Open(nullptr, true, handle), nullptr);
  EXPECT_EQ(handle, 0);
  HWND gone = nullptr;
  {
    ForegroundWindow show(kWindowed);
    gone = show.get();
  }
  EXPECT_EQ(Open(gone, false, handle), nullptr);
  EXPECT_EQ(handle, 0);
}

}  // namespace
}  // namespace larktest
