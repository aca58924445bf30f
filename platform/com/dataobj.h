// Data transfer objects: formats, storage media and their release, the data
// object and format enumerator interfaces, advise holders, and putting a
// data object on the process clipboard.
#pragma once

#include <cstdint>

#include "platform/com/com.h"
#include "platform/win/winuser.h"

namespace win {

extern const IID IID_IDataObject, IID_IEnumFORMATETC, IID_IAdviseSink, IID_IDataAdviseHolder;

using CLIPFORMAT = uint16_t;

constexpr uint32_t DVASPECT_CONTENT = 1;
constexpr uint32_t TYMED_NULL = 0, TYMED_HGLOBAL = 1, TYMED_FILE = 2, TYMED_ISTREAM = 4, TYMED_ISTORAGE = 8,
                   TYMED_GDI = 16, TYMED_MFPICT = 32, TYMED_ENHMF = 64;
constexpr uint32_t DATADIR_GET = 1, DATADIR_SET = 2;
constexpr uint32_t ADVF_NODATA = 1;

struct FORMATETC {
  CLIPFORMAT cfFormat = 0;
  void* ptd = nullptr;  // target device; compared by identity
  uint32_t dwAspect = DVASPECT_CONTENT;
  int32_t lindex = -1;
  uint32_t tymed = TYMED_NULL;
};

// A medium and who releases it: with pUnkForRelease set, that object owns
// the handle and ReleaseStgMedium only drops a reference on it.
struct STGMEDIUM {
  uint32_t tymed = TYMED_NULL;
  union {
    void* handle = nullptr;
    HGLOBAL hGlobal;
    char* lpszFileName;  // task memory, UTF-8
    IUnknown* pstm;      // a stream
    IUnknown* pstg;      // a storage
    HGDIOBJ hBitmap;
  };
  IUnknown* pUnkForRelease = nullptr;
};

// Frees what the medium holds and empties the record: a global block, the
// file name's task memory (the file itself is left alone), a GDI object; a
// stream or storage loses a reference. With pUnkForRelease set only the
// stream or storage is released besides it. An empty record does nothing.
void ReleaseStgMedium(STGMEDIUM* medium);

struct IEnumFORMATETC : IUnknown {
  virtual HRESULT Next(uint32_t count, FORMATETC* formats, uint32_t* fetched) = 0;
  virtual HRESULT Skip(uint32_t count) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumFORMATETC** out) = 0;

protected:
  ~IEnumFORMATETC() = default;
};

struct IAdviseSink : IUnknown {
  virtual void OnDataChange(FORMATETC* format, STGMEDIUM* medium) = 0;
  virtual void OnViewChange(uint32_t aspect, int32_t index) = 0;
  virtual void OnRename(IUnknown* moniker) = 0;
  virtual void OnSave() = 0;
  virtual void OnClose() = 0;

protected:
  ~IAdviseSink() = default;
};

struct IDataObject : IUnknown {
  virtual HRESULT GetData(FORMATETC* format, STGMEDIUM* medium) = 0;
  virtual HRESULT GetDataHere(FORMATETC* format, STGMEDIUM* medium) = 0;
  virtual HRESULT QueryGetData(FORMATETC* format) = 0;
  virtual HRESULT GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) = 0;
  virtual HRESULT SetData(FORMATETC* format, STGMEDIUM* medium, int32_t release) = 0;
  virtual HRESULT EnumFormatEtc(uint32_t direction, IEnumFORMATETC** out) = 0;
  virtual HRESULT DAdvise(FORMATETC* format, uint32_t flags, IAdviseSink* sink, uint32_t* connection) = 0;
  virtual HRESULT DUnadvise(uint32_t connection) = 0;
  virtual HRESULT EnumDAdvise(IUnknown** out) = 0;

protected:
  ~IDataObject() = default;
};

struct IDataAdviseHolder : IUnknown {
  virtual HRESULT Advise(IDataObject* data, FORMATETC* format, uint32_t flags, IAdviseSink* sink,
                         uint32_t* connection) = 0;
  virtual HRESULT Unadvise(uint32_t connection) = 0;
  virtual HRESULT EnumAdvise(IUnknown** out) = 0;  // E_NOTIMPL: no enumerator of connections here
  // Tells every sink; with data unless the connection asked for none.
  virtual HRESULT SendOnDataChange(IDataObject* data, uint32_t reserved, uint32_t flags) = 0;

protected:
  ~IDataAdviseHolder() = default;
};

// A holder that keeps each sink referenced until Unadvise or its own end.
HRESULT CreateDataAdviseHolder(IDataAdviseHolder** out);

// Puts the object's formats on the process clipboard, each global-memory
// format as a copy of its bytes, and keeps the object (one reference) until
// the clipboard is set again; null empties the clipboard. Needs OLE on the
// thread (CO_E_NOTINITIALIZED); CLIPBRD_E_CANT_OPEN while another thread
// holds the clipboard open.
HRESULT OleSetClipboard(IDataObject* data);
// The object last put there while the clipboard still holds its formats.
HRESULT OleGetClipboard(IDataObject** out);
// S_OK when data is what OleSetClipboard put there last, S_FALSE otherwise.
HRESULT OleIsCurrentClipboard(IDataObject* data);
// Lets go of the object and leaves its rendered formats on the clipboard.
HRESULT OleFlushClipboard();

}  // namespace win
