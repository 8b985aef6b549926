// The add-in's Win32 ports on their own: the declared functions bound from the add-in's folder
// and called with the real engine and larkpane, the settings in the real registry, and the
// message box.
#include <windows.h>

#include <gmock/gmock.h>

#include <string>
#include <thread>

#include "ImportModule.h"
#include "MessagePump.h"
#include "Scrambler.h"
#include "StoredSettings.h"
#include "SystemPorts.h"
#include "TestFiles.h"

namespace tandry::addin {
namespace {

using ::testing::ElementsAre;

constexpr wchar_t kOptionsKey[] = L"Software\\VB and VBA Program Settings\\Tandry\\Options";

// Bytes of the system code page as text, every byte (a 0 among them) included, and back.
std::u16string FromCodePage(const std::string& bytes) {
  std::wstring text(bytes.size(), L'\0');
  text.resize(MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                  text.data(), static_cast<int>(text.size())));
  return std::u16string(text.begin(), text.end());
}
std::string ToCodePage(const std::wstring& text) {
  std::string bytes(text.size() * 2, '\0');
  bytes.resize(WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                   bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                   nullptr));
  return bytes;
}
std::string Scrambled(const std::string& bytes) {
  return ScrambleString(bytes, kPasswordKey, kPasswordMultiplier, kPasswordAddend);
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// The path of the file that holds `address`.
std::wstring ModulePathOf(const void* address) {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     static_cast<LPCWSTR>(address), &module);
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module, path, MAX_PATH);
  return path;
}

void CopyBeside(const std::wstring& folder, const wchar_t* name) {
  ASSERT_TRUE(CopyFileW((OwnFolder() + name).c_str(), (folder + name).c_str(), FALSE));
}

TEST(DeclaredFunctions, BindOnlyFromTheirOwnFolderAndTryAgainAfterAFailure) {
  // Copies of both files in the current directory must not be taken.
  wintest::TempFolder current;
  const std::wstring currentFolder = Wide(current.path());
  CopyBeside(currentFolder, L"tandrycore.dll");
  CopyBeside(currentFolder, L"larkpane.dll");
  wchar_t previous[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  SetCurrentDirectoryW(currentFolder.c_str());

  // A folder of its own that outlives the copy loaded from it; emptied at each run.
  const std::wstring folder = OwnFolder() + L"addin-binding\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  DeleteFileW((folder + L"larkpane.dll").c_str());
  ImportModule declared(nullptr, folder);
  EXPECT_FALSE(declared.InitializeTandry());
  EXPECT_FALSE(declared.ShowNotesView(0));
  EXPECT_FALSE(ImportModule::IsBound(declared.Table().InitializeTandry));
  EXPECT_FALSE(ImportModule::IsBound(declared.Table().ShowNotesView));

  CopyBeside(folder, L"larkpane.dll");
  EXPECT_TRUE(declared.ShowNotesView(0));
  EXPECT_EQ(ModulePathOf(reinterpret_cast<const void*>(declared.Table().ShowNotesView.cell)),
            folder + L"larkpane.dll");
  EXPECT_FALSE(declared.InitializeTandry());

  SetCurrentDirectoryW(previous);
}

TEST(DeclaredFunctions, PassNumbersOutputsAndHandles) {
  ImportModule declared(nullptr);
  std::int32_t usable = -1, system = -1, reserved = -1;
  ASSERT_TRUE(declared.GetMonitorCount(usable, system, reserved));
  EXPECT_EQ(usable, 3);
  EXPECT_EQ(system, 3);
  EXPECT_EQ(reserved, 0);

  std::int32_t left = -7, top = -7, width = -7, height = -7;
  ASSERT_TRUE(declared.GetMonitorInfo(0, left, top, width, height));
  EXPECT_THAT((std::vector<std::int32_t>{left, top, width, height}),
              ElementsAre(0, 0, 1920, 1080));
  left = top = width = height = -7;
  EXPECT_TRUE(declared.GetMonitorInfo(7, left, top, width, height));
  EXPECT_THAT((std::vector<std::int32_t>{left, top, width, height}),
              ElementsAre(-7, -7, -7, -7));

  EXPECT_EQ(declared.GetDesktopWindow(), reinterpret_cast<SystemHandle>(::GetDesktopWindow()));
  const auto screen = declared.GetDC(0);
  ASSERT_TRUE(screen && *screen != 0);
  EXPECT_EQ(declared.GetDeviceCaps(*screen, LOGPIXELSX), 96);
  EXPECT_EQ(declared.GetDeviceCaps(*screen, LOGPIXELSY), 96);
  EXPECT_TRUE(declared.ReleaseDC(0, *screen));

  ASSERT_TRUE(declared.SetCursorPos(-640, 512));
  POINT cursor{};
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor.x, -640);
  EXPECT_EQ(cursor.y, 512);
}

TEST(DeclaredFunctions, PassTextsAsSystemCodePageCopiesAndWriteTheBufferBack) {
  ImportModule declared(nullptr);
  EXPECT_EQ(EncryptText(declared, u""), u"");
  EXPECT_EQ(EncryptText(declared, u"abc"), FromCodePage("\xD9\x97\x8D"));
  // The engine's output stops before its first scrambled 0 byte: NUL and blanks fill up.
  const std::string scrambled = Scrambled("Secret123");
  const std::size_t cut = scrambled.find('\0');
  ASSERT_NE(cut, std::string::npos);
  EXPECT_EQ(EncryptText(declared, u"Secret123"),
            FromCodePage(scrambled.substr(0, cut)) + u'\0' +
                std::u16string(scrambled.size() - cut - 1, u' '));
  // Characters the code page lacks are replaced alike; those it has are its own bytes.
  EXPECT_EQ(EncryptText(declared, u"a\u4E2D"), EncryptText(declared, u"a\u4E8C"));
  EXPECT_EQ(EncryptText(declared, u"\u20AC"), FromCodePage(Scrambled(ToCodePage(L"\u20AC"))));
}

