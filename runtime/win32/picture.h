#pragma once

#include <windows.h>

namespace tallow::win32 {

// Decodes a JPEG picture kept as an RCDATA resource of the exe (codec/
// jpeg_decoder.h, the same pixels on every Windows, no DLL to load) into a
// bitmap of its natural size in twips (15 twips a pixel of the picture) at
// `dpi`: its own size at 96 DPI, smoothly scaled above it, so that it covers
// as much of its window at every DPI. nullptr when it cannot be decoded.
HBITMAP LoadJpegResource(int resourceId, int dpi);

}  // namespace tallow::win32
