// A bar whose window is a recording double: the window class a bar makes is
// its GetBarControlClass, so the double bar names a window class that writes
// the bar's notices into the log the test installs.
#pragma once

#include <string>
#include <vector>

#include "ui/bars/dxBar.h"

namespace bartest {

// The log the recording toolbar windows write to; null writes nothing.
inline std::vector<std::string>*& ToolbarWindowLog() {
  static std::vector<std::string>* log = nullptr;
  return log;
}

class TRecordingToolbarWindow : public TCustomdxBarControl {
  DX_COMPONENT_CLASS(TRecordingToolbarWindow, TCustomdxBarControl)
public:
  explicit TRecordingToolbarWindow(TComponent* AOwner) : TCustomdxBarControl(AOwner) {}
  void RebuildBar() override { Note("rebuild"); }
  void RecalcNonClient() override { Note("frame"); }
  void RepaintBar() override { Note("repaint"); }

protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_FONTCHANGED) Note("font");
    TCustomdxBarControl::WndProc(m);
  }

private:
  void Note(const char* what) {
    if (ToolbarWindowLog()) ToolbarWindowLog()->push_back(what);
  }
};

class TRecordingToolbar : public TdxBar {
  DX_COMPONENT_CLASS(TRecordingToolbar, TdxBar)
public:
  explicit TRecordingToolbar(TComponent* AOwner) : TdxBar(AOwner) {}
  TClass GetBarControlClass() override { return TRecordingToolbarWindow::StaticClass(); }
};

}  // namespace bartest
