#include "ui/bars/dxStatusBar.h"

#include <algorithm>

#include "platform/rtl/exceptions.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/imglist.h"
#include "ui/lookandfeel/cxClasses.h"
#include "ui/lookandfeel/cxGeometry.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/dxCore.h"
#include "ui/lookandfeel/dxOffice11.h"
#include "ui/lookandfeel/dxThemeManager.h"

namespace {

constexpr TdxThemedObjectTypes kStatusTheme = ThemedTypes({totStatus});

TcxRegisteredClasses* registry = nullptr;
int32_t unitUsers = 0;

// Runs f between BeginUpdate and EndUpdate of panels (when there is one);
// EndUpdate also when an exception passes.
template <class F>
void WithinUpdate(TCollection* panels, F f) {
  if (panels) panels->BeginUpdate();
  try {
    f();
  } catch (...) {
    if (panels) panels->EndUpdate();
    throw;
  }
  if (panels) panels->EndUpdate();
}

}  // namespace

TcxRegisteredClasses& StatusBarPanelStyleRegistry() {
  if (!registry) registry = new TcxRegisteredClasses();
  return *registry;
}

// ---- panel styles

TdxStatusBarPanelStyle::TdxStatusBarPanelStyle(TdxStatusBarPanel* AOwner) : owner_(AOwner) {
  font_ = std::make_unique<TFont>();
  font_->OnChange = [this](TObject* sender) { FontChanged(sender); };
  SetParentFont(true);
}

TdxStatusBarPanelStyle::~TdxStatusBarPanelStyle() { owner_ = nullptr; }

TdxCustomStatusBar* TdxStatusBarPanelStyle::GetStatusBar() const { return owner_ ? owner_->StatusBar() : nullptr; }

void TdxStatusBarPanelStyle::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxStatusBarPanelStyle*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  WithinUpdate(owner_ ? owner_->Collection() : nullptr, [&] { DoAssign(source); });
}

void TdxStatusBarPanelStyle::DoAssign(TdxStatusBarPanelStyle* Source) {
  RestoreDefaults();
  SetAlignment(Source->Alignment());
  if (Source->ColorAssigned()) SetColor(Source->Color());
  if (!Source->ParentFont())
    font_->Assign(Source->Font());
  else
    SyncParentFont();
}

void TdxStatusBarPanelStyle::SetAlignment(TAlignment V) {
  if (alignment_ == V) return;
  alignment_ = V;
  Changed();
}

TColor TdxStatusBarPanelStyle::Color() const { return colorAssigned_ ? color_ : GetDefaultColor(); }

// Compared with the effective colour, not the stored one: the stored value
// starts at clBlack, so assigning clBlack to a never-set colour must count.
void TdxStatusBarPanelStyle::SetColor(TColor V) {
  if (V == Color()) return;
  color_ = V;
  colorAssigned_ = true;
  Changed();
}

void TdxStatusBarPanelStyle::SetFont(TFont* V) { font_->Assign(V); }

void TdxStatusBarPanelStyle::SetParentFont(bool V) {
  if (parentFont_ == V) return;
  parentFont_ = V;
  SyncParentFont();
}

void TdxStatusBarPanelStyle::SyncParentFont() {
  if (!parentFont_) return;
  if (TdxCustomStatusBar* bar = GetStatusBar()) {
    font_->Assign(bar->Font());
    parentFont_ = true;
  }
}

void TdxStatusBarPanelStyle::FontChanged(TObject*) {
  parentFont_ = false;
  if (owner_) owner_->PanelChanged(false);
}

void TdxStatusBarPanelStyle::CorrectTextColor(TColor& AColor, bool AActive) const {
  if (AColor != clDefault) return;
  if (TdxCustomStatusBar* bar = GetStatusBar()) bar->CorrectTextColor(AColor, AActive);
}

void TdxStatusBarPanelStyle::Changed() {
  if (owner_) owner_->StyleChanged();
}

