// The entries a toolbar's mark adds to its drop-down.
#pragma once

#include "ui/bars/dxBarItems.h"

class TdxBarControl;

// "&Add or Remove Buttons": opens the list of the bar's links to tick on or
// off. The list is filled when the entry opens, by the quick customization.
class TdxBarQuickAccessItem : public TdxBarItem {
  DX_COMPONENT_CLASS(TdxBarQuickAccessItem, TdxBarItem)
public:
  explicit TdxBarQuickAccessItem(TComponent* AOwner) : TdxBarItem(AOwner) {}
  // The toolbar window whose links the list offers.
  TdxBarControl* Toolbar = nullptr;
};
