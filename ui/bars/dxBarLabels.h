// Static items: the label shows its caption (and image) and does nothing
// when clicked; the separator is a label drawn as a separator line in a
// menu, optionally with its caption, and is refused by toolbars.
#pragma once

#include <cstdint>
#include <string>

#include "ui/bars/dxBarItems.h"

class TdxBarLabel : public TdxBarItem {
  DX_COMPONENT_CLASS(TdxBarLabel, TdxBarItem)
public:
  explicit TdxBarLabel(TComponent* AOwner);
};

class TdxBarSeparator : public TdxBarLabel {
  DX_COMPONENT_CLASS(TdxBarSeparator, TdxBarLabel)
public:
  using TdxBarLabel::TdxBarLabel;
  uint32_t GetDesignActions() const override;
  // Only a popup or sub-menu (kind 1); elsewhere "A separator item cannot be
  // placed on the specified toolbar".
  bool CanPlaceOn(int32_t AContainerKind, TObject* ATarget, std::string* AMessage) override;
  std::string GetDefaultCaption() const override;
};
