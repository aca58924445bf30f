// The window system: window handles in a tree, window procedures, messages
// and per-thread message queues, painting, input, timers, thread hooks,
// cursors, carets, monitors, system parameters, the clipboard, message boxes
// and the module table. Shaped after user32 because the code above speaks in
// those terms; behaviour is kept to what that code relies on.
//
// Vocabulary used throughout this folder:
// - window handle: an opaque value looked up in a handle table on every call.
//   A destroyed window's handle is never reused and never dereferenced: calls
//   with it fail with the call's failure value.
// - top-level window: a window without WS_CHILD (overlapped or popup). Each
//   one owns a 32-bit surface covering its window rectangle; every descendant
//   draws into that surface. The display backend (backend.h) presents it.
// - screen coordinates; window coordinates (origin at the window rectangle's
//   top-left); client coordinates (origin at the client area's top-left).
// - owning thread: the thread that created a window. Its queue receives the
//   window's posted and input messages; messages sent from other threads are
//   handed to it and processed while it waits in GetMessage, PeekMessage or
//   SendMessage.
// Text is UTF-8; a message that carries text carries UTF-8 bytes.
// Rectangles are half-open, as everywhere in this tree.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/classes/threads.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/icon.h"

namespace win {

// ---------------------------------------------------------------- handles and scalar types
struct HWND__;
struct HHOOK__;
struct HMONITOR__;
struct HMENU__;
struct HINSTANCE__;
using HWND = HWND__*;
using HHOOK = HHOOK__*;
using HMONITOR = HMONITOR__*;
using HMENU = HMENU__*;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;
using HANDLE = void*;
using HGLOBAL = HANDLE;

using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using LONG_PTR = intptr_t;
using ULONG_PTR = uintptr_t;
using UINT_PTR = uintptr_t;
using DWORD_PTR = uintptr_t;
using ATOM = uint16_t;
using SHORT = int16_t;
using LPCSTR = const char*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);
// A callback that carries its caller's context pointer first (an object, or a
// method thunk of the shell library); the other four arguments depend on the call.
using CONTEXTPROC = uintptr_t (*)(void* context, uintptr_t, uintptr_t, uintptr_t, uintptr_t);
using HOOKPROC = LRESULT (*)(int, WPARAM, LPARAM);
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);
using FARPROC = void*;  // cast to the entry point's real type before calling

constexpr WORD LOWORD(uintptr_t v) { return WORD(v & 0xFFFF); }
constexpr WORD HIWORD(uintptr_t v) { return WORD((v >> 16) & 0xFFFF); }
constexpr BYTE LOBYTE(uintptr_t v) { return BYTE(v & 0xFF); }
constexpr BYTE HIBYTE(uintptr_t v) { return BYTE((v >> 8) & 0xFF); }
constexpr DWORD MAKELONG(WORD lo, WORD hi) { return DWORD(lo) | (DWORD(hi) << 16); }
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return WPARAM(MAKELONG(lo, hi)); }
// Packs two signed 16-bit values the way the platform does: the high word is
// sign-extended into the upper bits, so a negative y gives a negative LPARAM.
constexpr LPARAM MAKELPARAM(int lo, int hi) { return LPARAM(int32_t(MAKELONG(WORD(lo), WORD(hi)))); }
constexpr LRESULT MAKELRESULT(int lo, int hi) { return LRESULT(int32_t(MAKELONG(WORD(lo), WORD(hi)))); }
constexpr int GET_X_LPARAM(LPARAM l) { return int(SHORT(LOWORD(uintptr_t(l)))); }
constexpr int GET_Y_LPARAM(LPARAM l) { return int(SHORT(HIWORD(uintptr_t(l)))); }
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM w) { return int(SHORT(HIWORD(w))); }
constexpr WORD GET_KEYSTATE_WPARAM(WPARAM w) { return LOWORD(w); }
constexpr POINT MAKEPOINT(LPARAM l) { return {GET_X_LPARAM(l), GET_Y_LPARAM(l)}; }

// An integer resource or atom in a name argument (values below 0x10000).
inline LPCSTR MAKEINTRESOURCE(uintptr_t id) { return reinterpret_cast<LPCSTR>(id & 0xFFFF); }
inline LPCSTR MAKEINTATOM(ATOM a) { return reinterpret_cast<LPCSTR>(uintptr_t(a)); }
inline bool IS_INTRESOURCE(LPCSTR p) { return (reinterpret_cast<uintptr_t>(p) >> 16) == 0; }

inline HWND const HWND_TOP = nullptr;
inline HWND const HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline HWND const HWND_TOPMOST = reinterpret_cast<HWND>(intptr_t(-1));
inline HWND const HWND_NOTOPMOST = reinterpret_cast<HWND>(intptr_t(-2));
inline HWND const HWND_MESSAGE = reinterpret_cast<HWND>(intptr_t(-3));
inline HWND const HWND_BROADCAST = reinterpret_cast<HWND>(uintptr_t(0xFFFF));

// ---------------------------------------------------------------- window styles
constexpr DWORD WS_OVERLAPPED = 0x00000000, WS_POPUP = 0x80000000, WS_CHILD = 0x40000000,
                WS_MINIMIZE = 0x20000000, WS_VISIBLE = 0x10000000, WS_DISABLED = 0x08000000,
                WS_CLIPSIBLINGS = 0x04000000, WS_CLIPCHILDREN = 0x02000000, WS_MAXIMIZE = 0x01000000,
                WS_CAPTION = 0x00C00000, WS_BORDER = 0x00800000, WS_DLGFRAME = 0x00400000,
                WS_VSCROLL = 0x00200000, WS_HSCROLL = 0x00100000, WS_SYSMENU = 0x00080000,
                WS_THICKFRAME = 0x00040000, WS_GROUP = 0x00020000, WS_TABSTOP = 0x00010000,
                WS_MINIMIZEBOX = 0x00020000, WS_MAXIMIZEBOX = 0x00010000, WS_ICONIC = WS_MINIMIZE,
                WS_SIZEBOX = WS_THICKFRAME, WS_CHILDWINDOW = WS_CHILD, WS_TILED = WS_OVERLAPPED,
                WS_OVERLAPPEDWINDOW = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                      WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                WS_POPUPWINDOW = WS_POPUP | WS_BORDER | WS_SYSMENU;

constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001, WS_EX_NOPARENTNOTIFY = 0x00000004, WS_EX_TOPMOST = 0x00000008,
                WS_EX_ACCEPTFILES = 0x00000010, WS_EX_TRANSPARENT = 0x00000020, WS_EX_MDICHILD = 0x00000040,
                WS_EX_TOOLWINDOW = 0x00000080, WS_EX_WINDOWEDGE = 0x00000100, WS_EX_CLIENTEDGE = 0x00000200,
                WS_EX_CONTEXTHELP = 0x00000400, WS_EX_RIGHT = 0x00001000, WS_EX_RTLREADING = 0x00002000,
                WS_EX_LEFTSCROLLBAR = 0x00004000, WS_EX_CONTROLPARENT = 0x00010000,
                WS_EX_STATICEDGE = 0x00020000, WS_EX_APPWINDOW = 0x00040000, WS_EX_LAYERED = 0x00080000,
                WS_EX_NOINHERITLAYOUT = 0x00100000, WS_EX_LAYOUTRTL = 0x00400000,
                WS_EX_COMPOSITED = 0x02000000, WS_EX_NOACTIVATE = 0x08000000,
                WS_EX_OVERLAPPEDWINDOW = WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE,
                WS_EX_PALETTEWINDOW = WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

// Class styles. CS_DBLCLKS decides whether a second click becomes a double
// click; CS_SAVEBITS, CS_DROPSHADOW, CS_OWNDC and the redraw styles are kept
// and reported but change nothing here (every window is repainted from its
// update region, and every GetDC hands out a fresh DC).
constexpr UINT CS_VREDRAW = 0x0001, CS_HREDRAW = 0x0002, CS_DBLCLKS = 0x0008, CS_OWNDC = 0x0020,
               CS_CLASSDC = 0x0040, CS_PARENTDC = 0x0080, CS_NOCLOSE = 0x0200, CS_SAVEBITS = 0x0800,
               CS_BYTEALIGNCLIENT = 0x1000, CS_BYTEALIGNWINDOW = 0x2000, CS_GLOBALCLASS = 0x4000,
               CS_DROPSHADOW = 0x00020000;

constexpr int CW_USEDEFAULT = int(0x80000000);

