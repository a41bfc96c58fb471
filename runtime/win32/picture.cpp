#include "runtime/win32/picture.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <cstring>

#include "runtime/win32/app.h"

namespace tallow::win32 {
namespace {

// IID_IPicture, written here rather than linked from uuid.lib's whole table.
const IID kIidPicture = {0x7bf80980, 0xbf32, 0x101a, {0x8b, 0xbb, 0x00, 0xaa, 0x00, 0x30, 0x0c, 0xab}};

// The resource's bytes as a stream of its own, which the picture object
// reads and lets go of.
IStream* StreamOnResource(int resourceId, LONG& size) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (!found) return nullptr;
  size = static_cast<LONG>(SizeofResource(nullptr, found));
  const void* bytes = LockResource(LoadResource(nullptr, found));
  if (!bytes || size <= 0) return nullptr;
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(size));
  if (!copy) return nullptr;
  void* to = GlobalLock(copy);
  if (!to) {
    GlobalFree(copy);
    return nullptr;
  }
  std::memcpy(to, bytes, static_cast<size_t>(size));
  GlobalUnlock(copy);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
    GlobalFree(copy);
    return nullptr;
  }
  return stream;
}

// A 32-bit top-down DIB section of `width` x `height`, its pixels in `bits`.
HBITMAP NewPixels(int width, int height, std::uint32_t*& bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  bits = static_cast<std::uint32_t*>(pixels);
  return bits ? bitmap : (bitmap ? (DeleteObject(bitmap), nullptr) : nullptr);
}

