#include "PrivateScheduler.h"

#include <cups/cups.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>

namespace quillora::test {
namespace {

// The tool's standard output; "" when it failed.
QString Tool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    const bool ok = process.waitForFinished(30000) && process.exitCode() == 0;
    return ok ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

}  // namespace

std::optional<std::string> PrivateScheduler::Unavailable() {
    // The test command's stage says why it could not start one.
    if (const QString reason = qEnvironmentVariable("QUILLORA_CUPS_UNAVAILABLE");
        !reason.isEmpty()) {
        return "the private CUPS scheduler could not start: " + reason.toStdString();
    }
    // Without CUPS_SERVER, lpadmin would change the machine's own scheduler.
    const bool ours = !qEnvironmentVariableIsEmpty("QUILLORA_CUPS_DIR") &&
                      !qEnvironmentVariableIsEmpty("CUPS_SERVER");
    if (ours && !Tool("lpstat", {"-p", kFirstQueue, "quillora-pdf-2"}).isEmpty()) return {};
    return "no private CUPS scheduler with its queues: tools/test.sh starts one";
}

std::string PrivateScheduler::ServerDefault() {
    return Tool("lpstat", {"-d"}).section(':', 1).trimmed().toStdString();  // "" when none
}

void PrivateScheduler::SetServerDefault(const std::string& queue) {
    Tool("lpadmin", {"-d", QString::fromStdString(queue)});
}

// A default queue that is then deleted leaves the scheduler without a default.
void PrivateScheduler::ClearServerDefault() {
    Tool("lpadmin", {"-p", "quillora-doomed", "-E", "-v", "file:///dev/null"});
    Tool("lpadmin", {"-d", "quillora-doomed"});
    Tool("lpadmin", {"-x", "quillora-doomed"});
}

int PrivateScheduler::LastJobId() {
    const std::vector<Job> jobs = JobsAfter(0);
    return jobs.empty() ? 0 : jobs.back().id;
}

std::vector<PrivateScheduler::Job> PrivateScheduler::JobsAfter(int jobId, bool activeOnly) {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0,
                                   activeOnly ? CUPS_WHICHJOBS_ACTIVE : CUPS_WHICHJOBS_ALL);
    std::vector<Job> list;
    for (int i = 0; i < count; ++i) {
        if (jobs[i].id > jobId) list.push_back({jobs[i].id, jobs[i].title, jobs[i].dest});
    }
    cupsFreeJobs(count, jobs);
    std::ranges::sort(list, {}, &Job::id);
    return list;
}

bool PrivateScheduler::WaitForJobsAfter(int jobId) {
    return QTest::qWaitFor([jobId] { return JobsAfter(jobId, true).empty(); }, 60000);
}

std::string PrivateScheduler::OutputPdf(const Job& job) {
    const QDir folder(qEnvironmentVariable("QUILLORA_CUPS_DIR") + "/out/" +
                      QString::fromStdString(job.queue));
    const QStringList files = folder.entryList({QStringLiteral("job_%1-*.pdf").arg(job.id)});
    return files.size() == 1 ? folder.filePath(files.front()).toStdString() : std::string();
}

std::string PrivateScheduler::PdfText(const std::string& pdf) {
    return Tool("pdftotext", {QString::fromStdString(pdf), "-"}).toStdString();
}

int PrivateScheduler::PdfPages(const std::string& pdf) {
    const QString info = Tool("pdfinfo", {QString::fromStdString(pdf)});
    return QRegularExpression("Pages:\\s+(\\d+)").match(info).captured(1).toInt();
}

}  // namespace quillora::test
