#include "imaging/io/ieiothread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "imaging/io/ieregistry.h"
#include "imaging/io/vovideriocomp.h"
#include "tests/imaging/io/ioc_testjpeg.h"

namespace {

using namespace std::chrono_literals;

constexpr int32_t kGateFormat = 10500;

// A program format whose reader holds its worker until the test opens the gate,
// so that the pending state can be looked at without timing.
class Gate {
public:
  void Open() {
    std::lock_guard lock(m_);
    open_ = true;
    cv_.notify_all();
  }
  // Waits for the gate or the abort flag; false when the hang guard ran out.
  bool Pass(std::atomic<bool>* aborting) {
    std::unique_lock lock(m_);
    ++waiting_;
    cv_.notify_all();
    return cv_.wait_for(lock, 60s, [&] { return open_ || (aborting && aborting->load()); });
  }
  bool WaitUntilWaiting(int n) {
    std::unique_lock lock(m_);
    return cv_.wait_for(lock, 60s, [&] { return waiting_ >= n; });
  }
  void Poke() { cv_.notify_all(); }

private:
  std::mutex m_;
  std::condition_variable cv_;
  bool open_ = false;
  int waiting_ = 0;
};

class Workers : public testing::Test {
protected:
  void SetUp() override {
    auto e = std::make_unique<TIEFileFormatInfo>();
    e->FileType = kGateFormat;
    e->ExtensionList = "GATE";
    e->StreamReader = [this](TStream&, TIEBitmap&, TIOParamsVals&, bool, TIEProgressRecord& progress) {
      onWorker_ = owner_ && owner_->IsWorkerThread();
      // Two workers of one component share its abort flag and each raises it
      // briefly while opening its file, so only the abort test watches it.
      if (!gate_.Pass(watchAbort_ ? progress.Aborting : nullptr)) hung_ = true;
      sawAbort_ = progress.Aborting->load();
      if (throwAfterGate_) throw Exception("reader failed");
    };
    IEFileFormatAdd(std::move(e));
    file_ = (dir_ / "a.gate").string();
    testsupport::WriteFileBytes(file_, "payload");
    io_ = TVovidErIO::CreateFromBitmap(&bmp_);
    owner_ = io_.get();
    io_->SetAsyncMode(true);
    io_->OnFinishWork = [this](TObject*) { ++finishes_; };
  }
  void TearDown() override {
    gate_.Open();
    io_.reset();
  }

  testsupport::TempDir dir_;
  ioctest::RegistryScope registry_;
  Gate gate_;
  TIEBitmap bmp_;
  std::unique_ptr<TVovidErIO> io_;
  TVovidErIO* owner_ = nullptr;
  std::string file_;
  std::atomic<int> finishes_{0};
  std::atomic<bool> onWorker_{false};
  std::atomic<bool> sawAbort_{false};
  std::atomic<bool> hung_{false};
  bool throwAfterGate_ = false;
  bool watchAbort_ = false;
};

TEST_F(Workers, PendingUntilEveryWorkerHasFinished) {
  io_->LoadFromFileFormat(file_, kGateFormat);
  io_->LoadFromFile(file_, -1);
  EXPECT_EQ(io_->GetAsyncPendingCount(), 2);
  ASSERT_TRUE(gate_.WaitUntilWaiting(2));
  EXPECT_EQ(io_->GetAsyncPendingCount(), 2);
  EXPECT_EQ(finishes_.load(), 0);
  EXPECT_FALSE(io_->IsWorkerThread());
  gate_.Open();
  io_->WaitThreads(false);
  EXPECT_EQ(io_->GetAsyncPendingCount(), 0);
  EXPECT_EQ(finishes_.load(), 2);
  EXPECT_TRUE(onWorker_.load());
  EXPECT_FALSE(io_->Aborting());
  EXPECT_FALSE(hung_.load());
}

TEST_F(Workers, WaitWithAbortRaisesTheFlagTheReaderPolls) {
  watchAbort_ = true;
  io_->LoadFromFileFormat(file_, kGateFormat);
  ASSERT_TRUE(gate_.WaitUntilWaiting(1));
  std::thread poke([this] {
    // The reader waits on its own condition: wake it once the flag is up.
    while (!io_->Aborting()) std::this_thread::sleep_for(1ms);
    gate_.Poke();
  });
  io_->WaitThreads(true);
  poke.join();
  EXPECT_TRUE(sawAbort_.load());
  EXPECT_TRUE(io_->Aborting());
  EXPECT_EQ(io_->GetAsyncPendingCount(), 0);
  EXPECT_EQ(finishes_.load(), 1);
}

TEST_F(Workers, ExceptionOnAWorkerBecomesTheAbortFlag) {
  throwAfterGate_ = true;
  // By id the reader's exception is not absorbed by the operation: the worker takes it.
  EXPECT_NO_THROW(io_->LoadFromFileFormat(file_, kGateFormat));
  gate_.Open();
  io_->WaitThreads(false);
  EXPECT_TRUE(io_->Aborting());
  EXPECT_EQ(finishes_.load(), 1);
  EXPECT_EQ(io_->GetAsyncPendingCount(), 0);
}

TEST_F(Workers, DestructorWaitsForPendingWorkers) {
  io_->LoadFromFileFormat(file_, kGateFormat);
  ASSERT_TRUE(gate_.WaitUntilWaiting(1));
  std::thread opener([this] {
    std::this_thread::sleep_for(20ms);
    gate_.Open();
  });
  io_.reset();  // must not return before the worker has left
  EXPECT_EQ(finishes_.load(), 1);
  opener.join();
}

// A descendant's override is what the worker runs.
class CountingIO : public TVovidErIO {
public:
  using TVovidErIO::TVovidErIO;
  std::atomic<int> onWorker{0};
  void LoadFromFileJpeg(const std::string& fileName) override {
    if (IsWorkerThread()) ++onWorker;
    TVovidErIO::LoadFromFileJpeg(fileName);
  }
};

TEST(WorkerDispatch, OverrideRunsOnTheWorker) {
  testsupport::TempDir dir;
  TIEBitmap bmp;
  CountingIO io(nullptr);
  io.SetAttachedBitmap(&bmp);
  io.SetAsyncMode(true);
  io.LoadFromFileJpeg((dir / "missing.jpg").string());
  io.WaitThreads(false);
  EXPECT_EQ(io.onWorker.load(), 1);
  EXPECT_TRUE(io.Aborting());
}

}  // namespace
