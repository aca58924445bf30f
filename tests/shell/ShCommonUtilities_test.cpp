// Drive roots, paths and case, rectangles, text measuring, shortening,
// wrapping and painting through a real font, the Marlett button glyphs, the
// gradient rows, the blend kernels against the documented per-lane
// formula, and AlphaBlendDC over DIB sections of both row orders.
#include "shell/ShCommonUtilities.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include <cmath>

#include "platform/gdi/text.h"
#include "platform/rtl/sysutils.h"
#include "platform/shell/fileapi.h"
#include "platform/vcl/graphics.h"
#include "platform/win/winuser.h"
#include "shell/ShCommonObjects.h"
#include "tests/shell/message_pump.h"
#include "tests/support/testsupport.h"

using namespace win;

namespace {

TEST(IsDriveRoot, Table) {
  const struct {
    const char* path;
    bool root;
  } cases[] = {
      {"c:", true},   {"C:\\", true}, {"z:\\", true},    {"A:", true},     {"c:\\x", false}, {"1:", false},
      {"c", false},   {"", false},    {"c:/", false},    {"cc:", false},   {"@:", false},    {"[:\\", false},
      {"c;\\", false}, {"\\\\", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsDriveRoot(c.path), c.root) << c.path;
}

TEST(FolderSizes, CountsLargeFilesAndSkipsLinkedFolders) {
  testsupport::TempDir tmp;
  namespace fs = std::filesystem;
  testsupport::WriteFileBytes(tmp / "a.bin", std::string(10, 'a'));
  { std::ofstream(tmp / "big.bin").put('x'); }
  const uint64_t big = (uint64_t(5) << 30) + 3;  // past 32 bits; sparse
  fs::resize_file(tmp / "big.bin", big);
  fs::create_directory(tmp / "sub");
  testsupport::WriteFileBytes(tmp / "sub" / "c.txt", std::string(7, 'c'));
  fs::create_directory_symlink(tmp / "sub", tmp / "link");
  const std::string root = tmp.Path().string();

  EXPECT_EQ(FolderOrDiskSize(root, false), int64_t(10 + big));
  EXPECT_EQ(FolderOrDiskSize(root, true), int64_t(10 + big + 7));  // the link is not followed
  int64_t total = 100;  // the caller's running total is added to
  SumFolderFileSizes(root + "/sub", true, total);
  EXPECT_EQ(total, 107);
  total = 0;
  SumFolderFileSizes(root + "/missing", true, total);
  EXPECT_EQ(total, 0);
  // A set cancel flag ends the scan after the first entry; the entry point clears it.
  FolderSizeCancel = true;
  total = 0;
  SumFolderFileSizes(root, true, total);
  EXPECT_LT(total, int64_t(10 + big + 7));
  EXPECT_EQ(FolderOrDiskSize(root, true), int64_t(10 + big + 7));
  EXPECT_FALSE(FolderSizeCancel);
}

TEST(FolderSizes, DriveRootsAskTheVolume) {
  testsupport::TempDir tmp;
  ASSERT_TRUE(MapDriveLetter('Q', tmp.Path().string()));
  const auto space = std::filesystem::space(tmp.Path());
  const int64_t used = FolderOrDiskSize("q:\\", true);
  // Other programs write meanwhile: the two answers agree within 256 MB.
  EXPECT_NEAR(double(used), double(space.capacity - space.available), 256.0 * 1024 * 1024);
  MapDriveLetter('Q', "");
  EXPECT_EQ(FolderOrDiskSize("q:\\", true), 0);
}

TEST(Rectangles, HelpersAndCentring) {
  EXPECT_EQ(RectWidth(TRect(3, 4, 10, 20)), 7);
  EXPECT_EQ(RectHeight(TRect(3, 4, 10, 20)), 16);
  EXPECT_TRUE(RectIsValid(TRect(1, 1, 1, 1)));
  EXPECT_FALSE(RectIsValid(TRect(2, 1, 1, 1)));
  EXPECT_TRUE(RectContains(TRect(0, 0, 10, 10), TRect(0, 0, 10, 10)));
  EXPECT_FALSE(RectContains(TRect(0, 0, 10, 10), TRect(0, 0, 11, 10)));
  const struct {
    TRect outer, inner, expected;
  } cases[] = {
      {{0, 0, 10, 10}, {0, 0, 4, 4}, {3, 3, 7, 7}},
      {{0, 0, 10, 10}, {50, 50, 55, 53}, {2, 3, 7, 6}},     // odd spare: rounded toward zero
      {{0, 0, 4, 10}, {0, 0, 8, 2}, {0, 4, 4, 6}},          // too narrow: outer's edges
      {{-10, -10, -2, -2}, {0, 0, 2, 20}, {-7, -10, -5, -2}},
  };
  for (const auto& c : cases) {
    TRect r;
    CenterRect(c.outer, c.inner, r);
    EXPECT_EQ(r, c.expected);
  }
}

// ---------------------------------------------------------------- text

class TextDC : public ::testing::Test {
protected:
  void SetUp() override {
    dc = CreateCompatibleDC(nullptr);
    LOGFONT lf;
    lf.lfHeight = -16;
    SetFaceName(lf, "DejaVu Sans");
    font = CreateFontIndirect(&lf);
    old = SelectObject(dc, font);
    GetTextMetrics(dc, &tm);
  }
  void TearDown() override {
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
  }
  int32_t Width(const std::string& s) {
    SIZE size;
    GetTextExtentPoint32(dc, s, &size);
    return size.cx;
  }
  static std::vector<std::string> Split(const TCommonWideCharArray& lines) {
    std::vector<std::string> out;
    std::u32string cur;
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
      if (lines[i] == 0) {
        out.push_back(std::string(cur.begin(), cur.end()));
        cur.clear();
      } else {
        cur += lines[i];
      }
    }
    return out;
  }

  HDC dc = nullptr;
  HFONT font = nullptr;
  HGDIOBJ old = nullptr;
  TEXTMETRIC tm;
};

TEST_F(TextDC, ShortenWithEllipsis) {
  const std::string text = "Stereo photograph";
  EXPECT_EQ(ShortenWithEllipsis(dc, "", 0), "");
  EXPECT_EQ(ShortenWithEllipsis(dc, text, Width(text)), text);
  EXPECT_EQ(ShortenWithEllipsis(dc, text, Width("...") - 1), "...");
  // The longest prefix that fits with the ellipsis, found independently.
  const int32_t limit = Width("Stereo ph...");
  std::string expected = "...";
  for (size_t n = 1; n < text.size(); ++n)
    if (Width(text.substr(0, n)) + Width("...") <= limit) expected = text.substr(0, n) + "...";
  EXPECT_EQ(ShortenWithEllipsis(dc, text, limit), expected);
  EXPECT_LE(Width(ShortenWithEllipsis(dc, text, limit)), limit);
}

TEST_F(TextDC, WrapTextLinesAtTheWidestCharacter) {
  const std::string text(40, 'W');
  TCommonWideCharArray lines;
  const int32_t count = WrapTextLines(dc, text, tm.tmMaxCharWidth, lines, -1);
  // As many W as fit the width each line, at least one.
  const size_t perLine = std::max<size_t>(1, size_t(tm.tmMaxCharWidth / Width("W")));
  const size_t expectedLines = (text.size() + perLine - 1) / perLine;
  EXPECT_EQ(size_t(count), expectedLines);
  const auto got = Split(lines);
  ASSERT_EQ(got.size(), expectedLines);
  for (size_t i = 0; i + 1 < got.size(); ++i) EXPECT_EQ(got[i].size(), perLine) << i;
  // Double-zero terminated and nothing more.
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 1], 0u);
  EXPECT_EQ(lines[lines.size() - 2], 0u);
  EXPECT_EQ(lines.size(), text.size() + expectedLines + 1);
}

