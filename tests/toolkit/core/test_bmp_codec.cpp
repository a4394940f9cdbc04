#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "toolkit/core/bmp_codec.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutU16(Bytes& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutU32(Bytes& b, std::uint32_t v) {
  PutU16(b, v & 0xFFFF);
  PutU16(b, v >> 16);
}
void SetU32(Bytes& b, size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A BMP file built field by field, the way other programs write them.
struct InfoBmp {
  std::int32_t width = 1;
  std::int32_t height = 1;
  int bitCount = 24;
  std::uint32_t compression = 0;
  std::uint32_t headerSize = 40;
  std::uint32_t colorsUsed = 0;
  std::vector<TColor> palette;
  std::optional<std::array<std::uint32_t, 4>> masks;  // red, green, blue, alpha
  Bytes pixels;

  Bytes Build() const {
    Bytes info;
    PutU32(info, headerSize);
    PutU32(info, static_cast<std::uint32_t>(width));
    PutU32(info, static_cast<std::uint32_t>(height));
    PutU16(info, 1);
    PutU16(info, bitCount);
    PutU32(info, compression);
    PutU32(info, static_cast<std::uint32_t>(pixels.size()));
    for (int i = 0; i < 2; ++i) PutU32(info, 2835);
    PutU32(info, colorsUsed);
    PutU32(info, 0);
    // The masks sit in the longer headers, or follow a plain one (alpha only with BI_ALPHABITFIELDS).
    if (masks) {
      const int count = headerSize >= 56 || compression == 6 ? 4 : 3;
      for (int i = 0; i < count; ++i) PutU32(info, (*masks)[i]);
    }
    while (info.size() < headerSize) info.push_back(0);
    for (TColor c : palette) {
      info.insert(info.end(), {ColorBlue(c), ColorGreen(c), ColorRed(c), 0});
    }
    Bytes file{'B', 'M'};
    PutU32(file, static_cast<std::uint32_t>(14 + info.size() + pixels.size()));
    PutU32(file, 0);
    PutU32(file, static_cast<std::uint32_t>(14 + info.size()));
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
  }
};

Bytes CoreBmp(int width, int height, int bitCount, const std::vector<TColor>& palette, const Bytes& pixels) {
  Bytes file{'B', 'M'};
  PutU32(file, 0);
  PutU32(file, 0);
  PutU32(file, static_cast<std::uint32_t>(14 + 12 + palette.size() * 3));
  PutU32(file, 12);
  PutU16(file, width);
  PutU16(file, height);
  PutU16(file, 1);
  PutU16(file, bitCount);
  for (TColor c : palette) file.insert(file.end(), {ColorBlue(c), ColorGreen(c), ColorRed(c)});
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

TBitmapPixels Decode(const Bytes& file) { return DecodeBmp(file); }

std::vector<TColor> Row(const TBitmapPixels& b, int y) {
  std::vector<TColor> row;
  for (int x = 0; x < b.Width(); ++x) row.push_back(b.GetPixel(x, y));
  return row;
}

constexpr TColor kA = 0x112233, kB = 0x445566, kC = 0x778899, kD = 0xAABBCC;

}  // namespace

TEST(BmpDecode, TrueColorRowsBottomUpAndTopDownWithPadding) {
  InfoBmp bmp;
  bmp.width = 3;  // 9 bytes a row, 3 of padding
  bmp.height = 2;
  bmp.pixels = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0, 0, 0,
                0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0, 0, 0};
  TBitmapPixels up = Decode(bmp.Build());
  ASSERT_EQ(up.Width(), 3);
  ASSERT_EQ(up.Height(), 2);
  EXPECT_EQ(up.PixelFormat(), pf24bit);
  EXPECT_EQ(Row(up, 1), (std::vector<TColor>{0x010203, 0x040506, 0x070809}));  // first stored row is the bottom
  EXPECT_EQ(Row(up, 0), (std::vector<TColor>{0x111213, 0x141516, 0x171819}));

  bmp.height = -2;
  TBitmapPixels down = Decode(bmp.Build());
  ASSERT_EQ(down.Height(), 2);
  EXPECT_EQ(Row(down, 0), Row(up, 1));
  EXPECT_EQ(Row(down, 1), Row(up, 0));

  // The very last row may come without its padding.
  Bytes file = bmp.Build();
  file.resize(file.size() - 3);
  EXPECT_TRUE(Decode(file).SamePixels(down));
}

