// Published-property metadata: the run-time type information through which
// the streaming system, translation tables and other generic code reach an
// object's properties by name.
//
// Vocabulary:
//   type info     the description of a property's type: its kind, its name and
//                 the kind's details (enumeration names, set element type, class,
//                 integer range, float width, event signature).
//   property info one published property of a class: name, type info, accessors
//                 (the class's real getter and setter, so setter side effects
//                 run), default and stored-test for the writer.
//   ordinal       the value of an integer, character, enumeration, set or Int64
//                 property as a 64-bit integer; a set's ordinal has bit i set
//                 when the element of ordinal i is in the set.
//
// A class declares its published properties once, from its library's explicit
// registration function, with the builder below:
//
//   Published<TButton>()
//       .Int("Left", &TButton::Left, &TButton::SetLeft)
//       .Bool("Default", &TButton::Default, &TButton::SetDefault, false)
//       .Str("Caption", &TButton::Caption, &TButton::SetCaption)
//       .Event("OnClick", &TButton::OnClick);
//
// A class's property list is its ancestors' list followed by its own; a class
// that declares a name its ancestor declared replaces it in place (to change a
// default, for example). Declarations are made at start-up, before other threads
// look properties up; lookups may then run on any thread.
#pragma once

#include <any>
#include <cstddef>
#include <concepts>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/object.h"

// Raised for an unknown property or a value that does not fit its property.
DX_EXCEPTION(EPropertyError, Exception);
DX_EXCEPTION(EPropertyConvertError, Exception);

// The framework's type kinds, in its order: translation files store their ordinals.
enum TTypeKind : uint8_t {
  tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod,
  tkWChar, tkLString, tkWString, tkVariant, tkArray, tkRecord, tkInterface, tkInt64, tkDynArray,
  tkUString, tkClassRef, tkPointer, tkProcedure
};

class TTypeKinds {
public:
  constexpr TTypeKinds() = default;
  constexpr TTypeKinds(std::initializer_list<TTypeKind> kinds) {
    for (TTypeKind k : kinds) bits_ |= 1u << k;
  }
  constexpr bool Contains(TTypeKind k) const { return (bits_ >> k) & 1u; }
  constexpr TTypeKinds operator+(TTypeKinds o) const { return FromBits(bits_ | o.bits_); }
  constexpr TTypeKinds operator-(TTypeKinds o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr bool operator==(const TTypeKinds&) const = default;
  static constexpr TTypeKinds FromBits(uint32_t b) {
    TTypeKinds k;
    k.bits_ = b;
    return k;
  }

private:
  uint32_t bits_ = 0;
};

inline constexpr TTypeKinds tkAny = TTypeKinds::FromBits((1u << (tkProcedure + 1)) - 1);
inline constexpr TTypeKinds tkMethods{tkMethod};
inline constexpr TTypeKinds tkProperties = tkAny - tkMethods - TTypeKinds{tkUnknown};
inline constexpr TTypeKinds tkStringKinds{tkString, tkLString, tkWString, tkUString};
inline constexpr TTypeKinds tkOrdinalKinds{tkInteger, tkChar, tkEnumeration, tkSet, tkWChar, tkInt64};

enum TOrdType : uint8_t { otSByte, otUByte, otSWord, otUWord, otSLong, otULong, otSQWord, otUQWord };
enum TFloatType : uint8_t { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };

struct TTypeInfo {
  TTypeKind Kind = tkUnknown;
  std::string Name;
  // Ordinal kinds: the value range (tkInt64 included).
  TOrdType OrdType = otSLong;
  int64_t MinValue = 0;
  int64_t MaxValue = 0;
  // tkEnumeration: the value names, ordinal 0 first.
  std::vector<std::string> EnumNames;
  // tkSet: the element type (an enumeration).
  const TTypeInfo* CompType = nullptr;
  // tkFloat.
  TFloatType FloatType = ftDouble;
  // tkClass: the declared class of the property.
  TClass ClassType = nullptr;
  // tkMethod: the C++ signature of the event, which a handler must match.
  const std::type_info* MethodSignature = nullptr;
  // tkInteger types whose values have names (colours, cursors): both or neither.
  bool (*IdentToInt)(std::string_view ident, int64_t& value) = nullptr;
  bool (*IntToIdent)(int64_t value, std::string& ident) = nullptr;
};
using PTypeInfo = const TTypeInfo*;

// A bound event handler as the streaming system sees it: the object whose
// published method it is, and that method's name. Handlers assigned in code
// (lambdas) have no name and are not streamed.
struct TMethod {
  TObject* Data = nullptr;
  std::string Name;
  bool Assigned() const { return Data != nullptr && !Name.empty(); }
  friend bool operator==(const TMethod&, const TMethod&) = default;
};

namespace typinfo_detail {
// An accessor of one property kind: the declared getter, setter or stored-test
// (a member pointer or a capture-less lambda) kept by value in a few bytes, and
// one plain function that applies it to the class the property belongs to.
// Unlike a std::function per declaration, this adds one small function per
// accessor to a registration file, which keeps those files quick to build.
template <class Sig>
class TAccessor;
template <class R, class... A>
class TAccessor<R(A...)> {
public:
  using Call = R (*)(const void* fn, A... args);
  TAccessor() = default;
  TAccessor(std::nullptr_t) {}
  template <class F>
  TAccessor(Call call, const F& fn) : call_(call) {
    static_assert(sizeof(F) <= sizeof(fn_) && alignof(F) <= alignof(void*),
                  "accessors are member pointers or capture-less lambdas");
    static_assert(std::is_trivially_copyable_v<F> && std::is_trivially_destructible_v<F>,
                  "accessors are member pointers or capture-less lambdas");
    ::new (static_cast<void*>(fn_)) F(fn);
  }
  explicit operator bool() const { return call_ != nullptr; }
  R operator()(A... args) const { return call_(fn_, std::forward<A>(args)...); }

