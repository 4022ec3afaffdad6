// Subset construction. A deterministic state is registered once per distinct
// set of NFA states (found again through a hash of the set); states are
// processed in creation order, each class's targets closed over empty
// transitions and registered in turn.
#include "regex/re_dfa.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "regex/re_error.h"

namespace lumeko {

namespace {

[[noreturn]] void RaiseTooComplex() { RaiseRegExpError(remsg::kTooComplex, 0); }

bool IsMark(const TRE_NFATransition& t, const TRE_NFA& nfa) {
  return (t.Lo == nfa.LineHeadCode || t.Lo == nfa.LineTailCode) && t.Hi == t.Lo;
}

}  // namespace

void TRE_DFA::BuildClasses() {
  const auto& all = Nfa_->AllTransitions();
  std::vector<uint32_t> bounds;
  for (const auto& t : all) {
    if (t.IsEmpty() || IsMark(t, *Nfa_)) continue;
    bounds.push_back(t.Lo);
    bounds.push_back(uint32_t(t.Hi) + 1);
  }
  std::sort(bounds.begin(), bounds.end());
  bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
  auto indexOf = [&](uint32_t v) {
    return size_t(std::lower_bound(bounds.begin(), bounds.end(), v) - bounds.begin());
  };
  // Which elementary intervals some label covers.
  std::vector<int32_t> cover(bounds.size() + 1, 0);
  for (const auto& t : all) {
    if (t.IsEmpty() || IsMark(t, *Nfa_)) continue;
    ++cover[indexOf(t.Lo)];
    --cover[indexOf(uint32_t(t.Hi) + 1)];
  }
  std::vector<uint32_t> classOfInterval(bounds.size(), 0);
  int32_t running = 0;
  for (size_t i = 0; i + 1 < bounds.size(); ++i) {
    running += cover[i];
    if (running > 0) {
      Classes_.emplace_back(uint16_t(bounds[i]), uint16_t(bounds[i + 1] - 1));
      classOfInterval[i] = uint32_t(Classes_.size());
    }
  }
  if (Classes_.size() >= 0xFFFF) RaiseTooComplex();
  Width_ = uint32_t(Classes_.size()) + 1;
  Span_.assign(all.size(), {0, 0});
  for (size_t k = 0; k < all.size(); ++k) {
    const auto& t = all[k];
    if (t.IsEmpty() || IsMark(t, *Nfa_)) continue;
    Span_[k] = {classOfInterval[indexOf(t.Lo)], classOfInterval[indexOf(uint32_t(t.Hi) + 1) - 1]};
  }
}

uint32_t TRE_DFA::ClassOf(uint16_t code) const {
  auto it = std::upper_bound(Classes_.begin(), Classes_.end(), code,
                             [](uint16_t c, const auto& r) { return c < r.first; });
  if (it == Classes_.begin()) return 0;
  --it;
  return code <= it->second ? uint32_t(it - Classes_.begin()) + 1 : 0;
}

void TRE_DFA::BuildCodeTables() {
  for (unsigned b = 0; b < 256; ++b) ByteClass_[b] = b == 0 ? 0 : uint16_t(ClassOf(uint16_t(b)));
  // Lead bytes whose 256 codes all fall in one class share one table.
  std::vector<std::pair<uint32_t, int32_t>> uniform;
  for (unsigned b = 0; b < 256; ++b) {
    LeadSub_[b] = -1;
    if (!IsLeadByte(static_cast<unsigned char>(b))) continue;
    const uint16_t first = uint16_t(b << 8), last = uint16_t(b << 8 | 0xFF);
    const uint32_t c0 = ClassOf(first);
    bool same = c0 != 0 ? Classes_[c0 - 1].second >= last : true;
    if (same && c0 == 0) {
      // No class starts inside this lead byte's block either.
      auto it = std::lower_bound(Classes_.begin(), Classes_.end(), first,
                                 [](const auto& r, uint16_t c) { return r.first < c; });
      same = it == Classes_.end() || it->first > last;
    }
    if (same) {
      auto u = std::find_if(uniform.begin(), uniform.end(), [&](const auto& p) { return p.first == c0; });
      if (u == uniform.end()) {
        uniform.emplace_back(c0, int32_t(Sub_.size()));
        Sub_.resize(Sub_.size() + 256, uint16_t(c0));
        u = uniform.end() - 1;
      }
      LeadSub_[b] = u->second;
      continue;
    }
    LeadSub_[b] = int32_t(Sub_.size());
    Sub_.resize(Sub_.size() + 256);
    for (unsigned t = 0; t < 256; ++t) Sub_[size_t(LeadSub_[b]) + t] = uint16_t(ClassOf(uint16_t(b << 8 | t)));
  }
  // A NUL trail byte ends the subject before the pair is read; Step never
  // looks at it because the subject's length stops at the NUL.
  // Lead bytes that share a trail table share the answer too.
  std::vector<int8_t> tableStarts(Sub_.size() / 256, -1);
  for (unsigned b = 0; b < 256; ++b) {
    bool start = false;
    if (b != 0) {
      start = Table_[ByteClass_[b]] >= 0;
      if (LeadSub_[b] >= 0 && !start) {
        int8_t& known = tableStarts[size_t(LeadSub_[b]) / 256];
        if (known < 0) {
          known = 0;
          for (unsigned t = 1; t < 256 && !known; ++t) known = Table_[Sub_[size_t(LeadSub_[b]) + t]] >= 0;
        }
        start = known != 0;
      }
    }
    StartBytes_[b] = start;
  }
}

int32_t TRE_DFA::NextState(int32_t s, uint16_t code) const {
  if (code == 0 || s < 0) return -1;
  return Table_[size_t(s) * Width_ + ClassOf(code)];
}

std::vector<TRE_DFA::Transition> TRE_DFA::Transitions(int32_t s) const {
  std::vector<Transition> out;
  for (uint32_t c = 1; c < Width_; ++c) {
    const int32_t t = Table_[size_t(s) * Width_ + c];
    if (t < 0) continue;
    const auto [lo, hi] = Classes_[c - 1];
    if (!out.empty() && out.back().Target == t && uint32_t(out.back().Hi) + 1 == lo)
      out.back().Hi = hi;
    else
      out.push_back({lo, hi, t});
  }
  return out;
}

void TRE_DFA::Build() {
  const TRE_NFA& nfa = *Nfa_;
  const uint32_t n = nfa.StateCount();
  BuildClasses();

  // The NFA's transitions regrouped per state: characters, empties, marks.
  struct Edge {
    uint32_t C1, C2, Target;
  };
  std::vector<uint32_t> edgeStart(n + 1, 0), epsStart(n + 1, 0), headStart(n + 1, 0);
  std::vector<Edge> edges;
  std::vector<uint32_t> eps, heads;
  std::vector<uint8_t> tails(n, 0);
  const auto& all = nfa.AllTransitions();
  for (uint32_t s = 0; s < n; ++s) {
    edgeStart[s] = uint32_t(edges.size());
    epsStart[s] = uint32_t(eps.size());
    headStart[s] = uint32_t(heads.size());
    for (int32_t k = nfa.FirstTransition(s); k >= 0; k = all[k].Next) {
      const auto& t = all[k];
      if (t.IsEmpty()) {
        eps.push_back(t.Target);
      } else if (t.Lo == nfa.LineHeadCode && t.Hi == t.Lo) {
        heads.push_back(t.Target);
      } else if (t.Lo == nfa.LineTailCode && t.Hi == t.Lo) {
        tails[s] = 1;
      } else {
        edges.push_back({Span_[k].first, Span_[k].second, t.Target});
      }
    }
  }
  edgeStart[n] = uint32_t(edges.size());
  epsStart[n] = uint32_t(eps.size());
  headStart[n] = uint32_t(heads.size());

  const size_t words = n / 64 + 1;
  std::vector<uint64_t> sets;  // words per deterministic state
  std::vector<int32_t> slots(64, -1);
  std::vector<uint64_t> hashes;
  TRE_NFAStateSet scratch(n);
  std::vector<uint32_t> stack;

  auto hashOf = [&](const uint64_t* w) {
    uint64_t h = 1469598103934665603ull;
    for (size_t i = 0; i < words; ++i) h = (h ^ w[i]) * 1099511628211ull ^ (h >> 29);
    // Spread the high bits into the low ones that pick the slot.
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return h;
  };
  // Closure of the seeds, then registration.
  auto closeAndRegister = [&](const std::vector<uint32_t>& seeds) -> int32_t {
    scratch.Clear();
    for (uint32_t s : seeds) {
      if (scratch.Has(s)) continue;
      scratch.Include(s);
      stack.push_back(s);
    }
    while (!stack.empty()) {
      const uint32_t s = stack.back();
      stack.pop_back();
      for (uint32_t e = epsStart[s]; e < epsStart[s + 1]; ++e) {
        const uint32_t t = eps[e];
        if (!scratch.Has(t)) {
          scratch.Include(t);
          stack.push_back(t);
        }
      }
    }
    const uint64_t* bits = scratch.Words().data();
    const uint64_t h = hashOf(bits);
    size_t mask = slots.size() - 1;
    size_t i = h & mask;
    for (; slots[i] >= 0; i = (i + 1) & mask) {
      const int32_t st = slots[i];
      if (hashes[st] == h && std::memcmp(&sets[size_t(st) * words], bits, words * 8) == 0)
        return st;
    }
    const int32_t id = int32_t(Accepting_.size());
    if (uint32_t(id) >= kMaxStates || (size_t(id) + 1) * Width_ > kMaxTableCells ||
        (size_t(id) + 1) * words > kMaxSetWords)
      RaiseTooComplex();
    sets.insert(sets.end(), bits, bits + words);
    hashes.push_back(h);
    Accepting_.push_back(scratch.Has(TRE_NFA::ExitState));
    TailMark_.push_back(0);
    HeadTarget_.push_back(-1);
    Table_.resize(Table_.size() + Width_, -1);
    slots[i] = id;
    if (Accepting_.size() * 2 > slots.size()) {
      std::vector<int32_t> grown(slots.size() * 2, -1);
      mask = grown.size() - 1;
      for (int32_t st = 0; st <= id; ++st) {
        size_t j = hashes[st] & mask;
        while (grown[j] >= 0) j = (j + 1) & mask;
        grown[j] = st;
      }
      slots.swap(grown);
    }
    return id;
  };

  closeAndRegister({TRE_NFA::EntryState});

  // Targets per class for the state being processed.
  std::vector<std::vector<uint32_t>> buckets(Width_);
  std::vector<uint32_t> touched;
  std::vector<uint32_t> members;
  std::vector<uint32_t> headSeeds;
  for (size_t cur = 0; cur < Accepting_.size(); ++cur) {
    members.clear();
    for (size_t w = 0; w < words; ++w)
      for (uint64_t bits = sets[cur * words + w]; bits; bits &= bits - 1)
        members.push_back(uint32_t(w * 64 + std::countr_zero(bits)));

    touched.clear();
    headSeeds.clear();
    bool tail = false;
    for (uint32_t s : members) {
      for (uint32_t e = edgeStart[s]; e < edgeStart[s + 1]; ++e) {
        for (uint32_t c = edges[e].C1; c <= edges[e].C2; ++c) {
          if (buckets[c].empty()) touched.push_back(c);
          buckets[c].push_back(edges[e].Target);
        }
      }
      for (uint32_t h = headStart[s]; h < headStart[s + 1]; ++h) headSeeds.push_back(heads[h]);
      tail |= tails[s] != 0;
    }
    TailMark_[cur] = tail;
    if (!headSeeds.empty()) {
      const int32_t target = closeAndRegister(headSeeds);
      HeadTarget_[cur] = target;
    }
    std::sort(touched.begin(), touched.end());
    uint32_t prevClass = 0;
    int32_t prevTarget = -1;
    for (uint32_t c : touched) {
      int32_t target;
      if (prevTarget >= 0 && buckets[c] == buckets[prevClass]) {
        target = prevTarget;
      } else {
        target = closeAndRegister(buckets[c]);
      }
      Table_[cur * Width_ + c] = target;
      if (prevClass != 0 && prevClass != c) buckets[prevClass].clear();
      prevClass = c;
      prevTarget = target;
    }
    if (prevClass != 0) buckets[prevClass].clear();
  }
  BuildCodeTables();
  // The NFA goes away after compilation; only the tables are kept.
  Nfa_ = nullptr;
  Span_ = {};
}

}  // namespace lumeko
