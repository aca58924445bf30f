#include "shell/ShDataObject.h"

#include <algorithm>
#include <cstring>

#include "platform/classes/strings.h"
#include "platform/rtl/scopeexit.h"
#include "platform/rtl/text.h"
#include "platform/win/winuser.h"
#include "shell/UnitSupport.h"

using namespace win;

const IID IID_IObjectAccessQuery{0x7F667930, 0xE47B, 0x4474, {0xBA, 0x62, 0xB1, 0x00, 0xD7, 0xDB, 0xDA, 0x70}};
const IID IID_IDataObjectExtras{0xF8B3EE47, 0xC6C1, 0x4FE3, {0x9D, 0x94, 0x75, 0x7A, 0xA3, 0x5D, 0xC0, 0x38}};

CLIPFORMAT CF_SHELLIDLIST = 0, CF_LOGICALPERFORMEDDROPEFFECT = 0, CF_PREFERREDDROPEFFECT = 0,
           CF_PERFORMEDDROPEFFECT = 0, CF_PASTESUCCEEDED = 0, CF_INSHELLDRAGLOOP = 0, CF_SHELLOBJECTOFFSETS = 0,
           CF_FILECONTENTS = 0, CF_FILEGROUPDESCRIPTORA = 0, CF_FILEGROUPDESCRIPTORW = 0;

namespace {

// Measures item-ID lists only; made and freed by the unit's start-up and shut-down.
TCommonPIDLManager* dataObjectPIDLManager = nullptr;
TUnitCounter dataObjectUnit;

uint32_t U32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
void PutU32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v), p[1] = uint8_t(v >> 8), p[2] = uint8_t(v >> 16), p[3] = uint8_t(v >> 24);
}

FORMATETC HGlobalFormat(CLIPFORMAT format) { return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

// A new global block holding the bytes; null when it cannot be had.
HGLOBAL GlobalCopy(UINT flags, const void* bytes, size_t size) {
  HGLOBAL h = GlobalAlloc(flags, size);
  if (!h) return nullptr;
  if (size) {
    void* p = GlobalLock(h);
    std::memcpy(p, bytes, size);
    GlobalUnlock(h);
  }
  return h;
}

// Stores an HGLOBAL medium with the release flag set; the handle is freed
// when the object refuses it.
bool StoreGlobal(IDataObject* data, CLIPFORMAT format, HGLOBAL h) {
  if (!data || !h) {
    if (h) GlobalFree(h);
    return false;
  }
  FORMATETC f = HGlobalFormat(format);
  STGMEDIUM m;
  m.tymed = TYMED_HGLOBAL;
  m.hGlobal = h;
  if (data->SetData(&f, &m, 1) == S_OK) return true;
  GlobalFree(h);
  return false;
}

// Calls use with the locked bytes of the format's medium from the object;
// false when there are none.
template <class F>
bool WithGlobalData(IDataObject* data, CLIPFORMAT format, F use) {
  if (!data) return false;
  FORMATETC f = HGlobalFormat(format);
  STGMEDIUM m;
  if (data->GetData(&f, &m) != S_OK) return false;
  TScopeExit release([&] { ReleaseStgMedium(&m); });
  if (m.tymed != TYMED_HGLOBAL) return false;
  const void* p = GlobalLock(m.hGlobal);
  if (!p) return false;
  TScopeExit unlock([&] { GlobalUnlock(m.hGlobal); });
  return use(p, GlobalSize(m.hGlobal));
}

}  // namespace

CLIPFORMAT ClipFormatValue(uint32_t id) {
  if (id >= 0x10000) throw ERangeError("Range check error");
  return CLIPFORMAT(id);
}

void ShDataObjectInitialize() {
  if (!dataObjectUnit.Starting()) return;
  const struct {
    CLIPFORMAT* global;
    const char* name;
  } formats[] = {
      {&CF_SHELLIDLIST, "Shell IDList Array"},
      {&CF_LOGICALPERFORMEDDROPEFFECT, "Logical Performed DropEffect"},
      {&CF_PREFERREDDROPEFFECT, "Preferred DropEffect"},
      {&CF_PERFORMEDDROPEFFECT, "Performed DropEffect"},
      {&CF_PASTESUCCEEDED, "Paste Succeeded"},
      {&CF_INSHELLDRAGLOOP, "InShellDragLoop"},
      {&CF_SHELLOBJECTOFFSETS, "Shell Object Offsets"},
      {&CF_FILECONTENTS, "FileContents"},
      {&CF_FILEGROUPDESCRIPTORA, "FileGroupDescriptor"},
      {&CF_FILEGROUPDESCRIPTORW, "FileGroupDescriptorW"},
  };
  for (const auto& f : formats) *f.global = ClipFormatValue(RegisterClipboardFormat(f.name));
  dataObjectPIDLManager = new TCommonPIDLManager;
}

