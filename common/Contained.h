// Runs a piece of work so that no exception leaves it: exports and window procedures are called
// from outside code that cannot handle one.
#pragma once

#include <exception>
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

// Runs the steps of a procedure that must all be attempted, such as the stop of a show: a step
// that throws is skipped as a failing step is, and the first exception is thrown again by
// Finish, once every step has had its turn, for the boundary that reports it. A step may be
// given more than one attempt.
class EveryStep {
 public:
  template <typename Step>
  void operator()(Step&& step, int attempts = 1) noexcept {
    for (int attempt = 1;; ++attempt) {
      try {
        step();
        return;
      } catch (...) {
        if (attempt >= attempts) {
          if (!first_) first_ = std::current_exception();
          return;
        }
      }
    }
  }
  void Finish() {
    if (first_) std::rethrow_exception(std::exchange(first_, nullptr));
  }

 private:
  std::exception_ptr first_;
};

}  // namespace tandry
