// Colours, fonts, pens, brushes, the canvas and the graphic base.
#include "platform/vcl/graphics.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/classes/filer.h"
#include "platform/classes/typinfo.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/rtl/intmath.h"
#include "platform/rtl/sysutils.h"

// ---------------------------------------------------------------- colours

namespace {

struct ColorName {
  TColor value;
  const char* name;
};

constexpr TColor clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF, clMedGray = 0xA4A0A0;

constexpr ColorName kColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

}  // namespace

TColor ColorToRGB(TColor color) { return TColor(win::ColorToColorRef(color)); }

bool ColorToIdent(int64_t color, std::string& ident) {
  for (const ColorName& c : kColorNames)
    if (int64_t(c.value) == color) {
      ident = c.name;
      return true;
    }
  return false;
}

bool IdentToColor(std::string_view ident, int64_t& color) {
  for (const ColorName& c : kColorNames)
    if (SameText(ident, c.name)) {
      color = c.value;
      return true;
    }
  return false;
}

std::string ColorToString(TColor color) {
  std::string ident;
  if (ColorToIdent(color, ident)) return ident;
  return "$" + IntToHex(int64_t(uint32_t(color)), 8);
}

TColor StringToColor(std::string_view s) {
  int64_t v = 0;
  if (IdentToColor(s, v)) return TColor(v);
  return TColor(StrToInt(s));
}

// ---------------------------------------------------------------- graphics objects

namespace {

constexpr int kRop2OfMode[] = {
    win::R2_BLACK,       win::R2_WHITE,       win::R2_NOP,          win::R2_NOT,
    win::R2_COPYPEN,     win::R2_NOTCOPYPEN,  win::R2_MERGEPENNOT,  win::R2_MASKPENNOT,
    win::R2_MERGENOTPEN, win::R2_MASKNOTPEN,  win::R2_MERGEPEN,     win::R2_NOTMERGEPEN,
    win::R2_MASKPEN,     win::R2_NOTMASKPEN,  win::R2_XORPEN,       win::R2_NOTXORPEN,
};

std::string FaceNameOf(const win::LOGFONT& lf) {
  return std::string(lf.lfFaceName, strnlen(lf.lfFaceName, sizeof(lf.lfFaceName)));
}

}  // namespace

int PenModeToRop2(TPenMode mode) { return mode <= pmNotXor ? kRop2OfMode[mode] : win::R2_COPYPEN; }

TPenMode Rop2ToPenMode(int rop2) {
  for (int i = 0; i <= int(pmNotXor); ++i)
    if (kRop2OfMode[i] == rop2) return TPenMode(i);
  return pmCopy;
}

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// Every object below replaces its handle after a change in the same order:
// the old handle is detached, listeners hear the change (a canvas deselects
// it), and only then is it deleted, since a selected object cannot be.

TFont::TFont() = default;

TFont::~TFont() { FreeHandle(); }

void TFont::FreeHandle() {
  if (handle_) win::DeleteObject(handle_);
  handle_ = nullptr;
}

void TFont::Changed() {
  win::HFONT old = handle_;
  handle_ = nullptr;
  TGraphicsObject::Changed();
  if (old) win::DeleteObject(old);
}

