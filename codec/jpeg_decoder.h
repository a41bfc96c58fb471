#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tallow {

// A decoded picture: `width` x `height` pixels, top row first, each
// 0x00RRGGBB (in memory B, G, R, 0: a 32-bit Windows DIB's order).
struct DecodedPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// Decodes a baseline JPEG (8-bit Huffman-coded DCT, one scan, grey or YCbCr,
// no restart intervals, as the idler's own pictures are) with the same
// integer arithmetic as the IJG library's default decoder; subsampled colour
// is repeated over its pixels, where that library interpolates it. False,
// with `picture` empty, for anything else (progressive or arithmetic-coded
// files, restart intervals, RGB or CMYK components, damaged data).
bool DecodeJpeg(const unsigned char* data, std::size_t size, DecodedPicture& picture);

}  // namespace tallow
