// Shared state of the control core's source files; not for use outside
// platform/vcl's control, form and application files.
#pragma once

#include <functional>

#include "platform/vcl/controls.h"

namespace vcl_detail {

// The graphic control holding the mouse (its parent's window has the
// window system's capture), or null.
extern TControl* CaptureControl;
// The control holding the mouse: CaptureControl when its parent has the
// capture, else the windowed control with the capture.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

// The class name under which a windowed control's window class is registered
// with InitWndProc; registered on first use.
void EnsureWindowClass(const TCreateParams& params, win::WNDPROC proc);

// The window-system key state as a shift state.
bool KeyDown(int vk);

// Runs paint with canvas drawing on the paint DC, locked for the call; the
// canvas lets go of the DC on every path.
void PaintOnCanvas(TControlCanvas& canvas, win::HDC dc, const std::function<void()>& paint);

}  // namespace vcl_detail
