// The shell thread object: the start gate, Terminate on a suspended thread,
// the destruction assertion, finalisation after a failing Execute, and the
// shell-execute thread that frees itself and its PIDL.
#include "shell/ShThreadManager.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <thread>

#include "platform/com/com.h"
#include "platform/rtl/taskmem.h"
#include "shell/ShCommonUtilities.h"

namespace {

using namespace std::chrono_literals;

// Polls until pred holds or ten seconds pass.
bool WaitUntil(const std::function<bool()>& pred) {
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (!pred()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

// Runs a step given by the test and records what the thread saw.
class ProbeThread : public TCommonThread {
public:
  explicit ProbeThread(bool createSuspended, std::function<void(ProbeThread&)> step = {})
      : TCommonThread(createSuspended), step_(std::move(step)) {}

  std::atomic<int> Runs{0};
  std::atomic<bool> SawTerminated{false};
  std::atomic<bool> Finalized{false};
  std::atomic<bool> OleWasInitialized{false};
  std::atomic<int> OleCountAfterFinalize{-1};

protected:
  void Execute() override {
    ++Runs;
    SawTerminated = Terminated();
    OleWasInitialized = win::OleInitializeCount() > 0;
    if (step_) step_(*this);
  }
  void FinalizeThread() override {
    TCommonThread::FinalizeThread();
    OleCountAfterFinalize = win::OleInitializeCount();
    Finalized = true;
  }

private:
  std::function<void(ProbeThread&)> step_;
};

TEST(ThreadManagerUnit, RaisesTheMultiThreadFlagBeforeAnyWorker) {
  ShThreadManagerFinalize();
  EXPECT_EQ(ThreadManagerPIDLManager, nullptr);
  IsMultiThread = false;
  ShThreadManagerInitialize();
  EXPECT_TRUE(IsMultiThread);
  EXPECT_NE(ThreadManagerPIDLManager, nullptr);
}

TEST(CommonThread, CreatedSuspendedRunsOnlyAfterResumeAndOnce) {
  const int32_t live = CommonThreadCount();
  auto* t = TCommonThread::Create<ProbeThread>(true);
  EXPECT_EQ(CommonThreadCount(), live + 1);
  EXPECT_TRUE(t->Suspended());
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(t->Runs.load(), 0);
  EXPECT_FALSE(t->Running());
  EXPECT_FALSE(t->Finished());
  t->Resume();
  t->Resume();
  ASSERT_TRUE(WaitUntil([t] { return t->Finished(); }));
  EXPECT_EQ(t->Runs.load(), 1);
  EXPECT_FALSE(t->Running());
  EXPECT_FALSE(t->Suspended());
  TCommonThread::Destroy(t);
  EXPECT_EQ(CommonThreadCount(), live);
}

TEST(CommonThread, NotSuspendedRunsInAnOleApartmentAndBalancesIt) {
  auto* t = TCommonThread::Create<ProbeThread>(false);
  ASSERT_TRUE(WaitUntil([t] { return t->Finished(); }));
  EXPECT_EQ(t->Runs.load(), 1);
  EXPECT_TRUE(t->OleWasInitialized.load());
  EXPECT_EQ(t->OleCountAfterFinalize.load(), 0);
  TCommonThread::Destroy(t);
}

TEST(CommonThread, TerminateOnASuspendedThreadIsSeenByExecute) {
  auto* t = TCommonThread::Create<ProbeThread>(true);
  t->Terminate();
  ASSERT_TRUE(WaitUntil([t] { return t->Finished(); }));
  EXPECT_EQ(t->Runs.load(), 1);
  EXPECT_TRUE(t->SawTerminated.load());
  EXPECT_TRUE(t->Terminated());
  TCommonThread::Destroy(t);
}

TEST(CommonThread, DestroyingAnUnfinishedThreadFailsTheAssertion) {
  const int32_t live = CommonThreadCount();
  auto* t = TCommonThread::Create<ProbeThread>(false, [](ProbeThread& self) {
    while (!self.Terminated()) self.Event().WaitFor(10000);
  });
  ASSERT_TRUE(WaitUntil([t] { return t->Running(); }));
  try {
    TCommonThread::Destroy(t);
    FAIL() << "no assertion";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.Message(), "The Thread must be terminated before destroying the TCommonThread object");
  }
  // The object survived the failed destruction: Terminate wakes it through its event.
  EXPECT_EQ(CommonThreadCount(), live + 1);
  t->Terminate();
  ASSERT_TRUE(WaitUntil([t] { return t->Finished(); }));
  TCommonThread::Destroy(t);
  EXPECT_EQ(CommonThreadCount(), live);
}

TEST(CommonThread, AFailingExecuteStillFinalises) {
  struct Case {
    const char* What;
    std::function<void(ProbeThread&)> Step;
  };
  const Case cases[] = {
      {"a library exception", [](ProbeThread&) { throw Exception("boom"); }},
      {"a standard exception", [](ProbeThread&) { throw std::runtime_error("boom"); }},
      {"destroying itself from inside Execute", [](ProbeThread& self) { TCommonThread::Destroy(&self); }},
  };
  for (const Case& c : cases) {
    auto* t = TCommonThread::Create<ProbeThread>(false, c.Step);
    ASSERT_TRUE(WaitUntil([t] { return t->Finished(); })) << c.What;
    EXPECT_TRUE(t->Finalized.load()) << c.What;
    EXPECT_EQ(t->OleCountAfterFinalize.load(), 0) << c.What;
    EXPECT_FALSE(t->Running()) << c.What;
    TCommonThread::Destroy(t);
  }
}

TEST(CommonThread, FreeOnTerminateFreesTheObjectAndItsRequests) {
  const int32_t live = CommonThreadCount();
  auto* t = TCommonThread::Create<ProbeThread>(true);
  t->SetFreeOnTerminate(true);
  t->RequestList().Add(new TObject);  // ASan reports it unless the thread frees it
  t->Resume();
  EXPECT_TRUE(WaitUntil([live] { return CommonThreadCount() == live; }));
}

TEST(CommonShellExecuteThread, FreesItselfAndItsPIDL) {
  const int32_t live = CommonThreadCount();
  const size_t blocks = TaskMemBlockCount();
  auto* t = TCommonThread::Create<TCommonShellExecuteThread>(true);
  EXPECT_TRUE(t->FreeOnTerminate());
  EXPECT_EQ(t->ShellExecuteInfoW.cbSize, 0u);
  t->PIDL = static_cast<uint8_t*>(TaskMemAlloc(2));  // the desktop's empty list
  ASSERT_EQ(TaskMemBlockCount(), blocks + 1);
  // A record the caller never filled in: the call fails and starts nothing.
  t->lpFile = "/nonexistent/e65-item";
  t->Resume();
  EXPECT_TRUE(WaitUntil([live] { return CommonThreadCount() == live; }));
  EXPECT_EQ(TaskMemBlockCount(), blocks);
}

}  // namespace
