// The control core: TControl (a rectangle with a parent, alignment, anchors,
// font, colour, caption, mouse events and a message dispatcher), TWinControl
// (a control with a window of the window system, child controls, focus and
// the keyboard), TCustomControl (a window control painting on a canvas) and
// TGraphicControl (a windowless control painted and fed mouse input by its
// parent).
//
// Vocabulary:
//   message       a TMessage: Msg, WParam, LParam and the Result the handler
//                 gives. Window messages (WM_*) come from the window system;
//                 control messages (CM_*) are the framework's notifications
//                 between controls; CN_* are window messages reflected back
//                 to the control they concern (CN_KEYDOWN = CN_BASE + WM_KEYDOWN).
//   dispatch      WndProc(msg) is the control's first look at every message;
//                 it ends in Dispatch(msg), a per-class switch that calls the
//                 class's virtual handler (WMPaint, CMMouseEnter, ...) and
//                 falls back to the ancestor's Dispatch, finally to
//                 DefaultHandler (the window system's default for windowed
//                 controls). A descendant overrides a handler to change one
//                 message, or Dispatch to handle a message of its own, and
//                 calls the ancestor's version where the framework says
//                 "inherited".
//   client        coordinates relative to a control's client area. For a
//                 graphic control its client area is its bounds rectangle;
//                 for a windowed control the window's client area.
//   showing       a control is showing when it and all its parents are
//                 visible.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/component.h"
#include "platform/vcl/graphics.h"
#include "platform/vcl/imglist.h"
#include "platform/win/winuser.h"

class TControl;
class TWinControl;
class TCustomForm;
class TBasicAction;
class TBasicActionLink;

// ---------------------------------------------------------------- messages
struct TMessage {
  win::UINT Msg = 0;
  win::WPARAM WParam = 0;
  win::LPARAM LParam = 0;
  win::LRESULT Result = 0;
  win::WORD WParamLo() const { return win::LOWORD(WParam); }
  win::WORD WParamHi() const { return win::HIWORD(WParam); }
  win::WORD LParamLo() const { return win::LOWORD(uintptr_t(LParam)); }
  win::WORD LParamHi() const { return win::HIWORD(uintptr_t(LParam)); }
};

constexpr win::UINT CM_BASE = 0xB000;
constexpr win::UINT CM_ACTIVATE = CM_BASE + 0, CM_DEACTIVATE = CM_BASE + 1, CM_GOTFOCUS = CM_BASE + 2,
                    CM_LOSTFOCUS = CM_BASE + 3, CM_CANCELMODE = CM_BASE + 4, CM_DIALOGKEY = CM_BASE + 5,
                    CM_DIALOGCHAR = CM_BASE + 6, CM_FOCUSCHANGED = CM_BASE + 7,
                    CM_PARENTFONTCHANGED = CM_BASE + 8, CM_PARENTCOLORCHANGED = CM_BASE + 9,
                    CM_HITTEST = CM_BASE + 10, CM_VISIBLECHANGED = CM_BASE + 11,
                    CM_ENABLEDCHANGED = CM_BASE + 12, CM_COLORCHANGED = CM_BASE + 13,
                    CM_FONTCHANGED = CM_BASE + 14, CM_CURSORCHANGED = CM_BASE + 15,
                    CM_CTL3DCHANGED = CM_BASE + 16, CM_PARENTCTL3DCHANGED = CM_BASE + 17,
                    CM_TEXTCHANGED = CM_BASE + 18, CM_MOUSEENTER = CM_BASE + 19, CM_MOUSELEAVE = CM_BASE + 20,
                    CM_MENUCHANGED = CM_BASE + 21, CM_APPKEYDOWN = CM_BASE + 22,
                    CM_APPSYSCOMMAND = CM_BASE + 23, CM_BUTTONPRESSED = CM_BASE + 24,
                    CM_SHOWINGCHANGED = CM_BASE + 25, CM_ENTER = CM_BASE + 26, CM_EXIT = CM_BASE + 27,
                    CM_DESIGNHITTEST = CM_BASE + 28, CM_ICONCHANGED = CM_BASE + 29,
                    CM_WANTSPECIALKEY = CM_BASE + 30, CM_INVOKEHELP = CM_BASE + 31,
                    CM_WINDOWHOOK = CM_BASE + 32, CM_RELEASE = CM_BASE + 33,
                    CM_SHOWHINTCHANGED = CM_BASE + 34, CM_PARENTSHOWHINTCHANGED = CM_BASE + 35,
                    CM_SYSCOLORCHANGE = CM_BASE + 36, CM_WININICHANGE = CM_BASE + 37,
                    CM_FONTCHANGE = CM_BASE + 38, CM_TIMECHANGE = CM_BASE + 39,
                    CM_TABSTOPCHANGED = CM_BASE + 40, CM_UIACTIVATE = CM_BASE + 41,
                    CM_UIDEACTIVATE = CM_BASE + 42, CM_DOCWINDOWACTIVATE = CM_BASE + 43,
                    CM_CONTROLLISTCHANGE = CM_BASE + 44, CM_GETDATALINK = CM_BASE + 45,
                    CM_CHILDKEY = CM_BASE + 46, CM_DRAG = CM_BASE + 47, CM_HINTSHOW = CM_BASE + 48,
                    CM_DIALOGHANDLE = CM_BASE + 49, CM_ISTOOLCONTROL = CM_BASE + 50,
                    CM_RECREATEWND = CM_BASE + 51, CM_INVALIDATE = CM_BASE + 52,
                    CM_SYSFONTCHANGED = CM_BASE + 53, CM_CONTROLCHANGE = CM_BASE + 54,
                    CM_CHANGED = CM_BASE + 55, CM_BORDERCHANGED = CM_BASE + 59,
                    CM_BIDIMODECHANGED = CM_BASE + 60, CM_PARENTBIDIMODECHANGED = CM_BASE + 61,
                    CM_ACTIONUPDATE = CM_BASE + 63, CM_ACTIONEXECUTE = CM_BASE + 64,
                    CM_HINTSHOWPAUSE = CM_BASE + 65, CM_MOUSEWHEEL = CM_BASE + 67,
                    CM_ISSHORTCUT = CM_BASE + 68;
