// "RICHCNTL": the one-line input of a room. An ANSI window class that keeps
// its text as raw bytes, so WM_SETTEXT from SendMessageA arrives unchanged.
#pragma once

#include <windows.h>

#include <string>

namespace practice {

extern const char kInputClass[];  // "RICHCNTL"

// Called on Enter with the bytes that were in the input (already cleared).
using SubmitHandler = void (*)(HWND input, const std::string& line);

bool register_input_class(HINSTANCE instance, SubmitHandler on_submit);

// The UI thread stops answering for `ms` when the k-th WM_SETTEXT reaches any
// input (1-based), then sets the text; 0 never.
void input_hang_on_settext(int k, DWORD ms);

HWND create_input(HWND parent, int id);

// Sets the text as if the user typed it; not a WM_SETTEXT, so it does not
// count towards the hang.
void input_preset_text(HWND input, const std::string& bytes);

}  // namespace practice
