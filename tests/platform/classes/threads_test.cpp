#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/classes/threads.h"

namespace {

using namespace std::chrono_literals;

// Hang guard only: every wait below normally ends long before it.
constexpr auto kGuard = 20s;

// Serves the main thread's calls until pred holds or the guard runs out.
bool PumpUntil(const std::function<bool()>& pred) {
  const auto deadline = std::chrono::steady_clock::now() + kGuard;
  while (!pred()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    CheckSynchronize(10);
  }
  return true;
}

// Waits, without serving the main thread, until pred holds or the guard runs out.
bool SpinUntil(const std::function<bool()>& pred) {
  const auto deadline = std::chrono::steady_clock::now() + kGuard;
  while (!pred()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

class TLambdaThread : public TThread {
public:
  TLambdaThread(bool suspended, std::function<void(TLambdaThread&)> body)
      : TThread(suspended), body_(std::move(body)) {}

protected:
  void Execute() override { body_(*this); }

private:
  std::function<void(TLambdaThread&)> body_;
};

class ThreadsTest : public ::testing::Test {
protected:
  void SetUp() override { TThread::SetMainThread(); }
  void TearDown() override {
    SetWakeMainThread(nullptr);
    while (CheckSynchronize()) {
    }
  }
};

TEST_F(ThreadsTest, QueuedCallsWaitForCheckSynchronizeAndRunInOrderOnTheMainThread) {
  std::vector<int> seen;                   // touched on the main thread only
  std::vector<TThreadID> ranOn;
  std::atomic<int> wakes{0};
  std::atomic<TThreadID> wokenFrom{0};
  SetWakeMainThread([&] {
    ++wakes;
    wokenFrom = TThread::CurrentThreadID();
  });
  TEvent posted;
  auto worker = TThread::Create<TLambdaThread>(false, [&](TLambdaThread& self) {
    for (int i = 0; i < 50; ++i)
      self.Queue([&, i] {
        seen.push_back(i);
        ranOn.push_back(TThread::CurrentThreadID());
      });
    posted.SetEvent();
  });
  ASSERT_EQ(posted.WaitFor(20000), wrSignaled);
  EXPECT_TRUE(seen.empty()) << "queued calls must wait for the main thread";
  EXPECT_EQ(wakes.load(), 50);
  EXPECT_EQ(wokenFrom.load(), worker->ThreadID());

  ASSERT_TRUE(PumpUntil([&] { return seen.size() == 50; }));
  for (int i = 0; i < 50; ++i) EXPECT_EQ(seen[i], i);
  for (TThreadID id : ranOn) EXPECT_EQ(id, TThread::MainThreadID());
  EXPECT_FALSE(CheckSynchronize());

  // On the main thread both forms run at once.
  int direct = 0;
  TThread::Queue(nullptr, [&] { ++direct; });
  TThread::Synchronize(nullptr, [&] { ++direct; });
  EXPECT_EQ(direct, 2);
}

TEST_F(ThreadsTest, SynchronizeWaitsForTheMainThreadAndReRaisesInTheWorker) {
  bool ran = false;  // main thread only, read by the worker after Synchronize returned
  std::atomic<bool> sawRan{false};
  std::atomic<TThreadID> ranOn{0};
  std::string caught;
  auto worker = TThread::Create<TLambdaThread>(false, [&](TLambdaThread& self) {
    self.Synchronize([&] {
      ranOn = TThread::CurrentThreadID();
      ran = true;
    });
    sawRan = ran;
    try {
      self.Synchronize([] { throw EConvertError("bad value"); });
    } catch (const EConvertError& e) {
      caught = e.Message();
    }
    self.SetReturnValue(42);
  });
  // WaitFor on the main thread serves the worker's calls; without that it would never end.
  EXPECT_EQ(worker->WaitFor(), 42);
  EXPECT_TRUE(sawRan.load());
  EXPECT_EQ(ranOn.load(), TThread::MainThreadID());
  EXPECT_EQ(caught, "bad value");
  EXPECT_FALSE(worker->FatalException());
}

class TSelfFreeingThread : public TThread {
public:
  TSelfFreeingThread(std::atomic<bool>& destroyed, TThread*& self, std::function<void(TObject*)> onTerminate)
      : TThread(false), destroyed_(destroyed) {
    self = this;
    OnTerminate = std::move(onTerminate);
  }
  ~TSelfFreeingThread() override { destroyed_ = true; }

protected:
  void Execute() override {}

private:
  std::atomic<bool>& destroyed_;
};

TEST_F(ThreadsTest, FreeOnTerminateThreadFreesItselfAfterOnTerminateRanOnTheMainThread) {
  std::atomic<bool> destroyed{false};
  TThread* self = nullptr;
  TObject* sender = nullptr;
  bool destroyedBeforeOnTerminate = true;
  TThreadID onTerminateThread = 0;
  TThread::CreateFreeOnTerminate<TSelfFreeingThread>(destroyed, self, [&](TObject* s) {
    sender = s;
    destroyedBeforeOnTerminate = destroyed;
    onTerminateThread = TThread::CurrentThreadID();
  });
  ASSERT_TRUE(PumpUntil([&] { return destroyed.load(); }));
  EXPECT_EQ(sender, self);
  EXPECT_FALSE(destroyedBeforeOnTerminate);
  EXPECT_EQ(onTerminateThread, TThread::MainThreadID());
}

TEST_F(ThreadsTest, ExceptionEscapingExecuteIsKeptAsFatalException) {
  auto worker = TThread::Create<TLambdaThread>(false, [](TLambdaThread& self) {
    self.SetReturnValue(7);
    throw EReadError("stream read error");
  });
  EXPECT_EQ(worker->WaitFor(), 7);
  EXPECT_TRUE(worker->Finished());
  ASSERT_TRUE(worker->FatalException());
  try {
    std::rethrow_exception(worker->FatalException());
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "stream read error");
  }
}

TEST_F(ThreadsTest, SuspendedThreadStartsOnceAndRefusesMisuse) {
  std::atomic<TThreadID> inside{0};
  std::atomic<TThread*> current{nullptr};
  std::string selfWait, offMainCheck;
  auto worker = TThread::Create<TLambdaThread>(true, [&](TLambdaThread& self) {
    inside = TThread::CurrentThreadID();
    current = TThread::Current();
    try {
      self.WaitFor();
    } catch (const EThread& e) {
      selfWait = e.Message();
    }
    try {
      CheckSynchronize();
    } catch (const EThread& e) {
      offMainCheck = e.Message();
    }
  });
  EXPECT_TRUE(worker->Suspended());
  EXPECT_EQ(worker->ThreadID(), 0u);
  EXPECT_THROW(worker->WaitFor(), EThread);

  IsMultiThread = false;  // as before any thread of the process
  worker->Start();
  EXPECT_TRUE(IsMultiThread);
  EXPECT_THROW(worker->Start(), EThread);
  worker->Resume();  // harmless once started
  worker->WaitFor();
  EXPECT_THROW(worker->Start(), EThread);

  EXPECT_NE(worker->ThreadID(), 0u);
  EXPECT_NE(worker->ThreadID(), TThread::MainThreadID());
  EXPECT_EQ(inside.load(), worker->ThreadID());
  EXPECT_EQ(current.load(), worker.get());
  EXPECT_EQ(TThread::Current(), nullptr);
  EXPECT_FALSE(selfWait.empty());
  EXPECT_NE(offMainCheck.find("NOT the main thread"), std::string::npos);
  EXPECT_FALSE(worker->FatalException());
}

class TWaitingThread : public TThread {
public:
  TWaitingThread(std::atomic<bool>& ended) : TThread(false), ended_(ended) {}
  TEvent running;

protected:
  // Sleeps until told to stop, so only Terminate can end it.
  void Execute() override {
    running.SetEvent();
    wake_.WaitFor(INFINITE);
    ended_ = Terminated();
  }
  void TerminatedSet() override { wake_.SetEvent(); }

private:
  TEvent wake_;
  std::atomic<bool>& ended_;
};

TEST_F(ThreadsTest, DestroyingARunningThreadTerminatesAndJoinsIt) {
  std::atomic<bool> ended{false};
  bool onTerminateRan = false;
  {
    auto worker = TThread::Create<TWaitingThread>(ended);
    // OnTerminate needs the main thread while it is the main thread that waits.
    worker->OnTerminate = [&](TObject*) { onTerminateRan = true; };
    ASSERT_EQ(worker->running.WaitFor(20000), wrSignaled);
  }
  EXPECT_TRUE(ended.load());
  EXPECT_TRUE(onTerminateRan);

  // A thread never started is simply freed: Execute does not run.
  bool executed = false;
  TThread::Create<TLambdaThread>(true, [&](TLambdaThread&) { executed = true; }).reset();
  EXPECT_FALSE(executed);
}

TEST_F(ThreadsTest, DestroyingAThreadDropsOnlyTheCallsItQueued) {
  std::vector<std::string> ran;
  TEvent posted;
  auto worker = TThread::Create<TLambdaThread>(false, [&](TLambdaThread& self) {
    self.Queue([&] { ran.push_back("own"); });
    TThread::Queue(nullptr, [&] { ran.push_back("unowned"); });
    self.Queue([&] { ran.push_back("own again"); });
    posted.SetEvent();
  });
  ASSERT_EQ(posted.WaitFor(20000), wrSignaled);
  worker.reset();
  EXPECT_TRUE(ran.empty());
  EXPECT_TRUE(CheckSynchronize());
  EXPECT_EQ(ran, std::vector<std::string>{"unowned"});
}

// --- Events -------------------------------------------------------------------

TEST(EventTest, InitialStateAndResetMode) {
  struct Case {
    bool manual, initial;
    TWaitResult first, second;
  };
  const Case cases[] = {
      {true, true, wrSignaled, wrSignaled},
      {false, true, wrSignaled, wrTimeout},
      {true, false, wrTimeout, wrTimeout},
      {false, false, wrTimeout, wrTimeout},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.manual ? "manual" : "auto") + (c.initial ? " set" : " clear"));
    TEvent e(c.manual, c.initial);
    EXPECT_EQ(e.WaitFor(0), c.first);
    EXPECT_EQ(e.WaitFor(0), c.second);
  }
  TEvent manual(true, true);
  manual.ResetEvent();
  EXPECT_EQ(manual.WaitFor(5), wrTimeout);
  TSimpleEvent simple;
  EXPECT_EQ(simple.WaitFor(0), wrTimeout);
  simple.SetEvent();
  EXPECT_EQ(simple.WaitFor(0), wrSignaled);
  EXPECT_EQ(simple.WaitFor(0), wrSignaled);
}

