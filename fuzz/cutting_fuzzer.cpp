// Cuts the input as the content of a log file, with the real line index (in batches of a size
// taken from the first byte) and field cutter, and compares the rows with a plain model of the
// rules: find where the text ends, then cut it at CR LF and each line at spaces with one generic
// cutting function that moves on character by character.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "logdata/LogText.h"

namespace {

using Row = std::vector<std::string_view>;

bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// The text ends at a NUL or 0x1A that begins a character, or before a lead byte followed by a
// NUL. A lead byte that is the last byte stays.
std::string_view TextOf(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    if (bytes[i] == '\0' || bytes[i] == '\x1A') return bytes.substr(0, i);
    if (IsLeadByte(bytes[i])) {
      if (i + 1 < bytes.size() && bytes[i + 1] == '\0') return bytes.substr(0, i);
      i += 2;
    } else {
      i += 1;
    }
  }
  return bytes;
}

// Pieces of `text` between separators found at character starts; no pieces for an empty text,
// and the bytes after the last separator make a piece only if there are any.
std::vector<std::string_view> Cut(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> pieces;
  if (text.empty()) return pieces;
  size_t start = 0;
  size_t i = 0;
  while (i < text.size()) {
    if (text.substr(i, separator.size()) == separator) {
      pieces.push_back(text.substr(start, i - start));
      i += separator.size();
      start = i;
    } else {
      i += IsLeadByte(text[i]) ? 2 : 1;
    }
  }
  if (start < text.size()) pieces.push_back(text.substr(start));
  return pieces;
}

std::vector<Row> ModelRows(std::string_view bytes) {
  std::vector<Row> rows;
  for (std::string_view line : Cut(TextOf(bytes), "\r\n")) rows.push_back(Cut(line, " "));
  return rows;
}

// The bytes become available `step` at a time, as they do while a file is read in parts.
std::vector<Row> RealRows(std::string_view bytes, size_t batch, size_t step) {
  logdata::LineSplitter splitter(bytes);
  std::vector<logdata::LineEnd> ends;
  for (size_t available = 0;; available += step) {
    splitter.SetAvailable(available);
    for (size_t got; (got = splitter.Next(ends, batch)) != 0;) {
      if (got > batch) abort();
      if (!ends.empty() && ends.back() > available) abort();  // only what has been read
    }
    if (available >= bytes.size()) break;
  }
  if (!splitter.Done()) abort();

  std::vector<Row> rows;
  for (size_t i = 0; i < ends.size(); ++i) {
    const size_t start = logdata::LineStart(ends, i);
    if (ends[i] < start || ends[i] > bytes.size()) abort();
    const std::string_view line = bytes.substr(start, ends[i] - start);
    Row row;
    logdata::ForEachField(line, [&row](std::string_view field) {
      row.push_back(field);
      return true;
    });
    for (size_t column = 0; column <= row.size(); ++column) {
      const std::string_view expected = column < row.size() ? row[column] : std::string_view();
      if (logdata::FieldAt(line, column) != expected) abort();
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const size_t batch = size == 0 ? 1 : 1 + data[0] % 7;
  const size_t step = size < 2 ? size + 1 : 1 + data[1] % 13 + (data[1] & 0x80 ? size : 0);
  if (RealRows(bytes, batch, step) != ModelRows(bytes)) abort();
  return 0;
}
