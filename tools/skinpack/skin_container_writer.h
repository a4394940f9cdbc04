#pragma once
// Builds skin containers and compressed skin images (".skn") from named entries, in the layout
// TSkinReader reads.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct TSkinEntry {
  std::string name;
  std::vector<uint8_t> data;
};

// The uncompressed container. Names may repeat; they must not be empty or contain line breaks,
// and there may be at most 1001 entries (std::invalid_argument otherwise).
std::vector<uint8_t> BuildSkinContainer(std::span<const TSkinEntry> entries);

// The container, LZHUF-compressed behind its size field: the bytes of a ".skn" file.
std::vector<uint8_t> BuildSkinImage(std::span<const TSkinEntry> entries);
