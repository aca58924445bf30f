// The library's published properties and its unit start-up.
#include <mutex>

#include "i18n/siComp.h"
#include "i18n/siLngLnk.h"
#include "platform/classes/threads.h"
#include "platform/classes/typinfo.h"
#include "platform/vcl/controls.h"

namespace {

// What TsiLang and TsiLangLinked both publish; the linked component has neither
// the dialog captions nor the locales.
template <class T>
void PublishLanguageProperties(bool linked) {
  Published<T> p;
  auto list = [&p](const char* name, TStrings* (TsiCustomLang::*get)() const, void (TsiCustomLang::*set)(TStrings*)) {
    p.Obj(name, get, set).Stored(false);
  };
  list("Captions", &TsiCustomLang::Captions, &TsiCustomLang::SetCaptions);
  list("Hints", &TsiCustomLang::Hints, &TsiCustomLang::SetHints);
  list("DisplayLabels", &TsiCustomLang::DisplayLabels, &TsiCustomLang::SetDisplayLabels);
  list("Strings", &TsiCustomLang::Strings, &TsiCustomLang::SetStrings);
  list("Fonts", &TsiCustomLang::Fonts, &TsiCustomLang::SetFonts);
  list("MultiLines", &TsiCustomLang::MultiLines, &TsiCustomLang::SetMultiLines);
  if (!linked) list("DlgsCaptions", &TsiCustomLang::DlgsCaptions, &TsiCustomLang::SetDlgsCaptions);
  list("OtherStrings", &TsiCustomLang::OtherStrings, &TsiCustomLang::SetOtherStrings);
  if (!linked) list("Locales", &TsiCustomLang::Locales, &TsiCustomLang::SetLocales);
  list("CharSets", &TsiCustomLang::CharSets, &TsiCustomLang::SetCharSets);
  list("Collections", &TsiCustomLang::Collections, &TsiCustomLang::SetCollections);
  p.Int("NumOfLanguages", &TsiCustomLang::NumOfLanguages, &TsiCustomLang::SetNumOfLanguages, 1)
      .Int("ActiveLanguage", &TsiCustomLang::ActiveLanguage, &TsiCustomLang::SetActiveLanguage, 1)
      .Bool("ChangeLocales", &TsiCustomLang::ChangeLocales, &TsiCustomLang::SetChangeLocales, false)
      .Obj("LangDispatcher", &TsiCustomLang::LangDispatcher, &TsiCustomLang::SetLangDispatcher)
      .Event("OnChangeLanguage", &TsiCustomLang::OnChangeLanguage)
      .Int("LangDelim", &TsiCustomLang::LangDelim, &TsiCustomLang::SetLangDelim, 9)
      .Obj("DoNotTranslate", &TsiCustomLang::DoNotTranslate, &TsiCustomLang::SetDoNotTranslate)
      .Stored([](T& l) { return l.DoNotTranslate()->Count() > 0; })
      .Obj("LangNames", &TsiCustomLang::LangNames, &TsiCustomLang::SetLangNames)
      .Str("Language", &TsiCustomLang::Language, &TsiCustomLang::SetLanguage)
      .Enum("TranslateType", &TsiCustomLang::TranslateType, &TsiCustomLang::SetTranslateType, ttNoChange)
      .Set("Options", &TsiCustomLang::Options, &TsiCustomLang::SetOptions,
           DefineSetType("TsiLangOptions", TypeInfoOf<TsiLangOption>()), 0);
  if (!linked) p.Bool("NeedAllDlgs", &TsiCustomLang::NeedAllDlgs, &TsiCustomLang::SetNeedAllDlgs, false);
  p.Int("ChangingCursor", &TsiCustomLang::ChangingCursor, &TsiCustomLang::SetChangingCursor, -1)
      .Type(DefineIntegerType("TCursor", otSWord, IdentToCursor, CursorToIdent))
      .Obj("ExcludedProperties", &TsiCustomLang::ExcludedProperties, &TsiCustomLang::SetExcludedProperties)
      .Stored([](T& l) { return l.ExcludedProperties()->Count() > 0; })
      .Bool("DoRaiseExceptions", &TsiCustomLang::DoRaiseExceptions, &TsiCustomLang::SetDoRaiseExceptions, false)
      .Obj("ExtendedTranslations", &TsiCustomLang::ExtendedTranslations, &TsiCustomLang::SetExtendedTranslations)
      .Stored([](T& l) { return l.ExtendedTranslations()->Count() > 0; });
}

void RegisterProperties() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterControlsClasses();  // TCursor with its names
    DefineEnumType<TTranslateType>("TTranslateType", {"ttNoChange", "ttGetDefault"});
    DefineEnumType<TsiLangOption>("TsiLangOption", {"loUseExtUDStrings", "loUseExtCommonStrings"});