void TFont::Assign(TPersistent* source) {
  if (auto* f = dynamic_cast<TFont*>(source)) {
    if (f == this) return;
    name_ = f->name_;
    height_ = f->height_;
    pixelsPerInch_ = f->pixelsPerInch_;
    color_ = f->color_;
    style_ = f->style_;
    charset_ = f->charset_;
    pitch_ = f->pitch_;
    quality_ = f->quality_;
    orientation_ = f->orientation_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

win::LOGFONT TFont::LogFont() const {
  win::LOGFONT lf;
  lf.lfHeight = height_;
  lf.lfWidth = 0;
  lf.lfEscapement = orientation_;
  lf.lfOrientation = orientation_;
  lf.lfWeight = style_.Contains(fsBold) ? win::FW_BOLD : win::FW_NORMAL;
  lf.lfItalic = style_.Contains(fsItalic) ? 1 : 0;
  lf.lfUnderline = style_.Contains(fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = style_.Contains(fsStrikeOut) ? 1 : 0;
  lf.lfCharSet = charset_;
  lf.lfOutPrecision = win::OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = win::CLIP_DEFAULT_PRECIS;
  lf.lfQuality = win::BYTE(quality_);
  lf.lfPitchAndFamily = pitch_ == fpVariable ? win::VARIABLE_PITCH : (pitch_ == fpFixed ? win::FIXED_PITCH : win::DEFAULT_PITCH);
  win::SetFaceName(lf, name_);
  return lf;
}

win::HFONT TFont::Handle() {
  if (!handle_) {
    const win::LOGFONT lf = LogFont();
    handle_ = win::CreateFontIndirect(&lf);
  }
  return handle_;
}

void TFont::SetHandle(win::HFONT font) {
  if (font == handle_) return;
  win::LOGFONT lf;
  if (font && win::GetObject(font, sizeof(lf), &lf) == int(sizeof(lf))) {
    name_ = FaceNameOf(lf);
    height_ = lf.lfHeight;
    TFontStyles s;
    if (lf.lfWeight >= win::FW_SEMIBOLD) s.Include(fsBold);
    if (lf.lfItalic) s.Include(fsItalic);
    if (lf.lfUnderline) s.Include(fsUnderline);
    if (lf.lfStrikeOut) s.Include(fsStrikeOut);
    style_ = s;
    charset_ = lf.lfCharSet;
    const int pitch = lf.lfPitchAndFamily & 3;
    pitch_ = pitch == win::VARIABLE_PITCH ? fpVariable : (pitch == win::FIXED_PITCH ? fpFixed : fpDefault);
    quality_ = lf.lfQuality <= win::BYTE(fqClearTypeNatural) ? TFontQuality(lf.lfQuality) : fqDefault;
    orientation_ = lf.lfEscapement;
  }
  win::HFONT old = handle_;
  handle_ = font;
  TGraphicsObject::Changed();
  if (old) win::DeleteObject(old);
}

void TFont::SetName(const std::string& name) {
  if (name.empty() || name == name_) return;
  name_ = name;
  Changed();
}

void TFont::SetHeight(int32_t height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

int32_t TFont::Size() const { return -MulDiv(height_, 72, pixelsPerInch_); }

void TFont::SetSize(int32_t points) { SetHeight(-MulDiv(points, pixelsPerInch_, 72)); }

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  TGraphicsObject::Changed();  // the colour is not part of the handle
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::SetCharset(TFontCharset charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == pitch_) return;
  pitch_ = pitch;
  Changed();
}

void TFont::SetQuality(TFontQuality quality) {
  if (quality == quality_) return;
  quality_ = quality;
  Changed();
}

void TFont::SetOrientation(int32_t tenths) {
  if (tenths == orientation_) return;
  orientation_ = tenths;
  Changed();
}

TPen::~TPen() { FreeHandle(); }

void TPen::FreeHandle() {
  if (handle_) win::DeleteObject(handle_);
  handle_ = nullptr;
}

void TPen::Changed() {
  win::HPEN old = handle_;
  handle_ = nullptr;
  TGraphicsObject::Changed();
  if (old) win::DeleteObject(old);
}

void TPen::Assign(TPersistent* source) {
  if (auto* p = dynamic_cast<TPen*>(source)) {
    if (p == this) return;
    color_ = p->color_;
    width_ = p->width_;
    style_ = p->style_;
    mode_ = p->mode_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

win::HPEN TPen::Handle() {
  if (!handle_) {
    const win::COLORREF c = win::COLORREF(ColorToRGB(color_));
    switch (style_) {
      case psAlternate: {
        win::LOGBRUSH lb;
        lb.lbStyle = win::BS_SOLID;
        lb.lbColor = c;
        handle_ = win::ExtCreatePen(win::PS_COSMETIC | win::PS_ALTERNATE, 1, &lb, 0, nullptr);
        break;
      }
      case psUserStyle: handle_ = win::CreatePen(int(win::PS_SOLID), width_, c); break;
      default: handle_ = win::CreatePen(int(style_), width_, c); break;
    }
  }
  return handle_;
}

void TPen::SetHandle(win::HPEN pen) {
  if (pen == handle_) return;
  win::LOGPEN lp;
  if (pen && win::GetObject(pen, sizeof(lp), &lp) == int(sizeof(lp))) {
    color_ = TColor(lp.lopnColor);
    width_ = lp.lopnWidth.X;
    const win::UINT s = lp.lopnStyle & win::PS_STYLE_MASK;
    style_ = s <= win::PS_INSIDEFRAME ? TPenStyle(s) : psSolid;
  }
  win::HPEN old = handle_;
  handle_ = pen;
  TGraphicsObject::Changed();
  if (old) win::DeleteObject(old);
}

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TPen::SetWidth(int32_t width) {
  if (width == width_ || width < 0) return;
  width_ = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TPen::SetMode(TPenMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
  TGraphicsObject::Changed();  // the mode is the DC's, not the pen's
}

TBrush::~TBrush() { FreeHandle(); }

void TBrush::FreeHandle() {
  if (handle_) win::DeleteObject(handle_);
  handle_ = nullptr;
}

void TBrush::Changed() {
  win::HBRUSH old = handle_;
  handle_ = nullptr;
  TGraphicsObject::Changed();
  if (old) win::DeleteObject(old);
}

void TBrush::Assign(TPersistent* source) {
  if (auto* b = dynamic_cast<TBrush*>(source)) {
    if (b == this) return;
    color_ = b->color_;
    style_ = b->style_;
    bitmap_ = b->bitmap_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

win::HBRUSH TBrush::Handle() {
  if (!handle_) {
    const win::COLORREF c = win::COLORREF(ColorToRGB(color_));
    if (bitmap_ && !bitmap_->Empty()) {
      handle_ = win::CreatePatternBrush(bitmap_->Handle());
    } else if (style_ == bsSolid) {
      handle_ = win::CreateSolidBrush(c);
    } else if (style_ == bsClear) {
      win::LOGBRUSH lb;
      lb.lbStyle = win::BS_NULL;
      handle_ = win::CreateBrushIndirect(&lb);
    } else {
      handle_ = win::CreateHatchBrush(int(style_) - int(bsHorizontal), c);
    }
  }
  return handle_;
}

void TBrush::SetHandle(win::HBRUSH brush) {
  if (brush == handle_) return;
  win::LOGBRUSH lb;
  if (brush && win::GetObject(brush, sizeof(lb), &lb) == int(sizeof(lb))) {
    color_ = TColor(lb.lbColor);
    if (lb.lbStyle == win::BS_NULL) style_ = bsClear;
    else if (lb.lbStyle == win::BS_HATCHED && lb.lbHatch <= uintptr_t(win::HS_DIAGCROSS)) style_ = TBrushStyle(bsHorizontal + lb.lbHatch);
    else style_ = bsSolid;
    bitmap_ = nullptr;
  }
  win::HBRUSH old = handle_;
  handle_ = brush;
  TGraphicsObject::Changed();
  if (old) win::DeleteObject(old);
}

void TBrush::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  // Colouring a clear brush makes it solid; clNone makes it clear.
  if (color == clNone) style_ = bsClear;
  else if (style_ == bsClear) style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
  bitmap_ = bitmap;
  Changed();
}

// ---------------------------------------------------------------- canvas

win::UINT TextFormatToDrawTextFlags(TTextFormat f) {
  using namespace win;
  struct Map {
    TTextFormats tf;
    UINT dt;
  };
  static constexpr Map kMap[] = {
      {tfBottom, DT_BOTTOM},           {tfCalcRect, DT_CALCRECT},
      {tfCenter, DT_CENTER},           {tfEditControl, DT_EDITCONTROL},
      {tfEndEllipsis, DT_END_ELLIPSIS}, {tfPathEllipsis, DT_PATH_ELLIPSIS},
      {tfExpandTabs, DT_EXPANDTABS},   {tfExternalLeading, DT_EXTERNALLEADING},
      {tfLeft, DT_LEFT},               {tfModifyString, DT_MODIFYSTRING},
      {tfNoClip, DT_NOCLIP},           {tfNoPrefix, DT_NOPREFIX},
      {tfRight, DT_RIGHT},             {tfRtlReading, DT_RTLREADING},
      {tfSingleLine, DT_SINGLELINE},   {tfTop, DT_TOP},
      {tfVerticalCenter, DT_VCENTER},  {tfWordBreak, DT_WORDBREAK},
      {tfHidePrefix, DT_HIDEPREFIX},   {tfNoFullWidthCharBreak, DT_NOFULLWIDTHCHARBREAK},
      {tfPrefixOnly, DT_PREFIXONLY},   {tfTabStop, DT_TABSTOP},
      {tfWordEllipsis, DT_WORD_ELLIPSIS},
  };
  UINT flags = 0;
  for (const Map& m : kMap)
    if (f.Contains(m.tf)) flags |= m.dt;
  return flags;
}

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()) {
  font_->OnChange = [this](TObject*) { FontChanged(); };
  pen_->OnChange = [this](TObject*) { PenChanged(); };
  brush_->OnChange = [this](TObject*) { BrushChanged(); };
}

TCanvas::~TCanvas() {
  if (handle_) DeselectHandles();
  handle_ = nullptr;
}

win::HDC TCanvas::Handle() {
  Changing();
  RequiredState({csHandleValid, csFontValid, csPenValid, csBrushValid});
  return handle_;
}

void TCanvas::SetHandle(win::HDC dc) {
  if (dc == handle_) return;
  if (handle_) DeselectHandles();
  handle_ = dc;
  state_ = dc ? TCanvasState{csHandleValid} : TCanvasState{};
}

void TCanvas::DeselectHandles() {
  if (!handle_) return;
  if (state_.Contains(csPenValid)) win::SelectObject(handle_, win::GetStockObject(win::BLACK_PEN));
  if (state_.Contains(csBrushValid)) win::SelectObject(handle_, win::GetStockObject(win::HOLLOW_BRUSH));
  if (state_.Contains(csFontValid)) win::SelectObject(handle_, win::GetStockObject(win::SYSTEM_FONT));
  state_ = state_ - TCanvasState{csPenValid, csBrushValid, csFontValid};
}

void TCanvas::FontChanged() {
  if (!state_.Contains(csFontValid)) return;
  state_.Exclude(csFontValid);
  win::SelectObject(handle_, win::GetStockObject(win::SYSTEM_FONT));
}

void TCanvas::PenChanged() {
  if (!state_.Contains(csPenValid)) return;
  state_.Exclude(csPenValid);
  win::SelectObject(handle_, win::GetStockObject(win::BLACK_PEN));
}

void TCanvas::BrushChanged() {
  if (!state_.Contains(csBrushValid)) return;
  state_.Exclude(csBrushValid);
  win::SelectObject(handle_, win::GetStockObject(win::HOLLOW_BRUSH));
}

void TCanvas::RequiredState(TCanvasState req) {
  const TCanvasState need = req - state_;
  if (need.Empty()) return;
  if (need.Contains(csHandleValid) || !handle_) {
    CreateHandle();
    if (!handle_) throw EInvalidOperation("Canvas does not allow drawing");
  }
  if (need.Contains(csFontValid)) {
    win::SelectObject(handle_, font_->Handle());
    win::SetTextColor(handle_, win::COLORREF(ColorToRGB(font_->Color())));
    state_.Include(csFontValid);
  }
  if (need.Contains(csPenValid)) {
    win::SelectObject(handle_, pen_->Handle());
    win::SetROP2(handle_, PenModeToRop2(pen_->Mode()));
    state_.Include(csPenValid);
  }
  if (need.Contains(csBrushValid)) {
    win::SelectObject(handle_, brush_->Handle());
    const win::COLORREF c = win::COLORREF(ColorToRGB(brush_->Color()));
    if (brush_->Style() == bsSolid) {
      win::SetBkColor(handle_, c);
      win::SetBkMode(handle_, win::OPAQUE);
    } else {
      win::SetBkColor(handle_, ~c & 0x00FFFFFFu);
      win::SetBkMode(handle_, win::TRANSPARENT);
    }
    state_.Include(csBrushValid);
  }
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

TPoint TCanvas::PenPos() {
  RequiredState({csHandleValid});
  win::POINT p;
  win::GetCurrentPositionEx(handle_, &p);
  return p;
}

TColor TCanvas::Pixels(int32_t x, int32_t y) {
  RequiredState({csHandleValid});
  return TColor(win::GetPixel(handle_, x, y));
}

void TCanvas::SetPixels(int32_t x, int32_t y, TColor color) {
  Changing();
  RequiredState({csHandleValid, csPenValid});
  win::SetPixel(handle_, x, y, win::COLORREF(ColorToRGB(color)));
  Changed();
}

TRect TCanvas::ClipRect() {
  RequiredState({csHandleValid});
  win::RECT r;
  win::GetClipBox(handle_, &r);
  return r;
}

void TCanvas::MoveTo(int32_t x, int32_t y) {
  RequiredState({csHandleValid});
  win::MoveToEx(handle_, x, y, nullptr);
}

void TCanvas::LineTo(int32_t x, int32_t y) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::LineTo(handle_, x, y);
  Changed();
}

void TCanvas::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  Changing();
  RequiredState({csHandleValid, csBrushValid, csPenValid});
  win::Rectangle(handle_, x1, y1, x2, y2);
  Changed();
}

void TCanvas::FillRect(const TRect& r) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  win::FillRect(handle_, &r, brush_->Handle());
  Changed();
}

void TCanvas::FrameRect(const TRect& r) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  win::FrameRect(handle_, &r, brush_->Handle());
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& r) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  win::DrawFocusRect(handle_, &r);
  Changed();
}

void TCanvas::Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Ellipse(handle_, x1, y1, x2, y2);
  Changed();
}

void TCanvas::RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::RoundRect(handle_, x1, y1, x2, y2, x3, y3);
  Changed();
}