TEST_F(TextDC, WrapTextLinesBreaksAtBlanksAndLineEnds) {
  TCommonWideCharArray lines;
  const int32_t w = Width("left right");
  EXPECT_EQ(WrapTextLines(dc, "left right", 0, lines, -1), 0);
  EXPECT_EQ(lines, (TCommonWideCharArray{0, 0}));
  EXPECT_EQ(WrapTextLines(dc, "left right", tm.tmMaxCharWidth - 1, lines, -1), 1);  // narrower than a character
  EXPECT_EQ(Split(lines), std::vector<std::string>{"left right"});
  EXPECT_EQ(WrapTextLines(dc, "left right", std::max(w - 1, int32_t(tm.tmMaxCharWidth)), lines, -1), 2);
  EXPECT_EQ(Split(lines), (std::vector<std::string>{"left", "right"}));
  EXPECT_EQ(WrapTextLines(dc, "one\r\ntwo\nthree", w * 4, lines, -1), 3);
  EXPECT_EQ(Split(lines), (std::vector<std::string>{"one", "two", "three"}));
  // The last allowed line takes the rest.
  EXPECT_EQ(WrapTextLines(dc, "one\ntwo\nthree", w * 4, lines, 2), 2);
  EXPECT_EQ(Split(lines), (std::vector<std::string>{"one", "two\nthree"}));
}