    DefineEnumType<TTestModeKind>("TTestModeKind", {"tmkExpandWidth", "tmkFlipCase", "tmkExpandChars"});
    Published<TTestModeInfo>()
        .Bool("Active", &TTestModeInfo::Active, &TTestModeInfo::SetActive, false)
        .Enum("Kind", &TTestModeInfo::Kind, &TTestModeInfo::SetKind, tmkExpandWidth)
        .Int("ExpandWidthPercent", &TTestModeInfo::ExpandWidthPercent, &TTestModeInfo::SetExpandWidthPercent, 100)
        .Int("ExpandCharsPercent", &TTestModeInfo::ExpandCharsPercent, &TTestModeInfo::SetExpandCharsPercent, 100)
        .Char("PaddingChar", &TTestModeInfo::PaddingChar, &TTestModeInfo::SetPaddingChar, '*');

    Published<TsiLangDispatcher>()
        .Int("ActiveLanguage", &TsiLangDispatcher::ActiveLanguage, &TsiLangDispatcher::SetActiveLanguage)
        .NoDefault()
        .Int("NumOfLanguages", &TsiLangDispatcher::NumOfLanguages, &TsiLangDispatcher::SetNumOfLanguages)
        .NoDefault()
        .Obj("LangNames", &TsiLangDispatcher::LangNames, &TsiLangDispatcher::SetLangNames)
        .Str("Language", &TsiLangDispatcher::Language, &TsiLangDispatcher::SetLanguage)
        .Str("FileName", &TsiLangDispatcher::FileName, &TsiLangDispatcher::SetFileName)
        .Event("OnLinkToDispatcher", &TsiLangDispatcher::OnLinkToDispatcher, "TLinkToDispatcherEvent")
        .Obj("TestModeInfo", &TsiLangDispatcher::TestModeInfo, &TsiLangDispatcher::SetTestModeInfo)
        .Bool("UseDefaultLanguage", &TsiLangDispatcher::UseDefaultLanguage, &TsiLangDispatcher::SetUseDefaultLanguage,
              false)
        .Int("DefaultLanguage", &TsiLangDispatcher::DefaultLanguage, &TsiLangDispatcher::SetDefaultLanguage, 1)
        .Event("OnLanguageChanging", &TsiLangDispatcher::OnLanguageChanging, "TLanguageChangingEvent")
        .Event("OnLanguageChanged", &TsiLangDispatcher::OnLanguageChanged);

    DefineEnumType<TTypeKind>(
        "TTypeKind", {"tkUnknown", "tkInteger", "tkChar", "tkEnumeration", "tkFloat", "tkString", "tkSet", "tkClass",
                      "tkMethod", "tkWChar", "tkLString", "tkWString", "tkVariant", "tkArray", "tkRecord",
                      "tkInterface", "tkInt64", "tkDynArray", "tkUString", "tkClassRef", "tkPointer", "tkProcedure"});
    Published<TsiExtendedItem>()
        .Bool("IsRoot", &TsiExtendedItem::IsRoot, nullptr)
        .Stored(false)
        .Str("Identifier", &TsiExtendedItem::Identifier, &TsiExtendedItem::SetIdentifier)
        .Enum("PropertyType", &TsiExtendedItem::PropertyType, &TsiExtendedItem::SetPropertyType)
        .Str("Values", &TsiExtendedItem::Values, &TsiExtendedItem::SetValues)
        .Stored(false);  // streamed as "ValuesEx"
    Published<TsiCustomLang>()
        .Str("Version", &TsiCustomLang::Version, &TsiCustomLang::SetVersion)
        .Bool("IsInheritedOwner", &TsiCustomLang::IsInheritedOwner, &TsiCustomLang::SetIsInheritedOwner, false)
        .Obj("StringsTypes", &TsiCustomLang::StringsTypes, &TsiCustomLang::SetStringsTypes)
        .Obj("SmartExcludeProps", &TsiCustomLang::SmartExcludeProps, &TsiCustomLang::SetSmartExcludeProps)
        .Stored([](TsiCustomLang& l) { return l.SmartExcludeProps()->Count() > 0; })
        .Bool("HandleResourceStrings", &TsiCustomLang::HandleResourceStrings,
              &TsiCustomLang::SetHandleResourceStrings, false)
        .Int("ResourceLanguageIndex", &TsiCustomLang::ResourceLanguageIndex,
             &TsiCustomLang::SetResourceLanguageIndex, 1)
        .Bool("TranslateExtendedFirst", &TsiCustomLang::TranslateExtendedFirst,
              &TsiCustomLang::SetTranslateExtendedFirst, false)
        .Bool("UseDefaultLanguage", &TsiCustomLang::UseDefaultLanguage, &TsiCustomLang::SetUseDefaultLanguage, false)
        .Int("DefaultLanguage", &TsiCustomLang::DefaultLanguage, &TsiCustomLang::SetDefaultLanguage, 1)
        .Bool("AutoSkipEmpties", &TsiCustomLang::AutoSkipEmpties, &TsiCustomLang::SetAutoSkipEmpties, true)
        .Bool("StoreAsUTF8", &TsiCustomLang::StoreAsUTF8, &TsiCustomLang::SetStoreAsUTF8, false)
        .Bool("UseTaskMsgDlg", &TsiCustomLang::UseTaskMsgDlg, &TsiCustomLang::SetUseTaskMsgDlg, true)
        .Event("OnLanguageChanging", &TsiCustomLang::OnLanguageChanging, "TLanguageChangingEvent");
    PublishLanguageProperties<TsiLang>(false);
    PublishLanguageProperties<TsiLangLinked>(true);
    Published<TsiLangLinked>().Obj("CommonContainer", &TsiLangLinked::CommonContainer,
                                   &TsiLangLinked::SetCommonContainer);
  });
}

