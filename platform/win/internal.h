// Private state of the window system, shared by the files of this folder.
//
// Locking: one process-wide recursive lock (the user lock) guards windows,
// classes, timers, hooks and the input state. It is never held while a
// window procedure, hook, timer procedure or backend runs: CallOut releases
// every level the thread holds and takes them again afterwards, so a
// procedure may call any function here, on any thread. Each thread queue has
// a mutex of its own for what other threads post into it; it may be taken
// while holding the user lock, never the other way round.
//
// Lifetime: windows live in the handle table as shared_ptr. Destruction
// takes a window out of the table (its handle turns stale at once) but the
// object lives on while a caller still holds it, so a window destroyed inside
// its own handler is never freed under that handler.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/classes/threads.h"
#include "platform/gdi/region.h"
#include "platform/win/backend.h"
#include "platform/win/winuser.h"

namespace win::detail {

using Clock = std::chrono::steady_clock;

// ---------------------------------------------------------------- the user lock
std::recursive_mutex& UserMutex();
int& LockDepth();  // levels the calling thread holds

class Lock {
public:
  Lock() { UserMutex().lock(); ++LockDepth(); }
  ~Lock() { --LockDepth(); UserMutex().unlock(); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
};

// Releases every level of the user lock the thread holds for its lifetime.
class Unlock {
public:
  Unlock() : depth_(LockDepth()) {
    for (int i = 0; i < depth_; ++i) UserMutex().unlock();
    LockDepth() = 0;
  }
  ~Unlock() {
    for (int i = 0; i < depth_; ++i) UserMutex().lock();
    LockDepth() = depth_;
  }
  Unlock(const Unlock&) = delete;
  Unlock& operator=(const Unlock&) = delete;

private:
  int depth_;
};

// Runs f with the user lock fully released.
template <class F>
decltype(auto) CallOut(F&& f) {
  Unlock u;
  return f();
}

// ---------------------------------------------------------------- classes and windows
struct WndClass {
  ATOM Atom = 0;
  std::string Name;
  UINT Style = 0;
  WNDPROC Proc = nullptr;
  int ClsExtra = 0, WndExtra = 0;
  HINSTANCE Instance = nullptr;
  HICON Icon = nullptr, IconSm = nullptr;
  HCURSOR Cursor = nullptr;
  HBRUSH Background = nullptr;
  std::string MenuName;
  std::vector<uint8_t> Extra;
  int Windows = 0;  // live windows of the class
  bool System = false;
};

struct SurfaceBuffer {
  int32_t Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;
  Surface Get() {
    Surface s;
    s.Bits = reinterpret_cast<uint8_t*>(Pixels.data());
    s.Width = Width;
    s.Height = Height;
    s.Stride = ptrdiff_t(Width) * 4;
    s.BitCount = 32;
    return s;
  }
};

// One of a window's own scroll bars (WS_HSCROLL, WS_VSCROLL).
struct ScrollBarState {
  int Min = 0, Max = 100;
  UINT Page = 0;
  int Pos = 0;
  UINT Arrows = ESB_ENABLE_BOTH;  // ESB_DISABLE_ bits
  // While the mouse holds the bar (scrollbar.cpp's tracking loop).
  int Pressed = 0;             // the part held, 0 for none
  bool PressedInside = false;  // the mouse is over that part (drawn pushed)
  bool Tracking = false;       // the thumb is being dragged
  int TrackPos = 0;            // the thumb's position while dragged
};

struct Window {
  HWND Handle = nullptr;
  std::shared_ptr<WndClass> Class;
  TThreadID Thread = 0;
  DWORD Style = 0, ExStyle = 0;
  WNDPROC Proc = nullptr;
  LONG_PTR UserData = 0, Id = 0;
  HINSTANCE Instance = nullptr;
  std::vector<uint8_t> Extra;
  std::string Text;

  Window* Parent = nullptr;  // WS_CHILD: the parent; otherwise the desktop
  Window* Owner = nullptr;   // top-level windows only
  std::vector<Window*> Children;  // topmost first

  RECT Rect;    // in the parent's client coordinates (the screen for top-level windows)
  RECT Client;  // in window coordinates

