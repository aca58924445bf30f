// TScreen and TMonitor, the hint window, the global Application and Screen,
// and the published properties of the form classes.
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <mutex>

#include "platform/classes/typinfo.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/forms.h"

// Made at start-up and kept for the life of the process, as the framework
// does: forms, controls and timers refer to them until the very end.
TScreen* Screen = new TScreen(nullptr);
TApplication* Application = new TApplication(nullptr);

// ---------------------------------------------------------------- monitors
TRect TMonitor::BoundsRect() const {
  win::MONITORINFO mi;
  if (!win::GetMonitorInfo(handle_, &mi)) return {};
  return mi.rcMonitor;
}

TRect TMonitor::WorkareaRect() const {
  win::MONITORINFO mi;
  if (!win::GetMonitorInfo(handle_, &mi)) return {};
  return mi.rcWork;
}

bool TMonitor::Primary() const {
  win::MONITORINFO mi;
  return win::GetMonitorInfo(handle_, &mi) && (mi.dwFlags & win::MONITORINFOF_PRIMARY);
}

// ---------------------------------------------------------------- screen
namespace {

void FontFromLogFont(TFont* font, const win::LOGFONT& lf) {
  font->SetName(lf.lfFaceName[0] ? std::string(lf.lfFaceName) : std::string("Tahoma"));
  font->SetHeight(lf.lfHeight ? lf.lfHeight : -12);
  TFontStyles style;
  if (lf.lfWeight >= 700) style.Include(fsBold);
  if (lf.lfItalic) style.Include(fsItalic);
  if (lf.lfUnderline) style.Include(fsUnderline);
  if (lf.lfStrikeOut) style.Include(fsStrikeOut);
  font->SetStyle(style);
}

}  // namespace

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {
  hintFont_ = std::make_unique<TFont>();
  menuFont_ = std::make_unique<TFont>();
  iconFont_ = std::make_unique<TFont>();
  messageFont_ = std::make_unique<TFont>();
}

TScreen::~TScreen() = default;

TFont* TScreen::HintFont() {
  if (!fontsRead_) ResetFonts();
  return hintFont_.get();
}
TFont* TScreen::MenuFont() {
  if (!fontsRead_) ResetFonts();
  return menuFont_.get();
}
TFont* TScreen::IconFont() {
  if (!fontsRead_) ResetFonts();
  return iconFont_.get();
}
TFont* TScreen::MessageFont() {
  if (!fontsRead_) ResetFonts();
  return messageFont_.get();
}

