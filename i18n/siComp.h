// The translation library's component: TsiCustomLang keeps every user-visible
// text of its owner form in several languages and carries them in the form
// description as the binary property "TranslationData".
//
// Vocabulary:
//   kind        one of the twelve TStringsType values; its ordinal numbers the
//               kind lists and names the sections of TranslationData.
//   line        one translatable item of a kind list:
//                 identifier D text1 D text2 D ... textN D
//               D being the character whose code is LangDelim and N
//               NumOfLanguages. Field 0 is the identifier, field k language k.
//   owner line  the line whose identifier is the owner form's class name
//               ("TViewerMain"); it stays first in its list.
//
// Text is UTF-8 in memory; TranslationData holds UTF-16LE (written) or ANSI
// code-page bytes (older forms, read only), converted at that boundary.
//
// Later layers of the library fill the virtual hooks marked "hook" below
// (applying a language, the dispatcher, the resource-string role, the text
// and binary files, the list upkeep); here they do nothing.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/collection.h"
#include "platform/classes/component.h"
#include "platform/classes/strings.h"
#include "platform/classes/typinfo.h"
#include "platform/rtl/exceptions.h"

class TStream;

DX_EXCEPTION(ELanguageError, Exception);

enum TStringsType : uint8_t {
  stCaptions,
  stHints,
  stDisplayLabels,
  stFonts,
  stMultiLines,
  stDlgsCaptions,
  stStrings,
  stOtherStrings,
  stLocales,
  stCollections,
  stCharSets,
  stListView_TreeView_Items
};
inline constexpr int kStringsTypeCount = 12;

enum TTranslateType : uint8_t { ttNoChange, ttGetDefault };

enum TsiLangOption : uint8_t { loUseExtUDStrings, loUseExtCommonStrings };
// A set of TsiLangOption.
class TsiLangOptions {
public:
  constexpr TsiLangOptions() = default;
  constexpr TsiLangOptions(std::initializer_list<TsiLangOption> options) {
    for (TsiLangOption o : options) bits_ |= uint8_t(1u << o);
  }
  constexpr bool Contains(TsiLangOption o) const { return (bits_ >> o) & 1u; }
  constexpr uint8_t Bits() const { return bits_; }
  static constexpr TsiLangOptions FromBits(uint64_t b) {
    TsiLangOptions s;
    s.bits_ = uint8_t(b & 3u);
    return s;
  }
  friend constexpr bool operator==(TsiLangOptions, TsiLangOptions) = default;

private:
  uint8_t bits_ = 0;
};

using TLanguageChangingEvent = std::function<void(TObject* Sender, int32_t NewLanguage, bool& AllowChange)>;

// The enumeration name ("stHints"), the list property ("Hints"), the property
// name a line of the kind names ("Hint") and the display name of the
// translation text files ("Hints"), by kind.
struct TStringsTypeInfo {
  const char* EnumName;
  const char* ListProperty;
  const char* PropertyName;
  const char* DisplayName;
};
extern const std::array<TStringsTypeInfo, kStringsTypeCount> StringsTypeInfos;

// Character-set names of CharSets lines with their values, in search order.
struct TsiCharsetName {
  const char* Name;
  uint8_t Charset;
};
extern const std::array<TsiCharsetName, 19> CharsetNames;
// The value of a name (ignoring case); false when the table lacks it.
bool CharsetFromName(std::string_view name, uint8_t& charset);

// The Locales identifiers, in order: eleven single values, then the month and day names.
extern const std::array<const char*, 15> LocaleSettingNames;

// The 86 standard dialog texts; the first 15 are the message-box captions and buttons.
inline constexpr int kStdDlgCount = 15;
inline constexpr int kAllDlgCount = 86;
extern const std::array<const char*, kAllDlgCount> DialogCaptionEntries;
// The DlgsCaptions key of an entry: the entry without its "&".
std::string DialogCaptionKey(std::string_view entry);

// The translation component class names and the text-access operation names
// that source-scanning tools look for. The first list exists between the
// library's start-up and its shutdown (empty otherwise).
const std::vector<std::string>& TranslationClassNames();
extern const std::array<const char*, 6> TextAccessOperationNames;

