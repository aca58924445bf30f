// The objects folders hand out for their items: data objects, drop targets,
// icon locations and info tips, over real files in a scratch home.
#include <gtest/gtest.h>

#include <memory>

#include "platform/rtl/taskmem.h"
#include "platform/rtl/text.h"
#include "platform/shell/folders/shellitems.h"
#include "platform/shell/shellinfo.h"
#include "platform/shell/shellpaths.h"
#include "platform/shell/sysicons.h"
#include "platform/gdi/icon.h"
#include "tests/support/shell_home.h"

namespace fs = std::filesystem;
using namespace win;

namespace {

struct UiFixture : ShellHomeFixture {
  fs::path docs, dest;
  TComPtr<IShellFolder> folder;
  void SetUp() override {
    ShellHomeFixture::SetUp();
    env.Set("XDG_DATA_HOME", data.string());
    docs = home / "docs";
    dest = home / "dest";
    fs::create_directories(docs / "sub");
    fs::create_directories(dest);
    testsupport::WriteFileBytes(docs / "a.jpg", "AAAA");
    testsupport::WriteFileBytes(docs / "\xC3\xA4.jpg", "B");
    TComPtr<IShellFolder> desktop;
    ASSERT_EQ(SHGetDesktopFolder(desktop.put()), S_OK);
    PIDL p = nullptr;
    ASSERT_EQ(desktop->ParseDisplayName(nullptr, nullptr, docs.string(), nullptr, &p, nullptr), S_OK);
    ASSERT_EQ(desktop->BindToObject(p, nullptr, IID_IShellFolder, folder.put_void()), S_OK);
    TaskMemFree(p);
  }
  Pidl Child(const std::string& name) {
    PIDL p = nullptr;
    folder->ParseDisplayName(nullptr, nullptr, name, nullptr, &p, nullptr);
    return Pidl(p);
  }
  template <class I>
  TComPtr<I> UiObject(TComPtr<IShellFolder>& f, std::vector<PCIDL> items, const IID& iid) {
    TComPtr<I> out;
    EXPECT_EQ(f->GetUIObjectOf(nullptr, UINT(items.size()), items.data(), iid, nullptr, out.put_void()), S_OK);
    return out;
  }
  static std::vector<uint8_t> Bytes(IDataObject* data, CLIPFORMAT format) {
    FORMATETC f{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM m;
    if (data->GetData(&f, &m) != S_OK) return {};
    const auto* p = static_cast<const uint8_t*>(GlobalLock(m.hGlobal));
    std::vector<uint8_t> out(p, p + GlobalSize(m.hGlobal));
    GlobalUnlock(m.hGlobal);
    ReleaseStgMedium(&m);
    return out;
  }
};

std::vector<uint8_t> U32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }

}  // namespace

TEST_F(UiFixture, DataObjectOffersTheFileListAndTheItemListArray) {
  const Pidl a = Child("a.jpg"), u = Child("\xC3\xA4.jpg");
  TComPtr<IDataObject> data = UiObject<IDataObject>(folder, {a.get(), u.get()}, IID_IDataObject);
  ASSERT_TRUE(data);
  // DROPFILES as the platform lays it out: 20-byte header, wide names, a final 0.
  std::vector<uint8_t> expected;
  for (uint32_t v : {20u, 0u, 0u, 0u, 1u}) for (uint8_t b : U32(v)) expected.push_back(b);
  for (const fs::path& p : {docs / "a.jpg", docs / "\xC3\xA4.jpg"}) {
    for (char16_t c : Utf8ToUtf16(p.string())) expected.push_back(uint8_t(c)), expected.push_back(uint8_t(c >> 8));
    expected.push_back(0), expected.push_back(0);
  }
  expected.push_back(0), expected.push_back(0);
  EXPECT_EQ(Bytes(data.get(), CF_HDROP), expected);
  // CIDA: count, offsets, then the folder's list and each child's.
  const std::vector<uint8_t> cida = Bytes(data.get(), ShellIDListFormat());
  ASSERT_GE(cida.size(), 16u);
  EXPECT_EQ(std::vector<uint8_t>(cida.begin(), cida.begin() + 4), U32(2));
  const uint32_t parentAt = cida[4] | cida[5] << 8, firstAt = cida[8] | cida[9] << 8;
  ASSERT_LT(firstAt, cida.size());
  const auto parentItems = DecodePidl(cida.data() + parentAt, cida.size() - parentAt);
  ASSERT_TRUE(parentItems);
  EXPECT_EQ(PathOfItems(*parentItems), docs.string());
  const auto child = DecodePidl(cida.data() + firstAt, cida.size() - firstAt);
  ASSERT_TRUE(child && child->size() == 1);
  EXPECT_EQ(child->front().Name, "a.jpg");
  // The formats it lists, and one it does not have.
  TComPtr<IEnumFORMATETC> formats;
  ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, formats.put()), S_OK);
  FORMATETC got[4];
  uint32_t n = 0;
  formats->Next(4, got, &n);
  EXPECT_EQ(n, 2u);
  FORMATETC text{CLIPFORMAT(CF_UNICODETEXT), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  EXPECT_EQ(data->QueryGetData(&text), DV_E_FORMATETC);
}

