#include <gmock/gmock.h>

#include "CommandLine.h"

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

  const ParsedOptions none = ParseCommandLine({"--version", "8.0"});
  ASSERT_TRUE(none.ok()) << none.error;
  EXPECT_THAT(none.options.deckPaths, IsEmpty());
  EXPECT_EQ(none.options.version, "8.0");
}

TEST(ParseCommandLine, TakesVersionAndAGeneratedDeckInAnyOrder) {
  const ParsedOptions parsed = ParseCommandLine({"--slides", "40", "--version", "16.0"});
  ASSERT_TRUE(parsed.ok()) << parsed.error;
  EXPECT_THAT(parsed.options.deckPaths, IsEmpty());
  EXPECT_EQ(parsed.options.generatedSlides, 40);
  EXPECT_EQ(parsed.options.version, "16.0");
}

TEST(ParseCommandLine, RefusesWhatItCannotRun) {
  const std::vector<std::vector<std::string>> bad = {
      {"a.deck", "--slides", "3"},
      {"--slides", "0"},
      {"--slides", "-3"},
      {"--slides", "3x"},
      {"--slides", "99999999999"},
      {"--slides"},
      {"a.deck", "--verbose"},
      {"a.deck", "--monitors", "0,1"},
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

}  // namespace
}  // namespace tandry::standin
