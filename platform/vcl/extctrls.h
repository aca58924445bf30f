// Panels, bevels, images and paint boxes.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/vcl/controls.h"
#include "platform/vcl/stdctrls.h"

enum TBevelShape : uint8_t { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle : uint8_t { bsLowered, bsRaised };
enum TVerticalAlignment : uint8_t { taAlignTop, taAlignBottom, taVerticalCenter };

// Draws width rings inside rect: the top and left sides in topColor, the
// bottom and right sides in bottomColor; rect shrinks by width on each side.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int32_t width);

// A container with an outer and an inner bevel, a border between them, and
// a caption in the middle. Aligned children stay inside the bevels.
class TCustomPanel : public TCustomControl {
  DX_COMPONENT_CLASS(TCustomPanel, TCustomControl)
public:
  explicit TCustomPanel(TComponent* AOwner);

  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut v);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut v);
  int32_t BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int32_t v);
  int32_t BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int32_t v);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TVerticalAlignment VerticalAlignment() const { return verticalAlignment_; }
  void SetVerticalAlignment(TVerticalAlignment v);
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool v);
  bool FullRepaint() const { return fullRepaint_; }
  void SetFullRepaint(bool v) { fullRepaint_ = v; }

  void AdjustClientRect(TRect& Rect) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void CMTextChanged(TMessage& m) override;
  void Resize() override;

private:
  void BevelChanged();
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int32_t bevelWidth_ = 1;
  int32_t borderWidth_ = 0;
  TBorderStyle borderStyle_ = bsNone;
  TAlignment alignment_ = taCenter;
  TVerticalAlignment verticalAlignment_ = taVerticalCenter;
  bool showCaption_ = true;
  bool fullRepaint_ = true;
};

class TPanel : public TCustomPanel {
  DX_COMPONENT_CLASS(TPanel, TCustomPanel)
public:
  using TCustomPanel::TCustomPanel;
};

// A line or a box with a 3-D look; it paints nothing else.
class TBevel : public TGraphicControl {
  DX_COMPONENT_CLASS(TBevel, TGraphicControl)
public:
  explicit TBevel(TComponent* AOwner);
  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape v);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle v);

protected:
  void Paint() override;

private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};

// Shows a picture: at its own size in the top-left corner, centred,
// stretched, or stretched keeping its proportions.
class TImage : public TGraphicControl {
  DX_COMPONENT_CLASS(TImage, TGraphicControl)
public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;

  TPicture* Picture() { return picture_.get(); }
  void SetPicture(TPicture* v) { picture_->Assign(v); }
  // The bitmap's canvas (a bitmap of the control's size is made when the
  // picture holds none); drawing on it changes the picture.
  TCanvas* Canvas();
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  bool Center() const { return center_; }
  void SetCenter(bool v);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v);
  bool Proportional() const { return proportional_; }
  void SetProportional(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  // Where the picture is drawn, in client coordinates.
  TRect DestRect();

protected:
  void Paint() override;

private:
  void PictureChanged(TObject* Sender);
  std::unique_ptr<TPicture> picture_;
  bool autoSize_ = false;
  bool center_ = false;
  bool stretch_ = false;
  bool proportional_ = false;
  bool transparent_ = false;
  bool drawing_ = false;
};

// A surface whose OnPaint draws on Canvas.
class TPaintBox : public TGraphicControl {
  DX_COMPONENT_CLASS(TPaintBox, TGraphicControl)
public:
  explicit TPaintBox(TComponent* AOwner);
  TNotifyEvent OnPaint;

protected:
  void Paint() override;
};

void RegisterExtCtrlsClasses();
