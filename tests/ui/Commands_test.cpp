// The actions of the buttons, the menu items and the table's right click, driven through the
// window's real messages. Texts are written as UTF-16 here and turned into code page 936 bytes
// by the platform, independently of the program's own conversion.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "MessageBoxWatcher.h"
#include "ScratchDir.h"
#include "WindowFixture.h"
#include "ui/Controls.h"
#include "ui/Layout.h"

namespace ui_testing {
namespace {

std::string Cp936(const std::wstring& wide) { return logdata::Cp936FromWide(wide); }

std::vector<std::wstring> ComboEntries(HWND combo) {
  std::vector<std::wstring> entries;
  const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring text(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    entries.push_back(text);
  }
  return entries;
}

size_t ComboCount(HWND combo) { return static_cast<size_t>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); }

// The text the list view shows in a cell (asked through the list view, as painting does).
std::wstring ShownCell(HWND list, int row, int column) {
  wchar_t buffer[512] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = 512;
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return buffer;
}

int ShownRowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

struct ClipboardTexts {
  bool hasAnsi = false, hasWide = false;
  std::string ansi;  // up to its NUL
  std::wstring wide;
};

ClipboardTexts ReadClipboard() {
  ClipboardTexts out;
  if (!OpenClipboard(nullptr)) return out;
  if (HANDLE block = GetClipboardData(CF_TEXT)) {
    if (const auto* bytes = static_cast<const char*>(GlobalLock(block))) {
      out.hasAnsi = true;
      out.ansi = std::string(bytes, strnlen(bytes, GlobalSize(block)));
      GlobalUnlock(block);
    }
  }
  if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(block))) {
      out.hasWide = true;
      out.wide = std::wstring(chars, wcsnlen(chars, GlobalSize(block) / sizeof(wchar_t)));
      GlobalUnlock(block);
    }
  }
  CloseClipboard();
  return out;
}

void PutOnClipboard(const std::wstring& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
}

