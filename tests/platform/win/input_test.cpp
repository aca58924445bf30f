// Mouse and keyboard input, capture, focus and activation, the key table.
#include "tests/platform/win/wintest.h"

namespace wintest {
namespace {

using InputTest = WinTest;

std::vector<Rec> Only(const std::vector<Rec>& log, std::initializer_list<UINT> msgs) {
  std::vector<Rec> out;
  for (const Rec& r : log)
    for (UINT m : msgs)
      if (r.Msg == m) out.push_back(r);
  return out;
}

TEST_F(InputTest, ACapturedDragDeliversMovesOutsideTheWindow) {
  HWND w = Make(WS_POPUP | WS_VISIBLE, {100, 100, 150, 150}, nullptr,
                [](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                  if (m == WM_LBUTTONDOWN) SetCapture(h);
                  if (m == WM_LBUTTONUP) ReleaseCapture();
                  return std::nullopt;
                },
                WS_EX_NOACTIVATE);
  Pump();
  ClearLog();
  InputMouseMove({110, 110});
  InputMouseButton(0, true, {110, 110});
  Pump();
  ASSERT_EQ(GetCapture(), w);
  InputMouseMove({300, 20});
  InputMouseButton(0, false, {300, 20});
  Pump();
  EXPECT_EQ(GetCapture(), nullptr);
  auto log = Only(Log(w), {WM_MOUSEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED});
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].Msg, WM_MOUSEMOVE);
  EXPECT_EQ(MAKEPOINT(log[0].LParam), POINT(10, 10));
  EXPECT_EQ(log[1].Msg, WM_MOUSEMOVE);
  EXPECT_EQ(MAKEPOINT(log[1].LParam), POINT(200, -80));
  EXPECT_EQ(log[1].WParam & MK_LBUTTON, MK_LBUTTON);
  EXPECT_EQ(log[2].Msg, WM_LBUTTONUP);
  EXPECT_EQ(log[2].WParam & MK_LBUTTON, 0u);
  EXPECT_EQ(log[3].Msg, WM_CAPTURECHANGED);
  // Without the capture the same move goes elsewhere.
  ClearLog();
  InputMouseMove({300, 20});
  Pump();
  EXPECT_EQ(Count(w, WM_MOUSEMOVE), 0);
}

TEST_F(InputTest, AWheelNotchIsDelta120ToTheFocusWindow) {
  HWND w = Make(WS_POPUP | WS_VISIBLE, {100, 100, 150, 150});
  HWND other = Make(WS_POPUP | WS_VISIBLE, {400, 400, 450, 450}, nullptr, {}, WS_EX_NOACTIVATE);
  SetFocus(w);
  Pump();
  ClearLog();
  InputMouseWheel(-WHEEL_DELTA, {420, 420});
  Pump();
  auto wheel = Only(Log(w), {WM_MOUSEWHEEL});
  ASSERT_EQ(wheel.size(), 1u);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[0].WParam), -120);
  EXPECT_EQ(MAKEPOINT(wheel[0].LParam), POINT(420, 420)) << "screen coordinates";
  EXPECT_EQ(Count(other, WM_MOUSEWHEEL), 0);
}

TEST_F(InputTest, DoubleClicksOnlyForClassesWithCsDblclks) {
  struct Row {
    const char* Class;
    POINT Second;
    UINT Expected;
  };
  for (Row row : {Row{kDblClass, {110, 110}, WM_LBUTTONDBLCLK}, Row{kClass, {110, 110}, WM_LBUTTONDOWN},
                  Row{kDblClass, {130, 130}, WM_LBUTTONDOWN}}) {
    SCOPED_TRACE(row.Class);
    HWND w = Make(WS_POPUP | WS_VISIBLE, {100, 100, 150, 150}, nullptr, {}, WS_EX_NOACTIVATE, row.Class);
    Pump();
    ClearLog();
    InputMouseButton(0, true, {110, 110});
    InputMouseButton(0, false, {110, 110});
    InputMouseButton(0, true, row.Second);
    InputMouseButton(0, false, row.Second);
    Pump();
    auto clicks = Only(Log(w), {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK});
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].Msg, WM_LBUTTONDOWN);
    EXPECT_EQ(clicks[1].Msg, row.Expected);
    DestroyWindow(w);
    // Far enough in time from the next row's first click: a new window and place.
    InputMouseButton(0, true, {900, 900});
    InputMouseButton(0, false, {900, 900});
    Pump();
  }
}

