// The standard controls: labels, buttons, check boxes, radio buttons, group
// boxes, edits and memos, list boxes, combo boxes and scroll bars. They draw
// themselves in the classic style (platform/gdi's 3-D elements and the
// system colours) and work with the mouse and the keyboard.
//
// Vocabulary:
//   accelerator   the character after a single '&' in a caption ("&Save":
//                 S). Alt+S, or S alone where the focused control takes no
//                 characters, reaches the control through CM_DIALOGCHAR.
//   default button  the button that Enter clicks while no other button has
//                 the focus; the cancel button is clicked by Escape.
//   item          one line of a list box or combo box, with an object beside
//                 it (the Items string list).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/classes/strings.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/stdctrlsscroll.h"
#include "platform/vcl/stdctrlstext.h"

class TCustomForm;

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
using TLeftRight = TAlignment;  // taLeftJustify or taRightJustify
enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };
enum TCheckBoxState : uint8_t { cbUnchecked, cbChecked, cbGrayed };
enum TScrollBarKind : uint8_t { sbHorizontal, sbVertical };
enum TComboBoxStyle : uint8_t { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TListBoxStyle : uint8_t { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };
enum TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };
enum TOwnerDrawStateItem : uint8_t {
  odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive, odNoAccel,
  odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit
};
using TOwnerDrawState = TSmallSet<TOwnerDrawStateItem>;

using TDrawItemEvent = std::function<void(TWinControl* Control, int32_t Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int32_t Index, int32_t& Height)>;
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int32_t& ScrollPos)>;

// Whether the accelerator of caption is the character of virtual key or
// UTF-16 unit key (compared ignoring case).
bool IsAccel(win::WORD key, const std::string& caption);

// The clipboard's text (Unicode text format) through the window system.
bool ClipboardSetText(win::HWND owner, const std::string& text);
bool ClipboardGetText(win::HWND owner, std::string& text);

// ---------------------------------------------------------------- TLabel
class TCustomLabel : public TGraphicControl {
  DX_COMPONENT_CLASS(TCustomLabel, TGraphicControl)
public:
  explicit TCustomLabel(TComponent* AOwner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  // Resizes the label to its text: the width and height of one line, or
  // with WordWrap the height of the text wrapped at the current width.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout v);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool v);
  // Leaves the background as the parent painted it.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  // The control that the label's accelerator focuses.
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* v);

  void Notification(TComponent* AComponent, TOperation operation) override;

protected:
  void Paint() override;
  void Dispatch(TMessage& message) override;
  void Loaded() override;
  void CMTextChanged(TMessage& m) override;
  void CMFontChanged(TMessage& m) override;
  void CMDialogChar(TMessage& m);
  void AdjustBounds();
  // DrawText flags for the label's settings.
  win::UINT DrawTextFlags() const;
  // Draws the caption in rect (DT_CALCRECT in flags measures it).
  virtual void DoDrawText(win::HDC dc, TRect& rect, win::UINT flags);

private:
  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  TTextLayout layout_ = tlTop;
  bool showAccelChar_ = true;
  bool transparent_ = false;
  bool wordWrap_ = false;
  TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
  DX_COMPONENT_CLASS(TLabel, TCustomLabel)
public:
  using TCustomLabel::TCustomLabel;
};

// ---------------------------------------------------------------- buttons
// What push buttons, check boxes and radio buttons share: focus by mouse,
// the accelerator, Space to press, and a Checked state for the latter two.
class TButtonControl : public TCustomControl {
  DX_COMPONENT_CLASS(TButtonControl, TCustomControl)
public:
  explicit TButtonControl(TComponent* AOwner);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  // Check boxes and radio buttons; a push button has no check.
  virtual bool Checked() const { return false; }
  virtual void SetChecked(bool) {}

protected:
  // Runs the control's action on Space release, mouse release or accelerator.
  virtual void ButtonPressed() { Click(); }
  bool ClicksDisabled() const { return clicksDisabled_; }
  void SetClicksDisabled(bool v) { clicksDisabled_ = v; }
  bool Pressed() const { return pressed_; }
  // Draws the caption with its accelerator in r.
  void DrawCaption(win::HDC dc, TRect r, win::UINT format);

