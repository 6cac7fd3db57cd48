#include "TransparentLabel.h"

#include <string>

namespace ui {
namespace {

constexpr wchar_t kClassName[] = L"KestruneTransparentLabel";
constexpr int kFontSlot = 0;  // window extra bytes: the font given with WM_SETFONT

void Paint(HWND label) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(label, &paint);
  const int length = GetWindowTextLengthW(label);
  if (length > 0) {
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(label, text.data(), length + 1);
    auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(label, kFontSlot));
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT client;
    GetClientRect(label, &client);
    const bool centred = (GetWindowLongW(label, GWL_STYLE) & SS_CENTER) != 0;
    DrawTextW(dc, text.c_str(), length, &client,
              DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | (centred ? DT_CENTER : DT_LEFT));
    SelectObject(dc, old);
  }
  EndPaint(label, &paint);
}

LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint(label);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // nothing of its own: the parent's background stays visible
    case WM_SETFONT:
      SetWindowLongPtrW(label, kFontSlot, static_cast<LONG_PTR>(wParam));
      if (LOWORD(lParam)) InvalidateRect(label, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrW(label, kFontSlot);
    default:
      return DefWindowProcW(label, message, wParam, lParam);
  }
}

void RegisterLabelClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = LabelProc;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);  // fails harmlessly when already registered
}

}  // namespace

HWND CreateTransparentLabel(HWND parent, int id, const RECT& rect, const wchar_t* text, bool centred) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  RegisterLabelClass(instance);
  // The alignment is kept in a style bit of the static control family, read back when painting.
  const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (centred ? SS_CENTER : SS_LEFT);
  return CreateWindowExW(WS_EX_TRANSPARENT, kClassName, text, style, rect.left, rect.top,
                         rect.right - rect.left, rect.bottom - rect.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

}  // namespace ui
