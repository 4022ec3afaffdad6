// lumeko.exe: the command-line face of the DLL's parts, for users and tests.
// The wide command line is turned into UTF-8; each command prints JSON.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "command.h"
#include "platform/wide.h"

namespace lumeko::tool {

std::vector<Command>& Commands() {
  static std::vector<Command> commands;
  return commands;
}

long long ParseInteger(const std::string& text, const char* what) {
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno == ERANGE)
    throw UsageError{std::string("bad number for ") + what + ": " + text};
  return v;
}

double ParseNumber(const std::string& text, const char* what) {
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !std::isfinite(v))
    throw UsageError{std::string("bad number for ") + what + ": " + text};
  return v;
}

bool ParsedArgs::Has(const std::string& name) const {
  return std::any_of(options.begin(), options.end(), [&](const auto& o) { return o.first == name; });
}

const std::string* ParsedArgs::Get(const std::string& name) const {
  const std::string* found = nullptr;
  for (const auto& o : options)
    if (o.first == name) found = &o.second;
  return found;
}

std::vector<std::string> ParsedArgs::GetAll(const std::string& name) const {
  std::vector<std::string> all;
  for (const auto& o : options)
    if (o.first == name) all.push_back(o.second);
  return all;
}

ParsedArgs ParseArgs(const Args& args, const std::vector<std::string>& flags,
                     const std::vector<std::string>& withValue) {
  ParsedArgs p;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
      if (std::find(flags.begin(), flags.end(), a) != flags.end()) {
        p.options.emplace_back(a, std::string());
      } else if (std::find(withValue.begin(), withValue.end(), a) != withValue.end()) {
        if (i + 1 >= args.size()) throw UsageError{"missing value for " + a};
        p.options.emplace_back(a, args[++i]);
      } else {
        throw UsageError{"unknown option: " + a};
      }
    } else {
      p.positional.push_back(a);
    }
  }
  return p;
}

std::string PathArg(const std::string& utf8) { return Utf8ToCp932(utf8); }

void Print(const std::string& utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fflush(stdout);
}

namespace {

void PrintHelp() {
  std::string text = "usage: lumeko COMMAND [ARGS]\n\ncommands:\n";
  auto cmds = Commands();
  std::sort(cmds.begin(), cmds.end(), [](const Command& a, const Command& b) {
    return std::string(a.name) < b.name;
  });
  for (const Command& c : cmds) text += std::string("  ") + c.usage + "\n";
  Print(text);
}

}  // namespace
}  // namespace lumeko::tool

int wmain(int argc, wchar_t** argv) {
  using namespace lumeko::tool;
  // Output is UTF-8 bytes for the Linux side: no CR/LF translation.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(lumeko::WideToUtf8(argv[i]));
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp();
    return args.empty() ? 2 : 0;
  }
  for (const Command& c : Commands()) {
    if (args[0] != c.name) continue;
    try {
      return c.run(Args(args.begin() + 1, args.end()));
    } catch (const UsageError& e) {
      std::fprintf(stderr, "lumeko %s: %s\n", c.name, e.message.c_str());
      return 2;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "lumeko %s: %s\n", c.name, e.what());
      return 2;
    }
  }
  std::fprintf(stderr, "lumeko: unknown command: %s (see lumeko --help)\n", args[0].c_str());
  return 2;
}
