#pragma once

#include "runtime/control.h"

namespace tallow {

// The idle clock lives in the captions of three labels; these are its two
// pieces of arithmetic.

// Adds one to the counter shown by `label`, through the runtime's text and
// number conversions: "00" becomes "1", "59" becomes "60".
void StepCounter(Control& label);

// True when the label reads exactly "60".
bool ReadsSixty(const Control& label);

}  // namespace tallow
