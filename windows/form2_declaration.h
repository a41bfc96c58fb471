#pragma once

#include "runtime/form_declaration.h"

namespace tallow {

inline constexpr wchar_t kForm2Class[] = L"TallowDivod.Form2";

// The About window: a credit paragraph and the keyword hint, white on the
// "menu text" colour. It has no handlers and is never made topmost.
extern const FormDeclaration kForm2Declaration;

}  // namespace tallow
