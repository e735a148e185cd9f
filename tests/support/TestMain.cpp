// One QApplication for every test of a test program, on the offscreen platform unless
// the caller chose another (the screenshot run uses a real X server).
#include <gtest/gtest.h>
#include <QApplication>

#include "resources/AppResources.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QString::fromUtf8(quillora::kAppDisplayName));
    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    QCoreApplication::sendPostedEvents();
    return status;
}
