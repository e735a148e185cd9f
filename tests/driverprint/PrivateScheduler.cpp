#include "PrivateScheduler.h"

#include <cups/cups.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <chrono>

namespace quillora::test {
namespace {

struct ToolResult {
    int exitCode = -1;
    QString output;
};

ToolResult RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput())};
}

}  // namespace

std::optional<std::string> PrivateScheduler::Unavailable() {
    if (qEnvironmentVariableIsEmpty("QUILLORA_CUPS_DIR") ||
        qEnvironmentVariableIsEmpty("CUPS_SERVER")) {
        return "no private CUPS scheduler: tools/test.sh starts one "
               "(tools/test-stages/pre-10-cups.sh)";
    }
    if (RunTool("lpstat", {"-p", kFirstQueue, kSecondQueue}).exitCode != 0) {
        return "the private CUPS scheduler at " +
               qEnvironmentVariable("CUPS_SERVER").toStdString() +
               " does not answer or lacks its queues";
    }
    return std::nullopt;
}

std::string PrivateScheduler::ServerDefault() {
    const QString output = RunTool("lpstat", {"-d"}).output;
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("system default destination: (\\S+)")).match(output);
    return match.hasMatch() ? match.captured(1).toStdString() : std::string();
}

void PrivateScheduler::SetServerDefault(const std::string& queue) {
    RunTool("lpadmin", {"-d", QString::fromStdString(queue)});
}

void PrivateScheduler::ClearServerDefault() {
    const QString doomed = QStringLiteral("quillora-doomed");
    RunTool("lpadmin", {"-p", doomed, "-E", "-v", "file:///dev/null"});
    RunTool("lpadmin", {"-d", doomed});
    RunTool("lpadmin", {"-x", doomed});
}

std::vector<PrivateScheduler::Job> PrivateScheduler::Jobs() {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
    std::vector<Job> list;
    for (int i = 0; i < count; ++i) {
        list.push_back({jobs[i].id, jobs[i].title ? jobs[i].title : "",
                        jobs[i].dest ? jobs[i].dest : "", jobs[i].state == IPP_JSTATE_COMPLETED});
    }
    cupsFreeJobs(count, jobs);
    std::sort(list.begin(), list.end(), [](const Job& a, const Job& b) { return a.id < b.id; });
    return list;
}

int PrivateScheduler::LastJobId() {
    const std::vector<Job> jobs = Jobs();
    return jobs.empty() ? 0 : jobs.back().id;
}

std::vector<PrivateScheduler::Job> PrivateScheduler::JobsAfter(int jobId) {
    std::vector<Job> later;
    for (const Job& job : Jobs()) {
        if (job.id > jobId) later.push_back(job);
    }
    return later;
}

bool PrivateScheduler::WaitForJobsAfter(int jobId) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (std::chrono::steady_clock::now() < deadline) {
        cups_job_t* jobs = nullptr;
        const int active =
            cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ACTIVE);
        int pending = 0;
        for (int i = 0; i < active; ++i) pending += jobs[i].id > jobId ? 1 : 0;
        cupsFreeJobs(active, jobs);
        if (pending == 0) return true;
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
    return RunTool("pdftotext", {QString::fromStdString(pdf), "-"}).output.toStdString();
}

int PrivateScheduler::PdfPages(const std::string& pdf) {
    const QString info = RunTool("pdfinfo", {QString::fromStdString(pdf)}).output;
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

}  // namespace quillora::test
