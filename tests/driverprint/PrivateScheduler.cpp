#include "PrivateScheduler.h"

#include <cups/cups.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>

namespace quillora::test {
namespace {

// The tool's standard output, and whether it ended with exit code 0.
std::pair<bool, QString> RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) return {false, {}};
    return {process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
            QString::fromUtf8(process.readAllStandardOutput())};
}

QString Captured(const QString& text, const char* pattern) {
    return QRegularExpression(QString::fromLatin1(pattern)).match(text).captured(1);
}

std::vector<PrivateScheduler::Job> ListJobs(int which, int afterId) {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, which);
    std::vector<PrivateScheduler::Job> list;
    for (int i = 0; i < count; ++i) {
        if (jobs[i].id <= afterId) continue;
        list.push_back({jobs[i].id, jobs[i].title ? jobs[i].title : "",
                        jobs[i].dest ? jobs[i].dest : "", jobs[i].state == IPP_JSTATE_COMPLETED});
    }
    cupsFreeJobs(count, jobs);
    std::ranges::sort(list, {}, &PrivateScheduler::Job::id);
    return list;
}

}  // namespace

std::optional<std::string> PrivateScheduler::Unavailable() {
    if (qEnvironmentVariableIsEmpty("QUILLORA_CUPS_DIR") ||
        qEnvironmentVariableIsEmpty("CUPS_SERVER")) {
        return "no private CUPS scheduler: tools/test.sh starts one";
    }
    if (RunTool("lpstat", {"-p", kFirstQueue, kSecondQueue}).first) return std::nullopt;
    return "the private CUPS scheduler at " + qEnvironmentVariable("CUPS_SERVER").toStdString() +
           " does not answer or lacks its queues";
}

std::string PrivateScheduler::ServerDefault() {
    return Captured(RunTool("lpstat", {"-d"}).second, "system default destination: (\\S+)")
        .toStdString();
}

void PrivateScheduler::SetServerDefault(const std::string& queue) {
    RunTool("lpadmin", {"-d", QString::fromStdString(queue)});
}

// A default queue that is then deleted leaves the scheduler without a default.
void PrivateScheduler::ClearServerDefault() {
    RunTool("lpadmin", {"-p", "quillora-doomed", "-E", "-v", "file:///dev/null"});
    RunTool("lpadmin", {"-d", "quillora-doomed"});
    RunTool("lpadmin", {"-x", "quillora-doomed"});
}

int PrivateScheduler::LastJobId() {
    const std::vector<Job> jobs = JobsAfter(0);
    return jobs.empty() ? 0 : jobs.back().id;
}

std::vector<PrivateScheduler::Job> PrivateScheduler::JobsAfter(int jobId) {
    return ListJobs(CUPS_WHICHJOBS_ALL, jobId);
}

bool PrivateScheduler::WaitForJobsAfter(int jobId) {
    for (int wait = 0; wait < 600; ++wait) {
        if (ListJobs(CUPS_WHICHJOBS_ACTIVE, jobId).empty()) return true;
        QThread::msleep(100);
    }
    return false;
}

std::string PrivateScheduler::OutputPdf(const Job& job) {
    const QDir folder(qEnvironmentVariable("QUILLORA_CUPS_DIR") + "/out/" +
                      QString::fromStdString(job.queue));
    const QStringList files = folder.entryList({QStringLiteral("job_%1-*.pdf").arg(job.id)});
    return files.size() == 1 ? folder.filePath(files.front()).toStdString() : std::string();
}

std::string PrivateScheduler::PdfText(const std::string& pdf) {
    return RunTool("pdftotext", {QString::fromStdString(pdf), "-"}).second.toStdString();
}

int PrivateScheduler::PdfPages(const std::string& pdf) {
    return Captured(RunTool("pdfinfo", {QString::fromStdString(pdf)}).second, "Pages:\\s+(\\d+)")
        .toInt();
}

}  // namespace quillora::test
