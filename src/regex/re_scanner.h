// The pattern scanner: CP932 pattern text in, tokens out.
//
// A character is a 16-bit code (a byte b gives b, a lead byte L and its trail
// T give L*256+T); code 0 means the end of the pattern. The scanner has two
// modes, normal and inside a "[...]" class, and switches between them itself.
// Positions are 1-based byte indices of the next unread byte, as reported in
// ERegExpParser::ErrorPos. The scanner never reads outside the pattern: a lone
// lead byte at the end is a syntax error, not a read past the end.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lumeko {

enum TRETokenKind : uint8_t {
  tkChar,       // an ordinary character or an escape
  tkCharRange,  // "a-z" inside a class
  tkUnion,      // |
  tkLPar,       // (
  tkRPar,       // )
  tkStar,       // *
  tkPlus,       // +
  tkQMark,      // ?
  tkLBra,       // [
  tkLBraNeg,    // [^
  tkRBra,       // ]
  tkDot,        // .
  tkLHead,      // ^
  tkLTail,      // $
  tkEnd,        // end of the pattern
};

// Codes the automaton keeps for itself; no character or escape may produce them.
inline constexpr uint16_t kLineHeadCode = 0xFFFD;
inline constexpr uint16_t kLineTailCode = 0xFFFE;
inline constexpr uint16_t kEmptyLabel = 0xFFFF;
// The highest code that "." covers.
inline constexpr uint16_t kMaxCharCode = 0xFCFC;

// Reads the character at the 1-based position pos and moves past it; at the
// end gives 0 and stays. A lead byte that is the last byte raises the
// double-byte error at its own position. A NUL byte reads as code 0, so it
// ends the pattern like the end of the text does.
uint16_t ReadPatternChar(std::string_view text, size_t& pos);

// Moves pos back over the character just read (one or two bytes). A byte
// counts as a trail byte when the run of lead-byte values before it is odd.
void StepBackChar(std::string_view text, size_t& pos);

// Decodes the escape whose backslash has just been read (pos points just
// after it): \b \n \r \t, \x and 1-4 hex digits, 1-6 octal digits (at most
// 0xFFFF), or the next character itself. Moves pos past the escape.
// An escape that gives 0 or 0xFFFD-0xFFFF raises an error: those codes mean
// the end of text and the automaton's marks, so they cannot be characters.
uint16_t DecodeEscape(std::string_view text, size_t& pos);

// The text with a backslash before each of ^ ( | ) + * ? . [ ] $ and the
// backslash, so that it reads as itself in a pattern. Trail bytes of
// two-byte characters are never escaped.
std::string EscapeLiteral(std::string_view text);

// Appends the bytes of a character code: one byte below 0x100, else two.
void AppendCharCode(std::string& out, uint16_t code);

class TREScanner {
 public:
  TREScanner() = default;
  explicit TREScanner(std::string_view pattern) { SetPattern(pattern); }
  virtual ~TREScanner() = default;

  // Starts over on a new pattern: position 1, normal mode.
  void SetPattern(std::string_view pattern);
  // Reads the next token in the current mode, then updates the mode.
  TRETokenKind GetToken();

  const std::string& Pattern() const { return Pattern_; }
  size_t Position() const { return Position_; }
  TRETokenKind Token() const { return Token_; }
  uint16_t TokenChar() const { return TokenChar_; }
  uint16_t TokenUpper() const { return TokenUpper_; }
  bool InClass() const { return InClass_; }

 protected:
  virtual TRETokenKind ReadNormalToken();
  virtual TRETokenKind ReadClassToken();

  uint16_t ReadChar() { return ReadPatternChar(Pattern_, Position_); }
  void StepBack() { StepBackChar(Pattern_, Position_); }

  std::string Pattern_;
  size_t Position_ = 1;
  TRETokenKind Token_ = tkEnd;
  uint16_t TokenChar_ = 0;
  uint16_t TokenUpper_ = 0;
  bool InClass_ = false;
};

}  // namespace lumeko
