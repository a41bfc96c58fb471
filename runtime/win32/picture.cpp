#include "runtime/win32/picture.h"

#include <objbase.h>

#include <cstring>
#include <cwctype>
#include <string>

#include "runtime/win32/base_window.h"
#include "runtime/win32/dpi.h"
#include "runtime/win32/proc_address.h"
#include "runtime/win32/system_dlls.h"

namespace tallow::win32 {
namespace {

int g_gdiplusManifest = 0;

// GDI+'s flat API (all of it in GDI+ 1.0, as Windows XP has it), loaded by
// hand so that no DLL of that name beside the exe can stand in for it.
struct GdiplusStartupInput {
  UINT32 GdiplusVersion = 1;
  void* DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = FALSE;
  BOOL SuppressExternalCodecs = FALSE;
};
using Status = int;
using Image = void;
using Graphics = void;
using Attributes = void;
constexpr int kInterpolationHighQualityBicubic = 7;
constexpr int kPixelOffsetHalf = 4;
constexpr int kWrapTileFlipXY = 3;  // edge pixels are blended with themselves, not with nothing
constexpr int kUnitPixel = 2;

struct Gdiplus {
  Status(WINAPI* Startup)(ULONG_PTR*, const GdiplusStartupInput*, void*);
  void(WINAPI* Shutdown)(ULONG_PTR);
  Status(WINAPI* CreateBitmapFromStream)(IStream*, Image**);
  Status(WINAPI* CreateHBITMAPFromBitmap)(Image*, HBITMAP*, DWORD);
  Status(WINAPI* GetImageWidth)(Image*, UINT*);
  Status(WINAPI* GetImageHeight)(Image*, UINT*);
  Status(WINAPI* DisposeImage)(Image*);
  Status(WINAPI* CreateFromHDC)(HDC, Graphics**);
  Status(WINAPI* DeleteGraphics)(Graphics*);
  Status(WINAPI* SetInterpolationMode)(Graphics*, int);
  Status(WINAPI* SetPixelOffsetMode)(Graphics*, int);
  Status(WINAPI* CreateImageAttributes)(Attributes**);
  Status(WINAPI* SetImageAttributesWrapMode)(Attributes*, int, DWORD, BOOL);
  Status(WINAPI* DisposeImageAttributes)(Attributes*);
  Status(WINAPI* DrawImageRectRectI)(Graphics*, Image*, INT, INT, INT, INT, INT, INT, INT, INT, int, Attributes*, void*,
                                     void*);
};

template <typename Fn>
bool Bind(HMODULE module, const char* name, Fn& entry) {
  entry = ProcAddress<Fn>(module, name);
  return entry != nullptr;
}

bool BindAll(HMODULE module, Gdiplus& g) {
  return Bind(module, "GdiplusStartup", g.Startup) && Bind(module, "GdiplusShutdown", g.Shutdown) &&
         Bind(module, "GdipCreateBitmapFromStream", g.CreateBitmapFromStream) &&
         Bind(module, "GdipCreateHBITMAPFromBitmap", g.CreateHBITMAPFromBitmap) &&
         Bind(module, "GdipGetImageWidth", g.GetImageWidth) && Bind(module, "GdipGetImageHeight", g.GetImageHeight) &&
         Bind(module, "GdipDisposeImage", g.DisposeImage) && Bind(module, "GdipCreateFromHDC", g.CreateFromHDC) &&
         Bind(module, "GdipDeleteGraphics", g.DeleteGraphics) &&
         Bind(module, "GdipSetInterpolationMode", g.SetInterpolationMode) &&
         Bind(module, "GdipSetPixelOffsetMode", g.SetPixelOffsetMode) &&
         Bind(module, "GdipCreateImageAttributes", g.CreateImageAttributes) &&
         Bind(module, "GdipSetImageAttributesWrapMode", g.SetImageAttributesWrapMode) &&
         Bind(module, "GdipDisposeImageAttributes", g.DisposeImageAttributes) &&
         Bind(module, "GdipDrawImageRectRectI", g.DrawImageRectRectI);
}

bool InSideBySideStore(std::wstring path) {
  for (wchar_t& c : path) c = static_cast<wchar_t>(towlower(c));
  return path.find(L"\\winsxs\\") != std::wstring::npos;
}

// GDI+ from the system folder; where that has none (Windows XP keeps it side
// by side only), through an activation context that asks for the system's
// GDI+ assembly, so the side-by-side store answers and no other folder does.
HMODULE LoadGdiplus() {
  if (HMODULE module = LoadSystemDll(L"gdiplus.dll")) return module;
  if (!g_gdiplusManifest) return nullptr;
  // The exe's own path as the source too, as Windows' own samples give it.
  std::wstring self(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(ModuleInstance(), &self[0], static_cast<DWORD>(self.size()));
    if (length == 0) return nullptr;
    if (length < self.size()) {
      self.resize(length);
      break;
    }
    if (self.size() >= 32768) return nullptr;
    self.resize(self.size() * 2);
  }
  ACTCTXW request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID;
  request.lpSource = self.c_str();
  request.hModule = ModuleInstance();
  request.lpResourceName = MAKEINTRESOURCEW(g_gdiplusManifest);
  HANDLE context = CreateActCtxW(&request);
  if (context == INVALID_HANDLE_VALUE) return nullptr;
  HMODULE module = nullptr;
  ULONG_PTR cookie = 0;
  if (ActivateActCtx(context, &cookie)) {
    wchar_t path[MAX_PATH];
    // Only a copy that the assembly redirected to, never one found on the search path.
    HMODULE found = LoadLibraryW(L"gdiplus.dll");
    const DWORD length = found ? GetModuleFileNameW(found, path, MAX_PATH) : 0;
    if (found && length > 0 && length < MAX_PATH && InSideBySideStore(std::wstring(path, length)))
      module = found;
    else if (found)
      FreeLibrary(found);
    DeactivateActCtx(0, cookie);
  }
  ReleaseActCtx(context);
  return module;
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

// The picture drawn into a new bitmap of `width` x `height`, resampled once.
HBITMAP Scaled(const Gdiplus& g, Image* image, UINT sourceWidth, UINT sourceHeight, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP result = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!result) return nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, result);
  Graphics* graphics = nullptr;
  Attributes* attributes = nullptr;
  bool drawn = false;
  if (g.CreateFromHDC(dc, &graphics) == 0 && graphics) {
    g.SetInterpolationMode(graphics, kInterpolationHighQualityBicubic);
    g.SetPixelOffsetMode(graphics, kPixelOffsetHalf);
    if (g.CreateImageAttributes(&attributes) == 0 && attributes)
      g.SetImageAttributesWrapMode(attributes, kWrapTileFlipXY, 0, FALSE);
    drawn = g.DrawImageRectRectI(graphics, image, 0, 0, width, height, 0, 0, static_cast<INT>(sourceWidth),
                                 static_cast<INT>(sourceHeight), kUnitPixel, attributes, nullptr, nullptr) == 0;
    if (attributes) g.DisposeImageAttributes(attributes);
    g.DeleteGraphics(graphics);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  if (!drawn) {
    DeleteObject(result);
    return nullptr;
  }
  return result;
}

HBITMAP Decode(const Gdiplus& g, int resourceId) {
  IStream* stream = StreamOnResource(resourceId);
  if (!stream) return nullptr;
  HBITMAP result = nullptr;
  Image* image = nullptr;
  UINT width = 0, height = 0;
  if (g.CreateBitmapFromStream(stream, &image) == 0 && image) {
    if (g.GetImageWidth(image, &width) == 0 && g.GetImageHeight(image, &height) == 0 && width && height) {
      const int scaledWidth = Twips(static_cast<int>(width) * 15), scaledHeight = Twips(static_cast<int>(height) * 15);
      if (scaledWidth == static_cast<int>(width) && scaledHeight == static_cast<int>(height))
        g.CreateHBITMAPFromBitmap(image, &result, 0xFFFFFFFF);
      else
        result = Scaled(g, image, width, height, scaledWidth, scaledHeight);
    }
    g.DisposeImage(image);
  }
  stream->Release();
  return result;
}

}  // namespace

void UseGdiplusManifest(int resourceId) { g_gdiplusManifest = resourceId; }

HBITMAP LoadJpegResource(int resourceId) {
  HMODULE module = LoadGdiplus();
  if (!module) return nullptr;
  HBITMAP result = nullptr;
  Gdiplus g{};
  ULONG_PTR token = 0;
  GdiplusStartupInput input;
  if (BindAll(module, g) && g.Startup(&token, &input, nullptr) == 0) {
    result = Decode(g, resourceId);
    g.Shutdown(token);
  }
  FreeLibrary(module);
  return result;
}

}  // namespace tallow::win32
