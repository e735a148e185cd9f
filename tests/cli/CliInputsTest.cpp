// The runner's inputs that are not plain files: a pipe on standard input, a named pipe
// whose writer is gone, and devices, each with what the user sees.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "CliHarness.h"

namespace quillora::test {
namespace {

class CliInputs : public testing::Test {
protected:
    // The runner with LPT1 collecting what it is sent in a plain file, `input` on its
    // standard input through a pipe.
    CliRun Run(const QStringList& tests, const QByteArray& input = {}) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QUILLORA_PORTS"), QStringLiteral("LPT1=") + Printer());
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.path());
        process.start(
            QStringLiteral(CLI_BINARY),
            QStringList{QStringLiteral("run"), QStringLiteral("--port"), QStringLiteral("LPT1")} +
                tests);
        process.write(input);
        process.closeWriteChannel();
        return FinishCli(process);
    }
    QString Printer() const { return dir.filePath(QStringLiteral("lp1.out")); }
    QByteArray Printed() const {
        QFile file(Printer());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

TEST_F(CliInputs, AFileOnStandardInputIsSentWhole) {
    const CliRun run = Run({QStringLiteral("file=/dev/stdin")}, "x\n");
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.toStdString(), "file=/dev/stdin: ok: sent 2 of 2 bytes\n");
    EXPECT_EQ(Printed(), QByteArray("x\n"));
}

TEST_F(CliInputs, ANamedPipeWithoutWriterIsAnEmptyFile) {
    const std::string fifo = dir.filePath(QStringLiteral("fifo")).toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const CliRun run = Run({QStringLiteral("file=fifo"), QStringLiteral("single=@fifo")});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.toStdString(),
              "file=fifo: ok: sent 0 of 0 bytes\nsingle=@fifo: ok: sent 2 of 2 bytes\n");
    EXPECT_EQ(Printed(), QByteArray("\r\n"));
}

TEST_F(CliInputs, EndlessAndEmptyDevicesAreRefusedBeforeAnythingIsSent) {
    const std::vector<std::pair<QString, std::string>> cases{
        {QStringLiteral("file=/dev/zero"), "file=/dev/zero: 文件太大,无法一次发送!"},
        {QStringLiteral("single=@/dev/zero"), "single=@/dev/zero: longer than 1048576 bytes"},
        {QStringLiteral("nv-logo=/dev/null"), "nv-logo=/dev/null: unusable BMP: BMP文件是空的!"},
        {QStringLiteral("raster=/dev/zero"),
         "raster=/dev/zero: unusable BMP: BMP图像过大,打印机无法接受!"},
    };
    for (const auto& [test, message] : cases) {
        SCOPED_TRACE(message);
        const CliRun run = Run({QStringLiteral("feed"), test});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.toStdString(), "quillora-cli: " + message + "\n");
        EXPECT_TRUE(Printed().isEmpty());
    }
}

}  // namespace
}  // namespace quillora::test