constexpr win::UINT CN_BASE = 0xBC00;
constexpr win::UINT CN_COMMAND = CN_BASE + win::WM_COMMAND, CN_NOTIFY = CN_BASE + win::WM_NOTIFY,
                    CN_KEYDOWN = CN_BASE + win::WM_KEYDOWN, CN_KEYUP = CN_BASE + win::WM_KEYUP,
                    CN_CHAR = CN_BASE + win::WM_CHAR, CN_SYSKEYDOWN = CN_BASE + win::WM_SYSKEYDOWN,
                    CN_SYSCHAR = CN_BASE + win::WM_SYSCHAR, CN_HSCROLL = CN_BASE + win::WM_HSCROLL,
                    CN_VSCROLL = CN_BASE + win::WM_VSCROLL, CN_DRAWITEM = CN_BASE + win::WM_DRAWITEM;

// Key data: bit 29 is set while Alt is down.
constexpr int32_t AltMask = 0x20000000;

// Decoded views of a message. From() reads a TMessage; a handler that changes
// a view's fields writes them back with To() where the sender reads them.
struct TWMKey {
  win::UINT Msg = 0;
  win::WORD CharCode = 0;  // virtual key (key messages) or UTF-16 unit (character messages)
  int32_t KeyData = 0;
  win::LRESULT Result = 0;
  static TWMKey From(const TMessage& m) { return {m.Msg, win::WORD(m.WParam), int32_t(m.LParam), m.Result}; }
  void To(TMessage& m) const {
    m.WParam = CharCode;
    m.Result = Result;
  }
};
using TWMChar = TWMKey;
using TWMKeyDown = TWMKey;
using TCMDialogKey = TWMKey;
using TCMDialogChar = TWMKey;
using TCMWantSpecialKey = TWMKey;

struct TWMMouse {
  win::UINT Msg = 0;
  win::WPARAM Keys = 0;  // MK_* flags
  int32_t XPos = 0, YPos = 0;
  static TWMMouse From(const TMessage& m) {
    return {m.Msg, m.WParam, win::GET_X_LPARAM(m.LParam), win::GET_Y_LPARAM(m.LParam)};
  }
  TPoint Pos() const { return {XPos, YPos}; }
};

// CM_HINTSHOW: LParam points at a THintInfo the control may change; a
// non-zero Result cancels the hint.
class THintWindow;
struct THintInfo {
  TControl* HintControl = nullptr;
  TClass HintWindowClass = nullptr;
  TPoint HintPos;         // screen
  int32_t HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  TRect CursorRect;       // client coordinates of HintControl: the hint stays while the cursor is inside
  TPoint CursorPos;       // client coordinates of HintControl
  int32_t ReshowTimeout = 0;
  int32_t HideTimeout = 0;
  std::string HintStr;
  void* HintData = nullptr;
};

// ---------------------------------------------------------------- basic types
enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TBiDiMode : uint8_t { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TAnchorKind : uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TSmallSet<TAnchorKind>;
enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };
enum TShiftStateItem : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSmallSet<TShiftStateItem>;
enum TDragMode : uint8_t { dmManual, dmAutomatic };
enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;  // bsNone or bsSingle for controls

