// The status bar: a strip of panels along the bottom of a form. Each panel
// hands its content to a panel style (text, ...); a painter chosen by the paint
// style draws the frame, the bevels, the separators and the size grip.
//
// Vocabulary: the client bounds are the whole control; the content bounds are
// the client bounds inside the painter's frame. Panel widths are laid out over
// the client width, separators between visible panels:
//
//   |frame| panel 0 |sep| panel 1 |sep| ... | last panel   [grip]|frame|
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/collection.h"
#include "platform/classes/resstrings.h"
#include "platform/vcl/stdctrls.h"
#include "platform/vcl/timers.h"
#include "ui/lookandfeel/cxControls.h"

class TcxRegisteredClasses;
class TdxThemeChangedNotificator;
class TCustomImageList;

DX_RESOURCESTRING(cxSStatusBarTextPanelStyle, 65076, "Text Panel");
DX_RESOURCESTRING(cxSStatusBarContainerPanelStyle, 65077, "Container Panel");
DX_RESOURCESTRING(cxSStatusBarKeyboardStatePanelStyle, 65078, "Keyboard State Panel");
DX_RESOURCESTRING(cxSStatusBarStateIndicatorPanelStyle, 65079, "State Indicator Panel");
DX_RESOURCESTRING(cxSStatusBarCantDeleteAncestor, 65080,
                  "Selection contains a component introduced in an ancestor form which cannot be deleted");

enum TdxStatusBarPaintStyle : uint8_t { stpsStandard, stpsFlat, stpsXP, stpsOffice11, stpsUseLookAndFeel };
enum TdxStatusBarPanelBevel : uint8_t { dxpbNone, dxpbLowered, dxpbRaised };
enum TdxStatusBarEllipsisType : uint8_t { dxetNone, dxetTruncate, dxetSmartPath };

class TdxCustomStatusBar;
class TdxStatusBarPanel;
class TdxStatusBarPanelStyle;
class TdxStatusBarPainter;

// Painters hold no data: one shared instance per class stands for the class.
using TdxStatusBarPainterClass = const TdxStatusBarPainter*;

using TdxStatusBarDrawPanelEvent =
    std::function<void(TdxStatusBarPanel* Sender, TcxCanvas* ACanvas, const TRect& ARect, bool& ADone)>;
using TdxStatusBarTextEvent = std::function<void(TObject* Sender, const TRect& R, std::string& AText)>;

// ---- panel styles

class TdxStatusBarPanelStyle : public TPersistent {
  DX_CLASS(TdxStatusBarPanelStyle, TPersistent)
public:
  explicit TdxStatusBarPanelStyle(TdxStatusBarPanel* AOwner);
  ~TdxStatusBarPanelStyle() override;

  void Assign(TPersistent* Source) override;

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment V);
  TColor Color() const;
  void SetColor(TColor V);
  bool ColorAssigned() const { return colorAssigned_; }
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* V);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool V);
  TdxStatusBarPanel* Owner() const { return owner_; }
  TdxCustomStatusBar* GetStatusBar() const;

  virtual void CorrectTextColor(TColor& AColor, bool AActive) const;
  virtual bool MayBeDeleted() const { return true; }
  virtual bool AllowsSizing() const { return true; }
  virtual void Changed();
  virtual void TrimForSizeGrip(TRect& R) const;
  virtual TColor GetDefaultColor() const;
  virtual void PaintContent(TcxCanvas* ACanvas, const TRect& R, TdxStatusBarPainterClass APainter);
  virtual int32_t ContentWidth() { return 20; }
  virtual bool HasOwnBevels() const { return false; }
  virtual void Loaded() {}
  virtual void PanelVisibleChanged() {}
  virtual void SyncParentFont();
  virtual void RestoreDefaults();
  // Whether the status bar refuses the style class; no built-in class does.
  static bool IsRestricted() { return false; }

protected:
  virtual void DoAssign(TdxStatusBarPanelStyle* Source);

private:
  void FontChanged(TObject* Sender);

  TAlignment alignment_ = taLeftJustify;
  TColor color_ = 0;
  std::unique_ptr<TFont> font_;
  bool colorAssigned_ = false;
  TdxStatusBarPanel* owner_;
  bool parentFont_ = false;
};

