// TVovidErView: mouse and keyboard interaction. MouseInteract chooses what
// the mouse does: zoom clicks, drag scrolling, following the mouse, and moving,
// resizing and rotating layers with an on-screen hint. Every handler runs the
// inherited one first (which fires the application's event), then acts.
//
// An interaction starts at mouse-down, is carried by the captured mouse and
// ends at mouse-up. Layer drags work on the raw mouse position: positions
// clamped to the current layer's drawn rectangle would hold a grip or a
// dragged layer at the old edge, so they serve only the click test.
//
// The selection modes are part of the rule table, but their mouse actions
// belong to the selection unit, which this view does not have yet: with no
// selection there are no selection grips, nothing to move and no polygon in
// progress, and the selection steps of the handlers do nothing.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "imaging/core/iegeometry.h"
#include "imaging/core/ietext.h"
#include "imaging/processing/iealphabounds.h"
#include "imaging/core/ieresample.h"
#include "imaging/core/ierotate.h"
#include "imaging/view/voviderview.h"
#include "platform/rtl/scopeexit.h"
#include "platform/vcl/forms.h"

namespace {

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : v > hi ? hi : v; }


constexpr TIEMouseInteract Bits(std::initializer_list<TIEMouseInteractItems> items) {
  TIEMouseInteract r = 0;
  for (TIEMouseInteractItems i : items) r |= IEMI(i);
  return r;
}

constexpr TIEMouseInteract kLayerModes = Bits({miMoveLayers, miResizeLayers, miRotateLayers});
constexpr TIEMouseInteract kSelectionFeedbackModes =
    Bits({miSelect, miSelectPolygon, miSelectCircle, miSelectMagicWand, miSelectLasso});

// SetMouseInteract keeps, of the value asked for, the bits of the first rule
// that matches. The first eight rules look at the bits the old value lacked,
// the layer rules at the new value alone.
struct TInteractRule {
  bool onlyNew;
  TIEMouseInteractItems test;
  TIEMouseInteract keep;
};
constexpr TInteractRule kInteractRules[] = {
    {true, miScroll, Bits({miZoom, miScroll, miMovingScroll})},
    {true, miSelect, Bits({miZoom, miSelect, miMovingScroll})},
    {true, miSelectPolygon, Bits({miSelectPolygon, miMovingScroll})},
    {true, miSelectCircle, Bits({miZoom, miSelectCircle, miMovingScroll})},
    {true, miSelectLasso, Bits({miZoom, miSelectLasso, miMovingScroll})},
    {true, miSelectZoom, Bits({miZoom, miSelectZoom, miMovingScroll})},
    {true, miZoom,
     Bits({miZoom, miScroll, miSelect, miSelectCircle, miSelectZoom, miSelectLasso, miMovingScroll})},
    {true, miSelectMagicWand, Bits({miSelectMagicWand, miMovingScroll})},
    {false, miRotateLayers, Bits({miMoveLayers, miRotateLayers, miMovingScroll})},
    {false, miMoveLayers, Bits({miMoveLayers, miResizeLayers, miMovingScroll})},
    {false, miResizeLayers, Bits({miMoveLayers, miResizeLayers, miMovingScroll})},
};

TCursor GripCursor(TIEGrip grip) {
  switch (grip) {
    case ieTopRight: case ieBottomLeft: return crIEMoveNESW;
    case ieLeftSide: case ieRightSide: return crIEMoveWE;
    case ieTopSide: case ieBottomSide: return crIEMoveNS;
    case ieTopLeft: case ieBottomRight: return crIEMoveNWSE;
    default: return crIEDefault;
  }
}

// Cursors around a layer during rotation, by the quadrant around its centre.
constexpr TCursor crIERotateLeftBelow = 1811, crIERotateRightAbove = 1812, crIERotateRightBelow = 1813,
                  crIERotateLeftAbove = 1814;

bool IsCorner(TIEGrip g) { return g >= ieTopLeft && g <= ieBottomLeft; }

}  // namespace

// ---------------------------------------------------------------- MouseInteract
void TVovidErView::SetMouseInteract(TIEMouseInteract v) {
  if (v == mouseInteract_) return;
  // A polygon selection in progress would be closed here; without the
  // selection unit none is ever in progress.
  const TIEMouseInteract added = TIEMouseInteract(v & ~mouseInteract_);
  TIEMouseInteract stored = v;
  for (const TInteractRule& rule : kInteractRules) {
    const TIEMouseInteract tested = rule.onlyNew ? added : v;
    if (tested & IEMI(rule.test)) {
      stored = TIEMouseInteract(v & rule.keep);
      break;
    }
  }
  mouseInteract_ = stored;
  if (!(stored & IEMI(miRotateLayers)))
    BakeLayerRotation(-1);
  else if (CropLayersToAlphaOnRotate)
    CropLayersToAlpha(-1);
}