TEST(BmpDecode, ThirtyTwoBitsKeepTheFourthByte) {
  InfoBmp bmp;
  bmp.width = 2;
  bmp.bitCount = 32;
  bmp.pixels = {0x01, 0x02, 0x03, 0x80, 0x04, 0x05, 0x06, 0xFF};
  TBitmapPixels b = Decode(bmp.Build());
  EXPECT_EQ(b.PixelFormat(), pf32bit);
  EXPECT_EQ(b.GetPixel(0, 0), 0x010203);
  EXPECT_EQ(b.ScanLine(0)[3], 0x80);
  EXPECT_EQ(b.ScanLine(0)[7], 0xFF);
}

TEST(BmpDecode, PalettedDepths) {
  InfoBmp eight;
  eight.bitCount = 8;
  eight.width = 3;
  eight.colorsUsed = 3;
  eight.palette = {kA, kB, kC};
  eight.pixels = {2, 0, 7, 0};  // index 7 lies beyond the 3 colours: black
  EXPECT_EQ(Row(Decode(eight.Build()), 0), (std::vector<TColor>{kC, kA, clBlack}));

  InfoBmp four;
  four.bitCount = 4;
  four.width = 3;
  four.height = 2;
  four.palette.assign(16, kD);
  four.palette[1] = kA;
  four.palette[2] = kB;
  four.pixels = {0x12, 0x10, 0, 0, 0x21, 0x20, 0, 0};
  TBitmapPixels b4 = Decode(four.Build());
  EXPECT_EQ(Row(b4, 1), (std::vector<TColor>{kA, kB, kA}));
  EXPECT_EQ(Row(b4, 0), (std::vector<TColor>{kB, kA, kB}));

  InfoBmp one;
  one.bitCount = 1;
  one.width = 10;
  one.palette = {kA, kB};
  one.pixels = {0b10100000, 0b01000000, 0, 0};
  EXPECT_EQ(Row(Decode(one.Build()), 0), (std::vector<TColor>{kB, kA, kB, kA, kA, kA, kA, kA, kA, kB}));
}

TEST(BmpDecode, OldCoreHeader) {
  TBitmapPixels p = Decode(CoreBmp(2, 1, 8, std::vector<TColor>(256, kC), {0, 255, 0, 0}));
  EXPECT_EQ(Row(p, 0), (std::vector<TColor>{kC, kC}));
  TBitmapPixels t = Decode(CoreBmp(1, 2, 24, {}, {0x01, 0x02, 0x03, 0, 0x04, 0x05, 0x06, 0}));
  EXPECT_EQ(t.GetPixel(0, 0), 0x040506);
  EXPECT_EQ(t.GetPixel(0, 1), 0x010203);
}

