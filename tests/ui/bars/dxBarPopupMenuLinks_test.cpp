// Popup-menu links: a control's context-menu requests (mouse and keyboard)
// become the linked menu, children of the control count only with
// ProcessChildren, OnAction may move or refuse the menu, shortcuts walk the
// links of the control, of the controls around it and of the parent
// manager; links copy by names, stream with the manager, and give controls
// their window procedure back.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/classes/filer.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/stdctrls.h"
#include "tests/platform/vcl/controls_test.h"
#include "ui/bars/dxBar.h"

namespace {

// A menu that records where it was asked to pop up and which shortcuts it
// was asked to execute; it executes Accepted only.
class TRecordingMenu : public TdxBarPopupMenu {
public:
  explicit TRecordingMenu(TComponent* AOwner) : TdxBarPopupMenu(AOwner) {}
  void Popup(int32_t X, int32_t Y) override { Shown.push_back({X, Y}); }
  bool ExecuteShortCut(TShortCut AShortCut) override {
    Asked.push_back(AShortCut);
    return AShortCut == Accepted;
  }
  std::vector<TPoint> Shown;
  std::vector<TShortCut> Asked;
  TShortCut Accepted = 0;
};

constexpr TShortCut kCtrlK = scCtrl | 'K';

// A shown form (100, 100)-(500, 400) with a manager, a menu, and a panel at
// (20, 20) holding a label at (10, 10) and an edit at (60, 10).
class PopupMenuLinksTest : public vcltest::VclTest {
protected:
  void SetUp() override {
    VclTest::SetUp();
    form_ = MakeForm({100, 100, 500, 400});
    form_->SetName("Form1");
    manager_ = new TdxBarManager(form_);
    menu_ = new TRecordingMenu(form_);
    menu_->SetName("Menu1");
    menu_->SetBarManager(manager_);
    panel_ = Add<TPanel>(form_, {20, 20, 220, 120});
    panel_->SetName("Panel1");
    label_ = new TLabel(form_);
    label_->SetParent(panel_);
    label_->SetAutoSize(false);
    label_->SetBounds(10, 10, 40, 20);
    label_->SetCaption("Label");
    edit_ = Add<TEdit>(panel_, {60, 10, 160, 30});
    form_->Show();
    Pump();
  }
  TdxBarPopupMenuLink* Link(TControl* AControl, bool AProcessChildren = true) {
    TdxBarPopupMenuLink* link = manager_->PopupMenuLinks()->Add();
    link->SetControl(AControl);
    link->SetPopupMenu(menu_);
    link->SetProcessChildren(AProcessChildren);
    return link;
  }
  void RightClick(TControl* c, int x, int y) {
    Click(c, x, y, 1);
    Pump();
  }
  void Click(TControl* c, int x, int y, int button) {
    TPoint p = At(c, x, y);
    backend_->Click(p.X, p.Y, button);
  }