// ---- the units

std::vector<std::string>& ClassNameList() {
  static std::vector<std::string> names;
  return names;
}

// The classes a unit registered itself, to be taken out again at its shutdown.
std::vector<TClass>& OwnRegistrations() {
  static std::vector<TClass> classes;
  return classes;
}

void RegisterIfMissing(TClass c) {
  if (GetClass(c->Name)) return;
  RegisterClass(c);
  OwnRegistrations().push_back(c);
}

void UnregisterOwn(TClass c) {
  auto& own = OwnRegistrations();
  if (std::erase(own, c)) UnRegisterClass(c);
}

void ClassNamesInitialize() {
  ClassNameList() = {"TsiLang", "TsiLangLinked", "TsiLangRT", "TsiLangRTSE", "TsiLangTLV"};
}
void ClassNamesFinalize() { ClassNameList().clear(); }
void SiCompInitialize() {
  RegisterProperties();
  RegisterIfMissing(TsiLang::StaticClass());
  RegisterIfMissing(TsiLangDispatcher::StaticClass());
}
void SiCompFinalize() {
  UnregisterOwn(TsiLangDispatcher::StaticClass());
  UnregisterOwn(TsiLang::StaticClass());
}
void SiLngLnkInitialize() {
  RegisterProperties();
  RegisterIfMissing(TsiLangLinked::StaticClass());
}
void SiLngLnkFinalize() { UnregisterOwn(TsiLangLinked::StaticClass()); }

struct TSiUnit {
  const char* name;
  void (*init)();
  void (*fini)();
};

// The start-up order; shutdown runs it backwards. The in-memory INI file's unit
// has nothing to set up.
constexpr TSiUnit kUnits[] = {
    {"MemIni", nullptr, nullptr},
    {"siConsts", &ClassNamesInitialize, &ClassNamesFinalize},
    {"siComp", &SiCompInitialize, &SiCompFinalize},
    {"siLngLnk", &SiLngLnkInitialize, &SiLngLnkFinalize},
};

struct TSiLibraryState {
  TCriticalSection lock;
  int32_t useCount = 0;
};

TSiLibraryState& State() {
  static TSiLibraryState state;
  return state;
}

}  // namespace

const std::vector<std::string>& TranslationClassNames() { return ClassNameList(); }

void SiStartLibrary() {
  TSiLibraryState& s = State();
  TLockGuard guard(s.lock);
  if (s.useCount++ > 0) return;
  for (const TSiUnit& u : kUnits)
    if (u.init) u.init();
}

void SiStopLibrary() {
  TSiLibraryState& s = State();
  TLockGuard guard(s.lock);
  if (s.useCount == 0 || --s.useCount > 0) return;
  for (auto it = std::rbegin(kUnits); it != std::rend(kUnits); ++it)
    if (it->fini) it->fini();
}

int32_t SiLibraryUseCount() {
  TSiLibraryState& s = State();
  TLockGuard guard(s.lock);
  return s.useCount;
}
