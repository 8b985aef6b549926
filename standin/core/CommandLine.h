// The stand-in's command line, and the engine session that a chosen monitor order asks for.
#pragma once

#include <string>
#include <vector>

namespace tandry::standin {

extern const char kUsage[];

struct Options {
  std::vector<std::string> deckPaths;  // opened in this order; the last one is in front
  int generatedSlides = 0;             // slides of a generated deck; 0 for none
  std::string version = "11.0";        // Application.Version
  // MonitorIndex values in show order. When given, the first presentation's show runs at once
  // on the first monitor and the driver shows earlier slides on the rest.
  std::vector<int> monitors;
  bool fourSlide = false;  // the last monitor shows four slides
};

struct ParsedOptions {
  Options options;
  std::string error;  // empty on success
  bool ok() const { return error.empty(); }
};

// Arguments without the program name:
//   [--version V] [DECKFILE... | --slides N] [--monitors M,M,... [--four-slide]]
ParsedOptions ParseCommandLine(const std::vector<std::string>& args);

// A multi-screen engine session as the add-in makes it from a monitor order: further screen k
// (0-based) is on the monitor at order position k + 1, and the four-slide window, if any, on the
// last monitor.
struct SessionPlan {
  int showMonitor = 0;
  std::vector<int> screenMonitors;  // by screen index
  int fourSlideMonitor = -1;        // -1: none
  // One monitor alone has nothing further to show, so no session is made.
  bool needsSession() const { return !screenMonitors.empty() || fourSlideMonitor >= 0; }
};

SessionPlan PlanSession(const std::vector<int>& monitors, bool fourSlide);

}  // namespace tandry::standin
