// The objects a folder hands out for its items: a data object (CF_HDROP and
// the shell's item-list array), a drop target for folders and the Trash,
// icon locations and info tips.
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/rtl/sysutils.h"
#include "platform/rtl/taskmem.h"
#include "platform/rtl/text.h"
#include "platform/shell/folders/shellitems.h"
#include "platform/shell/shellexec.h"
#include "platform/shell/shellinfo.h"
#include "platform/shell/shellpaths.h"
#include "platform/shell/sysicons.h"

namespace win {

const IID IID_IExtractIconW{0x000214FA, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IQueryInfo{0x00021500, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IDropTarget{0x00000122, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

CLIPFORMAT ShellIDListFormat() { return CLIPFORMAT(RegisterClipboardFormat("Shell IDList Array")); }

namespace {

void PutU32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}
uint32_t GetU32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

HGLOBAL GlobalOf(const std::vector<uint8_t>& bytes) {
  HGLOBAL h = GlobalAlloc(GHND, bytes.size());
  if (!h) return nullptr;
  std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
  GlobalUnlock(h);
  return h;
}

// DROPFILES: pFiles, pt.x, pt.y, fNC, fWide; then the names in UTF-16LE,
// each ended by a 0, the list by another.
std::vector<uint8_t> DropBlock(const std::vector<std::string>& paths) {
  std::vector<uint8_t> b;
  PutU32(b, 20);
  PutU32(b, 0);
  PutU32(b, 0);
  PutU32(b, 0);
  PutU32(b, 1);
  for (const std::string& p : paths) {
    for (char16_t c : Utf8ToUtf16(p)) b.push_back(uint8_t(c)), b.push_back(uint8_t(c >> 8));
    b.push_back(0), b.push_back(0);
  }
  b.push_back(0), b.push_back(0);
  return b;
}

// CIDA: count, count + 1 offsets, the parent's list, the children's lists.
std::vector<uint8_t> IdListArray(const std::vector<TPidlItem>& parent, const std::vector<TPidlItem>& children) {
  std::vector<std::vector<uint8_t>> lists;
  lists.push_back(EncodePidl(parent).value_or(std::vector<uint8_t>{0, 0}));
  for (const TPidlItem& c : children) lists.push_back(EncodePidl({c}).value_or(std::vector<uint8_t>{0, 0}));
  std::vector<uint8_t> b;
  PutU32(b, uint32_t(children.size()));
  uint32_t offset = uint32_t(4 + 4 * lists.size());
  for (const auto& l : lists) PutU32(b, offset), offset += uint32_t(l.size());
  for (const auto& l : lists) b.insert(b.end(), l.begin(), l.end());
  return b;
}

}  // namespace

// The names of a DROPFILES block, every offset checked against its size;
// nothing when it is malformed.
std::optional<std::vector<std::string>> FilesOfDropBlock(const uint8_t* block, size_t size) {
  if (!block || size < 20) return std::nullopt;
  const uint32_t start = GetU32(block);
  const bool wide = GetU32(block + 16) != 0;
  if (start < 20 || start > size) return std::nullopt;
  std::vector<std::string> names;
  size_t pos = start;
  const size_t unit = wide ? 2 : 1;
  for (;;) {
    std::u16string w;
    std::string narrow;
    for (;;) {
      if (size - pos < unit) return std::nullopt;  // no terminator
      const char16_t c = wide ? char16_t(block[pos] | block[pos + 1] << 8) : char16_t(block[pos]);
      pos += unit;
      if (!c) break;
      if (wide) w += c;
      else narrow += char(c);
    }
    if (w.empty() && narrow.empty()) break;
    // The 8-bit form is Windows-1252, the form writers choose when every name fits it.
    names.push_back(wide ? Utf16ToUtf8(w) : CodePageToUtf8(narrow, 1252));
  }
  return names;
}

namespace {

bool GiveFormat(const FORMATETC& format, FORMATETC& out) {
  out = format;
  return true;
}
using TFormatEnumerator = TSnapshotEnumerator<IEnumFORMATETC, FORMATETC, FORMATETC, IID_IEnumFORMATETC, &GiveFormat>;

class TItemsDataObject final : public TComObject<IDataObject> {
public:
  TItemsDataObject(std::vector<TPidlItem> parent, std::vector<TPidlItem> children)
      : parent_(std::move(parent)), children_(std::move(children)) {
    for (const TPidlItem& c : children_) {
      std::vector<TPidlItem> abs = parent_;
      abs.push_back(c);
      if (const auto p = PathOfItems(abs)) paths_.push_back(*p);
    }
  }
  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDataObject) return AnswerInterface<IDataObject>(this, out);
    return E_NOINTERFACE;
  }
  HRESULT GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (!format || !medium) return E_POINTER;
    const HRESULT ok = QueryGetData(format);
    if (ok != S_OK) return ok;
    const std::vector<uint8_t> bytes =
        format->cfFormat == CF_HDROP ? DropBlock(paths_) : IdListArray(parent_, children_);
    HGLOBAL h = GlobalOf(bytes);
    if (!h) return E_OUTOFMEMORY;
    *medium = STGMEDIUM();
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = h;
    return S_OK;
  }
  HRESULT GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT QueryGetData(FORMATETC* format) override {
    if (!format) return E_POINTER;
    const bool known = (format->cfFormat == CF_HDROP && paths_.size() == children_.size()) ||
                       format->cfFormat == ShellIDListFormat();
    if (!known) return DV_E_FORMATETC;
    return format->tymed & TYMED_HGLOBAL ? S_OK : DV_E_TYMED;
  }
  HRESULT GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT SetData(FORMATETC*, STGMEDIUM*, int32_t) override { return E_NOTIMPL; }
  HRESULT EnumFormatEtc(uint32_t direction, IEnumFORMATETC** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    if (paths_.size() == children_.size()) formats.push_back({CLIPFORMAT(CF_HDROP), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    formats.push_back({ShellIDListFormat(), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    return AnswerInterface<IEnumFORMATETC>(new TFormatEnumerator(std::move(formats)), reinterpret_cast<void**>(out));
  }
  HRESULT DAdvise(FORMATETC*, uint32_t, IAdviseSink*, uint32_t*) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT DUnadvise(uint32_t) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT EnumDAdvise(IUnknown** out) override {
    if (out) *out = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
  }

private:
  std::vector<TPidlItem> parent_, children_;
  std::vector<std::string> paths_;
};

// Files dropped on a folder: moved with Shift, copied with Ctrl, else moved
// within one file system and copied across, as far as the source allows.
class TFolderDropTarget final : public TComObject<IDropTarget> {
public:
  TFolderDropTarget(std::string folder, bool trash) : folder_(std::move(folder)), trash_(trash) {}
  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDropTarget) return AnswerInterface<IDropTarget>(this, out);
    return E_NOINTERFACE;
  }
  HRESULT DragEnter(IDataObject* data, uint32_t keyState, POINTL, uint32_t* effect) override {
    if (!effect) return E_INVALIDARG;
    files_ = Files(data);
    *effect = Choose(keyState, *effect);
    return S_OK;
  }
  HRESULT DragOver(uint32_t keyState, POINTL, uint32_t* effect) override {
    if (!effect) return E_INVALIDARG;
    *effect = Choose(keyState, *effect);
    return S_OK;
  }
  HRESULT DragLeave() override {
    files_.reset();
    return S_OK;
  }
  HRESULT Drop(IDataObject* data, uint32_t keyState, POINTL, uint32_t* effect) override {
    if (!effect) return E_INVALIDARG;
    files_ = Files(data);
    const uint32_t chosen = Choose(keyState, *effect);
    *effect = DROPEFFECT_NONE;
    if (chosen == DROPEFFECT_NONE) return S_OK;
    std::string from;
    for (const std::string& f : *files_) from += f + '\0';
    from += '\0';
    const std::string to = folder_ + '\0' + '\0';
    SHFILEOPSTRUCTW op;
    op.wFunc = trash_ ? FO_DELETE : chosen == DROPEFFECT_MOVE ? FO_MOVE : FO_COPY;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    op.fFlags = FOF_RENAMEONCOLLISION | FOF_NOCONFIRMATION | FOF_ALLOWUNDO;
    files_.reset();
    if (SHFileOperationW(&op) != 0) return E_FAIL;
    *effect = chosen;
    return S_OK;
  }

private:
  static std::optional<std::vector<std::string>> Files(IDataObject* data) {
    if (!data) return std::nullopt;
    FORMATETC f{CLIPFORMAT(CF_HDROP), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM m;
    if (data->GetData(&f, &m) != S_OK) return std::nullopt;
    std::optional<std::vector<std::string>> names;
    if (m.tymed == TYMED_HGLOBAL && m.hGlobal) {
      const auto* p = static_cast<const uint8_t*>(GlobalLock(m.hGlobal));
      names = FilesOfDropBlock(p, GlobalSize(m.hGlobal));
      GlobalUnlock(m.hGlobal);
    }
    ReleaseStgMedium(&m);
    if (names && names->empty()) names.reset();
    return names;
  }
  uint32_t Choose(uint32_t keyState, uint32_t allowed) const {
    if (!files_) return DROPEFFECT_NONE;
    if (trash_) return allowed & DROPEFFECT_MOVE;
    uint32_t wanted;
    if (keyState & MK_CONTROL) wanted = DROPEFFECT_COPY;
    else if (keyState & MK_SHIFT) wanted = DROPEFFECT_MOVE;
    else wanted = SameDevice() ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
    if (allowed & wanted) return wanted;
    if (allowed & DROPEFFECT_MOVE) return DROPEFFECT_MOVE;
    return allowed & DROPEFFECT_COPY;
  }
  bool SameDevice() const {
    TFileIdentity target, source;
    int error = 0;
    if (!ReadFileIdentity(folder_, false, target, error)) return false;
    for (const std::string& f : *files_)
      if (!ReadFileIdentity(f, true, source, error) || source.Device != target.Device) return false;
    return true;
  }

  std::string folder_;
  bool trash_;
  std::optional<std::vector<std::string>> files_;
};

class TItemIcon final : public TComObject<IExtractIconW> {
public:
  explicit TItemIcon(std::vector<TPidlItem> abs) : abs_(std::move(abs)) {}
  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IExtractIconW) return AnswerInterface<IExtractIconW>(this, out);
    return E_NOINTERFACE;
  }
  HRESULT GetIconLocation(uint32_t flags, char* iconFile, UINT size, int32_t* index, uint32_t* outFlags) override {
    if (!iconFile || size < 2 || !index || !outFlags) return E_INVALIDARG;
    PIDL pidl = PidlCreate(abs_);
    SHFILEINFOW info;
    const uint32_t open = flags & GIL_OPENICON ? SHGFI_OPENICON : 0;
    const bool found = pidl && SHGetFileInfoW(reinterpret_cast<const char*>(pidl), 0, &info, sizeof info,
                                              SHGFI_PIDL | SHGFI_SYSICONINDEX | open);
    TaskMemFree(pidl);
    if (!found) return E_FAIL;
    std::strcpy(iconFile, "*");
    *index = info.iIcon;
    *outFlags = GIL_NOTFILENAME | GIL_PERCLASS;
    return S_OK;
  }
  // The location GetIconLocation gave is the system image list ("*").
  HRESULT Extract(const char* iconFile, UINT index, HICON* large, HICON* small, UINT) override {
    if (large) *large = nullptr;
    if (small) *small = nullptr;
    if (!iconFile || std::strcmp(iconFile, "*") != 0 || index >= UINT(SYSICON_COUNT)) return S_FALSE;
    if (large) *large = SystemIcon(int32_t(index), false);
    if (small) *small = SystemIcon(int32_t(index), true);
    return S_OK;
  }

private:
  std::vector<TPidlItem> abs_;
};

class TItemInfo final : public TComObject<IQueryInfo> {
public:
  TItemInfo(TFolderPlace parent, TPidlItem item) : parent_(std::move(parent)), item_(std::move(item)) {}
  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IQueryInfo) return AnswerInterface<IQueryInfo>(this, out);
    return E_NOINTERFACE;
  }
  HRESULT GetInfoTip(uint32_t, char** tip) override {
    if (!tip) return E_POINTER;
    *tip = nullptr;
    std::string text;
    const char* labels[] = {nullptr, "Size", "Type", "Date modified"};
    for (uint32_t c : {2u, 1u, 3u}) {
      const std::optional<std::string> value = DetailText(parent_, {item_}, c);
      if (value && !value->empty()) text += (text.empty() ? "" : "\n") + std::string(labels[c]) + ": " + *value;
    }
    *tip = TaskMemText(text);
    return *tip ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT GetInfoFlags(uint32_t* flags) override {
    if (!flags) return E_POINTER;
    *flags = 0;
    return S_OK;
  }

private:
  TFolderPlace parent_;
  TPidlItem item_;
};

}  // namespace

