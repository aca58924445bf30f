// The stored toolbar layout of item links: the keys a link writes into an INI
// file or the registry and in which order, the links that are not written,
// what reading does with links of items the layout does not know, and stored
// text that is damaged.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/classes/inifiles.h"
#include "platform/classes/registry.h"
#include "platform/classes/strings.h"
#include "platform/rtl/exceptions.h"
#include "platform/vcl/graphics.h"
#include "tests/support/testsupport.h"
#include "tests/ui/bars/item_doubles.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarPopupMenu.h"

using namespace bartest;

namespace {

using Names = std::vector<std::string>;

class LinksLayoutTest : public BarManagerFormTest {
protected:
  void SetUp() override {
    BarManagerFormTest::SetUp();
    manager_->SetStyle(bmsStandard);
  }
  TdxBarItem* Item(const std::string& AName) {
    auto* item = new TdxBarItem(form_.get());
    if (!AName.empty()) item->SetName(AName);
    return item;
  }
  // The names of the links' items in collection order ("-" for none).
  static Names LinkNames(TdxBarItemLinks* ALinks) {
    Names v;
    for (int32_t i = 0; i < ALinks->Count(); ++i) {
      TdxBarItem* item = ALinks->GetItem(i)->GetItem();
      v.push_back(item ? item->Name() : "-");
    }
    return v;
  }
  static Names Keys(TCustomIniFile& AIni, const std::string& ASection) {
    TStringList keys;
    AIni.ReadSection(ASection, &keys);
    Names v;
    for (int32_t i = 0; i < keys.Count(); ++i) v.push_back(keys.Strings(i));
    return v;
  }
  // A toolbar with links to Open, Save, an unnamed item and a link merged in
  // from another bar; Save's link carries every stored value that differs from
  // a new link's.
  TdxBar* SampleBar() {
    TdxBar* bar = BarWith({Item("Open"), Item("Save"), Item(""), Item("Merged")});
    TdxBarItemLink* save = bar->GetItemLinks()->GetItem(1);
    save->SetBeginGroup(true);
    save->SetUserCaption("Sichern");
    save->SetUserWidth(80);
    save->SetButtonGroup(bgpStart);
    save->SetPosition(ipBeginsNewColumn);
    save->SetViewLevels(3);
    save->SetVisible(false);
    bar->GetItemLinks()->GetItem(3)->CreatedByMerging = manager_->Bars()->Add();
    return bar;
  }
};

// The keys of a toolbar's links in the order and form they are written, and the
// same links read back into another toolbar, which loses its own links.
TEST_F(LinksLayoutTest, IniRoundTripOfAToolbar) {
  TdxBar* bar = SampleBar();
  TMemIniFile ini("");
  bar->GetItemLinks()->WriteToIni(&ini, "F.M.Bar0", skIni);
  EXPECT_EQ(ini.Text(),
            "[F.M.Bar0.ItemLink0]\n"
            "ItemName=Open\n"
            "BeginGroup=0\n"
            "UserDefine=00\n"
            "ButtonGroup=0\n"
            "Position=0\n"
            "ViewLevels=0F\n"
            "Visible=1\n"
            "\n"
            "[F.M.Bar0.ItemLink1]\n"
            "ItemName=Save\n"
            "BeginGroup=1\n"
            "UserDefine=09\n"
            "UserCaption=Sichern\n"
            "UserWidth=80\n"
            "ButtonGroup=1\n"
            "Position=1\n"
            "ViewLevels=03\n"
            "Visible=0\n"
            "\n"
            "[F.M.Bar0]\n"
            "ItemLinkCount=2\n");

  TdxBar* other = BarWith({manager_->FindItemByName("Merged")});
  other->GetItemLinks()->ReadFromIni(&ini, "F.M.Bar0", skIni);
  TdxBarItemLinks* links = other->GetItemLinks();
  ASSERT_EQ(LinkNames(links), (Names{"Open", "Save"}));
  TdxBarItemLink* save = links->GetItem(1);
  EXPECT_TRUE(save->StoredBeginGroup());
  EXPECT_EQ(save->UserDefine(), UserDefineBit(udCaption) | UserDefineBit(udWidth));
  EXPECT_EQ(save->UserCaption(), "Sichern");
  EXPECT_EQ(save->GetCaption(), "Sichern");
  EXPECT_EQ(save->UserWidth(), 80);
  EXPECT_EQ(save->ButtonGroup(), bgpStart);
  EXPECT_EQ(save->Position(), ipBeginsNewColumn);
  EXPECT_EQ(save->ViewLevels(), 3);
  EXPECT_FALSE(save->Visible());
  EXPECT_TRUE(links->GetItem(0)->Visible());
  EXPECT_EQ(links->GetItem(0)->ViewLevels(), AllViewLevels);
}

// Which keys a link writes depends on the storage, its owner, the manager's
// style and whether its collection may use recent items.
TEST_F(LinksLayoutTest, KeysFollowTheirWriteConditions) {
  const Names common = {"ItemName", "BeginGroup", "UserDefine"};
  const Names toolbar = {"ButtonGroup", "Position", "ViewLevels", "Visible"};
  const Names recent = {"UseCount", "RecentIndex"};
  struct Case {
    bool onToolbar;
    TdxBarManagerStyle style;
    bool mayUseRecent;
    Names extra;
  };
  auto join = [](Names a, const Names& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  const Case cases[] = {
      {true, bmsStandard, true, toolbar},
      {true, bmsOffice11, true, join(toolbar, recent)},
      {true, bmsOffice11, false, toolbar},
      {false, bmsStandard, true, {}},
      {false, bmsFlat, true, recent},
  };
  TdxBarItem* open = Item("Open");
  for (const Case& c : cases) {
    manager_->SetStyle(c.style);
    TdxBarPopupMenu menu(form_.get());
    menu.SetBarManager(manager_);
    TdxBarItemLinks* links = c.onToolbar ? BarWith({open})->GetItemLinks() : menu.GetItemLinks();
    if (!c.onToolbar) links->Add()->SetItem(open);
    links->UseRecentItems = c.mayUseRecent;
    TMemIniFile ini("");
    links->WriteToIni(&ini, "B", skIni);
    EXPECT_EQ(Keys(ini, "B.ItemLink0"), join(common, c.extra)) << c.onToolbar << " " << int(c.style);
  }
  // The initial layout alone holds "MostRecentlyUsed"; a link's user values
  // appear with their flags, the glyph only in the registry.
  TdxBarItemLinks* links = BarWith({open})->GetItemLinks();
  TdxBarItemLink* link = links->GetItem(0);
  link->SetUserDefine(UserDefineBit(udGlyph) | UserDefineBit(udPaintStyle));
  link->SetUserPaintStyle(psCaptionGlyph);
  manager_->SetStyle(bmsStandard);
  TMemIniFile ini("");
  links->WriteToIni(&ini, "B", skIni);
  EXPECT_EQ(Keys(ini, "B.ItemLink0"), (Names{"ItemName", "BeginGroup", "UserDefine", "UserPaintStyle", "ButtonGroup",
                                             "Position", "ViewLevels", "Visible"}));
  EXPECT_EQ(ini.ReadString("B.ItemLink0", "UserDefine", ""), "06");
  EXPECT_EQ(ini.ReadInteger("B.ItemLink0", "UserPaintStyle", -1), int32_t(psCaptionGlyph));
}

// Through the registry: sections joined by "\", sets and the user glyph as
// bytes, recent use kept; the same links read back.
TEST_F(LinksLayoutTest, RegistryRoundTripWithBackslashSections) {
  testsupport::TempDir dir;
  const std::string saved = RegistryFileName();
  SetRegistryFileName((dir / "registry").string());
  manager_->SetStyle(bmsOffice11);
  TdxBar* bar = SampleBar();
  TdxBarItemLink* open = bar->GetItemLinks()->GetItem(0);
  TBitmap glyph;
  glyph.SetSize(2, 3);
  glyph.SetPixelFormat(pf24bit);
  glyph.Canvas()->SetPixels(1, 2, clRed);
  open->SetUserGlyph(&glyph);
  open->UseCount = 7;
  open->SetRecentIndex(0);
  {
    TRegistryIniFile reg("\\Software\\Duplexion\\Layout\\");
    bar->GetItemLinks()->WriteToIni(&reg, "\\Software\\Duplexion\\Layout\\Bar0", skRegistry);
  }
  const std::string text = testsupport::ReadFileBytes(dir / "registry");
  EXPECT_NE(text.find("[Software\\Duplexion\\Layout\\Bar0\\ItemLink0]\nItemName=s:Open\nBeginGroup=d:0\n"
                      "UserDefine=b:02\nUserGlyph=b:"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("[Software\\Duplexion\\Layout\\Bar0\\ItemLink1]\nItemName=s:Save\nBeginGroup=d:1\n"
                      "UserDefine=b:09\nUserCaption=s:Sichern\nUserWidth=d:80\nButtonGroup=d:1\nPosition=d:1\n"
                      "ViewLevels=b:03\nVisible=d:0\nUseCount=d:"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("[Software\\Duplexion\\Layout\\Bar0]\nItemLinkCount=d:2\n"), std::string::npos) << text;

  TdxBar* other = manager_->Bars()->Add();
  TRegistryIniFile reg("\\Software\\Duplexion\\Layout\\");
  other->GetItemLinks()->ReadFromIni(&reg, "Bar0", skRegistry);
  TdxBarItemLinks* links = other->GetItemLinks();
  ASSERT_EQ(LinkNames(links), (Names{"Open", "Save"}));
  TBitmap* back = links->GetItem(0)->UserGlyph();
  EXPECT_TRUE(links->GetItem(0)->HasUserDefine(udGlyph));
  EXPECT_EQ(back->Width(), 2);
  EXPECT_EQ(back->Height(), 3);
  EXPECT_EQ(back->Canvas()->Pixels(1, 2), clRed);
  EXPECT_EQ(links->GetItem(0)->UseCount, 7);
  EXPECT_EQ(links->GetItem(1)->UserCaption(), "Sichern");
  SetRegistryFileName(saved);
}

// Links of items that the layout does not know stay and go back behind the
// item they followed; a link that was first goes first again.
TEST_F(LinksLayoutTest, LinksOfUnknownItemsGoBackBehindTheirNeighbour) {
  struct Case {
    Names before;
    Names missing;
    Names stored;
    Names after;
  };
  const Case cases[] = {
      {{"A", "X", "B"}, {"X"}, {"B", "A"}, {"B", "A", "X"}},
      {{"X", "A"}, {"X"}, {"A", "B"}, {"X", "A", "B"}},
      // X's neighbour Y was not stored either; X goes first and Y behind it.
      {{"X", "Y", "A"}, {"X", "Y"}, {"A"}, {"X", "Y", "A"}},
      // The neighbour is gone: the link stays behind the stored links.
      {{"A", "X"}, {"X"}, {"B"}, {"B", "X"}},
      {{"A", "B"}, {}, {"B"}, {"B"}},
  };
  for (const char* name : {"A", "B", "X", "Y"}) Item(name);
  for (const Case& c : cases) {
    TdxBar* source = manager_->Bars()->Add();
    for (const std::string& n : c.stored) source->GetItemLinks()->Add()->SetItem(manager_->FindItemByName(n));
    TMemIniFile ini("");
    source->GetItemLinks()->WriteToIni(&ini, "Bar", skIni);

    TdxBar* bar = manager_->Bars()->Add();
    for (const std::string& n : c.before) bar->GetItemLinks()->Add()->SetItem(manager_->FindItemByName(n));
    std::vector<TdxBarItem*> missing;
    for (const std::string& n : c.missing) missing.push_back(manager_->FindItemByName(n));
    manager_->ItemsMissingFromLayout = &missing;
    bar->GetItemLinks()->ReadFromIni(&ini, "Bar", skIni);
    manager_->ItemsMissingFromLayout = nullptr;
    EXPECT_EQ(LinkNames(bar->GetItemLinks()), c.after) << testing::PrintToString(c.before);
  }
}

// Damaged layouts: what stays of the links and which values they take.
TEST_F(LinksLayoutTest, DamagedLayoutsReadWhatTheyCan) {
  Item("A");
  Item("B");
  struct Case {
    const char* name;
    std::string text;
    Names links;
    TdxBarUserDefines userDefine;  // of the first link
    TdxBarItemPosition position;   // of the first link
  };
  const std::string a = "[L.ItemLink0]\nItemName=A\n";
  const Case cases[] = {
      {"count beyond the sections", a + "[L]\nItemLinkCount=3\n", {"A"}, 0, ipBeginsNewRow},
      {"section missing in between", a + "[L.ItemLink2]\nItemName=B\n[L]\nItemLinkCount=3\n", {"A", "B"}, 0,
       ipBeginsNewRow},
      {"unknown item", "[L.ItemLink0]\nItemName=Nope\n[L.ItemLink1]\nItemName=B\n[L]\nItemLinkCount=2\n", {"B"}, 0,
       ipBeginsNewRow},
      {"no count", a, {}, 0, ipBeginsNewRow},
      {"negative count", a + "[L]\nItemLinkCount=-5\n", {}, 0, ipBeginsNewRow},
      {"huge count", a + "[L]\nItemLinkCount=2147483647\n", {"A"}, 0, ipBeginsNewRow},
      {"non-numeric values", a + "Position=abc\nButtonGroup=x\nVisible=maybe\n[L]\nItemLinkCount=1\n", {"A"}, 0,
       ipBeginsNewRow},
      {"position out of range", a + "Position=7\n[L]\nItemLinkCount=1\n", {"A"}, 0, ipBeginsNewRow},
      {"one-character set", a + "UserDefine=5\nPosition=2\n[L]\nItemLinkCount=1\n", {"A"}, 5, ipContinuesRow},
      {"bits outside the set", a + "UserDefine=F9\n[L]\nItemLinkCount=1\n", {"A"}, 9, ipBeginsNewRow},
      {"not hexadecimal", a + "UserDefine=7G\n[L]\nItemLinkCount=1\n", {"A"}, 0, ipBeginsNewRow},
      {"bad view levels", a + "ViewLevels=xyz\n[L]\nItemLinkCount=1\n", {"A"}, 0, ipBeginsNewRow},
  };
  for (const Case& c : cases) {
    TMemIniFile ini("");
    ini.SetText(c.text);
    TdxBar* bar = BarWith({manager_->FindItemByName("B")});
    TdxBarItemLinks* links = bar->GetItemLinks();
    links->ReadFromIni(&ini, "L", skIni);
    EXPECT_EQ(LinkNames(links), c.links) << c.name;
    if (links->Count() == 0) continue;
    TdxBarItemLink* first = links->GetItem(0);
    EXPECT_EQ(first->UserDefine(), c.userDefine) << c.name;
    EXPECT_EQ(first->Position(), c.position) << c.name;
    EXPECT_EQ(first->ButtonGroup(), bgpNone) << c.name;
    EXPECT_EQ(first->ViewLevels(), AllViewLevels) << c.name;
    EXPECT_TRUE(first->Visible()) << c.name;
    // A width or paint style that the flags ask for but the file lacks takes the default.
    if (first->HasUserDefine(udWidth)) {
      EXPECT_EQ(first->UserWidth(), 100) << c.name;
    }
  }
}

// A file whose reads fail: one link's failure drops that link, a failure of
// the collection's own keys ends reading, and the loaded values still apply.
class TFailingIni : public TMemIniFile {
public:
  TFailingIni() : TMemIniFile("") {}
  std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) override {
    if (section == FailSection && ident == FailIdent) throw EReadError("unreadable");
    return TMemIniFile::ReadString(section, ident, def);
  }
  std::string FailSection, FailIdent;
};

TEST_F(LinksLayoutTest, ReadFailuresDropOneLinkOrEndReadingWithLoadedValuesApplied) {
  Item("A");
  Item("B");
  TFailingIni ini;
  ini.SetText("[L.ItemLink0]\nItemName=A\nVisible=0\n[L.ItemLink1]\nItemName=B\n[L]\nItemLinkCount=2\n");
  TLog log;
  TRecordingBarControl window(manager_, "w", log);

  ini.FailSection = "L.ItemLink1";
  ini.FailIdent = "BeginGroup";
  TdxBarItemLinks* links = BarWith({})->GetItemLinks();
  links->BarControl = &window;
  links->ReadFromIni(&ini, "L", skIni);
  EXPECT_EQ(LinkNames(links), (Names{"A"}));
  EXPECT_FALSE(links->GetItem(0)->Visible());
  links->BarControl = nullptr;

  ini.FailSection = "L";
  ini.FailIdent = "ItemLinkCount";
  log.clear();
  TdxBarItemLinks* kept = BarWith({manager_->FindItemByName("A")})->GetItemLinks();
  kept->GetItem(0)->LoadedVisible = false;
  kept->BarControl = &window;
  std::vector<TdxBarItem*> missing = {manager_->FindItemByName("A")};
  manager_->ItemsMissingFromLayout = &missing;
  EXPECT_THROW(kept->ReadFromIni(&ini, "L", skIni), EReadError);
  manager_->ItemsMissingFromLayout = nullptr;
  EXPECT_EQ(LinkNames(kept), (Names{"A"}));
  EXPECT_FALSE(kept->GetItem(0)->Visible());
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "w rebuild");
  kept->BarControl = nullptr;
}

// The recent use of the initial layout: "MostRecentlyUsed" of the first
// "ItemLinkCount" links, always with ".".
TEST_F(LinksLayoutTest, RecentUseReadsMostRecentlyUsedOnly) {
  TdxBarItemLinks* links = BarWith({Item("A"), Item("B"), Item("C")})->GetItemLinks();
  TMemIniFile ini("");
  ini.SetText("[S.ItemLink0]\nMostRecentlyUsed=0\nItemName=Z\n[S.ItemLink1]\nMostRecentlyUsed=1\n"
              "[S.ItemLink2]\nMostRecentlyUsed=0\n[S]\nItemLinkCount=2\n");
  links->ReadRecentUseFromIni(&ini, "S");
  EXPECT_EQ(LinkNames(links), (Names{"A", "B", "C"}));
  EXPECT_FALSE(links->GetItem(0)->MostRecentlyUsed());
  EXPECT_EQ(links->GetItem(0)->UseCount, 0);
  EXPECT_TRUE(links->GetItem(1)->MostRecentlyUsed());
  EXPECT_TRUE(links->GetItem(2)->MostRecentlyUsed());
}

}  // namespace
