#include "ui/bars/dxBarDrawing.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/gdi/edge.h"
#include "platform/gdi/syscolors.h"
#include "platform/rtl/scopeexit.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/cxGraphicsBitmaps.h"
#include "ui/lookandfeel/dxOffice11.h"
#include "ui/lookandfeel/dxThemeManager.h"

using namespace win;

// ---------------------------------------------------------------- process-wide values

TSetLayeredWindowAttributesProc dxSetLayeredWindowAttributes = nullptr;
TUpdateLayeredWindowProc dxUpdateLayeredWindow = nullptr;
TAnimateWindowProc dxAnimateWindow = nullptr;

namespace {

HBRUSH ditherBrush = nullptr;
HMODULE user32 = nullptr;

COLORREF SysRGB(TColor color) { return COLORREF(ColorToRGB(color)); }

}  // namespace

HBRUSH DitherBrush() { return ditherBrush; }

void BuildDitherBrush() {
  if (IsBarUnitFinalizing()) return;
  TBitmap pattern(8, 8);
  HDC dc = pattern.Canvas()->Handle();
  const RECT all{0, 0, 8, 8};
  HBRUSH highlight = CreateSolidBrush(SysRGB(clBtnHighlight));
  FillRect(dc, &all, highlight);
  DeleteObject(highlight);
  const COLORREF face = SysRGB(clBtnFace);
  for (int y = 0; y < 8; ++y)
    for (int x = y % 2; x < 8; x += 2) SetPixelV(dc, x, y, face);
  HGDIOBJ previous = ditherBrush;
  FreeGdiObject(previous);
  ditherBrush = CreatePatternBrush(pattern.Handle());
}

void FreeDitherBrush() {
  HGDIOBJ brush = ditherBrush;
  FreeGdiObject(brush);
  ditherBrush = nullptr;
}

void BindBarUser32() {
  if (!user32) user32 = LoadLibrary("USER32");
  auto entry = [](const char* AName) { return user32 ? GetProcAddress(user32, AName) : nullptr; };
  dxUpdateLayeredWindow = reinterpret_cast<TUpdateLayeredWindowProc>(entry("UpdateLayeredWindow"));
  dxAnimateWindow = reinterpret_cast<TAnimateWindowProc>(entry("AnimateWindow"));
  dxSetLayeredWindowAttributes = reinterpret_cast<TSetLayeredWindowAttributesProc>(entry("SetLayeredWindowAttributes"));
}

void ReleaseBarUser32() {
  dxUpdateLayeredWindow = nullptr;
  dxAnimateWindow = nullptr;
  dxSetLayeredWindowAttributes = nullptr;
  if (user32) FreeLibrary(user32);
  user32 = nullptr;
}

void dxBarDrawingUnitStart() {
  BindBarUser32();
  BuildDitherBrush();
}

void dxBarDrawingUnitStop() {
  FreeDitherBrush();
  ReleaseBarUser32();
}

// ---------------------------------------------------------------- GDI helpers

