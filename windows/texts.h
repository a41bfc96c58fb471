#pragma once

#include <string>

namespace tallow {

// The About window's two paragraphs.
std::wstring AboutCreditText();
std::wstring AboutKeywordHint();

// The dedication window's words over its photograph.
std::wstring DedicationText();

}  // namespace tallow
