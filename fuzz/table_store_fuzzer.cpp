// Takes the input as the bytes of a log file and fills the table's row store from it the way the
// viewer does, then compares every cell with the rows LoadLogTable gives for the same file.
// The store is filled twice: once through the real ReadLogFileInParts (one part, as the input is
// far shorter than a part), and once from bytes that arrive a few at a time in a buffer whose
// unread bytes are stale, and which is longer than the file, as when the file shrank while read.
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "logdata/LogRowStore.h"
#include "logdata/LogTable.h"
#include "logdata/LogText.h"

namespace {

using logdata::LineEnd;
using logdata::LineSplitter;
using logdata::LogBuffer;
using logdata::LogRowStore;
using logdata::LogTable;

// What a buffer holds where nothing has been read into it yet (cycled through by position). Each
// byte would change a line or the end of the text if the splitter took it for content.
constexpr char kStale[] = "\n\r\n\0\x1A\x80 ";

std::string WriteTempFile(std::string_view bytes) {
  const char* dir = getenv("TMPDIR");
  std::string path = std::string(dir && *dir ? dir : "/tmp") + "/table_store_XXXXXX";
  const int fd = mkstemp(path.data());
  if (fd < 0) abort();
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t got = write(fd, bytes.data() + done, bytes.size() - done);
    if (got <= 0) abort();
    done += static_cast<size_t>(got);
  }
  close(fd);
  return path;
}

// The rows the store has gained since the last look must already be the final rows of the table.
class Checker {
 public:
  Checker(const LogRowStore& store, const LogTable& table) : store_(store), table_(table) {}

  void CheckNewRows() {
    if (store_.RowCount() > table_.size()) abort();
    for (; checked_ < store_.RowCount(); ++checked_) {
      const logdata::LogRow& row = table_[checked_];
      for (size_t column = 0; column < LogRowStore::kColumnCount; ++column) {
        const std::string_view expected = column < row.size() ? row[column] : std::string_view();
        if (store_.Cell(checked_, column) != expected) abort();
      }
      if (!store_.Cell(checked_, LogRowStore::kColumnCount).empty()) abort();
      if (!store_.Cell(checked_, SIZE_MAX).empty()) abort();
    }
  }

  void CheckComplete() {
    CheckNewRows();
    if (store_.RowCount() != table_.size()) abort();
    if (!store_.Cell(table_.size(), 0).empty()) abort();
  }

 private:
  const LogRowStore& store_;
  const LogTable& table_;
  size_t checked_ = 0;
};

// As the parse task does it: lines are taken `linesPerStep` at a time and handed to the store
// once at least `postEvery` have gathered, and whatever is left at the end.
class HandOver {
 public:
  HandOver(LogRowStore& store, Checker& checker, size_t linesPerStep, size_t postEvery)
      : store_(store), checker_(checker), linesPerStep_(linesPerStep), postEvery_(postEvery) {}

  void Run(LineSplitter& splitter, bool flush) {
    for (size_t got; (got = splitter.Next(batch_, linesPerStep_)) != 0;) {
      if (got > linesPerStep_) abort();
      if (batch_.size() >= postEvery_) Post();
    }
    if (flush && !batch_.empty()) Post();
  }

 private:
  void Post() {
    store_.AppendLines(batch_);
    batch_.clear();
    checker_.CheckNewRows();
  }

  LogRowStore& store_;
  Checker& checker_;
  const size_t linesPerStep_;
  const size_t postEvery_;
  std::vector<LineEnd> batch_;
};

void FillFromFile(const std::string& path, const LogTable& table, size_t linesPerStep, size_t postEvery) {
  LogRowStore store;
  store.Reset();
  Checker checker(store, table);
  HandOver handOver(store, checker, linesPerStep, postEvery);
  std::unique_ptr<LineSplitter> splitter;
  size_t lastFilled = 0;
  const auto text = logdata::ReadLogFileInParts(
      path, [&](const std::shared_ptr<const LogBuffer>& buffer, size_t filled) {
        if (filled <= lastFilled || filled > buffer->size()) abort();
        lastFilled = filled;
        if (!splitter) {
          store.SetText(buffer);
          splitter = std::make_unique<LineSplitter>(buffer->view());
        }
        splitter->SetAvailable(filled);
        handOver.Run(*splitter, /*flush=*/false);
        return true;
      });
  if (!text || !splitter) {
    if (!table.empty()) abort();  // only an empty file reads as nothing here
    store.Clear();
  } else {
    if (text->size() != lastFilled) abort();
    splitter->SetComplete(text->size());
    handOver.Run(*splitter, /*flush=*/true);
    if (!splitter->Done()) abort();
  }
  checker.CheckComplete();
}

// The bytes arrive `step` at a time in a buffer `stale` bytes longer than the file, which is cut
// to the file's length once the read ends. Until a byte has arrived its place holds a stale one.
void FillInSteps(std::string_view bytes, const LogTable& table, size_t step, size_t stale,
                 size_t linesPerStep, size_t postEvery) {
  LogRowStore store;
  store.Reset();
  Checker checker(store, table);
  HandOver handOver(store, checker, linesPerStep, postEvery);
  if (bytes.empty()) {
    checker.CheckComplete();
    return;
  }
  const size_t capacity = bytes.size() + stale;
  std::unique_ptr<char[]> unread(new char[capacity]);
  for (size_t i = 0; i < capacity; ++i) unread[i] = kStale[i % (sizeof kStale - 1)];
  auto buffer = std::make_shared<LogBuffer>(std::move(unread), capacity);
  store.SetText(buffer);
  LineSplitter splitter(buffer->view());
  for (size_t filled = 0; filled < bytes.size();) {
    const size_t part = step < bytes.size() - filled ? step : bytes.size() - filled;
    std::memcpy(buffer->writable() + filled, bytes.data() + filled, part);
    filled += part;
    splitter.SetAvailable(filled);
    handOver.Run(splitter, /*flush=*/false);
  }
  buffer->Truncate(bytes.size());
  splitter.SetComplete(buffer->size());
  handOver.Run(splitter, /*flush=*/true);
  if (!splitter.Done()) abort();
  checker.CheckComplete();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // How the bytes are handed over comes from the last bytes, which a log's text rarely decides.
  const uint8_t last = size > 0 ? data[size - 1] : 0;
  const uint8_t beforeLast = size > 1 ? data[size - 2] : 0;
  const size_t step = 1 + last % 11;
  const size_t stale = (last >> 4) % 9;
  const size_t linesPerStep = 1 + beforeLast % 5;
  const size_t postEvery = 1 + (beforeLast >> 3) % 7;

  const std::string path = WriteTempFile(bytes);
  const LogTable table = logdata::LoadLogTable(path);
  FillFromFile(path, table, linesPerStep, postEvery);
  unlink(path.c_str());
  FillInSteps(bytes, table, step, stale, linesPerStep, postEvery);
  return 0;
}
