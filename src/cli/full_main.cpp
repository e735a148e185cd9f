// quillora-cli-full: quillora-cli with what draws pages (the driver test page, the receipts
// of --preview and --port none). quillora-cli hands those runs over to it.
#include <QGuiApplication>

#include "cli/CliMain.h"
#include "cli/RunDrawing.h"
#include "driverchecks/DriverChecks.h"
#include "driverprint/Spooler.h"

namespace {

class FullPageDrawing final : public quillora::cli::PageDrawing {
public:
    quillora::Spooler& Printers() override { return *spooler_; }
    quillora::DriverPrinting& DriverPrints() override { return driverPrinting_; }
    std::unique_ptr<quillora::cli::RunRecording> Recording(
        const quillora::PortName& port) override {
        return std::make_unique<quillora::cli::RunDrawing>(port);
    }

private:
    const std::unique_ptr<quillora::Spooler> spooler_ = quillora::CreateCupsSpooler();
    quillora::SpoolerDriverPrinting driverPrinting_;
};

}  // namespace

int main(int argc, char* argv[]) {
    // Pages are drawn with fonts, which need a GUI application; it is made on the offscreen
    // platform, so no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    FullPageDrawing pages;
    return quillora::cli::CliProgram(argc, argv, &pages);
}
