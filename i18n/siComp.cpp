// TsiCustomLang: creation, the property setters, Loaded, Notification and the
// destructor. The TranslationData format lives in sitransdata.cpp.
#include "i18n/siComp.h"

#include <algorithm>

#include "i18n/siStrColl.h"
#include "platform/classes/resstrings.h"
#include "platform/classes/typinfo.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/forms.h"

const std::array<TStringsTypeInfo, kStringsTypeCount> StringsTypeInfos = {{
    {"stCaptions", "Captions", "Caption", "Captions"},
    {"stHints", "Hints", "Hint", "Hints"},
    {"stDisplayLabels", "DisplayLabels", "DisplayLabel", "DisplayLabels"},
    {"stFonts", "Fonts", "Font", "Fonts"},
    {"stMultiLines", "MultiLines", "TStrings", "Multilines"},
    {"stDlgsCaptions", "DlgsCaptions", "Dialog", "Dialogs"},
    {"stStrings", "Strings", "Strings", "Strings"},
    {"stOtherStrings", "OtherStrings", "Other", "Other"},
    {"stLocales", "Locales", "Locales", "Locales"},
    {"stCollections", "Collections", "Collections", "Collections"},
    {"stCharSets", "CharSets", "CharSet", "CharSets"},
    {"stListView_TreeView_Items", "ListView_TreeView_Items", "ListView_TreeView_Items", "ListView_TreeView_Items"},
}};

const std::array<TsiCharsetName, 19> CharsetNames = {{
    {"ANSI_CHARSET", 0},        {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},     {"MAC_CHARSET", 77},
    {"SHIFTJIS_CHARSET", 128},  {"HANGEUL_CHARSET", 129},  {"JOHAB_CHARSET", 130},    {"GB2312_CHARSET", 134},
    {"CHINESEBIG5_CHARSET", 136}, {"GREEK_CHARSET", 161},  {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},    {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},   {"RUSSIAN_CHARSET", 204},
    {"THAI_CHARSET", 222},      {"EASTEUROPE_CHARSET", 238}, {"OEM_CHARSET", 255},
}};

bool CharsetFromName(std::string_view name, uint8_t& charset) {
  for (const TsiCharsetName& e : CharsetNames)
    if (SameText(e.Name, name)) {
      charset = e.Charset;
      return true;
    }
  return false;
}

const std::array<const char*, 15> LocaleSettingNames = {
    "Currency String",   "Thousand Separator", "Decimal Separator", "Date Separator",    "Short Date Format",
    "Long Date Format",  "Time Separator",     "Time AM String",    "Time PM String",    "Short Time Format",
    "Long Time Format",  "Short Month Names",  "Long Month Names",  "Short Day Names",   "Long Day Names"};

const std::array<const char*, kAllDlgCount> DialogCaptionEntries = {
    "Warning", "Error", "Information", "Confirm", "&Yes", "&No", "OK", "Cancel", "&Abort", "&Retry", "&Ignore",
    "&All", "N&o To All", "Y&es To All", "&Help",
    // the labels of the common dialogs
    "&Open", "Look &in:", "File &name:", "Files of &type:", "&Read-only", "&Save", "&Drives:", "Save &in:",
    "Save as &type:", "&Basic colors:", "&Custom colors:", "&Define Custom Colors >>", "Color", "|S&olid", "Hu&e:",
    "&Sat:", "&Lum:", "&Red:", "&Green:", "Bl&ue:", "&Add to Custom Colors", "&Font:", "Font st&yle:", "Si&ze:",
    "&Color:", "&Apply", "Effects", "Stri&keout", "&Underline", "Sample", "Sc&ript:", "Printer", "&Name:",
    "&Properties", "Status:", "Type:", "Where:", "Comment:", "Paper", "&Source:", "Orientation", "P&ortrait",
    "L&andscape", "Print to f&ile", "Print", "Pa&ges", "&Selection", "&from:", "&to:", "Copies",
    "Number of &copies:", "C&ollate", "Fi&nd what:", "Match &whole words only", "Match &case", "Direction", "&Up",
    "&Down", "&Find Next", "&Replace", "Replace &All", "Re&place with:", "Picture:", "Preview", "New Folder",
    "Folder:", "(None)", "Close", "Network", "Print Setup", "Find"};

