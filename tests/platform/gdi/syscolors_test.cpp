// System colours, their brushes, metrics and TColor translation.
#include <gtest/gtest.h>

#include "platform/gdi/syscolors.h"

using namespace win;

TEST(SysColors, TableValuesAreStoredAsColorRefs) {
  struct Case {
    int index;
    uint32_t rrggbb;
  } cases[] = {{COLOR_SCROLLBAR, 0xC8C8C8}, {COLOR_ACTIVECAPTION, 0x99B4D1}, {COLOR_WINDOW, 0xFFFFFF},
               {COLOR_WINDOWFRAME, 0x646464}, {COLOR_HIGHLIGHT, 0x3399FF}, {COLOR_BTNFACE, 0xF0F0F0},
               {COLOR_BTNSHADOW, 0xA0A0A0}, {COLOR_GRAYTEXT, 0x6D6D6D}, {COLOR_INACTIVECAPTIONTEXT, 0x434E54},
               {COLOR_3DDKSHADOW, 0x696969}, {COLOR_3DLIGHT, 0xE3E3E3}, {COLOR_INFOBK, 0xFFFFE1},
               {COLOR_HOTLIGHT, 0x0066CC}, {COLOR_GRADIENTINACTIVECAPTION, 0xD7E4F2}, {COLOR_MENUBAR, 0xF0F0F0}};
  for (const Case& k : cases) {
    COLORREF want = RGB(uint8_t(k.rrggbb >> 16), uint8_t(k.rrggbb >> 8), uint8_t(k.rrggbb));
    EXPECT_EQ(GetSysColor(k.index), want) << k.index;
    HBRUSH b = GetSysColorBrush(k.index);
    LOGBRUSH lb;
    ASSERT_EQ(GetObject(b, sizeof lb, &lb), int(sizeof lb));
    EXPECT_EQ(lb.lbColor, want);
    EXPECT_EQ(ColorToColorRef(TColor(0xFF000000u | uint32_t(k.index))), want);
  }
  EXPECT_EQ(GetSysColor(-1), 0u);
  EXPECT_EQ(GetSysColor(31), 0u);
  EXPECT_EQ(GetSysColorBrush(31), nullptr);
}

TEST(SysColors, SystemBrushesSurviveDeleteObject) {
  HBRUSH b = GetSysColorBrush(COLOR_BTNFACE);
  EXPECT_TRUE(DeleteObject(b));
  EXPECT_TRUE(IsValidGdiObject(b, OBJ_BRUSH));
  EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), b);
}

TEST(SysColors, ColorToColorRefPassesPlainColoursAndSentinels) {
  EXPECT_EQ(ColorToColorRef(clRed), 0x0000FFu);
  EXPECT_EQ(ColorToColorRef(clNone), 0x1FFFFFFFu);
  EXPECT_EQ(ColorToColorRef(clDefault), 0x20000000u);
  EXPECT_EQ(ColorToColorRef(clBtnFace), RGB(0xF0, 0xF0, 0xF0));
}

TEST(SysColors, MetricsAtNinetySixDpi) {
  struct Case {
    int index, want;
  } cases[] = {{SM_CXBORDER, 1},  {SM_CYBORDER, 1},   {SM_CXEDGE, 2},      {SM_CXFRAME, 4},
               {SM_CXSIZEFRAME, 4}, {SM_CXVSCROLL, 17}, {SM_CYHSCROLL, 17}, {SM_CXHSCROLL, 17},
               {SM_CYVSCROLL, 17}, {SM_CXSMICON, 16},  {SM_CXICON, 32},     {SM_CYCAPTION, 22},
               {SM_CYMENU, 20},    {SM_CXMENUCHECK, 15}, {SM_CXDRAG, 4},    {SM_CXDOUBLECLK, 4},
               {SM_CXSCREEN, 1920}, {SM_CYSCREEN, 1080}, {12345, 0}};
  for (const Case& k : cases) EXPECT_EQ(GetSystemMetrics(k.index), k.want) << k.index;
  EXPECT_EQ(GetDoubleClickTime(), 500u);
}

TEST(SysColors, SetSysColorsChangesColourBrushAndTranslation) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW);
  const int elements[] = {COLOR_BTNFACE, COLOR_BTNSHADOW};
  const COLORREF values[] = {RGB(1, 2, 3), RGB(200, 100, 50)};
  ASSERT_TRUE(SetSysColors(2, elements, values));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(1, 2, 3));
  EXPECT_EQ(ColorToColorRef(clBtnShadow), RGB(200, 100, 50));
  LOGBRUSH lb;
  ASSERT_EQ(GetObject(GetSysColorBrush(COLOR_BTNFACE), sizeof lb, &lb), int(sizeof lb));
  EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));

  // One bad index refuses the whole call.
  const int bad[] = {COLOR_BTNFACE, SYSCOLOR_COUNT};
  const COLORREF other[] = {RGB(9, 9, 9), RGB(9, 9, 9)};
  EXPECT_FALSE(SetSysColors(2, bad, other));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(1, 2, 3));

  const COLORREF restore[] = {face, shadow};
  ASSERT_TRUE(SetSysColors(2, elements, restore));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(0xF0, 0xF0, 0xF0));
}