enum TControlStyleItem : uint8_t {
  csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption, csOpaque,
  csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents,
  csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csNeedsBorderPaint, csParentBackground,
  csPannable, csAlignWithMargins
};
using TControlStyle = TSmallSet<TControlStyleItem>;
enum TControlStateItem : uint8_t {
  csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating,
  csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking, csDesignerHide, csPanning, csRecreating,
  csAligning, csPrintClient
};
using TControlState = TSmallSet<TControlStateItem>;

// Cursor identifiers: negative values are the standard cursors, positive ones
// are the program's (Screen->SetCursors).
using TCursor = int16_t;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSize = -22,
                  crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10,
                  crHourGlass = -11, crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15,
                  crMultiDrag = -16, crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20,
                  crHandPoint = -21, crSizeAll = -22;
bool CursorToIdent(int64_t cursor, std::string& ident);
bool IdentToCursor(std::string_view ident, int64_t& cursor);

using TModalResult = int32_t;
constexpr TModalResult mrNone = 0, mrOk = win::IDOK, mrCancel = win::IDCANCEL, mrAbort = win::IDABORT,
                       mrRetry = win::IDRETRY, mrIgnore = win::IDIGNORE, mrYes = win::IDYES, mrNo = win::IDNO,
                       mrAll = 8, mrNoToAll = 9, mrYesToAll = 10, mrClose = 11;

// Keyboard shortcuts: the virtual key in the low byte, modifiers above.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;
TShortCut ShortCut(win::WORD key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, win::WORD& key, TShiftState& shift);
// "Shift+Ctrl+F5", "Alt+Enter", "Ctrl+7"; empty for scNone or an unnamed key.
std::string ShortCutToText(TShortCut shortCut);
// The inverse, ignoring case; scNone for text that names no key.
TShortCut TextToShortCut(std::string_view text);
// Modifiers of key messages (Alt from the key data, Shift and Ctrl from the key state).
TShiftState KeyDataToShiftState(int32_t keyData);
// Modifiers and buttons of mouse messages (MK_* flags; Alt from the key state).
TShiftState KeysToShiftState(win::WPARAM keys);
// Modifiers and buttons held now.
TShiftState KeyboardStateToShiftState();

// ---------------------------------------------------------------- events
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int32_t X, int32_t Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int32_t WheelDelta, TPoint MousePos,
                                            bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, win::WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char16_t& Key)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TCanResizeEvent = std::function<void(TObject* Sender, int32_t& NewWidth, int32_t& NewHeight, bool& Resize)>;
using TAlignPositionEvent = std::function<void(TWinControl* Sender, TControl* Control, int32_t& NewLeft,
                                               int32_t& NewTop, int32_t& NewWidth, int32_t& NewHeight,
                                               TRect& AlignRect)>;

// What the control core asks of a popup menu. TControl::PopupMenu holds a
// component; when that component implements this interface the control
// shows it on a context-menu request and lets it claim its shortcuts.
class IControlPopupMenu {
public:
  virtual ~IControlPopupMenu() = default;
  // Shows the menu at a screen point for the control (PopupComponent).
  virtual void PopupFor(TControl* control, int32_t X, int32_t Y) = 0;
  virtual bool AutoPopup() const = 0;
  // True when a shortcut of an item matched and its action ran.
  virtual bool IsShortCut(TWMKey& message) = 0;
};

// ---------------------------------------------------------------- helpers
// Min/max sizes of a control; 0 means no limit.
class TSizeConstraints : public TPersistent {
  DX_CLASS(TSizeConstraints, TPersistent)
public:
  explicit TSizeConstraints(TControl* control) : control_(control) {}
  void Assign(TPersistent* source) override;
  int32_t MaxHeight() const { return maxHeight_; }
  int32_t MaxWidth() const { return maxWidth_; }
  int32_t MinHeight() const { return minHeight_; }
  int32_t MinWidth() const { return minWidth_; }
  void SetMaxHeight(int32_t v);
  void SetMaxWidth(int32_t v);
  void SetMinHeight(int32_t v);
  void SetMinWidth(int32_t v);
  TNotifyEvent OnChange;

private:
  void Change();
  TControl* control_;
  int32_t maxHeight_ = 0, maxWidth_ = 0, minHeight_ = 0, minWidth_ = 0;
};

