// Extended translations: texts written into any published property reached
// from the owner form by a dotted path.
#include <string>
#include <string_view>
#include <vector>

#include "i18n/siComp.h"
#include "platform/classes/collection.h"
#include "platform/classes/filer.h"
#include "platform/classes/streams.h"
#include "platform/classes/strings.h"
#include "platform/classes/typinfo.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"

namespace {

std::string LastPart(const std::string& identifier) {
  const size_t dot = identifier.rfind('.');
  return dot == std::string::npos ? identifier : identifier.substr(dot + 1);
}

PPropInfo FindProp(TObject* obj, std::string_view name) {
  return obj ? TsiPropInfoList(obj, siAllKinds).Find(name) : nullptr;
}

}  // namespace

TObject* TsiCustomLang::ResolvePathOwner(const std::string& identifier) {
  TComponent* owner = Owner();
  if (!owner) return nullptr;
  const size_t firstDot = identifier.find('.');
  if (firstDot == std::string::npos) return nullptr;
  TObject* current = nullptr;
  if (SameText(identifier.substr(0, firstDot), OwnerClassName()))
    current = owner;
  else
    current = owner->FindComponent(identifier.substr(0, firstDot));
  std::string rest = identifier.substr(firstDot + 1);
  while (current && rest.find('.') != std::string::npos) {
    const std::string part = rest.substr(0, rest.find('.'));
    const size_t bracket = part.find('[');
    PPropInfo p = FindProp(current, part.substr(0, bracket));
    if (!p) p = FindProp(current, part);
    if (!p || p->Kind() != tkClass) return nullptr;
    current = GetObjectProp(current, p);
    if (auto* collection = dynamic_cast<TCollection*>(current); collection && bracket != std::string::npos) {
      const size_t close = part.find(']', bracket);
      int32_t index = 0;
      if (close == std::string::npos || !TryStrToInt(part.substr(bracket + 1, close - bracket - 1), index) ||
          index < 0 || index >= collection->Count())
        return nullptr;
      current = collection->Items(index);
    }
    rest = rest.substr(rest.find('.') + 1);
  }
  return current;
}

TTypeKind TsiCustomLang::GetPropertyTypeKind(const std::string& identifier) {
  TObject* obj = ResolvePathOwner(identifier);
  PPropInfo p = FindProp(obj, LastPart(identifier));
  if (!p) return tkUnknown;
  if (p->Kind() == tkClass) return dynamic_cast<TStrings*>(GetObjectProp(obj, p)) ? tkClass : tkUnknown;
  return p->Kind();
}

std::string TsiCustomLang::GetPropertyText(TObject* instance, PPropInfo prop) {
  if (!instance || !prop) return {};
  return GetStrProp(instance, prop);  // texts are UTF-8 throughout
}

std::string TsiCustomLang::GetIdentifierValue(const std::string& identifier) {
  TObject* obj = ResolvePathOwner(identifier);
  PPropInfo p = FindProp(obj, LastPart(identifier));
  if (!p) return {};
  switch (p->Kind()) {
    case tkInteger:
    case tkInt64: return IntToStr(GetOrdProp(obj, p));
    case tkChar:
    case tkWChar: return std::string(1, char(GetOrdProp(obj, p)));
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString: return GetPropertyText(obj, p);
    case tkEnumeration: return GetEnumProp(obj, p);
    case tkFloat: return FloatToStr(GetFloatProp(obj, p));
    case tkSet: return GetSetProp(obj, p, false);
    case tkClass: {
      auto* lines = dynamic_cast<TStrings*>(GetObjectProp(obj, p));
      return lines ? lines->CommaText() : std::string();
    }
    default: return {};
  }
}

void TsiCustomLang::SetIdentifierValue(const std::string& identifier, const std::string& text) {
  try {
    TObject* obj = ResolvePathOwner(identifier);
    PPropInfo p = FindProp(obj, LastPart(identifier));
    if (!p) return;
    switch (p->Kind()) {
      case tkInteger: {
        int32_t v = 0;
        if (TryStrToInt(text, v)) SetOrdProp(obj, p, v);
        break;
      }
      case tkInt64: {
        // Read at full width: a 32-bit reading could never set a value beyond 32 bits.
        int64_t v = 0;
        if (TryStrToInt64(text, v)) SetInt64Prop(obj, p, v);
        break;
      }
      case tkChar:
      case tkWChar:
        if (!text.empty()) SetOrdProp(obj, p, static_cast<unsigned char>(text[0]));
        break;
      case tkString:
      case tkLString:
      case tkWString:
      case tkUString: SetStrProp(obj, p, text); break;
      case tkEnumeration: {
        const int64_t v = GetEnumValue(p->PropType, text);
        if (v >= 0) SetOrdProp(obj, p, v);  // a number or unknown name is no value name
        break;
      }
      case tkFloat: {
        long double v = 0;
        if (TryStrToFloat(text, v)) SetFloatProp(obj, p, v);
        break;
      }
      case tkSet: SetSetProp(obj, p, text); break;
      case tkClass:
        if (auto* lines = dynamic_cast<TStrings*>(GetObjectProp(obj, p))) {
          TStringList parts;
          parts.SetCommaText(text);
          ReplaceStringLines(lines, parts);
        }
        break;
      default: break;
    }
  } catch (const std::exception&) {
    // A text that does not fit leaves the property as it was.
  }
}

