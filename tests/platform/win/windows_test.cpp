// Creation, destruction, window data, relations and positions.
#include <algorithm>

#include "tests/platform/win/wintest.h"

namespace wintest {
namespace {

using WindowsTest = WinTest;

TEST_F(WindowsTest, CreationSendsTheMessagesInOrder) {
  HWND w = Make(WS_POPUP | WS_VISIBLE, {10, 20, 110, 70});
  ASSERT_NE(w, nullptr);
  std::vector<UINT> msgs = Messages(w);
  auto at = [&](UINT m) { return std::find(msgs.begin(), msgs.end(), m) - msgs.begin(); };
  EXPECT_EQ(msgs.front(), WM_NCCREATE);
  EXPECT_LT(at(WM_NCCREATE), at(WM_NCCALCSIZE));
  EXPECT_LT(at(WM_NCCALCSIZE), at(WM_CREATE));
  EXPECT_LT(at(WM_CREATE), at(WM_SIZE));
  EXPECT_LT(at(WM_SIZE), at(WM_MOVE));
  EXPECT_LT(at(WM_MOVE), at(WM_SHOWWINDOW));
  EXPECT_TRUE(IsWindowVisible(w));
}

TEST_F(WindowsTest, CreationFailsWhenACreationMessageRefuses) {
  struct Row {
    UINT Msg;
    LRESULT Answer;
  };
  for (Row row : {Row{WM_NCCREATE, FALSE}, Row{WM_CREATE, -1}}) {
    ClearLog();
    HWND seen = nullptr;
    HWND w = Make(WS_POPUP, {0, 0, 10, 10}, nullptr, [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
      seen = h;
      if (m == row.Msg) return row.Answer;
      return std::nullopt;
    });
    EXPECT_EQ(w, nullptr);
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_EQ(Count(seen, WM_NCDESTROY), 1) << "the half-made window is torn down";
  }
  EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(CreateWindowEx(0, kClass, "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr)
      << "a child needs a parent";
}

TEST_F(WindowsTest, DestroyWindowSendsDestroyParentsFirstAndNcDestroyLast) {
  HWND p = Make(WS_POPUP, {0, 0, 100, 100});
  HWND a = Make(WS_CHILD, {0, 0, 50, 50}, p);
  HWND a1 = Make(WS_CHILD, {0, 0, 10, 10}, a);
  HWND b = Make(WS_CHILD, {50, 50, 90, 90}, p);
  ClearLog();
  std::vector<std::pair<HWND, UINT>> order;
  auto record = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_DESTROY || m == WM_NCDESTROY) order.push_back({h, m});
    return std::nullopt;
  };
  for (HWND h : {p, a, a1, b}) On(h, record);
  ASSERT_TRUE(DestroyWindow(p));
  // Children are listed topmost first; b was made last, so it is on top.
  std::vector<std::pair<HWND, UINT>> expected{{p, WM_DESTROY},   {b, WM_DESTROY},    {a, WM_DESTROY},
                                              {a1, WM_DESTROY},  {b, WM_NCDESTROY},  {a1, WM_NCDESTROY},
                                              {a, WM_NCDESTROY}, {p, WM_NCDESTROY}};
  EXPECT_EQ(order, expected);
  for (HWND h : {p, a, a1, b}) EXPECT_FALSE(IsWindow(h));
}

TEST_F(WindowsTest, OwnedWindowsAreDestroyedWithTheirOwner) {
  HWND owner = Make(WS_POPUP, {0, 0, 100, 100});
  HWND owned = Make(WS_POPUP, {0, 0, 10, 10}, owner);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
  EXPECT_EQ(GetParent(owned), owner) << "a popup's parent is its owner";
  DestroyWindow(owner);
  EXPECT_FALSE(IsWindow(owned));
  std::vector<UINT> msgs = Messages(owned);
  EXPECT_EQ(msgs.back(), WM_NCDESTROY);
}

TEST_F(WindowsTest, AWindowDestroyingItselfInItsHandlerIsSafe) {
  bool afterwards = false;
  HWND w = Make(WS_POPUP | WS_VISIBLE, {300, 300, 340, 340}, nullptr,
                [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                  if (m == WM_APP || m == WM_LBUTTONDOWN) {
                    EXPECT_TRUE(DestroyWindow(h));
                    EXPECT_TRUE(DestroyWindow(h) || !IsWindow(h));
                    afterwards = !IsWindow(h);
                    return 7;
                  }
                  return std::nullopt;
                },
                WS_EX_NOACTIVATE);
  EXPECT_EQ(SendMessage(w, WM_APP, 0, 0), 7);
  EXPECT_TRUE(afterwards);
  EXPECT_FALSE(IsWindow(w));
  // The same from a dispatched input message.
  HWND v = Make(WS_POPUP | WS_VISIBLE, {300, 300, 340, 340}, nullptr,
                [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                  if (m == WM_LBUTTONDOWN) DestroyWindow(h);
                  return std::nullopt;
                },
                WS_EX_NOACTIVATE);
  InputMouseButton(0, true, {310, 310});
  InputMouseButton(0, false, {310, 310});
  Pump();
  EXPECT_FALSE(IsWindow(v));
}

TEST_F(WindowsTest, StaleAndNullHandlesGiveTheFailureValue) {
  HWND stale = Make(WS_POPUP, {0, 0, 10, 10});
  DestroyWindow(stale);
  for (HWND h : {stale, static_cast<HWND>(nullptr)}) {
    RECT r;
    POINT p;
    PAINTSTRUCT ps;
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(SendMessage(h, WM_APP, 0, 0), 0);
    if (h) {
      EXPECT_FALSE(PostMessage(h, WM_APP, 0, 0));
    }
    EXPECT_FALSE(DestroyWindow(h));
    EXPECT_FALSE(SetWindowPos(h, nullptr, 0, 0, 5, 5, SWP_NOZORDER));
    EXPECT_FALSE(ShowWindow(h, SW_SHOW));
    EXPECT_FALSE(GetWindowRect(h, &r));
    EXPECT_FALSE(GetClientRect(h, &r));
    EXPECT_FALSE(ClientToScreen(h, &p));
    EXPECT_EQ(GetParent(h), nullptr);
    EXPECT_EQ(SetWindowLongPtr(h, GWLP_USERDATA, 1), 0);
    EXPECT_FALSE(SetProp(h, "x", &r));
    EXPECT_EQ(GetProp(h, "x"), nullptr);
    EXPECT_EQ(BeginPaint(h, &ps), nullptr);
    EXPECT_EQ(SetCapture(h), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(EnableWindow(h, FALSE));
    EXPECT_FALSE(IsWindowVisible(h));
    if (h) {
      EXPECT_EQ(SetTimer(h, 1, 10, nullptr), 0u);
      EXPECT_FALSE(InvalidateRect(h, nullptr, TRUE));
      EXPECT_EQ(GetDC(h), nullptr);
      EXPECT_EQ(SetFocus(h), nullptr);
    }
  }
}

WNDPROC g_original = nullptr;
LRESULT Subclass(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_APP + 9) return 99;
  return CallWindowProc(g_original, h, m, w, l);
}

TEST_F(WindowsTest, SubclassingAndWindowData) {
  HWND w = Make(WS_POPUP, {0, 0, 10, 10}, nullptr, [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_APP + 9 || m == WM_APP + 10) return 5;
    return std::nullopt;
  });
  g_original = reinterpret_cast<WNDPROC>(GetWindowLongPtr(w, GWLP_WNDPROC));
  EXPECT_EQ(SetWindowLongPtr(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass)),
            reinterpret_cast<LONG_PTR>(g_original));
  EXPECT_EQ(SendMessage(w, WM_APP + 9, 0, 0), 99);
  EXPECT_EQ(SendMessage(w, WM_APP + 10, 0, 0), 5) << "the rest reaches the original procedure";

