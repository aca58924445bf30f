// The cxStyle slots of an item (slot 0 Style, slot 1 StyleEdit of edits):
// each slot keeps a snapshot of what its style looked like, so that a style
// notice reports only what really changed, and a font change (which resizes
// controls) wins over a colour change (which only repaints).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/lookandfeel/cxClasses.h"
#include "ui/lookandfeel/cxStyles.h"

// What a style change asks of the item.
enum TdxBarItemStyleChangeKind : uint8_t { sckDrawing = 0, sckStructure = 1, sckNone = 2 };

class TdxBarItemStylesData : public TcxInterfacedPersistent, public IcxStyleUser {
  DX_CLASS(TdxBarItemStylesData, TcxInterfacedPersistent)
public:
  TdxBarItemStylesData(TPersistent* AOwner, int32_t ACount);
  // Every slot is cleared without snapshot or event.
  ~TdxBarItemStylesData() override;

  int32_t Count() const { return int32_t(slots_.size()); }
  // Null for an empty slot or an index outside the slots.
  TcxStyle* GetStyle(int32_t AIndex) const;
  // Listens to a style while some slot holds it; indexes outside the slots are ignored.
  void SetStyle(int32_t AIndex, TcxStyle* AStyle);
  // Every slot holding AStyle takes a new snapshot, under one lock.
  void StyleChanged(TcxStyle* AStyle);
  // Every slot holding AStyle is cleared, under one lock.
  void StyleRemoved(TcxCustomStyle* AStyle);

  // While locked, changes collect into one event at the last unlock.
  void BeginUpdate();
  void EndUpdate();

  // Fired with sckDrawing or sckStructure.
  std::function<void(TdxBarItemStyleChangeKind)> OnChanged;

  // IcxStyleUser
  void StyleValuesChanged(TcxCustomStyle* Sender) override;
  void StyleDestroying(TcxCustomStyle* Sender) override { StyleRemoved(Sender); }

private:
  // The values a slot saw last.
  struct TSnapshot {
    TcxStyleValues AssignedValues = 0;
    TColor Color = clDefault;
    TColor TextColor = clDefault;
    int32_t FontHeight = 0;
    int32_t FontOrientation = 0;
    uint8_t FontPitch = 0;
    uint32_t FontStyle = 0;
    uint8_t FontCharset = 0;
    std::string FontName;
  };
  struct TSlot {
    TSnapshot Snapshot;
    TcxStyle* Style = nullptr;  // not owned
    // The same style as its base, taken while it was whole: a style that is
    // being destroyed is only ever reached through this pointer.
    TcxCustomStyle* Listened = nullptr;
  };

  int32_t SlotsHolding(const TcxCustomStyle* AStyle) const;
  void UpdateSnapshot(TSlot& ASlot);
  void Report(TdxBarItemStyleChangeKind AKind);

  std::vector<TSlot> slots_;
  bool destroying_ = false;
  int32_t lockCount_ = 0;
  TdxBarItemStyleChangeKind pending_ = sckNone;
};
