// The shell library's data object, its format enumerator, and the three
// shell clipboard formats it reads and writes:
//
//   CF_HDROP        DROPFILES: list offset:u32 (20), x:i32, y:i32,
//                   non-client:u32, wide:u32, then the names, each ended by a
//                   zero character (1 byte, or 2 when wide), and one more zero.
//   Shell IDList    CIDA: n:u32, (n + 1) offsets:u32 from the block start
//   Array           (parent first), then the ID lists, parent first.
//   InShellDragLoop one u32, non-zero inside the shell's drag loop.
//
// All little-endian. Blocks received from elsewhere are measured only within
// the bytes their medium holds; a block that does not fit is refused.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/com/dataobj.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/types.h"
#include "shell/ShCommonObjects.h"

class TBitmap;
class TStrings;

DX_EXCEPTION(ERangeError, Exception);

// Registered at unit start-up; 0 before.
extern win::CLIPFORMAT CF_SHELLIDLIST, CF_LOGICALPERFORMEDDROPEFFECT, CF_PREFERREDDROPEFFECT, CF_PERFORMEDDROPEFFECT,
    CF_PASTESUCCEEDED, CF_INSHELLDRAGLOOP, CF_SHELLOBJECTOFFSETS, CF_FILECONTENTS, CF_FILEGROUPDESCRIPTORA,
    CF_FILEGROUPDESCRIPTORW;

// A registered format id as the 16-bit value it is stored in; ERangeError
// "Range check error" for 0x10000 and above.
win::CLIPFORMAT ClipFormatValue(uint32_t id);

void ShDataObjectInitialize();
void ShDataObjectFinalize();

extern const win::IID IID_IObjectAccessQuery, IID_IDataObjectExtras;

struct IObjectAccessQuery : win::IUnknown {
  virtual TObject* GetImplementor() = 0;

protected:
  ~IObjectAccessQuery() = default;
};

struct IDataObjectExtras : win::IDataObject {
  virtual bool AssignDragImage(TBitmap* image, TPoint hotSpot, TColor transparentColor) = 0;
  virtual bool SetRawData(win::CLIPFORMAT format, const void* data, int32_t byteCount) = 0;
  // The stored bytes of the format; data is left alone on failure.
  virtual bool GetRawData(win::CLIPFORMAT format, std::vector<uint8_t>& data) = 0;

protected:
  ~IDataObjectExtras() = default;
};

using TFormatEtcArray = std::vector<win::FORMATETC>;

struct TDataObjectInfo {
  win::FORMATETC FormatEtc;
  win::STGMEDIUM StgMedium;
  bool OwnedData = false;
};
using TDataObjectInfoArray = std::vector<TDataObjectInfo>;

bool SameFormatEtc(const win::FORMATETC& a, const win::FORMATETC& b);

class TCommonDataObject : public TObject, public win::TComObject<IDataObjectExtras, IObjectAccessQuery> {
  DX_CLASS(TCommonDataObject, TObject)
public:
  using TGetDataEvent = std::function<void(TObject* sender, const win::FORMATETC& format, win::STGMEDIUM& medium,
                                           bool& handled)>;
  using TQueryGetDataEvent = std::function<void(TObject* sender, const win::FORMATETC& format,
                                                bool& formatAvailable, bool& handled)>;

  TCommonDataObject() = default;
  ~TCommonDataObject() override;

  win::HRESULT QueryInterface(win::REFIID iid, void** out) override;
  TObject* GetImplementor() override { return this; }

  win::HRESULT GetData(win::FORMATETC* format, win::STGMEDIUM* medium) override;
  win::HRESULT GetDataHere(win::FORMATETC* format, win::STGMEDIUM* medium) override;
  win::HRESULT QueryGetData(win::FORMATETC* format) override;
  win::HRESULT GetCanonicalFormatEtc(win::FORMATETC* in, win::FORMATETC* out) override;
  win::HRESULT SetData(win::FORMATETC* format, win::STGMEDIUM* medium, int32_t release) override;
  win::HRESULT EnumFormatEtc(uint32_t direction, win::IEnumFORMATETC** out) override;
  win::HRESULT DAdvise(win::FORMATETC* format, uint32_t flags, win::IAdviseSink* sink,
                       uint32_t* connection) override;
  win::HRESULT DUnadvise(uint32_t connection) override;
  win::HRESULT EnumDAdvise(win::IUnknown** out) override;

  // No drag-image helper exists on this platform: always false.
  bool AssignDragImage(TBitmap* image, TPoint hotSpot, TColor transparentColor) override;
  bool SetRawData(win::CLIPFORMAT format, const void* data, int32_t byteCount) override;
  bool GetRawData(win::CLIPFORMAT format, std::vector<uint8_t>& data) override;

  const TDataObjectInfoArray& Formats() const { return formats_; }

