// The framework as a program sees it when it reads form descriptions: the
// headless display, the application started, every control library's classes
// and property types registered, and message boxes answered without a loop.
#pragma once


#include "platform/classes/component.h"
#include "platform/display/display.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/graphics.h"
#include "platform/vcl/imglist.h"
#include "platform/vcl/menus.h"
#include "platform/vcl/stdctrls.h"
#include "platform/vcl/timers.h"
#include "platform/win/winuser.h"

inline void FuzzStartFramework() {
  static const bool started = [] {
    display::UseHeadlessDisplay();
    Application->Initialize();
    win::SetMessageBoxHook([](win::HWND, const std::string&, const std::string&, win::UINT) { return win::IDOK; });
    RegisterClass(TComponent::StaticClass());
    RegisterGraphicsProperties();
    RegisterControlsClasses();
    RegisterFormsClasses();
    RegisterStdCtrlsClasses();
    RegisterExtCtrlsClasses();
    RegisterComCtrlsClasses();
    RegisterMenusClasses();
    RegisterDialogsClasses();
    RegisterActionClasses();
    RegisterImageListClasses();
    RegisterTimerClasses();
    return true;
  }();
  (void)started;
}
