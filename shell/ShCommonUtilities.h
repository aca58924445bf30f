// Common utilities of the shell library: path and case functions, STRRET
// texts, drive-root tests, text measuring, shortening, wrapping and painting
// with the library's own flag set, the Marlett check-box and radio glyphs,
// alpha blending of 32-bit DIB sections row by row, rectangle helpers.
//
// Blending vocabulary: a pixel is four byte lanes in memory order blue,
// green, red, alpha; a row is a run of pixels; every lane is blended alike.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/com.h"
#include "platform/gdi/gdi.h"
#include "platform/win/winuser.h"
#include "platform/rtl/exceptions.h"
#include "platform/shell/pidl.h"

class TCanvas;
class TFont;

namespace win {
struct STRRET;
}

DX_EXCEPTION(EAssertionFailed, Exception);

// The text of a shell STRRET: a task-memory string (freed here), an 8-bit
// string at an offset into relativePIDL, read only inside that list's bytes,
// or the record's own 8-bit string. Any other type leaves result as it was.
void StrRetToWide(win::STRRET& strRet, PCIDL relativePIDL, std::string& result);

// "c:\" or "c:" with a letter a to z in either case.
bool IsDriveRoot(std::string_view path);

// ---------------------------------------------------------------- paths and case
bool WideDirectoryExists(const std::string& path);
// The folder without its trailing delimiter.
std::string WideExtractFileDir(const std::string& path);
// "c:" of a path starting with a drive letter, "\\server\share" of a
// network path (either delimiter), else empty: paths here have no drive.
std::string WideExtractFileDrive(const std::string& path);
// The extension with its dot; empty when there is none.
std::string WideExtractFileExt(const std::string& path);
// Full Unicode simple case mapping over the whole text.
std::string WideUpperCase(const std::string& text);
std::string WideLowerCase(const std::string& text);

// A message box with the warning icon and an OK button; its answer.
int32_t WarningBox(win::HWND window, const std::string& caption, const std::string& text);
// The interface answers iid (obj receives it, one reference); false for nil.
bool Supports(win::IUnknown* intf, const win::IID& iid, void** obj);
bool Supports(win::IUnknown* intf, const win::IID& iid);

// ---------------------------------------------------------------- files
// Stops SumFolderFileSizes when set.
extern bool FolderSizeCancel;
// Adds the sizes of the folder's entries to total; with recurse, descends
// into sub-folders except "." and ".." and symbolic links.
void SumFolderFileSizes(const std::string& folder, bool recurse, int64_t& total);
// A drive root with recurse: the bytes in use on the volume; otherwise the
// sum of the folder's entries (its own only without recurse).
int64_t FolderOrDiskSize(const std::string& path, bool recurse);

// ---------------------------------------------------------------- text
// The size of the text in the font selected into dc.
TSize WideGetTextExtent(const std::string& text, win::HDC dc);
// Zero for an empty text; else measured on a screen device context.
TSize TextExtentForFont(const std::string& text, TFont* font);
// Zero for an empty text or no canvas; the canvas is locked while measuring.
TSize TextExtentForCanvas(const std::string& text, TCanvas* canvas);

using TCommonWideCharArray = std::vector<char32_t>;

// The longest prefix that fits with "..." appended, or the text when it fits.
std::string ShortenWithEllipsis(win::HDC dc, const std::string& text, int32_t maxWidth);
// The lines of text within maxWidth, each ended by a zero and one more zero
// after the last; maxLines -1 for no limit. Returns the number of lines.
int32_t WrapTextLines(win::HDC dc, const std::string& text, int32_t maxWidth, TCommonWideCharArray& lines,
                      int32_t maxLines);

// DrawWideText flags.
constexpr uint32_t dtSingleLine = 0x0001, dtRight = 0x0004, dtCenter = 0x0008, dtBottom = 0x0020,
                   dtVCenter = 0x0040, dtCalcRect = 0x0080, dtCalcRectAlign = 0x0100, dtCalcRectAdjust = 0x0200,
                   dtEndEllipsis = 0x0400, dtRTLReading = 0x2000, dtNoClip = 0x4000;
// Draws (or with dtCalcRect measures into rect) the text; returns the lines.
int32_t DrawWideText(win::HDC dc, const std::string& text, TRect& rect, uint32_t flags, int32_t maxLines);

// ---------------------------------------------------------------- blending
// Per lane: clamp(((D * 256 + A * (S - D)) >> 8) + bias, 0, 255) in 16-bit
// lanes (logical shift, signed-saturating bias); A is constantAlpha (0..256,
// 256 copies the source), the source pixel's alpha, or that alpha scaled by
// constantAlpha (>> 8). Each handles at least one pixel.
void BlendRowConstantAlpha(const uint8_t* source, uint8_t* destination, int32_t count, int32_t constantAlpha,
                           int32_t bias);
void BlendRowPerPixelAlpha(const uint8_t* source, uint8_t* destination, int32_t count, int32_t constantAlpha,
                           int32_t bias);
void BlendRowMasterAlpha(const uint8_t* source, uint8_t* destination, int32_t count, int32_t constantAlpha,
                         int32_t bias);
// Per lane: (D * (256 - A) + K * A) >> 8 with K the colour's blue, green and
// red (color is RGB, red in the low byte) and 0 in the alpha lane.
void BlendRowWithColor(uint8_t* destination, int32_t count, int32_t constantAlpha, uint32_t color);

