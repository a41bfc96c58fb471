#include "options.h"

#include "cp1252.h"

#include <climits>

namespace practice {

namespace {

bool is_blank(wchar_t c) { return c == L' ' || c == L'\t'; }

// Whole-string decimal integer with optional sign; false on anything else.
bool parse_int(std::wstring_view s, int& out) {
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == L'-' || s[i] == L'+')) negative = s[i++] == L'-';
  if (i == s.size()) return false;
  long long value = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < L'0' || s[i] > L'9') return false;
    value = value * 10 + (s[i] - L'0');
    if (value > INT_MAX) return false;
  }
  out = static_cast<int>(negative ? -value : value);
  return true;
}

}  // namespace

std::vector<std::wstring> split_command_line(std::wstring_view cmd) {
  std::vector<std::wstring> out;
  size_t i = 0;
  const size_t n = cmd.size();

  // The program name takes no backslash escapes, only quotes.
  {
    std::wstring arg;
    bool quoted = false;
    while (i < n) {
      wchar_t c = cmd[i];
      if (c == L'"') {
        quoted = !quoted;
        ++i;
        continue;
      }
      if (!quoted && is_blank(c)) break;
      arg += c;
      ++i;
    }
    out.push_back(arg);
  }

  for (;;) {
    while (i < n && is_blank(cmd[i])) ++i;
    if (i >= n) break;
    std::wstring arg;
    bool quoted = false;
    while (i < n) {
      wchar_t c = cmd[i];
      if (!quoted && is_blank(c)) break;
      if (c == L'\\') {
        size_t slashes = 0;
        while (i < n && cmd[i] == L'\\') {
          ++slashes;
          ++i;
        }
        if (i < n && cmd[i] == L'"') {
          arg.append(slashes / 2, L'\\');
          if (slashes % 2) {  // escaped quote
            arg += L'"';
            ++i;
          }
        } else {
          arg.append(slashes, L'\\');
        }
        continue;
      }
      if (c == L'"') {
        ++i;
        if (quoted && i < n && cmd[i] == L'"') {  // "" inside quotes
          arg += L'"';
          ++i;
        } else {
          quoted = !quoted;
        }
        continue;
      }
      arg += c;
      ++i;
    }
    out.push_back(arg);
  }
  return out;
}

Options parse_options(const std::vector<std::wstring>& args) {
  Options o;
  bool no_room = false;
  for (size_t i = 0; i < args.size(); ++i) {
    std::wstring name = args[i];
    std::wstring value;
    bool has_value = false;
    // Accept both "--opt value" and "--opt=value".
    size_t eq = name.find(L'=');
    if (name.rfind(L"--", 0) == 0 && eq != std::wstring::npos) {
      value = name.substr(eq + 1);
      name.resize(eq);
      has_value = true;
    }
    auto take_value = [&]() -> bool {
      if (has_value) return true;
      if (i + 1 >= args.size()) return false;
      value = args[++i];
      return true;
    };

    if (name == L"--transcript") {
      if (take_value() && !value.empty()) {
        o.has_transcript = true;
        o.transcript_path = value;
      }
    } else if (name == L"--rooms") {
      int n = 0;
      if (take_value() && parse_int(value, n) && n >= 0) o.rooms = n > kMaxRooms ? kMaxRooms : n;
    } else if (name == L"--no-room") {
      no_room = true;
    } else if (name == L"--non-chat") {
      o.non_chat = true;
    } else if (name == L"--hang-on-line") {
      int k = 0;
      if (take_value() && parse_int(value, k) && k >= 1) o.hang_on_line = k;
    } else if (name == L"--hang-seconds") {
      int s = 0;
      if (take_value() && parse_int(value, s) && s >= 0) o.hang_seconds = s;
    } else if (name == L"--close-after-line") {
      int k = 0;
      if (take_value() && parse_int(value, k) && k >= 1) o.close_after_line = k;
    } else if (name == L"--reopen-after-ms") {
      int ms = 0;
      if (take_value() && parse_int(value, ms) && ms >= 0) o.reopen_after_ms = ms;
    } else if (name == L"--hung") {
      o.hang_on_line = 1;
    } else if (name == L"--pretype") {
      if (take_value()) {
        o.has_pretype = true;
        o.pretype = encode_1252(value);
      }
    } else if (name == L"--pos") {
      if (take_value()) {
        size_t comma = value.find(L',');
        int x = 0, y = 0;
        if (comma != std::wstring::npos && parse_int(std::wstring_view(value).substr(0, comma), x) &&
            parse_int(std::wstring_view(value).substr(comma + 1), y)) {
          o.x = x;
          o.y = y;
        }
      }
    }
  }
  if (no_room) o.rooms = 0;
  return o;
}

}  // namespace practice
