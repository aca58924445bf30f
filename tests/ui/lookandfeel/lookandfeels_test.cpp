// Look-and-feel settings: own and inherited values, notices to listeners,
// the controller on the root, form streaming and system colour changes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/filer.h"
#include "platform/classes/typinfo.h"
#include "platform/gdi/syscolors.h"
#include "platform/win/winuser.h"
#include "ui/lookandfeel/cxLookAndFeelStartup.h"
#include "ui/lookandfeel/cxLookAndFeels.h"
#include "ui/lookandfeel/dxCore.h"
#include "ui/lookandfeel/dxOffice11.h"

namespace {

// Records what a look-and-feel tells it; may act from inside a notice.
class Listener : public TObject, public IcxLookAndFeelChangeListener {
public:
  std::vector<TcxLookAndFeelValues> changes;
  int destroying = 0;
  std::function<void(Listener*)> onChanged;

  TObject* GetListenerObject() override { return this; }
  void MasterChanged(TcxLookAndFeel*, TcxLookAndFeelValues values) override {
    changes.push_back(values);
    if (onChanged) onChanged(this);
  }
  void MasterDestroying(TcxLookAndFeel*) override { ++destroying; }
};

// Leaves the root as the program has it whatever a test did to it.
class LookAndFeel : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_NE(GetRootLookAndFeel(), nullptr); }
  void TearDown() override { GetRootLookAndFeel()->Reset(); }
  TcxLookAndFeel* Root() { return GetRootLookAndFeel(); }
};

TEST_F(LookAndFeel, NewObjectInheritsTheRootDefaults) {
  TcxLookAndFeel lf(nullptr);
  EXPECT_EQ(lf.Kind(), lfUltraFlat);
  EXPECT_FALSE(lf.NativeStyle());
  EXPECT_EQ(lf.SkinName(), "");
  EXPECT_TRUE(lf.AssignedValues().Empty());
  EXPECT_EQ(lf.GetPainter(), TcxUltraFlatLookAndFeelPainter::Class());
  EXPECT_EQ(lf.ParentLookAndFeel(), nullptr);
}

TEST_F(LookAndFeel, KindChoosesItsPainterAndNativeStyleNeverTheNativeOne) {
  struct Case {
    TcxLookAndFeelKind kind;
    TcxLookAndFeelPainterClass painter;
  } cases[] = {{lfFlat, TcxFlatLookAndFeelPainter::Class()},
               {lfStandard, TcxStandardLookAndFeelPainter::Class()},
               {lfUltraFlat, TcxUltraFlatLookAndFeelPainter::Class()},
               {lfOffice11, TcxOffice11LookAndFeelPainter::Class()}};
  for (const Case& c : cases) {
    TcxLookAndFeel lf(nullptr);
    lf.SetKind(c.kind);
    EXPECT_EQ(lf.GetPainter(), c.painter) << int(c.kind);
    lf.SetNativeStyle(true);
    // No visual styles here: the Kind's painter stays, for every themed type too.
    EXPECT_EQ(lf.GetPainter(), c.painter) << int(c.kind);
    EXPECT_EQ(lf.GetPainterClassForType(totScrollBar), c.painter) << int(c.kind);
    EXPECT_EQ(lf.GetPainterClass(ThemedTypes({totButton, totHeader})), c.painter) << int(c.kind);
  }
}

