#include "shell/ShCommonUtilities.h"

#include <algorithm>
#include <cstring>

#include <cmath>

#include "platform/gdi/text.h"
#include "platform/rtl/intmath.h"
#include "platform/rtl/scopeexit.h"
#include "platform/rtl/sysutils.h"
#include "platform/shell/fileapi.h"
#include "platform/rtl/taskmem.h"
#include "platform/rtl/text.h"
#include "platform/shell/folders/shlobj.h"
#include "platform/vcl/graphics.h"
#include "shell/ShCommonObjects.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

using namespace win;

void StrRetToWide(STRRET& strRet, PCIDL relativePIDL, std::string& result) {
  switch (strRet.uType) {
    case STRRET_WSTR:
      result = strRet.pOleStr ? strRet.pOleStr : "";
      TaskMemFree(strRet.pOleStr);
      strRet.pOleStr = nullptr;
      break;
    case STRRET_OFFSET: {
      result.clear();
      if (!relativePIDL) break;
      // The offset comes from the folder that made the record; the text must
      // still lie inside the item's bytes.
      const size_t available = TaskMemBytesFrom(relativePIDL);
      const size_t size = available ? PIDLSizeWithin(relativePIDL, available) : 0;
      if (strRet.uOffset >= size) break;
      const char* text = reinterpret_cast<const char*>(relativePIDL) + strRet.uOffset;
      result = CodePageToUtf8(std::string_view(text, strnlen(text, size - strRet.uOffset)));
      break;
    }
    case STRRET_CSTR:
      result = CodePageToUtf8(std::string_view(strRet.cStr, strnlen(strRet.cStr, sizeof strRet.cStr)));
      break;
    default:
      break;
  }
}

bool IsDriveRoot(std::string_view path) {
  if (path.size() != 2 && path.size() != 3) return false;
  const char letter = char(path[0] | 0x20);
  return letter >= 'a' && letter <= 'z' && path[1] == ':' && (path.size() == 2 || path[2] == '\\');
}

// ---------------------------------------------------------------- paths and case

bool WideDirectoryExists(const std::string& path) { return DirectoryExists(path); }
std::string WideExtractFileDir(const std::string& path) { return ExtractFileDir(path); }
std::string WideExtractFileExt(const std::string& path) { return ExtractFileExt(path); }

std::string WideExtractFileDrive(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  auto delimiter = [](char c) { return c == '\\' || c == '/'; };
  if (path.size() < 2 || !delimiter(path[0]) || !delimiter(path[1])) return "";
  // "\\server\share": up to the delimiter after the share, or the whole text.
  int delimiters = 0;
  for (size_t i = 2; i < path.size(); ++i)
    if (delimiter(path[i]) && ++delimiters == 2) return path.substr(0, i);
  return path;
}

std::string WideUpperCase(const std::string& text) { return CpUpperCase(text); }
std::string WideLowerCase(const std::string& text) { return CpLowerCase(text); }

int32_t WarningBox(HWND window, const std::string& caption, const std::string& text) {
  return MessageBox(window, text.c_str(), caption.c_str(), MB_ICONWARNING);
}

bool Supports(IUnknown* intf, const IID& iid, void** obj) {
  if (obj) *obj = nullptr;
  void* found = nullptr;
  const bool ok = intf && intf->QueryInterface(iid, &found) == S_OK && found;
  if (ok && obj) *obj = found;
  else if (found) static_cast<IUnknown*>(found)->Release();
  return ok;
}

bool Supports(IUnknown* intf, const IID& iid) { return Supports(intf, iid, nullptr); }

// ---------------------------------------------------------------- files

bool FolderSizeCancel = false;

