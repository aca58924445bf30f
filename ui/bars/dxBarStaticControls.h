// The item controls of the static items: a label shows its caption and image,
// a separator shows a line (in a menu optionally its caption as a group
// heading, in bold). Neither reacts to clicks; both can be selected only
// while the bar manager customizes.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/rtl/types.h"
#include "ui/bars/dxBarElements.h"

class TdxBarCustomStaticControl : public TdxBarItemControl {
  DX_CLASS(TdxBarCustomStaticControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
  bool CanClick() override { return false; }
  bool CanSelect() override;
  // The text when the item shows its caption, and the icon when the control
  // has an image at its view size.
  TdxBarItemViewStructure GetDefaultViewStructure() override;
  void Draw(const TRect& ARect, TdxBarPaintType AFlag) override;

protected:
  std::unique_ptr<TdxBarItemControlDrawParams> CreateDrawParams() override;
};

// Separator lines around a caption: one below it when the separator is the
// first visible link, one above and one below otherwise.
class TdxBarSeparatorControl : public TdxBarCustomStaticControl {
  DX_CLASS(TdxBarSeparatorControl, TdxBarCustomStaticControl)
public:
  using TdxBarCustomStaticControl::TdxBarCustomStaticControl;
  // The base, then whether the link is the first visible one.
  void CalcDrawParams(bool AFull = true) override;
  void Draw(const TRect& ARect, TdxBarPaintType AFlag) override;
  TRect GetTextMargins() override;
  TdxBarMenuItemSize GetMenuItemSize() const override { return misNormal; }
  int32_t GetGlyphPartWidth() override { return 0; }
  // Captioned: the lines plus the base menu height; else the bar window's separator thickness.
  int32_t GetMenuHeight() override;
  int32_t GetMinWidth() override;
  int32_t GetThickness() override { return GetTextHeight(); }
  int32_t GetLength() override;
  // Only a menu shows the caption; toolbars show separators as lines.
  TdxBarItemViewStructure GetDefaultViewStructure() override;
  // The number of lines: 1 for the first visible link, else 2.
  int32_t LineCount();

protected:
  std::unique_ptr<TdxBarItemControlDrawParams> CreateDrawParams() override;
  void BeginItemFont() override;
  void EndItemFont() override;
};
