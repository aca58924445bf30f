// Component streaming: TReader builds components from a form description and
// TWriter writes components as one. The description is the readable text
// format of filertext.h:
//
//   object Form1: TForm1                  a root (or "inherited", for a form
//     Caption = 'Hello'                   whose ancestor's description was read
//     Items.Strings = (                   first); properties in stream order,
//       'a'                               then the children
//       'b')
//     Font.Style = [fsBold]               sub-object property by path
//     Coll = <                            collection items
//       item
//         Name = 'x'
//       end>
//     Data = {0A0B0C}                     binary property (DefineBinaryProperty)
//     PopupMenu = Menu1                   component reference, resolved at the end
//     OnClick = Button1Click              published method of the root
//     object Button1: TButton             child: owner = the root, parent = the
//       Left = 8                          enclosing component
//     end
//   end
//
// Loading sets csLoading and csReading on every component it reads, assigns
// properties through their setters in stream order, clears csReading when a
// component's data is read, resolves component references once the whole
// description is read, and then calls Loaded on every component in creation
// order (Loaded clears csLoading). Any failure frees every component the read
// created and raises with the line and the property; a reference to a missing
// component fails after the read, naming it.
//
// Writing emits the stored published properties whose values differ from their
// defaults (or, with an ancestor, from the ancestor's values), in declaration
// order, then what DefineProperties adds, then the children from GetChildren.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/collection.h"
#include "platform/classes/component.h"
#include "platform/classes/filertext.h"
#include "platform/classes/streams.h"
#include "platform/classes/typinfo.h"

// What the next value of a description is, in the framework's terms.
enum TValueType : uint8_t {
  vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue, vaBinary,
  vaSet, vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString, vaInt64, vaUTF8String,
  vaDouble
};

using TReaderProc = std::function<void(TReader& reader)>;
using TWriterProc = std::function<void(TWriter& writer)>;
using TStreamProc = std::function<void(TStream& stream)>;

class TFiler : public TObject {
  DX_CLASS(TFiler, TObject)
public:
  explicit TFiler(TStream& stream) : stream_(stream) {}

  // Called from DefineProperties. The reader calls readData when name is the
  // property being read; the writer calls writeData when hasData is true.
  // readData reads exactly one value (a list counts as one); writeData writes one.
  virtual void DefineProperty(const std::string& name, const TReaderProc& readData, const TWriterProc& writeData,
                              bool hasData) = 0;
  // The reader hands readData a stream holding exactly the property's bytes, at
  // position 0; writeData writes the bytes to the stream it is given.
  virtual void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                    const TStreamProc& writeData, bool hasData) = 0;

  TStream& Stream() { return stream_; }
  TComponent* Root() const { return root_; }
  // The component whose owned components references are named against.
  TComponent* LookupRoot() const { return lookupRoot_; }
  // While writing a descendant: the ancestor's counterpart of the object being
  // written, against which HasData is decided; null otherwise (and while reading).
  TPersistent* Ancestor() const { return ancestor_; }
  bool IgnoreChildren() const { return ignoreChildren_; }
  void SetIgnoreChildren(bool v) { ignoreChildren_ = v; }

protected:
  TStream& stream_;
  TComponent* root_ = nullptr;
  TComponent* lookupRoot_ = nullptr;
  TPersistent* ancestor_ = nullptr;
  bool ignoreChildren_ = false;
};

struct TReaderSession;

class TReader : public TFiler {
  DX_CLASS(TReader, TFiler)
public:
  // Reads the description from the stream's position to its end.
  explicit TReader(TStream& stream);
  ~TReader() override;

  // Reads one component with its children. A null root is made from the class
  // the header names (registered with RegisterClass); else the description is
  // read into root. Leaves the stream just past the component's final "end".
  TComponent* ReadRootComponent(TComponent* root);
  // Whether only blanks follow the component just read.
  bool AtEnd();

  // The properties and children of instance, through its final "end". Reached
  // through TComponent::ReadState.
  void ReadData(TComponent* instance);
  // One "Name = value" line into instance (a path such as Font.Style included).
  void ReadProperty(TPersistent* instance);
  // "< item ... end ... >" into collection, which is cleared first. The '<' may
  // already have been taken by ReadValue.
  void ReadCollection(TCollection* collection);

  // Values, for DefineProperty readers. Each raises EReadError when the next
  // value is of another kind.
  TValueType NextValue();
  // Takes the opening '(' or '<' of a list or a collection and says which it
  // was; for any other value it only says what comes (like NextValue).
  TValueType ReadValue();
  // True at the end of a list, of a collection or of a collection item.
  bool EndOfList();
  // '(' or the start of a collection item ("item", with an optional [n]).
  void ReadListBegin();
  // ')', '>' or a collection item's "end".
  void ReadListEnd();
  int32_t ReadInteger();
  int64_t ReadInt64();
  bool ReadBoolean();
  char32_t ReadChar();
  long double ReadFloat();
  double ReadDouble() { return static_cast<double>(ReadFloat()); }
  float ReadSingle() { return static_cast<float>(ReadFloat()); }
  double ReadDate() { return ReadDouble(); }
  std::string ReadIdent();
  std::string ReadString();
  std::string ReadWideString() { return ReadString(); }
  int64_t ReadSet(PTypeInfo setType);
  std::vector<uint8_t> ReadBinary();
  void SkipValue();

  // Where the reader is: the line of the next token.
  int32_t Line() const;
  // The owner and the parent of the children being read.
  TComponent* Owner() const { return owner_; }
  TComponent* Parent() const { return parent_; }

