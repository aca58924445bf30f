// The handle registry, stock objects, pens, brushes, fonts, palettes, and
// selecting objects into DCs.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <unordered_set>

#include "platform/gdi/gdi.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/syscolors.h"

namespace win {

namespace {

std::mutex& RegistryMutex() {
  static std::mutex m;
  return m;
}
std::unordered_set<const GdiObject*>& Registry() {
  static auto* s = new std::unordered_set<const GdiObject*>;
  return *s;
}

}  // namespace

GdiObject::GdiObject(DWORD type) : Type(type) {
  std::lock_guard lock(RegistryMutex());
  Registry().insert(this);
}

GdiObject::~GdiObject() {
  std::lock_guard lock(RegistryMutex());
  Registry().erase(this);
}

bool IsValidGdiObject(const void* h, DWORD type) {
  if (!h) return false;
  std::lock_guard lock(RegistryMutex());
  auto& reg = Registry();
  auto it = reg.find(static_cast<const GdiObject*>(h));
  if (it == reg.end()) return false;
  if (type == 0) return true;
  DWORD t = (*it)->Type;
  if (type == OBJ_DC) return t == OBJ_DC || t == OBJ_MEMDC;
  if (type == OBJ_PEN) return t == OBJ_PEN || t == OBJ_EXTPEN;
  return t == type;
}

void SetFaceName(LOGFONT& lf, const std::string& name) {
  size_t limit = sizeof(lf.lfFaceName) - 1, chars = 0, n = 0;
  while (n < name.size()) {
    size_t len = 1;
    unsigned char c = static_cast<unsigned char>(name[n]);
    if (c >= 0xF0) len = 4;
    else if (c >= 0xE0) len = 3;
    else if (c >= 0xC0) len = 2;
    if (n + len > name.size() || n + len > limit || chars + 1 > size_t(LF_FACESIZE - 1)) break;
    n += len;
    ++chars;
  }
  std::memcpy(lf.lfFaceName, name.data(), n);
  lf.lfFaceName[n] = 0;
}

// ---------------------------------------------------------------- stock objects
namespace {

struct Stock {
  HGDIOBJ objs[20] = {};
  HBITMAP bitmap = nullptr;
};

template <class T>
T* MakeStock(T* o) {
  o->Stock = true;
  return o;
}

HBRUSH StockBrush(UINT style, COLORREF c) {
  auto* b = new BrushObject;
  b->Style = style;
  b->Color = c;
  return MakeStock(b);
}
HPEN StockPen(UINT style, COLORREF c) {
  auto* p = new PenObject;
  p->Style = style;
  p->Color = c;
  p->Width = style == PS_NULL ? 0 : 1;
  return MakeStock(p);
}
HFONT StockFont(const char* face, LONG height, LONG weight, BYTE pitch) {
  auto* f = new FontObject;
  f->LogFont.lfHeight = height;
  f->LogFont.lfWeight = weight;
  f->LogFont.lfPitchAndFamily = pitch;
  SetFaceName(f->LogFont, face);
  return MakeStock(f);
}

const Stock& Stocks() {
  static const Stock* s = [] {
    auto* st = new Stock;
    st->objs[WHITE_BRUSH] = StockBrush(BS_SOLID, RGB(255, 255, 255));
    st->objs[LTGRAY_BRUSH] = StockBrush(BS_SOLID, RGB(192, 192, 192));
    st->objs[GRAY_BRUSH] = StockBrush(BS_SOLID, RGB(128, 128, 128));
    st->objs[DKGRAY_BRUSH] = StockBrush(BS_SOLID, RGB(64, 64, 64));
    st->objs[BLACK_BRUSH] = StockBrush(BS_SOLID, RGB(0, 0, 0));
    st->objs[NULL_BRUSH] = StockBrush(BS_NULL, 0);
    st->objs[WHITE_PEN] = StockPen(PS_SOLID, RGB(255, 255, 255));
    st->objs[BLACK_PEN] = StockPen(PS_SOLID, RGB(0, 0, 0));
    st->objs[NULL_PEN] = StockPen(PS_NULL, 0);
    st->objs[OEM_FIXED_FONT] = StockFont("Terminal", 12, FW_NORMAL, FIXED_PITCH | FF_MODERN);
    st->objs[ANSI_FIXED_FONT] = StockFont("Courier", 13, FW_NORMAL, FIXED_PITCH | FF_MODERN);
    st->objs[ANSI_VAR_FONT] = StockFont("MS Sans Serif", 13, FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
    st->objs[SYSTEM_FONT] = StockFont("System", 16, FW_BOLD, VARIABLE_PITCH | FF_SWISS);
    st->objs[DEVICE_DEFAULT_FONT] = StockFont("System", 16, FW_BOLD, VARIABLE_PITCH | FF_SWISS);
    st->objs[SYSTEM_FIXED_FONT] = StockFont("Fixedsys", 15, FW_NORMAL, FIXED_PITCH | FF_MODERN);
    st->objs[DEFAULT_GUI_FONT] = StockFont("Tahoma", -11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
    // The first 20 entries of the platform's default palette: the static colours.
    static const uint8_t kStatic[20][3] = {
        {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
        {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
        {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
        {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
    auto* pal = new PaletteObject;
    for (auto& c : kStatic) pal->Entries.push_back({c[0], c[1], c[2], 0});
    st->objs[DEFAULT_PALETTE] = MakeStock(pal);
    auto* dcBrush = StockBrush(BS_SOLID, RGB(255, 255, 255));
    auto* dcPen = StockPen(PS_SOLID, RGB(0, 0, 0));
    st->objs[DC_BRUSH] = dcBrush;
    st->objs[DC_PEN] = dcPen;
    auto* bmp = new BitmapObject;
    bmp->Width = bmp->Height = 1;
    bmp->BitCount = 1;
    bmp->RowBytes = 2;
    bmp->Storage.assign(2, 0);
    bmp->ColorTable = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
    st->bitmap = MakeStock(bmp);
    return st;
  }();
  return *s;
}

}  // namespace

HGDIOBJ GetStockObject(int index) {
  if (index < 0 || index >= 20) return nullptr;
  return Stocks().objs[index];
}

namespace detail {

HBITMAP StockBitmap() { return Stocks().bitmap; }

DeviceContext* AsDC(HDC dc) { return CheckedHandle<DeviceContext>(dc, OBJ_DC); }

HBRUSH BrushFromArg(HBRUSH b) {
  uintptr_t v = reinterpret_cast<uintptr_t>(b);
  if (v >= 1 && v <= uintptr_t(SYSCOLOR_COUNT)) return GetSysColorBrush(int(v - 1));
  return CheckedHandle<BrushObject>(b, OBJ_BRUSH);
}

void Ref(GdiObject* o, DeviceContext* dc) {
  if (!o) return;
  ++o->SelectRefs;
  if (o->Type == OBJ_BITMAP) static_cast<BitmapObject*>(o)->SelectedInto = dc;
}

void Unref(GdiObject* o) {
  if (!o) return;
  if (--o->SelectRefs <= 0) {
    o->SelectRefs = 0;
    if (o->Type == OBJ_BITMAP) static_cast<BitmapObject*>(o)->SelectedInto = nullptr;
  }
}

void RefState(const DCState& s, DeviceContext* dc) {
  Ref(s.Pen, dc);
  Ref(s.Brush, dc);
  Ref(s.Font, dc);
  Ref(s.Bitmap, dc);
  Ref(s.Palette, dc);
}

void UnrefState(const DCState& s) {
  Unref(s.Pen);
  Unref(s.Brush);
  Unref(s.Font);
  Unref(s.Bitmap);
  Unref(s.Palette);
}

}  // namespace detail

DeviceContext::~DeviceContext() {
  detail::UnrefState(State);
  for (const DCState& s : Saved) detail::UnrefState(s);
}

// ---------------------------------------------------------------- pens and brushes
HPEN CreatePen(int style, int width, COLORREF color) {
  if (style < 0 || UINT(style) > PS_INSIDEFRAME) return nullptr;
  auto* p = new PenObject;
  p->Style = UINT(style);
  p->Width = std::max(0, width);
  p->Color = color;
  // Styled pens wider than one pixel draw solid on the platform.
  if (p->Width > 1 && style >= int(PS_DASH) && style <= int(PS_DASHDOTDOT)) p->Style = PS_SOLID;
  return p;
}

HPEN CreatePenIndirect(const LOGPEN* lp) {
  return lp ? CreatePen(int(lp->lopnStyle), lp->lopnWidth.X, lp->lopnColor) : nullptr;
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* lb, DWORD styleCount, const DWORD* styles) {
  if (!lb) return nullptr;
  UINT kind = style & PS_STYLE_MASK;
  bool geometric = (style & PS_TYPE_MASK) == PS_GEOMETRIC;
  if (kind > PS_ALTERNATE) return nullptr;
  if (!geometric && width != 1) return nullptr;  // cosmetic pens are one pixel wide
  if (kind == PS_ALTERNATE && geometric) return nullptr;
  if (kind == PS_USERSTYLE && (!styles || styleCount == 0 || styleCount > 16)) return nullptr;
  // Pens of hatched or pattern brushes draw in the brush colour.
  auto* p = new PenObject;
  p->Extended = true;
  p->Style = style;
  p->Width = int32_t(std::min<DWORD>(width, 0x7FFF));
  p->Color = lb->lbStyle == BS_NULL ? 0 : lb->lbColor;
  if (lb->lbStyle == BS_NULL) p->Style = (style & ~PS_STYLE_MASK) | PS_NULL;
  if (kind == PS_USERSTYLE) p->UserStyle.assign(styles, styles + styleCount);
  return p;
}

HBRUSH CreateSolidBrush(COLORREF color) {
  auto* b = new BrushObject;
  b->Style = BS_SOLID;
  b->Color = color & 0x03FFFFFF;
  return b;
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
  auto* b = new BrushObject;
  b->Style = BS_HATCHED;
  b->Hatch = hatch;
  b->Color = color;
  return b;
}

HBRUSH CreatePatternBrush(HBITMAP bmp) {
  BitmapObject* o = CheckedHandle<BitmapObject>(bmp, OBJ_BITMAP);
  if (!o) return nullptr;
  Surface s = o->GetSurface();
  if (!s.Valid()) return nullptr;
  auto* b = new BrushObject;
  b->Style = BS_PATTERN;
  b->PatternHandle = reinterpret_cast<uintptr_t>(bmp);
  b->PatternWidth = s.Width;
  b->PatternHeight = s.Height;
  b->PatternMono = s.Monochrome;
  if (s.Monochrome) {
    b->PatternBits.resize(size_t(s.Width) * s.Height);
    for (int y = 0; y < s.Height; ++y)
      for (int x = 0; x < s.Width; ++x) b->PatternBits[size_t(y) * s.Width + x] = uint8_t(ReadRaw(s, x, y));
  } else {
    b->PatternColors.resize(size_t(s.Width) * s.Height);
    for (int y = 0; y < s.Height; ++y)
      for (int x = 0; x < s.Width; ++x)
        b->PatternColors[size_t(y) * s.Width + x] = RawToColor(s, ReadRaw(s, x, y));
  }
  return b;
}

HBRUSH CreateDIBPatternBrushPt(const void* packedDib, UINT usage) {
  if (!packedDib || usage != DIB_RGB_COLORS) return nullptr;
  const auto* bmi = static_cast<const BITMAPINFO*>(packedDib);
  const BITMAPINFOHEADER& h = bmi->bmiHeader;
  if (h.biSize < 40 || h.biWidth <= 0 || h.biHeight == 0) return nullptr;
  int colors = 0;
  if (h.biBitCount <= 8) colors = h.biClrUsed ? int(h.biClrUsed) : (1 << h.biBitCount);
  size_t extra = h.biCompression == BI_BITFIELDS ? 12 : 0;
  const uint8_t* bits = static_cast<const uint8_t*>(packedDib) + h.biSize + size_t(colors) * 4 + extra;
  void* dst = nullptr;
  HBITMAP tmp = CreateDIBSection(nullptr, bmi, DIB_RGB_COLORS, &dst, nullptr, 0);
  if (!tmp) return nullptr;
  int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  std::memcpy(dst, bits, size_t(DibRowBytes(h.biWidth, h.biBitCount)) * height);
  HBRUSH b = CreatePatternBrush(tmp);
  DeleteObject(tmp);
  if (b) {
    b->Style = BS_DIBPATTERNPT;
    b->PatternHandle = reinterpret_cast<uintptr_t>(packedDib);
  }
  return b;
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb) {
  if (!lb) return nullptr;
  switch (lb->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(lb->lbColor);
    case BS_NULL: {
      auto* b = new BrushObject;
      b->Style = BS_NULL;
      return b;
    }
    case BS_HATCHED: return CreateHatchBrush(int(lb->lbHatch), lb->lbColor);
    case BS_PATTERN:
    case BS_PATTERN8X8: return CreatePatternBrush(reinterpret_cast<HBITMAP>(lb->lbHatch));
    case BS_DIBPATTERNPT: return CreateDIBPatternBrushPt(reinterpret_cast<const void*>(lb->lbHatch), lb->lbColor);
    default: return nullptr;
  }
}

HFONT CreateFontIndirect(const LOGFONT* lf) {
  if (!lf) return nullptr;
  auto* f = new FontObject;
  f->LogFont = *lf;
  f->LogFont.lfFaceName[sizeof(f->LogFont.lfFaceName) - 1] = 0;
  return f;
}

// ---------------------------------------------------------------- palettes
HPALETTE CreatePalette(const LOGPALETTE* lp) {
  if (!lp || lp->palNumEntries == 0) return nullptr;
  auto* p = new PaletteObject;
  p->Entries.assign(lp->palPalEntry, lp->palPalEntry + lp->palNumEntries);
  return p;
}

UINT GetPaletteEntries(HPALETTE pal, UINT start, UINT count, PALETTEENTRY* out) {
  PaletteObject* p = CheckedHandle<PaletteObject>(pal, OBJ_PAL);
  if (!p) return 0;
  if (!out) return UINT(p->Entries.size());
  if (start >= p->Entries.size()) return 0;
  UINT n = std::min<UINT>(count, UINT(p->Entries.size()) - start);
  std::copy_n(p->Entries.begin() + start, n, out);
  return n;
}

UINT SetPaletteEntries(HPALETTE pal, UINT start, UINT count, const PALETTEENTRY* in) {
  PaletteObject* p = CheckedHandle<PaletteObject>(pal, OBJ_PAL);
  if (!p || !in || p->Stock || start >= p->Entries.size()) return 0;
  UINT n = std::min<UINT>(count, UINT(p->Entries.size()) - start);
  std::copy_n(in, n, p->Entries.begin() + start);
  return n;
}

UINT GetNearestPaletteIndex(HPALETTE pal, COLORREF color) {
  PaletteObject* p = CheckedHandle<PaletteObject>(pal, OBJ_PAL);
  if (!p || p->Entries.empty()) return CLR_INVALID;
  std::vector<RGBQUAD> q;
  for (const auto& e : p->Entries) q.push_back({e.peBlue, e.peGreen, e.peRed, 0});
  return UINT(NearestIndex(q.data(), int(q.size()), color));
}

HPALETTE SelectPalette(HDC dc, HPALETTE pal, BOOL) {
  DeviceContext* d = detail::AsDC(dc);
  PaletteObject* p = CheckedHandle<PaletteObject>(pal, OBJ_PAL);
  if (!d || !p) return nullptr;
  HPALETTE old = d->State.Palette;
  detail::Ref(p, d);
  detail::Unref(old);
  d->State.Palette = p;
  return old;
}

UINT RealizePalette(HDC dc) { return detail::AsDC(dc) ? 0 : GDI_ERROR; }

COLORREF GetNearestColor(HDC dc, COLORREF color) {
  DeviceContext* d = detail::AsDC(dc);
  if (!d) return CLR_INVALID;
  Surface s = d->Target();
  if (!s.Valid() || s.BitCount == 32 || s.BitCount == 24) return color & 0x00FFFFFF;
  return RawToColor(s, ColorToRaw(s, color));
}

// ---------------------------------------------------------------- selection and deletion
HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj) {
  DeviceContext* d = detail::AsDC(dc);
  if (!d || !IsValidGdiObject(obj)) return nullptr;
  DCState& st = d->State;
  switch (obj->Type) {
    case OBJ_PEN:
    case OBJ_EXTPEN: {
      HGDIOBJ old = st.Pen;
      detail::Ref(obj, d);
      detail::Unref(old);
      st.Pen = static_cast<HPEN>(obj);
      return old;
    }
    case OBJ_BRUSH: {
      HGDIOBJ old = st.Brush;
      detail::Ref(obj, d);
      detail::Unref(old);
      st.Brush = static_cast<HBRUSH>(obj);
      return old;
    }
    case OBJ_FONT: {
      HGDIOBJ old = st.Font;
      detail::Ref(obj, d);
      detail::Unref(old);
      st.Font = static_cast<HFONT>(obj);
      return old;
    }
    case OBJ_BITMAP: {
      auto* b = static_cast<HBITMAP>(obj);
      if (!d->IsMemory()) return nullptr;
      // A bitmap lives in one DC at a time; the shared stock bitmap is the exception.
      if (!b->Stock && b->SelectedInto && b->SelectedInto != d) return nullptr;
      HGDIOBJ old = st.Bitmap;
      detail::Ref(b, d);
      detail::Unref(old);
      st.Bitmap = b;
      d->InvalidateClip();  // the drawable area is the new bitmap's
      return old;
    }
    case OBJ_REGION: {
      int r = SelectClipRgn(dc, static_cast<HRGN>(obj));
      return r == ERROR ? HGDI_ERROR : reinterpret_cast<HGDIOBJ>(uintptr_t(r));
    }
    case OBJ_PAL: return nullptr;  // palettes go through SelectPalette
    default: return nullptr;
  }
}

BOOL DeleteObject(HGDIOBJ obj) {
  if (!IsValidGdiObject(obj)) return FALSE;
  switch (obj->Type) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
    case OBJ_BRUSH:
    case OBJ_FONT:
    case OBJ_BITMAP:
    case OBJ_REGION:
    case OBJ_PAL: break;
    default: return FALSE;  // DCs go through DeleteDC; icons through their own call
  }
  if (obj->Stock) return TRUE;
  if (obj->SelectRefs > 0) return FALSE;
  delete obj;
  return TRUE;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  DeviceContext* d = detail::AsDC(dc);
  if (!d) return nullptr;
  switch (type) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return d->State.Pen;
    case OBJ_BRUSH: return d->State.Brush;
    case OBJ_FONT: return d->State.Font;
    case OBJ_BITMAP: return d->State.Bitmap;
    case OBJ_PAL: return d->State.Palette;
    default: return nullptr;
  }
}

DWORD GetObjectType(HGDIOBJ obj) {
  if (!IsValidGdiObject(obj)) return 0;
  if (obj->Type == OBJ_PEN && static_cast<PenObject*>(obj)->Extended) return OBJ_EXTPEN;
  return obj->Type == OBJ_ICON_INTERNAL ? 0 : obj->Type;
}

namespace {

template <class T>
int CopyOut(const T& v, int size, void* buf) {
  if (!buf) return int(sizeof(T));
  if (size < int(sizeof(T))) return 0;
  std::memcpy(buf, &v, sizeof(T));
  return int(sizeof(T));
}

}  // namespace

int GetObject(HGDIOBJ obj, int size, void* buf) {
  if (!IsValidGdiObject(obj) || size < 0) return 0;
  switch (obj->Type) {
    case OBJ_PEN: {
      auto* p = static_cast<PenObject*>(obj);
      if (p->Extended) {
        EXTLOGPEN e;
        e.elpPenStyle = p->Style;
        e.elpWidth = DWORD(p->Width);
        e.elpBrushStyle = p->StyleKind() == PS_NULL ? BS_NULL : BS_SOLID;
        e.elpColor = p->Color;
        e.elpNumEntries = DWORD(p->UserStyle.size());
        std::copy(p->UserStyle.begin(), p->UserStyle.end(), e.elpStyleEntry);
        return CopyOut(e, size, buf);
      }
      LOGPEN lp;
      lp.lopnStyle = p->Style;
      lp.lopnWidth = {p->Width, 0};
      lp.lopnColor = p->Color;
      return CopyOut(lp, size, buf);
    }
    case OBJ_BRUSH: {
      auto* b = static_cast<BrushObject*>(obj);
      LOGBRUSH lb;
      lb.lbStyle = b->Style;
      lb.lbColor = b->Style == BS_SOLID || b->Style == BS_HATCHED ? b->Color : 0;
      lb.lbHatch = b->Style == BS_HATCHED ? uintptr_t(b->Hatch) : b->PatternHandle;
      return CopyOut(lb, size, buf);
    }
    case OBJ_FONT: return CopyOut(static_cast<FontObject*>(obj)->LogFont, size, buf);
    case OBJ_PAL: {
      WORD n = WORD(static_cast<PaletteObject*>(obj)->Entries.size());
      return CopyOut(n, size, buf);
    }
    case OBJ_BITMAP: {
      auto* b = static_cast<BitmapObject*>(obj);
      BITMAP bm;
      bm.bmType = 0;
      bm.bmWidth = b->Width;
      bm.bmHeight = b->Height;
      bm.bmWidthBytes = b->RowBytes;
      bm.bmPlanes = 1;
      bm.bmBitsPixel = b->BitCount;
      bm.bmBits = b->IsDib ? b->Storage.data() : nullptr;
      if (b->IsDib && (!buf || size >= int(sizeof(DIBSECTION)))) {
        DIBSECTION ds;
        ds.dsBm = bm;
        ds.dsBmih.biWidth = b->Width;
        ds.dsBmih.biHeight = b->TopDown ? -b->Height : b->Height;
        ds.dsBmih.biBitCount = b->BitCount;
        ds.dsBmih.biCompression = b->Compression;
        ds.dsBmih.biSizeImage = DWORD(b->RowBytes) * DWORD(b->Height);
        ds.dsBmih.biClrUsed = b->BitCount <= 8 ? DWORD(b->ColorTable.size()) : 0;
        if (b->Compression == BI_BITFIELDS) std::copy(b->Masks, b->Masks + 3, ds.dsBitfields);
        if (!buf) return int(sizeof(DIBSECTION));
        return CopyOut(ds, size, buf);
      }
      return CopyOut(bm, size, buf);
    }
    default: return 0;
  }
}

}  // namespace win
