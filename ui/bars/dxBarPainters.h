// The bar painters: one stateless object that draws every bar, dock site,
// menu and item control of a bar manager and answers the layout questions that
// differ between styles. The manager makes its painter from a painter class
// through the class's virtual constructor, whose one argument is the
// look-and-feel's skin painter (always null here), and frees it.
//
// The operations of TdxBarPainter stand in slot order. Conventions:
//   colours   TColor: RGB or a system colour index with the high byte 0xFF;
//             clDefault (0x20000000) no colour, clNone (0x1FFFFFFF) transparent.
//   brushes   shared handles, never deleted by their users; a value n + 1
//             below 32 stands for the system colour brush of index n.
//   drawing   every drawing operation leaves the DC's selected objects, clip
//             region and background mode as it found them.
//   states    a mark state is 0 normal, 1 hot, 2 pressed.
#pragma once

#include <cstdint>
#include <string>

#include "platform/rtl/object.h"
#include "platform/rtl/types.h"
#include "ui/bars/dxBarTypes.h"
#include "ui/lookandfeel/cxClasses.h"

namespace win {
struct DeviceContext;
using HDC = DeviceContext*;
struct BrushObject;
using HBRUSH = BrushObject*;
}  // namespace win

class TBitmap;
class TFont;
class TcxCanvas;
class TcxLookAndFeel;
class TdxBarManager;
class TdxBar;
class TdxBarItemLinks;
class TCustomdxBarControl;
class TdxBarControl;
class TdxBarSubMenuControl;
class TdxBarApplicationMenuControl;
class TdxBarExtraPaneControl;
class TdxDockControl;
class TdxBarItemControl;
class TdxBarWinControl;
class TdxBarCustomEditControl;
class TdxBarComboControl;
class TdxBarItemControlDrawParams;
class TdxBarButtonLikeControlDrawParams;
class TdxBarEditLikeControlDrawParams;
class TdxBarStaticLikeControlDrawParams;
class TdxBarSeparatorControlDrawParams;
class TdxBarHintViewInfo;

#define DX_BAR_PAINTER_CLASS(Self, ParentClass) \
  DX_CLASS_WITH_FACTORY(Self, ParentClass, [](TObject* skinPainter) -> TObject* { return new Self(skinPainter); })

// A system colour brush in the "index + 1" form FillRect accepts.
win::HBRUSH SysColorBrushValue(int32_t AIndex);

class TdxBarPainter : public TcxIUnknownObject {
  DX_BAR_PAINTER_CLASS(TdxBarPainter, TcxIUnknownObject)
public:
  // The virtual constructor; the base ignores the skin painter.
  explicit TdxBarPainter(TObject* /*ASkinPainter*/) {}