  // The callable an accessor holds, inside its call function.
  template <class F>
  static const F& Held(const void* fn) {
    return *std::launder(static_cast<const F*>(fn));
  }

private:
  Call call_ = nullptr;
  alignas(void*) unsigned char fn_[16] = {};
};

}  // namespace typinfo_detail

struct TPropInfo {
  std::string Name;
  PTypeInfo PropType = nullptr;
  TClass Declarer = nullptr;
  // Ordinal default: the writer leaves out a value equal to it. Absent means the
  // property has no default and is always written. Strings default to empty and
  // floats to 0, as the framework does.
  std::optional<int64_t> Default;
  // Stored-test: a constant, or a function of the instance when StoredProc is set.
  bool Stored = true;
  typinfo_detail::TAccessor<bool(TObject&)> StoredProc;

  // Accessors; only those of the property's kind are set, a missing setter makes
  // the property read-only.
  typinfo_detail::TAccessor<int64_t(TObject&)> GetOrd;
  typinfo_detail::TAccessor<void(TObject&, int64_t)> SetOrd;
  typinfo_detail::TAccessor<std::string(TObject&)> GetStr;
  typinfo_detail::TAccessor<void(TObject&, const std::string&)> SetStr;
  typinfo_detail::TAccessor<long double(TObject&)> GetFloat;
  typinfo_detail::TAccessor<void(TObject&, long double)> SetFloat;
  typinfo_detail::TAccessor<TObject*(TObject&)> GetObj;
  typinfo_detail::TAccessor<void(TObject&, TObject*)> SetObj;
  typinfo_detail::TAccessor<TMethod(TObject&)> GetMeth;
  // Stores a handler made by a published method's Bind (SetMethodProp finds and
  // checks the method); an empty value clears the event.
  typinfo_detail::TAccessor<void(TObject&, std::any&&)> SetMeth;

