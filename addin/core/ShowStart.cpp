// The start/stop toggle and the start sequence: the settings dialog, the monitor checks, the
// presentation program's own show on the first chosen monitor, the notes view and the engine's
// session, all under one freeze of the screen's updates.
#include "ShowControl.h"
#include "StoredSettings.h"
#include "Text.h"

namespace tandry::addin {
namespace {

std::u16string ProductText(std::u16string_view rest) {
  return std::u16string(kProductName) + std::u16string(rest);
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

// The engine's session over the show window: one further screen per further monitor of the
// order (position k + 2 shows the slide k + 1 before the current one), the last monitor with
// the four-slide screen when asked; one monitor gives the shared screen.
void CreateSession(Module& module, const ObjectRef& pres) {
  const SettingsRecord& settings = module.state.Settings;
  const MonitorList& order = settings.MonitorOrder;
  const auto name = AsText(GetPath(pres, {u"Name"}));
  const auto slideCount = AsLong(GetPath(pres, {u"Slides", u"Count"}));
  const auto n = static_cast<std::int32_t>(order.size());
  const bool canCreate = name && slideCount;
  if (n == 1) {
    if (canCreate) {
      module.declared.CreateTandrySharedScreenSession(*name, settings.SlideShowWindow, order[0],
                                                      *slideCount, false);
    }
    return;
  }
  const bool fourSlides = settings.LastMonitor4Slides;
  const std::int32_t further = fourSlides ? n - 2 : n - 1;
  // -1: no four-slide screen.
  const std::optional<std::int32_t> fourSlideMonitor = fourSlides ? Item(order, order.size()) : -1;
  if (canCreate && fourSlideMonitor) {
    module.declared.CreateTandrySession(*name, settings.SlideShowWindow, further, *slideCount,
                                        *fourSlideMonitor);
  }
  for (std::int32_t i = 2; i <= further + 1; ++i) {
    module.declared.AddSessionInfo(i - 2, order[i - 1]);
  }
}

// The dialog's choices taken into the settings and stored; false when it was cancelled.
bool AskForSettings(Module& module, const ObjectRef& activePresentation) {
  ModuleState& state = module.state;
  SettingsRecord& settings = state.Settings;
  std::unique_ptr<SettingsDialog> form = module.objects.LoadSettingsForm();
  if (!form) return false;
  form->Initialize(state.App, activePresentation, settings.MonitorOrder, settings.ShowNotes,
                   settings.LastMonitor4Slides);
  form->ShowModal();
  const bool okPressed = form->OKPressed();
  if (okPressed) {
    ClearCollection(settings.MonitorOrder);
    form->GetMonitorOrder(settings.MonitorOrder);
    if (const ObjectRef presentations = ObjectAt(state.App, {u"Presentations"})) {
      if (const ObjectRef chosen =
              AsObject(presentations->Get(u"Item", {Value{form->GetPresName()}}))) {
        settings.Presentation = chosen;
      }
    }
    settings.ShowNotes = form->DisplayNotesChecked();
    settings.LastMonitor4Slides = form->LastMonitor4SlidesChecked();
    settings.SessionMode = settings.MonitorOrder.size() == 1 ? kSharedScreen : kMultiScreen;
    SaveSettings(module.store, settings);
  }
  return okPressed;
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
  const ObjectRef active = ObjectAt(state.App, {u"ActivePresentation"});
  if (!active) {
    module.messages.Show(u"Please open a presentation to start slide show.",
                         MessageIcon::Critical);
    return;
  }
  if (!AskForSettings(module, active)) return;

  // The notes view takes the first chosen monitor; the show then starts on the second.
  if (settings.ShowNotes) {
    if (const auto first = Item(settings.MonitorOrder, 1)) {
      settings.NotesMonitor = *first;
      settings.MonitorOrder.erase(settings.MonitorOrder.begin());
    }
  }
  StartShow(module, settings.Presentation);
  if (state.Running) {
    if (const auto id = module.declared.RegisterShortcut(kInsertSlideKey, kAltModifier)) {
      settings.ShortcutId = *id;
    }
    state.Ssw = module.objects.NewSSWClass();
    if (state.Ssw) state.Ssw->SetHostApp(state.App);
  } else if (settings.ShowNotes) {
    settings.MonitorOrder.insert(settings.MonitorOrder.begin(), settings.NotesMonitor);
  }
}

void StartShow(Module& module, const ObjectRef& pres) {
  ModuleState& state = module.state;
  SettingsRecord& settings = state.Settings;
  DeclaredFunctions& declared = module.declared;

  std::int32_t usableMonitors = 0;
  std::int32_t systemMonitors = 0;
  std::int32_t reserved = 0;
  declared.GetMonitorCount(usableMonitors, systemMonitors, reserved);
  if (RefusedForMonitors(module, usableMonitors)) return;

  // The show and the notes view appear while the screen's updates are frozen.
  if (const auto desktop = declared.GetDesktopWindow()) declared.LockWindowUpdate(*desktop);
  if (const auto first = Item(settings.MonitorOrder, 1)) {
    settings.SlideShowWindow = RunShowOnMonitor(module, pres, *first, 1);
  }
  if (!settings.SlideShowWindow) {
    // Without a show window the engine has nothing to follow: nothing further is started.
    declared.LockWindowUpdate(0);
    module.messages.Show(ProductText(u" could not start the slide show."),
                         MessageIcon::Critical);
    return;
  }
  if (settings.ShowNotes) OpenNotesView(module);
  CreateSession(module, pres);
  declared.StartTandrySession();
  // Running before the first capture: the next-build handler captures only while it is set.
  SetRunning(state, true);
  declared.LockWindowUpdate(0);
  declared.ActivateSlideShow(settings.SlideShowWindow);
  ForwardNextBuild(module, settings.SlideShowWindow);
}

}  // namespace tandry::addin
