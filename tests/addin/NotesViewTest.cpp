// The speaker notes of a slide, and the notes view that opens with a show.
#include <gmock/gmock.h>

#include "ShowFixture.h"

namespace tandry::addin {
namespace {

using ::testing::ElementsAre;

constexpr int kPlaceholder = 14;
constexpr int kTextBox = 17;
constexpr int kTitle = 1;
constexpr int kBody = 2;

class NotesViewTest : public test::ShowFixture {};

TEST_F(NotesViewTest, TakesTheTextOfTheFirstBodyPlaceholderUnchanged) {
  const struct {
    const char* what;
    std::vector<std::tuple<int, int, std::u16string>> shapes;
    std::u16string expected;
  } cases[] = {
      {"no shapes", {}, u""},
      {"an empty body", {{kPlaceholder, kBody, u""}}, u""},
      {"two bodies", {{kPlaceholder, kBody, u"first"}, {kPlaceholder, kBody, u"second"}},
       u"first"},
      {"only a text box", {{kTextBox, kBody, u"box"}}, u""},
      {"other placeholders first",
       {{kPlaceholder, kTitle, u"title"}, {kTextBox, 0, u"box"}, {kPlaceholder, kBody, u"body"}},
       u"body"},
      {"paragraphs", {{kPlaceholder, kBody, u"one\rtwo\r\n three "}}, u"one\rtwo\r\n three "},
  };
  int slide = 0;
  for (const auto& c : cases) {
    ++slide;
    for (const auto& [type, placeholder, text] : c.shapes) {
      talk.AddNotesShape(slide, type, placeholder, text);
    }
    EXPECT_EQ(GetNotesText(talk.Slide(slide)), c.expected) << c.what;
  }
}

TEST_F(NotesViewTest, AnUnreadableNotesPageOrBodyGivesTheEmptyText) {
  talk.Slide(2)->Fail(u"NotesPage");
  EXPECT_EQ(GetNotesText(talk.Slide(2)), u"");
  EXPECT_EQ(GetNotesText(nullptr), u"");
  // The first body decides, even when its text can't be read.
  talk.AddNotesShape(1, kPlaceholder, kBody, u"body")->Fail(u"TextFrame");
  talk.AddNotesShape(1, kPlaceholder, kBody, u"second body");
  EXPECT_EQ(GetNotesText(talk.Slide(1)), u"");
  // A shape whose kind can't be read is passed over.
  talk.AddNotesShape(3, kPlaceholder, kBody, u"unknown")->Fail(u"Type");
  talk.AddNotesShape(3, kPlaceholder, kBody, u"known");
  EXPECT_EQ(GetNotesText(talk.Slide(3)), u"known");
}

TEST_F(NotesViewTest, OpensOnTheNotesMonitorInPixelsWithTitleAndFirstNotes) {
  settings().NotesMonitor = 1;
  settings().Presentation = talk.presentation;
  settings().SlideShowWindow = AsObject(talk.settings->Call(u"Run", {}));
  m.log.clear();
  OpenNotesView(m.module);
  // Slide 1 has no notes: the view still gets its title and the empty text.
  EXPECT_THAT(m.log, ElementsAre("CreateNotesView -1280 0 1280 1024",
                                 "SetNotesTitle 41 \"Talk Notes\"", "SetNotesText 41 \"\"",
                                 "ShowNotesView 41"));
  EXPECT_EQ(settings().NotesView, 41);
}

TEST_F(NotesViewTest, GoesOnWithHandleZeroAndAnEmptyRectangle) {
  settings().NotesMonitor = 7;  // not in the engine's list
  settings().Presentation = talk.presentation;
  settings().SlideShowWindow = AsObject(talk.settings->Call(u"Run", {}));
  m.declared.nextNotesView = 0;
  talk.presentation->Fail(u"Name");
  m.log.clear();
  OpenNotesView(m.module);
  EXPECT_THAT(m.log, ElementsAre("CreateNotesView 0 0 0 0", "SetNotesTitle 0 \"\"",
                                 "SetNotesText 0 \"\"", "ShowNotesView 0"));
  EXPECT_EQ(settings().NotesView, 0);
}

TEST_F(NotesViewTest, ACreateThatDoesNotRunKeepsTheOldHandle) {
  settings().NotesView = 5;
  m.declared.missing = {"CreateNotesView"};
  OpenNotesView(m.module);
  EXPECT_EQ(settings().NotesView, 5);
  EXPECT_THAT(Lines({"ShowNotesView"}), ElementsAre("ShowNotesView 5"));
}

}  // namespace
}  // namespace tandry::addin
