#include "platform/classes/filer.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "platform/classes/resstrings.h"
#include "platform/classes/strings.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"

using typinfo_detail::SameName;

// ---------------------------------------------------------------------------
// One load: what it made, what it will call Loaded on, and the references that
// wait for the whole description (or, for an inherited form, all of its levels).

struct TReaderSession {
  struct Fixup {
    TObject* instance;
    PPropInfo prop;
    std::string reference;
    std::string context;
    int32_t line;
  };

  TComponent* root = nullptr;
  std::vector<TComponent*> created;  // creation order; the root first when the read made it
  std::vector<TComponent*> loaded;   // creation order, each once
  std::vector<Fixup> fixups;
  // Published fields the read filled, to be cleared when it fails.
  std::vector<std::pair<TComponent*, PFieldInfo>> fields;

  void AddLoaded(TComponent* c) {
    if (std::find(loaded.begin(), loaded.end(), c) == loaded.end()) loaded.push_back(c);
  }

  TComponent* Resolve(const std::string& reference) const {
    size_t dot = reference.find('.');
    if (dot == std::string::npos) {
      if (SameName(reference, root->Name())) return root;
      if (TComponent* c = root->FindComponent(reference)) return c;
      return FindGlobalComponent(reference);
    }
    std::string base = reference.substr(0, dot);
    std::string rest = reference.substr(dot + 1);
    TComponent* owner = SameName(base, root->Name()) ? root : FindGlobalComponent(base);
    return owner ? owner->FindComponent(rest) : nullptr;
  }

  void Finish() {
    for (const Fixup& f : fixups) {
      TComponent* target = Resolve(f.reference);
      if (!target)
        throw EReadError(Format(LoadResString(SPropertyException), f.context, f.line,
                                Format(LoadResString(SUnresolvedReference), f.reference)));
      try {
        SetObjectProp(f.instance, f.prop, target);
      } catch (Exception& e) {
        e.SetMessage(Format(LoadResString(SPropertyException), f.context, f.line, e.Message()));
        throw;
      }
    }
    fixups.clear();
    for (TComponent* c : loaded) c->SetReading(false);
    std::vector<TComponent*> order = loaded;
    for (TComponent* c : order) {
      c->Loaded();
      c->SetLoading(false);  // in case an override did not reach the base
    }
    created.clear();
    loaded.clear();
    fields.clear();
  }

  // Undoes a failed load: frees what it made (last first, so owned components go
  // before their owners) and takes the loading state off what survives.
  void Abandon() noexcept {
    fixups.clear();
    for (auto& [owner, field] : fields)
      if (std::find(created.begin(), created.end(), owner) == created.end()) field->Set(*owner, nullptr);
    fields.clear();
    for (TComponent* c : loaded)
      if (std::find(created.begin(), created.end(), c) == created.end()) {
        c->SetReading(false);
        c->SetLoading(false);
      }
    for (auto it = created.rbegin(); it != created.rend(); ++it) delete *it;
    created.clear();
    loaded.clear();
    root = nullptr;
  }
};

namespace {

void InstallStateHooks() {
  static std::once_flag once;
  std::call_once(once, [] {
    ComponentReadStateHook = [](TComponent* c, TReader* r) { r->ReadData(c); };
    ComponentWriteStateHook = [](TComponent* c, TWriter* w) { w->WriteData(c); };
  });
}

bool SameStrings(TStrings* a, TStrings* b) {
  if (a->Count() != b->Count()) return false;
  for (int32_t i = 0; i < a->Count(); ++i)
    if (a->Strings(i) != b->Strings(i)) return false;
  return true;
}

// TStrings keeps its lines in the unpublished property "Strings".
void DefineStringsProperty(TFiler* filer, TStrings* strings) {
  bool hasData;
  if (auto* anc = dynamic_cast<TStrings*>(filer->Ancestor()))
    hasData = !SameStrings(strings, anc);
  else
    hasData = strings->Count() > 0;
  filer->DefineProperty(
      "Strings",
      [strings](TReader& r) {
        r.ReadListBegin();
        strings->BeginUpdate();
        struct End {
          TStrings* s;
          ~End() { s->EndUpdate(); }
        } end{strings};
        strings->Clear();
        while (!r.EndOfList()) strings->Add(r.ReadString());
        r.ReadListEnd();
      },
      [strings](TWriter& w) {
        w.WriteListBegin();
        for (int32_t i = 0; i < strings->Count(); ++i) w.WriteString(strings->Strings(i));
        w.WriteListEnd();
      },
      hasData);
}

void DefineBuiltins(TFiler* filer, TPersistent* instance) {
  if (auto* s = dynamic_cast<TStrings*>(instance)) DefineStringsProperty(filer, s);
}

// A character property's value: one byte for tkChar, one code point for tkWChar.
bool DecodeOneChar(const std::string& s, TTypeKind kind, int64_t& value) {
  if (kind == tkChar) {
    if (s.size() != 1) return false;
    value = static_cast<unsigned char>(s[0]);
    return true;
  }
  std::u32string cps = Utf8ToUtf32(s);
  if (cps.size() != 1) return false;
  value = static_cast<int64_t>(cps[0]);
  return true;
}

struct FindGlobalRegistry {
  std::mutex lock;
  std::vector<TFindGlobalComponent> procs;
};
FindGlobalRegistry& GlobalProcs() {
  static FindGlobalRegistry r;
  return r;
}

}  // namespace

