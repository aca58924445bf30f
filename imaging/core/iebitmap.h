// TIEBitmap: the image library's one image buffer.
//
// Vocabulary:
//   pixel format  one of the ten TIEPixelFormat layouts below (IEPixelFormatInfo
//                 gives bits and channels of each);
//   row           the pixels of one line, padded to the row alignment (32 bits
//                 unless set otherwise; IEBitmapRowLen). Rows are numbered from
//                 the top (row 0) but stored bottom-up in one block:
//
//                   block start -> row h-1
//                                  ...
//                                  row 0   <- block start + row length * (h-1)
//
//   location      where the pixels live: ieMemory (one 64-byte aligned block,
//                 or blocks of rows when one block cannot be had), ieFile (a
//                 temporary file; only the rows asked for are in memory) or
//                 ieTBitmap (a platform TBitmap, for the view's legacy mode);
//   alpha channel a second TIEBitmap in ie8g of the same size, owned, made on
//                 first use, 255 = opaque.
//
// Always address rows through GetScanline; in ieFile the address stays valid
// only until the next GetScanline (or until UnlockScanline for LockScanline).
// A buffer has no lock: one thread uses it at a time, and in ieFile even
// reading changes its state.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/core/iefilestorage.h"
#include "imaging/core/ieglobals.h"
#include "platform/rtl/object.h"
#include "platform/rtl/types.h"

class TBitmap;  // platform/vcl/graphics.h
class TIEDibbitmap;  // imaging/core/iedibbitmap.h
class TIEBitmap;
struct TIEStretchRowsParams;  // imaging/core/ierender.h

enum TIEPixelFormat : uint8_t {
  ieNoFormat,  // no image; Allocate refuses it
  ie1g,        // 1 bit, most significant first (0x80 >> x % 8); 1 = white
  ie8p,        // palette index
  ie8g,        // gray 0..255; also the alpha channel's format
  ie16g,       // gray 0..65535
  ie24RGB,     // bytes blue, green, red
  ie32f,       // float gray, 0.0 black .. 1.0 white
  ieCMYK,      // bytes cyan, magenta, yellow, black, inverted (255 = no ink)
  ieRGB48,     // 16-bit words red, green, blue (red first, unlike ie24RGB)
  ieCIELab,    // bytes L (0..255 for 0..100), a, b (signed)
  ie32RGB      // bytes blue, green, red and a fourth that rendering never reads
};

enum TIELocation : uint8_t { ieMemory, ieFile, ieTBitmap };

// Row access intent: in ieFile rows are read from the file only with iedRead
// and written back only with iedWrite.
using TIEDataAccess = uint8_t;
constexpr TIEDataAccess iedRead = ieViewRead;
constexpr TIEDataAccess iedWrite = ieViewWrite;

// A colour of three bytes in memory order blue, green, red: an ie24RGB pixel
// and a palette entry.
struct TRGB {
  uint8_t b = 0;
  uint8_t g = 0;
  uint8_t r = 0;
  friend constexpr bool operator==(const TRGB&, const TRGB&) = default;
};
static_assert(sizeof(TRGB) == 3);

// A pixel of ieRGB48: three 16-bit words, red first.
struct TRGB48 {
  uint16_t r = 0;
  uint16_t g = 0;
  uint16_t b = 0;
  friend constexpr bool operator==(const TRGB48&, const TRGB48&) = default;
};
static_assert(sizeof(TRGB48) == 6);

struct TIEPixelFormatInfo {
  TIEPixelFormat Format;
  int32_t BitsPerPixel;
  int32_t Channels;
  const char* Name;
};
// The descriptor of a format; values past ie32RGB get ieNoFormat's.
const TIEPixelFormatInfo& IEPixelFormatInfo(TIEPixelFormat format);

// The abstract buffer: the operations every image buffer offers, and its row
// access mode (new buffers: read and write).
class TIEBaseBitmap : public TObject {
  DX_CLASS(TIEBaseBitmap, TObject)
public:
  TIEDataAccess Access() const { return access_; }
  void SetAccess(TIEDataAccess access) { access_ = access; }

