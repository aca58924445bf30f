// Message dialogs, InputQuery and the file dialogs, answered by injected
// input that waits in the queue until the dialog's modal loop reads it.
#include "platform/vcl/dialogs.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/classes/resstrings.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/stdctrls.h"
#include "tests/platform/vcl/controls_test.h"
#include "tests/support/testsupport.h"

namespace dialogstest {
namespace {

using namespace vcltest;
using win::UINT;

class DialogsTest : public VclTest {
protected:
  void SetUp() override {
    VclTest::SetUp();
    RegisterStdCtrlsClasses();
    RegisterDialogsClasses();
  }
  void TearDown() override {
    if (Screen) Screen->OnActiveFormChange = nullptr;
    VclTest::TearDown();
  }
  static std::vector<TButton*> ButtonsLeftToRight(TComponent* form) {
    std::vector<TButton*> out;
    for (int32_t i = 0; i < form->ComponentCount(); ++i)
      if (auto* b = dynamic_cast<TButton*>(form->Components(i))) out.push_back(b);
    std::sort(out.begin(), out.end(), [](TButton* a, TButton* b) { return a->Left() < b->Left(); });
    return out;
  }
  void ClickCentre(TControl* c) {
    TPoint p = At(c, c->Width() / 2, c->Height() / 2);
    backend_->Click(p.X, p.Y);
  }
};

TEST_F(DialogsTest, MessageDialogLaysOutItsButtonsInTheFrameworksOrder) {
  struct Row {
    TMsgDlgType Type;
    TMsgDlgButtons Buttons;
    std::vector<std::string> Names, Captions;
    const char* Default;
    const char* Cancel;
    const char* Title;
  };
  const Row rows[] = {
      {mtConfirmation, mbYesNoCancel, {"Yes", "No", "Cancel"}, {"&Yes", "&No", "Cancel"}, "Yes", "Cancel", "Confirm"},
      {mtWarning, {mbOK}, {"OK"}, {"OK"}, "OK", "OK", "Warning"},
      {mtError, mbAbortRetryIgnore, {"Abort", "Retry", "Ignore"}, {"&Abort", "&Retry", "&Ignore"}, "Retry", "", "Error"},
      {mtInformation,
       {mbHelp, mbNoToAll, mbYes, mbYesToAll, mbNo, mbAll},
       {"Yes", "No", "All", "NoToAll", "YesToAll", "Help"},
       {"&Yes", "&No", "&All", "N&o to All", "Yes to &All", "&Help"},
       "Yes",
       "No",
       "Information"},
  };
  for (const Row& row : rows) {
    std::unique_ptr<TCustomForm> dlg(
        CreateMessageDialog("Delete the file?\nIt will go to the trash.", row.Type, row.Buttons));
    EXPECT_EQ(dlg->Caption(), row.Title);
    const std::vector<TButton*> buttons = ButtonsLeftToRight(dlg.get());
    ASSERT_EQ(buttons.size(), row.Names.size()) << row.Title;
    auto* message = dynamic_cast<TLabel*>(dlg->FindComponent("Message"));
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->Caption(), "Delete the file?\nIt will go to the trash.");
    auto* image = dynamic_cast<TImage*>(dlg->FindComponent("Image"));
    ASSERT_NE(image, nullptr) << row.Title;
    // Icon on the left, text to its right, buttons in one row below both.
    EXPECT_LT(image->BoundsRect().Right, message->Left());
    for (size_t i = 0; i < buttons.size(); ++i) {
      TButton* b = buttons[i];
      EXPECT_EQ(b->Name(), row.Names[i]) << row.Title;
      EXPECT_EQ(b->Caption(), row.Captions[i]) << row.Title;
      EXPECT_EQ(b->Top(), buttons[0]->Top());
      EXPECT_EQ(b->Width(), buttons[0]->Width());
      EXPECT_GE(b->Top(), message->Top() + message->Height());
      EXPECT_GE(b->Top(), image->Top() + image->Height());
      EXPECT_EQ(b->Default(), b->Name() == row.Default) << b->Name();
      EXPECT_EQ(b->Cancel(), b->Name() == row.Cancel) << b->Name();
      if (i > 0) {
        EXPECT_GT(b->Left(), buttons[i - 1]->Left() + buttons[i - 1]->Width());
      }
    }
    // The row is centred.
    const int32_t left = buttons.front()->Left();
    const int32_t right = dlg->ClientWidth() - (buttons.back()->Left() + buttons.back()->Width());
    EXPECT_NEAR(left, right, 1) << row.Title;
    EXPECT_LE(buttons.back()->Top() + buttons.back()->Height(), dlg->ClientHeight());
  }
  // A custom dialog has no icon and the application's title.
  Application->SetTitle("Duplexion");
  std::unique_ptr<TCustomForm> custom(CreateMessageDialog("Hello", mtCustom, {mbOK}));
  EXPECT_EQ(custom->Caption(), "Duplexion");
  EXPECT_EQ(custom->FindComponent("Image"), nullptr);
  Application->SetTitle("");
}

TEST_F(DialogsTest, MessageDialogReturnsTheClickedButtonsResult) {
  const std::pair<const char*, TModalResult> rows[] = {
      {"Yes", mrYes}, {"No", mrNo}, {"Cancel", mrCancel}, {"YesToAll", mrYesToAll}};
  for (auto [name, result] : rows) {
    std::unique_ptr<TCustomForm> dlg(
        CreateMessageDialog("Replace it?", mtConfirmation, {mbYes, mbNo, mbCancel, mbYesToAll}));
    dlg->SetBounds(200, 150, dlg->Width(), dlg->Height());
    dlg->HandleNeeded();
    auto* button = dynamic_cast<TButton*>(dlg->FindComponent(name));
    ASSERT_NE(button, nullptr);
    ClickCentre(button);
    EXPECT_EQ(dlg->ShowModal(), result) << name;
  }
}

TEST_F(DialogsTest, MessageDlgAnswersEnterAndEscape) {
  struct Row {
    TMsgDlgButtons Buttons;
    UINT Key;
    int32_t Result;
  };
  const Row rows[] = {{mbYesNoCancel, win::VK_ESCAPE, mrCancel}, {mbYesNoCancel, win::VK_RETURN, mrYes},
                      {{mbYes, mbNo}, win::VK_ESCAPE, mrNo},     {{mbOK}, win::VK_ESCAPE, mrOk},
                      {mbOKCancel, win::VK_RETURN, mrOk},        {mbAbortRetryIgnore, win::VK_RETURN, mrRetry}};
  for (const Row& r : rows) {
    backend_->Key(r.Key);
    EXPECT_EQ(MessageDlg("Sure?", mtConfirmation, r.Buttons, 0), r.Result) << r.Key;
  }
  // Tab moves to the next button; Enter then presses that one.
  backend_->Key(win::VK_TAB);
  backend_->Key(win::VK_RETURN);
  EXPECT_EQ(MessageDlg("Sure?", mtConfirmation, mbYesNoCancel, 0), mrNo);
}

TEST_F(DialogsTest, ShowMessageIsTitledWithTheApplication) {
  Application->SetTitle("Duplexion");
  std::string caption, text;
  Screen->OnActiveFormChange = [&](TObject*) {
    if (TCustomForm* f = Screen->ActiveForm(); f && caption.empty()) {
      caption = f->Caption();
      if (auto* l = dynamic_cast<TLabel*>(f->FindComponent("Message"))) text = l->Caption();
    }
  };
  backend_->Key(win::VK_RETURN);
  ShowMessage("Saved.");
  EXPECT_EQ(caption, "Duplexion");
  EXPECT_EQ(text, "Saved.");
  Application->SetTitle("");
}

// The framework's dialog with one more control below the text, as the viewer's
// "do not show again" box builds it.
TEST_F(DialogsTest, AControlAddedToAMessageDialogTakesPartInIt) {
  std::unique_ptr<TCustomForm> dlg(CreateMessageDialog("Full screen: press F11 to leave.", mtInformation, {mbOK}));
  auto* check = new TCheckBox(dlg.get());
  check->SetParent(dlg.get());
  TLabel* text = nullptr;
  for (int32_t i = 0; i < dlg->ComponentCount() && !text; ++i) text = dynamic_cast<TLabel*>(dlg->Components(i));
  ASSERT_NE(text, nullptr);
  int32_t buttonTop = -1;
  for (TButton* b : ButtonsLeftToRight(dlg.get())) {
    if (buttonTop < 0) buttonTop = b->Top();
    b->SetTop(b->Top() + check->Height() + text->Top());
  }
  check->SetBounds(text->Left(), buttonTop, dlg->ClientWidth() - 32, check->Height());
  check->SetCaption("Do not show again");
  check->SetName("CheckBox");
  dlg->SetClientHeight(dlg->ClientHeight() + text->Top() + check->Height());
  dlg->SetBounds(200, 150, dlg->Width(), dlg->Height());
  dlg->HandleNeeded();
  TPoint box = At(check, 5, check->Height() / 2);
  backend_->Click(box.X, box.Y);
  auto* ok = dynamic_cast<TButton*>(dlg->FindComponent("OK"));
  ASSERT_NE(ok, nullptr);
  ClickCentre(ok);
  EXPECT_EQ(dlg->ShowModal(), mrOk);
  EXPECT_TRUE(dynamic_cast<TCheckBox*>(dlg->FindComponent("CheckBox"))->Checked());
}

TEST_F(DialogsTest, InputQueryEditsTheValue) {
  std::string value = "old";
  backend_->Type("new name");
  backend_->Key(win::VK_RETURN);
  EXPECT_TRUE(InputQuery("Rename", "New name:", value));
  EXPECT_EQ(value, "new name");
  backend_->Type("ignored");
  backend_->Key(win::VK_ESCAPE);
  EXPECT_FALSE(InputQuery("Rename", "New name:", value));
  EXPECT_EQ(value, "new name");
  backend_->Key(win::VK_ESCAPE);
  EXPECT_EQ(InputBox("Rename", "New name:", "default"), "default");
  backend_->Key(win::VK_END);
  backend_->Type("!");
  backend_->Key(win::VK_RETURN);
  EXPECT_EQ(InputBox("Rename", "New name:", "default"), "default!");
}

// ---------------------------------------------------------------- file dialogs
TEST(FileFilterTest, ParsesFiltersAndMatchesMasks) {
  const std::vector<TFileFilter> f = ParseFileFilter("Images (*.mpo; *.jpg)|*.mpo;*.jpg|All files|*.*");
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0].Description, "Images (*.mpo; *.jpg)");
  EXPECT_EQ(f[0].Masks, (std::vector<std::string>{"*.mpo", "*.jpg"}));
  EXPECT_EQ(f[1].Masks, (std::vector<std::string>{"*.*"}));
  EXPECT_TRUE(ParseFileFilter("").empty());
  struct Row {
    const char* Name;
    const char* Mask;
    bool Match;
  };
  const Row rows[] = {{"a.MPO", "*.mpo", true},      {"a.mpo.txt", "*.mpo", false}, {"noext", "*.*", true},
                      {"img_01.jpg", "img_??.jpg", true}, {"img_1.jpg", "img_??.jpg", false}, {"abc", "a*c", true},
                      {"abcd", "a*c", false},          {"a.b.c", "*.c", true},        {"", "*", true}};
  for (const Row& r : rows) EXPECT_EQ(MatchesFileMask(r.Name, r.Mask), r.Match) << r.Name << " " << r.Mask;
}