  void Dispatch(TMessage& message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyUp(win::WORD& Key, TShiftState Shift) override;
  void WMSetFocus(TMessage& m) override;
  void WMKillFocus(TMessage& m) override;
  void WMCancelMode(TMessage& m) override;
  void CMDialogChar(TMessage& m) override;
  void CMTextChanged(TMessage& m) override;
  void CMEnabledChanged(TMessage& m) override;

private:
  void SetPressed(bool v);
  bool clicksDisabled_ = false;
  bool wordWrap_ = false;
  bool pressed_ = false;       // drawn pushed
  bool mouseDown_ = false;     // the left button went down on the control
  bool spaceDown_ = false;
};

class TButton : public TButtonControl {
  DX_COMPONENT_CLASS(TButton, TButtonControl)
public:
  explicit TButton(TComponent* AOwner);

  // Enter clicks the default button while no other button has the focus.
  bool Default() const { return default_; }
  void SetDefault(bool v);
  // Escape clicks a cancel button.
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  // A click sets the parent form's ModalResult to this (when not mrNone),
  // which ends the form's ShowModal.
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult v) { modalResult_ = v; }

  void Click() override;

protected:
  void Paint() override;
  void CMDialogKey(TMessage& m) override;
  void CMDialogChar(TMessage& m) override;
  void CMFocusChanged(TMessage& m) override;
  void Dispatch(TMessage& message) override;
  // Whether Enter would click this button now.
  bool IsActive();

private:
  bool default_ = false;
  bool cancel_ = false;
  TModalResult modalResult_ = mrNone;
};

class TCustomCheckBox : public TButtonControl {
  DX_COMPONENT_CLASS(TCustomCheckBox, TButtonControl)
public:
  explicit TCustomCheckBox(TComponent* AOwner);

  // Changing the state fires OnClick (not while loading), as the framework does.
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState v);
  bool Checked() const override { return state_ == cbChecked; }
  void SetChecked(bool v) override { SetState(v ? cbChecked : cbUnchecked); }
  // With AllowGrayed a click cycles unchecked, grayed, checked.
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool v);
  // taRightJustify: the text right of the box; taLeftJustify: left of it.
  TLeftRight Alignment() const { return alignment_; }
  void SetAlignment(TLeftRight v);
  // One step of the click cycle.
  virtual void Toggle();

protected:
  void ButtonPressed() override { Toggle(); }
  void Paint() override;

private:
  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
  TLeftRight alignment_ = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
  DX_COMPONENT_CLASS(TCheckBox, TCustomCheckBox)
public:
  using TCustomCheckBox::TCustomCheckBox;
};

// Radio buttons with the same parent form one group: checking one unchecks
// the others. Checking fires OnClick; the arrow keys move the check within
// the group.
class TRadioButton : public TButtonControl {
  DX_COMPONENT_CLASS(TRadioButton, TButtonControl)
public:
  explicit TRadioButton(TComponent* AOwner);
  bool Checked() const override { return checked_; }
  void SetChecked(bool v) override;
  TLeftRight Alignment() const { return alignment_; }
  void SetAlignment(TLeftRight v);

protected:
  void ButtonPressed() override;
  void Paint() override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void Dispatch(TMessage& message) override;

private:
  bool checked_ = false;
  TLeftRight alignment_ = taRightJustify;
};

// A captioned etched frame around other controls.
class TCustomGroupBox : public TCustomControl {
  DX_COMPONENT_CLASS(TCustomGroupBox, TCustomControl)
public:
  explicit TCustomGroupBox(TComponent* AOwner);
  void AdjustClientRect(TRect& Rect) override;

protected:
  void Paint() override;
  void CMTextChanged(TMessage& m) override;
  void CMFontChanged(TMessage& m) override;
  void CMDialogChar(TMessage& m) override;
};

class TGroupBox : public TCustomGroupBox {
  DX_COMPONENT_CLASS(TGroupBox, TCustomGroupBox)
public:
  using TCustomGroupBox::TCustomGroupBox;
};

