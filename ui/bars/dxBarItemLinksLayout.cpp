// The toolbar layout of item links in an INI file or the registry: one section
// per link below its bar's or sub-item's section, and that section's
// "ItemLinkCount". The stored text is untrusted: a value outside its range
// takes the key's default, set bits outside the set are dropped, and a link
// whose item cannot be found goes.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/classes/inifiles.h"
#include "platform/classes/streams.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/scopeexit.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/graphics.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarElements.h"
#include "ui/bars/dxBarItems.h"

namespace {

// Far beyond any real bar; bounds the work that a forged count can cause.
constexpr int32_t kMaxStoredLinks = 4096;

std::string LinkSection(const std::string& ABaseSection, int32_t AIndex, TdxBarStoringKind AKind) {
  return ABaseSection + LayoutSectionDelimiter(AKind) + "ItemLink" + IntToStr(AIndex);
}

// The first byte of a binary value; False when the value holds none.
bool ReadByte(TCustomIniFile* AIniFile, const std::string& ASection, const std::string& AIdent, uint8_t& AValue) {
  TMemoryStream stream;
  if (AIniFile->ReadBinaryStream(ASection, AIdent, &stream) < 1) return false;
  stream.SetPosition(0);
  stream.ReadBuffer(&AValue, 1);
  return true;
}

void WriteByte(TCustomIniFile* AIniFile, const std::string& ASection, const std::string& AIdent, uint8_t AValue) {
  TMemoryStream stream;
  stream.WriteBuffer(&AValue, 1);
  stream.SetPosition(0);
  AIniFile->WriteBinaryStream(ASection, AIdent, &stream);
}

// An enumeration's ordinal from 0 to ALast; anything else gives ADefault.
int32_t ReadOrdinal(TCustomIniFile* AIniFile, const std::string& ASection, const std::string& AIdent, int32_t ALast,
                    int32_t ADefault) {
  const int32_t v = AIniFile->ReadInteger(ASection, AIdent, ADefault);
  return v >= 0 && v <= ALast ? v : ADefault;
}

bool IsToolbarLinks(const TdxBarItemLinks* ALinks) {
  return ALinks && dynamic_cast<TdxBar*>(ALinks->OwnerComponent()) != nullptr;
}

// UseCount and RecentIndex are kept where menus may show recent items first.
bool KeepsRecentUse(const TdxBarItemLinks* ALinks) {
  return ALinks && ALinks->BarManager() && ALinks->BarManager()->IsNonStandardStyle() && ALinks->UseRecentItems;
}

}  // namespace

// ---------------------------------------------------------------- one link

void TdxBarItemLink::WriteToIni(TCustomIniFile* AIniFile, const std::string& ABaseSection, int32_t AIndex,
                                TdxBarStoringKind AStoringKind) {
  const std::string section = LinkSection(ABaseSection, AIndex, AStoringKind);
  TdxBarItemLinks* links = GetOwnerLinks();
  TdxBarItem* item = GetItem();
  AIniFile->WriteString(section, "ItemName", item ? item->Name() : std::string());
  AIniFile->WriteBool(section, "BeginGroup", StoredBeginGroup());
  WriteByte(AIniFile, section, "UserDefine", UserDefine());
  if (HasUserDefine(udCaption)) AIniFile->WriteString(section, "UserCaption", UserCaption());
  if (HasUserDefine(udPaintStyle)) AIniFile->WriteInteger(section, "UserPaintStyle", UserPaintStyle());
  if (HasUserDefine(udWidth)) AIniFile->WriteInteger(section, "UserWidth", UserWidth());
  if (AStoringKind == skRegistry && HasUserDefine(udGlyph)) {
    TMemoryStream stream;
    UserGlyph()->SaveToStream(stream);
    stream.SetPosition(0);
    AIniFile->WriteBinaryStream(section, "UserGlyph", &stream);
  }
  if (IsToolbarLinks(links)) {
    AIniFile->WriteInteger(section, "ButtonGroup", ButtonGroup());
    AIniFile->WriteInteger(section, "Position", Position());
    WriteByte(AIniFile, section, "ViewLevels", ViewLevels());
    AIniFile->WriteBool(section, "Visible", Visible());
  }
  if (KeepsRecentUse(links)) {
    AIniFile->WriteInteger(section, "UseCount", UseCount);
    AIniFile->WriteInteger(section, "RecentIndex", GetRecentIndex());
  }
  if (TdxBarManager* m = GetBarManager(); m && m->IsStoringInitialLayout())
    AIniFile->WriteBool(section, "MostRecentlyUsed", MostRecentlyUsed());
}