class FileDialogTest : public DialogsTest {
protected:
  void SetUp() override {
    DialogsTest::SetUp();
    for (const char* n : {"a.mpo", "b.jpg", "c.txt", "D.JPG", ".hidden.jpg"})
      testsupport::WriteFileBytes(dir_ / n, "x");
    std::filesystem::create_directory(dir_ / "sub");
    testsupport::WriteFileBytes(dir_ / "sub" / "inner.jpg", "x");
  }
  // Keys for the dialogs that open on top of the file dialog: each key goes
  // to the next form that becomes active (typed ahead they would reach the
  // form that has the focus when they are read).
  void AnswerNextForms(std::vector<UINT> keys) {
    answers_ = std::move(keys);
    Screen->OnActiveFormChange = [this](TObject*) {
      TCustomForm* f = Screen->ActiveForm();
      if (!f || f == last_ || answers_.empty()) return;
      last_ = f;
      seen_.push_back(f->Caption());
      backend_->Key(answers_.front());
      answers_.erase(answers_.begin());
    };
  }
  static std::vector<std::string> ListOf(TCustomForm* f, const char* name) {
    std::vector<std::string> out;
    auto* l = dynamic_cast<TListBox*>(f->FindComponent(name));
    if (!l) return out;
    for (int32_t i = 0; i < l->Count(); ++i) out.push_back(l->Items()->Strings(i));
    return out;
  }
  testsupport::TempDir dir_;
  std::vector<UINT> answers_;
  std::vector<std::string> seen_;  // captions of the forms answered
  TCustomForm* last_ = nullptr;
};

