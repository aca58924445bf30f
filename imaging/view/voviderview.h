// TVovidErView: the image library's window control. It shows its layers
// zoomed and scrolled on a background of its own; everything is first
// composed into an off-screen 24-bit back buffer of the client's size and then
// copied to the window in one operation.
//
// A change ends in Update: lay out, mark the back buffer dirty, invalidate.
// Paint renders the layers into the back buffer only when it is dirty, fires
// OnDrawBackBuffer, then copies. LockPaint/UnlockPaint defer the refresh to
// the last unlock; LockUpdate/UnlockUpdate defer Update itself.
//
// Geometry (zoom, origin, conversions) is TIEViewGeometry's; layers are
// TIELayer. The view's code is split by concern: voviderview.cpp (core,
// locks, settings, library hooks), voviderviewmsg.cpp (messages, cursor,
// version text), voviderviewzoom.cpp (zoom and scrolling
// operations with their events), voviderviewlayers.cpp (the layer list),
// voviderviewrender.cpp (rendering the layers), voviderviewmouse.cpp (mouse
// and keyboard interaction).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "imaging/core/iebits.h"
#include "imaging/core/ieglobals.h"
#include "imaging/core/iemask.h"
#include "imaging/view/iebackground.h"
#include "imaging/view/ieinputparams.h"
#include "imaging/view/ielayers.h"
#include "imaging/view/ieview.h"
#include "imaging/view/ietransition.h"
#include "imaging/view/ieviewgeometry.h"
#include "platform/vcl/graphics.h"

class TVovidErIO;
class TTimer;
struct TIELayerDrawScope;  // what one layer's draw changes, put back after it (voviderviewrender.cpp)

// The library's private messages; the input/output component posts the first
// and the last two from its workers. The two DirectShow messages are ignored:
// this platform has no DirectShow.
constexpr uint32_t IEM_VIEWUPDATE = 0x1F58;
constexpr uint32_t IEM_DSHOWNEWFRAME = 0x1F59;
constexpr uint32_t IEM_DSHOWEVENT = 0x1F5A;
constexpr uint32_t IEM_VIEWPROGRESS = 0x1F5B;
constexpr uint32_t IEM_VIEWFINISHWORK = 0x1F5C;

// The view's cursors, registered in the screen's cursor table by LoadViewCursors.
constexpr TCursor crIEZoomOut = 1778, crIEZoomIn = 1779, crIECross = 1780, crIEHand = 1782,
                  crIEDefault = 1785, crIEMoveNWSE = 1786, crIEMoveNS = 1787, crIEMoveNESW = 1788,
                  crIEMoveWE = 1789, crIEMoveAll = 1790, crIECrossAdd = 1791, crIECrossSub = 1792,
                  crIECross2 = 1793, crIECross2Add = 1794, crIERotate1 = 1811;

enum TIEMouseInteractItems : uint8_t {
  miZoom,
  miScroll,
  miSelect,
  miSelectPolygon,
  miSelectCircle,
  miSelectZoom,
  miSelectMagicWand,
  miSelectLasso,
  miMoveLayers,
  miResizeLayers,
  miRotateLayers,
  miMovingScroll
};
// Bit i stands for item i (miZoom = 1, miScroll = 2, ... miMovingScroll = $800).
using TIEMouseInteract = uint16_t;
constexpr TIEMouseInteract IEMI(TIEMouseInteractItems item) { return TIEMouseInteract(1u << item); }

enum TIESelectionBase : uint8_t { iesbClientArea, iesbBitmap };

enum TIESelectionOptionsItems : uint8_t {
  iesoAnimated,
  iesoSizeable,
  iesoMoveable,
  iesoFilled,
  iesoCutBorders,
  iesoMarkOuter,
  iesoCanScroll,
  iesoSelectTranspLayers,
  iesoRightButtonSelectLayers,
  iesoRightButtonTerminatePolySelect
};
using TIESelectionOptions = uint16_t;
constexpr TIESelectionOptions IESO(TIESelectionOptionsItems item) { return TIESelectionOptions(1u << item); }