TEST(EventTest, AutoResetReleasesOneWaiterPerSignal) {
  TEvent e(false, false);
  std::atomic<int> released{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 3; ++i)
    waiters.emplace_back([&] {
      if (e.WaitFor(INFINITE) == wrSignaled) ++released;
    });
  for (int expected = 1; expected <= 3; ++expected) {
    e.SetEvent();
    ASSERT_TRUE(SpinUntil([&] { return released.load() >= expected; }));
    EXPECT_EQ(released.load(), expected);
    EXPECT_EQ(e.WaitFor(0), wrTimeout) << "the released waiter must have reset the event";
  }
  for (auto& t : waiters) t.join();
}

TEST(EventTest, ManualResetReleasesEveryWaiter) {
  TEvent e(true, false);
  std::atomic<int> released{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 3; ++i)
    waiters.emplace_back([&] {
      if (e.WaitFor(INFINITE) == wrSignaled) ++released;
    });
  e.SetEvent();
  for (auto& t : waiters) t.join();
  EXPECT_EQ(released.load(), 3);
  EXPECT_EQ(e.WaitFor(0), wrSignaled);
}

// --- Critical section -----------------------------------------------------------

TEST(CriticalSectionTest, IsRecursiveForItsOwnerAndExcludesOthers) {
  TCriticalSection cs;
  auto otherCanEnter = [&] {
    bool entered = false;
    std::thread([&] {
      entered = cs.TryEnter();
      if (entered) cs.Leave();
    }).join();
    return entered;
  };
  cs.Enter();
  EXPECT_TRUE(cs.TryEnter());
  EXPECT_FALSE(otherCanEnter());
  cs.Leave();
  EXPECT_FALSE(otherCanEnter()) << "still held once";
  cs.Leave();
  EXPECT_TRUE(otherCanEnter());
  {
    TLockGuard guard(cs);
    EXPECT_FALSE(otherCanEnter());
  }
  EXPECT_TRUE(otherCanEnter());
}

