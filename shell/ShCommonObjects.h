// Objects every unit of the shell library shares: the PIDL manager, which
// allocates, walks, binds and streams item-ID lists through the one task
// allocator; the PIDL list with its stream format; the stream helper of the
// list view's persistence; packing PIDLs into a data object.
//
// Vocabulary. A PIDL is an item-ID list: items, each a 16-bit little-endian
// byte count cb (counting itself) and cb - 2 bytes, ended by a 16-bit zero.
// The empty list (the terminator alone) is the desktop. A PIDL's size counts
// its terminator.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/classes/lists.h"
#include "platform/com/com.h"
#include "platform/rtl/types.h"
#include "platform/vcl/controls.h"
#include "platform/win/shellentries.h"
#include "ui/lookandfeel/dxUxTheme.h"

class TStream;

namespace win {
struct IShellFolder;
struct IDataObject;
}  // namespace win

using TPIDL = uint8_t*;
using TPIDLArray = std::vector<TPIDL>;

// The size of the list at pidl when its cb chain ends within available bytes
// (terminator included); 0 when it runs past them or an item's cb is 1.
size_t PIDLSizeWithin(const uint8_t* pidl, size_t available);

class TCommonPIDLManager : public TObject {
  DX_CLASS(TCommonPIDLManager, TObject)
public:
  // EOutOfMemory "Can not allocate the IMalloc memory interface" when the
  // allocator cannot be had.
  TCommonPIDLManager();
  ~TCommonPIDLManager() override;
  TCommonPIDLManager(const TCommonPIDLManager&) = delete;
  TCommonPIDLManager& operator=(const TCommonPIDLManager&) = delete;

  TPIDL NextID(TPIDL pidl) const;
  int32_t IDCount(TPIDL pidl) const;
  int32_t PIDLSize(TPIDL pidl) const;
  bool IsDesktopFolder(TPIDL pidl) const;
  TPIDL CopyPIDL(TPIDL pidl) const;
  // Dest's items and then Src with its terminator, in a new block; neither is freed.
  TPIDL AppendPIDL(TPIDL dest, TPIDL src) const;
  // Inside the PIDL, no copy.
  TPIDL LastItemPointer(TPIDL pidl) const;
  // Cuts the last item in place so the PIDL names the parent.
  TPIDL TruncateLastItem(TPIDL pidl) const;
  TPIDL TruncateLastItemSaving(TPIDL pidl, uint16_t& lastCB, TPIDL& lastID) const;
  // The folder holding the PIDL's last item (one reference); the PIDL is
  // left as it came on every path.
  bool BindToParent(TPIDL absolutePIDL, win::IShellFolder** folder) const;
  void FreePIDL(TPIDL pidl) const;
  void FreeShellString(char* str) const;
  // A 32-bit size and that many bytes. Nil for no stream or a size of 0 or
  // less; EReadError when the size passes the bytes left or the bytes are no
  // list that ends inside them.
  TPIDL LoadFromStream(TStream* stream) const;
  void SaveToStream(TStream* stream, TPIDL pidl) const;

  win::IMalloc* Malloc() const { return malloc_; }

private:
  win::IMalloc* malloc_ = nullptr;
};

// A list of PIDLs that frees them on Clear unless they are borrowed.
// Stream form, 32-bit little-endian: count, then per entry a size and the
// bytes (size 0: a nil entry).
class TCommonPIDLList : public TList {
  DX_CLASS(TCommonPIDLList, TList)
public:
  TCommonPIDLList();
  ~TCommonPIDLList() override;

  void Clear() override;
  // Appends; false when the stream fails, with the entries read so far kept.
  virtual bool LoadFromStream(TStream* stream);
  virtual bool SaveToStream(TStream* stream);

  TPIDL PIDLs(int32_t index) const { return static_cast<TPIDL>(Items(index)); }
  bool BorrowedPIDLs() const { return borrowed_; }
  void SetBorrowedPIDLs(bool v) { borrowed_ = v; }
  bool Destroying() const { return destroying_; }
  TCommonPIDLManager& PIDLManager() { return manager_; }

private:
  TCommonPIDLManager manager_;
  bool borrowed_ = false;
  bool destroying_ = false;
};

// Counted values on streams, 32-bit little-endian.
class TCommonMemoryStreamHelper : public TObject {
  DX_CLASS(TCommonMemoryStreamHelper, TObject)
public:
  int32_t ReadInteger(TStream* stream) const;
  void WriteInteger(TStream* stream, int32_t value) const;
  // EReadError for a negative length or one past the bytes left.
  void ReadString(TStream* stream, std::string& text) const;
  void WriteString(TStream* stream, const std::string& text) const;
};

// The rectangle of the check glyph at one point size.
class TCommonCheckBound : public TObject {
  DX_CLASS(TCommonCheckBound, TObject)
public:
  TRect Bounds;
  int32_t Size = 0;
};

// A cache of check-glyph bounds by point size.
class TCommonCheckBoundManager : public TObject {
  DX_CLASS(TCommonCheckBoundManager, TObject)
public:
  // The cached bound of that size (first in list order) or nil.
  TCommonCheckBound* Find(int32_t size) const;
  // The cached rectangle, measured and added on a miss.
  TRect Bound(int32_t size);
  void Clear() { list_.Clear(); }
  int32_t Count() const { return list_.Count(); }

private:
  TObjectList list_;
};

// A new data object (one reference) carrying the PIDLs as shell ID list,
// file-drop list of the file-system items and drag-loop flag. The PIDLs stay
// the caller's.
void PIDLsToDataObject(const TPIDLArray& pidls, win::IDataObject** dataObject);

// What the list-view classes ask of the control that owns them: whether it
// paints with visual styles, and its canvas ready to paint on.
class TCommonCanvasControl : public TCustomControl {
  DX_COMPONENT_CLASS(TCommonCanvasControl, TCustomControl)
public:
  explicit TCommonCanvasControl(TComponent* AOwner);

  // The control's own choice to paint with visual styles (on by default).
  bool Themed() const { return themed_; }
  void SetThemed(bool on) { themed_ = on; }
  // The theme handles the control opened (0: none); the list view's is tested.
  struct TThemeHandles {
    HTHEME ListView = 0, Header = 0, Button = 0;
  } Themes;

  // Not being read from a stream, Themed, and visual styles in use.
  bool ThemedPaintingOn() const;
  // ThemedPaintingOn with the list view's theme handle open.
  bool PaintsWithThemes() const;
  // Canvas with the control's font and a solid brush of its colour.
  TCanvas* ReadyCanvas();
  // Only when the window exists: invalidates rect (null: all) without
  // erasing, and with immediateUpdate paints at once.
  void InvalidateIfHandle(const TRect* rect, bool immediateUpdate);

private:
  bool themed_ = true;
};

// The shared objects of the library's units.
extern TCommonPIDLManager* CommonPIDLManager;
extern TCommonMemoryStreamHelper* StreamHelper;
extern TCommonCheckBoundManager* CheckBoundManager;
// Face "marlett"; the check-box and radio glyph painters set its size.
extern TFont* MarlettFont;
// shell32's tests whether two absolute PIDLs name one item (ordinal 21) and
// whether one is the parent of another (ordinal 23), through which a
// namespace compares itself with the special folders; nil when shell32 or
// the entry is missing.
extern win::PFN_ILIsEqual CommonILIsEqual;
extern win::PFN_ILIsParent CommonILIsParent;
// Loads shell32 when the process does not have it yet (and frees it again at
// shut-down), binds the two tests and makes the shared objects.
void ShCommonObjectsInitialize();
void ShCommonObjectsFinalize();
