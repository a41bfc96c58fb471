// How a transcript writes a line's bytes, both ways. The room writes with it;
// the desktop tests and the timing benchmark read the room's records with it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace practice {

// Printable ASCII stays as is, except '\' which becomes \x5C so the field can
// be decoded without ambiguity; every other byte becomes \xHH (uppercase).
inline std::string escape_line(std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (char ch : bytes) {
    unsigned char b = static_cast<unsigned char>(ch);
    if (b >= 0x20 && b <= 0x7E && b != '\\') {
      out += ch;
    } else {
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 0x0F];
    }
  }
  return out;
}

// "\xHH" (either case) back to the byte; everything else as it is.
inline std::string unescape_line(std::string_view escaped) {
  auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  std::string out;
  out.reserve(escaped.size());
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] == '\\' && i + 3 < escaped.size() && escaped[i + 1] == 'x' && hex(escaped[i + 2]) >= 0 &&
        hex(escaped[i + 3]) >= 0) {
      out += static_cast<char>(hex(escaped[i + 2]) * 16 + hex(escaped[i + 3]));
      i += 3;
    } else {
      out += escaped[i];
    }
  }
  return out;
}

}  // namespace practice
