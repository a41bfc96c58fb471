// "AOL Child": an MDI child holding a room's view and its "RICHCNTL" input.
#pragma once

#include <windows.h>

#include <string>

namespace practice {

extern const wchar_t kRoomClass[];  // "AOL Child"

bool register_room_classes(HINSTANCE instance);

// Creates and activates a room in the MDI client at the given rectangle.
HWND create_room(HWND mdi_client, const std::wstring& title, int x, int y, int width, int height);

HWND room_input(HWND room);

// The room that records the k-th line (1-based, counted over every room)
// closes itself, and `closed` is posted to `notify`; 0 never.
void close_room_after_line(int k, HWND notify, UINT closed);

}  // namespace practice