// ---------------------------------------------------------------- edits
// The single-line edit; TCustomMemo builds the multi-line one on it.
// Positions (SelStart) count characters, a line break as two.
class TCustomEdit : public TCustomControl {
  DX_COMPONENT_CLASS(TCustomEdit, TCustomControl)
public:
  explicit TCustomEdit(TComponent* AOwner);
  ~TCustomEdit() override;

  int32_t MaxLength() const { return editor_.MaxLength(); }
  void SetMaxLength(int32_t v) { editor_.SetMaxLength(v); }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  // Shown instead of every character (0: the text itself).
  char16_t PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char16_t v);
  // Only digits can be typed.
  bool NumbersOnly() const { return numbersOnly_; }
  void SetNumbersOnly(bool v) { numbersOnly_ = v; }
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase v);
  // Selects everything when the edit gets the focus from the keyboard.
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool v) { autoSelect_ = v; }
  // Keeps the height at the font's line height plus the border.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool v);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);
  // Set by every change the user makes.
  bool Modified() const { return modified_; }
  void SetModified(bool v) { modified_ = v; }

  int32_t SelStart() const { return editor_.SelStart(); }
  void SetSelStart(int32_t v);
  int32_t SelLength() const { return editor_.SelLength(); }
  void SetSelLength(int32_t v);
  std::string SelText() const { return editor_.SelText(); }
  // Replaces the selection (ReadOnly does not stop code).
  void SetSelText(const std::string& v);
  void SelectAll();
  void ClearSelection();
  void Clear();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  // Whether the caret is shown (the edit has the focus).
  bool CaretVisible() const { return caretShown_; }

  TNotifyEvent OnChange;

  // The editing model, for code that needs positions rather than indexes.
  const TTextEditor& Editor() const { return editor_; }

protected:
  TCustomEdit(TComponent* AOwner, bool multiLine);

  std::string GetText() override;
  // Compares with the text as the user left it, not as code last set it.
  void SetTextValue(const std::string& value) override;
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void Dispatch(TMessage& message) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void DblClick() override;
  void WMSetFocus(TMessage& m) override;
  void WMKillFocus(TMessage& m) override;
  void WMSetText(TMessage& m) override;
  void WMGetText(TMessage& m) override;
  void WMGetTextLength(TMessage& m) override;
  void CMTextChanged(TMessage& m) override;
  void CMFontChanged(TMessage& m) override;
  void CMEnabledChanged(TMessage& m) override;
  void Resize() override;
  void Loaded() override;

  // Fires OnChange (the framework's Change).
  virtual void Change();
  // The user changed the text: marks it modified and notifies.
  void UserChanged();
  // Moves the view so the caret is visible, places the caret, repaints.
  virtual void ScrollCaret();
  // The area inside the border where text is drawn (client coordinates).
  virtual TRect TextRect();
  // The caret position nearest to a client point.
  virtual TTextPos PosAtPoint(TPoint p);
  // The client point of a position's top-left.
  virtual TPoint PointOfPos(TTextPos p);
  // Draws the text, selection and all; dc has the font selected.
  virtual void PaintText(win::HDC dc);
  // Keys the multi-line edit adds (Up, Down, pages); true when handled.
  virtual bool NavigateKey(win::WORD key, TShiftState shift) { (void)key; (void)shift; return false; }
  // Whether a typed character may enter the text.
  virtual bool AcceptsChar(char32_t ch) const;
  // What the line shows: the text or the password characters.
  std::string DisplayLine(int32_t line) const;
  // The pixel width of the first col characters of a displayed line.
  int32_t ColumnX(win::HDC dc, int32_t line, int32_t col) const;
  int32_t ColumnAtX(win::HDC dc, int32_t line, int32_t x) const;
  void UpdateCaret();
  void AdjustHeight();
  int32_t LineHeight();
  // Text case conversion per CharCase.
  std::string ApplyCase(const std::string& s) const;

  TTextEditor editor_;
  int32_t scrollX_ = 0;  // pixels of the text scrolled out on the left

