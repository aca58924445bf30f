// TsiLangLinked: the translation component of a secondary form. It keeps its
// own texts but takes the dialog captions and locales from a common container
// component (a TsiLang on another form), so it publishes neither list.
#pragma once

#include "i18n/siComp.h"

class TsiLangLinked : public TsiCustomLang {
  DX_COMPONENT_CLASS(TsiLangLinked, TsiCustomLang)
public:
  explicit TsiLangLinked(TComponent* AOwner) : TsiCustomLang(AOwner) {}
  ~TsiLangLinked() override;

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation operation) override;

  TsiCustomLang* CommonContainer() const { return commonContainer_; }
  // Nothing for the component itself; outside loading runs Loaded again.
  void SetCommonContainer(TsiCustomLang* value);

private:
  TsiCustomLang* commonContainer_ = nullptr;
};
