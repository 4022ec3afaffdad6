// Agreement with a small reference matcher kept here, on random patterns
// that mix one- and two-byte characters: trail bytes that look like "\",
// "|" and "A", half-width kana, classes over two-byte ranges, negated
// classes, "^" and "$" (anchors or characters by where they stand), LF and
// CR. The reference works on decoded characters and computes, for every
// start, the set of ends each part can reach; it runs the three matchers'
// searches and the gsub loop itself, and shares no code with the engine
// beyond the byte helpers.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "regex/awk_str.h"

namespace lumeko {
namespace {

struct Node {
  enum Kind { Char, Class, Any, Head, Tail, Concat, Alt, Star, Plus, Opt } K;
  uint16_t Code = 0;
  std::vector<std::pair<uint16_t, uint16_t>> Ranges;
  bool Negated = false;
  std::vector<std::unique_ptr<Node>> Kids;
};

const uint16_t kChars[] = {'a', 'b', 'A', '|', '\\', 0x8341 /*ア*/, 0x835C /*ソ*/, 0x837C /*ポ*/, 0xB1 /*ｱ*/};

bool AnyAccepts(uint16_t c) { return c != 0 && c != 10 && c != 13 && c <= 0xFCFC; }

bool Accepts(const Node& n, uint16_t c) {
  switch (n.K) {
    case Node::Char: return c == n.Code;
    case Node::Any: return AnyAccepts(c);
    case Node::Class: {
      bool in = false;
      for (auto [lo, hi] : n.Ranges) in |= lo <= c && c <= hi;
      return n.Negated ? AnyAccepts(c) && !in : in;
    }
    default: return false;
  }
}

// Where the anchors hold. "^" and "$" are anchors only where they stand first
// or last in the whole expression (through groups, alternatives and "?", and
// the first round of "+" for "^"); elsewhere they are characters.
struct Lines {
  const std::vector<uint16_t>& cs;
  bool anchors;      // false: the plain matcher, where no anchor ever holds
  bool headAtStart;  // whether position 0 counts as a line head
  uint16_t sep;      // the character "$" stands before
  bool HeadAt(size_t i) const { return anchors && (i == 0 ? headAtStart : cs[i - 1] == 10); }
  bool TailAt(size_t i) const { return anchors && (i == cs.size() || cs[i] == sep); }
};

// Ends reachable from start i; head and tail say whether n stands where "^"
// and "$" anchor.
std::set<size_t> Ends(const Node& n, const Lines& l, size_t i, bool head, bool tail) {
  const auto& cs = l.cs;
  std::set<size_t> out;
  switch (n.K) {
    case Node::Char:
    case Node::Class:
    case Node::Any:
      if (i < cs.size() && Accepts(n, cs[i])) out.insert(i + 1);
      break;
    case Node::Head:
    case Node::Tail: {
      const bool anchor = n.K == Node::Head ? head : tail;
      if (anchor && (n.K == Node::Head ? l.HeadAt(i) : l.TailAt(i))) out.insert(i);
      if (!anchor && i < cs.size() && cs[i] == (n.K == Node::Head ? '^' : '$')) out.insert(i + 1);
      break;
    }
    case Node::Concat: {
      std::set<size_t> cur{i};
      for (size_t k = 0; k < n.Kids.size(); ++k) {
        std::set<size_t> next;
        for (size_t s : cur)
          for (size_t e : Ends(*n.Kids[k], l, s, head && k == 0, tail && k + 1 == n.Kids.size())) next.insert(e);
        cur.swap(next);
      }
      out = cur;
      break;
    }
    case Node::Alt:
      for (const auto& k : n.Kids)
        for (size_t e : Ends(*k, l, i, head, tail)) out.insert(e);
      break;
    case Node::Opt:
      out = Ends(*n.Kids[0], l, i, head, tail);
      out.insert(i);
      break;
    case Node::Star:
    case Node::Plus: {
      std::set<size_t> frontier = Ends(*n.Kids[0], l, i, n.K == Node::Plus && head, false);
      out = frontier;
      while (!frontier.empty()) {
        std::set<size_t> next;
        for (size_t s : frontier)
          for (size_t e : Ends(*n.Kids[0], l, s, false, false))
            if (out.insert(e).second) next.insert(e);
        frontier.swap(next);
      }
      if (n.K == Node::Star) out.insert(i);
      break;
    }
  }
  return out;
}

// The leftmost start with any end, and its longest end (in characters).
std::optional<std::pair<size_t, size_t>> Find(const Node& root, const Lines& l) {
  for (size_t p = 0; p <= l.cs.size(); ++p) {
    const auto ends = Ends(root, l, p, true, true);
    if (!ends.empty()) return std::make_pair(p, *ends.rbegin());
  }
  return std::nullopt;
}

std::string Text(const std::vector<uint16_t>& cs, size_t from, size_t to) {
  std::string s;
  for (size_t i = from; i < to; ++i) AppendCharCode(s, cs[i]);
  return s;
}

// gsub with the replacement "<&>": after an empty match the next character
// (a CR with the one after it, under CR LF endings) is carried over, and the
// search goes on behind the match, with a line head there only after an LF.
// (A pattern without anchors matches alike whether anchors count or not.)
std::pair<int, std::string> GSub(const Node& root, const std::vector<uint16_t>& subject, uint16_t sep) {
  std::vector<uint16_t> rest = subject;
  auto m = Find(root, {rest, true, true, sep});
  if (!m) return {0, Text(subject, 0, subject.size())};
  std::string out;
  int count = 0;
  while (m) {
    auto [s, e] = *m;
    out += Text(rest, 0, s) + "<" + Text(rest, s, e) + ">";
    if (s == e && s < rest.size()) {
      e += (sep == 13 && rest[s] == 13 && s + 1 < rest.size()) ? 2 : 1;
      out += Text(rest, s, e);
    }
    ++count;
    const bool afterLineFeed = e > 0 && rest[e - 1] == 10;
    rest.erase(rest.begin(), rest.begin() + std::ptrdiff_t(e));
    if (rest.empty()) break;
    m = Find(root, {rest, true, afterLineFeed, sep});
  }
  return {count, out + Text(rest, 0, rest.size())};
}

std::string CodeText(uint16_t c, bool inClass) {
  std::string s;
  const bool meta = c < 0x80 && std::string_view(inClass ? "]\\-^" : "^(|)+*?.[]$\\").find(char(c)) !=
                                    std::string_view::npos;
  if (meta) s += '\\';
  AppendCharCode(s, c);
  return s;
}

class Maker {
 public:
  explicit Maker(uint32_t seed) : Rng_(seed) {}
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(Rng_); }

