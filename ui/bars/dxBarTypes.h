// The vocabulary the toolbar library shares between the bar manager and the
// toolbar windows, items and painters: enumerations, the element interfaces
// and the key-tip record.
//
//   bar          a toolbar or the main menu (TdxBar), a collection item of the manager
//   bar window   the window that shows a bar or a menu (TCustomdxBarControl)
//   dock site    the window that holds docked bar windows in rows (TdxDockControl)
//   item         a command component (TdxBarItem); a link places it in a bar
//   item control the on-screen part of one link in one bar window
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/rtl/types.h"

class TPersistent;
class TdxBarManager;
class TCustomdxBarControl;
class TdxBarKeyTipWindows;
class TdxObjectList;

enum TdxBarManagerStyle : uint8_t { bmsStandard, bmsEnhanced, bmsFlat, bmsXP, bmsOffice11, bmsUseLookAndFeel };
enum TdxBarMenuAnimations : uint8_t { maNone, maRandom, maUnfold, maSlide, maFade };
enum TdxBarDockingStyle : uint8_t { dsNone, dsLeft, dsTop, dsRight, dsBottom };
enum TdxBarItemVisible : uint8_t { ivNever, ivInCustomizing, ivAlways };
enum TdxBarItemAlign : uint8_t { iaLeft, iaCenter, iaRight, iaClient };
enum TdxBarItemMergeKind : uint8_t { mkAdd, mkMergeByCaption, mkNone };
enum TdxBarPaintStyle : uint8_t { psStandard, psCaption, psCaptionInMenu, psCaptionGlyph };
enum TdxBarGlyphLayout : uint8_t { glLeft, glRight, glTop, glBottom };
// Bit 0 of a button style: the button can be checked.
enum TdxBarButtonStyle : uint8_t { bsDefault, bsChecked, bsDropDown, bsCheckedDropDown };
// What a link shows of its own instead of its item's value: a set, one bit per value.
enum TdxBarUserDefine : uint8_t { udCaption, udGlyph, udPaintStyle, udWidth };
using TdxBarUserDefines = uint8_t;
constexpr TdxBarUserDefines UserDefineBit(TdxBarUserDefine d) { return TdxBarUserDefines(1u << d); }

// A set of TdxBarDockingStyle, one bit per style (bit i for ordinal i).
using TdxBarDockingStyles = uint8_t;
constexpr TdxBarDockingStyles DockingStyleBit(TdxBarDockingStyle s) { return TdxBarDockingStyles(1u << s); }
constexpr bool InDockingStyles(TdxBarDockingStyles set, TdxBarDockingStyle s) { return (set & DockingStyleBit(s)) != 0; }
// The left and right docks grow in width, the top and bottom ones in height.
constexpr bool IsVerticalDockingStyle(TdxBarDockingStyle s) { return s == dsLeft || s == dsRight; }

// The thirteen customization actions, bcaReset (0) to bcaMostRecentlyUsed (12).
using TdxBarCustomizationAction = uint8_t;
using TdxBarCustomizationActions = uint16_t;

