// quillora-cli: the printer tests from a terminal or a script, without a display.
#include <QCoreApplication>

#include "cli/CliMain.h"

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    return quillora::cli::CliMain(QCoreApplication::arguments().mid(1));
}
