#include "LogRowStore.h"

#include <atomic>

namespace logdata {

uint64_t LogRowStore::Reset() {
  // Numbered across the process: parse tasks compare against the newest number handed out by
  // any store, so a store made later must not start counting again from 1.
  static std::atomic<uint64_t> lastGeneration{0};
  Clear();
  generation_ = ++lastGeneration;
  return generation_;
}

void LogRowStore::Clear() {
  text_.reset();
  std::vector<LineEnd>().swap(ends_);  // give the memory back, not just the size
}

void LogRowStore::AppendLines(const std::vector<LineEnd>& ends) {
  ends_.insert(ends_.end(), ends.begin(), ends.end());
}

std::string_view LogRowStore::Cell(size_t row, size_t column) const {
  if (!text_ || row >= ends_.size() || column >= kColumnCount) return {};
  const size_t start = LineStart(ends_, row);
  return FieldAt(text_->view().substr(start, ends_[row] - start), column);
}

}  // namespace logdata
