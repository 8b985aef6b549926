// The notes view: title and text, large, scrolling when long, never taking the foreground itself.
#include <gmock/gmock.h>

#include "LarkTestSupport.h"

namespace larktest {
namespace {

bool IsTitleColour(COLORREF c) { return GetRValue(c) > 180 && GetBValue(c) < 140; }
bool IsTextColour(COLORREF c) { return IsBright(c) && GetBValue(c) > 150; }

SCROLLINFO Scroll(HWND window) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  ::GetScrollInfo(window, SB_VERT, &info);
  return info;
}

std::wstring LongNotes() {
  std::wstring text;
  for (int i = 1; i <= 60; ++i) text += L"Point " + std::to_wstring(i) + L" of the talk\r";
  return text;
}

// Most of the left monitor (see kWindowed for why not all of it).
constexpr Monitor kNotes{-1280, 0, 1200, 1000};

class NotesView : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = CreatedWindow([] { return CreateNotesView(kNotes.left, kNotes.top, kNotes.width,
                                                        kNotes.height); },
                            handle_);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    HideNotesView(handle_);
    DestroyNotesView(handle_);
    EXPECT_FALSE(::IsWindow(window_));
  }

  LarkScreenHandle handle_ = 0;
  HWND window_ = nullptr;
};

TEST_F(NotesView, CoversItsRectangleHiddenUntilShown) {
  EXPECT_TRUE(WindowRectIs(window_, kNotes));
  EXPECT_FALSE(::IsWindowVisible(window_));
  SetNotesTitle(handle_, L"Talk Notes");
  SetNotesText(handle_, L"");
  ShowNotesView(handle_);
  EXPECT_TRUE(::IsWindowVisible(window_));
  HideNotesView(handle_);
  EXPECT_FALSE(::IsWindowVisible(window_));
}

TEST_F(NotesView, ShowsTheTitleAboveTheWholeText) {
  SetNotesTitle(handle_, L"Talk Notes");
  SetNotesText(handle_, L"First paragraph\rSecond line\vThird line\r\n\u00c4rger \u4e2d\u6587");
  ShowNotesView(handle_);
  const WindowPixels shot = ClientPixels(window_);
  RECT client{};
  ::GetClientRect(window_, &client);
  const RECT titleBand{0, 0, client.right, 100};
  const RECT textBand{0, 110, client.right, client.bottom};
  EXPECT_GT(shot.Count(titleBand, IsTitleColour), 100);
  EXPECT_EQ(shot.Count(textBand, IsTitleColour), 0);
  // Five lines of large type: text reaches well down the window.
  EXPECT_GT(shot.Count(textBand, IsTextColour), 500);
  EXPECT_GT(shot.Count({0, 300, client.right, 420}, IsTextColour), 50);

  SetNotesText(handle_, nullptr);
  const WindowPixels emptied = ClientPixels(window_);
  EXPECT_EQ(emptied.Count(textBand, IsBright), 0);
  EXPECT_GT(emptied.Count(titleBand, IsTitleColour), 100);
}

TEST_F(NotesView, ShortTextDoesNotScroll) {
  SetNotesText(handle_, L"Short");
  const SCROLLINFO info = Scroll(window_);
  EXPECT_LE(info.nMax + 1, static_cast<int>(info.nPage));
  ::SendMessageA(window_, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(Scroll(window_).nPos, 0);
}

TEST_F(NotesView, LongTextScrollsByBarAndWheel) {
  SetNotesTitle(handle_, L"Talk Notes");
  SetNotesText(handle_, LongNotes().c_str());
  ShowNotesView(handle_);
  const SCROLLINFO start = Scroll(window_);
  ASSERT_GT(start.nMax + 1, static_cast<int>(start.nPage));
  EXPECT_EQ(start.nPos, 0);
  const int last = start.nMax + 1 - static_cast<int>(start.nPage);
  const WindowPixels top = ClientPixels(window_);

  ::SendMessageA(window_, WM_VSCROLL, SB_PAGEDOWN, 0);
  const int paged = Scroll(window_).nPos;
  EXPECT_GT(paged, 0);
  const WindowPixels down = ClientPixels(window_);
  EXPECT_FALSE(down == top);
  // The title stays where it is.
  EXPECT_EQ(top.Count({0, 0, 1200, 100}, IsTitleColour),
            down.Count({0, 0, 1200, 100}, IsTitleColour));

  ::SendMessageA(window_, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_LT(Scroll(window_).nPos, paged);
  ::SendMessageA(window_, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(Scroll(window_).nPos, paged);

  ::SendMessageA(window_, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(Scroll(window_).nPos, last);
  ::SendMessageA(window_, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(Scroll(window_).nPos, last);
  ::SendMessageA(window_, WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_LT(Scroll(window_).nPos, last);
  ::SendMessageA(window_, WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(Scroll(window_).nPos, 0);
  ::SendMessageA(window_, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(Scroll(window_).nPos, paged);

  // The presenter's keys belong to the show: the notes don't move with them.
  ::SendMessageA(window_, WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(Scroll(window_).nPos, paged);
  EXPECT_TRUE(ClientPixels(window_) == down);

  // A new slide's notes start at the top.
  SetNotesText(handle_, LongNotes().c_str());
  EXPECT_EQ(Scroll(window_).nPos, 0);
}

}  // namespace
}  // namespace larktest
