// The session's call sequences, against a fake that records every call into the system and
// into larkpane.
#include "Session.h"

#include <gmock/gmock.h>

#include <limits>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace tandry {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr WindowId kHost = 77;

std::string Text(const char* path) { return path ? path : "nil"; }
std::string Dir(bool backward) { return backward ? "back" : "fwd"; }
std::string Rect(const MonitorRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.width) +
         "x" + std::to_string(r.height);
}

// Records the calls as text; bitmap paths are "p1", "p2", ... in the order they were made.
class Recorder : public ShowPlatform, public SlideWindows {
 public:
  std::vector<std::string> log;
  std::set<std::string> files;
  std::map<std::int32_t, MonitorRect> monitors{{0, {0, 0, 1920, 1080}},
                                               {1, {-1280, 0, 1280, 1024}},
                                               {2, {1920, 0, 1920, 1080}}};
  ScreenHandle nextHandle = 1;
  bool canSubclass = true;
  bool canLock = true;
  bool failNewPath = false;
  bool failLoads = false;
  std::u16string lastNotes;
  int pathsMade = 0;

  std::string NewBitmapPath() override {
    if (failNewPath) throw std::runtime_error("no GUID");
    return "p" + std::to_string(++pathsMade);
  }
  bool FileExists(const std::string& path) override { return files.count(path) != 0; }
  void RemoveFile(const std::string& path) override {
    log.push_back("delete " + path);
    files.erase(path);
  }
  void CaptureToFile(WindowId window, const std::string& path) override {
    log.push_back("capture " + std::to_string(window) + " " + path);
    files.insert(path);
  }
  bool Subclass(WindowId window) override {
    log.push_back("subclass " + std::to_string(window));
    return canSubclass;
  }
  void Unsubclass(WindowId window) override {
    log.push_back("unsubclass " + std::to_string(window));
  }
  bool LockDesktop() override {
    log.push_back("lock");
    return canLock;
  }
  void UnlockDesktop() override { log.push_back("unlock"); }
  bool MonitorRectOf(std::int32_t index, MonitorRect& rect) override {
    auto found = monitors.find(index);
    if (found == monitors.end()) return false;
    rect = found->second;
    return true;
  }

  ScreenHandle CreateSlideShow(const MonitorRect& rect) override {
    return Created("CreateSlideShow " + Rect(rect));
  }
  void LoadSlide(std::int32_t slide, ScreenHandle handle, const char* path,
                 bool backward) override {
    Load("LoadSlide " + std::to_string(slide) + " h" + std::to_string(handle) + " " +
         Text(path) + " " + Dir(backward));
  }
  void DestroySlideShow(ScreenHandle handle) override {
    log.push_back("DestroySlideShow h" + std::to_string(handle));
  }
  ScreenHandle CreateSlideShowSingleScreen(const MonitorRect& rect, bool notes) override {
    return Created("CreateFourSlide " + Rect(rect) + " notes " + std::to_string(notes));
  }
  void LoadSlideSingleScreen(std::int32_t position, std::int32_t slide, ScreenHandle handle,
                             const char* path, bool backward) override {
    Load("LoadFourSlide " + std::to_string(position) + ": " + std::to_string(slide) + " h" +
         std::to_string(handle) + " " + Text(path) + " " + Dir(backward));
  }
  void DestroySlideShowSingleScreen(ScreenHandle handle) override {
    log.push_back("DestroyFourSlide h" + std::to_string(handle));
  }
  ScreenHandle CreateSlideShowSharedSingleScreen(std::int32_t monitor, WindowId window,
                                                 bool notes) override {
    return Created("CreateShared monitor " + std::to_string(monitor) + " window " +
                   std::to_string(window) + " notes " + std::to_string(notes));
  }
  void LoadSlideSharedSingleScreen(std::int32_t position, std::int32_t slide,
                                   ScreenHandle handle, const char* path,
                                   bool backward) override {
    Load("LoadShared " + std::to_string(position) + ": " + std::to_string(slide) + " h" +
         std::to_string(handle) + " " + Text(path) + " " + Dir(backward));
  }
  void LoadNotesSingleScreen(std::int32_t slide, ScreenHandle handle,
                             const char16_t* notes) override {
    lastNotes = notes;
    log.push_back("LoadNotes " + std::to_string(slide) + " h" + std::to_string(handle));
  }
  void DestroySlideShowSharedSingleScreen(ScreenHandle handle) override {
    log.push_back("DestroyShared h" + std::to_string(handle));
  }

