// The rows behind the table: one loaded file's bytes and the ends of its lines, with fields cut
// when a cell is asked for. Not thread-safe: the viewer owns and uses it on its UI thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "LogText.h"

namespace logdata {

class LogRowStore {
 public:
  static constexpr size_t kColumnCount = 14;

  // Drops every row and starts a new parse; returns the parse's generation number.
  uint64_t Reset();
  // Drops every row; the parse stays the current one.
  void Clear();
  uint64_t generation() const { return generation_; }

  void SetText(std::shared_ptr<const LogBuffer> text) { text_ = std::move(text); }
  void AppendLines(const std::vector<LineEnd>& ends);

  size_t RowCount() const { return ends_.size(); }
  // Field column+1 of the row; empty past the last field and for columns the table lacks.
  std::string_view Cell(size_t row, size_t column) const;

 private:
  std::shared_ptr<const LogBuffer> text_;
  std::vector<LineEnd> ends_;
  uint64_t generation_ = 0;
};

}  // namespace logdata
