#include "ui/lookandfeel/cxContainer.h"

#include "platform/classes/lists.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/forms.h"
#include "ui/lookandfeel/cxClasses.h"

namespace {

// The value names by number; container styles use the same numbers.
constexpr const char* kValueNames[] = {"BorderColor", "BorderStyle", "Color",     "Edges",    "Font",
                                       "HotTrack",    "Shadow",      "TextColor", "TextStyle", "TransparentBorder"};

TList* popupWindows = nullptr;
win::HHOOK callWndProcHook = nullptr;
win::HHOOK getMessageHook = nullptr;
win::HHOOK mouseHook = nullptr;
win::FARPROC getScrollBarInfo = nullptr;

TWinControl* PopupAt(int32_t index) { return static_cast<TWinControl*>(popupWindows->Items(index)); }
TWinControl* PopupOwner(TWinControl* popup) { return dynamic_cast<TWinControl*>(popup->Owner()); }

bool HasPopups() { return popupWindows && popupWindows->Count() > 0; }

void ClosePopup(TWinControl* popup) {
  popupWindows->Remove(popup);
  popup->Hide();
}

// Wnd is inside the window of control (its own or a descendant).
bool InsideWindowOf(TWinControl* control, win::HWND wnd) {
  if (!control || !control->HandleAllocated()) return false;
  win::HWND own = control->Handle();
  return wnd == own || win::IsChild(own, wnd);
}

// Wnd is the window of the popup's owner control or one of that window's parents.
bool IsOwnerWindowOf(TWinControl* popup, win::HWND wnd) {
  TWinControl* owner = PopupOwner(popup);
  if (!owner || !owner->HandleAllocated() || !wnd) return false;
  for (win::HWND w = owner->Handle(); w; w = win::GetParent(w))
    if (w == wnd) return true;
  return false;
}

bool IsButtonDown(win::WPARAM msg) {
  switch (msg) {
    case 0x201: case 0x203: case 0x204: case 0x206: case 0x207: case 0x209:  // client
    case 0xA1: case 0xA3: case 0xA4: case 0xA6: case 0xA7: case 0xA9:        // non-client
      return true;
    default:
      return false;
  }
}

win::LRESULT MouseHookProc(int code, win::WPARAM wParam, win::LPARAM lParam) {
  if (code >= 0 && HasPopups() && IsButtonDown(wParam)) {
    const auto* info = reinterpret_cast<const win::MOUSEHOOKSTRUCT*>(lParam);
    for (int32_t i = popupWindows->Count() - 1; i >= 0 && i < popupWindows->Count(); --i) {
      TWinControl* popup = PopupAt(i);
      if (!InsideWindowOf(popup, info->hwnd) && !InsideWindowOf(PopupOwner(popup), info->hwnd)) ClosePopup(popup);
    }
  }
  return win::CallNextHookEx(mouseHook, code, wParam, lParam);
}

win::LRESULT GetMessageHookProc(int code, win::WPARAM wParam, win::LPARAM lParam) {
  if (code >= 0 && HasPopups()) {
    auto* msg = reinterpret_cast<win::MSG*>(lParam);
    if (msg->message == win::WM_SYSKEYDOWN) msg->message = win::WM_NULL;
  }
  return win::CallNextHookEx(getMessageHook, code, wParam, lParam);
}

bool ClosesPopupsOfOwner(const win::CWPSTRUCT& m) {
  switch (m.message) {
    case win::WM_DESTROY:
    case win::WM_CLOSE:
    case win::WM_WINDOWPOSCHANGED:
      return true;
    case win::WM_SHOWWINDOW:    // hidden
    case win::WM_ACTIVATEAPP:   // deactivated
    case win::WM_NCACTIVATE:    // deactivated
      return m.wParam == 0;
    default:
      return false;
  }
}

win::LRESULT CallWndProcHookProc(int code, win::WPARAM wParam, win::LPARAM lParam) {
  if (code >= 0 && HasPopups()) {
    const auto* m = reinterpret_cast<const win::CWPSTRUCT*>(lParam);
    if (ClosesPopupsOfOwner(*m))
      for (int32_t i = popupWindows->Count() - 1; i >= 0 && i < popupWindows->Count(); --i)
        if (m->message == win::WM_ACTIVATEAPP || IsOwnerWindowOf(PopupAt(i), m->hwnd)) ClosePopup(PopupAt(i));
  }
  return win::CallNextHookEx(callWndProcHook, code, wParam, lParam);
}

}  // namespace

