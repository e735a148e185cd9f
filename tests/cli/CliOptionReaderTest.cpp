// quillora-cli reads its command line without Qt, as Qt's parser read it before: every form
// a script may use gives the same options, values, arguments and refusal; texts are shown
// as UTF-8 while file paths keep their bytes.
#include <gtest/gtest.h>

#include <QCommandLineParser>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/OptionReader.h"

namespace quillora::cli {
namespace {

constexpr OptionName kKnown[] = {{"h"}, {"help"}, {"port", true}, {"json"}, {"text", true}};

// What Qt's parser made of `arguments`, in the reader's terms.
std::variant<ReadArguments, std::string> ReadByQt(const std::vector<std::string>& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionName& option : kKnown) {
        const QString name = QString::fromUtf8(option.name.data(), option.name.size());
        parser.addOption({name, {}, option.takesValue ? QStringLiteral("V") : QString()});
    }
    QStringList list{QStringLiteral("quillora-cli")};
    for (const std::string& argument : arguments) list << QString::fromLocal8Bit(argument);
    if (!parser.parse(list)) return parser.errorText().toStdString();
    ReadArguments read;
    for (const OptionName& option : kKnown) {
        const QString name = QString::fromUtf8(option.name.data(), option.name.size());
        if (parser.isSet(name)) read.options[name.toStdString()] = parser.value(name).toStdString();
    }
    for (const QString& argument : parser.positionalArguments())
        read.positional.push_back(argument.toStdString());
    return read;
}

TEST(CliOptionReader, ReadsEveryFormAsQtsParserDid) {
    const std::string kMark = "\xEF\xBB\xBF";  // a byte order mark
    const std::vector<std::vector<std::string>> lines{
        {"run", "--port", "COM1", "feed"},
        {"run", "--port=COM1", "-json", "feed", "-port=LPT1"},
        {"--port", "--json", "x"},
        {"run", "--port", "COM1", "--", "--json", "-h"},
        {"-", "--text=a=b", "--text", "", "-h"},
        {"--port=", "---json", "--=x", "-=y"},
        {"--bogus", "x", "-other=1", "y"},
        {"--json=1", "--bogus", "--help=2"},
        {"--json=1", "--port"},
        {"run", "--port"},
        {kMark + "--json", kMark + kMark + "feed", "--port", kMark + "COM1"},
    };
    for (const std::vector<std::string>& line : lines) {
        SCOPED_TRACE(testing::PrintToString(line));
        const auto ours = ReadCommandLine(line, kKnown);
        const auto qts = ReadByQt(line);
        ASSERT_EQ(ours.index(), qts.index());
        if (const auto* refusal = std::get_if<std::string>(&qts)) {
            EXPECT_EQ(std::get<std::string>(ours), *refusal);
            continue;
        }
        EXPECT_EQ(std::get<ReadArguments>(ours).options, std::get<ReadArguments>(qts).options);
        EXPECT_EQ(std::get<ReadArguments>(ours).positional,
                  std::get<ReadArguments>(qts).positional);
    }
}

TEST(CliOptions, FilePathsKeepTheirBytesAndTextsAreShownAsUtf8) {
    const auto parsed = ParseCliOptions({"run", "--port", "LPT1\xFF", "--settings", "\xFF.ini",
                                         "--text", "a\xE4\xB8", "file=\xFE.prn", "single=\xC0"});
    const CliOptions& options = std::get<CliOptions>(parsed);
    EXPECT_EQ(options.port, "LPT1\uFFFD");
    EXPECT_EQ(options.settingsPath, "\xFF.ini");
    EXPECT_EQ(options.fatigue.text, "a\uFFFD\uFFFD");
    EXPECT_EQ(options.tests, (std::vector<std::string>{"file=\xFE.prn", "single=\xC0"}));

    const std::vector<std::pair<std::vector<std::string>, std::string>> refusals{
        {{"r\xFFn"}, "unknown command: r\uFFFDn"},
        {{"ports", "\xFF"}, "ports takes no tests: \uFFFD"},
        {{"run", "--port=IP", "--interval=%2", "feed"},
         "--interval %2: not a whole number of seconds from 1 to 86400"},
        {{"watch", "--port", "IP", "--seconds", "%1"},
         "--seconds %1: not a whole number from 1 to 86400"},
        {{"--\xFF", "--x"}, "Unknown options: \uFFFD, x."},
    };
    for (const auto& [line, message] : refusals) {
        const auto refused = ParseCliOptions(line);
        ASSERT_TRUE(std::holds_alternative<UsageError>(refused)) << message;
        EXPECT_EQ(std::get<UsageError>(refused).message, message);
    }
}

}  // namespace
}  // namespace quillora::cli
