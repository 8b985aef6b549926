#include "CommandLine.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace tandry::standin {

const char kUsage[] =
    "usage: standin [--monitors M,M,...] [--four-slide] (DECKFILE | --slides N)\n"
    "  Runs a slide show of DECKFILE, or of a generated deck of N slides, full screen on the\n"
    "  first monitor of the list (MonitorIndex values, primary first; default 0). With more\n"
    "  monitors the engine shows earlier slides on the others; --four-slide puts four slides on\n"
    "  the last one.\n";

namespace {

// A decimal number from `low` up to INT_MAX, the whole text.
bool ParseNumber(const std::string& text, int low, int& value) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
  errno = 0;
  const long number = std::strtol(text.c_str(), nullptr, 10);
  if (errno == ERANGE || number > INT_MAX || number < low) return false;
  value = static_cast<int>(number);
  return true;
}

bool ParseMonitorList(const std::string& text, std::vector<int>& monitors) {
  monitors.clear();
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    int monitor = 0;
    if (!ParseNumber(text.substr(start, comma - start), 0, monitor)) return false;
    if (std::find(monitors.begin(), monitors.end(), monitor) != monitors.end()) return false;
    monitors.push_back(monitor);
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

std::string Check(const Options& options) {
  if (options.deckPath.empty() && options.generatedSlides == 0) {
    return "give a deck file or --slides N";
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
      if (!hasValue || !ParseNumber(args[++i], 1, options.generatedSlides)) {
        parsed.error = "--slides takes a number of slides, at least 1";
        return parsed;
      }
    } else if (arg.rfind("--", 0) == 0 || !options.deckPath.empty()) {
      parsed.error = "unexpected argument '" + arg + "'";
      return parsed;
    } else {
      options.deckPath = arg;
    }
  }
  if (!options.deckPath.empty() && options.generatedSlides > 0) {
    parsed.error = "give either a deck file or --slides N, not both";
    return parsed;
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
