#include "imaging/io/vovideriocomp.h"

#include <algorithm>

#include "imaging/core/ieresample.h"
#include "imaging/core/iestreams.h"
#include "imaging/io/iestreamload.h"
#include "imaging/io/jpegfilt.h"
#include "platform/classes/streams.h"

namespace {

constexpr int32_t kDefaultDpi = 300;  // the view unit's print resolution
constexpr TColor kWhite = 0xFFFFFF;

}  // namespace

TVovidErIO::TVovidErIO(TComponent* owner) : TComponent(owner) {
  ownBitmap_ = std::make_unique<TIEBitmap>();
  target_ = ownBitmap_.get();
  ownsBitmap_ = true;
  params_ = std::make_unique<TIOParamsVals>(this);
  twainParams_ = std::make_unique<TIETwainParams>();
  printPreviewParams_ = std::make_unique<TIOPrintPreviewParams>();
}

std::unique_ptr<TVovidErIO> TVovidErIO::CreateFromBitmap(TIEBitmap* bitmap) {
  auto io = std::make_unique<TVovidErIO>(nullptr);
  io->SetAttachedBitmap(bitmap);
  return io;
}

TVovidErIO::~TVovidErIO() {
  WaitThreads(false);
  workers_.clear();  // joins: each has left the pending list and touches nothing more
  params_.reset();
}

void TVovidErIO::SetAttachedBitmap(TIEBitmap* bitmap) {
  ownBitmap_.reset();
  ownsBitmap_ = false;
  target_ = bitmap;
}

bool TVovidErIO::CheckTarget(uint16_t requiredFormats) {
  if (!target_) return false;
  if (requiredFormats != 0) {
    TIEPixelFormat f = target_->GetPixelFormat();
    if (f > 15 || (requiredFormats & (1u << f)) == 0) return false;
  }
  return true;
}

void TVovidErIO::UpdateTarget() {
  // An attached view's window hears of the change: posted from a worker, sent
  // at once on the view's own thread.
  win::HWND w = notifyWindow_.load();
  if (!w) return;
  if (IsWorkerThread())
    win::PostMessage(w, IEM_UPDATE, 0, 0);
  else
    win::SendMessage(w, IEM_UPDATE, 0, 0);
}

int32_t TVovidErIO::GetAsyncPendingCount() {
  TLockGuard guard(lock_);
  return int32_t(pending_.size());
}

void TVovidErIO::WaitThreads(bool abort) {
  for (;;) {
    size_t count;
    {
      TLockGuard guard(lock_);
      if (abort) aborting_.store(true);
      count = pending_.size();
    }
    if (count == 0) return;
    allDone_.WaitFor(INFINITE);
  }
}

bool TVovidErIO::IsWorkerThread() {
  TThreadID me = TThread::CurrentThreadID();
  TLockGuard guard(lock_);
  return std::any_of(pending_.begin(), pending_.end(), [&](TIEIOThread* t) { return t->WorkerThreadID() == me; });
}

bool TVovidErIO::Defer(TIEIOThreadKind kind, std::function<void()> call) {
  if (ownsBitmap_ || !asyncMode_ || IsWorkerThread()) return false;
  TLockGuard guard(lock_);
  // Reap the workers that have ended; their joins are immediate.
  std::erase_if(workers_, [](const TThreadPtr<TIEIOThread>& t) { return t->Finished(); });
  workers_.push_back(TThread::Create<TIEIOThread>(*this, kind, std::move(call)));
  return true;
}

void TVovidErIO::NotifyOrPost(uint32_t msg, uintptr_t wParam, const std::function<void()>& direct) {
  win::HWND w = notifyWindow_.load();
  if (w && IsWorkerThread())
    win::PostMessage(w, msg, wParam, 0);
  else
    direct();
}

void TVovidErIO::DoProgress(TObject* sender, int32_t per) {
  if (!OnProgress) return;
  NotifyOrPost(IEM_PROGRESS, uintptr_t(per), [&] { OnProgress(sender, per); });
}

void TVovidErIO::DoFinishWork() {
  DoProgress(this, 100);
  if (!OnFinishWork) return;
  NotifyOrPost(IEM_FINISHWORK, 0, [&] { OnFinishWork(this); });
}

TIEProgressRecord TVovidErIO::MakeProgressRecord() {
  TIEProgressRecord r;
  r.fOnProgress = [this](TObject* sender, int32_t per) { DoProgress(sender, per); };
  r.Sender = this;
  r.Aborting = &aborting_;
  return r;
}

void TVovidErIO::FailUnbuiltFormat() {
  aborting_.store(true);
  DoFinishWork();
}

void TVovidErIO::ApplyDefaultDpi() {
  if (params_->DpiX() < 2) params_->SetDpiX(kDefaultDpi);
  if (params_->DpiY() < 2) params_->SetDpiY(kDefaultDpi);
}

