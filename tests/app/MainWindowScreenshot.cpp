// Shows the main window on a real X server and saves a picture of it for a person to check.
#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include "resources/AppResources.h"
#include "support/DialogHarness.h"

int main(int argc, char* argv[]) {
    if (argc != 2) return 2;  // usage: main_window_screenshot OUTPUT.png
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QString::fromUtf8(quillora::kAppDisplayName));

    quillora::test::DialogHarness harness;
    harness.ports.comCount = 2;
    harness.ports.lptCount = 1;
    harness.ports.usbCount = 1;
    quillora::MainTestDialog& dialog = harness.Create();
    dialog.show();
    int status = 1;
    QTimer::singleShot(500, &dialog, [&] {
        status = dialog.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
        dialog.reject();
    });
    dialog.exec();
    return status;
}