void TdxStatusBarPanelStyle::TrimForSizeGrip(TRect& R) const {
  if (owner_ && owner_->HoldsSizeGrip()) R.Right -= GetStatusBar()->Painter()->GetGripSize().cx;
}

TColor TdxStatusBarPanelStyle::GetDefaultColor() const {
  TdxCustomStatusBar* bar = GetStatusBar();
  return bar ? bar->Color() : clBtnFace;
}

void TdxStatusBarPanelStyle::PaintContent(TcxCanvas* ACanvas, const TRect& R, TdxStatusBarPainterClass APainter) {
  APainter->PaintPanelBackground(GetStatusBar(), owner_, R, ACanvas);
}

void TdxStatusBarPanelStyle::RestoreDefaults() {
  alignment_ = taLeftJustify;
  colorAssigned_ = false;
  SetParentFont(true);
  if (owner_) owner_->PanelChanged(false);
}

TObject* TdxStatusBarTextPanelStyle::Make(TObject* owner) {
  return new TdxStatusBarTextPanelStyle(dynamic_cast<TdxStatusBarPanel*>(owner));
}

void TdxStatusBarTextPanelStyle::SetAutoHint(bool V) {
  if (autoHint_ == V) return;
  if (Owner() && Owner()->Collection()) {
    TCollection* panels = Owner()->Collection();
    for (int32_t i = 0; i < panels->Count(); ++i)
      if (auto* text = dynamic_cast<TdxStatusBarTextPanelStyle*>(
              static_cast<TdxStatusBarPanel*>(panels->Items(i))->PanelStyle()))
        text->autoHint_ = false;
  }
  autoHint_ = V;
}

void TdxStatusBarTextPanelStyle::SetEllipsisType(TdxStatusBarEllipsisType V) {
  if (ellipsisType_ == V) return;
  ellipsisType_ = V;
  Changed();
}

void TdxStatusBarTextPanelStyle::SetImageIndex(int32_t V) {
  if (imageIndex_ == V) return;
  imageIndex_ = V;
  Changed();
}

void TdxStatusBarTextPanelStyle::RestoreDefaults() {
  autoHint_ = false;
  imageIndex_ = -1;
  ellipsisType_ = dxetNone;
  TdxStatusBarPanelStyle::RestoreDefaults();
}

void TdxStatusBarTextPanelStyle::DoAssign(TdxStatusBarPanelStyle* Source) {
  TdxStatusBarPanelStyle::DoAssign(Source);
  if (auto* text = dynamic_cast<TdxStatusBarTextPanelStyle*>(Source)) {
    SetAutoHint(text->AutoHint());
    SetImageIndex(text->ImageIndex());
    SetEllipsisType(text->EllipsisType());
  }
}

void TdxStatusBarTextPanelStyle::PaintContent(TcxCanvas* ACanvas, const TRect& ARect,
                                              TdxStatusBarPainterClass APainter) {
  TRect R = ARect;
  TdxStatusBarPanelStyle::PaintContent(ACanvas, R, APainter);
  TdxCustomStatusBar* bar = GetStatusBar();
  if (!bar) return;
  TCustomImageList* images = bar->Images();
  if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
    images->Draw(ACanvas->Canvas(), R.Left + 1, (R.Top + R.Bottom) / 2 - images->Height() / 2, imageIndex_,
                 bar->Enabled());
    R.Left += images->Width() + 2;
  }
  ACanvas->Brush()->SetStyle(bsClear);
  TColor color = Font()->Color();
  APainter->CorrectTextColor(bar, color, true);
  CorrectTextColor(color, true);
  ACanvas->Font()->Assign(Font());
  ACanvas->Font()->SetColor(color);
  R.Left += 2;
  R.Right -= 2;
  std::string text = Owner()->Text();
  R = APainter->GetTextRect(bar, Owner(), R);
  if (OnGetText) OnGetText(this, R, text);
  static constexpr uint16_t kAlign[] = {cxAlignLeft, cxAlignRight, cxAlignHCenter};
  static constexpr uint16_t kEllipsis[] = {0, cxShowEndEllipsis, cxShowPathEllipsis};
  ACanvas->DrawText(text, R, kAlign[Alignment()] | cxAlignVCenter | cxSingleLine | kEllipsis[ellipsisType_],
                    bar->Enabled());
  ACanvas->Brush()->SetStyle(bsSolid);
}

