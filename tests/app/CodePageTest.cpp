#include <gtest/gtest.h>

#include "app/SampleText.h"
#include "platform/CodePage936.h"

namespace quillora {
namespace {

TEST(CodePage936, EncodesDecodesAndReplacesWhatItCannotHold) {
    EXPECT_EQ(ToGbk(QStringLiteral("纸将尽AB\r\n")),
              "\xD6\xBD\xBD\xAB\xBE\xA1"
              "AB\r\n");
    // An emoji (outside the BMP) and a Korean syllable have no GBK form: one '?' each.
    EXPECT_EQ(ToGbk(QStringLiteral("a\U0001F600b\uD55Cc")), "a?b?c");
    EXPECT_EQ(FromGbk("\xB4\xF2\xD3\xA1"), QStringLiteral("打印"));
    EXPECT_EQ(FromGbk("A\xFF"), QStringLiteral("A\uFFFD"));
}

TEST(SampleText, TwoParagraphsOf601GbkBytesAnd315Characters) {
    const QString text = ToCrLfLineBreaks(BuiltInSampleText());
    const std::string bytes = ToGbk(text);
    EXPECT_EQ(bytes.size(), 601u);
    EXPECT_EQ(text.size(), 315);
    const size_t lineBreak = bytes.find("\r\n");
    ASSERT_NE(lineBreak, std::string::npos);
    EXPECT_EQ(bytes.substr(0, 4) + bytes.substr(lineBreak + 2, 4), "        ");
    EXPECT_EQ(bytes.find("\r\n", lineBreak + 2), std::string::npos);
    EXPECT_NE(bytes.substr(bytes.size() - 2), "\r\n");
}

}  // namespace
}  // namespace quillora
