#include "runtime/text_number.h"

#include <cmath>
#include <cstdio>
#include <cwchar>

namespace tallow {

double TextToNumber(const std::wstring& text) {
  const wchar_t* begin = text.c_str();
  wchar_t* end = nullptr;
  const double value = std::wcstod(begin, &end);
  if (end == begin) return 0;
  while (*end == L' ' || *end == L'\t') ++end;
  if (*end != L'\0' || !std::isfinite(value)) return 0;
  return value;
}

std::wstring NumberToText(double value) {
  char buffer[64];
  if (value == std::floor(value) && std::fabs(value) < 1e15) {
    std::snprintf(buffer, sizeof buffer, "%.0f", value);
    if (buffer[0] == '-' && buffer[1] == '0' && buffer[2] == '\0') buffer[0] = '0', buffer[1] = '\0';
  } else {
    for (int precision = 1; precision <= 17; ++precision) {
      std::snprintf(buffer, sizeof buffer, "%.*g", precision, value);
      if (std::strtod(buffer, nullptr) == value) break;
    }
  }
  return std::wstring(buffer, buffer + std::char_traits<char>::length(buffer));
}

}  // namespace tallow