// A canvas drawing on a control: on the control's own window DC, or for a
// graphic control on its parent's with the origin moved to the control and
// the drawing clipped to it. While a control paints, its canvas is bound to
// the paint DC instead.
class TControlCanvas : public TCanvas {
  DX_CLASS(TControlCanvas, TCanvas)
public:
  TControlCanvas() = default;
  ~TControlCanvas() override;
  TControl* Control() const { return control_; }
  void SetControl(TControl* control);
  // Gives back the window DC this canvas took, if any.
  void FreeHandle();

protected:
  void CreateHandle() override;

private:
  TControl* control_ = nullptr;
  win::HDC dc_ = nullptr;       // taken by CreateHandle, released by FreeHandle
  win::HWND dcWindow_ = nullptr;
};

// Messages to an object without a control: a hidden message-only window whose
// messages go to method. The window is destroyed by DeallocateHWnd.
win::HWND AllocateHWnd(std::function<void(TMessage&)> method);
void DeallocateHWnd(win::HWND wnd);

// ---------------------------------------------------------------- TControl
class TControl : public TComponent {
  DX_COMPONENT_CLASS(TControl, TComponent)
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // The parent draws and lays out this control; it does not own it unless it
  // is also its owner. Setting it inserts the control in the parent's list.
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* AParent);

  int32_t Left() const { return left_; }
  int32_t Top() const { return top_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  void SetLeft(int32_t v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int32_t v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int32_t v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int32_t v) { SetBounds(left_, top_, width_, v); }
  // Parent client coordinates. Applies constraints, moves the window (if
  // any), realigns the parent and this control's children, fires OnResize
  // after a size change.
  virtual void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  // (0, 0, ClientWidth, ClientHeight).
  virtual TRect ClientRect();
  int32_t ClientWidth() { return ClientRect().Width(); }
  int32_t ClientHeight() { return ClientRect().Height(); }
  void SetClientWidth(int32_t v);
  void SetClientHeight(int32_t v);
  void SetClientSize(int32_t w, int32_t h);
  // Client origin in screen coordinates.
  virtual TPoint ClientOrigin();
  TPoint ClientToScreen(TPoint p) { return p + ClientOrigin(); }
  TPoint ScreenToClient(TPoint p) { return p - ClientOrigin(); }
  // To and from the client coordinates of AParent (default Parent), which
  // must be an ancestor; EInvalidOperation otherwise.
  TPoint ClientToParent(TPoint p, TWinControl* AParent = nullptr);
  TPoint ParentToClient(TPoint p, TWinControl* AParent = nullptr);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign v);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors v);
  TSizeConstraints* Constraints() { return constraints_.get(); }
  void SetConstraints(TSizeConstraints* v) { constraints_->Assign(v); }
  bool AlignDisabled() const;

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible and every parent up to a form is showing (a form: visible).
  virtual bool Showing();
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);

  // Text and Caption are one value; CM_TEXTCHANGED follows a change.
  std::string Text() { return GetText(); }
  void SetText(const std::string& v) { SetTextValue(v); }
  std::string Caption() { return GetText(); }
  void SetCaption(const std::string& v) { SetTextValue(v); }
  // The text through WM_GETTEXT / WM_SETTEXT, as the framework does.
  int32_t GetTextBuf(char* buffer, int32_t bufSize);
  int32_t GetTextLen();
  void SetTextBuf(const char* buffer);

  TFont* Font() { return font_.get(); }
  void SetFont(TFont* v) { font_->Assign(v); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v);
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool v);
  // Reading order and alignment. Setting it clears ParentBiDiMode; with
  // ParentBiDiMode the parent's mode is taken (CM_BIDIMODECHANGED on a change).
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode v);
  bool ParentBiDiMode() const { return parentBiDiMode_; }
  void SetParentBiDiMode(bool v);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor v);
  // A component implementing IControlPopupMenu (the menu classes); free
  // notification clears it when the menu dies.
  TComponent* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TComponent* v);
  TDragMode DragMode() const { return dragMode_; }
  void SetDragMode(TDragMode v) { dragMode_ = v; }
  // The linked action: its Caption, Enabled, Hint, Visible follow it, a click executes it.
  TBasicAction* Action() const { return action_; }
  void SetAction(TBasicAction* v);
  // Called by the linked action when one of its properties changed.
  virtual void ActionChange(TBasicAction* sender, bool checkDefaults);
  // Offered an action that found no handler: true when this control carried
  // it out. By default the action decides (HandlesTarget, ExecuteTarget).
  virtual bool ExecuteAction(TBasicAction* Action);

  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle v) { controlStyle_ = v; }
  TControlState ControlState() const { return controlState_; }
  void SetControlState(TControlState v) { controlState_ = v; }
  bool MouseCapture();
  void SetMouseCapture(bool v);
  int32_t HelpContext() const { return helpContext_; }
  void SetHelpContext(int32_t v) { helpContext_ = v; }

  // Sends a message straight to WndProc; returns its Result.
  win::LRESULT Perform(win::UINT msg, win::WPARAM wParam = 0, win::LPARAM lParam = 0);
  // The control's first look at every message (replaceable per instance through WindowProc).
  virtual void WndProc(TMessage& message);
  // Routes a message to this class's handler; unhandled ones reach DefaultHandler.
  virtual void Dispatch(TMessage& message);
  virtual void DefaultHandler(TMessage& message);
  // Per-instance replacement of WndProc (subclassing by other objects); empty = WndProc.
  std::function<void(TMessage&)> WindowProc;

  // Marks the control's area for repainting.
  virtual void Invalidate();
  // Paints now what is invalid.
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  virtual void BringToFront();
  void SendToBack();
  // The control's own z-position among its parent's controls of its kind.
  void SetZOrder(bool topMost);

  // The form this control is on (null when none).
  TCustomForm* GetParentForm() const;

  virtual void Click();
  virtual void DblClick();

  // Streaming: the parent is the parent component.
  bool HasParent() override { return true; }
  TComponent* GetParentComponent() override;
  void SetParentComponent(TComponent* value) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation operation) override;

  // The ancestors' chain is alive until the returned token expires; code
  // that calls user events and touches the control afterwards checks it.
  std::weak_ptr<bool> AliveToken() const { return alive_; }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;
  TContextPopupEvent OnContextPopup;
  TCanResizeEvent OnCanResize;

