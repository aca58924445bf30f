// Forms and the application: TCustomForm/TForm (top-level windows with a
// border, activation, modal runs and keyboard handling for their controls),
// TApplication (the message loop, idle work, hints and exception reporting;
// the global Application), TScreen (forms, cursors, monitors and fonts; the
// global Screen), THintWindow and TDataModule.
//
// A form built from a form description is made through MakeForm<T>(owner)
// or Application->CreateForm<T>(): both construct it, then read its
// description (InitInheritedComponent) and fire OnCreate, because a C++
// constructor cannot yet reach the derived class's setters and handlers.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/strings.h"
#include "platform/vcl/controls.h"

class TCustomActionList;
class TMonitor;

enum TFormStyle : uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TBorderIcon : uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSmallSet<TBorderIcon>;
enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
enum TPosition : uint8_t {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter
};
enum TDefaultMonitor : uint8_t { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };
enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
enum TFormStateItem : uint8_t { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSmallSet<TFormStateItem>;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TShortCutEvent = std::function<void(TWMKey& Msg, bool& Handled)>;
using TMessageEvent = std::function<void(win::MSG& Msg, bool& Handled)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using TExceptionEvent = std::function<void(TObject* Sender, Exception& E)>;
using TShowHintEvent = std::function<void(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)>;

// ---------------------------------------------------------------- forms
class TCustomForm : public TWinControl {
  DX_COMPONENT_CLASS(TCustomForm, TWinControl)
public:
  // A form without its description (the framework's CreateNew); MakeForm
  // finishes one that has a description.
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  // Reads the class's form description when one is registered, then fires
  // OnCreate. Called once, right after the most derived constructor.
  virtual void AfterConstruction();
  // Fires OnDestroy once, while the derived class is still whole. The
  // application, Release and caFree call it before deleting a form; code
  // that deletes a form whose OnDestroy uses the derived class calls it too
  // (the destructor fires OnDestroy otherwise, when it was not yet fired).
  void BeforeDestruction();
  TCanvas* Canvas() { return canvas_.get(); }

  void Show();
  // EInvalidOperation when the form is visible, disabled or already modal.
  // Runs a nested message loop until ModalResult becomes non-zero, the form
  // is closed or destroyed (mrCancel), or the application terminates
  // (mrCancel; a WM_QUIT is handed on to the outer loop).
  virtual TModalResult ShowModal();
  // OnCloseQuery, then OnClose; caHide hides, caFree releases the form
  // (deferred), caMinimize minimises. Closing the main form terminates the
  // application. Inside ShowModal, Close sets ModalResult mrCancel.
  void Close();
  bool CloseQuery();
  // Frees the form once the messages being handled now are done.
  void Release();

  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult v) { modalResult_ = v; }
  TFormState FormState() const { return formState_; }
  bool Modal() const { return formState_.Contains(fsModal); }

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle v);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons v);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition v) { position_ = v; }
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle v);
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState v);
  // Borderless and covering the monitor the form is on; off restores the
  // border, state and bounds it had before.
  bool FullScreen() const { return fullScreen_; }
  void SetFullScreen(bool v);
  TDefaultMonitor DefaultMonitor() const { return defaultMonitor_; }
  void SetDefaultMonitor(TDefaultMonitor v) { defaultMonitor_ = v; }
  TMonitor* Monitor();
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool v) { keyPreview_ = v; }
  bool Scaled() const { return scaled_; }
  void SetScaled(bool v) { scaled_ = v; }
  int32_t PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int32_t v) { pixelsPerInch_ = v > 0 ? v : 96; }
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool v) { autoScroll_ = v; }
  bool Active() const { return active_; }
  TIcon* Icon() { return icon_.get(); }
  void SetIcon(TIcon* v) { icon_->Assign(v); }
  bool AlphaBlend() const { return alphaBlend_; }
  void SetAlphaBlend(bool v);
  uint8_t AlphaBlendValue() const { return alphaBlendValue_; }
  void SetAlphaBlendValue(uint8_t v);
  // The old-style font size setting of form descriptions (ignored beyond storing).
  int32_t OldCreateOrder() const { return 0; }
  void SetOldCreateOrder(int32_t) {}
  int32_t TextHeight() const { return textHeight_; }
  void SetTextHeight(int32_t v) { textHeight_ = v; }

  // The control that has (or gets, when the form activates) the focus.
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* v);
  // Offers the action to the active control, the form, then every visible
  // control of the showing form (depth first): true when one carried it out.
  bool DispatchAction(TBasicAction* Action);
  // Records control as focused; false when the form refuses.
  bool SetFocusedControl(TWinControl* control);
  // The control the focus goes to when it leaves control (hidden, disabled, removed).
  void DefocusControl(TWinControl* control, bool removing);
  void FocusControl(TWinControl* control);
  void SetFocus() override;

  // CM_CANCELMODE (LParam: sender) to the active control of an active form.
  void SendCancelMode(TControl* sender);
  // OnShortCut, then the shortcuts of the form's action lists.
  virtual bool IsShortCut(TWMKey& message);
  // Runs OnUpdate of the form's actions (called while the application idles).
  void UpdateActions();

  void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
  TRect ClientRect() override;
  // While the description is being read, Visible is only recorded; the form
  // shows once it is complete.
  void SetVisible(bool v) override;
  // Brings the form to the front and activates it.
  void BringToFront() override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TShortCutEvent OnShortCut;

