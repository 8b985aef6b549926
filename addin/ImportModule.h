// The add-in's declared outside functions: one table of the engine's, larkpane's and the
// system's functions that the add-in calls, each with the file it comes from and a binding cell
// that is empty until the first call. A call binds its cell if needed (the file is loaded once
// and never unloaded) and goes through one generic call that turns the add-in's arguments into
// the function's parameter types. A function that can't be bound is not called and reports
// failure; its cell stays empty, so the next call tries again.
//
// The engine and larkpane are loaded by full path from the add-in's own folder, never through
// the process's search order, so no other file of the same name can take their place; the
// engine's own import of larkpane then resolves beside it. The system's files come from the
// system folder.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "Ports.h"
#include "larkpane.h"
#include "tandrycore.h"

namespace tandry::addin {

// The folder of the module (the add-in's DLL, or a test program) that this code is linked
// into, with its closing backslash; empty when it can't be had.
std::wstring OwnFolder();

// The files that declared functions come from.
enum class Library { Engine, Larkpane, User32, Gdi32 };

// One entry of the table: the exported name, its file, and the binding cell, typed from the
// function's declaration.
template <typename Fn>
struct Declared {
  const char* name;
  Library library;
  Fn cell;
};

#define TANDRY_DECLARED(Name, File) Declared<decltype(&::Name)> Name{#Name, Library::File, nullptr}

// The one table of declared functions.
struct DeclaredTable {
  TANDRY_DECLARED(InitializeTandry, Engine);
  TANDRY_DECLARED(ShowAboutForm, Engine);
  TANDRY_DECLARED(GetMonitorCount, Engine);
  TANDRY_DECLARED(GetMonitorInfo, Engine);
  TANDRY_DECLARED(CreateTandrySession, Engine);
  TANDRY_DECLARED(AddSessionInfo, Engine);
  TANDRY_DECLARED(CreateTandrySharedScreenSession, Engine);
  TANDRY_DECLARED(StartTandrySession, Engine);
  TANDRY_DECLARED(ActivateSlideShow, Engine);
  TANDRY_DECLARED(NextBuild, Engine);
  TANDRY_DECLARED(NextSlide, Engine);
  TANDRY_DECLARED(InsertSlide, Engine);
  TANDRY_DECLARED(RegisterShortcut, Engine);
  TANDRY_DECLARED(UnregisterShortcut, Engine);
  TANDRY_DECLARED(StopTandrySession, Engine);
  TANDRY_DECLARED(DestroyTandrySession, Engine);
  TANDRY_DECLARED(EncryptString, Engine);
  TANDRY_DECLARED(CreateNotesView, Larkpane);
  TANDRY_DECLARED(SetNotesTitle, Larkpane);
  TANDRY_DECLARED(SetNotesText, Larkpane);
  TANDRY_DECLARED(ShowNotesView, Larkpane);
  TANDRY_DECLARED(HideNotesView, Larkpane);
  TANDRY_DECLARED(DestroyNotesView, Larkpane);
  TANDRY_DECLARED(GetDesktopWindow, User32);
  TANDRY_DECLARED(LockWindowUpdate, User32);
  TANDRY_DECLARED(GetDC, User32);
  TANDRY_DECLARED(ReleaseDC, User32);
  TANDRY_DECLARED(GetDeviceCaps, Gdi32);
  TANDRY_DECLARED(SetCursorPos, User32);
};

#undef TANDRY_DECLARED

class ImportModule final : public DeclaredFunctions {
 public:
  // `shortcutProcedure` is what RegisterShortcut hands the engine: InsertSlideShortcut.
  // `ownFolder` (with its closing backslash) holds the engine and larkpane; by default the
  // folder of the module that this code is linked into.
  explicit ImportModule(TShortcutProc shortcutProcedure, std::wstring ownFolder = OwnFolder());
  ImportModule(const ImportModule&) = delete;
  ImportModule& operator=(const ImportModule&) = delete;

  bool InitializeTandry() override;
  bool ShowAboutForm() override;
  bool GetMonitorCount(std::int32_t& usableMonitors, std::int32_t& systemMonitors,
                       std::int32_t& reserved) override;
  bool GetMonitorInfo(std::int32_t monitorIndex, std::int32_t& left, std::int32_t& top,
                      std::int32_t& width, std::int32_t& height) override;
  bool CreateTandrySession(const std::u16string& presentationName,
                           const ObjectRef& slideShowWindow, std::int32_t screenCount,
                           std::int32_t slideCount, std::int32_t singleScreenMonitor) override;
  bool AddSessionInfo(std::int32_t screenIndex, std::int32_t monitorIndex) override;
  bool CreateTandrySharedScreenSession(const std::u16string& presentationName,
                                       const ObjectRef& slideShowWindow,
                                       std::int32_t monitorIndex, std::int32_t slideCount,
                                       bool notes) override;
  bool StartTandrySession() override;
  bool ActivateSlideShow(const ObjectRef& slideShowWindow) override;
  bool NextBuild() override;
  bool NextSlide(std::int32_t slideNumber, const std::u16string& notes) override;
  bool InsertSlide(std::int32_t position) override;
  std::optional<ShortcutId> RegisterShortcut(std::int32_t key, std::int32_t modifiers) override;
  bool UnregisterShortcut(ShortcutId id) override;
  bool StopTandrySession() override;
  bool DestroyTandrySession() override;
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

  // Whether the function's cell is bound; for tests of the binding.
  template <typename Fn>
  static bool IsBound(const Declared<Fn>& entry) {
    return entry.cell != nullptr;
  }
  const DeclaredTable& Table() const { return table_; }

 private:
  // Binds the entry's cell, loading its file first if it is not loaded yet.
  template <typename Fn>
  bool Bind(Declared<Fn>& entry);
  // Calls the entry with the add-in's arguments, each turned into its parameter's type, and
  // hands the function's result to `useResult`; false when the entry could not be bound.
  template <typename Fn, typename Use, typename... A>
  bool Invoke(Declared<Fn>& entry, Use&& useResult, A&&... arguments);
  // The same for a function whose result is not used.
  template <typename Fn, typename... A>
  bool Run(Declared<Fn>& entry, A&&... arguments);

  HMODULE LibraryHandle(Library library);

  TShortcutProc shortcutProcedure_;
  std::wstring ownFolder_;
  DeclaredTable table_;
  std::array<HMODULE, 4> libraries_{};
};

}  // namespace tandry::addin
