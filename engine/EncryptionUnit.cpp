// The scrambler export for the lock password.
#include "Contained.h"
#include "Scrambler.h"
#include "tandrycore.h"

TANDRYCORE_API void __stdcall EncryptString(const char* source, char* dest) {
  // No buffer, no result; nothing may reach the caller but the text.
  if (dest) tandry::Contained([&] { tandry::EncryptInto(source, dest); });
}
