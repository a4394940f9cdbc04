#include "toolkit/core/bmp_codec.h"

#include <array>
#include <bit>
#include <cstring>

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV2HeaderSize = 52;  // first size that holds the colour masks itself
constexpr std::uint32_t kV3HeaderSize = 56;  // first size that holds an alpha mask

enum Compression : std::uint32_t {
  BiRgb = 0,
  BiRle8 = 1,
  BiRle4 = 2,
  BiBitfields = 3,
  BiAlphaBitfields = 6,
};

[[noreturn]] void Invalid() { throw EInvalidImage(ExceptionText::InvalidBitmap); }

// Little-endian reads that refuse to look past the end of the data.
class ByteReader {
public:
  explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}
  size_t Size() const { return data_.size(); }
  bool Fits(std::uint64_t offset, std::uint64_t length) const {
    return offset <= data_.size() && length <= data_.size() - offset;
  }
  const std::uint8_t* At(std::uint64_t offset, std::uint64_t length) const {
    if (!Fits(offset, length)) Invalid();
    return data_.data() + offset;
  }
  std::uint8_t U8(std::uint64_t offset) const { return *At(offset, 1); }
  std::uint16_t U16(std::uint64_t offset) const {
    const std::uint8_t* p = At(offset, 2);
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
  }
  std::uint32_t U32(std::uint64_t offset) const {
    const std::uint8_t* p = At(offset, 4);
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
  }
  std::int32_t I32(std::uint64_t offset) const { return static_cast<std::int32_t>(U32(offset)); }

private:
  std::span<const std::uint8_t> data_;
};

// One colour channel of a BI_BITFIELDS pixel, scaled to 8 bits.
struct ChannelMask {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint32_t max = 0;

  explicit ChannelMask(std::uint32_t m = 0) : mask(m) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    max = mask >> shift;
  }
  std::uint8_t Extract(std::uint32_t value) const {
    if (max == 0) return 0;
    return static_cast<std::uint8_t>(((value & mask) >> shift) * std::uint64_t{255} / max);
  }
};

struct BmpHeader {
  std::int64_t width = 0;
  std::int64_t height = 0;  // rows, always positive
  bool topDown = false;
  int bitCount = 0;
  std::uint32_t compression = BiRgb;
  std::array<ChannelMask, 4> masks;  // red, green, blue, alpha
  std::vector<TColor> palette;
  std::uint64_t pixelOffset = 0;
};

BmpHeader ReadHeader(const ByteReader& in) {
  if (in.U8(0) != 'B' || in.U8(1) != 'M') Invalid();
  const std::uint32_t offBits = in.U32(10);
  const std::uint32_t headerSize = in.U32(kFileHeaderSize);
  if (!in.Fits(kFileHeaderSize, headerSize)) Invalid();

  BmpHeader h;
  std::uint64_t tableOffset = kFileHeaderSize + headerSize;  // masks and/or palette
  std::uint32_t colorsUsed = 0;
  size_t paletteEntrySize = 4;
  if (headerSize == kCoreHeaderSize) {
    h.width = in.U16(18);
    h.height = in.U16(20);
    h.bitCount = in.U16(24);
    paletteEntrySize = 3;
    if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 24) Invalid();
  } else if (headerSize >= kInfoHeaderSize) {
    h.width = in.I32(18);
    const std::int32_t height = in.I32(22);
    h.topDown = height < 0;
    h.height = height < 0 ? -std::int64_t{height} : height;
    h.bitCount = in.U16(28);
    h.compression = in.U32(30);
    colorsUsed = in.U32(46);
  } else {
    Invalid();
  }

  if (h.width <= 0 || h.height <= 0 || h.width > kMaxBitmapSide || h.height > kMaxBitmapSide) Invalid();
  const TPixelFormat format = h.bitCount == 32 ? pf32bit : pf24bit;
  if (AlignedStride(static_cast<int>(h.width), format) * h.height > kMaxBitmapBytes) Invalid();

  switch (h.compression) {
    case BiRgb:
      if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 16 && h.bitCount != 24 &&
          h.bitCount != 32)
        Invalid();
      if (h.bitCount == 16) h.masks = {ChannelMask(0x7C00), ChannelMask(0x03E0), ChannelMask(0x001F), ChannelMask()};
      break;
    case BiRle8:
      if (h.bitCount != 8) Invalid();
      break;
    case BiRle4:
      if (h.bitCount != 4) Invalid();
      break;
    case BiBitfields:
    case BiAlphaBitfields: {
      if (h.bitCount != 16 && h.bitCount != 32) Invalid();
      const bool withAlpha = h.compression == BiAlphaBitfields || headerSize >= kV3HeaderSize;
      // A plain info header is followed by the masks; the longer headers hold them.
      const std::uint64_t maskOffset = kFileHeaderSize + kInfoHeaderSize;
      if (headerSize < kV2HeaderSize) tableOffset += withAlpha ? 16 : 12;
      for (int c = 0; c < (withAlpha ? 4 : 3); ++c) h.masks[c] = ChannelMask(in.U32(maskOffset + 4 * c));
      break;
    }
    default: Invalid();
  }

  if (h.bitCount <= 8) {
    const std::uint32_t maxColors = 1u << h.bitCount;
    const std::uint32_t count = colorsUsed == 0 || colorsUsed > maxColors ? maxColors : colorsUsed;
    const std::uint8_t* table = in.At(tableOffset, std::uint64_t{count} * paletteEntrySize);
    h.palette.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint8_t* entry = table + i * paletteEntrySize;
      h.palette[i] = RGBToColor(entry[2], entry[1], entry[0]);
    }
    tableOffset += std::uint64_t{count} * paletteEntrySize;
  }
  // Some writers leave the offset 0: the pixels then follow the tables.
  h.pixelOffset = offBits != 0 ? offBits : tableOffset;
  if (h.pixelOffset > in.Size()) Invalid();
  return h;
}

