// Free routines on window handles, monitors, the mouse, the keyboard and popup menus.
#include <cstdlib>

#include "platform/rtl/chartype.h"
#include "platform/vcl/menus.h"
#include "ui/lookandfeel/cxControls.h"
#include "ui/lookandfeel/cxControlsInternal.h"

namespace {

TObject* currentDragObject = nullptr;

}  // namespace

// ---------------------------------------------------------------- windows and controls

bool CanAllocateHandle(TWinControl* Control) {
  if (Control->HandleAllocated()) return true;
  if (Control->ComponentState().Contains(csDestroying)) return false;
  if (Control->ParentWindow()) return true;
  if (Control->Parent() && CanAllocateHandle(Control->Parent())) return true;
  // The application's window is made when asked for.
  return dynamic_cast<TCustomForm*>(Control) && Application && Application->Handle();
}

bool IsChildStyleWindow(win::HWND Wnd) { return (win::GetWindowLong(Wnd, win::GWL_STYLE) & win::WS_CHILD) != 0; }

bool IsChildOrSameWindow(win::HWND Parent, win::HWND Wnd) {
  return Parent && (Parent == Wnd || win::IsChild(Parent, Wnd));
}

bool IsAncestorWindow(win::HWND Owner, win::HWND Wnd) {
  if (!Owner) return false;
  for (win::HWND w = win::GetParent(Wnd); w; w = win::GetParent(w))
    if (w == Owner) return true;
  return false;
}

bool IsWindowEnabledWithParents(win::HWND Handle) {
  if (!win::IsWindowEnabled(Handle)) return false;
  if (!IsChildStyleWindow(Handle)) return true;
  return IsWindowEnabledWithParents(win::GetParent(Handle));
}

namespace {

bool HasFormStyle(TComponent* Component, TFormStyle Style) {
  auto* form = dynamic_cast<TCustomForm*>(Component);
  return form && !form->ComponentState().Contains(csDesigning) && form->FormStyle() == Style;
}

}  // namespace

bool IsMDIChildForm(TComponent* Component) { return HasFormStyle(Component, fsMDIChild); }

bool IsMDIForm(TControl* Control) { return HasFormStyle(Control, fsMDIForm); }

void ConvertClientPoint(win::HWND From, win::HWND To, TPoint& P) { win::MapWindowPoints(From, To, &P, 1); }

void ConvertClientRect(win::HWND From, win::HWND To, TRect& R) {
  TPoint corners[2] = {R.TopLeft(), R.BottomRight()};
  win::MapWindowPoints(From, To, &corners[0], 1);
  win::MapWindowPoints(From, To, &corners[1], 1);
  R = TRect(corners[0], corners[1]);
}

TRect GetClientRectOrEmpty(win::HWND Wnd) {
  TRect r;
  if (!win::GetClientRect(Wnd, &r)) return {};
  return r;
}

TRect GetWindowRectOrEmpty(win::HWND Wnd) {
  TRect r;
  if (!win::GetWindowRect(Wnd, &r)) return {};
  return r;
}

TRect GetControlWindowRect(TWinControl* Control) {
  return Control && Control->HandleAllocated() ? GetWindowRectOrEmpty(Control->Handle()) : TRect{};
}

win::HWND GetDeepestWindowFromPoint(TPoint P) {
  win::HWND window = win::WindowFromPoint(P);
  if (!window) return nullptr;
  win::ScreenToClient(window, &P);
  for (;;) {
    const win::HWND child = win::ChildWindowFromPointEx(window, P, win::CWP_SKIPINVISIBLE);
    if (!child || child == window) return window;
    win::MapWindowPoints(window, child, &P, 1);
    window = child;
  }
}

std::string GetFullComponentName(TComponent* Component) {
  if (!Component) return {};
  if (!Component->Owner()) return Component->Name();
  return GetFullComponentName(Component->Owner()) + "." + Component->Name();
}

void NotifyDesignerModified(TControl* Control) {
  // Every control, the library's own among them, says it is designed through csDesigning.
  if (!Control || !Control->ComponentState().Contains(csDesigning)) return;
  if (auto* designer = dynamic_cast<IcxFormDesigner*>(GetParentForm(Control))) designer->DesignerModified();
}

// ---------------------------------------------------------------- monitors

namespace {

// Looked up on every use: a platform without them falls back to the
// system's single work area.
template <class F>
F User32Entry(const char* name) {
  const win::HMODULE user32 = cxUser32Module();
  return user32 ? reinterpret_cast<F>(win::GetProcAddress(user32, name)) : nullptr;
}

}  // namespace

TRect MonitorWorkAreaAt(TPoint P) {
  using MonitorFromPointProc = win::HMONITOR (*)(win::POINT, win::DWORD);
  const auto monitorFromPoint = User32Entry<MonitorFromPointProc>("MonitorFromPoint");
  return GetWorkAreaOfMonitor(monitorFromPoint ? monitorFromPoint(P, win::MONITOR_DEFAULTTONEAREST) : nullptr);
}

