#include "ShowController.h"

#include <utility>

namespace tandry::standin {

ShowCommand CommandForKey(unsigned virtualKey) {
  switch (virtualKey) {
    case 0x20:  // Space
    case 0x0D:  // Enter
    case 0x27:  // Right
    case 0x28:  // Down
    case 0x22:  // Page Down
    case 0x4E:  // N
      return ShowCommand::kNext;
    case 0x08:  // Backspace
    case 0x25:  // Left
    case 0x26:  // Up
    case 0x21:  // Page Up
    case 0x50:  // P
      return ShowCommand::kPrevious;
    case 0x24:  // Home
      return ShowCommand::kFirst;
    case 0x23:  // End
      return ShowCommand::kLast;
    case 0x1B:  // Escape
      return ShowCommand::kEnd;
    default:
      return ShowCommand::kNone;
  }
}

ShowController::ShowController(std::vector<int> buildCounts, ShowHost& host)
    : buildCounts_(std::move(buildCounts)), buildsShown_(buildCounts_.size(), 0), host_(host) {}

int ShowController::builds() const { return slide_ > 0 ? buildsShown_[slide_ - 1] : 0; }

void ShowController::Begin(int startSlide) {
  if (phase_ != Phase::kNotStarted || buildCounts_.empty()) return;
  if (startSlide < 1 || startSlide > slideCount()) startSlide = 1;
  phase_ = Phase::kRunning;
  slide_ = startSlide;
  host_.RaiseSlideShowBegin();
  if (!running()) return;
  EnterSlide(startSlide, 0);
}

void ShowController::Perform(ShowCommand command) {
  if (!running()) return;
  switch (command) {
    case ShowCommand::kNext:
      Next();
      break;
    case ShowCommand::kPrevious:
      Previous();
      break;
    case ShowCommand::kFirst:
      GoToSlide(1, true);
      break;
    case ShowCommand::kLast:
      GoToSlide(slideCount(), true);
      break;
    case ShowCommand::kEnd:
      End();
      break;
    case ShowCommand::kNone:
      break;
  }
}

bool ShowController::GoToSlide(int slide, bool reset) {
  if (!running() || slide < 1 || slide > slideCount()) return false;
  const int builds = reset ? 0 : buildsShown_[slide - 1];
  if (slide == slide_) {
    buildsShown_[slide - 1] = builds;
    host_.Redraw();
  } else {
    EnterSlide(slide, builds);
  }
  return true;
}

void ShowController::End() {
  if (!running()) return;
  phase_ = Phase::kEnded;
  host_.RaiseSlideShowEnd();
  host_.Close();
}

bool ShowController::InsertSlide(int position, int buildCount) {
  if (position < 1 || position > slideCount() + 1) return false;
  buildCounts_.insert(buildCounts_.begin() + (position - 1), buildCount);
  buildsShown_.insert(buildsShown_.begin() + (position - 1), 0);
  if (slide_ >= position) ++slide_;
  if (running()) host_.Redraw();  // the slide number shown may have changed
  return true;
}

void ShowController::Next() {
  if (builds() < buildCounts_[slide_ - 1]) {
    host_.RaiseNextBuild();
    if (!running()) return;
    ++buildsShown_[slide_ - 1];
    host_.Redraw();
  } else if (slide_ < slideCount()) {
    EnterSlide(slide_ + 1, 0);
  } else {
    End();  // past the last build of the last slide, as the presentation program does
  }
}

void ShowController::Previous() {
  if (builds() > 0) {
    --buildsShown_[slide_ - 1];
    host_.Redraw();
  } else if (slide_ > 1) {
    EnterSlide(slide_ - 1, buildCounts_[slide_ - 2]);  // the earlier slide comes back complete
  }
}

void ShowController::EnterSlide(int slide, int builds) {
  slide_ = slide;
  buildsShown_[slide - 1] = builds;
  host_.RaiseNextSlide();
  if (!running()) return;
  host_.Redraw();
}

}  // namespace tandry::standin