  // ---- slot order
  virtual void BarFillClient(TCustomdxBarControl* ABarControl, win::HDC DC, const TRect& R);
  virtual void BarPaintOwnFrame(TCustomdxBarControl* ABarControl, win::HDC DC);
  virtual TRect FloatingBarClientRect(const TRect& AWindowRect);
  virtual bool PaintsOwnFrames();
  virtual bool NeedsDoubleBuffer();
  virtual bool AllowsLargeIcons();
  // AAlignment: 0 near, 1 centred, 2 far.
  virtual void LargeButtonLayout(TdxBarButtonLikeControlDrawParams* ADrawParams, TRect& AGlyphRect,
                                 TRect& ACaptionRect, int32_t& AAlignment);
  virtual void ItemDrawGlyphFrame(TdxBarItemControlDrawParams* ADrawParams, const TRect& R);
  // ASize 1 or 2: the check mark's scale.
  virtual void ItemDrawCheckAt(TdxBarItemControlDrawParams* ADrawParams, const TRect& ACheckRect, int32_t ASize);
  virtual void ItemDrawCheck(TdxBarItemControlDrawParams* ADrawParams, const TRect& AGlyphRect);
  // ADirection 1 points down, anything else right.
  virtual void ItemDrawArrow(win::HDC DC, const TRect& R, int32_t ADirection, TColor AColor, bool AFlat,
                             bool ASelected, bool AEnabled);
  virtual void ItemDrawLargeArrow(win::HDC DC, const TRect& R, int32_t ADirection, TColor AColor, bool AFlat,
                                  bool ASelected, bool AEnabled, int32_t ASize);
  virtual void ItemFrameSelection(TCustomdxBarControl* ABarControl, win::HDC DC, const TRect& R);
  virtual TColor ItemTextColor(bool ASelected, bool ANonFlat);
  virtual void ItemDisabledTextColors(bool ASelected, bool AFlat, TColor& ALightColor, TColor& ADarkColor);
  virtual TColor ItemCaptionTextColor(bool ASelected, bool ANonFlat);
  virtual TColor ItemStyleTextColor(TdxBarItemControl* AControl);
  virtual bool UseFadedImages(TCustomdxBarControl* ABarControl);
  virtual bool IsStandardStyle();
  virtual bool SubMenuPlainSeparators();
  virtual bool HasExtendedInterface();
  virtual bool KeepsPressedContentInPlace();
  virtual bool UsesItemStyleColors();
  // Screen position of the hint for ABarControl's rectangle AItemRect.
  virtual TPoint HintPositionCalc(TCustomdxBarControl* ABarControl, const TRect& AItemRect, int32_t AHeight,
                                  TPoint ACursorPos);
  // A new view info the caller owns; null until the hint view info exists.
  virtual TdxBarHintViewInfo* CreateHintViewInfo(TdxBarManager* AManager, const std::string& AText,
                                                 const std::string& AShortCut);
  virtual bool BarIsNarrow(const TRect& R);
  virtual TColor BarCaptionBackColor(bool AMainFormActive);
  virtual TColor BarCaptionTextColor(bool AMainFormActive);
  virtual TColor BarMarkArrowColorOf(int32_t AMarkState);
  virtual void BarDrawSizeGripGlyph(TCustomdxBarControl* ABarControl, win::HDC DC, const TRect& R);
  virtual void BarDrawMarkArrow(win::HDC DC, const TRect& R, int32_t AMarkState);
  // One chevron at X; AClientWidth places the chevrons of vertical bars.
  virtual void BarDrawMarkChevron(win::HDC DC, int32_t X, bool AVertical, bool ANarrow, int32_t AClientWidth);
  virtual void BarDrawMarkBackground(TdxBarControl* ABarControl, win::HDC DC, const TRect& R, int32_t AMarkState);
  // The mark's glyphs in AMarkRect of a bar (AHidesItems: the chevrons).
  virtual void BarDrawMark(win::HDC DC, const TRect& AMarkRect, bool AVertical, bool AHidesItems,
                           int32_t AClientWidth);
  virtual int32_t FloatingCaptionTextOffset(const TRect& AMarkButtonRect);
  virtual int32_t BarMarkElementColor();
  virtual void ItemDrawCaptionByParams(TdxBarItemControlDrawParams* ADrawParams, const std::string& ACaption,
                                       TRect R, uint32_t AFlags, int32_t AAlignment);
  virtual TRect ItemCaptionMargins();
  virtual TRect ItemCalcTextRect(TdxBarItemControlDrawParams* ADrawParams, const std::string& AText);
  virtual void SubItemAdjustWidth(TdxBarItemControl* AControl, int32_t& AWidth);
  virtual TdxBarItemControlDrawParams* AdjustDrawParams(TdxBarItemControlDrawParams* ADrawParams);
  // AHasDropDownPart False gives the empty rectangle at R's right.
  virtual TRect DropDownButtonRect(const TRect& R, bool AHasDropDownPart);
  virtual int32_t DropDownButtonWidth(int32_t AHeight);
  virtual void DropDownFillDot(TdxBarItemControlDrawParams* ADrawParams, const TRect& ADot);
  virtual void DropDownDrawDots(TdxBarItemControlDrawParams* ADrawParams, const TRect& R);
  virtual void ItemDrawLargeArrowByParams(TdxBarItemControlDrawParams* ADrawParams, const TRect& R,
                                          int32_t ADirection, TColor AColor);
  virtual void FillRectByColorOn(TcxCanvas* ACanvas, const TRect& R, TColor AColor);
  // AUp: the top button.
  virtual void SubMenuDrawScrollArrow(TdxBarSubMenuControl* ASubMenu, win::HDC DC, const TRect& AButtonRect, bool AUp,
                                      TColor AColor);
  virtual void SubMenuDrawScrollButtons(TdxBarSubMenuControl* ASubMenu, win::HDC DC);
  virtual void SubMenuDrawScrollButtonBack(TdxBarSubMenuControl* ASubMenu, win::HDC DC, const TRect& R);
  virtual void SubMenuDrawScrollButtonLine(TdxBarSubMenuControl* ASubMenu, win::HDC DC, const TRect& R);
  virtual TRect SubMenuScrollButtonRect(TdxBarSubMenuControl* ASubMenu, bool AUp);
  virtual int32_t SubMenuScrollButtonHeight(TdxBarSubMenuControl* ASubMenu);
  // AQuotient is A div 3 - 1, ARemainder A mod 3.
  virtual void DivideByThree(int32_t A, int32_t& AQuotient, int32_t& ARemainder);
  virtual void SubMenuDrawExpandArrows(TdxBarSubMenuControl* ASubMenu, win::HDC DC, const TRect& R, bool AHot);
  virtual void SubMenuDrawExpandButton(TdxBarSubMenuControl* ASubMenu, const TRect& R, bool AHot);
  virtual void SubMenuDrawExpandFrame(TdxBarSubMenuControl* ASubMenu, win::HDC DC, const TRect& R);
  virtual bool SubMenuDetachQuery(TdxBarSubMenuControl* ASubMenu);
  virtual TRect EditTextMargins(TdxBar* ABar, const TRect& R);
  virtual void DrawEmbossedArrow(win::HDC DC, const TRect& R, int32_t ADirection, bool AEnabled);
  virtual void DrawCenteredText(win::HDC DC, const std::string& AText, TRect R, TPoint AOffset, bool ATransparent);
  // Slot of the virtual constructor: the constructor above.
  virtual void ButtonCalcParts(TdxBarItemControl* AControl, const TRect& AItemRect, TRect& AContentRect,
                               TRect& AArrowRect);
  virtual void ItemCalcPartsCommon(TdxBarItemControl* AControl, const TRect& AItemRect);
  virtual void ComboCalcParts(TdxBarComboControl* AControl, const TRect& AItemRect);
  virtual void EditCalcParts(TdxBarCustomEditControl* AControl, const TRect& AItemRect);
  virtual void SpinCalcParts(TdxBarCustomEditControl* AControl, const TRect& AItemRect);
  virtual void ItemStyleColors(TdxBarItemControlDrawParams* ADrawParams, TColor& ALightColor, TColor& ADarkColor);
  // The border widths of the window's non-client area.
  virtual TRect BarCalcNonClient(TdxBarControl* ABarControl, bool AHasCaption, bool AWithSizeGrip);
  virtual int32_t ToolbarsAutoAlignOffset();
  virtual int32_t BarItemIndent(TCustomdxBarControl* ABarControl);
  // AItemSize: the links' item size option; AScaleFactor: the window's.
  virtual int32_t BarRowHeightByFont(int32_t AItemSize, double AScaleFactor, int32_t ADefaultItemHeight);
  virtual int32_t HalfFontHeight(TcxCanvas* ACanvas);
  virtual int32_t CaptionHeightOf(TcxCanvas* ACanvas);
  virtual int32_t PopupBorderWidth();
  virtual TRect ItemDrawGlyphAndText(const TRect& R, TSize AGlyphSize, TdxBarGlyphLayout ALayout, bool AVertical);
  // ABrush null: the parent bar paints its background into R.
  virtual void ItemFillOrParentBackground(TdxBarItemControlDrawParams* ADrawParams, const TRect& R,
                                          win::HBRUSH ABrush);
  virtual void ItemDrawBackgroundBrush(TdxBarItemControlDrawParams* ADrawParams, const TRect& R, win::HBRUSH ABrush);
  virtual void ItemDrawDisabledShadow(win::HDC DC, const TRect& R);
  virtual void ItemDrawTextByCanvas(TdxBarItemControlDrawParams* ADrawParams, const std::string& AText, TRect R,
                                    uint32_t AFlags);
  virtual void ItemDrawGlyph(TdxBarItemControlDrawParams* ADrawParams, const TRect& R);
  virtual void ItemDrawGlyphEx(TdxBarItemControlDrawParams* ADrawParams, const TRect& R, TSize AGlyphSize);
  virtual void ItemBeforePaint(TdxBarItemControlDrawParams* ADrawParams);
  virtual void ItemDrawCaption(TdxBarItemControl* AControl, win::HDC DC, const std::string& ACaption, TRect R,
                               uint32_t AFlags, bool AEnabled, bool ASelected, bool AInMenu, bool AVertical,
                               int32_t AAlignment, bool AClipped);
  virtual void DrawLoweredFrame(win::HDC DC, TRect& R);
  virtual void DrawButtonFace(TdxBarItemControlDrawParams* ADrawParams, const TRect& R, int32_t AState);
  virtual TRect CaptionOffsets();
  virtual win::HBRUSH GlyphBackgroundBrush(TdxBarItemControlDrawParams* ADrawParams);
  virtual int32_t ItemGlyphDownShift();
  virtual int32_t ItemGlyphPressedShift();
  virtual bool UsesFlatGlyphShadow();
  virtual bool IsFlatStyle();
  virtual bool IsFlatNotThemed();
  virtual bool ItemReservedQuery();
  virtual bool ItemIsHighlighted(TdxBarItemControlDrawParams* ADrawParams);
  virtual bool UsesGlyphShadow();
  virtual bool ItemWantsGlyphArea(TdxBarItemControlDrawParams* ADrawParams);
  virtual bool ButtonClassicLook();
  virtual int32_t ItemGapWidth();
  // AMenuFashion: the parent lays its items out as a menu does.
  virtual int32_t ItemBandIndent(bool AMenuFashion, int32_t ADefaultItemHeight);
  virtual int32_t BarGripIndent(TdxBarControl* ABarControl);
  virtual int32_t FrameWidth();
  virtual int32_t FrameHeight();
  virtual int32_t BarNoGripIndent(TdxBarControl* ABarControl);
  virtual int32_t BarGripAreaSize(TdxBarControl* ABarControl);
  virtual int32_t BarGripWidth();
  virtual int32_t ButtonArrowWidthOf(TdxBarManager* AManager);
  virtual int32_t LargeButtonArrowWidthOf(TdxBarManager* AManager);
  virtual int32_t SubMenuGroupIndent();
  virtual void DockFillBackground(TdxDockControl* ADockControl, win::HDC DC, const TRect& ADest,
                                  const TRect& ASource, TBitmap* ABitmap, TColor AColor);
  virtual bool HasNativeBackground();
  virtual bool BarChildShadows();
  // ADocked: the window is docked.
  virtual bool BarHasShadow(bool ADocked);
  // AParentDocked: the parent bar window is missing or docked.
  virtual bool BarShadowJoinsOwner(bool ADocked, bool AParentDocked);
  virtual win::HBRUSH BarOwnerBrush(TdxBarManager* AManager);
  virtual int32_t DockRowSpacing();
  virtual void BarFillDockedBackground(TdxBarControl* ABarControl, win::HDC DC, const TRect& R);
  virtual void BarFillBackground(TCustomdxBarControl* ABarControl, win::HDC DC, const TRect& ADest,
                                 const TRect& ASource, win::HBRUSH ABrush, TColor AColor);
  virtual void BarDrawOwnerFrame(TdxBarSubMenuControl* ASubMenu, win::HDC DC);
  virtual win::HBRUSH ToolbarBrush();
  virtual win::HBRUSH ToolbarBrushFor(TCustomdxBarControl* ABarControl);
  virtual win::HBRUSH DownItemBrush();
  virtual win::HBRUSH DownSelectedItemBrush();
  virtual win::HBRUSH SelectedItemBrush();
  // AZeroWidth: the width of "0" in the window's font.
  virtual int32_t ComboDropDownButtonWidth(int32_t AZeroWidth);
  virtual int32_t BarRowHeightFull(int32_t ARowHeight);
  virtual void BarBorderSizes(TdxBar* ABar, TdxBarDockingStyle AStyle, int32_t& AWidth, int32_t& AHeight);
  virtual void BarResizeHook(TCustomdxBarControl* ABarControl);
  virtual bool HasFlatLook();
  virtual bool BarShowsMark();
  virtual int32_t BarSeparatorIndent();
  virtual int32_t BarSeparatorSize();
  virtual TRect BarContentMargins();
  virtual int32_t BarContentMargin();
  virtual TRect BarMargins(TdxBar* ABar, TdxBarDockingStyle AStyle);
  virtual int32_t FloatingCaptionHeightPlus1();
  virtual void BarFillCaption(win::HDC DC, const TRect& R);
  virtual int32_t SmallCaptionHeight();
  virtual bool FillsCaptionBackground();
  virtual TSize CloseButtonSize();
  virtual void BarDrawBackgroundBitmap(TCustomdxBarControl* ABarControl, win::HDC DC, const TRect& ADest,
                                       const TRect& ASource, win::HBRUSH ABrush, TColor AColor);
  virtual void BarDrawSeparator(TCustomdxBarControl* ABarControl, win::HDC DC, TRect R, win::HBRUSH ABrush,
                                bool AHorizontal);
  // AState 0 normal, 1 hot, 2 pressed.
  virtual void BarDrawNonClient(TdxBarControl* ABarControl, win::HDC DC, const TRect& R, int32_t AState);
  virtual void BarDrawCaptionCloseButton(TdxBarControl* ABarControl, win::HDC DC, const TRect& R, int32_t AState);
  virtual void BarDrawDockedBorder(TdxBarControl* ABarControl, win::HDC DC, const TRect& R);
  virtual void BarDrawFloatingBorder(TdxBarControl* ABarControl, win::HDC DC, const TRect& R);
  virtual void BarDrawFloatingCaption(TdxBarControl* ABarControl, win::HDC DC, const TRect& R,
                                      win::HBRUSH ACaptionBrush);
  virtual void BarDrawCaptionMark(TdxBarControl* ABarControl, win::HDC DC, const TRect& R, int32_t AMarkState);
  virtual void BarDrawMarkFaded(TdxBarControl* ABarControl, win::HDC DC, const TRect& R);
  // The mark's background: the fading frame while the mark fades, else its state's.
  void BarDrawMarkFadedBackground(TdxBarControl* ABarControl, win::HDC DC, const TRect& R);
  virtual void BarPaintMDIButton(TdxBarControl* ABarControl, win::HDC DC, const TRect& R, int32_t AButton,
                                 int32_t AState);
  virtual void BarDrawSizeGripArea(TCustomdxBarControl* ABarControl, win::HDC DC, const TRect& R);
  virtual void BarDrawSizeGripGap(TCustomdxBarControl* ABarControl, win::HDC DC, const TRect& R);
  virtual int32_t FloatingFrameExtraWidth();
  virtual TRect BarMarkRectEx(TdxBarControl* ABarControl);
  virtual TRect BarMarkRect(TdxBarControl* ABarControl);
  virtual void BarRepaintMark(TdxBarControl* ABarControl);
  virtual int32_t FloatingFrameExtraTop();
  virtual int32_t FloatingFrameExtraBottom();
  virtual bool StandardFloatingQuery();
  virtual bool StandardMarkQuery();
  virtual int32_t BarMarkSize();
  virtual void BarDrawBackgroundPart(TCustomdxBarControl* ABarControl, win::HDC DC, const TRect& R,
                                     win::HBRUSH ABrush);
  virtual TRect EmptyRect();
  virtual int32_t SizeGripIndent();
  virtual TSize SizeGripSize();
  virtual win::HBRUSH ToolbarBrushEx(TCustomdxBarControl* ABarControl);
  // R: a row; its check-box part becomes square, its right edge is handed back.
  virtual int32_t QuickCustButtonRect(TRect& R);
  virtual void QuickCustDrawButton(TdxBarItemControlDrawParams* ADrawParams, const TRect& R, bool AChecked);
  virtual bool QuickPopupOnRight();
  virtual int32_t SeparatorBarMetric(TCustomdxBarControl* ABarControl);
  virtual TRect ItemTextMargins();
  virtual win::HBRUSH ItemBrushFor(TdxBarItemControlDrawParams* ADrawParams);
  virtual bool ItemShowsFrame(TdxBarItemControlDrawParams* ADrawParams);
  virtual bool ItemShowsFrameSelected(TdxBarItemControlDrawParams* ADrawParams);
  virtual bool ButtonArrowFlat();
  virtual bool ButtonArrowFlat2();
  virtual int32_t ButtonBorderHeight();
  virtual int32_t ButtonBorderWidth();
  virtual int32_t ButtonHeightWithBorder(int32_t AHeight);
  virtual int32_t ButtonWidthWithBorder(int32_t AWidth);
  virtual TSize ButtonSizeWithBorders(TSize ASize);
  virtual TSize ArrowSize();
  virtual void AdjustGlyphAreaWidth(TCustomdxBarControl* ABarControl, int32_t& AWidth);
  virtual void AdjustBackgroundOffset(TdxBarItemControlDrawParams* ADrawParams, TPoint& AOffset);
  virtual void OffsetPressedContent(TdxBarItemControlDrawParams* ADrawParams, TRect& R);
  virtual void OffsetPressedContent2(TdxBarItemControlDrawParams* ADrawParams, TRect& R);
  virtual void ButtonDrawContent(TdxBarButtonLikeControlDrawParams* ADrawParams, const TRect& R);
  virtual void ButtonDrawLayoutCaption(TdxBarButtonLikeControlDrawParams* ADrawParams, const TRect& R);
  virtual void ButtonDrawDropDownArrow(TdxBarButtonLikeControlDrawParams* ADrawParams, const TRect& R);
  virtual void ButtonDrawDropDownFace(TdxBarButtonLikeControlDrawParams* ADrawParams, const TRect& R);
  virtual void ButtonDrawDropDownPart(TdxBarButtonLikeControlDrawParams* ADrawParams, const TRect& R);
  virtual void SubItemDrawArrow(TdxBarButtonLikeControlDrawParams* ADrawParams, const TRect& R);
  virtual TColor ButtonFrameColor();
  virtual win::HBRUSH ButtonBrushFor(TdxBarItemControlDrawParams* ADrawParams);
  virtual int32_t DropDownArrowIndent();
  virtual TRect ComboBorderRect();
  virtual void ComboDrawButton(TdxBarItemControlDrawParams* ADrawParams, const TRect& R);
  virtual void ComboDrawPlainButton(TdxBarItemControlDrawParams* ADrawParams, const TRect& R);
  virtual int32_t DropDownBorderSize();
  // The frame of a drop-down window, R its window rectangle at the origin:
  // a dark outer line, the rest of the border in AColor (the list's colour).
  virtual void DropDownDrawBorder(win::HDC DC, TColor AColor, const TRect& R);
  virtual bool SubMenuHasSideBand();
  virtual bool SubMenuOffsetRecentGroup();
  virtual int32_t SubMenuScrollArrowsOffset();
  virtual int32_t SubMenuExpandButtonSize(int32_t ADefaultItemHeight);
  virtual int32_t SubMenuSeparatorHeight();
  virtual int32_t SubMenuItemHeightSum();
  virtual int32_t SubMenuItemSpacing();
  virtual int32_t SubMenuBorderWidth();
  // AZeroHeight: the height of "0" in the window's font.
  virtual void SubMenuCalcItemMetrics(int32_t ADefaultItemHeight, int32_t AZeroHeight, int32_t& AExpandButtonHeight,
                                      int32_t& AArrowPartWidth);
  virtual TRect SubMenuClientMargins();
  virtual int32_t SubMenuDetachCaptionSize(int32_t ADetachCaptionHeight);
  virtual int32_t SubMenuFieldMetric(int32_t ARowHeightByFont);
  virtual int32_t SubMenuRecentAreaWidth(TCustomdxBarControl* ABarControl, int32_t AGlyphAreaWidth,
                                         int32_t ARecentIndent);
  virtual int32_t SubMenuCaptionInset();
  virtual int32_t SubMenuReservedQuery();
  virtual int32_t SubMenuArrowBase(int32_t AHeight);
  virtual int32_t SubMenuItemMinHeight();
  virtual TRect SubMenuIconRect(const TRect& AEntryRect, int32_t AGlyphAreaWidth);
  virtual TRect SubMenuTextRect(const TRect& AEntryRect, int32_t AGlyphAreaWidth);
  virtual int32_t SubMenuTextIndent(int32_t AGlyphAreaWidth);
  // AFirstNonRecent: the entry begins a run of entries that are not recent.
  virtual TRect SubMenuSeparatorRect(const TRect& AEntryRect, bool AFirstNonRecent, int32_t ASeparatorThickness);
  virtual TRect SubMenuInnerRect(const TRect& R);
  virtual void SubMenuScrollHook(TdxBarSubMenuControl* ASubMenu);
  virtual void SubMenuFillBackground(TdxBarSubMenuControl* ASubMenu, win::HDC DC, const TRect& R,
                                     win::HBRUSH ABrush);
  virtual void SubMenuDrawBorder(TdxBarSubMenuControl* ASubMenu, win::HDC DC, const TRect& R);
  virtual void SubMenuDrawClientEdge(TdxBarSubMenuControl* ASubMenu, win::HDC DC, TRect& R, win::HBRUSH ABrush);
  virtual void SubMenuDrawDetachBand(TdxBarSubMenuControl* ASubMenu, win::HDC DC, const TRect& R, bool AHot);
  virtual void SubMenuDrawSeparatorItem(TdxBarItemControlDrawParams* ADrawParams, const TRect& R);
  virtual void SubMenuDrawItemSelection(TdxBarItemControlDrawParams* ADrawParams, const TRect& R);
  virtual void SubMenuDrawSeparator(win::HDC DC, const TRect& R);
  virtual void SubMenuItemBrushQuery(TdxBarSubMenuControl* ASubMenu, win::HBRUSH& ABrush);
  virtual int32_t SubMenuCaptionHeight(TcxCanvas* ACanvas);
  virtual win::HBRUSH SubMenuItemBrush();
  virtual void AppMenuDrawBorder(TdxBarApplicationMenuControl* AMenu, win::HDC DC, const TRect& R);
  virtual void AppMenuButtonDraw(TdxBarApplicationMenuControl* AMenu, win::HDC DC, const TRect& R);
  virtual void AppMenuFillBackground(TdxBarApplicationMenuControl* AMenu, win::HDC DC, const TRect& R,
                                     const TRect& AButtonRect, win::HBRUSH ABrush);
  virtual TRect AppMenuMargins();
  virtual void ExtraPaneFillBackground(TdxBarExtraPaneControl* APane, win::HDC DC, const TRect& R, TBitmap* ABitmap,
                                       win::HBRUSH ABrush);
  virtual void ExtraPaneDrawCaption(TdxBarExtraPaneControl* APane, win::HDC DC, const TRect& R, win::HBRUSH ABrush);
  virtual void EditDrawCaptionPart(TdxBarEditLikeControlDrawParams* ADrawParams, const TRect& R);
  virtual void ApplyLookAndFeel(TdxBarManager* AManager, TcxLookAndFeel* ALookAndFeel);
  virtual TColor EditBackColor();
  // ABarBrushColor: the colour of the parent bar's brush.
  virtual TColor EditDisabledBackColor(TColor ABarBrushColor);
  // AStyleColor: the item style's colour, clDefault for none.
  virtual TColor EditBackColorFor(bool AEnabled, TColor AStyleColor, TColor ABarBrushColor);
  virtual TColor EditTextColorEnabled();
  virtual TColor EditTextColorDisabled();
  virtual TColor EditTextColorFor(bool AEnabled, TColor AStyleTextColor);
  virtual void EditColors(bool AEnabled, TColor AStyleTextColor, TColor AStyleColor, TColor ABarBrushColor,
                          TColor& ATextColor, TColor& ABackColor);
  virtual bool EditAllowsFrame();
  virtual int32_t EditReservedQueryA();
  virtual bool EditParamsField(TdxBarEditLikeControlDrawParams* ADrawParams);
  virtual int32_t EditReservedQueryB();
  virtual int32_t EditBorderKind();
  virtual void EditHookA(TdxBarEditLikeControlDrawParams* ADrawParams);
  virtual void EditDrawBackground(TdxBarEditLikeControlDrawParams* ADrawParams, const TRect& R);
  virtual void EditHookB(TdxBarEditLikeControlDrawParams* ADrawParams);
  // AIndex -1: the combo's own text.
  virtual void ComboDrawItem(TdxBarComboControl* AControl, TcxCanvas* ACanvas, int32_t AIndex, const TRect& R);
  virtual void EditDrawContent(TdxBarEditLikeControlDrawParams* ADrawParams, const TRect& R);
  virtual TRect EditBorderRect();
  virtual void EditDrawCaptionArea(TdxBarEditLikeControlDrawParams* ADrawParams, const TRect& R);
  virtual void EditDrawBorderByState(TdxBarEditLikeControlDrawParams* ADrawParams, TRect& R);
  virtual void EditDrawCaptionText(TdxBarEditLikeControlDrawParams* ADrawParams, const TRect& R);
  virtual void EditDrawArrowFrame(TdxBarEditLikeControlDrawParams* ADrawParams, const TRect& R);
  virtual void EditDrawGlyphPart(TdxBarEditLikeControlDrawParams* ADrawParams, const TRect& R);
  virtual bool EditSelectedInMenu(bool AInMenu, bool ASelected, bool ADown);
  virtual bool EditActiveInMenu(bool AInMenu, bool ADown);
  virtual void EditPaint(TdxBarEditLikeControlDrawParams* ADrawParams, const TRect& R);
  virtual bool EditIsFlatKind();
  virtual TRect EditCaptionRect(TdxBarEditLikeControlDrawParams* ADrawParams, const TRect& R);
  virtual int32_t EditCaptionIndent(bool AInMenu);
  virtual int32_t EditIndentInMenu();
  virtual int32_t EditIndent();
  virtual int32_t EditGlyphIndent();
  virtual TRect EditTextOffset();
  virtual win::HBRUSH EditBrushOf(TCustomdxBarControl* ABarControl);
  virtual bool EditGlyphSelected();
  virtual void EditRefreshWindowText(TdxBarWinControl* AControl, const std::string& AText);
  virtual bool EditSelectedInMenuKind();
  virtual bool ColorComboFullFrame();
  virtual bool ColorComboHasColorRect(const TRect& AColorRect);
  virtual void ColorComboCalcParts(TdxBarComboControl* AControl, const TRect& AItemRect);
  virtual TRect DropDownButtonIndents();
  virtual void DropDownButtonState(TdxBarItemControlDrawParams* ADrawParams, const TRect& R, int32_t AState);
  virtual void DropDownDrawButton(TdxBarItemControlDrawParams* ADrawParams, const TRect& R, int32_t AState);
  virtual void DropDownDrawNonClient(TCustomdxBarControl* AWindow, win::HDC DC, const TRect& R, bool AAbove,
                                     bool ALeft);
  virtual void DropDownDrawGripArea(win::HDC DC, const TRect& R, bool AAbove, bool ALeft);
  virtual int32_t DropDownBottomPanelHeight();
  virtual bool DateIsFlat();
  virtual void DateDrawButton(win::HDC DC, const TRect& R, const std::string& ACaption, bool APressed);
  virtual TColor DateHeaderColor();
  virtual TPoint SpinArrowPos(const TRect& AButtonRect, bool AUp);
  virtual int32_t SpinCalcButtonWidth(int32_t AHeight);
  // ARows: (h - 2) div 2 rows; AWidth: 2 x rows - 1.
  virtual void SpinArrowSize(int32_t AButtonHeight, int32_t& AHalfHeight, int32_t& ARows, int32_t& AWidth);
  virtual void SpinCalcButtonRects(const TRect& R, TRect& AUpRect, TRect& ADownRect);
  virtual TRect SpinButtonIndents();
  virtual int32_t SpinButtonsWidth(int32_t AHeight);
  virtual int32_t SpinButtonState(bool AEnabled, bool APressed, bool AHot);
  virtual void SpinDrawButton(TdxBarEditLikeControlDrawParams* ADrawParams, const TRect& R, bool AUp, int32_t AState);
  virtual void SpinDrawFrame(TdxBarEditLikeControlDrawParams* ADrawParams, const TRect& R);
  virtual TColor ProgressBarColor();
  virtual bool ProgressStyleFlag();
  virtual int32_t ProgressBarHeight();
  virtual int32_t ItemSideBandWidth();
  virtual void ProgressDrawBar(TdxBarItemControlDrawParams* ADrawParams, const TRect& R, int32_t APosition,
                               int32_t AMin, int32_t AMax, bool AChunks);
  virtual void ProgressDrawFrame(TdxBarItemControlDrawParams* ADrawParams, TRect& R);
  virtual void ProgressDrawChunks(TdxBarItemControlDrawParams* ADrawParams, const TRect& ABand, bool AVertical);
  virtual void FillRectByBrush(TdxBarItemControlDrawParams* ADrawParams, const TRect& R, win::HBRUSH ABrush);
  virtual void FillRectByBrush2(TdxBarItemControlDrawParams* ADrawParams, const TRect& R, win::HBRUSH ABrush);
  virtual int32_t ContainerSubMenuOffset();
  virtual win::HBRUSH InPlaceSubItemBrush();
  virtual int32_t InPlaceSubItemMetric(TCustomdxBarControl* ABarControl);
  virtual int32_t InPlaceSubItemIndent();
  virtual bool InPlaceParamsField(TdxBarItemControlDrawParams* ADrawParams);
  virtual bool InPlaceFlag();
  virtual void InPlaceDrawArrow(TdxBarItemControlDrawParams* ADrawParams, const TRect& R);
  virtual void InPlaceDrawBackground(TdxBarItemControlDrawParams* ADrawParams, const TRect& R);
  virtual void InPlaceDrawContent(TdxBarItemControlDrawParams* ADrawParams, const TRect& R);
  virtual void StaticDrawBackground(TdxBarStaticLikeControlDrawParams* ADrawParams, const TRect& R);
  virtual void StaticDrawBorder(TdxBarStaticLikeControlDrawParams* ADrawParams, TRect& R);
  virtual void StaticDraw(TdxBarStaticLikeControlDrawParams* ADrawParams, const TRect& R);
  virtual TSize StaticMeasure(TdxBarStaticLikeControlDrawParams* ADrawParams);
  virtual bool StaticIsSelected(TdxBarStaticLikeControlDrawParams* ADrawParams);
  // ABorderStyle 0..4.
  virtual int32_t StaticBorderMargins(int32_t ABorderStyle);
  virtual TRect SeparatorMargins();
  virtual int32_t SeparatorSize();
  virtual void SeparatorDrawCaption(TdxBarSeparatorControlDrawParams* ADrawParams, const TRect& R);
  virtual void SeparatorDraw(TdxBarSeparatorControlDrawParams* ADrawParams, const TRect& R);
  virtual TColor SeparatorColor1();
  virtual TColor SeparatorColor2();
  virtual int32_t SeparatorSpacing();
  virtual void PaintHookA(TdxBarItemControlDrawParams* ADrawParams);
  virtual void PaintHookB(TdxBarItemControlDrawParams* ADrawParams);

