// The invariants over the recording fakes' record of what the engine, larkpane, the screen and
// the store hold.
#include "AddinInvariants.h"

#include <regex>

namespace tandry::addin::test {
namespace {

const std::u16string* Stored(const FakeStore& store, std::u16string_view name) {
  const auto found = store.values.find(name);
  return found == store.values.end() ? nullptr : &found->second;
}

bool IsOrderText(const std::u16string& text) {
  static const std::regex kOrder("(-?[0-9]+(,-?[0-9]+)*)?");
  return std::regex_match(Narrow(text), kOrder);
}

}  // namespace

std::vector<std::string> BrokenInvariants(const RecordingModule& m) {
  const ModuleState& state = m.module.state;
  const OutsideState& outside = m.declared.outside;
  const bool running = state.Running;
  std::vector<std::string> broken;
  const auto expect = [&broken](bool holds, const char* sentence) {
    if (!holds) broken.emplace_back(sentence);
  };
  expect(!state.StartStopUnderWay, "a start or stop is still marked as under way");
  expect(!outside.screenFrozen, "the screen is left frozen");
  expect(outside.callsWithoutSession == 0, "a session call reached the engine without a session");
  expect(!outside.sessionCreated || running, "an engine session outlives the show");
  expect(!running || outside.sessionStarted, "a show runs without a started session");
  expect(outside.shortcuts == (running && state.Settings.ShortcutId != 0 ? 1 : 0),
         "Alt+M is registered other than once while a show runs");
  expect(outside.notesViews == 0 || (running && outside.notesViews == 1),
         "a notes view outlives the show");
  expect(m.objects.connectedSinks == (running ? 1 : 0),
         "the event sink is connected other than once while a show runs");
  expect(running || !state.Ssw, "a sink is kept without a show");
  if (!state.App) {
    expect(!running && !state.MenuButtons && state.Settings.MonitorOrder.empty(),
           "a shut-down add-in still holds a show, buttons or a monitor order");
  }
  if (const auto* order = Stored(m.store, u"MonitorOrder")) {
    expect(IsOrderText(*order), "the stored monitor order is not a list of numbers");
  }
  for (std::u16string_view flag : {u"ShowNotes", u"LastMonitor4Slides"}) {
    if (const auto* text = Stored(m.store, flag)) {
      expect(*text == u"0" || *text == u"1", "a stored flag is neither 0 nor 1");
    }
  }
  return broken;
}

}  // namespace tandry::addin::test
