// The framework's binary component-streaming format, read into a description.
//
//   image     := "TPF0" component
//   component := [0xF0|flags [childpos value]] class:shortstr name:shortstr
//                {name:shortstr value} 0x00 {component} 0x00
//   value     := type byte (TValueType) and its payload, little-endian:
//                Int8/16/32/64, Single (4), Double/Date (8), Currency (int64
//                / 10000), Extended (80-bit), String/Ident (shortstr), LString
//                and UTF8String (int32 length + bytes), WString (int32 count +
//                UTF-16), Binary (int32 length + bytes), Set (shortstrs up to an
//                empty one), List (values up to 0x00), Collection (items, each
//                an optional integer and properties up to 0x00, up to 0x00)
// 8-bit strings are in the system code page. Every byte is read through one
// bounded reader; lengths are checked against what remains before anything is
// allocated.
#include <cmath>
#include <cstring>

#include "platform/classes/filer.h"
#include "platform/rtl/text.h"

namespace {

constexpr int kMaxDepth = 256;  // nesting of components, lists and collections

class BinaryToText {
public:
  explicit BinaryToText(TStream& in) : in_(in), end_(in.Size()) {}

  std::string Convert() {
    char sig[4];
    Read(sig, 4);
    if (std::memcmp(sig, "TPF0", 4) != 0) Fail("Invalid stream format");
    Component(0, 0);
    return std::move(out_);
  }

private:
  [[noreturn]] static void Fail(const std::string& why) { throw EReadError(why + " in component image"); }

  void Read(void* buf, int64_t n) {
    if (n < 0 || n > end_ - in_.Position()) Fail("Unexpected end");
    if (n > 0) in_.ReadBuffer(buf, n);
  }
  uint8_t U8() {
    uint8_t b;
    Read(&b, 1);
    return b;
  }
  uint8_t Peek() {
    uint8_t b = U8();
    in_.Seek(-1, soCurrent);
    return b;
  }
  uint64_t LE(int bytes) {
    uint8_t b[8];
    Read(b, bytes);
    uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[i];
    return v;
  }
  std::string Bytes(int64_t n) {
    if (n < 0 || n > end_ - in_.Position()) Fail("Length beyond the end");
    std::string s(static_cast<size_t>(n), '\0');
    Read(s.data(), n);
    return s;
  }
  std::string ShortStr() { return Bytes(U8()); }
  int64_t Length() { return static_cast<int32_t>(LE(4)); }

  // Names become symbols of the description: identifiers, dotted for paths.
  static const std::string& Checked(const std::string& name) {
    bool start = true;
    for (char c : name) {
      bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
      bool digit = c >= '0' && c <= '9';
      if (c == '.' && !start) {
        start = true;
        continue;
      }
      if (!(letter || (digit && !start))) Fail("Invalid name '" + name + "'");
      start = false;
    }
    if (start) Fail("Invalid name '" + name + "'");
    return name;
  }

  void Indent(int n) { out_.append(static_cast<size_t>(n), ' '); }
  void BeginValue(bool ownLine) {
    if (listDepth_ > 0 || ownLine) {
      out_ += '\n';
      Indent(valueIndent_);
    } else {
      out_ += ' ';
    }
  }
  void Text(const std::string& utf8) {
    std::vector<std::string> chunks = SplitFormString(utf8, 64);
    BeginValue(chunks.size() > 1);
    out_ += chunks[0];
    for (size_t i = 1; i < chunks.size(); ++i) {
      out_ += " +\n";
      Indent(valueIndent_);
      out_ += chunks[i];
    }
  }
  void Atom(const std::string& s) {
    BeginValue(false);
    out_ += s;
  }

  static long double Extended(const uint8_t b[10]) {
    uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | b[i];
    int exponent = ((b[9] & 0x7F) << 8) | b[8];
    bool negative = (b[9] & 0x80) != 0;
    long double v;
    if (exponent == 0x7FFF)
      v = (mantissa << 1) ? std::nanl("") : HUGE_VALL;
    else if (exponent == 0 && mantissa == 0)
      v = 0;
    else
      v = std::ldexp(static_cast<long double>(mantissa), (exponent ? exponent : 1) - 16383 - 63);
    return negative ? -v : v;
  }

  void Component(int indent, int depth) {
    if (depth > kMaxDepth) Fail("Nesting too deep");
    uint8_t flags = 0;
    std::string position;
    if ((Peek() & 0xF0) == 0xF0) {
      flags = U8() & 0x0F;
      if (flags & 2) {  // the child position, an integer value
        uint8_t t = U8();
        int64_t v = t == vaInt8 ? int8_t(LE(1)) : t == vaInt16 ? int16_t(LE(2)) : t == vaInt32 ? int32_t(LE(4)) : -1;
        if (v < 0) Fail("Invalid child position");
        position = " [" + std::to_string(v) + "]";
      }
    }
    std::string cls = ShortStr();
    std::string name = ShortStr();
    Indent(indent);
    out_ += (flags & 1) ? "inherited " : "object ";
    if (!name.empty()) out_ += Checked(name) + ": ";
    out_ += Checked(cls) + position + "\n";
    while (Peek() != 0) Property(indent + 2, depth);
    U8();
    while (Peek() != 0) Component(indent + 2, depth + 1);
    U8();
    Indent(indent);
    out_ += "end\n";
  }