TEST_F(UiFixture, DropTargetCopiesMovesAndTrashes) {
  TComPtr<IShellFolder> desktop;
  ASSERT_EQ(SHGetDesktopFolder(desktop.put()), S_OK);
  PIDL destPidl = nullptr, trashPidl = nullptr;
  ASSERT_EQ(desktop->ParseDisplayName(nullptr, nullptr, dest.string(), nullptr, &destPidl, nullptr), S_OK);
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &trashPidl), S_OK);
  const Pidl d(destPidl), t(trashPidl);
  // The drop target of an item that is a folder, as the desktop hands it out.
  const auto targetOf = [&](PCIDL item) {
    auto rel = PidlItems(item);
    TComPtr<IShellFolder> parent;
    std::vector<TPidlItem> up(rel->begin(), rel->end() - 1);
    Pidl upPidl(PidlCreate(up));
    if (up.empty()) {
      parent = desktop;
    } else {
      EXPECT_EQ(desktop->BindToObject(upPidl.get(), nullptr, IID_IShellFolder, parent.put_void()), S_OK);
    }
    Pidl last(PidlCreate({rel->back()}));
    return UiObject<IDropTarget>(parent, {last.get()}, IID_IDropTarget);
  };
  TComPtr<IDropTarget> toDest = targetOf(d.get()), toTrash = targetOf(t.get());
  ASSERT_TRUE(toDest && toTrash);

  const Pidl a = Child("a.jpg");
  TComPtr<IDataObject> data = UiObject<IDataObject>(folder, {a.get()}, IID_IDataObject);
  uint32_t effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  ASSERT_EQ(toDest->DragEnter(data.get(), MK_CONTROL, {}, &effect), S_OK);
  EXPECT_EQ(effect, DROPEFFECT_COPY);
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  ASSERT_EQ(toDest->Drop(data.get(), MK_CONTROL, {}, &effect), S_OK);
  EXPECT_EQ(effect, DROPEFFECT_COPY);
  EXPECT_EQ(testsupport::ReadFileBytes(dest / "a.jpg"), "AAAA");
  EXPECT_TRUE(fs::exists(docs / "a.jpg"));
  // Within one file system a plain drop moves; the name taken gets a new one.
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  ASSERT_EQ(toDest->Drop(data.get(), 0, {}, &effect), S_OK);
  EXPECT_EQ(effect, DROPEFFECT_MOVE);
  EXPECT_FALSE(fs::exists(docs / "a.jpg"));
  EXPECT_EQ(testsupport::ReadFileBytes(dest / "a (2).jpg"), "AAAA");
  // Into the Trash.
  const Pidl u = Child("\xC3\xA4.jpg");
  TComPtr<IDataObject> second = UiObject<IDataObject>(folder, {u.get()}, IID_IDataObject);
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  ASSERT_EQ(toTrash->Drop(second.get(), 0, {}, &effect), S_OK);
  EXPECT_EQ(effect, DROPEFFECT_MOVE);
  EXPECT_TRUE(fs::exists(ShellHomeFixture::data / "Trash" / "files" / "\xC3\xA4.jpg"));
  // Data without files, or a source that allows nothing, drops nothing.
  effect = DROPEFFECT_COPY;
  EXPECT_EQ(toDest->Drop(nullptr, 0, {}, &effect), S_OK);
  EXPECT_EQ(effect, DROPEFFECT_NONE);
  effect = DROPEFFECT_LINK;
  TComPtr<IDataObject> third = UiObject<IDataObject>(folder, {Child("sub").get()}, IID_IDataObject);
  EXPECT_EQ(toDest->Drop(third.get(), 0, {}, &effect), S_OK);
  EXPECT_EQ(effect, DROPEFFECT_NONE);
  EXPECT_TRUE(fs::exists(docs / "sub"));
  // Files are not drop targets.
  TComPtr<IDropTarget> none;
  testsupport::WriteFileBytes(docs / "f.txt", "");
  const Pidl f = Child("f.txt");
  PCIDL one = f.get();
  EXPECT_EQ(folder->GetUIObjectOf(nullptr, 1, &one, IID_IDropTarget, nullptr, none.put_void()), E_NOINTERFACE);
}

