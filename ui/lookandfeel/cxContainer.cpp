#include "ui/lookandfeel/cxContainer.h"

#include <mutex>

#include "platform/classes/filer.h"
#include "platform/classes/typinfo.h"
#include "platform/gdi/syscolors.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/forms.h"
#include "ui/lookandfeel/cxControls.h"
#include "ui/lookandfeel/cxLookAndFeels.h"

namespace {

// The value names by number; container styles use the same numbers.
constexpr const char* kValueNames[] = {"BorderColor", "BorderStyle", "Color",     "Edges",    "Font",
                                       "HotTrack",    "Shadow",      "TextColor", "TextStyle", "TransparentBorder"};

TList* popupWindows = nullptr;
win::HHOOK callWndProcHook = nullptr;
win::HHOOK getMessageHook = nullptr;
win::HHOOK mouseHook = nullptr;
win::FARPROC getScrollBarInfo = nullptr;

TWinControl* PopupAt(int32_t index) { return static_cast<TWinControl*>(popupWindows->Items(index)); }
TWinControl* PopupOwner(TWinControl* popup) { return dynamic_cast<TWinControl*>(popup->Owner()); }

bool HasPopups() { return popupWindows && popupWindows->Count() > 0; }

void ClosePopup(TWinControl* popup) {
  popupWindows->Remove(popup);
  popup->Hide();
}

// Wnd is inside the window of control (its own or a descendant).
bool InsideWindowOf(TWinControl* control, win::HWND wnd) {
  return control && control->HandleAllocated() && IsChildOrSameWindow(control->Handle(), wnd);
}

// Wnd is the window of the popup's owner control or one of that window's parents.
bool IsOwnerWindowOf(TWinControl* popup, win::HWND wnd) {
  TWinControl* owner = PopupOwner(popup);
  if (!owner || !owner->HandleAllocated() || !wnd) return false;
  return wnd == owner->Handle() || IsAncestorWindow(wnd, owner->Handle());
}

bool IsButtonDown(win::WPARAM msg) {
  switch (msg) {
    case 0x201: case 0x203: case 0x204: case 0x206: case 0x207: case 0x209:  // client
    case 0xA1: case 0xA3: case 0xA4: case 0xA6: case 0xA7: case 0xA9:        // non-client
      return true;
    default:
      return false;
  }
}

win::LRESULT MouseHookProc(int code, win::WPARAM wParam, win::LPARAM lParam) {
  if (code >= 0 && HasPopups() && IsButtonDown(wParam)) {
    const auto* info = reinterpret_cast<const win::MOUSEHOOKSTRUCT*>(lParam);
    for (int32_t i = popupWindows->Count() - 1; i >= 0 && i < popupWindows->Count(); --i) {
      TWinControl* popup = PopupAt(i);
      if (!InsideWindowOf(popup, info->hwnd) && !InsideWindowOf(PopupOwner(popup), info->hwnd)) ClosePopup(popup);
    }
  }
  return win::CallNextHookEx(mouseHook, code, wParam, lParam);
}

win::LRESULT GetMessageHookProc(int code, win::WPARAM wParam, win::LPARAM lParam) {
  if (code >= 0 && HasPopups()) {
    auto* msg = reinterpret_cast<win::MSG*>(lParam);
    if (msg->message == win::WM_SYSKEYDOWN) msg->message = win::WM_NULL;
  }
  return win::CallNextHookEx(getMessageHook, code, wParam, lParam);
}

bool ClosesPopupsOfOwner(const win::CWPSTRUCT& m) {
  switch (m.message) {
    case win::WM_DESTROY:
    case win::WM_CLOSE:
    case win::WM_WINDOWPOSCHANGED:
      return true;
    case win::WM_SHOWWINDOW:    // hidden
    case win::WM_ACTIVATEAPP:   // deactivated
    case win::WM_NCACTIVATE:    // deactivated
      return m.wParam == 0;
    default:
      return false;
  }
}

win::LRESULT CallWndProcHookProc(int code, win::WPARAM wParam, win::LPARAM lParam) {
  if (code >= 0 && HasPopups()) {
    const auto* m = reinterpret_cast<const win::CWPSTRUCT*>(lParam);
    // A popup whose own window goes leaves the list, so that it never holds a freed control.
    if (m->message == win::WM_DESTROY)
      for (int32_t i = popupWindows->Count() - 1; i >= 0; --i)
        if (PopupAt(i)->HandleAllocated() && PopupAt(i)->Handle() == m->hwnd) popupWindows->Delete(i);
    if (ClosesPopupsOfOwner(*m))
      for (int32_t i = popupWindows->Count() - 1; i >= 0 && i < popupWindows->Count(); --i)
        if (m->message == win::WM_ACTIVATEAPP || IsOwnerWindowOf(PopupAt(i), m->hwnd)) ClosePopup(PopupAt(i));
  }
  return win::CallNextHookEx(callWndProcHook, code, wParam, lParam);
}

}  // namespace