  TTypeKind Kind() const { return PropType ? PropType->Kind : tkUnknown; }
  bool IsReadable() const { return GetOrd || GetStr || GetFloat || GetObj || GetMeth; }
  bool IsWritable() const { return SetOrd || SetStr || SetFloat || SetObj || SetMeth; }
};
using PPropInfo = const TPropInfo*;
using TPropList = std::vector<PPropInfo>;

// A published method: a member function that streamed event properties can name.
struct TMethodInfo {
  std::string Name;
  TClass Declarer = nullptr;
  const std::type_info* Signature = nullptr;
  // Returns std::function<Signature> calling the method on the given object.
  std::function<std::any(TObject*)> Bind;
};
using PMethodInfo = const TMethodInfo*;

// A published field: a member pointer of the root that the reader fills with the
// component of the same name when it creates it (Button1 of a form, for example).
struct TFieldInfo {
  std::string Name;
  TClass Declarer = nullptr;
  TClass FieldClass = nullptr;
  typinfo_detail::TAccessor<void(TObject&, TObject*)> Set;
};
using PFieldInfo = const TFieldInfo*;

// ---------------------------------------------------------------------------
// Type infos

// Built-in types by C++ type: the integers, bool (the enumeration "Boolean"),
// char ("Char", tkChar), char16_t/char32_t ("WideChar", tkWChar), the floats,
// std::string ("string", tkUString).
template <class V>
PTypeInfo TypeInfoOf();

// Declares an enumeration's names (ordinal 0 first); later calls return the same info.
template <class E>
  requires std::is_enum_v<E>
PTypeInfo DefineEnumType(std::string_view name, std::initializer_list<std::string_view> names);
// A set type over an element enumeration, interned by name.
PTypeInfo DefineSetType(std::string_view name, PTypeInfo elementType);
// A named integer type, optionally with value names (TColor with clRed, ...), interned by name.
PTypeInfo DefineIntegerType(std::string_view name, TOrdType ordType,
                            bool (*identToInt)(std::string_view, int64_t&) = nullptr,
                            bool (*intToIdent)(int64_t, std::string&) = nullptr);
// A copy of a type under another name (TCaption, TFileName over string), interned by name.
PTypeInfo DefineAliasType(std::string_view name, PTypeInfo base);

std::string GetEnumName(PTypeInfo type, int64_t value);  // "" when out of range
int64_t GetEnumValue(PTypeInfo type, std::string_view name);  // ignores case; -1 when unknown
// "[a,b]" (or "a,b"); elements in ordinal order.
std::string SetToString(PTypeInfo setType, int64_t value, bool brackets = true);
// Accepts optional brackets and blanks; raises EPropertyConvertError for an unknown name.
int64_t StringToSet(PTypeInfo setType, std::string_view text);

// ---------------------------------------------------------------------------
// Looking properties up

// Registers the property metadata of this library's classes (TComponent's Name and
// Tag). Lookups call it once by themselves; other libraries have a function of their
// own that the program calls at start-up.
void RegisterClassesProperties();

PPropInfo GetPropInfo(TClass cls, std::string_view name, TTypeKinds kinds = tkAny);
PPropInfo GetPropInfo(const TObject* instance, std::string_view name, TTypeKinds kinds = tkAny);
// In declaration order, ancestors first.
TPropList GetPropInfos(TClass cls);
// Filtered by kind; sorted by name (ignoring case) unless sorted is false.
TPropList GetPropList(TClass cls, TTypeKinds kinds = tkAny, bool sorted = true);
TPropList GetPropList(const TObject* instance, TTypeKinds kinds = tkAny, bool sorted = true);
bool IsPublishedProp(TClass cls, std::string_view name);
bool IsPublishedProp(const TObject* instance, std::string_view name);
bool PropIsType(const TObject* instance, std::string_view name, TTypeKind kind);
bool PropIsType(TClass cls, std::string_view name, TTypeKind kind);
TTypeKind PropType(const TObject* instance, std::string_view name);  // raises EPropertyError when unknown
bool IsStoredProp(TObject* instance, PPropInfo prop);
// Whether the value equals the property's default, so that the writer leaves it out.
bool IsDefaultPropValue(TObject* instance, PPropInfo prop);

PMethodInfo FindPublishedMethod(TClass cls, std::string_view name);  // ignores case; null when none
PFieldInfo FindPublishedField(TClass cls, std::string_view name);

// ---------------------------------------------------------------------------
// Reading and writing values. The name forms raise EPropertyError for an unknown
// property; all raise EPropertyError when the property lacks the needed accessor
// and EPropertyConvertError when the value does not fit.

int64_t GetOrdProp(TObject* instance, PPropInfo prop);
int64_t GetOrdProp(TObject* instance, std::string_view name);
void SetOrdProp(TObject* instance, PPropInfo prop, int64_t value);
void SetOrdProp(TObject* instance, std::string_view name, int64_t value);
int64_t GetInt64Prop(TObject* instance, PPropInfo prop);
int64_t GetInt64Prop(TObject* instance, std::string_view name);
void SetInt64Prop(TObject* instance, PPropInfo prop, int64_t value);
void SetInt64Prop(TObject* instance, std::string_view name, int64_t value);
std::string GetStrProp(TObject* instance, PPropInfo prop);
std::string GetStrProp(TObject* instance, std::string_view name);
void SetStrProp(TObject* instance, PPropInfo prop, const std::string& value);
void SetStrProp(TObject* instance, std::string_view name, const std::string& value);
long double GetFloatProp(TObject* instance, PPropInfo prop);
long double GetFloatProp(TObject* instance, std::string_view name);
void SetFloatProp(TObject* instance, PPropInfo prop, long double value);
void SetFloatProp(TObject* instance, std::string_view name, long double value);
std::string GetEnumProp(TObject* instance, PPropInfo prop);
std::string GetEnumProp(TObject* instance, std::string_view name);
void SetEnumProp(TObject* instance, PPropInfo prop, std::string_view value);
void SetEnumProp(TObject* instance, std::string_view name, std::string_view value);
std::string GetSetProp(TObject* instance, PPropInfo prop, bool brackets = true);
std::string GetSetProp(TObject* instance, std::string_view name, bool brackets = true);
void SetSetProp(TObject* instance, PPropInfo prop, std::string_view value);
void SetSetProp(TObject* instance, std::string_view name, std::string_view value);
// With minClass, a value of another class reads as null.
TObject* GetObjectProp(TObject* instance, PPropInfo prop, TClass minClass = nullptr);
TObject* GetObjectProp(TObject* instance, std::string_view name, TClass minClass = nullptr);
// Raises EPropertyConvertError when the value is not of the property's class.
void SetObjectProp(TObject* instance, PPropInfo prop, TObject* value);
void SetObjectProp(TObject* instance, std::string_view name, TObject* value);
TMethod GetMethodProp(TObject* instance, PPropInfo prop);
TMethod GetMethodProp(TObject* instance, std::string_view name);
// Binds the published method value.Name of value.Data; a null Data clears the event.
// Raises EPropertyError when the method is unknown or its signature differs.
void SetMethodProp(TObject* instance, PPropInfo prop, const TMethod& value);
void SetMethodProp(TObject* instance, std::string_view name, const TMethod& value);

// ---------------------------------------------------------------------------
// Declaration helpers

namespace typinfo_detail {

// Registry entry points used by the builder.
TPropInfo* AddProperty(TClass cls, TPropInfo info);
void AddMethod(TClass cls, TMethodInfo info);
void AddField(TClass cls, TFieldInfo info);
PTypeInfo FindEnumType(const std::type_info& t);
PTypeInfo RegisterEnumType(const std::type_info& t, std::string_view name,
                           std::initializer_list<std::string_view> names);
PTypeInfo BuiltinType(const std::type_info& t);
[[noreturn]] void DeclarationError(std::string_view cls, std::string_view prop, std::string_view why);
// Names of properties, components and types compare ignoring ASCII case.
bool SameName(std::string_view a, std::string_view b);
int CompareNames(std::string_view a, std::string_view b);

template <class T, class G>
using GetResult = std::remove_cvref_t<std::invoke_result_t<G, T&>>;

// Getter and setter calls without std::invoke, whose layers of helpers cost
// more to compile than the one-line accessors they call.
template <class T, class G>
decltype(auto) Fetch(T& obj, const G& get) {
  if constexpr (std::is_member_function_pointer_v<G>)
    return (obj.*get)();
  else if constexpr (std::is_member_object_pointer_v<G>)
    return (obj.*get);
  else
    return get(obj);
}

template <class T, class S, class V>
void Assign(T& obj, const S& set, V&& value) {
  if constexpr (std::is_member_object_pointer_v<S>)
    obj.*set = std::forward<V>(value);
  else if constexpr (std::is_member_function_pointer_v<S>)
    (obj.*set)(std::forward<V>(value));
  else
    set(obj, std::forward<V>(value));
}

// Sets as ordinals: integral bit masks, std::bitset-like (to_ullong) or types with Bits()/FromBits.
template <class S>
uint64_t SetBits(const S& s) {
  if constexpr (std::is_integral_v<S>) return static_cast<uint64_t>(s);
  else if constexpr (std::is_enum_v<S>) return static_cast<uint64_t>(s);
  else if constexpr (requires { s.to_ullong(); }) return s.to_ullong();
  else return static_cast<uint64_t>(s.Bits());
}
template <class S>
S SetFromBits(uint64_t bits) {
  if constexpr (std::is_integral_v<S> || std::is_enum_v<S>) return static_cast<S>(bits);
  else if constexpr (requires { S::FromBits(bits); }) return S::FromBits(bits);
  else return S(bits);
}

// A handler bound from a published method, recognisable inside std::function so
// that the writer can name it.
template <class Sig>
struct TMethodBinding;
template <class R, class... A>
struct TMethodBinding<R(A...)> {
  TObject* Data = nullptr;
  std::string Name;
  std::function<R(TObject*, A...)> Call;
  R operator()(A... args) const { return Call(Data, std::forward<A>(args)...); }
};

}  // namespace typinfo_detail

template <class T>
class Published {
  static_assert(std::is_base_of_v<TObject, T>, "published properties belong to TObject classes");

public:
  Published() = default;

