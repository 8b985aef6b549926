// Recording fakes of the add-in's ports for its native tests. Every call goes into one shared
// log, in the order made, together with the fake object model's writes and calls, so that a
// test sees the whole sequence of a procedure across the engine, larkpane, the system, the
// store, the message boxes, the dialog and the event sink.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "AnsweringDialog.h"
#include "FakeHost.h"
#include "ModuleState.h"
#include "Ports.h"

namespace tandry::addin::test {

struct FakeMonitor {
  std::int32_t left, top, width, height;
};

// What the engine, larkpane and the screen hold after the calls that ran, as counts a test
// checks for what was left behind.
struct OutsideState {
  bool sessionCreated = false;
  bool sessionStarted = false;
  // Session calls made without a created session.
  int callsWithoutSession = 0;
  int shortcuts = 0;
  int notesViews = 0;
  bool screenFrozen = false;
};

class RecordingDeclared : public DeclaredFunctions {
 public:
  explicit RecordingDeclared(CallLog& log) : log_(log) {}

  OutsideState outside;

  // The bench's monitors: primary, left of it (negative left), right of it.
  std::vector<FakeMonitor> monitors{{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024},
                                    {1920, 0, 1920, 1080}};
  std::int32_t usableMonitors = 3;
  std::int32_t systemMonitors = 3;
  std::int32_t pixelsPerInchX = 96;
  std::int32_t pixelsPerInchY = 96;
  ScreenHandle nextNotesView = 41;
  ShortcutId nextShortcut = 0xC123;
  // Functions (by name) whose binding fails: they log nothing and report failure.
  std::set<std::string> missing;
  // Functions that have run, by name, however they were called.
  std::map<std::string, int> calls;

  bool InitializeTandry() override;
  bool ShowAboutForm() override;
  bool GetMonitorCount(std::int32_t& usable, std::int32_t& system,
                       std::int32_t& reserved) override;
  bool GetMonitorInfo(std::int32_t index, std::int32_t& left, std::int32_t& top,
                      std::int32_t& width, std::int32_t& height) override;
  bool CreateTandrySession(const std::u16string& name, const ObjectRef& window,
                           std::int32_t screenCount, std::int32_t slideCount,
                           std::int32_t singleScreenMonitor) override;
  bool AddSessionInfo(std::int32_t screenIndex, std::int32_t monitorIndex) override;
  bool CreateTandrySharedScreenSession(const std::u16string& name, const ObjectRef& window,
                                       std::int32_t monitorIndex, std::int32_t slideCount,
                                       bool notes) override;
  bool StartTandrySession() override;
  bool ActivateSlideShow(const ObjectRef& window) override;
  bool NextBuild() override;
  bool NextSlide(std::int32_t slideNumber, const std::u16string& notes) override;
  bool InsertSlide(std::int32_t position) override;
  std::optional<ShortcutId> RegisterShortcut(std::int32_t key, std::int32_t modifiers) override;
  bool UnregisterShortcut(ShortcutId id) override;
  bool StopTandrySession() override;
  bool DestroyTandrySession() override;
  // Scrambles as the engine does, with the text taken one byte per character (Latin-1).
  bool EncryptString(std::u16string& source, std::u16string& dest) override;
  std::optional<ScreenHandle> CreateNotesView(std::int32_t left, std::int32_t top,
                                              std::int32_t width, std::int32_t height) override;
  bool SetNotesTitle(ScreenHandle handle, const std::u16string& title) override;
  bool SetNotesText(ScreenHandle handle, const std::u16string& text) override;
  bool ShowNotesView(ScreenHandle handle) override;
  bool HideNotesView(ScreenHandle handle) override;
  bool DestroyNotesView(ScreenHandle handle) override;
  std::optional<SystemHandle> GetDesktopWindow() override;
  bool LockWindowUpdate(SystemHandle window) override;
  std::optional<SystemHandle> GetDC(SystemHandle window) override;
  bool ReleaseDC(SystemHandle window, SystemHandle deviceContext) override;
  std::optional<std::int32_t> GetDeviceCaps(SystemHandle deviceContext,
                                            std::int32_t index) override;
  bool SetCursorPos(std::int32_t x, std::int32_t y) override;

 private:
  // Whether `function` is bound; if so, the call is counted and `line` is logged.
  bool Runs(const std::string& function, const std::string& line = {});
  // As Runs, for a call of the engine's session.
  bool RunsInSession(const std::string& function, const std::string& line);

  CallLog& log_;
};

// The settings store as a map of texts; reads and writes of the names in `failing` fail.
class FakeStore : public SettingsStore {
 public:
  explicit FakeStore(CallLog& log) : log_(log) {}

  std::map<std::u16string, std::u16string, std::less<>> values;
  std::set<std::u16string, std::less<>> failing;

  std::optional<std::u16string> Read(std::u16string_view name,
                                     std::u16string_view fallback) override;
  bool Write(std::u16string_view name, std::u16string_view text) override;

 private:
  CallLog& log_;
};

class RecordingMessages : public MessageBoxes {
 public:
  explicit RecordingMessages(CallLog& log) : log_(log) {}
  // Runs while a box is shown, as a call from outside during its modal loop.
  std::function<void()> whileShown;

  // Logged as "message <icon value>: <text>".
  void Show(std::u16string_view text, MessageIcon icon) override;
  // Logged as "message boxes closed".
  void CloseAll() override;

 private:
  CallLog& log_;
};

class FakeAddinObjects : public AddinObjects {
 public:
  explicit FakeAddinObjects(CallLog& log) : log_(log) {}

  DialogAnswer answer;
  // Runs while the settings dialog is shown, as a call from outside during its modal loop.
  std::function<void()> whileShown;
  // Event sinks connected to the application now.
  int connectedSinks = 0;

  std::unique_ptr<SettingsDialog> LoadSettingsForm() override;
  std::unique_ptr<SlideShowEventSink> NewSSWClass() override;
  std::unique_ptr<MenuButtonHolder> NewHostClass() override;
  // Logged as "dialogs ended"; a dialog that is shown then answers as cancelled.
  void EndShownDialogs() override;

 private:
  CallLog& log_;
  // Whether the dialog loaded last was ended from outside.
  bool ended_ = false;
};

// A module over the recording fakes, all writing into `log`.
struct RecordingModule {
  CallLog log;
  RecordingDeclared declared{log};
  FakeStore store{log};
  RecordingMessages messages{log};
  FakeAddinObjects objects{log};
  Module module{declared, store, messages, objects};
};

}  // namespace tandry::addin::test
