// The settings dialog's rules: filling from the stored choices, the monitor lists with their
// roles through include, exclude and move, the enabled states and run-time captions, the
// four-slide box's refusals, the lock, and what the caller reads back.
#include "SettingsFormModel.h"

#include <gmock/gmock.h>

#include "FakeDialogControls.h"
#include "FakeHost.h"

namespace tandry::addin {
namespace {

using namespace settings_form;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using Items = std::vector<std::u16string>;

class SettingsFormModelTest : public ::testing::Test {
 protected:
  SettingsFormModelTest() { OpenPresentations({u"Deck.ppt"}); }

  // The application's open presentations, by name; the first one is preselected.
  void OpenPresentations(const std::vector<std::u16string>& names) {
    presentations_.clear();
    for (const std::u16string& name : names) {
      presentations_.push_back(std::make_shared<test::FakeObject>(test::Narrow(name), log_));
      presentations_.back()->Set(u"Name", name);
    }
    auto collection = std::make_shared<test::FakeObject>("Presentations", log_);
    collection->Set(u"Count", static_cast<std::int32_t>(names.size()));
    collection->Getter(u"Item", [this](const Arguments& arguments) -> Result {
      const std::optional<std::int32_t> i = AsLong(*arguments.at(0));
      return Value{ObjectRef(presentations_.at(*i - 1))};
    });
    app_->Set(u"Presentations", ObjectRef(collection));
    pres_ = presentations_.front();
  }
  void Open(MonitorCounts counts, MonitorList order, bool notes = false,
            bool fourSlides = false) {
    services_.counts = counts;
    model_.Initialize(app_, pres_, order, notes, fourSlides);
  }
  void Click(ControlId control) { controls_.UserClicks(model_, control); }
  void Select(ControlId list, int index) { controls_.UserSelects(model_, list, index); }
  Items Included() { return controls_.Items(IncludeMonitorList); }
  Items Excluded() { return controls_.Items(ExcludeMonitorList); }
  int Selected(ControlId list) { return controls_.Selection(list); }
  bool Enabled(ControlId control) { return controls_.at(control).enabled; }
  bool Checked(ControlId control) { return controls_.Checked(control); }
  std::u16string Caption(ControlId control) { return controls_.Caption(control); }

