// Text output, measuring and DrawText formatting.
//
// A run of text is laid out in text space (x along the baseline, y down) from
// whole-pixel advances, then mapped onto the device by the font's escapement
// around the reference point. Measuring uses the same advances, so a measured
// width is exactly the width drawn.
#include "platform/gdi/text.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

#include "platform/rtl/text.h"

namespace win {

using fontengine::RealizedFont;

namespace {

fontengine::FontRequest RequestOf(const LOGFONT& lf) {
  fontengine::FontRequest r;
  r.faceName = std::string(lf.lfFaceName, strnlen(lf.lfFaceName, sizeof(lf.lfFaceName)));
  r.height = lf.lfHeight;
  r.width = std::abs(lf.lfWidth);
  r.escapement = lf.lfEscapement;
  r.weight = lf.lfWeight;
  r.italic = lf.lfItalic != 0;
  r.underline = lf.lfUnderline != 0;
  r.strikeOut = lf.lfStrikeOut != 0;
  r.charSet = lf.lfCharSet;
  r.quality = lf.lfQuality;
  r.pitchAndFamily = lf.lfPitchAndFamily;
  return r;
}

std::shared_ptr<RealizedFont> DefaultFont() {
  static std::shared_ptr<RealizedFont> font = [] {
    fontengine::FontRequest r;
    r.faceName = "MS Sans Serif";
    r.height = -11;
    return fontengine::Realize(r);
  }();
  return font;
}

std::u32string Decode(std::string_view text, int count) {
  std::u32string s = Utf8ToUtf32(text);
  if (count >= 0 && size_t(count) < s.size()) s.resize(size_t(count));
  return s;
}

bool RightAngle(const RealizedFont& f) { return f.Escapement() % 900 == 0; }

RECT Normalized(RECT r) {
  if (r.Left > r.Right) std::swap(r.Left, r.Right);
  if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
  return r;
}

RECT ToDevice(HDC dc, const RECT& r) {
  POINT p[2] = {{r.Left, r.Top}, {r.Right, r.Bottom}};
  LPtoDP(dc, p, 2);
  return Normalized(RECT{p[0].X, p[0].Y, p[1].X, p[1].Y});
}

// Draws pieces of one run: rectangles and glyphs given in text space relative
// to a reference point on the device.
class Painter {
public:
  Painter(HDC dc, RealizedFont& font, POINT refDev, const RECT* clip)
      : dc_(dc), font_(font), ref_(refDev), clip_(clip) {}

  POINT Map(int32_t tx, int32_t ty) const {
    if (font_.Escapement() == 0) return {ref_.X + tx, ref_.Y + ty};
    const double c = font_.Cos(), s = font_.Sin();
    return {ref_.X + int32_t(std::lround(tx * c + ty * s)), ref_.Y + int32_t(std::lround(-tx * s + ty * c))};
  }

  void FillRect(int32_t x0, int32_t y0, int32_t x1, int32_t y1, COLORREF color) const {
    if (x0 >= x1 || y0 >= y1) return;
    if (RightAngle(font_)) {
      const POINT a = Map(x0, y0), b = Map(x1, y1);
      DCFillSolid(dc_, Normalized(RECT{a.X, a.Y, b.X, b.Y}), color, clip_);
      return;
    }
    const double c = font_.Cos(), s = font_.Sin();
    auto map = [&](double tx, double ty) {
      return fontengine::PointF{ref_.X + tx * c + ty * s, ref_.Y - tx * s + ty * c};
    };
    std::vector<std::vector<fontengine::PointF>> poly{{map(x0, y0), map(x1, y0), map(x1, y1), map(x0, y1)}};
    const fontengine::Coverage cov = fontengine::RasterizePolygons(poly, false, !font_.Monochrome());
    if (!cov.Empty())
      DCBlendMask(dc_, cov.left, cov.top, cov.data.data(), cov.width, cov.height, cov.width, color, clip_);
  }

