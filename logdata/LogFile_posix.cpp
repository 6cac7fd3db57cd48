#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <new>

#include "LogText.h"
#include "PosixPath.h"

namespace logdata {
namespace {

// POSIX has no share modes. Deny-write is approximated with an open-file-description read lock
// over the whole file: it fails while another process holds a write lock (as a cooperating writer
// does) and keeps such writers out while the file is read. The lock goes with the descriptor.
bool LockAgainstWriters(int fd) {
  struct flock lock {};
  lock.l_type = F_RDLCK;
  lock.l_whence = SEEK_SET;
  return fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

// The read fills a buffer of fresh pages. For a big file, faulting those in one 4 KiB page at a
// time (and clearing each) costs more than the copy itself; asking for huge pages over the
// 2 MiB-aligned part of the buffer cuts that to one fault per 2 MiB. Advice only: it changes
// neither the buffer nor what is read into it.
void AdviseHugePages(char* bytes, size_t size) {
#ifdef MADV_HUGEPAGE
  constexpr uintptr_t kHugePage = uintptr_t{2} << 20;
  if (size < 4 * kHugePage) return;
  const uintptr_t begin = (reinterpret_cast<uintptr_t>(bytes) + kHugePage - 1) & ~(kHugePage - 1);
  const uintptr_t end = (reinterpret_cast<uintptr_t>(bytes) + size) & ~(kHugePage - 1);
  madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)bytes;
  (void)size;
#endif
}

// Reads the open file whole into a new buffer, `partSize` bytes per read() at most, telling
// onPart (if any) after each part. Null on failure or when onPart says stop.
std::shared_ptr<LogBuffer> ReadOpenFile(int fd, size_t partSize, const OnReadPart* onPart) {
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return nullptr;
  if (info.st_size <= 0 || info.st_size > INT_MAX) return nullptr;
  if (!LockAgainstWriters(fd)) return nullptr;
  const auto size = static_cast<size_t>(info.st_size);
  std::unique_ptr<char[]> bytes(new (std::nothrow) char[size]);
  if (!bytes) return nullptr;
  AdviseHugePages(bytes.get(), size);
  auto buffer = std::make_shared<LogBuffer>(std::move(bytes), size);
  size_t done = 0;
  while (done < size) {
    const ssize_t got = read(fd, buffer->writable() + done, std::min(size - done, partSize));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return nullptr;
    if (got == 0) break;  // shorter than it was: keep what there is
    done += static_cast<size_t>(got);
    if (onPart && !(*onPart)(buffer, done)) return nullptr;
  }
  buffer->Truncate(done);
  return buffer;
}

std::shared_ptr<LogBuffer> ReadFileParts(const Text& path, size_t partSize, const OnReadPart* onPart) {
  if (path.empty()) return nullptr;
  // Non-blocking so that a FIFO cannot stall the open; it is then refused as not a regular file.
  const int fd = open(PosixPath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return nullptr;
  auto buffer = ReadOpenFile(fd, partSize, onPart);
  close(fd);
  return buffer;
}

}  // namespace

LogBuffer ReadLogFile(const Text& path) {
  auto buffer = ReadFileParts(path, SIZE_MAX, nullptr);
  return buffer ? std::move(*buffer) : LogBuffer();
}

std::shared_ptr<const LogBuffer> ReadLogFileInParts(const Text& path, const OnReadPart& onPart) {
  return ReadFileParts(path, kReadPartSize, &onPart);
}

}  // namespace logdata
