#include "runtime/win32/picture.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "codec/jpeg_decoder.h"
#include "runtime/win32/dpi.h"

namespace tallow::win32 {
namespace {

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
  if (bitmap && !bits) {
    DeleteObject(bitmap);
    bitmap = nullptr;
  }
  return bitmap;
}

// Resampling with the Catmull-Rom cubic (sharp, no ringing to speak of),
// each axis in turn, with samples at the pixels' centres; beyond the edges
// the edge pixels repeat. Shrinking widens the kernel so every source pixel
// counts.
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
std::vector<Taps> AxisTaps(int from, int to) {
  std::vector<Taps> taps(static_cast<size_t>(to));
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
  std::vector<std::uint32_t> across(static_cast<size_t>(toWidth) * static_cast<size_t>(height));
  const std::vector<Taps> horizontal = AxisTaps(width, toWidth);
  const std::vector<Taps> vertical = AxisTaps(height, toHeight);
  for (int y = 0; y < height; ++y)
    ResampleLine(source + static_cast<size_t>(y) * width, width, 1, horizontal.data(), toWidth,
                 across.data() + static_cast<size_t>(y) * toWidth, 1);
  for (int x = 0; x < toWidth; ++x)
    ResampleLine(across.data() + x, height, toWidth, vertical.data(), toHeight, bits + x, toWidth);
  return result;
}

}  // namespace

HBITMAP LoadJpegResource(int resourceId, int dpi) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(resourceId), RT_RCDATA);
  const void* bytes = found ? LockResource(LoadResource(nullptr, found)) : nullptr;
  DecodedPicture decoded;
  if (!bytes || !DecodeJpeg(static_cast<const unsigned char*>(bytes), SizeofResource(nullptr, found), decoded))
    return nullptr;
  const int width = decoded.width, height = decoded.height;
  const int toWidth = Twips(width * 15, dpi), toHeight = Twips(height * 15, dpi);
  if (toWidth <= 0 || toHeight <= 0) return nullptr;
  if (toWidth != width || toHeight != height) return Resampled(decoded.pixels.data(), width, height, toWidth, toHeight);
  std::uint32_t* bits = nullptr;
  HBITMAP result = NewPixels(width, height, bits);
  if (result) std::memcpy(bits, decoded.pixels.data(), decoded.pixels.size() * sizeof bits[0]);
  return result;
}

}  // namespace tallow::win32
