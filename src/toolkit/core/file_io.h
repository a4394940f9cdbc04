#pragma once
// The C runtime's file calls on a descriptor, opened by UTF-8 name, the same on every
// platform; file streams and atomic file replacement are made of them. Failures return -1
// with errno set, as the C runtime does.
#include <cstdint>
#include <string>

namespace fileio {

// flags: O_RDONLY, O_WRONLY or O_RDWR, with O_CREAT, O_TRUNC, O_EXCL; files are binary and
// not inherited. share: the fmShare... bits of a file mode, honoured on Windows (elsewhere
// without effect). A directory is refused (EISDIR, or EACCES on Windows).
int Open(const std::string& name, int flags, unsigned share);
std::int64_t Seek(int fd, std::int64_t offset, int whence);
int Truncate(int fd, std::int64_t size);
// Flushes what was written to the disk.
int Flush(int fd);
int Close(int fd);
int Remove(const std::string& name);

// Reads or writes count bytes in pieces the C runtime accepts; returns the bytes moved
// (fewer on an error or at the end of the file).
std::int64_t ReadAll(int fd, void* buffer, std::int64_t count);
std::int64_t WriteAll(int fd, const void* buffer, std::int64_t count);

}  // namespace fileio
