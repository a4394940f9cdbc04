#include "toolkit/core/streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <fcntl.h>

#include "toolkit/core/atomic_file.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/file_io.h"
#include "toolkit/core/format.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/text.h"

QUILLIMO_REGISTER_CLASS(TStream);
QUILLIMO_REGISTER_CLASS(TCustomMemoryStream);
QUILLIMO_REGISTER_CLASS(TMemoryStream);
QUILLIMO_REGISTER_CLASS(TStringStream);
QUILLIMO_REGISTER_CLASS(TBufferStream);
QUILLIMO_REGISTER_CLASS(TFileStream);

namespace {

[[noreturn]] void InvalidPosition() { throw EStreamError("Invalid stream position"); }

// The position Seek arrives at, checked against the start.
std::int64_t SeekTarget(std::int64_t offset, TSeekOrigin origin, std::int64_t position, std::int64_t size) {
  std::int64_t base = 0;
  switch (origin) {
    case soFromBeginning: base = 0; break;
    case soFromCurrent: base = position; break;
    case soFromEnd: base = size; break;
    default: InvalidPosition();
  }
  if (offset < -base) InvalidPosition();
  return base + offset;
}

constexpr std::int64_t kChunk = 64 * 1024;

}  // namespace

// ---- TStream ----

void TStream::SetSize(std::int64_t newSize) { throw EStreamError("Stream size cannot be changed"); }

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
  if (count < 0 || (count != 0 && Read(buffer, count) != count)) throw EReadError(ExceptionText::ReadError);
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
  if (count < 0 || (count != 0 && Write(buffer, count) != count)) throw EWriteError(ExceptionText::WriteError);
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::vector<char> chunk(static_cast<std::size_t>(std::clamp<std::int64_t>(count, 1, kChunk)));
  for (std::int64_t left = count; left > 0;) {
    const std::int64_t n = std::min<std::int64_t>(left, static_cast<std::int64_t>(chunk.size()));
    source.ReadBuffer(chunk.data(), n);
    WriteBuffer(chunk.data(), n);
    left -= n;
  }
  return count;
}

std::string TStream::ReadToEnd() {
  std::string bytes(static_cast<std::size_t>(std::max<std::int64_t>(Size() - Position(), 0)), '\0');
  ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  return bytes;
}

// ---- TCustomMemoryStream ----

void TCustomMemoryStream::SetPointer(const void* memory, std::int64_t size) {
  memory_ = static_cast<const std::uint8_t*>(memory);
  size_ = size;
}

std::int64_t TCustomMemoryStream::Read(void* buffer, std::int64_t count) {
  if (count <= 0 || position_ >= size_) return 0;
  const std::int64_t n = std::min(count, size_ - position_);
  std::memcpy(buffer, memory_ + position_, static_cast<std::size_t>(n));
  position_ += n;
  return n;
}

std::int64_t TCustomMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  position_ = SeekTarget(offset, origin, position_, size_);
  return position_;
}

void TCustomMemoryStream::SaveToStream(TStream& stream) const { stream.WriteBuffer(memory_, size_); }

void TCustomMemoryStream::SaveToFile(const std::string& fileName) const { WriteFileAtomically(fileName, Bytes()); }

// ---- TMemoryStream ----

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  const std::int64_t end = position_ + count;
  if (end > static_cast<std::int64_t>(buffer_.size())) SetSize(end);
  std::memcpy(buffer_.data() + position_, buffer, static_cast<std::size_t>(count));
  position_ = end;
  return count;
}

void TMemoryStream::SetSize(std::int64_t newSize) {
  if (newSize < 0) throw EStreamError("Invalid stream size");
  buffer_.resize(static_cast<std::size_t>(newSize));
  SetPointer(buffer_.data(), newSize);
  position_ = std::min(position_, newSize);
}

void TMemoryStream::Clear() {
  buffer_.clear();
  SetPointer(buffer_.data(), 0);
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  const std::int64_t size = stream.Size();
  SetSize(size);
  stream.ReadBuffer(buffer_.data(), size);
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

TStringStream::TStringStream(std::string_view data) {
  WriteBuffer(data);
  SetPosition(0);
}

TBufferStream::TBufferStream(const void* data, std::size_t size) { SetPointer(data, static_cast<std::int64_t>(size)); }

// ---- TFileStream ----

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) : fileName_(fileName) {
  const bool create = (mode & fmCreate) == fmCreate;
  int flags;
  if (create) {
    flags = O_RDWR | O_CREAT | O_TRUNC;
  } else {
    switch (mode & 0x3) {
      case fmOpenRead: flags = O_RDONLY; break;
      case fmOpenWrite: flags = O_WRONLY; break;
      case fmOpenReadWrite: flags = O_RDWR; break;
      default:
        flags = -1;
        errno = EINVAL;
        break;
    }
  }
  if (flags != -1) fd_ = fileio::Open(fileName, flags, mode);
  if (fd_ < 0) {
    const char* text = create ? ExceptionText::FCreateError : ExceptionText::FOpenError;
    const std::string message = Format(text, {ExpandFileName(fileName), std::strerror(errno)});
    if (create) throw EFCreateError(message);
    throw EFOpenError(message);
  }
}

TFileStream::~TFileStream() {
  if (fd_ >= 0) fileio::Close(fd_);
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) { return fileio::ReadAll(fd_, buffer, count); }

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) { return fileio::WriteAll(fd_, buffer, count); }

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const std::int64_t target = SeekTarget(offset, origin, Position(), origin == soFromEnd ? Size() : 0);
  return fileio::Seek(fd_, target, SEEK_SET);
}

std::int64_t TFileStream::Position() const { return fileio::Seek(fd_, 0, SEEK_CUR); }

std::int64_t TFileStream::Size() const {
  const std::int64_t here = fileio::Seek(fd_, 0, SEEK_CUR);
  const std::int64_t end = fileio::Seek(fd_, 0, SEEK_END);
  fileio::Seek(fd_, here, SEEK_SET);
  return end;
}

void TFileStream::SetSize(std::int64_t newSize) {
  if (newSize < 0 || fileio::Truncate(fd_, newSize) != 0) {
    throw EStreamError(Format("Cannot change the size of \"%s\". %s", {fileName_, std::strerror(errno)}));
  }
  if (Position() > newSize) Seek(newSize, soFromBeginning);
}
