// quillora-cli: the printer tests from a terminal or a script, without a display.
#include <QGuiApplication>
#include <QStringList>
#include <clocale>
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
    std::unique_ptr<QGuiApplication> application;
    if (DrawsPages(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    // Otherwise no application object: what one would set up and the runner uses is the
    // user's locale (for the system's error texts) and the arguments, and making one costs
    // a run a fifth of its time. CliMain makes one when English texts need a translator.
    std::setlocale(LC_ALL, "");
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(QString::fromLocal8Bit(argv[i]));
    return quillora::cli::CliMain(arguments);
}
