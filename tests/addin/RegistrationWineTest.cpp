// The add-in's self-registration through regsvr32, in both forms, read back from the registry:
// what each form writes, that it writes nothing of the other form, and that unregistration
// removes exactly that and leaves the keys it shares with others.
#include <gmock/gmock.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ComServerTestSupport.h"
#include "tandryaddin.h"

namespace tandry::addin::test {
namespace {

struct ExpectedText {
  std::wstring path;
  const wchar_t* name;
  std::wstring text;
};

// Where the class keys of a form go: the root and the path prefix under it.
struct ClassesPlace {
  HKEY root;
  std::wstring base;
};
const ClassesPlace kAllUsers{HKEY_CLASSES_ROOT, L""};
const ClassesPlace kCurrentUser{HKEY_CURRENT_USER, L"Software\\Classes\\"};

std::wstring ClassKey(const ClassesPlace& place) {
  return place.base + L"CLSID\\" + GuidText(CLSID_PowerPointAddin);
}

// Every text value registration writes under the classes place.
std::vector<ExpectedText> ClassTexts(const ClassesPlace& place) {
  const std::wstring dll = AddinDllPath();
  const std::wstring clsid = GuidText(CLSID_PowerPointAddin);
  const std::wstring libid = GuidText(LIBID_tandryaddin);
  const std::wstring classKey = ClassKey(place);
  const std::wstring library = place.base + L"TypeLib\\" + libid + L"\\1.0";
  const std::wstring interfaceKey = place.base + L"Interface\\" + GuidText(IID__PowerPointAddin);
  return {
      {classKey + L"\\InprocServer32", nullptr, dll},
      {classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {classKey + L"\\ProgID", nullptr, kProgId},
      {classKey + L"\\TypeLib", nullptr, libid},
      {place.base + kProgId + L"\\CLSID", nullptr, clsid},
      {library, nullptr, L"Tandry"},
      {library + L"\\0\\win64", nullptr, dll},
      {interfaceKey + L"\\TypeLib", nullptr, libid},
      {interfaceKey + L"\\ProxyStubClsid32", nullptr, L"{00020424-0000-0000-C000-000000000046}"},
  };
}

// The keys that belong to the add-in alone in a place.
std::vector<std::wstring> OwnedClassKeys(const ClassesPlace& place) {
  return {ClassKey(place), place.base + kProgId,
          place.base + L"TypeLib\\" + GuidText(LIBID_tandryaddin),
          place.base + L"Interface\\" + GuidText(IID__PowerPointAddin)};
}

void ExpectRegisteredIn(const ClassesPlace& place) {
  for (const ExpectedText& expected : ClassTexts(place)) {
    EXPECT_EQ(RegistryText(place.root, expected.path, expected.name), expected.text)
        << std::string(expected.path.begin(), expected.path.end());
  }
}

void ExpectNothingIn(const ClassesPlace& place) {
  for (const std::wstring& key : OwnedClassKeys(place)) {
    EXPECT_FALSE(KeyExists(place.root, key)) << std::string(key.begin(), key.end());
  }
}

void ExpectAddinEntry() {
  EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kAddinEntry, L"FriendlyName"), L"Tandry");
  EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kAddinEntry, L"Description"),
            L"Display multiple slides on different monitors from presentations.");
  EXPECT_EQ(RegistryNumber(HKEY_CURRENT_USER, kAddinEntry, L"LoadBehavior"), 3u);
}

// Another add-in's entry beside ours, which unregistration must leave alone.
class RegistrationTest : public ::testing::Test {
 protected:
  static constexpr wchar_t kNeighbour[] =
      L"Software\\Microsoft\\Office\\PowerPoint\\Addins\\Other.Addin";

  void SetUp() override {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kNeighbour, 0, nullptr, 0, KEY_WRITE, nullptr,
                                &key, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(key);
  }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kNeighbour); }
};

TEST_F(RegistrationTest, ForAllUsersWritesTheClassesAndTheHostEntryAndRemovesExactlyThose) {
  ASSERT_EQ(RunRegsvr32(L"/s"), 0u);
  ExpectRegisteredIn(kAllUsers);
  ExpectNothingIn(kCurrentUser);
  ExpectAddinEntry();

  ASSERT_EQ(RunRegsvr32(L"/s /u"), 0u);
  ExpectNothingIn(kAllUsers);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kAddinEntry));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kNeighbour));
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
}

TEST_F(RegistrationTest, ForTheCurrentUserWritesUnderItsClassesOnly) {
  ASSERT_EQ(RunRegsvr32(L"/s /n /i:user"), 0u);
  ExpectRegisteredIn(kCurrentUser);
  ExpectNothingIn(kAllUsers);
  ExpectAddinEntry();

  ASSERT_EQ(RunRegsvr32(L"/s /u /n /i:user"), 0u);
  ExpectNothingIn(kCurrentUser);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kAddinEntry));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kNeighbour));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, L"Software\\Classes"));
}

TEST_F(RegistrationTest, InstallRefusesAnyOtherCommandAndUnregisteringTwiceIsFine) {
  EXPECT_NE(RunRegsvr32(L"/s /n /i:machine"), 0u);
  ExpectNothingIn(kAllUsers);
  ExpectNothingIn(kCurrentUser);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kAddinEntry));
  EXPECT_EQ(RunRegsvr32(L"/s /u"), 0u);  // nothing registered: nothing to remove
}

}  // namespace
}  // namespace tandry::addin::test
