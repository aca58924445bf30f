#include "imaging/io/ieregistry.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

namespace {

// The registry is written at start-up and by the program's own registrations;
// a lock keeps a lookup from a worker safe against a late registration.
std::recursive_mutex& RegistryLock() {
  static std::recursive_mutex m;
  return m;
}

std::unique_ptr<std::vector<std::unique_ptr<TIEFileFormatInfo>>>& Registry() {
  static std::unique_ptr<std::vector<std::unique_ptr<TIEFileFormatInfo>>> list;
  return list;
}

std::string Lower(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return r;
}

std::vector<std::string> SplitExt(const std::string& list) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(';', start);
    if (end == std::string::npos) end = list.size();
    items.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  if (!items.empty() && items.back().empty()) items.pop_back();
  return items;
}

struct TBuiltinFormat {
  int32_t id;
  const char* name;
  const char* extensions;
  bool canRead;
  bool canWrite;
  uint16_t pages;
};

}  // namespace

TIEFileFormatInfo* IEFileFormatFindById(int32_t fileType) {
  std::lock_guard lock(RegistryLock());
  if (!Registry()) return nullptr;
  for (auto& e : *Registry())
    if (e->FileType == fileType) return e.get();
  return nullptr;
}

int32_t IEFileFormatExtCount(int32_t fileType) {
  std::lock_guard lock(RegistryLock());
  TIEFileFormatInfo* e = IEFileFormatFindById(fileType);
  if (!e) return 0;
  int32_t n = 0;
  for (const std::string& x : SplitExt(e->ExtensionList)) {
    if (x.empty()) break;
    ++n;
  }
  return n;
}

std::string IEFileFormatGetExt(int32_t fileType, int32_t index) {
  std::lock_guard lock(RegistryLock());
  TIEFileFormatInfo* e = IEFileFormatFindById(fileType);
  if (!e || index < 0) return {};
  std::vector<std::string> items = SplitExt(e->ExtensionList);
  return size_t(index) < items.size() ? items[size_t(index)] : std::string();
}

TIEFileFormatInfo* IEFileFormatFindByExt(std::string_view ext) {
  std::string want = Lower(ext);
  if (!want.empty() && want[0] == '.') want.erase(0, 1);
  if (want.empty()) return nullptr;
  std::lock_guard lock(RegistryLock());
  if (!Registry()) return nullptr;
  for (auto& e : *Registry()) {
    // Entries sharing an id answer with the first one's extensions.
    TIEFileFormatInfo* first = IEFileFormatFindById(e->FileType);
    for (const std::string& x : SplitExt(first->ExtensionList))
      if (!x.empty() && Lower(x) == want) return e.get();
  }
  return nullptr;
}

int32_t IEFileTypeOfExt(std::string_view ext) {
  TIEFileFormatInfo* e = IEFileFormatFindByExt(Lower(ext));
  return e ? e->FileType : 0;
}

int32_t IEFileFormatAdd(std::unique_ptr<TIEFileFormatInfo> info) {
  if (!info) return -1;
  std::lock_guard lock(RegistryLock());
  if (!Registry()) Registry() = std::make_unique<std::vector<std::unique_ptr<TIEFileFormatInfo>>>();
  Registry()->push_back(std::move(info));
  return int32_t(Registry()->size() - 1);
}

void IEFileFormatRemove(int32_t fileType) {
  std::lock_guard lock(RegistryLock());
  if (!Registry()) return;
  auto& list = *Registry();
  auto it = std::find_if(list.begin(), list.end(), [&](auto& e) { return e->FileType == fileType; });
  if (it != list.end()) list.erase(it);
}

