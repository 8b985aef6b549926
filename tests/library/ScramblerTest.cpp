// The password scrambler: its fixed vectors, its length and key properties, and the cut that
// EncryptString makes at the first scrambled 0 byte.
#include "Scrambler.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

namespace tandry {
namespace {

std::string Scramble(const std::string& text) {
  return ScrambleString(text, kPasswordKey, kPasswordMultiplier, kPasswordAddend);
}

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::string Encrypt(const char* source) {
  // Exactly one byte longer than the text, so a missing NUL shows up under the sanitizer.
  std::vector<char> dest(source ? std::char_traits<char>::length(source) + 1 : 1, 'x');
  EncryptInto(source, dest.data());
  return dest.data();
}

// Worked out step by step: 'a' ^ 0xB8 = 0xD9; the key moves to ...F5F5, so 'b' ^ 0xF5 = 0x97.
TEST(ScrambleString, GivesTheFixedVectors) {
  EXPECT_EQ(Scramble("A"), Bytes({0xF9}));
  EXPECT_EQ(Scramble("abc"), Bytes({0xD9, 0x97, 0x8D}));
  EXPECT_EQ(Scramble("password"), Bytes({0xC8, 0x95, 0xC5, 0xC5, 0xB7, 0xB0, 0x02, 0xAC}));
  EXPECT_EQ(Scramble("Tandry"), Bytes({0xEC, 0x99, 0x42, 0x7E, 0x7E, 0x0E}));
}

TEST(ScrambleString, KeepsTheLengthOfEveryText) {
  EXPECT_EQ(Scramble(""), "");
  for (std::size_t length : {1u, 255u, 256u, 300u}) {
    EXPECT_EQ(Scramble(std::string(length, 'q')).size(), length);
  }
  // Bytes of 0 inside the text are scrambled like any other.
  EXPECT_EQ(Scramble(std::string("a\0b", 3)).size(), 3u);
}

TEST(ScrambleString, IsTheSameEveryTimeAndDependsOnlyOnWhatCameBefore) {
  EXPECT_EQ(Scramble("secret"), Scramble("secret"));
  const std::string one = Scramble("secreT");
  const std::string other = Scramble("secret");
  EXPECT_EQ(one.substr(0, 5), other.substr(0, 5));
  EXPECT_NE(one[5], other[5]);
}

TEST(ScrambleString, UsesOnlyTheLowSixteenBitsOfTheKey) {
  const std::string text(64, '\x5A');
  EXPECT_EQ(ScrambleString(text, 0x0000B82D, 29, 71), Scramble(text));
  EXPECT_EQ(ScrambleString(text, 0xFFFFB82D, 29, 71), Scramble(text));
  EXPECT_NE(ScrambleString(text, 0x4E61B92D, 29, 71), Scramble(text));
}

TEST(ScrambleString, FeedsTheScrambledByteBackIntoTheKey) {
  // Key 0, multiplier 1, addend 0: the key is the running sum of the scrambled bytes, which
  // reaches bit 8 only after the sum passes 255.
  EXPECT_EQ(ScrambleString(Bytes({0xFF, 0x01, 0x00}), 0, 1, 0), Bytes({0xFF, 0x01, 0x01}));
}

TEST(EncryptString, WritesTheScrambledTextAndANul) {
  EXPECT_EQ(Encrypt("password"), Scramble("password"));
  EXPECT_EQ(Encrypt(""), "");
  EXPECT_EQ(Encrypt(nullptr), "");
}

TEST(EncryptString, StopsBeforeTheFirstScrambledZero) {
  // The first plain byte equal to bits 8 to 15 of the key scrambles to 0.
  EXPECT_EQ(Encrypt("\xB8" "abc"), "");
  // "A" scrambles to 0xF9, which moves bits 8 to 15 of the key to 0xF9 as well.
  const std::string full = Scramble("A\xF9z");
  ASSERT_EQ(full.size(), 3u);
  ASSERT_EQ(full[1], '\0');
  EXPECT_EQ(Encrypt("A\xF9z"), full.substr(0, 1));
}

}  // namespace
}  // namespace tandry