// The bits of the 32-bit DIB section selected in dc with its header's width
// and height (negative: top-down). EAssertionFailed when it is not 32 bits
// or has no bits.
void* DIBSectionBits(win::HDC dc, int32_t& width, int32_t& height);
// Modes: 0 constant alpha, 1 per-pixel alpha, 2 per-pixel alpha scaled by
// constantAlpha, 3 the colour biasOrColor over the destination's own rows in
// sourceRect. Rows and pixels outside either bitmap are left out.
void AlphaBlendDC(win::HDC sourceDC, win::HDC destDC, const TRect& sourceRect, TPoint destPoint, int32_t mode,
                  int32_t constantAlpha, int32_t biasOrColor);
// CPUID reports MMX (x86 and x86-64); false elsewhere.
bool HasMMX();

// ---------------------------------------------------------------- glyphs
// (0, 0, width, height) of the glyph "g" of the font "Marlett" at that point
// size, measured on a screen device context.
TRect MeasureCheckGlyph(int32_t pointSize);

// A check box or radio button drawn from Marlett glyphs at one position, in
// this order: the background (backColorA when useBackColorA, else
// backColorB; the check box's with the canvas brush, the radio button's
// without), the four frame parts, then with showMark the mark, black when
// markEnabled, else the button-shadow colour. MarlettFont takes the point
// size and is copied into the canvas font.
void DrawCheckBoxGlyph(TCanvas* canvas, TPoint position, int32_t pointSize, TColor backColorB, TColor backColorA,
                       TColor frame1Color, TColor frame2Color, TColor frame3Color, TColor frame4Color, bool showMark,
                       bool markEnabled, bool useBackColorA);
void DrawRadioButtonGlyph(TCanvas* canvas, TPoint position, int32_t pointSize, TColor backColorB, TColor backColorA,
                          TColor frame1Color, TColor frame2Color, TColor frame3Color, TColor frame4Color,
                          bool showMark, bool markEnabled, bool useBackColorA);

// Rows top..bottom from left to right, each in the colour at its distance
// from top between startColor and endColor (per channel, rounded); only rows
// within clipTop..clipBottom are drawn, and none when clipBottom <= 0. A
// single row (bottom = top) takes startColor. The pen colour is restored.
void FillGradientRows(int32_t left, int32_t top, int32_t right, int32_t bottom, TColor startColor, TColor endColor,
                      int32_t clipTop, int32_t clipBottom, TCanvas* canvas);

// ---------------------------------------------------------------- platform
bool IsUnicodePlatform();  // the NT family
bool IsWin95Original();
bool IsWinNT4OrOlder();
bool IsVistaOrUp();

// A module by name (compared ignoring ASCII case), loaded once and counted;
// null when it cannot be loaded, and then nothing is recorded.
win::HMODULE LoadSharedLibrary(const std::string& name);
// Frees every module, last loaded first, as often as it was asked for.
void FreeLoadedLibraries();

// ---------------------------------------------------------------- start-up
// The unit's texts of shell-extension registration, in this order: the
// caption, the two failures, the two missing files, the helper's file name.
// Set at start-up, empty after shut-down.
extern std::array<std::string, 6> ShellExtensionTexts;
// Binds the unit's entry points: always "GetDiskFreeSpaceA", "TrackMouseEvent",
// "FindFirstFileExA" and shell32's ordinals 716, 701 and 700; on the NT family
// the wide entry points too. A missing module or name leaves its pointer nil.
void ShCommonUtilitiesInitialize();
// Frees the libraries loaded through LoadSharedLibrary.
void ShCommonUtilitiesFinalize();
// What start-up bound under that export name (nil when not bound).
win::FARPROC BoundEntryPoint(std::string_view name);
win::FARPROC BoundShellOrdinal(win::WORD ordinal);
// Zero when the module is missing; shlwapi and Userenv are loaded here.
extern win::HMODULE GDI32Handle, Advapi32Handle, ShlwapiHandle, UserenvHandle;

// ---------------------------------------------------------------- callbacks
// A plain callback that reaches a method: the thunk holds the object and the
// target, and MethodThunkCall, given the thunk as its context pointer, calls
// the target with the object as an extra first argument. Machine code is not
// written: the platform's callbacks carry a context pointer instead, so
// MethodThunkCall itself is the callback (win::CONTEXTPROC), e.g. of
// win::SetTimerWithContext with the thunk as its context.
using TMethodThunkTarget = uintptr_t (*)(void* object, uintptr_t arg1, uintptr_t arg2, uintptr_t arg3,
                                         uintptr_t arg4);
struct TCommonMethodThunk {
  void* Object = nullptr;
  TMethodThunkTarget Target = nullptr;
};
TCommonMethodThunk* CreateMethodThunk(void* object, TMethodThunkTarget target);
void FreeMethodThunk(TCommonMethodThunk* thunk);
extern "C" uintptr_t MethodThunkCall(void* context, uintptr_t arg1, uintptr_t arg2, uintptr_t arg3, uintptr_t arg4);

// ---------------------------------------------------------------- rectangles
int32_t RectWidth(const TRect& r);
int32_t RectHeight(const TRect& r);
bool RectIsValid(const TRect& r);
bool RectContains(const TRect& outer, const TRect& inner);
// Per axis: inner's extent centred in outer, or outer's edges when outer is smaller.
void CenterRect(const TRect& outer, const TRect& inner, TRect& result);