  TGetDataEvent OnGetData;
  TQueryGetDataEvent OnQueryGetData;

protected:
  virtual void DoEnumFormatEtc(uint32_t direction, TFormatEtcArray& formats);
  virtual void DoGetData(const win::FORMATETC& format, win::STGMEDIUM& medium, bool& handled);
  virtual void DoQueryGetData(const win::FORMATETC& format, bool& formatAvailable, bool& handled);
  // A descendant renders formats on demand; none here.
  virtual bool CanRenderFormat(const win::FORMATETC& format, win::STGMEDIUM& medium);

private:
  win::IUnknown* Identity() { return static_cast<win::IDataObject*>(this); }
  win::HRESULT CopyMedium(const win::STGMEDIUM& source, win::STGMEDIUM& dest, bool copyMode);
  win::HRESULT CopyMediumInto(const win::STGMEDIUM& source, win::STGMEDIUM& dest, bool copyMode);

  win::IDataAdviseHolder* adviseHolder_ = nullptr;
  TDataObjectInfoArray formats_;
};

class TCommonEnumFormatEtc : public win::TComObject<win::IEnumFORMATETC> {
public:
  explicit TCommonEnumFormatEtc(TFormatEtcArray formats = {}, int32_t index = 0)
      : formats_(std::move(formats)), index_(index) {}

  win::HRESULT QueryInterface(win::REFIID iid, void** out) override;
  win::HRESULT Next(uint32_t count, win::FORMATETC* formats, uint32_t* fetched) override;
  win::HRESULT Skip(uint32_t count) override;
  win::HRESULT Reset() override;
  win::HRESULT Clone(win::IEnumFORMATETC** out) override;

  TFormatEtcArray& Formats() { return formats_; }
  int32_t Index() const { return index_; }

private:
  TFormatEtcArray formats_;
  int32_t index_ = 0;
};

class TCommonClipboardFormat : public TObject {
  DX_CLASS(TCommonClipboardFormat, TObject)
public:
  virtual void GetFormatEtc(win::FORMATETC& format) { format = {0, nullptr, 0, 0, 0}; }
  virtual bool LoadFromClipboard() { return false; }
  virtual bool LoadFromDataObject(win::IDataObject* dataObject) = 0;
  virtual bool SaveToClipboard() { return false; }
  virtual bool SaveToDataObject(win::IDataObject* dataObject) = 0;
};

class TCommonHDrop : public TCommonClipboardFormat {
  DX_CLASS(TCommonHDrop, TCommonClipboardFormat)
public:
  // One byte a character (Windows-1252) when every name fits that code
  // page, else UTF-16 with the wide flag set. Nil does nothing.
  void AssignFiles(const TStrings* files);
  void AllocStructure(size_t bytes);
  void FreeStructure() { block_.clear(); }
  // Keeps a copy of the block, measured within available bytes; false (and
  // no block) for nil or a block whose names run past them.
  bool AssignStructure(const void* block, size_t available);
  // A new global block (GHND) with a copy; null without a block.
  win::HGLOBAL GetGlobalHandle() const;

  const uint8_t* DropFiles() const { return block_.empty() ? nullptr : block_.data(); }
  size_t StructureSize() const { return block_.size(); }

  void GetFormatEtc(win::FORMATETC& format) override;
  bool LoadFromClipboard() override;
  bool LoadFromDataObject(win::IDataObject* dataObject) override;
  bool SaveToClipboard() override;
  bool SaveToDataObject(win::IDataObject* dataObject) override;

private:
  std::vector<uint8_t> block_;
};

class TCommonShellIDList : public TCommonClipboardFormat {
  DX_CLASS(TCommonShellIDList, TCommonClipboardFormat)
public:
  // The list's first entry is the parent folder's ID list, the rest its children.
  void AssignPIDLs(TCommonPIDLList* list);
  int32_t ChildCount() const;
  const uint8_t* ParentPIDL() const;
  const uint8_t* ChildPIDL(int32_t index) const;
  size_t BlockSize() const;
  // Keeps the block's lists packed back to back; false (and no block) for nil
  // or a block whose counts, offsets or lists pass the available bytes.
  bool AssignBlock(const void* block, size_t available);

  const uint8_t* Block() const { return block_.empty() ? nullptr : block_.data(); }

  void GetFormatEtc(win::FORMATETC& format) override;
  bool LoadFromClipboard() override;
  bool LoadFromDataObject(win::IDataObject* dataObject) override;
  bool SaveToClipboard() override;
  bool SaveToDataObject(win::IDataObject* dataObject) override;

private:
  uint32_t Offset(uint32_t i) const;
  std::vector<uint8_t> block_;
};

class TCommonInShellDragLoop : public TCommonClipboardFormat {
  DX_CLASS(TCommonInShellDragLoop, TCommonClipboardFormat)
public:
  uint32_t Value() const { return value_; }
  void SetValue(uint32_t v) { value_ = v; }

  void GetFormatEtc(win::FORMATETC& format) override;
  bool LoadFromDataObject(win::IDataObject* dataObject) override;
  bool SaveToDataObject(win::IDataObject* dataObject) override;

private:
  uint32_t value_ = 0;
};
