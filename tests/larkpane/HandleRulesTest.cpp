// What every larkpane function does with handles that name no window of its kind, what it
// opens for rectangles that are no monitor's, that it leaves the foreground alone, and that its
// windows go when the library is unloaded.
#include <gmock/gmock.h>

#include "LarkTestSupport.h"
#include "TestBinding.h"

namespace larktest {
namespace {

using ::testing::IsEmpty;
using tandry::wintest::ExportOf;

// Every function of larkpane with `handle`, with arguments that would show something.
void CallEverything(LarkScreenHandle handle, const char* bitmap) {
  LoadSlide(3, handle, bitmap, 0);
  LoadSlideSingleScreen(1, 3, handle, bitmap, 0);
  LoadSlideSharedSingleScreen(1, 3, handle, bitmap, 0);
  LoadNotesSingleScreen(3, handle, L"notes");
  SetNotesTitle(handle, L"title");
  SetNotesText(handle, L"text");
  ShowNotesView(handle);
  HideNotesView(handle);
  DestroySlideShow(handle);
  DestroySlideShowSingleScreen(handle);
  DestroySlideShowSharedSingleScreen(handle);
  DestroyNotesView(handle);
}

LarkScreenHandle OpenSlide(const Monitor& m) {
  return CreateSlideShow(m.left, m.top, m.width, m.height);
}
LarkScreenHandle OpenFour(const Monitor& m) {
  return CreateSlideShowSingleScreen(m.left, m.top, m.width, m.height, 0);
}
LarkScreenHandle OpenNotes(const Monitor& m) {
  return CreateNotesView(m.left, m.top, m.width, m.height);
}

class HandleRules : public ::testing::Test {
 protected:
  void SetUp() override {
    bitmap_ = temp_.Path("red.bmp");
    WriteSolidBmp(bitmap_, 32, 18, kRed);
  }
  void TearDown() override { EXPECT_THAT(LarkWindows(), IsEmpty()); }

