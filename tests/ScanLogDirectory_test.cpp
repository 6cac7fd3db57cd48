#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "TempTree.h"
#include "logdata/LogScan.h"

#ifdef _WIN32
#include <windows.h>

#include <cstring>
#endif

namespace {

using logdata::ScanLogDirectory;
using logdata::Text;
using testing_support::PathFromText;
using testing_support::TempTree;
using testing_support::TextFromPath;
namespace fs = std::filesystem;

using Report = std::pair<Text, Text>;  // (directory, file name)
using Reports = std::vector<Report>;

Reports Scan(const Text& directory, const Text& pattern = "*.log") {
  Reports reports;
  ScanLogDirectory(directory, pattern, [&reports](const Text& dir, const Text& name) {
    reports.emplace_back(dir, name);
  });
  return reports;
}

bool StartsWith(const Text& text, const Text& prefix) { return text.rfind(prefix, 0) == 0; }

// Depth first and pre-order: the reports of every directory's subtree come in one run, and that
// run begins with the directory's own files.
void ExpectPreOrder(const Reports& reports) {
  for (const Report& report : reports) {
    const Text& dir = report.first;
    size_t first = reports.size(), last = 0, lastOwn = 0;
    for (size_t i = 0; i < reports.size(); ++i) {
      if (!StartsWith(reports[i].first, dir)) continue;
      first = std::min(first, i);
      last = i;
      if (reports[i].first == dir) lastOwn = i;
    }
    for (size_t i = first; i <= last; ++i) {
      EXPECT_TRUE(StartsWith(reports[i].first, dir)) << "the subtree of " << dir << " is split";
      if (i < lastOwn) {
        EXPECT_EQ(reports[i].first, dir) << "a file of " << dir << " comes late";
      }
    }
  }
}

TEST(ScanLogDirectory, WalksDepthFirstWithFilesBeforeSubdirectories) {
  TempTree tree;
  for (const char* file : {"a.log", "z.log", "notes.txt", "s1/b.log", "s1/y.log", "s1/deep/c.log",
                           "s2/d.log", "s2/t/e.log"}) {
    tree.Write(file, "");
  }
  const Text d = tree.Root() + "\\";
  const Reports reports = Scan(tree.Root());

  Reports sorted = reports;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (Reports{{d, "a.log"},
                             {d, "z.log"},
                             {d + "s1\\", "b.log"},
                             {d + "s1\\", "y.log"},
                             {d + "s1\\deep\\", "c.log"},
                             {d + "s2\\", "d.log"},
                             {d + "s2\\t\\", "e.log"}}));
  ExpectPreOrder(reports);
}

TEST(ScanLogDirectory, OwnFileThenSubdirectoryFile) {
  TempTree tree;
  tree.Write("a.log", "");
  tree.Write("sub/b.log", "");
  const Text d = tree.Root() + "\\";
  EXPECT_EQ(Scan(tree.Root()), (Reports{{d, "a.log"}, {d + "sub\\", "b.log"}}));
}

// Subdirectories are always listed with "*.*": "sub" does not match "*.txt" and is walked.
TEST(ScanLogDirectory, PatternAppliesToFilesOnly) {
  TempTree tree;
  for (const char* file : {"a.log", "b.txt", "sub/c.txt"}) tree.Write(file, "");
  const Text d = tree.Root() + "\\";
  EXPECT_EQ(Scan(tree.Root(), "*.txt"), (Reports{{d, "b.txt"}, {d + "sub\\", "c.txt"}}));
}

TEST(ScanLogDirectory, DirectoryTextGetsExactlyOneSeparatorAdded) {
  TempTree tree;
  tree.Write("a.log", "");
  tree.Write("sub/b.log", "");
  const Reports plain = Scan(tree.Root());
  ASSERT_EQ(plain.size(), 2u);
  EXPECT_EQ(Scan(tree.Root() + "\\"), plain);
  for (const Report& report : plain) {
    EXPECT_EQ(report.first.back(), '\\');
    EXPECT_NE(report.first[report.first.size() - 2], '\\') << report.first;
  }

  const Text doubled = tree.Root() + "\\\\";  // kept as given
  const Reports reports = Scan(doubled);
  ASSERT_EQ(reports.size(), plain.size());
  for (size_t i = 0; i < reports.size(); ++i) {
    EXPECT_EQ(reports[i].first, doubled + plain[i].first.substr(tree.Root().size() + 1));
    EXPECT_EQ(reports[i].second, plain[i].second);
  }
}