protected:
  friend class TWinControl;
  friend class TApplication;
  friend class TControlCanvas;

  virtual std::string GetText();
  virtual void SetTextValue(const std::string& value);
  // Text storage when there is no window.
  const std::string& TextField() const { return text_; }

  virtual void Resize();
  virtual void Changed();
  virtual void RequestAlign();
  // The alignment rectangle and resizing policy of this control as a child.
  virtual bool CanResize(int32_t& NewWidth, int32_t& NewHeight);
  virtual void ConstrainedResize(int32_t& /*MinWidth*/, int32_t& /*MinHeight*/, int32_t& /*MaxWidth*/,
                                 int32_t& /*MaxHeight*/) {}
  void DoConstraintsChange(TObject* Sender);
  void ApplyConstraints(int32_t& w, int32_t& h);
  // Anchor bookkeeping: the distances to the parent's client edges, updated
  // when the control moves and used when the parent resizes.
  void UpdateAnchorRules();
  void AnchorToParent(const TSize& oldParentClient, const TSize& newParentClient);

  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  virtual void MouseMove(TShiftState Shift, int32_t X, int32_t Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  virtual bool DoMouseWheel(TShiftState Shift, int32_t WheelDelta, TPoint MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  virtual void DoContextPopup(TPoint MousePos, bool& Handled);
  // The parent's menu when ParentShowHint-like inheritance finds none here.
  virtual TComponent* GetPopupMenu() { return popupMenu_; }

  virtual void VisibleChanging() {}
  virtual void UpdateBoundsRect(const TRect& r);
  virtual void SetZOrderPosition(int32_t position);
  // The area a graphic control covers in its parent's client area.
  virtual void InvalidateControl(bool isVisible, bool isOpaque);

  // Message handlers (see Dispatch).
  virtual void WMLButtonDown(TMessage& m);
  virtual void WMRButtonDown(TMessage& m);
  virtual void WMMButtonDown(TMessage& m);
  virtual void WMLButtonDblClk(TMessage& m);
  virtual void WMRButtonDblClk(TMessage& m);
  virtual void WMMButtonDblClk(TMessage& m);
  virtual void WMMouseMove(TMessage& m);
  virtual void WMLButtonUp(TMessage& m);
  virtual void WMRButtonUp(TMessage& m);
  virtual void WMMButtonUp(TMessage& m);
  virtual void WMMouseWheel(TMessage& m);
  virtual void WMCancelMode(TMessage& m);
  virtual void WMWindowPosChanged(TMessage& m);
  virtual void WMContextMenu(TMessage& m);
  virtual void CMVisibleChanged(TMessage& m);
  virtual void CMEnabledChanged(TMessage& m);
  virtual void CMFontChanged(TMessage& m);
  virtual void CMColorChanged(TMessage& m);
  virtual void CMParentFontChanged(TMessage& m);
  virtual void CMParentColorChanged(TMessage& m);
  virtual void CMParentShowHintChanged(TMessage& m);
  virtual void CMSysColorChange(TMessage& m);
  virtual void CMHitTest(TMessage& m);
  virtual void CMMouseEnter(TMessage& m);
  virtual void CMMouseLeave(TMessage& m);
  virtual void CMHintShow(TMessage& m);
  virtual void CMTextChanged(TMessage& /*m*/) {}
  virtual void CMCursorChanged(TMessage& /*m*/) {}
  virtual void CMMouseWheel(TMessage& m);
  virtual void CMCancelMode(TMessage& /*m*/) {}
  virtual void CMActionUpdate(TMessage& /*m*/) {}

  void FontChanged(TObject* Sender);
  void SendCancelMode(TControl* sender);
  // WM_SETTEXT / WM_GETTEXT / WM_GETTEXTLENGTH on the stored text.
  void TextMessage(TMessage& m);

  TControlStyle controlStyle_ = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState controlState_;

private:
  void DoMouseDown(TMessage& m, TMouseButton button, TShiftState shift);
  void DoMouseUp(TMessage& m, TMouseButton button);

  TWinControl* parent_ = nullptr;
  int32_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  TAnchors anchors_ = {akLeft, akTop};
  TRect anchorRules_;       // bounds when the rules were taken
  TSize anchorParentSize_;  // the parent's client size then
  bool anchorRulesValid_ = false;
  bool anchoring_ = false;  // SetBounds comes from the anchor rules: keep them
  bool parentFontUpdate_ = false;  // the font changes because the parent's did
  std::unique_ptr<TBasicActionLink> actionLink_;
  std::unique_ptr<TSizeConstraints> constraints_;
  bool visible_ = true;
  bool enabled_ = true;
  std::string text_;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  TColor color_ = clWindow;
  bool parentColor_ = true;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TBiDiMode biDiMode_ = bdLeftToRight;
  bool parentBiDiMode_ = true;
  TCursor cursor_ = crDefault;
  TComponent* popupMenu_ = nullptr;
  TDragMode dragMode_ = dmManual;
  TBasicAction* action_ = nullptr;
  int32_t helpContext_ = 0;
  bool inSetBounds_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// ---------------------------------------------------------------- TWinControl
// The description CreateParams fills for CreateWindowHandle.
struct TCreateParams {
  std::string Caption;
  win::DWORD Style = 0;
  win::DWORD ExStyle = 0;
  int32_t X = 0, Y = 0, Width = 0, Height = 0;
  win::HWND WndParent = nullptr;
  void* Param = nullptr;
  // Class styles, cursor and background of the window class; the class is
  // registered under WinClassName on first use.
  win::UINT WindowClassStyle = 0;
  win::HCURSOR WindowClassCursor = nullptr;
  win::HBRUSH WindowClassBackground = nullptr;
  std::string WinClassName;
};

class TWinControl : public TControl {
  DX_COMPONENT_CLASS(TWinControl, TControl)
public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // The window, created on first request (with the parent's window first).
  // EInvalidOperation "Control 'Name' has no parent window" for a child
  // control without a parent.
  win::HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded();
  // Destroys the window (children's first); it is made again on demand.
  void DestroyHandle();
  // Destroys and remakes the window when it exists, keeping every property.
  void RecreateWnd();
  // A windowed parent's window that a child without a parent control uses
  // (embedding in a foreign window).
  win::HWND ParentWindow() const { return parentWindow_; }
  void SetParentWindow(win::HWND v);

  // Children in the framework's order: graphic controls first, then windowed
  // ones, each in z-order from the bottom.
  int32_t ControlCount() const { return int32_t(controls_.size() + winControls_.size()); }
  TControl* Controls(int32_t index) const;
  bool ContainsControl(TControl* control) const;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  // The child (graphic or windowed) at a client point, topmost first;
  // allowDisabled admits disabled ones.
  TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls = false);
  void Broadcast(TMessage& message);
  // Sends message to each child, stops when one answers non-zero.
  void NotifyControls(win::UINT msg);

  // Lays out the children (alignment, anchors); nested calls are merged.
  void Realign();
  void DisableAlign();
  void EnableAlign();
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  // The rectangle aligned children share; the client rectangle by default.
  virtual void AdjustClientRect(TRect& Rect);
  bool AlignDisabledHere() const { return alignLevel_ > 0; }

  int32_t TabOrder();
  void SetTabOrder(int32_t v);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v);
  // Tab-order list of this control's windowed children.
  void GetTabOrderList(std::vector<TWinControl*>& list);
  // The next (or previous) control after current in tab order among this
  // control's descendants; checkTabStop skips controls without TabStop,
  // checkParent keeps to current's parent.
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent);
  void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
  virtual bool CanFocus();
  virtual bool Focused();
  virtual void SetFocus();
  bool Showing() override;

  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool v) { doubleBuffered_ = v; }
  bool ParentBackground() const { return controlStyle_.Contains(csParentBackground); }
  void SetParentBackground(bool v);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool v);
  bool ParentCtl3D() const { return parentCtl3D_; }
  void SetParentCtl3D(bool v) { parentCtl3D_ = v; }

  void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
  TRect ClientRect() override;
  TPoint ClientOrigin() override;
  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  // Paints the client area and the children into dc (WM_PRINTCLIENT-style).
  void PaintTo(win::HDC dc, int32_t X, int32_t Y);
  void ScrollBy(int32_t DeltaX, int32_t DeltaY);

  void WndProc(TMessage& message) override;
  void Dispatch(TMessage& message) override;
  // The window system's default for the window.
  void DefaultHandler(TMessage& message) override;

  // The windowed control under a window handle (null when none of ours).
  static TWinControl* FindControl(win::HWND hwnd);

  void GetChildren(const TGetChildProc& proc, TComponent* root) override;

  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

