// The data object's storage and sharing of media, its enumerator, and the
// three shell formats: blocks built by hand from their documented layouts,
// hostile blocks refused within the medium's size, and the platform's own
// file-drop reader as an independent judge of what AssignFiles writes.
#include "shell/ShDataObject.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/classes/strings.h"
#include "platform/shell/folders/shellitems.h"
#include "platform/win/winuser.h"
#include "tests/shell/pidl_bytes.h"
#include "tests/support/testsupport.h"

using namespace win;

namespace {

class TCounted final : public TComObject<IUnknown> {
public:
  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown) return AnswerInterface<IUnknown>(this, out);
    *out = nullptr;
    return E_NOINTERFACE;
  }
};

// A data object held by the test (one reference).
TComPtr<TCommonDataObject> NewDataObject() {
  auto* d = new TCommonDataObject;
  d->AddRef();
  return TComPtr<TCommonDataObject>(d);
}

HGLOBAL Global(const Bytes& b) {
  HGLOBAL h = GlobalAlloc(GHND, b.size());
  if (!b.empty()) {
    std::memcpy(GlobalLock(h), b.data(), b.size());
    GlobalUnlock(h);
  }
  return h;
}

bool Live(HGLOBAL h) {
  if (!GlobalLock(h)) return false;
  GlobalUnlock(h);
  return true;
}

Bytes GlobalBytes(HGLOBAL h) {
  const auto* p = static_cast<const uint8_t*>(GlobalLock(h));
  Bytes b(p, p + GlobalSize(h));
  GlobalUnlock(h);
  return b;
}

FORMATETC Fmt(CLIPFORMAT cf, uint32_t tymed = TYMED_HGLOBAL, uint32_t aspect = DVASPECT_CONTENT) {
  return {cf, nullptr, aspect, -1, tymed};
}

STGMEDIUM HGlobalMedium(HGLOBAL h, IUnknown* release = nullptr) {
  STGMEDIUM m;
  m.tymed = TYMED_HGLOBAL;
  m.hGlobal = h;
  m.pUnkForRelease = release;
  return m;
}

TEST(ClipboardFormats, RegisteredByNameAtStartUp) {
  const struct {
    CLIPFORMAT value;
    const char* name;
  } formats[] = {
      {CF_SHELLIDLIST, "Shell IDList Array"}, {CF_LOGICALPERFORMEDDROPEFFECT, "Logical Performed DropEffect"},
      {CF_PREFERREDDROPEFFECT, "Preferred DropEffect"}, {CF_PERFORMEDDROPEFFECT, "Performed DropEffect"},
      {CF_PASTESUCCEEDED, "Paste Succeeded"}, {CF_INSHELLDRAGLOOP, "InShellDragLoop"},
      {CF_SHELLOBJECTOFFSETS, "Shell Object Offsets"}, {CF_FILECONTENTS, "FileContents"},
      {CF_FILEGROUPDESCRIPTORA, "FileGroupDescriptor"}, {CF_FILEGROUPDESCRIPTORW, "FileGroupDescriptorW"},
  };
  // The start-up registered these names first, so their ids follow its order.
  CLIPFORMAT previous = 0;
  for (const auto& f : formats) {
    EXPECT_NE(f.value, 0) << f.name;
    EXPECT_EQ(f.value, RegisterClipboardFormat(f.name)) << f.name;
    EXPECT_GT(f.value, previous) << f.name;
    previous = f.value;
  }
  EXPECT_EQ(CF_SHELLIDLIST, ShellIDListFormat());
  EXPECT_EQ(ClipFormatValue(0xFFFF), 0xFFFF);
  EXPECT_THROW(ClipFormatValue(0x10000), ERangeError);
  // A registration that answers past 16 bits cannot be stored as a format.
  const AtomIdAllocator old = SetAtomIdAllocator([](size_t index) { return UINT(0x10000 + index); });
  const UINT wide = RegisterClipboardFormat("ShDataObject test format past 16 bits");
  SetAtomIdAllocator(old);
  ASSERT_GE(wide, 0x10000u);
  EXPECT_THROW(ClipFormatValue(wide), ERangeError);
}

// ---------------------------------------------------------------- data object

