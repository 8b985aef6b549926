// Shortcut names, the shortcut list's calls into the system, and the rules of the timer and of
// the hot-key message.
#include "ShortcutList.h"

#include <gmock/gmock.h>

namespace tandry {
namespace {

using ::testing::_;
using ::testing::InSequence;
using ::testing::NiceMock;
using ::testing::Return;

class MockSystem : public ShortcutSystem {
 public:
  MOCK_METHOD(ShortcutAtom, AddAtom, (const std::string& name), (override));
  MOCK_METHOD(void, DeleteAtom, (ShortcutAtom atom), (override));
  MOCK_METHOD(void, RegisterHotKey, (ShortcutAtom id, std::int32_t modifiers, std::int32_t key),
              (override));
  MOCK_METHOD(void, UnregisterHotKey, (ShortcutAtom id), (override));
};

void InsertSlide() {}
void OtherProc() {}

TEST(ShortcutName, IsUpperCaseHexadecimalWithoutLeadingZeros) {
  EXPECT_EQ(ShortcutName(0x4D, 1), "Tandry_4D_1");
  EXPECT_EQ(ShortcutName(0x70, 6), "Tandry_70_6");
  EXPECT_EQ(ShortcutName(0, 0), "Tandry_0_0");
  EXPECT_EQ(ShortcutName(0xABC, 0xF), "Tandry_ABC_F");
  // Signed values are written as their 32-bit pattern.
  EXPECT_EQ(ShortcutName(-1, 0x7FFFFFFF), "Tandry_FFFFFFFF_7FFFFFFF");
}

TEST(HotKeysLive, OnlyWithASlideShowWindowOfThisProcessInFront) {
  EXPECT_TRUE(HotKeysLive({true, "screenClass", true}));
  EXPECT_FALSE(HotKeysLive({true, "screenClass", false}));
  EXPECT_FALSE(HotKeysLive({true, "ScreenClass", true}));
  EXPECT_FALSE(HotKeysLive({true, "screenClass2", true}));
  EXPECT_FALSE(HotKeysLive({true, "PPTFrameClass", true}));
  EXPECT_FALSE(HotKeysLive({false, "", false}));
}

class ShortcutListTest : public ::testing::Test {
 protected:
  // Alt+M and Control+Shift+F1 get these atoms unless a test says otherwise.
  ShortcutListTest() {
    ON_CALL(system_, AddAtom("Tandry_4D_1")).WillByDefault(Return(0xC001));
    ON_CALL(system_, AddAtom("Tandry_70_6")).WillByDefault(Return(0xC002));
  }

