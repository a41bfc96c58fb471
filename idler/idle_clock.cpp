#include "idler/idle_clock.h"

#include "runtime/text_number.h"

namespace tallow {

void StepCounter(Control& label) { label.SetText(NumberToText(TextToNumber(label.Text()) + 1)); }

bool ReadsSixty(const Control& label) { return label.Text() == L"60"; }

}  // namespace tallow
