// The "Marlett" symbol font, which no Linux system installs: its glyphs are
// drawn from this small table instead of a font file.
//
// Every glyph lives on a 13 x 13 design grid that fills the em square, so at
// an em of 13 pixels each design cell is one device pixel: the classic check
// box (13 x 13) and radio button (12 x 12 in the top-left of the square) come
// out pixel-exact at that size and scale smoothly at others. Pieces that are
// drawn one over the other in different colours (the check-box frame "c".."g",
// the radio frame "j".."n") share the grid, so they line up at any size.
//
//   character  glyph                        character  glyph
//   0 1 2      minimise, maximise, restore  a          menu check mark
//   3 4 5 6    arrow left, right, up, down  b          check-box check mark
//   7 8        small arrow left, right      c d e f    check-box frame: outer TL, outer BR, inner TL, inner BR
//   h          menu bullet                  g          check-box face
//   i          radio dot                    j k l m    radio frame: outer TL, outer BR, inner TL, inner BR
//   n          radio face                   o p        size grip: shadow lines, highlight lines
//   r          close                        s          help
//   t          combo-box arrow (down)
#include <cmath>
#include <cstring>

#include "platform/gdi/fontengine.h"

namespace win::fontengine {

namespace {

constexpr double kGrid = 13.0;

using Contours = std::vector<std::vector<PointF>>;

void AddRect(Contours& out, double unit, double x0, double y0, double x1, double y1) {
  out.push_back({{x0 * unit, y0 * unit}, {x1 * unit, y0 * unit}, {x1 * unit, y1 * unit}, {x0 * unit, y1 * unit}});
}

// Pixel art: '#' cells of the rows, placed with their top-left cell at (ox, oy).
// Horizontal runs become one rectangle each.
void AddArt(Contours& out, double unit, int ox, int oy, std::initializer_list<const char*> rows) {
  int y = oy;
  for (const char* row : rows) {
    const int n = int(std::strlen(row));
    for (int x = 0; x < n;) {
      if (row[x] != '#') {
        ++x;
        continue;
      }
      int end = x;
      while (end < n && row[end] == '#') ++end;
      AddRect(out, unit, ox + x, y, ox + end, y + 1);
      x = end;
    }
    ++y;
  }
}

// Part of a ring around (cx, cy) between radii r0 < r1, from angle a0 to a1
// (degrees, counter-clockwise on the screen, 0 = to the right).
void AddArc(Contours& out, double unit, double cx, double cy, double r0, double r1, double a0, double a1) {
  constexpr int kSteps = 24;
  std::vector<PointF> c;
  for (int i = 0; i <= kSteps; ++i) {
    const double a = (a0 + (a1 - a0) * i / kSteps) * M_PI / 180.0;
    c.push_back({(cx + r1 * std::cos(a)) * unit, (cy - r1 * std::sin(a)) * unit});
  }
  for (int i = kSteps; i >= 0; --i) {
    const double a = (a0 + (a1 - a0) * i / kSteps) * M_PI / 180.0;
    c.push_back({(cx + r0 * std::cos(a)) * unit, (cy - r0 * std::sin(a)) * unit});
  }
  out.push_back(std::move(c));
}

void AddDisc(Contours& out, double unit, double cx, double cy, double r) {
  constexpr int kSteps = 32;
  std::vector<PointF> c;
  for (int i = 0; i < kSteps; ++i) {
    const double a = 2 * M_PI * i / kSteps;
    c.push_back({(cx + r * std::cos(a)) * unit, (cy - r * std::sin(a)) * unit});
  }
  out.push_back(std::move(c));
}

// Diagonal lines of the size grip: cells whose distance from the bottom-right
// cell, counted along the anti-diagonal, is in the set.
void AddGrip(Contours& out, double unit, std::initializer_list<int> distances) {
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 13; ++x) {
      const int k = (12 - x) + (12 - y);
      for (int d : distances)
        if (k == d) AddRect(out, unit, x, y, x + 1, y + 1);
    }
}

void AddCheck(Contours& out, double unit) {
  AddArt(out, unit, 3, 3,
         {"......#",
          ".....##",
          "#...###",
          "##.###.",
          "#####..",
          ".###...",
          "..#...."});
}

}  // namespace

