#include "cli/CliOptions.h"

#include <algorithm>

#include "checks/CheckCatalogue.h"
#include "checks/DataExchange.h"
#include "cli/OptionReader.h"
#include "cli/PortChoice.h"
#include "cli/Utf8Text.h"

namespace quillora::cli {
namespace {

// The checks' command-line names and arguments, as many to a line as fit.
std::string TestList(bool serialOnly) {
    constexpr size_t kWidth = 78;
    std::string lines, line;
    for (const Check& check : CheckCatalogue()) {
        if (check.serialOnly != serialOnly) continue;
        const std::string test = std::string(check.commandLineName) + check.argumentHelp;
        if (!line.empty() && line.size() + 1 + test.size() > kWidth) {
            lines += line + '\n';
            line.clear();
        }
        line += (line.empty() ? "  " : " ") + test;
    }
    return lines + line + '\n';
}

}  // namespace

std::string UsageText() {
    return "Usage: quillora-cli ports [--settings FILE] [--json] [--lang zh|en]\n"
           "       quillora-cli run --port NAME [--settings FILE] [--json] [--trace]\n"
           "                        [--preview DIR] [--lang zh|en]\n"
           "                        [--interval S] [--logo] [--mixed] [--cut] [--text TEXT]\n"
           "                        [--encoding GBK|UTF-8] TEST [TEST ...]\n"
           "       quillora-cli watch --port NAME [--settings FILE] [--json] [--trace]\n"
           "                        [--seconds N] [--poll]\n"
           "\n"
           "NAME: COMn, LPTn, USBn, a dotted IPv4 address, or IP (the address in the\n"
           "settings file, ./Option.ini unless --settings is given), or, for run only,\n"
           "none: nothing is sent, the bytes are only drawn, and a test passes when the\n"
           "virtual printer's interpreter carries out every command in them.\n"
           "--preview DIR (run only): after the run, each receipt sent, drawn as the\n"
           "virtual printer draws it, as DIR/receipt-NNNN.png; its problems on standard\n"
           "error.\n"
           "\n"
           "TEST, run in the order given:\n" +
           TestList(false) + "Serial connections only:\n" + TestList(true) +
           "\n"
           "\n"
           "Exit status: 0 every test passed, 1 a test failed, 2 usage error.\n"
           "\n"
           "watch prints each change of the printer's status once, by automatic status\n"
           "back or, without it or with --poll, by asking every half second; it ends after\n"
           "--seconds N (1 to 86400), or with status 1 when the printer stops answering.\n"
           "\n"
           "Messages are in Chinese, or in English when the locale's language is not\n"
           "Chinese (C and POSIX keep Chinese); --lang zh|en or QUILLORA_LANG=zh|en\n"
           "forces one. JSON keys and the bytes sent never change.\n";
}

std::variant<CliOptions, UsageError> ParseCliOptions(const std::vector<std::string>& arguments) {
    constexpr OptionName kOptions[] = {
        {"h"},
        {"help"},
        {"version"},
        {"port", true},
        {"settings", true},
        {"json"},
        {"trace"},
        {"interval", true},
        {"logo"},
        {"mixed"},
        {"cut"},
        {"text", true},
        {"encoding", true},
        {"seconds", true},
        {"poll"},
        {"preview", true},
        {"lang", true},
    };
    auto read = ReadCommandLine(arguments, kOptions);
    if (const auto* problem = std::get_if<std::string>(&read)) return UsageError{*problem};
    const ReadArguments& given = std::get<ReadArguments>(read);
    // What a value is when a person reads it; file paths are taken from the bytes.
    const auto shown = [&](std::string_view option) {
        const auto value = given.options.find(option);
        return value == given.options.end() ? std::string() : ValidUtf8(value->second);
    };

    CliOptions options;
    if (given.Has("lang")) options.language = shown("lang");
    if (given.Has("help") || given.Has("h")) return options;
    if (given.Has("version")) {
        options.command = Command::Version;
        return options;
    }
    std::vector<std::string> positional = given.positional;
    if (positional.empty()) return UsageError{"no command: ports or run"};
    const std::string command = ValidUtf8(positional.front());
    positional.erase(positional.begin());
    const auto takesNoTests = [&](const char* what) {
        return UsageError{what + (" takes no tests: " + ValidUtf8(positional.front()))};
    };
    if (command == "ports") {
        options.command = Command::Ports;
        if (!positional.empty()) return takesNoTests("ports");
    } else if (command == "run") {
        options.command = Command::Run;
        if (!given.Has("port")) return UsageError{"run needs --port NAME"};
        if (positional.empty()) return UsageError{"run needs at least one test"};
    } else if (command == "watch") {
        options.command = Command::Watch;
        if (!given.Has("port")) return UsageError{"watch needs --port NAME"};
        if (!positional.empty()) return takesNoTests("watch");
        // Nothing a watch sends is drawn, and a port that never answers has nothing to watch.
        if (given.Has("preview")) return UsageError{"--preview applies to run only"};
        if (IsDrawOnly(shown("port"))) {
            return UsageError{"watch needs a printer that answers: --port none has none"};
        }
    } else {
        return UsageError{"unknown command: " + command};
    }
    options.port = shown("port");
    if (given.Has("settings")) {
        options.settingsPath = given.options.find("settings")->second;
        options.settingsGiven = true;
    }
    options.json = given.Has("json");
    options.trace = given.Has("trace");
    if (given.Has("interval")) {
        const std::string interval = shown("interval");
        const std::optional<int> seconds = ParseDialogInteger(interval);
        if (!seconds || !kIntervalSecondsRange.Contains(*seconds)) {
            return UsageError{"--interval " + interval + ": not a whole number of seconds from " +
                              std::to_string(kIntervalSecondsRange.low) + " to " +
                              std::to_string(kIntervalSecondsRange.high)};
        }
        options.fatigue.intervalSeconds = *seconds;
    }
    options.fatigue.logo = given.Has("logo");
    options.fatigue.mixed = given.Has("mixed");
    options.fatigue.cut = given.Has("cut");
    if (given.Has("text")) options.fatigue.text = shown("text");
    if (given.Has("encoding")) {
        const std::string encoding = shown("encoding");
        if (SameLetters(encoding, "utf-8") || SameLetters(encoding, "utf8")) {
            options.symbolEncoding = TextEncoding::Utf8;
        } else if (!SameLetters(encoding, "gbk")) {
            return UsageError{"--encoding " + encoding + ": GBK or UTF-8"};
        }
    }
    if (given.Has("seconds")) {
        const std::string seconds = shown("seconds");
        const std::optional<int> count = ParseDialogInteger(seconds);
        if (!count || *count < 1 || *count > kMaxWatchSeconds) {
            return UsageError{"--seconds " + seconds + ": not a whole number from 1 to " +
                              std::to_string(kMaxWatchSeconds)};
        }
        options.watchSeconds = *count;
    }
    options.poll = given.Has("poll");
    if (given.Has("preview")) options.previewDir = shown("preview");
    options.tests = std::move(positional);
    return options;
}

}  // namespace quillora::cli
