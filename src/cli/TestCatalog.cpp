#include "cli/TestCatalog.h"

#include <QFile>
#include <array>
#include <atomic>
#include <memory>

#include "app/DataExchange.h"
#include "app/SampleText.h"
#include "cli/InputFiles.h"
#include "commands/CommandBytes.h"
#include "commands/FunctionSwitch.h"
#include "commands/OneShotTexts.h"
#include "commands/StatusExchange.h"
#include "commands/WholeFile.h"
#include "continuous/ContinuousRun.h"
#include "continuous/CopyComposition.h"
#include "imaging/BmpReader.h"
#include "imaging/ImageSends.h"

namespace quillora::cli {
namespace {

using Prepared = std::variant<PreparedTest, UsageError>;

struct Spec {
    std::string text;              // the whole argument
    std::string key;               // before the first '='
    std::optional<QString> value;  // after it
};

UsageError Problem(const Spec& spec, const std::string& problem) {
    return {spec.text + ": " + problem};
}

// The outcome of a test that only sends: the window's message when it has one for what
// happened, otherwise "sent N of M bytes", with the driver's error after a short send.
TestResult SendOutcome(PortDriver& driver, const PortName& port, const SendTally& tally,
                       const QString& completeMessage = {}, const QString& shortMessage = {}) {
    TestResult result;
    result.tally = tally;
    result.outcome = tally.Complete() ? Outcome::Ok : Outcome::Failed;
    const QString window = tally.Complete() ? completeMessage : shortMessage;
    result.message = !window.isEmpty()
                         ? window
                         : QStringLiteral("sent %1 of %2 bytes").arg(tally.taken).arg(tally.total);
    const std::string error = driver.LastErrorText(port);
    if (!tally.Complete() && !error.empty()) {
        result.message += QStringLiteral(": ") + QString::fromLocal8Bit(error.c_str());
    }
    return result;
}

PreparedTest BlocksTest(const Spec& spec, std::vector<CommandBlock> blocks) {
    return {spec.text, [blocks = std::move(blocks)](PortDriver& driver, const PortName& port) {
                return SendOutcome(driver, port, SendBlocks(driver, port, blocks));
            }};
}

Prepared SingleTest(const Spec& spec, const TestContext& context) {
    QString text;
    if (!spec.value) {
        text = StartupText(context.printTxtPath);
    } else if (spec.value->startsWith(u'@')) {
        const std::string path = QFile::encodeName(spec.value->mid(1)).toStdString();
        if (const auto problem = InputFileProblem(path)) return Problem(spec, *problem);
        const TextFile loaded = ReadTextFile(path);
        if (!loaded.text) return Problem(spec, loaded.problem);
        text = *loaded.text;
    } else {
        text = *spec.value;
    }
    const CommandBlock block = SinglePrintBlock(PrinterTextBytes(text));
    return PreparedTest{spec.text, [block](PortDriver& driver, const PortName& port) {
                            const SendTally tally = SendBlocks(driver, port, {block});
                            return SendOutcome(driver, port, tally, {},
                                               PartialSendText(int(tally.taken), int(tally.total)));
                        }};
}

Prepared FileTest(const Spec& spec) {
    const std::string path = QFile::encodeName(*spec.value).toStdString();
    if (const auto problem = InputFileProblem(path)) return Problem(spec, *problem);
    auto file = std::make_shared<WholeFile>(ReadWholeFile(path));
    switch (file->outcome) {
        case WholeFile::Outcome::Read:
            break;
        case WholeFile::Outcome::TooLarge:
            return Problem(spec, FileTooLargeText().toStdString());
        default:
            return Problem(spec, "cannot be read: " + file->error.message());
    }
    return PreparedTest{spec.text, [file](PortDriver& driver, const PortName& port) {
                            DirectChannel channel(driver, port);
                            return SendOutcome(driver, port, SendWholeFile(channel, *file));
                        }};
}

struct NamedSwitch {
    const char* name;
    const FunctionSwitch* function;
};
constexpr std::array<NamedSwitch, 4> kSwitches{{{"switch:black-mark", &kBlackMarkSwitch},
                                                {"switch:near-end", &kNearEndSwitch},
                                                {"switch:paper-take", &kPaperTakeSwitch},
                                                {"switch:cutter", &kCutterSwitch}}};

Prepared SwitchTest(const Spec& spec, const FunctionSwitch& function) {
    if (spec.value != QLatin1String("on") && spec.value != QLatin1String("off")) {
        return Problem(spec, "a switch is set =on or =off");
    }
    const bool on = spec.value == QLatin1String("on");
    return BlocksTest(spec, {FunctionSwitchBlock(on ? function.onByte : function.offByte)});
}

PreparedTest StatusTest(const Spec& spec, StatusQuery (*query)()) {
    return {spec.text, [query](PortDriver& driver, const PortName& port) {
                const StatusQuery asked = query();
                const StatusExchange exchange = ExchangeStatus(driver, port, asked);
                TestResult result;
                result.message = exchange.text;
                if (exchange.refused) {
                    result.outcome = Outcome::Refused;
                    return result;
                }
                result.tally = {std::int64_t(asked.request.size()), exchange.requestSent};
                result.reply = exchange.reply;
                if (exchange.replied) result.status = asked.fields(exchange.reply);
                const bool fault = !exchange.replied || ReportsFault(*result.status);
                result.outcome = fault ? Outcome::Failed : Outcome::Ok;
                return result;
            }};
}

using PictureSend = ImageSend (*)(SendChannel&, const PaddedBitmap&);

// `doneText`: what the window shows once the last command was taken (nullptr: nothing).
Prepared PictureTest(const Spec& spec, int rowMultiple, PictureSend send, const char* doneText) {
    const std::string path = QFile::encodeName(*spec.value).toStdString();
    if (const auto problem = InputFileProblem(path)) return Problem(spec, *problem);
    BmpReadResult read = ReadPaddedBitmap(path, rowMultiple);
    if (const auto* error = std::get_if<BmpReadError>(&read)) {
        return Problem(spec, std::string("unusable BMP: ") + BmpReadFailureText(error->failure));
    }
    auto bitmap = std::make_shared<PaddedBitmap>(std::move(std::get<PaddedBitmap>(read)));
    return PreparedTest{spec.text, [=](PortDriver& driver, const PortName& port) {
                            DirectChannel channel(driver, port);
                            const ImageSend sent = send(channel, *bitmap);
                            if (sent.noMemory) {
                                TestResult result;
                                result.outcome = Outcome::Failed;
                                result.message =
                                    QString::fromUtf8(BmpReadFailureText(BmpReadFailure::NoMemory));
                                return result;
                            }
                            const bool done = doneText && sent.lastCount != 0;
                            return SendOutcome(driver, port, sent.tally,
                                               done ? QString::fromUtf8(doneText) : QString());
                        }};
}

Prepared FatigueTest(const Spec& spec, const TestContext& context) {
    const std::optional<int> copies = ParseDialogInteger(*spec.value);
    if (!copies || !kCopyCountRange.Contains(*copies)) {
        return Problem(spec, "the number of copies is a whole number from " +
                                 std::to_string(kCopyCountRange.low) + " to " +
                                 std::to_string(kCopyCountRange.high));
    }
    const FatigueOptions& fatigue = context.fatigue;
    const std::string text =
        PrinterTextBytes(fatigue.text ? *fatigue.text : StartupText(context.printTxtPath));
    const PortCopyOptions options{fatigue.logo, fatigue.mixed, fatigue.cut};
    const int interval = fatigue.intervalSeconds;
    return PreparedTest{
        spec.text, [=, count = *copies](PortDriver& driver, const PortName& port) {
            const std::atomic<int> stop{0}, seconds{interval}, copyCount{count}, portMode{0};
            SystemTickClock clock;
            SendTally tally;
            RunContinuousPrint({stop, seconds, copyCount, portMode}, clock,
                               {[&](int, int copyNumber) {
                                    tally += SendPortCopy(driver, port, copyNumber,
                                                          clock.LocalTime(), text, options);
                                },
                                [] {}});
            return SendOutcome(driver, port, tally);
        }};
}

Spec SplitSpec(const QString& argument) {
    Spec spec{argument.toStdString(), {}, {}};
    const qsizetype equals = argument.indexOf(u'=');
    spec.key = argument.left(equals).toStdString();
    if (equals >= 0) spec.value = argument.mid(equals + 1);
    return spec;
}

// The tests that take no argument and send fixed blocks.
std::optional<std::vector<CommandBlock>> FixedBlocks(const std::string& key) {
    if (key == "half-cut") return std::vector{HalfCutBlock()};
    if (key == "full-cut") return std::vector{FullCutBlock()};
    if (key == "feed") return std::vector{FeedBlock()};
    if (key == "drawer") return std::vector{CashDrawerBlock()};
    if (key == "black-mark-feed") return std::vector{BlackMarkFeedBlock()};
    if (key == "barcodes") return BarcodePageBlocks();
    if (key == "enlarge") return EnlargementBlocks();
    if (key == "align") return AlignmentBlocks();
    return std::nullopt;
}

StatusQuery (*StatusQueryOf(const std::string& key))() {
    if (key == "near-end") return &NearEndQuery;
    if (key == "paper-taken") return &PaperTakenQuery;
    if (key == "serial-status") return &SerialStatusQuery;
    return nullptr;
}

Prepared Prepare(const Spec& spec, const TestContext& context) {
    const bool hasValue = spec.value.has_value();
    const auto takesNoValue = [&]() -> std::optional<UsageError> {
        if (hasValue) return Problem(spec, "this test takes no value");
        return std::nullopt;
    };
    if (const auto blocks = FixedBlocks(spec.key)) {
        if (auto error = takesNoValue()) return *error;
        return BlocksTest(spec, *blocks);
    }
    if (const auto query = StatusQueryOf(spec.key)) {
        if (auto error = takesNoValue()) return *error;
        return StatusTest(spec, query);
    }
    for (const NamedSwitch& named : kSwitches) {
        if (spec.key == named.name) return SwitchTest(spec, *named.function);
    }
    if (spec.key == "single") return SingleTest(spec, context);
    const bool needsValue = spec.key == "file" || spec.key == "nv-logo" || spec.key == "raster" ||
                            spec.key == "fatigue";
    if (!needsValue) return UsageError{"unknown test: " + spec.text};
    if (!hasValue || spec.value->isEmpty()) return Problem(spec, "needs =VALUE");
    if (spec.key == "file") return FileTest(spec);
    if (spec.key == "nv-logo")
        return PictureTest(spec, kNvLogoRowMultiple, &SendNvLogo, NvLogoDoneText());
    if (spec.key == "raster")
        return PictureTest(spec, kRasterRowMultiple, &SendRasterBands, nullptr);
    return FatigueTest(spec, context);
}

}  // namespace

std::variant<std::vector<PreparedTest>, UsageError> PrepareTests(const QStringList& specs,
                                                                 const TestContext& context) {
    std::vector<PreparedTest> tests;
    for (const QString& argument : specs) {
        Prepared prepared = Prepare(SplitSpec(argument), context);
        if (auto* error = std::get_if<UsageError>(&prepared)) return std::move(*error);
        tests.push_back(std::move(std::get<PreparedTest>(prepared)));
    }
    return tests;
}

}  // namespace quillora::cli