void TsiCustomLang::ApplyExtendedTranslations() {
  TsiExtendedItems* items = ExtendedTranslations();
  const std::string d = Delim();
  for (int32_t i = 0; items && i < items->Count(); ++i) {
    TsiExtendedItem* item = items->Items(i);
    const std::vector<std::string> fields = SplitByDelimiter(item->Values(), d);
    auto field = [&fields](int32_t language) {
      return language >= 1 && size_t(language) <= fields.size() ? fields[size_t(language - 1)] : std::string();
    };
    std::string text = field(activeLanguage_);
    if (text.empty() && useDefaultLanguage_ && activeLanguage_ != defaultLanguage_) text = field(defaultLanguage_);
    if (text.empty() && activeLanguage_ > 1) text = TestModeText(field(1));
    if (text.empty() && translateType_ == ttGetDefault) text = field(1);
    if (!text.empty()) SetIdentifierValue(item->Identifier(), text);
  }
}

TsiCustomLang* TsiExtendedItem::Lang() const {
  return Collection() ? dynamic_cast<TsiCustomLang*>(Collection()->Owner()) : nullptr;
}

std::string TsiExtendedItem::Identifier() const {
  if (!related_) return identifier_;
  TsiCustomLang* lang = Lang();
  const bool isForm = lang && related_ == lang->Owner();
  const size_t dot = identifier_.find('.');
  return (isForm ? related_->ClassName() : related_->Name()) +
         (dot == std::string::npos ? std::string() : identifier_.substr(dot));
}

bool TsiExtendedItem::IsRoot() const {
  TsiCustomLang* lang = Lang();
  return lang && lang->Owner() && StartsText(lang->OwnerClassName() + ".", Identifier());
}

std::string TsiExtendedItem::GetDisplayName() {
  std::string id = Identifier();
  return id.empty() ? TCollectionItem::GetDisplayName() : id;
}

TsiExtendedItem* TsiExtendedItems::FindByIdentifier(std::string_view identifier) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (SameText(Items(i)->Identifier(), identifier)) return Items(i);
  return nullptr;
}

void TsiCustomLang::ReplaceCharInExtendedValues(char32_t oldChar, char32_t newChar) {
  ReplaceInExtendedValues(CodePointToUtf8(oldChar), CodePointToUtf8(newChar));
}

void TsiCustomLang::ReplaceInExtendedValues(std::string_view from, std::string_view to) {
  for (int32_t i = 0; i < extended_->Count(); ++i) {
    TsiExtendedItem* item = extended_->Items(i);
    if (item->Values().find(from) != std::string::npos)
      item->SetValues(StringReplace(item->Values(), from, to, rfReplaceAll));
  }
}

void TsiExtendedItem::DefineProperties(TFiler* filer) {
  TCollectionItem::DefineProperties(filer);
  bool hasData = !values_.empty();
  if (auto* ancestor = dynamic_cast<TsiExtendedItem*>(filer->Ancestor())) hasData = hasData && values_ != ancestor->values_;
  filer->DefineBinaryProperty(
      "ValuesEx", [this](TStream& s) { ReadValuesEx(s); }, [this](TStream& s) { WriteValuesEx(s); }, hasData);
}

void TsiExtendedItem::WriteValuesEx(TStream& stream) {
  if (values_.empty()) return;
  std::u16string units = u"\u00FF\u00FE" + Utf8ToUtf16(values_);
  std::string bytes;
  for (char16_t c : units) {
    bytes += char(c & 0xFF);
    bytes += char(c >> 8);
  }
  stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
}

void TsiExtendedItem::ReadValuesEx(TStream& stream) {
  std::string bytes(size_t(stream.Size() - stream.Position()), '\0');
  if (!bytes.empty()) stream.ReadBuffer(bytes.data(), int64_t(bytes.size()));
  std::u16string units;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    units += char16_t(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
  if (units.empty()) {
    values_.clear();
  } else if (units.size() >= 2 && units[0] == 0xFF && units[1] == 0xFE) {
    values_ = Utf16ToUtf8(units.substr(2));
  } else if (auto* lang = dynamic_cast<TsiCustomLang*>(Collection() ? Collection()->Owner() : nullptr)) {
    lang->ConvertAnsiLine(Utf16ToUtf8(units), true, values_);
  }
}
