#include <windows.h>

#include <climits>
#include <new>

#include "Cp936.h"
#include "LogText.h"

namespace logdata {

LogBuffer ReadLogFile(const Text& path) {
  if (path.empty()) return {};
  // Read access, other readers allowed, writers denied: a log that its writer still holds open
  // for writing fails to open here instead of being read half-written.
  const HANDLE file = CreateFileW(WideFromCp936(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};

  LogBuffer result;
  LARGE_INTEGER length{};
  if (GetFileSizeEx(file, &length) && length.QuadPart > 0 && length.QuadPart <= INT_MAX) {
    const auto size = static_cast<DWORD>(length.QuadPart);
    std::unique_ptr<char[]> bytes(new (std::nothrow) char[size]);
    DWORD read = 0;
    if (bytes && ReadFile(file, bytes.get(), size, &read, nullptr)) {
      result = LogBuffer(std::move(bytes), read);
    }
  }
  CloseHandle(file);
  return result;
}

}  // namespace logdata
