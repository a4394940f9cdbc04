#include "toolkit/core/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include "toolkit/core/exceptions.h"
#include "toolkit/core/file_io.h"
#include "toolkit/core/format.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/text.h"

namespace {

#ifdef _WIN32
unsigned ProcessId() { return static_cast<unsigned>(_getpid()); }
// The replacement keeps the temporary file's attributes; the rename is the file system's
// own single step.
void TakeOverMode(const std::string&, int) {}
void FlushDirectory(const std::string&) {}
#else
unsigned ProcessId() { return static_cast<unsigned>(getpid()); }
// The new content keeps the permissions the target had.
void TakeOverMode(const std::string& target, int fd) {
  struct stat info;
  if (stat(target.c_str(), &info) == 0) fchmod(fd, info.st_mode & 07777);
}
// The rename reaches the disk with its directory.
void FlushDirectory(const std::string& target) {
  const std::string dir = ExtractFilePath(target);
  const int fd = open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}
#endif

std::filesystem::path PathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// Raises "Cannot create file "<target>". <reason>".
class TCannotCreate {
public:
  explicit TCannotCreate(const std::string& target) : target_(target) {}
  [[noreturn]] void operator()(const std::string& reason) const {
    throw EFCreateError(Format(ExceptionText::FCreateError, {ExpandFileName(target_), reason}));
  }
  [[noreturn]] void operator()(int error) const { (*this)(std::string(std::strerror(error))); }

private:
  const std::string& target_;
};

// A target that is there must be one this process may write: probing it the way the file
// used to be opened (for writing, without emptying it) gives the same refusals as before, for
// a read-only file, one another program holds open without sharing it, or a directory.
void CheckTargetWritable(const std::string& target, const TCannotCreate& fail) {
  const int fd = fileio::Open(target, O_WRONLY, fmShareCompat);
  if (fd >= 0) {
    fileio::Close(fd);
    return;
  }
  if (errno != ENOENT) fail(errno);
}

// A new file beside the target that no one else has open: "<target>.<process>-<count>.tmp".
// A name left by a killed process of the same id is passed over.
int CreateTemporary(const std::string& target, std::string& name, const TCannotCreate& fail) {
  static std::atomic<unsigned> counter{
      static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count() & 0xFFFF)};
  for (int attempt = 0;; ++attempt) {
    name = target + "." + IntToHex(ProcessId(), 1) + "-" + IntToHex(counter++, 1) + ".tmp";
    const int fd = fileio::Open(name, O_WRONLY | O_CREAT | O_EXCL, fmShareExclusive);
    if (fd >= 0) return fd;
    if (errno != EEXIST || attempt == 100) fail(errno);
  }
}

}  // namespace

void WriteFileAtomically(const std::string& fileName, std::string_view bytes) {
  const TCannotCreate fail(fileName);
  CheckTargetWritable(fileName, fail);

  std::string temporary;
  const int fd = CreateTemporary(fileName, temporary, fail);
  TakeOverMode(fileName, fd);
  const auto size = static_cast<std::int64_t>(bytes.size());
  errno = 0;
  bool written = fileio::WriteAll(fd, bytes.data(), size) == size && fileio::Flush(fd) == 0;
  int error = written ? 0 : (errno != 0 ? errno : ENOSPC);
  if (fileio::Close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (!written) {
    fileio::Remove(temporary);
    fail(error);
  }

  std::error_code renamed;
  std::filesystem::rename(PathOf(temporary), PathOf(fileName), renamed);
  if (renamed) {
    fileio::Remove(temporary);
    fail(renamed.message());
  }
  FlushDirectory(fileName);
}