void ShDataObjectFinalize() {
  if (!dataObjectUnit.Stopping()) return;
  delete dataObjectPIDLManager;
  dataObjectPIDLManager = nullptr;
}

bool SameFormatEtc(const FORMATETC& a, const FORMATETC& b) {
  return a.cfFormat == b.cfFormat && a.ptd == b.ptd && a.dwAspect == b.dwAspect && a.lindex == b.lindex &&
         a.tymed == b.tymed;
}

// ---------------------------------------------------------------- TCommonDataObject

TCommonDataObject::~TCommonDataObject() {
  for (TDataObjectInfo& info : formats_) ReleaseStgMedium(&info.StgMedium);
  if (adviseHolder_) adviseHolder_->Release();
}

HRESULT TCommonDataObject::QueryInterface(REFIID iid, void** out) {
  if (iid == IID_IUnknown || iid == IID_IDataObject) return AnswerInterface(static_cast<IDataObject*>(this), out);
  if (iid == IID_IDataObjectExtras) return AnswerInterface(static_cast<IDataObjectExtras*>(this), out);
  if (iid == IID_IObjectAccessQuery) return AnswerInterface(static_cast<IObjectAccessQuery*>(this), out);
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT TCommonDataObject::CopyMedium(const STGMEDIUM& source, STGMEDIUM& dest, bool copyMode) {
  // A refused medium leaves the destination empty, never sharing the source's handle.
  const HRESULT result = CopyMediumInto(source, dest, copyMode);
  if (result != S_OK) dest = STGMEDIUM();
  return result;
}

HRESULT TCommonDataObject::CopyMediumInto(const STGMEDIUM& source, STGMEDIUM& dest, bool copyMode) {
  dest = source;
  IUnknown* self = static_cast<IDataObject*>(this);
  switch (source.tymed) {
    case TYMED_HGLOBAL:
      if (!copyMode) {
        dest.pUnkForRelease = self;
      } else {
        const size_t size = GlobalSize(source.hGlobal);
        const void* bytes = GlobalLock(source.hGlobal);
        dest.hGlobal = bytes || size == 0 ? GlobalCopy(GMEM_FIXED | GMEM_ZEROINIT, bytes, size) : nullptr;
        if (bytes) GlobalUnlock(source.hGlobal);
        if (!dest.hGlobal) return E_OUTOFMEMORY;
      }
      break;
    case TYMED_FILE:
      if (!copyMode) {
        dest.pUnkForRelease = self;
      } else {
        const char* name = source.lpszFileName ? source.lpszFileName : "";
        const size_t size = std::strlen(name) + 1;
        dest.lpszFileName = static_cast<char*>(CoTaskMemAlloc(size));
        if (!dest.lpszFileName) return E_OUTOFMEMORY;
        std::memcpy(dest.lpszFileName, name, size);
      }
      break;
    case TYMED_ISTREAM:
    case TYMED_ISTORAGE:
      if (source.pstm) source.pstm->AddRef();
      break;
    case TYMED_GDI:
    case TYMED_MFPICT:
    case TYMED_ENHMF:
      if (copyMode) return DV_E_TYMED;
      dest.pUnkForRelease = self;
      break;
    default:
      return DV_E_TYMED;
  }
  if (dest.pUnkForRelease) dest.pUnkForRelease->AddRef();
  return S_OK;
}

HRESULT TCommonDataObject::SetData(FORMATETC* format, STGMEDIUM* medium, int32_t release) {
  auto it = std::find_if(formats_.begin(), formats_.end(),
                         [&](const TDataObjectInfo& i) { return SameFormatEtc(i.FormatEtc, *format); });
  if (it == formats_.end()) {
    formats_.push_back({*format, {}, false});
    it = formats_.end() - 1;
  } else {
    ReleaseStgMedium(&it->StgMedium);
    it->StgMedium = STGMEDIUM();
  }
  TDataObjectInfo& info = *it;
  info.OwnedData = true;
  HRESULT result = S_OK;
  if (release) {
    info.StgMedium = *medium;
  } else {
    result = CopyMedium(*medium, info.StgMedium, true);
    if (result != S_OK) info.OwnedData = false;
  }
  if (info.StgMedium.pUnkForRelease) {
    IUnknown* identity = nullptr;
    if (info.StgMedium.pUnkForRelease->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)) == S_OK) {
      if (identity == Identity()) {
        info.StgMedium.pUnkForRelease->Release();
        info.StgMedium.pUnkForRelease = nullptr;
      }
      identity->Release();
    }
  }
  if (adviseHolder_) adviseHolder_->SendOnDataChange(this, 0, 0);
  return result;
}

