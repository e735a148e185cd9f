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
    const std::string entry = services_.spooler.DefaultDeviceEntry();
    // The device is the spooler's default, not the entry's first token.
    const std::string device = services_.spooler.DefaultPrinterName().name;
    if (!ParseDeviceEntry(entry)) return nullptr;
    PrinterDeviceContext::OpenResult opened = PrinterDeviceContext::Open(device, services_.spooler);
    if (!opened.context) {
        const QString text =
            QStringLiteral("没有默认打印机,或者没有安装打印机!%1").arg(opened.errorCode);
        UiThread().Invoke([this, &text] { ShowMessage(text, MessageIcon::None); });
    }
    return std::move(opened.context);
}

void MainTestDialog::PrintDriverTestPage() {
    PrintOnePageJob(CreateDefaultPrinterDC().get(), [this](PrinterDeviceContext& dc) {
        dc.DrawText(TextBoxBytes(), QRect(0, 0, dc.PhysicalWidth(), dc.PhysicalHeight()),
                    kDtWordBreak);
    });
}

}  // namespace quillora
