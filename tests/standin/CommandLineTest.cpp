#include "CommandLine.h"

#include <gmock/gmock.h>

namespace tandry::standin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(ParseCommandLine, OpensDecksWithoutAShowAndVersion11ByDefault) {
  const ParsedOptions parsed = ParseCommandLine({"decks/sample.deck", "b.deck"});
  ASSERT_TRUE(parsed.ok()) << parsed.error;
  EXPECT_THAT(parsed.options.deckPaths, ElementsAre("decks/sample.deck", "b.deck"));
  EXPECT_EQ(parsed.options.generatedSlides, 0);
  EXPECT_EQ(parsed.options.version, "11.0");
  EXPECT_THAT(parsed.options.monitors, IsEmpty());
  EXPECT_FALSE(parsed.options.fourSlide);

  const ParsedOptions none = ParseCommandLine({"--version", "8.0"});
  ASSERT_TRUE(none.ok()) << none.error;
  EXPECT_THAT(none.options.deckPaths, IsEmpty());
  EXPECT_EQ(none.options.version, "8.0");
}

TEST(ParseCommandLine, TakesMonitorsFourSlideVersionAndAGeneratedDeckInAnyOrder) {
  const ParsedOptions parsed = ParseCommandLine(
      {"--four-slide", "--slides", "40", "--version", "16.0", "--monitors", "2,0,1"});
  ASSERT_TRUE(parsed.ok()) << parsed.error;
  EXPECT_THAT(parsed.options.deckPaths, IsEmpty());
  EXPECT_EQ(parsed.options.generatedSlides, 40);
  EXPECT_EQ(parsed.options.version, "16.0");
  EXPECT_THAT(parsed.options.monitors, ElementsAre(2, 0, 1));
  EXPECT_TRUE(parsed.options.fourSlide);
}

TEST(ParseCommandLine, RefusesWhatItCannotRun) {
  const std::vector<std::vector<std::string>> bad = {
      {"--monitors", "0,1"},
      {"a.deck", "--slides", "3"},
      {"--slides", "0"},
      {"--slides", "-3"},
      {"--slides", "3x"},
      {"--slides", "99999999999"},
      {"--slides"},
      {"a.deck", "--monitors"},
      {"a.deck", "--monitors", "0,,1"},
      {"a.deck", "--monitors", "0,1,"},
      {"a.deck", "--monitors", "-1"},
      {"a.deck", "--monitors", "1,1"},
      {"a.deck", "--four-slide"},
      {"a.deck", "--four-slide", "--monitors", "1"},
      {"a.deck", "--verbose"},
      {"--version"},
      {"--version", "11"},
      {"--version", "11."},
      {"--version", ".0"},
      {"--version", "v11.0"},
      {"--version", "11.0.1"},
  };
  for (const auto& args : bad) {
    std::string line;
    for (const auto& a : args) line += a + " ";
    EXPECT_FALSE(ParseCommandLine(args).ok()) << line;
  }
}

TEST(PlanSession, PutsFurtherScreensOnTheMonitorsAfterTheShowInOrder) {
  const SessionPlan plan = PlanSession({1, 0, 2, 3}, false);
  EXPECT_EQ(plan.showMonitor, 1);
  EXPECT_THAT(plan.screenMonitors, ElementsAre(0, 2, 3));
  EXPECT_EQ(plan.fourSlideMonitor, -1);
  EXPECT_TRUE(plan.needsSession());
}

TEST(PlanSession, GivesTheLastMonitorToTheFourSlideWindow) {
  const SessionPlan three = PlanSession({0, 1, 2}, true);
  EXPECT_EQ(three.showMonitor, 0);
  EXPECT_THAT(three.screenMonitors, ElementsAre(1));
  EXPECT_EQ(three.fourSlideMonitor, 2);

  const SessionPlan two = PlanSession({0, 2}, true);
  EXPECT_THAT(two.screenMonitors, IsEmpty());
  EXPECT_EQ(two.fourSlideMonitor, 2);
  EXPECT_TRUE(two.needsSession());
}

TEST(PlanSession, NeedsNoSessionForOneMonitor) {
  const SessionPlan plan = PlanSession({2}, false);
  EXPECT_EQ(plan.showMonitor, 2);
  EXPECT_FALSE(plan.needsSession());
  EXPECT_FALSE(PlanSession({2}, true).needsSession());
}

}  // namespace
}  // namespace tandry::standin
