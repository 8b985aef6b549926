// Global shortcuts that are live only while this process's slide-show window is in front.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "ScopedWin.h"
#include "ShortcutList.h"
#include "tandrycore.h"

namespace tandry {

// The hidden window that owns the shortcuts, receives their hot-key messages and checks the
// foreground window once a second. Its window and timer are made at the first shortcut, on the
// calling thread, rather than at load: windows must not be created under the loader lock.
class TKeyboardShortcutsForm : private ShortcutSystem {
 public:
  TKeyboardShortcutsForm();
  ~TKeyboardShortcutsForm() override;
  TKeyboardShortcutsForm(const TKeyboardShortcutsForm&) = delete;
  TKeyboardShortcutsForm& operator=(const TKeyboardShortcutsForm&) = delete;

  std::uint32_t AddShortcut(std::int32_t key, std::int32_t modifiers, ShortcutProc callback);
  void RemoveShortcut(ShortcutAtom id);

  // The once-a-second check: hot keys up while the show is in front, down otherwise.
  void TimerTimer();
  // WM_HOTKEY: runs the shortcut's procedure while a window of this process is in front.
  void WMHotKey(WPARAM id);

  // The window that receives the hot-key and timer messages; null before the first shortcut.
  HWND Handle() const { return window_.get(); }

  // At the end of the process the system takes the window, its timer and the hot keys: the
  // form lets go of them without touching them, so that only the atoms are deleted.
  void AbandonWindow();

 private:
  void HandleNeeded();
  // The window no longer leads to this form: its messages go to the default procedure.
  void ForgetForm();

  ShortcutAtom AddAtom(const std::string& name) override;
  void DeleteAtom(ShortcutAtom atom) override;
  void RegisterHotKey(ShortcutAtom id, std::int32_t modifiers, std::int32_t key) override;
  void UnregisterHotKey(ShortcutAtom id) override;

  // Declared in creation order, so the window goes before its class.
  ScopedWindowClass class_;
  ScopedWindow window_;
  ShortcutList shortcuts_{*this};
};

// The one form, from load to unload; null outside that time.
TKeyboardShortcutsForm* KeyboardShortcutsForm();
void CreateKeyboardShortcutsForm();
// Releases every hot key (unless the process is ending), atom and entry, and the window.
void FreeKeyboardShortcutsForm(bool processEnding);

}  // namespace tandry
