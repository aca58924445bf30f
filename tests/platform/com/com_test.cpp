// IUnknown's counting rules, the per-thread apartment and OLE counts, the
// task allocator behind IMalloc, and object creation from the class table.
#include "platform/com/com.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/rtl/taskmem.h"

using namespace win;

namespace {

const IID IID_ITestThing{0x1b0c7e2a, 0x6d5f, 0x4a8e, {0x91, 0x3c, 0x2e, 0x4f, 0x60, 0x71, 0x82, 0x93}};
const CLSID CLSID_TestThing{0x1b0c7e2a, 0x6d5f, 0x4a8e, {0x91, 0x3c, 0x2e, 0x4f, 0x60, 0x71, 0x82, 0x94}};

struct ITestThing : IUnknown {
  virtual int32_t Value() = 0;

protected:
  ~ITestThing() = default;
};

class TThing final : public TComObject<ITestThing> {
public:
  explicit TThing(bool* freed = nullptr) : freed_(freed) {}
  ~TThing() override {
    if (freed_) *freed_ = true;
  }
  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_ITestThing) return AnswerInterface<ITestThing>(this, out);
    *out = nullptr;
    return E_NOINTERFACE;
  }
  int32_t Value() override { return 42; }

private:
  bool* freed_;
};

class TOwnedThing final : public TUncountedObject<ITestThing> {
public:
  HRESULT QueryInterface(REFIID, void** out) override { return AnswerInterface<ITestThing>(this, out); }
  int32_t Value() override { return 7; }
};

HRESULT CreateThing(REFIID iid, void** out) {
  auto* t = new TThing;
  t->AddRef();
  const HRESULT hr = t->QueryInterface(iid, out);
  t->Release();
  return hr;
}

}  // namespace