void SumFolderFileSizes(const std::string& folder, bool recurse, int64_t& total) {
  // Every name: "*.*" would leave out names without a dot here.
  TWin32FindData data;
  const TFindHandle find = FindFirstFileW(folder + "/*", &data);
  if (find == kInvalidFindHandle) return;
  TScopeExit close([&] { FindClose(find); });
  do {
    if (recurse && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      if (data.cFileName != "." && data.cFileName != ".." && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        SumFolderFileSizes(folder + "/" + data.cFileName, recurse, total);
    } else {
      total += int64_t(data.nFileSize);
    }
  } while (!FolderSizeCancel && FindNextFileW(find, &data));
}

int64_t FolderOrDiskSize(const std::string& path, bool recurse) {
  if (!recurse || !IsDriveRoot(path)) {
    FolderSizeCancel = false;
    int64_t total = 0;
    SumFolderFileSizes(path, recurse, total);
    return total;
  }
  uint64_t available = 0, size = 0, free = 0;
  const std::string root = DriveLetterFolder(path[0]);
  if (root.empty() || !GetDiskFreeSpaceExW(root, &available, &size, &free)) return 0;
  return int64_t(size - available);
}

// ---------------------------------------------------------------- text

namespace {

int32_t TextWidth(HDC dc, std::string_view text) {
  SIZE size;
  if (text.empty() || !GetTextExtentPoint32(dc, text, &size)) return 0;
  return size.cx;
}

int32_t LineHeight(HDC dc, TEXTMETRIC& tm) {
  GetTextMetrics(dc, &tm);
  return tm.tmHeight;
}

}  // namespace

TSize WideGetTextExtent(const std::string& text, HDC dc) {
  SIZE size;
  if (!GetTextExtentPoint32(dc, text, &size)) return TSize();
  return size;
}

TSize TextExtentForFont(const std::string& text, TFont* font) {
  if (text.empty() || !font) return TSize();
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font->Handle());
  const TSize size = WideGetTextExtent(text, dc);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size;
}

TSize TextExtentForCanvas(const std::string& text, TCanvas* canvas) {
  if (text.empty() || !canvas) return TSize();
  canvas->Lock();
  TScopeExit unlock([&] { canvas->Unlock(); });
  return WideGetTextExtent(text, canvas->Handle());
}

std::string ShortenWithEllipsis(HDC dc, const std::string& text, int32_t maxWidth) {
  if (text.empty() || TextWidth(dc, text) <= maxWidth) return text;
  const std::u32string chars = Utf8ToUtf32(text);
  const int32_t ellipsis = TextWidth(dc, "...");
  int32_t low = 0, high = int32_t(chars.size()) - 1;
  while (low < high) {
    const int32_t mid = (low + high + 1) / 2;
    if (TextWidth(dc, Utf32ToUtf8(chars.substr(0, size_t(mid)))) + ellipsis > maxWidth)
      high = mid - 1;
    else
      low = mid;
  }
  return low == 0 ? "..." : Utf32ToUtf8(chars.substr(0, size_t(low))) + "...";
}

int32_t WrapTextLines(HDC dc, const std::string& text, int32_t maxWidth, TCommonWideCharArray& lines,
                      int32_t maxLines) {
  lines.clear();
  const std::u32string chars = Utf8ToUtf32(text);
  if (maxWidth == 0) {
    lines = {0, 0};
    return 0;
  }
  TEXTMETRIC tm;
  GetTextMetrics(dc, &tm);
  if (maxWidth < tm.tmMaxCharWidth) {
    lines.assign(chars.begin(), chars.end());
    lines.insert(lines.end(), {0, 0});
    return chars.empty() ? 0 : 1;
  }
  const size_t n = chars.size();
  auto width = [&](char32_t c) { return TextWidth(dc, Utf32ToUtf8(std::u32string_view(&c, 1))); };
  auto lineEnd = [](char32_t c) { return c == U'\r' || c == U'\n'; };
  size_t pos = 0;
  int32_t count = 0;
  while (pos < n && (maxLines < 0 || count < maxLines)) {
    const bool lastAllowed = maxLines >= 0 && count == maxLines - 1;
    int32_t sum = 0;
    size_t i = pos, breakAt = 0;
    bool overflow = false;
    for (; i < n && !lineEnd(chars[i]); ++i) {
      const int32_t w = width(chars[i]);
      if (sum + w > maxWidth) {
        overflow = true;
        break;
      }
      sum += w;
      if (i + 1 < n && chars[i + 1] == U' ') breakAt = i + 1;
    }
    size_t end = i;
    if (overflow) {
      if (breakAt > pos)
        end = breakAt;
      else if (!lastAllowed && end == pos)
        end = pos + 1;  // a character wider than the line forms a line by itself
    }
    if (lastAllowed) end = n;
    lines.insert(lines.end(), chars.begin() + long(pos), chars.begin() + long(end));
    lines.push_back(0);
    ++count;
    pos = end;
    while (pos < n && (lineEnd(chars[pos]) || chars[pos] == U' ')) ++pos;
  }
  lines.push_back(0);
  if (count == 0) lines.push_back(0);
  return count;
}

