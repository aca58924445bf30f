#include "imaging/core/iethreadpool.h"

#include <atomic>
#include <exception>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "imaging/core/ieglobals.h"

TIEThreadPool::~TIEThreadPool() {
  try {
    WaitAll();
  } catch (...) {  // a destructor cannot raise; the threads are freed all the same
  }
}

void TIEThreadPool::Add(TThreadPtr<TThread> thread) {
  if (!thread) return;
  threads_.push_back(std::move(thread));
  threads_.back()->Resume();
}

void TIEThreadPool::WaitAll() {
  std::vector<TThreadPtr<TThread>> threads;
  threads.swap(threads_);
  std::exception_ptr failure;
  for (auto& t : threads) {
    // A thread whose start failed was never running: there is nothing to wait for.
    if (t->Started()) {
      try {
        t->WaitFor();
      } catch (...) {
        if (!failure) failure = std::current_exception();
      }
    }
    t.reset();
  }
  if (failure) std::rethrow_exception(failure);
}

namespace {

bool ReadFirstLine(const std::filesystem::path& file, std::string& line) {
  std::ifstream in(file);
  if (!in || !std::getline(in, line)) return false;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ')) line.pop_back();
  return !line.empty();
}

bool IsCpuFolderName(const std::string& name) {
  if (name.size() < 4 || name.compare(0, 3, "cpu") != 0) return false;
  for (size_t i = 3; i < name.size(); ++i)
    if (name[i] < '0' || name[i] > '9') return false;
  return true;
}

}  // namespace

int32_t IECountProcessorCores(const std::string& cpuFolder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::directory_iterator it(cpuFolder, ec);
  if (ec) return 0;
  // (0, package, core id), or (1, "", the list of CPUs sharing the core).
  std::set<std::tuple<int, std::string, std::string>> cores;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    const std::string name = it->path().filename().string();
    if (!IsCpuFolderName(name)) continue;
    std::string line;
    // The boot CPU has no "online" file; others say 0 while switched off.
    if (ReadFirstLine(it->path() / "online", line) && line == "0") continue;
    const fs::path topology = it->path() / "topology";
    std::string package, core;
    if (ReadFirstLine(topology / "core_id", core)) {
      if (!ReadFirstLine(topology / "physical_package_id", package)) package.clear();
      cores.emplace(0, package, core);
    } else if (ReadFirstLine(topology / "core_cpus_list", line) ||
               ReadFirstLine(topology / "thread_siblings_list", line)) {
      cores.emplace(1, std::string(), line);
    }
  }
  return int32_t(cores.size());
}

int32_t IEGetProcessorCoreCount() {
  // Atomic, so that two first calls on different threads only compute twice.
  std::atomic_ref<int32_t> cache(IEProcessorCoresCache);
  const int32_t cached = cache.load();
  if (cached >= 1) return cached;
  const int32_t counted = IECountProcessorCores("/sys/devices/system/cpu");
  const int32_t count = counted >= 1 ? counted : 1;
  cache.store(count);
  return count;
}