enum TIEUndoSource : uint8_t {
  ieuUnknown,
  ieuImage,
  ieuSelection,
  ieuObject,
  ieuLayer,
  ieuFullLayer,
  ieuObjectsAndLayers
};

using TIEViewChangeEvent = std::function<void(TObject* Sender, int32_t Change)>;
using TIEViewChangingEvent = std::function<void(TObject* Sender, int32_t Change, double newValue)>;
using TIEMouseInResizingGripEvent = std::function<void(TObject* Sender, TIEGrip Grip)>;
using TIEZoomEvent = std::function<void(TObject* Sender, double& NewZoom)>;
using TIEViewProgressEvent = std::function<void(TObject* Sender, int32_t per)>;
using TIELayerNotifyEvent = std::function<void(TObject* Sender, int32_t layer, TIELayerEvent event)>;
using TIESpecialKeyEvent = std::function<void(TObject* Sender, uint16_t CharCode, TShiftState Shift, bool& Handled)>;
using TIEOnDrawBackground = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool& Handled)>;
using TIEOnDrawCanvas = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect)>;
using TIEDrawLayerBoxEvent = std::function<void(TObject* Sender, TBitmap* ABitmap, int32_t layer)>;
using TIEDrawLayerEvent = std::function<void(TObject* Sender, TIEBitmap* dest, int32_t layerIndex)>;
using TIEDrawLayerGrip =
    std::function<void(TObject* Sender, TBitmap* ABitmap, int32_t layer, int32_t grip, TRect rect)>;
using TIESaveUndoEvent = std::function<void(TObject* Sender, TIEUndoSource source)>;
using TIESetCursorEvent = std::function<void(TObject* Sender, TCursor& Cursor)>;
using TIEVirtualKeyEvent =
    std::function<void(TObject* Sender, uint32_t VirtualKey, uint32_t KeyData, bool KeyDown)>;

class TVovidErView : public TIEView, public TIEViewGeometry {
  DX_COMPONENT_CLASS(TVovidErView, TIEView)
public:
  explicit TVovidErView(TComponent* owner);
  ~TVovidErView() override;

  // ======================================================= core (voviderview.cpp)
  void Assign(TPersistent* source) override;
  void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
  void Update() override;
  virtual void Paint() override;
  void PaintRect(const TRect& rect);
  void InvalidateArea(const TRect& rect);
  // The back buffer as a platform bitmap: overlays are drawn on it.
  TBitmap* GetBackBuffer();
  TIEBitmap* BackBufferIE() { return backBuffer_.get(); }
  TCanvas* GetCanvas() { return Canvas(); }
  void PaintBackgroundTo(TCanvas& canvas, int32_t width = -1, int32_t height = -1);
  int32_t GetViewWidth() override;
  int32_t GetViewHeight() override;
  virtual bool HasParentWindow();
  virtual bool IsEmpty();
  bool BackBufferDirty() const { return backBufferDirty_; }

  void LockUpdate() { ++updateLockCount_; }
  void UnlockUpdate();
  void UnlockUpdateNoRefresh();
  int32_t UpdateLockCount() const { return updateLockCount_; }
  void LockPaint() override;
  int32_t UnlockPaint() override;
  int32_t UnlockPaintNoRefresh() override;
  int32_t PaintLockCount() const { return paintLockCount_; }

  void ClearImage();
  void MakeEmpty();
  TIEBitmap* GetAlphaChannel() override;
  bool HasAlphaChannel() override;
  void RemoveAlphaChannel(bool merge) override;
  void SetBackground(TColor v) override;
  TBitmap* GetLegacyBitmap() override;
  TIEBitmap* GetIEBitmap() override;