TEST(ScanLogDirectory, DotDirectoriesAreSkippedButDotFilesReported) {
  TempTree tree;
  tree.Write(".e.log", "");
  tree.Write(".hidden/d.log", "");
  tree.Write(".hidden/in/f.log", "");
  tree.Write("visible/.g.log", "");
  const Text d = tree.Root() + "\\";
  EXPECT_EQ(Scan(tree.Root()), (Reports{{d, ".e.log"}, {d + "visible\\", ".g.log"}}));
}

TEST(ScanLogDirectory, DirectoryMatchingThePatternIsWalkedNotReported) {
  TempTree tree;
  tree.Write("x.log/f.log", "");
  EXPECT_EQ(Scan(tree.Root()), (Reports{{tree.Root() + "\\x.log\\", "f.log"}}));
}

TEST(ScanLogDirectory, UnlistableDirectoryTextsGiveNothing) {
  TempTree tree;
  tree.Write("sub/a.log", "");
  tree.Write("b.log", "");
  const Text root = tree.Root();
  for (const Text& dir : {root + "\\missing", root + "\\s*b", root + "\\su?", root + "\\b.log"}) {
    EXPECT_EQ(Scan(dir), Reports()) << dir;
  }
}

// A walk keeps nothing between calls: a second scan reports every file again, in the same order.
TEST(ScanLogDirectory, ScanningAgainReportsEverythingAgain) {
  TempTree tree;
  tree.Write("a.log", "");
  tree.Write("sub/b.log", "");
  const Reports first = Scan(tree.Root());
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(Scan(tree.Root()), first);
}

#ifdef _WIN32
// Runs a Unix program from Wine, which starts one given by its Unix path on drive Z: but cannot
// wait for it; `done` is polled instead, for up to five seconds.
bool RunUnixProgram(const wchar_t* program, std::wstring commandLine,
                    const std::function<bool()>& done) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int i = 0; i < 500 && !done(); ++i) Sleep(10);
  return done();
}

// The Unix path of a Windows path under Wine; empty elsewhere.
std::wstring UnixPathOf(const fs::path& path) {
  using UnixName = char*(CDECL*)(const wchar_t*);
  const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* utf8 = unixName ? unixName(path.wstring().c_str()) : nullptr;
  if (!utf8) return {};
  std::wstring wide(strlen(utf8), L'\0');
  wide.resize(static_cast<size_t>(
      MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), static_cast<int>(wide.size()) + 1) - 1));
  HeapFree(GetProcessHeap(), 0, utf8);
  return wide;
}
#endif

// A link to a directory, removed again (the link, not what it leads to) before the tree that
// holds it, whose removal would otherwise follow it. Wine 8 answers CreateSymbolicLinkW with
// success but makes nothing, and deletes no link; it does follow Unix symbolic links, so there
// the link is made and removed by the Unix ln and rm.
class DirectoryLink {
 public:
  // `target` is relative to the link's directory.
  DirectoryLink(const Text& link, const std::string& target) : link_(PathFromText(link)) {
    std::error_code error;
    fs::create_directory_symlink(fs::path(target).make_preferred(), link_, error);
    made_ = fs::is_directory(link_, error);
#ifdef _WIN32
    unixLink_ = UnixPathOf(link_);
    if (!made_ && !unixLink_.empty()) {
      unix_ = made_ = RunUnixProgram(
          L"Z:\\bin\\ln", L"ln -s " + fs::path(target).generic_wstring() + L" \"" + unixLink_ + L"\"",
          [this] { return fs::is_directory(link_); });
    }
#endif
  }
  ~DirectoryLink() {
    std::error_code error;
#ifdef _WIN32
    if (unix_) {
      RunUnixProgram(L"Z:\\bin\\rm", L"rm -f \"" + unixLink_ + L"\"",
                     [this] { return !fs::exists(link_); });
      return;
    }
#endif
    fs::remove(link_, error);
  }
  DirectoryLink(const DirectoryLink&) = delete;
  DirectoryLink& operator=(const DirectoryLink&) = delete;

  bool made() const { return made_; }

 private:
  fs::path link_;
  bool made_ = false;
  bool unix_ = false;
  std::wstring unixLink_;
};

