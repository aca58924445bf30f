#include "shell/ShShellUtilities.h"

#include "platform/rtl/scopeexit.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/taskmem.h"
#include "platform/rtl/text.h"
#include "platform/shell/folders/shlobj.h"
#include "platform/shell/places.h"
#include "platform/shell/shellinfo.h"
#include "platform/shell/shellpaths.h"
#include "platform/shell/volumes.h"
#include "platform/win/shellentries.h"
#include "shell/ShCommonObjects.h"
#include "shell/ShCommonUtilities.h"
#include "shell/UnitSupport.h"

using namespace win;

bool UseActiveWindowForShellCalls = true;
TCommonPIDLManager* ShellPIDLManager = nullptr;
TNamespace *DesktopFolder = nullptr, *RecycleBinFolder = nullptr, *DesktopDirectoryFolder = nullptr,
           *DrivesFolder = nullptr, *PrintersFolder = nullptr, *HistoryFolder = nullptr,
           *ControlPanelFolder = nullptr, *NetworkFolder = nullptr, *TemplatesFolder = nullptr,
           *PersonalFolder = nullptr, *FavoritesFolder = nullptr, *AppDataFolder = nullptr,
           *ProgramsFolder = nullptr;

namespace {

HWND OwnerWindow() { return UseActiveWindowForShellCalls ? GetActiveWindow() : nullptr; }

// Calls that may touch removable media must not make the system prompt.
class TQuietErrorMode {
public:
  TQuietErrorMode() : saved_(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
  ~TQuietErrorMode() { SetErrorMode(saved_); }
  TQuietErrorMode(const TQuietErrorMode&) = delete;
  TQuietErrorMode& operator=(const TQuietErrorMode&) = delete;

private:
  uint32_t saved_;
};

TCommonPIDLManager& PIDLs() {
  // Namespaces outliving the unit's manager still reach a working one.
  static TCommonPIDLManager fallback;
  return ShellPIDLManager ? *ShellPIDLManager : fallback;
}

TComPtr<IShellFolder> Desktop() {
  TComPtr<IShellFolder> desktop;
  SHGetDesktopFolder(desktop.put());
  return desktop;
}

// The one entry of a folder search, the handle closed at once.
bool FindOne(const std::string& path, TWin32FindData& data) {
  if (path.empty()) return false;
  TQuietErrorMode quiet;
  const TFindHandle find = FindFirstFileW(path, &data);
  if (find == kInvalidFindHandle) return false;
  FindClose(find);
  return true;
}

// A list whose item counts stay inside its task-memory block; only such a
// list may be walked by the PIDL manager.
bool WalkablePIDL(uint8_t* pidl) { return pidl && PIDLSizeWithin(pidl, TaskMemBytesFrom(pidl)) > 0; }

bool EqualPIDLs(uint8_t* a, uint8_t* b) { return CommonILIsEqual && a && b && CommonILIsEqual(a, b); }
bool ParentOf(uint8_t* parent, uint8_t* child, bool immediate) {
  return CommonILIsParent && parent && child && CommonILIsParent(parent, child, immediate);
}

}  // namespace

// The folder holding the PIDL's last item: the desktop for fewer than two
// items. Null when it cannot be bound.
static TComPtr<IShellFolder> ParentFolderOf(uint8_t* pidl) {
  TComPtr<IShellFolder> folder;
  if (PIDLs().IDCount(pidl) < 2)
    folder = Desktop();
  else if (!PIDLs().BindToParent(pidl, folder.put()))
    folder = {};
  return folder;
}

bool IsFolderPIDL(uint8_t* pidl) {
  if (!WalkablePIDL(pidl)) return false;
  if (PIDLs().IsDesktopFolder(pidl)) return true;
  TComPtr<IShellFolder> folder = ParentFolderOf(pidl);
  if (!folder) return false;
  PCIDL items[1] = {PIDLs().LastItemPointer(pidl)};
  ULONG attributes = SFGAO_FOLDER;
  return folder->GetAttributesOf(1, items, &attributes) == S_OK && (attributes & SFGAO_FOLDER);
}

// ---------------------------------------------------------------- construction

TNamespace::TNamespace(uint8_t* pidl, TNamespace* parent) : parent_(parent) {
  TCommonPIDLManager& pm = PIDLs();
  states_ = nsOwnsPIDL | nsShellDetails | nsShellFolder2 | nsShellIconOverlay;
  if (pidl && !WalkablePIDL(pidl)) {
    // A malformed list names nothing: the namespace stays without a PIDL
    // rather than read past the list's block.
    pm.FreePIDL(pidl);
    return;
  }
  if (parent) {
    if (parent->IsDesktop()) {
      absolutePIDL_ = relativePIDL_ = pidl;
    } else {
      absolutePIDL_ = pm.AppendPIDL(parent->AbsolutePIDL(), pidl);
      relativePIDL_ = pm.LastItemPointer(absolutePIDL_);
      pm.FreePIDL(pidl);
    }
    return;
  }
  if (!pidl) SHGetSpecialFolderLocation(OwnerWindow(), CSIDL_DESKTOP, &pidl);
  absolutePIDL_ = pidl;
  relativePIDL_ = pm.IsDesktopFolder(pidl) ? pidl : pm.LastItemPointer(pidl);
}

TNamespace::TNamespace(CustomTag, int32_t customID, TNamespace* parent) : customID_(customID), parent_(parent) {
  cache_.Data.OverlayIndex = cache_.Data.OverlayIconIndex = 0;
  states_ = nsShellIconOverlay;
}

std::unique_ptr<TNamespace> TNamespace::CreateCustom(int32_t customID, TNamespace* parent) {
  return std::unique_ptr<TNamespace>(new TNamespace(CustomTag{}, customID, parent));
}

std::unique_ptr<TNamespace> TNamespace::CreateForPath(const std::string& path) {
  PIDL pidl = nullptr;
  TComPtr<IShellFolder> desktop = Desktop();
  if (desktop) {
    ULONG eaten = 0;
    if (desktop->ParseDisplayName(OwnerWindow(), nullptr, path, &eaten, &pidl, nullptr) != S_OK) {
      PIDLs().FreePIDL(pidl);
      pidl = nullptr;
    }
  }
  if (!pidl) throw EVSTInvalidFileName("Trying to create a TNamespace on a non existant File object");
  return std::make_unique<TNamespace>(pidl, nullptr);
}

TNamespace::~TNamespace() {
  if (states_ & nsOwnsPIDL) PIDLs().FreePIDL(absolutePIDL_);
  ReleaseInterfaces();
  FreeParent();
}

std::unique_ptr<TNamespace> TNamespace::Clone(bool ownsCopy) {
  auto copy = std::make_unique<TNamespace>(PIDLs().CopyPIDL(absolutePIDL_), nullptr);
  copy->SetOwnsPIDL(ownsCopy);
  return copy;
}

TNamespace* TNamespace::Parent() {
  if (!parent_) {
    TCommonPIDLManager& pm = PIDLs();
    uint8_t* up = nullptr;
    if (pm.IDCount(absolutePIDL_) >= 2) up = pm.TruncateLastItem(pm.CopyPIDL(absolutePIDL_));
    parent_ = new TNamespace(up, nullptr);
    states_ |= nsOwnsParent;
  }
  return parent_;
}

void TNamespace::FreeParent() {
  if (states_ & nsOwnsParent) delete parent_;
  parent_ = nullptr;
  states_ &= ~nsOwnsParent;
}

void TNamespace::FreeFindData() { findData_.reset(); }

void TNamespace::ReleaseInterfaces() {
  dropTargetCache_ = {};
  shellFolderCache_ = {};
  shellFolder2Cache_ = {};
  queryInfoCache_ = {};
}

// ---------------------------------------------------------------- bindings

IShellFolder* TNamespace::ShellFolder() {
  if (shellFolderCache_ || !absolutePIDL_) return shellFolderCache_.get();
  TComPtr<IShellFolder> parentFolder = ParentFolderOf(absolutePIDL_);
  if (!parentFolder) return nullptr;
  if (!IsDesktop() && IsFolderPIDL(absolutePIDL_)) {
    TComPtr<IShellFolder> own;
    if (parentFolder->BindToObject(relativePIDL_, nullptr, IID_IShellFolder, own.put_void()) == S_OK)
      shellFolderCache_ = own;
  } else {
    shellFolderCache_ = parentFolder;
  }
  return shellFolderCache_.get();
}

IShellFolder2* TNamespace::ShellFolder2() {
  if (!shellFolder2Cache_ && (states_ & nsShellFolder2)) {
    IShellFolder* folder = ShellFolder();
    if (folder && folder->QueryInterface(IID_IShellFolder2, shellFolder2Cache_.put_void()) == E_NOINTERFACE)
      states_ &= ~nsShellFolder2;
  }
  return shellFolder2Cache_.get();
}

IShellFolder* TNamespace::ParentShellFolder() { return Parent()->ShellFolder(); }

IShellFolder2* TNamespace::ParentShellFolder2() {
  return ParentShellFolder() ? Parent()->ShellFolder2() : ShellFolder2();
}

IUnknown* TNamespace::ShellDetailsInterface() {
  if ((states_ & nsShellDetails) && !IsVistaOrUp()) states_ &= ~nsShellDetails;  // nothing here answers for it
  return nullptr;
}

IUnknown* TNamespace::ParentShellDetailsInterface() {
  return ParentShellFolder() ? Parent()->ShellDetailsInterface() : ShellDetailsInterface();
}

HRESULT TNamespace::UIObjectOf(REFIID iid, void** out) {
  IShellFolder* parent = ParentShellFolder();
  if (!parent || !relativePIDL_) return E_FAIL;
  PCIDL items[1] = {relativePIDL_};
  return parent->GetUIObjectOf(OwnerWindow(), 1, items, iid, nullptr, out);
}

IQueryInfo* TNamespace::QueryInfoInterface() {
  if (queryInfoCache_) return queryInfoCache_.get();
  if (IsDesktop() && DesktopDirectoryFolder && DesktopDirectoryFolder != this)
    return DesktopDirectoryFolder->QueryInfoInterface();
  if (UIObjectOf(IID_IQueryInfo, queryInfoCache_.put_void()) != S_OK) queryInfoCache_ = {};
  if (!queryInfoCache_)
    if (IShellFolder* own = ShellFolder())
      if (own->CreateViewObject(OwnerWindow(), IID_IQueryInfo, queryInfoCache_.put_void()) != S_OK)
        queryInfoCache_ = {};
  return queryInfoCache_.get();
}

IDropTarget* TNamespace::DropTargetInterface() {
  if (dropTargetCache_) return dropTargetCache_.get();
  if (IsDesktop() && DesktopDirectoryFolder && DesktopDirectoryFolder != this)
    return DesktopDirectoryFolder->DropTargetInterface();
  if (UIObjectOf(IID_IDropTarget, dropTargetCache_.put_void()) != S_OK) dropTargetCache_ = {};
  return dropTargetCache_.get();
}

IExtractIconW* TNamespace::ExtractIconWInterface() {
  IExtractIconW* result = nullptr;
  if (UIObjectOf(IID_IExtractIconW, reinterpret_cast<void**>(&result)) == S_OK && result) return result;
  result = nullptr;
  if (IShellFolder* own = ShellFolder())
    if (own->CreateViewObject(OwnerWindow(), IID_IExtractIconW, reinterpret_cast<void**>(&result)) != S_OK)
      result = nullptr;
  return result;
}

TGUID TNamespace::CLSID() {
  SHDESCRIPTIONID id;
  if (relativePIDL_ && ItemDescriptionId(relativePIDL_, &id) && !(id.clsid == TGUID{})) return id.clsid;
  TGUID result;
  if (IShellFolder* folder = ShellFolder()) {
    TComPtr<IPersist> persist;
    if (folder->QueryInterface(IID_IPersist, persist.put_void()) == S_OK && persist &&
        persist->GetClassID(&result) != S_OK)
      result = TGUID{};
  }
  return result;
}

uint8_t TNamespace::DescriptionID() {
  SHDESCRIPTIONID id;
  return relativePIDL_ && ItemDescriptionId(relativePIDL_, &id) ? uint8_t(id.dwDescriptionId) : 0;
}

// ---------------------------------------------------------------- names

std::string TNamespace::DisplayNameOf(uint32_t flags) {
  std::string result;
  IShellFolder* parent = ParentShellFolder();
  if (!parent || !relativePIDL_) return result;
  STRRET name;
  if (parent->GetDisplayNameOf(relativePIDL_, flags, &name) == S_OK) StrRetToWide(name, relativePIDL_, result);
  return result;
}

std::string TNamespace::CachedName(TCacheQueried element, std::string& slot, uint32_t flags) {
  if (!Queried(element)) {
    slot = DisplayNameOf(flags);
    Mark(element);
  }
  return slot;
}

std::string TNamespace::NormalName() { return CachedName(cNormalName, cache_.Data.NormalName, SHGDN_NORMAL); }
std::string TNamespace::InFolderName() {
  return CachedName(cInFolderName, cache_.Data.InFolderName, SHGDN_INFOLDER);
}
std::string TNamespace::EditingName() { return DisplayNameOf(SHGDN_FOREDITING); }
std::string TNamespace::EditingNameInFolder() { return DisplayNameOf(SHGDN_FOREDITING | SHGDN_INFOLDER); }
std::string TNamespace::AddressBarName() { return DisplayNameOf(SHGDN_FORADDRESSBAR); }
std::string TNamespace::AddressBarNameInFolder() { return DisplayNameOf(SHGDN_FORADDRESSBAR | SHGDN_INFOLDER); }
std::string TNamespace::ParsingName() {
  if (IsDesktop() && DesktopDirectoryFolder && DesktopDirectoryFolder != this)
    return DesktopDirectoryFolder->ParsingName();
  return DisplayNameOf(SHGDN_FORPARSING);
}
std::string TNamespace::ParsingNameInFolder() {
  if (IsDesktop() && DesktopDirectoryFolder && DesktopDirectoryFolder != this)
    return DesktopDirectoryFolder->ParsingNameInFolder();
  return DisplayNameOf(SHGDN_FORPARSING | SHGDN_INFOLDER);
}
std::string TNamespace::ParsingAddressName() {
  return CachedName(cParsingAddressName, cache_.Data.ParsingAddressName, SHGDN_FORPARSING | SHGDN_FORADDRESSBAR);
}
std::string TNamespace::ParsingAddressNameInFolder() {
  return DisplayNameOf(SHGDN_FORPARSING | SHGDN_FORADDRESSBAR | SHGDN_INFOLDER);
}
std::string TNamespace::FileName() { return FindData() ? FindData()->cFileName : std::string(); }
std::string TNamespace::Extension() { return ExtractFileExt(ParsingNameInFolder()); }
std::string TNamespace::ShortFileName() {
  const TWin32FindData* data = FindData();
  if (!data) return {};
  return data->cAlternateFileName.empty() ? CpUpperCase(data->cFileName) : data->cAlternateFileName;
}

// ---------------------------------------------------------------- attributes

bool TNamespace::TestAttributes(uint32_t mask, bool ofFolder, bool validate) {
  IShellFolder* parent = ParentShellFolder();
  if (!parent || !relativePIDL_) return false;
  PCIDL items[1] = {relativePIDL_};
  ULONG attributes = mask;
  HRESULT hr;
  if (ofFolder) {
    attributes |= SFGAO_VALIDATE;
    hr = parent->GetAttributesOf(0, items, &attributes);
  } else {
    if (validate) attributes |= SFGAO_VALIDATE;
    hr = parent->GetAttributesOf(1, items, &attributes);
  }
  // A folder that fails to answer leaves the mask as it was: that is no yes.
  return SUCCEEDED(hr) && (attributes & mask) == mask;
}

bool TNamespace::CachedAttribute(uint32_t mask, TCacheQueried element, uint32_t bit) {
  if (!Queried(element)) {
    if (TestAttributes(mask))
      cache_.Data.AttributeValues |= bit;
    else
      cache_.Data.AttributeValues &= ~bit;
    Mark(element);
  }
  return cache_.Data.AttributeValues & bit;
}

bool TNamespace::CanCopy() { return CachedAttribute(SFGAO_CANCOPY, cCanCopy, caCanCopy); }
bool TNamespace::CanMove() { return CachedAttribute(SFGAO_CANMOVE, cCanMove, caCanMove); }
bool TNamespace::CanLink() { return CachedAttribute(SFGAO_CANLINK, cCanLink, caCanLink); }
bool TNamespace::CanRename() { return CachedAttribute(SFGAO_CANRENAME, cCanRename, caCanRename); }
bool TNamespace::CanDelete() { return CachedAttribute(SFGAO_CANDELETE, cCanDelete, caCanDelete); }
bool TNamespace::Ghosted() { return CachedAttribute(SFGAO_GHOSTED, cGhosted, caGhosted); }
bool TNamespace::Link() { return CachedAttribute(SFGAO_LINK, cLink, caLink); }
bool TNamespace::Browsable() { return CachedAttribute(SFGAO_BROWSABLE, cBrowsable, caBrowsable); }
bool TNamespace::FileSysAncestor() {
  return CachedAttribute(SFGAO_FILESYSANCESTOR, cFileSysAncestor, caFileSysAncestor);
}
bool TNamespace::Folder() { return CachedAttribute(SFGAO_FOLDER, cFolder, caFolder); }
bool TNamespace::FileSystem() { return CachedAttribute(SFGAO_FILESYSTEM, cFileSystem, caFileSystem); }

bool TNamespace::Storage() { return TestAttributes(SFGAO_STORAGE); }
bool TNamespace::HasPropSheet() { return TestAttributes(SFGAO_HASPROPSHEET); }
bool TNamespace::Encrypted() { return TestAttributes(0x00002000); }
bool TNamespace::IsSlow() { return TestAttributes(0x00004000); }
bool TNamespace::Share() { return TestAttributes(0x00020000); }
bool TNamespace::ReadOnly() { return TestAttributes(SFGAO_READONLY); }
bool TNamespace::NonEnumerated() { return TestAttributes(0x00100000); }
bool TNamespace::NewContent() { return TestAttributes(0x00200000); }
bool TNamespace::CanMoniker() { return TestAttributes(SFGAO_STREAM); }
bool TNamespace::HasStorage() { return TestAttributes(SFGAO_STREAM); }
bool TNamespace::Stream() { return TestAttributes(SFGAO_STREAM); }
bool TNamespace::StorageAncestor() { return TestAttributes(SFGAO_STORAGEANCESTOR); }
bool TNamespace::Removable() { return TestAttributes(SFGAO_REMOVABLE); }
bool TNamespace::HasSubFolder() { return TestAttributes(SFGAO_HASSUBFOLDER); }
bool TNamespace::DropTarget() { return TestAttributes(SFGAO_DROPTARGET) || IsDesktop(); }

bool TNamespace::FileAttribute(uint32_t bit) {
  const TWin32FindData* data = FindData();
  return data && FileSystem() && (data->dwFileAttributes & bit);
}

bool TNamespace::ReadOnlyFile() { return FileAttribute(0x0001); }
bool TNamespace::Hidden() { return FileAttribute(0x0002); }
bool TNamespace::SystemFile() { return FileAttribute(0x0004); }
bool TNamespace::Directory() { return FileAttribute(0x0010); }
bool TNamespace::Archive() { return FileAttribute(0x0020); }
bool TNamespace::Normal() { return FileAttribute(0x0080); }
bool TNamespace::Temporary() { return FileAttribute(0x0100); }
bool TNamespace::SparseFile() { return FileAttribute(0x0200); }
bool TNamespace::ReparsePoint() { return FileAttribute(0x0400); }
bool TNamespace::OffLine() { return FileAttribute(0x1000); }
bool TNamespace::Compressed() {
  if (!Queried(cCompressed)) {
    if (FileAttribute(0x0800))
      cache_.Data.AttributeValues |= caCompressed;
    else
      cache_.Data.AttributeValues &= ~caCompressed;
    Mark(cCompressed);
  }
  return cache_.Data.AttributeValues & caCompressed;
}

std::string TNamespace::AttributeLetters(bool upperCase) {
  std::string letters;
  if (!FileSystem()) return letters;
  if (Archive()) letters += "A";
  if (Hidden()) letters += "H";
  if (ReadOnlyFile()) letters += "R";
  if (SystemFile()) letters += "S";
  if (Compressed()) letters += "C";
  return upperCase ? letters : LowerCase(letters);
}

// ---------------------------------------------------------------- file data

const TWin32FindData* TNamespace::FindData() {
  if (findData_ || Queried(cFindDataUnavailable) || IsDesktop()) return findData_.get();
  auto data = std::make_unique<TWin32FindData>();
  if (relativePIDL_ && ItemFindData(relativePIDL_, data.get()))
    findData_ = std::move(data);
  else
    Mark(cFindDataUnavailable);
  return findData_.get();
}

void TNamespace::RefreshFileTimes() {
  if (Queried(cFileTimesRefreshed)) return;
  Mark(cFileTimesRefreshed);
  if (!FileSystem() || !FindData()) return;
  TWin32FindData fresh;
  if (!FindOne(ParsingAddressName(), fresh)) return;
  findData_->ftCreationTime = fresh.ftCreationTime;
  findData_->ftLastAccessTime = fresh.ftLastAccessTime;
  findData_->ftLastWriteTime = fresh.ftLastWriteTime;
}

int64_t TNamespace::CreationFileTime() {
  RefreshFileTimes();
  return FindData() ? FindData()->ftCreationTime : 0;
}
int64_t TNamespace::LastAccessFileTime() {
  RefreshFileTimes();
  return FindData() ? FindData()->ftLastAccessTime : 0;
}
int64_t TNamespace::LastWriteFileTime() {
  RefreshFileTimes();
  return FindData() ? FindData()->ftLastWriteTime : 0;
}
double TNamespace::CreationTime() { return LocalDateTime(CreationFileTime()).value_or(0); }
double TNamespace::LastAccessTime() { return LocalDateTime(LastAccessFileTime()).value_or(0); }
double TNamespace::LastWriteTime() { return LocalDateTime(LastWriteFileTime()).value_or(0); }

std::string TNamespace::CachedTimeText(TCacheQueried element, std::string& slot, int64_t fileTime) {
  if (!Queried(element)) {
    slot.clear();
    if (FileSystem())
      if (const std::optional<double> local = LocalDateTime(fileTime)) slot = DateTimeToStr(*local);
    Mark(element);
  }
  return slot;
}

std::string TNamespace::CreationTimeText() {
  return CachedTimeText(cCreationTimeText, cache_.Data.CreationTimeText, CreationFileTime());
}
std::string TNamespace::LastAccessTimeText() {
  return CachedTimeText(cLastAccessTimeText, cache_.Data.LastAccessTimeText, LastAccessFileTime());
}
std::string TNamespace::LastWriteTimeText() {
  return CachedTimeText(cLastWriteTimeText, cache_.Data.LastWriteTimeText, LastWriteFileTime());
}

std::string TNamespace::FileType() {
  if (!Queried(cFileTypeText)) {
    if (!fileInfo_) {
      fileInfo_ = std::make_unique<std::string>();
      SHFILEINFOW info;
      if (absolutePIDL_ && SHGetFileInfoW(reinterpret_cast<const char*>(absolutePIDL_), 0, &info, sizeof(info),
                                          SHGFI_TYPENAME | SHGFI_PIDL))
        *fileInfo_ = info.szTypeName;
    }
    cache_.Data.FileTypeText =
        fileInfo_->empty() ? CpUpperCase(ExtractFileExt(ParsingName())) + " File" : *fileInfo_;
    Mark(cFileTypeText);
  }
  return cache_.Data.FileTypeText;
}

bool TNamespace::NonBrowsableFolder() { return Folder() && !Browsable(); }

int64_t TNamespace::FileSizeBytes() {
  if (!Queried(cFileSize)) {
    cache_.Data.FileSize = 0;
    TWin32FindData data;
    if ((!Folder() || Browsable()) && FileSystem() && FindOne(ParsingName(), data))
      cache_.Data.FileSize = int64_t(data.nFileSize);
    Mark(cFileSize);
  }
  return cache_.Data.FileSize;
}

std::string TNamespace::FileSizeText() {
  if (!Queried(cFileSizeText)) {
    cache_.Data.FileSizeText.clear();
    if (!NonBrowsableFolder() && FileSystem())
      cache_.Data.FileSizeText = Format("%0.0n", static_cast<long double>(FileSizeBytes()));
    Mark(cFileSizeText);
  }
  return cache_.Data.FileSizeText;
}

std::string TNamespace::FileSizeKBText() {
  if (!Queried(cFileSizeKBText)) {
    cache_.Data.FileSizeKBText.clear();
    if (!NonBrowsableFolder() && FileSystem()) {
      const int64_t size = FileSizeBytes();
      std::string text = "1 KB";
      if (size > 0) {
        text = Format("%0.0n KB", static_cast<long double>(size) / 1024);
        if (text == "0 KB") text = "1 KB";
      }
      cache_.Data.FileSizeKBText = text;
    }
    Mark(cFileSizeKBText);
  }
  return cache_.Data.FileSizeKBText;
}

std::string TNamespace::DiskUsageText() {
  if (NonBrowsableFolder() || !FileSystem()) return {};
  const std::string path = ParsingName();
  uint32_t sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
  {
    TQuietErrorMode quiet;
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES_VALUE ||
        !GetDiskFreeSpaceW(path, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
      return FileSizeText();
  }
  const int64_t cluster = int64_t(sectorsPerCluster) * bytesPerSector;
  if (cluster == 0) return FileSizeText();
  const int64_t size = FileSizeBytes();
  const int64_t used = (size + cluster - 1) / cluster * cluster;
  return Format("%0.0n", static_cast<long double>(used));
}

int64_t TNamespace::FolderSize(bool refresh, bool recurse) {
  if (refresh) Unmark(cFolderSize);
  if (!Queried(cFolderSize)) {
    cache_.Data.FolderSize = 0;
    if (Folder() && FileSystem()) {
      TQuietErrorMode quiet;
      cache_.Data.FolderSize = FolderOrDiskSize(ParsingName(), recurse);
    }
    Mark(cFolderSize);
  }
  return cache_.Data.FolderSize;
}

// ---------------------------------------------------------------- special folders

bool TNamespace::SameAsSpecial(TNamespace* special) {
  return special && EqualPIDLs(absolutePIDL_, special->AbsolutePIDL());
}

bool TNamespace::IsDesktop() { return absolutePIDL_ && PIDLs().IsDesktopFolder(absolutePIDL_); }
bool TNamespace::IsMyComputer() { return SameAsSpecial(DrivesFolder); }
bool TNamespace::IsControlPanel() { return SameAsSpecial(ControlPanelFolder); }
bool TNamespace::IsInControlPanel() {
  return ControlPanelFolder && ParentOf(ControlPanelFolder->AbsolutePIDL(), absolutePIDL_, true);
}
bool TNamespace::IsNetworkFolder() { return SameAsSpecial(NetworkFolder); }
bool TNamespace::IsInNetworkFolder() {
  return NetworkFolder && ParentOf(NetworkFolder->AbsolutePIDL(), absolutePIDL_, false);
}
bool TNamespace::IsRecycleBin() {
  if (!(states_ & nsRecycleBinTested)) {
    SetState(nsIsRecycleBin, SameAsSpecial(RecycleBinFolder));
    states_ |= nsRecycleBinTested;
  }
  return states_ & nsIsRecycleBin;
}

bool TNamespace::ContainsNamespace(TNamespace* item, bool immediate) {
  return item && ContainsPIDL(item->AbsolutePIDL(), immediate);
}
bool TNamespace::ContainsPIDL(uint8_t* pidl, bool immediate) { return ParentOf(absolutePIDL_, pidl, immediate); }
bool TNamespace::LiesUnderNamespace(TNamespace* item, bool immediate) {
  return item && LiesUnderPIDL(item->AbsolutePIDL(), immediate);
}
bool TNamespace::LiesUnderPIDL(uint8_t* pidl, bool immediate) { return ParentOf(pidl, absolutePIDL_, immediate); }

bool TNamespace::OnRemovableDrive() {
  TCommonPIDLManager& pm = PIDLs();
  const int32_t count = pm.IDCount(absolutePIDL_);
  if (count < 2) return false;
  uint8_t* head = pm.CopyPIDL(absolutePIDL_);
  for (int32_t i = count; i > 3; --i) pm.TruncateLastItem(head);
  TNamespace drive(head, nullptr);
  return drive.Removable();
}

bool TNamespace::Valid() {
  if (Removable()) return true;
  IShellFolder* parent = ParentShellFolder();
  if (!parent || !relativePIDL_) return true;
  const std::string name = ParsingName();
  if (IsDriveRoot(name)) {
    const int32_t type = GetDriveTypeW(name);
    if (type == 1 || type == 4) return true;
  }
  TQuietErrorMode quiet;
  PCIDL items[1] = {relativePIDL_};
  ULONG attributes = SFGAO_VALIDATE;
  return parent->GetAttributesOf(1, items, &attributes) == S_OK;
}

int32_t TNamespace::CompareWithPIDL(uint8_t* pidl, int32_t column) {
  IShellFolder* parent = ParentShellFolder();
  if (!parent || !relativePIDL_ || !pidl) return 0;
  return int16_t(uint32_t(parent->CompareIDs(column, relativePIDL_, pidl)) & 0xFFFF);
}

// ---------------------------------------------------------------- caches

void TNamespace::ClearColumnCache(bool freeTexts) {
  for (TDetailsOfCacheRec& r : cache_.Data.DetailsOfCache) {
    r.Flags = 0;
    if (freeTexts) r.Text.clear();
  }
  Unmark(cDetailsOfCache);
  Unmark(cInFolderName);
}

void TNamespace::ClearCachedProperties() {
  TCacheData& d = cache_.Data;
  d.InFolderName.clear();
  d.NormalName.clear();
  d.ParsingAddressName.clear();
  d.IconIndex = baseIconIndex_;
  d.OverlayIndex = d.OverlayIconIndex = -1;
  d.CreationTimeText.clear();
  d.LastAccessTimeText.clear();
  d.LastWriteTimeText.clear();
  d.FileSizeText.clear();
  d.FileSizeKBText.clear();
  d.FileTypeText.clear();
  d.FileSize = d.FolderSize = 0;
  d.ColumnCount = 0;
  d.AttributeValues = 0;
  d.DetailsOfCache.clear();
  cache_.Queried = 0;
  FreeData();
}

void TNamespace::ResetCaches(bool full) {
  bool keepIcon = false, keepOpenIcon = false;
  const int32_t icon = cache_.Data.IconIndex, openIcon = cache_.Data.OpenIconIndex;
  if (full) {
    states_ &= ~(nsIconAssigned | nsIconStale);
  } else {
    keepIcon = Queried(cIconIndex);
    keepOpenIcon = Queried(cOpenIconIndex);
  }
  ClearColumnCache(true);
  ClearCachedProperties();
  FreeParent();
  dropTargetCache_ = {};
  shellFolderCache_ = {};
  shellFolder2Cache_ = {};
  if (DesktopDirectoryFolder && DesktopDirectoryFolder != this && Parent()->IsDesktop())
    DesktopDirectoryFolder->ResetCaches(true);
  FreeFindData();
  fileInfo_.reset();
  states_ |= nsShellDetails | nsShellFolder2;
  queryInfoCache_ = {};
  if (keepIcon) {
    cache_.Data.IconIndex = icon;
    Mark(cIconIndex);
  }
  if (keepOpenIcon) {
    cache_.Data.OpenIconIndex = openIcon;
    Mark(cOpenIconIndex);
  }
}

void TNamespace::RefreshItemPIDL(uint32_t flags) {
  IShellFolder* parent = ParentShellFolder();
  if (!parent) return;
  uint32_t shcontf = 0;
  if (flags & 1) shcontf |= SHCONTF_FOLDERS;
  if (flags & 2) shcontf |= SHCONTF_NONFOLDERS;
  if (flags & 4) shcontf |= SHCONTF_INCLUDEHIDDEN;
  TComPtr<IEnumIDList> children;
  if (parent->EnumObjects(OwnerWindow(), shcontf, children.put()) != S_OK || !children) return;
  TCommonPIDLManager& pm = PIDLs();
  PIDL child = nullptr;
  ULONG fetched = 0;
  bool found = false;
  while (children->Next(1, &child, &fetched) == S_OK && fetched == 1) {
    TScopeExit freeChild([&] { pm.FreePIDL(child); });
    if (found || CompareWithPIDL(child, 0) != 0) continue;
    found = true;
    uint8_t* fresh = pm.AppendPIDL(Parent()->AbsolutePIDL(), child);
    if (states_ & nsOwnsPIDL) pm.FreePIDL(absolutePIDL_);
    absolutePIDL_ = fresh;
    states_ |= nsOwnsPIDL;
    relativePIDL_ = pm.IsDesktopFolder(fresh) ? fresh : pm.LastItemPointer(fresh);
  }
  if (found) ResetCaches(true);
}

void TNamespace::SetIconIndex(int32_t index, bool clearStale) {
  states_ |= nsIconAssigned;
  cache_.Data.IconIndex = baseIconIndex_ = index;
  Mark(cIconIndex);
  if (clearStale) states_ &= ~nsIconStale;
  states_ |= nsIconChanged;
}

void TNamespace::SetData(TObject* data, bool clearStale) {
  states_ |= nsDataAssigned;
  if (data_.get() != data) data_.reset(data);
  if (clearStale) states_ &= ~nsDataStale;
}

void TNamespace::FreeData() {
  data_.reset();
  states_ &= ~(nsDataAssigned | nsDataStale);
}

// ---------------------------------------------------------------- unit

namespace {

TNamespace* CreateSpecialNamespace(int32_t csidl) {
  PIDL pidl = nullptr;
  if (SHGetSpecialFolderLocation(nullptr, csidl, &pidl) != S_OK || !pidl) return nullptr;
  auto* ns = new TNamespace(pidl, nullptr);
  ns->ParentShellFolder();
  return ns;
}

// In the order of creation.
struct TSpecialFolder {
  TNamespace** Global;
  int32_t CSIDL;
};
const TSpecialFolder kSpecialFolders[] = {
    {&DesktopFolder, CSIDL_DESKTOP},     {&RecycleBinFolder, CSIDL_BITBUCKET},
    {&DesktopDirectoryFolder, CSIDL_DESKTOPDIRECTORY}, {&DrivesFolder, CSIDL_DRIVES},
    {&PrintersFolder, CSIDL_PRINTERS},   {&HistoryFolder, CSIDL_HISTORY},
    {&ControlPanelFolder, CSIDL_CONTROLS}, {&NetworkFolder, CSIDL_NETWORK},
    {&TemplatesFolder, CSIDL_TEMPLATES}, {&PersonalFolder, CSIDL_PERSONAL},
    {&FavoritesFolder, CSIDL_FAVORITES}, {&AppDataFolder, CSIDL_APPDATA},
    {&ProgramsFolder, CSIDL_PROGRAMS},
};

TUnitCounter shellUtilitiesUnit;

// The shell check: shell32 present with both PIDL tests. Binds the unit's
// entry points on the way.
bool ShellCheck() {
  const HMODULE shell32 = GetModuleHandle("shell32.dll");
  if (!shell32) return false;
  if (const HMODULE user32 = GetModuleHandle("user32")) ShellAnimateWindow = GetProcAddress(user32, "AnimateWindow");
  ShellILIsEqual = reinterpret_cast<PFN_ILIsEqual>(GetProcAddress(shell32, MAKEINTRESOURCE(21)));
  ShellILIsParent = reinterpret_cast<PFN_ILIsParent>(GetProcAddress(shell32, MAKEINTRESOURCE(23)));
  ShellOrdinal747 = GetProcAddress(shell32, MAKEINTRESOURCE(747));
  return ShellILIsEqual && ShellILIsParent;
}

}  // namespace

FARPROC ShellAnimateWindow = nullptr, ShellOrdinal747 = nullptr;
PFN_ILIsEqual ShellILIsEqual = nullptr;
PFN_ILIsParent ShellILIsParent = nullptr;

bool ShShellUtilitiesInitialize() {
  if (!shellUtilitiesUnit.Starting()) return true;
  CoInitialize(nullptr);
  if (IsUnicodePlatform())
    if (const HMODULE shell32 = GetModuleHandle("shell32.dll"))
      if (auto fileIconInit = reinterpret_cast<PFN_FileIconInit>(GetProcAddress(shell32, MAKEINTRESOURCE(660))))
        fileIconInit(-1);  // restore the system image cache
  if (!ShellCheck()) return false;
  ShellPIDLManager = new TCommonPIDLManager;
  for (const TSpecialFolder& f : kSpecialFolders) *f.Global = CreateSpecialNamespace(f.CSIDL);
  return true;
}

void ShShellUtilitiesFinalize() {
  if (!shellUtilitiesUnit.Stopping()) return;
  // History goes before Printers, unlike the creation order.
  TNamespace** const freeOrder[] = {&DesktopFolder,   &RecycleBinFolder,   &DesktopDirectoryFolder, &DrivesFolder,
                                    &HistoryFolder,   &PrintersFolder,     &ControlPanelFolder,     &NetworkFolder,
                                    &TemplatesFolder, &PersonalFolder,     &FavoritesFolder,        &AppDataFolder,
                                    &ProgramsFolder};
  for (TNamespace** global : freeOrder) {
    TNamespace* ns = *global;
    *global = nullptr;
    delete ns;
  }
  TCommonPIDLManager* manager = ShellPIDLManager;
  ShellPIDLManager = nullptr;
  delete manager;
  ShellAnimateWindow = ShellOrdinal747 = nullptr;
  ShellILIsEqual = nullptr;
  ShellILIsParent = nullptr;
  CoUninitialize();
}