namespace {

int32_t DrawSingleLine(HDC dc, const std::string& text, TRect& rect, uint32_t flags) {
  TEXTMETRIC tm;
  const int32_t lineHeight = LineHeight(dc, tm);
  TRect box(rect.Left, rect.Top, rect.Right, rect.Top + lineHeight);
  const int32_t spare = RectHeight(rect) - lineHeight;
  if (flags & dtVCenter) {
    box.Top += spare / 2, box.Bottom += spare / 2;
  } else if (flags & dtBottom) {
    box.Top += spare, box.Bottom += spare;
  }
  const std::string shown = (flags & dtEndEllipsis) ? ShortenWithEllipsis(dc, text, RectWidth(box)) : text;
  const int32_t textWidth = TextWidth(dc, shown);
  int32_t x = box.Left;
  if (flags & dtCenter)
    x = box.Left + (RectWidth(box) - textWidth) / 2;
  else if (flags & dtRight)
    x = box.Right - textWidth;
  if (flags & dtCalcRect) {
    const TRect given = rect;
    rect = TRect(x, box.Top, x + textWidth, box.Bottom);
    if (textWidth > RectWidth(given)) {
      if (flags & dtCalcRectAdjust) rect.Left = given.Left, rect.Right = given.Right;
      if (flags & dtCalcRectAlign) rect.Right = rect.Left + textWidth;
    }
  } else {
    const UINT options = ((flags & dtRTLReading) ? ETO_RTLREADING : 0) | ((flags & dtNoClip) ? 0 : ETO_CLIPPED);
    ExtTextOut(dc, x, box.Top, options, &box, shown);
  }
  return 1;
}

}  // namespace

int32_t DrawWideText(HDC dc, const std::string& text, TRect& rect, uint32_t flags, int32_t maxLines) {
  if (flags & dtSingleLine) return DrawSingleLine(dc, text, rect, flags);
  TEXTMETRIC tm;
  const int32_t lineHeight = LineHeight(dc, tm);
  TCommonWideCharArray wrapped;
  const int32_t count = WrapTextLines(dc, text, RectWidth(rect), wrapped, maxLines);
  if (count == 0) {
    if (flags & dtCalcRect) {
      if (flags & dtCalcRectAlign)
        rect = TRect(rect.Left, rect.Top, rect.Left, rect.Top + lineHeight);
      else
        rect = TRect(rect.Left, rect.Top, rect.Left + tm.tmAveCharWidth, rect.Top);
    }
    return 0;
  }
  const int32_t shown = (maxLines >= 0 && maxLines < count) ? maxLines : count;
  int32_t spare = 0;
  if (flags & (dtBottom | dtVCenter)) {
    spare = std::max(0, RectHeight(rect) - lineHeight * shown);
    if (flags & dtVCenter) spare /= 2;
  }
  TRect united;
  size_t at = 0;
  for (int32_t i = 0; i < shown; ++i) {
    const size_t end = size_t(std::find(wrapped.begin() + long(at), wrapped.end(), 0) - wrapped.begin());
    const std::string line = Utf32ToUtf8(std::u32string(wrapped.begin() + long(at), wrapped.begin() + long(end)));
    at = end + 1;
    const int32_t top = rect.Top + spare + i * lineHeight;
    TRect box(rect.Left, top, rect.Right, top + lineHeight);
    DrawSingleLine(dc, line, box, (flags & ~(dtBottom | dtVCenter)) | dtSingleLine);
    if (i == 0)
      united = box;
    else
      united = TRect(std::min(united.Left, box.Left), std::min(united.Top, box.Top),
                     std::max(united.Right, box.Right), std::max(united.Bottom, box.Bottom));
  }
  if (flags & dtCalcRect) rect = united;
  return shown;
}

// ---------------------------------------------------------------- blending
//
// Bit for bit the 16-bit lane arithmetic of the packed-integer kernels: a
// product keeps its low 16 bits, sums wrap, the shift is logical, the bias is
// added with signed saturation and the final pack clamps to 0..255.

