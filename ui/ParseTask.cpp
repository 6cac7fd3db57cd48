#include <atomic>
#include <chrono>

#include "Commands.h"

namespace ui {
namespace {

using Clock = std::chrono::steady_clock;

// Lines are found in small steps and handed to the UI thread about once per frame, so rows
// appear while the file is still being cut and the UI thread gets a few large messages instead
// of one per cell.
constexpr size_t kLinesPerStep = 4096;
constexpr auto kBatchInterval = std::chrono::milliseconds(16);

// The newest parse that has begun. An older task stops at its next batch.
std::atomic<uint64_t> g_latestParse{0};

void NoteLatest(uint64_t generation) {
  uint64_t seen = g_latestParse.load();
  while (seen < generation && !g_latestParse.compare_exchange_weak(seen, generation)) {
  }
}

}  // namespace

void ParseSelectedLog(const Controls& c) {
  const uint64_t generation = BeginParse(c);  // the table is emptied before anything is read
  if (generation == 0) return;
  NoteLatest(generation);
  const Text path = GetComboText(c);
  auto text = std::make_shared<const logdata::LogBuffer>(logdata::ReadLogFile(path));
  if (!SetParseText(c, generation, text)) return;

  logdata::LineSplitter splitter(text->view());
  std::vector<logdata::LineEnd> batch;
  auto due = Clock::now();  // the first rows go out at once
  while (splitter.Next(batch, kLinesPerStep) != 0) {
    if (Clock::now() < due) continue;
    if (g_latestParse.load() != generation || !PostParseLines(c, generation, std::move(batch))) {
      return;
    }
    batch.clear();
    due = Clock::now() + kBatchInterval;
  }
  if (!batch.empty()) PostParseLines(c, generation, std::move(batch));
}

}  // namespace ui