  virtual void* GetScanline(int32_t row) = 0;
  virtual int32_t GetBitCount() = 0;
  virtual int32_t GetHeight() = 0;
  virtual int32_t GetWidth() = 0;
  virtual TIEPixelFormat GetPixelFormat() = 0;
  virtual int32_t GetRowLen() = 0;
  virtual TRGB* GetPalette() = 0;
  virtual TRGB GetPaletteColor(int32_t index) = 0;
  virtual void SetPaletteColor(int32_t index, const TRGB& color) = 0;
  virtual int32_t GetPaletteLen() = 0;
  virtual bool Allocate(int32_t width, int32_t height, TIEPixelFormat format) = 0;
  virtual void Assign(TObject* source) = 0;
  virtual void CopyPaletteTo(TObject* destination) = 0;

protected:
  TIEDataAccess access_ = iedRead | iedWrite;
};

// Sets a buffer's access mode for a scope and restores it on every exit (a
// copy reads its source and writes its destination only).
class TIEAccessScope {
public:
  TIEAccessScope(TIEBaseBitmap& bitmap, TIEDataAccess access) : bitmap_(bitmap), saved_(bitmap.Access()) {
    bitmap.SetAccess(access);
  }
  ~TIEAccessScope() { bitmap_.SetAccess(saved_); }
  TIEAccessScope(const TIEAccessScope&) = delete;
  TIEAccessScope& operator=(const TIEAccessScope&) = delete;

private:
  TIEBaseBitmap& bitmap_;
  TIEDataAccess saved_;
};

class TIEBitmap : public TIEBaseBitmap {
  DX_CLASS(TIEBitmap, TIEBaseBitmap)
public:
  // Empty: no format, size 0, location ieFile until the first allocation
  // decides. The memory threshold is the library-wide one unless that is -1,
  // else total physical memory / 1.3 (32 MiB when the total is unknown).
  TIEBitmap();
  ~TIEBitmap() override;
  TIEBitmap(const TIEBitmap&) = delete;
  TIEBitmap& operator=(const TIEBitmap&) = delete;

  static std::unique_ptr<TIEBitmap> CreateSized(int32_t width, int32_t height, TIEPixelFormat format);
  static std::unique_ptr<TIEBitmap> CreateCopy(TObject* source);
  // An alpha channel: ie8g, all 255, fully opaque; ieTBitmap is taken as ieMemory.
  static std::unique_ptr<TIEBitmap> CreateAlphaChannel(int32_t width, int32_t height, TIELocation location);

  // In ieFile: the row's view, valid until the next GetScanline; in
  // ieTBitmap: the platform bitmap's row. Null for a row outside the image.
  void* GetScanline(int32_t row) override;
  int32_t GetBitCount() override;
  int32_t GetHeight() override;
  int32_t GetWidth() override;
  TIEPixelFormat GetPixelFormat() override;
  int32_t GetRowLen() override;
  int32_t GetChannelCount();
  bool IsEmpty();

  // A row that stays valid (and in ieFile, in memory) until UnlockScanline.
  void* LockScanline(int32_t row);
  // ieFile: writes the row back (when the access mode had write) and forgets
  // it; a row not locked is ignored.
  void UnlockScanline(int32_t row);
  // ieFile: releases the current row and every locked row.
  void ReleaseRowViews();

  // Reallocates unless the size and format are already these and nothing
  // invalidated the storage since. New pixels are not initialised. False
  // (with width and height 0) when the size is invalid, its bytes do not fit
  // in 64 bits or a row in 31 bits, or neither memory nor a temporary file
  // can hold it.
  bool Allocate(int32_t width, int32_t height, TIEPixelFormat format) override;
  // Storage for the current width, height and format by the threshold rule.
  bool AllocateStorage();
  // Frees pixels and palette (and the alpha channel when asked); keeps the format.
  void FreeImage(bool freeAlphaChannel);

  // The alpha channel, made on first use (null on an alpha channel itself).
  TIEBitmap* GetAlphaChannel();
  bool HasAlphaChannel() const { return alpha_ != nullptr; }
  // Frees the alpha channel; with merge, an ie24RGB image is first blended
  // towards the background colour (0x00BBGGRR or a system colour) by its alpha.
  void RemoveAlphaChannel(bool merge, TColor background);
  // Makes the channel this buffer's alpha channel and hands back the previous
  // one (which the caller then owns).
  std::unique_ptr<TIEBitmap> AttachAlphaChannel(std::unique_ptr<TIEBitmap> channel);

