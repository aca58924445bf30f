// Doubles for the item tests: an item control that logs the item's notices,
// bar windows of a chosen kind, a popup menu that records how it was asked
// to open, and a designer standing in for the form designer and the design
// controller.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "tests/ui/bars/bar_doubles.h"
#include "ui/bars/dxBarPopupMenu.h"
#include "ui/bars/dxBar.h"

namespace bartest {

// Logs "<name> <notice>" for every notice of its item.
class TRecordingItemControl : public TdxBarItemControl {
public:
  TRecordingItemControl(TCustomdxBarControl* AParent, TdxBarItemLink* ALink, std::string AName, TLog& ALog)
      : TdxBarItemControl(AParent, ALink), name_(std::move(AName)), log_(ALog) {
    ALink->SetControl(this);
  }
  ~TRecordingItemControl() override {
    if (ItemLink()->Control() == this) ItemLink()->SetControl(nullptr);
  }
  void CaptionChanged() override { Log("caption"); }
  void EnabledChanged() override { Log("enabled"); }
  void ImageChanged() override { Log("image"); }
  void LargeImageChanged() override { Log("large image"); }
  void SecondaryImageChanged() override { Log("hot image"); }
  void PaintStyleChanged() override { Log("paint style"); }
  void WidthChanged() override { Log("width"); }
  void ClearGlyphCache(bool AResetWidths) override { Log(AResetWidths ? "clear all" : "clear glyph"); }
  void Invalidate() override { Log("invalidate"); }
  void Refresh() override { Log("refresh"); }
  void RefreshDesignState() override { Log("design state"); }
  bool IsActive() const override { return Active; }
  TdxBarPaintStyle GetPaintStyle() const override { return HasPaintStyle ? PaintStyle : TdxBarItemControl::GetPaintStyle(); }
  bool BarHasChildShadows() const override { return ChildShadows; }
  TRect GetItemRect() const override { return ItemRect; }

  bool Active = false;
  bool HasPaintStyle = false;
  TdxBarPaintStyle PaintStyle = psStandard;
  bool ChildShadows = false;
  TRect ItemRect;

private:
  void Log(const std::string& ANotice) { log_.push_back(name_ + " " + ANotice); }
  std::string name_;
  TLog& log_;
};

// A bar window of a given kind that logs its rebuilds.
class TKindBarControl : public TRecordingBarControl {
public:
  TKindBarControl(TdxBarManager* AManager, std::string AName, TLog& ALog, int32_t AKind, bool AVertical = false)
      : TRecordingBarControl(AManager, std::move(AName), ALog), kind_(AKind), vertical_(AVertical) {}
  int32_t GetBarKind() const override { return kind_; }
  bool IsVertical() const override { return vertical_; }
  bool IsActive() const override { return Active; }
  bool Active = false;

private:
  int32_t kind_;
  bool vertical_;
};

// Records the options and owner control the menu had when asked to pop up.
class TRecordingPopupMenu : public TdxBarPopupMenu {
public:
  using TdxBarPopupMenu::TdxBarPopupMenu;
  void Popup(int32_t X, int32_t Y) override {
    At = {X, Y};
    Options = PopupOptions();
    Owner = OwnerItemControl();
    ++Popups;
  }
  TPoint At;
  TPopupOptions Options;
  TdxBarItemControl* Owner = nullptr;
  int Popups = 0;
};

// The form designer and design controller as the items ask them.
class TFakeDesigner : public IdxBarItemDesigner {
public:
  TFakeDesigner() { SetdxBarItemDesigner(this); }
  ~TFakeDesigner() override { SetdxBarItemDesigner(nullptr); }
  bool IsItemLinkCustomized() override { return Customized; }
  TObject* LastSelectedElement() override { return LastSelected; }
  void DropStaleLastSelection() override { Log.push_back("drop stale"); }
  void SelectBarControl(TCustomdxBarControl* ABarControl) override {
    Log.push_back("select " + std::string(ABarControl->Name()));
  }
  void ShowDefaultEventHandler(TdxBarItem* AItem) override { Log.push_back("handler " + AItem->Name()); }
  bool ShouldSelectByDefault() override { return SelectByDefault; }

  bool Customized = false;
  bool SelectByDefault = true;
  TObject* LastSelected = nullptr;
  TLog Log;
};

// A key with Ctrl, as the framework codes it: the virtual key plus 0x4000.
inline TShortCut Ctrl(char AKey) { return TShortCut(0x4000 | AKey); }

// A form with a bar manager, and bars made of items.
class BarManagerFormTest : public BarFormTest {
protected:
  void SetUp() override {
    BarFormTest::SetUp();
    manager_ = new TdxBarManager(form_.get());
  }
  // A new bar of the manager with a link to each item.
  TdxBar* BarWith(std::initializer_list<TdxBarItem*> AItems) {
    TdxBar* bar = manager_->Bars()->Add();
    for (TdxBarItem* item : AItems) bar->GetItemLinks()->Add()->SetItem(item);
    return bar;
  }
  TdxBarManager* manager_ = nullptr;  // owned by the form
};

}  // namespace bartest
