// The printer program ends on SIGTERM and SIGINT through a signalfd; when it cannot have
// one it says so and does not start, rather than run on unable to write its last receipt.
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

#include "support/LoopbackAddress.h"
#include "virtual-printer/PrinterHarness.h"

namespace vprinter::test {
namespace {

// Runs in the forked child before exec: from there on signalfd fails with EMFILE, as it
// does when the process is out of descriptors. Nothing else is refused.
void RefuseSignalfd() {
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_signalfd4, 2, 0),
#ifdef __NR_signalfd
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_signalfd, 1, 0),
#else
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_signalfd4, 1, 0),
#endif
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EMFILE & SECCOMP_RET_DATA)),
    };
    const sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
        ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) {
        const char* reason = std::strerror(errno);
        [[maybe_unused]] const auto written = ::write(STDERR_FILENO, reason, std::strlen(reason));
        ::_exit(125);
    }
}

TEST(PrinterShutdownTest, RefusedSignalfdIsReportedAndThePrinterDoesNotStart) {
    const QString address = QString::fromStdString(quillora::test::LoopbackAddress(8, 8));
    PrinterProcess printer({QStringLiteral("--tcp"), address + QStringLiteral(":9100")},
                           RefuseSignalfd);
    EXPECT_FALSE(printer.Ready());
    EXPECT_EQ(printer.Stop(), 1);
    EXPECT_TRUE(printer.StartOutput().contains("signals: Too many open files\n"))
        << printer.StartOutput().constData();
    EXPECT_FALSE(printer.Log().contains(QStringLiteral("ready:")));
}

TEST(PrinterShutdownTest, SigtermEndsItWithTheReceiptUnderWayWritten) {
    const QString address = QString::fromStdString(quillora::test::LoopbackAddress(8, 9));
    PrinterProcess printer({QStringLiteral("--tcp"), address + QStringLiteral(":9100")});
    ASSERT_TRUE(printer.Ready());
    // No cut, and the sender stays connected: only the end of the program ends this
    // receipt. The status reply shows that the printer has read the text before it is
    // stopped.
    const QByteArray sent = QByteArray::fromHex("41 42 0A 10 04 01");
    QTcpSocket sender;
    sender.connectToHost(address, 9100);
    ASSERT_TRUE(sender.waitForConnected(3000) && sender.write(sent) == sent.size());
    EXPECT_EQ(ReadSome(sender, 1), QByteArray::fromHex("12"));
    EXPECT_EQ(printer.Stop(), 0);
    QFile raw(printer.ReceiptPath(1, ".bin"));
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_EQ(raw.readAll(), sent);
    EXPECT_TRUE(QFile::exists(printer.ReceiptPath(1)));
}

}  // namespace
}  // namespace vprinter::test
