// The lumeko command-line tool: one command a file, registered by a static
// object, so adding a command touches no shared table.
//
// Arguments arrive as UTF-8 (converted from the wide command line); output is
// UTF-8 JSON on stdout. A usage error prints one line on stderr and exits 2.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lumeko::tool {

using Args = std::vector<std::string>;  // UTF-8, command name removed

struct Command {
  const char* name;
  const char* usage;  // one line for --help
  std::function<int(const Args&)> run;
};

std::vector<Command>& Commands();

struct RegisterCommand {
  RegisterCommand(const char* name, const char* usage, std::function<int(const Args&)> run) {
    Commands().push_back({name, usage, std::move(run)});
  }
};

// Thrown for bad arguments; main prints its text and exits 2.
struct UsageError {
  std::string message;
};

// Argument helpers. Numbers must be whole decimal values that fit.
long long ParseInteger(const std::string& text, const char* what);
double ParseNumber(const std::string& text, const char* what);

// Splits args into positionals and --options; an option named in withValue
// takes the next argument. Unknown options are a usage error.
struct ParsedArgs {
  std::vector<std::string> positional;
  std::vector<std::pair<std::string, std::string>> options;  // in order, repeats kept
  bool Has(const std::string& name) const;
  const std::string* Get(const std::string& name) const;  // the last one
  std::vector<std::string> GetAll(const std::string& name) const;
};
ParsedArgs ParseArgs(const Args& args, const std::vector<std::string>& flags,
                     const std::vector<std::string>& withValue);

// Paths from the command line (UTF-8) as CP932 for the system.
std::string PathArg(const std::string& utf8);

// Writes UTF-8 bytes to stdout as they are.
void Print(const std::string& utf8);

}  // namespace lumeko::tool