  // Integers of every width; 64-bit values make tkInt64 properties.
  template <class G, class S>
  Published& Int(std::string_view name, G get, S set, std::optional<int64_t> def = std::nullopt) {
    using V = typinfo_detail::GetResult<T, G>;
    static_assert(std::is_integral_v<V> && !std::is_same_v<V, bool>, "Int needs an integer getter");
    return Ordinal<V>(name, TypeInfoOf<V>(), get, set, def);
  }
  template <class G, class S>
  Published& Bool(std::string_view name, G get, S set, std::optional<bool> def = std::nullopt) {
    using V = typinfo_detail::GetResult<T, G>;
    static_assert(std::is_same_v<V, bool>, "Bool needs a bool getter");
    std::optional<int64_t> d;
    if (def) d = *def ? 1 : 0;
    return Ordinal<V>(name, TypeInfoOf<bool>(), get, set, d);
  }
  // char makes tkChar, char16_t/char32_t make tkWChar; the ordinal is the code unit/point.
  template <class G, class S>
  Published& Char(std::string_view name, G get, S set, std::optional<int64_t> def = std::nullopt) {
    using V = typinfo_detail::GetResult<T, G>;
    return Ordinal<V>(name, TypeInfoOf<V>(), get, set, def);
  }
  // The enumeration's names must have been declared with DefineEnumType.
  template <class G, class S>
  Published& Enum(std::string_view name, G get, S set,
                  std::optional<typinfo_detail::GetResult<T, G>> def = std::nullopt) {
    using V = typinfo_detail::GetResult<T, G>;
    static_assert(std::is_enum_v<V>, "Enum needs an enumeration getter");
    PTypeInfo type = typinfo_detail::FindEnumType(typeid(V));
    if (!type) typinfo_detail::DeclarationError(T::StaticClass()->Name, name, "enumeration type not declared");
    std::optional<int64_t> d;
    if (def) d = static_cast<int64_t>(*def);
    return Ordinal<V>(name, type, get, set, d);
  }
  template <class G, class S>
  Published& Set(std::string_view name, G get, S set, PTypeInfo setType,
                 std::optional<uint64_t> def = std::nullopt) {
    using V = typinfo_detail::GetResult<T, G>;
    if (!setType || setType->Kind != tkSet)
      typinfo_detail::DeclarationError(T::StaticClass()->Name, name, "not a set type");
    TPropInfo p = Base(name, setType);
    if (def) p.Default = static_cast<int64_t>(*def);
    p.GetOrd = OrdGetter(&GetSet<V, G>, get);
    if constexpr (!std::is_null_pointer_v<S>) p.SetOrd = OrdSetter(&SetSet<V, S>, set);
    return Add(std::move(p));
  }
  template <class G, class S>
  Published& Float(std::string_view name, G get, S set) {
    using V = typinfo_detail::GetResult<T, G>;
    static_assert(std::is_floating_point_v<V>, "Float needs a floating-point getter");
    TPropInfo p = Base(name, TypeInfoOf<V>());
    p.GetFloat = FloatGetter(&GetFloatValue<G>, get);
    if constexpr (!std::is_null_pointer_v<S>) p.SetFloat = FloatSetter(&SetFloatValue<V, S>, set);
    return Add(std::move(p));
  }
  template <class G, class S>
  Published& Str(std::string_view name, G get, S set) {
    TPropInfo p = Base(name, TypeInfoOf<std::string>());
    p.GetStr = StrGetter(&GetStrValue<G>, get);
    if constexpr (!std::is_null_pointer_v<S>) p.SetStr = StrSetter(&SetStrValue<S>, set);
    return Add(std::move(p));
  }
  // Object-valued property: the getter returns a pointer to a TObject descendant.
  // A null setter suits owned sub-objects (Font, Items) that are only read into.
  template <class G, class S>
  Published& Obj(std::string_view name, G get, S set) {
    using P = typinfo_detail::GetResult<T, G>;
    static_assert(std::is_pointer_v<P>, "Obj needs a pointer getter");
    using C = std::remove_cv_t<std::remove_pointer_t<P>>;
    TPropInfo p = Base(name, ClassTypeInfo(C::StaticClass()));
    p.GetObj = ObjGetter(&GetObjValue<C, G>, get);
    if constexpr (!std::is_null_pointer_v<S>) p.SetObj = ObjSetter(&SetObjValue<C, S>, set);
    return Add(std::move(p));
  }
  // Event property over a std::function member. typeName defaults to TNotifyEvent for
  // void(TObject*) and to the generic "TMethod" otherwise.
  template <class C, class Sig>
  Published& Event(std::string_view name, std::function<Sig> C::*member, const char* typeName = nullptr) {
    static_assert(std::is_base_of_v<C, T>, "the event must be a member of the class or of an ancestor");
    std::string tn = typeName ? typeName : (std::is_same_v<Sig, void(TObject*)> ? "TNotifyEvent" : "TMethod");
    TPropInfo p = Base(name, MethodTypeInfo(tn, typeid(Sig)));
    p.GetMeth = EventGetter(&GetEvent<C, Sig>, member);
    p.SetMeth = EventSetter(&SetEvent<C, Sig>, member);
    return Add(std::move(p));
  }
  // A published method that event properties can be bound to by name.
  template <class C, class R, class... A>
  Published& Method(std::string_view name, R (C::*fn)(A...)) {
    static_assert(std::is_base_of_v<C, T>, "the method must belong to the class or to an ancestor");
    using Sig = R(A...);
    TMethodInfo mi;
    mi.Name = std::string(name);
    mi.Declarer = T::StaticClass();
    mi.Signature = &typeid(Sig);
    mi.Bind = [fn, n = std::string(name)](TObject* data) -> std::any {
      typinfo_detail::TMethodBinding<Sig> b;
      b.Data = data;
      b.Name = n;
      b.Call = [fn](TObject* d, A... args) -> R { return (static_cast<T*>(d)->*fn)(std::forward<A>(args)...); };
      return std::function<Sig>(std::move(b));
    };
    typinfo_detail::AddMethod(T::StaticClass(), std::move(mi));
    last_ = nullptr;
    return *this;
  }
  // A published field: set by the reader when it creates the component of that name.
  template <class C, class B>
  Published& Field(std::string_view name, C* B::*member) {
    static_assert(std::is_base_of_v<B, T>, "the field must be a member of the class or of an ancestor");
    TFieldInfo fi;
    fi.Name = std::string(name);
    fi.Declarer = T::StaticClass();
    fi.FieldClass = C::StaticClass();
    fi.Set = ObjSetter(&SetObjValue<C, C* B::*>, member);
    typinfo_detail::AddField(T::StaticClass(), std::move(fi));
    last_ = nullptr;
    return *this;
  }

