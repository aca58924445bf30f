// Media and their release, global blocks, advise holders, and a data object
// put on the process clipboard.
#include "platform/com/dataobj.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/rtl/taskmem.h"
#include "tests/platform/com/counted.h"
#include "tests/support/testsupport.h"

using namespace win;

namespace {

HGLOBAL BlockOf(const std::vector<uint8_t>& bytes) {
  HGLOBAL h = GlobalAlloc(GMEM_FIXED, bytes.size());
  std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
  GlobalUnlock(h);
  return h;
}

std::vector<uint8_t> BytesOf(HGLOBAL h) {
  std::vector<uint8_t> out(GlobalSize(h));
  if (const void* p = GlobalLock(h)) {
    std::memcpy(out.data(), p, out.size());
    GlobalUnlock(h);
  }
  return out;
}

bool IsBlock(HGLOBAL h) { return GlobalLock(h) ? (GlobalUnlock(h), true) : false; }

class TFormatEnum final : public TComObject<IEnumFORMATETC> {
public:
  explicit TFormatEnum(std::vector<FORMATETC> f) : formats_(std::move(f)) {}
  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IEnumFORMATETC) return AnswerInterface<IEnumFORMATETC>(this, out);
    *out = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT Next(uint32_t count, FORMATETC* out, uint32_t* fetched) override {
    uint32_t n = 0;
    while (n < count && index_ < formats_.size()) out[n++] = formats_[index_++];
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  HRESULT Skip(uint32_t) override { return E_NOTIMPL; }
  HRESULT Reset() override {
    index_ = 0;
    return S_OK;
  }
  HRESULT Clone(IEnumFORMATETC** out) override {
    *out = nullptr;
    return E_NOTIMPL;
  }

private:
  std::vector<FORMATETC> formats_;
  size_t index_ = 0;
};

// A data object holding byte formats in global memory, handed out as copies.
class TBytesObject final : public TComObject<IDataObject> {
public:
  void Add(CLIPFORMAT f, std::vector<uint8_t> bytes, uint32_t tymed = TYMED_HGLOBAL) {
    FORMATETC fe;
    fe.cfFormat = f;
    fe.tymed = tymed;
    formats_.push_back({fe, std::move(bytes)});
  }
  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDataObject) return AnswerInterface<IDataObject>(this, out);
    *out = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT GetData(FORMATETC* f, STGMEDIUM* m) override {
    for (auto& [fe, bytes] : formats_)
      if (fe.cfFormat == f->cfFormat && (f->tymed & TYMED_HGLOBAL)) {
        m->tymed = TYMED_HGLOBAL;
        m->hGlobal = BlockOf(bytes);
        m->pUnkForRelease = nullptr;
        return S_OK;
      }
    return DV_E_FORMATETC;
  }
  HRESULT GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
  HRESULT GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT SetData(FORMATETC*, STGMEDIUM*, int32_t) override { return E_NOTIMPL; }
  HRESULT EnumFormatEtc(uint32_t, IEnumFORMATETC** out) override {
    std::vector<FORMATETC> f;
    for (auto& [fe, bytes] : formats_) f.push_back(fe);
    return AnswerInterface<IEnumFORMATETC>(new TFormatEnum(f), reinterpret_cast<void**>(out));
  }
  HRESULT DAdvise(FORMATETC*, uint32_t, IAdviseSink*, uint32_t*) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT DUnadvise(uint32_t) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT EnumDAdvise(IUnknown**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
  std::vector<std::pair<FORMATETC, std::vector<uint8_t>>> formats_;
};

class TSink final : public TComObject<IAdviseSink> {
public:
  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IAdviseSink) return AnswerInterface<IAdviseSink>(this, out);
    *out = nullptr;
    return E_NOINTERFACE;
  }
  void OnDataChange(FORMATETC* f, STGMEDIUM* m) override {
    Told.push_back({f->cfFormat, m->tymed == TYMED_HGLOBAL ? BytesOf(m->hGlobal) : std::vector<uint8_t>{}});
  }
  void OnViewChange(uint32_t, int32_t) override {}
  void OnRename(IUnknown*) override {}
  void OnSave() override {}
  void OnClose() override {}
  std::vector<std::pair<CLIPFORMAT, std::vector<uint8_t>>> Told;
};

}  // namespace

