#include "app/TiffTagList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "imaging/core/ieboundedreader.h"
#include "platform/classes/strings.h"
#include "platform/classes/streams.h"
#include "tests/app/mpo_builder.h"

using namespace mpob;

namespace {

// An IFD at offset 8 of a block whose first 8 bytes stand for the TIFF header.
std::string Block(const std::vector<Tag>& tags, bool be, std::optional<uint16_t> countOverride = {}) {
  return std::string(8, 'H') + Ifd(tags, 8, 0x1234, be, countOverride);
}

void Read(TTiffTagList& list, const std::string& bytes, bool be) {
  TStringStream s(bytes);
  s.SetPosition(8);
  list.SetBigEndian(be);
  list.ReadIFD(s, 0);
}

std::string MessageOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EMPOFormatException& e) {
    return e.Message();
  }
  return "(no exception)";
}

std::vector<Tag> SampleTags(bool be) {
  return {
      Short(0x0112, 6, be),
      Long(0xB001, 0x01020304, be),
      {0x011A, 5, 1, U32(300, be) + U32(4, be)},                       // RATIONAL 300/4
      SRational(0xB211, -1500, 1000, be),                              // SRATIONAL -1.5
      {0x0102, 3, 3, U16(8, be) + U16(16, be) + U16(65535, be)},      // SHORT[3] out of line
      {0x0103, 1, 3, std::string("\x01\x02\xFF", 3)},                  // BYTE[3] inline
      {0x0104, 3, 2, U16(7, be) + U16(9, be)},                         // SHORT[2] inline
      Ascii(0x010F, "Canon "),
  };
}

}  // namespace

TEST(TiffTagList, BigAndLittleEndianReadTheSame) {
  for (bool be : {false, true}) {
    SCOPED_TRACE(be ? "MM" : "II");
    TTiffTagList list;
    Read(list, Block(SampleTags(be), be), be);
    ASSERT_EQ(list.Count(), 8);
    EXPECT_EQ(list.GetNextIFDOffset(), 0x1234u);
    EXPECT_EQ(list.GetInteger(0x0112), 6);
    EXPECT_EQ(list.GetInteger(0xB001), 0x01020304);
    EXPECT_EQ(list.GetCountAndOffset(0xB001).Count, 1u);
    EXPECT_EQ(list.GetRational(0x011A).Numerator, 300u);
    EXPECT_EQ(list.GetRational(0x011A).Denominator, 4u);
    EXPECT_DOUBLE_EQ(list.GetFloat(0x011A), 75.0);
    EXPECT_EQ(list.GetSRational(0xB211).Numerator, -1500);
    EXPECT_DOUBLE_EQ(list.GetFloat(0xB211), -1.5);
    EXPECT_EQ(list.GetValueText(0xB211), "-1.5");
    EXPECT_EQ(list.GetValueText(0x0102), "(8, 16, 65535)");
    EXPECT_EQ(list.GetValueText(0x0103), "(1, 2, 255)");
    EXPECT_EQ(list.GetValueText(0x0104), "(7, 9)");
    EXPECT_EQ(list.GetString(0x010F), "Canon");
    EXPECT_EQ(list.GetIntegerAt(0x0102, 2), 65535);
    // Past the end of its data an element reads as 0, never outside the block.
    EXPECT_EQ(list.GetIntegerAt(0x0102, 3), 0);
    EXPECT_EQ(list.GetIntegerAt(0x0102, 100000), 0);
    EXPECT_EQ(list.GetIntegerAt(0x0104, 2), 0);
  }
}

