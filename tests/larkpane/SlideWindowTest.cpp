// The one-slide and four-slide windows, through larkpane's exports.
#include <gmock/gmock.h>

#include <tuple>

#include "LarkTestSupport.h"
#include "ScopedWin.h"

namespace larktest {
namespace {

class SlideWindow : public ::testing::Test {
 protected:
  void TearDown() override {
    for (LarkScreenHandle handle : slideHandles_) DestroySlideShow(handle);
    for (LarkScreenHandle handle : fourHandles_) DestroySlideShowSingleScreen(handle);
    EXPECT_THAT(LarkWindows(), ::testing::IsEmpty());
  }

  HWND OpenSlide(const Monitor& m, LarkScreenHandle& handle) {
    HWND window = CreatedWindow(
        [&] { return CreateSlideShow(m.left, m.top, m.width, m.height); }, handle);
    slideHandles_.push_back(handle);
    return window;
  }

  HWND OpenFour(const Monitor& m, LarkScreenHandle& handle) {
    HWND window = CreatedWindow(
        [&] { return CreateSlideShowSingleScreen(m.left, m.top, m.width, m.height, 0); }, handle);
    fourHandles_.push_back(handle);
    return window;
  }

  TempFolder temp_;
  std::vector<LarkScreenHandle> slideHandles_;
  std::vector<LarkScreenHandle> fourHandles_;
};

TEST_F(SlideWindow, CoversItsMonitorAsAFramelessTopMostPopupThatIsNeverActivated) {
  LarkScreenHandle primary = 0, left = 0, right = 0;
  const HWND windows[] = {OpenSlide(kPrimary, primary), OpenSlide(kLeft, left),
                          OpenFour(kRight, right)};
  const Monitor monitors[] = {kPrimary, kLeft, kRight};
  EXPECT_TRUE(primary > 0 && left > 0 && right > 0);
  for (int i = 0; i < 3; ++i) {
    HWND window = windows[i];
    const Monitor& m = monitors[i];
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WindowRectIs(window, m)) << m.left;
    EXPECT_TRUE(::IsWindowVisible(window));
    const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR exStyle = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_NOACTIVATE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    // Nothing loaded yet: black.
    EXPECT_EQ(ClientPixels(window).At(m.width / 2, m.height / 2), kBlack);
  }
}

TEST_F(SlideWindow, DestroyClosesTheWindow) {
  LarkScreenHandle handle = 0;
  HWND window = OpenSlide(kWindowed, handle);
  DestroySlideShow(handle);
  EXPECT_FALSE(::IsWindow(window));
  LarkScreenHandle four = 0;
  HWND fourWindow = OpenFour(kWindowed, four);
  DestroySlideShowSingleScreen(four);
  EXPECT_FALSE(::IsWindow(fourWindow));
}

TEST_F(SlideWindow, ShowsTheBitmapFittedAndCentredOnBlack) {
  const std::string path = temp_.Path("red.bmp");
  WriteSolidBmp(path, 400, 300, kRed);
  LarkScreenHandle handle = 0;
  HWND window = OpenSlide(kWindowed, handle);
  // The engine loads while the desktop's updates are locked.
  ::LockWindowUpdate(::GetDesktopWindow());
  LoadSlide(4, handle, path.c_str(), 0);
  ::LockWindowUpdate(nullptr);
  const WindowPixels shot = ClientPixels(window);
  // 4:3 on 16:9: the slide spans 120 to 840 at full height.
  EXPECT_EQ(shot.At(480, 270), kRed);
  EXPECT_EQ(shot.At(125, 535), kRed);
  EXPECT_EQ(shot.At(835, 270), kRed);
  EXPECT_EQ(shot.At(60, 270), kBlack);
  EXPECT_EQ(shot.At(116, 500), kBlack);
  EXPECT_EQ(shot.At(900, 270), kBlack);

  // A wide slide on a 5:4 rectangle left of the primary monitor: bars above and below.
  const std::string wide = temp_.Path("green.bmp");
  WriteSolidBmp(wide, 1920, 1080, kGreen);
  LarkScreenHandle left = 0;
  HWND leftWindow = OpenSlide(kWindowedLeft, left);
  LoadSlide(2, left, wide.c_str(), 1);
  const WindowPixels leftShot = ClientPixels(leftWindow);
  EXPECT_EQ(leftShot.At(320, 256), kGreen);
  EXPECT_EQ(leftShot.At(320, 40), kBlack);
  EXPECT_EQ(leftShot.At(320, 470), kBlack);
  EXPECT_EQ(leftShot.At(635, 430), kGreen);
}

TEST_F(SlideWindow, ShowsWhatStretchingTheWholeFileAtEveryPaintShowed) {
  // 16:10 slides: bars at the sides of the 16:9 window, above and below in the 5:4 one.
  const std::string wide = temp_.Path("shaded32.bmp"), other = temp_.Path("shaded24.bmp");
  WriteShadedBmp(wide, 1600, 1000, 32, false);
  WriteShadedBmp(other, 1600, 1000, 24, true);
  LarkScreenHandle slide = 0, four = 0;
  HWND slideWindow = OpenSlide(kWindowed, slide);
  HWND fourWindow = OpenFour(kWindowedLeft, four);
  LoadSlide(12, slide, wide.c_str(), 0);
  for (int p = 1; p <= 4; ++p) LoadSlideSingleScreen(p, 12 - p, four, other.c_str(), 0);

  const WindowPixels shot = ClientPixels(slideWindow);
  const RECT image = ShownArea(shot, {0, 0, 960, 540});
  EXPECT_TRUE(SameRect(image, {48, 0, 912, 540}));
  ExpectLooksStretched(shot, image, wide, 4);

  const WindowPixels fourShot = ClientPixels(fourWindow);
  for (const RECT& quadrant : {RECT{0, 0, 320, 256}, RECT{320, 0, 640, 256},
                               RECT{0, 256, 320, 512}, RECT{320, 256, 640, 512}}) {
    const RECT shown = ShownArea(fourShot, quadrant);
    const LONG width = shown.right - shown.left, height = shown.bottom - shown.top;
    EXPECT_NEAR(width * 10.0 / height, 16.0, 0.1) << quadrant.left << "," << quadrant.top;
    EXPECT_GT(shown.top, quadrant.top) << "bars above and below";
    ExpectLooksStretched(fourShot, shown, other, 4);
  }
}

TEST_F(SlideWindow, KeepsTheImageUprightInBothRowOrdersAndDepths) {
  LarkScreenHandle handle = 0;
  HWND window = OpenSlide(kWindowed, handle);
  int n = 0;
  // Scaled, and of the window's own size, which is taken as it is.
  for (auto [width, height] : {std::pair{161, 90}, std::pair{960, 540}}) {
    for (int bits : {24, 32}) {
      for (bool topDown : {false, true}) {
        const std::string path = temp_.Path("bands" + std::to_string(n++) + ".bmp");
        // An odd width makes 24-bit rows carry padding.
        WriteBmp(path, width, height, bits, topDown,
                 [&](int, int y) { return y < height / 2 ? kBlue : kYellow; });
        LoadSlide(1, handle, path.c_str(), 0);
        const WindowPixels shot = ClientPixels(window);
        const std::string what = std::to_string(width) + " wide, " + std::to_string(bits) +
                                 " bits, top-down " + std::to_string(topDown);
        EXPECT_EQ(shot.At(480, 135), kBlue) << what;
        EXPECT_EQ(shot.At(480, 405), kYellow) << what;
        EXPECT_EQ(shot.At(955, 535), kYellow) << what;
      }
    }
  }
}

TEST_F(SlideWindow, MarksTheSlideNumberInTheTopLeftCornerOfTheSlide) {
  const std::string path = temp_.Path("white.bmp");
  WriteSolidBmp(path, 1920, 1080, RGB(255, 255, 255));
  LarkScreenHandle handle = 0;
  HWND window = OpenSlide(kWindowed, handle);
  LoadSlide(7, handle, path.c_str(), 0);
  const WindowPixels shot = ClientPixels(window);
  const COLORREF plate = RGB(40, 40, 40);
  ASSERT_EQ(shot.At(2, 2), plate);
  LONG right = 2, bottom = 2;
  while (shot.At(right, 2) == plate) ++right;
  while (shot.At(2, bottom) == plate) ++bottom;
  EXPECT_GT(right, 15);
  EXPECT_LT(right, 150);
  EXPECT_GT(bottom, 15);
  EXPECT_LT(bottom, 150);
  const int digit = shot.Count({0, 0, right, bottom}, IsBright);
  EXPECT_GT(digit, 10);
  EXPECT_LT(digit, right * bottom / 2);
  EXPECT_EQ(shot.At(950, 530), RGB(255, 255, 255));
}

TEST_F(SlideWindow, RepaintsWhatWasCoveredAsItWas) {
  const std::string path = temp_.Path("shaded.bmp");
  WriteShadedBmp(path, 1280, 720, 32, false);
  LarkScreenHandle slide = 0, four = 0;
  const HWND windows[] = {OpenSlide(kWindowed, slide), OpenFour(kWindowedLeft, four)};
  const Monitor places[] = {kWindowed, kWindowedLeft};
  LoadSlide(2, slide, path.c_str(), 0);
  for (int p = 1; p <= 4; ++p) LoadSlideSingleScreen(p, 9 - p, four, path.c_str(), 0);
  PumpMessagesBriefly();
  for (int i = 0; i < 2; ++i) {
    const WindowPixels painted = ClientPixels(windows[i]);
    // What a paint put on the screen is what the window prints.
    EXPECT_TRUE(ScreenPixels(windows[i]) == painted) << i;
    // Another program's window passes over part of it.
    const RECT part{50, 20, 500, 320};
    {
      RECT covered = part;
      ::OffsetRect(&covered, places[i].left, places[i].top);
      Cover cover(covered);
    }
    // Without a compositor the uncovered part shows what covered it until the window repaints
    // it. Wine keeps the window's own pixels instead, so the test leaves other pixels there
    // and asks for the repaint that uncovering brings on Windows.
    {
      tandry::ScopedGetDC dc(windows[i]);
      ::FillRect(dc.get(), &part, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    ASSERT_FALSE(ScreenPixels(windows[i]) == painted);
    ::InvalidateRect(windows[i], &part, FALSE);
    ::UpdateWindow(windows[i]);
    EXPECT_TRUE(ScreenPixels(windows[i]) == painted) << i;
  }
}

TEST_F(SlideWindow, ShowsAnEmptyPositionForNoSlideNoPathNoFileOrNoBmp) {
  TempFolder& t = temp_;
  const std::string good = t.Path("good.bmp");
  WriteSolidBmp(good, 64, 36, kRed);
  const std::vector<std::uint8_t> bytes = ReadBytes(good);

  const std::string truncated = t.Path("truncated.bmp");
  WriteBytes(truncated, std::vector<std::uint8_t>(bytes.begin(), bytes.end() - 1));
  const std::string eightBit = t.Path("eightbit.bmp");
  std::vector<std::uint8_t> spoiled = bytes;
  spoiled[28] = 8;
  WriteBytes(eightBit, spoiled);
  const std::string hugeOffset = t.Path("offset.bmp");
  spoiled = bytes;
  spoiled[10] = spoiled[11] = spoiled[12] = spoiled[13] = 0xFF;
  WriteBytes(hugeOffset, spoiled);
  const std::string text = t.Path("text.bmp");
  WriteBytes(text, {'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'});
  const std::string empty = t.Path("empty.bmp");
  WriteBytes(empty, {});
  const std::string folder = t.Path("folder.bmp");
  ::CreateDirectoryA(folder.c_str(), nullptr);
  const std::string missing = t.Path("missing.bmp");

  LarkScreenHandle handle = 0;
  HWND window = OpenSlide(kWindowed, handle);
  struct Case {
    const char* what;
    int slide;
    const char* path;
  };
  for (const Case& c : {Case{"slide 0", 0, good.c_str()}, Case{"slide -1", -1, good.c_str()},
                        Case{"nil path", 3, nullptr}, Case{"empty path", 3, ""},
                        Case{"missing file", 3, missing.c_str()},
                        Case{"truncated", 3, truncated.c_str()},
                        Case{"8-bit", 3, eightBit.c_str()},
                        Case{"offset beyond the file", 3, hugeOffset.c_str()},
                        Case{"text", 3, text.c_str()}, Case{"empty file", 3, empty.c_str()},
                        Case{"folder", 3, folder.c_str()}}) {
    LoadSlide(2, handle, good.c_str(), 0);
    ASSERT_EQ(ClientPixels(window).At(480, 270), kRed);
    LoadSlide(c.slide, handle, c.path, 1);
    const WindowPixels shot = ClientPixels(window);
    EXPECT_EQ(shot.Count({0, 0, 960, 540}, [](COLORREF p) { return p != kBlack; }), 0)
        << c.what;
  }
}

TEST_F(SlideWindow, ReadsTheFileOnceAndLetsItGo) {
  const std::string path = temp_.Path("gone.bmp");
  WriteSolidBmp(path, 64, 36, kGreen);
  LarkScreenHandle handle = 0;
  HWND window = OpenSlide(kWindowed, handle);
  LoadSlide(5, handle, path.c_str(), 0);
  // The engine deletes its bitmaps at the stop while the windows may still show them.
  EXPECT_TRUE(::DeleteFileA(path.c_str()));
  EXPECT_EQ(ClientPixels(window).At(480, 270), kGreen);
}

TEST_F(SlideWindow, ShowsSlidesOfChangingSizesOneAfterAnother) {
  LarkScreenHandle handle = 0;
  HWND window = OpenSlide(kWindowed, handle);
  int n = 0;
  for (auto [width, height, colour] : {std::tuple{800, 450, kRed}, std::tuple{64, 36, kGreen},
                                       std::tuple{1600, 900, kBlue}, std::tuple{16, 9, kYellow}}) {
    const std::string path = temp_.Path("size" + std::to_string(n++) + ".bmp");
    WriteSolidBmp(path, width, height, colour);
    LoadSlide(n, handle, path.c_str(), 0);
    const WindowPixels shot = ClientPixels(window);
    EXPECT_EQ(shot.At(480, 270), colour) << width;
    EXPECT_EQ(shot.At(955, 535), colour) << width;
  }
}

TEST_F(SlideWindow, FitsItsSlidesAgainWhenItsSizeChanges) {
  // A display change can resize the windows; the file may be gone by then.
  const std::string path = temp_.Path("bands.bmp");
  WriteBmp(path, 400, 300, 32, false, [](int, int y) { return y < 150 ? kBlue : kYellow; });
  LarkScreenHandle slide = 0, four = 0;
  HWND slideWindow = OpenSlide(kWindowed, slide);
  HWND fourWindow = OpenFour(kWindowedLeft, four);
  LoadSlide(6, slide, path.c_str(), 0);
  LoadSlideSingleScreen(4, 3, four, path.c_str(), 0);
  ::DeleteFileA(path.c_str());
  const UINT keep = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  ::SetWindowPos(slideWindow, nullptr, 0, 0, 480, 480, keep);
  ::SetWindowPos(fourWindow, nullptr, 0, 0, 800, 450, keep);

  // 4:3 in a square: 480 x 360, bars above and below, the number in the image's corner.
  const WindowPixels shot = ClientPixels(slideWindow);
  EXPECT_TRUE(SameRect(ShownArea(shot, {0, 0, 480, 480}), {0, 60, 480, 420}));
  EXPECT_EQ(shot.At(240, 100), kBlue);
  EXPECT_EQ(shot.At(240, 400), kYellow);
  EXPECT_EQ(shot.At(2, 62), RGB(40, 40, 40));
  EXPECT_EQ(shot.At(240, 30), kBlack);
  // Position 4 is the bottom-right quadrant of the new size.
  const WindowPixels fourShot = ClientPixels(fourWindow);
  EXPECT_EQ(fourShot.At(600, 280), kBlue);
  EXPECT_EQ(fourShot.At(600, 420), kYellow);
  EXPECT_EQ(fourShot.Count({0, 0, 800, 225}, [](COLORREF c) { return c != kBlack; }), 0);

  // Shrunk to nothing (as minimised) and back: the slide is still there.
  ::SetWindowPos(slideWindow, nullptr, 0, 0, 0, 0, keep);
  ::SetWindowPos(slideWindow, nullptr, 0, 0, 480, 480, keep);
  EXPECT_EQ(ClientPixels(slideWindow).At(240, 100), kBlue);
}

TEST_F(SlideWindow, FourSlideWindowShowsEachPositionInItsQuadrant) {
  const COLORREF colours[] = {kRed, kGreen, kBlue, kYellow};
  LarkScreenHandle handle = 0;
  HWND window = OpenFour(kWindowed, handle);
  for (int p = 1; p <= 4; ++p) {
    const std::string path = temp_.Path("four" + std::to_string(p) + ".bmp");
    WriteSolidBmp(path, 160, 90, colours[p - 1]);
    LoadSlideSingleScreen(p, 10 - p, handle, path.c_str(), 0);
  }
  // Positions outside 1 to 4 change nothing.
  const std::string other = temp_.Path("other.bmp");
  WriteSolidBmp(other, 160, 90, RGB(255, 255, 255));
  for (int p : {0, 5, -1}) LoadSlideSingleScreen(p, 3, handle, other.c_str(), 0);

  const WindowPixels shot = ClientPixels(window);
  EXPECT_EQ(shot.At(240, 135), kRed);
  EXPECT_EQ(shot.At(720, 135), kGreen);
  EXPECT_EQ(shot.At(240, 405), kBlue);
  EXPECT_EQ(shot.At(720, 405), kYellow);
  // The slides stay apart and inside their quadrants.
  EXPECT_EQ(shot.At(480, 135), kBlack);
  EXPECT_EQ(shot.At(240, 270), kBlack);

  LoadSlideSingleScreen(3, 0, handle, nullptr, 1);
  const WindowPixels after = ClientPixels(window);
  EXPECT_EQ(after.At(240, 405), kBlack);
  EXPECT_EQ(after.At(720, 405), kYellow);
}

// The four-slide window as the engine drives it: at each step every position is loaded, in order,
// with the slide one before its neighbour's; a slide captured again is a new file renamed over
// the old one, with a later write time.
TEST_F(SlideWindow, FourSlideWindowFollowsTheSlidesForwardBackAndRecaptured) {
  COLORREF colours[] = {kRed, kGreen, kBlue, kYellow, RGB(255, 0, 255), RGB(0, 255, 255)};
  const COLORREF white = RGB(255, 255, 255);
  std::vector<std::string> paths;
  for (int slide = 1; slide <= 6; ++slide) {
    paths.push_back(temp_.Path("slide" + std::to_string(slide) + ".bmp"));
    WriteSolidBmp(paths.back(), 160, 90, colours[slide - 1]);
  }
  LarkScreenHandle handle = 0;
  HWND window = OpenFour(kWindowed, handle);
  const auto showSlidesBefore = [&](int current) {
    for (int p = 1; p <= 4; ++p) {
      const int slide = current - p;
      LoadSlideSingleScreen(p, slide, handle, slide > 0 ? paths[slide - 1].c_str() : nullptr, 0);
    }
  };
  const auto expectSlidesBefore = [&](int current, const char* step) {
    const WindowPixels shot = ClientPixels(window);
    const POINT centres[] = {{240, 135}, {720, 135}, {240, 405}, {720, 405}};
    for (int p = 1; p <= 4; ++p) {
      const int slide = current - p;
      const COLORREF expected = slide > 0 ? colours[slide - 1] : kBlack;
      EXPECT_EQ(shot.At(centres[p - 1].x, centres[p - 1].y), expected)
          << step << ", position " << p;
    }
  };
  for (int current : {2, 3, 4, 5, 6, 7}) {
    showSlidesBefore(current);
    expectSlidesBefore(current, "forward");
  }
  for (int current : {6, 5, 6, 6}) {
    showSlidesBefore(current);
    expectSlidesBefore(current, "back, forward and the same slide again");
  }

  // Slide 4, now in position 2, captured again; the show stays on slide 6.
  FILETIME written{};
  {
    tandry::ScopedFile old(::CreateFileA(paths[3].c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(::GetFileTime(old.get(), nullptr, nullptr, &written));
  }
  const std::string capture = paths[3] + ".tmp";
  WriteSolidBmp(capture, 160, 90, white);
  {
    // A second later than the capture it replaces, as the next capture of a slide always is.
    tandry::ScopedFile file(::CreateFileA(capture.c_str(), GENERIC_WRITE, 0, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    ULARGE_INTEGER later{};
    later.LowPart = written.dwLowDateTime;
    later.HighPart = written.dwHighDateTime;
    later.QuadPart += 10'000'000;
    const FILETIME time{later.LowPart, later.HighPart};
    ASSERT_TRUE(::SetFileTime(file.get(), nullptr, nullptr, &time));
  }
  ASSERT_TRUE(::MoveFileExA(capture.c_str(), paths[3].c_str(), MOVEFILE_REPLACE_EXISTING));
  colours[3] = white;
  showSlidesBefore(6);
  expectSlidesBefore(6, "slide 4 captured again");
  showSlidesBefore(7);
  expectSlidesBefore(7, "forward after the new capture");
}

}  // namespace
}  // namespace larktest