// ---------------------------------------------------------------- messages
constexpr UINT WM_NULL = 0x0000, WM_CREATE = 0x0001, WM_DESTROY = 0x0002, WM_MOVE = 0x0003, WM_SIZE = 0x0005,
               WM_ACTIVATE = 0x0006, WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008, WM_ENABLE = 0x000A,
               WM_SETREDRAW = 0x000B, WM_SETTEXT = 0x000C, WM_GETTEXT = 0x000D, WM_GETTEXTLENGTH = 0x000E,
               WM_PAINT = 0x000F, WM_CLOSE = 0x0010, WM_QUERYENDSESSION = 0x0011, WM_QUIT = 0x0012,
               WM_QUERYOPEN = 0x0013, WM_ERASEBKGND = 0x0014, WM_SYSCOLORCHANGE = 0x0015,
               WM_ENDSESSION = 0x0016, WM_SHOWWINDOW = 0x0018, WM_SETTINGCHANGE = 0x001A,
               WM_WININICHANGE = 0x001A, WM_ACTIVATEAPP = 0x001C, WM_FONTCHANGE = 0x001D,
               WM_TIMECHANGE = 0x001E, WM_CANCELMODE = 0x001F, WM_SETCURSOR = 0x0020,
               WM_MOUSEACTIVATE = 0x0021, WM_CHILDACTIVATE = 0x0022, WM_QUEUESYNC = 0x0023,
               WM_GETMINMAXINFO = 0x0024, WM_NEXTDLGCTL = 0x0028, WM_DRAWITEM = 0x002B,
               WM_MEASUREITEM = 0x002C, WM_DELETEITEM = 0x002D, WM_SETFONT = 0x0030, WM_GETFONT = 0x0031,
               WM_GETOBJECT = 0x003D, WM_WINDOWPOSCHANGING = 0x0046, WM_WINDOWPOSCHANGED = 0x0047,
               WM_COPYDATA = 0x004A, WM_CANCELJOURNAL = 0x004B, WM_NOTIFY = 0x004E,
               WM_INPUTLANGCHANGEREQUEST = 0x0050, WM_INPUTLANGCHANGE = 0x0051, WM_HELP = 0x0053,
               WM_CONTEXTMENU = 0x007B, WM_STYLECHANGING = 0x007C, WM_STYLECHANGED = 0x007D,
               WM_DISPLAYCHANGE = 0x007E, WM_GETICON = 0x007F, WM_SETICON = 0x0080, WM_NCCREATE = 0x0081,
               WM_NCDESTROY = 0x0082, WM_NCCALCSIZE = 0x0083, WM_NCHITTEST = 0x0084, WM_NCPAINT = 0x0085,
               WM_NCACTIVATE = 0x0086, WM_GETDLGCODE = 0x0087, WM_SYNCPAINT = 0x0088,
               WM_NCMOUSEMOVE = 0x00A0, WM_NCLBUTTONDOWN = 0x00A1, WM_NCLBUTTONUP = 0x00A2,
               WM_NCLBUTTONDBLCLK = 0x00A3, WM_NCRBUTTONDOWN = 0x00A4, WM_NCRBUTTONUP = 0x00A5,
               WM_NCRBUTTONDBLCLK = 0x00A6, WM_NCMBUTTONDOWN = 0x00A7, WM_NCMBUTTONUP = 0x00A8,
               WM_NCMBUTTONDBLCLK = 0x00A9, WM_NCXBUTTONDOWN = 0x00AB, WM_NCXBUTTONUP = 0x00AC,
               WM_NCXBUTTONDBLCLK = 0x00AD, WM_KEYFIRST = 0x0100, WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101,
               WM_CHAR = 0x0102, WM_DEADCHAR = 0x0103, WM_SYSKEYDOWN = 0x0104, WM_SYSKEYUP = 0x0105,
               WM_SYSCHAR = 0x0106, WM_SYSDEADCHAR = 0x0107, WM_UNICHAR = 0x0109, WM_KEYLAST = 0x0109,
               WM_INITDIALOG = 0x0110, WM_COMMAND = 0x0111, WM_SYSCOMMAND = 0x0112, WM_TIMER = 0x0113,
               WM_HSCROLL = 0x0114, WM_VSCROLL = 0x0115, WM_INITMENU = 0x0116, WM_INITMENUPOPUP = 0x0117,
               WM_MENUSELECT = 0x011F, WM_MENUCHAR = 0x0120, WM_ENTERIDLE = 0x0121,
               WM_CHANGEUISTATE = 0x0127, WM_UPDATEUISTATE = 0x0128, WM_QUERYUISTATE = 0x0129,
               WM_CTLCOLORMSGBOX = 0x0132, WM_CTLCOLOREDIT = 0x0133, WM_CTLCOLORLISTBOX = 0x0134,
               WM_CTLCOLORBTN = 0x0135, WM_CTLCOLORDLG = 0x0136, WM_CTLCOLORSCROLLBAR = 0x0137,
               WM_CTLCOLORSTATIC = 0x0138, WM_MOUSEFIRST = 0x0200, WM_MOUSEMOVE = 0x0200,
               WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202, WM_LBUTTONDBLCLK = 0x0203,
               WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205, WM_RBUTTONDBLCLK = 0x0206,
               WM_MBUTTONDOWN = 0x0207, WM_MBUTTONUP = 0x0208, WM_MBUTTONDBLCLK = 0x0209,
               WM_MOUSEWHEEL = 0x020A, WM_XBUTTONDOWN = 0x020B, WM_XBUTTONUP = 0x020C,
               WM_XBUTTONDBLCLK = 0x020D, WM_MOUSEHWHEEL = 0x020E, WM_MOUSELAST = 0x020E,
               WM_PARENTNOTIFY = 0x0210, WM_ENTERMENULOOP = 0x0211, WM_EXITMENULOOP = 0x0212,
               WM_SIZING = 0x0214, WM_CAPTURECHANGED = 0x0215, WM_MOVING = 0x0216,
               WM_MDICREATE = 0x0220, WM_MDIDESTROY = 0x0221, WM_MDIACTIVATE = 0x0222,
               WM_MDIRESTORE = 0x0223, WM_MDINEXT = 0x0224, WM_MDIMAXIMIZE = 0x0225,
               WM_MDIGETACTIVE = 0x0229, WM_ENTERSIZEMOVE = 0x0231, WM_EXITSIZEMOVE = 0x0232,
               WM_NCMOUSEHOVER = 0x02A0, WM_MOUSEHOVER = 0x02A1, WM_NCMOUSELEAVE = 0x02A2,
               WM_MOUSELEAVE = 0x02A3, WM_CUT = 0x0300, WM_COPY = 0x0301, WM_PASTE = 0x0302,
               WM_CLEAR = 0x0303, WM_UNDO = 0x0304, WM_RENDERFORMAT = 0x0305, WM_RENDERALLFORMATS = 0x0306,
               WM_DESTROYCLIPBOARD = 0x0307, WM_QUERYNEWPALETTE = 0x030F, WM_PALETTECHANGED = 0x0311,
               WM_HOTKEY = 0x0312, WM_PRINT = 0x0317, WM_PRINTCLIENT = 0x0318, WM_APPCOMMAND = 0x0319,
               WM_THEMECHANGED = 0x031A, WM_CLIPBOARDUPDATE = 0x031D, WM_DWMCOMPOSITIONCHANGED = 0x031E,
               WM_USER = 0x0400, WM_APP = 0x8000;

// WM_SIZE.
constexpr WPARAM SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2;
// WM_ACTIVATE, WM_MOUSEACTIVATE.
constexpr WORD WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2;
constexpr LRESULT MA_ACTIVATE = 1, MA_ACTIVATEANDEAT = 2, MA_NOACTIVATE = 3, MA_NOACTIVATEANDEAT = 4;
// WM_NCHITTEST.
constexpr LRESULT HTERROR = -2, HTTRANSPARENT = -1, HTNOWHERE = 0, HTCLIENT = 1, HTCAPTION = 2, HTSYSMENU = 3,
                  HTGROWBOX = 4, HTSIZE = 4, HTMENU = 5, HTHSCROLL = 6, HTVSCROLL = 7, HTMINBUTTON = 8,
                  HTREDUCE = 8, HTMAXBUTTON = 9, HTZOOM = 9, HTLEFT = 10, HTRIGHT = 11, HTTOP = 12,
                  HTTOPLEFT = 13, HTTOPRIGHT = 14, HTBOTTOM = 15, HTBOTTOMLEFT = 16, HTBOTTOMRIGHT = 17,
                  HTBORDER = 18, HTOBJECT = 19, HTCLOSE = 20, HTHELP = 21;
// WM_SYSCOMMAND (the low four bits are the platform's own and are masked off).
constexpr WPARAM SC_SIZE = 0xF000, SC_MOVE = 0xF010, SC_MINIMIZE = 0xF020, SC_MAXIMIZE = 0xF030,
                 SC_NEXTWINDOW = 0xF040, SC_PREVWINDOW = 0xF050, SC_CLOSE = 0xF060, SC_VSCROLL = 0xF070,
                 SC_HSCROLL = 0xF080, SC_MOUSEMENU = 0xF090, SC_KEYMENU = 0xF100, SC_RESTORE = 0xF120,
                 SC_TASKLIST = 0xF130, SC_DEFAULT = 0xF160, SC_CONTEXTHELP = 0xF180;
// WM_SIZING edges.
constexpr WPARAM WMSZ_LEFT = 1, WMSZ_RIGHT = 2, WMSZ_TOP = 3, WMSZ_TOPLEFT = 4, WMSZ_TOPRIGHT = 5,
                 WMSZ_BOTTOM = 6, WMSZ_BOTTOMLEFT = 7, WMSZ_BOTTOMRIGHT = 8;
// WM_GETDLGCODE.
constexpr LRESULT DLGC_WANTARROWS = 0x0001, DLGC_WANTTAB = 0x0002, DLGC_WANTALLKEYS = 0x0004,
                  DLGC_WANTMESSAGE = 0x0004, DLGC_HASSETSEL = 0x0008, DLGC_DEFPUSHBUTTON = 0x0010,
                  DLGC_UNDEFPUSHBUTTON = 0x0020, DLGC_RADIOBUTTON = 0x0040, DLGC_WANTCHARS = 0x0080,
                  DLGC_STATIC = 0x0100, DLGC_BUTTON = 0x2000;