class TdxStatusBarTextPanelStyle : public TdxStatusBarPanelStyle {
  DX_CLASS_WITH_FACTORY(TdxStatusBarTextPanelStyle, TdxStatusBarPanelStyle, &Make)
public:
  explicit TdxStatusBarTextPanelStyle(TdxStatusBarPanel* AOwner) : TdxStatusBarPanelStyle(AOwner) {}

  bool AutoHint() const { return autoHint_; }
  // At most one text panel of a status bar takes hints: setting it clears it elsewhere.
  void SetAutoHint(bool V);
  TdxStatusBarEllipsisType EllipsisType() const { return ellipsisType_; }
  void SetEllipsisType(TdxStatusBarEllipsisType V);
  int32_t ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int32_t V);
  TdxStatusBarTextEvent OnGetText;

  void PaintContent(TcxCanvas* ACanvas, const TRect& R, TdxStatusBarPainterClass APainter) override;
  void RestoreDefaults() override;

protected:
  void DoAssign(TdxStatusBarPanelStyle* Source) override;

private:
  static TObject* Make(TObject* owner);

  bool autoHint_ = false;
  TdxStatusBarEllipsisType ellipsisType_ = dxetNone;
  int32_t imageIndex_ = -1;
};

enum TdxStatusBarStateIndicatorType : uint8_t { sitOff, sitYellow, sitBlue, sitGreen, sitRed, sitTeal, sitPurple };
enum TdxStatusBarKeyboardState : uint8_t { dxksCapsLock, dxksNumLock, dxksScrollLock, dxksInsert };
using TdxStatusBarKeyboardStates = TSmallSet<TdxStatusBarKeyboardState>;
inline constexpr TdxStatusBarKeyboardStates dxAllKeyboardStates{dxksCapsLock, dxksNumLock, dxksScrollLock,
                                                                dxksInsert};

class TdxStatusBarStateIndicatorItem : public TCollectionItem {
  DX_CLASS(TdxStatusBarStateIndicatorItem, TCollectionItem)
public:
  explicit TdxStatusBarStateIndicatorItem(TCollection* Collection);
  ~TdxStatusBarStateIndicatorItem() override;
  void Assign(TPersistent* Source) override;
  TdxStatusBarStateIndicatorType IndicatorType() const { return indicatorType_; }
  void SetIndicatorType(TdxStatusBarStateIndicatorType V);
  bool Visible() const { return visible_; }
  void SetVisible(bool V);
  // A 17 x 8 lamp in the type's colour.
  TBitmap* Lamp() const { return lamp_.get(); }

private:
  TdxStatusBarStateIndicatorType indicatorType_ = sitOff;
  bool visible_ = true;
  std::unique_ptr<TBitmap> lamp_;
};

class TdxStatusBarStateIndicators : public TCollection {
  DX_CLASS(TdxStatusBarStateIndicators, TCollection)
public:
  TdxStatusBarStateIndicators() : TCollection(CollectionItemClassOf<TdxStatusBarStateIndicatorItem>()) {}
  TdxStatusBarStateIndicatorItem* GetItem(int32_t Index) const {
    return static_cast<TdxStatusBarStateIndicatorItem*>(Items(Index));
  }
  TdxStatusBarStateIndicatorItem* AddItem() { return static_cast<TdxStatusBarStateIndicatorItem*>(Add()); }
  TNotifyEvent OnChange;

protected:
  void Update(TCollectionItem*) override {
    if (OnChange) OnChange(this);
  }
};

class TdxStatusBarStateIndicatorPanelStyle : public TdxStatusBarPanelStyle {
  DX_CLASS_WITH_FACTORY(TdxStatusBarStateIndicatorPanelStyle, TdxStatusBarPanelStyle, &Make)
public:
  explicit TdxStatusBarStateIndicatorPanelStyle(TdxStatusBarPanel* AOwner);
  TdxStatusBarStateIndicators* Indicators() const { return indicators_.get(); }
  void SetIndicators(TdxStatusBarStateIndicators* V) { indicators_->Assign(V); }
  int32_t Spacing() const { return spacing_; }
  void SetSpacing(int32_t V);

