#include "driverprint/PrinterDeviceContext.h"

#include <cups/ipp.h>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "driverprint/Spooler.h"
#include "platform/CodePage936.h"

namespace quillora {
namespace {

// GDI's DrawText breaks lines at CR LF, CR and LF alike; Qt's layout only at LF.
QString WithLfBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

PrinterDeviceContext::OpenResult PrinterDeviceContext::Open(const std::string& queueName,
                                                            const Spooler& spooler) {
    const SpoolerStatus status = spooler.CheckPrinter(queueName);
    if (!status.Ok()) return {nullptr, status.code};
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(queueName));
    // The spooler knows the queue but Qt's printer list does not (yet): no such printer.
    if (info.isNull()) return {nullptr, static_cast<int>(IPP_STATUS_ERROR_NOT_FOUND)};
    auto context = std::make_unique<PrinterDeviceContext>(OpenKey{}, queueName);
    context->printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    // Qt would keep its own paper (A4) on every queue; a page is laid out on the queue's
    // default paper, a receipt printer's roll included.
    context->printer_->setPageSize(info.defaultPageSize());
    return {std::move(context), 0};
}

PrinterDeviceContext::PrinterDeviceContext(OpenKey, std::string queueName)
    : queueName_(std::move(queueName)) {}

PrinterDeviceContext::~PrinterDeviceContext() {
    if (painter_) painter_->end();
}

QRect PrinterDeviceContext::PrintableArea() const {
    return QRect(QPoint(0, 0),
                 printer_->pageLayout().paintRectPixels(printer_->resolution()).size());
}

int PrinterDeviceContext::StartDoc(const std::string& docName) {
    if (painter_) return 0;
    printer_->setDocName(QString::fromStdString(docName));
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer_.get())) return 0;
    painter_ = std::move(painter);
    saveLevel_ = 0;
    pagesEnded_ = 0;
    pageOpen_ = false;
    return 1;
}

int PrinterDeviceContext::StartPage() {
    if (!painter_ || pageOpen_) return 0;
    // Qt's first page is open from the start; later ones have to be asked for.
    if (pagesEnded_ > 0 && !printer_->newPage()) return 0;
    pageOpen_ = true;
    return 1;
}

int PrinterDeviceContext::SaveDC() {
    if (!painter_) return 0;
    painter_->save();
    return ++saveLevel_;
}

bool PrinterDeviceContext::RestoreDC(int savedState) {
    if (!painter_ || savedState == 0) return false;
    const int target = savedState < 0 ? saveLevel_ + savedState : savedState - 1;
    if (target < 0 || target >= saveLevel_) return false;
    while (saveLevel_ > target) {
        painter_->restore();
        --saveLevel_;
    }
    return true;
}

int PrinterDeviceContext::TextOut(int x, int y, std::string_view gbkText) {
    if (!painter_) return 0;
    // One line from (x, y) on, as wide as it runs: single-line layout, no clipping.
    const QRect line(x, y, PrintableArea().width(), painter_->fontMetrics().height());
    QRect drawn;
    painter_->drawText(line, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                       QString::fromStdString(FromGbk(gbkText)), &drawn);
    // Taller than the font's own line when a fallback font draws some of its characters.
    return drawn.height();
}

int PrinterDeviceContext::DrawText(std::string_view gbkText, const QRect& rect, unsigned format) {
    if (!painter_) return 0;
    int flags = Qt::AlignLeft | Qt::AlignTop;
    if (format & kDtWordBreak) flags |= Qt::TextWordWrap;
    QRect drawn;
    painter_->drawText(rect, flags, WithLfBreaks(QString::fromStdString(FromGbk(gbkText))), &drawn);
    return drawn.height();
}

int PrinterDeviceContext::EndPage() {
    if (!pageOpen_) return 0;
    pageOpen_ = false;
    ++pagesEnded_;
    return 1;
}

int PrinterDeviceContext::EndDoc() {
    if (!painter_) return 0;
    const bool sent = painter_->end();
    painter_.reset();
    return sent ? 1 : 0;
}

bool PrintOnePageJob(PrinterDeviceContext* dc,
                     const std::function<void(PrinterDeviceContext&)>& draw) {
    if (!dc || dc->StartDoc("printer") <= 0) return false;
    dc->StartPage();
    dc->SaveDC();
    draw(*dc);
    dc->RestoreDC(-1);
    dc->EndPage();
    return dc->EndDoc() > 0;
}

}  // namespace quillora