// ---- line operations

// The fields of a line; the delimiter is a string. A text ending in the
// delimiter gives no empty field after it; an empty text gives no field.
std::vector<std::string> SplitByDelimiter(std::string_view text, std::string_view delimiter);
// The lines joined by separator, with empty lines left out when skipEmpty.
std::string JoinLines(const TStrings& list, std::string_view separator, bool skipEmpty);
// Overwrites target line by line with lines, appends the rest and drops the
// surplus; a sorted TStringList is sorted again afterwards.
void ReplaceStringLines(TStrings* target, const TStrings& lines);
// The index of the line whose identifier (text before the first delimiter)
// equals line's, ignoring case; -1 when none.
int32_t IndexOfIdentifier(const TStrings& list, std::string_view line, std::string_view delimiter);

class TsiCustomLang;
class TsiStringsCollection;

// ---- test mode: pseudo-translations that show untranslated texts and
// layout problems in languages above 1.
enum TTestModeKind : uint8_t { tmkExpandWidth, tmkFlipCase, tmkExpandChars };

class TTestModeInfo : public TPersistent {
  DX_CLASS(TTestModeInfo, TPersistent)
public:
  bool Active() const { return active_; }
  void SetActive(bool v) { active_ = v; }
  TTestModeKind Kind() const { return kind_; }
  void SetKind(TTestModeKind v) { kind_ = v; }
  int32_t ExpandWidthPercent() const { return expandWidthPercent_; }
  void SetExpandWidthPercent(int32_t v) { expandWidthPercent_ = v; }
  int32_t ExpandCharsPercent() const { return expandCharsPercent_; }
  void SetExpandCharsPercent(int32_t v) { expandCharsPercent_ = v; }
  char PaddingChar() const { return paddingChar_; }
  void SetPaddingChar(char v) { paddingChar_ = v; }

private:
  bool active_ = false;
  TTestModeKind kind_ = tmkExpandWidth;
  int32_t expandWidthPercent_ = 100;
  int32_t expandCharsPercent_ = 100;
  char paddingChar_ = '*';
};

// Upper-case letters become lower case, every other character upper case.
std::string FlipCase(std::string_view text);
// Padding spread over the text; a text with "%" is returned unchanged.
std::string ExpandChars(std::string_view text, char padding, int32_t percent);
// The upper-cased text padded until measure gives it percent more width than
// the text had. Ends early when a padding character adds no width.
std::string ExpandWidth(std::string_view text, char padding, int32_t percent,
                        const std::function<int32_t(const std::string&)>& measure);
// The printed width of a text in "Tahoma" 8 pt on the screen.
int32_t ScreenTextWidth(const std::string& text);

// Texts between the code page of a character set and UTF-8 (the library's wide form).
std::string AnsiToWideByCharset(std::string_view s, uint8_t charset);
std::string WideToAnsiByCharset(std::string_view w, uint8_t charset);
std::u16string Utf8ToWide(std::string_view s);
std::string WideToUtf8(std::u16string_view w);

// Type-kind sets of the property lookups: "all" (integer through Unicode
// string, methods left out), the string kinds and the class kind.
inline constexpr TTypeKinds siAllKinds =
    TTypeKinds::FromBits((1u << (tkUString + 1)) - 1) - TTypeKinds{tkUnknown, tkMethod};
inline constexpr TTypeKinds siStringKinds = tkStringKinds;
inline constexpr TTypeKinds siClassKinds{tkClass};

// The published properties of one object of the given kinds, sorted by name.
class TsiPropInfoList {
public:
  // A null object raises Exception "NIL passed as AObject in TsiPropInfoList.Create!".
  TsiPropInfoList(TObject* AObject, TTypeKinds kinds);
  // The first property of that name ignoring case, or null.
  PPropInfo Find(std::string_view name) const;
  PPropInfo Items(int32_t index) const { return list_.at(size_t(index)); }
  int32_t Count() const { return int32_t(list_.size()); }

private:
  TPropList list_;
};

using TLinkToDispatcherEvent = std::function<void(TObject* Sender, TsiCustomLang* ASiLang)>;