bool TdxBarItemLink::ReadFromIni(TCustomIniFile* AIniFile, const std::string& ABaseSection, int32_t AIndex,
                                 TdxBarStoringKind AStoringKind) {
  const std::string section = LinkSection(ABaseSection, AIndex, AStoringKind);
  TdxBarItemLinks* links = GetOwnerLinks();
  TdxBarManager* m = GetBarManager();
  // No name (or no section) places nothing either: a link without item would
  // never show, yet hold a place in the recent list and the links.
  const std::string name = AIniFile->ReadString(section, "ItemName", "");
  TdxBarItem* item = name.empty() || !m ? nullptr : m->FindItemByName(name);
  if (!item) {
    delete this;
    return false;
  }
  SetItem(item);
  SetBeginGroup(AIniFile->ReadBool(section, "BeginGroup", false));

  uint8_t userDefine = 0;
  // In an INI file a value of one character is the set's decimal number.
  const std::string text = AStoringKind == skIni ? AIniFile->ReadString(section, "UserDefine", "") : std::string();
  if (text.size() == 1)
    userDefine = uint8_t(StrToIntDef(text, 0));
  else
    ReadByte(AIniFile, section, "UserDefine", userDefine);
  SetUserDefine(userDefine & AllUserDefines);
  if (HasUserDefine(udCaption)) SetUserCaption(AIniFile->ReadString(section, "UserCaption", ""));
  if (HasUserDefine(udPaintStyle))
    SetUserPaintStyle(TdxBarPaintStyle(ReadOrdinal(AIniFile, section, "UserPaintStyle", psCaptionGlyph, psStandard)));
  if (HasUserDefine(udWidth)) {
    const int32_t width = AIniFile->ReadInteger(section, "UserWidth", 100);
    SetUserWidth(width >= 0 ? width : 100);
  }
  if (AStoringKind == skRegistry && HasUserDefine(udGlyph) && AIniFile->ValueExists(section, "UserGlyph")) {
    TMemoryStream stream;
    AIniFile->ReadBinaryStream(section, "UserGlyph", &stream);
    stream.SetPosition(0);
    try {
      UserGlyph()->LoadFromStream(stream);
    } catch (const Exception&) {
      // A damaged glyph is dropped rather than the link: the item's glyph shows.
      SetUserDefine(UserDefine() & ~UserDefineBit(udGlyph));
    }
  }
  if (IsToolbarLinks(links)) {
    SetButtonGroup(TdxBarButtonGroupPosition(ReadOrdinal(AIniFile, section, "ButtonGroup", bgpMember, bgpNone)));
    SetPosition(TdxBarItemPosition(ReadOrdinal(AIniFile, section, "Position", ipContinuesRow, ipBeginsNewRow)));
    if (uint8_t levels; ReadByte(AIniFile, section, "ViewLevels", levels)) SetViewLevels(levels & AllViewLevels);
    LoadedVisible = AIniFile->ReadBool(section, "Visible", true);
  }
  if (KeepsRecentUse(links)) {
    LoadedUseCount = std::max(AIniFile->ReadInteger(section, "UseCount", 0), 0);
    LoadedRecentIndex = AIniFile->ReadInteger(section, "RecentIndex", -1);
  }
  return true;
}

void TdxBarItemLink::ReadRecentUseFromIni(TCustomIniFile* AIniFile, const std::string& ABaseSection, int32_t AIndex) {
  mostRecentlyUsed_ = AIniFile->ReadBool(LinkSection(ABaseSection, AIndex, skIni), "MostRecentlyUsed", true);
}

// ---------------------------------------------------------------- collection