  // ---- not a slot: the routine ButtonDrawContent takes for a menu entry.
  // ItemBeforePaint, the glyph (or check mark) in the icon column, the two
  // description lines of a large entry under its bold caption, the caption,
  // then the shortcut right-aligned before the arrow room.
  void SubMenuDrawItemContent(TdxBarButtonLikeControlDrawParams* ADrawParams, const TRect& R);
};

class TdxBarStandardPainter : public TdxBarPainter {
  DX_BAR_PAINTER_CLASS(TdxBarStandardPainter, TdxBarPainter)
public:
  using TdxBarPainter::TdxBarPainter;
};

class TdxBarEnhancedPainter : public TdxBarStandardPainter {
  DX_BAR_PAINTER_CLASS(TdxBarEnhancedPainter, TdxBarStandardPainter)
public:
  using TdxBarStandardPainter::TdxBarStandardPainter;
};

// The flat look: one-pixel selection frames in COLOR_HIGHLIGHT, no raised
// edges, striped grips and the manager's five flat brushes. Operations that
// take no window draw with the brushes of the first registered manager (all
// managers make them from the same system colours).
class TdxBarFlatPainter : public TdxBarPainter {
  DX_BAR_PAINTER_CLASS(TdxBarFlatPainter, TdxBarPainter)
public:
  using TdxBarPainter::TdxBarPainter;

