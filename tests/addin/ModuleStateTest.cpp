// The module state's shared procedures: the running switch with the button's caption, the two
// list procedures, and the conversions of late-bound results.
#include "ModuleState.h"

#include <gmock/gmock.h>

#include <limits>

#include "RecordingPorts.h"

namespace tandry::addin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using test::FakeObject;
using test::RecordingModule;

TEST(SetRunning, SwitchesTheStartStopCaptionWithTheState) {
  RecordingModule m;
  auto button = std::make_shared<FakeObject>("button", m.log);
  m.module.state.MenuButtons = m.objects.NewHostClass();
  m.module.state.MenuButtons->SetStartStopTandryCBB(button);

  SetRunning(m.module.state, true);
  EXPECT_TRUE(m.module.state.Running);
  SetRunning(m.module.state, false);
  EXPECT_FALSE(m.module.state.Running);
  EXPECT_THAT(m.log, ElementsAre("button.Caption = \"Stop Tandry...\"",
                                 "button.Caption = \"Start Tandry...\""));
}

TEST(SetRunning, WithoutButtonsChangesOnlyTheState) {
  RecordingModule m;
  SetRunning(m.module.state, true);  // no holder at all
  EXPECT_TRUE(m.module.state.Running);
  m.module.state.MenuButtons = m.objects.NewHostClass();  // a holder without buttons
  SetRunning(m.module.state, false);
  EXPECT_FALSE(m.module.state.Running);
  EXPECT_THAT(m.log, IsEmpty());
}

TEST(MonitorListProcedures, ContainAndReadItems) {
  MonitorList empty;
  EXPECT_FALSE(CollectionContains(empty, 0));

  MonitorList stored{0, 2, 1};
  EXPECT_TRUE(CollectionContains(stored, 2));
  EXPECT_FALSE(CollectionContains(stored, 3));
  EXPECT_EQ(Item(stored, 1), 0);
  EXPECT_EQ(Item(stored, 3), 1);
  EXPECT_EQ(Item(stored, 0), std::nullopt);
  EXPECT_EQ(Item(stored, 4), std::nullopt);
}

TEST(HostResults, ConvertAsAutomationDoesOrFail) {
  EXPECT_EQ(AsLong(Value{std::int32_t{7}}), 7);
  EXPECT_EQ(AsLong(Value{true}), -1);
  EXPECT_EQ(AsLong(Value{2.5}), 2);  // halves to the even neighbour
  EXPECT_EQ(AsLong(Value{3.5}), 4);
  EXPECT_EQ(AsLong(Value{-2.5}), -2);
  EXPECT_EQ(AsLong(Value{4e9}), std::nullopt);
  EXPECT_EQ(AsLong(Value{std::numeric_limits<double>::quiet_NaN()}), std::nullopt);
  EXPECT_EQ(AsLong(Value{std::u16string(u"5")}), std::nullopt);
  EXPECT_EQ(AsLong(Value{}), std::nullopt);
  EXPECT_EQ(AsLong(std::nullopt), std::nullopt);
  EXPECT_EQ(AsText(Value{std::u16string(u"Talk")}), u"Talk");
  EXPECT_EQ(AsText(Value{std::int32_t{1}}), std::nullopt);
  EXPECT_EQ(AsObject(Value{std::int32_t{1}}), nullptr);
}

TEST(HostResults, PathsStopAtTheFirstFailureAndIdentityIsByObject) {
  test::CallLog log;
  auto leaf = std::make_shared<FakeObject>("leaf", log);
  leaf->Set(u"Value", std::int32_t{3});
  auto root = std::make_shared<FakeObject>("root", log);
  root->Set(u"Child", leaf).Set(u"Nothing", ObjectRef()).Fail(u"Broken");

  EXPECT_EQ(AsLong(GetPath(root, {u"Child", u"Value"})), 3);
  EXPECT_EQ(GetPath(root, {u"Nothing", u"Value"}), std::nullopt);
  EXPECT_EQ(GetPath(root, {u"Broken", u"Value"}), std::nullopt);
  EXPECT_EQ(GetPath(nullptr, {u"Child"}), std::nullopt);
  EXPECT_EQ(ObjectAt(root, {u"Child"}), leaf);

  auto twin = std::make_shared<FakeObject>("leaf", log);
  EXPECT_TRUE(SameObject(leaf, ObjectAt(root, {u"Child"})));
  EXPECT_FALSE(SameObject(leaf, twin));
  EXPECT_FALSE(SameObject(leaf, nullptr));
  EXPECT_TRUE(SameObject(nullptr, nullptr));
}

}  // namespace
}  // namespace tandry::addin