TEST_F(LookAndFeel, SetStyleFollowsTheStyleTable) {
  const TcxLookAndFeelValues both{lfvKind, lfvNativeStyle};
  struct Case {
    uint8_t style;
    TcxLookAndFeelKind kind;
    bool native;
    TcxLookAndFeelValues assigned;
  } cases[] = {
      {0, lfFlat, false, both},
      {1, lfStandard, false, both},
      {2, lfUltraFlat, false, both},
      {3, lfStandard, true, both},  // native: the Kind set before stays
      {4, lfOffice11, false, both},
      {5, lfStandard, false, both},  // no such style: NativeStyle cleared, Kind kept
      {255, lfStandard, false, both},
  };
  for (const Case& c : cases) {
    TcxLookAndFeel lf(nullptr);
    lf.SetKind(lfStandard);
    lf.SetNativeStyle(c.style != 3);  // so that each case changes NativeStyle
    lf.SetStyle(c.style);
    EXPECT_EQ(lf.Kind(), c.kind) << int(c.style);
    EXPECT_EQ(lf.NativeStyle(), c.native) << int(c.style);
    EXPECT_EQ(lf.AssignedValues(), c.assigned) << int(c.style);
  }
  TcxLookAndFeel fresh(nullptr);
  fresh.SetStyle(3);
  EXPECT_EQ(fresh.AssignedValues(), TcxLookAndFeelValues{lfvNativeStyle});
  EXPECT_EQ(fresh.Kind(), lfUltraFlat);
  EXPECT_EQ(fresh.GetPainter(), TcxUltraFlatLookAndFeelPainter::Class());
  fresh.SetStyle(4);
  EXPECT_EQ(fresh.GetPainter(), TcxOffice11LookAndFeelPainter::Class());
}

TEST_F(LookAndFeel, AssigningTheInheritedKindDetachesTheChildSilently) {
  TcxLookAndFeel fixed(nullptr), free(nullptr);
  Listener onFixed, onFree;
  fixed.AddChangeListener(&onFixed);
  free.AddChangeListener(&onFree);

  fixed.SetKind(lfUltraFlat);  // what it inherits already
  EXPECT_EQ(fixed.AssignedValues(), TcxLookAndFeelValues{lfvKind});
  EXPECT_TRUE(onFixed.changes.empty());

  Root()->SetKind(lfFlat);
  EXPECT_EQ(fixed.Kind(), lfUltraFlat);
  EXPECT_TRUE(onFixed.changes.empty());
  EXPECT_EQ(free.Kind(), lfFlat);
  EXPECT_EQ(free.GetPainter(), TcxFlatLookAndFeelPainter::Class());
  ASSERT_EQ(onFree.changes.size(), 1u);
  EXPECT_EQ(onFree.changes[0], TcxLookAndFeelValues{lfvKind});

  // A change of a value the child does not set still reaches it, without the set one.
  Root()->SetAssignedValues({});
  onFixed.changes.clear();
  Root()->SetNativeStyle(true);
  ASSERT_EQ(onFixed.changes.size(), 1u);
  EXPECT_EQ(onFixed.changes[0], TcxLookAndFeelValues{lfvNativeStyle});
  EXPECT_TRUE(fixed.NativeStyle());
  fixed.RemoveChangeListener(&onFixed);
  free.RemoveChangeListener(&onFree);
}

TEST_F(LookAndFeel, ChangedValuesAndOnChangedOfEachWriter) {
  TcxLookAndFeel lf(nullptr);
  std::vector<TcxLookAndFeelValues> seen;
  lf.OnChanged = [&](TcxLookAndFeel* sender, TcxLookAndFeelValues values) {
    EXPECT_EQ(sender, &lf);
    seen.push_back(values);
  };
  lf.SetKind(lfOffice11);
  lf.SetKind(lfOffice11);  // unchanged: no notice
  lf.SetNativeStyle(true);
  lf.SetSkinName("Blue");
  lf.SetSkinName("Blue");
  lf.SetAssignedValues({lfvKind});  // NativeStyle and SkinName fall back
  lf.SetAssignedValues({lfvKind});
  lf.Reset();
  const std::vector<TcxLookAndFeelValues> want = {
      {lfvKind}, {lfvNativeStyle}, {lfvSkinName}, {lfvNativeStyle, lfvSkinName}, {lfvKind}};
  EXPECT_EQ(seen, want);
  EXPECT_EQ(lf.Kind(), lfUltraFlat);
  EXPECT_EQ(lf.SkinName(), "");
}

