#include "Layout.h"

#include "Texts.h"

namespace ui {

using K = ControlKind;
using F = FontId;

const std::array<ControlLayout, 9> kControls = {{
    {kParseButtonId, K::kButton, 854, -1, 92, 24, text::kParseButton, F::kDefaultGui, true},
    {kLogListViewId, K::kListView, 2, 26, 1340, 674, "", F::kListView, true},
    {kFormatHintLabelId, K::kLabel, 950, -2, 402, 24, text::kFormatHint, F::kHint, false},
    {kRefreshButtonId, K::kButton, 761, -1, 92, 24, text::kRefreshButton, F::kDefaultGui, true},
    {kLogFileComboId, K::kComboBox, 521, 0, 231, 24, "", F::kCombo, true},
    {kDefaultDirButtonId, K::kButton, 405, 0, 112, 24, text::kDefaultDirButton, F::kDefaultGui, true},
    {kBrowseDirButtonId, K::kButton, 299, 0, 104, 24, text::kBrowseDirButton, F::kDefaultGui, true},
    {kLogDirEditId, K::kEdit, 83, 1, 213, 24, "", F::kDefaultGui, true},
    {kDirLabelId, K::kLabel, 7, 2, 80, 24, text::kDirLabel, F::kDefaultGui, false},
}};

const std::array<int, 7> kTabOrder = {kLogDirEditId,    kBrowseDirButtonId, kDefaultDirButtonId,
                                      kLogFileComboId,  kRefreshButtonId,   kLogListViewId,
                                      kParseButtonId};

const std::array<ColumnLayout, 14> kColumns = {{
    {text::kColumnDate, 70},
    {text::kColumnTime, 70},
    {text::kColumnServerIp, 100},
    {text::kColumnMethod, 70},
    {text::kColumnUriStem, 50},
    {text::kColumnUriQuery, 70},
    {text::kColumnPort, 50},
    {text::kColumnUserName, 60},
    {text::kColumnClientIp, 100},
    {text::kColumnUserAgent, 500},
    {text::kColumnStatus, 50},
    {text::kColumnSubStatus, 100},
    {text::kColumnWin32Status, 100},
    {text::kColumnTimeTaken, 70},
}};

const std::array<FontLayout, 3> kFonts = {{
    {F::kListView, -14, FW_NORMAL},
    {F::kCombo, -12, FW_NORMAL},
    {F::kHint, -19, FW_BOLD},
}};

namespace {

const MenuItemLayout kMainMenuItems[] = {
    {kCopyRowItemId, text::kCopyRowItem}, {kSelectDirItemId, text::kSelectDirItem},
    {kRefreshItemId, text::kRefreshItem}, {kParseItemId, text::kParseItem},
    {kExitItemId, text::kExitItem},
};
const MenuItemLayout kHelpMenuItems[] = {
    {kCheckUpdateItemId, text::kCheckUpdateItem},
    {kAboutItemId, text::kAboutItem},
};

}  // namespace

const std::array<MenuLayout, 2> kMenus = {{
    {text::kMainMenu, kMainMenuItems, 5},
    {text::kHelpMenu, kHelpMenuItems, 2},
}};

}  // namespace ui
