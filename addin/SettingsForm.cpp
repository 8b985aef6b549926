// The settings dialog over its model, with the two password dialogs that its password button
// opens.
#include "SettingsForm.h"

#include "ChangePasswordForm.h"
#include "SetPasswordForm.h"

namespace tandry::addin {

SettingsForm::SettingsForm(DeclaredFunctions& declared, SettingsStore& store,
                           MessageBoxes& messages)
    : dialog_(SettingsFormLayout(), owner_.get()),
      services_(declared, store, messages),
      forms_(services_, dialog_),
      model_(dialog_, services_, forms_) {
  dialog_.Attach(model_);
}

void SettingsForm::Initialize(const ObjectRef& host, const ObjectRef& pres,
                              const MonitorList& monitorOrder, bool showNotes,
                              bool lastMonitor4Slides) {
  model_.Initialize(host, pres, monitorOrder, showNotes, lastMonitor4Slides);
}

void SettingsForm::ShowModal() { dialog_.ShowModal(); }

bool SettingsForm::OKPressed() const { return model_.OKPressed(); }

void SettingsForm::GetMonitorOrder(MonitorList& monitorOrder) const {
  model_.GetMonitorOrder(monitorOrder);
}

std::u16string SettingsForm::GetPresName() const { return model_.GetPresName(); }

bool SettingsForm::DisplayNotesChecked() const { return model_.DisplayNotesChecked(); }

bool SettingsForm::LastMonitor4SlidesChecked() const { return model_.LastMonitor4SlidesChecked(); }

SetPasswordOutcome SettingsForm::PasswordDialogs::ShowSetPasswordForm() {
  SetPasswordForm form(services_, owner_.window());
  return form.ShowModal();
}

ChangePasswordOutcome SettingsForm::PasswordDialogs::ShowChangePasswordForm() {
  ChangePasswordForm form(services_, owner_.window());
  return form.ShowModal();
}

}  // namespace tandry::addin
