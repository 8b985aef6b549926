#include "ShortcutList.h"

#include <cstdio>

namespace tandry {

std::string ShortcutName(std::int32_t key, std::int32_t modifiers) {
  // "Tandry_" + two 32-bit numbers of at most 8 digits each + "_" + NUL.
  char name[32];
  std::snprintf(name, sizeof name, "Tandry_%X_%X", static_cast<unsigned>(key),
                static_cast<unsigned>(modifiers));
  return name;
}

bool IsSlideShowClass(const std::string& className) { return className == "screenClass"; }

bool HotKeysLive(const ForegroundWindow& foreground) {
  return foreground.exists && IsSlideShowClass(foreground.className) && foreground.ofThisProcess;
}

std::uint32_t ShortcutList::AddShortcut(std::int32_t key, std::int32_t modifiers,
                                        ShortcutProc callback) {
  // The entry first: should memory run out, no atom is left without an entry to delete it.
  shortcuts_.push_back(TShortcutEntry{key, modifiers, callback, 0});
  TShortcutEntry& entry = shortcuts_.back();
  entry.Id = system_.AddAtom(ShortcutName(key, modifiers));
  system_.RegisterHotKey(entry.Id, modifiers, key);
  return entry.Id;
}

void ShortcutList::RemoveShortcut(ShortcutAtom id) {
  const int index = IndexOfShortcut(id);
  if (index < 0) return;
  system_.UnregisterHotKey(id);
  system_.DeleteAtom(id);
  shortcuts_.erase(shortcuts_.begin() + index);
}

int ShortcutList::IndexOfShortcut(ShortcutAtom id) const {
  for (std::size_t i = 0; i < shortcuts_.size(); ++i) {
    if (shortcuts_[i].Id == id) return static_cast<int>(i);
  }
  return -1;
}

void ShortcutList::RegisterHotKeys() {
  for (const TShortcutEntry& entry : shortcuts_) {
    system_.RegisterHotKey(entry.Id, entry.Modifiers, entry.Key);
  }
}

void ShortcutList::UnregisterHotKeys() {
  for (const TShortcutEntry& entry : shortcuts_) system_.UnregisterHotKey(entry.Id);
}

void ShortcutList::ClearShortcuts() {
  UnregisterHotKeys();
  while (!shortcuts_.empty()) {
    system_.DeleteAtom(shortcuts_.back().Id);
    shortcuts_.pop_back();
  }
}

void ShortcutList::TimerTimer(const ForegroundWindow& foreground) {
  // Registering again while a hot key already stands is refused by the system, harmlessly.
  if (HotKeysLive(foreground)) {
    RegisterHotKeys();
  } else {
    UnregisterHotKeys();
  }
}

ShortcutProc ShortcutList::ShortcutToRun(ShortcutAtom id, bool foregroundOfThisProcess) const {
  // Only the process is checked here: the timer's rule decides whether a hot key exists at all.
  if (!foregroundOfThisProcess) return nullptr;
  const int index = IndexOfShortcut(id);
  return index < 0 ? nullptr : shortcuts_[index].Callback;
}

}  // namespace tandry
