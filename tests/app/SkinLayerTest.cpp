#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>

#include "app/SkinLayer.h"

namespace quillora {
namespace {

class SkinLayerTest : public testing::Test {
protected:
    void SetUp() override { qApp->setStyleSheet(QString()); }
    void TearDown() override { qApp->setStyleSheet(QString()); }
    std::string Write(const std::string& bytes) const {
        const std::string path = dir.filePath("XPCorona.ssk").toStdString();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(SkinLayerTest, AStyleSheetSkinStylesTheApplication) {
    ApplySkin(*qApp, Write("QPushButton { color: #123456; }"));
    EXPECT_EQ(qApp->styleSheet(), QStringLiteral("QPushButton { color: #123456; }"));
}

TEST_F(SkinLayerTest, MissingOrBinarySkinChangesNothing) {
    ApplySkin(*qApp, dir.filePath("none.ssk").toStdString());
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    ApplySkin(*qApp, Write(std::string("SKN\0\x01\x02", 6)));
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    ApplySkin(*qApp, Write("\xFF\xFE not utf-8"));
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
}

}  // namespace
}  // namespace quillora
