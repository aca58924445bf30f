#include "imaging/io/vovideriocomp.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "imaging/io/ieregistry.h"
#include "imaging/io/iestreamload.h"
#include "platform/classes/streams.h"
#include "tests/imaging/io/ioc_testjpeg.h"
#include "tests/support/imaging/raster_bitmap.h"

namespace {

using namespace std::chrono_literals;

// Polls the pending count as the viewer does; fails instead of hanging.
bool WaitForWorkers(TVovidErIO& io) {
  auto deadline = std::chrono::steady_clock::now() + 60s;
  while (io.GetAsyncPendingCount() != 0) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(2ms);
  }
  return true;
}

// Largest channel difference between the bitmap and djpeg's picture; -1 on a size mismatch.
int MaxDifference(TIEBitmap& bmp, const testsupport::Raster& ref) {
  if (bmp.GetWidth() != ref.width || bmp.GetHeight() != ref.height || bmp.GetPixelFormat() != ie24RGB ||
      ref.channels != 3)
    return -1;
  const testsupport::Raster got = testsupport::RasterOfBitmap(bmp);
  int worst = 0;
  for (size_t i = 0; i < got.pixels.size(); ++i) worst = std::max(worst, std::abs(got.pixels[i] - ref.pixels[i]));
  return worst;
}

class Component : public testing::Test {
protected:
  void SetUp() override {
    jpeg_ = ioctest::MakeJpeg(dir_, 96, 64);
    if (jpeg_.jpeg.empty()) GTEST_SKIP() << "cjpeg/djpeg are not installed";
  }

  // Counts the notifications of a component and where they ran.
  void Watch(TVovidErIO& io) {
    io.OnFinishWork = [this](TObject*) {
      ++finishes_;
      finishThread_ = TThread::CurrentThreadID();
    };
    io.OnProgress = [this](TObject*, int32_t per) {
      if (per > maxProgress_) maxProgress_ = per;
    };
  }

  testsupport::TempDir dir_;
  ioctest::RegistryScope registry_;
  ioctest::MadeJpeg jpeg_;
  std::atomic<int> finishes_{0};
  std::atomic<int32_t> maxProgress_{-1};
  std::atomic<TThreadID> finishThread_{0};
};

TEST_F(Component, AsynchronousJpegLoadRunsOnAWorker) {
  TIEBitmap bmp;
  auto io = TVovidErIO::CreateFromBitmap(&bmp);
  io->SetAsyncMode(true);
  Watch(*io);
  // The worker waits at its first progress report until the pending count has
  // been read, so a fast decode cannot finish before the check.
  std::promise<void> checked;
  std::shared_future<void> release = checked.get_future().share();
  auto progress = io->OnProgress;
  io->OnProgress = [progress, release](TObject* sender, int32_t per) {
    release.wait_for(30s);
    progress(sender, per);
  };
  io->LoadFromFileJpeg(jpeg_.path.string());
  // Counted before the call returned, whether or not the worker has started.
  EXPECT_GE(io->GetAsyncPendingCount(), 1);
  checked.set_value();
  ASSERT_TRUE(WaitForWorkers(*io));
  EXPECT_EQ(finishes_.load(), 1);
  EXPECT_NE(finishThread_.load(), TThread::CurrentThreadID());
  EXPECT_EQ(maxProgress_.load(), 100);
  EXPECT_FALSE(io->Aborting());
  EXPECT_LE(MaxDifference(bmp, jpeg_.reference), 2);
  EXPECT_GE(MaxDifference(bmp, jpeg_.reference), 0);
  EXPECT_EQ(io->Params().FileType, ioJPEG);
  EXPECT_EQ(io->Params().FileName, jpeg_.path.string());
  EXPECT_EQ(io->Params().DpiX(), 300);  // cjpeg writes no usable resolution
}

TEST_F(Component, RealCameraJpegLoadsAsynchronously) {
  REQUIRE_SHARED_TESTDATA();
  const auto file = testsupport::SharedDataDir() / "real" / "testorig.jpg";
  const testsupport::Raster ref = testsupport::DjpegFile(file);
  ASSERT_FALSE(ref.Empty());
  TIEBitmap bmp;
  auto io = TVovidErIO::CreateFromBitmap(&bmp);
  io->SetAsyncMode(true);
  Watch(*io);
  io->LoadFromFile(file.string(), -1);
  ASSERT_TRUE(WaitForWorkers(*io));
  EXPECT_EQ(finishes_.load(), 1);
  int diff = MaxDifference(bmp, ref);
  EXPECT_GE(diff, 0);
  EXPECT_LE(diff, 2);
}

