#include "Cp936.h"

#include <windows.h>

namespace logdata {

constexpr UINT kCodePage936 = 936;

std::wstring WideFromCp936(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(kCodePage936, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(kCodePage936, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string Cp936FromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(kCodePage936, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) {
    WideCharToMultiByte(kCodePage936, 0, text.data(), size, narrow.data(), length, nullptr,
                        nullptr);
  }
  return narrow;
}

}  // namespace logdata
