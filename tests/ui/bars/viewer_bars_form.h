// The viewer's toolbars as its main window stores them: the bar manager in the
// Office 2003 style with the bars "General" and "Navigation" side by side in
// row 0 of the top edge dock, the sixteen buttons with their captions, hints,
// shortcuts, styles and groups (btnLeftImage is reached by its keys only), and
// a form that stands in for the main window: it binds the buttons' handlers,
// routes the keys that click buttons, and records every handler call.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/classes/filer.h"
#include "platform/classes/typinfo.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/graphics.h"
#include "platform/vcl/imglist.h"
#include "ui/bars/dxBar.h"
#include "ui/bars/dxBarButtons.h"

namespace bartest {

// ShortCut values: Ctrl 0x4000, Alt 0x8000, then the virtual key.
inline constexpr const char* kViewerBarsDescription = R"(object ViewerMain: TViewerBarsForm
  Left = 35
  Top = 60
  Caption = 'Duplexion'
  ClientHeight = 646
  ClientWidth = 954
  Color = clBlack
  Position = poDesigned
  OnShortCut = FormShortCut
  object dxBarManager1: TdxBarManager
    Font.Height = -12
    Font.Name = 'MS Shell Dlg 2'
    Categories.Strings = (
      'Default')
    ImageOptions.Images = ImageList1
    Style = bmsOffice11
    UseSystemFont = False
    DockControlHeights = (
      0
      0
      26
      0)
    object dxBarManager1Bar1: TdxBar
      Caption = 'General'
      DockedDockingStyle = dsTop
      DockedLeft = 0
      DockedTop = 0
      DockingStyle = dsTop
      FloatLeft = 200
      FloatTop = 200
      FloatClientWidth = 0
      FloatClientHeight = 0
      ItemLinks = <
        item
          Visible = True
          ItemName = 'btnOpen'
        end
        item
          Visible = True
          ItemName = 'btnFit'
        end
        item
          Visible = True
          ItemName = 'btnOriginalSize'
        end
        item
          Visible = True
          ItemName = 'btnFullScreen'
        end
        item
          BeginGroup = True
          Visible = True
          ItemName = 'btn2D'
        end
        item
          Visible = True
          ItemName = 'btn3DGray'
        end
        item
          Visible = True
          ItemName = 'btn3DColor'
        end
        item
          Visible = True
          ItemName = 'btn3DDubois'
        end
        item
          Visible = True
          ItemName = 'btn3DInterlace'
        end
        item
          Visible = True
          ItemName = 'btn3DRedGreen'
        end
        item
          BeginGroup = True
          Visible = True
          ItemName = 'btnFastMode'
        end
        item
          Visible = True
          ItemName = 'btnAntialias'
        end
        item
          Visible = True
          ItemName = 'btnAbout'
        end>
      OneOnRow = False
      Row = 0
      UseOwnFont = False
      Visible = True
      WholeRow = False
    end
    object dxBarManager1Bar2: TdxBar
      Caption = 'Navigation'
      DockedDockingStyle = dsTop
      DockedLeft = 377
      DockedTop = 0
      DockingStyle = dsTop
      FloatLeft = 200
      FloatTop = 200
      FloatClientWidth = 0
      FloatClientHeight = 0
      ItemLinks = <
        item
          Visible = True
          ItemName = 'btnPrev'
        end
        item
          Visible = True
          ItemName = 'btnNext'
        end>
      OneOnRow = False
      Row = 0
      UseOwnFont = False
      Visible = True
      WholeRow = False
    end
    object btnOpen: TdxBarButton
      Caption = 'Open...'
      Category = 0
      Hint = 'Open'
      Visible = ivAlways
      ImageIndex = 0
      ShortCut = 16463
      OnClick = btnOpenClick
    end
    object btnFit: TdxBarButton
      Caption = 'Fit'
      Category = 0
      Hint = 'Fit'
      Visible = ivAlways
      ImageIndex = 1
      ShortCut = 16432
      OnClick = btnFitClick
    end
    object btnOriginalSize: TdxBarButton
      Caption = 'Actual Size'
      Category = 0
      Hint = 'Actual Size'
      Visible = ivAlways
      ImageIndex = 2
      ShortCut = 49200
      OnClick = btnOriginalSizeClick
    end
    object btnFullScreen: TdxBarButton
      Caption = 'Full Screen'
      Category = 0
      Hint = 'Full Screen'
      Visible = ivAlways
      ButtonStyle = bsChecked
      ImageIndex = 3
      OnClick = btnFullScreenClick
    end
    object btn2D: TdxBarButton
      Caption = '2D'
      Category = 0
      Hint = '2D'
      Visible = ivAlways
      ButtonStyle = bsChecked
      GroupIndex = 1
      ImageIndex = 4
      ShortCut = 16433
      OnClick = btnUpdate3DModeClick
    end
    object btn3DGray: TdxBarButton
      Caption = '3D Grayscale'
      Category = 0
      Hint = '3D Grayscale'
      Visible = ivAlways
      ButtonStyle = bsChecked
      GroupIndex = 1
      ImageIndex = 5
      ShortCut = 16434
      OnClick = btnUpdate3DModeClick
    end
    object btn3DColor: TdxBarButton
      Caption = '3D Color'
      Category = 0
      Hint = '3D Color'
      Visible = ivAlways
      ButtonStyle = bsChecked
      GroupIndex = 1
      Down = True
      ImageIndex = 6
      ShortCut = 16435
      OnClick = btnUpdate3DModeClick
    end
    object btn3DDubois: TdxBarButton
      Caption = '3D Color Dubois'
      Category = 0
      Hint = '3D Color Dubois'
      Visible = ivAlways
      ButtonStyle = bsChecked
      GroupIndex = 1
      ImageIndex = 7
      ShortCut = 16436
      OnClick = btnUpdate3DModeClick
    end
    object btn3DInterlace: TdxBarButton
      Caption = 'Interlaced'
      Category = 0
      Hint = 'Interlace'
      Visible = ivAlways
      ButtonStyle = bsChecked
      GroupIndex = 1
      ImageIndex = 8
      ShortCut = 16437
      OnClick = btnUpdate3DModeClick
    end
    object btnLeftImage: TdxBarButton
      Caption = 'Left Image'
      Category = 0
      Hint = 'Left Image'
      Visible = ivAlways
      ButtonStyle = bsChecked
      GroupIndex = 1
      ImageIndex = 9
      ShortCut = 16438
      OnClick = btnUpdate3DModeClick
    end
    object btn3DRedGreen: TdxBarButton
      Caption = '3D GrayScale Red/Green'
      Category = 0
      Hint = '3D GrayScale Red/Green'
      Visible = ivAlways
      ButtonStyle = bsChecked
      GroupIndex = 1
      ImageIndex = 10
      ShortCut = 16439
      OnClick = btnUpdate3DModeClick
    end
    object btnFastMode: TdxBarButton
      Caption = 'Load Images in low resolution (faster)'
      Category = 0
      Hint = 'Load Images in low resolution (faster)'
      Visible = ivAlways
      ButtonStyle = bsChecked
      Down = True
      ImageIndex = 11
      OnClick = btnFastModeClick
    end
    object btnAntialias: TdxBarButton
      Caption = 'Antialias'
      Category = 0
      Hint = 'Antialias'
      Visible = ivAlways
      ButtonStyle = bsChecked
      ImageIndex = 12
      OnClick = btnAntialiasClick
    end
    object btnAbout: TdxBarButton
      Caption = 'Info'
      Category = 0
      Hint = 'About'
      Visible = ivAlways
      ImageIndex = 13
      OnClick = btnAboutClick
    end
    object btnPrev: TdxBarButton
      Caption = 'Previous'
      Category = 0
      Hint = 'Previous'
      Visible = ivAlways
      ImageIndex = 14
      ShortCut = 37
      OnClick = btnPrevClick
    end
    object btnNext: TdxBarButton
      Caption = 'Next'
      Category = 0
      Hint = 'Next'
      Visible = ivAlways
      ImageIndex = 15
      ShortCut = 39
      OnClick = btnNextClick
    end
  end
  object ImageList1: TImageList
  end
end
)";

