// The multimedia timer resolution. Requests are counted per period and each
// end takes back one begin of the same period; timers here run at whatever
// resolution the host gives, so the requests change nothing else.
#pragma once

#include <cstdint>

namespace win {

constexpr uint32_t TIMERR_NOERROR = 0, TIMERR_NOCANDO = 97;
uint32_t timeBeginPeriod(uint32_t period);  // TIMERR_NOCANDO for period 0
uint32_t timeEndPeriod(uint32_t period);    // TIMERR_NOCANDO without a matching begin

}  // namespace win
