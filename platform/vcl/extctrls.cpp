#include "platform/vcl/extctrls.h"

#include <algorithm>
#include <mutex>

#include "platform/classes/typinfo.h"

#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/vcl/stdctrlspaint.h"

using namespace win;

void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int32_t width) {
  HDC dc = canvas->Handle();
  for (int32_t i = 0; i < width && !rect.IsEmpty(); ++i) {
    const TRect& r = rect;
    FillColorRect(dc, {r.Left, r.Top, r.Right - 1, r.Top + 1}, topColor);
    FillColorRect(dc, {r.Left, r.Top, r.Left + 1, r.Bottom - 1}, topColor);
    FillColorRect(dc, {r.Right - 1, r.Top, r.Right, r.Bottom}, bottomColor);
    FillColorRect(dc, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomColor);
    rect.Inflate(-1, -1);
  }
}

// ---------------------------------------------------------------- TCustomPanel
TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  controlStyle_ = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks,
                   csReplicatable};
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TCustomPanel::BevelChanged() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut v) {
  if (bevelInner_ == v) return;
  bevelInner_ = v;
  BevelChanged();
}

void TCustomPanel::SetBevelOuter(TBevelCut v) {
  if (bevelOuter_ == v) return;
  bevelOuter_ = v;
  BevelChanged();
}

void TCustomPanel::SetBevelWidth(int32_t v) {
  v = std::max(v, 1);
  if (bevelWidth_ == v) return;
  bevelWidth_ = v;
  BevelChanged();
}

void TCustomPanel::SetBorderWidth(int32_t v) {
  v = std::max(v, 0);
  if (borderWidth_ == v) return;
  borderWidth_ = v;
  BevelChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle v) {
  if (borderStyle_ == v) return;
  borderStyle_ = v;
  RecreateWnd();
  Realign();
}

void TCustomPanel::SetAlignment(TAlignment v) {
  if (alignment_ == v) return;
  alignment_ = v;
  Invalidate();
}

void TCustomPanel::SetVerticalAlignment(TVerticalAlignment v) {
  if (verticalAlignment_ == v) return;
  verticalAlignment_ = v;
  Invalidate();
}

void TCustomPanel::SetShowCaption(bool v) {
  if (showCaption_ == v) return;
  showCaption_ = v;
  Invalidate();
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (borderStyle_ == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  Rect.Inflate(-borderWidth_, -borderWidth_);
  int32_t bevel = 0;
  if (bevelOuter_ != bvNone) bevel += bevelWidth_;
  if (bevelInner_ != bvNone) bevel += bevelWidth_;
  Rect.Inflate(-bevel, -bevel);
}

void TCustomPanel::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  auto colors = [](TBevelCut cut, TColor& top, TColor& bottom) {
    top = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    bottom = cut == bvLowered ? clBtnHighlight : clBtnShadow;
  };
  TColor top, bottom;
  if (bevelOuter_ != bvNone) {
    colors(bevelOuter_, top, bottom);
    if (bevelOuter_ == bvSpace) top = bottom = Color();
    Frame3D(c, r, top, bottom, bevelWidth_);
  }
  Frame3D(c, r, Color(), Color(), borderWidth_);
  if (bevelInner_ != bvNone) {
    colors(bevelInner_, top, bottom);
    if (bevelInner_ == bvSpace) top = bottom = Color();
    Frame3D(c, r, top, bottom, bevelWidth_);
  }
  HDC dc = c->Handle();
  FillColorRect(dc, r, Color());
  if (!showCaption_) return;
  const std::string caption = Caption();
  if (caption.empty()) return;
  c->Font()->Assign(Font());
  c->RequiredState({csHandleValid, csFontValid});
  UINT flags = DT_EXPANDTABS | DT_SINGLELINE;
  switch (alignment_) {
    case taLeftJustify: flags |= DT_LEFT; break;
    case taRightJustify: flags |= DT_RIGHT; break;
    case taCenter: flags |= DT_CENTER; break;
  }
  switch (verticalAlignment_) {
    case taAlignTop: flags |= DT_TOP; break;
    case taAlignBottom: flags |= DT_BOTTOM; break;
    case taVerticalCenter: flags |= DT_VCENTER; break;
  }
  DrawControlText(dc, caption, r, flags, Font()->Color(), Enabled());
}

