// Named appearance settings: a style holds a bitmap, a colour, a font and a
// text colour, each marked as assigned or not, and tells the lists that use
// it (its users) when a value changes or when it goes away.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/classes/component.h"
#include "platform/rtl/types.h"

class TBitmap;
class TFont;
class TcxCustomStyle;

// Bits of TcxStyle::AssignedValues.
enum TcxStyleValue : uint8_t { svBitmap = 0, svColor = 1, svFont = 2, svTextColor = 3 };
using TcxStyleValues = uint8_t;
constexpr TcxStyleValues StyleValueBit(TcxStyleValue AValue) { return TcxStyleValues(1u << AValue); }

// What a style asks of the lists that use it.
class IcxStyleUser {
public:
  virtual ~IcxStyleUser() = default;
  virtual void StyleValuesChanged(TcxCustomStyle* Sender) = 0;
  // The user detaches itself here.
  virtual void StyleDestroying(TcxCustomStyle* Sender) = 0;
};

// A style's values as an element draws with them: each one the style's when
// assigned there, else none (nil, clDefault).
struct TcxStyleViewParams {
  TBitmap* Bitmap = nullptr;
  TColor Color = clDefault;
  TFont* Font = nullptr;
  TColor TextColor = clDefault;
};

class TcxCustomStyle : public TComponent {
  DX_COMPONENT_CLASS(TcxCustomStyle, TComponent)
public:
  explicit TcxCustomStyle(TComponent* AOwner) : TComponent(AOwner) {}
  // Every user hears StyleDestroying, last first, while any remain.
  ~TcxCustomStyle() override;

  // Every user, last first.
  virtual void NotifyUsers();
  // Listed once.
  virtual void AttachUser(IcxStyleUser* AUser);
  virtual void DetachUser(IcxStyleUser* AUser);
  virtual void ResetStyle() {}
  int32_t UserCount() const { return int32_t(users_.size()); }

private:
  std::vector<IcxStyleUser*> users_;  // not owned
};

class TcxStyle : public TcxCustomStyle {
  DX_COMPONENT_CLASS(TcxStyle, TcxCustomStyle)
public:
  explicit TcxStyle(TComponent* AOwner);
  ~TcxStyle() override;

  TcxStyleValues AssignedValues() const { return assignedValues_; }
  void SetAssignedValues(TcxStyleValues Value);
  bool IsAssigned(TcxStyleValue AValue) const { return (assignedValues_ & StyleValueBit(AValue)) != 0; }
  TBitmap* Bitmap() const { return bitmap_.get(); }
  // Copies into the owned bitmap; svBitmap follows whether it is empty.
  void SetBitmap(TBitmap* Value);
  TColor Color() const { return color_; }
  // clDefault clears svColor, any other value sets it.
  void SetColor(TColor Value);
  TFont* Font() const { return font_.get(); }
  // Copies into the owned font and sets svFont.
  void SetFont(TFont* Value);
  TColor TextColor() const { return textColor_; }
  void SetTextColor(TColor Value);

  // Adds the assigned values to AParams; nothing for a null style.
  static void ApplyTo(const TcxStyle* AStyle, TcxStyleViewParams& AParams);

  // From a TcxStyle: the four values, then its AssignedValues over the bits they set.
  void Assign(TPersistent* Source) override;
  // Nothing assigned, no bitmap, both colours clDefault; the font keeps its values.
  void ResetStyle() override;

private:
  void SetBit(TcxStyleValue AValue, bool AOn);

  TcxStyleValues assignedValues_ = 0;
  std::unique_ptr<TBitmap> bitmap_;
  TColor color_ = clDefault;
  std::unique_ptr<TFont> font_;
  TColor textColor_ = clDefault;
};
