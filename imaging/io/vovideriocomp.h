// TVovidErIO: the image library's load-and-save component. It moves one image,
// its target, between a TIEBitmap and files or streams, and owns the parameter
// record (TIOParamsVals) that describes the last image read or the next one to
// write. Every operation starts by setting or clearing the abort flag and ends
// with exactly one DoFinishWork.
//
// With AsyncMode set and a target that is not the component's own bitmap, the
// operations run on a TIEIOThread (ieiothread.h) and return at once; the caller
// polls GetAsyncPendingCount and must not touch the target, the parameters or
// a stream it passed until that reads 0. A worker's notifications reach a
// notification window, when one is set, as posted messages; otherwise the
// events run on the worker. A worker never waits for the main thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "imaging/io/ieioset.h"
#include "imaging/io/ieiothread.h"
#include "imaging/io/ieprogress.h"
#include "imaging/io/ieregistry.h"
#include "imaging/io/ioparams.h"
#include "platform/classes/component.h"
#include "platform/classes/threads.h"
#include "platform/win/winuser.h"

class TStream;

// Messages posted to the notification window by a worker.
constexpr uint32_t IEM_UPDATE = 8024;      // the target changed
constexpr uint32_t IEM_PROGRESS = 8027;    // wParam: percentage
constexpr uint32_t IEM_FINISHWORK = 8028;  // the operation ended

using TIENotifyEvent = std::function<void(TObject* Sender)>;
using TIEAcquireBitmapEvent = std::function<void(TObject* Sender, TIEBitmap& bitmap, bool& handled)>;

class TVovidErIO : public TComponent {
  DX_COMPONENT_CLASS(TVovidErIO, TComponent)
public:
  explicit TVovidErIO(TComponent* owner);
  // A component without owner whose target is the given bitmap.
  static std::unique_ptr<TVovidErIO> CreateFromBitmap(TIEBitmap* bitmap);
  // Waits for every pending worker first; never call it from one of them.
  ~TVovidErIO() override;

  // ---- target ----
  // Makes the bitmap the target (not owned); null leaves no target.
  void SetAttachedBitmap(TIEBitmap* bitmap);
  TIEBitmap* IEBitmap() const { return target_; }
  bool OwnsBitmap() const { return ownsBitmap_; }
  // requiredFormats: bit set of TIEPixelFormat values, 0 for any.
  bool CheckTarget(uint16_t requiredFormats = 0);
  // The refresh after a load: posted as IEM_UPDATE on a worker.
  void UpdateTarget();
  TIOParamsVals& Params() { return *params_; }

  // ---- background work ----
  bool AsyncMode() const { return asyncMode_.load(); }
  void SetAsyncMode(bool v) { asyncMode_.store(v); }
  bool Aborting() const { return aborting_.load(); }
  void SetAborting(bool v) { aborting_.store(v); }
  std::atomic<bool>& AbortingFlag() { return aborting_; }
  // Workers pending now; never waits.
  int32_t GetAsyncPendingCount();
  // Waits until no worker is pending; with abort, raises the abort flag first.
  void WaitThreads(bool abort);
  // True on one of this component's pending workers.
  bool IsWorkerThread();

  // ---- notifications ----
  TIEProgressEvent OnProgress;
  TIENotifyEvent OnFinishWork;
  TIEAcquireBitmapEvent OnAcquireBitmap;
  TIENotifyEvent OnAcquireClose;
  // The window of an attached view; null for none.
  win::HWND NotifyWindow() const { return notifyWindow_.load(); }
  void SetNotifyWindow(win::HWND w) { notifyWindow_.store(w); }
  virtual void DoProgress(TObject* sender, int32_t per);
  virtual void DoFinishWork();

  // ---- JPEG ----
  virtual void LoadFromFileJpeg(const std::string& fileName);
  virtual void LoadFromStreamJpeg(TStream& stream);
  // The target as JPEG with the parameters' settings, IPTC, EXIF and XMP.
  // The file is written whole or not at all; an empty target writes nothing.
  virtual void SaveToFileJpeg(const std::string& fileName);
  // At the stream's position, behind a 12-byte "JFIF" header with StreamHeaders.
  virtual void SaveToStreamJpeg(TStream& stream);
  // The parameters' resolution into the ResolutionInfo resource of the first
  // APP13 marker, when it has one of at least 16 bytes.
  void UpdatePhotoshopResolution();
  // Copies the JPEG at source's position to dest with an EXIF segment built
  // from this component's parameters in place of the old one; the result of
  // JpegReplaceExifStream.
  bool ReplaceJpegExif(TStream& source, TStream& dest);

