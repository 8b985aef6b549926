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

void Exclude(HDC dc, const Rect& area) {
  ::ExcludeClipRect(dc, area.left, area.top, area.Right(), area.Bottom());
}

// Puts the clipping of a device context back as it was.
class KeptClipping {
 public:
  explicit KeptClipping(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
  ~KeptClipping() {
    if (saved_ != 0) ::RestoreDC(dc_, saved_);
  }
  KeptClipping(const KeptClipping&) = delete;
  KeptClipping& operator=(const KeptClipping&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// The slide number on a dark plate for the top-left corner of `image`, drawn into `plate`;
// returns where the plate goes, empty when it could not be made.
Rect RenderSlideNumber(int slideNumber, const Rect& image, PixelBuffer& plate) {
  const int height = SlideLabelHeight(image);
  tandry::ScopedGdiObj<HFONT> font = MakeFont(height, true);
  const std::string text = std::to_string(slideNumber);
  SIZE extent{};
  {
    tandry::ScopedMemDC measuring(::CreateCompatibleDC(nullptr));
    tandry::ScopedSelect select(measuring.get(), font.get());
    if (!measuring || !::GetTextExtentPoint32A(measuring.get(), text.c_str(),
                                               static_cast<int>(text.size()), &extent)) {
      return {};
    }
  }
  const int padding = height / 4;
  const Rect area{image.left, image.top,
                  std::min<std::int32_t>(extent.cx + 2 * padding, image.width),
                  std::min<std::int32_t>(extent.cy + padding, image.height)};
  if (!plate.Resize(area.width, area.height)) return {};
  const HDC dc = plate.Dc();
  tandry::ScopedSelect select(dc, font.get());
  RECT rect{0, 0, area.width, area.height};
  tandry::ScopedGdiObj<HBRUSH> brush(::CreateSolidBrush(kLabelBackground));
  ::FillRect(dc, &rect, brush.get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, kTextColour);
  ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  return area;
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
  Relayout();
  return true;
}

void SlidePane::Relayout() {
  const Rect client = ClientArea();
  // A window with no area (minimised, say) keeps its slides for when it has room again.
  if (client == laidOutFor_ || client.Empty()) return;
  laidOutFor_ = client;
  layout_ = LayoutPane(kind_, client.width, client.height, withNotes_);
  positions_.resize(layout_.positions.size());
  aside_.Clear();  // of the old layout's size
  for (std::size_t i = 0; i < positions_.size(); ++i) {
    Position& position = positions_[i];
    position.image.Refit(layout_.positions[i], scratch_.scaler);
    if (position.image.Shown()) {
      position.plateArea =
          RenderSlideNumber(position.slideNumber, position.image.Area(), position.plate);
    }
  }
  if (!notes_.empty()) FitNotesFont();
  InvalidateAll();
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
  const Rect& cell = layout_.positions[position - 1];
  target.slideNumber = slideNumber;
  if (slideNumber > 0 && Show(target.image, SlideFile(path), cell)) {
    target.plateArea = RenderSlideNumber(slideNumber, target.image.Area(), target.plate);
  } else {
    target.image.Clear();
  }
  Invalidate(cell);
}

// A slide already in the window is taken rather than read and scaled again: at each step the
// slides move on by one position, so all but one of a four-slide window's are there already.
// The image a load replaces waits aside until the next load, the next position's, which is the
// one that wants it when the slides move on.
bool SlidePane::Show(SlideImage& image, const SlideFile& file, const Rect& cell) {
  const FileIdentity& wanted = file.Identity();
  if (image.Shows(wanted, cell)) return true;
  if (positions_.size() == 1) return image.Load(file, cell, scratch_);
  std::swap(image, aside_);
  if (image.Shows(wanted, cell)) {
    image.Refit(cell, scratch_.scaler);
    return true;
  }
  for (const Position& other : positions_) {
    if (&other.image != &image && other.image.Shows(wanted, cell)) {
      return image.CopyFrom(other.image, cell);
    }
  }
  return image.Load(file, cell, scratch_);
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

// Every pixel is drawn once: the plates, then the images around them, then the notes, then
// black for whatever is left, each excluded from what follows.
void SlidePane::Paint(HDC dc, const Rect& client) {
  KeptClipping keep(dc);
  for (const Position& position : positions_) {
    if (!position.image.Shown()) continue;
    if (!position.plateArea.Empty()) {
      position.plate.CopyTo(dc, position.plateArea.left, position.plateArea.top);
      Exclude(dc, position.plateArea);
    }
    position.image.Draw(dc);
    Exclude(dc, position.image.Area());
  }
  if (!notes_.empty()) {
    // Text drawn over its background would flicker; the band is drawn whole, then copied.
    PaintBuffered(dc, layout_.notes, [&](HDC buffer) {
      FillBlack(buffer, layout_.notes);
      tandry::ScopedGdiObj<HFONT> font = MakeFont(notesFontHeight_, false);
      DrawTextBlock(buffer, font.get(), kTextColour, notes_, layout_.notes);
    });
    Exclude(dc, layout_.notes);
  }
  FillBlack(dc, client);
}

bool SlidePane::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
  if (message != WM_SIZE) return false;
  Relayout();
  result = 0;
  return true;
}

}  // namespace larkpane
