#include "platform/vcl/stdctrlstext.h"

#include <algorithm>

#include "platform/rtl/text.h"

size_t CpByteOffset(std::string_view line, int32_t col) {
  size_t pos = 0;
  for (int32_t i = 0; i < col && pos < line.size(); ++i) Utf8NextCodePoint(line, pos);
  return pos;
}

namespace {

// Line breaks of a multi-line text: CR LF, CR or LF.
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> out;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      out.emplace_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  out.emplace_back(text.substr(start));
  return out;
}

bool IsWordChar(char32_t c) {
  return c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c > 0x7F;
}

}  // namespace

int32_t TTextBuffer::LineLength(int32_t i) const { return CpLength(lines_[size_t(i)]); }

std::string TTextBuffer::Text() const {
  std::string out;
  size_t total = 0;
  for (const std::string& l : lines_) total += l.size() + 2;
  out.reserve(total);
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (i) out += "\r\n";
    out += lines_[i];
  }
  return out;
}

void TTextBuffer::SetText(std::string_view text) {
  if (multiLine_)
    lines_ = SplitLines(text);
  else
    lines_.assign(1, std::string(text));
}

int32_t TTextBuffer::TextLength() const {
  int32_t n = 0;
  for (const std::string& l : lines_) n += CpLength(l) + 2;
  return n - 2;
}

TTextPos TTextBuffer::Clamp(TTextPos p) const {
  p.Line = std::clamp(p.Line, 0, LineCount() - 1);
  p.Col = std::clamp(p.Col, 0, LineLength(p.Line));
  return p;
}

int32_t TTextBuffer::IndexOf(TTextPos p) const {
  p = Clamp(p);
  int32_t n = 0;
  for (int32_t i = 0; i < p.Line; ++i) n += LineLength(i) + 2;
  return n + p.Col;
}

TTextPos TTextBuffer::PosOf(int32_t index) const {
  if (index < 0) index = 0;
  for (int32_t i = 0; i < LineCount(); ++i) {
    const int32_t len = LineLength(i);
    if (index <= len) return {i, index};
    // An index inside a line break lands at the end of that line.
    if (index < len + 2) return {i, len};
    index -= len + 2;
  }
  const int32_t last = LineCount() - 1;
  return {last, LineLength(last)};
}

std::string TTextBuffer::Range(TTextPos a, TTextPos b) const {
  a = Clamp(a);
  b = Clamp(b);
  if (b < a) std::swap(a, b);
  if (a.Line == b.Line) {
    const std::string& l = lines_[size_t(a.Line)];
    const size_t from = CpByteOffset(l, a.Col);
    return l.substr(from, CpByteOffset(l, b.Col) - from);
  }
  std::string out = lines_[size_t(a.Line)].substr(CpByteOffset(lines_[size_t(a.Line)], a.Col));
  for (int32_t i = a.Line + 1; i < b.Line; ++i) out += "\r\n" + lines_[size_t(i)];
  out += "\r\n" + lines_[size_t(b.Line)].substr(0, CpByteOffset(lines_[size_t(b.Line)], b.Col));
  return out;
}

TTextPos TTextBuffer::Insert(TTextPos at, std::string_view text) {
  at = Clamp(at);
  std::string& line = lines_[size_t(at.Line)];
  const size_t split = CpByteOffset(line, at.Col);
  if (!multiLine_) {
    line.insert(split, text);
    return {at.Line, at.Col + CpLength(text)};
  }
  std::vector<std::string> parts = SplitLines(text);
  if (parts.size() == 1) {
    line.insert(split, parts[0]);
    return {at.Line, at.Col + CpLength(parts[0])};
  }
  std::string tail = line.substr(split);
  line.erase(split);
  line += parts.front();
  const int32_t lastCol = CpLength(parts.back());
  parts.back() += tail;
  lines_.insert(lines_.begin() + at.Line + 1, std::make_move_iterator(parts.begin() + 1),
                std::make_move_iterator(parts.end()));
  return {at.Line + int32_t(parts.size()) - 1, lastCol};
}

void TTextBuffer::Delete(TTextPos a, TTextPos b) {
  a = Clamp(a);
  b = Clamp(b);
  if (b < a) std::swap(a, b);
  std::string& first = lines_[size_t(a.Line)];
  const size_t from = CpByteOffset(first, a.Col);
  if (a.Line == b.Line) {
    first.erase(from, CpByteOffset(first, b.Col) - from);
    return;
  }
  const std::string& last = lines_[size_t(b.Line)];
  std::string tail = last.substr(CpByteOffset(last, b.Col));
  first.erase(from);
  first += tail;
  lines_.erase(lines_.begin() + a.Line + 1, lines_.begin() + b.Line + 1);
}

// ---------------------------------------------------------------- editor

void TTextEditor::SetText(std::string_view text) {
  buffer_.SetText(text);
  caret_ = anchor_ = {};
}

void TTextEditor::SetSelection(int32_t start, int32_t length) {
  anchor_ = buffer_.PosOf(start);
  caret_ = buffer_.PosOf(std::max(0, start + length));
}