  bool AllowsSizing() const override { return false; }
  int32_t ContentWidth() override;
  void PaintContent(TcxCanvas* ACanvas, const TRect& R, TdxStatusBarPainterClass APainter) override;
  void RestoreDefaults() override;

protected:
  void DoAssign(TdxStatusBarPanelStyle* Source) override;

private:
  static TObject* Make(TObject* owner);
  std::unique_ptr<TdxStatusBarStateIndicators> indicators_;
  int32_t spacing_ = 4;
};

class TdxStatusBarKeyStateAppearance : public TPersistent {
  DX_CLASS(TdxStatusBarKeyStateAppearance, TPersistent)
public:
  TdxStatusBarKeyStateAppearance(TdxStatusBarKeyboardState AState, int32_t ACode, TColor AActiveFontColor,
                                 const std::string& AActiveCaption, const std::string& AInactiveCaption,
                                 TNotifyEvent AOnChange);
  void Assign(TPersistent* Source) override;
  TdxStatusBarKeyboardState KeyState() const { return keyState_; }
  int32_t KeyCode() const { return keyCode_; }
  TColor ActiveFontColor() const { return activeFontColor_; }
  void SetActiveFontColor(TColor V);
  TColor InactiveFontColor() const { return inactiveFontColor_; }
  void SetInactiveFontColor(TColor V);
  const std::string& ActiveCaption() const { return activeCaption_; }
  void SetActiveCaption(const std::string& V);
  const std::string& InactiveCaption() const { return inactiveCaption_; }
  void SetInactiveCaption(const std::string& V);
  // The wider caption in the canvas's current font, plus 4.
  int32_t MaxCaptionWidth(TcxCanvas* ACanvas) const;

private:
  void Changed() {
    if (onChange_) onChange_(this);
  }
  TdxStatusBarKeyboardState keyState_;
  int32_t keyCode_;
  TColor activeFontColor_;
  TColor inactiveFontColor_ = clBtnShadow;
  std::string activeCaption_;
  std::string inactiveCaption_;
  TNotifyEvent onChange_;
};

// Polls the toggle state of its keys every 100 ms and refreshes the status bar on a change.
class TdxStatusBarKeyboardStateNotifier : public TObject {
  DX_CLASS(TdxStatusBarKeyboardStateNotifier, TObject)
public:
  explicit TdxStatusBarKeyboardStateNotifier(TdxCustomStatusBar* AStatusBar);
  ~TdxStatusBarKeyboardStateNotifier() override;
  void AddKey(int32_t ACode);
  void RemoveKey(int32_t ACode);
  // One poll, as the timer runs it.
  void Poll();

private:
  struct TWatchedKey {
    int32_t Code;
    int32_t State;
  };
  std::vector<TWatchedKey> keys_;
  TdxCustomStatusBar* statusBar_;
  std::unique_ptr<TTimer> timer_;
};

class TdxStatusBarKeyboardStatePanelStyle : public TdxStatusBarPanelStyle {
  DX_CLASS_WITH_FACTORY(TdxStatusBarKeyboardStatePanelStyle, TdxStatusBarPanelStyle, &Make)
public:
  explicit TdxStatusBarKeyboardStatePanelStyle(TdxStatusBarPanel* AOwner);
  ~TdxStatusBarKeyboardStatePanelStyle() override;

  TdxStatusBarKeyStateAppearance* Appearance(TdxStatusBarKeyboardState AState) const {
    return appearances_[AState].get();
  }
  void SetAppearance(TdxStatusBarKeyboardState AState, TdxStatusBarKeyStateAppearance* V) {
    appearances_[AState]->Assign(V);
  }
  bool FullRect() const { return fullRect_; }
  void SetFullRect(bool V);
  TdxStatusBarKeyboardStates KeyboardStates() const { return keyboardStates_; }
  void SetKeyboardStates(TdxStatusBarKeyboardStates V);
  TdxStatusBarKeyboardStateNotifier* Notifier() const { return notifier_.get(); }

