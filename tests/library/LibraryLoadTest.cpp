// The engine library as a whole, loaded by name as the add-in loads it: the named mutex seen
// from other processes, the exports that do nothing, the unload that releases hot keys, atoms
// and the mutex, the scrambler export, and the refusal to load without larkpane.
#include <windows.h>

#include <gmock/gmock.h>

#include <cstring>
#include <string>

#include "LibraryTestSupport.h"
#include "ScopedWin.h"
#include "TestBinding.h"
#include "TestFiles.h"
#include "tandrycore.h"

namespace {

using tandry::ScopedHandle;
using tandry::ScopedModule;
using tandry::wintest::ExportOf;
using tandry::wintest::TempFolder;
using tandry_test::AtomExists;
using tandry_test::HelperProcess;
using tandry_test::HotKeyTaken;
using tandry_test::LibraryMutexExists;
using tandry_test::ProgramFolder;

void __stdcall Nothing() {}

TEST(LibraryLoad, HoldsTheMutexThatOtherProcessesSeeWhileAnyCopyIsLoaded) {
  ASSERT_FALSE(LibraryMutexExists()) << "another process holds the library";
  ScopedModule library(::LoadLibraryA("tandrycore.dll"));
  ASSERT_TRUE(library);
  EXPECT_TRUE(LibraryMutexExists());
  EXPECT_EQ(HelperProcess("mutex").ExitCode(), 0);

  // A second process loads its own copy: both loads succeed and share the mutex.
  ScopedHandle loaded(::CreateEventA(nullptr, TRUE, FALSE, "TandryTestLoaded"));
  ScopedHandle release(::CreateEventA(nullptr, TRUE, FALSE, "TandryTestRelease"));
  HelperProcess second("load tandrycore.dll TandryTestLoaded TandryTestRelease");
  ASSERT_EQ(::WaitForSingleObject(loaded.get(), 20000), WAIT_OBJECT_0);

  library.reset();
  EXPECT_TRUE(LibraryMutexExists());
  EXPECT_EQ(HelperProcess("mutex").ExitCode(), 0);

  ::SetEvent(release.get());
  EXPECT_EQ(second.ExitCode(), 0);
  EXPECT_FALSE(LibraryMutexExists());
  EXPECT_EQ(HelperProcess("mutex").ExitCode(), 1);
}

TEST(LibraryLoad, InitializeAndShutdownChangeNothingAndUnloadReleasesEverything) {
  ScopedModule library(::LoadLibraryA("tandrycore.dll"));
  ASSERT_TRUE(library);
  const auto initialize =
      ExportOf<decltype(&::InitializeTandry)>(library.get(), "InitializeTandry");
  const auto shutdown = ExportOf<decltype(&::ShutdownTandry)>(library.get(), "ShutdownTandry");
  const auto registerShortcut =
      ExportOf<decltype(&::RegisterShortcut)>(library.get(), "RegisterShortcut");
  ASSERT_TRUE(initialize && shutdown && registerShortcut);

  for (int call = 0; call < 3; ++call) initialize();
  EXPECT_NE(registerShortcut(VK_F12, MOD_CONTROL | MOD_SHIFT, Nothing), 0u);
  EXPECT_NE(registerShortcut(VK_F12, MOD_CONTROL | MOD_SHIFT, Nothing), 0u);
  EXPECT_NE(registerShortcut(VK_F11, MOD_CONTROL | MOD_SHIFT, Nothing), 0u);
  shutdown();
  EXPECT_TRUE(AtomExists("Tandry_7B_6"));
  EXPECT_TRUE(AtomExists("Tandry_7A_6"));
  EXPECT_TRUE(HotKeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F12));
  EXPECT_TRUE(LibraryMutexExists());

  library.reset();
  EXPECT_FALSE(AtomExists("Tandry_7B_6"));
  EXPECT_FALSE(AtomExists("Tandry_7A_6"));
  EXPECT_FALSE(HotKeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F12));
  EXPECT_FALSE(HotKeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F11));
  EXPECT_FALSE(LibraryMutexExists());

  // Loaded again, the library works as before.
  library.reset(::LoadLibraryA("tandrycore.dll"));
  ASSERT_TRUE(library);
  const auto registerAgain =
      ExportOf<decltype(&::RegisterShortcut)>(library.get(), "RegisterShortcut");
  EXPECT_NE(registerAgain(VK_F12, MOD_CONTROL | MOD_SHIFT, Nothing), 0u);
  EXPECT_TRUE(HotKeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F12));
}

TEST(LibraryLoad, EncryptStringWritesTheScrambledTextIntoTheCallersBuffer) {
  ScopedModule library(::LoadLibraryA("tandrycore.dll"));
  ASSERT_TRUE(library);
  const auto encrypt = ExportOf<decltype(&::EncryptString)>(library.get(), "EncryptString");
  ASSERT_TRUE(encrypt);

  char dest[16];
  std::memset(dest, 'x', sizeof dest);
  encrypt("abc", dest);
  EXPECT_EQ(std::string(dest, 4), std::string("\xD9\x97\x8D\0", 4));
  std::memset(dest, 'x', sizeof dest);
  encrypt(nullptr, dest);
  EXPECT_EQ(dest[0], '\0');
  encrypt("abc", nullptr);  // no buffer: nothing written, nothing raised
  std::memset(dest, 'x', sizeof dest);
  encrypt("\xB8" "abc", dest);
  EXPECT_EQ(dest[0], '\0');
}

// Copies `file` from this program's folder into `folder`.
bool CopyIn(const TempFolder& folder, const std::string& file) {
  return ::CopyFileA((ProgramFolder() + file).c_str(), folder.Path(file).c_str(), FALSE);
}

TEST(LibraryLoad, DoesNotLoadWithoutLarkpane) {
  // A fresh process in a folder of its own, so that no larkpane is found or already loaded.
  TempFolder folder;
  ASSERT_TRUE(CopyIn(folder, "library_test_helper.exe"));
  ASSERT_TRUE(CopyIn(folder, "tandrycore.dll"));
  const std::string helper = folder.path() + "library_test_helper.exe";
  EXPECT_EQ(HelperProcess("load tandrycore.dll - -", helper, folder.path().c_str()).ExitCode(), 2);

  ASSERT_TRUE(CopyIn(folder, "larkpane.dll"));
  EXPECT_EQ(HelperProcess("load tandrycore.dll - -", helper, folder.path().c_str()).ExitCode(), 0);
}

}  // namespace