void TVovidErIO::EqualizeDpi() {
  TIOParamsVals& p = *params_;
  if (!target_ || p.DpiX() == p.DpiY() || p.DpiX() <= 0 || p.DpiY() <= 0) return;
  if (target_->GetWidth() <= 0 || target_->GetHeight() <= 0 || p.Width <= 0 || p.Height <= 0) return;
  if (p.Height < p.Width) {
    p.Height = int32_t(double(p.Height) / p.DpiY() * p.DpiX());
    p.SetDpiY(p.DpiX());
  } else {
    p.Width = int32_t(double(p.Width) / p.DpiX() * p.DpiY());
    p.SetDpiX(p.DpiY());
  }
  std::unique_ptr<TIEBitmap> alpha;
  if (target_->HasAlphaChannel()) {
    alpha = std::make_unique<TIEBitmap>();
    alpha->Assign(target_->GetAlphaChannel());
  }
  TIEBitmap sized;
  if (FilteredAdjustDPI) {
    if (!sized.Allocate(p.Width, p.Height, ie24RGB)) return;
    if (target_->GetPixelFormat() != ie24RGB) target_->SetPixelFormat(ie24RGB);
    _ResampleEx(*target_, sized, nullptr, {}, rfFastLinear);
  } else {
    if (!sized.Allocate(p.Width, p.Height, target_->GetPixelFormat())) return;
    _IEBmpStretchEx(*target_, sized);
  }
  target_->Assign(&sized);
  if (alpha) _IEBmpStretchEx(*alpha, *target_->GetAlphaChannel());
}

void TVovidErIO::UpdateViewDpi(int32_t dpiX, int32_t dpiY) {
  // Whether a view is attached is for the view unit to tell: the slot decides.
  IEParamsSetViewDpi(this, false, dpiX);
  IEParamsSetViewDpi(this, true, dpiY);
}

void TVovidErIO::AfterLoadDpi(bool updateTarget) {
  if (AutoAdjustDPI) EqualizeDpi();
  UpdateViewDpi(params_->DpiX(), params_->DpiY());
  if (updateTarget) UpdateTarget();
}

void TVovidErIO::DoAcquireBitmap(TIEBitmap& bitmap, TIOParamsVals*& params) {
  if (!target_) return;
  if (OnAcquireBitmap) {
    bool handled = false;
    OnAcquireBitmap(this, bitmap, handled);
    if (handled) return;
  }
  params = params_.get();
  target_->Assign(&bitmap);
  if (AutoAdjustDPI) EqualizeDpi();
  UpdateTarget();
}

void TVovidErIO::DoAcquireClose() {
  if (OnAcquireClose) OnAcquireClose(this);
}

void TVovidErIO::LoadFromFileJpeg(const std::string& fileName) {
  if (Defer(iotkFileName, [this, fileName] { LoadFromFileJpeg(fileName); })) return;
  aborting_.store(true);
  try {
    if (CheckTarget()) {
      params_->ResetInfo();
      TIEWideFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
      TIEBufferedReadStream buffered(file, 8192);
      aborting_.store(false);
      TIEProgressRecord progress = MakeProgressRecord();
      target_->RemoveAlphaChannel(false, kWhite);
      ReadJpegStream(buffered, *target_, *params_, progress, {.NativePixelFormat = params_->NativePixelFormat});
      ApplyDefaultDpi();
      params_->FileName = fileName;
      params_->FileType = ioJPEG;
      AfterLoadDpi(true);
    }
  } catch (...) {
    DoFinishWork();
    throw;
  }
  DoFinishWork();
}

void TVovidErIO::LoadFromStreamJpeg(TStream& stream) {
  if (Defer(iotkStream, [this, &stream] { LoadFromStreamJpeg(stream); })) return;
  aborting_.store(false);
  try {
    if (CheckTarget()) {
      params_->ResetInfo();
      const int64_t start = stream.Position();
      int32_t length = 0;
      TIEStreamHeaderState header = IECheckLibraryStreamHeader(stream, "JFIF", &length);
      if (header == ieshBadLength) {
        // The data it announces is not all there: nothing to decode safely.
        aborting_.store(true);
      } else {
        if (header == ieshValid) stream.SetPosition(start + 12);
        TIEProgressRecord progress = MakeProgressRecord();
        target_->RemoveAlphaChannel(false, kWhite);
        ReadJpegStream(stream, *target_, *params_, progress, {.NativePixelFormat = params_->NativePixelFormat});
        ApplyDefaultDpi();
        // The decoder reads ahead; a header tells where this image really ends.
        if (header == ieshValid) stream.SetPosition(start + 12 + length);
        params_->FileName.clear();
        params_->FileType = ioJPEG;
        AfterLoadDpi(true);
      }
    }
  } catch (...) {
    DoFinishWork();
    throw;
  }
  DoFinishWork();
}
