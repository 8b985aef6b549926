// The native stand-ins for the dialogs' controls and services.
#include "FakeDialogControls.h"

namespace tandry::addin {

FakeDialogControls::FakeDialogControls(const DialogLayout& layout) {
  for (const ControlRow& row : layout.rows) {
    FakeControl& control = controls_[row.id];
    control.kind = row.kind;
    control.caption = row.caption;
    control.masked = row.kind == ControlKind::PasswordBox;
  }
}

void FakeDialogControls::SetCaption(ControlId control, const std::u16string& caption) {
  log.push_back("caption " + std::to_string(control));
  at(control).caption = caption;
}

void FakeDialogControls::SetChecked(ControlId control, bool checked) {
  at(control).checked = checked;
}

void FakeDialogControls::ClearItems(ControlId control) {
  at(control).items.clear();
  at(control).selection = kNoSelection;
}

void FakeDialogControls::AddItem(ControlId control, const std::u16string& text) {
  at(control).items.push_back(text);
}

void FakeDialogControls::RemoveItem(ControlId control, int index) {
  FakeControl& list = at(control);
  if (index < 0 || index >= static_cast<int>(list.items.size())) return;
  list.items.erase(list.items.begin() + index);
  if (list.selection == index) {
    list.selection = kNoSelection;
  } else if (list.selection > index) {
    --list.selection;
  }
}

std::u16string FakeDialogControls::ItemText(ControlId control, int index) {
  const FakeControl& list = at(control);
  if (index < 0 || index >= static_cast<int>(list.items.size())) return u"";
  return list.items[index];
}

int FakeDialogControls::ItemCount(ControlId control) {
  return static_cast<int>(at(control).items.size());
}

void FakeDialogControls::SetSelection(ControlId control, int index) {
  log.push_back("select " + std::to_string(control) + " " + std::to_string(index));
  FakeControl& list = at(control);
  list.selection = index >= 0 && index < static_cast<int>(list.items.size()) ? index
                                                                             : kNoSelection;
}

void FakeDialogControls::UserClicks(DialogModel& model, ControlId control) {
  FakeControl& clicked = at(control);
  if (!clicked.enabled) return;
  if (clicked.kind == ControlKind::CheckBox) clicked.checked = !clicked.checked;
  model.Click(control);
}

void FakeDialogControls::UserSelects(DialogModel& model, ControlId list, int index) {
  if (!at(list).enabled) return;
  at(list).selection = index;
  model.Click(list);
}

void FakeDialogServices::GetMonitorCount(MonitorCounts& out) {
  ++countCalls;
  if (!countFails) out = counts;
}

void FakeDialogServices::ShowMessage(const std::u16string& text, MessageIcon icon) {
  messages.emplace_back(text, icon);
  if (onMessage) onMessage();
}

// Each character moves on by one: the same length, and equal texts scramble alike.
std::u16string FakeDialogServices::EncryptText(const std::u16string& text) {
  std::u16string scrambled = text;
  for (char16_t& c : scrambled) ++c;
  return scrambled;
}

SetPasswordOutcome FakePasswordForms::ShowSetPasswordForm() {
  ++setShown;
  if (setOutcomes.empty()) return {};
  SetPasswordOutcome outcome = setOutcomes.front();
  setOutcomes.pop_front();
  return outcome;
}

ChangePasswordOutcome FakePasswordForms::ShowChangePasswordForm() {
  ++changeShown;
  if (changeOutcomes.empty()) return {};
  ChangePasswordOutcome outcome = changeOutcomes.front();
  changeOutcomes.pop_front();
  return outcome;
}

}  // namespace tandry::addin
