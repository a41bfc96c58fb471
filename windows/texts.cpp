#include "windows/texts.h"

namespace tallow {

std::wstring AboutCreditText() {
  return L"Tallow Divod was coded by MoRdAnT of gLoAmInG iNc. It is dedicated to Juniper, who always waited in "
         L"the room while everyone else was away from the keyboard. Thanks to the whole team for testing it in "
         L"every room we could find.";
}

std::wstring AboutKeywordHint() {
  // The long runs of blanks push each sentence onto a line of its own in the
  // label's width.
  return L"P.S" + std::wstring(78, L' ') +
         L"You can type the following into the "
         L"\"reason idle\"" +
         L" box to see some extras(do it without quotes"
         L"\"\") " +
         L"\"Juniper\", \"Info\", \"MoRdAnT\", \"Screennames\"" + std::wstring(36, L' ') +
         L"Those are case sensitive, so use capitals in the right places!!!!";
}

std::wstring DedicationText() { return L"For Juniper, who never left the room."; }

}  // namespace tallow
