#pragma once
// TLZH decompresses skin images: LZHUF bit streams behind a 4-byte size field.
//
// Decoding never reads or writes outside its buffers, whatever the input. A stream whose
// symbols need more bits than it has was cut short and is refused (ElzhException
// "LZH : Unexpected end of compressed data"): a sound stream ends within its last byte, padded
// with zero bits, whichever encoder wrote it, while a skin file cut in half would otherwise
// decode into a container of the announced size full of garbage. The announced size is checked
// before the output is allocated (see MaxDecodedSize).
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
inline constexpr const char* Truncated = "LZH : Unexpected end of compressed data";
}  // namespace LzhText

class TLZH {
public:
  // Decodes the bit stream (the bytes behind the size field) until at least `size` bytes are
  // produced; zero or a negative size produces nothing. A match is always copied whole, so the
  // result is longer than `size` when a faulty encoder let the last match run past the end.
  // Bytes behind the last symbol are ignored. Throws ElzhException when `size` is above
  // kMaxDecodedSize or MaxDecodedSize(input.size()), or when the stream ends too early.
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
  //  - The size must fit the stream: every symbol costs at least one bit and a match of at
  //    most 60 bytes at least ten (a one-bit symbol and a nine-bit position), so a complete
  //    stream yields at most 6 bytes per bit.
  static constexpr size_t kMaxDecodedSize = size_t{256} << 20;
  static constexpr size_t kMaxBytesPerInputByte = 48;
  static size_t MaxDecodedSize(size_t streamBytes);

private:
  lzh::TLzhModel model_;
  int16_t path_[lzh::kTreeSize];  // nodes passed while decoding one symbol
};
