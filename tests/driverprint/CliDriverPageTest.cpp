// quillora-cli's driver-page test against the private CUPS scheduler: the window's test
// page, on a named queue or on the default printer, and a queue the spooler does not know
// refused before anything is printed.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "PrivateScheduler.h"

namespace quillora {
namespace {

using test::PrivateScheduler;
using CliDriverPage = test::PrivateSchedulerTest;

struct CliRun {
    int status = -1;
    std::string out, err;
};

CliRun RunCli(const QStringList& arguments, const QString& workDir) {
    QProcess process;
    process.setWorkingDirectory(workDir);
    process.start(QStringLiteral(CLI_BINARY), arguments);
    CliRun run;
    if (!process.waitForFinished(120000)) return run;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    if (process.exitStatus() == QProcess::NormalExit) run.status = process.exitCode();
    return run;
}

TEST_F(CliDriverPage, PrintsTheSampleTextOnTheNamedQueueOrTheDefaultOne) {
    const QTemporaryDir dir;
    const QStringList run{QStringLiteral("run"), QStringLiteral("--port"),
                          QStringLiteral("127.0.0.1"), QStringLiteral("--text"),
                          QString::fromUtf8("Page from the command line\n命令行测试页")};
    PrivateScheduler::SetServerDefault(PrivateScheduler::kFirstQueue);
    const int firstJob = PrivateScheduler::LastJobId();
    const CliRun named =
        RunCli(run + QStringList{QStringLiteral("driver-page=") + PrivateScheduler::kReceiptQueue},
               dir.path());
    EXPECT_EQ(named.status, 0) << named.err;
    EXPECT_EQ(named.out, std::string("driver-page=") + PrivateScheduler::kReceiptQueue +
                             ": ok: printed on " + PrivateScheduler::kReceiptQueue + "\n");
    const CliRun byDefault = RunCli(run + QStringList{QStringLiteral("driver-page")}, dir.path());
    EXPECT_EQ(byDefault.status, 0) << byDefault.err;
    EXPECT_EQ(byDefault.out,
              std::string("driver-page: ok: printed on ") + PrivateScheduler::kFirstQueue + "\n");

    ASSERT_TRUE(PrivateScheduler::WaitForJobsAfter(firstJob));
    const std::vector<PrivateScheduler::Job> jobs = PrivateScheduler::JobsAfter(firstJob);
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[0].title + " on " + jobs[0].queue,
              std::string("printer on ") + PrivateScheduler::kReceiptQueue);
    EXPECT_EQ(jobs[1].title + " on " + jobs[1].queue,
              std::string("printer on ") + PrivateScheduler::kFirstQueue);
    for (const PrivateScheduler::Job& job : jobs) {
        const std::string page = PrivateScheduler::PdfText(PrivateScheduler::OutputPdf(job));
        EXPECT_NE(test::Comparable(page).find(
                      test::Comparable("Page from the command line 命令行测试页")),
                  std::string::npos)
            << page;
    }

    const int lastJob = PrivateScheduler::LastJobId();
    const CliRun unknown =
        RunCli(run + QStringList{QStringLiteral("driver-page=quillora-none")}, dir.path());
    EXPECT_EQ(unknown.status, 2);
    // The last line: Qt may warn of the session it runs in before it (XDG_RUNTIME_DIR).
    const std::string refusal = "quillora-cli: driver-page=quillora-none: no such printer: ";
    const size_t lineStart = unknown.err.rfind('\n', unknown.err.size() - 2);
    EXPECT_EQ(
        unknown.err.substr(lineStart == std::string::npos ? 0 : lineStart + 1, refusal.size()),
        refusal)
        << unknown.err;
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(PrivateScheduler::LastJobId(), lastJob);
}

}  // namespace
}  // namespace quillora