TEST_F(InputTest, MouseActivateNoActivateIsHonoured) {
  for (LRESULT answer : {MA_ACTIVATE, MA_NOACTIVATE}) {
    HWND active = Make(WS_POPUP | WS_VISIBLE, {0, 0, 50, 50});
    ASSERT_EQ(GetActiveWindow(), active);
    HWND w = Make(WS_POPUP | WS_VISIBLE, {200, 200, 250, 250}, nullptr,
                  [=](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                    if (m == WM_MOUSEACTIVATE) return answer;
                    return std::nullopt;
                  },
                  WS_EX_NOACTIVATE);
    SetWindowLongPtr(w, GWL_EXSTYLE, 0);
    ClearLog();
    InputMouseButton(0, true, {210, 210});
    InputMouseButton(0, false, {210, 210});
    Pump();
    EXPECT_EQ(Count(w, WM_MOUSEACTIVATE), 1);
    EXPECT_EQ(GetActiveWindow(), answer == MA_ACTIVATE ? w : active);
    EXPECT_EQ(Count(w, WM_LBUTTONDOWN), 1) << "the click itself is not eaten";
    DestroyWindow(w);
    DestroyWindow(active);
  }
}

TEST_F(InputTest, ActivationAndFocusMessages) {
  HWND a = Make(WS_POPUP | WS_VISIBLE, {0, 0, 50, 50});
  HWND child = Make(WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, a);
  HWND b = Make(WS_POPUP, {60, 0, 110, 50});
  ASSERT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(GetFocus(), a) << "the default activation handling sets the focus";
  SetFocus(child);
  ClearLog();
  ShowWindow(b, SW_SHOW);
  EXPECT_EQ(GetActiveWindow(), b);
  EXPECT_EQ(GetFocus(), b);
  std::vector<UINT> fromA;
  for (const Rec& r : Only(Log(a), {WM_NCACTIVATE, WM_ACTIVATE})) fromA.push_back(r.Msg);
  EXPECT_EQ(fromA, (std::vector<UINT>{WM_NCACTIVATE, WM_ACTIVATE}));
  for (const Rec& r : Log(a))
    if (r.Msg == WM_ACTIVATE) {
      EXPECT_EQ(LOWORD(r.WParam), WA_INACTIVE);
      EXPECT_EQ(reinterpret_cast<HWND>(r.LParam), b);
    }
  EXPECT_EQ(Count(child, WM_KILLFOCUS), 1);
  EXPECT_EQ(Count(b, WM_SETFOCUS), 1);
  for (const Rec& r : Log(b)) {
    if (r.Msg == WM_ACTIVATE) {
      EXPECT_EQ(LOWORD(r.WParam), WA_ACTIVE);
    }
  }
  // The active window going away hands activation to another window.
  DestroyWindow(b);
  EXPECT_EQ(GetActiveWindow(), a);
}

