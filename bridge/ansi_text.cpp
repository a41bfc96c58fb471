#include "bridge/ansi_text.h"

#include <cstdint>

namespace tallow {
namespace {

// Windows-1252 bytes 0x80..0x9F. Five of them are undefined and stand for the
// C1 control of the same value.
constexpr char16_t kHighRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char EncodeOne(std::uint32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
  for (int i = 0; i < 32; ++i)
    if (kHighRange[i] == code) return static_cast<char>(0x80 + i);
  return '?';
}

}  // namespace

std::string ToWindows1252(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t code = static_cast<std::uint32_t>(text[i]);
    if constexpr (sizeof(wchar_t) == 2) {
      // A surrogate pair is one character: one "?".
      if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size()) {
        const std::uint32_t low = static_cast<std::uint32_t>(text[i + 1]);
        if (low >= 0xDC00 && low <= 0xDFFF) ++i;
      }
    }
    out.push_back(EncodeOne(code));
  }
  return out;
}

std::wstring FromWindows1252(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  for (unsigned char byte : bytes) {
    if (byte >= 0x80 && byte < 0xA0)
      out.push_back(static_cast<wchar_t>(kHighRange[byte - 0x80]));
    else
      out.push_back(static_cast<wchar_t>(byte));
  }
  return out;
}

}  // namespace tallow
