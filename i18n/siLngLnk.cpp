#include "i18n/siLngLnk.h"

#include "platform/rtl/sysutils.h"

TsiLangLinked::~TsiLangLinked() { SetComponentReference(commonContainer_, static_cast<TsiCustomLang*>(nullptr)); }

void TsiLangLinked::Loaded() {
  TsiCustomLang::Loaded();
  if (Designing()) {
    DlgsCaptions()->Clear();
    Locales()->Clear();
    return;
  }
  if (!commonContainer_) return;
  const std::string theirs = commonContainer_->Delim();
  const std::string mine = Delim();
  DlgsCaptions()->Assign(commonContainer_->DlgsCaptions());
  Locales()->Assign(commonContainer_->Locales());
  if (theirs == mine) return;
  for (TStrings* list : {DlgsCaptions(), Locales()})
    for (int32_t i = 0; i < list->Count(); ++i) list->SetStrings(i, StringReplace(list->Strings(i), theirs, mine, rfReplaceAll));
}

void TsiLangLinked::Notification(TComponent* AComponent, TOperation operation) {
  TsiCustomLang::Notification(AComponent, operation);
  if (operation == opRemove && AComponent == commonContainer_) commonContainer_ = nullptr;
}

void TsiLangLinked::SetCommonContainer(TsiCustomLang* value) {
  if (value == commonContainer_ || value == this) return;
  SetComponentReference(commonContainer_, value);
  if (!Loading()) Loaded();
}