void SetWindowAlpha(HWND AWnd, int32_t AAlpha) {
  if (!dxSetLayeredWindowAttributes || !IsWindow(AWnd)) return;
  const LONG exStyle = GetWindowLong(AWnd, GWL_EXSTYLE);
  if (AAlpha < 255) {
    if ((exStyle & WS_EX_LAYERED) == 0) SetWindowLong(AWnd, GWL_EXSTYLE, exStyle | LONG(WS_EX_LAYERED));
    dxSetLayeredWindowAttributes(AWnd, 0, BYTE(std::max(AAlpha, 0)), LWA_ALPHA);
  } else if ((exStyle & WS_EX_LAYERED) != 0) {
    SetWindowLong(AWnd, GWL_EXSTYLE, exStyle & ~LONG(WS_EX_LAYERED));
    RedrawWindow(AWnd, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
}

void BitBltRect(win::HDC ADestDC, const TRect& ADestRect, win::HDC ASourceDC, TPoint ASourceTopLeft, win::DWORD ARop) {
  win::BitBlt(ADestDC, ADestRect.Left, ADestRect.Top, ADestRect.Width(), ADestRect.Height(), ASourceDC,
              ASourceTopLeft.X, ASourceTopLeft.Y, ARop);
}

std::unique_ptr<TBitmap> CreateSizedBitmap(int32_t AWidth, int32_t AHeight, TPixelFormat APixelFormat) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(APixelFormat);
  bitmap->SetSize(AWidth, AHeight);
  return bitmap;
}

void FreeGdiObject(HGDIOBJ& AObject) {
  if (!AObject) return;
  DeleteObject(AObject);
  AObject = nullptr;
}

void RestoreAndDeleteGdiObject(HDC ADC, HGDIOBJ APrevious) {
  if (HGDIOBJ replaced = SelectObject(ADC, APrevious); replaced && replaced != HGDI_ERROR) DeleteObject(replaced);
}

void FillPolygonWithColors(HDC ADC, const POINT* APoints, int32_t AHigh, COLORREF AFillColor, COLORREF APenColor) {
  if (!ADC || !APoints || AHigh < 0) return;
  HGDIOBJ oldPen = SelectObject(ADC, CreatePen(PS_SOLID, 1, APenColor));
  HGDIOBJ oldBrush = SelectObject(ADC, CreateSolidBrush(AFillColor));
  Polygon(ADC, APoints, AHigh + 1);
  RestoreAndDeleteGdiObject(ADC, oldBrush);
  RestoreAndDeleteGdiObject(ADC, oldPen);
}

void ExcludeFrameFromClip(TcxCanvas* ACanvas, const TRect& AFrame, const TRect& AContent) {
  if (!ACanvas) return;
  auto* ring = new TcxRegion(AFrame.Left, AFrame.Top, AFrame.Right, AFrame.Bottom);
  ring->CombineWith(new TcxRegion(AContent.Left, AContent.Top, AContent.Right, AContent.Bottom), rcmSubtract);
  ACanvas->SetClipRegion(ring, rcmSubtract);
}

void FrameWithHighlight(HDC ADC, const TRect& R) { FrameRect(ADC, &R, GetSysColorBrush(COLOR_HIGHLIGHT)); }

void DrawDoubleFrame(HDC ADC, const TRect& R, int32_t ASysColor) {
  HBRUSH brush = GetSysColorBrush(ASysColor);
  TRect inner = R;
  inner.Inflate(-1, -1);
  FrameRect(ADC, &R, brush);
  FrameRect(ADC, &inner, brush);
}

namespace {

void DrawDottedFrame(HDC dc, const TRect& r, COLORREF color) {
  RECT box;
  if (r.IsEmpty() || GetClipBox(dc, &box) <= NULLREGION) return;
  auto dot = [&](int32_t x, int32_t y) {
    if (((int64_t(x) + y) & 1) == 0) SetPixelV(dc, x, y, color);
  };
  // Only what the clip box shows is visited, so a huge rectangle costs no more than a small one.
  const int32_t left = std::max(r.Left, box.Left), right = std::min(r.Right, box.Right);
  const int32_t top = std::max(r.Top, box.Top), bottom = std::min(r.Bottom, box.Bottom);
  for (int32_t x = left; x < right; ++x) {
    dot(x, r.Top);
    dot(x, r.Bottom - 1);
  }
  for (int32_t y = top; y < bottom; ++y) {
    dot(r.Left, y);
    dot(r.Right - 1, y);
  }
}

}  // namespace

void DrawDoubleFocusRect(HDC ADC, const TRect& R) {
  const COLORREF color = SysRGB(clBtnText);
  TRect inner = R;
  inner.Inflate(-1, -1);
  DrawDottedFrame(ADC, R, color);
  DrawDottedFrame(ADC, inner, color);
}

void HatchDisabledArea(HDC ADC, const TRect& R) { DrawHatchRect(ADC, R, clBlack, clBtnFace, 2, 20, 170); }

void DrawBitmapGlyph(HDC ADC, const TRect& R, TBitmap* ABitmap, bool AEnabled) {
  DrawImage(ADC, R, R, ABitmap, nullptr, -1, AEnabled ? idmNormal : idmDisabled, false, nullptr, clNone, true);
}

int32_t SaveCurrentClip(HDC ADC, HRGN& ARgn, bool& AExists) {
  ARgn = CreateRectRgn(0, 0, 0, 0);
  const int result = GetClipRgn(ADC, ARgn);
  AExists = result == 1;
  return result - 1;
}

void RestoreSavedClip(HDC ADC, HRGN ARgn, bool AExists) {
  SelectClipRgn(ADC, AExists ? ARgn : nullptr);
  DeleteObject(ARgn);
}

void AddRectToClip(HDC ADC, const TRect& R) {
  HRGN rgn = CreateRectRgnIndirect(&R);
  ExtSelectClipRgn(ADC, rgn, RGN_OR);
  DeleteObject(rgn);
}

namespace {

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

}  // namespace

void TileBitmap(HDC ADC, const TRect& ADest, const TRect& ASource, TBitmap* ABitmap) {
  if (!ADC || !ABitmap) return;
  const int64_t w = ABitmap->Width(), h = ABitmap->Height();
  if (w <= 0 || h <= 0 || ASource.Right <= ASource.Left || ASource.Bottom <= ASource.Top) return;
  // Floor division keeps a source left of or above the origin seamless, and
  // only tiles that reach into ADest are blitted: what lies outside is
  // clipped anyway, and a huge source must not mean a huge loop.
  const int64_t dx = int64_t(ADest.Left) - ASource.Left, dy = int64_t(ADest.Top) - ASource.Top;
  const int64_t firstCol = std::max(FloorDiv(ASource.Left, w), FloorDiv(int64_t(ADest.Left) - dx, w));
  const int64_t lastCol = std::min(FloorDiv(int64_t(ASource.Right) - 1, w), FloorDiv(int64_t(ADest.Right) - 1 - dx, w));
  const int64_t firstRow = std::max(FloorDiv(ASource.Top, h), FloorDiv(int64_t(ADest.Top) - dy, h));
  const int64_t lastRow = std::min(FloorDiv(int64_t(ASource.Bottom) - 1, h), FloorDiv(int64_t(ADest.Bottom) - 1 - dy, h));
  if (firstCol > lastCol || firstRow > lastRow) return;
  HRGN saved;
  bool hadClip;
  SaveCurrentClip(ADC, saved, hadClip);
  TScopeExit restore([&] { RestoreSavedClip(ADC, saved, hadClip); });
  IntersectClipRect(ADC, ADest.Left, ADest.Top, ADest.Right, ADest.Bottom);
  HDC source = ABitmap->Canvas()->Handle();
  for (int64_t row = firstRow; row <= lastRow; ++row)
    for (int64_t col = firstCol; col <= lastCol; ++col)
      BitBlt(ADC, int(dx + col * w), int(dy + row * h), int(w), int(h), source, 0, 0, SRCCOPY);
}

void FillRectWithBitmapOrColor(HDC ADC, const TRect& ADest, const TRect& ASource, TBitmap* ABitmap, TColor AColor,
                               HBRUSH ABrush) {
  if (IsBitmapNotEmpty(ABitmap)) {
    TileBitmap(ADC, ADest, ASource, ABitmap);
    return;
  }
  if (ABrush) {
    FillRect(ADC, &ADest, ABrush);
    return;
  }
  HBRUSH brush = CreateSolidBrush(SysRGB(AColor));
  FillRect(ADC, &ADest, brush);
  DeleteObject(brush);
}

// ---------------------------------------------------------------- arrows

int32_t FittedItemArrowSize(const TRect& R, int32_t ADirection) {
  const int64_t base = ADirection == 1 ? int64_t(R.Right) - R.Left - 8 : int64_t(R.Bottom) - R.Top - 6;
  int64_t size = (base - 1) / 2;
  if (base % 2 != 0) ++size;
  return int32_t(std::max<int64_t>(size, 3));
}

void DrawItemArrowFitted(HDC ADC, const TRect& R, int32_t ADirection, TColor AColor, bool ANoEmboss, bool AEnabled,
                         bool ASelected) {
  DrawItemArrow(ADC, R, ADirection, AColor, ANoEmboss, AEnabled, ASelected, FittedItemArrowSize(R, ADirection));
}

void DrawItemArrow(HDC ADC, const TRect& R, int32_t ADirection, TColor AColor, bool ANoEmboss, bool AEnabled,
                   bool ASelected, int32_t ASize) {
  if (!ADC || ASize <= 0) return;
  TColor color = AColor;
  if (color == clDefault) {
    if (!AEnabled)
      color = clBtnShadow;
    else if (!ASelected)
      color = clBtnText;
    else
      color = IsHighContrastWhite() ? clBtnFace : clHighlightText;
  }
  const bool down = ADirection == 1;
  // In 64 bits: an absurd size or rectangle is refused instead of overflowing.
  const int64_t s = ASize, across = 2 * s - 1;
  const int64_t x64 = (int64_t(R.Left) + R.Right - (down ? across : s)) / 2;
  const int64_t y64 = (int64_t(R.Top) + R.Bottom - (down ? s : across)) / 2;
  constexpr int64_t kSizeLimit = int64_t(1) << 28, kPlaceLimit = int64_t(1) << 29;
  if (s > kSizeLimit || std::abs(x64) > kPlaceLimit || std::abs(y64) > kPlaceLimit) return;
  const int32_t x = int32_t(x64), y = int32_t(y64);
  POINT p[3];
  if (down) {
    p[0] = {x, y};
    p[1] = {x + 2 * ASize - 2, y};
    p[2] = {x + ASize - 1, y + ASize - 1};
  } else {
    p[0] = {x, y};
    p[1] = {x, y + 2 * ASize - 2};
    p[2] = {x + ASize - 1, y + ASize - 1};
  }
  const COLORREF rgb = SysRGB(color);
  FillPolygonWithColors(ADC, p, 2, rgb, rgb);
  if (AEnabled || ANoEmboss) return;
  HGDIOBJ oldPen = SelectObject(ADC, CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
  const int32_t n = ASize;
  if (down) {
    MoveToEx(ADC, x + n, y + n - 1, nullptr);
    LineTo(ADC, x + 2 * n - 1, y);
    MoveToEx(ADC, x + n, y + n, nullptr);
    LineTo(ADC, x + 2 * n, y);
  } else {
    MoveToEx(ADC, x + n - 1, y + n, nullptr);
    LineTo(ADC, x, y + 2 * n - 1);
    MoveToEx(ADC, x + n, y + n, nullptr);
    LineTo(ADC, x, y + 2 * n);
  }
  RestoreAndDeleteGdiObject(ADC, oldPen);
}

// ---------------------------------------------------------------- glyphs

TcxImageDrawMode ItemGlyphDrawMode(bool S1, bool S2, bool S3, bool S4, bool S5, bool S6, bool S7, bool S8) {
  if (!S1 && !S8) return idmDisabled;
  if (!S1) return idmFaded;
  if (S2) return idmGrayScale;
  if (!S3) return idmNormal;
  if (!S4 && !S5 && ScreenColorDepth() > 8) return idmDingy;
  if (S7 && S4 && !S6) return idmShadowed;
  return idmNormal;
}

TdxCachedImageOptions::TdxCachedImageOptions() : glyph_(std::make_unique<TcxAlphaBitmap>()) {}
TdxCachedImageOptions::~TdxCachedImageOptions() = default;

bool TdxCachedImageOptions::HasCachedImage(TcxImageDrawMode AMode, TBitmap* AGlyph, TCustomImageList* AImages) const {
  if (!cached_ || mode_ != AMode || glyph_->Empty()) return false;
  return AGlyph ? AGlyph == bitmap_ : AImages == images_;
}

void TdxCachedImageOptions::CacheImage(const TRect& AGlyphRect, TBitmap* AGlyph, bool AUseGlyphTransparentColor,
                                       bool ASmooth, TColor ABackColor, TcxImageDrawMode AMode, int32_t AImageIndex,
                                       TCustomImageList* AImages) {
  cached_ = false;
  // Transparent black underneath, so that the cached glyph keeps its shape in its alpha.
  glyph_->Reset(std::max(AGlyphRect.Width(), 0), std::max(AGlyphRect.Height(), 0));
  const TRect r = glyph_->GetClientRect();
  DrawImage(glyph_->Canvas()->Handle(), r, r, AGlyph, AImages, AImageIndex, AMode, ASmooth, nullptr, ABackColor,
            AUseGlyphTransparentColor);
  mode_ = AMode;
  images_ = AImages;
  bitmap_ = AGlyph;
  cached_ = true;
}

void DrawItemGlyph(TdxBarItemControl* AItemControl, HDC ADC, HBRUSH ABrush, const TRect& ABackgroundRect,
                   const TRect& AGlyphRect, TBitmap* ABitmap, TCustomImageList* AImages, int32_t AImageIndex,
                   TColor ABackColor, bool S1, bool S2, bool S3, bool S4, bool S5, bool S6, bool S7, bool S8,
                   bool ASmooth, bool AUseGlyphTransparentColor) {
  if (!ADC) return;
  TColor backColor = IsBitmapNotEmpty(ABitmap) ? clNone : ABackColor;
  TcxImageDrawMode mode = ItemGlyphDrawMode(S1, S2, S3, S4, S5, S6, S7, S8);
  TdxBarManager* manager = AItemControl ? AItemControl->GetBarManager() : nullptr;
  if (manager && manager->ImageOptions()->CacheGlyphs && mode != idmShadowed) {
    TdxCachedImageOptions* cache = AItemControl->CachedImageOptions();
    if (!cache->HasCachedImage(mode, ABitmap, AImages))
      cache->CacheImage(AGlyphRect, ABitmap, AUseGlyphTransparentColor, ASmooth, backColor, mode, AImageIndex,
                        AImages);
    TcxGlyphDrawHook hook = std::move(GlyphDrawHook);
    GlyphDrawHook = nullptr;
    TScopeExit restore([&] { GlyphDrawHook = std::move(hook); });
    DrawImage(ADC, AGlyphRect, ABackgroundRect, cache->Glyph(), AImages, AImageIndex, idmNormal, ASmooth, ABrush,
              backColor, AUseGlyphTransparentColor);
    return;
  }
  DrawImage(ADC, AGlyphRect, ABackgroundRect, ABitmap, AImages, AImageIndex, mode, ASmooth, ABrush, backColor,
            AUseGlyphTransparentColor);
}

void DrawGlyphTransparent(HDC ADC, HBRUSH ABrush, const TRect& ABackgroundRect, const TRect& AGlyphRect,
                          TBitmap* ABitmap, TCustomImageList* AImages, int32_t AImageIndex, TColor ABackColor, bool S1,
                          bool S2, bool S3, bool S4, bool S5, bool S6, bool S7, bool S8, bool ASmooth,
                          bool AUseGlyphTransparentColor) {
  DrawItemGlyph(nullptr, ADC, ABrush, ABackgroundRect, AGlyphRect, ABitmap, AImages, AImageIndex, ABackColor, S1, S2,
                S3, S4, S5, S6, S7, S8, ASmooth, AUseGlyphTransparentColor);
}

// ---------------------------------------------------------------- themed colours and parts

namespace {

constexpr int32_t kFillColorProperty = 3802;  // TMT_FILLCOLOR
constexpr int32_t kTextColorProperty = 3803;  // TMT_TEXTCOLOR
constexpr int32_t kTrueSize = 1;              // TS_TRUE
constexpr int32_t kEditTextPart = 1;
constexpr int32_t kSmallCloseButtonPart = 19;
constexpr int32_t kSizeBoxPart = 10;

bool ThemeColor(HTHEME theme, int32_t part, int32_t state, int32_t property, COLORREF& color) {
  COLORREF value = 0;
  if (!theme || FAILED(GetThemeColor(theme, part, state, property, value))) return false;
  color = value;
  return true;
}

bool ThemePartSize(TdxThemedObjectType type, int32_t part, TSize& size) {
  HTHEME theme = OpenThemeOfType(type);
  TSize value{0, 0};
  if (!theme || FAILED(GetThemePartSize(theme, nullptr, part, 1, kTrueSize, value))) return false;
  size = value;
  return true;
}

void FillWithButtonFace(HDC dc, const TRect& r) { FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE)); }

}  // namespace

