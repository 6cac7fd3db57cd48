#include "WindowFixture.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cwctype>

namespace ui_testing {
namespace {

struct ExpectedControl {
  const wchar_t* className;
  RECT rect;  // relative to the client area; the combo box's height is the platform's
  const wchar_t* text;
  DWORD styles;     // all of these must be set
  DWORD notStyles;  // none of these
};

// In creation order = Z order from the top.
const ExpectedControl kExpected[] = {
    {L"Button", {854, -1, 946, 23}, L"开始解析(F7)",
     WS_TABSTOP | BS_CENTER | BS_VCENTER | BS_MULTILINE, BS_DEFPUSHBUTTON},
    {L"SysListView32", {2, 26, 1332, 691}, L"",
     WS_TABSTOP | WS_BORDER | WS_CLIPCHILDREN | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDATA,
     LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_NOCOLUMNHEADER | LVS_NOSORTHEADER},
    {L"KestruneTransparentLabel", {950, -2, 1352, 22}, L"请确保日志格式为W3C，否则会解析失败！", 0,
     WS_TABSTOP},
    {L"Button", {761, -1, 853, 23}, L"刷新日志(F5)",
     WS_TABSTOP | BS_CENTER | BS_VCENTER | BS_MULTILINE, BS_DEFPUSHBUTTON},
    {L"ComboBox", {521, 0, 752, 0}, L"", WS_TABSTOP | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL,
     CBS_SORT},
    {L"Button", {405, 0, 517, 24}, L"定位默认位置",
     WS_TABSTOP | BS_CENTER | BS_VCENTER | BS_MULTILINE, BS_DEFPUSHBUTTON},
    {L"Button", {299, 0, 403, 24}, L"选择日志位置",
     WS_TABSTOP | BS_CENTER | BS_VCENTER | BS_MULTILINE, BS_DEFPUSHBUTTON},
    {L"Edit", {83, 1, 296, 25}, L"", WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY,
     ES_NOHIDESEL | ES_UPPERCASE | ES_LOWERCASE | ES_CENTER | ES_RIGHT},
    {L"KestruneTransparentLabel", {7, 2, 87, 26}, L"IIS日志位置：", 0, WS_TABSTOP},
};

TEST_F(MainWindowTest, ControlsHaveTheirKindPlaceTextAndStyleInZOrder) {
  HWND control = GetWindow(c_.window, GW_CHILD);
  for (const ExpectedControl& expected : kExpected) {
    ASSERT_NE(control, nullptr);
    SCOPED_TRACE(expected.text);
    wchar_t className[64];
    GetClassNameW(control, className, 64);
    EXPECT_STREQ(className, expected.className);
    const RECT rect = ClientRectOf(control);
    EXPECT_EQ(rect.left, expected.rect.left);
    EXPECT_EQ(rect.top, expected.rect.top);
    EXPECT_EQ(rect.right, expected.rect.right);
    if (expected.rect.bottom != 0) {
      EXPECT_EQ(rect.bottom, expected.rect.bottom);
    }
    EXPECT_EQ(WindowTextOf(control), expected.text);
    const DWORD style = GetWindowLongW(control, GWL_STYLE);
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_DISABLED),
              DWORD{WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS});
    EXPECT_EQ(style & expected.styles, expected.styles);
    EXPECT_EQ(style & expected.notStyles, 0u);
    control = GetWindow(control, GW_HWNDNEXT);
  }
  EXPECT_EQ(control, nullptr);
}

// The manifest asks for common controls 6. Wine reports version 5.81 for both, so the loaded
// library is told by where it came from: version 6 lives in the side-by-side store.
TEST_F(MainWindowTest, CommonControlsSixAreLoaded) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(GetModuleHandleW(L"comctl32.dll"), path, MAX_PATH);
  std::wstring lower(path);
  for (wchar_t& ch : lower) ch = static_cast<wchar_t>(towlower(ch));
  EXPECT_NE(lower.find(L"winsxs"), std::wstring::npos) << lower;
}

