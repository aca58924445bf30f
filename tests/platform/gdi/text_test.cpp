// Text through device contexts: font mapping and metrics, extents, TextOut
// alignment and background, ExtTextOut options, DrawText formatting.
#include "platform/gdi/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "tests/platform/gdi/surface_canvas.h"

namespace win {
namespace {

constexpr uint32_t kWhite = 0x00FFFFFF;

// A 32-bit surface in memory with a DC drawing on it.
struct Canvas : test::SurfaceCanvas {
  HFONT font = nullptr;

  Canvas(int width, int height, uint32_t fill = kWhite) : SurfaceCanvas(width, height, fill) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
  }
  ~Canvas() {
    // The font goes after the DC it is selected into.
    DeleteDC(dc);
    dc = nullptr;
    if (font) DeleteObject(font);
  }
  void Font(const std::string& face, int height, LONG weight = FW_NORMAL, BYTE quality = NONANTIALIASED_QUALITY,
            LONG escapement = 0, bool underline = false) {
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfQuality = quality;
    lf.lfEscapement = escapement;
    lf.lfUnderline = underline ? 1 : 0;
    SetFaceName(lf, face);
    HFONT f = CreateFontIndirect(&lf);
    SelectObject(dc, f);
    if (font) DeleteObject(font);
    font = f;
  }
  bool Ink(int x, int y, uint32_t bg = kWhite) const { return At(x, y) != bg; }
  // Bounding box of pixels differing from bg; empty when none.
  RECT InkBox(uint32_t bg = kWhite) const {
    RECT r{w, h, 0, 0};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (Ink(x, y, bg)) r = {std::min<int>(r.Left, x), std::min<int>(r.Top, y), std::max<int>(r.Right, x + 1),
                                std::max<int>(r.Bottom, y + 1)};
    return r.IsEmpty() ? RECT{} : r;
  }
  TEXTMETRIC Metrics() const {
    TEXTMETRIC tm;
    EXPECT_TRUE(GetTextMetrics(dc, &tm));
    return tm;
  }
  int Width(const std::string& s) const {
    SIZE sz;
    EXPECT_TRUE(GetTextExtentPoint32(dc, s, &sz));
    return sz.cx;
  }
};

// ---------------------------------------------------------------- fonts and metrics

struct MetricsCase {
  const char* face;
  int height;
  LONG weight;
  const char* family;  // the installed family it must be drawn with
};

class FontMetricsTest : public ::testing::TestWithParam<MetricsCase> {};

TEST_P(FontMetricsTest, CellIsAscentPlusDescentAndHeightFollowsTheSignConvention) {
  const MetricsCase& c = GetParam();
  Canvas cv(4, 4);
  cv.Font(c.face, c.height, c.weight, DEFAULT_QUALITY);
  const TEXTMETRIC tm = cv.Metrics();
  EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  EXPECT_GE(tm.tmInternalLeading, 0);
  EXPECT_GE(tm.tmExternalLeading, 0);
  if (c.height < 0) {
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, -c.height);
  } else {
    EXPECT_EQ(tm.tmHeight, c.height);
  }
  EXPECT_GT(tm.tmAveCharWidth, 0);
  EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
  EXPECT_EQ(tm.tmWeight, c.weight);
  EXPECT_EQ(GetTextFace(cv.dc), c.face);
  EXPECT_EQ(RealizedFontOf(cv.dc)->Metrics().familyName, c.family);
}

