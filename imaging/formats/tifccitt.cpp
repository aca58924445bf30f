// CCITT fax coding after ITU-T T.4 (Group 3: modified Huffman, the
// one-dimensional and the two-dimensional codes) and T.6 (Group 4), as TIFF
// 6.0 sections 10 and 11 store them.
#include "imaging/formats/tifccitt.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "imaging/core/iebits.h"
#include "imaging/core/ieinit.h"

namespace {

// ---- the T.4 code tables --------------------------------------------------------------------

// Terminating codes for runs 0 to 63 (T.4 tables 2/T.4).
constexpr const char* kWhiteTerminating[64] = {
    "00110101", "000111",   "0111",     "1000",     "1011",     "1100",     "1110",     "1111",
    "10011",    "10100",    "00111",    "01000",    "001000",   "000011",   "110100",   "110101",
    "101010",   "101011",   "0100111",  "0001100",  "0001000",  "0010111",  "0000011",  "0000100",
    "0101000",  "0101011",  "0010011",  "0100100",  "0011000",  "00000010", "00000011", "00011010",
    "00011011", "00010010", "00010011", "00010100", "00010101", "00010110", "00010111", "00101000",
    "00101001", "00101010", "00101011", "00101100", "00101101", "00000100", "00000101", "00001010",
    "00001011", "01010010", "01010011", "01010100", "01010101", "00100100", "00100101", "01011000",
    "01011001", "01011010", "01011011", "01001010", "01001011", "00110010", "00110011", "00110100"};
constexpr const char* kBlackTerminating[64] = {
    "0000110111",   "010",          "11",           "10",           "011",          "0011",
    "0010",         "00011",        "000101",       "000100",       "0000100",      "0000101",
    "0000111",      "00000100",     "00000111",     "000011000",    "0000010111",   "0000011000",
    "0000001000",   "00001100111",  "00001101000",  "00001101100",  "00000110111",  "00000101000",
    "00000010111",  "00000011000",  "000011001010", "000011001011", "000011001100", "000011001101",
    "000001101000", "000001101001", "000001101010", "000001101011", "000011010010", "000011010011",
    "000011010100", "000011010101", "000011010110", "000011010111", "000001101100", "000001101101",
    "000011011010", "000011011011", "000001010100", "000001010101", "000001010110", "000001010111",
    "000001100100", "000001100101", "000001010010", "000001010011", "000000100100", "000000110111",
    "000000111000", "000000100111", "000000101000", "000001011000", "000001011001", "000000101011",
    "000000101100", "000001011010", "000001100110", "000001100111"};
// Make-up codes for 64, 128, ... 1728 (T.4 tables 3/T.4).
constexpr const char* kWhiteMakeUp[27] = {
    "11011",     "10010",     "010111",    "0110111",   "00110110",  "00110111",  "01100100",
    "01100101",  "01101000",  "01100111",  "011001100", "011001101", "011010010", "011010011",
    "011010100", "011010101", "011010110", "011010111", "011011000", "011011001", "011011010",
    "011011011", "010011000", "010011001", "010011010", "011000",    "010011011"};
constexpr const char* kBlackMakeUp[27] = {
    "0000001111",    "000011001000",  "000011001001",  "000001011011",  "000000110011",  "000000110100",
    "000000110101",  "0000001101100", "0000001101101", "0000001001010", "0000001001011", "0000001001100",
    "0000001001101", "0000001110010", "0000001110011", "0000001110100", "0000001110101", "0000001110110",
    "0000001110111", "0000001010010", "0000001010011", "0000001010100", "0000001010101", "0000001011010",
    "0000001011011", "0000001100100", "0000001100101"};
// Extended make-up codes for 1792 to 2560, both colours (T.4 table 3/T.4).
constexpr const char* kExtendedMakeUp[13] = {"00000001000",  "00000001100",  "00000001101",  "000000010010",
                                             "000000010011", "000000010100", "000000010101", "000000010110",
                                             "000000010111", "000000011100", "000000011101", "000000011110",
                                             "000000011111"};

constexpr TCCITTRunCode Code(const char* bits, int32_t run) {
  TCCITTRunCode c;
  for (; *bits; ++bits) {
    c.Code = c.Code << 1 | uint32_t(*bits == '1');
    ++c.Length;
  }
  c.Run = run;
  return c;
}

constexpr std::array<TCCITTRunCode, kCCITTEntries> MakeTable(const char* const* terminating, const char* const* makeUp) {
  std::array<TCCITTRunCode, kCCITTEntries> t{};
  for (int32_t i = 0; i < 64; ++i) t[size_t(i)] = Code(terminating[i], i);
  for (int32_t i = 0; i < 27; ++i) t[size_t(64 + i)] = Code(makeUp[i], 64 * (i + 1));
  for (int32_t i = 0; i < 13; ++i) t[size_t(91 + i)] = Code(kExtendedMakeUp[i], 1792 + 64 * i);
  t[104] = Code("000000000001", -3);
  t[105] = Code("000000001", -1);
  t[106] = Code("0000000001", -1);
  t[107] = Code("00000000001", -1);
  for (int32_t k = 1; k <= 20; ++k) t[size_t(107 + k)] = TCCITTRunCode{uint8_t(12 + k), 1, -3};
  return t;
}

constexpr std::array<TCCITTRunCode, kCCITTEntries> kRunCodes[2] = {MakeTable(kWhiteTerminating, kWhiteMakeUp),
                                                                   MakeTable(kBlackTerminating, kBlackMakeUp)};

constexpr int32_t kEOL = 104;
constexpr int32_t kMakeUp2560 = 103;

// Two-dimensional mode codes, matched in this order.
enum : int32_t { kTwelveZeros, kPass, kHorizontal, kV0 = 6, kExtension2D = 10, kExtension1D, kModeEOL, kModes };
constexpr TCCITTRunCode kModeCodes[kModes] = {
    Code("000000000000", 0), Code("0001", 0),       Code("001", 0),        Code("0000010", -3), Code("000010", -2),
    Code("010", -1),         Code("1", 0),          Code("011", 1),        Code("000011", 2),   Code("0000011", 3),
    Code("0000001111", 0),   Code("000000001111", 0), Code("000000000001", 0)};

// ---- decoding trees -------------------------------------------------------------------------

struct TNode {
  uint8_t value = kCCITTNoCode;  // the entry at a leaf
  int16_t child[2] = {-1, -1};
};

// Built at start-up and only read afterwards.
std::vector<TNode> gTrees[2];

void BuildTree(std::vector<TNode>& tree, const std::array<TCCITTRunCode, kCCITTEntries>& table) {
  tree.assign(1, TNode{});
  for (int32_t e = 0; e < kCCITTEntries; ++e) {
    const TCCITTRunCode& c = table[size_t(e)];
    size_t node = 0;
    for (int32_t k = c.Length - 1; k >= 0; --k) {
      const int bit = (c.Code >> k) & 1;
      if (tree[node].child[bit] < 0) {
        tree[node].child[bit] = int16_t(tree.size());
        tree.push_back(TNode{});
      }
      node = size_t(tree[node].child[bit]);
    }
    tree[node].value = uint8_t(e);
  }
}

// ---- packed rows ----------------------------------------------------------------------------

int32_t RowBytes(int32_t width) { return int32_t((int64_t(width) + 7) / 8); }

bool PixelBit(const uint8_t* row, int32_t p) { return (row[p >> 3] >> (7 - (p & 7))) & 1; }

// The first position from `from` on whose bit is not `bit`; width when none.
int32_t NextChange(const uint8_t* row, int32_t width, int32_t from, bool bit) {
  if (from >= width) return width;
  const uint8_t same = bit ? 0xFF : 0x00;
  int32_t p = from;
  // Finish the partial first byte bit by bit, then whole bytes.
  while ((p & 7) && p < width) {
    if (PixelBit(row, p) != bit) return p;
    ++p;
  }
  while (p < width) {
    const uint8_t b = row[p >> 3] ^ same;
    if (b) return std::min(p + std::countl_zero(b), width);
    p += 8;
  }
  return width;
}

// The changing elements of a row: positions where the colour differs from the
// pixel before, the row starting white (whiteBit); even indexes turn black.
void ChangingElements(const uint8_t* row, int32_t width, bool whiteBit, std::vector<int32_t>& out) {
  out.clear();
  bool bit = whiteBit;
  for (int32_t p = NextChange(row, width, 0, bit); p < width; p = NextChange(row, width, p, bit)) {
    out.push_back(p);
    bit = !bit;
  }
}

// Pixels [from, to) set to 0 (black in the decoded rows).
void ClearBits(uint8_t* row, int64_t from, int64_t to) {
  if (from < 0) from = 0;
  for (; from < to && (from & 7); ++from) row[from >> 3] &= uint8_t(~(0x80 >> (from & 7)));
  if (to - from >= 8) {
    std::memset(row + (from >> 3), 0, size_t((to - from) >> 3));
    from += (to - from) & ~int64_t(7);
  }
  for (; from < to; ++from) row[from >> 3] &= uint8_t(~(0x80 >> (from & 7)));
}

// b1 and b2 of T.4: from the reference line's changing elements, the first
// one beyond a0 that turns to the colour opposite a0's, and the one after it.
// `index` is a cursor that a0's progress keeps short to move.
void FindB1B2(const std::vector<int32_t>& ref, int32_t width, int64_t a0, int32_t colour, size_t& index, int64_t& b1,
              int64_t& b2) {
  while (index > 0 && ref[index - 1] > a0) --index;
  while (index < ref.size() && ref[index] <= a0) ++index;
  size_t i = index;
  if ((i & 1) != size_t(colour)) ++i;
  b1 = i < ref.size() ? ref[i] : width;
  b2 = i + 1 < ref.size() ? ref[i + 1] : width;
}

// ---- bit output -----------------------------------------------------------------------------

// Codes most significant bit first into whole bytes; the last partial byte is
// carried in the caller's pending bits.
struct TBitWriter {
  std::vector<uint8_t> bytes;
  uint32_t acc = 0;
  int32_t count = 0;

