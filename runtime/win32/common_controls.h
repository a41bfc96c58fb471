#pragma once

namespace tallow::win32 {

// Registers the version 6 common controls (buttons, labels, edit boxes) that
// the manifest asks for; called once before the first window.
void RegisterCommonControls();

}  // namespace tallow::win32