// ---- panels

TdxStatusBarPanel::TdxStatusBarPanel(TCollection* Collection) : TCollectionItem(Collection) {
  SetDefaults();
  ParentBiDiModeChanged();
  TdxCustomStatusBar* bar = StatusBar();
  if (bar && !bar->ComponentState().Contains(csLoading) && !bar->ComponentState().Contains(csReading))
    SetPanelStyleClass(TdxCustomStatusBar::DefaultPanelStyleClass());
}

TdxStatusBarPanel::~TdxStatusBarPanel() {
  // The style is freed without the refusal check: a destructor must not throw.
  panelStyle_.reset();
}

TdxCustomStatusBar* TdxStatusBarPanel::StatusBar() const {
  auto* panels = dynamic_cast<TdxStatusBarPanels*>(Collection());
  return panels ? panels->StatusBar() : nullptr;
}

void TdxStatusBarPanel::SetDefaults() {
  visible_ = true;
  minWidth_ = 20;
  width_ = 50;
  fixed_ = true;
  parentBiDiMode_ = true;
  bevel_ = dxpbLowered;
  minWidthAssigned_ = widthAssigned_ = false;
}

void TdxStatusBarPanel::RestoreDefaults() {
  SetDefaults();
  Changed(true);
}

void TdxStatusBarPanel::Click() {
  if (OnClick) OnClick(this);
}

void TdxStatusBarPanel::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

int32_t TdxStatusBarPanel::GetDefaultMinWidth() const { return panelStyle_ ? panelStyle_->ContentWidth() : 20; }

int32_t TdxStatusBarPanel::GetDefaultWidth() const { return StyleAllowsSizing() ? 50 : GetDefaultMinWidth(); }

bool TdxStatusBarPanel::Fixed() const { return StyleAllowsSizing() ? fixed_ : true; }

int32_t TdxStatusBarPanel::MinWidth() const {
  return minWidthAssigned_ && StyleAllowsSizing() ? minWidth_ : GetDefaultMinWidth();
}

int32_t TdxStatusBarPanel::Width() const { return widthAssigned_ && StyleAllowsSizing() ? width_ : GetDefaultWidth(); }

int32_t TdxStatusBarPanel::ViewMinWidth() const {
  int32_t w = MinWidth();
  AdjustViewWidth(w);
  return w;
}

int32_t TdxStatusBarPanel::ViewWidth() const {
  int32_t w = Width();
  AdjustViewWidth(w);
  return w;
}

bool TdxStatusBarPanel::HoldsSizeGrip() const {
  TdxCustomStatusBar* bar = StatusBar();
  return bar && Index() == Collection()->Count() - 1 && bar->SizeGripShown();
}

void TdxStatusBarPanel::AdjustViewWidth(int32_t& AWidth) const {
  if (!panelStyle_) return;
  if (!panelStyle_->HasOwnBevels()) AWidth += 2;
  if (HoldsSizeGrip()) AWidth += StatusBar()->Painter()->GetGripSize().cx;
}

void TdxStatusBarPanel::SetMinWidth(int32_t V) {
  minWidth_ = std::max(V, 0);
  minWidthAssigned_ = true;
  if (Width() < minWidth_) SetWidth(minWidth_);
  Changed(false);
}

void TdxStatusBarPanel::SetWidth(int32_t V) {
  width_ = std::max(V, minWidth_);
  widthAssigned_ = true;
  Changed(false);
}

void TdxStatusBarPanel::SetText(const std::string& V) {
  if (text_ == V) return;
  text_ = V;
  Changed(false);
}

void TdxStatusBarPanel::SetVisible(bool V) {
  if (visible_ == V) return;
  visible_ = V;
  if (panelStyle_) panelStyle_->PanelVisibleChanged();
  Changed(false);
}