// Switches every registered translation component (one per open form) to one
// language at once, and carries the test-mode settings.
class TsiLangDispatcher : public TComponent {
  DX_COMPONENT_CLASS(TsiLangDispatcher, TComponent)
public:
  explicit TsiLangDispatcher(TComponent* AOwner);
  // Every registered component, from the last, loses its dispatcher.
  ~TsiLangDispatcher() override;
  void Notification(TComponent* AComponent, TOperation operation) override;

  int32_t ActiveLanguage() const { return activeLanguage_; }
  // Checks the value against every registered component before anything
  // changes (ELanguageError of the first that lacks it), asks for vetoes,
  // then switches the components in registration order.
  void SetActiveLanguage(int32_t value);
  int32_t NumOfLanguages() const { return numOfLanguages_; }
  void SetNumOfLanguages(int32_t value);
  TStrings* LangNames() const { return langNames_.get(); }
  void SetLangNames(TStrings* value);
  const std::string& Language() const { return language_; }
  // A name missing from non-empty LangNames: ELanguageError.
  void SetLanguage(const std::string& value);
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& value) { fileName_ = value; }
  TTestModeInfo* TestModeInfo() const { return testModeInfo_.get(); }
  void SetTestModeInfo(TTestModeInfo* value);
  bool UseDefaultLanguage() const { return useDefaultLanguage_; }
  void SetUseDefaultLanguage(bool value);
  int32_t DefaultLanguage() const { return defaultLanguage_; }
  // Ignored outside 1..NumOfLanguages.
  void SetDefaultLanguage(int32_t value);
  TLinkToDispatcherEvent OnLinkToDispatcher;
  TLanguageChangingEvent OnLanguageChanging;
  TNotifyEvent OnLanguageChanged;

  // Registration in order; adding twice keeps one entry.
  void AddLangComponent(TsiCustomLang* lang);
  // Removes the first occurrence.
  void RemoveLangComponent(TsiCustomLang* lang);
  int32_t Count() const { return int32_t(components_.size()); }
  TsiCustomLang* Items(int32_t index) const { return components_.at(size_t(index)); }

private:
  std::vector<TsiCustomLang*> components_;
  std::unique_ptr<TStringList> langNames_;
  std::unique_ptr<TTestModeInfo> testModeInfo_ = std::make_unique<TTestModeInfo>();
  std::string language_;
  std::string fileName_;
  int32_t activeLanguage_ = 1;
  int32_t numOfLanguages_ = 1;
  int32_t defaultLanguage_ = 1;
  bool useDefaultLanguage_ = false;
};

// One arbitrary property translation: a dotted path and the texts of all
// languages (each followed by LangDelim, no identifier field). Resolving paths,
// applying the texts and the item's own streaming come with the extended
// translations' layer.
class TsiExtendedItem : public TCollectionItem {
  DX_CLASS(TsiExtendedItem, TCollectionItem)
public:
  explicit TsiExtendedItem(TCollection* collection) : TCollectionItem(collection) {}
  // The stored path, its first part taken from the related component when one
  // is set, so that the path follows renames of that component.
  std::string Identifier() const;
  void SetIdentifier(const std::string& v) { identifier_ = v; }
  const std::string& StoredIdentifier() const { return identifier_; }
  // The path starts at the owner form itself.
  bool IsRoot() const;
  const std::string& Values() const { return values_; }
  void SetValues(const std::string& v) { values_ = v; }
  TTypeKind PropertyType() const { return propertyType_; }
  void SetPropertyType(TTypeKind v) { propertyType_ = v; }
  TComponent* RelatedComponent() const { return related_; }
  void SetRelatedComponent(TComponent* c) { related_ = c; }
  void Assign(TPersistent* source) override;
  // "ValuesEx": FF 00 FE 00 and Values in UTF-16LE; older blocks are 8-bit lines.
  void DefineProperties(TFiler* filer) override;
  void ReadValuesEx(TStream& stream);
  void WriteValuesEx(TStream& stream);

protected:
  std::string GetDisplayName() override;

private:
  TsiCustomLang* Lang() const;

  std::string identifier_;
  std::string values_;
  TTypeKind propertyType_ = tkUnknown;
  TComponent* related_ = nullptr;
};

