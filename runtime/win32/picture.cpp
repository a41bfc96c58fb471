#include "runtime/win32/picture.h"

#include <objbase.h>

#include <cstring>

namespace tallow::win32 {
namespace {

// GDI+'s flat API, loaded by hand from the system folder so that no DLL of
// that name beside the exe can stand in for it.
struct GdiplusStartupInput {
  UINT32 GdiplusVersion = 1;
  void* DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = FALSE;
  BOOL SuppressExternalCodecs = FALSE;
};
using StartupFn = int(WINAPI*)(ULONG_PTR*, const GdiplusStartupInput*, void*);
using ShutdownFn = void(WINAPI*)(ULONG_PTR);
using FromStreamFn = int(WINAPI*)(IStream*, void**);
using ToHbitmapFn = int(WINAPI*)(void*, HBITMAP*, DWORD);
using DisposeFn = int(WINAPI*)(void*);

template <typename Fn>
Fn Entry(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

IStream* StreamOnResource(int resourceId) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (!found) return nullptr;
  const DWORD size = SizeofResource(nullptr, found);
  const void* bytes = LockResource(LoadResource(nullptr, found));
  if (!bytes || size == 0) return nullptr;
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!copy) return nullptr;
  std::memcpy(GlobalLock(copy), bytes, size);
  GlobalUnlock(copy);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
    GlobalFree(copy);
    return nullptr;
  }
  return stream;
}

}  // namespace

HBITMAP LoadJpegResource(int resourceId) {
  HMODULE gdiplus = LoadLibraryExW(L"gdiplus.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!gdiplus) return nullptr;
  auto startup = Entry<StartupFn>(gdiplus, "GdiplusStartup");
  auto shutdown = Entry<ShutdownFn>(gdiplus, "GdiplusShutdown");
  auto fromStream = Entry<FromStreamFn>(gdiplus, "GdipCreateBitmapFromStream");
  auto toHbitmap = Entry<ToHbitmapFn>(gdiplus, "GdipCreateHBITMAPFromBitmap");
  auto dispose = Entry<DisposeFn>(gdiplus, "GdipDisposeImage");
  HBITMAP result = nullptr;
  ULONG_PTR token = 0;
  GdiplusStartupInput input;
  if (startup && shutdown && fromStream && toHbitmap && dispose && startup(&token, &input, nullptr) == 0) {
    if (IStream* stream = StreamOnResource(resourceId)) {
      void* bitmap = nullptr;
      if (fromStream(stream, &bitmap) == 0 && bitmap) {
        toHbitmap(bitmap, &result, 0xFFFFFFFF);
        dispose(bitmap);
      }
      stream->Release();
    }
    shutdown(token);
  }
  FreeLibrary(gdiplus);
  return result;
}

}  // namespace tallow::win32