// The run under a given screen size names the position the window must start at.
TEST_F(MainWindowTest, StartsCentredOnTheWholeScreenEvenPartlyOffIt) {
  const char* expected = std::getenv("KESTRUNE_EXPECT_POSITION");
  if (!expected) GTEST_SKIP() << "run by scripts/test on a screen of a known size";
  int left = 0, top = 0;
  ASSERT_EQ(std::sscanf(expected, "%d,%d", &left, &top), 2);
  RECT outer;
  GetWindowRect(c_.window, &outer);
  EXPECT_EQ(outer.left, left);
  EXPECT_EQ(outer.top, top);
  EXPECT_EQ(outer.right - outer.left, 1350);
  EXPECT_EQ(outer.bottom - outer.top, 750);
  const RECT list = ClientRectOf(c_.listView);
  EXPECT_EQ(list.right - list.left, 1330);
  EXPECT_EQ(list.bottom - list.top, 665);
}

TEST_F(MainWindowTest, WindowHasCaptionSizeFrameAndCentredPosition) {
  EXPECT_EQ(WindowTextOf(c_.window), L"Kestrune（IIS版）");
  RECT outer;
  GetWindowRect(c_.window, &outer);
  EXPECT_EQ(outer.right - outer.left, 1350);
  EXPECT_EQ(outer.bottom - outer.top, 750);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 1350) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 750) / 2);
  const DWORD style = GetWindowLongW(c_.window, GWL_STYLE);
  const DWORD frame = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                      WS_CLIPCHILDREN | WS_VISIBLE;
  EXPECT_EQ(style & frame, frame);
  EXPECT_EQ(style & (WS_MINIMIZE | WS_MAXIMIZE | WS_POPUP | WS_CHILD), 0u);
  EXPECT_EQ(GetWindow(c_.window, GW_OWNER), nullptr);
  EXPECT_EQ(GetWindowLongW(c_.window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0u);
  EXPECT_NE(SendMessageW(c_.window, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageW(c_.window, WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_EQ(GetClassLongPtrW(c_.window, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
}

struct ExpectedFont {
  int id;
  LONG height;
  LONG weight;
};

TEST_F(MainWindowTest, ListComboAndHintCarryTheirOwnFontsOthersTheDefaultGuiFont) {
  const ExpectedFont own[] = {{1002, -14, 400}, {1005, -12, 400}, {1003, -19, 700}};
  for (const ExpectedFont& expected : own) {
    SCOPED_TRACE(expected.id);
    auto font = reinterpret_cast<HFONT>(SendMessageW(Control(expected.id), WM_GETFONT, 0, 0));
    LOGFONTW f{};
    ASSERT_EQ(GetObjectW(font, sizeof f, &f), int{sizeof f});
    EXPECT_EQ(f.lfHeight, expected.height);
    EXPECT_EQ(f.lfWeight, expected.weight);
    EXPECT_STREQ(f.lfFaceName, L"YaHei Consolas Hybrid");
    EXPECT_EQ(f.lfCharSet, 134);
    EXPECT_EQ(f.lfWidth, 0);
    EXPECT_EQ(f.lfEscapement, 0);
    EXPECT_EQ(f.lfOrientation, 0);
    EXPECT_EQ(f.lfItalic | f.lfUnderline | f.lfStrikeOut, 0);
    EXPECT_EQ(f.lfOutPrecision, 3);
    EXPECT_EQ(f.lfClipPrecision, 2);
    EXPECT_EQ(f.lfQuality, 1);
    EXPECT_EQ(f.lfPitchAndFamily, 0x31);
  }
  const auto defaultFont = reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
  for (int id : {1001, 1004, 1006, 1007, 1008, 1009}) {
    EXPECT_EQ(SendMessageW(Control(id), WM_GETFONT, 0, 0), defaultFont) << id;
  }
  EXPECT_EQ(SendMessageW(c_.window, WM_GETFONT, 0, 0), defaultFont);
}

TEST_F(MainWindowTest, TableHasFourteenColumnsAndItsStylesAndColours) {
  const std::pair<const wchar_t*, int> columns[] = {
      {L"日期", 70},      {L"时间", 70},   {L"服务器IP", 100},   {L"请求方式", 70},
      {L"访问页", 50},    {L"查询参数", 70}, {L"端口", 50},       {L"用户名", 60},
      {L"来访者IP", 100}, {L"UA", 500},    {L"状态", 50},       {L"协议子状态", 100},
      {L"WIN32状态", 100}, {L"响应时间", 70}};
  HWND list = c_.listView;
  auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  ASSERT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 14);
  for (int i = 0; i < 14; ++i) {
    wchar_t title[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = title;
    column.cchTextMax = 64;
    ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(title, columns[i].first);
    EXPECT_EQ(column.cx, columns[i].second);
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
  }
  EXPECT_EQ(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
            LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_FLATSB | LVS_EX_INFOTIP |
                LVS_EX_SUBITEMIMAGES);
  EXPECT_EQ(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(SendMessageW(list, LVM_GETTEXTBKCOLOR, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(SendMessageW(list, LVM_GETBKCOLOR, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED), -1);
}

TEST_F(MainWindowTest, ComboAndEditStartEmpty) {
  EXPECT_EQ(SendMessageW(c_.combo, CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageW(c_.combo, CB_GETCURSEL, 0, 0), CB_ERR);
  DWORD start = 1, end = 1;
  SendMessageW(c_.dirEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 0u);
  EXPECT_GT(SendMessageW(c_.dirEdit, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFF0);
}

TEST_F(MainWindowTest, MenuBarHasTwoMenusWithTheirItems) {
  const std::vector<std::vector<const wchar_t*>> expected = {
      {L"菜单", L"复制此项", L"选择日志目录", L"刷新日志", L"解析日志文件", L"退出"},
      {L"帮助", L"检查更新", L"关于软件"}};
  HMENU bar = GetMenu(c_.window);
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  for (int m = 0; m < 2; ++m) {
    wchar_t text[64];
    GetMenuStringW(bar, m, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, expected[m][0]);
    HMENU popup = GetSubMenu(bar, m);
    ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(expected[m].size()) - 1);
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
      GetMenuStringW(popup, i, text, 64, MF_BYPOSITION);
      EXPECT_STREQ(text, expected[m][i + 1]);
      EXPECT_EQ(GetMenuState(popup, i, MF_BYPOSITION) & (MF_GRAYED | MF_CHECKED | MF_SEPARATOR), 0u);
    }
  }
}

TEST_F(MainWindowTest, TableFollowsTheWindowSize) {
  auto listSize = [&] {
    RECT r = ClientRectOf(c_.listView);
    return std::make_pair(int(r.right - r.left), int(r.bottom - r.top));
  };
  EXPECT_EQ(listSize(), std::make_pair(1330, 665));

  RECT outer;
  GetWindowRect(c_.window, &outer);
  MoveWindow(c_.window, outer.left, outer.top, 1450, 800, TRUE);
  PumpFor(50);
  EXPECT_EQ(listSize(), std::make_pair(1430, 715));
  EXPECT_EQ(ClientRectOf(c_.listView).left, 2);
  EXPECT_EQ(ClientRectOf(c_.listView).top, 26);

  ShowWindow(c_.window, SW_MINIMIZE);
  PumpFor(100);
  EXPECT_EQ(listSize().second, 0);

  ShowWindow(c_.window, SW_RESTORE);
  PumpFor(100);
  EXPECT_EQ(listSize(), std::make_pair(1430, 715));
}

}  // namespace
}  // namespace ui_testing