TRect GetWorkAreaOfMonitor(win::HMONITOR Monitor) {
  using GetMonitorInfoProc = win::BOOL (*)(win::HMONITOR, win::MONITORINFO*);
  const auto getMonitorInfo = User32Entry<GetMonitorInfoProc>("GetMonitorInfoW");
  win::MONITORINFO info;
  info.cbSize = 40;
  if (Monitor && getMonitorInfo && getMonitorInfo(Monitor, &info)) return info.rcWork;
  TRect r;
  win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

// ---------------------------------------------------------------- mouse and keyboard

TPoint SafeCursorPos() {
  TPoint p;
  if (!win::GetCursorPos(&p)) return {-1, -1};
  return p;
}

bool IsWithinDragThreshold(TPoint MouseDownPos, int32_t X, int32_t Y) {
  const int32_t threshold = Mouse->DragThreshold();
  return std::abs(X - MouseDownPos.X) < threshold && std::abs(Y - MouseDownPos.Y) < threshold;
}

int32_t DetectDragOrClick(win::HWND Wnd) {
  int32_t result = cxDragDetectCancel;
  const int32_t threshold = Mouse->DragThreshold();
  const TPoint start = SafeCursorPos();
  const TRect square(start.X - threshold, start.Y - threshold, start.X + threshold, start.Y + threshold);
  win::SetCapture(Wnd);
  while (win::GetCapture() == Wnd) {
    win::MSG msg;
    if (!win::GetModalMessage(&msg)) break;  // WM_QUIT is posted again for the outer loop
    bool done = false;
    switch (msg.message) {
      case win::WM_KEYDOWN:
      case win::WM_KEYUP:
        done = msg.wParam == win::VK_ESCAPE;
        break;
      case win::WM_MOUSEMOVE:
        if (msg.hwnd == Wnd) {
          TPoint p{win::GET_X_LPARAM(msg.lParam), win::GET_Y_LPARAM(msg.lParam)};
          win::ClientToScreen(Wnd, &p);
          if (!square.Contains(p)) {
            result = cxDragDetectDrag;
            done = true;
          }
        }
        break;
      case win::WM_LBUTTONUP:
      case win::WM_RBUTTONUP:
      case win::WM_MBUTTONUP:
        result = cxDragDetectClick;
        done = true;
        break;
      default:
        break;
    }
    win::TranslateMessage(&msg);
    win::DispatchMessage(&msg);
    if (done) break;
  }
  if (win::GetCapture() == Wnd) win::ReleaseCapture();
  return result;
}

win::WPARAM ShiftStateToMouseKeys(TShiftState Shift) {
  win::WPARAM keys = 0;
  if (Shift.Contains(ssShift)) keys |= win::MK_SHIFT;
  if (Shift.Contains(ssCtrl)) keys |= win::MK_CONTROL;
  if (Shift.Contains(ssLeft)) keys |= win::MK_LBUTTON;
  if (Shift.Contains(ssRight)) keys |= win::MK_RBUTTON;
  if (Shift.Contains(ssMiddle)) keys |= win::MK_MBUTTON;
  return keys;
}

char16_t KeyCodeToChar(win::WORD Key) {
  win::BYTE keys[256] = {};
  win::GetKeyboardState(keys);
  char16_t buffer[2] = {};
  const int count = win::ToUnicode(Key, win::MapVirtualKeyW(Key, win::MAPVK_VK_TO_VSC), keys, buffer, 2, 0);
  return count == 1 ? buffer[0] : char16_t(0);
}

bool IsCtrlPressed() { return (win::GetAsyncKeyState(win::VK_CONTROL) & 0x8000) != 0; }

bool IsPrintableChar(char16_t Ch) { return (CpCharType1(Ch) & C1_CNTRL) == 0; }

std::string RemoveAccelChars(const std::string& S, bool ShowTrailingMark) {
  std::string result;
  result.reserve(S.size());
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] != '&') {
      result += S[i];
    } else if (i + 1 < S.size()) {
      result += S[++i];  // the marked character, or the second & of a pair
    } else if (ShowTrailingMark) {
      result += '_';
    }
  }
  return result;
}

// ---------------------------------------------------------------- popup menus

bool IsPopupMenuShortCut(TComponent* Menu, TWMKey& Message) {
  if (auto* external = dynamic_cast<IcxExternalPopupMenu*>(Menu)) return external->IsShortCut(Message);
  if (auto* popup = dynamic_cast<TPopupMenu*>(Menu)) return popup->IsShortCut(Message);
  return false;
}

bool ShowPopupMenuAt(TControl* Control, TComponent* Menu, int32_t X, int32_t Y) {
  if (auto* external = dynamic_cast<IcxExternalPopupMenu*>(Menu)) {
    external->Popup(X, Y);
    return true;
  }
  auto* popup = dynamic_cast<TPopupMenu*>(Menu);
  if (!popup || !popup->AutoPopup()) return false;
  popup->SetPopupComponent(Control);
  popup->Popup(X, Y);
  return true;
}

TObject* GetCurrentDragObject() { return currentDragObject; }

void SetCurrentDragObject(TObject* DragObject) { currentDragObject = DragObject; }
