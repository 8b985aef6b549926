// How a slide looks on the show window: its colours, where its parts go, and the conversion
// between the window's pixels and the points in which the automation object reports it.
#pragma once

#include <cstdint>
#include <vector>

namespace tandry::standin {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb& other) const {
    return red == other.red && green == other.green && blue == other.blue;
  }
};

// The background of slide n (1-based): hues a golden angle apart, so that neighbouring slides
// differ clearly and captures of different slides can be told apart by colour.
Rgb SlideBackground(int slideNumber);

// White or black, whichever stands out more against `background`.
Rgb TextColour(Rgb background);

struct Box {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Boxes in client pixels; each text is drawn on one line, vertically centred in its box, with a
// font whose character height is the matching *FontHeight.
struct SlideLayout {
  Box title;
  int titleFontHeight = 0;
  std::vector<Box> bullets;  // one per build step shown
  int bulletFontHeight = 0;
  Box slideNumber;  // bottom right
  int slideNumberFontHeight = 0;
};

SlideLayout LayoutSlide(int width, int height, int bulletCount);

// Points are 1/72 inch. A pixels-per-inch value below 1 counts as the usual 96.
int PointsToPixels(float points, int pixelsPerInch);
float PixelsToPoints(int pixels, int pixelsPerInch);

}  // namespace tandry::standin