namespace {

uint8_t BlendLane(uint8_t s, uint8_t d, uint16_t a, int16_t bias) {
  const uint16_t diff = uint16_t(int32_t(s) - int32_t(d));
  const uint16_t product = uint16_t(uint32_t(a) * diff);
  const uint16_t sum = uint16_t(uint32_t(d) << 8) + product;
  const int32_t shifted = int16_t(uint16_t(sum >> 8));
  const int32_t biased = std::clamp(shifted + bias, -32768, 32767);
  return uint8_t(std::clamp(biased, 0, 255));
}

template <class AlphaOf>
void BlendRow(const uint8_t* source, uint8_t* destination, int32_t count, int32_t bias, AlphaOf alphaOf) {
  const auto b = int16_t(bias);
  for (int32_t p = 0; p < std::max(count, 1); ++p, source += 4, destination += 4) {
    const uint16_t a = uint16_t(alphaOf(source));
    for (int lane = 0; lane < 4; ++lane) destination[lane] = BlendLane(source[lane], destination[lane], a, b);
  }
}

}  // namespace

void BlendRowConstantAlpha(const uint8_t* source, uint8_t* destination, int32_t count, int32_t constantAlpha,
                           int32_t bias) {
  BlendRow(source, destination, count, bias, [&](const uint8_t*) { return constantAlpha; });
}

void BlendRowPerPixelAlpha(const uint8_t* source, uint8_t* destination, int32_t count, int32_t,
                           int32_t bias) {
  BlendRow(source, destination, count, bias, [](const uint8_t* s) { return int32_t(s[3]); });
}

void BlendRowMasterAlpha(const uint8_t* source, uint8_t* destination, int32_t count, int32_t constantAlpha,
                         int32_t bias) {
  BlendRow(source, destination, count, bias,
           [&](const uint8_t* s) { return int32_t(uint16_t(uint32_t(s[3]) * uint16_t(constantAlpha)) >> 8); });
}

void BlendRowWithColor(uint8_t* destination, int32_t count, int32_t constantAlpha, uint32_t color) {
  const uint16_t a = uint16_t(constantAlpha), inverse = uint16_t(256 - constantAlpha);
  const uint8_t k[4] = {uint8_t(color >> 16), uint8_t(color >> 8), uint8_t(color), 0};
  for (int32_t p = 0; p < std::max(count, 1); ++p, destination += 4)
    for (int lane = 0; lane < 4; ++lane) {
      const uint16_t sum = uint16_t(uint16_t(uint32_t(destination[lane]) * inverse) + uint16_t(uint32_t(k[lane]) * a));
      destination[lane] = uint8_t(sum >> 8);
    }
}

void* DIBSectionBits(HDC dc, int32_t& width, int32_t& height) {
  width = height = 0;
  DIBSECTION ds;
  HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
  if (bitmap) GetObject(bitmap, int(sizeof ds), &ds);
  if (ds.dsBm.bmBitsPixel * ds.dsBm.bmPlanes != 32)
    throw EAssertionFailed("Alpha blending error: bitmap must use 32 bpp.");
  if (!ds.dsBm.bmBits) throw EAssertionFailed("Alpha blending DC error: no bitmap available.");
  width = ds.dsBmih.biWidth;
  height = ds.dsBmih.biHeight;
  return ds.dsBm.bmBits;
}

namespace {

struct TDibRows {
  uint8_t* Bits = nullptr;
  int32_t Width = 0, Height = 0;

  int32_t Rows() const { return Height < 0 ? -Height : Height; }
  uint8_t* Pixel(int32_t x, int32_t y) const {
    const int32_t r = Height > 0 ? Height - y - 1 : y;
    return Bits + (size_t(Width) * size_t(r) + size_t(x)) * 4;
  }
};

TDibRows Rows(HDC dc) {
  TDibRows d;
  d.Bits = static_cast<uint8_t*>(DIBSectionBits(dc, d.Width, d.Height));
  return d;
}

}  // namespace