const std::array<const char*, 6> TextAccessOperationNames = {"GetText(",  "GetTextOrDefault(",  "GetTextC(",
                                                             "GetTextOrDefaultC(", "GetTextW(", "GetTextOrDefaultW("};

std::string DialogCaptionKey(std::string_view entry) {
  std::string key;
  for (char c : entry)
    if (c != '&') key += c;
  return key;
}

namespace {

constexpr const char* kExcludedDefaults[] = {
    "Category",  "SecondaryShortCuts", "HelpKeyword", "InitialDir",          "HelpKeyword",
    "ActivePage", "ImeName",           "DefaultExt",  "FileName",            "FieldName",
    "PickList",  "DisplayFormat",      "EditMask",    "KeyList",             "LookupDisplayFields",
    "DropDownSpecRow", "TableName",    "DatabaseName", "IndexName",          "MasterFields"};

// Runs before the inherited constructor inserts the new component into AOwner.
TComponent* CheckSingleLanguageComponent(TComponent* AOwner) {
  if (AOwner)
    for (int32_t i = 0; i < AOwner->ComponentCount(); ++i)
      if (AOwner->Components(i)->Is<TsiCustomLang>())
        throw Exception("Only one TsiCustomLang component per Form/DataModule allowed!");
  return AOwner;
}

std::string JoinNames(const auto& names) {
  std::string s;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i) s += ',';
    s += names[i];
  }
  return s;
}

size_t CountOf(std::string_view s, std::string_view part) {
  if (part.empty()) return 0;
  size_t n = 0;
  for (size_t p = s.find(part); p != std::string_view::npos; p = s.find(part, p + part.size())) ++n;
  return n;
}

void CopyLines(TStrings* dest, TStrings* source) {
  if (!source || dest == source) return;
  dest->Assign(source);
}

}  // namespace

// ---------------------------------------------------------------------------
// Extended translation items (the data they hold; the rest is their own layer's)

void TsiExtendedItem::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TsiExtendedItem*>(source)) {
    identifier_ = other->identifier_;
    values_ = other->values_;
    propertyType_ = other->propertyType_;
    return;
  }
  TCollectionItem::Assign(source);
}

TsiExtendedItems::TsiExtendedItems(TsiCustomLang* owner)
    : TOwnedCollection(owner, CollectionItemClassOf<TsiExtendedItem>()) {}

// ---------------------------------------------------------------------------
// Creation and destruction

TsiCustomLang::TsiCustomLang(TComponent* AOwner) : TComponent(CheckSingleLanguageComponent(AOwner)) {
  for (int k = 0; k < kStringsTypeCount; ++k)
    if (k != stListView_TreeView_Items) lists_[k] = std::make_unique<TStringList>();
  doNotTranslate_ = std::make_unique<TStringList>();
  langNames_ = std::make_unique<TStringList>();
  langNames_->Add("Language N1");
  language_ = "Language N1";

  for (int i = 0; i < kStdDlgCount; ++i) List(stDlgsCaptions)->Add(DialogCaptionLine(i));
  CaptureDefaultLocales();

  excludedProperties_ = std::make_unique<TStringList>();
  for (const char* p : kExcludedDefaults) excludedProperties_->Add(p);
  stringsTypes_ = std::make_unique<TStringList>();
  stringsTypes_->Add("TIB_STRINGLIST");
  stringsTypes_->Add("TSTRINGLIST");
  smartExcludeProps_ = std::make_unique<TStringList>();
  scratch_ = std::make_unique<TStringList>();
  extended_ = std::make_unique<TsiExtendedItems>(this);
  extended_->SetPropName("ExtendedTranslations");
  stringsById_ = std::make_unique<TsiStringsCollection>(this);
  resourceStrings_ = std::make_unique<TsiStringsCollection>(this);
  lists_[stStrings]->OnChange = [this](TObject*) { StringsChanged(); };

  if (AOwner) {
    PPropInfo font = GetPropInfo(AOwner, "Font", TTypeKinds{tkClass});
    ownerLacksFont_ = !(font && font->PropType->ClassType && std::string_view(font->PropType->ClassType->Name) == "TFont");
  }
}

