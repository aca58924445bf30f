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

class TList;
class TCustomdxBarControl;
class TdxBarItemControl;

// The layout record of one item control. While it lives the control answers
// it as its ViewInfo.
class TdxBarItemControlViewInfo : public TObject {
  DX_CLASS(TdxBarItemControlViewInfo, TObject)
public:
  explicit TdxBarItemControlViewInfo(TdxBarItemControl* AControl);
  ~TdxBarItemControlViewInfo() override;
  TdxBarItemControl* Control() const { return control_; }

private:
  TdxBarItemControl* control_;
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
