// COM's plumbing as this platform's components use it among themselves:
// interface identifiers, IUnknown with its counting rules, per-thread
// apartments and OLE initialisation, the task allocator as IMalloc, and
// object creation from a small class table. There is no marshalling: every
// object lives in this process, and an "apartment" is only a count per thread.
//
// Counting rules. An object that counts references starts at 0; QueryInterface
// and AddRef add one, Release takes one and frees the object when the count
// reaches 0. A Release on an object whose count is already 0 is refused: it
// answers 0 and frees nothing. Objects owned elsewhere (components, singletons)
// do not count: AddRef and Release answer 0xFFFFFFFF and never free.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "platform/rtl/guid.h"
#include "platform/win/winerror.h"

namespace win {

using IID = TGUID;
using CLSID = TGUID;
using REFIID = const TGUID&;
using REFCLSID = const TGUID&;
using ULONG = uint32_t;

extern const IID IID_IUnknown, IID_IMalloc, IID_IDispatch;

struct IUnknown {
  virtual HRESULT QueryInterface(REFIID iid, void** out) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

protected:
  ~IUnknown() = default;  // objects end through Release, never through an interface
};

// Counting base for objects implementing the interfaces I...; the object
// answers QueryInterface itself (AnswerInterface helps).
template <class... I>
class TComObject : public I... {
public:
  ULONG AddRef() override { return ULONG(++refs_); }
  ULONG Release() override {
    int32_t n = refs_.load();
    do {
      if (n <= 0) return 0;
    } while (!refs_.compare_exchange_weak(n, n - 1));
    if (n == 1) delete this;
    return ULONG(n - 1);
  }
  int32_t RefCount() const { return refs_.load(); }
  virtual ~TComObject() = default;

private:
  std::atomic<int32_t> refs_{0};
};

// Base for objects whose life is owned elsewhere.
template <class... I>
class TUncountedObject : public I... {
public:
  ULONG AddRef() override { return 0xFFFFFFFF; }
  ULONG Release() override { return 0xFFFFFFFF; }
};

// Hands out p as the interface asked for, with one more reference.
template <class T>
HRESULT AnswerInterface(T* p, void** out) {
  *out = p;
  p->AddRef();
  return S_OK;
}

// One reference held for the owner's lifetime.
template <class T>
class TComPtr {
public:
  TComPtr() = default;
  explicit TComPtr(T* adopt) : p_(adopt) {}
  TComPtr(const TComPtr& o) : p_(o.p_) {
    if (p_) p_->AddRef();
  }
  TComPtr(TComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  TComPtr& operator=(TComPtr o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }
  ~TComPtr() {
    if (p_) p_->Release();
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For out parameters: releases what is held first.
  T** put() {
    *this = TComPtr();
    return &p_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }

private:
  T* p_ = nullptr;
};

// ---------------------------------------------------------------- apartments
constexpr uint32_t COINIT_MULTITHREADED = 0x0, COINIT_APARTMENTTHREADED = 0x2;
// The first call on a thread answers S_OK, each later one of the same model
// S_FALSE; both must be balanced by CoUninitialize. Another model than the
// thread's answers RPC_E_CHANGED_MODE and is not counted.
HRESULT CoInitialize(void* reserved);
HRESULT CoInitializeEx(void* reserved, uint32_t flags);
// Ignored on a thread that is not initialised.
void CoUninitialize();
// Initialises COM (single-threaded) and OLE on the thread: S_OK the first
// time, S_FALSE after; COM's failure when the thread's model is another.
HRESULT OleInitialize(void* reserved);
void OleUninitialize();
// The thread's current counts, which a balanced start and stop return to 0.
int32_t CoInitializeCount();
int32_t OleInitializeCount();

// ---------------------------------------------------------------- task memory
struct IMalloc : IUnknown {
  virtual void* Alloc(size_t bytes) = 0;
  virtual void* Realloc(void* block, size_t bytes) = 0;
  virtual void Free(void* block) = 0;
  virtual size_t GetSize(void* block) = 0;  // (size_t)-1 for a pointer it did not hand out
  virtual int32_t DidAlloc(void* block) = 0;  // 1, or 0
  virtual void HeapMinimize() = 0;

protected:
  ~IMalloc() = default;
};
// The one task allocator (blocks of platform/rtl/taskmem.h), one reference more.
HRESULT SHGetMalloc(IMalloc** out);
HRESULT CoGetMalloc(uint32_t context, IMalloc** out);
void* CoTaskMemAlloc(size_t bytes);
void* CoTaskMemRealloc(void* block, size_t bytes);
void CoTaskMemFree(void* block);  // a pointer it did not hand out is left alone

// ---------------------------------------------------------------- object creation
constexpr uint32_t CLSCTX_INPROC_SERVER = 0x1;
// Makes an object of the class and answers it as iid.
using TComClassCreator = HRESULT (*)(REFIID iid, void** out);
// Adds (or replaces) a class; the table starts empty.
void RegisterComClass(REFCLSID clsid, TComClassCreator create);
bool UnregisterComClass(REFCLSID clsid);
// CO_E_NOTINITIALIZED on a thread without COM, CLASS_E_NOAGGREGATION with an
// outer object, REGDB_E_CLASSNOTREG for a class the table lacks; *out is nil
// on every failure.
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, uint32_t context, REFIID iid, void** out);

}  // namespace win
