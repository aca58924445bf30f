// TCustomControl, TGraphicControl and their canvas; the mouse object;
// shortcuts and shift states; utility windows; cursor names; the published
// properties of the control classes.
#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "platform/classes/typinfo.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/controls_internal.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/imglist.h"
#include "platform/vcl/timers.h"

// ---------------------------------------------------------------- control canvases
namespace {
// Canvases holding a window DC; the DCs go back after each message.
std::vector<TControlCanvas*>& CanvasList() {
  static std::vector<TControlCanvas*> list;
  return list;
}
}  // namespace

void vcl_FreeDeviceContexts() {
  auto& list = CanvasList();
  while (!list.empty()) list.back()->FreeHandle();
}

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* control) {
  if (control_ == control) return;
  FreeHandle();
  control_ = control;
}

void TControlCanvas::CreateHandle() {
  if (!control_) return;
  win::HWND h = nullptr;
  auto* w = dynamic_cast<TWinControl*>(control_);
  if (w) h = w->Handle();
  else if (control_->Parent()) h = control_->Parent()->Handle();
  if (!h) return;
  dc_ = win::GetDCEx(h, nullptr, win::DCX_CACHE | win::DCX_CLIPSIBLINGS);
  if (!dc_) return;
  dcWindow_ = h;
  if (!w) {
    win::SetWindowOrgEx(dc_, -control_->Left(), -control_->Top(), nullptr);
    win::IntersectClipRect(dc_, 0, 0, control_->Width(), control_->Height());
  }
  CanvasList().push_back(this);
  SetHandle(dc_);
}