  TBitWriter(int32_t width, int32_t pendingBits, uint8_t pendingByte) {
    // Worst case per row: 7 bits a pixel (vertical modes of three), the
    // first run of 0 with the horizontal mode, ends of line and the pending bits.
    bytes.reserve(size_t(int64_t(width) * 2 + 16));
    count = std::clamp(pendingBits, 0, 7);
    acc = count ? uint32_t(pendingByte) >> (8 - count) : 0;
  }
  void Put(uint32_t code, int32_t length) {
    acc = acc << length | code;
    count += length;
    while (count >= 8) {
      count -= 8;
      bytes.push_back(uint8_t(acc >> count));
    }
    acc &= (1u << count) - 1;
  }
  void Put(const TCCITTRunCode& c) { Put(c.Code, c.Length); }
  void PadToByte() {
    if (count) Put(0, 8 - count);
  }
  // Writes the whole bytes and hands back the partial one.
  void Flush(TStream& stream, int32_t fillOrder, bool& abortFlag, int32_t& pendingBits, uint8_t& pendingByte) {
    if (fillOrder == 2)
      for (uint8_t& b : bytes) IEReverseBitsInByte(b);
    if (!bytes.empty()) IEStreamWriteChecked(stream, abortFlag, bytes.data(), int32_t(bytes.size()));
    bytes.clear();
    pendingBits = count;
    pendingByte = count ? uint8_t(acc << (8 - count)) : 0;
  }
};

void PutRun(TBitWriter& w, int32_t colour, int64_t n) {
  const auto& table = kRunCodes[colour];
  while (n >= 64) {
    if (n <= 2560) {
      w.Put(table[size_t(63 + n / 64)]);
      n %= 64;
    } else {
      w.Put(table[kMakeUp2560]);
      n -= 2560;
    }
  }
  w.Put(table[size_t(n)]);
}

// A row's runs, white first; 1 bits are black.
void PutRow1D(TBitWriter& w, const uint8_t* row, int32_t width) {
  int32_t colour = 0;
  for (int32_t a = 0; a < width;) {
    const int32_t b = NextChange(row, width, a, colour);
    PutRun(w, colour, b - a);
    a = b;
    colour ^= 1;
  }
}

// A row against the reference line (same polarity, at least as wide).
void PutRow2D(TBitWriter& w, const uint8_t* row, const uint8_t* reference, int32_t width) {
  std::vector<int32_t> coding, ref;
  ChangingElements(row, width, false, coding);
  ChangingElements(reference, width, false, ref);
  int64_t a0 = -1;
  int32_t colour = 0;
  size_t ai = 0, bi = 0;
  while (a0 < width) {
    int64_t a1, a2, b1, b2;
    FindB1B2(coding, width, a0, colour, ai, a1, a2);
    FindB1B2(ref, width, a0, colour, bi, b1, b2);
    if (b2 < a1) {
      w.Put(kModeCodes[kPass]);
      a0 = b2;
    } else if (a1 - b1 >= -3 && a1 - b1 <= 3) {
      w.Put(kModeCodes[kV0 + (a1 - b1)]);
      a0 = a1;
      colour ^= 1;
    } else {
      w.Put(kModeCodes[kHorizontal]);
      PutRun(w, colour, a1 - std::max<int64_t>(a0, 0));
      PutRun(w, colour ^ 1, a2 - a1);
      a0 = a2;
    }
  }
}

// The row copied into a reference line of whole 32-bit words.
void KeepReference(std::vector<uint8_t>& reference, const uint8_t* row, int32_t width) {
  reference.assign(size_t((int64_t(width) + 31) / 32 * 4), 0);
  std::memcpy(reference.data(), row, size_t(RowBytes(width)));
}

// A row against the reference line (all white before the first row), which it then replaces.
void PutRowAgainstReference(TBitWriter& w, const uint8_t* row, int32_t width, std::vector<uint8_t>& reference) {
  reference.resize(std::max(reference.size(), size_t(RowBytes(width))), 0);
  PutRow2D(w, row, reference.data(), width);
  KeepReference(reference, row, width);
}

// The end of a two-dimensional strip: ends of line, zero bits to a whole
// byte, and no reference line left.
void FinishStrip(TBitWriter& w, int32_t endsOfLine, std::vector<uint8_t>& reference) {
  for (int32_t k = 0; k < endsOfLine; ++k) w.Put(kRunCodes[0][kEOL]);
  w.PadToByte();
  reference = {};
}

// ---- decoding -------------------------------------------------------------------------------

struct TBitReader {
  const uint8_t* buffer;
  int32_t length;
  int32_t fillOrder;
  int64_t End() const { return int64_t(length) * 8; }
  uint32_t Fetch(int64_t pos) const { return CCITTFetchBits(buffer, length, pos, fillOrder); }
};

// One run of make-up codes and a terminating code from pos. Bad bits are
// skipped; an end of line is left in place and ends the run early.
int64_t ReadRun(const TBitReader& r, int64_t& pos, int32_t colour) {
  int64_t run = 0;
  while (pos < r.End()) {
    const int32_t e = CCITTDecodeRunCode(r.buffer, r.length, pos, r.fillOrder, colour);
    if (e == kCCITTNoCode) {
      ++pos;
      continue;
    }
    const TCCITTRunCode& c = kRunCodes[colour][size_t(e)];
    if (c.Run == -3) break;
    pos += c.Length;
    if (c.Run < 0) continue;
    run += c.Run;
    if (e < 64) break;
  }
  return run;
}

int32_t MatchMode(uint32_t bits) {
  for (int32_t m = 0; m < kModes; ++m)
    if (bits >> (32 - kModeCodes[m].Length) == kModeCodes[m].Code) return m;
  return kTwelveZeros;
}

// Uncompressed mode of T.4 section 4.2.1.3.4 from pixel a: n zero bits and a
// 1 give n white pixels and a black one (n < 5), five white ones (n = 5), or
// n - 6 white ones and the end of the mode (n from 6 to 10), after which the
// next bit is the colour of the following run. Returns the position reached.
int64_t DecodeUncompressed(const TBitReader& r, int64_t& pos, uint8_t* row, int32_t width, int64_t a, int32_t& colour) {
  while (pos < r.End() && a < width) {
    const uint32_t bits = r.Fetch(pos);
    const int32_t n = std::countl_zero(bits);
    if (n > 10) break;  // not a code of this mode: leave it to the mode codes
    pos += n + 1;
    if (n < 5) {
      a += n;
      if (a < width) ClearBits(row, a, a + 1);
      a += 1;
    } else if (n == 5) {
      a += 5;
    } else {
      a += n - 6;
      colour = pos < r.End() ? int32_t(r.Fetch(pos) >> 31) : 0;
      ++pos;
      break;
    }
  }
  return std::min<int64_t>(a, width);
}

}  // namespace