TEST(DataObject, AnswersItsInterfacesWithOneIdentity) {
  auto d = NewDataObject();
  IUnknown* unk = nullptr;
  IDataObject* data = nullptr;
  IDataObjectExtras* extras = nullptr;
  IObjectAccessQuery* access = nullptr;
  ASSERT_EQ(d->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unk)), S_OK);
  ASSERT_EQ(d->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&data)), S_OK);
  ASSERT_EQ(d->QueryInterface(IID_IDataObjectExtras, reinterpret_cast<void**>(&extras)), S_OK);
  ASSERT_EQ(d->QueryInterface(IID_IObjectAccessQuery, reinterpret_cast<void**>(&access)), S_OK);
  EXPECT_EQ(access->GetImplementor(), static_cast<TObject*>(d.get()));
  IUnknown* again = nullptr;
  ASSERT_EQ(access->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&again)), S_OK);
  EXPECT_EQ(again, unk);
  EXPECT_EQ(d->RefCount(), 6);
  for (IUnknown* i : {unk, again, static_cast<IUnknown*>(data), static_cast<IUnknown*>(extras),
                      static_cast<IUnknown*>(access)})
    i->Release();
  void* none = &none;
  EXPECT_EQ(d->QueryInterface(IID_IEnumFORMATETC, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  EXPECT_FALSE(d->AssignDragImage(nullptr, TPoint{1, 2}, 0));
}

TEST(DataObject, QueryGetDataOutcomes) {
  auto d = NewDataObject();
  FORMATETC f = Fmt(CF_TEXT);
  EXPECT_EQ(d->QueryGetData(&f), E_UNEXPECTED);  // empty: not DV_E_FORMATETC
  ASSERT_TRUE(d->SetRawData(CF_TEXT, "hi", 2));
  const struct {
    FORMATETC asked;
    HRESULT expected;
  } cases[] = {
      {Fmt(CF_TEXT), S_OK},
      {Fmt(CF_TEXT, TYMED_HGLOBAL | TYMED_ISTREAM), S_OK},
      {Fmt(CF_TEXT, TYMED_ISTREAM), DV_E_TYMED},
      {Fmt(CF_TEXT, TYMED_HGLOBAL, 4), DV_E_DVASPECT},
      {Fmt(CF_BITMAP), DV_E_FORMATETC},
  };
  for (const auto& c : cases) {
    FORMATETC asked = c.asked;
    EXPECT_EQ(d->QueryGetData(&asked), c.expected) << asked.cfFormat << " " << asked.tymed;
  }
  // A handler decides first.
  d->OnQueryGetData = [](TObject*, const FORMATETC& fmt, bool& available, bool& handled) {
    handled = fmt.cfFormat == CF_BITMAP;
    available = false;
  };
  FORMATETC bitmap = Fmt(CF_BITMAP), text = Fmt(CF_TEXT);
  EXPECT_EQ(d->QueryGetData(&bitmap), DV_E_FORMATETC);
  EXPECT_EQ(d->QueryGetData(&text), S_OK);
}

TEST(DataObject, SetDataTwiceKeepsOneEntryAndReleasesTheFirst) {
  auto d = NewDataObject();
  FORMATETC f = Fmt(CF_TEXT);
  HGLOBAL first = Global({1, 2, 3}), second = Global({4});
  STGMEDIUM m1 = HGlobalMedium(first), m2 = HGlobalMedium(second);
  ASSERT_EQ(d->SetData(&f, &m1, 1), S_OK);
  ASSERT_EQ(d->SetData(&f, &m2, 1), S_OK);
  ASSERT_EQ(d->Formats().size(), 1u);
  EXPECT_FALSE(Live(first));
  EXPECT_EQ(d->Formats()[0].StgMedium.hGlobal, second);
}

TEST(DataObject, CopyModeCopiesTheBytesAndRefusesGDI) {
  auto d = NewDataObject();
  FORMATETC f = Fmt(CF_TEXT);
  HGLOBAL mine = Global({7, 8, 9});
  STGMEDIUM m = HGlobalMedium(mine);
  ASSERT_EQ(d->SetData(&f, &m, 0), S_OK);
  const STGMEDIUM& stored = d->Formats()[0].StgMedium;
  EXPECT_NE(stored.hGlobal, mine);
  EXPECT_EQ(GlobalBytes(stored.hGlobal), (Bytes{7, 8, 9}));
  GlobalFree(mine);

  FORMATETC g = Fmt(CF_BITMAP, TYMED_GDI);
  STGMEDIUM gdi;
  gdi.tymed = TYMED_GDI;
  gdi.hBitmap = reinterpret_cast<HGDIOBJ>(0x1234);
  EXPECT_EQ(d->SetData(&g, &gdi, 0), DV_E_TYMED);
  ASSERT_EQ(d->Formats().size(), 2u);
  // The refused entry holds nothing of the caller's.
  EXPECT_EQ(d->Formats()[1].StgMedium.tymed, TYMED_NULL);
  EXPECT_EQ(d->Formats()[1].StgMedium.handle, nullptr);
  STGMEDIUM out;
  EXPECT_EQ(d->GetData(&g, &out), E_UNEXPECTED);
}

TEST(DataObject, MediumReleasedByTheObjectItselfDropsThatReference) {
  auto d = NewDataObject();
  FORMATETC f = Fmt(CF_TEXT);
  const int32_t refs = d->RefCount();
  d->AddRef();  // the reference the medium carries
  STGMEDIUM m = HGlobalMedium(Global({1}), static_cast<IDataObject*>(d.get()));
  ASSERT_EQ(d->SetData(&f, &m, 1), S_OK);
  EXPECT_EQ(d->Formats()[0].StgMedium.pUnkForRelease, nullptr);
  EXPECT_EQ(d->RefCount(), refs);

  // Another owner is kept, with its reference.
  auto* other = new TCounted;
  other->AddRef();
  FORMATETC g = Fmt(CF_BITMAP);
  STGMEDIUM n = HGlobalMedium(Global({2}), other);
  ASSERT_EQ(d->SetData(&g, &n, 1), S_OK);
  EXPECT_EQ(d->Formats()[1].StgMedium.pUnkForRelease, other);
  EXPECT_EQ(other->RefCount(), 1);
}

TEST(DataObject, GetDataSharesTheStoredBlock) {
  auto d = NewDataObject();
  FORMATETC f = Fmt(CF_TEXT);
  HGLOBAL h = Global({5, 6});
  STGMEDIUM m = HGlobalMedium(h);
  ASSERT_EQ(d->SetData(&f, &m, 1), S_OK);
  const int32_t refs = d->RefCount();
  STGMEDIUM out;
  ASSERT_EQ(d->GetData(&f, &out), S_OK);
  EXPECT_EQ(out.hGlobal, h);
  EXPECT_EQ(out.pUnkForRelease, static_cast<IUnknown*>(static_cast<IDataObject*>(d.get())));
  EXPECT_EQ(d->RefCount(), refs + 1);
  ReleaseStgMedium(&out);
  EXPECT_TRUE(Live(h));  // the receiver's release dropped a reference, not the block
  EXPECT_EQ(d->RefCount(), refs);

  std::vector<uint8_t> raw;
  ASSERT_TRUE(d->GetRawData(CF_TEXT, raw));
  EXPECT_EQ(raw, (Bytes{5, 6}));
  EXPECT_FALSE(d->GetRawData(CF_BITMAP, raw));
  // Passes the query, but only an exact FORMATETC is served.
  FORMATETC wider = Fmt(CF_TEXT, TYMED_HGLOBAL | TYMED_FILE);
  EXPECT_EQ(d->GetData(&wider, &out), E_UNEXPECTED);
}

TEST(DataObject, GetDataHandlerFillsTheMedium) {
  auto d = NewDataObject();
  d->OnGetData = [](TObject*, const FORMATETC&, STGMEDIUM& medium, bool& handled) {
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = Global({42});
    handled = true;
  };
  FORMATETC f = Fmt(CF_TEXT);
  STGMEDIUM out;
  ASSERT_EQ(d->GetData(&f, &out), S_OK);
  EXPECT_EQ(GlobalBytes(out.hGlobal), Bytes{42});
  ReleaseStgMedium(&out);
}

TEST(DataObject, OtherCallsAndAdviseWithoutHolder) {
  auto d = NewDataObject();
  FORMATETC f = Fmt(CF_TEXT), out;
  out.ptd = &out;
  STGMEDIUM m;
  EXPECT_EQ(d->GetCanonicalFormatEtc(&f, &out), E_NOTIMPL);
  EXPECT_EQ(out.ptd, nullptr);
  EXPECT_EQ(d->GetDataHere(&f, &m), E_NOTIMPL);
  EXPECT_EQ(d->DUnadvise(1), OLE_E_ADVISENOTSUPPORTED);
  IUnknown* e = reinterpret_cast<IUnknown*>(&m);
  EXPECT_EQ(d->EnumDAdvise(&e), OLE_E_ADVISENOTSUPPORTED);
  EXPECT_EQ(e, nullptr);
}

// ---------------------------------------------------------------- enumerator

TEST(EnumFormatEtc, GivesTheEntriesInOrder) {
  auto d = NewDataObject();
  ASSERT_TRUE(d->SetRawData(CF_TEXT, "a", 1));
  ASSERT_TRUE(d->SetRawData(CF_BITMAP, "b", 1));
  ASSERT_TRUE(d->SetRawData(CF_HDROP, "c", 1));

  IEnumFORMATETC* none = reinterpret_cast<IEnumFORMATETC*>(&none);
  EXPECT_EQ(d->EnumFormatEtc(DATADIR_SET, &none), E_NOTIMPL);
  EXPECT_EQ(none, nullptr);

  TComPtr<IEnumFORMATETC> e;
  ASSERT_EQ(d->EnumFormatEtc(DATADIR_GET, e.put()), S_OK);
  FORMATETC got[4];
  uint32_t fetched = 99;
  EXPECT_EQ(e->Next(2, got, &fetched), S_OK);
  EXPECT_EQ(fetched, 2u);
  EXPECT_EQ(got[0].cfFormat, CF_TEXT);
  EXPECT_EQ(got[1].cfFormat, CF_BITMAP);
  TComPtr<IEnumFORMATETC> clone;
  ASSERT_EQ(e->Clone(clone.put()), S_OK);
  EXPECT_EQ(e->Next(2, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 1u);
  EXPECT_EQ(got[0].cfFormat, CF_HDROP);
  // The clone kept the index it was made at.
  EXPECT_EQ(clone->Next(1, got, nullptr), S_OK);
  EXPECT_EQ(got[0].cfFormat, CF_HDROP);
}

TEST(EnumFormatEtc, SkipToTheEndAndPastIt) {
  TCommonEnumFormatEtc e({Fmt(CF_TEXT), Fmt(CF_BITMAP), Fmt(CF_HDROP)});
  e.AddRef();
  ASSERT_EQ(e.Skip(1), S_OK);
  EXPECT_EQ(e.Skip(3), S_FALSE);
  EXPECT_EQ(e.Index(), 1);
  EXPECT_EQ(e.Skip(2), S_OK);
  EXPECT_EQ(e.Index(), 3);
  EXPECT_EQ(e.Skip(1), S_FALSE);
  EXPECT_EQ(e.Index(), 3);
  EXPECT_EQ(e.Reset(), S_OK);
  EXPECT_EQ(e.Index(), 0);
  TCommonEnumFormatEtc empty;
  FORMATETC f;
  EXPECT_EQ(empty.Skip(0), E_UNEXPECTED);
  EXPECT_EQ(empty.Next(1, &f, nullptr), E_UNEXPECTED);
}

// ---------------------------------------------------------------- TCommonHDrop

Bytes DropHeader(uint32_t wide, uint32_t offset = 20) {
  return Cat({LE32(offset), LE32(0), LE32(0), LE32(0), LE32(wide)});
}

TEST(HDrop, AssignFilesWritesTheEightBitOrTheWideForm) {
  TStringList none;
  TCommonHDrop drop;
  drop.AssignFiles(&none);
  EXPECT_EQ(Bytes(drop.DropFiles(), drop.DropFiles() + drop.StructureSize()), Cat({DropHeader(0), {0, 0}}));

  TStringList latin;
  latin.Add("/a/caf\xC3\xA9");
  latin.Add("/b");
  drop.AssignFiles(&latin);
  const Bytes eight = Bytes(drop.DropFiles(), drop.DropFiles() + drop.StructureSize());
  // Two bytes of room a name and two closing ones, the names back to back.
  EXPECT_EQ(eight, Cat({DropHeader(0), {'/', 'a', '/', 'c', 'a', 'f', 0xE9, 0, '/', 'b', 0}, Bytes(4, 0)}));
  // The platform's folder drop target reads the 8-bit form back as Windows-1252.
  EXPECT_EQ(FilesOfDropBlock(eight.data(), eight.size()), (std::vector<std::string>{"/a/caf\xC3\xA9", "/b"}));

  TStringList greek;
  greek.Add("/x");
  greek.Add("/\xCE\xB1\xF0\x9F\x93\xB7");  // alpha and a camera emoji: no Windows-1252 form
  drop.AssignFiles(&greek);
  const Bytes wide = Bytes(drop.DropFiles(), drop.DropFiles() + drop.StructureSize());
  EXPECT_EQ(wide, Cat({DropHeader(1), {'/', 0, 'x', 0, 0, 0, '/', 0, 0xB1, 0x03, 0x3D, 0xD8, 0xF7, 0xDC, 0, 0, 0, 0}}));
  EXPECT_EQ(FilesOfDropBlock(wide.data(), wide.size()), (std::vector<std::string>{"/x", "/\xCE\xB1\xF0\x9F\x93\xB7"}));

  drop.AssignFiles(nullptr);  // nothing changes
  EXPECT_EQ(drop.StructureSize(), wide.size());
}

TEST(HDrop, AssignStructureMeasuresWithinTheBlock) {
  const struct {
    const char* what;
    Bytes block;
    size_t expected;  // 0: refused
  } cases[] = {
      {"empty list", Cat({DropHeader(0), {0}}), 21},
      {"two names and spare bytes", Cat({DropHeader(0), {'a', 0, 'b', 0, 0, 9, 9}}), 25},
      {"wide", Cat({DropHeader(1), {'a', 0, 0, 0, 0, 0}}), 26},
      {"list further on", Cat({DropHeader(0, 24), {7, 7, 7, 7, 'a', 0, 0}}), 27},
      {"short header", Bytes(19, 0), 0},
      {"no closing zero", Cat({DropHeader(0), {'a', 0, 'b'}}), 0},
      {"name runs off the end", Cat({DropHeader(0), {'a', 'b'}}), 0},
      {"odd wide tail", Cat({DropHeader(1), {'a', 0, 0}}), 0},
      {"offset past the block", DropHeader(0, 0x7FFFFFFF), 0},
      {"offset inside the header", DropHeader(0, 4), 0},
      {"header alone", DropHeader(0), 0},
  };
  for (const auto& c : cases) {
    TCommonHDrop drop;
    drop.AllocStructure(3);
    // Exactly the block's bytes, so a read past them is caught.
    std::vector<uint8_t> copy = c.block;
    EXPECT_EQ(drop.AssignStructure(copy.data(), copy.size()), c.expected != 0) << c.what;
    EXPECT_EQ(drop.StructureSize(), c.expected) << c.what;
    if (c.expected) {
      EXPECT_EQ(Bytes(drop.DropFiles(), drop.DropFiles() + c.expected),
                Bytes(copy.begin(), copy.begin() + long(c.expected)));
    }
  }
}

TEST(HDrop, ThroughADataObject) {
  TStringList files;
  files.Add("/p/left.jpg");
  TCommonHDrop out, in;
  out.AssignFiles(&files);
  auto d = NewDataObject();
  ASSERT_TRUE(out.SaveToDataObject(d.get()));
  ASSERT_TRUE(in.LoadFromDataObject(d.get()));
  // The stored block is measured: the spare bytes past the closing zero stay behind.
  EXPECT_EQ(Bytes(in.DropFiles(), in.DropFiles() + in.StructureSize()),
            Cat({DropHeader(0), {'/', 'p', '/', 'l', 'e', 'f', 't', '.', 'j', 'p', 'g', 0, 0}}));
  FORMATETC f;
  in.GetFormatEtc(f);
  EXPECT_TRUE(SameFormatEtc(f, Fmt(CF_HDROP)));
  EXPECT_FALSE(in.LoadFromDataObject(nullptr));

  // A hostile block in the object is refused and leaves nothing.
  auto bad = NewDataObject();
  ASSERT_TRUE(bad->SetRawData(CF_HDROP, "\x14\0\0\0", 4));
  EXPECT_FALSE(in.LoadFromDataObject(bad.get()));
  EXPECT_EQ(in.DropFiles(), nullptr);
}

TEST(HDrop, ThroughTheClipboard) {
  TStringList files;
  files.Add("/p/right.jpg");
  TCommonHDrop out, in;
  out.AssignFiles(&files);
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(CloseClipboard());
  ASSERT_TRUE(out.SaveToClipboard());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_HDROP));
  ASSERT_TRUE(in.LoadFromClipboard());
  EXPECT_EQ(Bytes(in.DropFiles(), in.DropFiles() + in.StructureSize()),
            Cat({DropHeader(0), {'/', 'p', '/', 'r', 'i', 'g', 'h', 't', '.', 'j', 'p', 'g', 0, 0}}));

  // Without a block nothing goes to the clipboard; with none there nothing is read.
  TCommonHDrop empty;
  EXPECT_FALSE(empty.SaveToClipboard());
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(CloseClipboard());
  EXPECT_FALSE(in.LoadFromClipboard());
}

