// Worker threads of the library's filtered resampling: TIEThreadPool, which
// starts each worker as it is added and then waits for all of them and frees
// them in one call, and the number of processor cores that sets how many
// workers there are.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/classes/threads.h"

class TIEThreadPool : public TObject {
  DX_CLASS(TIEThreadPool, TObject)
 public:
  TIEThreadPool() = default;
  // Waits for every thread still held.
  ~TIEThreadPool() override;
  TIEThreadPool(const TIEThreadPool&) = delete;
  TIEThreadPool& operator=(const TIEThreadPool&) = delete;

  // Takes a thread created suspended (and not freeing itself) and starts it.
  void Add(TThreadPtr<TThread> thread);
  // Waits for each thread in the order added and frees it; the pool is empty
  // afterwards. The workers' own errors are not looked at. An exception of a
  // call the main thread ran meanwhile is raised once every thread is freed.
  void WaitAll();
  int32_t Count() const { return int32_t(threads_.size()); }

 private:
  std::vector<TThreadPtr<TThread>> threads_;
};

// Number of physical processor cores, counted once per process (the count is
// kept in IEProcessorCoresCache, which library start-up resets); 1 when the
// system's CPU topology cannot be read, never less.
int32_t IEGetProcessorCoreCount();
// The name the resampling uses for the same count.
inline int32_t IEGetLogicalProcessorCount() { return IEGetProcessorCoreCount(); }

// Counts the distinct cores (package id and core id, or the set of CPUs that
// share a core) among the online CPUs of a folder laid out as the kernel's
// CPU folder (CountProcessorCores of platform/rtl). 0 when nothing there can be read.
int32_t IECountProcessorCores(const std::string& cpuFolder);