void IECCITTInitialize() {
  BuildTree(gTrees[0], kRunCodes[0]);
  BuildTree(gTrees[1], kRunCodes[1]);
}

void IECCITTFinalize() {
  gTrees[0] = {};
  gTrees[1] = {};
}

const TCCITTRunCode& CCITTRunCode(int32_t colour, int32_t entry) { return kRunCodes[colour & 1][size_t(entry & 127)]; }

uint32_t CCITTFetchBits(const uint8_t* buffer, int32_t length, int64_t bitPos, int32_t fillOrder) {
  if (bitPos < 0) return 0;
  const int64_t at = bitPos >> 3;
  uint64_t window = 0;
  // Five bytes hold 32 bits at any bit offset; bytes past the end read as 0.
  for (int64_t k = 0; k < 5; ++k) {
    uint8_t b = at + k < length ? buffer[at + k] : 0;
    if (fillOrder == 2) IEReverseBitsInByte(b);
    window = window << 8 | b;
  }
  return uint32_t(window >> (8 - (bitPos & 7)));
}

int32_t CCITTDecodeRunCode(const uint8_t* buffer, int32_t length, int64_t bitPos, int32_t fillOrder, int32_t colour) {
  if (bitPos < 0 || (bitPos >> 3) >= length) return kCCITTPastEnd;
  const std::vector<TNode>& tree = gTrees[colour & 1];
  if (tree.empty()) IERaiseSlotNotInstalled("IECCITTInitialize (the CCITT code trees)");
  const uint32_t bits = CCITTFetchBits(buffer, length, bitPos, fillOrder);
  size_t node = 0;
  for (int32_t k = 31; k >= 0; --k) {
    const int16_t next = tree[node].child[(bits >> k) & 1];
    if (next < 0) return kCCITTNoCode;
    node = size_t(next);
    if (tree[node].value != kCCITTNoCode) return tree[node].value;
  }
  return kCCITTNoCode;
}

