// The engine library as a whole, loaded by name as the add-in loads it: the named mutex seen
// from other processes, the exports that do nothing, the unload that releases hot keys, atoms
// and the mutex, the scrambler export, and the refusal to load without larkpane.
#include <windows.h>

#include <gmock/gmock.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ScopedWin.h"
#include "WineTestSupport.h"

namespace {

using tandry::ScopedHandle;
using tandry::ScopedModule;
using tandry_test::AtomExists;
using tandry_test::HelperProcess;
using tandry_test::HotKeyTaken;
using tandry_test::LibraryMutexExists;
using tandry_test::ProgramFolder;

using NoArguments = void(__stdcall*)();
using RegisterShortcutFn = std::uint32_t(__stdcall*)(std::int32_t, std::int32_t, NoArguments);
using EncryptStringFn = void(__stdcall*)(const char*, char*);

void __stdcall Nothing() {}

template <typename Fn>
Fn Export(const ScopedModule& library, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(library.get(), name)));
}

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
  const auto initialize = Export<NoArguments>(library, "InitializeTandry");
  const auto shutdown = Export<NoArguments>(library, "ShutdownTandry");
  const auto registerShortcut = Export<RegisterShortcutFn>(library, "RegisterShortcut");
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
  EXPECT_NE(Export<RegisterShortcutFn>(library, "RegisterShortcut")(VK_F12, MOD_CONTROL | MOD_SHIFT,
                                                                    Nothing),
            0u);
  EXPECT_TRUE(HotKeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F12));
}

TEST(LibraryLoad, EncryptStringWritesTheScrambledTextIntoTheCallersBuffer) {
  ScopedModule library(::LoadLibraryA("tandrycore.dll"));
  ASSERT_TRUE(library);
  const auto encrypt = Export<EncryptStringFn>(library, "EncryptString");
  ASSERT_TRUE(encrypt);

  char dest[16];
  std::memset(dest, 'x', sizeof dest);
  encrypt("abc", dest);
  EXPECT_EQ(std::string(dest, 4), std::string("\xD9\x97\x8D\0", 4));
  std::memset(dest, 'x', sizeof dest);
  encrypt(nullptr, dest);
  EXPECT_EQ(dest[0], '\0');
  std::memset(dest, 'x', sizeof dest);
  encrypt("\xB8" "abc", dest);
  EXPECT_EQ(dest[0], '\0');
}

// A folder of its own in the temporary directory, removed with everything in it.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "tandry-load-" + std::to_string(::GetCurrentProcessId()) + "\\";
    ::CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TemporaryFolder() {
    for (const std::string& file : files_) ::DeleteFileA((path_ + file).c_str());
    ::RemoveDirectoryA(path_.c_str());
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  bool CopyIn(const std::string& file) {
    files_.push_back(file);
    return ::CopyFileA((ProgramFolder() + file).c_str(), (path_ + file).c_str(), FALSE);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::vector<std::string> files_;
};

TEST(LibraryLoad, DoesNotLoadWithoutLarkpane) {
  // A fresh process in a folder of its own, so that no larkpane is found or already loaded.
  TemporaryFolder folder;
  ASSERT_TRUE(folder.CopyIn("library_test_helper.exe"));
  ASSERT_TRUE(folder.CopyIn("tandrycore.dll"));
  const std::string helper = folder.path() + "library_test_helper.exe";
  EXPECT_EQ(HelperProcess("load tandrycore.dll - -", helper, folder.path().c_str()).ExitCode(), 2);

  ASSERT_TRUE(folder.CopyIn("larkpane.dll"));
  EXPECT_EQ(HelperProcess("load tandrycore.dll - -", helper, folder.path().c_str()).ExitCode(), 0);
}

}  // namespace