// ---------------------------------------------------------------- helpers
void TVovidErView::BeginClientAreaSelectionBase() {
  if (selectionBaseDepth_++ == 0) savedSelectionBase_ = selectionBase_;
  selectionBase_ = iesbClientArea;
}

void TVovidErView::EndClientAreaSelectionBase() {
  if (selectionBaseDepth_ > 0 && --selectionBaseDepth_ == 0) selectionBase_ = savedSelectionBase_;
}

void TVovidErView::WithCallerSelectionBase(const std::function<void()>& event) {
  if (selectionBaseDepth_ == 0) {
    event();
    return;
  }
  selectionBase_ = savedSelectionBase_;
  // What the handler sets is the application's value from now on.
  TScopeExit back([this] {
    savedSelectionBase_ = selectionBase_;
    selectionBase_ = iesbClientArea;
  });
  event();
}

void TVovidErView::DoLayerNotify(int32_t layer, TIELayerEvent event) {
  if (!OnLayerNotify) return;
  WithCallerSelectionBase([&] { OnLayerNotify(this, layer, event); });
}

TPoint TVovidErView::ClampToCurrentLayer(int32_t x, int32_t y) {
  if (currentLayer_ < 0 || currentLayer_ >= GetLayerCount()) return {x, y};
  const TRect& r = layers_[size_t(currentLayer_)]->DrawnRect;
  return {Clamp(x, r.Left, r.Right + 1), Clamp(y, r.Top, r.Bottom + 1)};
}