// WM_PRINT.
constexpr LPARAM PRF_CHECKVISIBLE = 0x1, PRF_NONCLIENT = 0x2, PRF_CLIENT = 0x4, PRF_ERASEBKGND = 0x8,
                 PRF_CHILDREN = 0x10, PRF_OWNED = 0x20;
// WM_NCCALCSIZE answers.
constexpr LRESULT WVR_ALIGNTOP = 0x10, WVR_ALIGNLEFT = 0x20, WVR_ALIGNBOTTOM = 0x40, WVR_ALIGNRIGHT = 0x80,
                  WVR_HREDRAW = 0x100, WVR_VREDRAW = 0x200, WVR_REDRAW = 0x300, WVR_VALIDRECTS = 0x400;
// WM_GETICON.
constexpr WPARAM ICON_SMALL = 0, ICON_BIG = 1, ICON_SMALL2 = 2;
// WM_HELP.
constexpr int HELPINFO_WINDOW = 1, HELPINFO_MENUITEM = 2;
// Help commands a program passes to its help system (there is none here).
constexpr UINT HELP_CONTEXTPOPUP = 0x0008, HELP_SETPOPUP_POS = 0x000D;

// Mouse key flags in wParam of client mouse messages.
constexpr WPARAM MK_LBUTTON = 0x0001, MK_RBUTTON = 0x0002, MK_SHIFT = 0x0004, MK_CONTROL = 0x0008,
                 MK_MBUTTON = 0x0010, MK_XBUTTON1 = 0x0020, MK_XBUTTON2 = 0x0040;
constexpr int WHEEL_DELTA = 120;
constexpr UINT WHEEL_PAGESCROLL = 0xFFFFFFFFu;

// ---------------------------------------------------------------- structures
struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt;
  // For key messages from a display backend: the character the key gives
  // with the current layout and modifiers (0 when unknown), which
  // TranslateMessage prefers to its own table.
  DWORD lPrivate = 0;
};

struct CREATESTRUCT {
  void* lpCreateParams = nullptr;
  HINSTANCE hInstance = nullptr;
  HMENU hMenu = nullptr;
  HWND hwndParent = nullptr;
  int cy = 0, cx = 0, y = 0, x = 0;
  LONG style = 0;
  LPCSTR lpszName = nullptr;
  LPCSTR lpszClass = nullptr;
  DWORD dwExStyle = 0;
};

struct WINDOWPOS {
  HWND hwnd = nullptr;
  HWND hwndInsertAfter = nullptr;
  int x = 0, y = 0, cx = 0, cy = 0;
  UINT flags = 0;
};

struct NCCALCSIZE_PARAMS {
  RECT rgrc[3];  // in: new window rect, old window rect, old client rect (parent coordinates); out: rgrc[0] = client
  WINDOWPOS* lppos = nullptr;
};

struct MINMAXINFO {
  POINT ptReserved, ptMaxSize, ptMaxPosition, ptMinTrackSize, ptMaxTrackSize;
};

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  BOOL fErase = FALSE;  // TRUE: the background was not erased; the painter must
  RECT rcPaint;         // client coordinates
  BOOL fRestore = FALSE, fIncUpdate = FALSE;
  BYTE rgbReserved[32] = {};
};

struct STYLESTRUCT {
  DWORD styleOld = 0, styleNew = 0;
};

struct HELPINFO {
  UINT cbSize = sizeof(HELPINFO);
  int iContextType = HELPINFO_WINDOW;
  int iCtrlId = 0;
  HANDLE hItemHandle = nullptr;
  DWORD_PTR dwContextId = 0;
  POINT MousePos;
};

struct TRACKMOUSEEVENT {
  DWORD cbSize = sizeof(TRACKMOUSEEVENT);
  DWORD dwFlags = 0;
  HWND hwndTrack = nullptr;
  DWORD dwHoverTime = 0;
};
constexpr DWORD TME_HOVER = 0x00000001, TME_LEAVE = 0x00000002, TME_NONCLIENT = 0x00000010,
                TME_QUERY = 0x40000000, TME_CANCEL = 0x80000000, HOVER_DEFAULT = 0xFFFFFFFF;

struct WNDCLASS {
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE hInstance = nullptr;
  HICON hIcon = nullptr;
  HCURSOR hCursor = nullptr;
  HBRUSH hbrBackground = nullptr;  // a brush, or a system colour index + 1 cast to a brush
  LPCSTR lpszMenuName = nullptr;
  LPCSTR lpszClassName = nullptr;
};
struct WNDCLASSEX {
  UINT cbSize = sizeof(WNDCLASSEX);
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE hInstance = nullptr;
  HICON hIcon = nullptr;
  HCURSOR hCursor = nullptr;
  HBRUSH hbrBackground = nullptr;
  LPCSTR lpszMenuName = nullptr;
  LPCSTR lpszClassName = nullptr;
  HICON hIconSm = nullptr;
};

// ---------------------------------------------------------------- window classes
// Class names compare ignoring ASCII case. A class registered twice fails.
ATOM RegisterClass(const WNDCLASS* wc);
ATOM RegisterClassEx(const WNDCLASSEX* wc);
BOOL UnregisterClass(LPCSTR className, HINSTANCE inst);  // FALSE while windows of the class exist
BOOL GetClassInfo(HINSTANCE inst, LPCSTR className, WNDCLASS* out);
BOOL GetClassInfoEx(HINSTANCE inst, LPCSTR className, WNDCLASSEX* out);
int GetClassName(HWND hwnd, char* buf, int size);  // bytes copied, without the NUL
std::string GetClassNameStr(HWND hwnd);
constexpr int GCLP_MENUNAME = -8, GCLP_HBRBACKGROUND = -10, GCLP_HCURSOR = -12, GCLP_HICON = -14,
              GCLP_HMODULE = -16, GCL_CBWNDEXTRA = -18, GCL_CBCLSEXTRA = -20, GCLP_WNDPROC = -24,
              GCL_STYLE = -26, GCW_ATOM = -32, GCLP_HICONSM = -34;
ULONG_PTR GetClassLongPtr(HWND hwnd, int index);
ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value);

// ---------------------------------------------------------------- creating and destroying windows
// WS_CHILD needs a valid parent; for any other window the parent argument
// names the owner (its root window becomes the owner). HWND_MESSAGE makes a
// message-only window that never shows. Sends, in order: the CBT hook's
// HCBT_CREATEWND, WM_GETMINMAXINFO (sizable top-level windows), WM_NCCREATE,
// WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, then shows the window when
// WS_VISIBLE was given. Null on failure (unknown class, a creation message
// that refused).
HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menuOrId, HINSTANCE inst, void* param);
inline HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height,
                         HWND parent, HMENU menuOrId, HINSTANCE inst, void* param) {
  return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menuOrId, inst, param);
}
// Owned windows go first; then WM_DESTROY to the window and afterwards to
// each descendant (parents before children), then WM_NCDESTROY to the
// descendants (children before parents) and last to the window. Safe inside
// the window's own handler; a second call during destruction does nothing.
// FALSE for a stale handle, a window of another thread, or a CBT veto.
BOOL DestroyWindow(HWND hwnd);

BOOL IsWindow(HWND hwnd);
BOOL IsWindowVisible(HWND hwnd);  // the window and all its ancestors have WS_VISIBLE
BOOL IsWindowEnabled(HWND hwnd);
BOOL IsChild(HWND parent, HWND hwnd);  // hwnd is a descendant of parent through WS_CHILD links
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
// Sends WM_ENABLE when the state changes; a window losing its enabled state
// loses the focus and the capture. Returns TRUE when it was disabled before.
BOOL EnableWindow(HWND hwnd, BOOL enable);
HWND GetDesktopWindow();

// ---------------------------------------------------------------- window data
constexpr int GWLP_WNDPROC = -4, GWL_WNDPROC = -4, GWLP_HINSTANCE = -6, GWLP_HWNDPARENT = -8, GWLP_ID = -12,
              GWL_ID = -12, GWL_STYLE = -16, GWL_EXSTYLE = -20, GWLP_USERDATA = -21, GWL_USERDATA = -21;
// Non-negative indexes address the cbWndExtra bytes (a pointer-sized slot).
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
// GWL_STYLE and GWL_EXSTYLE send WM_STYLECHANGING and WM_STYLECHANGED; the
// frame is recalculated only by SetWindowPos with SWP_FRAMECHANGED, as on
// the platform. GWLP_HWNDPARENT changes the owner. Returns the old value, 0
// on failure.
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
inline LONG GetWindowLong(HWND hwnd, int index) { return LONG(GetWindowLongPtr(hwnd, index)); }
inline LONG SetWindowLong(HWND hwnd, int index, LONG value) { return LONG(SetWindowLongPtr(hwnd, index, value)); }

// Properties: named handles attached to a window (names ignore ASCII case;
// an atom name also works). They are dropped with the window.
BOOL SetProp(HWND hwnd, LPCSTR name, HANDLE data);
HANDLE GetProp(HWND hwnd, LPCSTR name);
HANDLE RemoveProp(HWND hwnd, LPCSTR name);

