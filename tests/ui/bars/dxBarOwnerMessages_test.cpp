// The owner window's messages reach the bar manager through the
// call-window-procedure hook: activation of the form and of the application
// (floating bars follow), system colours, the work area, F1, cancel mode and
// the owner window's re-creation. Floating bar windows are doubles that log.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/syscolors.h"
#include "platform/vcl/graphics.h"
#include "platform/win/winuser.h"
#include "tests/ui/bars/bar_doubles.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarHints.h"
#include "ui/bars/dxBarHooks.h"

namespace bartest {
namespace {

// A floating bar window: it logs what activation asks of it and shows as the test says.
class TFloatingWindow : public TCustomdxBarControl {
public:
  TFloatingWindow(TdxBarManager* AManager, std::string AName, TLog& ALog)
      : TCustomdxBarControl(AManager), name_(std::move(AName)), log_(ALog) {}
  bool Showing = true;
  bool IsWindowShowing() override { return Showing; }
  void ShowFloating() override {
    Showing = true;
    log_.push_back(name_ + " show");
  }
  void HideFloating() override {
    Showing = false;
    log_.push_back(name_ + " hide");
  }
  void RecalcNonClient() override { log_.push_back(name_ + " caption"); }
  void RefreshShadow() override { log_.push_back(name_ + " shadow"); }
  void CloseUp() override {
    log_.push_back(name_ + " close");
    if (GetBarManager()->FocusedBarControl() == this) GetBarManager()->SetFocusedBarControl(nullptr);
  }

private:
  std::string name_;
  TLog& log_;
};

class TContextItemControl : public TdxBarItemControl {
public:
  using TdxBarItemControl::TdxBarItemControl;
  TRect GetBounds() override { return {10, 20, 50, 40}; }
};

class OwnerMessagesTest : public vcltest::VclTest {
protected:
  void SetUp() override {
    VclTest::SetUp();
    form_ = ShownForm();
    manager_ = new TdxBarManager(form_);
    bar_ = manager_->AddBar();
    window_ = new TFloatingWindow(manager_, "float", log_);
    bar_->SetVisible(true);
    bar_->SetDockingStyle(dsNone);
    bar_->SetControl(window_);
    Send(win::WM_ACTIVATE, win::WA_ACTIVE, 0);
    log_.clear();
  }
  void TearDown() override {
    delete manager_;
    VclTest::TearDown();
  }
  win::LRESULT Send(win::UINT msg, win::WPARAM w, win::LPARAM l) { return win::SendMessage(form_->Handle(), msg, w, l); }

