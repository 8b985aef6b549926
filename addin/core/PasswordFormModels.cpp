// The settings lock's acceptance rule and the handlers of its two dialogs.
#include "PasswordFormModels.h"

#include "DialogLayouts.h"

namespace tandry::addin {

namespace {

constexpr char16_t kIncorrectPassword[] = u"Incorrect Password. Please enter password again.";
constexpr char16_t kPasswordsDiffer[] =
    u"The new passwords do not match. Please enter new passwords again.";

}  // namespace

bool AcceptsPassword(DialogServices& services, const std::u16string& typed) {
  if (typed == kMasterPassword) return true;
  const std::optional<std::u16string> stored = services.GetStoredPassword();
  return stored && services.EncryptText(typed) == *stored;
}

PasswordFormModel::PasswordFormModel(DialogControls& controls, DialogServices& services,
                                     ControlId showChars,
                                     std::initializer_list<ControlId> switchedBoxes, ControlId ok,
                                     ControlId cancel)
    : controls_(controls),
      services_(services),
      showChars_(showChars),
      switchedBoxes_(switchedBoxes),
      ok_(ok),
      cancel_(cancel) {}

void PasswordFormModel::Click(ControlId control) {
  if (control == showChars_) ShowCharsCheck_Click();
  if (control == ok_) OKCommand_Click();
  if (control == cancel_) CancelCommand_Click();
}

void PasswordFormModel::Accept() {
  okPressed_ = true;
  controls_.Hide();
}

void PasswordFormModel::Refuse(const std::u16string& message,
                               std::initializer_list<ControlId> boxes) {
  services_.ShowMessage(message, MessageIcon::Critical);
  for (ControlId box : boxes) controls_.SetCaption(box, u"");
  controls_.SetFocus(*boxes.begin());
}

void PasswordFormModel::ShowCharsCheck_Click() {
  const bool masked = !controls_.Checked(showChars_);
  for (ControlId box : switchedBoxes_) controls_.SetMasked(box, masked);
}

void PasswordFormModel::CancelCommand_Click() {
  okPressed_ = false;
  controls_.Hide();
}

SetPasswordFormModel::SetPasswordFormModel(DialogControls& controls, DialogServices& services)
    : PasswordFormModel(controls, services, set_password_form::ShowCharsCheck,
                        {set_password_form::PasswordText}, set_password_form::OKCommand,
                        set_password_form::CancelCommand) {}

std::u16string SetPasswordFormModel::PasswordText() {
  return controls_.Caption(set_password_form::PasswordText);
}

void SetPasswordFormModel::OKCommand_Click() {
  if (AcceptsPassword(services_, PasswordText())) {
    Accept();
  } else {
    Refuse(kIncorrectPassword, {set_password_form::PasswordText});
  }
}

// The repeated new password is never shown: it stays masked whatever the check box says.
ChangePasswordFormModel::ChangePasswordFormModel(DialogControls& controls,
                                                 DialogServices& services)
    : PasswordFormModel(
          controls, services, change_password_form::ShowCharsCheck,
          {change_password_form::CurrentPasswordText, change_password_form::NewPasswordText},
          change_password_form::OKCommand, change_password_form::CancelCommand) {}

std::u16string ChangePasswordFormModel::CurrentPasswordText() {
  return controls_.Caption(change_password_form::CurrentPasswordText);
}

std::u16string ChangePasswordFormModel::NewPasswordText() {
  return controls_.Caption(change_password_form::NewPasswordText);
}

void ChangePasswordFormModel::OKCommand_Click() {
  namespace form = change_password_form;
  if (!AcceptsPassword(services_, CurrentPasswordText())) {
    Refuse(kIncorrectPassword, {form::CurrentPasswordText});
  } else if (NewPasswordText() == controls_.Caption(form::New2PasswordText)) {
    Accept();
  } else {
    Refuse(kPasswordsDiffer, {form::NewPasswordText, form::New2PasswordText});
  }
}

}  // namespace tandry::addin