  void Property(int indent, int depth) {
    std::string name = ShortStr();
    Indent(indent);
    out_ += Checked(name) + " =";
    int savedIndent = valueIndent_, savedDepth = listDepth_;
    valueIndent_ = indent + 2;
    listDepth_ = 0;
    Value(depth);
    valueIndent_ = savedIndent;
    listDepth_ = savedDepth;
    out_ += '\n';
  }

  void Value(int depth) {
    if (depth > kMaxDepth) Fail("Nesting too deep");
    uint8_t type = U8();
    switch (type) {
      case vaList: {
        BeginValue(false);
        out_ += '(';
        int saved = valueIndent_;
        if (listDepth_ > 0) valueIndent_ += 2;
        ++listDepth_;
        while (Peek() != 0) Value(depth + 1);
        U8();
        --listDepth_;
        valueIndent_ = saved;
        out_ += ')';
        break;
      }
      case vaInt8: Atom(std::to_string(int8_t(LE(1)))); break;
      case vaInt16: Atom(std::to_string(int16_t(LE(2)))); break;
      case vaInt32: Atom(std::to_string(int32_t(LE(4)))); break;
      case vaInt64: Atom(std::to_string(int64_t(LE(8)))); break;
      case vaExtended: {
        uint8_t b[10];
        Read(b, 10);
        Atom(FormatFormFloat(Extended(b), int(sizeof(long double))));
        break;
      }
      case vaSingle: {
        uint32_t bits = uint32_t(LE(4));
        float f;
        std::memcpy(&f, &bits, 4);
        Atom(FormatFormFloat(f, 4));
        break;
      }
      case vaDouble:
      case vaDate: {
        uint64_t bits = LE(8);
        double d;
        std::memcpy(&d, &bits, 8);
        Atom(FormatFormFloat(d, 8));
        break;
      }
      case vaCurrency: Atom(FormatFormFloat(static_cast<long double>(int64_t(LE(8))) / 10000, 8)); break;
      case vaString: Text(CodePageToUtf8(ShortStr())); break;
      case vaLString: Text(CodePageToUtf8(Bytes(Length()))); break;
      case vaUTF8String: Text(Bytes(Length())); break;
      case vaWString: {
        int64_t count = Length();
        if (count < 0 || count > (end_ - in_.Position()) / 2) Fail("Length beyond the end");
        std::string raw = Bytes(count * 2);
        std::u16string w(static_cast<size_t>(count), u'\0');
        for (size_t i = 0; i < w.size(); ++i)
          w[i] = char16_t(uint8_t(raw[2 * i]) | (uint8_t(raw[2 * i + 1]) << 8));
        Text(Utf16ToUtf8(w));
        break;
      }
      case vaIdent: Atom(Checked(ShortStr())); break;
      case vaFalse: Atom("False"); break;
      case vaTrue: Atom("True"); break;
      case vaNil: Atom("nil"); break;
      case vaBinary: {
        std::string bytes = Bytes(Length());
        static const char hex[] = "0123456789ABCDEF";
        BeginValue(false);
        out_ += '{';
        for (size_t i = 0; i < bytes.size(); ++i) {
          if (i % 32 == 0) {
            out_ += '\n';
            Indent(valueIndent_);
          }
          out_ += hex[uint8_t(bytes[i]) >> 4];
          out_ += hex[uint8_t(bytes[i]) & 15];
        }
        out_ += '}';
        break;
      }
      case vaSet: {
        std::string s = "[";
        for (std::string e = ShortStr(); !e.empty(); e = ShortStr()) s += (s.size() > 1 ? ", " : "") + Checked(e);
        Atom(s + "]");
        break;
      }
      case vaCollection: {
        BeginValue(false);
        out_ += '<';
        int itemIndent = valueIndent_ + (listDepth_ > 0 ? 2 : 0);
        int savedIndent = valueIndent_, savedDepth = listDepth_;
        while (Peek() != 0) {
          out_ += '\n';
          Indent(itemIndent);
          out_ += "item";
          uint8_t t = Peek();
          if (t == vaInt8 || t == vaInt16 || t == vaInt32) {
            U8();
            int64_t v = t == vaInt8 ? int8_t(LE(1)) : t == vaInt16 ? int16_t(LE(2)) : int32_t(LE(4));
            out_ += " [" + std::to_string(v) + "]";
          }
          out_ += '\n';
          while (Peek() != 0) Property(itemIndent + 2, depth + 1);
          U8();
          Indent(itemIndent);
          out_ += "end";
        }
        U8();
        valueIndent_ = savedIndent;
        listDepth_ = savedDepth;
        out_ += '>';
        break;
      }
      default: Fail("Invalid value type " + std::to_string(type));
    }
  }

  TStream& in_;
  int64_t end_;
  std::string out_;
  int valueIndent_ = 0;
  int listDepth_ = 0;
};

}  // namespace

void ObjectBinaryToText(TStream& input, TStream& output) {
  std::string text = BinaryToText(input).Convert();
  output.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}
