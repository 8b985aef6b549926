// The running slide show's navigation: which slide and build step is shown, how a presenter's
// keys move them, and in which order the show's notifications, its redraw and its closing come.
#pragma once

#include <vector>

namespace tandry::standin {

enum class ShowCommand { kNone, kNext, kPrevious, kFirst, kLast, kEnd };

// Virtual-key code of a key-down in the show window to what it does: Space, Enter, Right, Down,
// Page Down and N go forward; Backspace, Left, Up, Page Up and P back; Home and End to the first
// and last slide; Escape ends the show.
ShowCommand CommandForKey(unsigned virtualKey);

// What the show asks of its platform: the presentation program's notifications, and the window.
class ShowHost {
 public:
  virtual void RaiseSlideShowBegin() = 0;
  virtual void RaiseNextBuild() = 0;
  virtual void RaiseNextSlide() = 0;
  virtual void RaiseSlideShowEnd() = 0;
  virtual void Redraw() = 0;
  virtual void Close() = 0;

 protected:
  ~ShowHost() = default;
};

// A show moves through not started, running and ended. Every notification is raised while the
// state is consistent with it: a next build before its bullet becomes visible, a next slide after
// the current slide became the new one and before it is drawn. A handler may end the show from
// inside a notification; the step that raised it then stops there.
class ShowController {
 public:
  // One entry per slide: the number of build steps of that slide.
  ShowController(std::vector<int> buildCounts, ShowHost& host);

  // Starts on slide `startSlide` (slide 1 when outside the deck) with nothing built:
  // SlideShowBegin, then SlideShowNextSlide. Only once, and only for a deck with a slide.
  void Begin(int startSlide = 1);
  void Perform(ShowCommand command);
  // Slide 1 to slideCount(); `reset` starts the slide from its first build step, otherwise it
  // shows the builds it had when it was last left. False for a slide outside the deck or a show
  // that isn't running.
  bool GoToSlide(int slide, bool reset);
  // SlideShowEnd, then the window closes; does nothing once ended.
  void End();
  // A slide with `buildCount` build steps joins the deck at `position` (1 to slideCount() + 1);
  // the slides from there on move up one number, the slide shown included, which stays shown.
  // No notification. False for a position outside that range.
  bool InsertSlide(int position, int buildCount);

  bool running() const { return phase_ == Phase::kRunning; }
  int slide() const { return slide_; }  // 1-based; 0 before the start
  int builds() const;                   // build steps of the current slide now shown
  int slideCount() const { return static_cast<int>(buildCounts_.size()); }

 private:
  enum class Phase { kNotStarted, kRunning, kEnded };

  void Next();
  void Previous();
  // Makes `slide` current with `builds` shown, raises SlideShowNextSlide and redraws.
  void EnterSlide(int slide, int builds);

  std::vector<int> buildCounts_;
  std::vector<int> buildsShown_;  // per slide, as last shown
  ShowHost& host_;
  Phase phase_ = Phase::kNotStarted;
  int slide_ = 0;
};

}  // namespace tandry::standin