void TCustomPanel::CMTextChanged(TMessage& m) {
  TCustomControl::CMTextChanged(m);
  Invalidate();
}

void TCustomPanel::Resize() {
  TCustomControl::Resize();
  if (fullRepaint_) Invalidate();
}

// ---------------------------------------------------------------- TBevel
TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
  controlStyle_.Include(csReplicatable);
  SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape v) {
  if (shape_ == v) return;
  shape_ = v;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle v) {
  if (style_ == v) return;
  style_ = v;
  Invalidate();
}

void TBevel::Paint() {
  HDC dc = TGraphicControl::Canvas()->Handle();
  TColor c1 = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
  TColor c2 = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
  const int32_t w = Width(), h = Height();
  auto box = [&](TRect r, TColor a, TColor b) {
    // a: top and left; b: bottom and right (one pixel each).
    FillColorRect(dc, {r.Left, r.Top, r.Right, r.Top + 1}, a);
    FillColorRect(dc, {r.Left, r.Top, r.Left + 1, r.Bottom}, a);
    FillColorRect(dc, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, b);
    FillColorRect(dc, {r.Right - 1, r.Top, r.Right, r.Bottom}, b);
  };
  switch (shape_) {
    case bsBox: box({0, 0, w, h}, c1, c2); break;
    case bsFrame:
      box({1, 1, w, h}, c2, c2);
      box({0, 0, w - 1, h - 1}, c1, c1);
      break;
    case bsTopLine:
      FillColorRect(dc, {0, 0, w, 1}, c1);
      FillColorRect(dc, {0, 1, w, 2}, c2);
      break;
    case bsBottomLine:
      FillColorRect(dc, {0, h - 2, w, h - 1}, c1);
      FillColorRect(dc, {0, h - 1, w, h}, c2);
      break;
    case bsLeftLine:
      FillColorRect(dc, {0, 0, 1, h}, c1);
      FillColorRect(dc, {1, 0, 2, h}, c2);
      break;
    case bsRightLine:
      FillColorRect(dc, {w - 2, 0, w - 1, h}, c1);
      FillColorRect(dc, {w - 1, 0, w, h}, c2);
      break;
    case bsSpacer: break;
  }
}

