// What every unit of the library has: its initialization counter and its
// unit-level texts. However often the program's unit table runs, a unit's
// start-up acts on its first call only and its shut-down only when the count
// returns to zero; its texts are set from literals at start-up and released
// at shut-down.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

class TUnitCounter {
public:
  // True on the call that must start the unit.
  bool Starting() { return count_++ == 0; }
  // True on the call that must stop it; a stop without a start does nothing.
  bool Stopping() { return count_ > 0 && --count_ == 0; }

private:
  int32_t count_ = 0;
};

template <size_t N>
void SetUnitTexts(std::array<std::string, N>& texts, const char* const (&literals)[N]) {
  for (size_t i = 0; i < N; ++i) texts[i] = literals[i];
}

template <size_t N>
void ReleaseUnitTexts(std::array<std::string, N>& texts) {
  for (std::string& t : texts) std::string().swap(t);
}
