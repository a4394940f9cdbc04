#include "skin/data/skin_reader.h"

#include "skin/data/lzh_decoder.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/text.h"

namespace {

uint32_t ReadUInt32(std::span<const uint8_t> bytes, size_t offset) {
  return uint32_t{bytes[offset]} | uint32_t{bytes[offset + 1]} << 8 | uint32_t{bytes[offset + 2]} << 16 |
         uint32_t{bytes[offset + 3]} << 24;
}

// Lines end at CR, LF or CR LF; a line break at the very end adds no empty line. Stops after
// maxLines + 1 lines, so a name list of millions of line breaks costs nothing.
std::vector<std::string> SplitLines(std::string_view text, size_t maxLines) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size() && lines.size() <= maxLines) {
    size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    lines.emplace_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r') ++end;
    if (end < text.size() && text[end] == '\n') ++end;
    start = end;
  }
  return lines;
}

[[noreturn]] void Damaged() { throw ESkinFileError(SkinReaderText::Damaged); }

void Fill(TMemoryStream& out, std::span<const uint8_t> bytes) {
  out.Clear();
  out.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  out.SetPosition(0);
}

}  // namespace

void TSkinReader::Clear() {
  header_ = {};
  names_.clear();
  offsets_.clear();
  data_.clear();
}

bool TSkinReader::Load(std::span<const uint8_t> image) {
  Clear();
  const std::vector<uint8_t> container = TLZH().DecodeImage(image);
  return LoadContainer(container);
}

bool TSkinReader::Load(TStream& image) {
  Clear();
  image.SetPosition(0);
  const std::string bytes = image.ReadToEnd();
  return Load(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

bool TSkinReader::LoadContainer(std::span<const uint8_t> container) {
  Clear();
  if (container.size() < kHeaderSize) Damaged();
  THeader header;
  header.version = ReadUInt32(container, 0);
  header.nameListLength = ReadUInt32(container, 4);
  header.reserved[0] = ReadUInt32(container, 8);
  header.reserved[1] = ReadUInt32(container, 12);
  if (header.version != kFormatVersion) {
    if (OnMessage) OnMessage(SkinReaderText::OlderSkinFile);
    return false;
  }

  std::span<const uint8_t> rest = container.subspan(kHeaderSize);
  if (header.nameListLength > rest.size()) Damaged();
  const std::string_view nameText(reinterpret_cast<const char*>(rest.data()), header.nameListLength);
  std::vector<std::string> names = SplitLines(LowerCase(nameText), kMaxEntries);
  rest = rest.subspan(header.nameListLength);
  if (names.size() > kMaxEntries) throw ESkinFileError(SkinReaderText::TooManyEntries);

  const size_t n = names.size();
  if (rest.size() / 4 < n) Damaged();
  std::vector<size_t> offsets(n + 1, 0);
  for (size_t i = 0; i < n; ++i) offsets[i + 1] = offsets[i] + ReadUInt32(rest, 4 * i);
  rest = rest.subspan(4 * n);
  // At most 1001 sizes below 2^32 each: the sum cannot overflow a 64-bit size_t, and is checked
  // against the contents actually present.
  if (offsets[n] > rest.size()) Damaged();

  header_ = header;
  names_ = std::move(names);
  offsets_ = std::move(offsets);
  data_.assign(rest.begin(), rest.end());
  return true;
}

std::span<const uint8_t> TSkinReader::EntryData(size_t index) const {
  if (index >= names_.size()) return {};
  return std::span<const uint8_t>(data_).subspan(offsets_[index], offsets_[index + 1] - offsets_[index]);
}

int TSkinReader::IndexOf(std::string_view name) const {
  const std::string wanted = LowerCase(name);
  for (size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == wanted) return static_cast<int>(i);
  return -1;
}

void TSkinReader::GetEntry(std::string_view name, std::vector<uint8_t>& out) const {
  out.clear();
  const int index = IndexOf(name);
  if (index < 0) return;
  const std::span<const uint8_t> entry = EntryData(static_cast<size_t>(index));
  out.assign(entry.begin(), entry.end());
}

std::string TSkinReader::FindEntry(std::string_view text, std::vector<uint8_t>& out) const {
  out.clear();
  if (text.empty()) return {};  // like Pos, an empty text is found nowhere
  for (size_t i = 0; i < names_.size(); ++i) {
    if (names_[i].find(text) == std::string::npos) continue;
    const std::span<const uint8_t> entry = EntryData(i);
    out.assign(entry.begin(), entry.end());
    return names_[i];
  }
  return {};
}

void TSkinReader::GetEntry(std::string_view name, TMemoryStream& out) const {
  const int index = IndexOf(name);
  Fill(out, index < 0 ? std::span<const uint8_t>() : EntryData(static_cast<size_t>(index)));
}

std::string TSkinReader::FindEntry(std::string_view text, TMemoryStream& out) const {
  std::vector<uint8_t> bytes;
  std::string name = FindEntry(text, bytes);
  Fill(out, bytes);
  return name;
}
