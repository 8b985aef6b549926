// Runs a piece of work so that no exception leaves it: exports and window procedures are called
// from outside code that cannot handle one.
#pragma once

#include <utility>

namespace tandry {

template <typename Work>
void Contained(Work&& work) noexcept {
  try {
    std::forward<Work>(work)();
  } catch (...) {
  }
}

// As above, for work with a result; `fallback` when the work fails.
template <typename Result, typename Work>
Result Contained(Result fallback, Work&& work) noexcept {
  try {
    return std::forward<Work>(work)();
  } catch (...) {
    return fallback;
  }
}

}  // namespace tandry
