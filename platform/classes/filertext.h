// The lexical layer of the form-description text format: the tokenizer that
// the reader runs over a description, and the spellings the writer uses.
//
//   object Form1: TForm1            header: keyword, name, class
//     Caption = 'It''s'#13#10'ok'   strings: quoted runs and #nnn code points,
//     Left = -8                     long ones joined with '+' across lines
//     Scale = 1.5                   floats always carry '.' or an exponent
//     Options = [opA, opB]          sets; identifiers; ( lists ); < items >
//     Data = {0A0B0C}               binary as hexadecimal pairs
//   end
//
// Text is UTF-8: bytes of 0x80 and above stand for themselves inside quotes;
// control characters are written as #nnn so that a description's lines stay lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/exceptions.h"

// Raised for malformed description text; it is a read error like any other.
DX_EXCEPTION(EParserError, EReadError);

class TParser {
public:
  static constexpr char toEOF = 0;
  static constexpr char toSymbol = 1;
  static constexpr char toString = 2;
  static constexpr char toInteger = 3;
  static constexpr char toFloat = 4;

  // The text must outlive the parser.
  explicit TParser(std::string_view text);

  // The current token: one of the to* kinds or the punctuation character itself.
  char Token() const { return token_; }
  char NextToken();
  // Symbols and numbers as written; a string token's decoded value.
  const std::string& TokenString() const { return tokenString_; }
  // Raise EParserError when the number is not an integer or does not fit.
  int64_t TokenInt() const;
  uint64_t TokenUInt64() const;  // accepts the full unsigned 64-bit range
  long double TokenFloat() const;
  // The float's suffix as written ('s' single, 'c' currency, 'd' date), or 0.
  char FloatType() const { return floatType_; }
  bool TokenSymbolIs(std::string_view symbol) const;
  void CheckToken(char token) const;
  void CheckTokenSymbol(std::string_view symbol) const;
  // The 1-based line of the current token.
  int32_t SourceLine() const { return tokenLine_; }
  // The offset just past the current token.
  size_t SourcePos() const { return pos_; }
  // With the current token '{': the bytes of the hexadecimal pairs up to '}', which
  // becomes the current token.
  std::vector<uint8_t> HexToBinary();

  // Raises EParserError "<message> on line <n>".
  [[noreturn]] void Error(std::string_view message) const;
  // The bare message and the line of the last error raised, for callers that
  // report the error in their own words.
  const std::string& ErrorText() const { return errorText_; }
  int32_t ErrorLine() const { return errorLine_; }

private:
  void SkipBlanks();
  void ReadString();
  void ReadNumber();

  std::string_view text_;
  size_t pos_ = 0;
  int32_t line_ = 1;
  int32_t tokenLine_ = 1;
  char token_ = toEOF;
  char floatType_ = 0;
  std::string tokenString_;
  bool negative_ = false;
  bool integral_ = false;
  uint64_t magnitude_ = 0;
  bool overflow_ = false;
  mutable std::string errorText_;
  mutable int32_t errorLine_ = 0;
};

// The token(s) that spell a string: chunks of at most maxChars code points each,
// every chunk a complete token ('...' runs and #nnn). An empty string is one token ''.
std::vector<std::string> SplitFormString(std::string_view value, size_t maxChars);
std::string QuoteFormString(std::string_view value);
// The shortest text that reads back to the same value at the given width, always
// with '.', an exponent, or one of the symbols INF, -INF, NAN.
std::string FormatFormFloat(long double value, int floatWidthBytes);