void TCanvas::Polygon(std::span<const TPoint> points) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Polygon(handle_, points.data(), int(points.size()));
  Changed();
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Polyline(handle_, points.data(), int(points.size()));
  Changed();
}

void TCanvas::Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Arc(handle_, x1, y1, x2, y2, x3, y3, x4, y4);
  Changed();
}

void TCanvas::Pie(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Pie(handle_, x1, y1, x2, y2, x3, y3, x4, y4);
  Changed();
}

void TCanvas::Chord(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Chord(handle_, x1, y1, x2, y2, x3, y3, x4, y4);
  Changed();
}

void TCanvas::TextOut(int32_t x, int32_t y, const std::string& text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  win::ExtTextOut(handle_, x, y, win::UINT(textFlags_), nullptr, text);
  MoveTo(x + TextWidth(text), y);
  Changed();
}

void TCanvas::TextRect(const TRect& r, int32_t x, int32_t y, const std::string& text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  win::UINT options = win::UINT(textFlags_) | win::ETO_CLIPPED;
  if (brush_->Style() != bsClear) options |= win::ETO_OPAQUE;
  win::ExtTextOut(handle_, x, y, options, &r, text);
  Changed();
}

void TCanvas::TextRect(TRect& r, std::string& text, TTextFormat format) {
  const bool calc = format.Contains(tfCalcRect);
  if (!calc) Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  std::string shown;
  win::DrawText(handle_, text, -1, &r, TextFormatToDrawTextFlags(format), &shown);
  if (format.Contains(tfModifyString)) text = shown;
  if (!calc) Changed();
}

