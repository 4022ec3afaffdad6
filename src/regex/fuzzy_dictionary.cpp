// Comma lists and dictionary lookup. The one idea: index members by their
// first character but keep, inside each first character, the order of groups
// and members, so the fast lookup answers exactly what walking every group
// and member in order would.
#include "regex/fuzzy_dictionary.h"

#include <algorithm>
#include <string_view>

#include "platform/cp932.h"
#include "regex/re_scanner.h"

namespace lumeko {

namespace {

bool IsBlank(unsigned char b) { return b >= 1 && b <= ' '; }

}  // namespace

std::vector<std::string> ReadCommaText(std::string_view text) {
  std::vector<std::string> items;
  size_t p = 0;
  const size_t n = text.size();
  auto byteAt = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  while (p < n && IsBlank(byteAt(p))) ++p;
  while (p < n) {
    std::string item;
    if (text[p] == '"') {
      ++p;
      while (p < n) {
        if (text[p] == '"') {
          if (p + 1 < n && text[p + 1] == '"') {
            item += '"';
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        // A trail byte is never taken for a quote.
        const size_t len = CharLength(text, p);
        item.append(text.substr(p, len));
        p += len;
      }
    } else {
      while (p < n && byteAt(p) > ' ' && text[p] != ',') {
        const size_t len = CharLength(text, p);
        item.append(text.substr(p, len));
        p += len;
      }
    }
    items.push_back(std::move(item));
    while (p < n && IsBlank(byteAt(p))) ++p;
    if (p < n && text[p] == ',') {
      ++p;
      while (p < n && IsBlank(byteAt(p))) ++p;
    } else if (p < n && byteAt(p) == 0) {
      break;  // a NUL ends the text as it would a C string
    }
  }
  return items;
}

std::vector<std::uint16_t> CharCodes(std::string_view text) {
  std::vector<std::uint16_t> codes;
  codes.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(b) && i + 1 < text.size()) {
      codes.push_back(static_cast<std::uint16_t>(b << 8 | static_cast<unsigned char>(text[i + 1])));
      i += 2;
    } else {
      codes.push_back(b);
      ++i;
    }
  }
  return codes;
}

TREDictionary::TREDictionary(std::vector<Group> groups) : groups_(std::move(groups)) {
  expansions_.reserve(groups_.size());
  for (const Group& group : groups_) {
    std::string e = "(";
    for (size_t m = 0; m < group.size(); ++m) {
      if (m > 0) e += '|';
      e += EscapeLiteral(group[m]);
    }
    e += ')';
    expansions_.push_back(std::move(e));
    std::string c;
    for (const std::string& member : group) {
      const std::vector<std::uint16_t> codes = CharCodes(member);
      // One whole character only: a lone lead byte would pair up with
      // whatever follows it in the class.
      if (codes.size() != 1 || codes[0] == 0 || (codes[0] < 0x100 && IsLeadByte(member[0]))) continue;
      if (codes[0] < 0x80 && std::string_view("]\\-^").find(member[0]) != std::string_view::npos) c += '\\';
      c += member;
    }
    classMembers_.push_back(std::move(c));
  }
  for (size_t g = 0; g < groups_.size(); ++g)
    for (size_t m = 0; m < groups_[g].size(); ++m) {
      std::vector<std::uint16_t> codes = CharCodes(groups_[g][m]);
      if (codes.empty()) continue;
      candidates_.push_back({static_cast<std::uint32_t>(g), static_cast<std::uint32_t>(m), std::move(codes)});
    }
  // Stable: within one first character the group and member order stays.
  std::stable_sort(candidates_.begin(), candidates_.end(),
                   [](const Candidate& a, const Candidate& b) { return a.codes[0] < b.codes[0]; });
  for (size_t i = 0; i < candidates_.size();) {
    size_t j = i;
    while (j < candidates_.size() && candidates_[j].codes[0] == candidates_[i].codes[0]) ++j;
    buckets_.push_back({candidates_[i].codes[0], static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(j)});
    i = j;
  }
}

TREDictionary TREDictionary::FromCommaTexts(const std::vector<std::string_view>& texts) {
  std::vector<Group> groups;
  groups.reserve(texts.size());
  for (std::string_view t : texts) groups.push_back(ReadCommaText(t));
  return TREDictionary(std::move(groups));
}

bool TREDictionary::Find(const std::uint16_t* codes, size_t count, Found& found) const {
  if (count == 0) return false;
  auto bucket = std::lower_bound(buckets_.begin(), buckets_.end(), codes[0],
                                 [](const Bucket& b, std::uint16_t c) { return b.first < c; });
  if (bucket == buckets_.end() || bucket->first != codes[0]) return false;
  for (std::uint32_t k = bucket->begin; k < bucket->end; ++k) {
    const Candidate& c = candidates_[k];
    if (c.codes.size() > count) continue;
    if (std::equal(c.codes.begin() + 1, c.codes.end(), codes + 1)) {
      found = {c.group, c.codes.size()};
      return true;
    }
  }
  return false;
}

}  // namespace lumeko