void TScreen::ResetFonts() {
  fontsRead_ = true;
  win::NONCLIENTMETRICS ncm;
  if (win::SystemParametersInfo(win::SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) {
    FontFromLogFont(hintFont_.get(), ncm.lfStatusFont);
    FontFromLogFont(menuFont_.get(), ncm.lfMenuFont);
    FontFromLogFont(messageFont_.get(), ncm.lfMessageFont);
  }
  hintFont_->SetColor(clInfoText);
  win::LOGFONT lf;
  if (win::SystemParametersInfo(win::SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0)) FontFromLogFont(iconFont_.get(), lf);
}

void TScreen::SetCursor(TCursor v) {
  if (cursor_ == v) return;
  cursor_ = v;
  if (v != crDefault) {
    win::SetCursor(Cursors(v));
    return;
  }
  // Back to what the window under the mouse asks for.
  win::POINT p;
  win::GetCursorPos(&p);
  if (win::HWND h = win::WindowFromPoint(p))
    win::SendMessage(h, win::WM_SETCURSOR, reinterpret_cast<win::WPARAM>(h),
                     win::MAKELPARAM(int(win::SendMessage(h, win::WM_NCHITTEST, 0, win::MAKELPARAM(p.X, p.Y))),
                                     int(win::WM_MOUSEMOVE)));
  else
    win::SetCursor(Cursors(crDefault));
}

win::HCURSOR TScreen::Cursors(int32_t index) {
  for (auto& [id, cursor] : cursors_)
    if (id == index) return cursor;
  using namespace win;
  LPCSTR id = IDC_ARROW;
  switch (index) {
    case crNone: return nullptr;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: case crVSplit: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: case crHSplit: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: case crSQLWait: id = IDC_WAIT; break;
    case crNoDrop: case crNo: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: break;
  }
  return LoadCursor(nullptr, id);
}

void TScreen::SetCursors(int32_t index, win::HCURSOR cursor) {
  for (auto& entry : cursors_)
    if (entry.first == index) {
      entry.second = cursor;
      return;
    }
  cursors_.emplace_back(index, cursor);
}

TCustomForm* TScreen::Forms(int32_t index) const {
  if (index < 0 || index >= FormCount()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
  return forms_[size_t(index)];
}

TDataModule* TScreen::DataModules(int32_t index) const {
  if (index < 0 || index >= DataModuleCount()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
  return dataModules_[size_t(index)];
}

void TScreen::AddForm(TCustomForm* form) { forms_.push_back(form); }

void TScreen::RemoveForm(TCustomForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  if (activeForm_ == form) activeForm_ = nullptr;
  if (focusedForm_ == form) focusedForm_ = nullptr;
  if (activeControl_ && activeControl_->GetParentForm() == nullptr) activeControl_ = nullptr;
  if (activeControl_ == form) activeControl_ = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* form) {
  if (activeForm_ == form) return;
  activeForm_ = form;
  // The most recently active form comes first, as the framework keeps it.
  if (form) {
    auto it = std::find(forms_.begin(), forms_.end(), form);
    if (it != forms_.end()) std::rotate(forms_.begin(), it, it + 1);
  }
  if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::SetActiveControl(TWinControl* control) {
  if (activeControl_ == control) return;
  activeControl_ = control;
  if (OnActiveControlChange) OnActiveControlChange(this);
}

void TScreen::RefreshMonitors() {
  std::vector<win::HMONITOR> handles;
  win::EnumDisplayMonitors(
      nullptr, nullptr,
      [](win::HMONITOR m, win::HDC, win::RECT*, win::LPARAM l) -> win::BOOL {
        reinterpret_cast<std::vector<win::HMONITOR>*>(l)->push_back(m);
        return win::TRUE;
      },
      reinterpret_cast<win::LPARAM>(&handles));
  bool same = handles.size() == monitors_.size();
  for (size_t i = 0; same && i < handles.size(); ++i) same = monitors_[i]->Handle() == handles[i];
  if (same) return;
  monitors_.clear();
  for (size_t i = 0; i < handles.size(); ++i) monitors_.push_back(std::make_unique<TMonitor>(handles[i], int32_t(i)));
}

int32_t TScreen::MonitorCount() {
  RefreshMonitors();
  return int32_t(monitors_.size());
}

TMonitor* TScreen::Monitors(int32_t index) {
  RefreshMonitors();
  if (index < 0 || size_t(index) >= monitors_.size()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
  return monitors_[size_t(index)].get();
}

namespace {
TMonitor* Find(std::vector<std::unique_ptr<TMonitor>>& list, win::HMONITOR h) {
  for (auto& m : list)
    if (m->Handle() == h) return m.get();
  return list.empty() ? nullptr : list.front().get();
}
}  // namespace

TMonitor* TScreen::PrimaryMonitor() {
  RefreshMonitors();
  for (auto& m : monitors_)
    if (m->Primary()) return m.get();
  return monitors_.empty() ? nullptr : monitors_.front().get();
}

TMonitor* TScreen::MonitorFromPoint(TPoint p) {
  RefreshMonitors();
  return Find(monitors_, win::MonitorFromPoint(p, win::MONITOR_DEFAULTTONEAREST));
}

TMonitor* TScreen::MonitorFromRect(const TRect& r) {
  RefreshMonitors();
  return Find(monitors_, win::MonitorFromRect(&r, win::MONITOR_DEFAULTTONEAREST));
}

TMonitor* TScreen::MonitorFromWindow(win::HWND hwnd) {
  RefreshMonitors();
  return Find(monitors_, win::MonitorFromWindow(hwnd, win::MONITOR_DEFAULTTONEAREST));
}

TRect TScreen::WorkAreaRect() {
  win::RECT r;
  if (!win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &r, 0)) return DesktopRect();
  return r;
}

TRect TScreen::DesktopRect() { return {0, 0, Width(), Height()}; }
int32_t TScreen::Width() { return win::GetSystemMetrics(win::SM_CXSCREEN); }
int32_t TScreen::Height() { return win::GetSystemMetrics(win::SM_CYSCREEN); }
int32_t TScreen::PixelsPerInch() const { return win::ScreenLogPixels(); }

// The families fontconfig knows, sorted; the faces the program's forms
// name are always there because the font engine maps them onto installed ones.
TStrings* TScreen::Fonts() {
  if (fonts_) return fonts_.get();
  fonts_ = std::make_unique<TStringList>();
  std::vector<std::string> names;
  if (FcConfig* config = FcInitLoadConfigAndFonts()) {
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, static_cast<char*>(nullptr));
    if (FcFontSet* set = FcFontList(config, pattern, objects)) {
      for (int i = 0; i < set->nfont; ++i) {
        FcChar8* family = nullptr;
        if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch && family)
          names.emplace_back(reinterpret_cast<const char*>(family));
      }
      FcFontSetDestroy(set);
    }
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
  }
  if (names.empty()) names = {"DejaVu Sans", "DejaVu Sans Mono", "DejaVu Serif", "Liberation Mono",
                              "Liberation Sans", "Liberation Serif"};
  for (const char* alias : {"Arial", "Courier New", "MS Sans Serif", "Segoe UI", "Tahoma", "Times New Roman"})
    names.emplace_back(alias);
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  names.erase(std::unique(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return SameText(a, b); }),
              names.end());
  for (const std::string& n : names) fonts_->Add(n);
  return fonts_.get();
}

// ---------------------------------------------------------------- hint window
THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(Application->HintColor());
  Font()->Assign(Screen->HintFont());
  TControl::SetVisible(false);
}

