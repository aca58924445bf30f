#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fake_theme_provider.h"
#include "platform/gdi/gdi.h"
#include "platform/rtl/text.h"
#include "platform/win/winuser.h"
#include "ui/lookandfeel/dxOffice11.h"
#include "ui/lookandfeel/dxThemeManager.h"

namespace {

TEST(ThemeBindingWithoutVisualStyles, ReportsTheLibraryMissing) {
  EXPECT_FALSE(UxThemeLoaded());
  EXPECT_FALSE(VisualStyleActive());
  EXPECT_FALSE(IsThemeActive());
  EXPECT_FALSE(AreVisualStylesAvailable(0));
  EXPECT_FALSE(AreVisualStylesAvailable(ThemedTypes({totButton, totToolBar})));
  EXPECT_FALSE(IsThemeTypeAvailable(totStatus));
  EXPECT_EQ(OpenThemeOfType(totButton), 0u);
  const std::u16string list = u"Button";
  EXPECT_EQ(OpenThemeOfType(totButton, &list), 0u);
  EXPECT_EQ(CloseThemeOfType(totButton), 1);
  EXPECT_EQ(dxThemeChangedReceiverWindow(), nullptr);
}

TEST(ThemeBindingWithoutVisualStyles, NotificatorIsNeverCalled) {
  int calls = 0;
  TdxThemeChangedNotificator notificator;
  notificator.OnThemeChanged = [&] { ++calls; };
  CloseCachedThemes();
  // Nothing receives the change: no window exists to send it to.
  ASSERT_EQ(dxThemeChangedReceiverWindow(), nullptr);
  EXPECT_EQ(calls, 0);
}

// The manager restarted with the fake bound as the loaded library.
class ThemeManagerWithFake : public ::testing::Test {
protected:
  void SetUp() override {
    dxBindThemeProvider(&fake);
    dxThemeManagerUnitStart();
  }
  void TearDown() override {
    dxThemeManagerUnitStop();
    dxBindThemeProvider(nullptr);
    RefreshOffice11Colors();  // back to the colours without a scheme
  }
  void SendThemeChanged() {
    ASSERT_NE(dxThemeChangedReceiverWindow(), nullptr);
    EXPECT_EQ(win::SendMessage(dxThemeChangedReceiverWindow(), win::WM_THEMECHANGED, 0, 0), 0);
  }
  FakeThemeProvider fake;
};

TEST_F(ThemeManagerWithFake, TypeOpenedOnceAndCached) {
  EXPECT_TRUE(AreVisualStylesAvailable(0));
  EXPECT_TRUE(fake.Opens.empty());  // the empty set opens nothing
  const HTHEME first = OpenThemeOfType(totToolBar);
  ASSERT_NE(first, 0u);
  EXPECT_EQ(OpenThemeOfType(totToolBar), first);
  EXPECT_TRUE(IsThemeTypeAvailable(totToolBar));
  ASSERT_EQ(fake.Opens.size(), 1u);
  EXPECT_EQ(fake.Opens[0].ClassList, u"ToolBar");
}

TEST_F(ThemeManagerWithFake, DefaultClassNamesOfEveryType) {
  const char16_t* names[] = {u"Button",   u"Clock",      u"ComboBox", u"Edit",     u"ExplorerBar", u"Header",
                             u"ListBox",  u"ListView",   u"Menu",     u"Page",     u"Progress",    u"Rebar",
                             u"ScrollBar", u"Spin",      u"StartPanel", u"Status", u"Tab",         u"TaskBand",
                             u"TaskBar",  u"ToolBar",    u"ToolTip",  u"TrackBar", u"TrayNotify",  u"TreeView",
                             u"Window"};
  EXPECT_TRUE(AreVisualStylesAvailable(0x1FFFFFF));
  ASSERT_EQ(fake.Opens.size(), std::size(names));
  for (size_t i = 0; i < std::size(names); ++i) EXPECT_EQ(fake.Opens[i].ClassList, names[i]) << i;
}

TEST_F(ThemeManagerWithFake, ClassListsComparedUpperCased) {
  const std::u16string list = u"Explorer::TreeView";
  const std::u16string sameOtherCase = u"EXPLORER::treeview";
  const std::u16string other = u"TreeView";
  const HTHEME first = OpenThemeOfType(totTreeView, &list);
  EXPECT_EQ(OpenThemeOfType(totTreeView, &sameOtherCase), first);
  EXPECT_EQ(fake.Opens.size(), 1u);
  const HTHEME second = OpenThemeOfType(totTreeView, &other);
  EXPECT_NE(second, first);
  EXPECT_EQ(fake.Closes, std::vector<HTHEME>{first});
  ASSERT_EQ(fake.Opens.size(), 2u);
  EXPECT_EQ(fake.Opens[1].ClassList, u"TreeView");
}

TEST_F(ThemeManagerWithFake, CloseThemeOfType) {
  EXPECT_EQ(CloseThemeOfType(totSpin), 0);  // never opened
  const HTHEME theme = OpenThemeOfType(totSpin);
  EXPECT_EQ(CloseThemeOfType(totSpin), 0);
  EXPECT_EQ(fake.Closes, std::vector<HTHEME>{theme});
  OpenThemeOfType(totSpin);
  EXPECT_EQ(fake.Opens.size(), 2u);  // the handle was forgotten
}

TEST_F(ThemeManagerWithFake, RefusedTypeMakesASetUnavailable) {
  fake.Refused = {u"REBAR"};
  EXPECT_FALSE(IsThemeTypeAvailable(totRebar));
  EXPECT_TRUE(AreVisualStylesAvailable(ThemedTypes({totButton, totHeader})));
  fake.Opens.clear();
  fake.Calls.clear();
  EXPECT_FALSE(AreVisualStylesAvailable(ThemedTypes({totButton, totRebar, totToolBar})));
  // Ascending order, stopping at the first failure; Button was cached.
  EXPECT_EQ(fake.Calls, std::vector<std::string>{"OpenThemeData Rebar"});
}

TEST_F(ThemeManagerWithFake, ClassicThemeAnswersAsWithoutLibrary) {
  dxThemeManagerUnitStop();
  fake.Active = false;
  dxThemeManagerUnitStart();
  EXPECT_TRUE(UxThemeLoaded());
  EXPECT_FALSE(AreVisualStylesAvailable(0));
  EXPECT_EQ(OpenThemeOfType(totButton), 0u);
  EXPECT_EQ(CloseThemeOfType(totButton), 1);
  EXPECT_TRUE(fake.Opens.empty());
}

TEST_F(ThemeManagerWithFake, ThemeChangeClosesReopensAndNotifiesInOrder) {
  const std::u16string list = u"Explorer::ListView";
  const HTHEME listView = OpenThemeOfType(totListView, &list);
  const HTHEME header = OpenThemeOfType(totHeader);
  std::vector<int> order;
  TdxThemeChangedNotificator first, unassigned, second;
  first.OnThemeChanged = [&] { order.push_back(1); };
  second.OnThemeChanged = [&] { order.push_back(2); };
  {
    TdxThemeChangedNotificator gone;
    gone.OnThemeChanged = [&] { order.push_back(9); };
  }
  SendThemeChanged();
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_EQ(fake.Closes, (std::vector<HTHEME>{header, listView}));  // in type order
  fake.Opens.clear();
  EXPECT_NE(OpenThemeOfType(totListView), listView);
  ASSERT_EQ(fake.Opens.size(), 1u);
  EXPECT_EQ(fake.Opens[0].ClassList, u"Explorer::ListView");
}

TEST_F(ThemeManagerWithFake, ThemeChangeRereadsTheActiveState) {
  fake.Active = false;
  SendThemeChanged();
  EXPECT_FALSE(VisualStyleActive());
  EXPECT_FALSE(AreVisualStylesAvailable(0));
  fake.Active = true;
  SendThemeChanged();
  EXPECT_TRUE(AreVisualStylesAvailable(ThemedTypes({totStatus})));
}

TEST_F(ThemeManagerWithFake, OtherMessagesGoToTheDefaultProcedure) {
  int calls = 0;
  TdxThemeChangedNotificator n;
  n.OnThemeChanged = [&] { ++calls; };
  const HTHEME theme = OpenThemeOfType(totTab);
  win::SendMessage(dxThemeChangedReceiverWindow(), win::WM_USER + 1, 0, 0);
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(OpenThemeOfType(totTab), theme);
  EXPECT_TRUE(fake.Closes.empty());
}

TEST_F(ThemeManagerWithFake, CallsAfterTheUnitStopped) {
  const HTHEME theme = OpenThemeOfType(totMenu);
  dxThemeManagerUnitStop();
  EXPECT_EQ(fake.Closes, std::vector<HTHEME>{theme});  // stopping closes the cache
  EXPECT_FALSE(UxThemeLoaded());
  EXPECT_EQ(OpenThemeOfType(totMenu), 0u);
  EXPECT_EQ(CloseThemeOfType(totMenu), 1);
  EXPECT_EQ(dxThemeChangedReceiverWindow(), nullptr);
  int calls = 0;
  TdxThemeChangedNotificator late;
  late.OnThemeChanged = [&] { ++calls; };
  dxThemeManagerUnitStart();  // restarted for the fixture's stop
  SendThemeChanged();
  EXPECT_EQ(calls, 0);  // made while unloaded: never registered
}

TEST_F(ThemeManagerWithFake, WrappersReachTheProvider) {
  const HTHEME theme = OpenThemeOfType(totButton);
  win::HDC dc = win::CreateCompatibleDC(nullptr);
  win::HBITMAP bmp = win::CreateBitmap(8, 8, 1, 32, nullptr);
  win::HGDIOBJ old = win::SelectObject(dc, bmp);
  EXPECT_EQ(DrawThemeBackground(theme, dc, 3, 2, TRect(0, 0, 8, 8), nullptr), win::S_OK);
  EXPECT_EQ(win::GetPixel(dc, 4, 4), FakeThemeProvider::FillOf(3, 2));
  EXPECT_EQ(DrawThemeText(theme, dc, 1, 1, std::string_view("Größe"), 0, 0, TRect(0, 0, 8, 8)), win::S_OK);
  TSize size;
  EXPECT_EQ(GetThemePartSize(theme, dc, 1, 1, 1, size), win::S_OK);
  EXPECT_EQ(size, TSize(13, 13));
  TRect content;
  GetThemeBackgroundContentRect(theme, dc, 1, 1, TRect(0, 0, 20, 10), content);
  EXPECT_EQ(content, TRect(2, 2, 18, 8));
  fake.Colors[{1, 3803}] = 0x123456;
  win::COLORREF color = 0;
  EXPECT_EQ(GetThemeColor(theme, 1, 1, 3803, color), win::S_OK);
  EXPECT_EQ(color, 0x123456u);
  EXPECT_EQ(fake.Calls.back(), "GetThemeColor");
  EXPECT_NE(std::find(fake.Calls.begin(), fake.Calls.end(), "DrawThemeText Größe"), fake.Calls.end());
  win::SelectObject(dc, old);
  win::DeleteObject(bmp);
  win::DeleteDC(dc);
}

TEST(Office11SchemeWithoutVisualStyles, IsNone) { EXPECT_EQ(DetectOffice11Scheme(), 0); }

TEST_F(ThemeManagerWithFake, Office11SchemeDetection) {
  struct Case {
    const char16_t* file;
    const char16_t* color;
    uint32_t major;
    int32_t scheme;
  } cases[] = {
      {u"C:\\WINDOWS\\Resources\\Themes\\Luna\\LUNA.MSSTYLES", u"NORMALCOLOR", 5, 1},
      {u"C:\\WINDOWS\\Resources\\Themes\\Luna\\luna.msstyles", u"HomeStead", 5, 2},
      {u"luna.msstyles", u"Metallic", 5, 3},
      {u"C:\\WINDOWS\\Resources\\Themes\\Royale\\Royale.msstyles", u"NormalColor", 5, 0},
      {u"C:\\WINDOWS\\Resources\\Themes\\Aero\\Aero.msstyles", u"NormalColor", 6, 1},
      {u"C:\\WINDOWS\\Resources\\Themes\\Aero\\Aero.msstyles", u"Other", 6, 0},
      {u"C:\\Luna.msstyles\\Aero.msstyles", u"NormalColor", 5, 0},  // only the file part counts
  };
  for (const Case& c : cases) {
    fake.ThemeFile = c.file;
    fake.ColorName = c.color;
    EXPECT_EQ(DetectOffice11Scheme(c.major), c.scheme) << Utf16ToUtf8(c.file) << " " << Utf16ToUtf8(c.color);
  }
  EXPECT_EQ(DetectOffice11Scheme(), 1);  // the platform reports 6.1
  fake.Active = false;
  SendThemeChanged();
  EXPECT_EQ(DetectOffice11Scheme(6), 0);
}

TEST_F(ThemeManagerWithFake, Office11SchemeTables) {
  struct Case {
    const char16_t* color;
    int32_t scheme, percent;
    uint32_t entry0, entry12, entry35;  // RRGGBB
  } cases[] = {
      {u"NormalColor", 1, 41, 0xDDECFE, 0x274176, 0x002D96},
      {u"HomeStead", 2, 125, 0xF4F7DE, 0x515E33, 0x608058},
      {u"Metallic", 3, 40, 0xF3F4FA, 0x545475, 0x7C7C94},
  };
  auto rgb = [](uint32_t v) { return RGBColor(uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)); };
  AcquireOffice11Colors();
  for (const Case& c : cases) {
    fake.ColorName = c.color;
    RefreshOffice11Colors();
    const std::string name = Utf16ToUtf8(c.color);
    EXPECT_EQ(CurrentOffice11Scheme(), c.scheme) << name;
    EXPECT_TRUE(Office11ColorsAvailable()) << name;
    EXPECT_EQ(Office11GradientPercent(), c.percent) << name;
    EXPECT_EQ(Office11GradientStartColor, rgb(c.entry0)) << name;
    EXPECT_EQ(Office11GripDarkColor, rgb(c.entry12)) << name;
    EXPECT_EQ(Office11OuterFrameColor, rgb(c.entry35)) << name;
    EXPECT_EQ(Office11ArrowColor, clBlack) << name;
    EXPECT_EQ(Office11HighlightColor, clWhite) << name;
    // With a scheme the third mark colour mixes the first with the gradient start, 90 %.
    const uint32_t m = uint32_t(Office11MarkColors1[0]), e = uint32_t(Office11GradientStartColor);
    auto mix = [&](int shift) {  // each term rounded, halves up
      return uint8_t(((m >> shift & 0xFF) * 90 + 50) / 100 + ((e >> shift & 0xFF) * 10 + 50) / 100);
    };
    EXPECT_EQ(Office11MarkColors3[0], RGBColor(mix(0), mix(8), mix(16))) << name;
    // The refreshed brushes paint the scheme's colours.
    win::HDC dc = win::CreateCompatibleDC(nullptr);
    win::HBITMAP bmp = win::CreateBitmap(1, 1, 1, 32, nullptr);
    win::HGDIOBJ old = win::SelectObject(dc, bmp);
    const TRect r(0, 0, 1, 1);
    win::FillRect(dc, &r, Office11GripDarkBrush);
    EXPECT_EQ(TColor(win::GetPixel(dc, 0, 0)), rgb(c.entry12)) << name;
    win::SelectObject(dc, old);
    win::DeleteObject(bmp);
    win::DeleteDC(dc);
  }
  fake.ColorName = u"Royale";
  RefreshOffice11Colors();
  EXPECT_EQ(CurrentOffice11Scheme(), 0);
  EXPECT_FALSE(Office11ColorsAvailable());
  EXPECT_EQ(Office11GradientPercent(), 75);
  EXPECT_EQ(Office11FaceColor, clBtnFace);
  FreeOffice11Colors();
}

}  // namespace