TEST_F(TextDC, DrawWideTextMeasures) {
  const int32_t lineHeight = tm.tmHeight;
  // Several lines, no limit: every line, stacked from the top.
  TRect r(10, 20, 10 + Width("aa bb") , 500);
  const int32_t lines = DrawWideText(dc, "aa bb cc dd", r, dtCalcRect, -1);
  TCommonWideCharArray wrapped;
  EXPECT_EQ(lines, WrapTextLines(dc, "aa bb cc dd", Width("aa bb"), wrapped, -1));
  EXPECT_GE(lines, 2);
  EXPECT_EQ(r.Top, 20);
  EXPECT_EQ(r.Bottom, 20 + lines * lineHeight);
  EXPECT_EQ(r.Left, 10);
  // Limited to one line, centred vertically in 100 pixels.
  TRect c(0, 0, Width("aa bb"), 100);
  EXPECT_EQ(DrawWideText(dc, "aa bb cc dd", c, dtCalcRect | dtVCenter, 1), 1);
  EXPECT_EQ(c.Top, (100 - lineHeight) / 2);
  // A single line centred and right-aligned.
  const int32_t tw = Width("xyz");
  TRect s(0, 0, 101, 40);
  EXPECT_EQ(DrawWideText(dc, "xyz", s, dtSingleLine | dtCalcRect | dtCenter | dtBottom, -1), 1);
  EXPECT_EQ(s, TRect((101 - tw) / 2, 40 - lineHeight, (101 - tw) / 2 + tw, 40));
  TRect rr(0, 0, 101, 40);
  DrawWideText(dc, "xyz", rr, dtSingleLine | dtCalcRect | dtRight, -1);
  EXPECT_EQ(rr, TRect(101 - tw, 0, 101, lineHeight));
  // No lines: one average character wide and no height, or one line high and no width.
  TRect e(5, 5, 50, 50), f(5, 5, 50, 50);
  EXPECT_EQ(DrawWideText(dc, "", e, dtCalcRect, -1), 0);
  EXPECT_EQ(e, TRect(5, 5, 5 + tm.tmAveCharWidth, 5));
  DrawWideText(dc, "", f, dtCalcRect | dtCalcRectAlign, -1);
  EXPECT_EQ(f, TRect(5, 5, 5, 5 + lineHeight));
}

// ---------------------------------------------------------------- blending

// The documented formula evaluated in plain integers.
uint8_t Expected(int s, int d, int a, int bias) { return uint8_t(std::clamp(((d * 256 + a * (s - d)) >> 8) + bias, 0, 255)); }

std::vector<uint8_t> RandomPixels(size_t n, uint32_t seed) {
  std::mt19937 gen(seed);
  std::vector<uint8_t> v(n * 4);
  for (auto& b : v) b = uint8_t(gen());
  // The extremes of every lane appear too.
  for (size_t i = 0; i < 8 && i < v.size(); ++i) v[i] = i % 2 ? 255 : 0;
  return v;
}

TEST(BlendKernels, EveryLaneFollowsTheFormula) {
  const size_t n = 64;
  const auto src = RandomPixels(n, 1), dst = RandomPixels(n, 2);
  for (int alpha : {0, 1, 77, 128, 255, 256})
    for (int bias : {-300, -5, 0, 7, 300}) {
      auto c = dst, p = dst, m = dst;
      BlendRowConstantAlpha(src.data(), c.data(), int32_t(n), alpha, bias);
      BlendRowPerPixelAlpha(src.data(), p.data(), int32_t(n), alpha, bias);
      BlendRowMasterAlpha(src.data(), m.data(), int32_t(n), alpha, bias);
      for (size_t i = 0; i < n * 4; ++i) {
        const int sa = src[i / 4 * 4 + 3];
        ASSERT_EQ(c[i], Expected(src[i], dst[i], alpha, bias)) << "constant " << alpha << " " << bias << " " << i;
        ASSERT_EQ(p[i], Expected(src[i], dst[i], sa, bias)) << "per pixel " << bias << " " << i;
        ASSERT_EQ(m[i], Expected(src[i], dst[i], (sa * alpha) >> 8, bias)) << "master " << alpha << " " << i;
      }
    }
}

TEST(BlendKernels, CopyKeepAndColour) {
  const auto src = RandomPixels(16, 3), dst = RandomPixels(16, 4);
  auto copy = dst;
  BlendRowConstantAlpha(src.data(), copy.data(), 16, 256, 0);
  EXPECT_EQ(copy, src);
  auto keep = dst;
  BlendRowConstantAlpha(src.data(), keep.data(), 16, 0, 9);
  for (size_t i = 0; i < keep.size(); ++i) EXPECT_EQ(keep[i], std::min(dst[i] + 9, 255)) << i;

  const uint32_t rgb = 0x00336699;  // red 0x99, green 0x66, blue 0x33
  for (int alpha : {0, 100, 256}) {
    auto col = dst;
    BlendRowWithColor(col.data(), 16, alpha, rgb);
    const int k[4] = {0x33, 0x66, 0x99, 0};
    for (size_t i = 0; i < col.size(); ++i)
      ASSERT_EQ(col[i], (dst[i] * (256 - alpha) + k[i % 4] * alpha) >> 8) << alpha << " " << i;
  }
  // A count below one still blends one pixel.
  auto one = dst;
  BlendRowConstantAlpha(src.data(), one.data(), 0, 256, 0);
  EXPECT_TRUE(std::equal(one.begin(), one.begin() + 4, src.begin()));
  EXPECT_TRUE(std::equal(one.begin() + 4, one.end(), dst.begin() + 4));
}

