// Value functions on rectangles, points and sizes, and TcxRect, a streamable
// rectangle that reports its changes.
//
// Coordinates are signed 32-bit; Right and Bottom lie just outside the covered
// area. Every function returns a new value and leaves its arguments alone.
//
//   (Left,Top) +-----------+
//              |  covered  |
//              +-----------+ (Right,Bottom)   <- first column/row outside
#pragma once

#include <cstdint>

#include "platform/classes/persistent.h"
#include "platform/rtl/types.h"

int32_t RectWidth(const TRect& R);
int32_t RectHeight(const TRect& R);
bool RectIsEqual(const TRect& A, const TRect& B);
TRect RectInflate(const TRect& R, int32_t DX, int32_t DY);
TRect RectInflateSides(const TRect& R, int32_t DLeft, int32_t DTop, int32_t DRight, int32_t DBottom);
// Moves both corners by (DX, DY), or by (-DX, -DY) when Add is false.
TRect RectOffset(const TRect& R, int32_t DX, int32_t DY, bool Add = true);
TRect RectOffsetByPoint(const TRect& R, const TPoint& P, bool Add = true);
TRect RectOffsetHorz(const TRect& R, int32_t DX);
bool RectContainsPoint(const TRect& R, const TPoint& P);
bool RectContainsXY(const TRect& R, int32_t X, int32_t Y);
TRect MakeRect(int32_t L, int32_t T, int32_t R, int32_t B);
TRect MakeBounds(int32_t L, int32_t T, int32_t W, int32_t H);
TRect RectFromPoints(const TPoint& P, const TPoint& Q);
TRect RectSetBottom(const TRect& R, int32_t Y, int32_t H);
TRect RectSetTop(const TRect& R, int32_t Y, int32_t H);
TRect RectSetLeft(const TRect& R, int32_t X, int32_t W);
TRect RectSetWidth(const TRect& R, int32_t W);
TRect RectSetWidth(const TRect& R, int32_t X, int32_t W);
// A when B is empty; A takes part with its coordinates even when it is empty itself.
TRect RectUnion(const TRect& A, const TRect& B);
// The halving truncates toward zero: the centre of (-3, 0) is -1.
TPoint RectCenterPoint(const TRect& R);
TRect RectCenterSize(const TRect& R, const TSize& S);
TRect RectCenterWidthHeight(const TRect& R, int32_t W, int32_t H);
// M holds four margins, one per side.
TRect RectContent(const TRect& R, const TRect& M);
TPoint PointInvert(const TPoint& P);
bool PointIsEqual(const TPoint& P, const TPoint& Q);
bool SizeIsEqual(const TSize& S, const TSize& T);
TPoint PointOffset(const TPoint& P, int32_t DX, int32_t DY, bool Add = true);
TPoint PointOffsetByPoint(const TPoint& P, const TPoint& Q, bool Add = true);
TPoint MakePoint(int32_t X, int32_t Y);
TSize MakeSize(int32_t cx, int32_t cy);

class TcxRect : public TPersistent {
  DX_CLASS(TcxRect, TPersistent)
public:
  explicit TcxRect(TPersistent* AOwner);

  TPersistent* GetOwner() override { return owner_; }
  // From another TcxRect; any other source is ignored.
  void Assign(TPersistent* Source) override;

  const TRect& Rect() const { return rect_; }
  // Stores R after AdjustRect and calls OnChange, but only when a value changed.
  void SetRect(const TRect& R);
  bool IsEqual(const TRect& R) const;

  // Index 0 Left, 1 Top, 2 Right, 3 Bottom; reading any other index gives Bottom.
  int32_t GetValue(int32_t Index) const;
  void SetValue(int32_t Index, int32_t Value);
  int32_t Left() const { return GetValue(0); }
  int32_t Top() const { return GetValue(1); }
  int32_t Right() const { return GetValue(2); }
  int32_t Bottom() const { return GetValue(3); }
  void SetLeft(int32_t V) { SetValue(0, V); }
  void SetTop(int32_t V) { SetValue(1, V); }
  void SetRight(int32_t V) { SetValue(2, V); }
  void SetBottom(int32_t V) { SetValue(3, V); }

  TNotifyEvent OnChange;

protected:
  // May change a rectangle about to be stored; nothing at this level.
  virtual void AdjustRect(TRect& R);

private:
  TPersistent* owner_;
  TRect rect_;
};

// The unit's start and stop: TcxRect in the streaming class registry.
void cxGeometryUnitStart();
void cxGeometryUnitStop();
