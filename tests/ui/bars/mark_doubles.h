// Doubles for the toolbar mark and MDI-button tests: the design controller's
// quick-customization popup as a plain toolbar window with links of its own,
// and an active MDI child whose system menu the test sets and which records
// the system commands it is sent.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/vcl/forms.h"
#include "platform/win/menu.h"
#include "platform/win/winuser.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/bars/dxBarToolbarControl.h"

namespace bartest {

// A popup toolbar window that owns the links it shows.
class TQuickPopupDouble : public TdxBarControl {
public:
  explicit TQuickPopupDouble(TdxBarManager* AManager)
      : TdxBarControl(AManager), links_(std::make_unique<TdxBarItemLinks>(AManager, nullptr)) {
    SetDockingStyle(dsNone);
    SetItemLinks(links_.get());
  }
  ~TQuickPopupDouble() override {
    ++Destroyed;
    SetItemLinks(nullptr);
  }
  static inline int32_t Destroyed = 0;

protected:
  // A window of its own on the screen, as the quick-customization window is.
  void CreateParams(TCreateParams& Params) override {
    TdxBarControl::CreateParams(Params);
    Params.Style = (Params.Style & ~win::WS_CHILD) | win::WS_POPUP;
    Params.WndParent = nullptr;
  }

private:
  std::unique_ptr<TdxBarItemLinks> links_;
};

// The design controller as the mark sees it: it makes the popups and
// remembers them. Installed for its lifetime.
class TQuickPopupDesigner : public IdxBarControlDesigner {
public:
  TQuickPopupDesigner() { dxBarControlDesigner() = this; }
  ~TQuickPopupDesigner() override { dxBarControlDesigner() = nullptr; }
  TQuickPopupDesigner(const TQuickPopupDesigner&) = delete;
  TQuickPopupDesigner& operator=(const TQuickPopupDesigner&) = delete;

  TCustomdxBarControl* CreateQuickPopup(TCustomdxBarControl* ABar) override {
    auto* popup = new TQuickPopupDouble(ABar->GetBarManager());
    popup->SetPainter(ABar->Painter());
    Made.push_back(popup);
    return popup;
  }
  void SelectItem(IdxBarSelectableItem*, int32_t) override {}
  bool IsItemSelected(IdxBarSelectableItem*) override { return false; }
  bool IsSelectionComplex(TdxBarManager*) override { return false; }
  TdxBarItemLink* DesignSelectedLink(TdxBarManager*) override { return nullptr; }
  void SetDraggedItem(TdxBarManager*, TdxBarItem*, TdxBarItemLink*) override {}
  TdxBarItemLink* DraggedItemLink(TdxBarManager*) override { return nullptr; }
  void BeginItemDrag(TdxBarManager*, TdxBarItem*, TdxBarItemLink*) override {}
  bool CanDropInto(TdxBarManager*, TdxBarItemLink*) override { return false; }
  bool IsDragging(TdxBarManager*) override { return false; }
  void ShowCustomizingPopupFor(TCustomdxBarControl*, TdxBarItemLink*) override {}
  TCustomdxBarControl* QuickControl() override { return nullptr; }
  void StartQuickControlClosingTimer() override {}

  std::vector<TCustomdxBarControl*> Made;
};

// A maximized form standing in for the active MDI child; it keeps the system
// commands it is sent instead of carrying them out. Its system menu grays
// minimize without a minimize box and close with a class that may not
// close. The manager's slot answers it while the double lives.
class TActiveChildDouble : public TForm {
public:
  explicit TActiveChildDouble(bool AMinimizeBox = true, bool ACanClose = true)
      : TForm(nullptr), minimizeBox_(AMinimizeBox), canClose_(ACanClose) {
    SetBounds(0, 0, 200, 150);
    Show();
    win::ShowWindow(Handle(), win::SW_MAXIMIZE);
    current = this;
    dxBarManagerSlots().ActiveMdiChildHandle = [] { return current ? current->Handle() : win::HWND(nullptr); };
  }
  ~TActiveChildDouble() override {
    dxBarManagerSlots().ActiveMdiChildHandle = nullptr;
    current = nullptr;
  }
  std::vector<win::WPARAM> Commands;

protected:
  void CreateParams(TCreateParams& Params) override {
    TForm::CreateParams(Params);
    if (!minimizeBox_) Params.Style &= ~win::WS_MINIMIZEBOX;
    if (!canClose_) {
      // Class styles belong to the class: one of its own.
      Params.WinClassName = "TActiveChildDoubleNoClose";
      Params.WindowClassStyle |= win::CS_NOCLOSE;
    }
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == win::WM_SYSCOMMAND) {
      Commands.push_back(m.WParam & 0xFFF0);
      return;
    }
    TForm::WndProc(m);
  }

private:
  bool minimizeBox_, canClose_;
  static inline TActiveChildDouble* current = nullptr;
};

}  // namespace bartest