// Window text through WM_SETTEXT / WM_GETTEXT (buffer size in bytes with the
// NUL; text cut at a character boundary).
BOOL SetWindowText(HWND hwnd, LPCSTR text);
int GetWindowText(HWND hwnd, char* buf, int size);
int GetWindowTextLength(HWND hwnd);
std::string GetWindowTextStr(HWND hwnd);

// ---------------------------------------------------------------- relations
constexpr UINT GW_HWNDFIRST = 0, GW_HWNDLAST = 1, GW_HWNDNEXT = 2, GW_HWNDPREV = 3, GW_OWNER = 4, GW_CHILD = 5,
               GW_ENABLEDPOPUP = 6;
constexpr UINT GA_PARENT = 1, GA_ROOT = 2, GA_ROOTOWNER = 3;
// The parent of a child window, the owner of a popup, null otherwise.
HWND GetParent(HWND hwnd);
// Re-parents; a null parent makes a child window top-level under the desktop
// (it keeps WS_CHILD, as on the platform, only its link changes). Returns the old parent.
HWND SetParent(HWND hwnd, HWND newParent);
HWND GetWindow(HWND hwnd, UINT cmd);  // z-order: GW_HWNDNEXT goes down
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetTopWindow(HWND hwnd);  // the topmost child; the topmost top-level window for null
// Every descendant, depth first in z-order; stops when proc answers FALSE.
BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam);
BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam);  // top-level windows
BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC proc, LPARAM lParam);
// Null class or name matches any; names compare exactly, classes ignoring case.
HWND FindWindow(LPCSTR className, LPCSTR windowName);
HWND FindWindowEx(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName);
// Thread ids are those of TThread::CurrentThreadID; the process id is the real one.
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);
DWORD GetCurrentThreadId();
DWORD GetCurrentProcessId();

// ---------------------------------------------------------------- position and size
constexpr UINT SWP_NOSIZE = 0x0001, SWP_NOMOVE = 0x0002, SWP_NOZORDER = 0x0004, SWP_NOREDRAW = 0x0008,
               SWP_NOACTIVATE = 0x0010, SWP_FRAMECHANGED = 0x0020, SWP_DRAWFRAME = 0x0020,
               SWP_SHOWWINDOW = 0x0040, SWP_HIDEWINDOW = 0x0080, SWP_NOCOPYBITS = 0x0100,
               SWP_NOOWNERZORDER = 0x0200, SWP_NOREPOSITION = 0x0200, SWP_NOSENDCHANGING = 0x0400,
               SWP_NOCLIENTSIZE = 0x0800, SWP_NOCLIENTMOVE = 0x1000, SWP_DEFERERASE = 0x2000,
               SWP_ASYNCWINDOWPOS = 0x4000;
constexpr int SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_NORMAL = 1, SW_SHOWMINIMIZED = 2, SW_SHOWMAXIMIZED = 3,
              SW_MAXIMIZE = 3, SW_SHOWNOACTIVATE = 4, SW_SHOW = 5, SW_MINIMIZE = 6, SW_SHOWMINNOACTIVE = 7,
              SW_SHOWNA = 8, SW_RESTORE = 9, SW_SHOWDEFAULT = 10, SW_FORCEMINIMIZE = 11;

// Sends WM_WINDOWPOSCHANGING (unless SWP_NOSENDCHANGING), WM_NCCALCSIZE when
// the size or frame changes, then WM_WINDOWPOSCHANGED, whose default handling
// sends WM_MOVE and WM_SIZE. Called from another thread, the whole call runs
// on the window's thread while the caller waits.
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
// Sends WM_SHOWWINDOW when the visibility changes. Returns the previous visibility.
BOOL ShowWindow(HWND hwnd, int cmd);
BOOL BringWindowToTop(HWND hwnd);
// Shows or hides without animation (no animation is drawn on this platform); TRUE on success.
constexpr DWORD AW_HOR_POSITIVE = 0x1, AW_HOR_NEGATIVE = 0x2, AW_VER_POSITIVE = 0x4, AW_VER_NEGATIVE = 0x8,
                AW_CENTER = 0x10, AW_HIDE = 0x10000, AW_ACTIVATE = 0x20000, AW_SLIDE = 0x40000,
                AW_BLEND = 0x80000;
BOOL AnimateWindow(HWND hwnd, DWORD time, DWORD flags);

BOOL GetWindowRect(HWND hwnd, RECT* r);  // screen coordinates
BOOL GetClientRect(HWND hwnd, RECT* r);  // (0, 0, width, height)
BOOL ClientToScreen(HWND hwnd, POINT* pt);
BOOL ScreenToClient(HWND hwnd, POINT* pt);
// Maps client points of from to client points of to (null = the screen).
// Returns the horizontal offset in the low word and the vertical in the high
// word; 0 with an invalid window.
int MapWindowPoints(HWND from, HWND to, POINT* pts, UINT count);
// Window rectangle for a client rectangle with the given styles.
BOOL AdjustWindowRectEx(RECT* r, DWORD style, BOOL menu, DWORD exStyle);
inline BOOL AdjustWindowRect(RECT* r, DWORD style, BOOL menu) { return AdjustWindowRectEx(r, style, menu, 0); }

// The deepest visible, enabled window at a screen point; windows of the
// calling thread that answer HTTRANSPARENT are looked through.
HWND WindowFromPoint(POINT pt);
constexpr UINT CWP_ALL = 0, CWP_SKIPINVISIBLE = 1, CWP_SKIPDISABLED = 2, CWP_SKIPTRANSPARENT = 4;
// The child containing a point of the parent's client area, the parent when
// no child does, null when the point lies outside the parent.
HWND ChildWindowFromPoint(HWND parent, POINT pt);
HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags);

// The window takes ownership of rgn (window coordinates); null removes the
// region. Hit testing and drawing follow it. Returns 0 on failure.
int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw);
int GetWindowRgn(HWND hwnd, HRGN rgn);  // region type, ERROR when the window has none

// ---------------------------------------------------------------- messages
// Same thread: the window procedure is called directly (after the
// WH_CALLWNDPROC hooks and before WH_CALLWNDPROCRET). Another thread: the
// caller waits until the owning thread has processed it, handling messages
// sent to itself meanwhile. 0 for a stale handle.
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Like SendMessage on the same thread; to another thread it does not wait.
BOOL SendNotifyMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Thread-safe. Messages from one thread arrive in the order they were
// posted. FALSE for a stale handle or a full queue.
BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// How many posted messages one queue holds before posting fails.
constexpr size_t MESSAGE_QUEUE_LIMIT = 10000;

constexpr UINT PM_NOREMOVE = 0x0000, PM_REMOVE = 0x0001, PM_NOYIELD = 0x0002;
// Order of retrieval: sent messages, posted messages, input, the quit
// request, WM_PAINT, WM_TIMER. hwnd filters a window and its children
// (reinterpret_cast<HWND>(-1): thread messages only); a range of 0..0 takes
// everything. WM_QUIT is returned whatever the filter. Returns 0 for
// WM_QUIT, -1 for a filter window that is stale or another thread's.
BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Posts WM_CHAR/WM_SYSCHAR for a key-down that gives a character. TRUE when it did.
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
// Waits until the thread's queue has something to retrieve.
BOOL WaitMessage();
constexpr DWORD QS_KEY = 0x0001, QS_MOUSEMOVE = 0x0002, QS_MOUSEBUTTON = 0x0004, QS_POSTMESSAGE = 0x0008,
                QS_TIMER = 0x0010, QS_PAINT = 0x0020, QS_SENDMESSAGE = 0x0040, QS_HOTKEY = 0x0080,
                QS_ALLPOSTMESSAGE = 0x0100, QS_MOUSE = QS_MOUSEMOVE | QS_MOUSEBUTTON, QS_INPUT = QS_MOUSE | QS_KEY,
                QS_ALLEVENTS = QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY,
                QS_ALLINPUT = QS_ALLEVENTS | QS_SENDMESSAGE;
constexpr DWORD WAIT_OBJECT_0 = 0, WAIT_TIMEOUT = 258, WAIT_FAILED = 0xFFFFFFFF;
// Waits for one (or all) of the events, for a message the mask admits, or
// for the timeout. Returns WAIT_OBJECT_0 + i for event i, WAIT_OBJECT_0 +
// count when a message can be retrieved, WAIT_TIMEOUT. Messages sent from
// other threads and the main thread's synchronised calls are served while
// waiting. Events may be null (count 0).
DWORD MsgWaitForMultipleObjects(DWORD count, TEvent* const* events, BOOL waitAll, DWORD milliseconds,
                                DWORD wakeMask);
DWORD GetQueueStatus(UINT flags);  // high word: what is there now
BOOL InSendMessage();
BOOL ReplyMessage(LRESULT result);
LPARAM GetMessageExtraInfo();
DWORD GetMessageTime();
DWORD GetMessagePos();  // screen position of the last retrieved message, packed like MAKELPARAM

// A nested message loop that retrieved WM_QUIT hands it back to the loop
// outside it with this, so that the application still ends.
void RepostQuitMessage(const MSG& quit);
// One turn of a modal loop: waits for and removes the next message. FALSE
// for WM_QUIT (already re-posted) or a GetMessage failure; the loop must end.
BOOL GetModalMessage(MSG* msg);