TEST_F(InputTest, MouseLeaveIsPostedOnceTheMouseLeaves) {
  HWND w = Make(WS_POPUP | WS_VISIBLE, {100, 100, 150, 150}, nullptr, {}, WS_EX_NOACTIVATE);
  Pump();
  InputMouseMove({110, 110});
  Pump();
  TRACKMOUSEEVENT tme;
  tme.dwFlags = TME_LEAVE;
  tme.hwndTrack = w;
  ASSERT_TRUE(TrackMouseEvent(&tme));
  InputMouseMove({120, 120});
  Pump();
  EXPECT_EQ(Count(w, WM_MOUSELEAVE), 0);
  InputMouseMove({500, 500});
  Pump();
  EXPECT_EQ(Count(w, WM_MOUSELEAVE), 1);
  InputMouseMove({110, 110});
  InputMouseMove({500, 500});
  Pump();
  EXPECT_EQ(Count(w, WM_MOUSELEAVE), 1) << "tracking ends with the leave";
}

TEST_F(InputTest, TheKeyTableMapsTheBackendsKeys) {
  struct Row {
    uint32_t Usage;
    UINT Vk;
    UINT Scan;
    bool Extended;
  };
  const Row rows[] = {
      {0x04, 'A', 0x1E, false},           {0x1D, 'Z', 0x2C, false},          {0x1E, '1', 0x02, false},
      {0x27, '0', 0x0B, false},           {0x3A, VK_F1, 0x3B, false},        {0x45, VK_F12, 0x58, false},
      {0x68, VK_F13, 0x64, false},        {0x73, VK_F24, 0x76, false},       {0x4F, VK_RIGHT, 0x4D, true},
      {0x50, VK_LEFT, 0x4B, true},        {0x51, VK_DOWN, 0x50, true},       {0x52, VK_UP, 0x48, true},
      {0x29, VK_ESCAPE, 0x01, false},     {0x4C, VK_DELETE, 0x53, true},     {0x4B, VK_PRIOR, 0x49, true},
      {0x4E, VK_NEXT, 0x51, true},        {0x62, VK_NUMPAD0, 0x52, false},   {0x61, VK_NUMPAD9, 0x49, false},
      {0x57, VK_ADD, 0x4E, false},        {0x56, VK_SUBTRACT, 0x4A, false},  {0x55, VK_MULTIPLY, 0x37, false},
      {0x54, VK_DIVIDE, 0x35, true},      {0x63, VK_DECIMAL, 0x53, false},   {0x58, VK_RETURN, 0x1C, true},
      {0x28, VK_RETURN, 0x1C, false},     {0x2A, VK_BACK, 0x0E, false},      {0x2B, VK_TAB, 0x0F, false},
      {0x2C, VK_SPACE, 0x39, false},      {0x49, VK_INSERT, 0x52, true},     {0x4A, VK_HOME, 0x47, true},
      {0x4D, VK_END, 0x4F, true},         {0xE1, VK_LSHIFT, 0x2A, false},    {0xE5, VK_RSHIFT, 0x36, false},
      {0xE0, VK_LCONTROL, 0x1D, false},   {0xE4, VK_RCONTROL, 0x1D, true},   {0xE2, VK_LMENU, 0x38, false},
      {0xE6, VK_RMENU, 0x38, true},       {0x33, VK_OEM_1, 0x27, false},     {0x38, VK_OEM_2, 0x35, false},
  };
  for (const Row& r : rows) {
    KeyMapping k;
    ASSERT_TRUE(KeyFromHidUsage(r.Usage, 0, k)) << std::hex << r.Usage;
    EXPECT_EQ(k.Vk, r.Vk) << std::hex << r.Usage;
    EXPECT_EQ(k.Scan, r.Scan) << std::hex << r.Usage;
    EXPECT_EQ(k.Extended, r.Extended) << std::hex << r.Usage;
  }
  KeyMapping k;
  EXPECT_FALSE(KeyFromHidUsage(0x01, 0, k));
  ASSERT_TRUE(KeyFromHidUsage(0x1C, U'z', k)) << "the key that types z on this layout";
  EXPECT_EQ(k.Vk, UINT('Z'));
  EXPECT_EQ(MapVirtualKey(VK_F5, MAPVK_VK_TO_VSC), 0x3Fu);
  EXPECT_EQ(MapVirtualKey(0x36, MAPVK_VSC_TO_VK), UINT(VK_SHIFT));
  EXPECT_EQ(MapVirtualKey(0x36, MAPVK_VSC_TO_VK_EX), UINT(VK_RSHIFT));
  EXPECT_EQ(MapVirtualKey('a' - 'a' + 'A', MAPVK_VK_TO_CHAR), UINT('A'));
}

