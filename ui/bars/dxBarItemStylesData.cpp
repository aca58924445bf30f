#include "ui/bars/dxBarItemStylesData.h"

#include "platform/rtl/scopeexit.h"
#include "platform/vcl/graphics.h"

namespace {

// The longest font name a snapshot keeps.
constexpr size_t kSnapshotFontNameLength = 124;

// A value counts as changed when either side has it and, when both have it,
// the two differ.
bool ValueChanged(bool AOldHas, bool ANewHas, bool ADiffers) {
  if (!AOldHas && !ANewHas) return false;
  return !(AOldHas && ANewHas) || ADiffers;
}

}  // namespace

TdxBarItemStylesData::TdxBarItemStylesData(TPersistent* AOwner, int32_t ACount)
    : TcxInterfacedPersistent(AOwner), slots_(size_t(ACount > 0 ? ACount : 0)) {}

TdxBarItemStylesData::~TdxBarItemStylesData() {
  destroying_ = true;
  for (int32_t i = 0; i < Count(); ++i) SetStyle(i, nullptr);
}

TcxStyle* TdxBarItemStylesData::GetStyle(int32_t AIndex) const {
  return AIndex >= 0 && AIndex < Count() ? slots_[size_t(AIndex)].Style : nullptr;
}

int32_t TdxBarItemStylesData::SlotsHolding(const TcxCustomStyle* AStyle) const {
  int32_t n = 0;
  for (const TSlot& slot : slots_)
    if (slot.Listened && slot.Listened == AStyle) ++n;
  return n;
}

void TdxBarItemStylesData::SetStyle(int32_t AIndex, TcxStyle* AStyle) {
  if (AIndex < 0 || AIndex >= Count()) return;
  TSlot& slot = slots_[size_t(AIndex)];
  if (slot.Style == AStyle) return;
  TcxCustomStyle* old = slot.Listened;
  slot.Style = AStyle;
  slot.Listened = AStyle;
  if (old && SlotsHolding(old) == 0) old->DetachUser(this);
  if (slot.Listened && SlotsHolding(slot.Listened) == 1) slot.Listened->AttachUser(this);
  UpdateSnapshot(slot);
}

void TdxBarItemStylesData::UpdateSnapshot(TSlot& ASlot) {
  if (destroying_) return;
  TSnapshot& old = ASlot.Snapshot;
  const TcxStyle* style = ASlot.Style;
  const TcxStyleValues now = style ? style->AssignedValues() : 0;
  auto has = [](TcxStyleValues AValues, TcxStyleValue AValue) { return (AValues & StyleValueBit(AValue)) != 0; };
  TFont* font = style ? style->Font() : nullptr;
  const std::string fontName = font ? font->Name().substr(0, kSnapshotFontNameLength) : std::string();

  const bool colorChanged =
      ValueChanged(has(old.AssignedValues, svColor), has(now, svColor),
                   style && ColorToRGB(old.Color) != ColorToRGB(style->Color()));
  const bool textColorChanged =
      ValueChanged(has(old.AssignedValues, svTextColor), has(now, svTextColor),
                   style && ColorToRGB(old.TextColor) != ColorToRGB(style->TextColor()));
  const bool fontChanged =
      ValueChanged(has(old.AssignedValues, svFont), has(now, svFont),
                   font && (old.FontHeight != font->Height() || old.FontOrientation != font->Orientation() ||
                            old.FontPitch != uint8_t(font->Pitch()) || old.FontStyle != font->Style().Bits() ||
                            old.FontCharset != font->Charset() || old.FontName != fontName));

  old.AssignedValues = now;
  old.Color = style ? style->Color() : clDefault;
  old.TextColor = style ? style->TextColor() : clDefault;
  old.FontHeight = font ? font->Height() : 0;
  old.FontOrientation = font ? font->Orientation() : 0;
  old.FontPitch = font ? uint8_t(font->Pitch()) : 0;
  old.FontStyle = font ? font->Style().Bits() : 0;
  old.FontCharset = font ? font->Charset() : 0;
  old.FontName = fontName;

  if (fontChanged)
    Report(sckStructure);
  else if (colorChanged || textColorChanged)
    Report(sckDrawing);
}

void TdxBarItemStylesData::Report(TdxBarItemStyleChangeKind AKind) {
  if (lockCount_ > 0) {
    // A structural change wins over a drawing one.
    if (AKind != pending_ && (pending_ == sckNone || pending_ == sckDrawing)) pending_ = AKind;
    return;
  }
  if (OnChanged) OnChanged(AKind);
}

void TdxBarItemStylesData::BeginUpdate() {
  if (lockCount_++ == 0) pending_ = sckNone;
}

void TdxBarItemStylesData::EndUpdate() {
  if (lockCount_ == 0 || --lockCount_ > 0) return;
  const TdxBarItemStyleChangeKind kind = pending_;
  pending_ = sckNone;
  if (kind != sckNone && OnChanged) OnChanged(kind);
}

void TdxBarItemStylesData::StyleChanged(TcxStyle* AStyle) {
  BeginUpdate();
  TScopeExit unlock([this] { EndUpdate(); });
  for (TSlot& slot : slots_)
    if (AStyle && slot.Style == AStyle) UpdateSnapshot(slot);
}

void TdxBarItemStylesData::StyleRemoved(TcxCustomStyle* AStyle) {
  BeginUpdate();
  TScopeExit unlock([this] { EndUpdate(); });
  for (int32_t i = 0; i < Count(); ++i)
    if (AStyle && slots_[size_t(i)].Listened == AStyle) SetStyle(i, nullptr);
}

void TdxBarItemStylesData::StyleValuesChanged(TcxCustomStyle* Sender) {
  for (TSlot& slot : slots_)
    if (Sender && slot.Listened == Sender) {
      StyleChanged(slot.Style);
      return;
    }
}
