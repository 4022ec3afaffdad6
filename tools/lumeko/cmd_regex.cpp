// lumeko regex match|sub|gsub|expand: the pattern engine as the lyrics search
// uses it, one call at a time.
//
// Arguments and output are UTF-8; the engine sees CP932, exactly what the DLL
// would hand it. Escapes in a subject are not decoded here (pass real control
// characters). A pattern or replacement the engine rejects prints its message
// and position as JSON and exits 2, like any other refused input.
#include <algorithm>
#include <string>

#include "command.h"
#include "json.h"
#include "platform/cp932.h"
#include "regex/awk_str.h"
#include "regex/re_preprocessor.h"

namespace lumeko::tool {
namespace {

// Text that code page 932 cannot hold would turn into "?", which is an
// operator in a pattern: refuse it rather than run a different pattern.
std::string ToEngine(const std::string& utf8, const char* what) {
  std::string cp932 = Utf8ToCp932(utf8);
  if (std::count(cp932.begin(), cp932.end(), '?') != std::count(utf8.begin(), utf8.end(), '?'))
    throw UsageError{std::string(what) + " has characters that code page 932 cannot hold"};
  return cp932;
}

struct RegexArgs {
  std::string verb;
  std::vector<std::string> operands;  // UTF-8
  bool fuzzy = false;
  bool lf = false;
};

// "--" ends the options, so a pattern or subject may begin with "--".
RegexArgs ParseRegexArgs(const Args& args) {
  RegexArgs r;
  Args options;
  std::vector<std::string> rest;
  bool ended = false;
  for (const std::string& a : args) {
    if (!ended && a == "--") {
      ended = true;
    } else if (ended) {
      rest.push_back(a);
    } else {
      options.push_back(a);
    }
  }
  const ParsedArgs p = ParseArgs(options, {"--fuzzy", "--lf"}, {});
  r.fuzzy = p.Has("--fuzzy");
  r.lf = p.Has("--lf");
  std::vector<std::string> positional = p.positional;
  positional.insert(positional.end(), rest.begin(), rest.end());
  if (positional.empty()) throw UsageError{"missing verb: match, sub, gsub or expand"};
  r.verb = positional.front();
  r.operands.assign(positional.begin() + 1, positional.end());
  return r;
}

void NeedOperands(const RegexArgs& r, size_t n, const char* shape) {
  if (r.operands.size() != n) throw UsageError{std::string("usage: lumeko regex ") + shape};
}

int RunRegex(const Args& args) {
  const RegexArgs r = ParseRegexArgs(args);
  TAWKStr awk;
  JsonWriter out;
  try {
    awk.SetUseFuzzyCharDic(r.fuzzy);
    awk.LineSeparator = r.lf ? mcls_LF : mcls_CRLF;
    if (r.verb == "match") {
      NeedOperands(r, 2, "match PATTERN SUBJECT [--fuzzy] [--lf]");
      const std::string subject = ToEngine(r.operands[1], "SUBJECT");
      awk.SetRegExp(ToEngine(r.operands[0], "PATTERN"));
      int start = 0, length = 0;
      const int result = awk.Match(subject, start, length);
      out.BeginObject().Field("result", result).Field("start", start).Field("length", length).EndObject();
    } else if (r.verb == "sub" || r.verb == "gsub") {
      NeedOperands(r, 3, (r.verb + " PATTERN REPLACEMENT SUBJECT [--fuzzy] [--lf]").c_str());
      const std::string replacement = ToEngine(r.operands[1], "REPLACEMENT");
      std::string subject = ToEngine(r.operands[2], "SUBJECT");
      awk.SetRegExp(ToEngine(r.operands[0], "PATTERN"));
      const int result = r.verb == "sub" ? awk.Sub(replacement, subject) : awk.GSub(replacement, subject);
      out.BeginObject().Field("result", result).Field("subject", Cp932ToUtf8(subject)).EndObject();
    } else if (r.verb == "expand") {
      NeedOperands(r, 1, "expand PATTERN [--fuzzy]");
      if (r.lf) throw UsageError{"--lf has no meaning for expand"};
      const std::string pattern = ToEngine(r.operands[0], "PATTERN");
      TREPreProcessor preProcessor;
      preProcessor.FuzzyCharDics().push_back(&DefaultFuzzyCharDic());
      preProcessor.UseFuzzyCharDic = r.fuzzy;
      preProcessor.SetPattern(pattern);
      const std::string expanded = preProcessor.Run();
      awk.SetRegExp(pattern);  // a rewrite the parser rejects is an error too
      out.BeginObject().Field("pattern", Cp932ToUtf8(expanded)).EndObject();
    } else {
      throw UsageError{"unknown verb: " + r.verb + " (match, sub, gsub or expand)"};
    }
  } catch (const ERegExpParser& e) {
    JsonWriter err;
    err.BeginObject().Field("error", Cp932ToUtf8(e.what())).Field("position", static_cast<int>(e.ErrorPos)).EndObject();
    Print(err.str() + "\n");
    return 2;
  }
  Print(out.str() + "\n");
  return 0;
}

const RegisterCommand kRegex("regex",
                             "regex match PATTERN SUBJECT | sub|gsub PATTERN REPLACEMENT SUBJECT | "
                             "expand PATTERN  [--fuzzy] [--lf]",
                             RunRegex);

}  // namespace
}  // namespace lumeko::tool
