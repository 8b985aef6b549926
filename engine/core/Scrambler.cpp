#include "Scrambler.h"

#include <algorithm>

namespace tandry {

namespace {

// One step: the scrambled byte, and the key moved on by it.
unsigned char ScrambleByte(unsigned char plain, std::uint32_t& key, std::uint32_t multiplier,
                           std::uint32_t addend) {
  const auto scrambled = static_cast<unsigned char>(plain ^ ((key >> 8) & 0xFFu));
  key = (key + scrambled) * multiplier + addend;
  return scrambled;
}

}  // namespace

std::string ScrambleString(const std::string& text, std::uint32_t key, std::uint32_t multiplier,
                           std::uint32_t addend) {
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    result.push_back(static_cast<char>(
        ScrambleByte(static_cast<unsigned char>(c), key, multiplier, addend)));
  }
  return result;
}

void EncryptInto(const char* source, char* dest) {
  const std::string scrambled =
      ScrambleString(source ? source : "", kPasswordKey, kPasswordMultiplier, kPasswordAddend);
  // A scrambled 0 byte ends the text that reaches the caller.
  const std::size_t kept = std::min(scrambled.find('\0'), scrambled.size());
  scrambled.copy(dest, kept);
  dest[kept] = '\0';
}

}  // namespace tandry
