#include "ui/lookandfeel/cxLookAndFeelStartup.h"

#include "ui/lookandfeel/FillPatterns.h"
#include "ui/lookandfeel/cxControls.h"
#include "ui/lookandfeel/cxGeometry.h"
#include "ui/lookandfeel/cxGraphics.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/cxLookAndFeels.h"
#include "ui/lookandfeel/dxCore.h"
#include "ui/lookandfeel/dxFading.h"
#include "ui/lookandfeel/dxGDIPlusAPI.h"
#include "ui/lookandfeel/dxGDIPlusClasses.h"
#include "ui/lookandfeel/dxOffice11.h"
#include "ui/lookandfeel/dxThemeManager.h"

namespace {

// The start-up order of the units; shut-down runs it backwards. A unit
// without routines yet keeps its row, so its place in the order is fixed.
constexpr TdxUnitRow kUnits[] = {
    {"dxCore", &dxCoreUnitStart, &dxCoreUnitStop},  // platform version flags; frees the string repository
    {"cxClasses", nullptr, nullptr},
    {"dxUxTheme", nullptr, nullptr},  // no visual styles on Linux: nothing to load
    {"dxThemeManager", &dxThemeManagerUnitStart, &dxThemeManagerUnitStop},  // theme cache, change receiver
    {"dxOffice11", &dxOffice11UnitStart, &dxOffice11UnitStop},  // colours computed; the set's objects freed
    {"cxGeometry", &cxGeometryUnitStart, &cxGeometryUnitStop},  // TcxRect for streaming
    {"cxDWMApi", nullptr, nullptr},  // dwmapi is never loaded on Linux
    {"cxContainer", nullptr, nullptr},
    {"cxControls", &cxControlsUnitStart, &cxControlsUnitStop},  // frees tracking and the timer window
    {"FillPatterns", &MakeFillPatternBrushes, &FreeFillPatternBrushes},  // the fill-pattern unit
    {"cxGraphics", &cxGraphicsUnitStart, &cxGraphicsUnitStop},  // system and checker brushes; shared screen canvas; glyph buffers
    {"cxLookAndFeelPainters", &cxLookAndFeelPaintersUnitStart, &cxLookAndFeelPaintersUnitStop},  // style registry, indicators, checker bitmaps, check-box size
    {"cxLookAndFeels", &cxLookAndFeelsUnitStart, &cxLookAndFeelsUnitStop},  // the painters' palette notifier; the root
    {"cxStyles", nullptr, nullptr},
    {"dxGDIPlusAPI", &dxGDIPlusAPIUnitStart, &dxGDIPlusAPIUnitStop},  // the units loader; GDI+ shut down last
    {"dxGDIPlusClasses", &dxGDIPlusClassesUnitStart, &dxGDIPlusClassesUnitStop},  // the image class
    {"dxFading", &dxFadingUnitStart, &dxFadingUnitStop},  // the fader
    {"cxAccessibility", nullptr, nullptr},  // oleacc is not bound on Linux
};

}  // namespace

TdxUnitTable& cxLookAndFeelUnits() {
  static TdxUnitTable table(kUnits);
  return table;
}

void cxStartLookAndFeel() { cxLookAndFeelUnits().Start(); }
void cxStopLookAndFeel() { cxLookAndFeelUnits().Stop(); }