  void Glyph(char32_t cp, int32_t penX, int32_t baseY, COLORREF color) const {
    const fontengine::Glyph& g = font_.GetGlyph(cp);
    if (g.image.Empty()) return;
    const POINT o = Map(penX, baseY);
    DCBlendMask(dc_, o.X + g.image.left, o.Y + g.image.top, g.image.data.data(), g.image.width, g.image.height,
                g.image.width, color, clip_);
  }

private:
  HDC dc_;
  RealizedFont& font_;
  POINT ref_;
  const RECT* clip_;
};

struct RunStyle {
  COLORREF text = 0;
  COLORREF bk = 0xFFFFFF;
  bool opaqueCell = false;
  bool glyphs = true;
};

// The text and background colours and mode a DC gives its text.
RunStyle RunStyleOf(const DCState& st) {
  RunStyle style;
  style.text = st.TextColor;
  style.bk = st.BkColor;
  style.opaqueCell = st.BkMode == OPAQUE;
  return style;
}

// One line of glyphs with its optional cell background and the font's own
// underline and strike-out, starting at startX on the baseline baseY.
void PaintRun(const Painter& p, RealizedFont& font, const std::u32string& cps, const std::vector<int32_t>& adv,
              int32_t startX, int32_t baseY, const RunStyle& style) {
  const fontengine::FontMetrics& m = font.Metrics();
  int32_t width = 0;
  for (int32_t a : adv) width += a;
  if (style.opaqueCell && width > 0) p.FillRect(startX, baseY - m.ascent, startX + width, baseY + m.descent, style.bk);
  if (!style.glyphs) return;
  int32_t pen = startX;
  for (size_t i = 0; i < cps.size(); ++i) {
    p.Glyph(cps[i], pen, baseY, style.text);
    pen += adv[i];
  }
  if (font.Request().underline)
    p.FillRect(startX, baseY + m.underlinePosition, startX + width, baseY + m.underlinePosition + m.underlineThickness,
               style.text);
  if (font.Request().strikeOut)
    p.FillRect(startX, baseY - m.strikeoutPosition, startX + width, baseY - m.strikeoutPosition + m.strikeoutThickness,
               style.text);
}

bool IsControl(char32_t cp) { return cp < 0x20 || cp == 0x7F; }

}  // namespace

std::shared_ptr<RealizedFont> RealizeFontObject(HFONT font) {
  FontObject* f = CheckedHandle<FontObject>(font, OBJ_FONT);
  if (!f) return nullptr;
  static std::mutex slotMutex;  // the slot is filled once, whichever thread draws first
  std::lock_guard lock(slotMutex);
  if (!f->Realized) f->Realized = std::shared_ptr<void>(fontengine::Realize(RequestOf(f->LogFont)));
  return std::static_pointer_cast<RealizedFont>(f->Realized);
}

std::shared_ptr<RealizedFont> RealizedFontOf(HDC dc) {
  if (auto f = RealizeFontObject(static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT)))) return f;
  return DefaultFont();
}

BOOL GetTextMetrics(HDC dc, TEXTMETRIC* tm) {
  if (!tm || !GetDCState(dc)) return FALSE;
  auto font = RealizedFontOf(dc);
  const fontengine::FontMetrics& m = font->Metrics();
  const fontengine::FontRequest& r = font->Request();
  *tm = TEXTMETRIC{};
  tm->tmHeight = m.height;
  tm->tmAscent = m.ascent;
  tm->tmDescent = m.descent;
  tm->tmInternalLeading = m.internalLeading;
  tm->tmExternalLeading = m.externalLeading;
  tm->tmAveCharWidth = m.aveCharWidth;
  tm->tmMaxCharWidth = m.maxCharWidth;
  tm->tmWeight = m.weight;
  tm->tmFirstChar = char32_t(m.firstChar);
  tm->tmLastChar = char32_t(m.lastChar);
  tm->tmDefaultChar = char32_t(m.defaultChar);
  tm->tmBreakChar = char32_t(m.breakChar);
  tm->tmItalic = r.italic ? 1 : 0;
  tm->tmUnderlined = r.underline ? 1 : 0;
  tm->tmStruckOut = r.strikeOut ? 1 : 0;
  BYTE family = FF_SWISS;
  const std::string& fam = m.familyName;
  if (m.symbol) family = FF_DECORATIVE;
  else if (m.fixedPitch || fam.find("Mono") != std::string::npos) family = FF_MODERN;
  else if (fam.find("Serif") != std::string::npos && fam.find("Sans") == std::string::npos) family = FF_ROMAN;
  tm->tmPitchAndFamily = BYTE(family | TMPF_VECTOR | TMPF_TRUETYPE | (m.fixedPitch ? 0 : TMPF_FIXED_PITCH));
  tm->tmCharSet = m.symbol ? SYMBOL_CHARSET : (r.charSet == DEFAULT_CHARSET ? ANSI_CHARSET : r.charSet);
  return TRUE;
}

