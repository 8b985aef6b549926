#include "Decimal.h"

#include <climits>

namespace tandry::standin {

bool ParseDecimal(std::string_view text, int low, int& value) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return false;
  long long number = 0;
  for (const char digit : text) {
    number = number * 10 + (digit - '0');
    if (number > INT_MAX) return false;
  }
  if (number < low) return false;
  value = static_cast<int>(number);
  return true;
}

}  // namespace tandry::standin
