// The pattern scanner and the escape rules it shares with replacement texts
// and the preprocessor. Every read goes through ReadPatternChar, which is the
// one place that checks the pattern's bounds.
#include "regex/re_scanner.h"

#include "platform/cp932.h"
#include "regex/re_error.h"

namespace lumeko {

uint16_t ReadPatternChar(std::string_view text, size_t& pos) {
  if (pos < 1 || pos > text.size()) return 0;
  const unsigned char b = static_cast<unsigned char>(text[pos - 1]);
  if (IsLeadByte(b)) {
    if (pos == text.size()) RaiseRegExpError(remsg::kBadDoubleByte, pos);
    const unsigned char t = static_cast<unsigned char>(text[pos]);
    pos += 2;
    return static_cast<uint16_t>(b << 8 | t);
  }
  pos += 1;
  return b;
}

void StepBackChar(std::string_view text, size_t& pos) {
  if (pos < 2) return;
  if (pos > 2 && pos - 1 <= text.size()) {
    // The byte just before pos is text[pos - 2]; count the lead-byte values
    // in front of it. An odd run means it is the trail of a pair.
    size_t run = 0;
    for (size_t i = pos - 2; i > 0 && IsLeadByte(text[i - 1]); --i) ++run;
    if (run % 2 == 1) {
      pos -= 2;
      return;
    }
  }
  pos -= 1;
}

namespace {

int HexDigit(uint16_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsOctalDigit(uint16_t c) { return c >= '0' && c <= '7'; }

uint16_t CheckedCode(uint32_t code, size_t pos) {
  if (code == 0 || code >= kLineHeadCode) RaiseRegExpError(remsg::kReservedCode, pos);
  return static_cast<uint16_t>(code);
}

}  // namespace

uint16_t DecodeEscape(std::string_view text, size_t& pos) {
  const uint16_t c = ReadPatternChar(text, pos);
  switch (c) {
    case 0: RaiseRegExpError(remsg::kBackslashAtEnd, pos);
    case 'b': return 8;
    case 'n': return 10;
    case 'r': return 13;
    case 't': return 9;
    case 'x': {
      uint32_t value = 0;
      int digits = 0;
      bool stoppedOnNonDigit = false;
      while (digits < 4) {
        const uint16_t d = ReadPatternChar(text, pos);
        if (d == 0) break;
        const int v = HexDigit(d);
        if (v < 0) {
          stoppedOnNonDigit = true;
          break;
        }
        value = (value * 16 + v) & 0xFFFF;
        ++digits;
      }
      // Refused where reading stopped, before the non-digit is given back.
      if (digits == 0) RaiseRegExpError(remsg::kBadHex, pos);
      if (stoppedOnNonDigit) StepBackChar(text, pos);
      return CheckedCode(value, pos);
    }
    default:
      break;
  }
  if (IsOctalDigit(c)) {
    StepBackChar(text, pos);
    uint32_t value = 0;
    for (int digits = 0; digits < 6; ++digits) {
      const uint16_t d = ReadPatternChar(text, pos);
      if (d == 0) break;
      if (!IsOctalDigit(d)) {
        StepBackChar(text, pos);
        break;
      }
      value = value * 8 + (d - '0');
      if (value > 0xFFFF) RaiseRegExpError(remsg::kBadOctal, pos);
    }
    return CheckedCode(value, pos);
  }
  return c;
}

std::string EscapeLiteral(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (size_t i = 0; i < text.size();) {
    const size_t n = CharLength(text, i);
    if (n == 1) {
      switch (text[i]) {
        case '^': case '(': case '|': case ')': case '+': case '*':
        case '?': case '.': case '[': case ']': case '$': case '\\':
          out += '\\';
          break;
        default:
          break;
      }
    }
    out.append(text.substr(i, n));
    i += n;
  }
  return out;
}

void AppendCharCode(std::string& out, uint16_t code) {
  if (code > 0xFF) out += static_cast<char>(code >> 8);
  out += static_cast<char>(code & 0xFF);
}

void TREScanner::SetPattern(std::string_view pattern) {
  Pattern_.assign(pattern);
  Position_ = 1;
  Token_ = tkEnd;
  TokenChar_ = 0;
  TokenUpper_ = 0;
  InClass_ = false;
}

TRETokenKind TREScanner::GetToken() {
  if (InClass_) {
    Token_ = ReadClassToken();
    if (Token_ == tkRBra) InClass_ = false;
  } else {
    Token_ = ReadNormalToken();
    if (Token_ == tkLBra || Token_ == tkLBraNeg) InClass_ = true;
  }
  return Token_;
}

TRETokenKind TREScanner::ReadNormalToken() {
  const uint16_t c = ReadChar();
  TokenChar_ = c;
  TokenUpper_ = c;
  switch (c) {
    case 0: return tkEnd;
    case '|': return tkUnion;
    case '(': return tkLPar;
    case ')': return tkRPar;
    case '*': return tkStar;
    case '+': return tkPlus;
    case '?': return tkQMark;
    case ']': return tkRBra;
    case '.': return tkDot;
    case '^': return tkLHead;
    case '$': return tkLTail;
    case '\\':
      TokenChar_ = TokenUpper_ = DecodeEscape(Pattern_, Position_);
      return tkChar;
    case '[': {
      const uint16_t next = ReadChar();
      if (next == 0) RaiseRegExpError(remsg::kNeedRBracket, Position_);
      if (next == '^') return tkLBraNeg;
      StepBack();
      return tkLBra;
    }
    default:
      return tkChar;
  }
}

TRETokenKind TREScanner::ReadClassToken() {
  uint16_t a = ReadChar();
  if (a == 0) RaiseRegExpError(remsg::kNeedRBracket, Position_);
  if (a == ']') {
    TokenChar_ = TokenUpper_ = a;
    return tkRBra;
  }
  if (a == '\\') a = DecodeEscape(Pattern_, Position_);
  TokenChar_ = TokenUpper_ = a;

  const uint16_t b = ReadChar();
  if (b == 0) RaiseRegExpError(remsg::kNeedRBracket, Position_);
  if (b != '-') {
    StepBack();
    return tkChar;
  }
  uint16_t c = ReadChar();
  if (c == 0) RaiseRegExpError(remsg::kNeedRBracket, Position_);
  if (c == ']') {
    // "a-]": the "-" is a member of its own and "]" closes the class.
    StepBack();
    StepBack();
    return tkChar;
  }
  if (c == '\\') c = DecodeEscape(Pattern_, Position_);
  if (c < a) RaiseRegExpError(remsg::kBadRange, Position_);
  TokenUpper_ = c;
  return tkCharRange;
}

}  // namespace lumeko