std::string GetTextFace(HDC dc) {
  if (!GetDCState(dc)) return {};
  return RealizedFontOf(dc)->Metrics().faceName;
}

BOOL GetTextExtentExPoint(HDC dc, std::string_view text, int count, int maxExtent, int* fit, int* dx, SIZE* size) {
  const DCState* st = GetDCState(dc);
  if (!st) return FALSE;
  const int extra = st->TextCharExtra;
  auto font = RealizedFontOf(dc);
  const std::u32string cps = Decode(text, count);
  int32_t x = 0;
  int fits = 0;
  for (size_t i = 0; i < cps.size(); ++i) {
    x += font->Advance(cps[i]) + extra;
    if (dx) dx[i] = x;
    if (x <= maxExtent && fits == int(i)) fits = int(i) + 1;
  }
  if (fit) *fit = fits;
  if (size) *size = SIZE{x, font->Metrics().height};
  return TRUE;
}

BOOL GetTextExtentPoint32(HDC dc, std::string_view text, int count, SIZE* size) {
  if (!size) return FALSE;
  return GetTextExtentExPoint(dc, text, count, 0, nullptr, nullptr, size);
}

BOOL GetCharWidth32(HDC dc, UINT first, UINT last, int* widths) {
  if (!widths || first > last || last - first > 0x10FFFF || !GetDCState(dc)) return FALSE;
  auto font = RealizedFontOf(dc);
  for (UINT c = first; c <= last; ++c) widths[c - first] = font->Advance(char32_t(c));
  return TRUE;
}

BOOL GetCharABCWidths(HDC dc, UINT first, UINT last, ABC* abc) {
  if (!abc || first > last || last - first > 0x10FFFF || !GetDCState(dc)) return FALSE;
  auto font = RealizedFontOf(dc);
  for (UINT c = first; c <= last; ++c) {
    const fontengine::Glyph& g = font->GetGlyph(char32_t(c));
    ABC& out = abc[c - first];
    out.abcA = g.abcA;
    out.abcB = UINT(g.abcB);
    out.abcC = g.advance - g.abcA - g.abcB;
  }
  return TRUE;
}

BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, std::string_view text, int count,
                const int* dx) {
  const DCState* st = GetDCState(dc);
  if (!st) return FALSE;
  const UINT align = st->TextAlign;
  const POINT ref = (align & TA_UPDATECP) ? st->CurrentPos : POINT{x, y};
  RunStyle style = RunStyleOf(*st);
  const int extra = st->TextCharExtra;

  auto font = RealizedFontOf(dc);
  const fontengine::FontMetrics& m = font->Metrics();
  const std::u32string cps = Decode(text, count);
  std::vector<int32_t> adv(cps.size());
  int32_t width = 0;
  for (size_t i = 0; i < cps.size(); ++i) {
    adv[i] = dx ? dx[i] : font->Advance(cps[i]) + extra;
    width += adv[i];
  }

  RECT clipDev;
  const RECT* clip = nullptr;
  if (rect) {
    const RECT r = ToDevice(dc, *rect);
    if (options & ETO_OPAQUE) DCFillSolid(dc, r, style.bk, nullptr);
    if (options & ETO_CLIPPED) {
      clipDev = r;
      clip = &clipDev;
    }
  }

  int32_t startX = 0;
  switch (align & TA_CENTER) {
    case TA_RIGHT: startX = -width; break;
    case TA_CENTER: startX = -width / 2; break;
    default: break;
  }
  int32_t baseY = m.ascent;
  switch (align & TA_BASELINE) {
    case TA_BOTTOM: baseY = -m.descent; break;
    case TA_BASELINE: baseY = 0; break;
    default: break;
  }

  POINT refDev = ref;
  LPtoDP(dc, &refDev, 1);
  Painter painter(dc, *font, refDev, clip);
  PaintRun(painter, *font, cps, adv, startX, baseY, style);

  if (align & TA_UPDATECP) {
    int32_t moved = 0;
    if ((align & TA_CENTER) == TA_LEFT) moved = width;
    else if ((align & TA_CENTER) == TA_RIGHT) moved = -width;
    const int32_t mx = int32_t(std::lround(moved * font->Cos()));
    const int32_t my = int32_t(std::lround(-moved * font->Sin()));
    MoveToEx(dc, ref.X + mx, ref.Y + my, nullptr);
  }
  return TRUE;
}

