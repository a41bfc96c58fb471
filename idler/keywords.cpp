#include "idler/keywords.h"

#include <initializer_list>

namespace tallow {
namespace {

// Lines joined by a lone carriage return; with `trailing`, one follows the
// last line too.
std::wstring JoinLines(std::initializer_list<const wchar_t*> lines, bool trailing) {
  std::wstring text;
  bool first = true;
  for (const wchar_t* line : lines) {
    if (!first) text += L'\r';
    first = false;
    text += line;
  }
  if (trailing) text += L'\r';
  return text;
}

}  // namespace

const std::wstring kKeywordDedication = L"Juniper";
const std::wstring kKeywordInfo = L"Info";
const std::wstring kKeywordScreenNames = L"Screennames";
const std::wstring kKeywordAuthor = L"MoRdAnT";

std::wstring InfoBoxText() {
  return JoinLines(
      {L"Info on Tallow Divod....", L"OS : Windows XP", L"AOL : 8.0 - 9.0", L"Completed : Wednesday, May 11, 2005",
       L"Coder : MoRdAnT", L"Team : gLoAmInG iNc.", L"Made for : Juniper, who kept the room warm", L"BLAH!"},
      true);
}

std::wstring ScreenNamesBoxText() {
  return JoinLines(
      {L"Screennames.....", L"(All of these are AOL or AIM screennames.....)", L"MoRdAnT (coder) = xMoRdAnTx",
       L"Juniper (the reason for all this) = JuniperBerry0505", L"Sprocket (beta tester) = SprocketSpins",
       L"Wren (graphics) = LittleWrenSong", L"Tumble = TumbleweedTales", L"Cobalt (team leader) = gLoAmInGCobalt"},
      false);
}

std::wstring AuthorBoxText() {
  return JoinLines({L"About MoRdAnT......", L"Name : Morgan Dantry", L"Age : 17", L"Location : Larkhollow",
                    L"Coding Name : MoRdAnT", L"Works in : Visual C++, Win32, a soldering iron and a sketchbook",
                    L"Quote : Leave the lights on, I'll be right back.", L""},
                   true);
}

}  // namespace tallow
