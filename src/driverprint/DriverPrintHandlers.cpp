// Handlers of driver printing: the chooser, the prepared document and the test page.
#include <QDialog>
#include <filesystem>

#include "app/AppPaths.h"
#include "app/MainTestDialog.h"
#include "driverprint/DeviceEntry.h"
#include "driverprint/PrinterChooserDialog.h"
#include "driverprint/PrinterDeviceContext.h"
#include "driverprint/Spooler.h"

namespace quillora {

void MainTestDialog::DriverPrintTest() {
    PrinterChooserDialog chooser(services_.spooler, this);
    if (chooser.exec() != QDialog::Accepted) return;
    const std::string document = DataFilePath("Print.doc");
    std::error_code statusError;
    if (std::filesystem::exists(document, statusError)) {
        // Handed over like the shell's print verb: no window, and its answer is not shown.
        services_.spooler.PrintFile(document);
        return;
    }
    PrintDriverTestPage();
}

std::unique_ptr<PrinterDeviceContext> MainTestDialog::CreateDefaultPrinterDC() {
    const auto sayThereIsNone = [this](int errorCode) {
        const QString text = QStringLiteral("没有默认打印机,或者没有安装打印机!%1").arg(errorCode);
        UiThread().Invoke([this, &text] { ShowMessage(text, MessageIcon::None); });
    };
    // Without a default the entry is ",,,"; that case is said, not passed over in silence.
    const PrinterName device = services_.spooler.DefaultPrinterName();
    if (!device.status.Ok()) {
        sayThereIsNone(device.status.code);
        return nullptr;
    }
    if (!ParseDeviceEntry(services_.spooler.DefaultDeviceEntry())) return nullptr;
    // The device is the spooler's default, not the entry's first token.
    PrinterDeviceContext::OpenResult opened =
        PrinterDeviceContext::Open(device.name, services_.spooler);
    if (!opened.context) sayThereIsNone(opened.errorCode);
    return std::move(opened.context);
}

void MainTestDialog::PrintDriverTestPage() {
    PrintOnePageJob(CreateDefaultPrinterDC().get(), [this](PrinterDeviceContext& dc) {
        dc.DrawText(TextBoxBytes(), dc.PrintableArea(), kDtWordBreak);
    });
}

}  // namespace quillora
