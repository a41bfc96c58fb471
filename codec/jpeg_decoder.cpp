#include "codec/jpeg_decoder.h"

#include <cstring>

namespace tallow {
namespace {

// Larger pictures (the idler's are a few hundred pixels) are refused rather
// than allocated.
constexpr int kMaxSide = 2048;

// Where the n-th coefficient of the zigzag order goes in the 8 x 8 block.
const unsigned char kNatural[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

struct Huffman {
  bool defined = false;
  int count = 0;
  unsigned char values[256] = {};
  int maxCode[17] = {};      // the last code of each length, -1 where there is none
  int valueOffset[17] = {};  // index in `values` of a code of that length, less the code
  // The next 9 bits straight to a symbol: its code length (0: longer or none) and value.
  unsigned char fastLength[512] = {};
  unsigned char fastValue[512] = {};
};

struct Component {
  int id = 0;
  int h = 1, v = 1;  // sampling factors
  int table = 0;     // quantisation table
  int dc = 0, ac = 0;
  int blocksWide = 0, blocksHigh = 0;
  std::vector<unsigned char> samples;  // blocksWide * 8 wide
  int prediction = 0;
};

// The entropy-coded data of a scan, bit by bit; at a marker or the end it
// supplies zeros and counts them, so that reading past the data shows.
class BitReader {
 public:
  BitReader(const unsigned char* at, const unsigned char* end) : at_(at), end_(end) {}

  int Peek(int n) {
    while (count_ <= 24) {
      buffer_ |= static_cast<std::uint32_t>(NextByte()) << (24 - count_);
      count_ += 8;
    }
    return static_cast<int>(buffer_ >> (32 - n));
  }
  void Skip(int n) {
    buffer_ <<= n;
    count_ -= n;
  }
  int Get(int n) {
    const int value = Peek(n);
    Skip(n);
    return value;
  }
  // Bits taken that the data did not have.
  bool Overran() const { return missing_ * 8 > count_; }

 private:
  unsigned NextByte() {
    if (!marker_ && at_ < end_) {
      if (*at_ != 0xFF) return *at_++;
      if (end_ - at_ >= 2 && at_[1] == 0) {  // a stuffed 0xFF
        at_ += 2;
        return 0xFF;
      }
      marker_ = true;  // the scan's data ends here
    }
    ++missing_;
    return 0;
  }

  const unsigned char* at_;
  const unsigned char* end_;
  std::uint32_t buffer_ = 0;
  int count_ = 0;
  int missing_ = 0;
  bool marker_ = false;
};

bool BuildHuffman(const unsigned char counts[16], const unsigned char* values, int total, Huffman& table) {
  table = Huffman{};
  table.count = total;
  std::memcpy(table.values, values, static_cast<std::size_t>(total));
  int code = 0, index = 0;
  for (int length = 1; length <= 16; ++length) {
    table.valueOffset[length] = index - code;
    for (int i = 0; i < counts[length - 1]; ++i, ++code, ++index) {
      if (code >= 1 << length) return false;  // more codes than this length holds
      if (length <= 9) {
        const int first = code << (9 - length);
        for (int fill = 0; fill < 1 << (9 - length); ++fill) {
          table.fastLength[first + fill] = static_cast<unsigned char>(length);
          table.fastValue[first + fill] = values[index];
        }
      }
    }
    table.maxCode[length] = counts[length - 1] ? code - 1 : -1;
    code <<= 1;
  }
  table.defined = true;
  return true;
}

int DecodeSymbol(BitReader& bits, const Huffman& table) {
  const int next9 = bits.Peek(9);
  if (const int length = table.fastLength[next9]) {
    bits.Skip(length);
    return table.fastValue[next9];
  }
  const int next16 = bits.Peek(16);
  for (int length = 10; length <= 16; ++length) {
    const int code = next16 >> (16 - length);
    if (code <= table.maxCode[length]) {
      bits.Skip(length);
      const int index = table.valueOffset[length] + code;
      return index >= 0 && index < table.count ? table.values[index] : -1;
    }
  }
  return -1;
}

// The `n`-bit field of a coefficient as the signed value it codes.
int Extended(BitReader& bits, int n) {
  if (n == 0) return 0;
  const int value = bits.Get(n);
  return value < 1 << (n - 1) ? value - (1 << n) + 1 : value;
}

// The IJG library's accurate integer inverse DCT (jidctint.c's method):
// columns, then rows, 13 fraction bits, 2 more kept between the passes. In
// 32 bits as that library's are, unsigned so that the nonsense a damaged
// file makes wraps around rather than overflowing; the same results as
// signed arithmetic wherever those have no overflow, as in every picture
// that is not damaged.
using Bits32 = std::uint32_t;
constexpr int kConstBits = 13, kPass1Bits = 2;
constexpr Bits32 kFix0_298631336 = 2446, kFix0_390180644 = 3196, kFix0_541196100 = 4433, kFix0_765366865 = 6270,
                 kFix0_899976223 = 7373, kFix1_175875602 = 9633, kFix1_501321110 = 12299, kFix1_847759065 = 15137,
                 kFix1_961570560 = 16069, kFix2_053119869 = 16819, kFix2_562915447 = 20995, kFix3_072711026 = 25172;

std::int32_t Descaled(Bits32 x, int n) { return static_cast<std::int32_t>(x + (Bits32{1} << (n - 1))) >> n; }

// One 8-point pass over in[0], in[stride], ...; out[0..7] before descaling.
void Pass(const Bits32* in, int stride, Bits32 out[8]) {
  Bits32 z2 = in[2 * stride], z3 = in[6 * stride];
  Bits32 z1 = (z2 + z3) * kFix0_541196100;
  Bits32 tmp2 = z1 - z3 * kFix1_847759065;
  Bits32 tmp3 = z1 + z2 * kFix0_765366865;
  const Bits32 tmp0e = (in[0] + in[4 * stride]) << kConstBits;
  const Bits32 tmp1e = (in[0] - in[4 * stride]) << kConstBits;
  const Bits32 tmp10 = tmp0e + tmp3, tmp13 = tmp0e - tmp3, tmp11 = tmp1e + tmp2, tmp12 = tmp1e - tmp2;

  Bits32 tmp0 = in[7 * stride], tmp1 = in[5 * stride];
  tmp2 = in[3 * stride];
  tmp3 = in[stride];
  z1 = tmp0 + tmp3;
  z2 = tmp1 + tmp2;
  z3 = tmp0 + tmp2;
  Bits32 z4 = tmp1 + tmp3;
  const Bits32 z5 = (z3 + z4) * kFix1_175875602;
  tmp0 *= kFix0_298631336;
  tmp1 *= kFix2_053119869;
  tmp2 *= kFix3_072711026;
  tmp3 *= kFix1_501321110;
  z1 = 0 - z1 * kFix0_899976223;
  z2 = 0 - z2 * kFix2_562915447;
  z3 = z5 - z3 * kFix1_961570560;
  z4 = z5 - z4 * kFix0_390180644;
  tmp0 += z1 + z3;
  tmp1 += z2 + z4;
  tmp2 += z2 + z3;
  tmp3 += z1 + z4;

  out[0] = tmp10 + tmp3;
  out[7] = tmp10 - tmp3;
  out[1] = tmp11 + tmp2;
  out[6] = tmp11 - tmp2;
  out[2] = tmp12 + tmp1;
  out[5] = tmp12 - tmp1;
  out[3] = tmp13 + tmp0;
  out[4] = tmp13 - tmp0;
}

void InverseDct(const Bits32 coefficients[64], unsigned char* to, int stride) {
  Bits32 work[64], out[8];
  for (int column = 0; column < 8; ++column) {
    Pass(coefficients + column, 8, out);
    for (int row = 0; row < 8; ++row)
      work[row * 8 + column] = static_cast<Bits32>(Descaled(out[row], kConstBits - kPass1Bits));
  }
  for (int row = 0; row < 8; ++row) {
    Pass(work + row * 8, 1, out);
    for (int column = 0; column < 8; ++column) {
      const std::int32_t sample = Descaled(out[column], kConstBits + kPass1Bits + 3) + 128;
      to[row * stride + column] = static_cast<unsigned char>(sample < 0 ? 0 : sample > 255 ? 255 : sample);
    }
  }
}

class Decoder {
 public:
  Decoder(const unsigned char* data, std::size_t size) : at_(data), end_(data + size) {}

  bool Run(DecodedPicture& picture) {
    if (Byte() != 0xFF || Byte() != 0xD8) return false;
    for (;;) {
      if (Byte() != 0xFF) return false;
      int marker = Byte();
      while (marker == 0xFF) marker = Byte();  // fill bytes
      if (marker < 0) return false;
      if (marker == 0xD9) return false;  // the end, and no picture yet
      const int length = Word();
      if (length < 2 || end_ - at_ < length - 2) return false;
      const unsigned char* segment = at_;
      at_ += length - 2;
      const int bytes = length - 2;
      bool ok = true;
      if (marker == 0xC0 || marker == 0xC1) {
        ok = ReadFrame(segment, bytes);
      } else if (marker == 0xC4) {
        ok = ReadHuffman(segment, bytes);
      } else if (marker == 0xDB) {
        ok = ReadQuantisation(segment, bytes);
      } else if (marker == 0xDD) {
        // Restart intervals, which the idler's pictures do not have.
        ok = bytes == 2 && segment[0] == 0 && segment[1] == 0;
      } else if (marker == 0xEE) {
        // Adobe's segment: transform 0 would make the components R, G, B.
        ok = !(bytes >= 12 && std::memcmp(segment, "Adobe", 5) == 0 && segment[11] == 0);
      } else if (marker == 0xDA) {
        return ReadScan(segment, bytes) && Finish(picture);
      } else if ((marker >= 0xC2 && marker <= 0xCF) || marker == 0xDC || marker == 0xDE || marker == 0xDF) {
        return false;  // progressive, lossless, hierarchical or arithmetic-coded
      }
      if (!ok) return false;
    }
  }

 private:
  int Byte() { return at_ < end_ ? *at_++ : -1; }
  int Word() {
    const int high = Byte(), low = Byte();
    return high < 0 || low < 0 ? -1 : high << 8 | low;
  }

  bool ReadQuantisation(const unsigned char* at, int bytes) {
    while (bytes > 0) {
      const int precision = at[0] >> 4, id = at[0] & 15;
      const int needed = 1 + 64 * (precision ? 2 : 1);
      if (id > 3 || precision > 1 || bytes < needed) return false;
      for (int k = 0; k < 64; ++k) quantisation_[id][k] = precision ? at[1 + 2 * k] << 8 | at[2 + 2 * k] : at[1 + k];
      haveQuantisation_[id] = true;
      at += needed;
      bytes -= needed;
    }
    return true;
  }

  bool ReadHuffman(const unsigned char* at, int bytes) {
    while (bytes > 0) {
      if (bytes < 17) return false;
      const int kind = at[0] >> 4, id = at[0] & 15;
      if (kind > 1 || id > 3) return false;
      int total = 0;
      for (int i = 0; i < 16; ++i) total += at[1 + i];
      if (total > 256 || bytes < 17 + total) return false;
      if (!BuildHuffman(at + 1, at + 17, total, (kind ? ac_ : dc_)[id])) return false;
      at += 17 + total;
      bytes -= 17 + total;
    }
    return true;
  }

  bool ReadFrame(const unsigned char* at, int bytes) {
    if (bytes < 6 || width_ || at[0] != 8) return false;
    height_ = at[1] << 8 | at[2];
    width_ = at[3] << 8 | at[4];
    count_ = at[5];
    if (width_ <= 0 || height_ <= 0 || width_ > kMaxSide || height_ > kMaxSide) return false;
    if ((count_ != 1 && count_ != 3) || bytes != 6 + 3 * count_) return false;
    for (int i = 0; i < count_; ++i) {
      Component& c = components_[i];
      c.id = at[6 + 3 * i];
      c.h = at[7 + 3 * i] >> 4;
      c.v = at[7 + 3 * i] & 15;
      c.table = at[8 + 3 * i];
      if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4 || c.table > 3) return false;
      if (count_ == 1) c.h = c.v = 1;  // one component: every block is a unit of its own
      if (c.h > maxH_) maxH_ = c.h;
      if (c.v > maxV_) maxV_ = c.v;
    }
    mcusWide_ = (width_ + 8 * maxH_ - 1) / (8 * maxH_);
    mcusHigh_ = (height_ + 8 * maxV_ - 1) / (8 * maxV_);
    for (int i = 0; i < count_; ++i) {
      Component& c = components_[i];
      c.blocksWide = mcusWide_ * c.h;
      c.blocksHigh = mcusHigh_ * c.v;
      c.samples.assign(static_cast<std::size_t>(c.blocksWide) * c.blocksHigh * 64, 0);
    }
    return true;
  }

  // One scan holding every component, as baseline files that are not split
  // into scans per component have it.
  bool ReadScan(const unsigned char* at, int bytes) {
    if (!width_ || bytes < 1 || at[0] != count_ || bytes != 4 + 2 * count_) return false;
    Component* order[3] = {};
    for (int i = 0; i < count_; ++i) {
      const int id = at[1 + 2 * i];
      for (int j = 0; j < count_; ++j)
        if (components_[j].id == id && !order[i]) order[i] = &components_[j];
      if (!order[i]) return false;
      order[i]->dc = at[2 + 2 * i] >> 4;
      order[i]->ac = at[2 + 2 * i] & 15;
      if (order[i]->dc > 3 || order[i]->ac > 3 || !dc_[order[i]->dc].defined || !ac_[order[i]->ac].defined ||
          !haveQuantisation_[order[i]->table])
        return false;
    }
    const unsigned char* tail = at + 1 + 2 * count_;
    if (tail[0] != 0 || tail[1] != 63 || tail[2] != 0) return false;  // the whole spectrum, no approximation

    BitReader bits(at_, end_);
    Bits32 coefficients[64];
    for (int my = 0; my < mcusHigh_; ++my) {
      for (int mx = 0; mx < mcusWide_; ++mx) {
        for (int i = 0; i < count_; ++i) {
          Component& c = *order[i];
          for (int by = 0; by < c.v; ++by)
            for (int bx = 0; bx < c.h; ++bx) {
              if (!DecodeBlock(bits, c, coefficients)) return false;
              const std::size_t stride = static_cast<std::size_t>(c.blocksWide) * 8;
              const std::size_t row = static_cast<std::size_t>(my * c.v + by) * 8, column = (mx * c.h + bx) * 8;
              InverseDct(coefficients, &c.samples[row * stride + column], static_cast<int>(stride));
            }
        }
      }
    }
    return !bits.Overran();
  }

  bool DecodeBlock(BitReader& bits, Component& c, Bits32 coefficients[64]) {
    const int* q = quantisation_[c.table];
    for (int k = 0; k < 64; ++k) coefficients[k] = 0;
    const int size = DecodeSymbol(bits, dc_[c.dc]);
    if (size < 0 || size > 11) return false;
    c.prediction += Extended(bits, size);
    if (c.prediction < -32768 || c.prediction > 32767) return false;
    coefficients[0] = static_cast<Bits32>(c.prediction) * static_cast<Bits32>(q[0]);
    for (int k = 1; k < 64;) {
      const int symbol = DecodeSymbol(bits, ac_[c.ac]);
      if (symbol < 0) return false;
      const int run = symbol >> 4, bitsOfValue = symbol & 15;
      if (bitsOfValue == 0) {
        if (run != 15) break;  // the end of the block
        k += 16;
        continue;
      }
      k += run;
      if (k > 63) return false;
      coefficients[kNatural[k]] = static_cast<Bits32>(Extended(bits, bitsOfValue)) * static_cast<Bits32>(q[k]);
      ++k;
    }
    return true;
  }

  bool Finish(DecodedPicture& picture) {
    picture.width = width_;
    picture.height = height_;
    picture.pixels.assign(static_cast<std::size_t>(width_) * height_, 0);
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) {
        int sample[3];
        for (int i = 0; i < count_; ++i) {
          const Component& c = components_[i];
          const std::size_t stride = static_cast<std::size_t>(c.blocksWide) * 8;
          // Subsampled components are repeated over the pixels they cover.
          sample[i] = c.samples[static_cast<std::size_t>(y * c.v / maxV_) * stride + x * c.h / maxH_];
        }
        int r, g, b;
        if (count_ == 1) {
          r = g = b = sample[0];
        } else {
          // JFIF's YCbCr, in the IJG library's 16-bit fixed point.
          const int cb = sample[1] - 128, cr = sample[2] - 128;
          r = sample[0] + ((91881 * cr + 32768) >> 16);
          g = sample[0] + ((-22554 * cb + 32768 - 46802 * cr) >> 16);
          b = sample[0] + ((116130 * cb + 32768) >> 16);
        }
        auto clamp = [](int v) { return static_cast<std::uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
        picture.pixels[static_cast<std::size_t>(y) * width_ + x] = clamp(r) << 16 | clamp(g) << 8 | clamp(b);
      }
    return true;
  }

  const unsigned char* at_;
  const unsigned char* end_;
  int quantisation_[4][64] = {};  // in zigzag order, as the file has them
  bool haveQuantisation_[4] = {};
  Huffman dc_[4], ac_[4];
  Component components_[3];
  int count_ = 0, width_ = 0, height_ = 0, maxH_ = 1, maxV_ = 1, mcusWide_ = 0, mcusHigh_ = 0;
};

}  // namespace

bool DecodeJpeg(const unsigned char* data, std::size_t size, DecodedPicture& picture) {
  picture = DecodedPicture{};
  if (!data) return false;
  Decoder decoder(data, size);
  if (decoder.Run(picture)) return true;
  picture = DecodedPicture{};
  return false;
}

}  // namespace tallow
