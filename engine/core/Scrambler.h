// The string scrambler behind the lock password: every byte is XORed with bits 8 to 15 of a
// running key, and the key is fed back with the scrambled byte. The result has as many bytes as
// the input and cannot be turned back.
#pragma once

#include <cstdint>
#include <string>

namespace tandry {

// The fixed values of EncryptString. A stored scrambled password stays valid only as long as
// these three stay unchanged.
constexpr std::uint32_t kPasswordKey = 0x4E61B82D;
constexpr std::uint32_t kPasswordMultiplier = 29;
constexpr std::uint32_t kPasswordAddend = 71;

// Scrambles `text` byte by byte; key arithmetic wraps modulo 2^32.
std::string ScrambleString(const std::string& text, std::uint32_t key, std::uint32_t multiplier,
                           std::uint32_t addend);

// What the EncryptString export does: scrambles the NUL-terminated `source` (null reads as the
// empty text) with the fixed values and writes the result into `dest`, cut before its first 0
// byte, followed by a NUL. `dest` must hold one byte more than `source`.
void EncryptInto(const char* source, char* dest);

}  // namespace tandry
