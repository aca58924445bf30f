// The message dialog family and InputQuery, built from a form and standard
// controls with the framework's layout in dialog units.
#include "platform/vcl/dialogs.h"

#include <algorithm>

#include "platform/classes/resstrings.h"
#include "platform/gdi/syscolors.h"
#include "platform/gdi/text.h"
#include "platform/rtl/intmath.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/stdctrls.h"
#include "platform/vcl/stdctrlspaint.h"

using namespace win;

DX_RESOURCESTRING(SMsgDlgClose, 0, "&Close");

namespace {

// Layout of the message dialog in dialog units (horizontal: quarters of the
// average character width; vertical: eighths of the character height).
constexpr int32_t mcHorzMargin = 8, mcVertMargin = 8, mcHorzSpacing = 10, mcVertSpacing = 10, mcButtonWidth = 50,
                  mcButtonHeight = 14, mcButtonSpacing = 4;
constexpr int32_t kIconSize = 32;

const char* const kButtonNames[] = {"Yes",   "No",  "OK",      "Cancel",   "Abort", "Retry",
                                    "Ignore", "All", "NoToAll", "YesToAll", "Help",  "Close"};

std::string ButtonCaption(TMsgDlgBtn b) {
  if (b == mbClose) return LoadResString(SMsgDlgClose);
  return LoadResString(MsgDlgResourceStrings[4 + int(b)]);
}

std::string DialogTitle(TMsgDlgType t) {
  if (t == mtCustom) {
    if (!Application) return {};
    if (!Application->Title().empty()) return Application->Title();
    return ChangeFileExt(ExtractFileName(Application->ExeName()), "");
  }
  return LoadResString(MsgDlgResourceStrings[int(t)]);
}

// The average character size of the font, as the framework measures it.
TSize AveCharSize(TFont* font) {
  TMeasureDC m(font);
  std::string letters;
  for (char c = 'A'; c <= 'Z'; ++c) letters += c;
  for (char c = 'a'; c <= 'z'; ++c) letters += c;
  const TSize s = m.TextExtent(letters);
  return {s.cx / 52, s.cy};
}

// The dialog's icons, drawn in the classic style on the dialog's face colour.
void DrawDialogIcon(TCanvas* c, TMsgDlgType type) {
  const TColor face = ColorToRGB(clBtnFace);
  c->Brush()->SetColor(face);
  c->FillRect({0, 0, kIconSize, kIconSize});
  c->Pen()->SetColor(clBlack);
  TFont mark;
  mark.SetName("DejaVu Sans");
  mark.SetHeight(-22);
  mark.SetStyle(TFontStyles{fsBold});
  std::string glyph;
  TColor ink = clWhite;
  switch (type) {
    case mtWarning: {
      c->Brush()->SetColor(clYellow);
      const TPoint tri[] = {{16, 1}, {31, 29}, {1, 29}};
      c->Polygon(tri);
      glyph = "!";
      ink = clBlack;
      break;
    }
    case mtError:
      c->Brush()->SetColor(clRed);
      c->Ellipse(1, 1, 31, 31);
      glyph = "X";
      break;
    case mtInformation:
      c->Brush()->SetColor(clBlue);
      c->Ellipse(1, 1, 31, 31);
      glyph = "i";
      break;
    case mtConfirmation:
      c->Brush()->SetColor(clBlue);
      c->Ellipse(1, 1, 31, 31);
      glyph = "?";
      break;
    case mtCustom: return;
  }
  c->Font()->Assign(&mark);
  c->Font()->SetColor(ink);
  c->Brush()->SetStyle(bsClear);
  TRect r{0, type == mtWarning ? 5 : 0, kIconSize, kIconSize};
  std::string text = glyph;
  c->TextRect(r, text, TTextFormat{tfCenter, tfVerticalCenter, tfSingleLine});
  c->Brush()->SetStyle(bsSolid);
}

// The dialog's form: Ctrl+C copies its text, as the framework's does.
class TMessageForm : public TForm {
public:
  explicit TMessageForm(TComponent* owner) : TForm(owner) {}

protected:
  void KeyDown(WORD& Key, TShiftState Shift) override {
    if (Shift == TShiftState{ssCtrl} && (Key == 'C' || Key == VK_INSERT)) {
      const std::string sep = "---------------------------\r\n";
      std::string text = sep + Caption() + "\r\n" + sep;
      std::string buttons;
      for (int32_t i = 0; i < ComponentCount(); ++i) {
        if (auto* l = dynamic_cast<TLabel*>(Components(i))) text += l->Caption() + "\r\n" + sep;
        if (auto* b = dynamic_cast<TButton*>(Components(i))) buttons += b->Caption() + "   ";
      }
      text += buttons + "\r\n" + sep;
      ClipboardSetText(HandleAllocated() ? Handle() : nullptr, text);
      Key = 0;
      return;
    }
    TForm::KeyDown(Key, Shift);
  }
};

}  // namespace

