// Where things go inside a larkpane window, in client pixels: the slide positions of each kind
// of window, a bitmap fitted into its position, the shared-screen split of a monitor between the
// show and larkpane, and the notes view's title and text.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "HandleTable.h"

namespace larkpane {

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;

  std::int32_t Right() const { return left + width; }
  std::int32_t Bottom() const { return top + height; }
  bool Empty() const { return width <= 0 || height <= 0; }
  bool operator==(const Rect& other) const {
    return left == other.left && top == other.top && width == other.width &&
           height == other.height;
  }
};

// A window rectangle that larkpane opens a window on: positive, within GDI's coordinate range.
bool IsUsableArea(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);

// The largest rectangle of the source's aspect ratio inside `area`, centred; empty when either
// is empty.
Rect FitRect(const Rect& area, std::int32_t sourceWidth, std::int32_t sourceHeight);

// `columns` x `rows` cells tiling `area` without gaps or overlaps, row by row.
std::vector<Rect> GridCells(const Rect& area, int columns, int rows);

// `rect` shrunk by `by` on every side, never below an empty rectangle at its centre.
Rect Inset(const Rect& rect, std::int32_t by);

// Number of slide positions of a kind of window (positions are numbered from 1).
int PositionCount(PaneKind kind);

struct PaneLayout {
  std::vector<Rect> positions;  // position p is positions[p - 1]
  Rect notes;                   // where the notes text goes; empty when there is none
  Rect show;                    // shared screen: the show window's part of the monitor
};

// Layout of a slide window of `width` x `height`:
// - Slide: the whole window.
// - FourSlide: a 2x2 grid, positions 1 and 2 on top, 3 and 4 below; no notes area.
// - SharedScreen: the show keeps a part of the monitor of the monitor's own aspect ratio, so
//   its captures fill the positions without bars, and the three positions are stacked beside it
//   on the right, newest on top, each a smaller copy of that aspect. With notes the show takes
//   three quarters of each side at the top left and the notes text the band below across the
//   whole width; without notes the show takes two thirds, centred vertically.
PaneLayout LayoutPane(PaneKind kind, std::int32_t width, std::int32_t height, bool withNotes);

// Font height of the slide number drawn in a corner of a shown slide.
std::int32_t SlideLabelHeight(const Rect& image);

struct NotesViewLayout {
  Rect title;
  Rect text;  // the visible part of the text; longer text scrolls inside it
  std::int32_t titleFontHeight = 0;
  std::int32_t textFontHeight = 0;
};

// The notes view: a title line and the text below it, in fonts that scale with the window.
NotesViewLayout LayoutNotesView(std::int32_t width, std::int32_t height);

// Font heights tried for the shared screen's notes, which shrink to show the whole text.
std::int32_t NotesBandMaxFontHeight(const Rect& notes);
constexpr std::int32_t kNotesBandMinFontHeight = 14;

// The largest value in [low, high] for which `fits` holds, assuming it holds for every value
// below one that fits; `low` when none does.
std::int32_t LargestFitting(std::int32_t low, std::int32_t high,
                            const std::function<bool(std::int32_t)>& fits);

}  // namespace larkpane
