#include "shell/ShellLibraries.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/com/com.h"
#include "platform/gdi/icon.h"
#include "platform/vcl/forms.h"
#include "platform/win/shellentries.h"
#include "platform/win/winuser.h"
#include "shell/LvAlphaBlender.h"
#include "shell/LvListview.h"
#include "shell/ShChangeNotifier.h"
#include "shell/ShCommonObjects.h"
#include "shell/ShCommonUtilities.h"
#include "shell/ShDataObject.h"
#include "shell/ShShellUtilities.h"
#include "shell/ShThreadManager.h"

TLvAlphaBlender* AlphaBlender = nullptr;
uint32_t CommonControlsVersion = 0xFFFFFFFF;
uint16_t CF_LVHEADER = 0;

namespace {

int32_t listviewStarted = 0;

// Two vertical bars with arrows out to either side, hot spot in the middle.
win::HCURSOR DrawHeaderSplitCursor() {
  constexpr int size = 32, centre = 16;
  std::vector<uint32_t> px(size * size, 0);
  std::vector<uint8_t> mask(size * size, 1);  // 1: transparent
  const auto put = [&](int x, int y, uint32_t colour) {
    px[size_t(y * size + x)] = colour;
    mask[size_t(y * size + x)] = 0;
  };
  for (int y = centre - 8; y <= centre + 8; ++y)
    for (int x : {centre - 2, centre + 1}) put(x, y, 0xFF000000u);
  for (int x = centre - 9; x <= centre + 8; ++x) put(x, centre, 0xFF000000u);
  for (int d = 1; d <= 3; ++d)
    for (int s : {-1, 1}) {
      put(centre - 9 + d, centre + s * d, 0xFF000000u);
      put(centre + 8 - d, centre + s * d, 0xFF000000u);
    }
  win::HCURSOR c = win::CreateIconFromPixels(size, size, px.data(), mask.data());
  if (c) {
    c->IsIcon = false;
    c->HotX = c->HotY = centre;
  }
  return c;
}

void LvListviewInitialize() {
  if (listviewStarted++ != 0) return;
  CommonControlsVersion = win::GetModuleFileVersion("comctl32.dll");
  win::OleInitialize(nullptr);
  const win::HINSTANCE module = win::GetModuleHandle(nullptr);
  if (!win::LoadCursor(module, "VEASYHEADERSPLIT"))
    win::RegisterModuleCursor(module, "VEASYHEADERSPLIT", DrawHeaderSplitCursor());
  Screen->SetCursors(crVEasyHeaderSplit, win::LoadCursor(module, "VEASYHEADERSPLIT"));
  CF_LVHEADER = ClipFormatValue(win::RegisterClipboardFormat("LvListview.Header"));
  AlphaBlender = new TLvAlphaBlender;
  RegisterListviewClasses();
}

void LvListviewFinalize() {
  if (listviewStarted == 0 || --listviewStarted != 0) return;
  TLvAlphaBlender* blender = AlphaBlender;
  AlphaBlender = nullptr;
  delete blender;
  win::OleUninitialize();
}

void StopUnitsFromShellUtilities() {
  ShShellUtilitiesFinalize();
  ShThreadManagerFinalize();
  ShCommonObjectsFinalize();
  ShDataObjectFinalize();
  ShCommonUtilitiesFinalize();
}

}  // namespace

void RegisterListviewClasses() {
  for (TClass c : {TLvGroup::StaticClass(), TLvGroupVirtual::StaticClass(), TLvGroupInterfaced::StaticClass(),
                   TLvGroupStored::StaticClass(), TLvGroupTaskPanel::StaticClass(), TLvItem::StaticClass(),
                   TLvItemVirtual::StaticClass(), TLvItemInterfaced::StaticClass(), TLvItemStored::StaticClass(),
                   TLvColumn::StaticClass(), TLvColumnVirtual::StaticClass(), TLvColumnInterfaced::StaticClass(),
                   TLvColumnStored::StaticClass()})
    RegisterClass(c);
}

void ShellLibrariesInitialize() {
  ShCommonUtilitiesInitialize();
  ShDataObjectInitialize();
  ShCommonObjectsInitialize();
  ShThreadManagerInitialize();
  if (!ShShellUtilitiesInitialize()) {
    StopUnitsFromShellUtilities();
    std::fputs("duplexion: shell32 lacks the PIDL comparison entry points (ordinals 21 and 23); stopping\n", stderr);
    std::exit(1);
  }
  ShChangeNotifierInitialize();
  LvListviewInitialize();
}

void ShellLibrariesFinalize() {
  LvListviewFinalize();
  ShChangeNotifierFinalize();
  StopUnitsFromShellUtilities();
}