INSTANTIATE_TEST_SUITE_P(
    Faces, FontMetricsTest,
    ::testing::Values(MetricsCase{"Tahoma", -11, FW_NORMAL, "Liberation Sans"},
                      MetricsCase{"MS Shell Dlg 2", -11, FW_NORMAL, "Liberation Sans"},
                      MetricsCase{"Segoe UI", -12, FW_BOLD, "Liberation Sans"},
                      MetricsCase{"Arial", 20, FW_NORMAL, "Liberation Sans"},
                      MetricsCase{"Verdana", -13, FW_NORMAL, "DejaVu Sans"},
                      MetricsCase{"Times New Roman", -16, FW_NORMAL, "Liberation Serif"},
                      MetricsCase{"Courier New", 15, FW_NORMAL, "Liberation Mono"},
                      MetricsCase{"DejaVu Serif", -14, FW_NORMAL, "DejaVu Serif"},
                      MetricsCase{"No Such Face At All", -11, FW_NORMAL, "Liberation Sans"},
                      MetricsCase{"Tahoma", -200, FW_NORMAL, "Liberation Sans"},
                      MetricsCase{"Tahoma", 1, FW_NORMAL, "Liberation Sans"}));

TEST(FontTest, FixedPitchFaceHasEqualAdvancesAndReportsIt) {
  Canvas cv(4, 4);
  cv.Font("Courier New", -13);
  int widths[95];
  ASSERT_TRUE(GetCharWidth32(cv.dc, 32, 126, widths));
  for (int wdt : widths) EXPECT_EQ(wdt, widths[0]);
  EXPECT_EQ(cv.Metrics().tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
  cv.Font("Tahoma", -13);
  EXPECT_NE(cv.Metrics().tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
}

TEST(FontTest, BoldIsWiderThanRegular) {
  Canvas cv(4, 4);
  cv.Font("Tahoma", -13, FW_NORMAL);
  const int regular = cv.Width("Hamburgefonstiv");
  cv.Font("Tahoma", -13, FW_BOLD);
  EXPECT_GT(cv.Width("Hamburgefonstiv"), regular);
}

TEST(FontTest, ExtentsAddAdvancesCharacterExtraAndCountCodePoints) {
  Canvas cv(4, 4);
  cv.Font("Tahoma", -13);
  int a, b, ae;
  GetCharWidth32(cv.dc, 'a', 'a', &a);
  GetCharWidth32(cv.dc, 'b', 'b', &b);
  GetCharWidth32(cv.dc, U'\u00E4', U'\u00E4', &ae);
  EXPECT_EQ(cv.Width("ab"), a + b);
  SIZE sz;
  ASSERT_TRUE(GetTextExtentPoint32(cv.dc, "\xC3\xA4" "ab", 2, &sz));  // two code points: "äa"
  EXPECT_EQ(sz.cx, ae + a);
  EXPECT_EQ(sz.cy, cv.Metrics().tmHeight);
  SetTextCharacterExtra(cv.dc, 3);
  EXPECT_EQ(cv.Width("ab"), a + b + 6);

  ABC abc;
  ASSERT_TRUE(GetCharABCWidths(cv.dc, 'b', 'b', &abc));
  EXPECT_EQ(abc.abcA + int(abc.abcB) + abc.abcC, b);
}

TEST(FontTest, ExtentExReportsCumulativeWidthsAndFitCount) {
  Canvas cv(4, 4);
  cv.Font("Tahoma", -13);
  const std::string text = "abcdef";
  int dx[6];
  int fit = -1;
  SIZE sz;
  ASSERT_TRUE(GetTextExtentExPoint(cv.dc, text, -1, cv.Width("abc"), &fit, dx, &sz));
  EXPECT_EQ(fit, 3);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(dx[i], cv.Width(text.substr(0, size_t(i) + 1)));
  EXPECT_EQ(sz.cx, dx[5]);
  ASSERT_TRUE(GetTextExtentExPoint(cv.dc, text, -1, cv.Width("abc") - 1, &fit, nullptr, &sz));
  EXPECT_EQ(fit, 2);
}

// ---------------------------------------------------------------- TextOut

struct AlignCase {
  UINT align;
  int dxFromWidth;  // horizontal shift of the ink against TA_LEFT, in units of text width / 2 (0, -1, -2)
  int dyKind;       // 0 top, 1 baseline (-ascent), 2 bottom (-height)
};

class TextAlignTest : public ::testing::TestWithParam<AlignCase> {};

TEST_P(TextAlignTest, InkMovesByTheAlignmentOffset) {
  const AlignCase& c = GetParam();
  Canvas ref(200, 100), cv(200, 100);
  ref.Font("Tahoma", -16);
  cv.Font("Tahoma", -16);
  const std::string text = "HIH";
  ASSERT_TRUE(TextOut(ref.dc, 80, 50, text));
  SetTextAlign(cv.dc, c.align);
  ASSERT_TRUE(TextOut(cv.dc, 80, 50, text));
  const TEXTMETRIC tm = cv.Metrics();
  const int width = cv.Width(text);
  const int dx = c.dxFromWidth == 0 ? 0 : (c.dxFromWidth == -1 ? -(width / 2) : -width);
  const int dy = c.dyKind == 0 ? 0 : (c.dyKind == 1 ? -tm.tmAscent : -tm.tmHeight);
  const RECT a = ref.InkBox(), b = cv.InkBox();
  ASSERT_FALSE(a.IsEmpty());
  EXPECT_EQ(b.Left - a.Left, dx);
  EXPECT_EQ(b.Top - a.Top, dy);
  EXPECT_EQ(b.Width(), a.Width());
  EXPECT_EQ(b.Height(), a.Height());
}

INSTANTIATE_TEST_SUITE_P(Alignments, TextAlignTest,
                         ::testing::Values(AlignCase{TA_TOP | TA_LEFT, 0, 0}, AlignCase{TA_BASELINE, 0, 1},
                                           AlignCase{TA_BOTTOM, 0, 2}, AlignCase{TA_RIGHT, -2, 0},
                                           AlignCase{TA_CENTER | TA_BASELINE, -1, 1}));

TEST(TextOutTest, CapitalLettersStandOnTheBaseline) {
  Canvas cv(100, 60);
  cv.Font("Tahoma", -20);
  SetTextAlign(cv.dc, TA_BASELINE);
  TextOut(cv.dc, 10, 40, "HEH");
  EXPECT_EQ(cv.InkBox().Bottom, 40);
}

TEST(TextOutTest, OpaqueModeFillsTheWholeCellAndTransparentLeavesIt) {
  const uint32_t red = 0x00FF0000;  // 0xAARRGGBB on the surface
  Canvas cv(120, 60);
  cv.Font("Tahoma", -13, FW_NORMAL, DEFAULT_QUALITY);
  SetBkMode(cv.dc, OPAQUE);
  SetBkColor(cv.dc, RGB(255, 0, 0));
  TextOut(cv.dc, 10, 20, "Wig");
  const int width = cv.Width("Wig");
  const int height = cv.Metrics().tmHeight;
  for (int y = 0; y < cv.h; ++y)
    for (int x = 0; x < cv.w; ++x) {
      const bool inCell = x >= 10 && x < 10 + width && y >= 20 && y < 20 + height;
      if (inCell) {
        EXPECT_NE(cv.At(x, y), kWhite) << x << "," << y;
      } else {
        EXPECT_EQ(cv.At(x, y), kWhite) << x << "," << y;
      }
    }
  // The background is the background colour wherever no glyph touches it.
  EXPECT_EQ(cv.At(10, 20), red);

  Canvas tr(120, 60);
  tr.Font("Tahoma", -13, FW_NORMAL, DEFAULT_QUALITY);
  TextOut(tr.dc, 10, 20, "Wig");
  EXPECT_EQ(tr.At(10, 20), kWhite);
}

TEST(TextOutTest, DrawsThroughTheOriginAndTheClip) {
  Canvas plain(100, 40), moved(100, 40), clipped(100, 40);
  for (Canvas* c : {&plain, &moved, &clipped}) c->Font("Tahoma", -16);
  TextOut(plain.dc, 20, 10, "HiW");
  SetViewportOrgEx(moved.dc, 15, 6, nullptr);
  TextOut(moved.dc, 5, 4, "HiW");
  EXPECT_TRUE(moved.px == plain.px);
  IntersectClipRect(clipped.dc, 0, 0, 25, 40);
  TextOut(clipped.dc, 20, 10, "HiW");
  const RECT ink = clipped.InkBox();
  EXPECT_FALSE(ink.IsEmpty());
  EXPECT_LE(ink.Right, 25);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 25; ++x) EXPECT_EQ(clipped.At(x, y), plain.At(x, y));
}

TEST(TextOutTest, UpdateCpAdvancesTheCurrentPosition) {
  Canvas cv(200, 40);
  cv.Font("Tahoma", -13);
  SetTextAlign(cv.dc, TA_UPDATECP);
  MoveToEx(cv.dc, 7, 5, nullptr);
  TextOut(cv.dc, 100, 100, "abc");  // the coordinates are ignored
  POINT p;
  GetCurrentPositionEx(cv.dc, &p);
  EXPECT_EQ(p, (POINT{7 + cv.Width("abc"), 5}));
  EXPECT_LT(cv.InkBox().Bottom, 40);
}

TEST(TextOutTest, VerticalFontsRunUpAndDown) {
  Canvas up(80, 200), down(80, 200);
  up.Font("Tahoma", -16, FW_NORMAL, NONANTIALIASED_QUALITY, 900);
  down.Font("Tahoma", -16, FW_NORMAL, NONANTIALIASED_QUALITY, 2700);
  const std::string text = "MMMMMM";
  TextOut(up.dc, 30, 150, text);
  TextOut(down.dc, 50, 50, text);
  const int len = up.Width(text);
  const int cell = up.Metrics().tmHeight;
  const RECT u = up.InkBox(), d = down.InkBox();
  // 90 degrees: the baseline runs upwards from the reference point, glyph tops face left.
  EXPECT_LE(u.Bottom, 150);
  EXPECT_GE(u.Top, 150 - len);
  EXPECT_GE(u.Left, 30);
  EXPECT_LE(u.Right, 30 + cell);
  EXPECT_GT(u.Height(), len * 3 / 4);
  // 270 degrees: downwards, glyph tops face right.
  EXPECT_GE(d.Top, 50);
  EXPECT_LE(d.Bottom, 50 + len);
  EXPECT_LE(d.Right, 50);
  EXPECT_GE(d.Left, 50 - cell);
  EXPECT_GT(d.Height(), len * 3 / 4);
}

TEST(TextOutTest, UnderlineRunsUnderTheWholeText) {
  Canvas plain(120, 40), under(120, 40);
  plain.Font("Tahoma", -16);
  under.Font("Tahoma", -16, FW_NORMAL, NONANTIALIASED_QUALITY, 0, true);
  TextOut(plain.dc, 10, 5, "a b");
  TextOut(under.dc, 10, 5, "a b");
  const int ascent = plain.Metrics().tmAscent;
  const int width = plain.Width("a b");
  int added = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x)
      if (under.Ink(x, y) && !plain.Ink(x, y)) {
        ++added;
        EXPECT_GE(y, 5 + ascent);
        EXPECT_GE(x, 10);
        EXPECT_LT(x, 10 + width);
      }
  EXPECT_GE(added, width);  // a full row at least, across the space too
}