  bool AllowsSizing() const override { return false; }
  bool HasOwnBevels() const override { return !fullRect_; }
  int32_t ContentWidth() override;
  void PaintContent(TcxCanvas* ACanvas, const TRect& R, TdxStatusBarPainterClass APainter) override;
  void RestoreDefaults() override;
  // The caption each included state shows now, in drawing order.
  std::vector<std::string> Captions() const;

protected:
  void DoAssign(TdxStatusBarPanelStyle* Source) override;

private:
  static TObject* Make(TObject* owner);
  bool IsActive(TdxStatusBarKeyboardState AState) const;
  std::unique_ptr<TdxStatusBarKeyStateAppearance> appearances_[4];
  bool fullRect_ = false;
  TdxStatusBarKeyboardStates keyboardStates_ = dxAllKeyboardStates;
  std::unique_ptr<TdxStatusBarKeyboardStateNotifier> notifier_;
};

class TdxStatusBarContainerPanelStyle;

// A child window of the status bar that hosts other controls over a panel.
class TdxStatusBarContainerControl : public TcxControl {
  DX_COMPONENT_CLASS(TdxStatusBarContainerControl, TcxControl)
public:
  explicit TdxStatusBarContainerControl(TComponent* AOwner);
  // A linked style is told first and the panel loses its style.
  ~TdxStatusBarContainerControl() override;
  TdxStatusBarContainerPanelStyle* Style() const { return style_; }

protected:
  void Paint() override;
  bool MayFocus() override { return false; }
  bool HasScrollBars() override { return false; }

private:
  friend class TdxStatusBarContainerPanelStyle;
  TdxStatusBarContainerPanelStyle* style_ = nullptr;
};

class TdxStatusBarContainerPanelStyle : public TdxStatusBarPanelStyle {
  DX_CLASS_WITH_FACTORY(TdxStatusBarContainerPanelStyle, TdxStatusBarPanelStyle, &Make)
public:
  explicit TdxStatusBarContainerPanelStyle(TdxStatusBarPanel* AOwner);
  ~TdxStatusBarContainerPanelStyle() override;
  bool AlignControl() const { return alignControl_; }
  void SetAlignControl(bool V);
  TdxStatusBarContainerControl* Container() const { return container_; }
  void SetContainer(TdxStatusBarContainerControl* V);

  bool MayBeDeleted() const override;
  void PanelVisibleChanged() override;
  void PaintContent(TcxCanvas* ACanvas, const TRect& R, TdxStatusBarPainterClass APainter) override;
  void RestoreDefaults() override;

protected:
  void DoAssign(TdxStatusBarPanelStyle* Source) override;

private:
  friend class TdxStatusBarContainerControl;
  static TObject* Make(TObject* owner);
  bool alignControl_ = true;
  TdxStatusBarContainerControl* container_ = nullptr;
};

// The process-wide registry of panel style classes, made on first use.
TcxRegisteredClasses& StatusBarPanelStyleRegistry();

// ---- panels

class TdxStatusBarPanel : public TCollectionItem {
  DX_CLASS(TdxStatusBarPanel, TCollectionItem)
public:
  explicit TdxStatusBarPanel(TCollection* Collection);
  ~TdxStatusBarPanel() override;

  void Assign(TPersistent* Source) override;
  TdxCustomStatusBar* StatusBar() const;

  TdxStatusBarPanelBevel Bevel() const { return bevel_; }
  void SetBevel(TdxStatusBarPanelBevel V);
  TBiDiMode BiDiMode() const { return biDiMode_; }
  // Clears ParentBiDiMode.
  void SetBiDiMode(TBiDiMode V);
  bool ParentBiDiMode() const { return parentBiDiMode_; }
  void SetParentBiDiMode(bool V);
  // With ParentBiDiMode, takes the status bar's mode.
  void ParentBiDiModeChanged();
  bool Fixed() const;
  void SetFixed(bool V);
  int32_t MinWidth() const;
  void SetMinWidth(int32_t V);
  bool MinWidthAssigned() const { return minWidthAssigned_; }
  int32_t Width() const;
  void SetWidth(int32_t V);
  bool WidthAssigned() const { return widthAssigned_; }
  const std::string& Text() const { return text_; }
  void SetText(const std::string& V);
  bool Visible() const { return visible_; }
  void SetVisible(bool V);

