// MessageBox: a small modal dialog drawn with gdi.
#include <algorithm>
#include <mutex>

#include "platform/gdi/edge.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/win/internal.h"

namespace win {

namespace {

std::mutex g_hookMutex;
MessageBoxHook g_hook;

const char* const kBoxClass = "#MessageBox";
const char* const kButtonClass = "#MessageBoxButton";

struct BoxState {
  std::string Text;
  UINT Type = 0;
  std::vector<HWND> Buttons;
  int CancelId = 0;
  int Result = 0;
  bool Done = false;
  RECT TextRect;
  HFONT Font = nullptr;
};

struct ButtonState {
  std::string Label;
  bool Pressed = false;
  bool Default = false;
};

const char* Label(int id) {
  switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDABORT: return "&Abort";
    case IDRETRY: return "&Retry";
    case IDIGNORE: return "&Ignore";
    case IDYES: return "&Yes";
    case IDNO: return "&No";
    case IDTRYAGAIN: return "&Try Again";
    case IDCONTINUE: return "&Continue";
    default: return "";
  }
}

std::vector<int> ButtonsFor(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE: return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default: return {IDOK};
  }
}

BoxState* StateOf(HWND box) { return reinterpret_cast<BoxState*>(GetWindowLongPtr(box, GWLP_USERDATA)); }

void Finish(HWND box, int result) {
  if (BoxState* s = StateOf(box)) {
    s->Result = result;
    s->Done = true;
  }
}

LRESULT ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* st = reinterpret_cast<ButtonState*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT r;
      GetClientRect(hwnd, &r);
      const bool focused = GetFocus() == hwnd;
      if (st && (st->Default || focused)) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        r.Inflate(-1, -1);
      }
      DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (st && st->Pressed ? DFCS_PUSHED : 0));
      if (st) {
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(GetParent(hwnd), WM_GETFONT, 0, 0)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        RECT t = r;
        if (st->Pressed) t.Offset(1, 1);
        DrawText(dc, st->Label, -1, &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, old);
      }
      if (focused) {
        RECT f = r;
        f.Inflate(-4, -4);
        DrawFocusRect(dc, &f);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(hwnd);
      SetCapture(hwnd);
      if (st) st->Pressed = true;
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == hwnd) {
        ReleaseCapture();
        if (st) st->Pressed = false;
        InvalidateRect(hwnd, nullptr, FALSE);
        RECT r;
        GetClientRect(hwnd, &r);
        if (r.Contains(MAKEPOINT(lParam))) Finish(GetParent(hwnd), int(GetWindowLongPtr(hwnd, GWLP_ID)));
      }
      return 0;
    case WM_NCDESTROY:
      delete st;
      SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
      return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

