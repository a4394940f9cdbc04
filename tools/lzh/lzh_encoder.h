#pragma once
// LZHUF encoder for the packing tools and tests (the program itself only decodes). Its streams
// use the parameters of lzh_format.h and decode with TLZH.
#include <cstdint>
#include <span>
#include <vector>

#include "skin/data/lzh_model.h"

namespace lzh {

// Writes a bit stream symbol by symbol. Used by the compressor, and directly to make streams by
// hand (for example matches that reach back into the initial window).
class TLzhStreamWriter {
public:
  void Literal(uint8_t byte);
  // `length` 3..60; `position` 0..4095 is the distance back minus one.
  void Match(int length, int position);
  // The stream so far, its last byte padded with zero bits.
  std::vector<uint8_t> Finish();

private:
  void PutSymbol(int symbol);
  void PutBits(unsigned value, int count);

  TLzhModel model_;
  std::vector<uint8_t> bytes_;
  uint32_t pending_ = 0;  // bits not yet written, right-aligned
  int pendingCount_ = 0;
};

// A compressed image: the 4-byte little-endian size followed by the bit stream.
std::vector<uint8_t> FrameImage(uint32_t size, std::span<const uint8_t> stream);

// Compresses data into a whole image (size field and stream).
std::vector<uint8_t> Compress(std::span<const uint8_t> data);

}  // namespace lzh
