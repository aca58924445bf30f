// Applying the texts of the active language to the owner form and its
// components, through the published properties found by name.
#include <string>
#include <string_view>
#include <vector>

#include "i18n/siComp.h"
#include "platform/classes/collection.h"
#include "platform/classes/component.h"
#include "platform/classes/strings.h"
#include "platform/classes/typinfo.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/graphics.h"
#include "platform/vcl/stdctrls.h"

namespace {

std::string BeforeFirst(std::string_view s, std::string_view sep) {
  const size_t p = s.find(sep);
  return std::string(p == std::string_view::npos ? s : s.substr(0, p));
}

bool ContainsName(TStrings* list, std::string_view name) {
  if (!list) return false;
  for (int32_t i = 0; i < list->Count(); ++i)
    if (SameText(list->Strings(i), name)) return true;
  return false;
}

bool ReadWrite(PPropInfo p) { return p && p->IsReadable() && p->IsWritable(); }

void ReplaceByCommaText(TStrings* target, const std::string& text) {
  TStringList lines;
  lines.SetCommaText(text);
  ReplaceStringLines(target, lines);
}

void ReplaceByLineBreaks(TStrings* target, const std::string& text) {
  TStringList lines;
  lines.SetText(text);
  ReplaceStringLines(target, lines);
}

std::string FullText(const TStrings& list) {
  std::string out;
  for (int32_t i = 0; i < list.Count(); ++i) {
    if (i) out += "\r\n";
    out += list.Strings(i);
  }
  return out;
}

bool WriteIfDifferent(TObject* obj, PPropInfo prop, const std::string& text) {
  if (text.empty() || !obj || !prop || !tkStringKinds.Contains(prop->Kind())) return false;
  if (GetStrProp(obj, prop) == text) return false;
  SetStrProp(obj, prop, text);
  return true;
}

}  // namespace

// A sorted list is unsorted while lines are overwritten in place, so that
// each new line lands at its own position; sorting comes back at the end.
void ReplaceStringLines(TStrings* target, const TStrings& lines) {
  auto* sl = dynamic_cast<TStringList*>(target);
  const bool sorted = sl && sl->Sorted();
  if (sorted) sl->SetSorted(false);
  target->BeginUpdate();
  for (int32_t j = 0; j < lines.Count(); ++j) {
    if (j < target->Count())
      target->SetStrings(j, lines.Strings(j));
    else
      target->Add(lines.Strings(j));
  }
  while (target->Count() > lines.Count()) target->Delete(target->Count() - 1);
  target->EndUpdate();
  if (sorted) sl->SetSorted(true);
}

// ---------------------------------------------------------------------------
// Property access by name

TsiPropInfoList::TsiPropInfoList(TObject* AObject, TTypeKinds kinds) {
  if (!AObject) throw Exception("NIL passed as AObject in TsiPropInfoList.Create!");
  list_ = GetPropList(AObject, kinds, true);
}

PPropInfo TsiPropInfoList::Find(std::string_view name) const {
  for (PPropInfo p : list_)
    if (SameText(p->Name, name)) return p;
  return nullptr;
}

bool TsiCustomLang::HasProperty(TComponent* component, std::string_view name, TTypeKinds kinds,
                                std::string_view className) {
  if (!component) return false;
  PPropInfo p = TsiPropInfoList(component, siAllKinds).Find(name);
  if (!p || !kinds.Contains(p->Kind())) return false;
  return className.empty() || SameText(p->PropType->Name, className);
}

std::string TsiCustomLang::GetPropText(TComponent* component, std::string_view name) {
  if (!component) return {};
  PPropInfo p = TsiPropInfoList(component, siStringKinds).Find(name);
  return p ? GetStrProp(component, p) : std::string();
}

void TsiCustomLang::SetPropText(TComponent* component, std::string_view name, const std::string& text) {
  if (!component) return;
  if (PPropInfo p = TsiPropInfoList(component, siStringKinds).Find(name)) SetStrProp(component, p, text);
}