  TForm* form_ = nullptr;
  TdxBarManager* manager_ = nullptr;
  TdxBar* bar_ = nullptr;
  TFloatingWindow* window_ = nullptr;
  TLog log_;
};

TEST_F(OwnerMessagesTest, SwitchingApplicationsHidesAndReShowsFloatingBarsWhenAsked) {
  for (bool hideWhenInactive : {true, false}) {
    SCOPED_TRACE(hideWhenInactive);
    manager_->SetHideFloatingBarsWhenInactive(hideWhenInactive);
    log_.clear();
    Send(win::WM_ACTIVATEAPP, 0, 0);
    Send(win::WM_ACTIVATE, win::WA_INACTIVE, 0);
    EXPECT_FALSE(manager_->IsActive());
    Send(win::WM_ACTIVATEAPP, 1, 0);
    Send(win::WM_ACTIVATE, win::WA_ACTIVE, 0);
    EXPECT_TRUE(manager_->IsActive());
    if (hideWhenInactive)
      EXPECT_EQ(log_, (TLog{"float hide", "float show"}));
    else  // the bars stay; only their captions change
      EXPECT_EQ(log_, (TLog{"float caption", "float caption", "float show"}));
  }
}

TEST_F(OwnerMessagesTest, AModalDialogOfTheFormKeepsTheBarsActive) {
  // As a modal dialog opens: the form is disabled, then the dialog takes the activation.
  TForm* dialog = MakeForm({150, 150, 300, 300});
  win::EnableWindow(form_->Handle(), win::FALSE);
  dialog->Show();
  Pump();
  ASSERT_EQ(win::GetActiveWindow(), dialog->Handle());
  EXPECT_TRUE(manager_->IsActive());
  EXPECT_TRUE(log_.empty());
  // Without the modal state another form of the program takes the bars' activity.
  win::EnableWindow(form_->Handle(), win::TRUE);
  Send(win::WM_ACTIVATE, win::WA_INACTIVE, win::LPARAM(dialog->Handle()));
  EXPECT_FALSE(manager_->IsActive());
  EXPECT_EQ(log_, TLog{"float hide"});
}

TEST_F(OwnerMessagesTest, ActivationGoingToAFloatingBarOfTheFormKeepsTheOthers) {
  TForm* owned = MakeForm({150, 150, 300, 300});
  owned->HandleNeeded();
  win::SetWindowLongPtr(owned->Handle(), win::GWLP_HWNDPARENT, win::LONG_PTR(form_->Handle()));
  Send(win::WM_ACTIVATE, win::WA_INACTIVE, win::LPARAM(owned->Handle()));
  EXPECT_TRUE(log_.empty());
}

TEST_F(OwnerMessagesTest, WorkAreaChangesKeepFloatingBarsInside) {
  TRect work;
  win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &work, 0);
  struct Row {
    const char* What;
    TRect Bar;
    TRect Expected;
  };
  const int w = work.Right - work.Left, h = work.Bottom - work.Top;
  const Row rows[] = {
      {"inside", {work.Left + 10, work.Top + 10, work.Left + 110, work.Top + 60},
       {work.Left + 10, work.Top + 10, work.Left + 110, work.Top + 60}},
      {"below right", {work.Right - 50, work.Bottom - 20, work.Right + 50, work.Bottom + 30},
       {work.Right - 100, work.Bottom - 50, work.Right, work.Bottom}},
      {"above left", {work.Left - 30, work.Top - 40, work.Left + 70, work.Top + 10},
       {work.Left, work.Top, work.Left + 100, work.Top + 50}},
      // Larger than the area: its top-left corner is kept in the area.
      {"larger", {work.Left + 30, work.Top + 20, work.Left + 30 + w + 200, work.Top + 20 + h + 100},
       {work.Left, work.Top, work.Left + w + 200, work.Top + h + 100}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.What);
    window_->SetBoundsRect(r.Bar);
    Send(win::WM_SETTINGCHANGE, win::SPI_SETWORKAREA, 0);
    EXPECT_EQ(window_->BoundsRect(), r.Expected);
  }
  // A floating bar without window moves its stored place.
  bar_->SetControl(nullptr);
  bar_->SetFloatLeft(work.Right - 10);
  bar_->SetFloatTop(work.Bottom - 10);
  bar_->SetFloatClientWidth(100);
  bar_->SetFloatClientHeight(40);
  Send(win::WM_SETTINGCHANGE, win::SPI_SETWORKAREA, 0);
  EXPECT_EQ(bar_->FloatLeft(), work.Right - 100);
  EXPECT_EQ(bar_->FloatTop(), work.Bottom - 40);
  bar_->SetControl(window_);
}

TEST_F(OwnerMessagesTest, SystemColourChangesRemakeTheFlatBrushes) {
  const win::COLORREF old = win::GetSysColor(win::COLOR_BTNFACE);
  const int element = win::COLOR_BTNFACE;
  const win::COLORREF face = 0x00304050;  // R 0x50, G 0x40, B 0x30
  ASSERT_TRUE(win::SetSysColors(1, &element, &face));
  const win::HBRUSH dither = DitherBrush();
  Send(win::WM_SYSCOLORCHANGE, 0, 0);
  win::SetSysColors(1, &element, &old);
  EXPECT_NE(DitherBrush(), nullptr);
  EXPECT_FALSE(win::IsValidGdiObject(dither)) << "the dither brush is rebuilt";
  // The face brush lightens every channel by 16 % of the way to white.
  auto light = [](uint32_t v) { return v + uint32_t((255 - v) * 16 + 50) / 100; };
  const win::COLORREF expected = light(0x50) | light(0x40) << 8 | light(0x30) << 16;
  win::LOGBRUSH lb{};
  ASSERT_NE(win::GetObject(manager_->FlatBrush(1), sizeof(lb), &lb), 0);
  EXPECT_EQ(lb.lbColor, expected);
  EXPECT_NE(std::find(log_.begin(), log_.end(), "float shadow"), log_.end());
  Send(win::WM_SYSCOLORCHANGE, 0, 0);
}

TEST_F(OwnerMessagesTest, SystemColourChangesRebuildTheDitherBrush) {
  const int elements[] = {win::COLOR_BTNFACE, win::COLOR_BTNHIGHLIGHT};
  const win::COLORREF saved[] = {win::GetSysColor(elements[0]), win::GetSysColor(elements[1])};
  const win::COLORREF changed[] = {win::RGB(0x30, 0x60, 0x90), win::RGB(0xF0, 0xE0, 0x10)};
  ASSERT_TRUE(win::SetSysColors(2, elements, changed));
  Send(win::WM_SYSCOLORCHANGE, 0, 0);
  win::SetSysColors(2, elements, saved);
  ASSERT_NE(DitherBrush(), nullptr);
  TBitmap pattern(8, 8);
  const win::RECT all{0, 0, 8, 8};
  win::FillRect(pattern.Canvas()->Handle(), &all, DitherBrush());
  // Face on the pixels of equal parity, highlight on the others.
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 8; ++x)
      ASSERT_EQ(win::GetPixel(pattern.Canvas()->Handle(), x, y), x % 2 == y % 2 ? changed[0] : changed[1])
          << x << "," << y;
  Send(win::WM_SYSCOLORCHANGE, 0, 0);
}

