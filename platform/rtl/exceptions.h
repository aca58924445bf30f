// The framework's exception family. Every exception carries its message text;
// the class name (ClassName()) tells callers and the user which kind it was.
#pragma once

#include <exception>
#include <string>

#include "platform/rtl/object.h"

class Exception : public std::exception, public TObject {
  DX_CLASS(Exception, TObject)
public:
  explicit Exception(std::string message = {}) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  void SetMessage(std::string m) { message_ = std::move(m); }
  const char* what() const noexcept override { return message_.c_str(); }

private:
  std::string message_;
};

#define DX_EXCEPTION(Self, ParentClass)          \
  class Self : public ParentClass {              \
    DX_CLASS(Self, ParentClass)                  \
  public:                                        \
    using ParentClass::ParentClass;              \
  }

DX_EXCEPTION(EAbort, Exception);
DX_EXCEPTION(EOutOfMemory, Exception);
DX_EXCEPTION(EConvertError, Exception);
DX_EXCEPTION(EListError, Exception);
DX_EXCEPTION(EStringListError, Exception);
DX_EXCEPTION(EStreamError, Exception);
DX_EXCEPTION(EFCreateError, EStreamError);
DX_EXCEPTION(EFOpenError, EStreamError);
DX_EXCEPTION(EFilerError, EStreamError);
DX_EXCEPTION(EReadError, EFilerError);
DX_EXCEPTION(EWriteError, EFilerError);
DX_EXCEPTION(EClassNotFound, EFilerError);
DX_EXCEPTION(EInvalidOperation, Exception);
DX_EXCEPTION(EComponentError, Exception);
DX_EXCEPTION(EArgumentException, Exception);
DX_EXCEPTION(EArgumentOutOfRangeException, EArgumentException);
DX_EXCEPTION(ENotSupportedException, Exception);
DX_EXCEPTION(EInvalidPointer, Exception);
DX_EXCEPTION(EInvalidCast, Exception);
DX_EXCEPTION(EIntOverflow, Exception);
DX_EXCEPTION(EDivByZero, Exception);
DX_EXCEPTION(EOSError, Exception);
DX_EXCEPTION(EThread, Exception);
DX_EXCEPTION(EIniFileException, Exception);
DX_EXCEPTION(EEncodingError, Exception);

// Raises EAbort with no message: the framework's silent exception.
[[noreturn]] void Abort();
