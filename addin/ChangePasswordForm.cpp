// The password-changing dialog over its model.
#include "ChangePasswordForm.h"

namespace tandry::addin {

ChangePasswordForm::ChangePasswordForm(DialogServices& services, HWND owner)
    : dialog_(ChangePasswordFormLayout(), owner), model_(dialog_, services) {
  dialog_.Attach(model_);
  model_.Load();
}

ChangePasswordOutcome ChangePasswordForm::ShowModal() {
  dialog_.ShowModal();
  return {model_.OKPressed(), model_.CurrentPasswordText(), model_.NewPasswordText()};
}

}  // namespace tandry::addin
