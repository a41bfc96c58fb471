#pragma once

#include <windows.h>

#include <initializer_list>

namespace tallow::win32 {

// The process ends when the last window of ours is gone; every form counts
// itself in and out here.
void WindowOpened();
void WindowClosed();

// Pixels for twips at the screen's DPI (15 twips a pixel at 96 DPI).
int Twips(int twips);
// A font of size `points` and `weight` at the screen's DPI, in the first of
// `faces` that is installed (the first face when none is).
HFONT MakeFont(std::initializer_list<const wchar_t*> faces, double points, int weight);

HINSTANCE Instance();

// Registers the version 6 common controls (buttons, labels, edit boxes) that
// the manifest asks for; called once before the first window.
void RegisterCommonControls();

// The main window's caption and the message boxes' title.
inline constexpr wchar_t kApplicationTitle[] = L"\u2122Tallow Divod\u2122";

}  // namespace tallow::win32
