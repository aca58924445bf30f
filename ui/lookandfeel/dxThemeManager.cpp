#include "ui/lookandfeel/dxThemeManager.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/forms.h"

namespace {

struct TdxThemeData {
  HTHEME Theme = 0;
  std::u16string ClassList;
};

constexpr const char16_t* kClassNames[kThemedObjectTypeCount] = {
    u"Button",   u"Clock",     u"ComboBox", u"Edit",       u"ExplorerBar", u"Header",  u"ListBox",
    u"ListView", u"Menu",      u"Page",     u"Progress",   u"Rebar",       u"ScrollBar", u"Spin",
    u"StartPanel", u"Status",  u"Tab",      u"TaskBand",   u"TaskBar",     u"ToolBar", u"ToolTip",
    u"TrackBar", u"TrayNotify", u"TreeView", u"Window"};

TdxThemeData themes[kThemedObjectTypeCount];
bool loaded = false;
bool visualStyleActive = false;
win::HWND receiver = nullptr;
// Exists only while the library is loaded.
std::unique_ptr<std::vector<TdxThemeChangedNotificator*>> notificators;

bool SameUpper(std::u16string_view a, std::u16string_view b) {
  return AnsiUpperCase(Utf16ToUtf8(a)) == AnsiUpperCase(Utf16ToUtf8(b));
}

void ThemeChanged(TMessage& message) {
  if (message.Msg != win::WM_THEMECHANGED) {
    message.Result = win::DefWindowProc(receiver, message.Msg, message.WParam, message.LParam);
    return;
  }
  try {
    CloseCachedThemes();
    win::DefWindowProc(receiver, message.Msg, message.WParam, message.LParam);
    visualStyleActive = IsThemeActive();
    message.Result = 0;
    if (notificators) {
      // The count is taken once: a notificator created by a handler waits for the next change.
      const size_t count = notificators->size();
      for (size_t i = 0; i < count && i < notificators->size(); ++i) {
        TdxThemeChangedNotificator* n = (*notificators)[i];
        if (n->OnThemeChanged) n->OnThemeChanged();
      }
    }
  } catch (...) {
    if (Application) Application->HandleException(nullptr);
  }
}

}  // namespace

const char16_t* dxThemedObjectClassName(TdxThemedObjectType type) { return kClassNames[type]; }

bool UxThemeLoaded() { return loaded; }
bool VisualStyleActive() { return visualStyleActive; }

bool AreVisualStylesAvailable(TdxThemedObjectTypes objectTypes) {
  if (!(visualStyleActive && loaded)) return false;
  for (int t = 0; t < kThemedObjectTypeCount; ++t)
    if ((objectTypes >> t & 1) && OpenThemeOfType(TdxThemedObjectType(t)) == 0) return false;
  return true;
}

bool IsThemeTypeAvailable(TdxThemedObjectType objectType) {
  return visualStyleActive && loaded && OpenThemeOfType(objectType) != 0;
}

HTHEME OpenThemeOfType(TdxThemedObjectType objectType, const std::u16string* classList) {
  if (!AreVisualStylesAvailable()) return 0;
  TdxThemeData& data = themes[objectType];
  if (data.Theme != 0) {
    if (classList == nullptr || SameUpper(*classList, data.ClassList)) return data.Theme;
    CloseThemeOfType(objectType);
  }
  std::u16string list = classList ? *classList : !data.ClassList.empty() ? data.ClassList : kClassNames[objectType];
  data.Theme = OpenThemeData(nullptr, list);
  if (data.Theme != 0)
    data.ClassList = std::move(list);
  else
    data.ClassList.clear();
  return data.Theme;
}

win::HRESULT CloseThemeOfType(TdxThemedObjectType objectType) {
  if (!AreVisualStylesAvailable()) return win::S_FALSE;
  TdxThemeData& data = themes[objectType];
  if (data.Theme == 0) return win::S_OK;
  const win::HRESULT result = CloseThemeData(data.Theme);
  data.Theme = 0;
  data.ClassList.clear();
  return result;
}

void CloseCachedThemes() {
  for (TdxThemeData& data : themes) {
    if (data.Theme == 0) continue;
    CloseThemeData(data.Theme);
    data.Theme = 0;
  }
}

win::HWND dxThemeChangedReceiverWindow() { return receiver; }

TdxThemeChangedNotificator::TdxThemeChangedNotificator() {
  if (notificators) notificators->push_back(this);
}

TdxThemeChangedNotificator::~TdxThemeChangedNotificator() {
  if (!notificators) return;
  auto it = std::find(notificators->begin(), notificators->end(), this);
  if (it != notificators->end()) notificators->erase(it);
}

void dxThemeManagerUnitStart() {
  loaded = dxUxThemeLibraryLoaded();
  if (!loaded) return;
  visualStyleActive = IsThemeActive();
  receiver = AllocateHWnd(&ThemeChanged);
  notificators = std::make_unique<std::vector<TdxThemeChangedNotificator*>>();
}

void dxThemeManagerUnitStop() {
  if (!loaded) return;
  visualStyleActive = false;
  DeallocateHWnd(receiver);
  receiver = nullptr;
  CloseCachedThemes();
  for (TdxThemeData& data : themes) data.ClassList.clear();
  notificators.reset();
  loaded = false;
}
