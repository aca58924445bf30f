// Doubles for the item-control tests: a bar window standing in for the
// toolbar and menu windows (its paint type, activity and the control under
// the mouse are set by the test), item controls with a chosen structure,
// parts or no view level, and a form with a manager, a test font and a
// two-image list.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/text.h"
#include "platform/vcl/graphics.h"
#include "platform/vcl/imglist.h"
#include "tests/ui/bars/item_doubles.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarItems.h"
#include "ui/bars/dxBarViewInfo.h"

namespace bartest {

// A bar window of no particular kind.
class TTestBarControl : public TCustomdxBarControl {
public:
  explicit TTestBarControl(TdxBarManager* AManager) : TCustomdxBarControl(AManager) {}
  TdxBarItemControl* ItemControlAtPos(TPoint) override { return UnderMouse; }
  bool IsActive() const override { return Active; }
  void RebuildBar() override { ++Rebuilds; }
  void InvalidateItemControl(TdxBarItemControl*) override { ++Invalidations; }

  TdxBarItemControl* UnderMouse = nullptr;
  bool Active = false;
  int Rebuilds = 0;
  int Invalidations = 0;
};

// Answers no view level at all.
class TNoLevelsControl : public TdxBarItemControl {
  DX_CLASS(TNoLevelsControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
  TdxBarItemViewLevels GetPossibleViewLevels() override { return 0; }
};

// Shows what the test sets in Structure.
class TStructureControl : public TdxBarItemControl {
  DX_CLASS(TStructureControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
  TdxBarItemViewStructure GetViewStructure() override { return Structure; }
  TdxBarItemViewStructure Structure = ivsText;
};

// A main part and an arrow part 9 pixels wide at the far end, 2 pixels apart;
// its rectangle set by the test.
class TTwoPartControl : public TdxBarItemControl {
  DX_CLASS(TTwoPartControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
  void SetItemRect(const TRect& R) { rect_ = R; }
  TRect GetItemRect() const override { return rect_; }
  int32_t GetPartCount() override { return 2; }
  void CalcParts() override {
    parts_ = {TRect(rect_.Left, rect_.Top, rect_.Right - 11, rect_.Bottom),
              TRect(rect_.Right - 9, rect_.Top, rect_.Right, rect_.Bottom)};
  }

private:
  TRect rect_;
};

// A form with a manager, a toolbar-like test bar window in the test font and
// a list of two 16 x 16 images.
class ItemControlFormTest : public BarManagerFormTest {
protected:
  void SetUp() override {
    BarManagerFormTest::SetUp();
    form_->SetBounds(0, 0, 400, 300);
    toolbar_ = new TTestBarControl(manager_);
    toolbar_->SetParent(form_.get());
    toolbar_->SetBounds(0, 0, 300, 60);
    toolbar_->HandleNeeded();
    toolbar_->Canvas()->Font()->SetName("DejaVu Sans");
    toolbar_->Canvas()->Font()->SetSize(9);
    links_ = std::make_unique<TdxBarItemLinks>(manager_, nullptr);
    images_ = new TImageList(form_.get());
    images_->SetSize(16, 16);
    for (TColor color : {clRed, clBlue}) {
      TBitmap image;
      image.SetSize(16, 16);
      image.Canvas()->Brush()->SetColor(color);
      image.Canvas()->FillRect(TRect(0, 0, 16, 16));
      images_->Add(&image, nullptr);
    }
  }
  void TearDown() override {
    links_.reset();
    BarManagerFormTest::TearDown();
  }

  template <class T>
  T* NewItem() {
    return new T(form_.get());
  }
  // A control of class T for a new link to AItem; the link owns it.
  template <class T>
  T* NewControl(TCustomdxBarControl* ABar, TdxBarItem* AItem) {
    TdxBarItemLink* link = links_->Add();
    link->SetItem(AItem);
    auto* control = new T(ABar, link);
    link->SetControl(control);
    return control;
  }
  // The extent of AText in the test font, measured on a DC of its own.
  TSize TextExtent(const std::string& AText) {
    win::HDC dc = win::CreateCompatibleDC(nullptr);
    win::LOGFONT lf{};
    win::GetObject(toolbar_->Canvas()->Font()->Handle(), sizeof(lf), &lf);
    win::HFONT font = win::CreateFontIndirect(&lf);
    win::HGDIOBJ old = win::SelectObject(dc, font);
    TSize size;
    win::GetTextExtentPoint32W(dc, AText, -1, &size);
    win::SelectObject(dc, old);
    win::DeleteObject(font);
    win::DeleteDC(dc);
    return size;
  }
  int32_t TextWidth(const std::string& AText) { return TextExtent(AText).cx; }
  int32_t TextHeight(const std::string& AText) { return TextExtent(AText).cy; }

  TTestBarControl* toolbar_ = nullptr;  // owned by the manager
  std::unique_ptr<TdxBarItemLinks> links_;
  TImageList* images_ = nullptr;  // owned by the form
};

}  // namespace bartest
