#include <windows.h>

#include <algorithm>
#include <climits>
#include <new>

#include "Cp936.h"
#include "LogText.h"

namespace logdata {
namespace {

// Reads the open file whole into a new buffer, `partSize` bytes per ReadFile at most, telling
// onPart (if any) after each part. Null on failure or when onPart says stop.
std::shared_ptr<LogBuffer> ReadOpenFile(HANDLE file, size_t partSize, const OnReadPart* onPart) {
  LARGE_INTEGER length{};
  if (!GetFileSizeEx(file, &length) || length.QuadPart <= 0 || length.QuadPart > INT_MAX) {
    return nullptr;
  }
  const auto size = static_cast<size_t>(length.QuadPart);
  std::unique_ptr<char[]> bytes(new (std::nothrow) char[size]);
  if (!bytes) return nullptr;
  auto buffer = std::make_shared<LogBuffer>(std::move(bytes), size);
  size_t done = 0;
  while (done < size) {
    DWORD read = 0;
    const auto want = static_cast<DWORD>(std::min(size - done, partSize));
    if (!ReadFile(file, buffer->writable() + done, want, &read, nullptr)) return nullptr;
    if (read == 0) break;  // cannot happen while writers are denied; keep what there is
    done += read;
    if (onPart && !(*onPart)(buffer, done)) return nullptr;
  }
  buffer->Truncate(done);
  return buffer;
}

std::shared_ptr<LogBuffer> ReadFileParts(const Text& path, size_t partSize, const OnReadPart* onPart) {
  if (path.empty()) return nullptr;
  // Read access, other readers allowed, writers denied: a log that its writer still holds open
  // for writing fails to open here instead of being read half-written.
  const HANDLE file = CreateFileW(WideFromCp936(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  auto buffer = ReadOpenFile(file, partSize, onPart);
  CloseHandle(file);
  return buffer;
}

}  // namespace

LogBuffer ReadLogFile(const Text& path) {
  auto buffer = ReadFileParts(path, SIZE_MAX, nullptr);  // one read of the whole length
  return buffer ? std::move(*buffer) : LogBuffer();
}

std::shared_ptr<const LogBuffer> ReadLogFileInParts(const Text& path, const OnReadPart& onPart) {
  return ReadFileParts(path, kReadPartSize, &onPart);
}

}  // namespace logdata