  // On-demand components.
  TVovidErIO* GetIO();
  TIETransitionEffects* GetTransitionEffects();
  void StopTransitionAndUpdate();
  // The transition engine's handlers: each setter makes the engine first;
  // each getter answers an empty handler while there is no engine.
  TNotifyEvent OnTransitionStop() const;
  void SetOnTransitionStop(TNotifyEvent v);
  TIETransitionStepEvent OnTransitionStep() const;
  void SetOnTransitionStep(TIETransitionStepEvent v);
  TIETransitionPaintEvent OnTransitionPaint() const;
  void SetOnTransitionPaint(TIETransitionPaintEvent v);

  // Cursor: the stored cursor and the one shown now.
  TCursor Cursor() const { return shownCursor_; }
  void SetCursor(TCursor value);
  void ApplyCursor(TCursor value);
  void RestoreCursor();

  // Published settings (see the class comment for Update's meaning).
  bool LegacyBitmap() const { return legacyBitmapMode_; }
  virtual void SetLegacyBitmap(bool v);
  bool DoubleBuffer() const { return doubleBuffer_; }
  void SetDoubleBuffer(bool v) { doubleBuffer_ = v; }
  TResampleFilter ZoomFilter() const { return zoomFilter_; }
  void SetZoomFilter(TResampleFilter v);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  virtual void SetScrollBars(TScrollStyle v);
  TIESelectionOptions SelectionOptions() const { return selectionOptions_; }
  void SetSelectionOptions(TIESelectionOptions v);
  bool Center() const { return center_; }
  void SetCenter(bool v);
  TIEMouseInteract MouseInteract() const { return mouseInteract_; }
  virtual void SetMouseInteract(TIEMouseInteract v);
  bool AutoFit() const { return autoFit_; }
  void SetAutoFit(bool v) { autoFit_ = v; }
  TIESelectionBase SelectionBase() const { return selectionBase_; }
  void SetSelectionBase(TIESelectionBase v) { selectionBase_ = v; }
  TIEBackgroundStyle BackgroundStyle() const { return backgroundStyle_; }
  void SetBackgroundStyle(TIEBackgroundStyle v);
  bool DelayZoomFilter() const { return delayZoomFilter_; }
  void SetDelayZoomFilter(bool v) { delayZoomFilter_ = v; }
  bool EnableAlphaChannel() const { return enableAlphaChannel_; }
  void SetEnableAlphaChannel(bool v);
  bool AutoStretch() const { return autoStretch_; }
  void SetAutoStretch(bool v) { autoStretch_ = v; }
  bool AutoShrink() const { return autoShrink_; }
  void SetAutoShrink(bool v) { autoShrink_ = v; }
  bool DrawVersion() const { return drawVersion_; }
  void SetDrawVersion(bool v);
  std::string VovidErVersion() const { return "4.0.2"; }
  void SetVovidErVersion(const std::string&) {}
  TPicture* WallPaper() { return wallPaper_.get(); }
  void SetWallPaper(TPicture* v);
  TIEWallPaperStyle WallPaperStyle() const { return wallPaperStyle_; }
  void SetWallPaperStyle(TIEWallPaperStyle v);
  bool EnableInteractionHints() const { return enableInteractionHints_; }
  void SetEnableInteractionHints(bool v) { enableInteractionHints_ = v; }
  bool FlatScrollBars() const { return flatScrollBars_; }
  void SetFlatScrollBars(bool v);
  bool KeepDisabledScrollBars() const { return keepDisabledScrollBars_; }
  void SetKeepDisabledScrollBars(bool v) { keepDisabledScrollBars_ = v; }
  TColor GradientEndColor() const { return gradientEndColor_; }
  void SetGradientEndColor(TColor v) { gradientEndColor_ = v; }
  int32_t UpdateReason() const { return updateReason_; }
  void SetUpdateReason(int32_t v) { updateReason_ = v; }

