// The little HTML that chat lines carry: <font face/color/back/size/ptsize>,
// <b>, <i>, <u>, <s> and their closing tags. Pure parsing into styled runs;
// drawing lives in room_view.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace practice {

struct TextStyle {
  std::string face;         // Windows-1252 bytes; empty = the view's default face
  std::uint32_t color = 0;  // 0xRRGGBB
  std::int32_t back = -1;   // 0xRRGGBB, or -1 for none
  int points = 10;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;

  bool operator==(const TextStyle& o) const {
    return face == o.face && color == o.color && back == o.back && points == o.points && bold == o.bold &&
           italic == o.italic && underline == o.underline && strike == o.strike;
  }
  bool operator!=(const TextStyle& o) const { return !(*this == o); }
};

struct StyledRun {
  TextStyle style;
  std::string text;  // Windows-1252 bytes
};

// Every line starts from `base`; tags left open at the end simply end with
// the line. Text that does not form a known tag is kept as text. Adjacent
// text in the same style is merged into one run; runs are never empty.
std::vector<StyledRun> parse_chat_line(std::string_view line, const TextStyle& base);

// "#RRGGBB", "RRGGBB", "#RGB" or a basic colour name. False if not a colour.
bool parse_color(std::string_view value, std::uint32_t& rgb);

// Value of size=: 1..7 are HTML steps (3 = normal), +N/-N are steps relative
// to normal, 8 and up are taken as points. Returns `current` if not a size.
int font_size_points(std::string_view value, int current);

}  // namespace practice