TsiCustomLang::~TsiCustomLang() {
  lists_[stStrings]->OnChange = nullptr;
  ReleaseResourceStringRole();
  UnregisterFromDispatcher();
  SetComponentReference(dispatcher_, static_cast<TsiLangDispatcher*>(nullptr));
  SetComponentReference(charsetSource_, static_cast<TsiCustomLang*>(nullptr));
}

void TsiCustomLang::CaptureDefaultLocales() {
  const TFormatSettings& fs = FormatSettings();
  defaultLocales_ = {fs.CurrencyString,
                     std::string(1, fs.ThousandSeparator),
                     std::string(1, fs.DecimalSeparator),
                     std::string(1, fs.DateSeparator),
                     fs.ShortDateFormat,
                     fs.LongDateFormat,
                     std::string(1, fs.TimeSeparator),
                     fs.TimeAMString,
                     fs.TimePMString,
                     fs.ShortTimeFormat,
                     fs.LongTimeFormat,
                     JoinNames(fs.ShortMonthNames),
                     JoinNames(fs.LongMonthNames),
                     JoinNames(fs.ShortDayNames),
                     JoinNames(fs.LongDayNames)};
}

std::string TsiCustomLang::Delim() const { return CodePointToUtf8(langDelim_); }

std::string TsiCustomLang::DialogCaptionLine(int index) const {
  const std::string text =
      index < kStdDlgCount ? LoadResString(MsgDlgResourceStrings[index]) : DialogCaptionEntries[size_t(index)];
  const std::string d = Delim();
  return DialogCaptionKey(DialogCaptionEntries[size_t(index)]) + d + text + d;
}

// ---------------------------------------------------------------------------
// Setters

void TsiCustomLang::SetKindLines(TStringsType kind, TStrings* value) {
  TStrings* list = List(kind);
  if (!list || !value || value == list) return;
  list->Assign(value);
  applyKind_ = kind;
  ApplyActiveLanguage();
}

void TsiCustomLang::SetDlgsCaptions(TStrings* v) { CopyLines(List(stDlgsCaptions), v); }

void TsiCustomLang::SetNumOfLanguages(int32_t value) {
  if (value == numOfLanguages_) return;
  if (value < 1)
    throw ELanguageError(IntToStr(value) + " - is not a valid property value !\rValue must be more than ZERO !");
  if (value < numOfLanguages_)
    for (const auto& list : lists_)
      if (list) CutLinesAfterColumn(list.get(), value);
  numOfLanguages_ = value;
  if (Designing() && !Loading()) PadFixedLists();
  while (langNames_->Count() < value) langNames_->Add("Language N" + IntToStr(langNames_->Count() + 1));
  while (langNames_->Count() > value) langNames_->Delete(langNames_->Count() - 1);
  if (!Designing() && !Loading()) {
    PadFixedLists();
    RebuildStringsCollections();
  }
}

void TsiCustomLang::CutLinesAfterColumn(TStrings* list, int32_t columns) {
  const std::string d = Delim();
  for (int32_t i = 0; i < list->Count(); ++i) {
    const std::string line = list->Strings(i);
    size_t pos = 0;
    int32_t seen = 0;
    // The delimiter that ends language column `columns` is the (columns + 1)-th.
    while (seen <= columns) {
      pos = line.find(d, pos);
      if (pos == std::string::npos) break;
      pos += d.size();
      ++seen;
    }
    if (seen == columns + 1 && pos < line.size()) list->SetStrings(i, line.substr(0, pos));
  }
}

void TsiCustomLang::PadLines(TStrings* list) {
  const std::string d = Delim();
  list->BeginUpdate();
  for (int32_t i = 0; i < list->Count(); ++i) {
    const std::string line = list->Strings(i);
    const auto have = int32_t(CountOf(line, d));
    if (numOfLanguages_ < have) continue;
    std::string padded = line;
    for (int32_t k = 0; k < numOfLanguages_ - have + 1; ++k) padded += d;
    list->SetStrings(i, padded);
  }
  list->EndUpdate();
}

