// The base painter's menu entries, rotated captions and item metrics, drawn
// headless into test bar windows: positions from the layout rules and the
// test font's metrics, pixels against the system colours.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/vcl/graphics.h"
#include "tests/ui/bars/static_control_doubles.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarButtons.h"
#include "ui/bars/dxBarDrawParams.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/lookandfeel/cxGraphics.h"

using namespace bartest;

namespace {

// The base painter, recording the captions and glyph rectangles of entries.
class TEntryRecordingPainter : public TdxBarPainter {
public:
  TEntryRecordingPainter() : TdxBarPainter(nullptr) {}
  struct TCaption {
    std::string Text;
    TRect Rect;
    uint32_t Flags;
    int32_t Alignment;
    bool Bold;
  };
  void ItemBeforePaint(TdxBarItemControlDrawParams*) override { Order.push_back("before"); }
  void ItemDrawGlyph(TdxBarItemControlDrawParams*, const TRect& R) override {
    Order.push_back("glyph");
    GlyphRect = R;
  }
  void ItemDrawCaption(TdxBarItemControl*, win::HDC, const std::string& ACaption, TRect R, uint32_t AFlags, bool,
                       bool, bool, bool, int32_t AAlignment, bool) override {
    Order.push_back("caption");
    Captions.push_back({ACaption, R, AFlags, AAlignment, Canvas->Font()->Style().Contains(fsBold)});
  }
  TcxCanvas* Canvas = nullptr;
  std::vector<std::string> Order;
  TRect GlyphRect;
  std::vector<TCaption> Captions;
};

class PainterItemsTest : public ItemControlFormTest {
protected:
  void SetUp() override {
    ItemControlFormTest::SetUp();
    menu_ = new TSeparatorMenu(manager_);
    menu_->SetParent(form_.get());
    menu_->SetBounds(0, 100, 300, 150);
    menu_->Font()->SetName("DejaVu Sans");
    menu_->Font()->SetSize(9);
    menu_->HandleNeeded();
    menu_->SetPainter(&painter_);
    surface_.SetSize(300, 120);
    canvas_ = std::make_unique<TcxCanvas>(surface_.Canvas());
    surface_.Canvas()->Font()->Assign(menu_->Font());
    painter_.Canvas = canvas_.get();
  }
  int32_t Width(const std::string& AText) { return canvas_->MeasureTextWidth(AText); }

