// The add-in's module state, one set for the whole add-in as long as it is loaded, and the
// small procedures every part of the add-in shares: the running switch with the start/stop
// button's caption, and the list procedures.
//
// Every procedure of the add-in attempts its steps in turn: a step whose call fails is skipped,
// and a variable whose new value could not be had keeps the one it had.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "HostObject.h"
#include "Ports.h"

namespace tandry::addin {

// The product name: title of every message box and start of several messages.
inline constexpr std::u16string_view kProductName = u"Tandry";

// Attempts at a call that gives back a part of a show (the session, the notes view, the
// shortcut, the event connection, the screen's freeze, the presentation program's show) when it
// throws: the engine, larkpane and the host take a second release of the same thing calmly (a
// show that has ended refuses the second end), and what failed once, such as an allocation, may
// not fail again.
inline constexpr int kReleaseAttempts = 2;

// The kind of show (`SessionMode`); the number never crosses into the engine.
inline constexpr std::int32_t kMultiScreen = 1;
inline constexpr std::int32_t kSharedScreen = 2;

// The show's settings and the values of a running show.
struct SettingsRecord {
  MonitorList MonitorOrder;
  ObjectRef Presentation;
  ObjectRef SlideShowWindow;
  bool ShowNotes = false;
  bool LastMonitor4Slides = false;
  std::int32_t NotesMonitor = 0;
  ScreenHandle NotesView = 0;
  std::uint32_t ShortcutId = 0;
  std::int32_t SessionMode = kMultiScreen;
};

struct ModuleState {
  ObjectRef App;
  std::unique_ptr<MenuButtonHolder> MenuButtons;
  std::unique_ptr<SlideShowEventSink> Ssw;
  bool Running = false;
  SettingsRecord Settings;
  // Set while the start/stop toggle or a stop runs. A press of the toggle that arrives meanwhile
  // (a macro's call during the settings dialog's modal loop, a click while the show is taken
  // down) is ignored: it would begin a second dialog, show or session inside the first.
  bool StartStopUnderWay = false;
  // How often the add-in was shut down. The host may shut it down while a start or a stop waits
  // in a dialog, a message box or a call of the host's that runs messages; the start or stop
  // learns of it here and goes no further, since the shutdown has taken everything down.
  std::uint32_t Shutdowns = 0;
};

// Tells whether the add-in was shut down since the watch was made.
class ShutdownWatch {
 public:
  explicit ShutdownWatch(const ModuleState& state) : state_(state), seen_(state.Shutdowns) {}
  bool Happened() const { return state_.Shutdowns != seen_; }

 private:
  const ModuleState& state_;
  const std::uint32_t seen_;
};

// Marks a start or a stop as under way for as long as it lives, then puts the mark back as it
// found it (a stop runs inside the toggle).
class StartStopMark {
 public:
  explicit StartStopMark(ModuleState& state) : state_(state), was_(state.StartStopUnderWay) {
    state.StartStopUnderWay = true;
  }
  ~StartStopMark() { state_.StartStopUnderWay = was_; }
  StartStopMark(const StartStopMark&) = delete;
  StartStopMark& operator=(const StartStopMark&) = delete;

 private:
  ModuleState& state_;
  const bool was_;
};

// What the add-in's procedures work on: the module state and the ports to the outside.
struct Module {
  Module(DeclaredFunctions& declaredFunctions, SettingsStore& settingsStore,
         MessageBoxes& messageBoxes, AddinObjects& addinObjects)
      : declared(declaredFunctions),
        store(settingsStore),
        messages(messageBoxes),
        objects(addinObjects) {}
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  ModuleState state;
  DeclaredFunctions& declared;
  SettingsStore& store;
  MessageBoxes& messages;
  AddinObjects& objects;
};

// Running := value, and the start/stop button's caption with it where there is a button.
void SetRunning(ModuleState& state, bool value);

// Whether an item of the list equals `value`.
bool CollectionContains(const MonitorList& list, std::int32_t value);
// Item `position` (1-based) of the list; nullopt when there is none, so that a statement that
// reads it is skipped.
std::optional<std::int32_t> Item(const MonitorList& list, std::size_t position);

}  // namespace tandry::addin
