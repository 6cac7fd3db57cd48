#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "TempTree.h"
#include "logdata/LogTable.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

using namespace std::string_literals;
using logdata::LoadLogTable;
using logdata::LogRow;
using logdata::LogTable;
using logdata::Text;
using testing_support::PathFromText;
using testing_support::SamplePath;
using testing_support::TempTree;

struct Example {
  const char* name;
  std::string bytes;
  LogTable rows;
};

class LoadLogTableExamples : public ::testing::TestWithParam<Example> {};

TEST_P(LoadLogTableExamples, GivesTheRowsOfTheText) {
  TempTree tree;
  const Example& example = GetParam();
  const auto path = tree.Write("x.log", example.bytes);
  EXPECT_EQ(LoadLogTable(path), example.rows);
}

INSTANTIATE_TEST_SUITE_P(
    CuttingRule, LoadLogTableExamples,
    ::testing::Values(
        Example{"EmptyFile", "", {}},
        Example{"TwoRowsWithFinalCrLf", "a b\r\nc d\r\n", {{"a", "b"}, {"c", "d"}}},
        Example{"TwoRowsWithoutFinalCrLf", "a b\r\nc d", {{"a", "b"}, {"c", "d"}}},
        Example{"BlankLineInTheMiddle", "a\r\n\r\nb\r\n", {{"a"}, {}, {"b"}}},
        Example{"OnlyCrLf", "\r\n", {{}}},
        Example{"TwoSpacesGiveEmptyField", "a  b\r\n", {{"a", "", "b"}}},
        Example{"TrailingSpaceAddsNothing", "a b \r\n", {{"a", "b"}}},
        Example{"LeadingSpace", " a\r\n", {{"", "a"}}}, Example{"OnlySpace", " \r\n", {{""}}},
        Example{"LineFeedsAlone", "a b\nc d\n", {{"a", "b\nc", "d\n"}}},
        Example{"CarriageReturnAlone", "a\rb\r\r\nc", {{"a\rb\r"}, {"c"}}},
        Example{"FieldsDirective",
                "#Fields: date time c-ip\r\n",
                {{"#Fields:", "date", "time", "c-ip"}}},
        // The end of the text.
        Example{"NulEndsTheText", "a b\r\nc\0d\r\ne\r\n"s, {{"a", "b"}, {"c"}}},
        Example{"SubEndsTheText",
                "a\r\nb \x1A"
                "c\r\nd"s,
                {{"a"}, {"b"}}},
        Example{"NulRightAfterCrLf", "a\r\n\0b\r\n"s, {{"a"}}}, Example{"NulFirst", "\0a\r\n"s, {}},
        Example{"NulAsSecondByteDropsItsLeadByte", "a b\x81\0c\r\nd"s, {{"a", "b"}}},
        Example{"OnlyLeadByteAndNul", "\x81\0"s, {}},
        Example{"SubAsSecondByteIsContent",
                "a\x81\x1A"
                "b c\r\nd"s,
                {{"a\x81\x1A"
                  "b",
                  "c"},
                 {"d"}}},
        Example{"NulAfterTwoByteCharacter", "\xC4\xE3\0x"s, {{"\xC4\xE3"}}},
        // A byte of 0x80 or above takes the next byte with it, whatever it is.
        Example{"LeadByteSwallowsCr", "a\x81\r\nb c\r\nd\r\n", {{"a\x81\r\nb", "c"}, {"d"}}},
        Example{"LeadByteSwallowsSpace", "a\x81 b c\r\n", {{"a\x81 b", "c"}}},
        Example{"LowestAndHighestLeadBytes", "\x80 \xFF x y", {{"\x80 \xFF x", "y"}}},
        Example{"TwoByteCharactersKeptAsStored",
                "\xC4\xE3\xBA\xC3 \xCA\xC0\r\n",
                {{"\xC4\xE3\xBA\xC3", "\xCA\xC0"}}},
        Example{"LeadByteAsLastByteStays", "a\r\nb \x81", {{"a"}, {"b", "\x81"}}}),
    [](const auto& info) { return std::string(info.param.name); });

LogTable LoadThroughCallback(const Text& path) {
  LogTable rows;
  LoadLogTable(path, [&rows](LogRow row) { rows.push_back(std::move(row)); });
  return rows;
}

