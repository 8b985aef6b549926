// Capture into bitmap files, and the slide-show window behind an automation object.
#include <windows.h>

#include <gmock/gmock.h>

#include <cstdint>
#include <string>
#include <vector>

#include "PPTUtils.h"
#include "PrintWindow.h"
#include "SharedUnit.h"
#include "ShowWindowFake.h"
#include "TestBinding.h"
#include "TestFiles.h"

namespace tandry::testing {
namespace {

using ::testing::ElementsAre;
using wintest::BitmapFilePixel;
using wintest::DispatchVariant;
using wintest::FileExists;
using wintest::ReadBytes;
using wintest::WriteBytes;

// What the print function was asked for, and whether the full-content print works.
std::vector<UINT> g_printFlags;
bool g_fullContentWorks = true;
bool g_plainPrintWorks = true;

BOOL WINAPI RecordingPrintWindow(HWND window, HDC dc, UINT flags) {
  g_printFlags.push_back(flags);
  if ((flags == 2 && !g_fullContentWorks) || (flags == 0 && !g_plainPrintWorks)) return FALSE;
  return ::PrintWindow(window, dc, flags);
}

class CaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BindPrintWindow();
    RemoveFiles();
  }
  void TearDown() override {
    RemoveFiles();
    BindPrintWindow();
  }
  void RemoveFiles() {
    ::DeleteFileA(path.c_str());
    ::DeleteFileA((path + ".tmp").c_str());
  }
  void ExpectSlideInFile(int slide) {
    const Quadrants colours = QuadrantsOf(slide);
    SIZE size{};
    EXPECT_EQ(BitmapFilePixel(path, 80, 60, &size), colours.topLeft);
    EXPECT_EQ(BitmapFilePixel(path, 240, 60), colours.topRight);
    EXPECT_EQ(BitmapFilePixel(path, 80, 180), colours.bottomLeft);
    EXPECT_EQ(BitmapFilePixel(path, 240, 180), colours.bottomRight);
    EXPECT_EQ(size.cx, 320);
    EXPECT_EQ(size.cy, 240);
  }

  FakeShowWindow window{RECT{100, 50, 420, 290}};
  std::string path = GetTempDir() + "tandry-capture-test.bmp";
};

TEST_F(CaptureTest, BindsThePrintFunctionOfUser32) {
  EXPECT_EQ(reinterpret_cast<void*>(PrintWindowFunc),
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"),
                                                     "PrintWindow")));
}

TEST_F(CaptureTest, TheFileHoldsThePaintedPixelsOfTheWholeWindow) {
  ASSERT_TRUE(CaptureWindowToFile(window.handle(), path));
  ExpectSlideInFile(1);
  EXPECT_FALSE(FileExists(path + ".tmp"));

  window.slide = 2;
  ASSERT_TRUE(CaptureWindowToFile(window.handle(), path));
  ExpectSlideInFile(2);
}

TEST_F(CaptureTest, AsksForFullContentAndForFlagsZeroOnlyWhenThatFails) {
  PrintWindowFunc = RecordingPrintWindow;
  g_printFlags.clear();
  g_fullContentWorks = true;
  ASSERT_TRUE(CaptureWindowToFile(window.handle(), path));
  EXPECT_THAT(g_printFlags, ElementsAre(2u));

  g_printFlags.clear();
  g_fullContentWorks = false;
  window.slide = 3;
  ASSERT_TRUE(CaptureWindowToFile(window.handle(), path));
  EXPECT_THAT(g_printFlags, ElementsAre(2u, 0u));
  ExpectSlideInFile(3);

  // Neither print works: nothing worth a file, and the earlier capture stays.
  g_plainPrintWorks = false;
  window.slide = 4;
  EXPECT_FALSE(CaptureWindowToFile(window.handle(), path));
  ExpectSlideInFile(3);
  g_fullContentWorks = g_plainPrintWorks = true;
}

TEST_F(CaptureTest, WithoutAPrintFunctionNothingIsWrittenAndAnEarlierFileStays) {
  const std::vector<std::uint8_t> earlier{'e', 'a', 'r', 'l', 'i', 'e', 'r'};
  WriteBytes(path, earlier);
  PrintWindowFunc = nullptr;
  EXPECT_FALSE(CaptureWindowToFile(window.handle(), path));
  EXPECT_EQ(ReadBytes(path), earlier);
  ::DeleteFileA(path.c_str());
  EXPECT_FALSE(CaptureWindowToFile(window.handle(), path));
  EXPECT_FALSE(FileExists(path));
}

TEST_F(CaptureTest, AWindowThatIsGoneLeavesNoFile) {
  HWND gone;
  {
    FakeShowWindow closed{RECT{0, 0, 50, 50}};
    gone = closed.handle();
  }
  EXPECT_FALSE(CaptureWindowToFile(gone, path));
  EXPECT_FALSE(CaptureWindowToFile(nullptr, path));
  EXPECT_FALSE(FileExists(path));
  EXPECT_FALSE(FileExists(path + ".tmp"));
}