class TsiExtendedItems : public TOwnedCollection {
  DX_CLASS(TsiExtendedItems, TOwnedCollection)
public:
  explicit TsiExtendedItems(TsiCustomLang* owner);
  TsiExtendedItem* Items(int32_t index) const { return static_cast<TsiExtendedItem*>(TCollection::Items(index)); }
  TsiExtendedItem* Add() { return static_cast<TsiExtendedItem*>(TCollection::Add()); }
  // The first item whose Identifier equals identifier ignoring case, or null.
  TsiExtendedItem* FindByIdentifier(std::string_view identifier) const;
};

// The base of the translation components, with all behaviour; TsiLang and
// TsiLangLinked publish its properties. At most one per owner.
class TsiCustomLang : public TComponent {
  DX_CLASS(TsiCustomLang, TComponent)
public:
  // Raises Exception "Only one TsiCustomLang component per Form/DataModule
  // allowed!" when AOwner already owns one.
  explicit TsiCustomLang(TComponent* AOwner);
  ~TsiCustomLang() override;

  void DefineProperties(TFiler* filer) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation operation) override;

  // ---- published properties (TsiCustomLang)
  std::string Version() const { return "6.4"; }
  void SetVersion(const std::string&) {}  // always "6.4"
  bool IsInheritedOwner() const { return isInheritedOwner_; }
  void SetIsInheritedOwner(bool v) { isInheritedOwner_ = v; }
  TStrings* StringsTypes() const { return stringsTypes_.get(); }
  void SetStringsTypes(TStrings* v);
  TStrings* SmartExcludeProps() const { return smartExcludeProps_.get(); }
  void SetSmartExcludeProps(TStrings* v);
  bool HandleResourceStrings() const { return handleResourceStrings_; }
  void SetHandleResourceStrings(bool v) { handleResourceStrings_ = v; }
  uint16_t ResourceLanguageIndex() const { return resourceLanguageIndex_; }
  // Outside loading only 1..NumOfLanguages (else ELanguageError); re-sorts the
  // resource strings by the new language.
  virtual void SetResourceLanguageIndex(uint16_t v);
  bool TranslateExtendedFirst() const { return translateExtendedFirst_; }
  void SetTranslateExtendedFirst(bool v) { translateExtendedFirst_ = v; }
  bool UseDefaultLanguage() const { return useDefaultLanguage_; }
  void SetUseDefaultLanguage(bool v) { useDefaultLanguage_ = v; }
  int32_t DefaultLanguage() const { return defaultLanguage_; }
  void SetDefaultLanguage(int32_t v);
  bool AutoSkipEmpties() const { return autoSkipEmpties_; }
  // Switching it on outside loading collects the texts again.
  void SetAutoSkipEmpties(bool v);
  bool StoreAsUTF8() const { return storeAsUTF8_; }
  // The texts already held are not converted.
  void SetStoreAsUTF8(bool v) { storeAsUTF8_ = v; }
  bool UseTaskMsgDlg() const { return useTaskMsgDlg_; }
  void SetUseTaskMsgDlg(bool v) { useTaskMsgDlg_ = v; }
  TLanguageChangingEvent OnLanguageChanging;

  // ---- published by the descendants
  TStrings* Captions() const { return List(stCaptions); }
  TStrings* Hints() const { return List(stHints); }
  TStrings* DisplayLabels() const { return List(stDisplayLabels); }
  TStrings* Fonts() const { return List(stFonts); }
  TStrings* MultiLines() const { return List(stMultiLines); }
  TStrings* DlgsCaptions() const { return List(stDlgsCaptions); }
  TStrings* Strings() const { return List(stStrings); }
  TStrings* OtherStrings() const { return List(stOtherStrings); }
  TStrings* Locales() const { return List(stLocales); }
  TStrings* Collections() const { return List(stCollections); }
  TStrings* CharSets() const { return List(stCharSets); }
  // Copy the lines and re-apply that one kind (DlgsCaptions: copy only).
  void SetCaptions(TStrings* v) { SetKindLines(stCaptions, v); }
  void SetHints(TStrings* v) { SetKindLines(stHints, v); }
  void SetDisplayLabels(TStrings* v) { SetKindLines(stDisplayLabels, v); }
  void SetFonts(TStrings* v) { SetKindLines(stFonts, v); }
  void SetMultiLines(TStrings* v) { SetKindLines(stMultiLines, v); }
  void SetDlgsCaptions(TStrings* v);
  void SetStrings(TStrings* v) { SetKindLines(stStrings, v); }
  void SetOtherStrings(TStrings* v) { SetKindLines(stOtherStrings, v); }
  void SetLocales(TStrings* v) { SetKindLines(stLocales, v); }
  void SetCollections(TStrings* v) { SetKindLines(stCollections, v); }
  void SetCharSets(TStrings* v) { SetKindLines(stCharSets, v); }

  int32_t NumOfLanguages() const { return numOfLanguages_; }
  // Below 1: ELanguageError. Shrinking cuts every line after column value.
  void SetNumOfLanguages(int32_t value);
  int32_t ActiveLanguage() const { return activeLanguage_; }
  // ELanguageError naming the owner's class when value is no language index.
  void CheckLanguageIndex(int32_t value) const;
  // While loading only stores (values out of range are ignored); otherwise
  // range-checked (ELanguageError), asks OnLanguageChanging and applies.
  virtual void SetActiveLanguage(int32_t value);
  bool ChangeLocales() const { return changeLocales_; }
  void SetChangeLocales(bool value);
  TsiLangDispatcher* LangDispatcher() const { return dispatcher_; }
  void SetLangDispatcher(TsiLangDispatcher* value);
  TNotifyEvent OnChangeLanguage;
  uint8_t LangDelim() const { return langDelim_; }
  void SetLangDelim(uint8_t value);
  // The delimiter as text (one character).
  std::string Delim() const;
  TStrings* DoNotTranslate() const { return doNotTranslate_.get(); }
  void SetDoNotTranslate(TStrings* v);
  TStrings* LangNames() const { return langNames_.get(); }
  void SetLangNames(TStrings* v);
  const std::string& Language() const { return language_; }
  // A name missing from LangNames: ELanguageError (appended while loading).
  void SetLanguage(const std::string& value);
  // Stores the name without selecting its language (the dispatcher's registration).
  void SetLanguageName(const std::string& value) { language_ = value; }
  TTranslateType TranslateType() const { return translateType_; }
  void SetTranslateType(TTranslateType v) { translateType_ = v; }
  TsiLangOptions Options() const { return options_; }
  void SetOptions(TsiLangOptions value);
  bool NeedAllDlgs() const { return needAllDlgs_; }
  void SetNeedAllDlgs(bool value);
  int16_t ChangingCursor() const { return changingCursor_; }
  void SetChangingCursor(int16_t v) { changingCursor_ = v; }
  TStrings* ExcludedProperties() const { return excludedProperties_.get(); }
  void SetExcludedProperties(TStrings* v);
  bool DoRaiseExceptions() const { return doRaiseExceptions_; }
  void SetDoRaiseExceptions(bool v) { doRaiseExceptions_ = v; }
  TsiExtendedItems* ExtendedTranslations() const { return extended_.get(); }
  void SetExtendedTranslations(TsiExtendedItems* v);

  // ---- the kinds
  // The list of a kind: the published TStrings property named after it, or null.
  virtual TStrings* GetKindList(TStringsType kind);

  // ---- TranslationData
  // True without an ancestor; with one, when some kind both have a list for differs.
  bool TranslationDataDiffers(TFiler* filer);
  void WriteTranslationData(TStream& stream);
  // Reads either form from the stream's position to its end.
  void ReadTranslationData(TStream& stream);
  // A line of the ANSI form (its characters are the code page's bytes) with
  // each language field converted by its language's code page (UTF-8 with
  // StoreAsUTF8). Raw: the line's UTF-16 code units are packed bytes and the
  // line holds language fields only.
  void ConvertAnsiLine(const std::string& line, bool raw, std::string& result);
  void ConvertAnsiList(TStrings* list);
  // The reverse for the text files: fields in their language's code page bytes.
  void EncodeAnsiLine(const std::string& line, std::string& result);
  // Old and new line merged field by field: a non-empty new field wins.
  std::string MergeLines(const std::string& oldLine, const std::string& newLine, std::string_view delimiter) const;

  // ---- character sets of the languages
  // The character set of language index (1-based) from the CharSets lines.
  uint8_t GetLanguageCharset(int32_t languageIndex);
  void BuildLanguageCharsets();
  void UpdateCurrentCharset();
  const std::vector<uint8_t>& LanguageCharsets() const { return languageCharsets_; }
  uint8_t CurrentCharset() const { return currentCharset_; }

  // ---- test mode
  // The dispatcher's test-mode transformation of text (unchanged without a dispatcher).
  std::string PseudoTranslate(const std::string& text);
  // The test-mode form of a language-1 text; empty while no test mode is active.
  virtual std::string TestModeText(const std::string& text);
  // Field 1 of a line, pseudo-translated when not empty.
  std::string TestModeLineText(const std::string& line);
  // Field fieldIndex of a line; the default language's field when that is
  // empty and UseDefaultLanguage is set.
  std::string GetLanguageText(const std::string& line, int32_t fieldIndex);

  // ---- extended translations: any published property named by a dotted path
  // The object holding the path's last property; null when a part does not resolve.
  TObject* ResolvePathOwner(const std::string& identifier);
  TTypeKind GetPropertyTypeKind(const std::string& identifier);
  std::string GetIdentifierValue(const std::string& identifier);
  // Conversion or assignment failures leave the property as it was.
  void SetIdentifierValue(const std::string& identifier, const std::string& text);
  std::string GetPropertyText(TObject* instance, PPropInfo prop);
  // Every oldChar in every item's Values becomes newChar.
  void ReplaceCharInExtendedValues(char32_t oldChar, char32_t newChar);

  // ---- strings collections and text lookups
  // Strings lines as items: identifier and one text per language, sorted by
  // sortLanguage's text (0: by identifier).
  void FillStringsCollection(TsiStringsCollection* collection, int32_t sortLanguage);
  // Lines with fewer fields than languages get empty closed fields.
  void PadLines(TStrings* list);
  void SetLineTextByRef(TStrings* list, const std::string& text, int32_t language, const std::string& ident) {
    SetLineText(list, text, language, ident);
  }
  TsiStringsCollection* StringsById();
  TsiStringsCollection* ResourceStrings();
  // The text of ident in list for the active language; empty when missing
  // (ELanguageError with DoRaiseExceptions). UseDefault falls back to language 1.
  void LookupText(TStrings* list, const std::string& ident, std::string& text, bool useDefault);
  std::string GetText(const std::string& ident);
  // With UseDefaultLanguage an empty text is taken from DefaultLanguage.
  std::string GetTextOrDefault(const std::string& ident);
  // The active-language text of line index (empty for no such line).
  void GetLineText(TStrings* list, int32_t index, std::string& text, bool useDefault);
  // Whether this component translates the process's resource strings now.
  bool HoldsResourceStringRole() const;

  // ---- applying a language
  // Published property Name (among the "all" kinds) of a kind in kinds and,
  // when className is given, of that type name (ignoring case).
  static bool HasProperty(TComponent* component, std::string_view name, TTypeKinds kinds,
                          std::string_view className = {});
  static std::string GetPropText(TComponent* component, std::string_view name);
  static void SetPropText(TComponent* component, std::string_view name, const std::string& text);
  static std::string GetFontName(TComponent* component);
  static uint8_t GetFontCharset(TComponent* component);
  // Field language of the line whose identifier equals identifier (ignoring case).
  std::string FindLineText(TStrings* list, std::string_view identifier, int32_t language);
  bool IsOwnerTranslated();
  // Captions and Hints: the component's text is its assigned action's.
  static bool TakesTextFromAction(TComponent* component, TStringsType kind);
  // The text of a line for the active language, with the fallbacks.
  std::string ActiveText(const std::string& line, TStringsType kind);
  void ApplyKindList(TStrings* list, TStringsType kind);
  // Moves lines that match no component to LostLines and drops empty lines.
  void CleanList(TStrings* list, TStringsType kind);

  // ---- hooks filled by the later layers (virtual operation slots, in order)
  virtual void RemoveComponentLines(TStrings* list, TComponent* component, TStringsType kind, TOperation operation);
  virtual bool IsStringsType(const std::string& className);
  virtual void ScanComponentTexts() {}
  // Writes the texts of the active language into the owner and its components.
  virtual void ApplyActiveLanguage();
  virtual void SetLineText(TStrings* list, const std::string& text, int32_t language, const std::string& identifier);
  virtual int32_t LoadKindFromStream(TStringsType, TStream&, bool /*clearFirst*/) { return 0; }
  virtual int32_t SaveKindToStream(TStringsType, TStream&, char /*delim*/) { return 0; }
  virtual void LoadFromStream(TStream&, bool /*clearFirst*/, bool /*keepDisplay*/) {}
  virtual void SaveToStream(TStream&, char /*delim*/) {}
  virtual bool MergeKindFromStream(TStringsType, TStream&) { return false; }
  virtual bool MergeFromStreamAndApply(TStream&) { return false; }
  virtual bool MergeFromStream(TStream&) { return false; }
  virtual int32_t LoadKindFromFile(TStringsType, const std::string&, bool /*clearFirst*/) { return -1; }
  virtual int32_t SaveKindToFile(TStringsType, const std::string&, char /*delim*/) { return -1; }
  virtual void LoadFromFile(const std::string&, bool /*clearFirst*/) {}
  virtual void SaveToFile(const std::string&, char /*delim*/) {}
  virtual int32_t LoadStringsFromFile(const std::string&, bool /*clearFirst*/) { return -1; }
  virtual int32_t SaveStringsToFile(const std::string&, char /*delim*/) { return -1; }
  virtual bool MergeKindFromFile(TStringsType, const std::string&) { return false; }
  virtual bool MergeFromFileAndApply(const std::string&) { return false; }
  virtual void LoadFromFileByKind(const std::string&, bool /*clearFirst*/) {}
  virtual bool MergeFromFile(const std::string&) { return false; }
  virtual void ImportKindFromTextFile(TStringsType, const std::string&, const std::string& /*languageName*/) {}
  virtual void ImportExtendedFromTextFile(const std::string&, const std::string& /*languageName*/) {}
  virtual void ImportFromTextFile(const std::string&, const std::string& /*languageName*/) {}
  virtual void RenameComponent(const std::string& /*oldName*/, const std::string& /*newName*/) {}

  // ---- internal state that the later layers use
  // The owner form's class name; empty without owner.
  std::string OwnerClassName() const;
  bool Temporary() const { return temporary_; }
  void SetTemporary(bool v) { temporary_ = v; }
  int32_t ApplyKind() const { return applyKind_; }
  bool BatchLoading() const { return batchLoading_; }
  void SetBatchLoading(bool v) { batchLoading_ = v; }
  bool InDispatch() const { return inDispatch_; }
  void SetInDispatch(bool v) { inDispatch_ = v; }
  bool OwnerLacksFont() const { return ownerLacksFont_; }
  TsiCustomLang* CharsetSource() const { return charsetSource_; }
  void SetCharsetSource(TsiCustomLang* source);
  // Created on first use.
  TStringList* LostLines();
  // The captured locale values, in LocaleSettingNames order.
  const std::array<std::string, 15>& DefaultLocaleValues() const { return defaultLocales_; }
  // The standard dialog lines: 86 with NeedAllDlgs, else the first 15.
  void UpdateDialogCaptions();
  // Whether the lists still use the legacy tab delimiter.
  bool HasTabDelimitedData();
  // Every from character in every kind list becomes to (and in the extended translations).
  void ReplaceDelimiter(std::string_view from, std::string_view to);
  // Lines of Strings, DlgsCaptions and Locales padded with empty fields to NumOfLanguages.
  void PadFixedLists();