// Visible top-level windows of this process of a window class.
std::vector<HWND> WindowsOfClass(const wchar_t* className) {
  struct Search {
    const wchar_t* className;
    std::vector<HWND> found;
  } search{className, {}};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        wchar_t name[64] = {};
        GetClassNameW(w, name, 64);
        if (process == GetCurrentProcessId() && IsWindowVisible(w) && wcscmp(name, s->className) == 0) {
          s->found.push_back(w);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Polls from a helper thread for a window that `match` picks; null after `ms` milliseconds.
HWND WaitForWindow(const wchar_t* className, const std::function<bool(HWND)>& match, int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    for (HWND w : WindowsOfClass(className)) {
      if (match(w)) return w;
    }
    Sleep(10);
  }
  return nullptr;
}

// Runs `body` on a thread of its own while the test's thread sits in a modal loop.
class Beside {
 public:
  explicit Beside(std::function<void()> body)
      : thread_([this, body] {
          body();
          done_ = true;
        }) {}
  ~Beside() { thread_.join(); }
  bool Done() const { return done_; }

 private:
  std::atomic<bool> done_{false};
  std::thread thread_;
};

void SendKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = key;
    INPUT up = down;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(down);
    inputs.push_back(up);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void RightClickAt(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  SendInput(2, inputs, sizeof(INPUT));
}


// A small log: a directive with fewer than fourteen fields, the field list (fifteen fields), a
// blank line, a request with fifteen fields and Chinese texts, and a line with an empty field.
const std::wstring kSmallLog =
    L"#Software: Microsoft Internet Information Services 10.0\r\n"
    L"#Fields: date time s-ip cs-method cs-uri-stem cs-uri-query s-port cs-username c-ip "
    L"cs(User-Agent) sc-status sc-substatus sc-win32-status time-taken\r\n"
    L"\r\n"
    L"2017-11-27 08:00:01 10.0.0.1 GET /首页.htm q=日志 80 张三 10.0.0.2 Mozilla/5.0 200 0 0 15 "
    L"extra\r\n"
    L"a  b\r\n";

// The fourteen cells of each row of kSmallLog.
const std::vector<std::vector<std::wstring>> kSmallLogCells = {
    {L"#Software:", L"Microsoft", L"Internet", L"Information", L"Services", L"10.0", L"", L"", L"",
     L"", L"", L"", L"", L""},
    {L"#Fields:", L"date", L"time", L"s-ip", L"cs-method", L"cs-uri-stem", L"cs-uri-query",
     L"s-port", L"cs-username", L"c-ip", L"cs(User-Agent)", L"sc-status", L"sc-substatus",
     L"sc-win32-status"},
    std::vector<std::wstring>(14),
    {L"2017-11-27", L"08:00:01", L"10.0.0.1", L"GET", L"/首页.htm", L"q=日志", L"80", L"张三",
     L"10.0.0.2", L"Mozilla/5.0", L"200", L"0", L"0", L"15"},
    {L"a", L"", L"b", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L""},
};

class CommandsTest : public MainWindowTest {
 protected:
  void Click(int buttonId) { SendMessageW(Control(buttonId), BM_CLICK, 0, 0); }
  void Choose(int itemId) { SendMessageW(c_.window, WM_COMMAND, MAKEWPARAM(itemId, 0), 0); }
  std::wstring DirText() const { return WindowTextOf(c_.dirEdit); }

  // Refreshes `dir`, which holds one log file, inline: that file becomes the current entry.
  void ChooseLogFile(const ScratchDir& dir) {
    SetDir(dir.Root());
    Click(ui::kRefreshButtonId);
    ASSERT_EQ(ComboCount(c_.combo), 1u);
  }
};

TEST_F(CommandsTest, DefaultDirButtonPutsTheDefaultDirectoryAndNothingElse) {
  MessageBoxWatcher boxes(c_.window);
  SetDir(L"D:\\somewhere");
  Click(ui::kDefaultDirButtonId);
  PumpFor(200);
  EXPECT_EQ(DirText(), L"c:\\inetpub\\logs\\LogFiles\\");
  EXPECT_EQ(ComboCount(c_.combo), 0u);  // no refresh follows
  EXPECT_TRUE(boxes.Seen().empty());
}

// The button refreshes on the UI thread, so its box blocks the window; the menu item refreshes
// on a task thread, whose box leaves the window usable.
TEST_F(CommandsTest, RefreshWithNoDirectorySaysSoInlineFromTheButtonAndAsATaskFromTheMenu) {
  {
    SCOPED_TRACE("button");
    MessageBoxWatcher boxes(c_.window);
    Click(ui::kRefreshButtonId);  // returns when the box has been closed
    const auto seen = boxes.Seen();
    ASSERT_EQ(seen.size(), 1u);
    ExpectFailBox(seen[0], kNoDirectoryText, BoxThread::kUi);
  }
  EXPECT_TRUE(IsWindowEnabled(c_.window));
  {
    SCOPED_TRACE("menu");
    MessageBoxWatcher boxes(c_.window, /*closeAfterMs=*/800);
    Choose(ui::kRefreshItemId);
    ASSERT_TRUE(PumpUntil([&] { return boxes.OpenCount() == 1; }));
    // The window answers while the box is open.
    Click(ui::kDefaultDirButtonId);
    EXPECT_EQ(DirText(), L"c:\\inetpub\\logs\\LogFiles\\");
    ASSERT_TRUE(PumpUntil([&] { return boxes.OpenCount() == 0; }));
    const auto seen = boxes.Seen();
    ASSERT_EQ(seen.size(), 1u);
    ExpectFailBox(seen[0], kNoDirectoryText, BoxThread::kTask);
  }
  EXPECT_EQ(ComboCount(c_.combo), 0u);
}

// Each directory holds one log file, so the order of the paths is fixed by the walk alone: a
// directory's own files before its subdirectories, even one whose name sorts first.
TEST_F(CommandsTest, RefreshAppendsEveryLogPathAndMakesTheFirstCurrentEachTime) {
  ScratchDir tree;
  const std::vector<std::wstring> logs = {tree.Write(L"访问日志.log"), tree.Write(L"a-sub\\b.log"),
                                          tree.Write(L"a-sub\\deeper\\c.log")};
  tree.Write(L"notes.txt");
  tree.Write(L"a-sub\\c.log.bak");
  std::vector<std::wstring> twice = logs;
  twice.insert(twice.end(), logs.begin(), logs.end());

  struct Source {
    const char* name;
    std::function<void()> refresh;
  };
  const Source sources[] = {
      {"button", [&] { Click(ui::kRefreshButtonId); }},
      {"menu", [&] { Choose(ui::kRefreshItemId); }},
  };
  for (const Source& source : sources) {
    SCOPED_TRACE(source.name);
    SendMessageW(c_.combo, CB_RESETCONTENT, 0, 0);
    MessageBoxWatcher boxes(c_.window);
    SetDir(tree.Root());
    source.refresh();
    ASSERT_TRUE(PumpUntil([&] { return ComboCount(c_.combo) >= logs.size(); }));
    PumpFor(100);
    EXPECT_EQ(ComboEntries(c_.combo), logs);
    EXPECT_EQ(SendMessageW(c_.combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(WindowTextOf(c_.combo), logs[0]);
    EXPECT_EQ(DirText(), tree.Root());  // the walk's separator is not written back

    // The user picks another entry; the next refresh appends everything again and goes back to
    // the first entry.
    SendMessageW(c_.combo, CB_SETCURSEL, 2, 0);
    source.refresh();
    ASSERT_TRUE(PumpUntil([&] { return ComboCount(c_.combo) >= twice.size(); }));
    PumpFor(100);
    EXPECT_EQ(ComboEntries(c_.combo), twice);
    EXPECT_EQ(SendMessageW(c_.combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(boxes.Seen().empty());
  }
}

TEST_F(CommandsTest, OverlappingMenuRefreshesEachAppendEveryPath) {
  ScratchDir tree;
  std::vector<std::wstring> logs;
  for (int d = 0; d < 6; ++d) {
    for (int f = 0; f < 3; ++f) {
      logs.push_back(tree.Write(L"d" + std::to_wstring(d) + L"\\f" + std::to_wstring(f) + L".log"));
    }
  }
  SetDir(tree.Root());
  Choose(ui::kRefreshItemId);
  Choose(ui::kRefreshItemId);
  ASSERT_TRUE(PumpUntil([&] { return ComboCount(c_.combo) >= 2 * logs.size(); }));
  PumpFor(200);
  const auto entries = ComboEntries(c_.combo);
  EXPECT_EQ(entries.size(), 2 * logs.size());
  for (const std::wstring& log : logs) {
    EXPECT_EQ(std::count(entries.begin(), entries.end(), log), 2) << log.c_str();
  }
  EXPECT_EQ(SendMessageW(c_.combo, CB_GETCURSEL, 0, 0), 0);
}

// The check runs on the UI thread for the button and the menu item alike.
TEST_F(CommandsTest, ParseWithNoFileSaysSoOnTheUiThread) {
  for (int source : {0, 1}) {
    SCOPED_TRACE(source == 0 ? "button" : "menu");
    MessageBoxWatcher boxes(c_.window);
    if (source == 0) {
      Click(ui::kParseButtonId);
    } else {
      Choose(ui::kParseItemId);
    }
    PumpFor(200);
    const auto seen = boxes.Seen();
    ASSERT_EQ(seen.size(), 1u);
    ExpectFailBox(seen[0], kNoFileText, BoxThread::kUi);
    EXPECT_EQ(ui::RowCount(c_), 0u);
  }
}

// The second parse reads the file again after a line was added to it.
TEST_F(CommandsTest, ParseFillsTheTableWithTheFirstFourteenFieldsOfEachLine) {
  ScratchDir dir;
  dir.Write(L"u_ex171127.log", kSmallLog);
  ASSERT_NO_FATAL_FAILURE(ChooseLogFile(dir));
  for (int source : {0, 1}) {
    SCOPED_TRACE(source == 0 ? "button" : "menu");
    const size_t rows = kSmallLogCells.size() + source;
    if (source == 1) dir.Write(L"u_ex171127.log", kSmallLog + L"tail\r\n");
    MessageBoxWatcher boxes(c_.window);
    if (source == 0) {
      Click(ui::kParseButtonId);
    } else {
      Choose(ui::kParseItemId);
    }
    ASSERT_TRUE(PumpUntil([&] { return ui::RowCount(c_) == rows; }));
    PumpFor(200);  // a later batch would add rows here
    ASSERT_EQ(ShownRowCount(c_.listView), static_cast<int>(rows));
    for (size_t row = 0; row < kSmallLogCells.size(); ++row) {
      for (int column = 0; column < 14; ++column) {
        EXPECT_EQ(ShownCell(c_.listView, static_cast<int>(row), column), kSmallLogCells[row][column])
            << "row " << row << ", column " << column;
      }
    }
    // The cells as bytes: the Chinese fields are the file's code page 936 bytes.
    EXPECT_EQ(ui::CellText(c_, 3, 4), Cp936(L"/首页.htm"));
    EXPECT_EQ(ui::CellText(c_, 3, 7), Cp936(L"张三"));
    EXPECT_TRUE(boxes.Seen().empty());
  }
  EXPECT_EQ(ShownCell(c_.listView, 5, 0), L"tail");
}

TEST_F(CommandsTest, ParseOfAVanishedFileEmptiesTheTableSilently) {
  ScratchDir dir;
  const std::wstring log = dir.Write(L"u_ex171127.log", kSmallLog);
  ASSERT_NO_FATAL_FAILURE(ChooseLogFile(dir));
  MessageBoxWatcher boxes(c_.window);
  Click(ui::kParseButtonId);
  ASSERT_TRUE(PumpUntil([&] { return ui::RowCount(c_) == kSmallLogCells.size(); }));
  ASSERT_TRUE(DeleteFileW(log.c_str()));
  Click(ui::kParseButtonId);
  PumpFor(500);
  EXPECT_EQ(ui::RowCount(c_), 0u);
  EXPECT_EQ(ShownRowCount(c_.listView), 0);
  EXPECT_TRUE(boxes.Seen().empty());
}

TEST_F(CommandsTest, CopyWithNoRowSelectedCopiesFourteenEmptyCells) {
  PutOnClipboard(L"stale");
  MessageBoxWatcher boxes(c_.window);
  Choose(ui::kCopyRowItemId);
  const ClipboardTexts clip = ReadClipboard();
  ASSERT_TRUE(clip.hasAnsi);
  EXPECT_EQ(clip.ansi, std::string(28, ' '));
  ASSERT_TRUE(clip.hasWide);
  EXPECT_EQ(clip.wide, std::wstring(28, L' '));
  const auto seen = boxes.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, L"提示：");
  EXPECT_EQ(seen[0].text, L"复制本项成功！");
  EXPECT_EQ(seen[0].owner, nullptr);
  EXPECT_TRUE(seen[0].mainWindowWasDisabled);
}

TEST_F(CommandsTest, CopyOfTheSelectedRowGivesItsFourteenCellsEachFollowedByTwoSpaces) {
  ScratchDir dir;
  dir.Write(L"u_ex171127.log", kSmallLog);
  ASSERT_NO_FATAL_FAILURE(ChooseLogFile(dir));
  Click(ui::kParseButtonId);
  ASSERT_TRUE(PumpUntil([&] { return ui::RowCount(c_) == kSmallLogCells.size(); }));

  for (int row : {3, 4}) {
    SCOPED_TRACE(row);
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(c_.listView, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    ASSERT_EQ(ui::SelectedRow(c_), row);
    std::wstring expected;
    for (const std::wstring& cell : kSmallLogCells[row]) expected += cell + L"  ";

    MessageBoxWatcher boxes(c_.window);
    Choose(ui::kCopyRowItemId);
    const ClipboardTexts clip = ReadClipboard();
    EXPECT_EQ(clip.ansi, Cp936(expected));
    EXPECT_EQ(clip.wide, expected);
    const auto seen = boxes.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, L"复制本项成功！");
  }
}

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  for (size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

TEST_F(CommandsTest, HelpItemsShowTheirNoticesOnTheUiThread) {
  {
    MessageBoxWatcher boxes(c_.window);
    Choose(ui::kCheckUpdateItemId);
    const auto seen = boxes.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, L"提示：");
    EXPECT_EQ(seen[0].text, L"受版规限制，Morvane版本更新请关注相关帖！");
    EXPECT_EQ(seen[0].owner, nullptr);
    EXPECT_TRUE(seen[0].mainWindowWasDisabled);
  }
  {
    MessageBoxWatcher boxes(c_.window);
    Choose(ui::kAboutItemId);
    const auto seen = boxes.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, L"关于软件：");
    EXPECT_TRUE(seen[0].mainWindowWasDisabled);
    const auto lines = Lines(seen[0].text);
    ASSERT_EQ(lines.size(), 4u) << seen[0].text.c_str();
    EXPECT_EQ(lines[0].rfind(L"Kestrune软件（", 0), 0u);
    EXPECT_EQ(lines[0].back(), L'）');
    EXPECT_NE(lines[0].find(L"IIS"), std::wstring::npos);
    EXPECT_FALSE(lines[1].empty());
    EXPECT_EQ(lines[2], L"软件版本：v1.0.0.1124");
    EXPECT_EQ(lines[3], L"发布日期：2017年11月27日");
  }
}

TEST_F(CommandsTest, ExitDestroysTheWindowOnceMessagesAreProcessed) {
  Choose(ui::kExitItemId);
  EXPECT_TRUE(IsWindow(c_.window));  // posted, not carried out within the call
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(c_.window); }, 2000));
}

