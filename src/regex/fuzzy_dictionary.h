// Equivalence dictionaries for pattern rewriting, and the default fuzzy
// character dictionary that makes width, case, kana and number forms alike.
//
// A dictionary is an ordered list of groups, a group an ordered list of
// member strings (CP932, one or more characters). Order is meaning: a lookup
// returns the first group, and in it the first member, that fits, so a
// dictionary is built once and never changed afterwards. The default one is
// shared by the whole process; users refer to it and must never free it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumeko {

// Reads a comma list: items are separated by commas; an item in double
// quotes may hold commas and spaces and "" inside it stands for one quote; an
// unquoted item ends at a comma or at a byte not above the space; blanks after
// an item and after a comma are skipped; a comma at the very end adds nothing.
std::vector<std::string> ReadCommaText(std::string_view text);

class TREDictionary {
 public:
  using Group = std::vector<std::string>;

  // Where a lookup landed: the group, and how many characters the member
  // that fitted spans.
  struct Found {
    size_t group;
    size_t length;
  };

  TREDictionary() = default;
  explicit TREDictionary(std::vector<Group> groups);
  // One comma list per group, in order.
  static TREDictionary FromCommaTexts(const std::vector<std::string_view>& texts);

  const std::vector<Group>& Groups() const { return groups_; }

  // The first group (in order) holding a member, the first in that group,
  // whose characters equal codes[0], codes[1], ... within count characters.
  // Empty members are never found.
  bool Find(const std::uint16_t* codes, size_t count, Found& found) const;

  // The group as a pattern: "(" and every member, escaped to read as
  // itself, separated by "|", then ")". Made once, with the dictionary.
  const std::string& Expansion(size_t group) const { return expansions_[group]; }
  // The group's one-character members written as members of a class (no
  // brackets), each escaped where a class would read it otherwise. Members
  // of several characters cannot stand in a class and are left out.
  const std::string& ClassMembers(size_t group) const { return classMembers_[group]; }

 private:
  struct Candidate {
    std::uint32_t group;
    std::uint32_t member;
    std::vector<std::uint16_t> codes;  // the member's characters
  };
  struct Bucket {
    std::uint16_t first;  // the first character every candidate here shares
    std::uint32_t begin, end;  // into candidates_
  };

  std::vector<Group> groups_;
  std::vector<std::string> expansions_;
  std::vector<std::string> classMembers_;
  // Candidates sorted by first character, then group and member order, so a
  // lookup only ever looks at members that can fit.
  std::vector<Candidate> candidates_;
  std::vector<Bucket> buckets_;
};

// The characters of CP932 text as 16-bit codes (lead byte × 256 + trail
// byte; a lone lead byte at the end stands for itself).
std::vector<std::uint16_t> CharCodes(std::string_view text);

// The process-wide default fuzzy character dictionary: built on first use
// (safe from any thread), freed when the module unloads.
const TREDictionary& DefaultFuzzyCharDic();

}  // namespace lumeko