void TControlCanvas::FreeHandle() {
  if (!dc_) return;
  if (HandleAllocated() && Handle() == dc_) SetHandle(nullptr);
  win::ReleaseDC(dcWindow_, dc_);
  dc_ = nullptr;
  dcWindow_ = nullptr;
  auto& list = CanvasList();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

// ---------------------------------------------------------------- TCustomControl
TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {
  canvas_ = std::make_unique<TControlCanvas>();
  canvas_->SetControl(this);
}

TCustomControl::~TCustomControl() { canvas_->SetControl(nullptr); }

void TCustomControl::Paint() {}

void vcl_detail::PaintOnCanvas(TControlCanvas& canvas, win::HDC dc, const std::function<void()>& paint) {
  canvas.FreeHandle();
  canvas.Lock();
  canvas.SetHandle(dc);
  struct Release {
    TControlCanvas& c;
    ~Release() {
      c.SetHandle(nullptr);
      c.Unlock();
    }
  } release{canvas};
  paint();
}

void TCustomControl::PaintWindow(win::HDC dc) {
  vcl_detail::PaintOnCanvas(*canvas_, dc, [this] { Paint(); });
}

// ---------------------------------------------------------------- TGraphicControl
TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {
  canvas_ = std::make_unique<TControlCanvas>();
  canvas_->SetControl(this);
}

TGraphicControl::~TGraphicControl() { canvas_->SetControl(nullptr); }

void TGraphicControl::WMPaint(TMessage& m) {
  if (m.WParam == 0) return;
  canvas_->FreeHandle();
  canvas_->Lock();
  canvas_->SetHandle(reinterpret_cast<win::HDC>(m.WParam));
  try {
    Paint();
  } catch (...) {
    canvas_->SetHandle(nullptr);
    canvas_->Unlock();
    throw;
  }
  canvas_->SetHandle(nullptr);
  canvas_->Unlock();
}

void TGraphicControl::Dispatch(TMessage& m) {
  if (m.Msg == win::WM_PAINT) {
    WMPaint(m);
    return;
  }
  TControl::Dispatch(m);
}

// ---------------------------------------------------------------- mouse
namespace {
TMouse g_mouse;
}
TMouse* Mouse = &g_mouse;

TPoint TMouse::CursorPos() const {
  win::POINT p;
  win::GetCursorPos(&p);
  return p;
}
void TMouse::SetCursorPos(TPoint p) { win::SetCursorPos(p.X, p.Y); }
win::HWND TMouse::Capture() const { return win::GetCapture(); }
void TMouse::SetCapture(win::HWND h) {
  if (h) win::SetCapture(h);
  else win::ReleaseCapture();
}
int32_t TMouse::WheelScrollLines() const {
  win::UINT lines = 3;
  win::SystemParametersInfo(win::SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  return int32_t(lines);
}

TControl* FindDragTarget(TPoint pos, bool allowDisabled) {
  TWinControl* w = FindControl(win::WindowFromPoint(pos));
  if (!w) return nullptr;
  if (TControl* c = w->ControlAtPos(w->ScreenToClient(pos), allowDisabled)) return c;
  return w;
}

// ---------------------------------------------------------------- shift states and shortcuts
TShiftState KeyDataToShiftState(int32_t keyData) {
  TShiftState s;
  if (vcl_detail::KeyDown(win::VK_SHIFT)) s.Include(ssShift);
  if (vcl_detail::KeyDown(win::VK_CONTROL)) s.Include(ssCtrl);
  if (keyData & AltMask) s.Include(ssAlt);
  return s;
}

TShiftState KeysToShiftState(win::WPARAM keys) {
  TShiftState s;
  if (keys & win::MK_SHIFT) s.Include(ssShift);
  if (keys & win::MK_CONTROL) s.Include(ssCtrl);
  if (keys & win::MK_LBUTTON) s.Include(ssLeft);
  if (keys & win::MK_RBUTTON) s.Include(ssRight);
  if (keys & win::MK_MBUTTON) s.Include(ssMiddle);
  if (vcl_detail::KeyDown(win::VK_MENU)) s.Include(ssAlt);
  return s;
}

TShiftState KeyboardStateToShiftState() {
  TShiftState s;
  if (vcl_detail::KeyDown(win::VK_SHIFT)) s.Include(ssShift);
  if (vcl_detail::KeyDown(win::VK_CONTROL)) s.Include(ssCtrl);
  if (vcl_detail::KeyDown(win::VK_MENU)) s.Include(ssAlt);
  if (vcl_detail::KeyDown(win::VK_LBUTTON)) s.Include(ssLeft);
  if (vcl_detail::KeyDown(win::VK_RBUTTON)) s.Include(ssRight);
  if (vcl_detail::KeyDown(win::VK_MBUTTON)) s.Include(ssMiddle);
  return s;
}

TShortCut ShortCut(win::WORD key, TShiftState shift) {
  if (key & 0xFF00) return scNone;
  TShortCut r = TShortCut(key);
  if (shift.Contains(ssShift)) r |= scShift;
  if (shift.Contains(ssCtrl)) r |= scCtrl;
  if (shift.Contains(ssAlt)) r |= scAlt;
  return r;
}

void ShortCutToKey(TShortCut shortCut, win::WORD& key, TShiftState& shift) {
  key = shortCut & 0xFF;
  shift = {};
  if (shortCut & scShift) shift.Include(ssShift);
  if (shortCut & scCtrl) shift.Include(ssCtrl);
  if (shortCut & scAlt) shift.Include(ssAlt);
}

namespace {

std::string KeyName(win::WORD key) {
  using namespace win;
  switch (key) {
    case VK_BACK: return "BkSp";
    case VK_TAB: return "Tab";
    case VK_RETURN: return "Enter";
    case VK_ESCAPE: return "Esc";
    case VK_SPACE: return "Space";
    case VK_PRIOR: return "PgUp";
    case VK_NEXT: return "PgDn";
    case VK_END: return "End";
    case VK_HOME: return "Home";
    case VK_LEFT: return "Left";
    case VK_UP: return "Up";
    case VK_RIGHT: return "Right";
    case VK_DOWN: return "Down";
    case VK_INSERT: return "Ins";
    case VK_DELETE: return "Del";
    case VK_PAUSE: return "Pause";
    case VK_APPS: return "Menu";
    case VK_MULTIPLY: return "Num *";
    case VK_ADD: return "Num +";
    case VK_SUBTRACT: return "Num -";
    case VK_DECIMAL: return "Num Del";
    case VK_DIVIDE: return "Num /";
    case VK_OEM_1: return ";";
    case VK_OEM_PLUS: return "=";
    case VK_OEM_COMMA: return ",";
    case VK_OEM_MINUS: return "-";
    case VK_OEM_PERIOD: return ".";
    case VK_OEM_2: return "/";
    case VK_OEM_3: return "`";
    case VK_OEM_4: return "[";
    case VK_OEM_5: return "\\";
    case VK_OEM_6: return "]";
    case VK_OEM_7: return "'";
  }
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, char(key));
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return "Num " + std::string(1, char('0' + key - VK_NUMPAD0));
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  return {};
}

}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
  std::string name = KeyName(shortCut & 0xFF);
  if (name.empty()) return {};
  std::string r;
  if (shortCut & scShift) r += "Shift+";
  if (shortCut & scCtrl) r += "Ctrl+";
  if (shortCut & scAlt) r += "Alt+";
  return r + name;
}

