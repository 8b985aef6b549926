// The stored settings' formats and procedures against a fake store, and the password's
// scrambled form through the engine's real scrambler.
#include "StoredSettings.h"

#include <gmock/gmock.h>

#include <limits>
#include <string>

#include "DialogServices.h"
#include "RecordingPorts.h"
#include "Scrambler.h"
#include "Text.h"

namespace tandry::addin {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using test::RecordingModule;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

SettingsRecord Loaded(RecordingModule& m) {
  SettingsRecord settings;
  LoadSettings(m.store, settings);
  return settings;
}

TEST(LoadSettings, WithNothingStoredGivesMonitorZeroAndNoFlags) {
  RecordingModule m;
  const SettingsRecord settings = Loaded(m);
  EXPECT_THAT(settings.MonitorOrder, ElementsAre(0));
  EXPECT_FALSE(settings.ShowNotes);
  EXPECT_FALSE(settings.LastMonitor4Slides);
  EXPECT_EQ(GetStoredPassword(m.store), u"");
}

TEST(LoadSettings, ReadsEverySegmentOfTheOrderByItsLeadingNumber) {
  const struct {
    std::u16string stored;
    MonitorList expected;
  } cases[] = {
      {u"0,2,1", {0, 2, 1}},   {u"", {0}},           {u"2,", {2, 0}},
      {u"1,,2", {1, 0, 2}},    {u",", {0, 0}},       {u" 1 , 2 ", {1, 2}},
      {u"3abc,x,1", {3, 0, 1}}, {u"-1", {-1}},       {u"1 2", {12}},
      {u"99999999999", {kMax}}, {u"-99999999999", {kMin}},
  };
  for (const auto& c : cases) {
    RecordingModule m;
    m.store.values[u"MonitorOrder"] = c.stored;
    EXPECT_THAT(Loaded(m).MonitorOrder, ElementsAreArray(c.expected)) << test::Narrow(c.stored);
  }
}

TEST(LoadSettings, AppendsToTheListItIsGiven) {
  RecordingModule m;
  m.store.values[u"MonitorOrder"] = u"1,2";
  SettingsRecord settings;
  settings.MonitorOrder = {5};
  LoadSettings(m.store, settings);
  EXPECT_THAT(settings.MonitorOrder, ElementsAre(5, 1, 2));
}

TEST(LoadSettings, SetsAFlagOnlyForTheTextOne) {
  for (const auto& [stored, expected] :
       {std::pair{u"1", true}, {u"0", false}, {u"True", false}, {u" 1", false},
        {u"01", false}, {u"", false}, {u"-1", false}}) {
    RecordingModule m;
    m.store.values[u"ShowNotes"] = stored;
    m.store.values[u"LastMonitor4Slides"] = stored;
    const SettingsRecord settings = Loaded(m);
    EXPECT_EQ(settings.ShowNotes, expected) << test::Narrow(stored);
    EXPECT_EQ(settings.LastMonitor4Slides, expected) << test::Narrow(stored);
  }
}

TEST(LoadSettings, AFailedReadKeepsTheFlagAndCountsTheOrderAsEmpty) {
  RecordingModule m;
  m.store.values = {{u"MonitorOrder", u"1,2"}, {u"ShowNotes", u"0"}};
  m.store.failing = {u"MonitorOrder", u"ShowNotes"};
  SettingsRecord settings;
  settings.ShowNotes = true;
  LoadSettings(m.store, settings);
  EXPECT_THAT(settings.MonitorOrder, ElementsAre(0));
  EXPECT_TRUE(settings.ShowNotes);
}

TEST(SaveSettings, WritesTheOrderAndFlagsAndReadsBackTheSame) {
  RecordingModule m;
  SettingsRecord settings;
  settings.MonitorOrder = {0, 2, 1};
  settings.ShowNotes = true;
  SaveSettings(m.store, settings);
  EXPECT_THAT(m.log, ElementsAre("store MonitorOrder = \"0,2,1\"", "store ShowNotes = \"1\"",
                                 "store LastMonitor4Slides = \"0\""));
  const SettingsRecord back = Loaded(m);
  EXPECT_THAT(back.MonitorOrder, ElementsAre(0, 2, 1));
  EXPECT_TRUE(back.ShowNotes);
  EXPECT_FALSE(back.LastMonitor4Slides);
}

TEST(SaveSettings, AnEmptyOrderIsTheEmptyTextAndReadsBackAsMonitorZero) {
  RecordingModule m;
  SettingsRecord settings;
  settings.LastMonitor4Slides = true;
  SaveSettings(m.store, settings);
  EXPECT_EQ(m.store.values[u"MonitorOrder"], u"");
  EXPECT_EQ(m.store.values[u"LastMonitor4Slides"], u"1");
  EXPECT_THAT(Loaded(m).MonitorOrder, ElementsAre(0));
}

TEST(SaveSettings, WritesEveryValueEvenWhenAnEarlierWriteFails) {
  RecordingModule m;
  m.store.failing = {u"MonitorOrder"};
  SettingsRecord settings;
  settings.MonitorOrder = {1};
  SaveSettings(m.store, settings);
  EXPECT_THAT(m.log, ElementsAre("store MonitorOrder = \"1\" fails", "store ShowNotes = \"0\"",
                                 "store LastMonitor4Slides = \"0\""));
}

std::u16string Latin1(const std::string& bytes) {
  std::u16string text;
  for (char byte : bytes) text.push_back(static_cast<unsigned char>(byte));
  return text;
}

TEST(EncryptText, HasTheTextsLengthAndTheEnginesScrambledCharacters) {
  RecordingModule m;
  EXPECT_EQ(EncryptText(m.declared, u""), u"");
  EXPECT_EQ(EncryptText(m.declared, u"abc"), Latin1("\xD9\x97\x8D"));
  EXPECT_EQ(EncryptText(m.declared, u"abc"), EncryptText(m.declared, u"abc"));
}

TEST(EncryptText, FillsUpWithANulAndBlanksWhereTheEnginesOutputStopsAtAZeroByte) {
  RecordingModule m;
  const std::string scrambled =
      ScrambleString("Secret123", kPasswordKey, kPasswordMultiplier, kPasswordAddend);
  const std::size_t cut = scrambled.find('\0');
  ASSERT_NE(cut, std::string::npos) << "the example must contain a 0 byte";
  const std::u16string expected = Latin1(scrambled.substr(0, cut)) + u'\0' +
                                  std::u16string(scrambled.size() - cut - 1, u' ');
  EXPECT_EQ(EncryptText(m.declared, u"Secret123"), expected);
}

TEST(Password, IsStoredScrambledAndReadBackExactlyNulIncluded) {
  RecordingModule m;
  SavePassword(m.store, m.declared, u"Secret123");
  EXPECT_EQ(GetStoredPassword(m.store), EncryptText(m.declared, u"Secret123"));
  EXPECT_EQ(GetStoredPassword(m.store).value_or(u"").size(), 9u);

  SavePassword(m.store, m.declared, u"");
  EXPECT_EQ(m.store.values[u"Password"], u"");
  EXPECT_EQ(GetStoredPassword(m.store), u"");
}

TEST(Password, ThatCantBeReadIsToldApartFromNoneAndNothingIsWritten) {
  const struct {
    const char* situation;
    std::optional<std::u16string> stored;  // nullopt: no value
    bool readFails;
    std::optional<std::u16string> expected;
  } cases[] = {
      {"none", std::nullopt, false, u""},
      {"empty", u"", false, u""},
      {"set", u"\xD9\x97", false, u"\xD9\x97"},
      {"set, unreadable", u"\xD9\x97", true, std::nullopt},
      {"empty, unreadable", u"", true, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.situation);
    RecordingModule m;
    if (c.stored) m.store.values[u"Password"] = *c.stored;
    if (c.readFails) m.store.failing = {u"Password"};
    PortDialogServices services(m.declared, m.store, m.messages);
    EXPECT_EQ(GetStoredPassword(m.store), c.expected);
    EXPECT_EQ(services.GetStoredPassword(), c.expected);
    EXPECT_THAT(m.log, IsEmpty());
  }
}

TEST(NumberTexts, DecimalAndLeadingIntegers) {
  EXPECT_EQ(DecimalText(0), u"0");
  EXPECT_EQ(DecimalText(-12), u"-12");
  EXPECT_EQ(LeadingInteger(u"9.0"), 9);
  EXPECT_EQ(LeadingInteger(u"  +4"), 4);
  EXPECT_EQ(LeadingInteger(u"- 3"), -3);
  EXPECT_EQ(LeadingInteger(u"abc"), 0);
  EXPECT_EQ(LeadingInteger(u"-"), 0);
  EXPECT_EQ(LeadingInteger(u"2147483647"), kMax);
  EXPECT_EQ(LeadingInteger(u"2147483648"), kMax);
  EXPECT_EQ(LeadingInteger(u"-2147483648"), kMin);
}

}  // namespace
}  // namespace tandry::addin