// ---------------------------------------------------------------- TCommonShellIDList

const Bytes kParent = List({Item({0x30, 0, 'd', 0})});
const Bytes kChild1 = List({Item({0x31, 0, 'x', 0})});
const Bytes kChild2 = List({Item({0x31, 0, 'y', 'z', 0})});

TEST(ShellIDList, AssignPIDLsWritesTheArrayLayout) {
  TCommonShellIDList ids;
  TCommonPIDLList onlyParent;
  onlyParent.Add(onlyParent.PIDLManager().CopyPIDL(TaskBlock(kParent).get()));
  ids.AssignPIDLs(&onlyParent);
  EXPECT_EQ(ids.ChildCount(), 0);
  EXPECT_EQ(ids.BlockSize(), 8 + kParent.size());
  EXPECT_EQ(Bytes(ids.Block(), ids.Block() + ids.BlockSize()), Cat({LE32(0), LE32(8), kParent}));
  EXPECT_EQ(ids.ChildPIDL(0), nullptr);

  TCommonPIDLList list;
  for (const Bytes& b : {kParent, kChild1, kChild2}) list.Add(list.PIDLManager().CopyPIDL(TaskBlock(b).get()));
  ids.AssignPIDLs(&list);
  const uint32_t header = 16;
  const Bytes expected = Cat({LE32(2), LE32(header), LE32(header + uint32_t(kParent.size())),
                              LE32(header + uint32_t(kParent.size() + kChild1.size())), kParent, kChild1, kChild2});
  ASSERT_EQ(ids.BlockSize(), expected.size());
  EXPECT_EQ(Bytes(ids.Block(), ids.Block() + ids.BlockSize()), expected);
  EXPECT_EQ(Bytes(ids.ChildPIDL(1), ids.ChildPIDL(1) + kChild2.size()), kChild2);
  EXPECT_EQ(ids.ChildPIDL(2), nullptr);
  EXPECT_EQ(ids.ChildPIDL(-1), nullptr);

  auto d = NewDataObject();
  ASSERT_TRUE(ids.SaveToDataObject(d.get()));
  TCommonShellIDList back;
  ASSERT_TRUE(back.LoadFromDataObject(d.get()));
  EXPECT_EQ(Bytes(back.Block(), back.Block() + back.BlockSize()), expected);
}

