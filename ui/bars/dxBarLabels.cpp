// Label and separator items.
#include "ui/bars/dxBarLabels.h"

#include "ui/bars/dxBarStrs.h"

TdxBarLabel::TdxBarLabel(TComponent* AOwner) : TdxBarItem(AOwner) { SetShowCaption(true); }

uint32_t TdxBarSeparator::GetDesignActions() const { return TdxBarLabel::GetDesignActions() & ~uint32_t(0x1000); }

bool TdxBarSeparator::CanPlaceOn(int32_t AContainerKind, TObject* ATarget, std::string* AMessage) {
  (void)ATarget;
  if (AMessage) AMessage->clear();
  if (AContainerKind == 1) return true;
  if (AMessage) *AMessage = GetResourceString(dxSBAR_CANTPLACESEPARATOR);
  return false;
}

std::string TdxBarSeparator::GetDefaultCaption() const { return GetResourceString(dxSBAR_NEWSEPARATORCAPTION); }