HRESULT TCommonDataObject::QueryGetData(FORMATETC* format) {
  bool available = false, handled = false;
  DoQueryGetData(*format, available, handled);
  if (handled) return available ? S_OK : DV_E_FORMATETC;
  if (available) return S_OK;
  if (formats_.empty()) return E_UNEXPECTED;
  HRESULT result = DV_E_FORMATETC;
  for (const TDataObjectInfo& info : formats_) {
    if (info.FormatEtc.cfFormat != format->cfFormat)
      result = DV_E_FORMATETC;
    else if (info.FormatEtc.dwAspect != format->dwAspect)
      result = DV_E_DVASPECT;
    else
      result = (info.FormatEtc.tymed & format->tymed) ? S_OK : DV_E_TYMED;
    if (result != DV_E_FORMATETC) break;
  }
  return result;
}

HRESULT TCommonDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  bool handled = false;
  DoGetData(*format, *medium, handled);
  if (handled) return S_OK;
  if (formats_.empty()) return E_UNEXPECTED;
  const HRESULT query = QueryGetData(format);
  if (query != S_OK) return query;
  for (const TDataObjectInfo& info : formats_)
    if (info.OwnedData && SameFormatEtc(info.FormatEtc, *format)) return CopyMedium(info.StgMedium, *medium, false);
  return CanRenderFormat(*format, *medium) ? S_OK : E_UNEXPECTED;
}

HRESULT TCommonDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

HRESULT TCommonDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
  if (out) out->ptd = nullptr;
  return E_NOTIMPL;
}

HRESULT TCommonDataObject::EnumFormatEtc(uint32_t direction, IEnumFORMATETC** out) {
  if (direction != DATADIR_GET) {
    *out = nullptr;
    return E_NOTIMPL;
  }
  auto* e = new TCommonEnumFormatEtc;
  e->AddRef();
  for (const TDataObjectInfo& info : formats_) e->Formats().push_back(info.FormatEtc);
  DoEnumFormatEtc(direction, e->Formats());
  *out = e;
  return S_OK;
}

HRESULT TCommonDataObject::DAdvise(FORMATETC* format, uint32_t flags, IAdviseSink* sink, uint32_t* connection) {
  if (!adviseHolder_) {
    const HRESULT hr = CreateDataAdviseHolder(&adviseHolder_);
    if (hr != S_OK) return hr;
  }
  return adviseHolder_->Advise(this, format, flags, sink, connection);
}

