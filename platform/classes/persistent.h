// TPersistent: objects that can copy themselves from one another (Assign) and
// that the streaming system can store beyond their published properties
// (DefineProperties).
#pragma once

#include <functional>
#include <string>

#include "platform/rtl/object.h"

// The streaming system's filer classes; they live with the reader and writer.
class TFiler;
class TReader;
class TWriter;

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TPersistent : public TObject {
  DX_CLASS(TPersistent, TObject)
public:
  // Copies source into this object. The base asks the source to do it
  // (source->AssignTo(this)); a null source or a pair that neither side knows
  // raises EConvertError "Cannot assign a <source class or nil> to a <dest class>".
  virtual void Assign(TPersistent* source);
  // The reverse hook of Assign: a class that knows how to fill other classes
  // overrides this. The base raises the assignment error.
  virtual void AssignTo(TPersistent* dest);

  // The object that owns this one in the name-path sense (a component's owner,
  // a collection's owner); null at the base.
  virtual TPersistent* GetOwner();
  // Name used by designers and the streaming system: "Owner.Class" at the base.
  virtual std::string GetNamePath();
  // Lets a class store extra, unpublished data. Empty at the base.
  virtual void DefineProperties(TFiler* filer);

protected:
  [[noreturn]] void AssignError(TPersistent* source);
};