// The library's own formats in their registration order. Extension lookups
// take the first match, so this order decides between formats that would
// claim one extension; the content of a stream is recognised elsewhere, by the
// sniffer's own table (iestreamload.cpp), which is ordered by signature strength.
void IERegisterBuiltinFormats() {
  static const TBuiltinFormat kBuiltin[] = {
      {ioTIFF, "TIFF Bitmap", "TIF;TIFF;FAX;G3N;G3F;XIF", true, true, ppTIFF},
      {ioGIF, "CompuServe Bitmap", "GIF", true, true, ppGIF},
      {ioJPEG, "JPEG Bitmap", "JPG;JPEG;JPE;JIF", true, true, ppJPEG},
      {ioPCX, "PaintBrush", "PCX", true, true, ppPCX},
      {ioBMP, "Windows Bitmap", "BMP;DIB;RLE", true, true, ppBMP},
      {ioBMPRAW, "Raw Bitmap", "", true, true, 0},
      {ioICO, "Windows Icon", "ICO", true, true, 0},
      {ioCUR, "Windows Cursor", "CUR", true, false, 0},
      {ioPNG, "Portable Network Graphics", "PNG", true, true, ppPNG},
      {ioDICOM, "DICOM Bitmap", "DCM;DIC;DICOM;V2", true, false, 0},
      {ioWMF, "Windows Metafile", "WMF", true, false, 0},
      {ioEMF, "Enhanced Windows Metafile", "EMF", true, false, 0},
      {ioTGA, "Targa Bitmap", "TGA;TARGA;VDA;ICB;VST;PIX", true, true, ppTGA},
      {ioPXM, "Portable Pixmap, GrayMap, BitMap", "PXM;PPM;PGM;PBM", true, true, 0},
      {ioWBMP, "Wireless Bitmap", "WBMP", true, true, 0},
      {ioJP2, "JPEG2000", "JP2", true, true, ppJ2000},
      {ioJ2K, "JPEG2000 Code Stream", "J2K;JPC;J2C", true, true, ppJ2000},
      {ioPS, "PostScript Level 2", "PS;EPS", false, true, 0},
      {ioPDF, "Adobe PDF", "PDF", false, true, 0},
      {ioDCX, "Multipage PCX", "DCX", true, true, 0},
      {ioRAW, "Camera RAW", "CRW;CR2;NEF;RAW;PEF;RAF;X3F;BAY;ORF;SRF;MRW;DCR;SR2", true, false, 0},
      {ioPSD, "Photoshop PSD", "PSD", true, true, 0},
      {ioIEV, "Vectorial objects", "IEV", true, true, 0},
      {ioLYR, "Layers", "LYR", true, true, 0},
      {ioALL, "Layers and objects", "ALL", true, true, 0},
      {ioHDP, "Microsoft HD Photo", "WDP;HDP", true, true, 0},
  };
  std::lock_guard lock(RegistryLock());
  Registry() = std::make_unique<std::vector<std::unique_ptr<TIEFileFormatInfo>>>();
  for (const TBuiltinFormat& b : kBuiltin) {
    if (b.id == ioHDP && !IEWICAvailable()) continue;
    auto e = std::make_unique<TIEFileFormatInfo>();
    e->FileType = b.id;
    e->FormatName = b.name;
    e->ExtensionList = b.extensions;
    e->IsBuiltIn = true;
    e->PreviewPages = b.pages;
    e->SetCapabilities(b.canRead, b.canWrite);
    Registry()->push_back(std::move(e));
  }
}

void IEFileFormatsFree() {
  std::lock_guard lock(RegistryLock());
  Registry().reset();
}

int32_t IEFileFormatCount() {
  std::lock_guard lock(RegistryLock());
  return Registry() ? int32_t(Registry()->size()) : 0;
}

TIEFileFormatInfo* IEFileFormatAt(int32_t index) {
  std::lock_guard lock(RegistryLock());
  if (!Registry() || index < 0 || size_t(index) >= Registry()->size()) return nullptr;
  return (*Registry())[size_t(index)].get();
}

bool IEWICAvailable() { return false; }

namespace {
std::map<int32_t, TIEReadStreamProc>& BuiltinReaders() {
  static std::map<int32_t, TIEReadStreamProc> readers;
  return readers;
}
}  // namespace

void IESetBuiltinReader(int32_t fileType, TIEReadStreamProc reader) {
  std::lock_guard lock(RegistryLock());
  if (reader)
    BuiltinReaders()[fileType] = std::move(reader);
  else
    BuiltinReaders().erase(fileType);
}

TIEReadStreamProc IEGetBuiltinReader(int32_t fileType) {
  std::lock_guard lock(RegistryLock());
  auto it = BuiltinReaders().find(fileType);
  return it != BuiltinReaders().end() ? it->second : TIEReadStreamProc();
}
