// The dialog that sets, changes or clears the lock password: the current password and the new
// one twice. It is loaded afresh for every click of the settings dialog's password button, shown
// modally over that dialog, read and unloaded.
#pragma once

#include <windows.h>

#include "DialogServices.h"
#include "DialogSupport.h"
#include "PasswordFormModels.h"

namespace tandry::addin {

class ChangePasswordForm {
 public:
  ChangePasswordForm(DialogServices& services, HWND owner);
  // Shows the form until it accepts its entries or is cancelled; what its caller reads then.
  ChangePasswordOutcome ShowModal();

 private:
  Win32Dialog dialog_;
  ChangePasswordFormModel model_;
};

}  // namespace tandry::addin