  EXPECT_EQ(SetWindowLongPtr(w, GWLP_USERDATA, 1234), 0);
  EXPECT_EQ(GetWindowLongPtr(w, GWLP_USERDATA), 1234);

  ClearLog();
  SetWindowLongPtr(w, GWL_STYLE, LONG_PTR(WS_POPUP | WS_BORDER));
  EXPECT_EQ(DWORD(GetWindowLongPtr(w, GWL_STYLE)) & WS_BORDER, WS_BORDER);
  EXPECT_EQ(Messages(w), (std::vector<UINT>{WM_STYLECHANGING, WM_STYLECHANGED}));

  int a = 1, b = 2;
  EXPECT_TRUE(SetProp(w, "Data", &a));
  EXPECT_TRUE(SetProp(w, "data", &b)) << "names ignore case";
  EXPECT_EQ(GetProp(w, "DATA"), &b);
  EXPECT_EQ(RemoveProp(w, "Data"), &b);
  EXPECT_EQ(GetProp(w, "Data"), nullptr);

  EXPECT_TRUE(SetWindowText(w, "Größe"));
  EXPECT_EQ(GetWindowTextStr(w), "Größe");
  char small[4];
  EXPECT_EQ(GetWindowText(w, small, sizeof small), 2) << "cut at a character boundary";
  EXPECT_STREQ(small, "Gr");
  EXPECT_EQ(FindWindow(kClass, "Größe"), w);
  EXPECT_EQ(FindWindow("wintestclass", "Größe"), w);
  EXPECT_EQ(FindWindow(nullptr, "nothing like it"), nullptr);
  EXPECT_EQ(GetClassNameStr(w), kClass);
}