LRESULT BoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  BoxState* s = StateOf(hwnd);
  switch (msg) {
    case WM_GETFONT: return s ? reinterpret_cast<LRESULT>(s->Font) : 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (s) {
        RECT r = s->TextRect;
        if (s->Type & MB_ICONMASK) {
          const UINT icon = s->Type & MB_ICONMASK;
          const COLORREF c = icon == MB_ICONHAND ? RGB(200, 0, 0) : icon == MB_ICONEXCLAMATION ? RGB(230, 180, 0)
                                                                                                : RGB(0, 80, 200);
          HBRUSH b = CreateSolidBrush(c);
          HGDIOBJ oldB = SelectObject(dc, b);
          HGDIOBJ oldP = SelectObject(dc, GetStockObject(NULL_PEN));
          Ellipse(dc, 12, 12, 44, 44);
          SelectObject(dc, oldP);
          SelectObject(dc, oldB);
          DeleteObject(b);
          RECT ir{12, 12, 44, 44};
          SetBkMode(dc, TRANSPARENT);
          SetTextColor(dc, RGB(255, 255, 255));
          const char* glyph = icon == MB_ICONHAND ? "x" : icon == MB_ICONQUESTION ? "?" : icon == MB_ICONEXCLAMATION ? "!" : "i";
          DrawText(dc, glyph, -1, &ir, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        HGDIOBJ old = SelectObject(dc, s->Font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        DrawText(dc, s->Text, -1, &r, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        SelectObject(dc, old);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_CLOSE:
      if (s) Finish(hwnd, s->CancelId ? s->CancelId : (s->Buttons.size() == 1 ? IDOK : 0));
      return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

void RegisterClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    WNDCLASSEX wc;
    wc.lpfnWndProc = BoxProc;
    wc.lpszClassName = kBoxClass;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(uintptr_t(COLOR_3DFACE + 1));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassEx(&wc);
    wc.lpfnWndProc = ButtonProc;
    wc.lpszClassName = kButtonClass;
    wc.style = CS_DBLCLKS;
    wc.hbrBackground = nullptr;
    RegisterClassEx(&wc);
  });
}

// Keyboard of the dialog, handled before dispatch as a dialog manager would.
bool DialogKey(HWND box, BoxState& s, const MSG& m) {
  if (m.message != WM_KEYDOWN && m.message != WM_CHAR) return false;
  if (m.hwnd != box && !IsChild(box, m.hwnd)) return false;
  if (m.message == WM_CHAR) return m.wParam == '\r' || m.wParam == 27 || m.wParam == '\t';
  HWND focus = GetFocus();
  auto it = std::find(s.Buttons.begin(), s.Buttons.end(), focus);
  switch (m.wParam) {
    case VK_RETURN:
    case VK_SPACE: {
      HWND b = it != s.Buttons.end() ? *it : s.Buttons.front();
      Finish(box, int(GetWindowLongPtr(b, GWLP_ID)));
      return true;
    }
    case VK_ESCAPE:
      if (s.CancelId) Finish(box, s.CancelId);
      else if (s.Buttons.size() == 1) Finish(box, IDOK);
      return true;
    case VK_TAB:
    case VK_RIGHT:
    case VK_LEFT: {
      const bool back = m.wParam == VK_LEFT || (m.wParam == VK_TAB && GetKeyState(VK_SHIFT) < 0);
      size_t i = it == s.Buttons.end() ? 0 : size_t(it - s.Buttons.begin());
      i = back ? (i + s.Buttons.size() - 1) % s.Buttons.size() : (i + 1) % s.Buttons.size();
      SetFocus(s.Buttons[i]);
      return true;
    }
    default: return false;
  }
}

}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) {
  std::lock_guard lk(g_hookMutex);
  g_hook = std::move(hook);
}

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  {
    MessageBoxHook hook;
    {
      std::lock_guard lk(g_hookMutex);
      hook = g_hook;
    }
    if (hook) return hook(owner, text ? text : "", caption ? caption : "Error", type);
  }
  if (owner && !IsWindow(owner)) owner = nullptr;
  RegisterClasses();
  BoxState s;
  s.Text = text ? text : "";
  s.Type = type;
  const std::vector<int> ids = ButtonsFor(type);
  for (int id : ids)
    if (id == IDCANCEL) s.CancelId = IDCANCEL;
  NONCLIENTMETRICS ncm;
  SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
  s.Font = CreateFontIndirect(&ncm.lfMessageFont);

  // Measure the text, then lay out: icon, text, a row of buttons.
  const bool icon = (type & MB_ICONMASK) != 0;
  RECT tr{0, 0, 420, 0};
  {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, s.Font);
    DrawText(dc, s.Text, -1, &tr, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
  }
  const int margin = 12, bw = 75, bh = 23, gap = 6;
  const int textLeft = margin + (icon ? 44 : 0);
  s.TextRect = {textLeft, margin + (icon && tr.Height() < 32 ? (32 - tr.Height()) / 2 : 0),
                textLeft + tr.Width(), 0};
  s.TextRect.Bottom = s.TextRect.Top + tr.Height();
  const int buttonsWidth = int(ids.size()) * bw + int(ids.size() - 1) * gap;
  const int clientW = std::max(textLeft + tr.Width() + margin, buttonsWidth + 2 * margin);
  const int bodyH = std::max(s.TextRect.Bottom, icon ? margin + 32 : 0);
  const int clientH = bodyH + margin + bh + margin;
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD ex = WS_EX_DLGMODALFRAME | ((type & (MB_TOPMOST | MB_SYSTEMMODAL)) ? WS_EX_TOPMOST : 0);
  RECT wr{0, 0, clientW, clientH};
  AdjustWindowRectEx(&wr, style, FALSE, ex);
  RECT around;
  HWND root = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
  if (!root || !GetWindowRect(root, &around)) SystemParametersInfo(SPI_GETWORKAREA, 0, &around, 0);
  const int x = around.Left + (around.Width() - wr.Width()) / 2, y = around.Top + (around.Height() - wr.Height()) / 2;
  HWND box = CreateWindowEx(ex, kBoxClass, caption ? caption : "Error", style, x, y, wr.Width(), wr.Height(), root,
                            nullptr, nullptr, nullptr);
  if (!box) {
    DeleteObject(s.Font);
    return 0;
  }
  SetWindowLongPtr(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&s));
  const int defIndex = std::min(int((type & MB_DEFMASK) >> 8), int(ids.size()) - 1);
  int bx = (clientW - buttonsWidth) / 2;
  for (size_t i = 0; i < ids.size(); ++i) {
    HWND b = CreateWindowEx(0, kButtonClass, Label(ids[i]), WS_CHILD | WS_VISIBLE | WS_TABSTOP, bx,
                            bodyH + margin, bw, bh, box, reinterpret_cast<HMENU>(uintptr_t(ids[i])), nullptr, nullptr);
    auto* bs = new ButtonState;
    bs->Label = Label(ids[i]);
    bs->Default = int(i) == defIndex;
    SetWindowLongPtr(b, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bs));
    s.Buttons.push_back(b);
    bx += bw + gap;
  }

  const bool disableOwner = root && IsWindowEnabled(root);
  if (disableOwner) EnableWindow(root, FALSE);
  ShowWindow(box, SW_SHOW);
  SetFocus(s.Buttons[size_t(defIndex)]);
  MSG m;
  while (!s.Done && IsWindow(box)) {
    if (!GetModalMessage(&m)) {
      s.Result = s.CancelId ? s.CancelId : ids.front();
      break;
    }
    if (DialogKey(box, s, m)) continue;
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  if (disableOwner) EnableWindow(root, TRUE);
  if (IsWindow(box)) {
    SetWindowLongPtr(box, GWLP_USERDATA, 0);
    DestroyWindow(box);
  }
  if (root && IsWindow(root)) SetActiveWindow(root);
  DeleteObject(s.Font);
  return s.Result;
}

}  // namespace win