void TdxStatusBarPanel::SetBevel(TdxStatusBarPanelBevel V) {
  if (bevel_ == V) return;
  bevel_ = V;
  Changed(false);
}

void TdxStatusBarPanel::SetBiDiMode(TBiDiMode V) {
  if (biDiMode_ == V) return;
  biDiMode_ = V;
  parentBiDiMode_ = false;
  Changed(false);
}

void TdxStatusBarPanel::SetParentBiDiMode(bool V) {
  if (parentBiDiMode_ == V) return;
  parentBiDiMode_ = V;
  ParentBiDiModeChanged();
}

void TdxStatusBarPanel::ParentBiDiModeChanged() {
  TdxCustomStatusBar* bar = StatusBar();
  if (!parentBiDiMode_ || !bar) return;
  SetBiDiMode(bar->BiDiMode());
  parentBiDiMode_ = true;
}

void TdxStatusBarPanel::SetFixed(bool V) {
  if (fixed_ == V) return;
  fixed_ = V;
  Changed(false);
}

void TdxStatusBarPanel::SetPanelStyle(TdxStatusBarPanelStyle* V) {
  if (panelStyle_ && V) panelStyle_->Assign(V);
}

std::string TdxStatusBarPanel::PanelStyleClassName() const {
  return panelStyle_ ? panelStyle_->ClassName() : std::string();
}

void TdxStatusBarPanel::SetPanelStyleClassName(const std::string& Name) {
  SetPanelStyleClass(StatusBarPanelStyleRegistry().FindClassByName(Name));
}

void TdxStatusBarPanel::SetPanelStyleClass(TClass AClass) {
  if (AClass == panelStyleClass_) return;
  TdxCustomStatusBar* bar = StatusBar();
  if (bar && !bar->AcceptsPanelStyleClass(AClass)) return;
  FreePanelStyle();
  panelStyleClass_ = AClass;
  BuildPanelStyle();
}

void TdxStatusBarPanel::BuildPanelStyle() {
  if (panelStyleClass_ && panelStyleClass_->Create) {
    TObject* made = panelStyleClass_->Create(this);
    auto* style = dynamic_cast<TdxStatusBarPanelStyle*>(made);
    if (!style) {
      delete made;
    } else {
      panelStyle_.reset(style);
    }
  }
  if (TdxCustomStatusBar* bar = StatusBar()) bar->Invalidate();
}

// A style that refuses deletion is refused before anything changes (the class
// change or the collection's Delete asks first), so the panel keeps its style;
// the destructor never comes this way.
void TdxStatusBarPanel::CheckPanelStyleDeletable() const {
  TdxCustomStatusBar* bar = StatusBar();
  if (!panelStyle_ || !bar || panelStyle_->MayBeDeleted()) return;
  if (!bar->IsLoadingOrUpdating(true)) throw EdxException(LoadResString(cxSStatusBarCantDeleteAncestor));
}

void TdxStatusBarPanel::FreePanelStyle() {
  CheckPanelStyleDeletable();
  panelStyle_.reset();
}

std::string TdxStatusBarPanel::GetDisplayName() {
  return text_.empty() ? TCollectionItem::GetDisplayName() : text_;
}

void TdxStatusBarPanel::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxStatusBarPanel*>(Source);
  if (!source) {
    TCollectionItem::Assign(Source);
    return;
  }
  WithinUpdate(Collection(), [&] {
    RestoreDefaults();
    SetPanelStyleClassName(source->PanelStyleClassName());
    SetPanelStyle(source->PanelStyle());
    SetVisible(source->Visible());
    SetBevel(source->Bevel());
    SetBiDiMode(source->BiDiMode());
    SetFixed(source->Fixed());
    if (source->MinWidthAssigned()) SetMinWidth(source->MinWidth());
    SetParentBiDiMode(source->ParentBiDiMode());
    SetText(source->Text());
    if (source->WidthAssigned()) SetWidth(source->Width());
    OnClick = source->OnClick;
    OnDblClick = source->OnDblClick;
    OnDrawPanel = source->OnDrawPanel;
  });
}

