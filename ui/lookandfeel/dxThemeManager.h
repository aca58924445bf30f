// One cached theme handle per themed object type, whether visual styles are
// available, and the notice to registered objects when the visual style changes.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "ui/lookandfeel/dxUxTheme.h"

enum TdxThemedObjectType : uint8_t {
  totButton, totClock, totComboBox, totEdit, totExplorerBar, totHeader, totListBox, totListView, totMenu, totPage,
  totProgress, totRebar, totScrollBar, totSpin, totStartPanel, totStatus, totTab, totTaskBand, totTaskBar, totToolBar,
  totToolTip, totTrackBar, totTrayNotify, totTreeView, totWindow
};
constexpr int kThemedObjectTypeCount = 25;

// A set of themed object types: bit n for value n.
using TdxThemedObjectTypes = uint32_t;
constexpr TdxThemedObjectTypes ThemedTypes(std::initializer_list<TdxThemedObjectType> types) {
  TdxThemedObjectTypes set = 0;
  for (TdxThemedObjectType t : types) set |= TdxThemedObjectTypes(1) << t;
  return set;
}

// The class name a type is opened with by default.
const char16_t* dxThemedObjectClassName(TdxThemedObjectType type);

bool UxThemeLoaded();
// IsThemeActive as last read; False while the library is missing.
bool VisualStyleActive();
// Visual styles are active and every type of objectTypes opens (in ascending order).
bool AreVisualStylesAvailable(TdxThemedObjectTypes objectTypes = 0);
bool IsThemeTypeAvailable(TdxThemedObjectType objectType);
// The cached handle of the type (0 = none). classList null opens with the list
// stored for the type, else its class name; another list (compared upper-cased)
// closes the cached handle and opens anew.
HTHEME OpenThemeOfType(TdxThemedObjectType objectType, const std::u16string* classList = nullptr);
// 1 without visual styles, 0 when the type has no handle, else CloseThemeData's result.
win::HRESULT CloseThemeOfType(TdxThemedObjectType objectType);
// Closes every cached handle; the stored class lists stay for the next open.
void CloseCachedThemes();

// The hidden window told of visual-style changes; null while the library is missing.
win::HWND dxThemeChangedReceiverWindow();

// Registers itself while the library is loaded; OnThemeChanged runs after each
// visual-style change, in registration order.
class TdxThemeChangedNotificator {
public:
  TdxThemeChangedNotificator();
  ~TdxThemeChangedNotificator();
  TdxThemeChangedNotificator(const TdxThemeChangedNotificator&) = delete;
  TdxThemeChangedNotificator& operator=(const TdxThemeChangedNotificator&) = delete;

  std::function<void()> OnThemeChanged;
};

void dxThemeManagerUnitStart();
void dxThemeManagerUnitStop();
