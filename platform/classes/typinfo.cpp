#include "platform/classes/typinfo.h"

#include "platform/classes/component.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <typeindex>
#include <unordered_map>

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

struct ClassEntry {
  // unique_ptr keeps every handed-out PPropInfo valid while the lists grow.
  std::vector<std::unique_ptr<TPropInfo>> props;
  std::vector<std::unique_ptr<TMethodInfo>> methods;
  std::vector<std::unique_ptr<TFieldInfo>> fields;
};

struct Registry {
  std::shared_mutex lock;
  std::unordered_map<TClass, ClassEntry> classes;
  std::unordered_map<std::type_index, std::unique_ptr<TTypeInfo>> byCppType;
  // Interned named types: set, integer, alias, class and method types.
  std::map<std::string, std::unique_ptr<TTypeInfo>> named;
};

Registry& TheRegistry() {
  static Registry r;
  return r;
}

// Registration runs once, outside the registry lock (it takes the lock itself).
void EnsureRegistered() {
  static std::once_flag once;
  std::call_once(once, [] { RegisterClassesProperties(); });
}

std::unique_ptr<TTypeInfo> MakeOrdinal(TTypeKind kind, const char* name, TOrdType ot, int64_t lo, int64_t hi) {
  auto t = std::make_unique<TTypeInfo>();
  t->Kind = kind;
  t->Name = name;
  t->OrdType = ot;
  t->MinValue = lo;
  t->MaxValue = hi;
  return t;
}

std::unique_ptr<TTypeInfo> MakeFloat(const char* name, TFloatType ft) {
  auto t = std::make_unique<TTypeInfo>();
  t->Kind = tkFloat;
  t->Name = name;
  t->FloatType = ft;
  return t;
}

void AddBuiltins(Registry& r) {
  auto put = [&](const std::type_info& ti, std::unique_ptr<TTypeInfo> t) { r.byCppType[std::type_index(ti)] = std::move(t); };
  put(typeid(signed char), MakeOrdinal(tkInteger, "ShortInt", otSByte, INT8_MIN, INT8_MAX));
  put(typeid(unsigned char), MakeOrdinal(tkInteger, "Byte", otUByte, 0, UINT8_MAX));
  put(typeid(short), MakeOrdinal(tkInteger, "SmallInt", otSWord, INT16_MIN, INT16_MAX));
  put(typeid(unsigned short), MakeOrdinal(tkInteger, "Word", otUWord, 0, UINT16_MAX));
  put(typeid(int), MakeOrdinal(tkInteger, "Integer", otSLong, INT32_MIN, INT32_MAX));
  put(typeid(unsigned), MakeOrdinal(tkInteger, "Cardinal", otULong, 0, UINT32_MAX));
  auto i64 = [] { return MakeOrdinal(tkInt64, "Int64", otSQWord, INT64_MIN, INT64_MAX); };
  // UInt64 keeps its bits in the int64 ordinal, as the framework does.
  auto u64 = [] { return MakeOrdinal(tkInt64, "UInt64", otUQWord, 0, -1); };
  if constexpr (sizeof(long) == 8) {
    put(typeid(long), i64());
    put(typeid(unsigned long), u64());
  } else {
    put(typeid(long), MakeOrdinal(tkInteger, "Integer", otSLong, INT32_MIN, INT32_MAX));
    put(typeid(unsigned long), MakeOrdinal(tkInteger, "Cardinal", otULong, 0, UINT32_MAX));
  }
  put(typeid(long long), i64());
  put(typeid(unsigned long long), u64());
  put(typeid(char), MakeOrdinal(tkChar, "AnsiChar", otUByte, 0, 255));
  put(typeid(char16_t), MakeOrdinal(tkWChar, "WideChar", otUWord, 0, 0xFFFF));
  put(typeid(char32_t), MakeOrdinal(tkWChar, "Char", otULong, 0, 0x10FFFF));
  auto b = MakeOrdinal(tkEnumeration, "Boolean", otUByte, 0, 1);
  b->EnumNames = {"False", "True"};
  put(typeid(bool), std::move(b));
  put(typeid(float), MakeFloat("Single", ftSingle));
  put(typeid(double), MakeFloat("Double", ftDouble));
  put(typeid(long double), MakeFloat("Extended", ftExtended));
  auto s = std::make_unique<TTypeInfo>();
  s->Kind = tkUString;
  s->Name = "string";
  put(typeid(std::string), std::move(s));
}

