#include "platform/vcl/stdctrlspaint.h"

#include "platform/gdi/edge.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/win/winuser.h"

using namespace win;

TMeasureDC::TMeasureDC(TFont* font) : TMeasureDC(font ? font->Handle() : nullptr) {}

TMeasureDC::TMeasureDC(HFONT font) {
  dc_ = CreateCompatibleDC(nullptr);
  if (dc_ && font) old_ = SelectObject(dc_, font);
}

TMeasureDC::~TMeasureDC() {
  if (!dc_) return;
  if (old_) SelectObject(dc_, old_);
  DeleteDC(dc_);
}

TSize TMeasureDC::TextExtent(const std::string& text) const {
  SIZE s;
  if (!GetTextExtentPoint32(dc_, text, -1, &s)) return {};
  return s;
}

int32_t TMeasureDC::LineHeight() const {
  TEXTMETRIC tm;
  if (!GetTextMetrics(dc_, &tm)) return 13;
  return tm.tmHeight;
}

void FillColorRect(HDC dc, const TRect& r, TColor color) {
  if (r.IsEmpty() || color == clNone) return;
  HBRUSH b = CreateSolidBrush(ColorToColorRef(color));
  FillRect(dc, &r, b);
  DeleteObject(b);
}

void DrawControlText(HDC dc, const std::string& text, TRect r, UINT format, TColor color, bool enabled) {
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  if (enabled) {
    const COLORREF old = SetTextColor(dc, ColorToColorRef(color));
    DrawText(dc, text, -1, &r, format);
    SetTextColor(dc, old);
  } else {
    TRect shifted = r;
    shifted.Offset(1, 1);
    COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawText(dc, text, -1, &shifted, format);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawText(dc, text, -1, &r, format);
    SetTextColor(dc, old);
  }
  SetBkMode(dc, oldMode);
}

void DrawFocusRectangle(HDC dc, const TRect& r) {
  const COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  const COLORREF oldBk = SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  DrawFocusRect(dc, &r);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBk);
}

void DrawPushButton(HDC dc, TRect r, const std::string& caption, bool pressed, bool isDefault, bool focused,
                    bool enabled) {
  if (r.IsEmpty()) return;
  if (isDefault || focused) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    r.Inflate(-1, -1);
  }
  if (pressed) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    TRect inner = r;
    inner.Inflate(-1, -1);
    FillRect(dc, &inner, GetSysColorBrush(COLOR_BTNFACE));
  } else {
    TRect face = r;
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH);
  }
  TRect text = r;
  text.Inflate(-4, -3);
  if (pressed) text.Offset(1, 1);
  DrawControlText(dc, caption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, clBtnText, enabled);
  if (focused) {
    TRect fr = r;
    fr.Inflate(-4, -4);
    DrawFocusRectangle(dc, fr);
  }
}

void DrawCheckGlyph(HDC dc, TRect box, int state, bool radio, bool pressed, bool enabled) {
  UINT flags = radio ? DFCS_BUTTONRADIO : (state == 2 ? DFCS_BUTTON3STATE : DFCS_BUTTONCHECK);
  if (state != 0) flags |= DFCS_CHECKED;
  if (pressed) flags |= DFCS_PUSHED;
  if (!enabled) flags |= DFCS_INACTIVE;
  DrawFrameControl(dc, &box, DFC_BUTTON, flags);
}
