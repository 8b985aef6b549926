#include "CommandLine.h"

#include "Decimal.h"

namespace tandry::standin {

const char kUsage[] =
    "usage: standin [--version V] [DECKFILE... | --slides N]\n"
    "  Opens each DECKFILE, or a generated deck of N slides, as a presentation (the last one in\n"
    "  front), reports version V (default 11.0) and connects the add-ins registered for the\n"
    "  current user.\n";

namespace {

// "major.minor", as the presentation program writes its version.
bool IsVersion(const std::string& text) {
  const std::size_t dot = text.find('.');
  int part = 0;
  return dot != std::string::npos && ParseDecimal(std::string_view(text).substr(0, dot), 0, part) &&
         ParseDecimal(std::string_view(text).substr(dot + 1), 0, part);
}

std::string Check(const Options& options) {
  if (!options.deckPaths.empty() && options.generatedSlides > 0) {
    return "give either deck files or --slides N, not both";
  }
  return {};
}

}  // namespace

ParsedOptions ParseCommandLine(const std::vector<std::string>& args) {
  ParsedOptions parsed;
  Options& options = parsed.options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--slides") {
      if (!hasValue || !ParseDecimal(args[++i], 1, options.generatedSlides)) {
        parsed.error = "--slides takes a number of slides, at least 1";
        return parsed;
      }
    } else if (arg == "--version") {
      if (!hasValue || !IsVersion(args[++i])) {
        parsed.error = "--version takes a version such as 11.0";
        return parsed;
      }
      options.version = args[i];
    } else if (arg.rfind("--", 0) == 0) {
      parsed.error = "unexpected argument '" + arg + "'";
      return parsed;
    } else {
      options.deckPaths.push_back(arg);
    }
  }
  parsed.error = Check(options);
  return parsed;
}

}  // namespace tandry::standin
