// Shared fixture of the window-system tests: a class whose procedure logs
// every message and lets a test take over any message of a window.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/win/backend.h"
#include "platform/win/winuser.h"

namespace wintest {

using namespace win;

struct Rec {
  HWND Hwnd;
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
};

// Returns a result to take the message over, nullopt to let DefWindowProc have it.
using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

class WinTest : public ::testing::Test {
public:
  static constexpr const char* kClass = "WinTestClass";
  static constexpr const char* kDblClass = "WinTestDblClass";

protected:

  void SetUp() override;
  void TearDown() override;

  // A window of kClass (or cls) whose messages go to handler first.
  HWND Make(DWORD style, RECT r, HWND parent = nullptr, Handler handler = {}, DWORD exStyle = 0,
            const char* cls = kClass);
  void On(HWND hwnd, Handler handler);

  // Retrieves and dispatches until nothing is left.
  static void Pump();
  // Pumps until pred holds; false when a generous guard ran out first.
  static bool PumpUntil(const std::function<bool()>& pred, int guardMs = 10000);

  std::vector<Rec> Log(HWND hwnd) const;  // that window's messages, in order
  std::vector<UINT> Messages(HWND hwnd) const;
  int Count(HWND hwnd, UINT msg) const;
  void ClearLog();

  // Colour of a pixel of a window's client area as 0xRRGGBB.
  static uint32_t ClientPixel(HWND hwnd, int x, int y);
  static void FillClient(HWND hwnd, COLORREF color);

  std::vector<HWND> made_;
};

// RGB as the surface stores it (0xRRGGBB).
constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) { return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b; }

}  // namespace wintest