TSize TCanvas::TextExtent(const std::string& text) {
  RequiredState({csHandleValid, csFontValid});
  win::SIZE sz;
  win::GetTextExtentPoint32(handle_, text, &sz);
  return sz;
}

void TCanvas::Draw(int32_t x, int32_t y, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  StretchDraw(TRect(x, y, x + graphic->Width(), y + graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  Changing();
  RequiredState({csHandleValid, csFontValid, csPenValid, csBrushValid});
  // Monochrome sources draw black and white; the font colour comes back afterwards.
  const win::COLORREF oldBk = win::SetBkColor(handle_, win::RGB(255, 255, 255));
  const win::COLORREF oldText = win::SetTextColor(handle_, win::RGB(0, 0, 0));
  graphic->Draw(this, r);
  win::SetBkColor(handle_, oldBk);
  win::SetTextColor(handle_, oldText);
  Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source) {
  if (!canvas) return;
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  canvas->RequiredState({csHandleValid, csBrushValid});
  win::StretchBlt(handle_, dest.Left, dest.Top, dest.Width(), dest.Height(), canvas->handle_, source.Left, source.Top,
                  source.Width(), source.Height(), win::DWORD(copyMode_));
  Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color) {
  if (!bitmap || bitmap->Empty()) return;
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  win::FillRect(handle_, &dest, brush_->Handle());
  TCanvas* src = bitmap->Canvas();
  src->RequiredState({csHandleValid});
  win::TransparentBlt(handle_, dest.Left, dest.Top, dest.Width(), dest.Height(), src->handle_, source.Left,
                      source.Top, source.Width(), source.Height(), win::UINT(ColorToRGB(color)) & 0x00FFFFFFu);
  Changed();
}

void TCanvas::Lock() {
  lock_.lock();
  ++lockCount_;
}

void TCanvas::Unlock() {
  --lockCount_;
  lock_.unlock();
}

bool TCanvas::TryLock() {
  if (!lock_.try_lock()) return false;
  ++lockCount_;
  return true;
}

// ---------------------------------------------------------------- graphic

void TGraphic::SetSize(int32_t width, int32_t height) {
  SetWidth(width);
  SetHeight(height);
}

void TGraphic::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Changed(this);
}

void TGraphic::SetModified(bool value) {
  if (value) Changed(this);
  else modified_ = false;
}

void TGraphic::Changed(TObject*) {
  modified_ = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const std::string& fileName) {
  TFileStream s(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(s);
}

void TGraphic::SaveToFile(const std::string& fileName) {
  TFileStream s(fileName, fmCreate);
  SaveToStream(s);
}

void TGraphic::DefineProperties(TFiler* filer) {
  filer->DefineBinaryProperty(
      "Data", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); }, !Empty());
}

