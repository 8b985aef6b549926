// standin.exe: the stand-in presentation program. Opens decks as presentations, shows its main
// window with the menu, connects the COM add-ins registered for the current user and registers
// its Application as the active object, so that other processes can drive it by name. See kUsage
// for the command line.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Deck.h"
#include "Host.h"

namespace tandry::standin {
namespace {

// "decks/sample.deck" -> "sample.deck"
std::string FileName(const std::string& path) { return path.substr(path.find_last_of("/\\") + 1); }

int Fail(const std::string& message) {
  std::fprintf(stderr, "standin: %s\n", message.c_str());
  return 1;
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
    hostOptions.presentations.emplace_back("Generated " + std::to_string(options.generatedSlides),
                                           GenerateDeck(options.generatedSlides));
  }

  std::unique_ptr<Host> host = Host::Start(std::move(hostOptions));
  if (!host) return Fail("cannot open the main window");
  std::fflush(stderr);

  // Every way the program ends (the menu, Quit from another process) runs inside a message.
  MSG message;
  while (!host->exited() && GetMessageW(&message, nullptr, 0, 0) > 0) {
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