BOOL TextOut(HDC dc, int x, int y, std::string_view text, int count) {
  return ExtTextOut(dc, x, y, 0, nullptr, text, count, nullptr);
}

// ---------------------------------------------------------------- DrawText

namespace {

struct LChar {
  char32_t cp;
  bool prefixed;  // marked by '&' for an underline
};
using LLine = std::vector<LChar>;

bool IsBlank(char32_t cp) { return cp == U' ' || cp == U'\t'; }

class Layout {
public:
  Layout(RealizedFont& font, int extra, bool expandTabs, int32_t tabWidth)
      : font_(font), extra_(extra), expandTabs_(expandTabs), tabWidth_(tabWidth) {}

  // Advance of cp when it starts at x on its line: tabs reach the next stop.
  int32_t Advance(char32_t cp, int32_t x) const {
    if (cp == U'\t' && expandTabs_) return tabWidth_ > 0 ? (x / tabWidth_ + 1) * tabWidth_ - x : 0;
    if (IsControl(cp)) return 0;
    return font_.Advance(cp) + extra_;
  }

  // Advances of each character and the total width.
  int32_t Measure(const LLine& line, std::vector<int32_t>* adv = nullptr) const {
    int32_t x = 0;
    if (adv) adv->resize(line.size());
    for (size_t i = 0; i < line.size(); ++i) {
      const int32_t a = Advance(line[i].cp, x);
      if (adv) (*adv)[i] = a;
      x += a;
    }
    return x;
  }

  // Greedy breaking at blanks. A word wider than the line stays whole (and
  // overflows) unless editControl, which breaks it between characters.
  std::vector<LLine> Wrap(const LLine& p, int32_t w, bool editControl) const {
    std::vector<LLine> lines;
    const size_t n = p.size();
    if (n == 0) return {LLine{}};
    size_t s = 0;
    while (s < n) {
      int32_t x = 0;
      size_t i = s, lineEnd = s, next = n;
      bool hasWord = false, broke = false;
      while (i < n) {
        if (IsBlank(p[i].cp)) {
          x += Advance(p[i].cp, x);
          ++i;
          continue;
        }
        size_t e = i;
        int32_t wx = x;
        while (e < n && !IsBlank(p[e].cp)) wx += Advance(p[e].cp, wx), ++e;
        if (wx <= w) {
          x = wx;
          lineEnd = i = e;
          hasWord = true;
          continue;
        }
        if (hasWord) {  // this word starts the next line
          next = i;
          broke = true;
          break;
        }
        if (editControl) {
          size_t k = i;
          int32_t cx = x;
          while (k < e) {
            const int32_t a = Advance(p[k].cp, cx);
            if (cx + a > w && k > i) break;
            cx += a;
            ++k;
          }
          lineEnd = next = k;
          broke = true;
          break;
        }
        x = wx;
        lineEnd = i = e;
        hasWord = true;
      }
      if (!broke) lineEnd = next = n;
      lines.emplace_back(p.begin() + ptrdiff_t(s), p.begin() + ptrdiff_t(lineEnd));
      s = next;
    }
    return lines;
  }

  static LLine Dots() { return LLine{{U'.', false}, {U'.', false}, {U'.', false}}; }

  // The longest prefix that fits with "..." after it, then "...".
  LLine ForceEllipsis(const LLine& line, int32_t w, bool trimBlanks) const {
    std::vector<int32_t> adv;
    Measure(line, &adv);
    const int32_t dots = Measure(Dots());
    size_t k = 0;
    int32_t x = 0;
    for (size_t i = 0; i < line.size(); ++i) {
      if (x + adv[i] + dots > w) break;
      x += adv[i];
      k = i + 1;
    }
    while (trimBlanks && k > 0 && IsBlank(line[k - 1].cp)) --k;
    LLine out(line.begin(), line.begin() + ptrdiff_t(k));
    const LLine d = Dots();
    out.insert(out.end(), d.begin(), d.end());
    return out;
  }

  LLine EndEllipsis(const LLine& line, int32_t w) const {
    if (Measure(line) <= w) return line;
    return ForceEllipsis(line, w, false);
  }