void AlphaBlendDC(HDC sourceDC, HDC destDC, const TRect& sourceRect, TPoint destPoint, int32_t mode,
                  int32_t constantAlpha, int32_t biasOrColor) {
  if (RectWidth(sourceRect) <= 0 || RectHeight(sourceRect) <= 0 || mode < 0 || mode > 3) return;
  const TDibRows dest = Rows(destDC);
  // Mode 3 works on the destination alone, in the source rectangle's place.
  const TDibRows source = mode == 3 ? dest : Rows(sourceDC);
  if (mode == 3) destPoint = sourceRect.TopLeft();
  for (int32_t i = 0; i < RectHeight(sourceRect); ++i) {
    const int32_t sy = sourceRect.Top + i, dy = destPoint.Y + i;
    if (sy < 0 || sy >= source.Rows() || dy < 0 || dy >= dest.Rows()) continue;
    // Pixels outside either row are left out rather than read or written.
    int32_t sx = sourceRect.Left, dx = destPoint.X, count = RectWidth(sourceRect);
    const int32_t skip = std::max({0, -sx, -dx});
    sx += skip, dx += skip, count -= skip;
    count = std::min({count, source.Width - sx, dest.Width - dx});
    if (count <= 0) continue;
    uint8_t* d = dest.Pixel(dx, dy);
    const uint8_t* s = source.Pixel(sx, sy);
    switch (mode) {
      case 0: BlendRowConstantAlpha(s, d, count, constantAlpha, biasOrColor); break;
      case 1: BlendRowPerPixelAlpha(s, d, count, constantAlpha, biasOrColor); break;
      case 2: BlendRowMasterAlpha(s, d, count, constantAlpha, biasOrColor); break;
      default: BlendRowWithColor(d, count, constantAlpha, uint32_t(biasOrColor)); break;
    }
  }
}

bool HasMMX() {
#if defined(__i386__) || defined(__x86_64__)
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
  return (eax & 0xFFF) >= 0x50 && (edx & (1u << 23)) != 0;
#else
  return false;
#endif
}

// ---------------------------------------------------------------- glyphs

TRect MeasureCheckGlyph(int32_t pointSize) {
  HDC dc = GetDC(nullptr);
  LOGFONT lf;
  lf.lfHeight = -MulDiv(pointSize, 96, 72);
  SetFaceName(lf, "Marlett");
  HFONT font = CreateFontIndirect(&lf);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size;
  GetTextExtentPoint32(dc, "g", &size);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  return TRect(0, 0, size.cx, size.cy);
}

namespace {

// The glyphs of one button kind, in drawing order: background, frame parts 1 to 4, mark.
void DrawMarlettButton(const char* glyphs, bool solidBackground, TCanvas* canvas, TPoint position, int32_t pointSize,
                       TColor backColorB, TColor backColorA, const TColor (&frames)[4], bool showMark,
                       bool markEnabled, bool useBackColorA) {
  if (!canvas) return;
  if (!MarlettFont) throw EAssertionFailed("MarlettFont does not exist: ShCommonObjectsInitialize has not run");
  MarlettFont->SetSize(pointSize);
  canvas->Font()->Assign(MarlettFont);
  auto glyph = [&](char g, TColor color) {
    canvas->Font()->SetColor(color);
    canvas->TextOut(position.X, position.Y, std::string(1, g));
  };
  canvas->Brush()->SetStyle(solidBackground ? bsSolid : bsClear);
  glyph(glyphs[0], useBackColorA ? backColorA : backColorB);
  canvas->Brush()->SetStyle(bsClear);
  for (int i = 0; i < 4; ++i) glyph(glyphs[1 + i], frames[i]);
  if (showMark) glyph(glyphs[5], markEnabled ? clBlack : clBtnShadow);
}

}  // namespace

void DrawCheckBoxGlyph(TCanvas* canvas, TPoint position, int32_t pointSize, TColor backColorB, TColor backColorA,
                       TColor frame1Color, TColor frame2Color, TColor frame3Color, TColor frame4Color, bool showMark,
                       bool markEnabled, bool useBackColorA) {
  DrawMarlettButton("gcdefb", true, canvas, position, pointSize, backColorB, backColorA,
                    {frame1Color, frame2Color, frame3Color, frame4Color}, showMark, markEnabled, useBackColorA);
}

void DrawRadioButtonGlyph(TCanvas* canvas, TPoint position, int32_t pointSize, TColor backColorB, TColor backColorA,
                          TColor frame1Color, TColor frame2Color, TColor frame3Color, TColor frame4Color,
                          bool showMark, bool markEnabled, bool useBackColorA) {
  DrawMarlettButton("njklmi", false, canvas, position, pointSize, backColorB, backColorA,
                    {frame1Color, frame2Color, frame3Color, frame4Color}, showMark, markEnabled, useBackColorA);
}

