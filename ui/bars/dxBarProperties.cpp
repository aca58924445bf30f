// The published properties of the bar manager and of the bars, in the
// streaming order of the components.
#include <mutex>

#include "platform/classes/typinfo.h"
#include "platform/vcl/graphics.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/lookandfeel/cxLookAndFeels.h"

void dxBarRegisterProperties() {
  static std::once_flag once;
  std::call_once(once, [] {
    PTypeInfo color = DefineIntegerType("TColor", otSLong, IdentToColor, ColorToIdent);
    DefineEnumType<TdxBarManagerStyle>(
        "TdxBarManagerStyle", {"bmsStandard", "bmsEnhanced", "bmsFlat", "bmsXP", "bmsOffice11", "bmsUseLookAndFeel"});
    DefineEnumType<TdxBarMenuAnimations>("TdxBarMenuAnimations", {"maNone", "maRandom", "maUnfold", "maSlide", "maFade"});
    PTypeInfo dockingStyle =
        DefineEnumType<TdxBarDockingStyle>("TdxBarDockingStyle", {"dsNone", "dsLeft", "dsTop", "dsRight", "dsBottom"});
    PTypeInfo dockingStyles = DefineSetType("TdxBarDockingStyles", dockingStyle);
    DefineEnumType<TdxBarItemVisible>("TdxBarItemVisible", {"ivNever", "ivInCustomizing", "ivAlways"});

    using M = TdxBarManager;
    Published<M>()
        .Bool("AllowCallFromAnotherForm", &M::AllowCallFromAnotherForm, &M::SetAllowCallFromAnotherForm, false)
        .Bool("AllowReset", &M::AllowReset, &M::SetAllowReset, true)
        .Bool("AlwaysMerge", &M::AlwaysMerge, &M::SetAlwaysMerge, false)
        .Bool("AlwaysSaveText", &M::AlwaysSaveText, &M::SetAlwaysSaveText, false)
        .Bool("AutoAlignBars", &M::AutoAlignBars, &M::SetAutoAlignBars, false)
        .Bool("AutoDockColor", &M::AutoDockColor, &M::SetAutoDockColor, true)
        .Bool("AutoHideEmptyBars", &M::AutoHideEmptyBars, &M::SetAutoHideEmptyBars, false)
        .Bool("Scaled", &M::Scaled, &M::SetScaled, true)
        .Obj("Font", &M::Font, &M::SetFont)
        .Obj("Backgrounds", &M::Backgrounds, nullptr)
        .Int("ButtonArrowWidth", &M::ButtonArrowWidth, &M::SetButtonArrowWidth, 11)
        .Bool("CanCustomize", &M::CanCustomize, &M::SetCanCustomize, true)
        .Obj("Categories", &M::Categories, nullptr)
        .Int("DockColor", &M::DockColor, &M::SetDockColor)
        .Type(color)
        .Stored([](M& m) { return !m.AutoDockColor(); })
        .Bool("FlatCloseButton", &M::FlatCloseButton, &M::SetFlatCloseButton, false)
        .Obj("HelpButtonGlyph", &M::HelpButtonGlyph, &M::SetHelpButtonGlyph)
        .Int("HelpContext", &M::HelpContext, &M::SetHelpContext, 0)
        .Bool("HideFloatingBarsWhenInactive", &M::HideFloatingBarsWhenInactive, &M::SetHideFloatingBarsWhenInactive,
              true)
        .Obj("ImageOptions", &M::ImageOptions, nullptr)
        .Obj("DisabledImages", &M::DisabledImages, &M::SetDisabledImages)
        .Stored(false)
        .Obj("DisabledLargeImages", &M::DisabledLargeImages, &M::SetDisabledLargeImages)
        .Stored(false)
        .Obj("HotImages", &M::HotImages, &M::SetHotImages)
        .Stored(false)
        .Obj("Images", &M::Images, &M::SetImages)
        .Stored(false)
        .Obj("LargeImages", &M::LargeImages, &M::SetLargeImages)
        .Stored(false)
        .Int("ImageListBkColor", &M::ImageListBkColor, &M::SetImageListBkColor)
        .Type(color)
        .Stored(false)
        .Bool("LargeIcons", &M::LargeIcons, &M::SetLargeIcons)
        .Stored(false)
        .Bool("MakeDisabledImagesFaded", &M::MakeDisabledImagesFaded, &M::SetMakeDisabledImagesFaded)
        .Stored(false)
        .Bool("StretchGlyphs", &M::StretchGlyphs, &M::SetStretchGlyphs)
        .Stored(false)
        .Bool("UseLargeImagesForLargeIcons", &M::UseLargeImagesForLargeIcons, &M::SetUseLargeImagesForLargeIcons)
        .Stored(false)
        .Str("IniFileName", &M::IniFileName, &M::SetIniFileName)
        .Int("LargeButtonArrowWidth", &M::LargeButtonArrowWidth, &M::SetLargeButtonArrowWidth, 13)
        .Obj("LookAndFeel", &M::LookAndFeel, &M::SetLookAndFeel)
        .Enum("MenuAnimations", &M::MenuAnimations, &M::SetMenuAnimations, maNone)
        .Bool("MenusShowRecentItemsFirst", &M::MenusShowRecentItemsFirst, &M::SetMenusShowRecentItemsFirst, true)
        .Int("MostRecentItemsPercents", &M::MostRecentItemsPercents, &M::SetMostRecentItemsPercents, 95)
        .Set("NotDocking", &M::NotDocking, &M::SetNotDocking, dockingStyles, 0)
        .Obj("PopupMenuLinks", &M::PopupMenuLinks, nullptr)
        .Str("RegistryPath", &M::RegistryPath, &M::SetRegistryPath)
        .Bool("ShowCloseButton", &M::ShowCloseButton, &M::SetShowCloseButton, false)
        .Bool("ShowFullMenusAfterDelay", &M::ShowFullMenusAfterDelay, &M::SetShowFullMenusAfterDelay, true)
        .Bool("ShowHelpButton", &M::ShowHelpButton, &M::SetShowHelpButton, false)
        .Bool("ShowHint", &M::ShowHint, &M::SetShowHint, true)
        .Bool("ShowHintForDisabledItems", &M::ShowHintForDisabledItems, &M::SetShowHintForDisabledItems, true)
        .Bool("ShowShortCutInHint", &M::ShowShortCutInHint, &M::SetShowShortCutInHint, false)
        .Bool("StoreInIniFile", &M::StoreInIniFile, &M::SetStoreInIniFile, false)
        .Bool("StoreInRegistry", &M::StoreInRegistry, &M::SetStoreInRegistry, false)
        .Enum("Style", &M::Style, &M::SetStyle, bmsEnhanced)
        .Bool("SunkenBorder", &M::SunkenBorder, &M::SetSunkenBorder, false)
        .Bool("UseF10ForMenu", &M::UseF10ForMenu, &M::SetUseF10ForMenu, true)
        .Bool("UseFullReset", &M::UseFullReset, &M::SetUseFullReset, false)
        .Bool("UseSystemFont", &M::UseSystemFont, &M::SetUseSystemFont)
        .Int("WaitForDockingTime", &M::WaitForDockingTime, &M::SetWaitForDockingTime, 21)
        .Event("OnBarAdd", &M::OnBarAdd, "TdxBarEvent")
        .Event("OnBarAfterReset", &M::OnBarAfterReset, "TdxBarEvent")
        .Event("OnBarBeforeReset", &M::OnBarBeforeReset, "TdxBarEvent")
        .Event("OnBarClose", &M::OnBarClose, "TdxBarEvent")
        .Event("OnBarDelete", &M::OnBarDelete, "TdxBarEvent")
        .Event("OnBarDockingStyleChange", &M::OnBarDockingStyleChange, "TdxBarEvent")
        .Event("OnBarVisibleChange", &M::OnBarVisibleChange, "TdxBarVisibleChangeEvent")
        .Event("OnItemLinkAdd", &M::OnItemLinkAdd, "TdxBarItemLinkEvent")
        .Event("OnItemLinkChange", &M::OnItemLinkChange, "TdxBarItemLinkEvent")
        .Event("OnItemLinkDelete", &M::OnItemLinkDelete, "TdxBarItemLinkEvent")
        .Event("OnMergeItemLink", &M::OnMergeItemLink, "TdxBarMergeItemLinkEvent")
        .Event("OnCloseButtonClick", &M::OnCloseButtonClick)
        .Event("OnDocking", &M::OnDocking, "TdxBarCanDockingEvent")
        .Event("OnHelpButtonClick", &M::OnHelpButtonClick)
        .Event("OnHideCustomizingForm", &M::OnHideCustomizingForm)
        .Event("OnMenuMerge", &M::OnMenuMerge, "TdxBarMergeEvent")
        .Event("OnMerge", &M::OnMerge, "TdxBarMergeEvent")
        .Event("OnShowCustomizingForm", &M::OnShowCustomizingForm)
        .Event("OnShowCustomizingPopup", &M::OnShowCustomizingPopup, "TdxBarShowPopupEvent")
        .Event("OnShowToolbarsPopup", &M::OnShowToolbarsPopup, "TdxBarShowPopupEvent")
        .Event("OnClickItem", &M::OnClickItem, "TdxBarClickItemEvent");

    PTypeInfo borderStyle = DefineEnumType<TdxBarBorderStyle>("TdxBarBorderStyle", {"bbsNone", "bbsSingle"});
    using B = TdxBar;
    Published<B>()
        .Bool("AllowClose", &B::AllowClose, &B::SetAllowClose, true)
        .Bool("AllowCustomizing", &B::AllowCustomizing, &B::SetAllowCustomizing, true)
        .Bool("AllowQuickCustomizing", &B::AllowQuickCustomizing, &B::SetAllowQuickCustomizing, true)
        .Bool("AllowReset", &B::AllowReset, &B::SetAllowReset, true)
        .Enum("BorderStyle", &B::BorderStyle, &B::SetBorderStyle, bbsSingle)
        .Type(borderStyle)
        .Str("Caption", &B::Caption, &B::SetCaption)
        .Int("Color", &B::Color, &B::SetColor, clDefault)
        .Type(color)
        .Obj("DockControl", &B::GetDockControl, &B::SetDockControl)
        .Obj("DockedDockControl", &B::DockedDockControl, &B::SetDockedDockControl)
        .Enum("DockedDockingStyle", &B::GetDockedDockingStyle, &B::SetDockedDockingStyle, dsTop)
        .Stored([](B& b) { return b.DockedDockControl() == nullptr; })
        .Int("DockedLeft", &B::DockedLeft, &B::SetDockedLeft, 0)
        .Int("DockedTop", &B::DockedTop, &B::SetDockedTop, 0)
        .Enum("DockingStyle", &B::GetDockingStyle, &B::SetDockingStyle, dsNone)
        .Stored([](B& b) { return b.GetDockControl() == nullptr; })
        .Int("FloatLeft", &B::FloatLeft, &B::SetFloatLeft, 0)
        .Int("FloatTop", &B::FloatTop, &B::SetFloatTop, 0)
        .Int("FloatClientWidth", &B::FloatClientWidth, &B::SetFloatClientWidth, 0)
        .Int("FloatClientHeight", &B::FloatClientHeight, &B::SetFloatClientHeight, 0)
        .Obj("Font", &B::Font, &B::SetFont)
        .Stored([](B& b) { return b.UseOwnFont(); })
        .Obj("Glyph", &B::Glyph, &B::SetGlyph)
        .Bool("Hidden", &B::Hidden, &B::SetHidden, false)
        .Bool("IsMainMenu", &B::IsMainMenu, &B::SetIsMainMenu, false)
        .Obj("ItemLinks", &B::GetItemLinks, nullptr)
        .Str("KeyTip", &B::KeyTip, &B::SetKeyTip)
        .Bool("MultiLine", &B::MultiLine, &B::SetMultiLine, false)
        .Set("NotDocking", &B::GetNotDocking, &B::SetNotDocking, dockingStyles, 0)
        .Str("OldName", &B::OldName, &B::SetOldName)
        .Bool("OneOnRow", &B::OneOnRow, &B::SetOneOnRow, false)
        .Bool("RotateWhenVertical", &B::RotateWhenVertical, &B::SetRotateWhenVertical, true)
        .Int("Row", &B::GetRow, &B::SetRow, 0)
        .Bool("ShowMark", &B::ShowMark, &B::SetShowMark, true)
        .Bool("SizeGrip", &B::SizeGrip, &B::SetSizeGrip, true)
        .Bool("UseOwnFont", &B::UseOwnFont, &B::SetUseOwnFont, false)
        .Bool("UseRecentItems", &B::UseRecentItems, &B::SetUseRecentItems, true)
        .Bool("UseRestSpace", &B::UseRestSpace, &B::SetUseRestSpace, false)
        .Bool("Visible", &B::GetVisible, &B::SetVisible, false)
        .Bool("WholeRow", &B::WholeRow, &B::SetWholeRow, false)
        .Obj("BackgroundBitmap", &B::BackgroundBitmap, &B::SetBackgroundBitmap)
        .Int("AlphaBlendValue", &B::AlphaBlendValue, &B::SetAlphaBlendValue, 255);

    dxBarComponentsRegisterProperties();
    RegisterClass(TdxBarManager::StaticClass());
    RegisterClass(TdxBar::StaticClass());
    dxBarItemsRegisterProperties();
    dxBarItemLinksRegisterProperties();
  });
}

