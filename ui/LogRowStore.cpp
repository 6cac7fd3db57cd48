#include "LogRowStore.h"

namespace ui {

uint64_t LogRowStore::Reset() {
  text_.reset();
  std::vector<logdata::LineEnd>().swap(ends_);  // give the memory back, not just the size
  return ++generation_;
}

void LogRowStore::AppendLines(const std::vector<logdata::LineEnd>& ends) {
  ends_.insert(ends_.end(), ends.begin(), ends.end());
}

std::string_view LogRowStore::Cell(size_t row, size_t column) const {
  if (!text_ || row >= ends_.size() || column >= kColumnCount) return {};
  const size_t start = logdata::LineStart(ends_, row);
  return logdata::FieldAt(text_->view().substr(start, ends_[row] - start), column);
}

}  // namespace ui
