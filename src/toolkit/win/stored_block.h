#pragma once
// Little-endian 32-bit fields of the graphics' stored blocks (pictures, icons, image lists).
#include <cstdint>

#include "toolkit/core/streams.h"

inline std::uint32_t ReadBlock32(TStream& stream) {
  std::uint8_t b[4];
  stream.ReadBuffer(b, 4);
  return b[0] | b[1] << 8 | b[2] << 16 | std::uint32_t(b[3]) << 24;
}

inline void WriteBlock32(TStream& stream, std::uint32_t v) {
  const std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
  stream.WriteBuffer(b, 4);
}

// A size field followed by that many bytes, checked against what the stream still holds
// (EReadError "Stream read error" otherwise).
inline std::uint32_t ReadBlockSize(TStream& stream) {
  const std::uint32_t size = ReadBlock32(stream);
  if (size > stream.Size() - stream.Position()) throw EReadError(ExceptionText::ReadError);
  return size;
}