TEST_F(LookAndFeel, ListenerWalkSurvivesListenersLeavingDuringANotice) {
  TcxLookAndFeel lf(nullptr);
  Listener a, b, c;
  a.onChanged = [&](Listener* self) { lf.RemoveChangeListener(self); };
  for (Listener* l : {&a, &b, &c}) lf.AddChangeListener(l);
  lf.AddChangeListener(&b);  // duplicates are ignored
  EXPECT_EQ(lf.ChangeListenerCount(), 3);
  lf.SetKind(lfFlat);
  EXPECT_EQ(a.changes.size(), 1u);
  EXPECT_EQ(b.changes.size(), 1u);
  EXPECT_EQ(c.changes.size(), 1u);
  EXPECT_EQ(lf.ChangeListenerCount(), 2);

  // One listener frees itself, the next frees another that follows it.
  auto* doomed = new Listener;
  auto* victim = new Listener;
  Listener last;
  doomed->onChanged = [&](Listener* self) {
    lf.RemoveChangeListener(self);
    delete self;
  };
  b.onChanged = [&](Listener*) {
    if (victim) {
      lf.RemoveChangeListener(victim);
      delete victim;
      victim = nullptr;
    }
  };
  lf.RemoveChangeListener(&c);
  for (Listener* l : {doomed, &b, victim, &last}) lf.AddChangeListener(l);
  lf.SetKind(lfStandard);
  EXPECT_EQ(b.changes.size(), 2u);
  EXPECT_EQ(last.changes.size(), 1u);
  EXPECT_EQ(lf.ChangeListenerCount(), 2);
  lf.RemoveChangeListener(&b);
  lf.RemoveChangeListener(&last);
}

TEST_F(LookAndFeel, AListenerMayFreeTheLookAndFeelItHears) {
  auto* lf = new TcxLookAndFeel(nullptr);
  Listener first, second;
  bool onChangedCalled = false;
  first.onChanged = [&](Listener*) {
    delete lf;
    lf = nullptr;
  };
  lf->AddChangeListener(&first);
  lf->AddChangeListener(&second);
  lf->OnChanged = [&](TcxLookAndFeel*, TcxLookAndFeelValues) { onChangedCalled = true; };
  lf->SetKind(lfFlat);
  EXPECT_EQ(lf, nullptr);
  EXPECT_EQ(second.destroying, 1);  // told by the destructor, not by the stopped walk
  EXPECT_TRUE(second.changes.empty());
  EXPECT_FALSE(onChangedCalled);
}

TEST_F(LookAndFeel, ObjectsWithoutTheInterfaceAreIgnored) {
  TcxLookAndFeel lf(nullptr);
  TObject plain;
  lf.AddChangeListener(&plain);
  lf.AddChangeListener(nullptr);
  EXPECT_EQ(lf.ChangeListenerCount(), 0);
  lf.RemoveChangeListener(&plain);
  lf.SetKind(lfFlat);
}

TEST_F(LookAndFeel, DestroyingAParentMovesItsChildrenToTheRoot) {
  const int rootListeners = Root()->ChangeListenerCount();
  auto parent = std::make_unique<TcxLookAndFeel>(nullptr);
  parent->SetKind(lfStandard);
  TcxLookAndFeel child(nullptr), grandChild(nullptr);
  child.SetParentLookAndFeel(parent.get());
  grandChild.SetParentLookAndFeel(&child);
  EXPECT_EQ(Root()->ChangeListenerCount(), rootListeners + 1);  // the parent only
  EXPECT_EQ(grandChild.Kind(), lfStandard);
  Listener onChild, onGrandChild;
  child.AddChangeListener(&onChild);
  grandChild.AddChangeListener(&onGrandChild);

  parent.reset();
  EXPECT_EQ(child.ParentLookAndFeel(), nullptr);
  EXPECT_EQ(child.Kind(), lfUltraFlat);
  EXPECT_EQ(grandChild.Kind(), lfUltraFlat);
  EXPECT_EQ(grandChild.GetPainter(), TcxUltraFlatLookAndFeelPainter::Class());
  ASSERT_EQ(onChild.changes.size(), 1u);
  EXPECT_EQ(onChild.changes[0], TcxLookAndFeelValues{lfvKind});
  ASSERT_EQ(onGrandChild.changes.size(), 1u);
  EXPECT_EQ(onGrandChild.destroying, 0);

  // Now registered with the root.
  EXPECT_EQ(Root()->ChangeListenerCount(), rootListeners + 1);
  Root()->SetKind(lfOffice11);
  EXPECT_EQ(grandChild.Kind(), lfOffice11);
  child.RemoveChangeListener(&onChild);
  grandChild.RemoveChangeListener(&onGrandChild);
}

