// The three dialogs' designed layouts and their scaling to the screen's dots per inch.
#include "DialogLayouts.h"

namespace tandry::addin {

namespace {

std::u16string Blanks(std::size_t count) { return std::u16string(count, u' '); }

// One caption over three columns: "Monitor order" at the left edge like "Slide show:" above
// it; the blanks place the other two headings over the two lists.
std::u16string ColumnHeadings() {
  return u"Monitor order" + Blanks(3) + u"Include monitors" + Blanks(52) + u"Exclude monitors";
}

}  // namespace

const DialogLayout& SettingsFormLayout() {
  using namespace settings_form;
  using K = ControlKind;
  static const DialogLayout layout{
      u"Setup Tandry",
      537,
      338,
      Placement::CentreOnScreen,
      {
          {Frame1, K::Frame, u"Settings", {8, 8, 521, 289}, false},
          {MonitorCountLabel, K::Label, u"This system has 2 monitors.", {16, 24, 489, 33}, true},
          {Label1, K::Label, u"Slide show:", {16, 74, 54, 13}, true},
          {PPTListCombo, K::DropDownList, u"", {88, 72, 417, 21}, true},
          {DisplayNotesCheck, K::CheckBox,
           u"Display slide show notes (on the first selected monitor)", {88, 104, 313, 25}, true},
          {Label2, K::Label, ColumnHeadings(), {16, 136, 384, 13}, true},
          {IncludeMonitorList, K::ListBox, u"", {88, 160, 185, 82}, true},
          {IncludeCommand, K::ArrowButton, u"\u00DF", {296, 168, 17, 17}, false},
          {ExcludeCommand, K::ArrowButton, u"\u00E0", {296, 184, 17, 17}, false},
          {MoveUpCommand, K::ArrowButton, u"\u00E1", {272, 208, 17, 17}, true},
          {MoveDownCommand, K::ArrowButton, u"\u00E2", {272, 224, 17, 17}, true},
          {ExcludeMonitorList, K::ListBox, u"", {320, 160, 177, 82}, true},
          {LastMonitor4SlidesCheck, K::CheckBox, u"Display 4 slides on monitor 1.",
           {88, 248, 225, 25}, true},
          {AboutCommand, K::Button, u"&About...", {8, 304, 81, 25}, false},
          {PasswordCommand, K::Button, u"Set &Password...", {96, 304, 113, 25}, false},
          {OKCommand, K::DefaultButton, u"&Start Show", {360, 304, 81, 25}, false},
          {CancelCommand, K::CancelButton, u"&Cancel", {448, 304, 81, 25}, false},
      }};
  return layout;
}

const DialogLayout& SetPasswordFormLayout() {
  using namespace set_password_form;
  using K = ControlKind;
  static const DialogLayout layout{
      u"Set Password",
      450,
      138,
      Placement::CentreOnOwner,
      {
          {Frame1, K::Frame, u"", {8, 8, 433, 89}, false},
          {Label1, K::Label, u"Password for changing the settings:", {16, 30, 168, 13}, true},
          {PasswordText, K::PasswordBox, u"", {192, 24, 225, 25}, true},
          {ShowCharsCheck, K::CheckBox, u"Show Password Characters", {192, 56, 185, 17}, true},
          {OKCommand, K::DefaultButton, u"&OK", {272, 104, 81, 25}, false},
          {CancelCommand, K::CancelButton, u"&Cancel", {360, 104, 81, 25}, false},
      }};
  return layout;
}

const DialogLayout& ChangePasswordFormLayout() {
  using namespace change_password_form;
  using K = ControlKind;
  static const DialogLayout layout{
      u"Change Password",
      369,
      201,
      Placement::CentreOnOwner,
      {
          {Frame1, K::Frame, u"", {8, 8, 353, 153}, false},
          {Label1, K::Label, u"Current Password:", {16, 30, 86, 13}, true},
          {CurrentPasswordText, K::PasswordBox, u"", {112, 24, 225, 25}, true},
          {Label2, K::Label, u"New Password:", {16, 62, 74, 13}, true},
          {NewPasswordText, K::PasswordBox, u"", {112, 56, 225, 25}, true},
          {Label3, K::Label, u"Enter again:", {16, 94, 57, 13}, true},
          {New2PasswordText, K::PasswordBox, u"", {112, 88, 225, 25}, true},
          {ShowCharsCheck, K::CheckBox, u"Show Password Characters", {112, 120, 185, 17}, true},
          {OKCommand, K::DefaultButton, u"&OK", {192, 168, 81, 25}, false},
          {CancelCommand, K::CancelButton, u"&Cancel", {280, 168, 81, 25}, false},
      }};
  return layout;
}

int ScaledLength(int pixelsAt96, int dpi) {
  const long long scaled = static_cast<long long>(pixelsAt96) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + 48) / 96 : -((-scaled + 48) / 96));
}

Box ClientBox(const DialogLayout& layout, const ControlRow& row, int dpi) {
  Box origin;
  if (row.inFrame) {
    for (const ControlRow& frame : layout.rows) {
      if (frame.kind == ControlKind::Frame) origin = frame.box;
    }
  }
  return {ScaledLength(origin.left, dpi) + ScaledLength(row.box.left, dpi),
          ScaledLength(origin.top, dpi) + ScaledLength(row.box.top, dpi),
          ScaledLength(row.box.width, dpi), ScaledLength(row.box.height, dpi)};
}

}  // namespace tandry::addin