  TdxStatusBarPanelStyle* PanelStyle() const { return panelStyle_.get(); }
  void SetPanelStyle(TdxStatusBarPanelStyle* V);
  TClass PanelStyleClass() const { return panelStyleClass_; }
  void SetPanelStyleClass(TClass AClass);
  std::string PanelStyleClassName() const;
  void SetPanelStyleClassName(const std::string& Name);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TdxStatusBarDrawPanelEvent OnDrawPanel;
  TNotifyEvent PanelStyleEvents;  // kept for the designer; never called

  virtual void Click();
  virtual void DblClick();
  virtual int32_t GetDefaultMinWidth() const;
  virtual int32_t GetDefaultWidth() const;
  virtual int32_t ViewMinWidth() const;
  virtual int32_t ViewWidth() const;
  virtual void AdjustViewWidth(int32_t& AWidth) const;
  virtual void StyleChanged() { Changed(false); }
  virtual void RestoreDefaults();
  // Raises EdxException when the style may not be deleted now.
  void CheckPanelStyleDeletable() const;
  // The last panel of a bar that shows its size grip: the grip takes room from it.
  bool HoldsSizeGrip() const;
  // Public so styles can report their changes; the collection repaints.
  void PanelChanged(bool AllItems) { Changed(AllItems); }

protected:
  std::string GetDisplayName() override;
  virtual void BuildPanelStyle();
  virtual void FreePanelStyle();

private:
  friend class TdxStatusBarPanels;
  void SetDefaults();
  bool StyleAllowsSizing() const { return !panelStyle_ || panelStyle_->AllowsSizing(); }

  TdxStatusBarPanelBevel bevel_ = dxpbLowered;
  TBiDiMode biDiMode_ = bdLeftToRight;
  bool fixed_ = true;
  bool minWidthAssigned_ = false;
  bool widthAssigned_ = false;
  int32_t minWidth_ = 20;
  std::unique_ptr<TdxStatusBarPanelStyle> panelStyle_;
  TClass panelStyleClass_ = nullptr;
  bool parentBiDiMode_ = true;
  std::string text_;
  bool visible_ = true;
  int32_t width_ = 50;
};

class TdxStatusBarPanels : public TCollection {
  DX_CLASS(TdxStatusBarPanels, TCollection)
public:
  explicit TdxStatusBarPanels(TdxCustomStatusBar* AOwner);
  TdxStatusBarPanel* GetItem(int32_t Index) const { return static_cast<TdxStatusBarPanel*>(Items(Index)); }
  TdxStatusBarPanel* AddPanel() { return static_cast<TdxStatusBarPanel*>(Add()); }
  TdxCustomStatusBar* StatusBar() const { return statusBar_; }
  TPersistent* GetOwner() override;
  void NotifyStylesLoaded();

protected:
  void Update(TCollectionItem* Item) override;
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
  TdxCustomStatusBar* statusBar_;
};

class TdxStatusBarViewInfo : public TObject {
  DX_CLASS(TdxStatusBarViewInfo, TObject)
public:
  explicit TdxStatusBarViewInfo(TdxCustomStatusBar* AOwner) : statusBar_(AOwner) {}
  void Calculate(const TRect& Bounds);
  TdxStatusBarPanel* PanelAtPoint(const TRect& Bounds, int32_t X, int32_t Y) const;
  // 0 for an index outside the list.
  int32_t Width(int32_t Index) const;
  int32_t WidthCount() const { return int32_t(widths_.size()); }
  TdxStatusBarPanel* VisiblePanel(int32_t Index) const { return visiblePanels_[size_t(Index)]; }
  int32_t VisiblePanelCount() const { return int32_t(visiblePanels_.size()); }
  bool GripOverlapped() const { return gripOverlapped_; }

private:
  TdxCustomStatusBar* statusBar_;
  std::vector<int32_t> widths_;
  bool gripOverlapped_ = false;
  std::vector<TdxStatusBarPanel*> visiblePanels_;
};

// ---- the control

class TdxCustomStatusBar : public TcxControl {
  DX_COMPONENT_CLASS(TdxCustomStatusBar, TcxControl)
public:
  explicit TdxCustomStatusBar(TComponent* AOwner);
  ~TdxCustomStatusBar() override;

