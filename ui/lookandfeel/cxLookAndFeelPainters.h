// The look-and-feel painters: the drawing and measuring of the controls'
// common parts (buttons, frames, arrows, check boxes, headers, panels, scroll-
// bar parts, a clock ...) in one of the five styles.
//
// A painter is a class, never an object. Each painter class is one stateless
// instance reached through a TcxLookAndFeelPainterClass pointer, which stands
// for the class reference: controls hold that pointer and call through it, a
// descendant changes the look by overriding, and nothing is ever copied.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/sysutils.h"
#include "platform/rtl/types.h"
#include "ui/lookandfeel/cxClasses.h"
#include "ui/lookandfeel/cxGraphics.h"

class TCustomImageList;
class TImageList;
class TFont;
enum TAlignment : uint8_t;  // taLeftJustify, taRightJustify, taCenter

enum TcxAlignmentVert : uint8_t { vaTop, vaBottom, vaCenter };
enum TcxLookAndFeelKind : uint8_t { lfFlat, lfStandard, lfUltraFlat, lfOffice11 };
enum TcxButtonPaintState : uint8_t { bpsDefault, bpsNormal, bpsHot, bpsPressed, bpsDisabled };
enum TcxArrowPaintDirection : uint8_t { adUp, adDown, adLeft, adRight };
enum TcxScrollBarPaintPart : uint8_t { sbpNone, sbpLineUp, sbpLineDown, sbpThumbnail, sbpPageUp, sbpPageDown };
enum TcxCheckPaintState : uint8_t { cbsUnchecked, cbsChecked, cbsGrayed };

// Called with (canvas, rect); True when it has painted the background itself.
// Present when not empty.
using TcxCustomDrawBackgroundEvent = std::function<bool(TcxCanvas*, const TRect&)>;

using TcxArrowPoints = std::array<TPoint, 3>;

// What PaintContent and the header and panel operations put in a rectangle.
struct TcxPainterContent {
  TcxCustomDrawBackgroundEvent CustomDraw;
  TColor BkColor = clDefault;
  TColor TextColor = clDefault;
  TFont* Font = nullptr;
  std::string Text;  // empty: no text
  TAlignment AlignHorz = TAlignment(0);
  TcxAlignmentVert AlignVert = vaTop;
  bool MultiLine = false;
  bool ShowEndEllipsis = false;
  TRect TextRect;
};

// The three scalar outputs of NavigationButtonMetrics.
struct TcxNavigationButtonMetrics {
  TRect Borders;
  bool HasTextArea = true;
  TSize GlyphSize;
};

// Style numbers of StyleId.
inline constexpr uint8_t cxStyleFlat = 0, cxStyleStandard = 1, cxStyleUltraFlat = 2, cxStyleNative = 3,
                         cxStyleOffice11 = 4;

// The arrow of a scroll bar's line button: part 1 points up (left when
// horizontal), any other part down (right).
TcxArrowPaintDirection ScrollArrowDirection(bool horizontal, TcxScrollBarPaintPart part);

// DrawText flags from alignments, multi-line and ellipsis.
uint16_t cxPainterTextFlags(TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine, bool endEllipsis);

class TcxCustomLookAndFeelPainter;
// The class reference of a painter.
using TcxLookAndFeelPainterClass = const TcxCustomLookAndFeelPainter*;

class TcxCustomLookAndFeelPainter {
public:
  static TcxLookAndFeelPainterClass Class();
  virtual ~TcxCustomLookAndFeelPainter() = default;
  TcxCustomLookAndFeelPainter(const TcxCustomLookAndFeelPainter&) = delete;
  TcxCustomLookAndFeelPainter& operator=(const TcxCustomLookAndFeelPainter&) = delete;

  // Triangle of an arrow: two base corners, then the apex.
  static TcxArrowPoints ArrowTrianglePoints(TRect r, int32_t size, bool proportional, TcxArrowPaintDirection dir);

  // --- Background, content and panels
  virtual void PaintBackground(TcxCanvas* c, const TRect& r, TBitmap* bitmap, TColor color, bool transparent) const;
  virtual void PaintDropArrow(TcxCanvas* c, const TRect& r, TColor color) const;
  // state and flatFill are for descendants.
  virtual void PaintContent(TcxCanvas* c, const TRect& r, const TcxPainterContent& content,
                            TcxButtonPaintState state = bpsNormal, bool flatFill = false) const;
  virtual void PaintPanel(TcxCanvas* c, const TRect& r, TcxBorders borders) const;
  virtual void PaintNavigationButton(TcxCanvas* c, const TRect& r, const TRect& glyphRect, bool next,
                                     TcxButtonPaintState state) const;
  virtual TRect ContentTextRect(const TRect& r) const;
  virtual TRect ContentTextRectWithPadding(const TRect& r) const;
  virtual uint8_t StyleId() const { return cxStyleStandard; }
  virtual bool UsesNativeDrawing() const { return false; }

