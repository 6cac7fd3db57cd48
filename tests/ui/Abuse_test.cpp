// The real window under abuse: hot keys held for seconds, a thousand parses in a row, a log that
// its writer holds open. Each test prints what it measured, so that the numbers can be quoted.
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "MessageBoxWatcher.h"
#include "ScratchDir.h"
#include "WindowFixture.h"
#include "ui/Controls.h"
#include "ui/Layout.h"
#include "ui/Startup.h"

namespace ui_testing {
namespace {

using Clock = std::chrono::steady_clock;

// Started with this switch, the test program is only the writer of the locked-log test: it
// opens the file for writing, as a web server holds its current log, and keeps it open until
// it is ended (or for a minute at most). This runs while the program's statics are set up,
// before any test.
constexpr wchar_t kHoldForWritingSwitch[] = L"--kestrune-hold-for-writing=";

const bool g_ranAsWriter = [] {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return false;
  const std::wstring prefix = kHoldForWritingSwitch;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg.compare(0, prefix.size(), prefix) != 0) continue;
    const HANDLE file = CreateFileW(arg.substr(prefix.size()).c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) ExitProcess(2);
    Sleep(60000);
    ExitProcess(0);
  }
  LocalFree(argv);
  return false;
}();

const std::string kSmallLog =
    "#Fields: date time s-ip cs-method\r\n"
    "2017-11-27 08:00:01 10.0.0.1 GET\r\n"
    "2017-11-27 08:00:02 10.0.0.1 POST\r\n";
constexpr size_t kSmallLogRows = 3;

// Writes an IIS log of about `bytes` bytes (directive block, then requests of the default field
// set, CR LF line ends) and returns its number of lines.
size_t WriteBigLog(const std::wstring& path, size_t bytes) {
  static const char* const kStems[] = {"/", "/index.aspx", "/news/list.aspx", "/api/orders",
                                       "/static/site.css", "/images/logo.png", "/search.aspx"};
  static const char* const kQueries[] = {"-", "-", "id=1024", "page=2&size=20", "q=iis+log"};
  static const char* const kAgents[] = {
      "Mozilla/5.0+(Windows+NT+10.0;+Win64;+x64)+AppleWebKit/537.36+(KHTML,+like+Gecko)+"
      "Chrome/119.0.0.0+Safari/537.36",
      "Mozilla/5.0+(compatible;+Baiduspider/2.0;++http://www.baidu.com/search/spider.html)",
      "curl/8.4.0"};
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  std::string chunk =
      "#Software: Microsoft Internet Information Services 10.0\r\n#Version: 1.0\r\n"
      "#Date: 2017-11-27 00:00:00\r\n#Fields: date time s-ip cs-method cs-uri-stem cs-uri-query "
      "s-port cs-username c-ip cs(User-Agent) sc-status sc-substatus sc-win32-status "
      "time-taken\r\n";
  size_t lines = 4, written = 0;
  for (unsigned i = 0; written + chunk.size() < bytes; ++i) {
    char line[512];
    const unsigned second = i % 86400;
    snprintf(line, sizeof line,
             "2017-11-27 %02u:%02u:%02u 10.0.0.5 %s %s %s 80 - 10.%u.%u.%u %s %s 0 0 %u\r\n",
             second / 3600, second / 60 % 60, second % 60, i % 9 == 0 ? "POST" : "GET",
             kStems[i % 7], kQueries[i % 5], i % 256, i / 7 % 256, i / 13 % 254 + 1,
             kAgents[i % 3], i % 17 == 0 ? "404" : "200", i * 7919 % 5000);
    chunk += line;
    ++lines;
    if (chunk.size() >= (1u << 20)) {
      out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
      written += chunk.size();
      chunk.clear();
    }
  }
  out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
  return lines;
}

// Holds a key down for `ms` milliseconds from a thread of its own. The key-down is repeated
// every 20 ms, as a keyboard repeats it: Wine takes the key state from the X server whenever a
// window gets the focus, and there a key sent through SendInput is up.
class HeldKey {
 public:
  HeldKey(WORD key, int ms)
      : thread_([this, key, ms] {
          const auto end = Clock::now() + std::chrono::milliseconds(ms);
          SendKey(key, false);
          down_ = true;
          while (Clock::now() < end) {
            Sleep(20);
            SendKey(key, false);
          }
          down_ = false;  // before the key-up: a tick seen while this holds read the key down
          SendKey(key, true);
          done_ = true;
        }) {}
  ~HeldKey() { thread_.join(); }
  bool Down() const { return down_; }
  bool Done() const { return done_; }

 private:
  std::atomic<bool> down_{false}, done_{false};
  std::thread thread_;
};

