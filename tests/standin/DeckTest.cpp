#include "Deck.h"

#include <gmock/gmock.h>

namespace tandry::standin {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

TEST(ParseDeck, ReadsSlidesBulletsAndNotesInOrder) {
  const DeckParseResult result = ParseDeck(
      "# a comment\n"
      "slide: First\n"
      "bullet: one\n"
      "\n"
      "bullet:   two  \n"
      "note: Para one.\n"
      "note:\n"
      "note: Para: three.\n"
      "slide:Second: with colon\n");
  ASSERT_TRUE(result.ok()) << result.error;
  ASSERT_EQ(result.deck.slides.size(), 2u);
  const Slide& first = result.deck.slides[0];
  EXPECT_EQ(first.title, "First");
  EXPECT_THAT(first.bullets, ElementsAre("one", "two"));
  EXPECT_THAT(first.notes, ElementsAre("Para one.", "", "Para: three."));
  EXPECT_EQ(result.deck.slides[1].title, "Second: with colon");
  EXPECT_THAT(result.deck.slides[1].bullets, IsEmpty());
}

TEST(ParseDeck, AcceptsCrlfByteOrderMarkIndentationAndNoFinalNewline) {
  const DeckParseResult result =
      ParseDeck("\xEF\xBB\xBFslide: T\r\n  bullet: b\t\r\n\t# indented comment\r\nnote: n");
  ASSERT_TRUE(result.ok()) << result.error;
  EXPECT_EQ(result.deck.slides[0].title, "T");
  EXPECT_THAT(result.deck.slides[0].bullets, ElementsAre("b"));
  EXPECT_THAT(result.deck.slides[0].notes, ElementsAre("n"));
}

TEST(ParseDeck, KeepsUtf8TextAsItIs) {
  const DeckParseResult result = ParseDeck("slide: Caf\xC3\xA9 \xE2\x80\x93 na\xC3\xAFve\n");
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result.deck.slides[0].title, "Caf\xC3\xA9 \xE2\x80\x93 na\xC3\xAFve");
}

TEST(ParseDeck, ReportsTheFirstFaultWithItsLineNumber) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"bullet: early\n", "line 1: bullet before the first slide"},
      {"# c\nnote: early\n", "line 2: note before the first slide"},
      {"slide: a\n\ntitle: x\n", "line 3: unknown keyword 'title'"},
      {"slide: a\njust text\n", "line 2: expected 'slide:', 'bullet:' or 'note:'"},
      {"slide:   \n", "line 1: a slide needs a title"},
      {"slide: a\nbullet:\r\n", "line 2: a bullet needs some text"},
      {"Slide: a\n", "line 1: unknown keyword 'Slide'"},
      {"slide: a\nbullet\n", "line 2: expected 'slide:', 'bullet:' or 'note:'"},
  };
  for (const Case& c : cases) {
    const DeckParseResult result = ParseDeck(c.text);
    EXPECT_EQ(result.error, c.error) << c.text;
  }
}

TEST(ParseDeck, RefusesADeckWithoutSlides) {
  EXPECT_EQ(ParseDeck("").error, "the deck has no slides");
  EXPECT_EQ(ParseDeck("# only comments\n\n").error, "the deck has no slides");
}

TEST(LoadDeckFile, ReadsTheSampleDeck) {
  const DeckParseResult result = LoadDeckFile(STANDIN_DECK_DIR "/sample.deck");
  ASSERT_TRUE(result.ok()) << result.error;
  const auto& slides = result.deck.slides;
  EXPECT_GE(slides.size(), 10u);
  EXPECT_LE(slides.size(), 14u);
  int slidesWithBuilds = 0;
  int slidesWithSeveralParagraphs = 0;
  for (const Slide& slide : slides) {
    EXPECT_FALSE(slide.notes.empty()) << slide.title;
    slidesWithBuilds += !slide.bullets.empty();
    slidesWithSeveralParagraphs += slide.notes.size() > 1;
  }
  EXPECT_GE(slidesWithBuilds, slides.size() / 2);
  EXPECT_GE(slidesWithSeveralParagraphs, 3);
}

TEST(LoadDeckFile, NamesTheFileInItsErrors) {
  EXPECT_THAT(LoadDeckFile("/nonexistent/x.deck").error,
              HasSubstr("cannot read /nonexistent/x.deck"));
}

TEST(GenerateDeck, MakesNSlidesWithVaryingBuildsAndNotes) {
  const Deck deck = GenerateDeck(6);
  ASSERT_EQ(deck.slides.size(), 6u);
  EXPECT_EQ(deck.slides[0].title, "Slide 1");
  EXPECT_EQ(deck.slides[5].title, "Slide 6");
  EXPECT_THAT(BuildCounts(deck), ElementsAre(0, 1, 2, 3, 0, 1));
  EXPECT_EQ(deck.slides[2].bullets[1], "Point 2 of slide 3");
  for (const Slide& slide : deck.slides) EXPECT_EQ(slide.notes.size(), 2u);
  EXPECT_THAT(GenerateDeck(0).slides, IsEmpty());
}

}  // namespace
}  // namespace tandry::standin
