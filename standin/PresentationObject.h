// An open presentation and its slides as automation objects. Presentation: Name, Slides,
// SlideShowSettings (with Run) and SlideShowWindow; Slides: Count, Item, Add; Slide: SlideIndex,
// DisplayMasterShapes and NotesPage, whose Shapes give each shape's Type, PlaceholderFormat.Type
// and TextFrame.TextRange.Text. Slides inserted while the presentation's show runs join that
// show, the later slides moving up one number.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Deck.h"
#include "DispatchObject.h"
#include "ScopedWin.h"

namespace tandry::standin {

class ApplicationObject;
class PresentationObject;
class SlideShowWindowObject;

// One slide; it knows its number from its presentation, so the object stays the same slide
// when slides are inserted before it.
class SlideObject final : public DispatchObject<IDispatch> {
 public:
  SlideObject(PresentationObject& owner, Slide slide);
  const Slide& data() const { return slide_; }
  // 1-based; 0 once its presentation is gone.
  int index() const;
  void Detach() { owner_ = nullptr; }

 private:
  ~SlideObject() override = default;
  HRESULT InvokeMember(Invocation& call) override;

  PresentationObject* owner_;
  Slide slide_;
};

class PresentationObject final : public DispatchObject<IDispatch> {
 public:
  // `name` is what Name reports: the deck's file name.
  PresentationObject(ApplicationObject& app, std::string name, Deck deck);

  const std::string& name() const { return name_; }
  int slideCount() const { return static_cast<int>(slides_.size()); }
  // Slide `index` (1-based), or null.
  SlideObject* slide(int index) const;
  int IndexOf(const SlideObject& slide) const;
  // A blank slide at `index` (1 to slideCount() + 1), also in the running show; null outside.
  SlideObject* InsertBlankSlide(int index);
  // A slide's look changed: the running show draws it again.
  void SlideChanged();

  // Runs the presentation's show full screen over `monitor` (pixels of the virtual desktop),
  // from its start slide. Null when its show runs already, the presentation is closed or the
  // window can't be made.
  ScopedComPtr<SlideShowWindowObject> RunShow(const RECT& monitor);
  // The running show's window; null when none runs.
  SlideShowWindowObject* show() const { return show_; }
  // Called by the show when its window closes.
  void ShowEnded(const SlideShowWindowObject& show);

  // The application is going: the presentation and its slides let go of it.
  void Close();

 private:
  ~PresentationObject() override;
  HRESULT InvokeMember(Invocation& call) override;

  ApplicationObject* app_;
  std::string name_;
  int startSlide_;
  std::vector<ScopedComPtr<SlideObject>> slides_;
  int nextColour_;
  SlideShowWindowObject* show_ = nullptr;
};

}  // namespace tandry::standin
