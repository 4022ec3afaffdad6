// The AWK functions over the current expression. The one idea for GSub: an
// empty match never repeats at one place; the character after it is copied
// as it is and the search goes on behind it, with a line head allowed only
// right after a line feed. Nothing here changes a subject until the whole
// result is known, so a bad replacement leaves the subject untouched.
#include "regex/awk_str.h"

#include "platform/cp932.h"

namespace lumeko {

namespace {

// Passes one and two of the expansion, which do not depend on the match:
// protect "\&" by doubling its backslash, then decode every escape.
std::string PrepareReplacement(std::string_view replacement) {
  std::string protectedText;
  protectedText.reserve(replacement.size() + 4);
  for (size_t i = 0; i < replacement.size();) {
    if (replacement[i] == '\\') {
      protectedText += '\\';
      ++i;
      if (i >= replacement.size()) break;
      const size_t n = CharLength(replacement, i);
      if (n == 1 && replacement[i] == '&') protectedText += '\\';
      protectedText.append(replacement.substr(i, n));
      i += n;
      continue;
    }
    const size_t n = CharLength(replacement, i);
    protectedText.append(replacement.substr(i, n));
    i += n;
  }

  std::string decoded;
  decoded.reserve(protectedText.size());
  for (size_t i = 0; i < protectedText.size();) {
    if (protectedText[i] == '\\') {
      size_t pos = i + 2;  // 1-based, just after the backslash
      AppendCharCode(decoded, DecodeEscape(protectedText, pos));
      i = pos - 1;
      continue;
    }
    const size_t n = CharLength(protectedText, i);
    decoded.append(protectedText, i, n);
    i += n;
  }
  return decoded;
}

// Pass three: "&" is the matched text, "\&" a literal "&", and any other
// backslash stays, its next character read as usual.
void Substitute(std::string_view prepared, std::string_view matched, std::string& out) {
  for (size_t i = 0; i < prepared.size();) {
    if (prepared[i] == '&') {
      out.append(matched);
      ++i;
    } else if (prepared[i] == '\\' && i + 1 < prepared.size() && prepared[i + 1] == '&') {
      out += '&';
      i += 2;
    } else {
      const size_t n = CharLength(prepared, i);
      out.append(prepared.substr(i, n));
      i += n;
    }
  }
}

}  // namespace

TAWKStr::TAWKStr() { PreProcessor().FuzzyCharDics().push_back(&DefaultFuzzyCharDic()); }

void TAWKStr::SetRegExp(std::string_view value) {
  TMatchCORE::SetRegExp(value);
  Matcher_ = (HasLineHead() || HasLineTail()) ? &TMatchCORE::MatchAnchored : &TMatchCORE::MatchPlain;
}

void TAWKStr::SetUseFuzzyCharDic(bool on) {
  PreProcessor().UseFuzzyCharDic = on;
  SetRegExp(std::string(RegExp()));
}

void TAWKStr::SetUseSynonymDic(bool on) {
  PreProcessor().UseSynonymDic = on;
  SetRegExp(std::string(RegExp()));
}

std::string TAWKStr::ExpandReplacement(std::string_view replacement, std::string_view matched) {
  std::string out;
  Substitute(PrepareReplacement(replacement), matched, out);
  return out;
}

int TAWKStr::Match(std::string_view subject, int& start, int& length) const {
  size_t s = 0, e = 0;
  if (!Find(subject, s, e)) {
    start = length = 0;
    return 0;
  }
  start = static_cast<int>(s + 1);
  length = static_cast<int>(e - s);
  return start;
}

int TAWKStr::Sub(std::string_view replacement, std::string& subject) const {
  size_t s = 0, e = 0;
  if (!Find(subject, s, e)) return 0;
  // Expanded before the subject is touched: a bad replacement must not cost
  // the caller the matched text.
  std::string expansion;
  Substitute(PrepareReplacement(replacement), std::string_view(subject).substr(s, e - s), expansion);
  subject.replace(s, e - s, expansion);
  return 1;
}

int TAWKStr::GSub(std::string_view replacement, std::string& subject) const {
  std::string_view rest = subject;
  size_t s = 0, e = 0;
  if (!Find(rest, s, e)) return 0;
  const std::string prepared = PrepareReplacement(replacement);
  if (subject.empty()) {
    std::string out;
    Substitute(prepared, {}, out);
    subject = std::move(out);
    return 1;
  }

  std::string out;
  out.reserve(subject.size() + subject.size() / 2);
  const bool crlf = LineSeparator == mcls_CRLF;
  int count = 0;
  bool found = true;
  while (found) {
    out.append(rest.substr(0, s));
    Substitute(prepared, rest.substr(s, e - s), out);
    if (s == e && s < rest.size()) {
      // Carry the character after an empty match over unchanged; under CR LF
      // endings a CR takes the character after it along (its LF, so "$" does
      // not match between them), a two-byte one whole so it is never split.
      size_t take = CharLength(rest, s);
      if (crlf && rest[s] == '\r' && s + 1 < rest.size()) take += CharLength(rest, s + 1);
      out.append(rest.substr(s, take));
      e += take;
    }
    ++count;
    const bool afterLineFeed = e > 0 && rest[e - 1] == '\n';
    rest = rest.substr(e);
    if (rest.empty()) break;
    found = afterLineFeed ? Find(rest, s, e) : SearchFrom(rest, s, e);
  }
  out.append(rest);
  subject = std::move(out);
  return count;
}

}  // namespace lumeko