// ---------------------------------------------------------------------------
// TReader

TReader::TReader(TStream& stream) : TReader(stream, nullptr) {}

TReader::TReader(TStream& stream, TReaderSession* session) : TFiler(stream) {
  InstallStateHooks();
  if (session) {
    session_ = session;
  } else {
    ownSession_ = std::make_unique<TReaderSession>();
    session_ = ownSession_.get();
  }
  streamStart_ = stream.Position();
  int64_t size = stream.Size() - streamStart_;
  if (size > 0) {
    text_.resize(static_cast<size_t>(size));
    stream.ReadBuffer(text_.data(), size);
  }
  if (text_.size() >= 3 && text_.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    text_.erase(0, 3);
    streamStart_ += 3;
  }
}

TReader::~TReader() = default;

TParser& TReader::P() {
  if (!parser_) parser_ = std::make_unique<TParser>(text_);
  return *parser_;
}

int32_t TReader::Line() const { return parser_ ? parser_->SourceLine() : 1; }

bool TReader::AtEnd() { return P().Token() == TParser::toEOF; }

std::string TReader::Context(const std::string& propPath) const {
  std::string s;
  for (const std::string& c : context_) {
    if (!s.empty()) s += '.';
    s += c;
  }
  if (!propPath.empty()) {
    if (!s.empty()) s += '.';
    s += propPath;
  }
  return s;
}

void TReader::Decorate(Exception& e, const std::string& what, int32_t line) {
  if (decorated_) return;
  decorated_ = true;
  std::string msg = e.Message();
  if (dynamic_cast<EParserError*>(&e) && parser_ && !parser_->ErrorText().empty()) {
    msg = parser_->ErrorText();
    line = parser_->ErrorLine();
  }
  e.SetMessage(Format(LoadResString(SPropertyException), what, line, msg));
}

void TReader::PropertyError(const std::string& message) { throw EReadError(message); }

bool TReader::AtObjectKeyword() {
  TParser& p = P();
  return p.TokenSymbolIs("object") || p.TokenSymbolIs("inherited") || p.TokenSymbolIs("inline");
}

void TReader::ReadHeader(bool& inherited, std::string& name, std::string& className) {
  TParser& p = P();
  if (p.TokenSymbolIs("inline")) p.Error("Inline components are not supported");
  inherited = p.TokenSymbolIs("inherited");
  if (!inherited && !p.TokenSymbolIs("object")) p.Error("'object' expected");
  p.NextToken();
  p.CheckToken(TParser::toSymbol);
  std::string first = p.TokenString();
  p.NextToken();
  if (p.Token() == ':') {
    p.NextToken();
    p.CheckToken(TParser::toSymbol);
    name = first;
    className = p.TokenString();
    p.NextToken();
  } else {
    name.clear();
    className = first;
  }
  if (p.Token() == '[') {  // the child position some writers add; order is stream order here
    p.NextToken();
    p.TokenInt();
    p.NextToken();
    p.CheckToken(']');
    p.NextToken();
  }
}

TComponent* TReader::ReadRootComponent(TComponent* root) {
  if (ownSession_) *ownSession_ = TReaderSession{};
  decorated_ = false;
  try {
    ReadRootBody(root);
    session_->Finish();
  } catch (...) {
    session_->Abandon();
    throw;
  }
  stream_.SetPosition(streamStart_ + static_cast<int64_t>(endPos_));
  return root_;
}

void TReader::ReadRootBody(TComponent* root) {
  TParser& p = P();
  int32_t line = p.SourceLine();
  bool inherited = false;
  std::string name, className;
  ReadHeader(inherited, name, className);
  context_.assign(1, name.empty() ? className : name);
  try {
    if (!root) {
      TClass cls = GetClass(className);
      if (!cls) throw EReadError(Format(LoadResString(SClassNotFound), className));
      if (!cls->Create) throw EReadError("Class " + className + " cannot be created by name");
      std::unique_ptr<TObject> made(cls->Create(nullptr));
      root = dynamic_cast<TComponent*>(made.get());
      if (!root) throw EReadError("Class " + className + " is not a component");
      session_->created.push_back(root);
      made.release();  // the session frees it from here on
    }
    session_->root = root;
    root_ = lookupRoot_ = owner_ = root;
    parent_ = nullptr;
    root->SetLoading(true);
    root->SetReading(true);
    session_->AddLoaded(root);
    if (!name.empty() && root->Name() != name) root->SetName(name);
  } catch (Exception& e) {
    Decorate(e, Context(""), line);
    throw;
  }
  lastDataInstance_ = nullptr;
  root->ReadState(this);
  if (lastDataInstance_ != root) ReadData(root);
  root->SetReading(false);
}

void TReader::ReadData(TComponent* instance) {
  TParser& p = P();
  while (!p.TokenSymbolIs("end") && !AtObjectKeyword()) {
    if (p.Token() != TParser::toSymbol) p.Error("'end' expected");
    ReadProperty(instance);
  }
  TComponent* oldOwner = owner_;
  TComponent* oldParent = parent_;
  parent_ = instance->GetChildParent();
  owner_ = instance->GetChildOwner();
  if (!owner_) owner_ = root_;
  while (AtObjectKeyword()) ReadChild();
  owner_ = oldOwner;
  parent_ = oldParent;
  p.CheckTokenSymbol("end");
  endPos_ = p.SourcePos();
  p.NextToken();
  lastDataInstance_ = instance;
}