void THintWindow::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style = win::WS_POPUP | win::WS_BORDER;
  p.ExStyle = win::WS_EX_TOOLWINDOW | win::WS_EX_TOPMOST | win::WS_EX_NOACTIVATE;
  p.WndParent = nullptr;
  p.WindowClassStyle = win::CS_SAVEBITS | win::CS_DROPSHADOW;
}

TRect THintWindow::CalcHintRect(int32_t maxWidth, const std::string& hint, void*) {
  win::HDC dc = win::CreateCompatibleDC(nullptr);
  TCanvas* c = Canvas();
  c->SetHandle(dc);
  TRect r{0, 0, maxWidth, 0};
  std::string text = hint;
  c->TextRect(r, text, TTextFormat{tfCalcRect, tfLeft, tfWordBreak, tfNoPrefix});
  c->SetHandle(nullptr);
  win::DeleteDC(dc);
  // Room for the border and the text's margin.
  r.Right += 6;
  r.Bottom += 2;
  return r;
}

void THintWindow::ActivateHint(TRect rect, const std::string& hint) {
  SetCaption(hint);
  TRect work = Screen->DesktopRect();
  if (TMonitor* m = Screen->MonitorFromPoint(rect.TopLeft())) work = m->BoundsRect();
  // Keep the whole hint on the monitor.
  if (rect.Right > work.Right) rect.Offset(work.Right - rect.Right, 0);
  if (rect.Left < work.Left) rect.Offset(work.Left - rect.Left, 0);
  if (rect.Bottom > work.Bottom) rect.Offset(0, work.Bottom - rect.Bottom);
  if (rect.Top < work.Top) rect.Offset(0, work.Top - rect.Top);
  SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
  win::SetWindowPos(Handle(), win::HWND_TOPMOST, rect.Left, rect.Top, rect.Width(), rect.Height(),
                    win::SWP_SHOWWINDOW | win::SWP_NOACTIVATE);
  Invalidate();
  Update();
}

void THintWindow::ReleaseHandle() { DestroyHandle(); }

