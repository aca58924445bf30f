// Window and form helpers of the toolbar library; the styles of container
// controls with the component that lets containers share them; and the list
// of open popup windows with the three thread hooks that close them when the
// user acts elsewhere. No container control and no popup window exists in
// this system: the styles stand ready for such controls, and the hooks pass
// every message on.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/classes/lists.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/graphics.h"
#include "ui/lookandfeel/cxClasses.h"
#include "ui/lookandfeel/cxGraphics.h"

class TCustomForm;

// ---- window and form helpers

// The form's window is the active one, or the top-level window holding it is.
bool IsFormActive(TCustomForm* AForm);
// The first window from Wnd up its parents that is not a child window; 0 when none.
win::HWND GetTopLevelWindow(win::HWND AWnd);
// Takes Wnd's queued messages in [MinMsg, MaxMsg] out of the queue: all of
// them, or at most one when All is false. A WM_QUIT met is posted again and
// ends the removal. True when a message was removed.
bool RemovePendingMessages(win::HWND AWnd, win::UINT AMinMsg, win::UINT AMaxMsg, bool AAll);
// Disables Wnd when it is enabled and remembers it in List (of HWND).
void DisableWindowIntoList(TList* AList, win::HWND AWnd);
// Enables the windows of List that still exist; nothing for a null list.
void EnableWindowsFromList(TList* AList);
// Modifiers and mouse buttons held now.
TShiftState GetShiftState();
bool IsControlWindowVisible(TWinControl* AControl);
// Wnd is the control's window or, with Deep, lies inside it: in its window,
// in one of its windowed children's, or in a listed popup window it opened.
bool IsWindowOf(TWinControl* AControl, win::HWND AWnd, bool ADeep);

// The number of a container style value whose name equals Name ignoring
// case ("BorderColor" 0 ... "TransparentBorder" 9); -1 for an unknown name.
int32_t FindValueIndex(const std::string& AName);

// ---- container styles

enum TcxContainerBorderStyle : uint8_t { cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11 };
// The values of a container style, by number (the bit in AssignedValues).
enum TcxContainerStyleValue : uint8_t {
  svBorderColor, svBorderStyle, svColor, svEdges, svFont, svHotTrack, svShadow, svTextColor, svTextStyle,
  svTransparentBorder
};
using TcxContainerStyleValues = TSmallSet<TcxContainerStyleValue>;
// The state a style serves: csNormal is the base style; csActive and
// csHotTrack are the two highlighted states.
enum TcxContainerStateItem : uint8_t { csNormal, csActive, csDisabled, csHotTrack };

class TcxLookAndFeel;
class TcxStyleController;

// How a container looks in one state. The normal-state (base) style holds
// the look-and-feel, the style controller and the values that only it has
// (Edges, Font, HotTrack, Shadow, TransparentBorder); the other states read
// and write those through it. A value not assigned comes from the style
// controller's style of the same state, else from the defaults.
//
// In direct-access mode the style is a plain holder of Color, Font,
// TextColor and TextStyle for its owner: the font is the owner's (not
// copied), and changes are not announced.
class TcxContainerStyle : public TcxInterfacedPersistent {
  DX_CLASS(TcxContainerStyle, TcxInterfacedPersistent)
public:
  // The parent (the normal-state style) only for a state other than csNormal.
  TcxContainerStyle(TPersistent* AOwner, TcxContainerStateItem AState = csNormal,
                    TcxContainerStyle* AParentStyle = nullptr, bool ADirectAccessMode = false);
  ~TcxContainerStyle() override;

  void Assign(TPersistent* Source) override;
  void BeginUpdate();
  void EndUpdate();
  virtual void ResetToDefaults();
  // 1 for a base style, else its base style's.
  virtual int32_t GetStyleLevel();
  virtual int32_t GetValueCount();
  // False (and an empty name) for an index of 10 or more.
  virtual bool GetValueName(int32_t AIndex, std::string& AName);
  virtual bool IsValueAssigned(int32_t AIndex);
  bool IsBaseStyle() const { return parentStyle_ == nullptr; }
  TcxContainerStyle* BaseStyle() { return parentStyle_ ? parentStyle_ : this; }
  TcxContainerStyle* ParentStyle() const { return parentStyle_; }
  TcxContainerStateItem State() const { return state_; }
  bool DirectAccessMode() const { return directAccessMode_; }
  // The controller in effect, the default one included.
  TcxStyleController* ActiveStyleController() { return BaseStyle()->styleController_; }
  TColor GetVisibleColor();
  TFont* GetVisibleFont();

  TcxContainerStyleValues AssignedValues() const;
  void SetAssignedValues(TcxContainerStyleValues Value);
  TColor BorderColor();
  void SetBorderColor(TColor Value);
  TcxContainerBorderStyle BorderStyle();
  void SetBorderStyle(TcxContainerBorderStyle Value);
  TColor Color();
  void SetColor(TColor Value);
  TcxBorders Edges();
  void SetEdges(TcxBorders Value);
  TFont* Font();
  void SetFont(TFont* Value);
  bool HotTrack();
  void SetHotTrack(bool Value);
  TcxLookAndFeel* LookAndFeel() { return BaseStyle()->lookAndFeel_.get(); }
  void SetLookAndFeel(TcxLookAndFeel* Value);
  bool Shadow();
  void SetShadow(bool Value);
  // Null when the default controller is in effect.
  TcxStyleController* StyleController();
  // Refused silently when the controller's chain of controllers leads back to this style.
  void SetStyleController(TcxStyleController* Value);
  TColor TextColor();
  void SetTextColor(TColor Value);
  TFontStyles TextStyle();
  void SetTextStyle(TFontStyles Value);
  bool TransparentBorder();
  void SetTransparentBorder(bool Value);