protected:
  friend class TApplication;
  friend class TScreen;

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation operation) override;
  void PaintWindow(win::HDC dc) override;
  virtual void Paint();
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  virtual void Activate();
  virtual void Deactivate();
  void ApplyPosition();
  void CloseModal();

  void Dispatch(TMessage& message) override;
  virtual void WMActivate(TMessage& m);
  virtual void WMClose(TMessage& m);
  virtual void WMSysCommand(TMessage& m);
  virtual void WMShowWindow(TMessage& m);
  virtual void WMGetMinMaxInfo(TMessage& m);
  virtual void WMActivateApp(TMessage& m);
  virtual void CMActivate(TMessage& m);
  virtual void CMDeactivate(TMessage& m);
  virtual void CMRelease(TMessage& m);
  void CMDialogKey(TMessage& m) override;
  void CMShowingChanged(TMessage& m) override;
  void CMVisibleChanged(TMessage& m) override;
  void WMEraseBkgnd(TMessage& m) override;
  void WMSize(TMessage& m) override;
  void WMSetFocus(TMessage& m) override;

private:
  void ApplyWindowState();
  void SetActive(bool value);
  void SetWindowFocus();
  void StyleFlags(win::DWORD& style, win::DWORD& exStyle) const;
  TPoint CenteredOn(const TRect& area) const;

  std::unique_ptr<TControlCanvas> canvas_;
  bool destroyFired_ = false;

  TModalResult modalResult_ = mrNone;
  TFormState formState_;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_ = {biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDefaultPosOnly;
  TFormStyle formStyle_ = fsNormal;
  TWindowState windowState_ = wsNormal;
  TDefaultMonitor defaultMonitor_ = dmActiveForm;
  bool fullScreen_ = false;
  struct SavedPlacement {
    TFormBorderStyle border = bsSizeable;
    TWindowState state = wsNormal;
    TRect bounds;
  } beforeFullScreen_;
  bool keyPreview_ = false;
  bool scaled_ = true;
  int32_t pixelsPerInch_ = 96;
  int32_t textHeight_ = 13;
  bool autoScroll_ = false;
  bool active_ = false;
  bool alphaBlend_ = false;
  uint8_t alphaBlendValue_ = 255;
  bool created_ = false;
  std::unique_ptr<TIcon> icon_;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focusedControl_ = nullptr;
  // Set false by the destructor so that a modal loop running on the form ends.
  std::shared_ptr<bool> modalAlive_;
};

class TForm : public TCustomForm {
  DX_COMPONENT_CLASS(TForm, TCustomForm)
public:
  using TCustomForm::TCustomForm;
};

// Constructs a form of class T and finishes it (description, OnCreate).
template <class T>
T* MakeForm(TComponent* owner) {
  T* form = new T(owner);
  try {
    form->AfterConstruction();
  } catch (...) {
    delete form;
    throw;
  }
  return form;
}

