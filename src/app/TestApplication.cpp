#include "app/TestApplication.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

#include "driverprint/Spooler.h"
#include "gui/AppServices.h"
#include "gui/FileDialogService.h"
#include "gui/MainTestDialog.h"
#include "gui/MessageService.h"
#include "gui/SerialSettingsDialog.h"
#include "gui/SkinLayer.h"
#include "monitor/TrafficLog.h"
#include "platform/AppPaths.h"
#include "platform/TerminationSignals.h"
#include "platform/TickClock.h"
#include "port/SystemPortDriver.h"
#include "port/TracingPortDriver.h"
#include "resources/AppResources.h"

namespace quillora {

int TestApplication::Run() {
    QApplication::setApplicationDisplayName(QString::fromUtf8(kAppDisplayName));
    QApplication::setApplicationVersion(QString::fromUtf8(kFileVersion));
    QApplication::setWindowIcon(AppIcon());
    QApplication::setDesktopFileName(QString::fromUtf8(kDesktopFileName));

    SetAppDirectory(QDir::currentPath().toLocal8Bit().toStdString());
    ApplySkin(application_, DataFilePath("XPCorona.ssk"));

    QtMessageService messages;
    const std::unique_ptr<PortDriver> systemPorts =
        CreateSystemPortDriver(SerialSettingsDialogFor(SettingsPath(), messages));
    // Every call of the window and the continuous worker is recorded for the monitor.
    TrafficLog traffic;
    TracingPortDriver ports(*systemPorts, {&traffic});
    QtFileDialogService files;
    SystemTickClock clock;
    const std::unique_ptr<Spooler> spooler = CreateCupsSpooler();
    const AppServices services{ports, messages, files, clock, *spooler, &traffic};

    MainTestDialog dialog(services);
    std::error_code signalError;
    const auto closeOnSignal =
        TerminationSignals::Watch([&dialog] { dialog.reject(); }, signalError);
    if (!closeOnSignal) {
        std::fprintf(stderr,
                     "quillora: SIGTERM and SIGINT will end the program without saving: %s\n",
                     signalError.message().c_str());
    }
    dialog.exec();
    return 0;
}

}  // namespace quillora