void TReader::ReadChild() {
  TParser& p = P();
  int32_t line = p.SourceLine();
  bool inherited = false;
  std::string name, className;
  ReadHeader(inherited, name, className);
  context_.push_back(name.empty() ? className : name);
  TComponent* comp = nullptr;
  try {
    if (inherited) {
      comp = owner_ ? owner_->FindComponent(name) : nullptr;
      if (!comp) throw EReadError(Format(LoadResString(SAncestorNotFound), name));
    } else {
      TClass cls = GetClass(className);
      if (!cls) throw EReadError(Format(LoadResString(SClassNotFound), className));
      if (!cls->Create) throw EReadError("Class " + className + " cannot be created by name");
      std::unique_ptr<TObject> made(cls->Create(owner_));
      comp = dynamic_cast<TComponent*>(made.get());
      if (!comp) throw EReadError("Class " + className + " is not a component");
      session_->created.push_back(comp);
      made.release();  // the session frees it from here on
      comp->SetLoading(true);
      comp->SetReading(true);
      if (!name.empty()) {
        comp->SetName(name);
        if (PFieldInfo f = FindPublishedField(owner_->ClassType(), name))
          if (comp->InheritsFrom(f->FieldClass)) {
            f->Set(*owner_, comp);
            session_->fields.emplace_back(owner_, f);
          }
      }
      if (parent_) comp->SetParentComponent(parent_);
    }
    comp->SetLoading(true);
    comp->SetReading(true);
    session_->AddLoaded(comp);
  } catch (Exception& e) {
    Decorate(e, Context(""), line);
    throw;
  }
  comp->ReadState(this);
  if (lastDataInstance_ != comp) ReadData(comp);
  comp->SetReading(false);
  context_.pop_back();
}

void TReader::ReadProperty(TPersistent* instance) {
  TParser& p = P();
  int32_t line = p.SourceLine();
  p.CheckToken(TParser::toSymbol);
  std::vector<std::string> path{p.TokenString()};
  p.NextToken();
  while (p.Token() == '.') {
    p.NextToken();
    p.CheckToken(TParser::toSymbol);
    path.push_back(p.TokenString());
    p.NextToken();
  }
  std::string fullPath;
  for (const std::string& s : path) fullPath += (fullPath.empty() ? "" : ".") + s;
  propPath_ = fullPath;
  propLine_ = line;
  try {
    p.CheckToken('=');
    p.NextToken();
    TObject* obj = instance;
    for (size_t i = 0; i + 1 < path.size(); ++i) {
      PPropInfo sub = GetPropInfo(obj, path[i]);
      if (!sub) PropertyError(Format(LoadResString(SUnknownProperty), path[i]));
      if (sub->Kind() != tkClass) PropertyError(LoadResString(SInvalidPropertyPath));
      obj = GetObjectProp(obj, sub);
      if (!obj) PropertyError(LoadResString(SInvalidPropertyPath));
    }
    const std::string& last = path.back();
    if (PPropInfo prop = GetPropInfo(obj, last)) {
      collectionName_ = last;
      ReadPropValue(obj, prop);
      return;
    }
    auto* persistent = dynamic_cast<TPersistent*>(obj);
    if (persistent) {
      std::string savedName = std::move(propName_);
      bool savedFound = propFound_;
      propName_ = last;
      propFound_ = false;
      persistent->DefineProperties(this);
      if (!propFound_) DefineBuiltinProperties(persistent);
      bool found = propFound_;
      propName_ = std::move(savedName);
      propFound_ = savedFound;
      if (found) return;
    }
    PropertyError(Format(LoadResString(SUnknownProperty), last));
  } catch (Exception& e) {
    Decorate(e, Context(fullPath), line);
    throw;
  }
}

void TReader::DefineBuiltinProperties(TPersistent* instance) { DefineBuiltins(this, instance); }

void TReader::DefineProperty(const std::string& name, const TReaderProc& readData, const TWriterProc&, bool) {
  if (propFound_ || !readData || !SameName(name, propName_)) return;
  propFound_ = true;
  readData(*this);
}

void TReader::DefineBinaryProperty(const std::string& name, const TStreamProc& readData, const TStreamProc&, bool) {
  if (propFound_ || !readData || !SameName(name, propName_)) return;
  propFound_ = true;
  std::vector<uint8_t> bytes = ReadBinary();
  TMemoryStream ms;
  if (!bytes.empty()) ms.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  ms.SetPosition(0);
  readData(ms);
}

