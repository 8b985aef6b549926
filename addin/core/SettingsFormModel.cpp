// The settings dialog's model: filling, the monitor lists, UpdateControls and the handlers.
#include "SettingsFormModel.h"

#include <utility>

#include "DialogLayouts.h"
#include "ModuleState.h"
#include "PasswordFormModels.h"
#include "Text.h"

namespace tandry::addin {

using namespace settings_form;

namespace {

constexpr char16_t kMonitorPrefix[] = u"Monitor ";
constexpr char16_t kFourSlidesCaption[] = u"Display 4 slides on monitor ";
constexpr char16_t kNotesNeedThreeMonitors[] = u" Tandry requires atleast 3 monitors.";
constexpr char16_t kCannotClearOnOneMonitor[] =
    u"Your setup does not allow you to clear this checkbox.";
constexpr char16_t kCannotClearWithOneChosen[] =
    u"You need to select more than 1 monitor to clear this checkbox.";
constexpr char16_t kSetPassword[] = u"Set &Password...";
constexpr char16_t kChangePassword[] = u"Change &Password...";

// The controls that change the monitor settings, which the lock disables.
constexpr ControlId kMonitorSettings[] = {IncludeCommand,     ExcludeCommand,
                                          MoveUpCommand,      MoveDownCommand,
                                          DisplayNotesCheck,  LastMonitor4SlidesCheck,
                                          IncludeMonitorList, ExcludeMonitorList};

// The role of the chosen monitor at `position` (from 1) in the show.
const char16_t* RoleSuffix(std::size_t position, bool notes) {
  if (position == 1) return notes ? u": notes" : u": slide show";
  if (position == 2 && notes) return u": slide show";
  return u": cascade";
}

}  // namespace

std::int32_t MonitorNumber(const std::u16string& itemText) {
  const std::size_t blank = itemText.find(u' ');
  const std::size_t start = blank == std::u16string::npos ? 0 : blank + 1;
  const std::size_t colon = itemText.find(u':', start);
  const std::size_t length = colon == std::u16string::npos ? std::u16string::npos : colon - start;
  return LeadingInteger(std::u16string_view(itemText).substr(start, length));
}

SettingsFormModel::SettingsFormModel(DialogControls& controls, DialogServices& services,
                                     PasswordForms& forms)
    : controls_(controls), services_(services), forms_(forms) {}

void SettingsFormModel::Initialize(const ObjectRef& host, const ObjectRef& pres,
                                   const MonitorList& monitorOrder, bool showNotes,
                                   bool lastMonitor4Slides) {
  okPressed_ = false;
  includedMonitors_.clear();
  ReadMonitorCount();
  // Only a password known to be absent leaves the dialog open; an unreadable one locks it.
  const std::optional<std::u16string> stored = services_.GetStoredPassword();
  unlocked_ = stored && stored->empty();
  FillPresentations(host, pres);

  // The role suffixes of the chosen monitors depend on this box, so it comes first.
  controls_.SetChecked(DisplayNotesCheck, showNotes);

  controls_.ClearItems(IncludeMonitorList);
  controls_.ClearItems(ExcludeMonitorList);
  controls_.SetEnabled(IncludeCommand, false);
  controls_.SetEnabled(ExcludeCommand, false);
  if (monitorOrder.empty()) {
    for (std::int32_t n = 1; n <= counts_.usable; ++n) InsertIncluded(DecimalText(n), -1);
  } else {
    // A stored index that the system no longer has (or never had) is left out.
    for (std::int32_t index : monitorOrder) {
      if (index >= 0 && index < counts_.usable) InsertIncluded(DecimalText(index + 1), -1);
    }
    for (std::int32_t n = 1; n <= counts_.system; ++n) {
      if (!CollectionContains(monitorOrder, n - 1)) AddExcluded(DecimalText(n));
    }
  }
  if (controls_.ItemCount(IncludeMonitorList) > 0) SelectIncluded(0);

  controls_.SetChecked(LastMonitor4SlidesCheck, counts_.usable == 1 || lastMonitor4Slides);
  UpdateControls();
}

// A presentation whose name can't be read gets no entry; the entries keep the application's
// order.
void SettingsFormModel::FillPresentations(const ObjectRef& host, const ObjectRef& pres) {
  controls_.ClearItems(PPTListCombo);
  int preselected = 0;
  const ObjectRef presentations = ObjectAt(host, {u"Presentations"});
  const std::int32_t count =
      presentations ? AsLong(presentations->Get(u"Count")).value_or(0) : 0;
  for (std::int32_t i = 1; i <= count; ++i) {
    const ObjectRef presentation = AsObject(presentations->Get(u"Item", {Value{i}}));
    const std::optional<std::u16string> name = AsText(GetPath(presentation, {u"Name"}));
    if (!name) continue;
    if (SameObject(presentation, pres)) preselected = controls_.ItemCount(PPTListCombo);
    controls_.AddItem(PPTListCombo, *name);
  }
  controls_.SetSelection(PPTListCombo, preselected);
}

void SettingsFormModel::GetMonitorOrder(MonitorList& monitorOrder) const {
  const int count = controls_.ItemCount(IncludeMonitorList);
  for (int i = 0; i < count; ++i) {
    monitorOrder.push_back(MonitorNumber(controls_.ItemText(IncludeMonitorList, i)) - 1);
  }
}

std::u16string SettingsFormModel::GetPresName() const {
  const int selected = controls_.Selection(PPTListCombo);
  return selected == kNoSelection ? u"" : controls_.ItemText(PPTListCombo, selected);
}

bool SettingsFormModel::DisplayNotesChecked() const { return controls_.Checked(DisplayNotesCheck); }

bool SettingsFormModel::LastMonitor4SlidesChecked() const {
  return controls_.Checked(LastMonitor4SlidesCheck);
}

void SettingsFormModel::Click(ControlId control) {
  using Handler = void (SettingsFormModel::*)();
  static constexpr std::pair<ControlId, Handler> kHandlers[] = {
      {IncludeCommand, &SettingsFormModel::IncludeCommand_Click},
      {ExcludeCommand, &SettingsFormModel::ExcludeCommand_Click},
      {MoveUpCommand, &SettingsFormModel::MoveUpCommand_Click},
      {MoveDownCommand, &SettingsFormModel::MoveDownCommand_Click},
      {IncludeMonitorList, &SettingsFormModel::IncludeMonitorList_Click},
      {ExcludeMonitorList, &SettingsFormModel::ExcludeMonitorList_Click},
      {DisplayNotesCheck, &SettingsFormModel::DisplayNotesCheck_Click},
      {LastMonitor4SlidesCheck, &SettingsFormModel::LastMonitor4SlidesCheck_Click},
      {AboutCommand, &SettingsFormModel::AboutCommand_Click},
      {PasswordCommand, &SettingsFormModel::PasswordCommand_Click},
      {OKCommand, &SettingsFormModel::OKCommand_Click},
      {CancelCommand, &SettingsFormModel::CancelCommand_Click},
  };
  for (const auto& [id, handler] : kHandlers) {
    if (id == control) (this->*handler)();
  }
}

// Positions from -1 (append) up to the entry count; anything beyond inserts nothing.
void SettingsFormModel::InsertIncluded(const std::u16string& number, int position) {
  const int count = static_cast<int>(includedMonitors_.size());
  if (position > count) return;
  if (position < 0) position = count;
  includedMonitors_.insert(includedMonitors_.begin() + position, number);
  RebuildIncludedList();
  SelectIncluded(position);
}

void SettingsFormModel::RebuildIncludedList() {
  controls_.ClearItems(IncludeMonitorList);
  const std::size_t count = includedMonitors_.size();
  for (std::size_t i = 0; i < count; ++i) {
    const bool notes = controls_.Checked(DisplayNotesCheck);
    controls_.AddItem(IncludeMonitorList,
                      kMonitorPrefix + includedMonitors_[i] + RoleSuffix(i + 1, notes));
  }
}

// Callers remove the selected item; the selection stays at its place, or on the new last item.
std::u16string SettingsFormModel::RemoveIncluded(int position) {
  if (position < 0 || position >= static_cast<int>(includedMonitors_.size())) return u"";
  includedMonitors_.erase(includedMonitors_.begin() + position);
  const std::u16string number =
      DecimalText(MonitorNumber(controls_.ItemText(IncludeMonitorList, position)));
  int keep = controls_.Selection(IncludeMonitorList);
  controls_.RemoveItem(IncludeMonitorList, position);
  const int count = controls_.ItemCount(IncludeMonitorList);
  if (keep >= count) keep = count - 1;
  // Items from the third (with notes) or the second (without) on are all cascades, so only a
  // removal before them changes any role.
  const bool notes = controls_.Checked(DisplayNotesCheck);
  if (position < (notes ? 2 : 1)) RebuildIncludedList();
  SelectIncluded(keep);
  return number;
}

void SettingsFormModel::AddExcluded(const std::u16string& number) {
  controls_.AddItem(ExcludeMonitorList, kMonitorPrefix + number);
}

std::u16string SettingsFormModel::TakeExcluded(int position) {
  if (position < 0 || position >= controls_.ItemCount(ExcludeMonitorList)) return u"";
  std::u16string text = controls_.ItemText(ExcludeMonitorList, position);
  controls_.RemoveItem(ExcludeMonitorList, position);
  return text;
}

void SettingsFormModel::SelectIncluded(int index) {
  controls_.SetSelection(IncludeMonitorList, index);
  IncludeMonitorList_Click();
}

void SettingsFormModel::SelectExcluded(int index) {
  controls_.SetSelection(ExcludeMonitorList, index);
  ExcludeMonitorList_Click();
}

void SettingsFormModel::ReadMonitorCount() { services_.GetMonitorCount(counts_); }

void SettingsFormModel::EnableMonitorSettings(bool enabled) {
  for (ControlId control : kMonitorSettings) controls_.SetEnabled(control, enabled);
}

void SettingsFormModel::UpdateControls() {
  if (unlocked_) EnableMonitorSettings(true);

  // The counts are live: monitors may come and go while the dialog is open.
  ReadMonitorCount();
  std::u16string label = counts_.system == 1
                             ? std::u16string(u"This system has 1 monitor.")
                             : u"This system has " + DecimalText(counts_.system) + u" monitors.";
  label += u"\r\n";
  const bool notes = controls_.Checked(DisplayNotesCheck);
  if (notes && counts_.usable < 3) label += kNotesNeedThreeMonitors;
  controls_.SetCaption(MonitorCountLabel, label);

  const int included = controls_.Selection(IncludeMonitorList);
  controls_.SetEnabled(IncludeCommand, controls_.Selection(ExcludeMonitorList) >= 0);
  controls_.SetEnabled(ExcludeCommand, included >= 0);
  controls_.SetEnabled(MoveUpCommand, included > 0);
  controls_.SetEnabled(MoveDownCommand, included < controls_.ItemCount(IncludeMonitorList) - 1);

  // A show needs a chosen monitor for itself; with notes, one more for the notes and a third.
  const int count = controls_.ItemCount(IncludeMonitorList);
  controls_.SetEnabled(OKCommand, notes ? count > 2 && counts_.usable > 2 && count <= counts_.usable
                                        : count >= 1 && count <= counts_.usable);

  if (count == 1 || counts_.usable == 1) controls_.SetChecked(LastMonitor4SlidesCheck, true);
  // With no chosen monitor the caption keeps the last monitor it named; the box is not used
  // then, since the show cannot start.
  if (count > 0) {
    const std::u16string last = controls_.ItemText(IncludeMonitorList, count - 1);
    controls_.SetCaption(LastMonitor4SlidesCheck,
                         kFourSlidesCaption + DecimalText(MonitorNumber(last)));
  }

  if (unlocked_) {
    controls_.SetCaption(PasswordCommand, kChangePassword);
  } else {
    controls_.SetCaption(PasswordCommand, kSetPassword);
    EnableMonitorSettings(false);
  }
}

void SettingsFormModel::IncludeCommand_Click() {
  if (controls_.Selection(ExcludeMonitorList) < 0) return;
  const std::int32_t n = MonitorNumber(
      controls_.ItemText(ExcludeMonitorList, controls_.Selection(ExcludeMonitorList)));
  InsertIncluded(DecimalText(n), -1);
  TakeExcluded(controls_.Selection(ExcludeMonitorList));
  if (controls_.ItemCount(ExcludeMonitorList) == 0) SelectExcluded(kNoSelection);
  if (controls_.Selection(IncludeMonitorList) < 0) {
    SelectIncluded(controls_.ItemCount(IncludeMonitorList) - 1);
  }
  UpdateControls();
}

void SettingsFormModel::ExcludeCommand_Click() {
  if (controls_.Selection(IncludeMonitorList) < 0) return;
  const std::int32_t n = MonitorNumber(
      controls_.ItemText(IncludeMonitorList, controls_.Selection(IncludeMonitorList)));
  AddExcluded(DecimalText(n));
  RemoveIncluded(controls_.Selection(IncludeMonitorList));
  if (controls_.ItemCount(IncludeMonitorList) == 0) SelectIncluded(kNoSelection);
  if (controls_.Selection(ExcludeMonitorList) < 0) {
    SelectExcluded(controls_.ItemCount(ExcludeMonitorList) - 1);
  }
  UpdateControls();
}

// A move is a removal and a re-insertion one place up; the moved monitor stays selected.
void SettingsFormModel::MoveUpCommand_Click() {
  const int i = controls_.Selection(IncludeMonitorList);
  if (i > 0) {
    const std::u16string number = RemoveIncluded(i);
    InsertIncluded(number, i - 1);
    SelectIncluded(i - 1);
  }
  UpdateControls();
}

void SettingsFormModel::MoveDownCommand_Click() {
  const int i = controls_.Selection(IncludeMonitorList);
  if (i >= 0 && i < controls_.ItemCount(IncludeMonitorList) - 1) {
    const std::u16string number = RemoveIncluded(i);
    InsertIncluded(number, i + 1);
    SelectIncluded(i + 1);
  }
  UpdateControls();
}

void SettingsFormModel::IncludeMonitorList_Click() { UpdateControls(); }

void SettingsFormModel::ExcludeMonitorList_Click() { UpdateControls(); }

// The roles change with the notes view; the monitors and their order stay.
void SettingsFormModel::DisplayNotesCheck_Click() {
  const int keep = controls_.Selection(IncludeMonitorList);
  RebuildIncludedList();
  SelectIncluded(keep);
}

// Clearing is refused where UpdateControls would check the box again anyway.
void SettingsFormModel::LastMonitor4SlidesCheck_Click() {
  ReadMonitorCount();
  if (controls_.Checked(LastMonitor4SlidesCheck)) return;
  const char16_t* refusal = nullptr;
  if (counts_.usable == 1) {
    refusal = kCannotClearOnOneMonitor;
  } else if (controls_.ItemCount(IncludeMonitorList) == 1) {
    refusal = kCannotClearWithOneChosen;
  }
  if (!refusal) return;
  controls_.SetChecked(LastMonitor4SlidesCheck, true);
  services_.ShowMessage(refusal, MessageIcon::Information);
}

void SettingsFormModel::AboutCommand_Click() { services_.ShowAboutForm(); }

// Unlocked: set, change or clear the password, stored at once. Locked: unlock this display.
void SettingsFormModel::PasswordCommand_Click() {
  if (unlocked_) {
    const ChangePasswordOutcome outcome = forms_.ShowChangePasswordForm();
    if (!outcome.okPressed) return;
    unlocked_ = AcceptsPassword(services_, outcome.currentPasswordText);
    if (unlocked_) {
      services_.SavePassword(outcome.newPasswordText);
    } else {
      UpdateControls();
    }
  } else {
    const SetPasswordOutcome outcome = forms_.ShowSetPasswordForm();
    if (!outcome.okPressed) return;
    unlocked_ = AcceptsPassword(services_, outcome.passwordText);
    if (unlocked_) UpdateControls();
  }
}

void SettingsFormModel::OKCommand_Click() {
  okPressed_ = true;
  controls_.Hide();
}

void SettingsFormModel::CancelCommand_Click() {
  okPressed_ = false;
  controls_.Hide();
}

}  // namespace tandry::addin
