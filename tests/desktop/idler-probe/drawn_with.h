// What a label of the idler is drawn with, as idler_probe.dll reads it
// inside the idler and the desktop tests read it back with ReadProcessMemory
// (both of one bitness, so of one layout).
#pragma once

#include <windows.h>

struct DrawnWith {
  LONG done;                     // 1 once the fields below are filled
  LONG has_font;                 // the label answered WM_GETFONT with a font
  LOGFONTW font;                 // that font as it was made
  WCHAR real_face[LF_FACESIZE];  // the face the font mapper gave it
  COLORREF text;                 // after the parent's WM_CTLCOLORSTATIC, as the label paints
  LONG background;               // TRANSPARENT or OPAQUE, likewise
};