  TNotifyEvent OnChanged;

protected:
  void DefineProperties(TFiler* Filer) override;
  virtual void NotifyChanged();
  virtual void ControllerChanged();
  virtual void ControllerRemoved(TcxStyleController* AController);
  virtual TColor GetDefaultBorderColor();
  virtual TcxContainerBorderStyle GetDefaultBorderStyle();
  virtual TColor GetDefaultColor();
  virtual TcxBorders GetDefaultEdges();
  virtual bool GetDefaultHotTrack();
  virtual bool GetDefaultShadow();
  virtual TColor GetDefaultTextColor();
  virtual TFontStyles GetDefaultTextStyle();
  virtual bool GetDefaultTransparentBorder();
  virtual void FontModified(TObject* Sender);
  virtual TColor ReadColor();
  virtual TcxStyleController* GetDefaultStyleController();
  virtual TColor ReadTextColor();
  virtual TFontStyles ReadTextStyle();
  virtual TcxContainerStyleValues GetBaseOnlyValues();
  // The base style takes the font of its controller's style, or a default font,
  // unless its own font is assigned.
  void RefreshFont();

private:
  friend class TcxStyleController;
  void FlushChanges();
  bool IsAssigned(TcxContainerStyleValue AValue) const { return assignedValues_.Contains(AValue); }
  // The same state's style of the controller in effect, or null.
  TcxContainerStyle* ControllerStyle();
  // Stores a value, marks it assigned and announces the change unless it was
  // assigned with that value already.
  template <class V>
  void WriteValue(V& AField, V AValue, TcxContainerStyleValue ABit);

  TColor borderColor_ = clDefault;
  TcxContainerBorderStyle borderStyle_ = cbsNone;
  TcxBorders edges_;
  bool hotTrack_ = true;
  bool shadow_ = false;
  bool transparentBorder_ = true;
  bool directAccessMode_;
  int32_t fontAssignedLock_ = 0;
  bool destroying_ = false;
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
  bool modified_ = false;
  TcxContainerStyle* parentStyle_;
  TcxContainerStateItem state_;
  TFontStyles textStyle_;
  int32_t updateCount_ = 0;
  std::unique_ptr<TFont> visibleFont_;
  TcxContainerStyleValues assignedValues_;
  TcxStyleController* styleController_ = nullptr;
  TColor color_ = clWindow;
  std::unique_ptr<TFont> ownFont_;
  TFont* font_ = nullptr;  // ownFont_, or the owner's font in direct-access mode
  TColor textColor_ = clWindowText;
};
// Makes the style of one state (the class a container's styles are made of).
using TcxContainerStyleClass = TcxContainerStyle* (*)(TPersistent* AOwner, TcxContainerStateItem AState,
                                                      TcxContainerStyle* AParentStyle);

// The four styles of a container, by state; the normal style first.
class TcxContainerStyles : public TObject {
  DX_CLASS(TcxContainerStyles, TObject)
public:
  TcxContainerStyles(TPersistent* AOwner, TcxContainerStyleClass AStyleClass);
  ~TcxContainerStyles() override;
  TcxContainerStyle* Style(TcxContainerStateItem AState) const { return styles_[AState]; }
  TcxContainerStyle* Normal() const { return styles_[csNormal]; }

private:
  TcxContainerStyle* styles_[4] = {};
};

// Lets many containers share one set of styles: a style that names it as
// its controller takes every value it does not assign from it.
class TcxStyleController : public TComponent {
  DX_COMPONENT_CLASS(TcxStyleController, TComponent)
public:
  explicit TcxStyleController(TComponent* AOwner);
  ~TcxStyleController() override;
  void Loaded() override;

  TcxContainerStyles* Styles() const { return styles_.get(); }
  TcxContainerStyle* Style() const { return styles_->Normal(); }
  // The normal style's own controller; writing it does nothing.
  TcxStyleController* FakeStyleController() const { return styles_->Normal()->StyleController(); }
  void SetFakeStyleController(TcxStyleController*) {}
  int32_t ListenerCount() const { return listeners_.Count(); }
  TcxContainerStyle* Listeners(int32_t AIndex) const { return static_cast<TcxContainerStyle*>(listeners_.Items(AIndex)); }

  TNotifyEvent OnStyleChanged;

protected:
  virtual void AddListener(TcxContainerStyle* AStyle);
  // The constructor asks the base class's (a constructor's virtual calls stay in its own class).
  virtual TcxContainerStyleClass GetStyleClass();
  virtual std::unique_ptr<TcxContainerStyles> GetStylesClass(TcxContainerStyleClass AStyleClass);
  virtual void RemoveListener(TcxContainerStyle* AStyle);
  // Tells OnStyleChanged and, unless it is being destroyed, every listener.
  void StylesChanged(TObject* Sender);

private:
  friend class TcxContainerStyle;
  TList listeners_;
  bool destroying_ = false;
  std::unique_ptr<TcxContainerStyles> styles_;
};

// The controller a style takes when given none; nothing in this system sets it.
TcxStyleController* cxDefaultStyleController();

// ---- popup windows

// The open popup windows (TWinControl*, each owned by the control that
// opened it). A popup is closed by hiding it and taking it out of the list,
// when the user presses a mouse button outside it and its owner, or when one
// of its owner's windows is destroyed, closed, hidden, moved, deactivated or
// the application is. Alt-key presses are neutralised while a popup is open.
TList* cxPopupWindowList();
// True while a container's popup is open (the bar manager asks); nothing in
// this system opens one.
extern bool ContainerPopupActive;
// Whether the platform offers GetScrollBarInfo, looked up at unit start-up.
bool cxGetScrollBarInfoExists();

void cxContainerUnitStart();
void cxContainerUnitStop();