TEST_F(LookAndFeel, AParentThatWouldCloseACycleIsRefused) {
  TcxLookAndFeel a(nullptr), b(nullptr), c(nullptr);
  b.SetParentLookAndFeel(&a);
  c.SetParentLookAndFeel(&b);
  a.SetKind(lfFlat);
  EXPECT_THROW(a.SetParentLookAndFeel(&c), EdxException);
  EXPECT_THROW(a.SetParentLookAndFeel(&b), EdxException);
  EXPECT_EQ(a.ParentLookAndFeel(), nullptr);
  a.SetParentLookAndFeel(&a);  // itself: ignored without a word
  EXPECT_EQ(a.ParentLookAndFeel(), nullptr);
  Root()->SetParentLookAndFeel(&a);  // the root has no parent
  EXPECT_EQ(Root()->ParentLookAndFeel(), nullptr);

  // Assign refuses before changing anything.
  TcxLookAndFeel source(nullptr);
  source.SetParentLookAndFeel(&c);
  source.SetKind(lfOffice11);
  EXPECT_THROW(a.Assign(&source), EdxException);
  EXPECT_EQ(a.Kind(), lfFlat);
  EXPECT_EQ(a.AssignedValues(), TcxLookAndFeelValues{lfvKind});
  EXPECT_EQ(c.Kind(), lfFlat);  // and the values still resolve
}

TEST_F(LookAndFeel, AssignCopiesOwnValuesAndParent) {
  TcxLookAndFeel parent(nullptr), source(nullptr), target(nullptr);
  parent.SetNativeStyle(true);
  source.SetParentLookAndFeel(&parent);
  source.SetKind(lfOffice11);
  std::vector<TcxLookAndFeelValues> seen;
  target.OnChanged = [&](TcxLookAndFeel*, TcxLookAndFeelValues v) { seen.push_back(v); };
  target.Assign(&source);
  EXPECT_EQ(target.ParentLookAndFeel(), &parent);
  EXPECT_EQ(target.AssignedValues(), TcxLookAndFeelValues{lfvKind});
  EXPECT_EQ(target.Kind(), lfOffice11);
  EXPECT_TRUE(target.NativeStyle());
  EXPECT_EQ(seen, (std::vector<TcxLookAndFeelValues>{{lfvKind, lfvNativeStyle}}));
  EXPECT_EQ(target.GetPainter(), TcxOffice11LookAndFeelPainter::Class());
}

TEST_F(LookAndFeel, ControllersAreHeardOnlyByTheRootAndTheLastResetsIt) {
  TcxLookAndFeel lf(nullptr);
  Listener onRoot;
  Root()->AddChangeListener(&onRoot);
  auto first = std::make_unique<TcxLookAndFeelController>(nullptr);
  auto second = std::make_unique<TcxLookAndFeelController>(nullptr);
  EXPECT_EQ(cxLookAndFeelControllerCount(), 2);
  lf.AddChangeListener(first.get());
  EXPECT_EQ(lf.ChangeListenerCount(), 0);

  first->SetKind(lfOffice11);
  second->SetSkinName("Blue");
  EXPECT_EQ(Root()->AssignedValues(), (TcxLookAndFeelValues{lfvKind, lfvSkinName}));
  EXPECT_EQ(second->Kind(), lfOffice11);
  EXPECT_EQ(first->SkinName(), "Blue");
  EXPECT_EQ(lf.Kind(), lfOffice11);
  EXPECT_EQ(lf.GetPainter(), TcxOffice11LookAndFeelPainter::Class());

  first.reset();
  EXPECT_EQ(Root()->Kind(), lfOffice11);
  onRoot.changes.clear();
  second.reset();
  EXPECT_EQ(cxLookAndFeelControllerCount(), 0);
  EXPECT_TRUE(Root()->AssignedValues().Empty());
  EXPECT_EQ(lf.Kind(), lfUltraFlat);
  EXPECT_EQ(lf.SkinName(), "");
  EXPECT_EQ(onRoot.changes, (std::vector<TcxLookAndFeelValues>{{lfvKind, lfvSkinName}}));
  Root()->RemoveChangeListener(&onRoot);
}

