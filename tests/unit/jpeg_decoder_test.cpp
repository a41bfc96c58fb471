// The pictures' decoder against the IJG library's own decoder (through
// ImageMagick's convert, which ./test installs): the same pixels, byte for
// byte, for the idler's two pictures and for the forms a baseline file can
// take; other files refused; damaged ones never read out of bounds (the
// sanitizer run of ./test checks that).
#include "codec/jpeg_decoder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace tallow {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes ReadAll(FILE* from) {
  Bytes bytes;
  unsigned char chunk[65536];
  for (std::size_t got; from && (got = std::fread(chunk, 1, sizeof chunk, from)) > 0;)
    bytes.insert(bytes.end(), chunk, chunk + got);
  return bytes;
}

Bytes FileBytes(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  Bytes bytes = ReadAll(file);
  if (file) std::fclose(file);
  return bytes;
}

// The output of a shell command.
Bytes Output(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  Bytes bytes = ReadAll(pipe);
  if (pipe) pclose(pipe);
  return bytes;
}

std::string Resource(const char* name) { return std::string(TALLOW_RESOURCES_DIR) + "/" + name; }

// `source` written again by convert with `options`, as a file of its own
// for as long as this lives.
struct Converted {
  Converted(const std::string& source, const std::string& options, const std::string& name)
      : path(testing::TempDir() + "jpeg-" + std::to_string(getpid()) + "-" + name + ".jpg") {
    Output("convert '" + source + "' " + options + " 'JPEG:" + path + "' 2>&1");
  }
  ~Converted() { std::remove(path.c_str()); }
  const std::string path;
};

// Decodes `path` with our decoder and with libjpeg; the pixels must agree,
// or where `meanDifference` is given, differ by no more than that on average.
void ExpectDecodedAsLibjpegDoes(const std::string& path, int width, int height, double meanDifference = 0) {
  SCOPED_TRACE(path);
  const Bytes file = FileBytes(path);
  ASSERT_FALSE(file.empty());
  DecodedPicture picture;
  ASSERT_TRUE(DecodeJpeg(file.data(), file.size(), picture));
  EXPECT_EQ(picture.width, width);
  EXPECT_EQ(picture.height, height);
  const Bytes reference = Output("convert '" + path + "' -depth 8 rgb:-");
  ASSERT_EQ(reference.size(), picture.pixels.size() * 3) << "convert (ImageMagick) gave no picture";
  std::size_t differing = 0, first = 0;
  double total = 0;
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    const std::uint32_t p = picture.pixels[i];
    if (p >> 24) ADD_FAILURE() << "pixel " << i << " has a fourth byte";
    bool same = true;
    for (int c = 0; c < 3; ++c) {
      const int mine = static_cast<int>(p >> (16 - 8 * c) & 0xFF), theirs = reference[i * 3 + c];
      total += mine > theirs ? mine - theirs : theirs - mine;
      same = same && mine == theirs;
    }
    if (!same && differing++ == 0) first = i;
  }
  if (meanDifference == 0) {
    EXPECT_EQ(differing, 0u) << "pixels that differ from libjpeg's, the first at (" << first % width << ", "
                             << first / width << ")";
  } else {
    EXPECT_LT(total / static_cast<double>(reference.size()), meanDifference);
  }
}

TEST(JpegDecoder, ThePicturesDecodeAsLibjpegDecodesThem) {
  ExpectDecodedAsLibjpegDoes(Resource("main-background.jpg"), 200, 201);
  ExpectDecodedAsLibjpegDoes(Resource("dedication.jpg"), 308, 410);
}

TEST(JpegDecoder, GreyAndOddSizedPicturesDecodeAsLibjpegDecodesThem) {
  const std::string photo = Resource("dedication.jpg");
  ExpectDecodedAsLibjpegDoes(Converted(photo, "-colorspace gray", "grey").path, 308, 410);
  // An odd size: the last row and column of blocks are partly outside.
  ExpectDecodedAsLibjpegDoes(Converted(photo, "-crop 301x207+3+5 +repage -sampling-factor 1x1", "odd").path, 301, 207);
}

