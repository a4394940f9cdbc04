#pragma once
// Parameters of the LZHUF stream that skin images are compressed with, shared by the decoder
// and the packing tools: LZSS over a 4096-byte window, adaptive Huffman coding of literals and
// match lengths, and a fixed prefix code for the upper 6 bits of match positions.
#include <array>
#include <cstdint>

namespace lzh {

inline constexpr int kWindowSize = 4096;  // N: ring buffer size, positions are 12 bits
inline constexpr int kLookAhead = 60;     // F: longest match
inline constexpr int kThreshold = 2;      // a match is at least kThreshold + 1 bytes
inline constexpr int kMinMatch = kThreshold + 1;
inline constexpr int kLiteralCount = 256;
inline constexpr int kSymbolCount = kLiteralCount + kLookAhead - kThreshold;  // 314
inline constexpr int kTreeSize = 2 * kSymbolCount - 1;                        // T = 627
inline constexpr int kRoot = kTreeSize - 1;                                   // R = 626
inline constexpr unsigned kMaxFrequency = 0x8000;              // the tree is rebuilt when the root gets here
inline constexpr int kInitialFill = kWindowSize - kLookAhead;  // 4036 spaces, first write position
inline constexpr uint8_t kFillByte = 0x20;

// The size field in front of every compressed image.
inline constexpr int kSizeFieldBytes = 4;

// Match symbols carry the length: symbol = length + (kLiteralCount - kMinMatch).
inline constexpr int kLengthBias = kLiteralCount - kMinMatch;  // 253

// Prefix code of the upper 6 bits of a position: the 64 values get codes of 3 bits (value 0),
// 4 bits (1-3), 5 bits (4-11), 6 bits (12-23), 7 bits (24-47) and 8 bits (48-63), assigned in
// increasing code order. The lower 6 bits follow verbatim.
struct PositionCode {
  // Decoding, indexed by the next 8 bits of input.
  std::array<uint8_t, 256> upperOfByte{};
  std::array<uint8_t, 256> lengthOfByte{};
  // Encoding, indexed by the upper 6 bits.
  std::array<uint8_t, 64> codeOfUpper{};
  std::array<uint8_t, 64> lengthOfUpper{};
};

constexpr PositionCode MakePositionCode() {
  PositionCode t;
  constexpr int kCountOfLength[9] = {0, 0, 0, 1, 3, 8, 12, 24, 16};
  unsigned code = 0;
  int upper = 0;
  for (int length = 3; length <= 8; ++length) {
    for (int k = 0; k < kCountOfLength[length]; ++k, ++upper, ++code) {
      t.codeOfUpper[upper] = static_cast<uint8_t>(code);
      t.lengthOfUpper[upper] = static_cast<uint8_t>(length);
      // Every byte that starts with this code decodes to it.
      const unsigned first = code << (8 - length);
      for (unsigned b = first; b < first + (1u << (8 - length)); ++b) {
        t.upperOfByte[b] = static_cast<uint8_t>(upper);
        t.lengthOfByte[b] = static_cast<uint8_t>(length);
      }
    }
    code <<= 1;
  }
  return t;
}

inline constexpr PositionCode kPositionCode = MakePositionCode();

static_assert(kPositionCode.upperOfByte[0x1F] == 0 && kPositionCode.lengthOfByte[0x1F] == 3);
static_assert(kPositionCode.upperOfByte[0x20] == 1 && kPositionCode.lengthOfByte[0x20] == 4);
static_assert(kPositionCode.upperOfByte[0x50] == 4 && kPositionCode.lengthOfByte[0x50] == 5);
static_assert(kPositionCode.upperOfByte[0xF0] == 48 && kPositionCode.lengthOfByte[0xFF] == 8);
static_assert(kPositionCode.upperOfByte[0xFF] == 63);

}  // namespace lzh