TEST_F(Component, MissingFileInAsynchronousModeOnlySetsTheAbortFlag) {
  TIEBitmap bmp;
  auto io = TVovidErIO::CreateFromBitmap(&bmp);
  io->SetAsyncMode(true);
  Watch(*io);
  EXPECT_NO_THROW(io->LoadFromFileJpeg((dir_ / "missing.jpg").string()));
  ASSERT_TRUE(WaitForWorkers(*io));
  EXPECT_TRUE(io->Aborting());
  EXPECT_EQ(finishes_.load(), 1);
}

TEST_F(Component, OwnBitmapNeverDefers) {
  TVovidErIO io(nullptr);
  io.SetAsyncMode(true);
  Watch(io);
  io.LoadFromFileJpeg(jpeg_.path.string());
  EXPECT_EQ(io.GetAsyncPendingCount(), 0);
  EXPECT_EQ(finishes_.load(), 1);
  EXPECT_EQ(finishThread_.load(), TThread::CurrentThreadID());
  EXPECT_LE(MaxDifference(*io.IEBitmap(), jpeg_.reference), 2);
}

TEST_F(Component, OneFinishCallOnEveryPath) {
  const std::string good = jpeg_.path.string();
  testsupport::WriteFileBytes(dir_ / "x.png", "\x89PNG\r\n\x1A\n0000000000");
  testsupport::WriteFileBytes(dir_ / "x.zzz", jpeg_.jpeg);
  testsupport::WriteFileBytes(dir_ / "bad.jpg", "\xFF\xD8\xFF\xE0 this is not a JPEG stream at all");
  struct Case {
    const char* name;
    std::function<void(TVovidErIO&)> run;
    bool throws;
    bool aborting;
  };
  const std::vector<Case> cases = {
      {"JPEG file", [&](TVovidErIO& io) { io.LoadFromFileJpeg(good); }, false, false},
      {"JPEG by extension", [&](TVovidErIO& io) { io.LoadFromFile(good, -1); }, false, false},
      {"JPEG by content", [&](TVovidErIO& io) { io.LoadFromFileAuto((dir_ / "x.zzz").string()); }, false, false},
      {"missing file", [&](TVovidErIO& io) { io.LoadFromFileJpeg((dir_ / "no.jpg").string()); }, true, true},
      {"empty name", [&](TVovidErIO& io) { io.LoadFromFile("", -1); }, false, true},
      {"unknown extension", [&](TVovidErIO& io) { io.LoadFromFile((dir_ / "x.zzz").string(), -1); }, false, true},
      {"format not in this build", [&](TVovidErIO& io) { io.LoadFromFile((dir_ / "x.png").string(), -1); }, false, true},
      {"corrupt JPEG", [&](TVovidErIO& io) { io.LoadFromFileJpeg((dir_ / "bad.jpg").string()); }, false, true},
      {"stream header running past the end",
       [&](TVovidErIO& io) {
         TStringStream s(std::string("JFIF\0\0\0\0", 8) + std::string("\xFF\xFF\0\0", 4) + jpeg_.jpeg);
         io.LoadFromStreamJpeg(s);
       },
       false, true},
      {"no target",
       [&](TVovidErIO& io) {
         io.SetAttachedBitmap(nullptr);
         io.LoadFromFileJpeg(good);
       },
       false, true},
      {"abort from the progress event",
       [&](TVovidErIO& io) {
         io.OnProgress = [&io](TObject*, int32_t) { io.SetAborting(true); };
         io.LoadFromFileJpeg(good);
       },
       false, true},
  };
  for (const Case& c : cases) {
    TIEBitmap bmp;
    auto io = TVovidErIO::CreateFromBitmap(&bmp);
    int finishes = 0;
    io->OnFinishWork = [&](TObject*) { ++finishes; };
    bool threw = false;
    try {
      c.run(*io);
    } catch (const Exception&) {
      threw = true;
    }
    EXPECT_EQ(threw, c.throws) << c.name;
    EXPECT_EQ(io->Aborting(), c.aborting) << c.name;
    EXPECT_EQ(finishes, 1) << c.name;
  }
}