TEST(JpegDecoder, SubsampledColourIsRepeatedOverItsPixels) {
  // libjpeg interpolates subsampled colour and this decoder repeats it, so
  // the pixels differ a little at colour edges (the idler's pictures are not
  // subsampled); a block out of place would differ by far more.
  const std::string photo = Resource("dedication.jpg");
  ExpectDecodedAsLibjpegDoes(Converted(photo, "-sampling-factor 2x2", "420").path, 308, 410, 1.0);
  ExpectDecodedAsLibjpegDoes(Converted(photo, "-sampling-factor 2x1", "422").path, 308, 410, 1.0);
}

TEST(JpegDecoder, RefusesWhatIsNotABaselinePicture) {
  DecodedPicture picture;
  const Bytes progressive =
      FileBytes(Converted(Resource("main-background.jpg"), "-interlace Plane", "progressive").path);
  ASSERT_FALSE(progressive.empty());
  EXPECT_FALSE(DecodeJpeg(progressive.data(), progressive.size(), picture));
  EXPECT_TRUE(picture.pixels.empty());
  const Bytes png = Output("convert '" + Resource("main-background.jpg") + "' png:-");
  EXPECT_FALSE(DecodeJpeg(png.data(), png.size(), picture));
  EXPECT_FALSE(DecodeJpeg(nullptr, 0, picture));
  // The leaf with a segment put in after its start: a restart interval, or
  // Adobe's mark of R, G, B components; and the same segments harmless.
  const Bytes leaf = FileBytes(Resource("main-background.jpg"));
  ASSERT_FALSE(leaf.empty());
  auto withSegment = [&](const Bytes& segment) {
    Bytes file(leaf.begin(), leaf.begin() + 2);
    file.insert(file.end(), segment.begin(), segment.end());
    file.insert(file.end(), leaf.begin() + 2, leaf.end());
    return DecodeJpeg(file.data(), file.size(), picture);
  };
  EXPECT_FALSE(withSegment({0xFF, 0xDD, 0, 4, 0, 3}));
  EXPECT_TRUE(withSegment({0xFF, 0xDD, 0, 4, 0, 0}));
  Bytes adobe = {0xFF, 0xEE, 0, 14, 'A', 'd', 'o', 'b', 'e', 0, 100, 0, 0, 0, 0, 0};
  EXPECT_FALSE(withSegment(adobe));
  adobe.back() = 1;  // YCbCr
  EXPECT_TRUE(withSegment(adobe));
}

TEST(JpegDecoder, DamagedPicturesAreRefusedOrDecodedWithinBounds) {
  const Bytes file = FileBytes(Resource("main-background.jpg"));
  ASSERT_FALSE(file.empty());
  DecodedPicture picture;
  // Cut anywhere before its scan's end, the picture is refused.
  for (std::size_t length = 0; length + 16 < file.size(); length += 7) {
    const Bytes cut(file.begin(), file.begin() + static_cast<long>(length));
    EXPECT_FALSE(DecodeJpeg(cut.data(), cut.size(), picture)) << "cut to " << length << " bytes";
  }
  // A Huffman table with more codes than its lengths hold: three of one bit,
  // taken from a longer length so that the table's size stays right.
  Bytes overfull = file;
  bool made = false;
  for (std::size_t i = 0; !made && i + 21 < overfull.size(); ++i)
    if (overfull[i] == 0xFF && overfull[i + 1] == 0xC4)
      for (std::size_t length = 2; !made && length <= 16; ++length)
        if (overfull[i + 4 + length] >= 3) {
          overfull[i + 4 + length] = static_cast<unsigned char>(overfull[i + 4 + length] - 3);
          overfull[i + 5] = static_cast<unsigned char>(overfull[i + 5] + 3);
          made = true;
        }
  ASSERT_TRUE(made);
  EXPECT_FALSE(DecodeJpeg(overfull.data(), overfull.size(), picture));
  // Flipped bits decode to something or nothing, never out of bounds.
  unsigned seed = 21;
  for (int round = 0; round < 400; ++round) {
    Bytes damaged = file;
    for (int flip = 0; flip < 3; ++flip) {
      seed = seed * 1103515245u + 12345u;
      damaged[(seed >> 8) % damaged.size()] ^= static_cast<unsigned char>(1u << ((seed >> 4) & 7));
    }
    if (DecodeJpeg(damaged.data(), damaged.size(), picture)) {
      EXPECT_EQ(picture.pixels.size(), static_cast<std::size_t>(picture.width) * picture.height);
    }
  }
}

}  // namespace
}  // namespace tallow