bool ContainerPopupActive = false;

// ---- window and form helpers

bool IsFormActive(TCustomForm* AForm) {
  if (!AForm || !AForm->HandleAllocated()) return false;
  const win::HWND active = win::GetActiveWindow();
  if (AForm->Handle() == active) return true;
  // This platform has no MDI client: an MDI child is active only as its own window.
  if (AForm->FormStyle() == fsMDIChild) return false;
  return GetTopLevelWindow(AForm->Handle()) == active;
}

win::HWND GetTopLevelWindow(win::HWND AWnd) {
  for (win::HWND w = AWnd; w; w = win::GetParent(w))
    if (!win::IsWindow(w)) return nullptr;
    else if (!IsChildStyleWindow(w)) return w;
  return nullptr;
}

bool RemovePendingMessages(win::HWND AWnd, win::UINT AMinMsg, win::UINT AMaxMsg, bool AAll) {
  bool removed = false;
  win::MSG msg{};
  // A stale window makes PeekMessage answer -1: nothing is taken then.
  while (win::PeekMessage(&msg, AWnd, AMinMsg, AMaxMsg, win::PM_REMOVE) > 0) {
    if (msg.message == win::WM_QUIT) {
      win::PostQuitMessage(int(msg.wParam));
      break;
    }
    removed = true;
    if (!AAll) break;
  }
  return removed;
}

void DisableWindowIntoList(TList* AList, win::HWND AWnd) {
  if (!AList || !win::IsWindowEnabled(AWnd)) return;
  AList->Add(AWnd);
  win::EnableWindow(AWnd, win::FALSE);
}

void EnableWindowsFromList(TList* AList) {
  if (!AList) return;
  for (int32_t i = 0; i < AList->Count(); ++i) {
    auto wnd = static_cast<win::HWND>(AList->Items(i));
    if (win::IsWindow(wnd)) win::EnableWindow(wnd, win::TRUE);
  }
}

TShiftState GetShiftState() { return KeyboardStateToShiftState(); }

bool IsControlWindowVisible(TWinControl* AControl) {
  return AControl && AControl->HandleAllocated() && win::IsWindowVisible(AControl->Handle());
}

bool IsWindowOf(TWinControl* AControl, win::HWND AWnd, bool ADeep) {
  if (!AControl || !AControl->HandleAllocated() || !AWnd) return false;
  if (AWnd == AControl->Handle()) return true;
  if (!ADeep) return false;
  if (win::IsChild(AControl->Handle(), AWnd)) return true;
  for (int32_t i = 0; i < AControl->ControlCount(); ++i)
    if (auto* child = dynamic_cast<TWinControl*>(AControl->Controls(i)); child && IsWindowOf(child, AWnd, true))
      return true;
  if (popupWindows)
    for (int32_t i = 0; i < popupWindows->Count(); ++i)
      if (PopupOwner(PopupAt(i)) == AControl && IsWindowOf(PopupAt(i), AWnd, true)) return true;
  return false;
}

