#include "imaging/view/ieview.h"

#include <algorithm>

std::array<TShortCut, iesShortcutCount> IEEditShortcuts{};

TIEView::TIEView(TComponent* owner) : TCustomControl(owner) {
  // Every pixel comes from the view's own back buffer: nothing is erased under it.
  controlStyle_ = controlStyle_ + TControlStyle{csOpaque, csAcceptsControls, csReplicatable, csNeedsBorderPaint};
}

TIEView::~TIEView() {
  // Listeners learn of the end from the front, each one gone before it is told.
  while (!changeHandlers_.empty()) {
    std::unique_ptr<TIEChangeHandlerRecord> record = std::move(changeHandlers_.front());
    changeHandlers_.erase(changeHandlers_.begin());
    if (record->Handler) record->Handler(this, 1);
  }
}

void TIEView::SetBorderStyle(TBorderStyle v) {
  if (borderStyle_ == v) return;
  borderStyle_ = v;
  RecreateWnd();
}

void TIEView::SetViewCtl3D(bool v) {
  // The platform's setter announces the change, and Dispatch recreates the window.
  SetCtl3D(v);
}

void TIEView::SetDpiX(int32_t v) {
  if (v != 0) dpiX_ = v;
}

void TIEView::SetDpiY(int32_t v) {
  if (v != 0) dpiY_ = v;
}

void TIEView::SetDpi(int32_t x, int32_t y) {
  SetDpiX(x);
  SetDpiY(y);
}

TIEChangeHandlerRecord* TIEView::AddChangeHandler(TIEChangeHandler handler) {
  changeHandlers_.push_back(std::make_unique<TIEChangeHandlerRecord>());
  changeHandlers_.back()->Handler = std::move(handler);
  return changeHandlers_.back().get();
}

void TIEView::RemoveChangeHandler(TIEChangeHandlerRecord* handle) {
  if (!handle) return;
  auto it = std::find_if(changeHandlers_.begin(), changeHandlers_.end(),
                         [handle](const std::unique_ptr<TIEChangeHandlerRecord>& r) { return r.get() == handle; });
  if (it != changeHandlers_.end()) changeHandlers_.erase(it);
}

void TIEView::NotifyChange() {
  // A listener may remove itself (or another) while it is called: walk a snapshot
  // and skip the records that left the list meanwhile.
  std::vector<TIEChangeHandlerRecord*> snapshot;
  snapshot.reserve(changeHandlers_.size());
  for (auto& r : changeHandlers_) snapshot.push_back(r.get());
  for (TIEChangeHandlerRecord* r : snapshot) {
    const bool present = std::any_of(changeHandlers_.begin(), changeHandlers_.end(),
                                     [r](const std::unique_ptr<TIEChangeHandlerRecord>& p) { return p.get() == r; });
    if (present && r->Handler) r->Handler(this, 0);
  }
}

void TIEView::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  // The view repaints from its back buffer after a resize; a whole-window redraw would only flicker.
  params.WindowClassStyle &= ~(win::CS_HREDRAW | win::CS_VREDRAW);
  if (borderStyle_ == bsSingle) {
    if (Ctl3D())
      params.ExStyle |= win::WS_EX_CLIENTEDGE;
    else
      params.Style |= win::WS_BORDER;
  }
}

void TIEView::Dispatch(TMessage& message) {
  if (message.Msg == CM_CTL3DCHANGED) {
    TCustomControl::Dispatch(message);
    RecreateWnd();
    return;
  }
  TCustomControl::Dispatch(message);
}

void TIEView::CMMouseEnter(TMessage& m) {
  TCustomControl::CMMouseEnter(m);
  if (m.LParam == 0 && OnMouseEnter) OnMouseEnter(this);
}

void TIEView::CMMouseLeave(TMessage& m) {
  TCustomControl::CMMouseLeave(m);
  if (m.LParam == 0 && OnMouseLeave) OnMouseLeave(this);
}