// ---------------------------------------------------------------- ExtTextOut

TEST(ExtTextOutTest, OpaqueRectangleIsFilledAndClippedTextStaysInside) {
  Canvas cv(120, 50);
  cv.Font("Tahoma", -20);
  SetBkColor(cv.dc, RGB(0, 0, 255));
  const RECT r{10, 10, 40, 30};
  ASSERT_TRUE(ExtTextOut(cv.dc, 12, 12, ETO_OPAQUE | ETO_CLIPPED, &r, "WWWWWWWW"));
  for (int y = 0; y < cv.h; ++y)
    for (int x = 0; x < cv.w; ++x) {
      if (!r.Contains({x, y})) {
        EXPECT_EQ(cv.At(x, y), kWhite) << x << "," << y;
      }
    }
  EXPECT_EQ(cv.At(10, 10), 0x000000FFu);
}

TEST(ExtTextOutTest, SpacingArrayPlacesEachCharacter) {
  Canvas cv(200, 40);
  cv.Font("Tahoma", -16);
  const int dx[4] = {30, 30, 30, 30};
  ExtTextOut(cv.dc, 10, 5, 0, nullptr, "IIII", -1, dx);
  // Starting columns of the four ink clusters.
  std::vector<int> starts;
  bool prev = false;
  for (int x = 0; x < cv.w; ++x) {
    bool any = false;
    for (int y = 0; y < cv.h; ++y) any = any || cv.Ink(x, y);
    if (any && !prev) starts.push_back(x);
    prev = any;
  }
  ASSERT_EQ(starts.size(), 4u);
  for (size_t i = 1; i < starts.size(); ++i) EXPECT_EQ(starts[i] - starts[i - 1], 30);
}

