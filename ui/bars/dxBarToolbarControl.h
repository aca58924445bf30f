// The toolbar window: how it measures itself and places the controls of its
// links. A docked bar keeps one row and hides what does not fit behind its
// mark; a floating or MultiLine bar wraps into rows (columns when vertical).
//
//   length     the extent along the rows: width for a horizontal or floating
//              bar, height for a vertical one
//   thickness  the extent across the rows
//   S          the painter's separator size, before every group start
//   mark space the painter's mark size when the bar shows a mark, else 0
//
// The fitting limit is the link collection's recent count (-1: all links).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rtl/types.h"
#include "ui/bars/dxBarElements.h"
#include "ui/bars/dxBarViewInfo.h"

class TdxFadingObjectHelper;

class TdxBarControl : public TCustomdxBarControl {
  DX_COMPONENT_CLASS(TdxBarControl, TCustomdxBarControl)
public:
  explicit TdxBarControl(TComponent* AOwner) : TCustomdxBarControl(AOwner) {}
  // The window of ABar, owned by AOwner (the bar manager).
  static TdxBarControl* CreateForBar(TComponent* AOwner, TdxBar* ABar);

  // ---- mark, MDI buttons and input
  // The mark rectangle on the screen.
  TRect GetMarkScreenRect();
  // 0 normal, 1 hot (a floating bar starts the mark hint timer), 2 dropped
  // (the quick-customization popup opens next to the mark); ignored while
  // customizing. Leaving 2 frees the popup: the window may be gone afterwards.
  void SetMarkState(uint8_t Value) override;
  void RepaintMark();
  std::string GetMarkHint();
  // The open quick-customization popup, null while the mark is not dropped.
  TCustomdxBarControl* QuickPopup() const { return quickPopup_; }
  // Copies of the links the bar does not show, then the quick-customization entry.
  void FillMarkPopup(TdxBarItemLinks* ALinks);
  void AddQuickCustomizeItem(TdxBarItemLinks* ALinks);
  bool AllowsQuickCustomizing();
  // The popup's window size; ShowAsPopup places and shows it next to the
  // parent's mark (screen coordinates) inside the work area.
  virtual TSize GetPopupSize();
  void ShowAsPopup(const TRect& AMarkScreenRect);
  // The popup closes: the parent's mark goes back to normal.
  void ResetParentMark();
  // A design-selected item control is dragged with the mouse captured.
  bool DesignDragging = false;
  // Button 0 minimize, 1 restore, 2 close; a lone close button is index 2.
  TRect GetMDIButtonRect(int32_t AIndex);
  // The system command of a button.
  static win::WPARAM MDIButtonCommand(int32_t AIndex);
  // From the active MDI child's system menu: grayed disables hot tracking,
  // grayed or disabled disables pressing.
  bool IsMDIButtonEnabled(int32_t AIndex, bool AForPressing);
  // 1 disabled, else 0 normal, 2 hot, 3 pressed off it, 4 pressed and hot.
  int32_t GetMDIButtonState(int32_t AIndex);
  void PaintMDIButtons(win::HDC DC);
  // The non-client grip before the client origin of a bordered docked bar; else empty.
  TRect GetGripRect();
  // The bar window the manager had focused before this one took keyboard mode.
  TCustomdxBarControl* PreviousFocusedBar() const;
  void WndProc(TMessage& m) override;
  void GetDropTarget(TPoint APoint, TdxBarItemLink*& ALink, bool& AVertical, bool& ABefore,
                     bool& AOnSeparator) override;
  void ActivateKeyboard(TdxBarItemControl* AControl) override;
  void Deactivate() override;
  bool IgnoresMouse(bool ACheckLastPos) override;
  void DoMouseDown(TMouseButton AButton, TShiftState AShift, bool AInside, TdxBarItemControl* AControl,
                   TPoint AClientPoint) override;
  void DoMouseMove(TShiftState AShift, TPoint AClientPoint, TdxBarItemControl* AControl) override;
  void DoHide() override;
  ~TdxBarControl() override;

