// TNamespace: one item of the shell namespace (a file, a folder, a volume or
// a virtual folder) over its absolute PIDL. It binds the folder interfaces
// that serve the item and answers the item's names, attributes, file data,
// type and sizes from caches that fill on first use and empty only on
// explicit invalidation (ClearCachedProperties, ResetCaches).
//
// Vocabulary: the absolute PIDL names the item from the desktop; the
// relative PIDL is its last item, inside the absolute one (the same pointer
// for the desktop and for an item made with the desktop as parent). The
// parent folder is the IShellFolder that holds the item.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/com.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/guid.h"
#include "platform/rtl/object.h"
#include "platform/shell/fileapi.h"
#include "platform/win/shellentries.h"
#include "platform/win/winuser.h"

namespace win {
struct IShellFolder;
struct IShellFolder2;
struct IQueryInfo;
struct IDropTarget;
struct IExtractIconW;
}  // namespace win

class TCommonPIDLManager;

DX_EXCEPTION(EVSTInvalidFileName, Exception);

// State flags.
enum : uint16_t {
  nsOwnsPIDL = 0x0001,
  nsIsRecycleBin = 0x0002,
  nsRecycleBinTested = 0x0004,
  nsOwnsParent = 0x0008,
  nsShellDetails = 0x0010,  // may have IShellDetails
  nsShellFolder2 = 0x0020,  // may have IShellFolder2
  nsShellIconOverlay = 0x0040,
  nsIconAssigned = 0x0080,
  nsIconStale = 0x0100,
  nsDataAssigned = 0x0200,
  nsDataStale = 0x0400,
  nsIconChanged = 0x4000,
};

// Elements of the Queried set: which cache entries hold a value.
enum TCacheQueried : uint8_t {
  cInFolderName = 0, cNormalName, cParsingAddressName, cIconIndex, cOpenIconIndex, cOverlayIndex,
  cCreationTimeText, cLastAccessTimeText, cLastWriteTimeText, cFileSizeText, cFileSizeKBText, cFileSize,
  cFileTypeText, cFindDataUnavailable, cFileSystem, cFolder, cCanDelete, cCanRename, cGhosted, cCanCopy, cCanMove,
  cCanLink, cLink, cFileSysAncestor, cCompressed, cFileTimesRefreshed, cColumnCount, cFolderSize,
  cDetailsOfCache = 33, cBrowsable = 34,
};

// Value bits of AttributeValues.
enum : uint32_t {
  caFileSystem = 1u << 0, caFolder = 1u << 1, caCanDelete = 1u << 2, caCanRename = 1u << 3, caGhosted = 1u << 4,
  caCanCopy = 1u << 5, caCanMove = 1u << 6, caCanLink = 1u << 7, caLink = 1u << 8, caFileSysAncestor = 1u << 9,
  caCompressed = 1u << 10, caBrowsable = 1u << 16,
};

// One cached detail column: flags 1 text cached, 2 state cached, 4 mark B, 8 mark A.
struct TDetailsOfCacheRec {
  uint8_t Flags = 0;
  std::string Text;
  uint8_t State = 0;
};
using TDetailsOfCacheArray = std::vector<TDetailsOfCacheRec>;

struct TCacheData {
  uint32_t AttributeValues = 0;
  int32_t IconIndex = -1;
  int32_t OpenIconIndex = -1;
  std::string InFolderName, NormalName, ParsingAddressName, CreationTimeText, LastAccessTimeText,
      LastWriteTimeText, FileSizeText, FileSizeKBText, FileTypeText;
  int64_t FileSize = 0;
  int32_t ColumnCount = 0;
  int64_t FolderSize = 0;
  int32_t OverlayIndex = -1;
  int32_t OverlayIconIndex = -1;
  TDetailsOfCacheArray DetailsOfCache;
};

struct TShellCacheRec {
  uint64_t Queried = 0;  // 40 elements, TCacheQueried
  TCacheData Data;
};

// True for the desktop; otherwise whether the parent folder reports the last
// item as a folder (false when binding or asking fails).
bool IsFolderPIDL(uint8_t* pidl);

class TNamespace : public TObject {
  DX_CLASS(TNamespace, TObject)
public:
  // Takes the PIDL. With a parent that is not the desktop, the PIDL is
  // relative to it, is appended to the parent's and freed; with the desktop
  // as parent it is kept as both PIDLs; without a parent it is absolute (nil
  // for the desktop). The parent is borrowed. A malformed PIDL is freed and
  // the namespace has none.
  TNamespace(uint8_t* pidl, TNamespace* parent);
  ~TNamespace() override;
  TNamespace(const TNamespace&) = delete;
  TNamespace& operator=(const TNamespace&) = delete;

  // A namespace without a PIDL, known to its owner by customID.
  static std::unique_ptr<TNamespace> CreateCustom(int32_t customID, TNamespace* parent);
  // EVSTInvalidFileName "Trying to create a TNamespace on a non existant File
  // object" when the desktop cannot parse the path.
  static std::unique_ptr<TNamespace> CreateForPath(const std::string& path);
  // Over a copy of the absolute PIDL, without a parent; the copy is freed with
  // it only when ownsCopy.
  virtual std::unique_ptr<TNamespace> Clone(bool ownsCopy);

