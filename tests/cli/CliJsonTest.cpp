// quillora-cli writes its JSON without Qt, byte for byte as Qt's writer did: the same
// documents give the same bytes, whatever their texts and numbers; argument bytes are read
// as Qt read them.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <bit>
#include <random>

#include "cli/JsonText.h"
#include "cli/ResultOutput.h"
#include "cli/Utf8Text.h"

namespace quillora::cli {
namespace {

QJsonValue ToQt(const json::Value& value) {
    return std::visit(
        [](const auto& held) -> QJsonValue {
            using Held = std::decay_t<decltype(held)>;
            if constexpr (std::is_same_v<Held, std::string>) {
                return QString::fromStdString(held);
            } else if constexpr (std::is_same_v<Held, json::Array>) {
                QJsonArray array;
                for (const json::Value& element : held) array.append(ToQt(element));
                return array;
            } else if constexpr (std::is_same_v<Held, json::Object>) {
                QJsonObject object;
                for (const auto& [key, member] : held)
                    object.insert(QString::fromStdString(key), ToQt(member));
                return object;
            } else if constexpr (std::is_same_v<Held, std::int64_t>) {
                return QJsonValue(qint64(held));
            } else {
                return QJsonValue(held);
            }
        },
        value.held);
}

void ExpectQtsBytes(const json::Value& document) {
    const QJsonValue qt = ToQt(document);
    const QJsonDocument qtDocument =
        qt.isArray() ? QJsonDocument(qt.toArray()) : QJsonDocument(qt.toObject());
    EXPECT_EQ(json::Write(document, json::Layout::Indented),
              qtDocument.toJson(QJsonDocument::Indented).toStdString());
    EXPECT_EQ(json::Write(document, json::Layout::Compact),
              qtDocument.toJson(QJsonDocument::Compact).toStdString());
}

const char* const kTexts[] = {
    "",
    "quote \" backslash \\ slash /",
    "line\nbreak\ttab\rback\bfeed\f",
    "控制\x01\x1F\x7F",
    "cut \xE4\xB8 short, \xFF, overlong \xC0\x80, surrogate \xED\xA0\x80, \xF4\x90\x80\x80",
    "\xEF\xBB\xBF"
    "marked",
    "\xF0\x9F\x96\xA8 printer",
};

TEST(CliJson, DocumentsOfEveryShapeAreWrittenAsQtWroteThem) {
    json::Array tests;
    for (const char* text : kTexts) {
        tests.emplace_back(json::Object{{"name", text},
                                        {"status", json::Object{}},
                                        {"durationMs", 0.5},
                                        {"bytesSent", std::int64_t{1} << 40},
                                        {"flags", json::Object{{"z", true}, {"a", false}}}});
    }
    ExpectQtsBytes(json::Object{{"tests", tests}, {"port", "COM1"}, {"exitStatus", 2}});
    ExpectQtsBytes(json::Object{{"tests", json::Array{}}, {"port", ""}, {"exitStatus", 0}});
    ExpectQtsBytes(json::Array{});
    ExpectQtsBytes(json::Array{json::Object{{"target", "/dev/ttyS0"}, {"name", "COM1"}}});
}

TEST(CliJson, NumbersAreWrittenAsQtWroteThem) {
    json::Array numbers{0.0,
                        -0.0,
                        0.5,
                        1e-7,
                        12345.678,
                        1e-4,
                        2e-3,
                        0.000123456,
                        100000.0,
                        9007199254740992.0,
                        9007199254740994.0,
                        1e16,
                        1e21,
                        5e-324,
                        -2.5,
                        std::numeric_limits<double>::infinity(),
                        std::int64_t{-7},
                        86400};
    std::mt19937_64 random(27);
    for (int i = 0; i < 3000; ++i) {
        const double any = std::bit_cast<double>(random());
        const double duration = double(random() % 100000000) / double(1 + random() % 1000000);
        numbers.insert(numbers.end(), {any, duration, std::round(duration)});
    }
    for (const json::Value& number : numbers) ExpectQtsBytes(json::Array{number});
}

TEST(CliJson, TheRunsDocumentsAreQtsLayoutOfTheirContent) {
    TestResult unanswered{"serial-status", Outcome::Failed, {0, 3}, "",
                          StatusFields{},  kTexts[4],       1e-7};
    TestResult answered{"status", Outcome::Ok, {3, 3}, "\x12\x1E", StatusFields{}, "ok", 12.5};
    answered.status->coverOpen = false;
    answered.status->unrecognised = true;
    for (const std::string& document :
         {ResultJson("COM1", {unanswered, answered}, 1), ResultJson("IP", {}, 0),
          PortJson({{"COM1", "/dev/ttyS0"}, {"USB1", ""}}), PortJson({})}) {
        EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(document))
                      .toJson(QJsonDocument::Indented)
                      .toStdString(),
                  document);
    }
    const std::string run = ResultJson("COM1", {unanswered, answered}, 1);
    EXPECT_NE(run.find("\"reply\": \"12 1e\",\n"), std::string::npos) << run;
    EXPECT_NE(run.find("\"status\": {\n            }\n"), std::string::npos) << run;
    EXPECT_NE(run.find("\"message\": \"cut \uFFFD\uFFFD short, \uFFFD,"), std::string::npos) << run;
}

TEST(CliText, ArgumentBytesAreReadAsQtReadThem) {
    std::vector<std::string> samples(std::begin(kTexts), std::end(kTexts));
    std::mt19937 random(27);
    // Bytes around every boundary of the UTF-8 forms.
    const std::uint8_t near[] = {0x01, 0x41, 0x7F, 0x80, 0xBF, 0xC1, 0xC2, 0xDF, 0xE0,
                                 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF, 0xA0, 0x9F, 0x8F};
    for (int i = 0; i < 5000; ++i) {
        std::string bytes(random() % 8, '\0');
        for (char& byte : bytes) byte = char(near[random() % sizeof near]);
        samples.push_back(bytes);
    }
    for (const std::string& bytes : samples) {
        EXPECT_EQ(ValidUtf8(WithoutByteOrderMark(bytes)),
                  QString::fromLocal8Bit(bytes.c_str()).toStdString())
            << testing::PrintToString(bytes);
    }
}

}  // namespace
}  // namespace quillora::cli
