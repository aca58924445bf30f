// The toolbar window's sizing and item layout. Every expected length is
// worked out here from the controls' sizes, the painter's separator size S,
// its mark size and close button, and the bar's frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/ui/bars/toolbar_doubles.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarViewInfo.h"

namespace bartest {
namespace {

class ToolbarLayoutTest : public ToolbarFormTest {
protected:
  int32_t S(TdxBarControl* w) { return w->Painter()->BarSeparatorSize(); }
  // The mark of a bar that shows all its links: ShowMark, the painter's
  // mark and AllowQuickCustomizing.
  int32_t MarkSpace(TdxBarControl* w) {
    TdxBar* bar = w->Bar();
    return bar->ShowMark() && w->Painter()->BarShowsMark() && bar->AllowQuickCustomizing() ? w->Painter()->BarMarkSize()
                                                                                           : 0;
  }
  TdxBarItemLink* Link(TdxBar* ABar, int32_t AIndex) { return ABar->GetItemLinks()->GetItem(AIndex); }
  // The window gets ASize as its client size, its frame around it. The
  // controls are placed again even when the size stays.
  void SetClient(TdxBarControl* w, TSize ASize) {
    w->SetBounds(0, 0, ASize.cx + w->Width() - w->ClientWidth(), ASize.cy + w->Height() - w->ClientHeight());
    w->CalcItemPositions();
  }
};

// Links of different widths and heights, two of them group starts.
const std::vector<TLinkSize> kRow = {{40, 22}, {30, 22, true}, {50, 24}, {20, 22, true}, {60, 22}};

// A docked top bar given less width than its links need shows the links
// that fit, in order, the first one always, and sets the fitting limit.
TEST_F(ToolbarLayoutTest, ADockedTopBarShowsTheLinksThatFitAndSetsTheFittingLimit) {
  TdxBar* bar = NewBar({});
  for (const TLinkSize& link : kRow) AddLink(bar, link);
  TdxBarControl* w = WindowFor(bar, dsTop);
  const int32_t n = int32_t(kRow.size());
  const int32_t s = S(w), mark = MarkSpace(w);
  int32_t fullLength = 0;
  for (int32_t i = 0; i < n; ++i) fullLength += kRow[size_t(i)].Width + (kRow[size_t(i)].BeginGroup ? s : 0);
  const int32_t minWidth = kRow[0].Width + mark;
  for (int32_t width : {10000, fullLength + mark, fullLength + mark - 1, 130, 100, 45, 10, 0, -20}) {
    SCOPED_TRACE(width);
    // The links that fit: a link other than the first must end inside the available length.
    const int32_t available = std::max(width, minWidth) - mark;
    int32_t shown = 1, length = kRow[0].Width, thickness = kRow[0].Height;
    for (int32_t i = 1; i < n; ++i) {
      const int32_t end = length + (kRow[size_t(i)].BeginGroup ? s : 0) + kRow[size_t(i)].Width;
      if (end > available) break;
      length = end;
      thickness = std::max(thickness, kRow[size_t(i)].Height);
      ++shown;
    }
    const TSize size = w->CalcSizeForWidth(dsTop, width);
    EXPECT_EQ(size, TSize(std::max(minWidth, length + mark), thickness));
    TdxBarItemLinks* links = bar->GetItemLinks();
    EXPECT_EQ(links->RecentCount(), shown == n ? -1 : shown);
    ASSERT_EQ(links->GetVisibleItemCount(), shown);

    SetClient(w, size);
    int32_t pos = 0;
    for (int32_t i = 0; i < n; ++i) {
      const TRect r = Link(bar, i)->ItemRect();
      if (i >= shown) {
        EXPECT_TRUE(r.IsEmpty()) << i;
        continue;
      }
      const TLinkSize& link = kRow[size_t(i)];
      if (link.BeginGroup && i > 0) pos += s;
      const int32_t top = (size.cy - link.Height) / 2;
      EXPECT_EQ(r, TRect(pos, top, pos + link.Width, top + link.Height)) << i;
      pos += link.Width;
    }
  }
}

// With the Standard style the links cannot hide links: the limit stays -1
// and the row is placed as far as it fits, the rest unplaced.
TEST_F(ToolbarLayoutTest, TheStandardStyleKeepsAllLinksAndPlacesWhatFits) {
  manager->SetStyle(bmsStandard);
  TdxBar* bar = NewBar({});
  for (const TLinkSize& link : kRow) AddLink(bar, link);
  TdxBarControl* w = WindowFor(bar, dsTop);
  const int32_t s = S(w), mark = MarkSpace(w);
  int32_t fullLength = 0, thickness = 0;
  for (const TLinkSize& link : kRow) {
    fullLength += link.Width + (link.BeginGroup ? s : 0);
    thickness = std::max(thickness, link.Height);
  }
  EXPECT_EQ(w->CalcSizeForWidth(dsTop, 100), TSize(fullLength + mark, thickness));
  EXPECT_EQ(bar->GetItemLinks()->RecentCount(), -1);

  SetClient(w, TSize(100, thickness));
  const int32_t available = 100 - mark;
  int32_t pos = 0;
  for (size_t i = 0; i < kRow.size(); ++i) {
    const int32_t start = pos + (kRow[i].BeginGroup && i > 0 ? s : 0);
    const bool fits = i == 0 || start + kRow[i].Width <= available;
    EXPECT_EQ(Link(bar, int32_t(i))->ItemRect().IsEmpty(), !fits) << i;
    if (!fits) break;
    EXPECT_EQ(Link(bar, int32_t(i))->ItemRect().Left, start) << i;
    pos = start + kRow[i].Width;
  }
}

// GetMinWidth(dsTop): the first link's width and the mark space; without
// links the painter's button width for the manager's glyph size.
TEST_F(ToolbarLayoutTest, TheMinimumWidthOfATopBarIsItsFirstLinkAndTheMark) {
  struct Case {
    std::vector<TLinkSize> Links;
    bool ShowMark;
  };
  for (const Case& c : std::vector<Case>{{{{37, 22}, {80, 22}}, true},
                                         {{{37, 22}, {80, 22}}, false},
                                         {{{90, 30, false}, {10, 22, true}}, true},
                                         {{}, true},
                                         {{}, false}}) {
    SCOPED_TRACE(testing::Message() << c.Links.size() << " links, mark " << c.ShowMark);
    TdxBar* bar = NewBar({});
    for (const TLinkSize& link : c.Links) AddLink(bar, link);
    bar->SetShowMark(c.ShowMark);
    TdxBarControl* w = WindowFor(bar, dsTop);
    const int32_t first = c.Links.empty() ? w->Painter()->ButtonWidthWithBorder(manager->GetGlyphSize())
                                          : c.Links[0].Width;
    EXPECT_EQ(w->GetMinWidth(dsTop), first + MarkSpace(w));
    if (c.Links.empty()) {
      EXPECT_EQ(w->GetMinHeight(dsTop), w->Painter()->ButtonHeightWithBorder(manager->GetGlyphSize()));
    }
  }
}

// A floating bar without links is 51 pixels wide at least, whatever width
// it is offered; its caption's mark and close button may make it wider.
TEST_F(ToolbarLayoutTest, AFloatingBarWithoutLinksIsAtLeast51PixelsWide) {
  for (bool allowClose : {true, false}) {
    SCOPED_TRACE(allowClose);
    TdxBar* bar = NewBar({});
    bar->SetAllowClose(allowClose);
    TdxBarControl* w = WindowFor(bar, dsNone);
    const int32_t close = allowClose ? w->Painter()->CloseButtonSize().cx : 0;
    const int32_t width = std::max(MarkSpace(w) + close, 51);
    const int32_t height = w->Painter()->ButtonHeightWithBorder(manager->GetGlyphSize());
    for (int32_t offered : {-40, 0, 20, 51, 300}) {
      SCOPED_TRACE(offered);
      // The width offered never widens an empty bar: it is as long as its longest row.
      EXPECT_EQ(w->CalcSizeForWidth(dsNone, offered), TSize(width, height));
      bar->SetFloatClientWidth(offered);
      EXPECT_EQ(w->CalcBarSize(dsNone),
                TSize(width + bar->GetNonClientWidth(dsNone), height + bar->GetNonClientHeight(dsNone)));
    }
  }
}

// Narrowing a floating bar until a group no longer fits moves the whole
// group to the next row, with a horizontal separator between the rows; a
// link that begins no group wraps alone.
TEST_F(ToolbarLayoutTest, NarrowingAFloatingBarMovesAWholeGroupToTheNextRow) {
  for (bool group : {true, false}) {
    SCOPED_TRACE(group);
    TdxBar* bar = NewBar({{30, 20}, {30, 20}, {30, 24, group}, {30, 20}});
    TdxBarControl* w = WindowFor(bar, dsNone);
    const int32_t s = S(w);
    const int32_t close = bar->CanClose() ? w->Painter()->CloseButtonSize().cx : 0;
    const int32_t minWidth = std::max(30, std::max(MarkSpace(w) + close, 51));
    // The third link still fits after the separator; the fourth does not.
    const int32_t offered = 30 + 30 + (group ? s : 0) + 30 + 10;
    const TSize size = w->CalcSizeForWidth(dsNone, offered);
    if (group) {
      // Rows: 60 long and 20 thick, then 60 long and 24 thick after S.
      EXPECT_EQ(size, TSize(std::max(60, minWidth), 20 + s + 24));
    } else {
      // Rows: 90 long and 24 thick, then the fourth link alone.
      EXPECT_EQ(size, TSize(std::max(90, minWidth), 24 + 20));
    }
    SetClient(w, size);
    w->CalcViewInfo();
    const TRect a = Link(bar, 0)->ItemRect(), b = Link(bar, 1)->ItemRect();
    const TRect c = Link(bar, 2)->ItemRect(), d = Link(bar, 3)->ItemRect();
    TdxBarSeparatorInfo separator;
    if (group) {
      const int32_t row2 = 20 + s;
      EXPECT_EQ(a, TRect(0, 0, 30, 20));
      EXPECT_EQ(b, TRect(30, 0, 60, 20));
      EXPECT_EQ(c, TRect(0, row2, 30, row2 + 24));
      EXPECT_EQ(d, TRect(30, row2 + 2, 60, row2 + 22));
      EXPECT_TRUE(Link(bar, 1)->Control()->LastInRow);
      EXPECT_EQ(Link(bar, 3)->RowSize, 24);
      // The row's paint rectangle reaches across the whole row.
      EXPECT_EQ(w->GetItemPaintRect(Link(bar, 3)->Control()), TRect(30, row2, 60, row2 + 24));
      ASSERT_EQ(w->ViewInfo()->SeparatorCount(), 1);
      w->ViewInfo()->SeparatorAt(0, separator);
      EXPECT_EQ(separator.Kind, 0);
      EXPECT_EQ(separator.Bounds, TRect(0, 20, size.cx, 20 + s));
    } else {
      EXPECT_EQ(a, TRect(0, 2, 30, 22));
      EXPECT_EQ(c, TRect(60, 0, 90, 24));
      EXPECT_EQ(d, TRect(0, 24, 30, 44));
      EXPECT_EQ(w->ViewInfo()->SeparatorCount(), 0);
    }
  }
}

// A vertical MultiLine bar fills its columns from the right edge leftward,
// each control centred across its column.
TEST_F(ToolbarLayoutTest, AVerticalMultiLineBarFillsItsColumnsFromTheRight) {
  TdxBar* bar = NewBar({{24, 30}, {28, 30}, {20, 30}, {26, 30}});
  bar->SetMultiLine(true);
  TdxBarControl* w = WindowFor(bar, dsLeft);
  const int32_t mark = MarkSpace(w);
  // Two controls per column: the length given less the mark holds 60 but not 90.
  const int32_t height = 2 * 30 + mark + 5;
  const int32_t column1 = 28, column2 = 26;
  const TSize size = w->CalcSizeForHeight(dsLeft, height);
  EXPECT_EQ(size, TSize(column1 + column2, std::max(30 + mark, 60)));

  SetClient(w, TSize(size.cx, height));
  const int32_t cw = size.cx;
  struct Expect {
    int32_t Index, Column, ColumnThickness, Top;
  };
  for (const Expect& e : {Expect{0, 0, column1, 0}, Expect{1, 0, column1, 30}, Expect{2, 1, column2, 0},
                          Expect{3, 1, column2, 30}}) {
    SCOPED_TRACE(e.Index);
    const int32_t width = ItemOf(Link(bar, e.Index))->ControlWidth;
    const int32_t columnRight = cw - (e.Column == 0 ? 0 : column1);
    const int32_t left = columnRight - width - (e.ColumnThickness - width) / 2;
    EXPECT_EQ(Link(bar, e.Index)->ItemRect(), TRect(left, e.Top, left + width, e.Top + 30));
  }
  // No width can be reached beyond one control per column, and asking for it ends.
  EXPECT_EQ(w->CalcSizeForWidth(dsLeft, 10000), TSize(24 + 28 + 20 + 26, 30 + mark));
}

// Alignment counts only for the last visible link of a UseRestSpace bar.
TEST_F(ToolbarLayoutTest, TheLastLinkOfAUseRestSpaceBarIsAligned) {
  struct Case {
    TdxBarItemAlign Align;
    bool UseRestSpace;
  };
  for (const Case& c : std::vector<Case>{{iaLeft, true},
                                         {iaCenter, true},
                                         {iaRight, true},
                                         {iaClient, true},
                                         {iaCenter, false},
                                         {iaRight, false},
                                         {iaClient, false}}) {
    SCOPED_TRACE(testing::Message() << int(c.Align) << " " << c.UseRestSpace);
    TdxBar* bar = NewBar({{40, 22}, {30, 22}});
    bar->SetUseRestSpace(c.UseRestSpace);
    ItemOf(Link(bar, 1))->SetAlign(c.Align);
    TdxBarControl* w = WindowFor(bar, dsTop, 300, 30);
    w->CalcItemPositions();
    const int32_t available = 300 - MarkSpace(w);
    int32_t left = 40, width = 30;
    if (c.UseRestSpace && c.Align == iaCenter) left = 40 + (available - 70) / 2;
    if (c.UseRestSpace && c.Align == iaRight) left = available - 30;
    if (c.UseRestSpace && c.Align == iaClient) width = available - 40;
    EXPECT_EQ(Link(bar, 1)->ItemRect(), TRect(left, 4, left + width, 26));
    EXPECT_EQ(Link(bar, 0)->ItemRect(), TRect(0, 4, 40, 26));
  }
  // A link that is not the last keeps its place.
  TdxBar* bar = NewBar({{40, 22}, {30, 22}});
  bar->SetUseRestSpace(true);
  ItemOf(Link(bar, 0))->SetAlign(iaRight);
  TdxBarControl* w = WindowFor(bar, dsTop, 300, 30);
  w->CalcItemPositions();
  EXPECT_EQ(Link(bar, 0)->ItemRect(), TRect(0, 4, 40, 26));
}

// Controls that report no size and lengths of zero or less: every sizing
// call ends, and the first link still shows.
TEST_F(ToolbarLayoutTest, ZeroSizedControlsAndLengthsEndWithoutHiding) {
  for (TdxBarDockingStyle side : {dsTop, dsLeft, dsNone}) {
    for (bool multiLine : {false, true}) {
      SCOPED_TRACE(testing::Message() << int(side) << " " << multiLine);
      TdxBar* bar = NewBar({{0, 0}, {0, 0, true}, {0, 0}});
      for (int32_t i = 0; i < 3; ++i) {
        ItemOf(Link(bar, i))->ControlMinWidth = 0;
        ItemOf(Link(bar, i))->ControlMinHeight = 0;
      }
      bar->SetMultiLine(multiLine);
      TdxBarControl* w = WindowFor(bar, side, 0, 0);
      for (int32_t length : {-100, 0, 1}) {
        const TSize byWidth = w->CalcSizeForWidth(side, length);
        const TSize byHeight = w->CalcSizeForHeight(side, length);
        EXPECT_GE(byWidth.cx, 0);
        EXPECT_GE(byHeight.cy, 0);
        // The first link always shows.
        EXPECT_NE(bar->GetItemLinks()->RecentCount(), 0);
        EXPECT_GE(bar->GetItemLinks()->GetVisibleItemCount(), 1);
      }
      const TSize barSize = w->CalcBarSize(side);
      EXPECT_GE(barSize.cx, side == dsNone ? 51 : 0);
    }
  }
}

}  // namespace
}  // namespace bartest
