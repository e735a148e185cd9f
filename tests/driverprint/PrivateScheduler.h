#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "driverprint/Spooler.h"

namespace quillora::test {

// One word of a PDF page as pdftotext reads it, in points from the page's top left.
struct PdfWord {
    std::string text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

struct PdfPage {
    double width = 0, height = 0;
    std::vector<PdfWord> words;  // in reading order
};

// A queue of the private scheduler, the paper it prints on (a short name for pictures) and
// that paper's width in points.
struct PaperQueue {
    const char* queue;
    const char* paper;
    double widthPoints;
};

// The private CUPS scheduler of tools/test.sh, seen through its command-line tools and
// libcups's job list, not the code under test. Its cups-pdf queues write a PDF per job.
struct PrivateScheduler {
    static constexpr const char* kFirstQueue = "quillora-pdf";  // A4
    static constexpr const char* kReceiptQueue = "quillora-pdf-80mm";
    // A sheet and a receipt roll (80 x 200 mm pages).
    static constexpr PaperQueue kPaperQueues[] = {{kFirstQueue, "a4", 595},
                                                  {kReceiptQueue, "80mm", 226.77}};

    struct Job {
        int id = 0;
        std::string title, queue;
    };

    static std::optional<std::string> Unavailable();  // why it cannot be used, if it cannot
    static std::string ServerDefault();               // as `lpstat -d` reports it
    static void SetServerDefault(const std::string& queue);
    static void ClearServerDefault();
    static int LastJobId();
    static std::vector<Job> JobsAfter(int jobId, bool activeOnly = false);  // oldest first
    static bool WaitForJobsAfter(int jobId);  // all finished; false after ~a minute
    // Makes `queue` the default printer, runs `print` and returns the jobs it made once all
    // are finished (nothing when they did not finish within about a minute).
    static std::vector<Job> JobsOf(const std::string& queue, const std::function<void()>& print);
    // The PDF that cups-pdf wrote for a job ("" when none) and its text.
    static std::string OutputPdf(const Job& job);
    static std::string PdfText(const std::string& pdf);
    // Every page with its words and their boxes (pdftotext -bbox); nothing when unreadable.
    static std::vector<PdfPage> PdfLayout(const std::string& pdf);
    // Renders the PDF's first page as QUILLORA_ARTIFACTS/<name>.png when that folder is
    // named, so that a person can look at what was printed.
    static void SaveFirstPagePicture(const std::string& pdf, const std::string& name);
};

// A case that prints through the private scheduler with the real spooler: skipped with
// the reason when there is none, and the environment's own default printer (LPDEST,
// PRINTER) cleared so that it never wins over the scheduler's.
class PrivateSchedulerTest : public testing::Test {
protected:
    void SetUp() override;
    const std::unique_ptr<Spooler> cups = CreateCupsSpooler();
};

// The words of `page` that reach beyond its edges, one per line with their boxes.
std::string WordsOutside(const PdfPage& page);
// `text` in the form a PDF's words read back in: without blanks and line breaks (wherever
// the lines were broken), in compatibility form (NFKC), and with the ideographs that CJK
// fonts draw with a radical's glyph, and pdftotext names by the radical, as the ideograph.
std::string Comparable(const std::string& text);
// The words' texts run together, in the same form.
std::string Joined(const std::vector<PdfWord>& words);
}  // namespace quillora::test
