// Published properties of the standard controls and their classes, for
// form descriptions.
#include <mutex>

#include "platform/classes/typinfo.h"
#include "platform/vcl/stdctrls.h"

void RegisterStdCtrlsClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterControlsClasses();
    DefineEnumType<TAlignment>("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
    DefineEnumType<TTextLayout>("TTextLayout", {"tlTop", "tlCenter", "tlBottom"});
    DefineEnumType<TCheckBoxState>("TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"});
    DefineEnumType<TScrollBarKind>("TScrollBarKind", {"sbHorizontal", "sbVertical"});
    DefineEnumType<TComboBoxStyle>("TComboBoxStyle",
                                   {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"});
    DefineEnumType<TListBoxStyle>("TListBoxStyle", {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable",
                                                    "lbVirtual", "lbVirtualOwnerDraw"});
    DefineEnumType<TEditCharCase>("TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"});
    DefineEnumType<TScrollCode>("TScrollCode", {"scLineUp", "scLineDown", "scPageUp", "scPageDown", "scPosition",
                                                "scTrack", "scTop", "scBottom", "scEndScroll"});

    Published<TCustomLabel>()
        .Enum("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment, taLeftJustify)
        .Bool("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize, true)
        .Obj("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl)
        .Enum("Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout, tlTop)
        .Bool("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar, true)
        .Bool("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent, false)
        .Bool("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap, false);

    Published<TButtonControl>().Bool("WordWrap", &TButtonControl::WordWrap, &TButtonControl::SetWordWrap, false);
    Published<TButton>()
        .Bool("Cancel", &TButton::Cancel, &TButton::SetCancel, false)
        .Bool("Default", &TButton::Default, &TButton::SetDefault, false)
        .Int("ModalResult", &TButton::ModalResult, &TButton::SetModalResult, 0);
    Published<TCustomCheckBox>()
        .Enum("Alignment", &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment, taRightJustify)
        .Bool("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed, false)
        .Enum("State", &TCustomCheckBox::State, &TCustomCheckBox::SetState, cbUnchecked)
        .Bool("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked, false)
        .Stored(false);
    Published<TRadioButton>()
        .Enum("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment, taRightJustify)
        .Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked, false);

    Published<TCustomEdit>()
        .Bool("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect, true)
        .Bool("AutoSize", &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize, true)
        .Enum("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle, bsSingle)
        .Enum("CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase, ecNormal)
        .Bool("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection, true)
        .Int("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength, 0)
        .Bool("NumbersOnly", &TCustomEdit::NumbersOnly, &TCustomEdit::SetNumbersOnly, false)
        .Char("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar, 0)
        .Bool("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly, false)
        .Str("Caption", &TControl::Caption, &TControl::SetCaption)
        .Stored(false)
        .Str("Text", &TControl::Text, &TControl::SetText)
        .Stored(true)
        .Event("OnChange", &TCustomEdit::OnChange);
    Published<TCustomMemo>()
        .Enum("Alignment", &TCustomMemo::Alignment, &TCustomMemo::SetAlignment, taLeftJustify)
        .Obj("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines)
        .Enum("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars, ssNone)
        .Bool("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns, true)
        .Bool("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs, false)
        .Bool("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap, true)
        .Str("Text", &TControl::Text, &TControl::SetText)
        .Stored(false);

    Published<TCustomListBox>()
        .Enum("BorderStyle", &TCustomListBox::BorderStyle, &TCustomListBox::SetBorderStyle, bsSingle)
        .Bool("ExtendedSelect", &TCustomListBox::ExtendedSelect, &TCustomListBox::SetExtendedSelect, true)
        .Int("ItemHeight", [](TCustomListBox& l) { return l.ItemHeight(); }, &TCustomListBox::SetItemHeight)
        .Stored([](TCustomListBox& l) { return l.Style() != lbStandard; })
        .Obj("Items", &TCustomListBox::Items, &TCustomListBox::SetItems)
        .Int("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex, -1)
        .Bool("MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect, false)
        .Bool("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted, false)
        .Enum("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle, lbStandard)
        .Event("OnDrawItem", &TCustomListBox::OnDrawItem, "TDrawItemEvent")
        .Event("OnMeasureItem", &TCustomListBox::OnMeasureItem, "TMeasureItemEvent");

    Published<TCustomComboBox>()
        .Enum("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle, csDropDown)
        .Bool("AutoComplete", &TCustomComboBox::AutoComplete, &TCustomComboBox::SetAutoComplete, true)
        .Int("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount, 8)
        .Int("ItemHeight", [](TCustomComboBox& c) { return c.ItemHeight(); }, &TCustomComboBox::SetItemHeight)
        .Stored(false)
        .Int("MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength, 0)
        .Bool("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted, false)
        .Str("Caption", &TControl::Caption, &TControl::SetCaption)
        .Stored(false)
        .Str("Text", &TControl::Text, &TControl::SetText)
        .Stored(true)
        .Obj("Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems)
        .Int("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex, -1)
        .Event("OnChange", &TCustomComboBox::OnChange)
        .Event("OnSelect", &TCustomComboBox::OnSelect)
        .Event("OnDropDown", &TCustomComboBox::OnDropDown)
        .Event("OnCloseUp", &TCustomComboBox::OnCloseUp)
        .Event("OnDrawItem", &TCustomComboBox::OnDrawItem, "TDrawItemEvent");

    Published<TScrollBar>()
        .Enum("Kind", &TScrollBar::Kind, &TScrollBar::SetKind, sbHorizontal)
        .Int("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange, 1)
        .Int("Max", &TScrollBar::Max, &TScrollBar::SetMax, 100)
        .Int("Min", &TScrollBar::Min, &TScrollBar::SetMin, 0)
        .Int("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize, 0)
        .Int("Position", &TScrollBar::Position, &TScrollBar::SetPosition, 0)
        .Int("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange, 1)
        .Event("OnChange", &TScrollBar::OnChange)
        .Event("OnScroll", &TScrollBar::OnScroll, "TScrollEvent");

    for (TClass c : {TCustomLabel::StaticClass(), TLabel::StaticClass(), TButtonControl::StaticClass(),
                     TButton::StaticClass(), TCustomCheckBox::StaticClass(), TCheckBox::StaticClass(),
                     TRadioButton::StaticClass(), TCustomGroupBox::StaticClass(), TGroupBox::StaticClass(),
                     TCustomEdit::StaticClass(), TEdit::StaticClass(), TCustomMemo::StaticClass(),
                     TMemo::StaticClass(), TCustomListBox::StaticClass(), TListBox::StaticClass(),
                     TCustomComboBox::StaticClass(), TComboBox::StaticClass(), TScrollBar::StaticClass()})
      RegisterClass(c);
  });
}