  test::CallLog log_;
  test::FakeRef app_ = std::make_shared<test::FakeObject>("App", log_);
  std::vector<test::FakeRef> presentations_;
  ObjectRef pres_;
  FakeDialogControls controls_{SettingsFormLayout()};
  FakeDialogServices services_;
  FakePasswordForms forms_;
  SettingsFormModel model_{controls_, services_, forms_};
};

TEST(MonitorNumber, ReadsTheNumberBetweenTheBlankAndTheColon) {
  EXPECT_EQ(MonitorNumber(u"Monitor 10: cascade"), 10);
  EXPECT_EQ(MonitorNumber(u"Monitor 7"), 7);
  EXPECT_EQ(MonitorNumber(u"Monitor 3: slide show"), 3);
  EXPECT_EQ(MonitorNumber(u"Monitor 2: notes"), 2);
  EXPECT_EQ(MonitorNumber(u"Monitor"), 0);
  EXPECT_EQ(MonitorNumber(u""), 0);
  EXPECT_EQ(MonitorNumber(u"Monitor x: cascade"), 0);
}

// What a freshly filled dialog shows for the stored choices on a given system.
struct FillCase {
  const char* name;
  MonitorCounts counts;
  MonitorList order;
  bool notes;
  bool fourSlides;
  Items included;
  Items excluded;
  std::u16string label;
  bool fourSlidesChecked;
  std::u16string fourSlidesCaption;
  bool okEnabled;
};

void PrintTo(const FillCase& c, std::ostream* out) { *out << c.name; }

class FillTest : public SettingsFormModelTest, public ::testing::WithParamInterface<FillCase> {};

TEST_P(FillTest, ShowsTheStoredChoicesThatTheSystemCanTake) {
  const FillCase& c = GetParam();
  Open(c.counts, c.order, c.notes, c.fourSlides);
  EXPECT_THAT(Included(), ElementsAreArray(c.included));
  EXPECT_THAT(Excluded(), ElementsAreArray(c.excluded));
  EXPECT_EQ(Selected(IncludeMonitorList), c.included.empty() ? kNoSelection : 0);
  EXPECT_EQ(Selected(ExcludeMonitorList), kNoSelection);
  EXPECT_FALSE(Enabled(IncludeCommand));
  EXPECT_EQ(Caption(MonitorCountLabel), c.label);
  EXPECT_EQ(Checked(LastMonitor4SlidesCheck), c.fourSlidesChecked);
  EXPECT_EQ(Caption(LastMonitor4SlidesCheck), c.fourSlidesCaption);
  EXPECT_EQ(Enabled(OKCommand), c.okEnabled);
  EXPECT_EQ(Checked(DisplayNotesCheck), c.notes);
  EXPECT_FALSE(model_.OKPressed());
  EXPECT_THAT(services_.messages, IsEmpty());
}

const std::u16string kTwoMonitors = u"This system has 2 monitors.\r\n";
const std::u16string kThreeMonitors = u"This system has 3 monitors.\r\n";
const std::u16string kNeedsThree = u" Tandry requires atleast 3 monitors.";
const std::u16string kFourOn = u"Display 4 slides on monitor ";

INSTANTIATE_TEST_SUITE_P(
    Cases, FillTest,
    ::testing::Values(
        FillCase{"OneMonitor", {1, 1}, {0}, false, false,
                 {u"Monitor 1: slide show"}, {}, u"This system has 1 monitor.\r\n", true,
                 kFourOn + u"1", true},
        FillCase{"OneMonitorWithNotes", {1, 1}, {0}, true, false,
                 {u"Monitor 1: notes"}, {}, u"This system has 1 monitor.\r\n" + kNeedsThree,
                 true, kFourOn + u"1", false},
        FillCase{"StoredIndexGoneWithOneLeft", {2, 2}, {2, 0}, false, false,
                 {u"Monitor 1: slide show"}, {u"Monitor 2"}, kTwoMonitors, true,
                 kFourOn + u"1", true},
        FillCase{"NothingStoredTakesEveryMonitor", {3, 3}, {}, false, true,
                 {u"Monitor 1: slide show", u"Monitor 2: cascade", u"Monitor 3: cascade"}, {},
                 kThreeMonitors, true, kFourOn + u"3", true},
        FillCase{"StoredOrderWithNotes", {3, 3}, {0, 2, 1}, true, false,
                 {u"Monitor 1: notes", u"Monitor 3: slide show", u"Monitor 2: cascade"}, {},
                 kThreeMonitors, false, kFourOn + u"2", true},
        FillCase{"NotesNeedThreeChosen", {3, 3}, {0, 1}, true, false,
                 {u"Monitor 1: notes", u"Monitor 2: slide show"}, {u"Monitor 3"},
                 kThreeMonitors, false, kFourOn + u"2", false},
        // Nothing usable stored: every monitor is excluded and the designed caption stays.
        FillCase{"NoStoredIndexUsable", {3, 3}, {5}, false, true,
                 {}, {u"Monitor 1", u"Monitor 2", u"Monitor 3"}, kThreeMonitors, true,
                 u"Display 4 slides on monitor 1.", false},
        // A negative index is a monitor that no system has.
        FillCase{"NegativeIndexLeftOut", {3, 3}, {-1, 1}, false, false,
                 {u"Monitor 2: slide show"}, {u"Monitor 1", u"Monitor 3"}, kThreeMonitors, true,
                 kFourOn + u"2", true}),
    [](const auto& info) { return std::string(info.param.name); });

// Whether the start button is enabled for `chosen` monitors, with and without notes.
struct OkRuleCase {
  std::int32_t usable;
  bool notes;
  std::int32_t chosen;
  bool okEnabled;
};

void PrintTo(const OkRuleCase& c, std::ostream* out) {
  *out << c.chosen << " of " << c.usable << (c.notes ? " with notes" : "");
}

class OkRuleTest : public SettingsFormModelTest,
                   public ::testing::WithParamInterface<OkRuleCase> {};

TEST_P(OkRuleTest, NeedsOneChosenMonitorAndWithNotesThree) {
  const OkRuleCase& c = GetParam();
  MonitorList order;
  for (std::int32_t i = 0; i < c.chosen; ++i) order.push_back(i);
  Open({c.usable, c.usable}, order, c.notes);
  EXPECT_EQ(Enabled(OKCommand), c.okEnabled);
}

INSTANTIATE_TEST_SUITE_P(Cases, OkRuleTest,
                         ::testing::Values(OkRuleCase{3, true, 3, true},
                                           OkRuleCase{3, true, 2, false},
                                           OkRuleCase{3, true, 1, false},
                                           OkRuleCase{4, true, 4, true},
                                           OkRuleCase{2, true, 2, false},
                                           OkRuleCase{3, false, 1, true},
                                           OkRuleCase{3, false, 2, true},
                                           OkRuleCase{3, false, 3, true},
                                           OkRuleCase{1, false, 1, true}));

TEST_F(SettingsFormModelTest, CountsAreLiveAtEveryUpdate) {
  Open({3, 3}, {0, 1, 2});
  EXPECT_TRUE(Enabled(OKCommand));
  services_.counts = {2, 2};
  Select(IncludeMonitorList, 1);
  EXPECT_EQ(Caption(MonitorCountLabel), kTwoMonitors);
  EXPECT_FALSE(Enabled(OKCommand));  // three chosen, two left
  EXPECT_THAT(Included(), ElementsAre(u"Monitor 1: slide show", u"Monitor 2: cascade",
                                      u"Monitor 3: cascade"));
  // A failing count keeps the last one the engine gave.
  services_.countFails = true;
  Select(IncludeMonitorList, 0);
  EXPECT_EQ(Caption(MonitorCountLabel), kTwoMonitors);
}

TEST_F(SettingsFormModelTest, ArrowsFollowTheSelections) {
  Open({3, 3}, {0, 1});
  EXPECT_FALSE(Enabled(MoveUpCommand));
  EXPECT_TRUE(Enabled(MoveDownCommand));
  EXPECT_TRUE(Enabled(ExcludeCommand));
  EXPECT_FALSE(Enabled(IncludeCommand));
  Select(IncludeMonitorList, 1);
  EXPECT_TRUE(Enabled(MoveUpCommand));
  EXPECT_FALSE(Enabled(MoveDownCommand));
  Select(ExcludeMonitorList, 0);
  EXPECT_TRUE(Enabled(IncludeCommand));

  Open({3, 3}, {2});
  EXPECT_FALSE(Enabled(MoveUpCommand));
  EXPECT_FALSE(Enabled(MoveDownCommand));
}

TEST_F(SettingsFormModelTest, NotesBoxChangesOnlyTheRolesAndKeepsTheSelection) {
  Open({3, 3}, {1, 0, 2}, true);
  EXPECT_THAT(Included(), ElementsAre(u"Monitor 2: notes", u"Monitor 1: slide show",
                                      u"Monitor 3: cascade"));
  Select(IncludeMonitorList, 1);
  Click(DisplayNotesCheck);
  EXPECT_THAT(Included(), ElementsAre(u"Monitor 2: slide show", u"Monitor 1: cascade",
                                      u"Monitor 3: cascade"));
  EXPECT_EQ(Selected(IncludeMonitorList), 1);
  // The notes box has no update of its own: the selection it restores brings the label and
  // the start button up to date.
  EXPECT_EQ(Caption(MonitorCountLabel), kThreeMonitors);
  EXPECT_TRUE(Enabled(OKCommand));

  Open({1, 1}, {0}, true);
  EXPECT_FALSE(Enabled(OKCommand));
  Click(DisplayNotesCheck);
  EXPECT_EQ(Caption(MonitorCountLabel), u"This system has 1 monitor.\r\n");
  EXPECT_TRUE(Enabled(OKCommand));
}

// Excluding the selected chosen monitor at `position` from the order 1, 2, 3, 4.
struct ExcludeCase {
  const char* name;
  bool notes;
  int position;
  Items included;
  int selected;
};

void PrintTo(const ExcludeCase& c, std::ostream* out) { *out << c.name; }

class ExcludeTest : public SettingsFormModelTest,
                    public ::testing::WithParamInterface<ExcludeCase> {};

TEST_P(ExcludeTest, RepairsTheRolesAndKeepsASelection) {
  const ExcludeCase& c = GetParam();
  Open({4, 4}, {0, 1, 2, 3}, c.notes);
  Select(IncludeMonitorList, c.position);
  Click(ExcludeCommand);
  EXPECT_THAT(Included(), ElementsAreArray(c.included));
  EXPECT_EQ(Selected(IncludeMonitorList), c.selected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExcludeTest,
    ::testing::Values(
        ExcludeCase{"FirstWithoutNotes", false, 0,
                    {u"Monitor 2: slide show", u"Monitor 3: cascade", u"Monitor 4: cascade"}, 0},
        ExcludeCase{"FirstWithNotes", true, 0,
                    {u"Monitor 2: notes", u"Monitor 3: slide show", u"Monitor 4: cascade"}, 0},
        ExcludeCase{"SecondWithNotes", true, 1,
                    {u"Monitor 1: notes", u"Monitor 3: slide show", u"Monitor 4: cascade"}, 1},
        ExcludeCase{"ThirdWithNotes", true, 2,
                    {u"Monitor 1: notes", u"Monitor 2: slide show", u"Monitor 4: cascade"}, 2},
        ExcludeCase{"LastMovesTheSelectionUp", false, 3,
                    {u"Monitor 1: slide show", u"Monitor 2: cascade", u"Monitor 3: cascade"},
                    2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFormModelTest, ExcludedMonitorsAreAppendedNotSorted) {
  Open({3, 3}, {1});
  EXPECT_THAT(Excluded(), ElementsAre(u"Monitor 1", u"Monitor 3"));
  Click(IncludeMonitorList);  // the user's click changes nothing
  Select(ExcludeMonitorList, 1);
  Click(IncludeCommand);      // Monitor 3 joins: 2, 3
  EXPECT_THAT(Included(), ElementsAre(u"Monitor 2: slide show", u"Monitor 3: cascade"));
  EXPECT_EQ(Selected(IncludeMonitorList), 1);
  EXPECT_EQ(Selected(ExcludeMonitorList), kNoSelection);
  EXPECT_FALSE(Enabled(IncludeCommand));

  Select(IncludeMonitorList, 0);
  Click(ExcludeCommand);  // Monitor 2 leaves; with no selection there, it becomes selected
  EXPECT_THAT(Excluded(), ElementsAre(u"Monitor 1", u"Monitor 2"));
  EXPECT_EQ(Selected(ExcludeMonitorList), 1);

  Select(ExcludeMonitorList, 0);
  Click(IncludeCommand);  // Monitor 1 joins at the end
  EXPECT_THAT(Included(), ElementsAre(u"Monitor 3: slide show", u"Monitor 1: cascade"));
  Select(IncludeMonitorList, 0);
  Select(ExcludeMonitorList, 0);
  Click(ExcludeCommand);  // the excluded list's selection stays where it was
  EXPECT_THAT(Excluded(), ElementsAre(u"Monitor 2", u"Monitor 3"));
  EXPECT_EQ(Selected(ExcludeMonitorList), 0);
}

TEST_F(SettingsFormModelTest, ExcludingTheOnlyChosenMonitorEmptiesTheListUntilOneIsIncluded) {
  Open({2, 2}, {1}, true);
  Click(ExcludeCommand);
  EXPECT_THAT(Included(), IsEmpty());
  EXPECT_EQ(Selected(IncludeMonitorList), kNoSelection);
  EXPECT_FALSE(Enabled(ExcludeCommand));
  EXPECT_FALSE(Enabled(MoveUpCommand));
  EXPECT_FALSE(Enabled(MoveDownCommand));
  EXPECT_FALSE(Enabled(OKCommand));
  EXPECT_EQ(Caption(LastMonitor4SlidesCheck), kFourOn + u"2");  // the last one it named

  Select(ExcludeMonitorList, 0);
  Click(IncludeCommand);
  EXPECT_THAT(Included(), ElementsAre(u"Monitor 1: notes"));
  EXPECT_EQ(Selected(IncludeMonitorList), 0);
  EXPECT_THAT(Excluded(), ElementsAre(u"Monitor 2"));

  Click(DisplayNotesCheck);
  Select(ExcludeMonitorList, 0);
  Click(IncludeCommand);
  EXPECT_THAT(Included(), ElementsAre(u"Monitor 1: slide show", u"Monitor 2: cascade"));
  EXPECT_THAT(Excluded(), IsEmpty());
  EXPECT_EQ(Selected(ExcludeMonitorList), kNoSelection);
}

TEST_F(SettingsFormModelTest, MovesSwapNeighboursAndRecomputeTheRoles) {
  Open({3, 3}, {0, 1, 2});
  Click(MoveUpCommand);  // the first item does not move
  EXPECT_THAT(Included(), ElementsAre(u"Monitor 1: slide show", u"Monitor 2: cascade",
                                      u"Monitor 3: cascade"));
  Select(IncludeMonitorList, 1);
  Click(MoveDownCommand);  // the second-to-last becomes the last
  EXPECT_THAT(Included(), ElementsAre(u"Monitor 1: slide show", u"Monitor 3: cascade",
                                      u"Monitor 2: cascade"));
  EXPECT_EQ(Selected(IncludeMonitorList), 2);
  EXPECT_EQ(Caption(LastMonitor4SlidesCheck), kFourOn + u"2");
  EXPECT_FALSE(Enabled(MoveDownCommand));

  Click(DisplayNotesCheck);
  Click(MoveUpCommand);
  Click(MoveUpCommand);
  EXPECT_THAT(Included(), ElementsAre(u"Monitor 2: notes", u"Monitor 1: slide show",
                                      u"Monitor 3: cascade"));
  EXPECT_EQ(Selected(IncludeMonitorList), 0);
  Select(IncludeMonitorList, 2);
  Click(MoveUpCommand);  // the third becomes the show, the second a cascade
  EXPECT_THAT(Included(), ElementsAre(u"Monitor 2: notes", u"Monitor 3: slide show",
                                      u"Monitor 1: cascade"));
  EXPECT_EQ(Selected(IncludeMonitorList), 1);

  MonitorList order{9};
  model_.GetMonitorOrder(order);
  EXPECT_THAT(order, ElementsAre(9, 1, 2, 0));
}

// Clearing the four-slide box where it cannot be cleared: it is checked again before the
// message is up, with the information icon.
struct FourSlidesCase {
  const char* name;
  MonitorCounts counts;
  MonitorList order;
  std::u16string message;  // empty: the box clears silently
};

void PrintTo(const FourSlidesCase& c, std::ostream* out) { *out << c.name; }

class FourSlidesTest : public SettingsFormModelTest,
                       public ::testing::WithParamInterface<FourSlidesCase> {};

TEST_P(FourSlidesTest, RefusesToClearWhereTheShowNeedsIt) {
  const FourSlidesCase& c = GetParam();
  Open(c.counts, c.order, false, true);
  bool checkedDuringMessage = false;
  services_.onMessage = [&] { checkedDuringMessage = Checked(LastMonitor4SlidesCheck); };
  Click(LastMonitor4SlidesCheck);
  if (c.message.empty()) {
    EXPECT_FALSE(Checked(LastMonitor4SlidesCheck));
    EXPECT_THAT(services_.messages, IsEmpty());
  } else {
    EXPECT_TRUE(Checked(LastMonitor4SlidesCheck));
    EXPECT_TRUE(checkedDuringMessage);
    EXPECT_THAT(services_.messages,
                ElementsAre(std::make_pair(c.message, MessageIcon::Information)));
  }
  if (c.message.empty()) {
    Click(LastMonitor4SlidesCheck);  // checking is always allowed, and silent
    EXPECT_TRUE(Checked(LastMonitor4SlidesCheck));
    EXPECT_THAT(services_.messages, IsEmpty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FourSlidesTest,
    ::testing::Values(
        FourSlidesCase{"OneMonitor", {1, 1}, {0},
                       u"Your setup does not allow you to clear this checkbox."},
        FourSlidesCase{"OneChosen", {2, 2}, {1},
                       u"You need to select more than 1 monitor to clear this checkbox."},
        FourSlidesCase{"TwoChosen", {2, 2}, {1, 0}, u""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFormModelTest, BoxesSetByCodeShowNoMessage) {
  Open({2, 2}, {1}, false, false);  // the stored flag is clear, but one monitor is chosen
  EXPECT_TRUE(Checked(LastMonitor4SlidesCheck));
  Select(IncludeMonitorList, 0);
  Click(ExcludeCommand);
  Select(ExcludeMonitorList, 0);
  Click(IncludeCommand);
  EXPECT_THAT(services_.messages, IsEmpty());
}

TEST_F(SettingsFormModelTest, EverySelectionSetByCodeIsFollowedByAnUpdate) {
  Open({3, 3}, {0, 1}, true);
  Select(IncludeMonitorList, 0);
  Click(ExcludeCommand);
  Click(MoveDownCommand);
  Click(DisplayNotesCheck);
  Select(ExcludeMonitorList, 1);
  Click(IncludeCommand);
  // The label's caption is the first thing UpdateControls sets.
  const std::string update = "caption " + std::to_string(MonitorCountLabel);
  const auto& log = controls_.log;
  for (std::size_t i = 0; i < log.size(); ++i) {
    if (log[i].rfind("select " + std::to_string(IncludeMonitorList), 0) != 0 &&
        log[i].rfind("select " + std::to_string(ExcludeMonitorList), 0) != 0) {
      continue;
    }
    ASSERT_LT(i + 1, log.size()) << log[i];
    EXPECT_EQ(log[i + 1], update) << "after entry " << i << ": " << log[i];
  }
}

TEST_F(SettingsFormModelTest, PreselectsThePresentationByIdentity) {
  OpenPresentations({u"Talk.ppt", u"Talk.ppt"});
  pres_ = presentations_[1];
  Open({3, 3}, {0});
  EXPECT_THAT(controls_.Items(PPTListCombo), ElementsAre(u"Talk.ppt", u"Talk.ppt"));
  EXPECT_EQ(Selected(PPTListCombo), 1);

  OpenPresentations({u"A.ppt", u"B.ppt"});
  pres_ = presentations_[1];
  Open({3, 3}, {0});
  EXPECT_EQ(model_.GetPresName(), u"B.ppt");
  pres_ = std::make_shared<test::FakeObject>("Closed", log_);
  Open({3, 3}, {0});
  EXPECT_EQ(model_.GetPresName(), u"A.ppt");
  controls_.UserSelects(model_, PPTListCombo, 1);
  EXPECT_EQ(model_.GetPresName(), u"B.ppt");
}

TEST_F(SettingsFormModelTest, PresentationWithoutANameGetsNoEntry) {
  OpenPresentations({u"A.ppt", u"B.ppt", u"C.ppt"});
  presentations_[0]->Fail(u"Name");
  pres_ = presentations_[2];
  Open({3, 3}, {0});
  EXPECT_THAT(controls_.Items(PPTListCombo), ElementsAre(u"B.ppt", u"C.ppt"));
  EXPECT_EQ(model_.GetPresName(), u"C.ppt");
}

constexpr ControlId kMonitorSettings[] = {IncludeCommand,     ExcludeCommand,
                                          MoveUpCommand,      MoveDownCommand,
                                          DisplayNotesCheck,  LastMonitor4SlidesCheck,
                                          IncludeMonitorList, ExcludeMonitorList};
constexpr ControlId kNeverLocked[] = {PPTListCombo, AboutCommand, PasswordCommand,
                                      CancelCommand};

TEST_F(SettingsFormModelTest, LockedDialogStartsWithTheStoredSettingsOnly) {
  services_.SavePassword(u"secret");
  Open({3, 3}, {0, 1}, false, false);
  for (ControlId control : kMonitorSettings) EXPECT_FALSE(Enabled(control)) << control;
  for (ControlId control : kNeverLocked) EXPECT_TRUE(Enabled(control)) << control;
  EXPECT_TRUE(Enabled(OKCommand));
  EXPECT_EQ(Caption(PasswordCommand), u"Set &Password...");
  EXPECT_EQ(Caption(LastMonitor4SlidesCheck), kFourOn + u"2");

  forms_.setOutcomes = {{false, u"secret"}};  // cancelled: still locked
  Click(PasswordCommand);
  EXPECT_FALSE(Enabled(IncludeMonitorList));

  forms_.setOutcomes = {{true, u"secret"}};
  Click(PasswordCommand);
  EXPECT_EQ(forms_.setShown, 2);
  EXPECT_EQ(forms_.changeShown, 0);
  EXPECT_EQ(Caption(PasswordCommand), u"Change &Password...");
  for (ControlId control : {DisplayNotesCheck, LastMonitor4SlidesCheck, IncludeMonitorList,
                            ExcludeMonitorList, ExcludeCommand, MoveDownCommand}) {
    EXPECT_TRUE(Enabled(control)) << control;
  }
  EXPECT_FALSE(Enabled(MoveUpCommand));
  EXPECT_FALSE(Enabled(IncludeCommand));

  // Unlocking is never remembered.
  Open({3, 3}, {0, 1});
  EXPECT_FALSE(Enabled(IncludeMonitorList));
  forms_.setOutcomes = {{true, u"KRW Tolve"}};
  Click(PasswordCommand);
  EXPECT_TRUE(Enabled(IncludeMonitorList));
}

TEST_F(SettingsFormModelTest, AnUnreadablePasswordLocksAndOnlyTheMasterPasswordOpens) {
  services_.stored = std::nullopt;
  Open({3, 3}, {0, 1});
  for (ControlId control : kMonitorSettings) EXPECT_FALSE(Enabled(control)) << control;
  EXPECT_EQ(Caption(PasswordCommand), u"Set &Password...");

  forms_.setOutcomes = {{true, u""}, {true, u"anything"}};
  Click(PasswordCommand);
  Click(PasswordCommand);
  EXPECT_FALSE(Enabled(IncludeMonitorList));
  EXPECT_EQ(Caption(PasswordCommand), u"Set &Password...");

  forms_.setOutcomes = {{true, u"KRW Tolve"}};
  Click(PasswordCommand);
  EXPECT_TRUE(Enabled(IncludeMonitorList));
  EXPECT_EQ(Caption(PasswordCommand), u"Change &Password...");

  // Only the master password is the current one; anything else locks this display again.
  forms_.changeOutcomes = {{true, u"", u"abc"}};
  Click(PasswordCommand);
  EXPECT_FALSE(Enabled(IncludeMonitorList));
  EXPECT_EQ(services_.stored, std::nullopt);  // neither repaired nor cleared

  Open({3, 3}, {0, 1});
  EXPECT_FALSE(Enabled(IncludeMonitorList));  // unlocking is never remembered
  EXPECT_EQ(services_.stored, std::nullopt);
}

TEST_F(SettingsFormModelTest, NewPasswordIsStoredAtOnceAndLocksTheNextDisplay) {
  Open({3, 3}, {0});
  EXPECT_EQ(Caption(PasswordCommand), u"Change &Password...");
  forms_.changeOutcomes = {{false, u"", u"ignored"}};
  Click(PasswordCommand);
  EXPECT_EQ(services_.stored, u"");

  forms_.changeOutcomes = {{true, u"", u"abc"}};
  Click(PasswordCommand);
  EXPECT_EQ(services_.stored, services_.EncryptText(u"abc"));
  EXPECT_TRUE(Enabled(IncludeMonitorList));  // this display stays unlocked
  EXPECT_EQ(Caption(PasswordCommand), u"Change &Password...");
  Click(CancelCommand);
  EXPECT_EQ(services_.stored, services_.EncryptText(u"abc"));

  Open({3, 3}, {0});
  EXPECT_FALSE(Enabled(IncludeMonitorList));
  forms_.setOutcomes = {{true, u"abc"}};
  Click(PasswordCommand);
  forms_.changeOutcomes = {{true, u"abc", u""}};  // two empty new entries clear the lock
  Click(PasswordCommand);
  EXPECT_EQ(services_.stored, u"");
  Open({3, 3}, {0});
  EXPECT_TRUE(Enabled(IncludeMonitorList));
}

}  // namespace
}  // namespace tandry::addin
