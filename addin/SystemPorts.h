// The settings store and the message boxes of the add-in over the system: the current user's
// registry under "Software\VB and VBA Program Settings\Tandry\Options", and MessageBoxW.
#pragma once

#include "Ports.h"

namespace tandry::addin {

// The per-application settings store: string values, kept exactly as written. A text with NUL
// characters inside (a scrambled password can hold one) is stored with its full length, and
// read back in full. An expandable string reads as its text unexpanded; a value of any other
// type can't be read.
class RegistrySettings final : public SettingsStore {
 public:
  std::optional<std::u16string> Read(std::u16string_view name,
                                     std::u16string_view fallback) override;
  bool Write(std::u16string_view name, std::u16string_view text) override;
};

// Message boxes titled "Tandry" with an OK button, owned by the thread's active window. Each box's
// window is learnt as it is created (a window-creation hook of the thread, there only while the
// box is shown), so that CloseAll can end every box open, nested ones included, with OK.
class SystemMessageBoxes final : public MessageBoxes {
 public:
  void Show(std::u16string_view text, MessageIcon icon) override;
  void CloseAll() override;
};

}  // namespace tandry::addin