  Region Update;  // window coordinates
  bool Erase = false, NcPaint = false, InternalPaint = false;
  std::optional<Region> WindowRgn;  // window coordinates

  std::vector<std::pair<std::string, HANDLE>> Props;

  // Top-level windows only.
  std::shared_ptr<SurfaceBuffer> Buffer;
  RECT Dirty;  // surface area not yet presented
  bool NativeKnown = false;
  NativeWindowState NativeApplied;

  bool IsDesktop = false;
  bool MessageOnly = false;
  bool Creating = true;      // until WM_CREATE returned
  bool Destroying = false;   // DestroyWindow began
  bool Dead = false;         // out of the table
  RECT RestoreRect;          // window rectangle before maximize/minimize
  BYTE LayeredAlpha = 255;
  bool LayeredPerPixel = false;  // UpdateLayeredWindow gave an image with per-pixel alpha
  COLORREF LayeredKey = 0;
  DWORD LayeredFlags = 0;
  bool RedrawOff = false;    // WM_SETREDRAW FALSE
  bool NcActive = false;     // the frame shows the active look
  ScrollBarState HScroll, VScroll;
  bool FlatScrollBars = false;  // InitializeFlatSB: the bars draw flat

  bool IsChildWindow() const { return (Style & WS_CHILD) && Parent && !Parent->IsDesktop; }
  bool IsTopLevel() const { return !IsDesktop && !IsChildWindow(); }
};
using WindowPtr = std::shared_ptr<Window>;

// Handle table (under the user lock).
WindowPtr Find(HWND hwnd);          // null when stale
Window* FindRaw(HWND hwnd);         // likewise, without a reference
WindowPtr Ref(Window* w);           // the table's reference to a live window
Window* Desktop();
HWND NewHandle(const WindowPtr& w);
void DropHandle(Window* w);

std::shared_ptr<WndClass> FindClass(LPCSTR name);
void EnsureSystemClasses();

// ---------------------------------------------------------------- geometry (under the user lock)
Window* TopLevelOf(Window* w);            // the window itself for a top-level window
POINT ScreenOrigin(const Window* w);      // window rectangle's top-left on the screen
POINT ClientScreenOrigin(const Window* w);
POINT OriginInTop(const Window* w);       // window rectangle's top-left in its top-level surface
bool IsVisibleChain(const Window* w);     // the window and all ancestors visible
bool IsEnabledWindow(const Window* w);
bool IsDescendant(const Window* ancestor, const Window* w);
RECT ClientRectLocal(const Window* w);    // (0, 0, width, height)
RECT WindowRectScreen(const Window* w);
// What of the window is visible on its top-level surface, in its client
// coordinates (client = true) or window coordinates.
Region VisibleRegion(Window* w, bool client, bool clipChildren, bool clipSiblings);
// Non-client metrics of the default frame for a style (left, top, right, bottom widths).
RECT FrameMetrics(DWORD style, DWORD exStyle);
// The deepest visible window at a screen point below p (whose client origin
// is porg); windows of thread me answering HTTRANSPARENT are looked through
// when throughTransparent. A disabled child stands for its parent.
Window* DeepestAt(Window* p, POINT porg, POINT pt, bool throughTransparent, TThreadID me, int depth = 0);
// The default hit test for a point in window coordinates.
LRESULT DefaultHitTest(Window* w, POINT windowPt);

// ---------------------------------------------------------------- messages and queues
struct SentItem {
  HWND Hwnd = nullptr;
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  std::function<LRESULT()> Call;  // a marshalled call instead of a message
  LRESULT Result = 0;
  bool Done = false;
  bool NoReply = false;
  std::exception_ptr Error;
  std::shared_ptr<struct ThreadQueue> Sender;
};

// Input as the backend reported it, waiting for its thread to route it.
struct RawInput {
  enum Kind : uint8_t { MouseMove, MouseButton, Wheel, Key, Text, WindowMoved, WindowResized, Close, Focus, Screen };
  Kind What = MouseMove;
  POINT Pt;            // screen
  int Button = 0;
  bool Down = false;
  int Delta = 0;
  bool Horizontal = false;
  UINT Vk = 0, Scan = 0;
  bool Extended = false;
  char32_t Ch = 0;
  std::string Chars;
  HWND Hwnd = nullptr;
  SIZE Size;
  RECT Work;
  DWORD Time = 0;
  WPARAM KeyFlags = 0;  // MK_ state after the event
  bool WasDown = false; // a key's state before the event
};

struct Timer {
  HWND Hwnd = nullptr;
  UINT_PTR Id = 0;
  UINT Elapse = 0;
  TIMERPROC Proc = nullptr;
  CONTEXTPROC ContextProc = nullptr;  // instead of Proc, called with Context first
  void* Context = nullptr;
  Clock::time_point Due;
  std::function<void()> Internal;  // the platform's own timers (caret blink, hover)
};

struct ThreadQueue {
  TThreadID Id = 0;
  std::mutex M;  // guards what follows up to Timers
  std::condition_variable Cv;
  bool Woken = false;
  bool Alive = true;
  std::deque<MSG> Posted;
  std::deque<RawInput> Raw;
  std::deque<std::shared_ptr<SentItem>> Inbox;

