// The host shuts the add-in down while a start or a stop waits: in the settings dialog, in a
// message box, while the presentation program starts or ends its show. Every way of shutting
// down meets every wait; afterwards nothing of the show or the start remains, and nothing of the
// start happens after the shutdown.
#include <gmock/gmock.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "AddinConnection.h"
#include "ShowFixture.h"

namespace tandry::addin {
namespace {

using ::testing::Contains;
using ::testing::IsEmpty;

enum class Shutdown { BeginShutdown, RemovedByUser, HostGoneWithoutNotice };
enum class Wait { SettingsDialog, NoPresentationMessage, RefusalMessage, ShowRun,
                  CouldNotStartMessage, ShowExit };

class ShutdownInWaitTest : public test::ShowFixture,
                           public ::testing::WithParamInterface<std::tuple<Shutdown, Wait>> {
 protected:
  ShutdownInWaitTest() {
    app->Set(u"Version", std::u16string(u"12.0"));
    connection.OnConnection(app, /*atHostStartup=*/true, nullptr, nullptr);
    connection.OnStartupComplete();
  }

  // The shutdown, once: later waits of the same test are left alone.
  void ShutDownOnce() {
    if (std::exchange(shutDown_, true)) return;
    switch (std::get<Shutdown>(GetParam())) {
      case Shutdown::BeginShutdown: connection.OnBeginShutdown(); break;
      case Shutdown::RemovedByUser: connection.OnDisconnection(false); break;
      case Shutdown::HostGoneWithoutNotice: connection.OnDisconnection(true); break;
    }
  }

  // Arranges for the shutdown to arrive inside the wait, and presses the toggle that meets it.
  void PressIntoTheWait() {
    const test::DialogAnswer threeWithNotes{true, {1, 0, 2}, u"Talk", true, false};
    const auto shutDownOnce = [this] { ShutDownOnce(); };
    m.objects.answer = threeWithNotes;
    switch (std::get<Wait>(GetParam())) {
      case Wait::SettingsDialog: m.objects.whileShown = shutDownOnce; break;
      case Wait::NoPresentationMessage:
        app->Fail(u"ActivePresentation");
        m.messages.whileShown = shutDownOnce;
        break;
      case Wait::RefusalMessage:
        m.declared.usableMonitors = 2;
        m.messages.whileShown = shutDownOnce;
        break;
      case Wait::ShowRun:
        talk.whileRunning = shutDownOnce;
        break;
      case Wait::CouldNotStartMessage:
        talk.showFails = true;
        m.messages.whileShown = shutDownOnce;
        break;
      case Wait::ShowExit:
        StartStopShow(m.module);
        ASSERT_TRUE(state().Running);
        talk.whileExiting = shutDownOnce;
        break;
    }
    StartStopShow(m.module);
  }

  // The log after the shutdown's own lines.
  std::vector<std::string> AfterTheShutdown() const {
    const auto closed = std::find(m.log.begin(), m.log.end(), "message boxes closed");
    return closed == m.log.end() ? std::vector<std::string>{}
                                 : std::vector<std::string>(closed + 1, m.log.end());
  }

  std::size_t Count(const std::string& prefix) const { return Lines({prefix}).size(); }

  AddinConnection connection{m.module};
  bool shutDown_ = false;
};

TEST_P(ShutdownInWaitTest, LeavesNothingOfTheShowOrTheStart) {
  PressIntoTheWait();
  ASSERT_THAT(m.log, Contains("dialogs ended"));

  for (const std::string& line : AfterTheShutdown()) {
    for (const char* start : {"store ", "LockWindowUpdate desktop", "window.", "SetCursorPos",
                              "CreateNotesView", "CreateTandry", "AddSessionInfo",
                              "StartTandrySession", "RegisterShortcut", "Ssw created",
                              "message 16", "message 64"}) {
      EXPECT_NE(line.rfind(start, 0), 0u) << line << " came after the shutdown";
    }
  }
  EXPECT_EQ(Count("LockWindowUpdate desktop"), Count("LockWindowUpdate 0"));
  EXPECT_EQ(Count("CreateTandry"), Count("DestroyTandrySession"));
  EXPECT_EQ(Count("StartTandrySession"), Count("StopTandrySession"));
  EXPECT_EQ(Count("CreateNotesView"), Count("DestroyNotesView"));
  EXPECT_EQ(Count("RegisterShortcut"), Count("UnregisterShortcut"));
  EXPECT_FALSE(state().Running);
  EXPECT_EQ(state().Ssw, nullptr);
  EXPECT_EQ(state().App, nullptr);
  EXPECT_EQ(settings().ShortcutId, 0u);
  EXPECT_EQ(settings().NotesView, 0);
  EXPECT_THAT(settings().MonitorOrder, IsEmpty());
  EXPECT_FALSE(state().StartStopUnderWay);
}

INSTANTIATE_TEST_SUITE_P(
    EveryShutdownInEveryWait, ShutdownInWaitTest,
    ::testing::Combine(::testing::Values(Shutdown::BeginShutdown, Shutdown::RemovedByUser,
                                         Shutdown::HostGoneWithoutNotice),
                       ::testing::Values(Wait::SettingsDialog, Wait::NoPresentationMessage,
                                         Wait::RefusalMessage, Wait::ShowRun,
                                         Wait::CouldNotStartMessage, Wait::ShowExit)));

}  // namespace
}  // namespace tandry::addin