bool THintWindow::IsHintMsg(const win::MSG& msg) {
  switch (msg.message) {
    case win::WM_KEYDOWN: case win::WM_SYSKEYDOWN:
    case win::WM_LBUTTONDOWN: case win::WM_RBUTTONDOWN: case win::WM_MBUTTONDOWN:
      return true;
  }
  return false;
}

void THintWindow::Paint() {
  TRect r = ClientRect();
  r.Left += 2;
  r.Top += 2;
  TCanvas* c = Canvas();
  c->Brush()->SetStyle(bsClear);
  c->Font()->Assign(Font());
  c->Font()->SetColor(Screen->HintFont()->Color());
  std::string text = Caption();
  c->TextRect(r, text, TTextFormat{tfLeft, tfWordBreak, tfNoPrefix});
}

void THintWindow::Dispatch(TMessage& m) {
  // The mouse passes through to the control under the hint.
  if (m.Msg == win::WM_NCHITTEST) {
    m.Result = win::HTTRANSPARENT;
    return;
  }
  TCustomControl::Dispatch(m);
}

// ---------------------------------------------------------------- published properties
void RegisterFormsClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    DefineEnumType<TFormStyle>("TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"});
    PTypeInfo icon = DefineEnumType<TBorderIcon>("TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"});
    PTypeInfo icons = DefineSetType("TBorderIcons", icon);
    DefineEnumType<TWindowState>("TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"});
    DefineEnumType<TPosition>("TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                                            "poScreenCenter", "poDesktopCenter", "poMainFormCenter",
                                            "poOwnerFormCenter"});
    DefineEnumType<TDefaultMonitor>("TDefaultMonitor", {"dmDesktop", "dmPrimary", "dmMainForm", "dmActiveForm"});
    DefineEnumType<TCloseAction>("TCloseAction", {"caNone", "caHide", "caFree", "caMinimize"});

    Published<TCustomForm>()
        .Obj("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
        .Bool("AlphaBlend", &TCustomForm::AlphaBlend, &TCustomForm::SetAlphaBlend, false)
        .Int("AlphaBlendValue", &TCustomForm::AlphaBlendValue, &TCustomForm::SetAlphaBlendValue, 255)
        .Set("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons, icons,
             TBorderIcons{biSystemMenu, biMinimize, biMaximize}.Bits())
        .Enum("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle, bsSizeable)
        .Int("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
        .Int("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
        .Enum("DefaultMonitor", &TCustomForm::DefaultMonitor, &TCustomForm::SetDefaultMonitor, dmActiveForm)
        .Enum("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle, fsNormal)
        .Obj("Icon", &TCustomForm::Icon, &TCustomForm::SetIcon)
        .Bool("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview, false)
        .Int("OldCreateOrder", &TCustomForm::OldCreateOrder, &TCustomForm::SetOldCreateOrder)
        .Stored(false)
        .Int("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch)
        .Enum("Position", &TCustomForm::Position, &TCustomForm::SetPosition, poDefaultPosOnly)
        .Bool("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled, true)
        .Int("TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight)
        .Enum("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState, wsNormal)
        .Bool("AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll, false)
        .Event("OnActivate", &TCustomForm::OnActivate)
        .Event("OnClose", &TCustomForm::OnClose, "TCloseEvent")
        .Event("OnCloseQuery", &TCustomForm::OnCloseQuery, "TCloseQueryEvent")
        .Event("OnCreate", &TCustomForm::OnCreate)
        .Event("OnDeactivate", &TCustomForm::OnDeactivate)
        .Event("OnDestroy", &TCustomForm::OnDestroy)
        .Event("OnHide", &TCustomForm::OnHide)
        .Event("OnPaint", &TCustomForm::OnPaint)
        .Event("OnShortCut", &TCustomForm::OnShortCut, "TShortCutEvent")
        .Event("OnShow", &TCustomForm::OnShow);
    Published<TDataModule>()
        .Event("OnCreate", &TDataModule::OnCreate)
        .Event("OnDestroy", &TDataModule::OnDestroy);

    RegisterClass(TCustomForm::StaticClass());
    RegisterClass(TForm::StaticClass());
    RegisterClass(TDataModule::StaticClass());
    RegisterClass(THintWindow::StaticClass());
  });
}