 private:
  ScreenHandle Created(const std::string& call) {
    const ScreenHandle handle = nextHandle ? nextHandle++ : 0;
    log.push_back(call + " -> h" + std::to_string(handle));
    return handle;
  }
  void Load(const std::string& call) {
    log.push_back(call);
    if (failLoads) throw std::runtime_error("load failed");
  }
};

class SessionTest : public ::testing::Test {
 protected:
  // Two further screens on the left and right monitors, a four-slide window on the primary.
  void StartMultiScreen(std::int32_t slides) {
    session.CreateMultiScreen("Talk", kHost, 2, slides, 0);
    session.AddSessionInfo(0, 1);
    session.AddSessionInfo(1, 2);
    session.Start();
  }
  void GoTo(std::int32_t slide) {
    session.NextSlide(slide, u"");
    fake.log.clear();
  }
  const std::vector<std::string>& Paths() { return *session.Record().bitmapPaths; }

  Recorder fake;
  Session session{fake, fake};
};

TEST_F(SessionTest, StartSubclassesBeforeOpeningTheWindowsAndLoadsNothing) {
  StartMultiScreen(8);
  EXPECT_THAT(fake.log, ElementsAre("subclass 77", "CreateSlideShow -1280,0,1280x1024 -> h1",
                                    "CreateSlideShow 1920,0,1920x1080 -> h2",
                                    "CreateFourSlide 0,0,1920x1080 notes 0 -> h3"));
  EXPECT_TRUE(session.Record().running);
  EXPECT_EQ(session.Record().currentSlide, 1);
  EXPECT_THAT(Paths(), ElementsAre("p1", "p2", "p3", "p4", "p5", "p6", "p7", "p8"));
}

TEST_F(SessionTest, ForwardLoadsEarlierSlidesThenCapturesAfterTheUnlock) {
  StartMultiScreen(8);
  GoTo(5);
  session.NextSlide(6, u"ignored");
  EXPECT_THAT(fake.log,
              ElementsAre("lock", "LoadSlide 5 h1 p5 fwd", "LoadSlide 4 h2 p4 fwd",
                          "LoadFourSlide 1: 3 h3 p3 fwd", "LoadFourSlide 2: 2 h3 p2 fwd",
                          "LoadFourSlide 3: 1 h3 p1 fwd", "LoadFourSlide 4: 0 h3 nil fwd",
                          "unlock", "capture 77 p6"));
}

TEST_F(SessionTest, BackwardAndTheSameSlideLoadBackwardAndCaptureNothing) {
  StartMultiScreen(8);
  GoTo(6);
  session.NextSlide(5, u"");
  EXPECT_THAT(fake.log,
              ElementsAre("lock", "LoadSlide 4 h1 p4 back", "LoadSlide 3 h2 p3 back",
                          "LoadFourSlide 1: 2 h3 p2 back", "LoadFourSlide 2: 1 h3 p1 back",
                          "LoadFourSlide 3: 0 h3 nil back", "LoadFourSlide 4: -1 h3 nil back",
                          "unlock"));
  fake.log.clear();
  session.NextSlide(5, u"");
  EXPECT_THAT(fake.log, ElementsAre("lock", "LoadSlide 4 h1 p4 back", "LoadSlide 3 h2 p3 back",
                                    "LoadFourSlide 1: 2 h3 p2 back",
                                    "LoadFourSlide 2: 1 h3 p1 back",
                                    "LoadFourSlide 3: 0 h3 nil back",
                                    "LoadFourSlide 4: -1 h3 nil back", "unlock"));
}

TEST_F(SessionTest, FirstSlideAfterStartShowsNoSlidesAndCountsAsBackward) {
  session.CreateMultiScreen("Talk", kHost, 2, 8, -1);
  session.Start();
  fake.log.clear();
  session.NextSlide(1, u"");
  EXPECT_THAT(fake.log, ElementsAre("lock", "LoadSlide 0 h1 nil back", "LoadSlide -1 h2 nil back",
                                    "unlock"));
}

TEST_F(SessionTest, UnsetScreensOpenOnThePrimaryMonitor) {
  session.CreateMultiScreen("Talk", kHost, 2, 3, -1);
  session.Start();
  EXPECT_THAT(fake.log, ElementsAre("subclass 77", "CreateSlideShow 0,0,1920x1080 -> h1",
                                    "CreateSlideShow 0,0,1920x1080 -> h2"));
}

