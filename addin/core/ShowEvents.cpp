// The running show's events and its stop. The slide-show events of any show of the presentation
// program are forwarded for the running show; the end of any show stops it.
#include "Contained.h"
#include "ShowControl.h"

namespace tandry::addin {

namespace {

// Takes the running show down, each step attempted whatever the others did; the presentation
// program's show is ended when `endProgramShow`.
void TakeDownShow(Module& module, bool endProgramShow) {
  ModuleState& state = module.state;
  SettingsRecord& settings = state.Settings;
  DeclaredFunctions& declared = module.declared;
  if (!state.Running) return;
  // Nothing may act on the show while it is taken down: no event, no second stop, no start.
  const StartStopMark underWay(state);
  const ShutdownWatch shutdown(state);
  // The host may shut the add-in down while View.Exit below waits, and that clears the
  // settings; the notes view of this show is closed all the same.
  const bool notesShown = settings.SessionMode == kMultiScreen && settings.ShowNotes;
  const ScreenHandle notesView = settings.NotesView;
  const std::int32_t notesMonitor = settings.NotesMonitor;
  state.Running = false;
  EveryStep step;
  step([&] {
    if (state.Ssw) state.Ssw->SetHostApp(nullptr);
  }, kReleaseAttempts);
  state.Ssw.reset();
  if (settings.ShortcutId != 0) {
    step([&] { declared.UnregisterShortcut(settings.ShortcutId); }, kReleaseAttempts);
    settings.ShortcutId = 0;
  }
  step([&] { declared.StopTandrySession(); }, kReleaseAttempts);
  if (endProgramShow) {
    step([&] {
      if (const ObjectRef view = ObjectAt(settings.SlideShowWindow, {u"View"})) view->Call(u"Exit");
    }, kReleaseAttempts);
  }
  settings.SlideShowWindow = nullptr;
  step([&] { declared.DestroyTandrySession(); }, kReleaseAttempts);
  if (notesShown) {
    if (notesView != 0) {
      step([&] { declared.HideNotesView(notesView); }, kReleaseAttempts);
      step([&] { declared.DestroyNotesView(notesView); }, kReleaseAttempts);
      settings.NotesView = 0;
    }
    // The start took the notes monitor off the head of the chosen order; a shutdown meanwhile
    // has emptied the order, which stays empty. The list kept its room: this allocates nothing.
    if (!shutdown.Happened()) {
      settings.MonitorOrder.insert(settings.MonitorOrder.begin(), notesMonitor);
    }
  }
  step([&] { SetRunning(state, false); }, kReleaseAttempts);
  settings.Presentation = nullptr;
  step.Finish();
}

}  // namespace

void StopShow(Module& module) { TakeDownShow(module, true); }

void LeaveShow(Module& module) { TakeDownShow(module, false); }

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
