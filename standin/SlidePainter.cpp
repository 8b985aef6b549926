#include "SlidePainter.h"

#include <string>

#include "ScopedWin.h"
#include "SlideLayout.h"
#include "Utf8.h"

namespace tandry::standin {

namespace {

COLORREF ToColorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

void Fill(HDC dc, int width, int height, COLORREF colour) {
  ScopedGdiObj<HBRUSH> brush(CreateSolidBrush(colour));
  const RECT all{0, 0, width, height};
  FillRect(dc, &all, brush.get());
}

void DrawLine(HDC dc, const std::wstring& text, const Box& box, int fontHeight, int weight,
              UINT align) {
  ScopedGdiObj<HFONT> font(CreateFontW(-fontHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE,
                                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                       ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
  ScopedSelect selected(dc, font.get());
  RECT rect{box.left, box.top, box.right, box.bottom};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

}  // namespace

void PaintSlide(HDC dc, int width, int height, const Slide& slide, int slideNumber,
                int bulletsShown) {
  const Rgb background = SlideBackground(slide.colour);
  Fill(dc, width, height, ToColorRef(background));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(TextColour(background)));

  const SlideLayout layout = LayoutSlide(width, height, bulletsShown);
  if (!slide.title.empty()) {
    DrawLine(dc, Widen(slide.title), layout.title, layout.titleFontHeight, FW_BOLD, DT_LEFT);
  }
  for (int i = 0; i < bulletsShown && i < static_cast<int>(slide.bullets.size()); ++i) {
    DrawLine(dc, L"\x2022  " + Widen(slide.bullets[i]), layout.bullets[i], layout.bulletFontHeight,
             FW_NORMAL, DT_LEFT);
  }
  if (slide.displayMasterShapes) {
    DrawLine(dc, std::to_wstring(slideNumber), layout.slideNumber, layout.slideNumberFontHeight,
             FW_NORMAL, DT_RIGHT);
  }
}

void PaintBlack(HDC dc, int width, int height) { Fill(dc, width, height, RGB(0, 0, 0)); }

}  // namespace tandry::standin