// ---------------------------------------------------------------- published properties

void RegisterGraphicsProperties() {
  static std::once_flag once;
  std::call_once(once, [] {
    PTypeInfo color = DefineIntegerType("TColor", otSLong, IdentToColor, ColorToIdent);
    PTypeInfo fontStyle = DefineEnumType<TFontStyle>("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
    DefineEnumType<TFontPitch>("TFontPitch", {"fpDefault", "fpVariable", "fpFixed"});
    DefineEnumType<TFontQuality>("TFontQuality", {"fqDefault", "fqDraft", "fqProof", "fqNonAntialiased",
                                                  "fqAntialiased", "fqClearType", "fqClearTypeNatural"});
    DefineEnumType<TPenStyle>("TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
                                            "psInsideFrame", "psUserStyle", "psAlternate"});
    DefineEnumType<TPenMode>("TPenMode", {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy",
                                          "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge",
                                          "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor"});
    DefineEnumType<TBrushStyle>("TBrushStyle", {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                                                "bsBDiagonal", "bsCross", "bsDiagCross"});
    PTypeInfo styles = DefineSetType("TFontStyles", fontStyle);

    Published<TFont>()
        .Int("Charset", &TFont::Charset, &TFont::SetCharset, int64_t(win::DEFAULT_CHARSET))
        .Type(DefineIntegerType("TFontCharset", otUByte))
        .Int("Color", &TFont::Color, &TFont::SetColor, int64_t(clWindowText))
        .Type(color)
        .Int("Height", &TFont::Height, &TFont::SetHeight)
        .Str("Name", &TFont::Name, &TFont::SetName)
        .Int("Orientation", &TFont::Orientation, &TFont::SetOrientation, 0)
        .Enum("Pitch", &TFont::Pitch, &TFont::SetPitch, fpDefault)
        .Enum("Quality", &TFont::Quality, &TFont::SetQuality, fqDefault)
        .Int("Size", &TFont::Size, &TFont::SetSize)
        .Stored(false)
        .Set("Style", &TFont::Style, &TFont::SetStyle, styles, 0);
    Published<TPen>()
        .Int("Color", &TPen::Color, &TPen::SetColor, int64_t(clBlack))
        .Type(color)
        .Enum("Mode", &TPen::Mode, &TPen::SetMode, pmCopy)
        .Enum("Style", &TPen::Style, &TPen::SetStyle, psSolid)
        .Int("Width", &TPen::Width, &TPen::SetWidth, 1);
    Published<TBrush>()
        .Int("Color", &TBrush::Color, &TBrush::SetColor, int64_t(clWhite))
        .Type(color)
        .Enum("Style", &TBrush::Style, &TBrush::SetStyle, bsSolid);
    RegisterClass(TBitmap::StaticClass());
    RegisterClass(TIcon::StaticClass());
    RegisterClass(TMetafile::StaticClass());
  });
}