void TReader::ReadPropValue(TObject* instance, PPropInfo prop) {
  TParser& p = P();
  PTypeInfo type = prop->PropType;
  auto invalid = [&]() { PropertyError(LoadResString(SInvalidPropertyValue)); };
  auto requireSetter = [&](bool has) {
    if (!has) PropertyError("Property " + prop->Name + " is read-only");
  };
  switch (prop->Kind()) {
    case tkInteger: {
      requireSetter(bool(prop->SetOrd));
      int64_t v = 0;
      if (p.Token() == TParser::toInteger) {
        v = p.TokenInt();
        if (v < type->MinValue || v > type->MaxValue) invalid();
        p.NextToken();
      } else if (p.Token() == TParser::toSymbol && type->IdentToInt) {
        if (!type->IdentToInt(p.TokenString(), v)) invalid();
        p.NextToken();
      } else {
        invalid();
      }
      SetOrdProp(instance, prop, v);
      break;
    }
    case tkInt64: {
      requireSetter(bool(prop->SetOrd));
      if (p.Token() != TParser::toInteger) invalid();
      int64_t v = type->OrdType == otUQWord ? static_cast<int64_t>(p.TokenUInt64()) : p.TokenInt();
      p.NextToken();
      SetOrdProp(instance, prop, v);
      break;
    }
    case tkChar:
    case tkWChar: {
      requireSetter(bool(prop->SetOrd));
      int64_t v = 0;
      if (p.Token() == TParser::toInteger) {
        v = p.TokenInt();
        p.NextToken();
      } else if (p.Token() == TParser::toString) {
        if (!DecodeOneChar(ReadString(), prop->Kind(), v)) invalid();
      } else {
        invalid();
      }
      if (v < type->MinValue || v > type->MaxValue) invalid();
      SetOrdProp(instance, prop, v);
      break;
    }
    case tkEnumeration: {
      requireSetter(bool(prop->SetOrd));
      if (p.Token() != TParser::toSymbol) invalid();
      int64_t v = GetEnumValue(type, p.TokenString());
      if (v < 0) invalid();
      p.NextToken();
      SetOrdProp(instance, prop, v);
      break;
    }
    case tkSet:
      requireSetter(bool(prop->SetOrd));
      SetOrdProp(instance, prop, ReadSet(type));
      break;
    case tkFloat:
      requireSetter(bool(prop->SetFloat));
      SetFloatProp(instance, prop, ReadFloat());
      break;
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString:
      requireSetter(bool(prop->SetStr));
      if (p.Token() != TParser::toString) invalid();
      SetStrProp(instance, prop, ReadString());
      break;
    case tkClass: {
      if (p.Token() == '<' || collectionOpened_) {
        auto* coll = dynamic_cast<TCollection*>(GetObjectProp(instance, prop));
        if (!coll) invalid();
        ReadCollection(coll);
      } else if (p.TokenSymbolIs("nil")) {
        requireSetter(bool(prop->SetObj));
        p.NextToken();
        SetObjectProp(instance, prop, nullptr);
      } else if (p.Token() == TParser::toSymbol) {
        requireSetter(bool(prop->SetObj));
        std::string ref = ReadIdent();
        session_->fixups.push_back({instance, prop, ref, Context(propPath_), propLine_});
      } else {
        invalid();
      }
      break;
    }
    case tkMethod: {
      if (p.Token() != TParser::toSymbol) invalid();
      std::string name = p.TokenString();
      p.NextToken();
      if (SameName(name, "nil")) {
        SetMethodProp(instance, prop, TMethod{});
        break;
      }
      PMethodInfo m = FindPublishedMethod(root_->ClassType(), name);
      if (!m) PropertyError(Format(LoadResString(SMethodNotFound), name));
      SetMethodProp(instance, prop, TMethod{root_, name});
      break;
    }
    default:
      PropertyError("Property " + prop->Name + " has a type that cannot be read");
  }
}

void TReader::ReadCollection(TCollection* collection) {
  TParser& p = P();
  if (collectionOpened_) {
    collectionOpened_ = false;
  } else {
    p.CheckToken('<');
    p.NextToken();
  }
  std::string name = collectionName_.empty() ? std::string("item") : collectionName_;
  collection->BeginUpdate();
  struct End {
    TCollection* c;
    ~End() { c->EndUpdate(); }
  } end{collection};
  collection->Clear();
  for (int32_t index = 0; p.Token() != '>'; ++index) {
    p.CheckTokenSymbol("item");
    p.NextToken();
    if (p.Token() == '[') {
      p.NextToken();
      p.TokenInt();
      p.NextToken();
      p.CheckToken(']');
      p.NextToken();
    }
    TCollectionItem* item = collection->Add();
    context_.push_back(name + "[" + std::to_string(index) + "]");
    while (!p.TokenSymbolIs("end")) {
      if (p.Token() != TParser::toSymbol) p.Error("'end' expected");
      ReadProperty(item);
    }
    p.NextToken();
    context_.pop_back();
  }
  p.NextToken();
}

TValueType TReader::NextValue() {
  TParser& p = P();
  switch (p.Token()) {
    case TParser::toInteger: {
      int64_t v = static_cast<int64_t>(p.TokenUInt64());
      if (v >= INT8_MIN && v <= INT8_MAX) return vaInt8;
      if (v >= INT16_MIN && v <= INT16_MAX) return vaInt16;
      if (v >= INT32_MIN && v <= INT32_MAX) return vaInt32;
      return vaInt64;
    }
    case TParser::toFloat:
      switch (p.FloatType()) {
        case 's': return vaSingle;
        case 'c': return vaCurrency;
        case 'd': return vaDate;
        default: return vaExtended;
      }
    case TParser::toString: return vaString;
    case TParser::toSymbol:
      if (p.TokenSymbolIs("True")) return vaTrue;
      if (p.TokenSymbolIs("False")) return vaFalse;
      if (p.TokenSymbolIs("nil")) return vaNil;
      if (p.TokenSymbolIs("end")) return vaNull;
      if (p.TokenSymbolIs("item")) return vaList;
      if (p.TokenSymbolIs("INF") || p.TokenSymbolIs("NAN")) return vaExtended;
      return vaIdent;
    case '(': return vaList;
    case '<': return vaCollection;
    case '[': return vaSet;
    case '{': return vaBinary;
    case '-': return vaExtended;  // -INF
    default: return vaNull;
  }
}

