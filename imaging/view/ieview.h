// TIEView: the small base control of the image views. It holds the background
// colour, the border style, the resolution and the change listeners through
// which other components (the processing component) learn that the image
// changed or that the view is going away.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/vcl/controls.h"

class TIEBitmap;
class TBitmap;

// A change listener: called with (view, 0) when the image changed and with
// (view, 1) when the view is destroyed.
using TIEChangeHandler = std::function<void(TObject* view, int32_t change)>;
struct TIEChangeHandlerRecord {
  TIEChangeHandler Handler;
};

class TIEView : public TCustomControl {
  DX_CLASS(TIEView, TCustomControl)
public:
  explicit TIEView(TComponent* owner);
  ~TIEView() override;

  TBorderStyle BorderStyle() const { return borderStyle_; }
  // Recreates the window.
  void SetBorderStyle(TBorderStyle v);
  // Recreates the window (the platform control's Ctl3D, then the frame style).
  // A change made through the platform's SetCtl3D does the same.
  void SetViewCtl3D(bool v);

  TColor Background() const { return background_; }
  virtual void SetBackground(TColor v) { background_ = v; }

  int32_t DpiX() const { return dpiX_; }
  int32_t DpiY() const { return dpiY_; }
  // Each ignores 0.
  virtual void SetDpiX(int32_t v);
  virtual void SetDpiY(int32_t v);
  virtual void SetDpi(int32_t x, int32_t y);

  virtual TBitmap* GetLegacyBitmap() { return nullptr; }
  virtual TIEBitmap* GetIEBitmap() { return nullptr; }
  virtual TIEBitmap* GetAlphaChannel() = 0;
  virtual bool HasAlphaChannel() = 0;
  virtual void RemoveAlphaChannel(bool merge) = 0;
  virtual void LockPaint() = 0;
  virtual int32_t UnlockPaint() = 0;
  virtual int32_t UnlockPaintNoRefresh() = 0;

  // Listeners, called in the order they were added. The returned record is
  // the handle for RemoveChangeHandler (unknown or null handles are ignored).
  TIEChangeHandlerRecord* AddChangeHandler(TIEChangeHandler handler);
  void RemoveChangeHandler(TIEChangeHandlerRecord* handle);
  virtual void NotifyChange();

  // The view's own pointer events; they fire after the platform control's
  // events of the same names.
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

protected:
  virtual void DoImageChange() {}
  void CreateParams(TCreateParams& params) override;
  void Dispatch(TMessage& message) override;
  void CMMouseEnter(TMessage& m) override;
  void CMMouseLeave(TMessage& m) override;

private:
  TBorderStyle borderStyle_ = bsSingle;
  TColor background_ = TColor(0xFF00000F);
  int32_t dpiX_ = 0, dpiY_ = 0;
  std::vector<std::unique_ptr<TIEChangeHandlerRecord>> changeHandlers_;
};

// The text editor's formatting shortcuts (Ctrl + a letter), shared by the
// image library: the vector unit's start-up fills them, the text editing
// control reads them. All scNone until then.
enum TIEEditShortcut : uint8_t {
  iesAlignLeft,
  iesAlignCenter,
  iesAlignRight,
  iesJustify,
  iesCopy,
  iesCut,
  iesPaste,
  iesFontDialog,
  iesBold,
  iesItalic,
  iesUnderline,
  iesColorDialog,
  iesShortcutCount
};
extern std::array<TShortCut, iesShortcutCount> IEEditShortcuts;