TEST(CriticalSectionTest, SerialisesReadModifyWrite) {
  TCriticalSection cs;
  int counter = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 20000; ++i) {
        TLockGuard guard(cs);
        counter = counter + 1;
      }
    });
  for (auto& t : threads) t.join();
  EXPECT_EQ(counter, 80000);
}

// --- Multi-reader lock ------------------------------------------------------------

TEST(MultiReadExclusiveWriteTest, ReadersShareTheLock) {
  TMultiReadExclusiveWriteSynchronizer sync;
  std::atomic<int> inside{0};
  std::atomic<int> sawBoth{0};
  auto reader = [&] {
    sync.BeginRead();
    ++inside;
    if (SpinUntil([&] { return inside.load() == 2; })) ++sawBoth;
    sync.EndRead();
  };
  std::thread a(reader), b(reader);
  a.join();
  b.join();
  EXPECT_EQ(sawBoth.load(), 2);
}

TEST(MultiReadExclusiveWriteTest, WriterExcludesReadersAndWaitsForThem) {
  TMultiReadExclusiveWriteSynchronizer sync;
  std::atomic<bool> readerIn{false};

  ASSERT_TRUE(sync.BeginWrite());
  std::thread reader([&] {
    sync.BeginRead();
    readerIn = true;
    sync.EndRead();
  });
  std::this_thread::sleep_for(50ms);  // room for a faulty lock to let the reader in
  EXPECT_FALSE(readerIn.load());
  sync.EndWrite();
  reader.join();
  EXPECT_TRUE(readerIn.load());

  std::atomic<bool> writerIn{false};
  sync.BeginRead();
  std::thread writer([&] {
    sync.BeginWrite();
    writerIn = true;
    sync.EndWrite();
  });
  std::this_thread::sleep_for(50ms);
  EXPECT_FALSE(writerIn.load());
  sync.EndRead();
  writer.join();
  EXPECT_TRUE(writerIn.load());
}