// The threads of the process. Nothing records a task, so its thread is how a test sees it.
std::set<DWORD> ThreadIds() {
  std::set<DWORD> ids;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ids.insert(entry.th32ThreadID);
  }
  CloseHandle(snapshot);
  return ids;
}

size_t ThreadCount() { return ThreadIds().size(); }

std::string Utf8(const std::wstring& wide) {
  std::string bytes(wide.size() * 3, '\0');
  bytes.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(),
                                                       static_cast<int>(wide.size()), bytes.data(),
                                                       static_cast<int>(bytes.size()), nullptr, nullptr)));
  return bytes;
}

// The process's private memory (its commit charge). Wine 8 leaves PrivateUsage at zero and
// gives the same quantity as PagefileUsage (resident anonymous memory).
size_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof counters);
  return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
}

// The kernel handles the process holds. Wine 8 answers GetProcessHandleCount with zero; its
// handles are small numbers handed out lowest first, so there they are counted one by one.
size_t KernelHandleCount() {
  DWORD count = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0) return count;
  size_t found = 0;
  DWORD flags = 0;
  for (uintptr_t value = 4, lastValid = 0; value < lastValid + 4096; value += 4) {
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
      ++found;
      lastValid = value;
    }
  }
  return found;
}

// Windows of the process, top-level and child: what a USER leak would mostly be made of.
size_t WindowCount() {
  size_t count = 0;
  EnumWindows(
      [](HWND window, LPARAM counter) -> BOOL {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != GetCurrentProcessId()) return TRUE;
        ++*reinterpret_cast<size_t*>(counter);
        EnumChildWindows(
            window,
            [](HWND, LPARAM inner) -> BOOL {
              ++*reinterpret_cast<size_t*>(inner);
              return TRUE;
            },
            counter);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

double MiB(size_t bytes) { return static_cast<double>(bytes) / (1 << 20); }

// Like PumpUntil, and shows each message to `seen` before it is processed.
bool PumpWatching(const std::function<bool()>& done, int ms,
                  const std::function<void(const MSG&)>& seen) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (Clock::now() >= end) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      seen(msg);
      if (msg.message != WM_QUIT) ui::ProcessMessage(msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

std::vector<std::wstring> ComboEntries(HWND combo) {
  std::vector<std::wstring> entries;
  const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring text(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    entries.push_back(text);
  }
  return entries;
}

size_t ShownRowCount(HWND list) {
  return static_cast<size_t>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

void Report(const char* name, const std::string& value) {
  ::testing::Test::RecordProperty(name, value);
  printf("  %s: %s\n", name, value.c_str());
  fflush(stdout);
}

std::string Format(const char* format, double value) {
  char text[64];
  snprintf(text, sizeof text, format, value);
  return text;
}

class AbuseTest : public MainWindowTest {
 protected:
  void ClickRefresh() { SendMessageW(Control(ui::kRefreshButtonId), BM_CLICK, 0, 0); }
  void ChooseParse() { PostMessageW(c_.window, WM_COMMAND, MAKEWPARAM(ui::kParseItemId, 0), 0); }

  // Pumps until the threads of the process are back to `threads`: every task has ended.
  bool PumpUntilTasksEnd(size_t threads, int ms, const std::function<void()>& each = [] {}) {
    return PumpUntil(
        [&] {
          each();
          return ThreadCount() <= threads;
        },
        ms);
  }

  // Asks for a parse through the menu item and waits for its task to end and for the rows it
  // posted before it ended. `others`: the threads of the process that are not tasks.
  bool ParseAndWait(const std::set<DWORD>& others) {
    ChooseParse();
    bool handled = false;
    if (!PumpWatching([&] { return handled; }, 5000, [&](const MSG& msg) {
          if (msg.message == WM_COMMAND && LOWORD(msg.wParam) == ui::kParseItemId) handled = true;
        })) {
      return false;
    }
    // The task's thread exists from the moment the command has been handled.
    std::vector<HANDLE> tasks;
    for (DWORD id : ThreadIds()) {
      if (others.count(id) != 0) continue;
      if (const HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, id)) tasks.push_back(thread);
    }
    const auto end = Clock::now() + std::chrono::seconds(10);
    bool ended = true;
    for (HANDLE task : tasks) {
      while (ended && MsgWaitForMultipleObjects(1, &task, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0) {
        DrainMessages();
        ended = Clock::now() < end;
      }
      CloseHandle(task);
    }
    DrainMessages();
    return ended;
  }

  static void DrainMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message != WM_QUIT) ui::ProcessMessage(msg);
    }
  }

  bool IsHotKeyTick(const MSG& msg) const {
    return msg.message == WM_TIMER && msg.hwnd == c_.window && msg.wParam == ui::kHotKeyTimerId;
  }
};

// Every tick at which F5 reads down starts one more refresh, and refreshes that overlap each
// append every path they find: when all have ended, each path stands once per task.
TEST_F(AbuseTest, F5HeldForThreeSecondsAppendsEveryPathOncePerTask) {
  constexpr size_t kLogs = 200;
  ScratchDir dir;
  std::vector<std::wstring> logs;
  for (size_t i = 0; i < kLogs; ++i) {
    logs.push_back(dir.Write(L"u_ex" + std::to_wstring(171000 + i) + L".log", kSmallLog));
  }
  SetDir(dir.Root());
  MessageBoxWatcher boxes(c_.window);
  const size_t threads = ThreadCount();

  int heldTicks = 0;  // ticks dispatched while the key was surely down
  const auto start = Clock::now();
  {
    HeldKey f5(VK_F5, 3000);
    ASSERT_TRUE(PumpWatching([&] { return f5.Done(); }, 10000, [&](const MSG& msg) {
      if (IsHotKeyTick(msg) && f5.Down()) ++heldTicks;
    }));
  }
  PumpFor(150);  // the tick after the release, which may still read the last press
  ASSERT_TRUE(PumpUntilTasksEnd(threads, 60000));
  LRESULT count = -1;
  ASSERT_TRUE(PumpUntil(  // and the count stays put
      [&] {
        const LRESULT before = count;
        count = SendMessageW(c_.combo, CB_GETCOUNT, 0, 0);
        return count == before;
      },
      5000));
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

  const auto entries = ComboEntries(c_.combo);
  const size_t tasks = entries.size() / kLogs;
  Report("ticks_with_f5_down", std::to_string(heldTicks));
  Report("combo_entries", std::to_string(entries.size()));
  Report("refresh_tasks", std::to_string(tasks));
  Report("seconds_until_all_ended", Format("%.2f", seconds));

  EXPECT_EQ(entries.size() % kLogs, 0u);
  std::map<std::wstring, size_t> times;
  for (const std::wstring& entry : entries) ++times[entry];
  EXPECT_EQ(times.size(), kLogs);
  for (const std::wstring& log : logs) {
    EXPECT_EQ(times[log], tasks) << Utf8(log);
  }
  // A tick can start a task unseen just before the first key-down is noted, and one after the
  // release still reads the press-since-last-read bit.
  EXPECT_GE(tasks, static_cast<size_t>(heldTicks));
  EXPECT_LE(tasks, static_cast<size_t>(heldTicks) + 2);
  EXPECT_GE(tasks, 15u);  // about ten a second; ticks are only lost while the UI thread is busy
  EXPECT_LE(tasks, 33u);
  EXPECT_EQ(SendMessageW(c_.combo, CB_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(boxes.Seen().empty());
}

// Each tick starts a parse that replaces the running one. When all have ended the table holds
// the file once, and the memory of the replaced parses has been given back.
TEST_F(AbuseTest, F7HeldOverABigLogLeavesTheLastParseAndOneCopyOfTheFile) {
  ScratchDir dir;
  const std::wstring log = dir.Root() + L"\\u_ex171127.log";
  const size_t lines = WriteBigLog(log, size_t{100} << 20);
  const size_t fileSize = static_cast<size_t>(std::filesystem::file_size(log));
  SetDir(dir.Root());
  ClickRefresh();
  ASSERT_EQ(ComboEntries(c_.combo).size(), 1u);
  SetForegroundWindow(c_.window);
  MessageBoxWatcher boxes(c_.window);
  PumpFor(200);
  const size_t threads = ThreadCount();
  const size_t before = PrivateBytes();

  size_t peak = before;
  int heldTicks = 0;
  const auto start = Clock::now();
  {
    HeldKey f7(VK_F7, 3000);
    ASSERT_TRUE(PumpWatching(
        [&] {
          peak = std::max(peak, PrivateBytes());
          return f7.Done();
        },
        10000, [&](const MSG& msg) {
          if (IsHotKeyTick(msg) && f7.Down()) ++heldTicks;
        }));
  }
  PumpFor(150);
  ASSERT_TRUE(PumpUntilTasksEnd(threads, 60000, [&] { peak = std::max(peak, PrivateBytes()); }));
  PumpFor(300);  // batches still on their way
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  const size_t after = PrivateBytes();

  Report("file_mib", Format("%.1f", MiB(fileSize)));
  Report("file_lines", std::to_string(lines));
  Report("ticks_with_f7_down", std::to_string(heldTicks));
  Report("private_mib_before", Format("%.1f", MiB(before)));
  Report("private_mib_peak", Format("%.1f", MiB(peak)));
  Report("private_mib_after", Format("%.1f", MiB(after)));
  Report("seconds_until_all_ended", Format("%.2f", seconds));

  EXPECT_GE(heldTicks, 15);
  EXPECT_EQ(ui::RowCount(c_), lines);
  EXPECT_EQ(ShownRowCount(c_.listView), lines);
  EXPECT_EQ(ui::CellText(c_, 3, 0), "#Fields:");
  EXPECT_EQ(ui::CellText(c_, static_cast<int>(lines) - 1, 0), "2017-11-27");
  EXPECT_LT(after, before + 2 * fileSize);
  for (const SeenBox& box : boxes.Seen()) {
    ADD_FAILURE() << "box: " << Utf8(box.caption) << ": " << Utf8(box.text);
  }
}

// GDI and USER objects are counted by GetGuiResources on Windows; Wine 8 answers it with zero,
// and there the windows of the process stand in for the USER objects.
TEST_F(AbuseTest, AThousandParsesInARowLeakNoHandles) {
  ScratchDir dir;
  dir.Write(L"u_ex171127.log", kSmallLog);
  SetDir(dir.Root());
  ClickRefresh();
  ASSERT_EQ(ComboEntries(c_.combo).size(), 1u);
  MessageBoxWatcher boxes(c_.window);
  const std::set<DWORD> others = ThreadIds();
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(ParseAndWait(others));  // what a first parse sets up

  const HANDLE self = GetCurrentProcess();
  struct Counts {
    size_t kernel, gdi, user, windows, privateBytes;
  };
  const auto count = [self] {
    return Counts{KernelHandleCount(), GetGuiResources(self, GR_GDIOBJECTS),
                  GetGuiResources(self, GR_USEROBJECTS), WindowCount(), PrivateBytes()};
  };
  const Counts before = count();
  const auto start = Clock::now();
  for (int i = 0; i < 1000; ++i) {
    ASSERT_TRUE(ParseAndWait(others)) << "parse " << i;
    ASSERT_EQ(ui::RowCount(c_), kSmallLogRows) << "parse " << i;
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  const Counts after = count();

  const auto change = [](size_t from, size_t to) {
    return std::to_string(from) + " -> " + std::to_string(to);
  };
  Report("seconds_for_1000_parses", Format("%.2f", seconds));
  Report("kernel_handles", change(before.kernel, after.kernel));
  Report("gdi_objects", change(before.gdi, after.gdi));
  Report("user_objects", change(before.user, after.user));
  Report("windows", change(before.windows, after.windows));
  Report("private_mib", Format("%.1f", MiB(before.privateBytes)) + " -> " +
                            Format("%.1f", MiB(after.privateBytes)));

  EXPECT_GT(before.kernel, 0u);
  EXPECT_LE(after.kernel, before.kernel + 5);
  EXPECT_LE(after.gdi, before.gdi + 5);
  EXPECT_LE(after.user, before.user + 5);
  EXPECT_EQ(after.windows, before.windows);
  EXPECT_EQ(ShownRowCount(c_.listView), kSmallLogRows);
  EXPECT_TRUE(boxes.Seen().empty());
}

// The reader denies writers, so a log that is still open for writing elsewhere cannot be read:
// the parse ends with an empty table and says nothing. Once the writer lets go, it reads again.
TEST_F(AbuseTest, ALogHeldOpenForWritingByAnotherProcessGivesAnEmptyTableSilently) {
  ScratchDir dir;
  const std::wstring log = dir.Write(L"u_ex171127.log", kSmallLog);
  SetDir(dir.Root());
  ClickRefresh();
  ASSERT_EQ(ComboEntries(c_.combo).size(), 1u);
  MessageBoxWatcher boxes(c_.window);
  const std::set<DWORD> others = ThreadIds();
  ASSERT_TRUE(ParseAndWait(others));
  ASSERT_EQ(ui::RowCount(c_), kSmallLogRows);

  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" \"" + kHoldForWritingSwitch + log + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION writer{};
  ASSERT_TRUE(CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &writer));
  CloseHandle(writer.hThread);
  const bool held = PumpUntil(
      [&] {
        const HANDLE probe = CreateFileW(log.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
        return probe == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
      },
      15000);
  if (held) {
    const auto start = Clock::now();
    EXPECT_TRUE(ParseAndWait(others));
    Report("parse_of_held_log_ms",
           Format("%.0f", std::chrono::duration<double, std::milli>(Clock::now() - start).count()));
    EXPECT_EQ(ui::RowCount(c_), 0u);
    EXPECT_EQ(ShownRowCount(c_.listView), 0u);
  }
  TerminateProcess(writer.hProcess, 0);
  WaitForSingleObject(writer.hProcess, 10000);
  CloseHandle(writer.hProcess);
  ASSERT_TRUE(held) << "the writer did not get the file";

  ASSERT_TRUE(ParseAndWait(others));
  EXPECT_EQ(ui::RowCount(c_), kSmallLogRows);
  EXPECT_TRUE(boxes.Seen().empty());
}

}  // namespace
}  // namespace ui_testing