  TempFolder temp_;
  std::string bitmap_;
};

TEST_F(HandleRules, HandleZeroDoesNothing) {
  CallEverything(0, bitmap_.c_str());
  EXPECT_THAT(LarkWindows(), IsEmpty());
}

TEST_F(HandleRules, StaleHandlesDoNothing) {
  const LarkScreenHandle slide = OpenSlide(kWindowed);
  const LarkScreenHandle four = OpenFour(kWindowed);
  const LarkScreenHandle notes = OpenNotes(kWindowed);
  ASSERT_TRUE(slide && four && notes);
  EXPECT_TRUE(slide != four && four != notes && slide != notes);
  DestroySlideShow(slide);
  DestroySlideShowSingleScreen(four);
  DestroyNotesView(notes);
  for (LarkScreenHandle stale : {slide, four, notes, notes + 1000, -5}) {
    CallEverything(stale, bitmap_.c_str());
  }
  EXPECT_THAT(LarkWindows(), IsEmpty());
  // New windows get new handles, so the stale ones can't reach them.
  const LarkScreenHandle again = OpenSlide(kWindowed);
  EXPECT_TRUE(again != slide && again != four && again != notes);
  DestroySlideShow(again);
}

TEST_F(HandleRules, AHandleOfAnotherKindDoesNothing) {
  LarkScreenHandle slide = 0;
  HWND slideWindow = CreatedWindow([] { return OpenSlide(kWindowed); }, slide);
  LarkScreenHandle notes = 0;
  HWND notesWindow = CreatedWindow([] { return OpenNotes(kWindowedLeft); }, notes);

  LoadSlideSingleScreen(1, 3, slide, bitmap_.c_str(), 0);
  LoadSlideSharedSingleScreen(1, 3, slide, bitmap_.c_str(), 0);
  DestroySlideShowSingleScreen(slide);
  DestroySlideShowSharedSingleScreen(slide);
  DestroyNotesView(slide);
  HideNotesView(slide);
  EXPECT_TRUE(::IsWindowVisible(slideWindow));
  EXPECT_EQ(ClientPixels(slideWindow).At(480, 270), kBlack);

  ShowNotesView(notes);
  LoadSlide(3, notes, bitmap_.c_str(), 0);
  DestroySlideShow(notes);
  EXPECT_TRUE(::IsWindowVisible(notesWindow));
  EXPECT_EQ(ClientPixels(notesWindow).At(320, 256), kBlack);

  DestroySlideShow(slide);
  DestroyNotesView(notes);
  EXPECT_FALSE(::IsWindow(slideWindow));
  EXPECT_FALSE(::IsWindow(notesWindow));
}

TEST_F(HandleRules, AWindowClosedByAnotherHandIsHarmless) {
  LarkScreenHandle slide = 0;
  HWND window = CreatedWindow([] { return OpenSlide(kWindowed); }, slide);
  ::DestroyWindow(window);
  LoadSlide(3, slide, bitmap_.c_str(), 0);
  DestroySlideShow(slide);
  LoadSlide(3, slide, bitmap_.c_str(), 0);
}

TEST_F(HandleRules, RectanglesThatAreNoMonitorOpenNothing) {
  EXPECT_EQ(CreateSlideShow(0, 0, 0, 0), 0);
  EXPECT_EQ(CreateSlideShow(0, 0, -1920, 1080), 0);
  EXPECT_EQ(CreateSlideShowSingleScreen(0, 0, 1920, 0, 0), 0);
  EXPECT_EQ(CreateNotesView(0, 0, 0, 0), 0);  // the add-in's rectangle of a missing monitor
  EXPECT_EQ(CreateNotesView(0x7FFFFFF0, 0, 1920, 1080), 0);
}

TEST_F(HandleRules, NoWindowTakesTheForeground) {
  ForegroundWindow front(kWindowed);
  ASSERT_EQ(::GetForegroundWindow(), front.get());
  const LarkScreenHandle slide = OpenSlide({2000, 100, 800, 600});
  const LarkScreenHandle four = OpenFour({-1200, 100, 800, 600});
  const LarkScreenHandle notes = OpenNotes({-1200, 100, 800, 600});
  const LarkScreenHandle shared = CreateSlideShowSharedSingleScreen(0, front.get(), 1);
  LoadSlide(2, slide, bitmap_.c_str(), 0);
  LoadSlideSingleScreen(1, 1, four, bitmap_.c_str(), 0);
  LoadSlideSharedSingleScreen(1, 1, shared, bitmap_.c_str(), 0);
  LoadNotesSingleScreen(2, shared, L"notes");
  SetNotesTitle(notes, L"Talk Notes");
  SetNotesText(notes, L"text");
  ShowNotesView(notes);
  PumpMessagesBriefly();
  EXPECT_EQ(::GetForegroundWindow(), front.get());
  EXPECT_EQ(::GetActiveWindow(), front.get());
  // A click on any of them, the notes view included, does not activate it either.
  const std::vector<HWND> windows = LarkWindows();
  EXPECT_EQ(windows.size(), 4u);
  for (HWND window : windows) {
    EXPECT_TRUE(::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_NOACTIVATE);
    EXPECT_EQ(::SendMessageA(window, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(window),
                             MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
  }
  HideNotesView(notes);
  DestroyNotesView(notes);
  DestroySlideShowSharedSingleScreen(shared);
  DestroySlideShowSingleScreen(four);
  DestroySlideShow(slide);
  PumpMessagesBriefly();
  EXPECT_EQ(::GetForegroundWindow(), front.get());
}

TEST_F(HandleRules, UnloadingTheLibraryClosesItsWindows) {
  // A second copy of the library, so that it really unloads.
  char own[MAX_PATH] = {};
  ::GetModuleFileNameA(::GetModuleHandleA("larkpane.dll"), own, MAX_PATH);
  const std::string copy = temp_.Path("larkpane-copy.dll");
  ASSERT_TRUE(::CopyFileA(own, copy.c_str(), FALSE));
  HMODULE library = ::LoadLibraryA(copy.c_str());
  ASSERT_NE(library, nullptr);
  using Create = LarkScreenHandle(__stdcall*)(std::int32_t, std::int32_t, std::int32_t,
                                              std::int32_t);
  const Create create = ExportOf<Create>(library, "CreateSlideShow");
  const Create createNotes = ExportOf<Create>(library, "CreateNotesView");
  ASSERT_TRUE(create && createNotes);
  LarkScreenHandle handle = 0;
  HWND slide = CreatedWindow([&] { return create(100, 80, 960, 540); }, handle);
  HWND notes = CreatedWindow([&] { return createNotes(100, 80, 960, 540); }, handle);
  ASSERT_TRUE(slide && notes);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  ASSERT_TRUE(::GetClassInfoExA(library, "LarkPaneSlides", &wc));
  ::FreeLibrary(library);
  EXPECT_FALSE(::IsWindow(slide));
  EXPECT_FALSE(::IsWindow(notes));
  // Nor are its window classes left behind, pointing at code that is gone.
  EXPECT_FALSE(::GetClassInfoExA(library, "LarkPaneSlides", &wc));
  EXPECT_FALSE(::GetClassInfoExA(library, "LarkPaneNotes", &wc));
  PumpMessagesBriefly();  // nothing is left that would call into the unloaded code
}

}  // namespace
}  // namespace larktest
