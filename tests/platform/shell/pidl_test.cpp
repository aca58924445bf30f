// Item-ID lists: the byte layout written out by hand, the refusal of
// malformed lists, and the comparisons the shell's ordinals 21 and 23 make.
#include "platform/shell/pidl.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/rtl/taskmem.h"

namespace {

using Bytes = std::vector<uint8_t>;

TPidlItem Dir(const std::string& name, uint64_t size = 0, int64_t time = 0) {
  TPidlItem it;
  it.Kind = pkDirectory;
  it.Attributes = PIDL_ATTR_DIRECTORY;
  it.Name = name;
  it.Size = size;
  it.Time = time;
  return it;
}
TPidlItem File(const std::string& name, uint64_t size = 0, int64_t time = 0) {
  TPidlItem it = Dir(name, size, time);
  it.Kind = pkFile;
  it.Attributes = PIDL_ATTR_NORMAL;
  return it;
}
TPidlItem Folder(const TGUID& g) {
  TPidlItem it;
  it.Kind = pkVirtualFolder;
  it.Folder = g;
  return it;
}
TPidlItem Volume(const std::string& mount) {
  TPidlItem it;
  it.Kind = pkVolume;
  it.Name = mount;
  return it;
}

// A task-allocator block holding the bytes, freed at the end of the test.
class Block {
public:
  explicit Block(const Bytes& b) : p_(static_cast<PIDL>(TaskMemAlloc(b.size()))) {
    if (!b.empty()) std::memcpy(p_, b.data(), b.size());
  }
  explicit Block(PIDL p) : p_(p) {}
  ~Block() { TaskMemFree(p_); }
  Block(const Block&) = delete;
  Block& operator=(const Block&) = delete;
  PIDL get() const { return p_; }

private:
  PIDL p_;
};

}  // namespace

