// The read-only, scrolling list of lines above a room's input.
#pragma once

#include <windows.h>

#include <string>

namespace practice {

bool register_room_view_class(HINSTANCE instance);

HWND create_room_view(HWND parent, int id);

// Adds one line as received (chat HTML, Windows-1252) under `who`, and
// scrolls to it.
void room_view_append(HWND view, const std::string& who, const std::string& line_bytes);

}  // namespace practice
