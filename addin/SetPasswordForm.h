// The dialog that asks for the password that unlocks the settings dialog. It is loaded afresh
// for every click of the settings dialog's password button, shown modally over that dialog, read
// and unloaded, so every use starts with an empty, masked box.
#pragma once

#include <windows.h>

#include "DialogServices.h"
#include "DialogSupport.h"
#include "PasswordFormModels.h"

namespace tandry::addin {

class SetPasswordForm {
 public:
  SetPasswordForm(DialogServices& services, HWND owner);
  // Shows the form until it accepts a password or is cancelled; what its caller reads then.
  SetPasswordOutcome ShowModal();

 private:
  Win32Dialog dialog_;
  SetPasswordFormModel model_;
};

}  // namespace tandry::addin