  // --- Default colours
  virtual TColor ContentColor() const { return clWindow; }
  virtual TColor ContentOddColor(uint8_t) const { return ContentColor(); }
  virtual TColor ContentEvenColor(uint8_t) const { return ContentColor(); }
  virtual TColor ContentTextColor() const { return clWindowText; }
  virtual TColor ContentColorFor(bool v) const { return ContentColorOf(v); }
  virtual TColor ContentColorOf(bool) const { return clDefault; }
  virtual TColor ContentTextColorFor(bool v) const { return ContentTextColorOf(v); }
  virtual TColor ContentTextColorOf(bool) const { return clDefault; }
  virtual TColor DefaultColor1() const { return clBtnShadow; }
  virtual TColor DefaultColor2() const { return clBtnHighlight; }
  virtual TColor DefaultColor3() const { return clBtnText; }
  virtual TColor DefaultColor4() const { return clBtnFace; }
  virtual TColor DefaultColor5(uint8_t) const { return clBtnText; }
  virtual TColor DefaultColor6() const { return clBtnFace; }
  virtual TColor DefaultColor7() const { return clBtnShadow; }
  virtual TColor DefaultColor8() const { return clBtnShadow; }
  virtual TColor DefaultColor9() const { return clBtnFace; }
  virtual TColor DefaultColor10() const { return clBtnFace; }
  virtual TColor DefaultColor11() const { return clBtnText; }
  virtual TColor DefaultColor12(uint8_t) const { return clBtnShadow; }
  virtual TColor DefaultColor13(uint8_t) const { return clBtnFace; }
  virtual TColor DefaultColor14(uint8_t) const { return clBtnFace; }
  virtual TColor DefaultColor15(uint8_t) const { return clBtnText; }
  virtual TColor DefaultColor16() const { return TColor(0xFF0000); }  // #0000FF
  virtual TColor DefaultColor17() const { return clBtnFace; }
  virtual TColor DefaultColor18() const { return clBtnText; }
  virtual TColor DefaultColor19() const { return TColor(0xFF0000); }
  virtual TColor DefaultColor20(uint8_t) const { return DefaultColor7(); }
  virtual TColor DefaultColor21() const { return clBtnFace; }
  virtual TColor DefaultColor22(uint8_t) const { return DefaultColor27(); }
  virtual TColor DefaultColor23(uint8_t s) const { return DefaultColor14(s); }
  virtual TColor DefaultColor24() const { return clDefault; }
  virtual TColor DefaultColor25(uint8_t s) const { return DefaultColor14(s); }
  virtual TColor DefaultColor26(uint8_t s) const { return DefaultColor15(s); }
  virtual TColor DefaultColor27() const { return TColor(0x000000); }
  virtual TColor DefaultColor28() const;
  virtual TColor DefaultColor29() const { return clBtnFace; }
  virtual TColor DefaultColor30(bool selected, uint8_t s) const { return selected ? clHighlightText : DefaultColor15(s); }
  virtual TColor DefaultColor31() const { return TColor(0x0000FF); }  // #FF0000
  virtual TColor DefaultColor32() const { return clGrayText; }
  virtual TColor DefaultColor33() const { return clHighlight; }
  virtual TColor DefaultColor34() const { return clHighlightText; }
  virtual TColor DefaultColor35() const { return clBtnShadow; }
  virtual TColor DefaultColor36() const { return clWindow; }
  virtual TColor DefaultColor37() const { return clWindowText; }
  virtual TColor DefaultColor38() const { return TColor(0x000080); }  // RGB(128, 0, 0)
  virtual TColor DefaultColor39() const { return TColor(0x800000); }  // #000080
  virtual TColor DefaultColor40() const { return clWindow; }
  virtual TColor DefaultColor41() const { return clWindowText; }
  virtual TColor DefaultColor42() const { return TColor(0x9D9DA1); }  // #A19D9D
  virtual TColor DefaultColor43() const { return clBtnFace; }
  virtual TColor DefaultColor44() const { return clBtnFace; }
  virtual TColor DefaultColor45(uint8_t s) const { return DefaultColor14(s); }
  virtual TColor DefaultColor46(uint8_t s) const { return DefaultColor15(s); }
  virtual TColor DefaultColor47() const { return TColor(0xD5FFFF); }  // #FFFFD5
  virtual TColor DefaultColor48(uint8_t) const { return DefaultColor51(); }
  virtual TColor DefaultColor49() const { return clWindowText; }
  virtual TColor DefaultColor50() const { return clHighlight; }
  virtual TColor DefaultColor51() const { return clHighlightText; }
  virtual TColor DefaultColor52() const { return clBtnFace; }
  virtual TColor DefaultColor53() const { return clBtnFace; }
  virtual TColor DefaultColor54() const { return clBtnText; }
  virtual TColor DefaultColor55(uint8_t) const { return clBtnFace; }
  virtual TColor DefaultColor56() const { return TColor(0xFFFFFF); }
  virtual TColor DefaultColor57() const { return TColor(0x000000); }
  virtual TColor DefaultColor58() const { return clBtnFace; }
  virtual TColor DefaultColor59() const { return clBtnText; }
  virtual TColor DefaultColor60(uint8_t) const { return TColor(0xFFFFFF); }
  virtual TColor DefaultColor61() const { return TColor(0x000000); }
  virtual TColor DefaultColor62() const { return TColor(0x000000); }
  virtual TColor DefaultColor63() const { return TColor(0x000000); }
  virtual TColor DefaultColor64() const { return TColor(0xCFCFCF); }
  virtual TColor DefaultColor65() const { return TColor(0xFFFFFF); }
  virtual TColor DefaultColor66() const { return clBtnShadow; }
  virtual TColor DefaultColor67() const { return TColor(0xF0CAA6); }  // #A6CAF0
  virtual TColor DefaultColor68() const { return TColor(0x800000); }  // #000080
  virtual TColor DefaultColor69() const { return clBtnShadow; }
  virtual TColor DefaultColor70() const { return clBtnShadow; }