struct Dib {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = nullptr;
  HGDIOBJ old = nullptr;
  uint8_t* bits = nullptr;
  int w, h;
  Dib(int width, int height, int bpp = 32) : w(width), h(height) {
    BITMAPINFO256 bi{};
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;
    bi.bmiHeader.biBitCount = WORD(bpp);
    void* p = nullptr;
    bmp = CreateDIBSection(nullptr, bi.get(), DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<uint8_t*>(p);
    old = SelectObject(dc, bmp);
  }
  ~Dib() {
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
  }
  // Pixel (x, y) counted from the top, whatever the row order.
  uint8_t* At(int x, int y) const { return bits + (size_t((h > 0 ? h - 1 - y : y)) * size_t(w) + size_t(x)) * 4; }
};

TEST(AlphaBlendDC, BlendsRowsInPlaceForBothRowOrders) {
  for (int sign : {1, -1}) {
    Dib src(4, 3 * sign), dst(5, 4 * sign);
    const auto s = RandomPixels(12, 5), d = RandomPixels(20, 6);
    std::memcpy(src.bits, s.data(), s.size());
    std::memcpy(dst.bits, d.data(), d.size());
    std::vector<uint8_t> before(dst.bits, dst.bits + d.size());
    Dib* pdst = &dst;
    auto snapshot = [&](int x, int y) { return std::vector<uint8_t>(pdst->At(x, y), pdst->At(x, y) + 4); };
    std::vector<std::vector<uint8_t>> old(20);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 5; ++x) old[size_t(y * 5 + x)] = snapshot(x, y);
    // Source rows 1..2, columns 1..3 onto destination (2, 1); the last column falls off.
    AlphaBlendDC(src.dc, dst.dc, TRect(1, 1, 4, 3), TPoint(2, 1), 0, 128, 3);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 5; ++x) {
        const bool inside = y >= 1 && y <= 2 && x >= 2 && x <= 4;
        for (int lane = 0; lane < 4; ++lane) {
          const uint8_t was = old[size_t(y * 5 + x)][size_t(lane)];
          const uint8_t want = inside ? Expected(src.At(x - 1, y)[lane], was, 128, 3) : was;
          ASSERT_EQ(dst.At(x, y)[lane], want) << sign << " " << x << "," << y << " lane " << lane;
        }
      }
  }
}

TEST(AlphaBlendDC, ColourModeAndRectanglesOutsideTheBitmaps) {
  Dib dst(3, 3);
  std::memset(dst.bits, 200, 36);
  AlphaBlendDC(nullptr, dst.dc, TRect(-5, 1, 1, 2), TPoint(0, 0), 3, 256, 0x000000FF);
  // Only pixel (0, 1) lies inside: pure red over it, the alpha lane's colour 0.
  EXPECT_EQ(std::vector<uint8_t>(dst.At(0, 1), dst.At(0, 1) + 4), (std::vector<uint8_t>{0, 0, 255, 0}));
  EXPECT_EQ(dst.At(1, 1)[0], 200);
  EXPECT_EQ(dst.At(0, 0)[0], 200);
  Dib src(2, 2);
  std::memset(src.bits, 10, 16);
  // Far outside both: nothing read or written.
  AlphaBlendDC(src.dc, dst.dc, TRect(0, 0, 2, 2), TPoint(1000, -1000), 0, 256, 0);
  AlphaBlendDC(src.dc, dst.dc, TRect(0, 5, 100, 9), TPoint(0, 0), 0, 256, 0);
  for (int i = 0; i < 36; ++i) {
    if (i / 4 == 3) continue;  // the pixel the colour went to
    EXPECT_EQ(dst.bits[i], 200) << i;
  }
  // An empty rectangle or an unknown mode does nothing.
  AlphaBlendDC(src.dc, dst.dc, TRect(0, 0, 0, 2), TPoint(0, 0), 0, 256, 0);
  AlphaBlendDC(src.dc, dst.dc, TRect(0, 0, 2, 2), TPoint(0, 0), 4, 256, 0);
  EXPECT_EQ(dst.At(1, 0)[0], 200);
}

