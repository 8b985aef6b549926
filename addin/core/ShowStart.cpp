// The start/stop toggle and the start sequence: the settings dialog, the monitor checks, the
// presentation program's own show on the first chosen monitor, the notes view and the engine's
// session, all under one freeze of the screen's updates. A start either leaves a running show
// with its shortcut and event sink, or nothing of its own: what it began is taken down again
// when a later step fails or throws, and a shutdown of the add-in while the start waits ends the
// start where it stands.
#include "Contained.h"
#include "ShowControl.h"
#include "StoredSettings.h"
#include "Text.h"

namespace tandry::addin {
namespace {

std::u16string ProductText(std::u16string_view rest) {
  return std::u16string(kProductName) + std::u16string(rest);
}

void ReportCouldNotStart(Module& module) {
  module.messages.Show(ProductText(u" could not start the slide show."), MessageIcon::Critical);
}

// The three refusals that come before anything is started; false when the show may start.
bool RefusedForMonitors(Module& module, std::int32_t usableMonitors) {
  const SettingsRecord& settings = module.state.Settings;
  const auto chosen = static_cast<std::int64_t>(settings.MonitorOrder.size());
  if (settings.ShowNotes && usableMonitors < 3) {
    module.messages.Show(ProductText(u" requires atleast 3 monitors to run."),
                         MessageIcon::Critical);
    return true;
  }
  if (usableMonitors < chosen) {
    module.messages.Show(ProductText(u" requires " + DecimalText(chosen) + u" monitors to run."),
                         MessageIcon::Critical);
    return true;
  }
  if (chosen == 1 && settings.SessionMode != kSharedScreen) {
    module.messages.Show(u"Session Mode mismatch with monitor selection.",
                         MessageIcon::Critical);
    return true;
  }
  return false;
}

// The screen's updates frozen from its making until Thaw or its end, whichever comes first, so
// that no path out of a start, an exception's included, leaves the screen frozen.
class ScreenFreeze {
 public:
  explicit ScreenFreeze(DeclaredFunctions& declared) : declared_(declared) {
    try {
      if (const auto desktop = declared.GetDesktopWindow()) declared.LockWindowUpdate(*desktop);
    } catch (...) {
      Contained([this] { Thaw(); });
      throw;
    }
  }
  ~ScreenFreeze() {
    Contained([this] { Thaw(); });
  }
  ScreenFreeze(const ScreenFreeze&) = delete;
  ScreenFreeze& operator=(const ScreenFreeze&) = delete;

  // An unfreeze that throws is tried again at the end.
  void Thaw() {
    if (!frozen_) return;
    declared_.LockWindowUpdate(0);
    frozen_ = false;
  }

 private:
  DeclaredFunctions& declared_;
  bool frozen_ = true;
};

// What a start has begun after the presentation program's show: the notes view and the engine's
// session. Unless the start keeps it, it is taken down in reverse order when the start gives up
// or throws; the presentation program's own show is left to the presenter.
class ShowBeginning {
 public:
  explicit ShowBeginning(Module& module) : module_(module) {}
  ~ShowBeginning() { TakeDown(); }
  ShowBeginning(const ShowBeginning&) = delete;
  ShowBeginning& operator=(const ShowBeginning&) = delete;

  bool notesViewOpened = false;
  bool sessionCreated = false;
  bool sessionStarted = false;

  void Keep() { kept_ = true; }

  void TakeDown() noexcept {
    if (kept_) return;
    kept_ = true;
    ModuleState& state = module_.state;
    SettingsRecord& settings = state.Settings;
    DeclaredFunctions& declared = module_.declared;
    EveryStep step;
    if (state.Running) step([&] { SetRunning(state, false); }, kReleaseAttempts);
    if (sessionStarted) step([&] { declared.StopTandrySession(); }, kReleaseAttempts);
    if (sessionCreated) step([&] { declared.DestroyTandrySession(); }, kReleaseAttempts);
    if (notesViewOpened && settings.NotesView != 0) {
      step([&] { declared.HideNotesView(settings.NotesView); }, kReleaseAttempts);
      step([&] { declared.DestroyNotesView(settings.NotesView); }, kReleaseAttempts);
      settings.NotesView = 0;
    }
    settings.SlideShowWindow = nullptr;
  }

