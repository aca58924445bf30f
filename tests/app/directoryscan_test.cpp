#include "app/YKDirectories.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "app/DImports.h"
#include "platform/classes/filer.h"
#include "platform/rtl/sysutils.h"
#include "tests/support/testsupport.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kViewerExtensions = {".mpo", ".jpg", ".tif", ".png"};

std::vector<std::string> Names(const TDirectoryScan& scan, const fs::path& base = {}) {
  std::vector<std::string> out;
  for (int32_t i = 0; i < scan.Count(); ++i) {
    std::string n = scan.GetItem(i)->FileName;
    if (!base.empty()) n = fs::path(n).lexically_relative(base).string();
    out.push_back(n);
  }
  return out;
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

}  // namespace

TEST(DirectoryScan, ListsTheViewersFilesInNaturalOrder) {
  DImportsInitialize();
  testsupport::TempDir tmp;
  for (const char* n : {"img10.mpo", "img2.mpo", "IMG1.jpg", "photo.MPO", "scan.Tif", "notes.txt", "png", "x.png.bak"})
    testsupport::WriteFileBytes(tmp / n, "data");
  fs::create_directory(tmp / "sub.jpg");
  testsupport::WriteFileBytes(tmp / "sub.jpg" / "inner.jpg", "x");
  TDirectoryScan scan;
  scan.Scan(tmp.Path().string(), kViewerExtensions, 0, 0);
  scan.Sort();
  EXPECT_EQ(Names(scan, tmp.Path()),
            (std::vector<std::string>{"IMG1.jpg", "img2.mpo", "img10.mpo", "photo.MPO", "scan.Tif"}));
  EXPECT_EQ(scan.GetItem(0)->FileName, (tmp / "IMG1.jpg").string());
  EXPECT_EQ(scan.GetItem(0)->FileSize, 4);
  EXPECT_FALSE(scan.GetItem(0)->Directory);
  // Not cleared between scans: everything twice.
  scan.Scan(tmp.Path().string(), kViewerExtensions, 0, 0);
  EXPECT_EQ(scan.Count(), 10);
  EXPECT_EQ(scan.FindByName((tmp / "img10.MPO").string()), scan.GetItem(2));
  EXPECT_EQ(scan.FindByName((tmp / "none.mpo").string()), nullptr);
}

TEST(DirectoryScan, MissingFolderGivesNothing) {
  TDirectoryScan scan;
  EXPECT_NO_THROW(scan.Scan("/nonexistent/duplexion/folder", kViewerExtensions, 3, soRecurse));
  EXPECT_EQ(scan.Count(), 0);
}

TEST(DirectoryScan, OptionsRecurseRelativeFoldersAndAll) {
  testsupport::TempDir tmp;
  fs::create_directories(tmp / "a" / "b");
  testsupport::WriteFileBytes(tmp / "top.jpg", "1");
  testsupport::WriteFileBytes(tmp / "a" / "mid.jpg", "22");
  testsupport::WriteFileBytes(tmp / "a" / "b" / "deep.jpg", "333");
  testsupport::WriteFileBytes(tmp / "a" / "b" / "note.txt", "x");
  struct Row {
    int32_t depth;
    uint32_t options;
    std::vector<std::string> ext;
    std::vector<std::string> names;
  } rows[] = {
      {5, 0, {".jpg"}, {"top.jpg"}},
      {0, soRecurse, {".jpg"}, {"top.jpg"}},
      {1, soRecurse, {".jpg"}, {"a/mid.jpg", "top.jpg"}},
      {2, soRecurse, {".jpg"}, {"a/b/deep.jpg", "a/mid.jpg", "top.jpg"}},
      {2, soRecurse | soRelativeNames, {".jpg"}, {"a/b/deep.jpg", "a/mid.jpg", "top.jpg"}},
      {0, soListFolders, {".*"}, {"a", "top.jpg"}},
      {2, soRecurse, {".*"}, {"a/b/deep.jpg", "a/b/note.txt", "a/mid.jpg", "top.jpg"}},
  };
  for (const Row& r : rows) {
    TDirectoryScan scan;
    scan.Scan(tmp.Path().string(), r.ext, r.depth, r.options);
    const bool relative = r.options & soRelativeNames;
    EXPECT_EQ(Sorted(Names(scan, relative ? fs::path() : tmp.Path())), r.names)
        << "depth " << r.depth << " options " << r.options;
  }
}

// A symbolic link to a folder counts as a reparse point: a hidden one is
// neither listed nor entered, and a loop through one is entered once.
TEST(DirectoryScan, LinkedFolders) {
  testsupport::TempDir tmp, outside;
  testsupport::WriteFileBytes(outside / "secret.jpg", "s");
  fs::create_directory(tmp / "sub");
  testsupport::WriteFileBytes(tmp / "a.jpg", "a");
  testsupport::WriteFileBytes(tmp / "sub" / "x.jpg", "x");
  fs::create_directory_symlink(tmp.Path(), tmp / "sub" / "loop");
  fs::create_directory_symlink(outside.Path(), tmp / ".hidden");
  TDirectoryScan scan;
  scan.Scan(tmp.Path().string(), {".jpg"}, 20, soRecurse);
  EXPECT_EQ(Sorted(Names(scan, tmp.Path())),
            (std::vector<std::string>{"a.jpg", "sub/loop/a.jpg", "sub/loop/sub/x.jpg", "sub/x.jpg"}));
}

