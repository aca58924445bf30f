// Layers of the image view: each holds one image buffer and says where, how
// large, how rotated and with which layer operation it is drawn over the
// layers below. Layer 0 is the bottom one and always exists.
//
// Positions and sizes are in layer-0 bitmap pixels; DrawnRect, Corners and
// the draw rectangles are client pixels, written by rendering.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "imaging/core/iebitmap.h"
#include "imaging/core/ieblend.h"
#include "imaging/core/ieglobals.h"
#include "platform/rtl/object.h"
#include "platform/rtl/types.h"

class TVovidErView;

enum TIEGrip : uint8_t {
  ieNone,
  ieTopLeft,
  ieTopRight,
  ieBottomRight,
  ieBottomLeft,
  ieLeftSide,
  ieRightSide,
  ieTopSide,
  ieBottomSide,
  ieRotationCenter
};

enum TIELayerEvent : uint8_t {
  ielSelected,
  ielMoved,
  ielResized,
  ielMoving,
  ielResizing,
  ielRotating,
  ielRotated,
  ielBeginResizing,
  ielBeginMoving
};

// Magnifier settings of a layer (stored together as one block in layer records).
struct TIEMagnify {
  bool MagnifyEnabled = false;
  double MagnifyRate = 2.0;
  uint8_t MagnifyStyle = 0;   // 0 rectangle, 1 ellipse
  uint8_t MagnifySource = 1;  // 0 stretch from layer 0's bitmap, 1 copy what is drawn
};

// x, y, width, height.
struct TIEDrawRect {
  int32_t X = 0, Y = 0, Width = 0, Height = 0;
};

class TIELayer : public TObject {
public:
  // With useGiven the layer takes bitmap as its own; otherwise it makes a new
  // buffer, shaped like bitmap when one is given as a template.
  TIELayer(TVovidErView* owner, TIEBitmap* bitmap, bool useGiven);
  ~TIELayer() override;
  TIELayer(const TIELayer&) = delete;
  TIELayer& operator=(const TIELayer&) = delete;

  void SetDefaults();
  void Assign(const TIELayer& source);

  // Width (Height) when set, else the bitmap's.
  int32_t GetWidth() const;
  int32_t GetHeight() const;
  // Whole turns (0, ±360, ...) are stored as 0.
  void SetRotation(double angle);
  double Rotation() const { return rotation_; }

  // Client <-> this layer's bitmap coordinates through the owner view (a
  // layer without one converts as a view at 100 % with no scrolling would).
  int32_t ClientToBitmapX(int32_t x) const;
  int32_t ClientToBitmapY(int32_t y) const;
  int32_t BitmapToClientX(int32_t bx) const;
  int32_t BitmapToClientY(int32_t by) const;

  // Releases the combined-alpha cache (the view's Update does this).
  void FreeMaskCache() { MaskCache.reset(); }

  // Fields, public as the view, the renderer and the viewer use them directly.
  int32_t Width = 0;
  int32_t Height = 0;
  std::unique_ptr<TIEBitmap> MaskCache;
  TVovidErView* Owner = nullptr;
  TIEBitmap* Bitmap = nullptr;  // freed by the layer when OwnsBitmap
  bool Visible = true;
  bool VisibleBox = true;
  int32_t Transparency = 255;
  int32_t PosX = 0, PosY = 0;
  TRect DrawnRect{0, 0, 0, 0};  // right and bottom exclusive
  bool Cropped = false;
  bool Locked = false;
  bool Selectable = true;
  TIEMagnify Magnify;
  // A TIELayerOperation; any byte is allowed (files store it as one).
  uint8_t Operation = ieloCopy;
  // A block the caller attaches (made with new uint8_t[]); the layer frees it
  // when UserDataLen > 0. A copy made by Assign shares the block without
  // owning it.
  uint8_t* UserData = nullptr;
  int32_t UserDataLen = 0;
  bool OwnsBitmap = true;
  TResampleFilter ResampleFilter = rfNone;
  bool UseResampleFilter = false;
  std::string Name;
  bool IsMask = false;
  TIEDrawRect DrawDestRect;
  TIEDrawRect DrawSourceRect;
  std::array<TPoint, 4> Corners{};
  bool DimOutside = false;
  std::array<uint8_t, 16> GUID{};
  double RotationCenterX = 0.5, RotationCenterY = 0.5;

private:
  void FreeUserData();
  double rotation_ = 0;
};