  // ---- base operations the flat look overrides, in slot order
  void ItemDrawGlyphFrame(TdxBarItemControlDrawParams* ADrawParams, const TRect& R) override;
  void ItemDrawCheckAt(TdxBarItemControlDrawParams* ADrawParams, const TRect& ACheckRect, int32_t ASize) override;
  void ItemFrameSelection(TCustomdxBarControl* ABarControl, win::HDC DC, const TRect& R) override;
  TColor BarCaptionBackColor(bool AMainFormActive) override;
  TColor BarMarkArrowColorOf(int32_t AMarkState) override;
  void BarDrawMarkBackground(TdxBarControl* ABarControl, win::HDC DC, const TRect& R, int32_t AMarkState) override;
  int32_t FloatingCaptionTextOffset(const TRect& AMarkButtonRect) override;
  int32_t BarMarkElementColor() override;
  void SubMenuDrawScrollButtonLine(TdxBarSubMenuControl* ASubMenu, win::HDC DC, const TRect& R) override;
  void SubMenuDrawExpandFrame(TdxBarSubMenuControl* ASubMenu, win::HDC DC, const TRect& R) override;
  void DrawEmbossedArrow(win::HDC DC, const TRect& R, int32_t ADirection, bool AEnabled) override;
  int32_t BarItemIndent(TCustomdxBarControl* ABarControl) override;
  void ItemBeforePaint(TdxBarItemControlDrawParams* ADrawParams) override;
  void DrawLoweredFrame(win::HDC DC, TRect& R) override;
  void DrawButtonFace(TdxBarItemControlDrawParams* ADrawParams, const TRect& R, int32_t AState) override;
  win::HBRUSH GlyphBackgroundBrush(TdxBarItemControlDrawParams* ADrawParams) override;
  bool UsesFlatGlyphShadow() override;
  bool IsFlatStyle() override;
  bool ItemIsHighlighted(TdxBarItemControlDrawParams* ADrawParams) override;
  bool UsesGlyphShadow() override;
  int32_t ItemGapWidth() override;
  int32_t ItemBandIndent(bool AMenuFashion, int32_t ADefaultItemHeight) override;
  int32_t BarGripIndent(TdxBarControl* ABarControl) override;
  int32_t BarGripAreaSize(TdxBarControl* ABarControl) override;
  int32_t ButtonArrowWidthOf(TdxBarManager* AManager) override;
  int32_t LargeButtonArrowWidthOf(TdxBarManager* AManager) override;
  int32_t SubMenuGroupIndent() override;
  bool BarChildShadows() override;
  win::HBRUSH ToolbarBrush() override;
  win::HBRUSH ToolbarBrushFor(TCustomdxBarControl* ABarControl) override;
  win::HBRUSH DownItemBrush() override;
  win::HBRUSH DownSelectedItemBrush() override;
  win::HBRUSH SelectedItemBrush() override;
  int32_t BarSeparatorIndent() override;
  int32_t BarSeparatorSize() override;
  void BarDrawSeparator(TCustomdxBarControl* ABarControl, win::HDC DC, TRect R, win::HBRUSH ABrush,
                        bool AHorizontal) override;
  void BarDrawCaptionCloseButton(TdxBarControl* ABarControl, win::HDC DC, const TRect& R, int32_t AState) override;
  void BarDrawDockedBorder(TdxBarControl* ABarControl, win::HDC DC, const TRect& R) override;
  void BarDrawFloatingBorder(TdxBarControl* ABarControl, win::HDC DC, const TRect& R) override;
  void BarDrawCaptionMark(TdxBarControl* ABarControl, win::HDC DC, const TRect& R, int32_t AMarkState) override;
  void BarPaintMDIButton(TdxBarControl* ABarControl, win::HDC DC, const TRect& R, int32_t AButton,
                         int32_t AState) override;
  win::HBRUSH ToolbarBrushEx(TCustomdxBarControl* ABarControl) override;
  int32_t QuickCustButtonRect(TRect& R) override;
  void QuickCustDrawButton(TdxBarItemControlDrawParams* ADrawParams, const TRect& R, bool AChecked) override;
  bool QuickPopupOnRight() override;
  win::HBRUSH ItemBrushFor(TdxBarItemControlDrawParams* ADrawParams) override;
  void AdjustGlyphAreaWidth(TCustomdxBarControl* ABarControl, int32_t& AWidth) override;
  void AdjustBackgroundOffset(TdxBarItemControlDrawParams* ADrawParams, TPoint& AOffset) override;
  void ButtonDrawDropDownFace(TdxBarButtonLikeControlDrawParams* ADrawParams, const TRect& R) override;
  TColor ButtonFrameColor() override;
  win::HBRUSH ButtonBrushFor(TdxBarItemControlDrawParams* ADrawParams) override;
  void ComboDrawPlainButton(TdxBarItemControlDrawParams* ADrawParams, const TRect& R) override;
  int32_t SubMenuScrollArrowsOffset() override;
  int32_t SubMenuSeparatorHeight() override;
  void SubMenuCalcItemMetrics(int32_t ADefaultItemHeight, int32_t AZeroHeight, int32_t& AExpandButtonHeight,
                              int32_t& AArrowPartWidth) override;
  int32_t SubMenuDetachCaptionSize(int32_t ADetachCaptionHeight) override;
  int32_t SubMenuArrowBase(int32_t AHeight) override;
  int32_t SubMenuItemMinHeight() override;
  TRect SubMenuIconRect(const TRect& AEntryRect, int32_t AGlyphAreaWidth) override;
  TRect SubMenuTextRect(const TRect& AEntryRect, int32_t AGlyphAreaWidth) override;
  int32_t SubMenuTextIndent(int32_t AGlyphAreaWidth) override;
  TRect SubMenuSeparatorRect(const TRect& AEntryRect, bool AFirstNonRecent, int32_t ASeparatorThickness) override;
  TRect SubMenuInnerRect(const TRect& R) override;
  void SubMenuDrawBorder(TdxBarSubMenuControl* ASubMenu, win::HDC DC, const TRect& R) override;
  void SubMenuDrawClientEdge(TdxBarSubMenuControl* ASubMenu, win::HDC DC, TRect& R, win::HBRUSH ABrush) override;
  void SubMenuDrawDetachBand(TdxBarSubMenuControl* ASubMenu, win::HDC DC, const TRect& R, bool AHot) override;
  void SubMenuDrawSeparatorItem(TdxBarItemControlDrawParams* ADrawParams, const TRect& R) override;
  void SubMenuDrawSeparator(win::HDC DC, const TRect& R) override;
  int32_t SubMenuCaptionHeight(TcxCanvas* ACanvas) override;
  win::HBRUSH SubMenuItemBrush() override;
  int32_t ContainerSubMenuOffset() override;
  bool InPlaceParamsField(TdxBarItemControlDrawParams* ADrawParams) override;
  bool InPlaceFlag() override;
  void StaticDrawBorder(TdxBarStaticLikeControlDrawParams* ADrawParams, TRect& R) override;

