#include "chat_html.h"

#include <algorithm>

namespace practice {

namespace {

constexpr int kMinPoints = 6;
constexpr int kMaxPoints = 36;
constexpr size_t kMaxFaceBytes = 31;  // LF_FACESIZE - 1
// Real tags are short; capping the look-ahead keeps a line full of
// unterminated tags linear to parse.
constexpr size_t kMaxTagBytes = 512;
const int kStepPoints[8] = {0, 7, 8, 10, 12, 14, 18, 24};

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool iequals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool is_alnum(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = lower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

enum class TagName { Font, Bold, Italic, Underline, Strike };

struct Attr {
  std::string_view name;
  std::string_view value;
};

struct Tag {
  TagName name = TagName::Font;
  bool closing = false;
  bool empty = false;  // "<b/>" opens and closes nothing
  std::vector<Attr> attrs;
};

bool tag_name(std::string_view s, TagName& out) {
  if (iequals(s, "font"))
    out = TagName::Font;
  else if (iequals(s, "b"))
    out = TagName::Bold;
  else if (iequals(s, "i"))
    out = TagName::Italic;
  else if (iequals(s, "u"))
    out = TagName::Underline;
  else if (iequals(s, "s"))
    out = TagName::Strike;
  else
    return false;
  return true;
}

// Tries to read a known tag starting at line[pos] == '<'. On success sets
// `end` just past the '>'. Anything else is left for the caller to show.
bool read_tag(std::string_view line, size_t pos, Tag& tag, size_t& end) {
  const size_t n = std::min(line.size(), pos + kMaxTagBytes);
  size_t j = pos + 1;
  if (j < n && line[j] == '/') {
    tag.closing = true;
    ++j;
  }
  size_t name_start = j;
  while (j < n && is_alnum(line[j])) ++j;
  if (j == name_start || !tag_name(line.substr(name_start, j - name_start), tag.name)) return false;
  if (j < n && !is_space(line[j]) && line[j] != '>' && line[j] != '/') return false;  // "<bold>"

  for (;;) {
    while (j < n && is_space(line[j])) ++j;
    if (j >= n) return false;
    if (line[j] == '>') {
      end = j + 1;
      return true;
    }
    if (line[j] == '/' && j + 1 < n && line[j + 1] == '>') {
      tag.empty = true;
      end = j + 2;
      return true;
    }
    size_t a = j;
    while (j < n && !is_space(line[j]) && line[j] != '=' && line[j] != '>') {
      if (line[j] == '<') return false;
      ++j;
    }
    if (j == a) {  // stray '='
      ++j;
      continue;
    }
    Attr attr{line.substr(a, j - a), {}};
    while (j < n && is_space(line[j])) ++j;
    if (j < n && line[j] == '=') {
      ++j;
      while (j < n && is_space(line[j])) ++j;
      if (j >= n) return false;
      if (line[j] == '"' || line[j] == '\'') {
        char quote = line[j++];
        size_t v = j;
        while (j < n && line[j] != quote) ++j;
        if (j >= n) return false;
        attr.value = line.substr(v, j - v);
        ++j;
      } else {
        size_t v = j;
        while (j < n && !is_space(line[j]) && line[j] != '>') {
          if (line[j] == '<') return false;
          ++j;
        }
        attr.value = line.substr(v, j - v);
      }
    }
    tag.attrs.push_back(attr);
  }
}

struct FontLevel {
  std::string face;
  std::uint32_t color;
  std::int32_t back;
  int points;
};

// ptsize= is always points, even below 8.
int plain_points(std::string_view v, int current) {
  size_t i = 0;
  if (i < v.size() && v[i] == '#') ++i;
  int n = 0;
  size_t digits = 0;
  while (i < v.size() && v[i] >= '0' && v[i] <= '9' && digits < 4) {
    n = n * 10 + (v[i++] - '0');
    ++digits;
  }
  if (n <= 0) return current;
  return std::clamp(n, kMinPoints, kMaxPoints);
}

}  // namespace

bool parse_color(std::string_view v, std::uint32_t& rgb) {
  while (!v.empty() && is_space(v.front())) v.remove_prefix(1);
  while (!v.empty() && is_space(v.back())) v.remove_suffix(1);
  std::string_view hex = v;
  if (!hex.empty() && hex.front() == '#') hex.remove_prefix(1);
  bool all_hex = !hex.empty() && std::all_of(hex.begin(), hex.end(), [](char c) { return hex_digit(c) >= 0; });
  if (all_hex && hex.size() == 6) {
    std::uint32_t value = 0;
    for (char c : hex) value = value * 16 + static_cast<std::uint32_t>(hex_digit(c));
    rgb = value;
    return true;
  }
  if (all_hex && hex.size() == 3) {
    std::uint32_t value = 0;
    for (char c : hex) value = value * 256 + static_cast<std::uint32_t>(hex_digit(c) * 17);
    rgb = value;
    return true;
  }
  static const struct {
    const char* name;
    std::uint32_t rgb;
  } kNames[] = {
      {"black", 0x000000},   {"white", 0xFFFFFF},  {"red", 0xFF0000},    {"green", 0x008000},  {"blue", 0x0000FF},
      {"yellow", 0xFFFF00},  {"navy", 0x000080},   {"maroon", 0x800000}, {"purple", 0x800080}, {"gray", 0x808080},
      {"grey", 0x808080},    {"silver", 0xC0C0C0}, {"lime", 0x00FF00},   {"aqua", 0x00FFFF},   {"teal", 0x008080},
      {"fuchsia", 0xFF00FF}, {"olive", 0x808000},  {"orange", 0xFFA500},
  };
  for (const auto& c : kNames) {
    if (iequals(v, c.name)) {
      rgb = c.rgb;
      return true;
    }
  }
  return false;
}

int font_size_points(std::string_view v, int current) {
  size_t i = 0;
  while (i < v.size() && is_space(v[i])) ++i;
  if (i < v.size() && v[i] == '#') ++i;
  char sign = 0;
  if (i < v.size() && (v[i] == '+' || v[i] == '-')) sign = v[i++];
  int n = 0;
  size_t digits = 0;
  while (i < v.size() && v[i] >= '0' && v[i] <= '9' && digits < 4) {
    n = n * 10 + (v[i++] - '0');
    ++digits;
  }
  if (digits == 0) return current;
  if (sign) {
    int step = std::clamp(3 + (sign == '+' ? n : -n), 1, 7);
    return kStepPoints[step];
  }
  if (n >= 1 && n <= 7) return kStepPoints[n];
  if (n >= 8) return std::clamp(n, kMinPoints, kMaxPoints);
  return current;
}

std::vector<StyledRun> parse_chat_line(std::string_view line, const TextStyle& base) {
  std::vector<StyledRun> runs;
  std::vector<FontLevel> fonts{{base.face, base.color, base.back, base.points}};
  int bold = 0, italic = 0, underline = 0, strike = 0;

  TextStyle style = base;
  bool style_changed = true;  // forces a run check before the first text

  auto current_style = [&] {
    const FontLevel& f = fonts.back();
    TextStyle t;
    t.face = f.face;
    t.color = f.color;
    t.back = f.back;
    t.points = f.points;
    t.bold = base.bold || bold > 0;
    t.italic = base.italic || italic > 0;
    t.underline = base.underline || underline > 0;
    t.strike = base.strike || strike > 0;
    return t;
  };

  auto apply = [&](const Tag& tag) {
    int* counter = nullptr;
    switch (tag.name) {
      case TagName::Font:
        if (tag.closing) {
          if (fonts.size() > 1) fonts.pop_back();
          return;
        }
        fonts.push_back(fonts.back());
        for (const Attr& a : tag.attrs) {
          FontLevel& f = fonts.back();
          if (iequals(a.name, "face")) {
            if (!a.value.empty()) f.face = std::string(a.value.substr(0, kMaxFaceBytes));
          } else if (iequals(a.name, "color")) {
            parse_color(a.value, f.color);
          } else if (iequals(a.name, "back")) {
            std::uint32_t rgb;
            if (parse_color(a.value, rgb)) f.back = static_cast<std::int32_t>(rgb);
          } else if (iequals(a.name, "size")) {
            f.points = font_size_points(a.value, f.points);
          } else if (iequals(a.name, "ptsize")) {
            f.points = plain_points(a.value, f.points);
          }
        }
        return;
      case TagName::Bold: counter = &bold; break;
      case TagName::Italic: counter = &italic; break;
      case TagName::Underline: counter = &underline; break;
      case TagName::Strike: counter = &strike; break;
    }
    if (tag.closing) {
      if (*counter > 0) --*counter;
    } else {
      ++*counter;
    }
  };

  size_t p = 0;
  const size_t n = line.size();
  while (p < n) {
    if (line[p] == '<') {
      Tag tag;
      size_t end = 0;
      if (read_tag(line, p, tag, end)) {
        if (!tag.empty) apply(tag);
        style_changed = true;
        p = end;
        continue;
      }
    }
    // Copy a stretch of plain text up to the next '<' in one go.
    size_t q = p + 1;
    while (q < n && line[q] != '<') ++q;
    if (style_changed) {
      style = current_style();
      style_changed = false;
      if (runs.empty() || runs.back().style != style) runs.push_back({style, {}});
    }
    runs.back().text.append(line.data() + p, q - p);
    p = q;
  }
  return runs;
}

}  // namespace practice
