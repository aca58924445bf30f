// The painters' process-wide resources: the registry of extended style
// painters, the indicator images, the checker bitmaps, the check-box size and
// the radio images, with the unit's start-up and shutdown.
#include <algorithm>
#include <memory>

#include "platform/gdi/edge.h"
#include "platform/gdi/syscolors.h"
#include "platform/vcl/imglist.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace {

struct TPaintersUnit {
  std::unique_ptr<TcxExtendedStylePainters> registry;
  std::unique_ptr<TImageList> indicators;
  std::unique_ptr<TBitmap> checker[2];
  std::unique_ptr<TImageList> radioImages;
  TSize checkBoxSize;
};

TPaintersUnit& Unit() {
  static TPaintersUnit unit;
  return unit;
}

// The indicator glyphs, 8 x 9: '#' black, '.' white (transparent). Kinds 1-6:
// arrow, edit, insert, multi-dot, multi-arrow, filter.
constexpr int32_t kIndicatorWidth = 8, kIndicatorHeight = 9;
constexpr const char* kIndicators[6][kIndicatorHeight] = {
    {"..#.....", "..##....", "..###...", "..####..", "..#####.", "..####..", "..###...", "..##....", "..#....."},
    {".##.##..", "...#....", "...#....", "...#....", "...#....", "...#....", "...#....", "...#....", ".##.##.."},
    {"........", "...#....", ".#.#.#..", "..###...", "...#....", "..###...", ".#.#.#..", "...#....", "........"},
    {"........", "........", "...#....", "..###...", "..###...", "..###...", "...#....", "........", "........"},
    {"..#.....", "..##....", "....#...", "..#..#..", "..##.##.", "..#..#..", "....#...", "..##....", "..#....."},
    {"........", "########", "#......#", "#......#", ".#....#.", "..####..", "..#..#..", "..#..#..", "..####.."},
};

void BuildIndicatorImages() {
  TPaintersUnit& u = Unit();
  for (const auto& rows : kIndicators) {
    TBitmap glyph(kIndicatorWidth, kIndicatorHeight);
    for (int32_t y = 0; y < kIndicatorHeight; ++y)
      for (int32_t x = 0; x < kIndicatorWidth; ++x)
        glyph.Canvas()->SetPixels(x, y, rows[y][x] == '#' ? TColor(0) : clWhite);
    // The first bitmap gives the list its image size.
    if (!u.indicators) u.indicators = std::make_unique<TImageList>(glyph.Width(), glyph.Height());
    u.indicators->AddMasked(&glyph, clWhite);
  }
}

TSize LoadCheckBoxSize() {
  win::HBITMAP strip = win::LoadSystemBitmap(win::OBM_CHECKBOXES);
  win::BITMAP info;
  TSize size{};
  if (strip && win::GetObject(strip, sizeof(info), &info) != 0) size = {info.bmWidth / 4, info.bmHeight / 3};
  if (strip) win::DeleteObject(strip);
  return size;
}

}  // namespace

TcxLookAndFeelKind StyleToKind(uint8_t style) {
  switch (style) {
    case cxStyleFlat: return lfFlat;
    case cxStyleUltraFlat: return lfUltraFlat;
    case cxStyleOffice11: return lfOffice11;
    default: return lfStandard;
  }
}

TSize TcxCustomLookAndFeelPainter::CheckBoxExtent() const { return Unit().checkBoxSize; }

TSize TcxCustomLookAndFeelPainter::RadioButtonExtent() const {
  TImageList* images = RadioButtonImages();
  return {images->Width(), images->Height()};
}

void TcxCustomLookAndFeelPainter::PaintRadioButton(TcxCanvas*, int32_t, int32_t, TcxButtonPaintState, bool, bool,
                                                   TColor, bool) const {
  // The radio images and their drawing come with the radio-button unit; the
  // list stays empty until then, so there is nothing to draw.
}

// --- The registry of extended style painters

TcxExtendedStylePainters::TcxExtendedStylePainters() : TcxObjectList(true) {}

TcxExtendedStylePainters::~TcxExtendedStylePainters() {
  listeners_.clear();
  Clear();
}

void TcxExtendedStylePainters::AttachListener(IcxSkinPainterListener* listener) {
  if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
    listeners_.push_back(listener);
}

void TcxExtendedStylePainters::DetachListener(IcxSkinPainterListener* listener) {
  std::erase(listeners_, listener);
}

bool TcxExtendedStylePainters::PainterByName(std::string_view name, TcxLookAndFeelPainterClass& painter) const {
  TcxExtendedStylePainter* item = nullptr;
  if (LocateByName(name, &item) < 0) return false;
  painter = item->Painter();
  return true;
}

int32_t TcxExtendedStylePainters::LocateByName(std::string_view name, TcxExtendedStylePainter** item) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (SameText(Items(i)->Name(), name)) {
      if (item) *item = Items(i);
      return i;
    }
  return -1;
}

TcxExtendedStylePainter* TcxExtendedStylePainters::Items(int32_t index) const {
  return static_cast<TcxExtendedStylePainter*>(TcxObjectList::Items(index));
}

// --- The unit's resources

TcxExtendedStylePainters* ExtendedStylePainters() { return Unit().registry.get(); }
TImageList* cxIndicatorImages() { return Unit().indicators.get(); }

TBitmap* cxCheckerBitmap(int32_t index) {
  return index == 0 || index == 1 ? Unit().checker[index].get() : nullptr;
}

void PaintCheckerBitmaps() {
  TPaintersUnit& u = Unit();
  const TColor odd[2] = {clBtnHighlight, cl3DDkShadow}, even[2] = {clBtnFace, TColor(0)};
  for (int32_t i = 0; i < 2; ++i) {
    if (!u.checker[i]) u.checker[i] = std::make_unique<TBitmap>(8, 8);
    TCanvas* canvas = u.checker[i]->Canvas();
    for (int32_t y = 0; y < 8; ++y)
      for (int32_t x = 0; x < 8; ++x) canvas->SetPixels(x, y, (x + y) % 2 != 0 ? odd[i] : even[i]);
  }
}

TImageList* RadioButtonImages() {
  TPaintersUnit& u = Unit();
  if (!u.radioImages) u.radioImages = std::make_unique<TImageList>(u.checkBoxSize.cx, u.checkBoxSize.cy);
  return u.radioImages.get();
}

void cxLookAndFeelPaintersSystemColorsChanged() {
  // The hook of the primary colour notifier: the radio-button unit rebuilds
  // its images here when the list exists; until it lands there is nothing to do.
}

void cxLookAndFeelPaintersUnitStart() {
  TPaintersUnit& u = Unit();
  u.registry = std::make_unique<TcxExtendedStylePainters>();
  BuildIndicatorImages();
  PaintCheckerBitmaps();
  u.checkBoxSize = LoadCheckBoxSize();
}

void cxLookAndFeelPaintersUnitStop() {
  TPaintersUnit& u = Unit();
  u.checker[1].reset();
  u.checker[0].reset();
  u.indicators.reset();
  u.radioImages.reset();
  u.registry.reset();
}