  NiceMock<MockSystem> system_;
  ShortcutList list_{system_};
};

TEST_F(ShortcutListTest, AddMakesTheAtomAndRegistersTheHotKeyAtOnce) {
  {
    InSequence order;
    EXPECT_CALL(system_, AddAtom("Tandry_4D_1")).WillOnce(Return(0xC123));
    EXPECT_CALL(system_, RegisterHotKey(0xC123, 1, 0x4D));
  }
  EXPECT_EQ(list_.AddShortcut(0x4D, 1, InsertSlide), 0xC123u);
  ASSERT_EQ(list_.Entries().size(), 1u);
  EXPECT_EQ(list_.Entries()[0].Key, 0x4D);
  EXPECT_EQ(list_.Entries()[0].Modifiers, 1);
  EXPECT_EQ(list_.Entries()[0].Callback, &InsertSlide);
}

TEST_F(ShortcutListTest, KeepsAnEntryWhoseAtomFailed) {
  EXPECT_CALL(system_, AddAtom(_)).WillOnce(Return(0));
  EXPECT_EQ(list_.AddShortcut(0x4D, 1, InsertSlide), 0u);
  EXPECT_EQ(list_.IndexOfShortcut(0), 0);
}

TEST_F(ShortcutListTest, RemoveTakesTheHotKeyDownThenDeletesTheAtom) {
  list_.AddShortcut(0x4D, 1, InsertSlide);
  list_.AddShortcut(0x70, 6, OtherProc);
  {
    InSequence order;
    EXPECT_CALL(system_, UnregisterHotKey(0xC001));
    EXPECT_CALL(system_, DeleteAtom(0xC001));
  }
  list_.RemoveShortcut(0xC001);
  ASSERT_EQ(list_.Entries().size(), 1u);
  EXPECT_EQ(list_.Entries()[0].Id, 0xC002);
}

TEST_F(ShortcutListTest, TheSameCombinationTwiceGivesTwoEntriesRemovedOneAtATime) {
  list_.AddShortcut(0x4D, 1, InsertSlide);
  list_.AddShortcut(0x4D, 1, OtherProc);
  EXPECT_EQ(list_.IndexOfShortcut(0xC001), 0);

  EXPECT_CALL(system_, DeleteAtom(0xC001)).Times(2);
  list_.RemoveShortcut(0xC001);
  ASSERT_EQ(list_.Entries().size(), 1u);
  EXPECT_EQ(list_.Entries()[0].Callback, &OtherProc);
  list_.RemoveShortcut(0xC001);
  EXPECT_TRUE(list_.Entries().empty());
  EXPECT_EQ(list_.IndexOfShortcut(0xC001), -1);
}

TEST_F(ShortcutListTest, ClearTakesEveryHotKeyDownThenDeletesAtomsFromTheLast) {
  list_.AddShortcut(0x4D, 1, InsertSlide);
  list_.AddShortcut(0x70, 6, OtherProc);
  {
    InSequence order;
    EXPECT_CALL(system_, UnregisterHotKey(0xC001));
    EXPECT_CALL(system_, UnregisterHotKey(0xC002));
    EXPECT_CALL(system_, DeleteAtom(0xC002));
    EXPECT_CALL(system_, DeleteAtom(0xC001));
  }
  list_.ClearShortcuts();
  EXPECT_TRUE(list_.Entries().empty());
}

TEST_F(ShortcutListTest, TimerRegistersEveryHotKeyWhileTheShowIsInFrontAndDropsThemOtherwise) {
  list_.AddShortcut(0x4D, 1, InsertSlide);
  list_.AddShortcut(0x70, 6, OtherProc);

  {
    InSequence order;
    EXPECT_CALL(system_, RegisterHotKey(0xC001, 1, 0x4D));
    EXPECT_CALL(system_, RegisterHotKey(0xC002, 6, 0x70));
  }
  EXPECT_CALL(system_, UnregisterHotKey(_)).Times(0);
  list_.TimerTimer({true, "screenClass", true});
  ::testing::Mock::VerifyAndClearExpectations(&system_);

  for (const ForegroundWindow& other : {ForegroundWindow{true, "screenClass", false},
                                        ForegroundWindow{true, "screenclass", true},
                                        ForegroundWindow{false, "", false}}) {
    EXPECT_CALL(system_, RegisterHotKey(_, _, _)).Times(0);
    {
      InSequence order;
      EXPECT_CALL(system_, UnregisterHotKey(0xC001));
      EXPECT_CALL(system_, UnregisterHotKey(0xC002));
    }
    list_.TimerTimer(other);
    ::testing::Mock::VerifyAndClearExpectations(&system_);
  }
}

TEST_F(ShortcutListTest, HotKeyRunsTheFirstEntrysProcedureOnlyForThisProcess) {
  list_.AddShortcut(0x4D, 1, InsertSlide);
  list_.AddShortcut(0x4D, 1, OtherProc);
  list_.AddShortcut(0x70, 6, nullptr);

  EXPECT_EQ(list_.ShortcutToRun(0xC001, true), &InsertSlide);
  EXPECT_EQ(list_.ShortcutToRun(0xC001, false), nullptr);
  EXPECT_EQ(list_.ShortcutToRun(0xC002, true), nullptr);
  EXPECT_EQ(list_.ShortcutToRun(0xC003, true), nullptr);
}

}  // namespace
}  // namespace tandry