int32_t FindValueIndex(const std::string& AName) {
  const std::string name = AnsiUpperCase(AName);
  for (int32_t i = 0; i < int32_t(std::size(kValueNames)); ++i)
    if (AnsiUpperCase(kValueNames[i]) == name) return i;
  return -1;
}

// ---- container styles

namespace {

constexpr TcxContainerStyleValues kBaseOnlyValues{svEdges, svFont, svHotTrack, svShadow, svTransparentBorder};
constexpr TcxContainerStyleValues kDirectAccessValues{svColor, svFont, svTextColor, svTextStyle};
constexpr TcxContainerStyleValues kAllValues = TcxContainerStyleValues::FromBits(0x3FF);

// A state style's border by the row of its state: rows 0 and 2 keep the base
// style's border, rows 1 and 3 (the highlighted states) raise it.
constexpr TcxContainerBorderStyle kHighlightedBorder[] = {cbsFlat, cbsThick, cbsThick, cbs3D,
                                                          cbs3D,   cbsUltraFlat, cbsOffice11};

TcxContainerStyle* MakeContainerStyle(TPersistent* AOwner, TcxContainerStateItem AState,
                                      TcxContainerStyle* AParentStyle) {
  return new TcxContainerStyle(AOwner, AState, AParentStyle, false);
}

}  // namespace

TcxStyleController* cxDefaultStyleController() { return nullptr; }

TcxContainerStyle::TcxContainerStyle(TPersistent* AOwner, TcxContainerStateItem AState,
                                     TcxContainerStyle* AParentStyle, bool ADirectAccessMode)
    : TcxInterfacedPersistent(AOwner),
      directAccessMode_(ADirectAccessMode),
      parentStyle_(AState != csNormal ? AParentStyle : nullptr),
      state_(AState) {
  if (directAccessMode_) assignedValues_ = kDirectAccessValues;
  if (IsBaseStyle() && !directAccessMode_) {
    ownFont_ = std::make_unique<TFont>();
    ownFont_->OnChange = [this](TObject* Sender) { FontModified(Sender); };
    font_ = ownFont_.get();
  }
  visibleFont_ = std::make_unique<TFont>();
  if (IsBaseStyle()) {
    lookAndFeel_ = std::make_unique<TcxLookAndFeel>(this);
    lookAndFeel_->OnChanged = [this](TcxLookAndFeel*, TcxLookAndFeelValues) { NotifyChanged(); };
    styleController_ = GetDefaultStyleController();
    if (styleController_) styleController_->AddListener(this);
  }
}

TcxContainerStyle::~TcxContainerStyle() {
  destroying_ = true;
  if (IsBaseStyle() && styleController_) styleController_->RemoveListener(this);
  lookAndFeel_.reset();
  visibleFont_.reset();
  if (ownFont_) ownFont_->OnChange = nullptr;
  ownFont_.reset();
}

