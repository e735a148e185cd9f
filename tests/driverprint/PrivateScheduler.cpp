#include "PrivateScheduler.h"

#include <cups/cups.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>
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
    // Without CUPS_SERVER, lpadmin would change the machine's own scheduler.
    const bool ours = !qEnvironmentVariableIsEmpty("QUILLORA_CUPS_DIR") &&
                      !qEnvironmentVariableIsEmpty("CUPS_SERVER");
    if (ours && !Tool("lpstat", {"-p", kFirstQueue, "quillora-pdf-2", kReceiptQueue}).isEmpty()) {
        return {};
    }
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

std::vector<PrivateScheduler::Job> PrivateScheduler::JobsOf(const std::string& queue,
                                                            const std::function<void()>& print) {
    SetServerDefault(queue);
    const int lastJob = LastJobId();
    print();
    if (!WaitForJobsAfter(lastJob)) return {};
    return JobsAfter(lastJob);
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

std::vector<PdfPage> PrivateScheduler::PdfLayout(const std::string& pdf) {
    QXmlStreamReader xml(Tool("pdftotext", {"-bbox", QString::fromStdString(pdf), "-"}));
    std::vector<PdfPage> pages;
    const auto number = [&xml](const char* name) {
        return xml.attributes().value(QLatin1String(name)).toDouble();
    };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("page")) {
            pages.push_back({number("width"), number("height"), {}});
        } else if (xml.name() == QLatin1String("word") && !pages.empty()) {
            PdfWord word{{}, number("xMin"), number("yMin"), number("xMax"), number("yMax")};
            word.text = xml.readElementText().toStdString();
            pages.back().words.push_back(std::move(word));
        }
    }
    return pages;
}

void PrivateScheduler::SaveFirstPagePicture(const std::string& pdf, const std::string& name) {
    const QString folder = qEnvironmentVariable("QUILLORA_ARTIFACTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    Tool("pdftoppm",
         {"-png", "-r", "150", "-f", "1", "-l", "1", "-singlefile", QString::fromStdString(pdf),
          QDir(folder).filePath(QString::fromStdString(name))});
}

void PrivateSchedulerTest::SetUp() {
    if (const auto reason = PrivateScheduler::Unavailable()) GTEST_SKIP() << *reason;
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
}

std::string WordsOutside(const PdfPage& page) {
    std::string outside;
    for (const PdfWord& word : page.words) {
        if (word.xMin >= 0 && word.yMin >= 0 && word.xMax <= page.width &&
            word.yMax <= page.height) {
            continue;
        }
        outside +=
            QString::asprintf("%s at (%.1f, %.1f)-(%.1f, %.1f) on %.1f x %.1f\n", word.text.c_str(),
                              word.xMin, word.yMin, word.xMax, word.yMax, page.width, page.height)
                .toStdString();
    }
    return outside;
}

std::string Comparable(const std::string& text) {
    QString form = QString::fromStdString(text)
                       .remove(QRegularExpression("\\s"))
                       .normalized(QString::NormalizationForm_KC);
    // Radicals without a compatibility mapping that the sample texts use.
    form.replace(QChar(0x2ED3), QChar(0x957F));  // 长
    form.replace(QChar(0x2EDA), QChar(0x9875));  // 页
    return form.toStdString();
}

std::string Joined(const std::vector<PdfWord>& words) {
    std::string joined;
    for (const PdfWord& word : words) joined += word.text;
    return Comparable(joined);
}

}  // namespace quillora::test