// ---------------------------------------------------------------- DrawText

struct EllipsisCase {
  UINT flag;
  const char* text;
  int width;
  const char* mustEndWith;
};

class EllipsisTest : public ::testing::TestWithParam<EllipsisCase> {};

TEST_P(EllipsisTest, ShownTextFitsAndEndsAsTheRuleSays) {
  const EllipsisCase& c = GetParam();
  Canvas cv(400, 40);
  cv.Font("Tahoma", -13);
  RECT r{10, 5, 10 + c.width, 30};
  std::string shown;
  DrawText(cv.dc, c.text, -1, &r, DT_SINGLELINE | DT_NOCLIP | DT_MODIFYSTRING | c.flag, &shown);
  EXPECT_LE(cv.Width(shown), c.width) << shown;
  const std::string tail = c.mustEndWith;
  ASSERT_GE(shown.size(), tail.size());
  EXPECT_EQ(shown.substr(shown.size() - tail.size()), tail) << shown;
  EXPECT_NE(shown.find("..."), std::string::npos);
  // Even without clipping nothing is drawn past the rectangle.
  EXPECT_LE(cv.InkBox().Right, 10 + c.width);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EllipsisTest,
    ::testing::Values(EllipsisCase{DT_END_ELLIPSIS, "Supercalifragilisticexpialidocious", 60, "..."},
                      EllipsisCase{DT_END_ELLIPSIS, "Supercalifragilisticexpialidocious", 12, "..."},
                      EllipsisCase{DT_WORD_ELLIPSIS, "alpha beta gamma delta epsilon", 90, "..."},
                      EllipsisCase{DT_PATH_ELLIPSIS, "C:\\Program Files\\A Rather Long Folder\\file.txt", 120,
                                   "\\file.txt"},
                      EllipsisCase{DT_PATH_ELLIPSIS, "/home/user/some/deeply/nested/folder/photo.mpo", 110,
                                   "/photo.mpo"}));