  // --- Arrows, frames and buttons
  virtual void PaintArrow(TcxCanvas* c, const TRect& r, TColor color, TcxArrowPaintDirection dir) const;
  virtual void PaintArrowButton(TcxCanvas* c, const TRect& r, bool withFrame, TcxArrowPaintDirection dir,
                                TcxButtonPaintState state) const;
  virtual void PaintArrowButtonFace(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const;
  virtual void PaintScrollArrow(TcxCanvas* c, const TRect& r, TcxArrowPaintDirection dir,
                                TcxButtonPaintState state) const;
  virtual int32_t ControlFrameWidth() const { return 0; }
  virtual void PaintControlFrame(TcxCanvas*, const TRect&) const {}
  virtual TRect GroupedButtonRect(const TRect& r, int32_t, int32_t) const { return r; }
  virtual int32_t ButtonFrameWidth(TcxButtonPaintState) const { return 0; }
  virtual TColor ButtonFaceColor(TcxButtonPaintState) const { return clBtnFace; }
  virtual TRect FocusRectOfButton(TcxCanvas* c, const TRect& r) const;
  virtual TRect GroupedButtonFrameWidths(int32_t count, int32_t index) const;
  virtual int32_t ButtonTextIndent() const { return 0; }
  virtual int32_t PressedContentShift() const { return 0; }
  virtual TColor ButtonGlyphColor(TcxButtonPaintState state, TColor defaultColor) const;
  virtual TcxButtonPaintState ButtonGlyphState(TcxButtonPaintState state) const { return state; }
  virtual void PaintButton(TcxCanvas* c, const TRect& r, std::string_view caption, TcxButtonPaintState state,
                           TColor faceColor = clDefault, TColor textColor = clDefault, bool withFrame = true,
                           bool wordWrap = false, bool toolbarLook = false) const;
  // frameColor: the frame of an idle button in a group; clDefault for the painter's own.
  virtual void PaintGroupedButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state, int32_t index,
                                  int32_t count, TColor frameColor = clDefault) const;
  virtual void PaintButtonFrame(TcxCanvas*, const TRect&, TcxButtonPaintState) const {}
  virtual void PaintGroupedButtonFrame(TcxCanvas*, const TRect&, bool, bool) const {}
  virtual void PaintExpandBox(TcxCanvas*, const TRect&, TColor, bool) const {}
  virtual bool ExpandBoxPaintedFirst() const { return true; }
  virtual void PaintGroupExpandButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state, bool expanded) const;
  virtual void PaintSmallExpandBox(TcxCanvas* c, const TRect& r, TColor faceColor, TColor frameColor,
                                   bool expanded) const;
  virtual int32_t ExpandBoxSize() const { return 0; }
  virtual int32_t GroupExpandButtonExtent() const { return 15; }
  virtual bool HotTrackButtons() const { return false; }
  virtual bool HitGroupExpandButton(const TRect& r, TPoint p) const { return r.Contains(p); }
  virtual int32_t SmallExpandBoxSize() const { return 9; }
  virtual int32_t CheckFrameWidth() const { return 2; }
  virtual TColor CheckFaceColor(TcxButtonPaintState state) const;
  virtual TSize CheckBoxExtent() const;
  virtual void PaintCheckMark(TcxCanvas* c, const TRect& r, TcxButtonPaintState state, bool checked,
                              TColor color) const;
  virtual void PaintCheckFrame(TcxCanvas*, const TRect&, TcxButtonPaintState) const {}
  virtual void PaintCheckBoxChecked(TcxCanvas* c, const TRect& r, TcxButtonPaintState state, bool checked) const;
  virtual void PaintCheckBox(TcxCanvas* c, const TRect& r, TcxButtonPaintState state,
                             TcxCheckPaintState checkState) const;
  virtual void PaintRadioButton(TcxCanvas* c, int32_t left, int32_t top, TcxButtonPaintState state, bool checked,
                                bool flagA, TColor bkColor, bool flagB) const;
  virtual TSize RadioButtonExtent() const;
  virtual void PaintEtchedLine(TcxCanvas* c, const TRect& r, bool vertical, TColor lightColor = clDefault,
                               TColor darkColor = clDefault) const;
  virtual int32_t EtchedLineWidth() const { return 2; }

  // --- Header cells, header sections and sort arrows
  virtual void PaintHeader(TcxCanvas* c, const TRect& r, int32_t extraA, int32_t extraB,
                           const TcxPainterContent& content, TcxButtonPaintState state, TcxBorders borders,
                           uint8_t frameFlags) const;
  virtual void PaintHeaderPlain(TcxCanvas* c, const TRect& r, const TcxPainterContent& content,
                                TcxButtonPaintState state, TcxBorders borders, uint8_t frameFlags) const;
  virtual void PaintHeaderFrame(TcxCanvas*, const TRect&, TcxBorders, uint8_t) const {}
  virtual void InvertHeaderRect(TcxCanvas* c, const TRect& r) const;
  virtual void PaintHeaderSection(TcxCanvas* c, const TRect& r, const TRect& textRect, TcxButtonPaintState state,
                                  TcxBorders borders, const TcxPainterContent& content) const;
  virtual void PaintHeaderSectionFrame(TcxCanvas*, const TRect&, TcxButtonPaintState, TcxBorders) const {}
  virtual void PaintHeaderSectionContent(TcxCanvas* c, const TRect& r, TColor color, const TcxPainterContent& content,
                                         TcxButtonPaintState state) const;
  virtual void PaintHeaderSectionText(TcxCanvas* c, const TRect& r, const TcxPainterContent& content,
                                      TcxButtonPaintState state) const;
  virtual void PaintInsetBand(TcxCanvas* c, const TRect& r, const TcxViewParams& params, TColor color,
                              int32_t sideWidth) const;
  virtual void PaintSortArrow(TcxCanvas*, const TRect&, bool) const {}
  virtual TcxBorders HeaderFrameBorders(uint8_t) const { return cxBordersAll; }
  virtual int32_t HeaderFrameWidth() const { return 0; }
  virtual TRect HeaderOuterRect(const TRect& r, uint8_t neighbours, TcxBorders borders) const;
  virtual TRect HeaderInnerRect(const TRect& r, TcxBorders borders) const;
  virtual bool HeaderOptionA() const { return true; }
  virtual int32_t HeaderGlyphAreaWidth(int32_t width) const { return width + 2 * HeaderFrameWidth() + 4; }
  virtual int32_t HeaderSectionFrameWidth(TcxButtonPaintState) const { return 1; }
  virtual TRect HeaderSectionTextRect(const TRect& r, TcxButtonPaintState state) const;
  virtual TRect HeaderSectionContentRect(const TRect& r, TcxButtonPaintState state) const;
  virtual int32_t HeaderTextWidth(TcxCanvas* c, uint8_t borderBits, TFont* font, std::string_view text) const;
  virtual bool HotTrackHeaders() const { return false; }
  virtual TPoint HeaderSortArrowRoom(TcxButtonPaintState) const { return {16, SortArrowSize().Y}; }
  virtual TPoint SortArrowSize() const { return {0, 0}; }
  virtual void PaintAltBackground(TcxCanvas* c, const TRect& r, TBitmap* bitmap, TColor color,
                                  bool transparent) const {
    PaintBackground(c, r, bitmap, color, transparent);
  }
  virtual bool HeaderOptionAFor(uint8_t) const { return HeaderOptionA(); }

  // --- Panels, panel cells and small buttons
  virtual TColor DefaultColor12For(uint8_t s) const { return DefaultColor12(s); }
  virtual TColor DefaultColor13For(uint8_t s) const { return DefaultColor13(s); }
  virtual int32_t PanelExtent() const { return 15; }
  virtual int32_t PanelFrameWidth() const { return 0; }
  virtual int32_t PanelCellFrameWidth() const { return 0; }
  virtual int32_t PanelCellOffset() const { return 0; }
  virtual bool PanelCellsPaintedFirst() const { return true; }
  virtual TColor PanelSeparatorColor() const { return clBtnShadow; }
  virtual int32_t PanelSeparatorWidth() const { return 1; }
  virtual void PaintPanelCell(TcxCanvas* c, const TRect& r, const TcxPainterContent& content) const;
  virtual void PaintPanelCellContent(TcxCanvas* c, const TRect& r, const TcxPainterContent& content) const;
  virtual void PaintPanelFrame(TcxCanvas*, const TRect&) const {}
  virtual void PaintPanelCellFrame(TcxCanvas*, const TRect&) const {}
  virtual void PaintPanelArea(TcxCanvas* c, const TRect& r, const TcxViewParams& params) const;
  virtual void PaintPanelSeparator(TcxCanvas* c, const TRect& r) const;
  virtual void PaintPanelCheckBox(TcxCanvas* c, const TRect& r, TcxButtonPaintState state, bool checked) const {
    PaintCheckBoxChecked(c, r, state, checked);
  }
  virtual void PaintCloseButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const;
  virtual void PaintDropDownButton(TcxCanvas*, const TRect&, TcxButtonPaintState, bool) const {}
  virtual void PaintActivateBackground(TcxCanvas* c, const TRect& r, TBitmap* bitmap, TColor color,
                                       bool transparent) const {
    PaintBackground(c, r, bitmap, color, transparent);
  }
  virtual TPoint ActivateButtonExtent() const { return {13, 13}; }
  virtual TPoint CloseButtonExtent() const { return {16, 14}; }
  virtual TPoint DropDownButtonExtent() const { return {15, 0}; }
  virtual void PaintWindowFace(TcxCanvas* c, const TRect& r) const;
  virtual bool PopupFrameRaised() const { return true; }
  virtual void PaintTab(TcxCanvas*, const TRect&, bool /*showPrefix*/, TColor /*bkColor*/, TColor /*textColor*/,
                        TFont*, bool /*vertical*/, TcxButtonPaintState, std::string_view, TcxBorders) const {}
  virtual void PaintTabFrame(TcxCanvas*, const TRect&, bool, TcxBorders, TcxBorder) const {}
  virtual void PaintTabsRoot(TcxCanvas*, const TRect&, bool, TcxBorders) const {}
  virtual bool TabPaintedByPainter(bool) const { return false; }
  virtual bool HotTrackTabs(bool) const { return false; }
  virtual int32_t TabFrameWidth(bool) const { return 0; }

  // --- Indicators, scroll bars, navigation and progress
  virtual void PaintListGlyph(TcxCanvas* c, const TRect& r, TColor color) const;
  // kind 1-6 (0: no image).
  virtual void PaintIndicatorImage(TcxCanvas* c, const TRect& r, int32_t kind) const;
  virtual void PaintIndicatorHeader(TcxCanvas* c, const TRect& r, const TcxCustomDrawBackgroundEvent& customDraw,
                                    TColor bkColor, int32_t kind) const;
  virtual void PaintIndicatorPlain(TcxCanvas* c, const TRect& r, const TcxCustomDrawBackgroundEvent& customDraw,
                                   TColor bkColor, int32_t kind) const;
  virtual bool ScrollBarOptionA() const { return true; }
  virtual int32_t ScrollThumbMinSize(bool) const { return 8; }
  virtual void PaintScrollBarBackground(TcxCanvas* c, const TRect& r, bool horizontal) const {
    PaintScrollBarPart(c, horizontal, bpsNormal, sbpPageUp, r);
  }
  virtual void PaintScrollBarPart(TcxCanvas*, bool, TcxButtonPaintState, TcxScrollBarPaintPart,
                                  const TRect&) const {}
  virtual TSize ScrollBarExtent() const;
  virtual void PaintSizeGrip(TcxCanvas* c, const TRect& r, TColor color) const;
  // buttonRect changes; textHeight1/2 are the caption heights measured by the caller.
  virtual void NavigationButtonLayout(bool next, bool rotated, TRect& buttonRect, TRect& glyphRect, TRect& textRect,
                                      int32_t textHeight1, int32_t textHeight2) const;
  virtual void PaintMarkedHeader(TcxCanvas* c, const TRect& r, const TcxCustomDrawBackgroundEvent& customDraw,
                                 const TcxViewParams& params, TColor textColor, TFont* font, std::string_view text,
                                 uint8_t neighbours, int32_t inset, uint8_t markKind) const;
  virtual void PaintControlFrameAlias(TcxCanvas* c, const TRect& r) const { PaintControlFrame(c, r); }
  virtual void PaintProgressBar(TcxCanvas* c, const TRect& r, bool plain, const TcxViewParams& params,
                                const TRect& barRect) const;
  virtual void PaintNavigationButtonRotated(TcxCanvas* c, const TRect& r, const TRect& glyphRect,
                                            const TRect& textRect, std::string_view caption,
                                            TcxButtonPaintState state, bool next) const;
  virtual void PaintNavigationGlyph(TcxCanvas* c, const TRect& r, TColor color, bool next) const;
  virtual void PaintToolButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const {
    PaintButton(c, r, {}, state);
  }
  virtual void PaintSplitterFrame(TcxCanvas*, const TRect&, bool, const TcxViewParams&) const {}
  virtual TRect ProgressBarMargins() const { return {2, 2, 2, 2}; }
  virtual TColor NavigationGlyphColor(TcxButtonPaintState state, TColor defaultColor, bool) const {
    return ButtonGlyphColor(state, defaultColor);
  }
  virtual TcxNavigationButtonMetrics NavigationButtonMetrics(bool next) const;
  virtual int32_t InfoFrameWidth() const { return 1; }
  virtual void PaintClock(TcxCanvas* c, const TRect& r, TDateTime time, TColor bkColor) const;

  // --- Editors, text, group boxes and the rest
  virtual void PaintEditButton(TcxCanvas*, const TRect&, TcxButtonPaintState, uint8_t) const {}
  virtual int32_t EditButtonTextIndent() const { return 0; }
  virtual TSize EditButtonExtent() const { return {0, 0}; }
  virtual TColor EditButtonCaptionColor() const { return clDefault; }
  virtual TColor ContainerFrameColor(bool) const { return clDefault; }
  virtual void PaintCaptionBar(TcxCanvas* c, TRect& r) const;
  virtual void PaintImage(TcxCanvas* c, TCustomImageList* images, int32_t index, const TRect& r,
                          bool enabled) const;
  virtual TSize ImageAreaExtent() const { return {0, 0}; }
  virtual void PaintExtraA(TcxCanvas*, const TRect&) const {}
  virtual void PaintExtraB(TcxCanvas*, const TRect&) const {}
  virtual void PaintMarkedText(TcxCanvas* c, const TRect& r, const TRect& clipRect, std::string_view text,
                               bool vertical, TColor color, bool plain) const;
  virtual TRect MarkedTextMargins() const { return {}; }
  virtual TColor MarkedTextColor() const { return MarkedTextColorFor(false); }
  virtual TColor MarkedTextColorFor(bool marked) const { return marked ? clDefault : clWindowText; }
  virtual void AdjustAreaRect(TRect&) const {}
  virtual void PaintGroupBoxArea(TcxCanvas*, const TRect&) const {}
  virtual void PaintGroupBoxCaption(TcxCanvas*, const TRect&) const {}
  virtual void PaintGroupBoxFrame(TcxCanvas*, const TRect&, TcxBorders, uint8_t, bool) const {}
  virtual TRect GroupBoxFrameMargins(std::string_view, uint8_t) const { return {}; }
  virtual TColor GroupBoxCaptionColor(bool enabled) const { return enabled ? clWindowText : clBtnShadow; }
  virtual int32_t GroupBoxCaptionGap(uint8_t) const { return 0; }
  virtual void PaintGroupBoxBackground(TcxCanvas*, TObject*, TColor, TColor, TRect& r) const { AdjustAreaRect(r); }
  virtual void PaintExtraC() const {}
  virtual void PaintGroupBoxAreaAlias(TcxCanvas* c, const TRect& r) const { PaintGroupBoxArea(c, r); }
  virtual void PaintSheetFace(TcxCanvas* c, const TRect& r) const;
  virtual TRect SheetMargins() const { return {}; }
  virtual TColor SheetColor() const { return clDefault; }
  virtual void PaintExtraD() const {}
  virtual void PaintExtraE() const {}
  virtual TSize ExtraExtentA() const { return {0, 0}; }
  virtual TColor ExtraColorA() const { return clDefault; }
  virtual int32_t ExtraValueA() const { return 0; }
  virtual void PaintExtraF() const {}
  virtual TSize ExtraExtentB() const { return {0, 0}; }
  virtual TColor StatusFaceColor() const { return clBtnFace; }
  virtual void PaintStatusFace(TcxCanvas* c, const TRect& r) const;
  virtual TRect StatusMargins() const { return {2, 2, 4, 4}; }
  virtual void PaintStatusSeparator(TcxCanvas* c, const TRect& r) const;
  // kind 0 or 1.
  virtual void PaintShadowedFrame(TcxCanvas* c, const TRect& frameRect, bool fillContent, uint8_t kind,
                                  const TRect& contentRect) const;
  virtual int32_t ShadowAlpha(uint8_t) const { return 128; }

