// The narrow interfaces through which the add-in's decisions reach everything outside them: the
// declared functions of the engine, larkpane and the system; the settings store; message boxes;
// and the add-in's own objects that live on the Win32 side (the settings dialog as its caller
// sees it, the slide-show event sink, the holder of the menu buttons). The host's object model
// is HostObject.h.
//
// Every call reports whether it ran. A declared function that can't be bound returns false
// and leaves its outputs as they were, so the caller goes on with its next statement.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "HostObject.h"

// Where the system's headers come first, their GetMonitorInfo macro would rename the engine's
// function of that name below.
#undef GetMonitorInfo

namespace tandry::addin {

// Chosen monitors in show order, each a MonitorIndex (0-based position in the engine's list).
using MonitorList = std::vector<std::int32_t>;
// A larkpane window; 0 = none.
using ScreenHandle = std::int32_t;
// A registered shortcut; 0 = none.
using ShortcutId = std::uint32_t;
// A window or device-context handle of the system, opaque here; 0 = none.
using SystemHandle = std::uintptr_t;

// The outside functions that the add-in declares: the engine (tandrycore), larkpane, user32 and
// gdi32. Texts are UTF-16 here; the engine's 8-bit copies are made behind this interface.
class DeclaredFunctions {
 public:
  virtual ~DeclaredFunctions() = default;

  // Engine.
  virtual bool InitializeTandry() = 0;
  virtual bool ShowAboutForm() = 0;
  virtual bool GetMonitorCount(std::int32_t& usableMonitors, std::int32_t& systemMonitors,
                               std::int32_t& reserved) = 0;
  virtual bool GetMonitorInfo(std::int32_t monitorIndex, std::int32_t& left, std::int32_t& top,
                              std::int32_t& width, std::int32_t& height) = 0;
  // `slideShowWindow` goes to the engine as an automation object in a VARIANT.
  virtual bool CreateTandrySession(const std::u16string& presentationName,
                                   const ObjectRef& slideShowWindow, std::int32_t screenCount,
                                   std::int32_t slideCount,
                                   std::int32_t singleScreenMonitor) = 0;
  virtual bool AddSessionInfo(std::int32_t screenIndex, std::int32_t monitorIndex) = 0;
  virtual bool CreateTandrySharedScreenSession(const std::u16string& presentationName,
                                               const ObjectRef& slideShowWindow,
                                               std::int32_t monitorIndex,
                                               std::int32_t slideCount, bool notes) = 0;
  virtual bool StartTandrySession() = 0;
  virtual bool ActivateSlideShow(const ObjectRef& slideShowWindow) = 0;
  virtual bool NextBuild() = 0;
  virtual bool NextSlide(std::int32_t slideNumber, const std::u16string& notes) = 0;
  virtual bool InsertSlide(std::int32_t position) = 0;
  // Registers the add-in's one shortcut procedure, InsertSlideShortcut, for the key; nullopt
  // when the call did not run.
  virtual std::optional<ShortcutId> RegisterShortcut(std::int32_t key,
                                                     std::int32_t modifiers) = 0;
  virtual bool UnregisterShortcut(ShortcutId id) = 0;
  virtual bool StopTandrySession() = 0;
  virtual bool DestroyTandrySession() = 0;
  // Both texts pass as 8-bit copies in the system code page, and both come back converted in
  // full: `dest` then holds whatever the engine left in every byte of its copy.
  virtual bool EncryptString(std::u16string& source, std::u16string& dest) = 0;

  // larkpane's notes view.
  virtual std::optional<ScreenHandle> CreateNotesView(std::int32_t left, std::int32_t top,
                                                      std::int32_t width,
                                                      std::int32_t height) = 0;
  virtual bool SetNotesTitle(ScreenHandle handle, const std::u16string& title) = 0;
  virtual bool SetNotesText(ScreenHandle handle, const std::u16string& text) = 0;
  virtual bool ShowNotesView(ScreenHandle handle) = 0;
  virtual bool HideNotesView(ScreenHandle handle) = 0;
  virtual bool DestroyNotesView(ScreenHandle handle) = 0;