// The keyboard-navigation node of every bar element. The toolbar windows
// implement it; the manager only passes it around.
class IdxBarAccessibilityHelper {
public:
  virtual ~IdxBarAccessibilityHelper() = default;
  // ---- keyboard navigation and key tips (by default an element takes no part)
  // The key-tip label windows of a key-tip container.
  virtual TdxBarKeyTipWindows* GetKeyTipWindowsManager() { return nullptr; }
  // Adds a TdxBarKeyTipData for each key tip of the container's elements (texts made unique).
  virtual void CollectKeyTips(TdxObjectList* /*AList*/) {}
  // The nearest element in a direction: 0 left, 1 up, 2 right, 3 down.
  virtual IdxBarAccessibilityHelper* GetNextAccessibleObject(int32_t /*ADirection*/) { return nullptr; }
  virtual IdxBarAccessibilityHelper* GetNextTabObject(bool /*ABackward*/) { return nullptr; }
  // Handles a navigation key itself (it may change the key); True when handled.
  virtual bool ProcessNavKey(uint16_t& /*AKey*/) { return false; }
  virtual bool AcceptsNavKey(uint16_t /*AKey*/) { return false; }
  virtual bool CanNavigateToChildren(uint16_t /*AKey*/) { return false; }
  virtual void Select(bool /*AByTab*/) {}
  // ANext is the element selected next, null when none.
  virtual void Unselect(IdxBarAccessibilityHelper* /*ANext*/) {}
  // The helper itself when selectable, else its first selectable descendant; null when none.
  virtual IdxBarAccessibilityHelper* FirstSelectableElement() { return nullptr; }
  virtual TCustomdxBarControl* GetBarControl() = 0;
  virtual TdxBarManager* GetBarManager() = 0;
  // The element that Alt or F10 selects; null when none.
  virtual IdxBarAccessibilityHelper* GetDefaultSelectableChild() = 0;
  virtual TRect GetScreenBounds() = 0;
  // The element's owner is being destroyed: the helper never touches it again.
  virtual void NotifyOwnerDestroyed() = 0;
  // The element whose key tips enclose this one's; null at the top.
  virtual IdxBarAccessibilityHelper* GetKeyTipParent() = 0;
  virtual bool IsKeyTipContainer() = 0;
  // The helper of the bar window the element lies in.
  virtual IdxBarAccessibilityHelper* GetBarHelper() = 0;
  // What Esc does while key tips are shown (called on a bar helper).
  virtual void EscapeKeyTipScope() = 0;
};

class TdxObjectList;

// The element view through which selection, deletion and customization reach
// bars, links, items and groups; the operations in their slot order.
class IdxBarSelectableItem {
public:
  virtual ~IdxBarSelectableItem() = default;
  virtual bool CanBeDeleted(bool Destruction) = 0;
  // Deletes the element when it allows it and clears AReference.
  virtual void DeleteIfAllowed(IdxBarSelectableItem*& AReference, bool Destruction) = 0;
  virtual void CopyActionSetting(TdxBarCustomizationAction AAction) = 0;
  virtual TdxBarManager* GetBarManager() = 0;
  // The object behind the interface.
  virtual TPersistent* ImplementingObject() = 0;
  // Adds the element's master objects once each.
  virtual void CollectOwners(TdxObjectList* AList) = 0;
  // The next element in the bar's order; null when none.
  virtual void NextSelectable(IdxBarSelectableItem*& AElement) = 0;
  // What takes the selection when no next element can.
  virtual TPersistent* SelectableParentObject() = 0;
  // 1 when the designer has the element selected.
  virtual int32_t GetDesignSelectionState() = 0;
  virtual TdxBarCustomizationActions ElementActions() = 0;
  virtual bool IsComplexElement() = 0;
  virtual bool IsDesignSelected() = 0;
  virtual void DesignSelect(int32_t AOperation) = 0;
  virtual bool SelectOwnParent() = 0;
  // Repaints the element's selection frame.
  virtual void RefreshSelectionMark() = 0;
};

class TdxBarItem;
class TdxBarItemLinks;
class TCustomdxBarControl;

// What owns item links (a bar, a sub-item, a popup menu).
class IdxBarLinksOwner {
public:
  virtual ~IdxBarLinksOwner() = default;
  virtual TdxBarItemLinks* GetItemLinks() = 0;
  // False with the refusal text when the owner cannot show AItem.
  virtual bool CanContainItem(TdxBarItem* AItem, std::string& AErrorText) {
    (void)AItem;
    AErrorText.clear();
    return true;
  }
  // Makes the window that shows the links; null when the owner has none.
  virtual TCustomdxBarControl* CreateBarControl() = 0;
};

// Filled by an element that shows a key tip.
struct TdxBarKeyTipInfo {
  std::string KeyTip;
  TPoint BasePoint;
  uint8_t HorzAlign = 0;
  uint8_t VertAlign = 0;
  bool Visible = false;
  bool Enabled = false;
  // Called with False when the key tip is typed.
  std::function<void(bool)> ExecuteProc;
};

// The hint an item gives for the item-hint window.
class IdxBarItemHint {
public:
  virtual ~IdxBarItemHint() = default;
  // False when the item has no hint text.
  virtual bool GetHintText(std::string& AHint, std::string& AShortCut) = 0;
  virtual bool IsHintEnabled() = 0;
};