  void DefineProperty(const std::string& name, const TReaderProc& readData, const TWriterProc& writeData,
                      bool hasData) override;
  void DefineBinaryProperty(const std::string& name, const TStreamProc& readData, const TStreamProc& writeData,
                            bool hasData) override;

private:
  friend TComponent* ReadInheritedComponent(std::span<const std::string_view> descriptions, TComponent* root);
  TReader(TStream& stream, TReaderSession* session);
  TParser& P();
  void ReadRootBody(TComponent* root);
  void ReadChild();
  void ReadPropValue(TObject* instance, PPropInfo prop);
  void ReadHeader(bool& inherited, std::string& name, std::string& className);
  bool AtObjectKeyword();
  void DefineBuiltinProperties(TPersistent* instance);
  std::string Context(const std::string& propPath) const;
  [[noreturn]] void PropertyError(const std::string& message);
  void Decorate(Exception& e, const std::string& what, int32_t line);

  std::string text_;
  int64_t streamStart_ = 0;
  std::unique_ptr<TParser> parser_;
  std::unique_ptr<TReaderSession> ownSession_;
  TReaderSession* session_ = nullptr;
  TComponent* owner_ = nullptr;
  TComponent* parent_ = nullptr;
  size_t endPos_ = 0;
  // The property that DefineProperties is being asked for, and whether it was found.
  std::string propName_;
  bool propFound_ = false;
  bool collectionOpened_ = false;
  // The property whose collection is read next, and the property being read
  // with its line, for messages.
  std::string collectionName_;
  std::string propPath_;
  int32_t propLine_ = 0;
  // The innermost error is reported once, with its line and property.
  bool decorated_ = false;
  // Which component ReadData finished last: tells whether a ReadState override
  // reached the base.
  TComponent* lastDataInstance_ = nullptr;
  // Names of the objects being read, outermost first, for messages.
  std::vector<std::string> context_;
};

class TWriter : public TFiler {
  DX_CLASS(TWriter, TFiler)
public:
  // The text goes to the stream at the end of each top-level write and at
  // FlushBuffer; the destructor does not write.
  explicit TWriter(TStream& stream);

  void WriteRootComponent(TComponent* root);
  // Writes root as a descendant of ancestor (same class tree): only what differs
  // from the ancestor; children the ancestor has are written as "inherited".
  void WriteDescendent(TComponent* root, TComponent* ancestor);
  // A child, with its header and "end". Reached through GetChildren.
  void WriteComponent(TComponent* component);
  // The properties and children of instance. Reached through TComponent::WriteState.
  void WriteData(TComponent* instance);
  void WriteProperties(TPersistent* instance);
  void WriteCollection(TCollection* collection);

  // Values, for DefineProperty writers.
  void WriteListBegin();
  void WriteListEnd();
  void WriteInteger(int64_t value);
  void WriteUInt64(uint64_t value);
  void WriteBoolean(bool value);
  void WriteChar(char32_t value);
  void WriteFloat(long double value);
  void WriteDouble(double value);
  void WriteSingle(float value);
  void WriteDate(double value) { WriteDouble(value); }
  void WriteIdent(std::string_view ident);
  void WriteString(std::string_view value);
  void WriteWideString(std::string_view value) { WriteString(value); }
  void WriteSet(PTypeInfo setType, int64_t value);
  void WriteBinary(const void* data, size_t size);

  void FlushBuffer();

  void DefineProperty(const std::string& name, const TReaderProc& readData, const TWriterProc& writeData,
                      bool hasData) override;
  void DefineBinaryProperty(const std::string& name, const TStreamProc& readData, const TStreamProc& writeData,
                            bool hasData) override;

private:
  void WriteProperty(TPersistent* instance, PPropInfo prop);
  void BeginProperty(const std::string& name);
  void EndProperty(size_t lineStart);
  void BeginValue(bool ownLine);
  std::string ReferenceName(TComponent* component) const;
  bool SameCollection(TCollection* a, TCollection* b);

  std::string buf_;
  int indent_ = 0;
  int valueIndent_ = 0;
  int listDepth_ = 0;
  std::vector<int> savedIndents_;
  std::string propPath_;
  TComponent* rootAncestor_ = nullptr;
  size_t valueStart_ = 0;
  TComponent* lastDataInstance_ = nullptr;
  // Names already written for the object at hand, so that a property defined
  // twice is written once.
  std::vector<std::string> written_;
};

// Reads several descriptions into one root, ancestor's first (an inherited form):
// references are resolved and Loaded runs once, after the last. A null root is
// made from the first header's class.
TComponent* ReadInheritedComponent(std::span<const std::string_view> descriptions, TComponent* root);

// One description from a stream or a text. The text form requires that nothing
// but blanks follows the component.
TComponent* ReadComponent(TStream& stream, TComponent* instance);
TComponent* ReadComponentText(std::string_view text, TComponent* instance = nullptr);
void WriteComponent(TStream& stream, TComponent* instance);
void WriteDescendent(TStream& stream, TComponent* instance, TComponent* ancestor);
std::string WriteComponentText(TComponent* instance, TComponent* ancestor = nullptr);

// Converts a component image in the framework's binary streaming format (the
// "TPF0" form other tools store, in translation files for one) from the input's
// position into a description appended to output. Raises EReadError for a
// malformed or truncated image; leaves input just past the component.
void ObjectBinaryToText(TStream& input, TStream& output);

// Finds components that references name by a root name ("Form2.Button1"), or
// roots referenced by name; the window layer registers one over its forms.
using TFindGlobalComponent = TComponent* (*)(std::string_view name);
void RegisterFindGlobalComponentProc(TFindGlobalComponent proc);
void UnregisterFindGlobalComponentProc(TFindGlobalComponent proc);
TComponent* FindGlobalComponent(std::string_view name);