std::string TsiCustomLang::GetFontName(TComponent* component) {
  if (!component) return {};
  PPropInfo p = TsiPropInfoList(component, siClassKinds).Find("Font");
  auto* font = p ? dynamic_cast<TFont*>(GetObjectProp(component, p)) : nullptr;
  return font ? font->Name() : std::string();
}

uint8_t TsiCustomLang::GetFontCharset(TComponent* component) {
  if (!component) return 0;
  PPropInfo p = TsiPropInfoList(component, siClassKinds).Find("Font");
  auto* font = p ? dynamic_cast<TFont*>(GetObjectProp(component, p)) : nullptr;
  return font ? font->Charset() : 0;
}

std::string TsiCustomLang::FindLineText(TStrings* list, std::string_view identifier, int32_t language) {
  if (!list) return {};
  const bool firstWins = storeAsUTF8_ && list != CharSets() && list != Fonts();
  const std::string d = Delim();
  std::string found;
  for (int32_t i = 0; i < list->Count(); ++i) {
    const std::string& line = list->Strings(i);
    if (!SameText(BeforeFirst(line, d), identifier)) continue;
    found = FieldOfLine(line, language);
    if (firstWins) break;
  }
  return found;
}

bool TsiCustomLang::IsOwnerTranslated() { return Owner() && !ContainsName(DoNotTranslate(), OwnerClassName()); }

bool TsiCustomLang::TakesTextFromAction(TComponent* component, TStringsType kind) {
  if (!component || (kind != stCaptions && kind != stHints)) return false;
  PPropInfo p = TsiPropInfoList(component, siClassKinds).Find("Action");
  auto* action = p ? dynamic_cast<TComponent*>(GetObjectProp(component, p)) : nullptr;
  if (!action) return false;
  const char* name = kind == stCaptions ? "Caption" : "Hint";
  return GetPropText(component, name) == GetPropText(action, name);
}

// ---------------------------------------------------------------------------
// Applying

std::string TsiCustomLang::ActiveText(const std::string& line, TStringsType kind) {
  std::string text = FieldOfLine(line, activeLanguage_);
  if (text.empty() && useDefaultLanguage_ && activeLanguage_ != defaultLanguage_)
    text = FieldOfLine(line, defaultLanguage_);
  if (text.empty() && activeLanguage_ > 1 && kind != stFonts && kind != stLocales && kind != stCharSets)
    text = TestModeText(FieldOfLine(line, 1));
  if (text.empty() && translateType_ == ttGetDefault) text = FieldOfLine(line, 1);
  return text;
}

void TsiCustomLang::ApplyOwnerText(TStringsType kind) {
  TStrings* list = List(kind);
  TComponent* owner = Owner();
  const char* prop = StringsTypeInfos[kind].PropertyName;
  try {
    if (!list || list->Count() == 0 || !IsOwnerTranslated()) return;
    if (ContainsName(SmartExcludeProps(), OwnerClassName() + "." + prop)) return;
    if (!HasProperty(owner, prop, siStringKinds)) return;
    if (!SameText(BeforeFirst(list->Strings(0), Delim()), OwnerClassName())) return;
    const std::string text = ActiveText(list->Strings(0), kind);
    if (!text.empty()) SetPropText(owner, prop, text);
  } catch (const std::exception&) {
    // The owner's own texts never stop the rest of the form from changing.
  }
}