TEST(Pidl, EachKindHasItsByteLayoutAndComesBack) {
  TPidlItem trash;
  trash.Kind = pkTrashEntry;
  trash.Attributes = 0x20;
  trash.Size = 5;
  trash.Time = 7;
  trash.Name = "a.jpg";
  trash.OriginalPath = "/p";
  TPidlItem volume = Volume("/m");
  volume.Attributes = 0x10;
  TPidlItem link = File("ln", 0x0102030405060708, -2);
  link.Kind = pkLink;
  link.Flags = 0x80;
  link.Attributes = 0x400;
  const TGUID g{0x04030201, 0x0605, 0x0807, {9, 10, 11, 12, 13, 14, 15, 16}};
  const struct {
    const char* What;
    TPidlItem Item;
    Bytes Layout;  // one item, without the terminator
  } rows[] = {
      {"virtual folder", Folder(g), {20, 0, 0x10, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
      {"volume", volume, {11, 0, 0x20, 0, 0x10, 0, 0, 0, '/', 'm', 0}},
      {"directory",
       Dir("d", 1, 2),
       {26, 0, 0x30, 0, 0x10, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 'd', 0}},
      {"file",
       File("f.mpo", 0x100, 0x0000000100000000),
       {30, 0, 0x31, 0, 0x20, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 'f', '.', 'm', 'p', 'o', 0}},
      {"link",
       link,
       {27, 0, 0x32, 0x80, 0, 4, 0, 0, 8, 7, 6, 5, 4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'l', 'n',
        0}},
      {"trash entry",
       trash,
       {33, 0, 0x40, 0, 0x20, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0, 'a', '.', 'j', 'p', 'g', 0, '/',
        'p', 0}},
  };
  for (const auto& r : rows) {
    Bytes expected = r.Layout;
    expected.insert(expected.end(), {0, 0});
    const auto bytes = EncodePidl({r.Item});
    ASSERT_TRUE(bytes) << r.What;
    EXPECT_EQ(*bytes, expected) << r.What;
    size_t used = 0;
    const auto back = DecodePidl(expected.data(), expected.size(), &used);
    ASSERT_TRUE(back && back->size() == 1) << r.What;
    EXPECT_EQ(used, expected.size());
    const TPidlItem& it = back->front();
    EXPECT_EQ(it.Kind, r.Item.Kind) << r.What;
    EXPECT_EQ(it.Flags, r.Item.Flags) << r.What;
    EXPECT_EQ(it.Folder, r.Item.Folder) << r.What;
    EXPECT_EQ(it.Attributes, r.Item.Attributes) << r.What;
    EXPECT_EQ(it.Size, r.Item.Size) << r.What;
    EXPECT_EQ(it.Time, r.Item.Time) << r.What;
    EXPECT_EQ(it.Name, r.Item.Name) << r.What;
    EXPECT_EQ(it.OriginalPath, r.Item.OriginalPath) << r.What;
  }
}

TEST(Pidl, TheDesktopIsTheEmptyListAndPathsChainItems) {
  const Bytes desktop = {0, 0};
  const auto items = DecodePidl(desktop.data(), desktop.size());
  ASSERT_TRUE(items);
  EXPECT_TRUE(items->empty());
  EXPECT_EQ(EncodePidl({}), desktop);

  Block path(PidlCreate({Folder(GUID_PidlComputer), Volume("/"), Dir("home"), File("x.jpg")}));
  ASSERT_NE(path.get(), nullptr);
  EXPECT_EQ(PidlSize(path.get()), size_t(20 + 10 + 29 + 30 + 2));
  const auto back = PidlItems(path.get());
  ASSERT_TRUE(back);
  ASSERT_EQ(back->size(), 4u);
  EXPECT_EQ((*back)[3].Name, "x.jpg");
  // A child list inside the block reads up to the block's end.
  EXPECT_EQ(PidlSize(path.get() + 20 + 10), size_t(29 + 30 + 2));
}

TEST(Pidl, MalformedListsAreRefused) {
  const struct {
    const char* What;
    Bytes Data;
  } rows[] = {
      {"nothing", {}},
      {"half a terminator", {0}},
      {"no terminator", {11, 0, 0x20, 0, 0, 0, 0, 0, '/', 'm', 0}},
      {"cb past the block", {12, 0, 0x20, 0, 0, 0, 0, 0, '/', 'm', 0, 0}},
      {"cb below 4", {3, 0, 0x20, 0, 0}},
      {"cb of 2", {2, 0, 0, 0}},
      {"cb of 1", {1, 0, 0, 0}},
      {"name without NUL", {10, 0, 0x20, 0, 0, 0, 0, 0, '/', 'm', 0, 0}},
      {"short GUID", {19, 0, 0x10, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0, 0}},
      {"bytes after the name", {12, 0, 0x20, 0, 0, 0, 0, 0, '/', 0, 'x', 0, 0, 0}},
      {"unknown kind", {4, 0, 0x33, 0, 0, 0}},
      {"file item cut after attrs", {8, 0, 0x31, 0, 0x20, 0, 0, 0, 0, 0}},
      {"trash entry without original path",
       {30, 0, 0x40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'a', '.', 'j', 'p', 'g', 0, 0, 0}},
  };
  for (const auto& r : rows) {
    EXPECT_FALSE(DecodePidl(r.Data.data(), r.Data.size())) << r.What;
    Block b(r.Data);
    EXPECT_FALSE(PidlItems(b.get())) << r.What;
    EXPECT_EQ(PidlSize(b.get()), 0u) << r.What;
    EXPECT_FALSE(ILIsEqual(b.get(), b.get())) << r.What;
    EXPECT_FALSE(ILIsParent(b.get(), b.get(), 0)) << r.What;
  }
  // Memory the allocator did not hand out is not read at all.
  const uint8_t desktop[2] = {0, 0};
  EXPECT_FALSE(PidlItems(desktop));
  EXPECT_FALSE(ILIsEqual(nullptr, nullptr));
}

TEST(Pidl, ItemsThatCannotBeWrittenAreRefused) {
  EXPECT_FALSE(EncodePidl({File(std::string("a\0b", 3))}));
  EXPECT_FALSE(EncodePidl({File(std::string(70000, 'n'))}));
  TPidlItem odd = File("x");
  odd.Kind = TPidlKind(0x77);
  EXPECT_FALSE(EncodePidl({odd}));
  EXPECT_EQ(PidlCreate({odd}), nullptr);
}

TEST(Pidl, EqualityAndParenthoodCompareIdentityOnly) {
  Block desktop(PidlCreate({}));
  Block home(PidlCreate({Volume("/"), Dir("home")}));
  Block homeAgain(PidlCreate({Volume("/"), Dir("home", 4096, 123456789)}));  // other snapshot
  Block homeAsFile(PidlCreate({Volume("/"), File("home")}));
  Block other(PidlCreate({Volume("/"), Dir("Home")}));
  Block child(PidlCreate({Volume("/"), Dir("home"), File("a.mpo")}));
  Block grandchild(PidlCreate({Volume("/"), Dir("home"), Dir("ada"), File("b.jps")}));
  Block trash(PidlCreate({Folder(GUID_PidlTrash)}));
  Block network(PidlCreate({Folder(GUID_PidlNetwork)}));
  const struct {
    const char* What;
    PCIDL A, B;
    int32_t Equal, Parent, ImmediateParent;  // of A towards B
  } rows[] = {
      {"same list", home.get(), home.get(), 1, 1, 0},
      {"other size and time", home.get(), homeAgain.get(), 1, 1, 0},
      {"other kind", home.get(), homeAsFile.get(), 0, 0, 0},
      {"other name (case counts)", home.get(), other.get(), 0, 0, 0},
      {"immediate parent", home.get(), child.get(), 0, 1, 1},
      {"deeper parent", home.get(), grandchild.get(), 0, 1, 0},
      {"child towards parent", child.get(), home.get(), 0, 0, 0},
      {"desktop towards a folder", desktop.get(), home.get(), 0, 1, 0},
      {"desktop towards a top item", desktop.get(), trash.get(), 0, 1, 1},
      {"desktop itself", desktop.get(), desktop.get(), 1, 1, 0},
      {"two virtual folders", trash.get(), network.get(), 0, 0, 0},
      {"a list and nothing", home.get(), nullptr, 0, 0, 0},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(ILIsEqual(r.A, r.B), r.Equal) << r.What;
    EXPECT_EQ(ILIsEqual(r.B, r.A), r.Equal) << r.What;
    EXPECT_EQ(ILIsParent(r.A, r.B, 0), r.Parent) << r.What;
    EXPECT_EQ(ILIsParent(r.A, r.B, 1), r.ImmediateParent) << r.What;
  }
}