COLORREF EditBackColorFromTheme(HTHEME ATheme, int32_t AState) {
  COLORREF color = GetSysColor(COLOR_WINDOW);
  if (AState == 4) ThemeColor(ATheme, kEditTextPart, AState, kFillColorProperty, color);
  return color;
}

COLORREF EditTextColorFromTheme(HTHEME ATheme, int32_t AState) {
  COLORREF color;
  if (ThemeColor(ATheme, kEditTextPart, AState, kTextColorProperty, color)) return color;
  return GetSysColor(AState == 4 ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
}

COLORREF ToolbarColorFromTheme() {
  COLORREF color;
  if (ThemeColor(OpenThemeOfType(totToolBar), 0, 0, kFillColorProperty, color)) return color;
  return GetSysColor(COLOR_BTNFACE);
}

void ThemedCloseButtonSize(TSize& ASize) {
  ASize = TSize{0, 0};
  ThemePartSize(totWindow, kSmallCloseButtonPart, ASize);
}

void DrawThemedCloseButton(HDC ADC, TRect& R, bool AHot, int32_t ASide, bool APressed) {
  HTHEME theme = OpenThemeOfType(totWindow);
  TSize size{0, 0};
  if (!ADC || !theme || !ThemePartSize(totWindow, kSmallCloseButtonPart, size)) return;
  const int32_t state = APressed ? 3 : AHot ? 2 : 1;
  const int32_t d = size.cy < R.Height() ? (R.Height() - size.cy) / 2 : 0;
  if (ASide == 1 || ASide == 3) {
    R.Left += d;
    R.Right = R.Left + size.cx;
  } else {
    R.Right -= d;
    R.Left = R.Right - size.cx;
  }
  R.Top += d;
  R.Bottom = R.Top + size.cy;
  FillWithButtonFace(ADC, R);
  DrawThemeBackground(theme, ADC, kSmallCloseButtonPart, state, R);
}

void ThemedSizeGripSize(TSize& ASize) {
  ASize = TSize{0, 0};
  if (ThemePartSize(totScrollBar, kSizeBoxPart, ASize)) ASize = TSize{ASize.cx + 2, ASize.cy + 2};
}

void DrawThemedSizeGrip(HDC ADC, TRect& R, int32_t ACorner) {
  HTHEME theme = OpenThemeOfType(totScrollBar);
  TSize size{0, 0};
  if (!ADC || !theme || !ThemePartSize(totScrollBar, kSizeBoxPart, size)) return;
  size = TSize{size.cx + 2, size.cy + 2};
  const bool right = ACorner == 1 || ACorner == 3, bottom = ACorner == 2 || ACorner == 3;
  if (right)
    R.Left = R.Right - size.cx - 1;
  else
    R.Right = R.Left + size.cx + 1;
  if (bottom)
    R.Top = R.Bottom - size.cy;
  else
    R.Bottom = R.Top + size.cy;
  FillWithButtonFace(ADC, R);
  TRect p = R;
  if (right)
    p.Left += 2;
  else
    p.Right -= 2;
  if (bottom)
    p.Top += 2;
  else
    p.Bottom -= 2;
  const int32_t w = p.Width(), h = p.Height();
  if (w <= 0 || h <= 0) return;
  HDC memDC = CreateCompatibleDC(ADC);
  HBITMAP memBmp = CreateCompatibleBitmap(ADC, w, h);
  HGDIOBJ oldBmp = SelectObject(memDC, memBmp);
  TScopeExit release([&] {
    SelectObject(memDC, oldBmp);
    DeleteObject(memBmp);
    DeleteDC(memDC);
  });
  const TRect all{0, 0, w, h};
  FillWithButtonFace(memDC, all);
  DrawThemeBackground(theme, memDC, kSizeBoxPart, 1, all);
  // The theme draws the grip for the bottom-right corner; the others see it
  // mirrored (a negative extent reaches back from its start).
  const int32_t sx = right ? 0 : w, sw = right ? w : -w;
  const int32_t sy = bottom ? 0 : h, sh = bottom ? h : -h;
  StretchBlt(ADC, p.Left, p.Top, w, h, memDC, sx, sy, sw, sh, SRCCOPY);
}

void DrawGripTransparently(HDC ADC, const TRect& R) {
  const int32_t w = R.Width(), h = R.Height();
  if (!ADC || w <= 0 || h <= 0) return;
  HDC backDC = CreateCompatibleDC(ADC);
  HDC gripDC = CreateCompatibleDC(ADC);
  HDC maskDC = CreateCompatibleDC(ADC);
  HBITMAP backBmp = CreateCompatibleBitmap(ADC, w, h);
  HBITMAP gripBmp = CreateCompatibleBitmap(ADC, w, h);
  HBITMAP maskBmp = CreateBitmap(w, h, 1, 1, nullptr);
  HGDIOBJ oldBack = SelectObject(backDC, backBmp);
  HGDIOBJ oldGrip = SelectObject(gripDC, gripBmp);
  HGDIOBJ oldMask = SelectObject(maskDC, maskBmp);
  TScopeExit release([&] {
    SelectObject(backDC, oldBack);
    SelectObject(gripDC, oldGrip);
    SelectObject(maskDC, oldMask);
    DeleteObject(backBmp);
    DeleteObject(gripBmp);
    DeleteObject(maskBmp);
    DeleteDC(backDC);
    DeleteDC(gripDC);
    DeleteDC(maskDC);
  });
  BitBlt(backDC, 0, 0, w, h, ADC, R.Left, R.Top, SRCCOPY);
  TRect r{0, 0, w, h};
  DrawFrameControl(gripDC, &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  // Background MERGEPAINT mask, grip SRCPAINT mask, then the two combined
  // with SRCAND: the grip's button-face pixels show what lay under them.
  const COLORREF oldColor = SetBkColor(gripDC, SysRGB(clBtnFace));
  BitBlt(maskDC, 0, 0, w, h, gripDC, 0, 0, SRCCOPY);
  SetBkColor(gripDC, oldColor);
  BitBlt(backDC, 0, 0, w, h, maskDC, 0, 0, MERGEPAINT);
  BitBlt(gripDC, 0, 0, w, h, maskDC, 0, 0, SRCPAINT);
  BitBlt(backDC, 0, 0, w, h, gripDC, 0, 0, SRCAND);
  BitBlt(ADC, R.Left, R.Top, w, h, backDC, 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------- fonts

NONCLIENTMETRICS ReadNonClientMetrics() {
  NONCLIENTMETRICS m;
  // The layout without the padded-border field.
  m.cbSize = sizeof(NONCLIENTMETRICS) - sizeof(int);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 0, &m, 0);
  return m;
}

HFONT CreateSmallCaptionFont(TFont* AFont, bool AUseSystemFont) {
  LOGFONT lf = ReadNonClientMetrics().lfSmCaptionFont;
  if (!AUseSystemFont && AFont) {
    lf.lfHeight = std::min(-11, int32_t(lf.lfHeight));
    SetFaceName(lf, AFont->Name());
  }
  return CreateFontIndirectW(&lf);
}

void CopyFontWithSystemSize(TFont* AFont, TFont* ATarget, bool AUseSystemSize) {
  if (!AFont || !ATarget) return;
  if (!AUseSystemSize) {
    ATarget->SetHandle(CloneFontHandle(AFont->Handle()));
    return;
  }
  LOGFONT lf = AFont->LogFont();
  LOGFONT icon{};
  SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(icon), &icon, 0);
  lf.lfHeight = std::min(-11, int32_t(icon.lfHeight));
  ATarget->SetHandle(CreateFontIndirectW(&lf));
}

HFONT CloneFontHandle(HFONT AFont) {
  LOGFONT lf{};
  if (!AFont || GetObject(AFont, sizeof(lf), &lf) != int(sizeof(lf))) return nullptr;
  return CreateFontIndirectW(&lf);
}