int32_t CCITTDecodeMH(uint8_t* row, const uint8_t* source, int32_t length, int32_t fillOrder, int32_t width) {
  return int32_t((CCITTDecode1D(row, source, length, fillOrder, 0, width) + 7) / 8);
}

int64_t CCITTDecode1D(uint8_t* row, const uint8_t* source, int32_t length, int32_t fillOrder, int64_t bitPos,
                      int32_t width) {
  const TBitReader r{source, std::max(length, 0), fillOrder};
  if (width <= 0) return std::clamp<int64_t>(bitPos, 0, r.End());
  std::memset(row, 0xFF, size_t(RowBytes(width)));
  int32_t colour = 0;
  int64_t a = 0;
  bool started = false;  // a run was decoded: an end of line now ends the row
  bool makeUp = false;
  int64_t pos = std::max<int64_t>(bitPos, 0);
  while ((a < width || makeUp) && pos < r.End()) {
    const int32_t e = CCITTDecodeRunCode(source, r.length, pos, fillOrder, colour);
    if (e == kCCITTNoCode) {
      ++pos;
      continue;
    }
    const TCCITTRunCode& c = kRunCodes[colour][size_t(e)];
    if (c.Run == -3) {
      if (!started) {
        pos += c.Length;
        continue;
      }
      if (colour) ClearBits(row, a, width);
      break;  // left for the next row, at whose start it is skipped
    }
    pos += c.Length;
    if (c.Run < 0) continue;
    if (colour) ClearBits(row, a, std::min<int64_t>(a + c.Run, width));
    a = std::min<int64_t>(a + c.Run, int64_t(width) + 2560);
    started = true;
    makeUp = e >= 64;
    if (!makeUp) colour ^= 1;
  }
  return std::min(pos, r.End());
}