TEST(MultiReadExclusiveWriteTest, ReaderUpgradesToWriterAndNests) {
  TMultiReadExclusiveWriteSynchronizer sync;
  sync.BeginRead();
  sync.BeginRead();
  EXPECT_TRUE(sync.BeginWrite());
  EXPECT_TRUE(sync.BeginWrite());
  sync.BeginRead();  // the writer may read
  sync.EndRead();
  sync.EndWrite();
  sync.EndWrite();
  sync.EndRead();
  sync.EndRead();
  EXPECT_EQ(sync.RevisionLevel(), 1u);
  EXPECT_THROW(sync.EndRead(), EThread);
  EXPECT_THROW(sync.EndWrite(), EThread);

  // Everything released: another thread can write.
  bool wrote = false;
  std::thread([&] {
    wrote = sync.BeginWrite();
    sync.EndWrite();
  }).join();
  EXPECT_TRUE(wrote);
}

TEST(MultiReadExclusiveWriteTest, TwoReadersUpgradingAtOnceDoNotDeadlockAndTheSecondLearnsOfTheWrite) {
  TMultiReadExclusiveWriteSynchronizer sync;
  std::atomic<int> reading{0};
  std::atomic<int> untouched{0};
  auto upgrader = [&] {
    sync.BeginRead();
    ++reading;
    SpinUntil([&] { return reading.load() == 2; });  // both hold a read before either asks to write
    if (sync.BeginWrite()) ++untouched;
    sync.EndWrite();
    sync.EndRead();
  };
  std::thread a(upgrader), b(upgrader);
  a.join();
  b.join();
  EXPECT_EQ(untouched.load(), 1);
  EXPECT_EQ(sync.RevisionLevel(), 2u);
}

}  // namespace
