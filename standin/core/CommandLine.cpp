#include "CommandLine.h"

#include <algorithm>

#include "Decimal.h"

namespace tandry::standin {

const char kUsage[] =
    "usage: standin [--version V] [DECKFILE... | --slides N] [--monitors M,M,... [--four-slide]]\n"
    "  Opens each DECKFILE, or a generated deck of N slides, as a presentation (the last one in\n"
    "  front), reports version V (default 11.0) and connects the add-ins registered for the\n"
    "  current user. --monitors runs the first presentation's show at once on the first monitor\n"
    "  of the list (MonitorIndex values, primary first) and lets the engine show earlier slides\n"
    "  on the others, --four-slide four of them on the last; the program then ends with the\n"
    "  show.\n";

namespace {

bool ParseMonitorList(const std::string& text, std::vector<int>& monitors) {
  monitors.clear();
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    int monitor = 0;
    if (!ParseDecimal(std::string_view(text).substr(start, comma - start), 0, monitor)) {
      return false;
    }
    if (std::find(monitors.begin(), monitors.end(), monitor) != monitors.end()) return false;
    monitors.push_back(monitor);
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

// "major.minor", as the presentation program writes its version.
bool IsVersion(const std::string& text) {
  const std::size_t dot = text.find('.');
  int part = 0;
  return dot != std::string::npos &&
         ParseDecimal(std::string_view(text).substr(0, dot), 0, part) &&
         ParseDecimal(std::string_view(text).substr(dot + 1), 0, part);
}

std::string Check(const Options& options) {
  if (!options.deckPaths.empty() && options.generatedSlides > 0) {
    return "give either deck files or --slides N, not both";
  }
  if (!options.monitors.empty() && options.deckPaths.empty() && options.generatedSlides == 0) {
    return "--monitors needs a deck to show";
  }
  if (options.fourSlide && options.monitors.size() < 2) {
    return "--four-slide needs at least two monitors";
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
    if (arg == "--monitors") {
      if (!hasValue || !ParseMonitorList(args[++i], options.monitors)) {
        parsed.error = "--monitors takes distinct monitor numbers separated by commas";
        return parsed;
      }
    } else if (arg == "--four-slide") {
      options.fourSlide = true;
    } else if (arg == "--slides") {
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

SessionPlan PlanSession(const std::vector<int>& monitors, bool fourSlide) {
  SessionPlan plan;
  if (monitors.empty()) return plan;
  plan.showMonitor = monitors.front();
  std::size_t furtherEnd = monitors.size();
  if (fourSlide && monitors.size() >= 2) {
    plan.fourSlideMonitor = monitors.back();
    --furtherEnd;
  }
  plan.screenMonitors.assign(monitors.begin() + 1, monitors.begin() + furtherEnd);
  return plan;
}

}  // namespace tandry::standin