TEST_F(CaptureTest, AFileThatCanNotBeWrittenLeavesNothingBehind) {
  const std::string missingDirectory = GetTempDir() + "tandry-no-such-dir\\slide.bmp";
  EXPECT_FALSE(CaptureWindowToFile(window.handle(), missingDirectory));
  EXPECT_FALSE(FileExists(missingDirectory + ".tmp"));

  // A directory where the file should go can't be replaced: the temporary file goes again.
  ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr));
  EXPECT_FALSE(CaptureWindowToFile(window.handle(), path));
  EXPECT_FALSE(FileExists(path + ".tmp"));
  EXPECT_TRUE(::RemoveDirectoryA(path.c_str()));
}

class SlideShowWindowObject : public ::testing::Test {
 protected:
  FakeShowWindow window{RECT{0, 0, 200, 100}};
  FakeSlideShowWindow object{window.handle()};
};

TEST_F(SlideShowWindowObject, GivesTheHwndPropertyAndReleasesWhatItTook) {
  VARIANT byDispatch = DispatchVariant(&object);
  EXPECT_EQ(GetSlideShowWindowHandle(byDispatch), window.handle());

  VARIANT byUnknown = byDispatch;
  V_VT(&byUnknown) = VT_UNKNOWN;
  EXPECT_EQ(GetSlideShowWindowHandle(byUnknown), window.handle());

  IDispatch* dispatch = &object;
  VARIANT byReference;
  V_VT(&byReference) = VT_DISPATCH | VT_BYREF;
  V_DISPATCHREF(&byReference) = &dispatch;
  EXPECT_EQ(GetSlideShowWindowHandle(byReference), window.handle());
  V_VT(&byReference) = VT_UNKNOWN | VT_BYREF;
  EXPECT_EQ(GetSlideShowWindowHandle(byReference), window.handle());

  EXPECT_EQ(object.references(), 1u);
}

TEST_F(SlideShowWindowObject, GivesZeroForAnythingElse) {
  VARIANT empty;
  ::VariantInit(&empty);
  EXPECT_EQ(GetSlideShowWindowHandle(empty), nullptr);
  EXPECT_EQ(GetSlideShowWindowHandle(DispatchVariant(nullptr)), nullptr);

  VARIANT number;
  V_VT(&number) = VT_I4;
  V_I4(&number) = static_cast<LONG>(reinterpret_cast<LONG_PTR>(window.handle()));
  EXPECT_EQ(GetSlideShowWindowHandle(number), nullptr);

  VARIANT nilReference;
  V_VT(&nilReference) = VT_DISPATCH | VT_BYREF;
  V_DISPATCHREF(&nilReference) = nullptr;
  EXPECT_EQ(GetSlideShowWindowHandle(nilReference), nullptr);

  PlainDispatch plain;
  EXPECT_EQ(GetSlideShowWindowHandle(DispatchVariant(&plain)), nullptr);
  EXPECT_EQ(plain.references(), 1u);

  object.failHwnd = true;
  EXPECT_EQ(GetSlideShowWindowHandle(DispatchVariant(&object)), nullptr);
  EXPECT_EQ(object.references(), 1u);
}

TEST_F(SlideShowWindowObject, ActivateBringsTheWindowToTheFrontAndRestoresIt) {
  FakeShowWindow other{RECT{300, 0, 400, 100}};
  ASSERT_TRUE(::SetForegroundWindow(other.handle()));
  ::ShowWindow(window.handle(), SW_MINIMIZE);
  ASSERT_TRUE(::IsIconic(window.handle()));

  ActivateSlideShow(DispatchVariant(&object));
  EXPECT_EQ(::GetForegroundWindow(), window.handle());
  EXPECT_FALSE(::IsIconic(window.handle()));
  EXPECT_TRUE(::IsWindowVisible(window.handle()));
  EXPECT_EQ(object.references(), 1u);
}

TEST_F(SlideShowWindowObject, ActivateLeavesAWindowAlreadyInFrontAsItIs) {
  ASSERT_TRUE(::SetForegroundWindow(window.handle()));
  // Minimised by its style alone, so that it stays the foreground window.
  ::SetWindowLongPtrW(window.handle(), GWL_STYLE,
                      ::GetWindowLongPtrW(window.handle(), GWL_STYLE) | WS_MINIMIZE);
  ASSERT_EQ(::GetForegroundWindow(), window.handle());
  ActivateSlideShow(DispatchVariant(&object));
  // Not even restored: the window was in front already.
  EXPECT_TRUE(::IsIconic(window.handle()));
}

TEST_F(SlideShowWindowObject, ActivateWithoutASlideShowWindowDoesNothing) {
  FakeShowWindow other{RECT{300, 0, 400, 100}};
  ASSERT_TRUE(::SetForegroundWindow(other.handle()));
  VARIANT empty;
  ::VariantInit(&empty);
  ActivateSlideShow(empty);
  PlainDispatch plain;
  ActivateSlideShow(DispatchVariant(&plain));
  ActivateSlideShow(DispatchVariant(nullptr));
  EXPECT_EQ(::GetForegroundWindow(), other.handle());
  EXPECT_EQ(plain.references(), 1u);
}

}  // namespace
}  // namespace tandry::testing