  // ---- slots the flat painters add, in order
  virtual void FlatDrawEditFrame(TdxBarItemControlDrawParams* ADrawParams, const TRect& R, bool ASelected,
                                 bool ADown, bool AInMenu);
  virtual win::HBRUSH FlatItemBrush(TCustomdxBarControl* ABarControl);
  virtual win::HBRUSH FlatStaticBorderBrush();
  virtual void FlatDrawBarFrame(TCustomdxBarControl* ABarControl, win::HDC DC, const TRect& R);
  virtual void FlatDrawBarShadow(TCustomdxBarControl* AOwnerBar, TCustomdxBarControl* AChild, win::HDC DC);
  virtual void FlatDrawOwnerFrame(TCustomdxBarControl* ABarControl, win::HDC DC, const TRect& R);
  virtual void FlatDrawOwnerLink(TCustomdxBarControl* ABarControl, win::HDC DC, const TRect& R);
  virtual TColor FlatSeparatorColor();
};

// The Office 2003 look: gradient docks, bars, marks and buttons, rounded bar
// ends, dotted grips and a coloured glyph band in menus, all in the colours
// below. Horizontal bars (docked top or bottom, floating) take vertical
// gradients, bars docked left or right horizontal ones.
class TdxBarOffice11Painter : public TdxBarFlatPainter {
  DX_BAR_PAINTER_CLASS(TdxBarOffice11Painter, TdxBarFlatPainter)
public:
  using TdxBarFlatPainter::TdxBarFlatPainter;

