// The pieces behind LoadLogTable, exposed so that a viewer can show a big file without copying
// every field: the file's bytes in one buffer, the end of each line as an offset into it, and
// fields cut from a line on demand. All of them follow one rule for characters: a byte of 0x80 or
// above and the byte after it form one character, and separators count only at character starts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "LogTable.h"

namespace logdata {

// The whole content of one file, read with one read. Empty when the file could not be read.
class LogBuffer {
 public:
  LogBuffer() = default;
  LogBuffer(std::unique_ptr<char[]> bytes, size_t size) : bytes_(std::move(bytes)), size_(size) {}

  const char* data() const { return bytes_.get(); }
  size_t size() const { return size_; }
  std::string_view view() const { return {bytes_.get(), size_}; }
  char* writable() { return bytes_.get(); }
  void Truncate(size_t size) { size_ = size < size_ ? size : size_; }

 private:
  std::unique_ptr<char[]> bytes_;
  size_t size_ = 0;
};

// Reads the file at `path` (code page 936) whole, denying writers while it is open. Empty for an
// empty path, a missing or unreadable file, a sharing conflict, or a length outside 1 .. 2^31-1.
LogBuffer ReadLogFile(const Text& path);

// Reads the same way into one buffer of the file's length, in parts of a few MiB, so that a
// viewer can show lines while the rest is read: after each part, onPart(buffer, filled) learns
// how many leading bytes hold content. The buffer is shared so that bytes already shown stay
// valid whatever happens next. onPart returning false stops the read. Null when the file could
// not be read or the read was stopped; the file is released before returning either way.
inline constexpr size_t kReadPartSize = size_t{16} << 20;
using OnReadPart = std::function<bool(const std::shared_ptr<const LogBuffer>& buffer, size_t filled)>;
std::shared_ptr<const LogBuffer> ReadLogFileInParts(const Text& path, const OnReadPart& onPart);

// Line offsets are 32-bit: a readable file is shorter than 2 GiB.
using LineEnd = uint32_t;

// Finds the lines of a text, resumable so that a caller can hand lines over in batches.
// The text ends at the first NUL or 0x1A at a character start, or before a byte of 0x80 or above
// that is followed by a NUL. Lines end at CR LF; bytes after the last CR LF form one more line
// only if there is at least one of them. Line i spans [LineStart(i), ends[i]).
class LineSplitter {
 public:
  explicit LineSplitter(std::string_view bytes) : bytes_(bytes), available_(bytes.size()) {}

  // For a buffer that is still being filled: only its first `available` bytes hold content yet.
  // Lines are found up to there; the rest waits for a later call with more.
  void SetAvailable(size_t available) { available_ = available < bytes_.size() ? available : bytes_.size(); }
  // The buffer's content is complete at `size` bytes (no more than it was given).
  void SetComplete(size_t size) {
    bytes_ = bytes_.substr(0, size);
    available_ = bytes_.size();
  }

  // Appends the end offsets of up to `maxLines` further lines to `ends`; returns how many.
  // Returns 0 once every line has been found, or when the next one needs bytes not yet available.
  size_t Next(std::vector<LineEnd>& ends, size_t maxLines);

  bool Done() const { return done_; }

 private:
  std::string_view bytes_;
  size_t available_;
  size_t pos_ = 0;        // next character start to look at
  size_t lineStart_ = 0;  // where the current line began
  bool done_ = false;
};

// Where line `index` begins, given the ends of the lines before it: a line begins after the CR LF
// that ended the previous one.
inline size_t LineStart(const std::vector<LineEnd>& ends, size_t index) {
  return index == 0 ? 0 : size_t{ends[index - 1]} + 2;
}

// Every line end of `bytes` at once.
std::vector<LineEnd> SplitLines(std::string_view bytes);

// Where the field that begins at `from` ends: the first space at a character start from there
// on, or line.size() when there is none.
inline size_t FieldEnd(std::string_view line, size_t from) {
  const auto* b = reinterpret_cast<const unsigned char*>(line.data());
  const size_t n = line.size();
  size_t i = from;
  while (i < n) {
    // Move over bytes that are characters of their own and not spaces, 16 at a time where the
    // line is long enough. What stops the run is a space or the first byte of a pair.
#if defined(__SSE2__)
    while (i + 16 <= n) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
      const unsigned stop = static_cast<unsigned>(
          _mm_movemask_epi8(_mm_or_si128(v, _mm_cmpeq_epi8(v, _mm_set1_epi8(' ')))));
      if (stop != 0) {
        i += static_cast<size_t>(__builtin_ctz(stop));
        break;
      }
      i += 16;
    }
#endif
    while (i < n && b[i] != ' ' && b[i] < 0x80) ++i;
    if (i >= n || b[i] == ' ') break;
    i += 2;  // the pair: its second byte is never a separator
  }
  return i < n ? i : n;
}

// Calls onField(std::string_view) for each field of `line` (single-space separator), in order;
// an empty line has no fields, a trailing space adds none, two spaces in a row give an empty one.
// Stops early when onField returns false.
template <class OnField>
void ForEachField(std::string_view line, OnField onField) {
  for (size_t start = 0; start < line.size();) {
    const size_t end = FieldEnd(line, start);
    if (!onField(line.substr(start, end - start))) return;
    start = end + 1;  // past the space; past the end when there was none
  }
}

// Field `column` (counted from 0) of `line`, or empty when the line has fewer fields.
std::string_view FieldAt(std::string_view line, size_t column);

}  // namespace logdata
