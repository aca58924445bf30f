#include "imaging/core/iethreadpool.h"

#include <atomic>
#include <exception>
#include <string>
#include <utility>

#include "imaging/core/ieglobals.h"
#include "platform/rtl/sysutils.h"

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

int32_t IECountProcessorCores(const std::string& cpuFolder) { return CountProcessorCores(cpuFolder); }

int32_t IEGetProcessorCoreCount() {
  // Atomic, so that two first calls on different threads only compute twice.
  std::atomic_ref<int32_t> cache(IEProcessorCoresCache);
  const int32_t cached = cache.load();
  if (cached >= 1) return cached;
  const int32_t counted = ProcessorCoreCount();
  const int32_t count = counted >= 1 ? counted : 1;
  cache.store(count);
  return count;
}