TEST(DrawTextTest, EndEllipsisKeepsAPrefixAndLeavesFittingTextAlone) {
  Canvas cv(300, 40);
  cv.Font("Tahoma", -13);
  const std::string word = "Supercalifragilisticexpialidocious";
  RECT r{0, 0, 70, 20};
  std::string shown;
  DrawText(cv.dc, word, -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING, &shown);
  ASSERT_GT(shown.size(), 3u);
  const std::string kept = shown.substr(0, shown.size() - 3);
  EXPECT_EQ(word.substr(0, kept.size()), kept);
  // One more character would not have fitted.
  EXPECT_GT(cv.Width(word.substr(0, kept.size() + 1) + "..."), 70);

  RECT wide{0, 0, 300, 20};
  DrawText(cv.dc, word, -1, &wide, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING, &shown);
  EXPECT_EQ(shown, word);
}

// Lines of greedy word wrapping, computed here from word widths.
int ExpectedLines(const Canvas& cv, const std::vector<std::string>& words, int width) {
  int lines = 1;
  std::string line;
  for (const std::string& w : words) {
    const std::string candidate = line.empty() ? w : line + " " + w;
    if (!line.empty() && cv.Width(candidate) > width) {
      ++lines;
      line = w;
    } else {
      line = candidate;
    }
  }
  return lines;
}