protected:
  TcxCustomLookAndFeelPainter() = default;
};

// The classic three-dimensional look: two-level edges from the system colours
// and the platform's frame controls for scroll-bar arrows.
class TcxStandardLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
public:
  static TcxLookAndFeelPainterClass Class();

  uint8_t StyleId() const override { return cxStyleStandard; }
  TColor DefaultColor47() const override { return clWindow; }
  int32_t ControlFrameWidth() const override { return 2; }
  void PaintControlFrame(TcxCanvas* c, const TRect& r) const override;
  int32_t ButtonFrameWidth(TcxButtonPaintState state) const override { return state == bpsDefault ? 3 : 2; }
  int32_t ButtonTextIndent() const override { return 1; }
  int32_t PressedContentShift() const override { return 1; }
  void PaintButtonFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const override;
  void PaintExpandBox(TcxCanvas* c, const TRect& r, TColor color, bool expanded) const override;
  void PaintGroupExpandButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state, bool expanded) const override;
  int32_t ExpandBoxSize() const override { return 12; }
  bool HotTrackButtons() const override { return false; }
  void PaintCheckFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const override;
  void PaintHeaderFrame(TcxCanvas* c, const TRect& r, TcxBorders borders, uint8_t flags) const override;
  void PaintHeaderSectionFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState state,
                               TcxBorders borders) const override;
  void PaintSortArrow(TcxCanvas* c, const TRect& r, bool ascending) const override;
  int32_t HeaderFrameWidth() const override { return 1; }
  int32_t HeaderSectionFrameWidth(TcxButtonPaintState state) const override { return state == bpsPressed ? 1 : 2; }
  TPoint SortArrowSize() const override { return {8, 7}; }
  int32_t PanelFrameWidth() const override { return 1; }
  int32_t PanelCellFrameWidth() const override { return 1; }
  int32_t PanelCellOffset() const override { return 1; }
  void PaintPanelFrame(TcxCanvas* c, const TRect& r) const override;
  void PaintPanelCellFrame(TcxCanvas* c, const TRect& r) const override;
  void PaintDropDownButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state, bool active) const override;
  void PaintTabFrame(TcxCanvas* c, const TRect& r, bool vertical, TcxBorders borders, TcxBorder side) const override;
  void PaintTabsRoot(TcxCanvas* c, const TRect& r, bool vertical, TcxBorders borders) const override;
  int32_t TabFrameWidth(bool) const override { return 1; }
  void PaintScrollBarPart(TcxCanvas* c, bool horizontal, TcxButtonPaintState state, TcxScrollBarPaintPart part,
                          const TRect& r) const override;
  void PaintMarkedHeader(TcxCanvas* c, const TRect& r, const TcxCustomDrawBackgroundEvent& customDraw,
                         const TcxViewParams& params, TColor textColor, TFont* font, std::string_view text,
                         uint8_t neighbours, int32_t inset, uint8_t markKind) const override;
  void PaintSplitterFrame(TcxCanvas* c, const TRect& r, bool horizontal, const TcxViewParams& params) const override;
  void PaintGroupBoxFrame(TcxCanvas* c, const TRect& r, TcxBorders borders, uint8_t captionPosition,
                          bool enabled) const override;

