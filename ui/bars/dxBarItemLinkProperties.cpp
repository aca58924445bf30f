// The published properties of item links and menu options, in their streaming order.
#include <mutex>

#include "platform/classes/typinfo.h"
#include "platform/vcl/graphics.h"
#include "ui/bars/dxBarElements.h"

void dxBarItemLinksRegisterProperties() {
  static std::once_flag once;
  std::call_once(once, [] {
    const PTypeInfo userDefines = DefineSetType(
        "TdxBarUserDefines",
        DefineEnumType<TdxBarUserDefine>("TdxBarUserDefine", {"udCaption", "udGlyph", "udPaintStyle", "udWidth"}));
    const PTypeInfo viewLevels =
        DefineSetType("TdxBarItemViewLevels",
                      DefineEnumType<TdxBarItemViewLevel>("TdxBarItemViewLevel",
                                                          {"ivlLargeIconWithText", "ivlSmallIconWithText",
                                                           "ivlSmallIcon", "ivlControlOnly", "ivlDefault"}));
    DefineEnumType<TdxBarButtonGroupPosition>("TdxBarButtonGroupPosition", {"bgpNone", "bgpStart", "bgpMember"});
    DefineEnumType<TdxBarItemPosition>("TdxBarItemPosition",
                                       {"ipBeginsNewRow", "ipBeginsNewColumn", "ipContinuesRow"});
    DefineEnumType<TdxBarMenuItemSize>("TdxBarMenuItemSize", {"misNormal", "misLarge"});
    const PTypeInfo optionValues = DefineSetType(
        "TdxBarItemOptionValues",
        DefineEnumType<TdxBarItemOptionValue>("TdxBarItemOptionValue", {"ioShowDescriptions", "ioShowShortCuts", "ioSize"}));

    using L = TdxBarItemLink;
    Published<L>()
        .Bool("BeginGroup", &L::GetBeginGroup, &L::SetBeginGroup, false)
        .Enum("ButtonGroup", &L::ButtonGroup, &L::SetButtonGroup, bgpNone)
        .Bool("Distributed", &L::Distributed, &L::SetDistributed, true)
        .Bool("MostRecentlyUsed", &L::MostRecentlyUsed, &L::SetMostRecentlyUsed, true)
        .Enum("Position", &L::Position, &L::SetPosition, ipBeginsNewRow)
        .Str("UserCaption", &L::UserCaption, &L::SetUserCaption)
        .Set("UserDefine", &L::UserDefine, &L::SetUserDefine, userDefines, 0)
        .Obj("UserGlyph", &L::UserGlyph, &L::SetUserGlyph)
        .Enum("UserPaintStyle", &L::UserPaintStyle, &L::SetUserPaintStyle, psStandard)
        .Int("UserWidth", &L::UserWidth, &L::SetUserWidth, 0)
        .Set("ViewLevels", &L::ViewLevels, &L::SetViewLevels, viewLevels, AllViewLevels)
        .Bool("Visible", &L::Visible, &L::SetVisible);

    using O = TdxBarItemOptions;
    Published<O>()
        .Set("AssignedValues", &O::AssignedValues, &O::SetAssignedValues, optionValues)
        .Stored(false)
        .Bool("ShowDescriptions", &O::ShowDescriptions, &O::SetShowDescriptions)
        .Stored([](const O& AOptions) { return AOptions.IsAssigned(ioShowDescriptions); })
        .Bool("ShowShortCuts", &O::ShowShortCuts, &O::SetShowShortCuts)
        .Stored([](const O& AOptions) { return AOptions.IsAssigned(ioShowShortCuts); })
        .Enum("Size", &O::Size, &O::SetSize)
        .Stored([](const O& AOptions) { return AOptions.IsAssigned(ioSize); });
  });
}
