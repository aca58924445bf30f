// Extended translation items: their paths, lookup, streaming and the width
// measurement of the test mode on the screen.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "i18n_test.h"
#include "platform/classes/filer.h"
#include "platform/classes/typinfo.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/text.h"
#include "platform/vcl/dialogs.h"
#include "platform/win/winuser.h"

namespace {

TsiExtendedItem* AddItem(TsiCustomLang& lang, const std::string& identifier, const std::string& values = {}) {
  TsiExtendedItem* item = lang.ExtendedTranslations()->Add();
  item->SetIdentifier(identifier);
  item->SetValues(values);
  return item;
}

TEST(ExtendedItems, IdentifiersFollowTheirComponent) {
  RegisterDialogsClasses();
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  auto* dialog = new TOpenDialog(&form);
  dialog->SetName("dlg");
  TsiExtendedItem* title = AddItem(lang, "dlg.Title");
  TsiExtendedItem* tag = AddItem(lang, "OldFormClass.Tag");
  TsiExtendedItem* blank = AddItem(lang, "");

  title->SetRelatedComponent(dialog);
  tag->SetRelatedComponent(&form);
  dialog->SetName("dlgOpen");
  EXPECT_EQ(title->Identifier(), "dlgOpen.Title");
  EXPECT_EQ(title->StoredIdentifier(), "dlg.Title");
  EXPECT_EQ(tag->Identifier(), "TViewerMain.Tag");
  EXPECT_TRUE(tag->IsRoot());
  EXPECT_FALSE(title->IsRoot());
  EXPECT_EQ(title->DisplayName(), "dlgOpen.Title");
  EXPECT_EQ(blank->DisplayName(), "TsiExtendedItem");

  TsiExtendedItems* items = lang.ExtendedTranslations();
  EXPECT_EQ(items->FindByIdentifier("DLGOPEN.title"), title);
  EXPECT_EQ(items->FindByIdentifier("dlg.Title"), nullptr);
  EXPECT_EQ(items->FindByIdentifier("tviewermain.TAG"), tag);
  EXPECT_EQ(items->FindByIdentifier("missing.Caption"), nullptr);

  // The renamed component's path is written through its new name.
  dialog->SetTitle("Open");
  lang.SetNumOfLanguages(2);
  title->SetValues("Open" + D + "Öffnen" + D);
  lang.SetActiveLanguage(2);
  EXPECT_EQ(dialog->Title(), "Öffnen");

  // Freeing the component takes its items with it, whatever their stored name.
  delete dialog;
  EXPECT_EQ(items->FindByIdentifier("dlgOpen.Title"), nullptr);
  EXPECT_EQ(items->Count(), 2);
}

TEST(ExtendedItems, PublishedPropertiesAndTheDelimiterReplacement) {
  RegisterDialogsClasses();
  TViewerMain form(nullptr);
  auto* lang = new TsiLang(&form);
  lang->SetName("siLang1");
  auto* dialog = new TOpenDialog(&form);
  dialog->SetName("dlg");
  TsiExtendedItem* item = AddItem(*lang, "dlg.FilterIndex", "1" + D + "2" + D);
  item->SetPropertyType(lang->GetPropertyTypeKind("dlg.FilterIndex"));

  const std::string text = WriteComponentText(&form);
  EXPECT_NE(text.find("Identifier = 'dlg.FilterIndex'"), std::string::npos) << text;
  EXPECT_NE(text.find("PropertyType = tkInteger"), std::string::npos) << text;
  EXPECT_NE(text.find("ValuesEx = {"), std::string::npos) << text;
  EXPECT_EQ(text.find("Values ="), std::string::npos) << text;
  EXPECT_EQ(text.find("IsRoot"), std::string::npos) << text;

  TViewerMain copy(nullptr);
  ReadComponentText(text, &copy);
  auto* back = dynamic_cast<TsiLang*>(copy.FindComponent("siLang1"));
  ASSERT_TRUE(back);
  ASSERT_EQ(back->ExtendedTranslations()->Count(), 1);
  EXPECT_EQ(back->ExtendedTranslations()->Items(0)->PropertyType(), tkInteger);
  EXPECT_EQ(back->ExtendedTranslations()->Items(0)->Values(), "1" + D + "2" + D);

  lang->ReplaceCharInExtendedValues(U'\x01', U'\t');
  EXPECT_EQ(item->Values(), "1\t2\t");
  lang->ReplaceCharInExtendedValues(U'\t', U'§');
  EXPECT_EQ(item->Values(), "1§2§");
}

// Records what DefineProperties offers for "ValuesEx" against a given ancestor.
class TRecordingFiler : public TFiler {
public:
  TRecordingFiler(TStream& stream, TPersistent* ancestor) : TFiler(stream) { ancestor_ = ancestor; }
  void DefineProperty(const std::string&, const TReaderProc&, const TWriterProc&, bool) override {}
  void DefineBinaryProperty(const std::string& name, const TStreamProc&, const TStreamProc&, bool hasData) override {
    if (name == "ValuesEx") written = hasData;
  }
  std::optional<bool> written;
};

TEST(ExtendedItems, ValuesExIsStoredWhenItDiffersFromTheAncestor) {
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  TsiExtendedItem* item = AddItem(lang, "x.Caption");
  TsiExtendedItem* ancestor = AddItem(lang, "x.Caption");
  struct Case {
    std::string values;
    std::optional<std::string> ancestorValues;
    bool written;
  };
  const std::vector<Case> cases = {
      {"Open" + D, std::nullopt, true},
      {"", std::nullopt, false},
      {"Open" + D, "Open" + D, false},
      {"Open" + D, "open" + D, true},  // texts compare exactly
      {"", "Open" + D, false},
  };
  for (const Case& c : cases) {
    item->SetValues(c.values);
    if (c.ancestorValues) ancestor->SetValues(*c.ancestorValues);
    TMemoryStream ms;
    TRecordingFiler filer(ms, c.ancestorValues ? ancestor : nullptr);
    item->DefineProperties(&filer);
    ASSERT_TRUE(filer.written.has_value());
    EXPECT_EQ(*filer.written, c.written) << c.values << " / " << c.ancestorValues.value_or("(none)");
  }
}

TEST(ExtendedItems, ValuesExOfTheOlderEightBitForm) {
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  lang.SetNumOfLanguages(2);
  TsiExtendedItem* item = AddItem(lang, "x.Caption", "stale");
  struct Case {
    std::string bytes;
    std::string values;
  };
  // Older blocks hold the 8-bit text packed two bytes to a code unit.
  const std::vector<Case> cases = {
      {"", ""},
      {"Open\x01\xD6" "ffnen\x01", "Open" + D + "Öffnen" + D},
      {std::string("\xFF\x00\xFE\x00" "A\x00\x01\x00" "B\x00\x01\x00" "C", 13), "A" + D + "B" + D},  // odd last byte dropped
  };
  for (const Case& c : cases) {
    TMemoryStream ms;
    if (!c.bytes.empty()) ms.WriteBuffer(c.bytes.data(), int64_t(c.bytes.size()));
    ms.SetPosition(0);
    item->ReadValuesEx(ms);
    EXPECT_EQ(item->Values(), c.values) << Hex(c.bytes);
  }
}

TEST(ExtendedItems, StoreAsUtf8LeavesTheHeldTextsAlone) {
  TViewerMain form(nullptr);
  TsiLang lang(&form);
  lang.SetNumOfLanguages(2);
  lang.Captions()->Add("btn" + D + "Größe" + D + "Größe" + D);
  TsiExtendedItem* item = AddItem(lang, "btn.Caption", "Größe" + D);
  lang.SetStoreAsUTF8(true);
  EXPECT_TRUE(lang.StoreAsUTF8());
  EXPECT_EQ(lang.Captions()->Strings(0), "btn" + D + "Größe" + D + "Größe" + D);
  EXPECT_EQ(item->Values(), "Größe" + D);
  lang.SetStoreAsUTF8(false);
  EXPECT_FALSE(lang.StoreAsUTF8());
}

// The width of a text in Tahoma 8 pt, measured through the device-context
// calls rather than a canvas.
int32_t GdiTextWidth(const std::string& text) {
  win::HDC screen = win::GetDC(nullptr);
  win::HDC dc = win::CreateCompatibleDC(screen);
  win::LOGFONT lf;
  lf.lfHeight = -((8 * win::GetDeviceCaps(screen, win::LOGPIXELSY) + 36) / 72);
  win::SetFaceName(lf, "Tahoma");
  win::HFONT font = win::CreateFontIndirect(&lf);
  win::HGDIOBJ old = win::SelectObject(dc, font);
  win::SIZE size{};
  win::GetTextExtentPoint32(dc, text, &size);
  win::SelectObject(dc, old);
  win::DeleteObject(font);
  win::DeleteDC(dc);
  win::ReleaseDC(nullptr, screen);
  return size.cx;
}

TEST(TestModeScreen, WidthsAreTahomaEightPointOnTheScreen) {
  for (const std::string text : {"Open", "WWWWW", "iiiii", "Öffnen", ""})
    EXPECT_EQ(ScreenTextWidth(text), GdiTextWidth(text)) << text;
  EXPECT_GT(ScreenTextWidth("WWWWW"), ScreenTextWidth("iiiii"));
  EXPECT_EQ(ScreenTextWidth(""), 0);

  // On the real screen the padded text is at least twice as wide as the original.
  TViewerMain form(nullptr);
  TsiLangDispatcher dispatcher(nullptr);
  TsiLang lang(&form);
  lang.SetLangDispatcher(&dispatcher);
  dispatcher.TestModeInfo()->SetKind(tmkExpandWidth);
  const std::string padded = lang.PseudoTranslate("Open");
  std::string unpadded = padded;
  std::erase(unpadded, '*');
  EXPECT_EQ(unpadded, "OPEN");
  EXPECT_NE(padded, unpadded);
  EXPECT_GE(ScreenTextWidth(padded), 2 * ScreenTextWidth("Open"));
}

}  // namespace