TEST_F(InputTest, KeyMessagesCarryThePlatformsKeyData) {
  HWND w = Make(WS_POPUP | WS_VISIBLE, {0, 0, 50, 50});
  SetFocus(w);
  Pump();
  ClearLog();
  KeyMapping a, alt, del;
  KeyFromVirtualKey('A', a);
  KeyFromVirtualKey(VK_LMENU, alt);
  KeyFromVirtualKey(VK_DELETE, del);
  InputKey(a.Vk, a.Scan, a.Extended, true);
  InputKey(a.Vk, a.Scan, a.Extended, true);  // auto-repeat
  InputKey(a.Vk, a.Scan, a.Extended, false);
  InputKey(del.Vk, del.Scan, del.Extended, true);
  InputKey(del.Vk, del.Scan, del.Extended, false);
  InputKey(alt.Vk, alt.Scan, alt.Extended, true);
  InputKey(a.Vk, a.Scan, a.Extended, true);
  InputKey(a.Vk, a.Scan, a.Extended, false);
  InputKey(alt.Vk, alt.Scan, alt.Extended, false);
  Pump();
  auto keys = Only(Log(w), {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_CHAR, WM_SYSCHAR});
  struct Expect {
    UINT Msg;
    WPARAM WParam;
    uint32_t LParam;
  };
  const Expect expected[] = {
      {WM_KEYDOWN, 'A', 0x001E0001},      {WM_CHAR, 'a', 0x001E0001},         {WM_KEYDOWN, 'A', 0x401E0001},
      {WM_CHAR, 'a', 0x401E0001},         {WM_KEYUP, 'A', 0xC01E0001},        {WM_KEYDOWN, VK_DELETE, 0x01530001},
      {WM_KEYUP, VK_DELETE, 0xC1530001},  {WM_SYSKEYDOWN, VK_MENU, 0x20380001}, {WM_SYSKEYDOWN, 'A', 0x201E0001},
      {WM_SYSCHAR, 'a', 0x201E0001},      {WM_SYSKEYUP, 'A', 0xE01E0001},     {WM_SYSKEYUP, VK_MENU, 0xC0380001},
  };
  ASSERT_EQ(keys.size(), std::size(expected));
  for (size_t i = 0; i < keys.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(keys[i].Msg, expected[i].Msg);
    EXPECT_EQ(keys[i].WParam, expected[i].WParam);
    EXPECT_EQ(uint32_t(keys[i].LParam), expected[i].LParam);
  }
  EXPECT_GE(GetKeyState(VK_MENU), 0);
  EXPECT_GE(GetKeyState('A'), 0);
}