TPoint TVovidErView::LayerRotationCenterClient(int32_t index) {
  // The centre of the rotation-centre grip square is the centre itself.
  const TRect r = GetGripRects(index)[8];
  return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

void TVovidErView::ShiftMouseAnchors(int32_t dx, int32_t dy) {
  lastRaw_.X -= dx;
  lastRaw_.Y -= dy;
  lastClamped_.X -= dx;
  lastClamped_.Y -= dy;
  downClampedLayer_.X -= dx;
  downClampedLayer_.Y -= dy;
}

// One scroll step towards a cursor outside the image area. The cursor cannot
// move while this runs, so looping until it is inside would always run to the
// image's edge: each mouse move outside scrolls one step instead.
bool TVovidErView::AutoScrollToCursor() {
  win::POINT sp{};
  if (!win::GetCursorPos(&sp)) return false;
  const TPoint p = ScreenToClient(sp);
  const int32_t left = ImageOffsetX(), right = ImageOffsetX() + DrawnWidth() - 1;
  const int32_t top = ImageOffsetY(), bottom = ImageOffsetY() + DrawnHeight() - 1;
  const int32_t dx = p.X < left ? p.X - left : p.X > right ? p.X - right : 0;
  const int32_t dy = p.Y < top ? p.Y - top : p.Y > bottom ? p.Y - bottom : 0;
  if (dx == 0 && dy == 0) return false;
  TValueScope suppress(suppressSelectionDrawing_, true);
  const int32_t ox = ScrollOriginX(), oy = ScrollOriginY();
  ScrollTo(ox + dx, oy + dy);
  const int32_t ax = ScrollOriginX() - ox, ay = ScrollOriginY() - oy;
  if (ax == 0 && ay == 0) return false;
  // The anchors follow the picture by what was really scrolled, so that the
  // next drag step measures from the same picture point.
  downClampedImage_.X -= ax;
  downClampedImage_.Y -= ay;
  ShiftMouseAnchors(ax, ay);
  return true;
}

// ---------------------------------------------------------------- mouse-down
void TVovidErView::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  auto alive = AliveToken();
  TIEView::MouseDown(Button, Shift, X, Y);
  if (alive.expired()) return;
  if (TCustomForm* form = GetParentForm(); form && form->Visible() && CanFocus()) SetFocus();

  if (Button == mbRight && Shift.Contains(ssLeft)) {
    // Ignored, and so is its release; the left drag's saved filter stays.
    ignoreRightUp_ = true;
    return;
  }
  if (Button == mbRight) ignoreRightUp_ = false;
  savedZoomFilter_ = zoomFilter_;
  layerMoved_ = false;

  const TIEMouseInteract mi = mouseInteract_;
  const bool rightSelectsLayers = (selectionOptions_ & IESO(iesoRightButtonSelectLayers)) != 0;
  if (Button != mbLeft && !(mi & IEMI(miZoom)) && !(Button == mbRight && rightSelectsLayers)) return;
  if (!(mi & IEMI(miScroll)) && delayZoomFilter_) zoomFilter_ = rfNone;

  BeginClientAreaSelectionBase();
  TScopeExit endBase([this, &alive] {
    if (!alive.expired()) EndClientAreaSelectionBase();
  });

  downClampedImage_ = {Clamp(X, ImageOffsetX(), ImageOffsetX() + DrawnWidth()),
                       Clamp(Y, ImageOffsetY(), ImageOffsetY() + DrawnHeight())};
  downClampedLayer_ = ClampToCurrentLayer(X, Y);
  downRaw_ = {X, Y};
  lastRaw_ = downRaw_;
  lastClamped_ = downClampedLayer_;
  downOrigin_ = {ScrollOriginX(), ScrollOriginY()};

  // The selection modes' press (polygon point, rectangle, ellipse, magic
  // wand) belongs to the selection unit.

  movingLayer_ = rotatingLayer_ = rotationCenterLayer_ = -1;
  layerGrip_ = ieNone;
  if ((Button == mbLeft || (Button == mbRight && rightSelectsLayers)) && (mi & kLayerModes)) {
    layerStarted_ = false;
    TIELayer* cur = GetCurrentLayer();
    // A locked layer offers no grips.
    if ((mi & IEMI(miResizeLayers)) && cur && !cur->Locked) layerGrip_ = GripAt(X, Y);
    if (layerGrip_ == ieRotationCenter) layerGrip_ = ieNone;
    if (layerGrip_ != ieNone) {
      BakeLayerRotation(-1);
      cur = GetCurrentLayer();
      resizeStartRect_ = cur->DrawnRect;
      resizeStartCorners_ = cur->Corners;
      DoLayerNotify(currentLayer_, ielBeginResizing);
    } else if (mi & (IEMI(miMoveLayers) | IEMI(miRotateLayers))) {
      const bool rotate = (mi & IEMI(miRotateLayers)) != 0;
      if (rotate && GripAt(X, Y) == ieRotationCenter) {
        rotationCenterLayer_ = currentLayer_;
      } else if (rotate && cur && !IsPointInLayer(X, Y, currentLayer_)) {
        rotatingLayer_ = currentLayer_;
        rotationAngle_ = cur->Rotation();
      } else {
        const int32_t hit = LayerIndexAt(X, Y, true);
        if (hit >= 0) {
          SetCurrentLayer(hit);
          movingLayer_ = currentLayer_;
          DoLayerNotify(currentLayer_, ielSelected);
          DoLayerNotify(currentLayer_, ielBeginMoving);
          if (TIELayer* moving = GetCurrentLayer(); moving && !moving->Locked) ApplyCursor(crIEMoveAll);
        }
      }
    }
  }

  if (Button == mbLeft && (mi & IEMI(miScroll)) && CanScroll()) ApplyCursor(crIEHand);
}

// ---------------------------------------------------------------- mouse-move
void TVovidErView::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  auto alive = AliveToken();
  TIEView::MouseMove(Shift, X, Y);
  if (alive.expired()) return;
  BeginClientAreaSelectionBase();
  TScopeExit endBase([this, &alive] {
    if (!alive.expired()) EndClientAreaSelectionBase();
  });
  const TPoint clamped = ClampToCurrentLayer(X, Y);
  const TIEMouseInteract mi = mouseInteract_;
  const bool captured = MouseCapture();

  if (captured) {
    if (mi & IEMI(miScroll)) {
      ScrollTo(downOrigin_.X - IETrunc((X - downRaw_.X) * scrollDragFactor_),
               downOrigin_.Y - IETrunc((Y - downRaw_.Y) * scrollDragFactor_));
    } else {
      // Selection grips, moves and shapes would be dragged here (selection unit).
      LayerDragStep(Shift, X, Y);
    }
  } else {
    LayerCursorFeedback(Shift, X, Y);
  }

  if ((mi & IEMI(miMovingScroll)) && !captured && (X != lastRaw_.X || Y != lastRaw_.Y)) {
    int32_t maxX = 0, maxY = 0;
    GetMaxScroll(maxX, maxY);
    const int32_t vw = GetViewWidth(), vh = GetViewHeight();
    if (vw > 0 && vh > 0) {
      // Both ends are reached a little before the edges of the view.
      const int32_t tx = IETrunc((double(Clamp(X, 0, vw - 1)) / vw - 0.02) * 1.05 * maxX);
      const int32_t ty = IETrunc((double(Clamp(Y, 0, vh - 1)) / vh - 0.02) * 1.05 * maxY);
      ScrollToSmooth(tx, ty);
    }
  }

  if (OnMouseInSel && mask_ && !mask_->IsEmpty()) {
    if (TIELayer* cur = GetCurrentLayer();
        cur && mask_->IsPointInside(cur->ClientToBitmapX(clamped.X), cur->ClientToBitmapY(clamped.Y)))
      WithCallerSelectionBase([&] { OnMouseInSel(this); });
  }

  lastClamped_ = clamped;
  lastRaw_ = {X, Y};
}

