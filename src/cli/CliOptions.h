#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "checks/CheckHost.h"

namespace quillora::cli {

// The exit statuses: every test passed, one did not, the command line was wrong.
inline constexpr int kExitPassed = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// A refusal of the command line, before anything is sent: one line naming the problem.
struct UsageError {
    std::string message;
};

// The longest watch --seconds: a day.
inline constexpr int kMaxWatchSeconds = 86400;

enum class Command { Ports, Run, Watch, Help, Version };

// The continuous (fatigue) test's settings, as the window's boxes and check boxes hold them.
struct FatigueOptions {
    int intervalSeconds = 1;
    bool logo = false;
    bool mixed = false;
    bool cut = false;
    std::optional<std::string> text;  // UTF-8; the sample text when absent
};

// Texts are UTF-8 as shown to a person; file paths are the arguments' own bytes.
struct CliOptions {
    Command command = Command::Help;
    std::string port;
    std::string settingsPath = "./Option.ini";  // bytes
    bool settingsGiven = false;
    bool json = false;
    bool trace = false;
    // --preview: where the receipts' pictures go; UTF-8, as their writer names files by text.
    std::optional<std::string> previewDir;
    // --lang: the language of the lines for a person; the environment's when absent.
    std::optional<std::string> language;
    FatigueOptions fatigue;
    TextEncoding symbolEncoding = TextEncoding::Gbk;  // --encoding
    std::vector<std::string> tests;                   // bytes: a test's value may be a file path
    // watch: how long (none: until the printer stops answering), and polling only.
    std::optional<int> watchSeconds;
    bool poll = false;
};

// Reads the arguments after the program name.
std::variant<CliOptions, UsageError> ParseCliOptions(const std::vector<std::string>& arguments);

// The text of --help; its tests are the catalogue's checks.
std::string UsageText();

}  // namespace quillora::cli
