#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "logdata/LogRowStore.h"

namespace {

using logdata::LogBuffer;
using logdata::LogRowStore;

std::shared_ptr<const LogBuffer> BufferOf(const std::string& bytes) {
  std::unique_ptr<char[]> copy(new char[bytes.size()]);
  std::memcpy(copy.get(), bytes.data(), bytes.size());
  return std::make_shared<const LogBuffer>(std::move(copy), bytes.size());
}

TEST(LogRowStore, GenerationsGrowAcrossStoresAndSurviveClear) {
  LogRowStore first;
  const uint64_t a = first.Reset();
  LogRowStore second;  // a store made later goes on from the newest number, not from 1
  const uint64_t b = second.Reset();
  EXPECT_GT(b, a);
  EXPECT_GT(first.Reset(), b);

  const std::string bytes = "a b\r\nc\r\n";
  second.SetText(BufferOf(bytes));
  second.AppendLines(logdata::SplitLines(bytes));
  ASSERT_EQ(second.RowCount(), 2u);
  second.Clear();
  EXPECT_EQ(second.RowCount(), 0u);
  EXPECT_EQ(second.generation(), b);
  EXPECT_EQ(second.Cell(0, 0), "");
}

TEST(LogRowStore, CellsOutsideTheTableAreEmpty) {
  const std::string bytes = "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14\r\nx\r\n";
  LogRowStore store;
  store.AppendLines(logdata::SplitLines(bytes));
  EXPECT_EQ(store.Cell(0, 0), "");  // no text yet: lines alone give no cells
  store.SetText(BufferOf(bytes));
  EXPECT_EQ(store.Cell(0, 0), "0");
  EXPECT_EQ(store.Cell(0, 13), "13");
  EXPECT_EQ(store.Cell(0, 14), "");  // the table has 14 columns
  EXPECT_EQ(store.Cell(1, 0), "x");
  EXPECT_EQ(store.Cell(1, 1), "");
  EXPECT_EQ(store.Cell(2, 0), "");
}

}  // namespace
