#include <gtest/gtest.h>
#include <QApplication>
#include <QTemporaryDir>

#include <fstream>

#include "app/SkinLayer.h"

namespace quillora {
namespace {

TEST(SkinLayer, OnlyAReadableStyleSheetStylesTheApplication) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("XPCorona.ssk").toStdString();
    qApp->setStyleSheet(QString());
    ApplySkin(*qApp, path);  // missing
    for (const std::string& bytes : {std::string("SKN\0\x01\x02", 6), std::string("\xFF\xFE x")}) {
        std::ofstream(path, std::ios::binary) << bytes;
        ApplySkin(*qApp, path);  // binary, not UTF-8
    }
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    std::ofstream(path, std::ios::binary) << "QPushButton { color: #123456; }";
    ApplySkin(*qApp, path);
    EXPECT_EQ(qApp->styleSheet(), QStringLiteral("QPushButton { color: #123456; }"));
    qApp->setStyleSheet(QString());
}

}  // namespace
}  // namespace quillora