protected:
  friend class TControl;
  friend class TCustomForm;
  friend class TApplication;

  virtual void CreateParams(TCreateParams& Params);
  // CreateParams, CreateWindowHandle, then the children's windows.
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void CreateHandle();
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  // Creates the children's windows after this one's.
  void CreateChildHandles();

  // Painting: WM_PAINT calls PaintHandler, which paints the window
  // (PaintWindow) then the graphic children (PaintControls) into the DC,
  // through a memory bitmap when DoubleBuffered.
  void PaintHandler(TMessage& m);
  virtual void PaintWindow(win::HDC dc);
  void PaintControls(win::HDC dc, TControl* first);
  // Fills the client area with the background colour (WM_ERASEBKGND).
  virtual void EraseBackground(win::HDC dc);

  virtual bool DoKeyDown(TWMKey& message);
  virtual bool DoKeyPress(TWMKey& message);
  virtual bool DoKeyUp(TWMKey& message);
  virtual void KeyDown(win::WORD& Key, TShiftState Shift);
  virtual void KeyPress(char16_t& Key);
  virtual void KeyUp(win::WORD& Key, TShiftState Shift);
  // Shortcuts of popup menus up the parent chain and of the form.
  virtual bool IsMenuKey(TWMKey& message);
  virtual void DoEnter();
  virtual void DoExit();
  virtual void Resize() override;
  void UpdateShowing();
  virtual void SetChildOrder(TComponent* child, int32_t order) override;
  void Loaded() override;
  void ReadState(TReader* reader) override;
  virtual void ControlsAligned() {}
  // Alignment position of a control with alCustom.
  virtual void CustomAlignPosition(TControl* /*Control*/, int32_t& /*NewLeft*/, int32_t& /*NewTop*/,
                                   int32_t& /*NewWidth*/, int32_t& /*NewHeight*/, TRect& /*AlignRect*/) {}
  virtual void ShowControl(TControl* /*AControl*/) {}
  void SelectFirst();

  // Handlers.
  virtual void WMPaint(TMessage& m);
  virtual void WMEraseBkgnd(TMessage& m);
  virtual void WMSize(TMessage& m);
  virtual void WMMove(TMessage& m);
  virtual void WMSetFocus(TMessage& m);
  virtual void WMKillFocus(TMessage& m);
  virtual void WMSetCursor(TMessage& m);
  virtual void WMKeyDown(TMessage& m);
  virtual void WMSysKeyDown(TMessage& m);
  virtual void WMKeyUp(TMessage& m);
  virtual void WMSysKeyUp(TMessage& m);
  virtual void WMChar(TMessage& m);
  virtual void WMSysChar(TMessage& m);
  virtual void WMNCDestroy(TMessage& m);
  virtual void WMPrintClient(TMessage& m);
  virtual void WMCommand(TMessage& m);
  virtual void WMNotify(TMessage& m);
  virtual void WMMouseWheel(TMessage& m) override;
  virtual void WMSetText(TMessage& m);
  virtual void WMGetText(TMessage& m);
  virtual void WMCaptureChanged(TMessage& m) { DefaultHandler(m); }
  // Window timers (SetTimer on Handle) arrive here.
  virtual void WMTimer(TMessage& m) { DefaultHandler(m); }
  // The window's default turns it into WM_MOVE and WM_SIZE.
  void WMWindowPosChanged(TMessage& m) override { DefaultHandler(m); }
  virtual void WMGetTextLength(TMessage& m);
  virtual void CNKeyDown(TMessage& m);
  virtual void CNKeyUp(TMessage& m);
  virtual void CNChar(TMessage& m);
  virtual void CNSysKeyDown(TMessage& m);
  virtual void CNSysChar(TMessage& m);
  virtual void CMDialogKey(TMessage& m);
  virtual void CMDialogChar(TMessage& m);
  virtual void CMChildKey(TMessage& /*m*/) {}
  virtual void CMWantSpecialKey(TMessage& /*m*/) {}
  virtual void CMFocusChanged(TMessage& m);
  virtual void CMEnter(TMessage& m);
  virtual void CMExit(TMessage& m);
  virtual void CMShowingChanged(TMessage& m);
  virtual void CMVisibleChanged(TMessage& m) override;
  virtual void CMEnabledChanged(TMessage& m) override;
  virtual void CMColorChanged(TMessage& m) override;
  virtual void CMFontChanged(TMessage& m) override;
  virtual void CMSysColorChange(TMessage& m) override;
  virtual void CMParentFontChanged(TMessage& m) override;
  virtual void CMTextChanged(TMessage& m) override;
  virtual void CMRecreateWnd(TMessage& m);
  virtual void CMInvalidate(TMessage& m);
  virtual void CMCursorChanged(TMessage& m) override;
  virtual void CMShowHintChanged(TMessage& m);
  virtual void CMTabStopChanged(TMessage& /*m*/) {}
  virtual void CMControlListChange(TMessage& /*m*/) {}
  virtual void CMControlChange(TMessage& /*m*/) {}

  // The window procedure the window class calls: looks up the control and
  // passes the message to WindowProc, turning an escaping exception into
  // Application->HandleException.
  static win::LRESULT InitWndProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);

  win::HWND handle_ = nullptr;
  TAlignPositionEvent OnAlignPosition;

  // Shows or hides the window as Visible and the parents say (forms and
  // parent-windowed controls at the top of the chain).
  void UpdateControlState();
  // Reads the bounds back from the window.
  void UpdateBounds();
  TRect CurrentWindowBounds();