// What the helper thread saw of a popup menu before closing it with Esc.
struct SeenMenu {
  std::vector<std::wstring> texts;
  std::vector<UINT> ids;
  std::vector<UINT> states;
  RECT rect{};
};

SeenMenu CatchPopupMenu(bool& found) {
  SeenMenu seen;
  HWND popup = WaitForWindow(L"#32768", [](HWND) { return true; }, 5000);
  found = popup != nullptr;
  if (!popup) return seen;
  GetWindowRect(popup, &seen.rect);
  const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
    seen.texts.push_back(text);
    seen.ids.push_back(GetMenuItemID(menu, i));
    seen.states.push_back(GetMenuState(menu, i, MF_BYPOSITION));
  }
  SendKeys({VK_ESCAPE});
  // Should Esc not reach it, the menu is ended anyway so that the test's thread leaves its loop.
  for (int waited = 0; !WindowsOfClass(L"#32768").empty(); waited += 10) {
    if (waited >= 2000) {
      EndMenu();
      break;
    }
    Sleep(10);
  }
  return seen;
}

// A right click on a row and one on the empty area below the rows both open the items of the
// main menu at the cursor; dismissing the popup runs nothing.
TEST_F(CommandsTest, RightClickOnTheTableOpensTheMainMenuAsAPopup) {
  ScratchDir dir;
  dir.Write(L"u_ex171127.log", kSmallLog);
  ASSERT_NO_FATAL_FAILURE(ChooseLogFile(dir));
  Click(ui::kParseButtonId);
  ASSERT_TRUE(PumpUntil([&] { return ShownRowCount(c_.listView) == 5; }));

  const HMENU bar = GetSubMenu(GetMenu(c_.window), 0);
  RECT row{LVIR_BOUNDS, 0, 0, 0};
  SendMessageW(c_.listView, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  RECT client;
  GetClientRect(c_.listView, &client);
  const struct {
    const char* where;
    POINT at;  // client coordinates of the list view
  } clicks[] = {{"on a row", {200, (row.top + row.bottom) / 2}},
                {"below the rows", {300, client.bottom - 40}}};
  for (const auto& click : clicks) {
    SCOPED_TRACE(click.where);
    SetForegroundWindow(c_.window);
    PumpFor(50);
    POINT screen = click.at;
    ClientToScreen(c_.listView, &screen);
    bool found = false;
    SeenMenu seen;
    {
      Beside catcher([&] { seen = CatchPopupMenu(found); });
      RightClickAt(screen);
      PumpUntil([&] { return catcher.Done(); }, 6000);
    }
    PumpFor(100);
    ASSERT_TRUE(found);
    EXPECT_EQ(seen.texts,
              (std::vector<std::wstring>{L"复制此项", L"选择日志目录", L"刷新日志", L"解析日志文件", L"退出"}));
    ASSERT_EQ(seen.ids.size(), 5u);
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(seen.ids[i], GetMenuItemID(bar, i));
      EXPECT_EQ(seen.states[i] & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR), 0u);
    }
    EXPECT_EQ(seen.rect.left, screen.x + 3);
    EXPECT_EQ(seen.rect.top, screen.y + 3);
    EXPECT_TRUE(IsWindow(c_.window));
    EXPECT_EQ(ComboCount(c_.combo), 1u);
  }
}