  TForm* form_ = nullptr;
  TdxBarManager* manager_ = nullptr;
  TRecordingMenu* menu_ = nullptr;
  TPanel* panel_ = nullptr;
  TLabel* label_ = nullptr;
  TEdit* edit_ = nullptr;
};

TEST_F(PopupMenuLinksTest, ARightClickOnAChildShowsTheMenuOnlyWithProcessChildren) {
  struct Case {
    bool processChildren;
    TControl* target;
    bool shows;
  };
  for (const Case& c : {Case{true, label_, true}, Case{false, label_, false}, Case{true, panel_, true},
                        Case{false, panel_, true}}) {
    TdxBarPopupMenuLink* link = Link(panel_, c.processChildren);
    int ownHandler = 0;
    panel_->OnContextPopup = [&](TObject*, TPoint, bool&) { ++ownHandler; };
    menu_->Shown.clear();
    // The label covers (30, 30)-(70, 50) of the form; (150, 80) is bare panel.
    const TPoint local = c.target == label_ ? TPoint{5, 5} : TPoint{150, 80};
    RightClick(c.target, local.X, local.Y);
    SCOPED_TRACE(std::to_string(c.processChildren) + (c.target == label_ ? " label" : " panel"));
    if (c.shows) {
      ASSERT_EQ(menu_->Shown.size(), 1u);
      EXPECT_EQ(menu_->Shown[0], At(c.target, local.X, local.Y));
    } else {
      EXPECT_TRUE(menu_->Shown.empty());
    }
    // The panel's own handler ran first and is its handler again afterwards.
    EXPECT_EQ(ownHandler, 1);
    bool handled = false;
    panel_->OnContextPopup(panel_, {0, 0}, handled);
    EXPECT_EQ(ownHandler, 2);
    delete link;
  }
}

TEST_F(PopupMenuLinksTest, TheMenuKeyAsksWithoutMouseAndOnActionMayMoveOrRefuse) {
  TdxBarPopupMenuLink* link = Link(panel_);
  struct Seen {
    int32_t x, y;
    bool byMouse;
  };
  std::vector<Seen> seen;
  bool allow = true;
  link->OnAction = [&](TdxBarPopupMenuLink* Sender, int32_t& X, int32_t& Y, bool ByMouse, bool& Allow) {
    EXPECT_EQ(Sender, link);
    EXPECT_TRUE(Allow);  // a menu is linked
    seen.push_back({X, Y, ByMouse});
    X = 7;
    Y = 9;
    Allow = allow;
  };
  // What the platform sends for the menu key or Shift+F10.
  win::SendMessage(panel_->Handle(), win::WM_CONTEXTMENU, reinterpret_cast<win::WPARAM>(panel_->Handle()),
                   win::MAKELPARAM(-1, -1));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].x, -1);
  EXPECT_EQ(seen[0].y, -1);
  EXPECT_FALSE(seen[0].byMouse);
  ASSERT_EQ(menu_->Shown.size(), 1u);
  EXPECT_EQ(menu_->Shown[0], panel_->ClientToScreen({7, 9}));

  RightClick(panel_, 150, 80);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_TRUE(seen[1].byMouse);
  EXPECT_EQ(seen[1].x, 150);

  allow = false;
  menu_->Shown.clear();
  RightClick(panel_, 150, 80);
  EXPECT_TRUE(menu_->Shown.empty());
  menu_->Accepted = kCtrlK;
  EXPECT_FALSE(link->IsShortCut(kCtrlK));
  EXPECT_TRUE(menu_->Asked.empty());
  allow = true;
  EXPECT_TRUE(link->IsShortCut(kCtrlK));
  EXPECT_FALSE(seen.back().byMouse);
  EXPECT_EQ(seen.back().x, -1);
  EXPECT_FALSE(link->IsShortCut(scCtrl | 'J'));
}

TEST_F(PopupMenuLinksTest, ShortCutsWalkTheControlItsHoldersAndTheParentManager) {
  menu_->Accepted = kCtrlK;
  TdxBarPopupMenuLinks* links = manager_->PopupMenuLinks();
  TdxBarPopupMenuLink* panelLink = Link(panel_, false);
  EXPECT_TRUE(links->ProcessShortCut(panel_, kCtrlK));
  // The edit lies in the panel, whose link does not process children.
  EXPECT_FALSE(links->ProcessShortCut(edit_, kCtrlK));
  panelLink->SetProcessChildren(true);
  EXPECT_TRUE(links->ProcessShortCut(edit_, kCtrlK));
  EXPECT_FALSE(links->ProcessShortCut(edit_, scCtrl | 'J'));
  EXPECT_FALSE(links->ProcessShortCut(form_, kCtrlK));

  // A manager of a panel asks the form's manager when its own links fail.
  auto* inner = Add<TPanel>(form_, {240, 20, 380, 120});
  inner->HandleNeeded();
  auto* child = new TdxBarManager(inner);
  EXPECT_TRUE(child->PopupMenuLinks()->ProcessShortCut(panel_, kCtrlK));
  EXPECT_FALSE(child->PopupMenuLinks()->ProcessShortCut(inner, kCtrlK));
  // The form's manager has no parent: the walk ends.
  EXPECT_FALSE(links->ProcessShortCut(inner, kCtrlK));
  delete child;
}

