#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillora::test {

// The private CUPS scheduler of tools/test.sh, seen through its command-line tools and
// libcups's job list, not the code under test. Its cups-pdf queues write a PDF per job.
struct PrivateScheduler {
    static constexpr const char* kFirstQueue = "quillora-pdf";

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
    // The PDF that cups-pdf wrote for a job ("" when none), its text and page count (0: none).
    static std::string OutputPdf(const Job& job);
    static std::string PdfText(const std::string& pdf);
    static int PdfPages(const std::string& pdf);
};

}  // namespace quillora::test
