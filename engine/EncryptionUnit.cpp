#include "EncryptionUnit.h"

#include "Scrambler.h"

TANDRY_EXPORT void __stdcall EncryptString(const char* source, char* dest) {
  tandry::EncryptInto(source, dest);
}
