#include "LogText.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace logdata {
namespace {

// Bytes that need a look of their own: CR (a possible line end), NUL and 0x1A (possible end of
// text) and every byte of 0x80 or above (the first half of a two-byte character).
inline bool IsPlain(unsigned char c) { return c < 0x80 && c != '\r' && c != 0 && c != 0x1A; }

// Skips from `i` over plain bytes, each of which is a character of its own, and returns the
// position of the next byte that is not plain (or `n`).
inline size_t SkipPlain(const unsigned char* b, size_t i, size_t n) {
#if defined(__SSE2__)
  // One signed comparison flags every byte below 0x1B (CR, NUL and 0x1A among them) and every
  // byte of 0x80 or above (negative as a signed byte). The other bytes it flags, such as TAB or
  // a lone LF, are rare; looked at one by one they turn out plain.
  const __m128i limit = _mm_set1_epi8(0x1B);
  while (i + 32 <= n) {
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i + 16));
    uint32_t flagged = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmplt_epi8(low, limit))) |
                       static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmplt_epi8(high, limit))) << 16;
    for (; flagged != 0; flagged &= flagged - 1) {
      const size_t at = i + static_cast<size_t>(__builtin_ctz(flagged));
      if (!IsPlain(b[at])) return at;
    }
    i += 32;
  }
#endif
  while (i < n && IsPlain(b[i])) ++i;
  return i;
}

}  // namespace

size_t LineSplitter::Next(std::vector<LineEnd>& ends, size_t maxLines) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes_.data());
  const size_t n = bytes_.size();
  const bool partial = available_ < n;
  size_t found = 0;
  size_t i = pos_;
  while (!done_ && found < maxLines) {
    i = SkipPlain(b, i, available_);
    // A byte that needs a look at the byte after it waits until that byte has been read.
    if (partial && i + 1 >= available_) break;
    size_t textEnd = n;
    if (i < n) {
      const unsigned char c = b[i];
      if (c == '\r') {
        if (i + 1 < n && b[i + 1] == '\n') {
          ends.push_back(static_cast<LineEnd>(i));
          ++found;
          lineStart_ = i + 2;
          i += 2;
        } else {
          ++i;
        }
        continue;
      }
      if (c >= 0x80) {
        // A lead byte takes the next byte with it, unless that byte is a NUL: then the incomplete
        // character is dropped and the text ends. A lead byte that is the very last byte stays.
        if (i + 1 < n && b[i + 1] != 0) {
          i += 2;
          continue;
        }
        textEnd = (i + 1 < n) ? i : n;
      } else {
        textEnd = i;  // NUL or 0x1A at a character start
      }
    }
    if (textEnd > lineStart_) {
      ends.push_back(static_cast<LineEnd>(textEnd));
      ++found;
    }
    done_ = true;
    i = textEnd;
  }
  pos_ = i;
  return found;
}

std::vector<LineEnd> SplitLines(std::string_view bytes) {
  std::vector<LineEnd> ends;
  LineSplitter splitter(bytes);
  while (splitter.Next(ends, SIZE_MAX) != 0) {
  }
  return ends;
}

std::string_view FieldAt(std::string_view line, size_t column) {
  std::string_view result;
  size_t index = 0;
  ForEachField(line, [&](std::string_view field) {
    if (index++ != column) return true;
    result = field;
    return false;
  });
  return result;
}

}  // namespace logdata