TEST_F(PopupMenuLinksTest, ControlsOutsideTheOwnerAreRefusedAndControlsGetTheirProcedureBack) {
  TForm* other = MakeForm({600, 100, 700, 200});
  auto* outside = Add<TPanel>(other, {0, 0, 50, 50});
  TdxBarPopupMenuLink* link = Link(outside);
  EXPECT_EQ(link->Control(), nullptr);
  link->SetControl(label_);
  EXPECT_EQ(link->Control(), label_);
  EXPECT_EQ(link->GetWindowedControl(), nullptr);
  link->SetControl(panel_);
  EXPECT_EQ(link->GetWindowedControl(), panel_);
  EXPECT_EQ(link->GetBarManager(), manager_);

  link->SetControl(nullptr);
  RightClick(panel_, 150, 80);
  EXPECT_TRUE(menu_->Shown.empty());

  // A freed link lets go of the control; a freed control leaves the link.
  link->SetControl(panel_);
  delete link;
  RightClick(panel_, 150, 80);
  EXPECT_TRUE(menu_->Shown.empty());
  link = Link(edit_);
  delete edit_;
  EXPECT_EQ(link->Control(), nullptr);
  delete menu_;
  EXPECT_EQ(link->PopupMenu(), nullptr);
  EXPECT_FALSE(link->IsShortCut(kCtrlK));
}

TEST_F(PopupMenuLinksTest, AssignFindsTheComponentsOfTheSameNamesInItsOwnForm) {
  TForm* copyForm = MakeForm({600, 100, 900, 300});
  auto* copyManager = new TdxBarManager(copyForm);
  auto* copyPanel = Add<TPanel>(copyForm, {0, 0, 50, 50});
  copyPanel->SetName("Panel1");
  auto* copyMenu = new TRecordingMenu(copyForm);
  copyMenu->SetName("Menu1");
  TdxBarPopupMenuLink* source = Link(panel_, false);
  TdxBarPopupMenuLink* target = copyManager->PopupMenuLinks()->Add();
  target->Assign(source);
  EXPECT_EQ(target->Control(), copyPanel);
  EXPECT_EQ(target->PopupMenu(), copyMenu);
  EXPECT_FALSE(target->ProcessChildren());

  // A name held by a component of another class.
  copyMenu->SetName("Spare");
  auto* impostor = Add<TPanel>(copyForm, {60, 0, 90, 50});
  impostor->SetName("Menu1");
  EXPECT_THROW(target->Assign(source), EInvalidCast);
  // Names that are not found, and a source without references.
  impostor->SetName("Other");
  target->Assign(source);
  EXPECT_EQ(target->PopupMenu(), nullptr);
  TdxBarPopupMenuLink* empty = copyManager->PopupMenuLinks()->Add();
  target->Assign(empty);
  EXPECT_EQ(target->Control(), nullptr);
  EXPECT_TRUE(target->ProcessChildren());
}

TEST_F(PopupMenuLinksTest, LinksStreamWithTheManager) {
  TForm* f = MakeForm({600, 100, 900, 300});
  auto* panel = Add<TPanel>(f, {0, 0, 100, 100});
  panel->SetName("Panel1");
  auto* menu = new TRecordingMenu(f);
  menu->SetName("Menu1");
  TStringStream in(
      "object Form2: TForm\n"
      "  object M2: TdxBarManager\n"
      "    PopupMenuLinks = <\n"
      "      item\n"
      "        Control = Panel1\n"
      "        PopupMenu = Menu1\n"
      "        ProcessChildren = False\n"
      "      end\n"
      "      item\n"
      "      end>\n"
      "  end\n"
      "end\n");
  ReadComponent(in, f);
  auto* read = dynamic_cast<TdxBarManager*>(f->FindComponent("M2"));
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(read->PopupMenuLinks()->Count(), 2);
  TdxBarPopupMenuLink* link = read->PopupMenuLinks()->GetItem(0);
  EXPECT_EQ(link->Control(), panel);
  EXPECT_EQ(link->PopupMenu(), menu);
  EXPECT_FALSE(link->ProcessChildren());
  EXPECT_EQ(read->PopupMenuLinks()->GetItem(1)->Control(), nullptr);
  EXPECT_TRUE(read->PopupMenuLinks()->GetItem(1)->ProcessChildren());

  f->Show();
  Pump();
  RightClick(panel, 50, 50);
  EXPECT_EQ(menu->Shown.size(), 1u);

  TStringStream out;
  WriteComponent(out, read);
  const std::string text = out.DataString();
  EXPECT_NE(text.find("PopupMenuLinks = <"), std::string::npos) << text;
  EXPECT_NE(text.find("      ProcessChildren = False\n    end\n    item\n    end>"), std::string::npos) << text;
}

}  // namespace