  int32_t BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int32_t V);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* V);
  TdxStatusBarPaintStyle PaintStyle() const { return paintStyle_; }
  void SetPaintStyle(TdxStatusBarPaintStyle V);
  TdxStatusBarPanels* Panels() const { return panels_.get(); }
  void SetPanels(TdxStatusBarPanels* V);
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool V);
  TdxStatusBarPainterClass Painter() const { return painter_; }
  TdxStatusBarViewInfo* ViewInfo() const { return viewInfo_.get(); }
  TNotifyEvent OnHint;

  virtual void CorrectTextColor(TColor& /*AColor*/, bool /*AActive*/) {}
  virtual void CalculateLayout();
  virtual TdxStatusBarPanel* AddPanelItem() { return panels_->AddPanel(); }
  virtual bool FireOnHint();
  static TClass DefaultPanelStyleClass();
  virtual TdxStatusBarPainterClass GetPainterClass();
  virtual TdxStatusBarPaintStyle ResolvePaintStyle();
  virtual void UpdatePainter();
  virtual void ApplyPaintStyle();
  virtual bool SizeGripShown();
  virtual void RefreshPanels();
  virtual bool AcceptsPanelStyleClass(TClass AClass);
  TdxStatusBarPanel* PanelAtPoint(int32_t X, int32_t Y);
  // A hint action sets the text of the last text panel with AutoHint, unless
  // OnHint takes the hint.
  bool ExecuteAction(TBasicAction* Action) override;
  void Recalculate();
  TRect GetContentBounds();
  TRect ClientBounds();
  // Loading, reading or inside an update (or, with ADestroyingCounts, being
  // destroyed): panel styles then leave the containers and their checks alone.
  bool IsLoadingOrUpdating(bool ADestroyingCounts) const;

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Paint() override;
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void FontChanged() override;
  bool MayFocus() override { return false; }
  bool HasScrollBars() override { return false; }
  void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) override;
  void Dispatch(TMessage& Message) override;

private:
  int32_t borderWidth_ = 0;
  TCustomImageList* images_ = nullptr;
  std::unique_ptr<TChangeLink> imageChangeLink_;
  TdxStatusBarPainterClass painter_ = nullptr;
  TdxStatusBarPaintStyle paintStyle_ = stpsStandard;
  std::unique_ptr<TdxStatusBarPanels> panels_;
  bool sizeGrip_ = true;
  bool statusThemeAvailable_ = false;
  std::unique_ptr<TdxThemeChangedNotificator> themeNotificator_;
  std::unique_ptr<TdxStatusBarViewInfo> viewInfo_;
};

class TdxStatusBar : public TdxCustomStatusBar {
  DX_COMPONENT_CLASS(TdxStatusBar, TdxCustomStatusBar)
public:
  explicit TdxStatusBar(TComponent* AOwner) : TdxCustomStatusBar(AOwner) {}
};

// ---- painters

class TdxStatusBarPainter {
public:
  virtual ~TdxStatusBarPainter() = default;
  // Makes a container look like the status bar behind it.
  virtual void PaintContainerBackground(TdxStatusBarContainerPanelStyle* AStyle) const;
  virtual bool GripInsideLastPanel() const { return true; }
  virtual void CorrectTextColor(TdxCustomStatusBar*, TColor&, bool) const {}
  // Widths of the frame on each side, as a rectangle of widths.
  virtual TRect GetFrameWidths(TdxCustomStatusBar* AStatusBar) const;
  virtual bool PaintsGripBeforePanels() const { return true; }
  virtual TSize GetGripSize() const { return {16, 16}; }
  virtual TSize GetGripEdgeSize() const { return {12, 12}; }
  virtual int32_t SeparatorThickness() const { return 2; }
  virtual int32_t GetSeparatorWidth(TdxCustomStatusBar*) const { return SeparatorThickness(); }
  virtual int32_t GetTopBandHeight() const { return 2; }
  // Draws the frame and shrinks R to the content area.
  virtual void PaintFrame(TdxCustomStatusBar* AStatusBar, TcxCanvas* ACanvas, TRect& R) const;
  virtual void PaintNoPanels(TdxCustomStatusBar* AStatusBar, TcxCanvas* ACanvas, TRect R) const;
  virtual void PaintPanel(TdxCustomStatusBar* AStatusBar, TdxStatusBarPanel* APanel, TRect R, TcxCanvas* ACanvas) const;
  // Draws the bevel and shrinks R to the area inside it.
  virtual void PaintBevel(TdxCustomStatusBar*, TdxStatusBarPanelBevel, TRect&, TcxCanvas*) const {}
  virtual void PaintSeparator(TdxCustomStatusBar*, TcxCanvas*, const TRect&) const {}
  virtual void PaintSizeGrip(TdxCustomStatusBar* AStatusBar, TcxCanvas* ACanvas, bool AOverlapped,
                             const TRect& R) const;
  virtual void PaintTopBand(TdxCustomStatusBar* AStatusBar, TcxCanvas* ACanvas, const TRect& R) const;
  virtual void PaintPanelBackground(TdxCustomStatusBar*, TdxStatusBarPanel*, const TRect&, TcxCanvas*) const {}
  virtual TdxStatusBarPanelBevel GetEffectiveBevel(TdxStatusBarPanel* APanel) const;
  virtual TColor GetPanelBackColor(TdxCustomStatusBar* AStatusBar, TdxStatusBarPanel* APanel) const;
  virtual TRect GetTextRect(TdxCustomStatusBar*, TdxStatusBarPanel*, const TRect& R) const { return R; }
};