TModalResult MsgDlgButtonResult(TMsgDlgBtn button) {
  static const TModalResult results[] = {mrYes,   mrNo,  mrOk,      mrCancel,   mrAbort, mrRetry,
                                         mrIgnore, mrAll, mrNoToAll, mrYesToAll, mrNone,  mrClose};
  return results[int(button)];
}

TCustomForm* CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  TMsgDlgBtn def = mbRetry;
  if (Buttons.Contains(mbOK)) def = mbOK;
  else if (Buttons.Contains(mbYes)) def = mbYes;
  return CreateMessageDialog(Msg, DlgType, Buttons, def);
}

TCustomForm* CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                 TMsgDlgBtn DefaultButton) {
  auto* form = new TMessageForm(Application);
  try {
    form->SetBorderStyle(bsDialog);
    form->SetBorderIcons({biSystemMenu});
    if (Screen) form->Font()->Assign(Screen->MessageFont());
    form->SetKeyPreview(true);
    form->SetPosition(poDesigned);
    const TSize du = AveCharSize(form->Font());
    const int32_t horzMargin = MulDiv(mcHorzMargin, du.cx, 4);
    const int32_t vertMargin = MulDiv(mcVertMargin, du.cy, 8);
    const int32_t horzSpacing = MulDiv(mcHorzSpacing, du.cx, 4);
    const int32_t vertSpacing = MulDiv(mcVertSpacing, du.cy, 8);
    int32_t buttonWidth = MulDiv(mcButtonWidth, du.cx, 4);
    const int32_t buttonHeight = MulDiv(mcButtonHeight, du.cy, 8);
    const int32_t buttonSpacing = MulDiv(mcButtonSpacing, du.cx, 4);

    TMeasureDC m(form->Font());
    int32_t buttonCount = 0;
    for (int b = mbYes; b <= mbClose; ++b) {
      if (!Buttons.Contains(TMsgDlgBtn(b))) continue;
      ++buttonCount;
      TRect calc{0, 0, 0, 0};
      DrawText(m.Handle(), ButtonCaption(TMsgDlgBtn(b)), -1, &calc, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
      buttonWidth = std::max(buttonWidth, calc.Width() + 8);
    }
    const int32_t screenWidth = Screen ? Screen->Width() : GetSystemMetrics(SM_CXSCREEN);
    TRect textRect{0, 0, screenWidth / 2, 0};
    DrawText(m.Handle(), Msg, -1, &textRect, DT_EXPANDTABS | DT_CALCRECT | DT_WORDBREAK);
    const bool hasIcon = DlgType != mtCustom;
    int32_t iconTextWidth = textRect.Right;
    int32_t iconTextHeight = textRect.Bottom;
    if (hasIcon) {
      iconTextWidth += kIconSize + horzSpacing;
      iconTextHeight = std::max(iconTextHeight, kIconSize);
    }
    const int32_t groupWidth = buttonCount ? buttonWidth * buttonCount + buttonSpacing * (buttonCount - 1) : 0;
    form->SetClientSize(std::max(iconTextWidth, groupWidth) + horzMargin * 2,
                        iconTextHeight + buttonHeight + vertSpacing + vertMargin * 2);
    const int32_t screenHeight = Screen ? Screen->Height() : GetSystemMetrics(SM_CYSCREEN);
    form->SetBounds(screenWidth / 2 - form->Width() / 2, screenHeight / 2 - form->Height() / 2, form->Width(),
                    form->Height());
    form->SetCaption(DialogTitle(DlgType));

    if (hasIcon) {
      auto* image = new TImage(form);
      image->SetName("Image");
      image->SetParent(form);
      image->SetBounds(horzMargin, vertMargin, kIconSize, kIconSize);
      TBitmap bmp(kIconSize, kIconSize);
      bmp.SetPixelFormat(pf24bit);
      DrawDialogIcon(bmp.Canvas(), DlgType);
      image->Picture()->SetBitmap(&bmp);
    }
    auto* message = new TLabel(form);
    message->SetName("Message");
    message->SetParent(form);
    message->SetAutoSize(false);
    message->SetWordWrap(true);
    message->SetShowAccelChar(false);
    message->SetCaption(Msg);
    message->SetBounds(iconTextWidth - textRect.Right + horzMargin, vertMargin, textRect.Right, textRect.Bottom);

    const TMsgDlgBtn cancel = Buttons.Contains(mbCancel) ? mbCancel : Buttons.Contains(mbNo) ? mbNo : mbOK;
    int32_t x = (form->ClientWidth() - groupWidth) / 2;
    TButton* first = nullptr;
    TButton* defaultButton = nullptr;
    for (int b = mbYes; b <= mbClose; ++b) {
      if (!Buttons.Contains(TMsgDlgBtn(b))) continue;
      auto* button = new TButton(form);
      button->SetName(kButtonNames[b]);
      button->SetParent(form);
      button->SetCaption(ButtonCaption(TMsgDlgBtn(b)));
      button->SetModalResult(MsgDlgButtonResult(TMsgDlgBtn(b)));
      if (TMsgDlgBtn(b) == DefaultButton) {
        button->SetDefault(true);
        defaultButton = button;
      }
      if (TMsgDlgBtn(b) == cancel) button->SetCancel(true);
      button->SetBounds(x, iconTextHeight + vertMargin + vertSpacing, buttonWidth, buttonHeight);
      x += buttonWidth + buttonSpacing;
      if (!first) first = button;
    }
    form->SetActiveControl(defaultButton ? defaultButton : first);
  } catch (...) {
    delete form;
    throw;
  }
  return form;
}

int32_t MessageDlgPosHelp(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int32_t HelpCtx,
                          int32_t X, int32_t Y, const std::string& HelpFileName) {
  std::unique_ptr<TCustomForm> dlg(CreateMessageDialog(Msg, DlgType, Buttons));
  (void)HelpFileName;
  dlg->SetHelpContext(HelpCtx);
  if (X >= 0) dlg->SetLeft(X);
  if (Y >= 0) dlg->SetTop(Y);
  if (X < 0 && Y < 0) dlg->SetPosition(poScreenCenter);
  return dlg->ShowModal();
}

int32_t MessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int32_t HelpCtx, int32_t X,
                      int32_t Y) {
  return MessageDlgPosHelp(Msg, DlgType, Buttons, HelpCtx, X, Y, {});
}