void TVovidErView::LayerDragStep(TShiftState Shift, int32_t x, int32_t y) {
  TIELayer* cur = GetCurrentLayer();
  if (!cur) return;
  // There is no undo yet: the save-undo option has nothing to record before the first step.
  if (movingLayer_ >= 0) {
    if (cur->Locked) return;
    layerStarted_ = true;
    AutoScrollToCursor();
    const int32_t nx = ClientToBitmapX(x) + cur->PosX - ClientToBitmapX(lastRaw_.X);
    const int32_t ny = ClientToBitmapY(y) + cur->PosY - ClientToBitmapY(lastRaw_.Y);
    if (nx != cur->PosX || ny != cur->PosY) layerMoved_ = true;
    cur->PosX = nx;
    cur->PosY = ny;
    hintText_ = "X=" + std::to_string(cur->PosX) + " Y=" + std::to_string(cur->PosY);
    hintTemplate_ = "X=000 Y=000";
    hintPos_ = {x, y};
    refreshOnlyLayer_ = cur;
    Update();
    DoLayerNotify(currentLayer_, ielMoving);
  } else if (layerGrip_ != ieNone) {
    if (cur->Locked) return;
    if (!layerStarted_) {
      const int32_t w = cur->GetWidth();
      resizeAspect_ = w > 0 ? double(cur->GetHeight()) / w : 1.0;
      layerStarted_ = true;
    }
    AutoScrollToCursor();
    ResizeLayerByGrip(x, y, Shift.Contains(ssAlt) || ConstrainShapes);
    hintText_ = std::to_string(cur->GetWidth()) + " x " + std::to_string(cur->GetHeight());
    hintTemplate_ = "0000 x 0000";
    hintPos_ = {x, y};
    refreshOnlyLayer_ = cur;
    Update();
    DoLayerNotify(currentLayer_, ielResizing);
  } else if (rotationCenterLayer_ >= 0) {
    const int32_t bw = cur->Bitmap ? cur->Bitmap->GetWidth() : 0;
    const int32_t bh = cur->Bitmap ? cur->Bitmap->GetHeight() : 0;
    if (bw <= 0 || bh <= 0) return;
    cur->RotationCenterX = double(cur->ClientToBitmapX(x)) / bw;
    cur->RotationCenterY = double(cur->ClientToBitmapY(y)) / bh;
    hintText_ = "X=" + std::to_string(IETrunc(cur->GetWidth() * cur->RotationCenterX)) +
                " Y=" + std::to_string(IETrunc(cur->GetHeight() * cur->RotationCenterY));
    hintTemplate_ = "X=000 Y=000";
    hintPos_ = {x, y};
    refreshOnlyLayer_ = cur;
    Update();
  } else if (rotatingLayer_ >= 0) {
    if (cur->Locked) return;
    layerStarted_ = true;
    double dx = (ClientToBitmapX(x) - ClientToBitmapX(lastRaw_.X)) / 4.0;
    double dy = (ClientToBitmapY(y) - ClientToBitmapY(lastRaw_.Y)) / 4.0;
    // Turning follows the mouse around the centre: moving right above it or
    // down right of it turns clockwise.
    const TPoint c = LayerRotationCenterClient(currentLayer_);
    if (x > c.X) dy = -dy;
    if (y < c.Y) dx = -dx;
    rotationAngle_ += dx + dy;
    if (Shift.Contains(ssShift) && RotationSnapStep > 0)
      cur->SetRotation(std::trunc(rotationAngle_ / RotationSnapStep) * RotationSnapStep);
    else
      cur->SetRotation(rotationAngle_);
    hintText_ = IEFloatToStrDot(cur->Rotation()) + "\u00B0";
    hintTemplate_ = "0000\u00B0";
    hintPos_ = {x, y};
    refreshOnlyLayer_ = cur;
    Update();
    DoLayerNotify(currentLayer_, ielRotating);
  }
}