void TsiCustomLang::PadFixedLists() {
  PadLines(List(stStrings));
  PadLines(List(stDlgsCaptions));
  PadLines(List(stLocales));
}

void TsiCustomLang::CheckLanguageIndex(int32_t value) const {
  if (value >= 1 && value <= numOfLanguages_) return;
  const std::string range =
      " - is not a valid property value!\rValue must be within [1.." + IntToStr(numOfLanguages_) + "]!";
  if (Owner()) throw ELanguageError(Owner()->ClassName() + ": " + IntToStr(value) + range);
  throw ELanguageError(IntToStr(value) + range);
}

namespace {

// Shows a cursor for the time of a language change when the screen shows the
// default one, and puts the default back however the change ends.
class TChangingCursor {
public:
  TChangingCursor(int16_t cursor, bool designing) {
    if (cursor != -1 && !designing && Screen && Screen->Cursor() == crDefault) {
      shown_ = true;
      Screen->SetCursor(cursor);
    }
  }
  ~TChangingCursor() {
    if (shown_ && Screen) Screen->SetCursor(crDefault);
  }
  TChangingCursor(const TChangingCursor&) = delete;
  TChangingCursor& operator=(const TChangingCursor&) = delete;

private:
  bool shown_ = false;
};

}  // namespace

void TsiCustomLang::SetActiveLanguage(int32_t value) {
  if (value == activeLanguage_) return;
  if (value < 1 || value > numOfLanguages_) {
    if (Loading()) return;
    CheckLanguageIndex(value);
  }
  applyKind_ = -1;
  TChangingCursor cursor(changingCursor_, Designing());
  if (Designing() && (dispatcher_ || !Loading())) ScanComponentTexts();
  if (!Loading() && !inDispatch_ && OnLanguageChanging) {
    bool allow = true;
    OnLanguageChanging(this, value, allow);
    if (!allow) return;
  }
  activeLanguage_ = value;
  if (!Loading()) {
    if (langNames_->Count() >= value) language_ = langNames_->Strings(value - 1);
    PublishResourceSnapshot();
    ApplyActiveLanguage();
  }
}

void TsiCustomLang::SetChangeLocales(bool value) {
  if (value == changeLocales_) return;
  changeLocales_ = value;
  TStrings* locales = List(stLocales);
  if (value && locales->Count() == 0) {
    const std::string d = Delim();
    for (size_t i = 0; i < LocaleSettingNames.size(); ++i)
      locales->Add(LocaleSettingNames[i] + d + defaultLocales_[i] + d);
  }
}

void TsiCustomLang::SetLangDispatcher(TsiLangDispatcher* value) {
  if (dispatcher_ && dispatcher_ != value) UnregisterFromDispatcher();
  SetComponentReference(dispatcher_, value);
  if (!value) return;
  if (Loading()) {
    SetNumOfLanguages(value->NumOfLanguages());
    defaultLanguage_ = value->DefaultLanguage();
    useDefaultLanguage_ = value->UseDefaultLanguage();
  } else if (RegularInstance() && Owner()) {
    RegisterWithDispatcher();
  }
}

void TsiCustomLang::SetLangDelim(uint8_t value) {
  if (value == langDelim_) return;
  if (!Loading()) ReplaceDelimiter(CodePointToUtf8(langDelim_), CodePointToUtf8(value));
  langDelim_ = value;
}

void TsiCustomLang::ReplaceDelimiter(std::string_view from, std::string_view to) {
  for (const auto& list : lists_) {
    if (!list) continue;
    list->BeginUpdate();
    for (int32_t i = 0; i < list->Count(); ++i) {
      const std::string line = list->Strings(i);
      if (line.find(from) != std::string::npos) list->SetStrings(i, StringReplace(line, from, to, rfReplaceAll));
    }
    list->EndUpdate();
  }
  ReplaceInExtendedValues(from, to);
}

void TsiCustomLang::SetDoNotTranslate(TStrings* v) {
  CopyLines(doNotTranslate_.get(), v);
  if (!Loading()) ApplyDoNotTranslate();
}

