#include "Deck.h"

#include <fstream>
#include <sstream>

#include "Decimal.h"

namespace tandry::standin {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

std::string LineError(int line, std::string_view what) {
  return "line " + std::to_string(line) + ": " + std::string(what);
}

// "body", "title", "placeholder N" or "textbox".
bool ParseNotesShape(std::string_view kind, NotesShape& shape) {
  constexpr std::string_view kPlaceholder = "placeholder";
  shape = NotesShape{};
  if (kind == "body") return true;
  if (kind == "title") {
    shape.placeholderType = 1;
    return true;
  }
  if (kind == "textbox") {
    shape.placeholder = false;
    shape.placeholderType = 0;
    return true;
  }
  if (kind.substr(0, kPlaceholder.size()) != kPlaceholder) return false;
  const std::string_view rest = kind.substr(kPlaceholder.size());
  return !rest.empty() && (rest.front() == ' ' || rest.front() == '\t') &&
         ParseDecimal(Trim(rest), 1, shape.placeholderType);
}

// What one line of a deck adds; the parser keeps where the start line was.
struct Parser {
  Deck deck;
  int startLine = 0;

  // Applies one non-blank, non-comment line; returns what is wrong with it, if anything.
  std::string Apply(std::string_view line, int lineNumber) {
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) {
      return "expected 'slide:', 'bullet:', 'note:', 'notes-shape:' or 'start:'";
    }
    const std::string_view keyword = Trim(line.substr(0, colon));
    const std::string text(Trim(line.substr(colon + 1)));
    if (keyword == "start") {
      if (!ParseDecimal(text, 1, deck.startSlide)) return "start takes a slide number";
      startLine = lineNumber;
      return {};
    }
    if (keyword == "slide") {
      if (text.empty()) return "a slide needs a title";
      Slide slide;
      slide.title = text;
      slide.colour = static_cast<int>(deck.slides.size()) + 1;
      deck.slides.push_back(std::move(slide));
      return {};
    }
    if (keyword != "bullet" && keyword != "note" && keyword != "notes-shape") {
      return "unknown keyword '" + std::string(keyword) + "'";
    }
    if (deck.slides.empty()) return std::string(keyword) + " before the first slide";
    Slide& slide = deck.slides.back();
    if (keyword == "note") {
      if (slide.notesPage.empty()) slide.notesPage.emplace_back();
      slide.notesPage.back().paragraphs.push_back(text);  // an empty paragraph is one too
      return {};
    }
    if (keyword == "notes-shape") {
      NotesShape shape;
      if (!ParseNotesShape(text, shape)) {
        return "notes-shape takes body, title, placeholder N or textbox";
      }
      slide.notesPage.push_back(std::move(shape));
      return {};
    }
    if (text.empty()) return "a bullet needs some text";
    slide.bullets.push_back(text);
    return {};
  }
};

}  // namespace

DeckParseResult ParseDeck(std::string_view text) {
  DeckParseResult result;
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  Parser parser;
  int lineNumber = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNumber;
    const std::string_view content = Trim(line);
    if (content.empty() || content.front() == '#') continue;
    const std::string error = parser.Apply(content, lineNumber);
    if (!error.empty()) {
      result.error = LineError(lineNumber, error);
      return result;
    }
  }
  result.deck = std::move(parser.deck);
  const int slideCount = static_cast<int>(result.deck.slides.size());
  if (slideCount == 0) {
    result.error = "the deck has no slides";
  } else if (result.deck.startSlide > slideCount) {
    result.error = LineError(parser.startLine, "the deck has no slide " +
                                                   std::to_string(result.deck.startSlide));
  }
  return result;
}

DeckParseResult LoadDeckFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    DeckParseResult result;
    result.error = "cannot read " + path;
    return result;
  }
  std::ostringstream content;
  content << file.rdbuf();
  DeckParseResult result = ParseDeck(content.str());
  if (!result.ok()) result.error = path + ": " + result.error;
  return result;
}

Deck GenerateDeck(int slideCount) {
  Deck deck;
  for (int k = 1; k <= slideCount; ++k) {
    const std::string number = std::to_string(k);
    Slide slide;
    slide.title = "Slide " + number;
    slide.colour = k;
    for (int b = 1; b <= (k - 1) % 4; ++b) {
      slide.bullets.push_back("Point " + std::to_string(b) + " of slide " + number);
    }
    NotesShape body;
    body.paragraphs = {"Notes of slide " + number + ".",
                       "Second paragraph of the notes of slide " + number + "."};
    slide.notesPage.push_back(std::move(body));
    deck.slides.push_back(std::move(slide));
  }
  return deck;
}

Slide BlankSlide(int colour) {
  Slide slide;
  slide.colour = colour;
  slide.notesPage.emplace_back();
  return slide;
}

std::string ShapeText(const NotesShape& shape) {
  std::string text;
  for (std::size_t i = 0; i < shape.paragraphs.size(); ++i) {
    if (i > 0) text += '\r';
    text += shape.paragraphs[i];
  }
  return text;
}

}  // namespace tandry::standin