// Messages numbered 0xC000..0xFFFF, one per name (ignoring ASCII case),
// shared with clipboard format names as on the platform.
UINT RegisterWindowMessage(LPCSTR name);

// The default handling of every message the code above relies on.
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Milliseconds since an arbitrary start, wrapping after 49.7 days.
DWORD GetTickCount();
void Sleep(DWORD milliseconds);

// ---------------------------------------------------------------- painting
constexpr UINT RDW_INVALIDATE = 0x0001, RDW_INTERNALPAINT = 0x0002, RDW_ERASE = 0x0004, RDW_VALIDATE = 0x0008,
               RDW_NOINTERNALPAINT = 0x0010, RDW_NOERASE = 0x0020, RDW_NOCHILDREN = 0x0040,
               RDW_ALLCHILDREN = 0x0080, RDW_UPDATENOW = 0x0100, RDW_ERASENOW = 0x0200, RDW_FRAME = 0x0400,
               RDW_NOFRAME = 0x0800;
// A null rect/region means the whole client area. Children are included
// unless the window has WS_CLIPCHILDREN.
BOOL InvalidateRect(HWND hwnd, const RECT* r, BOOL erase);
BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* r);
BOOL ValidateRgn(HWND hwnd, HRGN rgn);
// TRUE when the window has something to paint; the rectangle is in client coordinates.
BOOL GetUpdateRect(HWND hwnd, RECT* r, BOOL erase);
int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase);
// Sends WM_PAINT (and what comes before it) right away when there is an update region.
BOOL UpdateWindow(HWND hwnd);
BOOL RedrawWindow(HWND hwnd, const RECT* r, HRGN rgn, UINT flags);
// Validates the update region (after WM_NCPAINT and WM_ERASEBKGND when
// pending) and returns a DC clipped to it. fErase tells the painter that
// WM_ERASEBKGND was not handled.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
BOOL LockWindowUpdate(HWND hwnd);

constexpr DWORD DCX_WINDOW = 0x00000001, DCX_CACHE = 0x00000002, DCX_NORESETATTRS = 0x00000004,
                DCX_CLIPCHILDREN = 0x00000008, DCX_CLIPSIBLINGS = 0x00000010, DCX_PARENTCLIP = 0x00000020,
                DCX_EXCLUDERGN = 0x00000040, DCX_INTERSECTRGN = 0x00000080, DCX_EXCLUDEUPDATE = 0x00000100,
                DCX_INTERSECTUPDATE = 0x00000200, DCX_LOCKWINDOWUPDATE = 0x00000400,
                DCX_VALIDATE = 0x00200000;
// Window DCs draw straight into the top-level surface, confined to what of
// the window is visible. Release each with ReleaseDC. A null window gives a
// screen DC.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags);  // takes ownership of clip (INTERSECTRGN/EXCLUDERGN)
int ReleaseDC(HWND hwnd, HDC dc);
HWND WindowFromDC(HDC dc);

constexpr UINT SW_SCROLLCHILDREN = 0x0001, SW_INVALIDATE = 0x0002, SW_ERASE = 0x0004, SW_SMOOTHSCROLL = 0x0010;
// Moves the pixels of the client area (or of scroll) by dx, dy, confined to
// clip; reports the uncovered area in update/updateRect and, with
// SW_INVALIDATE, invalidates it. The update region inside the scrolled area
// moves along; SW_SCROLLCHILDREN moves the children too.
int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update,
                   RECT* updateRect, UINT flags);
BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip);
// Moves the pixels of a DC (logical coordinates) and reports what was uncovered.
BOOL ScrollDC(HDC dc, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, RECT* updateRect);

// Layered windows: constant opacity, or a whole new image with per-pixel alpha.
// UpdateLayeredWindow with ULW_ALPHA and a blend of AC_SRC_ALPHA takes the
// source's 32-bit pixels as premultiplied colour with alpha in the top byte
// and the screen composes them per pixel; otherwise the window is opaque
// apart from the blend's constant alpha. FALSE for a source that cannot
// cover the size (its bitmap is smaller, or it has none) and for windows
// without WS_EX_LAYERED.
constexpr DWORD LWA_COLORKEY = 0x1, LWA_ALPHA = 0x2;
constexpr DWORD ULW_COLORKEY = 0x1, ULW_ALPHA = 0x2, ULW_OPAQUE = 0x4;
BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags);
BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags);
BOOL UpdateLayeredWindow(HWND hwnd, HDC dst, const POINT* pos, const SIZE* size, HDC src, const POINT* srcPos,
                         COLORREF key, const BLENDFUNCTION* blend, DWORD flags);

// ---------------------------------------------------------------- window scroll bars
// The bars a window shows in its non-client area while it has WS_HSCROLL or
// WS_VSCROLL. Each bar keeps a range (0..100 until set), a page, a position
// and, while its thumb is dragged, a track position; the position stays
// within min .. max - max(page - 1, 0) and the page within 0 .. max - min + 1.
// A bar appears and disappears only through ShowScrollBar (or the style):
// setting a range never shows or hides it.
// A press on a bar runs a modal loop inside DefWindowProc (WM_NCLBUTTONDOWN
// -> WM_SYSCOMMAND SC_HSCROLL / SC_VSCROLL) that sends WM_HSCROLL or
// WM_VSCROLL to the window: wParam holds the code in its low word and, for
// SB_THUMBTRACK and SB_THUMBPOSITION, the thumb position in its high word;
// lParam is 0. Arrows and the track repeat while held (first after 400 ms,
// then every 50 ms); a thumb drag sends SB_THUMBTRACK for each new position
// and SB_THUMBPOSITION at the release; SB_ENDSCROLL closes every press. The
// bar never moves its own position: the window does, with SetScrollPos or
// SetScrollInfo. SB_CTL (scroll-bar controls) is not provided here: the
// framework's TScrollBar draws its own bar, so every call with it fails.
constexpr int SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3;
constexpr WORD SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2, SB_PAGELEFT = 2,
               SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5, SB_TOP = 6, SB_LEFT = 6,
               SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8;
constexpr UINT SIF_RANGE = 0x1, SIF_PAGE = 0x2, SIF_POS = 0x4, SIF_DISABLENOSCROLL = 0x8, SIF_TRACKPOS = 0x10,
               SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
// Arrows to disable: the left (up) one, the right (down) one, or both, which
// also makes the track and thumb inert.
constexpr UINT ESB_ENABLE_BOTH = 0, ESB_DISABLE_LEFT = 1, ESB_DISABLE_UP = 1, ESB_DISABLE_LTUP = 1,
               ESB_DISABLE_RIGHT = 2, ESB_DISABLE_DOWN = 2, ESB_DISABLE_RTDN = 2, ESB_DISABLE_BOTH = 3;
struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;  // read only (SIF_TRACKPOS): the thumb's place during a drag, else the position
};
// Takes the fields the mask names (SIF_DISABLENOSCROLL changes nothing
// here) and clamps them; a maximum below the minimum becomes the minimum.
// With redraw the bar is drawn again at once. Returns the new position, 0
// on failure (a stale window, SB_CTL, a bad cbSize: sizeof(SCROLLINFO), or 4
// less without nTrackPos).
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);  // the previous position
int GetScrollPos(HWND hwnd, int bar);
BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos);
// Sets or clears WS_HSCROLL / WS_VSCROLL (SB_BOTH: both); when the style
// changed the frame is recalculated, which gives the window a new client
// area and, through WM_WINDOWPOSCHANGED, a WM_SIZE.
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);
// FALSE when the arrows already were in that state, or on failure.
BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);

// The common controls' flat scroll bars. Here they are the window's own bars
// above, drawn flat (one-pixel frames instead of raised edges) once
// InitializeFlatSB marked the window; the FlatSB_ calls behave exactly like
// their plain counterparts with or without it. UninitializeFlatSB returns 0
// (S_OK) and gives the bars back their plain look.
BOOL InitializeFlatSB(HWND hwnd);
LONG UninitializeFlatSB(HWND hwnd);
int FlatSB_SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL FlatSB_GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
int FlatSB_SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
BOOL FlatSB_SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw);
BOOL FlatSB_EnableScrollBar(HWND hwnd, int bar, UINT arrows);
BOOL FlatSB_ShowScrollBar(HWND hwnd, int bar, BOOL show);