  TRGB* GetPalette() override { return palette_.get(); }
  // Black for an index outside the palette.
  TRGB GetPaletteColor(int32_t index) override;
  // Ignores an index outside the palette.
  void SetPaletteColor(int32_t index, const TRGB& color) override;
  int32_t GetPaletteLen() override { return paletteCount_; }
  // Only onto a TIEBitmap: replaces its palette by a copy of this one.
  void CopyPaletteTo(TObject* destination) override;
  // ieTBitmap: writes the palette into the platform bitmap's colour table.
  void SyncPaletteToVclBitmap();

  // A copy of a TIEBitmap (pixels, alpha channel, palette, fully-opaque flag,
  // bi-level method) or of a platform TBitmap; other sources are ignored.
  void Assign(TObject* source) override;
  // As Assign, but keeps this buffer's alpha channel and bi-level method and
  // clears the fully-opaque flag; nothing for an empty source.
  void AssignImage(TIEBitmap* source);
  // Converts the pixels when the format differs.
  void SetPixelFormat(TIEPixelFormat format);

  // ---- pixel-format conversion (iebitmapconvert.cpp) ----
  // Fills this buffer, already allocated at the source's size in the wanted
  // format, from the source, converting every pixel; then takes the source's
  // alpha channel. Nothing when the sizes differ, this buffer is in ieTBitmap
  // or the source has no format. Some routes first convert the source itself
  // to ie24RGB.
  void CopyAndConvertFormat(TIEBitmap& source);
  // Changes the pixel format in place; display settings, bi-level method and
  // quantizer colour count stay. A failed allocation leaves the buffer empty.
  void ConvertToFormat(TIEPixelFormat format);

  // ---- drawing into another buffer (ierender.cpp, ierenderrows.cpp) ----
  // Draws the source rectangle (xSrc, ySrc, dxSrc, dySrc) of this buffer into
  // the destination rectangle of an ie24RGB dest: clipped to both buffers and
  // to the inclusive update area (null: none), stretched by nearest pixel or,
  // with a filter and different sizes, resampled (ie1g and ie24RGB sources;
  // others by nearest pixel), with the display
  // adjustments, the alpha channel (enableAlpha), the transparency (0..255)
  // and the layer operation. The three tables are in-out: an empty or null
  // one is built; built tables are handed back through non-null arguments
  // unless freeTables. Exceptions of the nearest-pixel drawing end it quietly.
  void RenderToTIEBitmap(TIEBitmap& dest, std::vector<uint8_t*>* rowTable, std::vector<int32_t>* columnMap,
                         std::vector<int32_t>* rowMap, const TRect* updateArea, int32_t xDst, int32_t yDst,
                         int32_t dxDst, int32_t dyDst, int32_t xSrc, int32_t ySrc, int32_t dxSrc, int32_t dySrc,
                         bool enableAlpha, bool reuseRows, int32_t transparency, TResampleFilter filter,
                         bool freeTables, uint8_t operation);
  // RenderToTIEBitmap with its own tables, alpha enabled, no update area, no row reuse.
  void DrawToTIEBitmap(TIEBitmap& dest, int32_t xDst, int32_t yDst, int32_t dxDst, int32_t dyDst, int32_t xSrc,
                       int32_t ySrc, int32_t dxSrc, int32_t dySrc, int32_t transparency, TResampleFilter filter,
                       uint8_t operation);
  // The same into a pf24bit platform bitmap (other pixel formats: nothing).
  void RenderToTBitmap(TBitmap& dest, std::vector<uint8_t*>* rowTable, std::vector<int32_t>* columnMap,
                       std::vector<int32_t>* rowMap, const TRect* updateArea, int32_t xDst, int32_t yDst,
                       int32_t dxDst, int32_t dyDst, int32_t xSrc, int32_t ySrc, int32_t dxSrc, int32_t dySrc,
                       bool enableAlpha, bool reuseRows, int32_t transparency, TResampleFilter filter,
                       bool freeTables, uint8_t operation);
  void DrawToTBitmap(TBitmap& dest, int32_t xDst, int32_t yDst, int32_t dxDst, int32_t dyDst, int32_t xSrc,
                     int32_t ySrc, int32_t dxSrc, int32_t dySrc, int32_t transparency, TResampleFilter filter,
                     uint8_t operation);
  // A plain stretched copy into an ie24RGB dest (ie1g and ie24RGB sources give
  // pixels), resampling first with a filter; the dest's alpha channel gets
  // the source alpha limited to alphaValue, or alphaValue.
  void StretchRectTo(TIEBitmap& dest, int32_t xDst, int32_t yDst, int32_t dxDst, int32_t dyDst, int32_t xSrc,
                     int32_t ySrc, int32_t dxSrc, int32_t dySrc, TResampleFilter filter, int32_t alphaValue);