void TsiCustomLang::ApplyOwnerFont() {
  TStrings* fonts = Fonts();
  TComponent* owner = Owner();
  if (!fonts || fonts->Count() == 0 || !IsOwnerTranslated()) return;
  if (ContainsName(SmartExcludeProps(), OwnerClassName() + ".Font")) return;
  if (!HasProperty(owner, "Font", siClassKinds, "TFont")) return;
  const std::string& line = fonts->Strings(0);
  if (!SameText(BeforeFirst(line, Delim()), OwnerClassName())) return;
  auto* font = dynamic_cast<TFont*>(GetObjectProp(owner, "Font"));
  if (!font) return;
  std::string name = FieldOfLine(line, activeLanguage_);
  if (name.empty() && translateType_ == ttGetDefault) name = FieldOfLine(line, 1);
  if (!name.empty()) font->SetName(name);
  // The owner's line compares charset names exactly, unlike component lines.
  const std::string cs = FindLineText(CharSets(), OwnerClassName(), activeLanguage_);
  for (const TsiCharsetName& e : CharsetNames)
    if (cs == e.Name) {
      font->SetCharset(e.Charset);
      break;
    }
}

void TsiCustomLang::ApplyActiveLanguage() {
  if (temporary_ || !Owner()) return;
  UpdateCurrentCharset();
  if (translateExtendedFirst_ && applyKind_ == -1) ApplyExtendedTranslations();
  ApplyOwnerText(stCaptions);
  ApplyOwnerText(stHints);
  auto wanted = [this](int k) { return applyKind_ == -1 || applyKind_ == k; };
  for (TStringsType k : {stCaptions, stHints, stDisplayLabels})
    if (wanted(k)) ApplyKindList(List(k), k);
  if ((wanted(stFonts) || applyKind_ == stCharSets) && HasProperty(Owner(), "Font", siClassKinds, "TFont"))
    ApplyKindList(Fonts(), stFonts);
  try {
    ApplyOwnerFont();
  } catch (const std::exception&) {
  }
  if (wanted(stMultiLines)) ApplyKindList(MultiLines(), stMultiLines);
  if (wanted(stOtherStrings)) ApplyKindList(OtherStrings(), stOtherStrings);
  if (changeLocales_ && wanted(stLocales)) ApplyKindList(Locales(), stLocales);
  if (wanted(stCollections)) ApplyKindList(Collections(), stCollections);
  if (!translateExtendedFirst_ && applyKind_ == -1) ApplyExtendedTranslations();
  if (OnChangeLanguage) OnChangeLanguage(this);
}

void TsiCustomLang::ApplyLocale(const std::string& name, const std::string& text) {
  size_t index = LocaleSettingNames.size();
  for (size_t i = 0; i < LocaleSettingNames.size(); ++i)
    if (name == LocaleSettingNames[i]) index = i;
  if (index == LocaleSettingNames.size()) return;
  TFormatSettings& fs = FormatSettings();
  auto names = [&text](auto& target) {
    TStringList lines;
    lines.SetCommaText(text);
    for (int32_t i = 0; i < lines.Count() && size_t(i) < target.size(); ++i) target[size_t(i)] = lines.Strings(i);
  };
  switch (index) {
    case 0: fs.CurrencyString = text; break;
    case 1: fs.ThousandSeparator = text[0]; break;
    case 2: fs.DecimalSeparator = text[0]; break;
    case 3: fs.DateSeparator = text[0]; break;
    case 4: fs.ShortDateFormat = text; break;
    case 5: fs.LongDateFormat = text; break;
    case 6: fs.TimeSeparator = text[0]; break;
    case 7: fs.TimeAMString = text; break;
    case 8: fs.TimePMString = text; break;
    case 9: fs.ShortTimeFormat = text; break;
    case 10: fs.LongTimeFormat = text; break;
    case 11: names(fs.ShortMonthNames); break;
    case 12: names(fs.LongMonthNames); break;
    case 13: names(fs.ShortDayNames); break;
    default: names(fs.LongDayNames); break;
  }
}