private:
  void ShowCaretNow();
  void HideCaretNow();

  bool readOnly_ = false;
  char16_t passwordChar_ = 0;
  bool numbersOnly_ = false;
  TEditCharCase charCase_ = ecNormal;
  bool autoSelect_ = true;
  bool autoSize_ = true;
  bool hideSelection_ = true;
  TBorderStyle borderStyle_ = bsSingle;
  bool modified_ = false;
  bool caretShown_ = false;
  bool selecting_ = false;  // dragging a selection with the mouse
  char16_t pendingHigh_ = 0;  // first half of a surrogate pair typed
  bool mouseFocus_ = false;   // focus came from a click: no AutoSelect
  int32_t lineHeight_ = 0;    // of the font; 0 until measured
};

class TEdit : public TCustomEdit {
  DX_COMPONENT_CLASS(TEdit, TCustomEdit)
public:
  using TCustomEdit::TCustomEdit;
};

class TMemoStrings;

class TCustomMemo : public TCustomEdit {
  DX_COMPONENT_CLASS(TCustomMemo, TCustomEdit)
public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;

  // The lines, one string each; kept in step with Text.
  TStrings* Lines();
  void SetLines(TStrings* v);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool v) { wantReturns_ = v; }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool v) { wantTabs_ = v; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);

  // The caret as column (X) and line (Y).
  TPoint CaretPos() const { return {editor_.Caret().Col, editor_.Caret().Line}; }
  void SetCaretPos(TPoint p);
  // The first visible row (rows are lines, or pieces of them when wrapped).
  int32_t TopRow() const { return topRow_; }
  void SetTopRow(int32_t row);
  int32_t RowCount();
  // Rows that fit in the window.
  int32_t VisibleRows();
  // Scrolls by rows (vertical) and pixels (horizontal).
  void ScrollLines(int32_t rows);

  // The embedded scroll bars (Bounds empty when not shown).
  const TScrollBarPart& VertScrollBar() const { return vbar_; }
  const TScrollBarPart& HorzScrollBar() const { return hbar_; }

protected:
  void Dispatch(TMessage& message) override;
  void ScrollCaret() override;
  TRect TextRect() override;
  TTextPos PosAtPoint(TPoint p) override;
  TPoint PointOfPos(TTextPos p) override;
  void PaintText(win::HDC dc) override;
  bool NavigateKey(win::WORD key, TShiftState shift) override;
  bool AcceptsChar(char32_t ch) const override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  bool DoMouseWheel(TShiftState Shift, int32_t WheelDelta, TPoint MousePos) override;
  void Change() override;
  void Resize() override;
  void CMFontChanged(TMessage& m) override;

private:
  friend class TMemoStrings;
  // A displayed row: a piece of a line.
  struct Row {
    int32_t Line = 0;
    int32_t Start = 0;  // first column
    int32_t End = 0;    // one past the last column
  };
  void InvalidateRows() { rowsValid_ = false; }
  void BuildRows();
  int32_t RowOf(TTextPos p);
  int32_t MaxLineWidth();
  void LayoutScrollBars();
  void ScrollBarScrolled(bool vertical, TScrollCode code, int32_t pos);
  void LinesChanged();

  std::unique_ptr<TMemoStrings> lines_;
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
  TAlignment alignment_ = taLeftJustify;
  std::vector<Row> rows_;
  bool rowsValid_ = false;
  int32_t rowsWidth_ = -1;  // wrap width the rows were built for
  int32_t topRow_ = 0;
  int32_t caretX_ = -1;     // remembered pixel column for Up/Down
  TScrollBarPart vbar_;
  TScrollBarPart hbar_;
  bool barCaptured_ = false;
  int32_t maxWidthCache_ = -1;
};

class TMemo : public TCustomMemo {
  DX_COMPONENT_CLASS(TMemo, TCustomMemo)
public:
  using TCustomMemo::TCustomMemo;
};

// ---------------------------------------------------------------- list box
class TListBoxItems;

