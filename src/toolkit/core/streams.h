#pragma once
// Streams: a byte sequence with a position. TMemoryStream keeps its bytes in memory,
// TFileStream reads and writes a file, TBufferStream reads bytes that belong to someone
// else (a resource, a string) without copying them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/core/object.h"

enum TSeekOrigin { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

class TStream : public TObject {
  QUILLIMO_CLASS(TStream, TObject)
public:
  // Read and Write move up to count bytes and return how many they moved.
  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
  // Returns the new position; a position before the start raises EStreamError.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
  virtual std::int64_t Position() const = 0;
  virtual std::int64_t Size() const = 0;
  // Streams that cannot change their size raise EStreamError.
  virtual void SetSize(std::int64_t newSize);

  void SetPosition(std::int64_t position) { Seek(position, soFromBeginning); }

  // All or nothing: EReadError "Stream read error" / EWriteError "Stream write error" when
  // fewer bytes could be moved.
  void ReadBuffer(void* buffer, std::int64_t count);
  void WriteBuffer(const void* buffer, std::int64_t count);
  void WriteBuffer(std::string_view bytes) { WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size())); }

  // Copies count bytes from source's position; count 0 copies all of source from its start.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
  // The bytes from the position to the end.
  std::string ReadToEnd();
};

// Reading and seeking over a block of memory.
class TCustomMemoryStream : public TStream {
  QUILLIMO_CLASS(TCustomMemoryStream, TStream)
public:
  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Position() const override { return position_; }
  std::int64_t Size() const override { return size_; }

  const void* Memory() const { return memory_; }
  std::string_view Bytes() const { return {reinterpret_cast<const char*>(memory_), static_cast<std::size_t>(size_)}; }

  void SaveToStream(TStream& stream) const;
  // Replaces the file as a whole (WriteFileAtomically).
  void SaveToFile(const std::string& fileName) const;

protected:
  void SetPointer(const void* memory, std::int64_t size);

  std::int64_t position_ = 0;

private:
  const std::uint8_t* memory_ = nullptr;
  std::int64_t size_ = 0;
};

// A growable stream held in memory.
class TMemoryStream : public TCustomMemoryStream {
  QUILLIMO_CLASS(TMemoryStream, TCustomMemoryStream)
public:
  TMemoryStream() = default;

  std::int64_t Write(const void* buffer, std::int64_t count) override;
  void SetSize(std::int64_t newSize) override;

  void* Memory() { return buffer_.data(); }
  using TCustomMemoryStream::Memory;
  void Clear();
  // Replace the content by the whole of stream (or file); the position goes to 0.
  void LoadFromStream(TStream& stream);
  void LoadFromFile(const std::string& fileName);

private:
  std::vector<std::uint8_t> buffer_;
};

// A memory stream made from, and readable as, a string.
class TStringStream : public TMemoryStream {
  QUILLIMO_CLASS(TStringStream, TMemoryStream)
public:
  explicit TStringStream(std::string_view data = {});
  std::string DataString() const { return std::string(Bytes()); }
};

// A read-only view of bytes owned elsewhere; they must outlive the stream. For parsers.
class TBufferStream : public TCustomMemoryStream {
  QUILLIMO_CLASS(TBufferStream, TCustomMemoryStream)
public:
  TBufferStream(const void* data, std::size_t size);
  explicit TBufferStream(std::string_view data) : TBufferStream(data.data(), data.size()) {}
  std::int64_t Write(const void* buffer, std::int64_t count) override { return 0; }
};

// Open modes of TFileStream: one access mode, or fmCreate, plus a share mode. The share
// mode is honoured on Windows and accepted (without effect) elsewhere.
using TFileMode = unsigned;
inline constexpr TFileMode fmCreate = 0xFF00;
inline constexpr TFileMode fmOpenRead = 0x0000;
inline constexpr TFileMode fmOpenWrite = 0x0001;
inline constexpr TFileMode fmOpenReadWrite = 0x0002;
inline constexpr TFileMode fmShareCompat = 0x0000;
inline constexpr TFileMode fmShareExclusive = 0x0010;
inline constexpr TFileMode fmShareDenyWrite = 0x0020;
inline constexpr TFileMode fmShareDenyRead = 0x0030;
inline constexpr TFileMode fmShareDenyNone = 0x0040;

// A file opened by UTF-8 name. fmCreate creates the file or empties an existing one and
// raises EFCreateError "Cannot create file "<name>". <reason>" on failure; the other modes
// open an existing file and raise EFOpenError "Cannot open file "<name>". <reason>".
class TFileStream : public TStream {
  QUILLIMO_CLASS(TFileStream, TStream)
public:
  TFileStream(const std::string& fileName, TFileMode mode);
  ~TFileStream() override;

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Position() const override;
  std::int64_t Size() const override;
  void SetSize(std::int64_t newSize) override;

  const std::string& FileName() const { return fileName_; }

private:
  std::string fileName_;
  int fd_ = -1;
};
