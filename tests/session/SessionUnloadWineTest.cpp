// Freeing the engine library while a session runs: the slide-show window must not be left with
// a procedure in code that is gone.
#include <windows.h>

#include <gmock/gmock.h>

#include "ShowWindowFake.h"
#include "TestBinding.h"
#include "TestWindows.h"
#include "tandrycore.h"

namespace tandry::testing {
namespace {

using wintest::DispatchVariant;
using wintest::ExportOf;
using wintest::VisibleThreadWindows;

TEST(SessionUnload, FreeingTheLibraryStopsARunningSession) {
  FakeShowWindow show{RECT{0, 0, 320, 240}};
  FakeSlideShowWindow object{show.handle()};
  HMODULE library = ::LoadLibraryA("tandrycore.dll");
  ASSERT_NE(library, nullptr);
  auto create = ExportOf<decltype(&::CreateTandrySession)>(library, "CreateTandrySession");
  auto addInfo = ExportOf<decltype(&::AddSessionInfo)>(library, "AddSessionInfo");
  auto start = ExportOf<decltype(&::StartTandrySession)>(library, "StartTandrySession");
  auto nextSlide = ExportOf<decltype(&::NextSlide)>(library, "NextSlide");
  ASSERT_TRUE(create && addInfo && start && nextSlide);

  create("Talk", DispatchVariant(&object), 1, 3, -1);
  addInfo(0, 1);
  start();
  nextSlide(2, L"");
  ASSERT_NE(::GetWindowLongPtrW(show.handle(), GWLP_WNDPROC), FakeShowWindow::OwnProcedure());

  ASSERT_TRUE(::FreeLibrary(library));
  ASSERT_EQ(::GetModuleHandleA("tandrycore.dll"), nullptr);
  EXPECT_EQ(::GetWindowLongPtrW(show.handle(), GWLP_WNDPROC), FakeShowWindow::OwnProcedure());
  EXPECT_EQ(::SendMessageW(show.handle(), WM_KEYUP, VK_SPACE, 0), 0x77);
  EXPECT_TRUE(VisibleThreadWindows(show.handle()).empty());
  EXPECT_EQ(object.references(), 1u);
}

}  // namespace
}  // namespace tandry::testing