TEST_F(SessionTest, SharedScreenLoadsTheNotesFirstThenThreePositions) {
  session.CreateSharedScreen("Talk", kHost, 2, 5, LowWordFlag(-1));
  session.Start();
  EXPECT_THAT(fake.log, ElementsAre("subclass 77", "CreateShared monitor 2 window 77 notes 1 -> h1"));
  GoTo(1);
  session.NextSlide(2, u"First line\r\nSecond line \u00e9");
  EXPECT_THAT(fake.log, ElementsAre("lock", "LoadNotes 2 h1", "LoadShared 1: 1 h1 p1 fwd",
                                    "LoadShared 2: 0 h1 nil fwd", "LoadShared 3: -1 h1 nil fwd",
                                    "unlock", "capture 77 p2"));
  EXPECT_EQ(fake.lastNotes, u"First line\r\nSecond line \u00e9");
}

TEST_F(SessionTest, SharedScreenWithoutNotesLoadsNoNotesAndNilNotesReadAsEmpty) {
  session.CreateSharedScreen("Talk", kHost, 0, 5, LowWordFlag(0x10000));
  session.Start();
  GoTo(3);
  session.NextSlide(2, nullptr);
  EXPECT_THAT(fake.log, ElementsAre("lock", "LoadShared 1: 1 h1 p1 back",
                                    "LoadShared 2: 0 h1 nil back", "LoadShared 3: -1 h1 nil back",
                                    "unlock"));

  Recorder other;
  Session withNotes(other, other);
  withNotes.CreateSharedScreen("Talk", kHost, 0, 5, true);
  withNotes.Start();
  other.lastNotes = u"stale";
  withNotes.NextSlide(2, nullptr);
  EXPECT_EQ(other.lastNotes, u"");
}

TEST_F(SessionTest, StopClosesWindowsThenRestoresTheProcedureThenDeletesTheFiles) {
  StartMultiScreen(3);
  GoTo(2);
  fake.files.insert("p3");
  fake.files.insert("p1.tmp");
  session.Stop();
  EXPECT_THAT(fake.log, ElementsAre("DestroySlideShow h1", "DestroySlideShow h2",
                                    "DestroyFourSlide h3", "unsubclass 77", "delete p1.tmp",
                                    "delete p2", "delete p3"));
  EXPECT_THAT(fake.files, IsEmpty());
  EXPECT_FALSE(session.Record().running);
  EXPECT_THAT(session.Record().screenHandles, ElementsAre(0, 0));
  EXPECT_EQ(session.Record().singleScreenHandle, 0);
}

TEST_F(SessionTest, StopOfASharedScreenDestroysItsWindowOnlyWhenOneWasMade) {
  session.CreateSharedScreen("Talk", kHost, 0, 2, false);
  session.Start();
  fake.log.clear();
  session.Stop();
  EXPECT_THAT(fake.log, ElementsAre("DestroyShared h1", "unsubclass 77"));

  fake.nextHandle = 0;
  session.Start();
  fake.log.clear();
  session.Stop();
  EXPECT_THAT(fake.log, ElementsAre("unsubclass 77"));
}

TEST_F(SessionTest, WindowsThatLarkpaneDidNotMake) {
  // A further screen is destroyed with its handle of 0 all the same; the four-slide window
  // is neither loaded nor destroyed.
  fake.nextHandle = 0;
  StartMultiScreen(3);
  GoTo(2);
  session.NextSlide(3, u"");
  EXPECT_THAT(fake.log, ElementsAre("lock", "LoadSlide 2 h0 p2 fwd", "LoadSlide 1 h0 p1 fwd",
                                    "unlock", "capture 77 p3"));
  fake.log.clear();
  session.Stop();
  EXPECT_THAT(fake.log, ElementsAre("DestroySlideShow h0", "DestroySlideShow h0", "unsubclass 77",
                                    "delete p2", "delete p3"));
}

TEST_F(SessionTest, StartDeletesLeftoverFilesBeforeTheWindowProcedureGoesIn) {
  session.CreateMultiScreen("Talk", kHost, 0, 3, -1);
  // A capture's temporary file, left by a crash between writing and renaming, goes too.
  fake.files = {"p1", "p2.tmp", "p3", "elsewhere", "elsewhere.tmp"};
  session.Start();
  EXPECT_THAT(fake.log, ElementsAre("delete p1", "delete p2.tmp", "delete p3", "subclass 77"));
  EXPECT_THAT(fake.files, ElementsAre("elsewhere", "elsewhere.tmp"));
}