  // Row renderers, one plain and one alpha variant per source format; each
  // acts only on a buffer of the format it names.
  virtual void StretchRows_ie24RGB(const TIEStretchRowsParams& p);
  virtual void StretchRowsAlpha_ie24RGB(const TIEStretchRowsParams& p);
  virtual void StretchRows_ie32RGB(const TIEStretchRowsParams& p);
  virtual void StretchRowsAlpha_ie32RGB(const TIEStretchRowsParams& p);
  virtual void StretchRows_ie1g(const TIEStretchRowsParams& p);
  virtual void StretchRowsAlpha_ie1g(const TIEStretchRowsParams& p);
  virtual void StretchRows_ie8g(const TIEStretchRowsParams& p);
  virtual void StretchRowsAlpha_ie8g(const TIEStretchRowsParams& p);
  virtual void StretchRows_ie8p(const TIEStretchRowsParams& p);
  virtual void StretchRowsAlpha_ie8p(const TIEStretchRowsParams& p);
  virtual void StretchRows_ie16g(const TIEStretchRowsParams& p);
  virtual void StretchRowsAlpha_ie16g(const TIEStretchRowsParams& p);
  virtual void StretchRows_ie32f(const TIEStretchRowsParams& p);
  virtual void StretchRowsAlpha_ie32f(const TIEStretchRowsParams& p);
  virtual void StretchRows_ieCMYK(const TIEStretchRowsParams& p);
  virtual void StretchRowsAlpha_ieCMYK(const TIEStretchRowsParams& p);
  virtual void StretchRows_ieCIELab(const TIEStretchRowsParams& p);
  virtual void StretchRowsAlpha_ieCIELab(const TIEStretchRowsParams& p);
  virtual void StretchRows_ieRGB48(const TIEStretchRowsParams& p);
  virtual void StretchRowsAlpha_ieRGB48(const TIEStretchRowsParams& p);

  // ---- pixel access, fill and rectangles (iebitmappixels.cpp) ----
  // Typed access for the format named; coordinates outside the image read 0
  // and write nothing. The setters keep the fully-opaque flag only for the
  // format's maximum value.
  uint8_t GetPixelByte(int32_t x, int32_t y);
  void SetPixelByte(int32_t x, int32_t y, uint8_t v);
  uint16_t GetPixelWord(int32_t x, int32_t y);
  void SetPixelWord(int32_t x, int32_t y, uint16_t v);
  float GetPixelFloat(int32_t x, int32_t y);
  void SetPixelFloat(int32_t x, int32_t y, float v);
  uint32_t GetPixelDWord(int32_t x, int32_t y);
  void SetPixelDWord(int32_t x, int32_t y, uint32_t v);
  TRGB GetPixel24(int32_t x, int32_t y);
  void SetPixel24(int32_t x, int32_t y, const TRGB& color);
  // Row y + 3 x; null outside the image. In ieFile valid until the next row access.
  TRGB* GetPixel24Address(int32_t x, int32_t y);
  TRGB48 GetPixel48(int32_t x, int32_t y);
  void SetPixel48(int32_t x, int32_t y, const TRGB48& words);
  // The alpha channel's value (the channel is made on first use); on an alpha
  // channel its own byte.
  uint8_t GetAlpha(int32_t x, int32_t y);
  void SetAlphaValue(int32_t x, int32_t y, uint8_t v);