  // ---- dispatch by extension, id or content ----
  // fileType below 1: from the extension.
  virtual void LoadFromFile(const std::string& fileName, int32_t fileType = -1);
  virtual void LoadFromFileFormat(const std::string& fileName, int32_t fileType);
  // The format from the content, ignoring the extension.
  virtual void LoadFromFileAuto(const std::string& fileName);
  virtual void LoadFromStream(TStream& stream);
  virtual void LoadFromStreamFormat(TStream& stream, int32_t fileType);
  // fileType 0: from the content. A null buffer or size 0 sets the abort flag.
  virtual void LoadFromBuffer(const void* buffer, int64_t size, int32_t fileType);
  virtual void ParamsFromBuffer(const void* buffer, int64_t size, int32_t fileType);
  // Only the parameters; failure shows as Params().FileType 0.
  virtual void ParamsFromFileFormat(const std::string& fileName, int32_t fileType);
  virtual void ParamsFromStreamFormat(TStream& stream, int32_t fileType);
  virtual void ParamsFromFile(const std::string& fileName);
  virtual void ParamsFromStream(TStream& stream);

  // ---- resolution ----
  // A resolution below 2 becomes 300.
  void ApplyDefaultDpi();
  // Resamples so that both resolutions are equal (the larger side keeps its
  // resolution); FilteredAdjustDPI: to ie24RGB with a linear filter.
  void EqualizeDpi();
  // Hands the resolution to the attached view (IEParamsOwnerHooks.SetViewDpi).
  virtual void UpdateViewDpi(int32_t dpiX, int32_t dpiY);

  // ---- acquisition ----
  virtual void DoAcquireBitmap(TIEBitmap& bitmap, TIOParamsVals*& params);
  virtual void DoAcquireClose();
  // Scanners and capture devices are a Windows service: none exists here.
  virtual int32_t AcquireDeviceCount() const { return 0; }

  // ---- properties ----
  bool StreamHeaders = false;
  bool AutoAdjustDPI = false;
  bool FilteredAdjustDPI = false;
  bool SimplifiedParamsDialogs = true;
  TColor Background() const { return background_; }
  void SetBackground(TColor c) { background_ = c; }
  bool NativePixelFormat() const { return params_ ? params_->NativePixelFormat : false; }
  void SetNativePixelFormat(bool v) {
    if (params_) params_->NativePixelFormat = v;
  }
  std::string VovidErVersion() const { return "4.0.2"; }
  TIETwainParams& TwainParams() { return *twainParams_; }
  TIOPrintPreviewParams& PrintPreviewParams() { return *printPreviewParams_; }

protected:
  // The deferral test: true when the call was handed to a new worker.
  bool Defer(TIEIOThreadKind kind, std::function<void()> call);
  TIEProgressRecord MakeProgressRecord();
  // A built-in format whose reader is not part of this build: the load fails
  // cleanly with the abort flag and one finish call.
  void FailUnbuiltFormat();
  // The reader of a registry entry (the library's own for built-in formats it
  // dispatches by id); null after failing the load as an unbuilt format.
  TIEReadStreamProc ReaderOrFail(const TIEFileFormatInfo& entry, int32_t fileType, bool own);
  // The general path through a read procedure: a program format's entry, or
  // a built-in format's installed reader.
  void LoadThroughReader(const std::string& fileName, int32_t fileType, const TIEReadStreamProc& reader,
                         bool absorbErrors);
  void LoadThroughReader(TStream& stream, int32_t fileType, const TIEReadStreamProc& reader);

private:
  friend class TIEIOThread;
  void NotifyOrPost(uint32_t msg, uintptr_t wParam, const std::function<void()>& direct);
  void AfterLoadDpi(bool updateTarget);
  // The savers' metadata step: IPTC, EXIF and XMP into JpegMarkers.
  void PrepareJpegMarkers();

  std::unique_ptr<TIEBitmap> ownBitmap_;
  TIEBitmap* target_ = nullptr;
  bool ownsBitmap_ = false;
  TColor background_ = 0;
  std::unique_ptr<TIOParamsVals> params_;
  std::unique_ptr<TIETwainParams> twainParams_;
  std::unique_ptr<TIOPrintPreviewParams> printPreviewParams_;
  std::atomic<win::HWND> notifyWindow_{nullptr};

  std::atomic<bool> asyncMode_{false};
  std::atomic<bool> aborting_{false};
  TCriticalSection lock_;
  TEvent allDone_{false, false};
  std::vector<TIEIOThread*> pending_;
  // Every worker started, reaped once finished; joined by the destructor.
  std::vector<TThreadPtr<TIEIOThread>> workers_;
};
