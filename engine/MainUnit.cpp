#include "MainUnit.h"

#include <objbase.h>

#include <stdexcept>

#include "Contained.h"
#include "ImportUnit.h"
#include "PPTUtils.h"
#include "PrintWindow.h"
#include "SharedUnit.h"

namespace tandry {

namespace {

// The slide-show window's procedure before the session subclassed it. Kept after the stop, so
// that a message still reaching SlideShowWindowProc goes where it belongs.
WNDPROC g_savedWindowProc = nullptr;

HWND ToHwnd(WindowId window) { return reinterpret_cast<HWND>(window); }
WindowId ToWindowId(HWND window) { return reinterpret_cast<WindowId>(window); }

// The temporary directory, a new GUID in its braced text form, ".bmp".
std::string MakeBitmapPath() {
  GUID guid;
  if (FAILED(::CoCreateGuid(&guid))) throw std::runtime_error("no GUID");
  wchar_t text[39];
  if (::StringFromGUID2(guid, text, 39) == 0) throw std::runtime_error("no GUID text");
  std::string path = GetTempDir();
  for (const wchar_t* c = text; *c; ++c) path += static_cast<char>(*c);  // all ASCII
  path += ".bmp";
  return path;
}

class SystemPlatform final : public ShowPlatform {
 public:
  std::string NewBitmapPath() override { return MakeBitmapPath(); }

  bool FileExists(const std::string& path) override {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  void RemoveFile(const std::string& path) override { ::DeleteFileA(path.c_str()); }

  void CaptureToFile(WindowId window, const std::string& path) override {
    CaptureWindowToFile(ToHwnd(window), path);
  }

  bool Subclass(WindowId id) override {
    HWND window = ToHwnd(id);
    const auto ours = reinterpret_cast<LONG_PTR>(&SlideShowWindowProc);
    // Already ours (a stop that could not give it back): saving our own procedure as the
    // previous one would make every message call itself.
    if (::GetWindowLongPtrA(window, GWLP_WNDPROC) == ours) return true;
    ::SetLastError(ERROR_SUCCESS);
    const LONG_PTR previous = ::SetWindowLongPtrA(window, GWLP_WNDPROC, ours);
    if (previous == 0 && ::GetLastError() != ERROR_SUCCESS) return false;
    g_savedWindowProc = reinterpret_cast<WNDPROC>(previous);
    return true;
  }

  void Unsubclass(WindowId window) override {
    ::SetWindowLongPtrA(ToHwnd(window), GWLP_WNDPROC,
                        reinterpret_cast<LONG_PTR>(g_savedWindowProc));
  }

  bool LockDesktop() override { return ::LockWindowUpdate(::GetDesktopWindow()) != FALSE; }
  void UnlockDesktop() override { ::LockWindowUpdate(nullptr); }

  bool MonitorRectOf(std::int32_t monitorIndex, MonitorRect& rect) override {
    return tandry::MonitorRectOf(monitorIndex, rect);
  }
};

class LarkpaneWindows final : public SlideWindows {
 public:
  ScreenHandle CreateSlideShow(const MonitorRect& rect) override {
    return ::CreateSlideShow(rect.left, rect.top, rect.width, rect.height);
  }
  void LoadSlide(std::int32_t slideNumber, ScreenHandle handle, const char* bitmapPath,
                 bool backward) override {
    ::LoadSlide(slideNumber, handle, bitmapPath, backward);
  }
  void DestroySlideShow(ScreenHandle handle) override { ::DestroySlideShow(handle); }

  ScreenHandle CreateSlideShowSingleScreen(const MonitorRect& rect, bool notes) override {
    return ::CreateSlideShowSingleScreen(rect.left, rect.top, rect.width, rect.height, notes);
  }
  void LoadSlideSingleScreen(std::int32_t position, std::int32_t slideNumber,
                             ScreenHandle handle, const char* bitmapPath,
                             bool backward) override {
    ::LoadSlideSingleScreen(position, slideNumber, handle, bitmapPath, backward);
  }
  void DestroySlideShowSingleScreen(ScreenHandle handle) override {
    ::DestroySlideShowSingleScreen(handle);
  }