  // The value is a number for gray formats (truncated, except ie32f's Fill)
  // and a colour 0x00BBGGRR (or a system colour) for colour formats.
  void Fill(double value);
  // Inclusive corners, clipped to the image; flag and access mode untouched.
  void FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, double value);
  // Copies a width x height rectangle, clipped to both buffers; a negative
  // destination x or y skips as many source columns or rows. Only equal
  // formats (ie32RGB excepted) and ie1g into ie24RGB are copied.
  void CopyRectTo(TIEBitmap& destination, int32_t sourceX, int32_t sourceY, int32_t destX, int32_t destY,
                  int32_t width, int32_t height);
  // The rectangle rule of CopyRectTo on the two alpha channels, keeping the larger value.
  void MergeAlphaRectTo(TIEBitmap& destination, int32_t sourceX, int32_t sourceY, int32_t destX, int32_t destY,
                        int32_t width, int32_t height);
  // Moves the inclusive rectangle to (destX, destY), filling its old place first when asked.
  void MoveRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t destX, int32_t destY, double value,
                bool fillSource);
  // Changes the canvas size without scaling; alignments 0 left/top, 1 centre,
  // 2 right/bottom. Uncovered pixels get the fill value, alpha the alpha fill.
  void Resize(int32_t newWidth, int32_t newHeight, double fillValue, double alphaFillValue, int32_t hAlign,
              int32_t vAlign);
  // Colour pixels (or palette entries) all have equal channels; other formats are gray.
  bool IsGrayScale();
  // Sets the fully-opaque flag when every pixel byte (padding excluded) is 255.
  void UpdateAlphaFull();
  bool IsAllZero();

  // Hands every storage field to the destination, whose own storage is freed;
  // this buffer is left empty.
  void MoveContentTo(TIEBitmap& destination);
  // A multiple of 8. Re-lays the pixels in ieMemory; an allocated buffer in
  // another location keeps its alignment; an empty one takes it for its next
  // allocation.
  void SetRowAlignment(int32_t bits);
  // Keep the pixels of the common rows and columns; new ones are not initialised.
  void SetWidth(int32_t width);
  void SetHeight(int32_t height);
  // Moves the pixels; the threshold may choose another location than asked.
  void SetLocation(TIELocation location);

  // ieTBitmap upkeep: picks up changes made to the platform bitmap behind the
  // buffer's back, and the table of its row addresses.
  void SyncFromVclBitmap();
  void BuildRowPointerTable();
  void FreeRowPointerTable();
  // Wraps a platform bitmap without copying; it stays the caller's.
  void EncapsulateTBitmap(TBitmap* bitmap, bool freeFirst);
  // Copies a DIB bitmap's size and rows: 1 bit as ie1g, 24 bits as ie24RGB,
  // and outside ieTBitmap 8 bits as ie8g; other depths and null: nothing.
  void CopyFromTDibBitmap(TIEDibbitmap* dib);
  // The platform bitmap of location ieTBitmap (null elsewhere).
  TBitmap* VclBitmap() const { return vclBitmap_; }

  TIELocation Location() const { return location_; }
  bool IsAlphaChannel() const { return isAlpha_; }
  // True on an alpha channel when every value is 255.
  bool FullyOpaque() const { return fullyOpaque_; }
  void SetFullyOpaque(bool v) { fullyOpaque_ = v; }
  bool VclBitmapNotOwned() const { return vclNotOwned_; }
  bool NeedsAllocation() const { return needsAllocation_; }
  // Bytes above which the pixels go to a temporary file.
  int64_t MemoryThreshold() const { return memoryThreshold_; }
  void SetMemoryThreshold(int64_t bytes) { memoryThreshold_ = bytes; }
  int32_t RowAlignment() const { return rowAlignment_; }
  // 0 heap, 1 zero-filled global memory, 2 heap below 1 MiB and global above.
  uint8_t AllocatorKind() const { return allocatorKind_; }
  void SetAllocatorKind(uint8_t kind) { allocatorKind_ = kind <= 2 ? kind : 2; }
  // Number of row blocks in ieMemory (0: one block).
  int32_t RowBlockCount() const { return int32_t(rowBlocks_.size()); }

  // Conversion to 1 bit: 0 ordered dither, 1 threshold.
  uint8_t BilevelMethod() const { return bilevelMethod_; }
  void SetBilevelMethod(uint8_t v) { bilevelMethod_ = v; }
  int32_t QuantizerColorCount() const { return quantizerColorCount_; }
  void SetQuantizerColorCount(int32_t v) { quantizerColorCount_ = v; }
  // Display settings of the renderers.
  double DisplayGrayMin() const { return grayMin_; }
  void SetDisplayGrayMin(double v) { grayMin_ = v; }
  double DisplayGrayMax() const { return grayMax_; }
  void SetDisplayGrayMax(double v) { grayMax_ = v; }
  // 0 red, 1 green, 2 blue, 3 unused by the renderers.
  int32_t ChannelOffset(int32_t index) const { return index >= 0 && index < 4 ? channelOffset_[size_t(index)] : 0; }
  void SetChannelOffset(int32_t index, int32_t v) {
    if (index >= 0 && index < 4) channelOffset_[size_t(index)] = v;
  }
  bool DisplayAdjust() const { return displayAdjust_; }
  void SetDisplayAdjust(bool v) { displayAdjust_ = v; }
  int32_t DisplayContrast() const { return displayContrast_; }
  void SetDisplayContrast(int32_t v) { displayContrast_ = v; }