TEST(GlobalMemory, EveryKindIsZeroFilledAndAFreedBlockIsRefused) {
  for (UINT flags : {GMEM_FIXED, GHND, GMEM_MOVEABLE | GMEM_SHARE, GPTR}) {
    HGLOBAL h = GlobalAlloc(flags, 16);
    ASSERT_NE(h, nullptr) << flags;
    EXPECT_EQ(GlobalSize(h), 16u);
    EXPECT_EQ(BytesOf(h), std::vector<uint8_t>(16, 0)) << flags;
    auto* p = static_cast<uint8_t*>(GlobalLock(h));
    EXPECT_EQ(GlobalLock(h), p) << "a block does not move";
    EXPECT_TRUE(GlobalUnlock(h));
    EXPECT_FALSE(GlobalUnlock(h)) << "the last unlock";
    EXPECT_FALSE(GlobalUnlock(h)) << "not locked";
    EXPECT_EQ(GlobalFree(h), nullptr);
    EXPECT_EQ(GlobalFree(h), h) << "a freed block is refused";
    EXPECT_EQ(GlobalLock(h), nullptr);
    EXPECT_EQ(GlobalSize(h), 0u);
  }
}

TEST(ReleaseStgMedium, FreesWhatEachMediumHolds) {
  // Global memory: the block goes.
  STGMEDIUM m;
  m.tymed = TYMED_HGLOBAL;
  m.hGlobal = BlockOf({1, 2, 3});
  HGLOBAL block = m.hGlobal;
  ReleaseStgMedium(&m);
  EXPECT_FALSE(IsBlock(block));
  EXPECT_EQ(m.tymed, TYMED_NULL);
  EXPECT_EQ(m.handle, nullptr);
  ReleaseStgMedium(&m);  // an emptied record does nothing

  // With an owner the block stays and the owner loses a reference.
  auto* owner = new TCounted;
  owner->AddRef();
  owner->AddRef();
  m.tymed = TYMED_HGLOBAL;
  m.hGlobal = block = BlockOf({4});
  m.pUnkForRelease = owner;
  ReleaseStgMedium(&m);
  EXPECT_TRUE(IsBlock(block));
  EXPECT_EQ(owner->RefCount(), 1);
  EXPECT_EQ(m.pUnkForRelease, nullptr);
  GlobalFree(block);

  // A file: the name's task memory goes, the file stays.
  testsupport::TempDir dir;
  const std::string name = (dir / "keep-me.mpo").string();
  testsupport::WriteFileBytes(dir / "keep-me.mpo", "photo");
  m.tymed = TYMED_FILE;
  m.lpszFileName = static_cast<char*>(TaskMemAlloc(name.size() + 1));
  std::memcpy(m.lpszFileName, name.c_str(), name.size() + 1);
  char* held = m.lpszFileName;
  ReleaseStgMedium(&m);
  EXPECT_EQ(TaskMemSize(held), -1);
  EXPECT_TRUE(std::filesystem::exists(name));

  // A stream loses its reference, with or without an owner, and so does the owner.
  auto* stream = new TCounted;
  stream->AddRef();
  stream->AddRef();
  owner->AddRef();
  m.tymed = TYMED_ISTREAM;
  m.pstm = stream;
  m.pUnkForRelease = owner;
  ReleaseStgMedium(&m);
  EXPECT_EQ(stream->RefCount(), 1);
  EXPECT_EQ(owner->RefCount(), 1);
  stream->Release();
  owner->Release();

  // A bitmap is deleted.
  const uint32_t pixel = 0;
  m.tymed = TYMED_GDI;
  m.hBitmap = CreateBitmap(1, 1, 1, 32, &pixel);
  ASSERT_NE(m.hBitmap, nullptr);
  HGDIOBJ bitmap = m.hBitmap;
  ReleaseStgMedium(&m);
  EXPECT_EQ(GetObjectType(bitmap), 0u);

  ReleaseStgMedium(nullptr);
}