  // Owning thread only (or under the user lock, as noted).
  std::deque<MSG> Cooked;  // input routed to a window, waiting to be retrieved
  bool Quit = false;
  int QuitCode = 0;
  std::vector<Timer> Timers;  // user lock
  int SendDepth = 0;          // sent messages being processed
  MSG Last;                   // the last message retrieved

  void Wake();
};
using QueuePtr = std::shared_ptr<ThreadQueue>;

QueuePtr CurrentQueue();                // the calling thread's, made on first use
QueuePtr QueueOf(TThreadID id);         // null when that thread has none
bool IsDisplayThread();
bool IsDisplayThreadId(TThreadID id);
void SetDisplayThread(TThreadID id);
void ActivateNative(HWND hwnd);  // raise and focus the native window at the next flush
std::vector<QueuePtr> AllQueues();
std::vector<Window*> AllWindowsOfThread(TThreadID thread);
void DestroyThreadWindows(TThreadID thread);

// Calls the window procedure (with the call-window hooks) on the calling
// thread, which must own the window.
LRESULT CallWindow(const WindowPtr& w, UINT msg, WPARAM wParam, LPARAM lParam, bool fromThisThread = true);
// Runs f on the thread that owns hwnd (directly when that is this thread)
// and waits for it. False when the window is stale or its thread is gone.
bool RunOnWindowThread(HWND hwnd, const std::function<LRESULT()>& f, LRESULT* result);
// Posts to a thread queue; false when it is full or gone.
bool PostToQueue(const QueuePtr& q, const MSG& m);
// Serves sent messages waiting for the calling thread (and, on the main
// thread, synchronised calls). True when anything ran.
bool ServeIncoming(const QueuePtr& q);
// Blocks the calling thread until woken or timeout (ms, -1 forever).
void WaitQueue(const QueuePtr& q, int timeoutMs, bool idle);
void PurgeWindowMessages(Window* w);

DWORD Now();  // GetTickCount

// ---------------------------------------------------------------- painting (under the user lock)
// Adds rgn (window coordinates) to the update region, recursing into children as the flags say.
void InvalidateWindow(Window* w, const Region& rgn, UINT flags);
void ValidateWindow(Window* w, const Region& rgn, UINT flags);
Window* FindPaintWindow(TThreadID thread, Window* filter);
void MarkDirty(Window* w, const RECT& windowRect);  // the top-level surface needs presenting there
void EnsureSurface(Window* top);
// Draws the default non-client frame.
void DrawDefaultFrame(HWND hwnd, HDC dc, bool active);
// Draws the window's scroll bars (and the box between two of them) in the
// non-client area; the arguments are copies taken under the user lock, and
// the call is made without it.
void DrawWindowScrollBars(HDC dc, DWORD style, const RECT& client, const RECT& window, bool flat,
                          const ScrollBarState& h, const ScrollBarState& v);
// The modal loop of a press on a window scroll bar (SC_HSCROLL, SC_VSCROLL);
// screen is the press point.
void TrackWindowScrollBar(HWND hwnd, int bar, POINT screen);
// Repaints what needs it now: WM_NCPAINT, WM_ERASEBKGND, WM_PAINT (children too with allChildren).
void PaintNow(HWND hwnd, bool allChildren, bool eraseOnly);
void ForgetWindowDCs(Window* w);

// ---------------------------------------------------------------- input state (under the user lock)
struct InputState {
  HWND Focus = nullptr;
  HWND Active = nullptr;
  HWND Capture = nullptr;
  bool AppActive = false;
  BYTE Keys[256] = {};       // what GetKeyState reports
  BYTE AsyncKeys[256] = {};  // what GetAsyncKeyState reports
  POINT Cursor;
  HCURSOR CurrentCursor = nullptr;
  int CursorCount = 0;
  // Double clicks.
  HWND LastClickHwnd = nullptr;
  UINT LastClickMsg = 0;
  DWORD LastClickTime = 0;
  POINT LastClickPt;
  bool LastWasDouble = false;
  // TrackMouseEvent.
  HWND TrackHwnd = nullptr;
  DWORD TrackFlags = 0;
  DWORD HoverTime = 400;
  DWORD HoverStart = 0;
  POINT HoverPt;
  bool HoverArmed = false;
  HWND MouseWindow = nullptr;  // last window a mouse message went to
  LRESULT MouseHit = HTNOWHERE;
  bool SwapButtons = false;
};
InputState& Input();

// Turns raw input of q into cooked messages (may send messages), in order,
// until a cooked message satisfies wanted (all of it when wanted is empty).
// True when it routed anything.
bool CookRawInput(const QueuePtr& q, const std::function<bool(const MSG&)>& wanted = {});
// Side effects of removing a cooked input message: hooks, activation,
// WM_SETCURSOR, key state. False when the message is to be dropped.
bool PrepareInputMessage(MSG& m, bool remove);
// Focus, capture, activation and tracking leave the window (and its
// descendants); with notify, the messages that go with it are sent.
void OnWindowGone(Window* w, bool notify = true);
void SetActiveInternal(HWND hwnd, bool mouse, bool fromBackend);
// Activates another top-level window when the active one goes away.
void ActivateOther(HWND leaving);
DWORD KeyFlagsNow();

// ---------------------------------------------------------------- hooks
// Calls the chain of a type for the calling thread; 0 when there is none.
LRESULT CallHooks(int type, int code, WPARAM wParam, LPARAM lParam);
bool HasHooks(int type);
void RemoveThreadHooks(TThreadID thread);

// ---------------------------------------------------------------- timers
void KillWindowTimers(HWND hwnd);

// ---------------------------------------------------------------- menus
void DestroySystemMenu(HWND hwnd);  // the window's system menu goes with it
// The next due timer of the thread matching the filter, as a message; the
// platform's own timers run here instead. Returns false when none is due.
bool NextTimerMessage(const QueuePtr& q, HWND filter, bool remove, MSG* out);
int MillisToNextTimer(const QueuePtr& q);  // -1 when there is none
UINT_PTR SetInternalTimer(HWND hwnd, UINT elapse, std::function<void()> f);
void KillInternalTimer(UINT_PTR id);

// ---------------------------------------------------------------- carets and cursors
void CaretBeforePaint(HWND hwnd);
void CaretAfterPaint(HWND hwnd);
void CaretWindowGone(HWND hwnd);
void ApplyCursor(HCURSOR c);

// ---------------------------------------------------------------- display
void NativeStateChanged(Window* top);  // re-evaluated at the next flush
void NativeWindowGone(Window* top);
void WakeDisplay();
SIZE ScreenSizeNow();
RECT WorkAreaNow();
void SetBackendWorkArea(const RECT& work);
std::vector<MonitorArea> MonitorsNow();
// nullopt: one monitor, following the screen and its work area.
void SetMonitorsNow(std::optional<std::vector<MonitorArea>> monitors);
// Whether the module table may offer an entry point (some depend on what
// the display backend can show).
bool BackendOffersExport(const std::string& module, const std::string& name);

// ---------------------------------------------------------------- atoms
// The shared table of registered message and clipboard format names.
UINT RegisterAtomName(LPCSTR name);
std::string AtomName(UINT id);

// Text helpers.
bool SameNameAscii(const std::string& a, const char* b);
std::string CopyName(LPCSTR name);  // "#123" for an integer name

}  // namespace win::detail
