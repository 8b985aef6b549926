// Decimal texts of numbers and the leading number of a text.
#include "Text.h"

#include <algorithm>
#include <limits>

namespace tandry::addin {

std::u16string DecimalText(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::int32_t LeadingInteger(std::u16string_view text) {
  constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
  auto isBlank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; };
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && isBlank(text[i])) ++i;
  };
  skipBlanks();
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
    negative = text[i] == u'-';
    ++i;
  }
  std::int64_t magnitude = 0;
  for (skipBlanks(); i < text.size() && text[i] >= u'0' && text[i] <= u'9'; skipBlanks()) {
    magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - u'0'), kLimit + 1);
    ++i;
  }
  if (negative) return static_cast<std::int32_t>(-magnitude);
  return static_cast<std::int32_t>(std::min(magnitude, kLimit));
}

}  // namespace tandry::addin
