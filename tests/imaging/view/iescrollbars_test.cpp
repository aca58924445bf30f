// The core's scroll-bar routines, plain and flat, and the mouse-state tests.
#include "imaging/view/iescrollbars.h"

#include <gtest/gtest.h>

#include "platform/gdi/syscolors.h"
#include "platform/win/backend.h"

using namespace win;

namespace {

class IEScrollBarsTest : public ::testing::Test {
protected:
  void SetUp() override {
    static const bool registered = [] {
      WNDCLASS wc;
      wc.lpfnWndProc = DefWindowProc;
      wc.lpszClassName = "IEScrollBarsTest";
      return RegisterClass(&wc) != 0;
    }();
    ASSERT_TRUE(registered);
    hwnd_ = CreateWindowEx(WS_EX_NOACTIVATE, "IEScrollBarsTest", "", WS_POPUP | WS_VISIBLE, 10, 10, 200, 150,
                           nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(hwnd_);
    Drain();
  }
  static void Drain() {
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&m);
  }
  SCROLLINFO Info(int bar) const {
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(hwnd_, bar, &si);
    return si;
  }
  HWND hwnd_ = nullptr;
};

TEST_F(IEScrollBarsTest, EachRoutineSetsWhatItsMaskNamesPlainOrFlat) {
  for (bool flat : {false, true}) {
    SCOPED_TRACE(flat ? "flat" : "plain");
    EXPECT_EQ(IESetScrollInfo(hwnd_, SB_HORZ, 0, 65535, 1000, 70000, true, flat), 65535 - 999);
    SCROLLINFO si = Info(SB_HORZ);
    EXPECT_EQ(si.nMax, 65535);
    EXPECT_EQ(si.nPage, 1000u);
    EXPECT_EQ(si.nPos, 64536);
    // The range alone: page and (clamped) position stay.
    EXPECT_EQ(IESetScrollRange(hwnd_, SB_HORZ, 0, 5000, TRUE, flat), -1);
    si = Info(SB_HORZ);
    EXPECT_EQ(si.nMax, 5000);
    EXPECT_EQ(si.nPage, 1000u);
    EXPECT_EQ(si.nPos, 4001);
    // The position alone.
    EXPECT_EQ(IESetScrollPos(hwnd_, SB_HORZ, 123, FALSE, flat), 123);
    si = Info(SB_HORZ);
    EXPECT_EQ(si.nMax, 5000);
    EXPECT_EQ(si.nPos, 123);
    // A caller's own record goes through as it is.
    SCROLLINFO own;
    own.fMask = SIF_PAGE;
    own.nPage = 10;
    own.nPos = 999;  // not in the mask
    EXPECT_EQ(IESetScrollInfoEx(hwnd_, SB_VERT, own, flat, TRUE), 0);
    EXPECT_EQ(Info(SB_VERT).nPage, 10u);
    EXPECT_EQ(Info(SB_VERT).nPos, 0);
  }
}

TEST_F(IEScrollBarsTest, ShowAndEnableReachTheWindowPlainOrFlat) {
  for (bool flat : {false, true}) {
    SCOPED_TRACE(flat ? "flat" : "plain");
    EXPECT_TRUE(IEShowScrollBar(hwnd_, SB_VERT, true, flat));
    RECT c;
    GetClientRect(hwnd_, &c);
    EXPECT_EQ(c.Width(), 200 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_TRUE(GetWindowLong(hwnd_, GWL_STYLE) & WS_VSCROLL);
    EXPECT_TRUE(IEEnableScrollBar(hwnd_, SB_VERT, ESB_DISABLE_BOTH, flat));
    EXPECT_FALSE(IEEnableScrollBar(hwnd_, SB_VERT, ESB_DISABLE_BOTH, flat)) << "no change";
    EXPECT_TRUE(IEEnableScrollBar(hwnd_, SB_VERT, ESB_ENABLE_BOTH, flat));
    EXPECT_TRUE(IEShowScrollBar(hwnd_, SB_VERT, false, flat));
    GetClientRect(hwnd_, &c);
    EXPECT_EQ(c.Width(), 200);
  }
}

TEST_F(IEScrollBarsTest, PrimaryButtonFollowsSwappedButtons) {
  struct Row {
    BOOL Swapped;
    int PhysicalButton;  // 0 left, 1 right
    bool Primary;
  };
  const POINT away{5000, 5000};
  for (Row row : {Row{FALSE, 0, true}, Row{FALSE, 1, false}, Row{TRUE, 0, false}, Row{TRUE, 1, true}}) {
    SCOPED_TRACE(testing::Message() << "swapped " << row.Swapped << " button " << row.PhysicalButton);
    SwapMouseButton(row.Swapped);
    EXPECT_EQ(GetSystemMetrics(SM_SWAPBUTTON), row.Swapped ? 1 : 0);
    EXPECT_FALSE(IEIsPrimaryMouseButtonDown());
    InputMouseButton(row.PhysicalButton, true, away);
    EXPECT_EQ(IEIsPrimaryMouseButtonDown(), row.Primary);
    InputMouseButton(row.PhysicalButton, false, away);
    EXPECT_FALSE(IEIsPrimaryMouseButtonDown());
    Drain();
  }
  SwapMouseButton(FALSE);
  EXPECT_FALSE(IEIsRemoteSession());
}

}  // namespace