TEST(AlphaBlendDC, AssertionsForBitmapsThatCannotBeBlended) {
  Dib rgb(2, 2, 24), good(2, 2);
  HDC ddbDC = CreateCompatibleDC(nullptr);
  HDC screen = GetDC(nullptr);
  HBITMAP ddb = CreateCompatibleBitmap(screen, 2, 2);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(ddbDC, ddb);
  const struct {
    HDC dc;
    const char* message;
  } cases[] = {
      {rgb.dc, "Alpha blending error: bitmap must use 32 bpp."},
      {ddbDC, "Alpha blending DC error: no bitmap available."},
  };
  for (const auto& c : cases) {
    try {
      AlphaBlendDC(good.dc, c.dc, TRect(0, 0, 1, 1), TPoint(0, 0), 0, 256, 0);
      ADD_FAILURE() << c.message;
    } catch (const EAssertionFailed& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
  int32_t w = 0, h = 0;
  EXPECT_EQ(DIBSectionBits(good.dc, w, h), good.bits);
  EXPECT_EQ(w, 2);
  EXPECT_EQ(h, 2);
  SelectObject(ddbDC, old);
  DeleteObject(ddb);
  DeleteDC(ddbDC);
}

TEST(PlatformChecks, Table) {
  const struct {
    PlatformVersion version;
    bool unicode, win95, nt4, vista;
  } cases[] = {
      {{VER_PLATFORM_WIN32_NT, 6, 1, 7601}, true, false, false, true},
      {{VER_PLATFORM_WIN32_NT, 5, 1, 2600}, true, false, false, false},
      {{VER_PLATFORM_WIN32_NT, 4, 0, 1381}, true, false, true, false},
      {{VER_PLATFORM_WIN32_NT, 10, 0, 19045}, true, false, false, true},
      {{VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950}, false, true, false, false},
      {{VER_PLATFORM_WIN32_WINDOWS, 4, 0, 1111}, false, false, false, false},
      {{VER_PLATFORM_WIN32_WINDOWS, 4, 10, 1998}, false, false, false, false},
  };
  for (const auto& c : cases) {
    ScopedPlatformVersion plays(c.version);
    const std::string what = std::to_string(c.version.PlatformId) + " " + std::to_string(c.version.Major) + "." +
                             std::to_string(c.version.Minor) + "." + std::to_string(c.version.Build);
    EXPECT_EQ(IsUnicodePlatform(), c.unicode) << what;
    EXPECT_EQ(IsWin95Original(), c.win95) << what;
    EXPECT_EQ(IsWinNT4OrOlder(), c.nt4) << what;
    EXPECT_EQ(IsVistaOrUp(), c.vista) << what;
  }
}

TEST(LoadSharedLibrary, LoadsOnceAndFreesEveryUse) {
  // Start-up's own libraries leave the list first and come back afterwards.
  ShCommonUtilitiesFinalize();
  {
    std::vector<ModuleDefinition> modules = PlatformModules();
    modules.push_back({"duplexiontest", {}, true});
    ScopedModuleTable table(std::move(modules));
    const int loadsBefore = ModuleLoadCount("duplexiontest");
    HMODULE a = LoadSharedLibrary("duplexiontest");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(LoadSharedLibrary("DuplexionTest"), a);
    EXPECT_EQ(LoadSharedLibrary("duplexiontest"), a);
    EXPECT_EQ(ModuleLoadCount("duplexiontest"), loadsBefore + 1);
    EXPECT_EQ(LoadSharedLibrary("no-such-module"), nullptr);
    EXPECT_EQ(GetModuleHandle("duplexiontest"), a);
    FreeLoadedLibraries();
    EXPECT_EQ(GetModuleHandle("duplexiontest"), nullptr);
    // The list starts again empty: the next load is a new one.
    ASSERT_NE(LoadSharedLibrary("duplexiontest"), nullptr);
    EXPECT_EQ(ModuleLoadCount("duplexiontest"), loadsBefore + 2);
    FreeLoadedLibraries();
  }
  ShCommonUtilitiesInitialize();
}

TEST(CheckGlyph, MeasuredOnceASize) {
  const TRect small = MeasureCheckGlyph(8), large = MeasureCheckGlyph(16);
  EXPECT_EQ(small.Left, 0);
  EXPECT_EQ(small.Top, 0);
  EXPECT_GT(small.Right, 0);
  EXPECT_GT(large.Right, small.Right);
  EXPECT_GT(large.Bottom, small.Bottom);
  TCommonCheckBoundManager cache;
  EXPECT_EQ(cache.Find(8), nullptr);
  EXPECT_EQ(cache.Bound(8), small);
  EXPECT_EQ(cache.Bound(8), small);
  EXPECT_EQ(cache.Count(), 1);
  EXPECT_EQ(cache.Bound(16), large);
  EXPECT_EQ(cache.Count(), 2);
  ASSERT_NE(cache.Find(16), nullptr);
  EXPECT_EQ(cache.Find(16)->Bounds, large);
  cache.Clear();
  EXPECT_EQ(cache.Count(), 0);
}

struct TCallbackOwner {
  std::vector<uintptr_t> Seen;
  static uintptr_t Method(void* self, uintptr_t a, uintptr_t b, uintptr_t c, uintptr_t d) {
    static_cast<TCallbackOwner*>(self)->Seen = {a, b, c, d};
    return a + b + c + d;
  }
};

TEST(MethodThunk, PlainCallbackReachesTheObject) {
  TCallbackOwner one, two;
  TCommonMethodThunk* t1 = CreateMethodThunk(&one, &TCallbackOwner::Method);
  TCommonMethodThunk* t2 = CreateMethodThunk(&two, &TCallbackOwner::Method);
  // Called the way a platform callback calls it: a C function and a context.
  uintptr_t (*callback)(void*, uintptr_t, uintptr_t, uintptr_t, uintptr_t) = &MethodThunkCall;
  EXPECT_EQ(callback(t1, 1, 2, 3, 4), 10u);
  EXPECT_EQ(callback(t2, 5, 6, 7, 8), 26u);
  EXPECT_EQ(one.Seen, (std::vector<uintptr_t>{1, 2, 3, 4}));
  EXPECT_EQ(two.Seen, (std::vector<uintptr_t>{5, 6, 7, 8}));
  EXPECT_EQ(callback(nullptr, 1, 1, 1, 1), 0u);
  FreeMethodThunk(t1);
  FreeMethodThunk(t2);
  FreeMethodThunk(nullptr);
}

TEST(MethodThunk, ThreadTimerCallsTheMethodThroughItsContext) {
  TCallbackOwner owner;
  TCommonMethodThunk* thunk = CreateMethodThunk(&owner, &TCallbackOwner::Method);
  const UINT_PTR id = SetTimerWithContext(nullptr, 0, 10, &MethodThunkCall, thunk);
  ASSERT_NE(id, 0u);
  PumpUntil([&] { return !owner.Seen.empty(); }, std::chrono::seconds(5));
  KillTimer(nullptr, id);
  FreeMethodThunk(thunk);
  ASSERT_EQ(owner.Seen.size(), 4u);
  EXPECT_EQ(owner.Seen[0], 0u);  // no window
  EXPECT_EQ(owner.Seen[1], uintptr_t(WM_TIMER));
  EXPECT_EQ(owner.Seen[2], id);
}

TEST(HasMMX, AnswersForThisProcessor) {
#if defined(__x86_64__)
  EXPECT_TRUE(HasMMX());  // every x86-64 processor has it
#else
  GTEST_SKIP() << "no independent truth on this architecture";
#endif
}

}  // namespace

namespace {

TEST(WidePaths, ExtractionTable) {
  const struct {
    const char* Path;
    const char* Drive;
    const char* Ext;
  } rows[] = {
      {"/home/u/pic.jpg", "", ".jpg"},
      {"/home/u.d/pic", "", ""},
      {"c:\\dir\\pic.MPO", "c:", ".MPO"},
      {"C:", "C:", ""},
      {"\\\\server\\share\\dir\\a.jps", "\\\\server\\share", ".jps"},
      {"//server/share", "//server/share", ""},
      {"\\\\server", "\\\\server", ""},
      {"", "", ""},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(WideExtractFileDrive(r.Path), r.Drive) << r.Path;
    EXPECT_EQ(WideExtractFileExt(r.Path), r.Ext) << r.Path;
  }
  EXPECT_EQ(WideExtractFileDir("/home/u/pic.jpg"), "/home/u");
  EXPECT_EQ(WideExtractFileDir("c:\\dir\\pic.MPO"), "c:\\dir");
}

TEST(WidePaths, DirectoryExists) {
  testsupport::TempDir tmp;
  testsupport::WriteFileBytes(tmp / "file", "x");
  std::filesystem::create_directory_symlink(tmp.Path(), tmp / "link");
  EXPECT_TRUE(WideDirectoryExists(tmp.Path().string()));
  EXPECT_TRUE(WideDirectoryExists((tmp / "link").string()));
  EXPECT_FALSE(WideDirectoryExists((tmp / "file").string()));
  EXPECT_FALSE(WideDirectoryExists((tmp / "missing").string()));
  EXPECT_FALSE(WideDirectoryExists(""));
}

TEST(WideCase, MapsEveryCharacterOneToOne) {
  const struct {
    const char* Text;
    const char* Upper;
    const char* Lower;
  } rows[] = {
      // U+00FF and U+0178 are a pair outside Latin-1's upper half; U+01C4..U+01C6
      // a title-case triple; sharp s has no one-character capital and stays.
      {"Stra\xC3\x9F" "e \xC3\xBF", "STRA\xC3\x9F" "E \xC5\xB8", "stra\xC3\x9F" "e \xC3\xBF"},
      {"\xC7\x86 \xC7\x85 \xC7\x84", "\xC7\x84 \xC7\x84 \xC7\x84", "\xC7\x86 \xC7\x86 \xC7\x86"},
      {"\xCE\xA9mega \xD0\x96", "\xCE\xA9MEGA \xD0\x96", "\xCF\x89mega \xD0\xB6"},
      {"", "", ""},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(WideUpperCase(r.Text), r.Upper) << r.Text;
    EXPECT_EQ(WideLowerCase(r.Text), r.Lower) << r.Text;
  }
}

TEST(WarningBox, ShowsAWarningWithItsCaption) {
  std::string seenText, seenCaption;
  UINT seenType = 0;
  SetMessageBoxHook([&](HWND, const std::string& text, const std::string& caption, UINT type) {
    seenText = text, seenCaption = caption, seenType = type;
    return IDOK;
  });
  EXPECT_EQ(WarningBox(nullptr, "Duplexion", "No pair in this file."), IDOK);
  SetMessageBoxHook(nullptr);
  EXPECT_EQ(seenText, "No pair in this file.");
  EXPECT_EQ(seenCaption, "Duplexion");
  EXPECT_EQ(seenType & MB_ICONMASK, MB_ICONWARNING);
}

// An object answering IUnknown and one more interface, counting references.
struct TCountingObject : IUnknown {
  ULONG Refs = 1;
  IID Extra;
  HRESULT QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid != IID_IUnknown && iid != Extra) return E_NOINTERFACE;
    *out = this;
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return ++Refs; }
  ULONG Release() override { return --Refs; }
};

