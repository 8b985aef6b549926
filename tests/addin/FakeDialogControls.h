// Native stand-ins for what the dialogs' models reach: controls that behave as the Win32 ones do
// (made from a dialog's layout, with a log of what the model set), the outside services, and
// password dialogs that close with scripted outcomes.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "DialogControls.h"
#include "DialogLayouts.h"
#include "DialogServices.h"

namespace tandry::addin {

struct FakeControl {
  ControlKind kind = ControlKind::Label;
  std::u16string caption;
  bool enabled = true;
  bool checked = false;
  bool masked = false;
  std::vector<std::u16string> items;
  int selection = kNoSelection;
};

class FakeDialogControls : public DialogControls {
 public:
  explicit FakeDialogControls(const DialogLayout& layout);

  void SetCaption(ControlId control, const std::u16string& caption) override;
  std::u16string Caption(ControlId control) override { return at(control).caption; }
  void SetEnabled(ControlId control, bool enabled) override { at(control).enabled = enabled; }
  bool Checked(ControlId control) override { return at(control).checked; }
  void SetChecked(ControlId control, bool checked) override;
  void ClearItems(ControlId control) override;
  void AddItem(ControlId control, const std::u16string& text) override;
  void RemoveItem(ControlId control, int index) override;
  std::u16string ItemText(ControlId control, int index) override;
  int ItemCount(ControlId control) override;
  int Selection(ControlId control) override { return at(control).selection; }
  void SetSelection(ControlId control, int index) override;
  void SetMasked(ControlId control, bool masked) override { at(control).masked = masked; }
  void SetFocus(ControlId control) override { focus = control; }
  void Hide() override { ++hides; }

  // A user's actions, as the Win32 layer passes them on: the control changes, then the model's
  // handler runs. A disabled control takes no action.
  void UserClicks(DialogModel& model, ControlId control);
  void UserSelects(DialogModel& model, ControlId list, int index);
  void UserTypes(ControlId box, const std::u16string& text) { at(box).caption = text; }

  FakeControl& at(ControlId control) { return controls_.at(control); }
  std::vector<std::u16string> Items(ControlId control) { return at(control).items; }

  // What the model set, in order: "select <id> <index>" and "caption <id>".
  std::vector<std::string> log;
  ControlId focus = 0;
  int hides = 0;

 private:
  std::map<ControlId, FakeControl> controls_;
};

// A monitor count that the test sets, a stored password held in memory (nullopt: one that can't
// be read) and scrambled by a simple rule of the same length, and a record of the messages.
class FakeDialogServices : public DialogServices {
 public:
  void GetMonitorCount(MonitorCounts& out) override;
  void ShowAboutForm() override {}
  void ShowMessage(const std::u16string& text, MessageIcon icon) override;
  std::optional<std::u16string> GetStoredPassword() override { return stored; }
  std::u16string EncryptText(const std::u16string& text) override;
  void SavePassword(const std::u16string& password) override { stored = EncryptText(password); }

  MonitorCounts counts{3, 3};
  bool countFails = false;
  int countCalls = 0;
  std::optional<std::u16string> stored = std::u16string();
  std::vector<std::pair<std::u16string, MessageIcon>> messages;
  std::function<void()> onMessage;  // runs while the message is up
};

class FakePasswordForms : public PasswordForms {
 public:
  SetPasswordOutcome ShowSetPasswordForm() override;
  ChangePasswordOutcome ShowChangePasswordForm() override;

  std::deque<SetPasswordOutcome> setOutcomes;
  std::deque<ChangePasswordOutcome> changeOutcomes;
  int setShown = 0;
  int changeShown = 0;
};

}  // namespace tandry::addin
