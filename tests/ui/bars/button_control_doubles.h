// Doubles for the button-control tests: a menu window standing in for the
// sub-menu window, a popup menu that records the request it is handed and
// then opens, a shown form with the base painter, and delivery of the hover
// timers from a nested message loop.
#pragma once

#include <memory>
#include <vector>

#include "platform/win/winuser.h"
#include "tests/ui/bars/item_control_doubles.h"
#include "tests/ui/bars/item_doubles.h"
#include "ui/bars/dxBarButtonControls.h"
#include "ui/bars/dxBarButtons.h"
#include "ui/bars/dxBarPainters.h"
#include "ui/bars/dxBarPopupMenu.h"

namespace bartest {

// A menu window: paint type menu, bar kind 2.
class TTestMenuBar : public TTestBarControl {
public:
  using TTestBarControl::TTestBarControl;
  int32_t GetBarKind() const override { return 2; }
  int32_t GetPaintType() override { return ptMenu; }
};

// A toolbar that stands upright.
class TTestVerticalBar : public TTestBarControl {
public:
  using TTestBarControl::TTestBarControl;
  bool IsVertical() const override { return true; }
};

// A toolbar that leaves the mouse alone: pressing, moving and releasing
// over it change only the cursor and the button state that the control
// under test reads.
class TInertBar : public TTestBarControl {
public:
  using TTestBarControl::TTestBarControl;
  void HandleMouseMove(TShiftState, TPoint) override {}

protected:
  void MouseDown(TMouseButton, TShiftState, int32_t, int32_t) override {}
  void MouseUp(TMouseButton, TShiftState, int32_t, int32_t) override {}
};

// Records each request and then opens as a real popup menu does (without
// its own message loop, so the test goes on while it is open).
class TOpeningPopupMenu : public TRecordingPopupMenu {
public:
  using TRecordingPopupMenu::TRecordingPopupMenu;
  void Popup(int32_t X, int32_t Y) override {
    TRecordingPopupMenu::Popup(X, Y);
    TdxBarPopupMenu::Popup(X, Y);
  }
  bool IsOpen() const { return ItemLinks()->BarControl != nullptr; }
};

// What the message loop does when a thread timer is due: its WM_TIMER is
// dispatched from a nested loop. The platform calls the procedure only while
// that timer exists, so a stopped timer's message is dropped.
inline void DeliverTimer(uintptr_t AId, win::TIMERPROC AProc) {
  win::PostThreadMessage(win::GetCurrentThreadId(), win::WM_TIMER, AId, reinterpret_cast<win::LPARAM>(AProc));
  win::MSG msg;
  while (win::PeekMessage(&msg, nullptr, 0, 0, win::PM_REMOVE)) win::DispatchMessage(&msg);
}
inline void DeliverOpenTimer(uintptr_t AId) { DeliverTimer(AId, &DxBarButtonLikeOpenTimerProc); }
inline void DeliverCloseTimer(uintptr_t AId) { DeliverTimer(AId, &DxBarButtonLikeCloseTimerProc); }

// A shown form whose test toolbar paints with the base painter; buttons get
// item rectangles in the toolbar's client coordinates.
class ButtonControlFormTest : public ItemControlFormTest {
protected:
  void SetUp() override {
    ItemControlFormTest::SetUp();
    form_->Show();
    Pump();
    painter_ = std::make_unique<TdxBarPainter>(nullptr);
    toolbar_->SetPainter(painter_.get());
  }
  void TearDown() override {
    ItemControlFormTest::TearDown();
    painter_.reset();
  }

  TdxBarButton* NewButton(TdxBarButtonStyle AStyle, const std::string& ACaption = "Open") {
    auto* button = NewItem<TdxBarButton>();
    button->SetCaption(ACaption);
    button->SetButtonStyle(AStyle);
    return button;
  }
  // A window of class T beside the toolbar, painting with the base painter.
  template <class T>
  T* NewBar(const TRect& ABounds) {
    auto* bar = new T(manager_);
    bar->SetParent(form_.get());
    bar->SetBounds(ABounds.Left, ABounds.Top, ABounds.Width(), ABounds.Height());
    bar->HandleNeeded();
    bar->Canvas()->Font()->Assign(toolbar_->Canvas()->Font());
    bar->SetPainter(painter_.get());
    return bar;
  }
  // A control of class T for AItem placed at R in ABar.
  template <class T>
  T* Place(TCustomdxBarControl* ABar, TdxBarItem* AItem, const TRect& R) {
    T* control = NewControl<T>(ABar, AItem);
    control->ItemLink()->SetItemRect(R);
    control->CalcParts();
    return control;
  }
  // A drop-down menu with one button in it.
  TOpeningPopupMenu* NewMenu() {
    auto* menu = new TOpeningPopupMenu(form_.get());
    menu->ItemLinks()->Add()->SetItem(NewButton(bsDefault, "Inside"));
    return menu;
  }

  std::unique_ptr<TdxBarPainter> painter_;
};

}  // namespace bartest