TEST_F(SessionTest, CallsThatDoNotFitTheStateDoNothing) {
  session.Stop();
  session.NextSlide(2, u"");
  session.NextBuild();
  session.Start();  // empty: nothing to start
  session.InsertSlide(1);
  session.AddSessionInfo(0, 1);
  EXPECT_THAT(fake.log, IsEmpty());
  EXPECT_FALSE(session.Record().running);
  EXPECT_FALSE(session.Record().bitmapPaths);

  session.CreateMultiScreen("Talk", kHost, 1, 2, -1);
  session.NextSlide(2, u"");
  session.NextBuild();
  session.Stop();
  EXPECT_THAT(fake.log, IsEmpty());

  session.Start();
  fake.log.clear();
  session.Start();
  session.CreateMultiScreen("Other", 5, 4, 9, 2);
  session.CreateSharedScreen("Other", 5, 1, 9, true);
  EXPECT_THAT(fake.log, IsEmpty());
  EXPECT_EQ(session.Record().presentationName, "Talk");
  EXPECT_EQ(session.Record().hostWindow, kHost);
  EXPECT_EQ(session.Record().mode, SessionMode::MultiScreen);
  EXPECT_THAT(Paths(), ElementsAre("p1", "p2"));

  session.Stop();
  fake.log.clear();
  session.NextSlide(2, u"");
  session.NextBuild();
  session.Stop();
  EXPECT_THAT(fake.log, IsEmpty());
}

TEST_F(SessionTest, NextBuildCapturesTheCurrentSlideIntoItsOwnFile) {
  StartMultiScreen(4);
  fake.log.clear();
  session.NextBuild();
  GoTo(3);
  session.NextBuild();
  EXPECT_THAT(fake.log, ElementsAre("capture 77 p3"));
}

TEST_F(SessionTest, InsertSlideMakesANewEntryForThatSlide) {
  session.CreateMultiScreen("Talk", kHost, 1, 5, -1);
  session.InsertSlide(3);
  EXPECT_THAT(Paths(), ElementsAre("p1", "p2", "p6", "p3", "p4", "p5"));
  session.InsertSlide(7);  // right after the last slide
  session.InsertSlide(1);
  EXPECT_THAT(Paths(), ElementsAre("p8", "p1", "p2", "p6", "p3", "p4", "p5", "p7"));
  EXPECT_THAT(fake.log, IsEmpty());

  session.Start();
  GoTo(4);
  session.InsertSlide(5);  // while running: nothing captured or loaded
  EXPECT_THAT(fake.log, IsEmpty());
  EXPECT_EQ(session.Record().currentSlide, 4);
  EXPECT_EQ(Paths()[4], "p9");
}

TEST_F(SessionTest, InsertSlideOutsideTheListOrInASharedScreenChangesNothing) {
  session.CreateMultiScreen("Talk", kHost, 1, 5, -1);
  for (std::int32_t position : {0, -1, 7, std::numeric_limits<std::int32_t>::min(),
                                std::numeric_limits<std::int32_t>::max()})
    session.InsertSlide(position);
  EXPECT_THAT(Paths(), ElementsAre("p1", "p2", "p3", "p4", "p5"));

  session.CreateSharedScreen("Talk", kHost, 0, 5, false);
  session.InsertSlide(3);
  EXPECT_EQ(Paths().size(), 5u);
}

TEST_F(SessionTest, IndexLimitsKeepEveryAccessInsideTheLists) {
  session.CreateMultiScreen("Talk", kHost, -3, -3, -1);
  EXPECT_THAT(session.Record().screenMonitors, IsEmpty());
  EXPECT_THAT(session.Record().bitmapPaths.value(), IsEmpty());

  session.CreateMultiScreen("Talk", kHost, 2, 2, -1);
  session.AddSessionInfo(2, 1);
  session.AddSessionInfo(-1, 1);
  session.AddSessionInfo(1, 2);
  EXPECT_THAT(session.Record().screenMonitors, ElementsAre(0, 2));

  session.Start();
  fake.log.clear();
  // Slides beyond the list show no slide and are not captured.
  session.NextSlide(4, u"");
  EXPECT_THAT(fake.log, ElementsAre("lock", "LoadSlide 3 h1 nil fwd", "LoadSlide 2 h2 p2 fwd",
                                    "unlock"));
  fake.log.clear();
  session.NextSlide(std::numeric_limits<std::int32_t>::min(), u"");
  session.NextBuild();
  EXPECT_THAT(fake.log, ElementsAre("lock", "LoadSlide -2147483648 h1 nil back",
                                    "LoadSlide -2147483648 h2 nil back", "unlock"));
  fake.log.clear();
  session.NextSlide(std::numeric_limits<std::int32_t>::max(), u"");
  EXPECT_THAT(fake.log, ElementsAre("lock", "LoadSlide 2147483646 h1 nil fwd",
                                    "LoadSlide 2147483645 h2 nil fwd", "unlock"));
}

