// The shell's namespace interfaces as this platform's folders answer them:
// IShellFolder and IShellFolder2 over the desktop, Computer, the volumes'
// folders, the Trash and the empty virtual folders; IEnumIDList; the
// UI objects a folder hands out for its items; STRRET texts.
//
// Item-ID lists handed to a folder are relative to it (one item or more);
// lists a folder hands out come from the task allocator and belong to the
// caller. Texts are UTF-8; a file name's bytes are kept exactly in parsing
// names, display names show invalid bytes and control characters as U+FFFD.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/com/com.h"
#include "platform/com/dataobj.h"
#include "platform/com/oleacc.h"
#include "platform/shell/pidl.h"
#include "platform/shell/places.h"
#include "platform/win/winuser.h"

namespace win {

extern const IID IID_IShellFolder, IID_IShellFolder2, IID_IEnumIDList, IID_IPersist, IID_IPersistFolder,
    IID_IExtractIconW, IID_IQueryInfo, IID_IDropTarget;

// A returned text. This platform always answers STRRET_WSTR with task memory.
constexpr uint32_t STRRET_WSTR = 0, STRRET_OFFSET = 1, STRRET_CSTR = 2;
struct STRRET {
  uint32_t uType = STRRET_CSTR;
  union {
    char* pOleStr;     // task memory, UTF-8
    uint32_t uOffset;  // into the item's bytes
    char cStr[260] = {};
  };
};
// The text of s (freeing task memory it holds); pidl is the item an offset
// points into. "" for a malformed record.
std::string StrRetToString(STRRET* s, PCIDL pidl = nullptr);

struct SHELLDETAILS {
  int32_t fmt = LVCFMT_LEFT;
  int32_t cxChar = 0;
  STRRET str;
};
// A property key: the storage property set and a property number.
struct SHCOLUMNID {
  TGUID fmtid;
  uint32_t pid = 0;
};
extern const TGUID FMTID_Storage;

struct IEnumIDList : IUnknown {
  virtual HRESULT Next(ULONG count, PIDL* items, ULONG* fetched) = 0;
  virtual HRESULT Skip(ULONG count) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumIDList** out) = 0;

protected:
  ~IEnumIDList() = default;
};

struct IShellFolder : IUnknown {
  virtual HRESULT ParseDisplayName(HWND owner, void* bindContext, std::string_view name, ULONG* eaten,
                                   PIDL* pidl, ULONG* attributes) = 0;
  virtual HRESULT EnumObjects(HWND owner, uint32_t flags, IEnumIDList** out) = 0;
  virtual HRESULT BindToObject(PCIDL pidl, void* bindContext, REFIID iid, void** out) = 0;
  virtual HRESULT BindToStorage(PCIDL pidl, void* bindContext, REFIID iid, void** out) = 0;
  // The result's code (low 16 bits) is the comparison as a signed 16-bit number.
  virtual HRESULT CompareIDs(LPARAM column, PCIDL a, PCIDL b) = 0;
  virtual HRESULT CreateViewObject(HWND owner, REFIID iid, void** out) = 0;
  virtual HRESULT GetAttributesOf(UINT count, PCIDL* pidls, ULONG* attributes) = 0;
  virtual HRESULT GetUIObjectOf(HWND owner, UINT count, PCIDL* pidls, REFIID iid, UINT* reserved, void** out) = 0;
  virtual HRESULT GetDisplayNameOf(PCIDL pidl, uint32_t flags, STRRET* name) = 0;
  virtual HRESULT SetNameOf(HWND owner, PCIDL pidl, std::string_view name, uint32_t flags, PIDL* out) = 0;

protected:
  ~IShellFolder() = default;
};

struct IShellFolder2 : IShellFolder {
  virtual HRESULT GetDefaultSearchGUID(TGUID* guid) = 0;
  virtual HRESULT EnumSearches(IUnknown** out) = 0;
  virtual HRESULT GetDefaultColumn(uint32_t reserved, ULONG* sort, ULONG* display) = 0;
  virtual HRESULT GetDefaultColumnState(UINT column, uint32_t* state) = 0;
  virtual HRESULT GetDetailsEx(PCIDL pidl, const SHCOLUMNID* column, VARIANT* value) = 0;
  // With pidl null: the column's title.
  virtual HRESULT GetDetailsOf(PCIDL pidl, UINT column, SHELLDETAILS* details) = 0;
  virtual HRESULT MapColumnToSCID(UINT column, SHCOLUMNID* id) = 0;

protected:
  ~IShellFolder2() = default;
};

struct IPersist : IUnknown {
  virtual HRESULT GetClassID(CLSID* id) = 0;

protected:
  ~IPersist() = default;
};

// ---------------------------------------------------------------- UI objects
// What a drop does.
constexpr uint32_t DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2, DROPEFFECT_LINK = 4;
struct POINTL {
  int32_t x = 0, y = 0;
};
// A folder as the target of a drag: files of the data object's CF_HDROP
// list are copied or moved into it (into the trash, for the Trash).
struct IDropTarget : IUnknown {
  virtual HRESULT DragEnter(IDataObject* data, uint32_t keyState, POINTL pt, uint32_t* effect) = 0;
  virtual HRESULT DragOver(uint32_t keyState, POINTL pt, uint32_t* effect) = 0;
  virtual HRESULT DragLeave() = 0;
  virtual HRESULT Drop(IDataObject* data, uint32_t keyState, POINTL pt, uint32_t* effect) = 0;

protected:
  ~IDropTarget() = default;
};

// Icon location flags.
constexpr uint32_t GIL_OPENICON = 0x1, GIL_FORSHELL = 0x2, GIL_NOTFILENAME = 0x8, GIL_PERCLASS = 0x40;
// Where an item's icon lies: this platform's system icons ("*" with the index
// of platform/shell/shellinfo.h). Extract answers S_FALSE: the caller draws
// from the system icons itself.
struct IExtractIconW : IUnknown {
  virtual HRESULT GetIconLocation(uint32_t flags, char* iconFile, UINT size, int32_t* index, uint32_t* outFlags) = 0;
  virtual HRESULT Extract(const char* iconFile, UINT index, HICON* large, HICON* small, UINT sizes) = 0;

protected:
  ~IExtractIconW() = default;
};

// The tooltip of an item: its type, size and modification time, one a line.
struct IQueryInfo : IUnknown {
  virtual HRESULT GetInfoTip(uint32_t flags, char** tip) = 0;  // task memory
  virtual HRESULT GetInfoFlags(uint32_t* flags) = 0;

protected:
  ~IQueryInfo() = default;
};

// The "Shell IDList Array" clipboard format that item data objects offer
// besides CF_HDROP.
CLIPFORMAT ShellIDListFormat();

// The desktop folder, one reference more.
HRESULT SHGetDesktopFolder(IShellFolder** out);
// The absolute list of a special folder (CSIDL_* of platform/shell/shellpaths.h);
// E_INVALIDARG with *pidl null for one that has no meaning here or is missing.
HRESULT SHGetSpecialFolderLocation(HWND owner, int32_t csidl, PIDL* pidl);

}  // namespace win
