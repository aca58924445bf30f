// TObject: the root of the framework's class tree, with class names, an
// inheritance test and a registry of classes by name.
//
// A class takes part by putting DX_CLASS(Self, Parent) in its body; a class
// without it reports its nearest ancestor's class.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TObject;

struct TClassInfo {
  const char* Name;
  const TClassInfo* Parent;
  // Makes an instance for the streaming system (owner may be null); null when the class cannot be made by name.
  TObject* (*Create)(TObject* owner) = nullptr;

  bool InheritsFrom(const TClassInfo* other) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
      if (c == other) return true;
    return false;
  }
};
using TClass = const TClassInfo*;

class TObject {
public:
  virtual ~TObject() = default;

  static TClass StaticClass() {
    static const TClassInfo info{"TObject", nullptr, nullptr};
    return &info;
  }
  virtual TClass ClassType() const { return StaticClass(); }
  std::string ClassName() const { return ClassType()->Name; }
  bool InheritsFrom(TClass c) const { return ClassType()->InheritsFrom(c); }
  template <class T>
  bool Is() const { return InheritsFrom(T::StaticClass()); }
};

#define DX_CLASS_WITH_FACTORY(Self, ParentClass, Factory)                   \
public:                                                                    \
  static TClass StaticClass() {                                            \
    static const TClassInfo info{#Self, ParentClass::StaticClass(), Factory}; \
    return &info;                                                          \
  }                                                                        \
  TClass ClassType() const override { return StaticClass(); }              \
                                                                           \
private:

#define DX_CLASS(Self, ParentClass) DX_CLASS_WITH_FACTORY(Self, ParentClass, nullptr)

// Registry of classes by name, for streaming. Names compare ignoring ASCII case.
void RegisterClass(TClass c);
void UnRegisterClass(TClass c);
TClass GetClass(std::string_view name);   // null when unknown
TClass FindClass(std::string_view name);  // raises EClassNotFound when unknown
std::vector<TClass> RegisteredClasses();