  // Cut at the end of the last whole word that fits; a first word that does
  // not fit is cut between characters.
  LLine WordEllipsis(const LLine& line, int32_t w) const {
    if (Measure(line) <= w) return line;
    std::vector<int32_t> adv;
    Measure(line, &adv);
    const int32_t dots = Measure(Dots());
    size_t best = 0;
    int32_t x = 0;
    for (size_t k = 0; k < line.size(); ++k) {
      if (k > 0 && IsBlank(line[k].cp) && !IsBlank(line[k - 1].cp) && x + dots <= w) best = k;
      x += adv[k];
    }
    if (best == 0) return ForceEllipsis(line, w, false);
    LLine out(line.begin(), line.begin() + ptrdiff_t(best));
    const LLine d = Dots();
    out.insert(out.end(), d.begin(), d.end());
    return out;
  }

  // Keeps the last path component (from the last '\' or '/') and as much of
  // the start as fits; text without separators loses its middle.
  LLine PathEllipsis(const LLine& line, int32_t w) const {
    if (Measure(line) <= w) return line;
    const LLine d = Dots();
    size_t sep = line.size();
    for (size_t i = line.size(); i-- > 0;)
      if (line[i].cp == U'\\' || line[i].cp == U'/') {
        sep = i;
        break;
      }
    auto build = [&](size_t head, size_t tailFrom) {
      LLine out(line.begin(), line.begin() + ptrdiff_t(head));
      out.insert(out.end(), d.begin(), d.end());
      out.insert(out.end(), line.begin() + ptrdiff_t(tailFrom), line.end());
      return out;
    };
    if (sep < line.size()) {
      for (size_t head = sep; ; --head) {
        LLine c = build(head, sep);
        if (Measure(c) <= w) return c;
        if (head == 0) return EndEllipsis(c, w);
      }
    }
    for (size_t keep = line.size(); keep-- > 0;) {
      const size_t front = (keep + 1) / 2, back = keep / 2;
      LLine c = build(front, line.size() - back);
      if (Measure(c) <= w) return c;
    }
    return ForceEllipsis(line, w, false);
  }

private:
  RealizedFont& font_;
  int extra_;
  bool expandTabs_;
  int32_t tabWidth_;
};

// Resolves '&' prefixes: "&x" marks x, "&&" is a literal '&', a final '&' is dropped.
LLine ParsePrefixes(const std::u32string& s, bool noPrefix) {
  LLine out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (!noPrefix && s[i] == U'&') {
      if (i + 1 >= s.size()) break;
      ++i;
      out.push_back({s[i], s[i] != U'&' && !IsControl(s[i])});
      continue;
    }
    out.push_back({s[i], false});
  }
  return out;
}

std::vector<LLine> SplitParagraphs(const LLine& chars) {
  std::vector<LLine> out(1);
  for (size_t i = 0; i < chars.size(); ++i) {
    const char32_t c = chars[i].cp;
    if (c == U'\r' || c == U'\n') {
      if (c == U'\r' && i + 1 < chars.size() && chars[i + 1].cp == U'\n') ++i;
      out.emplace_back();
      continue;
    }
    out.back().push_back(chars[i]);
  }
  return out;
}

