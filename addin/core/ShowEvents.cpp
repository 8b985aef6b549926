// The running show's events and its stop. The slide-show events of any show of the presentation
// program are forwarded for the running show; the end of any show stops it.
#include "ShowControl.h"

namespace tandry::addin {

void StopShow(Module& module) {
  ModuleState& state = module.state;
  SettingsRecord& settings = state.Settings;
  DeclaredFunctions& declared = module.declared;
  if (!state.Running) return;
  // Nothing may act on the show while it is taken down: no event, no second stop, no start.
  const StartStopMark underWay(state);
  // The host may shut the add-in down while View.Exit below waits, and that clears the
  // settings; the notes view of this show is closed all the same.
  const bool notesShown = settings.SessionMode == kMultiScreen && settings.ShowNotes;
  const ScreenHandle notesView = settings.NotesView;
  const std::int32_t notesMonitor = settings.NotesMonitor;
  state.Running = false;
  if (state.Ssw) state.Ssw->SetHostApp(nullptr);
  state.Ssw.reset();
  if (settings.ShortcutId != 0) {
    declared.UnregisterShortcut(settings.ShortcutId);
    settings.ShortcutId = 0;
  }
  declared.StopTandrySession();
  if (const ObjectRef view = ObjectAt(settings.SlideShowWindow, {u"View"})) view->Call(u"Exit");
  settings.SlideShowWindow = nullptr;
  declared.DestroyTandrySession();
  if (notesShown) {
    if (notesView != 0) {
      declared.HideNotesView(notesView);
      declared.DestroyNotesView(notesView);
      settings.NotesView = 0;
    }
    // The start took the notes monitor off the head of the chosen order.
    settings.MonitorOrder.insert(settings.MonitorOrder.begin(), notesMonitor);
  }
  SetRunning(state, false);
  settings.Presentation = nullptr;
}

void ForwardNextBuild(Module& module, const ObjectRef&) {
  if (module.state.Running) module.declared.NextBuild();
}

void ForwardNextSlide(Module& module, const ObjectRef&) {
  const SettingsRecord& settings = module.state.Settings;
  if (!module.state.Running) return;
  const ObjectRef slide = ObjectAt(settings.SlideShowWindow, {u"View", u"Slide"});
  const auto slideNumber = AsLong(GetPath(slide, {u"SlideIndex"}));
  // Without the slide now shown there is nothing true to tell the engine.
  if (!slideNumber) return;
  if (settings.SessionMode == kSharedScreen) {
    module.declared.NextSlide(*slideNumber, GetNotesText(slide));
    return;
  }
  module.declared.NextSlide(*slideNumber, std::u16string());
  if (settings.ShowNotes) module.declared.SetNotesText(settings.NotesView, GetNotesText(slide));
}

}  // namespace tandry::addin
