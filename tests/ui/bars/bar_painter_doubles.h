// What the painter tests ask of their pixels and of the DC, and doubles for
// the painter's window drawing: a sub-menu window that answers the values the
// test sets, and a bar window whose background routine is the painter's, as
// the real toolbar and menu windows' are.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "tests/ui/bars/item_control_doubles.h"
#include "tests/ui/lookandfeel/painter_surface.h"
#include "ui/bars/dxBarElements.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarToolbarControl.h"

namespace bartest {

// ---------------------------------------------------------------- pixels and the DC

using PixelSet = std::set<std::pair<int32_t, int32_t>>;

inline PixelSet PaintedPixels(painter_surface::Surface& s) {
  PixelSet set;
  for (int32_t y = 0; y < s.bmp.Height(); ++y)
    for (int32_t x = 0; x < s.bmp.Width(); ++x)
      if (s.At(x, y) != painter_surface::kPaper) set.insert({x, y});
  return set;
}

inline std::string Describe(const PixelSet& set) {
  std::string out;
  for (const auto& [x, y] : set) out += "(" + std::to_string(x) + "," + std::to_string(y) + ")";
  return out;
}

// What a drawing operation must leave as it found it.
struct DcState {
  win::HGDIOBJ Pen, Brush, Font;
  int BkMode;
  int HasClip;
  TRect ClipBox;
  bool operator==(const DcState&) const = default;
};

inline DcState StateOf(win::HDC dc) {
  DcState st{win::GetCurrentObject(dc, win::OBJ_PEN), win::GetCurrentObject(dc, win::OBJ_BRUSH),
             win::GetCurrentObject(dc, win::OBJ_FONT), win::GetBkMode(dc), 0, TRect()};
  win::HRGN rgn = win::CreateRectRgn(0, 0, 0, 0);
  st.HasClip = win::GetClipRgn(dc, rgn);
  if (st.HasClip == 1) win::GetRgnBox(rgn, &st.ClipBox);
  win::DeleteObject(rgn);
  return st;
}

// A surface whose DC has a clip region and a background mode of its own, so
// that an operation that drops or changes them shows.
struct ClippedSurface : painter_surface::Surface {
  ClippedSurface(int32_t w, int32_t h) : Surface(w, h) {
    win::HDC dc = bmp.Canvas()->Handle();
    win::HRGN clip = win::CreateRectRgn(0, 0, w, h);
    win::SelectClipRgn(dc, clip);
    win::DeleteObject(clip);
    win::SetBkMode(dc, win::TRANSPARENT);
  }
  win::HDC DC() { return bmp.Canvas()->Handle(); }
};

// A drawing operation of the painter at a rectangle, named for failures.
struct TPaintOp {
  const char* What;
  std::function<void(TcxCanvas*, const TRect&)> Draw;
};

// Each operation at each degenerate rectangle paints nothing outside it.
inline void ExpectNothingOutsideDegenerateRects(const std::vector<TPaintOp>& AOps) {
  for (const TPaintOp& op : AOps)
    for (const TRect& r : painter_surface::kDegenerateRects)
      EXPECT_EQ(painter_surface::PaintsOutside(op.Draw, r), "") << op.What;
}

inline TColor SysColor(int index) { return TColor(win::GetSysColor(index)); }

// ---------------------------------------------------------------- windows

class TTestSubMenu : public TdxBarSubMenuControl {
public:
  explicit TTestSubMenu(TdxBarManager* AManager) : TdxBarSubMenuControl(AManager) {}

  int32_t GetGlyphAreaWidth() override { return GlyphAreaWidth; }
  TRect GetOwnerGapRect() override { return OwnerGap; }
  bool IsDetachable() override { return Detachable; }
  bool IsDetachBandHot() override { return DetachBandHot; }
  int32_t GetDetachCaptionHeight() override { return DetachCaptionHeight; }
  int32_t GetSideBarWidth() override { return SideBarWidth; }
  TdxBarItemControl* GetFirstVisibleItemControl() override { return FirstVisible; }
  TdxBarItemControl* GetLastVisibleItemControl() override { return LastVisible; }
  bool IsNonRecentItemControl(TdxBarItemControl* AControl) override { return NonRecent.count(AControl) != 0; }
  bool BeginsNonRecentRun(TdxBarItemControl* AControl) override { return AControl && AControl == RunStart; }
  TRect GetScrollAreaRect() override { return ScrollArea; }
  bool IsScrollButtonVisible(bool AUp) override { return AUp ? TopScrollButton : BottomScrollButton; }
  int32_t GetDefaultItemHeight() override { return DefaultItemHeight; }
  win::HBRUSH GetBackgroundBrush() override { return BackgroundBrush; }
  TBitmap* GetBackgroundBitmap() override { return BackgroundBitmap; }
  // The menu window's background routine: the painter's fill.
  void DrawBackground(win::HDC DC, const TRect& R, bool, TColor, win::HBRUSH ABrush) override {
    Painter()->SubMenuFillBackground(this, DC, R, ABrush);
  }

  int32_t GlyphAreaWidth = 20;
  TRect OwnerGap;
  bool Detachable = false, DetachBandHot = false;
  int32_t DetachCaptionHeight = 5;
  int32_t SideBarWidth = 0;
  TdxBarItemControl* FirstVisible = nullptr;
  TdxBarItemControl* LastVisible = nullptr;
  std::set<TdxBarItemControl*> NonRecent;
  TdxBarItemControl* RunStart = nullptr;
  TRect ScrollArea;
  bool TopScrollButton = false, BottomScrollButton = false;
  int32_t DefaultItemHeight = 18;
  win::HBRUSH BackgroundBrush = nullptr;
  TBitmap* BackgroundBitmap = nullptr;
};

// A bar window whose background routine is the painter's, with the bar's own
// bitmap, the status-like shape and the brush set by the test.
class TTestBarWindow : public TCustomdxBarControl {
public:
  explicit TTestBarWindow(TdxBarManager* AManager) : TCustomdxBarControl(AManager) {}
  void DrawBackground(win::HDC DC, const TRect& R, bool, TColor AColor, win::HBRUSH ABrush) override {
    Painter()->BarDrawBackgroundBitmap(this, DC, R, R, ABrush, AColor == clNone ? OwnColor : AColor);
  }
  TBitmap* GetBackgroundBitmap() override { return BackgroundBitmap; }
  bool IsBorderlessBottomBar() override { return StatusLike; }
  win::HBRUSH GetBackgroundBrush() override { return BackgroundBrush; }

  TBitmap* BackgroundBitmap = nullptr;
  bool StatusLike = false;
  win::HBRUSH BackgroundBrush = nullptr;
  TColor OwnColor = clNone;  // the bar's own colour
};

// A toolbar window whose frame and mark answer what the test sets.
class TTestToolbar : public TdxBarControl {
public:
  explicit TTestToolbar(TdxBarManager* AManager) : TdxBarControl(AManager) {}
  bool HasBorder() override { return Border; }
  bool CanMove() override { return Movable; }
  bool IsBorderlessBottomBar() override { return StatusLike; }
  bool HasCloseButton() override { return CloseButton; }
  bool HasMark() override { return Mark; }
  int32_t GetMarkSize() override { return MarkSize; }

  bool Border = true, Movable = true, StatusLike = false, CloseButton = false, Mark = false;
  int32_t MarkSize = 11;
};

}  // namespace bartest