void TcxContainerStyle::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxContainerStyle*>(Source);
  if (!source) {
    TcxInterfacedPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  BeginUpdate();
  try {
    if (IsBaseStyle()) {
      SetStyleController(source->StyleController());
      SetLookAndFeel(source->LookAndFeel());
    }
    borderColor_ = source->borderColor_;
    borderStyle_ = source->borderStyle_;
    edges_ = source->edges_;
    hotTrack_ = source->hotTrack_;
    shadow_ = source->shadow_;
    transparentBorder_ = source->transparentBorder_;
    color_ = source->color_;
    if (directAccessMode_) {
      font_ = source->font_;
      textColor_ = source->textColor_;
    } else {
      if (ownFont_ && source->font_) {
        ownFont_->Assign(source->font_);
        if (source->directAccessMode_) ownFont_->SetColor(source->textColor_);
      }
      textColor_ = source->textColor_;
      textStyle_ = source->textStyle_;
    }
    SetAssignedValues(source->assignedValues_);
    NotifyChanged();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxContainerStyle::BeginUpdate() { ++updateCount_; }

void TcxContainerStyle::EndUpdate() {
  if (updateCount_ <= 0) return;
  --updateCount_;
  FlushChanges();
}

void TcxContainerStyle::ResetToDefaults() {
  BeginUpdate();
  SetAssignedValues({});
  if (IsBaseStyle()) {
    lookAndFeel_->Reset();
    if (!directAccessMode_ && ownFont_) {
      // Default values, not the user's: the font stays unassigned.
      ++fontAssignedLock_;
      TFont defaults;
      ownFont_->Assign(&defaults);
      --fontAssignedLock_;
      RefreshFont();
    }
  }
  EndUpdate();
}

int32_t TcxContainerStyle::GetStyleLevel() { return IsBaseStyle() ? 1 : BaseStyle()->GetStyleLevel(); }
int32_t TcxContainerStyle::GetValueCount() { return 10; }

bool TcxContainerStyle::GetValueName(int32_t AIndex, std::string& AName) {
  AName.clear();
  if (AIndex < 0 || AIndex >= GetValueCount()) return false;
  AName = kValueNames[AIndex];
  return true;
}

bool TcxContainerStyle::IsValueAssigned(int32_t AIndex) {
  if (AIndex < 0 || AIndex >= GetValueCount()) return false;
  return AssignedValues().Contains(TcxContainerStyleValue(AIndex));
}

TColor TcxContainerStyle::GetVisibleColor() { return ReadColor(); }

TFont* TcxContainerStyle::GetVisibleFont() {
  visibleFont_->Assign(Font());
  visibleFont_->SetColor(TextColor());
  visibleFont_->SetStyle(TextStyle());
  return visibleFont_.get();
}

// ---- values

TcxContainerStyle* TcxContainerStyle::ControllerStyle() {
  TcxStyleController* controller = ActiveStyleController();
  return controller ? controller->Styles()->Style(state_) : nullptr;
}

template <class V>
void TcxContainerStyle::WriteValue(V& AField, V AValue, TcxContainerStyleValue ABit) {
  if (IsAssigned(ABit) && AField == AValue) return;
  AField = AValue;
  assignedValues_.Include(ABit);
  NotifyChanged();
}

TcxContainerStyleValues TcxContainerStyle::AssignedValues() const {
  return directAccessMode_ ? kAllValues : assignedValues_;
}

void TcxContainerStyle::SetAssignedValues(TcxContainerStyleValues Value) {
  Value = Value * kAllValues;
  if (Value == assignedValues_) return;
  assignedValues_ = Value;
  if (IsBaseStyle()) RefreshFont();
  NotifyChanged();
}

TColor TcxContainerStyle::BorderColor() {
  if (directAccessMode_) return clDefault;
  if (IsAssigned(svBorderColor)) return borderColor_;
  if (TcxContainerStyle* s = ControllerStyle()) return s->BorderColor();
  return GetDefaultBorderColor();
}
void TcxContainerStyle::SetBorderColor(TColor Value) { WriteValue(borderColor_, Value, svBorderColor); }

TcxContainerBorderStyle TcxContainerStyle::BorderStyle() {
  if (IsAssigned(svBorderStyle)) return borderStyle_;
  if (TcxContainerStyle* s = ControllerStyle()) return s->BorderStyle();
  return GetDefaultBorderStyle();
}
void TcxContainerStyle::SetBorderStyle(TcxContainerBorderStyle Value) {
  WriteValue(borderStyle_, Value, svBorderStyle);
}

TColor TcxContainerStyle::Color() { return ReadColor(); }
void TcxContainerStyle::SetColor(TColor Value) { WriteValue(color_, Value, svColor); }

TColor TcxContainerStyle::ReadColor() {
  if (directAccessMode_ || IsAssigned(svColor)) return color_;
  if (TcxContainerStyle* s = ControllerStyle()) return s->Color();
  return GetDefaultColor();
}

TcxBorders TcxContainerStyle::Edges() {
  if (directAccessMode_) return {};
  if (!IsBaseStyle()) return BaseStyle()->Edges();
  if (IsAssigned(svEdges)) return edges_;
  if (TcxContainerStyle* s = ControllerStyle()) return s->Edges();
  return GetDefaultEdges();
}
void TcxContainerStyle::SetEdges(TcxBorders Value) {
  if (!IsBaseStyle()) return BaseStyle()->SetEdges(Value);
  WriteValue(edges_, Value, svEdges);
}

TFont* TcxContainerStyle::Font() { return IsBaseStyle() ? font_ : BaseStyle()->Font(); }

void TcxContainerStyle::SetFont(TFont* Value) {
  if (!IsBaseStyle()) return BaseStyle()->SetFont(Value);
  if (directAccessMode_) {
    font_ = Value;
    return;
  }
  if (Value && ownFont_) ownFont_->Assign(Value);  // FontModified marks it assigned
}

bool TcxContainerStyle::HotTrack() {
  if (!IsBaseStyle()) return BaseStyle()->HotTrack();
  if (IsAssigned(svHotTrack)) return hotTrack_;
  if (TcxContainerStyle* s = ControllerStyle()) return s->HotTrack();
  return GetDefaultHotTrack();
}
void TcxContainerStyle::SetHotTrack(bool Value) {
  if (!IsBaseStyle()) return BaseStyle()->SetHotTrack(Value);
  WriteValue(hotTrack_, Value, svHotTrack);
}

void TcxContainerStyle::SetLookAndFeel(TcxLookAndFeel* Value) {
  if (!IsBaseStyle()) return BaseStyle()->SetLookAndFeel(Value);
  if (Value && Value != lookAndFeel_.get()) lookAndFeel_->Assign(Value);
}

bool TcxContainerStyle::Shadow() {
  if (directAccessMode_) return false;
  if (!IsBaseStyle()) return BaseStyle()->Shadow();
  if (IsAssigned(svShadow)) return shadow_;
  if (TcxContainerStyle* s = ControllerStyle()) return s->Shadow();
  return GetDefaultShadow();
}
void TcxContainerStyle::SetShadow(bool Value) {
  if (!IsBaseStyle()) return BaseStyle()->SetShadow(Value);
  WriteValue(shadow_, Value, svShadow);
}

TColor TcxContainerStyle::TextColor() { return ReadTextColor(); }
void TcxContainerStyle::SetTextColor(TColor Value) { WriteValue(textColor_, Value, svTextColor); }

TColor TcxContainerStyle::ReadTextColor() {
  if (directAccessMode_ || IsAssigned(svTextColor)) return textColor_;
  if (TcxContainerStyle* s = ControllerStyle()) return s->TextColor();
  return GetDefaultTextColor();
}

TFontStyles TcxContainerStyle::TextStyle() { return ReadTextStyle(); }
void TcxContainerStyle::SetTextStyle(TFontStyles Value) { WriteValue(textStyle_, Value, svTextStyle); }

TFontStyles TcxContainerStyle::ReadTextStyle() {
  if (directAccessMode_ || IsAssigned(svTextStyle)) return textStyle_;
  if (TcxContainerStyle* s = ControllerStyle()) return s->TextStyle();
  return GetDefaultTextStyle();
}

bool TcxContainerStyle::TransparentBorder() {
  if (directAccessMode_) return true;
  if (!IsBaseStyle()) return BaseStyle()->TransparentBorder();
  if (IsAssigned(svTransparentBorder)) return transparentBorder_;
  if (TcxContainerStyle* s = ControllerStyle()) return s->TransparentBorder();
  return GetDefaultTransparentBorder();
}
void TcxContainerStyle::SetTransparentBorder(bool Value) {
  if (!IsBaseStyle()) return BaseStyle()->SetTransparentBorder(Value);
  WriteValue(transparentBorder_, Value, svTransparentBorder);
}

// ---- defaults

TColor TcxContainerStyle::GetDefaultBorderColor() {
  if (state_ == csDisabled) return clBtnShadow;
  return IsBaseStyle() ? clWindowFrame : BaseStyle()->BorderColor();
}

TcxContainerBorderStyle TcxContainerStyle::GetDefaultBorderStyle() {
  if (IsBaseStyle()) {
    switch (LookAndFeel()->Kind()) {
      case lfFlat: return cbsFlat;
      case lfStandard: return cbs3D;
      case lfUltraFlat: return cbsUltraFlat;
      case lfOffice11: return cbsOffice11;
    }
    return cbs3D;
  }
  const TcxContainerBorderStyle base = BaseStyle()->BorderStyle();
  const bool highlighted = (state_ == csActive || state_ == csHotTrack) && BaseStyle()->HotTrack();
  return highlighted && base < std::size(kHighlightedBorder) ? kHighlightedBorder[base] : base;
}

TColor TcxContainerStyle::GetDefaultColor() { return IsBaseStyle() ? clBtnFace : BaseStyle()->Color(); }
TcxBorders TcxContainerStyle::GetDefaultEdges() { return cxBordersAll; }
bool TcxContainerStyle::GetDefaultHotTrack() { return true; }
bool TcxContainerStyle::GetDefaultShadow() { return false; }

TColor TcxContainerStyle::GetDefaultTextColor() {
  if (state_ == csDisabled) return clBtnShadow;
  if (!IsBaseStyle()) return BaseStyle()->TextColor();
  return font_ ? font_->Color() : clWindowText;
}

TFontStyles TcxContainerStyle::GetDefaultTextStyle() {
  if (!IsBaseStyle()) return BaseStyle()->TextStyle();
  return font_ ? font_->Style() : TFontStyles{};
}

bool TcxContainerStyle::GetDefaultTransparentBorder() { return true; }
TcxStyleController* TcxContainerStyle::GetDefaultStyleController() { return cxDefaultStyleController(); }
TcxContainerStyleValues TcxContainerStyle::GetBaseOnlyValues() { return kBaseOnlyValues; }

// ---- changes

void TcxContainerStyle::NotifyChanged() {
  modified_ = true;
  FlushChanges();
}

void TcxContainerStyle::FlushChanges() {
  if (!modified_ || updateCount_ > 0) return;
  modified_ = false;
  if (!destroying_ && !directAccessMode_ && OnChanged) OnChanged(this);
}

void TcxContainerStyle::FontModified(TObject*) {
  if (fontAssignedLock_ == 0) assignedValues_.Include(svFont);
  NotifyChanged();
}

void TcxContainerStyle::RefreshFont() {
  if (directAccessMode_ || IsAssigned(svFont) || !ownFont_) return;
  ++fontAssignedLock_;
  try {
    TcxContainerStyle* s = ControllerStyle();
    if (s && s->Font()) {
      ownFont_->Assign(s->Font());
    } else {
      TFont defaults;
      ownFont_->Assign(&defaults);
    }
  } catch (...) {
    --fontAssignedLock_;
    throw;
  }
  --fontAssignedLock_;
}

void TcxContainerStyle::ControllerChanged() {
  BeginUpdate();  // the font taken and the rest: one notice
  RefreshFont();
  NotifyChanged();
  EndUpdate();
}

void TcxContainerStyle::ControllerRemoved(TcxStyleController* AController) {
  if (AController == ActiveStyleController()) SetStyleController(nullptr);
}

TcxStyleController* TcxContainerStyle::StyleController() {
  TcxStyleController* c = ActiveStyleController();
  return c == GetDefaultStyleController() ? nullptr : c;
}

void TcxContainerStyle::SetStyleController(TcxStyleController* Value) {
  if (!IsBaseStyle()) return BaseStyle()->SetStyleController(Value);
  TcxStyleController* defaultController = GetDefaultStyleController();
  if (defaultController && defaultController == Owner()) return;
  if (!Value) Value = defaultController;
  // Following the controllers from Value must not come back here; a chain
  // longer than the controllers that exist cannot be made, the bound only
  // keeps a damaged one from looping.
  int32_t steps = 0;
  for (TcxStyleController* c = Value; c && steps < 10000; c = c->Style()->ActiveStyleController(), ++steps)
    if (c->Style() == this) return;
  if (Value == styleController_) return;
  if (styleController_) styleController_->RemoveListener(this);
  styleController_ = Value;
  if (styleController_) styleController_->AddListener(this);
  ControllerChanged();
}

// ---- streaming

void TcxContainerStyle::DefineProperties(TFiler* Filer) {
  TcxInterfacedPersistent::DefineProperties(Filer);
  Filer->DefineProperty(
      "IsFontAssigned",
      [this](TReader& r) {
        if (r.ReadBoolean()) assignedValues_.Include(svFont);
      },
      [](TWriter& w) { w.WriteBoolean(true); }, IsAssigned(svFont));
}

// ---- the four styles

TcxContainerStyles::TcxContainerStyles(TPersistent* AOwner, TcxContainerStyleClass AStyleClass) {
  if (!AStyleClass) AStyleClass = &MakeContainerStyle;
  styles_[csNormal] = AStyleClass(AOwner, csNormal, nullptr);
  for (TcxContainerStateItem s : {csActive, csDisabled, csHotTrack}) styles_[s] = AStyleClass(AOwner, s, styles_[csNormal]);
}

TcxContainerStyles::~TcxContainerStyles() {
  for (int i = csHotTrack; i >= csNormal; --i) delete styles_[i];
}

// ---- style controller

TcxStyleController::TcxStyleController(TComponent* AOwner) : TComponent(AOwner) {
  styles_ = GetStylesClass(GetStyleClass());
  for (TcxContainerStateItem s : {csNormal, csActive, csDisabled, csHotTrack})
    styles_->Style(s)->OnChanged = [this](TObject* Sender) { StylesChanged(Sender); };
}

TcxStyleController::~TcxStyleController() {
  destroying_ = true;
  for (int32_t i = listeners_.Count() - 1; i >= 0; --i)
    if (i < listeners_.Count()) Listeners(i)->ControllerRemoved(this);
  styles_.reset();
}

void TcxStyleController::Loaded() {
  TComponent::Loaded();
  StylesChanged(this);
}

void TcxStyleController::AddListener(TcxContainerStyle* AStyle) {
  if (!AStyle || listeners_.IndexOf(AStyle) != -1) return;
  listeners_.Add(AStyle);
  AStyle->LookAndFeel()->SetParentLookAndFeel(Style()->LookAndFeel());
}

void TcxStyleController::RemoveListener(TcxContainerStyle* AStyle) {
  if (listeners_.Remove(AStyle) == -1) return;
  if (TcxLookAndFeel* lf = AStyle->LookAndFeel()) lf->SetParentLookAndFeel(nullptr);
}

TcxContainerStyleClass TcxStyleController::GetStyleClass() { return &MakeContainerStyle; }

std::unique_ptr<TcxContainerStyles> TcxStyleController::GetStylesClass(TcxContainerStyleClass AStyleClass) {
  return std::make_unique<TcxContainerStyles>(this, AStyleClass);
}

void TcxStyleController::StylesChanged(TObject*) {
  if (OnStyleChanged) OnStyleChanged(this);
  if (destroying_) return;
  for (int32_t i = 0; i < listeners_.Count(); ++i) Listeners(i)->ControllerChanged();
}

// ---- published properties

namespace {

// Every style value but AssignedValues is stored exactly when it is assigned.
template <TcxContainerStyleValue V>
bool StoredWhenAssigned(TcxContainerStyle& s) {
  return s.IsValueAssigned(V);
}

void PublishContainerClasses() {
  RegisterGraphicsProperties();  // the font's
  const PTypeInfo color = DefineIntegerType("TColor", otSLong, IdentToColor, ColorToIdent);
  DefineEnumType<TcxContainerBorderStyle>(
      "TcxContainerBorderStyle", {"cbsNone", "cbsSingle", "cbsThick", "cbsFlat", "cbs3D", "cbsUltraFlat", "cbsOffice11"});
  const PTypeInfo values = DefineSetType(
      "TcxContainerStyleValues",
      DefineEnumType<TcxContainerStyleValue>("TcxContainerStyleValue",
                                             {"svBorderColor", "svBorderStyle", "svColor", "svEdges", "svFont",
                                              "svHotTrack", "svShadow", "svTextColor", "svTextStyle",
                                              "svTransparentBorder"}));
  const PTypeInfo borders =
      DefineSetType("TcxBorders", DefineEnumType<TcxBorder>("TcxBorder", {"bLeft", "bTop", "bRight", "bBottom"}));
  // Interned by name: the font's own set type.
  const PTypeInfo fontStyles = DefineSetType(
      "TFontStyles", DefineEnumType<TFontStyle>("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}));
  using S = TcxContainerStyle;
  Published<S>()
      .Set("AssignedValues", &S::AssignedValues, &S::SetAssignedValues, values)
      .Stored(false)
      .Int("BorderColor", &S::BorderColor, &S::SetBorderColor)
      .Type(color)
      .Stored(&StoredWhenAssigned<svBorderColor>)
      .Enum("BorderStyle", &S::BorderStyle, &S::SetBorderStyle)
      .Stored(&StoredWhenAssigned<svBorderStyle>)
      .Int("Color", &S::Color, &S::SetColor)
      .Type(color)
      .Stored(&StoredWhenAssigned<svColor>)
      .Set("Edges", &S::Edges, &S::SetEdges, borders)
      .Stored(&StoredWhenAssigned<svEdges>)
      .Obj("Font", &S::Font, &S::SetFont)
      .Stored(&StoredWhenAssigned<svFont>)
      .Bool("HotTrack", &S::HotTrack, &S::SetHotTrack)
      .Stored(&StoredWhenAssigned<svHotTrack>)
      .Obj("LookAndFeel", &S::LookAndFeel, &S::SetLookAndFeel)
      .Stored(true)
      .Bool("Shadow", &S::Shadow, &S::SetShadow)
      .Stored(&StoredWhenAssigned<svShadow>)
      .Obj("StyleController", &S::StyleController, &S::SetStyleController)
      .Stored([](S& s) { return s.IsBaseStyle(); })
      .Int("TextColor", &S::TextColor, &S::SetTextColor)
      .Type(color)
      .Stored(&StoredWhenAssigned<svTextColor>)
      .Set("TextStyle", &S::TextStyle, &S::SetTextStyle, fontStyles)
      .Stored(&StoredWhenAssigned<svTextStyle>)
      .Bool("TransparentBorder", &S::TransparentBorder, &S::SetTransparentBorder)
      .Stored(&StoredWhenAssigned<svTransparentBorder>);
  Published<TcxStyleController>()
      .Obj("FakeStyleController", &TcxStyleController::FakeStyleController,
           &TcxStyleController::SetFakeStyleController)
      .Stored(false);
}

}  // namespace

// ---- popup windows

TList* cxPopupWindowList() { return popupWindows; }

bool cxGetScrollBarInfoExists() { return getScrollBarInfo != nullptr; }

void cxContainerUnitStart() {
  if (win::HMODULE user32 = win::GetModuleHandle("User32")) getScrollBarInfo = win::GetProcAddress(user32, "GetScrollBarInfo");
  static std::once_flag published;
  std::call_once(published, &PublishContainerClasses);
  RegisterClass(TcxStyleController::StaticClass());
  popupWindows = new TList;
  SetThreadHook(callWndProcHook, win::WH_CALLWNDPROC, &CallWndProcHookProc);
  SetThreadHook(getMessageHook, win::WH_GETMESSAGE, &GetMessageHookProc);
  SetThreadHook(mouseHook, win::WH_MOUSE, &MouseHookProc);
}

void cxContainerUnitStop() {
  ReleaseThreadHook(mouseHook);
  ReleaseThreadHook(getMessageHook);
  ReleaseThreadHook(callWndProcHook);
  delete popupWindows;
  popupWindows = nullptr;
  UnRegisterClass(TcxStyleController::StaticClass());
}