TEST_F(SessionTest, MonitorsOutsideTheListOpenNoWindow) {
  session.CreateMultiScreen("Talk", kHost, 2, 3, 7);
  session.AddSessionInfo(0, 5);
  session.AddSessionInfo(1, 2);
  session.Start();
  EXPECT_THAT(fake.log, ElementsAre("subclass 77", "CreateSlideShow 1920,0,1920x1080 -> h1"));
  EXPECT_THAT(session.Record().screenHandles, ElementsAre(0, 1));
  EXPECT_EQ(session.Record().singleScreenHandle, 0);
}

TEST_F(SessionTest, WithoutASlideShowWindowNothingIsSubclassedOrCaptured) {
  session.CreateMultiScreen("Talk", 0, 1, 3, -1);
  session.Start();
  session.NextSlide(2, u"");
  session.NextBuild();
  session.Stop();
  EXPECT_THAT(fake.log, ElementsAre("CreateSlideShow 0,0,1920x1080 -> h1", "lock",
                                    "LoadSlide 1 h1 p1 fwd", "unlock", "DestroySlideShow h1"));
}

TEST_F(SessionTest, AWindowThatCouldNotBeSubclassedIsNotRestored) {
  fake.canSubclass = false;
  session.CreateMultiScreen("Talk", kHost, 0, 1, -1);
  session.Start();
  session.Stop();
  EXPECT_THAT(fake.log, ElementsAre("subclass 77"));
}

TEST_F(SessionTest, TheDesktopIsUnlockedOnEveryPathThatLockedIt) {
  StartMultiScreen(3);
  GoTo(1);
  fake.failLoads = true;
  EXPECT_THROW(session.NextSlide(2, u""), std::runtime_error);
  EXPECT_THAT(fake.log, ElementsAre("lock", "LoadSlide 1 h1 p1 fwd", "unlock"));

  fake.failLoads = false;
  fake.canLock = false;
  fake.log.clear();
  session.NextSlide(3, u"");
  EXPECT_THAT(fake.log, ElementsAre("lock", "LoadSlide 2 h1 p2 fwd", "LoadSlide 1 h2 p1 fwd",
                                    "LoadFourSlide 1: 0 h3 nil fwd",
                                    "LoadFourSlide 2: -1 h3 nil fwd",
                                    "LoadFourSlide 3: -2 h3 nil fwd",
                                    "LoadFourSlide 4: -3 h3 nil fwd", "capture 77 p3"));
}

TEST_F(SessionTest, AFailedCreateLeavesThePreviousSessionWhole) {
  session.CreateMultiScreen("Talk", kHost, 2, 3, 1);
  fake.failNewPath = true;
  EXPECT_ANY_THROW(session.CreateSharedScreen("Other", 5, 2, 4, true));
  EXPECT_ANY_THROW(session.InsertSlide(1));
  const SessionRecord& record = session.Record();
  EXPECT_EQ(record.mode, SessionMode::MultiScreen);
  EXPECT_EQ(record.presentationName, "Talk");
  EXPECT_EQ(record.hostWindow, kHost);
  EXPECT_EQ(record.singleScreenMonitor, 1);
  EXPECT_THAT(Paths(), ElementsAre("p1", "p2", "p3"));
}

TEST_F(SessionTest, AStoppedSessionStartsAgainWithTheSameBitmapNames) {
  StartMultiScreen(3);
  GoTo(3);
  session.Stop();
  fake.log.clear();
  session.Start();
  EXPECT_EQ(session.Record().currentSlide, 1);
  EXPECT_THAT(Paths(), ElementsAre("p1", "p2", "p3"));
  EXPECT_THAT(fake.log, ElementsAre("subclass 77", "CreateSlideShow -1280,0,1280x1024 -> h4",
                                    "CreateSlideShow 1920,0,1920x1080 -> h5",
                                    "CreateFourSlide 0,0,1920x1080 notes 0 -> h6"));
}