TEST_F(OwnerMessagesTest, CancelModeClosesTheFocusedBarWindow) {
  manager_->SetFocusedBarControl(window_);
  Send(win::WM_CANCELMODE, 0, 0);
  EXPECT_EQ(log_, TLog{"float close"});
}

TEST_F(OwnerMessagesTest, HelpTakesTheContextOfTheItemThenOfTheMenuChain) {
  auto* opener = new TFloatingWindow(manager_, "toolbar", log_);
  opener->HelpContext = 9;
  TdxBarItemLinks links(manager_, nullptr);
  auto* openerItem = new TdxBarItem(form_);
  auto* selectedItem = new TdxBarItem(form_);
  TdxBarItemLink* openerLink = links.Add();
  openerLink->SetItem(openerItem);
  TdxBarItemLink* selectedLink = links.Add();
  selectedLink->SetItem(selectedItem);
  TContextItemControl openerControl(opener, openerLink), selectedControl(window_, selectedLink);
  window_->OpeningItemControl = &openerControl;
  window_->SetParentBarControl(opener);
  struct Row {
    int32_t Selected, Opener;
    bool WithOpener;
    int32_t Expected;
  };
  for (Row r : {Row{5, 7, true, 5}, Row{0, 7, true, 7}, Row{0, 0, true, 9}, Row{0, 0, false, 0}}) {
    SCOPED_TRACE(r.Expected);
    selectedItem->SetHelpContext(r.Selected);
    openerItem->SetHelpContext(r.Opener);
    window_->OpeningItemControl = r.WithOpener ? &openerControl : nullptr;
    window_->SetSelectedControl(&selectedControl);
    manager_->SetFocusedBarControl(window_);
    log_.clear();
    win::HELPINFO info;
    EXPECT_EQ(manager_->ShowItemHelp(info), r.Expected);
    EXPECT_EQ(log_, TLog{"float close"});  // F1 closes the menus
  }
  window_->SetSelectedControl(nullptr);
  window_->OpeningItemControl = nullptr;
  window_->SetParentBarControl(nullptr);
  delete opener;
}

TEST_F(OwnerMessagesTest, TheRecreatedOwnerWindowShowsTheWaitingBars) {
  bar_->SetControl(nullptr);
  bar_->SetVisible(false);
  manager_->BeginRestoringBars();
  manager_->AddRestoringBar(bar_);
  manager_->AddRestoringBar(bar_);
  EXPECT_EQ(manager_->IndexOfRestoringBar(bar_), 0);
  Send(win::WM_CREATE, 0, 0);
  EXPECT_TRUE(bar_->GetVisible());
  EXPECT_FALSE(manager_->IsRestoringListed());
  EXPECT_EQ(manager_->IndexOfRestoringBar(bar_), -1);
  bar_->SetControl(window_);
}

// The merge decision of an MDI state change, with a manager on the child form.
TEST_F(OwnerMessagesTest, MdiStateChangesMergeOrUnmergeTheChildsBars) {
  TForm* child = MakeForm({10, 10, 100, 100});
  child->HandleNeeded();
  auto* childManager = new TdxBarManager(child);
  std::vector<std::string> merges;
  manager_->OnMerge = [&](TdxBarManager* Sender, TdxBarManager* Child, bool AddItems) {
    EXPECT_EQ(Sender, manager_);
    EXPECT_EQ(Child, childManager);
    merges.push_back(AddItems ? "merge" : "unmerge");
  };
  std::vector<int32_t> kinds;
  struct Row {
    int32_t Kind;
    bool AlwaysMerge;
    const char* Expected;  // empty: no decision
  };
  // No child is maximized here: without AlwaysMerge an activation merges nothing.
  const Row rows[] = {{0, false, ""},       {1, false, "unmerge"}, {2, false, "unmerge"},
                      {0, true, "merge"},   {1, true, "unmerge"},  {2, true, ""}};
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.Kind) + (r.AlwaysMerge ? " always" : ""));
    manager_->SetAlwaysMerge(r.AlwaysMerge);
    merges.clear();
    manager_->MdiStateChanged(r.Kind, child->Handle());
    EXPECT_EQ(merges, *r.Expected ? std::vector<std::string>{r.Expected} : std::vector<std::string>{});
  }
  // A child without manager: nothing to merge.
  TForm* plain = MakeForm({10, 10, 100, 100});
  plain->HandleNeeded();
  merges.clear();
  manager_->MdiStateChanged(0, plain->Handle());
  EXPECT_TRUE(merges.empty());
  delete childManager;
}