  std::unique_ptr<Node> Make(int depth, std::string& text) {
    auto alt = std::make_unique<Node>();
    alt->K = Node::Alt;
    const int terms = 1 + (Pick(4) == 0);
    for (int t = 0; t < terms; ++t) {
      if (t) text += "|";
      auto cat = std::make_unique<Node>();
      cat->K = Node::Concat;
      const int factors = 1 + Pick(3);
      for (int f = 0; f < factors; ++f) cat->Kids.push_back(Factor(depth, text));
      alt->Kids.push_back(std::move(cat));
    }
    return alt;
  }

  std::vector<uint16_t> Subject() {
    static const uint16_t kBreaks[] = {10, 13, '^', '$'};
    std::vector<uint16_t> s;
    const int n = Pick(10);
    for (int i = 0; i < n; ++i) s.push_back(Pick(4) == 0 ? kBreaks[Pick(4)] : kChars[Pick(9)]);
    return s;
  }

 private:
  std::unique_ptr<Node> Factor(int depth, std::string& text) {
    std::unique_ptr<Node> p;
    if (depth > 0 && Pick(5) == 0) {
      text += "(";
      p = Make(depth - 1, text);
      text += ")";
    } else {
      p = Primary(text);
    }
    const int op = Pick(7);
    if (op >= 3) return p;
    auto q = std::make_unique<Node>();
    q->K = op == 0 ? Node::Star : op == 1 ? Node::Plus : Node::Opt;
    text += "*+?"[op];
    q->Kids.push_back(std::move(p));
    return q;
  }
  std::unique_ptr<Node> Primary(std::string& text) {
    auto n = std::make_unique<Node>();
    switch (Pick(8)) {
      case 0:
        n->K = Node::Any;
        text += ".";
        break;
      case 3:
        n->K = Pick(2) ? Node::Head : Node::Tail;
        text += n->K == Node::Head ? "^" : "$";
        break;
      case 1:
      case 2: {
        n->K = Node::Class;
        n->Negated = Pick(2) == 0;
        text += n->Negated ? "[^" : "[";
        const int members = 1 + Pick(2);
        for (int m = 0; m < members; ++m) {
          uint16_t lo = kChars[Pick(9)], hi = lo;
          if (Pick(3) == 0) {
            hi = kChars[Pick(9)];
            if (hi < lo) std::swap(lo, hi);
            text += CodeText(lo, true) + "-" + CodeText(hi, true);
          } else {
            text += CodeText(lo, true);
          }
          n->Ranges.emplace_back(lo, hi);
        }
        text += "]";
        break;
      }
      default:
        n->K = Node::Char;
        // Now and then a line break, which only a literal can match.
        n->Code = Pick(8) ? kChars[Pick(9)] : Pick(2) ? 10 : 13;
        text += CodeText(n->Code, false);
        break;
    }
    return n;
  }
  std::mt19937 Rng_;
};

TEST(Reference, MixedWidthPatternsAgreeWithTheReferenceMatcher) {
  Maker maker(77);
  int matched = 0, compared = 0;
  for (int i = 0; i < 2500; ++i) {
    std::string pattern;
    const auto tree = maker.Make(2, pattern);
    TAWKStr m;
    m.LineSeparator = i % 2 ? mcls_LF : mcls_CRLF;
    const uint16_t sep = i % 2 ? 10 : 13;
    ASSERT_NO_THROW(m.SetRegExp(pattern)) << pattern;
    for (int j = 0; j < 6; ++j) {
      const auto codes = maker.Subject();
      std::string subject;
      std::vector<size_t> offset{0};
      for (uint16_t c : codes) {
        AppendCharCode(subject, c);
        offset.push_back(subject.size());
      }
      const std::string where = pattern + " on " + Cp932ToUtf8(subject) + (sep == 13 ? " (CR)" : " (LF)");
      const struct {
        bool (TMatchCORE::*run)(std::string_view, size_t&, size_t&) const;
        Lines lines;
      } matchers[] = {{&TMatchCORE::MatchPlain, {codes, false, false, sep}},
                      {&TMatchCORE::MatchAnchored, {codes, true, true, sep}},
                      {&TMatchCORE::SearchFrom, {codes, true, false, sep}}};
      for (const auto& matcher : matchers) {
        // SearchFrom only ever goes on over a rest that is not empty.
        if (codes.empty() && matcher.run == &TMatchCORE::SearchFrom) continue;
        const auto want = Find(*tree, matcher.lines);
        size_t s = 0, e = 0;
        const bool got = (m.*matcher.run)(subject, s, e);
        ++compared;
        ASSERT_EQ(got, want.has_value()) << where;
        if (!got) continue;
        ++matched;
        ASSERT_EQ(s, offset[want->first]) << where;
        ASSERT_EQ(e, offset[want->second]) << where;
      }
      std::string replaced = subject;
      const int count = m.GSub("<&>", replaced);
      ASSERT_EQ(std::make_pair(count, replaced), GSub(*tree, codes, sep)) << where;
    }
  }
  EXPECT_GT(matched, compared / 4);
}

}  // namespace
}  // namespace lumeko