  TIEMask& SelectionMask() { return *mask_; }
  TIEScrollBarParams& HScrollBarParams() { return *hScrollParams_; }
  TIEScrollBarParams& VScrollBarParams() { return *vScrollParams_; }
  TIEMouseWheelParams& MouseWheelParams() { return *wheelParams_; }

  // Events.
  TIEViewChangeEvent OnViewChange;
  TIEViewChangingEvent OnViewChanging;
  TNotifyEvent OnImageChange;
  TNotifyEvent OnSelectionChange, OnSelectionChanging, OnBeforeSelectionChange, OnMouseInSel;
  TNotifyEvent OnPaint;
  TIEMouseInResizingGripEvent OnMouseInResizingGrip;
  TIEZoomEvent OnZoomIn, OnZoomOut;
  TNotifyEvent OnDrawBackBuffer;
  TIELayerNotifyEvent OnLayerNotify;
  TIESpecialKeyEvent OnSpecialKey;
  TIEOnDrawBackground OnDrawBackground;
  TIEOnDrawCanvas OnDrawCanvas;
  TIEDrawLayerBoxEvent OnDrawLayerBox;
  TIEDrawLayerEvent OnDrawLayer;
  TIEDrawLayerGrip OnDrawLayerGrip;
  TNotifyEvent OnDShowNewFrame, OnDShowEvent;
  TIESetCursorEvent OnSetCursor;
  TIEVirtualKeyEvent OnVirtualKey;
  // Passed on to the input/output component (set through the setters so an
  // existing component follows).
  const TIEViewProgressEvent& OnProgress() const { return onProgress_; }
  void SetOnProgress(TIEViewProgressEvent v);
  const TNotifyEvent& OnFinishWork() const { return onFinishWork_; }
  void SetOnFinishWork(TNotifyEvent v);
  TIESaveUndoEvent OnSaveUndo;

  // ======================================= zoom and scrolling (voviderviewzoom.cpp)
  void SetZoom(double zoom);
  void SetHorizontalZoom(double zoom);
  void SetVerticalZoom(double zoom);
  void FitToClient();
  void ZoomAroundPoint(int32_t x, int32_t y, bool centre, double zoom);
  void ScrollTo(int32_t x, int32_t y);
  void ScrollToX(int32_t x);
  void ScrollToY(int32_t y);
  // Steps toward (x, y) every 30 ms, an eighth (the divisor) of the way at a time.
  void ScrollToSmooth(int32_t x, int32_t y);
  void StopSmoothScroll();
  bool SmoothScrollRunning() const;
  // Zooms and scrolls so that the bitmap rectangle (inclusive corners) fills
  // the control; nothing for a rectangle smaller than 2 x 2 or left of or
  // above the image.
  void ZoomToRect(int32_t left, int32_t top, int32_t right, int32_t bottom, bool uniform, bool notify);
  // ZoomToRect over the selection, which is removed; nothing without one.
  void ZoomToSelection(bool uniform = true, bool notify = true);
  // Scroll codes: 0 absolute, 1 end, 2 start, 3 line forward, 4 line back,
  // 5 page forward, 6 page back.
  void ScrollVertically(int32_t code, int32_t position);
  void ScrollHorizontally(int32_t code, int32_t position);
  void HandleMouseWheel(int32_t delta, int32_t x, int32_t y, bool horizontal);
  void HideHorizontalScrollBar();
  void HideVerticalScrollBar();
  virtual void DoViewChange(int32_t change);
  virtual void DoViewChanging(int32_t change, double newValue);
  int32_t SmoothScrollDivisor() const { return smoothDivisor_; }
  void SetSmoothScrollDivisor(int32_t v) { smoothDivisor_ = v; }
  double ScrollDragFactor() const { return scrollDragFactor_; }
  void SetScrollDragFactor(double v) { scrollDragFactor_ = v; }
  int32_t FilterDelayCounter() const { return filterDelayCounter_; }
  int32_t SettleCounter() const { return settleCounter_; }

