#pragma once
// TLZH decompresses skin images: LZHUF bit streams behind a 4-byte size field.
//
// Decoding never reads or writes outside its buffers, whatever the input: missing input reads
// as zero bits (a truncated stream gives garbage of the announced size), and the announced size
// is checked before the output is allocated (see MaxDecodedSize).
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "skin/data/lzh_model.h"
#include "toolkit/core/exceptions.h"

QUILLIMO_EXCEPTION(ElzhException, Exception);

namespace LzhText {
inline constexpr const char* NoMemory = "LZH : Cannot get memory for dictionary tables";
inline constexpr const char* SizeOutOfRange = "LZH : Uncompressed size out of range";
}  // namespace LzhText

class TLZH {
public:
  // Decodes the bit stream (the bytes behind the size field) until at least `size` bytes are
  // produced; zero or a negative size produces nothing. A match is always copied whole, so the
  // result is longer than `size` when a faulty encoder let the last match run past the end.
  // Throws ElzhException when `size` exceeds MaxDecodedSize(input.size()).
  std::vector<uint8_t> Decode(int32_t size, std::span<const uint8_t> input);

  // A whole compressed image: reads the size field (EReadError if the image is shorter than
  // that) and decodes the rest.
  std::vector<uint8_t> DecodeImage(std::span<const uint8_t> image);

  // Reads the size field of a compressed image (EReadError if it is too short).
  static int32_t DecodedSizeOf(std::span<const uint8_t> image);

  // The largest size a stream of `streamBytes` bytes may announce.
  //  - Never more than 256 MiB: the skins in use decode to about 400 kB; a skin hundreds of
  //    times bigger is damaged, and a damaged header must not make the program allocate
  //    gigabytes.
  //  - Above 1 MiB, the size must fit the stream: every symbol costs at least one bit and a
  //    match of at most 60 bytes at least ten (a one-bit symbol and a nine-bit position), so a
  //    complete stream yields at most 6 bytes per bit. Below 1 MiB a truncated stream is still
  //    decoded, its missing bits read as zero.
  static constexpr size_t kMaxDecodedSize = size_t{256} << 20;
  static constexpr size_t kTruncationAllowance = size_t{1} << 20;
  static constexpr size_t kMaxBytesPerInputByte = 48;
  static size_t MaxDecodedSize(size_t streamBytes);

private:
  lzh::TLzhModel model_;
  int16_t path_[lzh::kTreeSize];  // nodes passed while decoding one symbol
};
