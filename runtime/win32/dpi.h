#pragma once

namespace tallow::win32 {

// The screen's dots per inch, read once (96 at 100% display scaling).
int ScreenDpi();
// Pixels for twips at the screen's DPI (15 twips a pixel at 96 DPI).
int Twips(int twips);

}  // namespace tallow::win32
