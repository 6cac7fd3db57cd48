#include "MessageBoxWatcher.h"
#include "WindowFixture.h"

namespace ui_testing {
namespace {

constexpr int kParseButton = 1001, kListView = 1002, kRefreshButton = 1004, kCombo = 1005,
              kDefaultDirButton = 1006, kBrowseDirButton = 1007, kDirEdit = 1008;

using KeyboardTest = MainWindowTest;

TEST_F(KeyboardTest, WindowGivesFocusToTheDirectoryBoxAtStart) {
  EXPECT_EQ(GetFocus(), Control(kDirEdit));
}

TEST_F(KeyboardTest, TabAndShiftTabWalkTheTabOrderAndWrap) {
  SetFocus(Control(kDirEdit));
  const int forward[] = {kBrowseDirButton, kDefaultDirButton, kCombo, kRefreshButton,
                         kListView,        kParseButton,      kDirEdit};
  for (int id : forward) {
    PressKey(VK_TAB);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), id);
  }
  PressKey(VK_TAB, /*shift=*/true);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), kParseButton);
  PressKey(VK_TAB, /*shift=*/true);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), kListView);
}

TEST_F(KeyboardTest, TabSkipsDisabledControls) {
  SetFocus(Control(kDirEdit));
  EnableWindow(Control(kBrowseDirButton), FALSE);
  PressKey(VK_TAB);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), kDefaultDirButton);
}

TEST_F(KeyboardTest, EscWithModifiersDoesNotClose) {
  PressKey(VK_ESCAPE, /*shift=*/true);
  PressKey(VK_ESCAPE, false, false, /*alt=*/true);
  EXPECT_TRUE(IsWindow(c_.window));
}

TEST_F(KeyboardTest, EscClosesEvenWithTheFileListOpen) {
  SetFocus(c_.combo);
  SendMessageW(c_.combo, CB_SHOWDROPDOWN, TRUE, 0);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(c_.window); }, 2000));
}

TEST_F(KeyboardTest, EnterDoesNotPressAButtonButSpaceDoes) {
  MessageBoxWatcher boxes(c_.window);
  SetFocus(Control(kParseButton));  // with no file chosen, a press shows the "choose a file" box
  PressKey(VK_RETURN);
  PumpFor(300);
  EXPECT_TRUE(boxes.Seen().empty());
  EXPECT_EQ(GetFocus(), Control(kParseButton));
  PressKey(VK_SPACE);
  ASSERT_TRUE(PumpUntil([&] { return !boxes.Seen().empty(); }));
  EXPECT_EQ(boxes.Seen()[0].caption, L"Fail");
}

TEST_F(KeyboardTest, ActivationRestoresTheControlThatHadTheFocus) {
  SetFocus(c_.combo);
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                               nullptr, nullptr, nullptr, nullptr);
  SetActiveWindow(other);
  PumpFor(100);
  SetActiveWindow(c_.window);
  PumpFor(100);
  EXPECT_EQ(GetFocus(), c_.combo);
  DestroyWindow(other);
}

}  // namespace
}  // namespace ui_testing