TValueType TReader::ReadValue() {
  TValueType t = NextValue();
  if (t == vaList) {
    ReadListBegin();
  } else if (t == vaCollection) {
    P().NextToken();
    collectionOpened_ = true;
  }
  return t;
}

bool TReader::EndOfList() {
  TParser& p = P();
  return p.Token() == ')' || p.Token() == '>' || p.TokenSymbolIs("end");
}

void TReader::ReadListBegin() {
  TParser& p = P();
  if (p.Token() == '(') {
    p.NextToken();
  } else if (p.TokenSymbolIs("item")) {
    p.NextToken();
    if (p.Token() == '[') {
      p.NextToken();
      p.TokenInt();
      p.NextToken();
      p.CheckToken(']');
      p.NextToken();
    }
  } else {
    p.Error("'(' expected");
  }
}

void TReader::ReadListEnd() {
  TParser& p = P();
  if (!EndOfList()) p.Error("')' expected");
  p.NextToken();
}

int32_t TReader::ReadInteger() {
  int64_t v = ReadInt64();
  if (v < INT32_MIN || v > INT32_MAX) PropertyError(LoadResString(SInvalidPropertyValue));
  return static_cast<int32_t>(v);
}

int64_t TReader::ReadInt64() {
  TParser& p = P();
  p.CheckToken(TParser::toInteger);
  int64_t v = p.TokenInt();
  p.NextToken();
  return v;
}

bool TReader::ReadBoolean() {
  TParser& p = P();
  bool v;
  if (p.TokenSymbolIs("True"))
    v = true;
  else if (p.TokenSymbolIs("False"))
    v = false;
  else
    p.Error("Boolean value expected");
  p.NextToken();
  return v;
}

char32_t TReader::ReadChar() {
  TParser& p = P();
  p.CheckToken(TParser::toString);
  std::u32string cps = Utf8ToUtf32(ReadString());
  if (cps.size() != 1) PropertyError(LoadResString(SInvalidPropertyValue));
  return cps[0];
}

long double TReader::ReadFloat() {
  TParser& p = P();
  long double v;
  if (p.Token() == '-') {
    p.NextToken();
    p.CheckTokenSymbol("INF");
    v = -HUGE_VALL;
  } else if (p.TokenSymbolIs("INF")) {
    v = HUGE_VALL;
  } else if (p.TokenSymbolIs("NAN")) {
    v = std::nanl("");
  } else {
    v = p.TokenFloat();
  }
  p.NextToken();
  return v;
}

std::string TReader::ReadIdent() {
  TParser& p = P();
  p.CheckToken(TParser::toSymbol);
  std::string s = p.TokenString();
  p.NextToken();
  while (p.Token() == '.') {
    p.NextToken();
    p.CheckToken(TParser::toSymbol);
    s += '.';
    s += p.TokenString();
    p.NextToken();
  }
  return s;
}

std::string TReader::ReadString() {
  TParser& p = P();
  p.CheckToken(TParser::toString);
  std::string s = p.TokenString();
  p.NextToken();
  while (p.Token() == '+') {
    p.NextToken();
    p.CheckToken(TParser::toString);
    s += p.TokenString();
    p.NextToken();
  }
  return s;
}

int64_t TReader::ReadSet(PTypeInfo setType) {
  TParser& p = P();
  p.CheckToken('[');
  p.NextToken();
  uint64_t bits = 0;
  while (p.Token() != ']') {
    p.CheckToken(TParser::toSymbol);
    int64_t v = GetEnumValue(setType ? setType->CompType : nullptr, p.TokenString());
    if (v < 0) PropertyError(LoadResString(SInvalidPropertyValue));
    bits |= uint64_t(1) << v;
    p.NextToken();
    if (p.Token() == ',') {
      p.NextToken();
      p.CheckToken(TParser::toSymbol);
    } else {
      p.CheckToken(']');
    }
  }
  p.NextToken();
  return static_cast<int64_t>(bits);
}

std::vector<uint8_t> TReader::ReadBinary() {
  TParser& p = P();
  std::vector<uint8_t> bytes = p.HexToBinary();
  p.NextToken();
  return bytes;
}

void TReader::SkipValue() {
  TParser& p = P();
  switch (NextValue()) {
    case vaList:
      ReadListBegin();
      while (!EndOfList()) {
        if (p.Token() == TParser::toEOF) p.Error("')' expected");
        // Inside a collection item the entries are properties.
        if (p.Token() == TParser::toSymbol && !p.TokenSymbolIs("item") && NextValue() == vaIdent) {
          ReadIdent();
          if (p.Token() == '=') {
            p.NextToken();
            SkipValue();
          }
          continue;
        }
        SkipValue();
      }
      ReadListEnd();
      break;
    case vaCollection:
      p.NextToken();
      while (p.Token() != '>') {
        if (p.Token() == TParser::toEOF) p.Error("'>' expected");
        ReadListBegin();
        while (!p.TokenSymbolIs("end")) {
          if (p.Token() != TParser::toSymbol) p.Error("'end' expected");
          ReadIdent();
          p.CheckToken('=');
          p.NextToken();
          SkipValue();
        }
        p.NextToken();
      }
      p.NextToken();
      break;
    case vaSet:
      while (p.Token() != ']') {
        if (p.Token() == TParser::toEOF) p.Error("']' expected");
        p.NextToken();
      }
      p.NextToken();
      break;
    case vaBinary: ReadBinary(); break;
    case vaString: ReadString(); break;
    case vaIdent: ReadIdent(); break;
    case vaNull: p.Error("Value expected");
    default:
      if (p.Token() == '-') p.NextToken();
      p.NextToken();
  }
}

