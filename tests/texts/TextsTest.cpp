#include <gtest/gtest.h>
#include <QFile>
#include <QXmlStreamReader>
#include <cstring>

#include "texts/EnglishTexts.h"
#include "texts/Texts.h"

namespace quillora::texts {
namespace {

// Sets a language for one test and puts Chinese back, as every other test expects.
class InLanguage {
public:
    explicit InLanguage(UiLanguage language) { UseLanguage(language); }
    ~InLanguage() { UseLanguage(UiLanguage::Chinese); }
};

TEST(TextsFormat, ReplacesEachMarkerOnceAndLeavesTheArgumentsUnread) {
    EXPECT_EQ(Format("数据没有完全发送成功!%1/%2", {"3", "10"}), "数据没有完全发送成功!3/10");
    EXPECT_EQ(Format("%2 before %1, %1 again", {"a", "b"}), "b before a, a again");
    // An argument holding a marker is taken as it stands, not read again.
    EXPECT_EQ(Format("%1 and %2", {"%2", "x"}), "%2 and x");
    EXPECT_EQ(Format("%12", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "L"}), "L");
}

TEST(TextsFormat, KeepsMarkersWithoutArgumentsAndLonePercentSigns) {
    EXPECT_EQ(Format("%1 %3", {"a"}), "a %3");
    EXPECT_EQ(Format("100% %", {}), "100% %");
    EXPECT_EQ(Format("%0 %1%", {"x"}), "%0 x%");
    EXPECT_EQ(Format("", {"x"}), "");
}

TEST(TextsJoined, PutsTheSeparatorOnlyBetweenParts) {
    EXPECT_EQ(Joined({}, ", "), "");
    EXPECT_EQ(Joined({"纸: 有纸"}, ", "), "纸: 有纸");
    EXPECT_EQ(Joined({"a", "", "c"}, "\n"), "a\n\nc");
}

TEST(TextsTranslate, ChineseUntilEnglishIsChosenAndTheSourceForAnUnknownText) {
    EXPECT_EQ(translate("SendReport", "文件太大,无法一次发送!"), "文件太大,无法一次发送!");
    const InLanguage english(UiLanguage::English);
    EXPECT_EQ(LanguageInUse(), UiLanguage::English);
    EXPECT_EQ(translate("SendReport", "文件太大,无法一次发送!"),
              "The file is too large to send at once!");
    EXPECT_EQ(translate("SendReport", "没有这句"), "没有这句");
    EXPECT_EQ(translate("NoSuchContext", "文件太大,无法一次发送!"), "文件太大,无法一次发送!");
}

// The table holds every translated message of the translation source, in the order the
// search needs, and each comes back through translate().
TEST(TextsTranslate, TheTableIsTheTranslationSourceInSearchOrder) {
    QFile file(QStringLiteral(QUILLORA_TS_FILE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    std::string context, source;
    std::size_t messages = 0;
    const InLanguage english(UiLanguage::English);
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        if (!xml.isStartElement()) continue;
        if (xml.name() == u"name") context = xml.readElementText().toStdString();
        if (xml.name() == u"source") source = xml.readElementText().toStdString();
        if (xml.name() == u"translation") {
            ++messages;
            EXPECT_EQ(translate(context.c_str(), source.c_str()),
                      xml.readElementText().toStdString())
                << context << ": " << source;
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    const auto entries = EnglishTexts();
    EXPECT_EQ(entries.size(), messages);
    EXPECT_GT(messages, 150u);
    for (std::size_t i = 1; i < entries.size(); ++i) {
        const int byContext = std::strcmp(entries[i - 1].context, entries[i].context);
        EXPECT_TRUE(byContext < 0 ||
                    (byContext == 0 && std::strcmp(entries[i - 1].source, entries[i].source) < 0))
            << i;
    }
}

}  // namespace
}  // namespace quillora::texts
