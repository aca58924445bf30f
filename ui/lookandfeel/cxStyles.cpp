#include "ui/lookandfeel/cxStyles.h"

#include <algorithm>

#include "platform/vcl/graphics.h"

TcxCustomStyle::~TcxCustomStyle() {
  while (!users_.empty()) {
    const size_t before = users_.size();
    users_.back()->StyleDestroying(this);
    // A user that did not detach itself is dropped, so the loop ends.
    if (users_.size() == before) users_.pop_back();
  }
}

void TcxCustomStyle::NotifyUsers() {
  for (size_t i = users_.size(); i-- > 0;)
    if (i < users_.size()) users_[i]->StyleValuesChanged(this);
}

void TcxCustomStyle::AttachUser(IcxStyleUser* AUser) {
  if (AUser && std::find(users_.begin(), users_.end(), AUser) == users_.end()) users_.push_back(AUser);
}

void TcxCustomStyle::DetachUser(IcxStyleUser* AUser) {
  auto it = std::find(users_.begin(), users_.end(), AUser);
  if (it != users_.end()) users_.erase(it);
}

TcxStyle::TcxStyle(TComponent* AOwner)
    : TcxCustomStyle(AOwner), bitmap_(std::make_unique<TBitmap>()), font_(std::make_unique<TFont>()) {
  bitmap_->OnChange = [this](TObject*) {
    SetBit(svBitmap, !bitmap_->Empty());
    NotifyUsers();
  };
  font_->OnChange = [this](TObject*) {
    SetBit(svFont, true);
    NotifyUsers();
  };
}

TcxStyle::~TcxStyle() {
  bitmap_->OnChange = nullptr;
  font_->OnChange = nullptr;
}

void TcxStyle::SetBit(TcxStyleValue AValue, bool AOn) {
  if (AOn) assignedValues_ |= StyleValueBit(AValue);
  else assignedValues_ &= TcxStyleValues(~StyleValueBit(AValue));
}

void TcxStyle::SetAssignedValues(TcxStyleValues Value) {
  if (assignedValues_ == Value) return;
  assignedValues_ = Value;
  NotifyUsers();
}

void TcxStyle::SetBitmap(TBitmap* Value) { bitmap_->Assign(Value); }

void TcxStyle::SetFont(TFont* Value) { font_->Assign(Value); }

void TcxStyle::SetColor(TColor Value) {
  if (color_ == Value) return;
  color_ = Value;
  SetBit(svColor, Value != clDefault);
  NotifyUsers();
}

void TcxStyle::SetTextColor(TColor Value) {
  if (textColor_ == Value) return;
  textColor_ = Value;
  SetBit(svTextColor, Value != clDefault);
  NotifyUsers();
}

void TcxStyle::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TcxStyle*>(Source);
  if (!s) {
    TcxCustomStyle::Assign(Source);
    return;
  }
  SetBitmap(s->Bitmap());
  SetColor(s->Color());
  SetFont(s->Font());
  SetTextColor(s->TextColor());
  SetAssignedValues(s->AssignedValues());
}

void TcxStyle::ResetStyle() {
  bitmap_->Assign(nullptr);
  assignedValues_ = 0;
  color_ = clDefault;
  textColor_ = clDefault;
  NotifyUsers();
}

void TcxStyle::ApplyTo(const TcxStyle* AStyle, TcxStyleViewParams& AParams) {
  if (!AStyle) return;
  if (AStyle->IsAssigned(svBitmap)) AParams.Bitmap = AStyle->Bitmap();
  if (AStyle->IsAssigned(svColor)) AParams.Color = AStyle->Color();
  if (AStyle->IsAssigned(svFont)) AParams.Font = AStyle->Font();
  if (AStyle->IsAssigned(svTextColor)) AParams.TextColor = AStyle->TextColor();
}
