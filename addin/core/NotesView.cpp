// The notes view: the speaker notes of a slide, and the larkpane window that shows them on the
// notes monitor during a show.
#include "HostConstants.h"
#include "ShowControl.h"

namespace tandry::addin {

std::u16string GetNotesText(const ObjectRef& slide) {
  std::u16string text;
  const ObjectRef shapes = ObjectAt(slide, {u"NotesPage", u"Shapes"});
  const std::int32_t count = shapes ? AsLong(shapes->Get(u"Count")).value_or(0) : 0;
  for (std::int32_t i = 1; i <= count; ++i) {
    const ObjectRef shape = AsObject(shapes->Get(u"Item", {Value{i}}));
    // A shape whose kind can't be read is not taken for the body.
    if (!shape || AsLong(shape->Get(u"Type")) != host::kMsoPlaceholder) continue;
    if (AsLong(GetPath(shape, {u"PlaceholderFormat", u"Type"})) != host::kPlaceholderBody) continue;
    if (auto body = AsText(GetPath(shape, {u"TextFrame", u"TextRange", u"Text"}))) {
      text = std::move(*body);
    }
    break;
  }
  return text;
}

void OpenNotesView(Module& module) {
  SettingsRecord& settings = module.state.Settings;
  DeclaredFunctions& declared = module.declared;
  // The notes view covers the monitor in pixels, unlike the show window.
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  declared.GetMonitorInfo(settings.NotesMonitor, left, top, width, height);
  if (const auto view = declared.CreateNotesView(left, top, width, height)) {
    settings.NotesView = *view;
  }
  std::u16string title;
  if (const auto name = AsText(GetPath(settings.Presentation, {u"Name"}))) {
    title = *name + u" Notes";
  }
  declared.SetNotesTitle(settings.NotesView, title);
  if (const ObjectRef slide = ObjectAt(settings.SlideShowWindow, {u"View", u"Slide"})) {
    declared.SetNotesText(settings.NotesView, GetNotesText(slide));
  }
  declared.ShowNotesView(settings.NotesView);
}

}  // namespace tandry::addin