TEST_F(LookAndFeel, SkinNamesFindRegisteredPaintersIgnoringCase) {
  TcxExtendedStylePainters* registry = ExtendedStylePainters();
  ASSERT_NE(registry, nullptr);
  auto* item = new TcxExtendedStylePainter("Blue", TcxStandardLookAndFeelPainter::Class());
  registry->Add(item);
  {
    TcxLookAndFeel lf(nullptr);
    lf.SetSkinName("bLUE");
    EXPECT_EQ(lf.SkinPainter(), TcxStandardLookAndFeelPainter::Class());
    EXPECT_EQ(lf.GetPainter(), TcxStandardLookAndFeelPainter::Class());
    EXPECT_EQ(registry->Listeners(), std::vector<IcxSkinPainterListener*>{&lf});

    lf.SetNativeStyle(true);  // native drawing takes no skin
    EXPECT_EQ(lf.SkinPainter(), nullptr);
    EXPECT_EQ(lf.GetPainter(), TcxUltraFlatLookAndFeelPainter::Class());
    EXPECT_TRUE(registry->Listeners().empty());

    lf.SetNativeStyle(false);
    cxSetSkinsEnabled(false);
    lf.SkinPaintersChanged();
    EXPECT_EQ(lf.SkinPainter(), nullptr);
    cxSetSkinsEnabled(true);
    lf.SkinPaintersChanged();
    EXPECT_EQ(lf.SkinPainter(), TcxStandardLookAndFeelPainter::Class());

    // A child without a skin name of its own takes the parent's.
    TcxLookAndFeel child(nullptr);
    child.SetParentLookAndFeel(&lf);
    EXPECT_EQ(child.SkinPainter(), TcxStandardLookAndFeelPainter::Class());
    lf.SetSkinName("Green");
    EXPECT_EQ(child.SkinPainter(), nullptr);
    EXPECT_EQ(child.GetPainter(), TcxUltraFlatLookAndFeelPainter::Class());
  }
  EXPECT_TRUE(registry->Listeners().empty());
  registry->Remove(item);
  delete item;
}

// A component with a look-and-feel, as a control of the library has one.
class LookAndFeelHost : public TComponent {
  DX_COMPONENT_CLASS(LookAndFeelHost, TComponent)
public:
  explicit LookAndFeelHost(TComponent* owner) : TComponent(owner), lookAndFeel_(this) {}
  TcxLookAndFeel* LookAndFeel() { return &lookAndFeel_; }

private:
  TcxLookAndFeel lookAndFeel_;
};

void PublishHost() {
  static bool done = false;
  if (done) return;
  done = true;
  Published<LookAndFeelHost>().Obj("LookAndFeel", &LookAndFeelHost::LookAndFeel, nullptr);
  RegisterClass(LookAndFeelHost::StaticClass());
}

