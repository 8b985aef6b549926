// standin.exe: the stand-in presentation program. Opens decks as presentations, shows its main
// window with the menu, connects the COM add-ins registered for the current user and registers
// its Application as the active object, so that other processes can drive it by name. Given
// monitors, it also runs the first presentation's show at once with the driver in the add-in's
// part, and then ends with the show. See kUsage for the command line.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Deck.h"
#include "Driver.h"
#include "Host.h"
#include "Monitors.h"
#include "PresentationObject.h"
#include "SlideShowWindowObject.h"

namespace tandry::standin {
namespace {

// "decks/sample.deck" -> "sample.deck"
std::string FileName(const std::string& path) {
  return path.substr(path.find_last_of("/\\") + 1);
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "standin: %s\n", message.c_str());
  return 1;
}

// Runs the first presentation's show on the first monitor, with the driver showing earlier
// slides on the others; false when the show can't start.
bool RunDriverShow(Host& host, const Options& options, ScopedComPtr<SlideShowWindowObject>& show,
                   ScopedComPtr<Driver>& driver) {
  PresentationObject& presentation = *host.app().presentations().front().get();
  RECT monitor;
  MonitorRectByIndex(options.monitors.front(), monitor);
  show = presentation.RunShow(monitor);
  if (!show) return false;
  const SessionPlan plan = PlanSession(options.monitors, options.fourSlide);
  if (plan.needsSession()) {
    driver = Driver::Start(host.app(), *show.get(), presentation.name(),
                           presentation.slideCount(), plan);
    if (!driver) {
      std::fprintf(stderr, "standin: tandrycore.dll is not usable; the show runs alone\n");
    }
  }
  return true;
}

int Run(const Options& options) {
  HostOptions hostOptions;
  hostOptions.version = options.version;
  hostOptions.registeredAddIns = true;
  hostOptions.keepControls = true;
  hostOptions.activeObject = true;
  for (const std::string& path : options.deckPaths) {
    DeckParseResult loaded = LoadDeckFile(path);
    if (!loaded.ok()) return Fail(loaded.error);
    hostOptions.presentations.emplace_back(FileName(path), std::move(loaded.deck));
  }
  if (options.generatedSlides > 0) {
    hostOptions.presentations.emplace_back(
        "Generated " + std::to_string(options.generatedSlides),
        GenerateDeck(options.generatedSlides));
  }
  for (int monitor : options.monitors) {
    RECT unused;
    if (!MonitorRectByIndex(monitor, unused)) {
      return Fail("there is no monitor " + std::to_string(monitor) + " (monitors 0 to " +
                  std::to_string(MonitorCount() - 1) + ")");
    }
  }

  std::unique_ptr<Host> host = Host::Start(std::move(hostOptions));
  if (!host) return Fail("cannot open the main window");
  ScopedComPtr<SlideShowWindowObject> show;
  ScopedComPtr<Driver> driver;
  if (!options.monitors.empty() && !RunDriverShow(*host, options, show, driver)) {
    return Fail("cannot open the slide show window");
  }
  std::fflush(stderr);

  // Every way the program ends (the menu, Quit from another process, the end of the driver's
  // show) runs inside a message.
  MSG message;
  while (!host->exited() && (!show || show->window()) && GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  host->Exit();
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