  ScreenHandle CreateSlideShowSharedSingleScreen(std::int32_t monitorIndex, WindowId showWindow,
                                                 bool notes) override {
    return ::CreateSlideShowSharedSingleScreen(monitorIndex, ToHwnd(showWindow), notes);
  }
  void LoadSlideSharedSingleScreen(std::int32_t position, std::int32_t slideNumber,
                                   ScreenHandle handle, const char* bitmapPath,
                                   bool backward) override {
    ::LoadSlideSharedSingleScreen(position, slideNumber, handle, bitmapPath, backward);
  }
  void LoadNotesSingleScreen(std::int32_t slideNumber, ScreenHandle handle,
                             const char16_t* notes) override {
    ::LoadNotesSingleScreen(slideNumber, handle, reinterpret_cast<const wchar_t*>(notes));
  }
  void DestroySlideShowSharedSingleScreen(ScreenHandle handle) override {
    ::DestroySlideShowSharedSingleScreen(handle);
  }
};

SystemPlatform g_platform;
LarkpaneWindows g_windows;
Session g_session(g_platform, g_windows);

LRESULT CallSavedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC saved = g_savedWindowProc;
  return saved ? ::CallWindowProcA(saved, window, message, wParam, lParam)
               : ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK SlideShowWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The capture shows the window as it was before it handles the input.
  if (CapturesBeforeHandling(message, wParam)) Contained([] { g_session.NextBuild(); });
  return Contained(LRESULT{0},
                   [&] { return CallSavedWindowProc(window, message, wParam, lParam); });
}

void ReleaseSession(bool processEnding) {
  Contained([&] { g_session.Release(processEnding); });
}

const SessionRecord& SessionState() { return g_session.Record(); }

}  // namespace tandry

using namespace tandry;

TANDRYCORE_API void __stdcall CreateTandrySession(const char* presentationName,
                                                  VARIANT showWindowObject,
                                                  std::int32_t screenCount,
                                                  std::int32_t slideCount,
                                                  std::int32_t singleScreenMonitor) {
  Contained([&] {
    // While a session runs, the call does nothing at all: not even the object is read.
    if (!g_session.CanPrepare()) return;
    g_session.CreateMultiScreen(presentationName,
                                ToWindowId(GetSlideShowWindowHandle(showWindowObject)),
                                screenCount, slideCount, singleScreenMonitor);
  });
}

TANDRYCORE_API void __stdcall AddSessionInfo(std::int32_t screenIndex,
                                             std::int32_t monitorIndex) {
  Contained([&] { g_session.AddSessionInfo(screenIndex, monitorIndex); });
}

TANDRYCORE_API void __stdcall CreateTandrySharedScreenSession(const char* presentationName,
                                                              VARIANT showWindowObject,
                                                              std::int32_t singleScreenMonitor,
                                                              std::int32_t slideCount,
                                                              std::int32_t withNotes) {
  Contained([&] {
    if (!g_session.CanPrepare()) return;
    g_session.CreateSharedScreen(presentationName,
                                 ToWindowId(GetSlideShowWindowHandle(showWindowObject)),
                                 singleScreenMonitor, slideCount, LowWordFlag(withNotes));
  });
}

TANDRYCORE_API void __stdcall StartTandrySession() {
  Contained([] { g_session.Start(); });
}

TANDRYCORE_API void __stdcall NextBuild() {
  Contained([] { g_session.NextBuild(); });
}

TANDRYCORE_API void __stdcall NextSlide(std::int32_t slideNumber, const wchar_t* notes) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "notes are UTF-16");
  Contained([&] {
    g_session.NextSlide(slideNumber, reinterpret_cast<const char16_t*>(notes));
  });
}

TANDRYCORE_API void __stdcall InsertSlide(std::int32_t position) {
  Contained([&] { g_session.InsertSlide(position); });
}

TANDRYCORE_API void __stdcall StopTandrySession() {
  Contained([] { g_session.Stop(); });
}

TANDRYCORE_API void __stdcall DestroyTandrySession() {
  Contained([] { g_session.Destroy(); });
}
