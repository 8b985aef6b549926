// Decimal numbers in the stand-in's texts (command line, deck files).
#pragma once

#include <string_view>

namespace tandry::standin {

// A decimal number from `low` up to INT_MAX, digits only, the whole text.
bool ParseDecimal(std::string_view text, int low, int& value);

}  // namespace tandry::standin
