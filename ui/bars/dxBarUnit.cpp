// The toolbar unit's start-up and shut-down: its process-wide state made once
// before the main form exists and released after the main window has closed.
// The steps and their order are told in dxBarStartup.h.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/gdi/icon.h"
#include "platform/vcl/forms.h"
#include "platform/win/winuser.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarButtonControls.h"
#include "ui/bars/dxBarButtons.h"
#include "ui/bars/dxBarComponents.h"
#include "ui/bars/dxBarDrawing.h"
#include "ui/bars/dxBarHooks.h"
#include "ui/bars/dxBarLabels.h"
#include "ui/bars/dxBarNavigation.h"
#include "ui/bars/dxBarRoutines.h"
#include "ui/bars/dxBarStartup.h"
#include "ui/bars/dxBarStaticControls.h"
#include "ui/lookandfeel/dxCore.h"

namespace {

template <class T>
TdxBarItemControl* Make(TCustomdxBarControl* ABar, TdxBarItemLink* ALink) {
  return new T(ABar, ALink);
}

// Which control shows which item, in the order of registration. The item
// classes whose controls this system does not have yet (edits and combos,
// sub-items, list and container items, the application-menu button item, the
// quick-customization and system-menu items) get their rows with them.
const TdxBarItemClassRow kItemClasses[] = {
    {TdxBarButton::StaticClass(), TdxBarButtonControl::StaticClass(), true, &Make<TdxBarButtonControl>},
    {TdxBarLargeButton::StaticClass(), TdxBarLargeButtonControl::StaticClass(), true, &Make<TdxBarLargeButtonControl>},
    {TdxBarLabel::StaticClass(), TdxBarCustomStaticControl::StaticClass(), false, &Make<TdxBarCustomStaticControl>},
    {TdxBarSeparator::StaticClass(), TdxBarSeparatorControl::StaticClass(), true, &Make<TdxBarSeparatorControl>},
};

// The maker the item links call: the row naming the control class makes it.
TdxBarItemControl* MakeItemControl(TClass AControlClass, TCustomdxBarControl* ABar, TdxBarItemLink* ALink) {
  for (const TdxBarItemClassRow& row : kItemClasses)
    if (row.ControlClass == AControlClass) return row.Make(ABar, ALink);
  throw EdxException(std::string("dxBarCreateItemControl: no item control of class ") +
                     (AControlClass ? AControlClass->Name : "(none)"));
}

void RegisterItemClasses() {
  for (const TdxBarItemClassRow& row : kItemClasses) RegisterBarItemClass(row.ItemClass, row.ControlClass, row.Listed);
  SetdxBarCreateItemControlProc(&MakeItemControl);
}

// ---------------------------------------------------------------- cursors
// Drawn here rather than taken from a resource: 32 x 32, '#' black, 'o'
// white, anything else transparent.

class TCursorPicture {
public:
  void Rows(int32_t ALeft, int32_t ATop, std::initializer_list<const char*> ARows) {
    int32_t y = ATop;
    for (const char* row : ARows) {
      for (int32_t x = ALeft; *row; ++row, ++x) {
        if (*row == '#') Put(x, y, 0xFF000000u);
        if (*row == 'o') Put(x, y, 0xFFFFFFFFu);
      }
      ++y;
    }
  }
  void Put(int32_t X, int32_t Y, uint32_t AColor) {
    if (X < 0 || Y < 0 || X >= kSize || Y >= kSize) return;
    pixels_[size_t(Y * kSize + X)] = AColor;
    mask_[size_t(Y * kSize + X)] = 0;
  }
  win::HCURSOR Make(int32_t AHotX, int32_t AHotY) const {
    win::HCURSOR cursor = win::CreateIconFromPixels(kSize, kSize, pixels_.data(), mask_.data());
    if (cursor) {
      cursor->IsIcon = false;
      cursor->HotX = AHotX;
      cursor->HotY = AHotY;
    }
    return cursor;
  }

private:
  static constexpr int32_t kSize = 32;
  std::vector<uint32_t> pixels_ = std::vector<uint32_t>(kSize * kSize, 0);
  std::vector<uint8_t> mask_ = std::vector<uint8_t>(kSize * kSize, 1);
};

// The arrow of the drag cursors, its tip the hot spot.
void DrawDragArrow(TCursorPicture& APicture) {
  APicture.Rows(0, 0, {"#", "##", "#o#", "#oo#", "#ooo#", "#oooo#", "#ooooo#", "#oooooo#", "#ooooooo#", "#oooooooo#",
                       "#ooooo#####", "#oo#oo#", "#o# #oo#", "##  #oo#", "#    #oo#", "     #oo#", "      ##"});
}

// The dragged item: a dotted frame below the arrow.
void DrawDraggedItem(TCursorPicture& APicture) {
  APicture.Rows(9, 18, {"# # # # # # #", "", "#           #", "", "#           #", "", "# # # # # # #"});
}

win::HCURSOR DrawDragCursor() {
  TCursorPicture picture;
  DrawDragArrow(picture);
  DrawDraggedItem(picture);
  return picture.Make(0, 0);
}

// The drag cursor with a plus sign.
win::HCURSOR DrawDragCopyCursor() {
  TCursorPicture picture;
  DrawDragArrow(picture);
  DrawDraggedItem(picture);
  picture.Rows(20, 11, {"#########", "#ooooooo#", "#ooo#ooo#", "#ooo#ooo#", "#o#####o#", "#ooo#ooo#", "#ooo#ooo#",
                        "#ooooooo#", "#########"});
  return picture.Make(0, 0);
}

// The arrow over a crossed-out circle.
win::HCURSOR DrawDragNoDropCursor() {
  TCursorPicture picture;
  constexpr int32_t cx = 20, cy = 21, r = 7;
  for (int32_t y = cy - r; y <= cy + r; ++y)
    for (int32_t x = cx - r; x <= cx + r; ++x) {
      const int32_t d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy), diagonal = (x - cx) - (y - cy);
      const bool ring = d2 >= (r - 2) * (r - 2) && d2 <= r * r;
      const bool bar = d2 <= r * r && diagonal >= -1 && diagonal <= 1;
      if (ring || bar) picture.Put(x, y, 0xFF000000u);
    }
  DrawDragArrow(picture);
  return picture.Make(0, 0);
}