// The main window's stand-in. Its handlers only record "handler sender".
class TViewerBarsForm : public TForm {
  DX_COMPONENT_CLASS(TViewerBarsForm, TForm)
public:
  explicit TViewerBarsForm(TComponent* AOwner) : TForm(AOwner) {}

  TdxBarManager* dxBarManager1 = nullptr;
  TdxBar* dxBarManager1Bar1 = nullptr;
  TdxBar* dxBarManager1Bar2 = nullptr;
  TImageList* ImageList1 = nullptr;
  TdxBarButton *btnOpen = nullptr, *btnFit = nullptr, *btnOriginalSize = nullptr, *btnFullScreen = nullptr;
  TdxBarButton *btn2D = nullptr, *btn3DGray = nullptr, *btn3DColor = nullptr, *btn3DDubois = nullptr,
               *btn3DInterlace = nullptr, *btnLeftImage = nullptr, *btn3DRedGreen = nullptr;
  TdxBarButton *btnFastMode = nullptr, *btnAntialias = nullptr, *btnAbout = nullptr;
  TdxBarButton *btnPrev = nullptr, *btnNext = nullptr;

  std::vector<std::string> Calls;

  void btnOpenClick(TObject* Sender) { Note("btnOpenClick", Sender); }
  void btnFitClick(TObject* Sender) { Note("btnFitClick", Sender); }
  void btnOriginalSizeClick(TObject* Sender) { Note("btnOriginalSizeClick", Sender); }
  void btnFullScreenClick(TObject* Sender) { Note("btnFullScreenClick", Sender); }
  void btnUpdate3DModeClick(TObject* Sender) { Note("btnUpdate3DModeClick", Sender); }
  void btnFastModeClick(TObject* Sender) { Note("btnFastModeClick", Sender); }
  void btnAntialiasClick(TObject* Sender) { Note("btnAntialiasClick", Sender); }
  void btnAboutClick(TObject* Sender) { Note("btnAboutClick", Sender); }
  void btnPrevClick(TObject* Sender) { Note("btnPrevClick", Sender); }
  void btnNextClick(TObject* Sender) { Note("btnNextClick", Sender); }