// A Customize dialog stand-in that logs the activations sent to it.
class TDialogForm : public TForm {
public:
  TDialogForm(TLog& ALog) : TForm(nullptr), log_(ALog) {
    SetBorderStyle(bsNone);
    SetPosition(poDesigned);
    SetBoundsRect({600, 100, 800, 300});
  }

protected:
  // Only logged: a real activation would take the activation from the test's form.
  void WndProc(TMessage& m) override {
    if (m.Msg == win::WM_ACTIVATE) {
      log_.push_back("dialog activate " + std::to_string(m.WParam) + " from " +
                     (reinterpret_cast<win::HWND>(m.LParam) == owner_ ? "the form" : "elsewhere"));
      return;
    }
    TForm::WndProc(m);
  }

public:
  win::HWND owner_ = nullptr;

private:
  TLog& log_;
};

// While customizing, the form is disabled; its activation goes on to the
// Customize dialog, but not when the form is enabled or nothing is customized.
TEST_F(OwnerMessagesTest, TheDisabledCustomizedFormHandsItsActivationToTheDialog) {
  TDialogForm dialog(log_);
  dialog.HandleNeeded();
  dialog.owner_ = form_->Handle();
  TFakeCustomizing customizing(dialog.Handle(), manager_, log_);
  struct Row {
    bool Customizing, Disabled;
    TLog Expected;
  };
  const Row rows[] = {{true, true, {"dialog activate 1 from the form"}}, {true, false, {}}, {false, true, {}}};
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.Customizing) + std::to_string(r.Disabled));
    manager_->SetCustomizingFlag(r.Customizing);
    win::EnableWindow(form_->Handle(), r.Disabled ? win::FALSE : win::TRUE);
    log_.clear();
    Send(win::WM_ACTIVATE, win::WA_ACTIVE, 0);
    std::erase_if(log_, [](const std::string& s) { return s.starts_with("float"); });
    EXPECT_EQ(log_, r.Expected);
  }
  win::EnableWindow(form_->Handle(), win::TRUE);
  manager_->SetCustomizingFlag(false);
}

// The dialog follows the customized owner's window, and an open sub-menu
// editor shows and hides with it; an MDI main form's moves reach the dialog
// through the hook even while its manager is not the customizing one.
TEST_F(OwnerMessagesTest, TheCustomizeDialogFollowsTheOwnerWindow) {
  TForm* dialog = MakeForm({600, 100, 800, 300});
  TForm* editor = MakeForm({600, 320, 700, 400});
  editor->HandleNeeded();
  TFakeCustomizing customizing(dialog->Handle(), manager_, log_);
  customizing.Editor = editor->Handle();
  TCustomForm* savedMain = Application->MainForm();
  Application->SetMainForm(form_);
  struct Row {
    bool Customizing, MdiMain;
    win::UINT Flags;
    int Follows;
    bool EditorVisible;
  };
  const Row rows[] = {{true, false, win::SWP_SHOWWINDOW, 1, true},  {true, false, win::SWP_HIDEWINDOW, 1, false},
                      {false, false, win::SWP_SHOWWINDOW, 0, false}, {false, true, win::SWP_SHOWWINDOW, 1, false},
                      {true, true, win::SWP_SHOWWINDOW, 2, true}};
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.Customizing) + std::to_string(r.MdiMain) + std::to_string(r.Flags));
    win::ShowWindow(editor->Handle(), win::SW_HIDE);
    manager_->SetCustomizingFlag(r.Customizing);
    form_->SetFormStyle(r.MdiMain ? fsMDIForm : fsNormal);
    log_.clear();
    win::WINDOWPOS pos{};
    pos.hwnd = form_->Handle();
    pos.flags = r.Flags;
    Send(win::WM_WINDOWPOSCHANGED, 0, win::LPARAM(&pos));
    EXPECT_EQ(std::count(log_.begin(), log_.end(), "dialog follows"), r.Follows);
    EXPECT_EQ(win::IsWindowVisible(editor->Handle()) != 0, r.EditorVisible);
  }
  form_->SetFormStyle(fsNormal);
  manager_->SetCustomizingFlag(false);
  Application->SetMainForm(savedMain);
}

