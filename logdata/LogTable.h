// Loading a log file into rows and fields.
//
// Texts are bytes of code page 936 and are never decoded. A file is read whole with deny-write
// sharing, cut into lines at CR LF and each line into fields at single spaces; a separator counts
// only at a character start (a byte of 0x80 or above takes the next byte with it).
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace logdata {

using Text = std::string;  // bytes of code page 936, never decoded
using LogRow = std::vector<Text>;
using LogTable = std::vector<LogRow>;

// Every row of the file named by `path`, in file order. Any failure gives an empty table.
LogTable LoadLogTable(const Text& path);

// The same rows, handed to `onRow` one at a time on the calling thread after the file has been
// released. Nothing is reported on failure.
void LoadLogTable(const Text& path, const std::function<void(LogRow)>& onRow);

}  // namespace logdata