  // ---- orientation and mode, from the window's own side
  // Docked on the left or right.
  bool IsVertical() const override;
  // Docked on the top or bottom; a floating bar is neither.
  bool IsHorizontal() const;
  // Vertical with the bar's RotateWhenVertical.
  bool IsRotated() const;
  bool IsTextRotated() override { return IsRotated(); }
  // Floating, or the bar's MultiLine.
  virtual bool IsMultiLine() const;

  // ---- metrics
  int32_t GetSeparatorSize() override;
  // The base metrics, the mark size and the MDI button size.
  void UpdateMetrics();
  void CalcMetrics() override { UpdateMetrics(); }
  // The painter's mark size needs no handle: a bar docked before its window
  // exists is measured with its mark, not with the 0 it has until the
  // metrics are taken.
  int32_t GetMarkSize() override;
  // The space kept for the mark at the end of a docked bar.
  int32_t GetMarkSpace() { return GetMarkSize(); }
  // The bar's ShowMark and either hidden links or the painter's mark with AllowQuickCustomizing.
  bool HasMark() override;
  int32_t MDIButtonWidth() const { return mdiButtonWidth_; }
  int32_t MDIButtonHeight() const { return mdiButtonHeight_; }
  // Minimize, restore and close of a maximized MDI child on the main-menu bar.
  virtual bool AreMDIButtonsVisible();
  // All three, or the close button alone (main menu with the manager's ShowCloseButton).
  bool HasMDIButtons();
  int32_t GetMDIButtonsWidth();
  int32_t GetMDIButtonsHeight();
  // Floating and the bar may be closed.
  virtual bool HasCloseButton();
  virtual bool HasFloatingCaption() { return true; }
  // A row never wraps before a control at its start.
  virtual bool WrapsAtRowStart() { return false; }
  // ---- what the painter reads of the frame; the window's frame code answers them
  // The bar may be dragged by its grip (the bar's IsMovable).
  virtual bool CanMove();
  // The bar's BorderStyle is bbsSingle.
  virtual bool HasBorder();
  // The close button of the floating caption: 0 normal, 1 hot, 2 pressed.
  virtual int32_t GetCloseButtonState() { return closeButtonState_; }
  // The fading of the mark; null while the mark does not fade.
  virtual TdxFadingObjectHelper* GetMarkFadingHelper() { return nullptr; }

  // ---- sizes for a docking side (client sizes unless said otherwise)
  virtual int32_t GetMinWidth(TdxBarDockingStyle ASide);
  virtual int32_t GetMinHeight(TdxBarDockingStyle ASide);
  int32_t GetFullWidth(TdxBarDockingStyle ASide);
  int32_t GetFullHeight(TdxBarDockingStyle ASide);
  // The client size for a length; may set the fitting limit and the wrap marks.
  virtual TSize CalcSizeForWidth(TdxBarDockingStyle ASide, int32_t AWidth);
  TSize CalcSizeForHeight(TdxBarDockingStyle ASide, int32_t AHeight);
  // Marks the controls that start a row of a multi-line bar for ALength and
  // grows ASize to the wrapped size.
  void CalcWrappedSize(TdxBarDockingStyle ASide, int32_t ALength, TSize& ASize);
  // The window size with its frame, docked on ASide or floating (dsNone).
  TSize CalcBarSize(TdxBarDockingStyle ASide);

  // ---- placing the item controls in the client area
  void CalcItemPositions();
  void CalcItemRects() override { CalcItemPositions(); }
  // The bar's UseRestSpace and AControl shows the last visible link.
  bool CanAlignItem(TdxBarItemControl* AControl) override;
  // The wrap pass marked AControl as the start of a row.
  bool StartsRow(TdxBarItemControl* AControl) const;
  // The control's rectangle stretched across to its row thickness.
  TRect GetItemPaintRect(TdxBarItemControl* AControl);
  TRect GetItemRect(TdxBarItemControl* AControl) override { return GetItemPaintRect(AControl); }
  // The paint rectangle less the control's separator; the caller deletes it.
  win::HRGN GetItemRegion(TdxBarItemControl* AControl);
  TClass GetViewInfoClass() override;

