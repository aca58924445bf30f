#include <gtest/gtest.h>

#include <string>

#include "platform/classes/filer.h"

namespace {

// Assembles an image byte by byte, little-endian, as the binary format lays it out.
struct Image {
  std::string b;
  Image& U8(int v) {
    b += char(uint8_t(v));
    return *this;
  }
  Image& LE(uint64_t v, int n) {
    for (int i = 0; i < n; ++i) b += char(uint8_t(v >> (8 * i)));
    return *this;
  }
  Image& Str(const std::string& s) {
    U8(int(s.size()));
    b += s;
    return *this;
  }
  Image& Prop(const std::string& name, int type) { return Str(name).U8(type); }
};

std::string Sample() {
  Image i;
  i.b = "TPF0";
  i.Str("TForm1").Str("Form1");
  i.Prop("Caption", vaString).Str("Caf\xE9");  // code page 1252
  i.Prop("Left", vaInt16).LE(uint16_t(-300), 2);
  i.Prop("Big", vaInt64).LE(12345678901ull, 8);
  i.Prop("Scale", vaExtended).LE(0xC000000000000000ull, 8).LE(0x3FFF, 2);  // 1.5
  i.Prop("Ratio", vaSingle).LE(0x3E800000, 4);                             // 0.25f
  i.Prop("Visible", vaFalse);
  i.Prop("Font.Style", vaSet).Str("fsBold").Str("fsItalic").Str("");
  i.Prop("Items.Strings", vaList);
  i.U8(vaWString).LE(2, 4).LE(0x00FC, 2).LE(0x20AC, 2);
  i.U8(vaLString).LE(1, 4).b += "x";
  i.U8(vaUTF8String).LE(3, 4).b += "\xE6\x97\xA5";
  i.U8(0);
  i.Prop("Data", vaBinary).LE(3, 4).U8(0x00).U8(0x0D).U8(0x0A);
  i.Prop("Columns", vaCollection);
  i.U8(vaInt8).U8(5).Prop("Caption", vaString).Str("c").U8(0);
  i.Prop("Width", vaInt8).U8(7).U8(0);
  i.U8(0);
  i.Prop("PopupMenu", vaIdent).Str("Menu1");
  i.Prop("OnClick", vaIdent).Str("Form1Click");
  i.U8(0);                                               // end of the form's properties
  i.U8(0xF1).Str("TButton").Str("Button1");              // inherited child
  i.Prop("Tag", vaInt32).LE(uint32_t(-1), 4).U8(0).U8(0);
  i.U8(0xF2).U8(vaInt8).U8(3).Str("TLabel").Str("");     // child with position, no name
  i.U8(0).U8(0);
  i.U8(0);                                               // end of the form's children
  return i.b;
}

const char kSampleText[] = R"txt(object Form1: TForm1
  Caption = 'Café'
  Left = -300
  Big = 12345678901
  Scale = 1.5
  Ratio = 0.25
  Visible = False
  Font.Style = [fsBold, fsItalic]
  Items.Strings = (
    'ü€'
    'x'
    '日')
  Data = {
    000D0A}
  Columns = <
    item [5]
      Caption = 'c'
    end
    item
      Width = 7
    end>
  PopupMenu = Menu1
  OnClick = Form1Click
  inherited Button1: TButton
    Tag = -1
  end
  object TLabel [3]
  end
end
)txt";

std::string Convert(const std::string& bytes, int64_t* endPosition = nullptr) {
  TStringStream in(bytes), out;
  ObjectBinaryToText(in, out);
  if (endPosition) *endPosition = in.Position();
  return out.DataString();
}

TEST(FilerBinaryTest, ImageBecomesADescription) {
  std::string bytes = Sample();
  int64_t end = 0;
  EXPECT_EQ(Convert(bytes + "next", &end), kSampleText);
  EXPECT_EQ(end, int64_t(bytes.size()));  // stops after the component
}

TEST(FilerBinaryTest, MalformedImagesRaiseReadErrors) {
  const std::string good = Sample();
  // Every truncation fails cleanly.
  for (size_t n = 0; n < good.size(); ++n) EXPECT_THROW(Convert(good.substr(0, n)), EReadError) << n;
  auto head = [] {
    Image i;
    i.b = "TPF0";
    return i.Str("T").Str("X");
  };
  Image deep = head();
  deep.Str("P");
  for (int k = 0; k < 300; ++k) deep.U8(vaList);
  const std::string bad[] = {
      "TPF1" + good.substr(4),
      head().Prop("P", 0x30).b,                                      // no such value type
      head().Prop("P", vaLString).LE(0x7FFFFFFF, 4).b,               // length beyond the end
      head().Prop("P", vaWString).LE(0x80000000u, 4).b,              // negative count
      head().Prop("P", vaIdent).Str("a b").U8(0).U8(0).b,            // an identifier no description can hold
      [&] {
        Image i;
        i.b = "TPF0";
        return i.Str("T").Str("X-").U8(0).U8(0).b;                   // nor a component name
      }(),
      deep.b,
  };
  for (const std::string& b : bad) EXPECT_THROW(Convert(b), EReadError);
}

}  // namespace
