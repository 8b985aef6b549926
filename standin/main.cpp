// standin.exe: the stand-in presentation program. Runs a slide show of a deck full screen on a
// chosen monitor, as the presentation program would, and, given further monitors, lets the
// engine show the earlier slides on them. See kUsage for the command line.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ApplicationObject.h"
#include "CommandLine.h"
#include "Deck.h"
#include "Driver.h"
#include "Monitors.h"
#include "SlideShowWindowObject.h"

namespace tandry::standin {
namespace {

// "decks/sample.deck" -> "sample"
std::string PresentationName(const Options& options) {
  if (options.deckPath.empty()) return "Generated " + std::to_string(options.generatedSlides);
  std::string name = options.deckPath.substr(options.deckPath.find_last_of("/\\") + 1);
  const auto dot = name.find_last_of('.');
  return dot == 0 || dot == std::string::npos ? name : name.substr(0, dot);
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "standin: %s\n", message.c_str());
  return 1;
}

int Run(const Options& options) {
  DeckParseResult loaded;
  if (options.deckPath.empty()) {
    loaded.deck = GenerateDeck(options.generatedSlides);
  } else {
    loaded = LoadDeckFile(options.deckPath);
  }
  if (!loaded.ok()) return Fail(loaded.error);

  for (int monitor : options.monitors) {
    RECT unused;
    if (!MonitorRectByIndex(monitor, unused)) {
      return Fail("there is no monitor " + std::to_string(monitor) + " (monitors 0 to " +
                  std::to_string(MonitorCount() - 1) + ")");
    }
  }
  RECT showMonitor;
  MonitorRectByIndex(options.monitors.front(), showMonitor);

  const std::string name = PresentationName(options);
  const int slideCount = static_cast<int>(loaded.deck.slides.size());
  ScopedComPtr<ApplicationObject> app = ApplicationObject::Create();
  ScopedComPtr<SlideShowWindowObject> show =
      app->RunShow(std::move(loaded.deck), name, showMonitor);
  if (!show) return Fail("cannot open the slide show window");

  ScopedComPtr<Driver> driver;
  const SessionPlan plan = PlanSession(options.monitors, options.fourSlide);
  if (plan.needsSession()) {
    driver = Driver::Start(*app.get(), *show.get(), name, slideCount, plan);
    if (!driver)
      std::fprintf(stderr, "standin: tandrycore.dll is not usable; the show runs alone\n");
  }
  std::fflush(stderr);

  // Every way the show ends (keys, a click, Exit from a notification) runs inside a message.
  MSG message;
  while (show->window() && GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

}  // namespace
}  // namespace tandry::standin

int main(int argc, char** argv) {
  using namespace tandry::standin;
  const ParsedOptions parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.ok()) {
    std::fprintf(stderr, "standin: %s\n%s", parsed.error.c_str(), kUsage);
    return 2;
  }
  return Run(parsed.options);
}