TEST(DrawTextTest, CalcRectWithWordBreakGivesLinesTimesLineHeight) {
  Canvas cv(10, 10);
  cv.Font("Tahoma", -13);
  const std::vector<std::string> words = {"one", "two", "three", "four", "five", "six", "seven"};
  std::string text;
  int longest = 0;
  for (const std::string& w : words) {
    text += (text.empty() ? "" : " ") + w;
    longest = std::max(longest, cv.Width(w));
  }
  const int lineH = cv.Metrics().tmHeight;
  for (int width : {longest, cv.Width("one two") + 3, cv.Width("one two three") + 1, cv.Width(text) + 5}) {
    RECT r{5, 7, 5 + width, 8};
    const int h = DrawText(cv.dc, text, -1, &r, DT_CALCRECT | DT_WORDBREAK);
    const int lines = ExpectedLines(cv, words, width);
    EXPECT_EQ(h, lines * lineH) << width;
    EXPECT_EQ(r.Bottom - r.Top, lines * lineH);
    EXPECT_EQ(r.Top, 7);
    EXPECT_EQ(r.Left, 5);
    EXPECT_LE(r.Width(), width);
  }
}

TEST(DrawTextTest, CalcRectCountsHardBreaksAndWidensForALongWord) {
  Canvas cv(10, 10);
  cv.Font("Tahoma", -13);
  const int lineH = cv.Metrics().tmHeight;
  RECT r{0, 0, 500, 0};
  EXPECT_EQ(DrawText(cv.dc, "a\r\nbb\nccc\rd", -1, &r, DT_CALCRECT), 4 * lineH);
  EXPECT_EQ(r.Right, cv.Width("ccc"));
  RECT none{3, 4, 50, 60};
  EXPECT_EQ(DrawText(cv.dc, "", -1, &none, DT_CALCRECT), 0);
  EXPECT_EQ(none, (RECT{3, 4, 3, 4}));

  // Without the edit-control rule a word is never split: the rectangle grows to hold it.
  const std::string word = "Unbreakable";
  RECT narrow{0, 0, 10, 0};
  EXPECT_EQ(DrawText(cv.dc, word + " x", -1, &narrow, DT_CALCRECT | DT_WORDBREAK), 2 * lineH);
  EXPECT_EQ(narrow.Right, cv.Width(word));

  // With it the word is split between characters, as many as fit on each line.
  const int width = cv.Width("Unbr");
  RECT split{0, 0, width, 0};
  int expected = 0;
  for (size_t at = 0; at < word.size(); ++expected) {
    int fit = 0;
    SIZE sz;
    GetTextExtentExPoint(cv.dc, word.substr(at), -1, width, &fit, nullptr, &sz);
    at += size_t(std::max(fit, 1));
  }
  EXPECT_EQ(DrawText(cv.dc, word, -1, &split, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL), expected * lineH);
}

