// The settings dialog's model: the presentation to show, the chosen monitors in show order with
// their roles, the excluded monitors, the notes view, the four-slide monitor and the settings
// lock. It fills the dialog's controls, keeps every enabled state and run-time caption up to date
// (UpdateControls) and answers the user's clicks; the Win32 dialog only shows it.
//
// The included list is rebuilt from IncludedMonitors, its master copy, whenever the roles may
// change. Win32 controls raise no handler when code sets a selection, so every selection set here
// is followed by the list's own handler, which runs UpdateControls; setting the four-slide box
// by code runs no handler and so shows no message.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "DialogControls.h"
#include "DialogServices.h"
#include "HostObject.h"
#include "Ports.h"

namespace tandry::addin {

// The monitor number that an item of either monitor list shows: "Monitor 3: slide show" gives 3,
// "Monitor 2" gives 2; a text without a number gives 0.
std::int32_t MonitorNumber(const std::u16string& itemText);

class SettingsFormModel : public DialogModel {
 public:
  SettingsFormModel(DialogControls& controls, DialogServices& services, PasswordForms& forms);

  // Fills the dialog before it is shown: the open presentations of `host` with `pres` selected
  // (the first when it is not among them), and the stored choices. `monitorOrder` holds
  // MonitorIndex values in show order; indices the system no longer has are left out.
  void Initialize(const ObjectRef& host, const ObjectRef& pres, const MonitorList& monitorOrder,
                  bool showNotes, bool lastMonitor4Slides);

  // What the caller reads after the modal show.
  bool OKPressed() const { return okPressed_; }
  // Appends the MonitorIndex of every chosen monitor, in show order.
  void GetMonitorOrder(MonitorList& monitorOrder) const;
  std::u16string GetPresName() const;
  bool DisplayNotesChecked() const;
  bool LastMonitor4SlidesChecked() const;

  void Click(ControlId control) override;

 private:
  // The monitor lists.
  void InsertIncluded(const std::u16string& number, int position);
  void RebuildIncludedList();
  std::u16string RemoveIncluded(int position);
  void AddExcluded(const std::u16string& number);
  std::u16string TakeExcluded(int position);
  // A selection set by code, followed by the list's handler as a user's selection would be.
  void SelectIncluded(int index);
  void SelectExcluded(int index);

  void FillPresentations(const ObjectRef& host, const ObjectRef& pres);
  void UpdateControls();
  void ReadMonitorCount();
  void EnableMonitorSettings(bool enabled);

  // Handlers.
  void IncludeCommand_Click();
  void ExcludeCommand_Click();
  void MoveUpCommand_Click();
  void MoveDownCommand_Click();
  void IncludeMonitorList_Click();
  void ExcludeMonitorList_Click();
  void DisplayNotesCheck_Click();
  void LastMonitor4SlidesCheck_Click();
  void AboutCommand_Click();
  void PasswordCommand_Click();
  void OKCommand_Click();
  void CancelCommand_Click();

  DialogControls& controls_;
  DialogServices& services_;
  PasswordForms& forms_;

  bool okPressed_ = false;
  bool unlocked_ = false;
  std::vector<std::u16string> includedMonitors_;  // monitor numbers in decimal, in show order
  MonitorCounts counts_;                          // the last counts the engine gave
};

}  // namespace tandry::addin
