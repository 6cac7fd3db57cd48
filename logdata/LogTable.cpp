#include "LogTable.h"

#include "LogText.h"

namespace logdata {

void LoadLogTable(const Text& path, const std::function<void(LogRow)>& onRow) {
  const LogBuffer buffer = ReadLogFile(path);  // the file is released before any row is cut
  const std::string_view text = buffer.view();
  const std::vector<LineEnd> ends = SplitLines(text);
  for (size_t i = 0; i < ends.size(); ++i) {
    const size_t start = LineStart(ends, i);
    LogRow row;
    ForEachField(text.substr(start, ends[i] - start), [&row](std::string_view field) {
      row.emplace_back(field);
      return true;
    });
    onRow(std::move(row));
  }
}

LogTable LoadLogTable(const Text& path) {
  LogTable table;
  LoadLogTable(path, [&table](LogRow row) { table.push_back(std::move(row)); });
  return table;
}

}  // namespace logdata