// ---------------------------------------------------------------- keyboard
constexpr UINT VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_CANCEL = 0x03, VK_MBUTTON = 0x04, VK_XBUTTON1 = 0x05,
               VK_XBUTTON2 = 0x06, VK_BACK = 0x08, VK_TAB = 0x09, VK_CLEAR = 0x0C, VK_RETURN = 0x0D,
               VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12, VK_PAUSE = 0x13, VK_CAPITAL = 0x14,
               VK_KANA = 0x15, VK_KANJI = 0x19, VK_ESCAPE = 0x1B, VK_CONVERT = 0x1C, VK_NONCONVERT = 0x1D,
               VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25,
               VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_SELECT = 0x29, VK_PRINT = 0x2A,
               VK_EXECUTE = 0x2B, VK_SNAPSHOT = 0x2C, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_HELP = 0x2F,
               VK_LWIN = 0x5B, VK_RWIN = 0x5C, VK_APPS = 0x5D, VK_SLEEP = 0x5F, VK_NUMPAD0 = 0x60,
               VK_NUMPAD1 = 0x61, VK_NUMPAD2 = 0x62, VK_NUMPAD3 = 0x63, VK_NUMPAD4 = 0x64, VK_NUMPAD5 = 0x65,
               VK_NUMPAD6 = 0x66, VK_NUMPAD7 = 0x67, VK_NUMPAD8 = 0x68, VK_NUMPAD9 = 0x69, VK_MULTIPLY = 0x6A,
               VK_ADD = 0x6B, VK_SEPARATOR = 0x6C, VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F,
               VK_F1 = 0x70, VK_F2 = 0x71, VK_F3 = 0x72, VK_F4 = 0x73, VK_F5 = 0x74, VK_F6 = 0x75, VK_F7 = 0x76,
               VK_F8 = 0x77, VK_F9 = 0x78, VK_F10 = 0x79, VK_F11 = 0x7A, VK_F12 = 0x7B, VK_F13 = 0x7C,
               VK_F14 = 0x7D, VK_F15 = 0x7E, VK_F16 = 0x7F, VK_F17 = 0x80, VK_F18 = 0x81, VK_F19 = 0x82,
               VK_F20 = 0x83, VK_F21 = 0x84, VK_F22 = 0x85, VK_F23 = 0x86, VK_F24 = 0x87, VK_NUMLOCK = 0x90,
               VK_SCROLL = 0x91, VK_LSHIFT = 0xA0, VK_RSHIFT = 0xA1, VK_LCONTROL = 0xA2, VK_RCONTROL = 0xA3,
               VK_LMENU = 0xA4, VK_RMENU = 0xA5, VK_BROWSER_BACK = 0xA6, VK_BROWSER_FORWARD = 0xA7,
               VK_BROWSER_REFRESH = 0xA8, VK_BROWSER_STOP = 0xA9, VK_BROWSER_SEARCH = 0xAA,
               VK_BROWSER_FAVORITES = 0xAB, VK_BROWSER_HOME = 0xAC, VK_VOLUME_MUTE = 0xAD,
               VK_VOLUME_DOWN = 0xAE, VK_VOLUME_UP = 0xAF, VK_MEDIA_NEXT_TRACK = 0xB0,
               VK_MEDIA_PREV_TRACK = 0xB1, VK_MEDIA_STOP = 0xB2, VK_MEDIA_PLAY_PAUSE = 0xB3, VK_OEM_1 = 0xBA,
               VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD, VK_OEM_PERIOD = 0xBE,
               VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD,
               VK_OEM_7 = 0xDE, VK_OEM_8 = 0xDF, VK_OEM_102 = 0xE2, VK_PROCESSKEY = 0xE5, VK_PACKET = 0xE7,
               VK_ATTN = 0xF6, VK_PLAY = 0xFA, VK_ZOOM = 0xFB, VK_OEM_CLEAR = 0xFE;

// Key state as of the messages this process has retrieved: bit 15 set while
// down, bit 0 the toggle (caps, num and scroll lock: on). Negative when down.
SHORT GetKeyState(int vk);
// The physical state now: bit 15 down.
SHORT GetAsyncKeyState(int vk);
BOOL GetKeyboardState(BYTE* keys256);  // 0x80 down, 0x01 toggled
BOOL SetKeyboardState(const BYTE* keys256);
constexpr UINT MAPVK_VK_TO_VSC = 0, MAPVK_VSC_TO_VK = 1, MAPVK_VK_TO_CHAR = 2, MAPVK_VSC_TO_VK_EX = 3,
               MAPVK_VK_TO_VSC_EX = 4;
UINT MapVirtualKey(UINT code, UINT mapType);
inline UINT MapVirtualKeyW(UINT code, UINT mapType) { return MapVirtualKey(code, mapType); }
// The characters a key gives with the key state (0x80 bits) of a US layout:
// 1 and one UTF-16 unit in buf when it gives one, 0 when none.
int ToUnicode(UINT vk, UINT scan, const BYTE* keys256, char16_t* buf, int size, UINT flags);
// The virtual key and shift state (high byte: 1 shift, 2 ctrl, 4 alt) that
// type a character; -1 when no key does.
SHORT VkKeyScan(char16_t ch);

// ---------------------------------------------------------------- mouse
HWND SetCapture(HWND hwnd);  // WM_CAPTURECHANGED to the window losing it; returns it
BOOL ReleaseCapture();
HWND GetCapture();
// TME_LEAVE posts WM_MOUSELEAVE once the mouse leaves the window's client
// area (its whole window with TME_NONCLIENT: WM_NCMOUSELEAVE); TME_HOVER
// posts WM_MOUSEHOVER after the mouse rested; TME_CANCEL ends tracking,
// TME_QUERY reports it.
BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme);
BOOL GetCursorPos(POINT* pt);
// Moves the cursor; the window under it gets a WM_MOUSEMOVE as after a real move.
BOOL SetCursorPos(int x, int y);
UINT GetDoubleClickTime();  // from the system metrics of platform/gdi
BOOL SwapMouseButton(BOOL swap);
BOOL DragDetect(HWND hwnd, POINT pt);

// ---------------------------------------------------------------- focus and activation
// WM_KILLFOCUS to the old focus, WM_SETFOCUS to the new one; the window's
// top-level window is activated first. A CBT hook may veto (HCBT_SETFOCUS).
// Returns the previous focus, null on failure.
HWND SetFocus(HWND hwnd);
HWND GetFocus();
// WM_NCACTIVATE and WM_ACTIVATE (WA_INACTIVE) to the old active window,
// WM_ACTIVATEAPP when the application's activation changes, then
// WM_NCACTIVATE and WM_ACTIVATE (WA_ACTIVE) to the new one, whose default
// handling sets the focus. A CBT hook may veto (HCBT_ACTIVATE).
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND hwnd);

// ---------------------------------------------------------------- timers
constexpr UINT USER_TIMER_MINIMUM = 10;
constexpr UINT USER_TIMER_MAXIMUM = 0x7FFFFFFF;
// A window timer posts (coalesced, after everything else) WM_TIMER with
// wParam = id to its window; with a proc, DispatchMessage calls the proc
// instead. A thread timer (null window) gets a fresh id and is delivered to
// the thread that set it. Setting an existing id again restarts it. 0 on
// failure (a window of another thread, a stale window).
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
// As SetTimer with a proc, which is called as proc(context, hwnd, WM_TIMER,
// id, time): the platform's callbacks have no room for an object otherwise.
UINT_PTR SetTimerWithContext(HWND hwnd, UINT_PTR id, UINT elapse, CONTEXTPROC proc, void* context);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// ---------------------------------------------------------------- thread hooks
constexpr int WH_MSGFILTER = -1, WH_KEYBOARD = 2, WH_GETMESSAGE = 3, WH_CALLWNDPROC = 4, WH_CBT = 5,
              WH_SYSMSGFILTER = 6, WH_MOUSE = 7, WH_DEBUG = 9, WH_SHELL = 10, WH_FOREGROUNDIDLE = 11,
              WH_CALLWNDPROCRET = 12, WH_KEYBOARD_LL = 13, WH_MOUSE_LL = 14;
constexpr int HC_ACTION = 0, HC_GETNEXT = 1, HC_SKIP = 2, HC_NOREMOVE = 3;
constexpr int HCBT_MOVESIZE = 0, HCBT_MINMAX = 1, HCBT_QS = 2, HCBT_CREATEWND = 3, HCBT_DESTROYWND = 4,
              HCBT_ACTIVATE = 5, HCBT_CLICKSKIPPED = 6, HCBT_KEYSKIPPED = 7, HCBT_SYSCOMMAND = 8,
              HCBT_SETFOCUS = 9;

struct MOUSEHOOKSTRUCT {
  POINT pt;  // screen coordinates
  HWND hwnd = nullptr;
  UINT wHitTestCode = 0;
  ULONG_PTR dwExtraInfo = 0;
};
struct CWPSTRUCT {
  LPARAM lParam = 0;
  WPARAM wParam = 0;
  UINT message = 0;
  HWND hwnd = nullptr;
};
struct CWPRETSTRUCT {
  LRESULT lResult = 0;
  LPARAM lParam = 0;
  WPARAM wParam = 0;
  UINT message = 0;
  HWND hwnd = nullptr;
};
struct CBT_CREATEWND {
  CREATESTRUCT* lpcs = nullptr;
  HWND hwndInsertAfter = nullptr;
};
struct CBTACTIVATESTRUCT {
  BOOL fMouse = FALSE;
  HWND hWndActive = nullptr;
};

// Hooks of one thread (threadId 0: the calling thread's), newest first.
// WH_KEYBOARD and WH_MOUSE run when an input message is retrieved (a
// non-zero answer drops it), WH_GETMESSAGE before GetMessage/PeekMessage
// return, WH_CALLWNDPROC/WH_CALLWNDPROCRET around sent messages, WH_CBT
// before creation, destruction, activation and focus changes (non-zero
// vetoes). Unhooking inside a hook's own callback is safe.
HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE mod, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