// A non-visual container of components, loaded from its own description.
class TDataModule : public TComponent {
  DX_COMPONENT_CLASS(TDataModule, TComponent)
public:
  explicit TDataModule(TComponent* AOwner);
  ~TDataModule() override;
  // Reads the class's description when one is registered, then fires OnCreate.
  virtual void AfterConstruction();
  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;

private:
  bool created_ = false;
};

// ---------------------------------------------------------------- hint window
class THintWindow : public TCustomControl {
  DX_COMPONENT_CLASS(THintWindow, TCustomControl)
public:
  explicit THintWindow(TComponent* AOwner);
  // Shows the text in rect (screen coordinates) without taking activation.
  virtual void ActivateHint(TRect rect, const std::string& hint);
  virtual void ActivateHintData(TRect rect, const std::string& hint, void* /*data*/) { ActivateHint(rect, hint); }
  // The rectangle (at 0, 0) the text needs, wrapped at maxWidth.
  virtual TRect CalcHintRect(int32_t maxWidth, const std::string& hint, void* data);
  // Hides the window and gives back its handle.
  void ReleaseHandle();
  bool IsHintMsg(const win::MSG& msg);

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void Dispatch(TMessage& message) override;
};

// ---------------------------------------------------------------- screen
class TMonitor {
public:
  TMonitor(win::HMONITOR handle, int32_t num) : handle_(handle), num_(num) {}
  win::HMONITOR Handle() const { return handle_; }
  int32_t MonitorNum() const { return num_; }
  TRect BoundsRect() const;
  TRect WorkareaRect() const;
  int32_t Left() const { return BoundsRect().Left; }
  int32_t Top() const { return BoundsRect().Top; }
  int32_t Width() const { return BoundsRect().Width(); }
  int32_t Height() const { return BoundsRect().Height(); }
  bool Primary() const;
  int32_t PixelsPerInch() const { return 96; }

private:
  win::HMONITOR handle_;
  int32_t num_;
};

class TScreen : public TComponent {
  DX_COMPONENT_CLASS(TScreen, TComponent)
public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  // A cursor other than crDefault overrides every control's cursor.
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor v);
  // The cursor handle of an identifier (standard or registered); crDefault's for unknown ones.
  win::HCURSOR Cursors(int32_t index);
  // Registers a program cursor; the screen keeps it.
  void SetCursors(int32_t index, win::HCURSOR cursor);

  int32_t FormCount() const { return int32_t(forms_.size()); }
  TCustomForm* Forms(int32_t index) const;
  int32_t CustomFormCount() const { return FormCount(); }
  TCustomForm* CustomForms(int32_t index) const { return Forms(index); }
  int32_t DataModuleCount() const { return int32_t(dataModules_.size()); }
  TDataModule* DataModules(int32_t index) const;
  TCustomForm* ActiveForm() const { return activeForm_; }
  TCustomForm* ActiveCustomForm() const { return activeForm_; }
  TWinControl* ActiveControl() const { return activeControl_; }
  TCustomForm* FocusedForm() const { return focusedForm_; }

  int32_t MonitorCount();
  TMonitor* Monitors(int32_t index);
  TMonitor* PrimaryMonitor();
  TMonitor* MonitorFromPoint(TPoint p);
  TMonitor* MonitorFromRect(const TRect& r);
  TMonitor* MonitorFromWindow(win::HWND hwnd);
  TRect WorkAreaRect();
  int32_t WorkAreaLeft() { return WorkAreaRect().Left; }
  int32_t WorkAreaTop() { return WorkAreaRect().Top; }
  int32_t WorkAreaWidth() { return WorkAreaRect().Width(); }
  int32_t WorkAreaHeight() { return WorkAreaRect().Height(); }
  TRect DesktopRect();
  int32_t DesktopWidth() { return DesktopRect().Width(); }
  int32_t DesktopHeight() { return DesktopRect().Height(); }
  int32_t Width();
  int32_t Height();
  // The screen's logical dots per inch (LOGPIXELSY of the screen).
  int32_t PixelsPerInch() const;

  // Installed font families (fontconfig), sorted; a fixed list when none is found.
  TStrings* Fonts();
  // The system's fonts, read on first use; ResetFonts reads them again.
  TFont* HintFont();
  TFont* MenuFont();
  TFont* IconFont();
  TFont* MessageFont();
  void ResetFonts();

  TNotifyEvent OnActiveControlChange;
  TNotifyEvent OnActiveFormChange;

