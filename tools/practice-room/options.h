// Command line of the practice room. Pure parsing, no Windows calls.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace practice {

struct Options {
  bool has_transcript = false;
  std::wstring transcript_path;
  int rooms = 1;               // chat rooms, created Room 1..Room n
  bool non_chat = false;       // also open a "Mail" child on top
  int hang_on_line = 0;        // 1-based WM_SETTEXT count that hangs the UI; 0 = never
  int hang_seconds = 600;      // how long that hang lasts
  int close_after_line = 0;    // the room that records this line (1-based) closes; 0 = never
  int reopen_after_ms = 1000;  // then a new room opens this much later
  bool has_pretype = false;
  std::string pretype;  // Windows-1252 bytes
  int x = 0;
  int y = 0;
};

constexpr int kMaxRooms = 32;

// Splits a Windows command line the way the C runtime builds argv.
// The first element is the program name.
std::vector<std::wstring> split_command_line(std::wstring_view command_line);

// args excludes the program name. Unknown options and bad values are ignored.
Options parse_options(const std::vector<std::wstring>& args);

}  // namespace practice
