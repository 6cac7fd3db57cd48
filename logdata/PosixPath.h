// Path texts on POSIX: a backslash is a directory separator there too, as it is under Wine, so a
// text written for Windows names the same file. A trailing byte 0x5C of a two-byte character is
// taken as a separator as well; POSIX file names are not code page 936 in practice.
#pragma once

#include <string>

namespace logdata {

inline std::string PosixPath(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

}  // namespace logdata