TEST(Supports, AnswersAndBalancesReferences) {
  TCountingObject object;
  object.Extra = TGUID{0x11111111, 0x2222, 0x3333, {4, 4, 5, 5, 5, 5, 5, 5}};
  const IID other{0x66666666, 0x2222, 0x3333, {4, 4, 5, 5, 5, 5, 5, 5}};
  EXPECT_TRUE(Supports(&object, object.Extra));
  EXPECT_EQ(object.Refs, 1u);  // the test alone keeps no reference
  void* found = reinterpret_cast<void*>(1);
  EXPECT_FALSE(Supports(&object, other, &found));
  EXPECT_EQ(found, nullptr);
  ASSERT_TRUE(Supports(&object, object.Extra, &found));
  EXPECT_EQ(found, &object);
  EXPECT_EQ(object.Refs, 2u);  // the caller's reference
  object.Release();
  found = reinterpret_cast<void*>(1);
  EXPECT_FALSE(Supports(nullptr, IID_IUnknown, &found));
  EXPECT_EQ(found, nullptr);
  EXPECT_FALSE(Supports(nullptr, IID_IUnknown));
}

TEST_F(TextDC, ExtentsOfFontsCanvasesAndDeviceContexts) {
  const std::string text = "Stereo pair \xC3\xA4";
  SIZE direct;
  ASSERT_TRUE(GetTextExtentPoint32(dc, text, &direct));
  EXPECT_EQ(WideGetTextExtent(text, dc), TSize(direct.cx, direct.cy));
  TFont font;
  font.SetName("DejaVu Sans");
  font.SetHeight(-16);  // the fixture's font
  EXPECT_EQ(TextExtentForFont(text, &font), TSize(direct.cx, direct.cy));
  EXPECT_EQ(TextExtentForFont("", &font), TSize());
  TBitmap bmp;
  bmp.SetSize(4, 4);
  bmp.Canvas()->Font()->Assign(&font);
  EXPECT_EQ(TextExtentForCanvas(text, bmp.Canvas()), TSize(direct.cx, direct.cy));
  EXPECT_EQ(TextExtentForCanvas("", bmp.Canvas()), TSize());
  EXPECT_EQ(TextExtentForCanvas(text, nullptr), TSize());
  // The lock is given back.
  EXPECT_TRUE(bmp.Canvas()->TryLock());
  bmp.Canvas()->Unlock();
}