int64_t CCITTDecode2D(uint8_t* row, const uint8_t* source, int32_t length, bool eolExpected, int32_t fillOrder,
                      int64_t bitPos, uint8_t* referenceLine, int32_t width) {
  const TBitReader r{source, std::max(length, 0), fillOrder};
  if (width <= 0) return std::clamp<int64_t>(bitPos, 0, r.End());
  const size_t rowBytes = size_t(RowBytes(width));
  std::memset(row, 0xFF, rowBytes);
  std::vector<int32_t> ref;
  ChangingElements(referenceLine, width, true, ref);
  size_t bi = 0;
  int64_t a0 = -1;
  int32_t colour = 0;
  bool first = true;  // nothing of the row decoded yet
  int64_t pos = std::max<int64_t>(bitPos, 0);
  while (a0 < width && pos < r.End()) {
    const int64_t codeStart = pos;
    int32_t mode = MatchMode(r.Fetch(pos));
    if (mode == kTwelveZeros) {
      if (!eolExpected) {
        pos += 12;
        continue;
      }
      // Fill bits and an end of line: every zero up to and including the next 1.
      while (pos < r.End() && r.Fetch(pos) == 0) pos += 32;
      if (pos >= r.End()) break;
      pos += std::countl_zero(r.Fetch(pos)) + 1;
      mode = kModeEOL;
    } else if (mode != kModeEOL) {
      pos += kModeCodes[mode].Length;
    }
    if (mode == kModeEOL) {
      if (!first) {
        if (colour) ClearBits(row, a0, width);
        pos = codeStart;
        break;
      }
      if (pos == codeStart) pos += kModeCodes[kModeEOL].Length;
      if (pos >= r.End()) break;
      const bool oneDimensional = r.Fetch(pos) >> 31;
      ++pos;
      if (oneDimensional) {
        pos = CCITTDecode1D(row, source, r.length, fillOrder, pos, width);
        break;
      }
      continue;
    }
    first = false;
    const int64_t start = std::max<int64_t>(a0, 0);
    if (mode == kPass) {
      int64_t b1, b2;
      FindB1B2(ref, width, a0, colour, bi, b1, b2);
      if (colour) ClearBits(row, start, b2);
      a0 = std::max(b2, start);
    } else if (mode == kHorizontal) {
      const int64_t a1 = std::min<int64_t>(start + ReadRun(r, pos, colour), width);
      const int64_t a2 = std::min<int64_t>(a1 + ReadRun(r, pos, colour ^ 1), width);
      ClearBits(row, colour ? start : a1, colour ? a1 : a2);
      a0 = a2;
    } else if (mode == kExtension2D || mode == kExtension1D) {
      a0 = DecodeUncompressed(r, pos, row, width, start, colour);
    } else {
      int64_t b1, b2;
      FindB1B2(ref, width, a0, colour, bi, b1, b2);
      const int64_t a1 = std::clamp<int64_t>(b1 + kModeCodes[mode].Run, start, width);
      if (colour) ClearBits(row, start, a1);
      a0 = a1;
      colour ^= 1;
    }
  }
  std::memcpy(referenceLine, row, rowBytes);
  return std::min(pos, r.End());
}