TEST_F(CommandsTest, ItemChosenFromThePopupRunsItsAction) {
  std::atomic<bool> found{false};
  {
    Beside chooser([&] {
      // Up from no selection goes to the last item, 退出.
      found = WaitForWindow(L"#32768", [](HWND) { return true; }, 5000) != nullptr;
      if (found) SendKeys({VK_UP, VK_RETURN});
    });
    RECT client;
    GetClientRect(c_.listView, &client);
    POINT screen{400, client.bottom / 2};
    ClientToScreen(c_.listView, &screen);
    RightClickAt(screen);
    PumpUntil([&] { return chooser.Done(); }, 6000);
  }
  ASSERT_TRUE(found);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(c_.window); }, 2000));
}

// The folder chooser is a dialog with a folder tree; with BIF_EDITBOX it has an edit field.
bool IsFolderChooser(HWND dialog) {
  return FindWindowExW(dialog, nullptr, L"SysTreeView32", nullptr) != nullptr;
}

std::wstring SelectedTreeText(HWND tree) {
  wchar_t text[MAX_PATH] = {};
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  item.pszText = text;
  item.cchTextMax = MAX_PATH;
  if (!item.hItem || !SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return {};
  return text;
}

struct ChooserRun {
  bool found = false;
  HWND owner = nullptr;
  bool mainWindowWasDisabled = false;
};

// Waits for the chooser, records it, and confirms the folder `path`, or cancels when `path` is
// empty. The path is typed into the edit field as a user would; Wine's chooser confirms the
// folder selected in its tree and ignores a typed name, so the folder is also selected there
// (BFFM_SETSELECTIONW, what a click in the tree does). Whatever happens, the chooser is closed.
ChooserRun DriveChooser(HWND mainWindow, const std::wstring& path) {
  ChooserRun run;
  HWND dialog = WaitForWindow(L"#32770", IsFolderChooser, 10000);
  run.found = dialog != nullptr;
  if (!dialog) {
    // Never leave the test's thread in a modal loop: close whatever dialog is open.
    for (HWND other : WindowsOfClass(L"#32770")) PostMessageW(other, WM_COMMAND, IDCANCEL, 0);
    return run;
  }
  run.owner = GetWindow(dialog, GW_OWNER);
  run.mainWindowWasDisabled = !IsWindowEnabled(mainWindow);
  if (path.empty()) {
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return run;
  }
  if (HWND edit = FindWindowExW(dialog, nullptr, L"Edit", nullptr)) {
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  }
  // The chooser may still be filling its tree and move the selection back; select again until
  // the folder's own item is the selected one.
  HWND tree = FindWindowExW(dialog, nullptr, L"SysTreeView32", nullptr);
  const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
  for (int attempt = 0; attempt < 50 && SelectedTreeText(tree) != name; ++attempt) {
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
    Sleep(20);
  }
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  return run;
}

TEST_F(CommandsTest, FolderChooserFromTheButtonIsOwnedByTheWindow) {
  ScratchDir dir;
  dir.Write(L"日志\\u_ex171127.log");
  const std::wstring folder = dir.Root() + L"\\日志";
  ChooserRun run;
  {
    Beside driver([&] { run = DriveChooser(c_.window, folder); });
    Click(ui::kBrowseDirButtonId);  // returns when the chooser has closed
    PumpUntil([&] { return driver.Done(); }, 12000);
  }
  ASSERT_TRUE(run.found);
  EXPECT_EQ(run.owner, c_.window);
  EXPECT_TRUE(run.mainWindowWasDisabled);
  EXPECT_TRUE(IsWindowEnabled(c_.window));
  EXPECT_EQ(GetActiveWindow(), c_.window);
  EXPECT_EQ(DirText(), folder);  // as the shell gives it: no trailing backslash
}

TEST_F(CommandsTest, CancelledChooserEmptiesTheDirectoryBox) {
  struct Source {
    const char* name;
    std::function<void()> open;
    bool owned;
  };
  const Source sources[] = {
      {"button", [&] { Click(ui::kBrowseDirButtonId); }, true},
      {"menu", [&] { Choose(ui::kSelectDirItemId); }, false},
  };
  for (const Source& source : sources) {
    SCOPED_TRACE(source.name);
    Click(ui::kDefaultDirButtonId);
    ChooserRun run;
    {
      Beside driver([&] { run = DriveChooser(c_.window, L""); });
      source.open();
      PumpUntil([&] { return driver.Done(); }, 12000);
    }
    ASSERT_TRUE(run.found);
    EXPECT_EQ(run.owner, source.owned ? c_.window : nullptr);
    EXPECT_TRUE(run.mainWindowWasDisabled);
    EXPECT_TRUE(PumpUntil([&] { return DirText().empty(); }, 3000));
    EXPECT_TRUE(PumpUntil([&] { return IsWindowEnabled(c_.window) != FALSE; }, 3000));
  }
}

}  // namespace
}  // namespace ui_testing
