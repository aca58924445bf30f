#include "ui/lookandfeel/dxUxTheme.h"

#include "platform/rtl/text.h"

namespace {
TdxThemeProvider* provider = nullptr;
}  // namespace

void dxBindThemeProvider(TdxThemeProvider* p) { provider = p; }
bool dxUxThemeLibraryLoaded() { return provider != nullptr; }

HTHEME OpenThemeData(win::HWND wnd, std::u16string_view classList) { return provider->OpenThemeData(wnd, classList); }
win::HRESULT CloseThemeData(HTHEME theme) { return provider->CloseThemeData(theme); }
win::HRESULT DrawThemeBackground(HTHEME theme, win::HDC dc, int32_t part, int32_t state, const TRect& rect,
                                 const TRect* clip) {
  return provider->DrawThemeBackground(theme, dc, part, state, rect, clip);
}
win::HRESULT DrawThemeText(HTHEME theme, win::HDC dc, int32_t part, int32_t state, std::u16string_view text,
                           uint32_t flags, uint32_t flags2, const TRect& rect) {
  return provider->DrawThemeText(theme, dc, part, state, text, flags, flags2, rect);
}
win::HRESULT DrawThemeText(HTHEME theme, win::HDC dc, int32_t part, int32_t state, std::string_view text,
                           uint32_t flags, uint32_t flags2, const TRect& rect) {
  const std::u16string wide = Utf8ToUtf16(text);
  return provider->DrawThemeText(theme, dc, part, state, wide, flags, flags2, rect);
}
win::HRESULT GetThemeBackgroundContentRect(HTHEME theme, win::HDC dc, int32_t part, int32_t state,
                                           const TRect& bounds, TRect& content) {
  return provider->GetThemeBackgroundContentRect(theme, dc, part, state, bounds, content);
}
win::HRESULT GetThemePartSize(HTHEME theme, win::HDC dc, int32_t part, int32_t state, const TRect* rect,
                              int32_t sizeKind, TSize& size) {
  return provider->GetThemePartSize(theme, dc, part, state, rect, sizeKind, size);
}
win::HRESULT GetThemePartSize(HTHEME theme, win::HDC dc, int32_t part, int32_t state, int32_t sizeKind, TSize& size) {
  return provider->GetThemePartSize(theme, dc, part, state, nullptr, sizeKind, size);
}
win::HRESULT GetThemeBackgroundRegion(HTHEME theme, win::HDC dc, int32_t part, int32_t state, const TRect& rect,
                                      win::HRGN& region) {
  return provider->GetThemeBackgroundRegion(theme, dc, part, state, rect, region);
}
win::HRESULT DrawThemeEdge(HTHEME theme, win::HDC dc, int32_t part, int32_t state, const TRect& rect, uint32_t edge,
                           uint32_t flags, TRect* content) {
  return provider->DrawThemeEdge(theme, dc, part, state, rect, edge, flags, content);
}
bool IsThemeBackgroundPartiallyTransparent(HTHEME theme, int32_t part, int32_t state) {
  return provider->IsThemeBackgroundPartiallyTransparent(theme, part, state);
}
win::HRESULT GetThemeColor(HTHEME theme, int32_t part, int32_t state, int32_t property, win::COLORREF& color) {
  return provider->GetThemeColor(theme, part, state, property, color);
}
bool IsThemeActive() { return provider != nullptr && provider->IsThemeActive(); }
win::HRESULT GetCurrentThemeName(std::u16string& fileName, std::u16string& colorName, std::u16string& sizeName) {
  return provider->GetCurrentThemeName(fileName, colorName, sizeName);
}
HPAINTBUFFER BeginBufferedPaint(win::HDC target, const TRect& rect, uint32_t format, win::HDC& paintDC) {
  return provider->BeginBufferedPaint(target, rect, format, paintDC);
}
win::HRESULT EndBufferedPaint(HPAINTBUFFER buffer, bool updateTarget) {
  return provider->EndBufferedPaint(buffer, updateTarget);
}
win::HRESULT BufferedPaintSetAlpha(HPAINTBUFFER buffer, const TRect* rect, uint8_t alpha) {
  return provider->BufferedPaintSetAlpha(buffer, rect, alpha);
}