HRESULT FolderDropTarget(const TFolderPlace& place, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (place.Kind != fkDirectory && place.Kind != fkTrash) return E_NOINTERFACE;
  return AnswerInterface<IDropTarget>(new TFolderDropTarget(place.Path, place.Kind == fkTrash), out);
}

HRESULT UIObjectOf(const TFolderPlace& place, HWND, UINT count, PCIDL* pidls, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!count || !pidls) return E_INVALIDARG;
  std::vector<TPidlItem> children;
  for (UINT i = 0; i < count; ++i) {
    const auto rel = PidlItems(pidls[i]);
    if (!rel || rel->size() != 1) return E_INVALIDARG;
    children.push_back(rel->front());
  }
  if (iid == IID_IDataObject)
    return AnswerInterface<IDataObject>(new TItemsDataObject(place.Items, std::move(children)), out);
  if (count != 1) return E_INVALIDARG;  // the rest are of one item
  std::vector<TPidlItem> abs = place.Items;
  abs.push_back(children.front());
  if (iid == IID_IDropTarget) {
    const std::optional<TFolderPlace> target = PlaceOfItems(abs);
    return target ? FolderDropTarget(*target, out) : E_NOINTERFACE;
  }
  if (iid == IID_IExtractIconW) return AnswerInterface<IExtractIconW>(new TItemIcon(std::move(abs)), out);
  if (iid == IID_IQueryInfo) return AnswerInterface<IQueryInfo>(new TItemInfo(place, children.front()), out);
  return E_NOINTERFACE;
}

}  // namespace win
