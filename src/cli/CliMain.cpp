#include "cli/CliMain.h"

#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>

#include "cli/CliOptions.h"
#include "cli/FullProgram.h"
#include "cli/InputFiles.h"
#include "cli/PageDrawing.h"
#include "cli/PortChoice.h"
#include "cli/ResultOutput.h"
#include "cli/StderrTrace.h"
#include "cli/TestPreparation.h"
#include "cli/TestRunner.h"
#include "cli/Utf8Text.h"
#include "cli/WatchCommand.h"
#include "port/ConnectionList.h"
#include "port/DiscardingPortDriver.h"
#include "port/LinuxPortDriver.h"
#include "port/TracingPortDriver.h"
#include "texts/Texts.h"

namespace quillora::cli {
namespace {

void Write(std::FILE* stream, std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

int Refuse(const UsageError& error) {
    Write(stderr, "quillora-cli: " + error.message + '\n');
    return kExitUsage;
}

// The window keeps "Print.txt" beside "Option.ini", in its working folder.
std::string PrintTxtBeside(const std::string& settingsPath) {
    return std::filesystem::path(settingsPath).replace_filename("Print.txt");
}

// --preview DIR: made when missing; it must take files.
std::optional<UsageError> PreviewFolderProblem(const std::string& directory) {
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error || !std::filesystem::is_directory(directory, error)) {
        return UsageError{"--preview " + directory + ": cannot make the folder"};
    }
    if (::access(directory.c_str(), W_OK) != 0) {
        return UsageError{"--preview " + directory + ": folder not writable"};
    }
    return std::nullopt;
}

// The chosen port's driver (nothing behind it with --port none; traced with --trace, drawn
// into `drawing` with --preview or --port none; its serial settings applied), handed to
// `use`, which returns the exit status.
template <class Use>
int OnChosenPort(const CliOptions& options, LinuxPortDriver& system, const ChosenPort& chosen,
                 PageDrawing* pages, std::unique_ptr<RunRecording>& drawing, Use use) {
    const bool drawOnly = IsDrawOnly(options.port);
    StderrTrace trace;
    DiscardingPortDriver nowhere;
    PortDriver& device = drawOnly ? static_cast<PortDriver&>(nowhere) : system;
    std::vector<TrafficSink*> sinks;
    if (options.trace) sinks.push_back(&trace);
    if (drawOnly || options.previewDir) {
        drawing = pages->Recording(chosen.name);
        sinks.push_back(drawing.get());
    }
    std::unique_ptr<TracingPortDriver> tracing;
    if (!sinks.empty()) tracing = std::make_unique<TracingPortDriver>(device, sinks);
    PortDriver& driver = tracing ? static_cast<PortDriver&>(*tracing) : device;

    // As selecting the entry in the window does. The window says nothing when the port
    // refuses them; a script is told, and the tests still run at the port's own settings.
    if (chosen.serial && ApplySerialSettings(driver, chosen.name, options.settingsPath) == 0) {
        Write(stderr, "quillora-cli: " + chosen.name + ": serial settings not applied: " +
                          system.LastErrorText(chosen.name) + '\n');
    }
    return use(driver);
}

// `pages`: set when the run draws pages (NeedsPageDrawing).
int Run(const CliOptions& options, LinuxPortDriver& system, PageDrawing* pages) {
    const bool drawOnly = IsDrawOnly(options.port);
    const auto port = drawOnly ? ChosenPort{"none", false}
                               : ChoosePort(options.port, system, options.settingsPath);
    if (const auto* error = std::get_if<UsageError>(&port)) return Refuse(*error);
    const ChosenPort& chosen = std::get<ChosenPort>(port);
    if (options.previewDir) {
        if (const auto problem = PreviewFolderProblem(*options.previewDir)) return Refuse(*problem);
    }
    std::unique_ptr<RunRecording> drawing;
    if (options.command == Command::Watch) {
        return OnChosenPort(options, system, chosen, pages, drawing, [&](PortDriver& driver) {
            return Watch(options, driver, chosen.name);
        });
    }

    const TestContext context{options.fatigue,
                              PrintTxtBeside(options.settingsPath),
                              chosen.name,
                              pages ? &pages->Printers() : nullptr,
                              pages ? &pages->DriverPrints() : nullptr,
                              options.symbolEncoding};
    auto tests = PrepareTests(options.tests, context);
    if (const auto* error = std::get_if<UsageError>(&tests)) return Refuse(*error);

    return OnChosenPort(options, system, chosen, pages, drawing, [&](PortDriver& driver) {
        const auto& prepared = std::get<std::vector<PreparedTest>>(tests);
        std::vector<TestResult> results =
            RunTests(drawing ? drawing->Wrap(prepared) : prepared, driver, chosen.name);
        const bool drawn = !drawing || drawing->Finish(options.previewDir, drawOnly, results);
        const int status = drawn ? ExitStatusOf(results) : kExitFailed;
        Write(stdout,
              options.json ? ResultJson(chosen.name, results, status) : ResultLines(results));
        return status;
    });
}

int CliMain(const std::vector<std::string>& arguments, PageDrawing* pages, char* const argv[]) {
    const auto parsed = ParseCliOptions(arguments);
    if (const auto* error = std::get_if<UsageError>(&parsed)) return Refuse(*error);
    const CliOptions& options = std::get<CliOptions>(parsed);
    // Before anything is said, so that the full program says it once.
    if (!pages && NeedsPageDrawing(options)) return HandOverToFullProgram(argv);
    const LanguageChoice language = ChooseLanguage(
        options.language ? options.language->c_str() : nullptr, ProcessEnvironment());
    if (options.language && !language.problem.empty()) return Refuse({language.problem});
    if (!language.problem.empty()) Write(stderr, "quillora-cli: " + language.problem + '\n');
    texts::UseLanguage(language.language);
    switch (options.command) {
        case Command::Help:
            Write(stdout, UsageText());
            return kExitPassed;
        case Command::Version:
            Write(stdout, "quillora-cli " QUILLORA_VERSION "\n");
            return kExitPassed;
        default:
            break;
    }
    if (options.settingsGiven) {
        if (const auto problem = InputFileProblem(options.settingsPath)) {
            return Refuse({"--settings " + ValidUtf8(options.settingsPath) + ": " + *problem});
        }
    }
    const bool onPort = options.command == Command::Run || options.command == Command::Watch;
    const DeviceTable devices = onPort ? DevicesFor(options.port) : SystemDeviceTable();
    // The serial-settings dialog is the window's; this program never asks for it.
    LinuxPortDriver system(devices, PortTimeouts{}, {});
    if (onPort) return Run(options, system, pages);
    const std::vector<PortListing> ports = ListPorts(system, devices, options.settingsPath);
    Write(stdout, options.json ? PortJson(ports) : PortLines(ports));
    return kExitPassed;
}

}  // namespace

int CliProgram(int argc, char* argv[], PageDrawing* pages) {
    // The user's locale, for the system's error texts.
    std::setlocale(LC_ALL, "");
    return CliMain(std::vector<std::string>(argv + 1, argv + argc), pages, argv);
}

}  // namespace quillora::cli