private:
  void AlignControl(TControl* AControl);
  void MoveControl(TControl* control, int32_t position);
  void PlaceWindowInZOrder(TWinControl* w);
  void UpdateTabOrder(int32_t value);
  void RemoveFocus(bool removing);

  std::vector<TControl*> controls_;
  std::vector<TWinControl*> winControls_;
  std::vector<TWinControl*> tabList_;
  win::HWND parentWindow_ = nullptr;
  int32_t alignLevel_ = 0;
  bool tabStop_ = false;
  bool doubleBuffered_ = false;
  bool ctl3D_ = true;
  bool parentCtl3D_ = true;
  bool showing_ = false;
  int32_t pendingTabOrder_ = -1;
};

// ---------------------------------------------------------------- TCustomControl / TGraphicControl
// A windowed control that paints itself on Canvas in Paint.
class TCustomControl : public TWinControl {
  DX_COMPONENT_CLASS(TCustomControl, TWinControl)
public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* Canvas() { return canvas_.get(); }

protected:
  virtual void Paint();
  void PaintWindow(win::HDC dc) override;

private:
  std::unique_ptr<TControlCanvas> canvas_;
};

// A windowless control; its parent paints it (through Canvas, already moved
// to the control's origin and clipped to it) and hands it mouse messages.
class TGraphicControl : public TControl {
  DX_COMPONENT_CLASS(TGraphicControl, TControl)
public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* Canvas() { return canvas_.get(); }

protected:
  friend class TWinControl;
  virtual void Paint() {}
  // Called by the parent's PaintControls with a DC already moved and clipped.
  void WMPaint(TMessage& m);
  void Dispatch(TMessage& message) override;

private:
  std::unique_ptr<TControlCanvas> canvas_;
};

