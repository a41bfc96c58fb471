#include "runtime/text_number.h"

namespace tallow {

std::uint64_t TextToNumber(const std::wstring& text) {
  std::uint64_t value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') break;
    value = value * 10 + static_cast<std::uint64_t>(c - L'0');
  }
  return value;
}

std::wstring NumberToText(std::uint64_t value) {
  wchar_t digits[20];  // as many as 2^64 - 1 has
  wchar_t* first = digits + 20;
  do {
    *--first = static_cast<wchar_t>(L'0' + value % 10);
    value /= 10;
  } while (value > 0);
  return std::wstring(first, digits + 20);
}

}  // namespace tallow
