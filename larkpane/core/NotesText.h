// The notes text as the notes view and the shared screen draw it, and the notes view's scrolling.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace larkpane {

// `text` with every line break as CR LF, the only form the system's text drawing breaks on
// reliably. The presentation program ends paragraphs with CR and breaks lines inside one with
// VT; LF, CR LF and the Unicode line and paragraph separators are taken as well.
std::u16string NormalizeLineBreaks(std::u16string_view text);

enum class ScrollAction { LineUp, LineDown, PageUp, PageDown, Top, Bottom };

// Vertical scrolling of text taller than its window, in pixels. The position stays within
// 0 to (content - page) whatever is asked.
class ScrollModel {
 public:
  // One mouse-wheel notch, as the system reports it, scrolls this many lines.
  static constexpr std::int32_t kWheelNotch = 120;
  static constexpr std::int32_t kLinesPerNotch = 3;

  // New text or window size: `content` pixels of text in a `page` pixels high window, with lines
  // `line` pixels high. The position is kept as far as it is still in range.
  void SetExtent(std::int32_t content, std::int32_t page, std::int32_t line);

  std::int32_t Position() const { return position_; }
  std::int32_t MaxPosition() const;
  std::int32_t Content() const { return content_; }
  std::int32_t Page() const { return page_; }

  // Each returns whether the position changed.
  bool Apply(ScrollAction action);
  bool MoveTo(std::int32_t position);
  // Wheel turns of `delta` (positive: away from the user, towards the top); parts of a notch
  // add up until they make a line.
  bool Wheel(std::int32_t delta);

 private:
  bool MoveBy(std::int64_t delta);

  std::int32_t content_ = 0;
  std::int32_t page_ = 0;
  std::int32_t line_ = 1;
  std::int32_t position_ = 0;
  std::int32_t wheelRest_ = 0;
};

}  // namespace larkpane