void TsiCustomLang::SetExcludedProperties(TStrings* v) {
  CopyLines(excludedProperties_.get(), v);
  if (!Loading()) {
    ApplyExcludedProperties();
    CollectFormTexts();
  }
}

void TsiCustomLang::SetStringsTypes(TStrings* v) {
  CopyLines(stringsTypes_.get(), v);
  if (!Loading()) CollectFormTexts();
}

void TsiCustomLang::SetSmartExcludeProps(TStrings* v) {
  CopyLines(smartExcludeProps_.get(), v);
  if (!Loading()) CollectFormTexts();
}

void TsiCustomLang::SetLangNames(TStrings* v) {
  if (!v || v == langNames_.get()) return;
  langNames_->Assign(v);
  if (activeLanguage_ >= 1 && activeLanguage_ <= langNames_->Count())
    language_ = langNames_->Strings(activeLanguage_ - 1);
  // A component has at least one language, as the dispatcher's names setter keeps it.
  numOfLanguages_ = std::max(1, langNames_->Count());
}

void TsiCustomLang::SetLanguage(const std::string& value) {
  if (value == language_) return;
  int32_t index = langNames_->IndexOf(value);
  if (index < 0) {
    if (!Loading()) throw ELanguageError("Language name shall be included in LangNames property!");
    index = langNames_->Add(value);
  }
  language_ = value;
  if (!Loading() && RegularInstance()) SetActiveLanguage(index + 1);
}

void TsiCustomLang::SetOptions(TsiLangOptions value) {
  options_ = value;
  if (value.Contains(loUseExtCommonStrings) && Designing()) {
    List(stDlgsCaptions)->Clear();
    List(stLocales)->Clear();
  }
}

void TsiCustomLang::SetNeedAllDlgs(bool value) {
  needAllDlgs_ = value;
  if (!Loading()) UpdateDialogCaptions();
}

void TsiCustomLang::SetDefaultLanguage(int32_t v) {
  if (v >= 1 && v <= numOfLanguages_) defaultLanguage_ = v;
}

void TsiCustomLang::SetExtendedTranslations(TsiExtendedItems* v) {
  if (v && v != extended_.get()) extended_->Assign(v);
}

void TsiCustomLang::SetCharsetSource(TsiCustomLang* source) { SetComponentReference(charsetSource_, source); }

TStringList* TsiCustomLang::LostLines() {
  if (!lostLines_) lostLines_ = std::make_unique<TStringList>();
  return lostLines_.get();
}

// ---------------------------------------------------------------------------
// The standard dialog lines and the legacy tab delimiter

void TsiCustomLang::UpdateDialogCaptions() {
  TStrings* dlgs = List(stDlgsCaptions);
  if (needAllDlgs_ && dlgs->Count() < kAllDlgCount) {
    for (int i = dlgs->Count(); i < kAllDlgCount; ++i) dlgs->Add(DialogCaptionLine(i));
  } else if (!needAllDlgs_ && dlgs->Count() == kAllDlgCount) {
    const std::string d = Delim();
    for (int32_t i = dlgs->Count() - 1; i >= 0; --i) {
      const std::string line = dlgs->Strings(i);
      const std::string key = line.substr(0, line.find(d));
      bool standard = false;
      for (int k = 0; k < kStdDlgCount && !standard; ++k)
        standard = SameText(key, DialogCaptionKey(DialogCaptionEntries[size_t(k)]));
      if (!standard) dlgs->Delete(i);
    }
  }
}

bool TsiCustomLang::HasTabDelimitedData() {
  auto first = [this](TStringsType kind) { return List(kind)->Count() ? List(kind)->Strings(0) : std::string(); };
  if (first(stDlgsCaptions).find('\t') != std::string::npos || first(stLocales).find('\t') != std::string::npos)
    return true;
  const size_t wanted = size_t(numOfLanguages_) + 1;
  for (TStringsType kind : {stCaptions, stLocales, stHints})
    if (CountOf(first(kind), "\t") == wanted) return true;
  return false;
}

// ---------------------------------------------------------------------------
// Kinds, lifecycle and notifications