  // The rows of the window's key table that click a button. The other
  // commands (navigation, zoom, full screen by key) belong to the viewer; a
  // key outside these rows goes on unhandled.
  void FormShortCut(TWMKey& Msg, bool& Handled) {
    const TShiftState shift = KeyboardStateToShiftState() * TShiftState{ssShift, ssAlt, ssCtrl};
    TdxBarButton* target = nullptr;
    const int32_t key = Msg.CharCode;
    auto modeButton = [&](int32_t n) -> TdxBarButton* {
      TdxBarButton* const modes[] = {btn2D, btn3DGray, btn3DColor, btn3DDubois, btn3DInterlace, btnLeftImage,
                                     btn3DRedGreen};
      return n >= 1 && n <= 7 ? modes[n - 1] : nullptr;
    };
    if (shift.Empty()) {
      if (key >= '1' && key <= '7') target = modeButton(key - '0');
      if (key >= int32_t(win::VK_NUMPAD1) && key <= int32_t(win::VK_NUMPAD7)) target = modeButton(key - int32_t(win::VK_NUMPAD0));
    } else if (shift == TShiftState{ssCtrl}) {
      if (key == '0') target = btnFit;
      if (key >= '1' && key <= '6') target = modeButton(key - '0');
      if (key == 'O') target = btnOpen;
    }
    Handled = target != nullptr;
    if (target) target->PerformClick();
  }

  // The form with its components read from the description, and one glyph
  // per button: a frame and a fill of its own grey, so that no two glyphs match.
  static std::unique_ptr<TViewerBarsForm> Create() {
    RegisterClasses();
    auto form = std::make_unique<TViewerBarsForm>(nullptr);
    TStringStream in(kViewerBarsDescription);
    ReadComponent(in, form.get());
    TBitmap glyph;
    glyph.SetSize(16, 16);
    for (int32_t i = 0; i < 16; ++i) {
      TCanvas* c = glyph.Canvas();
      c->Brush()->SetColor(TColor(0x101010 * uint32_t(i)));
      c->FillRect(TRect(0, 0, 16, 16));
      c->Brush()->SetColor(clNavy);
      c->FrameRect(TRect(3, 3, 13, 13));
      form->ImageList1->Add(&glyph, nullptr);
    }
    return form;
  }

private:
  void Note(const char* AHandler, TObject* ASender) {
    auto* sender = dynamic_cast<TComponent*>(ASender);
    Calls.push_back(std::string(AHandler) + " " + (sender ? sender->Name() : std::string("?")));
  }

  static void RegisterClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
      using F = TViewerBarsForm;
      Published<F>()
          .Method("btnOpenClick", &F::btnOpenClick)
          .Method("btnFitClick", &F::btnFitClick)
          .Method("btnOriginalSizeClick", &F::btnOriginalSizeClick)
          .Method("btnFullScreenClick", &F::btnFullScreenClick)
          .Method("btnUpdate3DModeClick", &F::btnUpdate3DModeClick)
          .Method("btnFastModeClick", &F::btnFastModeClick)
          .Method("btnAntialiasClick", &F::btnAntialiasClick)
          .Method("btnAboutClick", &F::btnAboutClick)
          .Method("btnPrevClick", &F::btnPrevClick)
          .Method("btnNextClick", &F::btnNextClick)
          .Method("FormShortCut", &F::FormShortCut)
          .Field("dxBarManager1", &F::dxBarManager1)
          .Field("dxBarManager1Bar1", &F::dxBarManager1Bar1)
          .Field("dxBarManager1Bar2", &F::dxBarManager1Bar2)
          .Field("ImageList1", &F::ImageList1)
          .Field("btnOpen", &F::btnOpen)
          .Field("btnFit", &F::btnFit)
          .Field("btnOriginalSize", &F::btnOriginalSize)
          .Field("btnFullScreen", &F::btnFullScreen)
          .Field("btn2D", &F::btn2D)
          .Field("btn3DGray", &F::btn3DGray)
          .Field("btn3DColor", &F::btn3DColor)
          .Field("btn3DDubois", &F::btn3DDubois)
          .Field("btn3DInterlace", &F::btn3DInterlace)
          .Field("btnLeftImage", &F::btnLeftImage)
          .Field("btn3DRedGreen", &F::btn3DRedGreen)
          .Field("btnFastMode", &F::btnFastMode)
          .Field("btnAntialias", &F::btnAntialias)
          .Field("btnAbout", &F::btnAbout)
          .Field("btnPrev", &F::btnPrev)
          .Field("btnNext", &F::btnNext);
      RegisterClass(F::StaticClass());
    });
  }
};

}  // namespace bartest