// ---- encoding -------------------------------------------------------------------------------

void CCITTEncodeMH(const uint8_t* row, int32_t width, TStream& stream, int32_t fillOrder, bool& abortFlag) {
  if (!row) return;
  TBitWriter w(width, 0, 0);
  PutRow1D(w, row, width);
  w.PadToByte();
  int32_t bits;
  uint8_t byte;
  w.Flush(stream, fillOrder, abortFlag, bits, byte);
}

void CCITTEncodeG3_1D(const uint8_t* row, int32_t width, TStream& stream, int32_t fillOrder, bool& abortFlag,
                      int32_t& pendingBits, uint8_t& pendingByte) {
  TBitWriter w(width, pendingBits, pendingByte);
  if (row) {
    w.Put(kRunCodes[0][kEOL]);
    PutRow1D(w, row, width);
  } else {
    w.PadToByte();
  }
  w.Flush(stream, fillOrder, abortFlag, pendingBits, pendingByte);
}

void CCITTEncodeG3_2D(const uint8_t* row, int32_t width, TStream& stream, int32_t fillOrder, bool& abortFlag,
                      std::vector<uint8_t>& referenceLine, int32_t& pendingBits, uint8_t& pendingByte) {
  TBitWriter w(width, pendingBits, pendingByte);
  if (!row) {
    FinishStrip(w, 1, referenceLine);
  } else {
    w.Put(kRunCodes[0][kEOL]);
    // The 1 bit: a one-dimensional row; only the strip's first is.
    w.Put(referenceLine.empty(), 1);
    if (referenceLine.empty()) {
      PutRow1D(w, row, width);
      KeepReference(referenceLine, row, width);
    } else {
      PutRowAgainstReference(w, row, width, referenceLine);
    }
  }
  w.Flush(stream, fillOrder, abortFlag, pendingBits, pendingByte);
}

void CCITTEncodeG4(const uint8_t* row, int32_t width, TStream& stream, int32_t fillOrder, bool& abortFlag,
                   std::vector<uint8_t>& referenceLine, int32_t& pendingBits, uint8_t& pendingByte) {
  TBitWriter w(width, pendingBits, pendingByte);
  if (!row) FinishStrip(w, 2, referenceLine);  // the end of facsimile block
  else PutRowAgainstReference(w, row, width, referenceLine);
  w.Flush(stream, fillOrder, abortFlag, pendingBits, pendingByte);
}