void TsiCustomLang::ApplyKindList(TStrings* list, TStringsType kind) {
  if (!list || !Owner()) return;
  if (kind == stCollections) {
    ApplyCollectionsList(list);
    return;
  }
  CleanList(list, kind);
  if (list->Count() == 0) return;
  TComponent* owner = Owner();
  const std::string d = Delim();
  const std::string ownerClass = OwnerClassName();
  int32_t first = 0;
  if ((kind == stCaptions || kind == stHints || kind == stFonts) && owner->InheritsFrom(TForm::StaticClass()) &&
      IsOwnerTranslated() && list->Strings(0).find(ownerClass + d) != std::string::npos)
    first = 1;
  const int32_t count = list->Count();
  for (int32_t i = first; i < count && i < list->Count(); ++i) {
    const std::string line = list->Strings(i);
    try {
      std::string comp, prop, sub;
      if (kind == stMultiLines || kind == stOtherStrings) {
        comp = BeforeFirst(line, ".");
        const size_t dot = line.find('.');
        std::string path = dot == std::string::npos ? std::string() : BeforeFirst(line.substr(dot + 1), d);
        prop = BeforeFirst(path, ".");
        if (path.find('.') != std::string::npos) sub = path.substr(path.find('.') + 1);
      } else {
        comp = BeforeFirst(line, d);
        prop = StringsTypeInfos[kind].PropertyName;
      }
      if (ContainsName(DoNotTranslate(), comp)) continue;
      const std::string text = ActiveText(line, kind);
      if (kind == stLocales) {
        if (!text.empty()) ApplyLocale(comp, text);
        continue;
      }
      TComponent* target = owner->FindComponent(comp);
      if (!target && (SameText(comp, ownerClass) || SameText(comp, owner->Name()))) target = owner;
      if (!target) continue;
      PPropInfo p = TsiPropInfoList(target, siAllKinds).Find(prop);
      if (!ReadWrite(p)) continue;

      if (kind == stFonts) {
        auto* font = dynamic_cast<TFont*>(GetObjectProp(target, p));
        if (!font) continue;
        auto* control = dynamic_cast<TControl*>(target);
        const bool parentFont = control && HasProperty(target, "ParentFont", TTypeKinds{tkEnumeration}) &&
                                GetOrdProp(target, "ParentFont") != 0;
        uint8_t charset = 0;
        if (CharsetFromName(FindLineText(CharSets(), comp, activeLanguage_), charset) && !parentFont)
          font->SetCharset(charset);
        if (!text.empty() && !parentFont) {
          font->SetName(text);
          SetObjectProp(target, p, font);
        }
      } else if (kind == stMultiLines && !sub.empty()) {
        TObject* obj = GetObjectProp(target, p);
        PPropInfo sp = obj ? TsiPropInfoList(obj, siClassKinds).Find(sub) : nullptr;
        auto* lines = sp ? dynamic_cast<TStrings*>(GetObjectProp(obj, sp)) : nullptr;
        if (lines && !text.empty() && text != lines->CommaText()) ReplaceByCommaText(lines, text);
      } else if (kind == stMultiLines) {
        TStrings* lines = nullptr;
        try {
          lines = dynamic_cast<TStrings*>(GetObjectProp(target, p));
        } catch (const std::exception&) {
        }
        if (!lines || text.empty() || text == lines->CommaText()) continue;
        auto* listBox = dynamic_cast<TCustomListBox*>(target);
        auto* combo = dynamic_cast<TCustomComboBox*>(target);
        auto* memo = dynamic_cast<TCustomMemo*>(target);
        const int32_t itemIndex = listBox ? listBox->ItemIndex() : combo ? combo->ItemIndex() : -1;
        const bool wrapped = memo && memo->WordWrap();
        if (wrapped) memo->SetWordWrap(false);
        ReplaceByCommaText(lines, text);
        if (listBox) listBox->SetItemIndex(itemIndex);
        if (combo) combo->SetItemIndex(itemIndex);
        if (wrapped) memo->SetWordWrap(true);
      } else {
        try {
          if (kind == stOtherStrings && !sub.empty()) {
            TObject* obj = GetObjectProp(target, p);
            PPropInfo sp = obj ? TsiPropInfoList(obj, siAllKinds).Find(sub) : nullptr;
            WriteIfDifferent(obj, sp, text);
          } else if (!text.empty() && tkStringKinds.Contains(p->Kind())) {
            const std::string current = GetStrProp(target, p);
            if (text == current) continue;
            const bool relative = text.find("..") != std::string::npos || text.find(".\\") != std::string::npos;
            // A relative path is left alone when it names the file the absolute value already names.
            if ((kind == stDisplayLabels || kind == stOtherStrings) && relative && ExpandFileName(text) == current)
              continue;
            SetStrProp(target, p, text);
          }
        } catch (const std::exception&) {
          // Texts of these kinds never stop the other lines from applying.
        }
      }
    } catch (const EListError&) {
      // A list index out of bounds leaves this line as it is.
    }
  }
}

