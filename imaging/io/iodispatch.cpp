// Choosing the operation for a file or stream: by extension, by file-type id or
// by content; formats added by the program go through their registry entry.
#include <filesystem>

#include "imaging/core/iestreams.h"
#include "imaging/io/ieregistry.h"
#include "imaging/io/iestreamload.h"
#include "imaging/io/jpegfilt.h"
#include "imaging/io/vovideriocomp.h"
#include "platform/classes/streams.h"

namespace {

std::string LowerExtension(const std::string& fileName) {
  std::string ext = std::filesystem::path(fileName).extension().string();
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return ext;
}

bool IsURL(const std::string& name) {
  auto starts = [&](const char* p) { return name.rfind(p, 0) == 0; };
  return starts("http://") || starts("https://") || starts("ftp://");
}

// Ids the component dispatches by itself; any other built-in id goes through
// its registry entry like a program's format.
bool IsDispatchedById(int32_t id) {
  switch (id) {
    case ioTIFF: case ioGIF: case ioJPEG: case ioPCX: case ioBMP: case ioICO: case ioCUR: case ioPNG:
    case ioWMF: case ioEMF: case ioTGA: case ioPXM: case ioJP2: case ioJ2K: case ioWBMP: case ioDCX:
    case ioRAW: case ioPSD: case ioIEV: case ioLYR: case ioALL: case ioDICOM: case ioHDP:
      return true;
    default:
      return false;
  }
}

}  // namespace

void TVovidErIO::LoadFromFile(const std::string& fileName, int32_t fileType) {
  if (!target_) return;
  if (fileName.empty() || IsURL(fileName)) {  // no URL loader in this build
    FailUnbuiltFormat();
    return;
  }
  const std::string ext = LowerExtension(fileName);
  if (ext == ".avi") {
    FailUnbuiltFormat();
    return;
  }
  if (fileType >= 1) {
    LoadFromFileFormat(fileName, fileType);
    return;
  }
  TIEFileFormatInfo* entry = IEFileFormatFindByExt(ext);
  if (!entry) {
    // Media files and unknown extensions alike: nothing here can read them.
    FailUnbuiltFormat();
    return;
  }
  const int32_t id = entry->FileType;
  if (entry->IsBuiltIn && id == ioJPEG) {
    LoadFromFileJpeg(fileName);
    return;
  }
  const bool own = entry->IsBuiltIn && IsDispatchedById(id);
  const TIEReadStreamProc reader = ReaderOrFail(*entry, id, own);
  if (!reader) return;
  if (Defer(iotkFileNameInt, [this, fileName, fileType] { LoadFromFile(fileName, fileType); })) return;
  LoadThroughReader(fileName, id, reader, !own);
}

void TVovidErIO::LoadFromFileFormat(const std::string& fileName, int32_t fileType) {
  TIEFileFormatInfo* entry = IEFileFormatFindById(fileType);
  if (!entry) return;
  const bool own = entry->IsBuiltIn && (IsDispatchedById(fileType) || fileType == ioBMPRAW);
  if (entry->IsBuiltIn && !own) {
    LoadFromFile(fileName, -1);
    return;
  }
  if (own && fileType == ioJPEG) {
    LoadFromFileJpeg(fileName);
    return;
  }
  const TIEReadStreamProc reader = ReaderOrFail(*entry, fileType, own);
  if (!reader) return;
  if (Defer(iotkFileNameFormat, [this, fileName, fileType] { LoadFromFileFormat(fileName, fileType); })) return;
  LoadThroughReader(fileName, fileType, reader, false);
}

TIEReadStreamProc TVovidErIO::ReaderOrFail(const TIEFileFormatInfo& entry, int32_t fileType, bool own) {
  TIEReadStreamProc reader = own ? IEGetBuiltinReader(fileType) : entry.StreamReader;
  if (!reader) {
    if (!own) {
      params_->FileName.clear();
      params_->FileType = 0;
      params_->ResetInfo();
    }
    FailUnbuiltFormat();
  }
  return reader;
}

void TVovidErIO::LoadThroughReader(const std::string& fileName, int32_t fileType, const TIEReadStreamProc& reader,
                                   bool absorbErrors) {
  params_->FileName.clear();
  params_->FileType = 0;
  params_->ResetInfo();
  aborting_.store(true);
  try {
    if (CheckTarget()) {
      TIEWideFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
      aborting_.store(false);
      TIEProgressRecord progress = MakeProgressRecord();
      params_->FileName = fileName;
      params_->FileType = fileType;
      bool failed = false;
      try {
        reader(file, *target_, *params_, false, progress);
      } catch (...) {
        if (!absorbErrors) throw;
        aborting_.store(true);
        failed = true;
      }
      if (!absorbErrors || (!failed && !aborting_.load()))
        AfterLoadDpi(true);
      else
        UpdateTarget();
    }
  } catch (...) {
    DoFinishWork();
    throw;
  }
  DoFinishWork();
}

void TVovidErIO::LoadFromFileAuto(const std::string& fileName) {
  int32_t t = IEDetectFileFormat(fileName, false);
  if (t != 0)
    LoadFromFileFormat(fileName, t);
  else
    LoadFromFile(fileName, -1);
}