private:
  friend class TCustomForm;
  friend class TDataModule;
  friend class TApplication;
  friend class TWinControl;
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);
  void SetActiveForm(TCustomForm* form);
  void SetActiveControl(TWinControl* control);
  void RefreshMonitors();

  TCursor cursor_ = crDefault;
  std::vector<std::pair<int32_t, win::HCURSOR>> cursors_;
  std::vector<TCustomForm*> forms_;
  std::vector<TDataModule*> dataModules_;
  TCustomForm* activeForm_ = nullptr;
  TWinControl* activeControl_ = nullptr;
  TCustomForm* focusedForm_ = nullptr;
  std::vector<std::unique_ptr<TMonitor>> monitors_;
  std::unique_ptr<TStringList> fonts_;
  std::unique_ptr<TFont> hintFont_, menuFont_, iconFont_, messageFont_;
  bool fontsRead_ = false;
};

// ---------------------------------------------------------------- application
// The start-up procedure chain that TApplication::Initialize runs once. A
// unit that joins it keeps the procedure it replaced and calls it first;
// leaving, it puts that procedure back when it is still the head.
using TInitProc = void (*)();
TInitProc& InitProc();

class TApplication : public TComponent {
  DX_COMPONENT_CLASS(TApplication, TComponent)
public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // Starts the display the program chose (display::InitDisplay; raises
  // EInvalidOperation naming the missing choice when there was none),
  // registers the control classes and runs InitProc(). Safe to call twice.
  void Initialize();
  // Makes a form owned by the application; the first becomes MainForm.
  template <class T>
  T* CreateForm(T** reference = nullptr) {
    T* form = new T(this);
    if (reference) *reference = form;
    try {
      form->AfterConstruction();
    } catch (...) {
      if (reference) *reference = nullptr;
      delete form;
      throw;
    }
    if (!mainForm_) mainForm_ = form;
    return form;
  }
  // Shows the main form (unless ShowMainForm is off) and runs the message
  // loop until Terminate or the main form closes.
  void Run();
  // Handles every message waiting now, then returns.
  void ProcessMessages();
  // Handles one message, or idles (OnIdle, action updates) and waits for one.
  void HandleMessage();
  // Ends Run: posts WM_QUIT.
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Reports the exception being handled (call inside a catch): OnException
  // when set, else ShowException; EAbort is silent.
  void HandleException(TObject* Sender);
  // A message box with the exception's message and the application title.
  void ShowException(const Exception& E);
  void ShowException(const std::exception& E);
  // Runs fn and reports what it throws (the framework's "try ... except
  // Application.HandleException").
  void Guard(TObject* Sender, const std::function<void()>& fn);
  int32_t MessageBox(const std::string& text, const std::string& caption, win::UINT flags = win::MB_OK);

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& v) { title_ = v; }
  TCustomForm* MainForm() const { return mainForm_; }
  void SetMainForm(TCustomForm* f) { mainForm_ = f; }
  bool MainFormOnTaskBar() const { return mainFormOnTaskBar_; }
  void SetMainFormOnTaskBar(bool v) { mainFormOnTaskBar_ = v; }
  bool ShowMainForm() const { return showMainForm_; }
  void SetShowMainForm(bool v) { showMainForm_ = v; }
  // The program's path.
  std::string ExeName() const;
  // A hidden window of the application (its timers and private messages).
  win::HWND Handle();
  bool Active() const { return active_; }
  TIcon* Icon() { return icon_.get(); }
  const std::string& HelpFile() const { return helpFile_; }
  void SetHelpFile(const std::string& v) { helpFile_ = v; }
  // There is no help system on this platform: the calls answer false.
  bool HelpContext(int32_t /*context*/) { return false; }
  bool HelpCommand(int32_t /*command*/, intptr_t /*data*/) { return false; }
  bool HelpKeyword(const std::string& /*keyword*/) { return false; }
  // Shortcut texts appended to hints of controls and items that have one.
  bool HintShortCuts() const { return hintShortCuts_; }
  void SetHintShortCuts(bool v) { hintShortCuts_ = v; }
  // The application gained or lost the desktop's activation (from its forms' WM_ACTIVATEAPP).
  void SetActive(bool active);

  // Hints: shown after the mouse rests HintPause ms on a control with
  // ShowHint and a hint, hidden after HintHidePause ms or when it moves on.
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v);
  int32_t HintPause() const { return hintPause_; }
  void SetHintPause(int32_t v) { hintPause_ = v; }
  int32_t HintShortPause() const { return hintShortPause_; }
  void SetHintShortPause(int32_t v) { hintShortPause_ = v; }
  int32_t HintHidePause() const { return hintHidePause_; }
  void SetHintHidePause(int32_t v) { hintHidePause_ = v; }
  TColor HintColor() const { return hintColor_; }
  void SetHintColor(TColor v) { hintColor_ = v; }
  const std::string& Hint() const { return hint_; }
  // A new hint goes to OnHint, or without one, as a THintAction to the forms.
  void SetHint(const std::string& v);
  void CancelHint();
  // Offers the action to the active form, then to the main form.
  bool DispatchAction(TBasicAction* Action);
  // Shows the hint of the control under the cursor now.
  void ActivateHint(TPoint cursorPos);
  void HideHint();
  THintWindow* HintWindow() const { return hintWindow_; }
  // The class made for hints (a THintWindow descendant).
  TClass HintWindowClass() const { return hintWindowClass_; }
  void SetHintWindowClass(TClass c) { hintWindowClass_ = c; }

  void Minimize();
  void Restore();
  void BringToFront();

  // The control under the mouse (the one CM_MOUSEENTER was last sent to).
  TControl* MouseControl() const { return mouseControl_; }
  // Forget a control that is going away.
  void ControlDestroyed(TControl* control);

  TMessageEvent OnMessage;
  TIdleEvent OnIdle;
  TExceptionEvent OnException;
  TNotifyEvent OnHint;
  TShowHintEvent OnShowHint;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;
  TShortCutEvent OnShortCut;

  // One message through the framework's pre-processing (OnMessage, hints,
  // shortcuts, dialog keys) and dispatch. False when there was none or it
  // was WM_QUIT (then Terminated is set).
  bool ProcessMessage(win::MSG& msg);
  // Pre-processing and dispatch of a message already removed from the queue.
  void DispatchOne(win::MSG& msg);
  // Idle work: OnIdle, action updates, hint tracking; then waits for a
  // message when the work is done.
  void Idle(bool wait);
  // OnShortCut, then the main form's shortcuts (while it is enabled).
  bool IsShortCut(TWMKey& msg);

