// Shows the main window on a real X server and saves a picture of it for a person to check;
// with a second path, also the traffic monitor after the barcode test and a status query,
// its receipt preview drawn.
// The language is chosen as the program chooses it (QUILLORA_LANG, the locale).
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

#include "gui/ReceiptPreviewPane.h"
#include "gui/TrafficMonitorWindow.h"
#include "gui/TrafficTableModel.h"
#include "monitor/TrafficLog.h"
#include "port/TracingPortDriver.h"
#include "resources/AppResources.h"
#include "resources/Translation.h"
#include "support/DialogHarness.h"

int main(int argc, char* argv[]) {
    if (argc != 2 && argc != 3) return 2;  // usage: main_window_screenshot MAIN.png [MONITOR.png]
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QString::fromUtf8(quillora::kAppDisplayName));
    const quillora::LanguageChoice language =
        quillora::ChooseLanguage(nullptr, quillora::ProcessEnvironment());
    QTranslator translator;
    if (!language.problem.empty() || !quillora::InstallTranslation(language.language, translator)) {
        std::fprintf(stderr, "main_window_screenshot: no translation: %s\n",
                     language.problem.c_str());
        return 1;
    }

    quillora::test::DialogHarness harness;
    harness.ports.comCount = 2;
    harness.ports.lptCount = 1;
    harness.ports.usbCount = 1;
    harness.ports.replies = {std::string(1, '\x12')};
    // Recorded as at start-up, so the monitor has the session to show.
    quillora::TrafficLog traffic;
    quillora::TracingPortDriver tracing(harness.ports, {&traffic});
    const quillora::AppServices services{tracing,       harness.messages,   harness.files,
                                         harness.clock, harness.noPrinters, &traffic};
    quillora::MainTestDialog dialog(services);
    dialog.show();
    int status = 1;
    QTimer::singleShot(500, &dialog, [&] {
        status = dialog.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
        if (argc == 2) {
            dialog.reject();
            return;
        }
        dialog.BarcodeTest();
        dialog.PaperNearEndQuery();
        dialog.ShowTrafficMonitor();
        auto* monitor = dialog.findChild<quillora::TrafficMonitorWindow*>();
        // Once the preview shows the last line, or after ten seconds in any case.
        auto* look = new QTimer(&dialog);
        int looks = 0;
        QObject::connect(look, &QTimer::timeout, &dialog, [&, monitor, look] {
            monitor->Poll();
            const auto& rows = monitor->Model().Rows();
            const auto& shown = monitor->Preview()->Shown();
            const bool drawn = !rows.empty() && shown && shown->upTo == rows.back().sequence;
            if (!drawn && ++looks < 100) return;
            look->stop();
            if (!drawn || !monitor->grab().save(QString::fromLocal8Bit(argv[2]))) status = 1;
            dialog.reject();
        });
        look->start(100);
    });
    dialog.exec();
    return status;
}
