// The binding to the platform's visual styles. Linux has none, so the program
// binds no provider and every caller draws without themes; a provider given to
// dxBindThemeProvider stands in for the loaded library (tests use one).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gdi/gdi.h"
#include "platform/rtl/types.h"
#include "platform/win/winerror.h"
#include "platform/win/winuser.h"

using HTHEME = uintptr_t;
using HPAINTBUFFER = uintptr_t;

// The size kinds of GetThemePartSize.
enum THEMESIZE : int32_t { TS_MIN, TS_TRUE, TS_DRAW };

// The visual-styles entry points the library calls.
class TdxThemeProvider {
public:
  virtual ~TdxThemeProvider() = default;
  virtual HTHEME OpenThemeData(win::HWND wnd, std::u16string_view classList) = 0;
  virtual win::HRESULT CloseThemeData(HTHEME theme) = 0;
  virtual win::HRESULT DrawThemeBackground(HTHEME theme, win::HDC dc, int32_t part, int32_t state, const TRect& rect,
                                           const TRect* clip) = 0;
  virtual win::HRESULT DrawThemeText(HTHEME theme, win::HDC dc, int32_t part, int32_t state, std::u16string_view text,
                                     uint32_t flags, uint32_t flags2, const TRect& rect) = 0;
  virtual win::HRESULT GetThemeBackgroundContentRect(HTHEME theme, win::HDC dc, int32_t part, int32_t state,
                                                     const TRect& bounds, TRect& content) = 0;
  virtual win::HRESULT GetThemePartSize(HTHEME theme, win::HDC dc, int32_t part, int32_t state, const TRect* rect,
                                        int32_t sizeKind, TSize& size) = 0;
  virtual win::HRESULT GetThemeBackgroundRegion(HTHEME theme, win::HDC dc, int32_t part, int32_t state,
                                                const TRect& rect, win::HRGN& region) = 0;
  virtual win::HRESULT DrawThemeEdge(HTHEME theme, win::HDC dc, int32_t part, int32_t state, const TRect& rect,
                                     uint32_t edge, uint32_t flags, TRect* content) = 0;
  virtual bool IsThemeBackgroundPartiallyTransparent(HTHEME theme, int32_t part, int32_t state) = 0;
  virtual win::HRESULT GetThemeColor(HTHEME theme, int32_t part, int32_t state, int32_t property,
                                     win::COLORREF& color) = 0;
  virtual bool IsThemeActive() = 0;
  virtual win::HRESULT GetCurrentThemeName(std::u16string& fileName, std::u16string& colorName,
                                           std::u16string& sizeName) = 0;
  virtual HPAINTBUFFER BeginBufferedPaint(win::HDC target, const TRect& rect, uint32_t format, win::HDC& paintDC) = 0;
  virtual win::HRESULT EndBufferedPaint(HPAINTBUFFER buffer, bool updateTarget) = 0;
  virtual win::HRESULT BufferedPaintSetAlpha(HPAINTBUFFER buffer, const TRect* rect, uint8_t alpha) = 0;
};

// Binds provider (not owned) as the loaded library, or none with nullptr. The
// theme manager reads it at its start-up; bind before the units start.
void dxBindThemeProvider(TdxThemeProvider* provider);
// True while a provider is bound.
bool dxUxThemeLibraryLoaded();

// The wrappers: each passes its arguments to the bound provider. Callers reach
// them only after visual styles were reported available.
HTHEME OpenThemeData(win::HWND wnd, std::u16string_view classList);
win::HRESULT CloseThemeData(HTHEME theme);
win::HRESULT DrawThemeBackground(HTHEME theme, win::HDC dc, int32_t part, int32_t state, const TRect& rect,
                                 const TRect* clip = nullptr);
win::HRESULT DrawThemeText(HTHEME theme, win::HDC dc, int32_t part, int32_t state, std::u16string_view text,
                           uint32_t flags, uint32_t flags2, const TRect& rect);
// The narrow form: the text is converted to UTF-16 first.
win::HRESULT DrawThemeText(HTHEME theme, win::HDC dc, int32_t part, int32_t state, std::string_view text,
                           uint32_t flags, uint32_t flags2, const TRect& rect);
win::HRESULT GetThemeBackgroundContentRect(HTHEME theme, win::HDC dc, int32_t part, int32_t state,
                                           const TRect& bounds, TRect& content);
win::HRESULT GetThemePartSize(HTHEME theme, win::HDC dc, int32_t part, int32_t state, const TRect* rect,
                              int32_t sizeKind, TSize& size);
win::HRESULT GetThemePartSize(HTHEME theme, win::HDC dc, int32_t part, int32_t state, int32_t sizeKind, TSize& size);
win::HRESULT GetThemeBackgroundRegion(HTHEME theme, win::HDC dc, int32_t part, int32_t state, const TRect& rect,
                                      win::HRGN& region);
win::HRESULT DrawThemeEdge(HTHEME theme, win::HDC dc, int32_t part, int32_t state, const TRect& rect, uint32_t edge,
                           uint32_t flags, TRect* content);
bool IsThemeBackgroundPartiallyTransparent(HTHEME theme, int32_t part, int32_t state);
win::HRESULT GetThemeColor(HTHEME theme, int32_t part, int32_t state, int32_t property, win::COLORREF& color);
// False when nothing is bound.
bool IsThemeActive();
win::HRESULT GetCurrentThemeName(std::u16string& fileName, std::u16string& colorName, std::u16string& sizeName);
HPAINTBUFFER BeginBufferedPaint(win::HDC target, const TRect& rect, uint32_t format, win::HDC& paintDC);
win::HRESULT EndBufferedPaint(HPAINTBUFFER buffer, bool updateTarget);
win::HRESULT BufferedPaintSetAlpha(HPAINTBUFFER buffer, const TRect* rect, uint8_t alpha);
