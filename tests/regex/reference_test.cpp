// Agreement with a small reference matcher kept here, on random patterns
// that mix one- and two-byte characters: trail bytes that look like "\",
// "|" and "A", half-width kana, classes over two-byte ranges, negated
// classes and LF. The reference works on decoded characters and computes,
// for every start, the set of ends each part can reach; it shares no code
// with the engine beyond the byte helpers.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "regex/match_core.h"

namespace lumeko {
namespace {

struct Node {
  enum Kind { Char, Class, Any, Concat, Alt, Star, Plus, Opt } K;
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

// Ends reachable from start i over the characters cs.
std::set<size_t> Ends(const Node& n, const std::vector<uint16_t>& cs, size_t i) {
  std::set<size_t> out;
  switch (n.K) {
    case Node::Char:
    case Node::Class:
    case Node::Any:
      if (i < cs.size() && Accepts(n, cs[i])) out.insert(i + 1);
      break;
    case Node::Concat: {
      std::set<size_t> cur{i};
      for (const auto& k : n.Kids) {
        std::set<size_t> next;
        for (size_t s : cur)
          for (size_t e : Ends(*k, cs, s)) next.insert(e);
        cur.swap(next);
      }
      out = cur;
      break;
    }
    case Node::Alt:
      for (const auto& k : n.Kids)
        for (size_t e : Ends(*k, cs, i)) out.insert(e);
      break;
    case Node::Opt:
      out = Ends(*n.Kids[0], cs, i);
      out.insert(i);
      break;
    case Node::Star:
    case Node::Plus: {
      std::set<size_t> frontier = Ends(*n.Kids[0], cs, i);
      out = frontier;
      while (!frontier.empty()) {
        std::set<size_t> next;
        for (size_t s : frontier)
          for (size_t e : Ends(*n.Kids[0], cs, s))
            if (out.insert(e).second) next.insert(e);
        frontier.swap(next);
      }
      if (n.K == Node::Star) out.insert(i);
      break;
    }
  }
  return out;
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
    std::vector<uint16_t> s;
    const int n = Pick(10);
    for (int i = 0; i < n; ++i) s.push_back(Pick(12) == 0 ? uint16_t(10) : kChars[Pick(9)]);
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
    switch (Pick(6)) {
      case 0:
        n->K = Node::Any;
        text += ".";
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
        n->Code = kChars[Pick(9)];
        text += CodeText(n->Code, false);
        break;
    }
    return n;
  }
  std::mt19937 Rng_;
};

TEST(Reference, MixedWidthPatternsAgreeWithTheReferenceMatcher) {
  Maker maker(77);
  TMatchCORE m;
  int matched = 0, compared = 0;
  for (int i = 0; i < 2500; ++i) {
    std::string pattern;
    const auto tree = maker.Make(2, pattern);
    ASSERT_NO_THROW(m.SetRegExp(pattern)) << pattern;
    for (int j = 0; j < 6; ++j) {
      const auto codes = maker.Subject();
      std::string subject;
      std::vector<size_t> offset{0};
      for (uint16_t c : codes) {
        AppendCharCode(subject, c);
        offset.push_back(subject.size());
      }
      size_t wantStart = 0, wantEnd = 0;
      bool want = false;
      for (size_t p = 0; p < std::max<size_t>(codes.size(), 1) && !want; ++p) {
        const auto ends = Ends(*tree, codes, p);
        if (!ends.empty()) {
          want = true;
          wantStart = offset[p];
          wantEnd = offset[*ends.rbegin()];
        }
      }
      size_t s = 0, e = 0;
      const bool got = m.MatchPlain(subject, s, e);
      ++compared;
      ASSERT_EQ(got, want) << pattern << " on " << Cp932ToUtf8(subject);
      if (!got) continue;
      ++matched;
      ASSERT_EQ(s, wantStart) << pattern << " on " << Cp932ToUtf8(subject);
      ASSERT_EQ(e, wantEnd) << pattern << " on " << Cp932ToUtf8(subject);
    }
  }
  EXPECT_GT(matched, compared / 4);
}

}  // namespace
}  // namespace lumeko
