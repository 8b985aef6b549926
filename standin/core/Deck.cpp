#include "Deck.h"

#include <fstream>
#include <sstream>

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

// Applies one non-blank, non-comment line to the deck; returns what is wrong with it, if anything.
std::string ApplyLine(std::string_view line, Deck& deck) {
  const auto colon = line.find(':');
  if (colon == std::string_view::npos) return "expected 'slide:', 'bullet:' or 'note:'";
  const std::string_view keyword = Trim(line.substr(0, colon));
  const std::string text(Trim(line.substr(colon + 1)));
  if (keyword == "slide") {
    if (text.empty()) return "a slide needs a title";
    deck.slides.push_back(Slide{text, {}, {}});
    return {};
  }
  if (keyword != "bullet" && keyword != "note") {
    return "unknown keyword '" + std::string(keyword) + "'";
  }
  if (deck.slides.empty()) return std::string(keyword) + " before the first slide";
  Slide& slide = deck.slides.back();
  if (keyword == "note") {
    slide.notes.push_back(text);  // an empty paragraph is a paragraph too
    return {};
  }
  if (text.empty()) return "a bullet needs some text";
  slide.bullets.push_back(text);
  return {};
}

}  // namespace

DeckParseResult ParseDeck(std::string_view text) {
  DeckParseResult result;
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  int lineNumber = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNumber;
    const std::string_view content = Trim(line);
    if (content.empty() || content.front() == '#') continue;
    std::string error = ApplyLine(content, result.deck);
    if (!error.empty()) {
      result.error = LineError(lineNumber, error);
      return result;
    }
  }
  if (result.deck.slides.empty()) result.error = "the deck has no slides";
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
    Slide slide{"Slide " + number, {}, {}};
    for (int b = 1; b <= (k - 1) % 4; ++b) {
      slide.bullets.push_back("Point " + std::to_string(b) + " of slide " + number);
    }
    slide.notes = {"Notes of slide " + number + ".",
                   "Second paragraph of the notes of slide " + number + "."};
    deck.slides.push_back(std::move(slide));
  }
  return deck;
}

std::vector<int> BuildCounts(const Deck& deck) {
  std::vector<int> counts;
  for (const Slide& slide : deck.slides) counts.push_back(static_cast<int>(slide.bullets.size()));
  return counts;
}

}  // namespace tandry::standin