protected:
  TcxStandardLookAndFeelPainter() = default;
};

// The standard parts with one-level edges.
class TcxFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
public:
  static TcxLookAndFeelPainterClass Class();

  uint8_t StyleId() const override { return cxStyleFlat; }
  int32_t ControlFrameWidth() const override { return 1; }
  void PaintControlFrame(TcxCanvas* c, const TRect& r) const override;
  int32_t ButtonFrameWidth(TcxButtonPaintState state) const override { return state == bpsDefault ? 2 : 1; }
  int32_t ButtonTextIndent() const override { return 1; }
  int32_t PressedContentShift() const override { return 1; }
  void PaintButtonFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const override;
  void PaintExpandBox(TcxCanvas* c, const TRect& r, TColor color, bool expanded) const override;
  int32_t ExpandBoxSize() const override { return 11; }
  bool HotTrackButtons() const override { return false; }
  void PaintCheckFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const override;
  void PaintHeaderFrame(TcxCanvas* c, const TRect& r, TcxBorders borders, uint8_t flags) const override;
  void PaintHeaderSectionFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState state,
                               TcxBorders borders) const override;
  void PaintSortArrow(TcxCanvas* c, const TRect& r, bool ascending) const override;
  int32_t HeaderFrameWidth() const override { return 1; }
  TPoint SortArrowSize() const override { return {8, 7}; }
  int32_t PanelFrameWidth() const override { return 1; }
  int32_t PanelCellFrameWidth() const override { return 1; }
  int32_t PanelCellOffset() const override { return 1; }
  void PaintPanelFrame(TcxCanvas* c, const TRect& r) const override;
  void PaintPanelCellFrame(TcxCanvas* c, const TRect& r) const override;
  void PaintDropDownButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state, bool active) const override;
  void PaintTabFrame(TcxCanvas* c, const TRect& r, bool vertical, TcxBorders borders, TcxBorder side) const override;
  void PaintTabsRoot(TcxCanvas* c, const TRect& r, bool vertical, TcxBorders borders) const override;
  int32_t TabFrameWidth(bool) const override { return 1; }
  void PaintScrollBarPart(TcxCanvas* c, bool horizontal, TcxButtonPaintState state, TcxScrollBarPaintPart part,
                          const TRect& r) const override;
  void PaintSplitterFrame(TcxCanvas* c, const TRect& r, bool horizontal, const TcxViewParams& params) const override;
  void PaintCaptionBar(TcxCanvas* c, TRect& r) const override;
  void PaintGroupBoxFrame(TcxCanvas* c, const TRect& r, TcxBorders borders, uint8_t captionPosition,
                          bool enabled) const override;

