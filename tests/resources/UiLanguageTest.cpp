#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <map>
#include <string>

#include "resources/Translation.h"

namespace quillora {
namespace {

using Environment = std::map<std::string, std::string>;

EnvironmentReader Reading(const Environment& values) {
    return [values](const char* name) -> const char* {
        const auto found = values.find(name);
        return found == values.end() ? nullptr : found->second.c_str();
    };
}

UiLanguage OfLocale(const Environment& values) {
    return LanguageOfLocale(Reading(values));
}

constexpr UiLanguage zh = UiLanguage::Chinese;
constexpr UiLanguage en = UiLanguage::English;

TEST(UiLanguage, ChineseForChineseAndForTheCLocaleEnglishForAnyOther) {
    EXPECT_EQ(OfLocale({}), zh);
    EXPECT_EQ(OfLocale({{"LANG", ""}}), zh);
    EXPECT_EQ(OfLocale({{"LANG", "C"}}), zh);
    EXPECT_EQ(OfLocale({{"LANG", "C.UTF-8"}}), zh);
    EXPECT_EQ(OfLocale({{"LANG", "POSIX"}}), zh);
    EXPECT_EQ(OfLocale({{"LANG", "zh_CN.UTF-8"}}), zh);
    EXPECT_EQ(OfLocale({{"LANG", "zh_TW.UTF-8"}}), zh);
    EXPECT_EQ(OfLocale({{"LANG", "de_DE.UTF-8"}}), en);
    EXPECT_EQ(OfLocale({{"LANG", "en_GB.UTF-8"}}), en);
    EXPECT_EQ(OfLocale({{"LANG", "ja_JP.UTF-8"}}), en);
}

TEST(UiLanguage, LcAllThenLcMessagesThenLangAndLanguageOnlyBesideARealLocale) {
    EXPECT_EQ(OfLocale({{"LC_ALL", "de_DE.UTF-8"}, {"LANG", "zh_CN.UTF-8"}}), en);
    EXPECT_EQ(OfLocale({{"LC_ALL", "C"}, {"LANG", "de_DE.UTF-8"}}), zh);
    EXPECT_EQ(OfLocale({{"LC_MESSAGES", "zh_CN.UTF-8"}, {"LANG", "de_DE.UTF-8"}}), zh);
    EXPECT_EQ(OfLocale({{"LC_ALL", ""}, {"LC_MESSAGES", "fr_FR"}, {"LANG", "zh_CN"}}), en);
    EXPECT_EQ(OfLocale({{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "zh_CN:en"}}), zh);
    EXPECT_EQ(OfLocale({{"LANG", "zh_CN.UTF-8"}, {"LANGUAGE", "fr:zh_CN"}}), en);
    // gettext too ignores LANGUAGE in the C locale.
    EXPECT_EQ(OfLocale({{"LANG", "C"}, {"LANGUAGE", "en"}}), zh);
}

TEST(UiLanguage, TheOptionWinsOverTheVariableWhichWinsOverTheLocale) {
    const Environment german{{"LANG", "de_DE.UTF-8"}};
    EXPECT_EQ(ChooseLanguage("zh", Reading(german)).language, zh);
    EXPECT_EQ(ChooseLanguage(nullptr, Reading(german)).language, en);
    const Environment forced{{"LANG", "de_DE.UTF-8"}, {"QUILLORA_LANG", "zh"}};
    EXPECT_EQ(ChooseLanguage(nullptr, Reading(forced)).language, zh);
    EXPECT_EQ(ChooseLanguage("en", Reading(forced)).language, en);
    EXPECT_EQ(ChooseLanguage(nullptr, Reading({{"QUILLORA_LANG", "en"}})).language, en);
    EXPECT_TRUE(ChooseLanguage("en", Reading(forced)).problem.empty());
}

TEST(UiLanguage, AnUnknownChoiceIsNamedAndTheLocaleDecides) {
    const LanguageChoice option = ChooseLanguage("de", Reading({{"LANG", "C"}}));
    EXPECT_EQ(option.problem, "--lang de: the language is zh or en");
    EXPECT_EQ(option.language, zh);
    const LanguageChoice variable =
        ChooseLanguage(nullptr, Reading({{"QUILLORA_LANG", "english"}, {"LANG", "fr_FR"}}));
    EXPECT_EQ(variable.problem,
              "QUILLORA_LANG=english ignored: the language is zh or en; the locale's is used");
    EXPECT_EQ(variable.language, en);
}

TEST(UiLanguage, TheEmbeddedEnglishTranslationLoadsAndTranslates) {
    QTranslator translator;
    ASSERT_TRUE(InstallTranslation(en, translator));
    EXPECT_EQ(QCoreApplication::translate("MainWindow", "全切"), QStringLiteral("Full cut"));
    QCoreApplication::removeTranslator(&translator);
    EXPECT_EQ(QCoreApplication::translate("MainWindow", "全切"), QStringLiteral("全切"));
    QTranslator unused;
    EXPECT_TRUE(InstallTranslation(zh, unused));
    EXPECT_TRUE(unused.isEmpty());
}

// Placeholders (%1 ...) of a text, in order of number.
QStringList Placeholders(const QString& text) {
    QStringList found;
    for (const auto& match : QRegularExpression(QStringLiteral("%\\d")).globalMatch(text))
        found << match.captured();
    found.sort();
    return found;
}

TEST(UiLanguage, EveryTextOfTheTranslationSourceHasAnEnglishTextWithItsPlaceholders) {
    QFile file(QStringLiteral(QUILLORA_TS_FILE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    const QRegularExpression chinese(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    QString context, source;
    int messages = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("name")) context = xml.readElementText();
        if (xml.name() == QLatin1String("source")) source = xml.readElementText();
        if (xml.name() != QLatin1String("translation")) continue;
        ++messages;
        const bool unfinished = xml.attributes().value(QLatin1String("type")).size() > 0;
        const QString english = xml.readElementText();
        const std::string where = (context + QLatin1Char('|') + source).toStdString();
        EXPECT_FALSE(unfinished) << where;
        EXPECT_FALSE(english.isEmpty()) << where;
        EXPECT_FALSE(english.contains(chinese)) << where << " -> " << english.toStdString();
        EXPECT_EQ(Placeholders(english), Placeholders(source)) << where;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(messages, 100);
}

}  // namespace
}  // namespace quillora
