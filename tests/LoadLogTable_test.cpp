#include <gtest/gtest.h>

#include "TempTree.h"
#include "logdata/LogTable.h"

namespace {

using logdata::LoadLogTable;
using logdata::LogTable;
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
        Example{"TwoRowsWithFinalCrLf", "a b\r\nc d\r\n", {{"a", "b"}, {"c", "d"}}},
        Example{"TwoRowsWithoutFinalCrLf", "a b\r\nc d", {{"a", "b"}, {"c", "d"}}},
        Example{"BlankLineInTheMiddle", "a\r\n\r\nb\r\n", {{"a"}, {}, {"b"}}},
        Example{"OnlyCrLf", "\r\n", {{}}},
        Example{"TwoSpacesGiveEmptyField", "a  b\r\n", {{"a", "", "b"}}},
        Example{"TrailingSpaceAddsNothing", "a b \r\n", {{"a", "b"}}},
        Example{"LeadingSpace", " a\r\n", {{"", "a"}}},
        Example{"OnlySpace", " \r\n", {{""}}},
        Example{"LineFeedsAlone", "a b\nc d\n", {{"a", "b\nc", "d\n"}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
