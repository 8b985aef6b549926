// The declared functions' binding and their one generic call. Each argument of the add-in is
// held for the length of the call by a small holder that turns into the parameter's type:
// numbers (and the addresses of by-reference outputs), 8-bit copies of texts in the system code
// page (converted back in full after the call), UTF-16 texts, and the slide-show window as a
// VT_DISPATCH variant that adds no reference.
#include "ImportModule.h"

#include <string>
#include <tuple>
#include <type_traits>
#include <utility>

#include "HostDispatch.h"
#include "ScopedWin.h"

namespace tandry::addin {
namespace {

// A number, or an output variable whose address the callee takes.
template <typename T>
class NumberArgument {
 public:
  NumberArgument(T value, T* output) : value_(value), output_(output) {}
  template <typename P>
  operator P() const {
    if constexpr (std::is_same_v<P, T*>) {
      return output_;
    } else if constexpr (std::is_pointer_v<P>) {
      return reinterpret_cast<P>(static_cast<std::uintptr_t>(value_));  // a system handle
    } else {
      return static_cast<P>(value_);
    }
  }
  void Finish() {}

 private:
  T value_;
  T* output_;
};

// A text: its UTF-16 characters, or an 8-bit copy in the system code page that is made on
// demand and, for a text the caller lets the callee write, converted back in full afterwards.
class TextArgument {
 public:
  TextArgument(const std::u16string& text, std::u16string* writeBack)
      : text_(text), writeBack_(writeBack) {}
  operator const wchar_t*() const { return reinterpret_cast<const wchar_t*>(text_.c_str()); }
  operator const char*() { return Bytes(); }
  operator char*() { return Bytes(); }
  void Finish() {
    if (writeBack_ && made_) *writeBack_ = FromSystemCodePage(bytes_);
  }

  static std::string ToSystemCodePage(const std::u16string& text) {
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    std::string bytes(
        WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, bytes.data(), static_cast<int>(bytes.size()),
                        nullptr, nullptr);
    return bytes;
  }

 private:
  char* Bytes() {
    if (!made_) bytes_ = ToSystemCodePage(text_);
    made_ = true;
    return bytes_.data();  // NUL-terminated by the string
  }

  // Every byte, a NUL among them included.
  static std::u16string FromSystemCodePage(const std::string& bytes) {
    const int length = static_cast<int>(bytes.size());
    std::wstring wide(MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(),
                        static_cast<int>(wide.size()));
    return std::u16string(wide.begin(), wide.end());
  }

  const std::u16string& text_;
  std::u16string* writeBack_;
  std::string bytes_;
  bool made_ = false;
};

// The slide-show window, passed by value in a variant that holds no reference of its own.
class ObjectArgument {
 public:
  explicit ObjectArgument(const ObjectRef& object) : object_(object) {}
  operator VARIANT() const {
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_DISPATCH;
    variant.pdispVal = DispatchOf(object_);
    return variant;
  }
  void Finish() {}

 private:
  const ObjectRef& object_;
};

// A procedure's address, as it is.
class ProcedureArgument {
 public:
  explicit ProcedureArgument(TShortcutProc procedure) : procedure_(procedure) {}
  operator TShortcutProc() const { return procedure_; }
  void Finish() {}

 private:
  TShortcutProc procedure_;
};

template <typename T, typename = std::enable_if_t<std::is_arithmetic_v<T>>>
NumberArgument<T> Held(T& output) {
  return {output, &output};
}
template <typename T, typename = std::enable_if_t<std::is_arithmetic_v<T>>>
NumberArgument<T> Held(const T& value) {
  return {value, nullptr};
}
inline TextArgument Held(std::u16string& text) { return {text, &text}; }
inline TextArgument Held(const std::u16string& text) { return {text, nullptr}; }
inline ObjectArgument Held(const ObjectRef& object) { return ObjectArgument(object); }
inline ProcedureArgument Held(TShortcutProc procedure) { return ProcedureArgument(procedure); }

const wchar_t* FileName(Library library) {
  switch (library) {
    case Library::Engine: return L"tandrycore.dll";
    case Library::Larkpane: return L"larkpane.dll";
    case Library::User32: return L"user32.dll";
    case Library::Gdi32: return L"gdi32.dll";
  }
  return L"";
}

std::wstring SystemFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return std::wstring();
  return std::wstring(folder, length) + L"\\";
}

}  // namespace