  void ItemDrawGlyphFrame(TdxBarItemControlDrawParams* ADrawParams, const TRect& R) override;
  void ItemDrawArrow(win::HDC DC, const TRect& R, int32_t ADirection, TColor AColor, bool AFlat, bool ASelected,
                     bool AEnabled) override;
  void ItemDrawLargeArrow(win::HDC DC, const TRect& R, int32_t ADirection, TColor AColor, bool AFlat,
                          bool ASelected, bool AEnabled, int32_t ASize) override;
  void ItemFrameSelection(TCustomdxBarControl* ABarControl, win::HDC DC, const TRect& R) override;
  TColor ItemTextColor(bool ASelected, bool ANonFlat) override;
  void ItemDisabledTextColors(bool ASelected, bool AFlat, TColor& ALightColor, TColor& ADarkColor) override;
  bool UseFadedImages(TCustomdxBarControl* ABarControl) override;
  bool SubMenuPlainSeparators() override;
  TColor BarCaptionBackColor(bool AMainFormActive) override;
  TColor BarCaptionTextColor(bool AMainFormActive) override;
  TColor BarMarkArrowColorOf(int32_t AMarkState) override;
  void BarDrawMarkBackground(TdxBarControl* ABarControl, win::HDC DC, const TRect& R, int32_t AMarkState) override;
  void BarDrawMark(win::HDC DC, const TRect& AMarkRect, bool AVertical, bool AHidesItems,
                   int32_t AClientWidth) override;
  void BarDrawMarkFaded(TdxBarControl* ABarControl, win::HDC DC, const TRect& R) override;
  void SubMenuDrawExpandArrows(TdxBarSubMenuControl* ASubMenu, win::HDC DC, const TRect& R, bool AHot) override;
  void ItemBeforePaint(TdxBarItemControlDrawParams* ADrawParams) override;
  void DrawButtonFace(TdxBarItemControlDrawParams* ADrawParams, const TRect& R, int32_t AState) override;
  bool UsesFlatGlyphShadow() override;
  bool UsesGlyphShadow() override;
  bool ButtonClassicLook() override;
  int32_t BarGripIndent(TdxBarControl* ABarControl) override;
  int32_t FrameWidth() override;
  int32_t FrameHeight() override;
  int32_t BarNoGripIndent(TdxBarControl* ABarControl) override;
  // ABitmap is the dock site's gradient cache: sized and filled when empty.
  void DockFillBackground(TdxDockControl* ADockControl, win::HDC DC, const TRect& ADest, const TRect& ASource,
                          TBitmap* ABitmap, TColor AColor) override;
  bool HasNativeBackground() override;
  bool BarHasShadow(bool ADocked) override;
  win::HBRUSH BarOwnerBrush(TdxBarManager* AManager) override;
  void BarFillDockedBackground(TdxBarControl* ABarControl, win::HDC DC, const TRect& R) override;
  void BarFillBackground(TCustomdxBarControl* ABarControl, win::HDC DC, const TRect& ADest, const TRect& ASource,
                         win::HBRUSH ABrush, TColor AColor) override;
  void BarDrawOwnerFrame(TdxBarSubMenuControl* ASubMenu, win::HDC DC) override;
  win::HBRUSH ToolbarBrush() override;
  win::HBRUSH ToolbarBrushFor(TCustomdxBarControl* ABarControl) override;
  win::HBRUSH DownItemBrush() override;
  win::HBRUSH DownSelectedItemBrush() override;
  win::HBRUSH SelectedItemBrush() override;
  int32_t ComboDropDownButtonWidth(int32_t AZeroWidth) override;
  TRect BarMargins(TdxBar* ABar, TdxBarDockingStyle AStyle) override;
  void BarDrawSeparator(TCustomdxBarControl* ABarControl, win::HDC DC, TRect R, win::HBRUSH ABrush,
                        bool AHorizontal) override;
  void BarDrawNonClient(TdxBarControl* ABarControl, win::HDC DC, const TRect& R, int32_t AState) override;
  // R: the window rectangle in the DC's coordinates.
  void BarDrawDockedBorder(TdxBarControl* ABarControl, win::HDC DC, const TRect& R) override;
  void BarDrawFloatingBorder(TdxBarControl* ABarControl, win::HDC DC, const TRect& R) override;
  TRect BarMarkRectEx(TdxBarControl* ABarControl) override;
  win::HBRUSH ToolbarBrushEx(TCustomdxBarControl* ABarControl) override;
  win::HBRUSH ItemBrushFor(TdxBarItemControlDrawParams* ADrawParams) override;
  TColor ButtonFrameColor() override;
  win::HBRUSH ButtonBrushFor(TdxBarItemControlDrawParams* ADrawParams) override;
  void ComboDrawPlainButton(TdxBarItemControlDrawParams* ADrawParams, const TRect& R) override;
  void DropDownDrawBorder(win::HDC DC, TColor AColor, const TRect& R) override;
  bool SubMenuHasSideBand() override;
  void SubMenuCalcItemMetrics(int32_t ADefaultItemHeight, int32_t AZeroHeight, int32_t& AExpandButtonHeight,
                              int32_t& AArrowPartWidth) override;
  int32_t SubMenuDetachCaptionSize(int32_t ADetachCaptionHeight) override;
  TRect SubMenuInnerRect(const TRect& R) override;
  void SubMenuFillBackground(TdxBarSubMenuControl* ASubMenu, win::HDC DC, const TRect& R,
                             win::HBRUSH ABrush) override;
  void SubMenuDrawBorder(TdxBarSubMenuControl* ASubMenu, win::HDC DC, const TRect& R) override;
  void SubMenuDrawClientEdge(TdxBarSubMenuControl* ASubMenu, win::HDC DC, TRect& R, win::HBRUSH ABrush) override;
  void SubMenuDrawDetachBand(TdxBarSubMenuControl* ASubMenu, win::HDC DC, const TRect& R, bool AHot) override;
  win::HBRUSH SubMenuItemBrush() override;
  TColor EditDisabledBackColor(TColor ABarBrushColor) override;
  TColor EditTextColorDisabled() override;
  int32_t EditBorderKind() override;
  void EditDrawBackground(TdxBarEditLikeControlDrawParams* ADrawParams, const TRect& R) override;
  TRect EditBorderRect() override;
  void EditDrawBorderByState(TdxBarEditLikeControlDrawParams* ADrawParams, TRect& R) override;
  bool EditIsFlatKind() override;
  TColor DateHeaderColor() override;
  win::HBRUSH InPlaceSubItemBrush() override;
  win::HBRUSH FlatItemBrush(TCustomdxBarControl* ABarControl) override;
  win::HBRUSH FlatStaticBorderBrush() override;
  void FlatDrawOwnerFrame(TCustomdxBarControl* ABarControl, win::HDC DC, const TRect& R) override;
  void FlatDrawOwnerLink(TCustomdxBarControl* ABarControl, win::HDC DC, const TRect& R) override;
  TColor FlatSeparatorColor() override;