protected:
  // Hooks of the later layers (the dispatcher, the resource-string role, the
  // strings collections, ExcludedProperties and the list upkeep).
  virtual void RegisterWithDispatcher();
  virtual void UnregisterFromDispatcher();
  virtual void TakeResourceStringRole();
  virtual void ReleaseResourceStringRole();
  virtual void RebuildStringsCollections();
  virtual void ApplyExcludedProperties() {}
  virtual void ApplyDoNotTranslate() {}
  virtual void CollectFormTexts() {}
  virtual void ApplyExtendedTranslations();

  TStrings* List(TStringsType kind) const { return lists_[kind] ? lists_[kind].get() : nullptr; }
  void SetKindLines(TStringsType kind, TStrings* value);
  bool RegularInstance() const { return !temporary_; }

private:
  void CaptureDefaultLocales();
  std::string DialogCaptionLine(int index) const;
  void ApplyOwnerText(TStringsType kind);
  void ApplyOwnerFont();
  void ApplyLocale(const std::string& name, const std::string& text);
  void ApplyCollectionsList(TStrings* list);
  bool ApplyCollectionLine(const std::string& line);
  void CutLinesAfterColumn(TStrings* list, int32_t columns);
  void StringsChanged();
  void PublishResourceSnapshot();
  TsiCustomLang* DelegateFor(TStringsType kind);
  void LookupIn(TStrings* list, const std::string& ident, std::string& text, bool useDefault, int32_t language,
                bool delegate);
  void ReplaceInExtendedValues(std::string_view from, std::string_view to);
  std::string FieldOfLine(const std::string& line, int32_t field) const;
  void FillSection(TStrings* target, const std::vector<std::string_view>& lines, size_t begin, size_t end,
                   bool merge);

  // Property fields, in the order of the published tables.
  bool isInheritedOwner_ = false;
  std::unique_ptr<TStringList> stringsTypes_;
  std::unique_ptr<TStringList> smartExcludeProps_;
  bool handleResourceStrings_ = false;
  uint16_t resourceLanguageIndex_ = 1;
  bool translateExtendedFirst_ = false;
  bool useDefaultLanguage_ = false;
  int32_t defaultLanguage_ = 1;
  bool autoSkipEmpties_ = true;
  bool storeAsUTF8_ = false;
  bool useTaskMsgDlg_ = true;
  std::array<std::unique_ptr<TStringList>, kStringsTypeCount> lists_;  // none for ListView_TreeView_Items
  int32_t numOfLanguages_ = 1;
  int32_t activeLanguage_ = 1;
  bool changeLocales_ = false;
  TsiLangDispatcher* dispatcher_ = nullptr;
  uint8_t langDelim_ = 1;
  std::unique_ptr<TStringList> doNotTranslate_;
  std::unique_ptr<TStringList> langNames_;
  std::string language_;
  TTranslateType translateType_ = ttNoChange;
  TsiLangOptions options_;
  bool needAllDlgs_ = false;
  int16_t changingCursor_ = -1;
  std::unique_ptr<TStringList> excludedProperties_;
  bool doRaiseExceptions_ = false;
  std::unique_ptr<TsiExtendedItems> extended_;

  // Internal state.
  int32_t applyKind_ = -1;
  bool batchLoading_ = false;
  std::unique_ptr<TStringList> lostLines_;
  std::array<std::string, 15> defaultLocales_;
  bool ownerLacksFont_ = false;
  TsiCustomLang* charsetSource_ = nullptr;
  bool temporary_ = false;
  std::vector<uint8_t> languageCharsets_;
  uint8_t currentCharset_ = 1;
  bool inDispatch_ = false;
  std::unique_ptr<TStringList> scratch_;
  std::unique_ptr<TsiStringsCollection> stringsById_;
  std::unique_ptr<TsiStringsCollection> resourceStrings_;
  bool collectionsStale_ = true;
};

// The component placed on a form: publishes every list.
class TsiLang : public TsiCustomLang {
  DX_COMPONENT_CLASS(TsiLang, TsiCustomLang)
public:
  explicit TsiLang(TComponent* AOwner) : TsiCustomLang(AOwner) {}
};

// The library's start-up: its units in order (MemIni, the class-name unit,
// siComp, siLngLnk), once however often it is called (a use count); the last
// SiStopLibrary shuts them down in reverse order.
void SiStartLibrary();
void SiStopLibrary();
int32_t SiLibraryUseCount();