  // ===================================================== layers (voviderviewlayers.cpp)
  int32_t GetLayerCount() const { return int32_t(layers_.size()); }
  // An index outside the list raises EListError.
  TIELayer* GetLayer(int32_t index);
  TIELayer* GetCurrentLayer();
  int32_t CurrentLayerIndex() const { return currentLayer_; }
  virtual void SetCurrentLayer(int32_t index);
  int32_t AddLayer();
  void RemoveLayer(int32_t index);
  void RemoveAllLayers();
  int32_t LayerIndexAt(int32_t x, int32_t y, bool selectableOnly);
  bool IsPointInLayer(int32_t x, int32_t y, int32_t index);
  TIEGrip GripAt(int32_t x, int32_t y);
  std::array<TRect, 9> GetGripRects(int32_t index);
  void UseBitmap(TIEBitmap* bitmap);
  void SyncLayers();
  bool SameSizeLayers() const { return sameSizeLayers_; }
  void SetSameSizeLayers(bool v) { sameSizeLayers_ = v; }
  bool SkipUnselectableLayers() const { return skipUnselectableLayers_; }
  void SetSkipUnselectableLayers(bool v) { skipUnselectableLayers_ = v; }
  int32_t LayersGripSize() const { return layersGripSize_; }
  void SetLayersGripSize(int32_t v) { layersGripSize_ = v; }
  // The current bitmap's alpha size is kept in step with it (Update's step 3).
  TIEBitmap* CurrentBitmap() { return bitmap_; }

  // ===================================================== rendering (voviderviewrender.cpp)
  virtual void RenderLayers(TIEBitmap& dest, std::vector<uint8_t*>* rowTable, const TRect* clipRect,
                            bool paintBackground, bool drawDecorations);
  virtual void AfterDrawLayer(int32_t index, TIEBitmap& dest, const TRect* clipRect);
  void RenderLayersToBitmap(TIEBitmap& dest);
  void FlattenLayers();
  void SetChessboardStyle(int32_t size, TBrushStyle brushStyle);
  int32_t MinLayerSize = 2;
  uint8_t LayersOutsideStyle = 0;
  int32_t LayersOutsideValue = 60;
  bool ShowAllLayerBoxes = false;
  TColor LayersGripPenColor = 0;
  TColor LayersGripBrushColor = 0xBAFFFF;
  TBrushStyle LayersGripBrushStyle = bsSolid;
  uint8_t LayersGripShape = 1;
  bool ShowPixelGrid = false;
  int32_t GridHighlightX = -1, GridHighlightY = -1;
  TColor GridHighlightColor = 255;
  TPen* LayerBoxPen() { return layerBoxPen_.get(); }
  int32_t ChessboardSize() const { return chessboardSize_; }
  TBrushStyle ChessboardBrushStyle() const { return chessboardBrushStyle_; }

private:
  // Steps of RenderLayers, per layer in this order: whether it is drawn, its
  // mask and the alpha that makes, the background under the first layer, the
  // filter, then the direct or the positioned draw, then its decorations.
  bool LayerIsDrawn(TIELayer& layer);
  TIELayer* LayerMask(int32_t index, std::unique_ptr<TIELayer>& fadeLayer);
  void AttachMaskAlpha(TIELayerDrawScope& scope, TIELayer& mask);
  void PaintBackgroundUnderLayer(TIEBitmap& dest, TIELayer& layer, const TRect* clipRect);
  TResampleFilter LayerFilter(const TIELayer& layer);
  void DrawLayerDirect(TIELayer& layer, TIEBitmap& dest, std::vector<uint8_t*>* rowTable, const TRect* clipRect,
                       bool reuseRows, TResampleFilter filter);
  // False when the layer turned out empty (rotated or magnified to nothing).
  bool DrawLayerPositioned(int32_t index, TIELayerDrawScope& scope, TIEBitmap& dest, std::vector<uint8_t*>* rowTable,
                           const TRect* clipRect, bool reuseRows, TResampleFilter filter);
  bool RotateLayerForDraw(TIELayerDrawScope& scope, std::unique_ptr<TIEBitmap>& rotated);
  // The source rectangle of a cropped layer's bitmap (bw x bh) and its
  // destination d cut to layer 0.
  TIEDrawRect CropLayerToLayer0(const TIELayer& layer, int32_t bw, int32_t bh, TIEDrawRect& d);
  void DrawLayerDecorations(TIEBitmap& dest, int32_t index);
  void PaintLayersBackground(TIEBitmap& dest, const TRect* clipRect);
  void PrepareMagnifier(TIELayer& layer, TIEBitmap& dest, TResampleFilter filter);
  void DrawLayerBox(TIEBitmap& dest, int32_t index);
  void DrawLayerGrips(TIEBitmap& dest, int32_t index, bool resizeGrips, bool rotationGrip);
  void DimOutsideLayer(TIEBitmap& dest, const TRect& drawn);
  void MarkOutsideLayer0(TIEBitmap& dest, const TIEDrawRect& layer0);
  void DrawPixelGrid(TIEBitmap& dest);

public:
  // ================================================ interaction (voviderviewmouse.cpp)
  virtual void ShiftMouseAnchors(int32_t dx, int32_t dy);
  bool AutoScrollToCursor();
  virtual void DoLayerNotify(int32_t layer, TIELayerEvent event);
  void BakeLayerRotation(int32_t index);
  void CropLayersToAlpha(int32_t index);
  void ApplyLayerSize(int32_t index);
  // The hint shown during layer interaction ("" for none).
  const std::string& InteractionHintText() const { return hintText_; }
  bool MultipleSelections = true;
  bool ConstrainShapes = false;
  int32_t LayerResizeAspectMode = 1;
  double RotationSnapStep = 45;
  bool SaveUndoOnLayerChange = false;
  bool CropLayersToAlphaOnRotate = true;
  // How BakeLayerRotation turns a bitmap: antialiased or not, and with which
  // interpolation (0 shears, 1 bilinear, 2 bicubic; quarter turns are exact).
  bool LayersRotationAntialias = true;
  int32_t LayersRotationQuality = 1;

