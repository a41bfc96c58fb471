#pragma once

#include <windows.h>

#include "runtime/form_declaration.h"

namespace tallow::win32 {

// The font `choice` asks for, at `dpi`, in the first of its faces that is
// installed (the first when none is).
HFONT MakeFont(const FontChoice& choice, int dpi);

}  // namespace tallow::win32