// ---------------------------------------------------------------- cursors and carets
// Standard cursor ids for LoadCursor(nullptr, IDC_...).
inline LPCSTR const IDC_ARROW = MAKEINTRESOURCE(32512);
inline LPCSTR const IDC_IBEAM = MAKEINTRESOURCE(32513);
inline LPCSTR const IDC_WAIT = MAKEINTRESOURCE(32514);
inline LPCSTR const IDC_CROSS = MAKEINTRESOURCE(32515);
inline LPCSTR const IDC_UPARROW = MAKEINTRESOURCE(32516);
inline LPCSTR const IDC_SIZE = MAKEINTRESOURCE(32640);
inline LPCSTR const IDC_ICON = MAKEINTRESOURCE(32641);
inline LPCSTR const IDC_SIZENWSE = MAKEINTRESOURCE(32642);
inline LPCSTR const IDC_SIZENESW = MAKEINTRESOURCE(32643);
inline LPCSTR const IDC_SIZEWE = MAKEINTRESOURCE(32644);
inline LPCSTR const IDC_SIZENS = MAKEINTRESOURCE(32645);
inline LPCSTR const IDC_SIZEALL = MAKEINTRESOURCE(32646);
inline LPCSTR const IDC_NO = MAKEINTRESOURCE(32648);
inline LPCSTR const IDC_HAND = MAKEINTRESOURCE(32649);
inline LPCSTR const IDC_APPSTARTING = MAKEINTRESOURCE(32650);
inline LPCSTR const IDC_HELP = MAKEINTRESOURCE(32651);
// A standard cursor (null instance), or a cursor registered with the
// instance under that name; null when there is none.
HCURSOR LoadCursor(HINSTANCE inst, LPCSTR name);
inline HCURSOR LoadCursorW(HINSTANCE inst, LPCSTR name) { return LoadCursor(inst, name); }
// Makes a cursor findable by LoadCursor(inst, name); the table keeps it (never destroyed).
BOOL RegisterModuleCursor(HINSTANCE inst, LPCSTR name, HCURSOR cursor);
// The standard id (32512...) of a cursor made by LoadCursor(nullptr, ...), 0 for others.
int StandardCursorId(HCURSOR cursor);
HCURSOR SetCursor(HCURSOR cursor);  // returns the previous one
HCURSOR GetCursor();
int ShowCursor(BOOL show);  // the display count; the cursor shows while it is >= 0

// One caret per process, drawn by inverting its rectangle and blinking on
// the thread of its window. bitmap null: solid; (HBITMAP)1: grey.
BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* pt);
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT ms);

// ---------------------------------------------------------------- monitors and system parameters
constexpr DWORD MONITOR_DEFAULTTONULL = 0, MONITOR_DEFAULTTOPRIMARY = 1, MONITOR_DEFAULTTONEAREST = 2;
constexpr DWORD MONITORINFOF_PRIMARY = 1;
struct MONITORINFO {
  DWORD cbSize = sizeof(MONITORINFO);
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags = 0;
};
struct MONITORINFOEX : MONITORINFO {
  MONITORINFOEX() { cbSize = sizeof(MONITORINFOEX); }
  char szDevice[32] = {};
};
// The backend's monitors (MonitorArea, backend.h), the first one primary.
// Handles stay valid until the list changes; with an empty list every call
// fails (null, FALSE). MONITOR_DEFAULTTONEAREST picks the monitor at the
// smallest distance.
HMONITOR MonitorFromPoint(POINT pt, DWORD flags);
HMONITOR MonitorFromRect(const RECT* r, DWORD flags);
HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
BOOL GetMonitorInfo(HMONITOR mon, MONITORINFO* info);  // cbSize must be 40 or that of MONITORINFOEX
inline BOOL GetMonitorInfoW(HMONITOR mon, MONITORINFO* info) { return GetMonitorInfo(mon, info); }
using MONITORENUMPROC = BOOL (*)(HMONITOR, HDC, RECT*, LPARAM);
BOOL EnumDisplayMonitors(HDC dc, const RECT* clip, MONITORENUMPROC proc, LPARAM data);

constexpr UINT SPI_GETBEEP = 0x0001, SPI_GETMOUSE = 0x0003, SPI_GETBORDER = 0x0005,
               SPI_GETKEYBOARDSPEED = 0x000A, SPI_ICONHORIZONTALSPACING = 0x000D,
               SPI_GETSCREENSAVETIMEOUT = 0x000E, SPI_GETKEYBOARDDELAY = 0x0016,
               SPI_ICONVERTICALSPACING = 0x0018, SPI_GETICONTITLEWRAP = 0x0019,
               SPI_GETMENUDROPALIGNMENT = 0x001B, SPI_GETDRAGFULLWINDOWS = 0x0026,
               SPI_GETNONCLIENTMETRICS = 0x0029, SPI_SETNONCLIENTMETRICS = 0x002A, SPI_GETWORKAREA = 0x0030,
               SPI_SETWORKAREA = 0x002F, SPI_GETICONTITLELOGFONT = 0x001F, SPI_GETHIGHCONTRAST = 0x0042,
               SPI_GETKEYBOARDPREF = 0x0044, SPI_GETFONTSMOOTHING = 0x004A, SPI_GETSNAPTODEFBUTTON = 0x005F,
               SPI_GETMOUSEHOVERWIDTH = 0x0062, SPI_GETMOUSEHOVERHEIGHT = 0x0064,
               SPI_GETMOUSEHOVERTIME = 0x0066, SPI_GETWHEELSCROLLLINES = 0x0068,
               SPI_SETWHEELSCROLLLINES = 0x0069, SPI_GETMENUSHOWDELAY = 0x006A,
               SPI_GETSHOWIMEUI = 0x006E, SPI_GETMOUSESPEED = 0x0070, SPI_GETSCREENSAVERRUNNING = 0x0072,
               SPI_GETACTIVEWINDOWTRACKING = 0x1000, SPI_GETMENUANIMATION = 0x1002,
               SPI_SETMENUANIMATION = 0x1003, SPI_GETCOMBOBOXANIMATION = 0x1004,
               SPI_GETLISTBOXSMOOTHSCROLLING = 0x1006, SPI_GETGRADIENTCAPTIONS = 0x1008,
               SPI_GETKEYBOARDCUES = 0x100A, SPI_SETKEYBOARDCUES = 0x100B, SPI_GETMENUUNDERLINES = 0x100A,
               SPI_GETHOTTRACKING = 0x100E, SPI_GETMENUFADE = 0x1012, SPI_SETMENUFADE = 0x1013,
               SPI_GETSELECTIONFADE = 0x1014, SPI_GETTOOLTIPANIMATION = 0x1016,
               SPI_SETTOOLTIPANIMATION = 0x1017, SPI_GETTOOLTIPFADE = 0x1018, SPI_SETTOOLTIPFADE = 0x1019,
               SPI_GETCURSORSHADOW = 0x101A, SPI_GETUIEFFECTS = 0x103E, SPI_GETFLATMENU = 0x1022,
               SPI_SETFLATMENU = 0x1023, SPI_GETDROPSHADOW = 0x1024, SPI_SETDROPSHADOW = 0x1025,
               SPI_GETFOCUSBORDERWIDTH = 0x200E, SPI_GETFOCUSBORDERHEIGHT = 0x2010,
               SPI_GETFONTSMOOTHINGTYPE = 0x200A, SPI_GETCARETWIDTH = 0x2006,
               SPI_GETWHEELSCROLLCHARS = 0x006C;
constexpr UINT SPIF_UPDATEINIFILE = 0x1, SPIF_SENDCHANGE = 0x2;

struct NONCLIENTMETRICS {
  UINT cbSize = sizeof(NONCLIENTMETRICS);
  int iBorderWidth = 0;
  int iScrollWidth = 0;
  int iScrollHeight = 0;
  int iCaptionWidth = 0;
  int iCaptionHeight = 0;
  LOGFONT lfCaptionFont;
  int iSmCaptionWidth = 0;
  int iSmCaptionHeight = 0;
  LOGFONT lfSmCaptionFont;
  int iMenuWidth = 0;
  int iMenuHeight = 0;
  LOGFONT lfMenuFont;
  LOGFONT lfStatusFont;
  LOGFONT lfMessageFont;
  int iPaddedBorderWidth = 0;
};
constexpr DWORD HCF_HIGHCONTRASTON = 0x1;
struct HIGHCONTRAST {
  UINT cbSize = sizeof(HIGHCONTRAST);
  DWORD dwFlags = 0;
  char* lpszDefaultScheme = nullptr;
};
// The values the code above reads, for a classic desktop: no menu animation
// or fade, drop shadows on, keyboard cues hidden until Alt, flat menus off,
// three lines per wheel notch, high contrast off, "Segoe UI" 9 pt fonts.
// The SPI_SET actions listed above change the value for this process (and
// broadcast nothing). FALSE for an unknown action or a bad size.
BOOL SystemParametersInfo(UINT action, UINT uiParam, void* pvParam, UINT winIni);
inline BOOL SystemParametersInfoW(UINT action, UINT uiParam, void* pvParam, UINT winIni) {
  return SystemParametersInfo(action, uiParam, pvParam, winIni);
}

