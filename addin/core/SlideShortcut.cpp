// Alt+M during a multi-screen show: a blank slide right after the one the show shows, and the
// engine told, so that its slide bitmaps stay in step with the slide numbers.
#include <limits>

#include "HostConstants.h"
#include "ShowControl.h"

namespace tandry::addin {

void InsertSlideShortcut(Module& module) {
  const ModuleState& state = module.state;
  const ObjectRef& pres = state.Settings.Presentation;
  if (!state.Running || state.Settings.SessionMode != kMultiScreen) return;
  const auto shown =
      AsLong(GetPath(pres, {u"SlideShowWindow", u"View", u"Slide", u"SlideIndex"}));
  // Without the slide now shown, a slide would land in the wrong place: none is added.
  if (!shown || *shown == std::numeric_limits<std::int32_t>::max()) return;
  const ObjectRef slides = ObjectAt(pres, {u"Slides"});
  if (!slides) return;
  const ObjectRef newSlide =
      AsObject(slides->Call(u"Add", {Value{*shown + 1}, Value{host::kLayoutBlank}}));
  if (!newSlide) return;
  newSlide->Put(u"DisplayMasterShapes", Value{host::kMsoFalse});
  if (const auto position = AsLong(newSlide->Get(u"SlideIndex"))) {
    module.declared.InsertSlide(*position);
  }
}

}  // namespace tandry::addin