class TdxStatusBarStandardPainter : public TdxStatusBarPainter {
public:
  void PaintBevel(TdxCustomStatusBar*, TdxStatusBarPanelBevel ABevel, TRect& R, TcxCanvas* ACanvas) const override;
  void PaintSeparator(TdxCustomStatusBar* AStatusBar, TcxCanvas* ACanvas, const TRect& R) const override;
  void PaintPanelBackground(TdxCustomStatusBar* AStatusBar, TdxStatusBarPanel* APanel, const TRect& R,
                            TcxCanvas* ACanvas) const override;
};

class TdxStatusBarFlatPainter : public TdxStatusBarStandardPainter {
public:
  void PaintBevel(TdxCustomStatusBar*, TdxStatusBarPanelBevel ABevel, TRect& R, TcxCanvas* ACanvas) const override;
};

class TdxStatusBarOffice11Painter : public TdxStatusBarPainter {
public:
  TRect GetFrameWidths(TdxCustomStatusBar*) const override { return {1, 1, 1, 1}; }
  void PaintFrame(TdxCustomStatusBar* AStatusBar, TcxCanvas* ACanvas, TRect& R) const override;
  void PaintBevel(TdxCustomStatusBar*, TdxStatusBarPanelBevel ABevel, TRect& R, TcxCanvas* ACanvas) const override;
  void PaintSizeGrip(TdxCustomStatusBar* AStatusBar, TcxCanvas* ACanvas, bool AOverlapped,
                     const TRect& R) const override;
};

// Draws with the "Status" visual style: theme frame and separators, the theme's
// grip, no bevels and no panel fills. Chosen only while that style opens.
class TdxStatusBarXPPainter : public TdxStatusBarPainter {
public:
  TRect GetFrameWidths(TdxCustomStatusBar*) const override { return {0, GetTopBandHeight(), 0, 0}; }
  TSize GetGripSize() const override;
  int32_t SeparatorThickness() const override;
  void PaintFrame(TdxCustomStatusBar* AStatusBar, TcxCanvas* ACanvas, TRect& R) const override;
  void PaintSeparator(TdxCustomStatusBar* AStatusBar, TcxCanvas* ACanvas, const TRect& R) const override;
  void PaintSizeGrip(TdxCustomStatusBar* AStatusBar, TcxCanvas* ACanvas, bool AOverlapped,
                     const TRect& R) const override;
};

TdxStatusBarPainterClass dxStatusBarStandardPainter();
TdxStatusBarPainterClass dxStatusBarFlatPainter();
TdxStatusBarPainterClass dxStatusBarOffice11Painter();
TdxStatusBarPainterClass dxStatusBarXPPainter();

// Declares the published properties of the status bar classes (once).
void dxStatusBarRegisterProperties();

// The unit's start-up and shut-down (the dxStatusBar row of the bar units).
void dxStatusBarUnitStart();
void dxStatusBarUnitStop();
