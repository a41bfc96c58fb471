#pragma once

#include <windows.h>

namespace tallow::win32 {

// A function of a DLL the exe does not import, looked up at run time so
// that the exe still starts on a Windows that lacks it; nullptr then.
// Written TALLOW_PROC_ADDRESS(module, Function), the function's type is that
// of its declaration in the Windows headers, as PuTTY's GET_WINDOWS_FUNCTION
// has it, so a wrong signature cannot compile; naming it in decltype imports
// nothing. A function that the headers of the oldest Windows do not declare
// is typed by hand, ProcAddress<BOOL WINAPI(DWORD)>(module, "Name"), as the
// display scaling's are (dpi.cpp).
template <class Function>
Function* ProcAddress(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace tallow::win32

#define TALLOW_PROC_ADDRESS(module, function) ::tallow::win32::ProcAddress<decltype(function)>(module, #function)