 private:
  Module& module_;
  bool kept_ = false;
};

// The engine's session over the show window: one further screen per further monitor of the
// order (position k + 2 shows the slide k + 1 before the current one), the last monitor with
// the four-slide screen when asked; one monitor gives the shared screen. False when the session
// could not be made: the presentation's name or slide count can't be read, or the engine's
// call did not run.
bool CreateSession(Module& module, const ObjectRef& pres, ShowBeginning& begun) {
  const SettingsRecord& settings = module.state.Settings;
  const MonitorList& order = settings.MonitorOrder;
  const auto name = AsText(GetPath(pres, {u"Name"}));
  const auto slideCount = AsLong(GetPath(pres, {u"Slides", u"Count"}));
  const auto n = static_cast<std::int32_t>(order.size());
  if (!name || !slideCount || n < 1) return false;
  if (n == 1) {
    begun.sessionCreated = module.declared.CreateTandrySharedScreenSession(
        *name, settings.SlideShowWindow, order[0], *slideCount, false);
    return begun.sessionCreated;
  }
  const bool fourSlides = settings.LastMonitor4Slides;
  const std::int32_t further = fourSlides ? n - 2 : n - 1;
  const std::int32_t fourSlideMonitor = fourSlides ? order[n - 1] : -1;  // -1: none
  begun.sessionCreated = module.declared.CreateTandrySession(
      *name, settings.SlideShowWindow, further, *slideCount, fourSlideMonitor);
  if (!begun.sessionCreated) return false;
  for (std::int32_t i = 2; i <= further + 1; ++i) {
    module.declared.AddSessionInfo(i - 2, order[i - 1]);
  }
  return true;
}

// The dialog's choices taken into the settings and stored; false when it was cancelled, or
// ended because the add-in was shut down meanwhile.
bool AskForSettings(Module& module, const ObjectRef& activePresentation,
                    const ShutdownWatch& shutdown) {
  ModuleState& state = module.state;
  SettingsRecord& settings = state.Settings;
  std::unique_ptr<SettingsDialog> form = module.objects.LoadSettingsForm();
  if (!form) return false;
  form->Initialize(state.App, activePresentation, settings.MonitorOrder, settings.ShowNotes,
                   settings.LastMonitor4Slides);
  form->ShowModal();
  if (shutdown.Happened() || !form->OKPressed()) return false;

  // Everything is read before anything is taken over, so that a read that throws leaves the
  // settings as they were.
  MonitorList order;
  form->GetMonitorOrder(order);
  const ObjectRef presentations = ObjectAt(state.App, {u"Presentations"});
  const ObjectRef chosen =
      presentations ? AsObject(presentations->Get(u"Item", {Value{form->GetPresName()}}))
                    : nullptr;
  const bool showNotes = form->DisplayNotesChecked();
  const bool lastMonitor4Slides = form->LastMonitor4SlidesChecked();

  settings.MonitorOrder.swap(order);
  if (chosen) settings.Presentation = chosen;
  settings.ShowNotes = showNotes;
  settings.LastMonitor4Slides = lastMonitor4Slides;
  settings.SessionMode = settings.MonitorOrder.size() == 1 ? kSharedScreen : kMultiScreen;
  SaveSettings(module.store, settings);
  return true;
}

// The notes view takes the first chosen monitor; the show then starts on the second. A start
// that does not run puts it back. The list keeps its room, so putting it back allocates nothing.
void TakeNotesMonitor(SettingsRecord& settings) {
  if (!settings.ShowNotes) return;
  if (const auto first = Item(settings.MonitorOrder, 1)) {
    settings.NotesMonitor = *first;
    settings.MonitorOrder.erase(settings.MonitorOrder.begin());
  }
}

void PutNotesMonitorBack(SettingsRecord& settings) {
  if (settings.ShowNotes) {
    settings.MonitorOrder.insert(settings.MonitorOrder.begin(), settings.NotesMonitor);
  }
}

// Alt+M and the slide-show events, for a show that runs.
void ConnectShow(Module& module) {
  ModuleState& state = module.state;
  if (const auto id = module.declared.RegisterShortcut(kInsertSlideKey, kAltModifier)) {
    state.Settings.ShortcutId = *id;
  }
  state.Ssw = module.objects.NewSSWClass();
  if (state.Ssw) state.Ssw->SetHostApp(state.App);
}

// A start that threw half-way: what it began is taken down, the presentation program's own show
// is left to the presenter, the chosen order is whole again, and the presenter is told.
void AbandonStart(Module& module) {
  EveryStep step;
  if (module.state.Running) {
    step([&] { LeaveShow(module); });
  } else {
    PutNotesMonitorBack(module.state.Settings);
  }
  step([&] { ReportCouldNotStart(module); });
}

}  // namespace

bool IsShowRunning(const Module& module) { return module.state.Running; }

void StartStopShow(Module& module) {
  ModuleState& state = module.state;
  SettingsRecord& settings = state.Settings;
  if (state.StartStopUnderWay) return;
  const StartStopMark underWay(state);
  if (state.Running) {
    StopShow(module);
    return;
  }
  const ShutdownWatch shutdown(state);
  const ObjectRef active = ObjectAt(state.App, {u"ActivePresentation"});
  if (!active) {
    module.messages.Show(u"Please open a presentation to start slide show.",
                         MessageIcon::Critical);
    return;
  }
  if (!AskForSettings(module, active, shutdown)) return;

  TakeNotesMonitor(settings);
  try {
    StartShow(module, settings.Presentation);
    // The shutdown has taken everything down and emptied the order: nothing is put back.
    if (shutdown.Happened()) return;
    if (state.Running) {
      ConnectShow(module);
    } else {
      PutNotesMonitorBack(settings);
    }
  } catch (...) {
    if (!shutdown.Happened()) AbandonStart(module);
    throw;
  }
}

void StartShow(Module& module, const ObjectRef& pres) {
  ModuleState& state = module.state;
  SettingsRecord& settings = state.Settings;
  DeclaredFunctions& declared = module.declared;
  const ShutdownWatch shutdown(state);

  std::int32_t usableMonitors = 0;
  std::int32_t systemMonitors = 0;
  std::int32_t reserved = 0;
  declared.GetMonitorCount(usableMonitors, systemMonitors, reserved);
  if (RefusedForMonitors(module, usableMonitors)) return;

  // The show and the notes view appear while the screen's updates are frozen.
  ScreenFreeze freeze(declared);
  ObjectRef window;
  if (const auto first = Item(settings.MonitorOrder, 1)) {
    window = RunShowOnMonitor(module, pres, *first, 1);
  }
  if (shutdown.Happened()) return;
  if (!window) {
    // Without a show window the engine has nothing to follow: nothing further is started.
    freeze.Thaw();
    ReportCouldNotStart(module);
    return;
  }
  settings.SlideShowWindow = window;

  ShowBeginning begun(module);
  if (settings.ShowNotes) {
    begun.notesViewOpened = true;
    OpenNotesView(module);
  }
  if (!CreateSession(module, pres, begun)) {
    begun.TakeDown();
    freeze.Thaw();
    ReportCouldNotStart(module);
    return;
  }
  begun.sessionStarted = true;
  declared.StartTandrySession();
  // Running before the first capture: the next-build handler captures only while it is set.
  SetRunning(state, true);
  begun.Keep();
  freeze.Thaw();
  declared.ActivateSlideShow(settings.SlideShowWindow);
  ForwardNextBuild(module, settings.SlideShowWindow);
}

}  // namespace tandry::addin