TEST(DropBlock, MalformedBlocksAreRefused) {
  const auto block = [](std::vector<uint32_t> header, std::vector<uint8_t> tail) {
    std::vector<uint8_t> b;
    for (uint32_t v : header) for (uint8_t x : U32(v)) b.push_back(x);
    b.insert(b.end(), tail.begin(), tail.end());
    return b;
  };
  const struct {
    std::vector<uint8_t> Bytes;
    bool Valid;
    std::vector<std::string> Names;
  } rows[] = {
      {block({20, 0, 0, 0, 1}, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}), true, {"a", "b"}},
      {block({20, 0, 0, 0, 0}, {'x', 'y', 0, 0}), true, {"xy"}},   // narrow names
      {block({20, 0, 0, 0, 1}, {0, 0}), true, {}},
      {block({20, 0, 0, 0, 1}, {'a', 0, 'b'}), false, {}},          // no terminator
      {block({20, 0, 0, 0, 1}, {'a', 0, 0, 0}), false, {}},         // no end of list
      {block({4000, 0, 0, 0, 1}, {0, 0}), false, {}},               // names past the block
      {block({8, 0, 0, 0, 1}, {0, 0}), false, {}},                  // names inside the header
      {{20, 0, 0}, false, {}},
  };
  for (size_t i = 0; i < std::size(rows); ++i) {
    const auto names = FilesOfDropBlock(rows[i].Bytes.data(), rows[i].Bytes.size());
    ASSERT_EQ(names.has_value(), rows[i].Valid) << i;
    if (names) {
      EXPECT_EQ(*names, rows[i].Names) << i;
    }
  }
  EXPECT_FALSE(FilesOfDropBlock(nullptr, 40));
}

TEST_F(UiFixture, IconLocationsAndInfoTips) {
  fs::create_symlink("a.jpg", docs / "link");
  const struct {
    const char* Name;
    uint32_t Flags;
    int32_t Icon;
  } rows[] = {
      {"a.jpg", 0, SYSICON_FILE},
      {"sub", 0, SYSICON_FOLDER},
      {"sub", GIL_OPENICON, SYSICON_FOLDER_OPEN},
      {"link", 0, SYSICON_LINK},
  };
  for (const auto& r : rows) {
    const Pidl p = Child(r.Name);
    TComPtr<IExtractIconW> icon = UiObject<IExtractIconW>(folder, {p.get()}, IID_IExtractIconW);
    ASSERT_TRUE(icon) << r.Name;
    char file[16];
    int32_t index = -1;
    uint32_t flags = 0;
    ASSERT_EQ(icon->GetIconLocation(r.Flags, file, sizeof file, &index, &flags), S_OK);
    EXPECT_STREQ(file, "*");
    EXPECT_EQ(index, r.Icon) << r.Name;
    EXPECT_TRUE(flags & GIL_NOTFILENAME);
    HICON large = nullptr, small = nullptr;
    ASSERT_EQ(icon->Extract(file, UINT(index), &large, &small, 0), S_OK);
    ASSERT_TRUE(large && small);
    EXPECT_EQ(large->Width, 32);
    EXPECT_EQ(small->Width, 16);
    EXPECT_EQ(small->Color, ImageListCells(SystemImageList(true))[size_t(index)]) << r.Name;
    DestroyIcon(large);
    DestroyIcon(small);
  }
  // Only the system list's location is extracted here; a bad index gives nothing.
  TComPtr<IExtractIconW> icon = UiObject<IExtractIconW>(folder, {Child("a.jpg").get()}, IID_IExtractIconW);
  HICON large = reinterpret_cast<HICON>(1), small = reinterpret_cast<HICON>(1);
  EXPECT_EQ(icon->Extract("/usr/share/icons/x.png", 0, &large, &small, 0), S_FALSE);
  EXPECT_EQ(large, nullptr);
  EXPECT_EQ(small, nullptr);
  EXPECT_EQ(icon->Extract("*", UINT(SYSICON_COUNT), &large, &small, 0), S_FALSE);
  EXPECT_EQ(large, nullptr);
  const Pidl a = Child("a.jpg");
  TComPtr<IQueryInfo> info = UiObject<IQueryInfo>(folder, {a.get()}, IID_IQueryInfo);
  char* tip = nullptr;
  ASSERT_EQ(info->GetInfoTip(0, &tip), S_OK);
  const std::string text = tip;
  TaskMemFree(tip);
  EXPECT_EQ(text.substr(0, 33), "Type: .JPG File\nSize: 1 KB\nDate m");
  // Several items give one data object, but one icon or tip each only.
  const Pidl s = Child("sub");
  PCIDL two[] = {a.get(), s.get()};
  TComPtr<IQueryInfo> none;
  EXPECT_EQ(folder->GetUIObjectOf(nullptr, 2, two, IID_IQueryInfo, nullptr, none.put_void()), E_INVALIDARG);
}