TEST_F(InputTest, KeyStateAndCharactersFollowModifiers) {
  HWND w = Make(WS_POPUP | WS_VISIBLE, {0, 0, 50, 50});
  SetFocus(w);
  Pump();
  ClearLog();
  std::vector<SHORT> shiftSeen;
  On(w, [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_KEYDOWN) shiftSeen.push_back(GetKeyState(VK_SHIFT));
    return std::nullopt;
  });
  KeyMapping shift, one, caps, b;
  KeyFromVirtualKey(VK_LSHIFT, shift);
  KeyFromVirtualKey('1', one);
  KeyFromVirtualKey(VK_CAPITAL, caps);
  KeyFromVirtualKey('B', b);
  InputKey(shift.Vk, shift.Scan, false, true);
  InputKey(one.Vk, one.Scan, false, true);
  InputKey(one.Vk, one.Scan, false, false);
  InputKey(shift.Vk, shift.Scan, false, false);
  InputKey(caps.Vk, caps.Scan, false, true);
  InputKey(caps.Vk, caps.Scan, false, false);
  InputKey(b.Vk, b.Scan, false, true);
  InputKey(b.Vk, b.Scan, false, false);
  InputKey(b.Vk, b.Scan, false, true, U'ß');  // the backend knows better than the table
  InputKey(b.Vk, b.Scan, false, false);
  Pump();
  std::vector<WPARAM> chars;
  for (const Rec& r : Only(Log(w), {WM_CHAR})) chars.push_back(r.WParam);
  EXPECT_EQ(chars, (std::vector<WPARAM>{'!', 'B', 0xDF}));
  ASSERT_GE(shiftSeen.size(), 2u);
  EXPECT_LT(shiftSeen[1], 0) << "Shift is down while '1' is handled";
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1) << "caps lock toggled on";
  InputKey(caps.Vk, caps.Scan, false, true);
  InputKey(caps.Vk, caps.Scan, false, false);
  Pump();
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);
}

int g_keyHookCalls = 0;
LRESULT SwallowingKeyHook(int code, WPARAM w, LPARAM l) {
  if (code == HC_ACTION) {
    ++g_keyHookCalls;
    if (w == VK_F2) return 1;
  }
  return CallNextHookEx(nullptr, code, w, l);
}

TEST_F(InputTest, AKeyboardHookCanSwallowAKey) {
  HWND w = Make(WS_POPUP | WS_VISIBLE, {0, 0, 50, 50});
  SetFocus(w);
  Pump();
  ClearLog();
  g_keyHookCalls = 0;
  HHOOK h = SetWindowsHookEx(WH_KEYBOARD, SwallowingKeyHook, nullptr, 0);
  KeyMapping f2, f3;
  KeyFromVirtualKey(VK_F2, f2);
  KeyFromVirtualKey(VK_F3, f3);
  InputKey(f2.Vk, f2.Scan, false, true);
  InputKey(f3.Vk, f3.Scan, false, true);
  Pump();
  UnhookWindowsHookEx(h);
  InputKey(f2.Vk, f2.Scan, false, false);
  InputKey(f3.Vk, f3.Scan, false, false);
  Pump();
  EXPECT_EQ(g_keyHookCalls, 2);
  std::vector<WPARAM> downs;
  for (const Rec& r : Only(Log(w), {WM_KEYDOWN})) downs.push_back(r.WParam);
  EXPECT_EQ(downs, (std::vector<WPARAM>{VK_F3}));
}

}  // namespace
}  // namespace wintest

namespace wintest {
namespace {

std::vector<int> g_keyCodes;
LRESULT RecordingKeyHook(int code, WPARAM w, LPARAM l) {
  g_keyCodes.push_back(code);
  return CallNextHookEx(nullptr, code, w, l);
}

TEST_F(InputTest, AKeyboardHookSeesAPeekAsNoRemoveAndTheRetrievalAsAction) {
  HWND w = Make(WS_POPUP | WS_VISIBLE, {0, 0, 50, 50});
  SetFocus(w);
  Pump();
  g_keyCodes.clear();
  HHOOK h = SetWindowsHookEx(WH_KEYBOARD, RecordingKeyHook, nullptr, 0);
  KeyMapping f4;
  KeyFromVirtualKey(VK_F4, f4);
  InputKey(f4.Vk, f4.Scan, false, true);
  MSG m;
  ASSERT_TRUE(PeekMessage(&m, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
  ASSERT_TRUE(PeekMessage(&m, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
  UnhookWindowsHookEx(h);
  EXPECT_EQ(g_keyCodes, (std::vector<int>{HC_NOREMOVE, HC_ACTION}));
  InputKey(f4.Vk, f4.Scan, false, false);
  Pump();
}

}  // namespace
}  // namespace wintest