void TdxBarItemLinks::WriteToIni(TCustomIniFile* AIniFile, const std::string& ASection,
                                 TdxBarStoringKind AStoringKind) {
  int32_t written = 0;
  for (int32_t i = 0; i < Count(); ++i) {
    TdxBarItemLink* link = GetItem(i);
    TdxBarItem* item = link->GetItem();
    if (!item || item->Name().empty() || link->CreatedByMerging) continue;
    link->WriteToIni(AIniFile, ASection, written++, AStoringKind);
  }
  AIniFile->WriteInteger(ASection, "ItemLinkCount", written);
}

namespace {

// The links that stay while a layout is read, in collection order.
std::vector<TdxBarItemLink*> KeepLinksOfMissingItems(TdxBarItemLinks* ALinks) {
  std::vector<TdxBarItemLink*> kept;
  const std::vector<TdxBarItem*>* missing = ALinks->BarManager() ? ALinks->BarManager()->ItemsMissingFromLayout : nullptr;
  if (missing && !missing->empty()) {
    for (int32_t i = 0; i < ALinks->Count(); ++i) {
      TdxBarItemLink* link = ALinks->GetItem(i);
      if (!link->GetItem() || std::find(missing->begin(), missing->end(), link->GetItem()) == missing->end()) continue;
      TdxBarItem* before = i > 0 ? ALinks->GetItem(i - 1)->GetItem() : nullptr;
      link->PredecessorItemName = before ? before->Name() : std::string();
      link->CreatedByMerging = nullptr;
      kept.push_back(link);
    }
  }
  for (int32_t i = ALinks->Count() - 1; i >= 0; --i)
    if (std::find(kept.begin(), kept.end(), ALinks->GetItem(i)) == kept.end()) ALinks->Delete(i);
  return kept;
}

// Each kept link goes back behind the item it followed, or to the front when it was
// first; in their former order, so that one behind another kept link lands there too.
void PutBackKeptLinks(TdxBarItemLinks* ALinks, const std::vector<TdxBarItemLink*>& AKept) {
  for (TdxBarItemLink* link : AKept) {
    const int32_t from = ALinks->IndexOf(link);
    const std::string predecessor = std::exchange(link->PredecessorItemName, std::string());
    if (predecessor.empty()) {
      ALinks->Move(from, 0);
      continue;
    }
    const int32_t at = ALinks->IndexOfItemName(predecessor);
    if (at >= 0) ALinks->Move(from, from > at ? at + 1 : at);
  }
}

}  // namespace

void TdxBarItemLinks::ReadFromIni(TCustomIniFile* AIniFile, const std::string& ASection,
                                  TdxBarStoringKind AStoringKind) {
  BeginUpdate();
  TScopeExit endUpdate([this] { EndUpdate(); });
  // What was read is applied also when reading stops with an error.
  const auto apply = [this] {
    Refresh();
    ApplyLoadedData(true);
    // A stored index beyond the links, or one that another link took first.
    for (int32_t i = 0; i < Count(); ++i) GetItem(i)->LoadedRecentIndex = -1;
  };
  try {
    const std::vector<TdxBarItemLink*> kept = KeepLinksOfMissingItems(this);
    const int32_t count = std::clamp(AIniFile->ReadInteger(ASection, "ItemLinkCount", 0), 0, kMaxStoredLinks);
    for (int32_t n = count - 1; n >= 0; --n) {
      TdxBarItemLink* link = Insert(0);
      try {
        link->ReadFromIni(AIniFile, ASection, n, AStoringKind);
      } catch (const Exception&) {
        // One unreadable link goes; the others are still read.
        delete link;
      }
    }
    PutBackKeptLinks(this, kept);
  } catch (...) {
    apply();
    throw;
  }
  apply();
}

void TdxBarItemLinks::ReadRecentUseFromIni(TCustomIniFile* AIniFile, const std::string& ASection) {
  const int32_t count = std::min(AIniFile->ReadInteger(ASection, "ItemLinkCount", 0), Count());
  for (int32_t i = 0; i < count; ++i) GetItem(i)->ReadRecentUseFromIni(AIniFile, ASection, i);
  ApplyLoadedData(false);
  CompactRecentList();
}

void TdxBarItemLinks::RestoreItemLayouts(TCustomIniFile*, const std::string&) {}