TEST(ShellIDList, AssignBlockRefusesWhatPassesTheBlock) {
  const uint32_t p = uint32_t(kParent.size());
  const struct {
    const char* what;
    Bytes block;
    bool ok;
    Bytes child;  // the one child's list, when there is one
  } cases[] = {
      {"parent only", Cat({LE32(0), LE32(8), kParent}), true, {}},
      {"one child", Cat({LE32(1), LE32(12), LE32(12 + p), kParent, kChild1}), true, kChild1},
      {"child shares the parent's list", Cat({LE32(1), LE32(12), LE32(12), kParent}), true, kParent},
      {"lists in reverse order", Cat({LE32(1), LE32(12 + uint32_t(kChild1.size())), LE32(12), kChild1, kParent}),
       true, kChild1},
      {"count cut short", {1, 0}, false, {}},
      {"offsets past the block", Cat({LE32(5), LE32(8)}), false, {}},
      {"huge count", Cat({LE32(0xFFFFFFFF), LE32(8), kParent}), false, {}},
      {"offset past the block", Cat({LE32(0), LE32(400), kParent}), false, {}},
      {"list without its terminator", Cat({LE32(0), LE32(8), {6, 0, 0x30, 0}}), false, {}},
      {"cb chain past the block", Cat({LE32(0), LE32(8), {0x40, 0, 0, 0}}), false, {}},
      {"offset into the last byte", Cat({LE32(0), LE32(8), {0}}), false, {}},
  };
  for (const auto& c : cases) {
    TCommonShellIDList ids;
    std::vector<uint8_t> copy = c.block;  // exactly the block's bytes
    EXPECT_EQ(ids.AssignBlock(copy.data(), copy.size()), c.ok) << c.what;
    if (!c.ok) {
      EXPECT_EQ(ids.ParentPIDL(), nullptr) << c.what;
      EXPECT_EQ(ids.ChildCount(), 0) << c.what;
      continue;
    }
    const int32_t children = c.child.empty() ? 0 : 1;
    ASSERT_EQ(ids.ChildCount(), children) << c.what;
    EXPECT_EQ(Bytes(ids.ParentPIDL(), ids.ParentPIDL() + p), kParent) << c.what;
    if (children) {
      EXPECT_EQ(Bytes(ids.ChildPIDL(0), ids.ChildPIDL(0) + c.child.size()), c.child) << c.what;
    }
    // Whatever the sender's layout, the copy holds the lists back to back.
    EXPECT_EQ(ids.BlockSize(), 4 + 4 * size_t(children + 1) + p + c.child.size()) << c.what;
  }
}

