// F5 and F7 through real key input, read by the window's 100 ms poll.
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "MessageBoxWatcher.h"
#include "ScratchDir.h"
#include "WindowFixture.h"
#include "ui/Controls.h"
#include "ui/Layout.h"

namespace ui_testing {
namespace {


// A directory of the test's own holding one log file of three lines.
class OneLogDir : public ScratchDir {
 public:
  OneLogDir() { Write(L"u_ex171127.log", "#Fields: date time\r\n2017-11-27 08:00:01\r\n2017-11-27 08:00:02\r\n"); }
  static constexpr size_t kRows = 3;
};

size_t ComboCount(HWND combo) { return static_cast<size_t>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); }

class HotKeysTest : public MainWindowTest {
 protected:
  // A tick of the hot-key timer, delivered by the test (after KillTimer) rather than by time.
  void Tick() { SendMessageW(c_.window, WM_TIMER, ui::kHotKeyTimerId, 0); }

  const DWORD uiThread_ = GetCurrentThreadId();
};

TEST_F(HotKeysTest, F5WithADirectoryStartsARefresh) {
  OneLogDir dir;
  SetDir(dir.Root());
  MessageBoxWatcher boxes(c_.window);
  PressKey(VK_F5);
  ASSERT_TRUE(PumpUntil([&] { return ComboCount(c_.combo) >= 1; }, 3000));
  PumpFor(200);
  EXPECT_EQ(ComboCount(c_.combo), 1u);  // one tap, one refresh
  EXPECT_EQ(WindowTextOf(c_.combo), dir.Root() + L"\\u_ex171127.log");
  EXPECT_TRUE(boxes.Seen().empty());
}

// The refresh is a task: its message comes from another thread and leaves the window usable.
TEST_F(HotKeysTest, F5WithNoDirectoryShowsTheRefreshMessageFromATask) {
  MessageBoxWatcher boxes(c_.window);
  PressKey(VK_F5);
  ASSERT_TRUE(PumpUntil([&] { return !boxes.Seen().empty() && boxes.OpenCount() == 0; }, 3000));
  PumpFor(200);
  const auto seen = boxes.Seen();
  ASSERT_EQ(seen.size(), 1u);
  ExpectFailBox(seen[0], kNoDirectoryText, BoxThread::kTask);
}

TEST_F(HotKeysTest, F7WithAFileStartsAParse) {
  OneLogDir dir;
  SetDir(dir.Root());
  SendMessageW(Control(ui::kRefreshButtonId), BM_CLICK, 0, 0);
  ASSERT_EQ(ComboCount(c_.combo), 1u);
  SetForegroundWindow(c_.window);
  MessageBoxWatcher boxes(c_.window);
  PressKey(VK_F7);
  ASSERT_TRUE(PumpUntil([&] { return ui::RowCount(c_) == OneLogDir::kRows; }, 3000));
  EXPECT_EQ(ui::CellText(c_, 2, 1), "08:00:02");
  EXPECT_TRUE(boxes.Seen().empty());
}

TEST_F(HotKeysTest, F7WithNoFileShowsTheParseMessageOnTheUiThread) {
  MessageBoxWatcher boxes(c_.window);
  PressKey(VK_F7);
  ASSERT_TRUE(PumpUntil([&] { return !boxes.Seen().empty() && boxes.OpenCount() == 0; }, 3000));
  PumpFor(200);
  const auto seen = boxes.Seen();
  ASSERT_EQ(seen.size(), 1u);
  ExpectFailBox(seen[0], kNoFileText, BoxThread::kUi);
  EXPECT_EQ(ui::RowCount(c_), 0u);
}

// Held down, F7 counts at every tick; each tick inside the open box would open one more above
// it. The boxes stay open longer than the key is held. The key is held as a keyboard holds it,
// repeating its key-down: Wine takes the key state from the X server whenever a new window gets
// the focus, and there a key pressed through SendInput is up.
TEST_F(HotKeysTest, HeldF7WithNoFileOpensAtMostTwoBoxes) {
  MessageBoxWatcher boxes(c_.window, /*closeAfterMs=*/1200);
  std::thread hold([] {
    for (int ms = 0; ms < 700; ms += 20) {
      SendKey(VK_F7, false);
      Sleep(20);
    }
    SendKey(VK_F7, true);
  });
  PumpFor(1000);  // mostly spent inside the boxes' modal loops
  hold.join();
  ASSERT_TRUE(PumpUntil([&] { return boxes.OpenCount() == 0; }, 5000));
  PumpFor(300);  // released: later ticks open nothing
  const auto seen = boxes.Seen();
  EXPECT_EQ(seen.size(), 2u);
  for (const SeenBox& box : seen) {
    EXPECT_EQ(box.text, kNoFileText);
    EXPECT_TRUE(box.mainWindowWasDisabled);
  }
}

// With both keys down at one tick only the refresh starts; F7 stays unread, so its press still
// counts at the next tick, at which F5 reads zero. Both keys with nothing set up show messages
// that tell the two actions apart: the refresh's from a task, the parse's on the UI thread.
TEST_F(HotKeysTest, F5AndF7TogetherStartOnlyTheRefreshAtThatTick) {
  KillTimer(c_.window, ui::kHotKeyTimerId);
  MessageBoxWatcher boxes(c_.window);
  SendKey(VK_F5, false);
  SendKey(VK_F7, false);
  PumpFor(50);
  Tick();
  ASSERT_TRUE(PumpUntil([&] { return !boxes.Seen().empty() && boxes.OpenCount() == 0; }, 3000));
  PumpFor(200);
  auto seen = boxes.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, kNoDirectoryText);
  EXPECT_NE(seen[0].threadId, uiThread_);

  SendKey(VK_F5, true);
  SendKey(VK_F7, true);
  PumpFor(50);
  Tick();  // returns when the parse's box has been closed
  PumpFor(200);
  seen = boxes.Seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].text, kNoFileText);
  EXPECT_EQ(seen[1].threadId, uiThread_);
}

}  // namespace
}  // namespace ui_testing
