#include "runtime/text_number.h"

#include <cstdint>

namespace tallow {
namespace {

// Powers of ten, exact in a double up to 1e22.
const double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                               1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// value * 10^exponent: rounded once while the power is exact, in steps of
// 1e22 beyond that.
double Scaled(double value, int exponent) {
  for (; exponent > 22 && value != 0 && value < 1e300; exponent -= 22) value *= 1e22;
  for (; exponent < -22 && value != 0; exponent += 22) value /= 1e22;
  if (exponent > 22) return value * 1e300 * 1e300;  // overflows: not finite
  return exponent >= 0 ? value * kExactPowers[exponent] : value / kExactPowers[-exponent];
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::wstring Digits(std::uint64_t n) {
  wchar_t buffer[24];
  wchar_t* at = buffer + 24;
  do {
    *--at = static_cast<wchar_t>(L'0' + n % 10);
    n /= 10;
  } while (n > 0);
  return std::wstring(at, buffer + 24);
}

}  // namespace

double TextToNumber(const std::wstring& text) {
  const wchar_t* c = text.c_str();
  while (*c == L' ' || (*c >= L'\t' && *c <= L'\r')) ++c;
  const bool negative = *c == L'-';
  if (*c == L'-' || *c == L'+') ++c;
  // Up to 19 significant digits kept exactly; the rest only count for scale.
  std::uint64_t mantissa = 0;
  int significant = 0, exponent = 0, digits = 0;
  bool point = false;
  for (;; ++c) {
    if (*c == L'.' && !point) {
      point = true;
      continue;
    }
    if (!IsDigit(*c)) break;
    ++digits;
    if (mantissa == 0 && *c == L'0') {
      if (point) --exponent;
      continue;
    }
    if (significant < 19) {
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(*c - L'0');
      ++significant;
      if (point) --exponent;
    } else if (!point) {
      ++exponent;
    }
  }
  if (digits == 0) return 0;
  if ((*c == L'e' || *c == L'E') && (IsDigit(c[1]) || ((c[1] == L'-' || c[1] == L'+') && IsDigit(c[2])))) {
    ++c;
    const bool down = *c == L'-';
    if (*c == L'-' || *c == L'+') ++c;
    int power = 0;
    for (; IsDigit(*c); ++c)
      if (power < 100000) power = power * 10 + (*c - L'0');
    exponent += down ? -power : power;
  }
  while (*c == L' ' || *c == L'\t') ++c;
  if (*c != L'\0') return 0;
  const double value = Scaled(static_cast<double>(mantissa), exponent);
  if (!(value - value == 0)) return 0;  // overflowed
  return negative ? -value : value;
}

std::wstring NumberToText(double value) {
  if (value != value) return L"nan";
  const bool negative = value < 0;
  const double size = negative ? -value : value;
  if (size - size != 0) return negative ? L"-inf" : L"inf";
  if (size < 1e15 && size == static_cast<double>(static_cast<std::int64_t>(size))) {
    const std::wstring digits = Digits(static_cast<std::uint64_t>(size));
    return negative && size != 0 ? L"-" + digits : digits;
  }
  // 15 significant digits, as printf's "%.15g" writes them.
  int exponent = 0;
  for (double probe = size; probe >= 10; probe /= 10) ++exponent;
  for (double probe = size; probe < 1; probe *= 10) --exponent;
  std::uint64_t scaled = static_cast<std::uint64_t>(Scaled(size, 14 - exponent) + 0.5);
  if (scaled >= 1000000000000000) {
    scaled = (scaled + 5) / 10;
    ++exponent;
  }
  if (scaled < 100000000000000) {
    scaled *= 10;
    --exponent;
  }
  std::wstring digits = Digits(scaled);
  while (digits.size() > 1 && digits.back() == L'0') digits.pop_back();
  std::wstring text = negative ? L"-" : L"";
  if (exponent >= -5 && exponent < 15) {
    if (exponent < 0) {
      text += L"0." + std::wstring(static_cast<std::size_t>(-exponent - 1), L'0') + digits;
    } else {
      const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
      if (digits.size() <= whole) return text + digits + std::wstring(whole - digits.size(), L'0');
      text += digits.substr(0, whole) + L"." + digits.substr(whole);
    }
    return text;
  }
  text += digits.substr(0, 1);
  if (digits.size() > 1) text += L"." + digits.substr(1);
  const int magnitude = exponent < 0 ? -exponent : exponent;
  text += exponent < 0 ? L"e-" : L"e+";
  if (magnitude < 10) text += L"0";
  return text + Digits(static_cast<std::uint64_t>(magnitude));
}

}  // namespace tallow