TEST(BmpDecode, BitfieldMasksInEveryPlace) {
  // Red in the low byte, blue in the third: not the usual order.
  InfoBmp plain;
  plain.bitCount = 32;
  plain.compression = 3;
  plain.masks = std::array<std::uint32_t, 4>{0x000000FF, 0x0000FF00, 0x00FF0000, 0};
  plain.pixels = {0x11, 0x22, 0x33, 0x44};
  TBitmapPixels p = Decode(plain.Build());
  EXPECT_EQ(p.GetPixel(0, 0), RGBToColor(0x11, 0x22, 0x33));
  EXPECT_EQ(p.ScanLine(0)[3], 0);  // no alpha mask

  InfoBmp v5 = plain;
  v5.headerSize = 124;
  v5.masks = std::array<std::uint32_t, 4>{0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  TBitmapPixels q = Decode(v5.Build());
  EXPECT_EQ(q.GetPixel(0, 0), 0x112233);
  EXPECT_EQ(q.ScanLine(0)[3], 0x44);

  InfoBmp rgb565;
  rgb565.bitCount = 16;
  rgb565.width = 2;
  rgb565.compression = 3;
  rgb565.masks = std::array<std::uint32_t, 4>{0xF800, 0x07E0, 0x001F, 0};
  rgb565.pixels = {0x1F, 0xF8, 0xE0, 0x07};  // pure red-and-blue, pure green
  EXPECT_EQ(Row(Decode(rgb565.Build()), 0), (std::vector<TColor>{clFuchsia, clLime}));

  InfoBmp rgb555;
  rgb555.bitCount = 16;
  rgb555.pixels = {0x00, 0x7C, 0, 0};
  EXPECT_EQ(Decode(rgb555.Build()).GetPixel(0, 0), clRed);
}

TEST(BmpDecode, RunLengthEncoded) {
  InfoBmp rle8;
  rle8.bitCount = 8;
  rle8.compression = 1;
  rle8.width = 4;
  rle8.height = 3;
  rle8.palette = {kA, kB, kC, kD};
  rle8.colorsUsed = 4;
  rle8.pixels = {0, 2, 1, 0,        // delta: one to the right
                 3, 1,              // bottom row: three of colour 1
                 0, 0,              // end of line
                 0, 3, 2, 3, 0, 0,  // absolute block of three, padded to an even length
                 0, 2, 0, 1,        // delta: one row up, same column
                 9, 2,              // a run longer than the row is cut at its end
                 0, 1};             // end of bitmap
  TBitmapPixels b = Decode(rle8.Build());
  EXPECT_EQ(Row(b, 2), (std::vector<TColor>{clBlack, kB, kB, kB}));
  EXPECT_EQ(Row(b, 1), (std::vector<TColor>{kC, kD, kA, clBlack}));
  EXPECT_EQ(Row(b, 0), (std::vector<TColor>{clBlack, clBlack, clBlack, kC}));

  InfoBmp rle4 = rle8;
  rle4.bitCount = 4;
  rle4.compression = 2;
  rle4.height = 1;
  rle4.pixels = {3, 0x12};  // no end-of-bitmap: the data just ends
  EXPECT_EQ(Row(Decode(rle4.Build()), 0), (std::vector<TColor>{kB, kC, kB, clBlack}));
  rle4.pixels = {0, 3, 0x32, 0x10, 0, 1};
  EXPECT_EQ(Row(Decode(rle4.Build()), 0), (std::vector<TColor>{kD, kC, kB, clBlack}));
}

TEST(BmpDecode, BrokenFilesAreInvalidImages) {
  InfoBmp good;
  good.width = 3;
  good.height = 2;
  good.pixels.assign(24, 0x55);
  const Bytes file = good.Build();

  auto expectInvalid = [](const Bytes& bytes, const char* what) {
    try {
      DecodeBmp(bytes);
      ADD_FAILURE() << what << ": decoded";
    } catch (const EInvalidImage& e) {
      EXPECT_STREQ(e.what(), "Bitmap image is not valid") << what;
    }
  };
  expectInvalid({}, "empty");
  // Every truncation short of the last row's padding.
  for (size_t n = 0; n < file.size() - 3; ++n) expectInvalid(Bytes(file.begin(), file.begin() + n), "truncated");

  Bytes bad = file;
  bad[0] = 'X';
  expectInvalid(bad, "magic");
  bad = file;
  SetU32(bad, 10, 0x7FFFFFFF);
  expectInvalid(bad, "pixel offset beyond the end");
  bad = file;
  SetU32(bad, 14, 5000);
  expectInvalid(bad, "header longer than the file");
  bad = file;
  SetU32(bad, 14, 20);
  expectInvalid(bad, "unknown header");

  struct Lie {
    std::int32_t width, height;
    int bitCount;
    std::uint32_t compression;
    const char* what;
  };
  for (const Lie& lie :
       {Lie{0, 2, 24, 0, "zero width"}, Lie{-3, 2, 24, 0, "negative width"}, Lie{3, 0, 24, 0, "zero height"},
        Lie{3, INT32_MIN, 24, 0, "lowest height"}, Lie{40000, 1, 24, 0, "side too long"},
        Lie{20000, 20000, 24, 0, "too many bytes"}, Lie{3, 200, 24, 0, "more rows than data"},
        Lie{3, 2, 7, 0, "odd depth"}, Lie{3, 2, 24, 4, "JPEG inside"}, Lie{3, 2, 24, 1, "RLE8 at 24 bits"},
        Lie{3, 2, 8, 2, "RLE4 at 8 bits"}, Lie{3, 2, 24, 3, "bit fields at 24 bits"}}) {
    InfoBmp b = good;
    b.width = lie.width;
    b.height = lie.height;
    b.bitCount = lie.bitCount;
    b.compression = lie.compression;
    expectInvalid(b.Build(), lie.what);
  }

  InfoBmp noPalette = good;
  noPalette.bitCount = 8;
  noPalette.colorsUsed = 200;
  noPalette.pixels.clear();
  expectInvalid(noPalette.Build(), "palette beyond the end");

  InfoBmp rle = good;
  rle.bitCount = 8;
  rle.compression = 1;
  rle.palette = {kA};
  rle.pixels = {0, 40, 1, 2};  // an absolute block of 40 with two bytes present
  expectInvalid(rle.Build(), "absolute block beyond the end");
  rle.pixels = {0, 2, 5};  // a delta cut short
  expectInvalid(rle.Build(), "delta beyond the end");

  expectInvalid(CoreBmp(2, 1, 8, std::vector<TColor>(100, kA), {}), "short core palette");
}

TEST(BmpEncode, WritesBottomUpInfoHeaderAndReadsBack) {
  for (TPixelFormat format : {pf24bit, pf32bit}) {
    TBitmapPixels b(5, 3, format);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) b.SetPixel(x, y, RGBToColor(x * 40, y * 80, 200));
    if (format == pf32bit) b.ScanLine(2)[3] = 0x7F;
    const Bytes file = EncodeBmp(b);
    const size_t stride = format == pf24bit ? 16 : 20;
    ASSERT_EQ(file.size(), 54 + stride * 3);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[10], 54);  // pixels follow the header
    EXPECT_EQ(file[28], format == pf24bit ? 24 : 32);
    EXPECT_EQ(file[22], 3);        // positive height: bottom-up
    EXPECT_EQ(file[54 + 1], 160);  // first stored row is the bottom one (green 160)
    TBitmapPixels back = DecodeBmp(file);
    EXPECT_EQ(back.PixelFormat(), format);
    EXPECT_TRUE(back.SamePixels(b));
  }
  EXPECT_THROW(EncodeBmp(TBitmapPixels()), EInvalidGraphicOperation);
}

TEST(BmpEncode, StreamsReadFromThePositionToTheEnd) {
  TBitmapPixels b(3, 1, pf24bit);
  b.SetPixel(2, 0, clAqua);
  TMemoryStream stream;
  stream.WriteBuffer("xyz");
  EncodeBmp(b, stream);
  EXPECT_EQ(stream.Size(), 3 + 54 + 12);
  stream.SetPosition(3);
  EXPECT_TRUE(DecodeBmp(stream).SamePixels(b));
  EXPECT_EQ(stream.Position(), stream.Size());
  stream.SetPosition(0);
  EXPECT_THROW(DecodeBmp(stream), EInvalidImage);
}