  // ---- filled by the dock site's row arrangement and the drag code
  // Length limits of the window inside its dock row.
  int32_t MinLength = 0;
  int32_t FullLength = 0;
  // Some links of a docked single-row bar are not shown (the mark offers them).
  bool HiddenLinks = false;
  // The bounds the dock site computed for the window.
  int32_t TargetLeft = 0, TargetTop = 0, TargetWidth = 0, TargetHeight = 0;
  // Cursor offset over the bar's extent when a drag starts.
  double GrabRatioX = 0, GrabRatioY = 0;

  // A change of side clears HiddenLinks.
  void SetOrientation(uint8_t Value) override;
  // Lays the controls out again (a docked bar through its dock site).
  void Rebuild(bool ARecreate) override;
  void DoDestroyControls() override;

  // ---- the frame
  // Docked: a child of the dock site; floating: a popup owned by the window
  // of the manager's owner control.
  void CreateParams(TCreateParams& Params) override;
  // The window text is the caption; the caption paints active.
  void CreateWnd() override;
  // The bar's AlphaBlendValue while floating and not internal, else opaque.
  void AfterCreateHandle() override;
  // The frame is measured again (SWP_FRAMECHANGED).
  void RecalcNonClient() override;
  bool IsInternal() override { return IsPopupWindow(); }
  // The bar is status-bar-like.
  bool IsBorderlessBottomBar() override;
  win::HBRUSH GetBackgroundBrush() override;
  bool PaintsNonClient() override;
  // The painter's BarMarkRectEx: client coordinates docked, window coordinates floating.
  TRect GetMarkRect() override;
  // The client's top-left on the screen.
  TPoint GetCaptionOffset() override;
  // The painter's background, its source moved by the caption offset when AFlag is set.
  void DrawBackground(win::HDC DC, const TRect& R, bool AFlag, TColor AColor, win::HBRUSH ABrush) override;
  // The last hit code the window worked out for itself (0: none of its own).
  win::LRESULT HitCode() const { return hitCode_; }
  // The answer to WM_NCHITTEST at AScreenPoint after the default processing gave ADefault.
  win::LRESULT NonClientHitTest(TPoint AScreenPoint, win::LRESULT ADefault);
  // Window coordinates: the floating caption and its close button (empty without one).
  TRect GetCaptionRect();
  TRect GetCloseButtonRect();
  // Client coordinates: the size grip of a status-like bar.
  TRect GetSizeGripRect();
  // Draws the close button at once in the new state.
  void SetCloseButtonState(uint8_t Value);
  // The client area not yet painted, in the bar's background.
  void FillBackground();
  // The client contents in painting order, each painted part taken out of the clip.
  void DrawContent();
  void DrawSeparator(const TRect& R, bool AHorizontal);
  // The non-client area into DC (window coordinates).
  void DrawFrame(win::HDC DC);
  // While another manager is active the frame is painted into a bitmap,
  // hatched and copied through the frame region.
  win::HDC GetNonClientDC() override;
  void ReleaseNonClientDC(win::HDC DC) override;
  void DrawNonClient(win::HDC DC) override;
  void WindowPosChanged(const win::WINDOWPOS& AWindowPos) override;
  void Paint() override;
  void Dispatch(TMessage& m) override;

protected:
  // The controls follow the client size.
  void Resize() override;

private:
  // ---- mark, MDI buttons and input
  static constexpr win::UINT_PTR MarkHintTimerId = 1;
  void MarkHintTimer();
  void StopMarkHintTimer();
  void OpenQuickPopup();
  void CloseQuickPopup();
  int32_t MDIButtonAt(TPoint AClientPoint);
  void RepaintMDIButtons();
  bool HandleMDIButtonDown(TPoint AClientPoint);
  void HandleMDIButtonMove(TPoint AClientPoint);
  bool HandleMDIButtonUp(TPoint AClientPoint);
  void CancelMDIButtons();
  // Docked bars float, floating bars dock back; the double click on the drag area.
  void ToggleDocking();
  TCustomdxBarControl* quickPopup_ = nullptr;
  bool markHintTimer_ = false;
  bool inDoubleClick_ = false;
  win::HWND focusedWindow_ = nullptr;
  TcxObjectLink* previousFocusedBar_ = nullptr;

