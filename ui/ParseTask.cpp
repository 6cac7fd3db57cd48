#include <atomic>
#include <chrono>

#include "Commands.h"

namespace ui {
namespace {

using Clock = std::chrono::steady_clock;

// Lines are found in small steps and handed to the UI thread ten times a second: the first rows
// show at once and the table grows while the file is still being read, and the UI thread gets
// a few large messages instead of one per cell. Handing them over more often makes a big file
// slower to load (each batch also repaints the table) without showing the user more.
constexpr size_t kLinesPerStep = 4096;
constexpr auto kBatchInterval = std::chrono::milliseconds(100);

// The newest parse that has begun. An older task stops at its next batch.
std::atomic<uint64_t> g_latestParse{0};

void NoteLatest(uint64_t generation) {
  uint64_t seen = g_latestParse.load();
  while (seen < generation && !g_latestParse.compare_exchange_weak(seen, generation)) {
  }
}

// Takes the lines of one parse from the splitter to the table in batches.
class LineHandOver {
 public:
  LineHandOver(const Controls& c, uint64_t generation) : c_(c), generation_(generation) {}

  // Finds the lines the splitter can give now, posting a batch whenever one is due (or, with
  // `flush`, at the end). False once a later parse has begun or the window is gone.
  bool Run(logdata::LineSplitter& splitter, bool flush) {
    while (splitter.Next(batch_, kLinesPerStep) != 0) {
      if (Clock::now() >= due_ && !Post()) return false;
    }
    return !flush || batch_.empty() || Post();
  }

 private:
  bool Post() {
    if (g_latestParse.load() != generation_ || !PostParseLines(c_, generation_, std::move(batch_))) {
      return false;
    }
    batch_.clear();
    due_ = Clock::now() + kBatchInterval;
    return true;
  }

  const Controls c_;
  const uint64_t generation_;
  std::vector<logdata::LineEnd> batch_;
  Clock::time_point due_ = Clock::now();  // the first rows go out at once
};

}  // namespace

void ParseSelectedLog(const Controls& c) {
  const uint64_t generation = BeginParse(c);  // the table is emptied before anything is read
  if (generation == 0) return;
  NoteLatest(generation);
  const Text path = GetComboText(c);

  std::unique_ptr<logdata::LineSplitter> splitter;
  LineHandOver handOver(c, generation);
  const auto text = logdata::ReadLogFileInParts(
      path, [&](const std::shared_ptr<const logdata::LogBuffer>& buffer, size_t filled) {
        if (!splitter) {
          if (!SetParseText(c, generation, buffer)) return false;
          splitter = std::make_unique<logdata::LineSplitter>(buffer->view());
        }
        splitter->SetAvailable(filled);
        return handOver.Run(*splitter, /*flush=*/false);
      });
  if (!text || !splitter) {
    AbandonParse(c, generation);  // rows of a file that failed half-way are not kept
    return;
  }
  splitter->SetComplete(text->size());
  handOver.Run(*splitter, /*flush=*/true);
}

}  // namespace ui
