// The add-in's dialogs as their models see them: controls named by id, set and read through one
// interface that the Win32 layer implements over real windows and tests implement with a fake.
// Setting a selection or a check through this interface runs no handler, as with Win32 controls;
// the models run the handlers that must follow themselves.
#pragma once

#include <string>

namespace tandry::addin {

using ControlId = int;

// A list's or combo box's selection when no item is selected.
inline constexpr int kNoSelection = -1;

class DialogControls {
 public:
  virtual ~DialogControls() = default;

  // Captions of labels, buttons, check boxes and frames; the text of text boxes.
  virtual void SetCaption(ControlId control, const std::u16string& caption) = 0;
  virtual std::u16string Caption(ControlId control) = 0;
  virtual void SetEnabled(ControlId control, bool enabled) = 0;

  // Check boxes.
  virtual bool Checked(ControlId control) = 0;
  virtual void SetChecked(ControlId control, bool checked) = 0;

  // List and combo boxes. Positions are 0-based. Removing the selected item leaves the list
  // without selection; removing an item above it keeps the same item selected.
  virtual void ClearItems(ControlId control) = 0;
  virtual void AddItem(ControlId control, const std::u16string& text) = 0;
  virtual void RemoveItem(ControlId control, int index) = 0;
  virtual std::u16string ItemText(ControlId control, int index) = 0;
  virtual int ItemCount(ControlId control) = 0;
  virtual int Selection(ControlId control) = 0;
  virtual void SetSelection(ControlId control, int index) = 0;

  // Text boxes: whether typed characters show as "*", and the keyboard focus.
  virtual void SetMasked(ControlId control, bool masked) = 0;
  virtual void SetFocus(ControlId control) = 0;

  // Hides the dialog, which ends its modal show.
  virtual void Hide() = 0;
};

// What a dialog's model does with a user's action: a click of a button or check box, or a change
// of a list's selection.
class DialogModel {
 public:
  virtual ~DialogModel() = default;
  virtual void Click(ControlId control) = 0;
};

}  // namespace tandry::addin
