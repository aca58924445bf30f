// Recording doubles of the toolbar windows, dock sites and items that the
// toolbar windows will give their real behaviour: each writes what the bar
// manager tells it into a shared log, as "<name> <notice>".
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/forms.h"
#include "platform/win/winuser.h"
#include "tests/platform/vcl/controls_test.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarHooks.h"

namespace bartest {

using TLog = std::vector<std::string>;

// Puts one font of the platform's non-client metrics (the menu font, the
// small caption font, ...) into place for the length of a test.
class NonClientFontOverride {
public:
  NonClientFontOverride(win::LOGFONT win::NONCLIENTMETRICS::*font, const char* face, int32_t height) {
    saved_.cbSize = sizeof(saved_);
    win::SystemParametersInfoW(win::SPI_GETNONCLIENTMETRICS, 0, &saved_, 0);
    win::NONCLIENTMETRICS m = saved_;
    win::SetFaceName(m.*font, face);
    (m.*font).lfHeight = height;
    win::SystemParametersInfoW(win::SPI_SETNONCLIENTMETRICS, 0, &m, 0);
  }
  ~NonClientFontOverride() { win::SystemParametersInfoW(win::SPI_SETNONCLIENTMETRICS, 0, &saved_, 0); }
  NonClientFontOverride(const NonClientFontOverride&) = delete;
  NonClientFontOverride& operator=(const NonClientFontOverride&) = delete;

private:
  win::NONCLIENTMETRICS saved_;
};

// A dock site that logs WM_SETREDRAW, WM_NCPAINT and the manager's notices.
class TRecordingDock : public TdxBarDockControl {
public:
  TRecordingDock(TWinControl* AParent, std::string AName, TLog& ALog)
      : TdxBarDockControl(nullptr), name_(std::move(AName)), log_(ALog) {
    SetParent(AParent);
  }
  void UpdateColor() override { log_.push_back(name_ + " color"); }
  void UpdateDock() override { log_.push_back(name_ + " layout"); }
  void RepaintDock() override { log_.push_back(name_ + " repaint"); }
  void RecreateBorder() override { log_.push_back(name_ + " border"); }

protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == win::WM_SETREDRAW) log_.push_back(name_ + " redraw " + std::to_string(m.WParam));
    if (m.Msg == win::WM_NCPAINT) log_.push_back(name_ + " ncpaint");
    TdxBarDockControl::WndProc(m);
  }

private:
  std::string name_;
  TLog& log_;
};

// A bar window that logs the manager's notices.
class TRecordingBarControl : public TCustomdxBarControl {
public:
  TRecordingBarControl(TdxBarManager* AManager, std::string AName, TLog& ALog)
      : TCustomdxBarControl(AManager), name_(std::move(AName)), log_(ALog) {}
  void RebuildBar() override { log_.push_back(name_ + " rebuild"); }
  void RecalcSize() override {
    TCustomdxBarControl::RecalcSize();
    log_.push_back(name_ + " size");
  }
  void RecalcNonClient() override { log_.push_back(name_ + " nonclient"); }
  void UpdateWithoutMoving() override { log_.push_back(name_ + " position"); }
  void RepaintBar() override { log_.push_back(name_ + " repaint"); }
  void PainterChanged() override { log_.push_back(name_ + " painter"); }

private:
  std::string name_;
  TLog& log_;
};

// A bar component that counts its own destruction.
template <class TBase>
class TCounted : public TBase {
public:
  TCounted(TComponent* AOwner, int& ADestroyed) : TBase(AOwner), destroyed_(ADestroyed) {}
  ~TCounted() override { ++destroyed_; }

private:
  int& destroyed_;
};
using TCountedItem = TCounted<TdxBarItem>;
using TCountedGroup = TCounted<TdxBarGroup>;
using TCountedPopupMenu = TCounted<TdxBarPopupMenu>;

// An item that logs its glyph refreshes and says which image kinds it uses.
class TGlyphItem : public TdxBarItem {
public:
  TGlyphItem(TComponent* AOwner, std::string AName, TLog& ALog, bool AHot, bool ALarge)
      : TdxBarItem(AOwner), name_(std::move(AName)), log_(ALog), hot_(AHot), large_(ALarge) {}
  void GlyphChanged() override { log_.push_back(name_ + " glyph"); }
  void HotGlyphChanged() override { log_.push_back(name_ + " hot glyph"); }
  void LargeGlyphChanged() override { log_.push_back(name_ + " large glyph"); }
  bool UsesHotImages() override { return hot_; }
  bool UsesLargeImages() override { return large_; }

private:
  std::string name_;
  TLog& log_;
  bool hot_, large_;
};

// A navigation element at fixed screen bounds that logs what it is told.
class TFakeNavHelper : public IdxBarAccessibilityHelper {
public:
  TFakeNavHelper(std::string AName, TRect ABounds, TLog* ALog = nullptr)
      : name_(std::move(AName)), bounds_(ABounds), log_(ALog) {}
  TCustomdxBarControl* GetBarControl() override { return nullptr; }
  TdxBarManager* GetBarManager() override { return nullptr; }
  IdxBarAccessibilityHelper* GetDefaultSelectableChild() override { return nullptr; }
  TRect GetScreenBounds() override { return bounds_; }
  void NotifyOwnerDestroyed() override { Note("owner destroyed"); }
  IdxBarAccessibilityHelper* GetKeyTipParent() override { return KeyTipParent; }
  bool IsKeyTipContainer() override { return KeyTipContainer; }
  IdxBarAccessibilityHelper* GetBarHelper() override { return BarHelper ? BarHelper : this; }
  void EscapeKeyTipScope() override { Note("escape"); }
  const std::string& Name() const { return name_; }

  IdxBarAccessibilityHelper* KeyTipParent = nullptr;
  bool KeyTipContainer = false;
  IdxBarAccessibilityHelper* BarHelper = nullptr;

private:
  void Note(const std::string& what) {
    if (log_) log_->push_back(name_ + " " + what);
  }
  std::string name_;
  TRect bounds_;
  TLog* log_;
};

// A fresh form to own the manager under test.
class BarFormTest : public vcltest::VclTest {
protected:
  void SetUp() override {
    VclTest::SetUp();
    form_ = std::make_unique<TForm>(nullptr);
  }
  void TearDown() override {
    form_.reset();
    VclTest::TearDown();
  }
  std::unique_ptr<TForm> form_;
};

// The Customize dialog as the hooks see it: a window of the test's choosing
// for the manager it edits; it logs "dialog follows" when told that the
// owner moved. Installed for its lifetime.
class TFakeCustomizing : public IdxBarHookCustomizing {
public:
  TFakeCustomizing(win::HWND ADialog, TdxBarManager* AManager, TLog& ALog)
      : dialog_(ADialog), manager_(AManager), log_(ALog) {
    dxBarHookPartners().Customizing = this;
  }
  ~TFakeCustomizing() override { dxBarHookPartners().Customizing = nullptr; }
  TFakeCustomizing(const TFakeCustomizing&) = delete;
  TFakeCustomizing& operator=(const TFakeCustomizing&) = delete;
  win::HWND Editor = nullptr;
  win::HWND DialogWindow() override { return dialog_; }
  TdxBarManager* DialogManager() override { return manager_; }
  void OwnerWindowPosChanged() override { log_.push_back("dialog follows"); }
  win::HWND SubMenuEditorWindow() override { return Editor; }

private:
  win::HWND dialog_;
  TdxBarManager* manager_;
  TLog& log_;
};

}  // namespace bartest
