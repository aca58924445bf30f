#include "ui/bars/dxBarViewInfo.h"

#include "platform/classes/lists.h"
#include "ui/bars/dxBarElements.h"

TCustomdxBarControlViewInfo::TCustomdxBarControlViewInfo(TCustomdxBarControl* ABarControl)
    : barControl_(ABarControl), itemControlInfos_(std::make_unique<TList>()) {}

TCustomdxBarControlViewInfo::~TCustomdxBarControlViewInfo() = default;

void TCustomdxBarControlViewInfo::ResetLayout() {
  itemControlInfos_->Clear();
  separators_.clear();
}

void TCustomdxBarControlViewInfo::Calculate() { ResetLayout(); }

void TCustomdxBarControlViewInfo::AppendItemControlInfo(TdxBarItemControlViewInfo* AViewInfo) {
  itemControlInfos_->Add(AViewInfo);
}

void TCustomdxBarControlViewInfo::RemoveItemControlInfo(TdxBarItemControlViewInfo* AViewInfo) {
  itemControlInfos_->Remove(AViewInfo);
}

int32_t TCustomdxBarControlViewInfo::ItemControlInfoCount() const { return itemControlInfos_->Count(); }

TdxBarItemControlViewInfo* TCustomdxBarControlViewInfo::ItemControlInfoAt(int32_t Index) const {
  return static_cast<TdxBarItemControlViewInfo*>(itemControlInfos_->Items(Index));
}

int32_t TCustomdxBarControlViewInfo::IndexOfItemControl(TdxBarItemControl* AItemControl) const {
  if (!AItemControl || !AItemControl->ExistingViewInfo()) return -1;
  return itemControlInfos_->IndexOf(AItemControl->ExistingViewInfo());
}

void TCustomdxBarControlViewInfo::AppendSeparator(const TRect& ABounds, uint8_t AKind,
                                                  TdxBarItemControl* AAssociatedItemControl) {
  separators_.push_back({AAssociatedItemControl, ABounds, AKind});
}

void TCustomdxBarControlViewInfo::SeparatorAt(int32_t Index, TdxBarSeparatorInfo& Info) const {
  if (Index < 0 || Index >= SeparatorCount()) TList::Error("List index out of bounds (%d)", Index);
  const TSeparator& s = separators_[size_t(Index)];
  Info.Bounds = s.Bounds;
  Info.Kind = s.Kind;
}

bool TCustomdxBarControlViewInfo::FindSeparatorOfControl(TdxBarItemControl* AItemControl, int32_t& Index) const {
  for (size_t i = 0; i < separators_.size(); ++i)
    if (separators_[i].ItemControl == AItemControl) {
      Index = int32_t(i);
      return true;
    }
  return false;
}
