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
  ASSERT_EQ(first.notesPage.size(), 1u);  // the note lines make one body placeholder
  EXPECT_TRUE(first.notesPage[0].placeholder);
  EXPECT_EQ(first.notesPage[0].placeholderType, 2);
  EXPECT_THAT(first.notesPage[0].paragraphs, ElementsAre("Para one.", "", "Para: three."));
  EXPECT_EQ(ShapeText(first.notesPage[0]), "Para one.\r\rPara: three.");
  EXPECT_EQ(result.deck.slides[1].title, "Second: with colon");
  EXPECT_THAT(result.deck.slides[1].bullets, IsEmpty());
  EXPECT_THAT(result.deck.slides[1].notesPage, IsEmpty());
  EXPECT_EQ(first.colour, 1);
  EXPECT_EQ(result.deck.slides[1].colour, 2);
  EXPECT_EQ(result.deck.startSlide, 1);
}

TEST(ParseDeck, ReadsNotesPagesOfMixedShapesInPageOrder) {
  const DeckParseResult result = ParseDeck(
      "slide: Mixed\n"
      "notes-shape: title\n"
      "note: Page title\n"
      "notes-shape: textbox\n"
      "note: Box one\n"
      "note: Box two\n"
      "notes-shape: body\n"
      "notes-shape: placeholder  7\n"
      "note: Seven\n"
      "notes-shape: body\n"
      "note: Second body\n"
      "slide: Box first\n"
      "notes-shape: textbox\n"
      "note: in the box\n"
      "start: 2\n");
  ASSERT_TRUE(result.ok()) << result.error;
  const struct {
    bool placeholder;
    int type;
    const char* text;
  } expected[] = {{true, 1, "Page title"},
                  {false, 0, "Box one\rBox two"},
                  {true, 2, ""},
                  {true, 7, "Seven"},
                  {true, 2, "Second body"}};
  const std::vector<NotesShape>& page = result.deck.slides[0].notesPage;
  ASSERT_EQ(page.size(), std::size(expected));
  for (std::size_t i = 0; i < page.size(); ++i) {
    EXPECT_EQ(page[i].placeholder, expected[i].placeholder) << i;
    EXPECT_EQ(page[i].placeholderType, expected[i].type) << i;
    EXPECT_EQ(ShapeText(page[i]), expected[i].text) << i;
  }
  const std::vector<NotesShape>& second = result.deck.slides[1].notesPage;
  ASSERT_EQ(second.size(), 1u);  // a note after a text box goes into the box
  EXPECT_FALSE(second[0].placeholder);
  EXPECT_EQ(result.deck.startSlide, 2);
}

TEST(ParseDeck, AcceptsCrlfByteOrderMarkIndentationAndNoFinalNewline) {
  const DeckParseResult result =
      ParseDeck("\xEF\xBB\xBFslide: T\r\n  bullet: b\t\r\n\t# indented comment\r\nnote: n");
  ASSERT_TRUE(result.ok()) << result.error;
  EXPECT_EQ(result.deck.slides[0].title, "T");
  EXPECT_THAT(result.deck.slides[0].bullets, ElementsAre("b"));
  EXPECT_THAT(result.deck.slides[0].notesPage[0].paragraphs, ElementsAre("n"));
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
      {"slide: a\njust text\n",
       "line 2: expected 'slide:', 'bullet:', 'note:', 'notes-shape:' or 'start:'"},
      {"slide:   \n", "line 1: a slide needs a title"},
      {"slide: a\nbullet:\r\n", "line 2: a bullet needs some text"},
      {"Slide: a\n", "line 1: unknown keyword 'Slide'"},
      {"slide: a\nbullet\n",
       "line 2: expected 'slide:', 'bullet:', 'note:', 'notes-shape:' or 'start:'"},
      {"notes-shape: body\n", "line 1: notes-shape before the first slide"},
      {"slide: a\nnotes-shape: footer\n",
       "line 2: notes-shape takes body, title, placeholder N or textbox"},
      {"slide: a\nnotes-shape: placeholder\n",
       "line 2: notes-shape takes body, title, placeholder N or textbox"},
      {"slide: a\nnotes-shape: placeholder 0\n",
       "line 2: notes-shape takes body, title, placeholder N or textbox"},
      {"slide: a\nnotes-shape: placeholder2\n",
       "line 2: notes-shape takes body, title, placeholder N or textbox"},
      {"start: first\nslide: a\n", "line 1: start takes a slide number"},
      {"start: 0\nslide: a\n", "line 1: start takes a slide number"},
      {"start: 3\nslide: a\nslide: b\n", "line 1: the deck has no slide 3"},
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
    ASSERT_FALSE(slide.notesPage.empty()) << slide.title;
    slidesWithBuilds += !slide.bullets.empty();
    slidesWithSeveralParagraphs += slide.notesPage[0].paragraphs.size() > 1;
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
  EXPECT_EQ(deck.slides[2].bullets.size(), 2u);
  EXPECT_EQ(deck.slides[2].bullets[1], "Point 2 of slide 3");
  EXPECT_EQ(deck.slides[4].bullets.size(), 0u);
  EXPECT_EQ(deck.slides[5].colour, 6);
  for (const Slide& slide : deck.slides) {
    ASSERT_EQ(slide.notesPage.size(), 1u);
    EXPECT_EQ(slide.notesPage[0].paragraphs.size(), 2u);
  }
  EXPECT_THAT(GenerateDeck(0).slides, IsEmpty());
}

}  // namespace
}  // namespace tandry::standin