// ---------------------------------------------------------------------------
// TWriter

TWriter::TWriter(TStream& stream) : TFiler(stream) { InstallStateHooks(); }

void TWriter::FlushBuffer() {
  if (!buf_.empty()) stream_.WriteBuffer(buf_.data(), static_cast<int64_t>(buf_.size()));
  buf_.clear();
}

void TWriter::WriteRootComponent(TComponent* root) { WriteDescendent(root, nullptr); }

void TWriter::WriteDescendent(TComponent* root, TComponent* ancestor) {
  root_ = lookupRoot_ = root;
  rootAncestor_ = ancestor;
  ancestor_ = ancestor;
  indent_ = 0;
  WriteComponent(root);
  FlushBuffer();
}

void TWriter::WriteComponent(TComponent* component) {
  buf_.append(static_cast<size_t>(indent_), ' ');
  buf_ += ancestor_ ? "inherited " : "object ";
  if (!component->Name().empty()) buf_ += component->Name() + ": ";
  buf_ += component->ClassName();
  buf_ += '\n';
  bool wasWriting = component->Writing();
  component->SetWriting(true);
  struct Restore {
    TComponent* c;
    bool w;
    ~Restore() { c->SetWriting(w); }
  } restore{component, wasWriting};
  indent_ += 2;
  lastDataInstance_ = nullptr;
  component->WriteState(this);
  if (lastDataInstance_ != component) WriteData(component);
  indent_ -= 2;
  buf_.append(static_cast<size_t>(indent_), ' ');
  buf_ += "end\n";
}

void TWriter::WriteData(TComponent* instance) {
  WriteProperties(instance);
  if (!ignoreChildren_) {
    TPersistent* saved = ancestor_;
    instance->GetChildren(
        [&](TComponent* child) {
          ancestor_ = rootAncestor_ && !child->Name().empty() ? rootAncestor_->FindComponent(child->Name()) : nullptr;
          WriteComponent(child);
        },
        root_);
    ancestor_ = saved;
  }
  lastDataInstance_ = instance;
}

void TWriter::WriteProperties(TPersistent* instance) {
  std::vector<std::string> saved = std::move(written_);
  written_.clear();
  for (PPropInfo p : GetPropInfos(instance->ClassType())) WriteProperty(instance, p);
  // The built-in properties belong to the base classes: they come first, as
  // an override's inherited call puts them.
  DefineBuiltins(this, instance);
  instance->DefineProperties(this);
  written_ = std::move(saved);
}

void TWriter::WriteProperty(TPersistent* instance, PPropInfo prop) {
  if (!prop->IsReadable() || !IsStoredProp(instance, prop)) return;
  TPersistent* anc = ancestor_;
  PPropInfo ap = anc ? GetPropInfo(anc, prop->Name) : nullptr;
  if (ap && ap->Kind() != prop->Kind()) ap = nullptr;
  PTypeInfo type = prop->PropType;
  switch (prop->Kind()) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
    case tkInt64: {
      if (!prop->SetOrd) return;
      int64_t v = GetOrdProp(instance, prop);
      if (ap ? v == GetOrdProp(anc, ap) : IsDefaultPropValue(instance, prop)) return;
      size_t line = buf_.size();
      BeginProperty(prop->Name);
      std::string ident;
      switch (prop->Kind()) {
        case tkInteger:
          if (type->IntToIdent && type->IntToIdent(v, ident))
            WriteIdent(ident);
          else
            WriteInteger(v);
          break;
        case tkInt64:
          if (type->OrdType == otUQWord)
            WriteUInt64(static_cast<uint64_t>(v));
          else
            WriteInteger(v);
          break;
        case tkChar:
          BeginValue(false);
          buf_ += QuoteFormString(std::string(1, static_cast<char>(v)));
          break;
        case tkWChar: WriteChar(static_cast<char32_t>(v)); break;
        case tkEnumeration:
          ident = GetEnumName(type, v);
          if (ident.empty()) throw EWriteError("Property " + prop->Name + " holds no valid enumeration value");
          WriteIdent(ident);
          break;
        default: WriteSet(type, v); break;
      }
      EndProperty(line);
      break;
    }
    case tkFloat: {
      if (!prop->SetFloat) return;
      long double v = GetFloatProp(instance, prop);
      if (ap ? v == GetFloatProp(anc, ap) : IsDefaultPropValue(instance, prop)) return;
      size_t line = buf_.size();
      BeginProperty(prop->Name);
      int width = type->FloatType == ftSingle ? int(sizeof(float))
                  : type->FloatType == ftExtended ? int(sizeof(long double))
                                                  : int(sizeof(double));
      BeginValue(false);
      buf_ += FormatFormFloat(v, width);
      EndProperty(line);
      break;
    }
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString: {
      if (!prop->SetStr) return;
      std::string v = GetStrProp(instance, prop);
      if (ap ? v == GetStrProp(anc, ap) : v.empty()) return;
      size_t line = buf_.size();
      BeginProperty(prop->Name);
      WriteString(v);
      EndProperty(line);
      break;
    }
    case tkMethod: {
      TMethod m = GetMethodProp(instance, prop);
      // Only the root's published methods can be named in its description.
      if (!m.Assigned() || m.Data != lookupRoot_) return;
      if (ap && SameName(GetMethodProp(anc, ap).Name, m.Name)) return;
      size_t line = buf_.size();
      BeginProperty(prop->Name);
      WriteIdent(m.Name);
      EndProperty(line);
      break;
    }
    case tkClass: {
      TObject* v = GetObjectProp(instance, prop);
      TObject* av = ap ? GetObjectProp(anc, ap) : nullptr;
      auto* comp = dynamic_cast<TComponent*>(v);
      if (!v || (comp && !comp->HasComponentStyle(csSubComponent))) {
        if (!prop->SetObj) return;
        std::string ref = comp ? ReferenceName(comp) : std::string();
        std::string ancRef;
        if (auto* ac = dynamic_cast<TComponent*>(av)) ancRef = ReferenceName(ac);
        if (!v && !av) return;
        if (v && ref.empty()) return;
        if (av && SameName(ref, ancRef)) return;
        size_t line = buf_.size();
        BeginProperty(prop->Name);
        WriteIdent(v ? ref : std::string("nil"));
        EndProperty(line);
      } else if (auto* coll = dynamic_cast<TCollection*>(v)) {
        auto* ac = dynamic_cast<TCollection*>(av);
        if (ac ? SameCollection(coll, ac) : (!ap && coll->Count() == 0)) return;
        size_t line = buf_.size();
        BeginProperty(prop->Name);
        WriteCollection(coll);
        EndProperty(line);
      } else if (auto* sub = dynamic_cast<TPersistent*>(v)) {
        std::string savedPath = propPath_;
        TPersistent* savedAnc = ancestor_;
        propPath_ += prop->Name + ".";
        ancestor_ = dynamic_cast<TPersistent*>(av);
        WriteProperties(sub);
        propPath_ = std::move(savedPath);
        ancestor_ = savedAnc;
      }
      break;
    }
    default: break;
  }
}