// Resolves one Collections line and writes its text; false when the line is
// to be deleted.
bool TsiCustomLang::ApplyCollectionLine(const std::string& line) {
  const std::string d = Delim();
  const std::string ident = BeforeFirst(line, d);
  const std::string comp = BeforeFirst(ident, ".");
  const size_t dot = ident.find('.');
  const size_t open = ident.find('[');
  const size_t close = ident.find(']');
  if (dot == std::string::npos || open == std::string::npos || close == std::string::npos || open < dot) return true;
  std::string prop = ident.substr(dot + 1, open - dot - 1);
  std::string objectProp;
  if (prop.find('.') != std::string::npos) {
    objectProp = BeforeFirst(prop, ".");
    prop = prop.substr(prop.find('.') + 1);
  }
  const std::string itemPath = close + 2 <= ident.size() ? ident.substr(close + 2) : std::string();
  int32_t index = StrToIntDef(ident.substr(open + 1, close - open - 1), -1);
  if (ContainsName(DoNotTranslate(), comp)) return true;
  const std::string text = ActiveText(line, stCollections);

  TComponent* target = Owner()->FindComponent(comp);
  if (!target) return true;
  TObject* holder = target;
  if (!objectProp.empty()) {
    PPropInfo op = TsiPropInfoList(target, siAllKinds).Find(objectProp);
    if (!op) return false;
    holder = op->Kind() == tkClass ? GetObjectProp(target, op) : nullptr;
    if (!holder) return true;  // no "Properties" object at the moment: the next line goes on
  }
  PPropInfo cp = TsiPropInfoList(holder, siAllKinds).Find(prop);
  if (!cp || (!objectProp.empty() && !ReadWrite(cp))) return false;
  auto* collection = cp->Kind() == tkClass ? dynamic_cast<TCollection*>(GetObjectProp(holder, cp)) : nullptr;
  if (!collection) return false;
  TCollectionItem* item = collection->Items(index);  // a bad index raises EListError

  if (itemPath.find('.') != std::string::npos) {
    PPropInfo ip = TsiPropInfoList(item, siAllKinds).Find(BeforeFirst(itemPath, "."));
    if (!ReadWrite(ip) || ip->Kind() != tkClass) return false;
    TObject* obj = GetObjectProp(item, ip);
    if (!obj) return false;
    PPropInfo sp = TsiPropInfoList(obj, siAllKinds).Find(itemPath.substr(itemPath.find('.') + 1));
    if (!ReadWrite(sp)) return false;
    WriteIfDifferent(obj, sp, text);
    return true;
  }
  PPropInfo ip = TsiPropInfoList(item, siAllKinds).Find(itemPath);
  if (!ip) return false;
  if (ip->Kind() == tkClass) {
    TObject* obj = GetObjectProp(item, ip);
    if (!obj) return false;
    if (auto* lines = dynamic_cast<TStrings*>(obj); lines && !text.empty() && text != FullText(*lines))
      ReplaceByLineBreaks(lines, text);
    return true;
  }
  if (!ReadWrite(ip)) return false;
  WriteIfDifferent(item, ip, text);
  return true;
}