TEST(DataAdviseHolder, TellsItsSinksUntilTheyLeave) {
  TComPtr<IDataAdviseHolder> holder;
  ASSERT_EQ(CreateDataAdviseHolder(holder.put()), S_OK);
  auto* data = new TBytesObject;
  TComPtr<IDataObject> keep(data);
  data->AddRef();
  data->Add(CF_TEXT, {'h', 'i', 0});
  auto* withData = new TSink;
  auto* noData = new TSink;
  TComPtr<IAdviseSink> a(withData), b(noData);
  withData->AddRef();
  noData->AddRef();
  FORMATETC text;
  text.cfFormat = CF_TEXT;
  text.tymed = TYMED_HGLOBAL;
  uint32_t c1 = 0, c2 = 0;
  ASSERT_EQ(holder->Advise(data, &text, 0, withData, &c1), S_OK);
  ASSERT_EQ(holder->Advise(data, &text, ADVF_NODATA, noData, &c2), S_OK);
  EXPECT_NE(c1, c2);
  EXPECT_EQ(withData->RefCount(), 2) << "the holder keeps its sinks";
  ASSERT_EQ(holder->SendOnDataChange(data, 0, 0), S_OK);
  ASSERT_EQ(withData->Told.size(), 1u);
  EXPECT_EQ(withData->Told[0].second, (std::vector<uint8_t>{'h', 'i', 0}));
  ASSERT_EQ(noData->Told.size(), 1u);
  EXPECT_TRUE(noData->Told[0].second.empty());
  EXPECT_EQ(holder->Unadvise(c1), S_OK);
  EXPECT_EQ(holder->Unadvise(c1), OLE_E_NOCONNECTION);
  EXPECT_EQ(withData->RefCount(), 1);
  holder->SendOnDataChange(data, 0, 0);
  EXPECT_EQ(withData->Told.size(), 1u);
  EXPECT_EQ(noData->Told.size(), 2u);
  IUnknown* e = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(holder->EnumAdvise(&e), E_NOTIMPL);
  EXPECT_EQ(e, nullptr);
  holder = TComPtr<IDataAdviseHolder>();
  EXPECT_EQ(noData->RefCount(), 1) << "the holder's end lets its sinks go";
}

TEST(OleClipboard, PutsTheFormatsThereAndKeepsTheObject) {
  auto* data = new TBytesObject;
  TComPtr<IDataObject> keep(data);
  data->AddRef();
  const UINT shellIds = RegisterClipboardFormat("Shell IDList Array");
  data->Add(CLIPFORMAT(shellIds), {1, 0, 0, 0, 8, 0, 0, 0});
  data->Add(CF_TEXT, {'x', 0});
  data->Add(CF_BITMAP, {}, TYMED_GDI);  // not global memory: not put there

  EXPECT_EQ(OleSetClipboard(data), CO_E_NOTINITIALIZED);
  ASSERT_EQ(OleInitialize(nullptr), S_OK);
  ASSERT_EQ(OleSetClipboard(data), S_OK);
  EXPECT_EQ(data->RefCount(), 2);
  EXPECT_EQ(OleIsCurrentClipboard(data), S_OK);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(BytesOf(GetClipboardData(shellIds)), (std::vector<uint8_t>{1, 0, 0, 0, 8, 0, 0, 0}));
  EXPECT_EQ(BytesOf(GetClipboardData(CF_TEXT)), (std::vector<uint8_t>{'x', 0}));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
  CloseClipboard();
  {
    TComPtr<IDataObject> got;
    ASSERT_EQ(OleGetClipboard(got.put()), S_OK);
    EXPECT_EQ(got.get(), data);
  }

  // Someone else's text replaces it.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, BlockOf({'y', 0}));
  CloseClipboard();
  TComPtr<IDataObject> stale;
  EXPECT_EQ(OleGetClipboard(stale.put()), E_FAIL);
  EXPECT_FALSE(stale);
  EXPECT_EQ(OleIsCurrentClipboard(data), S_FALSE);

  ASSERT_EQ(OleSetClipboard(data), S_OK);
  EXPECT_EQ(OleSetClipboard(nullptr), S_OK);
  EXPECT_EQ(data->RefCount(), 1) << "the object is let go";
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(CountClipboardFormats(), 0);
  CloseClipboard();
  ASSERT_EQ(OleSetClipboard(data), S_OK);
  EXPECT_EQ(OleFlushClipboard(), S_OK);
  EXPECT_EQ(data->RefCount(), 1);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT)) << "flushed formats stay";
  CloseClipboard();
  OleUninitialize();
}