TEST_F(Component, AbortStopsTheDecoder) {
  ioctest::MadeJpeg big = ioctest::MakeJpeg(dir_, 64, 600, "big.jpg");
  ASSERT_FALSE(big.jpeg.empty());
  auto load = [&](bool abortAtFirstReport) {
    TIEBitmap bmp;
    auto io = TVovidErIO::CreateFromBitmap(&bmp);
    std::vector<int32_t> reports;
    TVovidErIO* raw = io.get();
    io->OnProgress = [&, raw](TObject*, int32_t per) {
      reports.push_back(per);
      if (abortAtFirstReport) raw->SetAborting(true);
    };
    io->LoadFromFileJpeg(big.path.string());
    EXPECT_EQ(io->Aborting(), abortAtFirstReport);
    return reports;
  };
  std::vector<int32_t> full = load(false);
  ASSERT_GT(full.size(), 3u);
  EXPECT_EQ(full.back(), 100);
  std::vector<int32_t> stopped = load(true);
  // The first report, then only the finish call's 100: no rows were decoded after the request.
  ASSERT_EQ(stopped.size(), 2u);
  EXPECT_LT(stopped[0], 100);
  EXPECT_EQ(stopped[1], 100);
}

TEST_F(Component, StreamWithLibraryHeaderEndsExactlyAfterItsData) {
  const std::string trailer = "TRAILING BYTES THE DECODER MAY READ AHEAD INTO";
  const int32_t n = int32_t(jpeg_.jpeg.size());
  TStringStream s;
  s.WriteString("ab");
  IEWriteLibraryStreamHeader(s, "JFIF", n);
  s.WriteString(jpeg_.jpeg + trailer);
  s.SetPosition(2);
  EXPECT_EQ(IEDetectStreamFormat(s), ioJPEG);
  TIEBitmap bmp;
  auto io = TVovidErIO::CreateFromBitmap(&bmp);
  Watch(*io);
  io->LoadFromStreamJpeg(s);
  EXPECT_EQ(s.Position(), 2 + 12 + n);
  EXPECT_FALSE(io->Aborting());
  EXPECT_LE(MaxDifference(bmp, jpeg_.reference), 2);
  EXPECT_EQ(io->Params().FileName, "");
  EXPECT_EQ(io->Params().FileType, ioJPEG);
  EXPECT_EQ(finishes_.load(), 1);

  // Without a header the same bytes load by content through the general entry point.
  TStringStream plain(jpeg_.jpeg);
  TIEBitmap bmp2;
  auto io2 = TVovidErIO::CreateFromBitmap(&bmp2);
  io2->LoadFromStream(plain);
  EXPECT_LE(MaxDifference(bmp2, jpeg_.reference), 2);
  EXPECT_GE(MaxDifference(bmp2, jpeg_.reference), 0);
}

TEST_F(Component, BufferLoadsBeforeReturningEvenInAsynchronousMode) {
  TIEBitmap bmp;
  auto io = TVovidErIO::CreateFromBitmap(&bmp);
  io->SetAsyncMode(true);
  Watch(*io);
  io->LoadFromBuffer(jpeg_.jpeg.data(), int64_t(jpeg_.jpeg.size()), 0);
  // The memory stream over the buffer ends with the call, so no worker may keep it.
  EXPECT_EQ(io->GetAsyncPendingCount(), 0);
  EXPECT_EQ(finishes_.load(), 1);
  EXPECT_LE(MaxDifference(bmp, jpeg_.reference), 2);
  EXPECT_GE(MaxDifference(bmp, jpeg_.reference), 0);
  EXPECT_TRUE(io->AsyncMode());

  io->LoadFromBuffer(nullptr, 10, ioJPEG);
  EXPECT_TRUE(io->Aborting());
  EXPECT_EQ(finishes_.load(), 1);  // nothing else happens
}

TEST_F(Component, ParametersOnlyReadLeavesThePixels) {
  TIEBitmap bmp;
  auto io = TVovidErIO::CreateFromBitmap(&bmp);
  Watch(*io);
  io->ParamsFromFile(jpeg_.path.string());
  EXPECT_EQ(io->Params().FileType, ioJPEG);
  EXPECT_EQ(io->Params().Width, 96);
  EXPECT_EQ(io->Params().Height, 64);
  EXPECT_EQ(bmp.GetWidth(), 0);
  EXPECT_EQ(finishes_.load(), 1);
  io->ParamsFromFile((dir_ / "missing.jpg").string());
  EXPECT_EQ(io->Params().FileType, 0);
}