  // ---- slots the Office 2003 painter adds, in order
  // Grip dots in R; AVertical: the dots run down a column.
  virtual void Office11DrawGradient(win::HDC DC, const TRect& R, bool AVertical);
  // The dock-coloured margin before a bordered docked bar.
  virtual int32_t Office11EndMargin();
};

// The Office 2003 colours by role, read from the colour set: its scheme row
// while a visual style shows a known scheme, else mixes of system colours.
// Mark colours take the mark state (0 normal, 1 hot, 2 pressed).
TColor Office11DockColor1();
TColor Office11DockColor2();
TColor Office11BarColor1();
TColor Office11BarColor2();
TColor Office11MarkColor1(int32_t AMarkState);
TColor Office11MarkColor2(int32_t AMarkState);
TColor Office11MarkEdgeColor(int32_t AMarkState);
TColor Office11BarBorderColor();
TColor Office11BarCornerColor();
TColor Office11SeparatorDarkColor();
TColor Office11SeparatorLightColor();
TColor Office11MarkArrowColor();
TColor Office11MarkArrowShadowColor();
TColor Office11FloatingBorderColor();
TColor Office11CaptionTextColor();
TColor Office11SelectionFrameColor();
TColor Office11HotColor1();
TColor Office11HotColor2();
TColor Office11PressedColor1();
TColor Office11PressedColor2();
TColor Office11FaceLightColor();
TColor Office11DownColor();
TColor Office11DownSelectedColor();
TColor Office11DetachBandColor();
TColor Office11MenuTextColor();
TColor Office11DisabledTextColor();
TColor Office11InPlaceLineColor();

class TdxBarXPPainter : public TdxBarPainter {
  DX_BAR_PAINTER_CLASS(TdxBarXPPainter, TdxBarPainter)
public:
  using TdxBarPainter::TdxBarPainter;
};

using TdxBarPainterClass = TClass;

// The painter class of the skin style (5); nothing here changes it.
inline TdxBarPainterClass dxBarSkinPainterClass = TdxBarStandardPainter::StaticClass();
