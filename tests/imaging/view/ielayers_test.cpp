// Layers of the view: the layer record's own rules and the list operations
// with their edge cases (removal, the current layer, hit tests, grips).
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "imaging/view/ielayers.h"
#include "imaging/view/voviderview.h"
#include "platform/rtl/exceptions.h"
#include "tests/imaging/view/viewtest.h"

namespace {

using viewtest::ViewTest;

class LayersTest : public ViewTest {
protected:
  // A view (no window needed) whose layer 0 holds a w x h image.
  TVovidErView* ViewWithLayers(int32_t count, int32_t w = 30, int32_t h = 20) {
    TForm* form = MakeForm(Rect(0, 0, 200, 200));
    auto* v = new TVovidErView(form);
    v->SetLegacyBitmap(false);
    FillSolid(v, w, h, TRGB{1, 2, 3});
    for (int32_t i = 1; i < count; ++i) v->AddLayer();
    return v;
  }
  static std::vector<TIELayer*> Layers(TVovidErView* v) {
    std::vector<TIELayer*> out;
    for (int32_t i = 0; i < v->GetLayerCount(); ++i) out.push_back(v->GetLayer(i));
    return out;
  }
  // Counters the views' handlers write to; they outlive the views, which the
  // form frees only at tear-down (telling their listeners once more).
  int notified_ = 0;
};

TEST_F(LayersTest, WholeTurnsAreNoRotation) {
  struct Case {
    double angle, stored;
  };
  const Case cases[] = {{720, 0}, {-360, 0}, {360, 0}, {0, 0}, {360.5, 360.5}, {45, 45}, {-90, -90}, {1080.25, 1080.25}};
  TIELayer layer(nullptr, nullptr, false);
  for (const Case& c : cases) {
    layer.SetRotation(c.angle);
    EXPECT_EQ(layer.Rotation(), c.stored) << c.angle;
  }
}

TEST_F(LayersTest, WidthAndHeightFallBackToTheBitmap) {
  auto bitmap = TIEBitmap::CreateSized(40, 25, ie24RGB);
  TIELayer layer(nullptr, bitmap.get(), true);
  layer.OwnsBitmap = false;
  EXPECT_EQ(layer.GetWidth(), 40);
  EXPECT_EQ(layer.GetHeight(), 25);
  layer.Width = 300;
  layer.Height = 7;
  EXPECT_EQ(layer.GetWidth(), 300);
  EXPECT_EQ(layer.GetHeight(), 7);
}

TEST_F(LayersTest, ANewLayerTakesTheTemplatesShape) {
  auto gray = TIEBitmap::CreateSized(13, 9, ie8g);
  TIELayer a(nullptr, gray.get(), false);
  EXPECT_NE(a.Bitmap, gray.get());
  EXPECT_TRUE(a.OwnsBitmap);
  EXPECT_EQ(a.Bitmap->GetWidth(), 13);
  EXPECT_EQ(a.Bitmap->GetHeight(), 9);
  EXPECT_EQ(a.Bitmap->GetPixelFormat(), ie8g);
  // A template in a platform bitmap gives the copy a platform bitmap of its own.
  TIEBitmap vcl;
  vcl.SetLocation(ieTBitmap);
  ASSERT_TRUE(vcl.Allocate(6, 4, ie24RGB));
  TIELayer b(nullptr, &vcl, false);
  EXPECT_EQ(b.Bitmap->Location(), ieTBitmap);
  EXPECT_NE(b.Bitmap->VclBitmap(), vcl.VclBitmap());
  EXPECT_FALSE(b.Bitmap->VclBitmapNotOwned());
  EXPECT_EQ(b.Bitmap->GetWidth(), 6);
  // Every layer gets its own identifier.
  TIELayer c(nullptr, nullptr, false);
  EXPECT_NE(a.GUID, b.GUID);
  EXPECT_NE(b.GUID, c.GUID);
}

TEST_F(LayersTest, AssignCopiesTheContentButNotTheIdentity) {
  TIELayer a(nullptr, nullptr, false);
  ASSERT_TRUE(a.Bitmap->Allocate(3, 2, ie24RGB));
  a.Bitmap->Fill(0x00010203);
  a.PosX = 7;
  a.Operation = ieloAnaglyphGray;
  a.Name = "right";
  a.SetRotation(30);
  a.RotationCenterX = 0.25;
  a.UserData = new uint8_t[4]{1, 2, 3, 4};
  a.UserDataLen = 4;
  TIELayer b(nullptr, nullptr, false);
  b.Assign(a);
  EXPECT_EQ(b.Bitmap->GetWidth(), 3);
  EXPECT_TRUE(b.Bitmap->GetPixel24(2, 1) == (TRGB{1, 2, 3}));  // 0x00BBGGRR
  EXPECT_EQ(b.PosX, 7);
  EXPECT_EQ(b.Operation, 38);
  EXPECT_EQ(b.Name, "right");
  EXPECT_EQ(b.Rotation(), 0);
  EXPECT_EQ(b.RotationCenterX, 0.5);
  EXPECT_NE(b.GUID, a.GUID);
  // The block is shared, owned by the source only (the sanitizer sees a double free otherwise).
  EXPECT_EQ(b.UserData, a.UserData);
  EXPECT_EQ(b.UserDataLen, 0);
}

TEST_F(LayersTest, AddLayerMakesTheNewLayerCurrent) {
  TVovidErView* v = ViewWithLayers(1, 30, 20);
  v->SetBackground(TColor(0x00445566));
  for (int32_t n = 1; n <= 3; ++n) {
    const int32_t index = v->AddLayer();
    EXPECT_EQ(index, v->GetLayerCount() - 1);
    EXPECT_EQ(index, v->CurrentLayerIndex());
    EXPECT_EQ(v->GetIEBitmap(), v->GetLayer(index)->Bitmap);
    TIEBitmap* b = v->GetIEBitmap();
    EXPECT_EQ(b->GetWidth(), 30);
    EXPECT_EQ(b->GetHeight(), 20);
    EXPECT_EQ(b->GetPixelFormat(), ie24RGB);
    EXPECT_TRUE(b->GetPixel24(29, 19) == (TRGB{0x44, 0x55, 0x66})) << "cleared to the background";
  }
  EXPECT_EQ(v->GetLayerCount(), 4);
  EXPECT_THROW(v->GetLayer(4), EListError);
  EXPECT_THROW(v->GetLayer(-1), EListError);
}

TEST_F(LayersTest, RemoveLayerIgnoresWhatItCannotRemove) {
  TVovidErView* one = ViewWithLayers(1);
  one->RemoveLayer(0);
  EXPECT_EQ(one->GetLayerCount(), 1);
  TVovidErView* v = ViewWithLayers(3);
  const std::vector<TIELayer*> before = Layers(v);
  for (int32_t index : {-1, 3, 100}) {
    v->RemoveLayer(index);
    EXPECT_EQ(Layers(v), before) << index;
  }
  // Layer 0 and the mask above it are all there is: the list must not empty.
  TVovidErView* masked = ViewWithLayers(2);
  masked->GetLayer(1)->IsMask = true;
  masked->RemoveLayer(0);
  EXPECT_EQ(masked->GetLayerCount(), 2);
}

TEST_F(LayersTest, RemoveLayerTakesItsMaskAlongAndKeepsTheCurrentLayer) {
  TVovidErView* v = ViewWithLayers(5);
  std::vector<TIELayer*> l = Layers(v);
  l[2]->IsMask = true;
  v->SetCurrentLayer(4);
  v->RemoveLayer(1);
  EXPECT_EQ(Layers(v), (std::vector<TIELayer*>{l[0], l[3], l[4]}));
  EXPECT_EQ(v->CurrentLayerIndex(), 2);
  EXPECT_EQ(v->GetCurrentLayer(), l[4]);
  EXPECT_EQ(v->GetIEBitmap(), l[4]->Bitmap);
}

TEST_F(LayersTest, RemovingTheCurrentLayer) {
  struct Case {
    int32_t count, current, removed, wantIndex, wantOldIndex;
  };
  // The layer now at the removed index, or the last one when the top went.
  const Case cases[] = {{4, 1, 1, 1, 2}, {4, 3, 3, 2, 2}, {3, 0, 0, 0, 1}, {4, 2, 0, 1, 2}};
  for (const Case& c : cases) {
    TVovidErView* v = ViewWithLayers(c.count);
    const std::vector<TIELayer*> l = Layers(v);
    v->SetCurrentLayer(c.current);
    v->RemoveLayer(c.removed);
    EXPECT_EQ(v->GetLayerCount(), c.count - 1);
    EXPECT_EQ(v->CurrentLayerIndex(), c.wantIndex) << c.removed;
    EXPECT_EQ(v->GetCurrentLayer(), l[size_t(c.wantOldIndex)]) << c.removed;
    EXPECT_EQ(v->GetIEBitmap(), v->GetCurrentLayer()->Bitmap);
  }
}

TEST_F(LayersTest, RemoveAllLayersLeavesLayerZeroReset) {
  TVovidErView* v = ViewWithLayers(4, 30, 20);
  v->SetBackground(TColor(0x000A0B0C));
  TIELayer* base = v->GetLayer(0);
  base->PosX = 12;
  base->Transparency = 90;
  base->Operation = ieloAnaglyphGray;
  base->VisibleBox = true;
  base->Locked = false;
  base->Name = "left";
  v->SetCurrentLayer(2);
  v->RemoveAllLayers();
  ASSERT_EQ(v->GetLayerCount(), 1);
  EXPECT_EQ(v->GetLayer(0), base);
  EXPECT_EQ(v->CurrentLayerIndex(), 0);
  EXPECT_EQ(base->PosX, 0);
  EXPECT_EQ(base->Transparency, 255);
  EXPECT_EQ(base->Operation, 0);
  EXPECT_FALSE(base->VisibleBox);
  EXPECT_TRUE(base->Locked);
  EXPECT_EQ(base->Name, "left");
  TIEBitmap* b = v->GetIEBitmap();
  ASSERT_EQ(b, base->Bitmap);
  ASSERT_EQ(b->GetWidth(), 30);
  ASSERT_EQ(b->GetHeight(), 20);
  int wrong = 0;
  for (int32_t y = 0; y < 20; ++y)
    for (int32_t x = 0; x < 30; ++x) wrong += !(b->GetPixel24(x, y) == (TRGB{0x0A, 0x0B, 0x0C}));
  EXPECT_EQ(wrong, 0);
}

TEST_F(LayersTest, SetCurrentLayerPassesOverUnselectableLayers) {
  struct Case {
    std::vector<bool> selectable;
    bool skip;
    int32_t asked, want;
  };
  const Case cases[] = {
      {{true, true, false, false}, true, 3, 1},
      {{true, false, false, false}, true, 3, 0},
      {{false, false, false, false}, true, 2, 0},
      {{true, true, false, false}, false, 3, 3},
      {{true, true, true, false}, true, 2, 2},
  };
  for (const Case& c : cases) {
    TVovidErView* v = ViewWithLayers(int32_t(c.selectable.size()));
    v->SetCurrentLayer(0);
    for (size_t i = 0; i < c.selectable.size(); ++i) v->GetLayer(int32_t(i))->Selectable = c.selectable[i];
    v->SetSkipUnselectableLayers(c.skip);
    v->SetCurrentLayer(c.asked);
    EXPECT_EQ(v->CurrentLayerIndex(), c.want) << c.asked << (c.skip ? " skipping" : "");
    EXPECT_EQ(v->GetIEBitmap(), v->GetLayer(c.want)->Bitmap);
  }
  TVovidErView* v = ViewWithLayers(2);
  v->AddChangeHandler([this](TObject*, int32_t change) { notified_ += change == 0; });
  for (int32_t index : {1, -1, 2, 1}) v->SetCurrentLayer(index);
  EXPECT_EQ(notified_, 0) << "the current index, or one outside the list, changes nothing";
}

TEST_F(LayersTest, LayerIndexAtLooksThroughTransparentPixels) {
  struct Case {
    uint8_t alpha;
    bool selectTransparent;
    int32_t want;
  };
  const Case cases[] = {{0, false, 0}, {0, true, 1}, {1, false, 1}, {255, false, 1}};
  for (const Case& c : cases) {
    TVovidErView* v = ViewWithLayers(2, 20, 20);
    TIELayer* top = v->GetLayer(1);
    top->Bitmap->GetAlphaChannel()->Fill(255);
    top->Bitmap->GetAlphaChannel()->SetPixelByte(5, 6, c.alpha);
    v->GetLayer(0)->DrawnRect = TRect{0, 0, 20, 20};
    top->DrawnRect = TRect{0, 0, 20, 20};
    v->SetSelectionOptions(c.selectTransparent ? IESO(iesoSelectTranspLayers) : 0);
    EXPECT_EQ(v->LayerIndexAt(5, 6, true), c.want) << int(c.alpha);
    EXPECT_EQ(v->LayerIndexAt(6, 6, true), 1);
  }
  TVovidErView* v = ViewWithLayers(3, 20, 20);
  for (TIELayer* l : Layers(v)) l->DrawnRect = TRect{10, 10, 30, 30};
  v->GetLayer(2)->Visible = false;
  v->GetLayer(1)->Selectable = false;
  EXPECT_EQ(v->LayerIndexAt(30, 30, true), 0) << "bounds included; hidden and unselectable layers passed over";
  EXPECT_EQ(v->LayerIndexAt(30, 30, false), 1);
  EXPECT_EQ(v->LayerIndexAt(31, 30, false), -1);
}

TEST_F(LayersTest, PointInARotatedLayerFollowsItsCorners) {
  TVovidErView* v = ViewWithLayers(2);
  TIELayer* l = v->GetLayer(1);
  l->DrawnRect = TRect{0, 0, 40, 40};
  l->SetRotation(45);
  // A diamond inside the box.
  l->Corners = {TPoint{20, 0}, TPoint{40, 20}, TPoint{20, 40}, TPoint{0, 20}};
  EXPECT_TRUE(v->IsPointInLayer(20, 20, 1));
  EXPECT_FALSE(v->IsPointInLayer(2, 2, 1)) << "in the box but outside the rotated layer";
  l->SetRotation(0);
  EXPECT_TRUE(v->IsPointInLayer(2, 2, 1));
  EXPECT_TRUE(v->IsPointInLayer(40, 40, 1));
  l->Visible = false;
  EXPECT_FALSE(v->IsPointInLayer(20, 20, 1));
  EXPECT_FALSE(v->IsPointInLayer(20, 20, -1));
  EXPECT_FALSE(v->IsPointInLayer(20, 20, 2));
}

TEST_F(LayersTest, GripsAroundTheCurrentLayer) {
  TVovidErView* v = ViewWithLayers(2, 40, 30);
  TIELayer* l = v->GetCurrentLayer();
  l->PosX = 10;
  l->PosY = 10;
  l->DrawnRect = TRect{10, 10, 50, 40};
  const int32_t g = v->LayersGripSize();
  // Centre of each grip; the rotation centre is the layer's pixel (20, 15) on the client.
  const int32_t rcx = l->BitmapToClientX(20), rcy = l->BitmapToClientY(15);
  struct Case {
    int32_t x, y;
    TIEGrip want;
  };
  const Case cases[] = {
      {10, 10, ieTopLeft},         {50 + g, 10 - g, ieTopRight}, {50, 40, ieBottomRight}, {10 - g, 40 + g, ieBottomLeft},
      {10, 25, ieLeftSide},        {50, 25, ieRightSide},       {30, 10, ieTopSide},      {30, 40, ieBottomSide},
      {50 + g + 1, 10, ieNone},    {rcx, rcy, ieNone},
  };
  for (const Case& c : cases) EXPECT_EQ(v->GripAt(c.x, c.y), c.want) << c.x << "," << c.y;
  const std::array<TRect, 9> rects = v->GetGripRects(1);
  EXPECT_EQ(rects[8], (TRect{rcx - g, rcy - g, rcx + g, rcy + g}));
  EXPECT_EQ(rects[4], (TRect{10 - g, 25 - g, 10 + g, 25 + g}));
  // The rotation centre counts only while layers may be rotated.
  v->SetMouseInteract(IEMI(miRotateLayers));
  l->DrawnRect = TRect{10, 10, 50, 40};
  EXPECT_EQ(v->GripAt(l->BitmapToClientX(20), l->BitmapToClientY(15)), ieRotationCenter);
  EXPECT_EQ(v->GripAt(10, 10), ieTopLeft);
}

TEST_F(LayersTest, UseBitmapHandsTheCurrentLayerAnotherBuffer) {
  TVovidErView* v = ViewWithLayers(2, 10, 10);
  auto outside = TIEBitmap::CreateSized(7, 5, ie24RGB);
  v->AddChangeHandler([this](TObject*, int32_t change) { notified_ += change == 0; });
  v->UseBitmap(outside.get());
  EXPECT_EQ(notified_, 1);
  EXPECT_EQ(v->GetIEBitmap(), outside.get());
  EXPECT_EQ(v->GetCurrentLayer()->Bitmap, outside.get());
  EXPECT_FALSE(v->GetCurrentLayer()->OwnsBitmap);
  EXPECT_EQ(v->GetLegacyBitmap(), nullptr);
  // Back to a fresh buffer of the layer's own; the borrowed one stays the caller's.
  v->UseBitmap(nullptr);
  EXPECT_NE(v->GetIEBitmap(), outside.get());
  EXPECT_TRUE(v->GetCurrentLayer()->OwnsBitmap);
  EXPECT_EQ(v->GetCurrentLayer()->Bitmap, v->GetIEBitmap());
  EXPECT_EQ(v->GetIEBitmap()->GetWidth(), 0);
  EXPECT_EQ(outside->GetWidth(), 7);
}

TEST_F(LayersTest, SameSizeLayersGrowToTheLargest) {
  TVovidErView* v = ViewWithLayers(2, 30, 20);
  TIEBitmap* top = v->GetLayer(1)->Bitmap;
  ASSERT_TRUE(top->Allocate(12, 40, ie24RGB));
  top->Fill(0x00FFFFFF);
  v->SetSameSizeLayers(true);
  v->Update();
  EXPECT_EQ(v->ExtentWidth(), 30);
  EXPECT_EQ(v->ExtentHeight(), 40);
  for (TIELayer* l : Layers(v)) {
    EXPECT_EQ(l->Bitmap->GetWidth(), 30);
    EXPECT_EQ(l->Bitmap->GetHeight(), 40);
    ASSERT_TRUE(l->Bitmap->HasAlphaChannel());
  }
  // The old content stays at the top-left with full alpha; what is new is transparent.
  EXPECT_EQ(top->GetAlphaChannel()->GetPixelByte(11, 39), 255);
  EXPECT_EQ(top->GetAlphaChannel()->GetPixelByte(12, 0), 0);
  TIEBitmap* base = v->GetLayer(0)->Bitmap;
  EXPECT_EQ(base->GetAlphaChannel()->GetPixelByte(29, 19), 255);
  EXPECT_EQ(base->GetAlphaChannel()->GetPixelByte(0, 20), 0);
}

}  // namespace
