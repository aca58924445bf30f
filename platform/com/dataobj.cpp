#include "platform/com/dataobj.h"

#include <cstring>
#include <mutex>
#include <vector>

namespace win {

const IID IID_IDataObject{0x0000010E, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IEnumFORMATETC{0x00000103, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IAdviseSink{0x0000010F, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IDataAdviseHolder{0x00000110, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

void ReleaseStgMedium(STGMEDIUM* medium) {
  if (!medium) return;
  IUnknown* owner = medium->pUnkForRelease;
  switch (medium->tymed) {
    case TYMED_ISTREAM:
    case TYMED_ISTORAGE:
      if (medium->pstm) medium->pstm->Release();
      break;
    case TYMED_HGLOBAL:
    case TYMED_MFPICT:  // a global block describing the picture
      if (!owner && medium->hGlobal) GlobalFree(medium->hGlobal);
      break;
    case TYMED_FILE:
      // The name only: deleting the file a data object named would lose it.
      if (!owner) CoTaskMemFree(medium->lpszFileName);
      break;
    case TYMED_GDI:
      if (!owner && medium->hBitmap) DeleteObject(medium->hBitmap);
      break;
    default:  // TYMED_NULL, and enhanced metafiles, which this platform does not make
      break;
  }
  if (owner) owner->Release();
  *medium = STGMEDIUM();
}

namespace {

class TDataAdviseHolder final : public TComObject<IDataAdviseHolder> {
public:
  ~TDataAdviseHolder() override {
    for (Connection& c : connections_) c.Sink->Release();
  }
  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDataAdviseHolder) return AnswerInterface<IDataAdviseHolder>(this, out);
    *out = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT Advise(IDataObject* data, FORMATETC* format, uint32_t flags, IAdviseSink* sink,
                 uint32_t* connection) override {
    if (connection) *connection = 0;
    if (!format || !sink || !connection) return E_INVALIDARG;
    sink->AddRef();
    connections_.push_back({next_, *format, flags, sink});
    *connection = next_++;
    // ADVF_PRIMEFIRST (2): the first notification comes at once.
    if ((flags & 2) && data) Notify(connections_.back(), data);
    return S_OK;
  }
  HRESULT Unadvise(uint32_t connection) override {
    for (auto it = connections_.begin(); it != connections_.end(); ++it)
      if (it->Id == connection) {
        IAdviseSink* sink = it->Sink;
        connections_.erase(it);
        sink->Release();
        return S_OK;
      }
    return OLE_E_NOCONNECTION;
  }
  HRESULT EnumAdvise(IUnknown** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT SendOnDataChange(IDataObject* data, uint32_t, uint32_t) override {
    if (!data) return E_INVALIDARG;
    // A sink may unadvise while it is told: walk a copy that keeps each referenced.
    std::vector<Connection> now = connections_;
    for (Connection& c : now) c.Sink->AddRef();
    for (Connection& c : now) {
      Notify(c, data);
      c.Sink->Release();
    }
    return S_OK;
  }

private:
  struct Connection {
    uint32_t Id;
    FORMATETC Format;
    uint32_t Flags;
    IAdviseSink* Sink;
  };
  static void Notify(Connection& c, IDataObject* data) {
    STGMEDIUM medium;
    FORMATETC format = c.Format;
    if (!(c.Flags & ADVF_NODATA) && FAILED(data->GetData(&format, &medium))) medium = STGMEDIUM();
    c.Sink->OnDataChange(&format, &medium);
    ReleaseStgMedium(&medium);
  }
  std::vector<Connection> connections_;
  uint32_t next_ = 1;
};

// What OleSetClipboard put on the clipboard, and the clipboard's state then.
struct OleClipboard {
  std::mutex M;
  IDataObject* Data = nullptr;
  DWORD Sequence = 0;
};
OleClipboard& OC() {
  static auto* c = new OleClipboard;
  return *c;
}

// A copy of the medium's bytes in a block the clipboard can take; null when there are none.
HGLOBAL CopyOfGlobal(HGLOBAL from) {
  const size_t n = GlobalSize(from);
  const void* src = GlobalLock(from);
  if (!src) return nullptr;
  HGLOBAL to = GlobalAlloc(GHND, n);
  if (void* dst = to ? GlobalLock(to) : nullptr) {
    std::memcpy(dst, src, n);
    GlobalUnlock(to);
  }
  GlobalUnlock(from);
  return to;
}

// The object's global-memory formats, in the order it offers them.
std::vector<FORMATETC> GlobalFormats(IDataObject* data) {
  std::vector<FORMATETC> out;
  TComPtr<IEnumFORMATETC> e;
  if (FAILED(data->EnumFormatEtc(DATADIR_GET, e.put())) || !e) return out;
  FORMATETC f;
  uint32_t fetched = 0;
  // A clipboard holds a handful of formats; an enumerator that never ends is a broken one.
  for (int n = 0; n < 4096 && e->Next(1, &f, &fetched) == S_OK && fetched == 1; ++n)
    if (f.tymed & TYMED_HGLOBAL) out.push_back(f);
  return out;
}

}  // namespace

HRESULT CreateDataAdviseHolder(IDataAdviseHolder** out) {
  if (!out) return E_INVALIDARG;
  return AnswerInterface<IDataAdviseHolder>(new TDataAdviseHolder, reinterpret_cast<void**>(out));
}

HRESULT OleSetClipboard(IDataObject* data) {
  if (OleInitializeCount() <= 0) return CO_E_NOTINITIALIZED;
  if (!OpenClipboard(nullptr)) return CLIPBRD_E_CANT_OPEN;
  EmptyClipboard();
  if (data) {
    for (FORMATETC f : GlobalFormats(data)) {
      f.tymed = TYMED_HGLOBAL;
      STGMEDIUM m;
      if (FAILED(data->GetData(&f, &m))) continue;
      if (m.tymed == TYMED_HGLOBAL)
        if (HGLOBAL copy = CopyOfGlobal(m.hGlobal); copy && !SetClipboardData(f.cfFormat, copy)) GlobalFree(copy);
      ReleaseStgMedium(&m);
    }
  }
  IDataObject* previous = nullptr;
  {
    std::lock_guard lk(OC().M);
    previous = std::exchange(OC().Data, data);
    if (data) data->AddRef();
    OC().Sequence = GetClipboardSequenceNumber();
  }
  CloseClipboard();
  if (previous) previous->Release();
  return S_OK;
}

HRESULT OleGetClipboard(IDataObject** out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  std::lock_guard lk(OC().M);
  if (!OC().Data || OC().Sequence != GetClipboardSequenceNumber()) return E_FAIL;
  return AnswerInterface<IDataObject>(OC().Data, reinterpret_cast<void**>(out));
}

HRESULT OleIsCurrentClipboard(IDataObject* data) {
  std::lock_guard lk(OC().M);
  return data && OC().Data == data && OC().Sequence == GetClipboardSequenceNumber() ? S_OK : S_FALSE;
}

HRESULT OleFlushClipboard() {
  IDataObject* held = nullptr;
  {
    std::lock_guard lk(OC().M);
    held = std::exchange(OC().Data, nullptr);
  }
  if (held) held->Release();
  return S_OK;
}

}  // namespace win
