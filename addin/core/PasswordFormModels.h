// The settings lock's acceptance rule and the models of its two dialogs: SetPasswordForm asks for
// the password that unlocks the settings dialog; ChangePasswordForm asks for the current password
// and a new one twice. Both stay open on a wrong entry, with a message, until OK is accepted or
// the user cancels.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "DialogControls.h"
#include "DialogServices.h"

namespace tandry::addin {

// Accepted wherever the user's password is; compared in plain text and never stored.
inline constexpr char16_t kMasterPassword[] = u"KRW Tolve";

// True when `typed` is the master password or scrambles to the stored password, each compared
// character by character. A stored password that can't be read matches nothing: a store that
// fails must not open the lock.
bool AcceptsPassword(DialogServices& services, const std::u16string& typed);

// What both password dialogs share: OKPressed, Cancel, and the switch that shows the typed
// characters of some of their text boxes.
class PasswordFormModel : public DialogModel {
 public:
  // Form_Load: every display starts with OKPressed false.
  void Load() { okPressed_ = false; }
  bool OKPressed() const { return okPressed_; }
  void Click(ControlId control) override;

 protected:
  PasswordFormModel(DialogControls& controls, DialogServices& services, ControlId showChars,
                    std::initializer_list<ControlId> switchedBoxes, ControlId ok,
                    ControlId cancel);
  virtual void OKCommand_Click() = 0;
  // OK accepted: OKPressed true, and the form hides, which ends its modal show.
  void Accept();
  // Shows `message`, then empties `boxes` and gives the first the focus.
  void Refuse(const std::u16string& message, std::initializer_list<ControlId> boxes);

  DialogControls& controls_;
  DialogServices& services_;

 private:
  void ShowCharsCheck_Click();
  void CancelCommand_Click();

  const ControlId showChars_;
  const std::vector<ControlId> switchedBoxes_;
  const ControlId ok_;
  const ControlId cancel_;
  bool okPressed_ = false;
};

class SetPasswordFormModel : public PasswordFormModel {
 public:
  SetPasswordFormModel(DialogControls& controls, DialogServices& services);
  std::u16string PasswordText();

 private:
  void OKCommand_Click() override;
};

class ChangePasswordFormModel : public PasswordFormModel {
 public:
  ChangePasswordFormModel(DialogControls& controls, DialogServices& services);
  std::u16string CurrentPasswordText();
  std::u16string NewPasswordText();

 private:
  void OKCommand_Click() override;
};

}  // namespace tandry::addin
