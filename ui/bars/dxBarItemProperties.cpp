// The published properties of the item classes, in their streaming order.
#include <mutex>

#include "platform/classes/typinfo.h"
#include "platform/vcl/graphics.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarScreenTip.h"
#include "ui/lookandfeel/cxStyles.h"

namespace {

// A property the item's action supplies is not stored with the item.
template <bool (TdxBarItemActionLink::*IsLinked)() const>
constexpr auto UnlessLinked = [](const TdxBarItem& AItem) {
  const TdxBarItemActionLink* link = AItem.ActionLink();
  return !(link && (link->*IsLinked)());
};

}  // namespace

void dxBarItemsRegisterProperties() {
  static std::once_flag once;
  std::call_once(once, [] {
    DefineEnumType<TdxBarItemAlign>("TdxBarItemAlign", {"iaLeft", "iaCenter", "iaRight", "iaClient"});
    DefineEnumType<TdxBarItemMergeKind>("TdxBarItemMergeKind", {"mkAdd", "mkMergeByCaption", "mkNone"});
    DefineEnumType<TdxBarPaintStyle>("TdxBarPaintStyle",
                                     {"psStandard", "psCaption", "psCaptionInMenu", "psCaptionGlyph"});
    DefineEnumType<TdxBarGlyphLayout>("TdxBarGlyphLayout", {"glLeft", "glRight", "glTop", "glBottom"});
    DefineEnumType<TdxBarButtonStyle>("TdxBarButtonStyle",
                                      {"bsDefault", "bsChecked", "bsDropDown", "bsCheckedDropDown"});

    using I = TdxBarItem;
    Published<I>()
        .Obj("Action", &I::Action, &I::SetAction)
        .Enum("Align", &I::Align, &I::SetAlign, iaLeft)
        .Str("Caption", &I::Caption, &I::SetCaption)
        .Stored(&I::IsCaptionStored)
        .Int("Category", &I::Category, &I::SetCategory)
        .Str("Description", &I::Description, &I::SetDescription)
        .Bool("Enabled", &I::Enabled, &I::SetEnabled, true)
        .Stored(UnlessLinked<&TdxBarItemActionLink::IsEnabledLinked>)
        .Int("HelpContext", &I::HelpContext, &I::SetHelpContext, 0)
        .Stored(UnlessLinked<&TdxBarItemActionLink::IsHelpContextLinked>)
        .Str("Hint", &I::Hint, &I::SetHint)
        .Stored(UnlessLinked<&TdxBarItemActionLink::IsHintLinked>)
        .Str("KeyTip", &I::KeyTip, &I::SetKeyTip)
        .Enum("MergeKind", &I::MergeKind, &I::SetMergeKind, mkAdd)
        .Int("MergeOrder", &I::MergeOrder, &I::SetMergeOrder, 0)
        .Obj("Style", &I::Style, &I::SetStyle)
        .Obj("ScreenTip", &I::ScreenTip, &I::SetScreenTip)
        .Enum("Visible", &I::Visible, &I::SetVisible)
        .Stored(UnlessLinked<&TdxBarItemActionLink::IsVisibleLinked>)
        .Event("OnDestroy", &I::OnDestroy);

    using B = TdxBarButton;
    Published<B>()
        .Bool("AllowAllUp", &B::AllowAllUp, &B::SetAllowAllUp, false)
        .Enum("ButtonStyle", &B::ButtonStyle, &B::SetButtonStyle, bsDefault)
        .Bool("CloseSubMenuOnClick", &B::CloseSubMenuOnClick, &B::SetCloseSubMenuOnClick, true)
        .Bool("DropDownEnabled", &B::DropDownEnabled, &B::SetDropDownEnabled, true)
        .Int("GroupIndex", &B::GroupIndex, &B::SetGroupIndex, 0)
        .Bool("Down", &B::Down, &B::SetDown, false)
        .Stored(UnlessLinked<&TdxBarItemActionLink::IsCheckedLinked>)
        .Obj("DropDownMenu", &B::DropDownMenu, &B::SetDropDownMenu)
        .Obj("Glyph", &B::Glyph, &B::SetGlyph)
        .Int("ImageIndex", &B::ImageIndex, &B::SetImageIndex, -1)
        .Stored(UnlessLinked<&TdxBarItemActionLink::IsImageIndexLinked>)
        .Obj("LargeGlyph", &B::LargeGlyph, &B::SetLargeGlyph)
        .Int("LargeImageIndex", &B::LargeImageIndex, &B::SetLargeImageIndex, -1)
        .Bool("Lowered", &B::Lowered, &B::SetLowered, false)
        .Enum("PaintStyle", &B::PaintStyle, &B::SetPaintStyle, psStandard)
        .Int("ShortCut", &B::ShortCut, &B::SetShortCut, 0)
        .Stored(UnlessLinked<&TdxBarItemActionLink::IsShortCutLinked>)
        .Bool("UnclickAfterDoing", &B::UnclickAfterDoing, &B::SetUnclickAfterDoing, true)
        .Event("OnClick", &B::OnClick)
        .Stored(UnlessLinked<&TdxBarItemActionLink::IsOnExecuteLinked>);

    using L = TdxBarLargeButton;
    Published<L>()
        .Bool("AutoGrayScale", &L::AutoGrayScale, &L::SetAutoGrayScale, true)
        .Enum("GlyphLayout", &L::GlyphLayout, &L::SetGlyphLayout, glTop)
        .Int("Height", &L::Height, &L::SetHeight, 0)
        .Obj("HotGlyph", &L::HotGlyph, &L::SetHotGlyph)
        .Int("HotImageIndex", &L::HotImageIndex, &L::SetHotImageIndex, -1)
        .Int("LargeImageIndex", &L::LargeImageIndex, &L::SetLargeImageIndex, -1)
        .Stored(UnlessLinked<&TdxBarItemActionLink::IsImageIndexLinked>)
        .Bool("ShowCaption", &L::ShowCaption, &L::SetShowCaption, true)
        .Int("Width", &L::Width, &L::SetWidth, 0)
        .Int("ImageIndex", &L::ImageIndex, &L::SetImageIndex, -1)
        .Stored(false)
        .Bool("SyncImageIndex", &L::SyncImageIndex, &L::SetSyncImageIndex, true);

    using S = TdxBarSeparator;
    Published<S>().Bool("ShowCaption", &S::ShowCaption, &S::SetShowCaption, true);

    for (TClass c : {TdxBarItem::StaticClass(), TdxBarButton::StaticClass(), TdxBarLargeButton::StaticClass(),
                     TdxBarLabel::StaticClass(), TdxBarSeparator::StaticClass(), TdxBarScreenTip::StaticClass(),
                     TcxStyle::StaticClass()})
      RegisterClass(c);
  });
}
