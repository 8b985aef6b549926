#include "CommandBars.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

namespace tandry::standin {
namespace {

using ::testing::ElementsAre;

constexpr int kSlideShowPopup = 30225;
constexpr int kViewShow = 740;

// Captions of a popup's controls in menu order, "|" before one that begins a group.
std::vector<std::string> Captions(const CommandBarSet& bars, int popupKey) {
  std::vector<std::string> captions;
  for (const Control& control : bars.Find(popupKey)->controls) {
    captions.push_back((control.beginGroup ? "|" : "") + control.caption);
  }
  return captions;
}

int PopupKey(const CommandBarSet& bars, int id) {
  return bars.FindFirst({kControlPopup, id, std::nullopt});
}

TEST(CommandBarSet, HoldsTheBuiltInSlideShowPopupWithItsCommand740) {
  const CommandBarSet bars;
  const int popup = PopupKey(bars, kSlideShowPopup);
  ASSERT_NE(popup, 0);
  const int viewShow = bars.FindFirst({std::nullopt, kViewShow, std::nullopt});
  ASSERT_NE(viewShow, 0);
  EXPECT_EQ(bars.Find(popup)->controls.front().key, viewShow);
  EXPECT_EQ(bars.IndexOf(viewShow), 1);
  EXPECT_EQ(bars.IndexOf(popup), 2);  // after File in the menu bar
  EXPECT_EQ(bars.FindFirst({kControlPopup, kViewShow, std::nullopt}), 0);  // not a popup
  EXPECT_EQ(bars.FindFirst({std::nullopt, 99999, std::nullopt}), 0);
  EXPECT_EQ(bars.FindFirst({std::nullopt, std::nullopt, std::string("Tandry")}), 0);
}

TEST(CommandBarSet, AddsButtonsWhereAskedAndFindsTheFirstByTag) {
  CommandBarSet bars;
  const int popup = PopupKey(bars, kSlideShowPopup);
  const int help = PopupKey(bars, 30010);
  const int first = bars.AddButton(popup, 1, true);
  const int second = bars.AddButton(popup, 2, true);
  const int last = bars.AddButton(popup, std::nullopt, false);
  const int elsewhere = bars.AddButton(help, 1, true);
  ASSERT_TRUE(first && second && last && elsewhere);
  bars.SetCaption(first, "Start");
  bars.SetBeginGroup(first, true);
  bars.SetCaption(second, "About");
  bars.SetCaption(last, "Last");
  EXPECT_THAT(Captions(bars, popup),
              ElementsAre("|Start", "About", "&View Show", "Set &Up Show...", "&Rehearse Timings",
                          "|Custom Sho&ws...", "Last"));
  EXPECT_EQ(bars.IndexOf(second), 2);
  EXPECT_EQ(bars.IndexOf(last), 7);
  EXPECT_EQ(bars.Find(last)->id, kAddedControlId);

  bars.SetTag(elsewhere, "Tandry");
  bars.SetTag(last, "Tandry");
  EXPECT_EQ(bars.FindFirst({std::nullopt, std::nullopt, std::string("Tandry")}), last);
  EXPECT_EQ(bars.FindFirst({kControlButton, kAddedControlId, std::nullopt}), first);

  ASSERT_TRUE(bars.Delete(last));
  EXPECT_FALSE(bars.Delete(last));
  EXPECT_EQ(bars.Find(last), nullptr);
  EXPECT_EQ(bars.IndexOf(last), 0);
  EXPECT_FALSE(bars.SetCaption(last, "gone"));
  EXPECT_EQ(bars.FindFirst({std::nullopt, std::nullopt, std::string("Tandry")}), elsewhere);
  EXPECT_EQ(bars.IndexOf(first), 1);
}

TEST(CommandBarSet, RefusesPositionsOutsideThePopupAndContainersThatAreNoPopup) {
  CommandBarSet bars;
  const int popup = PopupKey(bars, kSlideShowPopup);
  const int count = static_cast<int>(bars.Find(popup)->controls.size());
  EXPECT_EQ(bars.AddButton(popup, 0, true), 0);
  EXPECT_EQ(bars.AddButton(popup, -1, true), 0);
  EXPECT_EQ(bars.AddButton(popup, count + 2, true), 0);
  EXPECT_EQ(bars.AddButton(bars.FindFirst({std::nullopt, kViewShow, std::nullopt}), 1, true), 0);
  EXPECT_EQ(bars.AddButton(12345, 1, true), 0);
  EXPECT_EQ(static_cast<int>(bars.Find(popup)->controls.size()), count);
  EXPECT_NE(bars.AddButton(popup, count + 1, true), 0);
}

TEST(CommandBarSet, KeepsTheAddedControlsThatAreNotTemporaryForTheNextStart) {
  CommandBarSet bars;
  const int popup = PopupKey(bars, kSlideShowPopup);
  const int kept = bars.AddButton(popup, 2, false);
  bars.SetCaption(kept, "Left from an earlier run");
  bars.SetTag(kept, "Tandry");
  bars.SetFaceId(kept, 303);
  bars.SetBeginGroup(kept, true);
  bars.AddButton(popup, 1, true);  // temporary: neither kept nor counted
  const int far = bars.AddButton(popup, std::nullopt, false);
  bars.SetTag(far, "far");
  const std::vector<KeptControl> saved = bars.Kept();
  ASSERT_EQ(saved.size(), 2u);
  EXPECT_EQ(saved[0], (KeptControl{kSlideShowPopup, 2, "Left from an earlier run", "Tandry", 303,
                                   true}));
  EXPECT_EQ(saved[1].index, 6);

  CommandBarSet next;
  next.Restore(saved);
  const int again = next.FindFirst({std::nullopt, std::nullopt, std::string("Tandry")});
  ASSERT_NE(again, 0);
  EXPECT_EQ(next.Find(again)->caption, "Left from an earlier run");
  EXPECT_FALSE(next.Find(again)->temporary);
  EXPECT_THAT(Captions(next, PopupKey(next, kSlideShowPopup)),
              ElementsAre("&View Show", "|Left from an earlier run", "Set &Up Show...",
                          "&Rehearse Timings", "|Custom Sho&ws...", ""));
  EXPECT_EQ(next.Kept(), saved);

  // A position past the popup's end puts the control last; an unknown popup keeps nothing.
  next.Restore({{kSlideShowPopup, 99, "last", "", 0, false}, {99999, 1, "lost", "", 0, false}});
  EXPECT_EQ(Captions(next, PopupKey(next, kSlideShowPopup)).back(), "last");
  EXPECT_EQ(next.Kept().size(), 3u);
}

}  // namespace
}  // namespace tandry::standin