TEST_F(Component, ProgramFormatGoesThroughItsReader) {
  struct Seen {
    int calls = 0;
    bool preview = true;
    int32_t fileType = 0;
  } seen;
  bool throwFromReader = false;
  auto e = std::make_unique<TIEFileFormatInfo>();
  e->FileType = 10000;
  e->FormatName = "MPO Image";
  e->ExtensionList = "MPO";
  e->StreamReader = [&](TStream&, TIEBitmap&, TIOParamsVals& params, bool preview, TIEProgressRecord&) {
    ++seen.calls;
    seen.preview = preview;
    seen.fileType = params.FileType;
    if (throwFromReader) throw Exception("reader failed");
  };
  IEFileFormatAdd(std::move(e));
  testsupport::WriteFileBytes(dir_ / "x.mpo", jpeg_.jpeg);
  const std::string mpo = (dir_ / "x.mpo").string();

  TIEBitmap bmp;
  auto io = TVovidErIO::CreateFromBitmap(&bmp);
  Watch(*io);
  io->LoadFromFile(mpo, -1);
  EXPECT_EQ(seen.calls, 1);
  EXPECT_FALSE(seen.preview);
  EXPECT_EQ(seen.fileType, 10000);
  EXPECT_EQ(io->Params().FileName, mpo);
  EXPECT_FALSE(io->Aborting());
  EXPECT_EQ(IEDetectFileFormat(mpo, true), 10000);

  // By extension a failing reader is absorbed; by id it reaches the caller.
  throwFromReader = true;
  io->LoadFromFile(mpo, -1);
  EXPECT_TRUE(io->Aborting());
  EXPECT_THROW(io->LoadFromFileFormat(mpo, 10000), Exception);
  EXPECT_EQ(finishes_.load(), 3);
}


TEST_F(Component, InstalledReaderServesABuiltinFormat) {
  testsupport::WriteFileBytes(dir_ / "x.png", "\x89PNG\r\n\x1A\n0000000000");
  const std::string png = (dir_ / "x.png").string();
  std::atomic<int> calls{0};
  std::atomic<int32_t> typeSeen{0};
  IESetBuiltinReader(ioPNG, [&](TStream&, TIEBitmap& bmp, TIOParamsVals& params, bool, TIEProgressRecord&) {
    ++calls;
    typeSeen = params.FileType;
    bmp.Allocate(3, 2, ie24RGB);
  });
  struct Case {
    const char* name;
    std::function<void(TVovidErIO&)> run;
  };
  const std::vector<Case> cases = {
      {"by extension", [&](TVovidErIO& io) { io.LoadFromFile(png, -1); }},
      {"by id", [&](TVovidErIO& io) { io.LoadFromFileFormat(png, ioPNG); }},
      {"by content", [&](TVovidErIO& io) { io.LoadFromFileAuto(png); }},
  };
  for (bool async : {false, true}) {
    for (const Case& c : cases) {
      calls = 0;
      TIEBitmap bmp;
      auto io = TVovidErIO::CreateFromBitmap(&bmp);
      io->SetAsyncMode(async);
      int finishes = 0;
      io->OnFinishWork = [&](TObject*) { ++finishes; };
      c.run(*io);
      ASSERT_TRUE(WaitForWorkers(*io));
      EXPECT_EQ(calls.load(), 1) << c.name << " async " << async;
      EXPECT_EQ(typeSeen.load(), ioPNG) << c.name;
      EXPECT_EQ(bmp.GetWidth(), 3) << c.name;
      EXPECT_EQ(finishes, 1) << c.name;
      EXPECT_FALSE(io->Aborting()) << c.name;
    }
  }
  IESetBuiltinReader(ioPNG, nullptr);
  TIEBitmap bmp;
  auto io = TVovidErIO::CreateFromBitmap(&bmp);
  io->LoadFromFile(png, -1);
  EXPECT_TRUE(io->Aborting());
}

