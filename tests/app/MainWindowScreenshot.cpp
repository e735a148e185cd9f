// Shows the main window on a real X server (Xvfb in the test run) and saves a picture of
// it, so a person can check the captions and the layout.
#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "app/AppPaths.h"
#include "app/MainTestDialog.h"
#include "resources/AppResources.h"
#include "support/ManualTickClock.h"
#include "support/RecordingPortDriver.h"
#include "support/ScriptedServices.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QString::fromUtf8(quillora::kAppDisplayName));
    QTemporaryDir workDir;
    quillora::SetAppDirectory(workDir.path().toStdString());

    quillora::test::RecordingPortDriver ports;
    ports.comCount = 2;
    ports.lptCount = 1;
    ports.usbCount = 1;
    quillora::test::RecordingMessages messages;
    quillora::test::ScriptedFileDialogs files;
    quillora::test::ManualTickClock clock;
    const quillora::AppServices services{ports, messages, files, clock};

    quillora::MainTestDialog dialog(services);
    dialog.show();
    int status = 1;
    QTimer::singleShot(500, &dialog, [&] {
        status = dialog.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
        dialog.reject();
    });
    dialog.exec();
    return status;
}