  // Registers the view's cursors (crIEZoomOut ... 1814) in the screen's table.
  static void LoadViewCursors();

protected:
  // Geometry hooks.
  int32_t GeometryControlWidth() override { return Width(); }
  int32_t GeometryControlHeight() override { return Height(); }
  TScrollStyle GeometryScrollBars() override { return scrollBars_; }
  bool GeometryCenter() override { return center_; }
  bool GeometryDesigning() override;
  bool GeometryBitmapEmpty() override;
  void GetFitMargins(bool borderModeX, bool borderModeY, int32_t& mx, int32_t& my) override;

  void DoImageChange() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& message) override;
  // The input/output component follows the window: workers post to it.
  void CreateWnd() override;
  void DestroyWnd() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyUp(win::WORD& Key, TShiftState Shift) override;
  void WMLButtonDblClk(TMessage& m) override;
  void WMMouseWheel(TMessage& m) override;

  // Core state shared by the view's files.
  TIEBitmap* bitmap_ = nullptr;  // the current layer's bitmap
  TBitmap* legacyBitmap_ = nullptr;
  std::vector<std::unique_ptr<TIELayer>> layers_;
  int32_t currentLayer_ = 0;
  std::unique_ptr<TIEBitmap> backBuffer_;
  std::vector<uint8_t*> backBufferRows_;  // row table the renderer reuses
  bool backBufferDirty_ = true;
  bool fullRepaint_ = true;
  int32_t updateReason_ = 0;
  bool insideUpdate_ = false;
  bool nestedUpdate_ = false;
  bool invalidateOnUpdate_ = true;
  int32_t updateLockCount_ = 0;
  int32_t paintLockCount_ = 0;
  int32_t cachedBitmapWidth_ = -1, cachedBitmapHeight_ = -1;
  TIELayer* refreshOnlyLayer_ = nullptr;  // Update frees only this layer's MaskCache
  // Whether legacyBitmap_ was a platform bitmap the current buffer only wraps
  // (it then outlives the buffer's own reallocations and may be wrapped again).
  bool legacyNotOwned_ = true;
  // The legacy bitmap of the current buffer, after it changed.
  void TakeLegacyBitmapOf(TIEBitmap* bitmap);
  // Before a buffer is freed: the input/output component, when it targets
  // it, waits for its workers and lets go of it (GetIO re-attaches).
  void ReleaseIOTarget(TIEBitmap* bitmap);

  bool legacyBitmapMode_ = true;
  bool doubleBuffer_ = true;
  TResampleFilter zoomFilter_ = rfNone;
  TResampleFilter savedZoomFilter_ = rfNone;
  TScrollStyle scrollBars_ = ssBoth;
  TIESelectionOptions selectionOptions_ =
      IESO(iesoAnimated) | IESO(iesoSizeable) | IESO(iesoMoveable) | IESO(iesoCanScroll);
  bool center_ = true;
  TIEMouseInteract mouseInteract_ = 0;
  bool autoFit_ = false;
  TIESelectionBase selectionBase_ = iesbClientArea;
  TIEBackgroundStyle backgroundStyle_ = iebsSolid;
  bool delayZoomFilter_ = false;
  bool enableAlphaChannel_ = true;
  bool autoStretch_ = false, autoShrink_ = false;
  bool drawVersion_ = false;
  std::unique_ptr<TPicture> wallPaper_;
  TIEWallPaperStyle wallPaperStyle_ = iewoNormal;
  bool enableInteractionHints_ = true;
  bool flatScrollBars_ = false;
  TColor gradientEndColor_ = 0xFF0000;
  int32_t chessboardSize_ = 16;
  TBrushStyle chessboardBrushStyle_ = bsSolid;
  bool sameSizeLayers_ = false;
  bool skipUnselectableLayers_ = true;
  int32_t layersGripSize_ = 5;
  std::unique_ptr<TPen> layerBoxPen_;

  std::unique_ptr<TIEMask> mask_;
  std::unique_ptr<TIEScrollBarParams> hScrollParams_, vScrollParams_;
  std::unique_ptr<TIEMouseWheelParams> wheelParams_;
  bool hScrollShown_ = false, vScrollShown_ = false;
  double hScrollScale_ = 1, vScrollScale_ = 1;
  bool keepDisabledScrollBars_ = false;

  // Delayed filter and smooth scrolling.
  int32_t filterDelayCount_ = 4, settleCount_ = 2;
  int32_t filterDelayCounter_ = 0, settleCounter_ = 0;
  int32_t smoothDivisor_ = 8;
  int32_t smoothTargetX_ = 0, smoothTargetY_ = 0;
  std::unique_ptr<TTimer> smoothTimer_;
  bool smoothStepRunning_ = false;  // the timer cannot be freed from inside its own tick
  double scrollDragFactor_ = 1.0;

  // On-demand components.
  TVovidErIO* io_ = nullptr;  // owned as a component of the view
  std::unique_ptr<TIETransitionEffects> transition_;
  TIEViewProgressEvent onProgress_;
  TNotifyEvent onFinishWork_;

  // Cursor.
  TCursor storedCursor_ = crIEDefault;
  TCursor shownCursor_ = crIEDefault;
  bool hasOwner_ = false;
  bool cursorPending_ = true;

  // Interaction (voviderviewmouse.cpp).
  TPoint downRaw_{}, downClampedLayer_{}, downClampedImage_{};
  TPoint lastRaw_{}, lastClamped_{};
  TPoint downOrigin_{};
  int32_t movingLayer_ = -1, rotatingLayer_ = -1, rotationCenterLayer_ = -1;
  TIEGrip layerGrip_ = ieNone;
  bool layerStarted_ = false, layerMoved_ = false;
  double rotationAngle_ = 0;
  TRect resizeStartRect_{};
  std::array<TPoint, 4> resizeStartCorners_{};
  double resizeAspect_ = 1;
  bool suppressSelectionDrawing_ = false;
  std::string hintText_, hintTemplate_;
  TPoint hintPos_{};
  TIESelectionBase savedSelectionBase_ = iesbClientArea;
  int32_t selectionBaseDepth_ = 0;  // handlers running with SelectionBase switched to the client area
  bool ignoreRightUp_ = false;      // a right press came while the left button was held
  void CMWantSpecialKey(TMessage& m) override;
  void CNKeyDown(TMessage& m) override;
  void CNKeyUp(TMessage& m) override;
  void WMSysKeyDown(TMessage& m) override;
  void WMSysKeyUp(TMessage& m) override;
  void ResizeLayerByGrip(int32_t x, int32_t y, bool keep);
  void LayerDragStep(TShiftState Shift, int32_t x, int32_t y);
  void LayerCursorFeedback(TShiftState Shift, int32_t x, int32_t y);
  TPoint ClampToCurrentLayer(int32_t x, int32_t y);
  TPoint LayerRotationCenterClient(int32_t index);
  void BeginClientAreaSelectionBase();
  void EndClientAreaSelectionBase();
  // Runs an application event with SelectionBase set back to the application's value.
  void WithCallerSelectionBase(const std::function<void()>& event);
  bool ApplyLayerSizeTo(TIELayer& layer);
  bool CropLayerToAlpha(TIELayer& layer);

  // Selections (the selection unit is not part of this build): the flag
  // stays false, and the mask is reallocated with this depth.
  bool hasSelection_ = false;
  int32_t maskBitDepth_ = 1;
  // The per-paint pass that animates selections; here it drives the delayed
  // zoom filter: it keeps the 210 ms animation timer running while a
  // counter is above 0, counts both down and updates when the filter delay ends.
  void SelectionPass(bool fromTimer);
  std::unique_ptr<TTimer> animationTimer_;