TColor Pixel(TBitmap& bmp, int x, int y) { return bmp.Canvas()->Pixels(x, y); }

TEST(FillGradientRows, RowsFollowTheFormulaInsideTheClip) {
  const TColor start = RGBColor(250, 10, 0), end = RGBColor(0, 130, 255);
  const struct {
    int32_t Top, Bottom, ClipTop, ClipBottom;
  } rows[] = {
      {1, 10, 1, 10},  // every row
      {1, 10, 3, 7},   // only the clipped ones
      {10, 1, 1, 10},  // bottom above top: no row
      {1, 10, 3, 0},   // no clip bottom: nothing drawn
      {5, 5, 0, 9},    // one row: the start colour
  };
  for (const auto& r : rows) {
    TBitmap bmp;
    bmp.SetSize(12, 12);
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->FillRect(TRect(0, 0, 12, 12));
    bmp.Canvas()->Pen()->SetColor(clLime);
    FillGradientRows(2, r.Top, 9, r.Bottom, start, end, r.ClipTop, r.ClipBottom, bmp.Canvas());
    EXPECT_EQ(bmp.Canvas()->Pen()->Color(), clLime);
    for (int y = 0; y < 12; ++y) {
      const bool drawn = y >= r.Top && y <= r.Bottom && r.ClipBottom > 0 && y >= r.ClipTop && y <= r.ClipBottom;
      TColor want = clWhite;
      if (drawn) {
        const double t = r.Bottom == r.Top ? 0.0 : std::abs(y - r.Top) / double(r.Bottom - r.Top);
        auto mix = [&](int a, int b) { return uint8_t(std::nearbyint(a + (b - a) * t)); };
        want = RGBColor(mix(250, 0), mix(10, 130), mix(0, 255));
      }
      for (int x = 0; x < 12; ++x) {
        const TColor expected = drawn && x >= 2 && x < 9 ? want : clWhite;  // LineTo leaves its end point
        ASSERT_EQ(Pixel(bmp, x, y), expected) << r.Top << ".." << r.Bottom << " clip " << r.ClipTop << ".."
                                              << r.ClipBottom << " at " << x << "," << y;
      }
    }
  }
}