int DrawTextImpl(HDC dc, std::string_view text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params,
                 std::string* modified) {
  if (!rect) return 0;
  const DCState* st = GetDCState(dc);
  if (!st) return 0;
  RunStyle style = RunStyleOf(*st);
  const int extra = st->TextCharExtra;
  auto font = RealizedFontOf(dc);
  const fontengine::FontMetrics& m = font->Metrics();

  // With DT_TABSTOP the second byte is the tab size, not flags.
  int tabChars = 8;
  if (format & DT_TABSTOP) {
    tabChars = int((format >> 8) & 0xFF);
    format &= ~0xFF00u;
  }
  if (params && params->iTabLength > 0) tabChars = params->iTabLength;
  if (tabChars <= 0) tabChars = 8;
  const int leftMargin = params ? params->iLeftMargin : 0;
  const int rightMargin = params ? params->iRightMargin : 0;

  const std::u32string cps = Decode(text, count);
  if (params) params->uiLengthDrawn = UINT(cps.size());
  const LLine chars = ParsePrefixes(cps, (format & DT_NOPREFIX) != 0);
  Layout layout(*font, extra, (format & DT_EXPANDTABS) != 0, tabChars * m.aveCharWidth);

  const RECT outer = *rect;
  RECT box = outer;
  box.Left += leftMargin;
  box.Right -= rightMargin;
  const int32_t width = box.Right - box.Left;
  const int32_t lineH = m.height + ((format & DT_EXTERNALLEADING) ? m.externalLeading : 0);
  const bool single = (format & DT_SINGLELINE) != 0;
  const bool calc = (format & DT_CALCRECT) != 0;

  // Empty text has no lines at all: it measures 0 high, as the platform's does.
  std::vector<LLine> lines;
  if (single && !chars.empty()) {
    lines.push_back(chars);
  } else if (!chars.empty()) {
    for (const LLine& p : SplitParagraphs(chars)) {
      if (format & DT_WORDBREAK) {
        for (LLine& l : layout.Wrap(p, width, (format & DT_EDITCONTROL) != 0)) lines.push_back(std::move(l));
      } else {
        lines.push_back(p);
      }
    }
  }

  const UINT ellipsis = format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS);
  if (!calc) {
    // An edit control never shows a partly visible last line.
    if (!single && (format & DT_EDITCONTROL) && !(format & DT_NOCLIP)) {
      const int32_t fit = lineH > 0 ? std::max<int32_t>(0, (box.Bottom - box.Top) / lineH) : 0;
      if (size_t(fit) < lines.size()) {
        lines.resize(size_t(fit));
        if (!lines.empty() && (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)))
          lines.back() = layout.ForceEllipsis(lines.back(), width, true);
      }
    }
    if (ellipsis)
      for (LLine& l : lines) {
        if (format & DT_PATH_ELLIPSIS) l = layout.PathEllipsis(l, width);
        else if (format & DT_WORD_ELLIPSIS) l = layout.WordEllipsis(l, width);
        else l = layout.EndEllipsis(l, width);
      }
  }

  if (modified && (format & DT_MODIFYSTRING)) {
    std::u32string shown;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i) shown += U'\n';
      for (const LChar& c : lines[i]) shown += c.cp;
    }
    *modified = Utf32ToUtf8(shown);
  }

  const int32_t textHeight = int32_t(lines.size()) * lineH;
  if (calc) {
    int32_t maxW = 0;
    for (const LLine& l : lines) maxW = std::max(maxW, layout.Measure(l));
    rect->Right = rect->Left + leftMargin + maxW + rightMargin;
    rect->Bottom = rect->Top + textHeight;
    return textHeight;
  }

  int32_t top = box.Top;
  if (single) {
    if (format & DT_VCENTER) top = (box.Top + box.Bottom - lineH) / 2;
    else if (format & DT_BOTTOM) top = box.Bottom - lineH;
  }

  RECT clipDev;
  const RECT* clip = nullptr;
  if (!(format & DT_NOCLIP)) {
    clipDev = ToDevice(dc, outer);
    clip = &clipDev;
  }
  const bool showPrefix = !(format & DT_HIDEPREFIX);
  style.glyphs = !(format & DT_PREFIXONLY);
  if (format & DT_PREFIXONLY) style.opaqueCell = false;

  for (size_t li = 0; li < lines.size(); ++li) {
    const LLine& line = lines[li];
    std::vector<int32_t> adv;
    const int32_t w = layout.Measure(line, &adv);
    int32_t x = box.Left;
    if (format & DT_CENTER) x = (box.Left + box.Right - w) / 2;
    else if (format & DT_RIGHT) x = box.Right - w;
    const int32_t y = top + int32_t(li) * lineH;

    std::u32string run;
    run.reserve(line.size());
    for (const LChar& c : line) run += c.cp;
    POINT refDev{x, y};
    LPtoDP(dc, &refDev, 1);
    Painter painter(dc, *font, refDev, clip);
    PaintRun(painter, *font, run, adv, 0, m.ascent, style);

    if (showPrefix) {
      int32_t pen = 0;
      for (size_t i = 0; i < line.size(); ++i) {
        if (line[i].prefixed) {
          const int32_t glyphW = font->Advance(line[i].cp);
          painter.FillRect(pen, m.ascent + m.underlinePosition, pen + glyphW,
                           m.ascent + m.underlinePosition + m.underlineThickness, style.text);
        }
        pen += adv[i];
      }
    }
  }

  if (single && (format & (DT_VCENTER | DT_BOTTOM))) return top - outer.Top + lineH;
  return textHeight;
}

}  // namespace

int DrawText(HDC dc, std::string_view text, int count, RECT* rect, UINT format, std::string* modified) {
  return DrawTextImpl(dc, text, count, rect, format, nullptr, modified);
}

int DrawTextEx(HDC dc, std::string_view text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params) {
  return DrawTextImpl(dc, text, count, rect, format, params, nullptr);
}

}  // namespace win