void FillGradientRows(int32_t left, int32_t top, int32_t right, int32_t bottom, TColor startColor, TColor endColor,
                      int32_t clipTop, int32_t clipBottom, TCanvas* canvas) {
  if (!canvas) return;
  const TColor start = ColorToRGB(startColor), end = ColorToRGB(endColor);
  const TColor saved = canvas->Pen()->Color();
  TScopeExit restore([&] { canvas->Pen()->SetColor(saved); });
  // A single row would divide by zero: it takes the start colour.
  const double span = bottom == top ? 1.0 : double(bottom) - double(top);
  auto channel = [&](int shift, int32_t y) {
    const double a = double((start >> shift) & 0xFF), b = double((end >> shift) & 0xFF);
    return uint8_t(std::nearbyint(a + (b - a) * std::fabs(double(y) - double(top)) / span));
  };
  for (int32_t y = top; y <= bottom; ++y) {
    canvas->MoveTo(left, y);
    if (clipBottom > 0 && clipTop <= y && y <= clipBottom) {
      canvas->Pen()->SetColor(RGBColor(channel(0, y), channel(8, y), channel(16, y)));
      canvas->LineTo(right, y);
    }
  }
}

// ---------------------------------------------------------------- platform

namespace {

OSVERSIONINFO Version() {
  OSVERSIONINFO v;
  GetVersionEx(&v);
  return v;
}

struct TLoadedLibrary {
  std::string Name;
  int32_t Count = 0;
  HMODULE Module = nullptr;
};
std::vector<TLoadedLibrary>& LoadedLibraryList() {
  static std::vector<TLoadedLibrary> list;
  return list;
}

bool SameAsciiName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
         });
}

}  // namespace

bool IsUnicodePlatform() { return Version().dwPlatformId == VER_PLATFORM_WIN32_NT; }

bool IsWin95Original() {
  const OSVERSIONINFO v = Version();
  return v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && v.dwMajorVersion == 4 && v.dwMinorVersion == 0 &&
         (v.dwBuildNumber & 0xFFFF) <= 1080;
}

bool IsWinNT4OrOlder() {
  const OSVERSIONINFO v = Version();
  return v.dwPlatformId == VER_PLATFORM_WIN32_NT && v.dwMajorVersion < 5;
}

bool IsVistaOrUp() {
  const OSVERSIONINFO v = Version();
  return v.dwPlatformId == VER_PLATFORM_WIN32_NT && v.dwMajorVersion >= 6;
}

HMODULE LoadSharedLibrary(const std::string& name) {
  for (TLoadedLibrary& l : LoadedLibraryList())
    if (SameAsciiName(l.Name, name)) {
      ++l.Count;
      return l.Module;
    }
  HMODULE module = LoadLibrary(name.c_str());
  if (module) LoadedLibraryList().push_back({name, 1, module});
  return module;
}

void FreeLoadedLibraries() {
  auto& list = LoadedLibraryList();
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    for (int32_t i = 0; i < it->Count; ++i) FreeLibrary(it->Module);
  list.clear();
}

// ---------------------------------------------------------------- callbacks

TCommonMethodThunk* CreateMethodThunk(void* object, TMethodThunkTarget target) {
  return new TCommonMethodThunk{object, target};
}

void FreeMethodThunk(TCommonMethodThunk* thunk) { delete thunk; }

extern "C" uintptr_t MethodThunkCall(void* context, uintptr_t arg1, uintptr_t arg2, uintptr_t arg3, uintptr_t arg4) {
  const auto* thunk = static_cast<const TCommonMethodThunk*>(context);
  return thunk && thunk->Target ? thunk->Target(thunk->Object, arg1, arg2, arg3, arg4) : 0;
}

// ---------------------------------------------------------------- rectangles

int32_t RectWidth(const TRect& r) { return r.Right - r.Left; }
int32_t RectHeight(const TRect& r) { return r.Bottom - r.Top; }
bool RectIsValid(const TRect& r) { return r.Right >= r.Left && r.Bottom >= r.Top; }

bool RectContains(const TRect& outer, const TRect& inner) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

void CenterRect(const TRect& outer, const TRect& inner, TRect& result) {
  auto axis = [](int32_t outerStart, int32_t outerEnd, int32_t innerExtent, int32_t& start, int32_t& end) {
    const int32_t outerExtent = outerEnd - outerStart;
    if (outerExtent < innerExtent) {
      start = outerStart, end = outerEnd;
    } else {
      start = outerStart + (outerExtent - innerExtent) / 2;
      end = start + innerExtent;
    }
  };
  axis(outer.Left, outer.Right, RectWidth(inner), result.Left, result.Right);
  axis(outer.Top, outer.Bottom, RectHeight(inner), result.Top, result.Bottom);
}