TEST(LoadLogTable, PathsThatNameNoReadableFileGiveNoRows) {
  TempTree tree;
  const Text missing = tree.Root() + "/missing.log";
  for (const Text& path : {Text(), missing, tree.Root(), tree.MakeDir("d.log")}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(LoadLogTable(path), LogTable());
    EXPECT_EQ(LoadThroughCallback(path), LogTable());
  }
  EXPECT_FALSE(std::filesystem::exists(PathFromText(missing)));  // never created
}

// The length is taken as a signed 32-bit count: 2 GiB and more is refused, also when the low
// 32 bits of the length would look small. The files are sparse, so this costs no disk.
TEST(LoadLogTable, FileOf2GiBOrMoreGivesNoRows) {
  TempTree tree;
  for (const std::uintmax_t size : {std::uintmax_t{1} << 31, (std::uintmax_t{1} << 32) + 3}) {
    SCOPED_TRACE(size);
    const Text path = tree.Write("big.log", "a\r\n");
    std::filesystem::resize_file(PathFromText(path), size);
    EXPECT_EQ(LoadLogTable(path), LogTable());
  }
}

// Lines of a file that contains no byte of 0x80 or above, NUL or 0x1A, cut at CR LF.
std::vector<std::string> CrLfLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

std::string ReadAll(const Text& path) {
  std::ifstream in(PathFromText(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Join(const LogRow& row) {
  std::string line;
  for (size_t i = 0; i < row.size(); ++i) line += (i ? " " : "") + row[i];
  return line;
}

TEST(LoadLogTable, SampleLogGivesOneRowPerLine) {
  const Text path = SamplePath("lnav_w3c_big_crlf.log");
  const LogTable rows = LoadLogTable(path);
  const std::vector<std::string> lines = CrLfLines(ReadAll(path));
  ASSERT_EQ(lines.size(), 254u);
  ASSERT_EQ(rows.size(), lines.size());
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(Join(rows[i]), lines[i]) << "row " << i;
  EXPECT_EQ(rows[3].size(), 18u);  // "#Fields:" and seventeen field names
  EXPECT_EQ(rows[3][0], "#Fields:");
  EXPECT_EQ(LoadThroughCallback(path), rows);
}

TEST(LoadLogTable, SampleWithLineFeedsOnlyIsOneRow) {
  const LogTable rows = LoadLogTable(SamplePath("lnav_w3c_0.log"));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].front(), "#Software:");
  EXPECT_EQ(rows[0].back().back(), '\n');
}

#ifdef _WIN32

struct Handle {
  HANDLE h;
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};

Handle OpenOther(const Text& path, DWORD access, DWORD share) {
  return {CreateFileW(PathFromText(path).c_str(), access, share, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr)};
}

TEST(LoadLogTable, FileHeldOpenForWritingGivesNoRows) {
  TempTree tree;
  const Text path = tree.Write("x.log", "a\r\n");
  {
    const Handle writer = OpenOther(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(writer.h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(LoadLogTable(path), LogTable());
  }
  EXPECT_EQ(LoadLogTable(path), LogTable({{"a"}}));  // once the writer is gone
}

TEST(LoadLogTable, FileHeldOpenForReadingStillLoads) {
  TempTree tree;
  const Text path = tree.Write("x.log", "a\r\n");
  const Handle reader = OpenOther(path, GENERIC_READ, FILE_SHARE_READ);
  ASSERT_NE(reader.h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(LoadLogTable(path), LogTable({{"a"}}));
}

TEST(LoadLogTable, HiddenAndSystemAttributesDoNotMatter) {
  TempTree tree;
  const Text path = tree.Write("x.log", "a\r\n");
  const std::wstring wide = PathFromText(path).wstring();
  ASSERT_TRUE(SetFileAttributesW(
      wide.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(LoadLogTable(path), LogTable({{"a"}}));
  SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);  // so that the tree can be removed
}

#else

// POSIX has no share modes; a writer announces itself with a write lock on the file.
TEST(LoadLogTable, FileLockedByAWriterGivesNoRows) {
  TempTree tree;
  const Text path = tree.Write("x.log", "a\r\n");
  for (const short type : {F_WRLCK, F_RDLCK}) {
    const int other = open(path.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(other, 0);
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(fcntl(other, F_OFD_SETLK, &lock), 0);
    EXPECT_EQ(LoadLogTable(path), type == F_WRLCK ? LogTable() : LogTable({{"a"}}));
    close(other);
  }
  EXPECT_EQ(LoadLogTable(path), LogTable({{"a"}}));
}

#endif

}  // namespace
