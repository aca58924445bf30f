// The published properties of the status bar, its panels and the panel
// styles, in their streaming order. A panel streams its style's class name
// before the style, so reading a form makes the style first and then fills it.
#include <mutex>

#include "platform/classes/typinfo.h"
#include "platform/vcl/graphics.h"
#include "platform/vcl/imglist.h"
#include "ui/bars/dxStatusBar.h"

namespace {

// One accessor pair per key appearance.
template <TdxStatusBarKeyboardState State>
constexpr auto kGetAppearance = [](TdxStatusBarKeyboardStatePanelStyle& s) { return s.Appearance(State); };
template <TdxStatusBarKeyboardState State>
constexpr auto kSetAppearance = [](TdxStatusBarKeyboardStatePanelStyle& s, TdxStatusBarKeyStateAppearance* v) {
  s.SetAppearance(State, v);
};

}  // namespace

void dxStatusBarRegisterProperties() {
  static std::once_flag once;
  std::call_once(once, [] {
    PTypeInfo color = DefineIntegerType("TColor", otSLong, IdentToColor, ColorToIdent);
    DefineEnumType<TAlignment>("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
    DefineEnumType<TBiDiMode>("TBiDiMode",
                              {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"});
    DefineEnumType<TdxStatusBarPaintStyle>(
        "TdxStatusBarPaintStyle", {"stpsStandard", "stpsFlat", "stpsXP", "stpsOffice11", "stpsUseLookAndFeel"});
    DefineEnumType<TdxStatusBarPanelBevel>("TdxStatusBarPanelBevel", {"dxpbNone", "dxpbLowered", "dxpbRaised"});
    DefineEnumType<TdxStatusBarEllipsisType>("TdxStatusBarEllipsisType", {"dxetNone", "dxetTruncate", "dxetSmartPath"});
    DefineEnumType<TdxStatusBarStateIndicatorType>(
        "TdxStatusBarStateIndicatorType", {"sitOff", "sitYellow", "sitBlue", "sitGreen", "sitRed", "sitTeal", "sitPurple"});
    PTypeInfo keyboardStates = DefineSetType(
        "TdxStatusBarKeyboardStates",
        DefineEnumType<TdxStatusBarKeyboardState>(
            "TdxStatusBarKeyboardState", {"dxksCapsLock", "dxksNumLock", "dxksScrollLock", "dxksInsert"}));

    using S = TdxStatusBar;
    Published<S>()
        .Obj("Images", &S::Images, &S::SetImages)
        .Obj("Panels", &S::Panels, &S::SetPanels)
        .Enum("PaintStyle", &S::PaintStyle, &S::SetPaintStyle, stpsStandard)
        .Bool("SizeGrip", &S::SizeGrip, &S::SetSizeGrip, true)
        .Obj("LookAndFeel", &S::LookAndFeel, &S::SetLookAndFeel)
        .Event("OnHint", &S::OnHint)
        .Int("BorderWidth", &S::BorderWidth, &S::SetBorderWidth, 0)
        .Enum("BiDiMode", &S::BiDiMode, &S::SetBiDiMode)
        .Stored([](S& s) { return !s.ParentBiDiMode(); })
        .Bool("ParentBiDiMode", &S::ParentBiDiMode, &S::SetParentBiDiMode, true);

    using P = TdxStatusBarPanel;
    Published<P>()
        .Str("PanelStyleClassName", &P::PanelStyleClassName, &P::SetPanelStyleClassName)
        .Obj("PanelStyle", &P::PanelStyle, &P::SetPanelStyle)
        .Event("PanelStyleEvents", &P::PanelStyleEvents)
        .Enum("Bevel", &P::Bevel, &P::SetBevel, dxpbLowered)
        .Enum("BiDiMode", &P::BiDiMode, &P::SetBiDiMode)
        .Stored([](P& p) { return !p.ParentBiDiMode(); })
        .Bool("Fixed", &P::Fixed, &P::SetFixed, true)
        .Int("MinWidth", &P::MinWidth, &P::SetMinWidth)
        .Stored([](P& p) { return p.MinWidthAssigned(); })
        .Bool("ParentBiDiMode", &P::ParentBiDiMode, &P::SetParentBiDiMode, true)
        .Str("Text", &P::Text, &P::SetText)
        .Bool("Visible", &P::Visible, &P::SetVisible, true)
        .Int("Width", &P::Width, &P::SetWidth)
        .Stored([](P& p) { return p.WidthAssigned(); })
        .Event("OnClick", &P::OnClick)
        .Event("OnDblClick", &P::OnDblClick)
        .Event("OnDrawPanel", &P::OnDrawPanel, "TdxStatusBarDrawPanelEvent");

    using T = TdxStatusBarTextPanelStyle;
    Published<T>()
        .Enum("Alignment", &T::Alignment, &T::SetAlignment, taLeftJustify)
        .Bool("AutoHint", &T::AutoHint, &T::SetAutoHint, false)
        .Int("Color", &T::Color, &T::SetColor)
        .Type(color)
        .Stored([](T& t) { return t.ColorAssigned(); })
        .Int("ImageIndex", &T::ImageIndex, &T::SetImageIndex, -1)
        .Enum("EllipsisType", &T::EllipsisType, &T::SetEllipsisType, dxetNone)
        .Obj("Font", &T::Font, &T::SetFont)
        .Stored([](T& t) { return !t.ParentFont(); })
        .Bool("ParentFont", &T::ParentFont, &T::SetParentFont, true)
        .Event("OnGetText", &T::OnGetText, "TdxStatusBarTextEvent");

    using I = TdxStatusBarStateIndicatorPanelStyle;
    Published<I>()
        .Int("Color", &I::Color, &I::SetColor)
        .Type(color)
        .Stored([](I& i) { return i.ColorAssigned(); })
        .Obj("Indicators", &I::Indicators, &I::SetIndicators)
        .Int("Spacing", &I::Spacing, &I::SetSpacing, 4);
    using L = TdxStatusBarStateIndicatorItem;
    Published<L>()
        .Enum("IndicatorType", &L::IndicatorType, &L::SetIndicatorType, sitOff)
        .Bool("Visible", &L::Visible, &L::SetVisible, true);

    using A = TdxStatusBarKeyStateAppearance;
    Published<A>()
        .Int("ActiveFontColor", &A::ActiveFontColor, &A::SetActiveFontColor)
        .Type(color)
        .Int("InactiveFontColor", &A::InactiveFontColor, &A::SetInactiveFontColor)
        .Type(color)
        .Default(clBtnShadow)
        .Str("ActiveCaption", &A::ActiveCaption, &A::SetActiveCaption)
        .Str("InactiveCaption", &A::InactiveCaption, &A::SetInactiveCaption);
    using K = TdxStatusBarKeyboardStatePanelStyle;
    Published<K>()
        .Int("Color", &K::Color, &K::SetColor)
        .Type(color)
        .Stored([](K& k) { return k.ColorAssigned(); })
        .Obj("Font", &K::Font, &K::SetFont)
        .Stored([](K& k) { return !k.ParentFont(); })
        .Set("KeyboardStates", &K::KeyboardStates, &K::SetKeyboardStates, keyboardStates,
             dxAllKeyboardStates.Bits())
        .Bool("FullRect", &K::FullRect, &K::SetFullRect, false)
        .Obj("CapsLockKeyAppearance", kGetAppearance<dxksCapsLock>, kSetAppearance<dxksCapsLock>)
        .Obj("NumLockKeyAppearance", kGetAppearance<dxksNumLock>, kSetAppearance<dxksNumLock>)
        .Obj("ScrollLockKeyAppearance", kGetAppearance<dxksScrollLock>, kSetAppearance<dxksScrollLock>)
        .Obj("InsertKeyAppearance", kGetAppearance<dxksInsert>, kSetAppearance<dxksInsert>)
        .Bool("ParentFont", &K::ParentFont, &K::SetParentFont, true);

    using C = TdxStatusBarContainerPanelStyle;
    Published<C>()
        .Bool("AlignControl", &C::AlignControl, &C::SetAlignControl, true)
        .Obj("Container", &C::Container, &C::SetContainer);
  });
}