TEST_F(LookAndFeel, FormDescriptionsKeepWhatIsAssigned) {
  PublishHost();
  struct Case {
    const char* name;
    std::function<void(TcxLookAndFeel&)> set;
    std::vector<std::string> lines, absent;
  } cases[] = {
      {"nothing assigned", [](TcxLookAndFeel&) {}, {}, {"LookAndFeel."}},
      {"empty skin name", [](TcxLookAndFeel& l) { l.SetSkinName(""); }, {"LookAndFeel.SkinName = ''"}, {"Kind"}},
      {"inherited kind set explicitly",
       [](TcxLookAndFeel& l) {
         l.SetKind(lfUltraFlat);
         l.SetNativeStyle(false);
       },
       {"LookAndFeel.Kind = lfUltraFlat", "LookAndFeel.NativeStyle = False"},
       {"SkinName", "AssignedValues"}},
      {"skin name", [](TcxLookAndFeel& l) { l.SetSkinName("Blue"); }, {"LookAndFeel.SkinName = 'Blue'"}, {"Kind"}},
  };
  for (const Case& c : cases) {
    LookAndFeelHost host(nullptr);
    host.SetName("Host");
    c.set(*host.LookAndFeel());
    const std::string text = WriteComponentText(&host);
    for (const std::string& line : c.lines) EXPECT_NE(text.find(line), std::string::npos) << c.name << "\n" << text;
    for (const std::string& word : c.absent) EXPECT_EQ(text.find(word), std::string::npos) << c.name << "\n" << text;

    LookAndFeelHost read(nullptr);
    ReadComponentText(text, &read);
    const TcxLookAndFeel& l = *read.LookAndFeel();
    EXPECT_EQ(l.AssignedValues(), host.LookAndFeel()->AssignedValues()) << c.name;
    EXPECT_EQ(l.Kind(), host.LookAndFeel()->Kind()) << c.name;
    EXPECT_EQ(l.NativeStyle(), host.LookAndFeel()->NativeStyle()) << c.name;
    EXPECT_EQ(l.SkinName(), host.LookAndFeel()->SkinName()) << c.name;
  }
}

TEST_F(LookAndFeel, ControllerStoresTheRootValues) {
  TcxLookAndFeelController controller(nullptr);
  controller.SetName("Controller");
  EXPECT_EQ(WriteComponentText(&controller).find("Kind"), std::string::npos);
  controller.SetKind(lfStandard);
  controller.SetNativeStyle(true);
  const std::string text = WriteComponentText(&controller);
  EXPECT_NE(text.find("Kind = lfStandard"), std::string::npos) << text;
  EXPECT_NE(text.find("NativeStyle = True"), std::string::npos) << text;
  Root()->Reset();
  TcxLookAndFeelController read(nullptr);
  ReadComponentText(text, &read);
  EXPECT_EQ(Root()->Kind(), lfStandard);
  EXPECT_TRUE(Root()->NativeStyle());
}

// ---------------------------------------------------------------- system colour changes

// a * b / c rounded, halves away from zero.
int32_t Md(int32_t a, int32_t b, int32_t c) { return int32_t(std::lround(double(a) * b / c)); }

// The gradient start of the Office 2003 colours without a scheme: 22 % face, 78 % window.
TColor GradientStartFrom(uint8_t r, uint8_t g, uint8_t b) {
  auto mix = [](int32_t face, int32_t window) { return uint8_t(Md(face, 22, 100) + Md(window, 78, 100)); };
  return TColor(win::RGB(mix(r, 255), mix(g, 255), mix(b, 255)));
}

class SystemColours : public LookAndFeel {
protected:
  void TearDown() override {
    const int element = win::COLOR_BTNFACE;
    win::SetSysColors(1, &element, &face_);
    RefreshOffice11Colors();
    LookAndFeel::TearDown();
  }
  void SetFace(uint8_t r, uint8_t g, uint8_t b) {
    const int element = win::COLOR_BTNFACE;
    const win::COLORREF value = win::RGB(r, g, b);
    ASSERT_TRUE(win::SetSysColors(1, &element, &value));
  }

private:
  win::COLORREF face_ = win::GetSysColor(win::COLOR_BTNFACE);
};

