// The unlocking password dialog over its model.
#include "SetPasswordForm.h"

namespace tandry::addin {

SetPasswordForm::SetPasswordForm(DialogServices& services, HWND owner)
    : dialog_(SetPasswordFormLayout(), owner), model_(dialog_, services) {
  dialog_.Attach(model_);
  model_.Load();
}

SetPasswordOutcome SetPasswordForm::ShowModal() {
  dialog_.ShowModal();
  return {model_.OKPressed(), model_.PasswordText()};
}

}  // namespace tandry::addin
