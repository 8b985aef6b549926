// A deck of slides for the stand-in presentation program, and its small text format:
//
//   # a comment; blank lines are ignored as well
//   slide: Title of the slide        starts a new slide
//   bullet: A bullet line            one line per build step, shown in order
//   note: A paragraph of the notes   one paragraph of the slide's speaker notes
//
// Keywords are lower case and followed by a colon; the text after it is trimmed. Files are UTF-8
// (a leading byte-order mark is skipped) with LF or CRLF line ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tandry::standin {

struct Slide {
  std::string title;
  std::vector<std::string> bullets;  // one per build step
  std::vector<std::string> notes;    // paragraphs
};

struct Deck {
  std::vector<Slide> slides;
};

struct DeckParseResult {
  Deck deck;
  std::string error;  // empty on success, else "line N: what is wrong"
  bool ok() const { return error.empty(); }
};

// A deck needs at least one slide; every slide a title, every bullet some text.
DeckParseResult ParseDeck(std::string_view text);

// Reads and parses a deck file; a file that can't be read is an error too.
DeckParseResult LoadDeckFile(const std::string& path);

// A deck of `slideCount` slides for tests and benchmarks: slide k is titled "Slide k", has
// (k - 1) mod 4 bullets and two paragraphs of notes.
Deck GenerateDeck(int slideCount);

// How many build steps each slide has, in slide order.
std::vector<int> BuildCounts(const Deck& deck);

}  // namespace tandry::standin
