#include "imaging/io/ieiothread.h"

#include <algorithm>

#include "imaging/io/vovideriocomp.h"

TIEIOThread::TIEIOThread(TVovidErIO& owner, TIEIOThreadKind kind, std::function<void()> call)
    : TThread(false), owner_(owner), kind_(kind), call_(std::move(call)) {
  // Counted before the deferring call returns, so a poll never reads 0 while
  // this worker has yet to start.
  AddToPending();
}

void TIEIOThread::AddToPending() {
  TLockGuard guard(owner_.lock_);
  owner_.pending_.push_back(this);
  owner_.allDone_.ResetEvent();
}

void TIEIOThread::Execute() {
  workerID_.store(CurrentThreadID());
  try {
    call_();
  } catch (...) {
    // The caller has long returned: the abort flag is all it can see.
    owner_.aborting_.store(true);
  }
  call_ = nullptr;  // drops the copied arguments while the owner still exists
  TLockGuard guard(owner_.lock_);
  auto& list = owner_.pending_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (list.empty()) owner_.allDone_.SetEvent();
  // From here on the owner may be destroyed at any moment: nothing touches it.
}
