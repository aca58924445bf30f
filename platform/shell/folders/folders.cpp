// The namespace's folders. One class serves every kind: what differs is the
// list of children and how a child's names and attributes are found.
#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/rtl/taskmem.h"
#include "platform/shell/folders/shellitems.h"
#include "platform/shell/shellexec.h"
#include "platform/shell/shellpaths.h"

namespace win {

const IID IID_IShellFolder{0x000214E6, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IShellFolder2{0x93F2F68C, 0x1D1B, 0x11D3, {0xA3, 0x0E, 0x00, 0xC0, 0x4F, 0x79, 0xAB, 0xD1}};
const IID IID_IEnumIDList{0x000214F2, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IPersist{0x0000010C, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const TGUID FMTID_Storage{0xB725F130, 0x47EF, 0x101A, {0xA5, 0xF1, 0x02, 0x60, 0x8C, 0x9E, 0xEB, 0xAC}};

std::string StrRetToString(STRRET* s, PCIDL pidl) {
  if (!s) return {};
  switch (s->uType) {
    case STRRET_WSTR: {
      std::string text = s->pOleStr ? s->pOleStr : "";
      TaskMemFree(s->pOleStr);
      s->pOleStr = nullptr;
      return text;
    }
    case STRRET_OFFSET: {
      const size_t room = TaskMemBytesFrom(pidl);
      if (!pidl || s->uOffset >= room) return {};
      const void* nul = std::memchr(pidl + s->uOffset, 0, room - s->uOffset);
      return nul ? std::string(reinterpret_cast<const char*>(pidl + s->uOffset)) : std::string();
    }
    case STRRET_CSTR: {
      const void* nul = std::memchr(s->cStr, 0, sizeof s->cStr);
      return std::string(s->cStr, nul ? static_cast<const char*>(nul) - s->cStr : sizeof s->cStr);
    }
    default:
      return {};
  }
}

namespace {

constexpr HRESULT kAccessDenied = HRESULT(0x80070005u), kFileNotFound = HRESULT(0x80070002u),
                  kAlreadyExists = HRESULT(0x800700B7u);

HRESULT HresultOfErrno(int e) {
  switch (e) {
    case EACCES:
    case EPERM: return kAccessDenied;
    case ENOENT:
    case ENOTDIR: return kFileNotFound;
    case EEXIST:
    case ENOTEMPTY: return kAlreadyExists;
    default: return E_FAIL;
  }
}

HRESULT SetText(STRRET* out, const std::string& text) {
  char* p = TaskMemText(text);
  if (!p) return E_OUTOFMEMORY;
  out->uType = STRRET_WSTR;
  out->pOleStr = p;
  return S_OK;
}

// ---------------------------------------------------------------- enumerator
bool GiveItem(const TPidlItem& item, PIDL& out) {
  out = PidlCreate({item});
  return out != nullptr;
}
using TEnumIDList = TSnapshotEnumerator<IEnumIDList, TPidlItem, PIDL, IID_IEnumIDList, &GiveItem>;

// ---------------------------------------------------------------- folder
class TShellFolder final : public TComObject<IShellFolder2, IPersist> {
public:
  explicit TShellFolder(TFolderPlace place) : place_(std::move(place)) {}

  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IShellFolder || iid == IID_IShellFolder2)
      return AnswerInterface<IShellFolder2>(this, out);
    if (iid == IID_IPersist) return AnswerInterface<IPersist>(this, out);
    return E_NOINTERFACE;
  }

  HRESULT GetClassID(CLSID* id) override {
    if (!id) return E_POINTER;
    *id = place_.Kind == fkVirtual || place_.Kind == fkComputer || place_.Kind == fkTrash ? place_.Items.back().Folder
                                                                                      : TGUID{};
    return S_OK;
  }

  HRESULT ParseDisplayName(HWND, void*, std::string_view name, ULONG* eaten, PIDL* pidl,
                           ULONG* attributes) override {
    if (!pidl) return E_POINTER;
    *pidl = nullptr;
    const std::optional<std::vector<TPidlItem>> rel = ParseRelative(place_, name);
    if (!rel) return E_INVALIDARG;
    *pidl = PidlCreate(*rel);
    if (!*pidl) return E_OUTOFMEMORY;
    if (eaten) *eaten = ULONG(name.size());
    if (attributes && *attributes) {
      PCIDL one = *pidl;
      GetAttributesOf(1, &one, attributes);
    }
    return S_OK;
  }

  HRESULT EnumObjects(HWND, uint32_t flags, IEnumIDList** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    std::vector<TPidlItem> children;
    const int error = ListChildren(place_, children);
    if (error) return HresultOfErrno(error);
    std::erase_if(children, [&](const TPidlItem& it) {
      const bool folder = IsFolderItem(it);
      if (folder ? !(flags & SHCONTF_FOLDERS) : !(flags & SHCONTF_NONFOLDERS)) return true;
      return (it.Attributes & PIDL_ATTR_HIDDEN) && IsFileItem(it) && !(flags & SHCONTF_INCLUDEHIDDEN);
    });
    return AnswerInterface<IEnumIDList>(new TEnumIDList(std::move(children)), reinterpret_cast<void**>(out));
  }

  HRESULT BindToObject(PCIDL pidl, void*, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    const auto rel = PidlItems(pidl);
    if (!rel || rel->empty()) return E_INVALIDARG;
    std::vector<TPidlItem> abs = place_.Items;
    abs.insert(abs.end(), rel->begin(), rel->end());
    std::optional<TFolderPlace> child = PlaceOfItems(abs);
    if (!child) return E_FAIL;
    TComPtr<TShellFolder> folder(new TShellFolder(std::move(*child)));
    folder->AddRef();
    return folder->QueryInterface(iid, out);
  }

  HRESULT BindToStorage(PCIDL, void*, REFIID, void** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }

  HRESULT CompareIDs(LPARAM column, PCIDL a, PCIDL b) override {
    const auto x = PidlItems(a), y = PidlItems(b);
    if (!x || !y) return E_INVALIDARG;
    const int r = CompareItemLists(place_, int32_t(column & 0xFFFF), *x, *y);
    return HRESULT(uint16_t(int16_t(r)));
  }

  HRESULT CreateViewObject(HWND, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IShellFolder || iid == IID_IShellFolder2) return QueryInterface(iid, out);
    if (iid == IID_IDropTarget) return FolderDropTarget(place_, out);
    return E_NOINTERFACE;
  }

  HRESULT GetAttributesOf(UINT count, PCIDL* pidls, ULONG* attributes) override {
    if (!attributes) return E_POINTER;
    const bool validate = *attributes & SFGAO_VALIDATE;
    if (count == 0) {
      *attributes &= place_.Kind == fkDesktop ? (SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR)
                                              : SFGAO_FOLDER;
      return S_OK;
    }
    if (!pidls) return E_POINTER;
    ULONG result = 0xFFFFFFFF;
    for (UINT i = 0; i < count; ++i) {
      const auto rel = PidlItems(pidls[i]);
      if (!rel || rel->empty()) return E_INVALIDARG;
      TFolderPlace parent = place_;
      parent.Items.insert(parent.Items.end(), rel->begin(), rel->end() - 1);
      if (rel->size() > 1) {
        auto p = PlaceOfItems(parent.Items);
        if (!p) return E_FAIL;
        parent = std::move(*p);
      }
      const std::optional<uint32_t> a = AttributesOfChild(parent, rel->back(), *attributes, validate);
      if (!a) return validate ? kFileNotFound : E_INVALIDARG;
      result &= *a;
    }
    *attributes &= result;
    return S_OK;
  }

  HRESULT GetUIObjectOf(HWND owner, UINT count, PCIDL* pidls, REFIID iid, UINT*, void** out) override {
    return UIObjectOf(place_, owner, count, pidls, iid, out);
  }

  HRESULT GetDisplayNameOf(PCIDL pidl, uint32_t flags, STRRET* name) override {
    if (!name) return E_POINTER;
    const auto rel = PidlItems(pidl);
    if (!rel) return E_INVALIDARG;
    const std::optional<std::string> text = DisplayNameOf(place_, *rel, flags);
    if (!text) return E_FAIL;
    return SetText(name, *text);
  }

  HRESULT SetNameOf(HWND, PCIDL pidl, std::string_view name, uint32_t, PIDL* out) override {
    if (out) *out = nullptr;
    const auto rel = PidlItems(pidl);
    if (!rel || rel->size() != 1) return E_INVALIDARG;
    if (place_.Kind != fkDirectory) return E_FAIL;
    if (!ValidChildName(name)) return E_INVALIDARG;
    const std::string from = ChildPath(place_, rel->front().Name), to = ChildPath(place_, std::string(name));
    if (from != to && !RenameNoReplace(from, to)) return HresultOfErrno(errno);
    const std::optional<TPidlItem> fresh = ItemOfEntry(place_.Path, std::string(name));
    if (!fresh) return E_FAIL;
    if (out) {
      *out = PidlCreate({*fresh});
      if (!*out) return E_OUTOFMEMORY;
    }
    return S_OK;
  }

  HRESULT GetDefaultSearchGUID(TGUID*) override { return E_NOTIMPL; }
  HRESULT EnumSearches(IUnknown** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT GetDefaultColumn(uint32_t, ULONG* sort, ULONG* display) override {
    if (!sort || !display) return E_POINTER;
    *sort = *display = 0;
    return S_OK;
  }
  HRESULT GetDefaultColumnState(UINT column, uint32_t* state) override {
    if (!state) return E_POINTER;
    const TColumn* c = ColumnOf(column);
    if (!c) return E_INVALIDARG;
    *state = c->State;
    return S_OK;
  }
  HRESULT GetDetailsEx(PCIDL pidl, const SHCOLUMNID* id, VARIANT* value) override {
    if (!id || !value) return E_POINTER;
    const auto rel = PidlItems(pidl);
    if (!rel || rel->empty()) return E_INVALIDARG;
    return DetailValue(*id, rel->back(), value);
  }
  HRESULT GetDetailsOf(PCIDL pidl, UINT column, SHELLDETAILS* details) override {
    if (!details) return E_POINTER;
    const TColumn* c = ColumnOf(column);
    if (!c) return E_INVALIDARG;
    details->fmt = c->Format;
    details->cxChar = c->Width;
    if (!pidl) return SetText(&details->str, c->Title);
    const auto rel = PidlItems(pidl);
    if (!rel || rel->empty()) return E_INVALIDARG;
    const std::optional<std::string> text = DetailText(place_, *rel, column);
    if (!text) return E_FAIL;
    return SetText(&details->str, *text);
  }
  HRESULT MapColumnToSCID(UINT column, SHCOLUMNID* id) override {
    if (!id) return E_POINTER;
    const TColumn* c = ColumnOf(column);
    if (!c) return E_INVALIDARG;
    id->fmtid = FMTID_Storage;
    id->pid = c->PropertyId;
    return S_OK;
  }

private:
  TFolderPlace place_;
};

}  // namespace

HRESULT SHGetDesktopFolder(IShellFolder** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return AnswerInterface<IShellFolder>(new TShellFolder(*PlaceOfItems({})), reinterpret_cast<void**>(out));
}

HRESULT SHGetSpecialFolderLocation(HWND, int32_t csidl, PIDL* pidl) {
  if (!pidl) return E_POINTER;
  *pidl = nullptr;
  const std::optional<std::vector<TPidlItem>> items = SpecialFolderItems(csidl);
  if (!items) return E_INVALIDARG;
  *pidl = PidlCreate(*items);
  return *pidl ? S_OK : E_OUTOFMEMORY;
}

}  // namespace win
