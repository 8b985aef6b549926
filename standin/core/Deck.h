// A deck of slides for the stand-in presentation program, and its small text format:
//
//   # a comment; blank lines are ignored as well
//   start: 3                          the show starts on slide 3 (default 1)
//   slide: Title of the slide         starts a new slide
//   bullet: A bullet line             one line per build step, shown in order
//   note: A paragraph of the notes    one paragraph of the notes page's current shape; the first
//                                     note line of a slide starts its body placeholder
//   notes-shape: KIND                 starts a further shape on the notes page, in page order;
//                                     the note lines after it are its paragraphs. KIND is body,
//                                     title, placeholder N (placeholder type N) or textbox.
//
// Keywords are lower case and followed by a colon; the text after it is trimmed. Files are UTF-8
// (a leading byte-order mark is skipped) with LF or CRLF line ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tandry::standin {

// A shape on a slide's notes page: a placeholder of a given type, or a plain text box.
struct NotesShape {
  bool placeholder = true;
  int placeholderType = 2;              // 1 title, 2 body, ...; placeholders only
  std::vector<std::string> paragraphs;  // its text, one entry per paragraph
};

struct Slide {
  std::string title;
  std::vector<std::string> bullets;  // one per build step
  std::vector<NotesShape> notesPage;  // in page order
  // The number whose background colour the slide wears (SlideBackground); it stays with the
  // slide when slides are inserted before it.
  int colour = 1;
  bool displayMasterShapes = true;  // the slide number in the corner
};

struct Deck {
  std::vector<Slide> slides;
  int startSlide = 1;  // where a show of the deck starts
};

struct DeckParseResult {
  Deck deck;
  std::string error;  // empty on success, else "line N: what is wrong"
  bool ok() const { return error.empty(); }
};

// A deck needs at least one slide; every slide a title, every bullet some text, the start slide
// a slide of the deck.
DeckParseResult ParseDeck(std::string_view text);

// Reads and parses a deck file; a file that can't be read is an error too.
DeckParseResult LoadDeckFile(const std::string& path);

// A deck of `slideCount` slides for tests and benchmarks: slide k is titled "Slide k", has
// (k - 1) mod 4 bullets and a body placeholder with two paragraphs of notes.
Deck GenerateDeck(int slideCount);

// The slide that the blank layout makes: no title, no bullets, an empty body placeholder on its
// notes page, wearing colour `colour`.
Slide BlankSlide(int colour);

// A shape's whole text as the presentation program gives it: paragraphs separated by CR.
std::string ShapeText(const NotesShape& shape);

}  // namespace tandry::standin