// ---------------------------------------------------------------- TImage
TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner) {
  controlStyle_.Include(csReplicatable);
  picture_ = std::make_unique<TPicture>();
  picture_->OnChange = [this](TObject* s) { PictureChanged(s); };
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { picture_->OnChange = nullptr; }

TCanvas* TImage::Canvas() {
  if (!picture_->Graphic() || !dynamic_cast<TBitmap*>(picture_->Graphic())) {
    TBitmap bmp(std::max(1, Width()), std::max(1, Height()));
    picture_->SetGraphic(&bmp);
  }
  return picture_->Bitmap()->Canvas();
}

void TImage::SetAutoSize(bool v) {
  autoSize_ = v;
  PictureChanged(this);
}

void TImage::SetCenter(bool v) {
  if (center_ == v) return;
  center_ = v;
  Invalidate();
}

void TImage::SetStretch(bool v) {
  if (stretch_ == v) return;
  stretch_ = v;
  Invalidate();
}

void TImage::SetProportional(bool v) {
  if (proportional_ == v) return;
  proportional_ = v;
  Invalidate();
}

void TImage::SetTransparent(bool v) {
  if (transparent_ == v) return;
  transparent_ = v;
  if (TGraphic* g = picture_->Graphic()) g->SetTransparent(v);
  Invalidate();
}

void TImage::PictureChanged(TObject*) {
  TGraphic* g = picture_->Graphic();
  if (g && transparent_ != g->Transparent()) g->SetTransparent(transparent_);
  if (autoSize_ && g && g->Width() > 0 && g->Height() > 0) SetBounds(Left(), Top(), g->Width(), g->Height());
  if (!drawing_) Invalidate();
}

TRect TImage::DestRect() {
  TGraphic* g = picture_->Graphic();
  const int32_t cw = Width(), ch = Height();
  int32_t w = g ? g->Width() : 0, h = g ? g->Height() : 0;
  if (stretch_ || (proportional_ && (w > cw || h > ch))) {
    if (proportional_ && w > 0 && h > 0) {
      // The largest size with the picture's proportions that fits.
      if (int64_t(cw) * h <= int64_t(ch) * w) {
        h = int32_t(int64_t(h) * cw / w);
        w = cw;
      } else {
        w = int32_t(int64_t(w) * ch / h);
        h = ch;
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r{0, 0, w, h};
  if (center_) r.Offset((cw - w) / 2, (ch - h) / 2);
  return r;
}

void TImage::Paint() {
  TGraphic* g = picture_->Graphic();
  if (!g || g->Empty()) return;
  drawing_ = true;
  try {
    TGraphicControl::Canvas()->StretchDraw(DestRect(), g);
  } catch (...) {
    drawing_ = false;
    throw;
  }
  drawing_ = false;
}

// ---------------------------------------------------------------- TPaintBox
TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) {
  controlStyle_.Include(csReplicatable);
  SetBounds(0, 0, 105, 105);
}

void TPaintBox::Paint() {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  c->Brush()->SetColor(Color());
  if (OnPaint) OnPaint(this);
}

// ---------------------------------------------------------------- registration
void RegisterExtCtrlsClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterStdCtrlsClasses();
    DefineEnumType<TBevelShape>("TBevelShape",
                                {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"});
    DefineEnumType<TBevelStyle>("TBevelStyle", {"bsLowered", "bsRaised"});
    DefineEnumType<TVerticalAlignment>("TVerticalAlignment", {"taAlignTop", "taAlignBottom", "taVerticalCenter"});
    Published<TCustomPanel>()
        .Enum("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment, taCenter)
        .Enum("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner, bvNone)
        .Enum("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter, bvRaised)
        .Int("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth, 1)
        .Int("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth, 0)
        .Enum("BorderStyle", &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle, bsNone)
        .Bool("FullRepaint", &TCustomPanel::FullRepaint, &TCustomPanel::SetFullRepaint, true)
        .Bool("ShowCaption", &TCustomPanel::ShowCaption, &TCustomPanel::SetShowCaption, true)
        .Enum("VerticalAlignment", &TCustomPanel::VerticalAlignment, &TCustomPanel::SetVerticalAlignment,
              taVerticalCenter);
    Published<TBevel>()
        .Enum("Shape", &TBevel::Shape, &TBevel::SetShape, bsBox)
        .Enum("Style", &TBevel::Style, &TBevel::SetStyle, bsLowered);
    Published<TImage>()
        .Bool("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize, false)
        .Bool("Center", &TImage::Center, &TImage::SetCenter, false)
        .Obj("Picture", &TImage::Picture, &TImage::SetPicture)
        .Bool("Proportional", &TImage::Proportional, &TImage::SetProportional, false)
        .Bool("Stretch", &TImage::Stretch, &TImage::SetStretch, false)
        .Bool("Transparent", &TImage::Transparent, &TImage::SetTransparent, false);
    Published<TPaintBox>().Event("OnPaint", &TPaintBox::OnPaint);
    for (TClass c : {TCustomPanel::StaticClass(), TPanel::StaticClass(), TBevel::StaticClass(), TImage::StaticClass(),
                     TPaintBox::StaticClass()})
      RegisterClass(c);
  });
}
