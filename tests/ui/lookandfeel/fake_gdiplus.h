// A gdiplus.dll for the module table, so that GDI+ counts as available (or
// fails in a chosen way) in tests. Its entry points do nothing but record
// start-up, the notification hooks and shut-down.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/winuser.h"

struct TFakeGdiPlus {
  // All entry points but `missing`; GdiplusStartup answers startupStatus.
  explicit TFakeGdiPlus(std::string missing = {}, int32_t startupStatus = 0);
  ~TFakeGdiPlus();

  win::ModuleDefinition Module() const;

  std::string missing;
  int32_t startupStatus;
  std::unique_ptr<win::ScopedModuleTable> table;
};

// What the fake saw, in order ("startup v1 bg-suppressed", "hook", "unhook 77", "shutdown 77").
std::vector<std::string>& FakeGdiPlusJournal();
// The token GdiplusStartup hands out.
constexpr uintptr_t kFakeGdiPlusToken = 77;
