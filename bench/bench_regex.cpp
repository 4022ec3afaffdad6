// Pattern engine speed: compiling and matching over 100 000 generated file
// names, beside two other leftmost-longest engines on the same patterns and
// subjects (RE2 with longest match in Latin-1, and the C library's POSIX
// matcher in the byte locale). Patterns: (a) the name separators rewritten
// with the fuzzy dictionary, (b) a 20-character Japanese title rewritten the
// same way, (c) a plain ASCII word. Then, for the construction bounds: how
// much of them the long fuzzy-rewritten titles of the lyrics search use, and
// how soon a pattern past them (25 nested groups of "+") is refused.
#include <benchmark/benchmark.h>
#include <re2/re2.h>
#include <regex.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "regex/match_core.h"
#include "regex/re_error.h"
#include "regex/re_nfa.h"
#include "regex/re_parser.h"
#include "regex/re_preprocessor.h"
#include "regex/re_scanner.h"

namespace {

using lumeko::Utf8ToCp932;

std::string Group(std::initializer_list<const char*> members) {
  std::string out = "(";
  bool first = true;
  for (const char* m : members) {
    if (!first) out += "|";
    out += lumeko::EscapeLiteral(Utf8ToCp932(m));
    first = false;
  }
  return out + ")";
}

std::string SeparatorsPattern() {
  return Group({"　", " "}) + "|" + Group({"_", "＿"}) + "|" + Group({"-", "ー", "－", "～", "ｰ"}) + "|" +
         Group({"!", "！"}) + "|" + Group({"+", "＋"}) + "|" + Group({"$", "＄"}) + "|" +
         Group({"｡", ".", "。", "．"}) + "|" + Group({"(", "（"}) + "|" + Group({")", "）"}) + "|" +
         Group({"[", "［", "〔"}) + "|" + Group({"]", "］", "〕"}) + "|" + Group({",", "､", "、", "，"}) +
         "|" + Group({"･", "・"});
}

// きみのこえがきこえるまでうたいつづけたい, each character by its group.
std::string TitlePattern() {
  const auto ki = Group({"き", "キ", "ｷ"}), mi = Group({"み", "ミ", "ﾐ"}), no = Group({"の", "ノ", "ﾉ"}),
             ko = Group({"こ", "コ", "ｺ"}), e = Group({"え", "エ", "ｴ", "ぇ", "ェ", "ｪ"}),
             ga = Group({"が", "ガ", "ｶﾞ", "か゛", "カ゛"}), ru = Group({"る", "ル", "ﾙ"}),
             ma = Group({"ま", "マ", "ﾏ"}), de = Group({"で", "デ", "ﾃﾞ", "て゛", "テ゛"}),
             u = Group({"う", "ウ", "ｳ", "ぅ", "ゥ", "ｩ"}), ta = Group({"た", "タ", "ﾀ"}),
             i = Group({"い", "イ", "ｲ", "ぃ", "ィ", "ｨ"}), tsu = Group({"つ", "ツ", "ﾂ", "っ", "ッ", "ｯ"}),
             zu = Group({"ず", "ズ", "ｽﾞ", "ス゛", "ス゛", "づ", "ヅ", "ﾂﾞ", "つ゛", "ツ゛"}),
             ke = Group({"け", "ケ", "ｹ"});
  return ki + mi + no + ko + e + ga + ki + ko + e + ru + ma + de + u + ta + i + tsu + zu + ke + ta + i;
}

std::string WordPattern() { return "love"; }

const std::vector<std::string>& Names() {
  static const std::vector<std::string> names = [] {
    std::mt19937 rng(4321);
    auto pick = [&](size_t n) { return size_t(std::uniform_int_distribution<size_t>(0, n - 1)(rng)); };
    const std::vector<std::string> words = {
        "love", "song", "night", "blue", "sky", "Hello", "World", "dream", "star", "rain", "01", "02", "13",
        Utf8ToCp932("ほしぞら"), Utf8ToCp932("ハロー"), Utf8ToCp932("ﾜｰﾙﾄﾞ"), Utf8ToCp932("夜明け"),
        Utf8ToCp932("きみのこえ"), Utf8ToCp932("ウタ"), Utf8ToCp932("さくら"), Utf8ToCp932("東京"),
        Utf8ToCp932("きみのこえがきこえるまでうたいつづけたい"), Utf8ToCp932("キミノコエガキコエルマデウタイツヅケタイ"),
        Utf8ToCp932("ｷﾐﾉｺｴｶﾞｷｺｴﾙﾏﾃﾞｳﾀｲﾂﾂﾞｹﾀｲ")};
    const std::vector<std::string> seps = {" ", "_", "-", Utf8ToCp932("・"), Utf8ToCp932("　"), ""};
    const std::vector<std::string> exts = {".kra", ".lrc", ".txt", ".mp3", ".wma"};
    std::vector<std::string> out;
    out.reserve(100000);
    for (int i = 0; i < 100000; ++i) {
      std::string n;
      if (pick(4) == 0) n += "(" + words[pick(words.size())] + ")";
      const size_t count = 1 + pick(4);
      for (size_t w = 0; w < count; ++w) {
        if (w) n += seps[pick(seps.size())];
        // The long titles are rare, as in a real folder.
        size_t k = pick(words.size());
        if (k >= words.size() - 3 && pick(20) != 0) k = pick(words.size() - 3);
        n += words[k];
      }
      n += exts[pick(exts.size())];
      out.push_back(std::move(n));
    }
    return out;
  }();
  return names;
}

size_t TotalBytes() {
  size_t t = 0;
  for (const auto& n : Names()) t += n.size();
  return t;
}

// The same pattern for engines that read bytes: each byte of a two-byte
// character is written so that a trail byte such as "^", "|" or "{" stays a
// literal byte.
std::string ForByteEngine(const std::string& p, bool posix) {
  std::string out;
  char hex[8];
  for (size_t i = 0; i < p.size();) {
    const size_t n = lumeko::CharLength(p, i);
    if (n == 2 || static_cast<unsigned char>(p[i]) >= 0x80) {
      for (size_t k = 0; k < n; ++k) {
        const unsigned char b = static_cast<unsigned char>(p[i + k]);
        if (!posix) {
          std::snprintf(hex, sizeof hex, "\\x%02x", b);
          out += hex;
        } else if (b >= 0x80 || std::isalnum(b)) {
          out += char(b);
        } else if (b == ']') {
          out += "[]]";
        } else if (b == '^') {
          out += "\\^";
        } else {
          out += '[';
          out += char(b);
          out += ']';
        }
      }
    } else {
      out.append(p, i, n);
      if (p[i] == '\\' && i + 1 < p.size()) {
        out += p[i + 1];
        i += 1;
      }
    }
    i += n;
  }
  return out;
}

std::string PatternFor(int which) {
  switch (which) {
    case 0: return SeparatorsPattern();
    case 1: return TitlePattern();
    default: return WordPattern();
  }
}
const char* kLabels[] = {"separators", "title", "word"};

void BM_Compile_Lumeko(benchmark::State& state) {
  const std::string p = PatternFor(int(state.range(0)));
  for (auto _ : state) {
    lumeko::TMatchCORE m;
    m.SetRegExp(p);
    benchmark::DoNotOptimize(m.Current().StateCount());
  }
  state.SetLabel(kLabels[state.range(0)]);
}

void BM_Compile_RE2(benchmark::State& state) {
  const std::string p = ForByteEngine(PatternFor(int(state.range(0))), false);
  RE2::Options o;
  o.set_longest_match(true);
  o.set_encoding(RE2::Options::EncodingLatin1);
  o.set_log_errors(false);
  for (auto _ : state) {
    RE2 re(p, o);
    if (!re.ok()) state.SkipWithError("RE2 rejects the pattern");
    benchmark::DoNotOptimize(re.ProgramSize());
  }
  state.SetLabel(kLabels[state.range(0)]);
}

void BM_Compile_Posix(benchmark::State& state) {
  const std::string p = ForByteEngine(PatternFor(int(state.range(0))), true);
  for (auto _ : state) {
    regex_t re;
    if (regcomp(&re, p.c_str(), REG_EXTENDED) != 0) state.SkipWithError("regcomp rejects the pattern");
    regfree(&re);
  }
  state.SetLabel(kLabels[state.range(0)]);
}

void BM_Match_Lumeko(benchmark::State& state) {
  lumeko::TMatchCORE m;
  m.SetRegExp(PatternFor(int(state.range(0))));
  const auto& names = Names();
  size_t hits = 0;
  for (auto _ : state) {
    hits = 0;
    for (const auto& n : names) {
      size_t s, e;
      hits += m.MatchPlain(n, s, e);
    }
    benchmark::DoNotOptimize(hits);
  }
  state.counters["hits"] = double(hits);
  state.SetBytesProcessed(int64_t(state.iterations() * TotalBytes()));
  state.SetItemsProcessed(int64_t(state.iterations() * names.size()));
  state.SetLabel(kLabels[state.range(0)]);
}

void BM_Match_RE2(benchmark::State& state) {
  RE2::Options o;
  o.set_longest_match(true);
  o.set_encoding(RE2::Options::EncodingLatin1);
  o.set_log_errors(false);
  RE2 re(ForByteEngine(PatternFor(int(state.range(0))), false), o);
  const auto& names = Names();
  size_t hits = 0;
  for (auto _ : state) {
    hits = 0;
    for (const auto& n : names) {
      re2::StringPiece m;
      hits += re.Match(n, 0, n.size(), RE2::UNANCHORED, &m, 1);
    }
    benchmark::DoNotOptimize(hits);
  }
  state.counters["hits"] = double(hits);
  state.SetBytesProcessed(int64_t(state.iterations() * TotalBytes()));
  state.SetItemsProcessed(int64_t(state.iterations() * names.size()));
  state.SetLabel(kLabels[state.range(0)]);
}

void BM_Match_Posix(benchmark::State& state) {
  regex_t re;
  if (regcomp(&re, ForByteEngine(PatternFor(int(state.range(0))), true).c_str(), REG_EXTENDED) != 0) {
    state.SkipWithError("regcomp rejects the pattern");
    return;
  }
  const auto& names = Names();
  size_t hits = 0;
  for (auto _ : state) {
    hits = 0;
    for (const auto& n : names) {
      regmatch_t pm[1];
      hits += regexec(&re, n.c_str(), 1, pm, 0) == 0;
    }
    benchmark::DoNotOptimize(hits);
  }
  regfree(&re);
  state.counters["hits"] = double(hits);
  state.SetBytesProcessed(int64_t(state.iterations() * TotalBytes()));
  state.SetItemsProcessed(int64_t(state.iterations() * names.size()));
  state.SetLabel(kLabels[state.range(0)]);
}

// A title of about 250 characters (kana, kanji, Latin letters, separators),
// rewritten with the fuzzy dictionary; with words joined by ".*" as the
// lyrics search's any-text comparison writes it when asked to.
std::string LongTitlePattern(bool anyText) {
  const std::string words[] = {Utf8ToCp932("きみのこえがきこえるまで"), Utf8ToCp932("ヴァイオリン・ソナタ第２番"),
                               "Live at Budokan", Utf8ToCp932("ｱｺｰｽﾃｨｯｸ版"), Utf8ToCp932("（夜明けのメトロノーム）")};
  std::string title;
  for (size_t i = 0; lumeko::CharCodes(title).size() < 250; ++i) {
    if (i) title += anyText ? ".*" : " ";
    title += words[i % 5];
  }
  lumeko::TREPreProcessor pp;
  pp.FuzzyCharDics().push_back(&lumeko::DefaultFuzzyCharDic());
  pp.UseFuzzyCharDic = true;
  pp.SetPattern(title);
  return pp.Run();
}

void BM_AutomatonSize(benchmark::State& state) {
  const std::string p = state.range(0) < 3 ? PatternFor(int(state.range(0))) : LongTitlePattern(state.range(0) == 4);
  double states = 0, transitions = 0, deterministic = 0;
  for (auto _ : state) {
    lumeko::TREParser parser(p);
    parser.Run();
    lumeko::TRE_NFA nfa(parser, lumeko::kLineHeadCode, lumeko::kLineTailCode);
    nfa.GenerateStateList();
    states = nfa.StateCount();
    transitions = double(nfa.AllTransitions().size());
    lumeko::TRE_DFA dfa(nfa);
    dfa.Build();
    deterministic = dfa.StateCount();
  }
  state.counters["nfa_states"] = states;
  state.counters["nfa_transitions"] = transitions;
  state.counters["dfa_states"] = deterministic;
  state.counters["share_of_bound"] = std::max({states / lumeko::TRE_NFA::kMaxStates,
                                               transitions / lumeko::TRE_NFA::kMaxTransitions,
                                               deterministic / lumeko::TRE_DFA::kMaxStates});
  const char* labels[] = {"separators", "title", "word", "long title", "long title, any text"};
  state.SetLabel(labels[state.range(0)]);
}

void BM_RefuseNestedPlus(benchmark::State& state) {
  std::string p(25, '(');
  p += "a+";
  for (int i = 0; i < 25; ++i) p += ")+";
  lumeko::TMatchCORE m;
  for (auto _ : state) {
    try {
      m.SetRegExp(p);
      state.SkipWithError("the nested pattern was accepted");
    } catch (const lumeko::ERegExpParser&) {
    }
  }
}

BENCHMARK(BM_AutomatonSize)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RefuseNestedPlus)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Compile_Lumeko)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Compile_RE2)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Compile_Posix)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Match_Lumeko)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Match_RE2)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Match_Posix)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
