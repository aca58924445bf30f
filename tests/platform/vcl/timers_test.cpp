// TTimer: ticks delivered by the message loop, stopping, errors in the
// handler, a timer freed by its own handler, timers read from a description.
#include "platform/vcl/timers.h"

#include "platform/classes/formres.h"
#include "platform/classes/typinfo.h"
#include "tests/platform/vcl/controls_test.h"

namespace vcltest {
namespace {

TEST_F(VclTest, ATimerFiresInTheMessageLoopAndStops) {
  TTimer a(nullptr);
  a.SetInterval(15);
  int ticksA = 0;
  a.OnTimer = [&](TObject* sender) {
    EXPECT_EQ(sender, &a);
    ++ticksA;
  };
  EXPECT_TRUE(a.Running());
  ASSERT_TRUE(PumpUntil([&] { return ticksA >= 3; }));
  a.SetEnabled(false);
  EXPECT_FALSE(a.Running());
  const int stoppedAt = ticksA;
  // Another timer beats several times; the stopped one stays silent.
  TTimer b(nullptr);
  b.SetInterval(15);
  int ticksB = 0;
  b.OnTimer = [&](TObject*) { ++ticksB; };
  ASSERT_TRUE(PumpUntil([&] { return ticksB >= 4; }));
  EXPECT_EQ(ticksA, stoppedAt);
  // Interval 0 stops without clearing Enabled; a new interval starts again.
  a.SetEnabled(true);
  a.SetInterval(0);
  EXPECT_TRUE(a.Enabled());
  EXPECT_FALSE(a.Running());
  a.SetInterval(15);
  ASSERT_TRUE(PumpUntil([&] { return ticksA >= stoppedAt + 2; }));
}

TEST_F(VclTest, AnExceptionInOnTimerIsReportedAndTheTimerGoesOn) {
  std::vector<std::string> boxes;
  win::SetMessageBoxHook([&](win::HWND, const std::string& text, const std::string&, win::UINT) {
    boxes.push_back(text);
    return win::IDOK;
  });
  TTimer t(nullptr);
  t.SetInterval(15);
  int ticks = 0;
  t.OnTimer = [&](TObject*) {
    if (++ticks == 1) throw EConvertError("bad tick");
  };
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  EXPECT_EQ(boxes, (std::vector<std::string>{"bad tick."}));
}

TEST_F(VclTest, ATimerFreedByItsOwnHandlerIsSafe) {
  auto* t = new TTimer(nullptr);
  t->SetInterval(15);
  int ticks = 0;
  t->OnTimer = [&, t](TObject*) {
    ++ticks;
    delete t;
  };
  TTimer beat(nullptr);
  beat.SetInterval(15);
  int beats = 0;
  beat.OnTimer = [&](TObject*) { ++beats; };
  ASSERT_TRUE(PumpUntil([&] { return beats >= 5; }));
  EXPECT_EQ(ticks, 1);
}

class TTimerModule : public TDataModule {
  DX_COMPONENT_CLASS(TTimerModule, TDataModule)
public:
  using TDataModule::TDataModule;
  TTimer* Clock = nullptr;
  int Ticks = 0;
  bool Created = false;
  void ClockTimer(TObject*) { ++Ticks; }
  void ModuleCreate(TObject*) { Created = Clock && Clock->Interval() == 20; }
};

TEST_F(VclTest, ADataModuleReadsItsTimerFromTheDescription) {
  static bool once = [] {
    Published<TTimerModule>()
        .Field("Clock", &TTimerModule::Clock)
        .Method("ClockTimer", &TTimerModule::ClockTimer)
        .Method("ModuleCreate", &TTimerModule::ModuleCreate);
    return true;
  }();
  (void)once;
  RegisterFormResource("TTimerModule", R"(object TimerModule: TTimerModule
  OnCreate = ModuleCreate
  object Clock: TTimer
    Interval = 20
    OnTimer = ClockTimer
  end
end
)");
  const int modules = Screen->DataModuleCount();
  auto* m = new TTimerModule(nullptr);
  m->AfterConstruction();
  UnregisterFormResource("TTimerModule");
  EXPECT_EQ(Screen->DataModuleCount(), modules + 1);
  EXPECT_TRUE(m->Created);
  ASSERT_NE(m->Clock, nullptr);
  EXPECT_TRUE(m->Clock->Running());
  ASSERT_TRUE(PumpUntil([&] { return m->Ticks >= 2; }));
  delete m;
  EXPECT_EQ(Screen->DataModuleCount(), modules);
}

}  // namespace
}  // namespace vcltest