// Writes palette entries into the output; indexes beyond the palette are black.
class IndexedWriter {
public:
  IndexedWriter(TBitmapPixels& out, const BmpHeader& h) : out_(out), h_(h) {}
  // Pixel x of file row r (row 0 is the first row stored in the file).
  void Put(std::int64_t x, std::int64_t r, unsigned index) {
    if (x < 0 || x >= h_.width || r < 0 || r >= h_.height) return;
    const TColor color = index < h_.palette.size() ? h_.palette[index] : clBlack;
    std::uint8_t* pixel = out_.ScanLine(OutputRow(r)) + x * 3;
    pixel[0] = ColorBlue(color);
    pixel[1] = ColorGreen(color);
    pixel[2] = ColorRed(color);
  }
  int OutputRow(std::int64_t r) const { return static_cast<int>(h_.topDown ? r : h_.height - 1 - r); }

private:
  TBitmapPixels& out_;
  const BmpHeader& h_;
};

void DecodeUncompressed(const ByteReader& in, const BmpHeader& h, TBitmapPixels& out) {
  const std::uint64_t rowBits = static_cast<std::uint64_t>(h.width) * h.bitCount;
  const std::uint64_t fileStride = (rowBits + 31) / 32 * 4;
  // The last row may lack its padding.
  const std::uint8_t* pixels = in.At(h.pixelOffset, fileStride * (h.height - 1) + (rowBits + 7) / 8);
  IndexedWriter indexed(out, h);
  for (std::int64_t r = 0; r < h.height; ++r) {
    const std::uint8_t* src = pixels + r * fileStride;
    std::uint8_t* dest = out.ScanLine(indexed.OutputRow(r));
    switch (h.bitCount) {
      case 1:
      case 4:
      case 8: {
        const int perByte = 8 / h.bitCount;
        const unsigned mask = (1u << h.bitCount) - 1;
        for (std::int64_t x = 0; x < h.width; ++x) {
          const int shift = (perByte - 1 - static_cast<int>(x % perByte)) * h.bitCount;
          indexed.Put(x, r, (src[x / perByte] >> shift) & mask);
        }
        break;
      }
      case 24: std::memcpy(dest, src, static_cast<size_t>(h.width) * 3); break;
      case 32:
        if (h.compression == BiRgb) {
          std::memcpy(dest, src, static_cast<size_t>(h.width) * 4);
          break;
        }
        [[fallthrough]];
      case 16: {
        const int step = h.bitCount / 8;
        const int destStep = out.PixelFormat() == pf32bit ? 4 : 3;
        for (std::int64_t x = 0; x < h.width; ++x, src += step, dest += destStep) {
          const std::uint32_t value =
              step == 2 ? src[0] | src[1] << 8 : src[0] | src[1] << 8 | src[2] << 16 | std::uint32_t{src[3]} << 24;
          dest[0] = h.masks[2].Extract(value);
          dest[1] = h.masks[1].Extract(value);
          dest[2] = h.masks[0].Extract(value);
          if (destStep == 4) dest[3] = h.masks[3].Extract(value);
        }
        break;
      }
    }
  }
}

