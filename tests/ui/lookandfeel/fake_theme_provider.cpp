#include "fake_theme_provider.h"

#include <algorithm>

#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"

HTHEME FakeThemeProvider::OpenThemeData(win::HWND, std::u16string_view classList) {
  Calls.push_back("OpenThemeData " + Utf16ToUtf8(classList));
  const std::u16string upper = Utf8ToUtf16(AnsiUpperCase(Utf16ToUtf8(classList)));
  if (std::find(Refused.begin(), Refused.end(), upper) != Refused.end()) return 0;
  Opens.push_back({++next_, std::u16string(classList)});
  return next_;
}

win::HRESULT FakeThemeProvider::CloseThemeData(HTHEME theme) {
  Calls.push_back("CloseThemeData");
  Closes.push_back(theme);
  return win::S_OK;
}

win::HRESULT FakeThemeProvider::DrawThemeBackground(HTHEME, win::HDC dc, int32_t part, int32_t state,
                                                    const TRect& rect, const TRect* clip) {
  Calls.push_back("DrawThemeBackground");
  TRect r = rect;
  if (clip) {
    r.Left = std::max(r.Left, clip->Left);
    r.Top = std::max(r.Top, clip->Top);
    r.Right = std::min(r.Right, clip->Right);
    r.Bottom = std::min(r.Bottom, clip->Bottom);
  }
  win::HBRUSH brush = win::CreateSolidBrush(FillOf(part, state));
  win::FillRect(dc, &r, brush);
  win::DeleteObject(brush);
  return win::S_OK;
}

win::HRESULT FakeThemeProvider::DrawThemeText(HTHEME, win::HDC, int32_t, int32_t, std::u16string_view text, uint32_t,
                                              uint32_t, const TRect&) {
  Calls.push_back("DrawThemeText " + Utf16ToUtf8(text));
  return win::S_OK;
}

win::HRESULT FakeThemeProvider::GetThemeBackgroundContentRect(HTHEME, win::HDC, int32_t, int32_t, const TRect& bounds,
                                                              TRect& content) {
  Calls.push_back("GetThemeBackgroundContentRect");
  content = TRect(bounds.Left + Margins.Left, bounds.Top + Margins.Top, bounds.Right - Margins.Right,
                  bounds.Bottom - Margins.Bottom);
  return win::S_OK;
}

win::HRESULT FakeThemeProvider::GetThemePartSize(HTHEME, win::HDC, int32_t part, int32_t, const TRect*, int32_t,
                                                 TSize& size) {
  Calls.push_back("GetThemePartSize");
  auto it = PartSizes.find(part);
  size = it != PartSizes.end() ? it->second : PartSize;
  return win::S_OK;
}

win::HRESULT FakeThemeProvider::GetThemeBackgroundRegion(HTHEME, win::HDC, int32_t, int32_t, const TRect&,
                                                         win::HRGN& region) {
  Calls.push_back("GetThemeBackgroundRegion");
  region = nullptr;
  return win::E_NOTIMPL;
}

win::HRESULT FakeThemeProvider::DrawThemeEdge(HTHEME, win::HDC, int32_t, int32_t, const TRect& rect, uint32_t,
                                              uint32_t, TRect* content) {
  Calls.push_back("DrawThemeEdge");
  if (content) *content = rect;
  return win::S_OK;
}

bool FakeThemeProvider::IsThemeBackgroundPartiallyTransparent(HTHEME, int32_t, int32_t) {
  Calls.push_back("IsThemeBackgroundPartiallyTransparent");
  return false;
}

win::HRESULT FakeThemeProvider::GetThemeColor(HTHEME, int32_t part, int32_t, int32_t property,
                                              win::COLORREF& color) {
  Calls.push_back("GetThemeColor");
  auto it = Colors.find({part, property});
  if (it == Colors.end()) return win::E_FAIL;
  color = it->second;
  return win::S_OK;
}

win::HRESULT FakeThemeProvider::GetCurrentThemeName(std::u16string& fileName, std::u16string& colorName,
                                                    std::u16string& sizeName) {
  Calls.push_back("GetCurrentThemeName");
  fileName = ThemeFile;
  colorName = ColorName;
  sizeName = SizeName;
  return win::S_OK;
}

HPAINTBUFFER FakeThemeProvider::BeginBufferedPaint(win::HDC target, const TRect&, uint32_t, win::HDC& paintDC) {
  Calls.push_back("BeginBufferedPaint");
  paintDC = target;
  return 1;
}

win::HRESULT FakeThemeProvider::EndBufferedPaint(HPAINTBUFFER, bool) {
  Calls.push_back("EndBufferedPaint");
  return win::S_OK;
}

win::HRESULT FakeThemeProvider::BufferedPaintSetAlpha(HPAINTBUFFER, const TRect*, uint8_t) {
  Calls.push_back("BufferedPaintSetAlpha");
  return win::S_OK;
}