TEST_F(WindowsTest, RelationsAndCoordinates) {
  HWND top = Make(WS_OVERLAPPEDWINDOW, {100, 50, 500, 450});
  HWND child = Make(WS_CHILD | WS_VISIBLE, {10, 20, 110, 120}, top);
  HWND grand = Make(WS_CHILD | WS_VISIBLE, {5, 5, 25, 25}, child);
  EXPECT_EQ(GetParent(child), top);
  EXPECT_EQ(GetAncestor(grand, GA_ROOT), top);
  EXPECT_EQ(GetAncestor(top, GA_PARENT), GetDesktopWindow());
  EXPECT_TRUE(IsChild(top, grand));
  EXPECT_FALSE(IsChild(grand, top));
  EXPECT_EQ(GetWindow(top, GW_CHILD), child);

  RECT wr, cr;
  GetWindowRect(top, &wr);
  GetClientRect(top, &cr);
  EXPECT_EQ(wr, RECT(100, 50, 500, 450));
  RECT adjusted = cr;
  POINT origin{0, 0};
  ClientToScreen(top, &origin);
  adjusted.Offset(origin.X, origin.Y);
  AdjustWindowRectEx(&adjusted, WS_OVERLAPPEDWINDOW, FALSE, 0);
  EXPECT_EQ(adjusted, wr) << "the client area sits inside the default frame";

  POINT p{1, 2};
  ClientToScreen(grand, &p);
  EXPECT_EQ(p, POINT(origin.X + 10 + 5 + 1, origin.Y + 20 + 5 + 2));
  POINT q = p;
  MapWindowPoints(nullptr, child, &q, 1);
  EXPECT_EQ(q, POINT(5 + 1, 5 + 2));
  EXPECT_EQ(WindowFromPoint(p), nullptr) << "the top-level window is hidden";
  ShowWindow(top, SW_SHOWNOACTIVATE);
  EXPECT_EQ(WindowFromPoint(p), grand);
  EXPECT_EQ(ChildWindowFromPoint(top, {12, 22}), child);
  EXPECT_EQ(ChildWindowFromPoint(top, {300, 300}), top);
  EXPECT_EQ(ChildWindowFromPoint(top, {-5, 300}), nullptr);

  std::vector<HWND> seen;
  EnumChildWindows(top, [](HWND h, LPARAM l) {
    reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&seen));
  EXPECT_EQ(seen, (std::vector<HWND>{child, grand}));
}