void TTextEditor::SetCaret(TTextPos p, bool extend) {
  caret_ = buffer_.Clamp(p);
  if (!extend) anchor_ = caret_;
}

void TTextEditor::SelectAll() {
  anchor_ = {};
  const int32_t last = buffer_.LineCount() - 1;
  caret_ = {last, buffer_.LineLength(last)};
}

void TTextEditor::SelectWordAt(TTextPos p) {
  p = buffer_.Clamp(p);
  const std::u32string s = Utf8ToUtf32(buffer_.Line(p.Line));
  const int32_t len = int32_t(s.size());
  if (len == 0) {
    SetCaret(p, false);
    return;
  }
  // The character after the caret decides the kind of run; at the end of a
  // word (or of the line) the one before it does.
  int32_t at = std::min(p.Col, len - 1);
  if (p.Col > 0 && (p.Col == len || (!IsWordChar(s[size_t(p.Col)]) && IsWordChar(s[size_t(p.Col - 1)]))))
    at = p.Col - 1;
  const bool word = IsWordChar(s[size_t(at)]);
  int32_t a = at, b = at;
  while (a > 0 && IsWordChar(s[size_t(a - 1)]) == word) --a;
  while (b < len && IsWordChar(s[size_t(b)]) == word) ++b;
  anchor_ = {p.Line, a};
  caret_ = {p.Line, b};
}

TTextPos TTextEditor::CharLeft(TTextPos p) const {
  if (p.Col > 0) return {p.Line, p.Col - 1};
  if (p.Line > 0) return {p.Line - 1, buffer_.LineLength(p.Line - 1)};
  return p;
}

TTextPos TTextEditor::CharRight(TTextPos p) const {
  if (p.Col < buffer_.LineLength(p.Line)) return {p.Line, p.Col + 1};
  if (p.Line + 1 < buffer_.LineCount()) return {p.Line + 1, 0};
  return p;
}

TTextPos TTextEditor::WordLeft(TTextPos p) const {
  if (p.Col == 0) return CharLeft(p);
  const std::u32string s = Utf8ToUtf32(buffer_.Line(p.Line));
  int32_t c = p.Col;
  while (c > 0 && !IsWordChar(s[size_t(c - 1)])) --c;
  while (c > 0 && IsWordChar(s[size_t(c - 1)])) --c;
  return {p.Line, c};
}

TTextPos TTextEditor::WordRight(TTextPos p) const {
  const int32_t len = buffer_.LineLength(p.Line);
  if (p.Col >= len) return CharRight(p);
  const std::u32string s = Utf8ToUtf32(buffer_.Line(p.Line));
  int32_t c = p.Col;
  while (c < len && IsWordChar(s[size_t(c)])) ++c;
  while (c < len && !IsWordChar(s[size_t(c)])) ++c;
  return {p.Line, c};
}

void TTextEditor::Move(TCaretMove how, bool extend) {
  TTextPos p = caret_;
  switch (how) {
    case cmCharLeft:
      // Without extend a selection collapses to its start.
      p = (!extend && HasSelection()) ? SelBegin() : CharLeft(p);
      break;
    case cmCharRight: p = (!extend && HasSelection()) ? SelEnd() : CharRight(p); break;
    case cmWordLeft: p = WordLeft(p); break;
    case cmWordRight: p = WordRight(p); break;
    case cmLineStart: p.Col = 0; break;
    case cmLineEnd: p.Col = buffer_.LineLength(p.Line); break;
    case cmTextStart: p = {}; break;
    case cmTextEnd: p = {buffer_.LineCount() - 1, buffer_.LineLength(buffer_.LineCount() - 1)}; break;
  }
  SetCaret(p, extend);
}

bool TTextEditor::ReplaceSelection(std::string_view text) {
  std::string insert(text);
  if (!buffer_.MultiLine()) {
    const size_t br = insert.find_first_of("\r\n");
    if (br != std::string::npos) insert.erase(br);
  }
  if (maxLength_ > 0) {
    const int32_t room = maxLength_ - (buffer_.TextLength() - SelLength());
    if (room <= 0) {
      insert.clear();
    } else if (CpLength(insert) > room) {
      insert = std::string(insert.substr(0, CpByteOffset(insert, room)));
      // Never leave half of a CR LF pair behind.
      if (!insert.empty() && insert.back() == '\r') insert.pop_back();
    }
  }
  if (insert.empty() && !HasSelection()) return false;
  const TTextPos from = SelBegin();
  buffer_.Delete(from, SelEnd());
  caret_ = anchor_ = buffer_.Insert(from, insert);
  return true;
}

bool TTextEditor::Backspace(bool word) {
  if (!HasSelection()) {
    const TTextPos to = word ? WordLeft(caret_) : CharLeft(caret_);
    if (to == caret_) return false;
    anchor_ = to;
  }
  return ReplaceSelection({});
}

bool TTextEditor::DeleteForward(bool word) {
  if (!HasSelection()) {
    const TTextPos to = word ? WordRight(caret_) : CharRight(caret_);
    if (to == caret_) return false;
    anchor_ = to;
  }
  return ReplaceSelection({});
}