  uint8_t* AbsolutePIDL() const { return absolutePIDL_; }
  uint8_t* RelativePIDL() const { return relativePIDL_; }
  int32_t CustomID() const { return customID_; }
  uint16_t States() const { return states_; }
  const TShellCacheRec& ShellCache() const { return cache_; }
  bool Queried(TCacheQueried element) const { return (cache_.Queried >> element) & 1; }
  // Made on demand (owned then) unless one was given.
  TNamespace* Parent();

  // ---- bindings (each answer is borrowed from the cache unless said otherwise)
  virtual win::IShellFolder* ShellFolder();
  virtual win::IShellFolder2* ShellFolder2();
  virtual win::IShellFolder* ParentShellFolder();
  virtual win::IShellFolder2* ParentShellFolder2();
  // No folder of this platform offers the details interface; from major
  // version 6 of the NT family it is not even asked for.
  virtual win::IUnknown* ShellDetailsInterface();
  virtual win::IUnknown* ParentShellDetailsInterface();
  virtual win::IQueryInfo* QueryInfoInterface();
  virtual win::IDropTarget* DropTargetInterface();
  // Not cached: one reference for the caller, nil when none.
  virtual win::IExtractIconW* ExtractIconWInterface();
  // The class of a virtual folder, else the item's folder's class (the null
  // GUID when neither answers).
  virtual TGUID CLSID();
  // What kind of item it is (SHDID_*); 0 when unknown.
  virtual uint8_t DescriptionID();

  // ---- names
  virtual std::string NormalName();
  virtual std::string InFolderName();
  virtual std::string EditingName();
  virtual std::string EditingNameInFolder();
  virtual std::string AddressBarName();
  virtual std::string AddressBarNameInFolder();
  virtual std::string ParsingName();
  virtual std::string ParsingNameInFolder();
  virtual std::string ParsingAddressName();
  virtual std::string ParsingAddressNameInFolder();
  virtual std::string FileName();
  virtual std::string Extension();
  virtual std::string ShortFileName();

  // ---- attributes
  // Whether the parent folder reports every bit of mask; false without a
  // parent folder or when the folder fails to answer.
  virtual bool TestAttributes(uint32_t mask, bool ofFolder = false, bool validate = false);
  virtual bool CanCopy();
  virtual bool CanMove();
  virtual bool CanLink();
  virtual bool CanRename();
  virtual bool CanDelete();
  virtual bool Ghosted();
  virtual bool Link();
  virtual bool Browsable();
  virtual bool FileSysAncestor();
  virtual bool Folder();
  virtual bool FileSystem();
  virtual bool Storage();
  virtual bool HasPropSheet();
  virtual bool Encrypted();
  virtual bool IsSlow();
  virtual bool Share();
  virtual bool ReadOnly();
  virtual bool NonEnumerated();
  virtual bool NewContent();
  virtual bool CanMoniker();
  virtual bool HasStorage();
  virtual bool Stream();
  virtual bool StorageAncestor();
  virtual bool Removable();
  virtual bool HasSubFolder();
  virtual bool DropTarget();
  // From the find data.
  virtual bool ReadOnlyFile();
  virtual bool Hidden();
  virtual bool SystemFile();
  virtual bool Directory();
  virtual bool Archive();
  virtual bool Normal();
  virtual bool Temporary();
  virtual bool SparseFile();
  virtual bool ReparsePoint();
  virtual bool OffLine();
  virtual bool Compressed();
  // "A", "H", "R", "S", "C" for archive, hidden, read-only, system and
  // compressed file-system items; lower-cased unless upperCase.
  std::string AttributeLetters(bool upperCase);
  virtual std::string AttributeLetters() { return AttributeLetters(true); }

  // ---- file data
  const TWin32FindData* FindData();
  virtual int64_t CreationFileTime();
  virtual int64_t LastAccessFileTime();
  virtual int64_t LastWriteFileTime();
  // Local date-time values; 0 for no time.
  virtual double CreationTime();
  virtual double LastAccessTime();
  virtual double LastWriteTime();
  virtual std::string CreationTimeText();
  virtual std::string LastAccessTimeText();
  virtual std::string LastWriteTimeText();
  virtual std::string FileType();
  virtual int64_t FileSizeBytes();
  virtual std::string FileSizeText();
  virtual std::string FileSizeKBText();
  virtual std::string DiskUsageText();
  virtual int64_t FolderSize(bool refresh, bool recurse);

  // ---- special folders and relations
  virtual bool IsDesktop();
  virtual bool IsMyComputer();
  virtual bool IsControlPanel();
  virtual bool IsInControlPanel();
  virtual bool IsNetworkFolder();
  virtual bool IsInNetworkFolder();
  bool IsRecycleBin();
  virtual bool ContainsNamespace(TNamespace* item, bool immediate);
  virtual bool ContainsPIDL(uint8_t* pidl, bool immediate);
  virtual bool LiesUnderNamespace(TNamespace* item, bool immediate);
  virtual bool LiesUnderPIDL(uint8_t* pidl, bool immediate);
  virtual bool OnRemovableDrive();
  virtual bool Valid();
  // The parent folder's CompareIDs of the two items by column (signed 16-bit code).
  virtual int32_t CompareWithPIDL(uint8_t* pidl, int32_t column);