TdxStatusBarPanels::TdxStatusBarPanels(TdxCustomStatusBar* AOwner)
    : TCollection(CollectionItemClassOf<TdxStatusBarPanel>()), statusBar_(AOwner) {
  SetPropName("Panels");
}

TPersistent* TdxStatusBarPanels::GetOwner() { return statusBar_; }

void TdxStatusBarPanels::NotifyStylesLoaded() {
  for (int32_t i = 0; i < Count(); ++i)
    if (TdxStatusBarPanelStyle* style = GetItem(i)->PanelStyle()) style->Loaded();
}

void TdxStatusBarPanels::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  // The style goes while the panel is still in the collection, so it can
  // still reach the status bar (a container style frees its control).
  if (Action == cnDeleting) static_cast<TdxStatusBarPanel*>(Item)->FreePanelStyle();
  TCollection::Notify(Item, Action);
}

void TdxStatusBarPanels::Update(TCollectionItem*) {
  if (statusBar_) statusBar_->RefreshPanels();
}

// ---- view info

void TdxStatusBarViewInfo::Calculate(const TRect& Bounds) {
  visiblePanels_.clear();
  widths_.clear();
  gripOverlapped_ = false;
  TdxStatusBarPanels* panels = statusBar_->Panels();
  for (int32_t i = 0; i < panels->Count(); ++i)
    if (panels->GetItem(i)->Visible()) visiblePanels_.push_back(panels->GetItem(i));
  const int32_t n = int32_t(visiblePanels_.size());
  if (n == 0) return;
  TcxAutoWidthObject auto_(2 * n - 1);
  const int32_t separator = statusBar_->Painter()->GetSeparatorWidth(statusBar_);
  bool stretching = false;
  for (int32_t i = 0; i < n; ++i) {
    TdxStatusBarPanel* panel = visiblePanels_[size_t(i)];
    TcxAutoWidthItem* item = auto_.NewItem();
    item->MinimumWidth = panel->ViewMinWidth();
    item->PreferredWidth = panel->ViewWidth();
    if (!panel->Fixed()) {
      item->IsFixed = false;
      stretching = true;
    } else {
      // With every panel fixed, the last one absorbs what is left.
      item->IsFixed = stretching || i != n - 1;
    }
    if (i != n - 1) {
      TcxAutoWidthItem* sep = auto_.NewItem();
      sep->MinimumWidth = sep->PreferredWidth = separator;
      sep->IsFixed = true;
    }
  }
  auto_.WidthToFill = Bounds.Right - Bounds.Left;
  auto_.DistributeWidth();
  gripOverlapped_ = auto_.TotalPreferredWidth() >= auto_.WidthToFill;
  for (int32_t i = 0; i < auto_.Count(); ++i) widths_.push_back(auto_.Items(i)->CalculatedWidth);
}

int32_t TdxStatusBarViewInfo::Width(int32_t Index) const {
  return Index >= 0 && Index < int32_t(widths_.size()) ? widths_[size_t(Index)] : 0;
}

TdxStatusBarPanel* TdxStatusBarViewInfo::PanelAtPoint(const TRect& Bounds, int32_t X, int32_t Y) const {
  int32_t x = Bounds.Left;
  for (int32_t j = 0; j < VisiblePanelCount(); ++j) {
    const TRect r{x, Bounds.Top, x + Width(2 * j), Bounds.Bottom};
    if (r.Contains({X, Y})) return VisiblePanel(j);
    x = r.Right + Width(2 * j + 1);
  }
  return nullptr;
}

// ---- the control

