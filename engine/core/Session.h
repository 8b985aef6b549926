// The show session: one per process, over the presentation program's slide-show window. It
// subclasses that window so that navigation input first captures the window into the current
// slide's bitmap, keeps one temporary bitmap path per slide, and loads the bitmaps of earlier
// slides into larkpane windows on the further monitors whenever the show moves to a new slide.
//
// Everything here is decision; the system and larkpane are reached through the two interfaces
// below, so that the call sequences can be checked without either.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "MonitorOrder.h"

namespace tandry {

// The slide-show window's handle, opaque to the session; 0 = none.
using WindowId = std::uintptr_t;
// A larkpane window; 0 = none.
using ScreenHandle = std::int32_t;

// The ten larkpane functions the session calls.
class SlideWindows {
 public:
  virtual ~SlideWindows() = default;
  virtual ScreenHandle CreateSlideShow(const MonitorRect& rect) = 0;
  virtual void LoadSlide(std::int32_t slideNumber, ScreenHandle handle, const char* bitmapPath,
                         bool backward) = 0;
  virtual void DestroySlideShow(ScreenHandle handle) = 0;
  virtual ScreenHandle CreateSlideShowSingleScreen(const MonitorRect& rect, bool notes) = 0;
  virtual void LoadSlideSingleScreen(std::int32_t position, std::int32_t slideNumber,
                                     ScreenHandle handle, const char* bitmapPath,
                                     bool backward) = 0;
  virtual void DestroySlideShowSingleScreen(ScreenHandle handle) = 0;
  virtual ScreenHandle CreateSlideShowSharedSingleScreen(std::int32_t monitorIndex,
                                                         WindowId showWindow, bool notes) = 0;
  virtual void LoadSlideSharedSingleScreen(std::int32_t position, std::int32_t slideNumber,
                                           ScreenHandle handle, const char* bitmapPath,
                                           bool backward) = 0;
  virtual void LoadNotesSingleScreen(std::int32_t slideNumber, ScreenHandle handle,
                                     const char16_t* notes) = 0;
  virtual void DestroySlideShowSharedSingleScreen(ScreenHandle handle) = 0;
};

// What the session needs from the system.
class ShowPlatform {
 public:
  virtual ~ShowPlatform() = default;
  // A new, unused bitmap path; making it creates no file. Throws when no name can be made.
  virtual std::string NewBitmapPath() = 0;
  virtual bool FileExists(const std::string& path) = 0;
  virtual void RemoveFile(const std::string& path) = 0;
  // Captures the window into the file at `path`, replacing it; failures leave no trace.
  virtual void CaptureToFile(WindowId window, const std::string& path) = 0;
  // Installs the session's window procedure; false when the window can't be subclassed.
  virtual bool Subclass(WindowId window) = 0;
  // Gives the window back the procedure it had before Subclass.
  virtual void Unsubclass(WindowId window) = 0;
  // Freezes the desktop's drawing; false when it could not be frozen.
  virtual bool LockDesktop() = 0;
  virtual void UnlockDesktop() = 0;
  // The rectangle of a monitor of the monitor list; false outside the list.
  virtual bool MonitorRectOf(std::int32_t monitorIndex, MonitorRect& rect) = 0;
};

enum class SessionMode : std::uint8_t { MultiScreen = 0, SharedScreen = 1 };

// The session's data. `bitmapPaths` is empty (no list) at load and after Destroy; entry n - 1
// belongs to slide n.
struct SessionRecord {
  bool running = false;
  SessionMode mode = SessionMode::MultiScreen;
  bool withNotes = false;
  std::string presentationName;
  WindowId hostWindow = 0;
  std::vector<std::int32_t> screenMonitors;
  std::vector<ScreenHandle> screenHandles;
  // Multi-screen: monitor of the four-slide window, negative for none. Shared screen: monitor
  // of the shared-screen window.
  std::int32_t singleScreenMonitor = 0;
  ScreenHandle singleScreenHandle = 0;
  std::optional<std::vector<std::string>> bitmapPaths;
  std::int32_t currentSlide = 0;
};

// A 16-bit Boolean passed in a 32-bit slot: true when its low 16 bits are not 0.
inline bool LowWordFlag(std::int32_t slot) { return (slot & 0xFFFF) != 0; }

// Whether a message to the slide-show window captures it before the window handles it: the
// key-up of a navigation key, and the left or right button-up.
bool CapturesBeforeHandling(std::uint32_t message, std::uintptr_t firstParameter);

class Session {
 public:
  Session(ShowPlatform& platform, SlideWindows& windows) : platform_(platform), windows_(windows) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Calls that don't fit the session's state do nothing. A call that fails half-way (no memory,
  // no bitmap name) throws and leaves the record as it was before the call, except for Start,
  // NextSlide and Stop, which leave it consistent with what was done.
  // Whether a create call prepares a session now: not while one runs. A create call that
  // doesn't has nothing to read, so its caller can skip reading the show window.
  bool CanPrepare() const { return !record_.running; }
  void CreateMultiScreen(const char* presentationName, WindowId host, std::int32_t screenCount,
                         std::int32_t slideCount, std::int32_t singleScreenMonitor);
  void CreateSharedScreen(const char* presentationName, WindowId host,
                          std::int32_t monitorIndex, std::int32_t slideCount, bool withNotes);
  void AddSessionInfo(std::int32_t screenIndex, std::int32_t monitorIndex);
  void Start();
  void NextBuild();
  void NextSlide(std::int32_t slideNumber, const char16_t* notes);
  void InsertSlide(std::int32_t position);
  void Stop();
  void Destroy();
  // The library unloads. Unless the whole process is ending, a running session is stopped
  // first, so that neither the window procedure nor larkpane's windows outlive the session;
  // when it is ending, only a running session's bitmap files are deleted. Then the text and
  // lists go.
  void Release(bool processEnding);

  const SessionRecord& Record() const { return record_; }

 private:
  std::vector<std::string> NewBitmapPaths(std::int32_t count);
  void DeleteBitmapFiles();
  void OpenMultiScreenWindows();
  void LoadMultiScreen(bool backward);
  void LoadSharedScreen(bool backward, const char16_t* notes);
  void CloseWindows();
  // The path of slide n; nil for a slide without an entry (0 or less, or beyond the list).
  const std::string* PathOf(std::int64_t slideNumber) const;
  const char* CStr(std::int64_t slideNumber) const;
  void ClearData();

  ShowPlatform& platform_;
  SlideWindows& windows_;
  SessionRecord record_;
  // Whether Start installed the window procedure, so Stop gives back only what it took.
  bool subclassed_ = false;
};

}  // namespace tandry