private:
  void ConfigureScrollBars(int32_t maxX, int32_t maxY);
  void SmoothScrollStep(TObject* sender);
  void DrawVersionText();
  // Copies part of the back buffer to the window by the screen's colour depth.
  void CopyBackBufferToWindow(const TRect& rect, int32_t width, int32_t height);
  // WM_HSCROLL / WM_VSCROLL: the bar's request as a scroll code.
  void HandleScrollMessage(TMessage& message, bool vertical);
  // After a zoom or scroll: the settle counter, and the filter delay when a
  // delayed filter is set and the zoom in question is not 100 %.
  void StartFilterDelay(bool zoomNot100);
  void ZoomAndRepaint(const std::function<void()>& apply);
  TCursor ApplyCursorHandler(TCursor value);
};

// Library hooks of the view unit, run by the library start-up (bound by
// IEViewBindLibrary, which the program calls before IEInitialize).
void VovidErViewInitialize();
void VovidErViewFinalize();
void IEViewBindLibrary();

// Unit-level values read by the view (set by VovidErViewInitialize).
struct TIEViewUnitState {
  int32_t ScreenBitsPerPixel = 24;
  bool RemoteSession = false;
  int32_t ScreenDpiX = 96, ScreenDpiY = 96;
  int32_t PrintDpiX = 300, PrintDpiY = 300;
  bool HasMMX = false;
  int32_t EdgeWidth = 2, EdgeHeight = 2;
  int32_t BorderWidth = 1, BorderHeight = 1;
  int32_t HScrollHeight = 16, VScrollWidth = 16;
  int32_t GridMinZoom = 400;
  std::unique_ptr<TPen> GridPen;
};
extern TIEViewUnitState IEViewUnit;
