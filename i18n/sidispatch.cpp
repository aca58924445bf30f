// The language dispatcher: one language for every registered form.
#include <algorithm>

#include "i18n/siComp.h"
#include "platform/rtl/sysutils.h"

TsiLangDispatcher::TsiLangDispatcher(TComponent* AOwner)
    : TComponent(AOwner), langNames_(std::make_unique<TStringList>()) {
  langNames_->Add("Language N1");
}

TsiLangDispatcher::~TsiLangDispatcher() {
  while (!components_.empty()) {
    TsiCustomLang* lang = components_.back();
    lang->SetLangDispatcher(nullptr);
    // A component that somehow stayed registered must not keep this one busy.
    if (!components_.empty() && components_.back() == lang) components_.pop_back();
  }
}

void TsiLangDispatcher::Notification(TComponent* AComponent, TOperation operation) {
  TComponent::Notification(AComponent, operation);
  if (operation == opRemove)
    if (auto* lang = dynamic_cast<TsiCustomLang*>(AComponent)) RemoveLangComponent(lang);
}

void TsiLangDispatcher::AddLangComponent(TsiCustomLang* lang) {
  if (!lang || std::find(components_.begin(), components_.end(), lang) != components_.end()) return;
  components_.push_back(lang);
  lang->FreeNotification(this);
  lang->SetNumOfLanguages(numOfLanguages_);
  lang->LangNames()->SetText(langNames_->Text());
  lang->SetLanguageName(language_);
  // No translation file is loaded here: every FileName counts as missing.
  if (!Designing() && OnLinkToDispatcher) OnLinkToDispatcher(this, lang);
  lang->SetActiveLanguage(activeLanguage_);
  lang->UpdateCurrentCharset();
}

void TsiLangDispatcher::RemoveLangComponent(TsiCustomLang* lang) {
  auto it = std::find(components_.begin(), components_.end(), lang);
  if (it != components_.end()) components_.erase(it);
}

void TsiLangDispatcher::SetActiveLanguage(int32_t value) {
  if (value == activeLanguage_) return;
  // Every component must have the language before anything changes: a
  // component that lacks it would otherwise leave the forms half switched.
  for (TsiCustomLang* lang : components_) lang->CheckLanguageIndex(value);
  bool allow = true;
  if (OnLanguageChanging) OnLanguageChanging(this, value, allow);
  if (!allow) return;
  const std::vector<TsiCustomLang*> registered = components_;
  for (TsiCustomLang* lang : registered) {
    if (!lang->OnLanguageChanging) continue;
    lang->OnLanguageChanging(lang, value, allow);
    if (!allow) return;
  }
  activeLanguage_ = value;
  for (TsiCustomLang* lang : registered) {
    // A component freed by a handler of an earlier one has left the list.
    if (std::find(components_.begin(), components_.end(), lang) == components_.end()) continue;
    lang->SetInDispatch(true);
    try {
      lang->SetActiveLanguage(value);
    } catch (...) {
      lang->SetInDispatch(false);
      throw;
    }
    lang->SetInDispatch(false);
  }
  if (!Loading() && langNames_->Count() >= value) language_ = langNames_->Strings(value - 1);
  if (OnLanguageChanged) OnLanguageChanged(this);
}

void TsiLangDispatcher::SetNumOfLanguages(int32_t value) {
  if (value < 1) value = 1;  // a component has at least one language
  numOfLanguages_ = value;
  while (langNames_->Count() < value) langNames_->Add("Language N" + IntToStr(langNames_->Count() + 1));
  while (langNames_->Count() > value) langNames_->Delete(langNames_->Count() - 1);
  for (TsiCustomLang* lang : components_) lang->SetNumOfLanguages(value);
}

void TsiLangDispatcher::SetLangNames(TStrings* value) {
  if (!value || value == langNames_.get()) return;
  langNames_->Assign(value);
  if (activeLanguage_ >= 1 && activeLanguage_ <= langNames_->Count()) language_ = langNames_->Strings(activeLanguage_ - 1);
  for (TsiCustomLang* lang : components_) {
    lang->LangNames()->Assign(langNames_.get());
    lang->SetLanguage(language_);
  }
  SetNumOfLanguages(std::max(1, langNames_->Count()));
}

void TsiLangDispatcher::SetLanguage(const std::string& value) {
  if (value == language_) return;
  const int32_t index = langNames_->IndexOf(value);
  if (langNames_->Count() > 0 && index < 0)
    throw ELanguageError("Language name shall be included in LangNames property!");
  language_ = value;
  if (!Loading() && langNames_->Count() > 0) SetActiveLanguage(index + 1);
}

void TsiLangDispatcher::SetTestModeInfo(TTestModeInfo* value) {
  if (!value || value == testModeInfo_.get()) return;
  testModeInfo_->SetActive(value->Active());
  testModeInfo_->SetKind(value->Kind());
  testModeInfo_->SetExpandWidthPercent(value->ExpandWidthPercent());
  testModeInfo_->SetExpandCharsPercent(value->ExpandCharsPercent());
  testModeInfo_->SetPaddingChar(value->PaddingChar());
}

void TsiLangDispatcher::SetDefaultLanguage(int32_t value) {
  if (value < 1 || value > numOfLanguages_ || value == defaultLanguage_) return;
  defaultLanguage_ = value;
  for (TsiCustomLang* lang : components_) lang->SetDefaultLanguage(value);
}

void TsiLangDispatcher::SetUseDefaultLanguage(bool value) {
  if (value == useDefaultLanguage_) return;
  useDefaultLanguage_ = value;
  for (TsiCustomLang* lang : components_) lang->SetUseDefaultLanguage(value);
}