TEST(DrawTextTest, SingleLineAlignmentAndReturnValue) {
  Canvas cv(200, 100);
  cv.Font("Tahoma", -13);
  const int lineH = cv.Metrics().tmHeight;
  const int width = cv.Width("Mid");
  RECT r{20, 10, 180, 90};
  const int ret = DrawText(cv.dc, "Mid", -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  const int top = (10 + 90 - lineH) / 2;
  EXPECT_EQ(ret, top - 10 + lineH);
  const RECT ink = cv.InkBox();
  EXPECT_GE(ink.Left, (20 + 180 - width) / 2 - 1);
  EXPECT_LE(ink.Right, (20 + 180 + width) / 2 + 1);
  EXPECT_GE(ink.Top, top);
  EXPECT_LE(ink.Bottom, top + lineH);

  Canvas right(200, 100);
  right.Font("Tahoma", -13);
  RECT rr{20, 10, 180, 90};
  EXPECT_EQ(DrawText(right.dc, "Mid", -1, &rr, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM), 80);
  EXPECT_LE(right.InkBox().Right, 180);
  EXPECT_GE(right.InkBox().Top, 90 - lineH);
}

TEST(DrawTextTest, TextIsClippedToTheRectangleUnlessNoClip) {
  Canvas cv(200, 40), nc(200, 40);
  cv.Font("Tahoma", -16);
  nc.Font("Tahoma", -16);
  RECT r{10, 5, 40, 30};
  DrawText(cv.dc, "WWWWWWWW", -1, &r, DT_SINGLELINE);
  EXPECT_LE(cv.InkBox().Right, 40);
  DrawText(nc.dc, "WWWWWWWW", -1, &r, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(nc.InkBox().Right, 40);
}

// Pixels that b has and a lacks, as a bounding box.
RECT ExtraInk(const Canvas& a, const Canvas& b) {
  RECT r{b.w, b.h, 0, 0};
  for (int y = 0; y < b.h; ++y)
    for (int x = 0; x < b.w; ++x)
      if (b.Ink(x, y) && !a.Ink(x, y))
        r = {std::min<int>(r.Left, x), std::min<int>(r.Top, y), std::max<int>(r.Right, x + 1), std::max<int>(r.Bottom, y + 1)};
  return r.IsEmpty() ? RECT{} : r;
}

bool SamePixels(const Canvas& a, const Canvas& b) { return a.px == b.px; }

TEST(DrawTextTest, PrefixUnderlinesTheMarkedCharacter) {
  const UINT f = DT_SINGLELINE | DT_NOCLIP;
  auto draw = [&](Canvas& cv, const char* text, UINT extra) {
    cv.Font("Tahoma", -16);
    RECT r{10, 5, 190, 35};
    DrawText(cv.dc, text, -1, &r, f | extra);
  };
  Canvas plain(200, 40), marked(200, 40), literal(200, 40), noPrefix(200, 40), hidden(200, 40), only(200, 40);
  draw(plain, "ABC", DT_NOPREFIX);
  draw(marked, "A&BC", 0);
  const RECT u = ExtraInk(plain, marked);
  ASSERT_FALSE(u.IsEmpty());
  const int ascent = plain.Metrics().tmAscent;
  EXPECT_GE(u.Left, 10 + plain.Width("A"));
  EXPECT_LE(u.Right, 10 + plain.Width("AB"));
  EXPECT_GE(u.Top, 5 + ascent);

  // "&&" is a literal ampersand, drawn exactly like the unprefixed text.
  draw(literal, "A&&B", 0);
  draw(noPrefix, "A&B", DT_NOPREFIX);
  EXPECT_TRUE(SamePixels(literal, noPrefix));

  // DT_HIDEPREFIX drops the mark without underlining; DT_PREFIXONLY draws only the underline.
  draw(hidden, "A&BC", DT_HIDEPREFIX);
  EXPECT_TRUE(SamePixels(hidden, plain));
  draw(only, "A&BC", DT_PREFIXONLY);
  EXPECT_EQ(only.InkBox(), u);
}

TEST(DrawTextTest, ExpandTabsMovesToTheNextTabStop) {
  Canvas cv(10, 10);
  cv.Font("Tahoma", -13);
  const int ave = cv.Metrics().tmAveCharWidth;
  int b;
  GetCharWidth32(cv.dc, 'b', 'b', &b);
  RECT r{0, 0, 1000, 0};
  DrawText(cv.dc, "a\tb", -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  EXPECT_EQ(r.Right, 8 * ave + b);
  DRAWTEXTPARAMS p;
  p.iTabLength = 3;
  RECT e{0, 0, 1000, 0};
  DrawTextEx(cv.dc, "a\tb", -1, &e, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS, &p);
  EXPECT_EQ(e.Right, 3 * ave + b);

  // DT_TABSTOP puts the tab size in the second byte (which then holds no other flags).
  Canvas tab(200, 30), ref(200, 30);
  tab.Font("Tahoma", -13);
  ref.Font("Tahoma", -13);
  RECT t{0, 0, 200, 30};
  DrawText(tab.dc, "a\tb", -1, &t, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (4u << 8));
  TextOut(ref.dc, 0, 0, "a");
  TextOut(ref.dc, 4 * ave, 0, "b");
  EXPECT_TRUE(tab.px == ref.px);
}

TEST(DrawTextTest, EditControlDropsAPartlyVisibleLastLineAndMarksTheCut) {
  Canvas cv(200, 100);
  cv.Font("Tahoma", -13);
  const int lineH = cv.Metrics().tmHeight;
  RECT r{0, 0, 200, lineH * 2 + lineH / 2};
  std::string shown;
  DrawText(cv.dc, "first\nsecond\nthird\nfourth", -1, &r,
           DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS | DT_MODIFYSTRING, &shown);
  EXPECT_EQ(shown, "first\nsecond...");
  EXPECT_LE(cv.InkBox().Bottom, 2 * lineH);
}

TEST(DrawTextTest, ExMarginsNarrowTheLayoutAndReportLength) {
  Canvas cv(10, 10);
  cv.Font("Tahoma", -13);
  DRAWTEXTPARAMS p;
  p.iLeftMargin = 4;
  p.iRightMargin = 6;
  RECT r{0, 0, 0, 0};
  DrawTextEx(cv.dc, "\xC3\xA4" "bc", -1, &r, DT_CALCRECT | DT_SINGLELINE, &p);
  EXPECT_EQ(r.Right, 4 + cv.Width("\xC3\xA4" "bc") + 6);
  EXPECT_EQ(p.uiLengthDrawn, 3u);
}

TEST(MarlettTest, CheckBoxFaceFillsTheEmSquare) {
  Canvas cv(40, 40);
  cv.Font("Marlett", -13);
  const TEXTMETRIC tm = cv.Metrics();
  EXPECT_EQ(tm.tmHeight, 13);
  EXPECT_EQ(cv.Width("g"), 13);
  EXPECT_EQ(tm.tmCharSet, SYMBOL_CHARSET);
  TextOut(cv.dc, 5, 6, "g");
  EXPECT_EQ(cv.InkBox(), (RECT{5, 6, 18, 19}));
  for (int y = 6; y < 19; ++y)
    for (int x = 5; x < 18; ++x) EXPECT_EQ(cv.At(x, y), 0u);
}

TEST(MarlettTest, FramePiecesTileTheBoxWithoutOverlap) {
  // The four check-box frame glyphs cover exactly the two outer rings of the 13 x 13 box.
  int cover[13][13] = {};
  for (const char* g : {"c", "d", "e", "f"}) {
    Canvas cv(13, 13);
    cv.Font("Marlett", -13);
    TextOut(cv.dc, 0, 0, g);
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < 13; ++x) cover[y][x] += cv.Ink(x, y) ? 1 : 0;
  }
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 13; ++x) {
      const int ring = std::min(std::min(x, y), std::min(12 - x, 12 - y));
      EXPECT_EQ(cover[y][x], ring < 2 ? 1 : 0) << x << "," << y;
    }
}

}  // namespace
}  // namespace win
