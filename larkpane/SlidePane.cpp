#include "SlidePane.h"

#include <algorithm>
#include <string>

namespace larkpane {
namespace {

constexpr COLORREF kLabelBackground = RGB(40, 40, 40);

void FillBlack(HDC dc, const Rect& area) {
  const RECT rect{area.left, area.top, area.Right(), area.Bottom()};
  ::FillRect(dc, &rect, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

// The slide number on a dark plate in the top-left corner of the slide's image.
void DrawSlideNumber(HDC dc, int slideNumber, const Rect& image) {
  const int height = SlideLabelHeight(image);
  tandry::ScopedGdiObj<HFONT> font = MakeFont(height, true);
  tandry::ScopedSelect select(dc, font.get());
  const std::string text = std::to_string(slideNumber);
  SIZE extent{};
  ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  const int padding = height / 4;
  RECT plate{image.left, image.top, image.left + extent.cx + 2 * padding,
             image.top + extent.cy + padding};
  plate.right = std::min<LONG>(plate.right, image.Right());
  plate.bottom = std::min<LONG>(plate.bottom, image.Bottom());
  tandry::ScopedGdiObj<HBRUSH> brush(::CreateSolidBrush(kLabelBackground));
  ::FillRect(dc, &plate, brush.get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, kTextColour);
  ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &plate,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

std::unique_ptr<SlidePane> SlidePane::Create(PaneKind kind, const Rect& screen, bool withNotes) {
  std::unique_ptr<SlidePane> pane(new SlidePane(kind, withNotes));
  if (!pane->OpenOn(screen)) return nullptr;
  ::ShowWindow(pane->Window(), SW_SHOWNOACTIVATE);
  return pane;
}

std::unique_ptr<SlidePane> SlidePane::CreateShared(HWND showWindow, bool withNotes) {
  if (showWindow == nullptr || !::IsWindow(showWindow)) return nullptr;
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetMonitorInfoA(::MonitorFromWindow(showWindow, MONITOR_DEFAULTTONEAREST), &info)) {
    return nullptr;
  }
  const RECT& m = info.rcMonitor;
  const Rect monitor{m.left, m.top, m.right - m.left, m.bottom - m.top};
  std::unique_ptr<SlidePane> pane(new SlidePane(PaneKind::SharedScreen, withNotes));
  if (!pane->OpenOn(monitor)) return nullptr;
  pane->ShareMonitorWith(showWindow, monitor);
  ::ShowWindow(pane->Window(), SW_SHOWNOACTIVATE);
  return pane;
}

SlidePane::~SlidePane() {
  // The show gets its whole rectangle back if it is still there.
  if (showWindow_ != nullptr && ::IsWindow(showWindow_)) {
    const RECT& r = showWindowWas_;
    ::SetWindowPos(showWindow_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
  }
}

bool SlidePane::OpenOn(const Rect& screen) {
  if (!Open(kSlideClassName, WS_POPUP, screen)) return false;
  const Rect client = ClientArea();
  layout_ = LayoutPane(kind_, client.width, client.height, withNotes_);
  positions_.resize(layout_.positions.size());
  return true;
}

void SlidePane::ShareMonitorWith(HWND showWindow, const Rect& monitor) {
  const Rect& show = layout_.show;
  // The show window's part is cut out of this window, so the show stays visible whatever the
  // order of the two windows.
  tandry::ScopedGdiObj<HRGN> region(::CreateRectRgn(0, 0, monitor.width, monitor.height));
  tandry::ScopedGdiObj<HRGN> hole(
      ::CreateRectRgn(show.left, show.top, show.Right(), show.Bottom()));
  if (region && hole && ::CombineRgn(region.get(), region.get(), hole.get(), RGN_DIFF) != ERROR &&
      ::SetWindowRgn(Window(), region.get(), FALSE)) {
    region.release();  // the system owns a region once it is set
  }
  if (!::GetWindowRect(showWindow, &showWindowWas_)) return;
  showWindow_ = showWindow;
  ::SetWindowPos(showWindow, nullptr, monitor.left + show.left, monitor.top + show.top, show.width,
                 show.height, SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
}

void SlidePane::LoadSlide(int position, int slideNumber, const char* path) {
  if (position < 1 || position > static_cast<int>(positions_.size())) return;
  Position& target = positions_[position - 1];
  target.slideNumber = slideNumber;
  if (slideNumber > 0) {
    target.image.Load(path);
  } else {
    target.image.Clear();
  }
  Invalidate(layout_.positions[position - 1]);
}

void SlidePane::LoadNotes(const wchar_t* text) {
  if (layout_.notes.Empty()) return;
  notes_ = NotesFromArgument(text);
  FitNotesFont();
  Invalidate(layout_.notes);
}

// The largest font, within the band's range, that shows the whole text in the notes band;
// the text is cut at the bottom only when even the smallest is too large.
void SlidePane::FitNotesFont() {
  tandry::ScopedMemDC dc(::CreateCompatibleDC(nullptr));
  if (!dc) return;
  const Rect& band = layout_.notes;
  notesFontHeight_ = LargestFitting(kNotesBandMinFontHeight, NotesBandMaxFontHeight(band),
                                    [&](std::int32_t height) {
                                      tandry::ScopedGdiObj<HFONT> font = MakeFont(height, false);
                                      return MeasureText(dc.get(), font.get(), notes_,
                                                         band.width) <= band.height;
                                    });
}

void SlidePane::Paint(HDC dc, int width, int height) {
  FillBlack(dc, {0, 0, width, height});
  for (std::size_t i = 0; i < positions_.size(); ++i) {
    PaintPosition(dc, positions_[i], layout_.positions[i]);
  }
  if (!notes_.empty()) {
    tandry::ScopedGdiObj<HFONT> font = MakeFont(notesFontHeight_, false);
    DrawTextBlock(dc, font.get(), kTextColour, notes_, layout_.notes);
  }
}

void SlidePane::PaintPosition(HDC dc, const Position& position, const Rect& cell) const {
  if (!position.image.Shown()) return;
  const Rect image = FitRect(cell, position.image.Width(), position.image.Height());
  position.image.Draw(dc, image);
  DrawSlideNumber(dc, position.slideNumber, image);
}

}  // namespace larkpane
