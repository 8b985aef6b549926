#include "EncryptionUnit.h"

#include "Contained.h"
#include "Scrambler.h"

TANDRY_EXPORT void __stdcall EncryptString(const char* source, char* dest) {
  // No buffer, no result; nothing may reach the caller but the text.
  if (dest) tandry::Contained([&] { tandry::EncryptInto(source, dest); });
}