TdxCustomStatusBar::TdxCustomStatusBar(TComponent* AOwner) : TcxControl(AOwner) {
  viewInfo_ = std::make_unique<TdxStatusBarViewInfo>(this);
  TControlStyle style = ControlStyle();
  style.Exclude(csSetCaption);
  style.Include(csCaptureMouse);
  style.Include(csClickEvents);
  style.Include(csOpaque);
  style.Include(csDoubleClicks);
  SetControlStyle(style);
  SetDoubleBuffered(true);
  SetColor(clBtnFace);
  SetHeight(20);
  SetAlign(alBottom);
  SetParentFont(false);
  sizeGrip_ = true;
  panels_ = std::make_unique<TdxStatusBarPanels>(this);
  imageChangeLink_ = std::make_unique<TChangeLink>();
  imageChangeLink_->OnChange = [this](TObject*) { RefreshPanels(); };
  themeNotificator_ = std::make_unique<TdxThemeChangedNotificator>();
  themeNotificator_->OnThemeChanged = [this] { ApplyPaintStyle(); };
  ApplyPaintStyle();
  AcquireOffice11Colors();
}

TdxCustomStatusBar::~TdxCustomStatusBar() {
  Destroying();  // styles must not free their containers from here on
  FreeOffice11Colors();
  if (images_) images_->UnRegisterChanges(imageChangeLink_.get());
  themeNotificator_.reset();
  imageChangeLink_.reset();
  panels_.reset();
  viewInfo_.reset();
}

TClass TdxCustomStatusBar::DefaultPanelStyleClass() { return TdxStatusBarTextPanelStyle::StaticClass(); }

void TdxCustomStatusBar::SetBorderWidth(int32_t V) {
  if (V == borderWidth_) return;
  borderWidth_ = std::max(V, 0);
  RefreshPanels();
}

void TdxCustomStatusBar::SetImages(TCustomImageList* V) {
  if (images_) images_->UnRegisterChanges(imageChangeLink_.get());
  images_ = V;
  if (images_) {
    images_->RegisterChanges(imageChangeLink_.get());
    images_->FreeNotification(this);
  }
  RefreshPanels();
}

void TdxCustomStatusBar::SetPaintStyle(TdxStatusBarPaintStyle V) {
  if (paintStyle_ == V) return;
  paintStyle_ = V;
  ApplyPaintStyle();
}

void TdxCustomStatusBar::SetPanels(TdxStatusBarPanels* V) { panels_->Assign(V); }

void TdxCustomStatusBar::SetSizeGrip(bool V) {
  if (sizeGrip_ == V) return;
  sizeGrip_ = V;
  RefreshPanels();
}

bool TdxCustomStatusBar::FireOnHint() {
  if (!OnHint) return false;
  OnHint(this);
  return true;
}

TdxStatusBarPaintStyle TdxCustomStatusBar::ResolvePaintStyle() {
  if (paintStyle_ != stpsUseLookAndFeel) return paintStyle_;
  TcxLookAndFeel* lf = LookAndFeel();
  if (lf->NativeStyle() && statusThemeAvailable_) return stpsXP;
  switch (lf->Kind()) {
    case lfUltraFlat: return stpsFlat;
    case lfOffice11: return stpsOffice11;
    default: return stpsStandard;
  }
}

TdxStatusBarPainterClass TdxCustomStatusBar::GetPainterClass() {
  switch (ResolvePaintStyle()) {
    case stpsFlat: return dxStatusBarFlatPainter();
    case stpsOffice11: return dxStatusBarOffice11Painter();
    // Without the "Status" visual style (always so on this platform) stpsXP
    // draws as the standard painter.
    case stpsXP: return statusThemeAvailable_ ? dxStatusBarXPPainter() : dxStatusBarStandardPainter();
    default: return dxStatusBarStandardPainter();
  }
}

void TdxCustomStatusBar::UpdatePainter() {
  statusThemeAvailable_ = AreVisualStylesAvailable(kStatusTheme);
  painter_ = GetPainterClass();
}

void TdxCustomStatusBar::ApplyPaintStyle() {
  UpdatePainter();
  RefreshPanels();
}

void TdxCustomStatusBar::LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) {
  TcxControl::LookAndFeelChanged(Sender, ChangedValues);
  ApplyPaintStyle();
}