// RLE8 and RLE4: runs and absolute blocks of palette indexes with end-of-line, end-of-bitmap
// and delta escapes. Pixels the data never reaches stay black. Data that simply ends between
// two commands ends the image; a command cut short is an error.
void DecodeRle(const ByteReader& in, const BmpHeader& h, TBitmapPixels& out) {
  const bool four = h.compression == BiRle4;
  IndexedWriter indexed(out, h);
  std::uint64_t pos = h.pixelOffset;
  std::int64_t x = 0, r = 0;
  while (pos < in.Size() && r < h.height) {
    const unsigned count = in.U8(pos);
    const unsigned value = in.U8(pos + 1);
    pos += 2;
    if (count > 0) {
      for (unsigned i = 0; i < count; ++i, ++x)
        indexed.Put(x, r, four ? (i % 2 == 0 ? value >> 4 : value & 0xF) : value);
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        ++r;
        break;
      case 1:  // end of bitmap
        return;
      case 2:  // delta
        x += in.U8(pos);
        r += in.U8(pos + 1);
        pos += 2;
        break;
      default: {  // absolute block of `value` indexes, padded to an even byte count
        const std::uint64_t bytes = four ? (value + 1) / 2 : value;
        const std::uint8_t* block = in.At(pos, bytes);
        for (unsigned i = 0; i < value; ++i, ++x)
          indexed.Put(x, r, four ? (i % 2 == 0 ? block[i / 2] >> 4 : block[i / 2] & 0xF) : block[i]);
        pos += bytes + bytes % 2;
        break;
      }
    }
  }
}

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  PutU16(out, static_cast<std::uint16_t>(v));
  PutU16(out, static_cast<std::uint16_t>(v >> 16));
}

}  // namespace

TBitmapPixels DecodeBmp(std::span<const std::uint8_t> data) {
  const ByteReader in(data);
  const BmpHeader h = ReadHeader(in);
  TBitmapPixels out(static_cast<int>(h.width), static_cast<int>(h.height), h.bitCount == 32 ? pf32bit : pf24bit);
  if (h.compression == BiRle8 || h.compression == BiRle4)
    DecodeRle(in, h, out);
  else
    DecodeUncompressed(in, h, out);
  return out;
}

std::vector<std::uint8_t> EncodeBmp(const TBitmapPixels& bitmap) {
  if (bitmap.Empty()) throw EInvalidGraphicOperation("Cannot save an empty bitmap");
  const std::uint32_t stride = static_cast<std::uint32_t>(AlignedStride(bitmap.Width(), bitmap.PixelFormat()));
  const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(bitmap.Height());
  const std::uint32_t offBits = kFileHeaderSize + kInfoHeaderSize;
  std::vector<std::uint8_t> out;
  out.reserve(offBits + imageSize);
  // BITMAPFILEHEADER
  PutU16(out, 0x4D42);  // "BM"
  PutU32(out, offBits + imageSize);
  PutU32(out, 0);
  PutU32(out, offBits);
  // BITMAPINFOHEADER: bottom-up rows, no palette
  PutU32(out, kInfoHeaderSize);
  PutU32(out, static_cast<std::uint32_t>(bitmap.Width()));
  PutU32(out, static_cast<std::uint32_t>(bitmap.Height()));
  PutU16(out, 1);
  PutU16(out, static_cast<std::uint16_t>(BytesPerPixel(bitmap.PixelFormat()) * 8));
  PutU32(out, BiRgb);
  PutU32(out, imageSize);
  PutU32(out, 0);  // pixels per metre, x and y: unspecified
  PutU32(out, 0);
  PutU32(out, 0);  // colours used and important
  PutU32(out, 0);
  const size_t rowBytes = static_cast<size_t>(bitmap.Width()) * BytesPerPixel(bitmap.PixelFormat());
  for (int y = bitmap.Height() - 1; y >= 0; --y) {
    const std::uint8_t* row = bitmap.ScanLine(y);
    out.insert(out.end(), row, row + rowBytes);
    out.insert(out.end(), stride - rowBytes, 0);
  }
  return out;
}

TBitmapPixels DecodeBmp(TStream& stream) {
  const std::string bytes = stream.ReadToEnd();
  return DecodeBmp({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

void EncodeBmp(const TBitmapPixels& bitmap, TStream& stream) {
  const std::vector<std::uint8_t> bytes = EncodeBmp(bitmap);
  stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}