  // user32 and gdi32.
  virtual std::optional<SystemHandle> GetDesktopWindow() = 0;
  virtual bool LockWindowUpdate(SystemHandle window) = 0;
  virtual std::optional<SystemHandle> GetDC(SystemHandle window) = 0;
  virtual bool ReleaseDC(SystemHandle window, SystemHandle deviceContext) = 0;
  virtual std::optional<std::int32_t> GetDeviceCaps(SystemHandle deviceContext,
                                                    std::int32_t index) = 0;
  virtual bool SetCursorPos(std::int32_t x, std::int32_t y) = 0;
};

// The per-application settings store, application "Tandry", section "Options".
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text of value `name`, `fallback` when it is missing; nullopt when it could not
  // be read. A text comes back exactly as written, NUL characters included.
  virtual std::optional<std::u16string> Read(std::u16string_view name,
                                             std::u16string_view fallback) = 0;
  // Stores `text` as value `name`, making the keys as needed; false when it failed.
  virtual bool Write(std::u16string_view name, std::u16string_view text) = 0;
};

// Message boxes titled with the product name, with an OK button only.
enum class MessageIcon : std::int32_t { Critical = 16, Information = 64 };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the message and returns when it is closed.
  virtual void Show(std::u16string_view text, MessageIcon icon) = 0;
  // Closes every box that is open, as its OK button would: the add-in is shut down while it
  // waits in one. Each Show returns once the message at hand is handled.
  virtual void CloseAll() = 0;
};

// One loaded display of the settings dialog (`SettingsForm`), as the show start uses it: fill,
// show modally, read back. Destroying it unloads the dialog.
class SettingsDialog {
 public:
  virtual ~SettingsDialog() = default;
  virtual void Initialize(const ObjectRef& host, const ObjectRef& pres,
                          const MonitorList& monitorOrder, bool showNotes,
                          bool lastMonitor4Slides) = 0;
  // Shows the dialog modally, without owner, and returns when it is hidden or closed.
  virtual void ShowModal() = 0;
  // True only when the dialog was closed with its start button.
  virtual bool OKPressed() const = 0;
  // Appends the chosen monitors in show order.
  virtual void GetMonitorOrder(MonitorList& monitorOrder) const = 0;
  virtual std::u16string GetPresName() const = 0;
  // Whether DisplayNotesCheck and LastMonitor4SlidesCheck are checked (value not 0).
  virtual bool DisplayNotesChecked() const = 0;
  virtual bool LastMonitor4SlidesChecked() const = 0;
};

// The slide-show event sink (`SSWClass`). While HostApp refers to the application, its
// slide-show events reach StopShow, ForwardNextBuild and ForwardNextSlide; setting nothing ends
// the connection. Destroying the sink ends it as well.
class SlideShowEventSink {
 public:
  virtual ~SlideShowEventSink() = default;
  virtual void SetHostApp(const ObjectRef& app) = 0;
};

// The holder of the two menu buttons (`HostClass`). Storing a button connects its Click to the
// holder's handler; storing nothing disconnects it. Destroying the holder drops both.
class MenuButtonHolder {
 public:
  virtual ~MenuButtonHolder() = default;
  virtual ObjectRef StartStopTandryCBB() const = 0;
  virtual void SetStartStopTandryCBB(const ObjectRef& button) = 0;
  virtual ObjectRef AboutTandryCBB() const = 0;
  virtual void SetAboutTandryCBB(const ObjectRef& button) = 0;
};

// Makes the add-in's own objects that live on the Win32 side.
class AddinObjects {
 public:
  virtual ~AddinObjects() = default;
  virtual std::unique_ptr<SettingsDialog> LoadSettingsForm() = 0;
  virtual std::unique_ptr<SlideShowEventSink> NewSSWClass() = 0;
  virtual std::unique_ptr<MenuButtonHolder> NewHostClass() = 0;
  // Ends every dialog of the add-in that is shown, the password dialogs and the settings dialog,
  // as cancelled: the add-in is shut down while it waits in them. Each modal show returns once
  // the message at hand is handled.
  virtual void EndShownDialogs() = 0;
};

}  // namespace tandry::addin
