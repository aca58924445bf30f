#include "platform/com/com.h"

#include <mutex>
#include <vector>

#include "platform/rtl/taskmem.h"

namespace win {

const IID IID_IUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IMalloc{0x00000002, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IDispatch{0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace {

struct Apartment {
  int32_t Com = 0;
  uint32_t Model = COINIT_APARTMENTTHREADED;
  int32_t Ole = 0;
};
thread_local Apartment t_apartment;

constexpr uint32_t kModelBits = COINIT_APARTMENTTHREADED;

class TTaskAllocator final : public TUncountedObject<IMalloc> {
public:
  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IMalloc) return AnswerInterface<IMalloc>(this, out);
    *out = nullptr;
    return E_NOINTERFACE;
  }
  void* Alloc(size_t bytes) override { return TaskMemAlloc(bytes); }
  void* Realloc(void* block, size_t bytes) override { return TaskMemRealloc(block, bytes); }
  void Free(void* block) override { TaskMemFree(block); }
  size_t GetSize(void* block) override {
    const ptrdiff_t n = TaskMemSize(block);
    return n < 0 ? size_t(-1) : size_t(n);
  }
  int32_t DidAlloc(void* block) override { return TaskMemSize(block) >= 0 ? 1 : 0; }
  void HeapMinimize() override {}
};

TTaskAllocator& TaskAllocator() {
  static TTaskAllocator a;
  return a;
}

struct ClassTable {
  std::mutex M;
  std::vector<std::pair<CLSID, TComClassCreator>> Classes;
};
ClassTable& Classes() {
  static auto* t = new ClassTable;
  return *t;
}

}  // namespace

HRESULT CoInitialize(void* reserved) { return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED); }

HRESULT CoInitializeEx(void*, uint32_t flags) {
  Apartment& a = t_apartment;
  const uint32_t model = flags & kModelBits;
  if (a.Com > 0 && a.Model != model) return RPC_E_CHANGED_MODE;
  a.Model = model;
  return a.Com++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize() {
  if (t_apartment.Com > 0) --t_apartment.Com;
}

HRESULT OleInitialize(void*) {
  const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(hr)) return hr;
  return t_apartment.Ole++ == 0 ? S_OK : S_FALSE;
}

void OleUninitialize() {
  if (t_apartment.Ole <= 0) return;
  --t_apartment.Ole;
  CoUninitialize();
}

int32_t CoInitializeCount() { return t_apartment.Com; }
int32_t OleInitializeCount() { return t_apartment.Ole; }

HRESULT SHGetMalloc(IMalloc** out) {
  if (!out) return E_INVALIDARG;
  return AnswerInterface<IMalloc>(&TaskAllocator(), reinterpret_cast<void**>(out));
}

HRESULT CoGetMalloc(uint32_t context, IMalloc** out) {
  if (!out) return E_INVALIDARG;
  if (context != 1) {  // MEMCTX_TASK is the only context there is
    *out = nullptr;
    return E_INVALIDARG;
  }
  return SHGetMalloc(out);
}

void* CoTaskMemAlloc(size_t bytes) { return TaskMemAlloc(bytes); }
void* CoTaskMemRealloc(void* block, size_t bytes) { return TaskMemRealloc(block, bytes); }
void CoTaskMemFree(void* block) { TaskMemFree(block); }

void RegisterComClass(REFCLSID clsid, TComClassCreator create) {
  std::lock_guard lk(Classes().M);
  auto& v = Classes().Classes;
  std::erase_if(v, [&](const auto& c) { return c.first == clsid; });
  v.emplace_back(clsid, create);
}

bool UnregisterComClass(REFCLSID clsid) {
  std::lock_guard lk(Classes().M);
  return std::erase_if(Classes().Classes, [&](const auto& c) { return c.first == clsid; }) > 0;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, uint32_t, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (t_apartment.Com <= 0) return CO_E_NOTINITIALIZED;
  if (outer) return CLASS_E_NOAGGREGATION;
  TComClassCreator create = nullptr;
  {
    std::lock_guard lk(Classes().M);
    for (const auto& [id, c] : Classes().Classes)
      if (id == clsid) create = c;
  }
  if (!create) return REGDB_E_CLASSNOTREG;
  const HRESULT hr = create(iid, out);
  if (FAILED(hr)) *out = nullptr;
  return hr;
}

}  // namespace win