std::wstring OwnFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(ThisModule(), path.data(),
                                            static_cast<DWORD>(path.size()));
    if (length == 0) return std::wstring();
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

ImportModule::ImportModule(TShortcutProc shortcutProcedure, std::wstring ownFolder)
    : shortcutProcedure_(shortcutProcedure), ownFolder_(std::move(ownFolder)) {}

HMODULE ImportModule::LibraryHandle(Library library) {
  HMODULE& handle = libraries_[static_cast<std::size_t>(library)];
  if (handle) return handle;
  const bool ours = library == Library::Engine || library == Library::Larkpane;
  const std::wstring folder = ours ? ownFolder_ : SystemFolder();
  // Without a folder there is no full path, and no plain name is ever tried.
  if (folder.empty()) return nullptr;
  // The engine's import of larkpane is looked for in the engine's folder.
  handle = LoadLibraryExW((folder + FileName(library)).c_str(), nullptr,
                          ours ? LOAD_WITH_ALTERED_SEARCH_PATH : 0);
  return handle;
}

template <typename Fn>
bool ImportModule::Bind(Declared<Fn>& entry) {
  if (entry.cell) return true;
  const HMODULE library = LibraryHandle(entry.library);
  if (!library) return false;
  entry.cell = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, entry.name)));
  return entry.cell != nullptr;
}

template <typename Fn, typename Use, typename... A>
bool ImportModule::Invoke(Declared<Fn>& entry, Use&& useResult, A&&... arguments) {
  if (!Bind(entry)) return false;
  auto held = std::make_tuple(Held(std::forward<A>(arguments))...);
  std::apply(
      [&](auto&... argument) {
        if constexpr (std::is_void_v<decltype(entry.cell(argument...))>) {
          entry.cell(argument...);
        } else {
          useResult(entry.cell(argument...));
        }
        (argument.Finish(), ...);
      },
      held);
  return true;
}

template <typename Fn, typename... A>
bool ImportModule::Run(Declared<Fn>& entry, A&&... arguments) {
  return Invoke(entry, [](auto&&) {}, std::forward<A>(arguments)...);
}

bool ImportModule::InitializeTandry() { return Run(table_.InitializeTandry); }
bool ImportModule::ShowAboutForm() { return Run(table_.ShowAboutForm); }

bool ImportModule::GetMonitorCount(std::int32_t& usableMonitors, std::int32_t& systemMonitors,
                                   std::int32_t& reserved) {
  return Run(table_.GetMonitorCount, usableMonitors, systemMonitors, reserved);
}

bool ImportModule::GetMonitorInfo(std::int32_t monitorIndex, std::int32_t& left,
                                  std::int32_t& top, std::int32_t& width, std::int32_t& height) {
  return Run(table_.GetMonitorInfo, std::as_const(monitorIndex), left, top, width, height);
}

bool ImportModule::CreateTandrySession(const std::u16string& presentationName,
                                       const ObjectRef& slideShowWindow,
                                       std::int32_t screenCount, std::int32_t slideCount,
                                       std::int32_t singleScreenMonitor) {
  return Run(table_.CreateTandrySession, presentationName, slideShowWindow,
             std::as_const(screenCount), std::as_const(slideCount),
             std::as_const(singleScreenMonitor));
}

bool ImportModule::AddSessionInfo(std::int32_t screenIndex, std::int32_t monitorIndex) {
  return Run(table_.AddSessionInfo, std::as_const(screenIndex), std::as_const(monitorIndex));
}

bool ImportModule::CreateTandrySharedScreenSession(const std::u16string& presentationName,
                                                   const ObjectRef& slideShowWindow,
                                                   std::int32_t monitorIndex,
                                                   std::int32_t slideCount, bool notes) {
  return Run(table_.CreateTandrySharedScreenSession, presentationName, slideShowWindow,
             std::as_const(monitorIndex), std::as_const(slideCount), std::as_const(notes));
}

bool ImportModule::StartTandrySession() { return Run(table_.StartTandrySession); }

bool ImportModule::ActivateSlideShow(const ObjectRef& slideShowWindow) {
  return Run(table_.ActivateSlideShow, slideShowWindow);
}

