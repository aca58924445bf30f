// The screen tip an item names in its ScreenTip property. Only the component
// itself exists here: its bands, fonts and repository are not built, and no
// painter of this system draws a screen tip (the hint text is shown instead).
#pragma once
#include "platform/classes/component.h"

class TdxBarScreenTip : public TComponent {
  DX_COMPONENT_CLASS(TdxBarScreenTip, TComponent)
public:
  explicit TdxBarScreenTip(TComponent* AOwner) : TComponent(AOwner) {}
};
