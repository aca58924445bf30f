// Runs this thread's messages for the shell library's tests, so that thread
// timers fire where the test waits.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

#include "platform/win/winuser.h"

// Dispatches this thread's messages until pred holds; false when the time ran out first.
inline bool PumpUntil(const std::function<bool()>& pred,
                      std::chrono::milliseconds limit = std::chrono::seconds(10)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!pred()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    win::MSG m;
    while (win::PeekMessage(&m, nullptr, 0, 0, win::PM_REMOVE)) win::DispatchMessage(&m);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}
