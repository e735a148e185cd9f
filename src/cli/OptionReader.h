#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quillora::cli {

// An option the command line knows: its name without dashes, and whether a value follows.
struct OptionName {
    std::string_view name;
    bool takesValue = false;
};

// The command line as read: each option given with its last value ("" for one that takes
// none), and the other arguments in their order. Values are the argument's bytes.
struct ReadArguments {
    std::map<std::string, std::string, std::less<>> options;
    std::vector<std::string> positional;

    bool Has(std::string_view name) const { return options.contains(name); }
};

// Whether `word` is `lower` but for letter case. Only ASCII letters are folded, whatever the
// locale: no other letter has an ASCII one as its other case, and the names compared against
// are ASCII.
bool SameLetters(std::string_view word, std::string_view lower);

// Reads `arguments` (after the program's name) as scripts have always written them:
// "--name value", "--name=value", and the same with one dash; "--" makes every later
// argument positional, and a lone "-" is one; options may come anywhere, and the last of a
// repeated option counts. A byte order mark leading an argument is dropped. The
// refusal names every unknown option, or the last value that is missing or not wanted.
std::variant<ReadArguments, std::string> ReadCommandLine(const std::vector<std::string>& arguments,
                                                         std::span<const OptionName> known);

}  // namespace quillora::cli
