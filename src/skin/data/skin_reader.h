#pragma once
// TSkinReader unpacks a skin image (a ".skn" file, or the skin stored with a form) into memory
// and hands out its entries by name.
//
// Uncompressed container, all integers unsigned 32-bit little-endian:
//   0        format version, 20000
//   4        L: byte length of the name list
//   8        two reserved values (never read)
//   16       name list: one entry name per line (CR, LF or CR LF)
//   16+L     n entry sizes, n = number of names
//   16+L+4n  entry contents, concatenated in list order
//
// The container comes from outside (skin files are downloaded from anywhere), so nothing in it
// is trusted: a name list, size table or entry running past the data, or more than
// kMaxEntries entries, is refused with ESkinFileError before anything is copied.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/core/exceptions.h"

class TStream;
class TMemoryStream;

QUILLIMO_EXCEPTION(ESkinFileError, EReadError);

namespace SkinReaderText {
inline constexpr const char* OlderSkinFile = "This is Older Skin File\rPlease update to new version !";
inline constexpr const char* Damaged = "Skin file is damaged";
inline constexpr const char* TooManyEntries = "Skin file has more than 1001 entries";
}  // namespace SkinReaderText

class TSkinReader {
public:
  static constexpr uint32_t kFormatVersion = 20000;
  static constexpr size_t kHeaderSize = 16;
  static constexpr size_t kMaxEntries = 1001;

  struct THeader {
    uint32_t version = 0;
    uint32_t nameListLength = 0;
    uint32_t reserved[2] = {0, 0};
  };

  // Receives the message for a skin of another format version; the windowed program shows it
  // in a message box.
  std::function<void(const std::string&)> OnMessage;

  // Decompresses a skin image and loads its container. False (after OnMessage) only for a
  // wrong format version; a damaged image throws (ElzhException, EReadError/ESkinFileError).
  // The reader holds no entries unless the load succeeds.
  bool Load(std::span<const uint8_t> image);
  // The same for a container that is already decompressed.
  bool LoadContainer(std::span<const uint8_t> container);
  // The whole stream, from its start, as a skin image.
  bool Load(TStream& image);

  const THeader& Header() const { return header_; }
  size_t EntryCount() const { return names_.size(); }
  // Lower-cased entry names in container order; names may repeat.
  const std::vector<std::string>& Names() const { return names_; }
  std::span<const uint8_t> EntryData(size_t index) const;

  // Index of the first entry of that name, compared without regard to case; -1 if none.
  int IndexOf(std::string_view name) const;

  // Copies the first entry of that name into `out`; no match leaves `out` empty.
  void GetEntry(std::string_view name, std::vector<uint8_t>& out) const;

  // Copies the first entry whose (lower-cased) name contains `text`, searched as given, and
  // returns its name; no match (or an empty text) leaves `out` empty and returns "".
  std::string FindEntry(std::string_view text, std::vector<uint8_t>& out) const;

  // The same into memory streams: cleared, filled, rewound to position 0.
  void GetEntry(std::string_view name, TMemoryStream& out) const;
  std::string FindEntry(std::string_view text, TMemoryStream& out) const;

private:
  void Clear();

  THeader header_;
  std::vector<std::string> names_;
  std::vector<size_t> offsets_;  // start of each entry in data_, plus the end of the last
  std::vector<uint8_t> data_;
};