// A double arrow across a bar, its centre the hot spot.
win::HCURSOR DrawEditSizingCursor() {
  TCursorPicture picture;
  picture.Rows(5, 8, {"          ##          ", "          ##          ", "          ##          ",
                      "          ##          ", "   #      ##      #   ", "  ##      ##      ##  ",
                      " #o########o#######o# ", "#ooooooooooooooooooo##", " #o########o#######o# ",
                      "  ##      ##      ##  ", "   #      ##      #   ", "          ##          ",
                      "          ##          ", "          ##          ", "          ##          "});
  return picture.Make(16, 15);
}

void InstallCursors() {
  struct TCursorRow {
    int32_t Id;
    const char* Name;
    win::HCURSOR (*Draw)();
  };
  static const TCursorRow kCursors[] = {
      {crdxBarDrag, "DXBARDRAGCURSOR", &DrawDragCursor},
      {crdxBarDragCopy, "DXBARDRAGCOPYCURSOR", &DrawDragCopyCursor},
      {crdxBarDragNoDrop, "DXBARDRAGNODROPCURSOR", &DrawDragNoDropCursor},
      {crdxBarEditSizing, "DXBAREDITSIZINGCURSOR", &DrawEditSizingCursor},
  };
  const win::HINSTANCE program = win::GetModuleHandle(nullptr);
  for (const TCursorRow& row : kCursors) {
    if (!win::LoadCursor(program, row.Name)) win::RegisterModuleCursor(program, row.Name, row.Draw());
    if (Screen) Screen->SetCursors(row.Id, win::LoadCursor(program, row.Name));
  }
}

}  // namespace

std::span<const TdxBarItemClassRow> dxBarItemClassRows() { return kItemClasses; }

void dxBarUnitStart() {
  dxBarRegisterProperties();
  BindBarUser32();
  dxBarManagerList();
  ReadScreenColorDepth();
  BuildDitherBrush();
  CreateNavigationController();
  RegisterItemClasses();
  InstallCursors();
  JoinBarInitProc();
}

void dxBarUnitStop() {
  MarkBarUnitFinalizing();
  FreeNavigationController();
  FreeItemClassRegistry();
  FreeSharedFlatPainter();
  FreeDitherBrush();
  FreeBarManagerList();
  ReleaseBarUser32();
  SetdxBarCreateItemControlProc(nullptr);
  LeaveBarInitProc();
}
