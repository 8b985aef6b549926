// The dialogs' boxes at the screen's dots per inch: exact at 96, and the same physical size at
// other settings, with the frame's offset and the control's own offset each scaled.
#include "DialogLayouts.h"

#include <gmock/gmock.h>

namespace tandry::addin {
namespace {

const ControlRow& Row(const DialogLayout& layout, ControlId id) {
  for (const ControlRow& row : layout.rows) {
    if (row.id == id) return row;
  }
  throw std::out_of_range("no such control");
}

struct ScaleCase {
  int dpi;
  Box inFrame;     // MoveUpCommand: 272, 208, 17, 17 inside the frame at 8, 8
  Box onDialog;    // OKCommand: 360, 304, 81, 25
};

void PrintTo(const ScaleCase& c, std::ostream* out) { *out << c.dpi << " dpi"; }

class ClientBoxTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ClientBoxTest, ScalesWithTheDotsPerInch) {
  const DialogLayout& layout = SettingsFormLayout();
  EXPECT_EQ(ClientBox(layout, Row(layout, settings_form::MoveUpCommand), GetParam().dpi),
            GetParam().inFrame);
  EXPECT_EQ(ClientBox(layout, Row(layout, settings_form::OKCommand), GetParam().dpi),
            GetParam().onDialog);
}

INSTANTIATE_TEST_SUITE_P(Cases, ClientBoxTest,
                         ::testing::Values(ScaleCase{96, {280, 216, 17, 17}, {360, 304, 81, 25}},
                                           ScaleCase{144, {420, 324, 26, 26}, {540, 456, 122, 38}},
                                           ScaleCase{120, {350, 270, 21, 21}, {450, 380, 101, 31}}));

}  // namespace
}  // namespace tandry::addin
