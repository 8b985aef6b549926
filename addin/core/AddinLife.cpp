// Start-up, shutdown, the menu buttons and the about box.
#include "AddinLife.h"

#include <optional>

#include "Contained.h"
#include "HostConstants.h"
#include "ShowControl.h"
#include "StoredSettings.h"
#include "Text.h"

namespace tandry::addin {
namespace {

constexpr std::int32_t kOldestVersion = 9;  // the first host version the add-in serves
constexpr std::int32_t kFirstVersionWithoutMenus = 12;
constexpr std::int32_t kStartStopFaceId = 303;

// The number at the start of the host's version text ("9.0" gives 9); nullopt when it can't be
// read.
std::optional<std::int32_t> HostVersion(const ObjectRef& app) {
  const auto text = AsText(app ? app->Get(u"Version") : Result());
  if (!text) return std::nullopt;
  return LeadingInteger(*text);
}

// A host that is known to have the menus the buttons go into.
bool HasMenus(const ObjectRef& app) {
  const auto version = HostVersion(app);
  return version && *version < kFirstVersionWithoutMenus;
}

ObjectRef FindControl(const ObjectRef& commandBars, const Arguments& criteria) {
  return AsObject(commandBars ? commandBars->Call(u"FindControl", criteria) : Result());
}

// FindControl's criteria are Type, Id, Tag; only one is given.
ObjectRef FindControlByTag(const ObjectRef& commandBars, std::u16string_view tag) {
  return FindControl(commandBars, {std::nullopt, std::nullopt, Value{std::u16string(tag)}});
}
ObjectRef FindControlById(const ObjectRef& commandBars, std::int32_t id) {
  return FindControl(commandBars, {std::nullopt, Value{id}});
}

// Deletes the first control with each button's tag: what an earlier run (or a crash) left.
void DeleteTaggedButtons(const ObjectRef& app) {
  const ObjectRef commandBars = ObjectAt(app, {u"CommandBars"});
  for (std::u16string_view tag : {kStartStopTag, kAboutTag}) {
    if (const ObjectRef control = FindControlByTag(commandBars, tag)) control->Call(u"Delete");
  }
}

// A temporary plain button added to `controls` before position `before`; without a position,
// at the end.
ObjectRef AddButton(const ObjectRef& controls, std::optional<std::int32_t> before) {
  if (!controls) return nullptr;
  Arguments arguments{Value{host::kMsoControlButton}, std::nullopt, std::nullopt, std::nullopt,
                      Value{true}};
  if (before) arguments[3] = Value{*before};
  return AsObject(controls->Call(u"Add", arguments));
}

// Every property is set on its own, so that one that fails leaves the others.
void SetProperties(const ObjectRef& button,
                   std::initializer_list<std::pair<std::u16string_view, Value>> properties) {
  for (const auto& [name, value] : properties) button->Put(name, value);
}

// The start/stop and about buttons, at the anchor control's position in the built-in menu.
// Without that position they go to the menu's end, in the same order: a host may refuse any
// position it was not given, but not the end.
void AddMenuButtons(ModuleState& state) {
  DeleteTaggedButtons(state.App);
  const ObjectRef commandBars = ObjectAt(state.App, {u"CommandBars"});
  std::optional<std::int32_t> position;
  if (const ObjectRef anchor = FindControlById(commandBars, host::kSlideShowAnchorControlId)) {
    position = AsLong(anchor->Get(u"Index"));
  }
  const ObjectRef controls =
      ObjectAt(FindControlById(commandBars, host::kSlideShowPopupId), {u"Controls"});
  MenuButtonHolder& holder = *state.MenuButtons;

  if (const ObjectRef button = AddButton(controls, position)) {
    holder.SetStartStopTandryCBB(button);
    SetProperties(button, {{u"BeginGroup", Value{true}},
                           {u"Caption", Value{std::u16string(u"Start Tandry...")}},
                           {u"FaceId", Value{kStartStopFaceId}},
                           {u"Tag", Value{std::u16string(kStartStopTag)}}});
  }
  if (position) ++*position;  // the about button follows the start/stop button
  if (const ObjectRef button = AddButton(controls, position)) {
    holder.SetAboutTandryCBB(button);
    SetProperties(button, {{u"Caption", Value{std::u16string(u"About Tandry...")}},
                           {u"Tag", Value{std::u16string(kAboutTag)}}});
  }
}

}  // namespace

bool AddinStartup(Module& module, const ObjectRef& app) {
  ModuleState& state = module.state;
  // A host that starts the add-in again without shutting it down: the show of the earlier
  // start-up is stopped rather than forgotten with its session, shortcut and sink.
  if (state.Running) StopShow(module);
  state.Running = false;
  state.App = app;

  const auto version = HostVersion(app);
  if (!version || *version < kOldestVersion) {
    module.messages.Show(
        std::u16string(kProductName) + u" addin requires PowerPoint 2000 or later.",
        MessageIcon::Critical);
    return false;
  }
  // The first call into the engine loads it; without it the add-in stays quietly idle.
  if (!module.declared.InitializeTandry()) return false;

  state.MenuButtons = module.objects.NewHostClass();
  state.Settings = SettingsRecord{};
  LoadSettings(module.store, state.Settings);

  if (HasMenus(app) && state.MenuButtons) AddMenuButtons(state);
  return true;
}

void AddinShutdown(Module& module) {
  ModuleState& state = module.state;
  // A start or a stop that waits underneath learns from this that it must go no further.
  ++state.Shutdowns;
  EveryStep step;
  // The host may shut the add-in down from inside one of its modal loops: they end first, and
  // each returns once this shutdown is done.
  step([&] { module.objects.EndShownDialogs(); });
  step([&] { module.messages.CloseAll(); });
  step([&] {
    if (state.Running) StopShow(module);
  });
  state.Settings = SettingsRecord{};
  state.MenuButtons.reset();
  step([&] {
    if (HasMenus(state.App)) DeleteTaggedButtons(state.App);
  });
  state.App = nullptr;
  step.Finish();
}

void ShowAbout(Module& module) { module.declared.ShowAboutForm(); }

}  // namespace tandry::addin
