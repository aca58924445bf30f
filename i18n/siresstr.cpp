// Text lookup by identifier, the strings collections of a component and the
// translation of the process's resource strings.
//
// The resource-string loader runs on any thread (image workers load message
// texts). It never touches a component: it reads an immutable snapshot of the
// role holder's Strings lines, which the main thread publishes afresh whenever
// the lines, the language count, the resource language or the active
// language change.
#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "i18n/siComp.h"
#include "i18n/siStrColl.h"
#include "platform/classes/resstrings.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"

DX_RESOURCESTRING(SsiIdentNotFound, 0, "String identifier \"%s\" not found!");

namespace {

struct TResourceSnapshot {
  int32_t activeLanguage = 1;
  int32_t resourceLanguage = 1;
  // (text of the resource language, text for the active language), sorted by the first.
  std::vector<std::pair<std::string, std::string>> entries;
};

std::atomic<TsiCustomLang*> roleOwner{nullptr};
std::atomic<std::shared_ptr<const TResourceSnapshot>> snapshot;
std::atomic<TResStringLoader> untranslatedLoader{nullptr};

// What a 1,024-character buffer receives of a string from the table.
constexpr int32_t kResStringBufferChars = 1024;

std::string TranslatedLoadResString(PResStringRec rec) {
  if (!rec) return {};
  const TResStringLoader base = untranslatedLoader.load();
  std::string text = base ? base(rec) : DefaultLoadResString(rec);
  if (rec->Identifier != 0 && CpLength(text) >= kResStringBufferChars) text = CpCopy(text, 1, kResStringBufferChars - 1);
  const std::shared_ptr<const TResourceSnapshot> snap = snapshot.load();
  if (!snap || snap->resourceLanguage == snap->activeLanguage) return text;
  auto it = std::lower_bound(snap->entries.begin(), snap->entries.end(), text,
                             [](const auto& entry, const std::string& key) { return entry.first < key; });
  if (it != snap->entries.end() && it->first == text && !it->second.empty()) return it->second;
  return text;
}

void InstallTranslatedLoader() {
  static std::once_flag once;
  std::call_once(once, [] { untranslatedLoader.store(SetResStringLoader(&TranslatedLoadResString)); });
}

}  // namespace

// ---------------------------------------------------------------------------
// The resource-string role

bool TsiCustomLang::HoldsResourceStringRole() const { return roleOwner.load() == this; }

void TsiCustomLang::TakeResourceStringRole() {
  TsiCustomLang* none = nullptr;
  if (!roleOwner.compare_exchange_strong(none, this)) return;
  // The loader is replaced once for the process and stays; without a role
  // holder it hands out the untranslated strings.
  InstallTranslatedLoader();
  RebuildStringsCollections();
}

void TsiCustomLang::ReleaseResourceStringRole() {
  TsiCustomLang* self = this;
  if (roleOwner.compare_exchange_strong(self, nullptr)) snapshot.store(nullptr);
}