protected:
  TcxFlatLookAndFeelPainter() = default;
};

// Single-pixel frames with hot-tracking: the default kind of every look-and-feel.
class TcxUltraFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
public:
  static TcxLookAndFeelPainterClass Class();

  // The frame of the drop-down (filter) button: clBtnShadow when normal, else clHighlight.
  virtual TColor FilterFrameColor(TcxButtonPaintState state) const;
  virtual TColor TabFrameColor() const { return clBtnShadow; }
  virtual TColor TabSelectedColor() const { return clBtnText; }
  virtual TColor HotFrameColor(TcxCanvas*, const TRect&) const { return clHighlight; }

  void PaintPanel(TcxCanvas* c, const TRect& r, TcxBorders borders) const override;
  void PaintNavigationButton(TcxCanvas* c, const TRect& r, const TRect& glyphRect, bool next,
                             TcxButtonPaintState state) const override;
  uint8_t StyleId() const override { return cxStyleUltraFlat; }
  TColor DefaultColor42() const override { return clBtnShadow; }
  int32_t ControlFrameWidth() const override { return 1; }
  void PaintControlFrame(TcxCanvas* c, const TRect& r) const override;
  int32_t ButtonFrameWidth(TcxButtonPaintState state) const override { return state == bpsDefault ? 2 : 1; }
  TColor ButtonFaceColor(TcxButtonPaintState state) const override;
  TRect FocusRectOfButton(TcxCanvas* c, const TRect& r) const override;
  TRect GroupedButtonFrameWidths(int32_t count, int32_t index) const override;
  int32_t ButtonTextIndent() const override { return 2; }
  int32_t PressedContentShift() const override { return 0; }
  TColor ButtonGlyphColor(TcxButtonPaintState state, TColor defaultColor) const override;
  TcxButtonPaintState ButtonGlyphState(TcxButtonPaintState) const override { return bpsNormal; }
  void PaintGroupedButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state, int32_t index, int32_t count,
                          TColor frameColor = clDefault) const override;
  void PaintButtonFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const override;
  void PaintGroupedButtonFrame(TcxCanvas* c, const TRect& r, bool hot, bool pressed) const override;
  void PaintExpandBox(TcxCanvas* c, const TRect& r, TColor color, bool expanded) const override;
  int32_t ExpandBoxSize() const override { return 11; }
  bool HotTrackButtons() const override { return true; }
  void PaintCheckFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const override;
  void PaintHeaderPlain(TcxCanvas* c, const TRect& r, const TcxPainterContent& content, TcxButtonPaintState state,
                        TcxBorders borders, uint8_t frameFlags) const override;
  void PaintHeaderFrame(TcxCanvas* c, const TRect& r, TcxBorders borders, uint8_t flags) const override;
  void PaintHeaderSectionFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState state,
                               TcxBorders borders) const override;
  void PaintHeaderSectionContent(TcxCanvas* c, const TRect& r, TColor color, const TcxPainterContent& content,
                                 TcxButtonPaintState state) const override;
  void PaintSortArrow(TcxCanvas* c, const TRect& r, bool ascending) const override;
  TcxBorders HeaderFrameBorders(uint8_t neighbours) const override;
  int32_t HeaderFrameWidth() const override { return 1; }
  TPoint SortArrowSize() const override { return {7, 8}; }
  int32_t PanelExtent() const override { return 12; }
  int32_t PanelFrameWidth() const override { return 1; }
  int32_t PanelCellFrameWidth() const override { return 1; }
  int32_t PanelCellOffset() const override { return 2; }
  void PaintPanelFrame(TcxCanvas* c, const TRect& r) const override;
  void PaintPanelCellFrame(TcxCanvas* c, const TRect& r) const override;
  void PaintDropDownButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state, bool active) const override;
  TPoint CloseButtonExtent() const override { return {16, 15}; }
  void PaintTabFrame(TcxCanvas* c, const TRect& r, bool vertical, TcxBorders borders, TcxBorder side) const override;
  void PaintTabsRoot(TcxCanvas* c, const TRect& r, bool vertical, TcxBorders borders) const override;
  int32_t TabFrameWidth(bool) const override { return 1; }
  void PaintScrollBarPart(TcxCanvas* c, bool horizontal, TcxButtonPaintState state, TcxScrollBarPaintPart part,
                          const TRect& r) const override;
  void PaintToolButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const override;
  void PaintSplitterFrame(TcxCanvas* c, const TRect& r, bool horizontal, const TcxViewParams& params) const override;
  void PaintGroupBoxFrame(TcxCanvas* c, const TRect& r, TcxBorders borders, uint8_t captionPosition,
                          bool enabled) const override;
  void PaintStatusSeparator(TcxCanvas* c, const TRect& r) const override;

