#pragma once

#include <windows.h>

namespace tallow::win32 {

// Decodes a JPEG picture kept as an RCDATA resource of the exe into a bitmap
// of its natural size; nullptr when it cannot be decoded.
HBITMAP LoadJpegResource(int resourceId);

}  // namespace tallow::win32