// Each glyph of a button drawn alone in white on black: where it fully covers.
std::vector<uint8_t> GlyphCover(char glyph, int32_t pointSize, int size, TPoint at) {
  TBitmap bmp;
  bmp.SetSize(size, size);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clBlack);
  c->FillRect(TRect(0, 0, size, size));
  c->Font()->SetName("Marlett");
  c->Font()->SetSize(pointSize);
  c->Font()->SetColor(clWhite);
  c->Brush()->SetStyle(bsClear);
  c->TextOut(at.X, at.Y, std::string(1, glyph));
  std::vector<uint8_t> cover(size_t(size) * size_t(size));
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) cover[size_t(y) * size_t(size) + size_t(x)] = uint8_t(c->Pixels(x, y) & 0xFF);
  return cover;
}

TEST(MarlettButtons, EachGlyphInItsColourAndOrder) {
  ASSERT_NE(MarlettFont, nullptr);
  EXPECT_EQ(LowerCase(MarlettFont->Name()), "marlett");
  const TColor backB = RGBColor(1, 2, 3), backA = RGBColor(200, 200, 40), f1 = RGBColor(10, 20, 200),
               f2 = RGBColor(20, 200, 10), f3 = RGBColor(200, 10, 20), f4 = RGBColor(90, 90, 90);
  const struct {
    bool Radio, ShowMark, MarkEnabled, UseBackA;
  } rows[] = {
      {false, true, true, false}, {false, true, false, true}, {false, false, true, false},
      {true, true, true, true},   {true, true, false, false}, {true, false, false, false},
  };
  constexpr int kSize = 40, kPoints = 20;
  const TPoint at(5, 3);
  for (const auto& r : rows) {
    const char* glyphs = r.Radio ? "njklmi" : "gcdefb";
    const TColor colours[6] = {r.UseBackA ? backA : backB, f1, f2, f3, f4,
                               r.MarkEnabled ? clBlack : ColorToRGB(clBtnShadow)};
    const int count = r.ShowMark ? 6 : 5;
    std::vector<std::vector<uint8_t>> covers;
    for (int g = 0; g < 6; ++g) covers.push_back(GlyphCover(glyphs[g], kPoints, kSize, at));
    TBitmap bmp;
    bmp.SetSize(kSize, kSize);
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->FillRect(TRect(0, 0, kSize, kSize));
    if (r.Radio)
      DrawRadioButtonGlyph(bmp.Canvas(), at, kPoints, backB, backA, f1, f2, f3, f4, r.ShowMark, r.MarkEnabled,
                           r.UseBackA);
    else
      DrawCheckBoxGlyph(bmp.Canvas(), at, kPoints, backB, backA, f1, f2, f3, f4, r.ShowMark, r.MarkEnabled,
                        r.UseBackA);
    // A pixel fully covered by a glyph and untouched by every later one
    // shows that glyph's colour; each glyph drawn must own some pixels.
    int owned[6] = {};
    for (size_t i = 0; i < covers[0].size(); ++i) {
      int last = -1;
      for (int g = 0; g < count; ++g)
        if (covers[size_t(g)][i] == 255) last = g;
      if (last < 0) continue;
      bool later = false;
      for (int g = last + 1; g < count; ++g) later |= covers[size_t(g)][i] != 0;
      if (later) continue;
      ++owned[last];
      const int x = int(i) % kSize, y = int(i) / kSize;
      ASSERT_EQ(Pixel(bmp, x, y), colours[last]) << glyphs[last] << " at " << x << "," << y;
    }
    for (int g = 0; g < count; ++g) EXPECT_GT(owned[g], 0) << "glyph " << glyphs[g];
    // Without the mark its place keeps what lay below.
    if (!r.ShowMark) {
      bool markArea = false;
      for (size_t i = 0; i < covers[5].size(); ++i) markArea |= covers[5][i] == 255;
      EXPECT_TRUE(markArea);
    }
    // The radio button's background glyph leaves the surround as it was.
    if (r.Radio) {
      EXPECT_EQ(Pixel(bmp, 0, 0), clWhite);
    }
  }
}

}  // namespace