int32_t MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int32_t HelpCtx) {
  return MessageDlgPosHelp(Msg, DlgType, Buttons, HelpCtx, -1, -1, {});
}

int32_t MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int32_t HelpCtx,
                   TMsgDlgBtn DefaultButton) {
  std::unique_ptr<TCustomForm> dlg(CreateMessageDialog(Msg, DlgType, Buttons, DefaultButton));
  dlg->SetHelpContext(HelpCtx);
  dlg->SetPosition(poScreenCenter);
  return dlg->ShowModal();
}

void ShowMessagePos(const std::string& Msg, int32_t X, int32_t Y) { MessageDlgPos(Msg, mtCustom, {mbOK}, 0, X, Y); }

void ShowMessage(const std::string& Msg) { ShowMessagePos(Msg, -1, -1); }

// ---------------------------------------------------------------- InputQuery
bool InputQuery(const std::string& ACaption, const std::string& APrompt, std::string& Value) {
  std::unique_ptr<TForm> form(new TForm(Application));
  form->SetBorderStyle(bsDialog);
  form->SetBorderIcons({biSystemMenu});
  if (Screen) form->Font()->Assign(Screen->MessageFont());
  const TSize du = AveCharSize(form->Font());
  form->SetCaption(ACaption);
  form->SetClientWidth(MulDiv(180, du.cx, 4));
  form->SetPosition(poScreenCenter);

  auto* prompt = new TLabel(form.get());
  prompt->SetName("Prompt");
  prompt->SetParent(form.get());
  prompt->SetWordWrap(true);
  prompt->SetBounds(MulDiv(8, du.cx, 4), MulDiv(8, du.cy, 8), MulDiv(164, du.cx, 4), prompt->Height());
  prompt->SetCaption(APrompt);

  auto* edit = new TEdit(form.get());
  edit->SetName("Edit");
  edit->SetParent(form.get());
  edit->SetBounds(prompt->Left(), prompt->Top() + prompt->Height() + 5, MulDiv(164, du.cx, 4), edit->Height());
  edit->SetMaxLength(255);
  edit->SetText(Value);
  edit->SelectAll();

  const int32_t buttonTop = edit->Top() + edit->Height() + 15;
  const int32_t buttonWidth = MulDiv(50, du.cx, 4), buttonHeight = MulDiv(14, du.cy, 8);
  auto* ok = new TButton(form.get());
  ok->SetName("OK");
  ok->SetParent(form.get());
  ok->SetCaption(LoadResString(SMsgDlgOK));
  ok->SetModalResult(mrOk);
  ok->SetDefault(true);
  ok->SetBounds(MulDiv(38, du.cx, 4), buttonTop, buttonWidth, buttonHeight);
  auto* cancel = new TButton(form.get());
  cancel->SetName("Cancel");
  cancel->SetParent(form.get());
  cancel->SetCaption(LoadResString(SMsgDlgCancel));
  cancel->SetModalResult(mrCancel);
  cancel->SetCancel(true);
  cancel->SetBounds(MulDiv(92, du.cx, 4), buttonTop, buttonWidth, buttonHeight);
  form->SetClientHeight(cancel->Top() + cancel->Height() + 13);
  form->SetActiveControl(edit);

  if (form->ShowModal() != mrOk) return false;
  Value = edit->Text();
  return true;
}

std::string InputBox(const std::string& ACaption, const std::string& APrompt, const std::string& ADefault) {
  std::string value = ADefault;
  if (!InputQuery(ACaption, APrompt, value)) return ADefault;
  return value;
}

// ---------------------------------------------------------------- TCommonDialog
TCommonDialog::TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}

void TCommonDialog::DoShow() {
  if (OnShow) OnShow(this);
}

void TCommonDialog::DoClose() {
  if (OnClose) OnClose(this);
}