// The current layer's new size and place while a grip is dragged to (x, y).
// The drawn rectangle at the start (L, T, R, B) and the aspect ratio r give
// the point that keeps the ratio; positions are layer-0 bitmap pixels.
void TVovidErView::ResizeLayerByGrip(int32_t x, int32_t y, bool keep) {
  TIELayer* cur = GetCurrentLayer();
  if (!cur) return;
  const int32_t W0 = cur->GetWidth(), H0 = cur->GetHeight();
  const int32_t L = resizeStartRect_.Left, T = resizeStartRect_.Top;
  const int32_t R = resizeStartRect_.Right, B = resizeStartRect_.Bottom;
  const double r = resizeAspect_;
  int32_t f = ClientToBitmapX(x), g = ClientToBitmapY(y);
  const int32_t h = ClientToBitmapX(lastRaw_.X), l = ClientToBitmapY(lastRaw_.Y);
  TIEGrip grip = layerGrip_;
  const bool keepRatio = (LayerResizeAspectMode == 1 && keep) || LayerResizeAspectMode == 2 ||
                         (LayerResizeAspectMode == 3 && IsCorner(grip));
  if (keepRatio && r > 0) {
    switch (grip) {
      case ieLeftSide: grip = ieBottomLeft; break;
      case ieRightSide: grip = ieBottomRight; break;
      case ieTopSide: grip = ieTopLeft; break;
      case ieBottomSide: grip = ieBottomRight; break;
      default: break;
    }
    if (layerGrip_ == ieTopSide || layerGrip_ == ieBottomSide)
      f = ClientToBitmapX(IETrunc((y - T) / r) + L);  // x follows y
    else if (grip == ieTopLeft || grip == ieBottomRight)
      g = ClientToBitmapY(IETrunc((x - L) * r) + T);
    else if (grip == ieTopRight)
      g = ClientToBitmapY(IETrunc(r * (R - x)) + T);
    else if (grip == ieBottomLeft)
      g = ClientToBitmapY(IETrunc(r * (L - x)) + B);
  }
  const auto atLeast1 = [](int32_t v) { return v < 1 ? 1 : v; };
  switch (grip) {
    case ieTopLeft:
      cur->Width = atLeast1(cur->PosX + W0 - f);
      cur->Height = atLeast1(cur->PosY + H0 - g);
      if (cur->Width > 1) cur->PosX = f;
      if (cur->Height > 1) cur->PosY = g;
      break;
    case ieTopRight:
      cur->Width = atLeast1(f - cur->PosX);
      cur->Height = atLeast1(cur->PosY + H0 - g);
      if (cur->Height > 1) cur->PosY = g;
      break;
    case ieBottomRight:
      cur->Width = atLeast1(f - ClientToBitmapX(L));
      cur->Height = atLeast1(g - ClientToBitmapY(T));
      break;
    case ieBottomLeft:
      cur->Width = atLeast1(cur->PosX + W0 - f);
      cur->Height = atLeast1(g - ClientToBitmapY(T));
      if (cur->Width > 1) cur->PosX = f;
      break;
    case ieLeftSide:
      cur->Width = atLeast1(W0 + h - f);
      if (cur->Width > 1) cur->PosX += f - h;
      break;
    case ieRightSide:
      cur->Width = atLeast1(f - ClientToBitmapX(L));
      break;
    case ieTopSide:
      cur->Height = atLeast1(cur->PosY + H0 - g);
      if (cur->Height > 1) cur->PosY = g;
      break;
    case ieBottomSide:
      cur->Height = atLeast1(H0 + g - l);
      break;
    default:
      return;
  }
  if (!keepRatio) {
    const int32_t w = cur->GetWidth();
    if (w > 0) resizeAspect_ = double(cur->GetHeight()) / w;
  }
}

