#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "logdata/LogText.h"

namespace {

using namespace std::string_literals;
using logdata::FieldAt;
using logdata::LineEnd;
using logdata::LineSplitter;
using logdata::LineStart;
using logdata::SplitLines;

std::string X(size_t n) { return std::string(n, 'x'); }

struct LineCase {
  const char* name;
  std::string text;
  std::vector<LineEnd> ends;
};

class SplitLinesCases : public ::testing::TestWithParam<LineCase> {};

TEST_P(SplitLinesCases, FindsTheLineEnds) {
  EXPECT_EQ(SplitLines(GetParam().text), GetParam().ends);
}

// The fast path looks at 16 bytes at a time from the last byte it stopped at; these put the
// bytes that need a closer look on either side of such a block boundary.
INSTANTIATE_TEST_SUITE_P(
    BlockBoundaries, SplitLinesCases,
    ::testing::Values(LineCase{"CrLfAcrossBoundary", X(15) + "\r\ny", {15, 18}},
                      LineCase{"CrLfRightAfterBoundary", X(16) + "\r\n" + X(16) + "\r\n", {16, 34}},
                      LineCase{"LeadByteAt14TakesCr", X(14) + "\x81\r\ny", {18}},
                      LineCase{"LeadByteAt15TakesCrAt16", X(15) + "\x81\r\ny", {19}},
                      LineCase{"SecondByteOfPairIsNoLeadByte", X(15) + "\x81\x81\r\ny", {17, 20}},
                      LineCase{"PairBeforeTheFirstBlock", "\xC4\xE3" + X(14) + "\r\n", {16}},
                      LineCase{"CrAloneAt15", X(15) + "\rx\n", {18}},
                      LineCase{"NulAt16", X(16) + "\0\r\ny"s, {16}},
                      LineCase{"LeadByteAt15NulAt16", X(15) + "\x81\0"s, {15}},
                      LineCase{"SubAt17", X(17) + "\x1A", {17}},
                      LineCase{"SubAsSecondByteAt16", X(15) + "\x81\x1A", {17}},
                      LineCase{"LeadByteAsLastByteAt31", X(31) + "\x81", {32}},
                      LineCase{"NulRightAfterCrLf", X(14) + "\r\n\0x"s, {14}},
                      LineCase{"Empty", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

// A text of many lines, built from whole characters so that the line ends are known from the
// building: pairs of bytes, CR and LF that end nothing, and lines of every length around the
// 16-byte blocks.
struct ManyLines {
  std::string text;
  std::vector<LineEnd> ends;
};

ManyLines BuildManyLines() {
  static const char* const kPieces[] = {"x",      "yy",  " ",  "\xC4\xE3", "\x81\r",
                                        "\x81\n", "\rz", "\n", "\x81\x81", "\x80 "};
  ManyLines result;
  unsigned seed = 12345;
  for (int line = 0; line < 600; ++line) {
    const int pieces = line % 23;
    for (int p = 0; p < pieces; ++p) {
      seed = seed * 1103515245u + 12345u;
      result.text += kPieces[(seed >> 16) % std::size(kPieces)];
    }
    result.ends.push_back(static_cast<LineEnd>(result.text.size()));
    result.text += "\r\n";
  }
  result.text += "last";
  result.ends.push_back(static_cast<LineEnd>(result.text.size()));
  return result;
}

TEST(LineSplitter, BatchesGiveTheSameLinesAsOnePass) {
  const ManyLines many = BuildManyLines();
  EXPECT_EQ(SplitLines(many.text), many.ends);
  for (const size_t batch : {size_t{1}, size_t{2}, size_t{7}}) {
    SCOPED_TRACE(batch);
    LineSplitter splitter(many.text);
    std::vector<LineEnd> ends;
    for (size_t got; (got = splitter.Next(ends, batch)) != 0;) {
      ASSERT_LE(got, batch);
      // A short batch only comes at the end.
      if (got < batch) {
        EXPECT_EQ(ends.size(), many.ends.size());
      }
    }
    EXPECT_TRUE(splitter.Done());
    EXPECT_EQ(ends, many.ends);
    EXPECT_EQ(splitter.Next(ends, batch), 0u);
  }
}

TEST(LineSplitter, BytesArrivingInPartsGiveTheSameLines) {
  const ManyLines many = BuildManyLines();
  for (const size_t step : {size_t{1}, size_t{3}, size_t{17}, size_t{4096}}) {
    SCOPED_TRACE(step);
    LineSplitter splitter(many.text);
    std::vector<LineEnd> ends;
    for (size_t available = 0; available < many.text.size(); available += step) {
      splitter.SetAvailable(available);
      while (splitter.Next(ends, 5) != 0) {
      }
      EXPECT_FALSE(splitter.Done());
      // No line is reported before its CR LF has been read whole.
      if (!ends.empty()) {
        EXPECT_LE(ends.back() + 2, available);
      }
    }
    splitter.SetComplete(many.text.size());
    while (splitter.Next(ends, 5) != 0) {
    }
    EXPECT_TRUE(splitter.Done());
    EXPECT_EQ(ends, many.ends);
  }
}

TEST(LineSplitter, ABufferThatCameOutShorterEndsWhereTheContentEnds) {
  const std::string text = "a b\r\nc d\r\nlost";
  LineSplitter splitter(text);
  splitter.SetAvailable(5);
  std::vector<LineEnd> ends;
  while (splitter.Next(ends, 10) != 0) {
  }
  splitter.SetComplete(10);  // the read stopped after "a b\r\nc d\r\n" + nothing more
  while (splitter.Next(ends, 10) != 0) {
  }
  EXPECT_EQ(ends, (std::vector<LineEnd>{3, 8}));
}

TEST(LineStart, LinesSliceBackOutOfTheText) {
  const std::string text = "ab\r\n\r\ncd";
  const std::vector<LineEnd> ends = SplitLines(text);
  std::vector<std::string> lines;
  for (size_t i = 0; i < ends.size(); ++i) {
    lines.push_back(text.substr(LineStart(ends, i), ends[i] - LineStart(ends, i)));
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"ab", "", "cd"}));
}

TEST(FieldAt, PicksOneFieldOrNothing) {
  struct Case {
    std::string line;
    size_t column;
    std::string field;
  };
  const Case cases[] = {
      {"a b c", 0, "a"},         {"a b c", 2, "c"},    {"a b c", 3, ""},      {"a  b", 1, ""},
      {"a  b", 2, "b"},          {" a", 0, ""},        {"a b ", 2, ""},       {"", 0, ""},
      {"\x81 b c", 0, "\x81 b"}, {"\x81 b c", 1, "c"}, {"a \x81", 1, "\x81"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FieldAt(c.line, c.column), c.field) << '"' << c.line << "\" column " << c.column;
  }
}

}  // namespace