TStrings* TsiCustomLang::GetKindList(TStringsType kind) {
  if (kind >= kStringsTypeCount) return nullptr;
  PPropInfo prop = GetPropInfo(ClassType(), StringsTypeInfos[kind].ListProperty, TTypeKinds{tkClass});
  if (!prop) return nullptr;
  return dynamic_cast<TStrings*>(GetObjectProp(this, prop));
}

bool TsiCustomLang::IsStringsType(const std::string& className) { return stringsTypes_->IndexOf(className) >= 0; }

void TsiCustomLang::RemoveComponentLines(TStrings*, TComponent*, TStringsType, TOperation) {}

void TsiCustomLang::SetLineText(TStrings*, const std::string&, int32_t, const std::string&) {}

std::string TsiCustomLang::OwnerClassName() const { return Owner() ? Owner()->ClassName() : std::string(); }

void TsiCustomLang::Loaded() {
  TComponent::Loaded();
  if (!RegularInstance() || !Owner()) return;
  UpdateDialogCaptions();
  if (options_.Contains(loUseExtCommonStrings)) {
    List(stDlgsCaptions)->Clear();
    List(stLocales)->Clear();
  }
  if (langDelim_ == 9) {
    langDelim_ = 1;
    ReplaceDelimiter("\t", "\x01");
  }
  if (HasTabDelimitedData()) {
    ReplaceDelimiter(Delim(), "\t");
    ReplaceDelimiter("\t", Delim());
  }
  TStrings* locales = List(stLocales);
  if (locales->Count() == 11) {
    const std::string d = Delim();
    for (size_t i = 11; i < LocaleSettingNames.size(); ++i)
      locales->Add(LocaleSettingNames[i] + d + defaultLocales_[i] + d);
  }
  ApplyExcludedProperties();
  if (Designing())
    PadFixedLists();
  else
    RebuildStringsCollections();
  if (dispatcher_) RegisterWithDispatcher();
  if (isInheritedOwner_)
    ApplyActiveLanguage();
  else
    UpdateCurrentCharset();
  if (!Designing() && handleResourceStrings_) TakeResourceStringRole();
  if (Designing()) {
    const std::string ownerClass = OwnerClassName();
    for (int32_t i = extended_->Count() - 1; i >= 0; --i) {
      TsiExtendedItem* item = extended_->Items(i);
      const std::string first = item->StoredIdentifier().substr(0, item->StoredIdentifier().find('.'));
      if (SameText(first, ownerClass)) {
        item->SetRelatedComponent(Owner());
      } else if (TComponent* c = Owner()->FindComponent(first)) {
        item->SetRelatedComponent(c);
      } else {
        extended_->Delete(i);
      }
    }
  }
}

void TsiCustomLang::Notification(TComponent* AComponent, TOperation operation) {
  TComponent::Notification(AComponent, operation);
  if (operation != opRemove || !AComponent) return;
  if (AComponent == dispatcher_) {
    dispatcher_ = nullptr;
    return;
  }
  if (AComponent == charsetSource_) {
    charsetSource_ = nullptr;
    return;
  }
  if (AComponent->Is<TsiCustomLang>() || AComponent == this) return;
  const std::string& name = AComponent->Name();
  if (!name.empty())
    for (int32_t i = doNotTranslate_->Count() - 1; i >= 0; --i)
      if (SameText(doNotTranslate_->Strings(i), name)) doNotTranslate_->Delete(i);
  for (TStringsType kind : {stCaptions, stHints, stDisplayLabels, stFonts, stMultiLines, stOtherStrings, stCharSets,
                            stCollections})
    RemoveComponentLines(List(kind), AComponent, kind, operation);
  // SmartExcludeProps has no kind of its own; its lines start with the component name as the lists' do.
  RemoveComponentLines(smartExcludeProps_.get(), AComponent, stCaptions, operation);
  if (name.empty()) return;
  // An item related to the component names it through that component: it goes too.
  const std::string prefix = name + ".";
  for (int32_t i = extended_->Count() - 1; i >= 0; --i) {
    TsiExtendedItem* item = extended_->Items(i);
    if (item->RelatedComponent() == AComponent || StartsText(prefix, item->Identifier())) extended_->Delete(i);
  }
}