void TVovidErIO::LoadFromStream(TStream& stream) {
  const int64_t start = stream.Position();
  const int32_t t = IEDetectStreamFormat(stream);
  TIEFileFormatInfo* entry = IEFileFormatFindById(t);
  if (!entry) return;
  stream.SetPosition(start);
  const bool own = entry->IsBuiltIn && IsDispatchedById(t);
  if (entry->IsBuiltIn && !own) return;
  if (own && t == ioJPEG) {
    LoadFromStreamJpeg(stream);
    return;
  }
  TIEReadStreamProc reader = own ? IEGetBuiltinReader(t) : entry->StreamReader;
  if (!reader) {
    FailUnbuiltFormat();
    return;
  }
  if (Defer(iotkStream, [this, &stream] { LoadFromStream(stream); })) return;
  LoadThroughReader(stream, t, reader);
}

void TVovidErIO::LoadFromStreamFormat(TStream& stream, int32_t fileType) {
  TIEFileFormatInfo* entry = fileType != 0 ? IEFileFormatFindById(fileType) : nullptr;
  if (!entry) return;
  const bool own = entry->IsBuiltIn && fileType != ioWMF && fileType != ioEMF &&
                   (IsDispatchedById(fileType) || fileType == ioBMPRAW);
  if (entry->IsBuiltIn && !own) return;
  if (own && fileType == ioJPEG) {
    LoadFromStreamJpeg(stream);
    return;
  }
  TIEReadStreamProc reader = own ? IEGetBuiltinReader(fileType) : entry->StreamReader;
  if (!reader) {
    FailUnbuiltFormat();
    return;
  }
  if (Defer(iotkStreamFormat, [this, &stream, fileType] { LoadFromStreamFormat(stream, fileType); })) return;
  LoadThroughReader(stream, fileType, reader);
}

void TVovidErIO::LoadThroughReader(TStream& stream, int32_t fileType, const TIEReadStreamProc& reader) {
  params_->ResetInfo();
  params_->FileName.clear();
  params_->FileType = 0;
  aborting_.store(false);
  try {
    if (CheckTarget()) {
      TIEProgressRecord progress = MakeProgressRecord();
      params_->FileType = fileType;
      reader(stream, *target_, *params_, false, progress);
      AfterLoadDpi(true);
    }
  } catch (...) {
    DoFinishWork();
    throw;
  }
  DoFinishWork();
}

void TVovidErIO::LoadFromBuffer(const void* buffer, int64_t size, int32_t fileType) {
  if (!buffer || size <= 0) {
    aborting_.store(true);
    return;
  }
  TIEMemStream stream(buffer, size);
  // The memory stream dies with this call, so the load must not be deferred.
  const bool async = asyncMode_.load();
  asyncMode_.store(false);
  try {
    if (fileType != 0)
      LoadFromStreamFormat(stream, fileType);
    else
      LoadFromStream(stream);
  } catch (...) {
    asyncMode_.store(async);
    throw;
  }
  asyncMode_.store(async);
}

void TVovidErIO::ParamsFromBuffer(const void* buffer, int64_t size, int32_t fileType) {
  if (!buffer || size <= 0) {
    aborting_.store(true);
    return;
  }
  TIEMemStream stream(buffer, size);
  if (fileType != 0)
    ParamsFromStreamFormat(stream, fileType);
  else
    ParamsFromStream(stream);
}

namespace {

// Reads only the parameters of the given type from a buffered stream.
void ReadParamsOnly(TStream& buffered, int32_t fileType, TIEBitmap* target, TIOParamsVals& params,
                    TIEProgressRecord& progress) {
  if (fileType == ioJPEG) {
    TIEBitmap scratch;
    ReadJpegStream(buffered, target ? *target : scratch, params, progress,
                   {.HeaderOnly = true, .ApplyICC = false, .NativePixelFormat = params.NativePixelFormat});
    return;
  }
  TIEFileFormatInfo* entry = IEFileFormatFindById(fileType);
  TIEReadStreamProc reader;
  if (entry) reader = entry->IsBuiltIn ? IEGetBuiltinReader(fileType) : entry->StreamReader;
  if (reader) {
    TIEBitmap scratch;
    reader(buffered, target ? *target : scratch, params, true, progress);
    return;
  }
  // A built-in format without a reader in this build.
  *progress.Aborting = true;
}

}  // namespace

void TVovidErIO::ParamsFromFileFormat(const std::string& fileName, int32_t fileType) {
  params_->FileType = fileType;
  params_->ResetInfo();
  try {
    aborting_.store(true);
    TIEWideFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    TIEBufferedReadStream buffered(file, 8192, IEBufferedStreamRelative);
    aborting_.store(false);
    TIEProgressRecord progress = MakeProgressRecord();
    ReadParamsOnly(buffered, fileType, target_, *params_, progress);
  } catch (...) {
    params_->FileType = 0;
  }
  if (aborting_.load()) params_->FileType = 0;
  params_->FileName = fileName;
  DoFinishWork();
}

void TVovidErIO::ParamsFromStreamFormat(TStream& stream, int32_t fileType) {
  params_->FileType = fileType;
  params_->ResetInfo();
  try {
    TIEBufferedReadStream buffered(stream, 8192, IEBufferedStreamRelative);
    aborting_.store(false);
    TIEProgressRecord progress = MakeProgressRecord();
    ReadParamsOnly(buffered, fileType, target_, *params_, progress);
  } catch (...) {
    params_->FileType = 0;
  }
  if (aborting_.load()) params_->FileType = 0;
  DoFinishWork();
}

void TVovidErIO::ParamsFromFile(const std::string& fileName) {
  try {
    ParamsFromFileFormat(fileName, IEDetectFileFormat(fileName, true));
  } catch (...) {
    params_->FileType = 0;
  }
}

void TVovidErIO::ParamsFromStream(TStream& stream) {
  try {
    ParamsFromStreamFormat(stream, IEDetectStreamFormat(stream));
  } catch (...) {
    params_->FileType = 0;
  }
}