  // ---- caches
  virtual void ClearCachedProperties();
  // Full also forgets the icon indexes; otherwise valid ones survive.
  virtual void ResetCaches(bool full);
  // Re-reads the item's PIDL from its parent folder (flags: bit 0 folders,
  // bit 1 non-folders, bit 2 hidden) and resets every cache.
  virtual void RefreshItemPIDL(uint32_t flags);
  void ClearColumnCache(bool freeTexts);

  // ---- icon, data and flags
  int32_t BaseIconIndex() const { return baseIconIndex_; }
  void SetIconIndex(int32_t index, bool clearStale);
  // Takes ownership.
  virtual void SetData(TObject* data, bool clearStale);
  virtual TObject* GetData() { return data_.get(); }
  virtual void FreeData();
  virtual bool OwnsPIDL() { return states_ & nsOwnsPIDL; }
  virtual void SetOwnsPIDL(bool v) { SetState(nsOwnsPIDL, v); }
  virtual bool IconChanged() { return states_ & nsIconChanged; }
  virtual void SetIconChanged(bool v) { SetState(nsIconChanged, v); }
  virtual bool IconStale() { return states_ & nsIconStale; }
  virtual void SetIconStale(bool v) { SetState(nsIconStale, v); }
  virtual bool DataStale() { return states_ & nsDataStale; }
  virtual void SetDataStale(bool v) { SetState(nsDataStale, v); }
  virtual bool IconAssigned() { return states_ & nsIconAssigned; }
  virtual bool DataAssigned() { return states_ & nsDataAssigned; }

private:
  struct CustomTag {};
  TNamespace(CustomTag, int32_t customID, TNamespace* parent);

  void SetState(uint16_t flag, bool v) { states_ = v ? states_ | flag : states_ & ~flag; }
  void Mark(TCacheQueried e) { cache_.Queried |= uint64_t(1) << e; }
  void Unmark(TCacheQueried e) { cache_.Queried &= ~(uint64_t(1) << e); }
  // The parent folder's UI object of the item.
  win::HRESULT UIObjectOf(const TGUID& iid, void** out);
  std::string DisplayNameOf(uint32_t flags);
  std::string CachedName(TCacheQueried element, std::string& slot, uint32_t flags);
  bool CachedAttribute(uint32_t mask, TCacheQueried element, uint32_t bit);
  bool FileAttribute(uint32_t bit);
  void RefreshFileTimes();
  std::string CachedTimeText(TCacheQueried element, std::string& slot, int64_t fileTime);
  bool SameAsSpecial(TNamespace* special);
  bool NonBrowsableFolder();
  void FreeFindData();
  void ReleaseInterfaces();
  void FreeParent();

  uint8_t* absolutePIDL_ = nullptr;
  int32_t baseIconIndex_ = -1;
  std::unique_ptr<TObject> data_;
  int32_t customID_ = -1;
  TNamespace* parent_ = nullptr;  // owned when nsOwnsParent
  uint8_t* relativePIDL_ = nullptr;
  win::TComPtr<win::IShellFolder> shellFolderCache_;
  win::TComPtr<win::IShellFolder2> shellFolder2Cache_;
  win::TComPtr<win::IDropTarget> dropTargetCache_;
  win::TComPtr<win::IQueryInfo> queryInfoCache_;
  std::unique_ptr<std::string> fileInfo_;  // the shell's type name
  uint16_t states_ = 0;
  std::unique_ptr<TWin32FindData> findData_;
  TShellCacheRec cache_;
};

// Whether shell calls name the active window as their owner (on by default).
extern bool UseActiveWindowForShellCalls;

// The PIDL manager of the namespace objects, and the special folders (nil
// when this system has none of that kind), between start-up and shut-down.
extern TCommonPIDLManager* ShellPIDLManager;
extern TNamespace *DesktopFolder, *RecycleBinFolder, *DesktopDirectoryFolder, *DrivesFolder, *PrintersFolder,
    *HistoryFolder, *ControlPanelFolder, *NetworkFolder, *TemplatesFolder, *PersonalFolder, *FavoritesFolder,
    *AppDataFolder, *ProgramsFolder;
// What the unit's shell check bound: user32's "AnimateWindow", shell32's
// PIDL equality and parenthood tests (ordinals 21 and 23) and ordinal 747
// (nothing calls it); nil where missing.
extern win::FARPROC ShellAnimateWindow, ShellOrdinal747;
extern win::PFN_ILIsEqual ShellILIsEqual;
extern win::PFN_ILIsParent ShellILIsParent;
// Enters the COM apartment and, on the NT family, has shell32 restore its
// system image cache (ordinal 660, with -1). False when shell32 or one of its
// PIDL tests is missing: nothing is made then, and the program must stop.
bool ShShellUtilitiesInitialize();
void ShShellUtilitiesFinalize();
