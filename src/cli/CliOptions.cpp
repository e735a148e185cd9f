#include "cli/CliOptions.h"

#include <QCommandLineParser>

#include "checks/CheckCatalogue.h"
#include "checks/DataExchange.h"
#include "cli/PortChoice.h"

namespace quillora::cli {
namespace {

UsageError Usage(const QString& message) {
    return {message.toStdString()};
}

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

std::variant<CliOptions, UsageError> ParseCliOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, {});
    const QCommandLineOption version(QStringLiteral("version"), {});
    const QCommandLineOption port(QStringLiteral("port"), {}, QStringLiteral("NAME"));
    const QCommandLineOption settings(QStringLiteral("settings"), {}, QStringLiteral("FILE"));
    const QCommandLineOption json(QStringLiteral("json"), {});
    const QCommandLineOption trace(QStringLiteral("trace"), {});
    const QCommandLineOption interval(QStringLiteral("interval"), {}, QStringLiteral("S"));
    const QCommandLineOption logo(QStringLiteral("logo"), {});
    const QCommandLineOption mixed(QStringLiteral("mixed"), {});
    const QCommandLineOption cut(QStringLiteral("cut"), {});
    const QCommandLineOption text(QStringLiteral("text"), {}, QStringLiteral("TEXT"));
    const QCommandLineOption encoding(QStringLiteral("encoding"), {}, QStringLiteral("E"));
    const QCommandLineOption seconds(QStringLiteral("seconds"), {}, QStringLiteral("N"));
    const QCommandLineOption poll(QStringLiteral("poll"), {});
    const QCommandLineOption preview(QStringLiteral("preview"), {}, QStringLiteral("DIR"));
    const QCommandLineOption lang(QStringLiteral("lang"), {}, QStringLiteral("LANG"));
    parser.addOptions({help, version, port, settings, json, trace, interval, logo, mixed, cut, text,
                       encoding, seconds, poll, preview, lang});
    // The parser wants the program's name first.
    if (!parser.parse(QStringList{QStringLiteral("quillora-cli")} + arguments)) {
        return Usage(parser.errorText());
    }

    CliOptions options;
    if (parser.isSet(lang)) options.language = parser.value(lang).toStdString();
    if (parser.isSet(help)) return options;
    if (parser.isSet(version)) {
        options.command = Command::Version;
        return options;
    }
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) return Usage(QStringLiteral("no command: ports or run"));
    const QString command = positional.takeFirst();
    if (command == QLatin1String("ports")) {
        options.command = Command::Ports;
        if (!positional.isEmpty()) {
            return Usage(QStringLiteral("ports takes no tests: ") + positional.first());
        }
    } else if (command == QLatin1String("run")) {
        options.command = Command::Run;
        if (!parser.isSet(port)) return Usage(QStringLiteral("run needs --port NAME"));
        if (positional.isEmpty()) return Usage(QStringLiteral("run needs at least one test"));
    } else if (command == QLatin1String("watch")) {
        options.command = Command::Watch;
        if (!parser.isSet(port)) return Usage(QStringLiteral("watch needs --port NAME"));
        if (!positional.isEmpty()) {
            return Usage(QStringLiteral("watch takes no tests: ") + positional.first());
        }
        // Nothing a watch sends is drawn, and a port that never answers has nothing to watch.
        if (parser.isSet(preview)) return Usage(QStringLiteral("--preview applies to run only"));
        if (IsDrawOnly(parser.value(port))) {
            return Usage(
                QStringLiteral("watch needs a printer that answers: --port none has none"));
        }
    } else {
        return Usage(QStringLiteral("unknown command: ") + command);
    }
    options.port = parser.value(port);
    if (parser.isSet(settings)) {
        options.settingsPath = parser.value(settings).toStdString();
        options.settingsGiven = true;
    }
    options.json = parser.isSet(json);
    options.trace = parser.isSet(trace);
    if (parser.isSet(interval)) {
        const std::optional<int> seconds = ParseDialogInteger(parser.value(interval).toStdString());
        if (!seconds || !kIntervalSecondsRange.Contains(*seconds)) {
            return Usage(
                QStringLiteral("--interval %1: not a whole number of seconds from %2 to %3")
                    .arg(parser.value(interval))
                    .arg(kIntervalSecondsRange.low)
                    .arg(kIntervalSecondsRange.high));
        }
        options.fatigue.intervalSeconds = *seconds;
    }
    options.fatigue.logo = parser.isSet(logo);
    options.fatigue.mixed = parser.isSet(mixed);
    options.fatigue.cut = parser.isSet(cut);
    if (parser.isSet(text)) options.fatigue.text = parser.value(text);
    if (parser.isSet(encoding)) {
        const QString name = parser.value(encoding).toUpper();
        if (name == QLatin1String("UTF-8") || name == QLatin1String("UTF8")) {
            options.symbolEncoding = TextEncoding::Utf8;
        } else if (name != QLatin1String("GBK")) {
            return Usage(QStringLiteral("--encoding %1: GBK or UTF-8").arg(parser.value(encoding)));
        }
    }
    if (parser.isSet(seconds)) {
        const std::optional<int> count = ParseDialogInteger(parser.value(seconds).toStdString());
        if (!count || *count < 1 || *count > kMaxWatchSeconds) {
            return Usage(QStringLiteral("--seconds %1: not a whole number from 1 to %2")
                             .arg(parser.value(seconds))
                             .arg(kMaxWatchSeconds));
        }
        options.watchSeconds = *count;
    }
    options.poll = parser.isSet(poll);
    if (parser.isSet(preview)) options.previewDir = parser.value(preview);
    options.tests = positional;
    return options;
}

}  // namespace quillora::cli