TEST(ShellIDList, ThroughTheClipboard) {
  const uint32_t p = uint32_t(kParent.size());
  const Bytes block = Cat({LE32(1), LE32(12), LE32(12 + p), kParent, kChild1});
  // Read from a clipboard the caller holds open.
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_NE(SetClipboardData(CF_SHELLIDLIST, Global(block)), nullptr);
  TCommonShellIDList in;
  EXPECT_TRUE(in.LoadFromClipboard());
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(Bytes(in.Block(), in.Block() + in.BlockSize()), block);

  // Saved as a data object on the clipboard, which gives the same block back.
  ASSERT_TRUE(in.SaveToClipboard());
  TComPtr<IDataObject> onClipboard;
  ASSERT_EQ(OleGetClipboard(onClipboard.put()), S_OK);
  TCommonShellIDList back;
  ASSERT_TRUE(back.LoadFromDataObject(onClipboard.get()));
  EXPECT_EQ(Bytes(back.Block(), back.Block() + back.BlockSize()), block);
  EXPECT_EQ(OleSetClipboard(nullptr), S_OK);
}

TEST(InShellDragLoop, ValueThroughADataObject) {
  TCommonInShellDragLoop loop, back;
  loop.SetValue(0x01020304);
  auto d = NewDataObject();
  ASSERT_TRUE(loop.SaveToDataObject(d.get()));
  std::vector<uint8_t> raw;
  ASSERT_TRUE(d->GetRawData(CF_INSHELLDRAGLOOP, raw));
  EXPECT_EQ(raw, LE32(0x01020304));
  ASSERT_TRUE(back.LoadFromDataObject(d.get()));
  EXPECT_EQ(back.Value(), 0x01020304u);
  auto shortBlock = NewDataObject();
  ASSERT_TRUE(shortBlock->SetRawData(CF_INSHELLDRAGLOOP, "\1\2", 2));
  EXPECT_FALSE(back.LoadFromDataObject(shortBlock.get()));
}

}  // namespace

