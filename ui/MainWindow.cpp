#include "MainWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "Commands.h"
#include "HotKeys.h"
#include "Keyboard.h"
#include "Layout.h"
#include "ListView.h"
#include "MainWindowState.h"
#include "Texts.h"
#include "TransparentLabel.h"
#include "logdata/Cp936.h"

namespace ui {
namespace {

using logdata::WideFromCp936;

constexpr wchar_t kMainWindowClass[] = L"KestruneMainWindow";
constexpr int kIconResourceId = 1;

HWND g_mainWindow = nullptr;  // the one main window of the process, while it exists

HMENU BuildMenuBar() {
  HMENU bar = CreateMenu();
  for (const MenuLayout& menu : kMenus) {
    HMENU popup = CreatePopupMenu();
    for (int i = 0; i < menu.itemCount; ++i) {
      AppendMenuW(popup, MF_STRING, menu.items[i].id, WideFromCp936(menu.items[i].text).c_str());
    }
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), WideFromCp936(menu.text).c_str());
  }
  return bar;
}

HFONT CreateLayoutFont(const FontLayout& layout) {
  LOGFONTW font{};
  font.lfHeight = layout.height;
  font.lfWeight = layout.weight;
  font.lfCharSet = GB2312_CHARSET;
  font.lfOutPrecision = OUT_STROKE_PRECIS;
  font.lfClipPrecision = CLIP_STROKE_PRECIS;
  font.lfQuality = DRAFT_QUALITY;
  font.lfPitchAndFamily = FF_MODERN | FIXED_PITCH;
  const std::wstring face = WideFromCp936(text::kFontFace);
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&font);
}

HFONT FontFor(const MainWindowState& state, FontId id) {
  HFONT font = state.fonts[static_cast<size_t>(id)];
  return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HWND CreateControl(HWND window, const ControlLayout& layout) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
  const auto menuId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id));
  const std::wstring text = WideFromCp936(layout.text);
  const DWORD common = WS_CHILD | WS_CLIPSIBLINGS | (layout.tabStop ? WS_TABSTOP : 0);
  const RECT rect{layout.left, layout.top, layout.left + layout.width, layout.top + layout.height};
  switch (layout.kind) {
    case ControlKind::kButton:
      return CreateWindowExW(0, WC_BUTTONW, text.c_str(),
                             common | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE,
                             layout.left, layout.top, layout.width, layout.height, window, menuId,
                             instance, nullptr);
    case ControlKind::kEdit:
      return CreateWindowExW(0, WC_EDITW, text.c_str(),
                             common | WS_BORDER | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY,
                             layout.left, layout.top, layout.width, layout.height, window, menuId,
                             instance, nullptr);
    case ControlKind::kComboBox:
      // A drop-down list is created with room for its list; its field keeps the layout height.
      return CreateWindowExW(0, WC_COMBOBOXW, text.c_str(),
                             common | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL, layout.left,
                             layout.top, layout.width, kComboCreatedHeight, window, menuId,
                             instance, nullptr);
    case ControlKind::kListView:
      return CreateLogListView(window, layout.id, rect);
    case ControlKind::kLabel:
      return CreateTransparentLabel(window, layout.id, rect, text.c_str(),
                                    layout.id == kFormatHintLabelId);
  }
  return nullptr;
}

// Settings that a control takes after it exists.
void FinishControl(HWND control, const ControlLayout& layout) {
  switch (layout.kind) {
    case ControlKind::kEdit:
      SendMessageW(control, EM_LIMITTEXT, 0, 0);
      SendMessageW(control, EM_SETSEL, 0, 0);
      break;
    case ControlKind::kComboBox: {
      const auto itemHeight = SendMessageW(control, CB_GETITEMHEIGHT, 0, 0);
      SendMessageW(control, CB_SETITEMHEIGHT, 0, itemHeight + 1);
      SendMessageW(control, CB_LIMITTEXT, 0, 0);
      SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
      break;
    }
    default:
      break;
  }
}

void CreateControls(HWND window, MainWindowState& state) {
  HWND above = HWND_TOP;
  for (const ControlLayout& layout : kControls) {
    HWND control = CreateControl(window, layout);
    if (!control) continue;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(state, layout.font)), FALSE);
    FinishControl(control, layout);
    // Each control lies directly below the one created before it.
    SetWindowPos(control, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above = control;
  }
  state.controls.window = window;
  state.controls.dirEdit = GetDlgItem(window, kLogDirEditId);
  state.controls.combo = GetDlgItem(window, kLogFileComboId);
  state.controls.listView = GetDlgItem(window, kLogListViewId);
}

// Width or height of a control, kept within what a window can be given.
int ClampExtent(int value) { return value < 0 ? 0 : (value > kMaxControlExtent ? kMaxControlExtent : value); }