constexpr UINT MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4,
               MB_RETRYCANCEL = 0x5, MB_CANCELTRYCONTINUE = 0x6, MB_TYPEMASK = 0xF, MB_ICONHAND = 0x10,
               MB_ICONERROR = 0x10, MB_ICONSTOP = 0x10, MB_ICONQUESTION = 0x20, MB_ICONEXCLAMATION = 0x30,
               MB_ICONWARNING = 0x30, MB_ICONASTERISK = 0x40, MB_ICONINFORMATION = 0x40, MB_ICONMASK = 0xF0,
               MB_DEFBUTTON1 = 0x0, MB_DEFBUTTON2 = 0x100, MB_DEFBUTTON3 = 0x200, MB_DEFMASK = 0xF00,
               MB_APPLMODAL = 0x0, MB_SYSTEMMODAL = 0x1000, MB_TASKMODAL = 0x2000, MB_SETFOREGROUND = 0x10000,
               MB_TOPMOST = 0x40000;
// Goes to the sound hook below as the system alias of its icon type
// ("SystemDefault", "SystemHand", "SystemQuestion", "SystemExclamation",
// "SystemAsterisk") with SND_ALIAS | SND_ASYNC. Always TRUE.
BOOL MessageBeep(UINT type);

// ---------------------------------------------------------------- sounds
// Nothing is played: a sound request goes to the sound hook (tests watch
// it) and PlaySound answers TRUE. A null name stops what plays (the hook
// sees an empty name).
constexpr DWORD SND_SYNC = 0x0, SND_ASYNC = 0x1, SND_NODEFAULT = 0x2, SND_MEMORY = 0x4, SND_LOOP = 0x8,
                SND_NOSTOP = 0x10, SND_NOWAIT = 0x2000, SND_ALIAS = 0x10000, SND_FILENAME = 0x20000,
                SND_RESOURCE = 0x40004, SND_PURGE = 0x40;
BOOL PlaySound(LPCSTR sound, HMODULE mod, DWORD flags);
inline BOOL PlaySoundW(LPCSTR sound, HMODULE mod, DWORD flags) { return PlaySound(sound, mod, flags); }
using SoundHook = std::function<void(const std::string& sound, DWORD flags)>;
void SetSoundHook(SoundHook hook);  // empty: requests go nowhere

// ---------------------------------------------------------------- the version of the platform
// What this platform answers when asked for its version: the NT family
// (platform id 2), version 6.1, unless overridden (tests play older
// releases and the 9x family, platform id 1).
constexpr DWORD VER_PLATFORM_WIN32s = 0, VER_PLATFORM_WIN32_WINDOWS = 1, VER_PLATFORM_WIN32_NT = 2;
struct OSVERSIONINFO {
  DWORD dwOSVersionInfoSize = sizeof(OSVERSIONINFO);
  DWORD dwMajorVersion = 0;
  DWORD dwMinorVersion = 0;
  DWORD dwBuildNumber = 0;
  DWORD dwPlatformId = 0;
  char szCSDVersion[128] = {};
};
BOOL GetVersionEx(OSVERSIONINFO* info);  // FALSE for a null record or a wrong size
inline BOOL GetVersionExW(OSVERSIONINFO* info) { return GetVersionEx(info); }
struct PlatformVersion {
  DWORD PlatformId = VER_PLATFORM_WIN32_NT;
  DWORD Major = 6, Minor = 1, Build = 7601;
  friend bool operator==(const PlatformVersion&, const PlatformVersion&) = default;
};
PlatformVersion GetPlatformVersion();
// Plays another release for its lifetime, then restores the previous answer.
class ScopedPlatformVersion {
public:
  explicit ScopedPlatformVersion(PlatformVersion v);
  ~ScopedPlatformVersion();
  ScopedPlatformVersion(const ScopedPlatformVersion&) = delete;
  ScopedPlatformVersion& operator=(const ScopedPlatformVersion&) = delete;

private:
  PlatformVersion saved_;
};

// ---------------------------------------------------------------- message boxes
constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7,
              IDTRYAGAIN = 10, IDCONTINUE = 11;
// A modal dialog drawn with gdi: the owner is disabled while it runs its own
// message loop; Enter picks the default button, Escape the cancelling one
// (when there is one). 0 when it could not be shown. A WM_QUIT that arrives
// meanwhile ends it with the cancelling answer and is re-posted.
int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
// Answers every message box without showing one while set (tests, batch runs).
using MessageBoxHook = std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT type)>;
void SetMessageBoxHook(MessageBoxHook hook);

// ---------------------------------------------------------------- global memory and the clipboard
constexpr UINT GMEM_FIXED = 0x0000, GMEM_MOVEABLE = 0x0002, GMEM_ZEROINIT = 0x0040, GHND = 0x0042,
               GPTR = 0x0040, GMEM_SHARE = 0x2000;
// Memory blocks as the clipboard exchanges them. Every block is zero-filled
// and reached through GlobalLock; fixed, movable (GHND) and shared blocks are alike.
HGLOBAL GlobalAlloc(UINT flags, size_t bytes);
void* GlobalLock(HGLOBAL mem);
BOOL GlobalUnlock(HGLOBAL mem);
size_t GlobalSize(HGLOBAL mem);
HGLOBAL GlobalFree(HGLOBAL mem);  // null on success, the handle when it was not a block

constexpr UINT CF_TEXT = 1, CF_BITMAP = 2, CF_OEMTEXT = 7, CF_DIB = 8, CF_PALETTE = 9, CF_UNICODETEXT = 13,
               CF_ENHMETAFILE = 14, CF_HDROP = 15, CF_LOCALE = 16, CF_DIBV5 = 17;
// One clipboard per process; one window (or thread, for a null owner) has it
// open at a time. Text is NUL-terminated: CF_TEXT in Windows-1252, CF_UNICODETEXT
// in UTF-16LE; either is synthesised from the other. CF_DIB is a packed
// DIB. Unicode text is handed to the backend's clipboard on close, and text
// another application put there shows up as CF_UNICODETEXT on open.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();  // must be open; the opener becomes the owner
// The clipboard takes the block (GlobalAlloc); null data is refused. Returns data, null on failure.
HANDLE SetClipboardData(UINT format, HANDLE data);
// The clipboard's own block; valid until the clipboard changes. Must be open.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
UINT EnumClipboardFormats(UINT format);  // 0 starts; 0 at the end
int CountClipboardFormats();
UINT RegisterClipboardFormat(LPCSTR name);  // shares numbers with RegisterWindowMessage
// Numbers the index-th name registered in the process (0 refuses it); null
// restores the platform's own numbering, 0xC000 upward for 0x4000 names.
// Returns the allocator it replaces. Names already registered keep their numbers.
using AtomIdAllocator = UINT (*)(size_t index);
AtomIdAllocator SetAtomIdAllocator(AtomIdAllocator allocator);
int GetClipboardFormatName(UINT format, char* buf, int size);
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();
DWORD GetClipboardSequenceNumber();

// ---------------------------------------------------------------- the module table
// Run-time bound entry points are found through named modules. The table
// holds modules of this platform with what it implements (kernel32.dll,
// user32.dll, gdi32.dll, msimg32.dll and advapi32.dll, loaded from the start
// like the libraries every program has; shlwapi.dll, shell32.dll, Userenv.dll
// and comctl32.dll, loaded on request; platform/win/shellentries.h); a module or entry point this platform lacks (avrt.dll, for one)
// is not found, and callers take their documented fallback. Names ignore
// ASCII case and ".dll" is optional. Tests can replace the table
// (ScopedModuleTable). Text entry points take UTF-8 as std::string_view
// where the original takes UTF-16.
struct ModuleExport {
  std::string Name;
  WORD Ordinal = 0;  // 0: reachable by name only
  FARPROC Address = nullptr;
};
struct ModuleDefinition {
  std::string Name;
  std::vector<ModuleExport> Exports;
  bool OnRequest = false;  // a platform module that is not loaded until LoadLibrary asks
};
HMODULE LoadLibrary(LPCSTR name);  // counts references; null when unknown
inline HMODULE LoadLibraryW(LPCSTR name) { return LoadLibrary(name); }
BOOL FreeLibrary(HMODULE mod);
// A loaded module without adding a reference; null names the program itself.
HMODULE GetModuleHandle(LPCSTR name);
// By name, or by ordinal through MAKEINTRESOURCE.
FARPROC GetProcAddress(HMODULE mod, LPCSTR nameOrOrdinal);
// How often the module went from unloaded to loaded since the process started.
int ModuleLoadCount(LPCSTR name);
// Plays a platform that lacks an entry point: GetProcAddress does not find
// it while hidden. Outlives table swaps.
void HideModuleExport(LPCSTR module, LPCSTR name, BOOL hidden);
// CompareStringOrdinal's answers.
constexpr int CSTR_LESS_THAN = 1;
constexpr int CSTR_EQUAL = 2;
constexpr int CSTR_GREATER_THAN = 3;
// Adds a module to the table (replacing one of the same name).
void RegisterModule(ModuleDefinition module);
BOOL UnregisterModule(LPCSTR name);
// Swaps in a table of its own for its lifetime (the platform's modules are
// absent from it unless given), then puts the previous table back.
class ScopedModuleTable {
public:
  explicit ScopedModuleTable(std::vector<ModuleDefinition> modules);
  ~ScopedModuleTable();
  ScopedModuleTable(const ScopedModuleTable&) = delete;
  ScopedModuleTable& operator=(const ScopedModuleTable&) = delete;

private:
  void* saved_;
};
// The table's entries for the platform's own modules.
std::vector<ModuleDefinition> PlatformModules();

}  // namespace win