void TVovidErView::LayerCursorFeedback(TShiftState Shift, int32_t x, int32_t y) {
  const TIEMouseInteract mi = mouseInteract_;
  TIELayer* cur = GetCurrentLayer();
  if (mi & kSelectionFeedbackModes) {
    // Without a selection there is no grip under the mouse and nothing to move.
    if (OnMouseInResizingGrip) WithCallerSelectionBase([&] { OnMouseInResizingGrip(this, ieNone); });
    if (Shift.Contains(ssShift) && MultipleSelections) {
      if (shownCursor_ == crIEDefault)
        ApplyCursor(crIECrossAdd);
      else if (shownCursor_ == crIECross2)
        ApplyCursor(crIECross2Add);
    } else {
      RestoreCursor();
    }
  } else if (mi & IEMI(miRotateLayers)) {
    if (!cur) return;
    if (IsPointInLayer(x, y, currentLayer_)) {
      RestoreCursor();
      return;
    }
    const TPoint c = LayerRotationCenterClient(currentLayer_);
    const bool left = x < c.X, above = y < c.Y;
    ApplyCursor(left ? (above ? crIERotateLeftAbove : crIERotateLeftBelow)
                     : (above ? crIERotateRightAbove : crIERotateRightBelow));
  } else if (mi & (IEMI(miResizeLayers) | IEMI(miMoveLayers))) {
    TIEGrip grip = ieNone;
    if ((mi & IEMI(miResizeLayers)) && cur && !cur->Locked) grip = GripAt(x, y);
    if (grip == ieNone || grip == ieRotationCenter) {
      const int32_t hit = (mi & IEMI(miMoveLayers)) ? LayerIndexAt(x, y, true) : -1;
      if (hit >= 0 && !GetLayer(hit)->Locked)
        ApplyCursor(crIEMoveAll);
      else
        RestoreCursor();
    } else {
      ApplyCursor(GripCursor(grip));
    }
  }
}

// ---------------------------------------------------------------- mouse-up
void TVovidErView::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  auto alive = AliveToken();
  TIEView::MouseUp(Button, Shift, X, Y);
  if (alive.expired()) return;
  if (Button == mbRight && ignoreRightUp_) {
    ignoreRightUp_ = false;
    return;
  }
  const bool hadHint = !hintText_.empty();
  hintText_.clear();
  hintTemplate_.clear();
  const TPoint clamped = ClampToCurrentLayer(X, Y);
  BeginClientAreaSelectionBase();
  TScopeExit end([this, &alive] {
    // Every interaction ends here, however the handler leaves (unless an
    // event handler freed the view).
    if (alive.expired()) return;
    movingLayer_ = rotatingLayer_ = rotationCenterLayer_ = -1;
    layerGrip_ = ieNone;
    layerStarted_ = false;
    layerMoved_ = false;
    zoomFilter_ = savedZoomFilter_;
    EndClientAreaSelectionBase();
  });
  const TIEMouseInteract mi = mouseInteract_;
  const bool moved = X != downRaw_.X || Y != downRaw_.Y;

  if ((mi & IEMI(miZoom)) && clamped == downClampedLayer_ && !IsEmpty()) {
    double z = ZoomPercentX();
    bool proposed = false;
    if (Button == mbLeft) {
      if (mi & IEMI(miScroll)) RestoreCursor();
      z = IEClickZoomIn(ZoomPercentX());
      if (OnZoomIn) OnZoomIn(this, z);
      proposed = true;
    } else if (Button == mbRight) {
      z = IEClickZoomOut(ZoomPercentX());
      if (OnZoomOut) OnZoomOut(this, z);
      proposed = true;
    }
    if (alive.expired()) return;
    if (proposed && (z != ZoomPercentX() || z != ZoomPercentY())) ZoomAroundPoint(X, Y, false, z);
  } else if (Button == mbLeft && (mi & IEMI(miScroll)) && CanScroll()) {
    ScrollTo(downOrigin_.X - IETrunc((X - downRaw_.X) * scrollDragFactor_),
             downOrigin_.Y - IETrunc((Y - downRaw_.Y) * scrollDragFactor_));
    RestoreCursor();
  }
  // The selection modes' release (finishing, zooming to or removing a
  // selection, the magic wand) belongs to the selection unit.

  if (Button == mbLeft) {
    if (movingLayer_ >= 0) {
      RestoreCursor();
      if (layerMoved_) DoLayerNotify(currentLayer_, ielMoved);
      Invalidate();
    }
    if (rotatingLayer_ >= 0) {
      if (moved) DoLayerNotify(currentLayer_, ielRotated);
      Invalidate();
    }
    if ((mi & IEMI(miRotateLayers)) && !moved) {
      const int32_t hit = LayerIndexAt(X, Y, true);
      if (hit >= 0) {
        SetCurrentLayer(hit);
        DoLayerNotify(currentLayer_, ielSelected);
      }
    }
    if (layerGrip_ != ieNone) {
      if (moved) DoLayerNotify(currentLayer_, ielResized);
      Update();
    }
  }
  // The hint box is drawn over the picture: repaint to take it away.
  if (hadHint) Invalidate();
}