void SetControlSize(HWND control, int width, int height) {
  SetWindowPos(control, nullptr, 0, 0, ClampExtent(width), ClampExtent(height),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnDestroy(HWND window) {
  MainWindowState& state = StateOf(window);
  KillTimer(window, kHotKeyTimerId);
  for (HFONT font : state.fonts) {
    if (font) DeleteObject(font);
  }
  g_mainWindow = nullptr;
  PostQuitMessage(0);
}

LRESULT OnCtlColor(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The directory box and the file list show black on white, read-only or not.
  const auto control = reinterpret_cast<HWND>(lParam);
  const Controls& c = StateOf(window).controls;
  if (control == c.dirEdit || control == c.combo || message == WM_CTLCOLORLISTBOX) {
    const auto dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETMINMAXINFO) {
    // The layout is fixed: the window keeps its size also on a screen smaller than it.
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMaxTrackSize.x = std::max<LONG>(info->ptMaxTrackSize.x, kWindowWidth);
    info->ptMaxTrackSize.y = std::max<LONG>(info->ptMaxTrackSize.y, kWindowHeight);
    return 0;
  }
  auto* state = reinterpret_cast<MainWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!state) return DefWindowProcW(window, message, wParam, lParam);
  const bool events = state->eventsEnabled;
  switch (message) {
    case WM_SIZE:
      if (events) FitListToWindow();
      return 0;
    case WM_COMMAND:
      if (events && lParam == 0) OnMenuCommand(state->controls, LOWORD(wParam));
      if (events && lParam != 0 && HIWORD(wParam) == BN_CLICKED) {
        OnButtonClicked(state->controls, LOWORD(wParam));
      }
      return 0;
    case WM_NOTIFY:
      return OnListViewNotify(*state, reinterpret_cast<NMHDR*>(lParam), events);
    case WM_TIMER:
      if (events && wParam == kHotKeyTimerId) PollHotKeys(state->controls);
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
      return OnCtlColor(window, message, wParam, lParam);
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) RememberFocus(window, state->lastFocus);
      return 0;
    case WM_SETFOCUS:
      RestoreFocus(window, state->lastFocus);
      return 0;
    case WM_SETFONT:
      state->windowFont = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(state->windowFont);
    case kRunOnUiThreadMessage:
      (*reinterpret_cast<const std::function<void()>*>(lParam))();
      return 0;
    case kAppendLinesMessage:
      OnParseLines(*state, static_cast<uint64_t>(wParam),
                   reinterpret_cast<std::vector<logdata::LineEnd>*>(lParam));
      return 0;
    case WM_DESTROY:
      OnDestroy(window);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      delete state;
      return DefWindowProcW(window, message, wParam, lParam);
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

bool RegisterMainWindowClass(HINSTANCE instance, HICON icon) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hIconSm = icon;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kMainWindowClass;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

MainWindowState& StateOf(HWND window) {
  return *reinterpret_cast<MainWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

Controls MainControls() {
  return g_mainWindow ? StateOf(g_mainWindow).controls : Controls{};
}

bool CreateMainWindow() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  INITCOMMONCONTROLSEX common{sizeof common, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);
  auto icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResourceId), IMAGE_ICON,
                                            0, 0, LR_DEFAULTSIZE | LR_SHARED));
  if (!RegisterMainWindowClass(instance, icon)) return false;

  // Until the state is attached every message goes to the default procedure: events raised
  // while the window is built reach no handler.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2;
  HMENU menuBar = BuildMenuBar();
  HWND window = CreateWindowExW(0, kMainWindowClass, WideFromCp936(text::kWindowCaption).c_str(),
                                kWindowStyle, left, top, kWindowWidth, kWindowHeight, nullptr,
                                menuBar, instance, nullptr);
  if (!window) {
    DestroyMenu(menuBar);
    return false;
  }
  RECT outer;
  GetWindowRect(window, &outer);
  if (outer.right - outer.left != kWindowWidth || outer.bottom - outer.top != kWindowHeight) {
    MoveWindow(window, left, top, kWindowWidth, kWindowHeight, FALSE);
  }
  auto* state = new MainWindowState;
  state->icon = icon;
  for (const FontLayout& font : kFonts) state->fonts[static_cast<size_t>(font.id)] = CreateLayoutFont(font);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  g_mainWindow = window;
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);

  SetTimer(window, kHotKeyTimerId, kHotKeyTimerPeriodMs, nullptr);
  CreateControls(window, *state);
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    ShowWindow(child, SW_SHOWNA);
  }

  state->eventsEnabled = true;
  // The created and moved events have no handler; the size-changed one fits the table.
  if (IsWindow(window)) FitListToWindow();
  if (!IsWindow(window)) return true;
  ShowWindow(window, SW_SHOW);
  return true;
}

void FitListToWindow() {
  if (!g_mainWindow) return;
  HWND list = StateOf(g_mainWindow).controls.listView;
  RECT outer, listRect;
  GetWindowRect(g_mainWindow, &outer);
  GetWindowRect(list, &listRect);
  SetControlSize(list, outer.right - outer.left - kListWidthMargin, listRect.bottom - listRect.top);
  GetWindowRect(g_mainWindow, &outer);
  GetWindowRect(list, &listRect);
  SetControlSize(list, listRect.right - listRect.left, outer.bottom - outer.top - kListHeightMargin);
}

}  // namespace ui
