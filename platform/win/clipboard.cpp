// Global memory blocks and the process-wide clipboard.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "platform/rtl/text.h"
#include "platform/win/internal.h"

namespace win {

namespace {

struct Block {
  std::vector<uint8_t> Bytes;
  int Locks = 0;
};

struct Blocks {
  std::mutex M;
  std::map<uintptr_t, std::unique_ptr<Block>> Table;
  uintptr_t Next = 0x20010;
};
Blocks& GB() {
  static auto* b = new Blocks;
  return *b;
}

Block* FindBlock(HGLOBAL h) {
  auto& t = GB().Table;
  auto it = t.find(reinterpret_cast<uintptr_t>(h));
  return it == t.end() ? nullptr : it->second.get();
}

HGLOBAL NewBlock(const void* data, size_t n) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, n);
  if (h && n) {
    std::lock_guard lk(GB().M);
    std::memcpy(FindBlock(h)->Bytes.data(), data, n);
  }
  return h;
}

std::vector<uint8_t> BlockBytes(HGLOBAL h) {
  std::lock_guard lk(GB().M);
  Block* b = FindBlock(h);
  if (!b) return {};
  return b->Bytes;
}

struct Clipboard {
  std::recursive_mutex M;
  bool Open = false;
  HWND OpenWindow = nullptr;
  TThreadID OpenThread = 0;
  HWND Owner = nullptr;
  std::vector<std::pair<UINT, HGLOBAL>> Data;       // in the order they were set
  std::vector<std::pair<UINT, HGLOBAL>> Synthesized;
  bool Changed = false;
  DWORD Sequence = 1;
  std::string LastExchanged;  // the text last pushed to or taken from the backend
};
Clipboard& CB() {
  static auto* c = new Clipboard;
  return *c;
}

void FreeAll(Clipboard& c) {
  for (auto& [f, h] : c.Data) GlobalFree(h);
  for (auto& [f, h] : c.Synthesized) GlobalFree(h);
  c.Data.clear();
  c.Synthesized.clear();
}

HGLOBAL Stored(Clipboard& c, UINT format) {
  for (auto& [f, h] : c.Data)
    if (f == format) return h;
  for (auto& [f, h] : c.Synthesized)
    if (f == format) return h;
  return nullptr;
}

bool Has(Clipboard& c, UINT format) {
  for (auto& [f, h] : c.Data)
    if (f == format) return true;
  return false;
}

// Formats that can be made from what is there.
std::vector<UINT> SynthesizableFrom(Clipboard& c) {
  std::vector<UINT> out;
  if (Has(c, CF_UNICODETEXT) && !Has(c, CF_TEXT)) out.push_back(CF_TEXT);
  if ((Has(c, CF_TEXT) || Has(c, CF_OEMTEXT)) && !Has(c, CF_UNICODETEXT)) out.push_back(CF_UNICODETEXT);
  if ((Has(c, CF_TEXT) || Has(c, CF_UNICODETEXT)) && !Has(c, CF_OEMTEXT)) out.push_back(CF_OEMTEXT);
  return out;
}

std::string Utf8FromUnicodeBlock(const std::vector<uint8_t>& bytes) {
  std::u16string s;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char16_t u = char16_t(bytes[i] | (bytes[i + 1] << 8));
    if (!u) break;
    s.push_back(u);
  }
  return Utf16ToUtf8(s);
}

std::vector<uint8_t> UnicodeBlockFromUtf8(const std::string& text) {
  std::u16string s = Utf8ToUtf16(text);
  std::vector<uint8_t> out;
  out.reserve(s.size() * 2 + 2);
  for (char16_t u : s) {
    out.push_back(uint8_t(u & 0xFF));
    out.push_back(uint8_t(u >> 8));
  }
  out.push_back(0);
  out.push_back(0);
  return out;
}

std::string AnsiFromBlock(const std::vector<uint8_t>& bytes) {
  std::string s(bytes.begin(), bytes.end());
  s.resize(std::strlen(s.c_str()));
  return s;
}

