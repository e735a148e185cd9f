#include "cli/TestPreparation.h"

#include <memory>

#include "cli/Utf8Text.h"

namespace quillora::cli {
namespace {

using Prepared = std::variant<PreparedTest, UsageError>;

bool NeedsValue(CheckArgument argument) {
    return argument == CheckArgument::File || argument == CheckArgument::Count;
}

Prepared Prepare(const std::string& argument, const TestContext& context) {
    const std::string text = ValidUtf8(argument);
    const std::size_t equals = argument.find('=');
    const std::optional<std::string> value =
        equals != std::string::npos ? std::optional(argument.substr(equals + 1)) : std::nullopt;
    const Check* check = FindCheckByName(argument.substr(0, equals));
    if (!check) return UsageError{"unknown test: " + text};
    if (check->printsThroughSpooler && !context.driverPrinting) {
        return UsageError{text + ": driver printing is quillora-cli-full's"};
    }
    if (check->argument == CheckArgument::None && value) {
        return UsageError{text + ": this test takes no value"};
    }
    if (NeedsValue(check->argument) && (!value || value->empty())) {
        return UsageError{text + ": needs =VALUE"};
    }
    auto host = std::make_shared<CommandLineHost>(*check, text, value, context);
    const std::optional<ReadyCheck> ready = check->prepare(*host);
    if (host->Problem()) return *host->Problem();
    if (!ready) return UsageError{text + ": cannot be prepared"};
    return PreparedTest{text, [host, ready = *ready](PortDriver& driver, const PortName&) {
                            return host->Run(ready, driver);
                        }};
}

}  // namespace

std::variant<std::vector<PreparedTest>, UsageError> PrepareTests(
    const std::vector<std::string>& arguments, const TestContext& context) {
    std::vector<PreparedTest> tests;
    for (const std::string& argument : arguments) {
        Prepared prepared = Prepare(argument, context);
        if (auto* error = std::get_if<UsageError>(&prepared)) return std::move(*error);
        tests.push_back(std::move(std::get<PreparedTest>(prepared)));
    }
    return tests;
}

}  // namespace quillora::cli
