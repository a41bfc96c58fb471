#pragma once

#include <windows.h>

#include "runtime/form_declaration.h"

namespace tallow::win32 {

// The font `choice` asks for, at the screen's DPI, in the first of its faces
// that is installed (the first when none is).
HFONT MakeFont(const FontChoice& choice);

}  // namespace tallow::win32