TEST(Resolution, EqualizeKeepsTheLargerSidesResolution) {
  struct Case {
    int32_t w, h, dpiX, dpiY;
    bool filtered;
    int32_t outW, outH, outDpi;
  };
  const std::vector<Case> cases = {
      {1000, 500, 72, 144, true, 1000, 250, 72},    // height is the smaller side
      {500, 1000, 144, 72, false, 250, 1000, 72},   // width is the smaller side: rescaled to the vertical dpi
      {400, 400, 100, 50, true, 200, 400, 50},      // a square counts as width-smaller
      {1000, 500, 72, 72, true, 1000, 500, 72},     // equal: nothing
      {1000, 500, 0, 144, false, 1000, 500, 0},     // not positive: nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " at " << c.dpiX << "x" << c.dpiY);
    // An 8-bit gray image with an alpha channel: the filtered path makes it
    // ie24RGB, the plain one keeps its format; the alpha channel follows.
    TIEBitmap bmp;
    bmp.Allocate(c.w, c.h, ie8g);
    bmp.Fill(90);
    bmp.GetAlphaChannel()->Fill(200);
    auto io = TVovidErIO::CreateFromBitmap(&bmp);
    io->FilteredAdjustDPI = c.filtered;
    io->Params().Width = c.w;
    io->Params().Height = c.h;
    io->Params().SetDpiX(c.dpiX);
    io->Params().SetDpiY(c.dpiY);
    io->EqualizeDpi();
    EXPECT_EQ(bmp.GetWidth(), c.outW);
    EXPECT_EQ(bmp.GetHeight(), c.outH);
    const bool changed = c.outW != c.w || c.outH != c.h;
    EXPECT_EQ(bmp.GetPixelFormat(), changed && c.filtered ? ie24RGB : ie8g);
    if (changed) {
      EXPECT_EQ(io->Params().DpiX(), c.outDpi);
      EXPECT_EQ(io->Params().DpiY(), c.outDpi);
      if (c.filtered)
        EXPECT_EQ(bmp.GetPixel24(c.outW / 2, c.outH / 2), (TRGB{90, 90, 90}));
      else
        EXPECT_EQ(bmp.GetPixelByte(c.outW / 2, c.outH / 2), 90);
      ASSERT_TRUE(bmp.HasAlphaChannel());
      EXPECT_EQ(bmp.GetAlphaChannel()->GetWidth(), c.outW);
      EXPECT_EQ(bmp.GetAlpha(c.outW - 1, c.outH - 1), 200);
    }
  }
}

TEST(Acquisition, HandledBitmapLeavesTheTarget) {
  TIEBitmap target, acquired;
  acquired.Allocate(4, 3, ie24RGB);
  for (bool handle : {true, false}) {
    target.Allocate(1, 1, ie24RGB);
    auto io = TVovidErIO::CreateFromBitmap(&target);
    io->OnAcquireBitmap = [handle](TObject*, TIEBitmap&, bool& handled) { handled = handle; };
    TIOParamsVals* params = nullptr;
    io->DoAcquireBitmap(acquired, params);
    EXPECT_EQ(target.GetWidth(), handle ? 1 : 4);
    EXPECT_EQ(params, handle ? nullptr : &io->Params());
    EXPECT_EQ(io->AcquireDeviceCount(), 0);
  }
}

// What a view's window receives from a worker.
std::vector<std::pair<uint32_t, uintptr_t>>& NotifyLog() {
  static std::vector<std::pair<uint32_t, uintptr_t>> log;
  return log;
}

win::LRESULT NotifyProc(win::HWND h, win::UINT m, win::WPARAM w, win::LPARAM l) {
  if (m == IEM_UPDATE || m == IEM_PROGRESS || m == IEM_FINISHWORK) NotifyLog().emplace_back(m, uintptr_t(w));
  return win::DefWindowProc(h, m, w, l);
}

TEST_F(Component, WorkerNotifiesAWindowByPostedMessages) {
  static bool registered = false;
  if (!registered) {
    win::WNDCLASSEX wc{};
    wc.lpfnWndProc = NotifyProc;
    wc.lpszClassName = "IOCNotifyTarget";
    ASSERT_NE(win::RegisterClassEx(&wc), 0);
    registered = true;
  }
  win::HWND w = win::CreateWindowEx(0, "IOCNotifyTarget", "", win::WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                    nullptr);
  ASSERT_NE(w, nullptr);
  NotifyLog().clear();
  TIEBitmap bmp;
  auto io = TVovidErIO::CreateFromBitmap(&bmp);
  io->SetAsyncMode(true);
  io->SetNotifyWindow(w);
  Watch(*io);
  io->LoadFromFileJpeg(jpeg_.path.string());
  ASSERT_TRUE(WaitForWorkers(*io));
  // The events only gate the messages: neither ran on the worker.
  EXPECT_EQ(finishes_.load(), 0);
  EXPECT_EQ(maxProgress_.load(), -1);
  win::MSG m;
  while (win::PeekMessage(&m, nullptr, 0, 0, win::PM_REMOVE)) win::DispatchMessage(&m);
  int updates = 0, finishes = 0;
  uintptr_t lastProgress = 0;
  for (auto [msg, wp] : NotifyLog()) {
    updates += msg == IEM_UPDATE;
    finishes += msg == IEM_FINISHWORK;
    if (msg == IEM_PROGRESS) lastProgress = wp;
  }
  EXPECT_EQ(updates, 1);
  EXPECT_EQ(finishes, 1);
  EXPECT_EQ(lastProgress, 100u);
  ASSERT_FALSE(NotifyLog().empty());
  EXPECT_EQ(NotifyLog().back().first, IEM_FINISHWORK);
  win::DestroyWindow(w);
}

}  // namespace
