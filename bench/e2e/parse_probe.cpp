// Measures a parse in the real program from outside, or the naive design for comparison.
//
//   parse_probe program KESTRUNE_EXE DIRECTORY ROWS
//     Starts the program, puts DIRECTORY (which holds one log of ROWS lines) into its directory
//     box, refreshes, parses, and probes the list with SendMessageTimeout every 2 ms until it holds
//     ROWS rows. Prints the time from the parse command to the last row, the longest time the UI
//     thread took to answer a probe, and the program's memory.
//   parse_probe naive LOG SECONDS
//     One cross-thread message per row and per cell into a normal report list view, as a plain
//     design would do it; runs for at most SECONDS and prints the rows per second it reached.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "logdata/Cp936.h"
#include "logdata/LogTable.h"

namespace {

using Clock = std::chrono::steady_clock;
double MsSince(Clock::time_point t) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

// Control and command identifiers of the program's main window.
constexpr int kListViewId = 1002, kComboId = 1005, kDirEditId = 1008;
constexpr int kRefreshItemId = 2003, kParseItemId = 2004;
// Often enough to see a stall of the UI thread, rarely enough not to cause one.
constexpr int kProbeIntervalMs = 10;

LRESULT Probe(HWND window, UINT message, double& worstMs) {
  DWORD_PTR result = 0;
  const auto start = Clock::now();
  SendMessageTimeoutW(window, message, 0, 0, SMTO_NORMAL, 10000, &result);
  worstMs = std::max(worstMs, MsSince(start));
  return static_cast<LRESULT>(result);
}

// The program's private memory now and at its peak (commit charge), in MiB.
std::pair<double, double> PrivateMiB(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(process, &counters, sizeof counters);
  return {counters.PagefileUsage / 1048576.0, counters.PeakPagefileUsage / 1048576.0};
}

int RunProgram(const wchar_t* exe, const wchar_t* directory, long rows) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring command = L"\"" + std::wstring(exe) + L"\"";
  if (!CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::printf("cannot start the program\n");
    return 1;
  }
  HWND window = nullptr;
  for (int i = 0; i < 3000 && !(window && IsWindowVisible(window)); ++i, Sleep(10)) {
    window = FindWindowW(L"KestruneMainWindow", nullptr);  // shown once its controls exist
  }
  if (!window) return 1;
  HWND list = GetDlgItem(window, kListViewId), combo = GetDlgItem(window, kComboId);
  SendMessageW(GetDlgItem(window, kDirEditId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(directory));
  PostMessageW(window, WM_COMMAND, kRefreshItemId, 0);
  for (int i = 0; i < 1000 && SendMessageW(combo, CB_GETCOUNT, 0, 0) < 1; ++i) Sleep(10);
  Sleep(300);
  const double baseline = PrivateMiB(process.hProcess).first;
  // How long an idle program takes to answer a probe: the floor of what the probe can see.
  double idleWorstMs = 0;
  for (int i = 0; i < 100; ++i, Sleep(kProbeIntervalMs)) Probe(list, LVM_GETITEMCOUNT, idleWorstMs);

  const auto start = Clock::now();
  PostMessageW(window, WM_COMMAND, kParseItemId, 0);
  double worstMs = 0;
  double firstRowMs = -1;
  for (;;) {
    const LRESULT count = Probe(list, LVM_GETITEMCOUNT, worstMs);
    if (count > 0 && firstRowMs < 0) firstRowMs = MsSince(start);
    if (count >= rows) break;
    if (MsSince(start) > 120000) {
      std::printf("gave up after 120 s with %ld rows\n", static_cast<long>(count));
      break;
    }
    Sleep(kProbeIntervalMs);
  }
  const double lastRowMs = MsSince(start);
  // Keep probing a little: the UI thread must stay responsive once the table is full, too.
  for (int i = 0; i < 50; ++i, Sleep(2)) Probe(list, LVM_GETITEMCOUNT, worstMs);
  const auto [shown, peak] = PrivateMiB(process.hProcess);
  std::printf(
      "rows=%ld first_row_ms=%.1f last_row_ms=%.1f max_ui_wait_ms=%.1f idle_max_ui_wait_ms=%.1f "
      "private_before_mib=%.1f private_shown_mib=%.1f peak_private_mib=%.1f\n",
      rows, firstRowMs, lastRowMs, worstMs, idleWorstMs, baseline, shown, peak);
  PostMessageW(window, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}

int RunNaive(const std::string& path, int seconds) {
  InitCommonControls();
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE | LVS_REPORT,
                              0, 0, 1300, 700, nullptr, nullptr, nullptr, nullptr);
  for (int c = 0; c < 14; ++c) {
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 80;
    SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
  }
  std::atomic<bool> stop{false}, done{false};
  std::atomic<long> rows{0};
  const auto start = Clock::now();
  std::thread task([&] {
    logdata::LoadLogTable(path, [&](logdata::LogRow row) {
      if (stop) return;
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
      item.pszText = const_cast<wchar_t*>(L"");
      const int index = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
      for (size_t j = 0; j < row.size(); ++j) {
        std::wstring text = logdata::WideFromCp936(row[j]);
        LVITEMW cell{};
        cell.iSubItem = static_cast<int>(j);
        cell.pszText = text.data();
        SendMessageW(list, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&cell));
      }
      ++rows;
    });
    done = true;
  });
  const double loadStart = MsSince(start);
  while (!done) {
    if (MsSince(start) > seconds * 1000.0) stop = true;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  task.join();
  const double elapsed = MsSince(start) - loadStart;
  std::printf("naive_rows=%ld naive_ms=%.1f naive_rows_per_s=%.1f finished=%d\n", rows.load(),
              elapsed, rows * 1000.0 / elapsed, stop ? 0 : 1);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 5 && std::wstring(argv[1]) == L"program") {
    return RunProgram(argv[2], argv[3], _wtol(argv[4]));
  }
  if (argc == 4 && std::wstring(argv[1]) == L"naive") {
    return RunNaive(logdata::Cp936FromWide(argv[2]), _wtoi(argv[3]));
  }
  std::printf("usage: parse_probe program EXE DIRECTORY ROWS | naive LOG SECONDS\n");
  return 2;
}
