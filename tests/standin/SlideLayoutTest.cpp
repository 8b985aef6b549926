#include "SlideLayout.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstdlib>

namespace tandry::standin {
namespace {

int Distance(Rgb a, Rgb b) {
  return std::max(
      {std::abs(a.red - b.red), std::abs(a.green - b.green), std::abs(a.blue - b.blue)});
}

bool Inside(const Box& box, int width, int height) {
  return box.left >= 0 && box.top >= 0 && box.right <= width && box.bottom <= height &&
         box.left < box.right && box.top < box.bottom;
}

bool Overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(SlideBackground, TellsSlidesWithinADozenOfEachOtherApartClearly) {
  // Captures are told apart by colour after scaling, so nearby slides must differ a lot.
  for (int a = 1; a <= 200; ++a) {
    for (int b = a + 1; b <= a + 12; ++b) {
      EXPECT_GE(Distance(SlideBackground(a), SlideBackground(b)), 32) << a << " vs " << b;
    }
  }
}

TEST(SlideBackground, StaysDistinctFromTextAndFromBlackAndWhite) {
  for (int n = -2; n <= 200; ++n) {
    const Rgb background = SlideBackground(n);
    EXPECT_GE(Distance(background, Rgb{0, 0, 0}), 60) << n;
    EXPECT_GE(Distance(background, Rgb{255, 255, 255}), 60) << n;
    EXPECT_GE(Distance(background, TextColour(background)), 90) << n;
  }
}

TEST(TextColour, PicksBlackOnLightAndWhiteOnDark) {
  EXPECT_EQ(TextColour(Rgb{250, 240, 120}), (Rgb{0, 0, 0}));
  EXPECT_EQ(TextColour(Rgb{20, 40, 120}), (Rgb{255, 255, 255}));
}

TEST(LayoutSlide, KeepsTitleBulletsAndNumberInsideAndApart) {
  for (auto [width, height] : {std::pair{1920, 1080}, {1280, 1024}, {800, 600}, {640, 360}}) {
    const SlideLayout layout = LayoutSlide(width, height, 6);
    ASSERT_EQ(layout.bullets.size(), 6u);
    std::vector<Box> boxes = layout.bullets;
    boxes.push_back(layout.title);
    boxes.push_back(layout.slideNumber);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      EXPECT_TRUE(Inside(boxes[i], width, height)) << width << "x" << height << " box " << i;
      for (std::size_t j = i + 1; j < boxes.size(); ++j) {
        EXPECT_FALSE(Overlap(boxes[i], boxes[j])) << width << "x" << height << " " << i << "/" << j;
      }
    }
    EXPECT_GT(layout.titleFontHeight, layout.bulletFontHeight);
    EXPECT_GT(layout.bulletFontHeight, layout.slideNumberFontHeight);
    EXPECT_GT(layout.slideNumberFontHeight, 0);
    EXPECT_LE(layout.titleFontHeight, layout.title.bottom - layout.title.top);
    EXPECT_LE(layout.bulletFontHeight, layout.bullets[0].bottom - layout.bullets[0].top);
  }
}

TEST(PointsAndPixels, ConvertAtTheScreensPixelsPerInch) {
  EXPECT_EQ(PointsToPixels(1440.0f, 96), 1920);
  EXPECT_EQ(PointsToPixels(-960.0f, 96), -1280);
  EXPECT_EQ(PointsToPixels(1152.0f, 120), 1920);
  EXPECT_EQ(PointsToPixels(0.4f, 96), 1);  // rounded, not truncated
  EXPECT_FLOAT_EQ(PixelsToPoints(1920, 96), 1440.0f);
  EXPECT_FLOAT_EQ(PixelsToPoints(1080, 96), 810.0f);
  EXPECT_FLOAT_EQ(PixelsToPoints(-1280, 96), -960.0f);
  EXPECT_FLOAT_EQ(PixelsToPoints(1920, 120), 1152.0f);
  for (int pixels : {-1281, -1, 0, 1, 7, 1079, 3840}) {
    for (int ppi : {72, 96, 120, 144}) {
      EXPECT_EQ(PointsToPixels(PixelsToPoints(pixels, ppi), ppi), pixels) << pixels << "@" << ppi;
    }
  }
}

TEST(PointsAndPixels, AnUnreadablePixelsPerInchCountsAs96) {
  EXPECT_EQ(PointsToPixels(72.0f, 0), 96);
  EXPECT_FLOAT_EQ(PixelsToPoints(96, -5), 72.0f);
}

}  // namespace
}  // namespace tandry::standin
