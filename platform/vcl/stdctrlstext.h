// The text model behind the edit controls (TEdit, TMemo, the edit part of
// TComboBox): lines of UTF-8 text, a caret and a selection anchor, and the
// editing operations that keys and the clipboard turn into. It knows nothing
// of fonts or windows, so every editing rule can be checked on its own.
//
// Vocabulary:
//   position   a line and a column, both counted in code points.
//   index      a character offset into the whole text as the framework counts
//              it: code points, with each line break counting as two ("\r\n").
//   selection  the characters between the anchor and the caret (either may
//              come first); empty when they meet.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TTextPos {
  int32_t Line = 0;
  int32_t Col = 0;
  friend constexpr bool operator==(const TTextPos&, const TTextPos&) = default;
  friend constexpr bool operator<(const TTextPos& a, const TTextPos& b) {
    return a.Line < b.Line || (a.Line == b.Line && a.Col < b.Col);
  }
};

// Byte offset of code point col in a UTF-8 line (the line's size past its end).
size_t CpByteOffset(std::string_view line, int32_t col);

// A multi-line buffer always has at least one (possibly empty) line. A
// single-line buffer keeps every character of its text on line 0, line breaks
// included, so that Text reads back what was set.
class TTextBuffer {
public:
  explicit TTextBuffer(bool multiLine) : multiLine_(multiLine) {}

  bool MultiLine() const { return multiLine_; }
  int32_t LineCount() const { return int32_t(lines_.size()); }
  const std::string& Line(int32_t i) const { return lines_[size_t(i)]; }
  int32_t LineLength(int32_t i) const;  // code points

  // The lines joined by "\r\n".
  std::string Text() const;
  // Splits at CR LF, CR or LF (multi-line); a final break adds an empty last line.
  void SetText(std::string_view text);
  int32_t TextLength() const;  // in index units

  // The lines themselves, for the string-list view of a memo. Callers keep
  // at least one line.
  std::vector<std::string>& Lines() { return lines_; }
  const std::vector<std::string>& Lines() const { return lines_; }

  TTextPos Clamp(TTextPos p) const;
  int32_t IndexOf(TTextPos p) const;
  TTextPos PosOf(int32_t index) const;  // clamped into the text
  std::string Range(TTextPos a, TTextPos b) const;  // a before b

  // Inserts text (split at line breaks when multi-line) and returns the
  // position right after it.
  TTextPos Insert(TTextPos at, std::string_view text);
  void Delete(TTextPos a, TTextPos b);  // a before b

private:
  bool multiLine_;
  std::vector<std::string> lines_{std::string()};
};

enum TCaretMove : uint8_t {
  cmCharLeft, cmCharRight, cmWordLeft, cmWordRight, cmLineStart, cmLineEnd, cmTextStart, cmTextEnd
};

class TTextEditor {
public:
  explicit TTextEditor(bool multiLine) : buffer_(multiLine) {}

  TTextBuffer& Buffer() { return buffer_; }
  const TTextBuffer& Buffer() const { return buffer_; }

  std::string Text() const { return buffer_.Text(); }
  // Replaces the text; the caret goes to the start and the selection is dropped.
  void SetText(std::string_view text);

  TTextPos Caret() const { return caret_; }
  TTextPos Anchor() const { return anchor_; }
  bool HasSelection() const { return !(caret_ == anchor_); }
  TTextPos SelBegin() const { return anchor_ < caret_ ? anchor_ : caret_; }
  TTextPos SelEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
  int32_t SelStart() const { return buffer_.IndexOf(SelBegin()); }
  int32_t SelLength() const { return buffer_.IndexOf(SelEnd()) - SelStart(); }
  std::string SelText() const { return buffer_.Range(SelBegin(), SelEnd()); }

  // Places the anchor at start and the caret length characters further
  // (a negative length selects backwards), both clamped into the text.
  void SetSelection(int32_t start, int32_t length);
  // Moves the caret; without extend the anchor follows it.
  void SetCaret(TTextPos p, bool extend);
  void SelectAll();
  // Selects the word (or the run of other characters) at a position.
  void SelectWordAt(TTextPos p);
  void Move(TCaretMove how, bool extend);

  // Characters allowed in the whole text; 0 means no limit.
  int32_t MaxLength() const { return maxLength_; }
  void SetMaxLength(int32_t n) { maxLength_ = n < 0 ? 0 : n; }

  // Replaces the selection with text (typing, pasting). A single-line editor
  // takes text only up to its first line break; the limit cuts what does not
  // fit. True when the text changed.
  bool ReplaceSelection(std::string_view text);
  // Deletes the selection, or else the character (word) before or after the caret.
  bool Backspace(bool word = false);
  bool DeleteForward(bool word = false);

private:
  TTextPos WordLeft(TTextPos p) const;
  TTextPos WordRight(TTextPos p) const;
  TTextPos CharLeft(TTextPos p) const;
  TTextPos CharRight(TTextPos p) const;

  TTextBuffer buffer_;
  TTextPos caret_;
  TTextPos anchor_;
  int32_t maxLength_ = 0;
};
