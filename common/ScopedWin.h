// Small owners of Win32 resources: each releases what it holds when it goes out of scope, so
// resources go in the reverse order of their creation on every path out of a function.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <utility>
#include <vector>

#include "Contained.h"

// The linker's symbol for the including module's own image, which is also its instance handle.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace tandry {

// The instance handle of the module (DLL or program) that this code is linked into.
inline HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

// Owns one value of a handle type and releases it with Traits::Close unless it is
// Traits::Empty().
template <typename T, typename Traits>
class ScopedValue {
 public:
  ScopedValue() = default;
  explicit ScopedValue(T value) : value_(value) {}
  ScopedValue(ScopedValue&& other) noexcept : value_(other.release()) {}
  ScopedValue& operator=(ScopedValue&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ScopedValue(const ScopedValue&) = delete;
  ScopedValue& operator=(const ScopedValue&) = delete;
  ~ScopedValue() { reset(); }

  T get() const { return value_; }
  explicit operator bool() const { return value_ != Traits::Empty(); }
  T release() { return std::exchange(value_, Traits::Empty()); }
  void reset(T value = Traits::Empty()) {
    if (value_ != Traits::Empty()) Traits::Close(value_);
    value_ = value;
  }

 private:
  T value_ = Traits::Empty();
};

// Traits for handles whose empty value is null.
template <typename T, auto CloseFn>
struct NullEmpty {
  static T Empty() { return nullptr; }
  static void Close(T value) { CloseFn(value); }
};

struct FileTraits {
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE value) { ::CloseHandle(value); }
};

inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }

// A window class that the including module registered with its own instance (ThisModule).
// Classes of a DLL outlive FreeLibrary unless they are unregistered.
struct WindowClassTraits {
  static ATOM Empty() { return 0; }
  static void Close(ATOM atom) {
    ::UnregisterClassA(MAKEINTATOM(atom), ThisModule());
  }
};

using ScopedHandle = ScopedValue<HANDLE, NullEmpty<HANDLE, ::CloseHandle>>;
using ScopedFile = ScopedValue<HANDLE, FileTraits>;
using ScopedMemDC = ScopedValue<HDC, NullEmpty<HDC, ::DeleteDC>>;
using ScopedRegKey = ScopedValue<HKEY, NullEmpty<HKEY, ::RegCloseKey>>;
using ScopedModule = ScopedValue<HMODULE, NullEmpty<HMODULE, ::FreeLibrary>>;
using ScopedWindow = ScopedValue<HWND, NullEmpty<HWND, ::DestroyWindow>>;
using ScopedWindowClass = ScopedValue<ATOM, WindowClassTraits>;
using ScopedHook = ScopedValue<HHOOK, NullEmpty<HHOOK, ::UnhookWindowsHookEx>>;

// A GDI object of a given type (HBITMAP, HBRUSH, HFONT, ...).
template <typename T>
using ScopedGdiObj = ScopedValue<T, NullEmpty<T, DeleteGdiObject>>;

// A device context from GetDC, given back with ReleaseDC.
class ScopedGetDC {
 public:
  explicit ScopedGetDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~ScopedGetDC() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  ScopedGetDC(const ScopedGetDC&) = delete;
  ScopedGetDC& operator=(const ScopedGetDC&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a device context and selects the previous one back.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~ScopedSelect() {
    if (previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// BeginPaint / EndPaint.
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &ps_); }
  ~ScopedPaint() { ::EndPaint(window_, &ps_); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// A COM interface pointer, released once.
template <typename T>
class ScopedComPtr {
 public:
  ScopedComPtr() = default;
  explicit ScopedComPtr(T* p) : p_(p) {}  // takes over a reference
  ScopedComPtr(ScopedComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ScopedComPtr& operator=(ScopedComPtr&& other) noexcept {
    reset(std::exchange(other.p_, nullptr));
    return *this;
  }
  ScopedComPtr(const ScopedComPtr&) = delete;
  ScopedComPtr& operator=(const ScopedComPtr&) = delete;
  ~ScopedComPtr() { reset(); }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // Hands the reference over to the caller.
  T* release() { return std::exchange(p_, nullptr); }
  // For out-parameters: releases what is held and hands out the slot.
  T** receive() {
    reset();
    return &p_;
  }
  void reset(T* p = nullptr) {
    if (p_) p_->Release();
    p_ = p;
  }

 private:
  T* p_ = nullptr;
};

// A VARIANT cleared with VariantClear.
class ScopedVariant {
 public:
  ScopedVariant() { ::VariantInit(&v_); }
  ~ScopedVariant() { ::VariantClear(&v_); }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;
  VARIANT* get() { return &v_; }
  const VARIANT& operator*() const { return v_; }

 private:
  VARIANT v_;
};

// While it lives, every other visible and enabled top-level window of the calling thread is
// disabled, so that only the windows of a modal display take input; a dialog box disables and
// enables its owner itself, so the owner is left alone. Exactly the windows it disabled are
// enabled again, in reverse order, whichever way the display ends.
class OtherThreadWindowsDisabled {
 public:
  explicit OtherThreadWindowsDisabled(HWND owner) : owner_(owner) {
    ::EnumThreadWindows(::GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(this));
  }
  ~OtherThreadWindowsDisabled() {
    for (auto window = disabled_.rbegin(); window != disabled_.rend(); ++window) {
      ::EnableWindow(*window, TRUE);
    }
  }
  OtherThreadWindowsDisabled(const OtherThreadWindowsDisabled&) = delete;
  OtherThreadWindowsDisabled& operator=(const OtherThreadWindowsDisabled&) = delete;

 private:
  // Without memory to remember a window the enumeration stops before disabling it.
  static BOOL CALLBACK DisableWindow(HWND window, LPARAM self) {
    return Contained(FALSE, [&] {
      reinterpret_cast<OtherThreadWindowsDisabled*>(self)->Disable(window);
      return TRUE;
    });
  }
  void Disable(HWND window) {
    if (window == owner_ || !::IsWindowVisible(window) || !::IsWindowEnabled(window)) return;
    disabled_.push_back(window);
    ::EnableWindow(window, FALSE);
  }

  HWND owner_;
  std::vector<HWND> disabled_;
};

}  // namespace tandry