// The decoded picture, whatever the bitmap the decoder made, copied into
// 32-bit pixels of our own.
HBITMAP CopyPixels(HBITMAP decoded, int& width, int& height) {
  BITMAP info{};
  if (!GetObjectW(decoded, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return nullptr;
  width = info.bmWidth;
  height = info.bmHeight;
  std::uint32_t* bits = nullptr;
  HBITMAP copy = NewPixels(width, height, bits);
  if (!copy) return nullptr;
  BITMAPINFO request{};
  request.bmiHeader.biSize = sizeof request.bmiHeader;
  request.bmiHeader.biWidth = width;
  request.bmiHeader.biHeight = -height;
  request.bmiHeader.biPlanes = 1;
  request.bmiHeader.biBitCount = 32;
  request.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, decoded, 0, static_cast<UINT>(height), bits, &request, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != height) {
    DeleteObject(copy);
    return nullptr;
  }
  return copy;
}

// Resampling with the Catmull-Rom cubic (sharp, no ringing to speak of),
// each axis in turn, sample centres aligned as GDI+'s half-pixel offset
// aligns them; beyond the edges the edge pixels repeat. Shrinking widens
// the kernel so every source pixel counts.
struct Taps {
  int first = 0;  // first source pixel of the run
  int count = 0;
  int weights[16] = {};  // in 1/4096ths, summing to 4096
};

float Cubic(float x) {
  if (x < 0) x = -x;
  if (x < 1) return (1.5f * x - 2.5f) * x * x + 1;
  if (x < 2) return ((-0.5f * x + 2.5f) * x - 4) * x + 2;
  return 0;
}

// The taps of every destination pixel along an axis of `from` -> `to` pixels.
Taps* AxisTaps(int from, int to) {
  Taps* taps = new Taps[static_cast<size_t>(to)];
  const float scale = static_cast<float>(to) / static_cast<float>(from);
  const float stretch = scale < 1 ? 1 / scale : 1;  // kernel widening when shrinking
  int reach = static_cast<int>(2 * stretch) + 1;
  if (reach > 7) reach = 7;  // at most 16 taps: shrinking below 1/3 needs a better filter than this
  for (int i = 0; i < to; ++i) {
    const float centre = (static_cast<float>(i) + 0.5f) / scale - 0.5f;
    const int nearest = static_cast<int>(centre < 0 ? centre - 1 : centre);  // floor
    Taps& t = taps[i];
    t.first = nearest - reach + 1;
    t.count = 2 * reach;
    float raw[16];
    float sum = 0;
    for (int k = 0; k < t.count; ++k) {
      raw[k] = Cubic((static_cast<float>(t.first + k) - centre) / stretch);
      sum += raw[k];
    }
    int total = 0, biggest = 0;
    for (int k = 0; k < t.count; ++k) {
      t.weights[k] = static_cast<int>(raw[k] / sum * 4096 + (raw[k] < 0 ? -0.5f : 0.5f));
      total += t.weights[k];
      if (t.weights[k] > t.weights[biggest]) biggest = k;
    }
    t.weights[biggest] += 4096 - total;  // exact unity gain: flat areas stay flat
  }
  return taps;
}

std::uint32_t Clamped(const int sums[3]) {
  std::uint32_t pixel = 0;
  for (int c = 0; c < 3; ++c) {
    int v = (sums[c] + 2048) >> 12;
    v = v < 0 ? 0 : v > 255 ? 255 : v;
    pixel |= static_cast<std::uint32_t>(v) << (8 * c);
  }
  return pixel;
}

// `length` pixels, `stride` apart, resampled into `outLength` pixels `outStride` apart.
void ResampleLine(const std::uint32_t* in, int length, int stride, const Taps* taps, int outLength, std::uint32_t* out,
                  int outStride) {
  for (int i = 0; i < outLength; ++i) {
    const Taps& t = taps[i];
    int sums[3] = {0, 0, 0};
    for (int k = 0; k < t.count; ++k) {
      int at = t.first + k;
      at = at < 0 ? 0 : at >= length ? length - 1 : at;
      const std::uint32_t pixel = in[at * stride];
      for (int c = 0; c < 3; ++c) sums[c] += static_cast<int>((pixel >> (8 * c)) & 0xFF) * t.weights[k];
    }
    out[i * outStride] = Clamped(sums);
  }
}

HBITMAP Resampled(const std::uint32_t* source, int width, int height, int toWidth, int toHeight) {
  std::uint32_t* bits = nullptr;
  HBITMAP result = NewPixels(toWidth, toHeight, bits);
  if (!result) return nullptr;
  // Rows first into a buffer of the new width, then columns into the result.
  std::uint32_t* across = new std::uint32_t[static_cast<size_t>(toWidth) * static_cast<size_t>(height)];
  Taps* horizontal = AxisTaps(width, toWidth);
  Taps* vertical = AxisTaps(height, toHeight);
  for (int y = 0; y < height; ++y)
    ResampleLine(source + static_cast<size_t>(y) * width, width, 1, horizontal, toWidth,
                 across + static_cast<size_t>(y) * toWidth, 1);
  for (int x = 0; x < toWidth; ++x) ResampleLine(across + x, height, toWidth, vertical, toHeight, bits + x, toWidth);
  delete[] vertical;
  delete[] horizontal;
  delete[] across;
  return result;
}

}  // namespace

HBITMAP LoadJpegResource(int resourceId) {
  // Where the picture object hands JPEG to the Windows Imaging Component
  // (Wine's does), that is a COM object, which needs COM on this thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  LONG size = 0;
  IStream* stream = StreamOnResource(resourceId, size);
  IPicture* picture = nullptr;
  HBITMAP result = nullptr;
  if (stream && SUCCEEDED(OleLoadPicture(stream, size, FALSE, kIidPicture, reinterpret_cast<void**>(&picture))) &&
      picture) {
    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    int width = 0, height = 0;
    // The picture object owns its bitmap and deletes it with itself.
    if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP && SUCCEEDED(picture->get_Handle(&handle)))
      result = CopyPixels(static_cast<HBITMAP>(LongToHandle(static_cast<LONG>(handle))), width, height);
    picture->Release();
    const int toWidth = Twips(width * 15), toHeight = Twips(height * 15);
    if (result && (toWidth != width || toHeight != height)) {
      BITMAP natural{};
      GetObjectW(result, sizeof natural, &natural);
      HBITMAP scaled = toWidth > 0 && toHeight > 0 ? Resampled(static_cast<const std::uint32_t*>(natural.bmBits), width,
                                                               height, toWidth, toHeight)
                                                   : nullptr;
      DeleteObject(result);
      result = scaled;
    }
  }
  if (stream) stream->Release();
  if (SUCCEEDED(com)) CoUninitialize();
  return result;
}

}  // namespace tallow::win32
