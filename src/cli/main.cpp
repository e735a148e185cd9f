// quillora-cli: the printer tests from a terminal or a script, without a display.
#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>

#include "cli/CliMain.h"

namespace {

// The driver test page and the receipts of --preview and --port none are drawn with
// fonts, which need a GUI application; it is made on the offscreen platform, so no display
// is needed for them either.
bool DrawsPages(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument.startsWith("driver-page") || argument.startsWith("--preview") ||
            argument.compare("none", Qt::CaseInsensitive) == 0 ||
            argument.compare("--port=none", Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::unique_ptr<QCoreApplication> application;
    if (DrawsPages(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    return quillora::cli::CliMain(QCoreApplication::arguments().mid(1));
}
