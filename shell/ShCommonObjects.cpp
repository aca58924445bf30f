#include "shell/ShCommonObjects.h"

#include <cstring>

#include "platform/classes/streams.h"
#include "platform/classes/strings.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/scopeexit.h"
#include "platform/shell/folders/shlobj.h"
#include "platform/shell/shellpaths.h"
#include "platform/vcl/graphics.h"
#include "shell/ShCommonUtilities.h"
#include "shell/ShDataObject.h"
#include "shell/UnitSupport.h"
#include "ui/lookandfeel/dxThemeManager.h"

using namespace win;

namespace {

uint16_t CB(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

int32_t ReadI32(TStream& s) {
  uint8_t b[4];
  s.ReadBuffer(b, 4);
  return int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

void WriteI32(TStream& s, int32_t v) {
  const uint32_t u = uint32_t(v);
  const uint8_t b[4] = {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
  s.WriteBuffer(b, 4);
}

// A count read from a stream promises bytes the stream must still hold.
void CheckBytesLeft(TStream& s, int64_t needed) {
  if (needed > s.Size() - s.Position()) throw EReadError("Stream read error");
}

}  // namespace

size_t PIDLSizeWithin(const uint8_t* pidl, size_t available) {
  if (!pidl) return 0;
  size_t at = 0;
  while (at + 2 <= available) {
    const uint16_t cb = CB(pidl + at);
    if (cb == 0) return at + 2;
    if (cb < 2) return 0;
    at += cb;
  }
  return 0;
}

// ---------------------------------------------------------------- TCommonPIDLManager

TCommonPIDLManager::TCommonPIDLManager() {
  if (SHGetMalloc(&malloc_) == E_FAIL) throw EOutOfMemory("Can not allocate the IMalloc memory interface");
}

TCommonPIDLManager::~TCommonPIDLManager() {
  if (malloc_) malloc_->Release();
}

TPIDL TCommonPIDLManager::NextID(TPIDL pidl) const { return pidl ? pidl + CB(pidl) : nullptr; }

int32_t TCommonPIDLManager::IDCount(TPIDL pidl) const {
  int32_t n = 0;
  if (pidl)
    for (; CB(pidl) != 0; pidl = NextID(pidl)) ++n;
  return n;
}

int32_t TCommonPIDLManager::PIDLSize(TPIDL pidl) const {
  if (!pidl) return 0;
  int32_t size = 2;
  for (; CB(pidl) != 0; pidl = NextID(pidl)) size += CB(pidl);
  return size;
}

bool TCommonPIDLManager::IsDesktopFolder(TPIDL pidl) const { return pidl && CB(pidl) == 0; }

TPIDL TCommonPIDLManager::CopyPIDL(TPIDL pidl) const {
  if (!pidl || !malloc_) return nullptr;
  const int32_t size = PIDLSize(pidl);
  auto* copy = static_cast<TPIDL>(malloc_->Alloc(size_t(size)));
  if (copy) std::memcpy(copy, pidl, size_t(size));
  return copy;
}

TPIDL TCommonPIDLManager::AppendPIDL(TPIDL dest, TPIDL src) const {
  if (!malloc_) return nullptr;
  static uint8_t empty[2] = {0, 0};
  const size_t head = dest ? size_t(PIDLSize(dest)) - 2 : 0;
  if (!src) src = empty;
  const size_t tail = size_t(PIDLSize(src));
  auto* result = static_cast<TPIDL>(malloc_->Alloc(head + tail));
  if (!result) return nullptr;
  if (head) std::memcpy(result, dest, head);
  std::memcpy(result + head, src, tail);
  return result;
}

TPIDL TCommonPIDLManager::LastItemPointer(TPIDL pidl) const {
  if (!pidl) return nullptr;
  TPIDL last = pidl;
  for (TPIDL p = pidl; CB(p) != 0; p = NextID(p)) last = p;
  return last;
}

TPIDL TCommonPIDLManager::TruncateLastItem(TPIDL pidl) const {
  uint16_t cb;
  TPIDL id;
  return TruncateLastItemSaving(pidl, cb, id);
}

TPIDL TCommonPIDLManager::TruncateLastItemSaving(TPIDL pidl, uint16_t& lastCB, TPIDL& lastID) const {
  lastCB = 0;
  lastID = nullptr;
  if (!pidl) return nullptr;
  lastID = LastItemPointer(pidl);
  lastCB = CB(lastID);
  lastID[0] = lastID[1] = 0;
  return pidl;
}

bool TCommonPIDLManager::BindToParent(TPIDL absolutePIDL, IShellFolder** folder) const {
  *folder = nullptr;
  TComPtr<IShellFolder> desktop;
  if (SHGetDesktopFolder(desktop.put()) != S_OK) return false;
  if (IDCount(absolutePIDL) == 1) {
    *folder = desktop.get();
    desktop->AddRef();
    return true;
  }
  uint16_t lastCB;
  TPIDL lastID;
  TruncateLastItemSaving(absolutePIDL, lastCB, lastID);
  // Restored on every exit, also when the bind throws.
  TScopeExit restore([&] {
    if (lastID) {
      lastID[0] = uint8_t(lastCB);
      lastID[1] = uint8_t(lastCB >> 8);
    }
  });
  return desktop->BindToObject(absolutePIDL, nullptr, IID_IShellFolder, reinterpret_cast<void**>(folder)) == S_OK;
}

void TCommonPIDLManager::FreePIDL(TPIDL pidl) const {
  if (pidl && malloc_) malloc_->Free(pidl);
}

void TCommonPIDLManager::FreeShellString(char* str) const {
  if (str && malloc_) malloc_->Free(str);
}

TPIDL TCommonPIDLManager::LoadFromStream(TStream* stream) const {
  if (!stream) return nullptr;
  const int32_t size = ReadI32(*stream);
  if (size <= 0) return nullptr;
  CheckBytesLeft(*stream, size);
  if (!malloc_) return nullptr;
  auto* pidl = static_cast<TPIDL>(malloc_->Alloc(size_t(size)));
  if (!pidl) return nullptr;
  TScopeExit freeOnThrow([&] { FreePIDL(pidl); });
  stream->ReadBuffer(pidl, size);
  if (PIDLSizeWithin(pidl, size_t(size)) == 0) throw EReadError("Invalid item-ID list in stream");
  return std::exchange(pidl, nullptr);
}

void TCommonPIDLManager::SaveToStream(TStream* stream, TPIDL pidl) const {
  if (!stream) return;
  const int32_t size = PIDLSize(pidl);
  WriteI32(*stream, size);
  if (size > 0) stream->WriteBuffer(pidl, size);
}

// ---------------------------------------------------------------- TCommonPIDLList

TCommonPIDLList::TCommonPIDLList() = default;

TCommonPIDLList::~TCommonPIDLList() {
  destroying_ = true;
  Clear();
}

void TCommonPIDLList::Clear() {
  if (!borrowed_)
    for (void* p : *this) manager_.FreePIDL(static_cast<TPIDL>(p));
  TList::Clear();
}

bool TCommonPIDLList::LoadFromStream(TStream* stream) {
  if (!stream) return false;
  try {
    // Entries are read one by one, each checked against the bytes left: the
    // count alone never decides how much is allocated.
    const int32_t count = ReadI32(*stream);
    for (int32_t i = 0; i < count; ++i) {
      TPIDL pidl = manager_.LoadFromStream(stream);
      try {
        Add(pidl);
      } catch (...) {
        manager_.FreePIDL(pidl);
        throw;
      }
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TCommonPIDLList::SaveToStream(TStream* stream) {
  if (!stream) return false;
  try {
    WriteI32(*stream, Count());
    for (void* p : *this) manager_.SaveToStream(stream, static_cast<TPIDL>(p));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// ---------------------------------------------------------------- TCommonMemoryStreamHelper

int32_t TCommonMemoryStreamHelper::ReadInteger(TStream* stream) const { return ReadI32(*stream); }

void TCommonMemoryStreamHelper::WriteInteger(TStream* stream, int32_t value) const { WriteI32(*stream, value); }

void TCommonMemoryStreamHelper::ReadString(TStream* stream, std::string& text) const {
  const int32_t length = ReadI32(*stream);
  if (length < 0) throw EReadError("Stream read error");
  CheckBytesLeft(*stream, length);
  text.assign(size_t(length), '\0');
  if (length) stream->ReadBuffer(text.data(), length);
}

void TCommonMemoryStreamHelper::WriteString(TStream* stream, const std::string& text) const {
  WriteI32(*stream, int32_t(text.size()));
  if (!text.empty()) stream->WriteBuffer(text.data(), int64_t(text.size()));
}

// ---------------------------------------------------------------- TCommonCheckBoundManager

TCommonCheckBound* TCommonCheckBoundManager::Find(int32_t size) const {
  for (void* p : list_) {
    auto* bound = static_cast<TCommonCheckBound*>(static_cast<TObject*>(p));
    if (bound->Size == size) return bound;
  }
  return nullptr;
}

TRect TCommonCheckBoundManager::Bound(int32_t size) {
  if (const TCommonCheckBound* cached = Find(size)) return cached->Bounds;
  auto* bound = new TCommonCheckBound;
  bound->Size = size;
  bound->Bounds = MeasureCheckGlyph(size);
  list_.Add(bound);
  return bound->Bounds;
}

// ---------------------------------------------------------------- PIDLsToDataObject

void PIDLsToDataObject(const TPIDLArray& pidls, IDataObject** dataObject) {
  TComPtr<IDataObject> data(static_cast<IDataObject*>(new TCommonDataObject));
  data->AddRef();
  if (!pidls.empty()) {
    TCommonPIDLList list;
    list.SetBorrowedPIDLs(true);
    TCommonShellIDList shellIDList;
    TCommonHDrop hDrop;
    TCommonInShellDragLoop dragLoop;
    TStringList paths;
    PIDL desktop = nullptr;
    SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop);
    TScopeExit freeDesktop([&] { CommonPIDLManager->FreePIDL(desktop); });
    list.Add(desktop);
    for (TPIDL pidl : pidls) {
      list.Add(pidl);
      TComPtr<IShellFolder> parent;
      if (!CommonPIDLManager->BindToParent(pidl, parent.put())) continue;
      PCIDL last = CommonPIDLManager->LastItemPointer(pidl);
      ULONG attributes = SFGAO_FILESYSTEM;
      if (parent->GetAttributesOf(1, &last, &attributes) != S_OK || !(attributes & SFGAO_FILESYSTEM)) continue;
      STRRET name;
      if (parent->GetDisplayNameOf(last, SHGDN_FORPARSING, &name) == S_OK) {
        std::string path;
        StrRetToWide(name, last, path);
        paths.Add(path);
      }
    }
    shellIDList.AssignPIDLs(&list);
    hDrop.AssignFiles(&paths);
    shellIDList.SaveToDataObject(data.get());
    hDrop.SaveToDataObject(data.get());
    dragLoop.SaveToDataObject(data.get());
  }
  *dataObject = data.get();
  data->AddRef();
}

// ---------------------------------------------------------------- owning control

TCommonCanvasControl::TCommonCanvasControl(TComponent* AOwner) : TCustomControl(AOwner) {}

bool TCommonCanvasControl::ThemedPaintingOn() const {
  return !Loading() && themed_ && VisualStyleActive();
}

bool TCommonCanvasControl::PaintsWithThemes() const { return ThemedPaintingOn() && Themes.ListView != 0; }

TCanvas* TCommonCanvasControl::ReadyCanvas() {
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(Font());
  canvas->Brush()->SetColor(Color());
  canvas->Brush()->SetStyle(bsSolid);
  return canvas;
}

void TCommonCanvasControl::InvalidateIfHandle(const TRect* rect, bool immediateUpdate) {
  if (!HandleAllocated()) return;
  win::InvalidateRect(Handle(), rect, FALSE);
  if (immediateUpdate) win::UpdateWindow(Handle());
}

// ---------------------------------------------------------------- unit globals

TCommonPIDLManager* CommonPIDLManager = nullptr;
TCommonMemoryStreamHelper* StreamHelper = nullptr;
TCommonCheckBoundManager* CheckBoundManager = nullptr;
TFont* MarlettFont = nullptr;

win::PFN_ILIsEqual CommonILIsEqual = nullptr;
win::PFN_ILIsParent CommonILIsParent = nullptr;

namespace {
TUnitCounter commonObjectsUnit;
// shell32 when this unit had to load it.
HMODULE loadedShell32 = nullptr;
}  // namespace

void ShCommonObjectsInitialize() {
  if (!commonObjectsUnit.Starting()) return;
  HMODULE shell32 = GetModuleHandle("shell32.dll");
  if (!shell32) shell32 = loadedShell32 = LoadLibrary("shell32.dll");
  if (shell32) {
    CommonILIsEqual = reinterpret_cast<PFN_ILIsEqual>(GetProcAddress(shell32, MAKEINTRESOURCE(21)));
    CommonILIsParent = reinterpret_cast<PFN_ILIsParent>(GetProcAddress(shell32, MAKEINTRESOURCE(23)));
  }
  StreamHelper = new TCommonMemoryStreamHelper;
  MarlettFont = new TFont;
  MarlettFont->SetName("marlett");
  CheckBoundManager = new TCommonCheckBoundManager;
  CommonPIDLManager = new TCommonPIDLManager;
}

void ShCommonObjectsFinalize() {
  if (!commonObjectsUnit.Stopping()) return;
  if (loadedShell32) FreeLibrary(loadedShell32);
  loadedShell32 = nullptr;
  CommonILIsEqual = nullptr;
  CommonILIsParent = nullptr;
  TCommonMemoryStreamHelper* helper = StreamHelper;
  StreamHelper = nullptr;
  delete helper;
  TCommonCheckBoundManager* bounds = CheckBoundManager;
  CheckBoundManager = nullptr;
  delete bounds;
  TFont* marlett = MarlettFont;
  MarlettFont = nullptr;
  delete marlett;
  TCommonPIDLManager* manager = CommonPIDLManager;
  CommonPIDLManager = nullptr;
  delete manager;
}
