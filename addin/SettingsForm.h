// The settings dialog that the add-in shows before every show ("Setup Tandry"): the presentation,
// the chosen monitors in show order, the notes view, the four-slide monitor and the settings
// lock. Its caller loads it, fills it with Initialize, shows it modally, reads it and unloads it
// by destroying the object. The dialog has no owner of its own; a hidden window keeps it out of
// the task bar, and every other window of the presentation program is disabled while it shows.
#pragma once

#include <windows.h>

#include "DialogServices.h"
#include "DialogSupport.h"
#include "Ports.h"
#include "SettingsFormModel.h"

namespace tandry::addin {

class SettingsForm final : public SettingsDialog {
 public:
  SettingsForm(DeclaredFunctions& declared, SettingsStore& store, MessageBoxes& messages);

  void Initialize(const ObjectRef& host, const ObjectRef& pres, const MonitorList& monitorOrder,
                  bool showNotes, bool lastMonitor4Slides) override;
  void ShowModal() override;
  bool OKPressed() const override;
  void GetMonitorOrder(MonitorList& monitorOrder) const override;
  std::u16string GetPresName() const override;
  bool DisplayNotesChecked() const override;
  bool LastMonitor4SlidesChecked() const override;

  HWND window() const { return dialog_.window(); }

 private:
  // The two password dialogs, each loaded for one use over the settings dialog.
  class PasswordDialogs final : public PasswordForms {
   public:
    PasswordDialogs(DialogServices& services, const Win32Dialog& owner)
        : services_(services), owner_(owner) {}
    SetPasswordOutcome ShowSetPasswordForm() override;
    ChangePasswordOutcome ShowChangePasswordForm() override;

   private:
    DialogServices& services_;
    const Win32Dialog& owner_;
  };

  HiddenOwner owner_;
  Win32Dialog dialog_;
  PortDialogServices services_;
  PasswordDialogs forms_;
  SettingsFormModel model_;
};

}  // namespace tandry::addin
