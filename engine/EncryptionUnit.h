// The scrambler export for the lock password.
#pragma once

#include "TandryExport.h"

// Writes the scrambled form of `source` into `dest`, which holds one byte more than `source`.
TANDRY_EXPORT void __stdcall EncryptString(const char* source, char* dest);
