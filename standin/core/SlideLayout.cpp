#include "SlideLayout.h"

#include <cmath>

namespace tandry::standin {

namespace {

constexpr double kGoldenAngle = 137.50776405;
constexpr float kPointsPerInch = 72.0f;

std::uint8_t Channel(double value) { return static_cast<std::uint8_t>(std::lround(value * 255.0)); }

// HSV to RGB with hue in degrees [0, 360).
Rgb FromHsv(double hue, double saturation, double value) {
  const double chroma = value * saturation;
  const double sector = hue / 60.0;
  const double x = chroma * (1.0 - std::fabs(std::fmod(sector, 2.0) - 1.0));
  const double m = value - chroma;
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(sector)) {
    case 0:
      r = chroma;
      g = x;
      break;
    case 1:
      r = x;
      g = chroma;
      break;
    case 2:
      g = chroma;
      b = x;
      break;
    case 3:
      g = x;
      b = chroma;
      break;
    case 4:
      r = x;
      b = chroma;
      break;
    default:
      r = chroma;
      b = x;
      break;
  }
  return Rgb{Channel(r + m), Channel(g + m), Channel(b + m)};
}

int EffectivePpi(int pixelsPerInch) { return pixelsPerInch > 0 ? pixelsPerInch : 96; }

}  // namespace

Rgb SlideBackground(int slideNumber) {
  const double hue = std::fmod(210.0 + kGoldenAngle * (slideNumber - 1), 360.0);
  // Three brightness levels in turn keep apart the slides whose hues come close (8 apart).
  constexpr double kValues[] = {0.45, 0.60, 0.75};
  const double value = kValues[(slideNumber % 3 + 3) % 3];
  return FromHsv(hue < 0 ? hue + 360.0 : hue, 0.70, value);
}

Rgb TextColour(Rgb background) {
  const int luma = 299 * background.red + 587 * background.green + 114 * background.blue;
  return luma > 150 * 1000 ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
}

SlideLayout LayoutSlide(int width, int height, int bulletCount) {
  SlideLayout layout;
  const int margin = width / 16;
  const int left = margin;
  const int right = width - margin;

  layout.titleFontHeight = height / 11;
  layout.title = Box{left, height / 14, right, height / 14 + height / 6};

  layout.bulletFontHeight = height / 18;
  const int lineHeight = height / 11;
  int top = layout.title.bottom + height / 20;
  for (int i = 0; i < bulletCount; ++i, top += lineHeight) {
    layout.bullets.push_back(Box{left + margin / 2, top, right, top + lineHeight});
  }

  layout.slideNumberFontHeight = height / 24;
  const int numberHeight = height / 14;
  layout.slideNumber =
      Box{right - width / 6, height - numberHeight - height / 40, right, height - height / 40};
  return layout;
}

int PointsToPixels(float points, int pixelsPerInch) {
  return static_cast<int>(std::lround(points * EffectivePpi(pixelsPerInch) / kPointsPerInch));
}

float PixelsToPoints(int pixels, int pixelsPerInch) {
  return pixels * kPointsPerInch / EffectivePpi(pixelsPerInch);
}

}  // namespace tandry::standin
