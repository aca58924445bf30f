// The list that drops down below a combo item of a toolbar or menu: a
// borderless top-level tool window whose frame the bar painter draws, that
// tracks the mouse like a menu and hands the chosen entry back to the combo.
//
// The combo captures the mouse for the list when it drops it down while the
// button is still held on the combo ("waiting for capture"); moving into the
// list then starts the list's own drag selection, so press, drag and release
// choose an entry in one gesture.
#pragma once

#include <cstdint>

#include "platform/vcl/stdctrls.h"
#include "ui/bars/dxBarElements.h"
#include "ui/bars/dxBarItems.h"

class TdxBarDropDownListBox;

// The combo item as far as its drop-down list relies on it; the toolbar
// items give it the rest of its behaviour. It creates and owns its list.
class TCustomdxBarCombo : public TdxBarItem {
  DX_COMPONENT_CLASS(TCustomdxBarCombo, TdxBarItem)
public:
  explicit TCustomdxBarCombo(TComponent* AOwner);
  TdxBarDropDownListBox* DropDownListBox() const { return listBox_; }
  int32_t ItemIndex() const { return itemIndex_; }
  // Indexes outside the list's strings become -1; a change is signalled (OnChange).
  virtual void SetItemIndex(int32_t AIndex);
  TNotifyEvent OnChange;

private:
  TdxBarDropDownListBox* listBox_;  // owned as a component
  int32_t itemIndex_ = -1;
};

// The control of a combo's link: it keeps the entry chosen while the list is open.
class TdxBarComboControl : public TdxBarItemControl {
  DX_CLASS(TdxBarComboControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
  // The pending choice while the list is open; the control shows its text.
  virtual void SetLocalItemIndex(int32_t AIndex) { localItemIndex_ = AIndex; }
  int32_t LocalItemIndex() const { return localItemIndex_; }

private:
  int32_t localItemIndex_ = -1;
};

class TdxBarDropDownListBox : public TCustomListBox {
  DX_COMPONENT_CLASS(TdxBarDropDownListBox, TCustomListBox)
public:
  // Hidden, borderless, owner-drawn with entries of their own heights.
  explicit TdxBarDropDownListBox(TComponent* AOwner);

  // Not owned; set by the combo right after construction. Null: the list
  // chooses nothing.
  TCustomdxBarCombo* Combo() const { return combo_; }
  void SetCombo(TCustomdxBarCombo* Value) { combo_ = Value; }
  bool WaitingForCapture() const { return waitingForCapture_; }
  void SetWaitingForCapture(bool Value) { waitingForCapture_ = Value; }
  // The keyboard focus stays with the form.
  bool CanFocus() override { return false; }

protected:
  void CreateParams(TCreateParams& Params) override;
  // Makes the window top-level once it exists.
  void CreateWnd() override;
  void Click() override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  void Dispatch(TMessage& message) override;
  // The painter of the Parent bar window; null without one (no frame then).
  TdxBarPainter* Painter() const;

private:
  void WMLButtonUpHandler(TMessage& m);
  void WMNCPaintHandler(TMessage& m);
  int32_t BorderSize() const;

  TCustomdxBarCombo* combo_ = nullptr;
  bool waitingForCapture_ = false;
};
