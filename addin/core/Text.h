// Numbers as the add-in's texts write and read them: decimal digits, and the leading number of
// a text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tandry::addin {

// Decimal digits, with a minus sign when negative.
std::u16string DecimalText(std::int64_t value);

// The value of a text's leading integer: blanks are skipped wherever they stand, then an
// optional sign and digits are read up to the first other character; no digits give 0, and a
// value beyond the signed 32-bit range is held at the end of that range.
std::int32_t LeadingInteger(std::u16string_view text);

}  // namespace tandry::addin