TEST(DirectoryScan, ReadFromFileTakesTheFilesOwnData) {
  testsupport::TempDir tmp;
  testsupport::WriteFileBytes(tmp / "one.jpg", "12345");
  fs::create_hard_link(tmp / "one.jpg", tmp / "two.jpg");
  // 2001-05-19 18:36:41 UTC as last write time.
  using namespace std::chrono;
  fs::last_write_time(tmp / "one.jpg", file_clock::from_sys(sys_seconds(seconds(990297401))));

  TDirectoryScan scan;
  scan.Scan(tmp.Path().string(), {".jpg"}, 0, soReadFromFile);
  ASSERT_EQ(scan.Count(), 2);
  const uint64_t id = scan.GetItem(0)->FileID;
  EXPECT_NE(id, 0u);
  for (int32_t i = 0; i < 2; ++i) {
    const TγFileInfo& f = *scan.GetItem(i);
    EXPECT_EQ(f.FileID, id) << "two names of one file";
    EXPECT_EQ(f.LinkCount, 2u);
    EXPECT_EQ(f.FileSize, 5);
    EXPECT_EQ(f.VolumeSerialNumber, scan.GetItem(0)->VolumeSerialNumber);
    EXPECT_EQ(f.LastWriteTime, 126347710010000000ll);
  }
  // From the listing: no file ID, link count or volume, the same times.
  TDirectoryScan listed;
  listed.Scan(tmp.Path().string(), {".jpg"}, 0, 0);
  ASSERT_EQ(listed.Count(), 2);
  EXPECT_EQ(listed.GetItem(0)->FileID, 0u);
  EXPECT_EQ(listed.GetItem(0)->LinkCount, 0u);
  EXPECT_EQ(listed.GetItem(0)->LastWriteTime, 126347710010000000ll);
  EXPECT_EQ(TDirectoryScan::GetFileID((tmp / "one.jpg").string()), id);
  EXPECT_EQ(TDirectoryScan::GetFileID((tmp / "none.jpg").string()), 0u);

  // A file that cannot be opened fails the scan with the system's error.
  fs::create_symlink(tmp / "missing-target", tmp / "dangling.jpg");
  TDirectoryScan failing;
  EXPECT_THROW(failing.Scan(tmp.Path().string(), {".jpg"}, 0, soReadFromFile), EOSError);
}

TEST(DirectoryScan, ExchangeSwapsExactlyTwo) {
  TDirectoryScan scan;
  for (const char* n : {"a", "b", "c", "d", "e"}) scan.AddItem()->FileName = n;
  scan.Exchange(1, 3);
  scan.Exchange(4, 0);
  scan.Exchange(2, 2);
  EXPECT_EQ(Names(scan), (std::vector<std::string>{"e", "d", "c", "b", "a"}));
}

TEST(DirectoryScan, SortHandlesEveryShape) {
  DImportsInitialize();
  // Already sorted, reversed, all equal, duplicates: quicksort must end in natural order each time.
  const std::vector<std::vector<std::string>> inputs = {
      {"f1", "f2", "f3", "f10", "f20"},
      {"f20", "f10", "f3", "f2", "f1"},
      {"x", "x", "x", "x"},
      {"b2", "a10", "b2", "a2", "A1", "b1"},
      {"only"},
      {},
  };
  for (const auto& in : inputs) {
    TDirectoryScan scan;
    for (const std::string& n : in) scan.AddItem()->FileName = n;
    scan.Sort();
    const std::vector<std::string> out = Names(scan);
    ASSERT_EQ(out.size(), in.size());
    for (size_t i = 1; i < out.size(); ++i) EXPECT_LE(CompareStrLogical(out[i - 1], out[i]), 0) << out[i - 1] << " " << out[i];
    EXPECT_EQ(Sorted(out), Sorted(in));
  }
}

TEST(DirectoryScan, EntriesStreamTheirFields) {
  TDirectoryScan scan;
  TγFileInfo* f = scan.AddItem();
  f->FileName = "/pictures/Bild 1.mpo";
  f->Directory = false;
  f->FileID = 0x123456789ull;
  f->FileSize = 1250914;
  f->VolumeSerialNumber = 0xFEEDBEEF;
  f->CreationTime = 1;
  f->LastWriteTime = 2;
  f->LastAccessTime = 3;
  TStringStream out;
  TWriter writer(out);
  writer.WriteCollection(&scan);
  writer.FlushBuffer();
  const std::string text = out.DataString();
  EXPECT_NE(text.find("FileName = '/pictures/Bild 1.mpo'"), std::string::npos) << text;
  EXPECT_EQ(text.find("Directory"), std::string::npos) << "written only when set";
  EXPECT_NE(text.find("FileDates = ("), std::string::npos) << text;
  // The order of the streamed form.
  const size_t order[] = {text.find("FileName"), text.find("FileDates"), text.find("FileID"),
                          text.find("VolumeSerial"), text.find("FileSize")};
  EXPECT_TRUE(std::is_sorted(std::begin(order), std::end(order))) << text;

  TStringStream in(text);
  TReader reader(in);
  TDirectoryScan back;
  reader.ReadCollection(&back);
  ASSERT_EQ(back.Count(), 1);
  const TγFileInfo& g = *back.GetItem(0);
  EXPECT_EQ(g.FileName, f->FileName);
  EXPECT_EQ(g.FileID, f->FileID);
  EXPECT_EQ(g.FileSize, f->FileSize);
  EXPECT_EQ(g.VolumeSerialNumber, f->VolumeSerialNumber);
  EXPECT_EQ(g.CreationTime, 1);
  EXPECT_EQ(g.LastWriteTime, 2);
  EXPECT_EQ(g.LastAccessTime, 3);
}