void TsiCustomLang::ApplyCollectionsList(TStrings* list) {
  CleanList(list, stCollections);
  for (int32_t i = 0; i < list->Count();) {
    bool keep = true;
    try {
      keep = ApplyCollectionLine(list->Strings(i));
    } catch (const EListError&) {
    }
    if (keep)
      ++i;
    else
      list->Delete(i);
  }
}

// ---------------------------------------------------------------------------
// Clean-up

void TsiCustomLang::CleanList(TStrings* list, TStringsType kind) {
  if (!list || !Owner() || kind == stDlgsCaptions || kind == stStrings || kind == stLocales) return;
  TComponent* owner = Owner();
  const std::string d = Delim();
  const std::string ownerClass = OwnerClassName();
  auto lose = [this, list](int32_t i) {
    LostLines()->Add(list->Strings(i));
    list->Delete(i);
  };

  if (kind == stCollections) {
    for (int32_t i = 0; i < list->Count();) {
      const std::string ident = BeforeFirst(list->Strings(i), d);
      TComponent* comp = owner->FindComponent(BeforeFirst(ident, "."));
      if (!comp) {
        lose(i);
        continue;
      }
      bool outside = false;
      const size_t dot = ident.find('.'), open = ident.find('['), close = ident.find(']');
      if (dot != std::string::npos && open != std::string::npos && close != std::string::npos && open > dot) {
        std::string prop = ident.substr(dot + 1, open - dot - 1);
        TObject* holder = comp;
        if (prop.find('.') != std::string::npos) {
          PPropInfo op = TsiPropInfoList(comp, siClassKinds).Find(BeforeFirst(prop, "."));
          holder = op ? GetObjectProp(comp, op) : nullptr;
          prop = prop.substr(prop.find('.') + 1);
        }
        PPropInfo cp = holder ? TsiPropInfoList(holder, siClassKinds).Find(prop) : nullptr;
        auto* collection = cp ? dynamic_cast<TCollection*>(GetObjectProp(holder, cp)) : nullptr;
        const int32_t index = StrToIntDef(ident.substr(open + 1, close - open - 1), -1);
        outside = collection && index >= collection->Count();
      }
      if (outside)
        lose(i);
      else
        ++i;
    }
  } else {
    int32_t i = 0;
    if (list->Count() > 0 && (kind == stCaptions || kind == stHints || kind == stFonts || kind == stCharSets)) {
      const bool has = kind == stCaptions   ? HasProperty(owner, "Caption", siStringKinds)
                       : kind == stHints    ? HasProperty(owner, "Hint", siStringKinds)
                                            : HasProperty(owner, "Font", siClassKinds, "TFont");
      if (has) {
        if (TakesTextFromAction(owner, kind))
          list->Delete(0);
        else
          i = 1;
      }
    }
    while (i < list->Count()) {
      const std::string line = list->Strings(i);
      TComponent* comp = nullptr;
      bool known;
      if (kind == stMultiLines || kind == stOtherStrings) {
        const std::string part = BeforeFirst(line, ".");
        comp = owner->FindComponent(part);
        known = comp || SameText(part, ownerClass);
      } else {
        comp = owner->FindComponent(BeforeFirst(line, d));
        known = comp != nullptr;
      }
      if (!known) {
        lose(i);
      } else if (comp && TakesTextFromAction(comp, kind)) {
        list->Delete(i);
      } else {
        ++i;
      }
    }
  }

  if (autoSkipEmpties_) {
    for (int32_t i = list->Count() - 1; i >= 0; --i) {
      const std::string& line = list->Strings(i);
      std::string stripped;
      if (kind == stCollections) {
        stripped = Trim(line);
      } else {
        const size_t b = line.find_first_not_of(d);
        stripped = b == std::string::npos ? std::string() : line.substr(b, line.find_last_not_of(d) - b + 1);
      }
      if (int64_t(line.size()) - (numOfLanguages_ + 1) >= int64_t(stripped.size())) list->Delete(i);
    }
  }
}
