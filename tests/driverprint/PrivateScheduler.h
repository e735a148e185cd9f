#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillora::test {

// The private CUPS scheduler that tools/test.sh starts, seen through the command-line tools
// and libcups's job list: independent of the spooler code under test. Its two cups-pdf
// queues write one PDF file per job.
class PrivateScheduler {
public:
    static constexpr const char* kFirstQueue = "quillora-pdf";
    static constexpr const char* kSecondQueue = "quillora-pdf-2";

    struct Job {
        int id = 0;
        std::string title;
        std::string queue;
        bool completed = false;
    };

    static std::optional<std::string> Unavailable();  // why it cannot be used, if it cannot
    static std::string ServerDefault();               // as `lpstat -d` reports it, "" if none
    static void SetServerDefault(const std::string& queue);
    static void ClearServerDefault();
    static int LastJobId();
    static std::vector<Job> JobsAfter(int jobId);  // oldest first
    // Waits until every job after `jobId` has finished; false after a minute.
    static bool WaitForJobsAfter(int jobId);
    // The PDF that cups-pdf wrote for a job, "" when there is none; its text and pages.
    static std::string OutputPdf(const Job& job);
    static std::string PdfText(const std::string& pdf);
    static int PdfPages(const std::string& pdf);
};

}  // namespace quillora::test