class TCustomListBox : public TCustomControl {
  DX_COMPONENT_CLASS(TCustomListBox, TCustomControl)
public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  TStrings* Items();
  void SetItems(TStrings* v);
  int32_t Count();
  // -1 for none. Setting it selects that item alone (and scrolls to it).
  int32_t ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int32_t v);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool v);
  // Extended selection: Shift and Ctrl extend it with the mouse and keys.
  bool ExtendedSelect() const { return extendedSelect_; }
  void SetExtendedSelect(bool v) { extendedSelect_ = v; }
  bool Selected(int32_t index) const;
  void SetSelected(int32_t index, bool v);
  int32_t SelCount() const;
  void ClearSelection();
  void SelectAll();
  int32_t TopIndex() const { return topIndex_; }
  void SetTopIndex(int32_t v);
  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle v);
  // Row height; 0 (the default) takes the font's.
  int32_t ItemHeight();
  void SetItemHeight(int32_t v);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool v);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);
  // The item at a client point, -1 when none.
  int32_t ItemAtPos(TPoint pos, bool existing);
  TRect ItemRect(int32_t index);
  // Rows that fit in the window.
  int32_t VisibleCount();
  void Clear();

  // lbOwnerDrawFixed/Variable: the canvas has the colours of the state set
  // and the rectangle filled; the handler draws the item.
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

  const TScrollBarPart& ScrollBar() const { return vbar_; }

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void Dispatch(TMessage& message) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  bool DoMouseWheel(TShiftState Shift, int32_t WheelDelta, TPoint MousePos) override;
  void WMSetFocus(TMessage& m) override;
  void WMKillFocus(TMessage& m) override;
  void Resize() override;
  void Loaded() override;
  void CMFontChanged(TMessage& m) override;
  virtual void DrawItem(int32_t index, TRect rect, TOwnerDrawState state);
  // The list area inside the border, left of the scroll bar.
  TRect ListRect();

private:
  friend class TListBoxItems;
  void ItemsChanged();
  void LayoutScrollBar();
  void MoveTo(int32_t index, TShiftState shift, bool fromMouse);
  void MakeVisible(int32_t index);
  void SelectRange(int32_t from, int32_t to, bool clearOthers);

  std::unique_ptr<TListBoxItems> items_;
  int32_t itemIndex_ = -1;
  int32_t anchor_ = -1;
  int32_t topIndex_ = 0;
  bool multiSelect_ = false;
  bool extendedSelect_ = true;
  TListBoxStyle style_ = lbStandard;
  int32_t itemHeight_ = 0;
  bool sorted_ = false;
  TBorderStyle borderStyle_ = bsSingle;
  TScrollBarPart vbar_;
  bool barCaptured_ = false;
  bool tracking_ = false;
  int32_t pendingIndex_ = -1;  // ItemIndex read before the items
  int32_t fontHeight_ = 0;     // of the font; 0 until measured
};

class TListBox : public TCustomListBox {
  DX_COMPONENT_CLASS(TListBox, TCustomListBox)
public:
  using TCustomListBox::TCustomListBox;
};

// ---------------------------------------------------------------- combo box
class TComboListWindow;
class TComboEdit;

class TCustomComboBox : public TCustomControl {
  DX_COMPONENT_CLASS(TCustomComboBox, TCustomControl)
public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle v);
  TStrings* Items();
  void SetItems(TStrings* v);
  // -1 for none. Setting it from code shows the item's text and fires no event.
  int32_t ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int32_t v);
  // Rows the drop-down list shows at most.
  int32_t DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int32_t v) { dropDownCount_ = v < 1 ? 1 : v; }
  bool DroppedDown() const;
  void SetDroppedDown(bool v);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool v);
  int32_t MaxLength() const { return maxLength_; }
  void SetMaxLength(int32_t v);
  int32_t ItemHeight();
  void SetItemHeight(int32_t v) { itemHeight_ = v; }
  bool AutoComplete() const { return autoComplete_; }
  void SetAutoComplete(bool v) { autoComplete_ = v; }
  void SelectAll();
  void Clear();
  // The edit part (csDropDown, csSimple), null otherwise.
  TCustomEdit* EditControl() const;
  bool Focused() override;
  void SetFocus() override;

  // The text changed (typed, or an item chosen).
  TNotifyEvent OnChange;
  // An item was chosen from the list or with the keys.
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;