TEST_F(FileDialogTest, TheFilterDecidesWhichFilesAreListed) {
  struct Row {
    int32_t FilterIndex;
    std::vector<std::string> Files;
  };
  const Row rows[] = {{1, {"a.mpo", "b.jpg", "D.JPG"}}, {2, {"c.txt"}}, {3, {"a.mpo", "b.jpg", "c.txt", "D.JPG"}},
                      {9, {"a.mpo", "b.jpg", "D.JPG"}}};
  for (const Row& r : rows) {
    TOpenDialog dlg(nullptr);
    dlg.SetFilter("Images (*.mpo; *.jpg)|*.mpo;*.jpg|Text|*.txt|All|*.*");
    dlg.SetFilterIndex(r.FilterIndex);
    dlg.SetInitialDir(dir_.Path().string());
    std::vector<std::string> files, folders;
    dlg.OnShow = [&](TObject*) {
      files = ListOf(dlg.Form(), "FileList");
      folders = ListOf(dlg.Form(), "FolderList");
    };
    backend_->Key(win::VK_ESCAPE);
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(files, r.Files) << r.FilterIndex;
    EXPECT_EQ(folders, (std::vector<std::string>{"..", "sub"}));
    EXPECT_EQ(dlg.Form(), nullptr);
  }
}

