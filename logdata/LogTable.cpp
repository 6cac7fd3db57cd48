#include "LogTable.h"

#include "LogText.h"

namespace logdata {

void LoadLogTable(const Text& path, const std::function<void(LogRow)>& onRow) {
  const LogBuffer buffer = ReadLogFile(path);  // the file is released before any row is cut
  const std::string_view text = buffer.view();
  const std::vector<LineEnd> ends = SplitLines(text);
  // The fields of one line are found first, so that each row is allocated once at its size.
  std::vector<std::string_view> fields;
  for (size_t i = 0; i < ends.size(); ++i) {
    const size_t start = LineStart(ends, i);
    fields.clear();
    ForEachField(text.substr(start, ends[i] - start), [&fields](std::string_view field) {
      fields.push_back(field);
      return true;
    });
    onRow(LogRow(fields.begin(), fields.end()));
  }
}

LogTable LoadLogTable(const Text& path) {
  LogTable table;
  LoadLogTable(path, [&table](LogRow row) { table.push_back(std::move(row)); });
  return table;
}

}  // namespace logdata
