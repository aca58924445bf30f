#include "imaging/core/iethreadpool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "imaging/core/ieglobals.h"
#include "platform/rtl/sysutils.h"
#include "tests/support/testsupport.h"

namespace {

namespace fs = std::filesystem;

// Waits until released, then marks its slot: a thread still running when
// WaitAll returns would leave its slot unmarked.
class TSlotThread : public TThread {
 public:
  TSlotThread(std::atomic<int>* slot, std::atomic<bool>* release, std::atomic<int>* started, bool fail = false)
      : TThread(true), slot_(slot), release_(release), started_(started), fail_(fail) {}

 protected:
  void Execute() override {
    started_->fetch_add(1);
    while (!release_->load()) std::this_thread::yield();
    slot_->store(1);
    if (fail_) throw std::runtime_error("worker failed");
  }

 private:
  std::atomic<int>* slot_;
  std::atomic<bool>* release_;
  std::atomic<int>* started_;
  bool fail_;
};

TEST(ThreadPoolTest, EmptyPoolReturnsAtOnce) {
  TIEThreadPool pool;
  pool.WaitAll();
  EXPECT_EQ(pool.Count(), 0);
}

TEST(ThreadPoolTest, AddStartsAndWaitAllWaitsForEveryThread) {
  constexpr int n = 6;
  std::atomic<int> slots[n] = {};
  std::atomic<bool> release{false};
  std::atomic<int> started{0};
  TIEThreadPool pool;
  for (int i = 0; i < n; ++i) pool.Add(TThread::Create<TSlotThread>(&slots[i], &release, &started, i == 2));
  EXPECT_EQ(pool.Count(), n);
  // Each thread runs as soon as it is added: all of them get going while blocked.
  while (started.load() < n) std::this_thread::yield();
  release = true;
  pool.WaitAll();  // a worker's own failure is not raised
  EXPECT_EQ(pool.Count(), 0);
  for (int i = 0; i < n; ++i) EXPECT_EQ(slots[i].load(), 1) << i;
  pool.WaitAll();
}

TEST(ThreadPoolTest, DestroyWaitsForItsThreads) {
  std::atomic<int> slot{0};
  std::atomic<bool> release{false};
  std::atomic<int> started{0};
  {
    TIEThreadPool pool;
    pool.Add(TThread::Create<TSlotThread>(&slot, &release, &started));
    while (started.load() < 1) std::this_thread::yield();
    release = true;
  }
  EXPECT_EQ(slot.load(), 1);
}

// A fake sysfs CPU folder: one entry per CPU of (package, core) or a sibling list.
class CoreCountTest : public ::testing::Test {
 protected:
  void Cpu(int n, const std::string& package, const std::string& core, const std::string& online = "",
           const std::string& siblings = "") {
    const fs::path cpu = dir_ / ("cpu" + std::to_string(n));
    fs::create_directories(cpu / "topology");
    const auto write = [](const fs::path& p, const std::string& text) { std::ofstream(p) << text << "\n"; };
    if (!package.empty()) write(cpu / "topology" / "physical_package_id", package);
    if (!core.empty()) write(cpu / "topology" / "core_id", core);
    if (!siblings.empty()) write(cpu / "topology" / "core_cpus_list", siblings);
    if (!online.empty()) write(cpu / "online", online);
  }
  std::string Folder() const { return dir_.Path().string(); }
  testsupport::TempDir dir_;
};

TEST_F(CoreCountTest, FourCoresWithTwoThreadsEachCountFour) {
  for (int i = 0; i < 8; ++i) Cpu(i, "0", std::to_string(i % 4));
  fs::create_directories(dir_ / "cpufreq");  // not a CPU
  EXPECT_EQ(IECountProcessorCores(Folder()), 4);
}

TEST_F(CoreCountTest, CoreIdsRepeatInEveryPackage) {
  for (int i = 0; i < 4; ++i) Cpu(i, std::to_string(i / 2), std::to_string(i % 2));
  EXPECT_EQ(IECountProcessorCores(Folder()), 4);
}

TEST_F(CoreCountTest, OfflineCpusAndSiblingListsAreHonoured) {
  Cpu(0, "0", "0");
  Cpu(1, "0", "1", "1");
  Cpu(2, "0", "2", "0");  // switched off
  Cpu(3, "", "", "1", "3,7");
  Cpu(7, "", "", "1", "3,7");
  EXPECT_EQ(IECountProcessorCores(Folder()), 3);
}

TEST_F(CoreCountTest, NothingReadableCountsZero) {
  EXPECT_EQ(IECountProcessorCores(Folder()), 0);
  EXPECT_EQ(IECountProcessorCores((dir_ / "absent").string()), 0);
}

TEST(ProcessorCountTest, CountedOnceAndNeverBelowOne) {
  const int32_t saved = IEProcessorCoresCache;
  IEProcessorCoresCache = -1;
  const int32_t n = IEGetProcessorCoreCount();
  const int32_t fromSystem = ProcessorCoreCount();
  EXPECT_EQ(n, fromSystem >= 1 ? fromSystem : 1);
  EXPECT_EQ(IEProcessorCoresCache, n);
  IEProcessorCoresCache = 3;  // a value already counted is not counted again
  EXPECT_EQ(IEGetProcessorCoreCount(), 3);
  EXPECT_EQ(IEGetLogicalProcessorCount(), 3);
  IEProcessorCoresCache = 0;  // a count of 0 is no count
  EXPECT_GE(IEGetProcessorCoreCount(), 1);
  IEProcessorCoresCache = saved;
}

TEST(ProcessorCountTest, FirstCallsFromSeveralThreadsAgree) {
  const int32_t saved = IEProcessorCoresCache;
  IEProcessorCoresCache = -1;
  std::atomic<int32_t> results[4] = {};
  std::vector<std::thread> threads;
  for (auto& r : results) threads.emplace_back([&r] { r = IEGetProcessorCoreCount(); });
  for (auto& t : threads) t.join();
  for (auto& r : results) EXPECT_EQ(r.load(), IEGetProcessorCoreCount());
  IEProcessorCoresCache = saved;
}

}  // namespace