  // The item control of a visible link, made when missing.
  TdxBarItemControl* ControlOf(TdxBarItemLink* ALink);
  // Along and across the rows of this window.
  int32_t LengthOf(TdxBarItemControl* AControl) const;
  int32_t ThicknessOf(TdxBarItemControl* AControl) const;
  int32_t DefaultButtonWidth();
  int32_t DefaultButtonHeight();
  // Widest (heights: tallest) visible control; -1 without visible links.
  int32_t LargestControlSize(bool AHeights);
  // The sum of the visible controls' sizes with S before each group start.
  int32_t SumOfControlSizes(bool AHeights);
  // The first visible link's control with the fitting limit set to 1.
  int32_t FirstControlSize(bool AHeights);
  // One row of the visible links: False when a link but the first passes AAvailable.
  bool MeasureRow(bool AVertical, int32_t AAvailable, int32_t& ALength, int32_t& AThickness);
  // Single-row sizing along ALength (the truncation).
  TSize CalcTruncatedSize(TdxBarDockingStyle ASide, bool AVertical, int32_t ALength);
  TSize CalcSizeByLength(TdxBarDockingStyle ASide, bool AVertical, int32_t ALength);
  bool IsMultiLineFor(TdxBarDockingStyle ASide) const { return ASide == dsNone || IsMultiLine(); }
  // Centres a finished row's controls across it and stores its thickness.
  void FinishRow(const std::vector<TdxBarItemControl*>& ARow, int32_t AThickness);

  int32_t mdiButtonWidth_ = 0;
  int32_t mdiButtonHeight_ = 0;
  // The controls the last wrap pass marked as row starts.
  std::vector<TdxBarItemControl*> rowStarts_;

  // ---- the frame
  void HandleSizing(win::WPARAM AEdge, win::RECT& R);
  void HandleWindowPosChanging(win::WINDOWPOS& AWindowPos);
  // The press on the close button: a loop with the mouse captured until the release.
  void TrackCloseButton();
  void HandleDestroy(TMessage& m);
  static uintptr_t HideAfterDestroy(void* AContext, uintptr_t, uintptr_t, uintptr_t AId, uintptr_t);
  uint8_t closeButtonState_ = 0;
  bool sizeGrip_ = false;
  win::LRESULT hitCode_ = 0;
  // The inactive painting: the bitmap DC handed out by GetNonClientDC and the frame region.
  win::HDC inactiveDC_ = nullptr;
  win::HBITMAP inactiveBitmap_ = nullptr;
  win::HGDIOBJ inactivePrevious_ = nullptr;
  win::HRGN inactiveRegion_ = nullptr;
};

// The item controls a toolbar window shows and its group separators.
class TdxBarControlViewInfo : public TCustomdxBarControlViewInfo {
  DX_CLASS_WITH_FACTORY(TdxBarControlViewInfo, TCustomdxBarControlViewInfo, &Make)
public:
  explicit TdxBarControlViewInfo(TCustomdxBarControl* ABarControl) : TCustomdxBarControlViewInfo(ABarControl) {}
  // The window recalculates first; then each visible link with a control.
  void Calculate() override;
  virtual void AddSeparatorForLink(TdxBarItemLink* ALink);
  // Room kept beside a separator (none on a toolbar).
  virtual int32_t GetSeparatorIndent() { return 0; }
  virtual bool CanShowSeparators() { return true; }
  virtual void CalcSeparator(TdxBarItemLink* ALink);
  virtual bool IsLastControl(TdxBarItemControl*) { return false; }

private:
  static TObject* Make(TObject* ABarControl);
};