TShortCut TextToShortCut(std::string_view text) {
  TShortCut mods = 0;
  std::string_view rest = text;
  for (;;) {
    auto eat = [&](std::string_view prefix, TShortCut bit) {
      if (rest.size() > prefix.size() && SameText(rest.substr(0, prefix.size()), prefix)) {
        rest.remove_prefix(prefix.size());
        mods |= bit;
        return true;
      }
      return false;
    };
    if (eat("Shift+", scShift) || eat("Ctrl+", scCtrl) || eat("Alt+", scAlt)) continue;
    break;
  }
  if (rest.empty()) return scNone;
  for (win::WORD key = 8; key < 256; ++key) {
    std::string name = KeyName(key);
    if (!name.empty() && SameText(name, rest)) return TShortCut(key | mods);
  }
  return scNone;
}

// ---------------------------------------------------------------- cursor names
namespace {
struct CursorName {
  TCursor Value;
  const char* Name;
};
constexpr CursorName kCursorNames[] = {
    {crDefault, "crDefault"},   {crNone, "crNone"},         {crArrow, "crArrow"},       {crCross, "crCross"},
    {crIBeam, "crIBeam"},       {crSizeNESW, "crSizeNESW"}, {crSizeNS, "crSizeNS"},     {crSizeNWSE, "crSizeNWSE"},
    {crSizeWE, "crSizeWE"},     {crUpArrow, "crUpArrow"},   {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},     {crHSplit, "crHSplit"},     {crVSplit, "crVSplit"},     {crMultiDrag, "crMultiDrag"},
    {crSQLWait, "crSQLWait"},   {crNo, "crNo"},             {crAppStart, "crAppStart"}, {crHelp, "crHelp"},
    {crHandPoint, "crHandPoint"}, {crSizeAll, "crSizeAll"},
};
}  // namespace

bool CursorToIdent(int64_t cursor, std::string& ident) {
  for (const CursorName& c : kCursorNames)
    if (c.Value == cursor) {
      ident = c.Name;
      return true;
    }
  return false;
}

bool IdentToCursor(std::string_view ident, int64_t& cursor) {
  for (const CursorName& c : kCursorNames)
    if (SameText(ident, c.Name)) {
      cursor = c.Value;
      return true;
    }
  return false;
}

// ---------------------------------------------------------------- utility windows
namespace {

constexpr const char* kUtilClass = "DxUtilWindow";

std::unordered_map<win::HWND, std::function<void(TMessage&)>>& UtilMethods() {
  static std::unordered_map<win::HWND, std::function<void(TMessage&)>> map;
  return map;
}

// Messages sent while the window is being made go to the default handling:
// the method sees the window only once it exists.
win::LRESULT UtilWndProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  auto& map = UtilMethods();
  auto it = map.find(hwnd);
  if (it == map.end() || !it->second) return win::DefWindowProc(hwnd, msg, wParam, lParam);
  // A copy: the method may deallocate its own window.
  std::function<void(TMessage&)> method = it->second;
  TMessage m{msg, wParam, lParam, 0};
  try {
    method(m);
  } catch (...) {
    if (Application) Application->HandleException(nullptr);
  }
  return m.Result;
}

}  // namespace