TEST(TiffTagList, RationalTexts) {
  struct Row {
    uint32_t num, den;
    double value;
    const char* text;
  } rows[] = {
      {1, 250, 0.004, "0.004"},
      {0xFFFFFFFF, 0xFFFFFFFF, 1.0, "N/A"},  // unsigned in GetFloat, the mark in the text
      {7, 0, 7.0, "0"},
      {10, 1250, 0.008, "0.008"},
      {25, 2, 12.5, "12.5"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    TTiffTagList list;
    Read(list, Block({{0x829A, 5, 1, U32(r.num, false) + U32(r.den, false)}}, false), false);
    EXPECT_DOUBLE_EQ(list.GetFloat(0x829A), r.value);
    EXPECT_EQ(list.GetValueText(0x829A), r.text);
  }
  EXPECT_EQ(RationalToFraction({10, 1250}), "10/1250");
  EXPECT_EQ(SRationalToText({-1, -1}), "N/A");
  EXPECT_EQ(SRationalToFloat({3, 0}), 0.0);
}

TEST(TiffTagList, FloatAndDoubleValues) {
  TTiffTagList list;
  std::string dbl(8, '\0');
  const double d = -2.75;
  std::memcpy(dbl.data(), &d, 8);  // host order is little-endian on every target of this project
  const float f = 0.5f;
  std::string flt(4, '\0');
  std::memcpy(flt.data(), &f, 4);
  Read(list, Block({{0x0001, 11, 1, flt}, {0x0002, 12, 1, dbl}}, false), false);
  EXPECT_DOUBLE_EQ(list.GetFloat(0x0001), 0.5);
  EXPECT_DOUBLE_EQ(list.GetFloat(0x0002), -2.75);
  EXPECT_EQ(list.GetValueText(0x0002), "?? DataType = 12");
}

TEST(TiffTagList, ErrorTexts) {
  TTiffTagList list;
  Read(list, Block({{0x0001, 8, 1, U16(5, false)}, Short(0x0112, 1)}, false), false);
  EXPECT_EQ(MessageOf([&] { list.GetInteger(0xB001); }), "Tag B001 does not exist");
  EXPECT_EQ(MessageOf([&] { list.GetInteger(0x0001); }), "Tag 1 has wrong datatype 8");
  EXPECT_EQ(MessageOf([&] { list.GetIntegerAt(0x0001, 0); }), "Tag 1 has wrong datatype 8");
  EXPECT_EQ(MessageOf([&] { list.GetString(0x0112); }), "MPO: Tag 112 has wrong datatype 3");
  EXPECT_EQ(MessageOf([&] { list.GetFloat(0x0112); }), "MPO: Tag 112 has wrong datatype 3");
  EXPECT_EQ(MessageOf([&] { list.GetSRational(0x0112); }), "MPO: Tag 112 has wrong datatype 3");
  EXPECT_NO_THROW(list.GetCountAndOffset(0x0001));
}

TEST(TiffTagList, EntryCountLimit) {
  std::vector<Tag> many(4097, Short(0x0001, 1));
  TTiffTagList list;
  many.resize(4096);
  Read(list, Block(many, false), false);
  EXPECT_EQ(list.Count(), 4096);
  many.push_back(Short(0x0002, 2));
  Read(list, Block(many, false), false);
  EXPECT_EQ(list.Count(), 0);
  // A count of 0xFFFF with nothing behind it is no error either.
  Read(list, Block({}, false, 0xFFFF), false);
  EXPECT_EQ(list.Count(), 0);
}

TEST(TiffTagList, DumpToStrings) {
  TTiffTagList list;
  Read(list, Block({Short(0x0112, 6), Ascii(0x010F, "FUJIFILM")}, false), false);
  TStringList lines;
  list.DumpToStrings(&lines);
  ASSERT_EQ(lines.Count(), 2);
  EXPECT_EQ(lines.Strings(0), "274=6");
  EXPECT_EQ(lines.Strings(1), "271=FUJIFILM");
}

// Entries whose data the stream cannot hold are refused before anything is allocated for them.
TEST(TiffTagList, RefusesDataOutsideTheStream) {
  struct Row {
    const char* name;
    Tag tag;
    bool keepsFirstEntry;
  } rows[] = {
      {"offset past the end", {0x0100, 7, 16, std::string(16, 'x'), 0xFFFFFFF0u}, true},
      {"block running past the end", {0x0100, 7, 4000, std::string(8, 'x'), 40}, true},
      {"count times unit beyond 32 bits", {0x0100, 12, 0xFFFFFFFFu, std::string(8, 'x'), 40}, true},
      {"huge SHORT array", {0x0100, 3, 0x80000000u, std::string(8, 'x'), 40}, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TTiffTagList list;
    EXPECT_THROW(Read(list, Block({Short(0x0001, 1), r.tag}, false), false), EReadError);
    EXPECT_TRUE(list.HasTag(0x0001));
  }
  // Entries cut off by the end of the stream.
  TTiffTagList list;
  const std::string full = Block({Short(0x0001, 1), Short(0x0002, 2)}, false);
  EXPECT_THROW(Read(list, full.substr(0, 8 + 2 + 12 + 5), false), EReadError);
  EXPECT_EQ(list.Count(), 1);
}

// The MPO parser hands over its own reader: the IFD is read at that reader's cursor.
TEST(TiffTagList, ReadsAtTheCursorOfTheCallersReader) {
  const std::string bytes = Block(SampleTags(false), false);
  TTiffTagList fromStream;
  Read(fromStream, bytes, false);
  TIEBoundedReader r(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  r.Seek(8);
  TTiffTagList list;
  int64_t budget = int64_t(bytes.size());
  list.ReadIFD(r, 0, budget);
  ASSERT_EQ(list.Count(), 8);
  ASSERT_EQ(fromStream.Count(), 8);
  for (int32_t i = 0; i < list.Count(); ++i) {
    const uint16_t tag = list.FixWord(list.Items(i)->Tag);
    EXPECT_EQ(list.GetValueText(tag), fromStream.GetValueText(tag)) << tag;
  }

  // Past the entry limit the list reads empty and the cursor stands after the count.
  const std::string many = Block(std::vector<Tag>(4097, Short(0x0001, 1)), false);
  TIEBoundedReader m(reinterpret_cast<const uint8_t*>(many.data()), many.size());
  m.Seek(8);
  list.ReadIFD(m, 0, budget);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(m.Position(), 10);
}

// Many entries pointing at one large block would multiply it in memory.
TEST(TiffTagList, BudgetBoundsWhatAFileCanMakeUsAllocate) {
  const std::string big(20000, 'z');
  std::vector<Tag> tags;
  for (int i = 0; i < 8; ++i) tags.push_back({uint16_t(0x0100 + i), 7, uint32_t(big.size()), "", 8 + 2 + 12 * 8 + 4});
  std::string bytes = Block(tags, false) + big;
  TTiffTagList list;
  TStringStream s(bytes);
  s.SetPosition(8);
  int64_t budget = 3 * int64_t(big.size());
  try {
    list.ReadIFD(s, 0, budget);
    FAIL() << "no exception";
  } catch (const EMPOFormatException& e) {
    EXPECT_EQ(e.Message(), "MPO: Tag data exceeds the file size");
  }
  budget = 9 * int64_t(big.size());
  s.SetPosition(8);
  list.ReadIFD(s, 0, budget);
  EXPECT_EQ(list.GetString(0x0107).size(), big.size());
}