  TEntryRecordingPainter painter_;
  TSeparatorMenu* menu_ = nullptr;  // owned by the manager
  TBitmap surface_;
  std::unique_ptr<TcxCanvas> canvas_;
};

// ---------------------------------------------------------------- metrics

TEST_F(PainterItemsTest, ItemMetricsComeFromTheParentWindow) {
  EXPECT_EQ(painter_.SeparatorBarMetric(menu_), menu_->GetRowHeight());
  EXPECT_EQ(painter_.InPlaceSubItemMetric(menu_), menu_->GetDefaultItemHeight());
  EXPECT_EQ(painter_.InPlaceSubItemMetric(menu_), canvas_->MeasureTextHeight("Wg") + 6);
  EXPECT_EQ(painter_.SeparatorBarMetric(nullptr), 0);
  EXPECT_EQ(painter_.InPlaceSubItemMetric(nullptr), 0);
}

// ---------------------------------------------------------------- menu entries

TEST_F(PainterItemsTest, AMenuEntryIsDrawnThroughTheEntryRoutine) {
  auto* item = NewItem<TdxBarButton>();
  auto* control = NewControl<TdxBarItemControl>(menu_, item);
  TdxBarButtonLikeControlDrawParams params(control);
  params.PaintType = ptMenu;
  params.Canvas = canvas_.get();
  params.Caption = "Open";
  params.ShortCut = "Ctrl+O";
  params.IsButton = true;
  params.Enabled = true;
  const TRect entry(0, 0, 200, 22);
  const int32_t column = menu_->GetRowHeight(), itemHeight = menu_->GetDefaultItemHeight();
  const TRect text(column + 3, 0, 200, 22);

  struct Case {
    bool showShortCuts;
    std::vector<std::string> captions;
  } cases[] = {{false, {"Open"}}, {true, {"Open", "Ctrl+O"}}};
  for (const Case& c : cases) {
    links_->ItemOptions()->SetAssignedValues(ItemOptionBit(ioShowShortCuts));
    links_->ItemOptions()->SetShowShortCuts(c.showShortCuts);
    painter_.Order.clear();
    painter_.Captions.clear();
    painter_.ButtonDrawContent(&params, entry);
    EXPECT_EQ(painter_.Order.front(), "before");
    EXPECT_EQ(painter_.Order[1], "glyph");
    EXPECT_EQ(painter_.GlyphRect, TRect(0, 0, column, 22));
    ASSERT_EQ(painter_.Captions.size(), c.captions.size());
    EXPECT_EQ(painter_.Captions[0].Text, "Open");
    EXPECT_EQ(painter_.Captions[0].Rect, text);
    EXPECT_EQ(painter_.Captions[0].Alignment, 0);
    EXPECT_TRUE(painter_.Captions[0].Flags & win::DT_SINGLELINE);
    EXPECT_FALSE(painter_.Captions[0].Bold);
    if (c.showShortCuts) {
      EXPECT_EQ(painter_.Captions[1].Text, "Ctrl+O");
      EXPECT_EQ(painter_.Captions[1].Rect, TRect(text.Left, 0, 200 - itemHeight - 5, 22));
      EXPECT_EQ(painter_.Captions[1].Alignment, 2);
    }
  }
}

TEST_F(PainterItemsTest, ALargeEntryShowsTwoDescriptionLinesUnderItsBoldCaption) {
  links_->ItemOptions()->SetAssignedValues(ItemOptionBit(ioShowDescriptions) | ItemOptionBit(ioSize));
  links_->ItemOptions()->SetShowDescriptions(true);
  links_->ItemOptions()->SetSize(misLarge);
  auto* control = NewControl<TdxBarItemControl>(menu_, NewItem<TdxBarButton>());
  TdxBarButtonLikeControlDrawParams params(control);
  params.PaintType = ptMenu;
  params.Canvas = canvas_.get();
  params.Caption = "Open";
  params.Enabled = true;
  const int32_t column = menu_->GetRowHeight(), itemHeight = menu_->GetDefaultItemHeight();
  const int32_t h = canvas_->MeasureTextHeight("Wg"), H = 3 * h + 9;
  const TRect entry(0, 0, 260, H);
  const int32_t boxTop = H - 2 * ((H - 3 * h) / 4) - 2 * h, boxRight = 260 - itemHeight;
  const int32_t boxWidth = boxRight - (column + 3);
  // Words that fill the first line: as many as fit in the box's width.
  const std::string word = "file";
  std::string first = word;
  while (Width(first + " " + word) <= boxWidth) first += " " + word;
  ASSERT_LT(Width(first), boxWidth);

  struct Case {
    std::string description, line1, line2;
  } cases[] = {
      {"Opens", "Opens", ""},  // one short word: nothing on the second line
      {"  " + first + " " + word + " and more  ", first, word + " and more"},
  };
  for (const Case& c : cases) {
    params.Description = c.description;
    painter_.Captions.clear();
    painter_.SubMenuDrawItemContent(&params, entry);
    const size_t lines = c.line2.empty() ? 1 : 2;
    ASSERT_EQ(painter_.Captions.size(), lines + 1) << c.description;
    EXPECT_EQ(painter_.Captions[0].Text, c.line1);
    EXPECT_EQ(painter_.Captions[0].Rect, TRect(column + 3, boxTop, boxRight, boxTop + h));
    EXPECT_TRUE(painter_.Captions[0].Flags & win::DT_END_ELLIPSIS);
    EXPECT_FALSE(painter_.Captions[0].Bold);
    if (lines == 2) {
      EXPECT_EQ(painter_.Captions[1].Text, c.line2);
      EXPECT_EQ(painter_.Captions[1].Rect, TRect(column + 3, boxTop + h, boxRight, boxTop + 2 * h));
    }
    const auto& caption = painter_.Captions.back();
    EXPECT_EQ(caption.Text, "Open");
    EXPECT_TRUE(caption.Bold);
    EXPECT_EQ(caption.Rect, TRect(column + 3, 0, 260, boxTop));
  }
  EXPECT_TRUE(canvas_->Font()->Style().Empty());

  // A normal-sized entry ignores its description.
  links_->ItemOptions()->SetSize(misNormal);
  painter_.Captions.clear();
  painter_.SubMenuDrawItemContent(&params, entry);
  ASSERT_EQ(painter_.Captions.size(), 1u);
  EXPECT_EQ(painter_.Captions[0].Rect, TRect(column + 3, 0, 260, H));
  EXPECT_FALSE(painter_.Captions[0].Bold);
}

// ---------------------------------------------------------------- rotated captions

TEST(RotatedCaptionTest, TheAcceleratorIsUnderlinedByHandAlongTheRotatedText) {
  TBitmap surface;
  surface.SetSize(60, 160);
  const win::COLORREF back = win::RGB(255, 0, 255), ink = win::GetSysColor(win::COLOR_BTNTEXT);
  TFont font;
  font.SetName("DejaVu Sans");
  font.SetSize(12);
  win::LOGFONT lf{};
  win::GetObject(font.Handle(), sizeof(lf), &lf);
  // The text metrics and extents of the upright font.
  win::HDC probe = win::CreateCompatibleDC(nullptr);
  win::HFONT upright = win::CreateFontIndirect(&lf);
  win::HGDIOBJ old = win::SelectObject(probe, upright);
  win::TEXTMETRIC tm{};
  win::GetTextMetrics(probe, &tm);
  TSize hall, h;
  win::GetTextExtentPoint32W(probe, "Hall", -1, &hall);
  win::GetTextExtentPoint32W(probe, "H", -1, &h);
  win::SelectObject(probe, old);
  win::DeleteObject(upright);
  win::DeleteDC(probe);
  lf.lfEscapement = lf.lfOrientation = 2700;
  win::HFONT rotated = win::CreateFontIndirect(&lf);

  TdxBarPainter painter(nullptr);
  const TRect r(10, 5, 50, 155);
  for (int32_t alignment : {0, 1, 2}) {
    win::HDC dc = surface.Canvas()->Handle();
    surface.Canvas()->Brush()->SetColor(TColor(back));
    surface.Canvas()->FillRect(TRect(0, 0, 60, 160));
    win::HGDIOBJ previous = win::SelectObject(dc, rotated);
    painter.ItemDrawCaption(nullptr, dc, "&Hall", r, win::DT_SINGLELINE, true, false, false, true, alignment, false);
    win::SelectObject(dc, previous);
    auto at = [&](int32_t X, int32_t Y) { return win::COLORREF(ColorToRGB(surface.Canvas()->Pixels(X, Y))); };
    const int32_t top = r.Top + (alignment == 0 ? 0 : alignment == 1 ? (r.Height() - hall.cx) / 2 : r.Height() - hall.cx);
    const int32_t x = (r.Left + r.Right - tm.tmHeight) / 2 + tm.tmDescent - 2;
    // The underline runs along the "H" only, in the text colour.
    for (int32_t y = top; y < top + h.cx; ++y) EXPECT_EQ(at(x, y), ink) << alignment << " y " << y;
    EXPECT_NE(at(x, top - 1), ink) << alignment;
    int32_t beyond = 0;
    for (int32_t y = top + h.cx; y < 160; ++y) beyond += at(x, y) == ink;
    EXPECT_EQ(beyond, 0) << alignment;
    // The text is there, and no "&" was drawn as a character: DrawText had
    // nothing to underline, so the underline column holds only the line.
    int32_t textPixels = 0;
    for (int32_t y = 0; y < 160; ++y)
      for (int32_t xx = 0; xx < 60; ++xx) textPixels += xx != x && at(xx, y) == ink;
    EXPECT_GT(textPixels, 0) << alignment;
  }
  win::DeleteObject(rotated);
}

}  // namespace
