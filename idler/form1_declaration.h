#pragma once

#include "runtime/form_declaration.h"

namespace tallow {

// The main window's caption and title label, and the message boxes' title.
inline constexpr wchar_t kApplicationTitle[] = L"\u2122Tallow Divod\u2122";
// The window class it is registered under; tests/desktop/common-controls.sh
// reads it from here.
inline constexpr wchar_t kForm1Class[] = L"TallowDivod.Form1";

// The main window: a borderless panel with a row of buttons, the idle clock
// in its frame, the title and the reason box, its two timers, and which
// handler of Form1 each event goes to.
extern const FormDeclaration kForm1Declaration;

}  // namespace tallow
