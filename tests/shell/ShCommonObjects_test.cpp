// The PIDL manager over item-ID lists written byte by byte, the PIDL list's
// stream against hand-made and hostile byte strings, binding to a parent in
// a scratch home, the stream helper, PIDLs packed into a data object, and
// the owning control's theme and canvas helpers.
#include "shell/ShCommonObjects.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/classes/streams.h"
#include "platform/rtl/text.h"
#include "platform/shell/folders/shlobj.h"
#include "platform/shell/folders/shellitems.h"
#include "platform/shell/shellpaths.h"
#include "shell/ShCommonUtilities.h"
#include "shell/ShDataObject.h"
#include "tests/shell/pidl_bytes.h"
#include "tests/support/shell_home.h"
#include "tests/ui/lookandfeel/fake_theme_provider.h"
#include "ui/lookandfeel/dxThemeManager.h"

using namespace win;

namespace {

const Bytes kA = Item({0x31, 0, 'a'});
const Bytes kB = Item({0x31, 0, 'b', 'c'});

TEST(PIDLManager, DesktopIsTheEmptyList) {
  TCommonPIDLManager pm;
  TaskBlock desktop(List({}));
  EXPECT_EQ(pm.IDCount(desktop.get()), 0);
  EXPECT_EQ(pm.PIDLSize(desktop.get()), 2);
  EXPECT_TRUE(pm.IsDesktopFolder(desktop.get()));
  EXPECT_EQ(pm.LastItemPointer(desktop.get()), desktop.get());
  EXPECT_EQ(pm.IDCount(nullptr), 0);
  EXPECT_EQ(pm.PIDLSize(nullptr), 0);
  EXPECT_FALSE(pm.IsDesktopFolder(nullptr));
  EXPECT_EQ(pm.LastItemPointer(nullptr), nullptr);
}

TEST(PIDLManager, WalksItems) {
  TCommonPIDLManager pm;
  TaskBlock two(List({kA, kB}));
  EXPECT_EQ(pm.IDCount(two.get()), 2);
  EXPECT_EQ(pm.PIDLSize(two.get()), int32_t(kA.size() + kB.size() + 2));
  EXPECT_FALSE(pm.IsDesktopFolder(two.get()));
  EXPECT_EQ(pm.NextID(two.get()), two.get() + kA.size());
  EXPECT_EQ(pm.LastItemPointer(two.get()), two.get() + kA.size());
  TaskBlock one(List({kA}));
  EXPECT_EQ(pm.LastItemPointer(one.get()), one.get());
}

TEST(PIDLManager, AppendAndCopy) {
  TCommonPIDLManager pm;
  TaskBlock desktop(List({})), a(List({kA})), b(List({kB}));
  TaskBlock fromDesktop(pm.AppendPIDL(desktop.get(), a.get()));
  EXPECT_EQ(fromDesktop.bytes(kA.size() + 2), List({kA}));
  TaskBlock ab(pm.AppendPIDL(a.get(), b.get()));
  EXPECT_EQ(pm.PIDLSize(ab.get()), pm.PIDLSize(a.get()) + pm.PIDLSize(b.get()) - 2);
  EXPECT_EQ(ab.bytes(size_t(pm.PIDLSize(ab.get()))), List({kA, kB}));
  TaskBlock nilSource(pm.AppendPIDL(a.get(), nullptr));
  EXPECT_EQ(nilSource.bytes(kA.size() + 2), List({kA}));
  TaskBlock nilDest(pm.AppendPIDL(nullptr, b.get()));
  EXPECT_EQ(nilDest.bytes(kB.size() + 2), List({kB}));
  // Neither input changed.
  EXPECT_EQ(a.bytes(kA.size() + 2), List({kA}));
  TaskBlock copy(pm.CopyPIDL(ab.get()));
  EXPECT_NE(copy.get(), ab.get());
  EXPECT_EQ(copy.bytes(kA.size() + kB.size() + 2), List({kA, kB}));
  EXPECT_EQ(pm.CopyPIDL(nullptr), nullptr);
}

TEST(PIDLManager, TruncateLastItemSavingReportsWhatItCut) {
  TCommonPIDLManager pm;
  TaskBlock two(List({kA, kB}));
  uint16_t cb = 99;
  TPIDL id = nullptr;
  EXPECT_EQ(pm.TruncateLastItemSaving(two.get(), cb, id), two.get());
  EXPECT_EQ(cb, kB.size());
  EXPECT_EQ(id, two.get() + kA.size());
  EXPECT_EQ(pm.IDCount(two.get()), 1);
  EXPECT_EQ(pm.TruncateLastItemSaving(nullptr, cb, id), nullptr);
  EXPECT_EQ(cb, 0);
  EXPECT_EQ(id, nullptr);
}

TEST(PIDLSizeWithin, EndsInsideTheBytes) {
  const struct {
    Bytes bytes;
    size_t expected;
  } cases[] = {
      {List({}), 2},
      {List({kA, kB}), kA.size() + kB.size() + 2},
      {Cat({List({kA}), {7, 7}}), kA.size() + 2},  // trailing bytes after the terminator
      {{0}, 0},                                    // half a count
      {kA, 0},                                     // no terminator
      {{9, 0, 1, 2, 0, 0}, 0},                     // cb runs past the bytes
      {{1, 0, 0, 0}, 0},                           // cb shorter than the count itself
  };
  for (const auto& c : cases) EXPECT_EQ(PIDLSizeWithin(c.bytes.data(), c.bytes.size()), c.expected);
}

// ---------------------------------------------------------------- the list's stream

Bytes StreamBytes(TMemoryStream& s) {
  const auto* p = static_cast<const uint8_t*>(s.Memory());
  return Bytes(p, p + s.Size());
}

void Load(TMemoryStream& s, const Bytes& b) {
  s.Clear();
  if (!b.empty()) s.WriteBuffer(b.data(), int64_t(b.size()));
  s.SetPosition(0);
}

TEST(PIDLList, SavesTheDocumentedLayoutAndReadsItBack) {
  TCommonPIDLList list;
  list.Add(list.PIDLManager().CopyPIDL(TaskBlock(List({kA})).get()));
  list.Add(nullptr);
  list.Add(list.PIDLManager().CopyPIDL(TaskBlock(List({kA, kB})).get()));
  TMemoryStream s;
  ASSERT_TRUE(list.SaveToStream(&s));
  const Bytes ab = List({kA, kB});
  EXPECT_EQ(StreamBytes(s), Cat({LE32(3), LE32(uint32_t(kA.size() + 2)), List({kA}), LE32(0),
                                 LE32(uint32_t(ab.size())), ab}));

  TCommonPIDLList back;
  back.Add(back.PIDLManager().CopyPIDL(TaskBlock(List({kB})).get()));
  s.SetPosition(0);
  ASSERT_TRUE(back.LoadFromStream(&s));
  ASSERT_EQ(back.Count(), 4);  // appended after what was there
  EXPECT_EQ(Bytes(back.PIDLs(0), back.PIDLs(0) + kB.size() + 2), List({kB}));
  EXPECT_EQ(Bytes(back.PIDLs(1), back.PIDLs(1) + kA.size() + 2), List({kA}));
  EXPECT_EQ(back.PIDLs(2), nullptr);
  EXPECT_EQ(Bytes(back.PIDLs(3), back.PIDLs(3) + ab.size()), ab);
}

// Truncated and hostile streams: the result and how many entries were added.
TEST(PIDLList, LoadFromStreamBadInput) {
  const Bytes desk = List({});
  const struct {
    const char* what;
    Bytes bytes;
    bool ok;
    int32_t added;
  } cases[] = {
      {"empty stream", {}, false, 0},
      {"count cut short", {1, 0, 0}, false, 0},
      {"no entries", LE32(0), true, 0},
      {"negative count", LE32(0xFFFFFFFF), true, 0},
      {"nil entry", Cat({LE32(1), LE32(0)}), true, 1},
      {"negative size is a nil entry", Cat({LE32(1), LE32(uint32_t(-5))}), true, 1},
      {"desktop", Cat({LE32(1), LE32(2), desk}), true, 1},
      {"bytes after the terminator", Cat({LE32(1), LE32(4), desk, {7, 7}}), true, 1},
      {"second entry ends early", Cat({LE32(2), LE32(2), desk, LE32(100), {0, 0}}), false, 1},
      {"size past the stream", Cat({LE32(1), LE32(0x7FFFFFFF), desk}), false, 0},
      {"count past the stream", Cat({LE32(0x7FFFFFFF), LE32(0)}), false, 1},
      {"size cut short", Cat({LE32(1), {2, 0}}), false, 0},
      {"cb chain runs past its block", Cat({LE32(1), LE32(4), {5, 0, 0, 0}}), false, 0},
      {"no terminator", Cat({LE32(1), LE32(uint32_t(kA.size())), kA}), false, 0},
      {"cb of one", Cat({LE32(1), LE32(2), {1, 0}}), false, 0},
      {"good entry then a bad chain", Cat({LE32(2), LE32(2), desk, LE32(2), {3, 0}}), false, 1},
  };
  for (const auto& c : cases) {
    TCommonPIDLList list;
    list.Add(nullptr);
    TMemoryStream s;
    Load(s, c.bytes);
    EXPECT_EQ(list.LoadFromStream(&s), c.ok) << c.what;
    EXPECT_EQ(list.Count(), 1 + c.added) << c.what;
  }
}

TEST(PIDLList, NoStreamIsAFailure) {
  TCommonPIDLList list;
  EXPECT_FALSE(list.LoadFromStream(nullptr));
  EXPECT_FALSE(list.SaveToStream(nullptr));
}

TEST(PIDLList, BorrowedPIDLsAreNotFreed) {
  TaskBlock mine(List({kA}));
  {
    TCommonPIDLList list;
    list.SetBorrowedPIDLs(true);
    list.Add(mine.get());
  }
  // Still a live block of its size: the list left it to its owner.
  EXPECT_EQ(TaskMemSize(mine.get()), ptrdiff_t(kA.size() + 2));
}

TEST(PIDLManager, LoadFromStreamOfNilOrEmptySizeGivesNil) {
  TCommonPIDLManager pm;
  EXPECT_EQ(pm.LoadFromStream(nullptr), nullptr);
  TMemoryStream s;
  Load(s, LE32(0));
  EXPECT_EQ(pm.LoadFromStream(&s), nullptr);
}

// ---------------------------------------------------------------- stream helper

TEST(StreamHelper, RoundTripAndBadLengths) {
  TCommonMemoryStreamHelper h;
  TMemoryStream s;
  h.WriteInteger(&s, -2);
  h.WriteString(&s, std::string("ab\0c", 4));
  h.WriteString(&s, "");
  EXPECT_EQ(StreamBytes(s), Cat({LE32(uint32_t(-2)), LE32(4), {'a', 'b', 0, 'c'}, LE32(0)}));
  s.SetPosition(0);
  EXPECT_EQ(h.ReadInteger(&s), -2);
  std::string t = "old";
  h.ReadString(&s, t);
  EXPECT_EQ(t, std::string("ab\0c", 4));
  h.ReadString(&s, t);
  EXPECT_EQ(t, "");

  for (const Bytes& bad : {Cat({LE32(0x7FFFFFF0), {'x'}}), LE32(uint32_t(-1)), Bytes{4, 0}}) {
    Load(s, bad);
    EXPECT_THROW(h.ReadString(&s, t), EReadError);
  }
}

// ---------------------------------------------------------------- STRRET

TEST(StrRetToWide, EachFormAndOffsetsOutsideTheItem) {
  // An item with an 8-bit text at offset 4: "Caf\xE9" (Windows-1252).
  TaskBlock item(List({Item({0x31, 0, 'C', 'a', 'f', 0xE9, 0})}));
  TaskBlock unterminated(List({Item({0x31, 0, 'x', 'y'})}));
  std::string out;

  STRRET offset;
  offset.uType = STRRET_OFFSET;
  offset.uOffset = 4;
  StrRetToWide(offset, item.get(), out);
  EXPECT_EQ(out, "Caf\xC3\xA9");
  // A text without its own zero ends at the list's terminator.
  StrRetToWide(offset, unterminated.get(), out);
  EXPECT_EQ(out, "xy");
  offset.uOffset = 400;
  out = "stale";
  StrRetToWide(offset, item.get(), out);
  EXPECT_EQ(out, "");
  offset.uOffset = 4;
  out = "stale";
  StrRetToWide(offset, nullptr, out);
  EXPECT_EQ(out, "");

  STRRET cstr;
  cstr.uType = STRRET_CSTR;
  std::strcpy(cstr.cStr, "\xE9t\xE9");
  StrRetToWide(cstr, nullptr, out);
  EXPECT_EQ(out, "\xC3\xA9t\xC3\xA9");

  STRRET wstr;
  wstr.uType = STRRET_WSTR;
  wstr.pOleStr = static_cast<char*>(TaskMemAlloc(4));
  std::strcpy(wstr.pOleStr, "\xC3\xA9!");
  const size_t blocks = TaskMemBlockCount();
  StrRetToWide(wstr, nullptr, out);
  EXPECT_EQ(out, "\xC3\xA9!");
  EXPECT_EQ(TaskMemBlockCount(), blocks - 1);  // the shell's string was freed

  STRRET other;
  other.uType = 7;
  out = "kept";
  StrRetToWide(other, item.get(), out);
  EXPECT_EQ(out, "kept");
}

// ---------------------------------------------------------------- over the namespace

struct ShellObjects : ShellHomeFixture {
  Pidl Parse(const std::string& path) {
    TComPtr<IShellFolder> desktop;
    EXPECT_EQ(SHGetDesktopFolder(desktop.put()), S_OK);
    PIDL p = nullptr;
    EXPECT_EQ(desktop->ParseDisplayName(nullptr, nullptr, path, nullptr, &p, nullptr), S_OK) << path;
    return Pidl(p);
  }
  std::string Touch(const std::string& name) {
    const std::string path = (home / name).string();
    std::ofstream(path) << "x";
    return path;
  }
};

TEST_F(ShellObjects, BindToParentRestoresTheCutItem) {
  const std::string path = Touch("photo.jpg");
  Pidl file = Parse(path);
  ASSERT_TRUE(file);
  TCommonPIDLManager pm;
  const int32_t size = pm.PIDLSize(file.get());
  const Bytes before(file.get(), file.get() + size);
  TComPtr<IShellFolder> parent;
  ASSERT_TRUE(pm.BindToParent(file.get(), parent.put()));
  EXPECT_EQ(Bytes(file.get(), file.get() + size), before);
  // The folder answers for the last item by name.
  STRRET name;
  ASSERT_EQ(parent->GetDisplayNameOf(pm.LastItemPointer(file.get()), SHGDN_FORPARSING, &name), S_OK);
  EXPECT_EQ(StrRetToString(&name), path);

  // A parent that cannot be bound: false, and the list is whole again.
  Bytes bogus = List({Item({0x31, 0, 'n', 'o', 0}), Item({0x31, 0, 'x', 0})});
  TaskBlock b(bogus);
  TComPtr<IShellFolder> none;
  EXPECT_FALSE(pm.BindToParent(b.get(), none.put()));
  EXPECT_FALSE(none);
  EXPECT_EQ(b.bytes(bogus.size()), bogus);
}

TEST_F(ShellObjects, OneItemBindsToTheDesktop) {
  PIDL computer = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
  Pidl owned(computer);
  TCommonPIDLManager pm;
  ASSERT_EQ(pm.IDCount(computer), 1);
  TComPtr<IShellFolder> parent, desktop;
  ASSERT_TRUE(pm.BindToParent(computer, parent.put()));
  ASSERT_EQ(SHGetDesktopFolder(desktop.put()), S_OK);
  // The folder names the item as the desktop does: it is the desktop.
  STRRET fromParent, fromDesktop;
  ASSERT_EQ(parent->GetDisplayNameOf(computer, SHGDN_FORPARSING, &fromParent), S_OK);
  ASSERT_EQ(desktop->GetDisplayNameOf(computer, SHGDN_FORPARSING, &fromDesktop), S_OK);
  EXPECT_EQ(StrRetToString(&fromParent), StrRetToString(&fromDesktop));
  TComPtr<IPersist> persist;
  ASSERT_EQ(parent->QueryInterface(IID_IPersist, persist.put_void()), S_OK);
  CLSID id, desktopId;
  ASSERT_EQ(persist->GetClassID(&id), S_OK);
  ASSERT_EQ(desktop->QueryInterface(IID_IPersist, persist.put_void()), S_OK);
  ASSERT_EQ(persist->GetClassID(&desktopId), S_OK);
  EXPECT_EQ(id, desktopId);
}

TEST_F(ShellObjects, PIDLsToDataObjectCarriesIDListAndFileNames) {
  const std::string a = Touch("left.jpg"), b = Touch("right b\xC3\xA9.jpg");
  Pidl pa = Parse(a), pb = Parse(b);
  ASSERT_TRUE(pa && pb);
  const Bytes ba(pa.get(), pa.get() + PidlSize(pa.get())), bb(pb.get(), pb.get() + PidlSize(pb.get()));
  TComPtr<IDataObject> data;
  PIDLsToDataObject({pa.get(), pb.get()}, data.put());
  ASSERT_TRUE(data);

  TCommonShellIDList ids;
  ASSERT_TRUE(ids.LoadFromDataObject(data.get()));
  ASSERT_EQ(ids.ChildCount(), 2);
  EXPECT_EQ(Bytes(ids.ParentPIDL(), ids.ParentPIDL() + 2), List({}));
  EXPECT_EQ(Bytes(ids.ChildPIDL(0), ids.ChildPIDL(0) + ba.size()), ba);
  EXPECT_EQ(Bytes(ids.ChildPIDL(1), ids.ChildPIDL(1) + bb.size()), bb);

  // The platform's own reader of file-drop blocks as the judge.
  FORMATETC f{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM m;
  ASSERT_EQ(data->GetData(&f, &m), S_OK);
  const auto names =
      FilesOfDropBlock(static_cast<const uint8_t*>(GlobalLock(m.hGlobal)), GlobalSize(m.hGlobal));
  GlobalUnlock(m.hGlobal);
  ReleaseStgMedium(&m);
  ASSERT_TRUE(names);
  ASSERT_EQ(names->size(), 2u);
  // Both names fit Windows-1252, so the block holds them in that 8-bit form, read back as such.
  EXPECT_EQ((*names)[0], a);
  EXPECT_EQ((*names)[1], b);

  TCommonInShellDragLoop loop;
  loop.SetValue(5);
  ASSERT_TRUE(loop.LoadFromDataObject(data.get()));
  EXPECT_EQ(loop.Value(), 0u);
  // The caller's lists are untouched.
  EXPECT_EQ(Bytes(pa.get(), pa.get() + ba.size()), ba);
}

TEST(PIDLList, ReadsAStoredFixture) {
  const std::string bytes = testsupport::ReadFileBytes(testsupport::DataFile("shell_pidllist.bin"));
  TMemoryStream s;
  s.WriteBuffer(bytes.data(), int64_t(bytes.size()));
  s.SetPosition(0);
  TCommonPIDLList list;
  ASSERT_TRUE(list.LoadFromStream(&s));
  ASSERT_EQ(list.Count(), 3);
  EXPECT_TRUE(list.PIDLManager().IsDesktopFolder(list.PIDLs(0)));
  EXPECT_EQ(list.PIDLManager().IDCount(list.PIDLs(1)), 2);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(list.PIDLManager().LastItemPointer(list.PIDLs(1))) + 4),
            "left.jpg");
  EXPECT_EQ(list.PIDLs(2), nullptr);
}

