#include "HotKeys.h"

#include "BackgroundTask.h"
#include "Commands.h"
#include "Texts.h"

namespace ui {
namespace {

// While F7 stays down with no file chosen, each tick would open one more box above the last.
// Two nested boxes still show a second tap; more would only pile up.
constexpr int kMaxNestedPollBoxes = 2;
int g_openPollBoxes = 0;  // UI thread only

}  // namespace

void PollHotKeys(const Controls& c) {
  // The whole value counts: held down (0x8000) or pressed since the last read (0x0001).
  if (GetAsyncKeyState(VK_F5) != 0) {
    StartBackgroundTask([c] { RefreshLogList(c); });
    return;  // F7 is left unread until a tick at which F5 reads zero
  }
  if (GetAsyncKeyState(VK_F7) == 0) return;
  if (!GetComboText(c).empty()) {
    StartBackgroundTask([c] { ParseSelectedLog(c); });
    return;
  }
  if (g_openPollBoxes >= kMaxNestedPollBoxes) return;
  ++g_openPollBoxes;
  ShowInfoMessage(text::kNoLogFileMessage, text::kFailCaption);
  --g_openPollBoxes;
}

}  // namespace ui
