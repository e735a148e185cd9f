#include <gtest/gtest.h>

#include "app/DataExchange.h"
#include "platform/FileDialogService.h"

namespace quillora {
namespace {

TEST(ParseDialogInteger, AcceptsSignAndSurroundingBlanksOnly) {
    EXPECT_EQ(ParseDialogInteger(QStringLiteral(" \t-7 \t")), -7);
    EXPECT_EQ(ParseDialogInteger(QStringLiteral("+0")), 0);
    EXPECT_EQ(ParseDialogInteger(QStringLiteral("-2147483648")), INT32_MIN);
    for (const char* text : {"", " ", "abc", "1 2", "12a", "--1", "+", "0x10", "1.5", "2147483648",
                             "99999999999999999999"}) {
        EXPECT_FALSE(ParseDialogInteger(QString::fromLatin1(text))) << text;
    }
}

TEST(FileFilter, DialogFilterTextBecomesQtFilters) {
    EXPECT_EQ(ToQtFileFilter(QStringLiteral("BMP Files (*.bmp)|*.bmp||")),
              QStringLiteral("BMP Files (*.bmp)"));
    EXPECT_EQ(ToQtFileFilter(QStringLiteral("Text|*.txt;*.log||")),
              QStringLiteral("Text (*.txt *.log)"));
}

}  // namespace
}  // namespace quillora
