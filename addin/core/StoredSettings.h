// The add-in's stored settings: the monitor order and the two flags, written at every confirmed
// settings dialog and read once at start-up, and the scrambled lock password, read afresh at
// every use. All are text values of the settings store.
#pragma once

#include <optional>
#include <string>

#include "ModuleState.h"
#include "Ports.h"

namespace tandry::addin {

// Appends the stored order to `settings.MonitorOrder` and sets the two flags from the store.
void LoadSettings(SettingsStore& store, SettingsRecord& settings);
// Writes the order and the two flags; each write is tried even when an earlier one failed.
void SaveSettings(SettingsStore& store, const SettingsRecord& settings);
// The stored scrambled password; the empty text when there is none, nullopt when one is stored
// but can't be read (which keeps the settings locked).
std::optional<std::u16string> GetStoredPassword(SettingsStore& store);
// Stores the scrambled form of `password`; the empty password removes the lock.
void SavePassword(SettingsStore& store, DeclaredFunctions& declared,
                  const std::u16string& password);
// The scrambled form of `text`, as many characters long as the text.
std::u16string EncryptText(DeclaredFunctions& declared, const std::u16string& text);

}  // namespace tandry::addin
