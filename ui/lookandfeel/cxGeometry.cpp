#include "ui/lookandfeel/cxGeometry.h"

#include <mutex>

#include "platform/classes/typinfo.h"

int32_t RectWidth(const TRect& R) { return R.Right - R.Left; }
int32_t RectHeight(const TRect& R) { return R.Bottom - R.Top; }
bool RectIsEqual(const TRect& A, const TRect& B) { return A == B; }

TRect RectInflate(const TRect& R, int32_t DX, int32_t DY) { return RectInflateSides(R, DX, DY, DX, DY); }

TRect RectInflateSides(const TRect& R, int32_t DLeft, int32_t DTop, int32_t DRight, int32_t DBottom) {
  return {R.Left - DLeft, R.Top - DTop, R.Right + DRight, R.Bottom + DBottom};
}

TRect RectOffset(const TRect& R, int32_t DX, int32_t DY, bool Add) {
  if (!Add) {
    DX = -DX;
    DY = -DY;
  }
  return {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY};
}

TRect RectOffsetByPoint(const TRect& R, const TPoint& P, bool Add) { return RectOffset(R, P.X, P.Y, Add); }
TRect RectOffsetHorz(const TRect& R, int32_t DX) { return {R.Left + DX, R.Top, R.Right + DX, R.Bottom}; }

bool RectContainsPoint(const TRect& R, const TPoint& P) { return RectContainsXY(R, P.X, P.Y); }
bool RectContainsXY(const TRect& R, int32_t X, int32_t Y) {
  return R.Left <= X && X < R.Right && R.Top <= Y && Y < R.Bottom;
}

TRect MakeRect(int32_t L, int32_t T, int32_t R, int32_t B) { return {L, T, R, B}; }
TRect MakeBounds(int32_t L, int32_t T, int32_t W, int32_t H) { return {L, T, L + W, T + H}; }
TRect RectFromPoints(const TPoint& P, const TPoint& Q) { return {P.X, P.Y, Q.X, Q.Y}; }

TRect RectSetBottom(const TRect& R, int32_t Y, int32_t H) { return {R.Left, Y - H, R.Right, Y}; }
TRect RectSetTop(const TRect& R, int32_t Y, int32_t H) { return {R.Left, Y, R.Right, Y + H}; }
TRect RectSetLeft(const TRect& R, int32_t X, int32_t W) { return {X, R.Top, X + W, R.Bottom}; }
TRect RectSetWidth(const TRect& R, int32_t W) { return {R.Left, R.Top, R.Left + W, R.Bottom}; }
TRect RectSetWidth(const TRect& R, int32_t X, int32_t W) { return RectSetLeft(R, X, W); }

TRect RectUnion(const TRect& A, const TRect& B) {
  if (RectWidth(B) <= 0 || RectHeight(B) <= 0) return A;
  return {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right), std::max(A.Bottom, B.Bottom)};
}

// Halves in 64 bits, so the sums cannot overflow; C++ division truncates toward zero.
static int32_t Half(int64_t sum) { return int32_t(sum / 2); }

TPoint RectCenterPoint(const TRect& R) { return {Half(int64_t(R.Left) + R.Right), Half(int64_t(R.Top) + R.Bottom)}; }

TRect RectCenterSize(const TRect& R, const TSize& S) { return RectCenterWidthHeight(R, S.cx, S.cy); }

TRect RectCenterWidthHeight(const TRect& R, int32_t W, int32_t H) {
  const int32_t left = Half(int64_t(R.Left) + R.Right - W);
  const int32_t top = Half(int64_t(R.Top) + R.Bottom - H);
  return {left, top, left + W, top + H};
}

TRect RectContent(const TRect& R, const TRect& M) {
  return {R.Left + M.Left, R.Top + M.Top, R.Right - M.Right, R.Bottom - M.Bottom};
}

TPoint PointInvert(const TPoint& P) { return {-P.X, -P.Y}; }
bool PointIsEqual(const TPoint& P, const TPoint& Q) { return P == Q; }
bool SizeIsEqual(const TSize& S, const TSize& T) { return S == T; }

TPoint PointOffset(const TPoint& P, int32_t DX, int32_t DY, bool Add) {
  return Add ? TPoint{P.X + DX, P.Y + DY} : TPoint{P.X - DX, P.Y - DY};
}
TPoint PointOffsetByPoint(const TPoint& P, const TPoint& Q, bool Add) { return PointOffset(P, Q.X, Q.Y, Add); }
TPoint MakePoint(int32_t X, int32_t Y) { return {X, Y}; }
TSize MakeSize(int32_t cx, int32_t cy) { return {cx, cy}; }

// ---- TcxRect

TcxRect::TcxRect(TPersistent* AOwner) : owner_(AOwner) {}

void TcxRect::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TcxRect*>(Source)) SetRect(other->rect_);
}

void TcxRect::AdjustRect(TRect&) {}

void TcxRect::SetRect(const TRect& R) {
  TRect adjusted = R;
  AdjustRect(adjusted);
  if (adjusted == rect_) return;
  rect_ = adjusted;
  if (OnChange) OnChange(this);
}

bool TcxRect::IsEqual(const TRect& R) const { return rect_ == R; }

int32_t TcxRect::GetValue(int32_t Index) const {
  switch (Index) {
    case 0: return rect_.Left;
    case 1: return rect_.Top;
    case 2: return rect_.Right;
    default: return rect_.Bottom;
  }
}

void TcxRect::SetValue(int32_t Index, int32_t Value) {
  TRect r = rect_;
  switch (Index) {
    case 0: r.Left = Value; break;
    case 1: r.Top = Value; break;
    case 2: r.Right = Value; break;
    case 3: r.Bottom = Value; break;
    default: return;
  }
  SetRect(r);
}

void cxGeometryUnitStart() {
  static std::once_flag published;
  std::call_once(published, [] {
    Published<TcxRect>()
        .Int("Left", &TcxRect::Left, &TcxRect::SetLeft, 0)
        .Int("Top", &TcxRect::Top, &TcxRect::SetTop, 0)
        .Int("Right", &TcxRect::Right, &TcxRect::SetRight, 0)
        .Int("Bottom", &TcxRect::Bottom, &TcxRect::SetBottom, 0)
        .Event("OnChange", &TcxRect::OnChange);
  });
  RegisterClass(TcxRect::StaticClass());
}
void cxGeometryUnitStop() { UnRegisterClass(TcxRect::StaticClass()); }