private:
  friend class TCustomForm;
  bool IsKeyMsg(win::MSG& msg);
  bool IsHintMsg(win::MSG& msg);
  void TrackMouse(win::HWND hwnd, TPoint screenPos);
  void HintTimerExpired();
  void AppWndProc(TMessage& m);
  void StartHintTimer(int32_t ms, int kind);
  void StopHintTimer();

  bool initialized_ = false;
  bool terminated_ = false;
  bool active_ = true;
  std::string title_;
  std::string helpFile_;
  TCustomForm* mainForm_ = nullptr;
  bool mainFormOnTaskBar_ = false;
  bool showMainForm_ = true;
  win::HWND handle_ = nullptr;
  std::unique_ptr<TIcon> icon_;
  bool showHint_ = true;
  bool hintShortCuts_ = true;
  int32_t hintPause_ = 500;
  int32_t hintShortPause_ = 50;
  int32_t hintHidePause_ = 2500;
  TColor hintColor_ = clInfoBk;
  std::string hint_;
  THintWindow* hintWindow_ = nullptr;
  TClass hintWindowClass_ = nullptr;
  TControl* hintControl_ = nullptr;
  TRect hintCursorRect_;
  bool hintActive_ = false;
  int hintTimerKind_ = 0;  // 0 none, 1 show, 2 hide
  TControl* mouseControl_ = nullptr;
  std::weak_ptr<bool> mouseControlAlive_;
};

extern TApplication* Application;
extern TScreen* Screen;

// Published properties of the form classes and their registration for form
// descriptions (part of RegisterControlsClasses).
void RegisterFormsClasses();