// The clipboard's text as UTF-8, or nothing when it holds none.
std::optional<std::string> TextOf(Clipboard& c) {
  if (HGLOBAL h = Stored(c, CF_UNICODETEXT); h && Has(c, CF_UNICODETEXT)) return Utf8FromUnicodeBlock(BlockBytes(h));
  if (HGLOBAL h = Stored(c, CF_TEXT); h && Has(c, CF_TEXT)) return CodePageToUtf8(AnsiFromBlock(BlockBytes(h)), 1252);
  return std::nullopt;
}

bool OwnedByCaller(Clipboard& c) { return c.Open && c.OpenThread == TThread::CurrentThreadID(); }

}  // namespace

HGLOBAL GlobalAlloc(UINT, size_t bytes) {
  std::lock_guard lk(GB().M);
  auto b = std::make_unique<Block>();
  b->Bytes.assign(std::max<size_t>(bytes, 1), 0);
  b->Bytes.resize(bytes);
  uintptr_t h = GB().Next;
  GB().Next += 8;
  GB().Table[h] = std::move(b);
  return reinterpret_cast<HGLOBAL>(h);
}

void* GlobalLock(HGLOBAL mem) {
  std::lock_guard lk(GB().M);
  Block* b = FindBlock(mem);
  if (!b) return nullptr;
  ++b->Locks;
  return b->Bytes.data();
}

BOOL GlobalUnlock(HGLOBAL mem) {
  std::lock_guard lk(GB().M);
  Block* b = FindBlock(mem);
  if (!b || b->Locks == 0) return FALSE;
  return --b->Locks > 0 ? TRUE : FALSE;
}

size_t GlobalSize(HGLOBAL mem) {
  std::lock_guard lk(GB().M);
  Block* b = FindBlock(mem);
  return b ? b->Bytes.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL mem) {
  std::lock_guard lk(GB().M);
  auto& t = GB().Table;
  auto it = t.find(reinterpret_cast<uintptr_t>(mem));
  if (it == t.end()) return mem;
  t.erase(it);
  return nullptr;
}

BOOL OpenClipboard(HWND owner) {
  Clipboard& c = CB();
  std::lock_guard lk(c.M);
  if (owner && !IsWindow(owner)) return FALSE;
  if (c.Open && c.OpenThread != TThread::CurrentThreadID()) return FALSE;
  c.Open = true;
  c.OpenWindow = owner;
  c.OpenThread = TThread::CurrentThreadID();
  c.Changed = false;
  // Text another application put on the system clipboard replaces ours.
  if (detail::IsDisplayThread()) {
    if (DisplayBackend* b = GetDisplayBackend()) {
      std::optional<std::string> text = b->ClipboardText();
      if (text && *text != c.LastExchanged) {
        c.LastExchanged = *text;
        FreeAll(c);
        std::vector<uint8_t> bytes = UnicodeBlockFromUtf8(*text);
        c.Data.push_back({CF_UNICODETEXT, NewBlock(bytes.data(), bytes.size())});
        c.Owner = nullptr;
        ++c.Sequence;
      }
    }
  }
  return TRUE;
}

BOOL CloseClipboard() {
  Clipboard& c = CB();
  std::lock_guard lk(c.M);
  if (!OwnedByCaller(c)) return FALSE;
  if (c.Changed && detail::IsDisplayThread()) {
    if (DisplayBackend* b = GetDisplayBackend()) {
      if (std::optional<std::string> text = TextOf(c)) {
        c.LastExchanged = *text;
        b->SetClipboardText(*text);
      }
    }
  }
  c.Open = false;
  c.OpenWindow = nullptr;
  c.OpenThread = 0;
  c.Changed = false;
  return TRUE;
}