// A link that leads back to a directory being walked is not followed, so the walk ends and each
// file is reported once; a link to any other directory is walked like a directory.
TEST(ScanLogDirectory, LinksBackToADirectoryBeingWalkedAreNotFollowed) {
  const Reports ordinary = {{"", "a.log"}, {"sub\\", "b.log"}, {"sub\\deep\\", "c.log"}};
  struct Case {
    const char* name;
    const char* link;
    const char* target;
    Reports alsoReported;  // (directory below the root, file name)
  };
  const Case cases[] = {
      {"link to the parent", "sub/back", "..", {}},
      {"link to the root from deeper down", "sub/deep/up", "../..", {}},
      {"link to itself", "sub/deep/self", ".", {}},
      {"link to a sibling", "twin", "sub", {{"twin\\", "b.log"}, {"twin\\deep\\", "c.log"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempTree tree;
    for (const Report& file : ordinary) {
      Text relative = file.first + file.second;
      std::replace(relative.begin(), relative.end(), '\\', '/');
      tree.Write(relative, "");
    }
    const DirectoryLink link(TextFromPath(PathFromText(tree.Root()) / c.link), c.target);
    if (!link.made()) GTEST_SKIP() << "no directory links here";

    const Text d = tree.Root() + "\\";
    Reports expected;
    for (const Reports* part : {&ordinary, &c.alsoReported}) {
      for (const Report& file : *part) expected.emplace_back(d + file.first, file.second);
    }
    std::sort(expected.begin(), expected.end());
    const Reports reports = Scan(tree.Root());
    ASSERT_EQ(reports.size(), expected.size());
    Reports sorted = reports;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, expected);
    ExpectPreOrder(reports);
  }
}

#ifdef _WIN32

TEST(ScanLogDirectory, HiddenAndSystemEntriesCount) {
  TempTree tree;
  const Text d = tree.Root() + "\\";
  const Text hidden = tree.Write("h.log", "");
  const Text system = tree.Write("s.log", "");
  const Text hiddenDir = tree.MakeDir("hd");
  tree.Write("hd/g.log", "");
  ASSERT_TRUE(SetFileAttributesW(PathFromText(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SetFileAttributesW(PathFromText(system).c_str(), FILE_ATTRIBUTE_SYSTEM));
  ASSERT_TRUE(SetFileAttributesW(PathFromText(hiddenDir).c_str(),
                                 FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
  Reports reports = Scan(tree.Root());
  std::sort(reports.begin(), reports.begin() + std::min<size_t>(2, reports.size()));
  EXPECT_EQ(reports, (Reports{{d, "h.log"}, {d, "s.log"}, {d + "hd\\", "g.log"}}));
}

// The separator test looks at the last byte: a name whose last character is the pair 0x81 0x5C
// already "ends in a backslash", so the pattern is joined straight onto it and the search looks
// beside the directory, not inside it.
TEST(ScanLogDirectory, NameEndingInByte5CGetsNoSeparator) {
  TempTree tree;
  const Text name = "d\x81\x5C";
  tree.Write(name + "/inside.log", "");
  tree.Write(name + "beside.log", "");
  const Text dir = tree.Root() + "\\" + name;
  EXPECT_EQ(Scan(dir), (Reports{{dir, name + "beside.log"}}));
}

int g_appMessages = 0;

LRESULT CALLBACK CountAppMessages(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) {
    ++g_appMessages;
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Waiting messages are dispatched between subdirectory entries (the "." and ".." entries are
// such entries too), never while a directory's files are reported, and a quit request taken on
// the way is left for the message loop.
TEST(ScanLogDirectory, DispatchesWaitingMessagesAfterTheFiles) {
  TempTree tree;
  tree.Write("a.log", "");
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = CountAppMessages;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"KestruneScanTest";
  RegisterClassW(&windowClass);
  const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0,
                                      HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);

  g_appMessages = 0;
  PostMessageW(window, WM_APP, 0, 0);
  PostQuitMessage(7);
  int whileReportingFiles = -1;
  ScanLogDirectory(tree.Root(), "*.log",
                   [&](const Text&, const Text&) { whileReportingFiles = g_appMessages; });
  EXPECT_EQ(whileReportingFiles, 0);
  EXPECT_EQ(g_appMessages, 1);

  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
  DestroyWindow(window);
}

#endif

}  // namespace