TEST_F(FileDialogTest, ExecuteReturnsTheChosenPath) {
  TOpenDialog dlg(nullptr);
  dlg.SetFilter("Images|*.mpo;*.jpg");
  dlg.SetInitialDir(dir_.Path().string());
  dlg.SetOptions({ofFileMustExist, ofPathMustExist});
  int shows = 0, closes = 0;
  dlg.OnShow = [&](TObject*) { ++shows; };
  dlg.OnClose = [&](TObject*) { ++closes; };
  backend_->Type("b.jpg");
  backend_->Key(win::VK_RETURN);
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.FileName(), (dir_ / "b.jpg").string());
  EXPECT_EQ(dlg.Files()->Count(), 1);
  EXPECT_EQ(shows, 1);
  EXPECT_EQ(closes, 1);

  // A file that is not there: a warning, and the dialog stays open until cancelled.
  dlg.OnShow = [&](TObject*) {
    // The warning gets Enter (its OK), the dialog back on top Escape (Cancel).
    AnswerNextForms({win::VK_RETURN, win::VK_ESCAPE});
    last_ = dlg.Form();
  };
  Screen->OnActiveFormChange = nullptr;
  backend_->Type("missing.jpg");
  backend_->Key(win::VK_RETURN);  // the warning appears
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(seen_, (std::vector<std::string>{"Warning", "Open"}));
  EXPECT_EQ(dlg.FileName(), (dir_ / "b.jpg").string()) << "a cancelled dialog keeps the old name";
}

