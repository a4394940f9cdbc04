#include "skin/data/lzh_decoder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

using namespace lzh;

namespace {

// Bits are taken most significant first, byte after byte. The buffer holds the next `count`
// bits left-aligned in 64 bits, so most symbols need no refill check of their own. Filling it
// looks ahead of what is decoded, so past the end of the input it takes zero bytes; those are
// counted, and a stream whose symbols reach into them is cut short (the check lags at most one
// symbol: the next refill, or the end of decoding, finds it).
class TBitReader {
public:
  explicit TBitReader(std::span<const uint8_t> input) : next_(input.data()), end_(input.data() + input.size()) {}

  // Makes at least 56 bits available.
  void Refill() {
    if (end_ - next_ >= 8) {
      uint64_t word;
      std::memcpy(&word, next_, 8);
      buffer_ |= FromBigEndian(word) >> count_;
      next_ += (63 - count_) >> 3;
      count_ |= 56;
    } else {
      CheckNotOverrun();
      while (count_ <= 56) {
        uint64_t byte = 0;
        if (next_ < end_)
          byte = *next_++;
        else
          padding_ += 8;
        buffer_ |= byte << (56 - count_);
        count_ += 8;
      }
    }
  }

  // The padding bits are the last ones in the buffer: when fewer bits are left than were
  // padded, decoded symbols took bits the input does not have.
  void CheckNotOverrun() const {
    if (padding_ > count_) throw ElzhException(LzhText::Truncated);
  }

  unsigned Count() const { return count_; }
  unsigned TopBit() const { return static_cast<unsigned>(buffer_ >> 63); }
  unsigned Peek(unsigned n) const { return static_cast<unsigned>(buffer_ >> (64 - n)); }
  void Skip(unsigned n) {
    buffer_ <<= n;
    count_ -= n;
  }

private:
  static uint64_t FromBigEndian(uint64_t v) {
    if constexpr (std::endian::native == std::endian::little) return __builtin_bswap64(v);
    return v;
  }

  const uint8_t* next_;
  const uint8_t* end_;
  uint64_t buffer_ = 0;
  unsigned count_ = 0;
  unsigned padding_ = 0;  // zero bits taken past the end of the input
};

// The window before the first output byte: the ring buffer starts with 4036 spaces, and its last
// 60 bytes, not yet written when the first bytes are decoded, are zero. `back` counts from the
// start of the output (1 = the byte just before it).
uint8_t InitialWindowByte(ptrdiff_t back) { return back <= kInitialFill ? kFillByte : 0; }

// Room behind the announced size: a last match may run 59 bytes past it, and match copies move
// 8 bytes at a time.
constexpr size_t kOutputSlack = kLookAhead + 16;

}  // namespace

size_t TLZH::MaxDecodedSize(size_t streamBytes) {
  return streamBytes > kMaxDecodedSize / kMaxBytesPerInputByte ? kMaxDecodedSize : streamBytes * kMaxBytesPerInputByte;
}

int32_t TLZH::DecodedSizeOf(std::span<const uint8_t> image) {
  if (image.size() < kSizeFieldBytes) throw EReadError(ExceptionText::ReadError);
  const uint32_t size =
      uint32_t{image[0]} | uint32_t{image[1]} << 8 | uint32_t{image[2]} << 16 | uint32_t{image[3]} << 24;
  return static_cast<int32_t>(size);
}

std::vector<uint8_t> TLZH::DecodeImage(std::span<const uint8_t> image) {
  return Decode(DecodedSizeOf(image), image.subspan(kSizeFieldBytes));
}

std::vector<uint8_t> TLZH::Decode(int32_t size, std::span<const uint8_t> input) {
  if (size <= 0) return {};
  const size_t wanted = static_cast<size_t>(size);
  if (wanted > kMaxDecodedSize) throw ElzhException(LzhText::SizeOutOfRange);
  // More than the stream could hold even at the best compression: it was cut short (or its
  // size field is damaged), and decoding would only find that out at the end.
  if (wanted > MaxDecodedSize(input.size())) throw ElzhException(LzhText::Truncated);

  std::vector<uint8_t> output;
  try {
    output.resize(wanted + kOutputSlack);
  } catch (const std::bad_alloc&) {
    throw ElzhException(LzhText::NoMemory);
  }

  model_.Reset();
  TBitReader bits(input);
  uint8_t* const out = output.data();
  const int16_t* const child = model_.Children();
  size_t produced = 0;

  while (produced < wanted) {
    // Symbol: walk from the root, one bit per level, noting the nodes passed for the update.
    bits.Refill();
    int c = child[kRoot];
    int depth = 0;
    while (c < kTreeSize) {
      if (bits.Count() == 0) bits.Refill();
      const unsigned bit = bits.TopBit();
      bits.Skip(1);
      path_[depth++] = static_cast<int16_t>(c + static_cast<int>(bit));
      c = (child + bit)[c];  // the bit goes into the base, so only the load waits for c
    }
    const int symbol = c - kTreeSize;
    model_.UpdateAlongPath(symbol, path_, depth);

    if (symbol < kLiteralCount) {
      out[produced++] = static_cast<uint8_t>(symbol);
      continue;
    }

    // Match: the next byte selects the upper 6 bits of the position and the code length; the
    // 6 bits behind the code are the lower part.
    if (bits.Count() < 14) bits.Refill();
    const unsigned first = bits.Peek(8);
    const unsigned codeBits = kPositionCode.lengthOfByte[first] + 6u;
    const unsigned position = unsigned{kPositionCode.upperOfByte[first]} << 6 | (bits.Peek(codeBits) & 0x3F);
    bits.Skip(codeBits);

    const size_t length = static_cast<size_t>(symbol - kLengthBias);
    const size_t distance = position + 1;
    uint8_t* dst = out + produced;
    if (distance > produced) {
      // Reaches back before the first output byte, into the initial window.
      for (size_t k = 0; k < length; ++k) {
        const ptrdiff_t from = static_cast<ptrdiff_t>(produced + k) - static_cast<ptrdiff_t>(distance);
        dst[k] = from >= 0 ? out[from] : InitialWindowByte(-from);
      }
    } else if (distance >= 8) {
      // Eight bytes at a time; each step reads only bytes already written.
      const uint8_t* src = dst - distance;
      for (size_t k = 0; k < length; k += 8) std::memcpy(dst + k, src + k, 8);
    } else {
      const uint8_t* src = dst - distance;
      for (size_t k = 0; k < length; ++k) dst[k] = src[k];
    }
    produced += length;
  }
  bits.CheckNotOverrun();

  output.resize(produced);
  return output;
}