Registry& Reg() {
  Registry& r = TheRegistry();
  static std::once_flag once;
  std::call_once(once, [&] { AddBuiltins(r); });
  return r;
}

bool SameDefinition(const TTypeInfo& a, const TTypeInfo& b) {
  return a.Kind == b.Kind && a.OrdType == b.OrdType && a.MinValue == b.MinValue && a.MaxValue == b.MaxValue &&
         a.EnumNames == b.EnumNames && a.CompType == b.CompType && a.FloatType == b.FloatType &&
         a.ClassType == b.ClassType && a.MethodSignature == b.MethodSignature && a.IdentToInt == b.IdentToInt &&
         a.IntToIdent == b.IntToIdent;
}

// Interns a named type. Declaring it again the same way returns the first info;
// declaring it differently is a programming error that would otherwise go unseen.
template <class Fill>
PTypeInfo Intern(const std::string& key, Fill fill) {
  auto t = std::make_unique<TTypeInfo>();
  fill(*t);
  Registry& r = Reg();
  std::unique_lock g(r.lock);
  auto it = r.named.find(key);
  if (it != r.named.end()) {
    if (!SameDefinition(*it->second, *t)) throw EPropertyError("Type " + t->Name + " is declared twice differently");
    return it->second.get();
  }
  PTypeInfo p = t.get();
  r.named.emplace(key, std::move(t));
  return p;
}

std::string LowerKey(std::string_view s) {
  std::string k(s);
  for (char& c : k) c = LowerAscii(c);
  return k;
}

std::vector<TClass> ChainFromRoot(TClass cls) {
  std::vector<TClass> chain;
  for (TClass c = cls; c; c = c->Parent) chain.push_back(c);
  std::reverse(chain.begin(), chain.end());
  return chain;
}

[[noreturn]] void Unknown(const TObject* instance, std::string_view name) {
  throw EPropertyError("Property " + std::string(name) + " does not exist" +
                       (instance ? " in " + instance->ClassName() : std::string()));
}

PPropInfo Require(TObject* instance, std::string_view name) {
  PPropInfo p = GetPropInfo(instance, name);
  if (!p) Unknown(instance, name);
  return p;
}

// Guards the static downcast inside the accessors.
void CheckInstance(TObject* instance, PPropInfo prop) {
  if (!instance || !prop) throw EPropertyError("Property access without instance or property");
  if (!instance->InheritsFrom(prop->Declarer))
    throw EPropertyError("Property " + prop->Name + " does not belong to " + instance->ClassName());
}

[[noreturn]] void NoAccess(PPropInfo prop, const char* what) {
  throw EPropertyError("Property " + prop->Name + " " + what);
}

void CheckKind(PPropInfo prop, TTypeKinds kinds, const char* what) {
  if (!kinds.Contains(prop->Kind())) throw EPropertyConvertError("Property " + prop->Name + " is not " + what);
}

}  // namespace

