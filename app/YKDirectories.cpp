#include "app/YKDirectories.h"

#include <algorithm>

#include "app/DImports.h"
#include "platform/classes/filer.h"
#include "platform/rtl/sysutils.h"

namespace {

bool HasAll(uint32_t attr, uint32_t bits) { return (attr & bits) == bits; }

}  // namespace

void TγFileInfo::AssignFromSearchRec(const std::string& path, const TSearchRec& rec) {
  FileName = path;
  FileSize = rec.Size;
  Directory = (rec.Attr & faDirectory) != 0;
  CreationTime = rec.CreationTime;
  LastAccessTime = rec.LastAccessTime;
  LastWriteTime = rec.LastWriteTime;
  FileID = 0;
  VolumeSerialNumber = 0;
  LinkCount = 0;
}

void TγFileInfo::ReadFromFile(const std::string& path) {
  FileName = path;
  TFileIdentity id;
  int error = 0;
  if (!ReadFileIdentity(path, false, id, error)) RaiseLastOSError(error);
  FileID = id.FileID;
  FileSize = id.Size;
  VolumeSerialNumber = uint32_t(id.Device);
  LinkCount = id.LinkCount;
  Directory = id.Directory;
  CreationTime = id.CreationTime;
  LastAccessTime = id.LastAccessTime;
  LastWriteTime = id.LastWriteTime;
}

void TγFileInfo::DefineProperties(TFiler* filer) {
  filer->DefineProperty(
      "FileName", [this](TReader& r) { FileName = r.ReadWideString(); },
      [this](TWriter& w) { w.WriteWideString(FileName); }, true);
  filer->DefineProperty(
      "Directory", [this](TReader& r) { Directory = r.ReadBoolean(); },
      [this](TWriter& w) { w.WriteBoolean(Directory); }, Directory);
  filer->DefineProperty(
      "FileDates",
      [this](TReader& r) {
        r.ReadListBegin();
        CreationTime = r.ReadInt64();
        LastWriteTime = r.ReadInt64();
        LastAccessTime = r.ReadInt64();
        r.ReadListEnd();
      },
      [this](TWriter& w) {
        w.WriteListBegin();
        w.WriteInteger(CreationTime);
        w.WriteInteger(LastWriteTime);
        w.WriteInteger(LastAccessTime);
        w.WriteListEnd();
      },
      true);
  filer->DefineProperty(
      "FileID", [this](TReader& r) { FileID = uint64_t(r.ReadInt64()); },
      [this](TWriter& w) { w.WriteInteger(int64_t(FileID)); }, true);
  filer->DefineProperty(
      "VolumeSerial", [this](TReader& r) { VolumeSerialNumber = uint32_t(r.ReadInt64()); },
      [this](TWriter& w) { w.WriteInteger(int64_t(VolumeSerialNumber)); }, true);
  filer->DefineProperty(
      "FileSize", [this](TReader& r) { FileSize = r.ReadInt64(); }, [this](TWriter& w) { w.WriteInteger(FileSize); },
      true);
  TCollectionItem::DefineProperties(filer);
}

TDirectoryScan::TDirectoryScan()
    : TCollection(CollectionItemClassOf<TγFileInfo>()), diffList_(std::make_unique<TγDiffList>()) {}

TDirectoryScan::~TDirectoryScan() = default;

void TDirectoryScan::Scan(const std::string& folder, const std::vector<std::string>& extensions, int32_t depth,
                          uint32_t options) {
  const std::string base = IncludeTrailingPathDelimiter(folder);
  visited_.clear();
  try {
    ScanFolder(base, {}, depth, extensions, options);
  } catch (...) {
    visited_.clear();
    throw;
  }
  visited_.clear();
}

void TDirectoryScan::ScanFolder(const std::string& base, std::string relative, int32_t depth,
                                const std::vector<std::string>& extensions, uint32_t options) {
  if (!relative.empty()) relative = IncludeTrailingPathDelimiter(relative);
  TSearchRec rec;
  if (FindFirst(base + relative + "*", faAnyFile, rec) != 0) return;
  const bool anyExtension = std::find(extensions.begin(), extensions.end(), ".*") != extensions.end();
  constexpr uint32_t kHiddenLinkedFolder = faHidden | faDirectory | faReparsePoint;

  for (int found = 0; found == 0; found = FindNext(rec)) {
    const std::string name = rec.Name;
    if (name == "." || name == "..") continue;
    const uint32_t a = rec.Attr;
    if (a & faDirectory) {
      if (HasAll(a, kHiddenLinkedFolder)) continue;
      if (a & faReparsePoint) {
        const uint64_t id = GetFileID(base + relative + name);
        if (std::find(visited_.begin(), visited_.end(), id) != visited_.end()) continue;
        visited_.push_back(id);
      }
      if ((options & soRecurse) && depth > 0) ScanFolder(base, relative + name, depth - 1, extensions, options);
    }
    if (((a & faDirectory) && !(options & soListFolders)) || HasAll(a, kHiddenLinkedFolder)) continue;
    if (!anyExtension) {
      const std::string ext = ExtractFileExt(name);
      bool match = false;
      for (const std::string& e : extensions) match = match || AnsiSameText(ext, e);
      if (!match) continue;
    }
    const std::string entryName = (options & soRelativeNames) ? relative + name : base + relative + name;
    TγFileInfo* item = AddItem();
    if (options & soReadFromFile) {
      item->ReadFromFile(base + relative + name);
      item->FileName = entryName;
    } else {
      item->AssignFromSearchRec(entryName, rec);
    }
  }
}

int32_t TDirectoryScan::CompareEntries(int32_t a, int32_t b) const {
  return CompareStrLogical(GetItem(a)->FileName, GetItem(b)->FileName);
}

void TDirectoryScan::Sort() {
  if (Count() > 1) QuickSort(0, Count() - 1);
}

void TDirectoryScan::QuickSort(int32_t left, int32_t right) {
  int32_t i;
  do {
    i = left;
    int32_t j = right;
    int32_t p = left + (right - left) / 2;
    do {
      while (CompareEntries(i, p) < 0) ++i;
      while (CompareEntries(j, p) > 0) --j;
      if (i <= j) {
        Exchange(i, j);
        // The pivot travels with its entry.
        if (p == i) p = j;
        else if (p == j) p = i;
        ++i;
        --j;
      }
    } while (i <= j);
    if (left < j) QuickSort(left, j);
    left = i;
  } while (i < right);
}

TγFileInfo* TDirectoryScan::FindByName(const std::string& name) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (AnsiSameText(GetItem(i)->FileName, name)) return GetItem(i);
  return nullptr;
}

void TDirectoryScan::Exchange(int32_t i, int32_t j) {
  if (i == j) return;
  if (i > j) std::swap(i, j);
  Items(i)->SetIndex(j);
  Items(j - 1)->SetIndex(i);
}

uint64_t TDirectoryScan::GetFileID(const std::string& path) {
  TFileIdentity id;
  int error = 0;
  return ReadFileIdentity(path, true, id, error) ? id.FileID : 0;
}