HRESULT TCommonDataObject::DUnadvise(uint32_t connection) {
  return adviseHolder_ ? adviseHolder_->Unadvise(connection) : OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TCommonDataObject::EnumDAdvise(IUnknown** out) {
  *out = nullptr;
  return adviseHolder_ ? adviseHolder_->EnumAdvise(out) : OLE_E_ADVISENOTSUPPORTED;
}

bool TCommonDataObject::AssignDragImage(TBitmap*, TPoint, TColor) { return false; }

bool TCommonDataObject::SetRawData(CLIPFORMAT format, const void* data, int32_t byteCount) {
  if (byteCount < 0 || (!data && byteCount > 0)) return false;
  try {
    return StoreGlobal(this, format, GlobalCopy(GHND | GMEM_SHARE, data, size_t(byteCount)));
  } catch (const std::exception&) {
    return false;
  }
}

bool TCommonDataObject::GetRawData(CLIPFORMAT format, std::vector<uint8_t>& data) {
  FORMATETC f = HGlobalFormat(format);
  if (QueryGetData(&f) != S_OK) return false;
  STGMEDIUM m;
  if (GetData(&f, &m) != S_OK) return false;
  TScopeExit release([&] { ReleaseStgMedium(&m); });
  if (m.tymed != TYMED_HGLOBAL) return false;
  const size_t size = GlobalSize(m.hGlobal);
  const auto* bytes = static_cast<const uint8_t*>(GlobalLock(m.hGlobal));
  if (!bytes && size) return false;
  data.assign(bytes, bytes + size);
  if (bytes) GlobalUnlock(m.hGlobal);
  return true;
}

void TCommonDataObject::DoEnumFormatEtc(uint32_t, TFormatEtcArray&) {}

void TCommonDataObject::DoGetData(const FORMATETC& format, STGMEDIUM& medium, bool& handled) {
  if (OnGetData) OnGetData(this, format, medium, handled);
}

void TCommonDataObject::DoQueryGetData(const FORMATETC& format, bool& formatAvailable, bool& handled) {
  if (OnQueryGetData) OnQueryGetData(this, format, formatAvailable, handled);
}

bool TCommonDataObject::CanRenderFormat(const FORMATETC&, STGMEDIUM&) { return false; }

// ---------------------------------------------------------------- TCommonEnumFormatEtc

HRESULT TCommonEnumFormatEtc::QueryInterface(REFIID iid, void** out) {
  if (iid == IID_IUnknown || iid == IID_IEnumFORMATETC) return AnswerInterface(this, out);
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT TCommonEnumFormatEtc::Next(uint32_t count, FORMATETC* formats, uint32_t* fetched) {
  if (formats_.empty()) return E_UNEXPECTED;
  const uint32_t asked = std::min<uint32_t>(count, 256);
  uint32_t copied = 0;
  while (copied < asked && size_t(index_) < formats_.size()) formats[copied++] = formats_[size_t(index_++)];
  if (fetched) *fetched = copied;
  return copied == count ? S_OK : S_FALSE;
}

HRESULT TCommonEnumFormatEtc::Skip(uint32_t count) {
  if (formats_.empty()) return E_UNEXPECTED;
  if (formats_.size() - size_t(index_) < count) return S_FALSE;
  index_ += int32_t(count);
  return S_OK;
}

HRESULT TCommonEnumFormatEtc::Reset() {
  index_ = 0;
  return S_OK;
}

HRESULT TCommonEnumFormatEtc::Clone(IEnumFORMATETC** out) {
  auto* e = new TCommonEnumFormatEtc(formats_, index_);
  return AnswerInterface(static_cast<IEnumFORMATETC*>(e), reinterpret_cast<void**>(out));
}

// ---------------------------------------------------------------- TCommonHDrop

namespace {

constexpr uint32_t kDropFilesHeader = 20;

// The size of a DROPFILES block within available bytes; 0 when it does not fit.
size_t MeasureDropFiles(const uint8_t* block, size_t available) {
  if (available < kDropFilesHeader) return 0;
  const size_t offset = U32(block);
  const size_t unit = U32(block + 16) ? 2 : 1;
  if (offset < kDropFilesHeader || offset > available) return 0;
  size_t at = offset;
  for (;;) {
    const size_t start = at;
    for (;; at += unit) {
      if (at + unit > available) return 0;
      if (block[at] == 0 && (unit == 1 || block[at + 1] == 0)) break;
    }
    at += unit;
    if (at - start == unit) return at;  // the empty name closes the list
  }
}

}  // namespace

void TCommonHDrop::AssignFiles(const TStrings* files) {
  if (!files) return;
  FreeStructure();
  std::vector<std::string> ansi;
  bool wide = false;
  for (int32_t i = 0; i < files->Count() && !wide; ++i) {
    const std::string name = files->Strings(i);
    std::string bytes = Utf8ToCodePage(name);
    if (CodePageToUtf8(bytes) != name) wide = true;
    ansi.push_back(std::move(bytes));
  }
  // The 8-bit form keeps the room it always had: two bytes a name beyond its
  // characters and two closing bytes, so an empty list is 22 bytes. Both
  // forms get their terminators from the zero fill.
  size_t size = kDropFilesHeader + 2;
  std::vector<std::u16string> utf16;
  if (wide) {
    for (int32_t i = 0; i < files->Count(); ++i) {
      utf16.push_back(Utf8ToUtf16(files->Strings(i)));
      size += (utf16.back().size() + 1) * 2;
    }
  } else {
    for (const std::string& s : ansi) size += s.size() + 2;
  }
  block_.assign(size, 0);
  PutU32(block_.data(), kDropFilesHeader);
  PutU32(block_.data() + 16, wide ? 1 : 0);
  uint8_t* at = block_.data() + kDropFilesHeader;
  if (wide) {
    for (const std::u16string& s : utf16) {
      for (char16_t c : s) *at++ = uint8_t(c), *at++ = uint8_t(c >> 8);
      at += 2;
    }
  } else {
    for (const std::string& s : ansi) {
      std::memcpy(at, s.data(), s.size());
      at += s.size() + 1;
    }
  }
}

void TCommonHDrop::AllocStructure(size_t bytes) { block_.assign(bytes, 0); }

bool TCommonHDrop::AssignStructure(const void* block, size_t available) {
  FreeStructure();
  if (!block) return false;
  const auto* bytes = static_cast<const uint8_t*>(block);
  const size_t size = MeasureDropFiles(bytes, available);
  if (size == 0) return false;
  block_.assign(bytes, bytes + size);
  return true;
}

HGLOBAL TCommonHDrop::GetGlobalHandle() const {
  return block_.empty() ? nullptr : GlobalCopy(GHND, block_.data(), block_.size());
}

void TCommonHDrop::GetFormatEtc(FORMATETC& format) { format = HGlobalFormat(CF_HDROP); }

bool TCommonHDrop::LoadFromClipboard() {
  if (!OpenClipboard(nullptr)) return false;
  TScopeExit close([] { CloseClipboard(); });
  HGLOBAL h = GetClipboardData(CF_HDROP);
  if (!h) return false;
  const void* p = GlobalLock(h);
  if (!p) return false;
  TScopeExit unlock([&] { GlobalUnlock(h); });
  return AssignStructure(p, GlobalSize(h));
}

bool TCommonHDrop::SaveToClipboard() {
  HGLOBAL h = GetGlobalHandle();
  if (!h) return false;
  if (!OpenClipboard(nullptr)) {
    GlobalFree(h);
    return false;
  }
  TScopeExit close([] { CloseClipboard(); });
  if (SetClipboardData(CF_HDROP, h)) return true;
  GlobalFree(h);
  return false;
}

bool TCommonHDrop::LoadFromDataObject(IDataObject* dataObject) {
  return WithGlobalData(dataObject, CF_HDROP, [&](const void* p, size_t size) { return AssignStructure(p, size); });
}

bool TCommonHDrop::SaveToDataObject(IDataObject* dataObject) {
  return StoreGlobal(dataObject, CF_HDROP, GetGlobalHandle());
}

// ---------------------------------------------------------------- TCommonShellIDList

uint32_t TCommonShellIDList::Offset(uint32_t i) const { return U32(block_.data() + 4 + 4 * size_t(i)); }

void TCommonShellIDList::AssignPIDLs(TCommonPIDLList* list) {
  if (!list) return;
  block_.clear();
  TCommonPIDLManager& pm = list->PIDLManager();
  const size_t m = size_t(list->Count());
  if (m == 0) return;  // not even a parent: no block
  size_t size = 4 + 4 * m;
  // A nil entry is written as the empty list, so that every offset names a
  // list inside the block.
  static uint8_t empty[2] = {0, 0};
  auto entry = [&](size_t i) { return list->PIDLs(int32_t(i)) ? list->PIDLs(int32_t(i)) : empty; };
  for (size_t i = 0; i < m; ++i) size += size_t(pm.PIDLSize(entry(i)));
  block_.assign(size, 0);
  PutU32(block_.data(), uint32_t(m - 1));
  size_t at = 4 + 4 * m;
  for (size_t i = 0; i < m; ++i) {
    PutU32(block_.data() + 4 + 4 * i, uint32_t(at));
    const size_t n = size_t(pm.PIDLSize(entry(i)));
    std::memcpy(block_.data() + at, entry(i), n);
    at += n;
  }
}

int32_t TCommonShellIDList::ChildCount() const { return block_.empty() ? 0 : int32_t(U32(block_.data())); }

const uint8_t* TCommonShellIDList::ParentPIDL() const { return block_.empty() ? nullptr : block_.data() + Offset(0); }

const uint8_t* TCommonShellIDList::ChildPIDL(int32_t index) const {
  if (block_.empty() || index < 0 || index >= ChildCount()) return nullptr;
  return block_.data() + Offset(uint32_t(index) + 1);
}

size_t TCommonShellIDList::BlockSize() const {
  if (block_.empty()) return 0;
  const uint32_t n = U32(block_.data());
  size_t size = 4 + 4 * (size_t(n) + 1);
  for (uint32_t i = 0; i <= n; ++i) size += PIDLSizeWithin(block_.data() + Offset(i), block_.size() - Offset(i));
  return size;
}

bool TCommonShellIDList::AssignBlock(const void* block, size_t available) {
  block_.clear();
  if (!block || available < 4) return false;
  const auto* bytes = static_cast<const uint8_t*>(block);
  const uint64_t n = U32(bytes);
  const uint64_t header = 4 + 4 * (n + 1);
  if (header > available) return false;
  // Every list must end inside the block. They are copied back to back, so
  // the copy holds exactly what its offsets point at, whatever the sender's
  // layout was.
  std::vector<std::pair<size_t, size_t>> lists;
  size_t total = size_t(header);
  for (uint64_t i = 0; i <= n; ++i) {
    const size_t offset = U32(bytes + 4 + 4 * i);
    if (offset >= available) return false;
    const size_t size = PIDLSizeWithin(bytes + offset, available - offset);
    if (size == 0) return false;
    lists.emplace_back(offset, size);
    total += size;
  }
  block_.assign(total, 0);
  PutU32(block_.data(), uint32_t(n));
  size_t at = size_t(header);
  for (size_t i = 0; i < lists.size(); ++i) {
    PutU32(block_.data() + 4 + 4 * i, uint32_t(at));
    std::memcpy(block_.data() + at, bytes + lists[i].first, lists[i].second);
    at += lists[i].second;
  }
  return true;
}

void TCommonShellIDList::GetFormatEtc(FORMATETC& format) { format = HGlobalFormat(CF_SHELLIDLIST); }

bool TCommonShellIDList::LoadFromClipboard() {
  try {
    HGLOBAL h = GetClipboardData(CF_SHELLIDLIST);
    if (!h) return true;
    const void* p = GlobalLock(h);
    if (!p) return true;
    TScopeExit unlock([&] { GlobalUnlock(h); });
    AssignBlock(p, GlobalSize(h));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TCommonShellIDList::SaveToClipboard() {
  TComPtr<IDataObject> data(static_cast<IDataObject*>(new TCommonDataObject));
  data->AddRef();
  return SaveToDataObject(data.get()) && OleSetClipboard(data.get()) == S_OK;
}

bool TCommonShellIDList::LoadFromDataObject(IDataObject* dataObject) {
  return WithGlobalData(dataObject, CF_SHELLIDLIST, [&](const void* p, size_t size) { return AssignBlock(p, size); });
}

bool TCommonShellIDList::SaveToDataObject(IDataObject* dataObject) {
  return StoreGlobal(dataObject, CF_SHELLIDLIST, GlobalCopy(GMEM_FIXED | GMEM_ZEROINIT, block_.data(), BlockSize()));
}

// ---------------------------------------------------------------- TCommonInShellDragLoop

void TCommonInShellDragLoop::GetFormatEtc(FORMATETC& format) { format = HGlobalFormat(CF_INSHELLDRAGLOOP); }

bool TCommonInShellDragLoop::LoadFromDataObject(IDataObject* dataObject) {
  return WithGlobalData(dataObject, CF_INSHELLDRAGLOOP, [&](const void* p, size_t size) {
    if (size < 4) return false;
    value_ = U32(static_cast<const uint8_t*>(p));
    return true;
  });
}

bool TCommonInShellDragLoop::SaveToDataObject(IDataObject* dataObject) {
  uint8_t bytes[4];
  PutU32(bytes, value_);
  return StoreGlobal(dataObject, CF_INSHELLDRAGLOOP, GlobalCopy(GMEM_FIXED | GMEM_ZEROINIT, bytes, 4));
}