std::string TWriter::ReferenceName(TComponent* c) const {
  if (c == lookupRoot_ || c->Owner() == lookupRoot_) return c->Name();
  TComponent* owner = c->Owner();
  if (owner && !owner->Name().empty() && !c->Name().empty()) return owner->Name() + "." + c->Name();
  return {};
}

bool TWriter::SameCollection(TCollection* a, TCollection* b) {
  if (a->Count() != b->Count()) return false;
  auto render = [this](TCollection* c) {
    TStringStream s;
    TWriter w(s);
    w.root_ = root_;
    w.lookupRoot_ = lookupRoot_;
    w.WriteCollection(c);
    w.FlushBuffer();
    return s.DataString();
  };
  return render(a) == render(b);
}

void TWriter::BeginProperty(const std::string& name) {
  buf_.append(static_cast<size_t>(indent_), ' ');
  buf_ += propPath_;
  buf_ += name;
  buf_ += " =";
  valueIndent_ = indent_ + 2;
  listDepth_ = 0;
  savedIndents_.clear();
  valueStart_ = buf_.size();
}

void TWriter::EndProperty(size_t lineStart) {
  if (buf_.size() == valueStart_)
    buf_.resize(lineStart);  // a definer that wrote nothing leaves no line behind
  else
    buf_ += '\n';
}

void TWriter::BeginValue(bool ownLine) {
  if (listDepth_ > 0 || ownLine) {
    buf_ += '\n';
    buf_.append(static_cast<size_t>(valueIndent_), ' ');
  } else {
    buf_ += ' ';
  }
}

void TWriter::WriteListBegin() {
  BeginValue(false);
  buf_ += '(';
  savedIndents_.push_back(valueIndent_);
  if (listDepth_ > 0) valueIndent_ += 2;
  ++listDepth_;
}

void TWriter::WriteListEnd() {
  if (listDepth_ == 0) throw EWriteError("List end without list");
  buf_ += ')';
  --listDepth_;
  valueIndent_ = savedIndents_.back();
  savedIndents_.pop_back();
}

void TWriter::WriteCollection(TCollection* collection) {
  BeginValue(false);
  buf_ += '<';
  int itemIndent = valueIndent_ + (listDepth_ > 0 ? 2 : 0);
  int savedIndent = indent_, savedValueIndent = valueIndent_, savedDepth = listDepth_;
  std::vector<int> savedIndents = savedIndents_;
  std::string savedPath = propPath_;
  TPersistent* savedAnc = ancestor_;
  size_t savedValueStart = valueStart_;
  for (int32_t i = 0; i < collection->Count(); ++i) {
    buf_ += '\n';
    buf_.append(static_cast<size_t>(itemIndent), ' ');
    buf_ += "item\n";
    indent_ = itemIndent + 2;
    propPath_.clear();
    ancestor_ = nullptr;
    listDepth_ = 0;
    WriteProperties(collection->Items(i));
    buf_.append(static_cast<size_t>(itemIndent), ' ');
    buf_ += "end";
  }
  indent_ = savedIndent;
  valueIndent_ = savedValueIndent;
  listDepth_ = savedDepth;
  savedIndents_ = std::move(savedIndents);
  propPath_ = std::move(savedPath);
  ancestor_ = savedAnc;
  valueStart_ = savedValueStart;
  buf_ += '>';
}

void TWriter::WriteInteger(int64_t value) {
  BeginValue(false);
  buf_ += std::to_string(value);
}

void TWriter::WriteUInt64(uint64_t value) {
  BeginValue(false);
  buf_ += std::to_string(value);
}

