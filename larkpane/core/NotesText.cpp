#include "NotesText.h"

#include <algorithm>

namespace larkpane {

std::u16string NormalizeLineBreaks(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size() + text.size() / 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n' || c == u'\v' || c == u'\u2028' || c == u'\u2029') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      out += u"\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

void ScrollModel::SetExtent(std::int32_t content, std::int32_t page, std::int32_t line) {
  content_ = std::max(0, content);
  page_ = std::max(0, page);
  line_ = std::max(1, line);
  MoveTo(position_);
}

std::int32_t ScrollModel::MaxPosition() const { return std::max(0, content_ - page_); }

bool ScrollModel::MoveTo(std::int32_t position) {
  const std::int32_t clamped = std::clamp(position, 0, MaxPosition());
  const bool moved = clamped != position_;
  position_ = clamped;
  return moved;
}

bool ScrollModel::MoveBy(std::int64_t delta) {
  const std::int64_t target = std::clamp<std::int64_t>(position_ + delta, 0, MaxPosition());
  return MoveTo(static_cast<std::int32_t>(target));
}

bool ScrollModel::Apply(ScrollAction action) {
  // A page keeps one line of the previous page in view, so reading can go on from it.
  const std::int64_t pageStep = std::max(line_, page_ - line_);
  switch (action) {
    case ScrollAction::LineUp: return MoveBy(-std::int64_t{line_});
    case ScrollAction::LineDown: return MoveBy(line_);
    case ScrollAction::PageUp: return MoveBy(-pageStep);
    case ScrollAction::PageDown: return MoveBy(pageStep);
    case ScrollAction::Top: return MoveTo(0);
    case ScrollAction::Bottom: return MoveTo(MaxPosition());
  }
  return false;
}

bool ScrollModel::Wheel(std::int32_t delta) {
  constexpr std::int64_t kWheelPerLine = kWheelNotch / kLinesPerNotch;
  const std::int64_t total = std::int64_t{wheelRest_} + delta;
  const std::int64_t lines = total / kWheelPerLine;
  wheelRest_ = static_cast<std::int32_t>(total % kWheelPerLine);
  return lines != 0 && MoveBy(-lines * line_);
}

}  // namespace larkpane