class RegistrySettingsTest : public ::testing::Test {
 protected:
  RegistrySettingsTest() { RegDeleteTreeW(HKEY_CURRENT_USER, kOptionsKey); }
  ~RegistrySettingsTest() override { RegDeleteTreeW(HKEY_CURRENT_USER, kOptionsKey); }

  void WriteRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kOptionsKey, 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }

  RegistrySettings store;
};

TEST_F(RegistrySettingsTest, GivesTheFallbackForWhatIsMissingAndKeepsTextsWhole) {
  EXPECT_EQ(store.Read(u"ShowNotes", u"0"), u"0");  // no key at all
  ASSERT_TRUE(store.Write(u"MonitorOrder", u"0,2,1"));
  EXPECT_EQ(store.Read(u"MonitorOrder", u""), u"0,2,1");
  EXPECT_EQ(store.Read(u"ShowNotes", u"0"), u"0");  // key, but no value
  const std::u16string withNul(u"ab\0 c", 5);
  ASSERT_TRUE(store.Write(u"Password", withNul));
  EXPECT_EQ(store.Read(u"Password", u""), withNul);
  ASSERT_TRUE(store.Write(u"Password", u""));
  EXPECT_EQ(store.Read(u"Password", u"x"), u"");
  const DWORD number = 1;
  WriteRaw(L"ShowNotes", REG_DWORD, &number, sizeof number);
  EXPECT_EQ(store.Read(u"ShowNotes", u"0"), std::nullopt);
}

TEST_F(RegistrySettingsTest, SettingsAndPasswordRoundTrip) {
  ImportModule declared(nullptr);
  SettingsRecord saved;
  saved.MonitorOrder = {0, 2, 1};
  saved.LastMonitor4Slides = true;
  SaveSettings(store, saved);
  SettingsRecord loaded;
  LoadSettings(store, loaded);
  EXPECT_THAT(loaded.MonitorOrder, ElementsAre(0, 2, 1));
  EXPECT_FALSE(loaded.ShowNotes);
  EXPECT_TRUE(loaded.LastMonitor4Slides);

  // The scrambled "Secret123" holds a NUL; the lock works only if it comes back whole.
  SavePassword(store, declared, u"Secret123");
  EXPECT_EQ(GetStoredPassword(store), EncryptText(declared, u"Secret123"));
  EXPECT_EQ(GetStoredPassword(store).value_or(u"").size(), 9u);
  SavePassword(store, declared, u"");
  EXPECT_EQ(GetStoredPassword(store), u"");
}

TEST_F(RegistrySettingsTest, ReadsValuesWrittenByHandAsTheFormatsSay) {
  const wchar_t order[] = L"2,";
  WriteRaw(L"MonitorOrder", REG_SZ, order, sizeof order);
  const wchar_t word[] = L"True";
  WriteRaw(L"ShowNotes", REG_SZ, word, sizeof word);
  SettingsRecord loaded;
  LoadSettings(store, loaded);
  EXPECT_THAT(loaded.MonitorOrder, ElementsAre(2, 0));
  EXPECT_FALSE(loaded.ShowNotes);
}

TEST_F(RegistrySettingsTest, ReadsAnExpandableStringUnexpandedAndNoOtherType) {
  const wchar_t expandable[] = L"%TEMP%x";
  WriteRaw(L"MonitorOrder", REG_EXPAND_SZ, expandable, sizeof expandable);
  EXPECT_EQ(store.Read(u"MonitorOrder", u""), u"%TEMP%x");
  const wchar_t withNul[] = L"a\0%TEMP%";  // the NUL inside stays, the terminating one goes
  WriteRaw(L"Password", REG_EXPAND_SZ, withNul, sizeof withNul);
  EXPECT_EQ(GetStoredPassword(store), std::u16string(u"a\0%TEMP%", 8));

  // A stored password of another type keeps the lock rather than counting as none.
  const DWORD number = 0;
  WriteRaw(L"Password", REG_DWORD, &number, sizeof number);
  EXPECT_EQ(GetStoredPassword(store), std::nullopt);
  const BYTE bytes[] = {0x41, 0x00};
  WriteRaw(L"Password", REG_BINARY, bytes, sizeof bytes);
  EXPECT_EQ(GetStoredPassword(store), std::nullopt);
}

// The texts of the static controls of a dialog.
std::vector<std::wstring> StaticTexts(HWND dialog) {
  std::vector<std::wstring> texts;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM list) {
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        wchar_t text[256] = {};
        GetWindowTextW(child, text, 256);
        if (_wcsicmp(className, L"Static") == 0 && text[0]) {
          reinterpret_cast<std::vector<std::wstring>*>(list)->push_back(text);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&texts));
  return texts;
}

TEST(SystemMessageBoxes, ShowTheTextTitledTandryWithAnOkButton) {
  std::vector<std::wstring> seen;
  std::thread closer([&] {
    HWND box = nullptr;
    wintest::WaitUntil([&] { return (box = FindWindowW(L"#32770", L"Tandry")) != nullptr; });
    if (!box) return;
    seen = StaticTexts(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  SystemMessageBoxes messages;
  messages.Show(u"Please open a presentation to start slide show.", MessageIcon::Critical);
  closer.join();
  EXPECT_THAT(seen, ::testing::Contains(L"Please open a presentation to start slide show."));
}

}  // namespace
}  // namespace tandry::addin