bool ContainerPopupActive = false;

// ---- window and form helpers

bool IsFormActive(TCustomForm* AForm) {
  if (!AForm || !AForm->HandleAllocated()) return false;
  const win::HWND active = win::GetActiveWindow();
  if (AForm->Handle() == active) return true;
  // This platform has no MDI client: an MDI child is active only as its own window.
  if (AForm->FormStyle() == fsMDIChild) return false;
  return GetTopLevelWindow(AForm->Handle()) == active;
}

win::HWND GetTopLevelWindow(win::HWND AWnd) {
  for (win::HWND w = AWnd; w; w = win::GetParent(w))
    if (!win::IsWindow(w)) return nullptr;
    else if ((win::GetWindowLong(w, win::GWL_STYLE) & win::WS_CHILD) == 0) return w;
  return nullptr;
}

bool RemovePendingMessages(win::HWND AWnd, win::UINT AMinMsg, win::UINT AMaxMsg, bool AAll) {
  bool removed = false;
  win::MSG msg{};
  // A stale window makes PeekMessage answer -1: nothing is taken then.
  while (win::PeekMessage(&msg, AWnd, AMinMsg, AMaxMsg, win::PM_REMOVE) > 0) {
    if (msg.message == win::WM_QUIT) {
      win::PostQuitMessage(int(msg.wParam));
      break;
    }
    removed = true;
    if (!AAll) break;
  }
  return removed;
}

void DisableWindowIntoList(TList* AList, win::HWND AWnd) {
  if (!AList || !win::IsWindowEnabled(AWnd)) return;
  AList->Add(AWnd);
  win::EnableWindow(AWnd, win::FALSE);
}

void EnableWindowsFromList(TList* AList) {
  if (!AList) return;
  for (int32_t i = 0; i < AList->Count(); ++i) {
    auto wnd = static_cast<win::HWND>(AList->Items(i));
    if (win::IsWindow(wnd)) win::EnableWindow(wnd, win::TRUE);
  }
}

TShiftState GetShiftState() { return KeyboardStateToShiftState(); }

bool IsControlWindowVisible(TWinControl* AControl) {
  return AControl && AControl->HandleAllocated() && win::IsWindowVisible(AControl->Handle());
}

bool IsWindowOf(TWinControl* AControl, win::HWND AWnd, bool ADeep) {
  if (!AControl || !AControl->HandleAllocated() || !AWnd) return false;
  if (AWnd == AControl->Handle()) return true;
  if (!ADeep) return false;
  if (win::IsChild(AControl->Handle(), AWnd)) return true;
  for (int32_t i = 0; i < AControl->ControlCount(); ++i)
    if (auto* child = dynamic_cast<TWinControl*>(AControl->Controls(i)); child && IsWindowOf(child, AWnd, true))
      return true;
  if (popupWindows)
    for (int32_t i = 0; i < popupWindows->Count(); ++i)
      if (PopupOwner(PopupAt(i)) == AControl && IsWindowOf(PopupAt(i), AWnd, true)) return true;
  return false;
}

int32_t FindValueIndex(const std::string& AName) {
  const std::string name = AnsiUpperCase(AName);
  for (int32_t i = 0; i < int32_t(std::size(kValueNames)); ++i)
    if (AnsiUpperCase(kValueNames[i]) == name) return i;
  return -1;
}

// ---- popup windows

TList* cxPopupWindowList() { return popupWindows; }

bool cxGetScrollBarInfoExists() { return getScrollBarInfo != nullptr; }

void cxContainerUnitStart() {
  if (win::HMODULE user32 = win::GetModuleHandle("User32")) getScrollBarInfo = win::GetProcAddress(user32, "GetScrollBarInfo");
  popupWindows = new TList;
  SetThreadHook(callWndProcHook, win::WH_CALLWNDPROC, &CallWndProcHookProc);
  SetThreadHook(getMessageHook, win::WH_GETMESSAGE, &GetMessageHookProc);
  SetThreadHook(mouseHook, win::WH_MOUSE, &MouseHookProc);
}

void cxContainerUnitStop() {
  ReleaseThreadHook(mouseHook);
  ReleaseThreadHook(getMessageHook);
  ReleaseThreadHook(callWndProcHook);
  delete popupWindows;
  popupWindows = nullptr;
}
