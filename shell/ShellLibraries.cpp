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
#include "shell/ShCaptions.h"
#include "shell/ShChangeNotifier.h"
#include "shell/ShCommonObjects.h"
#include "shell/ShCommonUtilities.h"
#include "shell/ShDataObject.h"
#include "shell/ShShellTypes.h"
#include "shell/ShShellUtilities.h"
#include "shell/ShThreadManager.h"
#include "shell/TreeViewBase.h"
#include "shell/UnitSupport.h"

TLvAlphaBlender* AlphaBlender = nullptr;
uint32_t CommonControlsVersion = 0xFFFFFFFF;
uint16_t CF_LVHEADER = 0;

namespace {

TUnitCounter listviewUnit;

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
  if (!listviewUnit.Starting()) return;
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
  if (!listviewUnit.Stopping()) return;
  TLvAlphaBlender* blender = AlphaBlender;
  AlphaBlender = nullptr;
  delete blender;
  win::OleUninitialize();
}

// The units before the tree-view units, in the reverse order.
void StopUnitsFromShellUtilities() {
  ShShellUtilitiesFinalize();
  ShThreadManagerFinalize();
  ShCommonObjectsFinalize();
  ShDataObjectFinalize();
  ShCommonUtilitiesFinalize();
  ShCaptionsFinalize();
  ShShellTypesFinalize();
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

const char* const LvViewNames[8] = {"Icon",      "Small Icon", "List",      "Details",
                                    "Thumbnail", "Tile",       "FilmStrip", "Grid"};
const char* const LvSortAlgorithmNames[3] = {"QuickSort", "BubbleSort", "MergeSort"};

// The units in the order of the program's unit table; the application
// framework's unit between the common utilities and the data object starts
// with the framework.
void ShellLibrariesInitialize() {
  ShShellTypesInitialize();
  ShCaptionsInitialize();
  ShCommonUtilitiesInitialize();
  ShDataObjectInitialize();
  ShCommonObjectsInitialize();
  ShThreadManagerInitialize();
  if (!ShShellUtilitiesInitialize()) {
    // Ending silently with code 0 would report the failure as success.
    StopUnitsFromShellUtilities();
    std::fputs("duplexion: shell32 lacks the PIDL comparison entry points (ordinals 21 and 23); stopping\n", stderr);
    std::exit(1);
  }
  TreeViewMessagesInitialize();
  TreeViewHelperInitialize();
  TreeViewBaseInitialize();
  ShToolsCaptionsInitialize();
  ShChangeNotifierInitialize();
  LvListviewInitialize();
}

void ShellLibrariesFinalize() {
  LvListviewFinalize();
  ShChangeNotifierFinalize();
  ShToolsCaptionsFinalize();
  TreeViewBaseFinalize();
  TreeViewHelperFinalize();
  TreeViewMessagesFinalize();
  StopUnitsFromShellUtilities();
}