// ---------------------------------------------------------------- the mouse
class TMouse {
public:
  TPoint CursorPos() const;
  void SetCursorPos(TPoint p);
  // The window holding the mouse capture.
  win::HWND Capture() const;
  void SetCapture(win::HWND h);
  bool MousePresent() const { return true; }
  bool WheelPresent() const { return true; }
  int32_t WheelScrollLines() const;
  int32_t DragThreshold() const { return dragThreshold_; }
  void SetDragThreshold(int32_t v) { dragThreshold_ = v; }
  bool DragImmediate() const { return dragImmediate_; }
  void SetDragImmediate(bool v) { dragImmediate_ = v; }

private:
  int32_t dragThreshold_ = 5;
  bool dragImmediate_ = true;
};
extern TMouse* Mouse;

// The control (graphic or windowed) under a screen point, topmost first;
// allowDisabled admits disabled ones. Null when none of ours is there.
TControl* FindDragTarget(TPoint pos, bool allowDisabled);
// The form a control is on, or null.
TCustomForm* GetParentForm(TControl* control, bool topForm = true);
// The control whose window has the keyboard focus, or null.
TWinControl* FindControl(win::HWND hwnd);

// Published properties of the control classes and their registration with
// the class registry, for form descriptions. Called by Application->Initialize.
void RegisterControlsClasses();