TEST(PIDLsToDataObject, NoPIDLsGiveAnEmptyObject) {
  TComPtr<IDataObject> data;
  PIDLsToDataObject({}, data.put());
  ASSERT_TRUE(data);
  FORMATETC f{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  EXPECT_EQ(data->QueryGetData(&f), E_UNEXPECTED);
}

}  // namespace

namespace {

// The owning control with the visual-styles library stood in by the fake.
struct CanvasControl : ::testing::Test {
  void SetUp() override {
    dxBindThemeProvider(&fake);
    dxThemeManagerUnitStart();
  }
  void TearDown() override {
    dxThemeManagerUnitStop();
    dxBindThemeProvider(nullptr);
  }
  FakeThemeProvider fake;
};

TEST_F(CanvasControl, ThemedPaintingNeedsEveryCondition) {
  const struct {
    bool Loading, Themed, StylesActive;
    HTHEME ListView;
    bool On, WithThemes;
  } rows[] = {
      {false, true, true, 7, true, true},    {false, true, true, 0, true, false},
      {true, true, true, 7, false, false},   {false, false, true, 7, false, false},
      {false, true, false, 7, false, false},
  };
  for (const auto& r : rows) {
    fake.Active = r.StylesActive;
    dxThemeManagerUnitStop();  // re-read whether styles are active
    dxThemeManagerUnitStart();
    TCommonCanvasControl control(nullptr);
    control.SetLoading(r.Loading);
    control.SetThemed(r.Themed);
    control.Themes.ListView = r.ListView;
    control.Themes.Header = 3;  // only the list view's handle counts
    EXPECT_EQ(control.ThemedPaintingOn(), r.On);
    EXPECT_EQ(control.PaintsWithThemes(), r.WithThemes);
  }
}

TEST(CanvasControlWithoutStyles, ReadyCanvasAndInvalidation) {
  TCommonCanvasControl control(nullptr);
  EXPECT_FALSE(control.ThemedPaintingOn());  // no visual-styles library here
  control.Font()->SetName("DejaVu Sans");
  control.Font()->SetSize(13);
  control.SetColor(RGBColor(12, 34, 56));
  TCanvas* canvas = control.ReadyCanvas();
  ASSERT_EQ(canvas, control.Canvas());
  EXPECT_EQ(canvas->Font()->Name(), "DejaVu Sans");
  EXPECT_EQ(canvas->Font()->Size(), 13);
  EXPECT_EQ(canvas->Brush()->Color(), RGBColor(12, 34, 56));
  EXPECT_EQ(canvas->Brush()->Style(), bsSolid);

  // Without a window nothing happens and none is made.
  const TRect part(2, 3, 10, 12);
  control.InvalidateIfHandle(&part, true);
  EXPECT_FALSE(control.HandleAllocated());

  // Visible, so that an update paints.
  HWND host =
      CreateWindowEx(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(host, nullptr);
  control.SetBounds(0, 0, 40, 40);
  control.SetParentWindow(host);
  control.HandleNeeded();
  ASSERT_TRUE(control.HandleAllocated());
  ValidateRect(control.Handle(), nullptr);
  control.InvalidateIfHandle(&part, false);
  RECT update;
  EXPECT_TRUE(GetUpdateRect(control.Handle(), &update, FALSE));
  EXPECT_EQ(update, part);
  control.InvalidateIfHandle(nullptr, false);
  GetUpdateRect(control.Handle(), &update, FALSE);
  EXPECT_EQ(update, TRect(0, 0, 40, 40));
  // Painted at once: nothing is left to update.
  control.InvalidateIfHandle(&part, true);
  EXPECT_FALSE(GetUpdateRect(control.Handle(), &update, FALSE));
  control.SetParentWindow(nullptr);
  DestroyWindow(host);
}

}  // namespace
