// Placing the presentation program's show over one monitor: the monitor's rectangle comes in
// pixels, the show window is placed in points, converted with the screen's pixels per inch.
#include <cstdint>
#include <limits>

#include "HostConstants.h"
#include "ShowControl.h"

namespace tandry::addin {
namespace {

constexpr std::int32_t kLogPixelsX = 88;
constexpr std::int32_t kLogPixelsY = 90;
// Twips per inch and twips per point: 72 points to the inch.
constexpr double kTwipsPerInch = 1440;
constexpr double kTwipsPerPoint = 20;

bool FitsLong(std::int64_t value) {
  return value >= std::numeric_limits<std::int32_t>::min() &&
         value <= std::numeric_limits<std::int32_t>::max();
}

// Sets a pair of the window's lengths, in points, from pixels; left where the presentation
// program put them when they can't be converted.
void PlacePair(Module& module, const ObjectRef& window, std::u16string_view xName,
               std::u16string_view yName, std::int32_t xPixels, std::int32_t yPixels) {
  float x = static_cast<float>(xPixels);
  float y = static_cast<float>(yPixels);
  if (!PixelsToPoints(module, x, y) || !window) return;
  window->Put(xName, Value{static_cast<double>(x)});
  window->Put(yName, Value{static_cast<double>(y)});
}

}  // namespace

ObjectRef RunShowOnMonitor(Module& module, const ObjectRef& pres, std::int32_t monitor,
                           std::int32_t slide) {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  module.declared.GetMonitorInfo(monitor, left, top, width, height);

  const ShutdownWatch shutdown(module.state);
  const ObjectRef settings = ObjectAt(pres, {u"SlideShowSettings"});
  const ObjectRef window = settings ? AsObject(settings->Call(u"Run")) : nullptr;
  // The host may shut the add-in down while its show starts: the window is then not placed,
  // nor the cursor moved, and the start goes no further.
  if (shutdown.Happened()) return window;
  // A slide that can't be read is not known to be the right one: go there as well.
  if (AsLong(GetPath(window, {u"View", u"Slide", u"SlideIndex"})) != slide) {
    if (const ObjectRef view = ObjectAt(window, {u"View"})) {
      view->Call(u"GotoSlide", {Value{slide}, Value{host::kMsoTrue}});
    }
  }
  PlacePair(module, window, u"Left", u"Top", left, top);
  PlacePair(module, window, u"Width", u"Height", width, height);

  // Halving truncates toward zero; a position beyond 32 bits leaves the cursor where it is.
  const std::int64_t x = std::int64_t{left} + width / 2;
  const std::int64_t y = std::int64_t{top} + height / 2;
  if (FitsLong(x) && FitsLong(y)) {
    module.declared.SetCursorPos(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
  }
  return window;
}

bool PixelsToPoints(Module& module, float& x, float& y) {
  DeclaredFunctions& declared = module.declared;
  std::int32_t perInchX = 0;
  std::int32_t perInchY = 0;
  if (const auto screen = declared.GetDC(0)) {
    perInchX = declared.GetDeviceCaps(*screen, kLogPixelsX).value_or(0);
    perInchY = declared.GetDeviceCaps(*screen, kLogPixelsY).value_or(0);
    declared.ReleaseDC(0, *screen);
  }
  // No division by a density that could not be read.
  if (perInchX <= 0 || perInchY <= 0) return false;
  x = static_cast<float>(x * kTwipsPerInch / kTwipsPerPoint / perInchX);
  y = static_cast<float>(y * kTwipsPerInch / kTwipsPerPoint / perInchY);
  return true;
}

}  // namespace tandry::addin