TEST_F(SessionTest, DestroyEmptiesTheSessionAndANewOneOfEitherKindFollows) {
  session.CreateSharedScreen("Talk", kHost, 1, 3, true);
  session.Destroy();
  const SessionRecord& record = session.Record();
  EXPECT_FALSE(record.bitmapPaths);
  EXPECT_EQ(record.hostWindow, 0u);
  EXPECT_EQ(record.presentationName, "");
  EXPECT_EQ(record.singleScreenMonitor, 0);
  EXPECT_EQ(record.currentSlide, 0);
  EXPECT_EQ(record.mode, SessionMode::SharedScreen);  // kept, as the record's flags are
  EXPECT_TRUE(record.withNotes);

  session.CreateMultiScreen("Next", kHost, 1, 2, -1);
  session.Start();
  EXPECT_TRUE(record.running);
  EXPECT_THAT(record.screenHandles, ElementsAre(1));
  session.Stop();
  session.Destroy();
  session.CreateSharedScreen("Again", kHost, 0, 1, false);
  EXPECT_EQ(record.mode, SessionMode::SharedScreen);
  EXPECT_THAT(Paths(), ElementsAre("p6"));
}

TEST_F(SessionTest, DestroyOfARunningSessionStopsItFirst) {
  StartMultiScreen(2);
  GoTo(2);
  session.Destroy();
  EXPECT_THAT(fake.log, ElementsAre("DestroySlideShow h1", "DestroySlideShow h2",
                                    "DestroyFourSlide h3", "unsubclass 77", "delete p2"));
  EXPECT_FALSE(session.Record().running);
  EXPECT_FALSE(session.Record().bitmapPaths);
}

TEST_F(SessionTest, ReleaseAtUnloadStopsARunningSessionUnlessTheProcessEnds) {
  StartMultiScreen(2);
  fake.log.clear();
  session.Release(false);
  EXPECT_THAT(fake.log, ElementsAre("DestroySlideShow h1", "DestroySlideShow h2",
                                    "DestroyFourSlide h3", "unsubclass 77"));
  EXPECT_FALSE(session.Record().bitmapPaths);

  // At the end of the process no window is touched, but the captures are not left behind.
  Recorder ending;
  Session atExit(ending, ending);
  atExit.CreateMultiScreen("Talk", kHost, 1, 2, -1);
  atExit.Start();
  atExit.NextBuild();
  ending.log.clear();
  atExit.Release(true);
  EXPECT_THAT(ending.log, ElementsAre("delete p1"));
  EXPECT_FALSE(atExit.Record().bitmapPaths);
  EXPECT_THAT(atExit.Record().screenHandles, IsEmpty());
}

TEST(CapturesBeforeHandling, OnlyTheNavigationKeyUpsAndTheLeftAndRightButtonUps) {
  constexpr std::uint32_t kKeyDown = 0x0100, kKeyUp = 0x0101, kSysKeyUp = 0x0105;
  std::vector<std::uintptr_t> capturing;
  for (std::uintptr_t key = 0; key < 256; ++key) {
    if (CapturesBeforeHandling(kKeyUp, key)) capturing.push_back(key);
    EXPECT_FALSE(CapturesBeforeHandling(kKeyDown, key));
    EXPECT_FALSE(CapturesBeforeHandling(kSysKeyUp, key));
  }
  EXPECT_THAT(capturing,
              ElementsAre(0x08, 0x0D, 0x20, 0x21, 0x22, 0x25, 0x26, 0x27, 0x28, 0x4E, 0x50));
  EXPECT_FALSE(CapturesBeforeHandling(kKeyUp, 0x10000 + 0x20));
  EXPECT_TRUE(CapturesBeforeHandling(0x0202, 0));  // left button up
  EXPECT_TRUE(CapturesBeforeHandling(0x0205, 0));  // right button up
  for (std::uint32_t message : {0x0201u, 0x0204u, 0x0207u, 0x0208u, 0x020Au, 0x0203u})
    EXPECT_FALSE(CapturesBeforeHandling(message, 0)) << message;
}

}  // namespace
}  // namespace tandry
