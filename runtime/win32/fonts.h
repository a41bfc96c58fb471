#pragma once

#include <windows.h>

#include "runtime/form_spec.h"

namespace tallow::win32 {

// The font `spec` declares, at the screen's DPI, in the first of its faces
// that is installed (the first when none is).
HFONT MakeFont(const FontSpec& spec);

}  // namespace tallow::win32