void TWriter::WriteBoolean(bool value) { WriteIdent(value ? "True" : "False"); }

void TWriter::WriteChar(char32_t value) {
  BeginValue(false);
  buf_ += QuoteFormString(CodePointToUtf8(value));
}

void TWriter::WriteFloat(long double value) {
  BeginValue(false);
  buf_ += FormatFormFloat(value, int(sizeof(long double)));
}

void TWriter::WriteDouble(double value) {
  BeginValue(false);
  buf_ += FormatFormFloat(value, int(sizeof(double)));
}

void TWriter::WriteSingle(float value) {
  BeginValue(false);
  buf_ += FormatFormFloat(value, int(sizeof(float)));
}

void TWriter::WriteIdent(std::string_view ident) {
  BeginValue(false);
  buf_ += ident;
}

void TWriter::WriteString(std::string_view value) {
  std::vector<std::string> chunks = SplitFormString(value, 64);
  BeginValue(chunks.size() > 1);
  buf_ += chunks[0];
  for (size_t i = 1; i < chunks.size(); ++i) {
    buf_ += " +\n";
    buf_.append(static_cast<size_t>(valueIndent_), ' ');
    buf_ += chunks[i];
  }
}

void TWriter::WriteSet(PTypeInfo setType, int64_t value) {
  BeginValue(false);
  std::string names = SetToString(setType, value, false);
  std::string out = "[";
  for (char c : names) {
    out += c;
    if (c == ',') out += ' ';
  }
  buf_ += out + "]";
}

void TWriter::WriteBinary(const void* data, size_t size) {
  static const char hex[] = "0123456789ABCDEF";
  BeginValue(false);
  buf_ += '{';
  const auto* bytes = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < size; ++i) {
    if (i % 32 == 0) {
      buf_ += '\n';
      buf_.append(static_cast<size_t>(valueIndent_), ' ');
    }
    buf_ += hex[bytes[i] >> 4];
    buf_ += hex[bytes[i] & 15];
  }
  buf_ += '}';
}

void TWriter::DefineProperty(const std::string& name, const TReaderProc&, const TWriterProc& writeData, bool hasData) {
  if (!hasData || !writeData) return;
  if (std::any_of(written_.begin(), written_.end(), [&](const std::string& n) { return SameName(n, name); })) return;
  written_.push_back(name);
  size_t line = buf_.size();
  BeginProperty(name);
  size_t valueStart = valueStart_;
  writeData(*this);
  valueStart_ = valueStart;
  EndProperty(line);
}

void TWriter::DefineBinaryProperty(const std::string& name, const TStreamProc&, const TStreamProc& writeData,
                                   bool hasData) {
  if (!hasData || !writeData) return;
  if (std::any_of(written_.begin(), written_.end(), [&](const std::string& n) { return SameName(n, name); })) return;
  written_.push_back(name);
  TMemoryStream ms;
  writeData(ms);
  size_t line = buf_.size();
  BeginProperty(name);
  WriteBinary(ms.Memory(), static_cast<size_t>(ms.Size()));
  EndProperty(line);
}

// ---------------------------------------------------------------------------

TComponent* ReadInheritedComponent(std::span<const std::string_view> descriptions, TComponent* root) {
  TReaderSession session;
  try {
    for (std::string_view d : descriptions) {
      TStringStream ss{std::string(d)};
      TReader r(ss, &session);
      r.ReadRootBody(root ? root : session.root);
      root = session.root;
      if (!r.AtEnd()) r.P().Error("Text after the end of the description");
    }
    session.Finish();
  } catch (...) {
    session.Abandon();
    throw;
  }
  return root;
}

TComponent* ReadComponent(TStream& stream, TComponent* instance) {
  TReader r(stream);
  return r.ReadRootComponent(instance);
}

TComponent* ReadComponentText(std::string_view text, TComponent* instance) {
  return ReadInheritedComponent(std::span<const std::string_view>(&text, 1), instance);
}

void WriteComponent(TStream& stream, TComponent* instance) {
  TWriter w(stream);
  w.WriteRootComponent(instance);
}

void WriteDescendent(TStream& stream, TComponent* instance, TComponent* ancestor) {
  TWriter w(stream);
  w.WriteDescendent(instance, ancestor);
}

std::string WriteComponentText(TComponent* instance, TComponent* ancestor) {
  TStringStream s;
  TWriter w(s);
  w.WriteDescendent(instance, ancestor);
  return s.DataString();
}

void RegisterFindGlobalComponentProc(TFindGlobalComponent proc) {
  FindGlobalRegistry& r = GlobalProcs();
  std::lock_guard g(r.lock);
  if (std::find(r.procs.begin(), r.procs.end(), proc) == r.procs.end()) r.procs.push_back(proc);
}

void UnregisterFindGlobalComponentProc(TFindGlobalComponent proc) {
  FindGlobalRegistry& r = GlobalProcs();
  std::lock_guard g(r.lock);
  r.procs.erase(std::remove(r.procs.begin(), r.procs.end(), proc), r.procs.end());
}

TComponent* FindGlobalComponent(std::string_view name) {
  std::vector<TFindGlobalComponent> procs;
  {
    FindGlobalRegistry& r = GlobalProcs();
    std::lock_guard g(r.lock);
    procs = r.procs;
  }
  for (auto it = procs.rbegin(); it != procs.rend(); ++it)
    if (TComponent* c = (*it)(name)) return c;
  return nullptr;
}
