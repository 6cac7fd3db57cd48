#include <cstring>

#include "Commands.h"
#include "logdata/Cp936.h"

namespace ui {
namespace {

// Hands a copy of `bytes` to the open clipboard; false (and nothing kept) if it did not take it.
bool PutOnClipboard(UINT format, const void* bytes, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!block) return false;
  void* target = GlobalLock(block);
  if (!target) {
    GlobalFree(block);
    return false;
  }
  std::memcpy(target, bytes, size);
  GlobalUnlock(block);
  if (!SetClipboardData(format, block)) {
    GlobalFree(block);
    return false;
  }
  return true;
}

}  // namespace

bool CopyTextToClipboard(const Text& text) {
  // Opened for the main window: a clipboard emptied without an owner may refuse new data.
  if (!OpenClipboard(MainControls().window)) return false;
  EmptyClipboard();
  // The bytes as they are, and a UTF-16 copy so that pasting is right on every locale.
  const bool copied = PutOnClipboard(CF_TEXT, text.c_str(), text.size() + 1);
  if (copied) {
    const std::wstring wide = logdata::WideFromCp936(text);
    PutOnClipboard(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  }
  CloseClipboard();
  return copied;
}

}  // namespace ui
