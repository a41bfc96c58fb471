#pragma once

#include "runtime/form_declaration.h"

namespace tallow {

inline constexpr wchar_t kForm3Class[] = L"TallowDivod.Form3";

// The dedication window: a photograph with a few words over it, made
// topmost by Form3 every time it loads.
extern const FormDeclaration kForm3Declaration;

}  // namespace tallow
