#include "platform/classes/persistent.h"

#include "platform/rtl/exceptions.h"

void TPersistent::Assign(TPersistent* source) {
  if (source) source->AssignTo(this);
  else AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) {
  if (!dest) throw EConvertError("Cannot assign a " + ClassName() + " to a nil");
  dest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* source) {
  const std::string sourceName = source ? source->ClassName() : std::string("nil");
  throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

TPersistent* TPersistent::GetOwner() { return nullptr; }

std::string TPersistent::GetNamePath() {
  std::string result = ClassName();
  if (TPersistent* owner = GetOwner()) {
    const std::string ownerPath = owner->GetNamePath();
    if (!ownerPath.empty()) result = ownerPath + "." + result;
  }
  return result;
}

void TPersistent::DefineProperties(TFiler*) {}
