#include "skinpack/skin_container_writer.h"

#include <stdexcept>

#include "lzh/lzh_encoder.h"
#include "skin/data/skin_reader.h"

namespace {

void PutUInt32(std::vector<uint8_t>& out, uint64_t value) {
  if (value > 0xFFFFFFFFu) throw std::invalid_argument("skin entry too large");
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

}  // namespace

std::vector<uint8_t> BuildSkinContainer(std::span<const TSkinEntry> entries) {
  if (entries.size() > TSkinReader::kMaxEntries) throw std::invalid_argument("more than 1001 skin entries");
  std::string names;
  for (const TSkinEntry& entry : entries) {
    if (entry.name.empty() || entry.name.find_first_of("\r\n") != std::string::npos)
      throw std::invalid_argument("invalid skin entry name \"" + entry.name + "\"");
    names += entry.name + "\r\n";
  }
  std::vector<uint8_t> out;
  PutUInt32(out, TSkinReader::kFormatVersion);
  PutUInt32(out, names.size());
  PutUInt32(out, 0);  // the two reserved values
  PutUInt32(out, 0);
  out.insert(out.end(), names.begin(), names.end());
  for (const TSkinEntry& entry : entries) PutUInt32(out, entry.data.size());
  for (const TSkinEntry& entry : entries) out.insert(out.end(), entry.data.begin(), entry.data.end());
  return out;
}

std::vector<uint8_t> BuildSkinImage(std::span<const TSkinEntry> entries) {
  return lzh::Compress(BuildSkinContainer(entries));
}
