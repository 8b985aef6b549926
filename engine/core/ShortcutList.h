// Global shortcuts: their names, their list, and the rules that decide when their hot keys
// exist and when a hot-key message runs a procedure. The system's atoms and hot keys are
// reached through ShortcutSystem, so the call sequences can be checked without Windows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tandry {

// A shortcut's procedure: no arguments, no result, stdcall in the 32-bit Windows build. The
// same type as the public header's TShortcutProc, which the engine checks.
#if defined(_WIN32) && defined(__i386__)
using ShortcutProc = void(__attribute__((stdcall))*)();
#else
using ShortcutProc = void (*)();
#endif

// A global atom; also the hot key's identifier on the shortcut window.
using ShortcutAtom = std::uint16_t;

// "Tandry_<key>_<modifiers>", both in upper-case hexadecimal without leading zeros.
std::string ShortcutName(std::int32_t key, std::int32_t modifiers);

// The presentation program's slide-show window class: exact, case-sensitive comparison.
bool IsSlideShowClass(const std::string& className);

// The foreground window as the timer sees it.
struct ForegroundWindow {
  bool exists = false;
  std::string className;
  bool ofThisProcess = false;
};

// Hot keys exist only while a slide-show window of this very process is in front.
bool HotKeysLive(const ForegroundWindow& foreground);

// The system's global atoms and hot keys, as the list uses them. Failures are not reported:
// a failed atom is 0, a refused hot key is simply not there.
class ShortcutSystem {
 public:
  virtual ~ShortcutSystem() = default;
  virtual ShortcutAtom AddAtom(const std::string& name) = 0;
  virtual void DeleteAtom(ShortcutAtom atom) = 0;
  virtual void RegisterHotKey(ShortcutAtom id, std::int32_t modifiers, std::int32_t key) = 0;
  virtual void UnregisterHotKey(ShortcutAtom id) = 0;
};

struct TShortcutEntry {
  std::int32_t Key = 0;
  std::int32_t Modifiers = 0;
  ShortcutProc Callback = nullptr;
  ShortcutAtom Id = 0;
};

// The registered shortcuts in registration order; an Id may occur more than once.
class ShortcutList {
 public:
  explicit ShortcutList(ShortcutSystem& system) : system_(system) {}
  ShortcutList(const ShortcutList&) = delete;
  ShortcutList& operator=(const ShortcutList&) = delete;

  // Makes the atom, registers the hot key at once whatever window is in front, and keeps the
  // entry even when either failed. Returns the atom widened to 32 bits (0: no atom).
  std::uint32_t AddShortcut(std::int32_t key, std::int32_t modifiers, ShortcutProc callback);
  // The first entry with `id`: hot key down, atom deleted, entry gone. Unknown ids do nothing.
  void RemoveShortcut(ShortcutAtom id);
  // Position of the first entry with `id`, or -1.
  int IndexOfShortcut(ShortcutAtom id) const;

  void RegisterHotKeys();
  void UnregisterHotKeys();
  // Every hot key down, then every atom deleted from the last entry to the first.
  void ClearShortcuts();

  // The timer's rule, applied once a second.
  void TimerTimer(const ForegroundWindow& foreground);
  // The procedure that a hot-key message for `id` runs: the first entry's, and only while a
  // window of this process is in front. Null when nothing runs.
  ShortcutProc ShortcutToRun(ShortcutAtom id, bool foregroundOfThisProcess) const;

  const std::vector<TShortcutEntry>& Entries() const { return shortcuts_; }

 private:
  ShortcutSystem& system_;
  std::vector<TShortcutEntry> shortcuts_;
};

}  // namespace tandry
