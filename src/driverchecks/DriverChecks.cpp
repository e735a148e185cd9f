#include "driverchecks/DriverChecks.h"

#include <algorithm>

#include "continuous/CopyComposition.h"
#include "driverprint/DeviceEntry.h"
#include "driverprint/PrinterDeviceContext.h"
#include "driverprint/Spooler.h"
#include "texts/Texts.h"

namespace quillora {
namespace {

// Device units between the top of a driver-mode page and its text at least; the heading
// sits above. On a receipt printer's 203 dpi that clears the heading's line.
constexpr int kDriverTextTop = 100;

void SayThereIsNone(CheckHost& host, int errorCode) {
    host.Report(
        {CheckOutcome::Failed,
         texts::Format(texts::translate("DriverChecks", "没有默认打印机,或者没有安装打印机!%1"),
                       {std::to_string(errorCode)}),
         MessageIcon::None});
}

std::unique_ptr<PrinterDeviceContext> OpenDefaultPrinter(CheckHost& host) {
    const Spooler& spooler = host.Printers();
    // Without a default the entry is ",,,"; that case is said, not passed over in silence.
    const PrinterName device = spooler.DefaultPrinterName();
    if (!device.status.Ok()) {
        SayThereIsNone(host, device.status.code);
        return nullptr;
    }
    if (!ParseDeviceEntry(spooler.DefaultDeviceEntry())) {
        // The window has never said anything here; a script is told.
        host.Report({CheckOutcome::Failed, "the default printer's device entry cannot be read",
                     MessageIcon::None, false});
        return nullptr;
    }
    // The device is the spooler's default, not the entry's first token.
    PrinterDeviceContext::OpenResult opened = PrinterDeviceContext::Open(device.name, spooler);
    if (!opened.context) SayThereIsNone(host, opened.errorCode);
    return std::move(opened.context);
}

// A context on `queue` ("" the spooler's default printer); nullptr when there is none, which
// has been reported.
std::unique_ptr<PrinterDeviceContext> OpenPrinter(CheckHost& host, const std::string& queue) {
    if (queue.empty()) return OpenDefaultPrinter(host);
    PrinterDeviceContext::OpenResult opened = PrinterDeviceContext::Open(queue, host.Printers());
    if (!opened.context) SayThereIsNone(host, opened.errorCode);
    return std::move(opened.context);
}

}  // namespace

std::optional<ReadyCheck> SpoolerDriverPrinting::PreparePrint(CheckHost& host) {
    const std::optional<std::string> queue = host.ChoosePrinter();
    if (!queue) return std::nullopt;
    return [queue = *queue](CheckHost& host) {
        if (const std::optional<std::string> document = host.PreparedDocument()) {
            // Handed over like the shell's print verb: no window, and its answer is not shown.
            host.Printers().PrintFile(*document);
            return;
        }
        PrintTestPage(host, queue);
    };
}

void PrintTestPage(CheckHost& host, const std::string& queue) {
    const std::unique_ptr<PrinterDeviceContext> dc = OpenPrinter(host, queue);
    if (!dc) return;
    const bool printed = PrintOnePageJob(dc.get(), [&](PrinterDeviceContext& page) {
        page.DrawText(host.SampleText().value_or(std::string()), page.PrintableArea(),
                      kDtWordBreak);
    });
    const std::string name = dc->QueueName();
    // The window shows nothing either way, as the spooler's own test page does.
    host.Report({printed ? CheckOutcome::Ok : CheckOutcome::Failed,
                 printed ? "printed on " + name : name + " did not take the page",
                 MessageIcon::None, false});
}

// Heading and sample text on one page of the default printer, looked up afresh.
void SpoolerDriverPrinting::PrintCopy(CheckHost& host, int copyNumber) {
    PrintOnePageJob(OpenPrinter(host, {}).get(), [&](PrinterDeviceContext& dc) {
        const int headingHeight =
            dc.TextOut(0, 0, DriverCopyHeading(copyNumber, host.Clock().LocalTime()));
        const std::string text = host.SampleText().value_or(std::string());
        // On a fine resolution 100 units are less than the heading's line: the text then
        // starts right below that line instead of on top of it.
        QRect area = dc.PrintableArea();
        area.setTop(std::max(kDriverTextTop, headingHeight));
        dc.DrawText(text, area, kDtWordBreak);
    });
}

}  // namespace quillora
