#include "Session.h"

#include <limits>
#include <utility>

#include "BitmapFile.h"

namespace tandry {

namespace {

constexpr std::uint32_t kKeyUp = 0x0101;
constexpr std::uint32_t kLeftButtonUp = 0x0202;
constexpr std::uint32_t kRightButtonUp = 0x0205;

constexpr std::int32_t kFourSlidePositions = 4;
constexpr std::int32_t kSharedScreenPositions = 3;

bool IsNavigationKey(std::uintptr_t virtualKey) {
  switch (virtualKey) {
    case 0x08:  // Backspace
    case 0x0D:  // Enter
    case 0x20:  // Space
    case 0x21:  // Page Up
    case 0x22:  // Page Down
    case 0x25:  // Left
    case 0x26:  // Up
    case 0x27:  // Right
    case 0x28:  // Down
    case 0x4E:  // N
    case 0x50:  // P
      return true;
    default:
      return false;
  }
}

// Slide numbers are computed wide and handed on narrowed, so that far-out numbers stay
// numbers of no slide instead of wrapping round to a real one.
std::int32_t ToSlideNumber(std::int64_t number) {
  if (number < std::numeric_limits<std::int32_t>::min())
    return std::numeric_limits<std::int32_t>::min();
  if (number > std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(number);
}

std::size_t CountOrZero(std::int32_t count) {
  return count > 0 ? static_cast<std::size_t>(count) : 0;
}

// Gives the memory back, not only the contents.
template <typename T>
void Free(T& value) {
  T().swap(value);
}

// Keeps the desktop frozen for the length of a scope, and unfreezes it on every way out,
// but only if this lock froze it.
class DesktopLock {
 public:
  explicit DesktopLock(ShowPlatform& platform)
      : platform_(platform), locked_(platform.LockDesktop()) {}
  ~DesktopLock() {
    if (locked_) platform_.UnlockDesktop();
  }
  DesktopLock(const DesktopLock&) = delete;
  DesktopLock& operator=(const DesktopLock&) = delete;

 private:
  ShowPlatform& platform_;
  bool locked_;
};

}  // namespace

bool CapturesBeforeHandling(std::uint32_t message, std::uintptr_t firstParameter) {
  switch (message) {
    case kKeyUp:
      return IsNavigationKey(firstParameter);
    case kLeftButtonUp:
    case kRightButtonUp:
      return true;
    default:
      return false;
  }
}

std::vector<std::string> Session::NewBitmapPaths(std::int32_t count) {
  std::vector<std::string> paths;
  paths.reserve(CountOrZero(count));
  for (std::int32_t slide = 1; slide <= count; ++slide) paths.push_back(platform_.NewBitmapPath());
  return paths;
}

void Session::CreateMultiScreen(const char* presentationName, WindowId host,
                                std::int32_t screenCount, std::int32_t slideCount,
                                std::int32_t singleScreenMonitor) {
  if (!CanPrepare()) return;
  // Everything that can fail comes first, so a failed call leaves the previous session whole.
  std::string name = presentationName ? presentationName : "";
  std::vector<std::int32_t> monitors(CountOrZero(screenCount), 0);
  std::vector<ScreenHandle> handles(monitors.size(), 0);
  std::vector<std::string> paths = NewBitmapPaths(slideCount);

  record_.mode = SessionMode::MultiScreen;
  record_.withNotes = false;
  record_.presentationName = std::move(name);
  record_.hostWindow = host;
  record_.screenMonitors = std::move(monitors);
  record_.screenHandles = std::move(handles);
  record_.singleScreenMonitor = singleScreenMonitor;
  record_.singleScreenHandle = 0;
  record_.bitmapPaths = std::move(paths);
}

void Session::CreateSharedScreen(const char* presentationName, WindowId host,
                                 std::int32_t monitorIndex, std::int32_t slideCount,
                                 bool withNotes) {
  if (!CanPrepare()) return;
  std::string name = presentationName ? presentationName : "";
  std::vector<std::string> paths = NewBitmapPaths(slideCount);

  record_.mode = SessionMode::SharedScreen;
  record_.withNotes = withNotes;
  record_.presentationName = std::move(name);
  record_.hostWindow = host;
  record_.bitmapPaths = std::move(paths);
  record_.singleScreenMonitor = monitorIndex;
  record_.singleScreenHandle = 0;
}

void Session::AddSessionInfo(std::int32_t screenIndex, std::int32_t monitorIndex) {
  if (screenIndex < 0 || static_cast<std::size_t>(screenIndex) >= record_.screenMonitors.size())
    return;
  record_.screenMonitors[screenIndex] = monitorIndex;
}

void Session::Start() {
  // An empty session has nothing to show.
  if (record_.running || !record_.bitmapPaths) return;
  record_.running = true;
  record_.currentSlide = 1;
  DeleteBitmapFiles();
  // The window procedure goes in before any larkpane window exists. Without a slide-show
  // window there is nothing to subclass; the windows still open and show empty slides.
  subclassed_ = record_.hostWindow != 0 && platform_.Subclass(record_.hostWindow);
  if (record_.mode == SessionMode::SharedScreen) {
    record_.singleScreenHandle = windows_.CreateSlideShowSharedSingleScreen(
        record_.singleScreenMonitor, record_.hostWindow, record_.withNotes);
  } else {
    OpenMultiScreenWindows();
  }
}

void Session::OpenMultiScreenWindows() {
  // A monitor that is not in the monitor list gets no window: its handle stays 0.
  MonitorRect rect;
  for (std::size_t i = 0; i < record_.screenHandles.size(); ++i) {
    record_.screenHandles[i] = platform_.MonitorRectOf(record_.screenMonitors[i], rect)
                                   ? windows_.CreateSlideShow(rect)
                                   : 0;
  }
  if (record_.singleScreenMonitor >= 0 &&
      platform_.MonitorRectOf(record_.singleScreenMonitor, rect)) {
    record_.singleScreenHandle = windows_.CreateSlideShowSingleScreen(rect, record_.withNotes);
  }
}

void Session::NextBuild() {
  if (!record_.running || record_.hostWindow == 0) return;
  if (const std::string* path = PathOf(record_.currentSlide))
    platform_.CaptureToFile(record_.hostWindow, *path);
}

void Session::NextSlide(std::int32_t slideNumber, const char16_t* notes) {
  if (!record_.running) return;
  const bool forward = slideNumber > record_.currentSlide;
  const bool backward = !forward;
  {
    DesktopLock lock(platform_);
    record_.currentSlide = slideNumber;
    if (record_.mode == SessionMode::SharedScreen) {
      LoadSharedScreen(backward, notes);
    } else {
      LoadMultiScreen(backward);
    }
  }
  // After the unlock, so that the capture sees the slide now on screen.
  if (forward) NextBuild();
}

void Session::LoadSharedScreen(bool backward, const char16_t* notes) {
  const ScreenHandle handle = record_.singleScreenHandle;
  if (record_.withNotes)
    windows_.LoadNotesSingleScreen(record_.currentSlide, handle, notes ? notes : u"");
  for (std::int32_t position = 1; position <= kSharedScreenPositions; ++position) {
    const std::int64_t slide = std::int64_t{record_.currentSlide} - position;
    windows_.LoadSlideSharedSingleScreen(position, ToSlideNumber(slide), handle, CStr(slide),
                                         backward);
  }
}

void Session::LoadMultiScreen(bool backward) {
  const auto screens = static_cast<std::int64_t>(record_.screenHandles.size());
  for (std::int64_t i = 0; i < screens; ++i) {
    const std::int64_t slide = std::int64_t{record_.currentSlide} - 1 - i;
    windows_.LoadSlide(ToSlideNumber(slide), record_.screenHandles[i], CStr(slide), backward);
  }
  if (record_.singleScreenHandle == 0) return;
  for (std::int32_t position = 1; position <= kFourSlidePositions; ++position) {
    const std::int64_t slide = std::int64_t{record_.currentSlide} - position - screens;
    windows_.LoadSlideSingleScreen(position, ToSlideNumber(slide), record_.singleScreenHandle,
                                   CStr(slide), backward);
  }
}

void Session::InsertSlide(std::int32_t position) {
  if (record_.mode != SessionMode::MultiScreen || !record_.bitmapPaths) return;
  std::vector<std::string>& paths = *record_.bitmapPaths;
  // From 1 (before the first slide) to one past the last entry (after the last slide).
  if (position < 1 || static_cast<std::size_t>(position) > paths.size() + 1) return;
  std::string path = platform_.NewBitmapPath();
  paths.insert(paths.begin() + (position - 1), std::move(path));
}

void Session::Stop() {
  if (!record_.running) return;
  record_.running = false;
  // Windows first, then the window procedure, then the files.
  CloseWindows();
  if (subclassed_) {
    subclassed_ = false;
    platform_.Unsubclass(record_.hostWindow);
  }
  DeleteBitmapFiles();
}

void Session::CloseWindows() {
  if (record_.mode == SessionMode::SharedScreen) {
    if (record_.singleScreenHandle != 0) {
      windows_.DestroySlideShowSharedSingleScreen(record_.singleScreenHandle);
      record_.singleScreenHandle = 0;
    }
    return;
  }
  for (ScreenHandle& handle : record_.screenHandles) {
    windows_.DestroySlideShow(handle);
    handle = 0;
  }
  if (record_.singleScreenHandle != 0) {
    windows_.DestroySlideShowSingleScreen(record_.singleScreenHandle);
    record_.singleScreenHandle = 0;
  }
}

void Session::Destroy() {
  // A running session first gives back its windows, the window procedure and its files:
  // nothing of it may outlive the data it reads.
  Stop();
  ClearData();
}

void Session::Release(bool processEnding) {
  if (!processEnding) {
    Stop();
  } else if (record_.running) {
    // The process's windows end with it and must not be called any more, but the bitmap files
    // of a show that was never stopped would stay behind in the temporary directory.
    DeleteBitmapFiles();
  }
  ClearData();
}

void Session::ClearData() {
  record_.bitmapPaths.reset();
  Free(record_.screenHandles);
  Free(record_.screenMonitors);
  record_.singleScreenMonitor = 0;
  record_.singleScreenHandle = 0;
  record_.hostWindow = 0;
  Free(record_.presentationName);
  record_.currentSlide = 0;
}

void Session::DeleteBitmapFiles() {
  if (!record_.bitmapPaths) return;
  for (const std::string& path : *record_.bitmapPaths) {
    if (platform_.FileExists(path)) platform_.RemoveFile(path);
    const std::string temporary = TemporaryPathOf(path);
    if (platform_.FileExists(temporary)) platform_.RemoveFile(temporary);
  }
}

const std::string* Session::PathOf(std::int64_t slideNumber) const {
  if (!record_.bitmapPaths || slideNumber < 1 ||
      slideNumber > static_cast<std::int64_t>(record_.bitmapPaths->size()))
    return nullptr;
  return &(*record_.bitmapPaths)[slideNumber - 1];
}

const char* Session::CStr(std::int64_t slideNumber) const {
  const std::string* path = PathOf(slideNumber);
  return path ? path->c_str() : nullptr;
}

}  // namespace tandry