win::HWND AllocateHWnd(std::function<void(TMessage&)> method) {
  static std::once_flag once;
  std::call_once(once, [] {
    win::WNDCLASSEX wc;
    wc.lpfnWndProc = UtilWndProc;
    wc.lpszClassName = kUtilClass;
    win::RegisterClassEx(&wc);
  });
  win::HWND h = win::CreateWindowEx(0, kUtilClass, "", 0, 0, 0, 0, 0, win::HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (h) UtilMethods()[h] = std::move(method);
  return h;
}

void DeallocateHWnd(win::HWND wnd) {
  if (!wnd) return;
  UtilMethods().erase(wnd);
  win::DestroyWindow(wnd);
}

// ---------------------------------------------------------------- published properties
void RegisterControlsClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterGraphicsProperties();
    PTypeInfo color = DefineIntegerType("TColor", otSLong, IdentToColor, ColorToIdent);
    PTypeInfo cursor = DefineIntegerType("TCursor", otSWord, IdentToCursor, CursorToIdent);
    DefineEnumType<TAlign>("TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"});
    PTypeInfo anchorKind = DefineEnumType<TAnchorKind>("TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"});
    PTypeInfo anchors = DefineSetType("TAnchors", anchorKind);
    DefineEnumType<TDragMode>("TDragMode", {"dmManual", "dmAutomatic"});
    DefineEnumType<TScrollStyle>("TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
    DefineEnumType<TBevelCut>("TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
    DefineEnumType<TFormBorderStyle>("TFormBorderStyle",
                                     {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
    PTypeInfo shortCut = DefineIntegerType("TShortCut", otUWord);
    (void)shortCut;

    Published<TSizeConstraints>()
        .Int("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight, 0)
        .Int("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth, 0)
        .Int("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight, 0)
        .Int("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth, 0);

    Published<TControl>()
        .Int("Left", &TControl::Left, &TControl::SetLeft)
        .Int("Top", &TControl::Top, &TControl::SetTop)
        .Int("Width", &TControl::Width, &TControl::SetWidth)
        .Int("Height", &TControl::Height, &TControl::SetHeight)
        .Enum("Align", &TControl::Align, &TControl::SetAlign, alNone)
        .Set("Anchors", &TControl::Anchors, &TControl::SetAnchors, anchors, TAnchors{akLeft, akTop}.Bits())
        .Str("Caption", &TControl::Caption, &TControl::SetCaption)
        .Str("Text", &TControl::Text, &TControl::SetText)
        .Stored(false)
        .Int("Color", &TControl::Color, &TControl::SetColor)
        .Type(color)
        .Stored([](TControl& c) { return !c.ParentColor(); })
        .Obj("Constraints", &TControl::Constraints, &TControl::SetConstraints)
        .Int("Cursor", &TControl::Cursor, &TControl::SetCursor, crDefault)
        .Type(cursor)
        .Enum("DragMode", &TControl::DragMode, &TControl::SetDragMode, dmManual)
        .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
        .Obj("Font", &TControl::Font, &TControl::SetFont)
        .Stored([](TControl& c) { return !c.ParentFont(); })
        .Int("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext, 0)
        .Str("Hint", &TControl::Hint, &TControl::SetHint)
        .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
        .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
        .Bool("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true)
        .Obj("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
        .Obj("Action", &TControl::Action, &TControl::SetAction)
        .Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
        .Stored([](TControl& c) { return !c.ParentShowHint(); })
        .Bool("Visible", &TControl::Visible, &TControl::SetVisible, true)
        .Event("OnClick", &TControl::OnClick)
        .Event("OnDblClick", &TControl::OnDblClick)
        .Event("OnMouseDown", &TControl::OnMouseDown, "TMouseEvent")
        .Event("OnMouseMove", &TControl::OnMouseMove, "TMouseMoveEvent")
        .Event("OnMouseUp", &TControl::OnMouseUp, "TMouseEvent")
        .Event("OnMouseWheel", &TControl::OnMouseWheel, "TMouseWheelEvent")
        .Event("OnMouseWheelDown", &TControl::OnMouseWheelDown, "TMouseWheelUpDownEvent")
        .Event("OnMouseWheelUp", &TControl::OnMouseWheelUp, "TMouseWheelUpDownEvent")
        .Event("OnMouseEnter", &TControl::OnMouseEnter)
        .Event("OnMouseLeave", &TControl::OnMouseLeave)
        .Event("OnResize", &TControl::OnResize)
        .Event("OnContextPopup", &TControl::OnContextPopup, "TContextPopupEvent")
        .Event("OnCanResize", &TControl::OnCanResize, "TCanResizeEvent");

    Published<TWinControl>()
        .Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, -1)
        .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false)
        .Bool("DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered, false)
        .Bool("ParentBackground", &TWinControl::ParentBackground, &TWinControl::SetParentBackground)
        .Bool("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D, true)
        .Bool("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D, true)
        .Event("OnKeyDown", &TWinControl::OnKeyDown, "TKeyEvent")
        .Event("OnKeyPress", &TWinControl::OnKeyPress, "TKeyPressEvent")
        .Event("OnKeyUp", &TWinControl::OnKeyUp, "TKeyEvent")
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnExit", &TWinControl::OnExit);

    RegisterClass(TControl::StaticClass());
    RegisterClass(TWinControl::StaticClass());
    RegisterClass(TCustomControl::StaticClass());
    RegisterClass(TGraphicControl::StaticClass());

    RegisterImageListClasses();
    RegisterTimerClasses();
    RegisterActionClasses();
    RegisterFormsClasses();
  });
}
