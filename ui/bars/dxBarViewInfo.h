// The result of a bar window's last layout pass: which item controls were
// placed, in layout order, and where the separators between groups lie (in
// the bar window's client coordinates). The toolbar and sub-menu windows fill
// it; drawing and hit-testing read it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/object.h"
#include "platform/rtl/types.h"
#include "ui/bars/dxBarElements.h"

class TList;
class TCustomdxBarControl;
class TdxBarItemControl;

// The layout record of one item control, owned by the control: its bounds,
// its view level and the levels allowed to it, its width at each level
// (cached), and the values the bar window's layout keeps there.
class TdxBarItemControlViewInfo : public TObject {
  DX_CLASS(TdxBarItemControlViewInfo, TObject)
public:
  explicit TdxBarItemControlViewInfo(TdxBarItemControl* AControl);
  ~TdxBarItemControlViewInfo() override;
  TdxBarItemControl* Control() const { return control_; }

  // Runs the after-calculate hook (empty in the base).
  void Calculate() { AfterCalculate(); }
  TdxBarItemAlign Align() const;
  TdxBarItemViewLevels AllowedViewLevels() const { return allowedViewLevels_; }
  const TRect& Bounds() const { return bounds_; }
  void SetBounds(const TRect& Value) { bounds_ = Value; }
  int32_t RowOrColumn() const { return rowOrColumn_; }
  void SetRowOrColumn(int32_t Value) { rowOrColumn_ = Value; }
  TdxBarItemViewLevel MinPossibleViewLevel() const { return minPossibleViewLevel_; }
  // The link's ButtonGroup when the control can stand in a button group, else bgpNone.
  TdxBarButtonGroupPosition ButtonGroupPosition() const;
  TdxBarButtonGroupPosition RealPositionInButtonGroup() const { return realPositionInButtonGroup_; }
  void SetRealPositionInButtonGroup(TdxBarButtonGroupPosition Value) { realPositionInButtonGroup_ = Value; }
  int32_t LayoutValue() const { return layoutValue_; }
  void SetLayoutValue(int32_t Value) { layoutValue_ = Value; }
  TdxBarItemViewLevel ViewLevel() const { return viewLevel_; }
  void SetViewLevel(TdxBarItemViewLevel Value) { viewLevel_ = Value; }
  TdxBarItemViewLevel ViewLevelForButtonGroup() const { return viewLevelForButtonGroup_; }
  // The control's layout width at a real level, laid out once and cached;
  // EdxException when the level is not allowed.
  int32_t GetWidth(TdxBarItemViewLevel AViewLevel);
  virtual void ClearWidthCache();

protected:
  virtual void AfterCalculate() {}

private:
  friend class TdxBarItemControl;
  struct TWidthCacheEntry {
    bool Valid = false;
    int32_t Width = 0;
  };
  TdxBarItemControl* control_;
  TdxBarItemViewLevels allowedViewLevels_ = 0;
  TRect bounds_;
  int32_t rowOrColumn_ = 0;
  TdxBarItemViewLevel minPossibleViewLevel_ = ivlLargeIconWithText;
  TdxBarButtonGroupPosition realPositionInButtonGroup_ = bgpNone;
  int32_t layoutValue_ = 0;
  TdxBarItemViewLevel viewLevel_ = ivlDefault;
  TdxBarItemViewLevel viewLevelForButtonGroup_ = ivlLargeIconWithText;
  TWidthCacheEntry widthCache_[4];
};

// What SeparatorAt copies out of a separator record.
struct TdxBarSeparatorInfo {
  TRect Bounds;
  uint8_t Kind = 0;
};

class TCustomdxBarControlViewInfo : public TObject {
  DX_CLASS(TCustomdxBarControlViewInfo, TObject)
public:
  explicit TCustomdxBarControlViewInfo(TCustomdxBarControl* ABarControl);
  // Frees the list; the view infos in it stay alive.
  ~TCustomdxBarControlViewInfo() override;

  TCustomdxBarControl* BarControl() const { return barControl_; }

  // Empties both lists.
  virtual void ResetLayout();
  // The base layout pass: both lists empty. Descendants add their entries after it.
  virtual void Calculate();

  void AppendItemControlInfo(TdxBarItemControlViewInfo* AViewInfo);
  // Nothing when AViewInfo is not in the list.
  void RemoveItemControlInfo(TdxBarItemControlViewInfo* AViewInfo);
  int32_t ItemControlInfoCount() const;
  // EListError outside 0..count-1.
  TdxBarItemControlViewInfo* ItemControlInfoAt(int32_t Index) const;
  // The position of the control's own view info in the list; -1 when absent.
  int32_t IndexOfItemControl(TdxBarItemControl* AItemControl) const;
  bool HasItemControl(TdxBarItemControl* AItemControl) const { return IndexOfItemControl(AItemControl) != -1; }

  void AppendSeparator(const TRect& ABounds, uint8_t AKind, TdxBarItemControl* AAssociatedItemControl);
  void ClearSeparators() { separators_.clear(); }
  int32_t SeparatorCount() const { return int32_t(separators_.size()); }
  // EListError outside 0..count-1 (a stale index must not read past the records).
  void SeparatorAt(int32_t Index, TdxBarSeparatorInfo& Info) const;
  // The first record of AItemControl; False when it has none.
  bool FindSeparatorOfControl(TdxBarItemControl* AItemControl, int32_t& Index) const;

private:
  struct TSeparator {
    TdxBarItemControl* ItemControl;
    TRect Bounds;
    uint8_t Kind;
  };
  TCustomdxBarControl* barControl_;
  std::unique_ptr<TList> itemControlInfos_;  // the entries are not owned
  std::vector<TSeparator> separators_;
};