  // Modifiers of the property declared last.
  Published& Default(int64_t value) {
    Last("Default").Default = value;
    return *this;
  }
  Published& NoDefault() {
    Last("NoDefault").Default.reset();
    return *this;
  }
  Published& Stored(bool stored) {
    TPropInfo& p = Last("Stored");
    p.Stored = stored;
    p.StoredProc = nullptr;
    return *this;
  }
  // A stored-test: a member function (bool () const) or a callable taking T&.
  template <class F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, bool>)
  Published& Stored(F test) {
    TPropInfo& p = Last("Stored");
    p.StoredProc = StoredTest(&IsStored<F>, test);
    return *this;
  }
  // Replaces the type info by another of the same kind (a named integer type, an alias).
  Published& Type(PTypeInfo type) {
    TPropInfo& p = Last("Type");
    if (!type || type->Kind != p.Kind())
      typinfo_detail::DeclarationError(T::StaticClass()->Name, p.Name, "type of another kind");
    p.PropType = type;
    return *this;
  }

private:
  template <class V, class G, class S>
  Published& Ordinal(std::string_view name, PTypeInfo type, G get, S set, std::optional<int64_t> def) {
    TPropInfo p = Base(name, type);
    p.Default = def;
    p.GetOrd = OrdGetter(&GetOrdinal<G>, get);
    if constexpr (!std::is_null_pointer_v<S>) p.SetOrd = OrdSetter(&SetOrdinal<V, S>, set);
    return Add(std::move(p));
  }

