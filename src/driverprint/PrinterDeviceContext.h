#pragma once

#include <QRect>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QPainter;
class QPrinter;

namespace quillora {

class Spooler;

// DrawText format flag: break lines at word boundaries at the rectangle's right edge.
inline constexpr unsigned kDtWordBreak = 16;

// A printer device context on one CUPS queue: a Qt printer and its painter, drawing one
// spooler job. Destroying it is the DeleteDC; a document still open then is ended, so the
// painter never outlives its printer. Texts are GBK bytes, as the window's controls give them;
// coordinates are device units with the origin at the top left of the printable area. The
// page is the queue's default paper.
// Not thread-bound: made, drawn and destroyed on any one thread (the continuous-print
// worker uses it off the UI thread).
//
// The program's jobs are one page each: see PrintOnePageJob below.
class PrinterDeviceContext {
public:
    // What opening a context yields: the context, or the spooler's error code.
    struct OpenResult {
        std::unique_ptr<PrinterDeviceContext> context;
        int errorCode = 0;
    };

    // A context on the queue `queueName`; fails with the spooler's error code when the
    // spooler does not know that queue (an empty name included).
    static OpenResult Open(const std::string& queueName, const Spooler& spooler);

    ~PrinterDeviceContext();
    PrinterDeviceContext(const PrinterDeviceContext&) = delete;
    PrinterDeviceContext& operator=(const PrinterDeviceContext&) = delete;

    const std::string& QueueName() const { return queueName_; }

    // The area the printer can print on (HORZRES x VERTRES) at the origin, in device units.
    // Text is laid out within it: the whole sheet reaches past it by the margins.
    QRect PrintableArea() const;

    // Starts the spooler job named `docName`: > 0 on success, <= 0 on failure.
    int StartDoc(const std::string& docName);
    int StartPage();
    // Saves the drawing state; returns its level (> 0), 0 without a started document.
    int SaveDC();
    // Restores a saved state: negative = relative (-1 the most recent), positive = level.
    bool RestoreDC(int savedState);
    // One line at (x, y), top-left aligned; line breaks in it are not obeyed. Returns the
    // height of the line drawn, 0 on failure.
    int TextOut(int x, int y, std::string_view gbkText);
    // Text laid out in `rect`, left-aligned from the top, own line breaks honoured;
    // kDtWordBreak wraps at word boundaries. Returns the height drawn, 0 on failure.
    int DrawText(std::string_view gbkText, const QRect& rect, unsigned format);
    // Ends the page; the next StartPage begins a new sheet.
    int EndPage();
    // Ends the document and hands it to the spooler: > 0 on success.
    int EndDoc();

private:
    struct OpenKey {  // only Open makes contexts
        explicit OpenKey() = default;
    };

public:
    PrinterDeviceContext(OpenKey, std::string queueName);

private:
    std::string queueName_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    int saveLevel_ = 0;
    int pagesEnded_ = 0;
    bool pageOpen_ = false;
};

// One job named "printer" with one page: nothing without a context (any message has been
// shown) or when the document does not start; otherwise `draw` fills the page between the
// saved and the restored state, and the job goes to the spooler at its end. True when the
// spooler took the job.
bool PrintOnePageJob(PrinterDeviceContext* dc,
                     const std::function<void(PrinterDeviceContext&)>& draw);

}  // namespace quillora