void TdxCustomStatusBar::RefreshPanels() {
  Recalculate();
  Invalidate();
}

bool TdxCustomStatusBar::AcceptsPanelStyleClass(TClass AClass) {
  // No registered style class is restricted (IsRestricted answers False for all).
  (void)AClass;
  return true;
}

void TdxCustomStatusBar::Recalculate() {
  if (ComponentState().Contains(csDestroying) || !panels_ || !viewInfo_) return;
  CalculateLayout();
}

bool TdxCustomStatusBar::IsLoadingOrUpdating(bool ADestroyingCounts) const {
  const TComponentState state = ComponentState();
  return state.Contains(csLoading) || state.Contains(csReading) || state.Contains(csUpdating) ||
         (ADestroyingCounts && state.Contains(csDestroying));
}

TRect TdxCustomStatusBar::ClientBounds() {
  TRect r;
  GetClientBounds(r);
  return r;
}

void TdxCustomStatusBar::CalculateLayout() { viewInfo_->Calculate(ClientBounds()); }

TRect TdxCustomStatusBar::GetContentBounds() {
  return RectContent(ClientBounds(), painter_->GetFrameWidths(this));
}

TdxStatusBarPanel* TdxCustomStatusBar::PanelAtPoint(int32_t X, int32_t Y) {
  return viewInfo_->PanelAtPoint(GetContentBounds(), X, Y);
}

bool TdxCustomStatusBar::ExecuteAction(TBasicAction* Action) {
  TdxStatusBarPanel* hintPanel = nullptr;
  for (int32_t i = 0; i < panels_->Count(); ++i)
    if (auto* text = dynamic_cast<TdxStatusBarTextPanelStyle*>(panels_->GetItem(i)->PanelStyle());
        text && text->AutoHint())
      hintPanel = panels_->GetItem(i);
  auto* hint = dynamic_cast<THintAction*>(Action);
  if (!IsDesigning() && hintPanel && hint && !FireOnHint()) {
    hintPanel->SetText(hint->Hint());
    return true;
  }
  return TcxControl::ExecuteAction(Action);
}

bool TdxCustomStatusBar::SizeGripShown() {
  if (!sizeGrip_) return false;
  TCustomForm* form = GetParentForm();
  if (!form) return false;
  if (form->BorderStyle() != bsSizeable && form->BorderStyle() != bsSizeToolWin) return false;
  if (form->WindowState() != wsNormal) return false;
  const TPoint corner = form->ScreenToClient(ClientToScreen({Width(), Height()}));
  return corner.X == form->ClientWidth() && corner.Y >= form->ClientHeight();
}

void TdxCustomStatusBar::Paint() {
  TcxControl::Paint();
  TcxCanvas* canvas = cxCanvas();
  TRect R = ClientBounds();
  painter_->PaintFrame(this, canvas, R);
  canvas->IntersectClipRect(R);
  const bool overlapped = viewInfo_->VisiblePanelCount() > 0 && viewInfo_->GripOverlapped();
  auto paintGrip = [&] {
    if (SizeGripShown()) painter_->PaintSizeGrip(this, canvas, overlapped, R);
  };
  if (painter_->PaintsGripBeforePanels()) paintGrip();
  const int32_t n = viewInfo_->VisiblePanelCount();
  if (n == 0) {
    painter_->PaintNoPanels(this, canvas, R);
  } else {
    int32_t x = R.Left;
    for (int32_t j = 0; j < n; ++j) {
      const int32_t w = viewInfo_->Width(2 * j);
      painter_->PaintPanel(this, viewInfo_->VisiblePanel(j), {x, R.Top, x + w, R.Bottom}, canvas);
      x += w;
      if (j != n - 1) {
        const int32_t s = viewInfo_->Width(2 * j + 1);
        painter_->PaintSeparator(this, canvas, {x, R.Top, x + s, R.Bottom});
        x += s;
      }
    }
  }
  if (!painter_->PaintsGripBeforePanels()) paintGrip();
}

