#pragma once

#include <windows.h>

namespace tallow::win32 {

// A function of a DLL the exe does not import, looked up at run time so
// that the exe still starts on a Windows that lacks it; nullptr then.
template <class Function>
Function ProcAddress(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace tallow::win32