// The system menu font changed: WM_SETTINGCHANGE with SPI_SETNONCLIENTMETRICS
// gives the bars the new menu font (only its height while the manager has a
// scaled font of its own); other settings leave the font alone.
TEST_F(OwnerMessagesTest, ANewSystemMenuFontReachesTheBars) {
  TFont own;
  own.SetName("Liberation Serif");
  own.SetHeight(-12);
  struct Row {
    const char* What;
    bool OwnFont;
    win::WPARAM Setting;
    const char* Name;
    int32_t Height;
  };
  const Row rows[] = {{"system font", false, win::SPI_SETNONCLIENTMETRICS, "Liberation Sans", -19},
                      {"scaled own font", true, win::SPI_SETNONCLIENTMETRICS, "Liberation Serif", -19},
                      {"another setting", false, win::SPI_SETWORKAREA, "DejaVu Sans", -13}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.What);
    {
      NonClientFontOverride before(&win::NONCLIENTMETRICS::lfMenuFont, "DejaVu Sans", -13);
      if (r.OwnFont) {
        manager_->SetFont(&own);
      } else {
        manager_->SetUseSystemFont(false);
        manager_->SetUseSystemFont(true);
      }
      NonClientFontOverride after(&win::NONCLIENTMETRICS::lfMenuFont, "Liberation Sans", -19);
      Send(win::WM_SETTINGCHANGE, r.Setting, 0);
      EXPECT_EQ(manager_->Font()->Name(), r.Name);
      EXPECT_EQ(manager_->Font()->Height(), r.Height);
    }
  }
}

// The owner window going away with its form writes the layout, registry
// first, through the savers installed by the layout unit; a window
// re-created for a living form writes nothing.
TEST_F(OwnerMessagesTest, TheLayoutIsWrittenWhenTheOwnerWindowGoesAway) {
  static TLog* saves = nullptr;
  TLog written;
  saves = &written;
  TdxBarManagerSlots& slots = dxBarManagerSlots();
  const TdxBarManagerSlots saved = slots;
  slots.SaveToRegistry = [](TdxBarManager*, const std::string& APath) { saves->push_back("registry " + APath); };
  slots.SaveToIniFile = [](TdxBarManager*, const std::string& AFile) { saves->push_back("ini " + AFile); };
  struct Row {
    bool Registry, IniFile;
    TLog Expected;
  };
  const Row rows[] = {{true, true, {"registry \\Software\\Duplexion\\Bars\\", "ini bars.ini"}},
                      {false, true, {"ini bars.ini"}},
                      {false, false, {}}};
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.Registry) + std::to_string(r.IniFile));
    auto owner = std::make_unique<TForm>(nullptr);
    owner->HandleNeeded();
    auto* m = new TdxBarManager(owner.get());  // the form owns it
    m->SetRegistryPath("\\Software\\Duplexion\\Bars\\");
    m->SetStoreInRegistry(r.Registry);
    m->SetIniFileName("bars.ini");
    m->SetStoreInIniFile(r.IniFile);
    written.clear();
    owner->RecreateWnd();
    owner->HandleNeeded();
    EXPECT_TRUE(written.empty());
    owner.reset();
    EXPECT_EQ(written, r.Expected);
  }
  slots = saved;
  saves = nullptr;
}

// Activation going to the Customize dialog keeps the floating bars of the
// customized form; going to another form hides them.
TEST_F(OwnerMessagesTest, ActivationGoingToTheCustomizeDialogKeepsTheFloatingBars) {
  TForm* dialog = MakeForm({600, 100, 800, 300});
  dialog->HandleNeeded();
  TFakeCustomizing customizing(dialog->Handle(), manager_, log_);
  manager_->SetHideFloatingBarsWhenInactive(true);
  for (bool customizingNow : {true, false}) {
    SCOPED_TRACE(customizingNow);
    manager_->SetCustomizingFlag(customizingNow);
    Send(win::WM_ACTIVATE, win::WA_ACTIVE, 0);
    log_.clear();
    Send(win::WM_ACTIVATE, win::WA_INACTIVE, win::LPARAM(dialog->Handle()));
    EXPECT_EQ(log_, customizingNow ? TLog{} : TLog{"float hide"});
  }
  manager_->SetCustomizingFlag(false);
}

}  // namespace
}  // namespace bartest