TEST_F(WindowsTest, AChildMovedToTheDesktopLeavesItsOldParent) {
  HWND top = Make(WS_OVERLAPPEDWINDOW, {100, 50, 500, 450});
  HWND child = Make(WS_CHILD | WS_VISIBLE, {10, 20, 110, 120}, top);
  EXPECT_EQ(SetParent(child, nullptr), top);
  EXPECT_EQ(GetWindow(top, GW_CHILD), nullptr);
  EXPECT_EQ(GetAncestor(child, GA_ROOT), child);
  DestroyWindow(child);
  EXPECT_FALSE(IsWindow(child));
  DestroyWindow(top);
  EXPECT_FALSE(IsWindow(top));

  // Destroyed the other way round, the moved window outlives its old parent.
  HWND top2 = Make(WS_OVERLAPPEDWINDOW, {100, 50, 500, 450});
  HWND moved = Make(WS_CHILD, {10, 20, 110, 120}, top2);
  SetParent(moved, nullptr);
  DestroyWindow(top2);
  EXPECT_TRUE(IsWindow(moved));
  DestroyWindow(moved);
}

TEST_F(WindowsTest, SetWindowPosNotifiesAndReorders) {
  HWND p = Make(WS_POPUP, {0, 0, 200, 200});
  HWND a = Make(WS_CHILD, {0, 0, 10, 10}, p);
  HWND b = Make(WS_CHILD, {0, 0, 10, 10}, p);
  ASSERT_EQ(GetWindow(p, GW_CHILD), b);
  ClearLog();
  ASSERT_TRUE(SetWindowPos(a, HWND_TOP, 20, 30, 40, 50, 0));
  EXPECT_EQ(GetWindow(p, GW_CHILD), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  std::vector<UINT> msgs = Messages(a);
  EXPECT_EQ(msgs, (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}));
  for (const Rec& r : Log(a)) {
    if (r.Msg == WM_SIZE) {
      EXPECT_EQ(r.LParam, MAKELPARAM(40, 50));
    }
  }
  ClearLog();
  SetWindowPos(a, nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(Count(a, WM_SIZE), 0) << "nothing changed";
  EXPECT_EQ(Count(a, WM_MOVE), 0);
  // A handler may change the proposed position.
  On(a, [](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    if (m == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(l)->x = 77;
    return std::nullopt;
  });
  SetWindowPos(a, nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  RECT r;
  GetWindowRect(a, &r);
  POINT o{0, 0};
  ClientToScreen(p, &o);
  EXPECT_EQ(r.Left - o.X, 77);
  EXPECT_EQ(r.Top - o.Y, 6);
}

TEST_F(WindowsTest, TopmostWindowsStayAboveTheOthers) {
  HWND t = Make(WS_POPUP, {0, 0, 10, 10}, nullptr, {}, WS_EX_TOPMOST);
  HWND n = Make(WS_POPUP, {0, 0, 10, 10});
  EXPECT_EQ(GetTopWindow(nullptr), t);
  SetWindowPos(n, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetTopWindow(nullptr), t);
  SetWindowPos(n, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetTopWindow(nullptr), n);
  EXPECT_TRUE(GetWindowLongPtr(n, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(WindowsTest, ShowWindowMaximizesAndRestores) {
  HWND w = Make(WS_OVERLAPPEDWINDOW, {10, 10, 210, 110});
  ShowWindow(w, SW_SHOWMAXIMIZED);
  EXPECT_TRUE(IsZoomed(w));
  RECT work, r;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  GetClientRect(w, &r);
  POINT o{0, 0};
  ClientToScreen(w, &o);
  EXPECT_GE(o.Y, work.Top);
  EXPECT_EQ(o.X + r.Right, work.Right - (o.X - work.Left)) << "the client spans the work area";
  bool sawMaximized = false;
  for (const Rec& rec : Log(w)) sawMaximized |= rec.Msg == WM_SIZE && rec.WParam == SIZE_MAXIMIZED;
  EXPECT_TRUE(sawMaximized);
  ShowWindow(w, SW_RESTORE);
  EXPECT_FALSE(IsZoomed(w));
  GetWindowRect(w, &r);
  EXPECT_EQ(r, RECT(10, 10, 210, 110));
  EXPECT_TRUE(ShowWindow(w, SW_HIDE));
  EXPECT_FALSE(ShowWindow(w, SW_HIDE)) << "reports the previous visibility";
}

}  // namespace
}  // namespace wintest
