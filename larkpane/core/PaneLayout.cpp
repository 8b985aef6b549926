#include "PaneLayout.h"

#include <algorithm>

namespace larkpane {
namespace {

// GDI coordinates and sizes are kept within 16 bits by older drivers; larger is no monitor.
constexpr std::int64_t kMaxCoordinate = 32767;

std::int32_t Scale(std::int32_t value, std::int64_t numerator, std::int64_t denominator) {
  return static_cast<std::int32_t>(value * numerator / denominator);
}

// Rounded a * b / c for positive c.
std::int32_t MulDivRound(std::int64_t a, std::int64_t b, std::int64_t c) {
  return static_cast<std::int32_t>((2 * a * b + c) / (2 * c));
}

// Room left between neighbouring slides so they don't run into each other.
std::int32_t CellGap(std::int32_t width, std::int32_t height) {
  return std::max<std::int32_t>(2, std::min(width, height) / 128);
}

std::vector<Rect> InsetAll(std::vector<Rect> cells, std::int32_t by) {
  for (Rect& cell : cells) cell = Inset(cell, by);
  return cells;
}

PaneLayout SharedScreenLayout(std::int32_t width, std::int32_t height, bool withNotes) {
  // The show's share of each side: 3/4 leaves a band for the notes, 2/3 lets the three
  // positions fill the right-hand column.
  const std::int64_t num = withNotes ? 3 : 2;
  const std::int64_t den = withNotes ? 4 : 3;
  const std::int32_t showWidth = Scale(width, num, den);
  const std::int32_t showHeight = Scale(height, num, den);
  const std::int32_t columnHeight = withNotes ? showHeight : height;
  const std::int32_t gap = CellGap(width, height);

  PaneLayout layout;
  layout.show = {0, withNotes ? 0 : (height - showHeight) / 2, showWidth, showHeight};
  layout.positions =
      InsetAll(GridCells({showWidth, 0, width - showWidth, columnHeight}, 1, 3), gap);
  if (withNotes) layout.notes = Inset({0, showHeight, width, height - showHeight}, 2 * gap);
  return layout;
}

}  // namespace

bool IsUsableArea(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  const auto inRange = [](std::int64_t v) { return v >= -kMaxCoordinate && v <= kMaxCoordinate; };
  return width > 0 && height > 0 && width <= kMaxCoordinate && height <= kMaxCoordinate &&
         inRange(left) && inRange(top) && inRange(std::int64_t{left} + width) &&
         inRange(std::int64_t{top} + height);
}

Rect FitRect(const Rect& area, std::int32_t sourceWidth, std::int32_t sourceHeight) {
  if (area.Empty() || sourceWidth <= 0 || sourceHeight <= 0) {
    return {area.left + std::max(0, area.width) / 2, area.top + std::max(0, area.height) / 2, 0,
            0};
  }
  std::int32_t width = area.width;
  std::int32_t height = area.height;
  if (std::int64_t{sourceWidth} * area.height < std::int64_t{sourceHeight} * area.width) {
    width = std::max(1, MulDivRound(sourceWidth, area.height, sourceHeight));
  } else {
    height = std::max(1, MulDivRound(sourceHeight, area.width, sourceWidth));
  }
  return {area.left + (area.width - width) / 2, area.top + (area.height - height) / 2, width,
          height};
}

std::vector<Rect> GridCells(const Rect& area, int columns, int rows) {
  std::vector<Rect> cells;
  if (columns <= 0 || rows <= 0) return cells;
  for (int row = 0; row < rows; ++row) {
    const std::int32_t top = area.top + Scale(area.height, row, rows);
    const std::int32_t bottom = area.top + Scale(area.height, row + 1, rows);
    for (int column = 0; column < columns; ++column) {
      const std::int32_t left = area.left + Scale(area.width, column, columns);
      const std::int32_t right = area.left + Scale(area.width, column + 1, columns);
      cells.push_back({left, top, right - left, bottom - top});
    }
  }
  return cells;
}

Rect Inset(const Rect& rect, std::int32_t by) {
  const std::int32_t dx = std::clamp(by, 0, std::max(0, rect.width) / 2);
  const std::int32_t dy = std::clamp(by, 0, std::max(0, rect.height) / 2);
  return {rect.left + dx, rect.top + dy, std::max(0, rect.width) - 2 * dx,
          std::max(0, rect.height) - 2 * dy};
}

int PositionCount(PaneKind kind) {
  switch (kind) {
    case PaneKind::Slide: return 1;
    case PaneKind::FourSlide: return 4;
    case PaneKind::SharedScreen: return 3;
    case PaneKind::Notes: return 0;
  }
  return 0;
}

PaneLayout LayoutPane(PaneKind kind, std::int32_t width, std::int32_t height, bool withNotes) {
  const Rect whole{0, 0, std::max(0, width), std::max(0, height)};
  PaneLayout layout;
  switch (kind) {
    case PaneKind::Slide:
      layout.positions = {whole};
      break;
    case PaneKind::FourSlide:
      layout.positions = InsetAll(GridCells(whole, 2, 2), CellGap(whole.width, whole.height));
      break;
    case PaneKind::SharedScreen:
      layout = SharedScreenLayout(whole.width, whole.height, withNotes);
      break;
    case PaneKind::Notes:
      break;
  }
  return layout;
}

std::int32_t SlideLabelHeight(const Rect& image) {
  return std::clamp<std::int32_t>(image.height / 14, 12, 56);
}

NotesViewLayout LayoutNotesView(std::int32_t width, std::int32_t height) {
  width = std::max(0, width);
  height = std::max(0, height);
  NotesViewLayout layout;
  layout.textFontHeight = std::clamp<std::int32_t>(height / 22, 16, 72);
  layout.titleFontHeight = layout.textFontHeight * 5 / 4;
  const std::int32_t margin = std::max<std::int32_t>(8, width / 40);
  const std::int32_t innerWidth = std::max(0, width - 2 * margin);
  layout.title = {margin, margin / 2, innerWidth, layout.titleFontHeight * 3 / 2};
  const std::int32_t textTop = layout.title.Bottom() + margin / 2;
  layout.text = {margin, textTop, innerWidth, std::max(0, height - margin / 2 - textTop)};
  return layout;
}

std::int32_t NotesBandMaxFontHeight(const Rect& notes) {
  return std::max(kNotesBandMinFontHeight, std::min<std::int32_t>(notes.height / 4, 48));
}

std::int32_t LargestFitting(std::int32_t low, std::int32_t high,
                            const std::function<bool(std::int32_t)>& fits) {
  std::int32_t best = low;
  while (low <= high) {
    const std::int32_t middle = low + (high - low) / 2;
    if (fits(middle)) {
      best = middle;
      low = middle + 1;
    } else {
      high = middle - 1;
    }
  }
  return best;
}

}  // namespace larkpane