protected:
  TcxUltraFlatLookAndFeelPainter() = default;
};

// The ultra-flat parts in the Office 2003 colours, with gradient headers and
// bitmap expand buttons. The colours are read when drawing, so they follow a
// system colour change.
class TcxOffice11LookAndFeelPainter : public TcxUltraFlatLookAndFeelPainter {
public:
  static TcxLookAndFeelPainterClass Class();

  virtual TColor HeaderBottomColor() const;
  virtual TColor HeaderDarkLineColor() const;
  virtual TColor HeaderLightLineColor() const;
  virtual TColor HeaderBlendColor() const;

  TColor FilterFrameColor(TcxButtonPaintState state) const override;
  TColor TabFrameColor() const override { return HeaderDarkLineColor(); }
  TColor HotFrameColor(TcxCanvas*, const TRect&) const override;

  void PaintContent(TcxCanvas* c, const TRect& r, const TcxPainterContent& content,
                    TcxButtonPaintState state = bpsNormal, bool flatFill = false) const override;
  void PaintNavigationButton(TcxCanvas* c, const TRect& r, const TRect& glyphRect, bool next,
                             TcxButtonPaintState state) const override;
  uint8_t StyleId() const override { return cxStyleOffice11; }
  bool UsesNativeDrawing() const override { return true; }
  TColor DefaultColor1() const override;
  TColor DefaultColor2() const override;
  TColor DefaultColor4() const override;
  TColor DefaultColor5(uint8_t s) const override { return DefaultColor15(s); }
  TColor DefaultColor8() const override;
  TColor DefaultColor9() const override;
  TColor DefaultColor10() const override;
  TColor DefaultColor12(uint8_t) const override { return DefaultColor8(); }
  TColor DefaultColor14(uint8_t) const override { return HeaderBlendColor(); }
  TColor DefaultColor29() const override;
  TColor DefaultColor33() const override;
  TColor DefaultColor34() const override { return clWindowText; }
  TColor DefaultColor42() const override;
  TColor DefaultColor43() const override;
  TColor DefaultColor53() const override;
  TColor DefaultColor55(uint8_t) const override { return DefaultColor53(); }
  TColor DefaultColor58() const override;
  TColor DefaultColor60(uint8_t) const override { return DefaultColor43(); }
  void PaintControlFrame(TcxCanvas* c, const TRect& r) const override;
  TColor ButtonFaceColor(TcxButtonPaintState state) const override;
  TColor ButtonGlyphColor(TcxButtonPaintState state, TColor defaultColor) const override;
  void PaintButtonFrame(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const override;
  void PaintExpandBox(TcxCanvas* c, const TRect& r, TColor color, bool expanded) const override;
  bool ExpandBoxPaintedFirst() const override { return false; }
  void PaintSmallExpandBox(TcxCanvas* c, const TRect& r, TColor faceColor, TColor frameColor,
                           bool expanded) const override;
  int32_t ExpandBoxSize() const override { return 11; }
  int32_t SmallExpandBoxSize() const override { return ExpandBoxSize(); }
  TColor CheckFaceColor(TcxButtonPaintState state) const override;
  void PaintHeader(TcxCanvas* c, const TRect& r, int32_t extraA, int32_t extraB, const TcxPainterContent& content,
                   TcxButtonPaintState state, TcxBorders borders, uint8_t frameFlags) const override;
  void PaintHeaderFrame(TcxCanvas* c, const TRect& r, TcxBorders borders, uint8_t flags) const override;
  void PaintHeaderSection(TcxCanvas* c, const TRect& r, const TRect& textRect, TcxButtonPaintState state,
                          TcxBorders borders, const TcxPainterContent& content) const override;
  void PaintSortArrow(TcxCanvas* c, const TRect& r, bool ascending) const override;
  TcxBorders HeaderFrameBorders(uint8_t) const override { return cxBordersAll; }
  int32_t HeaderFrameWidth() const override { return 1; }
  bool HotTrackHeaders() const override { return true; }
  TColor PanelSeparatorColor() const override { return HeaderDarkLineColor(); }
  void PaintScrollBarPart(TcxCanvas* c, bool horizontal, TcxButtonPaintState state, TcxScrollBarPaintPart part,
                          const TRect& r) const override;
  void PaintSizeGrip(TcxCanvas* c, const TRect& r, TColor color) const override;
  void PaintMarkedHeader(TcxCanvas* c, const TRect& r, const TcxCustomDrawBackgroundEvent& customDraw,
                         const TcxViewParams& params, TColor textColor, TFont* font, std::string_view text,
                         uint8_t neighbours, int32_t inset, uint8_t markKind) const override;
  void PaintControlFrameAlias(TcxCanvas* c, const TRect& r) const override;
  void PaintToolButton(TcxCanvas* c, const TRect& r, TcxButtonPaintState state) const override;
  void PaintCaptionBar(TcxCanvas* c, TRect& r) const override;
  void PaintGroupBoxBackground(TcxCanvas* c, TObject* control, TColor color1, TColor color2,
                               TRect& r) const override;
  void PaintStatusFace(TcxCanvas* c, const TRect& r) const override;

protected:
  TcxOffice11LookAndFeelPainter() = default;
};

// Style number -> kind: 0 flat, 2 ultra-flat, 4 Office 2003, anything else standard.
TcxLookAndFeelKind StyleToKind(uint8_t style);

// The registry of additional, named style painters; nothing registers one here.
class IcxSkinPainterListener;

class TcxExtendedStylePainter : public TObject {
public:
  TcxExtendedStylePainter(std::string name, TcxLookAndFeelPainterClass painter)
      : name_(std::move(name)), painter_(painter) {}
  const std::string& Name() const { return name_; }
  TcxLookAndFeelPainterClass Painter() const { return painter_; }

private:
  std::string name_;
  TcxLookAndFeelPainterClass painter_;
};

class TcxExtendedStylePainters : public TcxObjectList {
public:
  TcxExtendedStylePainters();
  ~TcxExtendedStylePainters() override;
  void AttachListener(IcxSkinPainterListener* listener);
  void DetachListener(IcxSkinPainterListener* listener);
  bool PainterByName(std::string_view name, TcxLookAndFeelPainterClass& painter) const;
  // Index of the first item named name without regard to case, or -1.
  int32_t LocateByName(std::string_view name, TcxExtendedStylePainter** item = nullptr) const;
  TcxExtendedStylePainter* Items(int32_t index) const;
  const std::vector<IcxSkinPainterListener*>& Listeners() const { return listeners_; }

private:
  std::vector<IcxSkinPainterListener*> listeners_;
};

// The unit's shared resources; null once the unit has shut down.
TcxExtendedStylePainters* ExtendedStylePainters();
TImageList* cxIndicatorImages();
// The scroll-bar page brushes: 0 for every state but pressed, 1 for pressed.
TBitmap* cxCheckerBitmap(int32_t index);
// Makes the two checker bitmaps when missing, then sets their pixels from the
// current system colours.
void PaintCheckerBitmaps();
// The radio-button images, made on the first call; the radio drawing fills them.
TImageList* RadioButtonImages();
// The primary system-colour change: rebuilds the radio images when they exist.
void cxLookAndFeelPaintersSystemColorsChanged();

void cxLookAndFeelPaintersUnitStart();
void cxLookAndFeelPaintersUnitStop();