namespace {

Bytes Fixture(const std::string& name) {
  const std::string s = testsupport::ReadFileBytes(testsupport::DataFile(name));
  return Bytes(s.begin(), s.end());
}

TEST(ShellFixtures, BlocksWrittenElsewhereAreRead) {
  const Bytes narrow = Fixture("shell_dropfiles_narrow.bin"), wide = Fixture("shell_dropfiles_wide.bin");
  TCommonHDrop drop;
  ASSERT_TRUE(drop.AssignStructure(narrow.data(), narrow.size()));
  EXPECT_EQ(drop.StructureSize(), narrow.size());
  ASSERT_TRUE(drop.AssignStructure(wide.data(), wide.size()));
  EXPECT_EQ(drop.StructureSize(), wide.size());
  // Cut one byte short, neither is taken.
  EXPECT_FALSE(drop.AssignStructure(narrow.data(), narrow.size() - 1));
  EXPECT_FALSE(drop.AssignStructure(wide.data(), wide.size() - 1));

  const Bytes cida = Fixture("shell_cida.bin");
  TCommonShellIDList ids;
  ASSERT_TRUE(ids.AssignBlock(cida.data(), cida.size()));
  EXPECT_EQ(ids.ChildCount(), 2);
  EXPECT_EQ(ids.BlockSize(), cida.size());
  EXPECT_EQ(Bytes(ids.Block(), ids.Block() + cida.size()), cida);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(ids.ChildPIDL(1)) + 4), "right.jpg");
  EXPECT_FALSE(ids.AssignBlock(cida.data(), cida.size() - 1));
}

}  // namespace
