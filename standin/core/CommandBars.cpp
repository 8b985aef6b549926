#include "CommandBars.h"

#include <algorithm>
#include <utility>

namespace tandry::standin {

namespace {

struct BuiltIn {
  int id;
  const char* caption;
  bool beginGroup;
};

struct BuiltInPopup {
  int id;
  const char* caption;
  std::vector<BuiltIn> commands;
};

// The popup ids 30002, 30225 and 30010 and the command 740 are the ones callers look for; the
// other ids are the stand-in's own.
const BuiltInPopup kMenuBar[] = {
    {30002, "&File", {{23, "&Open...", false}, {106, "&Close", false}, {752, "E&xit", true}}},
    {30225,
     "Sli&de Show",
     {{740, "&View Show", false},
      {2805, "Set &Up Show...", false},
      {2806, "&Rehearse Timings", false},
      {2807, "Custom Sho&ws...", true}}},
    {30010, "&Help", {{927, "&About Stand-in", false}}},
};

// Calls `visit(control, siblings, position)` for every control, depth first, until it returns
// true; returns whether it did.
template <typename Controls, typename Visit>
bool Walk(Controls& controls, const Visit& visit) {
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (visit(controls[i], controls, i)) return true;
    if (Walk(controls[i].controls, visit)) return true;
  }
  return false;
}

bool Matches(const Control& control, const ControlQuery& query) {
  return (!query.type || control.type == *query.type) && (!query.id || control.id == *query.id) &&
         (!query.tag || control.tag == *query.tag);
}

}  // namespace

bool KeptControl::operator==(const KeptControl& other) const {
  return popupId == other.popupId && index == other.index && caption == other.caption &&
         tag == other.tag && faceId == other.faceId && beginGroup == other.beginGroup;
}

CommandBarSet::CommandBarSet() {
  for (const BuiltInPopup& popup : kMenuBar) {
    Control menu;
    menu.key = nextKey_++;
    menu.type = kControlPopup;
    menu.id = popup.id;
    menu.caption = popup.caption;
    for (const BuiltIn& command : popup.commands) {
      Control item;
      item.key = nextKey_++;
      item.id = command.id;
      item.caption = command.caption;
      item.beginGroup = command.beginGroup;
      menu.controls.push_back(std::move(item));
    }
    menuBar_.push_back(std::move(menu));
  }
}

const Control* CommandBarSet::Find(int key) const {
  const Control* found = nullptr;
  Walk(menuBar_, [&](const Control& control, const std::vector<Control>&, std::size_t) {
    if (control.key == key) found = &control;
    return found != nullptr;
  });
  return found;
}

Control* CommandBarSet::FindMutable(int key) { return const_cast<Control*>(Find(key)); }

int CommandBarSet::FindFirst(const ControlQuery& query) const {
  int key = 0;
  Walk(menuBar_, [&](const Control& control, const std::vector<Control>&, std::size_t) {
    if (Matches(control, query)) key = control.key;
    return key != 0;
  });
  return key;
}

int CommandBarSet::IndexOf(int key) const {
  int index = 0;
  Walk(menuBar_, [&](const Control& control, const std::vector<Control>&, std::size_t position) {
    if (control.key == key) index = static_cast<int>(position) + 1;
    return index != 0;
  });
  return index;
}

int CommandBarSet::AddButton(int popupKey, std::optional<int> before, bool temporary) {
  Control* popup = FindMutable(popupKey);
  if (!popup || popup->type != kControlPopup) return 0;
  std::vector<Control>& controls = popup->controls;
  const int count = static_cast<int>(controls.size());
  const int position = before.value_or(count + 1);
  if (position < 1 || position > count + 1) return 0;
  Control button;
  button.key = nextKey_++;
  button.temporary = temporary;
  controls.insert(controls.begin() + (position - 1), std::move(button));
  return controls[position - 1].key;
}

bool CommandBarSet::SetCaption(int key, std::string caption) {
  Control* control = FindMutable(key);
  if (control) control->caption = std::move(caption);
  return control != nullptr;
}

bool CommandBarSet::SetTag(int key, std::string tag) {
  Control* control = FindMutable(key);
  if (control) control->tag = std::move(tag);
  return control != nullptr;
}

bool CommandBarSet::SetFaceId(int key, int faceId) {
  Control* control = FindMutable(key);
  if (control) control->faceId = faceId;
  return control != nullptr;
}

bool CommandBarSet::SetBeginGroup(int key, bool beginGroup) {
  Control* control = FindMutable(key);
  if (control) control->beginGroup = beginGroup;
  return control != nullptr;
}

bool CommandBarSet::Delete(int key) {
  return Walk(menuBar_, [&](Control& control, std::vector<Control>& siblings, std::size_t i) {
    if (control.key != key) return false;
    siblings.erase(siblings.begin() + i);
    return true;
  });
}

std::vector<KeptControl> CommandBarSet::Kept() const {
  std::vector<KeptControl> kept;
  Walk(menuBar_, [&](const Control& popup, const std::vector<Control>&, std::size_t) {
    if (popup.type != kControlPopup || popup.id == kAddedControlId) return false;
    int index = 0;  // among the controls that outlive the program: the temporary ones go
    for (const Control& control : popup.controls) {
      if (control.temporary) continue;
      ++index;
      if (control.id != kAddedControlId) continue;
      kept.push_back(KeptControl{popup.id, index, control.caption, control.tag, control.faceId,
                                 control.beginGroup});
    }
    return false;
  });
  return kept;
}

void CommandBarSet::Restore(const std::vector<KeptControl>& kept) {
  for (const KeptControl& k : kept) {
    const int popupKey = FindFirst(ControlQuery{kControlPopup, k.popupId, std::nullopt});
    const Control* popup = Find(popupKey);
    if (!popup) continue;
    const int count = static_cast<int>(popup->controls.size());
    const int key = AddButton(popupKey, std::min(std::max(k.index, 1), count + 1), false);
    SetCaption(key, k.caption);
    SetTag(key, k.tag);
    SetFaceId(key, k.faceId);
    SetBeginGroup(key, k.beginGroup);
  }
}

}  // namespace tandry::standin
