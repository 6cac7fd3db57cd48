// The fixed layout of the main window as data: controls, columns, fonts and menus. The numbers
// appear here and nowhere else; one loop in MainWindow.cpp creates what these tables describe.
#pragma once

#include <windows.h>

#include <array>

namespace ui {

// Control and menu command identifiers.
enum ControlId : int {
  kParseButtonId = 1001,
  kLogListViewId,
  kFormatHintLabelId,
  kRefreshButtonId,
  kLogFileComboId,
  kDefaultDirButtonId,
  kBrowseDirButtonId,
  kLogDirEditId,
  kDirLabelId,
};

enum MenuItemId : int {
  kCopyRowItemId = 2001,
  kSelectDirItemId,
  kRefreshItemId,
  kParseItemId,
  kExitItemId,
  kCheckUpdateItemId,
  kAboutItemId,
};

enum class ControlKind { kButton, kListView, kLabel, kComboBox, kEdit };
enum class FontId { kDefaultGui, kListView, kCombo, kHint };

struct ControlLayout {
  int id;
  ControlKind kind;
  int left, top, width, height;
  const char* text;  // code page 936
  FontId font;
  bool tabStop;
};

// In creation order, which is also the Z order from top to bottom.
extern const std::array<ControlLayout, 9> kControls;

// Focus order of Tab; Shift+Tab walks it backwards. Both wrap around.
extern const std::array<int, 7> kTabOrder;

struct ColumnLayout {
  const char* title;
  int width;
};
extern const std::array<ColumnLayout, 14> kColumns;

struct FontLayout {
  FontId id;
  int height;
  int weight;
};
extern const std::array<FontLayout, 3> kFonts;

struct MenuItemLayout {
  int id;
  const char* text;
};
struct MenuLayout {
  const char* text;
  const MenuItemLayout* items;
  int itemCount;
};
extern const std::array<MenuLayout, 2> kMenus;

inline constexpr int kWindowWidth = 1350;
inline constexpr int kWindowHeight = 750;
inline constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                      WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
inline constexpr UINT kHotKeyTimerId = 1;
inline constexpr UINT kHotKeyTimerPeriodMs = 100;
inline constexpr int kComboCreatedHeight = 160;  // selection field and dropped list together
// The list follows the window: its size is the window's outer size less these margins.
inline constexpr int kListWidthMargin = 20;
inline constexpr int kListHeightMargin = 85;
inline constexpr int kMaxControlExtent = 32627;

}  // namespace ui