bool ImportModule::NextBuild() { return Run(table_.NextBuild); }

bool ImportModule::NextSlide(std::int32_t slideNumber, const std::u16string& notes) {
  return Run(table_.NextSlide, std::as_const(slideNumber), notes);
}

bool ImportModule::InsertSlide(std::int32_t position) {
  return Run(table_.InsertSlide, std::as_const(position));
}

std::optional<ShortcutId> ImportModule::RegisterShortcut(std::int32_t key,
                                                         std::int32_t modifiers) {
  std::optional<ShortcutId> id;
  Invoke(table_.RegisterShortcut, [&](std::uint32_t result) { id = result; }, std::as_const(key),
         std::as_const(modifiers), shortcutProcedure_);
  return id;
}

bool ImportModule::UnregisterShortcut(ShortcutId id) {
  return Run(table_.UnregisterShortcut, std::as_const(id));
}

bool ImportModule::StopTandrySession() { return Run(table_.StopTandrySession); }
bool ImportModule::DestroyTandrySession() { return Run(table_.DestroyTandrySession); }

bool ImportModule::EncryptString(std::u16string& source, std::u16string& dest) {
  // The engine writes as many bytes as the source's 8-bit copy has, and a NUL. Where the code
  // page takes several bytes for a character that can be more than the buffer's characters, so
  // the buffer grows by blanks (one byte each in every code page) until it holds them.
  const std::size_t needed = TextArgument::ToSystemCodePage(source).size() + 1;
  const std::size_t held = TextArgument::ToSystemCodePage(dest).size();
  if (held < needed) dest.append(needed - held, u' ');
  return Run(table_.EncryptString, source, dest);
}

std::optional<ScreenHandle> ImportModule::CreateNotesView(std::int32_t left, std::int32_t top,
                                                          std::int32_t width,
                                                          std::int32_t height) {
  std::optional<ScreenHandle> view;
  Invoke(table_.CreateNotesView, [&](LarkScreenHandle handle) { view = handle; },
         std::as_const(left), std::as_const(top), std::as_const(width), std::as_const(height));
  return view;
}

bool ImportModule::SetNotesTitle(ScreenHandle handle, const std::u16string& title) {
  return Run(table_.SetNotesTitle, std::as_const(handle), title);
}

bool ImportModule::SetNotesText(ScreenHandle handle, const std::u16string& text) {
  return Run(table_.SetNotesText, std::as_const(handle), text);
}

bool ImportModule::ShowNotesView(ScreenHandle handle) {
  return Run(table_.ShowNotesView, std::as_const(handle));
}

bool ImportModule::HideNotesView(ScreenHandle handle) {
  return Run(table_.HideNotesView, std::as_const(handle));
}

bool ImportModule::DestroyNotesView(ScreenHandle handle) {
  return Run(table_.DestroyNotesView, std::as_const(handle));
}

std::optional<SystemHandle> ImportModule::GetDesktopWindow() {
  std::optional<SystemHandle> desktop;
  Invoke(table_.GetDesktopWindow,
         [&](HWND window) { desktop = reinterpret_cast<SystemHandle>(window); });
  return desktop;
}

bool ImportModule::LockWindowUpdate(SystemHandle window) {
  return Run(table_.LockWindowUpdate, std::as_const(window));
}

std::optional<SystemHandle> ImportModule::GetDC(SystemHandle window) {
  std::optional<SystemHandle> context;
  Invoke(table_.GetDC, [&](HDC dc) { context = reinterpret_cast<SystemHandle>(dc); },
         std::as_const(window));
  return context;
}

bool ImportModule::ReleaseDC(SystemHandle window, SystemHandle deviceContext) {
  return Run(table_.ReleaseDC, std::as_const(window), std::as_const(deviceContext));
}

std::optional<std::int32_t> ImportModule::GetDeviceCaps(SystemHandle deviceContext,
                                                        std::int32_t index) {
  std::optional<std::int32_t> value;
  Invoke(table_.GetDeviceCaps, [&](int result) { value = result; }, std::as_const(deviceContext),
         std::as_const(index));
  return value;
}

bool ImportModule::SetCursorPos(std::int32_t x, std::int32_t y) {
  return Run(table_.SetCursorPos, std::as_const(x), std::as_const(y));
}

}  // namespace tandry::addin
