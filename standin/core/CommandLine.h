// The stand-in's command line.
#pragma once

#include <string>
#include <vector>

namespace tandry::standin {

extern const char kUsage[];

struct Options {
  std::vector<std::string> deckPaths;  // opened in this order; the last one is in front
  int generatedSlides = 0;             // slides of a generated deck; 0 for none
  std::string version = "11.0";        // Application.Version
};

struct ParsedOptions {
  Options options;
  std::string error;  // empty on success
  bool ok() const { return error.empty(); }
};

// Arguments without the program name:
//   [--version V] [DECKFILE... | --slides N]
ParsedOptions ParseCommandLine(const std::vector<std::string>& args);

}  // namespace tandry::standin