void TsiCustomLang::PublishResourceSnapshot() {
  if (!HoldsResourceStringRole()) return;
  auto snap = std::make_shared<TResourceSnapshot>();
  snap->activeLanguage = activeLanguage_;
  snap->resourceLanguage = resourceLanguageIndex_;
  TStrings* lines = List(stStrings);
  snap->entries.reserve(size_t(lines->Count()));
  for (int32_t i = 0; i < lines->Count(); ++i) {
    const std::string line = lines->Strings(i);
    std::string key = FieldOfLine(line, resourceLanguageIndex_);
    if (key.empty()) continue;  // an empty string is no text to translate
    std::string text = FieldOfLine(line, activeLanguage_);
    if (text.empty() && activeLanguage_ > 1) text = TestModeText(FieldOfLine(line, 1));
    snap->entries.emplace_back(std::move(key), std::move(text));
  }
  std::stable_sort(snap->entries.begin(), snap->entries.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  snapshot.store(std::move(snap));
}

// ---------------------------------------------------------------------------
// Strings collections

void TsiCustomLang::FillStringsCollection(TsiStringsCollection* collection, int32_t sortLanguage) {
  collection->BeginUpdate();
  collection->Clear();
  TStrings* lines = List(stStrings);
  for (int32_t i = 0; i < lines->Count(); ++i) {
    const std::string line = lines->Strings(i);
    TsiStringsCollectionItem* item = collection->Add();
    item->SetIdent(FieldOfLine(line, 0));
    for (int32_t k = 1; k <= numOfLanguages_; ++k) item->LanguageTexts()->Add(FieldOfLine(line, k));
  }
  collection->EndUpdate();
  collection->SetSortLanguage(sortLanguage);
  collection->SortBySortLanguage();
}

void TsiCustomLang::RebuildStringsCollections() {
  FillStringsCollection(stringsById_.get(), 0);
  if (handleResourceStrings_ && Owner()) FillStringsCollection(resourceStrings_.get(), resourceLanguageIndex_);
  collectionsStale_ = false;
  PublishResourceSnapshot();
}

void TsiCustomLang::StringsChanged() {
  collectionsStale_ = true;
  if (HoldsResourceStringRole()) RebuildStringsCollections();
}

TsiStringsCollection* TsiCustomLang::StringsById() {
  if (collectionsStale_) RebuildStringsCollections();
  return stringsById_.get();
}

TsiStringsCollection* TsiCustomLang::ResourceStrings() {
  if (collectionsStale_) RebuildStringsCollections();
  return resourceStrings_.get();
}

void TsiCustomLang::SetResourceLanguageIndex(uint16_t v) {
  if (v == resourceLanguageIndex_) return;
  if (!Loading() && (v < 1 || v > numOfLanguages_))
    throw ELanguageError(Format("%d - is not a valid property value!\rValue must be within [1..%d]!", int32_t(v),
                                numOfLanguages_));
  resourceLanguageIndex_ = v;
  if (Loading() || Designing()) return;
  resourceStrings_->SetSortLanguage(v);
  resourceStrings_->SortBySortLanguage();
  PublishResourceSnapshot();
}

// ---------------------------------------------------------------------------
// Dispatcher registration

void TsiCustomLang::RegisterWithDispatcher() {
  if (dispatcher_) dispatcher_->AddLangComponent(this);
}

void TsiCustomLang::UnregisterFromDispatcher() {
  if (dispatcher_) dispatcher_->RemoveLangComponent(this);
}

// ---------------------------------------------------------------------------
// Text lookups

// The component whose list of kind answers for this one (itself included);
// null when the option asks for another component and there is no dispatcher.
TsiCustomLang* TsiCustomLang::DelegateFor(TStringsType kind) {
  const bool delegated = ((kind == stDlgsCaptions || kind == stLocales) && options_.Contains(loUseExtCommonStrings)) ||
                         (kind == stStrings && options_.Contains(loUseExtUDStrings));
  if (!delegated) return this;
  if (!dispatcher_) return nullptr;
  for (int32_t i = 0; i < dispatcher_->Count(); ++i) {
    TsiCustomLang* other = dispatcher_->Items(i);
    TStrings* list = other->GetKindList(kind);
    if (list && list->Count() > 0) return other;
  }
  return this;
}

void TsiCustomLang::LookupText(TStrings* list, const std::string& ident, std::string& text, bool useDefault) {
  LookupIn(list, ident, text, useDefault, activeLanguage_, true);
}

void TsiCustomLang::LookupIn(TStrings* list, const std::string& ident, std::string& text, bool useDefault,
                             int32_t language, bool delegate) {
  text.clear();
  if (!list) return;
  if (delegate) {
    for (TStringsType kind : {stStrings, stDlgsCaptions, stLocales}) {
      if (list != List(kind)) continue;
      TsiCustomLang* source = DelegateFor(kind);
      if (!source) return;
      if (source != this) return source->LookupIn(source->GetKindList(kind), ident, text, useDefault, language, false);
    }
  }
  auto fallbacks = [&](const std::string& first) {
    if (text.empty() && language > 1) text = TestModeText(first);
    if (text.empty() && useDefault) text = first;
  };
  if (Designing() || list != List(stStrings)) {
    const std::string d = Delim();
    for (int32_t i = 0; i < list->Count(); ++i) {
      const std::string line = list->Strings(i);
      if (!SameText(line.substr(0, line.find(d)), ident) || line.find(d) == std::string::npos) continue;
      text = FieldOfLine(line, language);
      fallbacks(FieldOfLine(line, 1));
      return;
    }
    if (doRaiseExceptions_) throw ELanguageError(Format(LoadResString(SsiIdentNotFound), ident));
    return;
  }
  TsiStringsCollection* byId = StringsById();
  const int32_t i = byId->FindIdent(ident);
  if (i < 0) {
    if (doRaiseExceptions_) throw ELanguageError(Format(LoadResString(SsiIdentNotFound), ident));
    return;
  }
  text = byId->Items(i)->Text(language);
  fallbacks(byId->Items(i)->Text(1));
}

std::string TsiCustomLang::GetText(const std::string& ident) {
  std::string text;
  LookupText(List(stStrings), ident, text, translateType_ == ttGetDefault);
  return text;
}

std::string TsiCustomLang::GetTextOrDefault(const std::string& ident) {
  std::string text;
  if (!useDefaultLanguage_) {
    LookupText(List(stStrings), ident, text, true);
    return text;
  }
  text = GetText(ident);
  if (!text.empty()) return text;
  // The default language is passed along rather than made active for the
  // moment: the active language stays what every other reader sees.
  LookupIn(List(stStrings), ident, text, translateType_ == ttGetDefault, defaultLanguage_, true);
  if (text.empty()) LookupIn(List(stStrings), ident, text, true, defaultLanguage_, true);
  return text;
}

void TsiCustomLang::GetLineText(TStrings* list, int32_t index, std::string& text, bool useDefault) {
  text.clear();
  if (!list) return;
  for (TStringsType kind : {stDlgsCaptions, stLocales}) {
    if (list != List(kind) || !options_.Contains(loUseExtCommonStrings)) continue;
    TsiCustomLang* source = DelegateFor(kind);
    if (!source) return;
    list = source->GetKindList(kind);
    if (!list) return;
  }
  if (index < 0 || index >= list->Count()) return;
  const std::string line = list->Strings(index);
  text = FieldOfLine(line, activeLanguage_);
  if (text.empty() && useDefault) text = FieldOfLine(line, 1);
}