bool MarlettGlyphContours(char32_t cp, double em, Contours& contours, bool& evenOdd) {
  const double u = em / kGrid;
  evenOdd = false;
  contours.clear();
  switch (cp) {
    case U'0':
      AddRect(contours, u, 3, 9, 9, 11);
      break;
    case U'1':
      AddArt(contours, u, 2, 2,
             {"#########",
              "#########",
              "#.......#",
              "#.......#",
              "#.......#",
              "#.......#",
              "#.......#",
              "#.......#",
              "#########"});
      break;
    case U'2':
      AddArt(contours, u, 2, 2,
             {"..######",
              "..######",
              "..#....#",
              "######.#",
              "######.#",
              "#....###",
              "#....#..",
              "#....#..",
              "######.."});
      break;
    case U'3':
    case U'7':
      AddArt(contours, u, 5, 3, {"...#", "..##", ".###", "####", ".###", "..##", "...#"});
      break;
    case U'4':
    case U'8':
      AddArt(contours, u, 5, 3, {"#...", "##..", "###.", "####", "###.", "##..", "#..."});
      break;
    case U'5':
      AddArt(contours, u, 3, 5, {"...#...", "..###..", ".#####.", "#######"});
      break;
    case U'6':
    case U't':
      AddArt(contours, u, 3, 5, {"#######", ".#####.", "..###..", "...#..."});
      break;
    case U'a':
    case U'b':
      AddCheck(contours, u);
      break;
    case U'c':
      AddRect(contours, u, 0, 0, 12, 1);
      AddRect(contours, u, 0, 1, 1, 12);
      break;
    case U'd':
      AddRect(contours, u, 0, 12, 13, 13);
      AddRect(contours, u, 12, 0, 13, 12);
      break;
    case U'e':
      AddRect(contours, u, 1, 1, 11, 2);
      AddRect(contours, u, 1, 2, 2, 11);
      break;
    case U'f':
      AddRect(contours, u, 1, 11, 12, 12);
      AddRect(contours, u, 11, 1, 12, 11);
      break;
    case U'g':
      AddRect(contours, u, 0, 0, 13, 13);
      break;
    case U'h':
      AddDisc(contours, u, 6.5, 6.5, 2.5);
      break;
    case U'i':
      AddDisc(contours, u, 6, 6, 2);
      break;
    case U'j':
      AddArc(contours, u, 6, 6, 5, 6, 45, 225);
      break;
    case U'k':
      AddArc(contours, u, 6, 6, 5, 6, 225, 405);
      break;
    case U'l':
      AddArc(contours, u, 6, 6, 4, 5, 45, 225);
      break;
    case U'm':
      AddArc(contours, u, 6, 6, 4, 5, 225, 405);
      break;
    case U'n':
      AddDisc(contours, u, 6, 6, 6);
      break;
    case U'o':
      AddGrip(contours, u, {2, 3, 6, 7, 10, 11});
      break;
    case U'p':
      AddGrip(contours, u, {1, 5, 9});
      break;
    case U'r':
      AddArt(contours, u, 2, 3,
             {"##....##",
              ".##..##.",
              "..####..",
              "...##...",
              "..####..",
              ".##..##.",
              "##....##"});
      break;
    case U's':
      AddArt(contours, u, 3, 2,
             {".####.",
              "##..##",
              "....##",
              "...##.",
              "..##..",
              "..##..",
              "......",
              "..##..",
              "..##.."});
      break;
    default:
      return false;
  }
  return true;
}

}  // namespace win::fontengine
