// The designed layout of the add-in's three dialogs: one row per control, in tab order, with its
// kind, caption and box, and the dialog's caption, client size and placement. Boxes are pixels
// at 96 dots per inch relative to their container (the dialog's frame or the dialog itself);
// at other settings every length scales with the dots per inch, so the dialog keeps its physical
// size.
#pragma once

#include <string>
#include <vector>

#include "DialogControls.h"

namespace tandry::addin {

namespace settings_form {
enum Control : ControlId {
  Frame1 = 100,
  MonitorCountLabel,
  Label1,
  PPTListCombo,
  DisplayNotesCheck,
  Label2,
  IncludeMonitorList,
  IncludeCommand,
  ExcludeCommand,
  MoveUpCommand,
  MoveDownCommand,
  ExcludeMonitorList,
  LastMonitor4SlidesCheck,
  AboutCommand,
  PasswordCommand,
  OKCommand,
  CancelCommand,
};
}  // namespace settings_form

namespace set_password_form {
enum Control : ControlId {
  Frame1 = 100,
  Label1,
  PasswordText,
  ShowCharsCheck,
  OKCommand,
  CancelCommand,
};
}  // namespace set_password_form

namespace change_password_form {
enum Control : ControlId {
  Frame1 = 100,
  Label1,
  CurrentPasswordText,
  Label2,
  NewPasswordText,
  Label3,
  New2PasswordText,
  ShowCharsCheck,
  OKCommand,
  CancelCommand,
};
}  // namespace change_password_form

enum class ControlKind {
  Frame,
  Label,
  DropDownList,   // a combo box that takes no typing
  CheckBox,       // unchecked as designed
  ListBox,        // single selection, unsorted
  Button,
  DefaultButton,  // pressed by Enter
  CancelButton,   // pressed by Escape
  ArrowButton,    // one character of the Wingdings symbol font, 8.25 point
  PasswordBox,    // a text box that shows "*" for every character
};

struct Box {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Box& other) const {
    return left == other.left && top == other.top && width == other.width &&
           height == other.height;
  }
};

struct ControlRow {
  ControlId id;
  ControlKind kind;
  std::u16string caption;
  Box box;
  bool inFrame;  // the container is the dialog's frame, else the dialog
};

enum class Placement { CentreOnScreen, CentreOnOwner };

struct DialogLayout {
  std::u16string caption;
  int clientWidth;
  int clientHeight;
  Placement placement;
  std::vector<ControlRow> rows;  // tab order; the frame comes before the controls it holds
};

const DialogLayout& SettingsFormLayout();
const DialogLayout& SetPasswordFormLayout();
const DialogLayout& ChangePasswordFormLayout();

// A designed length in pixels at `dpi` dots per inch, rounded to the nearest pixel.
int ScaledLength(int pixelsAt96, int dpi);

// A row's box in the dialog's client area at `dpi`: the frame's and the row's own offsets are
// scaled separately, as each is held in its own container.
Box ClientBox(const DialogLayout& layout, const ControlRow& row, int dpi);

}  // namespace tandry::addin