protected:
  friend class TComboListWindow;
  friend class TComboEdit;
  std::string GetText() override;
  void SetTextValue(const std::string& value) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;
  void Dispatch(TMessage& message) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  bool DoMouseWheel(TShiftState Shift, int32_t WheelDelta, TPoint MousePos) override;
  void WMSetFocus(TMessage& m) override;
  void WMKillFocus(TMessage& m) override;
  void Resize() override;
  void Loaded() override;
  void CMFontChanged(TMessage& m) override;
  void CMEnabledChanged(TMessage& m) override;
  virtual void Change();
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();
  // Draws an item (owner drawing through OnDrawItem).
  virtual void DrawItem(TCanvas* canvas, int32_t index, TRect rect, TOwnerDrawState state);
  TRect ButtonRect();
  // A key for the combo as a whole (Up, Down, F4, Alt+Down, Enter, Escape
  // while dropped); true when used.
  bool ComboKey(win::WORD key, TShiftState shift);
  // Chooses an item as the user does: text, ItemIndex, OnChange, OnSelect.
  void ChooseItem(int32_t index);
  // The list window said the user picked (or cancelled) an item.
  void ListClosed(int32_t index, bool chosen);
  void EditChanged();

private:
  void ItemsChanged();
  void LayoutEdit();
  void ShowText(const std::string& text);

  TComboBoxStyle style_ = csDropDown;
  std::unique_ptr<TStringList> items_;
  int32_t itemIndex_ = -1;
  int32_t dropDownCount_ = 8;
  bool sorted_ = false;
  int32_t maxLength_ = 0;
  int32_t itemHeight_ = 0;
  bool autoComplete_ = true;
  std::string text_;  // csDropDownList: the shown item's text
  TComboEdit* edit_ = nullptr;  // owned by this combo
  TComboListWindow* list_ = nullptr;  // owned by this combo; shown while dropped
  bool buttonDown_ = false;
  bool settingEdit_ = false;  // the edit's text changes from code, not from typing
  int32_t pendingIndex_ = -1;  // ItemIndex read before the items
};

class TComboBox : public TCustomComboBox {
  DX_COMPONENT_CLASS(TComboBox, TCustomComboBox)
public:
  using TCustomComboBox::TCustomComboBox;
};

// ---------------------------------------------------------------- scroll bar
class TScrollBar : public TCustomControl {
  DX_COMPONENT_CLASS(TScrollBar, TCustomControl)
public:
  explicit TScrollBar(TComponent* AOwner);

  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind v);
  int32_t Min() const { return bar_.Min; }
  void SetMin(int32_t v) { SetParams(Position(), v, Max()); }
  int32_t Max() const { return bar_.Max; }
  void SetMax(int32_t v) { SetParams(Position(), Min(), v); }
  int32_t Position() const { return bar_.Position; }
  void SetPosition(int32_t v) { SetParams(v, Min(), Max()); }
  // Clamps the position into the range; fires OnChange when it moved.
  void SetParams(int32_t APosition, int32_t AMin, int32_t AMax);
  int32_t PageSize() const { return bar_.PageSize; }
  void SetPageSize(int32_t v);
  int32_t SmallChange() const { return bar_.SmallChange; }
  void SetSmallChange(int32_t v) { bar_.SmallChange = v; }
  int32_t LargeChange() const { return bar_.LargeChange; }
  void SetLargeChange(int32_t v) { bar_.LargeChange = v; }

  TNotifyEvent OnChange;
  // Every step of the user's scrolling, before the position moves; the
  // handler may change the position it is given.
  TScrollEvent OnScroll;

  const TScrollBarPart& Part() const { return bar_; }

protected:
  void Paint() override;
  void Dispatch(TMessage& message) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void Resize() override;
  virtual void Change();
  virtual void Scroll(TScrollCode ScrollCode, int32_t& ScrollPos);
  void UserScroll(TScrollCode code, int32_t pos);

private:
  TScrollBarKind kind_ = sbHorizontal;
  TScrollBarPart bar_;
};

// Published properties and class registration of this unit, for form
// descriptions. Call once at start-up, after RegisterControlsClasses.
void RegisterStdCtrlsClasses();
