// The table behind larkpane's ScreenHandles. A handle is a small positive id, never a raw window
// handle, and carries the kind of window it was made for: a handle that is 0, unknown, already
// destroyed or of another kind finds nothing, so every such call does nothing. Ids are handed out
// in rising order and never reused, so a stale handle can't reach a window created later.
#pragma once

#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace larkpane {

enum class PaneKind {
  Slide,         // one slide covering a monitor
  FourSlide,     // four slides in a 2x2 grid
  SharedScreen,  // three slides (and notes) beside the show on its monitor
  Notes,         // the notes view
};

template <typename T>
class HandleTable {
 public:
  explicit HandleTable(std::int32_t firstHandle = 1) : next_(firstHandle > 0 ? firstHandle : 1) {}

  // The new entry's handle; 0 (and `value` dropped) once every positive id has been used.
  std::int32_t Add(PaneKind kind, T value) {
    if (next_ == kExhausted) return 0;
    const std::int32_t handle = next_;
    next_ = handle == std::numeric_limits<std::int32_t>::max() ? kExhausted : handle + 1;
    entries_.emplace(handle, Entry{kind, std::move(value)});
    return handle;
  }

  T* Find(std::int32_t handle, PaneKind kind) {
    const auto it = entries_.find(handle);
    return it != entries_.end() && it->second.kind == kind ? &it->second.value : nullptr;
  }

  // Removes the entry and hands its value over; nothing for a handle that Find would not find.
  std::optional<T> Take(std::int32_t handle, PaneKind kind) {
    const auto it = entries_.find(handle);
    if (it == entries_.end() || it->second.kind != kind) return std::nullopt;
    std::optional<T> value(std::move(it->second.value));
    entries_.erase(it);
    return value;
  }

  // Empties the table, newest entry first, and hands every value over.
  std::vector<T> TakeAll() {
    std::vector<T> values;
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
      values.push_back(std::move(it->second.value));
    }
    entries_.clear();
    return values;
  }

  std::size_t Size() const { return entries_.size(); }

 private:
  static constexpr std::int32_t kExhausted = 0;
  struct Entry {
    PaneKind kind;
    T value;
  };
  std::map<std::int32_t, Entry> entries_;
  std::int32_t next_;
};

}  // namespace larkpane