BOOL EmptyClipboard() {
  Clipboard& c = CB();
  std::lock_guard lk(c.M);
  if (!OwnedByCaller(c)) return FALSE;
  FreeAll(c);
  c.Owner = c.OpenWindow;
  c.Changed = true;
  ++c.Sequence;
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  Clipboard& c = CB();
  std::lock_guard lk(c.M);
  if (!OwnedByCaller(c) || !data || format == 0) return nullptr;
  HGLOBAL h = data;
  {
    std::lock_guard blk(GB().M);
    if (!FindBlock(h)) return nullptr;
  }
  for (auto it = c.Data.begin(); it != c.Data.end(); ++it)
    if (it->first == format) {
      if (it->second != h) GlobalFree(it->second);
      c.Data.erase(it);
      break;
    }
  for (auto& [f, s] : c.Synthesized) GlobalFree(s);
  c.Synthesized.clear();
  c.Data.push_back({format, h});
  c.Changed = true;
  ++c.Sequence;
  return data;
}

HANDLE GetClipboardData(UINT format) {
  Clipboard& c = CB();
  std::lock_guard lk(c.M);
  if (!OwnedByCaller(c)) return nullptr;
  if (HGLOBAL h = Stored(c, format)) return h;
  std::vector<UINT> can = SynthesizableFrom(c);
  if (std::find(can.begin(), can.end(), format) == can.end()) return nullptr;
  std::optional<std::string> text = TextOf(c);
  if (!text && Has(c, CF_OEMTEXT)) text = CodePageToUtf8(AnsiFromBlock(BlockBytes(Stored(c, CF_OEMTEXT))), 1252);
  if (!text) return nullptr;
  HGLOBAL h = nullptr;
  if (format == CF_UNICODETEXT) {
    std::vector<uint8_t> bytes = UnicodeBlockFromUtf8(*text);
    h = NewBlock(bytes.data(), bytes.size());
  } else {
    std::string ansi = Utf8ToCodePage(*text, 1252);
    h = NewBlock(ansi.c_str(), ansi.size() + 1);
  }
  c.Synthesized.push_back({format, h});
  return h;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  Clipboard& c = CB();
  std::lock_guard lk(c.M);
  if (Has(c, format)) return TRUE;
  std::vector<UINT> can = SynthesizableFrom(c);
  return std::find(can.begin(), can.end(), format) != can.end() ? TRUE : FALSE;
}

UINT EnumClipboardFormats(UINT format) {
  Clipboard& c = CB();
  std::lock_guard lk(c.M);
  if (!OwnedByCaller(c)) return 0;
  std::vector<UINT> all;
  for (auto& [f, h] : c.Data) all.push_back(f);
  for (UINT f : SynthesizableFrom(c)) all.push_back(f);
  if (format == 0) return all.empty() ? 0 : all.front();
  auto it = std::find(all.begin(), all.end(), format);
  if (it == all.end() || ++it == all.end()) return 0;
  return *it;
}

int CountClipboardFormats() {
  Clipboard& c = CB();
  std::lock_guard lk(c.M);
  return int(c.Data.size() + SynthesizableFrom(c).size());
}

UINT RegisterClipboardFormat(LPCSTR name) { return detail::RegisterAtomName(name); }

int GetClipboardFormatName(UINT format, char* buf, int size) {
  if (!buf || size <= 0) return 0;
  std::string n = detail::AtomName(format);
  size_t len = std::min(n.size(), size_t(size - 1));
  std::memcpy(buf, n.data(), len);
  buf[len] = 0;
  return int(len);
}

HWND GetClipboardOwner() {
  Clipboard& c = CB();
  std::lock_guard lk(c.M);
  return IsWindow(c.Owner) ? c.Owner : nullptr;
}

HWND GetOpenClipboardWindow() {
  Clipboard& c = CB();
  std::lock_guard lk(c.M);
  return c.Open && IsWindow(c.OpenWindow) ? c.OpenWindow : nullptr;
}

DWORD GetClipboardSequenceNumber() {
  Clipboard& c = CB();
  std::lock_guard lk(c.M);
  return c.Sequence;
}

}  // namespace win