TEST_F(FileDialogTest, TheMouseOpensAFolderAndPicksAFile) {
  TOpenDialog dlg(nullptr);
  dlg.SetFilter("Images|*.jpg");
  dlg.SetInitialDir(dir_.Path().string());
  auto doubleClickRow = [&](const char* list, int32_t row) {
    auto* l = dynamic_cast<TListBox*>(dlg.Form()->FindComponent(list));
    const TRect r = l->ItemRect(row);
    TPoint p = At(l, r.Left + 5, (r.Top + r.Bottom) / 2);
    backend_->Click(p.X, p.Y);
    backend_->Click(p.X, p.Y);
  };
  std::vector<std::string> inner;
  bool entered = false, picked = false;
  dlg.OnShow = [&](TObject*) {
    auto* folders = dynamic_cast<TListBox*>(dlg.Form()->FindComponent("FolderList"));
    doubleClickRow("FolderList", folders->Items()->IndexOf("sub"));
  };
  dlg.OnFolderChange = [&](TObject*) { entered = dlg.Form() != nullptr; };
  // The next double click once the first is done with (as a user's would come).
  Application->OnIdle = [&](TObject*, bool&) {
    if (!entered || picked) return;
    picked = true;
    inner = ListOf(dlg.Form(), "FileList");
    doubleClickRow("FileList", 0);
  };
  const bool ok = dlg.Execute();
  Application->OnIdle = nullptr;
  ASSERT_TRUE(ok);
  EXPECT_EQ(inner, (std::vector<std::string>{"inner.jpg"}));
  EXPECT_EQ(dlg.FileName(), (dir_ / "sub" / "inner.jpg").string());
}

TEST_F(FileDialogTest, SaveDialogAsksBeforeOverwritingAndAddsTheExtension) {
  struct Row {
    const char* Typed;
    std::vector<UINT> Keys;  // after the name and Enter
    bool Accepted;
    const char* File;
  };
  const Row rows[] = {{"b.jpg", {win::VK_RETURN}, true, "b.jpg"},          // Yes to replacing
                      {"b.jpg", {win::VK_ESCAPE, win::VK_ESCAPE}, false, ""},  // No, then Cancel
                      {"new", {}, true, "new.jpg"}};
  for (const Row& r : rows) {
    TSaveDialog dlg(nullptr);
    dlg.SetInitialDir(dir_.Path().string());
    dlg.SetDefaultExt("jpg");
    dlg.SetOptions({ofOverwritePrompt});
    dlg.OnShow = [&](TObject*) {
      AnswerNextForms(r.Keys);
      last_ = dlg.Form();
    };
    backend_->Type(r.Typed);
    backend_->Key(win::VK_RETURN);
    EXPECT_EQ(dlg.Execute(), r.Accepted) << r.Typed;
    if (r.Accepted) {
      EXPECT_EQ(dlg.FileName(), (dir_ / r.File).string());
    }
  }
}

TEST_F(FileDialogTest, SeveralFilesInQuotesMakeTheFilesList) {
  TOpenDialog dlg(nullptr);
  dlg.SetInitialDir(dir_.Path().string());
  dlg.SetOptions({ofAllowMultiSelect, ofFileMustExist});
  backend_->Type("\"a.mpo\" \"c.txt\"");
  backend_->Key(win::VK_RETURN);
  ASSERT_TRUE(dlg.Execute());
  ASSERT_EQ(dlg.Files()->Count(), 2);
  EXPECT_EQ(dlg.Files()->Strings(0), (dir_ / "a.mpo").string());
  EXPECT_EQ(dlg.Files()->Strings(1), (dir_ / "c.txt").string());
  EXPECT_EQ(dlg.FileName(), dlg.Files()->Strings(0));
}

}  // namespace
}  // namespace dialogstest
