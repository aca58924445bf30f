// The folder scanner: lists the files of a folder whose extensions are in a
// given list, optionally with subfolders, and sorts them in the natural order
// of the platform's file browser (img2 before img10).
//
// File times are the platform's file times: 100-nanosecond ticks since
// 1601-01-01 UTC. A reparse point is a symbolic link here. The listing itself
// is the framework's (FindFirst/FindNext).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/collection.h"
#include "platform/classes/lists.h"
#include "platform/rtl/sysutils.h"  // TSearchRec, the folder listing

// Scan options.
enum : uint32_t {
  soRecurse = 1,         // into subfolders
  soReadFromFile = 2,    // each file's information from the file itself, not the listing
  soRelativeNames = 4,   // names relative to the scanned folder
  soListFolders = 8      // folders become entries too
};

class TγFileInfo : public TCollectionItem {
  DX_CLASS(TγFileInfo, TCollectionItem)
public:
  explicit TγFileInfo(TCollection* collection) : TCollectionItem(collection) {}

  uint64_t FileID = 0;  // the file system's index of the file; 0 unless read from the file
  int64_t FileSize = 0;
  std::string FileName;  // full path, or relative to the scanned folder
  uint32_t VolumeSerialNumber = 0;  // 0 unless read from the file
  bool Directory = false;
  uint32_t LinkCount = 0;  // 0 unless read from the file
  int64_t CreationTime = 0;
  int64_t LastAccessTime = 0;
  int64_t LastWriteTime = 0;

  // Name, size, folder flag and times from the listing.
  void AssignFromSearchRec(const std::string& path, const TSearchRec& rec);
  // Sets the name and reads everything from the file itself; raises EOSError
  // when the file cannot be opened.
  void ReadFromFile(const std::string& path);
  // Streamed as FileName, Directory (only when set), FileDates (creation,
  // last write, last access), FileID, VolumeSerial, FileSize.
  void DefineProperties(TFiler* filer) override;
};

// Differences between two scans; kept for the scanner's users, filled by none here.
class TγDiffList : public TObjectList {
  DX_CLASS(TγDiffList, TObjectList)
};

class TDirectoryScan : public TCollection {
  DX_CLASS(TDirectoryScan, TCollection)
public:
  TDirectoryScan();
  ~TDirectoryScan() override;

  // Appends the entries of folder whose extension (with its dot, ignoring
  // case) is in extensions, or every entry when the list holds ".*". Does not
  // clear first. A folder that does not exist adds nothing.
  void Scan(const std::string& folder, const std::vector<std::string>& extensions, int32_t depth,
            uint32_t options);
  // Natural order of the file names (CompareStrLogical), when there are at least two.
  void Sort();

  TγFileInfo* GetItem(int32_t index) const { return static_cast<TγFileInfo*>(Items(index)); }
  TγFileInfo* AddItem() { return static_cast<TγFileInfo*>(Add()); }
  // The first entry whose name equals name ignoring case, or nil.
  TγFileInfo* FindByName(const std::string& name) const;
  // Swaps two entries by moving them.
  void Exchange(int32_t i, int32_t j);
  // The file index of path, not following a final symbolic link; 0 when it cannot be read.
  static uint64_t GetFileID(const std::string& path);

  TγDiffList& DiffList() { return *diffList_; }

private:
  void ScanFolder(const std::string& base, std::string relative, int32_t depth,
                  const std::vector<std::string>& extensions, uint32_t options);
  void QuickSort(int32_t left, int32_t right);
  int32_t CompareEntries(int32_t a, int32_t b) const;

  std::unique_ptr<TγDiffList> diffList_;
  // The symbolic-link folders met during one scan, so that a loop is entered once.
  std::vector<uint64_t> visited_;
};
