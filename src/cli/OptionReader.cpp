#include "cli/OptionReader.h"

#include <algorithm>

#include "cli/Utf8Text.h"

namespace quillora::cli {
namespace {

const OptionName* Find(std::span<const OptionName> known, std::string_view name) {
    const auto found = std::find_if(known.begin(), known.end(),
                                    [&](const OptionName& option) { return option.name == name; });
    return found == known.end() ? nullptr : &*found;
}

std::string UnknownText(const std::vector<std::string>& unknown) {
    if (unknown.size() == 1) return "Unknown option '" + unknown.front() + "'.";
    std::string names;
    for (const std::string& name : unknown) names += (names.empty() ? "" : ", ") + name;
    return "Unknown options: " + names + ".";
}

}  // namespace

bool SameLetters(std::string_view word, std::string_view lower) {
    return std::equal(word.begin(), word.end(), lower.begin(), lower.end(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) == b;
    });
}

std::variant<ReadArguments, std::string> ReadCommandLine(const std::vector<std::string>& arguments,
                                                         std::span<const OptionName> known) {
    ReadArguments read;
    std::vector<std::string> unknown;
    std::string valueProblem;  // the last one counts
    bool optionsOver = false;
    for (auto next = arguments.begin(); next != arguments.end(); ++next) {
        const std::string_view argument = WithoutByteOrderMark(*next);
        if (optionsOver || argument == "-" || !argument.starts_with('-')) {
            read.positional.emplace_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsOver = true;
            continue;
        }
        const std::string_view named = argument.substr(argument.starts_with("--") ? 2 : 1);
        const std::size_t equals = named.find('=');
        const std::string_view name = named.substr(0, equals);
        const OptionName* option = Find(known, name);
        if (!option) {
            unknown.push_back(ValidUtf8(name));
            continue;
        }
        const std::size_t given = argument.size() - named.size() + equals;  // where '=' is
        if (!option->takesValue) {
            if (equals == std::string_view::npos) {
                read.options[std::string(name)].clear();
            } else {
                valueProblem =
                    "Unexpected value after '" + ValidUtf8(argument.substr(0, given)) + "'.";
            }
        } else if (equals != std::string_view::npos) {
            read.options[std::string(name)] = argument.substr(given + 1);
        } else if (next + 1 != arguments.end()) {
            read.options[std::string(name)] = WithoutByteOrderMark(*++next);
        } else {
            valueProblem = "Missing value after '" + ValidUtf8(argument) + "'.";
        }
    }
    if (!valueProblem.empty()) return valueProblem;
    if (!unknown.empty()) return UnknownText(unknown);
    return read;
}

}  // namespace quillora::cli