namespace typinfo_detail {

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

int CompareNames(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(LowerAscii(a[i]));
    unsigned char y = static_cast<unsigned char>(LowerAscii(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

void DeclarationError(std::string_view cls, std::string_view prop, std::string_view why) {
  throw EPropertyError("Published declaration " + std::string(cls) + "." + std::string(prop) + ": " +
                       std::string(why));
}

TPropInfo* AddProperty(TClass cls, TPropInfo info) {
  Registry& r = Reg();
  std::unique_lock g(r.lock);
  auto& props = r.classes[cls].props;
  for (auto& p : props)
    if (SameName(p->Name, info.Name)) {
      // Declaring again (a registration function run twice) updates in place.
      *p = std::move(info);
      return p.get();
    }
  props.push_back(std::make_unique<TPropInfo>(std::move(info)));
  return props.back().get();
}

void AddMethod(TClass cls, TMethodInfo info) {
  Registry& r = Reg();
  std::unique_lock g(r.lock);
  auto& methods = r.classes[cls].methods;
  for (auto& m : methods)
    if (SameName(m->Name, info.Name)) {
      *m = std::move(info);
      return;
    }
  methods.push_back(std::make_unique<TMethodInfo>(std::move(info)));
}

void AddField(TClass cls, TFieldInfo info) {
  Registry& r = Reg();
  std::unique_lock g(r.lock);
  auto& fields = r.classes[cls].fields;
  for (auto& f : fields)
    if (SameName(f->Name, info.Name)) {
      *f = std::move(info);
      return;
    }
  fields.push_back(std::make_unique<TFieldInfo>(std::move(info)));
}

PTypeInfo FindEnumType(const std::type_info& t) {
  Registry& r = Reg();
  std::shared_lock g(r.lock);
  auto it = r.byCppType.find(std::type_index(t));
  return it == r.byCppType.end() ? nullptr : it->second.get();
}

PTypeInfo RegisterEnumType(const std::type_info& t, std::string_view name,
                           std::initializer_list<std::string_view> names) {
  Registry& r = Reg();
  std::unique_lock g(r.lock);
  auto& slot = r.byCppType[std::type_index(t)];
  if (!slot) {
    slot = std::make_unique<TTypeInfo>();
    slot->Kind = tkEnumeration;
    slot->Name = std::string(name);
    for (std::string_view n : names) slot->EnumNames.emplace_back(n);
    slot->MinValue = 0;
    slot->MaxValue = static_cast<int64_t>(names.size()) - 1;
    slot->OrdType = names.size() <= 256 ? otUByte : otUWord;
  }
  return slot.get();
}

PTypeInfo BuiltinType(const std::type_info& t) {
  PTypeInfo p = FindEnumType(t);
  if (!p) throw EPropertyError(std::string("No type information for C++ type ") + t.name());
  return p;
}

PTypeInfo ClassType(TClass cls) {
  // Keyed by identity: two libraries may well have classes of the same name.
  return Intern("class:" + std::to_string(reinterpret_cast<uintptr_t>(cls)), [&](TTypeInfo& t) {
    t.Kind = tkClass;
    t.Name = cls->Name;
    t.ClassType = cls;
  });
}

PTypeInfo MethodType(const std::string& name, const std::type_info& sig) {
  return Intern("method:" + name + ":" + sig.name(), [&](TTypeInfo& t) {
    t.Kind = tkMethod;
    t.Name = name;
    t.MethodSignature = &sig;
  });
}

}  // namespace typinfo_detail

using typinfo_detail::CompareNames;
using typinfo_detail::SameName;

// ---------------------------------------------------------------------------
// Type infos

PTypeInfo DefineSetType(std::string_view name, PTypeInfo elementType) {
  if (!elementType || elementType->Kind != tkEnumeration || elementType->EnumNames.size() > 64)
    throw EPropertyError("Set type " + std::string(name) + " needs an enumeration of at most 64 values");
  return Intern("set:" + LowerKey(name), [&](TTypeInfo& t) {
    t.Kind = tkSet;
    t.Name = std::string(name);
    t.CompType = elementType;
    t.OrdType = otULong;
  });
}

PTypeInfo DefineIntegerType(std::string_view name, TOrdType ordType, bool (*identToInt)(std::string_view, int64_t&),
                            bool (*intToIdent)(int64_t, std::string&)) {
  return Intern("int:" + LowerKey(name), [&](TTypeInfo& t) {
    t.Kind = tkInteger;
    t.Name = std::string(name);
    t.OrdType = ordType;
    switch (ordType) {
      case otSByte: t.MinValue = INT8_MIN, t.MaxValue = INT8_MAX; break;
      case otUByte: t.MinValue = 0, t.MaxValue = UINT8_MAX; break;
      case otSWord: t.MinValue = INT16_MIN, t.MaxValue = INT16_MAX; break;
      case otUWord: t.MinValue = 0, t.MaxValue = UINT16_MAX; break;
      case otULong: t.MinValue = 0, t.MaxValue = UINT32_MAX; break;
      default: t.MinValue = INT32_MIN, t.MaxValue = INT32_MAX; break;
    }
    t.IdentToInt = identToInt;
    t.IntToIdent = intToIdent;
  });
}

PTypeInfo DefineAliasType(std::string_view name, PTypeInfo base) {
  if (!base) throw EPropertyError("Alias type " + std::string(name) + " without base type");
  return Intern("alias:" + LowerKey(name) + ":" + std::to_string(base->Kind), [&](TTypeInfo& t) {
    t = *base;
    t.Name = std::string(name);
  });
}

std::string GetEnumName(PTypeInfo type, int64_t value) {
  if (!type || value < 0 || value >= static_cast<int64_t>(type->EnumNames.size())) return {};
  return type->EnumNames[static_cast<size_t>(value)];
}

int64_t GetEnumValue(PTypeInfo type, std::string_view name) {
  if (!type) return -1;
  for (size_t i = 0; i < type->EnumNames.size(); ++i)
    if (SameName(type->EnumNames[i], name)) return static_cast<int64_t>(i);
  return -1;
}

std::string SetToString(PTypeInfo setType, int64_t value, bool brackets) {
  std::string out;
  if (setType && setType->CompType) {
    const auto& names = setType->CompType->EnumNames;
    for (size_t i = 0; i < names.size() && i < 64; ++i)
      if ((static_cast<uint64_t>(value) >> i) & 1u) {
        if (!out.empty()) out += ',';
        out += names[i];
      }
  }
  return brackets ? "[" + out + "]" : out;
}

int64_t StringToSet(PTypeInfo setType, std::string_view text) {
  if (!setType || setType->Kind != tkSet) throw EPropertyConvertError("Not a set type");
  auto trim = [](std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
  };
  text = trim(text);
  if (!text.empty() && text.front() == '[') {
    if (text.back() != ']') throw EPropertyConvertError("Invalid set text '" + std::string(text) + "'");
    text = trim(text.substr(1, text.size() - 2));
  }
  uint64_t bits = 0;
  while (!text.empty()) {
    size_t comma = text.find(',');
    std::string_view item = trim(text.substr(0, comma));
    int64_t v = GetEnumValue(setType->CompType, item);
    if (v < 0) throw EPropertyConvertError("Invalid set element '" + std::string(item) + "'");
    bits |= uint64_t(1) << v;
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return static_cast<int64_t>(bits);
}

// ---------------------------------------------------------------------------
// Lookup

TPropList GetPropInfos(TClass cls) {
  EnsureRegistered();
  Registry& r = Reg();
  std::shared_lock g(r.lock);
  TPropList list;
  for (TClass c : ChainFromRoot(cls)) {
    auto it = r.classes.find(c);
    if (it == r.classes.end()) continue;
    for (const auto& p : it->second.props) {
      auto same = std::find_if(list.begin(), list.end(), [&](PPropInfo q) { return SameName(q->Name, p->Name); });
      if (same != list.end())
        *same = p.get();
      else
        list.push_back(p.get());
    }
  }
  return list;
}

PPropInfo GetPropInfo(TClass cls, std::string_view name, TTypeKinds kinds) {
  if (!cls) return nullptr;
  EnsureRegistered();
  Registry& r = Reg();
  std::shared_lock g(r.lock);
  for (TClass c = cls; c; c = c->Parent) {
    auto it = r.classes.find(c);
    if (it == r.classes.end()) continue;
    for (const auto& p : it->second.props)
      if (SameName(p->Name, name)) return kinds.Contains(p->Kind()) ? p.get() : nullptr;
  }
  return nullptr;
}

PPropInfo GetPropInfo(const TObject* instance, std::string_view name, TTypeKinds kinds) {
  return instance ? GetPropInfo(instance->ClassType(), name, kinds) : nullptr;
}

TPropList GetPropList(TClass cls, TTypeKinds kinds, bool sorted) {
  TPropList all = GetPropInfos(cls);
  TPropList list;
  for (PPropInfo p : all)
    if (kinds.Contains(p->Kind())) list.push_back(p);
  if (sorted)
    std::stable_sort(list.begin(), list.end(), [](PPropInfo a, PPropInfo b) { return CompareNames(a->Name, b->Name) < 0; });
  return list;
}

TPropList GetPropList(const TObject* instance, TTypeKinds kinds, bool sorted) {
  return instance ? GetPropList(instance->ClassType(), kinds, sorted) : TPropList{};
}

bool IsPublishedProp(TClass cls, std::string_view name) { return GetPropInfo(cls, name) != nullptr; }
bool IsPublishedProp(const TObject* instance, std::string_view name) { return GetPropInfo(instance, name) != nullptr; }

bool PropIsType(TClass cls, std::string_view name, TTypeKind kind) {
  PPropInfo p = GetPropInfo(cls, name);
  return p && p->Kind() == kind;
}
bool PropIsType(const TObject* instance, std::string_view name, TTypeKind kind) {
  return instance && PropIsType(instance->ClassType(), name, kind);
}

TTypeKind PropType(const TObject* instance, std::string_view name) {
  PPropInfo p = GetPropInfo(instance, name);
  if (!p) Unknown(instance, name);
  return p->Kind();
}

bool IsStoredProp(TObject* instance, PPropInfo prop) {
  CheckInstance(instance, prop);
  return prop->StoredProc ? prop->StoredProc(*instance) : prop->Stored;
}

bool IsDefaultPropValue(TObject* instance, PPropInfo prop) {
  CheckInstance(instance, prop);
  switch (prop->Kind()) {
    case tkInteger: case tkChar: case tkWChar: case tkEnumeration: case tkSet:
      return prop->Default && GetOrdProp(instance, prop) == *prop->Default;
    case tkInt64:  // 64-bit values cannot declare a default in the framework: 0 is theirs
      return GetOrdProp(instance, prop) == prop->Default.value_or(0);
    case tkFloat: return GetFloatProp(instance, prop) == 0;
    case tkString: case tkLString: case tkWString: case tkUString: return GetStrProp(instance, prop).empty();
    case tkClass: return GetObjectProp(instance, prop) == nullptr;
    case tkMethod: return !GetMethodProp(instance, prop).Assigned();
    default: return true;
  }
}

PMethodInfo FindPublishedMethod(TClass cls, std::string_view name) {
  EnsureRegistered();
  Registry& r = Reg();
  std::shared_lock g(r.lock);
  for (TClass c = cls; c; c = c->Parent) {
    auto it = r.classes.find(c);
    if (it == r.classes.end()) continue;
    for (const auto& m : it->second.methods)
      if (SameName(m->Name, name)) return m.get();
  }
  return nullptr;
}

PFieldInfo FindPublishedField(TClass cls, std::string_view name) {
  EnsureRegistered();
  Registry& r = Reg();
  std::shared_lock g(r.lock);
  for (TClass c = cls; c; c = c->Parent) {
    auto it = r.classes.find(c);
    if (it == r.classes.end()) continue;
    for (const auto& f : it->second.fields)
      if (SameName(f->Name, name)) return f.get();
  }
  return nullptr;
}

// ---------------------------------------------------------------------------
// Values

int64_t GetOrdProp(TObject* instance, PPropInfo prop) {
  CheckInstance(instance, prop);
  CheckKind(prop, tkOrdinalKinds, "ordinal");
  if (!prop->GetOrd) NoAccess(prop, "cannot be read");
  return prop->GetOrd(*instance);
}
int64_t GetOrdProp(TObject* instance, std::string_view name) { return GetOrdProp(instance, Require(instance, name)); }

void SetOrdProp(TObject* instance, PPropInfo prop, int64_t value) {
  CheckInstance(instance, prop);
  CheckKind(prop, tkOrdinalKinds, "ordinal");
  if (!prop->SetOrd) NoAccess(prop, "is read-only");
  prop->SetOrd(*instance, value);
}
void SetOrdProp(TObject* instance, std::string_view name, int64_t value) {
  SetOrdProp(instance, Require(instance, name), value);
}

int64_t GetInt64Prop(TObject* instance, PPropInfo prop) { return GetOrdProp(instance, prop); }
int64_t GetInt64Prop(TObject* instance, std::string_view name) { return GetOrdProp(instance, name); }
void SetInt64Prop(TObject* instance, PPropInfo prop, int64_t value) { SetOrdProp(instance, prop, value); }
void SetInt64Prop(TObject* instance, std::string_view name, int64_t value) { SetOrdProp(instance, name, value); }

std::string GetStrProp(TObject* instance, PPropInfo prop) {
  CheckInstance(instance, prop);
  CheckKind(prop, tkStringKinds, "a string");
  if (!prop->GetStr) NoAccess(prop, "cannot be read");
  return prop->GetStr(*instance);
}
std::string GetStrProp(TObject* instance, std::string_view name) { return GetStrProp(instance, Require(instance, name)); }

void SetStrProp(TObject* instance, PPropInfo prop, const std::string& value) {
  CheckInstance(instance, prop);
  CheckKind(prop, tkStringKinds, "a string");
  if (!prop->SetStr) NoAccess(prop, "is read-only");
  prop->SetStr(*instance, value);
}
void SetStrProp(TObject* instance, std::string_view name, const std::string& value) {
  SetStrProp(instance, Require(instance, name), value);
}

long double GetFloatProp(TObject* instance, PPropInfo prop) {
  CheckInstance(instance, prop);
  CheckKind(prop, {tkFloat}, "a float");
  if (!prop->GetFloat) NoAccess(prop, "cannot be read");
  return prop->GetFloat(*instance);
}
long double GetFloatProp(TObject* instance, std::string_view name) {
  return GetFloatProp(instance, Require(instance, name));
}

void SetFloatProp(TObject* instance, PPropInfo prop, long double value) {
  CheckInstance(instance, prop);
  CheckKind(prop, {tkFloat}, "a float");
  if (!prop->SetFloat) NoAccess(prop, "is read-only");
  prop->SetFloat(*instance, value);
}
void SetFloatProp(TObject* instance, std::string_view name, long double value) {
  SetFloatProp(instance, Require(instance, name), value);
}

std::string GetEnumProp(TObject* instance, PPropInfo prop) {
  CheckInstance(instance, prop);
  CheckKind(prop, {tkEnumeration}, "an enumeration");
  return GetEnumName(prop->PropType, GetOrdProp(instance, prop));
}
std::string GetEnumProp(TObject* instance, std::string_view name) { return GetEnumProp(instance, Require(instance, name)); }

void SetEnumProp(TObject* instance, PPropInfo prop, std::string_view value) {
  CheckInstance(instance, prop);
  CheckKind(prop, {tkEnumeration}, "an enumeration");
  int64_t v = GetEnumValue(prop->PropType, value);
  if (v < 0) throw EPropertyConvertError("Invalid enumeration name '" + std::string(value) + "' for " + prop->Name);
  SetOrdProp(instance, prop, v);
}
void SetEnumProp(TObject* instance, std::string_view name, std::string_view value) {
  SetEnumProp(instance, Require(instance, name), value);
}

std::string GetSetProp(TObject* instance, PPropInfo prop, bool brackets) {
  CheckInstance(instance, prop);
  CheckKind(prop, {tkSet}, "a set");
  return SetToString(prop->PropType, GetOrdProp(instance, prop), brackets);
}
std::string GetSetProp(TObject* instance, std::string_view name, bool brackets) {
  return GetSetProp(instance, Require(instance, name), brackets);
}

void SetSetProp(TObject* instance, PPropInfo prop, std::string_view value) {
  CheckInstance(instance, prop);
  CheckKind(prop, {tkSet}, "a set");
  SetOrdProp(instance, prop, StringToSet(prop->PropType, value));
}
void SetSetProp(TObject* instance, std::string_view name, std::string_view value) {
  SetSetProp(instance, Require(instance, name), value);
}

TObject* GetObjectProp(TObject* instance, PPropInfo prop, TClass minClass) {
  CheckInstance(instance, prop);
  CheckKind(prop, {tkClass}, "an object");
  if (!prop->GetObj) NoAccess(prop, "cannot be read");
  TObject* v = prop->GetObj(*instance);
  if (v && minClass && !v->InheritsFrom(minClass)) return nullptr;
  return v;
}
TObject* GetObjectProp(TObject* instance, std::string_view name, TClass minClass) {
  return GetObjectProp(instance, Require(instance, name), minClass);
}

void SetObjectProp(TObject* instance, PPropInfo prop, TObject* value) {
  CheckInstance(instance, prop);
  CheckKind(prop, {tkClass}, "an object");
  if (!prop->SetObj) NoAccess(prop, "is read-only");
  if (value && !value->InheritsFrom(prop->PropType->ClassType))
    throw EPropertyConvertError("Property " + prop->Name + " takes " + prop->PropType->Name + ", not " +
                                value->ClassName());
  prop->SetObj(*instance, value);
}
void SetObjectProp(TObject* instance, std::string_view name, TObject* value) {
  SetObjectProp(instance, Require(instance, name), value);
}

TMethod GetMethodProp(TObject* instance, PPropInfo prop) {
  CheckInstance(instance, prop);
  CheckKind(prop, {tkMethod}, "an event");
  return prop->GetMeth(*instance);
}
TMethod GetMethodProp(TObject* instance, std::string_view name) { return GetMethodProp(instance, Require(instance, name)); }

void SetMethodProp(TObject* instance, PPropInfo prop, const TMethod& value) {
  CheckInstance(instance, prop);
  CheckKind(prop, {tkMethod}, "an event");
  if (!prop->SetMeth) NoAccess(prop, "is read-only");
  if (!value.Data || value.Name.empty()) {
    prop->SetMeth(*instance, std::any());
    return;
  }
  PMethodInfo mi = FindPublishedMethod(value.Data->ClassType(), value.Name);
  if (!mi) throw EPropertyError("Method '" + value.Name + "' not found");
  if (!prop->PropType->MethodSignature || *mi->Signature != *prop->PropType->MethodSignature)
    throw EPropertyError("Method '" + value.Name + "' does not fit event " + prop->Name);
  prop->SetMeth(*instance, mi->Bind(value.Data));
}
void SetMethodProp(TObject* instance, std::string_view name, const TMethod& value) {
  SetMethodProp(instance, Require(instance, name), value);
}

void RegisterClassesProperties() {
  // The name travels in the object header, so the property itself is not stored.
  Published<TComponent>()
      .Str("Name", &TComponent::Name, &TComponent::SetName)
      .Stored(false)
      .Int("Tag", &TComponent::Tag, &TComponent::SetTag, 0)
      .Type(DefineAliasType("NativeInt", TypeInfoOf<intptr_t>()));
}
