#include "runtime/win32/fonts.h"

#include <cmath>

namespace tallow::win32 {
namespace {

int CALLBACK MarkFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

bool FontInstalled(const wchar_t* face) {
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &query, MarkFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

}  // namespace

HFONT MakeFont(const FontChoice& choice, int dpi) {
  const wchar_t* face = choice.faces[0];
  for (const wchar_t* candidate : choice.faces)
    if (candidate && FontInstalled(candidate)) {
      face = candidate;
      break;
    }
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>(std::lround(choice.points * dpi / 72.0));
  font.lfWeight = choice.weight;
  font.lfCharSet = ANSI_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

}  // namespace tallow::win32
