#include "toolkit/core/file_io.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <share.h>
#else
#include <unistd.h>
#endif

#include "toolkit/core/streams.h"
#include "toolkit/core/utf8.h"

namespace fileio {

#ifdef _WIN32
namespace {
int ShareFlag(unsigned share) {
  switch (share & 0xF0) {
    case fmShareExclusive: return _SH_DENYRW;
    case fmShareDenyWrite: return _SH_DENYWR;
    case fmShareDenyRead: return _SH_DENYRD;
    default: return _SH_DENYNO;
  }
}
int ReadPiece(int fd, void* buffer, unsigned count) { return _read(fd, buffer, count); }
int WritePiece(int fd, const void* buffer, unsigned count) { return _write(fd, buffer, count); }
}  // namespace

int Open(const std::string& name, int flags, unsigned share) {
  return _wsopen(Utf8ToWide(name).c_str(), flags | _O_BINARY | _O_NOINHERIT, ShareFlag(share), _S_IREAD | _S_IWRITE);
}
std::int64_t Seek(int fd, std::int64_t offset, int whence) { return _lseeki64(fd, offset, whence); }
int Truncate(int fd, std::int64_t size) { return _chsize_s(fd, size) == 0 ? 0 : -1; }
int Flush(int fd) { return _commit(fd); }
int Close(int fd) { return _close(fd); }
int Remove(const std::string& name) { return _wunlink(Utf8ToWide(name).c_str()); }
#else
namespace {
ssize_t ReadPiece(int fd, void* buffer, unsigned count) { return read(fd, buffer, count); }
ssize_t WritePiece(int fd, const void* buffer, unsigned count) { return write(fd, buffer, count); }
}  // namespace

int Open(const std::string& name, int flags, unsigned) {
  const int fd = open(name.c_str(), flags | O_CLOEXEC, 0666);
  struct stat info;
  if (fd >= 0 && fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    close(fd);
    errno = EISDIR;
    return -1;
  }
  return fd;
}
std::int64_t Seek(int fd, std::int64_t offset, int whence) { return lseek(fd, static_cast<off_t>(offset), whence); }
int Truncate(int fd, std::int64_t size) { return ftruncate(fd, static_cast<off_t>(size)); }
int Flush(int fd) { return fsync(fd); }
int Close(int fd) { return close(fd); }
int Remove(const std::string& name) { return unlink(name.c_str()); }
#endif

namespace {
template <class Transfer>
std::int64_t TransferAll(std::int64_t count, Transfer transfer) {
  std::int64_t done = 0;
  while (done < count) {
    const auto piece = static_cast<unsigned>(std::min<std::int64_t>(count - done, 1 << 30));
    const auto n = transfer(done, piece);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}
}  // namespace

std::int64_t ReadAll(int fd, void* buffer, std::int64_t count) {
  auto* bytes = static_cast<char*>(buffer);
  return TransferAll(count, [&](std::int64_t done, unsigned piece) { return ReadPiece(fd, bytes + done, piece); });
}

std::int64_t WriteAll(int fd, const void* buffer, std::int64_t count) {
  const auto* bytes = static_cast<const char*>(buffer);
  return TransferAll(count, [&](std::int64_t done, unsigned piece) { return WritePiece(fd, bytes + done, piece); });
}

}  // namespace fileio
