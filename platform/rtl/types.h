// Basic value types of the framework: integer widths, points, rectangles, colours.
//
// Rectangles are half-open: Right and Bottom are one past the last pixel, so a
// rectangle (0,0,10,10) covers columns and rows 0..9.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

using Integer = int32_t;
using Cardinal = uint32_t;
using Int64 = int64_t;
using UInt64 = uint64_t;
using Byte = uint8_t;
using Word = uint16_t;
using LongWord = uint32_t;
using ShortInt = int8_t;
using SmallInt = int16_t;
using Double = double;
using Single = float;
using Extended = long double;
// Code-page bytes (Windows-1252 unless said otherwise); UTF-8 text lives in std::string too.
using AnsiString = std::string;

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  constexpr TPoint() = default;
  constexpr TPoint(int32_t x, int32_t y) : X(x), Y(y) {}
  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
  constexpr TPoint operator+(const TPoint& o) const { return {X + o.X, Y + o.Y}; }
  constexpr TPoint operator-(const TPoint& o) const { return {X - o.X, Y - o.Y}; }
};

struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;
  constexpr TSize() = default;
  constexpr TSize(int32_t w, int32_t h) : cx(w), cy(h) {}
  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  constexpr TRect() = default;
  constexpr TRect(int32_t l, int32_t t, int32_t r, int32_t b) : Left(l), Top(t), Right(r), Bottom(b) {}
  constexpr TRect(const TPoint& topLeft, const TPoint& bottomRight)
      : Left(topLeft.X), Top(topLeft.Y), Right(bottomRight.X), Bottom(bottomRight.Y) {}
  friend constexpr bool operator==(const TRect&, const TRect&) = default;

  constexpr int32_t Width() const { return Right - Left; }
  constexpr int32_t Height() const { return Bottom - Top; }
  constexpr TPoint TopLeft() const { return {Left, Top}; }
  constexpr TPoint BottomRight() const { return {Right, Bottom}; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool Contains(const TPoint& p) const {
    return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
  }
  constexpr void Offset(int32_t dx, int32_t dy) { Left += dx; Right += dx; Top += dy; Bottom += dy; }
  constexpr void Inflate(int32_t dx, int32_t dy) { Left -= dx; Right += dx; Top -= dy; Bottom += dy; }
};

constexpr TRect Rect(int32_t l, int32_t t, int32_t r, int32_t b) { return {l, t, r, b}; }
constexpr TRect Bounds(int32_t l, int32_t t, int32_t w, int32_t h) { return {l, t, l + w, t + h}; }
constexpr TPoint Point(int32_t x, int32_t y) { return {x, y}; }

// Intersection of two rectangles; returns false (and an empty result) when they do not meet.
inline bool IntersectRect(TRect& dst, const TRect& a, const TRect& b) {
  dst = {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
  if (dst.IsEmpty()) {
    dst = {};
    return false;
  }
  return true;
}
// Smallest rectangle holding both; an empty operand does not count.
inline bool UnionRect(TRect& dst, const TRect& a, const TRect& b) {
  if (a.IsEmpty()) dst = b;
  else if (b.IsEmpty()) dst = a;
  else dst = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
  if (dst.IsEmpty()) {
    dst = {};
    return false;
  }
  return true;
}
inline bool PtInRect(const TRect& r, const TPoint& p) { return r.Contains(p); }

// 0x00BBGGRR. A high byte of 0xFF marks a system colour index in the low byte.
using TColor = int32_t;
using TColorRef = uint32_t;

constexpr TColor RGBColor(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<TColor>(uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16));
}
constexpr uint8_t GetRValue(uint32_t c) { return uint8_t(c & 0xFF); }
constexpr uint8_t GetGValue(uint32_t c) { return uint8_t((c >> 8) & 0xFF); }
constexpr uint8_t GetBValue(uint32_t c) { return uint8_t((c >> 16) & 0xFF); }
constexpr bool IsSystemColor(TColor c) { return (uint32_t(c) & 0xFF000000u) == 0xFF000000u; }

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours: 0xFF000000 | COLOR_xxx index.
constexpr TColor clScrollBar = TColor(0xFF000000u | 0);
constexpr TColor clBackground = TColor(0xFF000000u | 1);
constexpr TColor clActiveCaption = TColor(0xFF000000u | 2);
constexpr TColor clInactiveCaption = TColor(0xFF000000u | 3);
constexpr TColor clMenu = TColor(0xFF000000u | 4);
constexpr TColor clWindow = TColor(0xFF000000u | 5);
constexpr TColor clWindowFrame = TColor(0xFF000000u | 6);
constexpr TColor clMenuText = TColor(0xFF000000u | 7);
constexpr TColor clWindowText = TColor(0xFF000000u | 8);
constexpr TColor clCaptionText = TColor(0xFF000000u | 9);
constexpr TColor clActiveBorder = TColor(0xFF000000u | 10);
constexpr TColor clInactiveBorder = TColor(0xFF000000u | 11);
constexpr TColor clAppWorkSpace = TColor(0xFF000000u | 12);
constexpr TColor clHighlight = TColor(0xFF000000u | 13);
constexpr TColor clHighlightText = TColor(0xFF000000u | 14);
constexpr TColor clBtnFace = TColor(0xFF000000u | 15);
constexpr TColor clBtnShadow = TColor(0xFF000000u | 16);
constexpr TColor clGrayText = TColor(0xFF000000u | 17);
constexpr TColor clBtnText = TColor(0xFF000000u | 18);
constexpr TColor clInactiveCaptionText = TColor(0xFF000000u | 19);
constexpr TColor clBtnHighlight = TColor(0xFF000000u | 20);
constexpr TColor cl3DDkShadow = TColor(0xFF000000u | 21);
constexpr TColor cl3DLight = TColor(0xFF000000u | 22);
constexpr TColor clInfoText = TColor(0xFF000000u | 23);
constexpr TColor clInfoBk = TColor(0xFF000000u | 24);
constexpr TColor clHotLight = TColor(0xFF000000u | 26);
constexpr TColor clGradientActiveCaption = TColor(0xFF000000u | 27);
constexpr TColor clGradientInactiveCaption = TColor(0xFF000000u | 28);
constexpr TColor clMenuHighlight = TColor(0xFF000000u | 29);
constexpr TColor clMenuBar = TColor(0xFF000000u | 30);
