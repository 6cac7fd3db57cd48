// Loading one big log file, timed against `wc -l` on the same file: the line index alone (read
// and find the line ends) and the whole table (every row cut into fields and handed over).
//
//   logdata_bench [--benchmark_... flags] FILE
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "logdata/LogTable.h"
#include "logdata/LogText.h"

extern char** environ;

namespace {

std::string g_path;
int64_t g_fileSize = 0;

double Min(const std::vector<double>& values) {
  return *std::min_element(values.begin(), values.end());
}

void ReadAndIndexLines(benchmark::State& state) {
  size_t lines = 0;
  for (auto _ : state) {
    const logdata::LogBuffer buffer = logdata::ReadLogFile(g_path);
    const std::vector<logdata::LineEnd> ends = logdata::SplitLines(buffer.view());
    benchmark::DoNotOptimize(ends.data());
    lines = ends.size();
  }
  if (lines == 0) state.SkipWithError("no lines read");
  state.SetLabel(std::to_string(lines) + " lines");
  state.SetBytesProcessed(state.iterations() * g_fileSize);
}

// The two parts of ReadAndIndexLines on their own, to show where its time goes.
void ReadOnly(benchmark::State& state) {
  for (auto _ : state) {
    const logdata::LogBuffer buffer = logdata::ReadLogFile(g_path);
    benchmark::DoNotOptimize(buffer.data());
  }
  state.SetBytesProcessed(state.iterations() * g_fileSize);
}

void IndexLinesInMemory(benchmark::State& state) {
  const logdata::LogBuffer buffer = logdata::ReadLogFile(g_path);
  for (auto _ : state) {
    const std::vector<logdata::LineEnd> ends = logdata::SplitLines(buffer.view());
    benchmark::DoNotOptimize(ends.data());
  }
  state.SetBytesProcessed(state.iterations() * g_fileSize);
}

void LoadTable(benchmark::State& state) {
  size_t rows = 0;
  for (auto _ : state) {
    rows = 0;
    size_t fieldBytes = 0;
    logdata::LoadLogTable(g_path, [&](logdata::LogRow row) {
      ++rows;
      for (const logdata::Text& field : row) fieldBytes += field.size();
    });
    benchmark::DoNotOptimize(fieldBytes);
  }
  if (rows == 0) state.SkipWithError("no rows loaded");
  state.SetLabel(std::to_string(rows) + " rows");
  state.SetBytesProcessed(state.iterations() * g_fileSize);
}

// The whole command, process start included, as a user would time it in a shell.
void WcLines(benchmark::State& state) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  char* argv[] = {const_cast<char*>("wc"), const_cast<char*>("-l"), g_path.data(), nullptr};
  for (auto _ : state) {
    pid_t pid = 0;
    int status = 0;
    if (posix_spawnp(&pid, "wc", &actions, nullptr, argv, environ) != 0 ||
        waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("wc -l failed");
      break;
    }
  }
  posix_spawn_file_actions_destroy(&actions);
  state.SetBytesProcessed(state.iterations() * g_fileSize);
}

// One iteration per repetition: a run takes long enough to time on its own, and the best of
// the repetitions is the figure compared.
void Configure(benchmark::internal::Benchmark* b) {
  b->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(1)->ComputeStatistics("min", Min);
}

BENCHMARK(WcLines)->Apply(Configure);
BENCHMARK(ReadAndIndexLines)->Apply(Configure);
BENCHMARK(LoadTable)->Apply(Configure);
BENCHMARK(ReadOnly)->Apply(Configure);
BENCHMARK(IndexLinesInMemory)->Apply(Configure);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  struct stat info {};
  if (argc != 2 || stat(argv[1], &info) != 0) {
    std::fprintf(stderr, "usage: %s [--benchmark_... flags] FILE\n", argv[0]);
    return 2;
  }
  g_path = argv[1];
  g_fileSize = info.st_size;
  // Warm the page cache so that every benchmark reads from memory.
  benchmark::DoNotOptimize(logdata::ReadLogFile(g_path).size());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