void TdxCustomStatusBar::Loaded() {
  TcxControl::Loaded();
  panels_->NotifyStylesLoaded();
  Recalculate();
}

void TdxCustomStatusBar::Notification(TComponent* AComponent, TOperation Operation) {
  TcxControl::Notification(AComponent, Operation);
  if (Operation == opRemove && images_ && AComponent == images_) SetImages(nullptr);
}

void TdxCustomStatusBar::Resize() {
  TcxControl::Resize();
  Recalculate();
  Invalidate();
}

void TdxCustomStatusBar::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  TcxControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && Shift.Contains(ssDouble))
    if (TdxStatusBarPanel* panel = PanelAtPoint(X, Y)) panel->DblClick();
}

void TdxCustomStatusBar::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  TcxControl::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft)
    if (TdxStatusBarPanel* panel = PanelAtPoint(X, Y)) panel->Click();
}

void TdxCustomStatusBar::FontChanged() {
  TcxControl::FontChanged();
  for (int32_t i = 0; i < panels_->Count(); ++i)
    if (TdxStatusBarPanelStyle* style = panels_->GetItem(i)->PanelStyle()) style->SyncParentFont();
}

void TdxCustomStatusBar::Dispatch(TMessage& Message) {
  TcxControl::Dispatch(Message);
  switch (Message.Msg) {
    case CM_BIDIMODECHANGED:
      if (HandleAllocated())
        for (int32_t i = 0; i < panels_->Count(); ++i) panels_->GetItem(i)->ParentBiDiModeChanged();
      RefreshPanels();
      break;
    case CM_COLORCHANGED:
    case CM_PARENTFONTCHANGED:
    case CM_WININICHANGE:
      RefreshPanels();
      break;
    case CM_ENABLEDCHANGED:
      Invalidate();
      break;
    case CM_SYSCOLORCHANGE:
      RefreshOffice11Colors();
      RefreshPanels();
      break;
    case win::WM_NCHITTEST: {
      if (IsDesigning() || !SizeGripShown()) break;
      const TPoint p = ScreenToClient({int16_t(Message.LParamLo()), int16_t(Message.LParamHi())});
      const TRect R = ClientBounds();
      const TSize grip = painter_->GetGripSize();
      if (TRect{R.Right - grip.cx - 2, R.Bottom - grip.cy - 2, R.Right, R.Bottom}.Contains(p))
        Message.Result = win::HTBOTTOMRIGHT;
      break;
    }
    default:
      break;
  }
}

// ---- unit start-up

void dxStatusBarUnitStart() {
  if (unitUsers++ > 0) return;
  dxStatusBarRegisterProperties();
  RegisterClass(TdxStatusBarContainerControl::StaticClass());
  RegisterResourceStrings({&cxSStatusBarTextPanelStyle, &cxSStatusBarContainerPanelStyle,
                           &cxSStatusBarKeyboardStatePanelStyle, &cxSStatusBarStateIndicatorPanelStyle,
                           &cxSStatusBarCantDeleteAncestor});
  TcxRegisteredClasses& reg = StatusBarPanelStyleRegistry();
  reg.AddClass(TdxStatusBarTextPanelStyle::StaticClass(), LoadResString(cxSStatusBarTextPanelStyle));
  reg.AddClass(TdxStatusBarContainerPanelStyle::StaticClass(), LoadResString(cxSStatusBarContainerPanelStyle));
  reg.AddClass(TdxStatusBarKeyboardStatePanelStyle::StaticClass(), LoadResString(cxSStatusBarKeyboardStatePanelStyle));
  reg.AddClass(TdxStatusBarStateIndicatorPanelStyle::StaticClass(),
               LoadResString(cxSStatusBarStateIndicatorPanelStyle));
}

void dxStatusBarUnitStop() {
  if (unitUsers == 0 || --unitUsers > 0) return;
  UnRegisterClass(TdxStatusBarContainerControl::StaticClass());
  delete registry;
  registry = nullptr;
}