TEST_F(SystemColours, ListenerWindowRefreshesOffice2003ColoursThenPrimaryThenOrdinaryLastFirst) {
  std::vector<std::string> order;
  TColor seenByFirstNotifier = clNone;
  TcxSystemPaletteChangedNotifier n1(false), p1(true), n2(false), p2(true);
  p2.OnSystemPaletteChanged = [&] {
    order.push_back("p2");
    seenByFirstNotifier = Office11GradientStartColor;
  };
  p1.OnSystemPaletteChanged = [&] { order.push_back("p1"); };
  n2.OnSystemPaletteChanged = [&] { order.push_back("n2"); };
  n1.OnSystemPaletteChanged = [&] { order.push_back("n1"); };
  TcxLookAndFeel lf(nullptr);
  std::vector<TcxLookAndFeelValues> lfChanges;
  lf.OnChanged = [&](TcxLookAndFeel*, TcxLookAndFeelValues v) { lfChanges.push_back(v); };

  ASSERT_NE(PaletteListener(), nullptr);
  const win::HWND wnd = PaletteListener()->WindowHandle();
  ASSERT_NE(wnd, nullptr);
  const TColor before = Office11GradientStartColor;
  SetFace(0x80, 0x40, 0x20);
  EXPECT_EQ(Office11GradientStartColor, before);  // nothing until the window hears of it
  win::SendMessage(wnd, win::WM_SYSCOLORCHANGE, 0, 0);

  EXPECT_EQ(order, (std::vector<std::string>{"p2", "p1", "n2", "n1"}));
  EXPECT_EQ(seenByFirstNotifier, GradientStartFrom(0x80, 0x40, 0x20));
  EXPECT_NE(seenByFirstNotifier, before);
  // Once through its own notifier and once more from the root, which hears its own.
  EXPECT_EQ(lfChanges, (std::vector<TcxLookAndFeelValues>{{lfvNativeStyle}, {lfvNativeStyle}}));
}

TEST_F(SystemColours, ANotifierFreedByAnotherIsNotCalled) {
  auto* first = new TcxSystemPaletteChangedNotifier(false);
  TcxSystemPaletteChangedNotifier second(false);
  bool firstCalled = false;
  first->OnSystemPaletteChanged = [&] { firstCalled = true; };
  second.OnSystemPaletteChanged = [&] {
    delete first;
    first = nullptr;
  };
  win::SendMessage(PaletteListener()->WindowHandle(), win::WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(first, nullptr);
  EXPECT_FALSE(firstCalled);
}

TEST_F(SystemColours, TheListenerLivesWhileNotifiersDo) {
  // The library's own notifiers hold it for the whole program; a new one shares it.
  TcxSystemPaletteChangedListener* shared = PaletteListener();
  ASSERT_NE(shared, nullptr);
  {
    TcxSystemPaletteChangedNotifier extra(true);
    EXPECT_EQ(PaletteListener(), shared);
    EXPECT_TRUE(extra.IsPrimary());
  }
  EXPECT_EQ(PaletteListener(), shared);
  // Other messages pass to the default procedure.
  EXPECT_EQ(win::SendMessage(shared->WindowHandle(), win::WM_NULL, 0, 0), 0);
}

// Shutting the library down is final for the process, so it runs in a child.
TEST(LookAndFeelShutdownDeathTest, RootAndPaletteListenerGoWithTheUnit) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        // A look-and-feel that outlives the root keeps working on its own.
        auto* survivor = new TcxLookAndFeel(nullptr);
        GetRootLookAndFeel()->SetKind(lfStandard);
        const bool followed = survivor->Kind() == lfStandard;
        cxStopLookAndFeel();
        const bool gone = GetRootLookAndFeel() == nullptr && GetClass("TcxLookAndFeelController") == nullptr;
        survivor->SetKind(lfFlat);
        const bool set = survivor->Kind() == lfFlat && survivor->GetPainter() == TcxFlatLookAndFeelPainter::Class();
        delete survivor;
        std::exit(followed && gone && set && PaletteListener() == nullptr ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
