// The monitor and install-path exports of tandrycore.dll on the test bench's three monitors and
// in its registry.
#include <windows.h>

#include <gmock/gmock.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "TestWindows.h"
#include "tandrycore.h"

namespace {

using ::testing::ElementsAreArray;

struct Rect {
  std::int32_t left, top, width, height;
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && width == o.width && height == o.height;
  }
};

std::ostream& operator<<(std::ostream& out, const Rect& r) {
  return out << r.left << "," << r.top << " " << r.width << "x" << r.height;
}

Rect InfoOf(std::int32_t index) {
  Rect rect{-7, -7, -7, -7};
  GetMonitorInfo(index, &rect.left, &rect.top, &rect.width, &rect.height);
  return rect;
}

// The system's monitors with the one at (0,0) moved to the front.
std::vector<Rect> ExpectedList() {
  std::vector<Rect> rects;
  for (const RECT& r : tandry::wintest::SystemMonitorRects()) {
    rects.push_back(Rect{r.left, r.top, r.right - r.left, r.bottom - r.top});
  }
  for (std::size_t i = 0; i < rects.size(); ++i) {
    if (rects[i].left == 0 && rects[i].top == 0) {
      const Rect primary = rects[i];
      rects.erase(rects.begin() + i);
      rects.insert(rects.begin(), primary);
      break;
    }
  }
  return rects;
}

TEST(MonitorExports, CountTheBenchsThreeMonitors) {
  std::int32_t usable = -1, system = -1, reserved = -1;
  GetMonitorCount(&usable, &system, &reserved);
  EXPECT_EQ(usable, 3);
  EXPECT_EQ(system, 3);
  EXPECT_EQ(reserved, 0);
  GetMonitorCount(nullptr, nullptr, nullptr);  // nowhere to write: nothing happens
}

TEST(MonitorExports, ListThePrimaryFirstWithFullRectangles) {
  EXPECT_EQ(InfoOf(0), (Rect{0, 0, 1920, 1080}));
  std::vector<Rect> listed{InfoOf(0), InfoOf(1), InfoOf(2)};
  EXPECT_THAT(listed, ElementsAreArray(ExpectedList()));
  EXPECT_THAT(listed, ::testing::Contains(Rect{-1280, 0, 1280, 1024}));
  EXPECT_THAT(listed, ::testing::Contains(Rect{1920, 0, 1920, 1080}));
}

TEST(MonitorExports, LeaveTheOutputsAloneOutsideTheList) {
  EXPECT_EQ(InfoOf(-1), (Rect{-7, -7, -7, -7}));
  EXPECT_EQ(InfoOf(3), (Rect{-7, -7, -7, -7}));
  GetMonitorInfo(0, nullptr, nullptr, nullptr, nullptr);
}

// HKLM\Software\Brisant\Tandry, made and removed by the tests; "Software\Brisant" goes too
// unless it was there before.
class InstallPath : public ::testing::Test {
 protected:
  static constexpr const char* kKey = "Software\\Brisant\\Tandry";
  void SetUp() override {
    HKEY parent = nullptr;
    parentExisted_ = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Brisant", 0, KEY_READ,
                                     &parent) == ERROR_SUCCESS;
    if (parent) ::RegCloseKey(parent);
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey);
    std::memset(buffer, 'x', sizeof buffer);
  }
  void TearDown() override {
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey);
    if (!parentExisted_) ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Brisant");
  }
  void SetValue(DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                nullptr),
              ERROR_SUCCESS);
    if (data) {
      EXPECT_EQ(::RegSetValueExA(key, "InstallPath", 0, type, static_cast<const BYTE*>(data),
                                 size),
                ERROR_SUCCESS);
    }
    ::RegCloseKey(key);
  }
  void SetText(DWORD type, const std::string& text) {
    SetValue(type, text.c_str(), static_cast<DWORD>(text.size() + 1));
  }

  char buffer[300];

 private:
  bool parentExisted_ = false;
};

TEST_F(InstallPath, WithoutTheKeyIsZeroAndLeavesTheBufferAlone) {
  EXPECT_EQ(GetInstallPath(buffer), 0);
  EXPECT_EQ(buffer[0], 'x');
  EXPECT_EQ(GetInstallPath(nullptr), 0);
}

TEST_F(InstallPath, CopiesTheValueWithItsNul) {
  SetText(REG_SZ, "C:\\Program Files\\Tandry");
  EXPECT_EQ(GetInstallPath(buffer), 23);
  EXPECT_STREQ(buffer, "C:\\Program Files\\Tandry");
}

TEST_F(InstallPath, TakesAnExpandableValueAsStored) {
  SetText(REG_EXPAND_SZ, "%ProgramFiles%\\Tandry");
  EXPECT_EQ(GetInstallPath(buffer), 21);
  EXPECT_STREQ(buffer, "%ProgramFiles%\\Tandry");
}

TEST_F(InstallPath, StopsAtTheFirstNul) {
  const char text[] = "C:\\Tandry\0tail";
  SetValue(REG_SZ, text, sizeof text);
  EXPECT_EQ(GetInstallPath(buffer), 9);
  EXPECT_STREQ(buffer, "C:\\Tandry");
}

TEST_F(InstallPath, AKeyWithoutTheValueGivesTheEmptyText) {
  SetValue(REG_SZ, nullptr, 0);
  EXPECT_EQ(GetInstallPath(buffer), 0);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[1], 'x');
}

TEST_F(InstallPath, AValueThatIsNoTextGivesZeroAndLeavesTheBufferAlone) {
  const DWORD number = 42;
  SetValue(REG_DWORD, &number, sizeof number);
  EXPECT_EQ(GetInstallPath(buffer), 0);
  EXPECT_EQ(buffer[0], 'x');
}

}  // namespace
