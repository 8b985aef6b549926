// What the add-in's dialogs need from outside themselves: the engine's monitor count, about box
// and scrambler, the stored lock password, message boxes, and the two password dialogs that the
// settings dialog opens. Each call stands alone: a failing call changes nothing and the dialog
// goes on. The Win32 dialogs serve these through the add-in's ports and stored settings, with
// the dialog as the owner of what they open.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Ports.h"

namespace tandry::addin {

struct MonitorCounts {
  std::int32_t usable = 0;
  std::int32_t system = 0;
};

class DialogServices {
 public:
  virtual ~DialogServices() = default;
  // The engine's monitor count; a failing call leaves `counts` as they were.
  virtual void GetMonitorCount(MonitorCounts& counts) = 0;
  // The engine's about box, modal over the dialog.
  virtual void ShowAboutForm() = 0;
  // A message box titled "Tandry" with an OK button only, modal over the dialog.
  virtual void ShowMessage(const std::u16string& text, MessageIcon icon) = 0;
  // The stored lock password in its scrambled form; the empty text when there is none, nullopt
  // when one is stored but can't be read.
  virtual std::optional<std::u16string> GetStoredPassword() = 0;
  // The scrambled form of `text`, as many characters long as the text.
  virtual std::u16string EncryptText(const std::u16string& text) = 0;
  // Stores `password` scrambled; the empty text removes the lock.
  virtual void SavePassword(const std::u16string& password) = 0;
};

// The services over the add-in's ports: the engine's functions, the stored password and the
// message boxes, each through the one procedure the add-in has for it.
class PortDialogServices : public DialogServices {
 public:
  PortDialogServices(DeclaredFunctions& declared, SettingsStore& store, MessageBoxes& messages)
      : declared_(declared), store_(store), messages_(messages) {}

  void GetMonitorCount(MonitorCounts& counts) override;
  void ShowAboutForm() override;
  void ShowMessage(const std::u16string& text, MessageIcon icon) override;
  std::optional<std::u16string> GetStoredPassword() override;
  std::u16string EncryptText(const std::u16string& text) override;
  void SavePassword(const std::u16string& password) override;

 private:
  DeclaredFunctions& declared_;
  SettingsStore& store_;
  MessageBoxes& messages_;
};

// What the settings dialog reads from a password dialog after its modal show.
struct SetPasswordOutcome {
  bool okPressed = false;
  std::u16string passwordText;
};

struct ChangePasswordOutcome {
  bool okPressed = false;
  std::u16string currentPasswordText;
  std::u16string newPasswordText;
};

// Loads a password dialog afresh, shows it modally over the settings dialog, reads it and
// unloads it.
class PasswordForms {
 public:
  virtual ~PasswordForms() = default;
  virtual SetPasswordOutcome ShowSetPasswordForm() = 0;
  virtual ChangePasswordOutcome ShowChangePasswordForm() = 0;
};

}  // namespace tandry::addin