private:
  // The pixel block of ieMemory as its allocator returned it.
  class TPixelMemory {
  public:
    TPixelMemory() = default;
    ~TPixelMemory() { Free(); }
    TPixelMemory(const TPixelMemory&) = delete;
    TPixelMemory& operator=(const TPixelMemory&) = delete;
    bool Allocate(int64_t size, uint8_t kind);
    void Free();
    void Swap(TPixelMemory& other);
    uint8_t* Aligned() const { return aligned_; }

  private:
    void* raw_ = nullptr;
    uint8_t* aligned_ = nullptr;
    uint8_t kind_ = 0;
  };
  struct TGlobalDeleter {
    void operator()(void* p) const;
  };
  // Frees a platform bitmap; defined with the platform-bitmap code.
  struct TVclBitmapDeleter {
    void operator()(TBitmap* bitmap) const;
  };

  bool AllocatePixelMemory(int64_t size);
  bool AllocateRowBlocks(int64_t size);
  bool AllocateVclStorage(int64_t size, bool checkMemory);
  void ComputeRowLayout();
  void ResizeStorage(int32_t width, int32_t height);
  void ResizeVclBitmap(int32_t width, int32_t height);
  void ReleaseCurrentView();
  void FreeStorageNoThrow();
  void FillWithByte(uint8_t value);
  // Copies the common rows and bytes of the source, with the access modes a copy sets.
  void CopyRowsFrom(TIEBitmap& source);
  void CopyPaletteFrom(const TIEBitmap& source);
  bool CanReuseStorageFor(TIEBitmap& source);
  void ConvertPixelsFrom(TIEBitmap& source);
  void ConvertVclToFormat(TIEPixelFormat format);
  // Pixel address for the typed accessors; null outside the image.
  uint8_t* PixelAddress(int32_t x, int32_t y, int32_t bytesPerPixel);
  void FillRows(int32_t x1, int32_t y1, int32_t x2, int32_t y2, double value, bool wholeImage);

  std::unique_ptr<TIEFileBuffer> fileBuffer_;
  void* currentView_ = nullptr;
  std::unique_ptr<TRGB[]> palette_;
  int32_t paletteCount_ = 0;
  std::unique_ptr<TIEBitmap> alpha_;
  TPixelMemory pixels_;
  std::unique_ptr<TBitmap, TVclBitmapDeleter> ownedVclBitmap_;
  TBitmap* vclBitmap_ = nullptr;  // ownedVclBitmap_, or an encapsulated bitmap
  std::vector<uint8_t*> rowPointers_;
  std::vector<void*> lockedViews_;
  std::vector<int32_t> lockedRows_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t bitCount_ = 0;
  int32_t channelCount_ = 0;
  int32_t rowLen_ = 0;
  TIEPixelFormat pixelFormat_ = ieNoFormat;
  bool isAlpha_ = false;
  TIELocation location_ = ieFile;
  bool fullyOpaque_ = false;
  bool vclNotOwned_ = false;
  int64_t memoryThreshold_ = 0;
  uint8_t bilevelMethod_ = 1;
  int32_t quantizerColorCount_ = 256;
  double grayMin_ = 0;
  double grayMax_ = 0;
  std::array<int32_t, 4> channelOffset_{};
  bool displayAdjust_ = false;
  int32_t displayContrast_ = 0;
  int32_t rowAlignment_ = 32;
  uint8_t allocatorKind_ = 2;
  bool needsAllocation_ = true;
  int32_t rowsPerBlock_ = 0;
  std::vector<std::unique_ptr<void, TGlobalDeleter>> rowBlocks_;
};