TEST(ComObject, CountsAndFreesAtZeroAndRefusesReleasePastZero) {
  bool freed = false;
  auto* thing = new TThing(&freed);
  EXPECT_EQ(thing->RefCount(), 0);
  EXPECT_EQ(thing->Release(), 0u) << "past zero: refused";
  EXPECT_FALSE(freed);
  EXPECT_EQ(thing->RefCount(), 0);
  void* p = nullptr;
  ASSERT_EQ(thing->QueryInterface(IID_ITestThing, &p), S_OK);
  EXPECT_EQ(thing->AddRef(), 2u);
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(thing->QueryInterface(IID_IMalloc, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(thing->RefCount(), 2);
  EXPECT_EQ(static_cast<ITestThing*>(p)->Release(), 1u);
  EXPECT_FALSE(freed);
  EXPECT_EQ(thing->Release(), 0u);
  EXPECT_TRUE(freed);

  TOwnedThing owned;
  EXPECT_EQ(owned.AddRef(), 0xFFFFFFFFu);
  EXPECT_EQ(owned.Release(), 0xFFFFFFFFu);
  EXPECT_EQ(owned.Release(), 0xFFFFFFFFu) << "objects that do not count never end through Release";
  EXPECT_EQ(owned.Value(), 7);
}

TEST(Apartments, CountsPerThreadAnswerAsThePlatformDoes) {
  // The shell library's start and stop around the framework's own set-up, on one thread;
  // another thread meanwhile starts free-threaded and is not disturbed.
  struct Step {
    const char* What;
    HRESULT (*Call)();
    HRESULT Answer;
    int32_t Com, Ole;
  };
  const Step main[] = {
      {"CoInitialize", [] { return CoInitialize(nullptr); }, S_OK, 1, 0},
      {"OleInitialize", [] { return OleInitialize(nullptr); }, S_OK, 2, 1},
      {"the framework's own", [] { return CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }, S_FALSE, 3, 1},
      {"another model", [] { return CoInitializeEx(nullptr, COINIT_MULTITHREADED); }, RPC_E_CHANGED_MODE, 3, 1},
      {"the framework's end", [] { CoUninitialize(); return S_OK; }, S_OK, 2, 1},
      {"OleUninitialize", [] { OleUninitialize(); return S_OK; }, S_OK, 1, 0},
      {"OleUninitialize again", [] { OleUninitialize(); return S_OK; }, S_OK, 1, 0},
      {"CoUninitialize", [] { CoUninitialize(); return S_OK; }, S_OK, 0, 0},
      {"CoUninitialize past zero", [] { CoUninitialize(); return S_OK; }, S_OK, 0, 0},
  };
  const Step other[] = {
      {"CoInitializeEx free-threaded", [] { return CoInitializeEx(nullptr, COINIT_MULTITHREADED); }, S_OK, 1, 0},
      {"OleInitialize needs one", [] { return OleInitialize(nullptr); }, RPC_E_CHANGED_MODE, 1, 0},
      {"CoUninitialize", [] { CoUninitialize(); return S_OK; }, S_OK, 0, 0},
      {"OleInitialize afresh", [] { return OleInitialize(nullptr); }, S_OK, 1, 1},
      {"OleInitialize again", [] { return OleInitialize(nullptr); }, S_FALSE, 2, 2},
      {"OleUninitialize", [] { OleUninitialize(); return S_OK; }, S_OK, 1, 1},
      {"OleUninitialize", [] { OleUninitialize(); return S_OK; }, S_OK, 0, 0},
  };
  auto run = [](const Step* steps, size_t n) {
    for (size_t i = 0; i < n; ++i) {
      EXPECT_EQ(steps[i].Call(), steps[i].Answer) << steps[i].What;
      EXPECT_EQ(CoInitializeCount(), steps[i].Com) << steps[i].What;
      EXPECT_EQ(OleInitializeCount(), steps[i].Ole) << steps[i].What;
    }
  };
  ASSERT_EQ(CoInitializeCount(), 0);
  // Interleaved: the main thread is initialised while the other one runs its sequence.
  EXPECT_EQ(CoInitialize(nullptr), S_OK);
  std::thread t([&] { run(other, std::size(other)); });
  t.join();
  CoUninitialize();
  run(main, std::size(main));
}

TEST(TaskAllocator, IMallocAndTaskMemoryShareTheRecordedBlocks) {
  TComPtr<IMalloc> malloc;
  ASSERT_EQ(SHGetMalloc(malloc.put()), S_OK);
  TComPtr<IMalloc> again;
  ASSERT_EQ(CoGetMalloc(1, again.put()), S_OK);
  EXPECT_EQ(malloc.get(), again.get()) << "one allocator";
  EXPECT_EQ(CoGetMalloc(2, again.put()), E_INVALIDARG);
  EXPECT_FALSE(again);

  void* a = CoTaskMemAlloc(24);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(malloc->GetSize(a), 24u);
  EXPECT_EQ(malloc->DidAlloc(a), 1);
  void* b = malloc->Realloc(a, 100);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(TaskMemSize(b), 100);
  EXPECT_EQ(malloc->DidAlloc(a == b ? nullptr : a), 0);
  int32_t onStack = 0;
  EXPECT_EQ(malloc->GetSize(&onStack), size_t(-1));
  malloc->Free(&onStack);  // not a block: left alone
  CoTaskMemFree(b);
  EXPECT_EQ(malloc->DidAlloc(b), 0);
  CoTaskMemFree(b);  // a second free is refused quietly
}

TEST(CoCreateInstance, MakesRegisteredClassesOnly) {
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(CoCreateInstance(CLSID_TestThing, nullptr, CLSCTX_INPROC_SERVER, IID_ITestThing, &out),
            CO_E_NOTINITIALIZED);
  EXPECT_EQ(out, nullptr);
  ASSERT_EQ(CoInitialize(nullptr), S_OK);
  out = reinterpret_cast<void*>(1);
  EXPECT_EQ(CoCreateInstance(CLSID_TestThing, nullptr, CLSCTX_INPROC_SERVER, IID_ITestThing, &out),
            REGDB_E_CLASSNOTREG);
  EXPECT_EQ(out, nullptr);
  RegisterComClass(CLSID_TestThing, &CreateThing);
  {
    TComPtr<ITestThing> thing;
    ASSERT_EQ(CoCreateInstance(CLSID_TestThing, nullptr, CLSCTX_INPROC_SERVER, IID_ITestThing, thing.put_void()),
              S_OK);
    EXPECT_EQ(thing->Value(), 42);
    TComPtr<IMalloc> wrong;
    EXPECT_EQ(CoCreateInstance(CLSID_TestThing, nullptr, CLSCTX_INPROC_SERVER, IID_IMalloc, wrong.put_void()),
              E_NOINTERFACE);
    EXPECT_FALSE(wrong);
    TOwnedThing outer;
    EXPECT_EQ(CoCreateInstance(CLSID_TestThing, &outer, CLSCTX_INPROC_SERVER, IID_ITestThing, wrong.put_void()),
              CLASS_E_NOAGGREGATION);
  }
  EXPECT_TRUE(UnregisterComClass(CLSID_TestThing));
  EXPECT_FALSE(UnregisterComClass(CLSID_TestThing));
  CoUninitialize();
}