void TVovidErView::WMLButtonDblClk(TMessage& m) {
  // Ending a polygon selection by double click belongs to the selection unit.
  TIEView::WMLButtonDblClk(m);
}

// ---------------------------------------------------------------- keyboard
void TVovidErView::KeyDown(win::WORD& Key, TShiftState Shift) {
  TIEView::KeyDown(Key, Shift);
  if (!Shift.Contains(ssShift) || !MultipleSelections) return;
  if (shownCursor_ == crIEDefault)
    ApplyCursor(crIECrossAdd);
  else if (shownCursor_ == crIECross2)
    ApplyCursor(crIECross2Add);
}

void TVovidErView::KeyUp(win::WORD& Key, TShiftState Shift) {
  TIEView::KeyUp(Key, Shift);
  if (!Shift.Contains(ssShift) && MultipleSelections) RestoreCursor();
}

// A special key (arrows, Tab, Enter, Escape) reaches KeyDown instead of the
// form's dialog handling when the application says so.
void TVovidErView::CMWantSpecialKey(TMessage& m) {
  TIEView::CMWantSpecialKey(m);
  if (!OnSpecialKey) return;
  bool handled = false;
  OnSpecialKey(this, win::WORD(m.WParam), KeyDataToShiftState(int32_t(m.LParam)), handled);
  if (handled) m.Result = 1;
}

void TVovidErView::CNKeyDown(TMessage& m) {
  auto alive = AliveToken();
  TIEView::CNKeyDown(m);
  if (!alive.expired() && OnVirtualKey) OnVirtualKey(this, uint32_t(m.WParam), uint32_t(m.LParam), true);
}

void TVovidErView::CNKeyUp(TMessage& m) {
  auto alive = AliveToken();
  TIEView::CNKeyUp(m);
  if (!alive.expired() && OnVirtualKey) OnVirtualKey(this, uint32_t(m.WParam), uint32_t(m.LParam), false);
}

void TVovidErView::WMSysKeyDown(TMessage& m) {
  auto alive = AliveToken();
  TIEView::WMSysKeyDown(m);
  if (!alive.expired() && OnVirtualKey) OnVirtualKey(this, uint32_t(m.WParam), uint32_t(m.LParam), true);
}

void TVovidErView::WMSysKeyUp(TMessage& m) {
  auto alive = AliveToken();
  TIEView::WMSysKeyUp(m);
  if (!alive.expired() && OnVirtualKey) OnVirtualKey(this, uint32_t(m.WParam), uint32_t(m.LParam), false);
}

// ---------------------------------------------------------------- layer bitmaps
bool TVovidErView::ApplyLayerSizeTo(TIELayer& layer) {
  if (layer.Width == 0 && layer.Height == 0) return false;
  TIEBitmap* bitmap = layer.Bitmap;
  const int32_t tw = layer.GetWidth(), th = layer.GetHeight();
  if (bitmap && !bitmap->IsEmpty() && tw > 0 && th > 0 &&
      (tw != bitmap->GetWidth() || th != bitmap->GetHeight())) {
    const TResampleFilter filter = layer.UseResampleFilter ? layer.ResampleFilter : zoomFilter_;
    TIEBitmap out;
    IEResampleTo(*bitmap, out, tw, false, filter, th);
    if (!out.IsEmpty()) {
      bitmap->AssignImage(&out);
      if (out.HasAlphaChannel())
        bitmap->GetAlphaChannel()->Assign(out.GetAlphaChannel());
      else if (bitmap->HasAlphaChannel())
        bitmap->RemoveAlphaChannel(false, 0);
    }
  }
  layer.Width = 0;
  layer.Height = 0;
  layer.FreeMaskCache();
  return true;
}

