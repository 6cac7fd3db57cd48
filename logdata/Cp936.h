// Conversion between code page 936 bytes and UTF-16, done explicitly at every Win32 call so that
// behaviour does not depend on the system's ANSI code page. Windows only.
#pragma once

#include <string>
#include <string_view>

namespace logdata {

std::wstring WideFromCp936(std::string_view text);
std::string Cp936FromWide(std::wstring_view text);

}  // namespace logdata
