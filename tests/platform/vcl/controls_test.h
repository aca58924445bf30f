// Shared fixture of the control-core tests: a headless screen, the
// application initialised, helpers to pump the loop, inject input at a
// control and read a form's pixels.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/display/display.h"
#include "platform/display/headless.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/forms.h"
#include "platform/win/backend.h"

namespace vcltest {

// A windowed control that fills itself with one colour and records what happens to it.
class TProbe : public TCustomControl {
  DX_COMPONENT_CLASS(TProbe, TCustomControl)
public:
  explicit TProbe(TComponent* owner) : TCustomControl(owner) {}
  TColor Fill = clNone;
  bool WasLoaded = false;
  std::vector<std::string>* Log = nullptr;

protected:
  void Paint() override {
    if (Fill == clNone) return;
    Canvas()->Brush()->SetColor(Fill);
    Canvas()->FillRect(ClientRect());
  }
  void Loaded() override {
    TCustomControl::Loaded();
    WasLoaded = true;
  }
};

// A button-like control: a click sets its form's ModalResult; Escape clicks it when Cancel is set.
class TFakeButton : public TCustomControl {
  DX_COMPONENT_CLASS(TFakeButton, TCustomControl)
public:
  explicit TFakeButton(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
  TModalResult ModalResult = mrNone;
  bool Cancel = false;
  void Click() override {
    auto alive = AliveToken();
    TCustomControl::Click();
    if (alive.expired()) return;  // the handler freed the button
    if (ModalResult != mrNone)
      if (TCustomForm* f = GetParentForm()) f->SetModalResult(ModalResult);
  }

protected:
  void Dispatch(TMessage& m) override {
    if (m.Msg == CM_DIALOGKEY && Cancel && m.WParam == win::VK_ESCAPE) {
      Click();
      m.Result = 1;
      return;
    }
    TCustomControl::Dispatch(m);
  }
};

class VclTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // A visible form without border at a known place on the screen.
  TForm* MakeForm(TRect bounds, TColor color = clBtnFace);
  // A control owned by the parent's form, placed at a rectangle (left, top, right, bottom).
  template <class T>
  T* Add(TWinControl* parent, TRect bounds) {
    T* c = new T(parent->GetParentForm());
    c->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    c->SetParent(parent);
    return c;
  }

  // Handles what is waiting (paint included).
  static void Pump();
  // Runs the loop until pred holds; false when a generous guard ran out.
  static bool PumpUntil(const std::function<bool()>& pred);
  // Screen point of a client point of a control.
  static TPoint At(TControl* c, int x, int y) { return c->ClientToScreen({x, y}); }
  void Click(TControl* c, int x, int y) {
    TPoint p = At(c, x, y);
    backend_->Click(p.X, p.Y);
  }
  void MoveTo(TControl* c, int x, int y) {
    TPoint p = At(c, x, y);
    backend_->MouseMove(p.X, p.Y);
  }
  // A key with modifiers held around it, then the loop pumped.
  void Press(win::UINT vk, bool shift = false, bool ctrl = false, bool alt = false) {
    if (shift) backend_->KeyDown(win::VK_LSHIFT);
    if (ctrl) backend_->KeyDown(win::VK_LCONTROL);
    if (alt) backend_->KeyDown(win::VK_LMENU);
    backend_->Key(vk);
    if (alt) backend_->KeyUp(win::VK_LMENU);
    if (ctrl) backend_->KeyUp(win::VK_LCONTROL);
    if (shift) backend_->KeyUp(win::VK_LSHIFT);
    Pump();
  }
  // A form at (100, 100)-(500, 400), shown.
  TForm* ShownForm() {
    TForm* f = MakeForm({100, 100, 500, 400});
    f->Show();
    Pump();
    return f;
  }
  // 0xRRGGBB of a client pixel of a windowed control, read from its top-level surface.
  static uint32_t Pixel(TWinControl* c, int x, int y);

  display::HeadlessBackend* backend_ = nullptr;
  std::vector<std::unique_ptr<TForm>> forms_;
};

inline void VclTest::SetUp() {
  display::UseHeadlessDisplay();
  backend_ = dynamic_cast<display::HeadlessBackend*>(display::InitDisplay());
  ASSERT_NE(backend_, nullptr);
  Application->Initialize();
  win::SetMessageBoxHook([](win::HWND, const std::string&, const std::string&, win::UINT) { return win::IDOK; });
}

inline void VclTest::TearDown() {
  forms_.clear();
  Pump();
  win::SetMessageBoxHook(nullptr);
  Application->OnException = nullptr;
  display::ShutdownDisplay();
  unsetenv("DUPLEXION_DISPLAY");
}

inline TForm* VclTest::MakeForm(TRect bounds, TColor color) {
  forms_.push_back(std::make_unique<TForm>(nullptr));
  TForm* f = forms_.back().get();
  f->SetBorderStyle(bsNone);
  f->SetPosition(poDesigned);
  f->SetBoundsRect(bounds);
  f->SetColor(color);
  return f;
}

inline void VclTest::Pump() {
  // As the loop does when it runs dry: the idle work (mouse tracking among it).
  Application->ProcessMessages();
  Application->Idle(false);
  Application->ProcessMessages();
  win::FlushDisplay();
}

inline bool VclTest::PumpUntil(const std::function<bool()>& pred) {
  const win::DWORD start = win::GetTickCount();
  for (;;) {
    Pump();
    if (pred()) return true;
    if (win::GetTickCount() - start > 10000) return false;
    win::MsgWaitForMultipleObjects(0, nullptr, win::FALSE, 20, win::QS_ALLINPUT);
  }
}

inline uint32_t VclTest::Pixel(TWinControl* c, int x, int y) {
  win::HWND top = win::GetAncestor(c->Handle(), win::GA_ROOT);
  win::SurfacePixels px;
  if (!win::CopyWindowSurface(top, px)) return 0xFFFFFFFFu;
  win::RECT wr;
  win::GetWindowRect(top, &wr);
  TPoint s = c->ClientToScreen({x, y});
  return px.At(s.X - wr.Left, s.Y - wr.Top);
}

constexpr uint32_t Rgb(TColor c) {
  return (uint32_t(GetRValue(uint32_t(c))) << 16) | (uint32_t(GetGValue(uint32_t(c))) << 8) | GetBValue(uint32_t(c));
}

}  // namespace vcltest