  using OrdGetter = typinfo_detail::TAccessor<int64_t(TObject&)>;
  using OrdSetter = typinfo_detail::TAccessor<void(TObject&, int64_t)>;
  using StrGetter = typinfo_detail::TAccessor<std::string(TObject&)>;
  using StrSetter = typinfo_detail::TAccessor<void(TObject&, const std::string&)>;
  using FloatGetter = typinfo_detail::TAccessor<long double(TObject&)>;
  using FloatSetter = typinfo_detail::TAccessor<void(TObject&, long double)>;
  using ObjGetter = typinfo_detail::TAccessor<TObject*(TObject&)>;
  using ObjSetter = typinfo_detail::TAccessor<void(TObject&, TObject*)>;
  using StoredTest = typinfo_detail::TAccessor<bool(TObject&)>;
  using EventGetter = typinfo_detail::TAccessor<TMethod(TObject&)>;
  using EventSetter = typinfo_detail::TAccessor<void(TObject&, std::any&&)>;

  // The call functions of the accessors; fn is the declared getter or setter.
  template <class G>
  static int64_t GetOrdinal(const void* fn, TObject& o) {
    return static_cast<int64_t>(typinfo_detail::Fetch(static_cast<T&>(o), OrdGetter::template Held<G>(fn)));
  }
  template <class V, class S>
  static void SetOrdinal(const void* fn, TObject& o, int64_t v) {
    typinfo_detail::Assign(static_cast<T&>(o), OrdSetter::template Held<S>(fn), static_cast<V>(v));
  }
  template <class V, class G>
  static int64_t GetSet(const void* fn, TObject& o) {
    return static_cast<int64_t>(
        typinfo_detail::SetBits<V>(typinfo_detail::Fetch(static_cast<T&>(o), OrdGetter::template Held<G>(fn))));
  }
  template <class V, class S>
  static void SetSet(const void* fn, TObject& o, int64_t v) {
    typinfo_detail::Assign(static_cast<T&>(o), OrdSetter::template Held<S>(fn),
                           typinfo_detail::SetFromBits<V>(static_cast<uint64_t>(v)));
  }
  template <class G>
  static long double GetFloatValue(const void* fn, TObject& o) {
    return static_cast<long double>(typinfo_detail::Fetch(static_cast<T&>(o), FloatGetter::template Held<G>(fn)));
  }
  template <class V, class S>
  static void SetFloatValue(const void* fn, TObject& o, long double v) {
    typinfo_detail::Assign(static_cast<T&>(o), FloatSetter::template Held<S>(fn), static_cast<V>(v));
  }
  template <class G>
  static std::string GetStrValue(const void* fn, TObject& o) {
    return std::string(typinfo_detail::Fetch(static_cast<T&>(o), StrGetter::template Held<G>(fn)));
  }
  template <class S>
  static void SetStrValue(const void* fn, TObject& o, const std::string& v) {
    typinfo_detail::Assign(static_cast<T&>(o), StrSetter::template Held<S>(fn), v);
  }
  template <class C, class G>
  static TObject* GetObjValue(const void* fn, TObject& o) {
    return const_cast<C*>(typinfo_detail::Fetch(static_cast<T&>(o), ObjGetter::template Held<G>(fn)));
  }
  template <class C, class S>
  static void SetObjValue(const void* fn, TObject& o, TObject* v) {
    typinfo_detail::Assign(static_cast<T&>(o), ObjSetter::template Held<S>(fn), static_cast<C*>(v));
  }
  template <class C, class Sig>
  static TMethod GetEvent(const void* fn, TObject& o) {
    const std::function<Sig>& f = static_cast<T&>(o).*EventGetter::template Held<std::function<Sig> C::*>(fn);
    if (const auto* b = f.template target<typinfo_detail::TMethodBinding<Sig>>()) return TMethod{b->Data, b->Name};
    return {};
  }
  template <class C, class Sig>
  static void SetEvent(const void* fn, TObject& o, std::any&& handler) {
    std::function<Sig>& f = static_cast<T&>(o).*EventSetter::template Held<std::function<Sig> C::*>(fn);
    if (handler.has_value())
      f = std::any_cast<std::function<Sig>>(std::move(handler));
    else
      f = nullptr;
  }
  template <class F>
  static bool IsStored(const void* fn, TObject& o) {
    return static_cast<bool>(typinfo_detail::Fetch(static_cast<T&>(o), StoredTest::template Held<F>(fn)));
  }
  static TPropInfo Base(std::string_view name, PTypeInfo type) {
    TPropInfo p;
    p.Name = std::string(name);
    p.PropType = type;
    p.Declarer = T::StaticClass();
    return p;
  }
  static PTypeInfo ClassTypeInfo(TClass cls);
  static PTypeInfo MethodTypeInfo(const std::string& name, const std::type_info& sig);
  Published& Add(TPropInfo p) {
    last_ = typinfo_detail::AddProperty(T::StaticClass(), std::move(p));
    return *this;
  }
  TPropInfo& Last(std::string_view what) {
    if (!last_) typinfo_detail::DeclarationError(T::StaticClass()->Name, what, "no property declared before it");
    return *last_;
  }

  TPropInfo* last_ = nullptr;
};

namespace typinfo_detail {
PTypeInfo ClassType(TClass cls);
PTypeInfo MethodType(const std::string& name, const std::type_info& sig);
}  // namespace typinfo_detail

template <class T>
PTypeInfo Published<T>::ClassTypeInfo(TClass cls) {
  return typinfo_detail::ClassType(cls);
}
template <class T>
PTypeInfo Published<T>::MethodTypeInfo(const std::string& name, const std::type_info& sig) {
  return typinfo_detail::MethodType(name, sig);
}

template <class V>
PTypeInfo TypeInfoOf() {
  if constexpr (std::is_enum_v<V>) {
    return typinfo_detail::FindEnumType(typeid(V));
  } else {
    return typinfo_detail::BuiltinType(typeid(V));
  }
}

template <class E>
  requires std::is_enum_v<E>
PTypeInfo DefineEnumType(std::string_view name, std::initializer_list<std::string_view> names) {
  return typinfo_detail::RegisterEnumType(typeid(E), name, names);
}
