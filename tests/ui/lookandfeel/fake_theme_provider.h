// A stand-in for the visual-styles library: records the calls it receives,
// hands out numbered handles and answers from tables the test fills.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ui/lookandfeel/dxUxTheme.h"

class FakeThemeProvider : public TdxThemeProvider {
public:
  // The colour DrawThemeBackground fills with for part and state.
  static win::COLORREF FillOf(int32_t part, int32_t state) {
    return win::COLORREF(0x40 + part * 8) | win::COLORREF(0x20 + state * 16) << 8 | 0x5Au << 16;
  }

  struct Opened {
    HTHEME Theme;
    std::u16string ClassList;
  };

  bool Active = true;
  // Class lists (upper-cased) that fail to open.
  std::vector<std::u16string> Refused;
  std::u16string ThemeFile = u"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";
  std::u16string ColorName = u"NormalColor";
  std::u16string SizeName = u"NormalSize";
  TSize PartSize{13, 13};
  std::map<int32_t, TSize> PartSizes;  // per part; PartSize for the others
  TRect Margins{2, 2, 2, 2};
  std::map<std::pair<int32_t, int32_t>, win::COLORREF> Colors;  // (part, property)

  std::vector<Opened> Opens;
  std::vector<HTHEME> Closes;
  std::vector<std::string> Calls;

  HTHEME OpenThemeData(win::HWND wnd, std::u16string_view classList) override;
  win::HRESULT CloseThemeData(HTHEME theme) override;
  win::HRESULT DrawThemeBackground(HTHEME theme, win::HDC dc, int32_t part, int32_t state, const TRect& rect,
                                   const TRect* clip) override;
  win::HRESULT DrawThemeText(HTHEME theme, win::HDC dc, int32_t part, int32_t state, std::u16string_view text,
                             uint32_t flags, uint32_t flags2, const TRect& rect) override;
  win::HRESULT GetThemeBackgroundContentRect(HTHEME theme, win::HDC dc, int32_t part, int32_t state,
                                             const TRect& bounds, TRect& content) override;
  win::HRESULT GetThemePartSize(HTHEME theme, win::HDC dc, int32_t part, int32_t state, const TRect* rect,
                                int32_t sizeKind, TSize& size) override;
  win::HRESULT GetThemeBackgroundRegion(HTHEME theme, win::HDC dc, int32_t part, int32_t state, const TRect& rect,
                                        win::HRGN& region) override;
  win::HRESULT DrawThemeEdge(HTHEME theme, win::HDC dc, int32_t part, int32_t state, const TRect& rect, uint32_t edge,
                             uint32_t flags, TRect* content) override;
  bool IsThemeBackgroundPartiallyTransparent(HTHEME theme, int32_t part, int32_t state) override;
  win::HRESULT GetThemeColor(HTHEME theme, int32_t part, int32_t state, int32_t property,
                             win::COLORREF& color) override;
  bool IsThemeActive() override { return Active; }
  win::HRESULT GetCurrentThemeName(std::u16string& fileName, std::u16string& colorName,
                                   std::u16string& sizeName) override;
  HPAINTBUFFER BeginBufferedPaint(win::HDC target, const TRect& rect, uint32_t format, win::HDC& paintDC) override;
  win::HRESULT EndBufferedPaint(HPAINTBUFFER buffer, bool updateTarget) override;
  win::HRESULT BufferedPaintSetAlpha(HPAINTBUFFER buffer, const TRect* rect, uint8_t alpha) override;

private:
  HTHEME next_ = 0x100;
};