void TVovidErView::ApplyLayerSize(int32_t index) {
  if (index < -1 || index >= GetLayerCount()) return;
  SyncLayers();
  bool changed = false;
  for (int32_t i = 0; i < GetLayerCount(); ++i)
    if (index == -1 || i == index) changed |= ApplyLayerSizeTo(*layers_[size_t(i)]);
  if (changed) Update();
}

// The layer's bitmap is turned for good: it grows to hold the turned image,
// the uncovered corners become transparent, and the layer moves so that every
// pixel stays where the rotation showed it; then the transparent margin goes.
// The routines work on the layer's own bitmap, so it need not become current.
void TVovidErView::BakeLayerRotation(int32_t index) {
  if (index < -1 || index >= GetLayerCount()) return;
  const auto wanted = [&](int32_t i) { return (index == -1 || i == index) && layers_[size_t(i)]->Rotation() != 0; };
  bool any = false;
  for (int32_t i = 0; i < GetLayerCount(); ++i) any = any || wanted(i);
  if (!any) return;
  SyncLayers();
  for (int32_t i = 0; i < GetLayerCount(); ++i) {
    if (!wanted(i)) continue;
    TIELayer& layer = *layers_[size_t(i)];
    ApplyLayerSizeTo(layer);
    const double angle = layer.Rotation();
    TIEBitmap* bitmap = layer.Bitmap;
    const int32_t w = bitmap ? bitmap->GetWidth() : 0, h = bitmap ? bitmap->GetHeight() : 0;
    if (w > 0 && h > 0) {
      std::vector<TPoint> corners{{0, 0}, {w, 0}, {w, h}, {0, h}};
      IERotatePoints(corners, IETrunc(w * layer.RotationCenterX), IETrunc(h * layer.RotationCenterY), angle);
      int32_t minX = corners[0].X, minY = corners[0].Y;
      for (const TPoint& p : corners) {
        minX = std::min(minX, p.X);
        minY = std::min(minY, p.Y);
      }
      bitmap->GetAlphaChannel();  // made fully opaque when missing, so the corners can turn transparent
      IERotate(*bitmap, angle, LayersRotationAntialias, LayersRotationQuality, Background());
      layer.PosX += minX;
      layer.PosY += minY;
      const TRect bounds = GetAlphaBounds(*bitmap);
      if (bounds.Right >= bounds.Left && IECropBitmap(*bitmap, bounds)) {
        layer.PosX += bounds.Left;
        layer.PosY += bounds.Top;
      }
    }
    layer.Width = 0;
    layer.Height = 0;
    layer.SetRotation(0);
    layer.FreeMaskCache();
  }
  Update();
}

// Cropping keeps the visible pixels where they were shown: the position moves
// by the cut-off margin (in display pixels for a sized layer), a set display
// size shrinks with the bitmap, and the rotation centre stays on the same pixel.
bool TVovidErView::CropLayerToAlpha(TIELayer& layer) {
  TIEBitmap* bitmap = layer.Bitmap;
  if (!bitmap || !bitmap->HasAlphaChannel()) return false;
  const int32_t bw = bitmap->GetWidth(), bh = bitmap->GetHeight();
  const TRect r = GetAlphaBounds(*bitmap);
  if (r.Right < r.Left || (r.Left == 0 && r.Top == 0 && r.Right == bw - 1 && r.Bottom == bh - 1)) return false;
  const double sx = double(layer.GetWidth()) / bw, sy = double(layer.GetHeight()) / bh;
  const double centreX = layer.RotationCenterX * bw, centreY = layer.RotationCenterY * bh;
  if (!IECropBitmap(*bitmap, r)) return false;
  const int32_t nw = r.Right - r.Left + 1, nh = r.Bottom - r.Top + 1;
  layer.PosX += IERoundEven(r.Left * sx);
  layer.PosY += IERoundEven(r.Top * sy);
  if (layer.Width != 0) layer.Width = std::max(1, IERoundEven(nw * sx));
  if (layer.Height != 0) layer.Height = std::max(1, IERoundEven(nh * sy));
  layer.RotationCenterX = (centreX - r.Left) / nw;
  layer.RotationCenterY = (centreY - r.Top) / nh;
  layer.FreeMaskCache();
  return true;
}

void TVovidErView::CropLayersToAlpha(int32_t index) {
  if (index < -1 || index >= GetLayerCount()) return;
  SyncLayers();
  bool changed = false;
  for (int32_t i = 0; i < GetLayerCount(); ++i)
    if (index == -1 || i == index) changed |= CropLayerToAlpha(*layers_[size_t(i)]);
  if (changed) Update();
}
